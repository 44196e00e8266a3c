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

// Makes an MP4 file's first track say how its picture is to be turned for display, as phones do:
// a stored pixel (x, y), y downwards, is shown at (a x + c y, b x + d y); each of a..d is -1, 0 or 1.
// The track header (version 0) holds the matrix 44 bytes after its type.
inline bool SetDisplayMatrix(const std::string& path, int a, int b, int c, int d) {
  FILE* file = fopen(path.c_str(), "r+b");
  if (!file) return false;
  std::string bytes;
  char buffer[65536];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
  size_t at = bytes.find("tkhd");
  bool ok = at != std::string::npos && at + 80 <= bytes.size() && bytes[at + 4] == 0;
  const int32_t matrix[9] = {a * 65536, b * 65536, 0, c * 65536, d * 65536, 0, 0, 0, 1 << 30};
  uint8_t bigEndian[36];
  for (int i = 0; i < 9; ++i)
    for (int k = 0; k < 4; ++k) bigEndian[i * 4 + k] = uint8_t(uint32_t(matrix[i]) >> (24 - 8 * k));
  ok = ok && fseek(file, long(at + 44), SEEK_SET) == 0 && fwrite(bigEndian, 1, 36, file) == 36;
  return fclose(file) == 0 && ok;
}

// The mean difference of two pictures' bytes (sizes must match).
inline double MeanDifference(const std::vector<uint8_t>& x, const std::vector<uint8_t>& y) {
  if (x.size() != y.size() || x.empty()) return 255;
  double sum = 0;
  for (size_t i = 0; i < x.size(); ++i) sum += std::abs(int(x[i]) - int(y[i]));
  return sum / x.size();
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

// Files whose length FFmpeg can only guess from the bit rate of their first frames, 6 s long: the
// sound is 2 s of noise, then 4 s of a quiet tone, at a variable bit rate, so the guess is short.
constexpr const char* kUnstatedLengthFiles[] = {"vbr-noheader.mp3", "raw.aac"};
inline bool MakeUnstatedLengthFiles(const TempFolder& f) {
  const std::string sound = "-f lavfi -i anoisesrc=d=2:a=0.5 -f lavfi -i sine=f=440:d=4 "
                            "-filter_complex concat=n=2:v=0:a=1 -ac 2 ";
  return MakeMedia(f / kUnstatedLengthFiles[0], sound + "-c:a libmp3lame -q:a 0 -write_xing 0") &&
         MakeMedia(f / kUnstatedLengthFiles[1], sound + "-c:a aac -q:a 2 -f adts");
}

// A portrait picture (red, the top-right quarter blue, the bottom-left quarter green) and the same
// picture stored turned, each with the display matrix that shows it upright again.
struct TurnedPicture {
  const char* name;
  int a, b, c, d;       // the display matrix
  const char* storing;  // what turns the upright picture into the stored one
};
constexpr TurnedPicture kTurnedPictures[] = {
    {"turned-90.mp4", 0, 1, -1, 0, "transpose=cclock"},  // shown turned a quarter clockwise
    {"turned-180.mp4", -1, 0, 0, -1, "hflip,vflip"},
    {"turned-270.mp4", 0, -1, 1, 0, "transpose=clock"},
    {"mirrored.mp4", -1, 0, 0, 1, "hflip"},
    {"mirrored-90.mp4", 0, 1, 1, 0, "transpose=cclock_flip"},
};
constexpr int kUprightWidth = 180, kUprightHeight = 320;
inline bool MakeTurnedPictures(const TempFolder& f) {
  if (!MakeMedia(f / "upright.mp4", "-f lavfi -i color=red:size=180x320:rate=25:duration=1 -vf "
                 "drawbox=x=90:y=0:w=90:h=160:color=blue:t=fill,drawbox=x=0:y=160:w=90:h=160:color=green:t=fill "
                 "-c:v mpeg4 -q:v 2"))
    return false;
  for (const TurnedPicture& t : kTurnedPictures) {
    if (!MakeMedia(f / t.name, "-i " + Quote(f / "upright.mp4") + " -vf " + t.storing + " -c:v mpeg4 -q:v 2") ||
        !SetDisplayMatrix(f / t.name, t.a, t.b, t.c, t.d))
      return false;
  }
  return true;
}

// ENGINE_TEST_LOG=/some/file keeps the engine's detailed log of a test run, for finding out why.
inline void LogToFileFromEnvironment() {
  if (const char* log = getenv("ENGINE_TEST_LOG")) {
    LogSetFileByName(WinPath(log).c_str());
    LogSetLevel(4);
  }
}

}  // namespace enginetest
