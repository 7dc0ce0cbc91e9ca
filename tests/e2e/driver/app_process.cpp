#include "app_process.h"
#include <vector>

AppProcess::~AppProcess() {
    if (m_info.hProcess == nullptr)
        return;
    Kill();
    ::CloseHandle(m_info.hThread);
    ::CloseHandle(m_info.hProcess);
}

bool AppProcess::Start(const std::string& exePath, const std::string& arguments,
                       const std::string& workingFolder) {
    if (m_info.hProcess != nullptr)
        return false;
    std::string line = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    return ::CreateProcessA(exePath.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            workingFolder.c_str(), &startup, &m_info) != FALSE;
}

bool AppProcess::WaitForExit(DWORD timeoutMs) {
    return m_info.hProcess != nullptr &&
           ::WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool AppProcess::IsRunning() const {
    return m_info.hProcess != nullptr && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD AppProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_info.hProcess != nullptr)
        ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

void AppProcess::Kill() {
    if (!IsRunning())
        return;
    ::TerminateProcess(m_info.hProcess, 255);
    ::WaitForSingleObject(m_info.hProcess, 5000);
}
