// One folder for starts of the real KvInst.exe, laid out as a user has it:
//   app\KvInst.exe, the archiver library the test chooses, app\kvinst.ini
//   save\kv2090_0301.zip, the package, newer than any kv.exe made today
//   install\kv.exe, the stand-in viewer
//   records.txt, where the stand-ins record what they were asked to do.
// Windows are found and driven with the end-to-end driver.
#pragma once
#include "app_process.h"
#include "stub_records.h"
#include "test_world.h"
#include <string>
#include <vector>

enum class Archiver { Missing, StandIn, WithoutEntryPoint };

constexpr char kMainCaption[] = "KV Installer(Zip Ver)";
constexpr char kSettingsCaption[] = "設定";
constexpr char kPackage[] = "kv2090_0301.zip";
constexpr int kIdSettingsButton = 1000;
constexpr int kIdShowInstallDir = 1001;
constexpr int kIdShowSaveDir = 1002;
constexpr int kIdShowPackage = 1003;
constexpr int kIdSettingsInstallDir = 1004;
constexpr int kIdSettingsAddName = 1007;

class InstallerWorld {
  public:
    explicit InstallerWorld(Archiver archiver = Archiver::StandIn);

    TestWorld world;

    std::string Path(const std::string& relative) const { return world.Path(relative); }
    // kvinst.ini with section INSTDATA holding the two folders and these lines.
    void WriteSettings(const std::vector<std::string>& lines) const;
    std::string Settings() const { return world.ReadFile("app/kvinst.ini"); }

    // Starts KvInst.exe with the stand-ins' records in records.txt and the
    // stand-in archiver scripted by extra (KVSTUB_RESULT and the like).
    bool Start(AppProcess& installer, const EnvironmentOverrides& extra = {}) const;
    // Starts the stand-in viewer with a window of this title and options.
    bool StartViewer(AppProcess& viewer, const std::string& title,
                     const std::string& options) const;

    std::vector<StubRecord> Records() const;
    // Records that have this key with this value.
    std::vector<StubRecord> Records(const std::string& key, const std::string& value) const;

  private:
    EnvironmentOverrides StubVariables() const;
};

// The visible dialog of process with this caption (owned by owner, if given).
HWND WaitForDialog(const AppProcess& process, const char* caption, HWND owner = nullptr);
// True when the window's thread answers a message within timeoutMs.
bool Answers(HWND window, DWORD timeoutMs);
