#include "quote.h"
#include <cstring>

bool QuoteIfSpaced(char* text) {
    if (std::strchr(text, ' ') == nullptr)
        return true;
    char work[256];
    std::size_t length = std::strlen(text);
    if (length > sizeof work - 3)
        return false;
    work[0] = '"';
    std::memcpy(work + 1, text, length);
    work[length + 1] = '"';
    work[length + 2] = '\0';
    std::memcpy(text, work, length + 3);
    return true;
}
