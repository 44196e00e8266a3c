// Draws the toolkit base's sample sheets as .bmp files, for looking at (not a test: nothing here
// can fail by its pixels): canvas_sample.bmp (what the canvas wrapper offers), cursors_sample.bmp
// (every toolkit cursor on a light and a dark stripe) and filters_sample.bmp (one strip per bitmap
// filter over a colour gradient with a transparent hole). Usage: toolkit_base_sheets [folder].
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Forms.h"
#include "cxBaseUnits.h"
#include "cxControlsRoutines.h"
#include "cxGeometry.h"
#include "cxGraphics.h"

namespace {

void DrawCanvasSheet(const std::string& file) {
  TBitmap sheet(240, 120, TPixelFormat::pf32bit);
  TcxCanvas c(sheet.Canvas());
  c.FillRectColor(TRect(0, 0, 240, 120), clBtnFace);
  c.Draw3DEdgeRing(TRect(4, 4, 60, 40), false, true);
  c.Draw3DEdgeRing(TRect(5, 5, 59, 39), false, false);
  c.Draw3DEdgeRing(TRect(64, 4, 120, 40), true, true);
  c.Draw3DEdgeRing(TRect(65, 5, 119, 39), true, false);
  c.FrameRect(TRect(124, 4, 180, 40), clNavy, 3);
  c.FrameRectTwoColor(TRect(184, 4, 236, 40), clRed, clLime, cxBordersAll, 2);
  c.GetFont()->SetColor(clWindowText);
  c.GetBrush()->SetStyle(TBrushStyle::bsClear);
  c.DrawText("Enabled", TRect(4, 44, 116, 64), cxAlignHCenter | cxAlignVCenter | cxSingleLine);
  c.DrawText("Disabled", TRect(120, 44, 236, 64), cxAlignHCenter | cxAlignVCenter | cxSingleLine, false);
  c.DrawText("A longer text broken into lines", TRect(4, 68, 116, 116), cxAlignLeft | cxAlignBottom | cxWordBreak);
  c.DrawWideFocusRect(TRect(120, 68, 236, 116), 2);
  c.DrawText("&Prefix and an end ellipsis that is cut", TRect(124, 72, 232, 90),
             cxAlignLeft | cxAlignVCenter | cxSingleLine | cxShowPrefix | cxShowEndEllipsis);
  sheet.SaveToFile(file);
}

void DrawCursorSheet(const std::string& file) {
  TBitmap sheet(15 * 36, 72, TPixelFormat::pf32bit);
  TCanvas* c = sheet.Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(TRect(0, 0, sheet.Width(), 36));
  c->Brush()->SetColor(clNavy);
  c->FillRect(TRect(0, 36, sheet.Width(), 72));
  for (int i = 0; i < 15; ++i)
    for (int row = 0; row < 2; ++row)
      DrawIconEx(c->Handle(), i * 36 + 2, row * 36 + 2, Screen->Cursors(crcxDragCopy + i), 32, 32, 0, nullptr, DI_NORMAL);
  sheet.SaveToFile(file);
}

void DrawFilterSheet(const std::string& file) {
  const int w = 48, h = 24;
  TcxBitmap sheet(w * 10, h);
  for (int mode = 0; mode < 10; ++mode) {
    TcxBitmap strip(w, h);
    std::vector<TcxPixel> p(w * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool hole = x >= 18 && x < 30 && y >= 6 && y < 18;
        p[y * w + x] = hole ? 0x00FF00FF : 0xFF000000u | (x * 5 << 16) | (y * 10 << 8) | (255 - x * 5);
      }
    strip.SetPixels(p);
    AddTransparentColor(strip.TransparentColors, clFuchsia);
    if (mode == cxbfChecker)
      strip.DrawChecker(clWhite, clGray, 4, 128, 128);
    else
      strip.Filter(mode);
    strip.MakeOpaque();
    sheet.BlitRectFrom(&strip, RectBounds(mode * w, 0, w, h), SRCCOPY, TPoint(0, 0));
  }
  sheet.SaveToFile(file);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? IncludeTrailingPathDelimiter(argv[1]) : std::string();
  try {
    StartToolkitBaseUnits();
    for (auto [name, draw] : {std::pair{"canvas_sample.bmp", &DrawCanvasSheet},
                              std::pair{"cursors_sample.bmp", &DrawCursorSheet},
                              std::pair{"filters_sample.bmp", &DrawFilterSheet}}) {
      draw(folder + name);
      std::printf("%s%s\n", folder.c_str(), name);
    }
    StopUnits();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "toolkit_base_sheets: %s\n", e.what());
    return 1;
  }
  return 0;
}
