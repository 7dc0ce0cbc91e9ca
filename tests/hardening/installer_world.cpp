#include "installer_world.h"
#include "wait.h"
#include "window_query.h"

InstallerWorld::InstallerWorld(Archiver archiver) {
    world.MakeFolder("app");
    world.MakeFolder("save");
    world.MakeFolder("install");
    world.CopyIn(BesideProgram("KvInst.exe"), "app/KvInst.exe");
    if (archiver == Archiver::StandIn)
        world.CopyIn(BesideProgram("unzip32.DLL"), "app/unzip32.DLL");
    else if (archiver == Archiver::WithoutEntryPoint)
        world.CopyIn(BesideProgram("no_entry\\unzip32.DLL"), "app/unzip32.DLL");
    world.CopyIn(BesideProgram("kv.exe"), "install/kv.exe");
    world.WriteFile(std::string("save/") + kPackage, "not unpacked: the stand-in is scripted");
}

void InstallerWorld::WriteSettings(const std::vector<std::string>& lines) const {
    std::string contents = "[INSTDATA]\r\nInstallDirectory=" + world.Path("install") +
                           "\r\nSaveDirectory=" + world.Path("save") + "\r\n";
    for (const std::string& line : lines)
        contents += line + "\r\n";
    world.WriteFile("app/kvinst.ini", contents);
}

EnvironmentOverrides InstallerWorld::StubVariables() const {
    return {{"KVSTUB_LOG", world.Path("records.txt")},
            {"KVSTUB_KV_LOG", world.Path("records.txt")},
            {"KVSTUB_RESULT", ""},
            {"KVSTUB_DELAY_MS", ""},
            {"KVSTUB_FILL_OUTPUT", ""}};
}

bool InstallerWorld::Start(AppProcess& installer, const EnvironmentOverrides& extra) const {
    EnvironmentOverrides variables = StubVariables();
    variables.insert(variables.end(), extra.begin(), extra.end());
    return installer.Start(world.Path("app/KvInst.exe"), "", world.Root(), variables);
}

bool InstallerWorld::StartViewer(AppProcess& viewer, const std::string& title,
                                 const std::string& options) const {
    if (!viewer.Start(world.Path("install/kv.exe"), "\"" + title + "\" " + options,
                      world.Path("install"), StubVariables()))
        return false;
    WindowQuery query;
    query.processId = viewer.Id();
    query.caption = title.c_str();
    return WaitForWindow(query, kWindowTimeoutMs) != nullptr;
}

std::vector<StubRecord> InstallerWorld::Records() const {
    return ParseStubRecords(world.ReadLines("records.txt"));
}

std::vector<StubRecord> InstallerWorld::Records(const std::string& key,
                                                const std::string& value) const {
    std::vector<StubRecord> matching;
    for (const StubRecord& record : Records()) {
        auto found = record.find(key);
        if (found != record.end() && found->second == value)
            matching.push_back(record);
    }
    return matching;
}

HWND WaitForDialog(const AppProcess& process, const char* caption, HWND owner) {
    WindowQuery query;
    query.processId = process.Id();
    query.caption = caption;
    query.className = "#32770";
    query.owner = owner;
    return WaitForWindow(query, kWindowTimeoutMs);
}

bool Answers(HWND window, DWORD timeoutMs) {
    return ::IsWindow(window) && SendWithTimeout(window, WM_NULL, 0, 0, nullptr, timeoutMs);
}
