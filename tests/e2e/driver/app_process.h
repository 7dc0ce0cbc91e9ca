// A program under test, started with CreateProcess and never left behind: a
// process still running when the object goes away is killed.
#pragma once
#include <windows.h>
#include <string>
#include <utility>
#include <vector>

using EnvironmentOverrides = std::vector<std::pair<std::string, std::string>>;

class AppProcess {
  public:
    AppProcess() = default;
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    // Starts exePath (with arguments, if any) in workingFolder, with this
    // process's environment changed by overrides (an empty value removes the
    // variable). False when the program could not be started.
    bool Start(const std::string& exePath, const std::string& arguments,
               const std::string& workingFolder, const EnvironmentOverrides& overrides = {});

    // True once the process has ended within timeoutMs.
    bool WaitForExit(DWORD timeoutMs);
    bool IsRunning() const;
    DWORD ExitCode() const;
    void Kill();

    DWORD Id() const { return m_info.dwProcessId; }
    DWORD MainThreadId() const { return m_info.dwThreadId; }

  private:
    PROCESS_INFORMATION m_info = {};
};

// A copy of this process's environment block with overrides applied.
std::vector<char> BuildEnvironmentBlock(const EnvironmentOverrides& overrides);
