#include "dxBarEditControls.h"

#include <algorithm>

#include "Forms.h"
#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarEditItems.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarManagerList.h"
#include "dxBarRoutines.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarWinControl, TdxBarItemControl)
CALDERAN_IMPLEMENT_CLASS(TdxBarCustomEditControl, TdxBarWinControl)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarEditControl, TdxBarCustomEditControl, TdxBarItemLink*)
CALDERAN_IMPLEMENT_CREATABLE(TCustomdxBarComboControl, TdxBarEditControl, TdxBarItemLink*)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarComboControl, TCustomdxBarComboControl, TdxBarItemLink*)

namespace {
constexpr char hostedControlProp[] = "CalderanBarWinControl";

void RemovePendingCharMessages(HWND window) {
  MSG msg;
  while (PeekMessageA(&msg, window, WM_CHAR, WM_CHAR, PM_REMOVE)) {
  }
}

bool IsKeyMessage(UINT msg) {
  return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYUP || msg == WM_CHAR;
}

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Hosted-window controls.

TdxBarWinControl::~TdxBarWinControl() = default;

TdxBarWindowItem* TdxBarWinControl::WindowItem() const { return ObjectAs<TdxBarWindowItem>(Item()); }

std::string TdxBarWinControl::GetWindowText() const {
  HWND window = GetWindowHandle();
  if (!window) return {};
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

void TdxBarWinControl::SetWindowText(const std::string& text) {
  if (HWND window = GetWindowHandle()) ::SetWindowTextA(window, text.c_str());
  auto* edit = ObjectAs<TdxBarEdit>(Item());
  if (edit && !edit->ShowsEditor()) Repaint();
}

void TdxBarWinControl::LoadText() {
  if (TdxBarWindowItem* item = WindowItem()) SetWindowText(item->Text());
}

void TdxBarWinControl::ApplyText() {
  if (TdxBarWindowItem* item = WindowItem()) item->SetText(GetWindowText());
}

TRect TdxBarWinControl::GetEditRect() const {
  auto* edit = ObjectAs<TdxBarEdit>(Item());
  if (!GetEnabled() || (edit && !edit->ShowsEditor())) return {};
  return windowRect_;
}

void TdxBarWinControl::SetWindowRect(const TRect& rect) {
  windowRect_ = rect;
  HWND window = GetWindowHandle();
  if (!window || !IsWindowVisible(window)) return;
  RECT current;
  GetWindowRect(window, &current);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&current), 2);
  if (TRect(current) != rect)
    SetWindowPos(window, nullptr, rect.Left, rect.Top, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
  WindowPositioned();
}

bool TdxBarWinControl::ExecutesOnClick() const { return Parent() && Parent()->IsRotated(); }

bool TdxBarWinControl::IsSelectable() const { return TdxBarItemControl::IsSelectable(); }

bool TdxBarWinControl::IsOwnWindow(HWND window) const {
  HWND own = GetWindowHandle();
  return own && window && (window == own || IsChild(own, window));
}

void TdxBarWinControl::EnabledChanged() {
  SetFocused(false);
  TdxBarItemControl::EnabledChanged();
}

void TdxBarWinControl::ControlInactivate(bool immediate) {
  TcxObjectLinkGuard self(this);
  SetFocused(false);
  if (self.Alive()) TdxBarItemControl::ControlInactivate(immediate);
}

void TdxBarWinControl::SubclassWindow() {
  HWND window = GetWindowHandle();
  if (!window || ownWindowProc_) return;
  SetPropA(window, hostedControlProp, this);
  ownWindowProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TdxBarWinControl::HostedWindowProc)));
}

void TdxBarWinControl::RestoreWindowProc() {
  HWND window = GetWindowHandle();
  if (!window || !ownWindowProc_) return;
  SetFocused(false);
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ownWindowProc_));
  RemovePropA(window, hostedControlProp);
  ownWindowProc_ = nullptr;
}

LRESULT CALLBACK TdxBarWinControl::HostedWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<TdxBarWinControl*>(GetPropA(window, hostedControlProp));
  if (!control || !control->ownWindowProc_) return DefWindowProcA(window, msg, wParam, lParam);
  TMessage message{msg, wParam, lParam, 0};
  control->WindowProc(message);
  return message.Result;
}

void TdxBarWinControl::CallDefault(TMessage& m) {
  HWND window = GetWindowHandle();
  if (window && ownWindowProc_) m.Result = CallWindowProcA(ownWindowProc_, window, m.Msg, m.WParam, m.LParam);
}

// ---------------------------------------------------------------------------------------------
// The editing state.

void TdxBarWinControl::SetFocused(bool value) {
  if (value == editing_) return;
  if (value) EnterEditing();
  else LeaveEditing();
}

void TdxBarWinControl::EnterEditing() {
  prevFocus_ = GetFocus();
  TcxObjectLinkGuard self(this);
  if (!Active()) ControlActivate(true);
  if (!self.Alive()) return;
  editing_ = true;
  cancelling_ = false;
  if (Parent()) Parent()->ItemControlSelected(this);
  if (self.Alive()) ShowEditWindow();
}

// Escape never applies the text, even with AlwaysSaveText: the key may have come as a message
// while the key itself is no longer down.
void TdxBarWinControl::LeaveEditing() {
  editing_ = false;
  TdxBarManager* manager = BarManager();
  const bool escapeHeld = GetAsyncKeyState(VK_ESCAPE) < 0 && GetAsyncKeyState(VK_CONTROL) >= 0 &&
                          GetAsyncKeyState(VK_MENU) >= 0;
  const bool apply = manager && manager->AlwaysSaveText() && !escapeHeld && !cancelling_;
  cancelling_ = false;
  TcxObjectLinkGuard self(this);
  HideEditWindow(apply);
  if (!self.Alive()) return;
  MoveFocusAway();
  prevFocus_ = nullptr;
}

void TdxBarWinControl::MoveFocusAway() {
  HWND window = GetWindowHandle();
  if (GetFocus() != window && !IsOwnWindow(GetFocus())) return;
  if (prevFocus_ && prevFocus_ != window && IsWindowVisible(prevFocus_)) {
    ::SetFocus(prevFocus_);
    return;
  }
  TWinControl* owner = BarManager() ? GetWinControlOwner(BarManager()) : nullptr;
  if (!owner || !owner->HandleAllocated()) return;
  HWND target = owner->WindowHandle();
  if (!IsWindowVisible(target)) target = GetWindow(target, GW_HWNDNEXT);
  if (target) ::SetFocus(target);
}

void TdxBarWinControl::ShowEditWindow() {}

void TdxBarWinControl::ControlClick(bool byMouse, Word key) {
  TcxObjectLinkGuard self(this);
  SetFocused(true);
  if (!self.Alive()) return;
  TdxBarItemControl::ControlClick(byMouse, key);
  if (self.Alive()) ForwardMouseDown(byMouse);
}

TPoint TdxBarWinControl::CursorInBar() const {
  POINT cursor;
  GetCursorPos(&cursor);
  if (Parent() && Parent()->HandleAllocated()) ::ScreenToClient(Parent()->WindowHandle(), &cursor);
  return {cursor.x, cursor.y};
}

// A click on the caption places the caret as if the window itself had been clicked.
void TdxBarWinControl::ForwardMouseDown(bool byMouse) {
  HWND window = GetWindowHandle();
  if (!byMouse || !window || !editing_) return;
  const TPoint cursor = CursorInBar();
  if (GetEditRect().Contains(cursor) || !ForwardsClickAt(cursor)) return;
  POINT inWindow{cursor.X, cursor.Y};
  MapWindowPoints(Parent()->WindowHandle(), window, &inWindow, 1);
  TMessage press{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inWindow.x, inWindow.y), 0};
  CallDefault(press);
}

void TdxBarWinControl::ControlUnclick(bool byMouse) {
  if (!(byMouse && editing_)) {
    TdxBarItemControl::ControlUnclick(byMouse);
    return;
  }
  const TPoint cursor = CursorInBar();
  if (GetEditRect().Contains(cursor) || !ForwardsClickAt(cursor)) return;
  POINT inWindow{cursor.X, cursor.Y};
  MapWindowPoints(Parent()->WindowHandle(), GetWindowHandle(), &inWindow, 1);
  TMessage forwarded{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inWindow.x, inWindow.y), 0};
  CallDefault(forwarded);
}

// ---------------------------------------------------------------------------------------------
// Keys.

void TdxBarWinControl::KeyDown(Word& key, TShiftState shift) {
  if (key == VK_F10 || key == VK_MENU || shift.Contains(ssAlt)) {
    if (PreKeyDown(key, shift)) key = 0;
    return;
  }
  TcxObjectLinkGuard self(this);
  if (TdxBarWindowItem* item = WindowItem()) item->KeyDown(key, shift);
  if (!self.Alive()) {
    key = 0;
    return;
  }
  switch (key) {
    case VK_TAB: LeaveByTab(); break;
    case VK_RETURN: Accept(); break;
    case VK_ESCAPE: Cancel(); break;
    default: return;
  }
  key = 0;
}

void TdxBarWinControl::LeaveByTab() {
  TcxObjectLinkGuard self(this);
  ApplyText();
  if (!self.Alive()) return;
  HWND window = GetWindowHandle();
  TCustomdxBarControl* bar = Parent();
  if (window && IsWindowVisible(window)) RemovePendingCharMessages(window);
  if (bar && bar->HandleAllocated()) SendMessageA(bar->WindowHandle(), WM_KEYDOWN, VK_TAB, 0);
}

void TdxBarWinControl::Accept() {
  TcxObjectLinkGuard self(this);
  if (Link()) Link()->OriginalLink()->MarkRecentlyUsed(true);
  if (!self.Alive()) return;
  ApplyText();
  if (!self.Alive()) return;
  HWND window = GetWindowHandle();
  if (!window || !IsWindowVisible(window)) return;
  TCustomdxBarControl* bar = Parent();
  TcxObjectLinkGuard barAlive(bar);
  bar->SetSelectedItemControl(nullptr);
  if (self.Alive()) RemovePendingCharMessages(window);
  if (barAlive.Alive()) bar->Close();
}

void TdxBarWinControl::Cancel() {
  HWND window = GetWindowHandle();
  TCustomdxBarControl* bar = Parent();
  TcxObjectLinkGuard barAlive(bar);
  cancelling_ = true;
  bar->SetSelectedItemControl(nullptr);
  if (window && IsWindow(window)) RemovePendingCharMessages(window);
  if (barAlive.Alive()) bar->Close();
}

bool TdxBarWinControl::PreKeyDown(Word& key, TShiftState shift) {
  ++keyCount_;
  if (key == VK_MENU) return true;
  if (key != VK_F10) return false;
  keyCount_ = 0;
  TcxObjectLinkGuard self(this);
  if (Parent()) Parent()->Close();
  if (shift.Contains(ssShift)) return true;
  return CallBarKeyboardHookDirectly(key, 0) == 1;
}

void TdxBarWinControl::KeyUp(Word& key, TShiftState shift) {
  if (key == VK_MENU || shift.Contains(ssAlt)) {
    if (PreKeyUp(key, shift)) key = 0;
    return;
  }
  if (TdxBarWindowItem* item = WindowItem()) item->KeyUp(key, shift);
}

bool TdxBarWinControl::PreKeyUp(Word& key, TShiftState) {
  if (keyCount_ == 0) return true;
  keyCount_ = 0;
  if (key != VK_MENU) return false;
  if (Parent()) Parent()->Close();
  return CallBarKeyboardHookDirectly(key, static_cast<LPARAM>(0x80000001)) == 1;
}

void TdxBarWinControl::KeyPress(char& key) {
  if (TdxBarWindowItem* item = WindowItem()) item->KeyPress(key);
}

bool TdxBarWinControl::HandleKeyMessage(TMessage& m) {
  if (m.Msg == WM_CHAR) {
    char key = static_cast<char>(m.WParam);
    KeyPress(key);
    if (key == 0) return true;
    m.WParam = static_cast<unsigned char>(key);
    return false;
  }
  Word key = static_cast<Word>(m.WParam);
  const TShiftState shift = KeyDataToShiftState(m.LParam);
  if (m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN) KeyDown(key, shift);
  else KeyUp(key, shift);
  if (key == 0) return true;
  m.WParam = key;
  return false;
}

// ---------------------------------------------------------------------------------------------
// The hosted window's procedure.

TPoint TdxBarWinControl::MapToBar(LPARAM point) const {
  POINT p{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  if (Parent() && Parent()->HandleAllocated()) MapWindowPoints(GetWindowHandle(), Parent()->WindowHandle(), &p, 1);
  return {p.x, p.y};
}

// The bar window closes when the focus leaves an edit being edited for a window of its own, or
// moves into another toolbar's edit; the drop-down window of the control keeps it.
void TdxBarWinControl::HandleKillFocus(TMessage& m) {
  HWND focused = reinterpret_cast<HWND>(m.WParam);
  TcxObjectLinkGuard self(this);
  FocusLost(focused);
  if (!self.Alive()) return;
  CallDefault(m);
  TCustomdxBarControl* bar = Parent();
  if (editing_ && !IsOwnWindow(focused)) {
    if (bar) bar->Close();
  } else if (!editing_ && bar && bar->GetKind() == 0 && focused) {
    TCustomdxBarControl* other = ObjectAs<TCustomdxBarControl>(FindControl(GetParent(focused)));
    if (!other && GetParent(focused)) other = ObjectAs<TCustomdxBarControl>(FindControl(GetParent(GetParent(focused))));
    if (other && other != bar) {
      RemovePendingCharMessages(GetWindowHandle());
      bar->Close();
    }
  }
  if (!self.Alive()) return;
  if (TdxBarWindowItem* item = WindowItem()) item->Exit();
}

// Mouse moves keep the bar window's hot tracking; a right press opens its context menu; presses
// on the item outside the edit box are the bar window's, not the window's.
bool TdxBarWinControl::HandleMouseMessage(TMessage& m) {
  TCustomdxBarControl* bar = Parent();
  if (!bar || !bar->HandleAllocated()) return false;
  const TPoint point = MapToBar(m.LParam);
  if (m.Msg == WM_MOUSEMOVE) {
    SendMessageA(bar->WindowHandle(), WM_MOUSEMOVE, m.WParam, MAKELPARAM(point.X, point.Y));
    return false;
  }
  if (m.Msg == WM_RBUTTONDOWN) {
    MouseDown(mbRight, KeysToShiftState(static_cast<WORD>(m.WParam)), point);
    SendMessageA(bar->WindowHandle(), WM_RBUTTONDOWN, m.WParam, MAKELPARAM(point.X, point.Y));
    return true;
  }
  if (GetCapture() == GetWindowHandle()) return false;
  return !GetEditRect().Contains(point) && GetItemRect().Contains(point);
}

void TdxBarWinControl::WindowProc(TMessage& m) {
  TcxObjectLinkGuard self(this);
  if (m.Msg == WM_SETFOCUS) {
    if (TdxBarWindowItem* item = WindowItem()) item->Enter();
  } else if (m.Msg == WM_KILLFOCUS) {
    HandleKillFocus(m);
    return;
  } else if (IsKeyMessage(m.Msg)) {
    if (HandleKeyMessage(m)) return;
  } else if (m.Msg == WM_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
    if (!loadingText_)
      if (TdxBarWindowItem* item = WindowItem()) item->CurChange();
  } else if (IsMouseMessage(m.Msg)) {
    if (HandleMouseMessage(m)) return;
  }
  if (self.Alive()) CallDefault(m);
}

// ---------------------------------------------------------------------------------------------
// Edit-like controls.

TdxBarCustomEditControl::~TdxBarCustomEditControl() {
  if (editBrush_) DeleteObject(editBrush_);
}

TdxBarEdit* TdxBarCustomEditControl::EditItem() const { return ObjectAs<TdxBarEdit>(Item()); }

bool TdxBarCustomEditControl::ShowsCaption() const {
  if (Parent() && Parent()->GetKind() == 2) return true;
  return Item() && Item()->ShowCaption();
}

TdxBarItemViewLevels TdxBarCustomEditControl::GetPossibleViewLevels() const {
  TdxBarItemViewLevels levels = TdxBarItemControl::GetPossibleViewLevels();
  levels.Include(ivlControlOnly);
  return levels;
}

int TdxBarCustomEditControl::GetDefaultViewStructure() const {
  int structure = ShowsCaption() ? cvsCaption : 0;
  if (HasGlyphForSize(cvsSmall) && Painter()->ShowsEditGlyph()) structure |= cvsGlyph;
  return structure;
}

int TdxBarCustomEditControl::GetCaptionAreaWidth() {
  if (!(GetViewStructure() & cvsCaption)) return 0;
  int left, right;
  Painter()->GetEditOffsets(this, true, left, right);
  return GetCaptionWidth() + left + right;
}

int TdxBarCustomEditControl::GetIconAreaWidth() {
  if (!(GetViewStructure() & cvsGlyph)) return 0;
  int left, right;
  Painter()->GetEditOffsets(this, false, left, right);
  return GetGlyphSize(cvsSmall).cx + left + right;
}

int TdxBarCustomEditControl::GetControlAreaWidth() {
  if (Link()) return Link()->GetWidth();
  return Item() ? Item()->Width() : 100;
}

int TdxBarCustomEditControl::GetSmallWidth() { return GetCaptionAreaWidth() + GetIconAreaWidth() + GetControlAreaWidth(); }

int TdxBarCustomEditControl::GetMinWidth() { return GetCaptionAreaWidth() + GetMinEditWidth(); }

void TdxBarCustomEditControl::CalcSizesWithFont() {
  TdxBarItemControl::CalcSizesWithFont();
  TcxCanvas* canvas = GetCanvas();
  TdxBarManager* manager = BarManager();
  if (!canvas) return;
  canvas->SaveState();
  if (manager && manager->EditFont()) canvas->SetFont(manager->EditFont());
  editTextSize_ = canvas->TextHeight("0");
  canvas->RestoreState();
}

int TdxBarCustomEditControl::GetHeight() {
  if (editTextSize_ == 0) CalcSizesWithFont();
  TCustomdxBarControl* bar = Parent();
  if (!bar) return editTextSize_;
  int height = Painter()->CalcEditHeight(bar, editTextSize_);
  if (ShowsCaption()) height = std::max(height, bar->GetItemTextSize(this));
  return height;
}

TRect TdxBarCustomEditControl::CalcEditRect() const {
  TRect rect = GetItemRect();
  if (rect.IsEmpty()) return rect;
  auto* self = const_cast<TdxBarCustomEditControl*>(this);
  rect.Left += self->GetCaptionAreaWidth() + self->GetIconAreaWidth();
  return rect;
}

void TdxBarCustomEditControl::DrawEditFrame(const TRect& rect) {
  TRect frame = rect;
  AdjustEditRect(frame);
  Painter()->DrawEditFrame(drawParams_, frame);
  TRect inner = frame;
  inner.Inflate(-2, -2);
  ExcludeRectFromCanvasClip(drawParams_.Canvas, frame, inner);
}

void TdxBarCustomEditControl::Draw(const TRect& rect, int) {
  CalcParts();
  Painter()->DrawEdit(drawParams_, rect);
}

void TdxBarCustomEditControl::CalcDrawParams(bool full) {
  TdxBarItemControl::CalcDrawParams(full);
  if (full) drawParams_.Editing = Editing();
}

void TdxBarCustomEditControl::CalcParts() {
  TdxBarItemControl::CalcParts();
  Painter()->CalcEditPartRects(this, CalcEditRect(), Parts().data());
}

bool TdxBarCustomEditControl::IsDrawSelected() const {
  return IsSelected() && !(Parent() && Parent()->IsCustomizing());
}

bool TdxBarCustomEditControl::CanClick() const {
  if (!TdxBarWinControl::CanClick()) return false;
  if (!Parent() || Parent()->GetKind() == 2 || Parent()->IsCustomizing()) return true;
  return HotPartIndex() != 1 && HotPartIndex() != 2;
}

bool TdxBarCustomEditControl::ForwardsClickAt(const TPoint& point) const {
  const int part = GetPartIndexAt(point);
  return part == 1 || part == 2;
}

HBRUSH TdxBarCustomEditControl::GetEditBrushHandle() {
  TColor text, background;
  Painter()->GetEditColors(this, text, background);
  if (editBrush_) DeleteObject(editBrush_);
  editBrush_ = CreateSolidBrush(ColorToRGB(background));
  return editBrush_;
}

HBRUSH TdxBarCustomEditControl::GetEditAreaBrush() const {
  TCustomdxBarControl* bar = Parent();
  if (!bar) return GetSysColorBrush(COLOR_BTNFACE);
  if (bar->GetKind() == 2 && IsDrawSelected()) return Painter()->GetSelectedBrush(bar);
  return bar->CurrentBackgroundBrush();
}

void TdxBarCustomEditControl::ShowEditWindow() {
  TdxBarWinControl::ShowEditWindow();
  UpdateEditingDrawParams();
}

namespace {
constexpr int resizeBand = 7;
}  // namespace

bool TdxBarCustomEditControl::IsResizePoint(const TPoint& point) const {
  const TRect item = GetItemRect();
  if (!item.Contains(point)) return false;
  return point.X < item.Left + resizeBand || point.X >= item.Right - resizeBand;
}

void TdxBarCustomEditControl::BeginResize(const TPoint& point) {
  const TRect item = GetItemRect();
  rightBorderSizing_ = point.X >= item.Right - resizeBand;
  sizingWidth_ = item.Width();
  if (Parent()) Parent()->RepaintItemControl(this);
  DrawSizingFrame();
}

void TdxBarCustomEditControl::DoResize(const TPoint& point) {
  const TRect item = GetItemRect();
  const int width = std::max(rightBorderSizing_ ? point.X - item.Left : item.Right - point.X, GetMinWidth());
  if (width == sizingWidth_) return;
  DrawSizingFrame();
  sizingWidth_ = width;
  DrawSizingFrame();
}

void TdxBarCustomEditControl::EndResize(bool apply) {
  DrawSizingFrame();
  const int editWidth = sizingWidth_ - (CalcEditRect().Left - GetItemRect().Left);
  if (apply && Link() && editWidth != GetControlAreaWidth()) Link()->SetUserWidth(editWidth);
  else Repaint();
}

void TdxBarCustomEditControl::DrawSizingFrame() const {
  TCustomdxBarControl* bar = Parent();
  if (!bar || !bar->HandleAllocated()) return;
  TRect r = GetItemRect();
  if (rightBorderSizing_) r.Right = r.Left + sizingWidth_;
  else r.Left = r.Right - sizingWidth_;
  const TPoint topLeft = bar->ClientToScreen({r.Left, r.Top});
  r = {topLeft.X, topLeft.Y, topLeft.X + r.Width(), topLeft.Y + r.Height()};
  HDC dc = GetDC(nullptr);
  PatBlt(dc, r.Left, r.Top, r.Width(), 2, DSTINVERT);
  PatBlt(dc, r.Left, r.Bottom - 2, r.Width(), 2, DSTINVERT);
  PatBlt(dc, r.Left, r.Top + 2, 2, r.Height() - 4, DSTINVERT);
  PatBlt(dc, r.Right - 2, r.Top + 2, 2, r.Height() - 4, DSTINVERT);
  ReleaseDC(nullptr, dc);
}

// ---------------------------------------------------------------------------------------------
// Edit controls.

TdxBarEditControl::TdxBarEditControl(TdxBarItemLink* link) : TdxBarCustomEditControl(link) { CreateEditWindow(); }

TdxBarEditControl::~TdxBarEditControl() { DestroyEditWindow(); }

void TdxBarEditControl::CreateEditWindow() {
  TCustomdxBarControl* bar = Parent();
  if (!bar || !bar->HandleAllocated()) return;
  editWindow_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | Painter()->GetEditWindowStyle(), 0, 0, 100, 100,
                                bar->WindowHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!editWindow_) return;
  SubclassWindow();
  LoadText();
  if (TdxBarEdit* item = EditItem()) SendMessageA(editWindow_, EM_LIMITTEXT, item->MaxLength(), 0);
}

void TdxBarEditControl::DestroyEditWindow() {
  if (!editWindow_) return;
  HWND window = editWindow_;
  RestoreWindowProc();
  editWindow_ = nullptr;
  DestroyWindow(window);
}

bool TdxBarEditControl::DrawsValue() const { return !(Editing() && GetEnabled()); }

TRect TdxBarEditControl::GetEditRect() const { return DrawsValue() ? TRect() : PartRect(0); }

void TdxBarEditControl::DrawValue(const TRect& rect) {
  if (GetEnabled()) SetWindowRect(rect);
  if (!DrawsValue()) return;
  TcxCanvas* canvas = drawParams_.Canvas;
  canvas->SaveState();
  if (BarManager() && BarManager()->EditFont()) canvas->SetFont(BarManager()->EditFont());
  Painter()->DrawEditContent(this, canvas, rect);
  canvas->RestoreState();
}

void TdxBarEditControl::ShowEditWindow() {
  TdxBarCustomEditControl::ShowEditWindow();
  if (!editWindow_) return;
  TFont* font = BarManager() && BarManager()->EditFont() ? BarManager()->EditFont() : Parent()->ItemsFont();
  SendMessageA(editWindow_, WM_SETFONT, reinterpret_cast<WPARAM>(font->Handle()), 0);
  CalcParts();
  const TRect rect = PartRect(0);
  SetWindowRect(rect);
  SetWindowPos(editWindow_, nullptr, rect.Left, rect.Top, rect.Width(), rect.Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
  WindowPositioned();
  SetLoadingText(true);
  LoadText();
  SetLoadingText(false);
  ::SetFocus(editWindow_);
}

void TdxBarEditControl::HideEditWindow(bool apply) {
  if (editWindow_) ShowWindow(editWindow_, SW_HIDE);
  if (apply) ApplyText();
}

void TdxBarEditControl::WindowPositioned() {
  if (editWindow_) Painter()->SetEditTextRect(this, editWindow_, WindowRect());
}

void TdxBarEditControl::SetFocused(bool value) {
  if (value && !Editing() && editWindow_) {
    TdxBarEdit* item = EditItem();
    const bool readOnly = item && (item->ReadOnly() || !item->ShowsEditor());
    SendMessageA(editWindow_, EM_SETREADONLY, readOnly, 0);
  }
  TcxObjectLinkGuard self(this);
  TdxBarCustomEditControl::SetFocused(value);
  if (self.Alive()) Repaint();
}

void TdxBarEditControl::ControlClick(bool byMouse, Word key) {
  TcxObjectLinkGuard self(this);
  TdxBarCustomEditControl::ControlClick(byMouse, key);
  if (self.Alive() && Editing() && editWindow_) SendMessageA(editWindow_, EM_SETSEL, 0, -1);
}

void TdxBarEditControl::SetWindowText(const std::string& text) {
  const bool changed = GetWindowText() != text;
  TdxBarCustomEditControl::SetWindowText(text);
  if (editWindow_) Painter()->AfterEditTextSet(editWindow_, changed);
}

void TdxBarEditControl::WindowProc(TMessage& m) {
  if (m.Msg == WM_DESTROY) {
    SetFocused(false);
    CallDefault(m);
    RestoreWindowProc();
    editWindow_ = nullptr;
    return;
  }
  TdxBarCustomEditControl::WindowProc(m);
}

// ---------------------------------------------------------------------------------------------
// Combo controls.

TCustomdxBarComboControl::~TCustomdxBarComboControl() {
  droppedDown_ = droppedDown_ && Combo();
  if (droppedDown_) {
    droppedDown_ = false;
    if (TCustomdxBarCombo* combo = Combo()) combo->CloseUp();
  }
}

TCustomdxBarCombo* TCustomdxBarComboControl::Combo() const { return ObjectAs<TCustomdxBarCombo>(Item()); }

void TCustomdxBarComboControl::SetDroppedDown(bool value) {
  TCustomdxBarCombo* combo = Combo();
  if (value == droppedDown_ || !combo || combo->ReadOnly()) return;
  droppedDown_ = value;
  Repaint();
  if (!value) {
    combo->CloseUp();
    return;
  }
  const TRect item = GetItemRect();
  TCustomdxBarControl* bar = Parent();
  TPoint anchor;
  if (bar->GetKind() == 2 || bar->IsVertical()) anchor = {item.Right, item.Top};
  else anchor = {CalcEditRect().Left, item.Bottom};
  combo->DropDown(bar->ClientToScreen(anchor).X, bar->ClientToScreen(anchor).Y);
}

bool TCustomdxBarComboControl::IsComboOwnWindow(HWND window) const {
  if (IsOwnWindow(window)) return true;
  TCustomdxBarCombo* combo = Combo();
  HWND dropDown = combo && droppedDown_ ? combo->GetDropDownWindow() : nullptr;
  return dropDown && IsWindowVisible(dropDown) && window && (window == dropDown || IsChild(dropDown, window));
}

void TCustomdxBarComboControl::AdjustEditRect(TRect& rect) const {
  rect.Right = PartRect(3).Right + Painter()->GetComboEditOffset(GetPaintType());
}

bool TCustomdxBarComboControl::DrawsValue() const {
  TCustomdxBarCombo* combo = Combo();
  if (combo && !combo->ShowEditor()) return true;
  return TdxBarEditControl::DrawsValue();
}

void TCustomdxBarComboControl::DrawValue(const TRect& rect) {
  Painter()->DrawComboButton(drawParams_, PartRect(3));
  TdxBarEditControl::DrawValue(rect);
}

void TCustomdxBarComboControl::CalcDrawParams(bool full) {
  TdxBarEditControl::CalcDrawParams(full);
  if (full) drawParams_.DroppedDown = droppedDown_;
}

void TCustomdxBarComboControl::CalcParts() {
  TdxBarEditControl::CalcParts();
  Painter()->CalcComboPartRects(this, Parts().data());
}

void TCustomdxBarComboControl::EnabledChanged() {
  SetDroppedDown(false);
  TdxBarEditControl::EnabledChanged();
}

void TCustomdxBarComboControl::ControlInactivate(bool immediate) {
  TcxObjectLinkGuard self(this);
  SetDroppedDown(false);
  if (self.Alive()) TdxBarEditControl::ControlInactivate(immediate);
}

bool TCustomdxBarComboControl::IsOnDropDownButton(const TPoint& point) const {
  const int part = GetPartIndexAt(point);
  TCustomdxBarCombo* combo = Combo();
  if (combo && !combo->ShowEditor()) return part == 0 || part == 3;
  return part == 3;
}

// A press on the drop-down button opens a closed list; the release on it closes an open one, so
// pressing on an open list's button closes it only when the button comes up.
void TCustomdxBarComboControl::MouseDown(TMouseButton button, TShiftState shift, const TPoint& point) {
  TdxBarEditControl::MouseDown(button, shift, point);
  if (button != mbLeft) return;
  droppedDownAtPress_ = droppedDown_;
  pressedOnButton_ = IsOnDropDownButton(point);
}

void TCustomdxBarComboControl::ControlClick(bool byMouse, Word key) {
  TcxObjectLinkGuard self(this);
  TdxBarEditControl::ControlClick(byMouse, key);
  if (self.Alive() && byMouse && pressedOnButton_ && !droppedDownAtPress_ && Editing()) SetDroppedDown(true);
}

void TCustomdxBarComboControl::MouseUp(TMouseButton button, TShiftState shift, const TPoint& point) {
  TdxBarEditControl::MouseUp(button, shift, point);
  if (button != mbLeft) return;
  const bool closes = pressedOnButton_ && droppedDownAtPress_ && IsOnDropDownButton(point);
  pressedOnButton_ = false;
  if (closes) SetDroppedDown(false);
}

bool TCustomdxBarComboControl::PreKeyDown(Word& key, TShiftState shift) {
  if (shift.Contains(ssAlt) && (key == VK_UP || key == VK_DOWN)) {
    SetDroppedDown(!droppedDown_);
    return true;
  }
  return TdxBarEditControl::PreKeyDown(key, shift);
}

bool TCustomdxBarComboControl::PreKeyUp(Word& key, TShiftState shift) {
  if (key == VK_UP || key == VK_DOWN) return true;
  return TdxBarEditControl::PreKeyUp(key, shift);
}

// Only key presses and releases may go to the drop-down window: a typed character such as "("
// has the code of a navigation key and stays in the edit.
void TCustomdxBarComboControl::WindowProc(TMessage& m) {
  if (m.Msg == WM_KEYDOWN && m.WParam == VK_F4) {
    SetDroppedDown(!droppedDown_);
    return;
  }
  if ((m.Msg == WM_KEYDOWN || m.Msg == WM_KEYUP) && droppedDown_) {
    TCustomdxBarCombo* combo = Combo();
    HWND dropDown = combo ? combo->GetDropDownWindow() : nullptr;
    if (dropDown && combo->CheckKeyForDropDownWindow(static_cast<Word>(m.WParam), KeyDataToShiftState(m.LParam))) {
      m.Result = SendMessageA(dropDown, m.Msg, m.WParam, m.LParam);
      return;
    }
  }
  TdxBarEditControl::WindowProc(m);
}

TdxBarCustomCombo* TdxBarComboControl::StringCombo() const { return ObjectAs<TdxBarCustomCombo>(Item()); }

void TdxBarComboControl::SetLocalItemIndex(int index) {
  localItemIndex_ = index;
  LoadText();
  if (Combo() && !Combo()->ShowEditor()) Repaint();
}

void TdxBarComboControl::LoadText() {
  TdxBarCustomCombo* combo = StringCombo();
  if (combo && localItemIndex_ >= 0 && localItemIndex_ < combo->Items()->Count())
    SetWindowText(combo->Items()->Get(localItemIndex_));
  else
    TCustomdxBarComboControl::LoadText();
}

void TdxBarComboControl::SetFocused(bool value) {
  if (value && !Editing() && StringCombo()) localItemIndex_ = StringCombo()->ItemIndex();
  TCustomdxBarComboControl::SetFocused(value);
}

bool TdxBarComboControl::HandleBrowsingKey(TMessage& m) {
  TdxBarCustomCombo* combo = StringCombo();
  const Word key = static_cast<Word>(m.WParam);
  const TShiftState shift = KeyDataToShiftState(m.LParam);
  if ((key == VK_UP || key == VK_DOWN) && shift.Empty() && !IsDroppedDown()) {
    if (key == VK_UP && localItemIndex_ > 0) SetLocalItemIndex(localItemIndex_ - 1);
    if (key == VK_DOWN && localItemIndex_ < combo->Items()->Count() - 1) SetLocalItemIndex(localItemIndex_ + 1);
    return true;
  }
  if ((key == VK_RETURN || key == VK_TAB) && localItemIndex_ >= 0 && localItemIndex_ < combo->Items()->Count()) {
    if (GetWindowText() != combo->Items()->Get(localItemIndex_)) return false;
    TcxObjectLinkGuard self(this);
    combo->SetItemIndex(localItemIndex_);
    return self.Alive() && !IsWindowVisible(GetWindowHandle());
  }
  return false;
}

void TdxBarComboControl::HandleWheel(TMessage& m) {
  TdxBarCustomCombo* combo = StringCombo();
  const short delta = static_cast<short>(HIWORD(m.WParam));
  if (IsDroppedDown()) {
    if (HWND list = combo->GetDropDownWindow()) SendMessageA(list, WM_VSCROLL, delta <= 0 ? SB_LINEDOWN : SB_LINEUP, 0);
  } else if (delta <= 0) {
    if (localItemIndex_ < combo->Items()->Count() - 1) SetLocalItemIndex(localItemIndex_ + 1);
  } else if (localItemIndex_ > 0) {
    SetLocalItemIndex(localItemIndex_ - 1);
  }
}

void TdxBarComboControl::WindowProc(TMessage& m) {
  TdxBarCustomCombo* combo = StringCombo();
  if (combo && !combo->ReadOnly()) {
    TcxObjectLinkGuard self(this);
    if (m.Msg == WM_KEYDOWN && HandleBrowsingKey(m)) return;
    if (!self.Alive()) return;
    if (m.Msg == WM_MOUSEWHEEL) HandleWheel(m);
  }
  TCustomdxBarComboControl::WindowProc(m);
}
