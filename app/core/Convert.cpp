#include "Convert.h"

#include <cmath>

#include "MediaConv.h"
#include "MediaPlayer.h"

CALDERAN_IMPLEMENT_CLASS(TMediaInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TMediaPlayer, TObject)
CALDERAN_IMPLEMENT_CLASS(TMediaConverter, TObject)

namespace {

void Check(uint8_t status) {
  if (status != 0) throw EMediaException(status);
}

// Runs one engine call and its status test; whatever leaves it arrives as the binding's own class.
template <class TWrapper, class TCall>
void Guarded(TCall call) {
  try {
    Check(call());
  } catch (const EMediaException& e) {
    throw TWrapper(e.Message());
  } catch (...) {
    throw TWrapper("Unknown exception");
  }
}

template <class TCall>
void PlayerCall(TCall call) {
  Guarded<EPlayException>(call);
}
template <class TCall>
void ConverterCall(TCall call) {
  Guarded<EConvertException>(call);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
TMediaInfo::~TMediaInfo() {
  try {
    Close();
  } catch (...) {
    KeepDestructorError(std::current_exception());
  }
}

void TMediaInfo::OpenFile(const std::string& Path) { Check(MediaInfo_OpenFile(Path.c_str())); }

int64_t TMediaInfo::GetDuration() {
  int64_t duration = 0;
  Check(MediaInfo_GetDur(&duration));
  return duration;
}

int32_t TMediaInfo::GetStreamCount() {
  int32_t count = 0;
  Check(MediaInfo_GetStreamCount(&count));
  return count;
}

uint8_t TMediaInfo::GetStreamType(int32_t Index) {
  uint8_t kind = 0;
  Check(MediaInfo_GetType(Index, &kind));
  return kind;
}

void TMediaInfo::GetStreamInfo(int32_t Index, TMediaStreamRecord& Record) { Check(MediaInfo_GetInfo(Index, &Record)); }

void TMediaInfo::Close() { Check(MediaInfo_Close()); }

// ---------------------------------------------------------------------------------------------
TMediaPlayer::~TMediaPlayer() {
  try {
    Stop();
  } catch (...) {
    KeepDestructorError(std::current_exception());
  }
}

void TMediaPlayer::Report(int32_t State) const {
  if (callback_) callback_(State);
}

void TMediaPlayer::Play(const std::string& Path, HWND Window, TMediaStateEvent Callback) {
  callback_ = Callback;
  PlayerCall([&] { return MediaPlayer_Play(Path.c_str(), Window); });
  Report(0);
}

void TMediaPlayer::PlayDVD(const std::string& Path, HWND Window, int32_t DiscId1, int32_t DiscId2, int32_t DiscId3,
                           TMediaStateEvent Callback) {
  callback_ = Callback;
  PlayerCall([&] { return MediaPlayer_PlayDVD(Path.c_str(), Window, DiscId1, DiscId2, DiscId3); });
  Report(0);
}

void TMediaPlayer::Seek(int64_t Start, int64_t Length) {
  PlayerCall([&] { return MediaPlayer_Seek(Start, Length); });
}

void TMediaPlayer::Pause() {
  PlayerCall([] { return MediaPlayer_Pause(); });
  Report(1);
}

void TMediaPlayer::Resume() {
  PlayerCall([] { return MediaPlayer_Continue(); });
  Report(0);
}

void TMediaPlayer::Stop() {
  PlayerCall([] { return MediaPlayer_Stop(); });
}
void TMediaPlayer::SetVolume(int32_t Value) {
  PlayerCall([&] { return MediaPlayer_SetVolume(Value); });
}
void TMediaPlayer::SetBrightness(int32_t Value) {
  PlayerCall([&] { return MediaPlayer_SetBrightness(Value); });
}
void TMediaPlayer::SetContrast(int32_t Value) {
  PlayerCall([&] { return MediaPlayer_SetContrast(Value); });
}

void TMediaPlayer::GetSnapshot(uint8_t* Buffer, int32_t& Size, int32_t& Width, int32_t& Height) {
  PlayerCall([&] { return MediaPlayer_GetSnap(Buffer, &Size, &Width, &Height); });
}

int64_t TMediaPlayer::GetPosition() {
  int64_t position = 0;
  PlayerCall([&] { return MediaPlayer_GetCurrentPosition(&position); });
  return position;
}

// ---------------------------------------------------------------------------------------------
TMediaConverter::~TMediaConverter() {
  try {
    Cancel();
  } catch (...) {
    KeepDestructorError(std::current_exception());
  }
}

void TMediaConverter::Report(int32_t State) const {
  if (callback_) callback_(State);
}

void TMediaConverter::AddInputFile(const std::string& Path) {
  ConverterCall([&] { return MediaConv_AddInputFile(Path.c_str()); });
}

void TMediaConverter::AddInputDVD(const std::string& Path, int32_t DiscId1, int32_t DiscId2, int32_t DiscId3) {
  ConverterCall([&] { return MediaConv_AddInputDVD(Path.c_str(), DiscId1, DiscId2, DiscId3); });
}

void TMediaConverter::CreateOutput(const std::string& OutputPath, const std::string& OutFormat) {
  ConverterCall([&] { return MediaConv_CreateOutput(OutputPath.c_str(), OutFormat.c_str()); });
}

void TMediaConverter::SetVolume(int32_t Value) {
  ConverterCall([&] { return MediaConv_SetVolume(Value); });
}
void TMediaConverter::SetBrightness(int32_t Value) {
  ConverterCall([&] { return MediaConv_SetBrightness(Value); });
}
void TMediaConverter::SetContrast(int32_t Value) {
  ConverterCall([&] { return MediaConv_SetContrast(Value); });
}

void TMediaConverter::SetCrop(const TRect& Rect) {
  ConverterCall([&] { return MediaConv_SetCrop(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); });
}

void TMediaConverter::SetAspect(int32_t X, int32_t Y) {
  ConverterCall([&] { return MediaConv_SetAspect(X, Y); });
}

void TMediaConverter::SetRange(int64_t Start, int64_t Length) {
  ConverterCall([&] { return MediaConv_SetRange(Start, Length); });
}

void TMediaConverter::SetVideo(int32_t CodecId, int32_t Width, int32_t Height, int64_t FrameDuration, int32_t Bitrate) {
  ConverterCall([&] { return MediaConv_SetVideo(CodecId, Width, Height, FrameDuration, Bitrate); });
}

void TMediaConverter::SetAudio(int32_t CodecId, int32_t Channels, int32_t SampleRate, int32_t Bitrate) {
  ConverterCall([&] { return MediaConv_SetAudio(CodecId, Channels, SampleRate, Bitrate); });
}

void TMediaConverter::Run(TMediaStateEvent Callback) {
  callback_ = Callback;
  ConverterCall([] { return MediaConv_Run(); });
}

void TMediaConverter::Pause() {
  ConverterCall([] { return MediaConv_Pause(); });
  Report(0);
}

void TMediaConverter::Resume(bool Notify) {
  ConverterCall([] { return MediaConv_Continue(); });
  if (Notify) Report(1);
}

void TMediaConverter::Cancel() {
  ConverterCall([] { return MediaConv_Cancel(); });
}

int32_t TMediaConverter::GetSnapshot(const uint8_t*& Buffer, int32_t& Width, int32_t& Height) {
  uint8_t* pixels = nullptr;
  int32_t size = 0;
  ConverterCall([&] { return MediaConv_GetSnap(&pixels, &size, &Width, &Height); });
  Buffer = pixels;
  return size;
}

int64_t TMediaConverter::GetPosition() {
  int64_t position = 0;
  ConverterCall([&] { return MediaConv_GetCurrentPosition(&position); });
  return position;
}

bool TMediaConverter::WaitFor(uint8_t& Second) {
  uint8_t finished = 0;
  ConverterCall([&] { return MediaConv_WaitFor(&finished, &Second); });
  return finished != 0;
}

// ---------------------------------------------------------------------------------------------
namespace {

struct TAspect {
  int32_t X, Y;
};

TAspect JobAspect(const TTaskInfo& Task, const FormatDetail& Detail) {
  switch (Task.LetterBox) {
    case lbKeepOriginal:
      return {Task.CropRect.Right - Task.CropRect.Left, Task.CropRect.Bottom - Task.CropRect.Top};
    case lb16x9:
      return {16, 9};
    case lb4x3:
      return {4, 3};
    default:
      return {Detail.Width, Detail.Height};
  }
}

// 100-ns duration of one frame at FpsDen / FpsNum frames per second. A rate without a denominator
// (the "original" entry, 0/0) has no frame duration: 0 leaves the source's rate.
int64_t JobFrameDuration(const FormatDetail& Detail) {
  if (Detail.FpsDen == 0) return 0;
  const long double ticks = static_cast<long double>(int64_t{Detail.FpsNum} * 10000000) / Detail.FpsDen;
  return static_cast<int64_t>(std::trunc(ticks));
}

}  // namespace

void StartConversionJob(TMediaConverter& Converter, const std::string& InputPath, const std::string& OutputPath,
                        const FormatDetail& Detail, const TTaskInfo& Task, TMediaStateEvent Callback) {
  if (Task.DiscId1 < 0)
    Converter.AddInputFile(InputPath);
  else
    Converter.AddInputDVD(InputPath, Task.DiscId1, Task.DiscId2, Task.DiscId3);
  Converter.CreateOutput(OutputPath, Detail.OutFormat);
  if (Detail.VCodecID > 0) {
    const TAspect aspect = JobAspect(Task, Detail);
    Converter.SetAspect(aspect.X, aspect.Y);
    Converter.SetVolume(Task.Volume);
    Converter.SetBrightness(Task.Brightness);
    Converter.SetContrast(Task.Contrast);
    Converter.SetCrop(Task.CropRect);
    Converter.SetVideo(Detail.VCodecID, Detail.Width, Detail.Height, JobFrameDuration(Detail), Detail.VBitrate);
  } else {
    // The clip's volume is a setting of its sound, which a profile without video still carries.
    Converter.SetVolume(Task.Volume);
  }
  Converter.SetAudio(Detail.ACodecID, Detail.Channels, Detail.SampleRate, Detail.ABitrate);
  Converter.SetRange(Task.StartTime, Task.EndTime - Task.StartTime);
  Converter.Run(Callback);
}
