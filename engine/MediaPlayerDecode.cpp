// The player's decoder thread: reads the file from the latest seek position, decodes ahead and
// hands pictures (as 32-bit rows) and sound (as 16-bit samples) to the presenter.
#include "EngineLog.h"
#include "MediaPlayerSession.h"

bool PlayerSession::TakeSeek(int& generation, int64_t& start) {
  std::lock_guard<std::mutex> hold(lock_);
  if (generation_ == decoderGeneration_) return false;
  bool first = decoderGeneration_ < 0;
  decoderGeneration_ = generation = generation_;
  start = seekStart_;
  return !first || start > 0;
}

void PlayerSession::DecoderLoop() {
  AVFormatContext* format = source_.format.get();
  AvPacketPtr packet = MakePacket();
  int generation = 0;
  int64_t skipBefore = 0;
  bool atEnd = false;
  while (!stopping_.load()) {
    int64_t start = 0;
    if (TakeSeek(generation, start)) {
      SeekEngineSource(source_, start);
      for (AVCodecContext* d : {videoDecoder_.get(), audioDecoder_.get()})
        if (d) avcodec_flush_buffers(d);
      skipBefore = start;
      atEnd = false;
    }
    if (atEnd) {
      Sleep(10);
      continue;
    }
    if (av_read_frame(format, packet.get()) < 0) {
      for (AVCodecContext* d : {videoDecoder_.get(), audioDecoder_.get()})
        if (d) DecodePacket(d, nullptr, generation, skipBefore);
      std::lock_guard<std::mutex> hold(lock_);
      if (generation == generation_) decoderDone_ = true;
      atEnd = true;
      continue;
    }
    if (videoDecoder_ && packet->stream_index == source_.videoStream)
      DecodePacket(videoDecoder_.get(), packet.get(), generation, skipBefore);
    else if (soundOut_ && audioDecoder_ && packet->stream_index == source_.audioStream)
      DecodePacket(audioDecoder_.get(), packet.get(), generation, skipBefore);
    av_packet_unref(packet.get());
  }
}

void PlayerSession::DecodePacket(AVCodecContext* decoder, const AVPacket* packet, int generation,
                                 int64_t skipBefore) {
  if (avcodec_send_packet(decoder, packet) < 0 && packet) return;  // a damaged packet is skipped
  AvFramePtr frame = MakeFrame();
  while (!stopping_.load() && avcodec_receive_frame(decoder, frame.get()) >= 0) {
    if (decoder == videoDecoder_.get())
      QueuePicture(frame.get(), generation, skipBefore);
    else
      QueueSound(frame.get(), generation, skipBefore);
    av_frame_unref(frame.get());
  }
}

void PlayerSession::QueuePicture(AVFrame* frame, int generation, int64_t skipBefore) {
  const AVStream* stream = source_.Video();
  int64_t ts = frame->best_effort_timestamp == AV_NOPTS_VALUE ? 0 : frame->best_effort_timestamp;
  PlayerPicture picture;
  picture.pts = source_.Ticks(ts, stream->time_base);
  AVRational rate = av_guess_frame_rate(nullptr, const_cast<AVStream*>(stream), nullptr);
  int64_t length = frame->pkt_duration > 0 ? av_rescale_q(frame->pkt_duration, stream->time_base, kTicks)
                   : rate.num > 0          ? av_rescale(kTicksPerSecond, rate.den, rate.num)
                                           : kTicksPerSecond / 25;
  picture.end = picture.pts + length;
  if (picture.end <= skipBefore) return;  // before the seek target: decoded only to get there
  picture.generation = generation;
  picture.width = frame->width;
  picture.height = frame->height;
  scaler_.reset(sws_getCachedContext(scaler_.release(), frame->width, frame->height,
                                     AVPixelFormat(frame->format), frame->width, frame->height,
                                     AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr));
  if (!scaler_) return;
  picture.pixels.resize(size_t(frame->width) * frame->height * 4);
  uint8_t* planes[4] = {picture.pixels.data(), nullptr, nullptr, nullptr};
  int strides[4] = {frame->width * 4, 0, 0, 0};
  sws_scale(scaler_.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
  OrientPixels(orientation_, picture.pixels, picture.width, picture.height);
  pictures_.Push(std::move(picture));
}

void PlayerSession::QueueSound(AVFrame* frame, int generation, int64_t skipBefore) {
  const AVStream* stream = source_.Audio();
  PlayerSound sound;
  int64_t ts = frame->best_effort_timestamp == AV_NOPTS_VALUE ? 0 : frame->best_effort_timestamp;
  sound.pts = source_.Ticks(ts, stream->time_base);
  if (sound.pts + av_rescale(frame->nb_samples, kTicksPerSecond, frame->sample_rate) <= skipBefore) return;
  sound.generation = generation;
  if (!resampler_) {
    AVChannelLayout out;
    av_channel_layout_default(&out, waveChannels_);
    SwrContext* swr = nullptr;
    if (swr_alloc_set_opts2(&swr, &out, AV_SAMPLE_FMT_S16, waveRate_, &frame->ch_layout,
                            AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr) < 0 ||
        swr_init(swr) < 0) {
      swr_free(&swr);
      return;
    }
    resampler_.reset(swr);
  }
  int capacity = swr_get_out_samples(resampler_.get(), frame->nb_samples);
  sound.samples.resize(size_t(std::max(capacity, 0)) * waveChannels_);
  uint8_t* out[1] = {reinterpret_cast<uint8_t*>(sound.samples.data())};
  int made = swr_convert(resampler_.get(), out, capacity, const_cast<const uint8_t**>(frame->extended_data),
                         frame->nb_samples);
  if (made <= 0) return;
  sound.samples.resize(size_t(made) * waveChannels_);
  sounds_.Push(std::move(sound));
}
