#include "calderan_test.h"

#include <cstdlib>
#include <new>

#include "RzPanel.h"
#include "StdCtrls.h"
#include "framed_control_fixture.h"
#include "message_pump.h"
#include "toolkit/lookandfeel/lookandfeel_fixture.h"

namespace {

// Gradients round their first and last bands.
bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 3 && std::abs(GetGValue(a) - GetGValue(b)) <= 3 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 3;
}

class RzPanel : public FramedControlFixture<TRzPanel> {
 protected:
  void SetUp() override {
    NewForm(400, 300);
    panel_ = Place(Bounds(10, 10, 100, 50));
    form_->Show();
  }

 public:
  void Painted(TObject*) { ++paints_; }

 protected:
  // Paints the panel into a bitmap of its size and answers one pixel.
  COLORREF Pixel(TWinControl* control, int x, int y) {
    picture_.SetSize(control->Width(), control->Height());
    ClearTo(picture_, clLime);
    control->PaintTo(picture_.Canvas(), 0, 0);
    return PixelAt(picture_.Canvas(), x, y);
  }

  TRzPanel* panel_ = nullptr;
  TBitmap picture_;
  int paints_ = 0;
};

TEST_F(RzPanel, AlignedChildrenStayInsideTheBorders) {
  auto* child = new TPanel(form_.get());
  child->SetParent(panel_);
  child->SetAlign(alClient);
  struct TCase {
    TFrameStyle Outer, Inner;
    TSides Sides;
    int BorderWidth, BevelWidth;
    TRect Client;
  } const cases[] = {
      {fsNone, fsNone, {}, 0, 1, {0, 0, 100, 50}},  // the main window's layout panels
      {fsRaised, fsNone, sdAllSides, 0, 1, {2, 2, 98, 48}},
      {fsFlat, fsNone, sdAllSides, 0, 1, {1, 1, 99, 49}},
      {fsFlat, fsFlatBold, TSides{sdTop, sdLeft}, 0, 1, {3, 3, 100, 50}},
      {fsStatus, fsPopup, sdAllSides, 0, 3, {6, 6, 94, 44}},
      {fsFlatRounded, fsNone, TSides{sdBottom}, 4, 1, {4, 4, 96, 44}},
  };
  for (const TCase& c : cases) {
    panel_->SetBorderOuter(c.Outer);
    panel_->SetBorderInner(c.Inner);
    panel_->SetBorderSides(c.Sides);
    panel_->SetBorderWidth(c.BorderWidth);
    panel_->SetBevelWidth(c.BevelWidth);
    panel_->Realign();
    EXPECT_EQ(child->BoundsRect(), c.Client) << c.Outer << "/" << c.Inner;
  }
}

TEST_F(RzPanel, BordersArePaintedInTheirColours) {
  const COLORREF flat = Rgb(ShiftColorLum(clBtnShadow, 30));
  struct TCase {
    TFrameStyle Outer;
    int BorderWidth;
    COLORREF At0, At1, At2;
  } const cases[] = {
      {fsFlat, 0, flat, Rgb(clBtnFace), Rgb(clBtnFace)},
      {fsFlatBold, 0, flat, flat, Rgb(clBtnFace)},
      {fsStatus, 0, Rgb(clBtnShadow), Rgb(clBtnFace), Rgb(clBtnFace)},
      {fsPopup, 0, Rgb(clBtnHighlight), Rgb(clBtnFace), Rgb(clBtnFace)},
      {fsFlat, 1, flat, Rgb(clWhite), Rgb(clBtnFace)},
  };
  panel_->SetBorderColor(clWhite);
  for (const TCase& c : cases) {
    panel_->SetBorderOuter(c.Outer);
    panel_->SetBorderWidth(c.BorderWidth);
    EXPECT_EQ(Pixel(panel_, 0, 20), c.At0) << c.Outer;
    EXPECT_EQ(Pixel(panel_, 1, 20), c.At1) << c.Outer;
    EXPECT_EQ(Pixel(panel_, 2, 20), c.At2) << c.Outer;
  }
}

TEST_F(RzPanel, TheOfficeGradientWithoutVisualStylesRunsFromWindowToDarkerFace) {
  TVisualStylesOff off;
  panel_->SetBorderOuter(fsNone);
  panel_->SetVisualStyle(vsGradient);
  panel_->SetGradientColorStyle(gcsMSOffice);
  EXPECT_TRUE(Near(Pixel(panel_, 50, 0), Rgb(clWindow)));
  EXPECT_TRUE(Near(Pixel(panel_, 50, 49), Rgb(DarkenColor(clBtnFace, 10))));
  panel_->SetVisualStyle(vsClassic);
  EXPECT_EQ(Pixel(panel_, 50, 0), Rgb(clBtnFace));
}

TEST_F(RzPanel, GridDotsFallEveryGridStep) {
  panel_->SetBorderOuter(fsNone);
  panel_->SetShowGrid(true);
  panel_->SetGridColor(clRed);
  struct TCase {
    TRzGridStyle Style;
    int X, Y;
    bool Red;
  } const cases[] = {
      {gsDots, 7, 7, true},        {gsDots, 8, 7, false},         {gsDots, 95, 47, true},
      {gsSolidLines, 7, 3, true},  {gsDottedLines, 7, 1, true},  {gsDottedLines, 7, 2, false},
  };
  for (const TCase& c : cases) {
    panel_->SetGridStyle(c.Style);
    EXPECT_EQ(Pixel(panel_, c.X, c.Y) == Rgb(clRed), c.Red) << c.Style << " " << c.X << "," << c.Y;
  }
}

TEST_F(RzPanel, ChildrenComeBackAsTheyWereWhenThePanelIsEnabledAgain) {
  auto* enabled = new TPanel(form_.get());
  auto* disabled = new TPanel(form_.get());
  auto* freed = new TPanel(form_.get());
  for (TPanel* p : {enabled, disabled, freed}) p->SetParent(panel_);
  disabled->SetEnabled(false);
  freed->SetEnabled(false);
  panel_->SetEnabled(false);
  EXPECT_FALSE(enabled->Enabled());
  // a disabled child is freed, and a newcomer takes its very place in memory
  freed->~TPanel();
  auto* newcomer = new (freed) TPanel(form_.get());
  newcomer->SetParent(panel_);
  newcomer->SetEnabled(false);
  panel_->SetEnabled(true);
  EXPECT_TRUE(enabled->Enabled());
  EXPECT_FALSE(disabled->Enabled());
  EXPECT_TRUE(newcomer->Enabled()) << "taken for the freed child";
}

// A transparent panel shows what lies behind it, which changes when it moves, resized or not (the
// main window's layout panels move on every resize of the window).
TEST_F(RzPanel, ResizingInvalidatesTheMovingEdgesAndMovingATransparentPanelAll) {
  struct TCase {
    bool FullRepaint, Transparent;
    const char* Caption;
    int Left, Width, Height;
    TRect Invalid;
  } const cases[] = {
      {false, false, "", 10, 120, 50, {97, 0, 120, 50}},  // fsRaised takes 2: the strip from 97
      {false, false, "", 10, 100, 70, {0, 47, 100, 70}},
      {true, false, "", 10, 120, 50, {0, 0, 120, 50}},
      {false, false, "Text", 10, 120, 50, {0, 0, 120, 50}},
      {false, true, "", 30, 100, 50, {0, 0, 100, 50}},
      {true, true, "", 30, 100, 50, {0, 0, 100, 50}},
  };
  for (const TCase& c : cases) {
    panel_->SetBounds(10, 10, 100, 50);
    panel_->SetFullRepaint(c.FullRepaint);
    panel_->SetTransparent(c.Transparent);
    panel_->SetCaption(c.Caption);
    PumpWhileBusy();
    ValidateRect(panel_->Handle(), nullptr);
    panel_->SetBounds(c.Left, 10, c.Width, c.Height);
    RECT invalid{};
    GetUpdateRect(panel_->Handle(), &invalid, FALSE);
    EXPECT_EQ(TRect(invalid), c.Invalid) << c.FullRepaint << " " << c.Transparent << " " << c.Caption << " " << c.Left
                                         << " " << c.Width;
  }
}

TEST_F(RzPanel, PanelsAlignedToTheBottomOrRightGrowInward) {
  panel_->SetAlign(alBottom);
  const int bottom = panel_->Top() + panel_->Height();
  panel_->SetHeight(panel_->Height() + 20);
  EXPECT_EQ(panel_->Top() + panel_->Height(), bottom);
  panel_->SetAlign(alRight);
  const int right = panel_->Left() + panel_->Width();
  panel_->SetWidth(panel_->Width() + 15);
  EXPECT_EQ(panel_->Left() + panel_->Width(), right);
}

TEST_F(RzPanel, ATransparentPanelPaintsItsParentOnlyWithFullRepaint) {
  auto* parent = Place(Bounds(150, 10, 200, 200));
  parent->OnPaint = MakeEvent(static_cast<RzPanel*>(this), &RzPanel::Painted);
  panel_->SetParent(parent);
  panel_->SetTransparent(true);
  for (bool full : {true, false}) {
    panel_->SetFullRepaint(full);
    PumpWhileBusy();
    paints_ = 0;
    HDC dc = GetDC(panel_->Handle());
    EXPECT_EQ(SendMessageA(panel_->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(panel_->Handle(), dc);
    EXPECT_EQ(paints_, full ? 1 : 0) << full;
  }
}

// ---------------------------------------------------------------------------------------------
class RzGroupBox : public RzPanel {
 protected:
  void SetUp() override {
    RzPanel::SetUp();
    box_ = Place<TRzGroupBox>(Bounds(10, 80, 200, 105));
    box_->SetCaption("&Video");
    textHeight_ = picture_.Canvas()->TextHeight("Yy");
  }
  TRzGroupBox* box_ = nullptr;
  int textHeight_ = 0;
};

TEST_F(RzGroupBox, ClientAreaLeavesRoomForTheCaption) {
  auto* child = new TPanel(form_.get());
  child->SetParent(box_);
  child->SetAlign(alClient);
  const int h = textHeight_;
  struct TCase {
    TRzGroupBoxStyle Style;
    const char* Caption;
    TRect Client;
  } const cases[] = {
      {gsFlat, "&Video", {1, h + 1, 199, 104}},
      {gsStandard, "&Video", {2, h + 2, 198, 103}},
      {gsCustom, "", {2, 2, 198, 103}},
      {gsCustom, "&Video", {2, h + 2, 198, 103}},
      {gsTopLine, "&Video", {0, h, 200, 105}},
      {gsBanner, "&Video", {0, h + 8, 200, 105}},
      {gsUnderline, "&Video", {0, h + 4, 200, 105}},
  };
  for (const TCase& c : cases) {
    box_->SetGroupStyle(c.Style);
    box_->SetCaption(c.Caption);
    box_->Realign();
    EXPECT_EQ(child->BoundsRect(), c.Client) << c.Style << " '" << c.Caption << "'";
  }
}

TEST_F(RzGroupBox, OwnFramesWithoutVisualStyles) {
  TVisualStylesOff off;
  const int top = textHeight_ / 2 - 1;
  const COLORREF flat = Rgb(ShiftColorLum(clBtnShadow, 30)), face = Rgb(clBtnFace);
  box_->SetCaption("&Video    ");  // blank room at the caption's end
  const TRect caption = box_->CaptionRect();
  EXPECT_EQ(caption.Left, 8);
  struct TCase {
    TRzGroupBoxStyle Style;
    int X, Y;
    COLORREF Color;
  } const cases[] = {
      {gsFlat, 0, top + 10, flat},       {gsFlat, 1, top + 1, flat},      {gsFlat, 0, top, face},
      {gsFlat, 4, top, flat},            {gsFlat, caption.Right - 2, top, face},  // under the caption
      {gsFlat, 199, 60, flat},           {gsFlat, 100, 104, flat},
      {gsUnderline, 3, caption.Bottom + 2 - 2 + 2, flat},
      {gsBanner, 0, 1, Rgb(DarkenColor(clBtnFace, 40))}, {gsBanner, 100, 1, Rgb(clWindow)},
      {gsBanner, 0, top + 10 + textHeight_, face},
  };
  for (const TCase& c : cases) {
    box_->SetGroupStyle(c.Style);
    EXPECT_TRUE(Near(Pixel(box_, c.X, c.Y), c.Color)) << c.Style << " at " << c.X << "," << c.Y;
  }
}

TEST_F(RzGroupBox, TheCaptionsAcceleratorFocusesTheFirstChild) {
  auto* edit = new TEdit(form_.get());
  edit->SetParent(box_);
  edit->SetBounds(10, 30, 80, 20);
  auto* other = Place<TEdit>(Bounds(250, 10, 80, 20));
  other->SetFocus();
  EXPECT_EQ(box_->Perform(CM_DIALOGCHAR, 'v', 0), 1);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(box_->Perform(CM_DIALOGCHAR, 'x', 0), 0);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The panel as a dock site: a 300 x 200 borderless panel at the form's client origin with two
// framed panels docked side by side.
class RzPanelDock : public RzPanel {
 protected:
  void SetUp() override {
    NewForm(400, 300);
    panel_ = Place(Bounds(0, 0, 300, 200));
    panel_->SetBorderOuter(fsNone);
    panel_->SetDockSite(true);
    files_ = Dockable("Files");
    preview_ = Dockable("Preview");
    form_->Show();
    ASSERT_TRUE(files_->ManualDock(panel_));
    ASSERT_TRUE(preview_->ManualDock(panel_, files_, alRight));
  }
  void TearDown() override {
    CancelDrag();
    form_.reset();
    PumpWhileBusy();
  }
  TRzPanel* Dockable(const std::string& caption) {
    auto* client = Place(Bounds(0, 0, 80, 60));
    client->SetCaption(caption);
    client->SetDragKind(dkDock);
    return client;
  }
  void Press(UINT msg, TPoint p) { SendMessageA(panel_->Handle(), msg, MK_LBUTTON, PointToLParam(p)); }

  TRzPanel* files_ = nullptr;
  TRzPanel* preview_ = nullptr;
};

TEST_F(RzPanelDock, ClientsSitSideBySideUnderCaptionStrips) {
  ASSERT_NE(ObjectAs<TRzPanelDockManager>(panel_->DockManager()), nullptr);
  EXPECT_TRUE(panel_->DoubleBuffered());
  EXPECT_EQ(panel_->DockManager()->GrabberSize(), 14);
  // 300 less the splitter, halved; the 14-pixel strips above the clients
  EXPECT_EQ(files_->BoundsRect(), TRect(0, 14, 148, 200));
  EXPECT_EQ(preview_->BoundsRect(), TRect(152, 14, 300, 200));
  EXPECT_EQ(panel_->DockManager()->CloseButtonRect({152, 0, 300, 200}), TRect(285, 1, 298, 12));

  // no client holds the focus: both strips in the inactive caption colours, the close box a glyph
  EXPECT_EQ(Pixel(panel_, 120, 1), Rgb(clInactiveCaption));
  EXPECT_EQ(Pixel(panel_, 270, 1), Rgb(clInactiveCaption));
  bool glyph = false;
  for (int x = 286; x < 297 && !glyph; ++x)
    for (int y = 2; y < 11 && !glyph; ++y) glyph = Pixel(panel_, x, y) == Rgb(clInactiveCaptionText);
  EXPECT_TRUE(glyph);
  // the client with the focus has the active colours
  auto* edit = new TEdit(form_.get());
  edit->SetParent(files_);
  edit->SetFocus();
  EXPECT_EQ(Pixel(panel_, 120, 1), Rgb(clActiveCaption));
  EXPECT_EQ(Pixel(panel_, 270, 1), Rgb(clInactiveCaption));
  // without captions, the classic strip: no caption colour
  panel_->SetShowDockClientCaptions(false);
  EXPECT_EQ(Pixel(panel_, 120, 1), Rgb(clBtnFace));
}

TEST_F(RzPanelDock, APanelAlongTheTopHasItsStripsOnTheLeft) {
  panel_->SetAlign(alTop);
  EXPECT_EQ(files_->Left(), 14);
  EXPECT_EQ(files_->Top(), 0);
  EXPECT_EQ(panel_->DockManager()->CloseButtonRect({152, 0, 300, 200}), TRect(153, 1, 164, 12));
  EXPECT_EQ(Pixel(panel_, 2, 40), Rgb(clInactiveCaption));
  // the rotated caption runs up from the strip's bottom
  bool text = false;
  for (int y = 150; y < 197 && !text; ++y)
    for (int x = 1; x < 13 && !text; ++x) text = Pixel(panel_, x, y) == Rgb(clInactiveCaptionText);
  EXPECT_TRUE(text);
}

TEST_F(RzPanelDock, TheStripsCloseBoxHidesAndItsDragFloats) {
  Press(WM_LBUTTONDOWN, {291, 6});
  Press(WM_LBUTTONUP, {291, 6});
  EXPECT_FALSE(preview_->Visible());
  EXPECT_EQ(files_->BoundsRect(), TRect(0, 14, 300, 200));
  preview_->Show();
  EXPECT_EQ(files_->BoundsRect(), TRect(0, 14, 148, 200));

  Mouse->SetCursorPos(panel_->ClientToScreen({50, 5}));
  Press(WM_LBUTTONDOWN, {50, 5});
  ASSERT_TRUE(files_->Dragging());
  HWND capture = GetCapture();
  Mouse->SetCursorPos(panel_->ClientToScreen({600, 450}));
  SendMessageA(capture, WM_MOUSEMOVE, MK_LBUTTON, 0);
  SendMessageA(capture, WM_LBUTTONUP, 0, 0);
  ASSERT_NE(ObjectAs<TCustomDockForm>(files_->HostDockSite()), nullptr);
  EXPECT_EQ(files_->HostDockSite()->Caption(), "Files");
  EXPECT_EQ(preview_->BoundsRect(), TRect(0, 14, 300, 200));
}
