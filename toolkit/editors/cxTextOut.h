// The toolkit's own multi-line text layout: text is broken into rows for a rectangle (word, character
// or no wrapping), the rows are aligned (left, centre, right, justified; top, centre, bottom,
// distributed), the last visible row may end in an ellipsis and a selection range is drawn in its
// own colours. Everything works on a device context with its selected font and 8-bit text.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Graphics.h"
#include "Types.h"
#include "cxGraphics.h"

// Text-out flags.
inline constexpr uint32_t CXTO_LEFT = 0x0;
inline constexpr uint32_t CXTO_CENTER_HORIZONTALLY = 0x1;
inline constexpr uint32_t CXTO_RIGHT = 0x2;
inline constexpr uint32_t CXTO_JUSTIFY = 0x3;          // the last row of a paragraph stays unjustified
inline constexpr uint32_t CXTO_FULL_JUSTIFY = 0x4;     // every row justified
inline constexpr uint32_t CXTO_HORZ_ALIGN_MASK = 0x7;
inline constexpr uint32_t CXTO_TOP = 0x0;
inline constexpr uint32_t CXTO_CENTER_VERTICALLY = 0x10;
inline constexpr uint32_t CXTO_BOTTOM = 0x20;
inline constexpr uint32_t CXTO_DISTRIBUTE_VERTICALLY = 0x30;
inline constexpr uint32_t CXTO_VERT_ALIGN_MASK = 0x30;
inline constexpr uint32_t CXTO_PREVENT_LEFT_EXCEED = 0x40;
inline constexpr uint32_t CXTO_PREVENT_TOP_EXCEED = 0x80;
inline constexpr uint32_t CXTO_WORDBREAK = 0x100;
inline constexpr uint32_t CXTO_SINGLELINE = 0x200;
inline constexpr uint32_t CXTO_EXPANDTABS = 0x400;
inline constexpr uint32_t CXTO_END_ELLIPSIS = 0x800;
inline constexpr uint32_t CXTO_EXTERNALLEADING = 0x2000;
inline constexpr uint32_t CXTO_EDITCONTROL = 0x4000;   // strict last row
inline constexpr uint32_t CXTO_NOCLIP = 0x8000;
inline constexpr uint32_t CXTO_AUTOINDENTS = 0x10000;  // kept for callers; the layout ignores it
inline constexpr uint32_t CXTO_CHARBREAK = 0x20000;
inline constexpr uint32_t CXTO_CALCRECT = 0x100000;
inline constexpr uint32_t CXTO_CALCROWCOUNT = 0x200000;

enum TcxTextHorzAlignment : uint8_t { thaLeft, thaCenter, thaRight, thaJustify, thaFullJustify };
enum TcxTextVertAlignment : uint8_t { tvaTop, tvaCenter, tvaBottom, tvaDistribute };

struct TcxTextLayoutParams {
  int CharHeight = 0;
  int ExternalLeading = 0;
  int RowHeight = 0;
  int EllipsisWidth = 0;
  uint8_t BreakChar = ' ';
  TcxTextHorzAlignment HorzAlignment = thaLeft;
  TcxTextVertAlignment VertAlignment = tvaTop;
  bool WordBreak = false, SingleLine = false, ExpandTabs = false, EndEllipsis = false;
  bool UseExternalLeading = false, EditControl = false, NoClip = false, AutoIndents = false;
  bool PreventLeftExceed = false, PreventTopExceed = false, CharBreak = false, CalcRowCount = false, CalcRect = false;
  int MaxCharWidth = 0;
  uint8_t CharSet = 0;

  bool IsJustified() const { return HorzAlignment == thaJustify || HorzAlignment == thaFullJustify; }
};

struct TcxTextRow {
  const char* Text = nullptr;  // inside the whole text
  int Length = 0;
  int Width = 0, Height = 0;
  int BreakCount = 0;
  int X = 0, Y = 0;
  int StartOffset = 0;
};
using TcxTextRows = std::vector<TcxTextRow>;

void InitTextParams(HDC dc, uint32_t flags, TcxTextLayoutParams& params);
void InitTextParamsFromCanvas(TcxCanvas* canvas, uint32_t flags, TcxTextLayoutParams& params);
TSize MeasureText(HDC dc, const char* text, int length, bool expandTabs);
int FitCharCount(HDC dc, const TcxTextLayoutParams& params, const char* text, int length, int width, int& fitWidth);
void BuildTextRow(HDC dc, const char*& text, int& remaining, TcxTextRow& row, const TcxTextLayoutParams& params,
                  bool lastRow, int width);
// False when the maximum line count cut the text.
bool BuildTextRows(HDC dc, const char* text, const TRect& rect, int maxLineCount, TcxTextRows& rows,
                   const TcxTextLayoutParams& params);
void PlaceTextRows(const TRect& rect, TcxTextLayoutParams& params, TcxTextRows& rows);
void DrawTextRows(HDC dc, const TRect& rect, const TcxTextLayoutParams& params, bool ellipsisOnLastRow,
                  TColor selectionTextColor, TColor selectionBackground, int selectionLength, int selectionStart,
                  const TcxTextRows& rows);
int MaxRowWidth(const TcxTextRows& rows, int count);
// The clip region before the call (none when there was none); RestoreClipRegion selects it again.
HRGN IntersectClipWithRect(HDC dc, const TRect& rect);
void RestoreClipRegion(HDC dc, HRGN& saved);

struct TcxTextOutSelection {
  int Start = 0;
  int Length = 0;
  TColor Background = clHighlight;
  TColor TextColor = clHighlightText;
};

// The text height (or the row count with CXTO_CALCROWCOUNT, or when the height is 0); with
// CXTO_CALCRECT the rectangle is measured instead of drawn.
int ToolkitTextOut(HDC dc, const std::string& text, TRect& rect, uint32_t flags,
                   const TcxTextOutSelection& selection = {}, int maxLineCount = 0, int leftIndent = 0,
                   int rightIndent = 0);
int ToolkitTextOut(TcxCanvas* canvas, const std::string& text, TRect& rect, uint32_t flags,
                   const TcxTextOutSelection& selection = {}, int maxLineCount = 0, int leftIndent = 0,
                   int rightIndent = 0);
// Without selection, in the canvas font's colour.
int DrawTextOnCanvas(TcxCanvas* canvas, const std::string& text, TRect& rect, uint32_t flags, int maxLineCount = 0,
                     int leftIndent = 0, int rightIndent = 0);
// Without selection, in the context's current text colour.
int DrawTextOnDC(HDC dc, const std::string& text, TRect& rect, uint32_t flags, int maxLineCount = 0,
                 int leftIndent = 0, int rightIndent = 0);
