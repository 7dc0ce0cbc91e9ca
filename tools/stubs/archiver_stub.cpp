#include "archiver_stub.h"
#include "stub_log.h"
#include <cstdlib>
#include <cstring>

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

int RunArchiverStub(const char* entryName, HWND owner, LPCSTR commandLine, LPSTR output,
                    DWORD outputSize, int (*work)(LPCSTR commandLine)) {
    AppendToLog(kLogVariable, LogLine("entry", entryName) +
                                  LogLine("commandLine", commandLine ? commandLine : "") +
                                  LogLine("outputSize", static_cast<long>(outputSize)) +
                                  LogLine("ownerIsWindow", IsWindow(owner) ? 1L : 0L) +
                                  LogLine("ownerTitle", OwnerTitle(owner)));
    long delay = 0;
    if (ReadNumber("KVSTUB_DELAY_MS", delay) && delay > 0)
        Sleep(static_cast<DWORD>(delay));

    long result = 0;
    if (!ReadNumber("KVSTUB_RESULT", result))
        result = commandLine != nullptr ? work(commandLine) : -1;

    char fill[4];
    if (output != nullptr && outputSize > 0 &&
        ReadEnvironment("KVSTUB_FILL_OUTPUT", fill, sizeof fill) && std::strcmp(fill, "1") == 0) {
        std::memset(output, '#', outputSize - 1);
        output[outputSize - 1] = '\0';
    }
    AppendToLog(kLogVariable, LogLine("result", result) + "\n");
    return static_cast<int>(result);
}
