// Engine-internal: MP3 sound encoded in parts side by side. One MP3 encoder works through about 150
// seconds of sound a second on one core; a job of sound alone would leave the other cores idle.
//
// The sound's encoder frames are cut into parts, each encoded by its own encoder on its own thread:
// a part starts a little earlier (a warm-up, so its encoder's analysis and bit reservoir are
// settled where its own frames begin) and goes on a little past its end (an overrun, where the
// next part can join). The parts join at an MP3 frame where the later part's frame can take the
// bits it keeps in earlier frames (its bit reservoir) from the space the earlier part leaves free
// there, and where both used the same window shape; those reservoir bytes are copied over. Output
// frame n is then encoder frame n as with one encoder, with the same timestamps.
#pragma once
#include "EngineThread.h"
#include "MediaConvJob.h"
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class SoundParts {
 public:
  using Writer = std::function<bool(AVPacket*)>;

  // Whether sound of this plan is encoded in parts: MP3 at the rates of MPEG-1 (32 kHz and more),
  // whose frames this module can read.
  static bool Suits(const AudioPlan& plan);

  // expectedFrames: how many encoder frames the sound will give (0 when unknown).
  SoundParts(const AudioPlan& plan, bool globalHeader, int64_t expectedFrames, EngineGate& gate, Writer write);
  ~SoundParts();
  SoundParts(const SoundParts&) = delete;
  SoundParts& operator=(const SoundParts&) = delete;

  // Takes the next encoder frame (full size but the last). False once the job fails or stops.
  bool Add(const AVFrame* frame);
  // Encodes the last part to the end of the sound and writes every packet left.
  bool Finish();

 private:
  struct Part;

  void StartPart(bool last);
  void EncodePart(Part& part);
  bool WriteReady(bool all);
  bool WaitForPart(Part& part);
  bool WritePart(Part& part, int64_t end);
  // The frame at which the later part takes over; copies the reservoir bytes it needs.
  int64_t Join(Part& earlier, const Part& later);

  AudioPlan plan_;
  bool globalHeader_;
  EngineGate& gate_;
  Writer write_;
  int64_t partFrames_;
  std::deque<AvFramePtr> frames_;     // from frame framesBase_ on, what parts still to start need
  int64_t framesBase_ = 0, framesAdded_ = 0;
  std::deque<std::unique_ptr<Part>> parts_;  // started, not yet written
  int64_t nextPart_ = 0;                     // index of the next part to start
  int64_t joinedUpTo_ = 0;                   // frames written so far end before this frame
  std::mutex lock_;
  std::condition_variable partDone_;
  bool failed_ = false;
};
