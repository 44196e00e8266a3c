#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "FormReader.h"
#include "cxBaseUnits.h"
#include "cxStyles.h"
#include "stored_form_test.h"

namespace {

// Style slots of a test control: entries are put with SetValue; changes are recorded.
class TTestStyles : public TcxCustomStyles {
  CALDERAN_CLASS(TTestStyles)
  using TcxCustomStyles::TcxCustomStyles;
  using TcxCustomStyles::SetValue;
  void DoItemChanged(int index) override { changes.push_back(index); }
  std::vector<int> changes;
};

class TTestStyleSheetClass : public TcxCustomStyleSheetClass {
 public:
  using TcxCustomStyleSheetClass::TcxCustomStyleSheetClass;
  TClass StylesClass() const override { return TTestStyles::StaticClass(); }
};

class TTestStyleSheet : public TcxCustomStyleSheet {
  CALDERAN_CLASS_WITH_OPERATIONS(TTestStyleSheet, TTestStyleSheetClass)
  using TcxCustomStyleSheet::TcxCustomStyleSheet;
  TTestStyles* TestStyles() const { return static_cast<TTestStyles*>(Styles()); }
};

CALDERAN_IMPLEMENT_CREATABLE(TTestStyles, TcxCustomStyles, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TTestStyleSheet, TcxCustomStyleSheet, TComponent*)

class TRecorder : public IcxStyleObserver {
 public:
  void NotifyStyleChanged(TcxCustomStyle*) override { ++changes; }
  void NotifyStyleDestroying(TcxCustomStyle* style) override { style->RemoveObserver(this); }
  int changes = 0;
};

class StylesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    StartToolkitBaseUnits();
    StartUnits({&FormReaderUnit});  // the framework's published properties (Font.Height)
  }
  TComponent form{nullptr};
  TcxStyleRepository* repository = new TcxStyleRepository(&form);
  TcxStyle* NewStyle() { return static_cast<TcxStyle*>(repository->CreateStyle(TcxStyle::StaticClass())); }
  TTestStyleSheet* NewSheet() {
    return static_cast<TTestStyleSheet*>(repository->CreateSheet(TTestStyleSheet::StaticClass()));
  }
};

using enum TcxStyleValue;

TEST_F(StylesTest, SettingValuesKeepsTheFlags) {
  TcxStyle* style = NewStyle();
  TRecorder recorder;
  style->AddObserver(&recorder);
  style->AddObserver(&recorder);  // listed once
  struct TStep {
    void (*apply)(TcxStyle*);
    TcxStyleValues expected;
    int notifications;
  };
  const TStep steps[] = {
      {[](TcxStyle* s) { s->SetColor(clRed); }, TcxStyleValues{svColor}, 1},
      {[](TcxStyle* s) { s->SetColor(clRed); }, TcxStyleValues{svColor}, 0},  // the same value: nobody told
      {[](TcxStyle* s) { s->SetTextColor(clBlue); }, TcxStyleValues{svColor, svTextColor}, 1},
      {[](TcxStyle* s) { s->SetColor(clDefault); }, TcxStyleValues{svTextColor}, 1},
      {[](TcxStyle* s) { s->Font()->SetHeight(-20); }, TcxStyleValues{svTextColor, svFont}, 1},
      {[](TcxStyle* s) { TBitmap b(4, 4); s->SetBitmap(&b); }, TcxStyleValues{svTextColor, svFont, svBitmap}, 1},
      {[](TcxStyle* s) { TBitmap empty; s->SetBitmap(&empty); }, TcxStyleValues{svTextColor, svFont}, 1},
      {[](TcxStyle* s) { s->SetAssignedValues(TcxStyleValues{svColor}); }, TcxStyleValues{svColor}, 1},
      {[](TcxStyle* s) { s->SetAssignedValues(TcxStyleValues{svColor}); }, TcxStyleValues{svColor}, 0},
      {[](TcxStyle* s) { s->ResetValues(); }, TcxStyleValues{}, 1},
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    int before = recorder.changes;
    steps[i].apply(style);
    EXPECT_TRUE(style->AssignedValues() == steps[i].expected) << "step " << i;
    EXPECT_EQ(recorder.changes - before, steps[i].notifications) << "step " << i;
  }
  EXPECT_EQ(style->Color(), clDefault);
  EXPECT_EQ(style->TextColor(), clDefault);
  EXPECT_TRUE(style->Bitmap()->Empty());
  EXPECT_EQ(style->Font()->Height(), -20);  // the font keeps its values
  style->RemoveObserver(&recorder);
}

TEST_F(StylesTest, AssignTakesTheSourceFlagsLast) {
  TcxStyle* source = NewStyle();
  source->SetColor(clGreen);
  source->Font()->SetHeight(-30);
  source->SetAssignedValues(TcxStyleValues{svColor});  // the font's value is there, not assigned
  TcxStyle* target = NewStyle();
  target->SetTextColor(clRed);
  target->Assign(source);
  EXPECT_EQ(target->Color(), clGreen);
  EXPECT_EQ(target->Font()->Height(), -30);
  EXPECT_EQ(target->TextColor(), clDefault);
  EXPECT_TRUE(target->AssignedValues() == TcxStyleValues{svColor});
}

TEST_F(StylesTest, OnlyAssignedValuesAreStored) {
  TcxStyle* style = NewStyle();
  style->SetColor(clRed);
  std::string written = WrittenForm(style);
  EXPECT_NE(written.find("\x05" "Color"), std::string::npos);
  EXPECT_EQ(written.find("TextColor"), std::string::npos);
  EXPECT_EQ(written.find("Font."), std::string::npos);
  EXPECT_EQ(written.find("Bitmap"), std::string::npos);

  TcxStyle* copy = NewStyle();
  ReadForm(copy, written);
  EXPECT_EQ(copy->Color(), clRed);
  EXPECT_TRUE(copy->AssignedValues() == TcxStyleValues{svColor});

  style->SetColor(clDefault);
  style->SetTextColor(clBlue);
  style->Font()->SetHeight(-9);
  written = WrittenForm(style);
  EXPECT_EQ(written.find("\x05" "Color"), std::string::npos);
  EXPECT_NE(written.find("TextColor"), std::string::npos);
  EXPECT_NE(written.find("Font.Height"), std::string::npos);
}

TEST_F(StylesTest, RepositoryHoldsStylesAndSheets) {
  TcxStyle* style = NewStyle();
  TTestStyleSheet* sheet = NewSheet();
  EXPECT_EQ(style->Owner(), &form);
  EXPECT_EQ(style->GetParentComponent(), repository);
  EXPECT_TRUE(style->HasParent());
  EXPECT_EQ(repository->Count(), 1);
  EXPECT_EQ(repository->StyleSheetCount(), 1);
  EXPECT_EQ(sheet->StyleRepository(), repository);

  TcxStyleRepository other(&form);
  style->SetParentComponent(&other);
  EXPECT_EQ(repository->Count(), 0);
  EXPECT_EQ(other.Items(0), style);
  style->SetParentComponent(repository);

  TComponent elsewhere(nullptr);
  TcxStyle foreign(&elsewhere);
  foreign.JoinRepository(repository);
  std::vector<TComponent*> children;
  repository->GetChildren([&](TComponent* c) { children.push_back(c); }, &form);
  EXPECT_EQ(children, (std::vector<TComponent*>{style, sheet}));
  foreign.JoinRepository(nullptr);

  int components = form.ComponentCount();
  delete repository;
  repository = nullptr;
  EXPECT_EQ(form.ComponentCount(), components - 3);  // the repository, its style and its sheet
}

TEST_F(StylesTest, FontsScaleToTheScreen) {
  int screen = ScreenPixelsPerInch();
  repository->SetPixelsPerInch(120);
  EXPECT_EQ(repository->ScaleFontHeight(-14), -14);  // not scalable
  repository->SetScalable(true);
  EXPECT_EQ(repository->ScaleFontHeight(-14), MulDiv(-14, screen, 120));
  repository->SetPixelsPerInch(0);
  EXPECT_EQ(repository->ScaleFontHeight(-14), -14);
  repository->SetPixelsPerInch(screen);
  EXPECT_EQ(repository->ScaleFontHeight(-14), -14);
}

TEST_F(StylesTest, StoredRepositoryScalesItsStylesFonts) {
  int screen = ScreenPixelsPerInch();
  TComponent root(nullptr);
  ReadComponentText(
      "object Root: TComponent\n"
      "  object Repository: TcxStyleRepository\n"
      "    Scalable = True\n"
      "    PixelsPerInch = 120\n"
      "    object Big: TcxStyle\n"
      "      AssignedValues = [svFont]\n"
      "      Font.Height = -14\n"
      "    end\n"
      "    object Plain: TcxStyle\n"
      "      Color = clRed\n"
      "    end\n"
      "  end\n"
      "end\n",
      "Styles", &root);
  auto* read = static_cast<TcxStyleRepository*>(root.FindComponent("Repository"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->PixelsPerInch(), 120);
  ASSERT_EQ(read->Count(), 2);
  auto* big = static_cast<TcxStyle*>(read->Items(0));
  auto* plain = static_cast<TcxStyle*>(read->Items(1));
  EXPECT_EQ(big->Font()->Height(), MulDiv(-14, screen, 120));
  EXPECT_TRUE(big->AssignedValues() == TcxStyleValues{svFont});
  EXPECT_TRUE(plain->AssignedValues() == TcxStyleValues{svColor});  // scaling assigns no font

  // The repository writes the resolution it is written on.
  std::string written = WrittenForm(read);
  EXPECT_NE(written.find("PixelsPerInch"), std::string::npos);
  TcxStyleRepository copy(nullptr);
  ReadForm(&copy, written);
  EXPECT_EQ(copy.PixelsPerInch(), screen);
  EXPECT_TRUE(copy.Scalable());
}

TEST_F(StylesTest, SheetCaptionsAndStoredState) {
  TTestStyleSheet* sheet = NewSheet();
  sheet->SetName("Office");
  EXPECT_EQ(sheet->Caption(), "Office");
  sheet->SetCaption("OFFICE");
  EXPECT_FALSE(sheet->IsCaptionStored());
  EXPECT_EQ(sheet->Caption(), "Office");
  sheet->SetCaption("Blue office");
  EXPECT_EQ(sheet->Caption(), "Blue office");
  EXPECT_FALSE(sheet->BuiltIn());
  EXPECT_EQ(sheet->Styles()->ClassType(), TTestStyles::StaticClass());
  EXPECT_EQ(sheet->Styles()->OwnerSheet(), sheet);
  std::string written = WrittenForm(sheet);
  EXPECT_NE(written.find("BuiltIn"), std::string::npos);
  EXPECT_NE(written.find("Blue office"), std::string::npos);

  form.SetDesigning(true);
  TTestStyleSheet* designed = NewSheet();
  form.SetDesigning(false);
  EXPECT_TRUE(designed->BuiltIn());
}

TEST_F(StylesTest, StylesFollowTheirStylesAndSheets) {
  TcxStyle* red = NewStyle();
  TcxStyle* blue = NewStyle();
  TTestStyleSheet* sheet = NewSheet();
  sheet->TestStyles()->SetValue(3, red);
  sheet->TestStyles()->SetValue(5, blue);
  TTestStyles control(nullptr);
  control.SetValue(1, red);
  control.SetValue(2, red);
  control.changes.clear();

  red->SetColor(clRed);  // both entries of the control, and the sheet's user for index 3
  EXPECT_EQ(control.changes, (std::vector<int>{1, 2}));

  control.changes.clear();
  control.SetStyleSheet(sheet);
  EXPECT_EQ(control.StyleSheet(), sheet);
  EXPECT_EQ(control.changes, (std::vector<int>{3, 5}));
  control.changes.clear();
  blue->SetColor(clBlue);  // reaches the control through the sheet
  EXPECT_EQ(control.changes, (std::vector<int>{5}));

  control.changes.clear();
  delete red;  // leaves every entry that used it, each reported
  EXPECT_EQ(control.GetValue(1), nullptr);
  EXPECT_EQ(control.GetValue(2), nullptr);
  EXPECT_EQ(sheet->Styles()->GetValue(3), nullptr);
  EXPECT_EQ(control.EntryCount(), 0);
  EXPECT_EQ(control.changes, (std::vector<int>{2, 1, 3}));  // the last observer is told first

  control.changes.clear();
  delete sheet;  // its users are detached
  EXPECT_EQ(control.StyleSheet(), nullptr);
  EXPECT_EQ(control.changes, (std::vector<int>{5}));
}

TEST_F(StylesTest, SheetsThatCannotBeUsed) {
  TTestStyleSheet* a = NewSheet();
  TTestStyleSheet* b = NewSheet();
  auto* plainSheet = static_cast<TcxCustomStyleSheet*>(repository->CreateSheet(TcxCustomStyleSheet::StaticClass()));
  TTestStyles control(nullptr);
  control.SetStyleSheet(plainSheet);  // made for another styles class
  EXPECT_EQ(control.StyleSheet(), nullptr);

  a->Styles()->SetStyleSheet(a);  // its own sheet
  EXPECT_EQ(a->Styles()->StyleSheet(), nullptr);
  a->Styles()->SetStyleSheet(b);
  EXPECT_EQ(a->Styles()->StyleSheet(), b);
  b->Styles()->SetStyleSheet(a);  // b -> a -> b would be a circle
  EXPECT_EQ(b->Styles()->StyleSheet(), nullptr);

  TTestStyles copy(nullptr);
  copy.Assign(a->Styles());
  EXPECT_EQ(copy.StyleSheet(), b);
}

// A style tells an observer that does not detach only once, and is freed all the same.
TEST_F(StylesTest, AnObserverThatStaysDoesNotHoldTheStyle) {
  struct TStubborn : IcxStyleObserver {
    void NotifyStyleChanged(TcxCustomStyle*) override {}
    void NotifyStyleDestroying(TcxCustomStyle*) override { ++told; }
    int told = 0;
  } stubborn;
  TcxStyle* style = NewStyle();
  style->AddObserver(&stubborn);
  delete style;
  EXPECT_EQ(stubborn.told, 1);
  EXPECT_EQ(repository->Count(), 0);
}

}  // namespace
