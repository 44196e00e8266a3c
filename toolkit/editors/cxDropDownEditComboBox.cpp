// The combo box editor: its popup's content size, the lookup following the typed text, stepping
// through the items by double click, dragging from the editor into the list, the owner-drawn text
// area of a fixed list, and the module's start-up.
#include <windows.h>

#include "cxDropDownEdit.h"
#include "cxEditScopes.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomComboBox, TcxCustomDropDownEdit)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxComboBox, TcxCustomComboBox, TComponent*)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomComboBoxViewData, TcxCustomDropDownEditViewData)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomComboBoxViewInfo, TcxCustomTextEditViewInfo)

TcxCustomEdit* TcxCustomComboBoxClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomComboBox(owner, inPlace);
}
TcxCustomEdit* TcxComboBoxClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxComboBox(owner, inPlace);
}
TcxCustomEditViewData* TcxCustomComboBoxViewDataClass::Create(TcxCustomEditProperties* properties,
                                                              TcxCustomEditStyle* style, bool inPlace) const {
  return new TcxCustomComboBoxViewData(properties, style, inPlace);
}
TcxCustomEditViewInfo* TcxCustomComboBoxViewInfoClass::Create() const { return new TcxCustomComboBoxViewInfo; }

namespace {

using TChangeEventsScope = cx_edit_detail::TChangeEventsScope<TcxCustomEdit>;
using TClickLockScope = cx_edit_detail::TClickLockScope<TcxCustomEdit>;

}  // namespace

TcxCustomComboBox::TcxCustomComboBox(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomDropDownEdit(owner, cls, inPlace) {
  // Clicks on the editor fire no OnClick; changing the item does.
  TControlStyle style = ControlStyle();
  style.Exclude(csClickEvents);
  SetControlStyle(style);
}

TcxComboBoxListBox* TcxCustomComboBox::ListBox() {
  return LookupData() ? dynamic_cast<TcxComboBoxListBox*>(LookupData()->DropList()) : nullptr;
}

bool TcxCustomComboBox::HasDrawItemHandler() {
  return OwnComboProperties()->OnDrawItem || (RepositoryItem() && ActiveProperties()->OnDrawItem);
}

void TcxCustomComboBox::FireDrawItem(TcxCanvas* canvas, int index, const TRect& rect, TOwnerDrawState state) {
  if (OwnComboProperties()->OnDrawItem) OwnComboProperties()->OnDrawItem(this, canvas, index, rect, state);
  if (RepositoryItem() && ActiveProperties()->OnDrawItem) ActiveProperties()->OnDrawItem(this, canvas, index, rect, state);
}

bool TcxCustomComboBox::HasMeasureItemHandler() {
  return OwnComboProperties()->OnMeasureItem || (RepositoryItem() && ActiveProperties()->OnMeasureItem);
}

void TcxCustomComboBox::FireMeasureItem(TWinControl* list, int index, int& height) {
  if (OwnComboProperties()->OnMeasureItem) OwnComboProperties()->OnMeasureItem(list, index, height);
  if (RepositoryItem() && ActiveProperties()->OnMeasureItem) ActiveProperties()->OnMeasureItem(list, index, height);
}

bool TcxCustomComboBox::CanDropDown() { return !LookupData() || !LookupData()->HasNoItems(); }

TSize TcxCustomComboBox::GetPopupClientSize() {
  TcxCustomEditPopupWindow* popup = PopupWindow();
  TcxCustomComboBoxProperties* p = ActiveProperties();
  const TSize available = popup->AvailableClientSize();
  int widthLimit = available.cx;
  if (!p->PopupSizeable() && !p->PopupAutoSize()) {
    const TRect e = popup->PopupViewInfo()->GetClientExtents();
    const int width = p->PopupWidth() < 1 ? Width() : p->PopupWidth();
    widthLimit = std::min<int>(width - e.Left - e.Right, available.cx);
  }
  TSize size(0, 0);
  if (LookupData()) LookupData()->ListPreferredSize(available.cy, widthLimit, size);
  return size;
}

void TcxCustomComboBox::ConfigurePopupWindow() {
  TcxCustomDropDownEdit::ConfigurePopupWindow();
  // A sizeable list has a grip (and the close button when the style allows it).
  PopupWindow()->SetSysPanel(ActiveProperties()->PopupSizeable());
}

void TcxCustomComboBox::LayoutPopup() {
  TcxCustomDropDownEdit::LayoutPopup();
  if (TcxComboBoxListBox* list = ListBox()) list->Invalidate();
}

void TcxCustomComboBox::HandlePopupShown(TObject* sender) {
  TcxCustomDropDownEdit::HandlePopupShown(sender);
  if (LookupData() && LookupData()->PointOverList(GetMouseScreenPos())) SetPopupMouseMoveLock(true);
}

// ---------------------------------------------------------------------------------------------
// The lookup following the text

bool TcxCustomComboBox::LookupMayFollowText() {
  if (LookupSyncLocked()) return false;
  TcxCustomComboBoxProperties* p = ActiveProperties();
  const TcxTextEditingStyle style = p->GetEditingStyle();
  if (DroppedDown()) return true;
  if (IsShowRequestPending() && !(style == tesFree && p->IncrementalSearch())) return true;
  if (style == tesListRestricted || style == tesFixedList) return true;
  if (style != tesFree || !IsContainerFocused() || !LookupData()) return false;
  // With no item committed the text is compared with an empty one.
  std::string itemText;
  LookupData()->ItemTextForKey(TVariant(static_cast<int64_t>(LookupData()->CommittedIndex())), itemText);
  return !AnsiSameText(Text(), itemText);
}

void TcxCustomComboBox::InnerEditChanged(TObject* sender) {
  TcxCustomTextEditLookupData* lookup = LookupData();
  const TVariant key = lookup ? lookup->ReadCurrentKey() : TVariant();
  {
    TChangeEventsScope events(this);
    TClickLockScope clicks(this);
    TcxCustomDropDownEdit::InnerEditChanged(sender);
    if (lookup && LookupMayFollowText()) lookup->SyncKeyWithText();
  }
  if (lookup && !VariantsEqualExact(key, lookup->ReadCurrentKey())) DoModifiedClick();
}

// ---------------------------------------------------------------------------------------------
// Mouse and focus

void TcxCustomComboBox::DblClick() {
  TcxCustomDropDownEdit::DblClick();
  TcxCustomTextEditLookupData* lookup = LookupData();
  if (DroppedDown() || !ActiveProperties()->Revertable() || !lookup) return;
  const TVariant key = lookup->ReadCurrentKey();
  {
    TChangeEventsScope events(this);
    if (!RequestEditing()) return;
    lookup->MoveCurrent(lmNext, true);
  }
  if (VariantsEqualExact(key, lookup->ReadCurrentKey())) return;
  DoModifiedClick();
  if (ActiveProperties()->ImmediatePost() && DataBinding()->DefaultValuesProvider()->DataModifiable() &&
      ValidateInput())
    FinishEditing(false);
}

// Pressing on the editor and dragging into the open list selects rows as if pressed there.
void TcxCustomComboBox::MouseMove(TShiftState shift, int x, int y) {
  TcxCustomDropDownEdit::MouseMove(shift, x, y);
  TcxComboBoxListBox* list = ListBox();
  if (!list || !HandleAllocated() || GetCapture() != Handle() || !DroppedDown()) return;
  const TPoint screen = ClientToScreen(TPoint(x, y));
  const TRect client = PopupWindow()->PopupViewInfo()->ClientRect;
  const TPoint inPopup = PopupWindow()->ScreenToClient(screen);
  if (!client.Contains(inPopup) || !LookupData()->PointOverList(screen)) return;
  const TPoint inList = list->ScreenToClient(screen);
  SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inList.X, inList.Y));
}

void TcxCustomComboBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TcxCustomDropDownEdit::MouseUp(button, shift, x, y);
}

void TcxCustomComboBox::FocusChanged() {
  TcxCustomTextEditProperties* p = ActiveProperties();
  if (p->AutoSelect() && p->HideSelection() && !IsContainerFocused() && InnerTextEdit() &&
      InnerTextEdit()->HandleAllocated())
    SendMessageA(InnerTextEdit()->Handle(), EM_SETSEL, 0, 0);
  TcxCustomDropDownEdit::FocusChanged();
}

// ---------------------------------------------------------------------------------------------
// The owner-drawn text area of a fixed list

void TcxCustomComboBoxViewData::ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                                              TcxContainerMouseButton button, TShiftState shift,
                                              TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) {
  TcxCustomDropDownEditViewData::ComputeLayout(canvas, bounds, point, button, shift, viewInfo, isMouseEvent);
  auto* info = static_cast<TcxCustomComboBoxViewInfo*>(viewInfo);
  auto* p = static_cast<TcxCustomComboBoxProperties*>(Properties);
  auto* combo = ObjectAs<TcxCustomComboBox>(Edit);
  const bool ownerDraws = p->DropDownListStyle() == lsFixedList && combo && combo->HasDrawItemHandler();
  info->ItemIndex = ownerDraws ? combo->ItemIndex() : -1;
  info->OwnerDrawValue = info->ItemIndex != -1;
}

void TcxCustomComboBoxViewData::PrepareDrawValue(TcxCanvas* canvas, const TVariant& value,
                                                 TcxCustomEditViewInfo* viewInfo) {
  TcxCustomDropDownEditViewData::PrepareDrawValue(canvas, value, viewInfo);
  auto* info = static_cast<TcxCustomComboBoxViewInfo*>(viewInfo);
  auto* p = static_cast<TcxCustomComboBoxProperties*>(Properties);
  const bool ownerDraws = p->DropDownListStyle() == lsFixedList && p->OnDrawItem;
  std::string text;
  ValueToDisplayText(value, text);
  info->ItemIndex = ownerDraws ? p->Items()->IndexOf(text) : -1;
  info->OwnerDrawValue = info->ItemIndex != -1;
}

TcxCustomComboBoxViewInfo::TcxCustomComboBoxViewInfo() {
  OnDrawValue = MakeEvent(this, &TcxCustomComboBoxViewInfo::DrawOwnerValue);
}

void TcxCustomComboBoxViewInfo::DrawOwnerValue(TcxCustomTextEditViewInfo*, TcxCanvas* canvas, const TRect& rect) {
  TOwnerDrawState state{odComboBoxEdit};
  if (Focused) state.Include(odSelected), state.Include(odFocused);
  canvas->SaveState();
  canvas->SetBrushColor(SelectionBarDrawn ? clHighlight : BackgroundColor);
  if (Font) canvas->SetFont(Font);
  canvas->GetFont()->SetColor(SelectionBarDrawn ? clHighlightText : TextColor);
  auto* combo = ObjectAs<TcxCustomComboBox>(Edit);
  auto* p = static_cast<TcxCustomComboBoxProperties*>(Properties);
  if (combo) combo->FireDrawItem(canvas, ItemIndex, rect, state);
  else if (p && p->OnDrawItem) p->OnDrawItem(nullptr, canvas, ItemIndex, rect, state);
  canvas->RestoreState();
}

// ---------------------------------------------------------------------------------------------
// Module start-up

namespace {

void StartDropDownEditUnit() {
  RegisterDropDownEditPublishedProperties();
  GetEditPropertiesRegistry()->Register(TcxComboBoxProperties::StaticClass(),
                                        LoadToolkitString(scxSEditRepositoryComboBoxItem));
  RegisterClass(TcxComboBox::StaticClass());
  RegisterComboBoxFilterHelper();
  GetEditPropertiesRegistry()->Register(TcxPopupEditProperties::StaticClass(),
                                        LoadToolkitString(scxSEditRepositoryPopupItem));
  RegisterClass(TcxPopupEdit::StaticClass());
}

void StopDropDownEditUnit() {
  GetEditPropertiesRegistry()->Unregister(TcxPopupEditProperties::StaticClass());
  UnregisterComboBoxFilterHelper();
  GetEditPropertiesRegistry()->Unregister(TcxComboBoxProperties::StaticClass());
}

}  // namespace

const TUnitInfo cxDropDownEditUnit{"cxDropDownEdit", &StartDropDownEditUnit, &StopDropDownEditUnit};
