#include "check/Report.h"

#include <cstdio>

#include "system/configText.h"

namespace {

std::string trimEnd(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == ' ' || s.back() == '\r'))
        s.pop_back();
    return s;
}

// JSON must be UTF-8: a byte that is no part of a character (a file name in Latin-1, say)
// becomes the replacement character U+FFFD.
std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (size_t i = 0; i < s.size();) {
        unsigned char c = (unsigned char)s[i];
        size_t length = textCharacterLength(s, i);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += (char)c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20) {
            char buf[8];
            snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else if (length == 0) {
            out += "\\ufffd";
        } else {
            out.append(s, i, length);
            i += length;
            continue;
        }
        i++;
    }
    return out + "\"";
}

std::string shownFile(const std::string& file, const std::string& dataFolder) {
    if (file.compare(0, 5, "data/") != 0) return file;
    return dataFolder + file.substr(5);
}

const char* severityName(Severity s) {
    return s == Severity::Error ? "error" : "warning";
}

} // namespace

Problem& Report::add(Severity s, const Place& where, const std::string& what, const std::string& game,
                     const std::string& fix) {
    problems.push_back({s, where, what, game, fix, {}});
    return problems.back();
}

Problem& Report::error(const Place& where, const std::string& what, const std::string& game,
                       const std::string& fix) {
    return add(Severity::Error, where, what, game, fix);
}

Problem& Report::warning(const Place& where, const std::string& what, const std::string& game,
                         const std::string& fix) {
    return add(Severity::Warning, where, what, game, fix);
}

int Report::getErrorCount() const {
    int n = 0;
    for (const Problem& p : problems)
        n += p.severity == Severity::Error;
    return n;
}

int Report::getWarningCount() const {
    return (int)problems.size() - getErrorCount();
}

bool Report::explains(const std::string& message) const {
    std::string wanted = trimEnd(message);
    for (const Problem& p : problems)
        for (const std::string& m : p.gameMessages)
            if (trimEnd(m) == wanted) return true;
    return false;
}

void Report::writeText(std::ostream& out, const std::string& dataFolder) const {
    for (const Problem& p : problems) {
        out << shownFile(p.place.file, dataFolder);
        if (p.place.line > 0) out << ":" << p.place.line;
        out << ": " << severityName(p.severity) << ": ";
        if (!p.place.section.empty()) out << "[" << p.place.section << "] ";
        if (!p.place.key.empty()) out << p.place.key << ": ";
        out << p.what << "\n";
        if (!p.game.empty()) out << "    game: " << p.game << "\n";
        if (!p.fix.empty()) out << "    fix:  " << p.fix << "\n";
    }
    out << getCountText() << "\n";
}

std::string Report::getCountText() const {
    int e = getErrorCount(), w = getWarningCount();
    return std::to_string(e) + (e == 1 ? " error, " : " errors, ") + std::to_string(w) +
           (w == 1 ? " warning" : " warnings");
}

void Report::writeJson(std::ostream& out, const std::string& dataFolder) const {
    out << "{\n  \"errors\": " << getErrorCount() << ",\n  \"warnings\": " << getWarningCount()
        << ",\n  \"problems\": [";
    for (size_t i = 0; i < problems.size(); i++) {
        const Problem& p = problems[i];
        out << (i ? ",\n" : "\n") << "    {\"severity\": " << jsonString(severityName(p.severity))
            << ", \"file\": " << jsonString(shownFile(p.place.file, dataFolder))
            << ", \"section\": " << jsonString(p.place.section) << ", \"key\": " << jsonString(p.place.key)
            << ", \"line\": ";
        if (p.place.line > 0)
            out << p.place.line;
        else
            out << "null";
        out << ", \"problem\": " << jsonString(p.what) << ", \"game\": " << jsonString(p.game)
            << ", \"fix\": " << jsonString(p.fix) << "}";
    }
    out << (problems.empty() ? "]\n}\n" : "\n  ]\n}\n");
}
