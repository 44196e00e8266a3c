// Working out the output streams from the job's settings, opening their encoders, and the filter
// chains that turn decoded frames into what the encoders take. Filter texts carry only integers:
// FFmpeg parses decimal numbers with the C library, whose decimal mark follows the locale.
#include "EngineLog.h"
#include "EngineOrientation.h"
#include "MediaConvJob.h"
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <thread>

namespace {

int Even(int value) { return value & ~1; }

bool ListHasRate(const int* rates, int rate) {
  if (!rates) return true;
  for (; *rates; ++rates)
    if (*rates == rate) return true;
  return false;
}

int NearestRate(const int* rates, int rate) {
  int best = rates[0];
  for (; *rates; ++rates)
    if (std::abs(*rates - rate) < std::abs(best - rate)) best = *rates;
  return best;
}

// The channel count an encoder takes: the wanted one, or 0 when it cannot take it.
int ChannelsTaken(const AVCodec* codec, int wanted) {
  if (!codec->ch_layouts) return wanted;
  for (const AVChannelLayout* l = codec->ch_layouts; l->nb_channels; ++l)
    if (l->nb_channels == wanted) return wanted;
  return 0;
}

// 4:2:0 in the range the codec is made for: JPEG-range for Motion JPEG (its video-range 4:2:0 is
// refused as non-standard), video range for the rest.
AVPixelFormat PickPixelFormat(const AVCodec* codec) {
  if (!codec->pix_fmts) return AV_PIX_FMT_YUV420P;
  for (AVPixelFormat wanted : {AV_PIX_FMT_YUVJ420P, AV_PIX_FMT_YUV420P})
    for (const AVPixelFormat* f = codec->pix_fmts; *f != AV_PIX_FMT_NONE; ++f)
      if (*f == wanted) return *f;
  return codec->pix_fmts[0];
}

AVSampleFormat PickSampleFormat(const AVCodec* codec, int sourceFormat) {
  if (!codec->sample_fmts) return AV_SAMPLE_FMT_S16;
  for (const AVSampleFormat* f = codec->sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f)
    if (*f == sourceFormat) return *f;
  return codec->sample_fmts[0];
}

// A frame duration in 100 ns is a truncated value; the usual rates are recognised exactly so that
// 333666 becomes 30000/1001 rather than an approximation the encoders cannot represent.
AVRational RateFromDuration(int64_t duration) {
  static const int kNtscBases[] = {24000, 30000, 48000, 60000, 120000};
  for (int base : kNtscBases)
    if (std::llabs(kTicksPerSecond * 1001 / base - duration) <= 1) return AVRational{base, 1001};
  for (int n = 1; n <= 120; ++n)
    if (std::llabs(kTicksPerSecond / n - duration) <= 1) return AVRational{n, 1};
  AVRational rate;
  av_reduce(&rate.num, &rate.den, kTicksPerSecond, duration, 65535);
  return rate;
}

AVRational SourceRate(const AVStream* stream) {
  AVRational rate = stream->avg_frame_rate;
  if (rate.num <= 0 || rate.den <= 0 || av_q2d(rate) > 240) rate = stream->r_frame_rate;
  if (rate.num <= 0 || rate.den <= 0 || av_q2d(rate) > 240) rate = AVRational{25, 1};
  AVRational reduced;
  av_reduce(&reduced.num, &reduced.den, rate.num, rate.den, 65535);
  return reduced;
}

// The crop is in displayed pixels (the picture as turned for display).
ConvCrop CropOf(const ConvSettings& settings, const AVStream* source) {
  const ConvCrop& c = settings.crop;
  if (c.right > c.left && c.bottom > c.top) return c;
  ConvCrop whole;
  DisplayedSize(source, whole.right, whole.bottom);
  return whole;
}

// The picture keeps the shape x:y inside the output frame and is centred on black bars.
void FitPicture(const ConvSettings& settings, VideoPlan& plan) {
  int64_t x = settings.aspectX, y = settings.aspectY;
  plan.pictureWidth = plan.width;
  plan.pictureHeight = plan.height;
  if (x <= 0 || y <= 0) return;
  if (plan.width * y > plan.height * x)
    plan.pictureWidth = Even(int((plan.height * x + y / 2) / y));
  else
    plan.pictureHeight = Even(int((plan.width * y + x / 2) / x));
  plan.pictureWidth = std::max(2, std::min(plan.pictureWidth, plan.width));
  plan.pictureHeight = std::max(2, std::min(plan.pictureHeight, plan.height));
}

// A lane is worth its own reader, decoder and encoder from this length of picture on. A lane
// starts at a key frame and decodes nothing before it, so its cost is opening its codecs and
// warming up its encoder (see ConvJob::WarmUpLane), a few tens of milliseconds.
constexpr int64_t kShortestLane = 4 * kTicksPerSecond;

struct KeyFrame {
  int64_t ticks;  // on the file's time line
  int64_t ts;     // in the stream's time base, as the index has it
};

// The key frames the demuxer's index lists, as far as it has read it with the header.
std::vector<KeyFrame> IndexedKeyFrames(const EngineSource& source) {
  AVStream* stream = source.Video();
  std::vector<KeyFrame> keys;
  int count = avformat_index_get_entries_count(stream);
  for (int i = 0; i < count; ++i) {
    const AVIndexEntry* e = avformat_index_get_entry(stream, i);
    if ((e->flags & AVINDEX_KEYFRAME) && !(e->flags & AVINDEX_DISCARD_FRAME))
      keys.push_back({source.Ticks(e->timestamp, stream->time_base), e->timestamp});
  }
  return keys;
}

// The position of the key frame nearest to a time; keys are in file order.
size_t NearestKeyFrame(const std::vector<int64_t>& keys, int64_t ticks) {
  size_t after = std::lower_bound(keys.begin(), keys.end(), ticks) - keys.begin();
  if (after == keys.size()) return after - 1;
  if (after == 0 || keys[after] - ticks < ticks - keys[after - 1]) return after;
  return after - 1;
}

}  // namespace

std::vector<size_t> PickLaneKeyFrames(const std::vector<int64_t>& keys, int64_t start, int64_t end, int cores) {
  int64_t length = end - start;
  int64_t wanted = end > start ? std::min<int64_t>(std::max(1, cores), length / kShortestLane) : 0;
  std::vector<size_t> picked;
  int64_t previous = start;
  for (int64_t i = 1; i < wanted && !keys.empty(); ++i) {
    size_t key = NearestKeyFrame(keys, start + length * i / wanted);
    if (keys[key] - previous < kShortestLane || end - keys[key] < kShortestLane) continue;
    picked.push_back(key);
    previous = keys[key];
  }
  return picked;
}

std::vector<LaneStart> PlanLanes(const ConvSettings& s) {
  int64_t end = s.RangeEnd();
  if (end <= 0) return {};
  std::vector<KeyFrame> keys = IndexedKeyFrames(s.source);
  std::vector<int64_t> times;
  for (const KeyFrame& key : keys) times.push_back(key.ticks);
  int cores = int(std::max(1u, std::thread::hardware_concurrency()));
  std::vector<LaneStart> starts;
  for (size_t key : PickLaneKeyFrames(times, s.rangeStart, end, cores))
    starts.push_back({keys[key].ts, keys[key].ticks});
  return starts;
}

int64_t ConvSettings::RangeEnd() const {
  if (rangeLength > 0) {
    int64_t end = rangeStart + rangeLength;
    return source.duration > 0 ? std::min(end, source.duration) : end;
  }
  return source.duration;
}

EngineStatus CheckContainerTakes(const AVOutputFormat* format, const EngineCodecEntry* codec) {
  bool video = codec->kind == EngineCodecKind::Video;
  // Sound formats whose only pictures are cover art (MP3) name a still-image codec for video.
  AVCodecID pictures = format->video_codec == AV_CODEC_ID_PNG ? AV_CODEC_ID_NONE : format->video_codec;
  if ((video ? pictures : format->audio_codec) == AV_CODEC_ID_NONE ||
      avformat_query_codec(format, AVCodecID(codec->ffmpegId), FF_COMPLIANCE_NORMAL) == 0) {
    EngineLog(elNotice, "the %s format cannot carry %s", format->name, codec->name);
    return esParameters;
  }
  return esOk;
}

// Many muxers cannot say in advance which codecs they carry, and some need their streams together
// (DV needs its picture); writing a header into memory with the opened encoders' streams tells.
EngineStatus TryMuxing(const AVOutputFormat* format, std::initializer_list<const AVCodecParameters*> streams) {
  AVFormatContext* raw = nullptr;
  if (avformat_alloc_output_context2(&raw, format, nullptr, nullptr) < 0) return esFormatNotSupported;
  std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> oc(raw, [](AVFormatContext* c) {
    if (c->pb) {
      uint8_t* bytes = nullptr;
      avio_close_dyn_buf(c->pb, &bytes);
      av_free(bytes);
    }
    avformat_free_context(c);
  });
  for (const AVCodecParameters* params : streams) {
    if (!params) continue;
    AVStream* st = avformat_new_stream(raw, nullptr);
    if (!st || avcodec_parameters_copy(st->codecpar, params) < 0) return esParameters;
    st->time_base = params->codec_type == AVMEDIA_TYPE_AUDIO ? AVRational{1, params->sample_rate}
                                                              : AVRational{1, 90000};
  }
  if (avio_open_dyn_buf(&raw->pb) < 0) return esParameters;
  return avformat_write_header(raw, nullptr) < 0 ? esParameters : esOk;
}

// A container that needs sound beside its picture (PSP) refuses a picture alone; the picture is
// then tried beside a stand-in of the container's usual sound.
EngineStatus TryMuxingVideo(const AVOutputFormat* format, const AVCodecParameters* video) {
  if (TryMuxing(format, {video}) == esOk) return esOk;
  AvParamsPtr sound(avcodec_parameters_alloc());
  if (!sound || format->audio_codec == AV_CODEC_ID_NONE) return esParameters;
  sound->codec_type = AVMEDIA_TYPE_AUDIO;
  sound->codec_id = format->audio_codec;
  sound->sample_rate = 48000;
  av_channel_layout_default(&sound->ch_layout, 2);
  sound->frame_size = 1024;
  EngineStatus status = TryMuxing(format, {video, sound.get()});
  if (status != esOk) EngineLog(elNotice, "the %s format refuses this video stream", format->name);
  return status;
}

EngineStatus PlanVideo(const ConvSettings& settings, VideoPlan& plan) {
  const ConvVideoRequest& req = settings.video;
  const AVStream* source = settings.source.Video();
  plan.encoder = avcodec_find_encoder_by_name(req.codec->encoder);
  if (!plan.encoder) return esEncoder;
  plan.crop = CropOf(settings, source);
  bool original = req.width == 0 && req.height == 0;
  if (!original && (req.width <= 0 || req.height <= 0)) return esParameters;
  plan.width = Even(original ? plan.crop.right - plan.crop.left : req.width);
  plan.height = Even(original ? plan.crop.bottom - plan.crop.top : req.height);
  if (plan.width < 2 || plan.height < 2 || plan.width > 8192 || plan.height > 8192) return esParameters;
  FitPicture(settings, plan);
  plan.rate = req.frameDuration > 0 ? RateFromDuration(req.frameDuration) : SourceRate(source);
  if (plan.encoder->supported_framerates)
    plan.rate = plan.encoder->supported_framerates[av_find_nearest_q_idx(
        plan.rate, plan.encoder->supported_framerates)];
  plan.bitRate = req.bitRate;
  plan.pixelFormat = PickPixelFormat(plan.encoder);
  return esOk;
}

EngineStatus PlanAudio(const ConvSettings& settings, AudioPlan& plan) {
  const ConvAudioRequest& req = settings.audio;
  const AVStream* source = settings.source.Audio();
  plan.encoder = avcodec_find_encoder_by_name(req.codec->encoder);
  if (!plan.encoder) return esEncoder;
  const int* rates = plan.encoder->supported_samplerates;
  plan.sampleRate = req.sampleRate;
  if (plan.sampleRate > 0 && !ListHasRate(rates, plan.sampleRate)) return esParameters;
  if (plan.sampleRate <= 0) {
    plan.sampleRate = source ? source->codecpar->sample_rate : 44100;
    if (!ListHasRate(rates, plan.sampleRate)) plan.sampleRate = NearestRate(rates, plan.sampleRate);
  }
  int wanted = req.channels > 0 ? req.channels : source ? source->codecpar->ch_layout.nb_channels : 2;
  plan.channels = ChannelsTaken(plan.encoder, wanted);
  if (!plan.channels && req.channels > 0) return esParameters;
  if (!plan.channels) plan.channels = ChannelsTaken(plan.encoder, 2) ? 2 : plan.encoder->ch_layouts[0].nb_channels;
  if (plan.channels > 8) return esParameters;
  plan.sampleFormat = PickSampleFormat(plan.encoder, source ? source->codecpar->format : -1);
  plan.bitRate = req.bitRate;
  return esOk;
}

EngineStatus OpenVideoEncoder(const VideoPlan& plan, bool globalHeader, AvCodecPtr& encoder, EncoderUse use) {
  encoder.reset(avcodec_alloc_context3(plan.encoder));
  if (!encoder) return esEncoder;
  AVCodecContext* e = encoder.get();
  e->width = plan.width;
  e->height = plan.height;
  e->framerate = plan.rate;
  e->time_base = av_inv_q(plan.rate);
  e->pix_fmt = plan.pixelFormat;
  e->sample_aspect_ratio = AVRational{1, 1};
  if (plan.bitRate > 0) e->bit_rate = plan.bitRate;
  e->thread_count = use == EncoderUse::Whole ? 0 : 1;
  // One-pass rate control lets the bits spent run ahead of the target by up to the tolerance, and
  // an encoder does so early on and keeps it (a whole 30 s clip comes out 3 % over). Every lane
  // would add that: a lane catches up within two seconds of its bit rate.
  if (use == EncoderUse::Lane && plan.bitRate > 0)
    e->bit_rate_tolerance = int(std::min<int64_t>(2 * plan.bitRate, INT_MAX));
  if (globalHeader) e->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  int err = avcodec_open2(e, plan.encoder, nullptr);
  if (err < 0) {
    EngineLog(elNotice, "%s refuses %dx%d at %d/%d fps, %lld bit/s", plan.encoder->name, plan.width,
              plan.height, plan.rate.num, plan.rate.den, (long long)plan.bitRate);
    return esParameters;
  }
  return esOk;
}

EngineStatus OpenAudioEncoder(const AudioPlan& plan, bool globalHeader, AvCodecPtr& encoder) {
  encoder.reset(avcodec_alloc_context3(plan.encoder));
  if (!encoder) return esEncoder;
  AVCodecContext* e = encoder.get();
  e->sample_rate = plan.sampleRate;
  av_channel_layout_default(&e->ch_layout, plan.channels);
  e->sample_fmt = plan.sampleFormat;
  e->time_base = AVRational{1, plan.sampleRate};
  if (plan.bitRate > 0) e->bit_rate = plan.bitRate;
  if (globalHeader) e->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  int err = avcodec_open2(e, plan.encoder, nullptr);
  if (err < 0) {
    EngineLog(elNotice, "%s refuses %d Hz, %d channels, %lld bit/s", plan.encoder->name,
              plan.sampleRate, plan.channels, (long long)plan.bitRate);
    return esParameters;
  }
  return esOk;
}
