// UNLHA32.DLL stand-in for tests: records the call and returns KVSTUB_RESULT
// (default 0). It does not unpack LHA archives. See archiver_stub.h.
#include "archiver_stub.h"

namespace {

int DoNothing(LPCSTR) {
    return 0;
}

} // namespace

extern "C" int WINAPI Unlha(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
    return RunArchiverStub("Unlha", owner, commandLine, output, outputSize, DoNothing);
}
