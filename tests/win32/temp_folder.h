// A fresh folder under the Windows temporary folder, removed with everything
// in it when the object goes away. Paths are code page 932 text with
// backslashes; every file operation goes through the Win32 ANSI calls, so
// that names with double-byte characters reach the file system as the
// installer would give them.
#pragma once
#include <string>

class TempFolder {
  public:
    explicit TempFolder(const char* prefix = "kvw");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Root() const { return m_root; }
    // Root + "\" + relative (relative uses backslashes).
    std::string Path(const std::string& relative) const;

    void MakeFolder(const std::string& relative) const;
    void WriteFile(const std::string& relative, const std::string& bytes) const;
    // The file's bytes; "<missing>" when it cannot be opened.
    std::string ReadFile(const std::string& relative) const;
    bool Exists(const std::string& relative) const;

  private:
    std::string m_root;
};

// Copies a file; fails the calling test when it cannot.
void CopyFileOrFail(const std::string& from, const std::string& to);

// The folder of this test program, with a trailing backslash.
std::string ProgramFolder();
