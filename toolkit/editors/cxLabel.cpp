// The label as an editor kind: properties, style, view data, view info (with the cached picture of
// its content) and the control whose caption is its edit value.
#include "cxLabel.h"

#include <algorithm>

#include "Forms.h"
#include "SysUtils.h"
#include "cxEditPaintUtils.h"
#include "cxGeometry.h"
#include "cxGraphicsRoutines.h"
#include "cxTextEdit.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomLabelProperties, TcxCustomEditProperties)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxLabelProperties, TcxCustomLabelProperties, TPersistent*)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxLabelEditStyle, TcxEditStyle)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomLabelViewData, TcxCustomEditViewData)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomLabelViewInfo, TcxCustomEditViewInfo)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomLabel, TcxCustomEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxLabel, TcxCustomLabel, TComponent*)

namespace {

std::string TextOf(const TVariant& value) {
  if (value.IsNull() || value.IsEmpty()) return {};
  try {
    return value.AsString();
  } catch (const Exception&) {
    return {};
  }
}

// Turns right-to-left reading into the alignment that looks the same.
TAlignment VisualAlignment(TAlignment alignment, bool rightToLeft) {
  if (!rightToLeft || alignment == taCenter) return alignment;
  return alignment == taLeftJustify ? taRightJustify : taLeftJustify;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Class operations

TcxCustomEditProperties* TcxCustomLabelPropertiesClass::Create(TPersistent* owner) const {
  return new TcxCustomLabelProperties(owner);
}
const TcxCustomEditClass* TcxCustomLabelPropertiesClass::EditClass() const { return TcxLabel::StaticClassOperations(); }
const TcxCustomEditStyleClass* TcxCustomLabelPropertiesClass::EditStyleClass() const {
  return TcxLabelEditStyle::StaticClassOperations();
}
const TcxCustomEditViewDataClass* TcxCustomLabelPropertiesClass::ViewDataClass(TcxCustomEditStyle*, bool) const {
  return TcxCustomLabelViewData::StaticClassOperations();
}
const TcxCustomEditViewInfoClass* TcxCustomLabelPropertiesClass::ViewInfoClass() const {
  return TcxCustomLabelViewInfo::StaticClassOperations();
}
TcxCustomEditProperties* TcxLabelPropertiesClass::Create(TPersistent* owner) const {
  return new TcxLabelProperties(owner);
}
TcxContainerStyle* TcxLabelEditStyleClass::Create(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                                                  TcxContainerStyleState state) const {
  return new TcxLabelEditStyle(owner, directAccess, parentStyle, state);
}
TcxCustomEditViewData* TcxCustomLabelViewDataClass::Create(TcxCustomEditProperties* properties,
                                                           TcxCustomEditStyle* style, bool inPlace) const {
  return new TcxCustomLabelViewData(properties, style, inPlace);
}
TcxCustomEditViewInfo* TcxCustomLabelViewInfoClass::Create() const { return new TcxCustomLabelViewInfo; }
TcxCustomEdit* TcxCustomLabelClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomLabel(owner, inPlace);
}
const TcxCustomEditPropertiesClass* TcxCustomLabelClass::OwnPropertiesClass() const {
  return TcxCustomLabelProperties::StaticClassOperations();
}
TcxCustomEdit* TcxLabelClass::Create(TComponent* owner, bool inPlace) const { return new TcxLabel(owner, inPlace); }
const TcxCustomEditPropertiesClass* TcxLabelClass::OwnPropertiesClass() const {
  return TcxLabelProperties::StaticClassOperations();
}

// ---------------------------------------------------------------------------------------------
// Properties

TBitmap* TcxCustomLabelProperties::Glyph() {
  if (!glyph_) {
    glyph_ = std::make_unique<TBitmap>();
    glyph_->OnChange = MakeEvent(this, &TcxCustomLabelProperties::GlyphChanged);
  }
  return glyph_.get();
}

void TcxCustomLabelProperties::SetGlyph(TBitmap* value) {
  if (value) Glyph()->Assign(value);
  else glyph_.reset();
  NotifyChanged();
}

void TcxCustomLabelProperties::Assign(TPersistent* source) {
  auto* from = ObjectAs<TcxCustomLabelProperties>(source);
  if (!from) return TcxCustomEditProperties::Assign(source);
  BeginUpdate();
  try {
    TcxCustomEditProperties::Assign(source);
    SetLabelEffect(from->labelEffect_);
    SetLabelStyle(from->labelStyle_);
    SetOrientation(from->orientation_);
    SetDepth(from->depth_);
    SetShadowedColor(from->shadowedColor_);
    SetAngle(from->angle_);
    SetPenWidth(from->penWidth_);
    SetGlyph(from->glyph_.get());
    SetShowAccelChar(from->showAccelChar_);
    SetWordWrap(from->wordWrap_);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomLabelProperties::EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool) {
  displayValue = TVariant(TextOf(editValue));
}

std::u16string TcxCustomLabelProperties::FormatDisplayValue(const TVariant& editValue) {
  return AnsiToWide(TextOf(editValue));
}

// ---------------------------------------------------------------------------------------------
// View data

uint32_t TcxCustomLabelViewData::LabelTextFlags() const {
  TcxCustomLabelProperties* p = LabelProperties();
  return LabelTextOutFlags(HorzAlignment, VertAlignment, (PaintOptions & 8) != 0, p->WordWrap(), p->Angle());
}

void TcxCustomLabelViewData::ValueToDisplayText(const TVariant& value, std::string& text) { text = TextOf(value); }

void TcxCustomLabelViewData::PrepareDrawValue(TcxCanvas*, const TVariant& value, TcxCustomEditViewInfo* viewInfo) {
  FormatDisplayText(value, static_cast<TcxCustomLabelViewInfo*>(viewInfo)->Text);
}

void TcxCustomLabelViewData::ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                                           TcxContainerMouseButton button, TShiftState shift,
                                           TcxCustomEditViewInfo* editViewInfo, bool isMouseEvent) {
  TcxCustomEditViewData::ComputeLayout(canvas, bounds, point, button, shift, editViewInfo, isMouseEvent);
  if (InPlace && (bounds.Right == INT_MAX || bounds.Bottom == INT_MAX)) return;
  auto* v = static_cast<TcxCustomLabelViewInfo*>(editViewInfo);
  TcxCustomLabelProperties* p = LabelProperties();
  v->DrawTextFlags = LabelTextFlags();
  if (NativeStyle && OpenThemeByKind(totButton) && Style->BorderStyle() == cbsNone) v->NativeStyle = false;
  if (!InPlace && Edit) v->Transparent = Edit->Transparent();
  v->LabelEffect = p->LabelEffect(), v->LabelStyle = p->LabelStyle(), v->Orientation = p->Orientation();
  v->Depth = p->Depth(), v->ShadowedColor = p->ShadowedColor(), v->ShowAccelChar = p->ShowAccelChar();
  v->Angle = p->Angle(), v->PenWidth = p->PenWidth(), v->WordWrap = p->WordWrap();
  v->Alignment->Assign(p->Alignment());
  v->Glyph = p->Glyph();
  v->EffectExtent = p->CalcEffectExtent();
  v->PaintRect = v->ClientRect;
  v->DrawTextOffsets = ContentParams.Offsets;
  if (Edit) v->Text = Edit->Caption();
  v->NeedsRedraw = true;
}

TSize TcxCustomLabelViewData::MeasureContentArea(TcxCanvas* canvas, const TVariant& value,
                                                 const TcxEditSizeProperties& request) {
  TcxCustomLabelProperties* p = LabelProperties();
  TcxLabelDrawData data;
  if (Edit) data.Text = Edit->Caption();
  else FormatDisplayText(value, data.Text);
  data.Font = Style->GetEffectiveFont();
  data.Angle = p->Angle(), data.Effect = p->LabelEffect(), data.Style = p->LabelStyle();
  data.Orientation = p->Orientation(), data.Depth = p->Depth(), data.ShowAccelChar = p->ShowAccelChar();
  data.WordWrap = p->WordWrap();
  const bool bordered = !InPlace && Style->BorderStyle() != cbsNone;
  int width = std::max(request.Width, 0);
  if (bordered) width -= 2;
  if (InPlace) width -= ContentSizeAdjustment().cx;
  TSize size = MeasureLabelText(canvas, data, width);
  if (bordered) size.cx += 2;
  if (InPlace) size.cx += ContentSizeAdjustment().cx, size.cy += ContentSizeAdjustment().cy;
  return size;
}

// ---------------------------------------------------------------------------------------------
// View info

TcxCustomLabelViewInfo::TcxCustomLabelViewInfo()
    : Alignment(std::make_unique<TcxEditAlignment>(nullptr)), TextBitmap(std::make_unique<TBitmap>()) {}

TcxCustomLabelViewInfo::~TcxCustomLabelViewInfo() = default;

void TcxCustomLabelViewInfo::SetBackColor(TColor value) {
  TcxCustomEditViewInfo::SetBackColor(value);
  NeedsRedraw = true;
}

void TcxCustomLabelViewInfo::Shift(int dx, int dy) {
  TcxCustomEditViewInfo::Shift(dx, dy);
  PaintRect = RectOffset(PaintRect, dx, dy);
  if (Transparent) NeedsRedraw = true;
}

TcxLabelDrawData TcxCustomLabelViewInfo::DrawData() const {
  TcxLabelDrawData data;
  data.Text = Text;
  data.Font = Font;
  data.TextColor = TextColor;
  data.BackgroundColor = BackgroundColor;
  data.Angle = Angle, data.Effect = LabelEffect, data.Style = LabelStyle, data.Orientation = Orientation;
  data.Depth = Depth, data.ShadowedColor = ShadowedColor, data.ShowAccelChar = ShowAccelChar;
  data.PenWidth = PenWidth, data.WordWrap = WordWrap;
  data.HorzAlignment = Alignment->Horz(), data.VertAlignment = Alignment->Vert();
  data.EndEllipsis = IsInPlace && (PaintOptions & 8);
  data.Glyph = Glyph;
  return data;
}

void TcxCustomLabelViewInfo::PaintAll(TcxCanvas* canvas) {
  const bool native = NativeStyle;
  NativeStyle = false;
  DrawEditBackgroundAndButtons(canvas, this, false, 0);
  NativeStyle = native;
  PaintLabel(canvas);
}

void TcxCustomLabelViewInfo::PaintContentBackground(TcxCanvas* target, TcxCanvas* canvas, const TRect& background,
                                                    TPoint origin) {
  const TSize size(RectWidth(background), RectHeight(background));
  if (OnBackgroundPaint) return DrawCustomBackgroundAt(canvas, RectBounds(origin.X, origin.Y, size.cx, size.cy));
  const bool transparent = Transparent || (Edit && Edit->Transparent());
  if (!transparent || (IsInPlace && Focused)) return FillRectWithColor(canvas, background, BackgroundColor);
  if (IsInPlace) {
    BitBlt(canvas->GetHandle(), background.Left, background.Top, size.cx, size.cy, target->GetHandle(), origin.X,
           origin.Y, SRCCOPY);
  } else if (Edit && !Edit->ControlState().Contains(csPaintCopy)) {
    const TPoint windowOrg = canvas->GetWindowOrg();
    canvas->SetWindowOrg(TPoint(origin.X - background.Left, origin.Y - background.Top));
    PaintParentImage(Edit, canvas, RectBounds(origin.X, origin.Y, size.cx, size.cy), false);
    canvas->SetWindowOrg(windowOrg);
  }
}

void TcxCustomLabelViewInfo::PaintContent(TcxCanvas* target, TcxCanvas* canvas, const TRect& background,
                                          const TRect& textRect, TPoint origin) {
  PaintContentBackground(target, canvas, background, origin);
  DrawLabelText(canvas, DrawData(), textRect);
}

void TcxCustomLabelViewInfo::PaintLabel(TcxCanvas* canvas) {
  TRect area = PaintRect, text = PaintRect;
  if (IsInPlace) text = RectDeflateByMargins(text, DrawTextOffsets);
  else if (EditBorderStyle != cbsNone) text.Left += 1, text.Right -= 1;
  const bool transparent = Transparent || (Edit && Edit->Transparent());
  if (!IsInPlace && transparent && Edit && Edit->ControlState().Contains(csPaintCopy))
    return PaintContent(canvas, canvas, area, text, area.TopLeft());
  if (!IsInPlace && NativeStyle)
    if (HTHEME theme = OpenThemeByKind(totEdit)) {
      RECT content;
      if (SUCCEEDED(UxGetThemeBackgroundContentRect(theme, canvas->GetHandle(), 1, NativeState, Bounds.Win(), &content)))
        area = TRect(content.left, content.top, content.right, content.bottom);
    }
  const TPoint position(Left, Top);
  if (position != PaintedPosition || NeedsRedraw || transparent) {
    PaintedPosition = position;
    TextBitmap->SetSize(std::max<int>(RectWidth(area), 0), std::max<int>(RectHeight(area), 0));
    TcxCanvas bitmapCanvas(TextBitmap->Canvas());
    PaintContent(canvas, &bitmapCanvas, TRect(0, 0, TextBitmap->Width(), TextBitmap->Height()),
                 RectOffset(text, -area.Left, -area.Top), area.TopLeft());
    NeedsRedraw = false;
    ++RedrawCount;
  }
  BitBlt(canvas->GetHandle(), area.Left, area.Top, TextBitmap->Width(), TextBitmap->Height(),
         TextBitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
// Control

TcxCustomLabel::TcxCustomLabel(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomEdit(owner, cls, inPlace) {
  // A press does not capture the mouse.
  SetControlStyle(ControlStyle() - csCaptureMouse);
  SetBounds(Left(), Top(), 121, 21);
}

TcxCustomLabel::~TcxCustomLabel() { focusControl_ = nullptr; }

void TcxCustomLabel::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_DIALOGCHAR: CMDialogChar(message); break;
    case CM_TEXTCHANGED: CMTextChanged(message); break;
    default: TcxCustomEdit::Dispatch(message);
  }
}

void TcxCustomLabel::SetFocusControl(TWinControl* value) {
  if (value == this || value == focusControl_) return;
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = value;
  if (value) value->FreeNotification(this);
}

void TcxCustomLabel::Notification(TComponent* component, TOperation operation) {
  TcxCustomEdit::Notification(component, operation);
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

bool TcxCustomLabel::CanFocus() { return InPlace() && TcxCustomEdit::CanFocus(); }
bool TcxCustomLabel::TakesFocusOnClick() { return TcxCustomEdit::TakesFocusOnClick() && InPlace(); }

bool TcxCustomLabel::KeepsRightEdgeOnAutoSize() {
  if (ComponentState().Contains(csReading)) return false;
  const bool keeps = VisualAlignment(ActiveProperties()->Alignment()->Horz(), IsRightToLeft()) ==
                         taRightJustify &&
                     !stateJustRead_;
  stateJustRead_ = false;
  return keeps;
}

void TcxCustomLabel::Loaded() {
  // The first automatic size after loading keeps the left edge.
  stateJustRead_ = true;
  TcxCustomEdit::Loaded();
}

void TcxCustomLabel::InternalSetEditValue(const TVariant& value, bool validate) {
  TcxCustomEdit::InternalSetEditValue(value, validate);
  if (!captionLocked_) SetCaption(TextOf(value));
  ShowDisplayValue(TVariant(Caption()));
}

void TcxCustomLabel::ShowDisplayValue(const TVariant& value) {
  LabelViewInfo()->Text = TextOf(value);
  LabelViewInfo()->NeedsRedraw = true;
  ShortRefresh();
  Invalidate();
}

void TcxCustomLabel::ApplyPropertiesChange(TObject* properties) {
  TcxCustomEdit::ApplyPropertiesChange(properties);
  // Every label setting changes the picture, most also the size.
  LabelViewInfo()->NeedsRedraw = true;
  AdjustSize();
  Invalidate();
}

void TcxCustomLabel::CMTextChanged(TMessage& m) {
  TcxCustomEdit::Dispatch(m);
  if (captionLocked_) return;
  captionLocked_ = true;
  try {
    AssignEditValueChecked(TVariant(Caption()));
  } catch (...) {
    captionLocked_ = false;
    throw;
  }
  captionLocked_ = false;
  AdjustSize();
  Invalidate();
}

void TcxCustomLabel::CMDialogChar(TMessage& m) {
  if (focusControl_ && Enabled() && Properties()->ShowAccelChar() && IsAccel(static_cast<Word>(m.WParam), Caption()) &&
      focusControl_->CanFocus()) {
    focusControl_->SetFocus();
    m.Result = 1;
    return;
  }
  TcxCustomEdit::Dispatch(m);
}

namespace {

void StartLabelUnit() {
  RegisterLabelPublishedProperties();
  RegisterClass(TcxLabel::StaticClass());
  GetEditPropertiesRegistry()->Register(TcxLabelProperties::StaticClass(), LoadToolkitString(scxSEditRepositoryLabelItem));
  // A label's value is filtered as text.
  GetFilterEditsController()->Register(TcxLabelProperties::StaticClass(), TcxFilterTextEditHelper::StaticClass());
}
void StopLabelUnit() {
  GetFilterEditsController()->Unregister(TcxLabelProperties::StaticClass(), TcxFilterTextEditHelper::StaticClass());
  if (TcxRegisteredClasses* registry = GetEditPropertiesRegistry()) registry->Unregister(TcxLabelProperties::StaticClass());
}

}  // namespace

const TUnitInfo cxLabelUnit{"cxLabel", StartLabelUnit, StopLabelUnit};
