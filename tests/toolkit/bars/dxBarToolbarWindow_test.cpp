// Toolbar frames: the border widths each painter gives per docking style, the mark's arrow and
// chevrons, the toolbar background's order of sources, and real toolbar windows docked and
// floating (borders, drag-handle hit tests, hidden links behind the mark, the caption's close
// button driven by real mouse messages, a WM_QUIT met by its loop).
#include "calderan_test.h"

#include "bars_fixture.h"
#include "barwindow_fixture.h"
#include "dxBarDrawRoutines.h"
#include "dxBarManagerList.h"
#include "dxBarToolbar.h"

namespace {

// A bar window that answers what a test gives it about its toolbar and frame.
class TFrameBar : public TCustomdxBarControl {
 public:
  using TCustomdxBarControl::TCustomdxBarControl;
  using TWinControl::DestroyHandle;
  TdxBar* Bar() const override { return Toolbar; }
  TdxBarDockingStyle DockingStyle() const override { return Style; }
  bool IsVertical() const override { return Style == dsLeft || Style == dsRight; }
  bool CanBeMoved() const override { return Movable; }
  bool HasCaption() const override { return Caption; }
  bool HasHiddenItems() const override { return HiddenItems; }
  int MarkState() const override { return Mark; }
  TBitmap* GetBackgroundBitmap() const override { return Toolbar->BackgroundBitmap(); }

  TdxBar* Toolbar = nullptr;
  TdxBarDockingStyle Style = dsTop;
  bool Movable = true;
  bool Caption = true;
  bool HiddenItems = false;
  int Mark = 0;
};

class ToolbarFrames : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    toolbar_ = new TdxBar(form_.get());
    toolbar_->SetBarManager(manager_);
    frame_ = new TFrameBar(form_.get(), manager_);
    frame_->Toolbar = toolbar_;
    frame_->SetParent(form_.get());
    frame_->SetBounds(0, 60, 200, 30);
  }
  TdxBar* toolbar_ = nullptr;
  TFrameBar* frame_ = nullptr;
};

const TdxBarPainterClass base = TdxBarPainter::Instance();
const TdxBarPainterClass standard = TdxBarStandardPainter::Instance();
const TdxBarPainterClass enhanced = TdxBarEnhancedPainter::Instance();

int FrameX() { return GetSystemMetrics(SM_CXFRAME); }
int FrameY() { return GetSystemMetrics(SM_CYFRAME); }
int SmallCaption() { return ReadNonClientMetrics().iSmCaptionHeight; }

// Pixels of the colour in the rectangle.
int CountColor(TPainterSurface& s, const TRect& r, TColor color) { return s.Count(r, color); }

}  // namespace

TEST_F(ToolbarFrames, BorderWidthsForEachPainterAndDockingStyle) {
  struct TCase {
    const char* name;
    TdxBarPainterClass painter;
    TdxBarDockingStyle style;
    TdxBarBorderStyle border;
    bool movable, caption, grip, handle;
    TRect expected;
  } cases[] = {
      {"standard docked top: grips on the left", standard, dsTop, bbsSingle, true, true, false, true, {11, 2, 2, 2}},
      {"enhanced docked top", enhanced, dsTop, bbsSingle, true, true, false, true, {8, 2, 2, 2}},
      {"standard docked left: grips at the top", standard, dsLeft, bbsSingle, true, true, false, true, {2, 11, 2, 2}},
      {"docked left, not movable", standard, dsLeft, bbsSingle, false, true, false, true, {2, 2, 2, 2}},
      {"base docked top has no drag handle", base, dsTop, bbsSingle, true, true, false, true, {2, 2, 2, 2}},
      {"no border", standard, dsTop, bbsNone, true, true, false, true, {0, 0, 0, 0}},
      {"floating without caption: the system frame", standard, dsNone, bbsSingle, true, false, false, true,
       {FrameX(), FrameY(), FrameX(), FrameY()}},
      {"standard floating with caption", standard, dsNone, bbsSingle, true, true, false, true,
       {FrameX() + 4, FrameY() + SmallCaption() + 1 + 2, FrameX() + 4, FrameY() + 1}},
      {"base floating with caption", base, dsNone, bbsSingle, true, true, false, true,
       {FrameX(), FrameY() + SmallCaption() + 1, FrameX(), FrameY()}},
      {"a window not made yet counts as captioned", base, dsNone, bbsSingle, true, false, false, false,
       {FrameX(), FrameY() + SmallCaption() + 1, FrameX(), FrameY()}},
  };
  for (const TCase& c : cases) {
    toolbar_->SetBorderStyle(c.border);
    frame_->Style = c.style;
    frame_->Movable = c.movable;
    frame_->Caption = c.caption;
    if (c.handle) frame_->HandleNeeded();
    else frame_->DestroyHandle();
    EXPECT_EQ(c.painter->GetToolbarBorderOffsets(frame_, c.style, c.grip), c.expected) << c.name;
  }
}

TEST_F(ToolbarFrames, AStatusBarLikeToolbarHasATopMarginAndItsGrip) {
  toolbar_->SetBorderStyle(bbsNone);
  toolbar_->SetWholeRow(true);
  toolbar_->SetDockingStyle(dsBottom);
  frame_->Style = dsBottom;
  const int grip = GetSystemMetrics(SM_CXHSCROLL);
  EXPECT_EQ(standard->GetToolbarBorderOffsets(frame_, dsBottom, false), (TRect{0, 2, 0, 0}));
  EXPECT_EQ(standard->GetToolbarBorderOffsets(frame_, dsBottom, true), (TRect{0, 2, grip, 0}));
  EXPECT_EQ(standard->GetToolbarBorderOffsets(frame_, dsTop, true), (TRect{0, 0, grip, 0})) << "not at the bottom";
}

TEST_F(ToolbarFrames, MarkRectanglesPerDockingStyle) {
  frame_->Style = dsTop;
  EXPECT_EQ(base->CalcMarkRect(frame_, {0, 0, 100, 22}), (TRect{89, 0, 100, 22}));
  frame_->Style = dsLeft;
  EXPECT_EQ(base->CalcMarkRect(frame_, {0, 0, 22, 100}), (TRect{0, 89, 22, 100}));
  frame_->Style = dsNone;
  // Floating: a square at the caption's end, before the close button when there is one.
  EXPECT_EQ(base->CalcMarkRect(frame_, {4, 4, 100, 18}), (TRect{86, 4, 100, 18}));
  EXPECT_EQ(standard->CalcMarkRect(frame_, {4, 4, 100, 18}), (TRect{4, 4, 17, 18})) << "standard: at the left";
}

// The customize arrow and the chevrons, in a 16-pixel (small) and a 17-pixel mark.
TEST_F(ToolbarFrames, MarkArrowAndChevronsAndTheSmallCaptionShift) {
  frame_->Style = dsTop;
  frame_->HiddenItems = true;
  const TColor ground = 0x123456;
  const TColor text = static_cast<TColor>(ColorToRGB(clBtnText));
  auto arrowRow = [&](TdxBarPainterClass painter, int height) {
    TPainterSurface s(11, height, ground);
    painter->DrawMark(frame_, s.Canvas()->GetHandle(), 0, {0, 0, 11, height});
    for (int y = height - 1; y >= 0; --y)
      if (s.Pixel(5, y) == text && s.Pixel(3, y) == text && s.Pixel(7, y) == text) return y;
    return -1;
  };
  auto firstChevronRow = [&](TdxBarPainterClass painter, int height) {
    TPainterSurface s(11, height, ground);
    painter->DrawMarkChevrons(frame_, s.Canvas()->GetHandle(), {0, 0, 11, height});
    for (int y = 0; y < height; ++y)
      if (s.Pixel(2, y) != ground) return y;
    return -1;
  };
  // The arrow's top row (x = left + 3 .. left + 7) lies at bottom - 7, one lower when small.
  EXPECT_EQ(arrowRow(base, 17), 17 - 7);
  EXPECT_EQ(arrowRow(base, 16), 16 - 7 + 1);
  EXPECT_EQ(firstChevronRow(base, 17), 4);
  EXPECT_EQ(firstChevronRow(base, 16), 3);
  // Enhanced shows the arrow; standard only the chevrons, and no shift (never a small caption).
  EXPECT_EQ(arrowRow(enhanced, 16), 16 - 7);
  EXPECT_EQ(arrowRow(standard, 17), -1);
  TPainterSurface chevrons(11, 17, ground);
  standard->DrawMark(frame_, chevrons.Canvas()->GetHandle(), 0, {0, 0, 11, 17});
  EXPECT_GT(CountColor(chevrons, {0, 0, 11, 17}, clBtnShadow), 0);
  EXPECT_GT(CountColor(chevrons, {0, 0, 11, 17}, clBtnHighlight), 0);
  frame_->HiddenItems = false;
  TPainterSurface empty(11, 17, ground);
  standard->DrawMark(frame_, empty.Canvas()->GetHandle(), 0, {0, 0, 11, 17});
  EXPECT_EQ(CountColor(empty, {0, 0, 11, 17}, ground), 11 * 17) << "nothing without hidden items";
}

TEST_F(ToolbarFrames, BackgroundOwnPictureThenColourThenDock) {
  TPainterSurface s(20, 20, clBlack);
  HDC dc = s.Canvas()->GetHandle();
  toolbar_->SetColor(clRed);
  standard->DrawBarBackground(frame_, dc, GetSysColorBrush(COLOR_BTNFACE), {0, 0, 20, 20});
  EXPECT_EQ(s.Pixel(5, 5), ColorToRGB(clRed)) << "a colour ignores the dock's background";
  TBitmap* picture = toolbar_->BackgroundBitmap();
  picture->SetSize(4, 4);
  picture->Canvas()->Brush()->SetColor(clLime);
  picture->Canvas()->FillRect({0, 0, 4, 4});
  standard->DrawBarBackground(frame_, dc, GetSysColorBrush(COLOR_BTNFACE), {0, 0, 20, 20});
  EXPECT_EQ(s.Pixel(5, 5), ColorToRGB(clLime)) << "its own picture wins over the colour";
  toolbar_->BackgroundBitmap()->SetSize(0, 0);
  toolbar_->SetColor(clDefault);
  standard->DrawBarBackground(frame_, dc, GetSysColorBrush(COLOR_BTNFACE), {0, 0, 20, 20});
  EXPECT_EQ(s.Pixel(5, 5), ColorToRGB(clBtnFace));
}

TEST_F(ToolbarFrames, StandardGripsAreRaisedAndAbsentWhenNotMovable) {
  const TRect window{0, 0, 60, 24};
  auto gripPixels = [&](TdxBarPainterClass painter, bool movable) {
    frame_->Movable = movable;
    TPainterSurface s(60, 24, 0x123456);
    painter->DrawToolbarBorder(frame_, s.Canvas()->GetHandle(), GetSysColorBrush(COLOR_BTNFACE), window);
    return CountColor(s, {2, 2, 11, 22}, clBtnHighlight);
  };
  EXPECT_GT(gripPixels(standard, true), 0);
  EXPECT_EQ(gripPixels(standard, false), 0);
  EXPECT_GT(gripPixels(standard, true), gripPixels(enhanced, true)) << "two grips against one";
}

// ---------------------------------------------------------------------------------------------
// Real toolbar windows.

namespace {

class ToolbarWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartBarTestUnits();
  }
  void SetUp() override {
    form_ = std::make_unique<TForm>(nullptr, 0);
    form_->SetBounds(50, 50, 500, 300);
    manager_ = new TdxBarManager(form_.get());
    manager_->SetStyle(bmsStandard);
    form_->Show();
  }
  void TearDown() override { form_.reset(); }

  // A toolbar of n buttons shown in a window of the style; a docked window lies on the form.
  TdxBarControl* MakeToolbar(int buttons, TdxBarDockingStyle style) {
    auto* toolbar = new TdxBar(form_.get());
    toolbar->SetBarManager(manager_);
    toolbar->SetCaption("Tools");
    for (int i = 0; i < buttons; ++i) {
      auto* button = new TdxBarButton(form_.get());
      button->SetCaption("Button " + std::to_string(i + 1));
      toolbar->ItemLinks()->AddItem(button);
    }
    auto* window = new TdxBarControl(form_.get(), manager_);
    window->SetItemLinks(toolbar->ItemLinks());
    toolbar->ItemLinks()->SetBarControl(window);
    window->SetDockingStyle(style);
    window->SetToolbar(toolbar);
    if (style != dsNone) window->SetParent(form_.get());
    window->HandleNeeded();
    const TSize size = window->CalcFullSize();
    window->SetBounds(style == dsNone ? 200 : 0, style == dsNone ? 200 : 0, size.cx, size.cy);
    window->SetVisible(true);
    ShowWindow(window->Handle(), SW_SHOWNA);
    window->Rebuild();
    return window;
  }

  std::unique_ptr<TForm> form_;
  TdxBarManager* manager_ = nullptr;
};

TRect ClientInScreen(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return {origin.x, origin.y, origin.x + r.right, origin.y + r.bottom};
}

TRect WindowInScreen(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

LRESULT HitTest(TdxBarControl* bar, const TPoint& screen) {
  return SendMessageA(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(screen.X, screen.Y));
}

}  // namespace

TEST_F(ToolbarWindows, ADockedToolbarHasItsBordersAndItsDragHandle) {
  TdxBarControl* bar = MakeToolbar(2, dsTop);
  EXPECT_EQ(GetWindowLongA(bar->Handle(), GWL_STYLE) & (WS_CHILD | WS_POPUP), WS_CHILD);
  const TRect window = WindowInScreen(bar->Handle()), client = ClientInScreen(bar->Handle());
  const TRect borders = bar->GetPainter()->GetToolbarBorderOffsets(bar, dsTop, false);
  EXPECT_EQ(client.Left - window.Left, borders.Left);
  EXPECT_EQ(client.Top - window.Top, borders.Top);
  EXPECT_EQ(window.Right - client.Right, borders.Right);
  // The drag handle answers HTCLIENT but is remembered as the caption; a button is an item.
  EXPECT_EQ(HitTest(bar, {window.Left + 4, window.Top + 5}), HTCLIENT);
  EXPECT_EQ(bar->LastHitTest(), HTCAPTION);
  TdxBarItemLink* first = bar->ItemLinks()->GetVisibleLink(0);
  EXPECT_EQ(HitTest(bar, bar->ClientToScreen(CentreOf(first))), HTCLIENT);
  EXPECT_EQ(bar->LastHitTest(), 0);
  EXPECT_FALSE(bar->HasHiddenItems());
  EXPECT_FALSE(bar->MarkExists()) << "the standard look shows no mark while every link fits";
}

TEST_F(ToolbarWindows, ATooNarrowToolbarHidesTheRestBehindTheMark) {
  TdxBarControl* bar = MakeToolbar(4, dsTop);
  const TSize full = bar->CalcFullSize();
  bar->SetBounds(0, 0, full.cx - 40, full.cy);
  ASSERT_TRUE(bar->HasHiddenItems());
  EXPECT_TRUE(bar->MarkExists());
  TdxBarItemLinks* links = bar->ItemLinks();
  EXPECT_FALSE(links->GetVisibleLink(0)->ItemRect().IsEmpty());
  EXPECT_TRUE(links->GetVisibleLink(3)->ItemRect().IsEmpty()) << "the last button did not fit";
  // The placed links end before the mark.
  const TRect mark = bar->MarkRect();
  for (int i = 0; i < links->GetVisibleCount(); ++i)
    EXPECT_LE(links->GetVisibleLink(i)->ItemRect().Right, mark.Left) << i;
  bar->SetBounds(0, 0, full.cx, full.cy);
  EXPECT_FALSE(bar->HasHiddenItems());
}

TEST_F(ToolbarWindows, AFloatingToolbarIsAnOwnedPopupWithASizingFrame) {
  TdxBarControl* bar = MakeToolbar(2, dsNone);
  EXPECT_EQ(GetWindowLongA(bar->Handle(), GWL_STYLE) & (WS_CHILD | WS_POPUP), WS_POPUP);
  EXPECT_EQ(GetWindow(bar->Handle(), GW_OWNER), form_->Handle());
  const TRect window = WindowInScreen(bar->Handle());
  EXPECT_EQ(HitTest(bar, {window.Left + window.Width() / 2, window.Top}), HTTOP);
  EXPECT_EQ(HitTest(bar, {window.Right - 1, window.Top + window.Height() / 2}), HTRIGHT);
  EXPECT_EQ(HitTest(bar, {window.Left, window.Top + window.Height() / 2}), HTLEFT);
  const TRect close = bar->CloseButtonRect();
  EXPECT_EQ(HitTest(bar, {window.Left + close.Left + 2, window.Top + close.Top + 2}), HTCLIENT);
  EXPECT_EQ(bar->LastHitTest(), HTCLOSE);
  const TRect caption = bar->FloatingCaptionRect();
  EXPECT_EQ(HitTest(bar, {window.Left + caption.Left + 20, window.Top + caption.Top + 2}), HTCLIENT);
  EXPECT_EQ(bar->LastHitTest(), HTCAPTION);
}

// Pressing the close button starts its own loop; the toolbar closes only when the button goes up
// over it.
TEST_F(ToolbarWindows, TheCaptionCloseButtonClosesOnlyWhenReleasedOverIt) {
  struct TCase {
    const char* name;
    bool releaseOver;
  } cases[] = {{"released over the button", true}, {"released elsewhere", false}};
  for (const TCase& c : cases) {
    TdxBarControl* bar = MakeToolbar(1, dsNone);
    TdxBar* toolbar = bar->Bar();
    const TRect window = WindowInScreen(bar->Handle()), close = bar->CloseButtonRect();
    const TPoint over{window.Left + close.Left + close.Width() / 2, window.Top + close.Top + close.Height() / 2};
    const TPoint away{window.Left + 10, window.Bottom + 40};
    SetCursorPos(over.X, over.Y);
    HitTest(bar, over);
    PostMessageA(bar->Handle(), WM_MOUSEMOVE, MK_LBUTTON, 0);
    PostMessageA(bar->Handle(), WM_LBUTTONUP, 0, 0);
    // The loop reads the cursor when the button goes up.
    if (!c.releaseOver) SetCursorPos(away.X, away.Y);
    SendMessageA(bar->Handle(), WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(over.X, over.Y));
    EXPECT_EQ(toolbar->Visible(), !c.releaseOver) << c.name;
    EXPECT_EQ(IsWindowVisible(bar->Handle()) != 0, !c.releaseOver) << c.name;
    EXPECT_EQ(GetCapture(), nullptr) << c.name;
    EXPECT_EQ(bar->CloseButtonState(), c.releaseOver ? 1 : 0) << c.name << ": hot while the cursor is over it";
  }
}

TEST_F(ToolbarWindows, TheCloseButtonLoopPostsAQuitItMeetsAgainAndEnds) {
  TdxBarControl* bar = MakeToolbar(1, dsNone);
  const TRect window = WindowInScreen(bar->Handle()), close = bar->CloseButtonRect();
  const TPoint over{window.Left + close.Left + 2, window.Top + close.Top + 2};
  SetCursorPos(over.X, over.Y);
  PostQuitMessage(7);
  SendMessageA(bar->Handle(), WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(over.X, over.Y));
  EXPECT_TRUE(bar->Bar()->Visible()) << "the loop ended without closing";
  EXPECT_EQ(GetCapture(), nullptr);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is there again";
  EXPECT_EQ(msg.wParam, 7u);
}
