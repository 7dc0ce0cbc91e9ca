// A CInstallerWindow that records what the installer shows; message boxes
// are answered with IDOK. The owner is a real, never shown window.
#pragma once
#include "installer_window.h"
#include <map>
#include <string>
#include <vector>
#include <windows.h>

class CRecordingWindow : public CInstallerWindow {
  public:
    CRecordingWindow()
        : m_owner(CreateWindowExA(0, "STATIC", "hardening owner", WS_OVERLAPPED, 0, 0, 100, 50,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ~CRecordingWindow() override {
        if (m_owner != nullptr)
            DestroyWindow(m_owner);
    }
    CRecordingWindow(const CRecordingWindow&) = delete;
    CRecordingWindow& operator=(const CRecordingWindow&) = delete;

    std::map<int, std::string> fields;
    std::vector<std::string> messages;
    int endCount = 0;

    void ShowFieldText(int controlId, const char* text) override { fields[controlId] = text; }
    int ShowMessage(const char* text, const char*, unsigned) override {
        messages.push_back(text);
        return kIdOk;
    }
    WindowHandle OwnerWindow() override { return m_owner; }
    void EndWithOk() override { ++endCount; }

  private:
    HWND m_owner;
};
