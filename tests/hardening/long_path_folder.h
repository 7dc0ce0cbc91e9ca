// A fresh folder under the Windows temporary folder, removed with everything
// in it when the object goes away. Paths are code page 932 text; the file
// operations here go through the wide calls with the \\?\ prefix, so that a
// test can lay out names and paths longer than the ANSI calls accept and
// then look at them through the installer, which uses the ANSI calls only.
#pragma once
#include <string>

class LongPathFolder {
  public:
    explicit LongPathFolder(const char* prefix = "kvh");
    ~LongPathFolder();
    LongPathFolder(const LongPathFolder&) = delete;
    LongPathFolder& operator=(const LongPathFolder&) = delete;

    const std::string& Root() const { return m_root; }
    // Root + "\" + relative (backslashes in relative).
    std::string Path(const std::string& relative) const;

    // Creates the folder and any missing folders above it.
    void MakeFolders(const std::string& relative) const;
    void WriteFile(const std::string& relative, const std::string& bytes) const;
    // The file's bytes; "<missing>" when it cannot be opened.
    std::string ReadFile(const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    bool IsFolder(const std::string& relative) const;

    // A folder below the root whose full path is exactly length bytes,
    // created; made of a first component named after tag and padding
    // components. The result is the relative name.
    std::string MakeFolderOfLength(const std::string& tag, std::size_t length) const;

  private:
    std::string m_root;
};

// The wide \\?\ form of an absolute code page 932 path.
std::wstring LongWidePath(const std::string& path);

// Removes a folder tree (any path length).
void RemoveTree(const std::string& folder);
