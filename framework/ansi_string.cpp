#include "ansi_string.h"
#include "win_app.h"
#include <cstring>

CString& CString::operator=(const char* text) {
    std::size_t length = std::strlen(text);
    if (GetBufferSetLength(static_cast<int>(length)) != nullptr)
        std::memcpy(m_text, text, length);
    return *this;
}

// The old text goes first, so that a failed allocation leaves an empty string.
char* CString::GetBufferSetLength(int length) {
    std::free(m_text);
    m_text = static_cast<char*>(std::calloc(static_cast<std::size_t>(length) + 1, 1));
    return m_text;
}

// LoadStringW without a buffer gives the length in UTF-16 units, each at most two ANSI bytes.
bool CString::LoadString(UINT id) {
    const wchar_t* resource = nullptr;
    int length = ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&resource), 0);
    char* buffer = GetBufferSetLength(2 * length);
    return length > 0 && buffer != nullptr &&
           ::LoadStringA(AfxGetInstanceHandle(), id, buffer, 2 * length + 1) > 0;
}
