// The installer's state for one run and the operations on it: the settings
// file, the package scan, closing the running viewer and the install itself.
// The main dialog derives from this class and supplies the platform and the
// window through the two interfaces.
#pragma once
#include "installer_window.h"
#include "platform.h"
#include "records.h"
#include <cstdint>

class CInstaller {
  public:
    CInstaller(CPlatform& platform, CInstallerWindow& window);

    void LoadSettings();
    void SaveSettings();
    void ScanPackages();
    bool CloseRunningApp();
    void Install(); // the main dialog's OnOK

    // Installer state, in this order.
    char m_installDir[kMaxPath];
    char m_saveDir[kMaxPath];
    char m_addName[kMaxPath];
    FindData m_installedFind;
    FindData m_packageFind;
    SystemTime m_packageTime;
    SystemTime m_installedTime;
    std::int32_t m_deleteFile;
    std::int32_t m_quitApp;
    std::int32_t m_executeApp;
    std::int32_t m_archiver; // row of g_archivers, -1 for none

    // True once LoadSettings has run: settings reach the file only then.
    bool m_settingsLoaded;

  protected:
    CPlatform& m_platform;
    CInstallerWindow& m_window;

  private:
    struct InstallPaths {
        char archive[kMaxPath];
        char destination[kMaxPath];
        char program[kMaxPath];
        char programFolder[kMaxPath];
        char package[2 * kMaxPath]; // the package to delete, never quoted
    };

    bool SettingsPath(char (&path)[kMaxPath]);
    void SearchPackages(int row, int pattern, char (&bestStamp)[10]);
    void FindInstalledProgram();
    void SetPackageTime(const char* bestStamp);
    void SetInstalledTime();
    bool FormInstallPaths(InstallPaths& paths);
    bool AgeCheckAllows();
    int Unpack(const InstallPaths& paths, char (&message)[kMaxPath]);
};

// Settings-file helpers.
bool GetModuleDir(CPlatform& platform, char (&dir)[kMaxPath]);
std::int32_t ReadIntSetting(CPlatform& platform, const char* section, const char* key,
                            std::int32_t defaultValue, const char* fileName);
bool WriteIntSetting(CPlatform& platform, const char* section, const char* key, std::int32_t value,
                     const char* fileName);
