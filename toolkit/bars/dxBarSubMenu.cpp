#include "dxBarSubMenu.h"

#include <algorithm>
#include <cmath>

#include "Forms.h"
#include "Menus.h"
#include "dxBarButtonControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarRoutines.h"
#include "dxBarShadow.h"
#include "dxBarSubItem.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarSubMenuControl, TCustomdxBarControl)
CALDERAN_IMPLEMENT_CLASS(TdxBarInternalSubMenuControl, TdxBarSubMenuControl)
CALDERAN_IMPLEMENT_CLASS(TdxBarCustomizingPopup, TdxBarInternalSubMenuControl)

namespace {
constexpr UINT_PTR ScrollTimerId = 1;
}  // namespace

// ---------------------------------------------------------------------------------------------
// Placement and sizes.

TRect MonitorWorkAreaAt(const TPoint& point) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  HMONITOR monitor = MonitorFromPoint(POINT{point.X, point.Y}, MONITOR_DEFAULTTONEAREST);
  if (monitor && GetMonitorInfoA(monitor, &info)) return TRect(info.rcWork);
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return TRect(area);
}

namespace {
// Steps 2 to 4: the horizontal placement.
void PlaceHorizontally(TRect& r, int ownerWidth, int ownerHeight, bool toRight, const TRect& work, bool clipWidth,
                       bool& flipped) {
  const int width = r.Width();
  const int ownerLeft = r.Left - ownerWidth;
  if (r.Right > work.Right) {
    if (ownerWidth > 0) {
      if (ownerLeft - work.Left > work.Right - r.Left) {
        r.Left = ownerLeft - width;
        flipped = true;
      }
    } else if (ownerHeight > 0) {
      r.Left = work.Right - width;
    } else if (r.Left - width >= work.Left) {
      r.Left -= width;
      flipped = true;
    } else {
      r.Left = work.Right - width;
    }
  }
  if (r.Left < work.Left) {
    if (ownerWidth == 0) {
      r.Left = work.Left;
    } else if (!toRight) {
      const int ownerRight = ownerLeft + ownerWidth;
      if (work.Right - ownerRight > ownerLeft - work.Left) {
        r.Left = ownerRight;
        flipped = true;
      }
    }
  }
  if (r.Left + width > work.Right) r.Left = work.Right - width;
  if (r.Left < work.Left) r.Left = work.Left;
  r.Right = r.Left + width;
  if (clipWidth && r.Right > work.Right) r.Right = work.Right;
}

// Steps 5 and 6: the vertical placement; a menu that does not fit keeps its top and scrolls.
void PlaceVertically(TRect& r, int ownerWidth, int ownerHeight, bool downwards, const TRect& work, bool& flipped) {
  int height = r.Height();
  const int ownerTop = r.Top - ownerHeight;
  if (r.Top + height > work.Bottom) {
    if (ownerHeight > 0) {
      if (ownerTop - work.Top > work.Bottom - r.Top) {
        r.Top = ownerTop - height;
        flipped = true;
      } else {
        height = work.Bottom - r.Top;
      }
    } else if (ownerWidth > 0) {
      r.Top = work.Bottom - height;
    } else if (r.Top - height >= work.Top) {
      r.Top -= height;
      flipped = true;
    } else {
      r.Top = work.Bottom - height;
    }
  }
  if (r.Top < work.Top) {
    if (downwards) {
      if (flipped && ownerHeight > 0) height -= work.Top - r.Top;
      r.Top = work.Top;
    } else if (ownerHeight > 0 && work.Bottom - (ownerTop + ownerHeight) > ownerTop - work.Top) {
      r.Top = ownerTop + ownerHeight;
      flipped = !flipped;
    } else {
      r.Top = work.Top;
    }
    height = std::min(height, work.Bottom - r.Top);
  }
  r.Bottom = r.Top + height;
}
}  // namespace

TdxBarMenuPlacement CalcMenuPlacement(const TPoint& at, const TSize& size, int ownerWidth, int ownerHeight,
                                      bool toRight, bool downwards, const TRect& workArea, bool clipWidth) {
  TdxBarMenuPlacement result;
  TRect r(at.X, at.Y, at.X + size.cx, at.Y + size.cy);
  PlaceHorizontally(r, ownerWidth, ownerHeight, toRight, workArea, clipWidth, result.FlippedLeft);
  PlaceVertically(r, ownerWidth, ownerHeight, downwards, workArea, result.FlippedUp);
  result.Bounds = r;
  return result;
}

int MenuItemTextSize(int baseSize, bool large, bool descriptions) {
  if (!large) return baseSize;
  if (!descriptions) return baseSize * 2;
  return static_cast<int>(std::nearbyint(baseSize * 2.5));  // the default rounding goes half to even
}

// ---------------------------------------------------------------------------------------------
// Construction.

TdxBarSubMenuControl::TdxBarSubMenuControl(TComponent* owner, TdxBarManager* manager)
    : TCustomdxBarControl(owner, manager) {
  SetVisible(false);
  SetBounds(0, 0, 0, 0);
}

TdxBarSubMenuControl::~TdxBarSubMenuControl() {
  Destroying();
  hiding_ = true;
  if (HandleAllocated()) DestroyHandle();
  delete shadow_;
  delete animationImage_;
}

Word TdxBarSubMenuControl::GetBehaviourFlags() const {
  return static_cast<Word>((TCustomdxBarControl::GetBehaviourFlags() & ~(0x40 | 0x200)) | 0x02 | 0x10);
}

int TdxBarSubMenuControl::GetSeparatorSize() const { return GetPainter()->GetMenuSeparatorSize(); }

int TdxBarSubMenuControl::GetItemTextSize(TdxBarItemControl* control) const {
  const int base = TCustomdxBarControl::GetItemTextSize(control);
  TdxBarItemLinks* links = ItemLinks();
  if (!links) return base;
  return MenuItemTextSize(base, links->GetItemSize() == misLarge, links->GetShowDescriptions());
}

HBRUSH TdxBarSubMenuControl::BkBrush() const {
  return GetPainter()->GetMenuBackgroundBrush(const_cast<TdxBarSubMenuControl*>(this));
}

TFont* TdxBarSubMenuControl::ItemsFont() const {
  if (ParentBar()) return ParentBar()->ItemsFont();
  return TCustomdxBarControl::ItemsFont();
}

bool TdxBarSubMenuControl::IsInternalPopup() const {
  auto* parent = ObjectAs<TdxBarSubMenuControl>(ParentBar());
  return parent && parent->IsInternalPopup();
}

bool TdxBarSubMenuControl::IsStandalone() const {
  if (!ParentBar()) return true;
  auto* parent = ObjectAs<TdxBarSubMenuControl>(ParentBar());
  return parent && parent->IsStandalone();
}

UINT TdxBarSubMenuControl::GetScrollInterval() const { return GetPainter()->ReservesScrollButtonSpace() ? 200 : 80; }

TdxBarItemControl* TdxBarSubMenuControl::Opener() const {
  if (dropDownButton_) return dropDownButton_;
  return subItemControl_;
}

IdxBarSubMenuOwner* TdxBarSubMenuControl::SubMenuOwner() const {
  TdxBarItemLinks* links = ItemLinks();
  if (!links || !links->Owner()) return nullptr;
  return dynamic_cast<IdxBarSubMenuOwner*>(links->Owner());
}

int TdxBarSubMenuControl::GetBarSize() const {
  IdxBarSubMenuOwner* owner = SubMenuOwner();
  return owner ? std::max(owner->GetBarSize(), 0) : 0;
}

// ---------------------------------------------------------------------------------------------
// The window.

void TdxBarSubMenuControl::CreateParams(TCreateParams& params) {
  TCustomdxBarControl::CreateParams(params);
  params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  params.ExStyle |= WS_EX_TOPMOST;
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS;
  HWND owner = parentWindow_;
  if (!owner && BarManager()) {
    if (auto* form = ObjectAs<TWinControl>(BarManager()->Owner()); form && form->HandleAllocated())
      owner = form->WindowHandle();
  }
  params.WndParent = owner;
}

// The window opens where it was asked (its show position), placed on the work area.
void TdxBarSubMenuControl::CreateWnd() {
  showPosition_ = TPoint(Left(), Top());
  finalPosition_ = showPosition_;
  TCustomdxBarControl::CreateWnd();
  SetIsActive(true);
  topIndex_ = 0;
  CalcPosition();
  if (showAnimation_) StartAnimation();
  PlayMenuSound(0);
}

void TdxBarSubMenuControl::DestroyWindowHandle() {
  if (!HandleAllocated()) return TCustomdxBarControl::DestroyWindowHandle();
  StopAnimation();
  StopScrolling();
  if (auto* child = ObjectAs<TdxBarSubMenuControl>(ChildBar())) child->HideWindow();
  HideShadow();
  TcxObjectLinkGuard alive(this);
  SetIsActive(false);
  TCustomdxBarControl::DestroyWindowHandle();
  if (alive.Alive() && OnCloseUp) OnCloseUp(this);
}

void TdxBarSubMenuControl::HideWindow() {
  if (hiding_ || ComponentState().Contains(csDestroying)) return;
  hiding_ = true;
  if (HandleAllocated()) DestroyHandle();
  delete this;
}

// A menu inside a chain closes as every bar window does; a popup menu at a point is the root of
// its chain and goes with it.
void TdxBarSubMenuControl::CloseUp() {
  if (ParentBar()) return TCustomdxBarControl::CloseUp();
  if (auto* child = ObjectAs<TdxBarSubMenuControl>(ChildBar())) child->HideWindow();
  HideWindow();
}

void TdxBarSubMenuControl::Show() {
  if (OnPopup) OnPopup(this);
  TdxBarManager* manager = BarManager();
  TCustomdxBarControl* root = this;
  while (root->ParentBar()) root = root->ParentBar();
  if (root->BarManager()) manager = root->BarManager();
  const TdxBarMenuAnimations chosen = manager ? manager->MenuAnimations() : maNone;
  animationKind_ = ChooseMenuAnimation(chosen, static_cast<int>(GetTickCount() % 100));
  const bool hasLinks = ItemLinks() && ItemLinks()->GetCanVisibleCount() > 0;
  const bool customizing = manager && manager->IsCustomizing();
  showAnimation_ = showAnimation_ && animationKind_ != maNone && animationKind_ != maFade && hasLinks && !customizing;
  ShowWindowAnimated();
}

void TdxBarSubMenuControl::ShowWindowAnimated() {
  HandleNeeded();
  if (animationKind_ == maFade && !animating_) {
    AnimateWindow(WindowHandle(), 150, AW_BLEND);
    if (!IsWindowVisible(WindowHandle())) ShowWindow(WindowHandle(), SW_SHOWNOACTIVATE);
  } else {
    UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (!animating_) flags |= SWP_SHOWWINDOW;
    SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0, flags);
  }
  if (!animating_) ShowShadow();
}

// ---------------------------------------------------------------------------------------------
// Geometry.

TRect TdxBarSubMenuControl::GetBorderRect() const {
  const int border = GetPainter()->GetMenuBorderSize(const_cast<TdxBarSubMenuControl*>(this));
  return {border, border, border, border};
}

TRect TdxBarSubMenuControl::GetMarginsRect() const {
  const int margin = GetPainter()->GetMenuMargin();
  return {margin + GetBarSize(), margin, margin, margin};
}

TRect TdxBarSubMenuControl::GetItemsRect() const {
  const TRect margins = GetMarginsRect();
  const TRect client = const_cast<TdxBarSubMenuControl*>(this)->ClientRect();
  return {client.Left + margins.Left, client.Top + margins.Top, client.Right - margins.Right,
          client.Bottom - margins.Bottom};
}

TRect TdxBarSubMenuControl::GetSideBarRect() const {
  const TRect items = GetItemsRect();
  return {items.Left - GetBarSize(), items.Top, items.Left, items.Bottom};
}

// The widest shortcut text of the shown links and the gap before it; 0 when none shows one.
int TdxBarSubMenuControl::ShortCutColumnWidth() {
  TdxBarItemLinks* links = ItemLinks();
  if (!links || !links->GetShowShortCuts()) return 0;
  int widest = 0;
  for (int i = 0; i < links->GetVisibleCount(); ++i) {
    TdxBarItemControl* control = links->GetVisibleLink(i)->Control();
    const uint16_t shortCut = control ? control->GetShortCut() : 0;
    if (shortCut) widest = std::max(widest, GetCanvas()->TextWidth(ShortCutToText(shortCut)));
  }
  return widest > 0 ? widest + TextSize() + 5 : 0;
}

// The widest link (with the shortcut column) and the links' heights with their separators, from
// the top index.
TSize TdxBarSubMenuControl::CalcMenuSize() {
  int width = 0, height = 0;
  TdxBarItemLinks* links = ItemLinks();
  for (int i = links ? topIndex_ : 0; links && i < links->GetVisibleCount(); ++i) {
    TdxBarItemLink* link = links->GetVisibleLink(i);
    TdxBarItemControl* control = link->Control();
    if (!control) continue;
    if (i > topIndex_ && link->GetBeginGroup()) height += GetSeparatorSize();
    width = std::max(width, control->CalcWidth());
    height += control->CalcHeight();
  }
  if (width > 0) width += ShortCutColumnWidth();
  if (width == 0) width = 100;
  if (height <= 2) height += TextSize();
  const TRect border = GetBorderRect(), margins = GetMarginsRect();
  return {width + border.Left + border.Right + margins.Left + margins.Right,
          height + border.Top + border.Bottom + margins.Top + margins.Bottom};
}

void TdxBarSubMenuControl::CalcPosition() {
  const TSize size = CalcMenuSize();
  const TRect work = MonitorWorkAreaAt(showPosition_);
  const TdxBarMenuPlacement placement = CalcMenuPlacement(showPosition_, size, ownerWidth_, ownerHeight_, toRight_,
                                                          downwards_, work, ClipsToWorkAreaWidth());
  flippedLeft_ = placement.FlippedLeft;
  flippedUp_ = placement.FlippedUp;
  SetBoundsRect(placement.Bounds);
  UpdateLayout();
}

// The links from the top index stack in the items rectangle; the ones that start below it are
// not placed, and a bottom scroll button shows while any link is not wholly shown.
void TdxBarSubMenuControl::CalcItemRects(int, int& bottom) {
  TdxBarItemLinks* links = ItemLinks();
  const TRect items = GetItemsRect();
  const bool reserves = GetPainter()->ReservesScrollButtonSpace();
  const int scrollHeight = GetPainter()->GetMenuScrollButtonHeight(this);
  int top = items.Top + (reserves && topIndex_ > 0 ? scrollHeight : 0);
  bottom = top;
  bottomScrollButton_ = false;
  for (int i = topIndex_; i < links->GetVisibleCount(); ++i) {
    TdxBarItemLink* link = links->GetVisibleLink(i);
    TdxBarItemControl* control = link->Control();
    if (!control) continue;
    const int separator = i > topIndex_ && link->GetBeginGroup() ? GetSeparatorSize() : 0;
    const TRect rect(items.Left, top + separator, items.Right, top + separator + control->CalcHeight());
    if (rect.Bottom > items.Bottom) {
      bottomScrollButton_ = true;
      if (rect.Top >= items.Bottom) break;
    }
    if (separator) ViewInfo()->AddSeparatorInfo(TRect(items.Left, top, items.Right, rect.Top), true, control);
    link->SetItemRect(rect);
    control->ViewInfo()->SetBounds(rect);
    top = bottom = rect.Bottom;
  }
  if (reserves && bottomScrollButton_) {
    // The links under the bottom scroll button are not shown.
    const int limit = items.Bottom - scrollHeight;
    for (int i = topIndex_; i < links->GetVisibleCount(); ++i) {
      TdxBarItemLink* link = links->GetVisibleLink(i);
      if (link->Control() && link->ItemRect().Bottom > limit && link->ItemRect().Top > items.Top) {
        link->SetItemRect(TRect());
        link->Control()->ViewInfo()->SetBounds(TRect());
      }
    }
  }
}

TRect TdxBarSubMenuControl::ScrollButtonRect(bool top) const {
  const TRect items = GetItemsRect();
  const int height = GetPainter()->GetMenuScrollButtonHeight(const_cast<TdxBarSubMenuControl*>(this));
  return top ? TRect(items.Left, items.Top, items.Right, items.Top + height)
             : TRect(items.Left, items.Bottom - height, items.Right, items.Bottom);
}

// ---------------------------------------------------------------------------------------------
// Painting.

void TdxBarSubMenuControl::DrawNonClient(HDC dc) { DrawFrame(dc); }

void TdxBarSubMenuControl::DrawFrame(HDC dc) {
  RECT window;
  GetWindowRect(WindowHandle(), &window);
  GetPainter()->DrawMenuFrame(this, dc, TRect(0, 0, window.right - window.left, window.bottom - window.top));
}

void TdxBarSubMenuControl::Paint() {
  if (ComponentState().Contains(csDestroying)) return;
  TcxCanvas* canvas = GetCanvas();
  if (animating_) {
    DrawAnimationStep(animationStep_);
    return;
  }
  canvas->SaveState();
  FillRect(canvas->GetHandle(), ClientRect().Win(), BkBrush());
  PaintContent();
  canvas->RestoreState();
  if (IdxBarSubMenuOwner* owner = SubMenuOwner(); owner && GetBarSize() > 0)
    owner->DoPaintBar(Canvas(), GetSideBarRect());
}

void TdxBarSubMenuControl::PaintContent() {
  TcxCanvas* canvas = GetCanvas();
  for (int i = 0; i < ViewInfo()->GetSeparatorCount(); ++i) {
    const auto& separator = ViewInfo()->GetSeparatorInfo(i);
    GetPainter()->DrawMenuSeparator(this, separator.Control, separator.Rect, canvas);
  }
  canvas->SaveClipRegion();
  PaintItemControls();
  canvas->RestoreClipRegion();
  PaintScrollButtons(canvas);
}

void TdxBarSubMenuControl::PaintScrollButtons(TcxCanvas* canvas) {
  if (TopScrollButtonShown()) GetPainter()->DrawMenuScrollButton(this, canvas, ScrollButtonRect(true), true);
  if (BottomScrollButtonShown()) GetPainter()->DrawMenuScrollButton(this, canvas, ScrollButtonRect(false), false);
}

// ---------------------------------------------------------------------------------------------
// Shadow.

void TdxBarSubMenuControl::ShowShadow() {
  if (!HandleAllocated() || animating_ || !GetPainter()->HasMenuShadow(this)) return;
  if (!shadow_) shadow_ = new TdxBarShadow(this);
  RECT window;
  GetWindowRect(WindowHandle(), &window);
  shadow_->SetShadowBounds(ownerBounds_, TRect(window));
  shadow_->SetVisible(true);
}

void TdxBarSubMenuControl::HideShadow() {
  if (shadow_) shadow_->SetVisible(false);
}

// ---------------------------------------------------------------------------------------------
// Scrolling.

void TdxBarSubMenuControl::SetTopIndex(int index) {
  index = std::max(index, 0);
  if (ItemLinks()) index = std::min(index, std::max(ItemLinks()->GetVisibleCount() - 1, 0));
  if (index == topIndex_) return;
  topIndex_ = index;
  if (!HandleAllocated()) return;
  UpdateLayout();
  Invalidate();
}

void TdxBarSubMenuControl::StartScrolling() {
  if (scrollTimer_ || !HandleAllocated()) return;
  SetSelectedItemControl(nullptr);
  scrollTimer_ = SetTimer(WindowHandle(), ScrollTimerId, GetScrollInterval(), nullptr);
}

void TdxBarSubMenuControl::StopScrolling() {
  if (!scrollTimer_) return;
  if (HandleAllocated()) KillTimer(WindowHandle(), ScrollTimerId);
  scrollTimer_ = 0;
}

void TdxBarSubMenuControl::ScrollTick() {
  POINT cursor;
  GetCursorPos(&cursor);
  const TPoint point = ScreenToClient(TPoint(cursor.x, cursor.y));
  if (TopScrollButtonShown() && ScrollButtonRect(true).Contains(point)) {
    SetTopIndex(topIndex_ - 1);
  } else if (BottomScrollButtonShown() && ScrollButtonRect(false).Contains(point)) {
    SetTopIndex(topIndex_ + 1);
  } else {
    StopScrolling();
    SendMessageA(WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(point.X, point.Y));
  }
}

// Keyboard selection keeps the selected control in view.
void TdxBarSubMenuControl::MakeItemControlVisible(TdxBarItemControl* control) {
  TdxBarItemLinks* links = ItemLinks();
  if (!control || !links || !HandleAllocated()) return;
  const int index = control->Link()->GetVisibleIndex();
  if (index < 0) return;
  const TRect items = GetItemsRect();
  const int top = items.Top + (TopScrollButtonShown() ? GetPainter()->GetMenuScrollButtonHeight(this) : 0);
  while (topIndex_ > 0 && (index < topIndex_ || control->Link()->ItemRect().Top < top)) SetTopIndex(topIndex_ - 1);
  for (int guard = links->GetVisibleCount(); guard > 0; --guard) {
    const TRect r = control->Link()->ItemRect();
    const int bottom = items.Bottom - (BottomScrollButtonShown() ? GetPainter()->GetMenuScrollButtonHeight(this) : 0);
    if (!r.IsEmpty() && r.Bottom <= bottom && (index == topIndex_ || r.Top >= top)) break;
    SetTopIndex(topIndex_ + 1);
  }
  Invalidate();
}

void TdxBarSubMenuControl::DoSetSelectedItemControl(TdxBarItemControl* control) {
  TCustomdxBarControl::DoSetSelectedItemControl(control);
  if (control && !control->SelectedByMouse()) MakeItemControlVisible(control);
}

// ---------------------------------------------------------------------------------------------
// Mouse and keys.

void TdxBarSubMenuControl::DoMouseMove(TShiftState shift, const TPoint& point, TdxBarItemControl* control) {
  if (animating_ && !IgnoresMousePosition(true)) StopAnimation();
  TcxObjectLinkGuard alive(this);
  TCustomdxBarControl* parent = ParentBar();
  if (TdxBarItemControl* opener = Opener(); parent && opener && !IgnoresMousePosition(false) &&
                                            parent->SelectedControl() != opener && parent->ShowsItemControl(opener))
    parent->SelectItemControlByMouse(opener);
  if (!alive.Alive()) return;
  const bool onScrollButton = (TopScrollButtonShown() && ScrollButtonRect(true).Contains(point)) ||
                              (BottomScrollButtonShown() && ScrollButtonRect(false).Contains(point));
  if (onScrollButton) return StartScrolling();
  if (IsScrolling()) {
    StopScrolling();
    Invalidate();
  }
  TCustomdxBarControl::DoMouseMove(shift, point, control);
}

void TdxBarSubMenuControl::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN: HandleMenuKey(m); break;
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS; break;
    case WM_NCCALCSIZE: {
      TCustomdxBarControl::Dispatch(m);
      auto* rect = reinterpret_cast<RECT*>(m.LParam);
      const TRect border = GetBorderRect();
      rect->left += border.Left;
      rect->top += border.Top;
      rect->right -= border.Right;
      rect->bottom -= border.Bottom;
      break;
    }
    case WM_TIMER:
      if (m.WParam == ScrollTimerId) ScrollTick();
      else if (m.WParam == dxBarMenuAnimationTimerId) AnimationTick();
      else TCustomdxBarControl::Dispatch(m);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (IsScrolling()) break;
      StopAnimation();
      TCustomdxBarControl::Dispatch(m);
      break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: WMRButton(m); break;
    case WM_PRINT:
      TCustomdxBarControl::Dispatch(m);
      if (m.LParam & PRF_NONCLIENT) DrawFrame(reinterpret_cast<HDC>(m.WParam));
      break;
    default: TCustomdxBarControl::Dispatch(m);
  }
}

// In a menu at a point the right button clicks as the left one does.
void TdxBarSubMenuControl::WMRButton(TMessage& m) {
  TcxObjectLinkGuard alive(this);
  TCustomdxBarControl::Dispatch(m);
  if (!alive.Alive() || !IsStandalone() || !HandleAllocated()) return;
  const UINT left = m.Msg == WM_RBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP;
  SendMessageA(WindowHandle(), left, m.WParam, m.LParam);
}

void TdxBarSubMenuControl::HandleMenuKey(TMessage& m) {
  StopAnimation();
  TcxObjectLinkGuard alive(this);
  TCustomdxBarControl::Dispatch(m);
  if (!alive.Alive() || !ActiveBarControl()) return;
  Word key = static_cast<Word>(m.WParam);
  if (key == 0 || KeyDownToSelectedItem(key, KeyDataToShiftState(m.LParam))) return;
  switch (key) {
    case VK_RETURN:
      if (TdxBarItemControl* selected = SelectedControl()) selected->Click(false, key);
      break;
    case VK_ESCAPE: EscapeOneLevel(); break;
    case VK_LEFT: LeftFromMenu(m); break;
    case VK_RIGHT: ForwardToRootToolbar(m, VK_RIGHT); break;
    default: break;
  }
}

// Escape closes this menu only: the opener in the parent window stays selected.
void TdxBarSubMenuControl::EscapeOneLevel() {
  TCustomdxBarControl* parent = ParentBar();
  TdxBarItemControl* opener = parent ? parent->SelectedControl() : nullptr;
  if (!opener) return CloseByEscape();
  TcxObjectLinkGuard parentAlive(parent);
  opener->ControlInactivate(true);  // frees this window
  if (parentAlive.Alive()) parent->SetDowned(false);
}

void TdxBarSubMenuControl::LeftFromMenu(TMessage& m) {
  TCustomdxBarControl* parent = ParentBar();
  TdxBarItemControl* opener = parent ? parent->SelectedControl() : nullptr;
  if (!opener) return;
  if (parent->GetKind() == 2) return opener->ControlInactivate(true);
  TCustomdxBarControl* root = parent;
  while (root->ParentBar()) root = root->ParentBar();
  if (root->IsVertical()) {
    m.Result = SendMessageA(WindowHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
    return;
  }
  ForwardToRootToolbar(m, VK_LEFT);
}

void TdxBarSubMenuControl::ForwardToRootToolbar(TMessage& m, Word key) {
  TCustomdxBarControl* root = ParentBar();
  if (!root) return;
  while (root->ParentBar()) root = root->ParentBar();
  if (root->GetKind() == 2 || !root->HandleAllocated()) return;
  m.Result = SendMessageA(root->WindowHandle(), WM_KEYDOWN, key, 0);
}

// ---------------------------------------------------------------------------------------------
// Internal menus.

TdxBarInternalSubMenuControl::TdxBarInternalSubMenuControl(TComponent* owner, TdxBarManager* manager)
    : TdxBarSubMenuControl(owner, manager), ownLinks_(new TdxBarSubMenuControlItemLinks(manager, this)) {
  ownLinks_->SetInternal(true);
  ownLinks_->SetBarControl(this);
  SetItemLinks(ownLinks_);
}

TdxBarInternalSubMenuControl::~TdxBarInternalSubMenuControl() {
  Destroying();
  if (HandleAllocated()) DestroyHandle();
  SetItemLinks(nullptr);
  ownLinks_->SetBarControl(nullptr);
  delete ownLinks_;
}

bool TdxBarInternalSubMenuControl::CanContainItem(TdxBarItem*, std::string& text) {
  text.clear();
  return true;
}

TdxBarCustomizingPopup::TdxBarCustomizingPopup(TComponent* owner, TdxBarManager* manager)
    : TdxBarInternalSubMenuControl(owner, manager) {
  SetShowAnimation(false);
}

void TdxBarCustomizingPopup::Fill() {
  TdxBarManager* manager = BarManager();
  if (manager && manager->OnShowCustomizingPopup) manager->OnShowCustomizingPopup(manager, OwnLinks());
}
