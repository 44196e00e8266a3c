// The frame of a toolbar's window: its window kind (a child of its dock, or an owned popup while
// floating), the border widths the painter gives for its docking style, hit testing that tells
// the drag handle and the sizing frame from items, the caption's close button with its own mouse
// loop, painting (background, items, separators, mark) and the one-line placing of its links.
#include <algorithm>

#include "Forms.h"
#include "dxBarControl.h"
#include "dxBarDocking.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarManagerList.h"
#include "dxBarToolbar.h"

namespace {

TRect WindowRectOnScreen(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// A screen point in window coordinates.
TPoint ScreenToWindow(HWND window, const TPoint& point) {
  const TRect r = WindowRectOnScreen(window);
  return {point.X - r.Left, point.Y - r.Top};
}

}  // namespace

void TdxBarControl::SetToolbar(TdxBar* toolbar) {
  toolbar_ = toolbar;
  if (toolbar) toolbar->SetControl(this);
  if (HandleAllocated()) RecreateWnd();
}

void TdxBarControl::SetDockingStyle(TdxBarDockingStyle style) {
  if (dockingStyle_ == style) return;
  const bool kindChanges = (dockingStyle_ == dsNone) != (style == dsNone);
  dockingStyle_ = style;
  hasHiddenItems_ = false;
  if (toolbar_) toolbar_->SetDockingStyle(style);
  if (kindChanges && HandleAllocated()) RecreateWnd();
  else if (HandleAllocated()) SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                                           SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TdxBarControl::HasCloseButton() const {
  return toolbar_ && dockingStyle_ == dsNone && toolbar_->AllowClose() && !IsMainMenu();
}

// The standard looks show the mark only for hidden links; the others always offer it.
bool TdxBarControl::MarkExists() const {
  if (!toolbar_ || !toolbar_->ShowMark()) return false;
  return hasHiddenItems_ || !GetPainter()->IsStandardLook();
}

void TdxBarControl::SetMarkState(int state) {
  if (markState_ == state) return;
  markState_ = state;
  if (MarkExists()) GetPainter()->RepaintMark(this, MarkRect());
}

void TdxBarControl::SetHasHiddenItems(bool value) {
  if (hasHiddenItems_ == value) return;
  hasHiddenItems_ = value;
  Invalidate();
}

TBitmap* TdxBarControl::GetBackgroundBitmap() const { return toolbar_ ? toolbar_->BackgroundBitmap() : nullptr; }

TRect TdxBarControl::FloatingCaptionRect() const {
  if (!HasCaption()) return {};
  TdxBarPainterClass painter = GetPainter();
  const int left = painter->GetFloatingFrameWidth() + painter->GetFloatingBorderExtra();
  const int top = painter->GetFloatingFrameHeight() + painter->GetFloatingCaptionTopExtra();
  return {left, top, Width() - left, top + painter->GetFloatingCaptionHeight()};
}

TRect TdxBarControl::MarkRect() const {
  auto* self = const_cast<TdxBarControl*>(this);
  return GetPainter()->CalcMarkRect(self, dockingStyle_ == dsNone ? FloatingCaptionRect() : self->ClientRect());
}

TRect TdxBarControl::CloseButtonRect() const {
  if (!HasCloseButton()) return {};
  return GetPainter()->CalcFloatingCloseButtonRect(FloatingCaptionRect());
}

// ---------------------------------------------------------------------------------------------
// Window and frame.

void TdxBarControl::CreateParams(TCreateParams& params) {
  TCustomdxBarControl::CreateParams(params);
  if (!IsFramed()) return;
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.ExStyle = 0;
  if (dockingStyle_ != dsNone) {
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return;
  }
  params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  auto* owner = BarManager() ? dynamic_cast<TWinControl*>(BarManager()->Owner()) : nullptr;
  params.WndParent = owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
}

bool TdxBarControl::DispatchFrameMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE: WMNCCalcSize(m); return true;
    case WM_NCHITTEST: WMNCHitTest(m); return true;
    case WM_NCLBUTTONDOWN: WMNCLButtonDown(m); return true;
    case WM_NCACTIVATE: m.Result = 1; DrawNonClientNow(); return true;
    case WM_SIZE:
      // The frame is drawn for the whole window: a new size repaints all of it.
      RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      return false;
    default: return false;
  }
}

void TdxBarControl::WMNCCalcSize(TMessage& m) {
  auto* rect = reinterpret_cast<RECT*>(m.LParam);
  const bool grip = toolbar_->IsStatusBarLike() && toolbar_->SizeGrip();
  const TRect borders = GetPainter()->GetToolbarBorderOffsets(this, dockingStyle_, grip);
  rect->left += borders.Left;
  rect->top += borders.Top;
  rect->right = std::max(rect->left, rect->right - borders.Right);
  rect->bottom = std::max(rect->top, rect->bottom - borders.Bottom);
  m.Result = 0;
}

// Empty space and the border are the drag handle (HTCAPTION as the last hit-test code, so that the
// window still sees the press); a floating toolbar's frame sizes it.
void TdxBarControl::WMNCHitTest(TMessage& m) {
  const TPoint screen(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
  const TPoint client = ScreenToClient(screen);
  const TPoint window = ScreenToWindow(Handle(), screen);
  const bool inClient = ClientRect().Contains(client);
  m.Result = HTCLIENT;
  lastHitTest_ = HTCAPTION;
  if (inClient) {
    if (ItemControlAtPos(client) || (MarkExists() && dockingStyle_ != dsNone && MarkRect().Contains(client)))
      lastHitTest_ = 0;
    return;
  }
  if (dockingStyle_ != dsNone) return;
  TdxBarPainterClass painter = GetPainter();
  const int h = painter->GetSizingBorderHeight(), w = painter->GetSizingBorderWidth();
  if (window.Y < h) m.Result = HTTOP;
  else if (window.X >= Width() - w) m.Result = HTRIGHT;
  else if (window.Y >= Height() - h) m.Result = HTBOTTOM;
  else if (window.X < w) m.Result = HTLEFT;
  if (m.Result != HTCLIENT) {
    lastHitTest_ = static_cast<int>(m.Result);
    return;
  }
  if (MarkExists() && MarkRect().Contains(window)) lastHitTest_ = 0;
  else if (HasCloseButton() && CloseButtonRect().Contains(window)) lastHitTest_ = HTCLOSE;
}

void TdxBarControl::DoMouseDown(TMouseButton button, TShiftState shift, const TPoint& point,
                                TdxBarItemControl* control) {
  TCustomdxBarControl::DoMouseDown(button, shift, point, control);
  if (!IsFramed() || button != mbLeft || IsCustomizing()) return;
  if (lastHitTest_ == HTCLOSE) {
    const TPoint screen = ClientToScreen(point);
    SendMessageA(Handle(), WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(screen.X, screen.Y));
  } else if (lastHitTest_ == 0 && !control && MarkExists()) {
    SetMarkState(markState_ == 2 ? 1 : 2);
  } else if (lastHitTest_ == HTCAPTION && !control) {
    // The drag handle and the caption move the toolbar, where its manager docks toolbars.
    if (TdxBars* bars = BarsOf(BarManager())) bars->DragBar(this);
  }
}

void TdxBarControl::WMNCLButtonDown(TMessage& m) {
  const TPoint window = ScreenToWindow(
      Handle(), {static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))});
  if (!HasCloseButton() || !CloseButtonRect().Contains(window)) {
    TCustomdxBarControl::Dispatch(m);
    return;
  }
  TcxObjectLinkGuard alive(this);
  if (!TrackCloseButton() || !alive.Alive()) return;
  toolbar_->SetVisible(false);
  if (alive.Alive() && HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void TdxBarControl::SetCloseButtonState(int state) {
  if (closeButtonState_ == state) return;
  closeButtonState_ = state;
  DrawNonClientNow();
}

// The close button holds the mouse until the button goes up; a WM_QUIT met meanwhile is posted
// again for the outer loop and ends this one.
bool TdxBarControl::TrackCloseButton() {
  TcxObjectLinkGuard alive(this);
  auto cursorOverButton = [this] {
    POINT cursor;
    GetCursorPos(&cursor);
    return CloseButtonRect().Contains(ScreenToWindow(Handle(), {cursor.x, cursor.y}));
  };
  SetBarCaptionButtonCapture(true);
  SetCloseButtonState(2);
  SetCapture(Handle());
  bool releasedOver = false;
  MSG msg;
  while (alive.Alive() && GetCapture() == Handle()) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == Handle()) {
      SetCloseButtonState(cursorOverButton() ? 2 : 1);
    } else if (msg.message == WM_LBUTTONUP) {
      releasedOver = cursorOverButton();
      break;
    } else {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  SetBarCaptionButtonCapture(false);
  if (!alive.Alive()) return false;
  if (GetCapture() == Handle()) ReleaseCapture();
  SetCloseButtonState(cursorOverButton() ? 1 : 0);
  return releasedOver;
}

// ---------------------------------------------------------------------------------------------
// Painting.

void TdxBarControl::DrawNonClient(HDC dc) {
  if (IsFramed()) GetPainter()->DrawToolbarNonClientArea(this, dc);
  else TCustomdxBarControl::DrawNonClient(dc);
}

void TdxBarControl::DrawNonClientNow() {
  if (!HandleAllocated()) return;
  HDC dc = GetWindowDC(Handle());
  if (!dc) return;
  DrawNonClient(dc);
  ReleaseDC(Handle(), dc);
}

// Items first, each excluded from the clip; then the separators and a docked mark; the background
// fills what is left.
void TdxBarControl::Paint() {
  if (!IsFramed()) return TCustomdxBarControl::Paint();
  if (ComponentState().Contains(csDestroying)) return;
  TcxCanvas* canvas = GetCanvas();
  HDC dc = canvas->GetHandle();
  TdxBarPainterClass painter = GetPainter();
  canvas->SaveClipRegion();
  PaintItemControls();
  TCustomdxBarControlViewInfo* info = ViewInfo();
  for (int i = 0; i < info->GetSeparatorCount(); ++i) {
    const TCustomdxBarControlViewInfo::TSeparatorInfo& separator = info->GetSeparatorInfo(i);
    painter->DrawToolbarSeparator(this, dc, separator.Horizontal, BkBrush(), separator.Rect);
    ExcludeClipRect(dc, separator.Rect.Left, separator.Rect.Top, separator.Rect.Right, separator.Rect.Bottom);
  }
  if (dockingStyle_ != dsNone && MarkExists()) {
    const TRect mark = MarkRect();
    painter->DrawToolbarMark(this, dc, mark);
    ExcludeClipRect(dc, mark.Left, mark.Top, mark.Right, mark.Bottom);
  }
  painter->DrawBarBackground(this, dc, BkBrush(), ClientRect());
  canvas->RestoreClipRegion();
}

// ---------------------------------------------------------------------------------------------
// Layout.

int TdxBarControl::GetSeparatorSize() const {
  return IsFramed() ? GetPainter()->GetSeparatorThickness() : TCustomdxBarControl::GetSeparatorSize();
}

void TdxBarControl::ItemRectsCalculated() {
  if (!IsFramed() || !ItemLinks()) return;
  const bool vertical = IsVertical();
  const TRect client = ClientRect();
  const int thickness = vertical ? client.Width() : client.Height();
  const bool docked = dockingStyle_ != dsNone;
  // The mark's room is kept while it may show: always in the looks that always offer it.
  const bool reserveMark = docked && toolbar_->ShowMark();
  const int length = (vertical ? client.Height() : client.Width()) - (reserveMark ? GetPainter()->GetMarkSize(this) : 0);
  int position = 0;
  bool hidden = false;
  ViewInfo()->ClearSeparatorsInfo();
  for (int i = 0; i < ItemLinks()->GetVisibleCount(); ++i) {
    TdxBarItemLink* link = ItemLinks()->GetVisibleLink(i);
    TdxBarItemControl* control = link->Control();
    if (!control) continue;
    const int width = control->CalcWidth(), height = control->CalcHeight();
    const int along = vertical ? height : width, across = vertical ? width : height;
    const int separator = position > 0 ? GetSeparatorSizeBefore(link) : 0;
    if (position > 0 && length < position + separator + along) {
      hidden = true;
      break;
    }
    const int start = position + separator, offset = (thickness - across) / 2;
    const TRect rect = vertical ? TRect{offset, start, offset + across, start + along}
                                : TRect{start, offset, start + along, offset + across};
    if (separator > 0) {
      const TRect band = vertical ? TRect{0, position, thickness, start} : TRect{position, 0, start, thickness};
      ViewInfo()->AddSeparatorInfo(band, vertical, control);
    }
    link->SetItemRect(rect);
    control->ViewInfo()->SetBounds(rect);
    position = start + along;
  }
  if (hidden != hasHiddenItems_) {
    hasHiddenItems_ = hidden;
    if (dockingStyle_ == dsNone) DrawNonClientNow();
  }
}

// The size the window needs to show every link in one line, borders included.
TSize TdxBarControl::CalcFullSize() {
  TdxBarPainterClass painter = GetPainter();
  const bool vertical = IsVertical();
  int along = 0, across = (BarManager() ? BarManager()->GetGlyphSize() : 16) + 6;
  if (ItemLinks()) {
    for (int i = 0; i < ItemLinks()->GetVisibleCount(); ++i) {
      TdxBarItemLink* link = ItemLinks()->GetVisibleLink(i);
      TdxBarItemControl* control = link->Control();
      if (!control) continue;
      along += (i > 0 && link->GetBeginGroup() ? GetSeparatorSize() : 0) +
               (vertical ? control->CalcHeight() : control->CalcWidth());
      across = std::max(across, vertical ? control->CalcWidth() : control->CalcHeight());
    }
  }
  if (dockingStyle_ != dsNone && toolbar_->ShowMark()) along += painter->GetMarkSize(this);
  if (dockingStyle_ == dsNone) along = std::max(along, 51);
  const bool grip = toolbar_->IsStatusBarLike() && toolbar_->SizeGrip();
  const TRect borders = painter->GetToolbarBorderOffsets(this, dockingStyle_, grip);
  const int width = (vertical ? across : along) + borders.Left + borders.Right;
  const int height = (vertical ? along : across) + borders.Top + borders.Bottom;
  return {width, height};
}
