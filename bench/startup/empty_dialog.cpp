// A minimal Win32 program: shows one dialog from its template, doing nothing
// else, until it is cancelled (Esc, the close box or IDCANCEL). Built twice:
// with an empty template (100), and with KvInst's resources and main dialog
// template (102), which shows what the template itself costs.
#include <windows.h>

#ifndef KVBENCH_TEMPLATE
#define KVBENCH_TEMPLATE 100
#endif

namespace {

INT_PTR CALLBACK EmptyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ::DialogBoxParamA(instance, MAKEINTRESOURCEA(KVBENCH_TEMPLATE), nullptr, EmptyDialogProc, 0);
    return 0;
}
