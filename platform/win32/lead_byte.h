// The program's one lead-byte test: _ismbblead of the C runtime's multibyte
// code page, which the program sets to the system's ANSI code page at start
// (_setmbcp(_MB_CP_ANSI)). The core reaches it through CPlatform::IsLeadByte.
#pragma once
#include <mbctype.h>

inline bool IsActiveLeadByte(unsigned char byte) {
    return _ismbblead(byte) != 0;
}
