#include "calderan_test.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "command_ribbon_form.h"
#include "dxRibbonGroupBarControl.h"
#include "ribbon_fixture.h"
#include "toolkit/bars/barwindow_fixture.h"

namespace {

class RibbonStoredForm : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartRibbonUnits();
    TFormCommandRibbon::Register();
  }
  void SetUp() override {
    ASSERT_TRUE(IsGdiPlusAvailable());
    form_.reset(CreateForm<TFormCommandRibbon>(nullptr));
    form_->Show();
  }
  void TearDown() override { form_.reset(); }

  TdxRibbonGroupsDockControl* Dock() const {
    return static_cast<TdxRibbonGroupsDockControl*>(form_->RibbonTab1->DockControl());
  }

  std::unique_ptr<TFormCommandRibbon> form_;
};

std::vector<std::string> CaptionsOf(TdxBar* toolbar) {
  std::vector<std::string> captions;
  for (int i = 0; i < toolbar->ItemLinks()->Count(); ++i)
    captions.push_back(toolbar->ItemLinks()->GetLink(i)->Item()->Caption());
  return captions;
}

TEST_F(RibbonStoredForm, TheRibbonComesWithItsTabGroupsToolbarsAndButtons) {
  TdxRibbon* ribbon = form_->Ribbon;
  ASSERT_NE(ribbon, nullptr);
  EXPECT_EQ(ribbon->BarManager(), form_->BarManager);
  EXPECT_EQ(ribbon->ColorSchemeName(), "Blue");
  EXPECT_FALSE(ribbon->ShowTabHeaders());
  EXPECT_FALSE(ribbon->TabStop());
  EXPECT_TRUE(ribbon->PopupMenuItems().Empty());
  EXPECT_EQ(ribbon->Top(), 0);
  EXPECT_EQ(ribbon->Width(), form_->ClientWidth());
  EXPECT_EQ(ribbon->Height(), ribbon->ViewInfo()->GetGroupsAreaBounds().Bottom);
  ASSERT_EQ(ribbon->Tabs()->Count(), 1);
  EXPECT_EQ(ribbon->ActiveTab(), form_->RibbonTab1);

  struct TGroup {
    TdxBar* Toolbar;
    const char* Caption;
    std::vector<std::string> Buttons;
  };
  const TGroup groups[] = {
      {form_->dxBarManagerBar1, "File", {"Add", "Delete", "Clear"}},
      {form_->dxBarManagerBar2, "Edit", {"Effects", "Trim", "Crop"}},
      {form_->dxBarManagerBar3, "Help", {"Help", "About"}},
  };
  TdxRibbonTabGroups* tabGroups = form_->RibbonTab1->Groups();
  ASSERT_EQ(tabGroups->Count(), 3);
  ASSERT_EQ(Dock()->GroupBarControlCount(), 3);
  for (int i = 0; i < 3; ++i) {
    const TGroup& expected = groups[i];
    SCOPED_TRACE(expected.Caption);
    EXPECT_EQ(tabGroups->Items(i)->ToolBar(), expected.Toolbar);
    EXPECT_EQ(expected.Toolbar->BarManager(), form_->BarManager);
    EXPECT_EQ(expected.Toolbar->Caption(), expected.Caption);
    EXPECT_EQ(CaptionsOf(expected.Toolbar), expected.Buttons);
    TdxRibbonGroupBarControl* window = Dock()->GroupBarControl(i);
    EXPECT_EQ(window->Toolbar(), expected.Toolbar);
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_FALSE(window->Collapsed());
    for (int j = 0; j < expected.Toolbar->ItemLinks()->Count(); ++j)
      EXPECT_FALSE(expected.Toolbar->ItemLinks()->GetLink(j)->ItemRect().IsEmpty()) << j;
  }
}

// The ribbon's picture holds each group's caption in the skin's group caption colour and each
// button's caption, dark on the light group body.
TEST_F(RibbonStoredForm, TheRibbonPaintsItsGroupsWithTheirCaptionsAndButtons) {
  TdxRibbon* ribbon = form_->Ribbon;
  TSurface surface(ribbon->Width(), ribbon->Height(), RGB(255, 0, 255));
  ribbon->PaintTo(surface.DC(), 0, 0);
  const COLORREF header = ColorToRGB(ribbon->GetElementColor(rspTabGroupHeaderText, 0));
  auto colours = [&](TControl* window, const TRect& rect) {
    const TPoint origin = ribbon->ScreenToClient(window->ClientToScreen(rect.TopLeft()));
    std::set<COLORREF> seen;
    for (int y = origin.Y; y < origin.Y + rect.Height(); ++y)
      for (int x = origin.X; x < origin.X + rect.Width(); ++x) seen.insert(surface.Pixel(x, y));
    return seen;
  };
  for (int i = 0; i < 3; ++i) {
    TdxRibbonGroupBarControl* window = Dock()->GroupBarControl(i);
    SCOPED_TRACE(window->Caption());
    const std::set<COLORREF> caption = colours(window, window->CaptionRect());
    EXPECT_TRUE(caption.count(header)) << "no caption text";
    EXPECT_FALSE(caption.count(RGB(255, 0, 255)));
    const std::set<COLORREF> button = colours(window, window->Toolbar()->ItemLinks()->GetLink(0)->ItemRect());
    auto dark = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96; };
    EXPECT_TRUE(std::any_of(button.begin(), button.end(), dark)) << "no button caption";
  }
}

TEST_F(RibbonStoredForm, ClickingAButtonRunsTheFormsHandler) {
  struct TCase {
    int Group, Button;
    std::vector<std::string> Commands;
  };
  const TCase cases[] = {
      {0, 0, {"manager:Add", "AddVideo"}},
      {1, 1, {"manager:Trim", "ShowTrimEdit"}},
      {2, 1, {"manager:About", "ShowAbout"}},
  };
  for (const TCase& c : cases) {
    form_->Commands.clear();
    TdxRibbonGroupBarControl* window = Dock()->GroupBarControl(c.Group);
    const TPoint centre = CentreOf(window->Toolbar()->ItemLinks()->GetLink(c.Button));
    ClickAt(window, centre, centre);
    EXPECT_EQ(form_->Commands, c.Commands);
  }
}

}  // namespace
