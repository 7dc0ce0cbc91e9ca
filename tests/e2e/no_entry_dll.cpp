// An unzip32.DLL whose entry is exported only as UnZip@16. It records its
// loading, with what ends the main dialog's system menu, its release by
// FreeLibrary and any call (which must never come).
#include "stub_log.h"
#include <windows.h>

namespace {

// "1 0" when the About entry is there, and "0 1" for a separator at the end.
std::string AboutEntry() {
    HMENU menu = ::GetSystemMenu(::FindWindowA("#32770", "KV Installer(Zip Ver)"), FALSE);
    const UINT last = ::GetMenuState(menu, ::GetMenuItemCount(menu) - 1, MF_BYPOSITION);
    return std::to_string(::GetMenuState(menu, 0x10, MF_BYCOMMAND) != ~0u) + " " +
           std::to_string((last & MF_SEPARATOR) != 0);
}

} // namespace

extern "C" __declspec(dllexport) int WINAPI UnZip(HWND, LPCSTR, LPSTR, DWORD) {
    AppendToLog("KVSTUB_LOG", LogLine("event", "called") + "\n");
    return 1;
}

// A null reserved argument at detach means FreeLibrary, not the process's end.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH)
        AppendToLog("KVSTUB_LOG",
                    LogLine("event", "loaded") + LogLine("aboutEntry", AboutEntry()) + "\n");
    else if (reason == DLL_PROCESS_DETACH && reserved == nullptr)
        AppendToLog("KVSTUB_LOG", LogLine("event", "freed") + "\n");
    return TRUE;
}
