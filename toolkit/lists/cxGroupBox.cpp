// The group box as an editor kind: class operations, the panel style, and the control (caption
// text and font, accelerator, the client area for its children).
#include "cxGroupBox.h"

#include <vssym32.h>

#include "Forms.h"
#include "StdCtrls.h"
#include "cxControls.h"
#include "cxGeometry.h"
#include "cxGraphics.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS(TcxPanelStyle, TPersistent)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomGroupBoxProperties, TcxCustomEditProperties, TPersistent*)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxGroupBoxViewData, TcxCustomEditViewData)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxGroupBoxViewInfo, TcxCustomEditViewInfo)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomGroupBox, TcxCustomEdit, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxGroupBox, TcxCustomGroupBox, TComponent*)

namespace {

constexpr int themeTextColorProperty = 3803;
constexpr int outputPrecisionTrueTypeOnly = 7;

bool IsTrueTypeFont(TFont* font) {
  TcxScreenCanvas* canvas = SharedScreenCanvas();
  canvas->SetFont(font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(canvas->GetHandle(), &metrics);
  return (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

// Turns the font upwards (left captions) or downwards (right captions); a face that cannot turn
// is replaced by one that can.
void TurnCaptionFont(TFont* font, bool upwards) {
  if (!IsTrueTypeFont(font)) font->SetName("Arial");
  const int escapement = upwards ? 900 : 2700;
  if (font->Orientation() == escapement) return;
  LOGFONTA description{};
  if (!GetObjectA(font->Handle(), sizeof(description), &description)) return;
  description.lfEscapement = description.lfOrientation = escapement;
  description.lfOutPrecision = outputPrecisionTrueTypeOnly;
  const TColor color = font->Color();
  if (HFONT turned = CreateFontIndirectA(&description)) font->SetHandle(turned);
  font->SetColor(color);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Class operations

TcxCustomEditProperties* TcxCustomGroupBoxPropertiesClass::Create(TPersistent* owner) const {
  return new TcxCustomGroupBoxProperties(owner);
}
const TcxCustomEditClass* TcxCustomGroupBoxPropertiesClass::EditClass() const {
  return TcxCustomGroupBox::StaticClassOperations();
}
const TcxCustomEditViewDataClass* TcxCustomGroupBoxPropertiesClass::ViewDataClass(TcxCustomEditStyle*, bool) const {
  return TcxGroupBoxViewData::StaticClassOperations();
}
const TcxCustomEditViewInfoClass* TcxCustomGroupBoxPropertiesClass::ViewInfoClass() const {
  return TcxGroupBoxViewInfo::StaticClassOperations();
}
TcxCustomEditViewData* TcxGroupBoxViewDataClass::Create(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                                        bool inPlace) const {
  return new TcxGroupBoxViewData(properties, style, inPlace);
}
TcxCustomEditViewInfo* TcxGroupBoxViewInfoClass::Create() const { return new TcxGroupBoxViewInfo; }
TcxCustomEdit* TcxCustomGroupBoxClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxCustomGroupBox(owner, inPlace);
}
const TcxCustomEditPropertiesClass* TcxCustomGroupBoxClass::OwnPropertiesClass() const {
  return TcxCustomGroupBoxProperties::StaticClassOperations();
}
TcxCustomEdit* TcxGroupBoxClass::Create(TComponent* owner, bool inPlace) const {
  return new TcxGroupBox(owner, inPlace);
}

// ---------------------------------------------------------------------------------------------
// Panel style

void TcxPanelStyle::Assign(TPersistent* source) {
  auto* from = ObjectAs<TcxPanelStyle>(source);
  if (!from) return TPersistent::Assign(source);
  SetActive(from->active_);
  SetCaptionIndent(from->captionIndent_);
  SetWordWrap(from->wordWrap_);
  SetOfficeBackgroundKind(from->officeBackgroundKind_);
}

void TcxPanelStyle::Relayout(bool always) {
  if (box_ && (always || active_)) box_->Relayout();
}

void TcxPanelStyle::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  Relayout(true);
}

void TcxPanelStyle::SetCaptionIndent(int value) {
  value = std::max(value, 2);
  if (value == captionIndent_) return;
  captionIndent_ = value;
  Relayout(false);
}

void TcxPanelStyle::SetOfficeBackgroundKind(TcxPanelOffice11BackgroundKind value) {
  if (value == officeBackgroundKind_) return;
  officeBackgroundKind_ = value;
  if (active_ && box_ && box_->Style()->LookAndFeel()->Kind() == lfOffice11) box_->Relayout();
}

void TcxPanelStyle::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  Relayout(false);
}

// ---------------------------------------------------------------------------------------------
// Control

TcxCustomGroupBox::TcxCustomGroupBox(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomEdit(owner, cls, inPlace) {
  SetControlStyle(ControlStyle() + csAcceptsControls + csCaptureMouse + csClickEvents);
  SetBounds(Left(), Top(), 185, 105);
  captionFont_ = std::make_unique<TFont>();
  UpdateCaptionFont();
  SetTabStop(false);
  panelStyle_.reset(CreatePanelStyle());
}

TcxCustomGroupBox::~TcxCustomGroupBox() = default;

void TcxCustomGroupBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_DIALOGCHAR: CMDialogChar(message); break;
    case CM_TEXTCHANGED: CMTextChanged(message); break;
    case CM_FONTCHANGED: CMFontChanged(message); break;
    default: TcxCustomEdit::Dispatch(message);
  }
}

void TcxCustomGroupBox::SetAlignment(TcxCaptionAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Relayout();
}

void TcxCustomGroupBox::Relayout() {
  UpdateCaptionFont();
  UpdateShownCaption();
  ShortRefresh();
  Invalidate();
  Realign();
}

bool TcxCustomGroupBox::IsCaptionInNonClientArea() {
  return !panelStyle_->Active() && CanDrawCaptionInFrame() && Style()->LookAndFeel()->SkinPainter() &&
         !Caption().empty();
}

void TcxCustomGroupBox::UpdateCaptionFont() {
  if (InPlace() || !captionFont_) return;
  captionFont_->Assign(ActiveEditStyle() ? ActiveEditStyle()->GetEffectiveFont() : Font());
  if (IsVerticalCaption(alignment_, panelStyle_ && panelStyle_->Active()))
    TurnCaptionFont(captionFont_.get(), CaptionSideOf(alignment_) == 2);
}

void TcxCustomGroupBox::UpdateShownCaption() {
  const bool vertical = IsVerticalCaption(alignment_, panelStyle_ && panelStyle_->Active());
  const std::string shown = vertical ? RemoveAccelChars(Caption(), true) : Caption();
  if (shown == shownCaption_) return;
  shownCaption_ = shown;
  ShortRefresh();
}

TColor TcxCustomGroupBox::CaptionColor() {
  const int side = CaptionSideOf(alignment_);
  if (TcxCustomLookAndFeelPainterClass skin = Style()->LookAndFeel()->SkinPainter()) {
    const TColor color = skin->GroupBoxCaptionTextColor(static_cast<TcxGroupBoxCaptionPosition>(side == 4 ? 0 : side));
    if (color != clDefault) return color;
  }
  if (GetViewInfo()->NativeStyle)
    if (HTHEME theme = OpenThemeByKind(totButton)) {
      COLORREF color = 0;
      if (SUCCEEDED(UxGetThemeColor(theme, BP_GROUPBOX, Enabled() ? GBS_NORMAL : GBS_DISABLED,
                                    themeTextColorProperty, &color)))
        return static_cast<TColor>(color);
    }
  return captionFont_->Color();
}

bool TcxCustomGroupBox::UsesParentBackgroundNatively() const {
  return GetViewInfo()->NativeStyle && ParentBackground() && !InPlace() && !Transparent();
}

TcxContainerStyleValues TcxCustomGroupBox::HiddenStyleValues() const {
  TcxContainerStyleValues values = TcxCustomEdit::HiddenStyleValues();
  values.Include(csvHotTrack);
  return values;
}

bool TcxCustomGroupBox::NeedsWindowRegion() { return !panelStyle_->Active() && TcxCustomEdit::NeedsWindowRegion(); }

bool TcxCustomGroupBox::HasShadow() {
  const int side = CaptionSideOf(alignment_);
  return (panelStyle_->Active() || side == 0 || side == 2) && !IsNativeStyle() &&
         !Style()->LookAndFeel()->SkinPainter() && TcxCustomEdit::HasShadow();
}

// The border reaches the control's edge on the caption side.
TRect TcxCustomGroupBox::GetVisibleBorderRect() {
  TRect r = TcxCustomEdit::GetVisibleBorderRect();
  switch (CaptionSideOf(alignment_)) {
    case 0: r.Top = 0; break;
    case 1: r.Bottom = Height(); break;
    case 2: r.Left = 0; break;
    case 3: r.Right = Width(); break;
    default: break;
  }
  return r;
}

bool TcxCustomGroupBox::RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                                         bool isMouseEvent) {
  if (captionFont_ && !InPlace()) UpdateCaptionFont();
  return TcxCustomEdit::RefreshContainer(point, button, shift, isMouseEvent);
}

void TcxCustomGroupBox::Paint() {
  bool done = false;
  if (OnCustomDraw) OnCustomDraw(this, done);
  if (!done) TcxCustomEdit::Paint();
}

// Children are aligned inside the frame and caption, computed afresh from the properties.
void TcxCustomGroupBox::AdjustClientRect(TRect& rect) {
  if (IsContainerDestroying()) return;
  std::unique_ptr<TcxCustomEditViewData> data(EffectiveProperties()->CreateViewData(ActiveEditStyle(), InPlace()));
  data->Edit = this;
  data->Enabled = Enabled();
  std::unique_ptr<TcxCustomEditViewInfo> info(EffectiveProperties()->ClassOperations()->ViewInfoClass()->Create());
  data->Bounds = GetControlSizeRect(this);
  const TRect extent = data->ComputeNonContentExtent(cxCanvas(), info.get());
  rect = TRect(extent.Left, extent.Top, Width() - extent.Right, Height() - extent.Bottom);
}

void TcxCustomGroupBox::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<Word>(m.WParam), Caption()) && CanFocus()) {
    focusingByAccelerator_ = true;
    SelectFirst();
    focusingByAccelerator_ = false;
    m.Result = 1;
    return;
  }
  TcxCustomEdit::Dispatch(m);
}

void TcxCustomGroupBox::CMTextChanged(TMessage& m) {
  TcxCustomEdit::Dispatch(m);
  UpdateShownCaption();
  ShortRefresh();
  Invalidate();
}

void TcxCustomGroupBox::CMFontChanged(TMessage& m) {
  TcxCustomEdit::Dispatch(m);
  Relayout();
}

void TcxCustomGroupBox::StyleChanged(TObject* sender) {
  UpdateCaptionFont();
  TcxCustomEdit::StyleChanged(sender);
}
