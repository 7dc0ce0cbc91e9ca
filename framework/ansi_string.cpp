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

bool CString::LoadString(UINT id) {
    GetBufferSetLength(0);
    // With no buffer size, LoadStringW hands out the resource's own UTF-16 text
    // and its length, so no buffer size has to be guessed.
    const wchar_t* resource = nullptr;
    int length = ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || resource == nullptr)
        return false;
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, resource, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0 || GetBufferSetLength(bytes) == nullptr)
        return false;
    ::WideCharToMultiByte(CP_ACP, 0, resource, length, m_text, bytes, nullptr, nullptr);
    return true;
}
