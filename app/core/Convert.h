// Bindings of the media engine: the probe, the preview player and the converter. Each operation
// calls one engine function and turns a non-zero status into EMediaException; the player and the
// converter wrap every failure into EPlayException / EConvertException and report their state to
// the callback that the last Play / Run stored. Also the protocol that configures one conversion.
//
// Freeing a binding closes, stops or cancels; an error there is kept (KeepDestructorError) for the
// shutdown of the global objects to raise.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "Exception.h"
#include "MediaInfo.h"
#include "System.h"
#include "TaskConf.h"

// The player reports 0 playing, 1 paused; the converter 0 paused, 1 running.
using TMediaStateEvent = TEvent<void(int32_t State)>;

class TMediaInfo : public TObject {
  CALDERAN_CLASS(TMediaInfo)
  TMediaInfo() = default;
  ~TMediaInfo() override;  // closes the probe (see Close)

  void OpenFile(const std::string& Path);
  int64_t GetDuration();
  int32_t GetStreamCount();
  uint8_t GetStreamType(int32_t Index);
  void GetStreamInfo(int32_t Index, TMediaStreamRecord& Record);
  void Close();
};

class TMediaPlayer : public TObject {
  CALDERAN_CLASS(TMediaPlayer)
  TMediaPlayer() = default;
  ~TMediaPlayer() override;  // stops the preview (see Stop)

  void Play(const std::string& Path, HWND Window, TMediaStateEvent Callback);
  void PlayDVD(const std::string& Path, HWND Window, int32_t DiscId1, int32_t DiscId2, int32_t DiscId3,
               TMediaStateEvent Callback);
  void Seek(int64_t Start, int64_t Length);
  void Pause();
  void Resume();
  void Stop();
  void SetVolume(int32_t Value);
  void SetBrightness(int32_t Value);
  void SetContrast(int32_t Value);
  // Copies the current frame into the caller's buffer; Size is its capacity in and the size the
  // frame needs out (the caller grows the buffer and asks again when that is larger).
  void GetSnapshot(uint8_t* Buffer, int32_t& Size, int32_t& Width, int32_t& Height);
  int64_t GetPosition();

 private:
  void Report(int32_t State) const;
  TMediaStateEvent callback_;
};

class TMediaConverter : public TObject {
  CALDERAN_CLASS(TMediaConverter)
  TMediaConverter() = default;
  ~TMediaConverter() override;  // cancels any job (see Cancel)

  void AddInputFile(const std::string& Path);
  void AddInputDVD(const std::string& Path, int32_t DiscId1, int32_t DiscId2, int32_t DiscId3);
  void CreateOutput(const std::string& OutputPath, const std::string& OutFormat);
  void SetVolume(int32_t Value);
  void SetBrightness(int32_t Value);
  void SetContrast(int32_t Value);
  void SetCrop(const TRect& Rect);
  void SetAspect(int32_t X, int32_t Y);
  void SetRange(int64_t Start, int64_t Length);
  void SetVideo(int32_t CodecId, int32_t Width, int32_t Height, int64_t FrameDuration, int32_t Bitrate);
  void SetAudio(int32_t CodecId, int32_t Channels, int32_t SampleRate, int32_t Bitrate);
  void Run(TMediaStateEvent Callback);  // returns at once; the job runs inside the engine
  void Pause();
  void Resume(bool Notify);
  void Cancel();
  // The engine's own buffer of the frame being encoded (not to be freed); returns its size in bytes,
  // below 1 when there is no frame.
  int32_t GetSnapshot(const uint8_t*& Buffer, int32_t& Width, int32_t& Height);
  int64_t GetPosition();
  // True once the job has ended or been cancelled.
  bool WaitFor(uint8_t& Second);

 private:
  void Report(int32_t State) const;
  TMediaStateEvent callback_;
};

// Configures the converter for one clip and starts it: input, output, then for a profile with video
// the aspect, volume, brightness, contrast, crop and video parameters, for one without only the
// volume, then the audio parameters, the range and Run.
void StartConversionJob(TMediaConverter& Converter, const std::string& InputPath, const std::string& OutputPath,
                        const FormatDetail& Detail, const TTaskInfo& Task, TMediaStateEvent Callback);
