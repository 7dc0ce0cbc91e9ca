#include "archiver_stub.h"
#include "stub_log.h"
#include <cstdlib>

namespace {

const char kLogVariable[] = "KVSTUB_LOG";

bool ReadNumber(const char* name, long& value) {
    char text[32];
    if (!ReadEnvironment(name, text, sizeof text))
        return false;
    value = std::strtol(text, nullptr, 10);
    return true;
}

std::string OwnerTitle(HWND owner) {
    char title[300] = "";
    if (IsWindow(owner))
        GetWindowTextA(owner, title, sizeof title);
    return title;
}

} // namespace

int RunArchiverStub(const char* entryName, HWND owner, LPCSTR commandLine, LPSTR, DWORD outputSize,
                    int (*work)(LPCSTR commandLine)) {
    AppendToLog(kLogVariable, LogLine("entry", entryName) +
                                  LogLine("commandLine", commandLine ? commandLine : "") +
                                  LogLine("outputSize", static_cast<long>(outputSize)) +
                                  LogLine("ownerIsWindow", IsWindow(owner) ? 1L : 0L) +
                                  LogLine("ownerTitle", OwnerTitle(owner)));
    long result = 0;
    if (!ReadNumber("KVSTUB_RESULT", result))
        result = commandLine != nullptr ? work(commandLine) : -1;
    AppendToLog(kLogVariable, LogLine("result", result) + "\n");
    return static_cast<int>(result);
}
