// Small routines shared by the label and the progress bar: rectangle helpers, text-drawing flags
// for either text output, and the selection of a turned font.
#pragma once
#include <windows.h>

#include <cstdint>

#include "Graphics.h"
#include "StdCtrls.h"
#include "Types.h"

// The vertical placement of an editor's text.
enum TcxEditVertAlignment : uint8_t { taTopJustify, taBottomJustify, taVCenter };

void ExtendRectSides(TRect& rect, int dLeft, int dTop, int dRight, int dBottom);
int ClampedRectWidth(const TRect& rect);
int ClampedRectHeight(const TRect& rect);

struct TcxTextFlagOptions {
  TAlignment HorzAlignment = taLeftJustify;
  TcxEditVertAlignment VertAlignment = taTopJustify;
  bool EndEllipsis = false;
  bool WordBreak = false;
  int TabWidth = 0;
  // The platform's DrawText flags rather than the toolkit canvas's.
  bool PlatformFlags = false;
  bool ShowPrefix = false;
};
uint32_t BuildTextFlags(uint32_t initialFlags, const TcxTextFlagOptions& options);

// The canvas font becomes the font, turned by the angle when it is TrueType; answers whether it is.
bool SelectRotatedFont(TCanvas* canvas, TFont* font, int angle);
