// What the inside probe and its user agree on. Some facts of a window cannot
// be read from another process under Wine (its menus; WM_GETICON gets no
// answer across processes), so a hook DLL reads them inside the program under
// test, in the window's own thread, and writes them to a file, one a line:
//   bigIcon=<1 when WM_GETICON ICON_BIG gives an icon, else 0>
//   smallIcon=<the same for ICON_SMALL>
//   menu=<command id>\t<"separator" or "string">\t<text>   (system menu, in order)
#pragma once

// Posted to the window; wParam is a global atom that names the output file.
constexpr char kInsideProbeMessage[] = "KvInstE2eInsideProbe";
// The probe's WH_GETMESSAGE hook procedure, exported undecorated.
constexpr char kInsideProbeHookName[] = "InsideProbeHook";
constexpr char kInsideProbeDll[] = "kve2e_inside_probe.dll";
