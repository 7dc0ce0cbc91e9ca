#include "archivers.h"

const ArchiverEntry g_archivers[kArchiverCount] = {
    {"lzh", "UNLHA32.DLL", "Unlha", "e -m1 -c1"},
    {"zip", "unzip32.DLL", "UnZip", "-x -o"},
};
