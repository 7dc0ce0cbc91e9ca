// A program under test, started without standard handles (else it and what it
// starts would hold the test runner's output open) and killed if it still runs
// when the object goes away. It inherits this process's environment.
#pragma once
#include <windows.h>
#include <string>

class AppProcess {
  public:
    AppProcess() = default;
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;
    ~AppProcess() { Kill(), ::CloseHandle(m_info.hProcess), ::CloseHandle(m_info.hThread); }

    bool Start(const std::string& exePath, std::string arguments, const std::string& folder) {
        arguments = "\"" + exePath + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        return !m_info.hProcess &&
               ::CreateProcessA(exePath.c_str(), &arguments[0], nullptr, nullptr, FALSE, 0, nullptr,
                                folder.c_str(), &startup, &m_info);
    }
    bool WaitForExit(DWORD timeoutMs) {
        return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, timeoutMs) == 0;
    }
    bool IsRunning() { return m_info.hProcess && !WaitForExit(0); }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        return ::GetExitCodeProcess(m_info.hProcess, &code), code;
    }
    void Kill() {
        if (IsRunning() && ::TerminateProcess(m_info.hProcess, 255))
            WaitForExit(5000);
    }
    DWORD Id() const { return m_info.dwProcessId; }

  private:
    PROCESS_INFORMATION m_info = {};
};
