#include "MediaConv.h"
#include "EngineLog.h"
#include "EngineOrientation.h"
#include "EnginePath.h"
#include "MediaConvJob.h"
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The converter's one configuration and its current or last job. Every call comes from the
// program's user-interface thread; the lock only keeps the calls whole.
struct Converter {
  std::mutex lock;
  ConvSettings settings;
  std::unique_ptr<ConvJob> job;
  std::vector<uint8_t> snapshot;  // handed out by MediaConv_GetSnap
};

Converter& Conv() {
  static Converter* converter = new Converter();  // lives for the process; no exit-time teardown
  return *converter;
}

bool Busy(const Converter& c) { return c.job && !c.job->Finished(); }

bool SameFile(const std::string& a, const std::string& b) {
  struct stat x, y;
  return stat(a.c_str(), &x) == 0 && stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

// The output must be creatable (or, when it exists, writable) and must not be the input: trying
// it is the only test that also holds for read-only file systems and the super-user.
EngineStatus CheckOutputPath(const char* windowsPath, const ConvSettings& s, std::string& unixPath) {
  if (!EngineUnixPath(windowsPath, unixPath) || unixPath.back() == '/') return esOutputNotCreatable;
  struct stat info;
  bool existed = stat(unixPath.c_str(), &info) == 0;
  if (existed && !S_ISREG(info.st_mode)) return esOutputNotCreatable;
  if (existed && s.hasInput && SameFile(unixPath, s.source.unixPath)) return esOutputNotCreatable;
  int fd = open(unixPath.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return esOutputNotCreatable;
  close(fd);
  if (!existed) unlink(unixPath.c_str());
  return esOk;
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

AvParamsPtr ParamsOf(const AVCodecContext* encoder) {
  AvParamsPtr params(avcodec_parameters_alloc());
  if (params && avcodec_parameters_from_context(params.get(), encoder) < 0) params.reset();
  return params;
}

// Plans a stream and opens its encoder as the job will, for the stream parameters it would write.
template <typename Plan>
EngineStatus TryEncoder(const ConvSettings& s, EngineStatus (*plan)(const ConvSettings&, Plan&),
                        EngineStatus (*open)(const Plan&, bool, AvCodecPtr&), AvParamsPtr& params) {
  Plan planned;
  AvCodecPtr encoder;
  EngineStatus status = plan(s, planned);
  if (status == esOk) status = open(planned, s.outputFormat->flags & AVFMT_GLOBALHEADER, encoder);
  if (status != esOk) return status;
  params = ParamsOf(encoder.get());
  return params ? esOk : esEncoder;
}

// One thread is enough to learn what the encoder takes; slice threads would only start and stop.
EngineStatus OpenTrialVideoEncoder(const VideoPlan& plan, bool globalHeader, AvCodecPtr& encoder) {
  return OpenVideoEncoder(plan, globalHeader, encoder, EncoderUse::Trial);
}

// Tries the encoder with the values as they will be used, and the container with its stream, so a
// refusal is the setter's status.
EngineStatus TryVideo(ConvSettings& s) {
  if (!s.source.Video()) return esOk;
  AvParamsPtr params;
  EngineStatus status = TryEncoder(s, PlanVideo, OpenTrialVideoEncoder, params);
  if (status == esOk) status = TryMuxingVideo(s.outputFormat, params.get());
  if (status == esOk) s.videoParams = std::move(params);
  return status;
}

EngineStatus TryAudio(const ConvSettings& s) {
  AvParamsPtr params;
  EngineStatus status = TryEncoder(s, PlanAudio, OpenAudioEncoder, params);
  if (status != esOk) return status;
  status = TryMuxing(s.outputFormat, {s.videoParams.get(), params.get()});
  if (status != esOk) EngineLog(elNotice, "the %s format refuses this audio stream", s.outputFormat->name);
  return status;
}

// The codec for a setter: 5 when unknown or of the other kind, 6 when the container cannot carry it.
EngineStatus CodecFor(const Converter& c, int32_t id, EngineCodecKind kind, const EngineCodecEntry*& codec) {
  codec = FindEngineCodec(id);
  if (!codec || codec->kind != kind || !avcodec_find_encoder_by_name(codec->encoder)) return esEncoder;
  return CheckContainerTakes(c.settings.outputFormat, codec);
}

// Volume, brightness and contrast: one value in a range.
EngineStatus SetLevel(int ConvSettings::*level, int32_t value, int low, int high) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (Busy(c)) return esBadCall;
  if (!InRange(value, low, high)) return esParameters;
  c.settings.*level = value;
  return esOk;
}

}  // namespace

EngineStatus MediaConv_AddInputFile(const char* path) {
  EngineStartup();
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (Busy(c)) return esBadCall;
  c.job.reset();
  c.settings = ConvSettings();
  EngineStatus status = OpenEngineSource(path, c.settings.source);
  c.settings.hasInput = status == esOk;
  return status;
}

EngineStatus MediaConv_AddInputDVD(const char* path, int32_t discId1, int32_t discId2, int32_t discId3) {
  EngineStartup();
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (Busy(c)) return esBadCall;
  c.job.reset();
  c.settings = ConvSettings();
  EngineLog(elNotice, "disc input \"%s\" (%d, %d, %d) cannot be read here", path ? path : "", discId1,
            discId2, discId3);
  return esFormatNotSupported;
}

EngineStatus MediaConv_CreateOutput(const char* path, const char* outFormat) {
  EngineStartup();
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (Busy(c)) return esBadCall;
  const AVOutputFormat* format = IsEngineOutputFormat(outFormat) ? av_guess_format(outFormat, nullptr, nullptr) : nullptr;
  if (!format) return esFormatNotSupported;
  std::string unixPath;
  EngineStatus status = CheckOutputPath(path, c.settings, unixPath);
  if (status != esOk) return status;
  c.settings.outputPath = unixPath;
  c.settings.outputFormat = format;
  return esOk;
}

EngineStatus MediaConv_SetAspect(int32_t x, int32_t y) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (Busy(c)) return esBadCall;
  if (x < 0 || y < 0) return esParameters;
  c.settings.aspectX = x;
  c.settings.aspectY = y;
  return esOk;
}

EngineStatus MediaConv_SetVolume(int32_t volume) { return SetLevel(&ConvSettings::volume, volume, 0, 500); }

EngineStatus MediaConv_SetBrightness(int32_t brightness) {
  return SetLevel(&ConvSettings::brightness, brightness, -127, 127);
}

EngineStatus MediaConv_SetContrast(int32_t contrast) {
  return SetLevel(&ConvSettings::contrast, contrast, -127, 127);
}

EngineStatus MediaConv_SetCrop(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (Busy(c) || !c.settings.hasInput) return esBadCall;
  const AVStream* video = c.settings.source.Video();
  if (!video || (left == 0 && top == 0 && right == 0 && bottom == 0)) {
    c.settings.crop = ConvCrop();
    return esOk;
  }
  int width, height;
  DisplayedSize(video, width, height);
  ConvCrop crop{std::clamp(left, 0, width), std::clamp(top, 0, height), std::clamp(right, 0, width),
                std::clamp(bottom, 0, height)};
  if (crop.right - crop.left < 2 || crop.bottom - crop.top < 2) return esParameters;
  c.settings.crop = crop;
  return esOk;
}

EngineStatus MediaConv_SetVideo(int32_t codecId, int32_t width, int32_t height, int64_t frameDuration,
                                int32_t bitRate) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (Busy(c) || !c.settings.hasInput || !c.settings.outputFormat) return esBadCall;
  c.settings.video = ConvVideoRequest();
  c.settings.videoParams.reset();
  if (codecId <= 0) return esOk;
  ConvVideoRequest request{nullptr, width, height, frameDuration, bitRate};
  EngineStatus status = CodecFor(c, codecId, EngineCodecKind::Video, request.codec);
  if (status != esOk) return status;
  if (width < 0 || height < 0 || frameDuration < 0 || bitRate < 0) return esParameters;
  ConvSettings& s = c.settings;
  s.video = request;
  status = TryVideo(s);
  if (status != esOk) s.video = ConvVideoRequest();
  return status;
}

EngineStatus MediaConv_SetAudio(int32_t codecId, int32_t channels, int32_t sampleRate, int32_t bitRate) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (Busy(c) || !c.settings.hasInput || !c.settings.outputFormat) return esBadCall;
  c.settings.audio = ConvAudioRequest();
  if (codecId <= 0) return esOk;
  ConvAudioRequest request{nullptr, channels, sampleRate, bitRate};
  EngineStatus status = CodecFor(c, codecId, EngineCodecKind::Audio, request.codec);
  if (status != esOk) return status;
  if (channels < 0 || sampleRate < 0 || bitRate < 0) return esParameters;
  ConvSettings& s = c.settings;
  s.audio = request;
  status = TryAudio(s);
  if (status != esOk) s.audio = ConvAudioRequest();
  return status;
}

EngineStatus MediaConv_SetRange(int64_t start, int64_t length) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (Busy(c) || !c.settings.hasInput) return esBadCall;
  int64_t duration = c.settings.source.duration;
  if (start < 0 || length < 0 || (duration > 0 && start >= duration)) return esParameters;
  c.settings.rangeStart = start;
  c.settings.rangeLength = length;
  return esOk;
}

EngineStatus MediaConv_Run(void) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (Busy(c)) return esBadCall;
  if (!c.settings.hasInput) return esInputNotFound;
  if (!c.settings.outputFormat) return esOutputNotCreatable;
  c.job = std::make_unique<ConvJob>();
  EngineStatus status = c.job->Open(std::move(c.settings));
  c.settings = ConvSettings();
  if (status == esOk && !c.job->Start()) status = esBadCall;
  if (status != esOk) c.job.reset();
  return status;
}

EngineStatus MediaConv_Pause(void) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (c.job) c.job->SetPaused(true);
  return esOk;
}

EngineStatus MediaConv_Continue(void) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (c.job) c.job->SetPaused(false);
  return esOk;
}

EngineStatus MediaConv_Cancel(void) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (c.job) c.job->Cancel();
  return esOk;
}

EngineStatus MediaConv_WaitFor(uint8_t* finished, uint8_t* outcome) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (finished) *finished = Busy(c) ? 0 : 1;
  if (outcome) *outcome = c.job ? c.job->Outcome() : EngineStatus(esOk);
  return esOk;
}

EngineStatus MediaConv_GetCurrentPosition(int64_t* position) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (!position) return esBadCall;
  *position = c.job ? c.job->Position() : 0;
  return esOk;
}

EngineStatus MediaConv_GetSnap(uint8_t** pixels, int32_t* size, int32_t* width, int32_t* height) {
  Converter& c = Conv();
  std::lock_guard<std::mutex> hold(c.lock);
  if (!pixels || !size || !width || !height) return esBadCall;
  int w = 0, h = 0;
  bool have = c.job && c.job->Snapshot(c.snapshot, w, h);
  *pixels = have ? c.snapshot.data() : nullptr;
  *size = have ? int32_t(c.snapshot.size()) : 0;
  *width = have ? w : 0;
  *height = have ? h : 0;
  return esOk;
}
