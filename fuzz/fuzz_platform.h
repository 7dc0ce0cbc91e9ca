// A small in-memory platform for the fuzz targets: one folder of listed
// entries and one settings value. Every other call fails or does nothing; the
// scan and the settings reads use none of them.
#pragma once
#include "installer_window.h"
#include "platform.h"
#include <map>
#include <utility>
#include <string>
#include <vector>

class CFuzzPlatform : public CPlatform {
  public:
    struct Entry {
        std::string name; // at most 259 bytes
        bool directory;
    };

    explicit CFuzzPlatform(std::string folder) : m_folder(std::move(folder)) {}

    // The record the listing gives for entry index: the index + 1 in
    // nFileSizeLow tells which entry a copied record came from.
    static FindData RecordOf(const Entry& entry, std::size_t index);

    std::vector<Entry> m_entries;
    bool m_hasSetting = false; // GetPrivateProfileStringA finds the key
    std::string m_setting;     // its value
    std::string m_written;     // the last value WritePrivateProfileStringA was given

    int OpenListings() const;

    bool IsLeadByte(unsigned char byte) override;
    std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) override;
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* buffer,
                                           std::uint32_t size, const char* fileName) override;
    bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                    const char* fileName) override;
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
    int CallArchiverProc(ArchiverProcAddress proc, WindowHandle owner, const char* commandLine,
                         char* output, std::uint32_t outputSize) override;
    void FreeLibrary(LibraryHandle library) override;
    void DeleteFileA(const char* path) override;
    void ShellExecuteA(const char* file, const char* folder) override;

  private:
    struct Listing {
        std::vector<std::size_t> matches; // entry indexes, in listing order
        std::size_t next = 0;
        bool open = true;
    };

    std::string m_folder;
    std::vector<Listing> m_listings; // a handle is an index here
};

// Records the display fields; the scan must show no message and never end the dialog.
class CFuzzWindow : public CInstallerWindow {
  public:
    std::map<int, std::string> m_fields;

    void ShowFieldText(int controlId, const char* text) override;
    int ShowMessage(const char* text, const char* caption, unsigned type) override;
    WindowHandle OwnerWindow() override;
    void EndWithOk() override;
};
