#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "bars_fixture.h"
#include "barwindow_fixture.h"
#include "dxBarItemStylesData.h"

namespace {

// One button shown twice: on a toolbar window and in a window that answers as a menu. A change
// that rebuilds a window makes its item controls again, so the old control is gone.
class BarItemChanges : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form_->HandleNeeded();
    button_ = new TdxBarButton(form_.get());
    button_->SetCaption("Open");
    toolbar_ = new TTestLinksOwner(form_.get(), manager_, false);
    menu_ = new TTestLinksOwner(form_.get(), manager_, true);
    toolbar_->Links()->AddItem(button_);
    menu_->Links()->AddItem(button_);
    toolbar_->Show();
    menu_->Show();
  }
  TdxBarItemControl* ToolbarControl() const { return toolbar_->Links()->GetLink(0)->Control(); }
  TdxBarItemControl* MenuControl() const { return menu_->Links()->GetLink(0)->Control(); }

  // Which of the two windows made their control again during the change.
  std::string Rebuilt(void (*change)(TdxBarButton* button)) {
    TcxObjectLinkGuard toolbar(ToolbarControl()), menu(MenuControl());
    change(button_);
    std::string result;
    if (!toolbar.Alive()) result += "toolbar ";
    if (!menu.Alive()) result += "menu";
    return result;
  }

  TdxBarButton* button_ = nullptr;
  TTestLinksOwner* toolbar_ = nullptr;
  TTestLinksOwner* menu_ = nullptr;
};

TEST_F(BarItemChanges, EachChangeRebuildsTheWindowsItConcerns) {
  struct TCase {
    const char* Name;
    void (*Change)(TdxBarButton* button);
    std::string Rebuilt;
  } const cases[] = {
      {"shortcut: menus only", [](TdxBarButton* b) { b->SetShortCut(0x4053); }, "menu"},
      {"align: every kind", [](TdxBarButton* b) { b->SetAlign(iaRight); }, "toolbar menu"},
      {"lowered: every kind", [](TdxBarButton* b) { b->SetLowered(true); }, "toolbar menu"},
      {"description: none", [](TdxBarButton* b) { b->SetDescription("Opens"); }, ""},
  };
  for (const TCase& c : cases) {
    ASSERT_NE(ToolbarControl(), nullptr);
    ASSERT_NE(MenuControl(), nullptr);
    EXPECT_EQ(Rebuilt(c.Change), c.Rebuilt) << c.Name;
  }
}

TEST_F(BarItemChanges, HidingTheItemTakesItsControlsAwayAndShowingBringsThemBack) {
  button_->SetVisible(ivNever);
  EXPECT_EQ(ToolbarControl(), nullptr);
  EXPECT_EQ(MenuControl(), nullptr);
  EXPECT_EQ(toolbar_->Links()->GetVisibleCount(), 0);
  button_->SetVisible(ivAlways);
  EXPECT_NE(ToolbarControl(), nullptr);
  EXPECT_NE(MenuControl(), nullptr);
  EXPECT_EQ(toolbar_->Links()->GetVisibleCount(), 1);
  // Only in customizing.
  button_->SetVisible(ivInCustomizing);
  EXPECT_EQ(ToolbarControl(), nullptr);
}

// A font change of the item's style makes its controls again; a colour change only repaints.
TEST_F(BarItemChanges, StyleFontsRebuildAndColoursRepaint) {
  TcxStyle style(nullptr);
  button_->SetStyle(&style);
  EXPECT_EQ(Rebuilt([](TdxBarButton* b) { b->Style()->SetColor(clRed); }), "");
  EXPECT_EQ(Rebuilt([](TdxBarButton* b) { b->Style()->Font()->SetSize(b->Style()->Font()->Size() + 3); }),
            "toolbar menu");
  button_->SetStyle(nullptr);
}

TEST_F(BarItemChanges, FreeingAnItemFreesItsShownLinks) {
  delete button_;
  EXPECT_EQ(toolbar_->Links()->Count(), 0);
  EXPECT_EQ(menu_->Links()->Count(), 0);
  EXPECT_EQ(toolbar_->Links()->GetVisibleCount(), 0);
}

}  // namespace
