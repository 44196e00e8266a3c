#include "cxContainerListBox.h"

#include <windowsx.h>

#include <algorithm>

#include "cxScrollBar.h"

CALDERAN_IMPLEMENT_CLASS(TcxCustomInnerListBox, TCustomListBox)

TcxCustomInnerListBox::TcxCustomInnerListBox(TComponent* owner)
    : TCustomListBox(owner),
      lookAndFeel_(std::make_unique<TcxLookAndFeel>(this)) {
  hScrollBar_ = CreateOwnScrollBar(sbHorizontal);
  vScrollBar_ = CreateOwnScrollBar(sbVertical);
  lookAndFeel_->OnChanged = MakeEvent(this, &TcxCustomInnerListBox::LookAndFeelChanged);
  for (TcxScrollBar* bar : {hScrollBar_, vScrollBar_}) bar->LookAndFeel()->SetParentLookAndFeel(lookAndFeel_.get());
  SetControlStyle(ControlStyle() - csOpaque + csDoubleClicks);
  SetParentColor(false);
  SetParentFont(true);
}

// The bars live in the list's parent: they go first, wherever they are, so that no window is left
// holding a bar whose list is gone.
TcxCustomInnerListBox::~TcxCustomInnerListBox() {
  delete hScrollBar_;
  delete vScrollBar_;
  hScrollBar_ = vScrollBar_ = nullptr;
}

// The container draws the border: the list has none of its own.
void TcxCustomInnerListBox::CreateParams(TCreateParams& params) {
  TCustomListBox::CreateParams(params);
  params.ExStyle &= ~WS_EX_CLIENTEDGE;
  params.Style &= ~WS_BORDER;
}

TcxScrollBar* TcxCustomInnerListBox::CreateOwnScrollBar(TScrollBarKind kind) {
  auto* bar = new TcxScrollBar(this);
  bar->FreeNotification(this);
  bar->SetKind(kind);
  bar->SetSmallChange(1);
  bar->SetTabStop(false);
  bar->SetVisible(false);
  bar->OnScroll = kind == sbHorizontal ? MakeEvent(this, &TcxCustomInnerListBox::HScrollBarScroll)
                                       : MakeEvent(this, &TcxCustomInnerListBox::VScrollBarScroll);
  return bar;
}

void TcxCustomInnerListBox::Notification(TComponent* component, TOperation operation) {
  TCustomListBox::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == hScrollBar_) hScrollBar_ = nullptr;
  if (component == vScrollBar_) vScrollBar_ = nullptr;
}

void TcxCustomInnerListBox::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
  if (HandleAllocated()) Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Messages: the container previews every one

void TcxCustomInnerListBox::WndProc(TMessage& m) {
  if (container_ && container_->HandleInnerKeyMessage(m)) return;
  if (m.Msg == WM_LBUTTONDOWN && DragMode() == dmAutomatic && container_ && !ComponentState().Contains(csDesigning))
    return WMLButtonDown(m);
  if (m.Msg == WM_GETDLGCODE && container_) {
    TCustomListBox::WndProc(m);
    AddInnerDialogCodes(container_, m);
    return;
  }
  TCustomListBox::WndProc(m);
}

void TcxCustomInnerListBox::DefaultHandler(TMessage& m) {
  if (container_ && container_->PreviewInnerMessage(m)) return;
  TCustomListBox::DefaultHandler(m);
}

void TcxCustomInnerListBox::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_SETREDRAW: WMSetRedraw(m); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); break;
    case WM_NCCALCSIZE: WMNCCalcSize(m); break;
    case WM_NCPAINT: WMNCPaint(m); break;
    case WM_PRINT: WMPrint(m); break;
    case WM_PRINTCLIENT: DefaultHandler(m); break;
    case WM_SETFOCUS: case WM_KILLFOCUS: WMFocus(m); break;
    case WM_DESTROY:
      redrawLocked_ = false;
      TCustomListBox::Dispatch(m);
      break;
    case CM_MOUSEENTER:
      TCustomListBox::Dispatch(m);
      MouseEnterHook(m.LParam ? reinterpret_cast<TControl*>(m.LParam) : this);
      break;
    case CM_MOUSELEAVE:
      TCustomListBox::Dispatch(m);
      MouseLeaveHook(m.LParam ? reinterpret_cast<TControl*>(m.LParam) : this);
      break;
    case WM_HSCROLL: case WM_VSCROLL: case WM_MOUSEWHEEL: case CM_WININICHANGE:
    case LB_ADDSTRING: case LB_INSERTSTRING: case LB_DELETESTRING: case LB_RESETCONTENT: case LB_SETCURSEL:
    case LB_SETTOPINDEX: case LB_SETCARETINDEX: case LB_SETHORIZONTALEXTENT:
      DispatchAndSync(m);
      break;
    default: TCustomListBox::Dispatch(m);
  }
}

void TcxCustomInnerListBox::DispatchAndSync(TMessage& m) {
  TCustomListBox::Dispatch(m);
  SyncOwnScrollBars();
}

void TcxCustomInnerListBox::WMSetRedraw(TMessage& m) {
  redrawLocked_ = m.WParam == 0;
  TCustomListBox::Dispatch(m);
  if (!redrawLocked_) SyncOwnScrollBars();
}

void TcxCustomInnerListBox::WMWindowPosChanged(TMessage& m) {
  DispatchAndSync(m);
  const TRect grip = SizeGripRect();
  if (grip.IsEmpty() || !HandleAllocated()) return;
  HRGN region = CreateRectRgn(grip.Left, grip.Top, grip.Right, grip.Bottom);
  SendMessageA(Handle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
  DeleteObject(region);
}

void TcxCustomInnerListBox::WMNCCalcSize(TMessage& m) {
  TCustomListBox::Dispatch(m);
  if (!scrollBarsCalculating_) SyncOwnScrollBars();
}

void TcxCustomInnerListBox::WMNCPaint(TMessage& m) {
  TCustomListBox::Dispatch(m);
  if (!AreOwnScrollBarsUsable() || !HandleAllocated()) return;
  HDC dc = GetWindowDC(Handle());
  PaintSizeGrip(dc);
  ReleaseDC(Handle(), dc);
}

// A picture of the whole window shows the grip too; the platform's own non-client painting would
// draw its system bars' corner over it.
void TcxCustomInnerListBox::WMPrint(TMessage& m) {
  if (m.LParam & PRF_NONCLIENT) {
    PaintSizeGrip(reinterpret_cast<HDC>(m.WParam));
    m.LParam &= ~PRF_NONCLIENT;
  }
  TCustomListBox::Dispatch(m);
}

void TcxCustomInnerListBox::WMFocus(TMessage& m) {
  TCustomListBox::Dispatch(m);
  if (!container_ || container_->IsContainerDestroying()) return;
  const bool fromContainer = container_->HandleAllocated() && reinterpret_cast<HWND>(m.WParam) == container_->Handle();
  if (m.Msg == WM_SETFOCUS && (ComponentState().Contains(csDestroying) || fromContainer)) return;
  container_->DoFocusChanged();
}

void TcxCustomInnerListBox::MouseLeaveHook(TControl*) {
  if (container_) container_->ShortRefresh(true);
}

TPopupMenu* TcxCustomInnerListBox::GetPopupMenu() {
  return container_ ? static_cast<TControl*>(container_)->PopupMenu() : TCustomListBox::GetPopupMenu();
}

void TcxCustomInnerListBox::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
  if (container_) container_->DoDragOver(source, x + Left(), y + Top(), state, accept);
}

void TcxCustomInnerListBox::DragDrop(TObject* source, int x, int y) {
  if (container_) static_cast<TControl*>(container_)->DragDrop(source, x + Left(), y + Top());
}

// ---------------------------------------------------------------------------------------------
// Input handed to the container (points moved into its coordinates)

void TcxCustomInnerListBox::Click() {
  TCustomListBox::Click();
  if (vScrollBar_ && HandleAllocated()) vScrollBar_->SetPosition(TopIndex());
  if (container_) container_->DoClick();
}

void TcxCustomInnerListBox::DblClick() {
  TCustomListBox::DblClick();
  if (container_) container_->DoDblClick();
}

void TcxCustomInnerListBox::KeyDown(Word& key, TShiftState shift) {
  InnerKeyDownToContainer(container_, key, shift);
  if (key != 0) TCustomListBox::KeyDown(key, shift);
}

void TcxCustomInnerListBox::KeyUp(Word& key, TShiftState shift) {
  InnerKeyUpToContainer(container_, key, shift);
  if (key != 0) TCustomListBox::KeyUp(key, shift);
}

void TcxCustomInnerListBox::KeyPress(char& key) {
  InnerKeyPressToContainer(container_, key);
  if (key != 0) TCustomListBox::KeyPress(key);
  if (key != 0) ProcessAutoCompleteKey(key);
}

void TcxCustomInnerListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomListBox::MouseDown(button, shift, x, y);
  InnerMouseDownToContainer(container_, this, button, shift, x, y);
}

void TcxCustomInnerListBox::MouseMove(TShiftState shift, int x, int y) {
  TCustomListBox::MouseMove(shift, x, y);
  InnerMouseMoveToContainer(container_, this, shift, x, y);
}

void TcxCustomInnerListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomListBox::MouseUp(button, shift, x, y);
  InnerMouseUpToContainer(container_, this, button, shift, x, y);
}

bool TcxCustomInnerListBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (container_ && container_->DoInnerMouseWheel(shift, wheelDelta, mousePos)) return true;
  return TCustomListBox::DoMouseWheel(shift, wheelDelta, mousePos);
}

// Automatic dragging drags the container. A press on an item already selected in a multi-select
// list starts the drag at once so that the selection survives it (Shift alone still extends).
// (The framework's own automatic drag would drag the list itself, so the press is taken first.)
void TcxCustomInnerListBox::WMLButtonDown(TMessage& m) {
  SetDragMode(dmManual);
  struct TRestore {
    TcxCustomInnerListBox* list;
    ~TRestore() { list->SetDragMode(dmAutomatic); }
  } restore{this};
  const bool shift = m.WParam & MK_SHIFT, ctrl = m.WParam & MK_CONTROL;
  if (MultiSelect() && !(shift && !ctrl)) {
    const int item = ItemAtPos(TPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)), true);
    if (item >= 0 && Selected(item)) return container_->BeginDrag(false);
  }
  TCustomListBox::WndProc(m);
  if (!(MultiSelect() && (shift || ctrl))) container_->BeginDrag(false);
}

// ---------------------------------------------------------------------------------------------
// Own scroll bars

void TcxCustomInnerListBox::SyncOwnScrollBars() {
  if (ComponentState().Contains(csDestroying) || scrollBarsLockCount_ > 0 || !AreOwnScrollBarsUsable() ||
      redrawLocked_)
    return;
  scrollBarsCalculating_ = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{scrollBarsCalculating_};
  for (TcxScrollBar* bar : {hScrollBar_, vScrollBar_})
    if (bar) SyncOwnScrollBar(bar);
}

void TcxCustomInnerListBox::SyncOwnScrollBar(TcxScrollBar* bar) {
  SCROLLBARINFO info;
  const LONG object = bar->Kind() == sbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL;
  const bool shown = Parent() && HandleAllocated() && QueryScrollBarInfo(Handle(), object, info) &&
                     !(info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN));
  const TRect rect = shown ? OwnScrollBarRect(bar, info) : TRect();
  PlaceOwnScrollBar(bar, rect, shown && !rect.IsEmpty());
  if (!bar->Visible()) return;
  SCROLLINFO si{};
  si.cbSize = sizeof(SCROLLINFO);
  si.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar->Kind() == sbHorizontal ? SB_HORZ : SB_VERT, &si);
  bar->SetScrollParams(si.nMin, si.nMax, si.nPos, std::min<int>(si.nPage, si.nMax));
  bar->SetSmallChange(1);
}

// The system bar's place in the parent's client coordinates; empty when it would stick out of the
// parent's origin or be larger than the list itself.
TRect TcxCustomInnerListBox::OwnScrollBarRect(TcxScrollBar* bar, const SCROLLBARINFO& info) {
  bar->SetEnabled(!(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) && (!bar->Parent() || bar->Parent()->Enabled()));
  const TPoint origin = Parent()->ScreenToClient(TPoint(info.rcScrollBar.left, info.rcScrollBar.top));
  const TRect r(origin.X, origin.Y, origin.X + info.rcScrollBar.right - info.rcScrollBar.left,
                origin.Y + info.rcScrollBar.bottom - info.rcScrollBar.top);
  if (r.Left < 0 || r.Top < 0 || r.Width() > Width() || r.Height() > Height()) return TRect();
  return r;
}

// Only changes reach the windows: a skinned form answers a sibling's move or restacking with a
// new frame for the list, which would sync the bars again.
void TcxCustomInnerListBox::PlaceOwnScrollBar(TcxScrollBar* bar, const TRect& rect, bool visible) {
  if (visible && !(bar->Visible() && bar->Parent() == Parent())) {
    if (bar->Parent() != Parent()) {
      LockScrollBars();
      struct TUnlock {
        TcxCustomInnerListBox* list;
        ~TUnlock() { list->UnlockScrollBars(); }
      } unlock{this};
      bar->SetParent(Parent());
    }
    bar->SetCtl3D(false);
    bar->BringToFront();
  }
  const TRect bounds = visible ? rect : TRect();
  if (!(bar->BoundsRect() == bounds)) bar->SetBoundsRect(bounds);
  bar->SetVisible(visible);
}

// The horizontal bar scrolls through the platform's own handling, told the bar's position.
void TcxCustomInnerListBox::HScrollBarScroll(TObject* sender, TScrollCode code, int& position) {
  auto* bar = static_cast<TcxScrollBar*>(sender);
  CallWindowProcA(DefWndProc(), Handle(), WM_HSCROLL, MAKEWPARAM(code, position),
                  reinterpret_cast<LPARAM>(bar->HandleAllocated() ? bar->Handle() : nullptr));
  position = GetScrollPos(Handle(), SB_HORZ);
}

// Rows and thumb moves set the top row directly; pages and ends go through the platform, whose
// position the bar then takes.
void TcxCustomInnerListBox::VScrollBarScroll(TObject* sender, TScrollCode code, int& position) {
  auto* bar = static_cast<TcxScrollBar*>(sender);
  switch (code) {
    case scLineUp: case scLineDown: SetTopIndex(position); return;
    case scPosition: case scTrack: SetTopIndex(position); break;
    default:
      CallWindowProcA(DefWndProc(), Handle(), WM_VSCROLL, MAKEWPARAM(code, position),
                      reinterpret_cast<LPARAM>(bar->HandleAllocated() ? bar->Handle() : nullptr));
  }
  position = GetScrollPos(Handle(), SB_VERT);
}

TRect TcxCustomInnerListBox::SizeGripRect() const {
  if (!hScrollBar_ || !vScrollBar_ || !hScrollBar_->Visible() || !vScrollBar_->Visible()) return TRect();
  const TRect v = vScrollBar_->BoundsRect(), h = hScrollBar_->BoundsRect();
  // Bars and list share a parent: the bars' places less the list's are window coordinates.
  const TRect grip(v.Left - Left(), h.Top - Top(), v.Left - Left() + v.Width(), h.Top - Top() + h.Height());
  return grip;
}

void TcxCustomInnerListBox::PaintSizeGrip(HDC dc) {
  const TRect grip = SizeGripRect();
  if (grip.IsEmpty() || !dc) return;
  const TColor color = container_ ? container_->LookAndFeel()->CurrentPainter()->SizeGripAreaColor() : clBtnFace;
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FillRect(dc, grip.Win(), brush);
  DeleteObject(brush);
}

// ---------------------------------------------------------------------------------------------
// Incremental search

void TcxCustomInnerListBox::ProcessAutoCompleteKey(char& key) {
  if (!autoComplete_) return;
  const DWORD now = CurrentTicks();
  if (!hadKey_ || now - lastKeyTime_ >= autoCompleteDelay_) searchText_.clear();
  lastKeyTime_ = now, hadKey_ = true;
  EditSearchText(key);
  SelectSearchMatch();
  if (key != '\b' && key != '\r' && key != 27) key = 0;
}

void TcxCustomInnerListBox::EditSearchText(char& key) {
  if (key == '\b') {
    if (searchText_.empty()) return;
    const size_t cut = searchText_.size() >= 2 && IsDBCSLeadByte(static_cast<BYTE>(searchText_[searchText_.size() - 2])) ? 2 : 1;
    searchText_.resize(searchText_.size() - cut);
    return;
  }
  if (!IsDBCSLeadByte(static_cast<BYTE>(key))) {
    searchText_ += key;
    return;
  }
  MSG next;
  if (!PeekMessageA(&next, Handle(), WM_CHAR, WM_CHAR, PM_REMOVE)) return;
  searchText_ += key;
  searchText_ += static_cast<char>(next.wParam);
  key = 0;
}

void TcxCustomInnerListBox::SelectSearchMatch() {
  if (searchText_.empty()) {
    SetItemIndex(0);
    Click();
    return;
  }
  const int found = static_cast<int>(SendMessageA(Handle(), LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(searchText_.c_str())));
  if (found < 0) return;
  if (MultiSelect()) {
    SendMessageA(Handle(), LB_SETSEL, FALSE, -1);
    SetSelected(found, true);
  }
  SetItemIndex(found);
  Click();
}
