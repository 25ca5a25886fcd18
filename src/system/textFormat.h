#ifndef VORN_SYSTEM_TEXTFORMAT_H
#define VORN_SYSTEM_TEXTFORMAT_H

#include <cstdarg>
#include <string>

// printf-style formatting into a string of whatever length the text needs.
std::string textf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vtextf(const char* format, va_list args);

#endif
