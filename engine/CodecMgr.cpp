#include "CodecMgr.h"
#include "EngineAv.h"
#include "EngineCodecs.h"
#include "EngineLog.h"

namespace {

const int32_t kNeededEncoders[] = {ecMpeg4, ecMp3, ecAac, ecPcmS16le};
const char* const kNeededMuxers[] = {"mp4", "mp3", "adts", "wav"};
const AVCodecID kNeededDecoders[] = {
    AV_CODEC_ID_MPEG1VIDEO, AV_CODEC_ID_MPEG2VIDEO, AV_CODEC_ID_MPEG4, AV_CODEC_ID_H264,
    AV_CODEC_ID_MSMPEG4V3,  AV_CODEC_ID_WMV2,       AV_CODEC_ID_MJPEG, AV_CODEC_ID_MP2,
    AV_CODEC_ID_MP3,        AV_CODEC_ID_AAC,        AV_CODEC_ID_AC3,   AV_CODEC_ID_PCM_S16LE,
    AV_CODEC_ID_WMAV2,      AV_CODEC_ID_VORBIS,
};

void LogMissingEncoders() {
  int count = 0;
  const EngineCodecEntry* table = EngineCodecTable(&count);
  for (int i = 0; i < count; ++i)
    if (!avcodec_find_encoder_by_name(table[i].encoder))
      EngineLog(elNotice, "codec %d (%s): encoder %s is not available", table[i].id, table[i].name,
                table[i].encoder);
}

}  // namespace

EngineStatus CodecMgrInit(const char* folder) {
  EngineStartup();
  EngineLog(elNotice, "codec manager: built-in FFmpeg codecs (libavcodec %s); folder \"%s\" not needed",
            AV_STRINGIFY(LIBAVCODEC_VERSION), folder ? folder : "");
  LogMissingEncoders();
  for (int32_t id : kNeededEncoders) {
    const EngineCodecEntry* codec = FindEngineCodec(id);
    if (!codec || !avcodec_find_encoder_by_name(codec->encoder)) return esEncoder;
  }
  for (AVCodecID id : kNeededDecoders)
    if (!avcodec_find_decoder(id)) return esDecoder;
  for (const char* name : kNeededMuxers)
    if (!av_guess_format(name, nullptr, nullptr)) return esFormatNotSupported;
  return esOk;
}
