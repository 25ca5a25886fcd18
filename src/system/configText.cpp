#include "system/configText.h"

#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

#include "system/fileAccess.h"

size_t textCharacterLength(const std::string& s, size_t i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x20) return c == '\t' || c == '\n' || c == '\r' ? 1 : 0;
    if (c < 0x80) return 1;
    size_t length = c >= 0xc2 && c <= 0xdf ? 2 : c >= 0xe0 && c <= 0xef ? 3 : c >= 0xf0 && c <= 0xf4 ? 4 : 0;
    if (length == 0 || i + length > s.size()) return 0;
    // The second byte's range rules out overlong forms, UTF-16 surrogates and code points beyond
    // U+10FFFF, which are no characters.
    unsigned char second = static_cast<unsigned char>(s[i + 1]);
    if ((c == 0xe0 && second < 0xa0) || (c == 0xed && second > 0x9f) || (c == 0xf0 && second < 0x90) ||
        (c == 0xf4 && second > 0x8f))
        return 0;
    for (size_t k = 1; k < length; k++)
        if ((static_cast<unsigned char>(s[i + k]) & 0xc0) != 0x80) return 0;
    return length;
}

namespace {

// Editors on some systems begin a UTF-8 file with this mark; it is no part of the text.
const char byteOrderMark[] = "\xef\xbb\xbf";
const size_t byteOrderMarkLength = 3;

size_t textStart(const std::string& bytes) {
    return bytes.compare(0, byteOrderMarkLength, byteOrderMark) == 0 ? byteOrderMarkLength : 0;
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

std::string makePlainText(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = textStart(bytes); i < bytes.size();) {
        size_t length = textCharacterLength(bytes, i);
        if (length == 0) {
            text += '?';
            i++;
        } else {
            text.append(bytes, i, length);
            i += length;
        }
    }
    return text;
}

std::vector<int> linesNotText(const std::string& bytes) {
    std::vector<int> lines;
    int line = 1;
    for (size_t i = textStart(bytes); i < bytes.size();) {
        size_t length = textCharacterLength(bytes, i);
        if (length == 0 && (lines.empty() || lines.back() != line)) lines.push_back(line);
        if (bytes[i] == '\n') line++;
        i += length == 0 ? 1 : length;
    }
    return lines;
}

std::string makeConfigText(const std::string& bytes) {
    std::string text = makePlainText(bytes);
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

bool readFileBytes(const char* path, std::string* bytes) {
    bytes->clear();
    int fd = openForReading(path);
    if (fd < 0) return false;
    char chunk[65536];
    int failure = 0;
    // The file may grow while it is read: the bound holds all the same.
    while (failure == 0) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n == 0) break;
        if (n < 0 && errno != EINTR) failure = errno;
        if (n > 0) bytes->append(chunk, static_cast<size_t>(n));
        if (bytes->size() > static_cast<size_t>(maxReadBytes)) failure = ERR_TOO_LARGE;
    }
    close(fd);
    if (failure) bytes->clear();
    errno = failure;
    return failure == 0;
}

std::string readConfigText(const char* path, int* error) {
    std::string bytes;
    int failure = 0;
    if (!readFileBytes(path, &bytes)) failure = errno == ENOENT || errno == ENOTDIR ? 0 : errno;
    if (error) *error = failure;
    return failure ? std::string() : makeConfigText(bytes);
}

int useConfigText(const char* path) {
    int error = 0;
    std::string text = readConfigText(path, &error);
    set_config_data(text.data(), static_cast<int>(text.size()));
    return error;
}
