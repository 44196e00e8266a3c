// A form with a text editor on it, and real key, character and clipboard messages to its EDIT window.
#pragma once
#include <windows.h>

#include <string>

#include "cxTextEdit.h"
#include "editors_fixture.h"

struct TextEditFixture : EditorsFixture {
  TextEditFixture() {
    editor = Place(new TcxTextEdit(form.get()), 10, 10, 121, 21);
    PumpWhileBusy();
  }
  HWND InnerWindow() { return editor->InnerTextEdit()->Handle(); }
  void Focus() {
    editor->InnerTextEdit()->SetFocus();
    PumpWhileBusy();
  }
  void Type(const std::string& chars) {
    for (char ch : chars) {
      SHORT scan = VkKeyScanA(ch);
      SendMessageA(InnerWindow(), WM_KEYDOWN, LOBYTE(scan), 1);
      SendMessageA(InnerWindow(), WM_CHAR, static_cast<unsigned char>(ch), 1);
      SendMessageA(InnerWindow(), WM_KEYUP, LOBYTE(scan), 0xC0000001);
    }
  }
  void PutOnClipboard(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(form->Handle()));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
  }
  void Select(int start, int length) { SendMessageA(InnerWindow(), EM_SETSEL, start, start + length); }
  TcxTextEdit* editor;
};
