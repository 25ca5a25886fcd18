#include "check/checkText.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "check/ConfigFile.h"

bool isWholeNumber(const std::string& s) {
    size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    if (i >= s.size()) return false;
    for (; i < s.size(); i++)
        if (!isdigit((unsigned char)s[i])) return false;
    return true;
}

bool isRealNumber(const std::string& s) {
    if (s.empty()) return false;
    char* end = nullptr;
    strtod(s.c_str(), &end);
    return end && *end == '\0' && !isspace((unsigned char)s[0]);
}

namespace {

int editDistance(const std::string& a, const std::string& b) {
    std::vector<int> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); j++)
        row[j] = (int)j;
    for (size_t i = 1; i <= a.size(); i++) {
        int diagonal = row[0];
        row[0] = (int)i;
        for (size_t j = 1; j <= b.size(); j++) {
            int above = row[j];
            int same = tolower((unsigned char)a[i - 1]) == tolower((unsigned char)b[j - 1]);
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::string closestName(const std::string& word, const std::vector<std::string>& candidates) {
    std::string best;
    int bestDistance = 1 + std::max(1, (int)word.size() / 4);
    for (const std::string& c : candidates) {
        if (sameName(c, word)) return c;
        int d = editDistance(word, c);
        if (d < bestDistance) bestDistance = d, best = c;
    }
    return best;
}

std::string didYouMean(const std::string& word, const std::vector<std::string>& candidates) {
    std::string c = closestName(word, candidates);
    return c.empty() ? "" : " Did you mean \"" + c + "\"?";
}

std::string listWords(const std::vector<std::string>& words) {
    std::string out;
    for (size_t i = 0; i < words.size(); i++) {
        if (i) out += i + 1 == words.size() ? " or " : ", ";
        out += "\"" + words[i] + "\"";
    }
    return out;
}
