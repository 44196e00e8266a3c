// The converter: one conversion job at a time, configured by a fixed sequence of calls and run on
// the engine's own threads.
//
// Conventions: every function returns an 8-bit status (EngineStatus.h, 0 = success); paths are
// Windows paths in 8-bit text (system code page); times are signed 64-bit counts of 100 ns on the
// source file's time line (0 = the start of the file); out-values are written through pointers.
//
// A job is configured in this order, each call checked at once so a bad value is reported by the
// call that passes it:
//   MediaConv_AddInputFile    opens and probes the input (1 missing/unreadable, 3 not media, 4 no
//                             decoder); starts a new configuration, so nothing of the previous job
//                             carries over. The input is only ever read.
//   MediaConv_CreateOutput    output path and output-format name (EngineCodecs.h lists the names;
//                             3 for others). 2 when the file cannot be created there (folder missing
//                             or read-only, the path names a folder, or it is the input file itself).
//   MediaConv_SetAspect       x:y shape of the picture inside the output frame; the picture is scaled
//                             to the largest x:y rectangle that fits and centred on black bars.
//                             0:0 fills the frame.
//   MediaConv_SetVolume       percent, 100 = unchanged, 0..500.
//   MediaConv_SetBrightness   -127..127, 0 = unchanged; +127 lifts luma by half the range.
//   MediaConv_SetContrast     -127..127, 0 = unchanged; luma is scaled by 1 + value / 128 around mid-grey.
//   MediaConv_SetCrop         left, top, right, bottom in source pixels as displayed (a picture the
//                             file says to turn is turned first); right and bottom exclusive;
//                             clamped to the frame; 0,0,0,0 means the whole frame; an empty rectangle
//                             gives 6. Ignored for an input without video.
//   MediaConv_SetVideo        codec id (EngineCodecs.h; 0 or less = no video in the output), width and
//                             height (0 x 0 = the cropped source size), frame duration (0 = the source
//                             rate), bit rate in bit/s (0 = the codec's default). 5 for an unknown
//                             codec, 6 when the container cannot carry it or the encoder refuses
//                             the values. Odd sizes are rounded down to even.
//   MediaConv_SetAudio        codec id (0 or less = no audio), channels and sample rate (0 = as the
//                             source), bit rate (0 = the codec's default, as PCM needs). 5 / 6 as above.
//   MediaConv_SetRange        start and length (length 0 = to the end); 6 for negative values or a
//                             start at or beyond the end of the input.
//   MediaConv_Run             returns at once; the job runs on its own threads. 6 when the output
//                             would hold no stream (e.g. audio asked of a file without sound).
// The volume, brightness, contrast and crop apply only to the streams the output has; a job without
// MediaConv_SetVideo writes no video, one without MediaConv_SetAudio no sound.
//
// While it runs: MediaConv_Pause / MediaConv_Continue hold and resume it; MediaConv_Cancel stops it
// within moments and removes the unfinished output (the file is written under a temporary name and
// gets its own name only when complete, so a partial file never looks finished);
// MediaConv_GetCurrentPosition gives the position reached on the source's time line (once done, the
// range end, or where the output ended when the input's length is unknown); MediaConv_WaitFor
// writes finished = 1 once the job has ended (completed, failed or cancelled) and whenever no job
// exists, and as the second value the job's outcome (0 = completed or cancelled, otherwise the
// status it failed with, e.g. 2 when the disk filled up, 6 when a stream of the output got
// nothing, as sound that ends before the range starts).
// MediaConv_GetSnap hands out the frame last given to the video encoder: a pointer to the engine's
// own buffer (valid until the next MediaConv_GetSnap or MediaConv_AddInputFile; copy it at once,
// never free it), its size in bytes (0 and a null pointer when there is no frame: no job, no video),
// width and height; 32-bit pixels (bytes B, G, R, 255), rows from the top, width x height x 4 bytes.
// Configuration calls while a job runs give 7. Pause, Continue, Cancel, WaitFor, GetSnap and
// GetCurrentPosition succeed also when no job exists.
// Disc input (MediaConv_AddInputDVD) cannot be read here and gives 3.
#pragma once
#include "EngineStatus.h"

#ifdef __cplusplus
extern "C" {
#endif

EngineStatus MediaConv_AddInputFile(const char* path);
EngineStatus MediaConv_AddInputDVD(const char* path, int32_t discId1, int32_t discId2, int32_t discId3);
EngineStatus MediaConv_CreateOutput(const char* path, const char* outFormat);
EngineStatus MediaConv_SetAspect(int32_t x, int32_t y);
EngineStatus MediaConv_SetVolume(int32_t volume);
EngineStatus MediaConv_SetBrightness(int32_t brightness);
EngineStatus MediaConv_SetContrast(int32_t contrast);
EngineStatus MediaConv_SetCrop(int32_t left, int32_t top, int32_t right, int32_t bottom);
EngineStatus MediaConv_SetVideo(int32_t codecId, int32_t width, int32_t height, int64_t frameDuration,
                                int32_t bitRate);
EngineStatus MediaConv_SetAudio(int32_t codecId, int32_t channels, int32_t sampleRate, int32_t bitRate);
EngineStatus MediaConv_SetRange(int64_t start, int64_t length);
EngineStatus MediaConv_Run(void);
EngineStatus MediaConv_Pause(void);
EngineStatus MediaConv_Continue(void);
EngineStatus MediaConv_Cancel(void);
EngineStatus MediaConv_WaitFor(uint8_t* finished, uint8_t* outcome);
EngineStatus MediaConv_GetCurrentPosition(int64_t* position);
EngineStatus MediaConv_GetSnap(uint8_t** pixels, int32_t* size, int32_t* width, int32_t* height);

#ifdef __cplusplus
}
#endif
