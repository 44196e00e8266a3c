// The editor popup window: its settings, size and position against the editor, its window region,
// the character channel from the editor, the close button and resizing with the mouse.
#include <windows.h>

#include <algorithm>

#include "Forms.h"
#include "cxDWMApi.h"
#include "cxDropDownEdit.h"

CALDERAN_IMPLEMENT_CLASS(TcxCustomEditPopupWindow, TcxCustomPopupWindow)

namespace {

constexpr int ShadowWidth = cxContainerShadowWidth;

// Cursor for the sizing directions, indexed by [horizontal + 1][vertical + 1].
constexpr TCursor sizingCursors[3][3] = {
    {crSizeNWSE, crSizeWE, crSizeNESW}, {crSizeNS, crDefault, crSizeNS}, {crSizeNESW, crSizeWE, crSizeNWSE}};

int ExtentsWidth(const TRect& e) { return e.Left + e.Right; }
int ExtentsHeight(const TRect& e) { return e.Top + e.Bottom; }

}  // namespace

TcxCustomEditPopupWindow::TcxCustomEditPopupWindow(TcxCustomDropDownEdit* edit,
                                                   TcxCustomEditPopupWindowViewInfo* viewInfo)
    : TcxCustomPopupWindow(edit, viewInfo) {
  PopupViewInfo()->CloseBtnState = cxbsNormal;
}

TcxCustomEditPopupWindow::~TcxCustomEditPopupWindow() { sizeFrame_.reset(); }

TcxCustomDropDownEdit* TcxCustomEditPopupWindow::Edit() const {
  return static_cast<TcxCustomDropDownEdit*>(OwnerControl());
}

void TcxCustomEditPopupWindow::SetPopupBorderStyle(TcxEditPopupBorderStyle value) {
  borderStyle_ = value;
  PopupViewInfo()->PopupBorder = value;
}
void TcxCustomEditPopupWindow::SetClientEdge(bool value) { clientEdge_ = PopupViewInfo()->HasClientEdge = value; }
void TcxCustomEditPopupWindow::SetCloseButton(bool value) { closeButton_ = PopupViewInfo()->HasCloseButton = value; }
void TcxCustomEditPopupWindow::SetNativeStyle(bool value) { nativeStyle_ = PopupViewInfo()->UseNativeStyle = value; }
void TcxCustomEditPopupWindow::SetShadow(bool value) { shadow_ = PopupViewInfo()->DropShadow = value; }
void TcxCustomEditPopupWindow::SetSizeable(bool value) { sizeable_ = PopupViewInfo()->CanSize = value; }
void TcxCustomEditPopupWindow::SetSysPanel(bool value) { sysPanel_ = PopupViewInfo()->ShowsSysPanel = value; }

bool TcxCustomEditPopupWindow::CanFitToWorkArea() { return Edit()->ActiveProperties()->FitsPopupToWorkArea(); }

void TcxCustomEditPopupWindow::TakeOwnerBounds() { SetOwnerBounds(Edit()->PopupOwnerRect()); }

TRect TcxCustomEditPopupWindow::EditScreenRect() {
  TcxCustomDropDownEdit* edit = Edit();
  const TPoint origin = edit->HandleAllocated() ? edit->ClientToScreen(TPoint(0, 0)) : TPoint(edit->Left(), edit->Top());
  return TRect(origin.X, origin.Y, origin.X + edit->Width(), origin.Y + edit->Height());
}

// ---------------------------------------------------------------------------------------------
// Size and position

TSize TcxCustomEditPopupWindow::CalcMinSize() {
  TcxCustomEditPopupWindowViewInfo* vi = PopupViewInfo();
  const TRect e = vi->GetClientExtents();
  TSize size(ExtentsWidth(e), ExtentsHeight(e));
  if (sizeable_ && sysPanel_) {
    vi->CalculateLayout();
    size.cx += vi->CloseBtnRect.Width() + vi->GripHitRect.Width() + 10;
  }
  return size;
}

void TcxCustomEditPopupWindow::CalculateSize() {
  PopupViewInfo()->GripCorner = pgcBottomRight;
  TakeOwnerBounds();
  const TRect e = PopupViewInfo()->GetClientExtents();
  const TSize m = CalcMinSize();
  const TSize c = Edit()->GetPopupClientSize();
  int width = autoSize_ ? ExtentsWidth(e) + c.cx : (popupWidth_ != 0 ? popupWidth_ : OwnerBounds().Width());
  if (sizeable_ && minWidth_ > 0) width = std::max(width, minWidth_);
  width = std::max<int>(width, m.cx);
  int height = autoSize_ ? ExtentsHeight(e) + c.cy : (popupHeight_ > 0 ? popupHeight_ : std::max<int>(m.cy, minHeight_));
  if (sizeable_ && minHeight_ > 0) height = std::max(height, minHeight_);
  height = std::max<int>(height, m.cy);
  SetBounds(Left(), Top(), width, height);
}

TPoint TcxCustomEditPopupWindow::CalculatePosition() {
  TakeOwnerBounds();
  TPoint p = TcxCustomPopupWindow::CalculatePosition();
  const TRect o = GetOwnerScreenBounds();
  const TRect a = GetWorkAreaAtPoint(p);
  const int right = p.X + Width(), bottom = p.Y + Height();
  const bool toLeft = (AlignHorz() == pahRight && right == o.Right && p.X > a.Left) || right == o.Left ||
                      (right == a.Right && p.X < o.Right);
  const bool upwards = (AlignVert() == pavBottom && bottom == o.Bottom && p.Y > a.Top) || bottom == o.Top ||
                       (bottom == a.Bottom && p.Y < o.Bottom);
  PopupViewInfo()->GripCorner = upwards ? (toLeft ? pgcTopLeft : pgcTopRight) : (toLeft ? pgcBottomLeft : pgcBottomRight);
  if (shadow_ && upwards) p.Y += ShadowWidth;
  return p;
}

TSize TcxCustomEditPopupWindow::AvailableClientSize() {
  const TRect editRect = EditScreenRect();
  const TRect a = GetWorkAreaAtPoint(editRect.TopLeft());
  const int s = shadow_ ? ShadowWidth : 0;
  TSize size;
  if (Direction() == pdVertical)
    size = TSize(a.Width(), std::max<int>(a.Bottom - editRect.Bottom, editRect.Top + s - a.Top));
  else
    size = TSize(std::max<int>(a.Right - editRect.Right, editRect.Left + s - a.Left) + 1, a.Height());
  const TRect e = PopupViewInfo()->GetClientExtents();
  return TSize(size.cx - ExtentsWidth(e), size.cy - ExtentsHeight(e));
}

bool TcxCustomEditPopupWindow::CanResize(int& width, int& height) {
  if (!sizeable_ || (width == Width() && height == Height()) || layoutLock_) return true;
  const TSize m = CalcMinSize();
  width = std::max({width, static_cast<int>(m.cx), minWidth_});
  height = std::max({height, static_cast<int>(m.cy), minHeight_});
  IcxTextEditLookupData* lookup = Edit()->PopupLookupData();
  if ((width == Width() && height == Height()) || !lookup) return true;
  const TRect e = PopupViewInfo()->GetClientExtents();
  TSize size(width - ExtentsWidth(e), height - ExtentsHeight(e));
  const TSize available = AvailableClientSize();
  if (lookup->AllowsListResize(size, available.cy, available.cx)) {
    width = std::max<int>(size.cx + ExtentsWidth(e), m.cx);
    height = std::max<int>(size.cy + ExtentsHeight(e), m.cy);
  } else {
    width = Width(), height = Height();
  }
  return true;
}

void TcxCustomEditPopupWindow::RecalculateViewInfo() {
  TcxCustomEditPopupWindowViewInfo* vi = PopupViewInfo();
  vi->CloseBtnKind = Edit()->PopupControlsLookAndFeel()->Kind();
  vi->SkinPainter = Style()->LookAndFeel()->SkinPainter();
  vi->Bounds = TRect(0, 0, Width(), Height());
  vi->CalculateLayout();
}

void TcxCustomEditPopupWindow::UpdatePopupRegion() {
  if (!HandleAllocated()) return;
  TRect r(0, 0, Width(), Height());
  if (shadow_) r.Right -= ShadowWidth, r.Bottom -= ShadowWidth;
  TRect cut;
  if (shadow_ && PopupViewInfo()->GripAtTop()) {
    const TRect editRect = EditScreenRect();
    cut = TRect(editRect.Left - Left(), Height() - ShadowWidth, editRect.Right - ShadowWidth - Left(), Height());
  }
  ApplyWindowRegion(Handle(), r, nativeStyle_, cut, shadow_);
}

void TcxCustomEditPopupWindow::Resize() {
  TcxCustomPopupWindow::Resize();
  UpdatePopupRegion();
}

void TcxCustomEditPopupWindow::CreateParams(TCreateParams& params) {
  TcxCustomPopupWindow::CreateParams(params);
  if (Edit()->IsNativeStyle() && IsCompositionEnabled()) params.WindowClass.style |= CS_DROPSHADOW;
}

// ---------------------------------------------------------------------------------------------
// Showing and closing

void TcxCustomEditPopupWindow::ShowPopup(TWinControl* focusedControl) {
  if (!Edit()->Visible()) Edit()->FinalizePopup();
  TcxCustomPopupWindow::ShowPopup(focusedControl);
}

void TcxCustomEditPopupWindow::CloseByModalResult() {
  const TModalResult result = ModalResult();
  Edit()->CloseUp(result == mrOk ? pcrAccept : result == mrCancel ? pcrCancel : pcrNone);
}

void TcxCustomEditPopupWindow::FireClosed() {
  PopupSizingState() = TcxPopupSizingState();
  TcxCustomPopupWindow::FireClosed();
}

void TcxCustomEditPopupWindow::FireClosing() {
  TcxCustomPopupWindow::FireClosing();
  sizeFrame_.reset();
}

bool TcxCustomEditPopupWindow::HandleOutsideClick(HWND window, UINT, const TPoint&, TShiftState) {
  return IsWindowOfControl(Edit(), window, true);
}

void TcxCustomEditPopupWindow::ForwardCharToFocus(char ch) {
  if (HWND focus = GetFocus()) SendMessageA(focus, WM_CHAR, static_cast<unsigned char>(ch), 0);
}

void TcxCustomEditPopupWindow::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CM_CXDROPDOWN_CHAR:
      if (IsOpen()) ForwardCharToFocus(static_cast<char>(m.WParam));
      break;
    case CM_MOUSELEAVE:
      MouseLeft(m);
      TcxCustomPopupWindow::Dispatch(m);
      break;
    default: TcxCustomPopupWindow::Dispatch(m);
  }
}

// ---------------------------------------------------------------------------------------------
// The mouse: close button and resizing

void TcxCustomEditPopupWindow::SetSizingCursor(int horz, int vert) {
  const TCursor cursor = sizingCursors[horz + 1][vert + 1];
  SetCursor(cursor);
  if (Screen) ::SetCursor(Screen->Cursors(cursor));
}

void TcxCustomEditPopupWindow::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TcxCustomPopupWindow::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  TcxCustomEditPopupWindowViewInfo* vi = PopupViewInfo();
  if (vi->CloseBtnRect.Contains(TPoint(x, y))) {
    if (vi->CloseBtnState == cxbsPressed) return;
    vi->CloseBtnState = cxbsPressed;
    return InvalidateControlRect(this, vi->CloseBtnRect, false);
  }
  if (HandleAllocated() && GetCapture() == Handle() && vi->HitTestSizing(x, y)) BeginSizing(x, y);
}

void TcxCustomEditPopupWindow::BeginSizing(int x, int y) {
  TcxPopupSizingState& state = PopupSizingState();
  state.Offset = TPoint(state.Horz < 0 ? x : Width() - x, state.Vert < 0 ? y : Height() - y);
  state.Active = true;
  SetSizingCursor(state.Horz, state.Vert);
  sizeFrame_ = std::make_unique<TcxSizeFrame>(std::max(2, PopupViewInfo()->PopupBorderWidth(false)));
  state.LastFrame = state.LastNonEmptyFrame = BoundsRect();
  sizeFrame_->DrawSizeFrame(state.LastFrame);
}

void TcxCustomEditPopupWindow::MouseMove(TShiftState shift, int x, int y) {
  TcxCustomPopupWindow::MouseMove(shift, x, y);
  if (PopupSizingState().Active) return TrackSizing(x, y);
  TrackCloseButton(shift, x, y);
}

void TcxCustomEditPopupWindow::TrackCloseButton(TShiftState shift, int x, int y) {
  TcxCustomEditPopupWindowViewInfo* vi = PopupViewInfo();
  const bool over = vi->CloseBtnRect.Contains(TPoint(x, y));
  const bool free = !shift.Contains(ssLeft) && !shift.Contains(ssRight) && !shift.Contains(ssMiddle) &&
                    !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
  if (vi->CloseBtnState != cxbsNormal && !over) {
    vi->CloseBtnState = cxbsNormal;
    InvalidateControlRect(this, vi->CloseBtnRect, false);
  } else if (vi->CloseBtnState == cxbsNormal && over && free) {
    vi->CloseBtnState = cxbsHot;
    InvalidateControlRect(this, vi->CloseBtnRect, false);
  }
  TcxPopupSizingState& state = PopupSizingState();
  if (vi->HitTestSizing(x, y)) {
    SetSizingCursor(state.Horz, state.Vert);
    state.CursorShown = true;
  } else if (state.CursorShown) {
    SetSizingCursor(0, 0);
    state.CursorShown = false;
  }
}

// The popup's new screen rectangle for the pointer at point (client coordinates of the popup).
TRect TcxCustomEditPopupWindow::SizedBounds(const TPoint& point) {
  const TcxPopupSizingState& state = PopupSizingState();
  const int w = Width(), h = Height();
  int width = w, height = h;
  if (state.Horz > 0) width = point.X + state.Offset.X;
  else if (state.Horz < 0) width = w - (point.X - state.Offset.X);
  if (state.Vert > 0) height = point.Y + state.Offset.Y;
  else if (state.Vert < 0) height = h - (point.Y - state.Offset.Y);
  const TRect& grip = PopupViewInfo()->GripHitRect;
  if (!grip.IsEmpty() && !grip.Contains(point)) {
    if (state.Horz > 0 && width > w && point.X < w) width = w;
    if (state.Vert > 0 && height > h && point.Y < h) height = h;
  }
  CanResize(width, height);
  const TRect r = BoundsRect();
  const int left = state.Horz < 0 ? r.Right - width : r.Left;
  const int top = state.Vert < 0 ? r.Bottom - height : r.Top;
  return TRect(left, top, left + width, top + height);
}

void TcxCustomEditPopupWindow::TrackSizing(int x, int y) {
  TcxPopupSizingState& state = PopupSizingState();
  TRect r = SizedBounds(TPoint(x, y));
  if (r.Width() == state.LastFrame.Width() && r.Height() == state.LastFrame.Height()) return;
  const TRect editRect = EditScreenRect();
  if (r.Left > editRect.Right - 1 || r.Right < editRect.Left + 1) return;
  IntersectRect(r, r, GetWorkAreaAtPoint(ClientToScreen(TPoint(x, y))));
  if (r == BoundsRect() && state.LastFrame == BoundsRect()) return;
  Edit()->SetPopupSizeChanged(true);
  Edit()->SetPopupResizedByMouse(true);
  if (sizeFrame_) sizeFrame_->DrawSizeFrame(r);
  state.LastFrame = r;
  if (!r.IsEmpty()) state.LastNonEmptyFrame = r;
}

void TcxCustomEditPopupWindow::EndSizing(int x, int y) {
  TcxPopupSizingState& state = PopupSizingState();
  ReleaseCapture();
  state.Active = false;
  sizeFrame_.reset();
  const TRect r = state.LastNonEmptyFrame;
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
  TakeOwnerBounds();
  RecalculateViewInfo();
  Edit()->SetLookupBounds(PopupViewInfo()->ClientRect);
  Invalidate();
  Update();
  const bool sizing = PopupViewInfo()->HitTestSizing(x, y);
  SetSizingCursor(sizing ? state.Horz : 0, sizing ? state.Vert : 0);
}

void TcxCustomEditPopupWindow::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TcxCustomPopupWindow::MouseUp(button, shift, x, y);
  if (button != mbLeft) return;
  if (PopupSizingState().Active) return EndSizing(x, y);
  if (PopupViewInfo()->CloseBtnState == cxbsPressed) ReleaseCloseButton();
}

void TcxCustomEditPopupWindow::ReleaseCloseButton() {
  TcxObjectLinkGuard link(this);
  if (CloseQuery()) Edit()->CloseUp(pcrNone);
  if (!link.Alive()) return;
  TcxCustomEditPopupWindowViewInfo* vi = PopupViewInfo();
  // A closed popup opens again with a plain button.
  vi->CloseBtnState = Visible() ? cxbsHot : cxbsNormal;
  InvalidateControlRect(this, vi->CloseBtnRect, false);
}

void TcxCustomEditPopupWindow::MouseLeft(TMessage&) {
  TcxCustomEditPopupWindowViewInfo* vi = PopupViewInfo();
  if (vi->CloseBtnState != cxbsNormal) {
    vi->CloseBtnState = cxbsNormal;
    InvalidateControlRect(this, vi->CloseBtnRect, false);
  }
  SetCursor(crDefault);
}
