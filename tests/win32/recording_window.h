// A CInstallerWindow that records what the installer shows. Message boxes are
// answered with IDOK. The owner handle is whatever the test gives it, normally
// a real (hidden) window made with HiddenWindow.
#pragma once
#include "installer_window.h"
#include <map>
#include <string>
#include <vector>
#include <windows.h>

class CRecordingWindow : public CInstallerWindow {
  public:
    std::map<int, std::string> fields;
    std::vector<std::string> messages;
    int endCount = 0;
    HWND owner = nullptr;

    void ShowFieldText(int controlId, const char* text) override { fields[controlId] = text; }
    int ShowMessage(const char* text, const char*, unsigned) override {
        messages.push_back(text);
        return kIdOk;
    }
    WindowHandle OwnerWindow() override { return owner; }
    void EndWithOk() override { ++endCount; }
};

// A top-level window of this process that is never shown, destroyed with the object.
class HiddenWindow {
  public:
    explicit HiddenWindow(const char* title)
        : m_window(CreateWindowExA(0, "STATIC", title, WS_OVERLAPPED, 0, 0, 100, 50, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ~HiddenWindow() {
        if (m_window != nullptr)
            DestroyWindow(m_window);
    }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    HWND Handle() const { return m_window; }

  private:
    HWND m_window;
};
