#!/usr/bin/env python3
"""Lays out a fresh demo world for KvInst, the root of the demo drive D:

  Apps/KvInst/      KvInst.exe, its kvinst.ini and the stand-in archiver libraries
  Download/         the save folder: downloaded packages, an older .lzh, an
                    underscore-form .zip, the newest .zip (a real archive
                    holding a new kv.exe), a file that is not a package
  Apps/KolvaView/   the install folder: the installed, older kv.exe (last
                    written 2025-02-10)
"""
import os
import shutil
import sys
import time
import zipfile

root, exe, stubs = sys.argv[1:4]
shutil.rmtree(root, ignore_errors=True)
app, save, install = (os.path.join(root, *d.split('/'))
                      for d in ('Apps/KvInst', 'Download', 'Apps/KolvaView'))
for d in (app, save, install):
    os.makedirs(d)

shutil.copy(exe, app)
for name in ('unzip32.DLL', 'UNLHA32.DLL'):
    shutil.copy(os.path.join(stubs, name), app)


def demo_drive_path(path):
    return 'D:\\' + os.path.relpath(path, root).replace('/', '\\')


with open(os.path.join(app, 'kvinst.ini'), 'wb') as ini:
    ini.write(('[INSTDATA]\r\nInstallDirectory=%s\r\nSaveDirectory=%s\r\nAddName=\r\n'
               'DeleteFile=1\r\nQuitKv=1\r\nExecuteKv=1\r\n'
               % (demo_drive_path(install), demo_drive_path(save))).encode('cp932'))

stub_kv = os.path.join(stubs, 'kv.exe')
old_kv = os.path.join(install, 'kv.exe')
shutil.copy(stub_kv, old_kv)
with open(os.path.join(install, 'readme.txt'), 'w') as f:
    f.write('Kolva View 2025.02.10\n')
stamp = time.mktime((2025, 2, 10, 9, 30, 0, 0, 0, -1))
os.utime(old_kv, (stamp, stamp))

with zipfile.ZipFile(os.path.join(save, 'kv2025_0301.zip'), 'w', zipfile.ZIP_DEFLATED) as z:
    z.write(stub_kv, 'kv.exe')
    z.writestr('readme.txt', 'Kolva View 2025.03.01\n')
    z.writestr('plugins/viewer.cfg', 'zoom=100\n')
with zipfile.ZipFile(os.path.join(save, 'kv2024_1201_.zip'), 'w') as z:
    z.writestr('readme.txt', 'Kolva View 2024.12.01\n')
with open(os.path.join(save, 'kv2024_0115_.lzh'), 'wb') as f:
    f.write(b'-lh5- (an older LHA package)')
with open(os.path.join(save, 'notes.txt'), 'w') as f:
    f.write('not a package\n')
