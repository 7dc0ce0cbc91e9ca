#include "kvinst_run.h"
#include "kvinst_ui.h"
#include "wait.h"
#include "window_query.h"
#include <cstdio>

KvInstRun::KvInstRun() {
    world.MakeFolder("app");
    world.MakeFolder("save");
    world.MakeFolder("install");
    world.CopyIn(BesideProgram(KVE2E_INSTALLER), "app/KvInst.exe");
    world.CopyIn(BesideProgram(KVE2E_STUBS "\\UNLHA32.DLL"), "app/UNLHA32.DLL");
    world.CopyIn(BesideProgram(KVE2E_STUBS "\\unzip32.DLL"), "app/unzip32.DLL");
}

KvInstRun::~KvInstRun() {
    installer.Kill();
    for (StubRecord& record : Records()) {
        if (record["event"] != "start")
            continue;
        HANDLE viewer = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                                      static_cast<DWORD>(std::stoul(record["process"])));
        if (viewer == nullptr)
            continue;
        if (::WaitForSingleObject(viewer, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(viewer, 255);
            ::WaitForSingleObject(viewer, 5000);
        }
        ::CloseHandle(viewer);
    }
}

void KvInstRun::WriteSettings(const std::vector<std::string>& lines) const {
    std::string contents = "[INSTDATA]\r\n";
    for (const std::string& line : lines)
        contents += line + "\r\n";
    world.WriteFile("app/kvinst.ini", contents);
}

void KvInstRun::InstallViewer(const SYSTEMTIME& utc) const {
    world.CopyIn(BesideProgram(KVE2E_STUBS "\\kv.exe"), "install/kv.exe");
    world.SetLastWriteTime("install/kv.exe", utc);
}

EnvironmentOverrides KvInstRun::StubVariables() const {
    return {{"KVSTUB_LOG", RecordsPath()},
            {"KVSTUB_KV_LOG", RecordsPath()},
            {"KVSTUB_RESULT", ""},
            {"KVSTUB_DELAY_MS", ""},
            {"KVSTUB_FILL_OUTPUT", ""}};
}

bool KvInstRun::Start(const EnvironmentOverrides& extra) {
    EnvironmentOverrides variables = StubVariables();
    variables.insert(variables.end(), extra.begin(), extra.end());
    return installer.Start(world.Path("app/KvInst.exe"), "", world.Root(), variables);
}

bool KvInstRun::StartViewer(AppProcess& viewer) const {
    if (!viewer.Start(world.Path("install/kv.exe"), "", InstallFolder(), StubVariables()))
        return false;
    WindowQuery query;
    query.processId = viewer.Id();
    query.caption = kViewerTitle;
    return WaitForWindow(query, kWindowTimeoutMs) != nullptr;
}

HWND KvInstRun::WaitForMainDialog() const {
    return WaitForDialog(kMainCaption);
}

HWND KvInstRun::WaitForDialog(const char* caption, HWND owner) const {
    WindowQuery query;
    query.processId = installer.Id();
    query.caption = caption;
    query.className = "#32770";
    query.owner = owner;
    return WaitForWindow(query, kWindowTimeoutMs);
}

std::vector<StubRecord> KvInstRun::Records() const {
    return ParseStubRecords(world.ReadLines("records.txt"));
}

std::string LocalTimeText(const SYSTEMTIME& utc) {
    FILETIME utcTime;
    FILETIME localTime;
    SYSTEMTIME local = {};
    if (::SystemTimeToFileTime(&utc, &utcTime) && ::FileTimeToLocalFileTime(&utcTime, &localTime))
        ::FileTimeToSystemTime(&localTime, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.wYear, local.wMonth,
                  local.wDay, local.wHour, local.wMinute, local.wSecond);
    return text;
}

SYSTEMTIME UtcTime(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    return time;
}
