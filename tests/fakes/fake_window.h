// A CInstallerWindow that records what the installer shows and answers
// message boxes from a queue. It writes "message:<text>" and "end" into the
// platform's event log so that one list shows the whole install sequence.
#pragma once
#include "fake_platform.h"
#include "installer_window.h"
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct ShownMessage {
    std::string text;
    std::optional<std::string> caption; // nullopt: a null caption
    unsigned type;
};

class CFakeWindow : public CInstallerWindow {
  public:
    explicit CFakeWindow(EventLog& events) : m_events(events) {}

    std::map<int, std::string> fields;
    std::vector<ShownMessage> messages;
    std::deque<int> answers; // IDOK once these run out
    WindowHandle handle = reinterpret_cast<WindowHandle>(std::uintptr_t{0xD1A10});
    int endCount = 0;

    void ShowFieldText(int controlId, const char* text) override;
    int ShowMessage(const char* text, const char* caption, unsigned type) override;
    WindowHandle OwnerWindow() override { return handle; }
    void EndWithOk() override;

  private:
    EventLog& m_events;
};
