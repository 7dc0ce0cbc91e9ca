// A fresh folder under the system's temporary folder, removed with the object,
// and the file helpers the unpacking tests need. Paths are narrow strings
// with the platform's separator, as the stand-in receives them.
#pragma once
#include <set>
#include <string>
#include <vector>

class Sandbox {
  public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    // root + separator + relative, with '/' in relative turned into the separator.
    std::string Path(const std::string& relative) const;
    const std::string& Root() const { return m_root; }

    void WriteFile(const std::string& relative, const std::string& contents) const;
    void WriteFile(const std::string& relative, const std::vector<unsigned char>& contents) const;
    void MakeFolder(const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    bool IsFolder(const std::string& relative) const;
    std::string ReadFile(const std::string& relative) const;
    // Every file and folder below the root, relative, with '/' separators.
    std::set<std::string> List() const;

  private:
    std::string m_root;
};
