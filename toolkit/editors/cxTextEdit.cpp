// The single-line text editor control: which typed, pasted and assigned text it takes, its text
// messages, and live thousand separators in number editors.
#include "cxTextEdit.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "SysUtils.h"
#include "TypInfo.h"
#include "cxEditScopes.h"
#include "cxVariants.h"

using cx_edit_detail::TFlagScope;

CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomTextEdit, TcxCustomEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxTextEdit, TcxCustomTextEdit, TComponent*)
CALDERAN_IMPLEMENT_STATELESS_CLASS(TcxFilterTextEditHelper, TcxCustomFilterEditHelper)

TcxCustomEdit* TcxCustomTextEditClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomTextEdit(owner, inPlace);
}
TcxCustomEdit* TcxTextEditClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxTextEdit(owner, inPlace);
}

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (auto* chars = static_cast<const char*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

namespace {

int CountDigitsBefore(const std::string& text, int position) {
  char separator = FormatSettings().ThousandSeparator;
  return static_cast<int>(std::count_if(text.begin(), text.begin() + std::min<size_t>(position, text.size()),
                                        [separator](char ch) { return ch != separator; }));
}

int PositionAfterDigits(const std::string& text, int digits) {
  char separator = FormatSettings().ThousandSeparator;
  int position = 0;
  for (; position < static_cast<int>(text.size()) && digits > 0; ++position)
    if (text[position] != separator) --digits;
  return position;
}

}  // namespace

TcxCustomTextEdit::TcxCustomTextEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomEdit(owner, cls, inPlace),
      formatLink_(std::make_unique<TcxFormatChangeLink>([this] { RefreshFromProperties(); })) {
  if (TcxCustomInnerTextEdit* inner = InnerTextEdit()) {
    inner->SetColor(clWindow);
    inner->OnSelectionChanged = MakeEvent(this, &TcxCustomTextEdit::InnerSelectionChanged);
  }
  SetBounds(Left(), Top(), 121, 21);
  if (TcxLookupDataFactory factory = ActiveProperties()->GetLookupDataClass()) {
    lookupData_.reset(factory(this, this));
    lookupData_->OnItemCommitted = MakeEvent(this, &TcxCustomTextEdit::SelectLookupItem);
  }
  ApplyPropertiesChange(OwnProperties());
}

TcxCustomTextEdit::~TcxCustomTextEdit() {
  finalText_ = Text();
  formatLink_.reset();
  lookupData_.reset();
}

TcxCustomTextEditProperties* TcxCustomTextEdit::ActiveProperties() const {
  return static_cast<TcxCustomTextEditProperties*>(const_cast<TcxCustomTextEdit*>(this)->EffectiveProperties());
}

TcxCustomInnerTextEdit* TcxCustomTextEdit::InnerTextEdit() const {
  return InnerEdit() ? ObjectAs<TcxCustomInnerTextEdit>(InnerEdit()->Control()) : nullptr;
}

std::string TcxCustomTextEdit::Text() const {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  return inner ? inner->Text() : finalText_;
}

void TcxCustomTextEdit::SetText(const std::string& text) {
  if (HandleAllocated()) return void(SendMessageA(Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())));
  TFlagScope guard(settingTextByMessage_, true);
  TryApplyText(text);
}

namespace {

bool HidesSelection(TcxTextEditingStyle style, bool foundTextSelected) {
  return style == tesNoEdit || (style == tesFixedList && !foundTextSelected);
}

}  // namespace

int TcxCustomTextEdit::SelStart() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner || HidesSelection(ActiveProperties()->GetEditingStyle(), foundTextSelected_)) return 0;
  return inner->ReadSelStart();
}

int TcxCustomTextEdit::SelLength() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner || HidesSelection(ActiveProperties()->GetEditingStyle(), foundTextSelected_)) return 0;
  return inner->ReadSelLength();
}

void TcxCustomTextEdit::SetSelStart(int value) {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (inner && ActiveProperties()->GetEditingStyle() != tesNoEdit) inner->SetSelStart(value);
}

void TcxCustomTextEdit::SetSelLength(int value) {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (inner && ActiveProperties()->GetEditingStyle() != tesNoEdit) inner->SetSelLength(value);
}

void TcxCustomTextEdit::SelectRange(int start, int length) {
  SetSelStart(start);
  SetSelLength(length);
}

int TcxCustomTextEdit::CaretCharPosition() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  return inner && inner->HandleAllocated() ? inner->CaretIndexFromCaretPos() : 0;
}

void TcxCustomTextEdit::SetFoundTextSelected(bool value) {
  if (foundTextSelected_ == value || !HandleAllocated()) return;
  foundTextSelected_ = value;
  ShortRefresh();
  RefreshDisplayText();
}

void TcxCustomTextEdit::RefreshFromProperties() {
  ActiveProperties()->NotifyChanged();
  UpdateDisplayFromValue();
}

void TcxCustomTextEdit::HandleFormatChanged() { RefreshFromProperties(); }

std::string TcxCustomTextEdit::WindowTextSource() {
  std::string text;
  DisplayValueText(text);
  return text;
}

void TcxCustomTextEdit::DisplayValueText(std::string& text) {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  text = inner ? inner->Text() : std::string();
}

void TcxCustomTextEdit::ShowDisplayValue(const TVariant& value) {
  if (TcxCustomInnerTextEdit* inner = InnerTextEdit()) inner->SetText(VarToText(value));
}

bool TcxCustomTextEdit::IsEditFocusedDisplay() {
  return IsFocused() || !ActiveProperties()->DisplayDependsOnFocus();
}

void TcxCustomTextEdit::UpdateDisplayFromValue() {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  const TVariant value = EditValue();
  TVariant display;
  try {
    const bool focused = IsEditFocusedDisplay();
    if (properties->CanCompareValues(value, focused)) properties->EditValueToDisplay(value, display, focused);
    else if (IsFocused()) properties->GetEmptyDisplayValue(display);
    else display = TVariant(VarIsDateOrTimeStamp(value) ? DateTimeToStr(value.AsDate()) : VarToText(value));
  } catch (const EVariantError&) {
    display = TVariant(std::string());
  }
  struct TAfter {
    TcxCustomTextEdit* edit;
    ~TAfter() { edit->EndFindSelection(), edit->RefreshDisplayText(); }
  } after{this};
  PushModification();
  struct TPop {
    TcxCustomTextEdit* edit;
    ~TPop() { edit->PopModification(); }
  } pop{this};
  ShowDisplayValue(display);
}

void TcxCustomTextEdit::UpdateInnerEditText() {
  TVariant display(Text()), value;
  DisplayToEditValue(display, value, IsEditFocusedDisplay());
  const TVariant old = EditValue();
  const bool changed = !VariantsEqualExact(old, value);
  if (KeyboardAction()) SetModified();
  else ClearModified();
  if (changed) InternalSetEditValue(value, false);
}

void TcxCustomTextEdit::ReadInnerValue(TVariant& value) { value = TVariant(Text()); }

void TcxCustomTextEdit::ApplyDisplayValue(const TVariant& value) {
  ShowDisplayValue(value);
  if (KeyboardAction()) return;
  EndFindSelection();
  UpdateInnerEditText();
  ClearModified();
}

void TcxCustomTextEdit::SetDisplayValueKeepingState(const TVariant& value) {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (properties->GetEditingStyle() == tesFree && lookupData_ && !lookupData_->ContainsText(VarToText(value)))
    FireNewLookupDisplayText(VarToText(value));
  TcxCustomEdit::SetDisplayValueKeepingState(value);
}

void TcxCustomTextEdit::FireNewLookupDisplayText(const std::string& text) {
  auto* own = static_cast<TcxCustomTextEditProperties*>(OwnProperties());
  if (own->OnNewLookupDisplayText) own->OnNewLookupDisplayText(own, text);
  if (!RepositoryItem()) return;
  TcxCustomTextEditProperties* active = ActiveProperties();
  if (active->OnNewLookupDisplayText) active->OnNewLookupDisplayText(active, text);
}

void TcxCustomTextEdit::SelectAllText() {
  if (TcxCustomInnerTextEdit* inner = InnerTextEdit()) inner->SelectAll();
}

bool TcxCustomTextEdit::CharModifiesValue(char ch) {
  return ch == '\b' || ch == 22 || ch == 24 || static_cast<unsigned char>(ch) >= 32;
}

bool TcxCustomTextEdit::IsCharAllowed(char ch) {
  return TcxCustomEdit::IsCharAllowed(ch) || ActiveProperties()->ExtraAllowedChars()[static_cast<unsigned char>(ch)];
}

bool TcxCustomTextEdit::CanPostValue() { return ActiveProperties()->GetEditingStyle() != tesNoEdit; }

bool TcxCustomTextEdit::IsDisplayTextValid(const std::string& text) {
  TVariant value(text);
  if (!ActiveProperties()->NormalizeDisplayValue(value, IsEditFocusedDisplay())) return false;
  if (KeyboardAction() && !RequestEditing()) return false;
  ApplyDisplayValue(value);
  return true;
}

int TcxCustomTextEdit::GetInnerFontHeight() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  return SharedScreenCanvas()->FontHeight(inner ? inner->Font() : Font());
}

void TcxCustomTextEdit::ApplyPropertiesChange(TObject* properties) {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  TcxCustomTextEditProperties* active = ActiveProperties();
  if (inner) inner->WriteAlignment(active->Alignment()->Horz());
  if (lookupData_) {
    lookupData_->ItemsChanged();
    if (!lookupSyncLocked_) lookupData_->SyncKeyWithText();
  }
  if (!UsesInnerEditBounds()) RefreshDisplayText();
  if (!inner) return TcxCustomEdit::ApplyPropertiesChange(properties);
  inner->SetAutoSelect(active->AutoSelect() && !InPlace());
  inner->SetCharCase(active->CharCase());
  inner->WritePasswordChar(active->PasswordChar());
  inner->WriteEchoMode(active->EchoMode());
  inner->WriteHideSelection(active->HideSelection());
  inner->WriteImeMode(active->ImeMode());
  inner->WriteImeName(active->ImeName());
  inner->SetMaxLength(active->MaxLength());
  inner->WriteOEMConvert(active->OEMConvert());
  CheckRangeOnBinding();
  if (!IsPosting()) ValidateListText();
  RefreshDisplayText();
  TcxCustomEdit::ApplyPropertiesChange(properties);
  inner->Invalidate();
}

void TcxCustomTextEdit::CheckRangeOnBinding() {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (DataBinding()->MayCheckValueRange() && properties->SupportsValueRange() && properties->HasValueRange())
    HandleValueRange();
}

bool TcxCustomTextEdit::CheckTextInsertion(const std::string& text, std::string& newText, int& caret) {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  TcxTextEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (!inner || (KeyboardAction() && style == tesNoEdit)) return false;
  if (style == tesFixedList || style == tesNoEdit) inner->SelectAll();
  // Characters counted as the system code page decodes them (a double-byte pair is one).
  std::u16string current = AnsiToWide(Text());
  size_t start = std::min<size_t>(inner->ReadSelStart(), current.size());
  size_t end = std::min<size_t>(start + inner->ReadSelLength(), current.size());
  std::u16string before = current.substr(0, start), inserted = AnsiToWide(text), after = current.substr(end);
  int maxLength = ActiveProperties()->MaxLength();
  if (KeyboardAction() && (style == tesFree || style == tesNoEdit) && maxLength > 0) {
    std::u16string head = (before + inserted).substr(0, maxLength);
    if (head.size() < start) return false;
    caret = static_cast<int>(head.size());
    newText = WideToAnsi((head + after).substr(0, maxLength));
  } else {
    newText = style == tesFixedList ? text : WideToAnsi(before + inserted + after);
    caret = static_cast<int>(start + inserted.size());
  }
  TVariant value(newText);
  if (!ActiveProperties()->NormalizeDisplayValue(value, IsEditFocusedDisplay())) return false;
  if (KeyboardAction() && !RequestEditing()) return false;
  newText = VarToText(value);
  return true;
}

void TcxCustomTextEdit::InsertText(const std::string& text) {
  TKeyboardActionScope keyboard(this, IsFocused());
  std::string newText;
  int caret;
  if (!CheckTextInsertion(text, newText, caret)) return;
  ApplyDisplayValue(TVariant(newText));
  InnerTextEdit()->SetSelStart(caret);
  InnerTextEdit()->SetSelLength(0);
}

void TcxCustomTextEdit::PasteSelection() {
  std::string text = ClipboardText(Handle());
  if (text.empty()) return;
  if (!IsFocused()) return InsertText(text);
  TKeyboardActionScope keyboard(this, true);
  std::string newText;
  int caret;
  if (CheckTextInsertion(text, newText, caret)) InnerTextEdit()->CallDefaultWindowProc(WM_PASTE, 0, 0);
}

void TcxCustomTextEdit::CutSelection() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner || inner->SelLength() == 0) return;
  if (!IsFocused()) {
    inner->CallDefaultWindowProc(WM_COPY, 0, 0);
    return InsertText("");
  }
  TKeyboardActionScope keyboard(this, true);
  std::string newText;
  int caret;
  if (CheckTextInsertion("", newText, caret)) inner->CallDefaultWindowProc(WM_CUT, 0, 0);
}

void TcxCustomTextEdit::CopySelectedText() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner) return;
  TcxTextEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (style == tesFixedList || style == tesNoEdit) inner->SelectAll();
  if (inner->SelLength() > 0) inner->CallDefaultWindowProc(WM_COPY, 0, 0);
}

void TcxCustomTextEdit::RemoveSelectedText() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (!inner || inner->SelLength() == 0) return;
  TKeyboardActionScope keyboard(this, IsFocused());
  int start = inner->SelStart();
  std::string text = Text();
  text.erase(start, inner->SelLength());
  if (IsDisplayTextValid(text)) inner->SetSelStart(start);
}

bool TcxCustomTextEdit::ShowsGroupedNumbers() {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  return properties->SupportsValueRange() && properties->UsesThousandSeparator(false) && IsFocused();
}

void TcxCustomTextEdit::InnerEditChanged(TObject* sender) {
  LockChangeEvents(true);
  struct TUnlock {
    TcxCustomTextEdit* edit;
    ~TUnlock() { edit->LockChangeEvents(false, true); }
  } unlock{this};
  TcxCustomEdit::InnerEditChanged(sender);
  if (ShowsGroupedNumbers()) RegroupThousands();
}

// Puts the separators where the locale wants them and keeps the caret after the same digit.
void TcxCustomTextEdit::RegroupThousands() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (regrouping_ || !inner) return;
  std::string text = inner->Text(), grouped = text;
  GroupThousands(grouped);
  if (grouped == text || !IsPlainNumber(grouped)) return;
  TFlagScope guard(regrouping_, true);
  int digits = CountDigitsBefore(text, inner->SelStart());
  inner->SetText(grouped);
  if (digits == 0 || CountDigitsBefore(grouped, static_cast<int>(grouped.size())) < digits) return;
  inner->SetSelStart(PositionAfterDigits(grouped, digits));
  inner->SetSelLength(0);
}

LRESULT TcxCustomTextEdit::GetTextMessage(TMessage& message) {
  std::string text = OwnProperties() ? WindowTextSource() : finalText_;
  if (message.Msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
  size_t size = message.WParam;
  if (size == 0) return 0;
  size_t length = std::min(text.size(), size - 1);
  char* buffer = reinterpret_cast<char*>(message.LParam);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<LRESULT>(length);
}

void TcxCustomTextEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: message.Result = GetTextMessage(message); return;
    case WM_SETTEXT: {
      if (settingTextByMessage_) break;
      TFlagScope guard(settingTextByMessage_, true);
      std::string text = message.LParam ? reinterpret_cast<const char*>(message.LParam) : "";
      message.Result = TryApplyText(text) ? 1 : 0;
      return;
    }
    case WM_CLEAR: {
      TKeyboardActionScope keyboard(this, true);
      if (!ActiveProperties()->ReadOnly() && DataBinding()->HasData()) RemoveSelectedText();
      return;
    }
    default: break;
  }
  TcxCustomEdit::WndProc(message);
}

// ---------------------------------------------------------------------------------------------
// Placement of the EDIT window and the text the view info draws

bool TcxCustomTextEdit::UsesInnerEditBounds() {
  const TcxTextEditingStyle style = ActiveProperties()->GetEditingStyle();
  return (style == tesFree || style == tesListRestricted) && InnerTextEdit() && !IsDesigning();
}

void TcxCustomTextEdit::CalcInnerControlRegion(const TRect& alignRect, TControl* control,
                                               TcxContainerInnerControlBounds& region) {
  if (UsesInnerEditBounds()) return TcxCustomEdit::CalcInnerControlRegion(alignRect, control, region);
  region.IsEmpty = false;  // a window region without area: the view info draws the text
  region.Rect = TRect();
}

void TcxCustomTextEdit::AdjustInnerEditBounds() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (placingInnerEdit_ || !inner) return;
  TFlagScope guard(placingInnerEdit_, true);
  TcxCustomEditViewInfo* viewInfo = GetViewInfo();
  const TRect c = viewInfo->ClientRect;
  std::unique_ptr<TcxCustomEditViewData> viewData(CreateViewData());
  const TRect o = viewData->ContentParams.Offsets;
  const int height = GetInnerFontHeight(), topmost = o.Top + c.Top;
  int top = topmost;
  switch (ActiveProperties()->Alignment()->Vert()) {
    case taTopJustify: break;
    case taBottomJustify: top = c.Bottom - height - o.Bottom; break;
    case taVCenter: top = (c.Bottom - c.Top - height - o.Top - o.Bottom) / 2 + topmost; break;
  }
  const TRect bounds(o.Left + c.Left, std::max(top, topmost), c.Right - o.Right + 1, std::max(top, topmost) + height);
  if (!(inner->BoundsRect() == bounds)) {
    LockInnerAlign(true);
    inner->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    LockInnerAlign(false);
  }
  TRect align = c;
  if (InPlace()) align.Top += 1, align.Bottom -= 1;
  auto* textInfo = ObjectAs<TcxCustomTextEditViewInfo>(viewInfo);
  const TcxTextEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (textInfo && textInfo->NativeStyle && textInfo->ComboFace && (style == tesFree || style == tesListRestricted))
    align.Right -= 1, align.Bottom -= 1;
  AlignControls(inner, align);
}

void TcxCustomTextEdit::FillAutoSizeParams(TcxEditSizeProperties& request) {
  request.Height = -1;
  request.Width = -1;
  request.MaxLineCount = GetViewInfo() ? 1 : 0;
}

bool TcxCustomTextEdit::RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                                         bool isMouseEvent) {
  if (!HandleAllocated() || IsDestroyingEdit()) return false;
  if (!TcxCustomEdit::RefreshContainer(point, button, shift, isMouseEvent)) return false;
  ApplyStyleToInnerEdit();
  return true;
}

void TcxCustomTextEdit::ApplyStyleToInnerEdit() {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  TcxCustomEditViewInfo* viewInfo = GetViewInfo();
  if (!inner || !viewInfo || ComponentState().Contains(csLoading)) return;
  inner->HoldBounds(true);
  inner->SetColor(viewInfo->BackgroundColor);
  inner->Font()->Assign(ActiveEditStyle()->GetEffectiveFont());
  inner->Font()->SetColor(viewInfo->TextColor);
  inner->HoldBounds(false);
}

void TcxCustomTextEdit::RefreshDisplayText() {
  auto* viewInfo = ObjectAs<TcxCustomTextEditViewInfo>(GetViewInfo());
  if (!viewInfo) return;
  {
    std::unique_ptr<TcxCustomEditViewData> viewData(CreateViewData());
    if (auto* textData = ObjectAs<TcxCustomTextEditViewData>(viewData.get()))
      textData->ApplyDisplayText(TVariant(Text()), viewInfo);
  }
  if (!HandleAllocated()) return;
  ShortRefresh();
  PrepareListSelection(viewInfo);
  InvalidateRect(GetControlSizeRect(this), false);
}

// The selection a list style shows in the text the view info draws.
void TcxCustomTextEdit::PrepareListSelection(TcxCustomTextEditViewInfo* viewInfo) {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  const TcxTextEditingStyle style = properties->GetEditingStyle();
  if (style != tesFixedList && style != tesNoEdit) return;
  viewInfo->PreparedText.IsPrepared = false;
  viewInfo->SelLength = 0;
  if (style != tesFixedList || !foundTextSelected_ || !properties->ListSearchHighlight()) return;
  const bool bar = viewInfo->SelectionBarDrawn;
  viewInfo->SelStart = bar ? 0 : SelStart();
  viewInfo->SelLength = bar ? static_cast<int>(Text().size()) - SelLength() : SelLength();
  viewInfo->HighlightBackColor = bar ? clHighlightText : clHighlight;
  viewInfo->HighlightTextColor = bar ? clHighlight : clHighlightText;
}

// Under a skin the popup list wears the skin's editor colours, as the editor's own face does,
// unless the style sets a colour of its own.
TColor TcxCustomTextEdit::LookupListColor() {
  TcxCustomEditStyle* style = ActiveEditStyle();
  TcxCustomLookAndFeelPainterClass skin = style->LookAndFeel()->SkinPainter();
  const TColor color = skin && !style->IsValueAssigned(csvColor) ? skin->EditorBackgroundColor(false) : clDefault;
  return color != clDefault ? color : style->Color();
}

// The style's visible font is rebuilt by every GetEffectiveFont, so the skin's text colour set on
// it here lasts for this answer only.
TFont* TcxCustomTextEdit::LookupListFont() {
  TcxCustomEditStyle* style = ActiveEditStyle();
  TFont* font = style->GetEffectiveFont();
  TcxCustomLookAndFeelPainterClass skin = style->LookAndFeel()->SkinPainter();
  const TColor text = skin && !style->IsValueAssigned(csvTextColor) ? skin->EditorTextColor(false) : clDefault;
  if (text != clDefault) font->SetColor(text);
  return font;
}

void TcxCustomTextEdit::DoExit() {
  TcxCustomEdit::DoExit();
  SetFoundTextSelected(false);
}

void TcxCustomTextEdit::Loaded() {
  TcxCustomEdit::Loaded();
  ShortRefresh();
}

// ---------------------------------------------------------------------------------------------
// Filter helper

const TcxFilterTextEditHelper* TcxFilterTextEditHelper::Instance() { return &TcxFilterTextEditHelperClassOperations; }

const TcxCustomEditClass* TcxFilterTextEditHelper::FilterEditorClass() const {
  return TcxTextEdit::StaticClassOperations();
}

void TcxFilterTextEditHelper::PrepareFilterProperties(TcxCustomEditProperties* properties,
                                                      TcxCustomEditProperties* source, bool hasButtons) const {
  TcxCustomFilterEditHelper::PrepareFilterProperties(properties, source, hasButtons);
  properties->SetAutoSelect(true);
  if (auto* text = ObjectAs<TcxCustomTextEditProperties>(properties)) {
    text->SetHideSelection(true);
    text->SetViewStyle(vsNormal);
  }
}

// ---------------------------------------------------------------------------------------------
// What a stored form may set

namespace {
constexpr const char* charCaseNames[] = {"ecNormal", "ecUpperCase", "ecLowerCase"};
constexpr const char* echoModeNames[] = {"eemNormal", "eemPassword"};
constexpr const char* imeModeNames[] = {"imDisable", "imClose", "imOpen",    "imDontCare", "imSAlpha",   "imAlpha",
                                        "imHira",    "imSKata", "imKata",    "imChinese",  "imSHanguel", "imHanguel"};
}  // namespace

constinit const TEnumInfo cxEditCharCaseInfo{charCaseNames, 3};
constinit const TEnumInfo cxEditEchoModeInfo{echoModeNames, 2};
constinit const TEnumInfo cxEditImeModeInfo{imeModeNames, 12};

namespace {

constexpr const char* viewStyleNames[] = {"vsNormal", "vsHideCursor", "vsButtonsOnly", "vsButtonsAutoWidth"};
constinit const TEnumInfo viewStyleInfo{viewStyleNames, 4};

using P = TcxCustomTextEditProperties;
using E = TcxCustomEditProperties;
constinit const TPropInfo propertiesProps[] = {
    Published<&TcxTextEditProperties::AssignedTextValues, nullptr>("AssignedValues"),
    Published<&E::AutoSelect, &E::SetAutoSelect>("AutoSelect").WithDefault(true),
    Published<&E::BeepOnError, &E::SetBeepOnError>("BeepOnError").WithDefault(false),
    Published<&P::CharCase, &P::SetCharCase>("CharCase", &cxEditCharCaseInfo).WithDefault(ecNormal),
    Published<&E::ClearKey, &E::SetClearKey>("ClearKey").WithDefault(0),
    Published<&P::EchoMode, &P::SetEchoMode>("EchoMode", &cxEditEchoModeInfo).WithDefault(eemNormal),
    Published<&P::HideSelection, &P::SetHideSelection>("HideSelection").WithDefault(true),
    Published<&P::ImeMode, &P::SetImeMode>("ImeMode", &cxEditImeModeInfo).WithDefault(imDontCare),
    Published<&P::ImeName, &P::SetImeName>("ImeName").WithDefault(""),
    Published<&P::IncrementalSearch, &P::SetIncrementalSearch>("IncrementalSearch").WithDefault(true),
    Published<&P::IsDisplayFormatAssigned, &P::ReadIsDisplayFormatAssigned>("IsDisplayFormatAssigned").StoredNever(),
    Published<&P::LookupItems, nullptr>("LookupItems"),
    Published<&P::LookupItemsSorted, &P::SetLookupItemsSorted>("LookupItemsSorted").WithDefault(false),
    Published<&P::MaxLength, &P::SetMaxLength>("MaxLength").StoredWhen<&P::IsMaxLengthStored>(),
    Published<&P::OEMConvert, &P::SetOEMConvert>("OEMConvert").WithDefault(false),
    Published<&P::PasswordChar, &P::SetPasswordChar>("PasswordChar").WithDefault('\0'),
    Published<&E::ReadOnly, &E::SetReadOnly>("ReadOnly").StoredWhen<&E::IsReadOnlyStored>(),
    Published<&E::UseLeftAlignmentOnEditing, &E::SetUseLeftAlignmentOnEditing>("UseLeftAlignmentOnEditing")
        .StoredWhen<&E::IsUseLeftAlignmentOnEditingStored>(),
    Published<&E::ValidateOnEnter, &E::SetValidateOnEnter>("ValidateOnEnter").WithDefault(false),
    PublishedEvent<&E::OnChange>("OnChange"),
    PublishedEvent<&E::OnEditValueChanged>("OnEditValueChanged"),
    PublishedEvent<&P::OnNewLookupDisplayText>("OnNewLookupDisplayText"),
    PublishedEvent<&E::OnValidate>("OnValidate"),
};

using V = TcxTextEditPropertiesValues;
using BV = TcxCustomEditPropertiesValues;
constinit const TPropInfo valuesProps[] = {
    Published<&V::DisplayFormat, &V::SetDisplayFormat>("DisplayFormat").StoredWhen<&V::IsDisplayFormatStored>(),
    Published<&V::EditFormat, &V::SetEditFormat>("EditFormat").StoredWhen<&V::IsEditFormatStored>(),
    Published<&BV::MaxValue, &BV::SetMaxValue>("MaxValue").StoredWhen<&BV::IsMaxValueStored>(),
    Published<&BV::MinValue, &BV::SetMinValue>("MinValue").StoredWhen<&BV::IsMinValueStored>(),
    Published<&V::MaxLength, &V::SetMaxLength>("MaxLength").StoredNever(),
};

constinit const TPropInfo editProps[] = {
    Published<&TcxCustomEdit::AutoSize, &TcxCustomEdit::SetAutoSize>("AutoSize").WithDefault(true),
    Published<&TcxCustomTextEdit::BeepOnEnter, &TcxCustomTextEdit::SetBeepOnEnter>("BeepOnEnter").WithDefault(true),
    Published<&TcxTextEdit::Properties, nullptr>("Properties"),
    Published<&TcxCustomTextEdit::Text, &TcxCustomTextEdit::SetText>("Text").WithDefault(""),
};

}  // namespace

std::span<const TPropInfo> TextEditPropertiesPublished() { return propertiesProps; }
std::span<const TPropInfo> TextEditPublished() { return editProps; }

// Module start-up: the kind is registered while the module runs.
namespace {

void StartTextEdit() {
  RegisterPublishedProperties(TcxTextEditProperties::StaticClass(), propertiesProps);
  RegisterPublishedProperties(TcxTextEditPropertiesValues::StaticClass(), valuesProps);
  RegisterPublishedProperties(TcxTextEdit::StaticClass(), editProps);
  GetEditPropertiesRegistry()->Register(TcxTextEditProperties::StaticClass(),
                                        LoadToolkitString(scxSEditRepositoryTextItem));
  GetFilterEditsController()->Register(TcxTextEditProperties::StaticClass(), TcxFilterTextEditHelper::StaticClass());
  RegisterClass(TcxTextEdit::StaticClass());
}

void StopTextEdit() {
  GetFilterEditsController()->Unregister(TcxTextEditProperties::StaticClass(), TcxFilterTextEditHelper::StaticClass());
  GetEditPropertiesRegistry()->Unregister(TcxTextEditProperties::StaticClass());
}

}  // namespace

constinit const TUnitInfo cxTextEditUnit{"cxTextEdit", StartTextEdit, StopTextEdit};
