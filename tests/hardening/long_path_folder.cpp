#include "long_path_folder.h"
#include <windows.h>
#include <stdexcept>

namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty())
        return std::wstring();
    int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(),
                                     static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        throw std::runtime_error("not code page text: " + text);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

} // namespace

std::wstring LongWidePath(const std::string& path) {
    return L"\\\\?\\" + Widen(path);
}

void RemoveTree(const std::string& folder) {
    const std::wstring wide = LongWidePath(folder);
    WIN32_FIND_DATAW entry;
    HANDLE listing = FindFirstFileW((wide + L"\\*").c_str(), &entry);
    if (listing != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = wide + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                char narrow[4 * MAX_PATH];
                int length = WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, narrow, sizeof narrow,
                                                 nullptr, nullptr);
                if (length > 0)
                    RemoveTree(folder + "\\" + narrow);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(listing, &entry));
        FindClose(listing);
    }
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(wide.c_str());
}

LongPathFolder::LongPathFolder(const char* prefix) {
    char base[MAX_PATH];
    DWORD length = GetTempPathA(sizeof base, base);
    if (length == 0 || length >= sizeof base)
        throw std::runtime_error("no temporary folder");
    for (unsigned attempt = 0;; ++attempt) {
        m_root = std::string(base) + prefix + std::to_string(GetCurrentProcessId()) + "_" +
                 std::to_string(GetTickCount() + attempt);
        if (CreateDirectoryA(m_root.c_str(), nullptr))
            break;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create " + m_root);
    }
}

LongPathFolder::~LongPathFolder() {
    RemoveTree(m_root);
}

std::string LongPathFolder::Path(const std::string& relative) const {
    return m_root + "\\" + relative;
}

void LongPathFolder::MakeFolders(const std::string& relative) const {
    // Separators are searched in the wide form: a trail byte 0x5C is no separator.
    const std::wstring wide = LongWidePath(Path(relative));
    const std::size_t rootEnd = LongWidePath(m_root).size();
    for (std::size_t at = wide.find(L'\\', rootEnd + 1);; at = wide.find(L'\\', at + 1)) {
        const std::wstring part = wide.substr(0, at);
        if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create folder " + relative);
        if (at == std::wstring::npos)
            break;
    }
}

void LongPathFolder::WriteFile(const std::string& relative, const std::string& bytes) const {
    HANDLE file = CreateFileW(LongWidePath(Path(relative)).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write " + relative);
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size())
        throw std::runtime_error("cannot write " + relative);
}

std::string LongPathFolder::ReadFile(const std::string& relative) const {
    HANDLE file = CreateFileW(LongWidePath(Path(relative)).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    static char chunk[1 << 16];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

bool LongPathFolder::Exists(const std::string& relative) const {
    return GetFileAttributesW(LongWidePath(Path(relative)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool LongPathFolder::IsFolder(const std::string& relative) const {
    DWORD attributes = GetFileAttributesW(LongWidePath(Path(relative)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string LongPathFolder::MakeFolderOfLength(const std::string& tag, std::size_t length) const {
    std::string relative = tag;
    std::size_t total = m_root.size() + 1 + relative.size();
    if (total + 2 > length)
        throw std::runtime_error("root too long for a folder of the asked length");
    // Padding components of at most 100 bytes, each with its separator.
    while (total < length) {
        std::size_t part = std::min<std::size_t>(100, length - total - 1);
        if (part == 0) {
            // One byte left: lengthen the last component instead.
            relative += 'p';
            ++total;
            break;
        }
        relative += "\\" + std::string(part, 'p');
        total += 1 + part;
    }
    MakeFolders(relative);
    return relative;
}
