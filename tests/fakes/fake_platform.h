// In-memory platform and window for the core, keeping Win32's semantics where
// the core depends on them. Every call with an effect outside the installer is
// written, in order, to one log that the tests compare whole.
#pragma once
#include "installer_window.h"
#include "platform.h"
#include <deque>
#include <map>
#include <string>
#include <vector>

// Code page 932 lead bytes: 0x81-0x9F and 0xE0-0xFC.
inline bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

using Events = std::vector<std::string>;

struct FakeEntry {
    std::string path; // full path as created; looked up regardless of letter case
    std::uint32_t attributes;
    FileTime lastWrite;
    std::string content;
};

// Files and folders in creation order, which is also the listing order.
struct CFakeFiles {
    std::vector<FakeEntry> entries;
    void AddFile(const std::string& path, const std::string& content = "", FileTime lastWrite = {},
                 std::uint32_t attributes = 0x20 /* FILE_ATTRIBUTE_ARCHIVE */);
    void AddDirectory(const std::string& path) { entries.push_back({path, 0x10, {}, ""}); }
    FakeEntry* Find(const std::string& path);
};

struct FakeTopWindow {
    std::string title;
    int polledAfterClose = 0; // polls that still list it once asked to close; -1: never closes
    bool postFails = false;
    bool closing = false;
};

class CFakePlatform : public CPlatform {
  public:
    Events log;
    CFakeFiles files;
    std::string modulePath = "C:\\Tools\\kvinst.exe"; // empty: GetModuleFileNameA fails
    int localOffsetMinutes = 0;
    std::vector<FakeTopWindow> windows;
    std::map<std::string, std::vector<std::string>> libraries; // name -> exports
    int archiverResult = 0;
    WindowHandle archiverOwner = nullptr;
    std::uint32_t archiverOutputSize = 0;
    int openListings = 0, loadedLibraries = 0;

    bool IsLeadByte(unsigned char byte) override { return IsCp932LeadByte(byte); }
    std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) override;
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* buffer,
                                           std::uint32_t size, const char* fileName) override;
    bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                    const char* fileName) override;
    FindHandle FindFirstFileA(const char* pattern, FindData* data) override;
    bool FindNextFileA(FindHandle handle, FindData* data) override;
    void FindClose(FindHandle) override { --openListings; }
    bool FileTimeToLocalFileTime(const FileTime* utc, FileTime* local) override;
    bool FileTimeToSystemTime(const FileTime* time, SystemTime* systemTime) override;
    bool EnumWindows(EnumWindowsCallback callback, void* context) override;
    int GetWindowTextA(WindowHandle window, char* buffer, int size) override;
    bool PostCloseMessage(WindowHandle window) override;
    void Sleep(std::uint32_t milliseconds) override;
    LibraryHandle LoadLibraryA(const char* name) override;
    ArchiverProcAddress GetProcAddress(LibraryHandle library, const char* name) override;
    int CallArchiverProc(ArchiverProcAddress proc, WindowHandle owner, const char* commandLine,
                         char* output, std::uint32_t outputSize) override;
    void FreeLibrary(LibraryHandle) override;
    void DeleteFileA(const char* path) override { log.push_back(std::string("delete ") + path); }
    void ShellExecuteA(const char* file, const char* folder) override;

  private:
    std::map<FindHandle, std::vector<FindData>> m_listings;
    FindHandle m_nextListing = 1;
};

// Logs "box <text>|<caption, or (none)>|<type>" and answers from a queue (IDOK when empty).
class CFakeWindow : public CInstallerWindow {
  public:
    explicit CFakeWindow(Events& log) : m_log(log) {}
    std::map<int, std::string> fields;
    std::deque<int> answers;

    void ShowFieldText(int controlId, const char* text) override { fields[controlId] = text; }
    int ShowMessage(const char* text, const char* caption, unsigned type) override;
    WindowHandle OwnerWindow() override { return this; }
    void EndWithOk() override { m_log.push_back("end"); }

  private:
    Events& m_log;
};
