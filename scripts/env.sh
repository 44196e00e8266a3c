# Sourced by the project's scripts: the Wine tools and the headless prefix under the build folder.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${CALDERAN_BUILD:-$top/build}"
export PATH="/usr/lib/wine:$PATH"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
# The compiler cache sees paths relative to the tree, so work trees of one repository share hits.
export CCACHE_BASEDIR="$top" CCACHE_NOHASHDIR=1
