// A recording stand-in for the media engine's C functions, linked into one test program in place
// of the engine: every call is recorded with its arguments, and each function answers the status
// the test chose for it.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "MediaInfo.h"

struct TFakeStream {
  uint8_t Kind;
  TMediaStreamRecord Record;
};

struct TFakeEngine {
  std::vector<std::string> Calls;
  std::map<std::string, uint8_t> Status;  // by function name; missing means 0
  std::string Throws;                     // a function that raises a non-media exception
  int64_t Duration = 0;
  std::vector<TFakeStream> Streams;
  int64_t Position = 0;
  uint8_t Finished = 1;
  std::vector<uint8_t> Snapshot;  // the converter's frame buffer
  int32_t SnapWidth = 0, SnapHeight = 0;

  void Reset() { *this = TFakeEngine(); }
};

TFakeEngine& Fake();

// Audio and video stream records as the probe fills them.
TFakeStream FakeVideo(int32_t width, int32_t height);
TFakeStream FakeAudio(int32_t channels, int32_t sampleRate);
