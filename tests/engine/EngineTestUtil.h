// Helpers shared by the engine's tests: a private temporary folder per test program, media
// fixtures made with the ffmpeg command line, measurements read back with ffprobe and ffmpeg, and
// Windows paths for the engine (it takes the paths the program sees).
#pragma once
#include "calderan_test.h"
#include "LibUtil.h"
#include "MediaConv.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace enginetest {

inline std::string Shell(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

inline bool Sh(const std::string& command) { return system(("(" + command + ") >/dev/null 2>&1").c_str()) == 0; }

inline std::string Quote(const std::string& text) {
  std::string q = "'";
  for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// A folder of its own under /tmp for one test program (ctest runs programs in parallel).
class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/calderan-engine-XXXXXX";
    path_ = mkdtemp(name) ? name : "";
  }
  ~TempFolder() {
    if (!path_.empty()) Sh("rm -rf " + Quote(path_));
  }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// The Windows name of a Unix path, in the system code page, as the program would pass it.
inline std::string WinPath(const std::string& unixPath) {
  WCHAR* wide = wine_get_dos_file_name(unixPath.c_str());
  if (!wide) return "";
  char text[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  HeapFree(GetProcessHeap(), 0, wide);
  return text;
}

// ffmpeg -f lavfi sources: "testsrc=size=320x240:rate=25:duration=2", "sine=...".
inline bool MakeMedia(const std::string& path, const std::string& args) {
  return Sh("ffmpeg -y -hide_banner -loglevel error " + args + " " + Quote(path));
}

inline bool MakeClip(const std::string& path, int width, int height, int rate, double seconds,
                     const std::string& codecs = "-c:v mpeg4 -c:a libmp3lame") {
  char args[512];
  std::snprintf(args, sizeof args,
                "-f lavfi -i testsrc=size=%dx%d:rate=%d:duration=%g -f lavfi -i "
                "sine=frequency=440:sample_rate=44100:duration=%g -ac 2 -shortest %s",
                width, height, rate, seconds, seconds, codecs.c_str());
  return MakeMedia(path, args);
}

// One value from ffprobe: entry such as "stream=codec_name" for a stream such as "v:0".
inline std::string Probe(const std::string& path, const std::string& entry, const std::string& stream = "") {
  std::string select = stream.empty() ? "" : " -select_streams " + stream;
  std::string out = Shell("ffprobe -v error" + select + " -show_entries " + entry +
                          " -of default=nw=1:nk=1 " + Quote(path));
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  size_t newline = out.find('\n');
  return newline == std::string::npos ? out : out.substr(0, newline);
}

inline double ProbeNumber(const std::string& path, const std::string& entry, const std::string& stream = "") {
  std::string text = Probe(path, entry, stream);
  size_t slash = text.find('/');
  if (slash != std::string::npos) return std::atof(text.c_str()) / std::atof(text.c_str() + slash + 1);
  return std::atof(text.c_str());
}

inline int CountFrames(const std::string& path) {
  return std::atoi(Shell("ffprobe -v error -select_streams v:0 -count_frames -show_entries "
                         "stream=nb_read_frames -of default=nw=1:nk=1 " + Quote(path)).c_str());
}

// Decoded samples (mono, 16-bit) or pixels (format such as "gray" or "rgb24") of a file.
inline std::vector<uint8_t> Decode(const std::string& path, const std::string& outputArgs) {
  std::string raw = Shell("ffmpeg -v error -i " + Quote(path) + " " + outputArgs + " -");
  return std::vector<uint8_t>(raw.begin(), raw.end());
}

inline double AudioRms(const std::string& path) {
  std::vector<uint8_t> raw = Decode(path, "-vn -ac 1 -f s16le");
  size_t n = raw.size() / 2;
  if (!n) return 0;
  double sum = 0;
  for (size_t i = 0; i < n; ++i) {
    int16_t s = int16_t(raw[2 * i] | raw[2 * i + 1] << 8);
    sum += double(s) * s;
  }
  return std::sqrt(sum / n);
}

// Seconds of sound a player gets out of the file (container durations include codec padding).
inline double DecodedAudioSeconds(const std::string& path) {
  double rate = ProbeNumber(path, "stream=sample_rate", "a:0");
  return rate > 0 ? Decode(path, "-vn -ac 1 -f s16le").size() / 2 / rate : 0;
}

inline double MeanByte(const std::vector<uint8_t>& bytes, size_t stride = 1, size_t offset = 0) {
  double sum = 0;
  size_t n = 0;
  for (size_t i = offset; i < bytes.size(); i += stride) sum += bytes[i], ++n;
  return n ? sum / n : 0;
}

inline bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// Waits for the converter's job to end; the outcome byte, or 255 when it did not end in time.
inline int WaitForJob(int seconds = 60) {
  for (int i = 0; i < seconds * 100; ++i) {
    uint8_t finished = 0, outcome = 0;
    if (MediaConv_WaitFor(&finished, &outcome) != 0) return 254;
    if (finished) return outcome;
    Sleep(10);
  }
  return 255;
}

// ENGINE_TEST_LOG=/some/file keeps the engine's detailed log of a test run, for finding out why.
inline void LogToFileFromEnvironment() {
  if (const char* log = getenv("ENGINE_TEST_LOG")) {
    LogSetFileByName(WinPath(log).c_str());
    LogSetLevel(4);
  }
}

}  // namespace enginetest
