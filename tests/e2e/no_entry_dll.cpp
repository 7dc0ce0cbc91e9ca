// An unzip32.DLL whose entry is exported only as UnZip@16. It records its
// loading, its release by FreeLibrary and any call (which must never come).
#include "stub_log.h"
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI UnZip(HWND, LPCSTR, LPSTR, DWORD) {
    AppendToLog("KVSTUB_LOG", LogLine("event", "called") + "\n");
    return 1;
}

// A null reserved argument at detach means FreeLibrary, not the process's end.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH)
        AppendToLog("KVSTUB_LOG", LogLine("event", "loaded") + "\n");
    else if (reason == DLL_PROCESS_DETACH && reserved == nullptr)
        AppendToLog("KVSTUB_LOG", LogLine("event", "freed") + "\n");
    return TRUE;
}
