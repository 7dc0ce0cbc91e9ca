#include "text.h"
#include <cstdarg>
#include <cstdio>

bool FormatFits(char* buffer, std::size_t capacity, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(buffer, capacity, format, args);
    va_end(args);
    if (length < 0 || static_cast<std::size_t>(length) >= capacity) {
        buffer[0] = '\0';
        return false;
    }
    return true;
}
