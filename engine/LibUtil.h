// The engine log. The program names a log file at start-up, sets the level, and closes the file
// before showing it to the user after an error, then names it again to go on writing.
//
// Conventions (shared by every engine header): each function returns an 8-bit status (EngineStatus.h,
// 0 = success); strings are zero-terminated 8-bit text in the system code page, and paths are Windows
// paths as the program sees them (Z:\...), converted inside the engine.
//
// LogSetFileByName appends to the file (creating it), so closing and naming the same file again
// continues it; it may be called any number of times, and closes the file named before. The engine's
// own lines and FFmpeg's messages go there, one line each, prefixed with the local time.
// LogSetLevel: 0 nothing, 1 errors, 2 also warnings and the engine's notices (one line per probe,
// playback and job, with their settings and outcome), 3 also FFmpeg's informational messages,
// 4 and above also debugging output. The level before any call is 2.
// LogClose succeeds also when no file is open; lines written while none is open are dropped.
#pragma once
#include "EngineStatus.h"

#ifdef __cplusplus
extern "C" {
#endif

EngineStatus LogSetFileByName(const char* path);
EngineStatus LogSetLevel(int32_t level);
EngineStatus LogClose(void);

#ifdef __cplusplus
}
#endif
