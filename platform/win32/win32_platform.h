// CPlatform on Windows: every method is the Win32 ANSI call of the same name.
#pragma once
#include "platform.h"

class CWin32Platform : public CPlatform {
  public:
    // IsActiveLeadByte (lead_byte.h).
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

    void ShutdownBlockReasonCreate(WindowHandle window, const char* reason) override;
    void ShutdownBlockReasonDestroy(WindowHandle window) override;
    // True from ShutdownBlockReasonCreate to ShutdownBlockReasonDestroy.
    bool IsShutdownBlocked() const { return m_shutdownBlocked; }

  private:
    bool m_shutdownBlocked = false;
};
