// What "Install" does, as the ordered log of platform and window calls: the
// age check, the settings saved, the shutdown of the running viewer and the
// archiver's call, those two while the end of the session is refused.
#include "fake_platform.h"
#include <gtest/gtest.h>

// head, then n polls that still find a window of the viewer, then tail.
static Events Polls(Events head, int n, const Events& tail) {
    for (int i = 0; i < n; ++i)
        head.insert(head.end(), {"enum", "sleep 500"});
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// kv2025_0301.zip in D:\dl selected for the ZIP row, an older kv.exe in E:\kv,
// both archivers installed, the options as given, every question declined.
static Core& Ready(Core& c, int options = 1) {
    SetText(c.in.m_saveDir, "D:\\dl");
    SetText(c.in.m_installDir, "E:\\kv");
    SetText(c.in.m_packageFind.cFileName, "kv2025_0301.zip");
    SetText(c.in.m_installedFind.cFileName, "kv.exe");
    c.in.m_archiver = 1;
    c.in.m_packageTime = {2025, 3, 0, 1, 23, 59, 59, 0};
    c.in.m_installedTime = {2025, 2, 1, 10, 8, 5, 3, 0};
    c.in.m_deleteFile = c.in.m_quitApp = c.in.m_executeApp = options;
    c.fake.libraries = {{"UNLHA32.DLL", "Unlha"}, {"unzip32.DLL", "UnZip"}};
    c.fake.answer = 2;
    return c;
}

TEST(Install, Sequence) {
    const std::string zip = "call -x -o D:\\dl\\kv2025_0301.zip E:\\kv\\|500";
    const std::string asks = "box 古いファイルで上書きしますか|確認|1";
    const std::string notClosed = "box Kolva Viewを終了できませんでした|(none)|0";
    const std::string tooLong = "box パスが長すぎるためInstallできません\n";
    const std::string block = "block Kolva View をインストールしています";
    const Events all =
        Polls({block, "enum", "enum", "load unzip32.DLL", "proc UnZip", zip, "free", "unblock"}, 0,
              {"delete D:\\dl\\kv2025_0301.zip", "exec E:\\kv\\kv.exe|E:\\kv\\", "end"});
    const Events rest(all.begin() + 2, all.end()); // after the close pass
    Core loaded;                                   // what SaveSettings writes of that state
    Ready(loaded).in.m_settingsLoaded = true, loaded.in.SaveSettings();
    const Events saved = loaded.fake.log;
    // Too long: with the name 266 bytes, quoted 256, and kv.exe's path 260; a long title.
    static const std::string longDir = "D:\\" + std::string(247, 'd'),
                             spaced = "D:\\a b" + std::string(232, 'd'),
                             farDir = "E:\\" + std::string(250, 'i'),
                             title299 = std::string(294, 't') + " - kv";
    // clang-format off
    const std::pair<void (*)(Core&), Events> rows[] = {
        {[](Core& c) { c.in.m_packageFind.cFileName[0] = '\0'; },
         {"box Installするファイルがありません|(none)|0"}},
        {[](Core&) {}, all},
        {[](Core& c) { Ready(c, 0).in.m_archiver = 0; },
         {block, "load UNLHA32.DLL", "proc Unlha",
          "call e -m1 -c1 D:\\dl\\kv2025_0301.zip E:\\kv\\|500", "free", "unblock", "end"}},
        // The age check: the first differing of year, month, day, hour, minute
        // and second decides; a newer installed program makes it ask.
        {[](Core& c) { c.in.m_installedTime = {2025, 3, 6, 1, 23, 59, 59, 999}; }, all},
        {[](Core& c) { c.in.m_installedTime = {2025, 3, 0, 2, 0, 0, 0, 0}; }, {asks}},
        {[](Core& c) { c.in.m_installedTime = {2026, 2, 0, 1, 23, 59, 59, 0}; }, {asks}},
        {[](Core& c) { c.in.m_installedTime = {2024, 4, 0, 1, 23, 59, 59, 0}; }, all},
        {[](Core& c) { c.in.m_installedTime = c.in.m_packageTime; --c.in.m_packageTime.wSecond; },
         {asks}},
        {[](Core& c) { c.in.m_installedTime.wYear = 2026; c.in.m_installedFind.cFileName[0] = 0; },
         all},
        {[](Core& c) { c.in.m_installedTime.wMonth = 4; c.fake.answer = 1; },
         Polls({asks}, 0, all)},
        // The settings reach the file once the question is past, not before.
        {[](Core& c) { c.in.m_settingsLoaded = true; }, Polls(saved, 0, all)},
        {[](Core& c) { c.in.m_settingsLoaded = true, c.in.m_installedTime.wYear = 2026; }, {asks}},
        // Only titles longer than " - kv" that end with it, in their first 299 bytes.
        {[](Core& c) { c.fake.windows = {{" - kv"}, {"a - kv"}, {"a - kV"}, {"a - Kv"}, {"a - kv "},
                                         {title299}, {"t" + title299}}; },
         Polls({block, "enum", "post a - kv", "post " + title299}, 0, rest)},
        {[](Core& c) { c.fake.windows = {{"V - kv", 19}, {"W - kv"}}; },
         Polls({block, "enum", "post V - kv", "post W - kv"}, 19, rest)},
        {[](Core& c) { c.fake.windows = {{"V - kv", 20}}; },
         Polls({block, "enum", "post V - kv"}, 20, {"unblock", notClosed})},
        {[](Core& c) { c.fake.windows = {{"A - kv", 0, true}, {"B - kv"}}; },
         {block, "enum", "post A - kv", "unblock", notClosed}},
        {[](Core& c) { Ready(c, 0).fake.libraries.clear(); },
         {block, "load unzip32.DLL", "unblock", "box unzip32.DLLが開けませんでした|(none)|0"}},
        {[](Core& c) { Ready(c, 0).fake.libraries["unzip32.DLL"] = "unzip"; },
         {block, "load unzip32.DLL", "proc UnZip", "free", "unblock",
          "box unzip32.DLLにUnZipが見つかりませんでした|(none)|0"}},
        {[](Core& c) { c.fake.archiverResult = -1; }, Events(all.begin(), all.end() - 3)},
        {[](Core& c) { c.fake.duringCall = [&c] { SetText(c.in.m_saveDir, "D:\\new"); }; }, all},
        {[](Core& c) { SetText(c.in.m_saveDir, "D:\\a b"); SetText(c.in.m_installDir, "E:\\c d"); },
         {block, "enum", "enum", "load unzip32.DLL", "proc UnZip",
          "call -x -o \"D:\\a b\\kv2025_0301.zip\" \"E:\\c d\\\"|500", "free", "unblock",
          "delete D:\\a b\\kv2025_0301.zip", "exec E:\\c d\\kv.exe|E:\\c d\\", "end"}},
        {[](Core& c) { SetText(c.in.m_saveDir, longDir); }, {tooLong + longDir + "|(none)|0"}},
        {[](Core& c) { SetText(c.in.m_saveDir, spaced); }, {tooLong + spaced + "|(none)|0"}},
        {[](Core& c) { SetText(c.in.m_installDir, farDir); }, {tooLong + farDir + "|(none)|0"}},
    };
    // clang-format on
    for (const auto& [setup, log] : rows) {
        Core c;
        setup(Ready(c));
        c.in.Install();
        EXPECT_EQ(c.fake.log, log);
    }
}
