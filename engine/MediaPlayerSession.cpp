#include "EngineLog.h"
#include "MediaPlayerSession.h"

EngineStatus PlayerSession::Open(const char* path, HWND window) {
  EngineStatus status = OpenEngineSource(path, source_);
  if (status != esOk) return status;
  if (const AVStream* video = source_.Video()) {
    if ((status = OpenEngineDecoder(video, videoDecoder_)) != esOk) return status;
    AVRational sar = video->codecpar->sample_aspect_ratio;
    sampleAspect_ = sar.num > 0 && sar.den > 0 ? sar : AVRational{1, 1};
    orientation_ = OrientationOf(video);
    if (orientation_.SwapsSides()) sampleAspect_ = av_inv_q(sampleAspect_);
  }
  // Sound is decoded only when it can be heard; without a device the clock alone times playback.
  if (source_.Audio() && waveOutGetNumDevs() > 0 && OpenEngineDecoder(source_.Audio(), audioDecoder_) == esOk)
    OpenWaveOut();
  if (!videoDecoder_ && !soundOut_) audioDecoder_.reset();
  window_ = window;
  wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!wake_) return esBadCall;
  waiting_ = videoDecoder_ != nullptr;
  if (!waiting_) StartClockLocked(0);
  EngineLog(elNotice, "playing \"%s\" (%s sound)", source_.unixPath.c_str(), soundOut_ ? "with" : "without");
  return esOk;
}

bool PlayerSession::Start() {
  return presenter_.Start([this] { PresenterLoop(); }) && decoder_.Start([this] { DecoderLoop(); });
}

void PlayerSession::Stop() {
  stopping_ = true;
  pictures_.Stop();
  sounds_.Stop();
  if (wake_) SetEvent(wake_);
  decoder_.Join();
  presenter_.Join();
  CloseWaveOut();
  if (wake_) CloseHandle(wake_);
  wake_ = nullptr;
}

void PlayerSession::Seek(int64_t start, int64_t length) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    start = std::max<int64_t>(start, 0);
    if (source_.duration > 0) start = std::min(start, source_.duration);
    ++generation_;
    seekStart_ = start;
    rangeEnd_ = length > 0 ? start + length : 0;
    decoderDone_ = false;
    waiting_ = videoDecoder_ != nullptr;
    StopClockLocked();
    clockBase_ = start;
    if (!waiting_ && !paused_) StartClockLocked(start);
  }
  pictures_.Clear();
  sounds_.Clear();
  SetEvent(wake_);
}

void PlayerSession::SetPaused(bool paused) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    if (paused == paused_) return;
    paused_ = paused;
    if (paused) StopClockLocked();
    bool ended = rangeEnd_ > 0 && clockBase_ >= rangeEnd_;
    if (!paused && !waiting_ && !ended) StartClockLocked(clockBase_);
  }
  if (waveOut_) paused ? waveOutPause(waveOut_) : waveOutRestart(waveOut_);
  SetEvent(wake_);
}

int64_t PlayerSession::Position() {
  std::lock_guard<std::mutex> hold(lock_);
  int64_t position = ClockLocked();
  if (rangeEnd_ > 0) position = std::min(position, rangeEnd_);
  if (source_.duration > 0) position = std::min(position, source_.duration);
  return position;
}

bool PlayerSession::Snapshot(uint8_t* pixels, int32_t capacity, int32_t& size, int& width, int& height) {
  std::lock_guard<std::mutex> hold(lock_);
  if (shown_.empty()) return false;
  width = current_.width;
  height = current_.height;
  size = int32_t(shown_.size());
  if (pixels && capacity >= size) std::copy(shown_.begin(), shown_.end(), pixels);
  return true;
}

// ---- the clock ---------------------------------------------------------------------------------

int64_t PlayerSession::ClockLocked() const {
  if (!clockRunning_) return clockBase_;
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return clockBase_ + av_rescale(now.QuadPart - clockStart_.QuadPart, kTicksPerSecond, frequency.QuadPart);
}

void PlayerSession::StartClockLocked(int64_t at) {
  clockBase_ = at;
  QueryPerformanceCounter(&clockStart_);
  clockRunning_ = true;
}

void PlayerSession::StopClockLocked() {
  clockBase_ = ClockLocked();
  clockRunning_ = false;
}
