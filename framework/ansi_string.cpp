#include "ansi_string.h"
#include "win_app.h"
#include <cstdlib>
#include <cstring>

CString::~CString() {
    std::free(m_text);
}

CString& CString::operator=(const char* text) {
    if (text == nullptr)
        text = "";
    int length = static_cast<int>(std::strlen(text));
    if (GetBufferSetLength(length) != nullptr)
        std::memcpy(m_text, text, static_cast<std::size_t>(length));
    return *this;
}

// The old text goes first, so that a failed allocation leaves an empty string.
char* CString::GetBufferSetLength(int length) {
    std::free(m_text);
    m_text =
        static_cast<char*>(std::calloc(static_cast<std::size_t>(length > 0 ? length : 0) + 1, 1));
    return m_text;
}

// LoadStringW without a buffer hands out the resource's length in UTF-16 units;
// its ANSI text takes at most two bytes for each.
bool CString::LoadString(UINT id) {
    const wchar_t* resource = nullptr;
    int length = ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&resource), 0);
    char* buffer = GetBufferSetLength(length > 0 ? 2 * length : 0);
    return length > 0 && buffer != nullptr &&
           ::LoadStringA(AfxGetInstanceHandle(), id, buffer, 2 * length + 1) > 0;
}
