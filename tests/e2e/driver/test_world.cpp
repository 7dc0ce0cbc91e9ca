#include "test_world.h"
#include "wait.h"
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

TestWorld::TestWorld() {
    static std::atomic<unsigned> counter{0};
    char temp[MAX_PATH];
    DWORD length = ::GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        throw std::runtime_error("no temporary folder");
    fs::path root =
        fs::path(temp) / ("kve2e-" + std::to_string(::GetCurrentProcessId()) + "-" +
                          std::to_string(::GetTickCount64()) + "-" + std::to_string(counter++));
    fs::create_directories(root);
    m_root = root.string();
}

// A program that has just ended may still hold a file for a moment.
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
    for (char& character : path) {
        if (character == '/')
            character = '\\';
    }
    return path;
}

void TestWorld::MakeFolder(const std::string& relative) const {
    fs::create_directories(Path(relative));
}

void TestWorld::WriteFile(const std::string& relative, const std::string& contents) const {
    std::ofstream file(Path(relative), std::ios::binary);
    file << contents;
    if (!file)
        throw std::runtime_error("cannot write " + relative);
}

void TestWorld::CopyIn(const std::string& sourcePath, const std::string& relative) const {
    fs::copy_file(sourcePath, Path(relative), fs::copy_options::overwrite_existing);
}

bool TestWorld::Exists(const std::string& relative) const {
    return ::GetFileAttributesA(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string TestWorld::ReadFile(const std::string& relative) const {
    std::ifstream file(Path(relative), std::ios::binary);
    if (!file)
        return std::string();
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> TestWorld::ReadLines(const std::string& relative) const {
    std::vector<std::string> lines;
    std::string contents = ReadFile(relative);
    size_t start = 0;
    while (start < contents.size()) {
        size_t end = contents.find('\n', start);
        if (end == std::string::npos)
            end = contents.size();
        std::string line = contents.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

void TestWorld::SetLastWriteTime(const std::string& relative, const SYSTEMTIME& utc) const {
    FILETIME time;
    if (!::SystemTimeToFileTime(&utc, &time))
        throw std::runtime_error("bad time for " + relative);
    HANDLE file = ::CreateFileA(Path(relative).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool set = file != INVALID_HANDLE_VALUE && ::SetFileTime(file, nullptr, nullptr, &time);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    if (!set)
        throw std::runtime_error("cannot set the time of " + relative);
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        throw std::runtime_error("no program path");
    return fs::path(path).parent_path().string();
}

std::string BesideProgram(const std::string& relative) {
    return fs::weakly_canonical(fs::path(ProgramFolder()) / relative).string();
}
