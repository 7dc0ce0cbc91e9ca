// The framework's string: ANSI text on the C heap. Without memory, it is empty.
#pragma once
#include <cstdlib>
#include <windows.h>

class CString {
  public:
    CString() = default;
    ~CString() { std::free(m_text); }
    CString(const CString&) = delete;
    CString& operator=(const CString&) = delete;
    CString& operator=(const char* text);

    bool IsEmpty() const { return m_text == nullptr || m_text[0] == '\0'; }
    operator const char*() const { return m_text != nullptr ? m_text : ""; }

    // Replaces the text with a zeroed buffer of length bytes and a NUL to write
    // into (nullptr without memory); the text ends at its first NUL.
    char* GetBufferSetLength(int length);
    // String resource id in the ANSI code page; false, and empty, without one.
    bool LoadString(UINT id);

  private:
    char* m_text = nullptr;
};
