#include "NxScrollControl.h"

#include <cmath>
#include <cstdlib>

#include "Forms.h"
#include "NxThemesSupport.h"

CALDERAN_IMPLEMENT_CLASS(TNxCustomScrollBar, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TNxVertScrollBar, TNxCustomScrollBar)
CALDERAN_IMPLEMENT_CLASS(TNxScrollBar, TNxCustomScrollBar)
CALDERAN_IMPLEMENT_CLASS(TNxCustomScrollControl, TCustomControl)
CALDERAN_IMPLEMENT_CLASS(TNxControl, TNxCustomScrollControl)
CALDERAN_IMPLEMENT_CLASS(TNxFlyoutControl, TCustomControl)
CALDERAN_IMPLEMENT_CLASS(TRollShadow, TNxFlyoutControl)
CALDERAN_IMPLEMENT_CLASS(TNxScrollControl, TNxCustomScrollControl)

// ---------------------------------------------------------------------------------------------
// The model

TNxCustomScrollBar::TNxCustomScrollBar(TNxCustomScrollControl* owner, TCanvas* canvas)
    : owner_(owner), canvas_(canvas) {}

void TNxCustomScrollBar::Assign(TPersistent* source) {
  if (ObjectAs<TNxCustomScrollBar>(source)) return;
  TPersistent::Assign(source);
}

void TNxCustomScrollBar::SetKind(TNxScrollBarKind kind) {
  kind_ = kind;
  barFlag_ = kind == sbkVertical ? SB_VERT : SB_HORZ;
}

void TNxCustomScrollBar::SetMax(int value) {
  max_ = value < 0 ? 0 : value;
  if (max_ == 0) position_ = 0;
  SetVisible(max_ > 0 || !autoHide_);
  Update();
}

void TNxCustomScrollBar::SetPageSize(int value) {
  if (value == pageSize_) return;
  pageSize_ = value < 8 ? 8 : value;
  Update();
}

void TNxCustomScrollBar::SetPosition(int value) {
  oldPosition_ = position_;
  if (value > max_) value = max_;
  if (value < min_) value = min_;
  position_ = value < 0 ? 0 : value;
  Update();
  if (max_ == 0) return;
  if (kind_ == sbkVertical) owner_->ScrollBy(this, 0, owner_->GetVertScrollDelta(oldPosition_, position_));
  else owner_->ScrollBy(this, owner_->GetHorzScrollDelta(oldPosition_, position_), 0);
}

void TNxCustomScrollBar::SendScroll(WPARAM code) {
  if (max_ < 1 || !owner_->HandleAllocated()) return;
  SendMessageA(owner_->WindowHandle(), kind_ == sbkVertical ? WM_VSCROLL : WM_HSCROLL, code, 0);
}

void TNxCustomScrollBar::LineDown() { SendScroll(SB_LINEDOWN); }
void TNxCustomScrollBar::LineUp() { SendScroll(SB_LINEUP); }
void TNxCustomScrollBar::PageDown() { SendScroll(SB_PAGEDOWN); }
void TNxCustomScrollBar::PageUp() { SendScroll(SB_PAGEUP); }

// ---------------------------------------------------------------------------------------------
// The window's own bar

void TNxScrollBar::SetVisible(bool value) {
  TNxCustomScrollBar::SetVisible(value);
  if (Owner()->HandleAllocated() && BarFlag() >= 0) ShowScrollBar(Owner()->WindowHandle(), BarFlag(), value);
}

void TNxScrollBar::Update() {
  if (!Owner()->HandleAllocated() || BarFlag() < 0) return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | (AutoHide() ? 0 : SIF_DISABLENOSCROLL);
  info.nMin = Min();
  info.nMax = Max();
  info.nPage = static_cast<UINT>(PageSize());
  info.nPos = Position();
  SetScrollInfo(Owner()->WindowHandle(), BarFlag(), &info, TRUE);
}

// ---------------------------------------------------------------------------------------------
// The self-drawn bar

TNxVertScrollBar::TNxVertScrollBar(TNxCustomScrollControl* owner, TCanvas* canvas)
    : TNxCustomScrollBar(owner, canvas) {
  pageSize_ = 8;
}

int TNxVertScrollBar::ButtonSize() const { return GetSystemMetrics(SM_CXVSCROLL); }

void TNxVertScrollBar::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
}

void TNxVertScrollBar::Update() {
  if (Owner()->HandleAllocated()) InvalidateRect(Owner()->WindowHandle(), nullptr, FALSE);
}

TRect TNxVertScrollBar::ButtonRect(int which) const {
  const int s = ButtonSize();
  if (which == 0) return Rect(left_, top_, left_ + width_, top_ + s);
  return Rect(left_, top_ + height_ - s, left_ + width_, top_ + height_);
}

// The bar always stands 2 pixels below the client top, so its own Top is not added here.
TRect TNxVertScrollBar::ThumbRect() const {
  if (Max() <= 0) return {};
  const int top =
      ButtonSize() + 2 + static_cast<int>(std::lround(static_cast<double>(Position()) * (TrackLength() - PageSize()) / Max()));
  return Rect(left_, top, left_ + width_, top + PageSize());
}

TRect TNxVertScrollBar::PageUpRect() const {
  return Rect(left_, ButtonRect(0).Bottom, left_ + width_, ThumbRect().Top);
}

TRect TNxVertScrollBar::PageDownRect() const {
  return Rect(left_, ThumbRect().Bottom, left_ + width_, ButtonRect(1).Top);
}

void TNxVertScrollBar::InvalidatePart(int part) {
  if (!Owner()->HandleAllocated()) return;
  RECT r = part == 1 ? ThumbRect() : ButtonRect(part == 0 ? 0 : 1);
  InvalidateRect(Owner()->WindowHandle(), &r, FALSE);
}

void TNxVertScrollBar::SetHot(uint8_t& state, bool hot, int part) {
  const uint8_t next = hot ? (state | kPartHot) : (state & ~kPartHot);
  if (next == state) return;
  state = next;
  InvalidatePart(part);
}

void TNxVertScrollBar::ClearHot() {
  SetHot(BackButtonState, false, 0);
  SetHot(ThumbState, false, 1);
  SetHot(ForwardButtonState, false, 2);
}

void TNxVertScrollBar::MouseMove(TShiftState, int x, int y) {
  const TPoint p(x, y);
  SetHot(BackButtonState, ButtonRect(0).Contains(p), 0);
  SetHot(ForwardButtonState, ButtonRect(1).Contains(p), 2);
  SetHot(ThumbState, ThumbRect().Contains(p), 1);
  if (IsThumbPressed()) DragThumb(y - ButtonSize() - 2);
}

// A track with no length left (a bar shorter than its two buttons) has no position to drag to.
void TNxVertScrollBar::DragThumb(int y) {
  if (Max() <= 0 || TrackLength() <= 0) return;
  const double pixelsPerStep = static_cast<double>(TrackLength()) / Max();
  SetPosition(static_cast<int>(std::lround(y / pixelsPerStep)));
}

void TNxVertScrollBar::Paint() {
  const int s = ButtonSize();
  if (Max() < 1) {
    PaintTrack(GetBoundsRect(), false);
  } else {
    const TRect thumb = ThumbRect();
    PaintTrack(Rect(left_, top_ + s, left_ + width_, thumb.Top), false);
    PaintThumb();
    PaintTrack(Rect(left_, thumb.Bottom, left_ + width_, top_ + height_ - s), false);
  }
  PaintButton(ButtonRect(0), 0);
  PaintButton(ButtonRect(1), 1);
}

void TNxVertScrollBar::PaintTrack(const TRect& rect, bool pressed) {
  if (rect.IsEmpty()) return;
  if (ThemesAvailable()) {
    DrawThemeElement(Owner()->WindowHandle(), Canvas()->Handle(), rect, u"scrollbar", 6, 1);
    return;
  }
  if (pressed) {
    Canvas()->Brush()->SetColor(cl3DDkShadow);
    Canvas()->FillRect(rect);
    return;
  }
  // the platform's track: a checker of the highlight and the scroll-bar colours
  static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP bits = CreateBitmap(8, 8, 1, 1, pattern);
  HBRUSH brush = CreatePatternBrush(bits);
  HDC dc = Canvas()->Handle();
  COLORREF oldText = SetTextColor(dc, ColorToRGB(clBtnHighlight));
  COLORREF oldBack = SetBkColor(dc, ColorToRGB(clScrollBar));
  RECT r = rect;
  FillRect(dc, &r, brush);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  DeleteObject(brush);
  DeleteObject(bits);
}

void TNxVertScrollBar::PaintButton(const TRect& rect, int which) {
  const uint8_t state = which == 0 ? BackButtonState : ForwardButtonState;
  const bool pressed = (state & kPartPressed) != 0, hot = (state & kPartHot) != 0;
  if (ThemesAvailable()) {
    const int base = which == 0 ? 1 : 5;
    DrawThemeElement(Owner()->WindowHandle(), Canvas()->Handle(), rect, u"scrollbar", 1,
                  base + (pressed ? 2 : hot ? 1 : 0));
    return;
  }
  RECT r = rect;
  UINT style = (which == 0 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN) | DFCS_ADJUSTRECT | (pressed ? DFCS_FLAT : 0) |
               (Enabled() ? 0 : DFCS_INACTIVE);
  DrawFrameControl(Canvas()->Handle(), &r, DFC_SCROLL, style);
}

void TNxVertScrollBar::PaintThumb() {
  const TRect thumb = ThumbRect();
  if (ThemesAvailable()) {
    const int state = IsThumbPressed() ? 3 : (ThumbState & kPartHot) ? 2 : 1;
    DrawThemeElement(Owner()->WindowHandle(), Canvas()->Handle(), thumb, u"scrollbar", 3, state);
    if (thumb.Height() > 16) DrawThemeElement(Owner()->WindowHandle(), Canvas()->Handle(), thumb, u"scrollbar", 9, 2);
    return;
  }
  RECT r = thumb;
  DrawEdge(Canvas()->Handle(), &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  Canvas()->Brush()->SetColor(clBtnFace);
  Canvas()->FillRect(TRect(r));
}

// ---------------------------------------------------------------------------------------------
// Scrolling controls

TNxCustomScrollControl::TNxCustomScrollControl(TComponent* owner) : TCustomControl(owner) {}

void TNxCustomScrollControl::ScrollBy(TNxCustomScrollBar* bar, int dx, int dy) {
  BeforeScroll(bar->Kind());
  if (HandleAllocated()) {
    RECT clip = dx != 0 ? HorzClipRect : VertClipRect;
    ScrollWindowEx(WindowHandle(), dx, dy, nullptr, &clip, nullptr, nullptr, SW_INVALIDATE);
  }
  AfterScroll(bar->Kind());
}

TNxControl::TNxControl(TComponent* owner)
    : TNxCustomScrollControl(owner),
      horzBar_(std::make_unique<TNxVertScrollBar>(this, Canvas())),
      vertBar_(std::make_unique<TNxVertScrollBar>(this, Canvas())),
      repeatDelayTimer_(new TTimer(this)),
      repeatTimer_(new TTimer(this)) {
  horzBar_->SetKind(sbkHorizontal);
  vertBar_->SetKind(sbkVertical);
  repeatDelayTimer_->SetEnabled(false);
  repeatDelayTimer_->SetInterval(300);
  repeatDelayTimer_->SetOnTimer(MakeEvent(this, &TNxControl::RepeatDelayTick));
  repeatTimer_->SetEnabled(false);
  repeatTimer_->SetInterval(50);
  repeatTimer_->SetOnTimer(MakeEvent(this, &TNxControl::RepeatTick));
}

TNxControl::~TNxControl() {
  Destroying();
  DestroyComponents();
}

void TNxControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSELEAVE: CMMouseLeave(m); break;
    default: TNxCustomScrollControl::Dispatch(m);
  }
}

int TNxControl::InnerWidth() {
  return ClientWidth() - 4 - (vertBar_->Visible() ? GetSystemMetrics(SM_CXVSCROLL) : 0);
}

TRect TNxControl::VertBarStrip() {
  const int right = 2 + InnerWidth();
  return Rect(right, 2, right + vertBar_->ButtonSize(), InnerHeight() + 2);
}

void TNxControl::PaintFrame() {
  const TRect client = ClientRect();
  Canvas()->Brush()->SetColor(clBlack);
  Canvas()->FrameRect(client);
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FrameRect(Rect(1, 1, client.Right - 1, client.Bottom - 1));
}

void TNxControl::Paint() {
  TNxCustomScrollControl::Paint();
  PaintFrame();
  if (vertBar_->Visible()) vertBar_->Paint();
}

void TNxControl::StartRepeating(TNxRepeatAction action) {
  repeatAction_ = action;
  repeatDelayTimer_->SetEnabled(true);
}

void TNxControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TNxCustomScrollControl::MouseDown(button, shift, x, y);
  TNxVertScrollBar* bar = vertBar_.get();
  if (!bar->Visible()) return;
  const TPoint p(x, y);
  if (bar->ButtonRect(1).Contains(p)) {
    bar->ForwardButtonState |= kPartPressed;
    bar->SetPosition(bar->Position() + 1);
    bar->InvalidatePart(2);
    StartRepeating(raLineDown);
  } else if (bar->ButtonRect(0).Contains(p)) {
    bar->BackButtonState |= kPartPressed;
    bar->SetPosition(bar->Position() - 1);
    bar->InvalidatePart(0);
    StartRepeating(raLineUp);
  } else if (bar->Max() > 0 && bar->PageDownRect().Contains(p)) {
    bar->PageDown();
    StartRepeating(raPageDown);
  } else if (bar->Max() > 0 && bar->PageUpRect().Contains(p)) {
    bar->PageUp();
    StartRepeating(raPageUp);
  } else if (bar->Max() > 0 && bar->ThumbRect().Contains(p)) {
    bar->ThumbState |= kPartPressed;
  }
}

void TNxControl::StartRepeat() { repeatTimer_->SetEnabled(true); }

void TNxControl::RepeatStep() {
  switch (repeatAction_) {
    case raLineUp: vertBar_->SetPosition(vertBar_->Position() - 1); break;
    case raLineDown: vertBar_->SetPosition(vertBar_->Position() + 1); break;
    case raPageUp: vertBar_->PageUp(); break;
    case raPageDown: vertBar_->PageDown(); break;
    case raNone: break;
  }
}

void TNxControl::MouseMove(TShiftState shift, int x, int y) {
  TNxCustomScrollControl::MouseMove(shift, x, y);
  if (vertBar_->Visible() && (VertBarStrip().Contains(TPoint(x, y)) || vertBar_->IsThumbPressed()))
    vertBar_->MouseMove(shift, x, y);
  else
    vertBar_->ClearHot();
}

void TNxControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TNxCustomScrollControl::MouseUp(button, shift, x, y);
  vertBar_->BackButtonState &= ~kPartPressed;
  vertBar_->ForwardButtonState &= ~kPartPressed;
  vertBar_->ThumbState &= ~kPartPressed;
  repeatAction_ = raNone;
  repeatDelayTimer_->SetEnabled(false);
  repeatTimer_->SetEnabled(false);
  Invalidate();
}

void TNxControl::CMMouseLeave(TMessage& m) {
  TNxCustomScrollControl::Dispatch(m);
  vertBar_->ClearHot();
}

// ---------------------------------------------------------------------------------------------
// The roll marker

TNxFlyoutControl::TNxFlyoutControl(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(ControlStyle() - csReplicatable);
  BringToFront();
}

void TNxFlyoutControl::Dispatch(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) {
    m.Result = 1;
    return;
  }
  TCustomControl::Dispatch(m);
}

void TNxFlyoutControl::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = (p.Style & ~(WS_CHILD | 0x30000u)) | WS_POPUP;
  p.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  p.WindowClass.style |= CS_SAVEBITS;
}

void TRollShadow::SetShape() {
  const POINT up[5] = {{-1, 7}, {7, -1}, {8, 0}, {14, 7}, {0, 6}};
  const POINT down[5] = {{-1, 15}, {14, 15}, {6, 22}, {6, 22}, {-1, 14}};
  HRGN shape = CreatePolygonRgn(up, 5, WINDING);
  HRGN downArrow = CreatePolygonRgn(down, 5, WINDING);
  HRGN dot = CreateEllipticRgn(5, 9, 10, 14);
  CombineRgn(shape, shape, downArrow, RGN_OR);
  CombineRgn(shape, shape, dot, RGN_OR);
  DeleteObject(downArrow);
  DeleteObject(dot);
  if (SetWindowRgn(Handle(), shape, TRUE) == 0) DeleteObject(shape);  // the window owns it otherwise
}

void TRollShadow::MoveTo(TPoint p) {
  SetShape();
  Anchor = p;
  SetBounds(p.X - 7, p.Y - 11, 32, 32);
}

void TRollShadow::Paint() {
  Canvas()->Brush()->SetColor(clGrayText);
  Canvas()->FillRect(ClientRect());
}

// ---------------------------------------------------------------------------------------------
// The scroll control: the window's own bars and roll scrolling

TNxScrollControl::TNxScrollControl(TComponent* owner)
    : TNxCustomScrollControl(owner),
      horzBar_(std::make_unique<TNxScrollBar>(this, Canvas())),
      vertBar_(std::make_unique<TNxScrollBar>(this, Canvas())),
      rollShadow_(new TRollShadow(this)),
      rollTimer_(new TTimer(this)) {
  horzBar_->SetKind(sbkHorizontal);
  vertBar_->SetKind(sbkVertical);
  rollShadow_->SetVisible(false);
  rollShadow_->SetParent(this);
  rollTimer_->SetEnabled(false);
  rollTimer_->SetInterval(1);
  rollTimer_->SetOnTimer(MakeEvent(this, &TNxScrollControl::RollTick));
  HINSTANCE module = GetModuleHandleA(nullptr);
  Screen->SetCursors(crRoll, LoadCursorA(module, "ROLL"));
  Screen->SetCursors(crRollUp, LoadCursorA(module, "ROLLUP"));
  Screen->SetCursors(crRollDown, LoadCursorA(module, "ROLLDOWN"));
}

TNxScrollControl::~TNxScrollControl() {
  Destroying();
  DestroyComponents();
}

void TNxScrollControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_VSCROLL: WMVScroll(m); break;
    case WM_HSCROLL: WMHScroll(m); break;
    case WM_ERASEBKGND: m.Result = 1; break;
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS; break;
    default: TNxCustomScrollControl::Dispatch(m);
  }
}

void TNxScrollControl::CreateParams(TCreateParams& p) {
  TNxCustomScrollControl::CreateParams(p);
  p.Style |= WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN;
}

void TNxScrollControl::CreateWnd() {
  TNxCustomScrollControl::CreateWnd();
  horzBar_->Update();
  vertBar_->Update();
}

void TNxScrollControl::WMVScroll(TMessage& m) { HandleScroll(vertBar_.get(), LOWORD(m.WParam), OnVerticalScroll); }
void TNxScrollControl::WMHScroll(TMessage& m) { HandleScroll(horzBar_.get(), LOWORD(m.WParam), OnHorizontalScroll); }

void TNxScrollControl::HandleScroll(TNxScrollBar* bar, WPARAM code, TNxScrollEvent& event) {
  switch (code) {
    case SB_LINEUP: bar->SetPosition(bar->Position() - bar->SmallChange()); break;
    case SB_LINEDOWN: bar->SetPosition(bar->Position() + bar->SmallChange()); break;
    case SB_PAGEUP: bar->SetPosition(bar->Position() - bar->LargeChange()); break;
    case SB_PAGEDOWN: bar->SetPosition(bar->Position() + bar->LargeChange()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(WindowHandle(), bar->BarFlag(), &info);
      bar->SetPosition(info.nTrackPos);
      break;
    }
    case SB_TOP: bar->SetPosition(0); break;
    case SB_BOTTOM: bar->SetPosition(bar->Max()); break;
    default: break;
  }
  if (event) event(this, bar->Position());
}

void TNxScrollControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TNxCustomScrollControl::MouseDown(button, shift, x, y);
  if (button != mbMiddle || !rollEnabled_) return;
  rolling_ = true;
  rollShadow_->SetCursor(crRoll);
  rollOrigin_ = TPoint(x, y);
  rollShadow_->MoveTo(ClientToScreen(rollOrigin_));
  rollShadow_->Show();
  rollTimer_->SetInterval(1);
  rollTimer_->SetEnabled(true);
  SetCapture(Handle());
}

void TNxScrollControl::MouseMove(TShiftState shift, int x, int y) {
  TNxCustomScrollControl::MouseMove(shift, x, y);
  if (!rolling_) return;
  rollDirection_ = 0;
  const int dy = y - rollOrigin_.Y;
  if (dy < -5) {
    Screen->SetCursor(crRollUp);
    rollDirection_ = kRollUp;
  } else if (dy < 6) {
    Screen->SetCursor(crRoll);
  } else {
    Screen->SetCursor(crRollDown);
    rollDirection_ = kRollDown;
  }
  rollShadow_->SetCursor(Screen->Cursor());
}

// Faster the further the mouse is from the marker: one line every (100 - distance) ms.
void TNxScrollControl::RollStep() {
  const int dy = ScreenToClient(Mouse->CursorPos()).Y - rollOrigin_.Y;
  rollTimer_->SetInterval(static_cast<uint32_t>(std::max(1, 100 - std::abs(dy))));
  if (rollDirection_ & kRollUp) vertBar_->LineUp();
  else if (rollDirection_ & kRollDown) vertBar_->LineDown();
}

void TNxScrollControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TNxCustomScrollControl::MouseUp(button, shift, x, y);
  if (!rolling_) return;
  rollTimer_->SetEnabled(false);
  rolling_ = false;
  rollShadow_->Hide();
  Screen->SetCursor(crDefault);
  ReleaseCapture();
}
