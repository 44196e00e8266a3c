// FFmpeg's C headers and owning handles for its objects, so every path out of a function frees
// what it opened (the converter and the player build many of these and bail out at any step).
#pragma once
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}
#include <memory>

struct AvInputCloser {
  void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct AvCodecCloser {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct AvFrameFreer {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct AvPacketFreer {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct AvGraphFreer {
  void operator()(AVFilterGraph* g) const { avfilter_graph_free(&g); }
};
struct SwsFreer {
  void operator()(SwsContext* s) const { sws_freeContext(s); }
};
struct SwrFreer {
  void operator()(SwrContext* s) const { swr_free(&s); }
};

struct AvParamsFreer {
  void operator()(AVCodecParameters* p) const { avcodec_parameters_free(&p); }
};

using AvParamsPtr = std::unique_ptr<AVCodecParameters, AvParamsFreer>;
using AvInputPtr = std::unique_ptr<AVFormatContext, AvInputCloser>;
using AvCodecPtr = std::unique_ptr<AVCodecContext, AvCodecCloser>;
using AvFramePtr = std::unique_ptr<AVFrame, AvFrameFreer>;
using AvPacketPtr = std::unique_ptr<AVPacket, AvPacketFreer>;
using AvGraphPtr = std::unique_ptr<AVFilterGraph, AvGraphFreer>;
using SwsPtr = std::unique_ptr<SwsContext, SwsFreer>;
using SwrPtr = std::unique_ptr<SwrContext, SwrFreer>;

inline AvFramePtr MakeFrame() { return AvFramePtr(av_frame_alloc()); }
inline AvPacketPtr MakePacket() { return AvPacketPtr(av_packet_alloc()); }

// Engine times are 100-ns ticks.
constexpr AVRational kTicks{1, 10000000};
constexpr int64_t kTicksPerSecond = 10000000;
