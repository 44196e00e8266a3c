// Shared by the editor tests: the toolkit's units and the container module in their start-up
// order, on top of the control-layer fixture (a form to put controls on, message pumps).
#pragma once
#include <cstring>
#include <string>

#include "cxContainer.h"
#include "cxEdit.h"
#include "cxEditPaintUtils.h"
#include "toolkit/controls/controls_fixture.h"

inline void StartEditorUnits() {
  StartControlUnits();
  StartUnits({&cxContainerUnit, &cxEditPaintUtilsUnit, &cxEditUnit});
}

// Puts a text on the clipboard, as another program would.
inline void PutTextOnClipboard(HWND owner, const std::string& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

struct EditorsFixture : ControlsFixture {
  static void SetUpTestSuite() {
    ControlsFixture::SetUpTestSuite();
    StartEditorUnits();
  }
};

// Counts the change notifications of a style.
struct TChangeCounter {
  int count = 0;
  TObject* lastSender = nullptr;
  void Changed(TObject* sender) { ++count, lastSender = sender; }
  TcxStyleChangedEvent Event() { return MakeEvent(this, &TChangeCounter::Changed); }
};
