// The core's platform and window in memory, with Win32's semantics where the core
// depends on them; what acts outside the installer is logged ("box": a message box).
#pragma once
#include "installer.h"
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

inline bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
inline std::string Fold(std::string text) { // names match regardless of letter case
    for (std::size_t i = 0; i < text.size(); i += IsCp932LeadByte(text[i]) ? 2 : 1)
        text[i] = static_cast<char>(text[i] >= 'A' && text[i] <= 'Z' ? text[i] + 32 : text[i]);
    return text;
}
using Events = std::vector<std::string>;
using Fields = std::map<int, std::string>; // display field: its text
struct FakeEntry {
    std::string path;         // looked up regardless of letter case
    std::uint32_t attributes; // 0x10 for a folder
    FileTime lastWrite;
    std::string content = ""; // of an INI file
};
struct FakeTopWindow {
    std::string title;
    int polledAfterClose = 0; // polls that still list it once asked to close; -1: all
    bool postFails = false, closing = false;
};
class CFakePlatform : public CPlatform, public CInstallerWindow {
  public:
    Events log;
    std::vector<FakeEntry> files; // in creation order, which is also the listing order
    std::string modulePath = "C:\\Tools\\kvinst.exe"; // empty: GetModuleFileNameA fails
    std::vector<FakeTopWindow> windows;
    std::map<std::string, std::string> libraries; // name: the one entry point it exports
    int archiverResult = 0, openListings = 0;
    Fields fields;
    int answer = 1;                           // to every message box: IDOK
    std::function<void()> duringCall = [] {}; // what the archiver's message pump lets in

    bool IsLeadByte(unsigned char byte) override { return IsCp932LeadByte(byte); }
    // Vista's semantics: a path that does not fit is cut and the full size returned.
    std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) override {
        buffer[modulePath.copy(buffer, size - 1)] = '\0';
        return modulePath.size() < size ? static_cast<std::uint32_t>(modulePath.size()) : size;
    }
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* buffer,
                                           std::uint32_t size, const char* fileName) override;
    bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                    const char* fileName) override {
        log.push_back(std::string("write ") + fileName + " " + section + " " + key + "=" + value);
        return true;
    }
    FindHandle FindFirstFileA(const char* pattern, FindData* data) override;
    bool FindNextFileA(FindHandle, FindData* data) override { // one listing at a time
        return !m_listing.empty() && (*data = m_listing.front(), m_listing.pop_front(), true);
    }
    void FindClose(FindHandle) override { --openListings, m_listing.clear(); }
    bool FileTimeToLocalFileTime(const FileTime* utc, FileTime* local) override;
    bool FileTimeToSystemTime(const FileTime* time, SystemTime* systemTime) override;
    bool EnumWindows(EnumWindowsCallback callback, void* context) override {
        log.push_back("enum");
        for (std::size_t i = 0; i < windows.size(); ++i) {
            FakeTopWindow& window = windows[i]; // gone after its polledAfterClose polls
            if (window.closing && window.polledAfterClose-- == 0)
                window.polledAfterClose = 0;
            else if (!callback(reinterpret_cast<WindowHandle>(i + 1), context))
                return false;
        }
        return true;
    }
    int GetWindowTextA(WindowHandle window, char* buffer, int size) override {
        buffer[Window(window).title.copy(buffer, static_cast<std::size_t>(size) - 1)] = '\0';
        return static_cast<int>(std::strlen(buffer));
    }
    bool PostCloseMessage(WindowHandle window) override {
        log.push_back("post " + Window(window).title);
        return Window(window).closing = !Window(window).postFails;
    }
    void Sleep(std::uint32_t ms) override { log.push_back("sleep " + std::to_string(ms)); }
    LibraryHandle LoadLibraryA(const char* name) override {
        log.push_back(std::string("load ") + name);
        const auto library = libraries.find(name);
        return library == libraries.end() ? nullptr : &library->second;
    }
    ArchiverProcAddress GetProcAddress(LibraryHandle library, const char* name) override {
        log.push_back(std::string("proc ") + name);
        return *static_cast<std::string*>(library) == name ? library : nullptr;
    }
    // Logs the output buffer's size, and fills the buffer: a size beyond it
    // shows under a memory checker.
    int CallArchiverProc(ArchiverProcAddress, WindowHandle owner, const char* commandLine,
                         char* output, std::uint32_t outputSize) override {
        log.push_back(std::string("call ") + commandLine + "|" + std::to_string(outputSize) +
                      (owner == this ? "" : "|another owner"));
        std::memset(output, 'o', outputSize);
        duringCall();
        return archiverResult;
    }
    void FreeLibrary(LibraryHandle) override { log.push_back("free"); }
    void DeleteFileA(const char* path) override { log.push_back(std::string("delete ") + path); }
    void ShellExecuteA(const char* file, const char* folder) override {
        log.push_back(std::string("exec ") + file + "|" + folder);
    }

    void ShutdownBlockReasonCreate(WindowHandle window, const char* reason) override {
        log.push_back(std::string("block ") + reason + (window == this ? "" : "|another window"));
    }
    void ShutdownBlockReasonDestroy(WindowHandle) override { log.push_back("unblock"); }

    void ShowFieldText(int id, const char* text) override { fields[id] = text; }
    int ShowMessage(const char* text, const char* caption, unsigned type) override {
        log.push_back(std::string("box ") + text + "|" + (caption ? caption : "(none)") + "|" +
                      std::to_string(type));
        return answer;
    }
    WindowHandle OwnerWindow() override { return this; }
    void EndWithOk() override { log.push_back("end"); }

  private:
    FakeTopWindow& Window(WindowHandle handle) {
        return windows[reinterpret_cast<std::size_t>(handle) - 1];
    }
    std::deque<FindData> m_listing;
};

// An installer on the fake, its state first filled with junk so that what an
// operation should set and does not shows.
struct Core {
    CFakePlatform fake;
    CInstaller in{fake, fake};
    Core() { // every field from m_installDir to m_archiver
        char* first = in.m_installDir;
        std::memset(first, 0x5A, reinterpret_cast<char*>(&in.m_archiver + 1) - first);
    }
};

inline void SetText(char (&field)[kMaxPath], const std::string& text) {
    field[text.copy(field, kMaxPath - 1)] = '\0';
}
