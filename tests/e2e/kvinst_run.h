// One start of dist/KvInst.exe in a fresh folder of its own:
//   app\KvInst.exe, app\UNLHA32.DLL, app\unzip32.DLL (the archiver stand-ins,
//   found beside the program), app\kvinst.ini when a test writes one,
//   save\ and install\ for the two folders, and records.txt, where the
//   stand-ins (archivers and kv.exe) append what they were asked to do.
#pragma once
#include "app_process.h"
#include "stub_records.h"
#include "test_world.h"
#include <string>
#include <vector>

class KvInstRun {
  public:
    KvInstRun();
    // Ends the viewers that KvInst started, should a test stop before it does.
    ~KvInstRun();

    TestWorld world;
    AppProcess installer;

    std::string AppFolder() const { return world.Path("app"); }
    std::string SaveFolder() const { return world.Path("save"); }
    std::string InstallFolder() const { return world.Path("install"); }

    // Writes app\kvinst.ini: section INSTDATA with these "key=value" lines.
    void WriteSettings(const std::vector<std::string>& lines) const;
    std::vector<std::string> SettingsLines() const { return world.ReadLines("app/kvinst.ini"); }

    // Puts the kv.exe stand-in into the install folder, last written at utc.
    void InstallViewer(const SYSTEMTIME& utc) const;

    // Starts KvInst.exe, with the stand-ins' variables set and changed by extra.
    bool Start(const EnvironmentOverrides& extra = {});
    // Starts the kv.exe stand-in from the install folder, as a running viewer.
    bool StartViewer(AppProcess& viewer) const;

    // KvInst's main dialog once it is visible, or nullptr.
    HWND WaitForMainDialog() const;
    // A visible top-level window of KvInst with this caption, or nullptr.
    HWND WaitForDialog(const char* caption, HWND owner = nullptr) const;

    // The stand-ins' records so far, in the order they happened.
    std::vector<StubRecord> Records() const;
    std::string RecordsPath() const { return world.Path("records.txt"); }

  private:
    EnvironmentOverrides StubVariables() const;
};

// Local time of a UTC instant, as the installer shows a file's date:
// "YYYY-MM-DD hh:mm:ss".
std::string LocalTimeText(const SYSTEMTIME& utc);
SYSTEMTIME UtcTime(int year, int month, int day, int hour, int minute, int second);
