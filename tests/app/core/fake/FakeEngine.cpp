#include "FakeEngine.h"

#include <windows.h>

#include <stdexcept>

#include "CodecMgr.h"
#include "LibUtil.h"
#include "MediaConv.h"
#include "MediaInfo.h"
#include "MediaPlayer.h"

TFakeEngine& Fake() {
  static TFakeEngine engine;
  return engine;
}

TFakeStream FakeVideo(int32_t width, int32_t height) {
  TFakeStream s{1, {}};
  s.Record.Kind = 1;
  s.Record.Width = width;
  s.Record.Height = height;
  return s;
}

TFakeStream FakeAudio(int32_t channels, int32_t sampleRate) {
  TFakeStream s{2, {}};
  s.Record.Kind = 2;
  s.Record.Channels = channels;
  s.Record.SampleRate = sampleRate;
  return s;
}

namespace {

std::string Arg(const char* s) { return s ? std::string("\"") + s + "\"" : "null"; }
std::string Arg(int64_t v) { return std::to_string(v); }
std::string Arg(const void* p) { return p ? "ptr" : "null"; }

template <class... A>
uint8_t Record(const char* name, A... args) {
  std::string call = std::string(name) + "(";
  bool first = true;
  ((call += (first ? "" : ",") + Arg(args), first = false), ...);
  Fake().Calls.push_back(call + ")");
  if (Fake().Throws == name) throw std::runtime_error("fault inside the engine");
  auto it = Fake().Status.find(name);
  return it == Fake().Status.end() ? 0 : it->second;
}

}  // namespace

extern "C" {

EngineStatus MediaInfo_OpenFile(const char* path) { return Record("MediaInfo_OpenFile", path); }
EngineStatus MediaInfo_GetDur(int64_t* duration) {
  *duration = Fake().Duration;
  return Record("MediaInfo_GetDur");
}
EngineStatus MediaInfo_GetStreamCount(int32_t* count) {
  *count = static_cast<int32_t>(Fake().Streams.size());
  return Record("MediaInfo_GetStreamCount");
}
EngineStatus MediaInfo_GetType(int32_t index, uint8_t* kind) {
  *kind = Fake().Streams.at(index).Kind;
  return Record("MediaInfo_GetType", int64_t{index});
}
EngineStatus MediaInfo_GetInfo(int32_t index, TMediaStreamRecord* record) {
  *record = Fake().Streams.at(index).Record;
  return Record("MediaInfo_GetInfo", int64_t{index});
}
EngineStatus MediaInfo_Close(void) { return Record("MediaInfo_Close"); }

EngineStatus MediaPlayer_Play(const char* path, HWND window) {
  return Record("MediaPlayer_Play", path, static_cast<const void*>(window));
}
EngineStatus MediaPlayer_PlayDVD(const char* path, HWND window, int32_t id1, int32_t id2, int32_t id3) {
  return Record("MediaPlayer_PlayDVD", path, static_cast<const void*>(window), int64_t{id1}, int64_t{id2},
                int64_t{id3});
}
EngineStatus MediaPlayer_Seek(int64_t start, int64_t length) { return Record("MediaPlayer_Seek", start, length); }
EngineStatus MediaPlayer_Pause(void) { return Record("MediaPlayer_Pause"); }
EngineStatus MediaPlayer_Continue(void) { return Record("MediaPlayer_Continue"); }
EngineStatus MediaPlayer_Stop(void) { return Record("MediaPlayer_Stop"); }
EngineStatus MediaPlayer_SetVolume(int32_t v) { return Record("MediaPlayer_SetVolume", int64_t{v}); }
EngineStatus MediaPlayer_SetBrightness(int32_t v) { return Record("MediaPlayer_SetBrightness", int64_t{v}); }
EngineStatus MediaPlayer_SetContrast(int32_t v) { return Record("MediaPlayer_SetContrast", int64_t{v}); }
EngineStatus MediaPlayer_GetSnap(uint8_t* buffer, int32_t* size, int32_t* width, int32_t* height) {
  const int32_t capacity = *size;
  *size = 2 * 3 * 4;
  *width = 2;
  *height = 3;
  return Record("MediaPlayer_GetSnap", static_cast<const void*>(buffer), int64_t{capacity});
}
EngineStatus MediaPlayer_GetCurrentPosition(int64_t* position) {
  *position = Fake().Position;
  return Record("MediaPlayer_GetCurrentPosition");
}

EngineStatus MediaConv_AddInputFile(const char* path) { return Record("MediaConv_AddInputFile", path); }
EngineStatus MediaConv_AddInputDVD(const char* path, int32_t id1, int32_t id2, int32_t id3) {
  return Record("MediaConv_AddInputDVD", path, int64_t{id1}, int64_t{id2}, int64_t{id3});
}
EngineStatus MediaConv_CreateOutput(const char* path, const char* format) {
  return Record("MediaConv_CreateOutput", path, format);
}
EngineStatus MediaConv_SetAspect(int32_t x, int32_t y) { return Record("MediaConv_SetAspect", int64_t{x}, int64_t{y}); }
EngineStatus MediaConv_SetVolume(int32_t v) { return Record("MediaConv_SetVolume", int64_t{v}); }
EngineStatus MediaConv_SetBrightness(int32_t v) { return Record("MediaConv_SetBrightness", int64_t{v}); }
EngineStatus MediaConv_SetContrast(int32_t v) { return Record("MediaConv_SetContrast", int64_t{v}); }
EngineStatus MediaConv_SetCrop(int32_t l, int32_t t, int32_t r, int32_t b) {
  return Record("MediaConv_SetCrop", int64_t{l}, int64_t{t}, int64_t{r}, int64_t{b});
}
EngineStatus MediaConv_SetVideo(int32_t codec, int32_t w, int32_t h, int64_t frameDuration, int32_t bitRate) {
  return Record("MediaConv_SetVideo", int64_t{codec}, int64_t{w}, int64_t{h}, frameDuration, int64_t{bitRate});
}
EngineStatus MediaConv_SetAudio(int32_t codec, int32_t channels, int32_t sampleRate, int32_t bitRate) {
  return Record("MediaConv_SetAudio", int64_t{codec}, int64_t{channels}, int64_t{sampleRate}, int64_t{bitRate});
}
EngineStatus MediaConv_SetRange(int64_t start, int64_t length) { return Record("MediaConv_SetRange", start, length); }
EngineStatus MediaConv_Run(void) { return Record("MediaConv_Run"); }
EngineStatus MediaConv_Pause(void) { return Record("MediaConv_Pause"); }
EngineStatus MediaConv_Continue(void) { return Record("MediaConv_Continue"); }
EngineStatus MediaConv_Cancel(void) { return Record("MediaConv_Cancel"); }
EngineStatus MediaConv_WaitFor(uint8_t* finished, uint8_t* outcome) {
  *finished = Fake().Finished;
  *outcome = 0;
  return Record("MediaConv_WaitFor");
}
EngineStatus MediaConv_GetCurrentPosition(int64_t* position) {
  *position = Fake().Position;
  return Record("MediaConv_GetCurrentPosition");
}
EngineStatus MediaConv_GetSnap(uint8_t** pixels, int32_t* size, int32_t* width, int32_t* height) {
  *pixels = Fake().Snapshot.empty() ? nullptr : Fake().Snapshot.data();
  *size = static_cast<int32_t>(Fake().Snapshot.size());
  *width = Fake().SnapWidth;
  *height = Fake().SnapHeight;
  return Record("MediaConv_GetSnap");
}

EngineStatus CodecMgrInit(const char* folder) { return Record("CodecMgrInit", folder); }
EngineStatus LogSetFileByName(const char* path) { return Record("LogSetFileByName", path); }
EngineStatus LogSetLevel(int32_t level) { return Record("LogSetLevel", int64_t{level}); }
EngineStatus LogClose(void) { return Record("LogClose"); }

}  // extern "C"
