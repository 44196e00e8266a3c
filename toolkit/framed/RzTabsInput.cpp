// What the user does with the tab strip: hit testing, clicks, hot tracking and tab hints, keys and
// accelerators, dragging tabs to new places, and the scroller, close and menu buttons.
#include <algorithm>
#include <cctype>

#include "Forms.h"
#include "RzGrafx.h"
#include "RzTabs.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

#include <vssym32.h>

CALDERAN_IMPLEMENT_CLASS(TRzTabStripButton, TCustomControl)
CALDERAN_IMPLEMENT_CLASS(TRzTabScroller, TRzTabStripButton)
CALDERAN_IMPLEMENT_CLASS(TRzTabCloseButton, TRzTabStripButton)
CALDERAN_IMPLEMENT_CLASS(TRzTabMenuButton, TRzTabStripButton)

namespace {
constexpr UINT_PTR hoverTimerId = 1;
constexpr UINT hoverDelay = 60;

// The character a caption marks with a single "&" (0 for none).
char AcceleratorOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;
  }
  return 0;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Hit testing and the mouse

int TRzCustomTabControl::HitTest(TPoint p) {
  const int count = tabData_->Count();
  if (count == 0 || firstShownTab_ < 0) return -1;
  LayoutIfNeeded();
  auto hits = [&](int i) {
    if (!IsTabShown(i) || !TabDrawRect(i).Contains(p)) return false;
    HRGN region = TabRegion(i);
    return region && PtInRegion(region, p.X, p.Y);
  };
  if (tabIndex_ >= 0 && tabIndex_ < count && hits(tabIndex_)) return tabIndex_;
  for (int k = 0; k < count; ++k) {
    const int i = (firstShownTab_ + k) % count;
    if (i != tabIndex_ && hits(i)) return i;
  }
  return -1;
}

void TRzCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  const bool designing = ComponentState().Contains(csDesigning);
  if (button != mbLeft || !(Enabled() || designing)) return;
  const int hit = HitTest({x, y});
  if (hit >= 0 && tabData_->Items(hit)->Enabled) {
    if (TabStop() && hit == tabIndex_ && !designing) {
      if (CanFocus()) SetFocus();
      if (!Focused()) return;
    }
    SetTabIndex(hit);
    if (tabIndex_ == hit) DoTabClick();
  }
  mouseDownTab_ = hit;
  dragArmed_ = hit >= 0;
}

void TRzCustomTabControl::MouseMove(TShiftState shift, int x, int y) {
  if (!ComponentState().Contains(csDesigning) && (hotTrack_ || tabHints_)) {
    const int hit = HitTest({x, y});
    if (hit < 0) {
      if (tabHints_ && (hotTab_ >= 0 || TabAreaRect().Contains({x, y}))) Application->CancelHint();
      if (hotTab_ >= 0) EndHover();
    } else if (hit != hotTab_) {
      hotTab_ = hit;
      if (hotTrack_ && HandleAllocated()) {
        hotRepaintOnly_ = true;
        const RECT area = TabAreaRect();
        InvalidateRect(WindowHandle(), &area, FALSE);
      }
      if (tabHints_) {
        Application->CancelHint();
        if (!tabData_->Items(hit)->Hint.empty()) SetHint(tabData_->Items(hit)->Hint);
      }
      StartHoverTimer();
    }
  }
  TCustomControl::MouseMove(shift, x, y);
  const bool dragFromEnabledTab = mouseDownTab_ >= 0 && mouseDownTab_ < tabData_->Count() &&
                                  tabData_->Items(mouseDownTab_)->Enabled;
  // Once per press: the drag then waits for the mouse to leave the threshold box around the press.
  if (allowTabDragging_ && dragArmed_ && shift.Contains(ssLeft) && dragFromEnabledTab) {
    dragArmed_ = false;
    BeginDrag(false);
  }
}

void TRzCustomTabControl::StartHoverTimer() {
  if (hoverTimerRunning_ || !HandleAllocated()) return;
  hoverTimerRunning_ = SetTimer(WindowHandle(), hoverTimerId, hoverDelay, nullptr) != 0;
}

void TRzCustomTabControl::StopHoverTimer() {
  if (!hoverTimerRunning_) return;
  if (HandleAllocated()) KillTimer(WindowHandle(), hoverTimerId);
  hoverTimerRunning_ = false;
}

void TRzCustomTabControl::EndHover() {
  StopHoverTimer();
  hotTab_ = -1;
  if (HandleAllocated()) {
    const RECT area = TabAreaRect();
    InvalidateRect(WindowHandle(), &area, FALSE);
  }
  SetHint(savedHint_);
}

void TRzCustomTabControl::WMTimer(TMessage& m) {
  if (m.WParam != hoverTimerId) return TCustomControl::Dispatch(m);
  POINT cursor;
  GetCursorPos(&cursor);
  if (HitTest(ScreenToClient(cursor)) < 0) EndHover();
}

void TRzCustomTabControl::CMMouseLeave(TMessage& m) { TCustomControl::Dispatch(m); }

// ---------------------------------------------------------------------------------------------
// Keys

// The first tab from `from` on that may become current, stepping by `step`; stops at the current
// tab, and either wraps round or stops at the end of the list.
int TRzCustomTabControl::FindKeyTab(int from, int step, bool wrap) {
  const int count = tabData_->Count();
  for (int i = from, n = 0; n < count; i += step, ++n) {
    if (wrap) i = (i + count) % count;
    else if (i < 0 || i >= count) break;
    if (i == tabIndex_) break;
    if (CanChange(i)) return i;
  }
  return tabIndex_;
}

void TRzCustomTabControl::KeyDown(Word& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  const int count = tabData_->Count();
  if (count == 0) return;
  const bool standard = tabSequence_ == tsStandard, left = tabOrientation_ == toLeft;
  // Home and End go to the ends of the strip as seen on screen.
  const bool swapEnds = left ? standard : !standard;
  // Whether Right and Down step to the next tab.
  const bool rightIsNext = left ? !standard : standard;
  int result = tabIndex_;
  switch (key) {
    case VK_HOME: case VK_END: {
      const bool towardStart = (key == VK_HOME) != swapEnds;
      result = towardStart ? FindKeyTab(0, 1, false) : FindKeyTab(count - 1, -1, false);
      break;
    }
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: {
      const bool next = (key == VK_RIGHT || key == VK_DOWN) == rightIsNext;
      const int from = tabIndex_ < 0 ? (next ? 0 : count - 1) : tabIndex_ + (next ? 1 : -1);
      result = FindKeyTab(from, next ? 1 : -1, true);
      break;
    }
    default: return;
  }
  if (result == tabIndex_ || result < 0) return;
  SetTabIndexInternally(result);
  DoTabClick();
}

void TRzCustomTabControl::CMDialogChar(TMessage& m) {
  const char key = static_cast<char>(std::toupper(static_cast<unsigned char>(m.WParam)));
  if (CanFocus()) {
    for (int i = 0; i < tabData_->Count(); ++i) {
      const TRzTabData* tab = tabData_->Items(i);
      const char mark = static_cast<char>(std::toupper(static_cast<unsigned char>(AcceleratorOf(tab->Caption))));
      if (!mark || mark != key || !tab->Enabled || !tab->Visible) continue;
      m.Result = 1;
      SetFocus();
      if (Focused()) {
        SetTabIndex(i);
        if (tabIndex_ == i) DoTabClick();
      }
      return;
    }
  }
  TCustomControl::Dispatch(m);
}

void TRzCustomTabControl::CMDesignHitTest(TMessage& m) {
  const int hit = HitTest(m.Pos());
  m.Result = hit >= 0 && hit != tabIndex_;
}

// ---------------------------------------------------------------------------------------------
// Dragging tabs

bool TRzCustomTabControl::DragScrollTimerRunning() const { return dragScrollTimer_ && dragScrollTimer_->Enabled(); }

void TRzCustomTabControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
  TCustomControl::DragOver(source, x, y, state, accept);
  if (!allowTabDragging_ || source != this) return;
  if (state == dsDragLeave) {
    if (dropMarkShown_) DrawDropMark(dropMarkRect_);
    dropTarget_ = -1;
    return;
  }
  const int hit = HitTest({x, y});
  if (hit < 0) {
    if (!dragScrollTimer_) {
      dragScrollTimer_ = std::make_unique<TTimer>(nullptr);
      dragScrollTimer_->SetEnabled(false);
      dragScrollTimer_->OnTimer = MakeEvent(this, &TRzCustomTabControl::DragScrollTick);
    }
    if (!dragScrollTimer_->Enabled()) {
      dragScrollTimer_->SetInterval(dragScrollFirstDelay_);
      dragScrollTimer_->SetEnabled(true);
    }
  }
  accept = hit >= 0 && hit != tabIndex_;
  if (hit == dropTarget_) return;
  if (dropMarkShown_) DrawDropMark(dropMarkRect_);
  dropTarget_ = hit;
  if (accept) DrawDropMark(DropMarkRect(hit));
}

void TRzCustomTabControl::DragScrollTick(TObject*) {
  dragScrollTimer_->SetInterval(dragScrollRepeatDelay_);
  if (!Dragging()) return;
  POINT cursor;
  GetCursorPos(&cursor);
  const TPoint p = ScreenToClient(cursor);
  int direction = 0;  // +1 forward, -1 backward
  switch (tabOrientation_) {
    case toLeft: direction = p.Y < 0 ? 1 : p.Y > Height() ? -1 : 0; break;
    case toRight: direction = p.Y < 0 ? -1 : p.Y > Height() ? 1 : 0; break;
    default: direction = p.X < 0 ? -1 : p.X > Width() ? 1 : 0;
  }
  if (tabSequence_ == tsReverse) direction = -direction;
  try {
    if (direction != 0) ScrollTabs(direction > 0);
  } catch (...) {
    dragScrollTimer_->SetEnabled(false);
    throw;
  }
}

void TRzCustomTabControl::StopDragScroll() {
  if (dragScrollTimer_) dragScrollTimer_->SetEnabled(false);
  if (dropMarkShown_) DrawDropMark(dropMarkRect_);
  dropTarget_ = -1;
}

void TRzCustomTabControl::DragDrop(TObject* source, int x, int y) {
  StopDragScroll();
  if (allowTabDragging_ && source == this) {
    const int hit = HitTest({x, y});
    if (hit >= 0 && hit != tabIndex_) MoveCurrentTab(hit);
  }
  TCustomControl::DragDrop(source, x, y);
}

// A drag that ends anywhere (dropped elsewhere or cancelled) stops scrolling the strip.
void TRzCustomTabControl::DoEndDrag(TObject* target, int x, int y) {
  StopDragScroll();
  TCustomControl::DoEndDrag(target, x, y);
}

void TRzCustomTabControl::DragCanceled() {
  StopDragScroll();
  TCustomControl::DragCanceled();
}

TRect TRzCustomTabControl::DropMarkRect(int target) const {
  const TRect r = TabDrawRect(target);
  const int half = fixedDimension_ / 2;
  const bool before = target < tabIndex_;
  const bool slantStart = tabStyle_ == tsDoubleSlant || tabStyle_ == tsBackSlant;
  const bool slantEnd = tabStyle_ == tsSingleSlant || tabStyle_ == tsDoubleSlant;
  const bool flat = tabStyle_ == tsCutCorner || tabStyle_ == tsRoundCorners;
  switch (tabOrientation_) {
    case toLeft: case toRight: {
      const bool left = tabOrientation_ == toLeft;
      const int x1 = left ? r.Left - 2 : r.Right - 5, x2 = left ? r.Left + 6 : r.Right + 3;
      int y1, y2;
      if (left == before) {  // the left side's "before" end is at the bottom, the right side's at the top
        if (left) y1 = r.Bottom - 7, y2 = r.Bottom + 8;
        else y1 = r.Top - 8, y2 = r.Top + 7;
        const int shift = slantStart ? (left ? -half : half + 1) : (flat && left ? 1 : 0);
        y1 += shift, y2 += shift;
      } else {
        if (left) y1 = r.Top - 8, y2 = r.Top + 7;
        else y1 = r.Bottom - 7, y2 = r.Bottom + 8;
        const int shift = slantEnd ? (left ? half : -half) : (flat && !left ? 1 : 0);
        y1 += shift, y2 += shift;
      }
      return {x1, y1, x2, y2};
    }
    default: {
      const bool top = tabOrientation_ == toTop;
      const int y1 = top ? r.Top - 2 : r.Bottom - 6, y2 = top ? r.Top + 6 : r.Bottom + 2;
      int x1 = before ? r.Left - 8 : r.Right - 7, x2 = before ? r.Left + 7 : r.Right + 8;
      const int shift = before ? (slantStart ? half : 0) : (slantEnd ? -half : flat ? 1 : 0);
      return {x1 + shift, y1, x2 + shift, y2};
    }
  }
}

// An arrowhead pointing toward the card, inverted onto the screen: drawing it again erases it.
void TRzCustomTabControl::DrawDropMark(const TRect& rect) {
  if (!HandleAllocated() || rect.IsEmpty()) return;
  const int w = rect.Width(), h = rect.Height();
  TBitmap mark(w, h);
  TCanvas* canvas = mark.Canvas();
  canvas->Brush()->SetColor(clBtnShadow);
  canvas->FillRect({0, 0, w, h});
  canvas->Brush()->SetColor(clBlack);
  canvas->Pen()->SetColor(clBlack);
  // The top-tab figure, turned toward the card for the other sides.
  auto pt = [&](int x, int y) -> TPoint {
    switch (tabOrientation_) {
      case toBottom: return {x, h - y};
      case toLeft: return {h == 15 ? w - y : y, x};
      case toRight: return {y, x};
      default: return {x, y};
    }
  };
  canvas->Polygon(std::vector<TPoint>{pt(0, 0), pt(8, 8), pt(0, 8)});
  canvas->Polygon(std::vector<TPoint>{pt(7, 8), pt(15, 0), pt(15, 8)});
  const TPoint origin = const_cast<TRzCustomTabControl*>(this)->ClientToScreen(rect.TopLeft());
  HDC screen = GetDC(nullptr);
  BitBlt(screen, origin.X, origin.Y, w, h, canvas->Handle(), 0, 0, SRCINVERT);
  ReleaseDC(nullptr, screen);
  dropMarkShown_ = !dropMarkShown_;
  dropMarkRect_ = rect;
}

// ---------------------------------------------------------------------------------------------
// The close request and the scroller's two halves

void TRzCustomTabControl::CloseRequest(TObject*) {
  if (tabIndex_ >= 0 && DoClose()) CloseCurrentTab();
}

namespace {
// The second half scrolls forward on top, left and bottom tabs in the standard sequence and on
// right tabs in the reverse one.
bool SecondHalfScrollsForward(TRzTabOrientation side, TRzTabSequence sequence) {
  return (sequence == tsStandard) == (side != toRight);
}
}  // namespace

void TRzCustomTabControl::ScrollerUpRight(TObject*) {
  ScrollTabs(SecondHalfScrollsForward(tabOrientation_, tabSequence_));
}
void TRzCustomTabControl::ScrollerDownLeft(TObject*) {
  ScrollTabs(!SecondHalfScrollsForward(tabOrientation_, tabSequence_));
}

// ---------------------------------------------------------------------------------------------
// Strip buttons

TRzTabStripButton::TRzTabStripButton(TRzCustomTabControl* owner) : TCustomControl(owner), owner_(owner) {
  SetControlStyle(ControlStyle() + csNoDesignVisible);
  SetParent(owner);
}

void TRzTabStripButton::SetFrameColor(TColor value) {
  if (value == frameColor_) return;
  frameColor_ = value;
  Invalidate();
}

bool TRzTabStripButton::InArea(int, TPoint p) { return ClientRect().Contains(p); }

void TRzTabStripButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  pressedArea_ = AreaAt({x, y});
  pressed_ = pressedInside_ = true;
  Invalidate();
  SetMouseCapture(true);
  Pressed();
}

void TRzTabStripButton::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (!pressed_) return;
  const bool inside = InArea(pressedArea_, {x, y});
  if (inside == pressedInside_) return;
  pressedInside_ = inside;
  Invalidate();
}

void TRzTabStripButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  Released();
  SetMouseCapture(false);
  const bool click = pressed_ && pressedInside_;
  pressed_ = pressedInside_ = false;
  Invalidate();
  TCustomControl::MouseUp(button, shift, x, y);
  if (click) Clicked(pressedArea_);
}

void TRzTabStripButton::PaintFace(TCanvas* canvas, const TRect& bounds, bool pressed) {
  TRzTabColors* colors = owner_->TabColors();
  if (owner_->UseGradients()) {
    TRect inner = bounds;
    inner.Inflate(-1, -1);
    RenderGradient(canvas, inner, gdHorizontalEnd, pressed ? colors->Shadow() : colors->Unselected(),
                   pressed ? colors->Unselected() : colors->Shadow(), 1);
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  } else {
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas->Brush()->SetColor(colors->Unselected());
  }
  canvas->Pen()->SetColor(frameColor_);
  canvas->Rectangle(bounds);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
}

TRzTabScroller::TRzTabScroller(TRzCustomTabControl* owner) : TRzTabStripButton(owner) {}
TRzTabScroller::~TRzTabScroller() = default;

void TRzTabScroller::Dispatch(TMessage& message) {
  if (message.Msg == CM_DESIGNHITTEST) {
    message.Result = 1;
    return;
  }
  TRzTabStripButton::Dispatch(message);
}

void TRzTabScroller::SetOrientation(TOrientation value) {
  if (value == orientation_) return;
  orientation_ = value;
  Invalidate();
}

// Horizontal: 1 is the right half; vertical: 1 is the upper half.
int TRzTabScroller::AreaAt(TPoint p) {
  return orientation_ == orHorizontal ? (p.X >= Width() / 2 ? 1 : 0) : (p.Y <= Height() / 2 ? 1 : 0);
}

bool TRzTabScroller::InArea(int area, TPoint p) {
  if (!ClientRect().Contains(p)) return false;
  if (orientation_ == orHorizontal) return area == 1 ? p.X >= Width() - Width() / 2 : p.X < Width() / 2;
  return area == 1 ? p.Y < Height() / 2 : p.Y >= Height() - Height() / 2;
}

void TRzTabScroller::Pressed() {
  if (!timer_) {
    timer_ = std::make_unique<TTimer>(nullptr);
    timer_->SetEnabled(false);
    timer_->OnTimer = MakeEvent(this, &TRzTabScroller::TimerTick);
  }
  timer_->SetInterval(FirstDelay);
  timer_->SetEnabled(true);
}

void TRzTabScroller::Released() {
  if (timer_) timer_->SetEnabled(false);
}

void TRzTabScroller::TimerTick(TObject*) {
  timer_->SetInterval(RepeatDelay);
  try {
    if (pressedInside_ && MouseCapture()) Clicked(pressedArea_);
  } catch (...) {
    timer_->SetEnabled(false);
    throw;
  }
}

void TRzTabScroller::Clicked(int area) {
  if (area == 1) DoUpRightClick();
  else DoDownLeftClick();
}

void TRzTabScroller::DoDownLeftClick() {
  if (OnDownLeftClick) OnDownLeftClick(this);
}
void TRzTabScroller::DoUpRightClick() {
  if (OnUpRightClick) OnUpRightClick(this);
}

void TRzTabScroller::Paint() {
  const int w = Width(), h = Height();
  TBitmap picture(std::max(w, 1), std::max(h, 1));
  TCanvas* canvas = picture.Canvas();
  TRzCustomTabControl* owner = TabControl();
  const bool second = SecondHalfScrollsForward(owner->TabOrientation(), owner->TabSequence());
  const bool horizontal = orientation_ == orHorizontal;
  for (int area = 0; area < 2; ++area) {
    const bool enabled = owner->CanScroll(area == 1 ? second : !second);
    const bool down = pressedInside_ && pressedArea_ == area;
    HTHEME theme = FramedThemesEnabled() ? OpenThemeByKind(totSpin) : nullptr;
    if (theme) {
      const TRect half = horizontal ? (area == 0 ? TRect{0, 0, w / 2, h} : TRect{w - w / 2, 0, w, h})
                                    : (area == 0 ? TRect{0, h - h / 2, w, h} : TRect{0, 0, w, h / 2});
      const int part = horizontal ? (area == 0 ? SPNP_DOWNHORZ : SPNP_UPHORZ) : (area == 0 ? SPNP_DOWN : SPNP_UP);
      const int state = !enabled ? 4 : down ? 3 : 1;
      const RECT r = half;
      UxDrawThemeBackground(theme, canvas->Handle(), part, state, &r, nullptr);
      continue;
    }
    const TRect half = horizontal ? (area == 0 ? TRect{0, 0, w / 2 + 1, h} : TRect{w - w / 2 - 1, 0, w, h})
                                  : (area == 0 ? TRect{0, h - h / 2 - 1, w, h} : TRect{0, 0, w, h / 2 + 1});
    PaintFace(canvas, half, down);
    const TArrowDirection direction = horizontal ? (area == 0 ? TArrowDirection::adLeft : TArrowDirection::adRight)
                                                 : (area == 0 ? TArrowDirection::adDown : TArrowDirection::adUp);
    PaintDirectionArrow(canvas, half, 0, direction, down, enabled);
  }
  Canvas()->Draw(0, 0, &picture);
}

void TRzTabCloseButton::DoClick() {
  if (OnClose) OnClose(this);
}

void TRzTabCloseButton::Paint() {
  const int w = Width(), h = Height();
  TBitmap picture(std::max(w, 1), std::max(h, 1));
  TCanvas* canvas = picture.Canvas();
  const TRect bounds{0, 0, w, h};
  const bool down = pressedInside_;
  if (HTHEME theme = FramedThemesEnabled() ? OpenThemeByKind(totWindow) : nullptr) {
    const int state = TabControl()->TabIndex() < 0 ? 4 : down ? 3 : 1;
    const RECT r = bounds;
    FillRect(canvas->Handle(), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    UxDrawThemeBackground(theme, canvas->Handle(), WP_SMALLCLOSEBUTTON, state, &r, nullptr);
  } else {
    PaintFace(canvas, bounds, down);
    PaintCloseCross(canvas, bounds, 0, down, true);
  }
  Canvas()->Draw(0, 0, &picture);
}

TRzTabMenuButton::TRzTabMenuButton(TRzCustomTabControl* owner)
    : TRzTabStripButton(owner), menu_(new TPopupMenu(this)) {}

TRzTabMenuButton::~TRzTabMenuButton() = default;

void TRzTabMenuButton::BuildMenu() {
  TMenuItem* items = menu_->Items();
  while (items->Count() > 0) items->Delete(items->Count() - 1);
  TRzCustomTabControl* owner = TabControl();
  menu_->SetImages(owner->Images());
  for (int i = 0; i < owner->Tabs()->Count(); ++i) {
    const TRzTabData* tab = owner->Tabs()->Items(i);
    if (!tab->Visible) continue;
    auto* item = new TMenuItem(menu_);
    item->SetCaption(tab->Caption);
    item->SetEnabled(tab->Enabled);
    item->SetChecked(i == owner->TabIndex());
    item->SetImageIndex(!tab->Enabled && tab->DisabledIndex != -1 ? tab->DisabledIndex : tab->ImageIndex);
    item->SetTag(i);
    item->OnClick = MakeEvent(this, &TRzTabMenuButton::ItemClick);
    items->Add(item);
  }
}

void TRzTabMenuButton::ItemClick(TObject* sender) {
  if (auto* item = ObjectAs<TMenuItem>(sender)) TabControl()->SetTabIndex(static_cast<int>(item->Tag()));
}

void TRzTabMenuButton::DisplayMenu() {
  BuildMenu();
  TRzCustomTabControl* owner = TabControl();
  const bool reverse = owner->TabSequence() == tsReverse;
  TPoint at;
  TPopupAlignment alignment = paRight;
  switch (owner->TabOrientation()) {
    case toLeft: at = {Width(), 0}, alignment = paLeft; break;
    case toBottom: at = reverse ? TPoint{0, 0} : TPoint{Width(), 0}, alignment = reverse ? paLeft : paRight; break;
    case toRight: at = {0, 0}; break;
    default: at = reverse ? TPoint{0, Height()} : TPoint{Width(), Height()}, alignment = reverse ? paLeft : paRight;
  }
  menu_->SetAlignment(alignment);
  const TPoint screen = ClientToScreen(at);
  menu_->Popup(screen.X, screen.Y);
}

void TRzTabMenuButton::Paint() {
  const int w = Width(), h = Height();
  TBitmap picture(std::max(w, 1), std::max(h, 1));
  TCanvas* canvas = picture.Canvas();
  const TRect bounds{0, 0, w, h};
  const bool down = pressedInside_;
  TArrowDirection direction = TArrowDirection::adDown;
  switch (TabControl()->TabOrientation()) {
    case toLeft: direction = TArrowDirection::adRight; break;
    case toBottom: direction = TArrowDirection::adUp; break;
    case toRight: direction = TArrowDirection::adLeft; break;
    default: break;
  }
  if (HTHEME theme = FramedThemesEnabled() ? OpenThemeByKind(totScrollBar) : nullptr) {
    // The arrow part drawn larger than the button, its outer edge cut off.
    const bool side = TabControl()->IsSideTabs();
    TBitmap part(w + (side ? 1 : 2), h + (side ? 2 : 1));
    const RECT r{0, 0, part.Width(), part.Height()};
    const int base = direction == TArrowDirection::adUp ? 1 : direction == TArrowDirection::adDown ? 5
                     : direction == TArrowDirection::adLeft ? 9 : 13;
    UxDrawThemeBackground(theme, part.Canvas()->Handle(), SBP_ARROWBTN, base + (down ? 2 : 0), &r, nullptr);
    BitBlt(canvas->Handle(), 0, 0, w, h, part.Canvas()->Handle(), side ? 0 : 1, side ? 1 : 0, SRCCOPY);
    const TColor corner = canvas->Pixel(0, 0);
    canvas->SetPixel(0, h - 1, corner);
    canvas->SetPixel(w - 1, h - 1, corner);
  } else {
    PaintFace(canvas, bounds, down);
    PaintDirectionArrow(canvas, bounds, 0, direction, down, true);
  }
  Canvas()->Draw(0, 0, &picture);
}
