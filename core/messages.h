// The installer's own message texts (compiled to code page 932).
#pragma once

constexpr char kMsgNoPackage[] = "Installするファイルがありません";
constexpr char kMsgOverwriteOlder[] = "古いファイルで上書きしますか";
constexpr char kCaptionConfirm[] = "確認";
constexpr char kMsgAppNotClosed[] = "Kolva Viewを終了できませんでした";
constexpr char kFmtLibraryNotLoaded[] = "%sが開けませんでした";
constexpr char kFmtEntryNotFound[] = "%sに%sが見つかりませんでした";
constexpr char kFmtPathTooLong[] = "パスが長すぎるためInstallできません\n%s";
constexpr char kMsgInstalling[] = "Kolva View をインストールしています";
