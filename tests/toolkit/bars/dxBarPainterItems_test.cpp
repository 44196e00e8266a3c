// The base painter's edit-like parts and the drawing of spin, ellipsis, progress, static and
// separator items.
#include "bars_fixture.h"
#include "calderan_test.h"
#include "dxBarPainter.h"
#include "lookandfeel_fixture.h"

namespace {

const TdxBarPainterClass painter = TdxBarPainter::Instance();

class PainterItems : public BarFixture {
 protected:
  TdxBarItemControlDrawParams& Params(TPainterSurface& surface) {
    TdxBarItemControlDrawParams& p = control_->DrawParams();
    p.BarItemControl = control_.get();
    p.Canvas = surface.Canvas();
    p.PaintType = ptHorz;
    p.Enabled = true;
    return p;
  }
  static TColor Highlight() { return static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT)); }
};

TEST_F(PainterItems, EllipsisButtonWidthAndItsRoom) {
  const TRect edit(0, 0, 120, 20);
  const TRect button = painter->CalcEllipsisButtonRect(ptHorz, {0, 0, 120, 20}, edit, true);
  EXPECT_EQ(button.Width(), 16);  // (20 - 4) div 7 * 7 + 4 - 2
  EXPECT_EQ(button.Right, 120 - 1);
  const struct {
    const char* Name;
    TRect Edit;
    bool Shown;
  } empty[] = {{"half the edit width or more", {0, 0, 36, 20}, true}, {"not shown", {0, 0, 120, 20}, false}};
  for (const auto& c : empty) {
    const TRect r = painter->CalcEllipsisButtonRect(ptHorz, {0, 0, 120, 20}, c.Edit, c.Shown);
    EXPECT_EQ(r.Left, r.Right) << c.Name;
  }
}

TEST_F(PainterItems, SpinButtonsSplitTheRightPartOrVanishWhenTooWide) {
  const TRect rect(0, 0, 100, 22), edit(0, 0, 100, 22);
  const TSize arrow = painter->CalcSpinArrowSize(22);
  EXPECT_EQ(arrow.cy, 4);  // ((22 div 2) - 2) div 2
  EXPECT_EQ(arrow.cx, 7);
  const TRect up = painter->CalcSpinButtonRect(ptHorz, rect, edit, 1);
  const TRect down = painter->CalcSpinButtonRect(ptHorz, rect, edit, 2);
  EXPECT_EQ(up.Bottom, 11);
  EXPECT_EQ(down.Top, 11);
  EXPECT_EQ(up.Left, down.Left);
  EXPECT_EQ(up.Right, 100 - 1);
  EXPECT_EQ(up.Width(), painter->GetSpinButtonsWidth(ptHorz, rect));
  const TRect none = painter->CalcSpinButtonRect(ptHorz, rect, {0, 0, 30, 22}, 1);
  EXPECT_EQ(none.Left, none.Right);
  const struct {
    bool Enabled;
    int Part, Pressed, Hot, State;
  } states[] = {{false, 3, 3, 3, 4}, {true, 3, 3, 4, 3}, {true, 3, 4, 3, 2}, {true, 3, 4, 4, 1}};
  for (const auto& s : states)
    EXPECT_EQ(painter->GetSpinButtonState(s.Enabled, s.Part, s.Pressed, s.Hot), s.State) << s.Part << s.Pressed << s.Hot;
}

TEST_F(PainterItems, ProgressBarAtMinimumDrawsOnlyTheBackgroundAndAtMaximumCutsTheLastBlock) {
  TPainterSurface surface(100, 12);
  painter->DrawProgressBar(Params(surface), {0, 0, 100, 12}, 0, 0, 100, false, clDefault);
  EXPECT_EQ(surface.Count({0, 0, 100, 12}, Highlight()), 0);
  painter->DrawProgressBar(Params(surface), {0, 0, 95, 12}, 100, 0, 100, false, clDefault);
  // Blocks of 8 pixels with 2-pixel gaps: the tenth starts at 90 and is cut at 95.
  EXPECT_EQ(surface.Count({90, 5, 100, 6}, Highlight()), 5);
  EXPECT_NE(surface.Pixel(8, 5), Highlight());
  EXPECT_EQ(surface.Pixel(10, 5), Highlight());
  painter->DrawProgressBar(Params(surface), {0, 0, 100, 12}, 50, 0, 100, true, clDefault);
  EXPECT_EQ(surface.Count({0, 5, 100, 6}, Highlight()), 50);
}

TEST_F(PainterItems, StaticBordersDeflateByTheirWidthAndZeroIndentsFillNothing) {
  TPainterSurface surface(60, 20);
  const struct {
    int Style;
    TRect Inner;
  } borders[] = {{0, {0, 0, 60, 20}}, {1, {1, 1, 59, 19}}, {2, {1, 1, 59, 19}}, {3, {2, 2, 58, 18}}, {4, {2, 2, 58, 18}}};
  for (const auto& b : borders) {
    TRect r(0, 0, 60, 20);
    painter->DrawStaticBorder(surface.Canvas()->GetHandle(), r, b.Style);
    EXPECT_EQ(r, b.Inner) << b.Style;
  }
  TPainterSurface plain(60, 20);
  TRect r(0, 0, 60, 20);
  painter->DrawStaticIndents(control_.get(), plain.Canvas()->GetHandle(), r, 0, 0, false);
  EXPECT_EQ(plain.Count({0, 0, 60, 20}, static_cast<TColor>(0x123456)), 60 * 20);
  painter->DrawStaticIndents(control_.get(), plain.Canvas()->GetHandle(), r, 5, 3, false);
  EXPECT_EQ(r, TRect(5, 0, 57, 20));
}

TEST_F(PainterItems, TheFirstCaptionedSeparatorOfABarHasOnlyTheBottomLine) {
  for (bool first : {true, false}) {
    TPainterSurface surface(80, 20);
    TdxBarItemControlDrawParams& p = Params(surface);
    p.Caption = "";
    painter->DrawSeparator(p, {0, 0, 80, 20}, true, first);
    const COLORREF background = GetPixel(surface.Canvas()->GetHandle(), 40, 10);
    const bool topLine = GetPixel(surface.Canvas()->GetHandle(), 40, 0) != background;
    const bool bottomLine = GetPixel(surface.Canvas()->GetHandle(), 40, 19) != background;
    EXPECT_EQ(topLine, !first) << first;
    EXPECT_TRUE(bottomLine) << first;
  }
}

}  // namespace
