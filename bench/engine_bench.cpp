// Times one conversion through the engine's converter, from the input call to the finished flag,
// and prints the seconds. Usage: engine_bench.exe iphone|mp3 <input> <output> (Unix paths).
#include <windows.h>
#include "EngineCodecs.h"
#include "MediaConv.h"
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string WinPath(const char* unixPath) {
  WCHAR* wide = wine_get_dos_file_name(unixPath);
  char text[1024] = {};
  if (wide) WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  HeapFree(GetProcessHeap(), 0, wide);
  return text;
}

// The iPhone profile's defaults, configured as the progress window does.
int ConfigureIphone(const std::string& out) {
  int s = MediaConv_CreateOutput(out.c_str(), "mp4");
  if (!s) s = MediaConv_SetAspect(480, 320);
  if (!s) s = MediaConv_SetVolume(100);
  if (!s) s = MediaConv_SetBrightness(0);
  if (!s) s = MediaConv_SetContrast(0);
  if (!s) s = MediaConv_SetCrop(0, 0, 640, 360);
  if (!s) s = MediaConv_SetVideo(ecMpeg4, 480, 320, 333666, 1000000);
  if (!s) s = MediaConv_SetAudio(ecMp3, 2, 44100, 128000);
  return s;
}

int ConfigureMp3(const std::string& out) {
  int s = MediaConv_CreateOutput(out.c_str(), "mp3");
  if (!s) s = MediaConv_SetAudio(ecMp3, 2, 44100, 128000);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: engine_bench iphone|mp3 <input> <output>\n");
    return 2;
  }
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  int s = MediaConv_AddInputFile(WinPath(argv[2]).c_str());
  std::string out = WinPath(argv[3]);
  if (!s) s = std::strcmp(argv[1], "mp3") == 0 ? ConfigureMp3(out) : ConfigureIphone(out);
  if (!s) s = MediaConv_SetRange(0, 0);
  if (!s) s = MediaConv_Run();
  uint8_t finished = 0, outcome = 0;
  while (!s && !finished) {
    Sleep(5);
    MediaConv_WaitFor(&finished, &outcome);
  }
  QueryPerformanceCounter(&end);
  if (s || outcome) {
    std::fprintf(stderr, "conversion failed: status %d, outcome %d\n", s, outcome);
    return 1;
  }
  std::printf("%.3f\n", double(end.QuadPart - start.QuadPart) / frequency.QuadPart);
  return 0;
}
