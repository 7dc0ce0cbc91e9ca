#include "test_world.h"
#include "wait.h"
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

TestWorld::TestWorld() {
    static unsigned counter = 0;
    fs::path root = fs::temp_directory_path() /
                    ("kve2e-" + std::to_string(::GetCurrentProcessId()) + "-" +
                     std::to_string(::GetTickCount64()) + "-" + std::to_string(counter++));
    fs::create_directories(root);
    m_root = root.string();
}

// A program that has just ended may hold a file for a moment.
TestWorld::~TestWorld() {
    WaitUntil(
        [&] {
            std::error_code error;
            fs::remove_all(m_root, error);
            return !error;
        },
        5000, 100);
}

std::string TestWorld::Path(const std::string& relative) const {
    std::string path = m_root + "\\" + relative;
    for (char& character : path)
        character = character == '/' ? '\\' : character;
    return path;
}

// The ANSI functions throughout: names hold code page 932 characters.
void TestWorld::MakeFolder(const std::string& relative) const {
    if (!::CreateDirectoryA(Path(relative).c_str(), nullptr))
        throw std::runtime_error("cannot make " + relative);
}

void TestWorld::WriteFile(const std::string& relative, const std::string& contents) const {
    HANDLE file = ::CreateFileA(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool ok = file != INVALID_HANDLE_VALUE &&
              ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written,
                          nullptr) &&
              written == contents.size();
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    if (!ok)
        throw std::runtime_error("cannot write " + relative);
}

void TestWorld::CopyIn(const std::string& sourcePath, const std::string& relative) const {
    if (!::CopyFileA(sourcePath.c_str(), Path(relative).c_str(), FALSE))
        throw std::runtime_error("cannot copy to " + relative);
}

bool TestWorld::Exists(const std::string& relative) const {
    return ::GetFileAttributesA(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TestWorld::ReadFile(const std::string& relative) const {
    HANDLE file = ::CreateFileA(Path(relative).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0)
        bytes.append(chunk, read);
    ::CloseHandle(file);
    return bytes;
}

void TestWorld::SetLastWriteTime(const std::string& relative, const SYSTEMTIME& utc) const {
    FILETIME time;
    HANDLE file = ::CreateFileA(Path(relative).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    bool set = file != INVALID_HANDLE_VALUE && ::SystemTimeToFileTime(&utc, &time) &&
               ::SetFileTime(file, nullptr, nullptr, &time);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    if (!set)
        throw std::runtime_error("cannot set the time of " + relative);
}

std::string BesideProgram(const std::string& relative) {
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        throw std::runtime_error("no program path");
    return fs::weakly_canonical(fs::path(path).parent_path() / relative).string();
}
