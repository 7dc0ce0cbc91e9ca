#include "figures.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdio>
#include <string>
#include <vector>

namespace figures {
namespace {

int g_inputs = 0;
int g_survived = 0;
std::vector<std::string> g_notes;

class Printer : public ::testing::Environment {
  public:
    void SetUp() override { m_start = GetTickCount(); }
    void TearDown() override {
        std::printf("hardening figures: %d inputs tried, %d faults survived, %.1f s\n", g_inputs,
                    g_survived, (GetTickCount() - m_start) / 1000.0);
        for (const std::string& note : g_notes)
            std::printf("  %s\n", note.c_str());
    }

  private:
    DWORD m_start = 0;
};

} // namespace

void InputTried(int count) {
    g_inputs += count;
}

void SurvivedIfPassing(int count) {
    if (!::testing::Test::HasFailure())
        g_survived += count;
}

void Note(const char* what, double value, const char* unit) {
    char line[200];
    if (value >= 1000 && value == static_cast<long>(value))
        std::snprintf(line, sizeof line, "%s: %ld %s", what, static_cast<long>(value), unit);
    else
        std::snprintf(line, sizeof line, "%s: %.3g %s", what, value, unit);
    g_notes.push_back(line);
}

void Install() {
    ::testing::AddGlobalTestEnvironment(new Printer);
}

} // namespace figures
