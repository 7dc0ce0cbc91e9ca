#include "dialog.h"
#include "win_app.h"
#include <algorithm>

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_BN_CLICKED(IDOK, OnOK)
ON_BN_CLICKED(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
    HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    CWinApp* app = AfxGetApp();
    if (owner == nullptr && app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd != this)
        owner = app->m_pMainWnd->m_hWnd;
    return ::DialogBoxParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_templateId), owner,
                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    CenterWindow();
    return TRUE;
}

void CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
}

void CDialog::OnOK() {
    UpdateData(true);
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
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    int x =
        std::max(area.left, std::min((centre.left + centre.right - width) / 2, area.right - width));
    int y = std::max(area.top,
                     std::min((centre.top + centre.bottom - height) / 2, area.bottom - height));
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = window;
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    // Messages before WM_INITDIALOG (WM_SETFONT and the like) find no object.
    if (dialog == nullptr)
        return FALSE;
    INT_PTR result = dialog->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        dialog->m_hWnd = nullptr;
    return result;
}

// The dialog procedure's answer: a handled message returns TRUE, except that
// WM_QUERYDRAGICON returns its handle itself and that a handler that asked for
// Default() returns FALSE, leaving the message to the dialog manager. Commands
// that no map handles go on to the application.
INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    bool outerDefaultRequested = m_defaultRequested;
    m_defaultRequested = false;
    INT_PTR answer = FALSE;
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result)) {
        if (!m_defaultRequested)
            answer = message == WM_QUERYDRAGICON ? static_cast<INT_PTR>(result) : TRUE;
    } else if (message == WM_COMMAND && AfxGetApp() != nullptr) {
        answer = AfxGetApp()->OnCmdMsg(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    }
    m_defaultRequested = outerDefaultRequested;
    return answer;
}
