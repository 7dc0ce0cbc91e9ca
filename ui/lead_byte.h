// The lead-byte test of the C runtime's multibyte code page, which the program
// sets to the system's ANSI code page at start.
#pragma once
#include <mbctype.h>

inline bool IsActiveLeadByte(unsigned char byte) {
    return _ismbblead(byte) != 0;
}
