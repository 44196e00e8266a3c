// The converter's tests drive it as the progress window does: one job's settings in that order.
#pragma once
#include "EngineTestUtil.h"
#include "MediaConv.h"

namespace enginetest {

struct Job {
  std::string input, output, format;
  int vcodec = 0, width = 0, height = 0;
  int64_t frameDuration = 0;
  int vbitrate = 0;
  int acodec = 0, channels = 0, rate = 0, abitrate = 0;
  int64_t start = 0, length = 0;
  int volume = 100, brightness = 0, contrast = 0;
  int crop[4] = {0, 0, 0, 0};
  int aspect[2] = {0, 0};
};

// Configures in the order the progress window uses; the first failing call's status, else 0.
inline int Configure(const Job& j) {
  int s = MediaConv_AddInputFile(WinPath(j.input).c_str());
  if (!s) s = MediaConv_CreateOutput(WinPath(j.output).c_str(), j.format.c_str());
  if (!s && j.vcodec > 0) {
    s = MediaConv_SetAspect(j.aspect[0], j.aspect[1]);
    if (!s) s = MediaConv_SetVolume(j.volume);
    if (!s) s = MediaConv_SetBrightness(j.brightness);
    if (!s) s = MediaConv_SetContrast(j.contrast);
    if (!s) s = MediaConv_SetCrop(j.crop[0], j.crop[1], j.crop[2], j.crop[3]);
    if (!s) s = MediaConv_SetVideo(j.vcodec, j.width, j.height, j.frameDuration, j.vbitrate);
  } else if (!s && j.volume != 100) {
    s = MediaConv_SetVolume(j.volume);
  }
  if (!s) s = MediaConv_SetAudio(j.acodec, j.channels, j.rate, j.abitrate);
  if (!s) s = MediaConv_SetRange(j.start, j.length);
  return s;
}

inline int Convert(const Job& j) {
  int s = Configure(j);
  if (!s) s = MediaConv_Run();
  return s ? s : WaitForJob();
}

constexpr int64_t kSecond = 10000000;

}  // namespace enginetest
