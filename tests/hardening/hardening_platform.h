// The real Win32 platform with three changes for the tests: the installer's
// executable is said to be wherever a test puts it (so kvinst.ini lands in a
// test folder), every listing is recorded, and the archiver's output buffer
// is handed over at the edge of an inaccessible page, so that a write past
// the size the installer gives would fault at once.
#pragma once
#include "installer.h"
#include <gtest/gtest.h>
#include "win32_platform.h"
#include <cstring>
#include <string>
#include <vector>

class CHardeningPlatform : public CWin32Platform {
  public:
    explicit CHardeningPlatform(std::string modulePath) : m_modulePath(std::move(modulePath)) {}

    std::uint32_t GetModuleFileNameA(char* buffer, std::uint32_t size) override;
    FindHandle FindFirstFileA(const char* pattern, FindData* data) override;
    bool FindNextFileA(FindHandle handle, FindData* data) override;
    int CallArchiverProc(ArchiverProcAddress proc, WindowHandle owner, const char* commandLine,
                         char* output, std::uint32_t outputSize) override;

    std::vector<std::string> patterns; // every FindFirstFileA pattern, in order
    long listedEntries = 0;            // entries the listings returned
    std::vector<std::string> commandLines;
    std::vector<std::uint32_t> outputSizes;
    // Bytes of the guarded output buffer the library changed, last call.
    std::uint32_t outputBytesWritten = 0;

  private:
    std::string m_modulePath;
};

// The installer between two guard areas: a write past either end of the
// installer's state shows in Intact().
struct GuardedInstaller {
    GuardedInstaller(CPlatform& platform, CInstallerWindow& window) : installer(platform, window) {
        std::memset(front, kGuardByte, sizeof front);
        std::memset(back, kGuardByte, sizeof back);
    }
    bool Intact() const;

    static constexpr unsigned char kGuardByte = 0xA5;
    unsigned char front[64];
    CInstaller installer;
    unsigned char back[64];
};

// Every text of the state is terminated inside its 260 bytes and the guards hold.
::testing::AssertionResult WellFormed(const GuardedInstaller& guarded);
