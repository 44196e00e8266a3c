// The canvas and region wrappers, checked by the pixels they leave in a DIB section.
#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "cxBaseUnits.h"
#include "cxGeometry.h"
#include "cxGraphics.h"

static void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

namespace {

constexpr COLORREF White = RGB(255, 255, 255), Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255),
                   Lime = RGB(0, 255, 0);

TRect Box(const TcxRegion& region) {
  RECT r{};
  GetRgnBox(region.Handle(), &r);
  return r;
}

TEST(Region, CombineModes) {
  struct Case { TcxRegionCombineMode mode; bool in5, in15, in25; } cases[] = {
      // R = (0, 0, 20, 20), O = (10, 0, 30, 20); probes at x = 5, 15, 25
      {roSet, false, true, true},
      {roAdd, true, true, true},
      {roSubtract, true, false, false},
      {roIntersect, false, true, false},
  };
  for (const Case& c : cases) {
    TcxRegion r(0, 0, 20, 20);
    r.Combine(new TcxRegion(10, 0, 30, 20), c.mode);  // freed by Combine
    EXPECT_EQ(PtInRegion(r.Handle(), 5, 5) != 0, c.in5) << int(c.mode);
    EXPECT_EQ(PtInRegion(r.Handle(), 15, 5) != 0, c.in15) << int(c.mode);
    EXPECT_EQ(PtInRegion(r.Handle(), 25, 5) != 0, c.in25) << int(c.mode);
  }
  TcxRegion kept(0, 0, 5, 5), other(2, 2, 9, 9);
  kept.Combine(&other, roAdd, false);  // not freed
  EXPECT_EQ(Box(other), TRect(2, 2, 9, 9));
  EXPECT_EQ(Box(kept), TRect(0, 0, 9, 9));
}

TEST(Region, EmptinessEqualityOffsetAndRoundCorners) {
  TcxRegion empty, alsoEmpty(5, 5, 5, 9), square(0, 0, 4, 4);
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_TRUE(empty.IsEqual(&alsoEmpty));
  EXPECT_FALSE(square.IsEqual(nullptr));
  EXPECT_FALSE(square.IsEqual(&empty));
  square.Offset(10, -2);
  EXPECT_EQ(Box(square), TRect(10, -2, 14, 2));
  TcxRegion same(TRect(10, -2, 14, 2));
  EXPECT_TRUE(square.IsEqual(&same));
  EXPECT_TRUE(square.IsEqualHandle(same.Handle()));

  std::unique_ptr<TcxRegion> round(TcxRegion::CreateRoundRect(0, 0, 20, 20, 4, 4));
  // the left and top edges move in by one pixel, right and bottom stay
  TcxRegion platform(CreateRoundRectRgn(1, 1, 20, 20, 4, 4));
  EXPECT_TRUE(round->IsEqual(&platform));
  square.DestroyHandle();
  square.DestroyHandle();
  EXPECT_EQ(square.Handle(), nullptr);
}

// A white 40 x 30 picture with a toolkit canvas on it.
struct CanvasFixture : ::testing::Test {
  CanvasFixture() {
    StartToolkitBaseUnits();
    canvas.FillRectColor(TRect(0, 0, 40, 30), clWhite);
  }
  // Device coordinates, whatever the canvas's window origin.
  COLORREF At(int x, int y) {
    GdiFlush();
    const Byte* p = static_cast<const Byte*>(bitmap.ScanLine(y)) + 4 * x;
    return RGB(p[2], p[1], p[0]);
  }
  // Pixels of one colour in a rectangle (device coordinates).
  int Count(const TRect& r, COLORREF color) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += At(x, y) == color;
    return n;
  }
  TBitmap bitmap{40, 30, TPixelFormat::pf32bit};
  TcxCanvas canvas{bitmap.Canvas()};
};

TEST_F(CanvasFixture, NoClippingReadsAsTheLargeRectangleShiftedIntoLogicalCoordinates) {
  std::unique_ptr<TcxRegion> device(canvas.GetClipRegion(false));
  EXPECT_EQ(Box(*device), TRect(0, 0, 30000, 30000));
  canvas.SetWindowOrg(TPoint(5, 7));
  EXPECT_EQ(canvas.GetDeviceOffset(), TPoint(-5, -7));
  std::unique_ptr<TcxRegion> logical(canvas.GetClipRegion(true));
  EXPECT_EQ(Box(*logical), TRect(5, 7, 30005, 30007));
}

TEST_F(CanvasFixture, SavedClipRegionsRestoreEvenNoClipping) {
  canvas.SetWindowOrg(TPoint(-10, 0));  // logical 0 is device 10
  canvas.SaveClipRegion();              // no clipping
  canvas.SetClipRegion(new TcxRegion(0, 0, 5, 5), roSet);
  canvas.SaveClipRegion();
  canvas.IntersectClipRect(TRect(0, 0, 2, 2));
  canvas.FillRectColor(TRect(-10, 0, 30, 30), clRed);
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), Red), 4);
  EXPECT_EQ(At(10, 0), Red);
  canvas.RestoreClipRegion();  // the 5 x 5 square
  canvas.FillRectColor(TRect(-10, 0, 30, 30), clBlue);
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), Blue), 25);
  EXPECT_EQ(At(14, 4), Blue);
  canvas.RestoreClipRegion();  // none
  canvas.RestoreClipRegion();  // nothing saved: nothing happens
  canvas.FillRectColor(TRect(-10, 0, 30, 30), clLime);
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), Lime), 40 * 30);
}

TEST_F(CanvasFixture, SubtractingFromNoClippingLeavesEverythingElse) {
  canvas.SetClipRegion(new TcxRegion(10, 10, 20, 20), roSubtract);
  canvas.FillRectColor(TRect(0, 0, 40, 30), clRed);
  EXPECT_EQ(Count(TRect(10, 10, 20, 20), White), 100);
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), Red), 40 * 30 - 100);
}

TEST_F(CanvasFixture, ClipModesCombineWithTheCurrentClipping) {
  struct Case { TcxRegionCombineMode mode; int painted; } cases[] = {
      // current clip (0, 0, 20, 20); operand (10, 10, 30, 30)
      {roSet, 400}, {roAdd, 400 + 300}, {roSubtract, 300}, {roIntersect, 100},
  };
  for (const Case& c : cases) {
    canvas.SaveClipRegion();
    canvas.FillRectColor(TRect(0, 0, 40, 30), clWhite);
    canvas.SetClipRegion(new TcxRegion(0, 0, 20, 20), roSet);
    canvas.SetClipRegion(new TcxRegion(10, 10, 30, 30), c.mode);
    canvas.FillRectColor(TRect(0, 0, 40, 30), clRed);
    EXPECT_EQ(Count(TRect(0, 0, 40, 30), Red), c.painted) << int(c.mode);
    canvas.RestoreClipRegion();
  }
}

TEST_F(CanvasFixture, SettingALogicalRegionLeavesTheCallersRegionWhereItWas) {
  canvas.SetWindowOrg(TPoint(3, 4));
  TcxRegion region(0, 0, 10, 10);
  canvas.SetClipRegion(&region, roSet, true, false);
  EXPECT_EQ(Box(region), TRect(0, 0, 10, 10));
  std::unique_ptr<TcxRegion> clip(canvas.GetClipRegion(false));
  EXPECT_EQ(Box(*clip), TRect(-3, -4, 7, 6));
}

TEST_F(CanvasFixture, SavedStatesRestoreObjectsAndTheDeviceContext) {
  canvas.GetBrush()->SetColor(clRed);
  canvas.GetPen()->SetWidth(3);
  canvas.GetFont()->SetHeight(-20);
  canvas.SaveState();
  canvas.GetBrush()->SetColor(clBlue);
  canvas.GetPen()->SetWidth(1);
  canvas.GetFont()->SetHeight(-8);
  canvas.IntersectClipRect(TRect(0, 0, 1, 1));
  canvas.RestoreState();
  EXPECT_EQ(canvas.GetBrush()->Color(), clRed);
  EXPECT_EQ(canvas.GetPen()->Width(), 3);
  EXPECT_EQ(canvas.GetFont()->Height(), -20);
  EXPECT_EQ(canvas.SavedDCCount(), 0);
  canvas.FillRectColor(TRect(0, 0, 40, 30), clDefault);  // the clipping went with the DC state
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), Red), 40 * 30);

  canvas.SaveDC();
  canvas.RestoreState();  // no state saved: the DC stack stays as it is
  EXPECT_EQ(canvas.SavedDCCount(), 1);
  canvas.RestoreDC();
  canvas.RestoreDC();
  EXPECT_EQ(canvas.SavedDCCount(), 0);
}

TEST_F(CanvasFixture, FillsKnowNoColourAndDefaultColour) {
  canvas.GetBrush()->SetColor(clBlue);
  canvas.FillRectColor(TRect(0, 0, 10, 10), clNone);
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), White), 40 * 30);
  canvas.FillRectColor(TRect(0, 0, 10, 10), clDefault);
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), Blue), 100);
  canvas.FillRectColor(TRect(0, 0, 5, 5), clRed);
  EXPECT_EQ(canvas.GetBrush()->Color(), clRed);
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), Red), 25);
}

TEST_F(CanvasFixture, FrameStripsAreClampedTwoColourStripsAreNot) {
  canvas.FrameRect(TRect(2, 2, 6, 6), clRed, 10);
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), Red), 16);  // the whole rectangle, nothing outside
  canvas.FrameRect(TRect(10, 10, 20, 20), clBlue, 2, TcxBorders{bLeft, bBottom});
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), Blue), 20 + 20 - 4);
  canvas.FrameRect(TRect(30, 0, 30, 9), clBlue, 2);  // empty: nothing
  canvas.FrameRect(TRect(30, 0, 40, 9), clNone, 2);  // no colour: nothing
  canvas.FrameRectTwoColor(TRect(30, 0, 40, 9), clNone, clNone);
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), Blue), 36);
  EXPECT_EQ(Count(TRect(30, 0, 40, 9), White), 90);

  canvas.FillRectColor(TRect(0, 0, 40, 30), clWhite);
  canvas.FrameRectTwoColor(TRect(10, 10, 14, 14), clRed, clBlue, cxBordersAll, 6);
  // the right strip starts 6 pixels left of the right edge: past the left edge
  EXPECT_EQ(At(8, 12), Blue);
  EXPECT_EQ(At(15, 12), Red);
  EXPECT_EQ(At(12, 15), Red);
}

TEST_F(CanvasFixture, EdgeRingsUseTheSystemColours) {
  struct Case { bool sunken, outer; TColor leftTop, rightBottom; } cases[] = {
      {false, true, cl3DLight, cl3DDkShadow},
      {false, false, clBtnHighlight, clBtnShadow},
      {true, true, clBtnShadow, clBtnHighlight},
      {true, false, cl3DDkShadow, cl3DLight},
  };
  for (const Case& c : cases) {
    canvas.Draw3DEdgeRing(TRect(0, 0, 10, 10), c.sunken, c.outer);
    EXPECT_EQ(At(0, 5), ColorToRGB(c.leftTop));
    EXPECT_EQ(At(5, 0), ColorToRGB(c.leftTop));
    EXPECT_EQ(At(9, 5), ColorToRGB(c.rightBottom));
    EXPECT_EQ(At(5, 9), ColorToRGB(c.rightBottom));
  }
}

TEST_F(CanvasFixture, TilesLieOnAGridAnchoredAtLogicalZero) {
  TBitmap tile(3, 2, TPixelFormat::pf32bit);
  tile.Canvas()->Brush()->SetColor(clRed);
  tile.Canvas()->FillRect(TRect(0, 0, 3, 2));
  tile.Canvas()->SetPixel(0, 0, clBlue);  // marks each tile's origin
  // Logical coordinates run from -7 on: the grid reaches left of the origin too.
  canvas.SetWindowOrg(TPoint(-7, -5));
  canvas.FillRectTiled(TRect(-7, -5, 30, 22), &tile);
  for (int y = 0; y < 27; ++y)
    for (int x = 0; x < 37; ++x) {
      int lx = x - 7, ly = y - 5;
      bool origin = ((lx % 3) + 3) % 3 == 0 && ((ly % 2) + 2) % 2 == 0;
      ASSERT_EQ(At(x, y), origin ? Blue : Red) << "logical " << lx << ", " << ly;
    }
  EXPECT_EQ(At(37, 27), White);

  canvas.SetWindowOrg(TPoint(0, 0));
  canvas.FillRectColor(TRect(0, 0, 40, 30), clWhite);
  canvas.GetBrush()->SetColor(clLime);
  canvas.FillRectTiled(TRect(0, 0, 6, 4), nullptr, true);  // no bitmap: the brush; then clipped out
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), Lime), 24);
  canvas.FillRectColor(TRect(0, 0, 40, 30), clBlue);
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), Lime), 24);
}

TEST_F(CanvasFixture, BordersThenTheInsideWithTheViewParameters) {
  TcxViewParams params;
  params.Color = clBlue;
  canvas.FillRectWithBorders(TRect(0, 0, 10, 10), params, TcxBorders{bTop, bRight}, clRed, 2);
  EXPECT_EQ(Count(TRect(0, 0, 10, 10), Red), 20 + 20 - 4);
  EXPECT_EQ(Count(TRect(0, 2, 8, 10), Blue), 64);
  params.Color = clNone;  // the inside is left as it is
  canvas.FillRectWithBorders(TRect(20, 0, 30, 10), params, cxBordersAll, clRed, 1);
  EXPECT_EQ(Count(TRect(21, 1, 29, 9), White), 64);
  EXPECT_EQ(Count(TRect(20, 0, 30, 10), Red), 36);
}

TEST_F(CanvasFixture, InvertRectEndsInCopyMode) {
  canvas.SetCopyMode(SRCAND);
  canvas.InvertRect(TRect(0, 0, 4, 4));
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), RGB(0, 0, 0)), 16);
  EXPECT_EQ(canvas.CopyMode(), static_cast<DWORD>(SRCCOPY));
}

TEST(TextFlags, TranslationToThePlatformFlags) {
  struct Case { Cardinal flags; UINT expected; } cases[] = {
      {0, DT_NOPREFIX},
      {cxAlignLeft | cxAlignTop, DT_NOPREFIX},
      {cxAlignRight | cxAlignBottom | cxSingleLine, DT_NOPREFIX | DT_RIGHT | DT_BOTTOM | DT_SINGLELINE},
      {cxAlignHCenter | cxAlignVCenter | cxDontClip, DT_NOPREFIX | DT_CENTER | DT_VCENTER | DT_NOCLIP},
      {cxShowPrefix | cxExpandTabs, DT_EXPANDTABS},
      {cxWordBreak, DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL},
      {cxWordBreak | cxDontBreakChars, DT_NOPREFIX | DT_WORDBREAK},
      {cxDontBreakChars, DT_NOPREFIX},
      {cxShowEndEllipsis | cxDontPrint | cxShowPathEllipsis, DT_NOPREFIX | DT_END_ELLIPSIS | DT_CALCRECT | DT_PATH_ELLIPSIS},
  };
  for (const Case& c : cases) EXPECT_EQ(TextFlagsToDrawTextFlags(c.flags), c.expected) << std::hex << c.flags;
}

TEST_F(CanvasFixture, TextRectanglesAreMeasuredAndAlignedInside) {
  const TSize extent = canvas.TextExtent("Wide");
  ASSERT_GT(extent.cx, 0);
  ASSERT_GT(extent.cy, 0);
  EXPECT_EQ(canvas.TextWidth(""), 0);
  struct Case { Cardinal flags; TRect expected; } cases[] = {
      {cxAlignLeft | cxAlignTop | cxSingleLine, RectBounds(10, 10, extent.cx, extent.cy)},
      {cxAlignRight | cxAlignBottom | cxSingleLine, RectBounds(110 - extent.cx, 60 - extent.cy, extent.cx, extent.cy)},
      {cxAlignHCenter | cxAlignVCenter | cxSingleLine,
       RectBounds(10 + (100 - extent.cx) / 2, 10 + (50 - extent.cy) / 2, extent.cx, extent.cy)},
  };
  for (const Case& c : cases) {
    TRect r(10, 10, 110, 60);
    canvas.CalcTextRect("Wide", r, c.flags);
    EXPECT_EQ(r, c.expected) << std::hex << c.flags;
  }
  // No width: word breaking still gets one pixel to work with, and breaks after every word.
  TRect narrow(5, 5, 5, 5);
  canvas.CalcTextRect("Wide Wide", narrow, cxWordBreak);
  EXPECT_EQ(narrow.Left, 5);
  EXPECT_GE(RectHeight(narrow), 2 * extent.cy);
  TRect nothing(5, 5, 5, 5);
  canvas.CalcTextRect("", nothing, cxAlignLeft);
  EXPECT_EQ(RectWidth(nothing), 0);
}

TEST_F(CanvasFixture, MultiLineTextIsAlignedByItsMeasuredHeight) {
  const int line = canvas.TextHeight("Qq");
  struct Case { TcxAlignMultiLineKind kind; bool enabled; int top; } cases[] = {
      {amlNone, true, 0}, {amlBottom, true, 100 - 2 * line}, {amlBottom, false, 100 - 2 * line - 1},
      {amlCenter, true, (100 - 2 * line) / 2},
  };
  for (const Case& c : cases) {
    TRect r(0, 0, 200, 100);
    canvas.AlignMultiLineText(r, "one\ntwo", false, c.enabled, false, false, c.kind);
    EXPECT_EQ(r.Top, c.top) << int(c.kind);
    EXPECT_EQ(r.Bottom, 100);
  }
}

TEST_F(CanvasFixture, DisabledTextIsEmbossedHighlightFirst) {
  canvas.GetFont()->SetQuality(TFontQuality::fqNonAntialiased);  // exact colours
  canvas.GetFont()->SetColor(clBlack);
  canvas.GetBrush()->SetStyle(TBrushStyle::bsClear);
  canvas.DrawText("IIII", TRect(2, 2, 38, 28), cxAlignLeft | cxAlignTop | cxSingleLine, false);
  const COLORREF highlight = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
  const int shadows = Count(TRect(0, 0, 40, 30), shadow);
  ASSERT_GT(shadows, 0);
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), RGB(0, 0, 0)), 0);
  // Every shadow pixel of a vertical stroke has the highlight one pixel right of it unless the
  // shadow covers that pixel too: the highlight copy lies under, moved by (1, 1).
  int highlightsRightBelow = 0;
  for (int y = 0; y < 29; ++y)
    for (int x = 0; x < 39; ++x)
      if (At(x, y) == shadow && At(x + 1, y + 1) == highlight) ++highlightsRightBelow;
  EXPECT_GT(highlightsRightBelow, 0);
  EXPECT_EQ(canvas.GetFont()->Color(), clBlack);  // restored
  EXPECT_EQ(canvas.GetBrush()->Style(), TBrushStyle::bsClear);
}

TEST_F(CanvasFixture, TextThatDoesNotFitIsClipped) {
  canvas.GetFont()->SetColor(clRed);
  canvas.GetFont()->SetHeight(-20);
  canvas.GetBrush()->SetStyle(TBrushStyle::bsClear);
  // A single line right-aligned in a rectangle too small for it: nothing outside the rectangle.
  canvas.DrawText("MMMMMM", TRect(10, 10, 20, 20), cxAlignRight | cxSingleLine);
  int outside = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      if (!RectContainsXY(TRect(10, 10, 20, 20), x, y)) outside += At(x, y) != White;
  EXPECT_EQ(outside, 0);
  EXPECT_GT(Count(TRect(10, 10, 20, 20), White), 0);
  EXPECT_LT(Count(TRect(10, 10, 20, 20), White), 100);
}

TEST_F(CanvasFixture, RotatedFontsAndObjectsTakenFromAnotherDC) {
  canvas.RotateFont(90);
  LOGFONTA font{};
  GetObjectA(canvas.GetFont()->Handle(), sizeof font, &font);
  EXPECT_EQ(font.lfEscapement, 900);
  EXPECT_EQ(font.lfOutPrecision, OUT_TT_ONLY_PRECIS);

  HDC other = CreateCompatibleDC(nullptr);
  LOGBRUSH hatch{BS_HATCHED, RGB(1, 2, 3), HS_CROSS};
  HBRUSH brush = CreateBrushIndirect(&hatch);
  HPEN pen = CreatePen(PS_DOT, 1, RGB(4, 5, 6));
  HGDIOBJ oldBrush = SelectObject(other, brush), oldPen = SelectObject(other, pen);
  SetTextColor(other, RGB(7, 8, 9));
  SetROP2(other, R2_XORPEN);
  canvas.TakeObjectsFromDC(other);
  EXPECT_EQ(canvas.GetFont()->Color(), static_cast<TColor>(RGB(7, 8, 9)));
  EXPECT_EQ(canvas.GetBrush()->Color(), static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(canvas.GetBrush()->Style(), TBrushStyle::bsCross);
  EXPECT_EQ(canvas.GetPen()->Color(), static_cast<TColor>(RGB(4, 5, 6)));
  EXPECT_EQ(canvas.GetPen()->Style(), TPenStyle::psDot);
  EXPECT_EQ(canvas.GetPen()->Mode(), TPenMode::pmXor);
  SelectObject(other, oldBrush);
  SelectObject(other, oldPen);
  DeleteObject(brush);
  DeleteObject(pen);
  DeleteDC(other);
}

TEST_F(CanvasFixture, FocusRectanglesLookTheSameOnAnyBackground) {
  canvas.FillRectColor(TRect(0, 0, 40, 30), clBlue);
  canvas.DrawWideFocusRect(TRect(0, 0, 20, 20), 2);
  // Two dotted rings: the outer one along row 0, the inner one along row 1.
  EXPECT_NE(Count(TRect(0, 0, 20, 1), Blue), 20);
  EXPECT_NE(Count(TRect(1, 1, 19, 2), Blue), 18);
  EXPECT_EQ(Count(TRect(2, 2, 18, 18), Blue), 16 * 16);
}

TEST_F(CanvasFixture, ListImagesOnlyForIndexesInTheList) {
  TCustomImageList images(nullptr);
  images.SetWidth(4);
  images.SetHeight(4);
  TBitmap red(4, 4, TPixelFormat::pf24bit);
  red.Canvas()->Brush()->SetColor(clRed);
  red.Canvas()->FillRect(TRect(0, 0, 4, 4));
  ASSERT_EQ(images.Add(&red, nullptr), 0);
  for (int index : {-1, 1, 7}) canvas.DrawListImage(&images, 0, 0, index);
  canvas.DrawListImage(nullptr, 0, 0, 0);
  EXPECT_EQ(Count(TRect(0, 0, 40, 30), White), 40 * 30);
  canvas.DrawListImage(&images, 10, 10, 0);
  EXPECT_EQ(Count(TRect(10, 10, 14, 14), Red), 16);
  EXPECT_EQ(canvas.SavedDCCount(), 0);
}

TEST_F(CanvasFixture, ScreenCanvasMeasuresText) {
  TcxScreenCanvas* screen = SharedScreenCanvas();
  ASSERT_EQ(screen, SharedScreenCanvas());
  EXPECT_GT(screen->TextWidth("Measure"), 0);
  EXPECT_GT(screen->FontHeight(canvas.GetFont()), 0);
}

}  // namespace
