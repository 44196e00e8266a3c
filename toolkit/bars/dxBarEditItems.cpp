#include "dxBarEditItems.h"

#include <algorithm>
#include <cctype>

#include "Forms.h"
#include "dxBarButtonControl.h"
#include "dxBarControl.h"
#include "dxBarDropDownListBox.h"
#include "dxBarEditControls.h"
#include "dxBarItemLinks.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarWindowItem, TdxBarItem)
CALDERAN_IMPLEMENT_CLASS(TdxCustomBarEdit, TdxBarWindowItem)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarEdit, TdxCustomBarEdit, TComponent*)
CALDERAN_IMPLEMENT_CLASS(TCustomdxBarCombo, TdxBarEdit)
CALDERAN_IMPLEMENT_CLASS(TdxBarCustomCombo, TCustomdxBarCombo)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarCombo, TdxBarCustomCombo, TComponent*)

// ---------------------------------------------------------------------------------------------
// Window items.

TdxBarWindowItem::TdxBarWindowItem(TComponent* owner) : TdxBarItem(owner) {}

TdxBarItemLink* TdxBarWindowItem::EditingLink() const {
  TdxBarItemLink* link = ActiveLink();
  return link && ObjectAs<TdxBarWinControl>(link->Control()) ? link : nullptr;
}

TdxBarWinControl* TdxBarWindowItem::EditingControl() const {
  TdxBarItemLink* link = EditingLink();
  return link ? ObjectAs<TdxBarWinControl>(link->Control()) : nullptr;
}

std::string TdxBarWindowItem::CurText() const {
  TdxBarWinControl* control = EditingControl();
  return control ? control->GetWindowText() : text_;
}

void TdxBarWindowItem::SetCurText(const std::string& value) {
  if (TdxBarWinControl* control = EditingControl()) control->SetWindowText(value);
  else SetText(value);
}

void TdxBarWindowItem::WriteText(const std::string& value) {
  text_ = value;
  UpdateControls();
}

void TdxBarWindowItem::SetText(const std::string& value) {
  if (value == text_) return;
  WriteText(value);
  TcxObjectLinkGuard alive(this);
  Change();
  if (alive.Alive()) UpdateControls();
}

void TdxBarWindowItem::FocusEditor(bool visibleOnly) {
  for (int i = 0; i < LinkCount(); ++i) {
    auto* control = ObjectAs<TdxBarWinControl>(Links(i)->Control());
    if (!control || !control->Parent()) continue;
    TCustomdxBarControl* bar = control->Parent();
    if (visibleOnly && !(bar->HandleAllocated() && IsWindowVisible(bar->WindowHandle()))) continue;
    bar->ActivateWithControl(control);
    control->Click(false);
    return;
  }
}

TClass TdxBarWindowItem::GetControlClass(bool isVertical) const {
  if (isVertical) return TdxBarButtonControl::StaticClass();
  return TdxBarItem::GetControlClass(isVertical);
}

void TdxBarWindowItem::Change() {
  if (OnChange && !IsLoadingItem()) OnChange(this);
}
void TdxBarWindowItem::CurChange() {
  if (OnCurChange) OnCurChange(this);
}
void TdxBarWindowItem::Enter() {
  if (OnEnter) OnEnter(this);
}
void TdxBarWindowItem::Exit() {
  if (OnExit) OnExit(this);
}
void TdxBarWindowItem::KeyDown(Word& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}
void TdxBarWindowItem::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}
void TdxBarWindowItem::KeyUp(Word& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

// ---------------------------------------------------------------------------------------------
// Edit items.

TdxCustomBarEdit::TdxCustomBarEdit(TComponent* owner) : TdxBarWindowItem(owner) {
  SetShowCaption(false);
  TdxBarItem::SetWidth(100);
}

void TdxCustomBarEdit::SetWidth(int value) {
  if (value > 0) TdxBarItem::SetWidth(value);
}

bool TdxCustomBarEdit::CanActivateByAccel(TdxBarItemLink* link) const {
  if (!Enabled()) return false;
  const bool onToolbar = link && link->Links() && !ObjectAs<TdxBarSubMenuControlItemLinks>(link->Links());
  return ShowCaption() || !onToolbar;
}

TdxBarEdit::TdxBarEdit(TComponent* owner) : TdxCustomBarEdit(owner) {}

void TdxBarEdit::SetMaxLength(int value) {
  maxLength_ = std::max(value, 0);
  for (int i = 0; i < LinkCount(); ++i) {
    auto* control = ObjectAs<TdxBarWinControl>(Links(i)->Control());
    if (control && control->GetWindowHandle()) SendMessageA(control->GetWindowHandle(), EM_LIMITTEXT, maxLength_, 0);
  }
}

void TdxBarEdit::SetReadOnly(bool value) {
  if (readOnly_ == value) return;
  readOnly_ = value;
  UpdateControls();
}

void TdxBarEdit::DrawValue(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& rect) {
  TdxBarItemLink* editing = EditingLink();
  const bool isEditing = editing && editing->Control() == control;
  control->Painter()->DrawEditValue(control, canvas, rect, isEditing ? CurText() : Text());
}

// ---------------------------------------------------------------------------------------------
// Combo items with any drop-down window.

TCustomdxBarCombo::TCustomdxBarCombo(TComponent* owner) : TdxBarEdit(owner) {}

void TCustomdxBarCombo::SetShowEditor(bool value) {
  if (emptyWindow_ == !value) return;
  emptyWindow_ = !value;
  UpdateControls();
}

bool TCustomdxBarCombo::CheckKeyForDropDownWindow(Word key, TShiftState shift) {
  bool accept = key != VK_ESCAPE && key != VK_RETURN && key != VK_TAB;
  if (OnCheckKeyForDropDownWindow) OnCheckKeyForDropDownWindow(this, key, shift, accept);
  return accept;
}

HWND TCustomdxBarCombo::GetDropDownWindow() {
  HWND window = nullptr;
  if (OnGetDropDownWindow) OnGetDropDownWindow(this, window);
  return window;
}

namespace {
TRect MonitorWorkAreaAt(const TPoint& point) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  HMONITOR monitor = MonitorFromPoint(POINT{point.X, point.Y}, MONITOR_DEFAULTTONEAREST);
  if (!monitor || !GetMonitorInfoA(monitor, &info)) {
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return TRect(area);
  }
  return TRect(info.rcWork);
}
}  // namespace

TPoint PlaceDropDownWindow(TPoint p, TSize size, TSize item, const TRect& r, bool besideItem) {
  if (besideItem) {
    if (p.X + size.cx > r.Right && r.Right - p.X < p.X - item.cx - r.Left) p.X = p.X - item.cx - size.cx;
    if (p.Y + size.cy > r.Bottom) p.Y = r.Bottom - size.cy;
  } else {
    if (p.X + size.cx > r.Right) p.X = r.Right - size.cx;
    if (p.Y + size.cy > r.Bottom && r.Bottom - p.Y < p.Y - item.cy - r.Top) p.Y = p.Y - item.cy - size.cy;
  }
  return {std::max(p.X, r.Left), std::max(p.Y, r.Top)};
}

void TCustomdxBarCombo::DropDown(int x, int y) {
  TcxObjectLinkGuard alive(this);
  if (OnDropDown) OnDropDown(this);
  if (!alive.Alive()) return;
  HWND window = GetDropDownWindow();
  if (!window) return;
  PrepareDropDownWindow();
  RECT bounds;
  GetWindowRect(window, &bounds);
  TdxBarItemLink* link = ActiveLink();
  const TRect item = link ? link->ItemRect() : TRect();
  TCustomdxBarControl* bar = link ? link->GetLinkBarControl() : nullptr;
  const bool beside = bar && (bar->GetKind() == 2 || bar->IsVertical());
  const TPoint at = PlaceDropDownWindow({x, y}, {bounds.right - bounds.left, bounds.bottom - bounds.top},
                                        {item.Width(), item.Height()}, MonitorWorkAreaAt({x, y}), beside);
  SetWindowPos(window, nullptr, at.X, at.Y, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0,
               SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  AfterDropDown();
}

void TCustomdxBarCombo::CloseUp() {
  if (HWND window = GetDropDownWindow()) ShowWindow(window, SW_HIDE);
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomdxBarCombo::PrepareDropDownControl(TControl* control) {
  TdxBarItemLink* link = ActiveLink();
  TdxBarItemControl* itemControl = link ? link->Control() : nullptr;
  if (!itemControl) return;
  if (TCustomdxBarControl* bar = itemControl->Parent()) control->Font()->Assign(bar->ItemsFont());
  TColor text, background;
  itemControl->Painter()->GetEditColors(itemControl, text, background);
  control->SetColor(background);
  control->Font()->SetColor(text);
}

// ---------------------------------------------------------------------------------------------
// String combos.

TdxBarCustomCombo::TdxBarCustomCombo(TComponent* owner) : TCustomdxBarCombo(owner), items_(new TStringList) {
  items_->OnChange = MakeEvent(this, &TdxBarCustomCombo::ItemsChanged);
  listBox_ = new TdxBarDropDownListBox(this);
  listBox_->OnDrawItem = MakeEvent(this, &TdxBarCustomCombo::ListDrawItem);
  listBox_->OnMeasureItem = MakeEvent(this, &TdxBarCustomCombo::ListMeasureItem);
}

TdxBarCustomCombo::~TdxBarCustomCombo() {
  items_->OnChange = nullptr;
  delete items_;
}

TdxBarComboControl* TdxBarCustomCombo::ActiveComboControl() const {
  TdxBarItemLink* link = ActiveLink();
  return link ? ObjectAs<TdxBarComboControl>(link->Control()) : nullptr;
}

void TdxBarCustomCombo::SetItemIndex(int value) {
  if (value == itemIndex_) return;
  itemIndex_ = value < 0 || value >= items_->Count() ? -1 : value;
  const std::string target = itemIndex_ >= 0 ? items_->Get(itemIndex_) : std::string();
  if (Text() != target) {
    SetText(target);
    return;
  }
  // The entry equal to the current text was chosen: still a change for the application.
  TcxObjectLinkGuard alive(this);
  UpdateControls();
  Change();
  if (alive.Alive()) UpdateControls();
}

void TdxBarCustomCombo::SetText(const std::string& value) {
  if (itemIndex_ == -1 || items_->Get(itemIndex_) != value) itemIndex_ = items_->IndexOf(value);
  TCustomdxBarCombo::SetText(value);
}

void TdxBarCustomCombo::SetItems(TStrings* value) { items_->Assign(value); }

void TdxBarCustomCombo::ItemsChanged(TObject*) {
  if (itemIndex_ >= items_->Count()) SetItemIndex(-1);
  else UpdateControls();
}

void TdxBarCustomCombo::SetSorted(bool value) {
  if (sorted_ == value) return;
  sorted_ = value;
  items_->SetSorted(value);
  itemIndex_ = items_->IndexOf(Text());
}

bool TdxBarCustomCombo::CheckKeyForDropDownWindow(Word key, TShiftState shift) {
  if (!shift.Empty()) return false;
  return key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN;
}

HWND TdxBarCustomCombo::GetDropDownWindow() {
  HWND window = TCustomdxBarCombo::GetDropDownWindow();
  if (window) return window;
  if (listBox_->Parent()) listBox_->HandleNeeded();
  return listBox_->HandleAllocated() ? listBox_->WindowHandle() : nullptr;
}

void TdxBarCustomCombo::DropDown(int x, int y) {
  TdxBarItemLink* link = ActiveLink();
  if (link && link->Control()) listBox_->SetParent(link->Control()->Parent());
  TCustomdxBarCombo::DropDown(x, y);
  SynchronizeWithText();
}

void TdxBarCustomCombo::AfterDropDown() {
  if (GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) < 0) listBox_->BeginTracking();
  else listBox_->SetTracking(false);
}

void TdxBarCustomCombo::CloseUp() {
  TCustomdxBarCombo::CloseUp();
  listBox_->SetParent(nullptr);
}

void TdxBarCustomCombo::CurChange() {
  TCustomdxBarCombo::CurChange();
  SynchronizeWithText();
}

void TdxBarCustomCombo::PrepareDropDownWindow() {
  PrepareDropDownControl(listBox_);
  listBox_->Canvas()->SetFont(listBox_->Font());
  listBox_->Items()->Assign(items_);
  // Each entry gets its measured height here: the list's own measuring may not reach the combo
  // when the list sits on the desktop.
  HWND list = listBox_->WindowHandle();
  int height = 4;
  for (int i = 0; i < items_->Count(); ++i) {
    int entry = 0;
    MeasureItemHeight(i, entry);
    SendMessageA(list, LB_SETITEMHEIGHT, i, entry);
    if (i < dropDownCount_) height += entry;
  }
  SetWindowPos(list, nullptr, 0, 0, GetDropDownWidth(), height,
               SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
}

int TdxBarCustomCombo::GetDropDownWidth() {
  const bool scrolls = items_->Count() > dropDownCount_;
  const int scrollBar = scrolls ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  int base = dropDownWidth_;
  if (base <= 0) {
    TdxBarItemLink* link = ActiveLink();
    auto* control = link ? ObjectAs<TdxBarCustomEditControl>(link->Control()) : nullptr;
    base = (control ? control->CalcEditRect().Width() : 0) - 4 - scrollBar;
    for (int i = 0; i < items_->Count(); ++i) {
      int width = 0;
      MeasureItemWidth(i, width);
      base = std::max(base, width);
    }
  }
  return base + 4 + scrollBar;
}

void TdxBarCustomCombo::MeasureItemHeight(int index, int& height) {
  height = itemHeight_ >= 1 ? itemHeight_ : GetItemsCanvas()->TextHeight("Qq");
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TdxBarCustomCombo::MeasureItemWidth(int index, int& width) {
  width = GetItemsCanvas()->TextWidth(items_->Get(index)) + 2;
}

TCanvas* TdxBarCustomCombo::GetItemsCanvas() { return paintCanvas_ ? paintCanvas_ : listBox_->Canvas(); }

void TdxBarCustomCombo::DrawItem(TdxBarPainterClass painter, int index, TOwnerDrawState state, const TRect& rect) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
  } else {
    const std::string text = index >= 0 && index < items_->Count() ? items_->Get(index) : Text();
    painter->DrawComboItem(GetItemsCanvas(), rect, text);
  }
  if (state.Contains(odFocused)) GetItemsCanvas()->DrawFocusRect(rect);
}

void TdxBarCustomCombo::DrawValue(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& rect) {
  TdxBarItemLink* editing = EditingLink();
  auto* combo = ObjectAs<TdxBarComboControl>(control);
  const bool isEditing = editing && editing->Control() == control && combo;
  const int index = isEditing ? combo->LocalItemIndex() : itemIndex_;
  if (index < 0 && isEditing) {
    TdxBarEdit::DrawValue(control, canvas, rect);
    return;
  }
  TCanvas* saved = paintCanvas_;
  paintCanvas_ = canvas->Canvas();
  interiorDrawing_ = true;
  struct TRestore {
    TdxBarCustomCombo* Self;
    TCanvas* Saved;
    ~TRestore() {
      Self->interiorDrawing_ = false;
      Self->paintCanvas_ = Saved;
    }
  } restore{this, saved};
  DrawItem(control->Painter(), index, TOwnerDrawState(), rect);
}

void TdxBarCustomCombo::ListDrawItem(TWinControl*, int index, TRect rect, TOwnerDrawState state) {
  TdxBarItemLink* link = ActiveLink();
  TdxBarPainterClass painter = link && link->Control() ? link->Control()->Painter() : TdxBarPainter::Instance();
  TCanvas* canvas = listBox_->Canvas();
  if (state.Contains(odSelected)) {
    canvas->Brush()->SetColor(clHighlight);
    canvas->Font()->SetColor(clHighlightText);
  } else {
    canvas->Brush()->SetColor(listBox_->Color());
    canvas->Font()->SetColor(listBox_->Font()->Color());
  }
  DrawItem(painter, index, state, rect);
}

void TdxBarCustomCombo::ListMeasureItem(TWinControl*, int index, int& height) { MeasureItemHeight(index, height); }

namespace {
std::string UpperAnsi(const std::string& text) {
  std::string upper = text;
  if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}
}  // namespace

int FindComboEntryForText(TStrings* entries, const std::string& typed) {
  const std::string text = UpperAnsi(typed);
  size_t best = 0;
  int found = -1;
  for (int i = 0; i < entries->Count(); ++i) {
    const std::string entry = UpperAnsi(entries->Get(i));
    if (entry.compare(0, best, text, 0, best) != 0 || entry.size() < best) continue;
    size_t length = best;
    while (length < entry.size() && length < text.size() && entry[length] == text[length]) ++length;
    if (length == text.size() && length > 0) return i;
    if (length > best) {
      best = length;
      found = i;
    }
  }
  return found;
}

void TdxBarCustomCombo::SynchronizeWithText() {
  TdxBarComboControl* control = ActiveComboControl();
  if (!control) return;
  const std::string text = control->GetWindowText();
  int index = control->LocalItemIndex();
  if (index < 0 || index >= items_->Count() || items_->Get(index) != text) index = FindComboEntryForText(items_, text);
  control->StoreLocalItemIndex(index);
  if (!control->IsDroppedDown()) return;
  HWND list = listBox_->WindowHandle();
  if (index >= 0 && UpperAnsi(items_->Get(index)) == UpperAnsi(text)) {
    SendMessageA(list, LB_SETCURSEL, index, 0);
  } else {
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    if (index >= 0) SendMessageA(list, LB_SETTOPINDEX, index, 0);
  }
}

// ---------------------------------------------------------------------------------------------
// Published properties and the item classes.

namespace {
using W = TdxBarWindowItem;
using CE = TdxCustomBarEdit;
using E = TdxBarEdit;
using CC = TCustomdxBarCombo;
using BC = TdxBarCustomCombo;

constinit const TPropInfo editProps[] = {
    Published<&CE::ShowCaption, &CE::SetShowCaption>("ShowCaption").WithDefault(false),
    Published<&CE::Width, &CE::SetWidth>("Width"),
    Published<&E::MaxLength, &E::SetMaxLength>("MaxLength").WithDefault(0),
    Published<&E::ReadOnly, &E::SetReadOnly>("ReadOnly").WithDefault(false),
    Published<&W::Text, &W::SetText>("Text"),
};

constinit const TPropInfo comboProps[] = {
    Published<&CC::ShowEditor, &CC::SetShowEditor>("ShowEditor").WithDefault(true),
    Published<&BC::DropDownCount, &BC::SetDropDownCount>("DropDownCount").WithDefault(8),
    Published<&BC::DropDownWidth, &BC::SetDropDownWidth>("DropDownWidth").WithDefault(0),
    Published<&BC::ItemHeight, &BC::SetItemHeight>("ItemHeight").WithDefault(0),
    Published<&BC::Sorted, &BC::SetSorted>("Sorted").WithDefault(false),
    Published<&BC::ItemIndex, &BC::SetItemIndex>("ItemIndex"),
};

void StartEditItems() {
  RegisterPublishedProperties(TdxBarEdit::StaticClass(), editProps);
  RegisterPublishedProperties(TdxBarCombo::StaticClass(), comboProps);
  RegisterBarItemClass(TdxBarEdit::StaticClass(), TdxBarEditControl::StaticClass(), true);
  RegisterBarItemClass(TdxBarCombo::StaticClass(), TdxBarComboControl::StaticClass(), true);
}

void StopEditItems() {
  UnregisterBarItemClass(TdxBarCombo::StaticClass());
  UnregisterBarItemClass(TdxBarEdit::StaticClass());
}
}  // namespace

const TUnitInfo dxBarEditItemsUnit{"dxBarEditItems", StartEditItems, StopEditItems};
