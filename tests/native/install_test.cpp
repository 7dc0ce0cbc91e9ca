// What "Install" does, as the ordered log of platform and window calls, and the
// shutdown of the running viewer it may start with.
#include "core_fixture.h"
#include <functional>

namespace {

const SystemTime kPackageTime = {2025, 3, 0, 1, 23, 59, 59, 0};

// kv2025_0301.zip in D:\dl selected for the ZIP row, an older kv.exe in E:\kv,
// every option on and both archivers installed.
void Ready(Core& core) {
    CInstaller& in = core.installer;
    SetText(in.m_saveDir, "D:\\dl");
    SetText(in.m_installDir, "E:\\kv");
    SetText(in.m_packageFind.cFileName, "kv2025_0301.zip");
    SetText(in.m_installedFind.cFileName, "kv.exe");
    in.m_archiver = 1;
    in.m_packageTime = kPackageTime;
    in.m_installedTime = {2025, 2, 1, 10, 8, 5, 3, 0};
    in.m_deleteFile = in.m_quitApp = in.m_executeApp = 1;
    core.platform.libraries = {{"UNLHA32.DLL", {"UnlhaGetVersion", "Unlha"}},
                               {"unzip32.DLL", {"UnZip", "UnZipGetVersion"}}};
}

// n polls that still find a window of the viewer, between head and tail.
Events Polls(int n, Events log, const Events& tail) {
    for (int i = 0; i < n; ++i)
        log.insert(log.end(), {"enum", "sleep 500"});
    log.insert(log.end(), tail.begin(), tail.end());
    return log;
}

void NoOptions(Core& c) {
    c.installer.m_quitApp = c.installer.m_deleteFile = c.installer.m_executeApp = 0;
}

TEST(Install, Sequence) {
    const std::string zipCall = "call -x -o D:\\dl\\kv2025_0301.zip E:\\kv\\";
    const std::string longDir = "D:\\" + std::string(247, 'd');      // with the name, 266 bytes
    const std::string spacedDir = "D:\\a b" + std::string(232, 'd'); // archive path 254 bytes
    const std::string installDir = "E:\\" + std::string(250, 'i');   // kv.exe path 260 bytes
    const std::string tooLong = "box パスが長すぎるためInstallできません\n";
    const struct {
        const char* name;
        std::function<void(Core&)> setup;
        Events log;
    } rows[] = {
        {"NoPackage",
         [](Core& c) {
             c.installer.m_packageFind.cFileName[0] = '\0';
             c.installer.m_archiver = -1;
             c.platform.windows = {{"Viewer - kv"}};
         },
         {"box Installするファイルがありません|(none)|0"}},
        {"Zip",
         [](Core&) {},
         {"enum", "enum", "load unzip32.DLL", "proc UnZip", zipCall, "free",
          "delete D:\\dl\\kv2025_0301.zip", "exec E:\\kv\\kv.exe|E:\\kv\\", "end"}},
        {"Lha",
         [](Core& c) {
             NoOptions(c);
             SetText(c.installer.m_packageFind.cFileName, "kv2025_0301_.lzh");
             c.installer.m_archiver = 0;
         },
         {"load UNLHA32.DLL", "proc Unlha", "call e -m1 -c1 D:\\dl\\kv2025_0301_.lzh E:\\kv\\",
          "free", "end"}},
        {"NewerProgramKept",
         [](Core& c) {
             c.installer.m_installedTime = {2025, 3, 0, 2, 0, 0, 0, 0};
             c.window.answers = {2};
         },
         {"box 古いファイルで上書きしますか|確認|1"}},
        {"NewerProgramReplaced",
         [](Core& c) {
             NoOptions(c);
             c.installer.m_installedTime = {2025, 3, 0, 2, 0, 0, 0, 0};
             c.window.answers = {1};
         },
         {"box 古いファイルで上書きしますか|確認|1", "load unzip32.DLL", "proc UnZip", zipCall,
          "free", "end"}},
        {"ViewerNotClosed",
         [](Core& c) {
             c.platform.windows = {{"Viewer - kv", -1}};
         },
         Polls(20, {"enum", "post Viewer - kv"},
               {"box Kolva Viewを終了できませんでした|(none)|0"})},
        {"NoLibrary",
         [](Core& c) {
             c.platform.libraries.clear();
             c.platform.windows = {{"Viewer - kv"}};
         },
         {"enum", "post Viewer - kv", "enum", "load unzip32.DLL",
          "box unzip32.DLLが開けませんでした|(none)|0"}},
        {"NoEntryPoint",
         [](Core& c) {
             NoOptions(c);
             c.platform.libraries["unzip32.DLL"] = {"unzip"};
         },
         {"load unzip32.DLL", "proc UnZip", "free",
          "box unzip32.DLLにUnZipが見つかりませんでした|(none)|0"}},
        {"ArchiverFails",
         [](Core& c) {
             c.installer.m_quitApp = 0;
             c.platform.archiverResult = -1;
         },
         {"load unzip32.DLL", "proc UnZip", zipCall, "free"}},
        {"FoldersWithBlanks",
         [](Core& c) {
             c.installer.m_quitApp = 0;
             SetText(c.installer.m_saveDir, "D:\\my dl");
             SetText(c.installer.m_installDir, "E:\\Program Files\\kv");
         },
         {"load unzip32.DLL", "proc UnZip",
          "call -x -o \"D:\\my dl\\kv2025_0301.zip\" \"E:\\Program Files\\kv\\\"", "free",
          "delete D:\\my dl\\kv2025_0301.zip",
          "exec E:\\Program Files\\kv\\kv.exe|E:\\Program Files\\kv\\", "end"}},
        {"ArchivePathTooLong",
         [&](Core& c) { SetText(c.installer.m_saveDir, longDir); },
         {tooLong + longDir + "|(none)|0"}},
        {"QuotedArchivePathTooLong",
         [&](Core& c) { SetText(c.installer.m_saveDir, spacedDir); },
         {tooLong + spacedDir + "|(none)|0"}},
        {"ProgramPathTooLong",
         [&](Core& c) { SetText(c.installer.m_installDir, installDir); },
         {tooLong + installDir + "|(none)|0"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Core core;
        Ready(core);
        row.setup(core);
        core.installer.Install();
        EXPECT_EQ(core.platform.log, row.log);
        EXPECT_EQ(core.platform.loadedLibraries, 0);
        if (core.platform.archiverOutputSize != 0) {
            EXPECT_EQ(core.platform.archiverOutputSize, 500u);
            EXPECT_EQ(core.platform.archiverOwner, &core.window);
        }
    }
}

// The first differing field of year, month, day, hour, minute and second
// decides; an installed program newer than the package makes it ask.
TEST(Install, AgeCheck) {
    std::uint16_t SystemTime::*const fields[] = {&SystemTime::wYear,   &SystemTime::wMonth,
                                                 &SystemTime::wDay,    &SystemTime::wHour,
                                                 &SystemTime::wMinute, &SystemTime::wSecond};
    const SystemTime package = {2025, 3, 0, 1, 12, 30, 30, 0};
    const auto asks = [&](const SystemTime& installed, bool found) {
        Core core;
        Ready(core);
        core.installer.m_packageTime = package;
        core.installer.m_installedTime = installed;
        core.installer.m_installedFind.cFileName[0] = found ? 'k' : '\0';
        core.window.answers = {2};
        core.installer.Install();
        return core.platform.log[0] == "box 古いファイルで上書きしますか|確認|1";
    };
    SystemTime same = package;
    same.wDayOfWeek = 6;
    same.wMilliseconds = 999;
    EXPECT_FALSE(asks(same, true));
    for (int field = 0; field < 6; ++field) {
        for (int step : {1, -1}) {
            SystemTime installed = package;
            installed.*fields[field] += step;
            if (field < 5)
                installed.*fields[field + 1] -= step;
            EXPECT_EQ(asks(installed, true), step > 0) << field << " " << step;
            EXPECT_FALSE(asks(installed, false));
        }
    }
}

TEST(Install, ViewerShutdown) {
    const std::string title299 = std::string(294, 't') + " - kv";
    const std::string title300 = "t" + title299;
    const struct {
        const char* name;
        std::vector<FakeTopWindow> windows;
        bool closed;
        Events log;
    } rows[] = {
        {"NoViewer", {}, true, {"enum", "enum"}},
        {"TitleRule",
         {{" - kv"}, {"a - kv"}, {"a - kV"}, {"a - Kv"}, {"a - kv "}, {title299}, {title300}},
         true,
         {"enum", "post a - kv", "post " + title299, "enum"}},
        {"ClosesInTime", {{"V - kv", 19}}, true, Polls(19, {"enum", "post V - kv"}, {"enum"})},
        {"ClosesTooLate", {{"V - kv", 20}}, false, Polls(20, {"enum", "post V - kv"}, {})},
        {"PostFails", {{"A - kv", 0, true}, {"B - kv"}}, false, {"enum", "post A - kv"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Core core;
        core.platform.windows = row.windows;
        EXPECT_EQ(core.installer.CloseRunningApp(), row.closed);
        EXPECT_EQ(core.platform.log, row.log);
    }
}

} // namespace
