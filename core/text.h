// Bounded text helpers for the fixed 260-byte buffers, and the multibyte-aware
// backslash searches (a trail byte 0x5C of a double-byte character is no backslash).
#pragma once
#include <cstddef>
#include <cstring>

// Formats into a fixed buffer. Returns false, leaving an empty text, when the
// result would not fit: a cut path could name another file.
bool FormatFits(char* buffer, std::size_t capacity, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

template <std::size_t N, class... Args>
bool FormatFits(char (&buffer)[N], const char* format, Args... args) {
    return FormatFits(buffer, N, format, args...);
}

// Copies at most capacity - 1 bytes and a NUL, never ending on a lone lead byte.
template <class IsLead>
void CopyText(char* destination, std::size_t capacity, const char* source, IsLead isLead) {
    std::size_t end = 0;
    for (std::size_t i = 0; source[i] != '\0';) {
        std::size_t width =
            (isLead(static_cast<unsigned char>(source[i])) && source[i + 1]) ? 2 : 1;
        if (i + width > capacity - 1)
            break;
        i += width;
        end = i;
    }
    std::memmove(destination, source, end);
    destination[end] = '\0';
}

// The last single-byte backslash of the text, or nullptr.
template <class IsLead> char* FindLastBackslash(char* text, IsLead isLead) {
    char* last = nullptr;
    for (char* p = text; *p != '\0'; ++p) {
        if (isLead(static_cast<unsigned char>(*p))) {
            if (p[1] == '\0')
                break;
            ++p;
        } else if (*p == '\\') {
            last = p;
        }
    }
    return last;
}

// Removes one backslash when it is the text's last single-byte character.
template <class IsLead> void TrimTrailingBackslash(char* text, IsLead isLead) {
    char* last = FindLastBackslash(text, isLead);
    if (last != nullptr && last[1] == '\0')
        *last = '\0';
}

// The folder picker's initial selection for a folder text: one trailing
// backslash removed, and a bare drive (D:) given its root backslash back (D:\),
// the form the picker accepts. text must have room for one more byte.
template <class IsLead> void PrepareInitialSelection(char* text, IsLead isLead) {
    TrimTrailingBackslash(text, isLead);
    if (text[0] != '\0' && text[1] == ':' && text[2] == '\0') {
        text[2] = '\\';
        text[3] = '\0';
    }
}
