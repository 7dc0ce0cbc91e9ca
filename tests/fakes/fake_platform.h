// A CPlatform that keeps Win32's semantics in memory: files and INI files
// (fake_file_system.h, fake_profile.h), the module path, time conversion,
// top-level windows of other programs, archiver libraries and what happens
// after an install. Every call with an effect outside the installer is written
// to one ordered event log:
//   "find:<pattern>"  FindFirstFileA          "enum"            EnumWindows
//   "post:<title>"    PostMessageA(WM_CLOSE)  "sleep:<ms>"      Sleep
//   "load:<name>"     LoadLibraryA            "proc:<name>"     GetProcAddress
//   "call:<command line>"  the archiver entry point
//   "free"            FreeLibrary             "delete:<path>"   DeleteFileA
//   "exec:<file>|<folder>"  ShellExecuteA
// CFakeWindow (fake_window.h) writes its "message:<text>" and "end" into the same log.
#pragma once
#include "fake_file_system.h"
#include "platform.h"
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using EventLog = std::vector<std::string>;

// A top-level window of another program.
struct FakeTopWindow {
    static constexpr int kNeverCloses = -1;

    WindowHandle handle;
    std::string title;
    // Enumerations that still list the window after it was asked to close
    // (0: gone by the next one), or kNeverCloses.
    int listedAfterClose;
    bool postFails;
    bool closeRequested;
};

// A loadable library and the entry points it exports (names match exactly).
struct FakeLibrary {
    std::string name;
    std::vector<std::string> exports;
};

struct ArchiverCall {
    std::string entryName;
    WindowHandle owner;
    std::string commandLine;
    std::uint32_t outputSize;
};

class CFakePlatform : public CPlatform {
  public:
    EventLog events;

    // Files; the installer's own executable; local time = UTC + this offset.
    CFakeFileSystem files;
    std::string modulePath = "C:\\Tools\\kvinst.exe";
    int localOffsetMinutes = 0;

    // Top-level windows, in enumeration order; sleeps taken.
    std::vector<FakeTopWindow> windows;
    int sleepCount = 0;
    std::uint64_t sleptMilliseconds = 0;

    // Libraries that LoadLibraryA finds (by name regardless of case; any other
    // name fails); what the archiver entry point was given and returns.
    std::vector<FakeLibrary> libraries;
    std::vector<ArchiverCall> archiverCalls;
    int archiverResult = 0;
    int loadedLibraries = 0; // loads not yet freed

    WindowHandle AddWindow(const std::string& title, int listedAfterClose = 0,
                           bool postFails = false);
    int OpenListings() const { return static_cast<int>(m_listings.size()); }

    bool IsLeadByte(unsigned char byte) override;
    // Win32 (Vista and later) on a short buffer: size - 1 bytes and a NUL are
    // copied and size is returned.
    std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) override;
    // Default nullptr reads as empty, and trailing blanks of the default are
    // dropped, as Win32 does. Section and key must not be null: the
    // enumerating forms are not provided.
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* buffer,
                                           std::uint32_t size, const char* fileName) override;
    // Fails, changing nothing, for a read-only file, a folder, a missing parent
    // folder or a null argument (deleting keys or sections is not provided).
    bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                    const char* fileName) override;

    // A listing is taken whole when it starts; later changes do not show in it.
    FindHandle FindFirstFileA(const char* pattern, FindData* data) override;
    bool FindNextFileA(FindHandle handle, FindData* data) override;
    void FindClose(FindHandle handle) override;
    bool FileTimeToLocalFileTime(const FileTime* utc, FileTime* local) override;
    bool FileTimeToSystemTime(const FileTime* time, SystemTime* systemTime) override;

    bool EnumWindows(EnumWindowsCallback callback, void* context) override;
    int GetWindowTextA(WindowHandle window, char* buffer, int size) override;
    bool PostCloseMessage(WindowHandle window) override;
    void Sleep(std::uint32_t milliseconds) override;

    LibraryHandle LoadLibraryA(const char* name) override;
    ArchiverProcAddress GetProcAddress(LibraryHandle library, const char* name) override;
    // Records the call and fills the output buffer to its full size, so that a
    // buffer smaller than claimed shows up under a memory checker.
    int CallArchiverProc(ArchiverProcAddress proc, WindowHandle owner, const char* commandLine,
                         char* output, std::uint32_t outputSize) override;
    void FreeLibrary(LibraryHandle library) override;

    // Removes the file unless it is missing, a folder or read-only.
    void DeleteFileA(const char* path) override;
    void ShellExecuteA(const char* file, const char* folder) override;

  private:
    struct Listing {
        std::vector<FindData> entries;
        std::size_t next;
    };

    FakeTopWindow* FindWindow(WindowHandle window);

    std::map<FindHandle, Listing> m_listings;
    FindHandle m_nextListing = 1;
    std::map<ArchiverProcAddress, std::string> m_procNames;
    int m_nextWindow = 1;
};
