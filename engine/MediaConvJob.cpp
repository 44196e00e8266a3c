#include "EngineLog.h"
#include "MediaConvJob.h"
#include "MediaConvSoundParts.h"
#include <cstdio>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

std::string Url(const std::string& path) { return "file:" + path; }

constexpr int64_t kShortestSoundInParts = 60;  // seconds

// A later lane's encoder warms up on this much of the lane's first pictures (see
// ConvJob::WarmUpLane). One-pass rate control overspends on its first pictures (a part cold came
// out 14 % over the bit rate); warmed up on the lane's own pictures, half a second kept the joined
// picture within 0.5 % of the bit rate, as close as 1 to 4 s did.
constexpr int64_t kLaneWarmUp = kTicksPerSecond / 2;
// Where a file does not say when its key frame is shown, a lane starts this long after the key
// frame's decoding time: longer than pictures are ever held back for reordering, and the pictures
// in between are the lane before's.
constexpr int64_t kLaneLead = kTicksPerSecond / 2;

// Moves a reader to the key frame the index lists at keyTs (decoding time, the stream's time base)
// and gives the time it is shown; AV_NOPTS_VALUE when the file does not say. A demuxer may land a
// key frame early (see ConvJob::IsLaneKeyPacket).
// The frames from one key frame of the encoder to the next when it puts them at a steady pace of at
// most two seconds; 0 when it does not.
int64_t EncoderGroupLength(const VideoPlan& plan) {
  AvCodecPtr defaults(avcodec_alloc_context3(plan.encoder));
  if (!defaults || defaults->gop_size <= 1) return 0;
  return av_cmp_q(AVRational{defaults->gop_size, 2}, plan.rate) <= 0 ? defaults->gop_size : 0;
}

int64_t KeyFrameShown(AVFormatContext* reader, int stream, int64_t keyTs) {
  if (avformat_seek_file(reader, stream, INT64_MIN, keyTs, keyTs, 0) < 0) return AV_NOPTS_VALUE;
  AvPacketPtr packet = MakePacket();
  for (int read = 0; packet && read < 1000 && av_read_frame(reader, packet.get()) >= 0; ++read) {
    int64_t decoded = packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts;
    bool key = packet->stream_index == stream && (packet->flags & AV_PKT_FLAG_KEY) &&
               (decoded == AV_NOPTS_VALUE || decoded >= keyTs);
    int64_t shown = packet->pts;
    av_packet_unref(packet.get());
    if (key) return shown;
  }
  return AV_NOPTS_VALUE;
}

}  // namespace

void ConvJob::OutputCloser::operator()(AVFormatContext* c) const {
  if (c->pb && !(c->oformat->flags & AVFMT_NOFILE)) avio_closep(&c->pb);
  avformat_free_context(c);
}

ConvJob::ConvJob() = default;
ConvJob::~ConvJob() { Cancel(); }

// ---- opening -------------------------------------------------------------------------------

EngineStatus ConvJob::Open(ConvSettings&& settings) {
  settings_ = std::move(settings);
  hasVideo_ = settings_.video.codec && settings_.source.Video();
  hasAudio_ = settings_.audio.codec && settings_.source.Audio();
  if (!hasVideo_ && !hasAudio_) return esParameters;
  VideoPlan videoPlan;
  AudioPlan audioPlan;
  EngineStatus status = esOk;
  if (hasVideo_ && (status = PlanVideo(settings_, videoPlan)) == esOk) status = OpenVideo(videoPlan);
  if (status == esOk && hasAudio_ && (status = PlanAudio(settings_, audioPlan)) == esOk)
    status = OpenAudio(audioPlan);
  if (status == esOk) status = OpenOutputFile();
  if (status != esOk) {
    EngineLog(elNotice, "cannot start the conversion to \"%s\" (status %d)", settings_.outputPath.c_str(), status);
    return status;
  }
  EngineLog(elNotice, "converting \"%s\" to \"%s\" (%s): video %s %dx%d in %dx%d at %d/%d fps %lld bit/s; "
            "audio %s %d Hz %d ch %lld bit/s; from %.3f s for %.3f s",
            settings_.source.unixPath.c_str(), settings_.outputPath.c_str(), settings_.outputFormat->name,
            hasVideo_ ? videoPlan.encoder->name : "none", videoPlan.pictureWidth, videoPlan.pictureHeight,
            videoPlan.width, videoPlan.height, videoPlan.rate.num, videoPlan.rate.den,
            (long long)videoPlan.bitRate, hasAudio_ ? audioPlan.encoder->name : "none",
            audioPlan.sampleRate, audioPlan.channels, (long long)audioPlan.bitRate,
            settings_.rangeStart / 1e7, settings_.rangeLength / 1e7);
  return esOk;
}

// What both streams start with: the input stream, its start on the file's time line, the position
// at the range start, and its decoder.
EngineStatus ConvJob::OpenDecoding(Stream& s, AVStream* input, int threads) {
  s.input = input;
  s.inputStart = av_rescale_q(settings_.source.startTime, AV_TIME_BASE_Q, input->time_base);
  s.position = settings_.rangeStart;
  return OpenEngineDecoder(input, s.decoder, threads);
}

EngineStatus ConvJob::OpenVideo(const VideoPlan& plan) {
  outputRate_ = plan.rate;
  lanes_.push_back(std::make_unique<VideoLane>());
  AddLanes(plan);
  // Lanes share the cores: each encodes on one thread (whole parts side by side keep more cores
  // busy than slices of one picture), and its decoder gets what is left over.
  int cores = int(std::max(1u, std::thread::hardware_concurrency()));
  int decoderThreads = lanes_.size() > 1 ? std::max(1, cores / int(lanes_.size())) : 0;
  // Each lane opens its decoder, filter chain and encoder on its own thread, the first on this one:
  // one after another they would hold a short job's start by a few tens of milliseconds each.
  std::vector<EngineStatus> statuses(lanes_.size(), esOk);
  std::vector<EngineThread> openers(lanes_.size());
  for (size_t i = 0; i < lanes_.size(); ++i) {
    lanes_[i]->stream.lane = int(i);
    auto open = [this, &plan, &statuses, i, decoderThreads] { statuses[i] = OpenLane(plan, *lanes_[i], decoderThreads); };
    if (i == 0 || !openers[i].Start(open)) open();
  }
  for (EngineThread& opener : openers) opener.Join();
  for (EngineStatus status : statuses)
    if (status != esOk) return status;
  return esOk;
}

// The lanes after the first, each with its own reader of the file; fewer when the file cannot be
// opened again. Each lane starts with the output frame that first shows its key frame, or the next
// start of a group of pictures of the encoder (so the joined picture has its key frames where one
// encoder would put them, not one more per lane), and the lane before it ends there.
void ConvJob::AddLanes(const VideoPlan& plan) {
  int64_t gop = EncoderGroupLength(plan);
  const AVStream* video = settings_.source.Video();
  int64_t inputStart = av_rescale_q(settings_.source.startTime, AV_TIME_BASE_Q, video->time_base);
  for (const LaneStart& start : PlanLanes(settings_)) {
    AvInputPtr input = ReopenEngineSource(settings_.source);
    if (!input) return;
    int64_t shown = KeyFrameShown(input.get(), video->index, start.keyTs);
    int64_t ticks = shown != AV_NOPTS_VALUE ? av_rescale_q(shown - inputStart, video->time_base, kTicks)
                                            : start.keyTicks + kLaneLead;
    int64_t first = OutputFrameShowing(settings_, plan, ticks);
    if (gop > 0) first = (first + gop - 1) / gop * gop;
    if (first <= lanes_.back()->firstFrame) continue;
    lanes_.back()->endFrame = first;
    auto lane = std::make_unique<VideoLane>();
    lane->ownInput = std::move(input);
    lane->keyTs = start.keyTs;
    lane->firstFrame = first;
    lane->warmUpFrames = av_rescale(kLaneWarmUp, plan.rate.num, int64_t(plan.rate.den) * kTicksPerSecond);
    lanes_.push_back(std::move(lane));
  }
}

EngineStatus ConvJob::OpenLane(const VideoPlan& plan, VideoLane& lane, int decoderThreads) {
  Stream& s = lane.stream;
  bool several = lanes_.size() > 1;
  EngineStatus status = OpenDecoding(s, settings_.source.Video(), decoderThreads);
  // The picture chain runs in ticks, the finest time the range is given in.
  s.frameBase = kTicks;
  std::string text = VideoFilterText(settings_, plan);
  if (several) text += "," + LaneFilterText(lane.firstFrame, lane.endFrame);
  // Lanes share the cores already: a scaler cutting each picture into slices for every core would
  // wake that many threads per picture in every lane and keep them waiting on each other.
  if (status == esOk) status = BuildVideoChain(s.decoder.get(), s.frameBase, text, s.filters, several ? 1 : 0);
  bool globalHeader = settings_.outputFormat->flags & AVFMT_GLOBALHEADER;
  if (status == esOk)
    status = OpenVideoEncoder(plan, globalHeader, s.encoder, several ? EncoderUse::Lane : EncoderUse::Whole);
  if (status != esOk) return status;
  s.sinkBase = av_buffersink_get_time_base(s.filters.sink);
  s.sourceWidth = s.decoder->width;
  s.sourceHeight = s.decoder->height;
  s.sourceFormat = s.decoder->pix_fmt == AV_PIX_FMT_NONE ? AV_PIX_FMT_YUV420P : s.decoder->pix_fmt;
  return esOk;
}

EngineStatus ConvJob::OpenAudio(const AudioPlan& plan) {
  Stream& s = audio_;
  EngineStatus status = OpenDecoding(s, settings_.source.Audio(), 0);
  if (status != esOk) return status;
  // The sound's trim reads its range as sample counts whatever the chain's time base, so the chain
  // runs in samples: a stream's own time base may be an MP3 frame (AVI) or a millisecond (Matroska).
  if (s.decoder->sample_rate <= 0) return esDecoder;
  s.frameBase = AVRational{1, s.decoder->sample_rate};
  status = BuildAudioChain(s.decoder.get(), s.frameBase, AudioFilterText(settings_, plan, s.frameBase), s.filters);
  if (status == esOk)
    status = OpenAudioEncoder(plan, settings_.outputFormat->flags & AVFMT_GLOBALHEADER, s.encoder);
  if (status != esOk) return status;
  s.soundShape = MakeFrame();
  if (!s.soundShape || av_channel_layout_copy(&s.soundShape->ch_layout, &s.decoder->ch_layout) < 0) return esDecoder;
  s.soundShape->sample_rate = s.decoder->sample_rate;
  s.soundShape->format = s.decoder->sample_fmt;
  // Encoders with a fixed frame size take exactly that many samples per frame.
  if (!(s.encoder->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) && s.encoder->frame_size > 0)
    av_buffersink_set_frame_size(s.filters.sink, s.encoder->frame_size);
  s.sinkBase = av_buffersink_get_time_base(s.filters.sink);
  UseSoundParts(plan);
  UseSoundReader();
  return esOk;
}

// Sound alone of a minute or more has the cores to itself: its MP3 is encoded in parts side by side.
// Each part costs its encoder's start, warm-up and overrun: on shorter sound one encoder takes under
// half a second and the parts saved less than that on a busy machine. Beside a picture one encoder
// on the sound's own reader (UseSoundReader) ends well before the picture's lanes, and parts only
// took cores from them.
void ConvJob::UseSoundParts(const AudioPlan& plan) {
  if (hasVideo_ || !SoundParts::Suits(plan) || audio_.encoder->frame_size <= 0) return;
  int64_t end = settings_.RangeEnd();
  int64_t samples = end > 0 ? av_rescale_q(end - settings_.rangeStart, kTicks, AVRational{1, plan.sampleRate}) : 0;
  if (end > 0 && samples < kShortestSoundInParts * plan.sampleRate) return;
  soundParts_ = std::make_unique<SoundParts>(plan, settings_.outputFormat->flags & AVFMT_GLOBALHEADER,
                                             samples / audio_.encoder->frame_size, gate_,
                                             [this](AVPacket* packet) { return WritePacket(audio_, packet); });
}

// The sound of a picture cut into lanes is read by a reader of its own: read with the first lane's
// pictures it would go at that lane's pace, and the rest of the sound would be decoded and encoded
// only after that lane's part. The muxer then waits for both streams however far the sound runs
// ahead, so the file's packets stay in time order.
void ConvJob::UseSoundReader() {
  if (lanes_.size() < 2) return;
  soundInput_ = ReopenEngineSource(settings_.source);
}

EngineStatus ConvJob::AddOutputStream(Stream& s) {
  AVStream* st = avformat_new_stream(output_.get(), nullptr);
  if (!st) return esFormatNotSupported;
  if (avcodec_parameters_from_context(st->codecpar, s.encoder.get()) < 0) return esEncoder;
  st->time_base = s.encoder->time_base;
  if (s.encoder->codec_type == AVMEDIA_TYPE_VIDEO) {
    st->avg_frame_rate = s.encoder->framerate;
    st->sample_aspect_ratio = s.encoder->sample_aspect_ratio;
  }
  s.output = st;
  return esOk;
}

// The file is written under a hidden temporary name beside the output and renamed when complete,
// so an unfinished conversion never sits under the output's name.
EngineStatus ConvJob::OpenOutputFile() {
  const std::string& path = settings_.outputPath;
  size_t slash = path.rfind('/');
  std::string temp = path.substr(0, slash + 1) + "." + path.substr(slash + 1) + ".XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return esOutputNotCreatable;
  tempPath_ = temp;
  fchmod(fd, 0644);
  close(fd);
  AVFormatContext* oc = nullptr;
  if (avformat_alloc_output_context2(&oc, settings_.outputFormat, nullptr, Url(temp).c_str()) < 0)
    return esFormatNotSupported;
  output_.reset(oc);
  if (soundInput_) oc->max_interleave_delta = 0;
  EngineStatus status = esOk;
  if (hasVideo_) status = AddOutputStream(lanes_[0]->stream);
  if (status == esOk && hasAudio_) status = AddOutputStream(audio_);
  if (status != esOk) return status;
  for (auto& lane : lanes_) lane->stream.output = lanes_[0]->stream.output;
  if (avio_open(&oc->pb, Url(temp).c_str(), AVIO_FLAG_WRITE) < 0) return esOutputNotCreatable;
  if (avformat_write_header(oc, nullptr) < 0) return esParameters;
  return esOk;
}

// ---- control -------------------------------------------------------------------------------

bool ConvJob::Start() {
  return controller_.Start([this] { Controller(); });
}

void ConvJob::SetPaused(bool paused) { gate_.SetPaused(paused); }

void ConvJob::Fail(EngineStatus status, const char* stage, const Stream* stream, int err) {
  EngineStatus none = esOk;
  if (outcome_.compare_exchange_strong(none, status)) {
    char what[AV_ERROR_MAX_STRING_SIZE] = "";
    if (err < 0) av_strerror(err, what, sizeof what);
    char which[64] = "the file";
    if (stream && stream->input)
      snprintf(which, sizeof which, "the %s (input stream %d)", stream->lane >= 0 ? "picture" : "sound",
               stream->input->index);
    EngineLog(elError, "conversion failed %s, %s: %s (status %d)", stage, which, err < 0 ? what : "no error code",
              status);
  }
  Stop();
}

void ConvJob::Stop() {
  gate_.Stop();
  for (auto& lane : lanes_) {
    lane->decoded.Stop();
    lane->filtered.Stop();
  }
  decodedAudio_.Stop();
  laneTurn_.notify_all();
}

void ConvJob::Cancel() {
  if (controller_.Running()) {
    if (!finished_.load()) cancelled_ = true;
    Stop();
    controller_.Join();
    return;
  }
  // Opened but never started: only the temporary file is to go.
  output_.reset();
  if (!tempPath_.empty()) unlink(tempPath_.c_str());
  tempPath_.clear();
  finished_ = true;
}

void ConvJob::Controller() {
  bool started = reader_.Start([this] { ReaderLoop(); });
  if (started && soundInput_) started = soundReader_.Start([this] { SoundReaderLoop(); });
  for (auto& owned : lanes_) {
    VideoLane& lane = *owned;
    if (started && lane.ownInput) started = lane.reader.Start([this, &lane] { LaneReaderLoop(lane); });
    if (started) started = lane.filter.Start([this, &lane] { VideoFilterLoop(lane); });
    if (started) started = lane.encoder.Start([this, &lane] { VideoEncodeLoop(lane); });
  }
  if (started && hasAudio_) started = audioWorker_.Start([this] { AudioLoop(); });
  if (!started) Fail(esBadCall, "starting its workers");
  reader_.Join();
  soundReader_.Join();
  for (auto& lane : lanes_) {
    lane->reader.Join();
    lane->filter.Join();
    lane->encoder.Join();
  }
  audioWorker_.Join();
  Finish();
  finished_ = true;
}

// A stream the output was opened with that got no packet (nothing decoded in the range, a trim
// that missed) would leave a file that only looks converted.
const ConvJob::Stream* ConvJob::EmptyStream() const {
  int64_t pictures = 0;
  for (const auto& lane : lanes_) pictures += lane->stream.packetsWritten;
  return hasVideo_ && pictures == 0                  ? &lanes_[0]->stream
         : hasAudio_ && audio_.packetsWritten == 0 ? &audio_
                                                   : nullptr;
}

void ConvJob::Finish() {
  soundParts_.reset();  // its encoders have ended with the sound's worker, or end now
  AVFormatContext* oc = output_.get();
  bool keep = !cancelled_.load() && outcome_.load() == esOk;
  if (const Stream* empty = keep ? EmptyStream() : nullptr)
    Fail(esParameters, "at the end: nothing was written for a stream", empty), keep = false;
  int err = keep ? av_write_trailer(oc) : 0;
  if (keep && (err < 0 || oc->pb->error < 0))
    Fail(esOutputNotCreatable, "writing the end of the file", nullptr, err < 0 ? err : oc->pb->error), keep = false;
  err = avio_closep(&oc->pb);
  if (err < 0 && keep) Fail(esOutputNotCreatable, "closing the file", nullptr, err), keep = false;
  output_.reset();
  if (keep && rename(tempPath_.c_str(), settings_.outputPath.c_str()) != 0)
    Fail(esOutputNotCreatable, "naming the finished file", nullptr, AVERROR(errno)), keep = false;
  if (!keep) unlink(tempPath_.c_str());
  tempPath_.clear();
  std::vector<Stream*> streams{&audio_};
  for (auto& lane : lanes_) streams.push_back(&lane->stream), lane->ownInput.reset();
  soundInput_.reset();
  for (Stream* s : streams) {
    s->decoder.reset();
    s->encoder.reset();
    s->filters.graph.reset();
  }
  EngineLog(elNotice, "conversion to \"%s\" %s (status %d)", settings_.outputPath.c_str(),
            keep ? "finished" : cancelled_.load() ? "cancelled" : "failed", outcome_.load());
}

int64_t ConvJob::Position() const {
  int64_t end = settings_.RangeEnd();
  if (finished_.load() && outcome_.load() == esOk && !cancelled_.load() && end > 0) return end;
  int64_t position = kStreamEnded;
  if (hasVideo_) position = std::min(position, VideoPosition());
  if (hasAudio_) position = std::min(position, audio_.position.load());
  if (position == kStreamEnded) return end > 0 ? end : Reached();
  return end > 0 ? std::min(position, end) : position;
}

// The end of the pictures encoded so far: the lanes together have done that many output frames.
int64_t ConvJob::PicturesEnd() const {
  return settings_.rangeStart + av_rescale_q(framesEncoded_.load(), av_inv_q(outputRate_), kTicks);
}

int64_t ConvJob::VideoPosition() const {
  bool ended = true;
  for (const auto& lane : lanes_) ended = ended && lane->stream.position.load() == kStreamEnded;
  return ended ? kStreamEnded : PicturesEnd();
}

// Where the output ends on the source's time line: what a job on a file of unknown length has done.
int64_t ConvJob::Reached() const {
  return std::max(hasVideo_ ? PicturesEnd() : 0, hasAudio_ ? audio_.reached.load() : 0);
}

bool ConvJob::Snapshot(std::vector<uint8_t>& pixels, int& width, int& height) {
  std::lock_guard<std::mutex> hold(snapLock_);
  if (!lastFrame_) return false;
  const AVFrame* f = lastFrame_.get();
  width = f->width;
  height = f->height;
  snapScaler_.reset(sws_getCachedContext(snapScaler_.release(), width, height, AVPixelFormat(f->format),
                                         width, height, AV_PIX_FMT_BGRA, SWS_POINT, nullptr, nullptr, nullptr));
  if (!snapScaler_) return false;
  pixels.resize(size_t(width) * height * 4);
  uint8_t* planes[4] = {pixels.data(), nullptr, nullptr, nullptr};
  int strides[4] = {width * 4, 0, 0, 0};
  sws_scale(snapScaler_.get(), f->data, f->linesize, 0, height, planes, strides);
  return true;
}
