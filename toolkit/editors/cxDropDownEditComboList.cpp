// The combo box's settings, its popup's size, its lookup (the list's preferred size and the whole
// rows a resize snaps to) and the list in the popup (row heights, owner drawing, a click commits).
#include <windows.h>

#include <algorithm>

#include "cxDropDownEdit.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomComboBoxProperties, TcxCustomDropDownEditProperties)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxComboBoxProperties, TcxCustomComboBoxProperties)
CALDERAN_IMPLEMENT_CLASS(TcxComboBoxPopupWindow, TcxCustomEditPopupWindow)
CALDERAN_IMPLEMENT_CLASS(TcxCustomComboBoxListBox, TcxCustomEditListBox)
CALDERAN_IMPLEMENT_CLASS(TcxComboBoxListBox, TcxCustomComboBoxListBox)
CALDERAN_IMPLEMENT_CLASS(TcxComboBoxLookupData, TcxCustomTextEditLookupData)

namespace {

// Indexed by TcxEditDropDownListStyle.
constexpr TcxTextEditingStyle editingStyleOfList[] = {tesListRestricted, tesFree, tesFixedList};

int ExtentsWidth(const TRect& e) { return e.Left + e.Right; }
int ExtentsHeight(const TRect& e) { return e.Top + e.Bottom; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Properties

TcxCustomEditProperties* TcxCustomComboBoxPropertiesClass::Create(TPersistent* owner) const {
  return Class() == TcxComboBoxProperties::StaticClass() ? new TcxComboBoxProperties(owner)
                                                         : new TcxCustomComboBoxProperties(owner);
}
const TcxCustomEditViewDataClass* TcxCustomComboBoxPropertiesClass::ViewDataClass(TcxCustomEditStyle*, bool) const {
  return TcxCustomComboBoxViewData::StaticClassOperations();
}
const TcxCustomEditViewInfoClass* TcxCustomComboBoxPropertiesClass::ViewInfoClass() const {
  return TcxCustomComboBoxViewInfo::StaticClassOperations();
}
const TcxCustomEditClass* TcxCustomComboBoxPropertiesClass::EditClass() const {
  return Class() == TcxComboBoxProperties::StaticClass()
             ? static_cast<const TcxCustomEditClass*>(TcxComboBox::StaticClassOperations())
             : TcxCustomComboBox::StaticClassOperations();
}

void TcxCustomComboBoxProperties::SetDropDownRows(int value) {
  if (value > 0) SetNotifying(dropDownRows_, value);
}

TcxTextEditingStyle TcxCustomComboBoxProperties::GetEditingStyle() const {
  return editingStyleOfList[dropDownListStyle_];
}

TcxCustomEditPopupWindow* TcxCustomComboBoxProperties::CreatePopupWindow(TcxCustomDropDownEdit* edit) const {
  return new TcxComboBoxPopupWindow(edit);
}

TcxLookupDataFactory TcxCustomComboBoxProperties::GetLookupDataClass() const {
  return [](TPersistent* owner, IcxLookupEditor* editor) -> TcxCustomTextEditLookupData* {
    return new TcxComboBoxLookupData(owner, editor);
  };
}

void TcxCustomComboBoxProperties::AssignExtra(TcxCustomEditProperties* source) {
  TcxCustomDropDownEditProperties::AssignExtra(source);
  auto* from = ObjectAs<TcxCustomComboBoxProperties>(source);
  if (!from) return;
  SetDropDownListStyle(from->dropDownListStyle_);
  SetDropDownRows(from->dropDownRows_);
  SetItemHeight(from->itemHeight_);
  revertable_ = from->revertable_;
  OnDrawItem = from->OnDrawItem;
  OnMeasureItem = from->OnMeasureItem;
}

// ---------------------------------------------------------------------------------------------
// The popup's size

void TcxComboBoxPopupWindow::CalculateSize() {
  PopupViewInfo()->GripCorner = pgcBottomRight;
  TakeOwnerBounds();
  const TRect e = PopupViewInfo()->GetClientExtents();
  const TSize m = CalcMinSize();
  const TSize c = Edit()->GetPopupClientSize();
  const bool userSized = Sizeable() && Edit()->PopupSizeChanged();
  const int editorWidth = OwnerBounds().Width();
  int width = editorWidth;
  if (userSized || (!PopupAutoSize() && PopupWidth() > 0)) width = PopupWidth();
  else if (PopupAutoSize()) width = std::max(static_cast<int>(c.cx) + ExtentsWidth(e), editorWidth);
  int height = static_cast<int>(c.cy) + ExtentsHeight(e);
  if (userSized || (PopupHeight() != 0 && (Sizeable() || !PopupAutoSize()))) height = PopupHeight();
  if (Sizeable()) width = std::max(width, MinWidth()), height = std::max(height, MinHeight());
  SetBounds(Left(), Top(), std::max<int>(width, m.cx), std::max<int>(height, m.cy));
}

// ---------------------------------------------------------------------------------------------
// Lookup

TcxEditListBoxFactory TcxComboBoxLookupData::GetListBoxClass() {
  return [](TComponent* owner) -> TcxCustomEditListBox* { return new TcxComboBoxListBox(owner); };
}

// The list and its scroll bars look like the rest of the popup.
void TcxComboBoxLookupData::PlaceList(TWinControl* parent) {
  TcxCustomTextEditLookupData::PlaceList(parent);
  auto* edit = dynamic_cast<TcxCustomDropDownEdit*>(Editor());
  if (DropList() && edit) DropList()->LookAndFeel()->SetParentLookAndFeel(edit->PopupControlsLookAndFeel());
}

void TcxComboBoxLookupData::ListPreferredSize(int maxHeight, int widthLimit, TSize& size) {
  TcxCustomEditListBox* list = DropList();
  const int count = LookupItemCount();
  const int rows = std::min(count, Editor()->LookupPageSize());
  if (!list) return void(size = TSize(0, 0));
  int height = list->RowsHeight(rows), width = 0;
  for (int i = 0; i < count; ++i) width = std::max(width, list->GetItemWidth(i));
  width += 4;
  if (list->HandleAllocated()) list->ResetScrollWidth(width);
  if (count > Editor()->LookupPageSize() || (maxHeight > 0 && maxHeight < height)) width += GetSystemMetrics(SM_CXVSCROLL);
  if (widthLimit > 0 && widthLimit < width) height += GetSystemMetrics(SM_CYHSCROLL);
  size = TSize(width, height);
}

// The size snaps to whole rows: rows are added until the requested height (within maxHeight) is
// met; a row that runs over is dropped when growing or over the limit, kept when shrinking.
bool TcxComboBoxLookupData::AllowsListResize(TSize& size, int maxHeight, int maxWidth) {
  TcxCustomEditListBox* list = DropList();
  if (!list || (size.cx == list->Width() && size.cy == list->Height())) return true;
  const int count = LookupItemCount();
  const int vb = GetSystemMetrics(SM_CXVSCROLL), hb = GetSystemMetrics(SM_CYHSCROLL);
  const int scrollWidth = list->HandleAllocated() ? static_cast<int>(SendMessageA(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0)) : 0;
  auto barHeight = [&](int rows) {
    const int textWidth = size.cx - (rows < count ? vb : 0);
    return scrollWidth > textWidth || (maxWidth > 0 && size.cx > maxWidth) ? hb : 0;
  };
  const int limit = maxHeight > 0 ? std::min<int>(size.cy, maxHeight) : size.cy;
  const bool enlarging = size.cy > list->Height();
  int height = 0, rows = 0;
  for (int i = 0; i < count; ++i) {
    const int next = height + list->ItemRowHeight(i);
    const int total = next + barHeight(i + 1);
    if (total > limit) {
      const bool stepBack = (maxHeight > 0 && total > maxHeight) || enlarging;
      if (!stepBack || rows == 0) height = next, rows = i + 1;
      break;
    }
    height = next, rows = i + 1;
    if (total == limit) break;
  }
  const int bar = barHeight(rows);
  size.cy = height + bar;
  size.cx = std::max<int>(size.cx, (rows < count ? vb : 0) + (bar ? vb : 0));
  return true;
}

// ---------------------------------------------------------------------------------------------
// The list

TcxCustomComboBoxListBox::TcxCustomComboBoxListBox(TComponent* owner) : TcxCustomEditListBox(owner) {
  SetStyle(lbOwnerDrawVariable);
}

TcxCustomComboBox* TcxCustomComboBoxListBox::ComboBox() const {
  return dynamic_cast<TcxCustomComboBox*>(LookupEditor);
}

int TcxCustomComboBoxListBox::RowsHeight(int rows) {
  int height = 0;
  for (int i = 0; i < rows; ++i) height += ItemRowHeight(i);
  return height;
}

int TcxComboBoxListBox::ItemRowHeight(int index) {
  TcxCustomComboBox* combo = ComboBox();
  const int fixed = combo ? combo->ActiveProperties()->ItemHeight() : 0;
  int height = fixed > 0 ? fixed : TcxCustomEditListBox::ItemRowHeight(-1);
  if (index >= 0 && combo && combo->HasMeasureItemHandler()) combo->FireMeasureItem(this, index, height);
  return height;
}

void TcxComboBoxListBox::MeasureItem(int index, int& height) { height = ItemRowHeight(index); }

void TcxComboBoxListBox::RebuildWindow() {
  TcxCustomComboBox* combo = ComboBox();
  SetItemHeight(ItemRowHeight(-1));
  SetStyle(combo && combo->HasMeasureItemHandler() ? lbOwnerDrawVariable : lbOwnerDrawFixed);
}

bool TcxComboBoxListBox::DrawItemCustom(int index, const TRect& rect, TOwnerDrawState state) {
  TcxCustomComboBox* combo = ComboBox();
  if (!combo || !combo->HasDrawItemHandler()) return false;
  TcxCanvas canvas(Canvas());
  combo->FireDrawItem(&canvas, index, rect, state);
  return true;
}

void TcxComboBoxListBox::ItemLabel(int index, std::string& text) {
  TcxCustomComboBox* combo = ComboBox();
  if (auto* lookup = combo ? combo->LookupData() : nullptr) lookup->ItemTextAt(index, text);
  else TcxCustomEditListBox::ItemLabel(index, text);
}

void TcxComboBoxListBox::CreateParams(TCreateParams& params) {
  TcxCustomComboBoxListBox::CreateParams(params);
  if (TcxCustomComboBox* combo = ComboBox(); combo && combo->HasDrawItemHandler())
    params.WindowClass.style |= CS_HREDRAW;
}

// A row set from code is not taken back by a resting pointer: the next move only lifts the lock.
void TcxComboBoxListBox::Dispatch(TMessage& m) {
  TcxCustomComboBoxListBox::Dispatch(m);
  if (m.Msg == LB_SETCURSEL)
    if (TcxCustomComboBox* combo = ComboBox()) combo->SetPopupMouseMoveLock(true);
  if (m.Msg == WM_SIZE && HandleAllocated()) {
    // Both bars shown: the corner square between them is painted again.
    const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
    if ((style & WS_VSCROLL) && (style & WS_HSCROLL)) SendMessageA(Handle(), WM_NCPAINT, 1, 0);
  }
}

void TcxComboBoxListBox::MouseMove(TShiftState shift, int x, int y) {
  TcxCustomComboBox* combo = ComboBox();
  if (combo && combo->PopupMouseMoveLocked()) {
    combo->SetPopupMouseMoveLock(false);
    return;
  }
  TcxCustomComboBoxListBox::MouseMove(shift, x, y);
}

void TcxComboBoxListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TcxCustomComboBoxListBox::MouseUp(button, shift, x, y);
  TcxCustomComboBox* combo = ComboBox();
  const int index = ItemAtPos(TPoint(x, y), true);
  if (button != mbLeft || !combo || index < 0) return;
  if (GetCapture() == Handle()) ReleaseCapture();
  SetListItemIndex(index);
  combo->CloseUp(pcrAccept);
}
