// Shared by the framed-suite tests: the modules in their start-up order, once per process, and a
// few pixel helpers.
#pragma once
#include <windows.h>

#include "FormReader.h"
#include "Forms.h"
#include "Graphics.h"
#include "RzFramedUnits.h"
#include "cxBaseUnits.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

inline void StartFramedTestUnits() {
  StartToolkitBaseUnits();
  StartUnits({&dxUxThemeUnit, &dxThemeManagerUnit, &FormReaderUnit});
  StartFramedUnits();
}

// The RGB value of a pixel of a canvas.
inline COLORREF PixelAt(TCanvas* canvas, int x, int y) { return GetPixel(canvas->Handle(), x, y); }
inline COLORREF Rgb(TColor color) { return ColorToRGB(color); }

// A white 24-bit bitmap to draw on.
inline void ClearTo(TBitmap& bitmap, TColor color) {
  bitmap.Canvas()->Brush()->SetColor(color);
  bitmap.Canvas()->FillRect({0, 0, bitmap.Width(), bitmap.Height()});
}
