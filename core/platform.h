// The operating-system calls the installer core needs, under their Win32 names.
// platform/win32 implements them with the real calls; tests use fakes that keep
// the same semantics.
#pragma once
#include "records.h"
#include <cstdint>

using FindHandle = std::intptr_t;
constexpr FindHandle kInvalidFindHandle = -1; // INVALID_HANDLE_VALUE

using WindowHandle = void*;  // HWND
using LibraryHandle = void*; // HMODULE
using ArchiverProcAddress = void*;

// EnumWindows callback: true goes on, false stops the enumeration.
using EnumWindowsCallback = bool (*)(WindowHandle window, void* context);

class CPlatform {
  public:
    virtual ~CPlatform() = default;

    // The lead-byte test of the active multibyte code page (_ismbblead).
    virtual bool IsLeadByte(unsigned char byte) = 0;

    // Module and settings file.
    virtual std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) = 0;
    virtual std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                                   const char* defaultValue, char* buffer,
                                                   std::uint32_t size, const char* fileName) = 0;
    virtual bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                            const char* fileName) = 0;

    // Directory listings and times.
    virtual FindHandle FindFirstFileA(const char* pattern, FindData* data) = 0;
    virtual bool FindNextFileA(FindHandle handle, FindData* data) = 0;
    virtual void FindClose(FindHandle handle) = 0;
    virtual bool FileTimeToLocalFileTime(const FileTime* utc, FileTime* local) = 0;
    virtual bool FileTimeToSystemTime(const FileTime* time, SystemTime* systemTime) = 0;

    // Top-level windows of other programs.
    virtual bool EnumWindows(EnumWindowsCallback callback, void* context) = 0;
    virtual int GetWindowTextA(WindowHandle window, char* buffer, int size) = 0;
    virtual bool PostCloseMessage(WindowHandle window) = 0; // PostMessageA(WM_CLOSE, 0, 0)
    virtual void Sleep(std::uint32_t milliseconds) = 0;

    // Archiver libraries. CallArchiverProc calls the entry point as
    // int WINAPI ArchiverProc(HWND, LPCSTR commandLine, LPSTR output, DWORD outputSize).
    virtual LibraryHandle LoadLibraryA(const char* name) = 0;
    virtual ArchiverProcAddress GetProcAddress(LibraryHandle library, const char* name) = 0;
    virtual int CallArchiverProc(ArchiverProcAddress proc, WindowHandle owner,
                                 const char* commandLine, char* output,
                                 std::uint32_t outputSize) = 0;
    virtual void FreeLibrary(LibraryHandle library) = 0;

    // After an install. Results are not looked at.
    virtual void DeleteFileA(const char* path) = 0;
    // ShellExecuteA(no owner, default verb, file, no parameters, folder, SW_SHOWNORMAL)
    virtual void ShellExecuteA(const char* file, const char* folder) = 0;

    // The part of an install that cannot answer Windows: from the first call
    // to the last, the window refuses the end of the session, and Windows shows
    // the reason (code page 932 text) beside its offer to end it all the same.
    virtual void ShutdownBlockReasonCreate(WindowHandle window, const char* reason) = 0;
    virtual void ShutdownBlockReasonDestroy(WindowHandle window) = 0;
};
