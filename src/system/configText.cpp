#include "system/configText.h"

#include <allegro.h>
#include <cerrno>
#include <cstdio>

namespace {

// Length of the well-formed UTF-8 character at s[i], or 0 when it is not one (or is a control
// character other than tab, line feed and carriage return).
size_t characterLength(const std::string& s, size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x20) return c == '\t' || c == '\n' || c == '\r' ? 1 : 0;
    if (c < 0x80) return 1;
    size_t length = c >= 0xc2 && c <= 0xdf ? 2 : c >= 0xe0 && c <= 0xef ? 3 : c >= 0xf0 && c <= 0xf4 ? 4 : 0;
    if (length == 0 || i + length > s.size()) return 0;
    for (size_t k = 1; k < length; k++)
        if ((static_cast<unsigned char>(s[i + k]) & 0xc0) != 0x80) return 0;
    return length;
}

// A section header with blanks just inside its brackets ("[Gfx ]") is one Allegro looks up with
// its blanks but may write back without them, so a save would leave two [Gfx] sections and the
// older, first one would shadow the saved keys. The blanks are dropped before Allegro sees it.
std::string trimSectionHeader(const std::string& line) {
    size_t open = line.find_first_not_of(" \t");
    size_t close = line.find_last_not_of(" \t\r");
    if (open == std::string::npos || line[open] != '[' || line[close] != ']' || close <= open) return line;
    size_t first = line.find_first_not_of(" \t", open + 1);
    size_t last = line.find_last_not_of(" \t", close - 1);
    if (first >= close) return line; // "[ ]": no name to keep
    return line.substr(0, open + 1) + line.substr(first, last + 1 - first) + line.substr(close);
}

} // namespace

std::string makeConfigText(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        size_t length = characterLength(bytes, i);
        if (length == 0) {
            text += '?';
            i++;
        } else {
            text.append(bytes, i, length);
            i += length;
        }
    }
    std::string trimmed;
    trimmed.reserve(text.size());
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        trimmed += trimSectionHeader(text.substr(start, end - start));
        if (end < text.size()) trimmed += '\n';
        start = end + 1;
    }
    return trimmed;
}

std::string readConfigText(const char* path, int* error) {
    int failure = 0;
    std::string bytes;
    FILE* file = fopen(path, "rb");
    if (!file) {
        failure = errno == ENOENT || errno == ENOTDIR ? 0 : errno;
    } else {
        char chunk[4096];
        for (size_t n; (n = fread(chunk, 1, sizeof chunk, file)) > 0;)
            bytes.append(chunk, n);
        if (ferror(file)) failure = errno ? errno : EIO;
        fclose(file);
    }
    if (error) *error = failure;
    return failure ? std::string() : makeConfigText(bytes);
}

int useConfigText(const char* path) {
    int error = 0;
    std::string text = readConfigText(path, &error);
    set_config_data(text.data(), static_cast<int>(text.size()));
    return error;
}
