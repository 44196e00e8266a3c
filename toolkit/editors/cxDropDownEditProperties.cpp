// The drop-down editors' settings (the popup's size, alignment and panel, the drop-down button),
// the view data that draws the button held while the popup is open, and the inner edit.
#include "cxDWMApi.h"
#include "cxDropDownEdit.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomDropDownEditProperties, TcxCustomMaskEditProperties)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomDropDownEditViewData, TcxCustomTextEditViewData)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomDropDownEditData, TcxCustomEditData, TcxCustomEdit*)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomDropDownInnerEdit, TcxCustomInnerTextEdit, TComponent*)

namespace {

bool IsValidGlyph(TBitmap* glyph) { return glyph && !glyph->Empty() && glyph->Width() > 0 && glyph->Height() > 0; }

}  // namespace

TcxCustomEditProperties* TcxCustomDropDownEditPropertiesClass::Create(TPersistent* owner) const {
  return new TcxCustomDropDownEditProperties(owner);
}
const TcxCustomEditViewDataClass* TcxCustomDropDownEditPropertiesClass::ViewDataClass(TcxCustomEditStyle*,
                                                                                    bool) const {
  return TcxCustomDropDownEditViewData::StaticClassOperations();
}
TcxCustomEditViewData* TcxCustomDropDownEditViewDataClass::Create(TcxCustomEditProperties* properties,
                                                                  TcxCustomEditStyle* style, bool inPlace) const {
  return new TcxCustomDropDownEditViewData(properties, style, inPlace);
}
const TcxCustomEditClass* TcxCustomDropDownEditPropertiesClass::EditClass() const {
  return TcxCustomDropDownEdit::StaticClassOperations();
}

TcxCustomDropDownEditProperties::TcxCustomDropDownEditProperties(TPersistent* owner,
                                                                 const TcxCustomEditPropertiesClass* cls)
    : TcxCustomMaskEditProperties(owner, cls) {
  BeginUpdate();
  Buttons()->Clear();
  Buttons()->Add()->SetKind(bkDown);
  EndUpdate(false);
}

TcxCustomEditPopupWindow* TcxCustomDropDownEditProperties::CreatePopupWindow(TcxCustomDropDownEdit* edit) const {
  return new TcxCustomEditPopupWindow(edit);
}

TBitmap* TcxCustomDropDownEditProperties::ButtonGlyph() const {
  if (buttonGlyphIndex_ >= Buttons()->Count()) return nullptr;
  return Buttons()->Items(buttonGlyphIndex_)->Glyph();
}

void TcxCustomDropDownEditProperties::SetButtonGlyph(TBitmap* value) {
  if (buttonGlyphIndex_ >= Buttons()->Count()) return;
  TcxEditButton* button = Buttons()->Items(buttonGlyphIndex_);
  button->SetGlyph(value);
  if (IsValidGlyph(button->GlyphIfAny())) button->SetKind(bkGlyph);
  else if (button->Kind() == bkGlyph) button->SetKind(bkDown);
}

void TcxCustomDropDownEditProperties::MoveGlyphButton(int index) {
  if (index == buttonGlyphIndex_ || index < 0 || index >= Buttons()->Count()) return;
  TcxEditButton* target = Buttons()->Items(index);
  if (buttonGlyphIndex_ < Buttons()->Count()) {
    TcxEditButton* old = Buttons()->Items(buttonGlyphIndex_);
    target->SetGlyph(old->GlyphIfAny());
    old->SetGlyph(nullptr);
  }
  target->SetKind(bkGlyph);
  buttonGlyphIndex_ = index;
}

TAlignment TcxCustomDropDownEditProperties::PopupAlignment() const {
  constexpr TAlignment alignments[] = {taLeftJustify, taCenter, taRightJustify};
  return alignments[dropHorzAlign_];
}

void TcxCustomDropDownEditProperties::SetPopupAlignment(TAlignment value) {
  const TcxPopupAlignHorz align = value == taRightJustify ? pahRight : value == taCenter ? pahCenter : pahLeft;
  SetNotifying(dropHorzAlign_, align);
}

void TcxCustomDropDownEditProperties::SetPopupWidth(int value) {
  if (value < 0) value = 0;
  if (value > 0 && value < popupMinWidth_) value = popupMinWidth_;
  popupWidth_ = value;
}

void TcxCustomDropDownEditProperties::SetPopupHeight(int value) {
  popupHeight_ = value < popupMinHeight_ ? popupMinHeight_ : value;
}

void TcxCustomDropDownEditProperties::SetPopupMinWidth(int value) {
  popupMinWidth_ = std::max(value, 0);
  SetPopupWidth(popupWidth_);
}

void TcxCustomDropDownEditProperties::SetPopupMinHeight(int value) {
  popupMinHeight_ = std::max(value, 0);
  SetPopupHeight(popupHeight_);
}

void TcxCustomDropDownEditProperties::AdjustGlyphButtonKind() {
  if (buttonGlyphIndex_ >= Buttons()->Count()) return;
  TcxEditButton* button = Buttons()->Items(buttonGlyphIndex_);
  if (IsValidGlyph(button->GlyphIfAny())) button->SetKind(bkGlyph);
  else if (button->Kind() == bkGlyph) button->SetKind(bkDown);
}

void TcxCustomDropDownEditProperties::NotifyChanged() {
  if (notifying_) return;
  {
    struct TReset {
      bool& flag;
      ~TReset() { flag = false; }
    } reset{notifying_ = true};
    AdjustGlyphButtonKind();
  }
  TcxCustomMaskEditProperties::NotifyChanged();
}

void TcxCustomDropDownEditProperties::AssignExtra(TcxCustomEditProperties* source) {
  TcxCustomMaskEditProperties::AssignExtra(source);
  auto* from = ObjectAs<TcxCustomDropDownEditProperties>(source);
  if (!from) return;
  SetButtonGlyph(from->ButtonGlyph());
  immediateDropDown_ = from->immediateDropDown_;
  immediatePopup_ = from->immediatePopup_;
  SetKeepButtonDownWhileOpen(from->keepButtonDown_);
  popupAutoSize_ = from->popupAutoSize_;
  SetPopupClientEdge(from->popupClientEdge_);
  dropOrientation_ = from->dropOrientation_;
  SetPopupHeight(from->popupHeight_);
  dropHorzAlign_ = from->dropHorzAlign_;
  SetPopupMinHeight(from->popupMinHeight_);
  SetPopupMinWidth(from->popupMinWidth_);
  SetPopupSizeable(from->popupSizeable_);
  SetPopupSysPanelStyle(from->popupSysPanelStyle_);
  dropVertAlign_ = from->dropVertAlign_;
  SetPopupWidth(from->popupWidth_);
  postPopupValueOnTab_ = from->postPopupValueOnTab_;
  OnPopupClosed = from->OnPopupClosed;
  OnCloseQuery = from->OnCloseQuery;
  OnCloseUp = from->OnCloseUp;
  OnInitPopup = from->OnInitPopup;
  OnPopup = from->OnPopup;
}

// ---------------------------------------------------------------------------------------------
// View data

bool TcxCustomDropDownEditViewData::IsDropDownButton(TcxCustomEditViewInfo* viewInfo, int visibleIndex) const {
  return visibleIndex >= 0 && visibleIndex < viewInfo->ButtonCount() &&
         viewInfo->Button(visibleIndex)->Index == DropDownProperties()->DefaultGlyphButtonIndex();
}

void TcxCustomDropDownEditViewData::ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                                                  TcxContainerMouseButton button, TShiftState shift,
                                                  TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) {
  ButtonDownWhileOpen = DropDownProperties()->KeepButtonDownWhileOpen() || (NativeStyle && IsCompositionEnabled());
  TcxCustomTextEditViewData::ComputeLayout(canvas, bounds, point, button, shift, viewInfo, isMouseEvent);
  auto* textInfo = static_cast<TcxCustomTextEditViewInfo*>(viewInfo);
  auto* editor = ObjectAs<TcxCustomDropDownEdit>(Edit);
  const bool fixedList = DropDownProperties()->GetEditingStyle() == tesFixedList;
  const bool highlightedSearch =
      editor && fixedList && DropDownProperties()->ListSearchHighlight() && editor->FoundTextSelected();
  textInfo->PopupOpen = PopupOpen;
  textInfo->SelectionBarDrawn = !InPlace && !highlightedSearch && fixedList && Focused && !textInfo->Transparent &&
                                !PopupOpen && !(NativeStyle && IsCompositionEnabled());
}

int TcxCustomDropDownEditViewData::ComputeNativeState(TcxCustomEditViewInfo* viewInfo) {
  const int state = TcxCustomTextEditViewData::ComputeNativeState(viewInfo);
  if (state != 3 || DropDownProperties()->GetEditingStyle() != tesFixedList || PopupOpen) return state;
  return ContainerState.Contains(csHotTrack) ? 2 : 1;
}

bool TcxCustomDropDownEditViewData::ButtonPressable(TcxCustomEditViewInfo* viewInfo, int visibleIndex) {
  return !(HotAndPopup && IsDropDownButton(viewInfo, visibleIndex));
}

bool TcxCustomDropDownEditViewData::ButtonHeld(TcxCustomEditViewInfo* viewInfo, int visibleIndex) {
  if (TcxCustomEditViewData::ButtonHeld(viewInfo, visibleIndex)) return true;
  return Edit && (PopupOpen || HotAndPopup) && ButtonDownWhileOpen && IsDropDownButton(viewInfo, visibleIndex);
}

// ---------------------------------------------------------------------------------------------
// Inner edit

void TcxCustomDropDownInnerEdit::Dispatch(TMessage& m) {
  auto* editor = ObjectAs<TcxCustomDropDownEdit>(Owner());
  if (m.Msg == CM_HINTSHOW && editor && editor->DroppedDown()) {
    m.Result = 1;
    return;
  }
  TcxCustomInnerTextEdit::Dispatch(m);
}
