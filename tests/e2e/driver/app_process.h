// A program under test, started without standard handles (so that nothing it
// starts holds the test runner's output open) and killed if still running
// when the object goes away. It inherits this process's environment.
#pragma once
#include <windows.h>
#include <string>

class AppProcess {
  public:
    AppProcess() = default;
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    bool Start(const std::string& exePath, const std::string& arguments,
               const std::string& workingFolder);
    bool WaitForExit(DWORD timeoutMs);
    bool IsRunning() const;
    DWORD ExitCode() const;
    void Kill();
    DWORD Id() const { return m_info.dwProcessId; }

  private:
    PROCESS_INFORMATION m_info = {};
};
