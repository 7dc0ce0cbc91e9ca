#include "win32_platform.h"
#include "com_scope.h"
#include "lead_byte.h"
#include "process_ground.h"
#include "shell_library.h"
#include <windows.h>
#include <shellapi.h>
#include <cstring>
#include <type_traits>

namespace {

static_assert(sizeof(FileTime) == sizeof(FILETIME), "FILETIME layout");
static_assert(sizeof(SystemTime) == sizeof(SYSTEMTIME), "SYSTEMTIME layout");
static_assert(sizeof(FindData::cFileName) == sizeof(WIN32_FIND_DATAA::cFileName),
              "cFileName capacity");
static_assert(sizeof(FindData::cAlternateFileName) == sizeof(WIN32_FIND_DATAA::cAlternateFileName),
              "cAlternateFileName capacity");
static_assert(std::is_same<FindHandle, INT_PTR>::value, "a HANDLE fits a FindHandle");

FILETIME ToWin32(const FileTime& time) {
    FILETIME result;
    result.dwLowDateTime = time.dwLowDateTime;
    result.dwHighDateTime = time.dwHighDateTime;
    return result;
}

FileTime FromWin32(const FILETIME& time) {
    return FileTime{time.dwLowDateTime, time.dwHighDateTime};
}

void FromWin32(const WIN32_FIND_DATAA& source, FindData* data) {
    data->dwFileAttributes = source.dwFileAttributes;
    data->ftCreationTime = FromWin32(source.ftCreationTime);
    data->ftLastAccessTime = FromWin32(source.ftLastAccessTime);
    data->ftLastWriteTime = FromWin32(source.ftLastWriteTime);
    data->nFileSizeHigh = source.nFileSizeHigh;
    data->nFileSizeLow = source.nFileSizeLow;
    data->dwReserved0 = source.dwReserved0;
    data->dwReserved1 = source.dwReserved1;
    std::memcpy(data->cFileName, source.cFileName, sizeof data->cFileName);
    std::memcpy(data->cAlternateFileName, source.cAlternateFileName,
                sizeof data->cAlternateFileName);
}

HANDLE ToHandle(FindHandle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// EnumWindows passes one LPARAM; it carries the core's callback and its context.
struct EnumWindowsAdapter {
    EnumWindowsCallback callback;
    void* context;
};

BOOL CALLBACK EnumWindowsThunk(HWND window, LPARAM parameter) {
    const EnumWindowsAdapter& adapter = *reinterpret_cast<const EnumWindowsAdapter*>(parameter);
    return adapter.callback(window, adapter.context) ? TRUE : FALSE;
}

using ArchiverProc = int(WINAPI*)(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize);

// USER32's function name, typed as its declaration; nullptr where Windows lacks it.
#define USER32_FUNCTION(name)                                                                      \
    reinterpret_cast<decltype(&::name)>(                                                           \
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), #name)))

} // namespace

bool CWin32Platform::IsLeadByte(unsigned char byte) {
    return IsActiveLeadByte(byte);
}

std::uint32_t CWin32Platform::GetModuleFileNameA(char* buffer, std::uint32_t size) {
    return ::GetModuleFileNameA(nullptr, buffer, size);
}

std::uint32_t CWin32Platform::GetPrivateProfileStringA(const char* section, const char* key,
                                                       const char* defaultValue, char* buffer,
                                                       std::uint32_t size, const char* fileName) {
    return ::GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

bool CWin32Platform::WritePrivateProfileStringA(const char* section, const char* key,
                                                const char* value, const char* fileName) {
    return ::WritePrivateProfileStringA(section, key, value, fileName) != FALSE;
}

FindHandle CWin32Platform::FindFirstFileA(const char* pattern, FindData* data) {
    WIN32_FIND_DATAA found;
    HANDLE handle = ::FindFirstFileA(pattern, &found);
    if (handle == INVALID_HANDLE_VALUE)
        return kInvalidFindHandle;
    FromWin32(found, data);
    return reinterpret_cast<FindHandle>(handle);
}

bool CWin32Platform::FindNextFileA(FindHandle handle, FindData* data) {
    WIN32_FIND_DATAA found;
    if (!::FindNextFileA(ToHandle(handle), &found))
        return false;
    FromWin32(found, data);
    return true;
}

void CWin32Platform::FindClose(FindHandle handle) {
    ::FindClose(ToHandle(handle));
}

bool CWin32Platform::FileTimeToLocalFileTime(const FileTime* utc, FileTime* local) {
    FILETIME source = ToWin32(*utc);
    FILETIME result;
    if (!::FileTimeToLocalFileTime(&source, &result))
        return false;
    *local = FromWin32(result);
    return true;
}

bool CWin32Platform::FileTimeToSystemTime(const FileTime* time, SystemTime* systemTime) {
    FILETIME source = ToWin32(*time);
    SYSTEMTIME result;
    if (!::FileTimeToSystemTime(&source, &result))
        return false;
    systemTime->wYear = result.wYear;
    systemTime->wMonth = result.wMonth;
    systemTime->wDayOfWeek = result.wDayOfWeek;
    systemTime->wDay = result.wDay;
    systemTime->wHour = result.wHour;
    systemTime->wMinute = result.wMinute;
    systemTime->wSecond = result.wSecond;
    systemTime->wMilliseconds = result.wMilliseconds;
    return true;
}

bool CWin32Platform::EnumWindows(EnumWindowsCallback callback, void* context) {
    EnumWindowsAdapter adapter{callback, context};
    return ::EnumWindows(EnumWindowsThunk, reinterpret_cast<LPARAM>(&adapter)) != FALSE;
}

int CWin32Platform::GetWindowTextA(WindowHandle window, char* buffer, int size) {
    return ::GetWindowTextA(static_cast<HWND>(window), buffer, size);
}

bool CWin32Platform::PostCloseMessage(WindowHandle window) {
    return ::PostMessageA(static_cast<HWND>(window), WM_CLOSE, 0, 0) != FALSE;
}

void CWin32Platform::Sleep(std::uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

LibraryHandle CWin32Platform::LoadLibraryA(const char* name) {
    return ::LoadLibraryA(name);
}

ArchiverProcAddress CWin32Platform::GetProcAddress(LibraryHandle library, const char* name) {
    return reinterpret_cast<ArchiverProcAddress>(
        ::GetProcAddress(static_cast<HMODULE>(library), name));
}

// The library may show windows of its own and pump messages until it returns:
// the owner is disabled meanwhile, as under a modal window, so that no click or
// key reaches it, and afterwards gets its focus back. A window of the
// library's that closed while the owner was disabled left another program in
// front: the owner takes the foreground back where Windows allows it, that is
// unless the user has since turned to another program. Before anything else,
// the process gets back what the library may have changed in it.
int CWin32Platform::CallArchiverProc(ArchiverProcAddress proc, WindowHandle owner,
                                     const char* commandLine, char* output,
                                     std::uint32_t outputSize) {
    HWND window = static_cast<HWND>(owner);
    HWND focus = ::GetFocus();
    bool wasEnabled = !::EnableWindow(window, FALSE);
    ProcessGround ground;
    int result = reinterpret_cast<ArchiverProc>(proc)(window, commandLine, output, outputSize);
    ground.Restore();
    if (wasEnabled) {
        ::EnableWindow(window, TRUE);
        ::SetForegroundWindow(window);
        if (::IsWindow(focus))
            ::SetFocus(focus);
    }
    return result;
}

void CWin32Platform::FreeLibrary(LibraryHandle library) {
    ::FreeLibrary(static_cast<HMODULE>(library));
}

void CWin32Platform::DeleteFileA(const char* path) {
    ::DeleteFileA(path);
}

// ShellExecuteA may hand the start to a shell extension, which needs COM.
void CWin32Platform::ShellExecuteA(const char* file, const char* folder) {
    auto shellExecute = SHELL_FUNCTION(ShellExecuteA);
    if (shellExecute == nullptr)
        return;
    ComScope com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    shellExecute(nullptr, nullptr, file, nullptr, folder, SW_SHOWNORMAL);
}

// Windows XP has neither function: there the refusal of WM_QUERYENDSESSION
// alone holds the session, without a reason shown. The reason is code page
// 932 text, as all of the installer's own.
void CWin32Platform::ShutdownBlockReasonCreate(WindowHandle window, const char* reason) {
    m_shutdownBlocked = true;
    wchar_t text[128];
    auto create = USER32_FUNCTION(ShutdownBlockReasonCreate);
    if (create != nullptr && ::MultiByteToWideChar(932, 0, reason, -1, text, 128) > 0)
        create(static_cast<HWND>(window), text);
}

void CWin32Platform::ShutdownBlockReasonDestroy(WindowHandle window) {
    m_shutdownBlocked = false;
    auto destroy = USER32_FUNCTION(ShutdownBlockReasonDestroy);
    if (destroy != nullptr)
        destroy(static_cast<HWND>(window));
}
