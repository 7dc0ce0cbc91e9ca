#!/usr/bin/python3
"""Checks the resources and imports of KvInst.exe as built: the three dialog
templates, the About entry's string, the version block, the manifest, the icon,
and that the program imports nothing but Windows' own libraries.

Usage: check_resources.py KvInst.exe   (exit status 1 when any check fails)
"""
import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

RT_ICON, RT_DIALOG, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 5, 6, 14, 16, 24
BUTTON, EDIT, STATIC = 0x80, 0x81, 0x82
CLASS_NAMES = {"button": BUTTON, "edit": EDIT, "static": STATIC}

# Windows' own libraries; the archivers are loaded at run time and must not
# be imported, nor any runtime library of the compiler.
SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
    "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "version.dll",
}

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def check_equal(actual, expected, what):
    check(actual == expected, "%s: %r, expected %r" % (what, actual, expected))


class Reader:
    """Little-endian fields and UTF-16 texts of one resource, in order."""

    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.pos)
        self.pos += struct.calcsize("<" + fmt)
        return values if len(values) > 1 else values[0]

    def align(self, boundary):
        self.pos = (self.pos + boundary - 1) // boundary * boundary

    def text(self):
        end = self.pos
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        value = self.data[self.pos:end].decode("utf-16-le")
        self.pos = end + 2
        return value

    def name_or_ordinal(self, empty=None):
        """An ordinal as an int, a name as a str, nothing as empty."""
        first = self.take("H")
        if first == 0:
            return empty
        if first == 0xFFFF:
            return self.take("H")
        self.pos -= 2
        return self.text()


def parse_dialog(data):
    """Both template forms (DLGTEMPLATE and DLGTEMPLATEEX) into one dict."""
    r = Reader(data)
    extended = struct.unpack_from("<HH", data)[1] == 0xFFFF
    if extended:
        r.take("HHI")  # version, signature, help id
        exstyle, style = r.take("II")
    else:
        style, exstyle = r.take("II")
    count, x, y, cx, cy = r.take("Hhhhh")
    dialog = {"extended": extended, "style": style, "exstyle": exstyle, "rect": (x, y, cx, cy),
              "menu": r.name_or_ordinal(), "class": r.name_or_ordinal(), "caption": r.text()}
    if style & 0x40:  # DS_SETFONT
        if extended:
            size, weight, italic, charset = r.take("HHBB")
            dialog["font"] = (size, weight, italic, charset, r.text())
        else:
            dialog["font"] = (r.take("H"), r.text())
    controls = []
    for _ in range(count):
        r.align(4)
        if extended:
            r.take("I")  # help id
            exstyle, style = r.take("II")
            x, y, cx, cy = r.take("hhhh")
            control_id = r.take("i")
        else:
            style, exstyle = r.take("II")
            x, y, cx, cy = r.take("hhhh")
            control_id = r.take("h")
        window_class = r.name_or_ordinal()
        if isinstance(window_class, str):
            window_class = CLASS_NAMES.get(window_class.lower(), window_class)
        title = r.name_or_ordinal(empty="")
        extra = r.take("H")
        r.pos += extra
        controls.append({"id": control_id, "class": window_class, "title": title,
                         "rect": (x, y, cx, cy), "style": style, "exstyle": exstyle})
    dialog["controls"] = controls
    return dialog


def resources(pe, type_id):
    """{resource id: bytes} of one type, whatever the language."""
    found = {}
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id != type_id:
            continue
        for name in entry.directory.entries:
            for language in name.directory.entries:
                item = language.data.struct
                found[name.id] = pe.get_data(item.OffsetToData, item.Size)
    return found


def check_dialog(dialogs, number, caption, rect, font, style, exstyle, controls):
    dialog = dialogs.get(number)
    if dialog is None:
        failures.append("dialog %d is missing" % number)
        return
    what = "dialog %d" % number
    check_equal(dialog["caption"], caption, what + " caption")
    check_equal(dialog["rect"], rect, what + " position and size")
    check_equal(dialog["font"], font, what + " font")
    check_equal(hex(dialog["style"]), hex(style), what + " style")
    check_equal(hex(dialog["exstyle"]), hex(exstyle), what + " extended style")
    check_equal(dialog["menu"], None, what + " menu")
    check_equal(dialog["class"], None, what + " class")
    check_equal(len(dialog["controls"]), len(controls), what + " control count")
    for index, (actual, expected) in enumerate(zip(dialog["controls"], controls)):
        control_id, window_class, title, control_rect, control_style = expected
        where = "%s control %d" % (what, index + 1)
        check_equal(actual["id"], control_id, where + " id")
        check_equal(actual["class"], window_class, where + " class")
        if title is not None:
            check_equal(actual["title"], title, where + " text")
        check_equal(actual["rect"], control_rect, where + " rectangle")
        check_equal(hex(actual["style"]), hex(control_style), where + " style")
        check_equal(actual["exstyle"], 0, where + " extended style")


def check_dialogs(pe):
    dialogs = {number: parse_dialog(data) for number, data in resources(pe, RT_DIALOG).items()}
    check_equal(sorted(dialogs), [100, 102, 129], "dialog templates")
    check_dialog(dialogs, 100, "ﾊﾞｰｼﾞｮﾝ情報 KvInst", (0, 0, 217, 55),
                 (9, 0, 0, 0, "ＭＳ Ｐゴシック"), 0x80C800C0, 0, [
                     (-1, STATIC, 128, (11, 17, 20, 20), 0x50000003),
                     (-1, STATIC, "KvInst Version 1.5", (40, 10, 119, 8), 0x50020080),
                     (-1, STATIC, None, (40, 25, 119, 8), 0x50020000),
                     (1, BUTTON, "OK", (178, 7, 32, 14), 0x50030001),
                 ])
    check(dialogs.get(100, {}).get("extended", False), "dialog 100 is an extended template")
    check_dialog(dialogs, 102, "KV Installer(Zip Ver)", (0, 0, 237, 135),
                 (9, 0, 0, 1, "ＭＳ ゴシック"), 0x90C800C0, 0x00040000, [
                     (1, BUTTON, "Install", (130, 115, 50, 14), 0x50010001),
                     (2, BUTTON, "ｷｬﾝｾﾙ", (185, 115, 50, 14), 0x50010000),
                     (1000, BUTTON, "設定", (80, 115, 45, 15), 0x50010000),
                     (1001, EDIT, "", (5, 20, 230, 15), 0x50810880),
                     (1002, EDIT, "", (5, 55, 230, 15), 0x50810880),
                     (1003, EDIT, "", (85, 75, 150, 15), 0x50810880),
                     (1004, EDIT, "", (85, 95, 150, 15), 0x50810880),
                     (-1, STATIC, "Install先", (5, 5, 55, 10), 0x50020000),
                     (-1, STATIC, "Installファイル", (5, 75, 70, 15), 0x50020000),
                     (-1, STATIC, "旧ファイル日付", (5, 95, 75, 15), 0x50020000),
                     (-1, STATIC, "Install元", (5, 40, 55, 10), 0x50020000),
                 ])
    # The plain template form numbers a label -1 as 0xFFFF, read here as -1.
    check_dialog(dialogs, 129, "設定", (0, 0, 217, 175), (9, "ＭＳ ゴシック"), 0x80C800C0, 0, [
        (1004, EDIT, "", (5, 21, 160, 15), 0x50810080),
        (1005, BUTTON, "参照", (175, 21, 40, 15), 0x50010000),
        (1002, EDIT, "", (5, 55, 160, 15), 0x50810080),
        (1003, BUTTON, "参照", (175, 55, 40, 15), 0x50010000),
        (1007, EDIT, "", (5, 85, 210, 15), 0x50810080),
        (1006, BUTTON, "Install後ファイルを消す", (5, 105, 160, 15), 0x50010003),
        (1, BUTTON, "OK", (105, 155, 50, 14), 0x50010001),
        (2, BUTTON, "ｷｬﾝｾﾙ", (165, 155, 50, 14), 0x50010000),
        (-1, STATIC, "Install元", (5, 40, 75, 10), 0x50020000),
        (-1, STATIC, "Install先", (5, 5, 75, 15), 0x50020000),
        (-1, STATIC, "保存時付加ファイル名", (5, 75, 110, 10), 0x50020000),
        (1008, BUTTON, "Kolva Viewを終了させる", (5, 120, 160, 15), 0x50010003),
        (1009, BUTTON, "Install終了後Kolva View起動", (6, 135, 160, 15), 0x50010003),
    ])


def check_strings(pe):
    """String 101 lives in block 101 // 16 + 1, at place 101 % 16."""
    blocks = resources(pe, RT_STRING)
    texts = {}
    for block, data in blocks.items():
        r = Reader(data)
        for place in range(16):
            length = r.take("H")
            texts[(block - 1) * 16 + place] = data[r.pos:r.pos + 2 * length].decode("utf-16-le")
            r.pos += 2 * length
    check_equal(texts.get(101), "ﾊﾞｰｼﾞｮﾝ情報(KvInst) (&A)...", "string 101")
    check_equal(sorted(n for n, t in texts.items() if t), [101], "strings present")


def check_version(pe):
    fixed = pe.VS_FIXEDFILEINFO[0]
    check_equal((fixed.FileVersionMS, fixed.FileVersionLS), (0x10000, 2), "file version")
    check_equal((fixed.ProductVersionMS, fixed.ProductVersionLS), (0x10000, 2), "product version")
    strings, translations = {}, []
    for info in pe.FileInfo[0]:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                strings[table.LangID] = {k.decode(): v.decode() for k, v in table.entries.items()}
        elif info.Key == b"VarFileInfo":
            for var in info.Var:
                translations.append(var.entry.get(b"Translation"))
    check_equal(list(strings), [b"041104b0"], "version string tables")
    check_equal(strings.get(b"041104b0"), {
        "FileDescription": "KvInst MFC ｱﾌﾟﾘｹｰｼｮﾝ", "FileVersion": "1, 0, 0, 2",
        "InternalName": "KvInst", "OriginalFilename": "KvInst.EXE",
        "ProductName": "KvInst ｱﾌﾟﾘｹｰｼｮﾝ", "ProductVersion": "1, 0, 0, 2"}, "version strings")
    check_equal(translations, ["0x0411 0x04b0"], "version translation")


def check_manifest(pe):
    manifests = resources(pe, RT_MANIFEST)
    check_equal(sorted(manifests), [1], "manifests")
    if 1 not in manifests:
        return
    root = ElementTree.fromstring(manifests[1])
    levels = [e.attrib for e in root.iter() if e.tag.endswith("}requestedExecutionLevel")]
    check_equal(levels, [{"level": "asInvoker", "uiAccess": "false"}], "execution level")
    dpi = [e.text.strip().lower() for e in root.iter() if e.tag.endswith("}dpiAware")]
    check_equal(dpi, ["true"], "dpiAware")


def check_icon(pe):
    groups = resources(pe, RT_GROUP_ICON)
    check_equal(sorted(groups), [128], "icon groups")
    if 128 not in groups:
        return
    r = Reader(groups[128])
    _, kind, count = r.take("HHH")
    check_equal((kind, count), (1, 1), "icon 128: one icon image")
    width, height, colours, _, planes, bits, _, image = r.take("BBBBHHIH")
    check_equal((width, height, colours, bits), (32, 32, 0, 8), "icon 128: 32x32, 256 colours")
    check(image in resources(pe, RT_ICON), "icon 128's image is present")


def check_imports(pe):
    imported = sorted(entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT)
    check_equal([name for name in imported if name not in SYSTEM_DLLS], [],
                "imports outside Windows' own libraries")
    check(not hasattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT"), "no delay-loaded imports")
    check_equal(pe.FILE_HEADER.Machine, 0x14C, "machine i386")
    check_equal(pe.OPTIONAL_HEADER.Subsystem, 2, "Windows GUI subsystem")


def main():
    pe = pefile.PE(sys.argv[1])
    groups = [check_dialogs, check_strings, check_version, check_manifest, check_icon,
              check_imports]
    for group in groups:
        before = len(failures)
        group(pe)
        print("%-16s %s" % (group.__name__, "ok" if len(failures) == before else "FAILED"))
        for failure in failures[before:]:
            print("  " + failure)
    print("resources: %d failed checks" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
