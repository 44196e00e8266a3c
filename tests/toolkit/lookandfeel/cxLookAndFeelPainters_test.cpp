#include "calderan_test.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "cxGraphicsGlyphs.h"
#include "lookandfeel_fixture.h"
#include "painter_sweep.h"

// A painter that changes one inner part: every composite drawing of the base must pick it up.
class TRedButtonPainter : public TcxStandardLookAndFeelPainter {
  CALDERAN_CLASS(TRedButtonPainter)
  static TcxCustomLookAndFeelPainterClass Instance() {
    static const TRedButtonPainter instance;
    return &instance;
  }
  TColor ButtonColor(TcxButtonState state) const override {
    return state == cxbsHot ? clRed : TcxStandardLookAndFeelPainter::ButtonColor(state);
  }
  TColor ContentColor() const override { return clYellow; }
  int HeaderBorderWidth() const override { return 3; }

 protected:
  constexpr TRedButtonPainter() = default;
};
CALDERAN_IMPLEMENT_CLASS(TRedButtonPainter, TcxStandardLookAndFeelPainter)

namespace {

TcxCustomLookAndFeelPainterClass Base() { return TcxCustomLookAndFeelPainter::Instance(); }

class BasePainter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartLookAndFeelUnits(); }
};

TEST_F(BasePainter, MetricsAndColourDefaults) {
  EXPECT_EQ(Base()->ButtonGlyphColor(cxbsDisabled, clRed), clBtnShadow);
  EXPECT_EQ(Base()->ButtonGlyphColor(cxbsNormal, clDefault), clBtnText);
  EXPECT_EQ(Base()->ButtonGlyphColor(cxbsHot, clRed), clRed);
  EXPECT_EQ(Base()->ButtonFocusBounds(nullptr, TRect(0, 0, 6, 6)), TRect(0, 0, 6, 6)) << "an empty inset gives the rect";
  EXPECT_EQ(Base()->ButtonFocusBounds(nullptr, TRect(0, 0, 20, 20)), TRect(4, 4, 16, 16));
  EXPECT_EQ(KindOfDrawingStyle(3), lfStandard);
  EXPECT_EQ(KindOfDrawingStyle(4), lfOffice11);
  EXPECT_EQ(ScrollBarArrowDirection(false, sbpLineUp), adUp);
  EXPECT_EQ(ScrollBarArrowDirection(false, sbpLineDown), adDown);
  EXPECT_EQ(ScrollBarArrowDirection(true, sbpLineUp), adLeft);
  EXPECT_EQ(ScrollBarArrowDirection(true, sbpPageDown), adRight);
  EXPECT_EQ(Base()->CheckGlyphSize(), cxCheckGlyphSize());
  EXPECT_GT(Base()->CheckGlyphSize().cx, 0);
  EXPECT_EQ(Base()->FooterCellTextBounds(TRect(0, 0, 20, 10)), TRect(2, 2, 18, 8));
  EXPECT_EQ(Base()->HeaderHeight(13), 17);
  EXPECT_EQ(Base()->SortMarkAreaSize(), TPoint(16, 0));
  // The painters differ in their drawing style; the defaults chain through the inner colour.
  EXPECT_EQ(TcxWinXPLookAndFeelPainter::Instance()->DrawingStyle(), 3);
  EXPECT_EQ(TRedButtonPainter::Instance()->ContentEvenColor(), clYellow);
  EXPECT_EQ(TRedButtonPainter::Instance()->CategoryColor(), clBtnFace);
}

TEST_F(BasePainter, HeaderBoundsAndWidthFollowTheBorderWidth) {
  auto red = TRedButtonPainter::Instance();
  const TRect r(10, 10, 50, 30);
  EXPECT_EQ(red->HeaderContentBounds(r, {bLeft, bBottom}), TRect(13, 10, 50, 27));
  EXPECT_EQ(red->HeaderOuterBounds(r, {}, cxBordersAll), r) << "all borders are drawn";
  TPainterSurface s(10, 10);
  const int text = s.Canvas()->TextWidth("Column");
  EXPECT_EQ(red->HeaderWidth(s.Canvas(), cxBordersAll, "Column", nullptr), text + 4);
  EXPECT_EQ(red->HeaderWidth(s.Canvas(), {bLeft}, "Column", nullptr), text + 7);
  EXPECT_EQ(red->HeaderWidth(s.Canvas(), {bRight}, "Column", nullptr), text + 1);
}

TEST_F(BasePainter, ArrowTriangleOfANineByNineRect) {
  TPoint p[3];
  TcxCustomLookAndFeelPainter::CalcArrowTriangle(TRect(0, 0, 9, 9), p, adDown, true);
  // A = 3: a 5 x 3 triangle whose top edge lies at MulDiv(0 + 9 - 3, 1, 2) = 3.
  EXPECT_EQ(p[0], TPoint(2, 3));
  EXPECT_EQ(p[1], TPoint(6, 3));
  EXPECT_EQ(p[2], TPoint(4, 5));
  TcxCustomLookAndFeelPainter::CalcArrowTriangle(TRect(0, 0, 9, 9), p, adRight, true);
  EXPECT_EQ(p[0], TPoint(3, 2));
  EXPECT_EQ(p[1], TPoint(5, 4));
  EXPECT_EQ(p[2], TPoint(3, 6));
}

TEST_F(BasePainter, NavigationButtonLayoutCentresTheGlyph) {
  TRect bounds(0, 0, 20, 100), text, glyph;
  Base()->NavigationButtonLayout(nbdNext, true, {}, {}, bounds, text, glyph);
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_EQ(bounds, TRect(0, 33, 20, 66)) << "21 rows of glyph area and 12 of margins, centred";
  EXPECT_EQ(glyph, TRect(6, 46, 13, 53));
  bounds = TRect(0, 0, 20, 100);
  Base()->NavigationButtonLayout(nbdPrevious, false, {80, 10}, {30, 10}, bounds, text, glyph);
  // Inner area 0..18 x 6..94; the text needs 80 rows but has 94 - 14 - (6 + 21 + 5) = 48, so glyph,
  // text and bounds make room for the 32 missing rows.
  EXPECT_EQ(text, TRect(0, 0, 18, 112));
  EXPECT_EQ(bounds, TRect(0, -32, 20, 132));
  EXPECT_EQ(glyph, TRect(5, -19, 12, -12));
}

TEST_F(BasePainter, ButtonInEachStateAtTellingPixels) {
  struct {
    TcxButtonState State;
    TColor Text;
    TColor Emboss;
  } cases[] = {{cxbsDefault, clBtnText, clNone},
               {cxbsNormal, clBtnText, clNone},
               {cxbsHot, clBtnText, clNone},
               {cxbsPressed, clBtnText, clNone},
               {cxbsDisabled, clBtnShadow, clBtnHighlight}};
  const TRect button(0, 0, 60, 24), caption(10, 2, 50, 22);
  for (auto c : cases) {
    TPainterSurface s(70, 30);
    Base()->PaintButton(s.Canvas(), button, "Wm", c.State);
    EXPECT_EQ(s.Pixel(0, 0), ColorToRGB(clBtnFace)) << c.State;
    EXPECT_EQ(s.Pixel(59, 23), ColorToRGB(clBtnFace)) << c.State;
    EXPECT_EQ(s.Pixel(60, 10), 0x123456) << "nothing outside the rectangle, state " << c.State;
    EXPECT_GT(s.Count(caption, c.Text), 5) << "caption colour, state " << c.State;
    if (c.Emboss != clNone) {
      EXPECT_GT(s.Count(caption, c.Emboss), 5) << "embossed disabled text";
      EXPECT_EQ(s.Count(caption, clBtnText), 0);
    }
  }
  // A painter that colours only the hot face changes the whole button drawing.
  TPainterSurface s(70, 30);
  TRedButtonPainter::Instance()->PaintButton(s.Canvas(), button, "", cxbsHot);
  EXPECT_EQ(s.Pixel(30, 12), ColorToRGB(clRed));
  TRedButtonPainter::Instance()->PaintArrowButton(s.Canvas(), button, cxbsNormal, adDown, true);
  EXPECT_EQ(s.Pixel(4, 4), ColorToRGB(clBtnFace));
}

TEST_F(BasePainter, CheckBoxTickColours) {
  struct {
    TcxButtonState State;
    TcxCheckBoxState Check;
    TColor Tick, Face;
  } cases[] = {{cxbsNormal, cbsChecked, clBtnText, clWindow},
               {cxbsNormal, cbsGrayed, clGrayText, clWindow},
               {cxbsDisabled, cbsChecked, clGrayText, clBtnFace},
               {cxbsPressed, cbsUnchecked, clNone, clBtnFace}};
  for (auto c : cases) {
    TPainterSurface s(20, 20);
    const TRect box(2, 2, 15, 15);
    Base()->PaintCheckBox(s.Canvas(), box, c.State, c.Check);
    EXPECT_EQ(s.Pixel(4, 4), ColorToRGB(c.Face)) << c.State << "/" << c.Check;
    EXPECT_EQ(s.Pixel(2, 2), 0x123456) << "the base draws no border";
    if (c.Tick != clNone)
      EXPECT_GT(s.Count(box, c.Tick), 10) << c.State << "/" << c.Check;
    else
      EXPECT_EQ(s.Count(TRect(4, 4, 13, 13), ColorToRGB(c.Face)), 81);
  }
}

bool DrawnByHandler(void*, TcxCanvas*, const TRect&) { return true; }

TEST_F(BasePainter, TextCellHandlerKeepsTheBackgroundButTheTextIsDrawn) {
  TPainterSurface s(80, 20);
  const TcxDrawBackgroundEvent handler(&DrawnByHandler, nullptr);
  Base()->PaintTextCell(s.Canvas(), TRect(0, 0, 80, 20), TRect(0, 0, 80, 20), cxbsNormal, taCenter, vaCenter, false,
                        false, "Mm", nullptr, clRed, clBlue, handler, false);
  EXPECT_EQ(s.Count(TRect(0, 0, 80, 20), clBlue), 0);
  EXPECT_GT(s.Count(TRect(0, 0, 80, 20), clRed), 5);
  Base()->PaintTextCell(s.Canvas(), TRect(0, 0, 80, 20), TRect(0, 0, 80, 20), cxbsNormal, taCenter, vaCenter, false,
                        false, "", nullptr, clRed, clBlue, nullptr, false);
  EXPECT_EQ(s.Pixel(0, 0), ColorToRGB(clBlue));
}

TEST_F(BasePainter, IndicatorImagesAndEmptyBackgrounds) {
  TPainterSurface s(20, 20);
  Base()->PaintIndicatorImage(s.Canvas(), TRect(0, 0, 20, 20), ikNone);
  Base()->FillAreaBackground(s.Canvas(), TRect(0, 0, 20, 20), true, clRed, nullptr);
  EXPECT_EQ(s.Count(TRect(0, 0, 20, 20), 0x123456), 400) << "nothing drawn";
  ASSERT_NE(cxIndicatorImages(), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(cxIndicatorImages()), 6);
  Base()->PaintIndicatorImage(s.Canvas(), TRect(0, 0, 20, 20), ikArrow);
  // The 8 x 9 arrow lies centred at (6, 5); its white is transparent.
  EXPECT_EQ(s.Pixel(8, 6), 0x000000);
  EXPECT_EQ(s.Pixel(6, 5), 0x123456);
  EXPECT_EQ(s.Count(TRect(0, 0, 6, 20), 0x000000), 0);
}

TEST_F(BasePainter, RadioButtonPicturesAreIndexedByTheirState) {
  TcxRadioButtonImageList* images = GetRadioButtonImages();
  EXPECT_EQ(images->GetImageIndex(lfOffice11, cxbsDisabled, true, true, false), 95);
  EXPECT_EQ(images->Count(), 128);
  const TSize cell = cxCheckGlyphSize();
  const TSize size = images->GetSize();
  EXPECT_LE(size.cx, cell.cx);
  EXPECT_LE(size.cy, cell.cy);
  EXPECT_EQ(Base()->RadioButtonSize(), size);
  TPainterSurface s(size.cx, size.cy);
  Base()->PaintRadioButton(s.Canvas(), 0, 0, cxbsNormal, true, false, clDefault);
  EXPECT_EQ(s.Pixel(0, 0), 0x123456) << "clDefault leaves the pixels outside the circle";
  const TcxRadioButtonMeasures& m = images->Measures();
  EXPECT_EQ(s.Pixel((m.DotLeft + m.DotRight) / 2 - m.Left, (m.DotTop + m.DotBottom) / 2 - m.Top),
            ColorToRGB(clWindowText))
      << "the check dot";
  Base()->PaintRadioButton(s.Canvas(), 0, 0, cxbsNormal, true, false, clRed);
  EXPECT_EQ(s.Pixel(0, 0), ColorToRGB(clRed));
}

// ---------------------------------------------------------------------------------------------
// Every drawing part of the base painter in every state: no crash, no GDI object left behind, the
// canvas's brush, pen, font, clipping and saved states as they were, and nothing outside the part.

TEST_F(BasePainter, SweepOfEveryPartAndState) {
  auto parts = PainterParts(Base());
  const int width = 5 * (cellWidth + margin) + margin, height = static_cast<int>(parts.size()) * (cellHeight + margin) + margin;
  TPainterSurface sheet(width, height, 0xE0E0E0);
  sheet.Canvas()->GetFont()->SetColor(clPurple);
  sheet.Canvas()->GetPen()->SetColor(clLime);
  sheet.Canvas()->GetBrush()->SetColor(clAqua);
  DrawSheet(sheet, parts, false);  // the shared pictures are made on first use
  const int objects = GdiObjectCount();
  ASSERT_GT(objects, 0);
  DrawSheet(sheet, parts, true);
  EXPECT_EQ(GdiObjectCount(), objects) << "GDI objects left behind";
  // Nothing is drawn in the margins between the cells.
  for (size_t row = 0; row <= parts.size(); ++row)
    EXPECT_EQ(sheet.Count(TRect(0, static_cast<int>(row) * (cellHeight + margin), width, static_cast<int>(row) * (cellHeight + margin) + margin), 0xE0E0E0),
              width * margin) << "margin above row " << row;
  sheet.Save("base_painter_parts.bmp");

  auto empty = PartsLeftToTheLooks(Base());
  TPainterSurface blank(width, static_cast<int>(empty.size()) * (cellHeight + margin) + margin, 0xE0E0E0);
  DrawSheet(blank, empty, true);
  EXPECT_EQ(blank.Count(TRect(0, 0, width, static_cast<int>(empty.size()) * (cellHeight + margin) + margin), 0xE0E0E0),
            width * (static_cast<int>(empty.size()) * (cellHeight + margin) + margin))
      << "an operation that draws nothing touched the canvas";
}

// ---------------------------------------------------------------------------------------------
// An image list's glyphs through the painter and the glyph drawing

// Three 16 x 16 glyphs: a blue disc with a soft edge (alpha), a green arrow with a mask, and a red
// cross on fuchsia that the list takes as transparent.
void FillGlyphList(TcxImageList& list) {
  TcxBitmap disc(16, 16);
  std::vector<TcxPixel> pixels(256);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const double d = std::hypot(x - 7.5, y - 7.5);
      const int a = std::clamp(static_cast<int>((7.5 - d) * 170), 0, 255);
      pixels[(15 - y) * 16 + x] = (TcxPixel(a) << 24) | (90 << 8) | 200;  // colours not multiplied by alpha
    }
  disc.SetPixels(pixels);
  list.Add(&disc, nullptr);

  TBitmap arrow(16, 16, TPixelFormat::pf24bit), mask(16, 16, TPixelFormat::pf24bit);
  mask.Canvas()->Brush()->SetColor(clWhite);
  mask.Canvas()->FillRect(TRect(0, 0, 16, 16));
  const std::vector<TPoint> triangle{{3, 2}, {13, 8}, {3, 14}};
  arrow.Canvas()->Brush()->SetColor(clGreen);
  arrow.Canvas()->Pen()->SetColor(clGreen);
  arrow.Canvas()->Polygon(triangle);
  mask.Canvas()->Brush()->SetColor(clBlack);
  mask.Canvas()->Pen()->SetColor(clBlack);
  mask.Canvas()->Polygon(triangle);
  list.Add(&arrow, &mask);

  TBitmap cross(16, 16, TPixelFormat::pf24bit);
  cross.Canvas()->Brush()->SetColor(clFuchsia);
  cross.Canvas()->FillRect(TRect(0, 0, 16, 16));
  cross.Canvas()->Brush()->SetColor(clRed);
  cross.Canvas()->FillRect(TRect(6, 1, 10, 15));
  cross.Canvas()->FillRect(TRect(1, 6, 15, 10));
  list.AddMasked(&cross, clFuchsia);
}

constexpr int glyphCell = 40;

// Per row (image): six glyph modes over a button, the navigator glyph enabled and disabled, and
// the image stretched smoothly to 32 x 32.
void DrawGlyphSheet(TPainterSurface& s, TcxImageList& list, bool check) {
  const TcxImageDrawMode modes[] = {idmNormal, idmDisabled, idmFaded, idmGrayScale, idmLightened, idmShadowed};
  for (int row = 0; row < list.Count(); ++row)
    for (int column = 0; column < 9; ++column) {
      const TRect cell = Bounds(column * (glyphCell + margin) + margin, row * (glyphCell + margin) + margin, glyphCell, glyphCell);
      const TRect glyph = Bounds(cell.Left + 12, cell.Top + 12, 16, 16);
      const TCanvasSnapshot before = Snapshot(s.Canvas());
      Base()->PaintButton(s.Canvas(), cell, "", cxbsNormal);
      if (column < 6)
        DrawImageGlyph(s.Canvas()->GetHandle(), glyph, cell, nullptr, &list, row, modes[column]);
      else if (column < 8)
        Base()->PaintNavigatorGlyph(s.Canvas(), &list, row, 0, glyph, column == 6, true);
      else
        list.DrawInRect(row, s.Canvas()->Canvas(), Bounds(cell.Left + 4, cell.Top + 4, 32, 32), dsNormal, true, true, true);
      if (check) EXPECT_TRUE(Snapshot(s.Canvas()) == before) << "image " << row << " column " << column << " left the canvas changed";
    }
}

TEST_F(BasePainter, ImageListGlyphsThroughThePainterAndEveryMode) {
  TcxImageList list(nullptr, 16, 16);
  FillGlyphList(list);
  const int width = 9 * (glyphCell + margin) + margin, height = 3 * (glyphCell + margin) + margin;
  TPainterSurface sheet(width, height, 0xE0E0E0);
  DrawGlyphSheet(sheet, list, false);  // scratch bitmaps are made on first use
  const int objects = GdiObjectCount();
  DrawGlyphSheet(sheet, list, true);
  EXPECT_EQ(GdiObjectCount(), objects) << "GDI objects left behind";
  sheet.Save("image_list_glyphs.bmp");

  auto at = [&](int row, int column, int x, int y) {
    return sheet.Pixel(column * (glyphCell + margin) + margin + x, row * (glyphCell + margin) + margin + y);
  };
  const TColor face = at(0, 0, 4, 20);  // the button around the glyph
  EXPECT_EQ(at(0, 0, 20, 20), RGB(0, 90, 200)) << "the disc's opaque centre";
  const COLORREF edge = at(0, 0, 12 + 7, 12 + 1);  // on the disc's soft rim
  EXPECT_NE(edge, static_cast<COLORREF>(face));
  EXPECT_NE(edge, RGB(0, 90, 200));
  const COLORREF grey = at(0, 1, 20, 20);
  EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey)) << "disabled is grey";
  EXPECT_EQ(at(1, 0, 12 + 1, 12 + 1), static_cast<COLORREF>(face)) << "the arrow's mask";
  EXPECT_EQ(at(1, 0, 12 + 6, 12 + 8), ColorToRGB(clGreen));
  EXPECT_EQ(at(2, 6, 12 + 8, 12 + 8), ColorToRGB(clRed)) << "navigator glyph";
  EXPECT_EQ(at(2, 6, 12 + 2, 12 + 2), static_cast<COLORREF>(face));
  EXPECT_EQ(sheet.Count(TRect(0, 0, width, height), clFuchsia), 0) << "the mask colour never shows";
  const COLORREF stretched = at(0, 8, 20, 20);
  EXPECT_NEAR(GetGValue(stretched), 90, 3);
  EXPECT_NEAR(GetBValue(stretched), 200, 3);
}

}  // namespace
