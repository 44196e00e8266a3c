#include "GlobalFun.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "AppDialogs.h"
#include "Graphics.h"
#include "SysUtils.h"

namespace {

// Each value as two numbers, value div 10 and value mod 10, so hours past 99 keep all their digits.
std::string TwoDigits(int64_t v) { return IntToStr(v / 10) + IntToStr(v % 10); }

}  // namespace

std::string FormatMsTime(bool ShowMs, int64_t Ms) {
  if (Ms <= 0) return ShowMs ? "00:00:00.000" : "00:00:00";
  const int64_t s = Ms / 1000;
  std::string text = TwoDigits(s / 3600) + ":" + TwoDigits(s % 3600 / 60) + ":" + TwoDigits(s % 3600 % 60);
  if (!ShowMs) return text;
  const int64_t f = Ms % 1000;
  return text + "." + IntToStr(f / 100) + IntToStr(f % 100 / 10) + IntToStr(f % 10);
}

std::string FormatRefTime(bool ShowMs, int64_t Ref) {
  // Extended precision holds every 64-bit count exactly; Round takes halves to the even neighbour.
  return FormatMsTime(ShowMs, Round(static_cast<long double>(Ref) / 10000.0L));
}

std::string SplitFirst(std::string& S, const std::string& Delim) {
  const int p = Pos(Delim, S);
  if (p == 0) {
    std::string all;
    all.swap(S);
    return all;
  }
  std::string part = S.substr(0, p - 1);
  S.erase(0, p);
  return part;
}

int64_t ParseTime(const std::string& Text) {
  if (Text.empty()) return 0;
  std::string rest = Text;
  const int64_t hours = StrToInt64Def(SplitFirst(rest, ":"), 0);
  const int64_t minutes = StrToInt64Def(SplitFirst(rest, ":"), 0);
  const int64_t seconds = StrToInt64Def(SplitFirst(rest, "."), 0);
  const int64_t ms = StrToInt64Def(rest, 0);
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
  return Format("%d.%d.%d.%d", {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                                HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)});
}

std::string MakeTempFileName(const std::string& Prefix) {
  char folder[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length > MAX_PATH) throw EOSError(SysErrorMessage(GetLastError()));
  char name[MAX_PATH + 1];
  if (GetTempFileNameA(folder, Prefix.c_str(), 0, name) == 0) throw EOSError(SysErrorMessage(GetLastError()));
  return name;
}

int ShowInfo(const std::string& Text) { return AppMessageBox(Text, "Information", MB_OK | MB_ICONINFORMATION); }

int ShowError(const std::string& Text) { return AppMessageBox(Text, "Error", MB_OK | MB_ICONERROR); }

bool BitmapFromBits(TBitmap* Bitmap, const void* Bits, int32_t Size, int32_t Width, int32_t Height, int32_t BitCount) {
  if (!Bitmap || (Bits && Size == 0)) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -Height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(BitCount);
  info.bmiHeader.biCompression = BI_RGB;
  const int64_t imageSize = int64_t{std::abs(Height)} * Width * (BitCount / 8);
  info.bmiHeader.biSizeImage = static_cast<DWORD>(std::max<int64_t>(imageSize, 0));
  void* pixels = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!section) return false;
  if (!pixels) {
    DeleteObject(section);
    return false;
  }
  if (Bits && Size > 0) std::memcpy(pixels, Bits, static_cast<size_t>(std::min<int64_t>(Size, imageSize)));
  Bitmap->SetHandle(section);
  return true;
}
