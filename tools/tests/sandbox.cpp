#include "sandbox.h"
#include "entry_name.h"
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

Sandbox::Sandbox() {
    static std::atomic<unsigned> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path root = fs::temp_directory_path() /
                    ("kvzip-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(root);
    m_root = root.string();
}

Sandbox::~Sandbox() {
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

std::string Sandbox::Path(const std::string& relative) const {
    std::string path = m_root + kPathSeparator + relative;
    for (std::size_t i = m_root.size(); i < path.size(); ++i) {
        if (path[i] == '/')
            path[i] = kPathSeparator;
    }
    return path;
}

void Sandbox::WriteFile(const std::string& relative, const std::string& contents) const {
    std::ofstream file(Path(relative), std::ios::binary);
    file << contents;
    if (!file)
        throw std::runtime_error("cannot write " + relative);
}

void Sandbox::WriteFile(const std::string& relative,
                        const std::vector<unsigned char>& contents) const {
    WriteFile(relative, std::string(contents.begin(), contents.end()));
}

void Sandbox::MakeFolder(const std::string& relative) const {
    fs::create_directories(Path(relative));
}

bool Sandbox::Exists(const std::string& relative) const {
    return fs::exists(Path(relative));
}

bool Sandbox::IsFolder(const std::string& relative) const {
    return fs::is_directory(Path(relative));
}

std::string Sandbox::ReadFile(const std::string& relative) const {
    std::ifstream file(Path(relative), std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + relative);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::set<std::string> Sandbox::List() const {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(m_root))
        names.insert(fs::relative(entry.path(), m_root).generic_string());
    return names;
}
