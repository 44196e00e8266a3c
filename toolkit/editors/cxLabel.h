// The label: static text drawn by the editor itself, optionally turned, with depth effects
// (graded, extruded or shadow copies), a raised, lowered or outlined style and a bitmap that fills
// the letters. This part holds the drawing and measuring of the text, which needs no editor.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "Graphics.h"
#include "StdCtrls.h"
#include "Types.h"
#include "cxEdit.h"
#include "cxExtEditUtils.h"
#include "cxGraphics.h"

enum TcxLabelEffect : uint8_t { cxleNormal, cxleFun, cxleExtrude, cxleCool };
enum TcxLabelStyle : uint8_t { cxlsNormal, cxlsRaised, cxlsLowered, cxlsOutLine };
// The direction in which the depth effect extends from the text.
enum TcxLabelOrientation : uint8_t {
  cxoLeft, cxoRight, cxoTop, cxoBottom, cxoLeftTop, cxoLeftBottom, cxoRightTop, cxoRightBottom
};

// Degrees brought into 0..359 (450 is 90, -90 is 270).
int NormalizeLabelAngle(int angle);
// The room the depth effect takes (x, y): none for cxleNormal.
TPoint LabelEffectExtent(TcxLabelEffect effect, TcxLabelOrientation orientation, int depth);
// The extra room of the raised and lowered styles: 1 below 12 points, 2 from 12 points on.
int LabelStyleOffset(TcxLabelStyle style, int fontPoints);
// Where turned text of the given unturned size starts so that it is centred in the text rectangle
// (less the effect's room at its right and bottom).
TPoint TurnedTextStart(const TRect& textRect, TPoint effectExtent, TSize textSize, int angle);
// The box that text of the given unturned size covers when turned.
TSize TurnedTextSize(TSize textSize, int angle);

// The depth layers: the first is drawn at Start, each next one Step further; the main text follows
// at Start + Count * Step (less the style offset on the axes whose step is negative).
struct TcxLabelLayers {
  TPoint Start;
  TPoint Step;
  int Count = 0;
};
TcxLabelLayers PlanLabelLayers(TcxLabelEffect effect, TcxLabelOrientation orientation, int depth,
                               TPoint effectExtent, int styleOffset, TPoint start);
// The colour of layer index (1..count): graded from the background for cxleFun, else the shadow colour.
TColor LabelLayerColor(TcxLabelEffect effect, TColor shadowedColor, TColor backgroundColor, int index, int count);

// Everything the drawing of a label's text needs.
struct TcxLabelDrawData {
  std::string Text;
  TFont* Font = nullptr;
  TColor TextColor = clWindowText;
  TColor BackgroundColor = clBtnFace;
  int Angle = 0;
  TcxLabelEffect Effect = cxleNormal;
  TcxLabelStyle Style = cxlsNormal;
  TcxLabelOrientation Orientation = cxoRightBottom;
  int Depth = 0;
  TColor ShadowedColor = clGrayText;
  bool ShowAccelChar = true;
  int PenWidth = 1;
  bool WordWrap = false;
  TAlignment HorzAlignment = taLeftJustify;
  TcxEditVertAlignment VertAlignment = taTopJustify;
  bool EndEllipsis = false;
  TBitmap* Glyph = nullptr;  // fills the letters when usable and the font is TrueType
};

// Draws the text, its depth layers and its style into the text rectangle; the canvas's font and
// brush are as before afterwards.
void DrawLabelText(TcxCanvas* canvas, const TcxLabelDrawData& data, const TRect& textRect);
// The size the text takes with its effect and style, for the available width (turned text: the
// turned box); an empty text measures as one blank.
TSize MeasureLabelText(TcxCanvas* canvas, const TcxLabelDrawData& data, int availableWidth);
// The text-out flags (cxTextOut.h) of a label's text: its alignment, end ellipsis when asked, word
// break only for unturned wrapping text; no accelerator prefix, no tabs.
uint32_t LabelTextOutFlags(TAlignment horz, TcxEditVertAlignment vert, bool endEllipsis, bool wordWrap, int angle);

// ---------------------------------------------------------------------------------------------
// The editor kind

class TcxCustomLabelPropertiesClass : public TcxCustomEditPropertiesClass {
 public:
  using TcxCustomEditPropertiesClass::TcxCustomEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  const TcxCustomEditClass* EditClass() const override;
  const TcxCustomEditStyleClass* EditStyleClass() const override;
  const TcxCustomEditViewDataClass* ViewDataClass(TcxCustomEditStyle* style, bool inPlace) const override;
  const TcxCustomEditViewInfoClass* ViewInfoClass() const override;
};

class TcxCustomLabelProperties : public TcxCustomEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomLabelProperties, TcxCustomLabelPropertiesClass)
  explicit TcxCustomLabelProperties(TPersistent* owner) : TcxCustomLabelProperties(owner, StaticClassOperations()) {}

  TcxLabelEffect LabelEffect() const { return labelEffect_; }
  void SetLabelEffect(TcxLabelEffect value) { SetNotifying(labelEffect_, value); }
  TcxLabelStyle LabelStyle() const { return labelStyle_; }
  void SetLabelStyle(TcxLabelStyle value) { SetNotifying(labelStyle_, value); }
  TcxLabelOrientation Orientation() const { return orientation_; }
  void SetOrientation(TcxLabelOrientation value) { SetNotifying(orientation_, value); }
  uint16_t Depth() const { return depth_; }
  void SetDepth(uint16_t value) { SetNotifying(depth_, value); }
  TColor ShadowedColor() const { return shadowedColor_; }
  void SetShadowedColor(TColor value) { SetNotifying(shadowedColor_, value); }
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value) { SetNotifying(showAccelChar_, value); }
  bool ShowEndEllipsis() const { return showEndEllipsis_; }
  void SetShowEndEllipsis(bool value) { SetNotifying(showEndEllipsis_, value); }
  int Angle() const { return angle_; }
  void SetAngle(int value) { SetNotifying(angle_, value); }
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int value) { SetNotifying(penWidth_, value); }
  // Created empty on first read.
  TBitmap* Glyph();
  TBitmap* GlyphIfAny() const { return glyph_.get(); }
  void SetGlyph(TBitmap* value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { SetNotifying(wordWrap_, value); }

  void Assign(TPersistent* source) override;
  bool HooksInnerEditChange() const override { return true; }
  bool DetectsValueChange() const override { return true; }
  uint16_t GetSupportedOperations() const override { return 1418; }
  bool HasEditValueKind(int) const override { return true; }
  void EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool editing) override;
  std::u16string FormatDisplayValue(const TVariant& editValue) override;
  // The room the depth effect takes.
  virtual TPoint CalcEffectExtent() const { return LabelEffectExtent(labelEffect_, orientation_, depth_); }

 protected:
  TcxCustomLabelProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
      : TcxCustomEditProperties(owner, cls) {}

 private:
  void GlyphChanged(TObject*) { NotifyChanged(); }
  TcxLabelEffect labelEffect_ = cxleNormal;
  TcxLabelStyle labelStyle_ = cxlsNormal;
  TcxLabelOrientation orientation_ = cxoRightBottom;
  uint16_t depth_ = 0;
  TColor shadowedColor_ = clGrayText;
  bool showAccelChar_ = true;
  bool showEndEllipsis_ = false;
  int angle_ = 0;
  int penWidth_ = 1;
  std::unique_ptr<TBitmap> glyph_;
  bool wordWrap_ = false;
};

class TcxLabelPropertiesClass : public TcxCustomLabelPropertiesClass {
 public:
  using TcxCustomLabelPropertiesClass::TcxCustomLabelPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
};

class TcxLabelProperties : public TcxCustomLabelProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxLabelProperties, TcxLabelPropertiesClass)
  explicit TcxLabelProperties(TPersistent* owner) : TcxCustomLabelProperties(owner, StaticClassOperations()) {}
};

class TcxLabelEditStyleClass : public TcxEditStyleClass {
 public:
  using TcxEditStyleClass::TcxEditStyleClass;
  TcxContainerStyle* Create(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                            TcxContainerStyleState state) const override;
};

// A label has no border and no hot tracking unless asked for.
class TcxLabelEditStyle : public TcxEditStyle {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxLabelEditStyle, TcxLabelEditStyleClass)
  using TcxEditStyle::TcxEditStyle;
  TcxContainerBorderStyle DefaultBorderStyle() const override {
    return IsNormal() ? cbsNone : TcxEditStyle::DefaultBorderStyle();
  }
  bool DefaultHotTrack() const override { return false; }
};

class TcxCustomLabelViewDataClass : public TcxCustomEditViewDataClass {
 public:
  using TcxCustomEditViewDataClass::TcxCustomEditViewDataClass;
  TcxCustomEditViewData* Create(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                bool inPlace) const override;
};

class TcxCustomLabelViewInfo;

class TcxCustomLabelViewData : public TcxCustomEditViewData {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomLabelViewData, TcxCustomLabelViewDataClass)
  using TcxCustomEditViewData::TcxCustomEditViewData;
  TcxCustomLabelProperties* LabelProperties() const { return static_cast<TcxCustomLabelProperties*>(Properties); }

  void ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point, TcxContainerMouseButton button,
                     TShiftState shift, TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) override;
  void PrepareDrawValue(TcxCanvas* canvas, const TVariant& value, TcxCustomEditViewInfo* viewInfo) override;
  void ValueToDisplayText(const TVariant& value, std::string& text) override;
  TSize MeasureContentArea(TcxCanvas* canvas, const TVariant& value, const TcxEditSizeProperties& request) override;
  virtual uint32_t LabelTextFlags() const;
};

class TcxCustomLabelViewInfoClass : public TcxCustomEditViewInfoClass {
 public:
  using TcxCustomEditViewInfoClass::TcxCustomEditViewInfoClass;
  TcxCustomEditViewInfo* Create() const override;
};

class TcxCustomLabelViewInfo : public TcxCustomEditViewInfo {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomLabelViewInfo, TcxCustomLabelViewInfoClass)
  TcxCustomLabelViewInfo();
  ~TcxCustomLabelViewInfo() override;

  std::unique_ptr<TcxEditAlignment> Alignment;
  int Angle = 0;
  uint16_t Depth = 0;
  TPoint EffectExtent;
  std::unique_ptr<TBitmap> TextBitmap;  // the cached picture of the content area
  TBitmap* Glyph = nullptr;
  bool NeedsRedraw = true;
  TPoint PaintedPosition{INT_MAX, INT_MAX};
  TcxLabelEffect LabelEffect = cxleNormal;
  TcxLabelStyle LabelStyle = cxlsNormal;
  TRect PaintRect;
  TcxLabelOrientation Orientation = cxoRightBottom;
  int PenWidth = 1;
  TColor ShadowedColor = clGrayText;
  bool WordWrap = false;
  TRect DrawTextOffsets;
  bool ShowAccelChar = true;
  std::string Text;
  uint32_t DrawTextFlags = 0;
  // How many times the cached picture was drawn (each paint that does not redraw only copies it).
  int RedrawCount = 0;

  void SetBackColor(TColor value) override;
  void Shift(int dx, int dy) override;
  void PaintAll(TcxCanvas* canvas) override;
  virtual void PaintLabel(TcxCanvas* canvas);

 private:
  TcxLabelDrawData DrawData() const;
  void PaintContent(TcxCanvas* target, TcxCanvas* canvas, const TRect& background, const TRect& textRect,
                    TPoint origin);
  void PaintContentBackground(TcxCanvas* target, TcxCanvas* canvas, const TRect& background, TPoint origin);
};

class TcxCustomLabelClass : public TcxCustomEditClass {
 public:
  using TcxCustomEditClass::TcxCustomEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace = false) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override;
};

class TcxCustomLabel : public TcxCustomEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomLabel, TcxCustomLabelClass)
  explicit TcxCustomLabel(TComponent* owner, bool inPlace = false)
      : TcxCustomLabel(owner, StaticClassOperations(), inPlace) {}
  ~TcxCustomLabel() override;
  void Dispatch(TMessage& message) override;

  TcxCustomLabelProperties* ActiveProperties() { return static_cast<TcxCustomLabelProperties*>(EffectiveProperties()); }
  TcxCustomLabelProperties* Properties() const {
    return static_cast<TcxCustomLabelProperties*>(TcxCustomEdit::Properties());
  }
  void SetProperties(TcxCustomLabelProperties* value) { Properties()->Assign(value); }
  TcxCustomLabelViewInfo* LabelViewInfo() const { return static_cast<TcxCustomLabelViewInfo*>(GetViewInfo()); }
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* value);

  bool CanFocus() override;
  bool UsesParentBackground() const override { return true; }
  bool IsWidthAutoSized() override { return !ActiveProperties()->WordWrap(); }
  bool KeepsRightEdgeOnAutoSize() override;
  void InternalSetEditValue(const TVariant& value, bool validate) override;
  void ShowDisplayValue(const TVariant& value) override;
  void ApplyPropertiesChange(TObject* properties) override;
  void Loaded() override;

 protected:
  TcxCustomLabel(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);
  void Notification(TComponent* component, TOperation operation) override;
  bool TakesFocusOnClick() override;

 private:
  void CMDialogChar(TMessage& m);
  void CMTextChanged(TMessage& m);

  bool stateJustRead_ = false;
  TWinControl* focusControl_ = nullptr;
  bool captionLocked_ = false;
};

class TcxLabelClass : public TcxCustomLabelClass {
 public:
  using TcxCustomLabelClass::TcxCustomLabelClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace = false) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override;
};

class TcxLabel : public TcxCustomLabel {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxLabel, TcxLabelClass)
  explicit TcxLabel(TComponent* owner, bool inPlace = false) : TcxCustomLabel(owner, StaticClassOperations(), inPlace) {}
  TcxLabelProperties* Properties() const { return static_cast<TcxLabelProperties*>(TcxCustomLabel::Properties()); }
};

// What a stored form may set on a label and its properties (the label unit registers it).
void RegisterLabelPublishedProperties();

extern const TUnitInfo cxLabelUnit;
