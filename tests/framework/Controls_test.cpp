#include "calderan_test.h"

#include <string>
#include <vector>

#include "Controls.h"
#include "Forms.h"
#include "Menus.h"

namespace {

class Controls : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartUnits({&GraphicsUnit, &ControlsUnit, &MenusUnit, &FormsUnit});
  }
  static void TearDownTestSuite() { StopUnits(); }
};

std::vector<std::string> trace;

// A control that paints a colour and records what reaches it.
class TProbe : public TCustomControl {
  CALDERAN_CLASS(TProbe)
  explicit TProbe(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  TColor Fill = clRed;
  void Dispatch(TMessage& m) override {
    switch (m.Msg) {
      case WM_USER + 1: UserMessage(m); break;
      case CM_ENABLEDCHANGED: CMEnabledChanged(m); break;
      default: TCustomControl::Dispatch(m);
    }
  }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
  void UserMessage(TMessage& m) {
    trace.push_back("probe user " + std::to_string(m.WParam));
    m.Result = 7;
  }
  void CMEnabledChanged(TMessage& m) {
    trace.push_back("probe enabled");
    TWinControl::CMEnabledChanged(m);
  }
  void DoEnter() override {
    trace.push_back("enter " + Name());
    TCustomControl::DoEnter();
  }
  void DoExit() override {
    trace.push_back("exit " + Name());
    TCustomControl::DoExit();
  }
};
CALDERAN_IMPLEMENT_CREATABLE(TProbe, TCustomControl, TComponent*)

// One level further: its handler runs first and passes on to the probe's.
class TDerivedProbe : public TProbe {
  CALDERAN_CLASS(TDerivedProbe)
  using TProbe::TProbe;
  void Dispatch(TMessage& m) override {
    switch (m.Msg) {
      case WM_USER + 1: UserMessage(m); break;
      default: TProbe::Dispatch(m);
    }
  }

 protected:
  void UserMessage(TMessage& m) {
    trace.push_back("derived user");
    TProbe::UserMessage(m);
  }
};
CALDERAN_IMPLEMENT_CREATABLE(TDerivedProbe, TProbe, TComponent*)

class TSquare : public TGraphicControl {
  CALDERAN_CLASS(TSquare)
  explicit TSquare(TComponent* owner) : TGraphicControl(owner) { SetControlStyle(ControlStyle() + csOpaque); }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(clBlue);
    Canvas()->FillRect(ClientRect());
  }
};
CALDERAN_IMPLEMENT_CREATABLE(TSquare, TGraphicControl, TComponent*)

// A probe that, when its window is made, puts a companion beside itself in its parent.
class TCompanionMaker : public TProbe {
  CALDERAN_CLASS(TCompanionMaker)
  using TProbe::TProbe;
  TProbe* Companion = nullptr;

 protected:
  void CreateWnd() override {
    TProbe::CreateWnd();
    if (Companion) return;
    Companion = new TProbe(this);
    Companion->SetParent(Parent());
    Companion->SetBounds(Left() + Width(), Top(), 20, 20);
  }
};
CALDERAN_IMPLEMENT_CREATABLE(TCompanionMaker, TProbe, TComponent*)

// A form without a stored definition, with probes on it.
std::unique_ptr<TForm> MakeForm(int w = 200, int h = 150) {
  auto form = std::make_unique<TForm>(nullptr, 0);
  form->AfterConstruction();
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, w, h);
  return form;
}

template <class T> T* Place(TWinControl* parent, const char* name, int x, int y, int w, int h) {
  auto* c = new T(parent->Owner() ? parent->Owner() : parent);
  c->SetName(name);
  c->SetParent(parent);
  c->SetBounds(x, y, w, h);
  return c;
}

TEST_F(Controls, MessagesReachHandlersAndInheritedChains) {
  auto form = MakeForm();
  auto* probe = Place<TDerivedProbe>(form.get(), "probe", 0, 0, 10, 10);
  trace.clear();
  EXPECT_EQ(probe->Perform(WM_USER + 1, 3), 7);
  EXPECT_EQ(trace, (std::vector<std::string>{"derived user", "probe user 3"}));

  // through Win32: the message arrives by the window procedure
  trace.clear();
  EXPECT_EQ(SendMessageA(probe->Handle(), WM_USER + 1, 4, 0), 7);
  EXPECT_EQ(trace, (std::vector<std::string>{"derived user", "probe user 4"}));

  // the probe's handler passes on to the framework's, which disables the window
  trace.clear();
  probe->SetEnabled(false);
  EXPECT_EQ(trace, (std::vector<std::string>{"probe enabled"}));
  EXPECT_FALSE(IsWindowEnabled(probe->Handle()));

  // unknown messages fall through to the window's default handling
  probe->SetText("abc");
  char buffer[16] = {};
  GetWindowTextA(probe->Handle(), buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(probe->Text(), "abc");
}

TEST_F(Controls, TextAndHandleLifeCycle) {
  auto form = MakeForm();
  auto* probe = Place<TProbe>(form.get(), "probe", 5, 6, 30, 20);
  probe->SetText("kept");
  EXPECT_FALSE(probe->HandleAllocated());  // a hidden form makes no windows
  EXPECT_EQ(probe->Text(), "kept");
  HWND first = probe->Handle();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(FindControl(first), probe);
  RECT r{};
  GetWindowRect(first, &r);
  MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(TRect(r), Rect(5, 6, 35, 26));
  probe->RecreateWnd();
  EXPECT_NE(probe->WindowHandle(), first);
  EXPECT_EQ(FindControl(first), nullptr);
  EXPECT_EQ(probe->Text(), "kept");  // the text survives the new window
  TWinControl orphan(nullptr);
  EXPECT_THROW(orphan.Handle(), EInvalidOperation);
}

TEST_F(Controls, AlignmentFillsFromTheOutsideIn) {
  auto form = MakeForm(200, 150);
  auto* top = Place<TProbe>(form.get(), "top", 0, 0, 50, 20);
  auto* bottom = Place<TProbe>(form.get(), "bottom", 0, 0, 50, 30);
  auto* left = Place<TProbe>(form.get(), "left", 0, 0, 40, 10);
  auto* client = Place<TProbe>(form.get(), "client", 0, 0, 10, 10);
  auto* anchored = Place<TProbe>(form.get(), "anchored", 150, 100, 20, 20);
  anchored->SetAnchors({akRight, akBottom});
  top->SetAlign(alTop);
  bottom->SetAlign(alBottom);
  left->SetAlign(alLeft);
  client->SetAlign(alClient);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 20));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 120, 200, 150));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 20, 40, 120));
  EXPECT_EQ(client->BoundsRect(), Rect(40, 20, 200, 120));
  form->SetBounds(0, 0, 300, 200);
  EXPECT_EQ(client->BoundsRect(), Rect(40, 20, 300, 170));
  EXPECT_EQ(anchored->BoundsRect(), Rect(250, 150, 270, 170));  // keeps its distance to the corner
  left->SetVisible(false);
  EXPECT_EQ(client->BoundsRect(), Rect(0, 20, 300, 170));
  form->Show();
  form->SetBounds(0, 0, 250, 180);  // the same with windows
  EXPECT_EQ(client->BoundsRect(), Rect(0, 20, 250, 150));
  EXPECT_EQ(anchored->BoundsRect(), Rect(200, 130, 220, 150));
  form->Hide();
}

TEST_F(Controls, PaintToDrawsWindowsAndGraphicChildren) {
  auto form = MakeForm(60, 40);
  form->SetColor(clWhite);
  auto* probe = Place<TProbe>(form.get(), "probe", 10, 10, 20, 20);
  probe->Fill = clLime;
  auto* square = Place<TSquare>(form.get(), "square", 40, 5, 10, 10);
  (void)square;
  TBitmap shot(60, 40, TPixelFormat::pf24bit);
  form->PaintTo(shot.Canvas(), 0, 0);
  EXPECT_EQ(shot.Canvas()->Pixel(2, 2), clWhite);
  EXPECT_EQ(shot.Canvas()->Pixel(15, 15), clLime);
  EXPECT_EQ(shot.Canvas()->Pixel(45, 10), clBlue);
  EXPECT_EQ(shot.Canvas()->Pixel(45, 20), clWhite);

  // a window's own painting reaches its surface
  form->Show();
  form->Update();
  HDC dc = GetDC(probe->Handle());
  EXPECT_EQ(GetPixel(dc, 5, 5), ColorToRGB(clLime));
  ReleaseDC(probe->Handle(), dc);
  form->Hide();
}

TEST_F(Controls, ClicksReachGraphicChildrenInTheirOwnCoordinates) {
  auto form = MakeForm();
  form->Show();
  auto* square = Place<TSquare>(form.get(), "square", 40, 30, 20, 20);
  std::vector<std::string> log;
  struct TListener {
    std::vector<std::string>* log;
    void Down(TObject*, TMouseButton b, TShiftState, int x, int y) {
      log->push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
    }
    void Click(TObject* sender) { log->push_back(std::string("click ") + static_cast<TComponent*>(sender)->Name()); }
  } listener{&log};
  square->OnMouseDown = MakeEvent(&listener, &TListener::Down);
  square->OnClick = MakeEvent(&listener, &TListener::Click);
  form->OnClick = MakeEvent(&listener, &TListener::Click);
  HWND window = form->Handle();
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 35));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(46, 36));
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  // released outside the control: no click
  SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 35));
  SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
  EXPECT_EQ(log, (std::vector<std::string>{"down 0 5,5", "click square", "click ", "down 0 5,5"}));
  form->Hide();
}

TEST_F(Controls, MouseEnterAndLeaveNameTheChildToItsParents) {
  auto form = MakeForm();
  auto* probe = Place<TProbe>(form.get(), "probe", 0, 0, 10, 10);
  std::vector<std::string> log;
  struct TListener {
    std::vector<std::string>* log;
    void Enter(TObject* s) { log->push_back("enter " + static_cast<TComponent*>(s)->Name()); }
    void Leave(TObject* s) { log->push_back("leave " + static_cast<TComponent*>(s)->Name()); }
  } listener{&log};
  probe->OnMouseEnter = MakeEvent(&listener, &TListener::Enter);
  probe->OnMouseLeave = MakeEvent(&listener, &TListener::Leave);
  form->OnMouseEnter = MakeEvent(&listener, &TListener::Enter);
  probe->Perform(CM_MOUSEENTER);
  probe->Perform(CM_MOUSELEAVE);
  form->Perform(CM_MOUSEENTER);
  EXPECT_EQ(log, (std::vector<std::string>{"enter probe", "leave probe", "enter "}));
}

TEST_F(Controls, FocusMovesInTabOrderWithEnterAndExit) {
  auto form = MakeForm();
  auto* a = Place<TProbe>(form.get(), "a", 0, 0, 10, 10);
  auto* b = Place<TProbe>(form.get(), "b", 20, 0, 10, 10);
  auto* c = Place<TProbe>(form.get(), "c", 40, 0, 10, 10);
  c->SetTabOrder(0);  // c, a, b
  EXPECT_EQ(a->TabOrder(), 1);
  form->Show();
  trace.clear();
  a->SetFocus();
  EXPECT_TRUE(a->Focused());
  EXPECT_EQ(form->ActiveControl(), a);
  form->Perform(CM_DIALOGKEY, VK_TAB);  // Tab
  EXPECT_TRUE(b->Focused());
  form->Perform(CM_DIALOGKEY, VK_TAB);  // wraps round to the first
  EXPECT_TRUE(c->Focused());
  b->SetEnabled(false);
  form->SelectNext(c, true, true);
  EXPECT_TRUE(a->Focused());
  form->SelectNext(a, true, true);  // b is disabled: skipped
  EXPECT_TRUE(c->Focused());
  EXPECT_EQ(trace, (std::vector<std::string>{"exit c", "enter a", "exit a", "enter b", "exit b", "enter c", "probe enabled",
                                             "exit c", "enter a", "exit a", "enter c"}));
  form->Hide();
}

TEST_F(Controls, ParentFontAndColourFollowUntilSetOwn) {
  auto form = MakeForm();
  auto* probe = Place<TProbe>(form.get(), "probe", 0, 0, 10, 10);
  form->Font()->SetSize(14);
  form->SetColor(clYellow);
  EXPECT_EQ(probe->Font()->Size(), 14);
  EXPECT_EQ(probe->Color(), clYellow);
  probe->Font()->SetStyle({TFontStyle::fsBold});
  EXPECT_FALSE(probe->ParentFont());
  form->Font()->SetSize(20);
  EXPECT_EQ(probe->Font()->Size(), 14);
  probe->SetParentFont(true);
  EXPECT_EQ(probe->Font()->Size(), 20);
}

// A control that changes its hint as it is shown (CM_HINTSHOW).
class THinted : public TProbe {
  CALDERAN_CLASS(THinted)
  using TProbe::TProbe;
  void Dispatch(TMessage& m) override {
    if (m.Msg == CM_HINTSHOW) {
      auto* info = reinterpret_cast<THintInfo*>(m.LParam);
      info->HintStr += " (" + std::to_string(info->CursorPos.X) + ")";
      return;
    }
    TProbe::Dispatch(m);
  }
};
CALDERAN_IMPLEMENT_CREATABLE(THinted, TProbe, TComponent*)

TEST_F(Controls, HintsShowTheShortPartNearTheMouse) {
  auto form = MakeForm();
  form->SetBounds(50, 50, 200, 150);
  auto* probe = Place<THinted>(form.get(), "probe", 20, 20, 60, 30);
  probe->SetHint("Add|Adds files to the list");
  probe->SetShowHint(true);
  form->Show();
  Mouse->SetCursorPos(Point(75, 75));  // 5, 5 in the probe
  probe->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Application->Hint(), "Adds files to the list");
  Application->ActivateHint(Point(75, 75));  // what the hint timer does after the pause
  THintWindow* window = Application->HintWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window->Handle()));
  EXPECT_EQ(window->Text(), "Add (5)");
  RECT r{};
  GetWindowRect(window->Handle(), &r);
  EXPECT_EQ(r.left, 75);
  EXPECT_GT(r.top, 75);  // under the cursor
  Application->CancelHint();
  EXPECT_FALSE(window->HandleAllocated() && IsWindowVisible(window->WindowHandle()));
  form->Hide();
}

TEST_F(Controls, HiddenWindowsAndSubclassingCallMethods) {
  std::vector<UINT> seen;
  struct TReceiver {
    std::vector<UINT>* seen;
    TWindowSubclass* subclass = nullptr;
    void Method(TMessage& m) {
      if (m.Msg >= WM_USER) seen->push_back(m.Msg);
      if (m.Msg == WM_USER + 5) {
        m.Result = 55;
        return;
      }
      if (subclass) subclass->CallOriginal(m);
      else m.Result = DefWindowProcA(nullptr, m.Msg, m.WParam, m.LParam);
    }
  } receiver{&seen};
  HWND hidden = AllocateHWnd(MakeEvent(&receiver, &TReceiver::Method));
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(SendMessageA(hidden, WM_USER + 5, 0, 0), 55);
  DeallocateHWnd(hidden);

  HWND native = CreateWindowExA(0, "STATIC", "native", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(native, nullptr);
  {
    TWindowSubclass subclass(native, MakeEvent(&receiver, &TReceiver::Method));
    receiver.subclass = &subclass;
    EXPECT_EQ(SendMessageA(native, WM_USER + 5, 0, 0), 55);
    char text[16] = {};
    GetWindowTextA(native, text, sizeof text);  // passed on to the static control
    EXPECT_STREQ(text, "native");
  }
  receiver.subclass = nullptr;
  EXPECT_EQ(SendMessageA(native, WM_USER + 5, 0, 0), 0);  // removed with the object
  DestroyWindow(native);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 5, WM_USER + 5}));
}

}  // namespace

TEST_F(Controls, AControlParentedWhileItsParentIsBeingShownIsShownToo) {
  auto form = MakeForm();
  auto* maker = Place<TCompanionMaker>(form.get(), "Maker", 10, 10, 40, 20);
  form->Show();
  ASSERT_NE(maker->Companion, nullptr);
  ASSERT_TRUE(maker->Companion->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(maker->Companion->Handle()));
}
