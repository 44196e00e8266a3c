# Winelib build: our C++ compiles into ELF modules that call Wine's Win32 DLLs.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER /usr/lib/wine/winegcc)
set(CMAKE_CXX_COMPILER /usr/lib/wine/wineg++)
set(CALDERAN_WRC /usr/lib/wine/wrc)
