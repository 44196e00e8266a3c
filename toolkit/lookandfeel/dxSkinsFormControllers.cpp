// Window controllers: subclassing a window and the painter that applies to it, and the controller
// of forms and MDI client areas, which takes over the non-client messages while a skin applies.
#include <windows.h>
#include <commctrl.h>

#include "StdCtrls.h"
#include "SysUtils.h"
#include "cxGeometry.h"
#include "dxSkinsForm.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TdxSkinWinController, TcxIUnknownObject)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TdxSkinFormController, TdxSkinWinController)

// Two steps, so that the subclassed window already reaches the whole object.
TdxSkinWinController* TdxSkinWinControllerClass::Create(HWND handle) const {
  auto* controller = new TdxSkinWinController;
  controller->SetHandle(handle);
  return controller;
}

TdxSkinWinController* TdxSkinFormControllerClass::Create(HWND handle) const {
  auto* controller = new TdxSkinFormController;
  controller->SetHandle(handle);
  controller->NonClientAreaInfo()->ReadCaption();
  if (TdxSkinWinController::IsMessageForm(handle)) controller->PrepareMessageForm();
  return controller;
}

// ---------------------------------------------------------------------------------------------
// TdxSkinWinController
TdxSkinWinController::~TdxSkinWinController() {
  EndMouseTracking(this);
  SetHandle(nullptr);
  ClearObjectLinks(this);
}

void TdxSkinWinController::SetHandle(HWND handle) {
  Unsubclass();
  handle_ = handle;
  control_ = handle ? FindControl(handle) : nullptr;
  Refresh();
}

TdxSkinPainterClass TdxSkinWinController::GetPainter() const { return owner_ ? owner_->GetPainter() : painter_; }

bool TdxSkinWinController::IsSkinActive() const { return GetPainter() != nullptr; }

TdxSkinWinController* TdxSkinWinController::GetOwner(HWND handle) {
  return IsMDIClient(handle) ? FindControllerByHandle(GetParent(handle)) : nullptr;
}

// A control of the framework gets the controller's handler in front of its own message handler
// (so that Perform reaches it too); a foreign window is subclassed in front of its window procedure.
void TdxSkinWinController::Subclass() {
  if (!handle_ || !IsWindow(handle_)) return;
  Unsubclass();
  const TWndMethod method = MakeEvent(this, &TdxSkinWinController::SubclassedWndProc);
  if (control_) {
    savedControlProc_ = control_->WindowProc();
    control_->SetWindowProc(method);
  } else {
    subclass_ = std::make_unique<TWindowSubclass>(handle_, method);
  }
}

void TdxSkinWinController::Unsubclass() {
  if (savedControlProc_) {
    if (control_) control_->SetWindowProc(savedControlProc_);
    savedControlProc_ = {};
  }
  subclass_.reset();
}

TColor SkinContentTextColor(TdxSkinPainterClass painter) {
  TdxSkinLookAndFeelPainterInfo* info = painter ? painter->GetSkinInfo() : nullptr;
  TdxSkinElement* content = info ? info->Element(seFormContent) : nullptr;
  return content ? content->TextColor() : clDefault;
}

// A child without a window of its own (a framework label) asks for its text colour as a static
// control does, naming no window: it is told the skin's text colour and to leave the background,
// which the skinned window painted under it.
bool TdxSkinWinController::AnswerWindowlessColorQuery(TMessage& m) {
  if (m.Msg != WM_CTLCOLORSTATIC || m.LParam || !IsSkinActive()) return false;
  const TColor text = SkinContentTextColor(GetPainter());
  if (text == clDefault) return false;
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, ColorToRGB(text));
  SetBkMode(dc, TRANSPARENT);
  m.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  return true;
}

void TdxSkinWinController::Refresh() {
  Subclass();
  FrameChanged();
  Redraw(HasNonWindowedChild());
}

void TdxSkinWinController::CallDefault(TMessage& message) {
  if (subclass_) subclass_->CallOriginal(message);
  else if (savedControlProc_) savedControlProc_(message);
}

void TdxSkinWinController::FrameChanged() {
  if (handle_)
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TdxSkinWinController::Redraw(bool updateNow) {
  if (handle_)
    RedrawWindow(handle_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | (updateNow ? RDW_UPDATENOW : 0));
}

bool TdxSkinWinController::HasNonWindowedChild() const {
  auto* container = ObjectAs<TWinControl>(control_);
  if (!container) return false;
  for (int i = 0; i < container->ControlCount(); ++i)
    if (!container->Controls(i)->Is<TWinControl>()) return true;
  return false;
}

bool TdxSkinWinController::IsMDIChild(HWND handle) {
  auto* form = ObjectAs<TCustomForm>(FindControl(handle));
  return form && form->FormStyle() == fsMDIChild;
}

// ---------------------------------------------------------------------------------------------
// TdxSkinFormController
TdxSkinFormController::TdxSkinFormController()
    : info_(std::make_unique<TdxSkinFormNonClientAreaInfo>(this)),
      painter_(std::make_unique<TdxSkinFormPainter>(info_.get())) {}

TdxSkinFormController::~TdxSkinFormController() {
  EndMouseTracking(this);
  SetHandle(nullptr);
}

TCustomForm* TdxSkinFormController::Form() const { return ObjectAs<TCustomForm>(Control()); }

bool TdxSkinFormController::IsSkinActive() const { return TdxSkinWinController::IsSkinActive() && info_; }

// A message box's labels show the skinned background through.
void TdxSkinFormController::PrepareMessageForm() {
  TCustomForm* form = Form();
  if (!form) return;
  for (int i = form->ControlCount() - 1; i >= 0; --i)
    if (auto* label = ObjectAs<TCustomLabel>(form->Controls(i))) label->SetTransparent(true);
}

void TdxSkinFormController::Refresh() {
  TdxSkinWinController::Refresh();
  if (regionSet_ && !IsSkinActive() && Handle() && Form()) {
    regionSet_ = false;
    SetWindowRgn(Handle(), nullptr, FALSE);
  }
  RemoveClientEdge();
}

void TdxSkinFormController::RemoveClientEdge() {
  if (!Owner() || !Handle()) return;
  LONG exStyle = GetWindowLongA(Handle(), GWL_EXSTYLE);
  if (!(exStyle & WS_EX_CLIENTEDGE)) return;
  SetWindowLongA(Handle(), GWL_EXSTYLE, exStyle & ~WS_EX_CLIENTEDGE);
  FrameChanged();
}

void TdxSkinFormController::WndProc(TMessage& message) {
  if (message.Msg == WM_SETTEXT) return WMSetText(message);
  if (IsSkinActive() && HandleMessage(message)) return;
  CallDefault(message);
}

bool TdxSkinFormController::HandleMessage(TMessage& m) {
  if (!IsSkinActive()) return false;
  CheckRegion(false);
  if (pendingRedraw_) {
    RedrawNonClientArea();
    pendingRedraw_ = false;
  }
  if (HandleRegisteredMessage(m) || AnswerWindowlessColorQuery(m)) return true;
  switch (m.Msg) {
    case WM_DESTROY:
    case WM_MDIDESTROY:
      if (m.WParam) CallDefault(m);
      else WMDestroy(m);
      break;
    case WM_SIZE: WMSize(m); break;
    case WM_ACTIVATE:
      CallDefault(m);
      RedrawNonClientArea();
      break;
    case WM_ERASEBKGND: WMEraseBkgnd(m); break;
    case 0x003F: RemoveClientEdge(); break;
    case WM_NCCALCSIZE: WMNCCalcSize(m); break;
    case WM_NCHITTEST: WMNCHitTest(m); break;
    case WM_NCPAINT: WMNCPaint(m); break;
    case WM_NCACTIVATE: WMNCActivate(m); break;
    case WM_SYNCPAINT:
    case 0x00AE:
    case 0x00AF: RedrawNonClientArea(); break;
    case WM_NCMOUSEMOVE: WMNCMouseMove(m); break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDown(m); break;
    case WM_NCLBUTTONUP: WMNCLButtonUp(m); break;
    case WM_SYSCOMMAND: WMSysCommand(m); break;
    case WM_HSCROLL:
    case WM_VSCROLL: WMScroll(m); break;
    case WM_SIZING: CallDefault(m); break;
    case WM_THEMECHANGED: info_->ForgetVisualStyles(); return false;
    default: return false;
  }
  return true;
}

// The messages numbered at run time; true when the message was one of them.
bool TdxSkinFormController::HandleRegisteredMessage(TMessage& m) {
  if (m.Msg == WM_CHILDCHANGED) {
    if (info_->UpdateChildCaption()) RedrawNonClientArea();
  } else if (CXM_SKINSTATECHANGED && m.Msg == CXM_SKINSTATECHANGED) {
    RequeryFormPainter(this);
  } else if (m.Msg == WM_POSTREDRAW) {
    Redraw(false);
  } else if (m.Msg == WM_POSTCHECKRGN) {
    CheckRegion(NeedRegion(IsZoomed(Handle()) ? SIZE_MAXIMIZED : SIZE_RESTORED));
  } else {
    return false;
  }
  return true;
}

void TdxSkinFormController::WMDestroy(TMessage& m) {
  SetPainter(nullptr);
  CallDefault(m);
  Unsubclass();
}

void TdxSkinFormController::WMSize(TMessage& m) {
  CallDefault(m);
  CheckRegion(NeedRegion(m.WParam));
}

void TdxSkinFormController::WMEraseBkgnd(TMessage& m) {
  PaintClientBackground(reinterpret_cast<HDC>(m.WParam));
  m.Result = 1;
}

void TdxSkinFormController::WMSysCommand(TMessage& m) {
  TcxObjectLinkGuard link(this);
  CallDefault(m);
  if (link.Alive()) RedrawNonClientArea();
}

void TdxSkinFormController::CalculateNonClientArea() { info_->Calculate(); }

namespace {
// One paint of the form painter on a device context (the window's own when none), ended also when
// the painting failed.
class TFormPaintScope {
 public:
  TFormPaintScope(TdxSkinFormPainter* painter, HDC dc) : painter_(painter) { painter_->BeginPaint(dc); }
  ~TFormPaintScope() { painter_->EndPaint(); }
  TFormPaintScope(const TFormPaintScope&) = delete;
  TFormPaintScope& operator=(const TFormPaintScope&) = delete;

 private:
  TdxSkinFormPainter* painter_;
};
}  // namespace

void TdxSkinFormController::PaintClientBackground(HDC dc) {
  TFormPaintScope scope(painter_.get(), dc);
  painter_->PaintClientBackground();
}

void TdxSkinFormController::RedrawNonClientArea() {
  TFormPaintScope scope(painter_.get(), nullptr);
  painter_->PaintNonClientArea();
}

// ---------------------------------------------------------------------------------------------
// Region and redraw lock
void TdxSkinFormController::CheckRegion(bool use) {
  if (!Handle()) return;
  if (use) {
    regionSet_ = true;
    RECT r;
    GetWindowRect(Handle(), &r);
    SetWindowRgn(Handle(), CreateRectRgn(0, 0, r.right - r.left, r.bottom - r.top), TRUE);
  } else if (IsZoomed(Handle()) && regionSet_) {
    regionSet_ = false;
    LockRedraw();
    SetWindowRgn(Handle(), nullptr, FALSE);
    UnlockRedraw();
    PostMessageA(Handle(), WM_POSTREDRAW, 0, 0);
  }
}

// A skinned form keeps a rectangular region (no rounded corners of the system's) except while it
// is maximized at top level.
bool TdxSkinFormController::NeedRegion(WPARAM sizeType) {
  TCustomForm* form = Form();
  if (!form) return sizeType != SIZE_MAXIMIZED;
  if (form->BorderStyle() == bsNone) return false;
  return sizeType != SIZE_MAXIMIZED || form->Parent() != nullptr;
}

void TdxSkinFormController::LockRedraw() {
  if (redrawLock_++ == 0 && Handle()) DefWindowProcA(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TdxSkinFormController::UnlockRedraw() {
  if (redrawLock_-- == 1 && Handle()) DefWindowProcA(Handle(), WM_SETREDRAW, TRUE, 0);
}

// ---------------------------------------------------------------------------------------------
// Non-client size, hit test and painting
void TdxSkinFormController::WMNCCalcSize(TMessage& m) {
  auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
  const RECT proposed = params->rgrc[0];
  CallDefault(m);
  CalculateNonClientArea();
  if (!m.WParam || !info_->DrawsFrame()) return;
  TRect margins = info_->FrameWidths();
  const DWORD style = GetWindowLongA(Handle(), GWL_STYLE);
  if (style & WS_VSCROLL) margins.Right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) margins.Bottom += GetSystemMetrics(SM_CYHSCROLL);
  if ((style & WS_MAXIMIZE) && (style & WS_THICKFRAME)) {
    const TSize border = info_->BorderSize();
    margins.Left += GetSystemMetrics(SM_CXFRAME) - border.cx;
    margins.Right += GetSystemMetrics(SM_CXFRAME) - border.cx;
    margins.Top += GetSystemMetrics(SM_CYFRAME) - border.cy;
    if (style & WS_VSCROLL) margins.Right += border.cx - info_->FrameWidths().Right;
    if (style & WS_HSCROLL) margins.Bottom += border.cy - info_->FrameWidths().Bottom;
  }
  params->rgrc[0] = {proposed.left + margins.Left, proposed.top + margins.Top, proposed.right - margins.Right,
                     proposed.bottom - margins.Bottom};
}

void TdxSkinFormController::WMNCHitTest(TMessage& m) {
  m.Result = info_->HitTest(m.Pos(), static_cast<int>(m.Result));
  if (m.Result == HTNOWHERE || m.Result == HTSYSMENU) CallDefault(m);
}

void TdxSkinFormController::WMNCPaint(TMessage& m) {
  CalculateNonClientArea();
  RedrawNonClientArea();
  RECT window;
  GetWindowRect(Handle(), &window);
  HRGN rest = CreateRectRgnIndirect(&window);
  HRGN skinned = info_->GetNonClientRegion();
  CombineRgn(rest, rest, skinned, RGN_XOR);
  DeleteObject(skinned);
  if (!info_->HasMenuBar() && !info_->IsMDIClientArea()) {
    DeleteObject(rest);
    return;
  }
  if (m.WParam != 1) {
    CombineRgn(rest, rest, reinterpret_cast<HRGN>(m.WParam), RGN_AND);
    DeleteObject(reinterpret_cast<HRGN>(m.WParam));
  }
  m.WParam = reinterpret_cast<WPARAM>(rest);
  CallDefault(m);
  DeleteObject(rest);
}

void TdxSkinFormController::WMNCActivate(TMessage& m) {
  info_->SetActive(m.WParam != 0);
  if (HWND client = FindWindowExA(Handle(), nullptr, "MDICLIENT", nullptr))
    if (HWND child = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)))
      SendMessageA(child, WM_NCACTIVATE, m.WParam, 0);
  if (IsMDIChild(Handle())) {
    // The system updates its state without painting its own caption while the child looks hidden.
    const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
    SetWindowLongA(Handle(), GWL_STYLE, style & ~WS_VISIBLE);
    m.Result = DefWindowProcA(Handle(), WM_NCACTIVATE, m.WParam, 0);
    SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) | (style & WS_VISIBLE));
  } else {
    m.Result = 1;
  }
  RedrawNonClientArea();
}

// ---------------------------------------------------------------------------------------------
// Caption buttons and scroll-bar parts under the mouse
bool TdxSkinFormController::UpdateHotPart(bool force) {
  bool changed = info_->UpdateButtonStates();
  const TPoint origin(info_->WindowInfo().rcWindow.left, info_->WindowInfo().rcWindow.top);
  int bar = 0, part = 0;
  const TdxCaptionButtonKind active = info_->HotButton() ? info_->HotButton() : info_->PressedButton();
  if (active) {
    BeginMouseTracking(nullptr, RectOffsetByPoint(info_->ButtonRect(active), origin), this);
  } else if (info_->ScrollPartAtCursor(bar, part)) {
    changed = !IsMouseTracking(this);
    BeginMouseTracking(nullptr, RectOffsetByPoint(info_->ScrollPartRect(bar, part), origin), this);
  } else {
    changed = changed || IsMouseTracking(this);
    EndMouseTracking(this);
  }
  if (changed || force) FrameChanged();
  return changed;
}

void TdxSkinFormController::MouseLeave() {
  UnlockRedraw();
  UpdateHotPart(true);
  UpdateWindow(Handle());
  LockRedraw();
}

void TdxSkinFormController::WMNCMouseMove(TMessage& m) {
  if (UpdateHotPart(false)) return;
  m.WParam = HTNOWHERE;  // the system never shows its own hot caption buttons
  CallDefault(m);
  RedrawNonClientArea();
}

// Minimize, maximize, restore and close are only recorded here; the button-up runs them.
void TdxSkinFormController::WMNCLButtonDown(TMessage& m) {
  TcxObjectLinkGuard link(this);
  pendingRedraw_ = true;
  info_->TakePressedButton(false);
  info_->UpdateButtonStates();
  const bool onScrollBar = m.WParam == HTHSCROLL || m.WParam == HTVSCROLL;
  if (onScrollBar) LockRedraw();
  const TdxCaptionButtonKind under = info_->ButtonAtCursor();
  if (under == cbIcon || under == cbHelp) CallDefault(m);
  if (!link.Alive()) return;
  if (onScrollBar) UnlockRedraw();
  UpdateHotPart(true);
  RedrawNonClientArea();
  m.Result = 0;
}

void TdxSkinFormController::WMNCLButtonUp(TMessage& m) {
  const TdxCaptionButtonKind button = info_->TakePressedButton(true);
  if (button == cbIcon || button == cbHelp) {
    CallDefault(m);
    UpdateHotPart(true);
    return;
  }
  UpdateHotPart(true);
  static constexpr WPARAM commands[6] = {0, 0, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE};
  SendMessageA(Handle(), WM_SYSCOMMAND, commands[button], 0);
}

void TdxSkinFormController::WMScroll(TMessage& m) {
  const int bar = m.Msg == WM_HSCROLL ? 0 : 1;
  if (m.WParamLo() == SB_THUMBTRACK) {
    info_->SetTrackedBar(bar);
    SetTrackPos(bar, static_cast<int16_t>(m.WParamHi()));
  } else {
    info_->SetTrackedBar(2);
  }
  LockRedraw();
  struct TRelock {
    TdxSkinFormController* c;
    ~TRelock() { c->LockRedraw(); }
  };
  CallDefault(m);
  UnlockRedraw();
  UnlockRedraw();
  TRelock relock{this};
  Redraw(true);
}

void TdxSkinFormController::SetTrackPos(int bar, int position) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_TRACKPOS};
  if (FlatSB_GetScrollInfo(Handle(), bar, &info)) position = info.nTrackPos;
  FlatSBSetScrollPosProc(Handle(), bar, position, FALSE);
}

void TdxSkinFormController::WMSetText(TMessage& m) {
  CallDefault(m);
  if (!m.LParam) info_->SetCaption("");
  else if (IsWindowUnicode(Handle()))
    info_->SetCaption(WideToAnsi(reinterpret_cast<const char16_t*>(m.LParam)));
  else
    info_->SetCaption(reinterpret_cast<const char*>(m.LParam));
  FrameChanged();
}
