// COM initialised on this thread for the shell calls that need it, and
// uninitialised again at the end of the scope; a thread that already runs COM
// in another mode is left as it is.
#pragma once
#include <objbase.h>

class ComScope {
  public:
    explicit ComScope(DWORD mode) : m_initialised(SUCCEEDED(::CoInitializeEx(nullptr, mode))) {}
    ~ComScope() {
        if (m_initialised)
            ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool m_initialised;
};
