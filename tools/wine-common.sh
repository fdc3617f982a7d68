# Sourced by the Wine scripts: where the test environment lives and how Wine is run in it.
# One prefix serves both architectures; it lives in the build tree so that nothing outside
# the checkout is touched.
BUNDOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUNDOR_WINE_DIR=${BUNDOR_WINE_DIR:-$BUNDOR_ROOT/build/wine}
export WINEPREFIX=$BUNDOR_WINE_DIR/prefix
export WINEARCH=win64
# Code page 936, as on the Chinese systems the catalogues are written for.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# Quiet, but a missing DLL must still be reported (it is silent otherwise, exit code 53).
export WINEDEBUG=${WINEDEBUG:--all,err+module}
# No Mono or Gecko download prompts while the prefix is made.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver

bundor_wine_display() {
    [ -f "$BUNDOR_WINE_DIR/display" ] && cat "$BUNDOR_WINE_DIR/display"
}

# The loader that matches a PE file: 32-bit programs need the 32-bit loader.
bundor_wine_loader() {
    local exe=$1 off machine
    off=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
    machine=$(od -An -tx2 -j$((off + 4)) -N2 "$exe" | tr -d ' ')
    if [ "$machine" = "014c" ]; then echo "$WINE32"; else echo "$WINE64"; fi
}
