// What "Install" does, as the ordered log of platform and window calls, and the
// shutdown of the running viewer it may begin with.
#include "core_fixture.h"
#include <functional>

namespace {

// kv2025_0301.zip in D:\dl selected for the ZIP row, an older kv.exe in E:\kv,
// the three options as given, both archivers installed, every question declined.
void Ready(Core& core, int options) {
    SetText(core.in.m_saveDir, "D:\\dl");
    SetText(core.in.m_installDir, "E:\\kv");
    SetText(core.in.m_packageFind.cFileName, "kv2025_0301.zip");
    SetText(core.in.m_installedFind.cFileName, "kv.exe");
    core.in.m_archiver = 1;
    core.in.m_packageTime = {2025, 3, 0, 1, 23, 59, 59, 0};
    core.in.m_installedTime = {2025, 2, 1, 10, 8, 5, 3, 0};
    core.in.m_deleteFile = core.in.m_quitApp = core.in.m_executeApp = options;
    core.fake.libraries = {{"UNLHA32.DLL", {"UnlhaGetVersion", "Unlha"}},
                           {"unzip32.DLL", {"UnZip", "UnZipGetVersion"}}};
    core.fake.answers = {2};
}

// head, then n polls that still find a window of the viewer, then tail.
Events Polls(Events head, int n, const Events& tail) {
    for (int i = 0; i < n; ++i)
        head.insert(head.end(), {"enum", "sleep 500"});
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(Install, Sequence) {
    const std::string zip = "call -x -o D:\\dl\\kv2025_0301.zip E:\\kv\\";
    const std::string tooLong = "box パスが長すぎるためInstallできません\n";
    const std::string longDir = "D:\\" + std::string(247, 'd');    // with the name, 266 bytes
    const std::string spaced = "D:\\a b" + std::string(232, 'd');  // quoted, 256 bytes
    const std::string installDir = "E:\\" + std::string(250, 'i'); // its kv.exe, 260 bytes
    const struct {
        const char* name;
        int options; // delete, quit and execute
        std::function<void(CInstaller&, CFakePlatform&)> setup;
        Events log;
    } rows[] = {
        {"NoPackage",
         1,
         [](auto& in, auto&) { in.m_packageFind.cFileName[0] = '\0'; },
         {"box Installするファイルがありません|(none)|0"}},
        {"Zip",
         1,
         [](auto&, auto& fake) { fake.windows = {{"Viewer - kv"}}; },
         {"enum", "post Viewer - kv", "enum", "load unzip32.DLL", "proc UnZip", zip, "free",
          "delete D:\\dl\\kv2025_0301.zip", "exec E:\\kv\\kv.exe|E:\\kv\\", "end"}},
        {"Lha",
         0,
         [](auto& in, auto&) { in.m_archiver = 0; },
         {"load UNLHA32.DLL", "proc Unlha", "call e -m1 -c1 D:\\dl\\kv2025_0301.zip E:\\kv\\",
          "free", "end"}},
        {"NewerProgramKept",
         1,
         [](auto& in, auto&) { in.m_installedTime.wMonth = 4; },
         {"box 古いファイルで上書きしますか|確認|1"}},
        {"ViewerNotClosed", 1,
         [](auto&, auto& fake) {
             fake.windows = {{"Viewer - kv", -1}};
         },
         Polls({"enum", "post Viewer - kv"}, 20,
               {"box Kolva Viewを終了できませんでした|(none)|0"})},
        {"NoLibrary",
         0,
         [](auto&, auto& fake) { fake.libraries.clear(); },
         {"load unzip32.DLL", "box unzip32.DLLが開けませんでした|(none)|0"}},
        {"NoEntryPoint",
         0,
         [](auto&, auto& fake) { fake.libraries["unzip32.DLL"] = {"unzip"}; },
         {"load unzip32.DLL", "proc UnZip", "free",
          "box unzip32.DLLにUnZipが見つかりませんでした|(none)|0"}},
        {"ArchiverFails",
         1,
         [](auto&, auto& fake) { fake.archiverResult = -1; },
         {"enum", "enum", "load unzip32.DLL", "proc UnZip", zip, "free"}},
        {"FoldersWithBlanks",
         1,
         [](auto& in, auto&) {
             SetText(in.m_saveDir, "D:\\my dl");
             SetText(in.m_installDir, "E:\\Program Files\\kv");
         },
         {"enum", "enum", "load unzip32.DLL", "proc UnZip",
          "call -x -o \"D:\\my dl\\kv2025_0301.zip\" \"E:\\Program Files\\kv\\\"", "free",
          "delete D:\\my dl\\kv2025_0301.zip",
          "exec E:\\Program Files\\kv\\kv.exe|E:\\Program Files\\kv\\", "end"}},
        {"ArchivePathTooLong",
         1,
         [&](auto& in, auto&) { SetText(in.m_saveDir, longDir); },
         {tooLong + longDir + "|(none)|0"}},
        {"QuotedPathTooLong",
         1,
         [&](auto& in, auto&) { SetText(in.m_saveDir, spaced); },
         {tooLong + spaced + "|(none)|0"}},
        {"ProgramPathTooLong",
         1,
         [&](auto& in, auto&) { SetText(in.m_installDir, installDir); },
         {tooLong + installDir + "|(none)|0"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Core core;
        Ready(core, row.options);
        row.setup(core.in, core.fake);
        core.in.Install();
        EXPECT_EQ(core.fake.log, row.log);
        EXPECT_EQ(core.fake.loadedLibraries, 0);
        EXPECT_EQ(core.fake.archiverOutputSize, core.fake.archiverOwner ? 500u : 0u);
        EXPECT_TRUE(!core.fake.archiverOwner || core.fake.archiverOwner == &core.fake);
    }
}

// The first differing field of year, month, day, hour, minute and second
// decides; an installed program newer than the package makes it ask first.
TEST(Install, AgeCheck) {
    std::uint16_t SystemTime::*const fields[] = {&SystemTime::wYear,   &SystemTime::wMonth,
                                                 &SystemTime::wDay,    &SystemTime::wHour,
                                                 &SystemTime::wMinute, &SystemTime::wSecond};
    const SystemTime package = {2025, 3, 0, 1, 12, 30, 30, 0};
    const auto asks = [&](const SystemTime& installed, bool found) {
        Core core;
        Ready(core, 0);
        core.fake.answers = {1};
        core.in.m_packageTime = package;
        core.in.m_installedTime = installed;
        core.in.m_installedFind.cFileName[0] = found ? 'k' : '\0';
        core.in.Install();
        EXPECT_EQ(core.fake.log.back(), "end");
        return core.fake.log[0] == "box 古いファイルで上書きしますか|確認|1";
    };
    EXPECT_FALSE(asks({2025, 3, 6, 1, 12, 30, 30, 999}, true));
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
    const std::string title299 = std::string(294, 't') + " - kv", title300 = "t" + title299;
    const struct {
        std::vector<FakeTopWindow> windows;
        bool closed;
        Events log;
    } rows[] = {
        {{}, true, {"enum", "enum"}},
        {{{" - kv"}, {"a - kv"}, {"a - kV"}, {"a - Kv"}, {"a - kv "}, {title299}, {title300}},
         true,
         {"enum", "post a - kv", "post " + title299, "enum"}},
        {{{"V - kv", 19}}, true, Polls({"enum", "post V - kv"}, 19, {"enum"})},
        {{{"V - kv", 20}}, false, Polls({"enum", "post V - kv"}, 20, {})},
        {{{"A - kv", 0, true}, {"B - kv"}}, false, {"enum", "post A - kv"}},
    };
    for (const auto& row : rows) {
        Core core;
        core.fake.windows = row.windows;
        EXPECT_EQ(core.in.CloseRunningApp(), row.closed);
        EXPECT_EQ(core.fake.log, row.log);
    }
}

} // namespace
