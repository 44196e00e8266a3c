#include "calderan_test.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"
#include "StdCtrls.h"
#include "message_pump.h"

namespace {

class Forms : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartUnits({&GraphicsUnit, &ControlsUnit, &MenusUnit, &FormsUnit});
  }
  static void TearDownTestSuite() { StopUnits(); }
  void SetUp() override { Application->OnException = MakeEvent(this, &Forms::Caught); }
  void TearDown() override { Application->OnException = nullptr; }

  void Caught(TObject*, Exception* e) { errors.push_back(e ? e->Message() : "(no exception object)"); }
  std::vector<std::string> errors;
};

// A dialog with OK and Cancel buttons and a timer that plays the user.
class TDialog : public TForm {
  CALDERAN_CLASS(TDialog)
  explicit TDialog(TComponent* owner) : TForm(owner, 0) {
    SetBounds(100, 100, 300, 200);
    ok = new TButton(this);
    ok->SetParent(this);
    ok->SetText("OK");
    ok->SetModalResult(mrOk);
    ok->SetBounds(10, 10, 75, 25);
    cancel = new TButton(this);
    cancel->SetParent(this);
    cancel->SetModalResult(mrCancel);
    cancel->SetBounds(100, 10, 75, 25);
    timer = new TTimer(this);
    timer->SetEnabled(false);
    timer->SetInterval(1);
    timer->SetOnTimer(MakeEvent(this, &TDialog::Tick));
  }
  TButton* ok;
  TButton* cancel;
  TTimer* timer;
  std::vector<std::string> log;
  int ticks = 0;
  // What the timer does on each tick, in turn.
  std::vector<std::function<void()>> script;
  int user = 0;

  void Dispatch(TMessage& m) override {
    switch (m.Msg) {
      case WM_USER + 100: CropRectChanged(m); break;
      default: TForm::Dispatch(m);
    }
  }
  void Tick(TObject*) {
    log.push_back("tick " + std::to_string(++ticks));
    if (ticks <= static_cast<int>(script.size())) script[ticks - 1]();
  }

 protected:
  void CropRectChanged(TMessage& m) {
    auto* r = reinterpret_cast<const int*>(m.WParam);
    user = r[0] + r[1] + r[2] + r[3];
  }
};
CALDERAN_IMPLEMENT_CREATABLE(TDialog, TForm, TComponent*)

TEST_F(Forms, ModalFormEndsWithTheClickedButtonsResultAfterItsHandler) {
  TDialog dialog(nullptr);
  dialog.AfterConstruction();
  struct TClick {
    TDialog* d;
    void Clicked(TObject*) { d->log.push_back("click, result " + std::to_string(d->ModalResult())); }
  } click{&dialog};
  dialog.ok->OnClick = MakeEvent(&click, &TClick::Clicked);
  // the timer clicks the button as Win32 would (BN_CLICKED to the parent)
  dialog.script = {[&] { SendMessageA(dialog.ok->Handle(), BM_CLICK, 0, 0); }};
  dialog.timer->SetEnabled(true);
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(dialog.log, (std::vector<std::string>{"tick 1", "click, result 1"}));
  dialog.timer->SetEnabled(false);
}

TEST_F(Forms, CloseQueryAndCloseActionCanRefuseAModalClose) {
  TDialog dialog(nullptr);
  dialog.AfterConstruction();
  struct THandlers {
    TDialog* d;
    int queries = 0;
    void Query(TObject*, bool& canClose) { canClose = ++queries > 1; }
    void Close(TObject*, TCloseAction& action) {
      d->log.push_back("close " + std::to_string(d->ModalResult()));
      if (d->ticks < 3) action = caNone;
    }
  } handlers{&dialog};
  dialog.OnCloseQuery = MakeEvent(&handlers, &THandlers::Query);
  dialog.OnClose = MakeEvent(&handlers, &THandlers::Close);
  auto close = [&] { dialog.Close(); };
  dialog.script = {close, close, close};
  dialog.timer->SetEnabled(true);
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  // first refused by OnCloseQuery, then by OnClose's action, then closed
  EXPECT_EQ(dialog.log, (std::vector<std::string>{"tick 1", "tick 2", "close 2", "tick 3", "close 2"}));
  dialog.timer->SetEnabled(false);
}

TEST_F(Forms, ExceptionInAHandlerReachesOnExceptionAndTheLoopGoesOn) {
  TDialog dialog(nullptr);
  dialog.AfterConstruction();
  dialog.script = {[] { throw EConvertError("bad value"); },
                   [] { throw std::runtime_error("from the library"); },
                   [] { throw 42; },
                   [&] { dialog.SetModalResult(mrOk); }};
  dialog.timer->SetEnabled(true);
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_EQ(errors, (std::vector<std::string>{"bad value", "from the library", "(no exception object)"}));
  dialog.timer->SetEnabled(false);

  // a window procedure called straight by Win32 (not through our loop) is guarded as well
  errors.clear();
  dialog.script.clear();
  struct TThrower {
    void Method(TMessage& m) {
      if (m.Msg == WM_USER) throw EInvalidOperation("in a hidden window");
      m.Result = DefWindowProcA(nullptr, m.Msg, m.WParam, m.LParam);
    }
  } thrower;
  HWND hidden = AllocateHWnd(MakeEvent(&thrower, &TThrower::Method));
  EXPECT_EQ(SendMessageA(hidden, WM_USER, 0, 0), 0);
  DeallocateHWnd(hidden);
  EXPECT_EQ(errors, (std::vector<std::string>{"in a hidden window"}));
}

TEST_F(Forms, UserMessagesReachTheFormsOwnHandler) {
  TDialog dialog(nullptr);
  dialog.AfterConstruction();
  int rect[4] = {100, 50, 200, 150};
  SendMessageA(dialog.Handle(), WM_USER + 100, reinterpret_cast<WPARAM>(rect), 0);
  EXPECT_EQ(dialog.user, 500);
}

TEST_F(Forms, ModelessCloseHidesAndMainFormCloseTerminates) {
  TDialog dialog(nullptr);
  dialog.AfterConstruction();
  std::vector<std::string> log;
  struct THandlers {
    std::vector<std::string>* log;
    void Show(TObject*) { log->push_back("show"); }
    void Hide(TObject*) { log->push_back("hide"); }
  } handlers{&log};
  dialog.OnShow = MakeEvent(&handlers, &THandlers::Show);
  dialog.OnHide = MakeEvent(&handlers, &THandlers::Hide);
  dialog.Show();
  EXPECT_TRUE(IsWindowVisible(dialog.Handle()));
  SendMessageA(dialog.Handle(), WM_CLOSE, 0, 0);  // the close box
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
  EXPECT_EQ(log, (std::vector<std::string>{"show", "hide"}));
}

TEST_F(Forms, BorderStyleAndIconsMakeTheWindowStyles) {
  struct Case {
    TFormBorderStyle border;
    TBorderIcons icons;
    DWORD must, mustNot;
  } cases[] = {
      {bsSingle, {biSystemMenu, biMinimize}, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_THICKFRAME | WS_MAXIMIZEBOX},
      {bsSizeable, {biSystemMenu, biMinimize, biMaximize}, WS_THICKFRAME | WS_MAXIMIZEBOX, 0},
      {bsDialog, {biSystemMenu, biMinimize}, WS_CAPTION | WS_SYSMENU, WS_MINIMIZEBOX | WS_THICKFRAME},
      {bsNone, {biSystemMenu}, WS_POPUP, WS_CAPTION | WS_SYSMENU},
  };
  for (const auto& c : cases) {
    TForm form(nullptr, 0);
    form.SetBorderStyle(c.border);
    form.SetBorderIcons(c.icons);
    form.SetClientSize(200, 100);  // before the window exists, from the styles
    DWORD style = static_cast<DWORD>(GetWindowLongA(form.Handle(), GWL_STYLE));
    SCOPED_TRACE(static_cast<int>(c.border));
    EXPECT_EQ(style & c.must, c.must);
    EXPECT_EQ(style & c.mustNot, 0u);
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
  }
}

TEST_F(Forms, MainFormCentredPositionAndCreateFormOrder) {
  std::vector<std::string> order;
  TDialog* main = nullptr;
  Application->CreateForm(main);
  ASSERT_EQ(Application->MainForm(), main);
  main->SetBounds(100, 50, 400, 300);
  TDialog* second = nullptr;
  Application->CreateForm(second);
  EXPECT_EQ(Application->MainForm(), main);  // the first form stays the main form
  second->SetBounds(0, 0, 200, 100);
  second->SetPosition(poMainFormCenter);
  second->Show();
  EXPECT_EQ(second->Left(), 200);
  EXPECT_EQ(second->Top(), 150);
  second->Hide();
  delete second;
  delete main;
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(Forms, KeyPreviewLetsTheFormSeeKeysFirst) {
  TDialog dialog(nullptr);
  dialog.AfterConstruction();
  auto* edit = new TEdit(&dialog);
  edit->SetParent(&dialog);
  std::vector<std::string> log;
  struct TKeys {
    std::vector<std::string>* log;
    void FormKey(TObject*, Word& key, TShiftState) {
      log->push_back("form " + std::to_string(key));
      if (key == VK_F2) key = 0;  // consumed
    }
    void EditKey(TObject*, Word& key, TShiftState) { log->push_back("edit " + std::to_string(key)); }
  } keys{&log};
  dialog.OnKeyDown = MakeEvent(&keys, &TKeys::FormKey);
  edit->OnKeyDown = MakeEvent(&keys, &TKeys::EditKey);
  SendMessageA(edit->Handle(), WM_KEYDOWN, VK_F3, 0);
  dialog.SetKeyPreview(true);
  SendMessageA(edit->Handle(), WM_KEYDOWN, VK_F3, 0);
  SendMessageA(edit->Handle(), WM_KEYDOWN, VK_F2, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"edit 114", "form 114", "edit 114", "form 113"}));
}

TEST_F(Forms, DialogKeysClickDefaultAndCancelButtons) {
  TDialog dialog(nullptr);
  dialog.AfterConstruction();
  dialog.ok->SetDefault(true);
  dialog.cancel->SetCancel(true);
  dialog.Show();
  std::vector<std::string> log;
  struct TClicks {
    std::vector<std::string>* log;
    void Ok(TObject*) { log->push_back("ok"); }
    void Cancel(TObject*) { log->push_back("cancel"); }
  } clicks{&log};
  dialog.ok->OnClick = MakeEvent(&clicks, &TClicks::Ok);
  dialog.cancel->OnClick = MakeEvent(&clicks, &TClicks::Cancel);
  EXPECT_EQ(dialog.Perform(CM_DIALOGKEY, VK_ESCAPE), 1);
  EXPECT_EQ(dialog.Perform(CM_DIALOGKEY, VK_RETURN), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"cancel", "ok"}));
  dialog.Hide();
}

// Freeing a focused window must leave the screen pointing at nothing freed: the form (and with it
// its active control) while it holds the focus, or a panel around the focused edit.
TEST_F(Forms, FreeingWhatHoldsTheFocusLeavesTheScreenNoFreedControl) {
  for (bool freePanelFirst : {false, true}) {
    auto* dialog = new TDialog(nullptr);
    dialog->AfterConstruction();
    auto* panel = new TPanel(dialog);
    panel->SetParent(dialog);
    panel->SetBounds(10, 50, 200, 60);
    auto* edit = new TEdit(panel);
    edit->SetParent(panel);
    dialog->Show();
    edit->SetFocus();
    PumpWhileBusy();
    ASSERT_EQ(Screen->ActiveCustomForm(), dialog);
    ASSERT_EQ(Screen->ActiveControl(), edit);
    if (freePanelFirst) {
      delete panel;
      PumpWhileBusy();
      EXPECT_EQ(dialog->ActiveControl(), nullptr);
      EXPECT_NE(Screen->ActiveControl(), static_cast<TWinControl*>(edit)) << "panel freed";
      EXPECT_NE(Screen->ActiveControl(), static_cast<TWinControl*>(panel)) << "panel freed";
    }
    delete dialog;
    PumpWhileBusy();
    EXPECT_NE(Screen->ActiveCustomForm(), static_cast<TCustomForm*>(dialog)) << freePanelFirst;
    EXPECT_EQ(Screen->ActiveControl(), nullptr) << freePanelFirst;
  }
}

}  // namespace
