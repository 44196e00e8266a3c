// Text rows: fitting by whole-prefix measurement (halving, then bisecting), row breaking, placing
// and drawing with ellipsis and selection.
#include "cxTextOut.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <tuple>

namespace {

constexpr char ellipsis[] = "...";
constexpr int ellipsisLength = 3;
// Tab-aware measuring of longer texts takes one DrawText call.
constexpr int longTabbedText = 4096;

bool IsMultiByteLocale() { return GetSystemMetrics(SM_DBCSENABLED) != 0; }

int CharLengthAt(const char* text, int index, int remaining) {
  if (remaining > 1 && IsMultiByteLocale() && IsDBCSLeadByte(static_cast<BYTE>(text[index]))) return 2;
  return 1;
}

bool IsBreakChar(char c) { return c == ' ' || c == '\t'; }

// The row being built is the last one the rectangle shows.
bool IsLastRow(const TcxTextLayoutParams& params, int accumulated, int height, int maxLineCount, int rowsBefore) {
  if (params.SingleLine) return true;
  if (params.VertAlignment == tvaTop && !params.CalcRect)
    return height < accumulated || (params.EditControl && !params.NoClip && height < accumulated + params.RowHeight);
  return maxLineCount >= 1 && rowsBefore + 1 == maxLineCount;
}

int PartialExtent(HDC dc, const char* text, int length, int count) {
  if (count <= 0) return 0;
  std::vector<int> extents(length);
  SIZE size;
  int fit = 0;
  if (!GetTextExtentExPointA(dc, text, length, INT_MAX, &fit, extents.data(), &size)) return 0;
  return extents[std::min(count, length) - 1];
}

void DrawRowText(HDC dc, const TcxTextLayoutParams& params, const TcxTextRow& row, int length) {
  if (params.ExpandTabs) TabbedTextOutA(dc, row.X, row.Y, row.Text, length, 0, nullptr, row.X);
  else TextOutA(dc, row.X, row.Y, row.Text, length);
}

struct TRowPainter {
  HDC dc;
  const TRect& rect;
  const TcxTextLayoutParams& params;
  COLORREF selectionText;
  HBRUSH selectionBrush;
  int selectionStart, selectionEnd;

  // Draws the selected part of the row; true when it also drew the ellipsis at the row's end.
  bool DrawSelection(const TcxTextRow& row, int length, bool ellipsisDue, int ellipsisX) {
    const int start = std::max(selectionStart, row.StartOffset) - row.StartOffset;
    const int end = std::min(selectionEnd, row.StartOffset + length) - row.StartOffset;
    if (end <= start) return false;
    int left = row.X + PartialExtent(dc, row.Text, length, start);
    int right = row.X + PartialExtent(dc, row.Text, length, end);
    if (IsNonLatinAbbrevCharset(params.CharSet, std::string(row.Text, length))) {
      const int rowRight = row.X + row.Width;
      std::tie(left, right) = std::pair(rowRight - (right - row.X), rowRight - (left - row.X));
    }
    const RECT r{left, row.Y, right, row.Y + params.RowHeight};
    if (r.right <= r.left) return false;
    if (selectionBrush) FillRect(dc, &r, selectionBrush);
    HRGN saved = IntersectClipWithRect(dc, TRect(r));
    const COLORREF oldColor = SetTextColor(dc, selectionText);
    DrawRowText(dc, params, row, length);
    const bool reachesEnd = ellipsisDue && end >= length;
    if (reachesEnd) TextOutA(dc, ellipsisX, row.Y, ellipsis, ellipsisLength);
    SetTextColor(dc, oldColor);
    RestoreClipRegion(dc, saved);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    return reachesEnd;
  }

  void DrawEllipsis(int x, int y) {
    RECT band{x, y, rect.Right, y + params.RowHeight};
    if (band.right <= band.left) return;
    const bool fits = band.right - band.left >= params.EllipsisWidth;
    ExtTextOutA(dc, x, y, !params.NoClip && !fits ? ETO_CLIPPED : 0, &band, ellipsis, ellipsisLength, nullptr);
  }

  void DrawRow(TcxTextRow row, bool isLast, bool ellipsisWanted) {
    const bool ellipsisDue = params.EndEllipsis && isLast && (ellipsisWanted || row.Width > rect.Width());
    bool justified = false;
    if (params.IsJustified() && !ellipsisDue && row.BreakCount > 0 && rect.Width() - row.Width > 0) {
      SetTextJustification(dc, rect.Width() - row.Width, row.BreakCount);
      justified = true;
    }
    HRGN saved = nullptr;
    const bool clip = !params.NoClip && (row.Width > rect.Width() || row.Y < rect.Top || row.Y + params.RowHeight > rect.Bottom);
    if (clip) saved = IntersectClipWithRect(dc, TRect(rect.Left, std::max<int>(row.Y, rect.Top), rect.Right,
                                                      std::min<int>(row.Y + params.RowHeight, rect.Bottom)));
    if (ellipsisDue) FitRowBeforeEllipsis(row);
    const int ellipsisX = rect.Left + row.Width;
    const bool ellipsisDrawn = DrawSelection(row, row.Length, ellipsisDue, ellipsisX);
    DrawRowText(dc, params, row, row.Length);
    if (ellipsisDue && !ellipsisDrawn) DrawEllipsis(ellipsisX, row.Y);
    if (justified) SetTextJustification(dc, 0, 0);
    if (clip) RestoreClipRegion(dc, saved);
  }

  void FitRowBeforeEllipsis(TcxTextRow& row) {
    const int room = std::max(0, static_cast<int>(rect.Width()) - params.EllipsisWidth);
    int fit = 0;
    SIZE size;
    GetTextExtentExPointA(dc, row.Text, row.Length, room, &fit, nullptr, &size);
    row.Length = fit > 0 ? fit : std::min(row.Length, CharLengthAt(row.Text, 0, row.Length));
    row.Width = MeasureText(dc, row.Text, row.Length, params.ExpandTabs).cx;
  }
};

int ResultOf(const TcxTextLayoutParams& params, int rowCount, int height) {
  return params.CalcRowCount || height == 0 ? rowCount : height;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Parameters and measuring

void InitTextParams(HDC dc, uint32_t flags, TcxTextLayoutParams& params) {
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  params = {};
  params.UseExternalLeading = flags & CXTO_EXTERNALLEADING;
  params.CharHeight = metrics.tmHeight;
  params.ExternalLeading = params.UseExternalLeading ? metrics.tmExternalLeading : 0;
  params.RowHeight = params.CharHeight + params.ExternalLeading;
  params.EndEllipsis = flags & CXTO_END_ELLIPSIS;
  params.EllipsisWidth = params.EndEllipsis ? MeasureText(dc, ellipsis, ellipsisLength, false).cx : 0;
  params.BreakChar = metrics.tmBreakChar;
  params.HorzAlignment = static_cast<TcxTextHorzAlignment>(std::min<uint32_t>(flags & CXTO_HORZ_ALIGN_MASK, thaFullJustify));
  params.VertAlignment = static_cast<TcxTextVertAlignment>((flags & CXTO_VERT_ALIGN_MASK) >> 4);
  params.WordBreak = flags & CXTO_WORDBREAK;
  params.SingleLine = flags & CXTO_SINGLELINE;
  params.ExpandTabs = flags & CXTO_EXPANDTABS;
  params.EditControl = flags & CXTO_EDITCONTROL;
  params.NoClip = flags & CXTO_NOCLIP;
  params.AutoIndents = flags & CXTO_AUTOINDENTS;
  params.PreventLeftExceed = flags & CXTO_PREVENT_LEFT_EXCEED;
  params.PreventTopExceed = flags & CXTO_PREVENT_TOP_EXCEED;
  params.CharBreak = (flags & CXTO_CHARBREAK) || IsMultiByteLocale();
  params.CalcRowCount = flags & CXTO_CALCROWCOUNT;
  params.CalcRect = flags & CXTO_CALCRECT;
  params.MaxCharWidth = metrics.tmMaxCharWidth;
  params.CharSet = metrics.tmCharSet;
}

void InitTextParamsFromCanvas(TcxCanvas* canvas, uint32_t flags, TcxTextLayoutParams& params) {
  canvas->SetFont(canvas->GetFont());  // makes sure the font is selected into the handle
  InitTextParams(canvas->GetHandle(), flags, params);
}

TSize MeasureText(HDC dc, const char* text, int length, bool expandTabs) {
  if (!expandTabs) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text, length, &size);
    return TSize(size.cx, size.cy);
  }
  if (length > longTabbedText) {
    RECT r{};
    const int height = DrawTextA(dc, text, length, &r, DT_NOPREFIX | DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
    return TSize(r.right - r.left, height);
  }
  const DWORD extent = GetTabbedTextExtentA(dc, text, length, 0, nullptr);
  return TSize(LOWORD(extent), HIWORD(extent));
}

int FitCharCount(HDC dc, const TcxTextLayoutParams& params, const char* text, int length, int width, int& fitWidth) {
  auto measure = [&](int count) { return MeasureText(dc, text, count, params.ExpandTabs).cx; };
  if (static_cast<double>(MeasureText(dc, text, length, false).cx) / width > 8.0) {
    fitWidth = 0;
    return 1;
  }
  int k = length;
  int measured = measure(k);
  while (k > 1 && measured > width) measured = measure(k /= 2);
  int lo = k, hi = length, mid = k;
  while (lo <= hi) {
    mid = (lo + hi) / 2;
    measured = measure(mid);
    const int difference = lo == hi ? 0 : measured - width;
    if (difference < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (difference == 0) break;
    }
  }
  if (measured > width && mid > 1) {
    --mid;
    measured = measure(mid);
  }
  fitWidth = measured;
  return mid;
}

// ---------------------------------------------------------------------------------------------
// Rows

void BuildTextRow(HDC dc, const char*& text, int& remaining, TcxTextRow& row, const TcxTextLayoutParams& params,
                  bool lastRow, int width) {
  row = {};
  if (!text) return;
  int fitWidth = 0;
  const int fit = FitCharCount(dc, params, text, remaining, std::max(width, 1), fitWidth);
  const bool wrapping = !params.SingleLine && (params.WordBreak || params.IsJustified());
  const bool charWrapping = wrapping && params.CharBreak;
  const bool ellipsisRow = lastRow && params.EndEllipsis && !params.IsJustified() && !params.EditControl && !params.NoClip;
  const bool measuring = wrapping || ellipsisRow || params.SingleLine;
  int lastBreak = -1, rowWidth = 0;
  for (int i = 0; i < remaining;) {
    const int charLength = CharLengthAt(text, i, remaining - i);
    row.Length = i + charLength;
    const char c = text[i];
    if (IsBreakChar(c)) {
      ++row.BreakCount;
      lastBreak = i;
    } else if ((c == '\r' || c == '\n') && !ellipsisRow && !params.SingleLine) {
      row.Length = i;
      if (params.HorzAlignment == thaJustify) row.BreakCount = 0;
      break;
    }
    if (measuring) {
      if (i < fit) rowWidth = fitWidth;
      else if (params.ExpandTabs) rowWidth = MeasureText(dc, text, row.Length, true).cx;
      else rowWidth += MeasureText(dc, text + i, charLength, false).cx;
      if (rowWidth > width) {
        if (ellipsisRow || params.SingleLine) break;
        if (lastBreak >= 0) {
          row.Length = lastBreak + 1;
          break;
        }
        if (charWrapping) {
          if (i > 0) row.Length = i;
          break;
        }
      }
    }
    i += charLength;
  }
  row.Text = text;
  if (params.IsJustified())
    while (row.Length > 0 && IsBreakChar(text[row.Length - 1])) {
      --row.Length;
      if (row.BreakCount > 0) --row.BreakCount;
    }
  const TSize extent = MeasureText(dc, text, row.Length, params.ExpandTabs);
  row.Width = extent.cx;
  row.Height = extent.cy;
  text += row.Length;
  remaining -= row.Length;
  auto skip = [&](char c) {
    if (remaining <= 0 || *text != c) return false;
    ++text, --remaining;
    return true;
  };
  while (skip(' ')) {
  }
  skip('\t');
  const bool paragraphEnd = skip('\r');
  skip('\n');
  if ((remaining == 0 || paragraphEnd) && params.HorzAlignment == thaJustify) row.BreakCount = 0;
}

bool BuildTextRows(HDC dc, const char* text, const TRect& rect, int maxLineCount, TcxTextRows& rows,
                   const TcxTextLayoutParams& params) {
  rows.clear();
  if (!text) return true;
  int remaining = static_cast<int>(strlen(text));
  if (params.CalcRect && params.SingleLine) {
    TcxTextRow row;
    row.Text = text;
    row.Length = remaining;
    const TSize extent = MeasureText(dc, text, remaining, params.ExpandTabs);
    row.Width = extent.cx, row.Height = extent.cy;
    rows.push_back(row);
    return true;
  }
  const char* cursor = text;
  int accumulated = 0;
  for (bool last = false; remaining > 0 && !last;) {
    accumulated += params.RowHeight;
    last = IsLastRow(params, accumulated, rect.Height(), maxLineCount, static_cast<int>(rows.size()));
    const int offset = static_cast<int>(cursor - text);
    TcxTextRow row;
    BuildTextRow(dc, cursor, remaining, row, params, last, rect.Width());
    row.StartOffset = offset;
    rows.push_back(row);
    if (maxLineCount > 0 && static_cast<int>(rows.size()) == maxLineCount) break;
  }
  const bool cut = !params.SingleLine && !params.CalcRect && maxLineCount > 0 &&
                   static_cast<int>(rows.size()) == maxLineCount && remaining > 0;
  return !cut;
}

void PlaceTextRows(const TRect& rect, TcxTextLayoutParams& params, TcxTextRows& rows) {
  const int n = static_cast<int>(rows.size());
  if (n == 0) return;
  int spare = 0;
  if (params.VertAlignment == tvaDistribute && n > 1) {
    const int gap = rect.Height() - params.CharHeight;
    if (params.CharHeight < static_cast<double>(gap) / (n - 1)) {
      params.RowHeight = gap / (n - 1);
      spare = gap % (n - 1);
    }
  }
  int y = rect.Top;
  switch (params.VertAlignment) {
    case tvaCenter: y = (rect.Height() - n * params.RowHeight) / 2 + rect.Top; break;
    case tvaBottom: y = rect.Bottom - n * params.RowHeight + params.ExternalLeading; break;
    default: break;
  }
  if (params.PreventTopExceed) y = std::max<int>(y, rect.Top);
  for (TcxTextRow& row : rows) {
    switch (params.HorzAlignment) {
      case thaCenter: row.X = (rect.Width() - row.Width) / 2 + rect.Left; break;
      case thaRight: row.X = rect.Right - row.Width; break;
      default: row.X = rect.Left;
    }
    if (params.PreventLeftExceed) row.X = std::max<int>(row.X, rect.Left);
    row.Y = y;
    y += params.RowHeight;
    if (spare > 0) ++y, --spare;
  }
}

int MaxRowWidth(const TcxTextRows& rows, int count) {
  int result = 0;
  for (int i = 0; i < std::min<int>(count, rows.size()); ++i) result = std::max(result, rows[i].Width);
  return result;
}

HRGN IntersectClipWithRect(HDC dc, const TRect& rect) {
  HRGN saved = CreateRectRgn(0, 0, 0, 0);
  if (GetClipRgn(dc, saved) != 1) {
    DeleteObject(saved);
    saved = nullptr;
  }
  IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
  return saved;
}

void RestoreClipRegion(HDC dc, HRGN& saved) {
  SelectClipRgn(dc, saved);
  if (saved) DeleteObject(saved);
  saved = nullptr;
}

void DrawTextRows(HDC dc, const TRect& rect, const TcxTextLayoutParams& params, bool ellipsisOnLastRow,
                  TColor selectionTextColor, TColor selectionBackground, int selectionLength, int selectionStart,
                  const TcxTextRows& rows) {
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  HBRUSH brush = nullptr;
  if (selectionLength > 0 && selectionBackground != clNone) brush = CreateSolidBrush(ColorToRGB(selectionBackground));
  TRowPainter painter{dc, rect, params, ColorToRGB(selectionTextColor), brush, selectionStart,
                      selectionLength > 0 ? selectionStart + selectionLength : selectionStart};
  for (size_t i = 0; i < rows.size(); ++i) {
    const bool isLast = i + 1 == rows.size();
    if (rows[i].Length > 0) painter.DrawRow(rows[i], isLast, ellipsisOnLastRow);
    else if (isLast && ellipsisOnLastRow && params.EndEllipsis) painter.DrawEllipsis(rect.Left, rows[i].Y);
  }
  if (brush) DeleteObject(brush);
  SetBkMode(dc, oldMode);
}

// ---------------------------------------------------------------------------------------------
// Entries

int ToolkitTextOut(HDC dc, const std::string& text, TRect& rect, uint32_t flags, const TcxTextOutSelection& selection,
                   int maxLineCount, int leftIndent, int rightIndent) {
  if (text.empty()) return 0;
  TcxTextLayoutParams params;
  InitTextParams(dc, flags, params);
  TRect r(rect.Left + leftIndent, rect.Top, rect.Right - rightIndent, rect.Bottom);
  if (params.CalcRect ? r.Width() <= 0 : r.IsEmpty()) return 0;
  TcxTextRows rows;
  const bool whole = BuildTextRows(dc, text.c_str(), r, maxLineCount, rows, params);
  if (rows.empty()) return 0;
  if (params.CalcRect) {
    if (maxLineCount > 0 && maxLineCount < static_cast<int>(rows.size())) rows.resize(maxLineCount);
    r.Right = r.Left + MaxRowWidth(rows, static_cast<int>(rows.size()));
    if (!params.SingleLine) {
      BuildTextRows(dc, text.c_str(), r, maxLineCount, rows, params);
      if (maxLineCount > 0 && maxLineCount < static_cast<int>(rows.size())) rows.resize(maxLineCount);
    }
    PlaceTextRows(r, params, rows);
    r.Bottom = rows.back().Y + params.CharHeight;
    rect = TRect(r.Left - leftIndent, r.Top, r.Right + rightIndent, r.Bottom);
  } else {
    bool forceEllipsis = false;
    if (maxLineCount > 0 && static_cast<int>(rows.size()) >= maxLineCount) {
      rows.resize(maxLineCount);
      forceEllipsis = !whole && params.EndEllipsis && params.EditControl && !params.SingleLine;
    }
    PlaceTextRows(r, params, rows);
    int start = selection.Start, length = selection.Length;
    if (start < 0 || start >= static_cast<int>(text.size())) length = 0;
    else length = std::min<int>(length, text.size() - start);
    DrawTextRows(dc, r, params, forceEllipsis, selection.TextColor, selection.Background, length, start, rows);
  }
  const int height = rows.back().Y + params.CharHeight - r.Top;
  return ResultOf(params, static_cast<int>(rows.size()), height);
}

int ToolkitTextOut(TcxCanvas* canvas, const std::string& text, TRect& rect, uint32_t flags,
                   const TcxTextOutSelection& selection, int maxLineCount, int leftIndent, int rightIndent) {
  canvas->SetFont(canvas->GetFont());
  return ToolkitTextOut(canvas->GetHandle(), text, rect, flags, selection, maxLineCount, leftIndent, rightIndent);
}

int DrawTextOnCanvas(TcxCanvas* canvas, const std::string& text, TRect& rect, uint32_t flags, int maxLineCount,
                     int leftIndent, int rightIndent) {
  HDC dc = canvas->GetHandle();
  const COLORREF old = SetTextColor(dc, ColorToRGB(canvas->GetFont()->Color()));
  const int result = ToolkitTextOut(canvas, text, rect, flags, {0, 0}, maxLineCount, leftIndent, rightIndent);
  SetTextColor(dc, old);
  return result;
}

int DrawTextOnDC(HDC dc, const std::string& text, TRect& rect, uint32_t flags, int maxLineCount, int leftIndent,
                 int rightIndent) {
  return ToolkitTextOut(dc, text, rect, flags, {0, 0}, maxLineCount, leftIndent, rightIndent);
}
