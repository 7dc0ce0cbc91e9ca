// Save and install folders at and past the 260-byte limits of the installer's
// path buffers, 255-byte names, double-byte names whose second byte is 0x5C,
// and folders named like packages, on the real file system. Paths longer
// than the ANSI calls accept are laid out with the wide \\?\ calls; the
// installer itself only ever sees them through its ANSI calls.
#include "figures.h"
#include "hardening_platform.h"
#include "long_path_folder.h"
#include "recording_window.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <memory>

namespace {

const std::string kTooLong = "パスが長すぎるためInstallできません\n";

class HostilePaths : public ::testing::Test {
  protected:
    LongPathFolder folder{"kvhp"};
    CHardeningPlatform platform{folder.Path("app\\KvInst.exe")};
    CRecordingWindow window;
    GuardedInstaller guarded{platform, window};
    CInstaller& installer = guarded.installer;

    // The stand-in archiver (beside this program) succeeds without unpacking
    // and fills its whole output buffer.
    void SetUp() override {
        SetEnvironmentVariableA("KVSTUB_RESULT", "0");
        SetEnvironmentVariableA("KVSTUB_FILL_OUTPUT", "1");
        installer.m_deleteFile = 0;
        installer.m_quitApp = 0;
        installer.m_executeApp = 0;
    }
    void TearDown() override {
        SetEnvironmentVariableA("KVSTUB_RESULT", nullptr);
        SetEnvironmentVariableA("KVSTUB_FILL_OUTPUT", nullptr);
    }

    void Use(const std::string& saveDir, const std::string& addName,
             const std::string& installDir) {
        ASSERT_LT(saveDir.size(), 260u);
        ASSERT_LT(addName.size(), 260u);
        ASSERT_LT(installDir.size(), 260u);
        std::snprintf(installer.m_saveDir, kMaxPath, "%s", saveDir.c_str());
        std::snprintf(installer.m_addName, kMaxPath, "%s", addName.c_str());
        std::snprintf(installer.m_installDir, kMaxPath, "%s", installDir.c_str());
    }

    // Patterns the scan gave FindFirstFileA for the save folder.
    std::vector<std::string> SaveFolderPatterns(std::size_t from) const {
        std::vector<std::string> found;
        for (std::size_t i = from; i < platform.patterns.size(); ++i)
            if (platform.patterns[i].compare(0, std::strlen(installer.m_saveDir),
                                             installer.m_saveDir) == 0 &&
                platform.patterns[i].find("kv*") != std::string::npos)
                found.push_back(platform.patterns[i]);
        return found;
    }

    void ExpectEveryPatternFits() const {
        for (const std::string& pattern : platform.patterns)
            EXPECT_LE(pattern.size(), 259u) << pattern;
    }

    // Install ran through the archiver and ended the dialog.
    void ExpectInstalled(const std::string& commandLine, std::size_t callsBefore) {
        ASSERT_EQ(platform.commandLines.size(), callsBefore + 1);
        EXPECT_EQ(platform.commandLines.back(), commandLine);
        EXPECT_EQ(platform.outputSizes.back(), 500u);
        // The library wrote its whole buffer up to the inaccessible page.
        EXPECT_EQ(platform.outputBytesWritten, 499u);
        EXPECT_LE(commandLine.size(), 999u);
    }
};

// The plain pattern "%s\kv*.%s%s" at 258, 259 and 260 bytes; the underscore
// pattern is one byte longer. A pattern over 259 bytes is skipped, so the
// underscore-form package is found only while its pattern fits, and nothing
// at all once the plain one does not. (Wine's ANSI calls would take a
// 260-byte pattern, so a missing skip would show as a found package.)
TEST_F(HostilePaths, SaveFolderAndAddNameAtTheSearchPatternsLimit) {
    for (std::size_t addLength : {0u, 100u}) {
        const std::string addName = addLength == 0 ? "" : "." + std::string(addLength - 1, 'a');
        for (std::size_t plainLength : {258u, 259u, 260u}) {
            SCOPED_TRACE("plain pattern " + std::to_string(plainLength) + " bytes, add-name " +
                         std::to_string(addLength));
            figures::InputTried();
            const std::string tag =
                "s" + std::to_string(plainLength) + "_" + std::to_string(addLength);
            const std::string save =
                folder.Path(folder.MakeFolderOfLength(tag, plainLength - 8 - addLength));
            ASSERT_EQ(save.size() + 8 + addLength, plainLength);
            folder.WriteFile(save.substr(folder.Root().size() + 1) + "\\kv2024_0101_.zip" + addName,
                             "u");
            folder.WriteFile(save.substr(folder.Root().size() + 1) + "\\kv2023_0101.zip" + addName,
                             "p");
            Use(save, addName, folder.Root());
            const std::size_t patternsBefore = platform.patterns.size();
            installer.ScanPackages();
            ASSERT_TRUE(WellFormed(guarded));
            ExpectEveryPatternFits();
            const std::vector<std::string> searched = SaveFolderPatterns(patternsBefore);

            if (plainLength == 258) {
                EXPECT_EQ(searched.size(), 4u);
                EXPECT_EQ(window.fields[kIdcPackageName], "kv2024_0101_.zip" + addName);
            } else if (plainLength == 259) {
                EXPECT_EQ(searched.size(), 2u);
                EXPECT_EQ(window.fields[kIdcPackageName], "kv2023_0101.zip" + addName);
            } else {
                EXPECT_EQ(searched.size(), 0u);
                EXPECT_EQ(window.fields[kIdcPackageName], "");
                EXPECT_EQ(installer.m_archiver, -1);
            }
            if (plainLength < 260) {
                // The package's own path is longer than any buffer: refused, untouched.
                window.messages.clear();
                installer.Install();
                ASSERT_EQ(window.messages.size(), 1u);
                EXPECT_EQ(window.messages[0], kTooLong + save);
                EXPECT_TRUE(platform.commandLines.empty());
                EXPECT_EQ(window.endCount, 0);
            }
            ASSERT_TRUE(WellFormed(guarded));
            figures::SurvivedIfPassing();
        }
    }
}

// kv.exe's path "%s\kv.exe" at 258, 259 and 260 bytes, and the install
// folder text itself at 258 and 259 bytes. Past 259 the installed program is
// not looked for and the install is refused with the folder in the message.
TEST_F(HostilePaths, InstallFolderAtThePathLimits) {
    folder.MakeFolders("save");
    folder.WriteFile("save\\kv2090_0101.zip", "zip");
    for (std::size_t length : {251u, 252u, 253u, 258u, 259u}) {
        for (bool blank : {false, true}) {
            SCOPED_TRACE("install folder " + std::to_string(length) + " bytes" +
                         (blank ? " with a blank" : ""));
            figures::InputTried();
            const std::string tag = std::string(blank ? "i " : "i") + std::to_string(length);
            const std::string install = folder.Path(folder.MakeFolderOfLength(tag, length));
            ASSERT_EQ(install.size(), length);
            folder.WriteFile(install.substr(folder.Root().size() + 1) + "\\kv.exe", "MZ");
            Use(folder.Path("save"), "", install);
            installer.ScanPackages();
            ASSERT_TRUE(WellFormed(guarded));
            ExpectEveryPatternFits();
            EXPECT_EQ(window.fields[kIdcPackageName], "kv2090_0101.zip");
            EXPECT_EQ(window.fields[kIdcInstalledDate].empty(), length > 252);

            window.messages.clear();
            const int endsBefore = window.endCount;
            const std::size_t callsBefore = platform.commandLines.size();
            installer.Install();
            ASSERT_TRUE(WellFormed(guarded));
            if (length <= 252) {
                const std::string destination = blank ? "\"" + install + "\\\"" : install + "\\";
                ExpectInstalled("-x -o " + folder.Path("save\\kv2090_0101.zip") + " " + destination,
                                callsBefore);
                EXPECT_EQ(window.messages, std::vector<std::string>());
                EXPECT_EQ(window.endCount, endsBefore + 1);
            } else {
                ASSERT_EQ(window.messages.size(), 1u);
                EXPECT_EQ(window.messages[0], kTooLong + install);
                EXPECT_EQ(platform.commandLines.size(), callsBefore);
                EXPECT_EQ(window.endCount, endsBefore);
            }
            figures::SurvivedIfPassing();
        }
    }
}

// A package path with a blank is quoted in a 256-byte work area: 253 bytes
// still fit the quotes, 254 do not, though they fit the 260-byte buffer.
TEST_F(HostilePaths, BlankedPackagePathAtTheQuotingLimit) {
    folder.MakeFolders("inst");
    for (std::size_t archiveLength : {253u, 254u}) {
        SCOPED_TRACE("archive path " + std::to_string(archiveLength) + " bytes with a blank");
        figures::InputTried();
        const std::string name = "kv2024_0101.zip"; // 15 bytes
        const std::string save = folder.Path(folder.MakeFolderOfLength(
            "q " + std::to_string(archiveLength), archiveLength - 1 - name.size()));
        folder.WriteFile(save.substr(folder.Root().size() + 1) + "\\" + name, "zip");
        Use(save, "", folder.Path("inst"));
        installer.ScanPackages();
        ASSERT_EQ(window.fields[kIdcPackageName], name);
        window.messages.clear();
        const std::size_t callsBefore = platform.commandLines.size();
        installer.Install();
        ASSERT_TRUE(WellFormed(guarded));
        if (archiveLength == 253) {
            ExpectInstalled("-x -o \"" + save + "\\" + name + "\" " + folder.Path("inst") + "\\",
                            callsBefore);
        } else {
            ASSERT_EQ(window.messages.size(), 1u);
            EXPECT_EQ(window.messages[0], kTooLong + save);
            EXPECT_EQ(platform.commandLines.size(), callsBefore);
        }
        figures::SurvivedIfPassing();
    }
}

// 255 bytes is the longest name a folder can hold. Such a package is found
// and shown whole; its path cannot fit 259 bytes, so installing it is refused.
// A 255-byte folder named like a newer package is never selected.
TEST_F(HostilePaths, TwoHundredFiftyFiveByteNames) {
    figures::InputTried(2);
    const std::string file = "kv2024_0115." + std::string(239, 'n') + ".zip";
    const std::string directory = "kv2099_0101." + std::string(239, 'd') + ".zip";
    ASSERT_EQ(file.size(), 255u);
    ASSERT_EQ(directory.size(), 255u);
    folder.MakeFolders("n\\" + directory);
    folder.WriteFile("n\\" + file, "zip");
    folder.MakeFolders("inst");
    Use(folder.Path("n"), "", folder.Path("inst"));
    installer.ScanPackages();
    ASSERT_TRUE(WellFormed(guarded));
    EXPECT_EQ(std::string(installer.m_packageFind.cFileName), file);
    EXPECT_EQ(window.fields[kIdcPackageName], file);
    EXPECT_EQ(installer.m_packageTime.wYear, 2024);
    EXPECT_EQ(installer.m_archiver, 1);

    installer.Install();
    ASSERT_TRUE(WellFormed(guarded));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], kTooLong + folder.Path("n"));
    EXPECT_TRUE(platform.commandLines.empty());
    EXPECT_TRUE(folder.Exists("n\\" + file));
    figures::SurvivedIfPassing(2);
}

// "%s\kvinst.ini" fits 259 bytes for an executable's folder of 248 bytes; one
// byte more and the installer runs on the defaults and writes no file at all,
// rather than a cut name such as kvinst.in.
TEST_F(HostilePaths, ExecutableFolderAtTheSettingsFileLimit) {
    for (std::size_t length : {248u, 249u}) {
        SCOPED_TRACE("executable's folder " + std::to_string(length) + " bytes");
        figures::InputTried();
        const std::string relative =
            folder.MakeFolderOfLength("x" + std::to_string(length), length);
        CHardeningPlatform appPlatform(folder.Path(relative) + "\\k.exe");
        {
            GuardedInstaller first(appPlatform, window);
            first.installer.LoadSettings();
            std::snprintf(first.installer.m_saveDir, kMaxPath, "D:\\saved");
            first.installer.SaveSettings();
            ASSERT_TRUE(WellFormed(first));
        }
        GuardedInstaller next(appPlatform, window);
        next.installer.LoadSettings();
        ASSERT_TRUE(WellFormed(next));
        EXPECT_FALSE(folder.Exists(relative + "\\kvinst.in"));
        if (length == 248) {
            EXPECT_TRUE(folder.Exists(relative + "\\kvinst.ini"));
            EXPECT_EQ(std::string(next.installer.m_saveDir), "D:\\saved");
        } else {
            EXPECT_FALSE(folder.Exists(relative + "\\kvinst.ini"));
            EXPECT_EQ(std::string(next.installer.m_saveDir), "");
            EXPECT_EQ(next.installer.m_quitApp, 1);
        }
        EXPECT_TRUE(window.messages.empty());
        figures::SurvivedIfPassing();
    }
}

// 表 is 0x95 0x5C and ソ is 0x83 0x5C: their second byte is a backslash's.
// The executable's folder, the save folder, the add-name and the install
// folder all carry them; nothing may be cut or looked for in the wrong place.
TEST_F(HostilePaths, DoubleByteNamesWhoseSecondByteIsABackslash) {
    figures::InputTried(6);
    ASSERT_EQ(std::string("表ソ"), "\x95\x5C\x83\x5C");
    CHardeningPlatform dbcsPlatform(folder.Path("表ソ\\ソ表.exe"));
    folder.MakeFolders("表ソ");
    const std::string save = folder.Path("表\\ソ");
    const std::string install = folder.Path("ソ");
    folder.MakeFolders("表\\ソ");
    folder.MakeFolders("ソ");
    folder.WriteFile("ソ\\kv.exe", "MZ");
    folder.WriteFile("表\\ソ\\kv2090_0115.zip表", "selected");
    folder.WriteFile("表\\ソ\\KV2090_0114.ZIP表", "older");
    folder.WriteFile("表\\ソ\\kv20表_0116.zip表", "not a stamp");
    folder.WriteFile("表\\ソ\\kv2090_0117.zipソ", "other add-name");
    folder.MakeFolders("表\\ソ\\kv2099_0101.zip表"); // a folder named like a package

    {
        GuardedInstaller settings(dbcsPlatform, window);
        settings.installer.LoadSettings();
        std::snprintf(settings.installer.m_saveDir, kMaxPath, "%s", save.c_str());
        std::snprintf(settings.installer.m_addName, kMaxPath, "表");
        std::snprintf(settings.installer.m_installDir, kMaxPath, "%s", install.c_str());
        settings.installer.m_deleteFile = 1;
        settings.installer.m_quitApp = 0;
        settings.installer.m_executeApp = 0;
        settings.installer.SaveSettings();
        ASSERT_TRUE(WellFormed(settings));
    }
    // The file lies in the executable's folder, not cut at a trail byte.
    EXPECT_TRUE(folder.Exists("表ソ\\kvinst.ini"));
    EXPECT_FALSE(folder.Exists("kvinst.ini"));
    EXPECT_FALSE(folder.Exists("表ソ\\ソ表.exe"));

    GuardedInstaller next(dbcsPlatform, window);
    CInstaller& loaded = next.installer;
    loaded.LoadSettings();
    ASSERT_TRUE(WellFormed(next));
    EXPECT_EQ(std::string(loaded.m_saveDir), save);
    EXPECT_EQ(std::string(loaded.m_addName), "表");
    EXPECT_EQ(std::string(loaded.m_installDir), install);

    loaded.ScanPackages();
    ASSERT_TRUE(WellFormed(next));
    EXPECT_EQ(window.fields[kIdcPackageName], "kv2090_0115.zip表");
    EXPECT_EQ(loaded.m_archiver, 1);
    EXPECT_FALSE(window.fields[kIdcInstalledDate].empty());

    loaded.Install();
    ASSERT_TRUE(WellFormed(next));
    EXPECT_EQ(window.messages, std::vector<std::string>());
    ASSERT_EQ(dbcsPlatform.commandLines.size(), 1u);
    EXPECT_EQ(dbcsPlatform.commandLines[0],
              "-x -o " + save + "\\kv2090_0115.zip表 " + install + "\\");
    // Exactly the installed package was deleted.
    EXPECT_FALSE(folder.Exists("表\\ソ\\kv2090_0115.zip表"));
    EXPECT_TRUE(folder.Exists("表\\ソ\\KV2090_0114.ZIP表"));
    EXPECT_TRUE(folder.Exists("表\\ソ\\kv20表_0116.zip表"));
    EXPECT_TRUE(folder.Exists("表\\ソ\\kv2090_0117.zipソ"));
    EXPECT_TRUE(folder.IsFolder("表\\ソ\\kv2099_0101.zip表"));
    EXPECT_EQ(window.endCount, 1);
    figures::SurvivedIfPassing(6);
}

} // namespace
