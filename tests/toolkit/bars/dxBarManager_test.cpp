#include "calderan_test.h"

#include <memory>
#include <string>

#include "BinaryFiler.h"
#include "bars_fixture.h"
#include "dxBarDrawRoutines.h"
#include "dxBarFlatPainter.h"
#include "dxBarOffice11Painter.h"
#include "dxBarStrs.h"
#include "dxBarXPPainter.h"
#include "message_pump.h"
#include "stored_form_test.h"

namespace {

class BarManager : public BarFixture {
 protected:
  static void SetUpTestSuite() {
    BarFixture::SetUpTestSuite();
    RegisterClass(TdxBarItem::StaticClass());  // a plain item kind for stored forms
  }
};

TEST_F(BarManager, OwnerMustBeAWindowedControlWithoutAnotherManager) {
  try {
    TComponent plain(nullptr);
    TdxBarManager manager(&plain);
    FAIL() << "a manager without a windowed owner";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "TdxBarManager should have TWinControl as its Owner");
  }
  const int managers = BarManagerCount();
  try {
    TdxBarManager second(form_.get());
    FAIL() << "a second manager on one form";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "A control should contain only a single TdxBarManager");
  }
  EXPECT_EQ(BarManagerCount(), managers);  // nothing of the refused one is left
  EXPECT_EQ(FindBarManagerOf(form_.get()), manager_);
  manager_->SetStyle(bmsFlat);  // the first one still works
  EXPECT_EQ(manager_->Painter(), TdxBarFlatPainter::Instance());
}

TEST_F(BarManager, OutOfRangeValuesAreIgnoredOrClamped) {
  struct TCase {
    Byte Percents;
    Byte Stored;
    int Threshold;
  } const percents[] = {{200, 100, 0}, {100, 100, 0}, {95, 95, 20}, {50, 50, 2}, {0, 0, 1}};
  for (const TCase& c : percents) {
    manager_->SetMostRecentItemsPercents(c.Percents);
    EXPECT_EQ(manager_->MostRecentItemsPercents(), c.Stored) << int(c.Percents);
    EXPECT_EQ(manager_->RecentUseCountThreshold(), c.Threshold) << int(c.Percents);
  }
  manager_->SetButtonArrowWidth(1);
  EXPECT_EQ(manager_->ButtonArrowWidth(), 11);
  manager_->SetLargeButtonArrowWidth(1);
  EXPECT_EQ(manager_->LargeButtonArrowWidth(), 13);
  manager_->SetWaitForDockingTime(-5);
  EXPECT_EQ(manager_->WaitForDockingTime(), 21);
  manager_->SetRegistryPath("Software\\Calderan");
  EXPECT_EQ(manager_->RegistryPath(), "\\Software\\Calderan\\");
  manager_->SetRegistryPath("");
  EXPECT_EQ(manager_->RegistryPath(), "");
}

TEST_F(BarManager, DockColourFollowsTheOwnerUntilSet) {
  form_->SetColor(clTeal);
  EXPECT_TRUE(manager_->AutoDockColor());
  EXPECT_EQ(manager_->DockColor(), clTeal);
  const TPropInfo* prop = FindPublishedProperty(manager_->ClassType(), "DockColor");
  ASSERT_NE(prop, nullptr);
  EXPECT_FALSE(IsStoredProp(manager_, prop));
  manager_->SetDockColor(clRed);
  EXPECT_FALSE(manager_->AutoDockColor());
  EXPECT_EQ(manager_->DockColor(), clRed);
  EXPECT_TRUE(IsStoredProp(manager_, prop));
}

TEST_F(BarManager, FontChangesLeaveTheSystemFontAndItComesBack) {
  const LOGFONTA menu = ReadNonClientMetrics().lfMenuFont;
  EXPECT_TRUE(manager_->UseSystemFont());
  EXPECT_EQ(manager_->Font()->Height(), menu.lfHeight);
  EXPECT_EQ(manager_->Font()->Name(), menu.lfFaceName);
  manager_->SetScaled(false);
  manager_->Font()->SetHeight(-20);
  EXPECT_FALSE(manager_->UseSystemFont());
  EXPECT_EQ(manager_->Font()->Height(), -20);
  EXPECT_EQ(manager_->EditFont()->Height(), -20);  // a copy while not scaled
  manager_->SetUseSystemFont(true);
  EXPECT_EQ(manager_->Font()->Height(), menu.lfHeight);
  // scaled: the height follows the menu font even when the font is set
  manager_->SetScaled(true);
  manager_->Font()->SetHeight(-30);
  EXPECT_EQ(manager_->Font()->Height(), menu.lfHeight);
  EXPECT_LE(manager_->BarCaptionFont()->Height(), -11);
}

// The painter of each style; a look-and-feel style under a skin takes the standard painter (the
// skinned bar painter belongs to the ribbon).
TEST_F(BarManager, StyleChoosesThePainter) {
  const bool themes = AreThemeKindsAvailable({totComboBox, totEdit, totMenu, totPage, totRebar, totSpin, totToolBar,
                                              totWindow});
  struct TCase {
    TdxBarManagerStyle Style;
    TdxBarPainterClass Painter;
    TdxBarManagerStyle Effective;
  } const cases[] = {
      {bmsStandard, TdxBarStandardPainter::Instance(), bmsStandard},
      {bmsEnhanced, TdxBarEnhancedPainter::Instance(), bmsEnhanced},
      {bmsFlat, TdxBarFlatPainter::Instance(), bmsFlat},
      {bmsXP, themes ? TdxBarXPPainter::Instance() : TdxBarEnhancedPainter::Instance(), bmsXP},
      {bmsOffice11, TdxBarOffice11Painter::Instance(), bmsOffice11},
  };
  for (const TCase& c : cases) {
    manager_->SetStyle(c.Style);
    EXPECT_EQ(manager_->Painter(), c.Painter) << int(c.Style);
    EXPECT_EQ(manager_->GetEffectiveStyle(), c.Effective) << int(c.Style);
  }
  manager_->SetStyle(bmsUseLookAndFeel);
  struct TKindCase {
    TcxLookAndFeelKind Kind;
    TdxBarPainterClass Painter;
    TdxBarManagerStyle Effective;
  } const kinds[] = {
      {lfFlat, TdxBarEnhancedPainter::Instance(), bmsEnhanced},
      {lfStandard, TdxBarStandardPainter::Instance(), bmsStandard},
      {lfUltraFlat, TdxBarFlatPainter::Instance(), bmsFlat},
      {lfOffice11, TdxBarOffice11Painter::Instance(), bmsOffice11},
  };
  for (const TKindCase& c : kinds) {
    manager_->LookAndFeel()->SetKind(c.Kind);
    EXPECT_EQ(manager_->Painter(), c.Painter) << int(c.Kind);
    EXPECT_EQ(manager_->GetEffectiveStyle(), c.Effective) << int(c.Kind);
  }
  manager_->LookAndFeel()->SetNativeStyle(true);
  EXPECT_EQ(manager_->GetPainterStyle(), themes ? 3 : 4);
  EXPECT_EQ(dxBarSkinnedPainterClass, TdxBarStandardPainter::Instance());
}

// The hint window as the timers see it: records what it shows.
class TFakeHintWindow : public IdxBarHintWindow {
 public:
  bool IsVisible() override { return visible; }
  void Hide() override { visible = false; }
  bool Activate(TdxBarManager*, const std::string& text, const std::string&) override {
    shown = text;
    visible = true;
    return true;
  }
  bool IsScreenTipMode() override { return false; }
  bool visible = false;
  std::string shown;
};

TEST_F(BarManager, HintsWaitTheirDelayThenFollowUpAtOnce) {
  TFakeHintWindow window;
  SetBarHintWindow(&window);
  manager_->UpdateHint(true, "Add files", nullptr);
  EXPECT_FALSE(window.visible);  // waits the show delay
  TdxBarManager::HintShowTimerExpired();
  EXPECT_TRUE(window.visible);
  EXPECT_EQ(window.shown, "Add files");
  manager_->UpdateHint(true, "Delete", nullptr);  // another hint while one shows: at once
  EXPECT_EQ(window.shown, "Delete");
  manager_->UpdateHint(true, "", nullptr);  // an empty area: hidden, the follow-up window opens
  EXPECT_FALSE(window.visible);
  EXPECT_TRUE(TdxBarManager::IsHintFollowUpOpen());
  manager_->UpdateHint(true, "Clear", nullptr);
  EXPECT_EQ(window.shown, "Clear");
  TdxBarManager::HintHideTimerExpired();  // the hide delay ran out
  EXPECT_FALSE(window.visible);
  TdxBarManager::HintFollowUpTimerExpired();
  EXPECT_FALSE(TdxBarManager::IsHintFollowUpOpen());
  manager_->SetShowHint(false);
  manager_->UpdateHint(true, "Never", nullptr);
  TdxBarManager::HintShowTimerExpired();
  EXPECT_NE(window.shown, "Never");
  SetBarHintWindow(nullptr);
}

constexpr const char* storedForm = R"(object Form: TForm
  Left = 0
  Top = 0
  object BarManager1: TdxBarManager
    Categories.Strings = (
      'Default'
      'Files')
    Categories.ItemsVisibles = (
      2
      1)
    Categories.Visibles = (
      True
      False)
    ImageOptions.LargeIcons = True
    ImageOptions.StretchGlyphs = False
    ButtonArrowWidth = 13
    MenuAnimations = maFade
    NotDocking = [dsLeft, dsRight]
    Style = bmsFlat
    UseSystemFont = True
    DockControlHeights = (
      0
      0
      26
      0)
    object ItemAdd: TdxBarItem
      Caption = 'Add'
      Category = 1
      Hint = 'Add files|Adds files to the list'
      Visible = ivAlways
    end
    object ItemOpen: TdxBarItem
      Caption = 'Open'
      Category = 0
      Visible = ivNever
    end
    object Group1: TdxBarGroup
      Items = (
        'ItemAdd'
        'ItemOpen')
      Enabled = False
    end
  end
end
)";

TEST_F(BarManager, AStoredFormIsReadAndWrittenBackEqual) {
  TForm stored(nullptr, 0);
  ReadComponentText(storedForm, "Bars", &stored);
  auto* manager = ObjectAs<TdxBarManager>(stored.FindComponent("BarManager1"));
  ASSERT_NE(manager, nullptr);
  EXPECT_EQ(manager->Style(), bmsFlat);
  EXPECT_EQ(manager->ButtonArrowWidth(), 13);
  EXPECT_EQ(manager->MenuAnimations(), maFade);
  EXPECT_TRUE(manager->NotDocking().Contains(dsLeft));
  EXPECT_TRUE(manager->ImageOptions()->LargeIcons());
  EXPECT_EQ(manager->DockControlHeights()[2], 26);
  ASSERT_EQ(manager->Categories()->Count(), 2);
  EXPECT_EQ(manager->GetCategoryItemsVisible(1), ivInCustomizing);
  EXPECT_FALSE(manager->IsCategoryVisible(1));
  ASSERT_EQ(manager->GetItemCount(), 2);
  auto* add = manager->ItemByName("ItemAdd");
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(add->Category(), 1);
  EXPECT_EQ(add->Visible(), ivInCustomizing);  // the category's value, applied after loading
  EXPECT_EQ(manager->ItemByName("ItemOpen")->Visible(), ivNever);
  ASSERT_EQ(manager->GetGroupCount(), 1);
  EXPECT_EQ(manager->GetGroup(0)->Count(), 2);
  EXPECT_FALSE(manager->GetGroup(0)->Enabled());

  // Each object written and read into a fresh one writes the same again.
  TForm copyForm(nullptr, 0);
  auto* copy = new TdxBarManager(&copyForm);
  copy->Categories()->Clear();
  ReadForm(copy, WrittenForm(manager));
  EXPECT_EQ(WrittenForm(copy), WrittenForm(manager));
  auto* item = new TdxBarItem(&copyForm);
  ReadForm(item, WrittenForm(add));
  EXPECT_EQ(WrittenForm(item), WrittenForm(add));
  EXPECT_EQ(item->Hint(), "Add files|Adds files to the list");
}

}  // namespace
