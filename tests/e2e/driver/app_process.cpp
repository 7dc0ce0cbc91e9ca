#include "app_process.h"
#include <cstring>

namespace {

// "NAME=value" entries compare by name without regard to letter case, as
// Windows treats variable names.
bool SameName(const std::string& entry, const std::string& name) {
    return entry.size() > name.size() && entry[name.size()] == '=' &&
           ::_strnicmp(entry.c_str(), name.c_str(), name.size()) == 0;
}

} // namespace

std::vector<char> BuildEnvironmentBlock(const EnvironmentOverrides& overrides) {
    std::vector<std::string> entries;
    char* block = ::GetEnvironmentStringsA();
    for (const char* entry = block; entry != nullptr && *entry != '\0';
         entry += std::strlen(entry) + 1) {
        bool replaced = false;
        for (const auto& override : overrides)
            replaced = replaced || SameName(entry, override.first);
        if (!replaced)
            entries.emplace_back(entry);
    }
    if (block != nullptr)
        ::FreeEnvironmentStringsA(block);
    for (const auto& override : overrides) {
        if (!override.second.empty())
            entries.push_back(override.first + "=" + override.second);
    }
    std::vector<char> result;
    for (const std::string& entry : entries)
        result.insert(result.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
    result.push_back('\0');
    return result;
}

AppProcess::~AppProcess() {
    if (m_info.hProcess == nullptr)
        return;
    Kill();
    ::CloseHandle(m_info.hThread);
    ::CloseHandle(m_info.hProcess);
}

bool AppProcess::Start(const std::string& exePath, const std::string& arguments,
                       const std::string& workingFolder, const EnvironmentOverrides& overrides) {
    if (m_info.hProcess != nullptr)
        return false;
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::vector<char> writableCommandLine(commandLine.begin(), commandLine.end());
    writableCommandLine.push_back('\0');
    std::vector<char> environment = BuildEnvironmentBlock(overrides);
    // No standard handles: otherwise the program and whatever it starts
    // would hold the test runner's output pipe open, and a process left
    // running would keep the runner waiting.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    return ::CreateProcessA(exePath.c_str(), writableCommandLine.data(), nullptr, nullptr, FALSE, 0,
                            environment.data(), workingFolder.c_str(), &startup, &m_info) != FALSE;
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
