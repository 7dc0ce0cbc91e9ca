// The supported package formats and the archiver library that unpacks each.
// Row order matters: on equal stamps the later row's package wins.
#pragma once

struct ArchiverEntry {
    char extension[20];
    char dllName[30];
    char entryName[30];
    char command[30];
};

constexpr int kArchiverCount = 2;
extern const ArchiverEntry g_archivers[kArchiverCount];
