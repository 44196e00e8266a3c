#include "calderan_test.h"

#include <string>
#include <vector>

#include "Menus.h"
#include "controls_fixture.h"

namespace {

// Records the scrolls and notifications the base control sends to its descendants.
class TProbeControl : public TcxControl {
 public:
  using TcxControl::TcxControl;
  std::vector<std::pair<TScrollBarKind, TScrollCode>> scrolls;
  std::vector<std::string> events;
  TcxWheelScrollKind wheelKind = wskNone;
  bool overrideWheel = false;
  using TcxControl::AfterMouseDown;

 protected:
  void Scroll(TScrollBarKind kind, TScrollCode code, int& position) override {
    scrolls.emplace_back(kind, code);
    (void)position;
  }
  TcxWheelScrollKind GetWheelScrollKind() override {
    return overrideWheel ? wheelKind : TcxControl::GetWheelScrollKind();
  }
};

struct TEventLog {
  std::vector<std::string> entries;
  TObject* lastSender = nullptr;
  void Focus(TObject* sender) { lastSender = sender, entries.push_back("focus"); }
  void Enter(TObject* sender) { lastSender = sender, entries.push_back("enter"); }
  void Leave(TObject* sender) { lastSender = sender, entries.push_back("leave"); }
};

struct TFontListener : IcxFontListener {
  std::vector<std::string>* log;
  std::string name;
  void FontChanged(TObject*, TFont*) override { log->push_back(name); }
};

using BaseControl = ControlsFixture;

TEST_F(BaseControl, MeasuresThroughAScreenCanvasUntilItHasAWindow) {
  TcxControl control(nullptr);
  TcxCanvas* before = control.GetActiveCanvas();
  EXPECT_NE(before, control.cxCanvas());
  EXPECT_GT(before->Canvas()->TextWidth("Wide text"), 0);
  EXPECT_EQ(control.GetActiveCanvas(), before) << "made once";
  control.SetParent(form.get());
  control.HandleNeeded();
  EXPECT_EQ(control.GetActiveCanvas(), control.cxCanvas());
}

TEST_F(BaseControl, DialogCodesOfTheKeySets) {
  auto* control = Place(new TcxControl(form.get()), 10, 10, 100, 100);
  struct Case { TcxKeys keys; LRESULT code; } const cases[] = {
      {{}, 0},
      {{kArrows, kTab}, DLGC_WANTARROWS | DLGC_WANTTAB},
      {{kAll}, DLGC_WANTALLKEYS},
      {{kChars}, DLGC_WANTCHARS},
      {{kAll, kArrows, kChars, kTab}, DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB},
  };
  for (const Case& c : cases) {
    control->SetKeys(c.keys);
    EXPECT_EQ(control->Perform(WM_GETDLGCODE), c.code);
  }
}

// Ctrl+Tab still moves between controls: with Ctrl down the tab is not asked for.
TEST_F(BaseControl, CtrlLeavesTheTabToTheDialogManager) {
  auto* control = Place(new TcxControl(form.get()), 10, 10, 100, 100);
  control->SetKeys({kArrows, kTab});
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = VK_CONTROL;
  SendInput(1, &input, sizeof input);
  const bool ctrlDown = GetAsyncKeyState(VK_CONTROL) < 0;
  const LRESULT code = control->Perform(WM_GETDLGCODE);
  input.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
  if (!ctrlDown) GTEST_SKIP() << "this machine does not take simulated key presses";
  EXPECT_EQ(code, DLGC_WANTARROWS);
}

TEST_F(BaseControl, PopupMenuTakesOnlyMenusAndMenuHandlers) {
  auto* control = Place(new TcxControl(form.get()), 10, 10, 100, 100);
  auto* plain = new TComponent(form.get());
  control->SetPopupMenu(plain);
  EXPECT_EQ(control->PopupMenu(), nullptr);
  auto* handler = new TMenuHandler(form.get());
  control->SetPopupMenu(handler);
  EXPECT_EQ(control->PopupMenu(), handler);
  delete handler;
  EXPECT_EQ(control->PopupMenu(), nullptr) << "a freed menu leaves the property";
  auto* menu = new TPopupMenu(form.get());
  control->SetPopupMenu(menu);
  EXPECT_EQ(control->PopupMenu(), menu);
}

TEST_F(BaseControl, AKeyboardContextMenuOpensAtTheClientOrigin) {
  auto* control = Place(new TcxControl(form.get()), 30, 40, 100, 100);
  auto* handler = new TMenuHandler(form.get());
  control->SetPopupMenu(handler);
  const LRESULT result = control->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control->Handle()), MAKELPARAM(0xFFFF, 0xFFFF));
  EXPECT_EQ(result, 1);
  EXPECT_EQ(handler->shownAt, control->ClientToScreen(TPoint(0, 0)));
  const TPoint inside = control->ClientToScreen(TPoint(20, 25));
  control->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(inside.X, inside.Y));
  EXPECT_EQ(handler->shownAt, inside);
  handler->shownAt = TPoint(-1, -1);
  const TPoint outside = control->ClientToScreen(TPoint(200, 25));
  control->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(outside.X, outside.Y));
  EXPECT_EQ(handler->shownAt, TPoint(-1, -1)) << "a point outside the client area is not the control's";
}

TEST_F(BaseControl, WheelScrollsTheLinesCountOnlyWhereItHasAWheelKind) {
  auto* control = Place(new TProbeControl(form.get()), 10, 10, 100, 100);
  const WPARAM down = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), up = MAKEWPARAM(0, WHEEL_DELTA);
  EXPECT_EQ(control->Perform(CM_MOUSEWHEEL, down, 0), 0) << "no vertical bar shown: not handled";
  EXPECT_TRUE(control->scrolls.empty());
  control->overrideWheel = true;
  control->wheelKind = wskVertical;
  EXPECT_EQ(control->Perform(CM_MOUSEWHEEL, down, 0), 1);
  const size_t lines = static_cast<size_t>(Mouse->WheelScrollLines());
  ASSERT_EQ(control->scrolls.size(), lines);
  for (const auto& s : control->scrolls) EXPECT_EQ(s, std::make_pair(sbVertical, scLineDown));
  control->scrolls.clear();
  control->wheelKind = wskHorizontal;
  control->Perform(CM_MOUSEWHEEL, up, 0);
  ASSERT_EQ(control->scrolls.size(), lines);
  EXPECT_EQ(control->scrolls[0], std::make_pair(sbHorizontal, scLineUp));
}

TEST_F(BaseControl, NotificationsFireWithTheControlAsSender) {
  auto* control = Place(new TcxControl(form.get()), 10, 10, 100, 100);
  auto* other = Place(new TcxControl(form.get()), 120, 10, 100, 100);
  TEventLog log;
  control->OnFocusChanged = MakeEvent(&log, &TEventLog::Focus);
  control->OnMouseEnter = MakeEvent(&log, &TEventLog::Enter);
  control->OnMouseLeave = MakeEvent(&log, &TEventLog::Leave);
  control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(other));
  EXPECT_EQ(log.lastSender, control) << "the control named in the message is not passed on";
  control->Perform(CM_MOUSELEAVE);
  control->SetFocus();
  other->SetFocus();
  EXPECT_EQ(log.entries, (std::vector<std::string>{"enter", "leave", "focus", "focus"}));
  std::vector<std::string> fonts;
  TFontListener first, second;
  first.log = second.log = &fonts;
  first.name = "first";
  second.name = "second";
  control->AddFontListener(&first);
  control->AddFontListener(&second);
  control->Font()->SetSize(14);
  control->RemoveFontListener(&first);
  control->Font()->SetSize(16);
  EXPECT_EQ(fonts, (std::vector<std::string>{"first", "second", "second"}));
}

// The press focuses the control, whose entry handler frees it: nothing after that may touch it.
TEST_F(BaseControl, APressWhoseFocusingFreesTheControlEndsQuietly) {
  struct TFreer {
    TcxControl* control;
    void Enter(TObject*) {
      delete control;
      control = nullptr;
    }
  } freer{Place(new TcxControl(form.get()), 10, 10, 100, 100)};
  freer.control->OnEnter = MakeEvent(&freer, &TFreer::Enter);
  Place(new TcxControl(form.get()), 120, 10, 100, 100)->SetFocus();
  HWND window = freer.control->Handle();
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, 5));
  EXPECT_EQ(freer.control, nullptr);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(BaseControl, ClientBoundsLoseTheBorderAndTheShownBars) {
  auto* control = Place(new TcxControl(form.get()), 10, 10, 120, 100);
  EXPECT_EQ(control->GetClientBounds(), TRect(0, 0, 120, 100));
  control->SetBorderStyle(cxcbsDefault);
  const int border = control->GetPainter()->BorderWidth();
  EXPECT_EQ(control->GetClientBounds(), TRect(border, border, 120 - border, 100 - border));
}

}  // namespace
