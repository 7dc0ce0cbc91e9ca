#include "shutdown.h"
#include "installer.h"
#include <cstring>

namespace {

bool IsAppWindow(CPlatform& platform, WindowHandle window) {
    const char suffix[30] = " - kv";
    char title[300];
    title[0] = '\0';
    platform.GetWindowTextA(window, title, sizeof title);
    title[sizeof title - 1] = '\0';
    std::size_t titleLength = std::strlen(title);
    std::size_t suffixLength = std::strlen(suffix);
    if (suffixLength >= titleLength)
        return false;
    return std::memcmp(title + titleLength - suffixLength, suffix, suffixLength) == 0;
}

} // namespace

bool CloseAppWindowProc(WindowHandle window, void* context) {
    CPlatform& platform = *static_cast<CPlatform*>(context);
    if (!IsAppWindow(platform, window))
        return true;
    return platform.PostCloseMessage(window);
}

bool FindAppWindowProc(WindowHandle window, void* context) {
    return !IsAppWindow(*static_cast<CPlatform*>(context), window);
}

// Asks every window of the viewer to close, then polls until none is left: at
// most 20 polls with a 500 ms sleep after each unsuccessful one.
bool CloseRunningApp(CPlatform& platform) {
    if (!platform.EnumWindows(CloseAppWindowProc, &platform))
        return false;
    for (int sleeps = 0; sleeps < kMaxClosePolls;) {
        if (platform.EnumWindows(FindAppWindowProc, &platform))
            return true;
        platform.Sleep(kClosePollIntervalMs);
        ++sleeps;
    }
    return false;
}

bool CInstaller::CloseRunningApp() {
    return ::CloseRunningApp(m_platform);
}
