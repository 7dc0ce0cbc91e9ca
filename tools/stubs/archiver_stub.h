// Behaviour shared by the archiver stand-ins, scripted for tests through
// environment variables read at each call:
//   KVSTUB_LOG          file to append one record per call to:
//                         entry=<entry point name>
//                         commandLine=<command line, byte for byte>
//                         outputSize=<outputSize>
//                         ownerIsWindow=<1 when IsWindow(owner), else 0>
//                         ownerTitle=<GetWindowTextA of the owner, empty if none>
//                         result=<value returned>
//                       and an empty line. All but result are written when the
//                       call starts, so a call that never returns still shows.
//   KVSTUB_RESULT       decimal value to return instead of doing any work
#pragma once
#include <windows.h>

// work does the stand-in's own job when KVSTUB_RESULT is unset and gives its result.
int RunArchiverStub(const char* entryName, HWND owner, LPCSTR commandLine, LPSTR output,
                    DWORD outputSize, int (*work)(LPCSTR commandLine));
