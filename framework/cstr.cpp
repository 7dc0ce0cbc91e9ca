#include "cstr.h"
#include "win_app.h"
#include <cstring>

char* CString::GetBufferSetLength(int length) {
    m_text.assign(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    return &m_text[0];
}

void CString::ReleaseBuffer() {
    m_text.resize(std::strlen(m_text.c_str()));
}

bool CString::LoadString(UINT id) {
    m_text.clear();
    // With no buffer size, LoadStringW hands out the resource's own UTF-16 text
    // and its length, so no buffer size has to be guessed.
    const wchar_t* resource = nullptr;
    int length = ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || resource == nullptr)
        return false;
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, resource, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return false;
    m_text.resize(static_cast<std::size_t>(bytes));
    ::WideCharToMultiByte(CP_ACP, 0, resource, length, &m_text[0], bytes, nullptr, nullptr);
    return true;
}
