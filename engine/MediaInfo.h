// The probe: what a media file holds. The program opens one file, reads its duration and streams,
// and leaves it "open" until the next file or exit.
//
// Conventions: every function returns an 8-bit status (EngineStatus.h, 0 = success); the path is
// a Windows path in 8-bit text (system code page); results are written through the pointers;
// times are signed 64-bit counts of 100 ns. The probe reads everything it reports while opening
// and closes the file at once, so an "open" probe holds no file. Calls that need an open file
// return 1 when none is open; a stream index outside 0..count-1 gives 7. MediaInfo_Close succeeds
// also when nothing is open.
//
// Stream kinds (MediaInfo_GetType and byte 0 of the record): 1 video, 2 audio, 3 subtitles,
// 4 data, 5 attachments (including cover pictures inside audio files, which are not video),
// 0 anything else.
#pragma once
#include "EngineStatus.h"

#ifdef __cplusplus
extern "C" {
#endif

// The 40-byte stream record, little-endian. The program reads the frame size of a video stream at
// bytes 16-23 and keeps the two audio values at bytes 8-15; the audio values are the channel count
// and the sample rate, in the order MediaConv_SetAudio takes them, so a probed file's sound can be
// kept as it is. The fields of the other kind are 0.
typedef struct TMediaStreamRecord {
  int32_t Kind;            // 0-3: stream kind, as MediaInfo_GetType reports it
  int32_t CodecId;         // 4-7: codec id of EngineCodecs.h, 0 for codecs not in that table
  int32_t Channels;        // 8-11: audio: channel count
  int32_t SampleRate;      // 12-15: audio: samples per second
  int32_t Width;           // 16-19: video: frame width in pixels, as displayed (turned as the file says)
  int32_t Height;          // 20-23: video: frame height in pixels, as displayed
  int64_t Duration;        // 24-31: the stream's duration in 100 ns, 0 when unknown
  int32_t BitRate;         // 32-35: bit/s, 0 when unknown
  int32_t FrameDuration;   // 36-39: video: 100-ns duration of one frame at the average rate, 0 when unknown
} TMediaStreamRecord;

EngineStatus MediaInfo_OpenFile(const char* path);
EngineStatus MediaInfo_GetDur(int64_t* duration);
EngineStatus MediaInfo_GetStreamCount(int32_t* count);
EngineStatus MediaInfo_GetType(int32_t index, uint8_t* kind);
EngineStatus MediaInfo_GetInfo(int32_t index, TMediaStreamRecord* record);
EngineStatus MediaInfo_Close(void);

#ifdef __cplusplus
}
static_assert(sizeof(TMediaStreamRecord) == 40, "the program passes a 40-byte record");
#endif
