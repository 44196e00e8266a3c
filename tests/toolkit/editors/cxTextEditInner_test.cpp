#include "calderan_test.h"
#include "text_edit_fixture.h"

namespace {

struct InnerTextEdit : TextEditFixture {
  TcxCustomInnerTextEdit* Inner() { return editor->InnerTextEdit(); }
  LONG Style() { return GetWindowLongA(InnerWindow(), GWL_STYLE); }
};

TEST_F(InnerTextEdit, AlignmentRecreatesTheWindowWithItsStyleAndKeepsTheText) {
  struct Case {
    TAlignment alignment;
    LONG style;
  } cases[] = {{taRightJustify, ES_RIGHT}, {taCenter, ES_CENTER}, {taLeftJustify, ES_LEFT}};
  editor->SetText("hello");
  for (const Case& c : cases) {
    editor->Properties()->Alignment()->SetHorz(c.alignment);
    PumpWhileBusy();
    EXPECT_EQ(Style() & (ES_RIGHT | ES_CENTER), c.style) << c.alignment;
    EXPECT_EQ(Inner()->Text(), "hello") << c.alignment;
  }
}

TEST_F(InnerTextEdit, HasNoFrameOfItsOwnAndKeepsItsMarginsAfterResizing) {
  EXPECT_FALSE(Style() & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME));
  EXPECT_TRUE(Style() & ES_AUTOHSCROLL);
  EXPECT_FALSE(GetWindowLongA(InnerWindow(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  for (int width : {0, 80}) {
    if (width) SetWindowPos(InnerWindow(), nullptr, 0, 0, width, 17, SWP_NOZORDER | SWP_NOMOVE);
    SendMessageA(InnerWindow(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(5, 5));
    SendMessageA(InnerWindow(), WM_SIZE, 0, MAKELONG(width, 17));
    LRESULT margins = SendMessageA(InnerWindow(), EM_GETMARGINS, 0, 0);
    EXPECT_EQ(LOWORD(margins), 0) << width;
    EXPECT_EQ(HIWORD(margins), 1) << width;
  }
}

TEST_F(InnerTextEdit, CaretIndexComesFromTheCaretPixel) {
  Focus();
  EXPECT_EQ(Inner()->CaretIndexFromCaretPos(), 0);  // empty text: nothing to search
  editor->SetText("abcdef");
  for (int index : {0, 1, 3, 5, 6}) {
    Select(index, 0);
    EXPECT_EQ(Inner()->CaretIndexFromCaretPos(), index) << index;
  }
}

TEST_F(InnerTextEdit, PasswordEchoAndSelectionNotice) {
  struct Case {
    TcxEditEchoMode mode;
    char passwordChar, expected;
  } cases[] = {{eemNormal, '#', 0}, {eemPassword, 0, '*'}, {eemPassword, '#', '#'}};
  for (const Case& c : cases) {
    editor->Properties()->SetPasswordChar(c.passwordChar);
    editor->Properties()->SetEchoMode(c.mode);
    EXPECT_EQ(Inner()->PasswordChar(), c.expected) << int(c.mode) << c.passwordChar;
  }
  int notices = 0;
  struct TCounter {
    int& count;
    void Changed(TObject*) { ++count; }
  } counter{notices};
  Inner()->OnSelectionChanged = MakeEvent(&counter, &TCounter::Changed);
  Select(0, 0);
  EXPECT_EQ(notices, 1);
}

TEST_F(InnerTextEdit, EnterReachesTheEditWindowOnlyWhileTheEditorBeepsOnEnter) {
  int enters = 0;
  struct TWatch {
    int& enters;
    void KeyPress(TObject*, char& key) { enters += key == '\r' ? 1 : 0; }
  } watch{enters};
  Inner()->OnKeyPress = MakeEvent(&watch, &TWatch::KeyPress);
  Focus();
  struct Case {
    bool beep;
    int enters;
  } cases[] = {{true, 1}, {false, 1}, {true, 2}};
  for (const Case& c : cases) {
    editor->SetBeepOnEnter(c.beep);
    Type("\r");
    EXPECT_EQ(enters, c.enters) << c.beep;
  }
}

TEST_F(InnerTextEdit, BoundsHeldOrDuringConstructionAreIgnored) {
  const TRect before = Inner()->BoundsRect();
  Inner()->HoldBounds(true);
  Inner()->SetBounds(0, 0, 5, 5);
  EXPECT_EQ(Inner()->BoundsRect(), before);
  Inner()->HoldBounds(false);
  Inner()->SetBounds(1, 1, 50, 15);
  EXPECT_EQ(Inner()->BoundsRect(), TRect(1, 1, 51, 16));
}

TEST_F(InnerTextEdit, TheCompanionSpeaksForTheEditWindow) {
  IcxInnerTextEdit* companion = editor->GetInnerTextEdit();
  ASSERT_NE(companion, nullptr);
  EXPECT_EQ(companion->HostedControl(), Inner());
  EXPECT_EQ(companion->OwnerContainer(), editor);
  companion->WriteEditValue(TVariant(std::string("value")));
  EXPECT_EQ(companion->ReadEditValue().AsString(), "value");
  companion->WriteSelStart(1);
  companion->WriteSelLength(3);
  EXPECT_EQ(companion->ReadSelText(), "alu");
  companion->WriteSelText("X");
  EXPECT_EQ(Inner()->Text(), "vXe");
  companion->WriteAlignment(taRightJustify);
  EXPECT_EQ(companion->ReadAlignment(), taRightJustify);
  EXPECT_TRUE(Style() & ES_RIGHT);
  companion->WriteHideSelection(false);
  EXPECT_TRUE(Style() & ES_NOHIDESEL);
  EXPECT_FALSE(companion->ReadMultiLine());
  Inner()->SetAutoSelect(true);
  EXPECT_TRUE(companion->FocusWithoutAutoSelect());
  EXPECT_TRUE(Inner()->AutoSelect());
}

}  // namespace
