// The run-time library entry points that the program defines itself, so that
// neither the C++ library nor MinGW's own printf is linked into it.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <new>

// The program allocates no object with new, but the virtual destructors'
// deleting variants name operator delete.
void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

// Abstract classes' tables name this; a call means a fault of the program itself.
extern "C" void __cxa_pure_virtual() {
    std::abort();
}

// The C++ library's configuration routes every snprintf and vsnprintf of C++
// code to MinGW's own printf, 28 KB of code mostly for floating point, which
// the program never formats. The program's formats (%d, %s, widths and zero
// fill) go to the system C runtime instead, with the C99 results: the text cut
// to capacity - 1 bytes and a NUL, and the length the whole text would have.
extern "C" int __cdecl __mingw_vsnprintf(char* buffer, std::size_t capacity, const char* format,
                                         va_list args) {
    va_list again;
    va_copy(again, args);
    int length = _vsnprintf(buffer, capacity, format, args);
    if (length < 0 || static_cast<std::size_t>(length) >= capacity) {
        if (capacity > 0)
            buffer[capacity - 1] = '\0';
        length = _vscprintf(format, again);
    }
    va_end(again);
    return length;
}
