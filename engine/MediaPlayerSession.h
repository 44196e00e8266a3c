// Engine-internal: one playback of one file. A decoder thread reads and decodes ahead into small
// queues (pictures as 32-bit rows, sound as 16-bit samples); a presenter thread keeps the clock,
// shows each picture when its time comes and feeds the wave output. Both are Win32 threads: the
// presenter paints with GDI and plays through winmm.
#pragma once
#include "EngineAv.h"
#include "EngineInput.h"
#include "EngineOrientation.h"
#include "EngineThread.h"
#include <mmsystem.h>
#include <atomic>
#include <mutex>
#include <vector>

// Live picture and sound adjustments, shared by every playback.
struct PlayerEffects {
  std::atomic<int> volume{100}, brightness{0}, contrast{0};
  std::atomic<int> version{0};  // bumped on every change, so a held picture is redrawn
};

struct PlayerPicture {
  int64_t pts = 0, end = 0;  // 100 ns, file time line
  int generation = 0;
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;  // BGRA rows from the top
};

struct PlayerSound {
  int64_t pts = 0;
  int generation = 0;
  std::vector<int16_t> samples;  // interleaved
};

class PlayerSession {
 public:
  explicit PlayerSession(PlayerEffects& effects) : effects_(effects) {}
  PlayerSession(const PlayerSession&) = delete;
  PlayerSession& operator=(const PlayerSession&) = delete;
  ~PlayerSession() { Stop(); }

  EngineStatus Open(const char* path, HWND window);
  bool Start();
  void Seek(int64_t start, int64_t length);
  void SetPaused(bool paused);
  void Stop();
  int64_t Position();
  // Copies the picture on show; false when there is none.
  bool Snapshot(uint8_t* pixels, int32_t capacity, int32_t& size, int& width, int& height);

 private:
  // Decoder side (MediaPlayerDecode.cpp).
  void DecoderLoop();
  bool TakeSeek(int& generation, int64_t& start);
  void DecodePacket(AVCodecContext* decoder, const AVPacket* packet, int generation, int64_t skipBefore);
  void QueuePicture(AVFrame* frame, int generation, int64_t skipBefore);
  void QueueSound(AVFrame* frame, int generation, int64_t skipBefore);

  // Presenter side (MediaPlayerOutput.cpp).
  void PresenterLoop();
  DWORD PresentStep();
  void ShowPicture(PlayerPicture&& picture);
  void Render();
  void Paint();
  void OpenWaveOut();
  void FeedWaveOut(int64_t now);
  void CloseWaveOut();

  // The clock, under lock_.
  int64_t ClockLocked() const;
  void StartClockLocked(int64_t at);
  void StopClockLocked();

  PlayerEffects& effects_;
  EngineSource source_;
  HWND window_ = nullptr;
  AvCodecPtr videoDecoder_, audioDecoder_;
  SwsPtr scaler_;
  SwrPtr resampler_;
  AVRational sampleAspect_{1, 1};  // of the displayed picture
  EngineOrientation orientation_;
  bool soundOut_ = false;  // a wave device exists and the file has sound

  EngineQueue<PlayerPicture> pictures_{6};
  EngineQueue<PlayerSound> sounds_{48};
  EngineThread decoder_, presenter_;
  HANDLE wake_ = nullptr;  // wakes the presenter early (seek, pause, effects)
  std::atomic<bool> stopping_{false};

  std::mutex lock_;
  int generation_ = 0;            // bumped by every seek
  int decoderGeneration_ = -1;    // the seek the decoder has carried out
  int64_t seekStart_ = 0;
  int64_t rangeEnd_ = 0;          // 0: play to the end
  bool paused_ = false;
  bool waiting_ = true;           // clock held until the first picture/sound after a start or seek
  bool decoderDone_ = false;      // the decoder reached the end of the file for this generation
  bool clockRunning_ = false;
  int64_t clockBase_ = 0;         // position when the clock (re)started or stopped
  LARGE_INTEGER clockStart_{};
  PlayerPicture current_;         // the picture on show, unadjusted
  std::vector<uint8_t> shown_;    // the same with brightness and contrast applied
  int shownVersion_ = -1;

  // Presenter thread only: the next picture and sound waiting for their time.
  PlayerPicture pendingPicture_;
  bool havePicture_ = false;
  PlayerSound pendingSound_;
  bool haveSound_ = false;
  int fedGeneration_ = 0;

  HWAVEOUT waveOut_ = nullptr;
  int waveRate_ = 0, waveChannels_ = 0;
  struct WaveBuffer {
    WAVEHDR header{};
    std::vector<int16_t> samples;
    bool queued = false;
  };
  WaveBuffer waveBuffers_[4];
};
