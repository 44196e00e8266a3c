#include "calderan_test.h"

#include <string>
#include <vector>

#include "NxInspector.h"
#include "NxItemClasses.h"
#include "NxSharedDraw.h"
#include "NxToolbarItem.h"
#include "inspector_fixture.h"

struct Toolbars : FormFixture {
  Toolbars() {
    inspector = Place(new TNxInspector(form.get()), 10, 10, 300, 200);
    inspector->OnToolbarClick = TToolbarClickEvent(
        [](void* clicks, TObject*, TNxPropertyItem*, int index) {
          static_cast<std::vector<int>*>(clicks)->push_back(index);
        },
        &clicks);
    row = new TNxToolbarItem(form.get());
    row->SetCaption(u"Flags");
    inspector->Items()->AddItem(nullptr, row, true);
    for (const char16_t* text : {u"Bold", u"", u"Italic", u"Bold Italic"}) {
      auto* button = static_cast<TNxToolbarItemButton*>(row->Buttons()->Add());
      button->SetText(text);
    }
    row->Buttons()->Button(1)->SetDivider(true);
  }
  std::vector<bool> Checked() {
    std::vector<bool> state;
    for (int i = 0; i < row->ButtonCount(); ++i) state.push_back(row->IsButtonChecked(i));
    return state;
  }
  TNxInspector* inspector;
  TNxToolbarItem* row;
  std::vector<int> clicks;
};

TEST_F(Toolbars, ValueIsTheCheckedTextsAndSettingItMatchesParts) {
  row->SetValue(u"Italic");
  EXPECT_EQ(Checked(), std::vector<bool>({false, false, true, false}));
  row->SetValue(u"Bold Italic,Italic");  // "Bold" is part of "Bold Italic": checked with it
  EXPECT_EQ(Checked(), std::vector<bool>({true, false, true, true}));
  EXPECT_EQ(row->GetValue(), u"Bold,Italic,Bold Italic");
}

TEST_F(Toolbars, TheLastCheckedButtonStaysUnlessAllMayBeUp) {
  row->Buttons()->Button(0)->SetChecked(true);
  clicks.clear();
  row->Buttons()->Button(0)->SetChecked(false);
  EXPECT_TRUE(row->IsButtonChecked(0));
  EXPECT_TRUE(clicks.empty());
  row->SetAllowAllUp(true);
  row->Buttons()->Button(0)->SetChecked(false);
  EXPECT_FALSE(row->IsButtonChecked(0));
  EXPECT_EQ(clicks, std::vector<int>({0}));

  row->SetGrouped(true);
  row->Buttons()->Button(0)->SetChecked(true);
  row->Buttons()->Button(2)->SetChecked(true);
  EXPECT_EQ(Checked(), std::vector<bool>({false, false, true, false}));
  EXPECT_EQ(row->Buttons()->CheckedCount(), 1);
}

TEST_F(Toolbars, DigitKeysToggleTheNthButtonThatIsNoDivider) {
  row->SetAllowAllUp(true);
  auto* display = static_cast<TNxToolbarItemDisplay*>(row->Display());
  Word key = '2';
  display->KeyDown(key, {});
  EXPECT_EQ(Checked(), std::vector<bool>({false, false, true, false}));
  row->Buttons()->Button(0)->SetAutoCheck(false);
  key = '1';
  display->KeyDown(key, {});
  EXPECT_FALSE(row->IsButtonChecked(0));
}

TEST_F(Toolbars, HitsInLeftAndRightAlignedStrips) {
  auto* display = static_cast<TNxToolbarItemDisplay*>(row->Display());
  display->Rect = Rect(101, 0, 301, 16);
  EXPECT_EQ(display->ButtonAtX(0), 0);
  EXPECT_EQ(display->ButtonAtX(17 * 2 + 3), 2);
  row->SetAlignment(baRightJustify);
  const int start = 200 - 4 * 17;
  EXPECT_EQ(display->ButtonAtX(start - 1), -1);  // left of the first button: nothing
  EXPECT_EQ(display->ButtonAtX(start), 0);
  EXPECT_EQ(display->ButtonRect(3), Rect(301 - 17, 0, 301, 16));
}

TEST_F(Toolbars, AClickOnTheCellTogglesAnAutoCheckButton) {
  row->SetAllowAllUp(true);
  inspector->Repaint();
  const HWND window = inspector->Handle();
  const int y = inspector->ItemTop(row) + 5;
  const int x = inspector->SplitterPosition() + 1 + 2 * 17 + 4;  // inside button 2
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(x, y));
  SendMessageA(window, WM_LBUTTONUP, 0, ClientPoint(x, y));
  EXPECT_TRUE(row->IsButtonChecked(2));
  EXPECT_EQ(clicks, std::vector<int>({2}));
  EXPECT_EQ(row->GetValue(), u"Italic");
  EXPECT_NO_THROW(inspector->Repaint());
}

// The displays: captions, password masks and the bold non-default value.
using Displays = FormFixture;

TEST_F(Displays, PasswordRowsPaintMasksAndCategoriesTheirColour) {
  auto* inspector = Place(new TNxInspector(form.get()), 10, 10, 300, 200);
  inspector->SetCategoriesColor(RGB(200, 0, 0));
  auto* category = new TNxTextItem(form.get());
  inspector->Items()->AddItem(nullptr, category, true);
  auto* secret = new TNxTextItem(form.get());
  inspector->Items()->AddItem(category, secret, true);
  secret->SetPasswordChar('*');
  secret->SetValue(u"abcde");
  TestSurface s(300, 40);
  TNxItemDisplay* display = category->Display();
  display->Canvas = s.Canvas();
  display->CategoriesColor = RGB(200, 0, 0);
  display->Rect = Rect(14, 0, 300, 16);
  display->DrawCaption();
  EXPECT_EQ(s.At(200, 8), RGB(200, 0, 0));
  display->Rect = Rect(101, 0, 300, 16);
  display->DrawValue();  // a category's value background is left alone
  EXPECT_EQ(s.At(200, 8), RGB(200, 0, 0));

  auto* text = static_cast<TNxTextItemDisplay*>(secret->Display());
  text->Canvas = s.Canvas();
  text->Rect = Rect(0, 20, 300, 36);
  text->DrawValue();
  TestSurface masked(300, 40), plain(300, 40);
  for (auto [surface, value] : {std::pair{&masked, u"*****"}, {&plain, u"abcde"}}) {
    surface->Canvas()->Font()->Assign(secret->ValueFont());
    TGraphicsProvider::DrawTextRect(surface->Canvas(), Rect(3, 20, 300, 36), 0, value, 0);
  }
  int same = 0, differ = 0;
  for (int x = 0; x < 120; ++x)
    for (int y = 20; y < 36; ++y) {
      same += s.At(x, y) == masked.At(x, y);
      differ += s.At(x, y) != plain.At(x, y);
    }
  EXPECT_EQ(same, 120 * 16);
  EXPECT_GT(differ, 0);
}
