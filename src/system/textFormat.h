#ifndef VORN_SYSTEM_TEXTFORMAT_H
#define VORN_SYSTEM_TEXTFORMAT_H

#include <cstdarg>
#include <string>
#include <vector>

// printf-style formatting into a string of whatever length the text needs.
std::string textf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vtextf(const char* format, va_list args);

// Case-insensitive equality, as Allegro compares section and key names.
bool sameName(const std::string& a, const std::string& b);
// The words of text, split at blanks.
std::vector<std::string> splitWords(const std::string& text);

#endif
