// Forms and frames, the application object (message loop, exception handling, hints) and the
// screen (forms, cursors, monitors, system fonts).
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Graphics.h"

class TMainMenu;

enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;
enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition : uint8_t {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
  poOwnerFormCenter
};
enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum TDefaultMonitor : uint8_t { dmDesktop, dmPrimary, dmMainForm, dmActiveForm };
enum TFormStateFlag : uint8_t { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateFlag>;

using TModalResult = int32_t;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrAll = mrNo + 1, mrNoToAll = mrAll + 1,
                       mrYesToAll = mrNoToAll + 1;

// ---------------------------------------------------------------------------------------------
// TCustomForm: a top-level window built from its stored definition (see AfterConstruction).
//
// Life cycle. Construct a form through CreateForm<T>(owner) or Application->CreateForm<T>(ref):
// the constructor builds the C++ object, then AfterConstruction reads the stored definition of
// the class (and of its form ancestors) and runs OnCreate. A form made with the two-argument
// constructor (CreateNew) has no stored definition. Destruction runs OnDestroy in
// BeforeDestruction, while the whole object still exists: the application and Release call it
// before deleting; a form whose OnDestroy handler uses members of its own class calls
// BeforeDestruction() at the top of its destructor when it is deleted directly.
class TCustomForm : public TWinControl {
  CALDERAN_CLASS(TCustomForm)
  explicit TCustomForm(TComponent* owner);
  TCustomForm(TComponent* owner, int createNew);  // the platform's CreateNew
  ~TCustomForm() override;

  void AfterConstruction() override;
  virtual void BeforeDestruction();

  void Dispatch(TMessage& message) override;
  TRect ClientRect() override;
  void SetClientSize(int width, int height) override;

  // --- showing and closing
  void Show();
  void Hide() { SetVisible(false); }
  virtual TModalResult ShowModal();
  void Close();
  virtual bool CloseQuery();
  // Deletes the form once the messages now in the queue are handled.
  void Release();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  TFormState FormState() const { return formState_; }
  bool Active() const { return active_; }

  // --- focus
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  void FocusControl(TWinControl* control);
  bool SetFocusedControl(TWinControl* control);
  void DefocusControl(TWinControl* control, bool removing);
  void SetFocus() override;
  bool CanFocus() override { return Visible() && Enabled(); }
  void SendCancelMode(TControl* sender);
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }
  virtual bool IsShortCut(TMessage& message);

  // --- appearance
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);
  TDefaultMonitor DefaultMonitor() const { return defaultMonitor_; }
  void SetDefaultMonitor(TDefaultMonitor monitor) { defaultMonitor_ = monitor; }
  TIcon* Icon() { return &icon_; }
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  bool AlphaBlend() const { return alphaBlend_; }
  void SetAlphaBlend(bool value);
  uint8_t AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(uint8_t value);
  TCanvas* Canvas() { return canvas_.get(); }

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;

  // Runs the key handlers of the form itself (also for KeyPreview).
  using TWinControl::DoKeyDown;
  using TWinControl::DoKeyPress;
  using TWinControl::DoKeyUp;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void PaintWindow(HDC dc) override;
  virtual void Paint();
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();
  void Loaded() override;
  // Properties that older definitions carry and that mean nothing here are read and dropped.
  void DefineProperties(TFiler* filer) override;

  void WMClose(TMessage& m);
  void WMActivate(TMessage& m);
  void WMPaint(TMessage& m);
  void WMCommand(TMessage& m);
  void WMSysCommand(TMessage& m);
  void WMDestroy(TMessage& m);
  void CMShowingChanged(TMessage& m);
  void CMDialogKey(TMessage& m);
  void CMActivate(TMessage& m);
  void CMDeactivate(TMessage& m);
  void CMRelease(TMessage& m);
  void CMTextChanged(TMessage& m);

 private:
  void StylesOf(DWORD& style, DWORD& exStyle);
  void PlaceOnShow();
  void SetWindowFocus();
  void SetActive(bool value);
  void IgnoreValue(TReader* reader) { reader->SkipValue(); }
  void CloseModal();
  bool SendFocusMessage(TControl* control, UINT msg);
  void ApplyAlphaBlend();

  bool createNew_ = false;
  bool destroyed_ = false;
  TFormState formState_{fsCreating};
  TModalResult modalResult_ = mrNone;
  bool active_ = false;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  int focusCount_ = 0;
  bool keyPreview_ = false;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TFormStyle formStyle_ = fsNormal;
  TWindowState windowState_ = wsNormal;
  TDefaultMonitor defaultMonitor_ = dmActiveForm;
  TIcon icon_;
  TMainMenu* menu_ = nullptr;
  bool alphaBlend_ = false;
  uint8_t alphaBlendValue_ = 255;
  int readClientWidth_ = -1, readClientHeight_ = -1;
  std::unique_ptr<TControlCanvas> canvas_;
};

class TForm : public TCustomForm {
  CALDERAN_CLASS(TForm)
  using TCustomForm::TCustomForm;
};

// The window of a floating dock client: a tool window that the client fills, titled with the
// client's caption, shown and hidden with it, and released when its last client leaves. It takes
// no other client by dragging.
class TCustomDockForm : public TCustomForm {
  CALDERAN_CLASS(TCustomDockForm)
  explicit TCustomDockForm(TComponent* owner);
  void Dispatch(TMessage& message) override;
  void GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos, bool& canDock) override;
  void DoAddDockClient(TControl* client, const TRect& rect) override;
  void DoRemoveDockClient(TControl* client) override;

 private:
  void CMDockNotification(TMessage& m);
};

// Frames: a control with its own stored definition, placed on forms.
class TCustomFrame : public TWinControl {
  CALDERAN_CLASS(TCustomFrame)
  explicit TCustomFrame(TComponent* owner);
  void AfterConstruction() override;

 private:
  bool constructed_ = false;
};

class TFrame : public TCustomFrame {
  CALDERAN_CLASS(TFrame)
  using TCustomFrame::TCustomFrame;
};

// Constructs a form or frame of class T and reads its stored definition (and runs OnCreate).
template <class T> T* CreateForm(TComponent* owner) {
  std::unique_ptr<T> form(new T(owner));
  form->AfterConstruction();
  return form.release();
}

// ---------------------------------------------------------------------------------------------
// Hints
struct THintInfo {
  TControl* HintControl = nullptr;
  TClass HintWindowClass = nullptr;
  TPoint HintPos;
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;
  TPoint CursorPos;
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  std::string HintStr;
  void* HintData = nullptr;
};

// The small window that shows a hint next to the mouse.
class THintWindow : public TCustomControl {
  CALDERAN_CLASS(THintWindow)
  explicit THintWindow(TComponent* owner);
  virtual void ActivateHint(const TRect& rect, const std::string& hint);
  virtual void ActivateHintData(const TRect& rect, const std::string& hint, void* data);
  virtual TRect CalcHintRect(int maxWidth, const std::string& hint, void* data);
  // Hides the hint (the window is kept for the next one).
  void ReleaseHandle();
  void Dispatch(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void WMNCHitTest(TMessage& m) { m.Result = HTTRANSPARENT; }
};

std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

// True when the control's SetFocus would move the focus now instead of raising: the control can
// take it and its form, if it has one, is shown and enabled (a form still being built is not).
bool CanFocusNow(TWinControl* control);

// ---------------------------------------------------------------------------------------------
// TApplication: the message loop, the main form, exception handling and hints.
using TExceptionEvent = TEvent<void(TObject* Sender, Exception* E)>;
using TIdleEvent = TEvent<void(TObject* Sender, bool& Done)>;

class TApplication : public TComponent {
  CALDERAN_CLASS(TApplication)
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  HWND Handle() const { return handle_; }
  void Initialize() {}
  // Creates a form owned by the application; the first form becomes the main form. The reference
  // is set before OnCreate runs.
  template <class T> void CreateForm(T*& reference) {
    T* form = new T(this);
    reference = form;
    try {
      form->AfterConstruction();
    } catch (...) {
      reference = nullptr;
      form->BeforeDestruction();
      delete form;
      throw;
    }
    if (!mainForm_) SetMainForm(form);
  }
  TCustomForm* MainForm() const { return mainForm_; }
  // Frees the forms and whatever else the application owns, OnDestroy first while every form still
  // exists. Stopping the units does this before any unit stops.
  void DestroyForms();
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  void ProcessMessages();
  void HandleMessage();
  // Call from inside a catch block: hands the exception in flight to OnException (or shows it).
  void HandleException(TObject* sender);
  void ShowException(Exception* e);
  int MessageBox(const std::string& text, const std::string& caption, UINT flags = MB_OK);
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  std::string ExeName() const;
  void ModalStarted() { ++modalLevel_; }
  void ModalFinished() { --modalLevel_; }
  int ModalLevel() const { return modalLevel_; }
  // Whether a change of the regional settings reloads the format settings (on by default).
  bool UpdateFormatSettings() const { return updateFormatSettings_; }
  void SetUpdateFormatSettings(bool value) { updateFormatSettings_ = value; }

  // --- hints
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor color) { hintColor_ = color; }
  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms) { hintPause_ = ms; }
  int HintShortPause() const { return hintShortPause_; }
  void SetHintShortPause(int ms) { hintShortPause_ = ms; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int ms) { hintHidePause_ = ms; }
  TClass HintWindowClass() const { return hintWindowClass_; }
  void SetHintWindowClass(TClass cls);
  THintWindow* HintWindow() const { return hintWindow_; }
  void ActivateHint(TPoint cursorPos);
  void CancelHint();
  void HideHint();
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);

  // For the controls: mouse moves (hints), destroyed controls (forgotten).
  void HintMouseMessage(TControl* control, TMessage& m);
  void ControlDestroyed(TControl* control);

  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  TNotifyEvent OnHint;

 private:
  bool ProcessMessage(MSG& msg);
  bool IsKeyMsg(MSG& msg);
  void Idle(const MSG& msg);
  void DoMouseIdle();
  void WndProc(TMessage& m);
  void StartHintTimer(int ms, int kind);
  void StopHintTimer();
  void HintTimerExpired();
  void SetMainForm(TCustomForm* form);

  HWND handle_ = nullptr;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool handlingException_ = false;
  std::string title_;
  int modalLevel_ = 0;
  bool showHint_ = true;
  bool updateFormatSettings_ = true;
  TColor hintColor_ = clInfoBk;
  int hintPause_ = 500, hintShortPause_ = 50, hintHidePause_ = 2500;
  TClass hintWindowClass_ = nullptr;
  THintWindow* hintWindow_ = nullptr;
  TControl* hintControl_ = nullptr;
  bool hintActive_ = false;
  int hintTimerKind_ = 0;
  TRect hintCursorRect_;
  std::string hint_;
  TControl* mouseControl_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// TScreen: the forms of the program, cursors, monitors and the system's fonts.
class TMonitor {
 public:
  HMONITOR Handle = nullptr;
  int MonitorNum = 0;
  TRect BoundsRect;
  TRect WorkareaRect;
  bool Primary = false;
  int Left() const { return BoundsRect.Left; }
  int Top() const { return BoundsRect.Top; }
  int Width() const { return BoundsRect.Width(); }
  int Height() const { return BoundsRect.Height(); }
};

enum TMonitorDefaultTo : uint8_t { mdNearest, mdNull, mdPrimary };

class TScreen : public TComponent {
  CALDERAN_CLASS(TScreen)
  explicit TScreen(TComponent* owner);
  ~TScreen() override;

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  HCURSOR Cursors(int index) const;
  // Adds or replaces the cursor of an index (an application's own cursors use positive ones).
  void SetCursors(int index, HCURSOR cursor);

  int PixelsPerInch() const { return ScreenPixelsPerInch(); }
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  TRect WorkAreaRect() const;
  TRect DesktopRect() const;
  int MonitorCount();
  TMonitor* Monitors(int index);
  TMonitor* MonitorFromPoint(TPoint p, TMonitorDefaultTo to = mdNearest);
  TMonitor* MonitorFromRect(const TRect& r, TMonitorDefaultTo to = mdNearest);
  TMonitor* MonitorFromWindow(HWND window, TMonitorDefaultTo to = mdNearest);

  TFont* HintFont() { return &hintFont_; }
  TFont* MenuFont() { return &menuFont_; }
  TFont* IconFont() { return &iconFont_; }

  int CustomFormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* CustomForms(int index) const { return forms_.at(index); }
  TCustomForm* ActiveCustomForm() const { return activeForm_; }
  TWinControl* ActiveControl() const { return activeControl_; }

  TNotifyEvent OnActiveFormChange;
  TNotifyEvent OnActiveControlChange;

 private:
  friend class TCustomForm;
  friend class TApplication;
  void AddForm(TCustomForm* form) { forms_.push_back(form); }
  void RemoveForm(TCustomForm* form);
  void ControlRemoved(TWinControl* control);
  void SetFocused(TCustomForm* form, TWinControl* control);
  void LoadSystemFonts();
  void ReadMonitors();
  TMonitor* FindMonitor(HMONITOR handle);
  friend BOOL CALLBACK ScreenMonitorProc(HMONITOR, HDC, LPRECT, LPARAM);

  TCursor cursor_ = crDefault;
  std::map<int, HCURSOR> cursors_;
  std::vector<TCustomForm*> forms_;
  TCustomForm* activeForm_ = nullptr;
  TCustomForm* focusedForm_ = nullptr;
  TWinControl* activeControl_ = nullptr;
  std::vector<TMonitor> monitors_;
  TFont hintFont_, menuFont_, iconFont_;
};

extern TApplication* Application;
extern TScreen* Screen;

// Start-up of this module: creates Application and Screen (and frees them at shut-down).
extern const TUnitInfo FormsUnit;
