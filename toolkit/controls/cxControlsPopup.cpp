// The toolkit's popup window (placed beside or below an owner rectangle) and the base of its hint
// windows.
#include <algorithm>
#include <string>

#include "ExtCtrls.h"
#include "cxControls.h"

CALDERAN_IMPLEMENT_CLASS(TcxPopupWindow, TForm)
CALDERAN_IMPLEMENT_CREATABLE(TcxBaseHintWindow, THintWindow, TComponent*)

namespace {

// Step 2 of the placement: the popup on the side its alignments name, and the anchor point that
// picks the monitor.
void PlaceBySide(TcxPopupDirection direction, TcxPopupAlignHorz horz, TcxPopupAlignVert vert, const TRect& o,
                 TSize size, TPoint& p, TPoint& anchor) {
  const bool vertical = direction == pdVertical;
  if (horz == pahLeft) p.X = vertical ? o.Left : o.Left - size.cx, anchor.X = o.Left;
  if (horz == pahRight) p.X = vertical ? o.Right - size.cx : o.Right, anchor.X = o.Right;
  if (vert == pavTop) p.Y = vertical ? o.Top - size.cy : o.Top, anchor.Y = o.Top;
  if (vert == pavBottom) p.Y = vertical ? o.Bottom : o.Bottom - size.cy, anchor.Y = o.Bottom;
}

// Step 4: to the other side when the popup does not fit and there is more room there.
void FlipIfNoRoom(const TcxPopupPlacement& placement, const TRect& o, TSize size, const TRect& wa, const TPoint& p,
                  TcxPopupAlignHorz& horz, TcxPopupAlignVert& vert) {
  if (placement.Direction == pdVertical) {
    const bool moreRoomAbove = wa.Bottom - o.Bottom < o.Top - wa.Top;
    if (vert == pavBottom && wa.Bottom < p.Y + size.cy && moreRoomAbove) vert = pavTop;
    else if (vert == pavTop && p.Y < wa.Top && !moreRoomAbove) vert = pavBottom;
  } else {
    const bool moreRoomLeft = wa.Right - o.Right < o.Left - wa.Left;
    if (horz == pahRight && wa.Right < p.X + size.cx && moreRoomLeft) horz = pahLeft;
    else if (horz == pahLeft && p.X < wa.Left && !moreRoomLeft) horz = pahRight;
  }
}

int ClampStart(int start, int length, int low, int high) {
  if (start + length > high) start = high - length;
  return std::max(start, low);
}

using TAnimateWindow = BOOL(WINAPI*)(HWND, DWORD, DWORD);

TAnimateWindow AnimateWindowRoutine() {
  HMODULE user = GetModuleHandleA("user32.dll");
  return user ? reinterpret_cast<TAnimateWindow>(reinterpret_cast<void*>(GetProcAddress(user, "AnimateWindow"))) : nullptr;
}

constexpr DWORD HintAnimationFlags[] = {AW_HOR_POSITIVE, AW_HOR_NEGATIVE, AW_VER_POSITIVE, AW_VER_NEGATIVE,
                                        AW_CENTER,       AW_HIDE,         AW_ACTIVATE,     AW_BLEND};
constexpr size_t HintAnimationMaxLength = 100;

bool SystemFlag(UINT action) {
  BOOL value = FALSE;
  return SystemParametersInfoA(action, 0, &value, 0) && value;
}

}  // namespace

// The side the popup opens to is never clamped to the work area; only the other axis is.
TPoint CalculatePopupPosition(const TcxPopupPlacement& placement, const TRect& o, TSize size,
                              TRect (*workAreaAt)(const TPoint&)) {
  TcxPopupAlignHorz horz = placement.AlignHorz;
  TcxPopupAlignVert vert = placement.AlignVert;
  TPoint p, anchor;
  if (horz == pahCenter) p.X = anchor.X = (o.Left + o.Right - size.cx) / 2;
  if (vert == pavCenter) p.Y = anchor.Y = (o.Top + o.Bottom - size.cy) / 2;
  PlaceBySide(placement.Direction, horz, vert, o, size, p, anchor);
  const TRect wa = workAreaAt(anchor);
  FlipIfNoRoom(placement, o, size, wa, p, horz, vert);
  if (placement.Direction == pdVertical) PlaceBySide(pdVertical, pahCenter, vert, o, size, p, anchor);
  else PlaceBySide(pdHorizontal, horz, pavCenter, o, size, p, anchor);
  if (placement.Direction == pdVertical || horz == pahCenter) p.X = ClampStart(p.X, size.cx, wa.Left, wa.Right);
  if (placement.Direction == pdHorizontal || vert == pavCenter) p.Y = ClampStart(p.Y, size.cy, wa.Top, wa.Bottom);
  return p;
}

// ---------------------------------------------------------------------------------------------
// TcxPopupWindow

TcxPopupWindow::TcxPopupWindow(TComponent* owner) : TForm(owner, 0) {
  canvas_ = std::make_unique<TcxCanvas>(Canvas());
  TForm::SetBorderStyle(bsNone);
  SetDefaultMonitor(dmDesktop);
  SetFormStyle(fsStayOnTop);
}

TcxPopupWindow::~TcxPopupWindow() = default;

void TcxPopupWindow::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  if (popupParentWindow_) params.WndParent = popupParentWindow_;
}

int TcxPopupWindow::GetBorderWidth(TcxBorder) {
  static constexpr int widths[] = {0, 1, 1, 2};
  return widths[borderStyle_];
}

int TcxPopupWindow::GetBorderSpace(TcxBorder side) { return GetBorderWidth(side) + borderSpace_; }

TRect TcxPopupWindow::GetClientBounds() {
  const TRect r = ClientRect();
  return TRect(r.Left + GetBorderSpace(bLeft), r.Top + GetBorderSpace(bTop), r.Right - GetBorderSpace(bRight),
               r.Bottom - GetBorderSpace(bBottom));
}

TRect TcxPopupWindow::GetOwnerScreenBounds() {
  if (!ownerParent_) return ownerBounds_;
  return TRect(ownerParent_->ClientToScreen(ownerBounds_.TopLeft()), ownerParent_->ClientToScreen(ownerBounds_.BottomRight()));
}

void TcxPopupWindow::MoveChildren(int dx, int dy) {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    child->SetBounds(child->Left() + dx, child->Top() + dy, child->Width(), child->Height());
  }
}

// The children move back out of the old frame's space; the next CalculateSize adds the new one.
void TcxPopupWindow::SetBorderStyle(TcxPopupBorderStyle value) {
  MoveChildren(-GetBorderSpace(bLeft), -GetBorderSpace(bTop));
  borderStyle_ = value;
}

void TcxPopupWindow::CalculateSize() {
  if (!adjustable_ || ControlCount() == 0) return;
  int maxRight = 0, maxBottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    const TRect r = Controls(i)->BoundsRect();
    maxRight = std::max(maxRight, r.Right);
    maxBottom = std::max(maxBottom, r.Bottom);
  }
  MoveChildren(GetBorderSpace(bLeft), GetBorderSpace(bTop));
  SetBounds(Left(), Top(), GetBorderSpace(bLeft) + maxRight + GetBorderSpace(bRight),
            GetBorderSpace(bTop) + maxBottom + GetBorderSpace(bBottom));
}

TPoint TcxPopupWindow::CalculatePosition() {
  const TcxPopupPlacement placement{direction_, alignHorz_, alignVert_};
  return CalculatePopupPosition(placement, GetOwnerScreenBounds(), TSize(Width(), Height()), &GetWorkAreaAtPoint);
}

void TcxPopupWindow::InitPopup() {
  if (ownerParent_) Font()->Assign(ownerParent_->Font());
}

void TcxPopupWindow::Popup() {
  InitPopup();
  CalculateSize();
  const TPoint p = CalculatePosition();
  SetBounds(p.X, p.Y, Width(), Height());
  Show();
}

void TcxPopupWindow::DrawFrame() {
  if (borderStyle_ == pbsNone) return;
  TCanvas* canvas = Canvas();
  TRect r(0, 0, Width(), Height());
  if (borderStyle_ == pbsFlat) {
    canvas->Brush()->SetColor(frameColor_);
    canvas->FrameRect(r);
    return;
  }
  if (borderStyle_ == pbsDouble3D) {
    Frame3D(canvas, r, cl3DLight, cl3DDkShadow, 1);
  }
  Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
}

void TcxPopupWindow::Paint() {
  TForm::Paint();
  DrawFrame();
}

void TcxPopupWindow::Deactivate() {
  TForm::Deactivate();
  ClosePopup();
}

void TcxPopupWindow::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_ACTIVATE: WMActivate(m); break;
    case WM_ACTIVATEAPP: WMActivateApp(m); break;
    case CM_VISIBLECHANGED: TForm::Dispatch(m); VisibleChanged(); break;
    default: TForm::Dispatch(m);
  }
}

// The window that was active keeps its active caption while the popup is open.
void TcxPopupWindow::WMActivate(TMessage& m) {
  TForm::Dispatch(m);
  if (LOWORD(m.WParam) == WA_INACTIVE) return;
  prevActiveWindow_ = reinterpret_cast<HWND>(m.LParam);
  if (prevActiveWindow_) SendMessageA(prevActiveWindow_, WM_NCACTIVATE, TRUE, 0);
}

void TcxPopupWindow::WMActivateApp(TMessage& m) {
  TForm::Dispatch(m);
  if (m.WParam) return;
  if (prevActiveWindow_) SendMessageA(prevActiveWindow_, WM_NCACTIVATE, FALSE, 0);
  ClosePopup();
}

// ---------------------------------------------------------------------------------------------
// TcxBaseHintWindow

TcxHintAnimationStyle ResolveHintAnimationStyle(TcxHintAnimationStyle style, bool tooltipAnimation, bool tooltipFade) {
  if (style == cxhaNone || !tooltipAnimation) return cxhaNone;
  if (style != cxhaAuto) return style;
  return tooltipFade ? cxhaFadeIn : cxhaSlideDownward;
}

TcxBaseHintWindow::TcxBaseHintWindow(TComponent* owner) : THintWindow(owner) {}

TcxHintAnimationStyle TcxBaseHintWindow::GetAnimationStyle() const {
  return ResolveHintAnimationStyle(animationStyle_, SystemFlag(SPI_GETTOOLTIPANIMATION), SystemFlag(SPI_GETTOOLTIPFADE));
}

void TcxBaseHintWindow::CreateParams(TCreateParams& params) {
  THintWindow::CreateParams(params);
  if (standardHint_) return;
  if (!border_) params.Style &= ~WS_BORDER;
  params.ExStyle |= WS_EX_TOPMOST;
}

void TcxBaseHintWindow::Dispatch(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND && !eraseBackground_) m.Result = 1;
  else THintWindow::Dispatch(m);
}

void TcxBaseHintWindow::SetBounds(int left, int top, int width, int height) {
  const TRect work = GetWorkAreaAtPoint(TPoint(left, top));
  left = std::max(std::min(left, work.Right - width), work.Left);
  top = std::max(std::min(top, work.Bottom - height), work.Top);
  THintWindow::SetBounds(left, top, width, height);
}

void TcxBaseHintWindow::ActivateHint(const TRect& rect, const std::string& hint) {
  if (standardHint_) return THintWindow::ActivateHint(rect, hint);
  SetCaption(hint);
  SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
  const bool systemFlag = IsWinXPOrLater();
  if (systemFlag) PrepareShow();
  if (hint.size() < HintAnimationMaxLength && AnimateWindowRoutine()) Animate();
  if (!systemFlag) PrepareShow();
  ShowNoActivate();
  Invalidate();
}

void TcxBaseHintWindow::Animate() {
  const TcxHintAnimationStyle style = GetAnimationStyle();
  if (style == cxhaNone) return;
  if (!IsWinXPOrLater()) RemoveWindowRegion();
  if (TAnimateWindow animate = AnimateWindowRoutine())
    animate(Handle(), static_cast<DWORD>(animationDelay_), HintAnimationFlags[style] | AW_SLIDE);
}

void TcxBaseHintWindow::RemoveWindowRegion() { SetWindowRgn(Handle(), nullptr, TRUE); }

void TcxBaseHintWindow::ShowNoActivate() {
  SetWindowPos(Handle(), HWND_TOPMOST, Left(), Top(), Width(), Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
}
