# Sourced by the project's scripts: the Wine tools and the headless prefix under the build folder.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${CALDERAN_BUILD:-$top/build}"
export PATH="/usr/lib/wine:$PATH"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
# The compiler cache sees paths relative to the tree, so work trees of one repository share hits.
export CCACHE_BASEDIR="$top" CCACHE_NOHASHDIR=1

# This Wine does not look in its own font folder (/usr/share/wine/fonts, from fonts-wine): without
# its Tahoma and Marlett in the prefix, text falls back to whatever fonts the machine has and the
# frames Wine draws show their caption buttons as "0", "1" and "r". Both prefixes get them.
copy_wine_fonts() {
  local font fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf; do
    [ -f "$fonts/${font##*/}" ] || cp "$font" "$fonts/"
  done
}
