// The radio group as an editor kind: items with values, the value <-> item index mapping, the
// group's buttons and focus, in-place drawing, the filter helper and the module's registration.
#include "cxRadioGroup.h"

#include <vssym32.h>

#include <algorithm>

#include "Forms.h"
#include "cxEditPaintUtils.h"
#include "cxGeometry.h"
#include "cxGraphicsRoutines.h"
#include "cxDropDownEdit.h"
#include "cxVariants.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS(TcxCustomRadioGroupButton, TcxRadioButton)
CALDERAN_IMPLEMENT_CREATABLE(TcxRadioGroupItem, TcxButtonGroupItem, TCollection*)
CALDERAN_IMPLEMENT_CLASS(TcxRadioGroupItems, TcxButtonGroupItems)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomRadioGroupProperties, TcxCustomButtonGroupProperties, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxRadioGroupProperties, TcxCustomRadioGroupProperties, TPersistent*)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomRadioGroupViewData, TcxButtonGroupViewData)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomRadioGroupViewInfo, TcxButtonGroupViewInfo)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomRadioGroup, TcxCustomButtonGroup, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxRadioGroup, TcxCustomRadioGroup, TComponent*)
CALDERAN_IMPLEMENT_STATELESS_CLASS(TcxFilterRadioGroupHelper, TcxCustomFilterEditHelper)

namespace {

std::string TextOf(const TVariant& value) {
  if (value.IsNull() || value.IsEmpty()) return {};
  try {
    return value.AsString();
  } catch (const Exception&) {
    return {};
  }
}

// RAII for the editor's change-event lock.
struct TChangeEventsLock {
  TcxCustomEdit* edit;
  explicit TChangeEventsLock(TcxCustomEdit* e) : edit(e) { edit->LockChangeEvents(true); }
  ~TChangeEventsLock() { edit->LockChangeEvents(false); }
};

struct TFlagScope {
  bool& flag;
  explicit TFlagScope(bool& f) : flag(f) { flag = true; }
  ~TFlagScope() { flag = false; }
};

// The look-and-feel kind a button style draws in.
TcxLookAndFeelKind KindOfButtonStyle(TcxEditButtonStyle style) {
  switch (style) {
    case btsFlat: return lfFlat;
    case btsUltraFlat: return lfUltraFlat;
    case btsOffice11: return lfOffice11;
    default: return lfStandard;
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Class operations

TcxCustomEditProperties* TcxCustomRadioGroupPropertiesClass::Create(TPersistent* owner) const {
  return new TcxCustomRadioGroupProperties(owner);
}
const TcxCustomEditClass* TcxCustomRadioGroupPropertiesClass::EditClass() const {
  return TcxRadioGroup::StaticClassOperations();
}
const TcxCustomEditViewDataClass* TcxCustomRadioGroupPropertiesClass::ViewDataClass(TcxCustomEditStyle*, bool) const {
  return TcxCustomRadioGroupViewData::StaticClassOperations();
}
const TcxCustomEditViewInfoClass* TcxCustomRadioGroupPropertiesClass::ViewInfoClass() const {
  return TcxCustomRadioGroupViewInfo::StaticClassOperations();
}
TcxCustomEditProperties* TcxRadioGroupPropertiesClass::Create(TPersistent* owner) const {
  return new TcxRadioGroupProperties(owner);
}
TcxCustomEditViewData* TcxCustomRadioGroupViewDataClass::Create(TcxCustomEditProperties* properties,
                                                                TcxCustomEditStyle* style, bool inPlace) const {
  return new TcxCustomRadioGroupViewData(properties, style, inPlace);
}
TcxCustomEditViewInfo* TcxCustomRadioGroupViewInfoClass::Create() const { return new TcxCustomRadioGroupViewInfo; }
TcxCustomEdit* TcxCustomRadioGroupClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomRadioGroup(owner, inPlace);
}
const TcxCustomEditPropertiesClass* TcxCustomRadioGroupClass::OwnPropertiesClass() const {
  return TcxCustomRadioGroupProperties::StaticClassOperations();
}
TcxCustomEdit* TcxRadioGroupClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxRadioGroup(owner, inPlace);
}
const TcxCustomEditPropertiesClass* TcxRadioGroupClass::OwnPropertiesClass() const {
  return TcxRadioGroupProperties::StaticClassOperations();
}

// ---------------------------------------------------------------------------------------------
// Items and properties

void TcxRadioGroupItem::Assign(TPersistent* source) {
  if (auto* from = ObjectAs<TcxRadioGroupItem>(source)) SetValue(from->value_);
  TcxButtonGroupItem::Assign(source);
}

void TcxRadioGroupItem::SetValue(const TVariant& value) {
  if (VariantsEqualExact(value, value_) && value.IsNull() == value_.IsNull()) return;
  value_ = value;
  ReportChanged();
}

TcxCustomRadioGroupProperties::TcxCustomRadioGroupProperties(TPersistent* owner,
                                                             const TcxCustomEditPropertiesClass* cls)
    : TcxCustomButtonGroupProperties(owner, cls),
      defaultCaption_(AnsiToWide(LoadToolkitString(cxSRadioGroupDefaultCaption))) {
  MakeItems();
}

TcxButtonGroupItems* TcxCustomRadioGroupProperties::CreateItems() {
  return new TcxRadioGroupItems(this, TcxRadioGroupItem::StaticClass());
}

bool TcxCustomRadioGroupProperties::IsDefaultCaptionStored() const {
  return defaultCaption_ != AnsiToWide(LoadToolkitString(cxSRadioGroupDefaultCaption));
}

void TcxCustomRadioGroupProperties::SetDefaultValue(const TVariant& value) {
  if (VariantsEqualExact(value, defaultValue_) && value.IsNull() == defaultValue_.IsNull()) return;
  defaultValue_ = value;
  NotifyChanged();
}

int TcxCustomRadioGroupProperties::GetColumnCount() const {
  const int columns = std::min(Columns(), Items()->Count());
  return columns <= 0 ? 1 : columns;
}

int TcxCustomRadioGroupProperties::ItemIndexOfValue(const TVariant& value) const {
  TcxRadioGroupItems* items = Items();
  for (int i = 0; i < items->Count(); ++i) {
    TcxRadioGroupItem* item = items->Items(i);
    const bool matches = item->Value().IsNull() ? StringsMatch(TextOf(value), item->Caption(), true)
                                                : VarEqualsEx(value, item->Value());
    if (matches) return i;
  }
  return -1;
}

TVariant TcxCustomRadioGroupProperties::ValueOfItemIndex(int index) const {
  if (index < 0 || index >= Items()->Count()) return defaultValue_;
  TcxRadioGroupItem* item = Items()->Items(index);
  return item->Value().IsNull() ? TVariant(item->Caption()) : item->Value();
}

void TcxCustomRadioGroupProperties::Assign(TPersistent* source) {
  auto* from = ObjectAs<TcxCustomRadioGroupProperties>(source);
  if (!from) return TcxCustomButtonGroupProperties::Assign(source);
  BeginUpdate();
  try {
    TcxCustomButtonGroupProperties::Assign(source);
    SetDefaultCaption(from->defaultCaption_);
    SetDefaultValue(from->defaultValue_);
    SetWordWrap(from->WordWrap());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TcxCustomRadioGroupProperties::EditValuesEqual(const TVariant& value1, const TVariant& value2) {
  return ItemIndexOfValue(value1) == ItemIndexOfValue(value2);
}

std::u16string TcxCustomRadioGroupProperties::FormatDisplayValue(const TVariant& editValue) {
  const int index = ItemIndexOfValue(editValue);
  return index < 0 ? defaultCaption_ : AnsiToWide(Items()->Items(index)->Caption());
}

void TcxCustomRadioGroupProperties::EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool) {
  displayValue = TVariant(static_cast<int32_t>(ItemIndexOfValue(editValue)));
}

uint16_t TcxCustomRadioGroupProperties::GetSupportedOperations() const {
  return TcxCustomButtonGroupProperties::GetSupportedOperations() | 0x210;
}

// ---------------------------------------------------------------------------------------------
// View data and view info (in-place drawing)

void TcxCustomRadioGroupViewData::GetButtonMetrics(TcxButtonGroupMetrics& m, TcxCanvas* canvas) const {
  const bool native = NativeStyle;
  m.CaptionLeftOffset = native ? 1 : 3;
  m.FitWidthCorrection = InPlace ? -5 : -6;
  m.GlyphCaptionGap = native ? 5 : 7;
  m.WidthMargin = InPlace ? 1 : 6;
  m.FirstColumnLeft = InPlace ? 1 : 6;
  m.GridWidthCorrection = InPlace ? -2 : -6;
  m.ColumnGap = 0;
  (void)canvas;
  const TSize glyph = StyleLookAndFeel()->CurrentPainter()->RadioButtonSize();
  m.GlyphWidth = glyph.cx, m.GlyphHeight = glyph.cy;
}

void TcxCustomRadioGroupViewData::ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                                                TcxContainerMouseButton button, TShiftState shift,
                                                TcxCustomEditViewInfo* editViewInfo, bool isMouseEvent) {
  TcxButtonGroupViewData::ComputeLayout(canvas, bounds, point, button, shift, editViewInfo, isMouseEvent);
  auto* v = static_cast<TcxCustomRadioGroupViewInfo*>(editViewInfo);
  v->GlyphSize = StyleLookAndFeel()->CurrentPainter()->RadioButtonSize();
  v->BackgroundColor = Style->EffectiveColor();
  if (auto* group = ObjectAs<TcxCustomRadioGroup>(Edit)) v->CheckedIndex = group->ItemIndex();
}

void TcxCustomRadioGroupViewData::PrepareDrawValue(TcxCanvas*, const TVariant& value, TcxCustomEditViewInfo* viewInfo) {
  static_cast<TcxCustomRadioGroupViewInfo*>(viewInfo)->CheckedIndex =
      PreviewMode ? 0 : RadioProperties()->ItemIndexOfValue(value);
}

void TcxCustomRadioGroupViewData::SetButtonNativeState(TcxButtonGroupViewInfo* viewInfo, int index) {
  auto* v = static_cast<TcxCustomRadioGroupViewInfo*>(viewInfo);
  TcxButtonGroupButtonInfo& b = v->Buttons.at(index);
  static constexpr int offsetOfState[] = {0, 0, 1, 2, 3};  // by TcxButtonState: default, normal, hot, pressed, disabled
  b.NativeState = RBS_UNCHECKEDNORMAL + offsetOfState[b.State] + (index == v->CheckedIndex ? 4 : 0);
  const HTHEME theme = NativeStyle ? OpenThemeByKind(totButton) : nullptr;
  b.NativeTransparent = theme && UxIsThemeBackgroundPartiallyTransparent(theme, BP_RADIOBUTTON, b.NativeState);
}

bool TcxCustomRadioGroupViewInfo::IsButtonBackgroundTransparent(int index) const {
  return Transparent || (NativeStyle && Buttons.at(index).NativeTransparent);
}

void TcxCustomRadioGroupViewInfo::PaintButtonGlyph(TcxCanvas* canvas, int index) {
  const TcxButtonGroupButtonInfo& b = Buttons.at(index);
  const TRect glyph = ButtonGlyphRect(index);
  canvas->SaveClipRegion();
  canvas->IntersectClipRect(b.Bounds);
  const HTHEME theme = NativeStyle ? OpenThemeByKind(totButton) : nullptr;
  if (theme) {
    UxDrawThemeBackground(theme, canvas->GetHandle(), BP_RADIOBUTTON, b.NativeState, glyph.Win(), nullptr);
  } else {
    TcxCustomLookAndFeelPainterClass painter = Painter ? Painter : PainterOfKind(KindOfButtonStyle(b.Style));
    painter->PaintRadioButton(canvas, glyph.Left, glyph.Top, b.State, index == CheckedIndex, false,
                              Transparent ? clDefault : BackgroundColor, IsDesigning);
  }
  canvas->RestoreClipRegion();
}

void TcxCustomRadioGroupViewInfo::PaintButtonCaption(TcxCanvas* canvas, int index) {
  const TcxButtonGroupButtonInfo& b = Buttons.at(index);
  TRect r = b.Bounds;
  r.Left = ButtonGlyphRect(index).Right;
  r = NativeStyle ? TRect(r.Left + 3, r.Top - 1, r.Right, r.Bottom + 1) : TRect(r.Left + 5, r.Top, r.Right - 1, r.Bottom);
  if (IsDataPaintCopy) r = RectOffset(r, 0, -1);
  canvas->SaveState();
  if (Font) canvas->SetFont(Font);
  HDC dc = canvas->GetHandle();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(TextColor));
  RECT text = *r.Win();
  ::DrawTextA(dc, b.Caption.c_str(), static_cast<int>(b.Caption.size()), &text, CaptionTextFlags);
  canvas->RestoreState();
}

// ---------------------------------------------------------------------------------------------
// The group's buttons

TcxCustomRadioGroupButton::TcxCustomRadioGroupButton(TcxCustomRadioGroup* group)
    : TcxRadioButton(group), group_(group) {
  LookAndFeel()->SetParentLookAndFeel(group->Style()->LookAndFeel());
}

TcxCustomRadioGroupButton::~TcxCustomRadioGroupButton() = default;

TcxContainer* TcxCustomRadioGroupButton::OwnerContainer() { return group_; }
bool TcxCustomRadioGroupButton::IsInplaceButton() const { return group_->InPlace(); }
bool TcxCustomRadioGroupButton::CanFocus() { return group_->CanFocus() && TcxRadioButton::CanFocus(); }

bool TcxCustomRadioGroupButton::UsesNativeTheme() {
  return group_->GetViewInfo()->NativeStyle && !group_->Style()->LookAndFeel()->SkinPainter() &&
         OpenThemeByKind(totButton) != nullptr;
}
bool TcxCustomRadioGroupButton::UsesThemedParentBackground() { return group_->UsesParentBackgroundNatively(); }
bool TcxCustomRadioGroupButton::IsTransparentDrawn() {
  return group_->Transparent() || group_->Style()->LookAndFeel()->SkinPainter() != nullptr ||
         (group_->PanelStyle()->Active() && group_->Style()->LookAndFeel()->Kind() == lfOffice11);
}

void TcxCustomRadioGroupButton::PaintBackground() {
  TcxCustomEditViewInfo* v = group_->GetViewInfo();
  if (v->OnBackgroundPaint) return v->DrawCustomBackgroundAt(cxCanvas(), RectOffset(ClientRect(), Left(), Top()));
  // The group is a toolkit control: its own painting gives the background, also where the theme
  // would ask the parent for it (a theme's request is not answered by the container).
  if (IsTransparentDrawn() || UsesThemedParentBackground()) {
    TFlagScope skinParent(group_->skinParentPainting_);
    return PaintParentImage(this, cxCanvas(), ClientRect(), false);
  }
  TcxRadioButton::PaintBackground();
}

void TcxCustomRadioGroupButton::WndProc(TMessage& m) {
  if (group_->HandleInnerKeyMessage(m)) return;
  const bool press = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK;
  if (press && group_->DragMode() == dmAutomatic && !ComponentState().Contains(csDesigning)) {
    group_->DoBeginAutoDrag();
    return;
  }
  if (!press) return TcxRadioButton::WndProc(m);
  TFlagScope pressing(pressing_);
  TcxRadioButton::WndProc(m);
}

void TcxCustomRadioGroupButton::DefaultHandler(TMessage& m) {
  if (group_->PreviewInnerMessage(m)) return;
  TcxRadioButton::DefaultHandler(m);
}

void TcxCustomRadioGroupButton::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE: WMGetDlgCode(m); break;
    case WM_SETFOCUS: case WM_KILLFOCUS: WMFocusChanged(m); break;
    case CM_ENTER: CMEnter(m); break;
    case CM_EXIT: CMExit(m); break;
    case CN_COMMAND: CNCommand(m); break;
    case CN_KEYDOWN: {
      // Arrows move within the group before the form's dialog navigation sees them.
      Word key = static_cast<Word>(m.WParam);
      const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
      if (arrow && group_->FocusedButtonIndex() >= 0) {
        KeyDown(key, KeyDataToShiftState(m.LParam));
        if (key == 0) {
          m.Result = 1;
          break;
        }
      }
      TcxRadioButton::Dispatch(m);
      break;
    }
    default: TcxRadioButton::Dispatch(m);
  }
}

void TcxCustomRadioGroupButton::WMGetDlgCode(TMessage& m) {
  TcxRadioButton::Dispatch(m);
  if (group_->WantsTabKey() && GetKeyState(VK_CONTROL) >= 0) m.Result |= DLGC_WANTTAB;
  if (group_->InPlace()) m.Result |= DLGC_WANTARROWS;
}

void TcxCustomRadioGroupButton::WMFocusChanged(TMessage& m) {
  TcxRadioButton::Dispatch(m);
  if (group_->IsContainerDestroying()) return;
  if (reinterpret_cast<HWND>(m.WParam) == group_->Handle()) return;
  group_->ButtonFocusChanged();
}

// Entering checks the button when the group grants the change; leaving only refreshes.
void TcxCustomRadioGroupButton::CMEnter(TMessage& m) {
  TButtonControl::Dispatch(m);
  group_->ShortRefresh();
  if (Checked() || group_->InPlace() || pressing_) return;
  if (group_->RequestEditing()) SetChecked(true);
}

void TcxCustomRadioGroupButton::CMExit(TMessage& m) {
  TcxRadioButton::Dispatch(m);
  group_->ShortRefresh();
}

void TcxCustomRadioGroupButton::CNCommand(TMessage& m) {
  const WORD code = HIWORD(m.WParam);
  if ((code != BN_CLICKED && code != BN_DOUBLECLICKED) || commanding_) return;
  TFlagScope guard(commanding_);
  try {
    if (Checked() || (group_->ButtonCanBeginEditing() && group_->RequestEditing())) TcxRadioButton::Dispatch(m);
  } catch (const Exception&) {
    if (Application) Application->HandleException(this);
  }
}

void TcxCustomRadioGroupButton::SetChecked(bool value) {
  if (value == Checked()) return;
  SetClicksDisabled(true);
  TcxRadioButton::SetChecked(value);
  SetClicksDisabled(false);
  if (value && !setByGroup_) group_->ButtonCheckedByUser(this);
}

void TcxCustomRadioGroupButton::SetCheckedByGroup(bool value) {
  TFlagScope byGroup(setByGroup_);
  SetChecked(value);
}

void TcxCustomRadioGroupButton::Click() {
  TcxRadioButton::Click();
  if (!group_->ComponentState().Contains(csLoading) && !group_->ComponentState().Contains(csReading) &&
      !group_->IsContainerDestroying())
    group_->DoButtonClick();
}

void TcxCustomRadioGroupButton::KeyDown(Word& key, TShiftState shift) {
  group_->DoKeyDown(key, shift);
  if (key) TcxRadioButton::KeyDown(key, shift);
}

void TcxCustomRadioGroupButton::KeyPress(char& key) {
  if ((key == '\b' || key == ' ') && !group_->ButtonCanBeginEditing()) key = 0;
  if (key) group_->DoKeyPress(key);
  if (key) TcxRadioButton::KeyPress(key);
}

void TcxCustomRadioGroupButton::KeyUp(Word& key, TShiftState shift) {
  group_->DoKeyUp(key, shift);
  if (key) TcxRadioButton::KeyUp(key, shift);
}

void TcxCustomRadioGroupButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TcxRadioButton::MouseDown(button, shift, x, y);
  group_->SetInnerControlMouseDown(true);
  struct TReset {
    TcxContainer* c;
    ~TReset() { c->SetInnerControlMouseDown(false); }
  } reset{group_};
  group_->DoMouseDown(button, shift, x + Left(), y + Top());
}

void TcxCustomRadioGroupButton::MouseMove(TShiftState shift, int x, int y) {
  TcxRadioButton::MouseMove(shift, x, y);
  group_->DoMouseMove(shift, x + Left(), y + Top());
}

void TcxCustomRadioGroupButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TcxRadioButton::MouseUp(button, shift, x, y);
  group_->DoMouseUp(button, shift, x + Left(), y + Top());
}

// ---------------------------------------------------------------------------------------------
// The group

TcxCustomRadioGroup::TcxCustomRadioGroup(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomButtonGroup(owner, cls, inPlace) {
  const bool parentBackground = ControlStyle().Contains(csParentBackground);
  TControlStyle style{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable};
  if (parentBackground) style.Include(csParentBackground);
  SetControlStyle(style);
  SetBounds(Left(), Top(), 185, 105);
}

TcxCustomRadioGroup::~TcxCustomRadioGroup() {
  Destroying();
  FreeButtons();
}

void TcxCustomRadioGroup::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGCHAR: CMDialogChar(m); break;
    case CM_CTL3DCHANGED: TcxCustomButtonGroup::Dispatch(m); ShortRefresh(); break;
    default: TcxCustomButtonGroup::Dispatch(m);
  }
}

TWinControl* TcxCustomRadioGroup::CreateButton() { return new TcxCustomRadioGroupButton(this); }

HDC TcxCustomRadioGroup::GetButtonDC(int index) { return RadioButton(index)->cxCanvas()->GetHandle(); }

bool TcxCustomRadioGroup::IsStoringItemIndex() {
  const TComponentState state = ComponentState();
  return state.Contains(csLoading) || state.Contains(csReading) || state.Contains(csDesigning) ||
         IsContainerDestroying();
}

int TcxCustomRadioGroup::CheckedButtonIndex() const {
  for (int i = 0; i < ButtonCount(); ++i)
    if (RadioButton(i)->Checked()) return i;
  return -1;
}

int TcxCustomRadioGroup::ItemIndex() { return IsStoringItemIndex() ? storedItemIndex_ : CheckedButtonIndex(); }

void TcxCustomRadioGroup::SetItemIndex(int value) {
  const TComponentState state = ComponentState();
  const bool storing = IsStoringItemIndex();
  if (storing) storedItemIndex_ = value;
  if (state.Contains(csLoading) || state.Contains(csReading) || IsContainerDestroying()) return;
  value = std::clamp(value, -1, ButtonCount() - 1);
  SetEditValueForIndex(value, false);
}

void TcxCustomRadioGroup::SetEditValueForIndex(int index, bool forced) {
  TVariant value;
  DisplayToEditValue(TVariant(static_cast<int32_t>(index)), value, false);
  forcedSet_ = forced;
  struct TReset {
    bool& f;
    ~TReset() { f = false; }
  } reset{forcedSet_};
  InternalSetEditValue(value, false);
}

void TcxCustomRadioGroup::DisplayToEditValue(const TVariant& display, TVariant& value, bool) {
  value = ActiveProperties()->ValueOfItemIndex(display.IsNull() || display.IsEmpty() ? -1 : display.AsInteger());
}

void TcxCustomRadioGroup::CheckButtons(int index) {
  if (index < 0) {
    const int current = CheckedButtonIndex();
    if (current >= 0) RadioButton(current)->SetCheckedByGroup(false);
  } else {
    RadioButton(index)->SetCheckedByGroup(true);
    FocusButtonOf(index);
  }
  if (IsStoringItemIndex()) storedItemIndex_ = index;
}

// When the group has the focus on its own window or a button, the button of the index takes it.
void TcxCustomRadioGroup::FocusButtonOf(int index) {
  if (index < 0 || index >= ButtonCount() || !IsContainerFocused()) return;
  if (HandleAllocated() && GetFocus() == Handle()) return;
  if (RadioButton(index)->CanFocus()) RadioButton(index)->SetFocus();
}

void TcxCustomRadioGroup::InternalSetEditValue(const TVariant& value, bool validate) {
  TChangeEventsLock lock(this);
  TcxCustomButtonGroup::InternalSetEditValue(value, validate);
  const int index = ActiveProperties()->ItemIndexOfValue(EditValue());
  if (!forcedSet_ && index == CheckedButtonIndex() && index < ButtonCount()) {
    if (!focusedAtCheck_) ClearModified();
    ShortRefresh();
    return;
  }
  if (userCheck_) FocusButtonOf(index);
  else if (index < ButtonCount()) CheckButtons(index);
  DoModifiedClick();
  InnerEditChanged(this);
  ShortRefresh();
}

void TcxCustomRadioGroup::ButtonCheckedByUser(TcxCustomRadioGroupButton* button) {
  TChangeEventsLock lock(this);
  focusedAtCheck_ = IsContainerFocused();
  const TComponentState state = ComponentState();
  if (!state.Contains(csLoading) && !state.Contains(csReading) && !IsContainerDestroying()) {
    TFlagScope userCheck(userCheck_);
    SetEditValueForIndex(IndexOfButton(button), true);
  }
  const bool needsPost = !ComponentState().Contains(csDesigning) && DataBinding()->HasUnpostedChange();
  if (focusedAtCheck_ && ActiveProperties()->ImmediatePost() && needsPost && ValidateInput(true)) FinishEditing(false);
  focusedAtCheck_ = false;
}

void TcxCustomRadioGroup::SynchronizeButtons() {
  const int remembered = ItemIndex();
  TcxCustomButtonGroup::SynchronizeButtons();
  if (!IsStoringItemIndex() && CheckedButtonIndex() != remembered && remembered < ButtonCount())
    SetItemIndex(remembered);
  TcxCustomRadioGroupProperties* p = ActiveProperties();
  for (int i = 0; i < ButtonCount(); ++i) {
    RadioButton(i)->SetCaption(p->Items()->Items(i)->Caption());
    RadioButton(i)->SetWordWrap(p->WordWrap());
  }
}

void TcxCustomRadioGroup::UpdateButtonStyles() {
  TcxCustomButtonGroup::UpdateButtonStyles();
  TcxButtonGroupViewInfo* v = ButtonGroupViewInfo();
  if (v->Buttons.empty()) return;
  const TcxLookAndFeelKind kind = KindOfButtonStyle(v->Buttons.front().Style);
  for (int i = 0; i < ButtonCount(); ++i) {
    TcxCustomRadioGroupButton* button = RadioButton(i);
    button->LookAndFeel()->SetKind(kind);
    if (!button->Enabled()) button->Font()->SetColor(StyleDisabled()->GetTextColor());
    button->SetTransparent(Transparent());
  }
}

void TcxCustomRadioGroup::ArrangeButtons() {
  TcxCustomButtonGroup::ArrangeButtons();
  TcxButtonGroupViewInfo* v = ButtonGroupViewInfo();
  const int count = std::min<int>(ButtonCount(), static_cast<int>(v->Buttons.size()));
  for (int i = 0; i < count; ++i) RadioButton(i)->SetColumnAndRow(v->Buttons[i].Column, v->Buttons[i].Row);
}

void TcxCustomRadioGroup::Loaded() {
  TcxCustomButtonGroup::Loaded();
  {
    TChangeEventsLock lock(this);
    if (!DataBinding()->DefaultValuesProvider()->IsDataSourceBound())
      TcxCustomButtonGroup::InternalSetEditValue(ActiveProperties()->DefaultValue(), false);
    SetItemIndex(storedItemIndex_);
  }
  SynchronizeButtons();
}

// The checked button takes the focus when it can, else the group itself.
void TcxCustomRadioGroup::SetFocus() {
  const int checked = CheckedButtonIndex();
  if (checked >= 0 && RadioButton(checked)->CanFocus()) return RadioButton(checked)->SetFocus();
  TcxCustomButtonGroup::SetFocus();
}

// The group stands in the tab order through its enabled buttons, and only with a checked item.
void TcxCustomRadioGroup::GetTabOrderList(std::vector<TWinControl*>& list) {
  if (InPlace() && Visible()) list.erase(std::remove(list.begin(), list.end(), Parent()), list.end());
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if ((!TabStop() && !IsContainerFocused()) || ItemIndex() == -1) return;
  for (int i = 0; i < ButtonCount(); ++i)
    if (RadioButton(i)->Enabled()) list.push_back(RadioButton(i));
}

void TcxCustomRadioGroup::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<Word>(m.WParam), Caption()) && CanFocus()) {
    SelectFirst();
    m.Result = 1;
    return;
  }
  TcxCustomButtonGroup::Dispatch(m);
}

// ---------------------------------------------------------------------------------------------
// Filter helper and module

const TcxFilterRadioGroupHelper* TcxFilterRadioGroupHelper::Instance() {
  return &TcxFilterRadioGroupHelperClassOperations;
}

TcxFilterOperatorSet TcxFilterRadioGroupHelper::FilterOperatorSet(TcxCustomEditProperties*, TcxValueTypeClass,
                                                                  bool extended) const {
  TcxFilterOperatorSet set;
  for (int op : {1, 2, 9, 10}) set.Include(op);
  if (extended) set.Include(13), set.Include(14);
  return set;
}

const TcxCustomEditClass* TcxFilterRadioGroupHelper::FilterEditorClass() const {
  return TcxComboBox::StaticClassOperations();
}

void TcxFilterRadioGroupHelper::PrepareFilterProperties(TcxCustomEditProperties* properties,
                                                        TcxCustomEditProperties* source, bool) const {
  auto* combo = ObjectAs<TcxCustomComboBoxProperties>(properties);
  auto* group = ObjectAs<TcxCustomRadioGroupProperties>(source);
  if (!combo || !group) return;
  combo->BeginUpdate();
  combo->Items()->Clear();
  for (int i = 0; i < group->Items()->Count(); ++i) combo->Items()->Add(group->Items()->Items(i)->Caption());
  combo->SetDropDownListStyle(lsFixedList);
  combo->DropDefaultValuesProvider();
  ClearPropertiesEvents(combo);
  combo->EndUpdate();
}

void TcxFilterRadioGroupHelper::ReadFilterValue(TcxCustomEdit* editor, TcxCustomEditProperties* properties,
                                                std::string& displayText, TVariant& value) const {
  auto* combo = ObjectAs<TcxCustomComboBox>(editor);
  auto* group = ObjectAs<TcxCustomRadioGroupProperties>(properties);
  if (!combo || !group) return;
  const int index = combo->ItemIndex();
  if (index < 0 || index >= group->Items()->Count()) {
    value = group->DefaultValue();
    displayText = WideToAnsi(group->DefaultCaption());
    return;
  }
  const auto* item = static_cast<TcxRadioGroupItem*>(group->Items()->Items(index));
  value = item->Value();
  displayText = item->Caption();
}

void TcxFilterRadioGroupHelper::WriteFilterValue(TcxCustomEdit* editor, TcxCustomEditProperties* properties,
                                                 const TVariant& value) const {
  auto* combo = ObjectAs<TcxCustomComboBox>(editor);
  auto* group = ObjectAs<TcxCustomRadioGroupProperties>(properties);
  if (combo && group) combo->SetItemIndex(group->ItemIndexOfValue(value));
}

namespace {

int radioGroupStarts = 0;

void StartRadioGroup() {
  if (radioGroupStarts++ > 0) return;
  RegisterRadioGroupPublishedProperties();
  GetEditPropertiesRegistry()->Register(TcxRadioGroupProperties::StaticClass(),
                                        LoadToolkitString(scxSEditRepositoryRadioGroupItem));
  GetFilterEditsController()->Register(TcxRadioGroupProperties::StaticClass(), TcxFilterRadioGroupHelper::StaticClass());
}

void StopRadioGroup() {
  if (--radioGroupStarts > 0) return;
  GetFilterEditsController()->Unregister(TcxRadioGroupProperties::StaticClass(),
                                         TcxFilterRadioGroupHelper::StaticClass());
  GetEditPropertiesRegistry()->Unregister(TcxRadioGroupProperties::StaticClass());
}

}  // namespace

constinit const TUnitInfo cxRadioGroupUnit{"cxRadioGroup", StartRadioGroup, StopRadioGroup};
