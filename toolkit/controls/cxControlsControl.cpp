// The base windowed control: construction, the window procedure, painting, keys, focus, mouse,
// wheel, context menu and popup menus. The built-in scroll bars are in cxControlsScrollBars.cpp,
// drag and drop in cxControlsDrag.cpp.
#include <algorithm>

#include "cxControls.h"
#include "cxControlsSettings.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxControl, TCustomControl, TComponent*)

namespace {

bool IsButtonPress(UINT msg) {
  return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK ||
         msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

TMouseButton PressButton(UINT msg) {
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) return mbLeft;
  if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) return mbRight;
  return mbMiddle;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction

TcxControl::TcxControl(TComponent* owner) : TCustomControl(owner) {
  if (HasDragImage()) SetControlStyle(ControlStyle() + csDisplayDragImage);
  canvas_ = std::make_unique<TcxCanvas>(Canvas());
  defaultCursor_ = Cursor();
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  lookAndFeel_->OnChanged = MakeEvent(this, &TcxControl::LookAndFeelChangedHandler);
  scrollBars_ = ssBoth;
  CreateBuiltInControls();
  SetTabStop(AllowsFocus());
  lastParentBackground_ = true;
  SetParentBackground(true);
}

TcxControl::~TcxControl() {
  Destroying();
  if (Dragging()) EndDrag(false);
  DestroyBuiltInControls();
  fontListeners_.clear();
  dragAndDropObject_.reset();
  activeCanvas_.reset();
  lookAndFeel_.reset();
  ClearObjectLinks(this);
}

TcxCanvas* TcxControl::GetActiveCanvas() {
  if (HandleAllocated()) {
    activeCanvas_.reset();
    return canvas_.get();
  }
  if (!activeCanvas_) activeCanvas_ = std::make_unique<TcxScreenCanvas>();
  return activeCanvas_.get();
}

void TcxControl::SetBorderStyle(TcxControlBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  BoundsChanged();
  Invalidate();
}

void TcxControl::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style |= WS_CLIPCHILDREN;
}

void TcxControl::CreateWnd() {
  TcxFlagScope creating(creatingWindow_);
  TCustomControl::CreateWnd();
  UpdateInternalControls();
  InitWindow();
}

void TcxControl::DestroyWindowHandle() {
  SetControlState(ControlState() - csClicked);
  TCustomControl::DestroyWindowHandle();
}

void TcxControl::InvalidateRect(const TRect& rect, bool erase) {
  if (!HandleAllocated()) return;
  RECT r = rect;
  ::InvalidateRect(Handle(), &r, erase);
}

void TcxControl::InvalidateWithChildren() {
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// ---------------------------------------------------------------------------------------------
// Bounds and painting

TRect TcxControl::GetBounds() { return HandleAllocated() ? ClientRect() : TRect(0, 0, Width(), Height()); }

int TcxControl::GetBorderSize() { return borderStyle_ == cxcbsNone ? 0 : GetPainter()->BorderWidth(); }

TRect TcxControl::GetClientBounds() {
  TRect r = GetBounds();
  const int border = GetBorderSize();
  r = TRect(r.Left + border, r.Top + border, r.Right - border, r.Bottom - border);
  if (IsHScrollBarVisible()) r.Bottom -= hScrollBar_->Height();
  if (IsVScrollBarVisible()) r.Right -= vScrollBar_->Width();
  return r;
}

void TcxControl::Paint() {
  if (borderStyle_ == cxcbsDefault) {
    GetPainter()->PaintBorder(canvas_.get(), GetBounds());
    canvas_->IntersectClipRect(GetClientBounds());
  }
  TCustomControl::Paint();
  RefreshBuiltInControls();
}

// A drag image over the control would be painted over: it is hidden for the paint.
void TcxControl::WMPaint(TMessage& m) {
  TDragObject* dragObject = GetCurrentDragObject();
  TDragImageList* images = dragObject ? dragObject->GetDragImages() : nullptr;
  const bool hideImage = images && images->Dragging();
  if (hideImage) images->HideDragImage();
  TCustomControl::Dispatch(m);
  if (hideImage) images->ShowDragImage();
}

void TcxControl::WMEraseBkgnd(TMessage& m) {
  if (ErasesBackground()) TCustomControl::Dispatch(m);
  else m.Result = 1;
}

// ---------------------------------------------------------------------------------------------
// The window procedure

void TcxControl::WndProc(TMessage& m) {
  TcxObjectLinkGuard link(this);
  const bool leftPress = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK;
  if (leftPress && !CurrentDragObject()) {
    const TPoint p = m.Pos();
    const bool designing = IsDesigning();
    const bool direct = designing ? IsDesignHitTest(p.X, p.Y, {ssLeft}) : DragMode() == dmAutomatic;
    if (direct && !ControlAtPos(p, false)) {
      DispatchLeftPress(m);
      if (link.Alive()) AfterDispatch(m);
      return;
    }
  }
  if (m.Msg == WM_RBUTTONUP) rightButtonBeingReleased_ = true;
  TCustomControl::WndProc(m);
  if (link.Alive()) AfterDispatch(m);
}

// Straight to the handlers: the framework would start its drag on the press itself, while the
// toolkit starts it only once the mouse has left the drag threshold (AfterMouseDown).
void TcxControl::DispatchLeftPress(TMessage& m) {
  if (Width() > 32768 || Height() > 32768) m.LParam = PointToLParam(ScreenToClient(GetCursorPosSafe()));
  SetControlState(ControlState() + csLButtonDown);
  TcxObjectLinkGuard link(this);
  Dispatch(m);
  if (link.Alive()) SetControlState(ControlState() - csLButtonDown);
}

void TcxControl::AfterDispatch(const TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: FocusChanged(); break;
    case WM_PAINT:
      if (ParentBackground() != lastParentBackground_) {
        lastParentBackground_ = ParentBackground();
        ParentBackgroundChanged();
      }
      break;
    case WM_RBUTTONUP: rightButtonBeingReleased_ = false; break;
    default:
      if (IsButtonPress(m.Msg)) AfterMouseDown(PressButton(m.Msg), m.Pos().X, m.Pos().Y);
  }
}

void TcxControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: WMPaint(m); break;
    case WM_ERASEBKGND: WMEraseBkgnd(m); break;
    case WM_GETDLGCODE: WMGetDlgCode(m); break;
    case WM_CANCELMODE: WMCancelMode(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case WM_NCCALCSIZE: WMNCCalcSize(m); break;
    case WM_SETCURSOR: WMSetCursor(m); break;
    case CXM_SCROLLBARMETRICS: CXMScrollBarMetrics(m); break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(m); break;
    case CM_DESIGNHITTEST: CMDesignHitTest(m); break;
    case CM_COLORCHANGED: ColorChanged(); TCustomControl::Dispatch(m); break;
    case CM_CURSORCHANGED: CursorChanged(); TCustomControl::Dispatch(m); break;
    case CM_FONTCHANGED: TCustomControl::Dispatch(m); FontChanged(); break;
    case CM_TEXTCHANGED: TCustomControl::Dispatch(m); TextChanged(); break;
    case CM_VISIBLECHANGED: TCustomControl::Dispatch(m); VisibleChanged(); break;
    // The framework's handling would fire the events itself; the toolkit fires them through
    // MouseEnter and MouseLeave, for this control and for its children alike.
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      auto* control = m.LParam ? reinterpret_cast<TControl*>(m.LParam) : this;
      if (Parent()) Parent()->Perform(m.Msg, 0, reinterpret_cast<LPARAM>(control));
      if (m.Msg == CM_MOUSEENTER) MouseEnter(control);
      else MouseLeave(control);
      break;
    }
    default: TCustomControl::Dispatch(m);
  }
}

// Ctrl+Tab still moves between controls.
void TcxControl::WMGetDlgCode(TMessage& m) {
  LRESULT code = 0;
  if (keys_.Contains(kAll)) code |= DLGC_WANTALLKEYS;
  if (keys_.Contains(kArrows)) code |= DLGC_WANTARROWS;
  if (keys_.Contains(kChars)) code |= DLGC_WANTCHARS;
  if (keys_.Contains(kTab) && !IsCtrlKeyDown()) code |= DLGC_WANTTAB;
  m.Result = code;
}

void TcxControl::WMCancelMode(TMessage& m) {
  TCustomControl::Dispatch(m);
  FinishDragAndDrop(false);
  DoCancelMode();
}

void TcxControl::WMNCCalcSize(TMessage& m) {
  TCustomControl::Dispatch(m);
  if (HandleAllocated()) PostMessageA(Handle(), CXM_SCROLLBARMETRICS, 0, 0);
}

void TcxControl::WMSetCursor(TMessage& m) {
  if (IsDesigning() && dragAndDropState_ == ddsNone) {
    const TPoint p = ScreenToClient(GetCursorPosSafe());
    if (IsDesignHitTest(p.X, p.Y, {ssLeft})) {
      ::SetCursor(Screen->Cursors(GetCursorAt(p.X, p.Y)));
      m.Result = 1;
      return;
    }
  }
  TCustomControl::Dispatch(m);
}

void TcxControl::CMDesignHitTest(TMessage& m) {
  TCustomControl::Dispatch(m);
  if (m.Result == 0) m.Result = IsDesignHitTest(m.Pos().X, m.Pos().Y, KeysToShiftState(LOWORD(m.WParam)));
}

// A key during the toolkit's drag is its own: Esc cancels the drag, the others are swallowed.
void TcxControl::CNKeyDown(TMessage& m) {
  if (IsMenuShortCut(m)) {
    m.Result = 1;
    return;
  }
  if (dragAndDropState_ == ddsNone) return TCustomControl::Dispatch(m);
  if (LOWORD(m.WParam) == VK_ESCAPE && HandleAllocated()) SendMessageA(Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  m.Result = 1;
}

bool TcxControl::IsMenuShortCut(TMessage& m) {
  for (TControl* control = this; control; control = control->Parent())
    if (auto* cx = ObjectAs<TcxControl>(control))
      if (IsPopupMenuShortCut(cx->popupMenu_, m)) return true;
  return false;
}

// ---------------------------------------------------------------------------------------------
// Context menu and popup menus

void TcxControl::WMContextMenu(TMessage& m) {
  if (m.Result != 0) return;
  if (IsDesigning()) return TCustomControl::Dispatch(m);
  TPoint p = m.Pos();
  const bool keyboard = p.X == -1 && p.Y == -1;
  if (!keyboard) {
    p = ScreenToClient(p);
    if (!ClientRect().Contains(p)) return TCustomControl::Dispatch(m);
  }
  bool handled = false;
  DoContextPopup(p, handled);
  if (!handled) {
    const TPoint screen = ClientToScreen(keyboard ? TPoint(0, 0) : p);
    handled = PopupContextMenu(popupMenu_, screen.X, screen.Y);
  }
  if (handled) m.Result = 1;
  else TCustomControl::Dispatch(m);
}

void TcxControl::SetPopupMenu(TComponent* value) {
  if (value && !value->Is<TPopupMenu>() && !dynamic_cast<IcxPopupMenuHandler*>(value)) value = nullptr;
  if (value == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = value;
  if (popupMenu_) popupMenu_->FreeNotification(this);
}

void TcxControl::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TcxControl::AddFontListener(IcxFontListener* listener) { fontListeners_.push_back(listener); }

void TcxControl::RemoveFontListener(IcxFontListener* listener) {
  fontListeners_.erase(std::remove(fontListeners_.begin(), fontListeners_.end(), listener), fontListeners_.end());
}

// ---------------------------------------------------------------------------------------------
// Notifications

void TcxControl::FocusChanged() {
  if (OnFocusChanged) OnFocusChanged(this);
}

void TcxControl::FontChanged() {
  for (IcxFontListener* listener : fontListeners_) listener->FontChanged(this, Font());
  Invalidate();
}

bool TcxControl::IsDesignHitTest(int, int, TShiftState) {
  return dragAndDropState_ != ddsNone || mouseButtonPressed_;
}

void TcxControl::MouseEnter(TControl*) {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TcxControl::MouseLeave(TControl*) {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TcxControl::DoCancelMode() {
  mouseButtonPressed_ = false;
  SetMouseCaptureObject(nullptr);
}

void TcxControl::Resize() {
  TCustomControl::Resize();
  BoundsChanged();
}

// ---------------------------------------------------------------------------------------------
// Focus and mouse

bool TcxControl::TakesFocusOnClick() { return !IsDesigning() && focusOnClick_ && AllowsFocus() && CanFocus(); }

bool TcxControl::CanFocusNow() { return ::CanFocusNow(this); }

// Focuses the control for a press; false when the press goes no further. Focusing may move the
// control (a scrolling parent brings it into view): the point follows.
bool TcxControl::FocusOnPress(int& x, int& y) {
  const TRect before = BoundsRect();
  TcxObjectLinkGuard link(this);
  SetFocus();
  if (!link.Alive()) return false;
  TCustomForm* form = GetParentForm(this);
  if (form && form->ActiveControl() == this && !Focused()) ::SetFocus(Handle());
  if (!Focused() && !AcceptsPressWithoutFocus()) {
    SetMouseCapture(false);
    return false;
  }
  x -= Left() - before.Left;
  y -= Top() - before.Top;
  return true;
}

void TcxControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  mouseDownPos_ = TPoint(x, y);
  TcxObjectLinkGuard link(this);
  const bool doubleClick = shift.Contains(ssDouble);
  if (TakesFocusOnClickAt(x, y) && !doubleClick && !FocusOnPress(x, y)) return;
  if (button == mbLeft && !doubleClick) {
    if (WantsDragAndDrop(mouseDownPos_)) ArmDragAndDrop();
  } else {
    FinishDragAndDrop(false);
  }
  if (!link.Alive()) return;
  MouseDownHook(button, shift, x, y);
  if (!link.Alive()) return;
  TCustomControl::MouseDown(button, shift, x, y);
  if (link.Alive() && MouseCapture()) mouseButtonPressed_ = true;
}

void TcxControl::ArmDragAndDrop() {
  if (DragAndDropObject()->GetImmediateStart()) BeginDragAndDrop();
  else dragAndDropState_ = ddsStarting;
}

void TcxControl::AfterMouseDown(TMouseButton button, int x, int y) {
  if (button == mbMiddle) return PanContent();
  if (button != mbLeft || DragMode() != dmAutomatic || !MouseCapture()) return;
  if (IsDesigning() && !AllowsDesignTimeDrag(x, y, {ssLeft})) return;
  if (CanStartDrag(x, y) && DetectDrag(Handle()) == 1) BeginDrag(true);
}

void TcxControl::MouseMove(TShiftState shift, int x, int y) {
  const TCursor remembered = defaultCursor_;
  SetCursor(GetCursorAt(x, y));
  defaultCursor_ = remembered;
  TCustomControl::MouseMove(shift, x, y);
  if (dragAndDropState_ == ddsStarting && !IsPointInDragDetectArea(mouseDownPos_, x, y)) BeginDragAndDrop();
  if (dragAndDropState_ == ddsInProcess) {
    bool accepted = false;
    DragAndDropMove(TPoint(x, y), accepted);
  }
}

void TcxControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  mouseButtonPressed_ = false;
  EndMouseOperations();
  TCustomControl::MouseUp(button, shift, x, y);
}

void TcxControl::KeyDown(Word& key, TShiftState shift) {
  if (key == VK_ESCAPE) FinishDragAndDrop(false);
  TCustomControl::KeyDown(key, shift);
}

void TcxControl::EndMouseOperations() {
  FinishDragAndDrop(true);
  SetMouseCaptureObject(nullptr);
}

void TcxControl::SetMouseCaptureObject(TObject* value) {
  if (value == mouseCaptureObject_) return;
  if (auto* previous = dynamic_cast<IcxMouseCaptureObject*>(mouseCaptureObject_)) previous->DoCancelMode();
  mouseCaptureObject_ = value;
  const bool hadCapture = MouseCapture();
  SetMouseCapture(value != nullptr);
  if (hadCapture && !MouseCapture() && dragAndDropState_ == ddsStarting) Perform(WM_CANCELMODE);
}

TcxWheelScrollKind TcxControl::GetWheelScrollKind() {
  return vScrollBar_ && vScrollBar_->Visible() ? wskVertical : wskNone;
}

// Each wheel message scrolls the system's count of lines, whatever its delta.
bool TcxControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  const TcxWheelScrollKind kind = GetWheelScrollKind();
  if (kind == wskNone) return false;
  static constexpr TcxDirection directions[2][2] = {{dirLeft, dirRight}, {dirUp, dirDown}};
  const TcxDirection direction = directions[kind == wskVertical][wheelDelta < 0];
  const int lines = Mouse ? Mouse->WheelScrollLines() : 3;
  for (int i = 0; i < lines; ++i) ScrollByDirection(direction);
  return true;
}

bool TcxControl::StaysInPressArea(int x, int y) {
  return DragMode() == dmManual || IsPointInDragDetectArea(mouseDownPos_, x, y);
}
