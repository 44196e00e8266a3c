// Drop-down editors on a form, driven by real key, character and mouse messages; the popup opens
// when its queued show request is handled, so the helpers pump after each step.
#pragma once
#include <windows.h>

#include "cxDropDownEdit.h"
#include "editors_fixture.h"

// The sent mouse messages carry the point; the editor's own refreshes read the cursor and the
// thread's key state, so both are set as well.
inline void SendMouse(TWinControl* control, UINT message, TPoint at) {
  POINT screen{at.X, at.Y};
  ClientToScreen(control->Handle(), &screen);
  SetCursorPos(screen.x, screen.y);
  BYTE keys[256];
  GetKeyboardState(keys);
  if (message == WM_LBUTTONDOWN) keys[VK_LBUTTON] = 0x80;
  if (message == WM_LBUTTONUP) keys[VK_LBUTTON] = 0;
  SetKeyboardState(keys);
  SendMessageA(control->Handle(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, ClientPoint(at.X, at.Y));
}

// Records the close-up reasons and the events of a popup cycle.
struct TPopupLog {
  int popups = 0, closeUps = 0, initPopups = 0;
  std::vector<int> reasons;
  void Popup(TObject*) { ++popups; }
  void CloseUp(TObject*) { ++closeUps; }
  void InitPopup(TObject*) { ++initPopups; }
  void Closed(TObject*, int reason) { reasons.push_back(reason); }
  void Attach(TcxCustomDropDownEditProperties* p) {
    p->OnPopup = MakeEvent(this, &TPopupLog::Popup);
    p->OnCloseUp = MakeEvent(this, &TPopupLog::CloseUp);
    p->OnInitPopup = MakeEvent(this, &TPopupLog::InitPopup);
    p->OnPopupClosed = MakeEvent(this, &TPopupLog::Closed);
  }
};

// Key messages to a window as the system sends them (Alt down: the system key messages).
inline void SendKey(HWND window, WORD key, bool alt = false) {
  const LPARAM altBit = alt ? (1 << 29) : 0;
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_MENU] = alt ? 0x80 : 0;
  SetKeyboardState(keys);
  SendMessageA(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | altBit);
  if (key == VK_ESCAPE || key == VK_RETURN) SendMessageA(window, WM_CHAR, key, 1);
  SendMessageA(window, alt ? WM_SYSKEYUP : WM_KEYUP, key, 0xC0000001 | altBit);
  keys[VK_MENU] = 0;
  SetKeyboardState(keys);
}
