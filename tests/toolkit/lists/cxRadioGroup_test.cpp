#include "calderan_test.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "FormReader.h"
#include "Forms.h"
#include "cxGeometry.h"
#include "groups_fixture.h"
#include "stored_form_test.h"

namespace {

struct TEventLog {
  int clicks = 0, changes = 0;
  void Clicked(TObject*) { ++clicks; }
  void Changed(TObject*) { ++changes; }
};

struct RadioGroups : GroupsFixture {
  RadioGroups() {
    RootLookAndFeel()->SetNativeStyle(false);
    RootLookAndFeel()->SetKind(lfStandard);
    group = Place(new TcxRadioGroup(form.get()), 10, 10, 300, 120);
    group->SetCaption("Quality");
    group->OnClick = MakeEvent(&log, &TEventLog::Clicked);
    group->Properties()->OnChange = MakeEvent(&log, &TEventLog::Changed);
  }
  void SetItems(const std::vector<std::string>& captions, int columns = 1) {
    TcxRadioGroupProperties* p = group->Properties();
    p->BeginUpdate();
    p->Items()->Clear();
    for (const std::string& caption : captions) p->Items()->Add()->SetCaption(caption);
    p->SetColumns(columns);
    p->EndUpdate();
    PumpWhileBusy();
  }
  HWND ButtonWindow(int index) { return group->RadioButton(index)->Handle(); }
  int FocusedButton() { return group->FocusedButtonIndex(); }
  std::vector<bool> Checks() {
    std::vector<bool> checks;
    for (int i = 0; i < group->ButtonCount(); ++i) checks.push_back(group->RadioButton(i)->Checked());
    return checks;
  }
  void Key(int button, WPARAM key) {
    SendMessageA(ButtonWindow(button), WM_KEYDOWN, key, 1);
    PumpWhileBusy();
  }
  void ClickButton(int index) {
    const HWND window = ButtonWindow(index);
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpWhileBusy();
  }
  TcxRadioGroup* group = nullptr;
  TEventLog log;
};

TEST_F(RadioGroups, CaptionsMatchTheValueWithTheirLetterCase) {
  SetItems({"Low", "High", "Best"});
  struct {
    TVariant value;
    int index;
  } const cases[] = {{TVariant(std::string("High")), 1}, {TVariant(std::string("high")), -1},
                     {TVariant(std::string("Best")), 2}, {TVariant(std::string("BEST")), -1},
                     {TVariant(std::string("Low ")), -1}, {TVariant::Null(), -1}};
  for (const auto& c : cases) {
    group->SetEditValue(c.value);
    PumpWhileBusy();
    EXPECT_EQ(group->ItemIndex(), c.index) << TVariant(c.value).AsString();
    const std::vector<bool> checks = Checks();
    EXPECT_EQ(std::count(checks.begin(), checks.end(), true), c.index < 0 ? 0 : 1);
  }
  group->Properties()->SetDefaultCaption(u"(none)");
  EXPECT_EQ(group->Properties()->FormatDisplayValue(TVariant(std::string("high"))), u"(none)");
  EXPECT_EQ(group->Properties()->FormatDisplayValue(TVariant(std::string("High"))), u"High");
}

// An item with a value matches by value; a Boolean is compared as text.
TEST_F(RadioGroups, ItemValuesMatchByValue) {
  SetItems({"one", "two", "yes"});
  TcxRadioGroupItems* items = group->Properties()->Items();
  items->Items(0)->SetValue(TVariant(int32_t(1)));
  items->Items(1)->SetValue(TVariant(std::string("2")));
  items->Items(2)->SetValue(TVariant(true));
  struct {
    TVariant value;
    int index;
  } const cases[] = {
      {TVariant(int32_t(1)), 0},          {TVariant(std::string("1")), 0}, {TVariant(1.0), 0},
      {TVariant(int32_t(2)), 1},          {TVariant(true), 2},             {TVariant(std::string("True")), 2},
      {TVariant(std::string("one")), -1},  // the caption no longer counts
      {TVariant(int32_t(-1)), -1},
  };
  for (const auto& c : cases) {
    group->SetEditValue(c.value);
    EXPECT_EQ(group->ItemIndex(), c.index) << TVariant(c.value).AsString();
  }
  group->SetItemIndex(1);
  EXPECT_TRUE(VariantsEqualExact(group->EditValue(), TVariant(std::string("2"))));
}

TEST_F(RadioGroups, ItemIndexIsClampedAndWithoutAnItemTheValueIsTheDefault) {
  SetItems({"AVI", "MP4", "MKV"});
  group->Properties()->SetDefaultValue(TVariant(int32_t(42)));
  struct {
    int written, read;
    std::vector<bool> checks;
  } const cases[] = {
      {99, 2, {false, false, true}}, {0, 0, {true, false, false}}, {3, 2, {false, false, true}},
      {-5, -1, {false, false, false}}, {1, 1, {false, true, false}}, {-1, -1, {false, false, false}},
  };
  for (const auto& c : cases) {
    group->SetItemIndex(c.written);
    EXPECT_EQ(group->ItemIndex(), c.read) << c.written;
    EXPECT_EQ(Checks(), c.checks) << c.written;
    if (c.read < 0) EXPECT_TRUE(VariantsEqualExact(group->EditValue(), TVariant(int32_t(42))));
    else EXPECT_EQ(group->EditValue().AsString(), group->Properties()->Items()->Items(c.read)->Caption());
  }
}

// The checked button shows the dot of a checked glyph; the others do not.
TEST_F(RadioGroups, TheCheckedButtonIsPaintedChecked) {
  SetItems({"AVI", "MP4", "MKV"});
  auto centreOfGlyph = [&](int i) {
    const TShownPicture shown(ButtonWindow(i));
    const TRect glyph = group->RadioButton(i)->GlyphRect();
    return shown.At((glyph.Left + glyph.Right) / 2, (glyph.Top + glyph.Bottom) / 2);
  };
  group->SetItemIndex(99);
  PumpWhileBusy();
  const COLORREF checked = centreOfGlyph(2), unchecked = centreOfGlyph(0);
  EXPECT_NE(checked, unchecked);
  EXPECT_EQ(centreOfGlyph(1), unchecked);
  group->SetItemIndex(0);
  PumpWhileBusy();
  EXPECT_EQ(centreOfGlyph(0), checked);
  EXPECT_EQ(centreOfGlyph(2), unchecked);
}

TEST_F(RadioGroups, WritingTheSameValueTwiceClicksAndChangesOnce) {
  SetItems({"AVI", "MP4", "MKV"});
  group->SetItemIndex(1);
  EXPECT_EQ(log.clicks, 1);
  EXPECT_EQ(log.changes, 1);
  group->SetItemIndex(1);
  EXPECT_EQ(log.clicks, 1);
  EXPECT_EQ(log.changes, 1);
  group->SetItemIndex(2);
  EXPECT_EQ(log.clicks, 2);
  EXPECT_EQ(log.changes, 2);
}

TEST_F(RadioGroups, AClickOnAButtonChecksItsItem) {
  SetItems({"AVI", "MP4", "MKV"});
  ClickButton(1);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(group->EditValue().AsString(), "MP4");
  EXPECT_EQ(log.changes, 1);
  EXPECT_GE(log.clicks, 1);
  const int clicks = log.clicks;
  ClickButton(1);  // already checked: nothing changes
  EXPECT_EQ(log.changes, 1);
  ClickButton(2);
  EXPECT_EQ(Checks(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(log.changes, 2);
  EXPECT_GT(log.clicks, clicks);
}

// Five items in three columns stand as 0 1 | 2 3 | 4: the arrows move by column and row, and
// the button reached is checked.
TEST_F(RadioGroups, ArrowKeysMoveBetweenButtonsByColumnAndRow) {
  SetItems({"A", "B", "C", "D", "E"}, 3);
  struct {
    int from;
    WPARAM key;
    int to;
  } const cases[] = {
      {0, VK_DOWN, 1},  {1, VK_DOWN, 1},  {1, VK_UP, 0},    {0, VK_UP, 0},    {0, VK_RIGHT, 2},
      {2, VK_RIGHT, 4}, {4, VK_DOWN, 4},  {4, VK_RIGHT, 4}, {3, VK_RIGHT, 3}, {3, VK_LEFT, 1},
      {0, VK_LEFT, 0},  {4, VK_LEFT, 2},  {2, VK_DOWN, 3},
  };
  for (const auto& c : cases) {
    group->RadioButton(c.from)->SetFocus();
    PumpWhileBusy();
    ASSERT_EQ(FocusedButton(), c.from);
    Key(c.from, c.key);
    EXPECT_EQ(FocusedButton(), c.to) << "from " << c.from << " key " << c.key;
    EXPECT_EQ(group->ItemIndex(), c.to) << "the button reached is checked";
  }
}

// Through the application's message loop a key reaches the button as CN_KEYDOWN first, where the
// form's dialog navigation would move the focus in tab order instead.
TEST_F(RadioGroups, ArrowKeysThroughTheMessageLoopStayWithTheGrid) {
  SetItems({"A", "B", "C", "D", "E"}, 3);
  group->RadioButton(0)->SetFocus();
  PumpWhileBusy();
  PostMessageA(ButtonWindow(0), WM_KEYDOWN, VK_RIGHT, 1);
  PostMessageA(ButtonWindow(0), WM_KEYUP, VK_RIGHT, 0xC0000001);
  Application->ProcessMessages();
  PumpWhileBusy();
  EXPECT_EQ(FocusedButton(), 2);
  EXPECT_EQ(group->ItemIndex(), 2);
}

TEST_F(RadioGroups, DisabledItemsAreSkippedByTheArrowsAndNotChecked) {
  SetItems({"Yes", "No", "Maybe"});
  group->Properties()->Items()->Items(2)->SetEnabled(false);
  PumpWhileBusy();
  EXPECT_TRUE(IsWindowEnabled(ButtonWindow(1)));
  EXPECT_FALSE(IsWindowEnabled(ButtonWindow(2)));
  group->RadioButton(1)->SetFocus();
  PumpWhileBusy();
  Key(1, VK_DOWN);
  EXPECT_EQ(FocusedButton(), 1);
  EXPECT_EQ(group->ItemIndex(), 1);
  // A disabled group disables every button.
  group->SetEnabled(false);
  PumpWhileBusy();
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(IsWindowEnabled(ButtonWindow(i))) << i;
}

// The radio group keeps the columns asked for (at most one per item) and fills them column by
// column, so six items in four columns of two rows leave the last column empty.
TEST_F(RadioGroups, ColumnsGiveTheButtonsTheirPlaces) {
  struct {
    int items, columns, expected, used;
  } const cases[] = {{6, 4, 4, 3}, {5, 4, 4, 3}, {3, 0, 1, 1}, {3, 9, 3, 3}, {4, 2, 2, 2}};
  for (const auto& c : cases) {
    std::vector<std::string> captions;
    for (int i = 0; i < c.items; ++i) captions.push_back("Item " + std::to_string(i));
    SetItems(captions, c.columns);
    SCOPED_TRACE(testing::Message() << c.items << " items in " << c.columns);
    EXPECT_EQ(group->Properties()->GetColumnCount(), c.expected);
    std::set<int> lefts;
    for (int i = 0; i < group->ButtonCount(); ++i) lefts.insert(group->RadioButton(i)->Left());
    EXPECT_EQ(static_cast<int>(lefts.size()), c.used);
    // The columns share the width inside the frame.
    EXPECT_NEAR(group->RadioButton(0)->Width() * c.expected, group->Width() - 12, c.expected + 6);
  }
}

// The button group itself recounts the columns so that none stays empty.
TEST(ButtonGroupGrid, ColumnsAreRecountedByRows) {
  struct {
    int columns, items, expected;
  } const cases[] = {{4, 5, 3}, {0, 5, 1}, {4, 6, 3}, {3, 9, 3}, {2, 2, 2}, {-3, 4, 1}, {5, 0, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(ButtonGroupColumnCount(c.columns, c.items), c.expected) << c.columns << " for " << c.items;
}

TEST_F(RadioGroups, AddingOrClearingItemsMakesOrFreesJustThoseButtons) {
  SetItems({"A", "B"});
  const HWND first = ButtonWindow(0), second = ButtonWindow(1);
  group->Properties()->Items()->Add()->SetCaption("C");
  PumpWhileBusy();
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(ButtonWindow(0), first);
  EXPECT_EQ(ButtonWindow(1), second);
  group->Properties()->Items()->Delete(0);
  PumpWhileBusy();
  ASSERT_EQ(group->ButtonCount(), 2);
  EXPECT_EQ(ButtonWindow(0), second);
  EXPECT_FALSE(IsWindow(first));
  group->Properties()->Items()->Clear();
  PumpWhileBusy();
  EXPECT_EQ(group->ButtonCount(), 0);
  EXPECT_FALSE(IsWindow(second));
}

TEST_F(RadioGroups, AGroupWithoutACheckedItemTakesNoPartInTabbing) {
  SetItems({"A", "B", "C"});
  std::vector<TWinControl*> list;
  form->GetTabOrderList(list);
  EXPECT_EQ(std::find(list.begin(), list.end(), group), list.end());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(std::find(list.begin(), list.end(), group->RadioButton(i)), list.end());
  group->SetItemIndex(1);
  list.clear();
  form->GetTabOrderList(list);
  EXPECT_EQ(std::find(list.begin(), list.end(), group), list.end());
  for (int i = 0; i < 3; ++i) EXPECT_NE(std::find(list.begin(), list.end(), group->RadioButton(i)), list.end()) << i;
}

TEST_F(RadioGroups, FocusGoesToTheCheckedButton) {
  SetItems({"A", "B", "C"});
  group->SetItemIndex(2);
  group->SetFocus();
  PumpWhileBusy();
  EXPECT_EQ(FocusedButton(), 2);
  EXPECT_TRUE(group->IsContainerFocused());
}

TEST_F(RadioGroups, APeerHasThreeItemsInThreeColumns) {
  std::unique_ptr<TcxCustomEditProperties> peer(group->Properties()->CreatePeer());
  auto* radio = ObjectAs<TcxCustomRadioGroupProperties>(peer.get());
  ASSERT_NE(radio, nullptr);
  ASSERT_EQ(radio->Items()->Count(), 3);
  EXPECT_EQ(radio->Items()->Items(0)->Caption(), "A");
  EXPECT_EQ(radio->Items()->Items(2)->Caption(), "C");
  EXPECT_EQ(radio->Columns(), 3);
}

constexpr const char* groupsForm = R"(object F: TForm
  object Box: TcxGroupBox
    Left = 0
    Top = 0
    Width = 320
    Height = 200
    Caption = 'Output'
    Alignment = alBottomCenter
    PanelStyle.Active = True
    PanelStyle.CaptionIndent = 6
    PanelStyle.OfficeBackgroundKind = pobkGradient
    TabStop = True
    object Quality: TcxRadioGroup
      Left = 8
      Top = 8
      Width = 300
      Height = 120
      Caption = 'Quality'
      Properties.Columns = 2
      Properties.DefaultCaption = 'none'
      Properties.DefaultValue = 0
      Properties.ImmediatePost = True
      Properties.Items = <
        item
          Caption = 'Low'
          Value = 10
        end
        item
          Caption = 'High'
          Enabled = False
          Tag = 7
          Value = 'hq'
        end
        item
          Caption = 'Best'
        end>
      ItemIndex = 1
      TabStop = False
    end
  end
end
)";

// A stored form sets the group box's caption place and panel style, and the radio group's items
// with values of their own kinds, its default and its checked item.
TEST_F(RadioGroups, AStoredFormSetsTheBoxAndTheGroupWithItsItemsAndValues) {
  TForm stored(nullptr, 0);
  ReadComponentText(groupsForm, "Groups", &stored);
  PumpWhileBusy();
  auto* box = ObjectAs<TcxGroupBox>(stored.FindComponent("Box"));
  auto* quality = ObjectAs<TcxRadioGroup>(stored.FindComponent("Quality"));
  ASSERT_NE(box, nullptr);
  ASSERT_NE(quality, nullptr);
  EXPECT_EQ(box->Caption(), "Output");
  EXPECT_EQ(box->Alignment(), alBottomCenter);
  EXPECT_TRUE(box->PanelStyle()->Active());
  EXPECT_EQ(box->PanelStyle()->CaptionIndent(), 6);
  EXPECT_EQ(box->PanelStyle()->OfficeBackgroundKind(), pobkGradient);
  EXPECT_TRUE(box->TabStop());
  EXPECT_EQ(quality->Parent(), box);

  TcxRadioGroupProperties* p = quality->Properties();
  EXPECT_EQ(p->Columns(), 2);
  EXPECT_EQ(p->DefaultCaption(), u"none");
  EXPECT_TRUE(VariantsEqualExact(p->DefaultValue(), TVariant(int32_t(0))));
  EXPECT_TRUE(p->ImmediatePost());
  ASSERT_EQ(p->Items()->Count(), 3);
  EXPECT_TRUE(VariantsEqualExact(p->Items()->Items(0)->Value(), TVariant(int32_t(10))));
  EXPECT_FALSE(p->Items()->Items(1)->Enabled());
  EXPECT_EQ(p->Items()->Items(1)->Tag(), 7);
  EXPECT_TRUE(VariantsEqualExact(p->Items()->Items(1)->Value(), TVariant("hq")));
  EXPECT_TRUE(p->Items()->Items(2)->Value().IsNull());
  EXPECT_EQ(quality->ButtonCount(), 3);
  EXPECT_EQ(quality->ItemIndex(), 1);
  EXPECT_TRUE(VariantsEqualExact(quality->EditValue(), TVariant("hq")));
  EXPECT_FALSE(quality->TabStop());
}

// A fresh group writes none of its defaults; one that differs is the same group when read back.
TEST_F(RadioGroups, AWrittenGroupKeepsWhatDiffersAndReadsBack) {
  struct Case {
    TObject* object;
    const char* name;
  } defaults[] = {{group, "ItemIndex"},           {group, "ParentBackground"},
                  {group, "TabStop"},             {group, "Alignment"},            {group->Properties(), "Columns"},
                  {group->Properties(), "WordWrap"}, {group->Properties(), "ImmediatePost"}};
  for (const Case& c : defaults) {
    const TPropInfo* prop = FindPublishedProperty(c.object->ClassType(), c.name);
    ASSERT_NE(prop, nullptr) << c.name;
    EXPECT_FALSE(IsStoredProp(c.object, prop) && !IsDefaultPropertyValue(c.object, prop)) << c.name;
  }
  const std::string fresh = WrittenForm(group->Properties());
  EXPECT_EQ(fresh.find("DefaultValue"), std::string::npos);
  EXPECT_EQ(fresh.find("DefaultCaption"), std::string::npos);

  SetItems({"Fast", "Slow"}, 2);
  group->Properties()->Items()->Items(0)->SetValue(TVariant(int32_t(3)));
  group->Properties()->Items()->Items(1)->SetValue(TVariant(2.5));
  group->Properties()->SetDefaultValue(TVariant(true));
  group->SetAlignment(alRightCenter);
  group->SetItemIndex(1);
  auto* copy = Place(new TcxRadioGroup(form.get()), 10, 140, 300, 120);
  ReadForm(copy, WrittenForm(group));
  PumpWhileBusy();
  TcxRadioGroupProperties* p = copy->Properties();
  ASSERT_EQ(p->Items()->Count(), 2);
  EXPECT_EQ(p->Items()->Items(1)->Caption(), "Slow");
  EXPECT_TRUE(VariantsEqualExact(p->Items()->Items(0)->Value(), TVariant(int32_t(3))));
  EXPECT_TRUE(VariantsEqualExact(p->Items()->Items(1)->Value(), TVariant(2.5)));
  EXPECT_TRUE(VariantsEqualExact(p->DefaultValue(), TVariant(true)));
  EXPECT_EQ(p->Columns(), 2);
  EXPECT_EQ(copy->Alignment(), alRightCenter);
  EXPECT_EQ(copy->ItemIndex(), 1);
}

}  // namespace

