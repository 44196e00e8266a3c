// The preview player: plays one file at a time into a window the program gives it.
//
// Conventions: every function returns an 8-bit status (EngineStatus.h, 0 = success); the path is
// a Windows path in 8-bit text (system code page); times are signed 64-bit counts of 100 ns on the
// file's own time line (0 = the start of the file); out-values are written through pointers.
//
// MediaPlayer_Play opens the file (1 missing or unreadable, 3 not media, 4 no decoder) and plays it
// from the start into the window: the picture is scaled into the client area with its shape kept,
// on black, at the file's frame rate, turned as the file says (a phone's portrait video upright); the sound goes to the wave output when the machine has one,
// and without one playback is timed by the clock alone. A new Play replaces the current playback.
// MediaPlayer_Seek(start, length) plays from start for length and then holds the last picture with
// the position at start + length; a length of 0 (or less) plays on to the end of the file, where
// the position rests at the file's duration. A seek while paused shows the picture at the new
// position and stays paused. MediaPlayer_Pause / MediaPlayer_Continue hold and resume.
// MediaPlayer_SetVolume (percent, 100 = unchanged, 0..500), MediaPlayer_SetBrightness and
// MediaPlayer_SetContrast (-127..127, 0 = unchanged; the same scale as the converter's) take effect
// at once on what plays and stay set for later files; values outside the range give 6.
// MediaPlayer_GetSnap copies the picture on show (with brightness and contrast applied) into the
// caller's buffer: *size holds the buffer's capacity in bytes on the way in and the size the picture
// needs on the way out, with its width and height; when the capacity is too small nothing is copied,
// so the caller can grow its buffer and ask again. Pixels are 32-bit (bytes B, G, R, 255), rows from
// the top, width x height x 4 bytes. Without a picture (nothing playing, a sound file) the size,
// width and height are 0.
// MediaPlayer_Stop, and every other call, succeed when nothing plays (they then do nothing, and the
// position is 0). Disc titles (MediaPlayer_PlayDVD) cannot be read here and give 3.
#pragma once
#include <windows.h>
#include "EngineStatus.h"

#ifdef __cplusplus
extern "C" {
#endif

EngineStatus MediaPlayer_Play(const char* path, HWND window);
EngineStatus MediaPlayer_PlayDVD(const char* path, HWND window, int32_t discId1, int32_t discId2, int32_t discId3);
EngineStatus MediaPlayer_Seek(int64_t start, int64_t length);
EngineStatus MediaPlayer_Pause(void);
EngineStatus MediaPlayer_Continue(void);
EngineStatus MediaPlayer_Stop(void);
EngineStatus MediaPlayer_SetVolume(int32_t volume);
EngineStatus MediaPlayer_SetBrightness(int32_t brightness);
EngineStatus MediaPlayer_SetContrast(int32_t contrast);
EngineStatus MediaPlayer_GetSnap(uint8_t* pixels, int32_t* size, int32_t* width, int32_t* height);
EngineStatus MediaPlayer_GetCurrentPosition(int64_t* position);

#ifdef __cplusplus
}
#endif
