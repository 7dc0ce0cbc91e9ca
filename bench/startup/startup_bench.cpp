// Start-up time of KvInst.exe against a minimal Win32 program that shows one
// empty dialog from a template: from CreateProcess to the dialog being
// visible, the programs started in turn over several rounds in one run.
// Prints the medians, their ratio (goal <= 1.05) and the size of
// dist/KvInst.exe (goal <= 64 KB). A third program shows KvInst's own main
// dialog template and does nothing else: the ratios to it split KvInst's
// extra time into what its controls cost and what its initialisation costs.
#include "app_process.h"
#include "test_world.h"
#include "wait.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace {

const int kRounds = 21;
const double kGoalRatio = 1.05;
const DWORD kGoalSizeBytes = 64 * 1024;

struct Program {
    const char* label;
    std::string path;
    const char* caption;
    std::vector<double> times;
};

double NowMs() {
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

HWND VisibleDialog(const char* caption) {
    HWND window = ::FindWindowA("#32770", caption);
    return window != nullptr && ::IsWindowVisible(window) ? window : nullptr;
}

// Milliseconds from the start to the visible dialog, or a negative value when
// the program did not show it or did not end when cancelled.
double TimeStartup(const Program& program, const std::string& folder) {
    AppProcess process;
    double start = NowMs();
    if (!process.Start(program.path, "", folder))
        return -1;
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = VisibleDialog(program.caption)) != nullptr; },
                   kWindowTimeoutMs, 1))
        return -1;
    double elapsed = NowMs() - start;
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return process.WaitForExit(kExitTimeoutMs) ? elapsed : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main() {
    // KvInst in a folder of its own, with both folders set so that it opens
    // its main dialog directly (no package: the scan finds nothing).
    TestWorld world;
    world.MakeFolder("save");
    world.MakeFolder("install");
    world.CopyIn(BesideProgram(KVBENCH_INSTALLER), "KvInst.exe");
    world.CopyIn(BesideProgram("kvbench_empty_dialog.exe"), "empty_dialog.exe");
    world.CopyIn(BesideProgram("kvbench_template_dialog.exe"), "template_dialog.exe");
    world.WriteFile("kvinst.ini", "[INSTDATA]\r\nInstallDirectory=" + world.Path("install") +
                                      "\r\nSaveDirectory=" + world.Path("save") + "\r\n");

    Program programs[] = {
        {"KvInst.exe", world.Path("KvInst.exe"), "KV Installer(Zip Ver)", {}},
        {"empty dialog", world.Path("empty_dialog.exe"), "Startup Bench Empty Dialog", {}},
        {"template only", world.Path("template_dialog.exe"), "KV Installer(Zip Ver)", {}}};
    const int count = static_cast<int>(std::size(programs));

    // One start of each first, uncounted: the first start of a program under
    // Wine also loads what later starts find ready.
    for (int round = -1; round < kRounds; ++round) {
        for (int turn = 0; turn < count; ++turn) {
            Program& program = programs[(round + turn + count) % count];
            double elapsed = TimeStartup(program, world.Root());
            if (elapsed < 0) {
                std::printf("%s did not show its dialog or did not end\n", program.label);
                return 1;
            }
            if (round >= 0)
                program.times.push_back(elapsed);
        }
    }

    std::printf("start to visible dialog, %d rounds, each program in turn, ms:\n", kRounds);
    for (int round = 0; round < kRounds; ++round)
        std::printf("  round %2d  KvInst.exe %8.1f  empty dialog %8.1f  template only %8.1f\n",
                    round, programs[0].times[round], programs[1].times[round],
                    programs[2].times[round]);
    double installer = Median(programs[0].times);
    double yardstick = Median(programs[1].times);
    double templateOnly = Median(programs[2].times);
    double ratio = installer / yardstick;
    std::printf("KvInst.exe:    median %8.1f ms\n", installer);
    std::printf("empty dialog:  median %8.1f ms\n", yardstick);
    std::printf("template only: median %8.1f ms\n", templateOnly);
    std::printf("ratio %.3f (goal <= %.2f): %s\n", ratio, kGoalRatio,
                ratio <= kGoalRatio ? "met" : "NOT met");
    std::printf("of which the main dialog's template %.3f, KvInst's initialisation %.3f\n",
                templateOnly / yardstick, installer / templateOnly);

    WIN32_FILE_ATTRIBUTE_DATA attributes;
    std::string distPath = BesideProgram(KVBENCH_INSTALLER);
    if (!::GetFileAttributesExA(distPath.c_str(), GetFileExInfoStandard, &attributes)) {
        std::printf("cannot read the size of %s\n", distPath.c_str());
        return 1;
    }
    DWORD size = attributes.nFileSizeLow;
    std::printf("dist/KvInst.exe: %lu bytes = %.1f KB (goal <= %lu bytes = 64 KB): %s\n", size,
                size / 1024.0, kGoalSizeBytes, size <= kGoalSizeBytes ? "met" : "NOT met");
    return 0;
}
