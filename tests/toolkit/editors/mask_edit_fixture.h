// A form with a masked editor on it, and real key and character messages to its EDIT window.
#pragma once
#include <windows.h>

#include <string>

#include "Forms.h"
#include "cxMaskEdit.h"
#include "editors_fixture.h"
#include "masks_fixture.h"

struct MaskEditFixture : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&cxTextEditUnit, &cxMaskEditUnit});
  }
  MaskEditFixture() {
    savedHandler = Application->OnException;
    Application->OnException = MakeEvent(this, &MaskEditFixture::Caught);
    Renew();
  }
  ~MaskEditFixture() { Application->OnException = savedHandler; }
  // A new editor in place of the old one.
  void Renew() {
    delete editor;
    editor = Place(new TcxMaskEdit(form.get()), 10, 10, 160, 21);
    PumpWhileBusy();
  }
  // An exception that reached the application (a failed validation when the focus leaves).
  void Caught(TObject*, Exception* e) { caught = std::string(e->ClassName()) + ": " + e->Message(); }
  HWND Inner() { return editor->InnerTextEdit()->Handle(); }
  void Focus() {
    editor->InnerTextEdit()->SetFocus();
    PumpWhileBusy();
  }
  void SetMask(TcxEditMaskKind kind, const std::string& mask) {
    editor->Properties()->BeginUpdate();
    editor->Properties()->SetMaskKind(kind);
    editor->Properties()->SetEditMask(mask);
    editor->Properties()->EndUpdate();
  }
  // Shift held for the keys pressed inside.
  struct TShiftScope {
    TShiftScope() { SetKey(VK_SHIFT, true); }
    ~TShiftScope() { SetKey(VK_SHIFT, false); }
    static void SetKey(int key, bool down) {
      BYTE state[256];
      GetKeyboardState(state);
      state[key] = down ? 0x80 : 0;
      SetKeyboardState(state);
    }
  };
  void Key(WORD key) {
    SendMessageA(Inner(), WM_KEYDOWN, key, 1);
    SendMessageA(Inner(), WM_KEYUP, key, 0xC0000001);
  }
  void Char(char ch) {
    SHORT scan = VkKeyScanA(ch);
    WORD key = ch == '\b' ? VK_BACK : LOBYTE(scan);
    SendMessageA(Inner(), WM_KEYDOWN, key, 1);
    SendMessageA(Inner(), WM_CHAR, static_cast<unsigned char>(ch), 1);
    SendMessageA(Inner(), WM_KEYUP, key, 0xC0000001);
  }
  // L R H E (arrows, Home, End), D (Delete), B (Backspace); any other character is typed.
  void Press(const std::string& keys) {
    for (char key : keys) {
      switch (key) {
        case 'L': Key(VK_LEFT); break;
        case 'R': Key(VK_RIGHT); break;
        case 'H': Key(VK_HOME); break;
        case 'E': Key(VK_END); break;
        case 'D': Key(VK_DELETE); break;
        case 'B': Char('\b'); break;
        default: Char(key); break;
      }
    }
  }
  void PutOnClipboard(const std::string& text) { PutTextOnClipboard(form->Handle(), text); }
  // A click on the left edge of a character.
  void ClickAt(int index) {
    const LRESULT at = SendMessageA(Inner(), EM_POSFROMCHAR, index, 0);
    const LPARAM point = MAKELPARAM(LOWORD(at) + 1, HIWORD(at) + 2);
    SendMessageA(Inner(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageA(Inner(), WM_LBUTTONUP, 0, point);
  }
  void Select(int start, int length) { SendMessageA(Inner(), EM_SETSEL, start, start + length); }
  std::string Shown() { return editor->CurrentText(); }
  // The shown text with the selection marked: "[" and "]" around a selection, "|" for a caret.
  std::string State() {
    std::string text = Shown();
    DWORD start = 0, end = 0;
    SendMessageA(Inner(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) return text.insert(start, "|");
    text.insert(end, "]");
    return text.insert(start, "[");
  }
  TSeparatorsScope separators{'/', ':', '.'};
  TcxMaskEdit* editor = nullptr;
  std::string caught;
  TExceptionEvent savedHandler;
};
