// Stand-in kv.exe processes (tools/stubs/kv_stub.cpp) for the tests that need
// real windows of another process. A process still running when its object
// goes away is terminated, so no test leaves one behind.
#pragma once
#include <string>
#include <vector>
#include <windows.h>

// The stand-in kv.exe beside this test program.
std::string StubKvPath();

class KvProcess {
  public:
    KvProcess() = default;
    // Adopts a process that something else started (its id), for clean-up.
    explicit KvProcess(DWORD processId);
    ~KvProcess();
    KvProcess(const KvProcess&) = delete;
    KvProcess& operator=(const KvProcess&) = delete;

    // Starts program with the arguments (already quoted as needed) in folder.
    bool Start(const std::string& program, const std::string& arguments, const std::string& folder);
    // The process's visible top-level window with exactly this title, waited
    // for up to timeoutMs; nullptr when it did not appear.
    HWND WaitForWindow(const std::string& title, DWORD timeoutMs) const;
    bool WaitForExit(DWORD timeoutMs) const;
    bool IsRunning() const;
    DWORD Id() const { return m_id; }

  private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

// Ids of the running processes whose parent is this process and whose
// program file is named exeName (regardless of case).
std::vector<DWORD> ChildProcesses(const char* exeName);

// Quotes an argument for a command line (the stand-in's titles have no quotes).
inline std::string Quoted(const std::string& argument) {
    return "\"" + argument + "\"";
}
