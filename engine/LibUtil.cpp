#include "LibUtil.h"
#include "EngineAv.h"
#include "EngineLog.h"
#include "EnginePath.h"
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <string>
#include <sys/time.h>

namespace {

// FFmpeg calls the log callback from its own worker threads too, so the file is guarded.
std::mutex gLogLock;
FILE* gLogFile = nullptr;
std::atomic<int> gLogLevel{2};
int gAvPrintPrefix = 1;
std::once_flag gStarted;

void WriteStamp(FILE* f) {
  timeval tv;
  gettimeofday(&tv, nullptr);
  tm local;
  localtime_r(&tv.tv_sec, &local);
  char stamp[32];
  strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
  std::fprintf(f, "%s.%03d ", stamp, int(tv.tv_usec / 1000));
}

EngineLogLevel FromAvLevel(int level) {
  if (level <= AV_LOG_ERROR) return elError;
  if (level <= AV_LOG_WARNING) return elNotice;
  if (level <= AV_LOG_INFO) return elInfo;
  return elDebug;
}

void AvLogCallback(void* avcl, int level, const char* fmt, va_list args) {
  if (FromAvLevel(level) > gLogLevel.load()) return;
  char line[1024];
  std::lock_guard<std::mutex> hold(gLogLock);
  int startOfLine = gAvPrintPrefix;
  av_log_format_line2(avcl, level, fmt, args, line, sizeof line, &gAvPrintPrefix);
  if (!gLogFile) return;
  if (startOfLine) WriteStamp(gLogFile);
  std::fputs(line, gLogFile);
  std::fflush(gLogFile);
}

}  // namespace

void EngineStartup() {
  std::call_once(gStarted, [] { av_log_set_callback(AvLogCallback); });
}

void EngineLog(EngineLogLevel level, const char* format, ...) {
  if (level > gLogLevel.load()) return;
  std::lock_guard<std::mutex> hold(gLogLock);
  if (!gLogFile) return;
  WriteStamp(gLogFile);
  va_list args;
  va_start(args, format);
  std::vfprintf(gLogFile, format, args);
  va_end(args);
  std::fputc('\n', gLogFile);
  std::fflush(gLogFile);
}

EngineStatus LogSetFileByName(const char* path) {
  EngineStartup();
  std::string unixPath;
  if (!EngineUnixPath(path, unixPath)) return esOutputNotCreatable;
  FILE* f = std::fopen(unixPath.c_str(), "a");
  if (!f) return esOutputNotCreatable;
  std::lock_guard<std::mutex> hold(gLogLock);
  if (gLogFile) std::fclose(gLogFile);
  gLogFile = f;
  gAvPrintPrefix = 1;
  return esOk;
}

EngineStatus LogSetLevel(int32_t level) {
  EngineStartup();
  gLogLevel.store(level < 0 ? 0 : level);
  return esOk;
}

EngineStatus LogClose(void) {
  std::lock_guard<std::mutex> hold(gLogLock);
  if (gLogFile) std::fclose(gLogFile);
  gLogFile = nullptr;
  return esOk;
}
