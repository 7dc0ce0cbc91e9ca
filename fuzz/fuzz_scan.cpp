// The whole package selection over an arbitrary folder listing. The first line
// of the input is the add-name; every further line is one entry of the save
// folder, a directory when its first byte is 'D', a file otherwise, named by
// the rest of the line. ScanPackages runs over the listing and then over the
// same entries in reverse order on the same installer, and each result is
// checked against the selection rule restated below.
#include "archivers.h"
#include "check.h"
#include "fuzz_platform.h"
#include "input_lines.h"
#include "installer.h"
#include "stamp_oracle.h"
#include <algorithm>
#include <cstring>

namespace {

const char kSaveDir[] = "C:\\dl";
const char kInstallDir[] = "C:\\app"; // holds nothing: no installed program

std::string Lower(std::string text) {
    for (char& byte : text) {
        if (byte >= 'A' && byte <= 'Z')
            byte = static_cast<char>(byte - 'A' + 'a');
    }
    return text;
}

struct Selection {
    long entry = -1; // index into the entries, -1 for none
    int row = -1;
    std::string stamp = "1990_0101";
};

// The rule: four searches (lzh then zip, each underscore form then plain form),
// each listing the names "kv*<suffix>" in folder order; a file whose stem is a
// well-formed stamp not below the best so far becomes the selection.
Selection Select(const std::vector<CFuzzPlatform::Entry>& entries, const std::string& addName) {
    Selection selection;
    const char* const extensions[] = {"lzh", "zip"};
    for (int row = 0; row < 2; ++row) {
        for (int pattern = 0; pattern < 2; ++pattern) {
            const std::string suffix =
                Lower((pattern == 0 ? "_." : ".") + std::string(extensions[row]) + addName);
            // "<folder>\kv*<suffix>" must fit 259 bytes, or the search is skipped.
            if (std::strlen(kSaveDir) + 4 + suffix.size() > 259)
                continue;
            for (std::size_t i = 0; i < entries.size(); ++i) {
                const std::string name = Lower(entries[i].name);
                const bool listed =
                    name.size() >= 2 + suffix.size() && name.compare(0, 2, "kv") == 0 &&
                    name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
                if (!listed || entries[i].directory || name.size() <= 2)
                    continue;
                const std::string stem = OracleStem(entries[i].name, pattern);
                if (OracleWellFormedStamp(stem) && OracleNotBelow(stem, selection.stamp)) {
                    selection.entry = static_cast<long>(i);
                    selection.row = row;
                    selection.stamp = stem;
                }
            }
        }
    }
    return selection;
}

// The text the scan last put into a display field; every scan sets all four.
const std::string& Field(const CFuzzWindow& window, int controlId) {
    const auto field = window.m_fields.find(controlId);
    FUZZ_CHECK(field != window.m_fields.end());
    return field->second;
}

void CheckScan(const CFuzzPlatform& platform, const CFuzzWindow& window,
               const CInstaller& installer, const std::string& addName) {
    const Selection expected = Select(platform.m_entries, addName);
    FUZZ_CHECK(platform.OpenListings() == 0);
    FUZZ_CHECK(installer.m_archiver == expected.row);
    FUZZ_CHECK(Field(window, kIdcInstallDir) == kInstallDir);
    FUZZ_CHECK(Field(window, kIdcSaveDir) == kSaveDir);
    FUZZ_CHECK(Field(window, kIdcInstalledDate).empty());
    FUZZ_CHECK(installer.m_installedFind.cFileName[0] == '\0');
    const SystemTime& time = installer.m_packageTime;
    FUZZ_CHECK(time.wDayOfWeek == 0 && time.wMilliseconds == 0);
    if (expected.entry < 0) {
        FUZZ_CHECK(installer.m_packageFind.cFileName[0] == '\0');
        FUZZ_CHECK(installer.m_packageFind.nFileSizeLow == 0);
        FUZZ_CHECK(Field(window, kIdcPackageName).empty());
        FUZZ_CHECK(time.wYear == 0 && time.wMonth == 0 && time.wDay == 0 && time.wHour == 0 &&
                   time.wMinute == 0 && time.wSecond == 0);
        return;
    }
    const CFuzzPlatform::Entry& entry =
        platform.m_entries[static_cast<std::size_t>(expected.entry)];
    const FindData record =
        CFuzzPlatform::RecordOf(entry, static_cast<std::size_t>(expected.entry));
    FUZZ_CHECK(installer.m_packageFind.nFileSizeLow == record.nFileSizeLow);
    FUZZ_CHECK(installer.m_packageFind.dwFileAttributes == record.dwFileAttributes);
    FUZZ_CHECK(std::memcmp(installer.m_packageFind.cFileName, record.cFileName, kMaxPath) == 0);
    FUZZ_CHECK(Field(window, kIdcPackageName) == entry.name);
    FUZZ_CHECK(time.wYear == std::stoi(expected.stamp.substr(0, 4)));
    FUZZ_CHECK(time.wMonth == std::stoi(expected.stamp.substr(5, 2)));
    FUZZ_CHECK(time.wDay == std::stoi(expected.stamp.substr(7, 2)));
    FUZZ_CHECK(time.wHour == 23 && time.wMinute == 59 && time.wSecond == 59);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines = SplitLines(data, size);
    // A '*' would make the add-name a wildcard and a backslash another folder:
    // both change what is listed, not how the listing is judged.
    std::string addName = lines[0].substr(0, kMaxPath - 1);
    addName.erase(std::remove_if(addName.begin(), addName.end(),
                                 [](char byte) { return byte == '*' || byte == '\\'; }),
                  addName.end());

    CFuzzPlatform platform(kSaveDir);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const bool directory = !line.empty() && line[0] == 'D';
        platform.m_entries.push_back(
            {line.empty() ? line : line.substr(1, kMaxPath - 1), directory});
    }

    CFuzzWindow window;
    CInstaller installer(platform, window);
    std::strcpy(installer.m_saveDir, kSaveDir);
    std::strcpy(installer.m_installDir, kInstallDir);
    std::memcpy(installer.m_addName, addName.c_str(), addName.size() + 1);

    installer.ScanPackages();
    CheckScan(platform, window, installer, addName);
    // A second scan must forget the first one's result.
    std::reverse(platform.m_entries.begin(), platform.m_entries.end());
    window.m_fields.clear();
    installer.ScanPackages();
    CheckScan(platform, window, installer, addName);
    return 0;
}
