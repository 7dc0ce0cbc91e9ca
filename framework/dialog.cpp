#include "dialog.h"
#include <algorithm>
#include <utility>

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_BN_CLICKED(IDOK, OnOK)
ON_BN_CLICKED(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

INT_PTR CDialog::DoModal() {
    CWnd* owner = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetApp()->m_pMainWnd;
    HWND ownerWindow = owner != nullptr && owner != this ? owner->m_hWnd : nullptr;
    return ::DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_templateId), ownerWindow,
                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog() {
    CDataExchange toControls = {false, this};
    DoDataExchange(&toControls);
    CenterWindow();
    return TRUE;
}

void CDialog::OnOK() {
    CDataExchange toMembers = {true, this};
    DoDataExchange(&toMembers);
    EndDialog(IDOK);
}

// Over the owner while it is shown and not minimised, otherwise over the work
// area of the monitor; kept inside that work area.
void CDialog::CenterWindow() {
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(
        ::MonitorFromWindow(owner != nullptr ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    RECT centre = area;
    if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &centre);
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    int cx = window.right - window.left;
    int cy = window.bottom - window.top;
    int x = std::max(area.left, std::min((centre.left + centre.right - cx) / 2, area.right - cx));
    int y = std::max(area.top, std::min((centre.top + centre.bottom - cy) / 2, area.bottom - cy));
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Messages before WM_INITDIALOG (WM_SETFONT and the like) find no object. A handled
// message answers what its thunk gives, or FALSE when its handler asked for Default(),
// leaving it to the dialog manager; handlers can run nested modal loops, so that request
// is kept per message. Commands that no map handles go to the application.
INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->m_hWnd = window;
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        return dialog->OnInitDialog();
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (dialog == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY)
        dialog->m_hWnd = nullptr;
    // A disabled dialog waits for a modal window or a library working in its
    // name, and a command handler still running may be waiting for one that
    // enabled the dialog again: a command arriving meanwhile would re-enter
    // the handlers. System commands take their default course, so the
    // taskbar can still restore the dialog.
    const bool command = message == WM_COMMAND || message == WM_SYSCOMMAND;
    if (command && (dialog->m_inCommand || !::IsWindowEnabled(window)))
        return FALSE;
    const MessageMapEntry* entry = FindMessageEntry(dialog->GetMessageMap(), message, wParam);
    if (entry == nullptr)
        return message == WM_COMMAND && AfxGetApp()->OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
    bool outerRequest = std::exchange(dialog->m_defaultRequested, false);
    bool outerCommand = std::exchange(dialog->m_inCommand, dialog->m_inCommand || command);
    INT_PTR answer = entry->thunk(dialog, wParam, lParam);
    dialog->m_inCommand = outerCommand;
    return std::exchange(dialog->m_defaultRequested, outerRequest) ? FALSE : answer;
}
