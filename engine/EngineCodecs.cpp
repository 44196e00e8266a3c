#include "EngineCodecs.h"
#include "EngineAv.h"
#include <cstring>

namespace {

const EngineCodecEntry kCodecs[] = {
    {ecMpeg1Video, "MPEG-1 video", AV_CODEC_ID_MPEG1VIDEO, "mpeg1video", EngineCodecKind::Video},
    {ecMpeg2Video, "MPEG-2 video", AV_CODEC_ID_MPEG2VIDEO, "mpeg2video", EngineCodecKind::Video},
    {ecH263, "H.263", AV_CODEC_ID_H263, "h263", EngineCodecKind::Video},
    {ecMjpeg, "Motion JPEG", AV_CODEC_ID_MJPEG, "mjpeg", EngineCodecKind::Video},
    {ecMpeg4, "MPEG-4 Part 2", AV_CODEC_ID_MPEG4, "mpeg4", EngineCodecKind::Video},
    {ecMsMpeg4V2, "MS MPEG-4 V2", AV_CODEC_ID_MSMPEG4V2, "msmpeg4v2", EngineCodecKind::Video},
    {ecMsMpeg4V3, "MS MPEG-4 V3", AV_CODEC_ID_MSMPEG4V3, "msmpeg4", EngineCodecKind::Video},
    {ecWmv1, "Windows Media Video 7", AV_CODEC_ID_WMV1, "wmv1", EngineCodecKind::Video},
    {ecWmv2, "Windows Media Video 8", AV_CODEC_ID_WMV2, "wmv2", EngineCodecKind::Video},
    {ecH263Plus, "H.263+", AV_CODEC_ID_H263P, "h263p", EngineCodecKind::Video},
    {ecFlv1, "Flash video", AV_CODEC_ID_FLV1, "flv", EngineCodecKind::Video},
    {ecDvVideo, "DV video", AV_CODEC_ID_DVVIDEO, "dvvideo", EngineCodecKind::Video},
    {ecH264, "H.264", AV_CODEC_ID_H264, "libx264", EngineCodecKind::Video},
    {ecPcmS16le, "PCM 16-bit", AV_CODEC_ID_PCM_S16LE, "pcm_s16le", EngineCodecKind::Audio},
    {ecMp2, "MP2", AV_CODEC_ID_MP2, "mp2", EngineCodecKind::Audio},
    {ecMp3, "MP3", AV_CODEC_ID_MP3, "libmp3lame", EngineCodecKind::Audio},
    {ecAac, "AAC", AV_CODEC_ID_AAC, "aac", EngineCodecKind::Audio},
    {ecAc3, "AC-3", AV_CODEC_ID_AC3, "ac3", EngineCodecKind::Audio},
    {ecVorbis, "Vorbis", AV_CODEC_ID_VORBIS, "libvorbis", EngineCodecKind::Audio},
    {ecWmav1, "Windows Media Audio 1", AV_CODEC_ID_WMAV1, "wmav1", EngineCodecKind::Audio},
    {ecWmav2, "Windows Media Audio 2", AV_CODEC_ID_WMAV2, "wmav2", EngineCodecKind::Audio},
};

const char* const kOutputFormats[] = {
    "mp4", "ipod", "mov", "3gp", "3g2", "psp", "avi", "mpeg", "vcd", "svcd", "dvd",
    "vob", "mpegts", "flv", "asf", "dv", "matroska", "mp3", "adts", "wav", "ogg", "ac3",
};

}  // namespace

const EngineCodecEntry* FindEngineCodec(int32_t id) {
  for (const EngineCodecEntry& e : kCodecs)
    if (e.id == id) return &e;
  return nullptr;
}

int32_t EngineCodecIdOf(int ffmpegId) {
  for (const EngineCodecEntry& e : kCodecs)
    if (e.ffmpegId == ffmpegId) return e.id;
  return 0;
}

const EngineCodecEntry* EngineCodecTable(int* count) {
  *count = int(sizeof kCodecs / sizeof kCodecs[0]);
  return kCodecs;
}

bool IsEngineOutputFormat(const char* name) {
  if (!name) return false;
  for (const char* f : kOutputFormats)
    if (std::strcmp(f, name) == 0) return true;
  return false;
}
