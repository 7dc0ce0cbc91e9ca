// A fresh folder for one program start, removed afterwards, with the file
// helpers the tests need.
#pragma once
#include <windows.h>
#include <string>

class TestWorld {
  public:
    TestWorld();
    ~TestWorld();
    TestWorld(const TestWorld&) = delete;
    TestWorld& operator=(const TestWorld&) = delete;

    const std::string& Root() const { return m_root; }
    // Root + "\" + relative, with '/' in relative turned into '\'.
    std::string Path(const std::string& relative) const;

    void MakeFolder(const std::string& relative) const;
    void WriteFile(const std::string& relative, const std::string& contents) const;
    void CopyIn(const std::string& sourcePath, const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    // The file's bytes, or "<missing>".
    std::string ReadFile(const std::string& relative) const;
    void SetLastWriteTime(const std::string& relative, const SYSTEMTIME& utc) const;

  private:
    std::string m_root;
};

// A path given relative to the running test program's folder, made absolute.
std::string BesideProgram(const std::string& relative);
