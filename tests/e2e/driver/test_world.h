// A fresh folder for one program start, removed afterwards. Files are made
// with the ANSI functions: their names hold code page 932 characters.
#pragma once
#include "wait.h"
#include <windows.h>
#include <filesystem>
#include <stdexcept>
#include <string>

class TestWorld {
  public:
    TestWorld() {
        static int count = 0;
        m_root = std::filesystem::temp_directory_path().string() + "kve2e-" +
                 std::to_string(::GetCurrentProcessId()) + "-" +
                 std::to_string(::GetTickCount64()) + "-" + std::to_string(++count);
        MakeFolder("");
    }
    // A program that has just ended may hold a file for a moment.
    ~TestWorld() {
        std::error_code error;
        WaitUntil([&] { return std::filesystem::remove_all(m_root, error), !error; }, 5000, 100);
    }
    TestWorld(const TestWorld&) = delete;
    TestWorld& operator=(const TestWorld&) = delete;

    const std::string& Root() const { return m_root; }
    // Root + "\" + relative, with '/' in relative turned into '\'.
    std::string Path(std::string relative) const {
        for (char& character : relative)
            character = character == '/' ? '\\' : character;
        return m_root + "\\" + relative;
    }
    void MakeFolder(const std::string& relative) const {
        Check(::CreateDirectoryA(Path(relative).c_str(), nullptr), relative);
    }
    void CopyIn(const std::string& sourcePath, const std::string& relative) const {
        Check(::CopyFileA(sourcePath.c_str(), Path(relative).c_str(), FALSE), relative);
    }
    // A failed step throws; a handle left open then does not matter.
    void WriteFile(const std::string& relative, const std::string& bytes) const {
        HANDLE file = Open(relative, GENERIC_WRITE, CREATE_ALWAYS);
        DWORD done = 0;
        Check(::WriteFile(file, bytes.data(), bytes.size(), &done, nullptr) && ::CloseHandle(file),
              relative);
    }
    void SetLastWriteTime(const std::string& relative, const SYSTEMTIME& utc) const {
        HANDLE file = Open(relative, FILE_WRITE_ATTRIBUTES, OPEN_EXISTING);
        FILETIME time;
        Check(::SystemTimeToFileTime(&utc, &time) && ::SetFileTime(file, nullptr, nullptr, &time) &&
                  ::CloseHandle(file),
              relative);
    }
    // The file's bytes, or "<missing>".
    std::string ReadFile(const std::string& relative) const {
        HANDLE file = ::CreateFileA(Path(relative).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return "<missing>";
        std::string bytes;
        char chunk[4096];
        for (DWORD read; ::ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0;)
            bytes.append(chunk, read);
        ::CloseHandle(file);
        return bytes;
    }

  private:
    static void Check(bool done, const std::string& relative) {
        if (!done)
            throw std::runtime_error("cannot make or change " + relative);
    }
    HANDLE Open(const std::string& relative, DWORD access, DWORD disposition) const {
        HANDLE file =
            ::CreateFileA(Path(relative).c_str(), access, 0, nullptr, disposition, 0, nullptr);
        Check(file != INVALID_HANDLE_VALUE, relative);
        return file;
    }

    std::string m_root;
};

// A path relative to the running test program's folder, made absolute.
inline std::string BesideProgram(const std::string& relative) {
    char path[MAX_PATH];
    if (::GetModuleFileNameA(nullptr, path, sizeof path) >= sizeof path - 1)
        throw std::runtime_error("program path too long");
    return std::filesystem::weakly_canonical(std::filesystem::path(path).parent_path() / relative)
        .string();
}
