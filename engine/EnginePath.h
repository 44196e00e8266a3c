// Engine-internal: the program hands the engine Windows paths in 8-bit text (system code page);
// FFmpeg and the C library need the Unix name of the same file.
#pragma once
#include <string>

// False when the text is empty or Wine cannot map it to a Unix name.
bool EngineUnixPath(const char* windowsPath, std::string& unixPath);
