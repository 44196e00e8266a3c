#include "MediaInfo.h"
#include "EngineCodecs.h"
#include "EngineInput.h"
#include "EngineOrientation.h"
#include "EngineLog.h"
#include <cstddef>
#include <mutex>
#include <vector>

static_assert(offsetof(TMediaStreamRecord, Channels) == 8);
static_assert(offsetof(TMediaStreamRecord, Width) == 16);
static_assert(offsetof(TMediaStreamRecord, Duration) == 24);

namespace {

struct ProbeResult {
  bool open = false;
  int64_t duration = 0;
  std::vector<TMediaStreamRecord> streams;
};

std::mutex gProbeLock;
ProbeResult* gProbe = nullptr;  // created on first use, lives for the process

ProbeResult& Probe() {
  if (!gProbe) gProbe = new ProbeResult();
  return *gProbe;
}

TMediaStreamRecord RecordOf(const AVStream* s) {
  TMediaStreamRecord r{};
  const AVCodecParameters* p = s->codecpar;
  r.Kind = StreamKindOf(s);
  r.CodecId = EngineCodecIdOf(p->codec_id);
  if (r.Kind == eskAudio) {
    r.Channels = p->ch_layout.nb_channels;
    r.SampleRate = p->sample_rate;
  } else if (r.Kind == eskVideo) {
    DisplayedSize(s, r.Width, r.Height);
    AVRational rate = s->avg_frame_rate.num > 0 ? s->avg_frame_rate : s->r_frame_rate;
    if (rate.num > 0 && rate.den > 0) r.FrameDuration = int32_t(av_rescale(kTicksPerSecond, rate.den, rate.num));
  }
  if (s->duration != AV_NOPTS_VALUE && s->duration > 0)
    r.Duration = av_rescale_q(s->duration, s->time_base, kTicks);
  r.BitRate = p->bit_rate > 0 && p->bit_rate < INT32_MAX ? int32_t(p->bit_rate) : 0;
  return r;
}

}  // namespace

EngineStatus MediaInfo_OpenFile(const char* path) {
  std::lock_guard<std::mutex> hold(gProbeLock);
  ProbeResult& probe = Probe();
  probe = ProbeResult();
  EngineSource source;
  EngineStatus status = OpenEngineSource(path, source);
  if (status != esOk) return status;
  probe.duration = source.duration;
  for (unsigned i = 0; i < source.format->nb_streams; ++i)
    probe.streams.push_back(RecordOf(source.format->streams[i]));
  probe.open = true;
  EngineLog(elNotice, "probed \"%s\": %s, %.3f s, %u streams", source.unixPath.c_str(),
            source.format->iformat->name, probe.duration / 1e7, source.format->nb_streams);
  return esOk;
}

EngineStatus MediaInfo_GetDur(int64_t* duration) {
  std::lock_guard<std::mutex> hold(gProbeLock);
  if (!duration) return esBadCall;
  if (!Probe().open) return esInputNotFound;
  *duration = Probe().duration;
  return esOk;
}

EngineStatus MediaInfo_GetStreamCount(int32_t* count) {
  std::lock_guard<std::mutex> hold(gProbeLock);
  if (!count) return esBadCall;
  if (!Probe().open) return esInputNotFound;
  *count = int32_t(Probe().streams.size());
  return esOk;
}

EngineStatus MediaInfo_GetType(int32_t index, uint8_t* kind) {
  std::lock_guard<std::mutex> hold(gProbeLock);
  if (!kind) return esBadCall;
  if (!Probe().open) return esInputNotFound;
  if (index < 0 || size_t(index) >= Probe().streams.size()) return esBadCall;
  *kind = uint8_t(Probe().streams[index].Kind);
  return esOk;
}

EngineStatus MediaInfo_GetInfo(int32_t index, TMediaStreamRecord* record) {
  std::lock_guard<std::mutex> hold(gProbeLock);
  if (!record) return esBadCall;
  if (!Probe().open) return esInputNotFound;
  if (index < 0 || size_t(index) >= Probe().streams.size()) return esBadCall;
  *record = Probe().streams[index];
  return esOk;
}

EngineStatus MediaInfo_Close(void) {
  std::lock_guard<std::mutex> hold(gProbeLock);
  Probe() = ProbeResult();
  return esOk;
}
