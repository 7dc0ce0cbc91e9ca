#!/usr/bin/env python3
"""Lays out a save folder of exactly 50,000 entries for the big-folder test.

Made natively, since creating 50,000 files through Wine under emulation takes
minutes. Kept between runs: a marker file records a complete layout.

  40,000 packages kvYYYY_MMDD.zip, the newest kv2097_0710.zip
   4,000 LHA packages kv1980_NNNN_.lzh, below the 1990_0101 baseline, and
         kv2097_0710_.lzh with the newest stamp (the ZIP row wins the tie)
   2,000 folders kv21YY_MMDD.zip named like newer packages
   2,000 files kv2099_NNNNN.zip with ten-byte stamps
   2,000 other files readmeNNNNN.txt
"""
import os
import shutil
import sys

ENTRIES = 50000
MARKER = '.complete-50000-v1'


def names():
    for i in range(40000):
        year, rest = 1990 + i // 372, i % 372
        yield 'kv%04d_%02d%02d.zip' % (year, rest // 31 + 1, rest % 31 + 1), False
    for i in range(3999):
        yield 'kv1980_%04d_.lzh' % i, False
    yield 'kv2097_0710_.lzh', False
    for i in range(2000):
        year, rest = 2100 + i // 372, i % 372
        yield 'kv%04d_%02d%02d.zip' % (year, rest // 31 + 1, rest % 31 + 1), True
    for i in range(2000):
        yield 'kv2099_%05d.zip' % i, False
    for i in range(2000):
        yield 'readme%05d.txt' % i, False


def main():
    folder = sys.argv[1]
    parent = os.path.dirname(folder)
    if os.path.exists(os.path.join(parent, MARKER)):
        return 0
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    count = 0
    for name, is_folder in names():
        path = os.path.join(folder, name)
        if is_folder:
            os.mkdir(path)
        else:
            open(path, 'wb').close()
        count += 1
    assert count == ENTRIES and len(os.listdir(folder)) == ENTRIES
    open(os.path.join(parent, MARKER), 'w').close()
    return 0


if __name__ == '__main__':
    sys.exit(main())
