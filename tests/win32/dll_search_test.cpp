// RestrictDllSearch: a library planted in the current folder is no longer
// found by bare name, while one beside the program still is.
#include "dll_search.h"
#include "temp_folder.h"
#include <gtest/gtest.h>
#include <string>

namespace {

// Makes a folder current for the object's lifetime.
class CurrentFolder {
  public:
    explicit CurrentFolder(const std::string& folder) {
        GetCurrentDirectoryA(sizeof m_previous, m_previous);
        m_changed = SetCurrentDirectoryA(folder.c_str()) != FALSE;
    }
    ~CurrentFolder() { SetCurrentDirectoryA(m_previous); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

    bool Changed() const { return m_changed; }

  private:
    char m_previous[MAX_PATH] = "";
    bool m_changed;
};

// Loads by bare name and frees at once: whether the search found the library.
bool Loads(const char* name, std::string* loadedFrom = nullptr) {
    HMODULE library = LoadLibraryA(name);
    if (library == nullptr)
        return false;
    char path[MAX_PATH] = "";
    GetModuleFileNameA(library, path, sizeof path);
    if (loadedFrom != nullptr)
        *loadedFrom = path;
    FreeLibrary(library);
    return true;
}

TEST(DllSearch, ThePlantedLibraryInTheCurrentFolderIsNotLoadedOnceRestricted) {
    TempFolder folder("kvdll");
    folder.MakeFolder("cwd");
    CopyFileOrFail(ProgramFolder() + "UNLHA32.DLL", folder.Path("cwd\\planted.dll"));
    CurrentFolder current(folder.Path("cwd"));
    ASSERT_TRUE(current.Changed());

    SetDllDirectoryA(nullptr); // the default search, which includes the current folder
    std::string from;
    ASSERT_TRUE(Loads("planted.dll", &from)) << "the planted library must load by default";
    EXPECT_EQ(folder.Path("cwd\\planted.dll"), from);

    RestrictDllSearch();
    EXPECT_FALSE(Loads("planted.dll"));
    ASSERT_TRUE(Loads("UNLHA32.DLL", &from));
    EXPECT_EQ(ProgramFolder() + "UNLHA32.DLL", from);
}

} // namespace
