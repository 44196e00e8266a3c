// The bar hint window: plain hints, one-line screen-tip hints and full screen tips measured at 96
// and 120 pixels per inch, the choice of layout, the window's mode, and the manager's timers driving
// the real window (ticks are calls of the timer expiries: no test waits).
#include "calderan_test.h"

#include <memory>

#include "bars_fixture.h"
#include "dxBarHintWindow.h"

namespace {
class BarHintWindow : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    cursor_ = {200, 150};
    TdxBarHintWindow::SetHintCursorPos(&cursor_);
    window_ = BarHintWindowInstance();
    ASSERT_NE(window_, nullptr);
    SetBarHintWindow(window_);
    repository_ = new TdxBarScreenTipRepository(form_.get());
    tip_ = repository_->Items()->AddTip();
  }
  void TearDown() override {
    manager_->HideHint();
    window_->Hide();
    TdxBarHintWindow::SetHintCursorPos(nullptr);
    BarFixture::TearDown();
  }
  // The text size of a band as the canvas measures it.
  static TSize TextSize(TFont* font, const std::string& text, UINT flags, int width) {
    TBitmap bitmap(1, 1);
    HDC dc = bitmap.Canvas()->Handle();
    HGDIOBJ old = SelectObject(dc, font->Handle());
    RECT r{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &r, flags);
    SelectObject(dc, old);
    return {r.right, r.bottom};
  }
  static bool HasRegion(HWND window) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(window, region);
    DeleteObject(region);
    return kind != ERROR;
  }

  TPoint cursor_;
  TdxBarHintWindow* window_ = nullptr;
  TdxBarScreenTipRepository* repository_ = nullptr;
  TdxBarScreenTip* tip_ = nullptr;
};

// A hint source that brings its own layout and placement.
class TLayoutSource : public TObject, public IdxBarHintLayoutSource {
 public:
  TdxBarCustomHintViewInfo* CreateHintViewInfo(const std::string& text, const std::string& shortCut) override {
    return new TdxBarHintViewInfo(nullptr, "Own: " + text, shortCut, {0, 0});
  }
  TPoint GetHintPosition(const TPoint& cursor, int) override { return {cursor.X + 7, cursor.Y + 9}; }
};

TRect WindowBounds(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}
}  // namespace

TEST_F(BarHintWindow, APlainHintIsItsTextInARaisedEdgeAtTheCursor) {
  ASSERT_TRUE(window_->ShowBarHint(manager_, "Add files", " (Ctrl+O)"));
  auto* viewInfo = ObjectAs<TdxBarHintViewInfo>(window_->ViewInfo());
  ASSERT_NE(viewInfo, nullptr);
  EXPECT_FALSE(viewInfo->IsScreenTip());
  EXPECT_EQ(viewInfo->Text(), "Add files (Ctrl+O)");
  const TSize text = TextSize(window_->Canvas()->Font(), viewInfo->Text(), DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX,
                              2000);
  EXPECT_EQ(viewInfo->Bounds(), (TRect{0, 0, text.cx + 6, text.cy + 6}));
  EXPECT_TRUE(window_->IsVisible());
  EXPECT_EQ(WindowBounds(window_->Handle()).TopLeft(), cursor_);
  EXPECT_FALSE(window_->IsScreenTipMode());
}

TEST_F(BarHintWindow, AnEmptyHintShowsNoWindow) {
  EXPECT_FALSE(window_->ShowBarHint(manager_, "", " (Ctrl+O)"));
  EXPECT_FALSE(window_->IsVisible());
  EXPECT_EQ(window_->ViewInfo(), nullptr);
}

TEST_F(BarHintWindow, AHintSourceLayoutComesBeforeThePainter) {
  TLayoutSource source;
  manager_->UpdateHint(true, "", &source);
  ASSERT_TRUE(window_->ShowBarHint(manager_, "Clear", ""));
  EXPECT_EQ(ObjectAs<TdxBarHintViewInfo>(window_->ViewInfo())->Text(), "Own: Clear");
  EXPECT_EQ(WindowBounds(window_->Handle()).TopLeft(), (TPoint{cursor_.X + 7, cursor_.Y + 9}));
  // A bar window's hint: its painter's layout, 20 pixels below the cursor. (The window is hidden
  // first: a request while a hint shows is served at once, and these objects give no text.)
  window_->Hide();
  manager_->UpdateHint(true, "", bar_);
  ASSERT_TRUE(window_->ShowBarHint(manager_, "Delete", ""));
  EXPECT_EQ(WindowBounds(window_->Handle()).TopLeft(), (TPoint{cursor_.X, cursor_.Y + 20}));
}

// Metrics at 96 pixels per inch scaled: margins 6 / 14 / 6, glyph columns 16 / 108 - 14 / 16,
// spacing 6 (+ 3 for the footer line); the width 318 with a description glyph.
TEST_F(BarHintWindow, AScreenTipsLayoutAt96And120PixelsPerInch) {
  tip_->Header()->SetText("Add files");
  TBitmap headerGlyph(24, 12), descriptionGlyph(32, 32);
  tip_->Header()->SetGlyph(&headerGlyph);
  tip_->Description()->SetText("Adds video and audio files to the list.");
  tip_->Description()->SetGlyph(&descriptionGlyph);
  tip_->Footer()->SetText("Press F1 for help.");
  struct TCase {
    int ppi, width, headerMargin, headerColumn, descriptionMargin, descriptionColumn, spacing;
  } cases[] = {{96, 318, 6, 16, 14, 94, 6}, {120, 398, 8, 20, 18, 117, 8}};
  TcxCanvas canvas(window_->Canvas());
  for (const TCase& c : cases) {
    TdxBarScreenTipViewInfo viewInfo(manager_, tip_, manager_->Painter(), "", "");
    viewInfo.SetPixelsPerInch(c.ppi);
    viewInfo.CalcBounds(&canvas);
    ASSERT_EQ(viewInfo.BandCount(), 3) << c.ppi;
    EXPECT_EQ(viewInfo.Bounds().Width(), c.width) << c.ppi;
    TdxBarScreenTipBandViewInfo* header = viewInfo.BandViewInfo(0);
    TdxBarScreenTipBandViewInfo* description = viewInfo.BandViewInfo(1);
    TdxBarScreenTipBandViewInfo* footer = viewInfo.BandViewInfo(2);
    EXPECT_EQ(header->HorzMargin(), c.headerMargin);
    EXPECT_EQ(header->GlyphColumnWidth(), c.headerColumn);
    EXPECT_EQ(description->HorzMargin(), c.descriptionMargin);
    EXPECT_EQ(description->GlyphColumnWidth(), c.descriptionColumn);
    // The header glyph, wider than its column, shrinks to it keeping its proportions.
    EXPECT_EQ(header->GlyphSize(), (TSize{c.headerColumn, c.headerColumn / 2})) << c.ppi;
    EXPECT_EQ(description->GlyphSize(), (TSize{32, 32})) << c.ppi;
    // Text right of the glyph column, to the right margin.
    EXPECT_EQ(header->TextBounds().Left, 2 * c.headerMargin + c.headerColumn) << c.ppi;
    EXPECT_EQ(header->TextBounds().Right, c.width - c.headerMargin) << c.ppi;
    EXPECT_EQ(description->TextBounds().Left, 2 * c.descriptionMargin + c.descriptionColumn) << c.ppi;
    EXPECT_EQ(header->GlyphBounds().Left, c.headerMargin) << c.ppi;
    EXPECT_EQ(description->GlyphBounds().Left, c.descriptionMargin + (c.descriptionColumn - 32) / 2) << c.ppi;
    // The description's glyph is at its top; the header's is centred in its band.
    const int headerHeight = description->Top();
    EXPECT_EQ(headerHeight, std::max(header->GlyphSize().cy, header->TextSize().cy) + 2 * c.spacing) << c.ppi;
    EXPECT_EQ(description->GlyphBounds().Top, description->Top() + c.spacing) << c.ppi;
    EXPECT_EQ(header->GlyphBounds().Top, (headerHeight - header->GlyphSize().cy) / 2) << c.ppi;
    EXPECT_EQ(viewInfo.Bounds().Height(),
              footer->Top() + std::max(0, footer->TextSize().cy) + 2 * (c.spacing + 3)) << c.ppi;
  }
}

TEST_F(BarHintWindow, ADescriptionAloneIs210WideAndOneBandHigh) {
  tip_->Header()->SetText("");
  tip_->Description()->SetText("Removes the selected files.");
  TcxCanvas canvas(window_->Canvas());
  TdxBarScreenTipViewInfo viewInfo(manager_, tip_, manager_->Painter(), "Delete", "");
  viewInfo.SetPixelsPerInch(96);
  viewInfo.CalcBounds(&canvas);
  ASSERT_EQ(viewInfo.BandCount(), 1);
  TdxBarScreenTipBandViewInfo* band = viewInfo.BandViewInfo(0);
  const TSize text = TextSize(repository_->DescriptionFont(), "Removes the selected files.",
                              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX, 210 - 28);
  EXPECT_EQ(band->TextSize(), text);
  EXPECT_EQ(viewInfo.Bounds(), (TRect{0, 0, 210, text.cy + 12}));
  // With UseHintAsHeader the hint becomes the header, with the shortcut after it.
  tip_->SetUseHintAsHeader(true);
  TdxBarScreenTipViewInfo withHeader(manager_, tip_, manager_->Painter(), "Delete", " (Del)");
  withHeader.CalcBounds(&canvas);
  ASSERT_EQ(withHeader.BandCount(), 2);
  EXPECT_EQ(withHeader.BandViewInfo(0)->GetText(), "Delete (Del)");
}

TEST_F(BarHintWindow, TheLayoutForAnObjectWithAScreenTip) {
  tip_->Header()->SetText("Add files");
  std::unique_ptr<TdxBarCustomHintViewInfo> full(
      CreateHintViewInfo(manager_, "Add", " (Ctrl+O)", manager_->Painter(), tip_));
  EXPECT_TRUE(full->Is<TdxBarScreenTipViewInfo>());
  // Without descriptions the tip is one line: its header, or the hint when it uses the hint.
  repository_->SetShowDescription(false);
  std::unique_ptr<TdxBarCustomHintViewInfo> line(
      CreateHintViewInfo(manager_, "Add", " (Ctrl+O)", manager_->Painter(), tip_));
  auto* lineInfo = ObjectAs<TdxBarLikeHintScreenTipViewInfo>(line.get());
  ASSERT_NE(lineInfo, nullptr);
  EXPECT_EQ(lineInfo->Text(), "Add files (Ctrl+O)");
  EXPECT_TRUE(lineInfo->IsScreenTip());
  tip_->SetUseHintAsHeader(true);
  line.reset(CreateHintViewInfo(manager_, "Add", " (Ctrl+O)", manager_->Painter(), tip_));
  EXPECT_EQ(ObjectAs<TdxBarHintViewInfo>(line.get())->Text(), "Add (Ctrl+O)");
  // Its frame: 11 pixels around the text.
  TcxCanvas canvas(window_->Canvas());
  window_->Canvas()->Font()->Assign(manager_->Font());
  line->CalcBounds(&canvas);
  const TSize text = TextSize(window_->Canvas()->Font(), "Add (Ctrl+O)", DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX,
                              2000);
  EXPECT_EQ(line->Bounds(), (TRect{0, 0, text.cx + 11, text.cy + 11}));
}

TEST_F(BarHintWindow, SwitchingToAScreenTipRecreatesTheWindowRoundedAndBack) {
  ASSERT_TRUE(window_->ShowBarHint(manager_, "Plain", ""));
  EXPECT_FALSE(HasRegion(window_->Handle()));
  EXPECT_EQ(window_->GetShowDelay(), 1000);
  EXPECT_EQ(window_->GetHideDelay(), 10000);
  tip_->Header()->SetText("Add files");
  tip_->Description()->SetText("Adds files.");
  // A bar window's painter that draws screen tips is not there yet: a source hands the tip over.
  struct TTipSource : TObject, IdxBarHintLayoutSource {
    TdxBarManager* Manager;
    TdxBarScreenTip* Tip;
    TdxBarCustomHintViewInfo* CreateHintViewInfo(const std::string& text, const std::string& shortCut) override {
      return ::CreateHintViewInfo(Manager, text, shortCut, Manager->Painter(), Tip);
    }
    TPoint GetHintPosition(const TPoint& cursor, int) override { return cursor; }
  } source;
  source.Manager = manager_;
  source.Tip = tip_;
  window_->Hide();
  manager_->UpdateHint(true, "", &source);
  ASSERT_TRUE(window_->ShowBarHint(manager_, "Add", ""));
  EXPECT_TRUE(window_->IsScreenTipMode());
  EXPECT_TRUE(window_->DoubleBuffered());
  EXPECT_TRUE(HasRegion(window_->Handle()));
  EXPECT_EQ(window_->GetShowDelay(), 900);
  EXPECT_EQ(window_->GetHideDelay(), 200000);
  manager_->UpdateHint(true, "", nullptr);
  ASSERT_TRUE(window_->ShowBarHint(manager_, "Plain again", ""));
  EXPECT_FALSE(window_->IsScreenTipMode());
  EXPECT_FALSE(window_->DoubleBuffered());
  EXPECT_FALSE(HasRegion(window_->Handle()));
}

// The manager's timers drive the real window: the show delay, the follow-up to another item at
// once, the hide delay.
TEST_F(BarHintWindow, TheHintAppearsFollowsAndHidesWithTheTimers) {
  manager_->UpdateHint(true, "Add files", nullptr);
  EXPECT_FALSE(window_->IsVisible()) << "waits the show delay";
  TdxBarManager::HintShowTimerExpired();
  ASSERT_TRUE(window_->IsVisible());
  EXPECT_EQ(window_->Caption(), "Add files");
  manager_->UpdateHint(true, "", nullptr);  // the mouse leaves for an empty area
  EXPECT_FALSE(window_->IsVisible());
  EXPECT_TRUE(TdxBarManager::IsHintFollowUpOpen());
  manager_->UpdateHint(true, "Delete", nullptr);  // another item within the follow-up delay
  EXPECT_TRUE(window_->IsVisible()) << "shown at once";
  EXPECT_EQ(window_->Caption(), "Delete");
  TdxBarManager::HintHideTimerExpired();
  EXPECT_FALSE(window_->IsVisible());
  TdxBarManager::HintFollowUpTimerExpired();
  EXPECT_FALSE(TdxBarManager::IsHintFollowUpOpen());
}
