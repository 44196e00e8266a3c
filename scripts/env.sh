# Sourced by the project's scripts: the Wine tools and the headless prefix under the build folder.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${CALDERAN_BUILD:-$top/build}"
export PATH="/usr/lib/wine:$PATH"
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
