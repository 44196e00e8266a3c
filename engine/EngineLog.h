// Engine-internal: writing to the engine log, and the one-time start of the engine's FFmpeg side.
#pragma once

enum EngineLogLevel { elError = 1, elNotice = 2, elInfo = 3, elDebug = 4 };

// Installs FFmpeg's log callback once; every engine entry point calls it first, so FFmpeg never
// writes to the console and every message goes to the engine log.
void EngineStartup();

void EngineLog(EngineLogLevel level, const char* format, ...) __attribute__((format(printf, 2, 3)));
