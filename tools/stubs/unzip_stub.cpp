// unzip32.DLL stand-in for tests: records the call (see archiver_stub.h) and,
// when KVSTUB_RESULT is unset, really unpacks the ZIP archive named by the
// command line "-x -o <archive> <destination>" (see tools/zip/unzip.h for the
// results).
#include "archiver_stub.h"
#include "unzip.h"

extern "C" int WINAPI UnZip(HWND owner, LPCSTR commandLine, LPSTR output, DWORD outputSize) {
    return RunArchiverStub("UnZip", owner, commandLine, output, outputSize, RunUnzipCommand);
}
