// The codec ids and output-format names the engine understands.
//
// The profile catalogue stores codec ids as numbers (the "ID" of a "Codec" element) and hands them
// unchanged to MediaConv_SetVideo / MediaConv_SetAudio; MediaInfo_GetInfo reports the same ids in a
// stream record. They are the classic codec enumeration numbers of the catalogue's era, which are NOT
// today's FFmpeg AVCodecID values for video (FFmpeg dropped an early entry, so every later video id
// moved down by one; audio ids kept their numbers). This table is the single place where a catalogue
// id meets an FFmpeg codec: add a codec here and nowhere else.
//
//   id     codec                        FFmpeg codec id          encoder used
//   1      MPEG-1 video                 AV_CODEC_ID_MPEG1VIDEO   mpeg1video
//   2      MPEG-2 video                 AV_CODEC_ID_MPEG2VIDEO   mpeg2video
//   5      H.263                        AV_CODEC_ID_H263         h263 (only the standard H.263 sizes)
//   8      Motion JPEG                  AV_CODEC_ID_MJPEG        mjpeg
//   13     MPEG-4 Part 2                AV_CODEC_ID_MPEG4        mpeg4
//   16     MS MPEG-4 V2                 AV_CODEC_ID_MSMPEG4V2    msmpeg4v2
//   17     MS MPEG-4 V3                 AV_CODEC_ID_MSMPEG4V3    msmpeg4
//   18     Windows Media Video 7        AV_CODEC_ID_WMV1         wmv1
//   19     Windows Media Video 8        AV_CODEC_ID_WMV2         wmv2
//   20     H.263+                       AV_CODEC_ID_H263P        h263p
//   22     Flash video (H.263 variant)  AV_CODEC_ID_FLV1         flv
//   25     DV video                     AV_CODEC_ID_DVVIDEO      dvvideo (DV frame sizes only)
//   28     H.264                        AV_CODEC_ID_H264         libx264
//   65536  PCM signed 16-bit LE         AV_CODEC_ID_PCM_S16LE    pcm_s16le
//   86016  MPEG audio layer 2           AV_CODEC_ID_MP2          mp2
//   86017  MP3                          AV_CODEC_ID_MP3          libmp3lame
//   86018  AAC                          AV_CODEC_ID_AAC          aac
//   86019  AC-3                         AV_CODEC_ID_AC3          ac3
//   86021  Vorbis                       AV_CODEC_ID_VORBIS       libvorbis
//   86023  Windows Media Audio 1        AV_CODEC_ID_WMAV1        wmav1
//   86024  Windows Media Audio 2        AV_CODEC_ID_WMAV2        wmav2
//
// Id 0 (or less) means "no stream of this kind" to the converter. Ids not in the table give status 5
// (no encoder). AMR (73728) has no encoder in Debian's FFmpeg, so it is not offered.
//
// Output-format names accepted by MediaConv_CreateOutput (FFmpeg muxer short names; the
// catalogue's "OutFormat" text): "mp4", "ipod", "mov", "3gp", "3g2", "psp", "avi", "mpeg", "vcd",
// "svcd", "dvd", "vob", "mpegts", "flv", "asf", "dv", "matroska", "mp3", "adts", "wav", "ogg", "ac3".
// The offered profiles use "mp4" (MP4 video, and M4A audio-only), "mp3", "adts" and "wav". A codec
// the container cannot carry is refused with status 6 when it is set.
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum EngineCodecId {
  ecNone = 0,
  ecMpeg1Video = 1,
  ecMpeg2Video = 2,
  ecH263 = 5,
  ecMjpeg = 8,
  ecMpeg4 = 13,
  ecMsMpeg4V2 = 16,
  ecMsMpeg4V3 = 17,
  ecWmv1 = 18,
  ecWmv2 = 19,
  ecH263Plus = 20,
  ecFlv1 = 22,
  ecDvVideo = 25,
  ecH264 = 28,
  ecPcmS16le = 65536,
  ecMp2 = 86016,
  ecMp3 = 86017,
  ecAac = 86018,
  ecAc3 = 86019,
  ecVorbis = 86021,
  ecWmav1 = 86023,
  ecWmav2 = 86024
};

#ifdef __cplusplus
}

// Engine-internal view of the table (the FFmpeg side), kept out of the C interface.
enum class EngineCodecKind { Video, Audio };

struct EngineCodecEntry {
  int32_t id;             // catalogue id
  const char* name;       // readable name, for the log
  int ffmpegId;           // AVCodecID
  const char* encoder;    // FFmpeg encoder name
  EngineCodecKind kind;
};

// The entry of a catalogue id, or nullptr when the engine does not know it.
const EngineCodecEntry* FindEngineCodec(int32_t id);
// The catalogue id of an FFmpeg codec (0 when it has none), for stream records.
int32_t EngineCodecIdOf(int ffmpegId);
// Every entry, for the codec manager's check.
const EngineCodecEntry* EngineCodecTable(int* count);
// True when name is one of the output-format names listed above.
bool IsEngineOutputFormat(const char* name);
#endif
