#include "calderan_test.h"

#include <algorithm>
#include <string>
#include <vector>

#include "FormReader.h"
#include "StdCtrls.h"
#include "RzFrameController.h"
#include "RzPanel.h"
#include "RzTabs.h"
#include "RzTrkBar.h"
#include "framed_control_fixture.h"
#include "message_pump.h"
#include "stored_form_test.h"

// A form as the application's clip editor is: its handlers record what reached them.
class TClipEditorProbe : public TForm {
  CALDERAN_CLASS(TClipEditorProbe)
  using TForm::TForm;
  void PagesChanging(TObject*, int newIndex, bool&) { log.push_back("changing " + std::to_string(newIndex)); }
  void PagesChange(TObject*) { log.push_back("change"); }
  void PagesPageChange(TObject*) { log.push_back("page change"); }
  void BrightnessChange(TObject*) { log.push_back("brightness"); }
  void PagesDockDrop(TObject*, TDragDockObject*, int, int) { log.push_back("dock drop"); }
  void PagesDockOver(TObject*, TDragDockObject*, int, int, TDragState, bool&) {}
  void PagesEndDock(TObject*, TObject*, int, int) {}
  void PagesGetSiteInfo(TObject*, TControl*, TRect&, TPoint, bool&) {}
  void PagesStartDock(TObject*, TDragDockObject*&) {}
  void PagesUnDock(TObject*, TControl*, TWinControl*, bool&) {}
  std::vector<std::string> log;
};
CALDERAN_IMPLEMENT_CREATABLE(TClipEditorProbe, TForm, TComponent*)

namespace {
constinit const TMethodInfo clipEditorMethods[] = {
    PublishedMethod<&TClipEditorProbe::PagesChanging>("PagesChanging"),
    PublishedMethod<&TClipEditorProbe::PagesChange>("PagesChange"),
    PublishedMethod<&TClipEditorProbe::PagesPageChange>("PagesPageChange"),
    PublishedMethod<&TClipEditorProbe::BrightnessChange>("BrightnessChange"),
    PublishedMethod<&TClipEditorProbe::PagesDockDrop>("PagesDockDrop"),
    PublishedMethod<&TClipEditorProbe::PagesDockOver>("PagesDockOver"),
    PublishedMethod<&TClipEditorProbe::PagesEndDock>("PagesEndDock"),
    PublishedMethod<&TClipEditorProbe::PagesGetSiteInfo>("PagesGetSiteInfo"),
    PublishedMethod<&TClipEditorProbe::PagesStartDock>("PagesStartDock"),
    PublishedMethod<&TClipEditorProbe::PagesUnDock>("PagesUnDock"),
};

bool IsDeleted(HGDIOBJ object) { return GetObjectType(object) == 0; }
HRGN Box(int size) { return CreateRectRgn(0, 0, size, size); }

class RzTabs : public FramedControlFixture<TRzPageControl> {
 protected:
  static void SetUpTestSuite() {
    FramedControlFixture::SetUpTestSuite();
    RegisterPublishedMethods(TClipEditorProbe::StaticClass(), clipEditorMethods);
    RegisterClasses({TClipEditorProbe::StaticClass()});
  }
  void SetUp() override {
    NewForm(500, 400);
    pages_ = Place(Bounds(0, 0, 400, 200));
  }

 public:
  // Pages with fixed-size tabs, so that the geometry does not depend on the font.
  void AddPages(int count, int tabWidth = 60, int tabHeight = 20) {
    pages_->SetTabWidth(tabWidth);
    pages_->SetTabHeight(tabHeight);
    for (int i = 0; i < count; ++i) {
      auto* page = new TRzTabSheet(form_.get());
      page->SetCaption("Page " + std::to_string(i));
      page->SetPageControl(pages_);
    }
    form_->HandleNeeded();
    pages_->LayoutIfNeeded();
  }
  TRect TabRect(int i) const { return pages_->Tabs()->Items(i)->TabRect; }
  int Row(int i) const { return pages_->Tabs()->Items(i)->Row; }
  void Changing(TObject*, int index, bool& allow) {
    log_.push_back("changing " + std::to_string(index));
    allow = allowChange_;
  }
  void Change(TObject*) { log_.push_back("change"); }
  void PageChange(TObject*) { log_.push_back("page change"); }
  void AllowClose(TObject*, bool& allow) { allow = true; }
  void Watch() {
    pages_->OnChanging = MakeEvent(this, &RzTabs::Changing);
    pages_->OnChange = MakeEvent(this, &RzTabs::Change);
    pages_->OnPageChange = MakeEvent(this, &RzTabs::PageChange);
    log_.clear();
  }

 protected:
  TRzPageControl* pages_ = nullptr;
  std::vector<std::string> log_;
  bool allowChange_ = true;
};

using TLog = std::vector<std::string>;

// ---------------------------------------------------------------------------------------------
// Tab data and the region cache

TEST_F(RzTabs, RegionCacheCapacityRules) {
  TRzTabRegionCache cache;
  EXPECT_EQ(cache.Capacity(), 1);
  HRGN first = Box(1), second = Box(2);
  cache.AddRegion({0, 0, 1, 1}, first);
  cache.AddRegion({0, 0, 2, 2}, second);
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_TRUE(IsDeleted(first));  // evicted
  EXPECT_EQ(cache.FindRegion({0, 0, 2, 2}), second);
  cache.SetCapacity(-1);
  std::vector<HRGN> regions;
  for (int i = 3; i < 8; ++i) {
    regions.push_back(Box(i));
    cache.AddRegion({0, 0, i, i}, regions.back());
  }
  EXPECT_EQ(cache.Count(), 6);
  cache.SetCapacity(2);  // all but the two most recently added go at once
  EXPECT_EQ(cache.Count(), 2);
  EXPECT_EQ(cache.FindRegion({0, 0, 7, 7}), regions[4]);
  EXPECT_EQ(cache.FindRegion({0, 0, 6, 6}), regions[3]);
  EXPECT_TRUE(IsDeleted(regions[0]));
  EXPECT_TRUE(IsDeleted(second));
  for (int bad : {0, -2}) {
    try {
      cache.SetCapacity(bad);
      ADD_FAILURE() << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Capacity must be -1 (to cache all regions) or > 0");
    }
    EXPECT_EQ(cache.Capacity(), 2);
  }
  cache.Clear();
  EXPECT_TRUE(IsDeleted(regions[4]));
}

TEST_F(RzTabs, AddingARegionForACachedRectangleKeepsNoHandleBehind) {
  TRzTabRegionCache cache;
  cache.SetCapacity(-1);
  HRGN kept = Box(4), duplicate = Box(4);
  cache.AddRegion({0, 0, 4, 4}, kept);
  cache.AddRegion({0, 0, 9, 9}, Box(9));
  cache.AddRegion({0, 0, 4, 4}, duplicate);
  EXPECT_EQ(cache.Count(), 2);
  EXPECT_EQ(cache.FindRegion({0, 0, 4, 4}), kept);
  EXPECT_TRUE(IsDeleted(duplicate));
  EXPECT_FALSE(IsDeleted(kept));
  cache.SetCapacity(1);  // the rectangle added again is the most recent one
  EXPECT_EQ(cache.FindRegion({0, 0, 4, 4}), kept);
}

TEST_F(RzTabs, TabDataAssignCopiesAllButTheLayout) {
  TRzTabData source, copy;
  source.Caption = "&Trim";
  source.Color = clRed;
  source.DisabledIndex = 3;
  source.Enabled = false;
  source.Hint = "cut";
  source.ImageIndex = 2;
  source.Visible = false;
  source.TabRect = {1, 2, 3, 4};
  source.Row = 2;
  copy.Assign(&source);
  EXPECT_EQ(copy.Caption, "&Trim");
  EXPECT_EQ(copy.Color, clRed);
  EXPECT_EQ(copy.DisabledIndex, 3);
  EXPECT_FALSE(copy.Enabled);
  EXPECT_EQ(copy.Hint, "cut");
  EXPECT_EQ(copy.ImageIndex, 2);
  EXPECT_FALSE(copy.Visible);
  EXPECT_EQ(copy.TabRect, TRect{});
  EXPECT_EQ(copy.Row, 0);
  TRzTabDataList list, other;
  list.Add(new TRzTabData);
  list.Items(0)->Caption = "one";
  other.Assign(&list);
  ASSERT_EQ(other.Count(), 1);
  EXPECT_EQ(other.Items(0)->Caption, "one");
  EXPECT_NE(other.Items(0), list.Items(0));
}

// ---------------------------------------------------------------------------------------------
// Selection

TEST_F(RzTabs, SelectingTheCurrentOrAnOutOfRangeTabRaisesNoEvent) {
  AddPages(3);
  pages_->SetActivePageIndex(1);
  Watch();
  pages_->SetTabIndex(1);
  EXPECT_EQ(log_, TLog{});
  pages_->SetTabIndex(7);
  EXPECT_EQ(pages_->TabIndex(), -1);
  EXPECT_EQ(log_, TLog{});
  pages_->SetTabIndex(2);
  EXPECT_EQ(log_, (TLog{"changing 2", "change", "page change"}));
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(2));
  EXPECT_TRUE(pages_->Pages(2)->Visible());
  EXPECT_FALSE(pages_->Pages(1)->Visible());
}

TEST_F(RzTabs, ARefusedChangeKeepsPageRowsAndFirstShownTab) {
  pages_->SetMultiLine(true);
  AddPages(6, 180);
  pages_->SetActivePageIndex(0);
  ASSERT_EQ(pages_->RowCount(), 3);
  std::vector<int> rows;
  for (int i = 0; i < 6; ++i) rows.push_back(Row(i));
  Watch();
  allowChange_ = false;
  pages_->SetTabIndex(5);
  EXPECT_EQ(pages_->TabIndex(), 0);
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(0));
  EXPECT_TRUE(pages_->Pages(0)->Visible());
  EXPECT_FALSE(pages_->Pages(5)->Visible());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Row(i), rows[i]) << i;
  EXPECT_EQ(pages_->FirstShownTab(), 0);
  EXPECT_EQ(log_, TLog{"changing 5"});
}

TEST_F(RzTabs, RenumberingTabsKeepsTheActivePagesTab) {
  AddPages(3);
  pages_->SetActivePageIndex(2);
  Watch();
  allowChange_ = false;
  pages_->Pages(0)->SetTabVisible(false);  // the active page's tab moves from 2 to 1
  EXPECT_EQ(pages_->TabIndex(), 1);
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(2));
  pages_->Pages(2)->SetPageIndex(0);  // and from 1 to 0
  EXPECT_EQ(pages_->TabIndex(), 0);
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(0));
  for (const std::string& entry : log_) EXPECT_NE(entry.rfind("changing", 0), 0u) << entry;
}

TEST_F(RzTabs, DisabledTabsCannotBecomeCurrent) {
  AddPages(3);
  pages_->SetActivePageIndex(0);
  pages_->Pages(1)->SetTabEnabled(false);
  pages_->SetTabIndex(1);
  EXPECT_EQ(pages_->TabIndex(), 0);
}

TEST_F(RzTabs, PagesWithHiddenTabs) {
  AddPages(3);
  pages_->SetActivePageIndex(0);
  pages_->Pages(2)->SetTabVisible(false);
  Watch();
  pages_->SetActivePage(pages_->Pages(2));
  EXPECT_TRUE(pages_->Pages(2)->Visible());
  EXPECT_FALSE(pages_->Pages(0)->Visible());
  EXPECT_EQ(pages_->TabIndex(), -1);
  EXPECT_EQ(log_, TLog{"page change"});
  // hiding the active page's tab leaves the page shown
  pages_->SetActivePage(pages_->Pages(1));
  pages_->Pages(1)->SetTabVisible(false);
  EXPECT_EQ(pages_->TabIndex(), -1);
  EXPECT_TRUE(pages_->Pages(1)->Visible());
  EXPECT_EQ(pages_->Pages(0)->TabIndex(), 0);
  EXPECT_EQ(pages_->Pages(1)->TabIndex(), -1);
}

TEST_F(RzTabs, AnActivePageIndexOutOfRangeOnlyClearsTheTab) {
  AddPages(3);
  pages_->SetActivePageIndex(1);
  pages_->SetActivePageIndex(5);
  EXPECT_EQ(pages_->TabIndex(), -1);
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(1));
}

TEST_F(RzTabs, ClosingTabs) {
  AddPages(4);
  pages_->SetActivePageIndex(2);
  pages_->CloseRequest();  // no OnClose handler: nothing closes
  EXPECT_EQ(pages_->PageCount(), 4);
  pages_->OnClose = MakeEvent(static_cast<RzTabs*>(this), &RzTabs::AllowClose);
  TRzTabSheet* before = pages_->Pages(1);
  pages_->CloseRequest();
  EXPECT_EQ(pages_->PageCount(), 3);
  EXPECT_EQ(pages_->ActivePage(), before);  // the one before the closed tab
  pages_->SetActivePageIndex(0);
  TRzTabSheet* next = pages_->Pages(1);
  pages_->CloseRequest();
  EXPECT_EQ(pages_->ActivePage(), next);  // the new first tab
  EXPECT_EQ(pages_->TabIndex(), 0);
}

TEST_F(RzTabs, CtrlTabCyclesThroughPagesWithVisibleTabs) {
  AddPages(4);
  pages_->Pages(2)->SetTabVisible(false);
  pages_->SetActivePageIndex(3);
  pages_->SelectNextPage(true);
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(0));
  pages_->SelectNextPage(false);
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(3));
  pages_->SelectNextPage(false);
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(1));  // the hidden tab is skipped
  EXPECT_EQ(pages_->FindNextPage(nullptr, true, true), pages_->Pages(0));
}

// Holds Ctrl (and Shift) down for this thread while it lives.
class TKeysDown {
 public:
  explicit TKeysDown(bool shift) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(saved_, saved_ + 256, state);
    state[VK_CONTROL] = 0x80;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
  }
  ~TKeysDown() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256];
};

TEST_F(RzTabs, CtrlTabKeysAndAcceleratorsChoosePages) {
  AddPages(3);
  auto* edit = new TEdit(form_.get());
  edit->SetParent(pages_->Pages(0));
  pages_->SetActivePageIndex(0);
  form_->Show();
  form_->SetActiveControl(edit);
  {
    TKeysDown ctrl(false);
    EXPECT_EQ(pages_->Perform(CM_DIALOGKEY, VK_TAB, 0), 1);
  }
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(1));
  {
    TKeysDown ctrlShift(true);
    pages_->Perform(CM_DIALOGKEY, VK_TAB, 0);
    pages_->Perform(CM_DIALOGKEY, VK_TAB, 0);
  }
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(2));  // backward from the second wraps past the first
  pages_->Pages(1)->SetCaption("&Trim");
  EXPECT_EQ(pages_->Perform(CM_DIALOGCHAR, 't', 0), 1);
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(1));
}

TEST_F(RzTabs, HomeAndEndFollowTheSideOfTheTabs) {
  AddPages(4);
  pages_->SetActivePageIndex(1);
  pages_->Pages(3)->SetTabEnabled(false);
  pages_->Perform(WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(pages_->TabIndex(), 2);  // the last selectable tab
  pages_->Perform(WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(pages_->TabIndex(), 0);  // wraps past the disabled one
  pages_->SetTabOrientation(toLeft);
  pages_->LayoutIfNeeded();
  pages_->SetActivePageIndex(2);
  pages_->Perform(WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(pages_->TabIndex(), 0);  // the bottom end of left tabs is the first tab
}

TEST_F(RzTabs, PageErrors) {
  AddPages(3);
  try {
    pages_->Pages(0)->SetPageIndex(7);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "7 is an invalid PageIndex value. PageIndex must be between 0 and 2");
  }
  try {
    pages_->Pages(0)->SetPageVisible(true);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "You cannot change the Visible property of a page");
  }
  pages_->Pages(0)->SetPageIndex(2);
  EXPECT_EQ(pages_->Pages(2)->Caption(), "Page 0");
  EXPECT_EQ(pages_->Tabs()->Items(2)->Caption, "Page 0");
}

// ---------------------------------------------------------------------------------------------
// Geometry

TEST_F(RzTabs, NeighbouringTabsOverlapByStyle) {
  AddPages(3);
  struct TCase {
    TRzTabStyle Style;
    int Gap;  // next Left minus this Right
  } const cases[] = {{tsCutCorner, 2}, {tsRoundCorners, 2}, {tsSingleSlant, 1 - 10}, {tsBackSlant, 1 - 10},
                     {tsDoubleSlant, 1 - 20}};
  for (const TCase& c : cases) {
    pages_->SetTabStyle(c.Style);
    pages_->LayoutIfNeeded();
    EXPECT_EQ(pages_->FixedDimension(), 20) << c.Style;
    EXPECT_EQ(TabRect(0).Width(), 60) << c.Style;
    EXPECT_EQ(TabRect(1).Left - TabRect(0).Right, c.Gap) << c.Style;
  }
}

TEST_F(RzTabs, RoundCornerTabsAreTheirTextAndSixteenWide) {
  pages_->SetTabStyle(tsRoundCorners);
  AddPages(2, 0, 0);
  pages_->Pages(0)->SetCaption("A rather long caption");
  pages_->LayoutIfNeeded();
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, pages_->Font()->Handle());
  SIZE text{};
  GetTextExtentPoint32A(dc, "A rather long caption", 21, &text);
  SelectObject(dc, old);
  DeleteDC(dc);
  // the text, the image margin kept beside it, and 16 for the rounded ends
  EXPECT_EQ(TabRect(0).Width(), text.cx + pages_->ImageMargin() + 16);
  EXPECT_EQ(pages_->FixedDimension(), std::max<int>(text.cy, std::abs(pages_->Font()->Height())) + 6);
}

TEST_F(RzTabs, RowsRotateToBringTheSelectedRowToTheCard) {
  pages_->SetMultiLine(true);
  AddPages(6, 180);
  pages_->SetActivePageIndex(0);
  ASSERT_EQ(pages_->RowCount(), 3);
  EXPECT_EQ((std::vector<int>{Row(0), Row(1), Row(2), Row(3), Row(4), Row(5)}), (std::vector<int>{0, 0, 1, 1, 2, 2}));
  const int rowStep = pages_->FixedDimension() - pages_->RowOverlap();
  const int frontTop = TabRect(0).Top;
  pages_->SetActivePageIndex(4);  // a tab of row 2 of 3
  EXPECT_EQ((std::vector<int>{Row(0), Row(1), Row(2), Row(3), Row(4), Row(5)}), (std::vector<int>{1, 1, 2, 2, 0, 0}));
  EXPECT_EQ(TabRect(4).Top, frontTop);
  EXPECT_EQ(TabRect(2).Top, frontTop - 2 * rowStep);
  EXPECT_EQ(TabRect(0).Left, 0);  // along positions stay
}

TEST_F(RzTabs, TabsThatDoNotFitTakeASecondRow) {
  pages_->SetMultiLine(true);
  AddPages(3, 150);
  pages_->SetActivePageIndex(0);
  EXPECT_EQ(pages_->RowCount(), 2);
  const TRect front = pages_->CardRect(0), back = pages_->CardRect(1);
  const int rowStep = pages_->FixedDimension() - pages_->RowOverlap();
  EXPECT_EQ(back.Left, front.Left + pages_->RowIndent());
  EXPECT_EQ(back.Top, front.Top - rowStep);
  // a single tab longer than the strip is clamped and has a row of its own
  pages_->SetTabWidth(1000);
  pages_->LayoutIfNeeded();
  EXPECT_EQ(pages_->RowCount(), 3);
  EXPECT_LT(TabRect(0).Width(), 400);
}

TEST_F(RzTabs, WithoutVisibleTabsNothingIsSelected) {
  AddPages(2);
  pages_->HideAllTabs();
  pages_->LayoutIfNeeded();
  EXPECT_EQ(pages_->TabIndex(), -1);
  EXPECT_FALSE(pages_->ScrollingNeeded());
  EXPECT_EQ(pages_->Scroller(), nullptr);
  pages_->ShowAllTabs();
  EXPECT_EQ(pages_->Tabs()->Count(), 2);
}

TEST_F(RzTabs, FramesAndCards) {
  AddPages(2);
  pages_->SetShowFullFrame(false);
  EXPECT_FALSE(pages_->ShowShadow());
  pages_->SetShowShadow(true);
  EXPECT_TRUE(pages_->ShowFullFrame());
  // the page shown fills the display rectangle, inside the card's frame and shadow
  pages_->SetActivePageIndex(0);
  pages_->Realign();
  const TRect display = pages_->DisplayRect();
  EXPECT_EQ(pages_->Pages(0)->BoundsRect(), display);
  EXPECT_EQ(display.Top, pages_->FixedDimension() + 1);
  pages_->SetShowCard(false);
  EXPECT_EQ(pages_->DisplayRect(), Rect(-2, -2, -1, -1));
}

TEST_F(RzTabs, ASingleLineStripScrollsToTheSelectedTab) {
  AddPages(12);
  pages_->SetActivePageIndex(0);
  ASSERT_TRUE(pages_->ScrollingNeeded());
  ASSERT_NE(pages_->Scroller(), nullptr);
  EXPECT_EQ(pages_->FirstShownTab(), 0);
  pages_->SetActivePageIndex(11);
  EXPECT_TRUE(pages_->IsTabShown(11));
  EXPECT_GT(pages_->FirstShownTab(), 0);
  EXPECT_FALSE(pages_->CanScroll(true));
  EXPECT_TRUE(pages_->ScrollTabs(false));
}

TEST_F(RzTabs, HitTestFindsTabsByTheirShape) {
  AddPages(3);
  pages_->SetActivePageIndex(0);
  const TRect second = pages_->TabDrawRect(1);
  EXPECT_EQ(pages_->HitTest({(second.Left + second.Right) / 2, (second.Top + second.Bottom) / 2}), 1);
  EXPECT_EQ(pages_->HitTest({399, 2}), -1);
}

// ---------------------------------------------------------------------------------------------
// Dragging tabs: the strip scrolls while the mouse is outside it, and stops with the drag.

TEST_F(RzTabs, TheDragScrollTimerStopsWhenTheDragEnds) {
  AddPages(3);
  pages_->SetAllowTabDragging(true);
  bool accept = false;
  for (int ending = 0; ending < 3; ++ending) {
    pages_->DragOver(pages_, 390, 150, dsDragMove, accept);  // over no tab
    ASSERT_TRUE(pages_->DragScrollTimerRunning());
    EXPECT_FALSE(accept);
    if (ending == 0) pages_->DragDrop(pages_, 390, 150);
    if (ending == 1) pages_->DoEndDrag(nullptr, 0, 0);  // dropped elsewhere
    if (ending == 2) pages_->DragCanceled();
    EXPECT_FALSE(pages_->DragScrollTimerRunning()) << ending;
  }
}

// ---------------------------------------------------------------------------------------------
// Stored forms

const char* const clipEditorForm =
    "object ClipEditor: TClipEditorProbe\n"
    "  Width = 480\n"
    "  Height = 360\n"
    "  object Frames: TRzFrameController\n"
    "    FrameStyle = fsGroove\n"
    "  end\n"
    "  object Pages: TRzPageControl\n"
    "    Left = 8\n"
    "    Top = 8\n"
    "    Width = 440\n"
    "    Height = 300\n"
    "    ActivePage = Trim\n"
    "    %DEFAULT%"
    "    Color = $F2F5F6\n"
    "    TabStyle = tsRoundCorners\n"
    "    Transparent = True\n"
    "    TabIndex = 1\n"
    "    FixedDimension = 19\n"
    "    OnChanging = PagesChanging\n"
    "    OnChange = PagesChange\n"
    "    OnPageChange = PagesPageChange\n"
    "    object Effect: TRzTabSheet\n"
    "      Color = $F2F5F6\n"
    "      Caption = '&Effect'\n"
    "      object Brightness: TRzTrackBar\n"
    "        Left = 10\n"
    "        Top = 10\n"
    "        Width = 300\n"
    "        Position = -50\n"
    "        Max = 127\n"
    "        Min = -127\n"
    "        ShowTicks = False\n"
    "        ShowFocusRect = False\n"
    "        TrackColor = clInfoBk\n"
    "        TrackOffset = 10\n"
    "        TrackWidth = 5\n"
    "        Transparent = True\n"
    "        OnChange = BrightnessChange\n"
    "      end\n"
    "    end\n"
    "    object Trim: TRzTabSheet\n"
    "      Color = $F2F5F6\n"
    "      Caption = '&Trim'\n"
    "    end\n"
    "    object Crop: TRzTabSheet\n"
    "      Color = $F2F5F6\n"
    "      Caption = '&Crop'\n"
    "    end\n"
    "  end\n"
    "end\n";

std::string ClipEditorText(const std::string& defaultPage) {
  std::string text = clipEditorForm;
  const std::string line = defaultPage.empty() ? "" : "ActivePageDefault = " + defaultPage + "\n    ";
  text.replace(text.find("%DEFAULT%"), 9, line);
  return text;
}

TEST_F(RzTabs, TheClipEditorLoadsFromItsStoredForm) {
  TClipEditorProbe form(nullptr, 0);
  ReadComponentText(ClipEditorText(""), "ClipEditor", &form);
  auto* pages = ObjectAs<TRzPageControl>(form.FindComponent("Pages"));
  auto* trim = ObjectAs<TRzTabSheet>(form.FindComponent("Trim"));
  auto* brightness = ObjectAs<TRzTrackBar>(form.FindComponent("Brightness"));
  ASSERT_TRUE(pages && trim && brightness);
  EXPECT_EQ(form.log, TLog{});  // no handler ran while the form was read
  EXPECT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->ActivePage(), trim);
  EXPECT_EQ(pages->TabIndex(), 1);
  EXPECT_TRUE(trim->Visible());
  EXPECT_FALSE(pages->Pages(0)->Visible());
  EXPECT_FALSE(pages->Pages(2)->Visible());
  EXPECT_EQ(pages->FixedDimension(), 19);  // as stored, until the first layout
  EXPECT_EQ(pages->TabStyle(), tsRoundCorners);
  EXPECT_FALSE(pages->UseColoredTabs());
  EXPECT_EQ(pages->Tabs()->Items(2)->Caption, "&Crop");
  // the track bar's range and position, whatever order the form gives them in
  EXPECT_EQ(brightness->Min(), -127);
  EXPECT_EQ(brightness->Max(), 127);
  EXPECT_EQ(brightness->Position(), -50);
  EXPECT_EQ(brightness->TrackWidth(), 5);
  EXPECT_FALSE(brightness->ShowTicks());
  EXPECT_EQ(ObjectAs<TRzFrameController>(form.FindComponent("Frames"))->FrameStyle(), fsGroove);
  // once loaded, the handlers run
  pages->SetActivePageIndex(2);
  EXPECT_EQ(form.log, (TLog{"changing 2", "change", "page change"}));
  brightness->SetPosition(10);
  EXPECT_EQ(form.log.back(), "brightness");
}

TEST_F(RzTabs, TheDefaultPageWinsAfterLoading) {
  TClipEditorProbe form(nullptr, 0);
  ReadComponentText(ClipEditorText("Crop"), "ClipEditor", &form);
  auto* pages = ObjectAs<TRzPageControl>(form.FindComponent("Pages"));
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->ActivePage(), form.FindComponent("Crop"));
  EXPECT_EQ(pages->TabIndex(), 2);
  EXPECT_FALSE(ObjectAs<TRzTabSheet>(form.FindComponent("Trim"))->Visible());
  EXPECT_TRUE(ObjectAs<TRzTabSheet>(form.FindComponent("Crop"))->Visible());
  EXPECT_EQ(form.log, TLog{});
}

// ---------------------------------------------------------------------------------------------
// The page control as a dock site

class RzTabsDock : public RzTabs {
 protected:
  void SetUp() override {
    RzTabs::SetUp();
    pages_->SetDockSite(true);
    pages_->SetTabWidth(60);
    pages_->SetTabHeight(20);
    form_->Show();
  }
  void TearDown() override {
    CancelDrag();
    form_.reset();
    PumpWhileBusy();
  }
  TRzPanel* Client(const std::string& name) {
    auto* client = Place<TRzPanel>(Bounds(0, 0, 80, 60));
    client->SetName(name);
    client->SetDragKind(dkDock);
    return client;
  }
  TPoint TabCentre(int i) {
    pages_->LayoutIfNeeded();
    const TRect r = TabRect(i);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
};

TEST_F(RzTabsDock, EachDockedClientGetsAPageThatGoesWhenItLeaves) {
  TRzPanel* files = Client("Files");
  TRzPanel* preview = Client("Preview");
  ASSERT_TRUE(files->ManualDock(pages_));
  ASSERT_TRUE(preview->ManualDock(pages_));
  ASSERT_EQ(pages_->PageCount(), 2);
  EXPECT_EQ(pages_->DockClientCount(), 2);
  EXPECT_EQ(files->Parent(), pages_->Pages(0));
  EXPECT_EQ(preview->Parent(), pages_->Pages(1));
  EXPECT_EQ(preview->Align(), alClient);
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(1));  // the last client docked is shown
  EXPECT_EQ(pages_->Pages(0)->Owner(), pages_);

  // the tab follows the client's text (its first line) and visibility
  files->SetCaption("Files\r\nand more");
  EXPECT_EQ(pages_->Pages(0)->Caption(), "Files");
  files->Hide();
  EXPECT_FALSE(pages_->Pages(0)->TabVisible());
  files->SetVisible(true);  // (Show would also bring its page to the front)
  EXPECT_TRUE(pages_->Pages(0)->TabVisible());
  // a hidden client docks on a page with a hidden tab, not shown
  TRzPanel* hidden = Client("Hidden");
  hidden->Hide();
  ASSERT_TRUE(hidden->ManualDock(pages_));
  EXPECT_FALSE(pages_->Pages(2)->TabVisible());
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(1));

  // undocked, the client leaves its page behind, and the page goes
  ASSERT_TRUE(preview->ManualFloat(Bounds(500, 100, 80, 60)));
  EXPECT_EQ(pages_->PageCount(), 2);
  EXPECT_EQ(preview->Align(), alClient);  // it fills its floating window now
  EXPECT_NE(ObjectAs<TCustomDockForm>(preview->HostDockSite()), nullptr);
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(0));
  EXPECT_EQ(files->Parent(), pages_->Pages(0));
}

TEST_F(RzTabsDock, AClientThatCannotDockLeavesNoPage) {
  struct TStubbornPanel : TRzPanel {
    using TRzPanel::TRzPanel;
    void SetParent(TWinControl* parent) override {
      if (ObjectAs<TRzTabSheet>(parent)) throw Exception("stays where it is");
      TRzPanel::SetParent(parent);
    }
  };
  auto* stubborn = Place<TStubbornPanel>(Bounds(0, 0, 80, 60));
  EXPECT_THROW(stubborn->ManualDock(pages_), Exception);
  EXPECT_EQ(pages_->PageCount(), 0);
  EXPECT_EQ(pages_->DockClientCount(), 0);
  EXPECT_EQ(stubborn->HostDockSite(), nullptr);
}

TEST_F(RzTabsDock, ATabPressDragsItsClientAndADoubleClickFloatsIt) {
  TRzPanel* files = Client("Files");
  TRzPanel* preview = Client("Preview");
  ASSERT_TRUE(files->ManualDock(pages_));
  ASSERT_TRUE(preview->ManualDock(pages_));
  files->SetCaption("Files");
  preview->SetCaption("Preview");
  // a press on the first tab selects it and starts dragging its client; let go outside, it floats
  const TPoint first = TabCentre(0);
  Mouse->SetCursorPos(pages_->ClientToScreen(first));
  SendMessageA(pages_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(first));
  EXPECT_EQ(pages_->ActivePage(), files->Parent());
  ASSERT_TRUE(files->Dragging());
  HWND capture = GetCapture();
  Mouse->SetCursorPos(pages_->ClientToScreen({700, 500}));
  SendMessageA(capture, WM_MOUSEMOVE, MK_LBUTTON, 0);
  SendMessageA(capture, WM_LBUTTONUP, 0, 0);
  EXPECT_NE(ObjectAs<TCustomDockForm>(files->HostDockSite()), nullptr);
  ASSERT_EQ(pages_->PageCount(), 1);

  // a double click on a tab floats its client, unless DblClickUndocks is off
  const TPoint only = TabCentre(0);
  pages_->SetDblClickUndocks(false);
  SendMessageA(pages_->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, PointToLParam(only));
  CancelDrag();
  EXPECT_EQ(preview->HostDockSite(), pages_);
  pages_->SetDblClickUndocks(true);
  SendMessageA(pages_->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, PointToLParam(only));
  CancelDrag();
  EXPECT_NE(ObjectAs<TCustomDockForm>(preview->HostDockSite()), nullptr);
  EXPECT_EQ(pages_->PageCount(), 0);

  // dragged back over the page control, a floating client docks on a new page (the other
  // floating window, which floated where its page was, moved out of the way first)
  preview->HostDockSite()->SetBounds(600, 400, 80, 60);
  TPoint grip{10, 10};
  Mouse->SetCursorPos(files->ClientToScreen(grip));
  files->BeginDrag(true);
  Mouse->SetCursorPos(pages_->ClientToScreen({200, 100}));
  SendMessageA(GetCapture(), WM_MOUSEMOVE, MK_LBUTTON, 0);
  auto* drag = ObjectAs<TDragDockObject>(CurrentDragObject());
  ASSERT_NE(drag, nullptr);
  RECT window;
  GetWindowRect(pages_->Handle(), &window);
  EXPECT_EQ(drag->DockRect, TRect(window));  // the preview covers the whole control
  SendMessageA(GetCapture(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(files->HostDockSite(), pages_);
  EXPECT_EQ(pages_->PageCount(), 1);
}

TEST_F(RzTabsDock, ShowingOrFocusingAControlOnAHiddenPageSwitchesToIt) {
  AddPages(3);
  pages_->SetActivePageIndex(0);
  auto* edit = new TEdit(form_.get());
  edit->SetParent(pages_->Pages(2));
  edit->Hide();
  edit->Show();
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(2));
  pages_->SetActivePageIndex(0);
  edit->SetFocus();
  EXPECT_EQ(pages_->ActivePage(), pages_->Pages(2));
  EXPECT_TRUE(edit->Focused());
}

constexpr const char* dockingForm =
    "object ClipEditor: TClipEditorProbe\n"
    "  object Pages: TRzPageControl\n"
    "    DockSite = True\n"
    "    DragKind = dkDock\n"
    "    DblClickUndocks = False\n"
    "    OnDockDrop = PagesDockDrop\n"
    "    OnDockOver = PagesDockOver\n"
    "    OnEndDock = PagesEndDock\n"
    "    OnGetSiteInfo = PagesGetSiteInfo\n"
    "    OnStartDock = PagesStartDock\n"
    "    OnUnDock = PagesUnDock\n"
    "  end\n"
    "  object Site: TRzPanel\n"
    "    DockSite = True\n"
    "    UseDockManager = False\n"
    "    ShowDockClientCaptions = False\n"
    "    DragKind = dkDock\n"
    "    OnDockDrop = PagesDockDrop\n"
    "  end\n"
    "end\n";

TEST_F(RzTabsDock, StoredFormsReadAndWriteEveryDockProperty) {
  TClipEditorProbe form(nullptr, 0);
  ReadComponentText(dockingForm, "ClipEditor", &form);
  auto* pages = ObjectAs<TRzPageControl>(form.FindComponent("Pages"));
  auto* site = ObjectAs<TRzPanel>(form.FindComponent("Site"));
  ASSERT_TRUE(pages && site);
  EXPECT_TRUE(pages->DockSite());
  EXPECT_EQ(pages->DragKind(), dkDock);
  EXPECT_FALSE(pages->DblClickUndocks());
  EXPECT_TRUE(pages->OnDockDrop && pages->OnDockOver && pages->OnEndDock && pages->OnGetSiteInfo &&
              pages->OnStartDock && pages->OnUnDock);
  EXPECT_TRUE(site->DockSite());
  EXPECT_FALSE(site->UseDockManager());
  EXPECT_EQ(site->DockManager(), nullptr);
  EXPECT_FALSE(site->ShowDockClientCaptions());
  EXPECT_TRUE(site->OnDockDrop);

  struct TCase {
    TWinControl* control;
    std::vector<std::string> written;
  } cases[] = {{pages, {"DockSite", "DragKind", "DblClickUndocks"}},
               {site, {"DockSite", "UseDockManager", "ShowDockClientCaptions", "DragKind"}}};
  for (const TCase& c : cases) {
    const std::string bytes = WrittenForm(c.control);
    for (const std::string& name : c.written) EXPECT_NE(bytes.find(name), std::string::npos) << name;
    std::unique_ptr<TWinControl> copy(ObjectAs<TWinControl>(c.control->ClassType()->Create(nullptr)));
    ReadForm(copy.get(), bytes);
    EXPECT_EQ(copy->DockSite(), c.control->DockSite());
    EXPECT_EQ(copy->UseDockManager(), c.control->UseDockManager());
    EXPECT_EQ(copy->DragKind(), c.control->DragKind());
    std::unique_ptr<TWinControl> again(ObjectAs<TWinControl>(c.control->ClassType()->Create(nullptr)));
    ReadForm(again.get(), WrittenForm(copy.get()));
    EXPECT_EQ(WrittenForm(again.get()), WrittenForm(copy.get())) << c.control->Name();
  }
  // the defaults are left out
  TRzPageControl plain(nullptr);
  const std::string bytes = WrittenForm(&plain);
  for (const char* name : {"DockSite", "DragKind", "DblClickUndocks"}) EXPECT_EQ(bytes.find(name), std::string::npos) << name;
}

}  // namespace

// The current tab of 60 x 20 at the strip's start, painted in each shape: on a red background,
// in a yellow page colour, under its highlight bar and inside a blue frame. The pixels chosen
// are the ones that tell the shapes apart: the corners, the slanted or upright sides, and the
// round tab raised above the strip. Every pixel is clear of the caption.
TEST_F(RzTabs, EachTabShapeIsPaintedInItsOutline) {
  AddPages(3);
  pages_->SetParentBackgroundColor(false);
  pages_->SetBackgroundColor(clRed);
  pages_->SetColor(clYellow);
  pages_->SetActivePageIndex(0);
  pages_->SetFlatColor(clBlue);
  pages_->SetFlatColorAdjustment(0);
  const TColor frame = clBlue, bar = pages_->TabColors()->HighlightBar(), face = clYellow, back = clRed;
  struct TPixel { int X, Y; TColor Color; const char* What; };
  struct TCase { TRzTabStyle Style; std::vector<TPixel> Pixels; };
  const TCase cases[] = {
      {tsSingleSlant, {{0, 0, back, "rounded top-left"}, {0, 10, frame, "upright left side"}, {1, 10, face, "inside"},
                       {20, 2, bar, "bar"}, {48, 1, back, "slanted right end"}}},
      {tsDoubleSlant, {{1, 10, back, "slanted left end"}, {12, 14, face, "inside"}, {20, 2, bar, "bar"},
                       {48, 1, back, "slanted right end"}}},
      {tsCutCorner, {{0, 10, frame, "upright left side"}, {1, 10, face, "inside"}, {48, 2, bar, "bar to the cut"},
                     {58, 1, back, "cut corner"}, {58, 10, face, "upright right side"}}},
      {tsRoundCorners, {{20, 0, back, "raised above the strip"}, {0, 1, back, "round top-left"}, {20, 2, bar, "bar"},
                        {0, 10, frame, "upright left side"}, {1, 10, face, "inside"}, {64, 2, back, "round top-right"}}},
      {tsBackSlant, {{1, 10, back, "slanted left end"}, {20, 2, bar, "bar"}, {57, 2, bar, "upright right end"},
                     {59, 0, back, "rounded top-right"}}},
  };
  for (const TCase& c : cases) {
    pages_->SetTabStyle(c.Style);
    pages_->LayoutIfNeeded();
    TBitmap picture;
    picture.SetSize(pages_->Width(), pages_->Height());
    pages_->PaintTo(picture.Canvas(), 0, 0);
    for (const TPixel& p : c.Pixels)
      EXPECT_EQ(PixelAt(picture.Canvas(), p.X, p.Y), Rgb(p.Color)) << c.Style << " " << p.What << " at " << p.X << "," << p.Y;
  }
}
