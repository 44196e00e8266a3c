// The filter chains of a conversion job, as FFmpeg filter-graph texts. Only integers appear in
// them (timestamps in the time base of the chain's frames, ratios as fractions), because FFmpeg
// parses decimal numbers with the C library, whose decimal mark follows the locale.
#include "EngineOrientation.h"
#include "MediaConvJob.h"
#include <cstdarg>
#include <cstdio>

namespace {

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

// The sound's range as trim options in the time base of its frames, plus the shift that moves the
// range start to 0.
std::string SoundRange(const ConvSettings& s, AVRational timeBase) {
  if (s.rangeStart <= 0 && s.rangeLength <= 0) return "";
  long long start = av_rescale_q(s.rangeStart, kTicks, timeBase);
  std::string text = Printf("atrim=start_pts=%lld", start);
  if (s.rangeLength > 0)
    text += Printf(":end_pts=%lld", (long long)av_rescale_q(s.rangeStart + s.rangeLength, kTicks, timeBase));
  text += ",";
  if (start > 0) text += Printf("asetpts=PTS-%lld,", start);
  return text;
}

// Timestamps stored in milliseconds (Matroska) may sit up to half of one after the picture's true
// time; a picture that starts within this of an output frame's time counts as on show then.
constexpr int64_t kPictureTolerance = kTicksPerSecond / 1000;

// The pictures' range and rate. The frames come in 100-ns ticks, so the range start falls between
// two pictures exactly. Output frame n shows the picture on show at the range start plus n frames
// (fps rounding up: a picture counts from its own time on), so the first one is the picture
// visible at the range start, shown from 0; the range then keeps whole output frames.
std::string PictureTiming(const ConvSettings& s, const VideoPlan& plan) {
  std::string text = Printf("setpts=PTS-%lld,fps=%d/%d:round=up,", (long long)(s.rangeStart + kPictureTolerance),
                            plan.rate.num, plan.rate.den);
  if (s.rangeStart <= 0 && s.rangeLength <= 0) return text;
  text += "trim=start_pts=0";
  if (s.rangeLength > 0)
    text += Printf(":end_pts=%lld", (long long)av_rescale_rnd(s.rangeLength, plan.rate.num,
                                                               int64_t(plan.rate.den) * kTicksPerSecond, AV_ROUND_UP));
  return text + ",";
}

EngineStatus LinkChain(FilterChain& chain, const std::string& text) {
  AVFilterInOut* outputs = avfilter_inout_alloc();
  AVFilterInOut* inputs = avfilter_inout_alloc();
  if (!outputs || !inputs) {
    avfilter_inout_free(&outputs);
    avfilter_inout_free(&inputs);
    return esParameters;
  }
  outputs->name = av_strdup("in");
  outputs->filter_ctx = chain.source;
  inputs->name = av_strdup("out");
  inputs->filter_ctx = chain.sink;
  int err = avfilter_graph_parse_ptr(chain.graph.get(), text.c_str(), &inputs, &outputs, nullptr);
  avfilter_inout_free(&outputs);
  avfilter_inout_free(&inputs);
  if (err < 0 || avfilter_graph_config(chain.graph.get(), nullptr) < 0) return esParameters;
  return esOk;
}

EngineStatus MakeChain(const char* sourceName, const std::string& sourceArgs, const char* sinkName,
                       const std::string& text, FilterChain& chain, int threads) {
  chain.graph.reset(avfilter_graph_alloc());
  if (!chain.graph) return esParameters;
  chain.graph->nb_threads = threads;
  if (avfilter_graph_create_filter(&chain.source, avfilter_get_by_name(sourceName), "in",
                                   sourceArgs.c_str(), nullptr, chain.graph.get()) < 0 ||
      avfilter_graph_create_filter(&chain.sink, avfilter_get_by_name(sinkName), "out", nullptr,
                                   nullptr, chain.graph.get()) < 0)
    return esParameters;
  return LinkChain(chain, text);
}

}  // namespace

std::string VideoFilterText(const ConvSettings& s, const VideoPlan& plan) {
  std::string text = PictureTiming(s, plan) + OrientationFilters(OrientationOf(s.source.Video()));
  const ConvCrop& c = plan.crop;
  int width, height;
  DisplayedSize(s.source.Video(), width, height);
  if (c.left != 0 || c.top != 0 || c.right != width || c.bottom != height)
    text += Printf("crop=%d:%d:%d:%d,", c.right - c.left, c.bottom - c.top, c.left, c.top);
  if (s.brightness != 0 || s.contrast != 0)
    text += Printf("eq=brightness=%d/255:contrast=%d/128,", s.brightness, 128 + s.contrast);
  text += Printf("scale=%d:%d,", plan.pictureWidth, plan.pictureHeight);
  if (plan.pictureWidth != plan.width || plan.pictureHeight != plan.height)
    text += Printf("pad=%d:%d:%d:%d:black,", plan.width, plan.height,
                   (plan.width - plan.pictureWidth) / 2 & ~1, (plan.height - plan.pictureHeight) / 2 & ~1);
  text += Printf("setsar=1,format=%s", av_get_pix_fmt_name(plan.pixelFormat));
  return text;
}

std::string LaneFilterText(int64_t firstFrame, int64_t endFrame) {
  std::string text = Printf("trim=start_pts=%lld", (long long)firstFrame);
  return endFrame > 0 ? text + Printf(":end_pts=%lld", (long long)endFrame) : text;
}

// The fps filter of PictureTiming gives a picture at t (ticks after the shifted range start) the
// output frames from t rounded up to a frame on.
int64_t OutputFrameShowing(const ConvSettings& s, const VideoPlan& plan, int64_t ticks) {
  int64_t t = ticks - (s.rangeStart + kPictureTolerance);
  return av_rescale_rnd(t, plan.rate.num, int64_t(plan.rate.den) * kTicksPerSecond, AV_ROUND_UP);
}

std::string AudioFilterText(const ConvSettings& s, const AudioPlan& plan, AVRational frameBase) {
  std::string text = SoundRange(s, frameBase);
  if (s.volume != 100) text += Printf("volume=%d/100:precision=float,", s.volume);
  AVChannelLayout layout;
  av_channel_layout_default(&layout, plan.channels);
  char layoutName[64];
  av_channel_layout_describe(&layout, layoutName, sizeof layoutName);
  // Where the source's sound pauses (packets missing), the resampler fills the gap with silence
  // from 20 ms on: MP3, ADTS and WAV keep no timestamps, so without it what follows would play early.
  text += Printf("aresample=%d:async=1:min_hard_comp=1/50,aformat=sample_fmts=%s:sample_rates=%d:channel_layouts=%s",
                 plan.sampleRate, av_get_sample_fmt_name(plan.sampleFormat), plan.sampleRate, layoutName);
  return text;
}

EngineStatus BuildVideoChain(const AVCodecContext* d, AVRational timeBase, const std::string& text,
                             FilterChain& chain, int threads) {
  AVPixelFormat format = d->pix_fmt == AV_PIX_FMT_NONE ? AV_PIX_FMT_YUV420P : d->pix_fmt;
  AVRational sar = d->sample_aspect_ratio.num > 0 ? d->sample_aspect_ratio : AVRational{1, 1};
  std::string args = Printf("video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d", d->width,
                            d->height, int(format), timeBase.num, timeBase.den, sar.num, sar.den);
  return MakeChain("buffer", args, "buffersink", text, chain, threads);
}

EngineStatus BuildAudioChain(const AVCodecContext* d, AVRational timeBase, const std::string& text,
                             FilterChain& chain) {
  if (d->ch_layout.nb_channels <= 0 || d->sample_rate <= 0) return esDecoder;
  char layoutName[64];
  av_channel_layout_describe(&d->ch_layout, layoutName, sizeof layoutName);
  std::string args = Printf("time_base=%d/%d:sample_rate=%d:sample_fmt=%s:channel_layout=%s",
                            timeBase.num, timeBase.den, d->sample_rate,
                            av_get_sample_fmt_name(d->sample_fmt), layoutName);
  // Sound filters work on whole frames: threads would only wait.
  return MakeChain("abuffer", args, "abuffersink", text, chain, 1);
}
