#include "kv_process.h"
#include "temp_folder.h"
#include <tlhelp32.h>

std::string StubKvPath() {
    return ProgramFolder() + "kv.exe";
}

KvProcess::KvProcess(DWORD processId)
    : m_process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE,
                            processId)),
      m_id(processId) {}

KvProcess::~KvProcess() {
    if (m_process == nullptr)
        return;
    if (IsRunning()) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 10000);
    }
    CloseHandle(m_process);
}

bool KvProcess::Start(const std::string& program, const std::string& arguments,
                      const std::string& folder) {
    std::string commandLine = Quoted(program) + " " + arguments;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return false;
    CloseHandle(process.hThread);
    m_process = process.hProcess;
    m_id = process.dwProcessId;
    return true;
}

namespace {

struct WindowSearch {
    DWORD processId;
    const std::string* title;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM parameter) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[300] = "";
    if (owner != search.processId || !IsWindowVisible(window) ||
        GetWindowTextA(window, title, sizeof title) < 0 || *search.title != title)
        return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

HWND KvProcess::WaitForWindow(const std::string& title, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    do {
        WindowSearch search{m_id, &title, nullptr};
        EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        if (!IsRunning())
            return nullptr;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool KvProcess::IsRunning() const {
    return m_process != nullptr && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

bool KvProcess::WaitForExit(DWORD timeoutMs) const {
    return m_process != nullptr && WaitForSingleObject(m_process, timeoutMs) == WAIT_OBJECT_0;
}

std::vector<DWORD> ChildProcesses(const char* exeName) {
    std::vector<DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return children;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == GetCurrentProcessId() &&
            lstrcmpiA(entry.szExeFile, exeName) == 0)
            children.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return children;
}
