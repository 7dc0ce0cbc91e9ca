#include "stamp.h"
#include <cstring>

namespace {

bool IsStampByte(std::size_t position, unsigned char byte) {
    return (byte >= '0' && byte <= '9') || (position == 4 && byte == '_');
}

} // namespace

bool IsNewerStamp(char (&best)[kStampLength + 1], const char* candidate) {
    if (std::strlen(candidate) != kStampLength)
        return false;
    for (std::size_t i = 0; i < kStampLength; ++i) {
        if (!IsStampByte(i, static_cast<unsigned char>(candidate[i])))
            return false;
    }
    if (std::memcmp(candidate, best, kStampLength) < 0) // memcmp compares as unsigned bytes
        return false;
    std::memcpy(best, candidate, kStampLength + 1);
    return true;
}

void ExtractStem(const char* name, int pattern, char* stem) {
    const char* rest = name + 2;
    const char* dot = std::strchr(rest, '.');
    std::size_t length = dot == nullptr ? std::strlen(rest) : static_cast<std::size_t>(dot - rest);
    if (dot != nullptr && pattern == kUnderscorePattern)
        length = length == 0 ? 0 : length - 1;
    std::memcpy(stem, rest, length);
    stem[length] = '\0';
}
