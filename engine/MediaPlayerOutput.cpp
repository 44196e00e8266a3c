// The player's presenter thread: the clock, the picture on show (painted into the window with GDI)
// and the sound (fed to the wave output).
#include "MediaPlayerSession.h"

namespace {

constexpr DWORD kRepaintMs = 250;            // the window may have been painted over meanwhile
constexpr int64_t kSoundLead = 3000000;      // sound is queued up to 0.3 s ahead of the clock

uint8_t Clamp255(int value) { return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value); }

// Brightness adds to every channel; contrast scales around mid-grey by 1 + contrast / 128, the
// same scale as the converter's.
void BuildLevels(uint8_t levels[256], int brightness, int contrast) {
  for (int v = 0; v < 256; ++v) levels[v] = Clamp255((v - 128) * (128 + contrast) / 128 + 128 + brightness);
}

// The largest rectangle of the picture's shape inside the client area, centred.
RECT FitInto(const RECT& client, int width, int height, AVRational sampleAspect) {
  double shape = double(width) * sampleAspect.num / sampleAspect.den / height;
  int cw = client.right - client.left, ch = client.bottom - client.top;
  int w = cw, h = int(cw / shape + 0.5);
  if (h > ch) h = ch, w = int(ch * shape + 0.5);
  RECT r;
  r.left = client.left + (cw - w) / 2;
  r.top = client.top + (ch - h) / 2;
  r.right = r.left + w;
  r.bottom = r.top + h;
  return r;
}

void FillBars(HDC dc, const RECT& client, const RECT& picture) {
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  RECT bars[4] = {{client.left, client.top, client.right, picture.top},
                  {client.left, picture.bottom, client.right, client.bottom},
                  {client.left, picture.top, picture.left, picture.bottom},
                  {picture.right, picture.top, client.right, picture.bottom}};
  for (const RECT& r : bars)
    if (r.right > r.left && r.bottom > r.top) FillRect(dc, &r, black);
}

}  // namespace

void PlayerSession::PresenterLoop() {
  DWORD lastPaint = GetTickCount();
  Paint();
  while (!stopping_.load()) {
    DWORD wait = PresentStep();
    if (GetTickCount() - lastPaint >= kRepaintMs) {
      Paint();
      lastPaint = GetTickCount();
    }
    WaitForSingleObject(wake_, wait);
  }
}

// One round: picks the picture that is due, ends playback at the range end or the end of the
// file, queues sound; returns how long to wait before the next round.
DWORD PlayerSession::PresentStep() {
  int generation;
  {
    std::lock_guard<std::mutex> hold(lock_);
    generation = generation_;
  }
  if (havePicture_ && pendingPicture_.generation != generation) havePicture_ = false;
  while (!havePicture_ && pictures_.TryPop(pendingPicture_)) havePicture_ = pendingPicture_.generation == generation;
  std::unique_lock<std::mutex> hold(lock_);
  if (generation != generation_) return 0;  // a seek came meanwhile
  int64_t now = ClockLocked();
  if (havePicture_ && (waiting_ || pendingPicture_.pts <= now)) {
    if (waiting_) {
      waiting_ = false;
      if (!paused_) StartClockLocked(seekStart_);
    }
    hold.unlock();
    havePicture_ = false;
    ShowPicture(std::move(pendingPicture_));
    return 0;
  }
  if (waiting_ && decoderDone_) {  // nothing to show after the seek point
    waiting_ = false;
    if (!paused_) StartClockLocked(seekStart_);
  }
  int64_t end = rangeEnd_ > 0                    ? rangeEnd_
                : decoderDone_ && !havePicture_ ? std::max(source_.duration, current_.end)
                                                 : 0;
  if (end > 0 && clockRunning_ && now >= end) {
    clockRunning_ = false;
    clockBase_ = end;
  }
  bool redraw = shownVersion_ != effects_.version.load();
  int64_t due = havePicture_ ? pendingPicture_.pts - now : 400000;
  hold.unlock();
  if (redraw) Render(), Paint();
  if (soundOut_) FeedWaveOut(now);
  return DWORD(std::clamp<int64_t>(due / 10000, 1, 40));
}

void PlayerSession::ShowPicture(PlayerPicture&& picture) {
  {
    std::lock_guard<std::mutex> hold(lock_);
    current_ = std::move(picture);
  }
  Render();
  Paint();
}

// Applies brightness and contrast to the picture on show.
void PlayerSession::Render() {
  std::lock_guard<std::mutex> hold(lock_);
  int version = effects_.version.load();
  int brightness = effects_.brightness.load(), contrast = effects_.contrast.load();
  shownVersion_ = version;
  if (brightness == 0 && contrast == 0) {
    shown_ = current_.pixels;
    return;
  }
  uint8_t levels[256];
  BuildLevels(levels, brightness, contrast);
  shown_.resize(current_.pixels.size());
  for (size_t i = 0; i < shown_.size(); i += 4) {
    shown_[i] = levels[current_.pixels[i]];
    shown_[i + 1] = levels[current_.pixels[i + 1]];
    shown_[i + 2] = levels[current_.pixels[i + 2]];
    shown_[i + 3] = 255;
  }
}

void PlayerSession::Paint() {
  if (!window_ || !IsWindow(window_)) return;
  HDC dc = GetDC(window_);
  if (!dc) return;
  RECT client;
  GetClientRect(window_, &client);
  std::lock_guard<std::mutex> hold(lock_);
  if (shown_.empty()) {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  } else {
    RECT target = FitInto(client, current_.width, current_.height, sampleAspect_);
    FillBars(dc, client, target);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = current_.width;
    info.bmiHeader.biHeight = -current_.height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, 0, 0,
                  current_.width, current_.height, shown_.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  }
  ReleaseDC(window_, dc);
}

// ---- sound -------------------------------------------------------------------------------------

void PlayerSession::OpenWaveOut() {
  const AVCodecContext* d = audioDecoder_.get();
  waveRate_ = d->sample_rate;
  waveChannels_ = std::min(d->ch_layout.nb_channels, 2);
  if (waveRate_ <= 0 || waveChannels_ <= 0) return;
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = WORD(waveChannels_);
  format.nSamplesPerSec = DWORD(waveRate_);
  format.wBitsPerSample = 16;
  format.nBlockAlign = WORD(waveChannels_ * 2);
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
  soundOut_ = waveOutOpen(&waveOut_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) == MMSYSERR_NOERROR;
  if (!soundOut_) waveOut_ = nullptr;
}

void PlayerSession::FeedWaveOut(int64_t now) {
  int generation;
  {
    std::lock_guard<std::mutex> hold(lock_);
    generation = generation_;
    if (paused_ || waiting_) return;
  }
  if (generation != fedGeneration_) {
    waveOutReset(waveOut_);  // a seek: what is queued belongs to the old position
    fedGeneration_ = generation;
    haveSound_ = false;
  }
  for (WaveBuffer& b : waveBuffers_) {
    if (b.queued && !(b.header.dwFlags & WHDR_DONE)) continue;
    if (b.queued) waveOutUnprepareHeader(waveOut_, &b.header, sizeof b.header), b.queued = false;
    while (!haveSound_ && sounds_.TryPop(pendingSound_)) haveSound_ = pendingSound_.generation == generation;
    if (!haveSound_ || pendingSound_.pts > now + kSoundLead) return;
    int volume = effects_.volume.load();
    b.samples.resize(pendingSound_.samples.size());
    for (size_t i = 0; i < b.samples.size(); ++i)
      b.samples[i] = int16_t(std::clamp(pendingSound_.samples[i] * volume / 100, -32768, 32767));
    haveSound_ = false;
    b.header = WAVEHDR{};
    b.header.lpData = reinterpret_cast<LPSTR>(b.samples.data());
    b.header.dwBufferLength = DWORD(b.samples.size() * sizeof(int16_t));
    if (waveOutPrepareHeader(waveOut_, &b.header, sizeof b.header) != MMSYSERR_NOERROR) continue;
    b.queued = waveOutWrite(waveOut_, &b.header, sizeof b.header) == MMSYSERR_NOERROR;
  }
}

void PlayerSession::CloseWaveOut() {
  if (!waveOut_) return;
  waveOutReset(waveOut_);
  for (WaveBuffer& b : waveBuffers_)
    if (b.queued) waveOutUnprepareHeader(waveOut_, &b.header, sizeof b.header), b.queued = false;
  waveOutClose(waveOut_);
  waveOut_ = nullptr;
}
