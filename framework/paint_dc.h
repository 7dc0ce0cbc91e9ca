// A paint context for one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
#pragma once
#include "wnd.h"

class CPaintDC {
  public:
    explicit CPaintDC(CWnd* window) : m_hWnd(window->m_hWnd) { ::BeginPaint(m_hWnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC GetSafeHdc() const { return m_ps.hdc; }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_ps.hdc, x, y, icon); }

  private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps = {};
};
