# Sourced by the Wine scripts: one private prefix under the build folder, code page 932.
# KVINST_VARIANT names the Windows of the prefix: win32 (the default), a 32-bit
# Windows at 96 DPI; wow64, a 64-bit Windows, where the 32-bit programs run
# with SysWOW64 as their system folder; dpi144, the 32-bit one at 150 %.
KVINST_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
KVINST_DEFAULT_PREFIX=$KVINST_ROOT/build/wineprefix
export KVINST_VARIANT=${KVINST_VARIANT:-win32}
case $KVINST_VARIANT in
  win32) export WINEPREFIX=$KVINST_DEFAULT_PREFIX WINEARCH=win32 ;;
  wow64) export WINEPREFIX=$KVINST_DEFAULT_PREFIX-wow64 WINEARCH=win64 ;;
  dpi144) export WINEPREFIX=$KVINST_DEFAULT_PREFIX-dpi144 WINEARCH=win32 ;;
  *) echo "Unknown KVINST_VARIANT $KVINST_VARIANT (win32, wow64 or dpi144)" >&2; exit 2 ;;
esac
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LC_ALL=ja_JP.UTF-8
