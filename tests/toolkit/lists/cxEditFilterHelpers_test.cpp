// The filter helpers of the editor kinds: which helper the registry answers for each kind, and how
// each one builds and fills the filter editor from a kind's properties.
#include "calderan_test.h"

#include <memory>
#include <string>

#include "cxCheckBox.h"
#include "cxDropDownEdit.h"
#include "cxLabel.h"
#include "cxMaskEdit.h"
#include "cxMemo.h"
#include "cxProgressBar.h"
#include "cxValueTypes.h"
#include "groups_fixture.h"

namespace {

struct FilterHelpers : GroupsFixture {
  static void SetUpTestSuite() {
    GroupsFixture::SetUpTestSuite();
    StartUnits({&cxTextEditUnit, &cxMaskEditUnit, &cxMemoUnit, &cxCheckBoxUnit, &cxLabelUnit, &cxProgressBarUnit,
                &cxDropDownEditUnit});
  }
  // The filter editor the helper names, on the form, with its properties prepared from `source`.
  template <class Editor> Editor* FilterEditor(const TcxCustomFilterEditHelper* helper,
                                               TcxCustomEditProperties* source) {
    TcxCustomEdit* edit = helper->FilterEditorClass()->Create(form.get(), false);
    auto* editor = ObjectAs<Editor>(edit);
    EXPECT_NE(editor, nullptr) << edit->ClassName();
    Place(edit, 10, 10, 160, 21);
    helper->InitializeEditProperties(edit, source);
    PumpWhileBusy();
    return editor;
  }
  static TcxComboBoxProperties* ComboProperties(TcxComboBox* combo) { return combo->Properties(); }
  struct TEvents {
    void Changed(TObject*) {}
  } events;
};

TEST_F(FilterHelpers, EachKindFindsItsHelper) {
  struct Case {
    TClass properties;
    const TcxCustomFilterEditHelper* helper;
  } cases[] = {
      {TcxTextEditProperties::StaticClass(), TcxFilterTextEditHelper::Instance()},
      {TcxMemoProperties::StaticClass(), TcxFilterMemoHelper::Instance()},
      {TcxMaskEditProperties::StaticClass(), TcxFilterMaskEditHelper::Instance()},
      {TcxComboBoxProperties::StaticClass(), TcxFilterComboBoxHelper::Instance()},
      {TcxCheckBoxProperties::StaticClass(), TcxFilterCheckBoxHelper::Instance()},
      {TcxLabelProperties::StaticClass(), TcxFilterTextEditHelper::Instance()},
      {TcxRadioGroupProperties::StaticClass(), TcxFilterRadioGroupHelper::Instance()},
      {TcxProgressBarProperties::StaticClass(), TcxFilterProgressBarHelper::Instance()},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GetFilterEditsController()->FindHelper(c.properties), c.helper) << c.properties->Name;
  EXPECT_TRUE(TcxFilterComboBoxHelper::Instance()->FilterEditHasButtons());
  EXPECT_FALSE(TcxFilterMaskEditHelper::Instance()->FilterEditHasButtons());
}

// A regular-expression mask is edited in the extended language, and a masked filter editor does
// not select its text on entry; the text-matching operators are offered for unmasked text only.
TEST_F(FilterHelpers, AMaskedFilterEditorTakesTheExtendedLanguageAndNoAutoSelect) {
  TcxMaskEditProperties source(nullptr);
  source.SetMaskKind(emkRegExpr);
  source.SetEditMask("\\d+-[a-z]");
  source.SetReadOnly(true);
  source.SetValidateOnEnter(false);
  const TcxFilterMaskEditHelper* helper = TcxFilterMaskEditHelper::Instance();
  auto* masked = FilterEditor<TcxMaskEdit>(helper, &source);
  ASSERT_NE(masked, nullptr);
  TcxMaskEditProperties* p = masked->Properties();
  EXPECT_EQ(p->MaskKind(), emkRegExprEx);
  EXPECT_EQ(p->EditMask(), "\\d+-[a-z]");
  EXPECT_FALSE(p->AutoSelect());
  EXPECT_FALSE(p->ReadOnly());
  EXPECT_TRUE(p->ValidateOnEnter());
  EXPECT_FALSE(helper->FilterOperatorSet(p, TcxStringValueType::Instance(), false).Contains(7));

  TcxMaskEditProperties plain(nullptr);
  auto* unmasked = FilterEditor<TcxMaskEdit>(helper, &plain);
  ASSERT_NE(unmasked, nullptr);
  EXPECT_EQ(unmasked->Properties()->MaskKind(), emkStandard);
  EXPECT_TRUE(unmasked->Properties()->AutoSelect());
  const TcxFilterOperatorSet text = helper->FilterOperatorSet(unmasked->Properties(), TcxStringValueType::Instance(), true);
  for (int op : {1, 6, 7, 8, 9, 10, 11, 14}) EXPECT_TRUE(text.Contains(op)) << op;
  EXPECT_FALSE(helper->FilterOperatorSet(unmasked->Properties(), nullptr, false).Contains(8));
}

// The combo filter keeps the kind's items and its button, with a plain eight-row list that drops
// down only when asked.
TEST_F(FilterHelpers, AComboFilterEditorGetsAPlainEightRowEditList) {
  TcxComboBoxProperties source(nullptr);
  source.Items()->Add("mp4");
  source.Items()->Add("mkv");
  source.SetDropDownRows(20);
  source.SetDropDownListStyle(lsFixedList);
  source.SetImmediateDropDown(true);
  source.SetPopupAlignment(taRightJustify);
  source.SetRevertable(true);
  source.OnChange = MakeEvent(&events, &TEvents::Changed);
  auto* combo = FilterEditor<TcxComboBox>(TcxFilterComboBoxHelper::Instance(), &source);
  ASSERT_NE(combo, nullptr);
  TcxComboBoxProperties* p = combo->Properties();
  EXPECT_EQ(p->DropDownRows(), 8);
  EXPECT_EQ(p->DropDownListStyle(), lsEditList);
  EXPECT_FALSE(p->ImmediateDropDown());
  EXPECT_EQ(p->PopupAlignment(), taLeftJustify);
  EXPECT_FALSE(p->Revertable());
  EXPECT_EQ(p->Buttons()->Count(), 1) << "the drop-down button stays";
  ASSERT_EQ(p->Items()->Count(), 2);
  EXPECT_EQ(p->Items()->Get(1), "mkv");
  EXPECT_FALSE(static_cast<bool>(p->OnChange));
}

// A check-box value is picked from two rows, the checked value's text first; a grayed value has
// no row, and reads back as Null.
TEST_F(FilterHelpers, ACheckBoxValueIsPickedFromTwoFixedRows) {
  TcxCheckBoxProperties source(nullptr);
  source.SetDisplayChecked(u"Yes");
  source.SetDisplayUnchecked(u"No");
  source.SetValueChecked(TVariant("Y"));
  source.SetValueUnchecked(TVariant("N"));
  const TcxFilterCheckBoxHelper* helper = TcxFilterCheckBoxHelper::Instance();
  auto* combo = FilterEditor<TcxComboBox>(helper, &source);
  ASSERT_NE(combo, nullptr);
  TcxComboBoxProperties* p = combo->Properties();
  ASSERT_EQ(p->Items()->Count(), 2);
  EXPECT_EQ(p->Items()->Get(0), "Yes");
  EXPECT_EQ(p->Items()->Get(1), "No");
  EXPECT_EQ(p->DropDownListStyle(), lsFixedList);
  EXPECT_EQ(helper->FilterOperatorSet(&source, TcxStringValueType::Instance(), true).Bits(), 1542u);
  EXPECT_TRUE(helper->FiltersByDisplayText());

  struct Case {
    TVariant written;
    int row;
    const char* text;
    TVariant read;
  } cases[] = {{TVariant("Y"), 0, "Yes", TVariant("Y")},
               {TVariant("N"), 1, "No", TVariant("N")},
               {TVariant::Null(), -1, "", TVariant::Null()}};
  for (const Case& c : cases) {
    helper->WriteFilterValue(combo, &source, c.written);
    EXPECT_EQ(combo->ItemIndex(), c.row) << c.text;
    std::string text = "?";
    TVariant value;
    helper->ReadFilterValue(combo, &source, text, value);
    EXPECT_EQ(text, c.text);
    EXPECT_TRUE(VariantsEqualExact(value, c.read)) << c.text;
  }
}

// A radio group's value is picked from its captions; no row reads as the group's default.
TEST_F(FilterHelpers, ARadioGroupValueIsPickedFromItsCaptions) {
  TcxRadioGroupProperties source(nullptr);
  TcxRadioGroupItem* low = source.Items()->Add();
  low->SetCaption("Low");
  low->SetValue(TVariant(int32_t(10)));
  source.Items()->Add()->SetCaption("High");
  source.SetDefaultValue(TVariant(int32_t(0)));
  source.SetDefaultCaption(u"none");
  const TcxFilterRadioGroupHelper* helper = TcxFilterRadioGroupHelper::Instance();
  TcxComboBox* combo = static_cast<TcxComboBox*>(helper->FilterEditorClass()->Create(form.get(), false));
  Place(combo, 10, 10, 160, 21);
  combo->Properties()->OnChange = MakeEvent(&events, &TEvents::Changed);
  helper->InitializeEditProperties(combo, &source);
  TcxComboBoxProperties* p = combo->Properties();
  ASSERT_EQ(p->Items()->Count(), 2);
  EXPECT_EQ(p->Items()->Get(0), "Low");
  EXPECT_EQ(p->Items()->Get(1), "High");
  EXPECT_EQ(p->DropDownListStyle(), lsFixedList);
  EXPECT_FALSE(static_cast<bool>(p->OnChange));

  struct Case {
    TVariant written;
    int row;
    const char* text;
    TVariant read;
  } cases[] = {{TVariant(int32_t(10)), 0, "Low", TVariant(int32_t(10))},
               {TVariant("High"), 1, "High", TVariant::Null()},  // the item has no value of its own
               {TVariant(int32_t(99)), -1, "none", TVariant(int32_t(0))}};
  for (const Case& c : cases) {
    helper->WriteFilterValue(combo, &source, c.written);
    EXPECT_EQ(combo->ItemIndex(), c.row) << c.text;
    std::string text;
    TVariant value;
    helper->ReadFilterValue(combo, &source, text, value);
    EXPECT_EQ(text, c.text);
    EXPECT_TRUE(VariantsEqualExact(value, c.read)) << c.text;
  }
}

}  // namespace
