// The codec manager. The program calls CodecMgrInit once at start-up with the folder "Codec" beside
// it. Here the codecs are FFmpeg's own, built into its libraries, so the folder holds nothing the
// engine needs and may be missing; the call checks that what the offered output profiles need is
// there: the encoders MPEG-4 Part 2, MP3, AAC and 16-bit PCM, the muxers "mp4", "mp3", "adts" and
// "wav", and decoders for the common input formats.
//
// Conventions: returns an 8-bit status (EngineStatus.h): 0 when everything needed exists, 5 when an
// encoder is missing, 4 a decoder, 3 a muxer. The folder is a Windows path in 8-bit text. It logs
// every codec of EngineCodecs.h whose encoder this FFmpeg lacks, and may be called again.
#pragma once
#include "EngineStatus.h"

#ifdef __cplusplus
extern "C" {
#endif

EngineStatus CodecMgrInit(const char* folder);

#ifdef __cplusplus
}
#endif
