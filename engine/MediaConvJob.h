// Engine-internal: one conversion job. MediaConv.cpp collects and checks the settings; the job
// plans the output from them, opens decoders, filters, encoders and the output file, and runs the
// pipeline:
//
//   reader (demux + decode) --frames--> video filter --frames--> video encoder --packets--+--> muxer
//                           --frames--> audio filter + encoder ----------------packets---+
//
// each stage on its own Win32 thread with a bounded queue in between, so decoding, filtering and
// encoding overlap; a controller thread waits for the stages and finishes or removes the file.
//
// A long picture is cut at key frames of the source into parts (lanes) converted side by side, each
// with its own reader of the file, decoder, filter chain and encoder; the first lane's reader also
// reads the sound. A lane's part starts with the picture of its source key frame, so no lane decodes
// what another lane converts; it is encoded from a key frame of the output and keeps the job's
// output frame numbers, so the parts join into one stream; their packets reach the muxer in lane
// order. The
// sound of such a picture has a reader of its own instead, so it goes at its own pace rather than
// the first lane's. Sound alone in MP3 is encoded in parts side by side (MediaConvSoundParts.h).
#pragma once
#include "EngineAv.h"
#include "EngineCodecs.h"
#include "EngineInput.h"
#include "EngineThread.h"
#include <atomic>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct ConvCrop {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

struct ConvVideoRequest {
  const EngineCodecEntry* codec = nullptr;
  int width = 0, height = 0;
  int64_t frameDuration = 0;
  int bitRate = 0;
};

struct ConvAudioRequest {
  const EngineCodecEntry* codec = nullptr;
  int channels = 0, sampleRate = 0, bitRate = 0;
};

struct ConvSettings {
  EngineSource source;
  bool hasInput = false;
  std::string outputPath;  // Unix path
  const AVOutputFormat* outputFormat = nullptr;
  int aspectX = 0, aspectY = 0;
  int volume = 100, brightness = 0, contrast = 0;
  ConvCrop crop;  // empty = the whole frame
  ConvVideoRequest video;
  AvParamsPtr videoParams;  // the video stream as tried by MediaConv_SetVideo, for the audio's trial
  ConvAudioRequest audio;
  int64_t rangeStart = 0, rangeLength = 0;

  // The end of the converted part on the source's time line (0 when unknown).
  int64_t RangeEnd() const;
};

// What the output's video stream will be, worked out from the settings and the source.
struct VideoPlan {
  const AVCodec* encoder = nullptr;
  ConvCrop crop;                  // the source region actually used
  int width = 0, height = 0;      // output frame
  int pictureWidth = 0, pictureHeight = 0;  // scaled picture inside the frame
  AVRational rate{0, 1};
  int64_t bitRate = 0;
  AVPixelFormat pixelFormat = AV_PIX_FMT_NONE;
};

struct AudioPlan {
  const AVCodec* encoder = nullptr;
  int sampleRate = 0, channels = 0;
  int64_t bitRate = 0;
  AVSampleFormat sampleFormat = AV_SAMPLE_FMT_NONE;
};

// Planning and opening (MediaConvPlan.cpp). Each returns 0 or the status for the application.
EngineStatus CheckContainerTakes(const AVOutputFormat* format, const EngineCodecEntry* codec);
EngineStatus PlanVideo(const ConvSettings& settings, VideoPlan& plan);
EngineStatus PlanAudio(const ConvSettings& settings, AudioPlan& plan);
// What a video encoder is opened for: the whole picture (FFmpeg picks its slice threads), one lane
// of several (one thread; see OpenVideoEncoder), or a trial of the settings (one thread).
enum class EncoderUse { Whole, Lane, Trial };
EngineStatus OpenVideoEncoder(const VideoPlan& plan, bool globalHeader, AvCodecPtr& encoder,
                              EncoderUse use = EncoderUse::Whole);
EngineStatus OpenAudioEncoder(const AudioPlan& plan, bool globalHeader, AvCodecPtr& encoder);
EngineStatus TryMuxing(const AVOutputFormat* format, std::initializer_list<const AVCodecParameters*> streams);
EngineStatus TryMuxingVideo(const AVOutputFormat* format, const AVCodecParameters* video);
std::string VideoFilterText(const ConvSettings& settings, const VideoPlan& plan);
// Keeps a lane's output frames [firstFrame, endFrame); endFrame 0 = to the end.
std::string LaneFilterText(int64_t firstFrame, int64_t endFrame);
// The first output frame that shows a picture shown at ticks on the file's time line (the
// pictures' timing in VideoFilterText).
int64_t OutputFrameShowing(const ConvSettings& settings, const VideoPlan& plan, int64_t ticks);
// frameBase: the time base of the frames the audio chain is fed, one sample (the trim counts samples).
std::string AudioFilterText(const ConvSettings& settings, const AudioPlan& plan, AVRational frameBase);

// A long picture is cut at key frames of the source into lanes (see ConvJob): one lane per core at
// most, each at least a few seconds long, cut at the key frames nearest to equal shares of the
// range [start, end). keys: the key frames' times in file order (100-ns ticks, the file's time
// line). Gives the positions in keys of the later lanes' first pictures.
std::vector<size_t> PickLaneKeyFrames(const std::vector<int64_t>& keys, int64_t start, int64_t end, int cores);
// Where a later lane starts: the source's key frame it reads from.
struct LaneStart {
  int64_t keyTs = 0;     // in the video stream's time base, as the index has it (decoding time)
  int64_t keyTicks = 0;  // the same on the file's time line
};
// The lanes after the first for a picture of these settings; none for short or unindexed inputs.
std::vector<LaneStart> PlanLanes(const ConvSettings& settings);

// A filter chain between a buffer source and a buffer sink.
struct FilterChain {
  AvGraphPtr graph;
  AVFilterContext* source = nullptr;
  AVFilterContext* sink = nullptr;
};
// threads: what the picture's filters (the scaler) may use, 0 = one per core.
EngineStatus BuildVideoChain(const AVCodecContext* decoder, AVRational timeBase,
                             const std::string& text, FilterChain& chain, int threads = 0);
EngineStatus BuildAudioChain(const AVCodecContext* decoder, AVRational timeBase,
                             const std::string& text, FilterChain& chain);

class SoundParts;

class ConvJob {
 public:
  ConvJob();
  ConvJob(const ConvJob&) = delete;
  ConvJob& operator=(const ConvJob&) = delete;
  ~ConvJob();

  // Plans, opens every part and writes the output header; nothing runs yet.
  EngineStatus Open(ConvSettings&& settings);
  // Starts the pipeline; returns at once.
  bool Start();
  void SetPaused(bool paused);
  // Stops the pipeline, removes the unfinished output and returns when everything has ended.
  void Cancel();
  bool Finished() const { return finished_.load(); }
  EngineStatus Outcome() const { return outcome_.load(); }
  int64_t Position() const;
  // The frame last sent to the video encoder as 32-bit BGRA rows from the top; false when none.
  bool Snapshot(std::vector<uint8_t>& pixels, int& width, int& height);

 private:
  static constexpr int64_t kStreamEnded = INT64_MAX;  // a stream's position once it is complete

  struct Stream {
    AvCodecPtr decoder;
    AvCodecPtr encoder;
    FilterChain filters;
    AVStream* input = nullptr;
    AVStream* output = nullptr;
    int64_t inputStart = 0;                 // the file's start, in the input stream's time base
    AVRational frameBase{0, 1};             // time base of the frames given to the filter chain
    int64_t lastTs = AV_NOPTS_VALUE;        // for frames without a timestamp, input time base
    int64_t endPts = AV_NOPTS_VALUE;        // end of the latest frame, file time line, frameBase
    int64_t packetsWritten = 0;             // to the output, under the mux lock
    AVRational sinkBase{0, 1};              // time base of the frames the chain gives
    int lane = -1;                          // the picture's lane; -1 for the sound
    // A later lane's encoder first warms up on the lane's first pictures, whose packets are
    // dropped, then takes them again from a key frame (see WarmUpLane). partStart: the encoder's
    // count (encoder time base) at the lane's first picture of its part.
    int64_t partStart = 0;
    bool warmingUp = false;
    // The encoder counts from its first frame (the lane's first output frame, encoder time base):
    // rate control reads a frame's timestamp as the time spent, and would spend the earlier lanes'
    // bits.
    int64_t encoderStart = AV_NOPTS_VALUE;
    std::atomic<int64_t> position{0};       // source time reached, 100 ns
    std::atomic<int64_t> reached{0};        // end of the last frame encoded, source time, 100 ns
    std::atomic<bool> done{false};          // the filter has passed the end of the range
    bool readingDone = false;               // reader: no more packets wanted
    int sourceWidth = 0, sourceHeight = 0, sourceFormat = -1;  // what the video chain was built for
    SwsPtr conformer;
    AvFramePtr soundShape;      // what the audio chain was built for (rate, format, layout)
    SwrPtr soundConformer;
  };

  // One part of the picture (see the top of this file). Output frames [firstFrame, endFrame),
  // endFrame 0 = to the end.
  struct VideoLane {
    Stream stream;
    AvInputPtr ownInput;             // null for the first lane, whose reader is the job's
    int64_t keyTs = AV_NOPTS_VALUE;  // where its own reader starts, video stream time base
    int64_t firstFrame = 0, endFrame = 0;
    int64_t warmUpFrames = 0;        // pictures its encoder warms up on at most (later lanes)
    EngineQueue<AvFramePtr> decoded{8}, filtered{8};
    EngineThread reader, filter, encoder;
    std::vector<AvPacketPtr> held;  // encoded while an earlier lane still writes; under the mux lock
    size_t heldBytes = 0;
    bool ended = false;  // the encoder gave its last packet; under the mux lock
  };

  int64_t Reached() const;
  int64_t PicturesEnd() const;
  EngineStatus OpenDecoding(Stream& stream, AVStream* input, int threads);
  EngineStatus OpenVideo(const VideoPlan& plan);
  EngineStatus OpenLane(const VideoPlan& plan, VideoLane& lane, int decoderThreads);
  void AddLanes(const VideoPlan& plan);
  EngineStatus OpenAudio(const AudioPlan& plan);
  void UseSoundParts(const AudioPlan& plan);
  void UseSoundReader();
  EngineStatus OpenOutputFile();
  EngineStatus AddOutputStream(Stream& stream);
  // Ends the job with the status; the first failure, its cause, goes to the log in one line naming
  // the stage, the stream (none for the file as a whole) and FFmpeg's error text (err < 0).
  void Fail(EngineStatus status, const char* stage, const Stream* stream = nullptr, int err = 0);
  void Stop();

  void Controller();
  const Stream* EmptyStream() const;
  void Finish();
  void ReaderLoop();
  void LaneReaderLoop(VideoLane& lane);
  void SoundReaderLoop();
  bool IsLaneKeyPacket(const VideoLane& lane, const AVPacket* packet) const;
  void UsePacket(VideoLane* lane, bool sound, AVPacket* packet);
  void FlushDecoder(Stream& stream, EngineQueue<AvFramePtr>& queue);
  bool Decode(Stream& stream, const AVPacket* packet, EngineQueue<AvFramePtr>& queue);
  void StampFrame(Stream& stream, AVFrame* frame);
  bool FeedFilter(Stream& stream, AVFrame* frame);
  AvFramePtr Conform(Stream& stream, AvFramePtr frame);
  AvFramePtr ConformSound(Stream& stream, AvFramePtr frame);
  void VideoFilterLoop(VideoLane& lane);
  void VideoEncodeLoop(VideoLane& lane);
  bool WarmUpLane(VideoLane& lane, bool& ended);
  void AudioLoop();
  bool DrainSink(Stream& stream, EngineQueue<AvFramePtr>* queue, bool& ended);
  bool Encode(Stream& stream, AVFrame* frame);
  bool WritePacket(Stream& stream, AVPacket* packet);
  bool WriteLocked(Stream& stream, AVPacket* packet);
  bool HoldLanePacket(VideoLane& lane, AVPacket* packet, std::unique_lock<std::mutex>& hold);
  void EndLane(VideoLane& lane);
  bool PrepareLaneFrame(Stream& stream, AVFrame* frame);
  void NotePosition(Stream& stream, const AVFrame* frame, bool warmUp);
  int64_t VideoPosition() const;

  ConvSettings settings_;
  std::vector<std::unique_ptr<VideoLane>> lanes_;  // the picture's parts; empty without video
  Stream audio_;
  std::unique_ptr<SoundParts> soundParts_;  // sound alone encoded in parts side by side, or null
  AvInputPtr soundInput_;  // the sound's own reader of the file, or null when the first lane's reads it
  bool hasVideo_ = false, hasAudio_ = false;
  AVRational outputRate_{0, 1};
  std::atomic<int64_t> framesEncoded_{0};  // pictures given to the encoders, all lanes
  struct OutputCloser {
    void operator()(AVFormatContext* c) const;
  };
  std::unique_ptr<AVFormatContext, OutputCloser> output_;
  std::string tempPath_;
  std::mutex muxLock_;
  std::condition_variable laneTurn_;  // a lane whose held packets fill up waits for its turn
  size_t writingLane_ = 0;            // the lane whose packets go straight out; under the mux lock

  EngineQueue<AvFramePtr> decodedAudio_{32};
  EngineGate gate_;
  EngineThread controller_, reader_, soundReader_, audioWorker_;
  std::atomic<bool> cancelled_{false}, finished_{false};
  std::atomic<EngineStatus> outcome_{esOk};

  std::mutex snapLock_;
  AvFramePtr lastFrame_;
  SwsPtr snapScaler_;
};
