#include "calderan_test.h"

#include <memory>
#include <string>

#include "bars_fixture.h"
#include "barwindow_fixture.h"
#include "dxBarItemRegistry.h"

namespace {

// An item whose control is measured with a caption of a width the test chooses.
class TMeasuredItem : public TdxBarItem {
  CALDERAN_CLASS(TMeasuredItem)
  using TdxBarItem::TdxBarItem;
};
CALDERAN_IMPLEMENT_CREATABLE(TMeasuredItem, TdxBarItem, TComponent*)

class TMeasuredControl : public TdxBarItemControl {
  CALDERAN_CLASS(TMeasuredControl)
  using TdxBarItemControl::TdxBarItemControl;
  TdxBarItemViewLevels GetPossibleViewLevels() const override {
    TdxBarItemViewLevels levels = TdxBarItemControl::GetPossibleViewLevels();
    if (AllowLarge) levels.Include(ivlLargeIconWithText);
    return levels;
  }
  int GetCaptionWidth() override { return CaptionWidth; }
  int GetWidth() override {
    ++Measured;
    return TdxBarItemControl::GetWidth();
  }
  // One part narrower than the item: its right half lies on no part.
  void CalcParts() override {
    TdxBarItemControl::CalcParts();
    Parts()[0].Right = (GetItemRect().Left + GetItemRect().Right) / 2;
  }
  static inline bool AllowLarge = false;
  static inline int CaptionWidth = 50;
  int Measured = 0;
};
CALDERAN_IMPLEMENT_CREATABLE(TMeasuredControl, TdxBarItemControl, TdxBarItemLink*)

class ItemControlMeasuring : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form_->HandleNeeded();
    RegisterBarItemClass(TMeasuredItem::StaticClass(), TMeasuredControl::StaticClass(), false);
    owner_ = new TTestLinksOwner(form_.get(), manager_, false);
    TMeasuredControl::AllowLarge = false;
    TMeasuredControl::CaptionWidth = 50;
  }
  void TearDown() override {
    UnregisterBarItemClass(TMeasuredItem::StaticClass());
    BarFixture::TearDown();
  }
  // The control of a new measured item; with a small glyph and a 32 pixel large glyph as asked.
  TMeasuredControl* Show(bool smallGlyph, bool largeGlyph, TdxBarItemViewLevels linkLevels = {}) {
    item_ = new TMeasuredItem(form_.get());
    item_->SetCaption("Convert");
    if (smallGlyph) item_->Glyph()->SetSize(16, 16);
    if (largeGlyph) item_->LargeGlyph()->SetSize(32, 32);
    link_ = owner_->Links()->AddItem(item_);
    if (!linkLevels.Empty()) link_->SetViewLevels(linkLevels);
    owner_->Show();
    return static_cast<TMeasuredControl*>(link_->Control());
  }

  TTestLinksOwner* owner_ = nullptr;
  TMeasuredItem* item_ = nullptr;
  TdxBarItemLink* link_ = nullptr;
};

TEST_F(ItemControlMeasuring, AllowedLevelsFollowTheGlyphAndTheLinksLevels) {
  struct TCase {
    const char* Name;
    bool Glyph;
    TdxBarItemViewLevels LinkLevels;
    TdxBarItemViewLevels Allowed;
  } cases[] = {
      {"no glyph", false, {}, {ivlSmallIconWithText}},
      {"small glyph", true, {}, {ivlSmallIconWithText, ivlSmallIcon}},
      {"link keeps the icon level", true, {ivlSmallIcon}, {ivlSmallIcon}},
      {"link excludes every possible level", true, {ivlLargeIconWithText, ivlControlOnly},
       {ivlSmallIconWithText, ivlSmallIcon}},
  };
  for (const TCase& c : cases) {
    TMeasuredControl* control = Show(c.Glyph, false, c.LinkLevels);
    ASSERT_NE(control, nullptr) << c.Name;
    EXPECT_EQ(control->ViewInfo()->AllowedViewLevels(), c.Allowed) << c.Name;
    owner_->Links()->Clear();
  }
}

TEST_F(ItemControlMeasuring, ALevelOutsideTheAllowedSetIsRefused) {
  TMeasuredControl* control = Show(false, false);
  for (TdxBarItemViewLevel level : {ivlLargeIconWithText, ivlSmallIcon, ivlControlOnly, ivlDefault}) {
    try {
      control->ViewInfo()->GetWidth(level);
      ADD_FAILURE() << "level " << level << " was measured";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Testing! The level is not allowed");
    }
  }
  EXPECT_GT(control->ViewInfo()->GetWidth(ivlSmallIconWithText), 50);
  EXPECT_EQ(control->ViewInfo()->ViewLevel(), ivlDefault);  // put back after measuring
}

TEST_F(ItemControlMeasuring, EachLevelIsMeasuredOnceUntilTheCacheIsCleared) {
  TMeasuredControl* control = Show(true, false);
  control->Measured = 0;
  const int text = control->ViewInfo()->GetWidth(ivlSmallIconWithText);
  const int icon = control->ViewInfo()->GetWidth(ivlSmallIcon);
  EXPECT_EQ(control->ViewInfo()->GetWidth(ivlSmallIconWithText), text);
  EXPECT_EQ(control->Measured, 2);
  EXPECT_GT(text, icon);  // the caption's width and offset
  control->ClearCaches(true);
  control->ViewInfo()->GetWidth(ivlSmallIcon);
  EXPECT_EQ(control->Measured, 3);
}

// A large glyph above its caption takes the wider of the two; beside it, both.
TEST_F(ItemControlMeasuring, LargeWidthDependsOnTheGlyphLayout) {
  TMeasuredControl::AllowLarge = true;
  struct TCase {
    TdxBarGlyphLayout Layout;
    int Width;
  } cases[] = {{glTop, 66}, {glBottom, 66}, {glLeft, 98}, {glRight, 98}};
  for (const TCase& c : cases) {
    TMeasuredControl* control = Show(false, true);
    item_->SetGlyphLayout(c.Layout);
    control = static_cast<TMeasuredControl*>(link_->Control());
    EXPECT_EQ(control->ViewInfo()->GetWidth(ivlLargeIconWithText), c.Width) << int(c.Layout);
    owner_->Links()->Clear();
  }
}

TEST_F(ItemControlMeasuring, WithoutAnyImageTheGlyphSizeIsTheDefault) {
  TMeasuredControl* control = Show(false, false);
  EXPECT_EQ(control->GetGlyphSize(cvsLarge), TSize(20, 20));
  const int size = manager_->GetGlyphSize();
  EXPECT_EQ(control->GetGlyphSize(cvsSmall), TSize(size, size));
  EXPECT_FALSE(control->HasGlyphForSize(cvsSmall));
}

TEST_F(ItemControlMeasuring, HotPartIsNoneOutsideAndHundredBesideTheParts) {
  TMeasuredControl* control = Show(false, false);
  const TRect r = link_->ItemRect();
  control->UpdateHotPart(TPoint(r.Left + 1, r.Top + 1));
  EXPECT_EQ(control->HotPartIndex(), 0);
  control->UpdateHotPart(TPoint(r.Right - 1, r.Top + 1));
  EXPECT_EQ(control->HotPartIndex(), 100);
  control->MouseLeave();
  EXPECT_EQ(control->HotPartIndex(), -1);
  item_->SetEnabled(false);
  control->UpdateHotPart(TPoint(r.Left + 1, r.Top + 1));
  EXPECT_EQ(control->HotPartIndex(), -1);
}

// A disabled control counts as selected only when the keyboard selected it.
TEST_F(ItemControlMeasuring, ADisabledControlDrawsSelectedOnlyForTheKeyboard) {
  TMeasuredControl* control = Show(false, false);
  item_->SetEnabled(false);
  TCustomdxBarControl* bar = control->Parent();
  bar->SelectItemControlByMouse(control);
  EXPECT_FALSE(control->IsSelected());
  bar->SetSelectedItemControl(nullptr);
  bar->SetSelectedItemControl(control);
  EXPECT_TRUE(control->IsSelected());
}

TEST_F(ItemControlMeasuring, TheHintShortcutIsWrappedInParentheses) {
  TMeasuredControl* control = Show(false, false);
  item_->SetHint("Convert the list|Converts every file");
  item_->SetShortCut(0x4053);  // Ctrl+S
  TCustomdxBarControl* bar = control->Parent();
  bar->SetVisible(true);
  const TPoint point = bar->ClientToScreen(CentreOf(link_));
  SetCursorPos(point.X, point.Y);
  std::string text, shortCut;
  ASSERT_TRUE(control->GetHintText(text, shortCut));
  EXPECT_EQ(text, "Convert the list");
  EXPECT_EQ(shortCut, " (Ctrl+S)");
  item_->SetShortCut(0);
  ASSERT_TRUE(control->GetHintText(text, shortCut));
  EXPECT_EQ(shortCut, "");
}

}  // namespace
