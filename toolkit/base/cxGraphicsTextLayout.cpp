// Text measuring and layout for painters and controls: thin string wrappers of the platform's
// text calls, the narrowest rectangle for a number of lines, breaking into lines, abbreviation.
#include <memory>

#include "cxClasses.h"
#include "cxGraphics.h"

namespace {

constexpr UINT WordBreakCalcFlags = DT_CALCRECT | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK;
constexpr int AbbreviateBufferSize = 4096;

int CountOrLength(const std::string& text, int count) {
  return count < 0 ? static_cast<int>(text.size()) : count;
}

TRect CalcWrappedRect(HDC dc, const std::string& text, int width) {
  TRect r(0, 0, width, 1);
  DrawTextString(dc, text, r, -1, WordBreakCalcFlags);
  return r;
}

TRect CalcSingleLineRect(HDC dc, const std::string& text) {
  TRect r(0, 0, 0, 0);
  DrawTextString(dc, text, r, -1, DT_CALCRECT | DT_SINGLELINE);
  return r;
}

// Bisects the width between the widest word and the single-line width for the given height.
TRect NarrowestRectForHeight(HDC dc, const std::string& text, int targetHeight) {
  int lo = CalcWrappedRect(dc, text, 1).Width();
  int hi = CalcSingleLineRect(dc, text).Width();
  while (hi - lo > 1) {
    int mid = (lo + hi) / 2;
    if (CalcWrappedRect(dc, text, mid).Height() > targetHeight)
      lo = mid;
    else
      hi = mid;
  }
  TRect result = CalcWrappedRect(dc, text, lo);
  return result.Height() > targetHeight ? CalcWrappedRect(dc, text, hi) : result;
}

// A space is a single-byte character below 33.
bool IsSpaceAt(const std::string& text, int pos) {
  return pos <= static_cast<int>(text.size()) && CharByteLengthAt(text, pos) == 1 &&
         static_cast<BYTE>(text[pos - 1]) < 33;
}

struct TWordSpan {
  int Start;  // 1-based
  int End;    // last byte of the word
};

// One space before a word is skipped; a further space of the run starts a word of its own.
TWordSpan NextWord(const std::string& text, int pos) {
  const int length = static_cast<int>(text.size());
  if (IsSpaceAt(text, pos)) ++pos;
  if (pos > length) return {pos, length};
  int end = pos + CharByteLengthAt(text, pos) - 1;
  while (end < length && !IsSpaceAt(text, end + 1)) end += CharByteLengthAt(text, end + 1);
  return {pos, std::min(end, length)};
}

std::string Span(const std::string& text, int first, int last) {
  return last < first ? std::string() : text.substr(first - 1, last - first + 1);
}

HDC ScreenHandle() { return SharedScreenCanvas()->GetHandle(); }

}  // namespace

bool GetTextExtent(HDC dc, const std::string& text, TSize& size, int count) {
  SIZE s{};
  bool ok = GetTextExtentPoint32A(dc, text.c_str(), CountOrLength(text, count), &s);
  size = TSize(s.cx, s.cy);
  return ok;
}

int DrawTextString(HDC dc, const std::string& text, TRect& rect, int count, UINT flags) {
  return DrawTextA(dc, text.c_str(), count, rect.Win(), flags);
}

bool ExtTextOutString(HDC dc, const std::string& text, const TPoint& point, int count, UINT options,
                      const TRect* clipRect) {
  return ExtTextOutA(dc, point.X, point.Y, options, clipRect ? clipRect->Win() : nullptr, text.c_str(),
                     CountOrLength(text, count), nullptr);
}

bool InvalidateWindowRect(HWND window, const TRect* rect, bool erase) {
  return InvalidateRect(window, rect ? rect->Win() : nullptr, erase);
}

void MeasureFontText(TFont* font, const std::string& text, int size, TSize& extent) {
  TcxScreenCanvas* canvas = SharedScreenCanvas();
  canvas->GetFont()->Assign(font);
  if (size != 0) canvas->GetFont()->SetSize(size);
  extent = canvas->TextExtent(text);
}

int GetFontTextWidth(TFont* font, const std::string& text, int size) {
  TSize extent;
  MeasureFontText(font, text, size, extent);
  return extent.cx;
}

int GetFontTextHeight(TFont* font, const std::string& text, int size) {
  TSize extent;
  MeasureFontText(font, text, size, extent);
  return extent.cy;
}

void GetTextSize(HDC dc, const std::string& text, TSize& size) {
  TRect r;
  CalcTextRectForLines(dc, text, 1, r, false);
  size = TSize(r.Right, r.Bottom);
}

void CalcTextRectForLines(HDC dc, const std::string& text, int lines, TRect& rect, bool forceHeight) {
  rect = TRect(0, 0, 0, 0);
  if (lines <= 0) return;
  if (lines == 1) {
    rect = CalcSingleLineRect(dc, text);
  } else {
    const int targetHeight = CalcSingleLineRect(dc, "Wg").Height() * lines;
    rect = NarrowestRectForHeight(dc, text, targetHeight);
  }
  if (forceHeight) rect.Bottom = CalcSingleLineRect(dc, "Wg").Height() * lines;
}

// A word wider than the rectangle stays on its line: breaking before it when it is the line's
// only word would only add an empty line above it.
void SplitTextToWidth(const std::string& text, TcxCanvas* canvas, const TRect& rect, TStrings* lines) {
  const int width = rect.Width(), length = static_cast<int>(text.size());
  int lineStart = 1, previousEnd = 0, pos = 1;
  for (;;) {
    TWordSpan word = NextWord(text, pos);
    TSize candidate;
    GetTextSize(canvas->GetHandle(), Span(text, lineStart, word.End), candidate);
    if (candidate.cx > width && previousEnd >= lineStart) {
      lines->Add(Span(text, lineStart, previousEnd));
      lineStart = word.Start;
    }
    previousEnd = word.End;
    pos = word.End + 1;
    if (word.End >= length) break;
  }
  lines->Add(Span(text, lineStart, length));
}

void AbbreviateText(HDC dc, HFONT font, const std::string& text, std::string& result, int width) {
  result.clear();
  if (text.empty() || width <= 0) return;
  auto buffer = std::make_unique<char[]>(AbbreviateBufferSize);  // zeroed
  text.copy(buffer.get(), AbbreviateBufferSize - 1);
  const bool ownDC = dc == nullptr;
  if (ownDC) dc = GetDC(nullptr);
  if (font) SelectObject(dc, font);
  RECT r{0, 0, width, 32};
  DrawTextA(dc, buffer.get(), -1, &r, DT_SINGLELINE | DT_CALCRECT | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  if (ownDC) ReleaseDC(nullptr, dc);
  result = buffer.get();
}

int GetScreenPixelsPerInch(int axis) {
  return GetDeviceCaps(ScreenHandle(), axis == 0 ? LOGPIXELSY : LOGPIXELSX);
}

bool GetBitmapInfo(HBITMAP handle, BITMAP& record) {
  return GetObjectA(handle, sizeof(record), &record) != 0;
}

bool GetLogBrush(HBRUSH handle, LOGBRUSH& record) {
  return GetObjectA(handle, sizeof(record), &record) != 0;
}

bool GetLogFont(HFONT handle, LOGFONTA& record) {
  return GetObjectA(handle, sizeof(record), &record) != 0;
}

bool GetLogPen(HPEN handle, LOGPEN& record) {
  return GetObjectA(handle, sizeof(record), &record) != 0;
}

bool IsNonLatinAbbrevCharset(BYTE charset, const std::string& text) {
  if (charset == DEFAULT_CHARSET) {
    CHARSETINFO info{};
    if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &info, TCI_SRCCODEPAGE))
      charset = static_cast<BYTE>(info.ciCharset);
  }
  const bool startsLatin = !text.empty() && CharByteLengthAt(text, 1) == 1 && static_cast<BYTE>(text[0]) < 0x80;
  return !startsLatin && (charset == GB2312_CHARSET || charset == CHINESEBIG5_CHARSET || charset == ARABIC_CHARSET);
}
