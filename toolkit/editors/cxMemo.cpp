// The memo's settings, its layout and the memo control: keys, text operations, the inner window's
// placement and the toolkit scroll bars laid over the inner window's system bars.
#include "cxMemo.h"

#include <windows.h>

#include <algorithm>

#include "SysUtils.h"
#include "cxEditScopes.h"
#include "cxTextOut.h"

using cx_edit_detail::TFlagScope;

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomMemoProperties, TcxCustomTextEditProperties)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxMemoProperties, TcxCustomMemoProperties, TPersistent*)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomMemoViewData, TcxCustomTextEditViewData)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomMemoViewInfo, TcxCustomTextEditViewInfo)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomMemo, TcxCustomTextEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxMemo, TcxCustomMemo, TComponent*)
CALDERAN_IMPLEMENT_STATELESS_CLASS(TcxFilterMemoHelper, TcxCustomFilterEditHelper)

// ---------------------------------------------------------------------------------------------
// Class operations

TcxCustomEditProperties* TcxCustomMemoPropertiesClass::Create(TPersistent* owner) const {
  return Class() == TcxMemoProperties::StaticClass() ? new TcxMemoProperties(owner) : new TcxCustomMemoProperties(owner);
}

const TcxCustomEditViewDataClass* TcxCustomMemoPropertiesClass::ViewDataClass(TcxCustomEditStyle*, bool) const {
  return TcxCustomMemoViewData::StaticClassOperations();
}

const TcxCustomEditClass* TcxCustomMemoPropertiesClass::EditClass() const { return TcxMemo::StaticClassOperations(); }

const TcxCustomEditViewInfoClass* TcxCustomMemoPropertiesClass::ViewInfoClass() const {
  return TcxCustomMemoViewInfo::StaticClassOperations();
}

TcxCustomEditViewInfo* TcxCustomMemoViewInfoClass::Create() const { return new TcxCustomMemoViewInfo; }

TcxCustomEditViewData* TcxCustomMemoViewDataClass::Create(TcxCustomEditProperties* properties,
                                                          TcxCustomEditStyle* style, bool inPlace) const {
  return new TcxCustomMemoViewData(properties, style, inPlace);
}

TcxCustomEdit* TcxCustomMemoClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomMemo(owner, inPlace);
}

TcxCustomEdit* TcxMemoClass::Create(TComponent* owner, bool inPlace) const { return new TcxMemo(owner, inPlace); }

// ---------------------------------------------------------------------------------------------
// Properties

TcxCustomMemoProperties::TcxCustomMemoProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
    : TcxCustomTextEditProperties(owner, cls) {
  Alignment()->SetVert(taTopJustify);
  SetAutoSelect(false);
}

void TcxCustomMemoProperties::SetVisibleLineCount(int value) { SetNotifying(visibleLineCount_, std::max(value, 0)); }

void TcxCustomMemoProperties::Assign(TPersistent* source) {
  LockUpdates();
  struct TUnlock {
    TcxCustomMemoProperties* p;
    ~TUnlock() { p->UnlockUpdates(true); }
  } unlock{this};
  TcxCustomTextEditProperties::Assign(source);
  auto* from = ObjectAs<TcxCustomMemoProperties>(source);
  if (!from) return;
  SetScrollBars(from->scrollBars_);
  SetVisibleLineCount(from->visibleLineCount_);
  SetWantReturns(from->wantReturns_);
  SetWantTabs(from->wantTabs_);
  SetWordWrap(from->wordWrap_);
}

// A large-object field (a picture, a binary block) is no memo's value.
bool TcxCustomMemoProperties::HasEditValueKind(int) const {
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  return !provider || !provider->IsLargeObjectValue();
}

std::u16string TcxCustomMemoProperties::FormatDisplayValue(const TVariant& editValue) {
  std::string text = editValue.IsNull() || editValue.IsEmpty() ? std::string() : editValue.AsString();
  MaskDisplayText(text);
  constexpr size_t previewLength = 250;
  size_t lineEnd = text.find_first_of("\r\n");
  text.resize(std::min({text.size(), lineEnd, previewLength}));
  return AnsiToWide(text);
}

// ---------------------------------------------------------------------------------------------
// View data

int TcxCustomMemoViewData::LineHeight(TcxCanvas* canvas) const {
  canvas->SetFont(Style->GetEffectiveFont());
  return canvas->TextHeight("Zg");
}

void TcxCustomMemoViewData::CalcConstantPartSize(TcxCanvas* canvas, bool editing, TcxCustomEditViewInfo* viewInfo,
                                                 TSize& nonContentSize, TSize& minContentSize,
                                                 const TcxEditSizeProperties& request) {
  TcxCustomTextEditViewData::CalcConstantPartSize(canvas, editing, viewInfo, nonContentSize, minContentSize, request);
  const TScrollStyle bars = MemoProperties()->ScrollBars();
  if (Edit && (bars == ssHorizontal || bars == ssBoth)) nonContentSize.cy += GetSystemMetrics(SM_CYHSCROLL);
  if (const int lines = MemoProperties()->VisibleLineCount(); lines > 0)
    minContentSize.cy = std::max<int>(minContentSize.cy, ContentSizeAdjustment().cy + lines * LineHeight(canvas));
}

// So many lines when the count is given, else the text's rows at the requested width.
TSize TcxCustomMemoViewData::MeasureContent(TcxCanvas* canvas, const TVariant& value,
                                            const TcxEditSizeProperties& request) {
  std::string text;
  ValueToDisplayText(value, text);
  return MeasureTextEditContent(canvas, this, text, TextOutFlags(), request, MemoProperties()->VisibleLineCount(),
                                false);
}

uint32_t TcxCustomMemoViewData::TextOutFlags() {
  constexpr uint32_t strictLastRow = 0x4000, wordBreak = 0x100, charBreak = 0x20000, noLeftOverflow = 0x40,
                     expandTabs = 0x400;
  constexpr uint32_t horizontal[] = {0, 2, 1};  // by TAlignment: left, right, centre
  const TScrollStyle bars = MemoProperties()->ScrollBars();
  const bool wraps = MemoProperties()->WordWrap() && bars != ssHorizontal && bars != ssBoth;
  return strictLastRow | (wraps ? wordBreak | charBreak : 0) | horizontal[MemoProperties()->Alignment()->Horz()] |
         noLeftOverflow | expandTabs;
}

int TcxCustomMemoViewData::MaxRowCount() {
  const int lines = MemoProperties()->VisibleLineCount();
  return lines > 0 ? lines : TcxCustomTextEditViewData::MaxRowCount();
}

void TcxCustomMemoViewInfo::PaintText(TcxCanvas* canvas) {
  if (Text.empty()) return;
  if (Font) canvas->SetFont(Font);
  ApplyCanvasFont(canvas);
  canvas->GetFont()->SetColor(TextColor);
  canvas->SetFont(canvas->GetFont());
  TcxTextOutSelection selection;
  selection.Start = SelStart;
  selection.Length = SelLength;
  selection.Background = HighlightBackColor;
  selection.TextColor = HighlightTextColor;
  TRect area = TextArea;
  HDC dc = canvas->GetHandle();
  const COLORREF oldColor = SetTextColor(dc, ColorToRGB(TextColor));
  ToolkitTextOut(canvas, Text, area, DrawFlags, selection, RowLimit);
  SetTextColor(dc, oldColor);
}

// ---------------------------------------------------------------------------------------------
// The memo control

TcxCustomMemo::TcxCustomMemo(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomTextEdit(owner, cls, inPlace) {
  SetBounds(Left(), Top(), 185, 89);
  ApplyPropertiesChange(OwnProperties());
}

TcxCustomInnerMemo* TcxCustomMemo::InnerMemo() const {
  return InnerEdit() ? ObjectAs<TcxCustomInnerMemo>(InnerEdit()->Control()) : nullptr;
}

TStrings* TcxCustomMemo::Lines() const { return InnerMemo() ? InnerMemo()->Lines() : nullptr; }

void TcxCustomMemo::SetLines(TStrings* value) {
  if (TcxCustomInnerMemo* inner = InnerMemo()) inner->Lines()->Assign(value);
}

void TcxCustomMemo::CreateParams(TCreateParams& params) {
  TcxCustomTextEdit::CreateParams(params);
  params.WindowClass.style &= ~CS_VREDRAW;
  const TScrollStyle bars = ActiveMemoProperties()->ScrollBars();
  if (bars == ssHorizontal || bars == ssBoth || !ActiveMemoProperties()->WordWrap())
    params.WindowClass.style &= ~CS_HREDRAW;
}

bool TcxCustomMemo::HasBuiltInScrollBars() {
  return scrollBarsApplied_ && OwnProperties() && ActiveMemoProperties()->ScrollBars() != ssNone;
}

void TcxCustomMemo::ApplyPropertiesChange(TObject* properties) {
  TcxCustomInnerMemo* inner = InnerMemo();
  if (!inner || IsDestroyingEdit()) return;
  TcxCustomMemoProperties* memo = ActiveMemoProperties();
  if (inner->ScrollBars() != memo->ScrollBars()) {
    scrollBarsApplied_ = true;
    UpdateInternalControls();
    inner->SetScrollBars(memo->ScrollBars());
    if (HandleAllocated()) RecreateWnd();
  }
  inner->SetWantReturns(memo->WantReturns());
  inner->SetWantTabs(memo->WantTabs());
  inner->SetWordWrap(memo->WordWrap());
  TcxCustomTextEdit::ApplyPropertiesChange(properties);
  AdjustSize();
}

bool TcxCustomMemo::IsHeightAutoSized() { return !InPlace() && ActiveMemoProperties()->VisibleLineCount() >= 1; }

// The inner window is 2 pixels larger than the client area on every side: its own edge lies under
// the memo's border, and the window region cuts it to the client area.
void TcxCustomMemo::AdjustInnerEditBounds() {
  TcxCustomInnerMemo* inner = InnerMemo();
  if (placingInnerEdit_ || !inner) return;
  TFlagScope placing(placingInnerEdit_, true);
  TRect client = GetViewInfo()->ClientRect;
  const TRect bounds(client.Left - 2, client.Top - 2, client.Right + 2, client.Bottom + 2);
  if (!(inner->BoundsRect() == bounds)) inner->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  AlignControls(inner, client);
}

// The view data keeps no room for the bars: they lie over the inner window.
void TcxCustomMemo::FillDrawParams(TcxCustomEditViewData* viewData) {
  TcxCustomTextEdit::FillDrawParams(viewData);
  viewData->HScrollBar = nullptr;
  viewData->VScrollBar = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Keys

bool TcxCustomMemo::WantsKey(Word key, TShiftState shift, bool tabFlag) {
  TcxCustomMemoProperties* memo = ActiveMemoProperties();
  if (key == VK_RETURN) return memo->WantReturns() || shift.Contains(ssCtrl);
  if (key == VK_TAB) return tabFlag || memo->WantTabs();
  return false;
}

bool TcxCustomMemo::IsValueChangingKey(Word key, TShiftState shift) {
  return TcxCustomTextEdit::IsValueChangingKey(key, shift) || WantsKey(key, shift, false);
}

bool TcxCustomMemo::WantsTabKey() { return TcxCustomTextEdit::WantsTabKey() || ActiveMemoProperties()->WantTabs(); }

// In place, the host's key routing would take Enter: the line break the memo wants goes straight
// to its own key handling.
void TcxCustomMemo::KeyDown(Word& key, TShiftState shift) {
  const bool wantReturns = ActiveMemoProperties()->WantReturns();
  const bool lineBreak = key == VK_RETURN && (wantReturns ? shift.Empty() : shift == TShiftState{ssCtrl});
  if (InPlace() && lineBreak) return HandleEditKeyDown(key, shift);
  TcxCustomTextEdit::KeyDown(key, shift);
}

void TcxCustomMemo::HandleEditKeyDown(Word& key, TShiftState shift) {
  TcxCustomTextEdit::HandleEditKeyDown(key, shift);
  TcxCustomInnerMemo* inner = InnerMemo();
  if (key != 'A' || !(shift == TShiftState{ssCtrl}) || !inner || inner->Lines()->Count() == 0) return;
  inner->SelectAll();
  AfterKeyDown(key, shift);
  key = 0;
}

void TcxCustomMemo::AfterKeyDown(Word& key, TShiftState shift) {
  if (OnAfterKeyDown) OnAfterKeyDown(this, key, shift);
}

// ---------------------------------------------------------------------------------------------
// Text operations

void TcxCustomMemo::InsertText(const std::string& text) {
  TcxCustomInnerMemo* inner = InnerMemo();
  if (!inner) return;
  const bool focused = IsFocused();
  std::u16string inserted = AnsiToWide(text);
  if (const int maxLength = ActiveMemoProperties()->MaxLength(); focused && maxLength > 0) {
    const int before = static_cast<int>(AnsiToWide(Text().substr(0, inner->SelStart())).size());
    if (before + static_cast<int>(inserted.size()) > maxLength) inserted.resize(std::max(maxLength - before, 0));
    if (inserted.empty()) return;
  }
  if (focused && !RequestEditing()) return;
  {
    TKeyboardActionScope keyboard(this, focused);
    inner->SetSelText(WideToAnsi(inserted));
  }
  AfterChangeUpdate();
}

void TcxCustomMemo::RemoveSelectedText() {
  TcxCustomInnerMemo* inner = InnerMemo();
  if (!inner || inner->SelLength() == 0) return;
  const bool focused = IsFocused();
  if (focused && !RequestEditing()) return;
  {
    TKeyboardActionScope keyboard(this, focused);
    TFlagScope clearing(selfClearing_, true);
    inner->ClearSelection();
  }
  AfterChangeUpdate();
}

void TcxCustomMemo::CutSelection() {
  TcxCustomInnerMemo* inner = InnerMemo();
  if (!inner || inner->SelLength() == 0) return;
  inner->CallDefaultWindowProc(WM_COPY, 0, 0);
  RemoveSelectedText();
}

void TcxCustomMemo::HandleClipboardMessage(UINT message, bool readOnly) {
  if (readOnly && message != WM_CUT) return;
  TKeyboardActionScope keyboard(this, true);
  if (message == WM_CUT) return readOnly ? CopySelectedText() : CutSelection();
  if (message == WM_PASTE) PasteSelection();
  else RemoveSelectedText();
}

void TcxCustomMemo::AfterChangeUpdate() {
  if (KeyboardAction()) return;
  UpdateInnerEditText();
  ClearModified();
}

// The value goes into the window as lines; the window's text message then must not come back as a
// new value.
void TcxCustomMemo::ShowDisplayValue(const TVariant& value) {
  TcxCustomInnerMemo* inner = InnerMemo();
  if (!inner) return;
  const std::string text = value.IsNull() || value.IsEmpty() ? std::string() : value.AsString();
  if (!inner->HandleAllocated()) return inner->SetText(text);
  LockChangeEvents(true);
  inner->BeginSettingText();
  struct TRestore {
    TcxCustomMemo* memo;
    ~TRestore() {
      memo->InnerMemo()->EndSettingText();
      memo->LockChangeEvents(false, true);
    }
  } restore{this};
  if (InPlace() && ActiveMemoProperties()->WordWrap()) inner->Lines()->Clear();
  inner->Lines()->SetText(text);
}

void TcxCustomMemo::InnerEditChanged(TObject* sender) {
  TcxCustomTextEdit::InnerEditChanged(sender);
  PostScrollBarsUpdate();
}

void TcxCustomMemo::Loaded() {
  TcxCustomTextEdit::Loaded();
  if (Lines() && Lines()->Count() > 0) InternalSetEditValue(TVariant(Text()), false);
}

// ---------------------------------------------------------------------------------------------
// Scrolling

// Line steps go through the EDIT window's line scrolling; the rest is the window's own scroll
// handling, bypassing the control.
void TcxCustomMemo::Scroll(TScrollBarKind kind, TScrollCode code, int& position) {
  TcxCustomInnerMemo* inner = InnerMemo();
  if (!inner || !inner->HandleAllocated()) return;
  const bool vertical = kind == sbVertical;
  if (vertical && (code == scLineUp || code == scLineDown)) {
    SendMessageA(inner->Handle(), EM_LINESCROLL, 0, code == scLineUp ? -1 : 1);
  } else {
    TWinControl* bar = vertical ? static_cast<TWinControl*>(VScrollBar()) : static_cast<TWinControl*>(HScrollBar());
    const LPARAM barWindow = bar && bar->HandleAllocated() ? reinterpret_cast<LPARAM>(bar->Handle()) : 0;
    inner->CallDefaultWindowProc(vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position), barWindow);
  }
  position = GetScrollPos(inner->Handle(), vertical ? SB_VERT : SB_HORZ);
  UpdateOwnScrollBars();
}

bool TcxCustomMemo::ScrollsWithoutScrollBars(TcxDirection direction) {
  return direction == dirUp || direction == dirDown;
}

void TcxCustomMemo::FontChanged() {
  TcxCustomTextEdit::FontChanged();
  UpdateOwnScrollBars();
}

void TcxCustomMemo::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_COMMAND:
      TcxCustomTextEdit::Dispatch(message);
      if (HIWORD(message.WParam) == EN_HSCROLL || HIWORD(message.WParam) == EN_VSCROLL) UpdateOwnScrollBars();
      break;
    case WM_WINDOWPOSCHANGED: case WM_NCCALCSIZE: case CM_WININICHANGE:
      TcxCustomTextEdit::Dispatch(message);
      PostScrollBarsUpdate();
      break;
    default: TcxCustomTextEdit::Dispatch(message);
  }
}

// ---------------------------------------------------------------------------------------------
// Filter helper

const TcxFilterMemoHelper* TcxFilterMemoHelper::Instance() { return &TcxFilterMemoHelperClassOperations; }

TcxFilterOperatorSet TcxFilterMemoHelper::FilterOperatorSet(TcxCustomEditProperties*, TcxValueTypeClass, bool) const {
  TcxFilterOperatorSet set;
  for (int op = 7; op <= 10; ++op) set.Include(op);
  return set;
}

// ---------------------------------------------------------------------------------------------
// What a stored form may set, and the module's registration

namespace {

constexpr const char* scrollStyleNames[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
constexpr const char* alignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr const char* charCaseNames[] = {"ecNormal", "ecUpperCase", "ecLowerCase"};
constinit const TEnumInfo scrollStyleInfo{scrollStyleNames, 4};
constinit const TEnumInfo alignmentInfo{alignmentNames, 3};
constinit const TEnumInfo charCaseInfo{charCaseNames, 3};

using P = TcxCustomMemoProperties;
constinit const TPropInfo propertiesProps[] = {
    Published<&P::HorzAlignment, &P::SetHorzAlignment>("Alignment", &alignmentInfo)
        .StoredWhen<&P::IsHorzAlignmentStored>(),
    Published<&P::AutoSelect, &P::SetAutoSelect>("AutoSelect").WithDefault(false),
    Published<&P::CharCase, &P::SetCharCase>("CharCase", &charCaseInfo).WithDefault(ecNormal),
    Published<&P::MaxLength, &P::SetMaxLength>("MaxLength").StoredWhen<&P::IsMaxLengthAssigned>(),
    Published<&P::ReadOnly, &P::SetReadOnly>("ReadOnly").StoredWhen<&P::IsReadOnlyStored>(),
    Published<&P::ScrollBars, &P::SetScrollBars>("ScrollBars", &scrollStyleInfo).WithDefault(ssNone),
    Published<&P::VisibleLineCount, &P::SetVisibleLineCount>("VisibleLineCount").WithDefault(0),
    Published<&P::WantReturns, &P::SetWantReturns>("WantReturns").WithDefault(true),
    Published<&P::WantTabs, &P::SetWantTabs>("WantTabs").WithDefault(false),
    Published<&P::WordWrap, &P::SetWordWrap>("WordWrap").WithDefault(true),
};

constinit const TPropInfo memoProps[] = {
    Published<&TcxCustomMemo::Lines, nullptr>("Lines"),
    Published<&TcxMemo::Properties, nullptr>("Properties"),
};

void StartMemo() {
  RegisterPublishedProperties(TcxCustomMemoProperties::StaticClass(), propertiesProps);
  RegisterPublishedProperties(TcxMemo::StaticClass(), memoProps);
  GetEditPropertiesRegistry()->Register(TcxMemoProperties::StaticClass(), LoadToolkitString(scxSEditRepositoryMemoItem));
  GetFilterEditsController()->Register(TcxMemoProperties::StaticClass(), TcxFilterMemoHelper::StaticClass());
  RegisterClass(TcxMemo::StaticClass());
}

void StopMemo() {
  GetFilterEditsController()->Unregister(TcxMemoProperties::StaticClass(), TcxFilterMemoHelper::StaticClass());
  GetEditPropertiesRegistry()->Unregister(TcxMemoProperties::StaticClass());
}

}  // namespace

constinit const TUnitInfo cxMemoUnit{"cxMemo", StartMemo, StopMemo};
