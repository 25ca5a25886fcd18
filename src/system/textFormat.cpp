#include "system/textFormat.h"

#include <cstdio>
#include <sstream>
#include <strings.h>

std::string vtextf(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int length = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out(length > 0 ? length : 0, '\0');
    if (length > 0) vsnprintf(&out[0], out.size() + 1, format, args);
    return out;
}

std::string textf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string out = vtextf(format, args);
    va_end(args);
    return out;
}

bool sameName(const std::string& a, const std::string& b) {
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

std::vector<std::string> splitWords(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}
