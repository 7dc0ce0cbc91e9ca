// Window titles cut at the 299 bytes the shutdown reads. A title of another
// process cut inside a double-byte character must be judged on the bytes it
// has, never on a byte left in the title buffer by the window looked at before.
#include "figures.h"
#include "shutdown.h"
#include "win32_platform.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>

namespace {

// The real title reads; close requests are recorded, not posted.
class CRecordingClosePlatform : public CWin32Platform {
  public:
    std::vector<WindowHandle> closeRequests;
    bool PostCloseMessage(WindowHandle window) override {
        closeRequests.push_back(window);
        return true;
    }
};

// The stand-in kv.exe beside this program, showing a window with this title;
// ended when the object goes away.
class Viewer {
  public:
    explicit Viewer(const std::string& title) {
        char path[MAX_PATH];
        DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
        std::string program(path, length);
        program = program.substr(0, program.find_last_of('\\') + 1) + "kv.exe";
        std::string commandLine = "\"" + program + "\" \"" + title + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &m_process))
            return;
        for (int i = 0; i < 600 && m_window == nullptr; ++i) {
            EnumWindows(&Viewer::Match, reinterpret_cast<LPARAM>(this));
            if (m_window == nullptr)
                Sleep(50);
        }
    }
    ~Viewer() {
        if (m_process.hProcess == nullptr)
            return;
        TerminateProcess(m_process.hProcess, 0);
        WaitForSingleObject(m_process.hProcess, 5000);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;
    HWND Window() const { return m_window; }

  private:
    static BOOL CALLBACK Match(HWND window, LPARAM context) {
        Viewer* viewer = reinterpret_cast<Viewer*>(context);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == viewer->m_process.dwProcessId && IsWindowVisible(window)) {
            viewer->m_window = window;
            return FALSE;
        }
        return TRUE;
    }

    PROCESS_INFORMATION m_process = {};
    HWND m_window = nullptr;
};

TEST(CutWindowTitles, ADoubleByteCharacterCutAtTheEndTakesNoStaleByte) {
    figures::InputTried(2);
    // 299 bytes ending with the suffix: a window of the viewer.
    Viewer viewer(std::string(294, 'a') + " - kv");
    // Another program's window: its first 299 bytes end with " - k" and the
    // lead byte of 表, so it does not match.
    Viewer other(std::string(294, 'b') + " - k" + "表表x");
    ASSERT_NE(viewer.Window(), nullptr);
    ASSERT_NE(other.Window(), nullptr);

    CRecordingClosePlatform platform;
    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(CloseAppWindowProc(viewer.Window(), &platform));
        EXPECT_TRUE(CloseAppWindowProc(other.Window(), &platform));
        EXPECT_FALSE(FindAppWindowProc(viewer.Window(), &platform));
        EXPECT_TRUE(FindAppWindowProc(other.Window(), &platform))
            << "the other program's window counts as the viewer's";
    }
    ASSERT_EQ(platform.closeRequests.size(), 3u);
    for (WindowHandle window : platform.closeRequests)
        EXPECT_EQ(window, viewer.Window()) << "the other program's window was asked to close";
    figures::SurvivedIfPassing(2);
}

} // namespace
