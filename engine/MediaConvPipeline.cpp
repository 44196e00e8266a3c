// The worker loops of a conversion job: read and decode, filter, encode, mux.
#include "EngineLog.h"
#include "MediaConvJob.h"
#include "MediaConvSoundParts.h"

namespace {

constexpr int64_t kReadSlack = 2 * kTicksPerSecond;  // decoding-order margin past the range end

}  // namespace

// ---- reader --------------------------------------------------------------------------------

// Reads the first lane's pictures, and the sound unless it has its own reader.
void ConvJob::ReaderLoop() {
  AVFormatContext* format = settings_.source.format.get();
  // Lands on a key frame at or before the start; the trim filters drop what lies before it.
  if (settings_.rangeStart > 0) SeekEngineSource(settings_.source, settings_.rangeStart);
  VideoLane* lane = hasVideo_ ? lanes_[0].get() : nullptr;
  bool sound = hasAudio_ && !soundInput_;
  if (hasAudio_ && !sound) audio_.input->discard = AVDISCARD_ALL;
  auto wanted = [&] { return (lane && !lane->stream.readingDone) || (sound && !audio_.readingDone); };
  AvPacketPtr packet = MakePacket();
  while (wanted() && gate_.Wait() && av_read_frame(format, packet.get()) >= 0) {
    UsePacket(lane, sound, packet.get());
    av_packet_unref(packet.get());
  }
  if (lane) FlushDecoder(lane->stream, lane->decoded);
  if (sound) FlushDecoder(audio_, decodedAudio_);
}

// The sound's own reader (see UseSoundReader): its own copy of the file, sound only, from where the
// first lane's reader starts.
void ConvJob::SoundReaderLoop() {
  AVFormatContext* format = soundInput_.get();
  if (settings_.rangeStart > 0) SeekEngineReader(settings_.source, format, settings_.rangeStart);
  for (unsigned i = 0; i < format->nb_streams; ++i)
    if (int(i) != audio_.input->index) format->streams[i]->discard = AVDISCARD_ALL;
  AvPacketPtr packet = MakePacket();
  while (!audio_.readingDone && gate_.Wait() && av_read_frame(format, packet.get()) >= 0) {
    UsePacket(nullptr, true, packet.get());
    av_packet_unref(packet.get());
  }
  FlushDecoder(audio_, decodedAudio_);
}

// A later lane's reader: its own copy of the file from the lane's key frame, pictures only.
void ConvJob::LaneReaderLoop(VideoLane& lane) {
  AVFormatContext* format = lane.ownInput.get();
  for (unsigned i = 0; i < format->nb_streams; ++i)
    if (int(i) != lane.stream.input->index) format->streams[i]->discard = AVDISCARD_ALL;
  int err = avformat_seek_file(format, lane.stream.input->index, INT64_MIN, lane.keyTs, lane.keyTs, 0);
  if (err < 0) {
    Fail(esFormatNotSupported, "seeking a part's key frame", &lane.stream, err);
    return;
  }
  AvPacketPtr packet = MakePacket();
  bool atKey = false;
  while (!lane.stream.readingDone && gate_.Wait() && av_read_frame(format, packet.get()) >= 0) {
    atKey = atKey || IsLaneKeyPacket(lane, packet.get());
    if (atKey) UsePacket(&lane, false, packet.get());
    av_packet_unref(packet.get());
  }
  FlushDecoder(lane.stream, lane.decoded);
}

// The decoder's last frames, then the end of the stream.
void ConvJob::FlushDecoder(Stream& s, EngineQueue<AvFramePtr>& queue) {
  if (gate_.Stopped()) return;
  if (Decode(s, nullptr, queue)) queue.Push(nullptr);
}

// A demuxer may land before the key frame a lane seeks (MP4 takes the time as a presentation time
// and searches an index of decoding times, so it lands a key frame early); the pictures before the
// lane's key frame would be decoded and encoded for nothing.
bool ConvJob::IsLaneKeyPacket(const VideoLane& lane, const AVPacket* packet) const {
  if (packet->stream_index != lane.stream.input->index || !(packet->flags & AV_PKT_FLAG_KEY)) return false;
  int64_t ts = packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts;
  return ts == AV_NOPTS_VALUE || ts >= lane.keyTs;
}

// Decodes a packet read (the end of the input, or a read error as in a truncated file, ends the
// reading) when it belongs to a stream still wanted.
void ConvJob::UsePacket(VideoLane* lane, bool sound, AVPacket* packet) {
  Stream* s = nullptr;
  EngineQueue<AvFramePtr>* queue = nullptr;
  if (lane && packet->stream_index == lane->stream.input->index) s = &lane->stream, queue = &lane->decoded;
  if (sound && packet->stream_index == audio_.input->index) s = &audio_, queue = &decodedAudio_;
  if (s && !s->readingDone) {
    int64_t end = settings_.rangeLength > 0 ? settings_.RangeEnd() : 0;
    if (s->done.load())
      s->readingDone = true;
    else if (end > 0 && packet->pts != AV_NOPTS_VALUE &&
             settings_.source.Ticks(packet->pts, s->input->time_base) > end + kReadSlack)
      s->readingDone = true;
    else
      Decode(*s, packet, *queue);
  }
}

// Sends one packet (or the end, for nullptr) to the decoder and queues what comes out. A damaged
// packet is skipped, as players do. False only when the job is being stopped.
bool ConvJob::Decode(Stream& s, const AVPacket* packet, EngineQueue<AvFramePtr>& queue) {
  int err = avcodec_send_packet(s.decoder.get(), packet);
  if (err < 0 && err != AVERROR_EOF) {
    EngineLog(elInfo, "skipping a damaged packet of stream %d", s.input->index);
    return true;
  }
  for (;;) {
    AvFramePtr frame = MakeFrame();
    err = avcodec_receive_frame(s.decoder.get(), frame.get());
    if (err == AVERROR(EAGAIN) || err == AVERROR_EOF) return true;
    if (err < 0) return true;
    StampFrame(s, frame.get());
    if (!queue.Push(std::move(frame))) return false;
  }
}

// Frames carry timestamps on the file's own time line (0 = start of the file) in the chain's time
// base; a frame without one follows the previous frame. The end of the last frame is kept: the
// filters need it at the end of the stream, or the last picture would get no duration and be lost.
void ConvJob::StampFrame(Stream& s, AVFrame* frame) {
  AVRational tb = s.input->time_base;
  bool sound = frame->nb_samples > 0 && frame->sample_rate > 0;
  AVRational unit = sound ? AVRational{1, frame->sample_rate} : tb;
  int64_t length = sound ? frame->nb_samples
                   : frame->pkt_duration > 0
                       ? frame->pkt_duration
                       : av_rescale_q(1, av_inv_q(av_guess_frame_rate(nullptr, s.input, nullptr)), tb);
  int64_t ts = frame->best_effort_timestamp;
  if (ts == AV_NOPTS_VALUE)
    ts = s.lastTs == AV_NOPTS_VALUE ? s.inputStart : s.lastTs + std::max<int64_t>(av_rescale_q(length, unit, tb), 1);
  s.lastTs = ts;
  frame->pts = av_rescale_q(ts - s.inputStart, tb, s.frameBase);
  s.endPts = std::max(s.endPts, frame->pts + std::max<int64_t>(av_rescale_q(length, unit, s.frameBase), 1));
}

// Feeds a decoded frame, or for nullptr the end of the stream at the end of its last frame.
bool ConvJob::FeedFilter(Stream& s, AVFrame* frame) {
  int err = frame ? av_buffersrc_add_frame(s.filters.source, frame)
                  : av_buffersrc_close(s.filters.source, s.endPts, AV_BUFFERSRC_FLAG_PUSH);
  if (err < 0) Fail(esParameters, "filtering", &s, err);
  return err >= 0;
}

// ---- filters and encoders ------------------------------------------------------------------

// Pulls every frame the sink has: into the queue (video) or straight into the encoder (audio).
bool ConvJob::DrainSink(Stream& s, EngineQueue<AvFramePtr>* queue, bool& ended) {
  for (;;) {
    AvFramePtr out = MakeFrame();
    int err = av_buffersink_get_frame(s.filters.sink, out.get());
    if (err == AVERROR(EAGAIN)) return true;
    if (err == AVERROR_EOF) {
      ended = true;
      return true;
    }
    if (err < 0) {
      Fail(esParameters, "filtering", &s, err);
      return false;
    }
    if (queue ? !queue->Push(std::move(out)) : !Encode(s, out.get())) return false;
  }
}

// A decoder may change its frame size or format midway (a new sequence header); the filter chain
// was built for the first one, so later frames are converted to it. Null when that fails.
AvFramePtr ConvJob::Conform(Stream& s, AvFramePtr frame) {
  if (frame->width == s.sourceWidth && frame->height == s.sourceHeight && frame->format == s.sourceFormat)
    return frame;
  s.conformer.reset(sws_getCachedContext(s.conformer.release(), frame->width, frame->height,
                                         AVPixelFormat(frame->format), s.sourceWidth, s.sourceHeight,
                                         AVPixelFormat(s.sourceFormat), SWS_BICUBIC, nullptr, nullptr, nullptr));
  AvFramePtr out = MakeFrame();
  if (!s.conformer || !out) return nullptr;
  out->width = s.sourceWidth;
  out->height = s.sourceHeight;
  out->format = s.sourceFormat;
  if (av_frame_get_buffer(out.get(), 0) < 0 || av_frame_copy_props(out.get(), frame.get()) < 0) return nullptr;
  sws_scale(s.conformer.get(), frame->data, frame->linesize, 0, frame->height, out->data, out->linesize);
  return out;
}

// The same for sound: joined files can change their channels or rate midway.
AvFramePtr ConvJob::ConformSound(Stream& s, AvFramePtr frame) {
  const AVFrame* shape = s.soundShape.get();
  if (frame->sample_rate == shape->sample_rate && frame->format == shape->format &&
      av_channel_layout_compare(&frame->ch_layout, &shape->ch_layout) == 0)
    return frame;
  if (!s.soundConformer) s.soundConformer.reset(swr_alloc());
  AvFramePtr out = MakeFrame();
  if (!s.soundConformer || !out || av_channel_layout_copy(&out->ch_layout, &shape->ch_layout) < 0) return nullptr;
  out->sample_rate = shape->sample_rate;
  out->format = shape->format;
  // An unset resampler sets itself up from the frames; a new input shape needs a new set-up.
  int err = swr_convert_frame(s.soundConformer.get(), out.get(), frame.get());
  if (err == AVERROR_INPUT_CHANGED) {
    swr_close(s.soundConformer.get());
    err = swr_convert_frame(s.soundConformer.get(), out.get(), frame.get());
  }
  if (err < 0 || out->nb_samples <= 0) return nullptr;
  out->pts = frame->pts;
  return out;
}

void ConvJob::VideoFilterLoop(VideoLane& lane) {
  Stream& s = lane.stream;
  bool ended = false;
  while (!ended && gate_.Wait()) {
    AvFramePtr frame;
    if (!lane.decoded.Pop(frame)) return;
    bool last = !frame;
    if (frame && !(frame = Conform(s, std::move(frame)))) continue;
    if (!FeedFilter(s, frame.get())) return;
    if (!DrainSink(s, &lane.filtered, ended)) return;
    if (last) ended = true;
  }
  if (gate_.Stopped()) return;
  s.done = true;
  lane.decoded.Close();
  lane.filtered.Push(nullptr);
}

void ConvJob::VideoEncodeLoop(VideoLane& lane) {
  bool ended = false;
  if (lane.stream.lane > 0 && !WarmUpLane(lane, ended)) return;
  while (!ended && gate_.Wait()) {
    AvFramePtr frame;
    if (!lane.filtered.Pop(frame)) return;
    ended = !frame;
    if (!Encode(lane.stream, frame.get())) return;
    if (ended) break;
    std::lock_guard<std::mutex> hold(snapLock_);
    lastFrame_ = std::move(frame);
  }
  EndLane(lane);
  lane.stream.position = kStreamEnded;
}

// A later lane's encoder starts cold, and one-pass rate control overspends until it has seen the
// pictures for a while. It first encodes the lane's own first pictures, dropping its packets, and
// then encodes them again for the lane's part: holding half a second of pictures costs less than
// decoding and scaling pictures before the lane's key frame to warm up on. Big pictures warm up on
// fewer, to bound the memory held. ended: the lane's pictures ended within the warm-up (its
// encoder is then flushed).
bool ConvJob::WarmUpLane(VideoLane& lane, bool& ended) {
  constexpr size_t kMostWarmUpBytes = size_t(32) << 20;
  Stream& s = lane.stream;
  std::vector<AvFramePtr> firsts;
  size_t bytes = 0;
  s.warmingUp = true;
  int64_t taken = 0;
  while (!ended && taken < lane.warmUpFrames && bytes < kMostWarmUpBytes) {
    AvFramePtr frame;
    if (!gate_.Wait() || !lane.filtered.Pop(frame)) return false;
    ended = !frame;
    if (ended) break;
    AvFramePtr kept(av_frame_clone(frame.get()));
    if (!kept) {
      Fail(esBadCall, "keeping a warm-up picture", &s, AVERROR(ENOMEM));
      return false;
    }
    bytes += size_t(av_image_get_buffer_size(AVPixelFormat(frame->format), frame->width, frame->height, 1));
    if (!Encode(s, frame.get())) return false;
    ++taken;
    firsts.push_back(std::move(kept));
  }
  s.warmingUp = false;
  s.partStart = taken;
  for (AvFramePtr& frame : firsts)
    if (!Encode(s, frame.get())) return false;
  return !ended || Encode(s, nullptr);
}

void ConvJob::AudioLoop() {
  Stream& s = audio_;
  bool ended = false;
  while (!ended && gate_.Wait()) {
    AvFramePtr frame;
    if (!decodedAudio_.Pop(frame)) return;
    bool last = !frame;
    if (frame && !(frame = ConformSound(s, std::move(frame)))) continue;
    if (!FeedFilter(s, frame.get())) return;
    if (!DrainSink(s, nullptr, ended)) return;
    if (last) ended = true;
  }
  if (gate_.Stopped()) return;
  s.done = true;
  decodedAudio_.Close();
  if (Encode(s, nullptr)) s.position = kStreamEnded;
}

void ConvJob::NotePosition(Stream& s, const AVFrame* frame, bool warmUp) {
  if (s.lane >= 0 && !warmUp) ++framesEncoded_;
  if (frame->pts == AV_NOPTS_VALUE) return;
  s.position = settings_.rangeStart + av_rescale_q(frame->pts, s.encoder->time_base, kTicks);
  // A picture lasts one tick of the encoder's time base (one frame), a sound frame its samples.
  int64_t length = frame->nb_samples > 0 ? frame->nb_samples : 1;
  s.reached = s.position + av_rescale_q(length, s.encoder->time_base, kTicks);
}

// A lane's picture in the encoder's own count: from 0 at the lane's first picture, and after the
// warm-up's pictures for the lane's part, which a later lane starts with a key frame. True while the
// encoder warms up.
bool ConvJob::PrepareLaneFrame(Stream& s, AVFrame* frame) {
  if (s.encoderStart == AV_NOPTS_VALUE) s.encoderStart = frame->pts;
  frame->pts -= s.encoderStart;
  if (s.warmingUp) return true;
  frame->pts += s.partStart;
  if (s.lane > 0 && frame->pts == s.partStart) frame->pict_type = AV_PICTURE_TYPE_I;
  return false;
}

// Sends a frame (nullptr: the end) to the encoder and writes the packets it gives.
bool ConvJob::Encode(Stream& s, AVFrame* frame) {
  AVCodecContext* encoder = s.encoder.get();
  if (frame) {
    bool warmUp = false;
    frame->pict_type = AV_PICTURE_TYPE_NONE;
    if (frame->pts != AV_NOPTS_VALUE) {
      frame->pts = av_rescale_q(frame->pts, s.sinkBase, encoder->time_base);
      if (s.lane >= 0) warmUp = PrepareLaneFrame(s, frame);
    }
    // A paused job holds its frames here: no frame reaches an encoder, and the position stands
    // still, from the moment MediaConv_Pause returns.
    if (!gate_.Pass([&] { NotePosition(s, frame, warmUp); })) return false;
  }
  if (s.lane < 0 && soundParts_) {
    bool ok = frame ? soundParts_->Add(frame) : soundParts_->Finish();
    if (!ok && !gate_.Stopped()) Fail(esEncoder, "encoding the sound in parts", &s);
    return ok;
  }
  int err = avcodec_send_frame(encoder, frame);
  if (err < 0 && err != AVERROR_EOF) {
    Fail(esEncoder, "encoding", &s, err);
    return false;
  }
  AvPacketPtr packet = MakePacket();
  for (;;) {
    err = avcodec_receive_packet(encoder, packet.get());
    if (err == AVERROR(EAGAIN) || err == AVERROR_EOF) return true;
    if (err < 0) {
      Fail(esEncoder, "encoding", &s, err);
      return false;
    }
    if (!WritePacket(s, packet.get())) return false;
  }
}

bool ConvJob::WritePacket(Stream& s, AVPacket* packet) {
  packet->stream_index = s.output->index;
  if (s.warmingUp || (s.lane > 0 && packet->pts < s.partStart)) return true;  // a warm-up picture
  int64_t shift = s.lane >= 0 ? s.encoderStart - s.partStart : 0;
  if (packet->pts != AV_NOPTS_VALUE) packet->pts += shift;
  if (packet->dts != AV_NOPTS_VALUE) packet->dts += shift;
  av_packet_rescale_ts(packet, s.encoder->time_base, s.output->time_base);
  std::unique_lock<std::mutex> hold(muxLock_);
  if (s.lane > int(writingLane_)) return HoldLanePacket(*lanes_[s.lane], packet, hold);
  return WriteLocked(s, packet);
}

bool ConvJob::WriteLocked(Stream& s, AVPacket* packet) {
  if (int err = av_interleaved_write_frame(output_.get(), packet); err < 0) {
    Fail(esOutputNotCreatable, "writing", &s, err);
    return false;
  }
  ++s.packetsWritten;
  return true;
}

// A later lane's packet waits until the lanes before it have written theirs. When a lane has held
// much (a high bit rate), it waits for its turn instead, so memory stays bounded.
bool ConvJob::HoldLanePacket(VideoLane& lane, AVPacket* packet, std::unique_lock<std::mutex>& hold) {
  constexpr size_t kMostHeld = size_t(64) << 20;
  if (lane.heldBytes + packet->size > kMostHeld) {
    while (!gate_.Stopped() && lane.stream.lane > int(writingLane_))
      laneTurn_.wait_for(hold, std::chrono::milliseconds(20));
    if (gate_.Stopped()) return false;
    if (lane.stream.lane == int(writingLane_)) return WriteLocked(lane.stream, packet);
  }
  AvPacketPtr copy(av_packet_clone(packet));
  if (!copy) {
    Fail(esBadCall, "holding a part's packet", &lane.stream, AVERROR(ENOMEM));
    return false;
  }
  lane.heldBytes += packet->size;
  lane.held.push_back(std::move(copy));
  return true;
}

// Once a lane has written its last packet, the next lane's held packets go out, and so on.
void ConvJob::EndLane(VideoLane& lane) {
  std::lock_guard<std::mutex> hold(muxLock_);
  lane.ended = true;
  while (writingLane_ < lanes_.size() && lanes_[writingLane_]->ended) {
    if (++writingLane_ == lanes_.size()) break;
    VideoLane& next = *lanes_[writingLane_];
    for (AvPacketPtr& held : next.held)
      if (!WriteLocked(next.stream, held.get())) return;
    next.held.clear();
    next.heldBytes = 0;
  }
  laneTurn_.notify_all();
}
