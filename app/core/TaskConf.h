// What one conversion job consumes: the clip settings of an input file and the output parameters
// of the chosen profile.
#pragma once
#include <cstdint>
#include <string>

#include "System.h"
#include "Types.h"

// Letter-box modes of a clip.
enum : int32_t { lbFullScreen = 0, lbKeepOriginal = 1, lb16x9 = 2, lb4x3 = 3 };

// The clip settings of one input file, owned by its TVideoInfo; the list fills in the output name,
// the crop rectangle and the end time when the file is probed.
class TTaskInfo : public TObject {
  CALDERAN_CLASS(TTaskInfo)
  TTaskInfo() = default;

  int32_t DiscId1 = -1;  // 0 or more: the job reads a disc title instead of a file
  int32_t DiscId2 = 0;
  int32_t DiscId3 = -1;
  std::string OutName;   // output file name without folder and extension
  int32_t Volume = 100;  // percent
  int32_t Brightness = 0;
  int32_t Contrast = 0;
  TRect CropRect;  // source pixels
  int32_t LetterBox = lbFullScreen;
  int64_t StartTime = 0;  // 100 ns on the source's time line
  int64_t EndTime = 0;

  int64_t GetDuration() const { return EndTime > StartTime ? EndTime - StartTime : 0; }
};

// The output parameters of a profile selection, copied into every job.
struct FormatDetail {
  std::string OutFormat;  // the engine's output-format name
  std::string FileExt;    // without the point
  int32_t RecordSize = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t FpsDen = 0;  // the frame rate is FpsDen / FpsNum frames per second
  int32_t FpsNum = 0;
  int32_t AspectDen = 0;
  int32_t AspectNum = 0;
  int32_t VCodecID = 0;  // 0 or less: no video
  int32_t VBitrate = 0;  // bit/s
  int32_t Channels = 0;
  int32_t SampleRate = 0;
  int32_t ACodecID = 0;
  int32_t ABitrate = 0;  // bit/s
};

// The size the record has always announced to its readers.
constexpr int32_t kFormatDetailRecordSize = 60;
