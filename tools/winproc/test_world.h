// A fresh folder for one program start, removed afterwards. Paths are ANSI text:
// their names hold code page 932 characters.
#pragma once
#include "wait.h"
#include <windows.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

class TestWorld {
  public:
    TestWorld() {
        static int count = 0;
        m_root = (std::filesystem::temp_directory_path() /
                  ("kve2e-" + std::to_string(::GetCurrentProcessId()) + "-" +
                   std::to_string(::GetTickCount64()) + "-" + std::to_string(++count)))
                     .string();
        MakeFolder("");
    }
    ~TestWorld() { // a program that has just ended may hold a file for a moment
        std::error_code error;
        WaitUntil([&] { return std::filesystem::remove_all(m_root, error), !error; }, 5000, 100);
    }

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
    void WriteFile(const std::string& relative, const std::string& bytes) const {
        Check(static_cast<bool>(std::ofstream(Path(relative), std::ios::binary) << bytes),
              relative);
    }
    void SetLastWriteTime(const std::string& relative, const SYSTEMTIME& utc) const {
        HANDLE file = ::CreateFileA(Path(relative).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        FILETIME time;
        Check(::SystemTimeToFileTime(&utc, &time) && ::SetFileTime(file, nullptr, nullptr, &time) &&
                  ::CloseHandle(file),
              relative);
    }
    std::string ReadFile(const std::string& relative) const { // its bytes, or "<missing>"
        std::ifstream file(Path(relative), std::ios::binary);
        return file ? std::string(std::istreambuf_iterator<char>(file), {}) : "<missing>";
    }

  private:
    static void Check(bool done, const std::string& relative) {
        if (!done)
            throw std::runtime_error("cannot make or change " + relative);
    }

    std::string m_root;
};

// A path relative to the running test program's folder, made absolute.
inline std::string BesideProgram(const std::string& relative) {
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    return std::filesystem::weakly_canonical(std::filesystem::path(path).parent_path() / relative)
        .string();
}
