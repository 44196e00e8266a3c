// TControl, the shared helpers of the control layer and the entry-point guard.
#include "Controls.h"

#include <cstdio>

#include "ActnList.h"
#include "Forms.h"
#include "Menus.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TControl, TComponent)

TMouse* Mouse = nullptr;

namespace {
void StartControls() { Mouse = new TMouse(); }
void StopControls() {
  TControlCanvas::FreeDeviceContexts();
  delete Mouse;
  Mouse = nullptr;
}

TControl* captureControl = nullptr;  // a graphic control holding the mouse through its parent's window
}  // namespace

const TUnitInfo ControlsUnit{"Controls", StartControls, StopControls};

// ---------------------------------------------------------------------------------------------
// The guard
void HandleEntryException() noexcept {
  try {
    if (Application) {
      TrapFaults([] { Application->HandleException(nullptr); });
      return;
    }
    try {
      throw;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "unhandled exception: %s\n", e.what());
    } catch (...) {
      std::fprintf(stderr, "unhandled exception\n");
    }
  } catch (...) {
    // the handler itself failed: nothing may reach Win32
  }
}

// ---------------------------------------------------------------------------------------------
// Shift states and cursors
TShiftState KeysToShiftState(WORD keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyDataToShiftState(LPARAM data) {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (data & 0x20000000) s.Include(ssAlt);
  return s;
}

TShiftState KeyboardStateToShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  if (GetKeyState(VK_LBUTTON) < 0) s.Include(ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0) s.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0) s.Include(ssMiddle);
  return s;
}

namespace {
struct TCursorName {
  TCursor cursor;
  const char* name;
};
constexpr TCursorName cursorNames[] = {
    {crDefault, "crDefault"}, {crNone, "crNone"},         {crArrow, "crArrow"},       {crCross, "crCross"},
    {crIBeam, "crIBeam"},     {crSizeNESW, "crSizeNESW"}, {crSizeNS, "crSizeNS"},     {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"},   {crUpArrow, "crUpArrow"},   {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},   {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},     {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"}, {crNo, "crNo"},             {crAppStart, "crAppStart"}, {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"},
};
}  // namespace

bool CursorToIdent(TCursor cursor, std::string& ident) {
  for (const auto& c : cursorNames)
    if (c.cursor == cursor) { ident = c.name; return true; }
  return false;
}

bool IdentToCursor(const std::string& ident, TCursor& cursor) {
  for (const auto& c : cursorNames)
    if (SameText(c.name, ident)) { cursor = c.cursor; return true; }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Finding controls
TCustomForm* GetParentForm(TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return ObjectAs<TCustomForm>(control);
}

TControl* GetCaptureControl() {
  TControl* result = FindControl(GetCapture());
  if (result && captureControl && captureControl->Parent() == result) result = captureControl;
  return result;
}

void SetCaptureControl(TControl* control) {
  ReleaseCapture();
  captureControl = nullptr;
  if (!control) return;
  if (!control->Is<TWinControl>()) {
    if (!control->Parent()) return;
    captureControl = control;
    control = control->Parent();
  }
  SetCapture(static_cast<TWinControl*>(control)->Handle());
}

void SendCancelMode(TControl* sender) {
  for (TControl* c = sender; c; c = c->Parent())
    if (auto* form = ObjectAs<TCustomForm>(c)) {
      form->SendCancelMode(sender);
      return;
    }
}

TControl* FindVCLWindow(TPoint pos) {
  HWND window = WindowFromPoint(pos);
  while (window && !FindControl(window)) window = GetParent(window);
  TWinControl* control = FindControl(window);
  if (!control) return nullptr;
  if (TControl* inner = control->ControlAtPos(control->ScreenToClient(pos), false)) return inner;
  return control;
}

TControl* FindDragTarget(TPoint pos, bool allowDisabled) {
  TWinControl* window = FindControl(WindowFromPoint(pos));
  if (!window) return nullptr;
  TControl* inner = window->ControlAtPos(window->ScreenToClient(pos), allowDisabled);
  return inner ? inner : window;
}

// ---------------------------------------------------------------------------------------------
// TControl
TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = MakeEvent(this, &TControl::FontChanged);
}

TControl::~TControl() {
  Destroying();
  actionLink_.reset();
  if (Application) Application->ControlDestroyed(this);
  if (captureControl == this) captureControl = nullptr;
  font_.OnChange = nullptr;
  if (hostDockSite_) hostDockSite_->ForgetDockClient(this);
  SetParent(nullptr);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc()(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  if (m.Msg >= WM_MOUSEMOVE && m.Msg <= WM_MBUTTONDBLCLK) {
    if (!style_.Contains(csDoubleClicks) &&
        (m.Msg == WM_LBUTTONDBLCLK || m.Msg == WM_RBUTTONDBLCLK || m.Msg == WM_MBUTTONDBLCLK))
      m.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    switch (m.Msg) {
      case WM_MOUSEMOVE:
        if (Application) Application->HintMouseMessage(this, m);
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (dragMode_ == dmAutomatic) {
          BeginAutoDrag();
          return;
        }
        state_.Include(csLButtonDown);
        break;
      case WM_LBUTTONUP:
        state_.Exclude(csLButtonDown);
        break;
    }
  }
  Dispatch(m);
}

void TControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN: WMLButtonDown(m); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(m); break;
    case WM_LBUTTONUP: WMLButtonUp(m); break;
    case WM_RBUTTONDOWN: WMRButtonDown(m); break;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(m); break;
    case WM_RBUTTONUP: WMRButtonUp(m); break;
    case WM_MBUTTONDOWN: WMMButtonDown(m); break;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(m); break;
    case WM_MBUTTONUP: WMMButtonUp(m); break;
    case WM_MOUSEMOVE: WMMouseMove(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case WM_CANCELMODE: WMCancelMode(m); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); break;
    case CM_FONTCHANGED: CMFontChanged(m); break;
    case CM_COLORCHANGED: CMColorChanged(m); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(m); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(m); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(m); break;
    case CM_HITTEST: CMHitTest(m); break;
    case CM_MOUSEENTER: CMMouseEnter(m); break;
    case CM_MOUSELEAVE: CMMouseLeave(m); break;
    case CM_TEXTCHANGED: CMTextChanged(m); break;
    case CM_DRAG: CMDrag(m); break;
    default: DefaultHandler(m);
  }
}

// A control without a window keeps its text itself.
void TControl::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<char*>(m.LParam);
      size_t room = m.WParam;
      if (!buffer || room == 0) { m.Result = 0; break; }
      size_t n = std::min(room - 1, text_.size());
      text_.copy(buffer, n);
      buffer[n] = '\0';
      m.Result = static_cast<LRESULT>(n);
      break;
    }
    case WM_GETTEXTLENGTH: m.Result = static_cast<LRESULT>(text_.size()); break;
    case WM_SETTEXT:
      text_ = m.LParam ? reinterpret_cast<const char*>(m.LParam) : "";
      m.Result = 1;
      break;
  }
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) {
    parent->InsertControl(this);
    UpdateAnchorRules();
  }
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* w = ObjectAs<TWinControl>(parent)) SetParent(w);
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == popupMenu_) popupMenu_ = nullptr;
  // A freed action has already cut its links (their action is null) when this notice arrives.
  if (actionLink_ && (component == actionLink_->Action() || !actionLink_->Action())) actionLink_.reset();
}

TBasicAction* TControl::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

std::unique_ptr<TBasicActionLink> TControl::CreateActionLink() { return std::make_unique<TControlActionLink>(this); }

void TControl::SetAction(TBasicAction* action) {
  if (action == Action()) return;
  if (TBasicAction* old = Action()) old->RemoveFreeNotification(this);
  if (!action) {
    actionLink_.reset();
    return;
  }
  if (!actionLink_) actionLink_ = CreateActionLink();
  actionLink_->SetAction(action);
  action->FreeNotification(this);
}

// --- bounds and alignment
void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  InvalidateControl(visible_, false);
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  UpdateAnchorRules();
  Invalidate();
  RequestAlign();
  if (!ComponentState().Contains(csLoading)) Resize();
}

TRect TControl::ClientRect() { return Rect(0, 0, width_, height_); }

void TControl::SetClientSize(int width, int height) {
  TRect client = ClientRect();
  SetBounds(left_, top_, width_ - client.Right + width, height_ - client.Bottom + height);
}

TPoint TControl::ClientOrigin() {
  if (!parent_) throw EInvalidOperation(Format("Control '%s' has no parent window", {Name()}));
  return parent_->ClientOrigin() + TPoint(left_, top_);
}

TPoint TControl::ClientToParent(TPoint p, TWinControl* parent) {
  if (!parent) parent = parent_;
  for (TControl* c = this; c && c != parent; c = c->parent_) {
    if (!c->parent_) throw EInvalidOperation(Format("'%s' is not a parent of '%s'", {parent ? parent->Name() : std::string(), Name()}));
    p = p + TPoint(c->left_, c->top_);
  }
  return p;
}

TPoint TControl::ParentToClient(TPoint p, TWinControl* parent) {
  TPoint origin = ClientToParent(TPoint(0, 0), parent);
  return p - origin;
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  TAlign old = align_;
  align_ = align;
  anchors_ = {akLeft, akTop};
  static const TAnchors anchorsOf[] = {{akLeft, akTop}, {akLeft, akTop, akRight}, {akLeft, akRight, akBottom},
                                       {akLeft, akTop, akBottom}, {akRight, akTop, akBottom},
                                       {akLeft, akTop, akRight, akBottom}, {akLeft, akTop}};
  anchors_ = anchorsOf[align];
  if (old == alNone || align == alNone) UpdateAnchorRules();
  RequestAlign();
}

void TControl::SetAnchors(TAnchors anchors) {
  if (anchors == anchors_) return;
  anchors_ = anchors;
  if (!ComponentState().Contains(csLoading)) UpdateAnchorRules();
}

void TControl::RequestAlign() {
  if (parent_) parent_->AlignControl(this);
}

// Remembers where the control stands against its parent's size, so that anchored sides keep their
// distance when the parent changes size.
void TControl::UpdateAnchorRules() {
  if (anchorMove_ || ComponentState().Contains(csLoading)) return;
  if (anchors_ == TAnchors{akLeft, akTop}) {
    originalParentSize_ = {};
    return;
  }
  if (anchors_.Contains(akRight)) anchorRules_.X = anchors_.Contains(akLeft) ? width_ : left_;
  else anchorRules_.X = left_ + width_ / 2;
  if (anchors_.Contains(akBottom)) anchorRules_.Y = anchors_.Contains(akTop) ? height_ : top_;
  else anchorRules_.Y = top_ + height_ / 2;
  if (parent_) {
    TRect r = parent_->ClientRect();
    originalParentSize_ = {r.Width(), r.Height()};
  }
}

// --- state properties
void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Perform(CM_VISIBLECHANGED, value, 0);
  RequestAlign();
  SendDockNotification(CM_VISIBLECHANGED, value, 0);
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor color) {
  if (color == color_ && !parentColor_) return;
  bool changed = color != color_;
  color_ = color;
  parentColor_ = false;
  if (changed) Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  if (value == parentColor_) return;
  parentColor_ = value;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged(TObject*) {
  parentFont_ = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool value) {
  if (value == parentFont_) return;
  parentFont_ = value;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED);
}

std::string TControl::Text() {
  LRESULT length = Perform(WM_GETTEXTLENGTH);
  if (length <= 0) return {};
  std::string s(static_cast<size_t>(length) + 1, '\0');
  LRESULT got = Perform(WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
  s.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return s;
}

void TControl::SetText(const std::string& text) {
  if (Text() == text) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  Perform(CM_TEXTCHANGED);
  SendDockNotification(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TControl::SetShowHint(bool value) {
  if (value == showHint_ && !parentShowHint_) return;
  showHint_ = value;
  parentShowHint_ = false;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
  if (value == parentShowHint_) return;
  parentShowHint_ = value;
  if (parent_ && !ComponentState().Contains(csReading)) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = menu;
  if (menu) menu->FreeNotification(this);
}

bool TControl::MouseCapture() { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool value) {
  if (MouseCapture() == value) return;
  SetCaptureControl(value ? this : nullptr);
}

// --- painting
void TControl::InvalidateControl(bool isVisible, bool isOpaque) {
  if (!isVisible || !parent_ || !parent_->HandleAllocated()) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->Handle(), &r, !(isOpaque || parent_->ControlStyle().Contains(csOpaque)));
}

void TControl::Invalidate() { InvalidateControl(visible_, style_.Contains(csOpaque)); }

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  if (!visible_ || !parent_ || !parent_->HandleAllocated()) return;
  if (style_.Contains(csOpaque)) {
    HWND window = parent_->Handle();
    HDC dc = GetDC(window);
    if (!dc) return;
    IntersectClipRect(dc, left_, top_, left_ + width_, top_ + height_);
    parent_->PaintControls(dc, this);
    ReleaseDC(window, dc);
  } else {
    Invalidate();
    Update();
  }
}

void TControl::SetZOrder(bool topMost) {
  if (!parent_) return;
  SetZOrderPosition(topMost ? static_cast<int>(parent_->controls_.size()) - 1 : 0);
}

void TControl::SetZOrderPosition(int position) {
  auto& list = parent_->controls_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  int current = static_cast<int>(it - list.begin());
  position = std::clamp(position, 0, static_cast<int>(list.size()) - 1);
  if (position == current) return;
  list.erase(it);
  list.insert(list.begin() + position, this);
  InvalidateControl(visible_, true);
}

HDC TControl::GetDeviceContext(HWND& window) {
  if (!parent_) throw EInvalidOperation(Format("Control '%s' has no parent window", {Name()}));
  HDC dc = parent_->GetDeviceContext(window);
  SetViewportOrgEx(dc, left_, top_, nullptr);
  IntersectClipRect(dc, 0, 0, width_, height_);
  return dc;
}

// --- events
// A handler of the control's own goes first; otherwise the linked action runs.
void TControl::Click() {
  TBasicAction* action = Action();
  if (OnClick && (!action || !(OnClick == action->OnExecute))) OnClick(this);
  else if (actionLink_) actionLink_->Execute(this);
  else if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::DoContextPopup(TPoint mousePos, bool& handled) {
  if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

// --- mouse messages
void TControl::DoMouseDown(TMessage& m, TMouseButton button, TShiftState shift) {
  if (style_.Contains(csNoStdEvents)) return;
  TPoint p = m.Pos();
  MouseDown(button, KeysToShiftState(LOWORD(m.WParam)) + shift, p.X, p.Y);
}

void TControl::DoMouseUp(TMessage& m, TMouseButton button) {
  if (style_.Contains(csNoStdEvents)) return;
  TPoint p = m.Pos();
  MouseUp(button, KeysToShiftState(LOWORD(m.WParam)), p.X, p.Y);
}

void TControl::WMLButtonDown(TMessage& m) {
  SendCancelMode(this);
  DefaultHandler(m);
  if (style_.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (style_.Contains(csClickEvents)) state_.Include(csClicked);
  DoMouseDown(m, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& m) {
  SendCancelMode(this);
  DefaultHandler(m);
  if (style_.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (style_.Contains(csClickEvents)) DblClick();
  DoMouseDown(m, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& m) {
  DefaultHandler(m);
  if (style_.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (state_.Contains(csClicked)) {
    state_.Exclude(csClicked);
    if (ClientRect().Contains(m.Pos())) Click();
  }
  DoMouseUp(m, mbLeft);
}

void TControl::WMRButtonDown(TMessage& m) {
  DefaultHandler(m);
  DoMouseDown(m, mbRight, {});
}

void TControl::WMRButtonDblClk(TMessage& m) {
  DefaultHandler(m);
  DoMouseDown(m, mbRight, {ssDouble});
}

// A graphic control has no window whose default handling would ask for the context menu.
void TControl::WMRButtonUp(TMessage& m) {
  DefaultHandler(m);
  DoMouseUp(m, mbRight);
  if (m.Result == 0 && !Is<TWinControl>() && parent_) {
    TPoint p = ClientToScreen(m.Pos());
    Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(parent_->Handle()), PointToLParam(p));
  }
}

void TControl::WMMButtonDown(TMessage& m) {
  DefaultHandler(m);
  DoMouseDown(m, mbMiddle, {});
}

void TControl::WMMButtonDblClk(TMessage& m) {
  DefaultHandler(m);
  DoMouseDown(m, mbMiddle, {ssDouble});
}

void TControl::WMMButtonUp(TMessage& m) {
  DefaultHandler(m);
  DoMouseUp(m, mbMiddle);
}

void TControl::WMMouseMove(TMessage& m) {
  DefaultHandler(m);
  if (style_.Contains(csNoStdEvents)) return;
  TPoint p = m.Pos();
  MouseMove(KeysToShiftState(LOWORD(m.WParam)), p.X, p.Y);
}

// (-1, -1) is a request from the keyboard; the menu then opens at the control's origin.
void TControl::WMContextMenu(TMessage& m) {
  if (m.Result != 0) return;
  TPoint pt = m.Pos();
  bool keyboard = pt.X == -1 && pt.Y == -1;
  TPoint local = pt;
  if (!keyboard) {
    local = ScreenToClient(pt);
    if (!ClientRect().Contains(local)) {
      DefaultHandler(m);
      return;
    }
  }
  bool handled = false;
  DoContextPopup(local, handled);
  m.Result = handled;
  if (handled) return;
  TPopupMenu* menu = GetPopupMenu();
  if (menu && menu->AutoPopup()) {
    SendCancelMode(nullptr);
    menu->SetPopupComponent(this);
    if (keyboard) pt = ClientToScreen(TPoint(0, 0));
    menu->Popup(pt.X, pt.Y);
    m.Result = 1;
  }
  if (m.Result == 0) DefaultHandler(m);
}

void TControl::WMCancelMode(TMessage& m) {
  DefaultHandler(m);
  if (MouseCapture()) {
    SetMouseCapture(false);
    if (state_.Contains(csLButtonDown)) Perform(WM_LBUTTONUP, 0, PointToLParam(TPoint(-1, -1)));
  }
  state_.Exclude(csLButtonDown);
}

// --- framework messages
void TControl::CMVisibleChanged(TMessage&) { InvalidateControl(true, visible_ && style_.Contains(csOpaque)); }
void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage& m) {
  if (!parentFont_) return;
  if (m.WParam) SetFont(reinterpret_cast<TFont*>(m.LParam));
  else if (parent_) SetFont(parent_->Font());
  parentFont_ = true;
}

void TControl::CMParentColorChanged(TMessage& m) {
  if (!parentColor_) return;
  if (m.WParam) SetColor(static_cast<TColor>(m.LParam));
  else if (parent_) SetColor(parent_->Color());
  parentColor_ = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!parentShowHint_ || !parent_) return;
  SetShowHint(parent_->ShowHint());
  parentShowHint_ = true;
}

void TControl::CMHitTest(TMessage& m) { m.Result = HTCLIENT; }

// The parent hears of the entry too, with this control named in LParam; the control's own event
// fires only for the message about itself.
void TControl::CMMouseEnter(TMessage& m) {
  if (parent_) parent_->Perform(CM_MOUSEENTER, 0, m.LParam ? m.LParam : reinterpret_cast<LPARAM>(this));
  if (m.LParam == 0 && OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& m) {
  if (parent_) parent_->Perform(CM_MOUSELEAVE, 0, m.LParam ? m.LParam : reinterpret_cast<LPARAM>(this));
  if (m.LParam == 0 && OnMouseLeave) OnMouseLeave(this);
}
