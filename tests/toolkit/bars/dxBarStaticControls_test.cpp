// Separator controls in menu and toolbar windows: no selection or click outside customizing, the
// caption row's height (4 pixels over a text row, 2 for the first entry), a plain separator's and a
// toolbar separator's size, and the bold caption.
#include "calderan_test.h"

#include <string>
#include <vector>

#include "bars_fixture.h"
#include "barwindow_fixture.h"
#include "dxBarStaticControls.h"

namespace {
class SeparatorControls : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form_->HandleNeeded();
    form_->Show();
  }
  // Links for the items: a separator per "-" or "-caption", a button for anything else.
  TCustomdxBarControl* Show(bool menu, const std::vector<std::string>& entries) {
    owner_ = new TTestLinksOwner(form_.get(), manager_, menu);
    for (const std::string& entry : entries) {
      TdxBarItem* item = nullptr;
      if (entry[0] == '-') {
        auto* separator = new TdxBarSeparator(form_.get());
        separator->SetCaption(entry.substr(1));
        separator->SetShowCaption(entry.size() > 1);
        item = separator;
      } else {
        item = new TdxBarButton(form_.get());
        item->SetCaption(entry);
        item->OnClick = MakeEvent(this, &SeparatorControls::Clicked);
      }
      owner_->Links()->AddItem(item);
    }
    return owner_->Show();
  }
  void Clicked(TObject* sender) { clicks_.push_back(static_cast<TdxBarItem*>(sender)->Caption()); }
  TdxBarItemControl* Control(int index) const { return owner_->Links()->GetLink(index)->Control(); }

  TTestLinksOwner* owner_ = nullptr;
  std::vector<std::string> clicks_;
};
}  // namespace

TEST_F(SeparatorControls, ASeparatorIsNeverSelectedOrClickedOutsideCustomizing) {
  TCustomdxBarControl* menu = Show(true, {"Open", "-Recent", "Save"});
  TdxBarItemControl* separator = Control(1);
  ASSERT_TRUE(separator->Is<TdxBarSeparatorControl>());
  EXPECT_FALSE(separator->IsSelectable());
  EXPECT_FALSE(separator->ExecutesOnClick());
  EXPECT_FALSE(separator->CanClick());
  menu->ActivateWithControl(Control(0));
  SendMessageA(menu->WindowHandle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(menu->SelectedControl(), Control(2)) << "the keyboard steps over it";
  ClickAt(menu, CentreOf(owner_->Links()->GetLink(1)), CentreOf(owner_->Links()->GetLink(1)));
  EXPECT_TRUE(clicks_.empty());
  EXPECT_NE(menu->SelectedControl(), separator);
}

// With its caption a separator is a caption row: a menu text row plus a line's space above and
// below (only below for the first entry); without it, the bar window's separator size.
TEST_F(SeparatorControls, ACaptionRowsHeightInAMenu) {
  TCustomdxBarControl* menu = Show(true, {"-First", "Open", "-Recent", "Save", "-", "Exit"});
  for (int i = 0; i < 6; ++i) ASSERT_NE(Control(i), nullptr) << i;
  const int textRow = menu->GetItemTextSize(Control(1));
  struct TCase {
    int Index;
    bool Caption;
    int Height;
  } cases[] = {{0, true, textRow + 2}, {2, true, textRow + 4}, {4, false, menu->GetSeparatorSize()}};
  for (const TCase& c : cases) {
    EXPECT_EQ((Control(c.Index)->GetViewStructure() & cvsCaption) != 0, c.Caption) << c.Index;
    EXPECT_EQ(Control(c.Index)->GetMenuHeight(), c.Height) << c.Index;
    EXPECT_EQ(Control(c.Index)->GetIconAreaWidth(), 0);
  }
  EXPECT_TRUE(static_cast<TdxBarSeparatorControl*>(Control(0))->IsFirst());
  EXPECT_FALSE(static_cast<TdxBarSeparatorControl*>(Control(2))->IsFirst());
}

// The caption is measured bold; in a toolbar the separator shows no caption and is as wide as the
// toolbar's separators.
TEST_F(SeparatorControls, BoldCaptionAndTheToolbarsLine) {
  Show(true, {"Open", "-Recent files", "Exit"});
  TdxBarItemControl* separator = Control(1);
  ASSERT_NE(separator, nullptr);
  TFont bold;
  bold.Assign(separator->Parent()->ItemsFont());
  bold.SetStyle(TFontStyles{TFontStyle::fsBold});
  EXPECT_EQ(separator->GetCaptionWidth(), GetFontTextWidth(&bold, "Recent files"));
  EXPECT_FALSE(separator->Parent()->ItemsFont()->Style().Contains(TFontStyle::fsBold)) << "plain again";
  TCustomdxBarControl* toolbar = Show(false, {"Open", "-Recent", "Save"});
  TdxBarItemControl* line = Control(1);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->GetViewStructure() & cvsCaption, 0);
  EXPECT_EQ(line->GetHorzWidth(), toolbar->GetSeparatorSize());
}
