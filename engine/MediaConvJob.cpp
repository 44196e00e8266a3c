#include "EngineLog.h"
#include "MediaConvJob.h"
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Url(const std::string& path) { return "file:" + path; }

}  // namespace

void ConvJob::OutputCloser::operator()(AVFormatContext* c) const {
  if (c->pb && !(c->oformat->flags & AVFMT_NOFILE)) avio_closep(&c->pb);
  avformat_free_context(c);
}

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
EngineStatus ConvJob::OpenDecoding(Stream& s, AVStream* input) {
  s.input = input;
  s.inputStart = av_rescale_q(settings_.source.startTime, AV_TIME_BASE_Q, input->time_base);
  s.position = settings_.rangeStart;
  return OpenEngineDecoder(input, s.decoder);
}

EngineStatus ConvJob::OpenVideo(const VideoPlan& plan) {
  Stream& s = video_;
  EngineStatus status = OpenDecoding(s, settings_.source.Video());
  // The picture chain runs in ticks, the finest time the range is given in.
  s.frameBase = kTicks;
  if (status == esOk)
    status = BuildVideoChain(s.decoder.get(), s.frameBase, VideoFilterText(settings_, plan), s.filters);
  if (status == esOk)
    status = OpenVideoEncoder(plan, settings_.outputFormat->flags & AVFMT_GLOBALHEADER, s.encoder);
  if (status != esOk) return status;
  videoSinkBase_ = av_buffersink_get_time_base(s.filters.sink);
  s.sourceWidth = s.decoder->width;
  s.sourceHeight = s.decoder->height;
  s.sourceFormat = s.decoder->pix_fmt == AV_PIX_FMT_NONE ? AV_PIX_FMT_YUV420P : s.decoder->pix_fmt;
  return esOk;
}

EngineStatus ConvJob::OpenAudio(const AudioPlan& plan) {
  Stream& s = audio_;
  EngineStatus status = OpenDecoding(s, settings_.source.Audio());
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
  audioSinkBase_ = av_buffersink_get_time_base(s.filters.sink);
  return esOk;
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
  EngineStatus status = esOk;
  if (hasVideo_) status = AddOutputStream(video_);
  if (status == esOk && hasAudio_) status = AddOutputStream(audio_);
  if (status != esOk) return status;
  if (avio_open(&oc->pb, Url(temp).c_str(), AVIO_FLAG_WRITE) < 0) return esOutputNotCreatable;
  if (avformat_write_header(oc, nullptr) < 0) return esParameters;
  return esOk;
}

// ---- control -------------------------------------------------------------------------------

bool ConvJob::Start() {
  return controller_.Start([this] { Controller(); });
}

void ConvJob::SetPaused(bool paused) { gate_.SetPaused(paused); }

void ConvJob::Fail(EngineStatus status) {
  EngineStatus none = esOk;
  outcome_.compare_exchange_strong(none, status);
  Stop();
}

void ConvJob::Stop() {
  gate_.Stop();
  decodedVideo_.Stop();
  filteredVideo_.Stop();
  decodedAudio_.Stop();
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
  if (started && hasVideo_)
    started = videoFilter_.Start([this] { VideoFilterLoop(); }) && videoEncoder_.Start([this] { VideoEncodeLoop(); });
  if (started && hasAudio_) started = audioWorker_.Start([this] { AudioLoop(); });
  if (!started) Fail(esBadCall);
  reader_.Join();
  videoFilter_.Join();
  videoEncoder_.Join();
  audioWorker_.Join();
  Finish();
  finished_ = true;
}

// A stream the output was opened with that got no packet (nothing decoded in the range, a trim
// that missed) would leave a file that only looks converted.
bool ConvJob::EmptyStream() const {
  for (const Stream* s : {hasVideo_ ? &video_ : nullptr, hasAudio_ ? &audio_ : nullptr}) {
    if (s && s->packetsWritten == 0) {
      EngineLog(elNotice, "the output's stream %d got nothing to write", s->output->index);
      return true;
    }
  }
  return false;
}

void ConvJob::Finish() {
  AVFormatContext* oc = output_.get();
  bool keep = !cancelled_.load() && outcome_.load() == esOk;
  if (keep && EmptyStream()) Fail(esParameters), keep = false;
  if (keep && (av_write_trailer(oc) < 0 || oc->pb->error < 0)) Fail(esOutputNotCreatable), keep = false;
  if (avio_closep(&oc->pb) < 0 && keep) Fail(esOutputNotCreatable), keep = false;
  output_.reset();
  if (keep && rename(tempPath_.c_str(), settings_.outputPath.c_str()) != 0)
    Fail(esOutputNotCreatable), keep = false;
  if (!keep) unlink(tempPath_.c_str());
  tempPath_.clear();
  for (Stream* s : {&video_, &audio_}) {
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
  if (hasVideo_) position = std::min(position, video_.position.load());
  if (hasAudio_) position = std::min(position, audio_.position.load());
  if (position == kStreamEnded) return end > 0 ? end : Reached();
  return end > 0 ? std::min(position, end) : position;
}

// Where the output ends on the source's time line: what a job on a file of unknown length has done.
int64_t ConvJob::Reached() const {
  return std::max(hasVideo_ ? video_.reached.load() : 0, hasAudio_ ? audio_.reached.load() : 0);
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
