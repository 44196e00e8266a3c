// The check box: an editor whose value (any variant) reads as unchecked, checked or grayed through
// three configurable values, toggled by mouse, Space and its accelerator. This part holds the value
// mapping, the state cycle, the glyph-strip pieces and the check-mark mask, which need no editor.
#pragma once
#include <windows.h>

#include <cstdint>

#include "ActnList.h"
#include "Graphics.h"
#include "Types.h"
#include "Variants.h"
#include "System.h"
#include "cxContainer.h"
#include "cxDropDownEdit.h"
#include "cxEdit.h"
#include "cxLookAndFeelPainters.h"

// How a grayed box looks: as unchecked, as a greyed empty box, or with a greyed mark.
enum TcxCheckBoxNullValueShowingStyle : uint8_t { nssUnchecked, nssInactive, nssGrayedChecked };
// What the mouse and the keyboard do to the box.
enum TcxEditCheckState : uint8_t { ecsNormal, ecsHot, ecsPressed, ecsDisabled };

// Checked when the value equals the checked value, unchecked when it equals the unchecked value,
// grayed otherwise (Null and every other value). A Boolean compares with a non-Null value as text.
TcxCheckBoxState CheckBoxValueToState(const TVariant& value, const TVariant& valueChecked,
                                      const TVariant& valueUnchecked);
// Unchecked goes to grayed when grayed is allowed, else to checked; grayed to checked; checked to unchecked.
TcxCheckBoxState NextCheckBoxState(TcxCheckBoxState state, bool allowGrayed);
// Whether a new checked or unchecked value may replace current: not Null (unless nullAllowed) and
// exactly different from all three current values. Loading takes every value.
bool IsCheckBoxValueAcceptable(const TVariant& value, const TVariant& checked, const TVariant& unchecked,
                               const TVariant& grayed, bool nullAllowed);

// The piece of a glyph strip for a state: the state's index, 3 further on while pressed, folded back
// onto the first three pieces when the strip has fewer.
int CheckBoxGlyphIndex(TcxCheckBoxState state, TcxEditCheckState checkState, int glyphCount);
// Where the piece lies in a strip of the given size.
TRect CheckBoxGlyphPieceRect(TSize stripSize, int glyphCount, int index);

// The button state in which painters draw a box of the given interaction state.
TcxButtonState CheckStateToButtonState(TcxEditCheckState checkState);

// A monochrome picture of the system's check mark (black on white), of the base painter's check
// glyph size: black where the system's unchecked and checked boxes differ. The caller owns it.
HBITMAP BuildCheckMarkMask();

// ---------------------------------------------------------------------------------------------
// Drawing the box

// Everything the box's drawing needs. A transparent background is clNone.
struct TcxCheckBoxBoxParams {
  TcxCheckBoxState State = cbsUnchecked;
  TcxCheckBoxNullValueShowingStyle NullStyle = nssGrayedChecked;
  TcxEditCheckState CheckState = ecsNormal;
  bool Focused = false;
  bool Designing = false;
  TColor BackgroundColor = clWindow;
  TColor BorderColor = clBtnShadow;
  bool Native = false;
  TcxContainerBorderStyle BorderStyle = cbs3D;
  int CheckBorderOffset = 0;  // the ring between the box's rectangle and its border
  TBitmap* Glyph = nullptr;   // a strip of GlyphCount pieces
  int GlyphCount = 0;
  TcxCustomLookAndFeelPainterClass SkinPainter = nullptr;
};

// Draws the box into its rectangle: a glyph piece, the skin's face, the themed check box, or a
// border of the box's style with the check mark inside.
void DrawCheckBoxBox(TcxCanvas* canvas, const TRect& rect, const TcxCheckBoxBoxParams& params);

// The process-wide check-mark mask (null before the module starts).
HBITMAP CheckMarkMask();

// ---------------------------------------------------------------------------------------------
// The editor kind

CX_RESOURCESTRING(cxSEditCheckBoxChecked, 0xCB40, "True")
CX_RESOURCESTRING(cxSEditCheckBoxUnchecked, 0xCB41, "False")

class TcxCustomCheckBox;
class TcxCustomCheckBoxViewInfo;

class TcxCustomCheckBoxPropertiesClass : public TcxCustomEditPropertiesClass {
 public:
  using TcxCustomEditPropertiesClass::TcxCustomEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  const TcxCustomEditClass* EditClass() const override;
  const TcxCustomEditStyleClass* EditStyleClass() const override;
  const TcxCustomEditViewDataClass* ViewDataClass(TcxCustomEditStyle* style, bool inPlace) const override;
  const TcxCustomEditViewInfoClass* ViewInfoClass() const override;
};

class TcxCustomCheckBoxProperties : public TcxCustomEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomCheckBoxProperties, TcxCustomCheckBoxPropertiesClass)
  explicit TcxCustomCheckBoxProperties(TPersistent* owner)
      : TcxCustomCheckBoxProperties(owner, StaticClassOperations()) {}

  // Where the box sits: the horizontal part of the alignment.
  TAlignment BoxAlignment() { return Alignment()->Horz(); }
  void SetBoxAlignment(TAlignment value) { Alignment()->SetHorz(value); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool value) { allowGrayed_ = value; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  bool CaptionAssigned() const { return captionAssigned_; }
  void ClearCaptionAssigned() { captionAssigned_ = false; }
  const std::u16string& DisplayChecked() const { return displayChecked_; }
  void SetDisplayChecked(const std::u16string& value) { displayChecked_ = value; }
  const std::u16string& DisplayGrayed() const { return displayGrayed_; }
  void SetDisplayGrayed(const std::u16string& value) { displayGrayed_ = value; }
  const std::u16string& DisplayUnchecked() const { return displayUnchecked_; }
  void SetDisplayUnchecked(const std::u16string& value) { displayUnchecked_ = value; }
  bool FullFocusRect() const { return fullFocusRect_; }
  void SetFullFocusRect(bool value) { SetNotifying(fullFocusRect_, value); }
  // Created empty on first read.
  TBitmap* Glyph();
  TBitmap* GlyphIfAny() const { return glyph_.get(); }
  void SetGlyph(TBitmap* value);
  int GlyphCount() const { return glyphCount_; }
  void SetGlyphCount(int value);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool value) { SetNotifying(multiLine_, value); }
  TcxCheckBoxNullValueShowingStyle NullStyle() const { return nullStyle_; }
  void SetNullStyle(TcxCheckBoxNullValueShowingStyle value) { SetNotifying(nullStyle_, value); }
  bool UseAlignmentWhenInplace() const { return useAlignmentWhenInplace_; }
  void SetUseAlignmentWhenInplace(bool value) { SetNotifying(useAlignmentWhenInplace_, value); }
  const TVariant& ValueChecked() const { return valueChecked_; }
  void SetValueChecked(const TVariant& value) { SetStateValue(valueChecked_, value, false); }
  const TVariant& ValueGrayed() const { return valueGrayed_; }
  void SetValueGrayed(const TVariant& value) { SetStateValue(valueGrayed_, value, true); }
  const TVariant& ValueUnchecked() const { return valueUnchecked_; }
  void SetValueUnchecked(const TVariant& value) { SetStateValue(valueUnchecked_, value, false); }

  TcxCheckBoxState StateOfValue(const TVariant& value) const;
  TVariant ValueOfState(TcxCheckBoxState state) const;

  // Stored-form rules.
  bool IsBoxAlignmentStored() const { return StoredAlignment()->IsHorzStored(); }
  bool IsDisplayCheckedStored() const;
  bool IsDisplayUncheckedStored() const;
  bool IsDisplayGrayedStored() const { return !displayGrayed_.empty(); }
  bool IsValueCheckedStored() const { return !VariantsEqualExact(valueChecked_, TVariant(true)); }
  bool IsValueUncheckedStored() const { return !VariantsEqualExact(valueUnchecked_, TVariant(false)); }
  bool IsValueGrayedStored() const { return !valueGrayed_.IsNull(); }

  void Assign(TPersistent* source) override;
  bool ValidatesDisplayValue() const override { return true; }
  bool HooksInnerEditChange() const override { return true; }
  bool DetectsValueChange() const override { return true; }
  bool SupportsValueReset() const override { return true; }
  uint32_t GetSpecialFeatures() const override { return TcxCustomEditProperties::GetSpecialFeatures() | 4; }
  uint16_t GetSupportedOperations() const override { return 1453; }
  bool IsActivationKey(char key) const override { return key == ' '; }
  bool CanCompareValues(const TVariant& value, bool flag) const override;
  void EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool editing) override;
  std::u16string FormatDisplayValue(const TVariant& editValue) override;
  bool EditValuesEqual(const TVariant& value1, const TVariant& value2) override;
  // In-place check boxes draw no caption and use the narrow in-place layout.
  virtual bool ShowsCaptionInplace() const { return false; }

 protected:
  TcxCustomCheckBoxProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);

 private:
  void SetStateValue(TVariant& field, const TVariant& value, bool nullAllowed);
  void GlyphChanged(TObject*) { NotifyChanged(); }
  bool IsOwnerLoading() const;

  bool allowGrayed_ = false;
  std::string caption_;
  std::u16string displayChecked_, displayGrayed_, displayUnchecked_;
  bool fullFocusRect_ = false;
  std::unique_ptr<TBitmap> glyph_;
  int glyphCount_ = 6;
  bool captionAssigned_ = false;
  bool multiLine_ = false;
  TcxCheckBoxNullValueShowingStyle nullStyle_ = nssGrayedChecked;
  bool useAlignmentWhenInplace_ = false;
  TVariant valueChecked_{true}, valueGrayed_ = TVariant::Null(), valueUnchecked_{false};
};

class TcxCheckBoxPropertiesClass : public TcxCustomCheckBoxPropertiesClass {
 public:
  using TcxCustomCheckBoxPropertiesClass::TcxCustomCheckBoxPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
};

class TcxCheckBoxProperties : public TcxCustomCheckBoxProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCheckBoxProperties, TcxCheckBoxPropertiesClass)
  explicit TcxCheckBoxProperties(TPersistent* owner) : TcxCustomCheckBoxProperties(owner, StaticClassOperations()) {}
};

class TcxCheckBoxStyleClass : public TcxEditStyleClass {
 public:
  using TcxEditStyleClass::TcxEditStyleClass;
  TcxContainerStyle* Create(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                            TcxContainerStyleState state) const override;
};

// The check box draws no container border of its own.
class TcxCheckBoxStyle : public TcxEditStyle {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCheckBoxStyle, TcxCheckBoxStyleClass)
  using TcxEditStyle::TcxEditStyle;
  bool HasBorder() const override { return false; }
};

class TcxCustomCheckBoxViewDataClass : public TcxCustomEditViewDataClass {
 public:
  using TcxCustomEditViewDataClass::TcxCustomEditViewDataClass;
  TcxCustomEditViewData* Create(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                bool inPlace) const override;
};

class TcxCustomCheckBoxViewData : public TcxCustomEditViewData {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomCheckBoxViewData, TcxCustomCheckBoxViewDataClass)
  using TcxCustomEditViewData::TcxCustomEditViewData;
  TcxCustomCheckBoxProperties* CheckBoxProperties() const {
    return static_cast<TcxCustomCheckBoxProperties*>(Properties);
  }

  void ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point, TcxContainerMouseButton button,
                     TShiftState shift, TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) override;
  void PrepareDrawValue(TcxCanvas* canvas, const TVariant& value, TcxCustomEditViewInfo* viewInfo) override;
  TcxContainerBorderStyle EffectiveBorderStyle() override { return cbsNone; }
  void CalcConstantPartSize(TcxCanvas* canvas, bool editing, TcxCustomEditViewInfo* viewInfo, TSize& nonContentSize,
                            TSize& minContentSize, const TcxEditSizeProperties& request) override;
  virtual Cardinal CaptionTextFlags(TAlignment alignment) const;

 private:
  TSize BoxSize(TcxCustomCheckBoxViewInfo* viewInfo) const;
  void PlaceBoxAndCaption(TcxCustomCheckBoxViewInfo* viewInfo, TSize box);
  void ComputeCheckStateOf(TcxCustomCheckBoxViewInfo* viewInfo, const TPoint& point, TcxContainerMouseButton button,
                           TShiftState shift);
  void ComputeFocusRect(TcxCanvas* canvas, TcxCustomCheckBoxViewInfo* viewInfo);
};

class TcxCustomCheckBoxViewInfoClass : public TcxCustomEditViewInfoClass {
 public:
  using TcxCustomEditViewInfoClass::TcxCustomEditViewInfoClass;
  TcxCustomEditViewInfo* Create() const override;
};

class TcxCustomCheckBoxViewInfo : public TcxCustomEditViewInfo {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomCheckBoxViewInfo, TcxCustomCheckBoxViewInfoClass)
  TcxCustomCheckBoxViewInfo() = default;

  TAlignment Alignment = taLeftJustify;
  int CheckBorderOffset = 0;
  TcxContainerBorderStyle BoxBorderStyle = cbs3D;
  TBitmap* Glyph = nullptr;
  int GlyphCount = 0;
  TRect CheckBoxRect;
  TcxEditCheckState CheckState = ecsNormal;
  TRect FocusRect;
  bool HasGlyph = false, TextColorAssigned = false;
  TcxCheckBoxNullValueShowingStyle NullStyle = nssGrayedChecked;
  TcxCheckBoxState State = cbsUnchecked;
  // The caption and where it goes.
  std::string Text;
  TRect TextArea;
  Cardinal DrawTextFlags = 0;

  void PaintBody(TcxCanvas* canvas) override;
  void TakeFrom(TcxContainerViewInfo* source) override;
  TcxRegion* ChangedRegion(TcxContainerViewInfo* other) override;
  void Shift(int dx, int dy) override;
  // The box's drawing for the state, in its rectangle.
  void DrawBox(TcxCanvas* canvas);

 private:
  bool IsBackgroundTransparent() const;
  bool IsBoxSeeThrough() const;
  void PaintBackground(TcxCanvas* canvas);
  void PaintCaption(TcxCanvas* canvas);
};

class TcxCustomCheckBoxClass : public TcxCustomEditClass {
 public:
  using TcxCustomEditClass::TcxCustomEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace = false) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override;
};

class TcxCustomCheckBox : public TcxCustomEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomCheckBox, TcxCustomCheckBoxClass)
  explicit TcxCustomCheckBox(TComponent* owner, bool inPlace = false)
      : TcxCustomCheckBox(owner, StaticClassOperations(), inPlace) {}
  void Dispatch(TMessage& message) override;

  TcxCustomCheckBoxProperties* ActiveProperties() {
    return static_cast<TcxCustomCheckBoxProperties*>(EffectiveProperties());
  }
  TcxCustomCheckBoxProperties* Properties() const {
    return static_cast<TcxCustomCheckBoxProperties*>(TcxCustomEdit::Properties());
  }
  void SetProperties(TcxCustomCheckBoxProperties* value) { Properties()->Assign(value); }
  TcxCustomCheckBoxViewInfo* CheckBoxViewInfo() const {
    return static_cast<TcxCustomCheckBoxViewInfo*>(GetViewInfo());
  }
  TcxCheckBoxState State();
  void SetState(TcxCheckBoxState value);
  bool Checked() { return State() == cbsChecked; }
  void SetChecked(bool value) { SetState(value ? cbsChecked : cbsUnchecked); }
  bool SpacePressed() const { return spacePressed_; }
  // Not stored while a linked action's Checked gives the same state.
  bool IsStateStored() const;
  // The action's Checked as the link hands it over: clicks and change events locked meanwhile; a
  // state the stored form gave wins, and on an action still being read only an unchecked box takes it.
  void ApplyActionChecked(TCustomAction* action);

  virtual void Toggle();

  bool UsesParentBackground() const override { return true; }
  bool UsesParentBackgroundNatively() const override;
  bool NeedsWindowRegion() override { return !InPlace(); }
  TRect GetVisibleBorderRect() override;
  bool ClicksWhileLoading() override { return DataBinding()->DefaultValuesProvider()->IsDataSourceBound(); }
  TcxContainerStyleValues HiddenStyleValues() const override;
  void InternalSetEditValue(const TVariant& value, bool validate) override;
  void ApplyPropertiesChange(TObject* properties) override;
  bool RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                        bool isMouseEvent) override;
  void Loaded() override;
  void DisplayToEditValue(const TVariant& display, TVariant& value, bool editing) override;

 protected:
  TcxCustomCheckBox(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);
  std::unique_ptr<TBasicActionLink> CreateActionLink() override;
  void Click() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoExit() override;

 private:
  void CMDialogChar(TMessage& m);
  void CMTextChanged(TMessage& m);
  void StateChanged(TcxCheckBoxState state, bool fire);

  bool spacePressed_ = false;
  bool inLoaded_ = false;
  bool stateSetWhileLoading_ = false;
  TcxCheckBoxState storedState_ = cbsUnchecked;
};

// The link of a check box also follows the action's Checked.
class TcxCheckBoxActionLink : public TControlActionLink {
  CALDERAN_CLASS(TcxCheckBoxActionLink)
  explicit TcxCheckBoxActionLink(TcxCustomCheckBox* box) : TControlActionLink(box) {}
  // The box shows the action's Checked (a grayed box never does).
  bool IsCheckedLinked() const;

 protected:
  void ApplyTo(TCustomAction* action) override;
};

class TcxCheckBoxClass : public TcxCustomCheckBoxClass {
 public:
  using TcxCustomCheckBoxClass::TcxCustomCheckBoxClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace = false) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override;
};

class TcxCheckBox : public TcxCustomCheckBox {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCheckBox, TcxCheckBoxClass)
  explicit TcxCheckBox(TComponent* owner, bool inPlace = false)
      : TcxCustomCheckBox(owner, StaticClassOperations(), inPlace) {}
  TcxCheckBoxProperties* Properties() const {
    return static_cast<TcxCheckBoxProperties*>(TcxCustomCheckBox::Properties());
  }
};

// What a stored form may set on a check box and its properties (the check-box unit registers it).
void RegisterCheckBoxPublishedProperties();

// The filter editor of a check-box value: a fixed two-item combo box, the checked value's text first.
// Filters compare display texts, with the equality operators only.
class TcxFilterCheckBoxHelper : public TcxFilterComboBoxHelper {
  CALDERAN_CLASS(TcxFilterCheckBoxHelper)
  static const TcxFilterCheckBoxHelper* Instance();
  TcxFilterOperatorSet FilterOperatorSet(TcxCustomEditProperties* properties, TcxValueTypeClass valueType,
                                         bool extended) const override;
  void PrepareFilterProperties(TcxCustomEditProperties* properties, TcxCustomEditProperties* source,
                               bool hasButtons) const override;
  void ReadFilterValue(TcxCustomEdit* editor, TcxCustomEditProperties* properties, std::string& displayText,
                       TVariant& value) const override;
  void WriteFilterValue(TcxCustomEdit* editor, TcxCustomEditProperties* properties,
                        const TVariant& value) const override;
  bool FiltersByDisplayText() const override { return true; }

 protected:
  constexpr TcxFilterCheckBoxHelper() = default;
};

extern const TUnitInfo cxCheckBoxUnit;

// ---------------------------------------------------------------------------------------------
// Layout

// Where the box and the caption go in the client rectangle. Alignment says where the box sits.
struct TcxCheckBoxPlacementParams {
  TRect Client;
  TSize BoxSize;
  TAlignment Alignment = taLeftJustify;
  bool InPlace = false;
  bool ShowsCaptionInplace = false;
  TRect ContentOffsets;         // in-place: the caption's top and bottom move in by them
  bool KeepsTextTop = false;    // stand-alone: the caption does not move up the extra pixel
  bool EmbossedText = false;    // a disabled caption drawn embossed needs a pixel more
};
struct TcxCheckBoxPlacement {
  TRect CheckBoxRect;
  TRect TextRect;
};
TcxCheckBoxPlacement PlaceCheckBox(const TcxCheckBoxPlacementParams& params);

// The box's interaction state from the editor's state and the mouse.
struct TcxCheckStateInput {
  bool Enabled = true;
  bool SpacePressed = false;
  bool Designing = false;
  bool MouseInside = false;       // the point lies inside the border rectangle
  bool NoButtonHeld = true;       // no mouse button is held
  bool OnlyLeftButtonHeld = false;
  bool PressStartedNow = false;   // the left button went down in this very calculation
  bool WasPressed = false;        // the previous calculation found the box pressed
};
TcxEditCheckState ComputeCheckState(const TcxCheckStateInput& input);

// The toolkit canvas flags of the caption.
Cardinal CheckBoxCaptionFlags(TAlignment alignment, bool multiLine, bool inPlace);
// While the editor is hot-tracked a lighter border turns heavier.
TcxContainerBorderStyle HotCheckBoxBorderStyle(TcxContainerBorderStyle style);
