// The framework's string: ANSI text on the C heap, with what data exchange and
// string resources need. A string that could not get its memory is empty.
#pragma once
#include <windows.h>

class CString {
  public:
    CString() = default;
    ~CString();
    CString(const CString&) = delete;
    CString& operator=(const CString&) = delete;
    CString& operator=(const char* text);

    bool IsEmpty() const { return m_text == nullptr || m_text[0] == '\0'; }
    operator const char*() const { return m_text != nullptr ? m_text : ""; }

    // Replaces the text with a zeroed writable buffer of length bytes and a NUL
    // (nullptr without memory); the string is the buffer's text up to its first NUL.
    char* GetBufferSetLength(int length);

    // The program's string resource id in the ANSI code page. False, with an
    // empty string, when there is none.
    bool LoadString(UINT id);

  private:
    char* m_text = nullptr;
};
