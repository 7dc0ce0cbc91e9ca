// kv.exe stand-in for tests.
//   kv.exe [title] [--ignore-close] [--close-after-ms N] [--no-window]
// Appends to the file named by KVSTUB_KV_LOG (see stub_log.h) the records
//   event=start, process=<id>, directory=<GetCurrentDirectoryA>, commandLine=<GetCommandLineA>
//   event=close, process=<id>      on each WM_CLOSE
//   event=exit, process=<id>       when it ends
// and shows a top-level window titled with the first argument that is not an
// option, "1.0 - kv" by default. WM_CLOSE closes it, unless --ignore-close
// (the window stays) or --close-after-ms N (it closes N ms after the first
// WM_CLOSE). --no-window records the start and exits.
#include "stub_log.h"
#include <windows.h>
#include <cstdlib>
#include <cstring>

namespace {

const char kLogVariable[] = "KVSTUB_KV_LOG";
const UINT_PTR kCloseTimer = 1;

struct Options {
    const char* title = "1.0 - kv";
    bool ignoreClose = false;
    long closeAfterMs = -1;
    bool noWindow = false;
};

Options g_options;

Options ParseOptions(int argc, char** argv) {
    Options options;
    bool titleGiven = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ignore-close") == 0)
            options.ignoreClose = true;
        else if (std::strcmp(argv[i], "--no-window") == 0)
            options.noWindow = true;
        else if (std::strcmp(argv[i], "--close-after-ms") == 0 && i + 1 < argc)
            options.closeAfterMs = std::strtol(argv[++i], nullptr, 10);
        else if (!titleGiven) {
            options.title = argv[i];
            titleGiven = true;
        }
    }
    return options;
}

void LogEvent(const char* event, const std::string& details = std::string()) {
    AppendToLog(kLogVariable, LogLine("event", event) +
                                  LogLine("process", static_cast<long>(GetCurrentProcessId())) +
                                  details + "\n");
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        LogEvent("close");
        if (g_options.ignoreClose)
            return 0;
        if (g_options.closeAfterMs >= 0) {
            SetTimer(window, kCloseTimer, static_cast<UINT>(g_options.closeAfterMs), nullptr);
            return 0;
        }
        DestroyWindow(window);
        return 0;
    case WM_TIMER:
        if (wParam == kCloseTimer) {
            KillTimer(window, kCloseTimer);
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int RunWindow(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "KvStubWindow";
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, g_options.title,
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 320, 120,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    g_options = ParseOptions(__argc, __argv);
    char directory[MAX_PATH] = "";
    DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    if (length >= sizeof directory)
        directory[0] = '\0';
    LogEvent("start", LogLine("directory", directory) + LogLine("commandLine", GetCommandLineA()));
    int exitCode = g_options.noWindow ? 0 : RunWindow(instance);
    LogEvent("exit");
    return exitCode;
}
