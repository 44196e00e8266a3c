#include "calderan_test.h"

#include <string>

#include "FormReader.h"
#include "text_edit_fixture.h"

namespace {

// A number editor's settings: values in a range.
class TRangePropertiesClass : public TcxCustomTextEditPropertiesClass {
 public:
  using TcxCustomTextEditPropertiesClass::TcxCustomTextEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
};

class TRangeProperties : public TcxTextEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TRangeProperties, TRangePropertiesClass)
  explicit TRangeProperties(TPersistent* owner) : TcxTextEditProperties(owner, StaticClassOperations()) {}
  bool SupportsValueRange() const override { return true; }
};

inline TcxCustomEditProperties* TRangePropertiesClass::Create(TPersistent* owner) const {
  return new TRangeProperties(owner);
}
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TRangeProperties, TcxTextEditProperties)

struct TextEditProperties : TextEditFixture {
  static void SetUpTestSuite() {
    TextEditFixture::SetUpTestSuite();
    StartUnits({&cxTextEditUnit});
  }
  TcxTextEditProperties* Properties() { return editor->Properties(); }
};

TEST_F(TextEditProperties, DisplayTextEchoWinsOverLetterCase) {
  struct Case {
    TcxEditEchoMode echo;
    char passwordChar;
    TEditCharCase charCase;
    const char* shown;
  } cases[] = {{eemNormal, 0, ecNormal, "Abc"},   {eemNormal, 0, ecUpperCase, "ABC"},
               {eemNormal, '#', ecLowerCase, "abc"}, {eemPassword, 0, ecUpperCase, "***"},
               {eemPassword, '#', ecNormal, "###"}};
  for (const Case& c : cases) {
    Properties()->SetEchoMode(c.echo);
    Properties()->SetPasswordChar(c.passwordChar);
    Properties()->SetCharCase(c.charCase);
    std::string text = "Abc";
    Properties()->MaskDisplayText(text);
    EXPECT_EQ(text, c.shown) << int(c.echo) << c.passwordChar << int(c.charCase);
  }
}

TEST_F(TextEditProperties, MaxLengthIsNeverNegativeAndReachesTheEditWindow) {
  EXPECT_FALSE(Properties()->IsMaxLengthAssigned());
  struct Case {
    int written, read;
  } cases[] = {{-3, 0}, {5, 5}, {0, 0}};
  for (const Case& c : cases) {
    Properties()->SetMaxLength(c.written);
    EXPECT_EQ(Properties()->MaxLength(), c.read) << c.written;
    if (c.read) EXPECT_EQ(SendMessageA(InnerWindow(), EM_GETLIMITTEXT, 0, 0), c.read) << c.written;
  }
  EXPECT_TRUE(Properties()->IsMaxLengthAssigned());
}

TEST_F(TextEditProperties, HideCursorMeansNoEditingAndNoValueReset) {
  EXPECT_EQ(Properties()->GetEditingStyle(), tesFree);
  EXPECT_TRUE(Properties()->SupportsValueReset());
  Properties()->SetHideCursor(true);
  EXPECT_EQ(Properties()->GetEditingStyle(), tesNoEdit);
  EXPECT_FALSE(Properties()->SupportsValueReset());
}

TEST_F(TextEditProperties, RegionalSettingsChangeNotifiesTheEditorsOnceInsideTheChange) {
  // The properties announce the change once while InFormatChange is set; the editor then refreshes
  // its text through one more ordinary notification.
  int insideChange = 0;
  struct TWatch {
    int& inside;
    TcxTextEditProperties* properties;
    void Changed(TObject*) { inside += properties->InFormatChange() ? 1 : 0; }
  } watch{insideChange, Properties()};
  Properties()->OnPropertiesChanged = MakeEvent(&watch, &TWatch::Changed);
  editor->SetText("12");
  GetFormatController()->NotifyFormatChanged();
  EXPECT_EQ(insideChange, 1);
  EXPECT_FALSE(Properties()->InFormatChange());
  EXPECT_EQ(editor->Text(), "12");
}

TEST_F(TextEditProperties, TheKindIsRegisteredWithItsText) {
  int index = GetEditPropertiesRegistry()->IndexOfClass(TcxTextEditProperties::StaticClass());
  ASSERT_GE(index, 0);
  EXPECT_EQ(GetEditPropertiesRegistry()->Descriptions(index), "TextEdit|Represents a single line text editor");
  const TcxCustomFilterEditHelper* helper = GetFilterEditsController()->FindHelper(TcxTextEditProperties::StaticClass());
  ASSERT_EQ(helper, TcxFilterTextEditHelper::Instance());
  EXPECT_EQ(helper->FilterEditorClass(), TcxTextEdit::StaticClassOperations());
  TcxTextEditProperties filter(nullptr), source(nullptr);
  filter.SetAutoSelect(false);
  filter.SetHideSelection(false);
  filter.SetViewStyle(vsButtonsOnly);
  helper->PrepareFilterProperties(&filter, &source, false);
  EXPECT_TRUE(filter.AutoSelect());
  EXPECT_TRUE(filter.HideSelection());
  EXPECT_EQ(filter.ViewStyle(), vsNormal);
}

TEST_F(TextEditProperties, ListStylesTakeOnlyLookupTextsIgnoringCase) {
  TStyledTextEditProperties properties(nullptr);
  for (const char* item : {"Red", "Green"}) properties.LookupItems()->Add(item);
  struct Case {
    TcxTextEditingStyle style;
    TEditCharCase charCase;
    const char* value;
    bool valid;
    const char* normalised;
  } cases[] = {{tesFixedList, ecNormal, "green", true, "green"},  {tesFixedList, ecUpperCase, "green", true, "GREEN"},
               {tesFixedList, ecNormal, "Blue", false, "Blue"},    {tesListRestricted, ecNormal, "", true, ""},
               {tesListRestricted, ecNormal, "Blue", false, "Blue"}, {tesFree, ecNormal, "Blue", true, "Blue"}};
  for (const Case& c : cases) {
    properties.SetStyle(c.style);
    properties.SetCharCase(c.charCase);
    TVariant value{std::string(c.value)};
    EXPECT_EQ(properties.NormalizeDisplayValue(value, true), c.valid) << c.value << int(c.style);
    EXPECT_EQ(value.AsString(), c.normalised) << c.value << int(c.style);
  }
}

TEST_F(TextEditProperties, ValueBoundsApplyByTheirAssignedFlags) {
  TRangeProperties properties(nullptr);
  struct Case {
    bool setMin, setMax;
    double min, max;
    double value;
    bool error;
  } cases[] = {
      {true, false, 10, 0, 9, true},    {true, false, 10, 0, 1000, false}, {true, true, 10, 5, 1000, false},
      {true, true, 10, 5, 7, false},    {true, true, 1, 5, 5, false},      {true, true, 1, 5, 6, true},
      {false, false, 0, 0, -100, false},
  };
  for (const Case& c : cases) {
    properties.AssignedValues()->RestoreDefaults();
    if (c.setMin) properties.SetMinValue(c.min);
    if (c.setMax) properties.SetMaxValue(c.max);
    std::string errorText;
    bool error = false;
    properties.CheckValueBounds(TVariant(c.value), errorText, nullptr, error);
    EXPECT_EQ(error, c.error) << c.min << ".." << c.max << " " << c.value;
    EXPECT_EQ(errorText, c.error ? "Value out of bounds" : "");
  }
}

TEST_F(TextEditProperties, EditFormatAndDisplayFormatWhileEditing) {
  TRangeProperties properties(nullptr);
  TVariant display;
  properties.EditValueToDisplay(TVariant(1234.5), display, true);
  EXPECT_EQ(display.AsString(), "1234.5");
  properties.SetDisplayFormat("0.00");
  properties.EditValueToDisplay(TVariant(1234.5), display, false);
  EXPECT_EQ(display.AsString(), "1234.50");
  properties.EditValueToDisplay(TVariant(1234.5), display, true);  // not used while editing
  EXPECT_EQ(display.AsString(), "1234.5");
  properties.SetUseDisplayFormatWhenEditing(true);
  properties.EditValueToDisplay(TVariant(1234.5), display, true);
  EXPECT_EQ(display.AsString(), "1234.50");
  properties.SetUseDisplayFormatWhenEditing(false);
  properties.SetEditFormat("0.0");  // an edit format needs no permission
  properties.EditValueToDisplay(TVariant(1234.5), display, true);
  EXPECT_EQ(display.AsString(), "1234.5");
  properties.EditValueToDisplay(TVariant::Null(), display, true);
  EXPECT_EQ(display.AsString(), "");
  EXPECT_THROW(properties.EditValueToDisplay(TVariant::FromDate(1.0), display, false), EConvertError);
}

TEST_F(TextEditProperties, ViewStyleIsTheButtonsLayoutAndHideCursor) {
  struct Case {
    TcxTextEditViewStyle written;
    TcxEditButtonsLayout layout;
    bool hideCursor;
  } cases[] = {{vsButtonsOnly, eblButtonsOnly, true}, {vsHideCursor, eblNormal, true},
               {vsButtonsAutoWidth, eblButtonsAutoWidth, true}, {vsNormal, eblNormal, false}};
  for (const Case& c : cases) {
    Properties()->SetViewStyle(c.written);
    EXPECT_EQ(Properties()->ViewStyle(), c.written);
    EXPECT_EQ(Properties()->ButtonsLayout(), c.layout);
    EXPECT_EQ(Properties()->HideCursor(), c.hideCursor);
  }
}

TEST_F(TextEditProperties, CopyingTakesTheFlaggedValuesOnly) {
  TcxTextEditProperties source(nullptr);
  source.SetCharCase(ecLowerCase);
  source.LookupItems()->Add("b");
  source.LookupItems()->Add("a");
  source.SetLookupItemsSorted(true);
  source.SetMaxLength(7);
  source.SetDisplayFormat("");  // assigned, though empty
  source.SetIncrementalSearch(false);
  Properties()->SetEditFormat("0.0");
  Properties()->Assign(&source);
  EXPECT_EQ(Properties()->CharCase(), ecLowerCase);
  EXPECT_TRUE(Properties()->LookupItemsSorted());
  EXPECT_EQ(Properties()->LookupItems()->Get(0), "a");
  EXPECT_EQ(Properties()->MaxLength(), 7);
  EXPECT_TRUE(Properties()->AssignedTextValues()->DisplayFormat());
  EXPECT_FALSE(Properties()->AssignedTextValues()->EditFormat());  // the source had none
  EXPECT_FALSE(Properties()->IncrementalSearch());
  EXPECT_FALSE(Properties()->AssignedTextValues()->IsDisplayFormatStored());  // not published here
}

TEST_F(TextEditProperties, AStoredFormSetsTheTextEditorAndItsSettings) {
  TForm stored(nullptr, 0);
  ReadComponentText(
      "object F: TForm\n"
      "  object Folder: TcxTextEdit\n"
      "    Properties.CharCase = ecUpperCase\n"
      "    Properties.EchoMode = eemPassword\n"
      "    Properties.IncrementalSearch = False\n"
      "    Properties.LookupItems.Strings = ('one' 'two')\n"
      "    Properties.MaxLength = 12\n"
      "    Properties.IsDisplayFormatAssigned = True\n"
      "    Properties.AssignedValues.MinValue = True\n"
      "    BeepOnEnter = False\n"
      "    Text = 'abc'\n"
      "  end\n"
      "end",
      "Stored", &stored);
  auto* edit = ObjectAs<TcxTextEdit>(stored.FindComponent("Folder"));
  ASSERT_NE(edit, nullptr);
  TcxTextEditProperties* p = edit->Properties();
  EXPECT_EQ(p->CharCase(), ecUpperCase);
  EXPECT_EQ(p->EchoMode(), eemPassword);
  EXPECT_FALSE(p->IncrementalSearch());
  EXPECT_EQ(p->LookupItems()->Count(), 2);
  EXPECT_EQ(p->MaxLength(), 12);
  EXPECT_TRUE(p->AssignedTextValues()->DisplayFormat());  // an old stream's empty assigned format
  EXPECT_TRUE(p->AssignedValues()->MinValue());
  EXPECT_FALSE(edit->BeepOnEnter());
  EXPECT_EQ(edit->Text(), "ABC");  // the letter case applies to the stored text too
  // What a writer would store: the pseudo-property never, MaxLength only once assigned.
  const TPropInfo* pseudo = FindPublishedProperty(p->ClassType(), "IsDisplayFormatAssigned");
  ASSERT_NE(pseudo, nullptr);
  EXPECT_FALSE(IsStoredProp(p, pseudo));
  TcxTextEditProperties fresh(nullptr);
  EXPECT_FALSE(IsStoredProp(&fresh, FindPublishedProperty(fresh.ClassType(), "MaxLength")));
  EXPECT_TRUE(IsStoredProp(p, FindPublishedProperty(p->ClassType(), "MaxLength")));
}

}  // namespace
