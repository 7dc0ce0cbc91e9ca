#include "fake_window.h"

void CFakeWindow::ShowFieldText(int controlId, const char* text) {
    fields[controlId] = text;
}

int CFakeWindow::ShowMessage(const char* text, const char* caption, unsigned type) {
    m_events.push_back(std::string("message:") + text);
    messages.push_back(
        {text, caption == nullptr ? std::nullopt : std::optional<std::string>(caption), type});
    if (answers.empty())
        return kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void CFakeWindow::EndWithOk() {
    m_events.push_back("end");
    ++endCount;
}
