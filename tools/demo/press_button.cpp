// Demo helper: waits for a top-level window with the given caption, prints its
// place on the desktop as an ImageMagick geometry (WxH+X+Y), then clicks one
// of its buttons, as a user pressing it would (button id 0 clicks nothing).
//   press_button.exe <caption> <button id> [timeout ms]
#include <windows.h>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: press_button <caption> <button id> [timeout ms]\n");
        return 2;
    }
    const int buttonId = std::atoi(argv[2]);
    const DWORD timeout = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 60000;
    const DWORD start = GetTickCount();
    HWND window = nullptr;
    while ((window = FindWindowA(nullptr, argv[1])) == nullptr || !IsWindowVisible(window)) {
        if (GetTickCount() - start > timeout) {
            std::fprintf(stderr, "no window \"%s\" within %lu ms\n", argv[1], timeout);
            return 1;
        }
        Sleep(100);
    }
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                rect.top);
    if (buttonId != 0) {
        HWND button = GetDlgItem(window, buttonId);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }
    return 0;
}
