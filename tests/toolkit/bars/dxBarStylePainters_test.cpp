#include "calderan_test.h"

#include <vssym32.h>

#include <functional>
#include <vector>

#include "bars_fixture.h"
#include "dxBarDrawRoutines.h"
#include "dxBarFlatPainter.h"
#include "dxBarOffice11Painter.h"
#include "dxBarSizeGrip.h"
#include "dxBarXPPainter.h"
#include "dxOffice11.h"
#include "painter_sweep.h"

namespace {

// A toolbar window that answers what a test gives it about its frame and mark.
class TTestBar : public TCustomdxBarControl {
 public:
  using TCustomdxBarControl::TCustomdxBarControl;
  int PaintType() const override { return Type; }
  bool IsMainMenu() const override { return MainMenu; }
  bool CanBeMoved() const override { return Movable; }
  int MarkState() const override { return Mark; }
  bool HasHiddenItems() const override { return HiddenItems; }
  int CloseButtonState() const override { return Close; }

  int Type = ptHorz;
  bool MainMenu = false;
  bool Movable = true;
  int Mark = 0;
  bool HiddenItems = false;
  int Close = 0;
};

class StylePainters : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    bar_ = new TTestBar(form_.get(), manager_);
    bar_->SetParent(form_.get());
    bar_->SetBounds(0, 40, 300, 30);
    control_ = std::make_unique<TTestItemControl>(bar_, nullptr);
  }
  TdxBarItemControlDrawParams& Params(TPainterSurface& surface) {
    TdxBarItemControlDrawParams& p = control_->DrawParams();
    p.Canvas = surface.Canvas();
    p.ViewStructure = cvsCaption;
    p.Caption = "Open";
    p.ArrowSize = {11, 5};
    return p;
  }
  TTestBar* bar_ = nullptr;
};

const TdxBarPainterClass flat = TdxBarFlatPainter::Instance();
const TdxBarPainterClass office = TdxBarOffice11Painter::Instance();
const TdxBarPainterClass themed = TdxBarXPPainter::Instance();

TEST_F(StylePainters, MetricsOfTheEdgeCases) {
  struct {
    int mark, chevron;
  } chevrons[] = {{13, 4}, {15, 4}, {18, 6}, {10, 3}};
  for (auto c : chevrons) EXPECT_EQ(flat->GetMenuChevronSize(c.mark), c.chevron) << c.mark;
  EXPECT_EQ(flat->GetSeparatorMargin(), 2);
  EXPECT_EQ(flat->GetDragHandleSize(bar_), 3 + 1 + 2);
  manager_->SetButtonArrowWidth(11);
  EXPECT_EQ(flat->GetButtonArrowWidth(manager_), 10);
  EXPECT_EQ(themed->GetButtonArrowWidth(manager_), 14);
  EXPECT_EQ(office->GetDragHandleLeft(), 3);
  EXPECT_EQ(office->GetNoDragHandleSize(), 2);
  EXPECT_EQ(office->GetComboArrowWidth(bar_, 8), 13);
  bar_->MainMenu = true;
  EXPECT_EQ(office->GetSingleBorderRect(bar_, dsTop), TRect(0, 2, 0, 2));
  EXPECT_EQ(flat->GetToolbarBrushOfBar(bar_), GetSysColorBrush(COLOR_BTNFACE));
  bar_->MainMenu = false;
  EXPECT_EQ(flat->GetToolbarBrushOfBar(bar_), manager_->FlatToolbarsBrush());
  int iconArea = 20;
  flat->AdjustIconAreaSize(bar_, iconArea);
  EXPECT_EQ(iconArea, 22);
  EXPECT_EQ(flat->CalcMenuGlyphRect({0, 0, 100, 24}, 24), TRect(1, 1, 23, 23));
}

TEST_F(StylePainters, TheThemedPainterMeasuresTheThemeWhenCreated) {
  themed->Create(manager_);
  const TdxBarXPThemeMetrics& m = dxBarXPThemeMetrics();
  EXPECT_EQ(themed->GetSeparatorThickness(), m.SeparatorThickness);
  EXPECT_EQ(themed->GetButtonPaddingX(), m.ButtonPadding);
  EXPECT_EQ(themed->GetButtonPaddingY(), m.ButtonPadding);
  EXPECT_EQ(themed->GetDragHandleSize(bar_), m.GripperWidth + 2);
  EXPECT_GT(m.SeparatorThickness, 0);
  EXPECT_GT(m.GripperWidth, 0);
  EXPECT_EQ(themed->GetComboArrowWidth(bar_, 3), themed->GetComboArrowWidth(bar_, 30));
}

TEST_F(StylePainters, ThemedButtonStatesFollowTheItemState) {
  struct {
    bool enabled, selected, down, pressed, droppedDown, arrow;
    int state;
  } cases[] = {
      {true, false, false, false, false, false, TS_NORMAL}, {true, true, false, false, false, false, TS_HOT},
      {true, true, false, true, false, false, TS_PRESSED},  {true, false, true, false, false, false, TS_CHECKED},
      {true, false, false, false, true, false, TS_CHECKED}, {true, true, false, false, true, true, TS_HOT},
      {false, true, true, true, false, false, TS_DISABLED},
  };
  for (auto c : cases) {
    TdxBarGlyphState s;
    s.Enabled = c.enabled, s.Selected = c.selected, s.Down = c.down, s.Pressed = c.pressed;
    s.DroppedDown = c.droppedDown, s.HasArrow = c.arrow;
    EXPECT_EQ(TdxBarXPPainter::ButtonThemeState(s), c.state) << c.enabled << c.selected << c.down << c.pressed;
  }
}

// A hot main-menu item is filled with the highlight colour, not with the toolbar button part.
TEST_F(StylePainters, AHotMainMenuItemIsHighlightedInTheThemedLook) {
  bar_->MainMenu = true;
  struct TMainMenuControl : TTestItemControl {
    using TTestItemControl::TTestItemControl;
    bool IsInMainMenu() const override { return true; }
  } item(bar_, nullptr);
  ASSERT_TRUE(themed->IsMainMenuItem(&item));
  TPainterSurface s(40, 24, clWhite);
  TdxBarGlyphState state;
  state.Selected = true;
  themed->DrawGlyphFrame(&item, s.Canvas()->GetHandle(), state, ptHorz, {0, 0, 40, 24}, true, item.GetBackgroundBrush());
  EXPECT_EQ(s.Count({0, 0, 40, 24}, clHighlight), 40 * 24);
}

TEST_F(StylePainters, FlatToolbarSeparatorLeavesTwoPixelsOfBackgroundAroundOneShadowLine) {
  TPainterSurface s(30, 5, clWhite);
  flat->DrawToolbarSeparator(bar_, s.Canvas()->GetHandle(), true, GetSysColorBrush(COLOR_WINDOW), {0, 0, 30, 5});
  const TColor background = GetSysColor(COLOR_WINDOW), shadow = GetSysColor(COLOR_BTNSHADOW);
  for (int y : {0, 1, 3, 4}) EXPECT_EQ(s.Pixel(10, y), ColorToRGB(background)) << y;
  EXPECT_EQ(s.Pixel(10, 2), ColorToRGB(shadow));
}

// Flat faces: hot and pressed take the manager's blended brushes inside a highlight frame; a
// dropped-down arrow part draws no frame.
TEST_F(StylePainters, FlatButtonFacesOfEachState) {
  manager_->SetStyle(bmsFlat);
  TPainterSurface s(60, 24, clWhite);
  HDC dc = s.Canvas()->GetHandle();
  const TRect r{0, 0, 40, 22};
  struct {
    bool selected, down, pressed;
    HBRUSH face;
  } cases[] = {{true, false, false, manager_->FlatToolbarsSelBrush()},
               {true, false, true, manager_->FlatToolbarsDownedSelBrush()},
               {false, true, false, manager_->FlatToolbarsDownedBrush()}};
  for (auto c : cases) {
    s.Fill(clWhite);
    TdxBarGlyphState state;
    state.Selected = c.selected, state.Down = c.down, state.Pressed = c.pressed;
    HBRUSH brush = flat->GetGlyphBackgroundBrush(control_.get(), state);
    EXPECT_EQ(brush, c.face);
    flat->DrawGlyphFrame(control_.get(), dc, state, ptHorz, r, true, brush);
    EXPECT_EQ(s.Pixel(0, 0), ColorToRGB(clHighlight));
    EXPECT_EQ(s.Pixel(39, 21), ColorToRGB(clHighlight));
  }
  s.Fill(clWhite);
  TdxBarItemControlDrawParams& p = Params(s);
  p.DropDown = p.IsButton = p.DroppedDown = true;
  p.DrawSelected = true;
  flat->DrawButtonBackground(p, {40, 0, 51, 22}, flat->GetButtonBrush(p));
  EXPECT_EQ(s.Count({39, 0, 52, 22}, clHighlight), 0);
}

// An enabled check mark is black; a disabled one is drawn one pixel lower in the shadow colour.
TEST_F(StylePainters, FlatCheckMarkColourAndDisabledOffset) {
  TPainterSurface s(20, 20, clWhite);
  flat->DrawCheckMark(control_.get(), s.Canvas()->GetHandle(), 1, 5, 5);
  auto topmost = [&](TColor color) {
    for (int y = 0; y < 20; ++y)
      if (s.Count({0, y, 20, y + 1}, color) > 0) return y;
    return -1;
  };
  const int enabledTop = topmost(clBlack);
  ASSERT_GE(enabledTop, 0);
  s.Fill(clWhite);
  control_->Enabled = false;
  flat->DrawCheckMark(control_.get(), s.Canvas()->GetHandle(), 1, 5, 5);
  EXPECT_EQ(s.Count({0, 0, 20, 20}, clBlack), 0);
  EXPECT_EQ(topmost(clBtnShadow), enabledTop + 1);
}

// The flat drag handle alternates shadow and handle-brush rows from its top, 3 px short of each end.
TEST_F(StylePainters, FlatDragHandleRowsAlternate) {
  TPainterSurface s(40, 30, clWhite);
  flat->DrawToolbarBorder(bar_, s.Canvas()->GetHandle(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), {0, 0, 40, 30});
  const int x = 2 + flat->GetDragHandleLeft();
  EXPECT_EQ(s.Pixel(x, 2 + 3), ColorToRGB(clBtnShadow));
  EXPECT_EQ(s.Pixel(x, 2 + 4), ColorToRGB(clBlack));
  EXPECT_EQ(s.Pixel(x, 2 + 2), ColorToRGB(clWhite));
  EXPECT_EQ(s.Pixel(0, 0), ColorToRGB(clBtnFace));
}

// Office 2003 faces: hot items run from hot colour 1 to 2; without a visual-style colour table the
// pressed colours are equal, so a down item that is not hot gets the down colour.
TEST_F(StylePainters, Office11ItemFacesAndFrames) {
  manager_->SetStyle(bmsOffice11);
  auto o11 = static_cast<const TdxBarOffice11Painter*>(office);
  TColor start, end;
  o11->GetItemFaceColors(bar_, false, true, start, end);
  EXPECT_EQ(start, Office11Colors[42]);
  EXPECT_EQ(end, Office11Colors[43]);
  if (!AreLunaSchemeColorsUsed()) {
    o11->GetItemFaceColors(bar_, true, false, start, end);
    EXPECT_EQ(start, Office11Colors[47]);
    EXPECT_EQ(end, Office11Colors[47]);
  }
  TPainterSurface s(40, 24, clWhite);
  TdxBarGlyphState state;
  state.Selected = true;
  office->DrawGlyphFrame(control_.get(), s.Canvas()->GetHandle(), state, ptHorz, {0, 0, 40, 24}, true,
                         office->GetGlyphBackgroundBrush(control_.get(), state));
  EXPECT_NE(s.Pixel(20, 12), ColorToRGB(clWhite));
  EXPECT_EQ(s.Pixel(0, 12), s.Pixel(39, 12));  // the frame
}

TEST_F(StylePainters, Office11DragHandleDotsStartThreePixelsIn) {
  TPainterSurface s(60, 30, clWhite);
  bar_->SetBounds(0, 40, 60, 30);
  office->DrawToolbarBorder(bar_, s.Canvas()->GetHandle(), bar_->BkBrush(), {0, 0, 60, 30});
  const TRect handle{2 + 3, 2, 2 + 3 + 3, 28};
  EXPECT_GT(s.Count(handle, Office11Colors[18]), 0);
  EXPECT_GT(s.Count(handle, Office11Colors[19]), 0);
  bar_->Movable = false;
  s.Fill(clWhite);
  office->DrawToolbarBorder(bar_, s.Canvas()->GetHandle(), bar_->BkBrush(), {0, 0, 60, 30});
  EXPECT_EQ(s.Count(handle, Office11Colors[18]), 0);
}

// The rounded frame: a 2-px dock band, corners blended into the dock, the shadow line along the
// bottom, and the mark's corner colour where the frame meets the mark.
TEST_F(StylePainters, Office11RoundedBorderJoinsTheMark) {
  bar_->Movable = false;
  bar_->SetBounds(0, 40, 80, 26);
  TPainterSurface s(80, 26, clWhite);
  office->DrawToolbarBorder(bar_, s.Canvas()->GetHandle(), bar_->BkBrush(), {0, 0, 80, 26});
  const COLORREF dock = s.Pixel(0, 0);
  const int L = 2, T = 1, R = 80, B = 26, m = office->GetMarkSize(bar_);
  for (const TPoint& p : {TPoint{1, 12}, TPoint{L, T}, TPoint{L, B - 1}, TPoint{R - 1, T}, TPoint{R - 1, B - 1}})
    EXPECT_EQ(s.Pixel(p.X, p.Y), dock) << p.X << "," << p.Y;
  EXPECT_EQ(s.Pixel(30, B - 1), ColorToRGB(Office11Colors[10]));
  EXPECT_EQ(s.Pixel(L + 1, B - 3), ColorToRGB(Office11Colors[11]));
  EXPECT_EQ(s.Pixel(R - m - 1, T), ColorToRGB(Office11Colors[12]));
  EXPECT_EQ(s.Pixel(R - m - 2, B - 2), ColorToRGB(Office11Colors[11]));
  EXPECT_NE(s.Pixel(L + 1, T), dock);  // blended, not dock
  // Turned for a bar docked at the side: the dock band along the top, the shadow line at the right.
  bar_->Type = ptVert;
  bar_->SetBounds(0, 40, 26, 80);
  TPainterSurface v(26, 80, clWhite);
  office->DrawToolbarBorder(bar_, v.Canvas()->GetHandle(), bar_->BkBrush(), {0, 0, 26, 80});
  EXPECT_EQ(v.Pixel(12, 1), dock);
  EXPECT_EQ(v.Pixel(B - 1, 30), ColorToRGB(Office11Colors[10]));
  EXPECT_EQ(v.Pixel(T, R - m - 1), ColorToRGB(Office11Colors[12]));
}

// The mark: the customize arrow always, the hidden-items chevrons only when items are hidden.
TEST_F(StylePainters, Office11MarkGlyphs) {
  TPainterSurface s(14, 24, clWhite);
  const TRect r{0, 0, 14, 24};
  const TColor arrow = Office11Colors[22];
  office->DrawMark(bar_, s.Canvas()->GetHandle(), 0, r);
  EXPECT_GT(s.Count({14 - 6, 24 - 8, 14 - 1, 24 - 2}, arrow), 0);
  const TRect chevrons{14 - 11, 3, 14 - 5, 6};
  EXPECT_EQ(s.Count(chevrons, arrow), 0);
  bar_->HiddenItems = true;
  office->DrawMark(bar_, s.Canvas()->GetHandle(), 0, r);
  EXPECT_GT(s.Count(chevrons, arrow), 0);
  // Every glyph stays inside the mark (a polygon given one point too many ran a line across the bar).
  for (int type : {ptHorz, ptVert}) {
    bar_->Type = type;
    TPainterSurface wide(60, 40, clWhite);
    office->DrawMark(bar_, wide.Canvas()->GetHandle(), 0, {30, 8, 44, 32});
    EXPECT_EQ(wide.Count({0, 0, 60, 40}, clWhite) - wide.Count({30, 8, 45, 33}, clWhite), 60 * 40 - 15 * 25) << type;
  }
  bar_->Type = ptHorz;
}

// An Office 2003 colour swatch: the border colour, a ring of menu background, then the colour.
TEST_F(StylePainters, Office11ColorSwatchRings) {
  TPainterSurface s(20, 20, clWhite);
  office->DrawColorSwatch(s.Canvas()->GetHandle(), clRed, {0, 0, 20, 20});
  EXPECT_EQ(s.Pixel(0, 10), ColorToRGB(Office11Colors[38]));
  EXPECT_EQ(s.Pixel(1, 10), ColorToRGB(Office11Colors[31]));
  EXPECT_EQ(s.Count({2, 2, 18, 18}, clRed), 16 * 16);
}

// The look routines that menu, floating and dock windows call.
const auto* flatLook = static_cast<const TdxBarFlatPainter*>(flat);
const auto* officeLook = static_cast<const TdxBarOffice11Painter*>(office);
const auto* themedLook = static_cast<const TdxBarXPPainter*>(themed);

COLORREF Sys(int index) { return GetSysColor(index); }
COLORREF Rgb(TColor color) { return ColorToRGB(color); }
COLORREF BrushColor(HBRUSH brush) {
  LOGBRUSH info{};
  GetObject(brush, sizeof info, &info);
  return info.lbColor;
}

// A detachable flat menu: its frame in the flat border colour, the caption's first inner row in
// the window colour, and the grip's dots on every other row (shadow; button text when hot).
TEST_F(StylePainters, FlatMenuFrameAndDetachCaption) {
  TPainterSurface s(120, 60, clFuchsia);
  HDC dc = s.Canvas()->GetHandle();
  TdxBarMenuFrameInfo menu;
  menu.Detachable = true;
  menu.DetachCaptionHeight = 8;
  menu.DetachCaptionRect = {3, 3, 117, 11};
  flatLook->PaintMenuFrame(dc, {0, 0, 120, 60}, menu, manager_);
  EXPECT_EQ(s.Pixel(0, 30), BrushColor(manager_->FlatToolbarsBorderBrush()));
  EXPECT_EQ(s.Pixel(60, 1), Sys(COLOR_WINDOW));
  EXPECT_EQ(s.Pixel(1, 5), Sys(COLOR_WINDOW));
  const int gripLeft = 3 + (114 - 33) / 2;
  EXPECT_EQ(s.Pixel(gripLeft, 4), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(s.Pixel(gripLeft + 32, 6), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(s.Pixel(gripLeft, 5), BrushColor(manager_->FlatToolbarsBrush()));
  EXPECT_EQ(s.Pixel(gripLeft - 1, 4), BrushColor(manager_->FlatToolbarsBrush()));
  flatLook->PaintDetachCaption(dc, menu.DetachCaptionRect, true, manager_);
  EXPECT_EQ(s.Pixel(3, 3), Sys(COLOR_HIGHLIGHT));
  EXPECT_EQ(s.Pixel(gripLeft, 4), Sys(COLOR_BTNTEXT));
}

// A flat separator item: the glyph part in the face brush, a shadow line across the middle row
// from 8 px past the glyph part, the rest in the text-side brush.
TEST_F(StylePainters, FlatMenuSeparatorAndFloatingBorder) {
  TPainterSurface s(100, 40, clFuchsia);
  HDC dc = s.Canvas()->GetHandle();
  flatLook->PaintMenuSeparator(dc, {0, 0, 100, 9}, 24, manager_->FlatToolbarsBrush(), GetSysColorBrush(COLOR_WINDOW));
  EXPECT_EQ(s.Pixel(10, 4), BrushColor(manager_->FlatToolbarsBrush()));
  EXPECT_EQ(s.Pixel(24 + 7, 4), Sys(COLOR_WINDOW));
  EXPECT_EQ(s.Count({24 + 8, 4, 100, 5}, clBtnShadow), 100 - 32);
  EXPECT_EQ(s.Pixel(50, 3), Sys(COLOR_WINDOW));
  s.Fill(clFuchsia);
  flatLook->PaintFloatingBorder(dc, {0, 0, 100, 40}, {3, 20, 97, 37}, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                                false, manager_);
  EXPECT_EQ(s.Pixel(0, 30), BrushColor(manager_->FlatToolbarsBorderBrush()));
  EXPECT_EQ(s.Pixel(1, 30), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(s.Pixel(2, 30), RGB(0, 0, 0));
  EXPECT_EQ(s.Pixel(3, 30), Rgb(clFuchsia));  // the client area stays
}

// A right dock is solid dock colour 1, a bottom dock solid dock colour 2, a top dock a gradient.
TEST_F(StylePainters, Office11DockColoursByDockingStyle) {
  struct {
    TdxBarDockingStyle style;
    int first, last;
  } cases[] = {{dsRight, 0, 0}, {dsBottom, 1, 1}, {dsTop, 0, 1}, {dsLeft, 0, 1}};
  for (auto c : cases) {
    TColor color1, color2;
    TdxBarOffice11Painter::GetDockColors(c.style, color1, color2);
    EXPECT_EQ(color1, Office11Colors[c.first]) << c.style;
    EXPECT_EQ(color2, Office11Colors[c.last]) << c.style;
  }
  TPainterSurface s(200, 10, clFuchsia);
  officeLook->PaintDockBackground(s.Canvas()->GetHandle(), {0, 0, 200, 10}, dsRight);
  EXPECT_EQ(s.Count({0, 0, 200, 10}, Office11Colors[0]), 2000);
  officeLook->PaintDockBackground(s.Canvas()->GetHandle(), {0, 0, 200, 10}, dsTop);
  EXPECT_EQ(s.Pixel(0, 5), Rgb(Office11Colors[0]));
  const COLORREF end = s.Pixel(199, 5), color2 = Rgb(Office11Colors[1]);
  EXPECT_LE(std::abs(GetRValue(end) - GetRValue(color2)) + std::abs(GetGValue(end) - GetGValue(color2)) +
                std::abs(GetBValue(end) - GetBValue(color2)),
            6);
  EXPECT_NE(s.Pixel(199, 5), s.Pixel(0, 5));
}

// Office 2003 menus: a border-coloured frame with the owner joint in the menu background, the
// glyph column's colour in the client frame's left column, and the glyph-column band of the
// menu background ending where the menu's brush begins.
TEST_F(StylePainters, Office11MenuFramesAndBackground) {
  TPainterSurface s(120, 60, clFuchsia);
  HDC dc = s.Canvas()->GetHandle();
  TdxBarMenuFrameInfo menu;
  menu.OwnerEdge = {10, 0, 40, 1};
  officeLook->PaintMenuFrame(dc, {0, 0, 120, 60}, menu, manager_);
  EXPECT_EQ(s.Pixel(5, 0), Rgb(Office11Colors[38]));
  EXPECT_EQ(s.Pixel(20, 0), Rgb(Office11Colors[31]));
  officeLook->PaintMenuClientFrame(dc, {1, 1, 119, 59}, nullptr, nullptr, menu);
  EXPECT_EQ(s.Pixel(1, 30), Rgb(Office11Colors[34]));
  EXPECT_EQ(s.Pixel(118, 30), Rgb(Office11Colors[31]));
  menu.HasPictureOrSideBar = true;
  officeLook->PaintMenuClientFrame(dc, {1, 1, 119, 59}, nullptr, nullptr, menu);
  EXPECT_EQ(s.Pixel(1, 30), Rgb(Office11Colors[31]));
  menu.LeftAreaWidth = 24;
  menu.ExtraColumnWidth = 4;
  officeLook->PaintMenuBackground(dc, {2, 2, 118, 58}, menu, GetSysColorBrush(COLOR_WINDOW));
  EXPECT_EQ(s.Pixel(25, 30), Rgb(Office11Colors[35]));
  EXPECT_EQ(s.Pixel(28, 30), Sys(COLOR_WINDOW));
  EXPECT_EQ(s.Pixel(0, 30), Rgb(Office11Colors[38]));  // outside the rectangle: the frame stays
}

// The Office 2003 floating frame: two rings in the frame colour, a third in the inner colour
// whose corners take the frame colour; a popup's window is framed in the border colour.
TEST_F(StylePainters, Office11FloatingBorderAndDetachCaption) {
  TPainterSurface s(80, 40, clFuchsia);
  HDC dc = s.Canvas()->GetHandle();
  officeLook->PaintFloatingBorder(dc, {0, 0, 80, 40}, {3, 3, 77, 37}, nullptr, false, manager_);
  EXPECT_EQ(s.Pixel(0, 20), Rgb(Office11Colors[24]));
  EXPECT_EQ(s.Pixel(1, 20), Rgb(Office11Colors[24]));
  EXPECT_EQ(s.Pixel(2, 20), Rgb(Office11Colors[25]));
  EXPECT_EQ(s.Pixel(2, 2), Rgb(Office11Colors[24]));
  EXPECT_EQ(s.Pixel(77, 37), Rgb(Office11Colors[24]));
  officeLook->PaintFloatingBorder(dc, {0, 0, 80, 40}, {2, 2, 78, 38}, GetSysColorBrush(COLOR_WINDOW), true, manager_);
  EXPECT_EQ(s.Pixel(0, 20), Rgb(Office11Colors[38]));
  EXPECT_EQ(s.Pixel(1, 20), Sys(COLOR_WINDOW));
  s.Fill(clFuchsia);
  officeLook->PaintDetachCaption(dc, {0, 0, 80, 10}, false, manager_);
  EXPECT_EQ(s.Pixel(0, 0), Rgb(Office11Colors[49]));
  EXPECT_GT(s.Count({20, 2, 60, 8}, Office11Colors[18]), 0);  // the dots run across
  EXPECT_EQ(s.Count({0, 0, 19, 10}, Office11Colors[18]), 0);
  officeLook->PaintDetachCaption(dc, {0, 0, 80, 10}, true, manager_);
  EXPECT_EQ(s.Pixel(1, 1), Rgb(Office11Colors[40]));
}

// Themed docks: each row has a highlight line at its leading and a shadow line at its trailing
// edge, except at the dock's outer edges and for rows of borderless toolbars.
TEST_F(StylePainters, ThemedDockRowLines) {
  struct {
    TdxBarDockingStyle style;
    int row, count;
    bool bordered, leading, trailing;
  } cases[] = {{dsTop, 0, 2, true, false, true},    {dsTop, 1, 2, true, true, false},
               {dsBottom, 0, 2, true, true, true},   {dsBottom, 1, 2, true, true, false},
               {dsLeft, 0, 1, true, false, true},    {dsRight, 0, 1, true, true, false},
               {dsTop, 0, 3, false, false, false}};
  for (auto c : cases) {
    bool leading, trailing;
    TdxBarXPPainter::GetDockRowLines(c.style, c.row, c.count, c.bordered, leading, trailing);
    EXPECT_EQ(leading, c.leading) << c.style << " row " << c.row;
    EXPECT_EQ(trailing, c.trailing) << c.style << " row " << c.row;
  }
  TPainterSurface s(100, 52, clFuchsia);
  themedLook->PaintDockBackground(s.Canvas()->GetHandle(), {0, 0, 100, 52}, dsTop,
                                  {{{0, 0, 100, 26}, true}, {{0, 26, 100, 52}, true}});
  EXPECT_EQ(s.Count({0, 25, 100, 26}, clBtnShadow), 100);
  EXPECT_EQ(s.Count({0, 26, 100, 27}, clBtnHighlight), 100);
  EXPECT_EQ(s.Pixel(50, 0), s.Pixel(50, 10));  // no line where the dock meets the window's edge
}

// The themed parts' states and the progress fill, an empty range included.
TEST_F(StylePainters, ThemedPartStatesAndProgressLength) {
  EXPECT_EQ(TdxBarXPPainter::ComboButtonThemeState(false, true, true), 4);
  EXPECT_EQ(TdxBarXPPainter::ComboButtonThemeState(true, true, true), 3);
  EXPECT_EQ(TdxBarXPPainter::ComboButtonThemeState(true, false, true), 2);
  EXPECT_EQ(TdxBarXPPainter::ComboButtonThemeState(true, false, false), 1);
  EXPECT_EQ(TdxBarXPPainter::EditThemeState(false), 4);
  struct {
    int length, position, min, max, filled;
  } cases[] = {{100, 50, 0, 100, 50}, {90, 5, 0, 10, 45}, {100, 30, 20, 40, 50}, {100, 7, 7, 7, 0},
               {100, 150, 0, 100, 100}, {100, -5, 0, 100, 0}};
  for (auto c : cases)
    EXPECT_EQ(TdxBarXPPainter::ProgressFilledLength(c.length, c.position, c.min, c.max), c.filled)
        << c.position << " of " << c.min << ".." << c.max;
}

// Every look routine, in normal, hot and pressed states: no GDI object leaked, the canvas left as
// found.
TEST_F(StylePainters, EveryLookRoutineLeavesTheCanvasClean) {
  TPainterSurface s(130, 60, clWhite);
  HDC dc = nullptr;
  TdxBarMenuFrameInfo menu;
  menu.DetachCaptionHeight = 8, menu.DetachCaptionRect = {3, 3, 127, 11}, menu.LeftAreaWidth = 24;
  menu.OwnerEdge = {10, 0, 40, 1};
  using TRoutine = std::function<void(const TdxBarFlatPainter*, int)>;
  const std::vector<std::pair<const char*, TRoutine>> routines = {
      {"MenuFrame", [&](const TdxBarFlatPainter* p, int st) {
         menu.Detachable = st > 0, menu.DetachCaptionHot = st == 2;
         p->PaintMenuFrame(dc, {0, 0, 130, 60}, menu, manager_);
       }},
      {"MenuClientFrame", [&](const TdxBarFlatPainter* p, int st) {
         menu.HasPictureOrSideBar = st == 1;
         p->PaintMenuClientFrame(dc, {1, 1, 129, 59}, GetSysColorBrush(COLOR_WINDOW), GetSysColorBrush(COLOR_BTNFACE), menu);
       }},
      {"DetachCaption", [&](const TdxBarFlatPainter* p, int st) { p->PaintDetachCaption(dc, {2, 2, 128, 12}, st > 0, manager_); }},
      {"MenuSeparator", [&](const TdxBarFlatPainter* p, int) {
         p->PaintMenuSeparator(dc, {0, 0, 130, 9}, 24, manager_->FlatToolbarsBrush(), GetSysColorBrush(COLOR_WINDOW));
       }},
      {"FloatingBorder", [&](const TdxBarFlatPainter* p, int st) {
         p->PaintFloatingBorder(dc, {0, 0, 130, 60}, {3, 18, 127, 57}, GetSysColorBrush(COLOR_BTNFACE), st == 1, manager_);
       }},
      {"Office11Backgrounds", [&](const TdxBarFlatPainter* p, int st) {
         if (p != officeLook) return;
         menu.ShowsRareItems = st == 2;
         officeLook->PaintMenuBackground(dc, {2, 2, 128, 58}, menu, GetSysColorBrush(COLOR_WINDOW));
         officeLook->PaintFloatingBackground(dc, {3, 18, 127, 57}, {3, 18, 60, 57});
         officeLook->PaintDockBackground(dc, {0, 0, 130, 10}, st == 0 ? dsTop : st == 1 ? dsRight : dsBottom);
       }},
      {"ThemedDockAndButton", [&](const TdxBarFlatPainter* p, int st) {
         if (p != flatLook) return;
         themedLook->PaintDockBackground(dc, {0, 0, 130, 52}, st == 1 ? dsLeft : dsTop,
                                         {{{0, 0, 130, 26}, st != 2}, {{0, 26, 130, 52}, true}});
         themedLook->PaintDropDownButton(dc, {4, 4, 80, 26}, st == 2, "Close");
       }},
  };
  const TdxBarFlatPainter* looks[] = {flatLook, officeLook};
  int before = 0;
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) before = GdiObjectCount();
    for (const TdxBarFlatPainter* look : looks)
      for (const auto& [name, routine] : routines)
        for (int state = 0; state < 3; ++state) {
          s.Fill(clWhite);
          dc = s.Canvas()->GetHandle();
          const TCanvasSnapshot snapshot = Snapshot(s.Canvas());
          routine(look, state);
          if (pass == 1) EXPECT_TRUE(Snapshot(s.Canvas()) == snapshot) << look->ClassName() << " " << name << " " << state;
        }
  }
  EXPECT_EQ(GdiObjectCount(), before);
}

TEST(SizeGrip, CornersStripAndHitTests) {
  struct {
    TRect dropDown;
    int corner, hit;
  } cases[] = {{{10, 30, 200, 200}, 3, HTBOTTOMRIGHT},
               {{10, -200, 200, 0}, 1, HTTOPRIGHT},
               {{-300, 30, 0, 200}, 2, HTBOTTOMLEFT},
               {{-300, -200, 0, 0}, 0, HTTOPLEFT}};
  const TRect owner{0, 0, 50, 20};
  for (auto c : cases) {
    EXPECT_EQ(CalcGripCorner(owner, c.dropDown), c.corner);
    EXPECT_EQ(GripCornerHitTest(c.corner), c.hit);
  }
  const int scroll = GetSystemMetrics(SM_CYHSCROLL), size = GetSystemMetrics(SM_CYSIZE);
  EXPECT_EQ(GetGripStripHeight(), std::max(scroll + 3, size + 1));
}

// A grip in a left corner is the mirror image of one in the right corner.
TEST(SizeGrip, GripsFaceTheirCorner) {
  TPainterSurface right(40, 40, clWhite), left(40, 40, clWhite);
  TRect r{0, 0, 40, 40}, l{0, 0, 40, 40};
  DrawCornerSizeGrip(right.Canvas()->GetHandle(), r, 3);
  DrawCornerSizeGrip(left.Canvas()->GetHandle(), l, 2);
  const int w = GetSystemMetrics(SM_CXVSCROLL), h = GetSystemMetrics(SM_CYHSCROLL);
  EXPECT_EQ(r, TRect(40 - w, 40 - h, 40, 40));
  EXPECT_EQ(l, TRect(0, 40 - h, w, 40));
  for (int y = 40 - h; y < 40; ++y)
    for (int x = 0; x < w; ++x) ASSERT_EQ(left.Pixel(x, y), right.Pixel(39 - x, y)) << x << "," << y;
  EXPECT_EQ(right.Pixel(39, 39), ColorToRGB(clBtnFace));  // the 2-px face strips at the outer edges
}

class DropDownFrame : public StylePainters {
 protected:
  void SetUp() override {
    StylePainters::SetUp();
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_BORDER, 100, 100, 160, 120, nullptr,
                              nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    StylePainters::TearDown();
  }
  HWND window_ = nullptr;
};

// Corner 3: strip at the bottom, grip at the bottom right, the close button at the strip's left.
TEST_F(DropDownFrame, BelowAndRightGetsTheGripBottomRight) {
  TRect grip, close;
  flat->DrawDropDownNonClient(window_, true, 3, grip, close, false, false);
  EXPECT_EQ(grip.Right, 100 + 160 - 1 + 2);
  EXPECT_EQ(grip.Bottom, 100 + 120 - 1);
  EXPECT_LT(close.Left, 100 + 40);
  EXPECT_GT(close.Top, 100 + 120 - GetGripStripHeight() - 1);
  flat->DrawDropDownNonClient(window_, true, 0, grip, close, false, false);
  EXPECT_EQ(grip.Top, 101);
  EXPECT_GT(close.Left, 100 + 100);
}

TEST_F(DropDownFrame, ANonSizableDropDownGetsOnlyItsFrame) {
  TRect grip{1, 1, 2, 2}, close{1, 1, 2, 2};
  TdxBarPainter::Instance()->DrawDropDownNonClient(window_, false, 3, grip, close, true, false);
  EXPECT_TRUE(grip.IsEmpty());
  EXPECT_TRUE(close.IsEmpty());
  TRect rect{0, 0, 160, 120};
  int corner = -1;
  TdxBarPainter::Instance()->CalcDropDownNonClient(window_, rect, false, nullptr, corner);
  EXPECT_EQ(rect, TRect(1, 1, 159, 119));
}

// Every operation of every style, in normal, hot and pressed states: no GDI object leaked, the
// canvas left as found.
TEST_F(StylePainters, EveryStyleOperationLeavesTheCanvasClean) {
  TBitmap glyph;
  glyph.SetSize(16, 16);
  control_->Glyph = &glyph;
  TPainterSurface s(130, 40, clWhite);
  HDC dc = nullptr;
  using TOperation = std::function<void(TdxBarPainterClass, int)>;
  const std::vector<std::pair<const char*, TOperation>> operations = {
      {"GlyphFrame", [&](TdxBarPainterClass p, int st) {
         TdxBarGlyphState g;
         g.Selected = st > 0, g.Pressed = st == 2, g.Down = st == 2;
         p->DrawGlyphFrame(control_.get(), dc, g, ptHorz, {0, 0, 24, 24}, true, p->GetGlyphBackgroundBrush(control_.get(), g));
       }},
      {"Button", [&](TdxBarPainterClass p, int st) {
         TdxBarItemControlDrawParams& pr = Params(s);
         pr.ViewStructure = cvsGlyph | cvsCaption, pr.DrawSelected = st > 0, pr.Pressed = st == 2;
         pr.DropDown = pr.IsButton = true;
         p->DrawButton(pr, {0, 0, 90, 24});
       }},
      {"MenuItem", [&](TdxBarPainterClass p, int st) {
         TdxBarItemControlDrawParams& pr = Params(s);
         pr.PaintType = ptMenu, pr.DrawSelected = st > 0;
         p->DrawMenuItemBackground(pr, {0, 0, 120, 22});
         pr.PaintType = ptHorz;
       }},
      {"CheckMark", [&](TdxBarPainterClass p, int st) { p->DrawCheckMark(control_.get(), dc, st == 2 ? 2 : 1, 4, 4); }},
      {"Separator", [&](TdxBarPainterClass p, int st) { p->DrawToolbarSeparator(bar_, dc, st != 1, bar_->BkBrush(), {0, 0, 30, 6}); }},
      {"MenuSeparator", [&](TdxBarPainterClass p, int) { p->DrawMenuSeparatorLine(s.Canvas(), {0, 10, 80, 11}); }},
      {"Border", [&](TdxBarPainterClass p, int st) {
         bar_->Type = st == 1 ? ptVert : ptHorz;
         p->DrawToolbarBorder(bar_, dc, bar_->BkBrush(), {0, 0, 120, 30});
         bar_->Type = ptHorz;
       }},
      {"ToolbarBackground", [&](TdxBarPainterClass p, int) { p->FillToolbarBackground(bar_, dc, bar_->BkBrush(), {0, 0, 120, 30}); }},
      {"Mark", [&](TdxBarPainterClass p, int st) {
         bar_->Mark = st, bar_->HiddenItems = st != 0;
         p->DrawMarkBackground(bar_, dc, bar_->BkBrush(), {0, 0, 13, 24});
         p->DrawMark(bar_, dc, st, {0, 0, 13, 24});
       }},
      {"CaptionButton", [&](TdxBarPainterClass p, int st) {
         bar_->Close = st;
         p->DrawFloatingCloseButton(bar_, dc, {0, 0, 16, 16});
       }},
      {"MDIButton", [&](TdxBarPainterClass p, int st) { p->DrawMDIButton(bar_, st, {0, 0, 18, 16}, dc, st + 1); }},
      {"SizeGrip", [&](TdxBarPainterClass p, int) { p->DrawSizeGrip(bar_, dc, clBtnFace, {0, 0, 20, 20}); }},
      {"ColorSwatch", [&](TdxBarPainterClass p, int) { p->DrawColorSwatch(dc, clRed, {0, 0, 20, 14}); }},
      {"Arrow", [&](TdxBarPainterClass p, int st) { p->DrawArrow(dc, {0, 0, 12, 12}, clDefault, st == 0, st != 2, st == 1, 3, st == 1 ? 1 : 3); }},
      {"ExpandChevrons", [&](TdxBarPainterClass p, int st) { p->DrawExpandButtonChevrons(bar_, dc, st > 0, {0, 0, 30, 14}); }},
  };
  const TdxBarPainterClass painters[] = {TdxBarPainter::Instance(), flat, office, themed};
  // A first pass fills the first-use caches (the glyph routine's scratch bitmaps, the visual
  // style's part images); the second is checked.
  TPainterSurface sheet(4 * 3 * 130, static_cast<int>(operations.size()) * 40, clWhite);
  int before = 0;
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) before = GdiObjectCount();
    for (size_t pi = 0; pi < 4; ++pi)
      for (size_t row = 0; row < operations.size(); ++row)
        for (int state = 0; state < 3; ++state) {
          const TdxBarPainterClass p = painters[pi];
          const auto& [name, operation] = operations[row];
          s.Fill(clWhite);
          dc = s.Canvas()->GetHandle();
          bar_->SetBounds(0, 40, 125, 30);
          const TCanvasSnapshot snapshot = Snapshot(s.Canvas());
          POINT position{};
          GetCurrentPositionEx(dc, &position);
          operation(p, state);
          if (pass == 0) continue;
          EXPECT_TRUE(Snapshot(s.Canvas()) == snapshot) << p->ClassName() << " " << name << " " << state;
          POINT after{};
          GetCurrentPositionEx(dc, &after);
          EXPECT_TRUE(after.x == position.x && after.y == position.y) << p->ClassName() << " " << name;
          BitBlt(sheet.Canvas()->GetHandle(), static_cast<int>(pi * 3 + state) * 130, static_cast<int>(row) * 40,
                 125, 36, dc, 0, 0, SRCCOPY);
        }
  }
  control_->Glyph = nullptr;
  EXPECT_EQ(GdiObjectCount(), before);
  sheet.Save("bar_painter_parts.bmp");
}

}  // namespace
