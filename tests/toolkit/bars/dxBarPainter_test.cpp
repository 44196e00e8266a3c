#include "calderan_test.h"

#include <vector>

#include "bars_fixture.h"
#include "dxBarDrawRoutines.h"
#include "dxBarFlatPainter.h"
#include "dxBarOffice11Painter.h"
#include "dxBarPainter.h"
#include "dxBarXPPainter.h"

namespace {

class BarPainter : public BarFixture {
 protected:
  // A white surface with the bar's font, and draw parameters of the test control on it.
  TdxBarItemControlDrawParams& Params(TPainterSurface& surface, int viewStructure) {
    surface.Canvas()->SetFont(manager_->Font());
    TdxBarItemControlDrawParams& p = control_->DrawParams();
    p.Canvas = surface.Canvas();
    p.ViewStructure = viewStructure;
    p.GlyphAreaSize = TdxBarPainter::Instance()->CalcButtonSize(16);
    p.Caption = "Convert";
    return p;
  }
  static int LeftmostColumnWith(TPainterSurface& s, const TRect& r, TColor color) {
    for (int x = r.Left; x < r.Right; ++x)
      if (s.Count({x, r.Top, x + 1, r.Bottom}, color) > 0) return x;
    return -1;
  }
};

TEST_F(BarPainter, MetricsFollowTheManagerAndTheSystem) {
  TdxBarPainterClass p = TdxBarPainter::Instance();
  struct TArrowCase {
    int Width;
    bool LargeIcons;
    int Expected;
  } const arrows[] = {{11, false, 11}, {11, true, 23}, {12, false, 13}, {22, false, 23}};
  for (const TArrowCase& c : arrows) {
    manager_->SetButtonArrowWidth(c.Width);
    manager_->ImageOptions()->SetLargeIcons(c.LargeIcons);
    EXPECT_EQ(p->GetButtonArrowWidth(manager_), c.Expected) << c.Width << " " << c.LargeIcons;
  }
  const int borders[] = {0, 1, 1, 2, 2};
  for (int style = 0; style < 5; ++style) {
    const int w = borders[style];
    EXPECT_EQ(TdxBarPainter::GetStaticBorderRect(style), TRect(w, w, w, w)) << style;
  }
  EXPECT_EQ(p->GetMenuScrollArrowSize(20), 5);
  EXPECT_EQ(p->GetComboArrowWidth(bar_, 8), 15);
  EXPECT_TRUE(p->IsSmallFloatingCaption(bar_, {0, 0, 50, 16}));
  EXPECT_FALSE(p->IsSmallFloatingCaption(bar_, {0, 0, 50, 17}));
  EXPECT_EQ(p->CalcMenuArrowWidth(19), 13);
  EXPECT_EQ(p->GetSeparatorMargin(), 2);
  EXPECT_EQ(p->GetEllipsisButtonWidth(ptHorz, {0, 0, 40, 20}), 16);
  EXPECT_EQ(p->CalcSpinArrowSize(20), TSize(7, 4));
  EXPECT_EQ(p->CalcButtonSize(16), TSize(23, 22));
  EXPECT_EQ(p->CalcEditHeight(bar_, 13), 13 + 9);
  EXPECT_EQ(p->GetFloatingCaptionHeight(), ReadNonClientMetrics().iSmCaptionHeight);
  EXPECT_EQ(p->GetFloatingCaptionTotalHeight(bar_), p->GetFloatingCaptionHeight() + 1);
  // the bar's text line: "Wg" in the bar font plus 6
  TPainterSurface s(10, 10);
  s.Canvas()->SetFont(manager_->Font());
  EXPECT_EQ(bar_->TextSize(), s.Canvas()->TextHeight("Wg") + 6);
}

TEST_F(BarPainter, TextColoursOfEachStateAndLook) {
  struct TCase {
    TdxBarPainterClass Painter;
    bool Enabled, Selected;
    TColor Text, Shadow;
  } const cases[] = {
      {TdxBarPainter::Instance(), true, false, clBtnText, clBtnText},
      {TdxBarPainter::Instance(), true, true, clHighlightText, clHighlightText},
      {TdxBarPainter::Instance(), false, false, clBtnShadow, clBtnHighlight},
      {TdxBarPainter::Instance(), false, true, clGrayText, clGrayText},
      {TdxBarFlatPainter::Instance(), true, true, clBtnText, clBtnText},
      {TdxBarFlatPainter::Instance(), false, false, clGrayText, clGrayText},
  };
  for (const TCase& c : cases) {
    TColor text = clNone, shadow = clNone;
    c.Painter->GetItemTextColors(control_.get(), c.Enabled, text, shadow, c.Painter->IsFlatLook(), c.Selected);
    EXPECT_EQ(text, c.Text) << c.Painter->ClassName() << c.Enabled << c.Selected;
    EXPECT_EQ(shadow, c.Shadow) << c.Painter->ClassName() << c.Enabled << c.Selected;
  }
}

TEST_F(BarPainter, CaptionPlacementBesideTheGlyphOrTheIndent) {
  TPainterSurface s(200, 80, clWhite);
  TdxBarPainterClass p = TdxBarPainter::Instance();
  TdxBarItemControlDrawParams& params = Params(s, cvsCaption);
  manager_->Font()->SetSize(8);
  TRect text = {10, 0, 100, 22};
  int alignment = -1;
  p->CalcButtonTextRect(params, {}, text, alignment);
  EXPECT_EQ(text.Left, 10 + 4);  // half of the 8-point font's size
  EXPECT_EQ(alignment, 0);
  params.ViewStructure = cvsCaption | cvsGlyph;
  text = {10, 0, 100, 22};
  p->CalcButtonTextRect(params, {}, text, alignment);
  EXPECT_EQ(text.Left, 10 + params.GlyphAreaSize.cx);
  // a sub-item's indent: half the font's pixel height
  EXPECT_EQ(p->GetHalfFontHeight(control_.get()), -manager_->Font()->Height() / 2);

  params.ViewSize = cvsLarge;
  const TRect glyph = {40, 10, 72, 42};
  struct TCase {
    TdxBarGlyphLayout Layout;
    TRect Text;
    int Alignment;
  } const cases[] = {
      {glLeft, {75, 0, 150, 60}, 0},
      {glRight, {0, 0, 37, 60}, 2},
      {glTop, {0, 42, 150, 60}, 1},
      {glBottom, {0, 0, 150, 10}, 1},
  };
  for (const TCase& c : cases) {
    control_->Layout = c.Layout;
    text = {0, 0, 150, 60};
    p->CalcButtonTextRect(params, glyph, text, alignment);
    EXPECT_EQ(text, c.Text) << c.Layout;
    EXPECT_EQ(alignment, c.Alignment) << c.Layout;
  }
}

TEST_F(BarPainter, DisabledCaptionsAreEmbossedExceptInFlatLooks) {
  const TColor face = clWhite;
  for (TdxBarPainterClass p : {TdxBarPainter::Instance(), TdxBarFlatPainter::Instance()}) {
    TPainterSurface s(120, 30, face);
    s.Canvas()->SetFont(manager_->Font());
    p->DrawItemText(control_.get(), s.Canvas()->GetHandle(), DT_SINGLELINE, true, false, false, false, false, 0,
                    {2, 2, 118, 28}, "Disabled");
    const TRect all{0, 0, 120, 30};
    if (p->IsFlatLook()) {
      EXPECT_GT(s.Count(all, clGrayText), 0);
      EXPECT_EQ(s.Count(all, clBtnShadow) - (ColorToRGB(clBtnShadow) == ColorToRGB(clGrayText) ? s.Count(all, clGrayText) : 0), 0);
    } else {
      EXPECT_GT(s.Count(all, clBtnShadow), 0);
      EXPECT_GT(s.Count(all, clBtnHighlight), 0);  // the copy one pixel lower right
    }
  }
}

TEST_F(BarPainter, ButtonGlyphIsPlacedStoredAndGreyedWhenDisabled) {
  TBitmap glyph;
  glyph.SetSize(16, 16);
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect({0, 0, 16, 16});
  glyph.Canvas()->SetPixel(0, 15, clBlack);  // the glyph's transparent colour
  control_->Glyph = &glyph;
  for (bool enabled : {true, false}) {
    TPainterSurface s(100, 30, clWhite);
    TdxBarItemControlDrawParams& params = Params(s, cvsGlyph | cvsCaption);
    params.Enabled = enabled;
    control_->Enabled = enabled;
    TdxBarPainter::Instance()->DrawButton(params, {0, 0, 100, 22});
    const TRect image = control_->ViewInfo()->ImageBounds();
    EXPECT_EQ(image, TRect(3, 3, 19, 19)) << enabled;  // centred in the 23 x 22 glyph area
    EXPECT_EQ(s.Count(image, clRed) == 16 * 16 - 1, enabled) << enabled;
  }
}

TEST_F(BarPainter, ADroppedDownArrowMovesOnlyWhenWiderThanNinePixels) {
  for (int width : {9, 11}) {
    int columns[2];
    for (bool dropped : {false, true}) {
      TPainterSurface s(40, 30, clWhite);
      TdxBarItemControlDrawParams& params = Params(s, cvsCaption);
      params.DroppedDown = dropped;
      TdxBarPainter::Instance()->DrawButtonArrow(params, {10, 0, 10 + width, 22});
      columns[dropped] = LeftmostColumnWith(s, {0, 0, 40, 30}, clBtnText);
    }
    ASSERT_GE(columns[0], 0);
    EXPECT_EQ(columns[1] - columns[0], width > 9 ? 1 : 0) << width;
  }
}

// Every painter draws a button in every state without leaking a GDI object and leaves the device
// context's text colour, background mode and clipping as it found them.
TEST_F(BarPainter, EveryPainterDrawsEveryButtonStateCleanly) {
  TBitmap glyph;
  glyph.SetSize(16, 16);
  control_->Glyph = &glyph;
  const TdxBarPainterClass painters[] = {TdxBarPainter::Instance(),         TdxBarStandardPainter::Instance(),
                                         TdxBarEnhancedPainter::Instance(), TdxBarXPPainter::Instance(),
                                         TdxBarFlatPainter::Instance(),     TdxBarOffice11Painter::Instance()};
  TPainterSurface s(120, 60, clWhite);
  HDC dc = s.Canvas()->GetHandle();
  Params(s, cvsGlyph | cvsCaption);
  // First-use caches: the glyph routine's scratch bitmaps and the visual style's part images.
  for (TdxBarPainterClass p : painters)
    for (int state : {0, 2, 8, 18, 20}) {
      TdxBarItemControlDrawParams& params = control_->DrawParams();
      params.DrawSelected = (state & 2) != 0, params.Pressed = (state & 8) != 0, params.Down = (state & 4) != 0;
      params.DropDown = params.IsButton = (state & 16) != 0;
      params.ArrowSize = {11, 5};
      p->DrawButton(params, {0, 0, 110, 50});
    }
  const int before = GdiObjectCount();
  for (TdxBarPainterClass p : painters) {
    for (int state = 0; state < 64; ++state) {
      TdxBarItemControlDrawParams& params = Params(s, cvsGlyph | cvsCaption);
      params.Enabled = (state & 1) == 0;
      params.DrawSelected = (state & 2) != 0;
      params.Down = (state & 4) != 0;
      params.Pressed = control_->Pressed = (state & 8) != 0;
      params.DropDown = params.IsButton = (state & 16) != 0;
      params.ViewSize = (state & 32) ? cvsLarge : cvsSmall;
      params.ArrowSize = {11, 5};
      const COLORREF textColor = GetTextColor(dc);
      const int mode = GetBkMode(dc);
      p->DrawButton(params, {0, 0, 110, 50});
      EXPECT_EQ(GetTextColor(dc), textColor) << p->ClassName() << state;
      EXPECT_EQ(GetBkMode(dc), mode) << p->ClassName() << state;
      HRGN clip = CreateRectRgn(0, 0, 0, 0);
      EXPECT_EQ(GetClipRgn(dc, clip), 0) << p->ClassName() << state;
      DeleteObject(clip);
    }
  }
  control_->Pressed = false;
  EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
