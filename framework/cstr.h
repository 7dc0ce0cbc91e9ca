// A growable ANSI string, for data exchange with controls and for string resources.
#pragma once
#include <windows.h>
#include <string>

class CString {
  public:
    CString() = default;
    CString(const char* text) : m_text(text != nullptr ? text : "") {}
    CString& operator=(const char* text) {
        m_text.assign(text != nullptr ? text : "");
        return *this;
    }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    operator const char*() const { return m_text.c_str(); }

    // A writable buffer of length bytes and a NUL; ReleaseBuffer then takes the
    // text up to its first NUL as the string.
    char* GetBufferSetLength(int length);
    void ReleaseBuffer();

    // The program's string resource id in the ANSI code page. False, with an
    // empty string, when there is none.
    bool LoadString(UINT id);

  private:
    std::string m_text;
};
