#include "GlobalFun.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <vector>

#include <windows.h>

#include "System.h"

namespace {

// Each value as two numbers, value div 10 and value mod 10, so hours past 99 keep all their digits.
std::string TwoDigits(int64_t v) { return std::to_string(v / 10) + std::to_string(v % 10); }

// A decimal integer with optional leading blanks and sign; anything else reads as 0.
int64_t PieceValue(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i == s.size()) return 0;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return 0;
    if (v > (INT64_MAX - (s[i] - '0')) / 10) return 0;  // does not fit: unreadable
    v = v * 10 + (s[i] - '0');
  }
  return negative ? -v : v;
}

}  // namespace

std::string FormatMsTime(bool ShowMs, int64_t Ms) {
  if (Ms <= 0) return ShowMs ? "00:00:00.000" : "00:00:00";
  const int64_t s = Ms / 1000;
  std::string text = TwoDigits(s / 3600) + ":" + TwoDigits(s % 3600 / 60) + ":" + TwoDigits(s % 3600 % 60);
  if (!ShowMs) return text;
  const int64_t f = Ms % 1000;
  return text + "." + std::to_string(f / 100) + std::to_string(f % 100 / 10) + std::to_string(f % 10);
}

std::string FormatRefTime(bool ShowMs, int64_t Ref) {
  // Extended precision holds every 64-bit count exactly; nearbyint rounds halves to even.
  const long double ms = std::nearbyint(static_cast<long double>(Ref) / 10000.0L);
  return FormatMsTime(ShowMs, static_cast<int64_t>(ms));
}

std::string SplitFirst(std::string& S, const std::string& Delim) {
  const size_t p = S.find(Delim);
  if (p == std::string::npos) {
    std::string all;
    all.swap(S);
    return all;
  }
  std::string part = S.substr(0, p);
  S.erase(0, p + 1);
  return part;
}

int64_t ParseTime(const std::string& Text) {
  if (Text.empty()) return 0;
  std::string rest = Text;
  const int64_t hours = PieceValue(SplitFirst(rest, ":"));
  const int64_t minutes = PieceValue(SplitFirst(rest, ":"));
  const int64_t seconds = PieceValue(SplitFirst(rest, "."));
  const int64_t ms = PieceValue(rest);
  // Unsigned arithmetic wraps instead of overflowing on absurd pieces; real times stay far below.
  return static_cast<int64_t>(static_cast<uint64_t>(hours) * 3600000u + static_cast<uint64_t>(minutes) * 60000u +
                              static_cast<uint64_t>(seconds) * 1000u + static_cast<uint64_t>(ms));
}

std::string GetFileVersionString(const std::string& FileName) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(FileName.c_str(), &handle);
  if (size == 0) return {};
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfoA(FileName.c_str(), 0, size, block.data())) return {};
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
      length < sizeof(VS_FIXEDFILEINFO))
    return {};
  char text[64];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
  return text;
}

std::string MakeTempFileName(const std::string& Prefix) {
  char folder[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length > MAX_PATH) throw EOSError("Cannot find the temporary folder");
  char name[MAX_PATH + 1];
  if (GetTempFileNameA(folder, Prefix.c_str(), 0, name) == 0)
    throw EOSError("Cannot create a temporary file in " + std::string(folder));
  return name;
}

int ShowInfo(const std::string& Text) {
  return MessageBoxA(GetActiveWindow(), Text.c_str(), "Information", MB_OK | MB_ICONINFORMATION);
}

int ShowError(const std::string& Text) {
  return MessageBoxA(GetActiveWindow(), Text.c_str(), "Error", MB_OK | MB_ICONERROR);
}
