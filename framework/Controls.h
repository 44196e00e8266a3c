// Controls: the message record and the framework's own messages, the control hierarchy (graphic
// controls painted by their parent, windowed controls over Win32 windows, custom controls with a
// canvas), mouse capture and cursors, hidden message windows, subclassing of native windows and
// the one guard that every function called by Win32 runs its code in.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "SysUtils.h"
#include "System.h"
#include "Types.h"

// ---------------------------------------------------------------------------------------------
// Messages. Every handler receives the one record; typed views below read its parameters.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;

  WORD WParamLo() const { return LOWORD(WParam); }
  WORD WParamHi() const { return HIWORD(WParam); }
  WORD LParamLo() const { return LOWORD(LParam); }
  WORD LParamHi() const { return HIWORD(LParam); }
  // The signed 16-bit point packed into LParam (mouse messages).
  TPoint Pos() const { return {static_cast<int16_t>(LOWORD(LParam)), static_cast<int16_t>(HIWORD(LParam))}; }
};
using TWndMethod = TEvent<void(TMessage&)>;

inline LPARAM PointToLParam(TPoint p) { return MAKELPARAM(static_cast<WORD>(p.X), static_cast<WORD>(p.Y)); }

// The framework's messages between controls.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE = CM_BASE + 1, CM_GOTFOCUS = CM_BASE + 2,
               CM_LOSTFOCUS = CM_BASE + 3, CM_CANCELMODE = CM_BASE + 4, CM_DIALOGKEY = CM_BASE + 5,
               CM_DIALOGCHAR = CM_BASE + 6, CM_FOCUSCHANGED = CM_BASE + 7, CM_PARENTFONTCHANGED = CM_BASE + 8,
               CM_PARENTCOLORCHANGED = CM_BASE + 9, CM_HITTEST = CM_BASE + 10, CM_VISIBLECHANGED = CM_BASE + 11,
               CM_ENABLEDCHANGED = CM_BASE + 12, CM_COLORCHANGED = CM_BASE + 13, CM_FONTCHANGED = CM_BASE + 14,
               CM_CURSORCHANGED = CM_BASE + 15, CM_CTL3DCHANGED = CM_BASE + 16, CM_PARENTCTL3DCHANGED = CM_BASE + 17,
               CM_TEXTCHANGED = CM_BASE + 18, CM_MOUSEENTER = CM_BASE + 19, CM_MOUSELEAVE = CM_BASE + 20,
               CM_MENUCHANGED = CM_BASE + 21, CM_APPKEYDOWN = CM_BASE + 22, CM_APPSYSCOMMAND = CM_BASE + 23,
               CM_BUTTONPRESSED = CM_BASE + 24, CM_SHOWINGCHANGED = CM_BASE + 25, CM_ENTER = CM_BASE + 26,
               CM_EXIT = CM_BASE + 27, CM_DESIGNHITTEST = CM_BASE + 28, CM_ICONCHANGED = CM_BASE + 29,
               CM_WANTSPECIALKEY = CM_BASE + 30, CM_INVOKEHELP = CM_BASE + 31, CM_WINDOWHOOK = CM_BASE + 32,
               CM_RELEASE = CM_BASE + 33, CM_SHOWHINTCHANGED = CM_BASE + 34, CM_PARENTSHOWHINTCHANGED = CM_BASE + 35,
               CM_SYSCOLORCHANGE = CM_BASE + 36, CM_WININICHANGE = CM_BASE + 37, CM_FONTCHANGE = CM_BASE + 38,
               CM_TIMECHANGE = CM_BASE + 39, CM_TABSTOPCHANGED = CM_BASE + 40, CM_UIACTIVATE = CM_BASE + 41,
               CM_UIDEACTIVATE = CM_BASE + 42, CM_DOCWINDOWACTIVATE = CM_BASE + 43,
               CM_CONTROLLISTCHANGE = CM_BASE + 44, CM_GETDATALINK = CM_BASE + 45, CM_CHILDKEY = CM_BASE + 46,
               CM_DRAG = CM_BASE + 47, CM_HINTSHOW = CM_BASE + 48, CM_DIALOGHANDLE = CM_BASE + 49,
               CM_ISTOOLCONTROL = CM_BASE + 50, CM_RECREATEWND = CM_BASE + 51, CM_INVALIDATE = CM_BASE + 52,
               CM_SYSFONTCHANGED = CM_BASE + 53, CM_CONTROLCHANGE = CM_BASE + 54, CM_CHANGED = CM_BASE + 55,
               CM_BORDERCHANGED = CM_BASE + 59, CM_ACTIONUPDATE = CM_BASE + 63, CM_ACTIONEXECUTE = CM_BASE + 64,
               CM_HINTSHOWPAUSE = CM_BASE + 65, CM_MOUSEWHEEL = CM_BASE + 67, CM_ISSHORTCUT = CM_BASE + 68,
               CM_PARENTBACKGROUNDCHANGED = CM_BASE + 70;
// Docking: CM_DOCKCLIENT (WParam the TDragDockObject, LParam the drop point in client coordinates)
// asks a dock site to take the client; CM_UNDOCKCLIENT (WParam the new site or null, LParam the
// client) tells it a client leaves, and a non-zero result refuses; CM_DOCKNOTIFICATION (WParam the
// client, LParam a TDockNotifyRec) passes on a docked client's text and visibility changes.
constexpr UINT CM_DOCKCLIENT = CM_BASE + 56, CM_UNDOCKCLIENT = CM_BASE + 57, CM_FLOAT = CM_BASE + 58,
               CM_DOCKNOTIFICATION = CM_BASE + 66;
struct TDockNotifyRec {
  UINT ClientMsg;
  WPARAM MsgWParam;
  LPARAM MsgLParam;
};

// Notifications that Win32 sends to a parent, reflected to the child control they are about.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM, CN_COMMAND = CN_BASE + WM_COMMAND,
               CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM, CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN,
               CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG, CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT,
               CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX, CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX,
               CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR, CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC,
               CN_DELETEITEM = CN_BASE + WM_DELETEITEM, CN_DRAWITEM = CN_BASE + WM_DRAWITEM,
               CN_HSCROLL = CN_BASE + WM_HSCROLL, CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM,
               CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY, CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM,
               CN_VSCROLL = CN_BASE + WM_VSCROLL, CN_KEYDOWN = CN_BASE + WM_KEYDOWN, CN_KEYUP = CN_BASE + WM_KEYUP,
               CN_CHAR = CN_BASE + WM_CHAR, CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN, CN_SYSCHAR = CN_BASE + WM_SYSCHAR,
               CN_NOTIFY = CN_BASE + WM_NOTIFY;

// ---------------------------------------------------------------------------------------------
// The guard of every function that Win32 calls (window procedures, hooks, timer procedures,
// enumeration callbacks): no exception may leave it, since one that reaches Win32 ends the
// process silently. Call only from inside a catch block: it hands the exception in flight to
// Application->HandleException and never throws.
void HandleEntryException() noexcept;

// Runs code that Win32 called, under the guard; a processor fault in it reaches the application's
// handler as the platform's exception for it (TrapFaults).
template <class F> void GuardedCall(F&& f) noexcept {
  try {
    TrapFaults(f);
  } catch (...) {
    HandleEntryException();
  }
}

// ---------------------------------------------------------------------------------------------
// Enumerations and sets of the control layer.
enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using TAlignSet = TSet<TAlign>;
enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;
enum TDragMode : uint8_t { dmManual, dmAutomatic };
enum TDragKind : uint8_t { dkDrag, dkDock };
enum TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };
enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;  // controls use bsNone and bsSingle

enum TControlStyleFlag : uint8_t {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption, csOpaque,
  csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable, csNoStdEvents,
  csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint, csParentBackground
};
using TControlStyle = TSet<TControlStyleFlag>;
enum TControlStateFlag : uint8_t {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing, csCreating, csPaintCopy,
  csCustomPaint, csDestroyingHandle, csDocking
};
using TControlState = TSet<TControlStateFlag>;

// Cursor numbers: the predefined ones are negative; applications add their own (Screen->Cursors).
using TCursor = int16_t;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
                  crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18,
                  crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22, crSize = -22;
bool CursorToIdent(TCursor cursor, std::string& ident);
bool IdentToCursor(const std::string& ident, TCursor& cursor);

TShiftState KeysToShiftState(WORD keys);      // MK_ flags of mouse messages, with the keyboard
TShiftState KeyDataToShiftState(LPARAM data); // key messages
TShiftState KeyboardStateToShiftState();

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = TEvent<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TKeyEvent = TEvent<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, char& Key)>;
using TContextPopupEvent = TEvent<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

class TControl;
class TWinControl;
class TCustomForm;
class TBasicAction;
class TBasicActionLink;
class TDragObject;
class TDragDockObject;
class TDragImageList;
class TDockTree;

using TStartDragEvent = TEvent<void(TObject* Sender, TDragObject*& DragObject)>;
using TDragOverEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = TEvent<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDockEvent = TEvent<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDockDropEvent = TEvent<void(TObject* Sender, TDragDockObject* Source, int X, int Y)>;
using TDockOverEvent =
    TEvent<void(TObject* Sender, TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TGetSiteInfoEvent =
    TEvent<void(TObject* Sender, TControl* DockClient, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)>;
using TUnDockEvent = TEvent<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;

// CM_DRAG: WParam is the step, LParam a TDragRec.
enum TDragMessage : uint8_t { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget };
struct TDragRec {
  TPoint Pos;  // screen position
  TDragObject* Source;
  void* Target;
  bool Docking;
};
class TPopupMenu;
class TControlCanvas;

// What CreateWnd needs to register the window class and create the window.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSA WindowClass{};
  std::string WinClassName;
};

// ---------------------------------------------------------------------------------------------
// TControl: a rectangle on a parent that takes mouse input and paints. Graphic controls have no
// window: their parent routes mouse messages to them and paints them in its WM_PAINT.
class TControl : public TComponent {
  CALDERAN_CLASS(TControl)
  explicit TControl(TComponent* owner);
  ~TControl() override;

  // Forms and frames read their stored definition here; the reader and the form factories call
  // it once the object is fully constructed.
  virtual void AfterConstruction() {}

  // --- messages
  // Sends a message through this control's WndProc and answers its result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // First stop of every message: mouse bookkeeping, then Dispatch.
  virtual void WndProc(TMessage& message);
  // What every message of the control reaches first, through Perform or the window: WndProc unless
  // another object has put its own handler in front (it passes messages on to the one it replaced).
  TWndMethod WindowProc() { return windowProc_ ? windowProc_ : MakeEvent(this, &TControl::WndProc); }
  void SetWindowProc(const TWndMethod& method) { windowProc_ = method; }
  // One switch per class calling the handlers; what no class handles goes to DefaultHandler.
  virtual void Dispatch(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

  // --- place
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().Right; }
  int ClientHeight() { return ClientRect().Bottom; }
  void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
  void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
  virtual void SetClientSize(int width, int height);
  virtual TPoint ClientOrigin();  // screen position of the client area's top-left
  TPoint ClientToScreen(TPoint p) { return p + ClientOrigin(); }
  TPoint ScreenToClient(TPoint p) { return p - ClientOrigin(); }
  TPoint ClientToParent(TPoint p, TWinControl* parent = nullptr);
  TPoint ParentToClient(TPoint p, TWinControl* parent = nullptr);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);

  // --- state
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void Hide() { SetVisible(false); }
  virtual bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);
  TControlStyle ControlStyle() const { return style_; }
  void SetControlStyle(TControlStyle style) { style_ = style; }
  TControlState ControlState() const { return state_; }
  void SetControlState(TControlState state) { state_ = state; }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TFont* Font() { return &font_; }
  void SetFont(TFont* font) { font_.Assign(font); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  std::string Text();
  void SetText(const std::string& text);
  std::string Caption() { return Text(); }
  void SetCaption(const std::string& text) { SetText(text); }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  virtual void SetPopupMenu(TPopupMenu* menu);
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode mode) { dragMode_ = mode; }
  TCursor DragCursor() const { return dragCursor_; }
  void SetDragCursor(TCursor cursor) { dragCursor_ = cursor; }
  bool MouseCapture();
  void SetMouseCapture(bool value);
  // Drag and drop of controls or data between controls: the drag follows the mouse once it has
  // left the threshold box around the press (at once when immediate); the control under it is
  // asked with CM_DRAG (DragOver), the drop goes to DragDrop, the source hears DoEndDrag.
  void BeginDrag(bool immediate, int threshold = -1);
  void EndDrag(bool drop);
  bool Dragging() const;
  // Docking: a control whose DragKind is dkDock drags as a dock client; the dock site it sits in
  // is its HostDockSite. ManualDock docks it into a site (null floats it in a window of its own);
  // Dock is the step that moves it there, used by the sites.
  TDragKind DragKind() const { return dragKind_; }
  void SetDragKind(TDragKind kind) { dragKind_ = kind; }
  TWinControl* HostDockSite() const { return hostDockSite_; }
  bool ManualDock(TWinControl* newDockSite, TControl* dropControl = nullptr, TAlign controlSide = alNone);
  bool ManualFloat(const TRect& screenRect);
  virtual void Dock(TWinControl* newDockSite, const TRect& rect);
  // Undocks from the host (which may refuse) and docks where the drag object says.
  bool DockTo(TDragDockObject* source, TWinControl* target);
  // Brings the control into view: a page control shows the page that holds it.
  void Show();
  // The action the control follows (caption, enabled, visible, hint) and runs when clicked.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* action);
  TBasicActionLink* ActionLink() const { return actionLink_.get(); }

  // --- painting
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront() { SetZOrder(true); }
  void SendToBack() { SetZOrder(false); }
  virtual void SetZOrder(bool topMost);
  // A device context on the control's surface (its parent's, moved and clipped, for a graphic
  // control) and the window it belongs to; the caller releases it with ReleaseDC.
  virtual HDC GetDeviceContext(HWND& window);

  // --- behaviour that descendants refine
  virtual void Click();
  virtual void DblClick();
  bool IsRightToLeft() const { return false; }
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  void Loaded() override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;
  TContextPopupEvent OnContextPopup;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TStartDragEvent OnStartDrag;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;
  TStartDockEvent OnStartDock;
  TEndDragEvent OnEndDock;

  // Steps of a drag, refined by descendants; public for the drag objects.
  virtual void DoStartDrag(TDragObject*& dragObject);
  virtual void DoEndDrag(TObject* target, int x, int y);
  virtual void DoStartDock(TDragDockObject*& dragObject);
  virtual void DoEndDock(TObject* target, int x, int y);
  virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
  virtual void DragDrop(TObject* source, int x, int y);
  virtual void DragCanceled() {}
  virtual TDragImageList* GetDragImages() { return nullptr; }

 protected:
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void Resize();
  virtual void DoContextPopup(TPoint mousePos, bool& handled);
  virtual TPopupMenu* GetPopupMenu() { return popupMenu_; }
  // The link made when an action is first assigned; a control that follows more of the action
  // (an image, a checked state) answers a link of its own.
  virtual std::unique_ptr<TBasicActionLink> CreateActionLink();
  virtual bool CanAutoSize(int& /*width*/, int& /*height*/) { return true; }
  void Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }
  virtual void SetZOrderPosition(int position);
  void InvalidateControl(bool isVisible, bool isOpaque);
  // Text of a control without a window, kept here; windows keep their own.
  std::string& StoredText() { return text_; }
  void RequestAlign();
  void UpdateAnchorRules();
  void Notification(TComponent* component, TOperation operation) override;

  // Message handlers (named after their messages).
  void WMLButtonDown(TMessage& m);
  void WMLButtonDblClk(TMessage& m);
  void WMLButtonUp(TMessage& m);
  void WMRButtonDown(TMessage& m);
  void WMRButtonDblClk(TMessage& m);
  void WMRButtonUp(TMessage& m);
  void WMMButtonDown(TMessage& m);
  void WMMButtonDblClk(TMessage& m);
  void WMMButtonUp(TMessage& m);
  void WMMouseMove(TMessage& m);
  void WMContextMenu(TMessage& m);
  void WMCancelMode(TMessage& m);
  // Tells the host dock site about a message that changes what it shows of this client.
  void SendDockNotification(UINT msg, WPARAM wParam, LPARAM lParam);
  void CMVisibleChanged(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMColorChanged(TMessage& m);
  void CMParentFontChanged(TMessage& m);
  void CMParentColorChanged(TMessage& m);
  void CMParentShowHintChanged(TMessage& m);
  void CMHitTest(TMessage& m);
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMTextChanged(TMessage& m) { m.Result = 0; }
  void CMDrag(TMessage& m);
  virtual void BeginAutoDrag();

 private:
  friend class TWinControl;
  void FontChanged(TObject* sender);
  void DoMouseDown(TMessage& m, TMouseButton button, TShiftState shift);
  void DoMouseUp(TMessage& m, TMouseButton button);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  TPoint anchorRules_;
  TPoint originalParentSize_;
  bool anchorMove_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  TControlStyle style_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState state_;
  TColor color_ = clWindow;
  bool parentColor_ = true;
  TFont font_;
  bool parentFont_ = true;
  std::string text_;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TCursor cursor_ = crDefault;
  TPopupMenu* popupMenu_ = nullptr;
  TDragMode dragMode_ = dmManual;
  TCursor dragCursor_ = crDrag;
  TDragKind dragKind_ = dkDrag;
  TWinControl* hostDockSite_ = nullptr;
  std::unique_ptr<TBasicActionLink> actionLink_;
  TWndMethod windowProc_;  // empty: WndProc
};

// ---------------------------------------------------------------------------------------------
// TWinControl: a control with a Win32 window, which it creates on demand, that can hold other
// controls, take the focus and the keyboard.
class TWinControl : public TControl {
  CALDERAN_CLASS(TWinControl)
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // --- the window
  HWND Handle();  // created on demand (with the parents' windows)
  bool HandleAllocated() const { return handle_ != nullptr; }
  HWND WindowHandle() const { return handle_; }
  void HandleNeeded();
  // A window of another program or library to be the parent of this control's window.
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND window);
  void RecreateWnd();
  // Creates this control's window without a parent control, inside a foreign window.
  static TWinControl* CreateParented(TClass cls, HWND parentWindow);

  void WndProc(TMessage& message) override;
  void Dispatch(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  // Sends the message to every child control (stops at the first that answers non-zero).
  void Broadcast(TMessage& message);
  void NotifyControls(UINT msg);

  // --- docking: a dock site takes dock clients; with UseDockManager its dock manager lays them
  // out with caption strips and splitters.
  bool DockSite() const { return dockSite_; }
  void SetDockSite(bool value);
  bool UseDockManager() const { return useDockManager_; }
  void SetUseDockManager(bool value);
  TDockTree* DockManager() const { return dockManager_.get(); }
  int DockClientCount() const { return static_cast<int>(dockClients_.size()); }
  TControl* DockClients(int index) const { return dockClients_.at(index); }
  // The steps of a dock drag over this site and of a drop on it, refined by descendants.
  virtual void DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept);
  virtual void DockDrop(TDragDockObject* source, int x, int y);
  virtual void GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos, bool& canDock);
  virtual bool DoUnDock(TWinControl* newTarget, TControl* client);
  virtual void DoAddDockClient(TControl* client, const TRect& rect);
  virtual void DoRemoveDockClient(TControl* client);
  // Makes the control visible to the user: the parents pass the request up (a page control
  // switches to the page that holds it).
  virtual void ShowControl(TControl* control);

  // --- children
  int ControlCount() const { return static_cast<int>(controls_.size() + winControls_.size()); }
  TControl* Controls(int index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(TControl* control) const;
  TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false);
  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  void SetBounds(int left, int top, int width, int height) override;

  // --- alignment
  void DisableAlign() { ++alignLevel_; }
  void EnableAlign();
  void Realign();
  bool AlignDisabled() const { return alignLevel_ != 0; }
  virtual void AlignControls(TControl* control, TRect& rect);
  virtual void AdjustClientRect(TRect& rect);
  void AlignControl(TControl* control);

  // --- focus and tabs
  virtual bool CanFocus();
  bool Focused();
  virtual void SetFocus();
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  int TabOrder() const;
  void SetTabOrder(int order);
  virtual void GetTabOrderList(std::vector<TWinControl*>& list);
  TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
  void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
  bool Showing() const { return showing_; }

  // 3-D borders (WS_EX_CLIENTEDGE for framed controls), following the parent's unless set.
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  bool ParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool value);

  // --- painting
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
  bool ParentBackground() const { return style_has(csParentBackground); }
  void SetParentBackground(bool value);
  TBrush* Brush() { return &brush_; }
  void PaintTo(HDC dc, int x, int y);
  void PaintTo(TCanvas* canvas, int x, int y) { PaintTo(canvas->Handle(), x, y); }
  // Paints the graphic children (from first on, or all) onto the device context.
  void PaintControls(HDC dc, TControl* first);
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void SetZOrder(bool topMost) override;
  HDC GetDeviceContext(HWND& window) override;

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TMouseWheelEvent OnMouseWheel;
  TDockDropEvent OnDockDrop;
  TDockOverEvent OnDockOver;
  TGetSiteInfoEvent OnGetSiteInfo;
  TUnDockEvent OnUnDock;

  // For the form's focus bookkeeping: runs OnEnter / OnExit.
  virtual void DoEnter();
  virtual void DoExit();

 protected:
  // --- the window's life
  virtual void CreateParams(TCreateParams& params);
  // Registers the window class when needed, then CreateWindowHandle.
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  virtual void CreateHandle();
  // The dock manager made when the control becomes a dock site with UseDockManager.
  virtual std::unique_ptr<TDockTree> CreateDockManager();
  // Where a drop at the drag object's position would put the client (screen coordinates).
  virtual void PositionDockRect(TDragDockObject* source);
  void DoDockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept);
  void DestroyHandle();
  // Makes this control's window class a subclass of a native class ("BUTTON", "EDIT"...): the
  // native window procedure becomes the default handler.
  void CreateSubClass(TCreateParams& params, const char* controlClassName);
  WNDPROC DefWndProc() const { return defWndProc_; }
  void UpdateControlState();
  void UpdateBounds();
  virtual void PaintWindow(HDC dc);
  void PaintHandler(TMessage& m);
  virtual void PaintBackground(HDC dc);

  // --- keyboard
  virtual void KeyDown(Word& key, TShiftState shift);
  virtual void KeyUp(Word& key, TShiftState shift);
  virtual void KeyPress(char& key);
  bool DoKeyDown(TMessage& m);
  bool DoKeyUp(TMessage& m);
  bool DoKeyPress(TMessage& m);
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
  virtual void SelectFirst();

  void SetZOrderPosition(int position) override;
  bool style_has(TControlStyleFlag f) const { return style_.Contains(f); }

  // Message handlers.
  void WMPaint(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void WMSize(TMessage& m);
  void WMMove(TMessage& m);
  void WMWindowPosChanged(TMessage& m);
  void WMSetFocus(TMessage& m);
  void WMKillFocus(TMessage& m);
  void WMKeyDown(TMessage& m);
  void WMKeyUp(TMessage& m);
  void WMChar(TMessage& m);
  void WMSysKeyDown(TMessage& m);
  void WMSysKeyUp(TMessage& m);
  void WMMouseWheel(TMessage& m);
  void WMSetCursor(TMessage& m);
  void WMCommand(TMessage& m);
  void WMNotify(TMessage& m);
  void WMDrawItem(TMessage& m);
  void WMMeasureItem(TMessage& m);
  void WMCompareItem(TMessage& m);
  void WMDeleteItem(TMessage& m);
  void WMHScroll(TMessage& m);
  void WMVScroll(TMessage& m);
  void WMCtlColor(TMessage& m);
  void WMNCDestroy(TMessage& m);
  void WMGetDlgCode(TMessage& m) { DefaultHandler(m); }
  void CNKeyDown(TMessage& m);
  void CNKeyUp(TMessage& m);
  void CNChar(TMessage& m);
  void CNSysKeyDown(TMessage& m);
  void CNSysChar(TMessage& m);
  void CNCtlColor(TMessage& m);
  void CMDialogKey(TMessage& m) { Broadcast(m); }
  void CMDialogChar(TMessage& m) { Broadcast(m); }
  void CMFocusChanged(TMessage& m) { Broadcast(m); }
  void CMVisibleChanged(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMColorChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMShowingChanged(TMessage& m);
  void CMShowHintChanged(TMessage& m);
  void CMEnter(TMessage&) { DoEnter(); }
  void CMExit(TMessage&) { DoExit(); }
  void CMInvalidate(TMessage& m);
  void CMRecreateWnd(TMessage& m);
  void CMMouseWheel(TMessage& m);
  void CMChildKey(TMessage& m);
  void CMCursorChanged(TMessage& m);
  void CMCtl3DChanged(TMessage& m);
  void CMParentCtl3DChanged(TMessage& m);
  void CMDrag(TMessage& m);
  void CMDockClient(TMessage& m);
  void CMUnDockClient(TMessage& m) { m.Result = 0; }
  void CMDockNotification(TMessage& m);

 private:
  friend class TControl;
  void UpdateDockManager();
  void ForgetDockClient(TControl* client);
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
  void AlignControlsInner(TControl* control, TRect& rect);
  bool IsControlMouseMsg(TMessage& m);
  void UpdateShowing();
  void SetTabOrderIndex(int order);
  bool IsMenuKey(TMessage& m);
  void InsertIntoZOrder(TControl* control);

  HWND handle_ = nullptr;
  HWND parentWindow_ = nullptr;
  WNDPROC defWndProc_ = DefWindowProcA;
  std::vector<TControl*> controls_;        // graphic children, in z-order
  std::vector<TWinControl*> winControls_;  // windowed children, in creation order
  std::vector<TWinControl*> tabList_;      // windowed children, in tab order
  int alignLevel_ = 0;
  bool tabStop_ = false;
  bool showing_ = false;
  bool doubleBuffered_ = false;
  bool creatingHandle_ = false;
  bool ctl3D_ = true;
  bool parentCtl3D_ = true;
  bool dockSite_ = false, useDockManager_ = false;
  std::vector<TControl*> dockClients_;
  std::unique_ptr<TDockTree> dockManager_;
  TBrush brush_;
};

// ---------------------------------------------------------------------------------------------
// TControlCanvas: a canvas on a control's surface, taken from the control's window (or its
// parent's, for a graphic control) on first use and given back when the program goes idle.
class TControlCanvas : public TCanvas {
  CALDERAN_CLASS(TControlCanvas)
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* Control() const { return control_; }
  void SetControl(TControl* control);
  void FreeHandle();
  // Gives back every device context that a control canvas took (run when the program is idle).
  static void FreeDeviceContexts();

 protected:
  void CreateHandle() override;

 private:
  TControl* control_ = nullptr;
  HDC deviceContext_ = nullptr;
  HWND window_ = nullptr;
};

// For the length of one paint: the control canvas draws on the paint's device context, locked
// against other users; afterwards it holds no device context, even when the paint threw.
class TCanvasPaintScope {
 public:
  TCanvasPaintScope(TControlCanvas* canvas, HDC dc) : canvas_(canvas) {
    canvas_->Lock();
    canvas_->FreeHandle();
    canvas_->SetHandle(dc);
  }
  ~TCanvasPaintScope() {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
  }
  TCanvasPaintScope(const TCanvasPaintScope&) = delete;
  TCanvasPaintScope& operator=(const TCanvasPaintScope&) = delete;

 private:
  TControlCanvas* canvas_;
};

// Marks a control as painting itself (csCustomPaint) for the length of one paint message.
class TCustomPaintScope {
 public:
  explicit TCustomPaintScope(TControl* control) : control_(control) {
    control_->SetControlState(control_->ControlState() + csCustomPaint);
  }
  ~TCustomPaintScope() { control_->SetControlState(control_->ControlState() - csCustomPaint); }
  TCustomPaintScope(const TCustomPaintScope&) = delete;
  TCustomPaintScope& operator=(const TCustomPaintScope&) = delete;

 private:
  TControl* control_;
};

// TCustomControl: a windowed control that paints itself on its canvas (Paint).
class TCustomControl : public TWinControl {
  CALDERAN_CLASS(TCustomControl)
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas* Canvas() { return canvas_.get(); }
  void Dispatch(TMessage& message) override;

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;
  void WMPaint(TMessage& m);

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

// TGraphicControl: a control without a window, painted by its parent.
class TGraphicControl : public TControl {
  CALDERAN_CLASS(TGraphicControl)
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas* Canvas() { return canvas_.get(); }
  void Dispatch(TMessage& message) override;

 protected:
  virtual void Paint() {}
  void WMPaint(TMessage& m);

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};

// ---------------------------------------------------------------------------------------------
// Drag objects: what a drag carries. A control's drag uses a TDragControlObject unless its
// OnStartDrag makes another.
class TDragObject : public TObject {
  CALDERAN_CLASS(TDragObject)
  TDragObject() = default;
  // The drag ended; target is null (and accepted false) when nothing took it. x, y are in the
  // target's client coordinates.
  virtual void Finished(TObject* target, int x, int y, bool accepted);
  virtual TCursor GetDragCursor(bool accepted, int x, int y);
  virtual TDragImageList* GetDragImages() { return nullptr; }
  // What the control under the mouse sees as the source.
  virtual TObject* Source() { return this; }
  TPoint DragPos;
  TObject* DragTarget = nullptr;
  TPoint DragTargetPos;
  bool Cancelling = false;
  bool Dropped = false;
};

class TBaseDragControlObject : public TDragObject {
  CALDERAN_CLASS(TBaseDragControlObject)
  explicit TBaseDragControlObject(TControl* control) : control_(control) {}
  TControl* Control() const { return control_; }
  void Finished(TObject* target, int x, int y, bool accepted) override;
  TObject* Source() override { return control_; }

 private:
  TControl* control_;
};

class TDragControlObject : public TBaseDragControlObject {
  CALDERAN_CLASS(TDragControlObject)
  using TBaseDragControlObject::TBaseDragControlObject;
  TCursor GetDragCursor(bool accepted, int x, int y) override;
  TDragImageList* GetDragImages() override;
};

// What a dock drag carries: where the client would land (DockRect, on the screen), beside which
// docked control and on which side of it; the drop preview is a frame around that rectangle,
// above every window, while the drag runs.
class TDragDockObject : public TBaseDragControlObject {
  CALDERAN_CLASS(TDragDockObject)
  explicit TDragDockObject(TControl* control);
  ~TDragDockObject() override;
  void Finished(TObject* target, int x, int y, bool accepted) override;
  TCursor GetDragCursor(bool accepted, int x, int y) override;
  // Shows the preview at DockRect (taking back the one shown before), or takes it away.
  void ShowDockImage();
  void HideDockImage();
  bool DockImageShown() const { return shownRect_.Width() > 0; }
  // The rectangle a floating client would take with the mouse at `pos`: its own size, held at
  // the point where the drag took it.
  TRect FloatRect(TPoint pos) const;
  TRect DockRect;
  TAlign DropAlign = alNone;
  TControl* DropOnControl = nullptr;
  bool Floating = false;

 private:
  TPoint grip_;  // the mouse's place in the control when the drag began
  TSize size_;
  TRect shownRect_;
  HWND edges_[4]{};
};

// TDockTree: the dock manager of a site with UseDockManager. Docked controls sit in zones, a tree
// whose inner zones lay their children side by side (doVertical) or one above the other
// (doHorizontal); each control zone has a caption strip (grabber with a close button) on top, or
// on the left when the site is aligned to the top or the bottom; splitters between zones move
// with the mouse. The strip's button hides its control, a press on the strip starts a dock drag.
enum TDockOrientation : uint8_t { doNoOrient, doHorizontal, doVertical };

class TDockZone {
 public:
  TDockZone* ParentZone = nullptr;
  TControl* ChildControl = nullptr;  // set for a control zone, null for an inner zone
  TDockOrientation Orientation = doNoOrient;
  double Weight = 1;  // share of the parent's length
  std::vector<std::unique_ptr<TDockZone>> Children;
  TRect Rect;  // as the last layout placed it, in the site's client coordinates
  bool Visible() const;
  TDockZone* Find(const TControl* control);
};

class TDockTree : public TObject {
  CALDERAN_CLASS(TDockTree)
  explicit TDockTree(TWinControl* dockSite);
  ~TDockTree() override;
  TWinControl* DockSite() const { return dockSite_; }
  int GrabberSize() const { return grabberSize_; }
  void SetGrabberSize(int value) { grabberSize_ = value; }
  static constexpr int SplitterSize = 4;

  // Puts the control beside dropCtl on the side insertAt (at the site's edge when dropCtl is not
  // docked here); alClient or alNone put it after the last zone.
  virtual void InsertControl(TControl* control, TAlign insertAt, TControl* dropCtl);
  virtual void RemoveControl(TControl* control);
  // Lays the zones out again (through the site's alignment).
  virtual void ResetBounds(bool force);
  // Places the zones and their controls inside `area` of the site.
  void LayoutIn(const TRect& area);
  virtual void PaintSite(HDC dc);
  // The screen rectangle a client dropped beside dropCtl on side dropAlign would take.
  virtual void PositionDockRect(TControl* client, TControl* dropCtl, TAlign dropAlign, TRect& dockRect);
  void GetControlBounds(TControl* control, TRect& rect);
  // The docked control under a point of the site and what part of its zone is there: HTCAPTION
  // (the strip), HTCLOSE (its button), HTBORDER (a splitter: the zone before it), HTCLIENT, or
  // HTNOWHERE with null.
  TControl* HitTest(TPoint mousePos, int& htFlag);
  // The mouse on the site: true when the message was the tree's.
  virtual bool HandleSiteMessage(TMessage& m);
  // The caption strip and its close button for a control zone's rectangle.
  bool GrabbersOnLeft() const;
  TRect GrabberRect(const TRect& zoneRect) const;
  virtual TRect CloseButtonRect(const TRect& zoneRect) const;

 protected:
  // Turns a zone's rectangle into its control's bounds (leaves room for the strip).
  virtual void AdjustDockRect(TControl* control, TRect& rect);
  virtual void PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect);
  TDockZone* RootZone() const { return root_.get(); }

 private:
  void LayoutZone(TDockZone* zone, const TRect& r);
  void PaintZone(TCanvas* canvas, TDockZone* zone);
  TDockZone* ZoneAt(TDockZone* zone, TPoint p, int& htFlag);
  void CloseControl(TControl* control);
  void ResizeSplit(TPoint p);
  TWinControl* dockSite_;
  std::unique_ptr<TDockZone> root_;
  int grabberSize_ = 12;
  TDockZone* sizingZone_ = nullptr;  // the zone before the splitter being moved
  TControl* closePressed_ = nullptr;
};

// The drag object running now, or null.
TDragObject* CurrentDragObject();
void CancelDrag();
// For the message loop: Escape cancels a running drag.
bool DragKeyMessage(const MSG& msg);

// ---------------------------------------------------------------------------------------------
// The mouse: capture, position, system settings.
class TMouse {
 public:
  HWND Capture() const { return GetCapture(); }
  void SetCapture(HWND window);
  TPoint CursorPos() const;
  void SetCursorPos(TPoint p);
  int DragThreshold() const { return dragThreshold_; }
  void SetDragThreshold(int value) { dragThreshold_ = value; }
  bool DragImmediate() const { return dragImmediate_; }
  void SetDragImmediate(bool value) { dragImmediate_ = value; }
  bool WheelPresent() const;
  int WheelScrollLines() const;

 private:
  int dragThreshold_ = 5;
  bool dragImmediate_ = true;
};
extern TMouse* Mouse;

// ---------------------------------------------------------------------------------------------
// Windows and controls.
TWinControl* FindControl(HWND window);  // our control that owns the window, or null
TControl* FindVCLWindow(TPoint screenPos);
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);
// The dock site under a screen point that would take the client, or null.
TWinControl* FindDockSite(TPoint screenPos, TControl* client);
TCustomForm* GetParentForm(TControl* control);
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
void SendCancelMode(TControl* sender);

// A hidden window whose messages go to a method (under the guard); DeallocateHWnd destroys it.
HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND window);
// A hidden window of a class of its own, registered under the given name, whose messages go to a
// plain procedure; DestroyBroadcastWindow destroys it and unregisters the class. Like AllocateHWnd's
// windows it is top-level, as broadcasts such as WM_THEMECHANGED reach no message-only window.
HWND CreateBroadcastWindow(const char* className, WNDPROC procedure);
void DestroyBroadcastWindow(HWND window, const char* className);

// Puts a method in front of an existing window's procedure (a native window or one of another
// library). The method passes what it does not handle on with CallOriginal.
class TWindowSubclass {
 public:
  TWindowSubclass(HWND window, TWndMethod method);
  ~TWindowSubclass();
  TWindowSubclass(const TWindowSubclass&) = delete;
  TWindowSubclass& operator=(const TWindowSubclass&) = delete;
  HWND Window() const { return window_; }
  void CallOriginal(TMessage& message);
  void Remove();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);
  HWND window_;
  TWndMethod method_;
};

// Start-up of this module: the mouse object and the controls' atoms.
extern const TUnitInfo ControlsUnit;
