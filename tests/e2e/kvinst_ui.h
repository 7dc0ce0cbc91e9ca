// What KvInst shows, as the tests expect to find it (code page 932 bytes, like
// every literal of this build).
#pragma once

constexpr char kAppName[] = "KvInst";
constexpr char kMainCaption[] = "KV Installer(Zip Ver)";
constexpr char kSettingsCaption[] = "設定";
constexpr char kAboutCaption[] = "ﾊﾞｰｼﾞｮﾝ情報 KvInst";
constexpr char kAboutVersionText[] = "KvInst Version 1.5";
constexpr char kAboutMenuText[] = "ﾊﾞｰｼﾞｮﾝ情報(KvInst) (&A)...";
constexpr char kBrowseTitle[] = "パスを指定してください。";
constexpr char kViewerTitle[] = "1.0 - kv";

constexpr char kNoPackageText[] = "Installするファイルがありません";
constexpr char kOverwriteOlderText[] = "古いファイルで上書きしますか";
constexpr char kConfirmCaption[] = "確認";

constexpr unsigned kAboutCommand = 0x0010;

// Main dialog.
constexpr int kIdSettingsButton = 1000;
constexpr int kIdShowInstallDir = 1001;
constexpr int kIdShowSaveDir = 1002;
constexpr int kIdShowPackage = 1003;
constexpr int kIdShowInstalledDate = 1004;

// Settings dialog.
constexpr int kIdSaveDir = 1002;
constexpr int kIdBrowseSaveDir = 1003;
constexpr int kIdInstallDir = 1004;
constexpr int kIdBrowseInstallDir = 1005;
constexpr int kIdDeleteFile = 1006;
constexpr int kIdAddName = 1007;
constexpr int kIdQuitApp = 1008;
constexpr int kIdExecuteApp = 1009;
