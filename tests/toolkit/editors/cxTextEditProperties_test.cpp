#include "calderan_test.h"

#include <string>

#include "text_edit_fixture.h"

namespace {

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
}

}  // namespace
