// The radio group: a button group of owner-drawn radio buttons whose edit value is the value (or
// caption) of the checked item; and the stand-alone radio button painted through the look and feel.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "StdCtrls.h"
#include "Variants.h"
#include "cxControls.h"
#include "cxGroupBox.h"
#include "cxLookAndFeels.h"

CX_RESOURCESTRING(cxSRadioGroupDefaultCaption, 0xCC60, "")

// ---------------------------------------------------------------------------------------------
// The radio button

// How the mouse and the enabled state leave the button: 0 disabled, 1 hot, 2 normal, 3 pressed.
enum TcxRadioButtonState : uint8_t { rbsDisabled, rbsHot, rbsNormal, rbsPressed };
TcxButtonState RadioButtonStateToButtonState(TcxRadioButtonState state);

// The state after a mouse event at a point (client coordinates) with the given buttons down.
struct TcxRadioButtonStateInput {
  bool Enabled = true;
  bool Designing = false;
  bool Captured = false;    // the button holds the mouse capture
  bool Inside = false;      // the point lies in the client rectangle
  bool ButtonDown = false;  // a mouse button is held
};
TcxRadioButtonState ComputeRadioButtonState(const TcxRadioButtonStateInput& input);

// The caption's margins (left, top, right, bottom) by where it stands and how it is drawn.
struct TcxRadioCaptionPlacement {
  bool InPlace = false;
  bool CaptionLeft = false;  // the caption stands left of the glyph
  bool WordWrap = false;
  bool Native = false;
};
TRect RadioButtonCaptionMargins(const TcxRadioCaptionPlacement& placement);

class TcxRadioButton : public TRadioButton, public IcxMouseTrackingCaller {
  CALDERAN_CLASS(TcxRadioButton)
  explicit TcxRadioButton(TComponent* owner);
  ~TcxRadioButton() override;
  void Dispatch(TMessage& message) override;

  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* value) { lookAndFeel_->Assign(value); }
  TComponent* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TComponent* value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  TcxRadioButtonState ButtonState() const { return state_; }
  TRect GlyphRect() const { return glyphRect_; }
  TcxCanvas* cxCanvas() const { return canvas_.get(); }
  // The painter the glyph and caption colours come from.
  TcxCustomLookAndFeelPainterClass ButtonPainter() const;
  bool Focused();

  // IcxMouseTrackingCaller
  void MouseLeave() override { MouseLeave(nullptr); }

  // --- new virtual operations
  virtual void AdjustCaptionRect(TRect& rect, bool native);
  virtual void DoShowPopupMenu(TComponent* menu, int x, int y);
  virtual void FillBackground();
  virtual void DrawCaption(TcxCanvas* canvas, bool native);
  virtual bool IsInplaceButton() const { return false; }
  virtual bool UsesThemedParentBackground();
  virtual bool UsesNativeTheme();
  virtual bool IsTransparentDrawn();
  virtual bool ShowsParentThrough();
  virtual void LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) { Invalidate(); }
  virtual void PaintButton(bool focusOnly);
  virtual void UpdateState(TcxContainerMouseButton button, TShiftState shift, const TPoint& point);
  virtual void EnabledChanged();
  virtual void MouseEnter(TControl* control);
  virtual void MouseLeave(TControl* control);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Notification(TComponent* component, TOperation operation) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // The background behind the glyph and caption (the parent's, the theme's, or the button's colour).
  virtual void PaintBackground();
  TColor GlyphBackgroundColor();

 private:
  void CNDrawItem(TMessage& m);
  void CNMeasureItem(TMessage& m);
  void CNKeyDown(TMessage& m);
  void CMEnter(TMessage& m);
  void WMContextMenu(TMessage& m);
  void SetState(TcxRadioButtonState state);
  void LookAndFeelChangedHandler(TcxLookAndFeel* sender, TcxLookAndFeelValues values) {
    LookAndFeelChanged(sender, values);
  }

  std::unique_ptr<TControlCanvas> controlCanvas_;
  std::unique_ptr<TcxCanvas> canvas_;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  TcxRadioButtonState state_ = rbsNormal;
  TRect glyphRect_;
  TComponent* popupMenu_ = nullptr;
  bool transparent_ = false;
  bool wordWrap_ = false;
  bool focusedPaint_ = false;
};

// ---------------------------------------------------------------------------------------------
// The radio group

class TcxCustomRadioGroup;

// One button of a radio group; its owner and parent is the group.
class TcxCustomRadioGroupButton : public TcxRadioButton, public IcxContainerInnerControl {
  CALDERAN_CLASS(TcxCustomRadioGroupButton)
  explicit TcxCustomRadioGroupButton(TcxCustomRadioGroup* group);
  ~TcxCustomRadioGroupButton() override;
  void WndProc(TMessage& message) override;
  void Dispatch(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

  TcxCustomRadioGroup* Group() const { return group_; }
  int Column() const { return column_; }
  int Row() const { return row_; }
  void SetColumnAndRow(int column, int row) { column_ = column, row_ = row; }
  void SetChecked(bool value) override;
  // Checks or unchecks without reporting back to the group.
  void SetCheckedByGroup(bool value);
  bool CanFocus() override;

  // IcxContainerInnerControl
  TWinControl* HostedControl() override { return this; }
  TcxContainer* OwnerContainer() override;

  bool IsInplaceButton() const override;
  bool UsesThemedParentBackground() override;
  bool UsesNativeTheme() override;
  bool IsTransparentDrawn() override;

 protected:
  void Click() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void PaintBackground() override;

 private:
  void CNCommand(TMessage& m);
  void CMEnter(TMessage& m);
  void CMExit(TMessage& m);
  void WMGetDlgCode(TMessage& m);
  void WMFocusChanged(TMessage& m);

  TcxCustomRadioGroup* group_;
  bool pressing_ = false, commanding_ = false, setByGroup_ = false;
  int column_ = 0, row_ = 0;
};

class TcxRadioGroupItem : public TcxButtonGroupItem {
  CALDERAN_CLASS(TcxRadioGroupItem)
  explicit TcxRadioGroupItem(TCollection* collection) : TcxButtonGroupItem(collection) {}
  void Assign(TPersistent* source) override;
  const TVariant& Value() const { return value_; }
  void SetValue(const TVariant& value);
  bool IsValueStored() const { return !value_.IsNull(); }
  // A stored form keeps the value, of whatever kind, as a property of its own.
  void DefineProperties(TFiler* filer) override;

 private:
  void ReadValue(TReader* reader);
  void WriteValue(TWriter* writer);
  TVariant value_ = TVariant::Null();
};

class TcxRadioGroupItems : public TcxButtonGroupItems {
  CALDERAN_CLASS(TcxRadioGroupItems)
  using TcxButtonGroupItems::TcxButtonGroupItems;
  TcxRadioGroupItem* Items(int index) const {
    return static_cast<TcxRadioGroupItem*>(TcxButtonGroupItems::Items(index));
  }
  TcxRadioGroupItem* Add() { return static_cast<TcxRadioGroupItem*>(TCollection::Add()); }
};

class TcxCustomRadioGroupPropertiesClass : public TcxCustomButtonGroupPropertiesClass {
 public:
  using TcxCustomButtonGroupPropertiesClass::TcxCustomButtonGroupPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  const TcxCustomEditClass* EditClass() const override;
  const TcxCustomEditViewDataClass* ViewDataClass(TcxCustomEditStyle* style, bool inPlace) const override;
  const TcxCustomEditViewInfoClass* ViewInfoClass() const override;
  TClass ItemClass() const override { return TcxRadioGroupItem::StaticClass(); }
};

class TcxCustomRadioGroupProperties : public TcxCustomButtonGroupProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomRadioGroupProperties, TcxCustomRadioGroupPropertiesClass)
  explicit TcxCustomRadioGroupProperties(TPersistent* owner)
      : TcxCustomRadioGroupProperties(owner, StaticClassOperations()) {}

  TcxRadioGroupItems* Items() const { return static_cast<TcxRadioGroupItems*>(TcxCustomButtonGroupProperties::Items()); }
  const std::u16string& DefaultCaption() const { return defaultCaption_; }
  void SetDefaultCaption(const std::u16string& value) { SetNotifying(defaultCaption_, value); }
  bool IsDefaultCaptionStored() const;
  const TVariant& DefaultValue() const { return defaultValue_; }
  void SetDefaultValue(const TVariant& value);
  bool IsDefaultValueStored() const { return !defaultValue_.IsNull(); }

  // The index of the first item the value matches, -1 when none does: an item without a value by
  // its caption (letter case counts), an item with one by value.
  int ItemIndexOfValue(const TVariant& value) const;
  // -1 gives DefaultValue; an item gives its value, or its caption when it has none.
  TVariant ValueOfItemIndex(int index) const;

  void Assign(TPersistent* source) override;
  bool HooksInnerEditChange() const override { return true; }
  bool DetectsValueChange() const override { return true; }
  bool SupportsValueReset() const override { return true; }
  bool EditValuesEqual(const TVariant& value1, const TVariant& value2) override;
  std::u16string FormatDisplayValue(const TVariant& editValue) override;
  void EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool editing) override;
  uint16_t GetSupportedOperations() const override;
  TcxButtonGroupItems* CreateItems() override;
  int GetColumnCount() const override;
  // A stored form keeps the default value and the wide default caption as properties of their own.
  void DefineProperties(TFiler* filer) override;

 protected:
  TcxCustomRadioGroupProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);

 private:
  void ReadDefaultCaption(TReader* reader);
  void WriteDefaultCaption(TWriter* writer);
  void ReadDefaultValue(TReader* reader);
  void WriteDefaultValue(TWriter* writer);
  std::u16string defaultCaption_;
  TVariant defaultValue_ = TVariant::Null();
};

class TcxRadioGroupPropertiesClass : public TcxCustomRadioGroupPropertiesClass {
 public:
  using TcxCustomRadioGroupPropertiesClass::TcxCustomRadioGroupPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
};

class TcxRadioGroupProperties : public TcxCustomRadioGroupProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxRadioGroupProperties, TcxRadioGroupPropertiesClass)
  explicit TcxRadioGroupProperties(TPersistent* owner)
      : TcxCustomRadioGroupProperties(owner, StaticClassOperations()) {}
};

class TcxCustomRadioGroupViewDataClass : public TcxButtonGroupViewDataClass {
 public:
  using TcxButtonGroupViewDataClass::TcxButtonGroupViewDataClass;
  TcxCustomEditViewData* Create(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                bool inPlace) const override;
};

class TcxCustomRadioGroupViewData : public TcxButtonGroupViewData {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomRadioGroupViewData, TcxCustomRadioGroupViewDataClass)
  using TcxButtonGroupViewData::TcxButtonGroupViewData;
  TcxCustomRadioGroupProperties* RadioProperties() const {
    return static_cast<TcxCustomRadioGroupProperties*>(Properties);
  }
  void ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point, TcxContainerMouseButton button,
                     TShiftState shift, TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) override;
  void PrepareDrawValue(TcxCanvas* canvas, const TVariant& value, TcxCustomEditViewInfo* viewInfo) override;
  void GetButtonMetrics(TcxButtonGroupMetrics& metrics, TcxCanvas* canvas) const override;
  void SetButtonNativeState(TcxButtonGroupViewInfo* viewInfo, int index) override;
};

class TcxCustomRadioGroupViewInfoClass : public TcxButtonGroupViewInfoClass {
 public:
  using TcxButtonGroupViewInfoClass::TcxButtonGroupViewInfoClass;
  TcxCustomEditViewInfo* Create() const override;
};

class TcxCustomRadioGroupViewInfo : public TcxButtonGroupViewInfo {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomRadioGroupViewInfo, TcxCustomRadioGroupViewInfoClass)
  TcxCustomRadioGroupViewInfo() = default;
  int CheckedIndex = -1;

  void PaintButtonCaption(TcxCanvas* canvas, int index) override;
  void PaintButtonGlyph(TcxCanvas* canvas, int index) override;
  bool IsButtonBackgroundTransparent(int index) const override;
};

class TcxCustomRadioGroupClass : public TcxCustomButtonGroupClass {
 public:
  using TcxCustomButtonGroupClass::TcxCustomButtonGroupClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace = false) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override;
};

class TcxCustomRadioGroup : public TcxCustomButtonGroup {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomRadioGroup, TcxCustomRadioGroupClass)
  explicit TcxCustomRadioGroup(TComponent* owner, bool inPlace = false)
      : TcxCustomRadioGroup(owner, StaticClassOperations(), inPlace) {}
  ~TcxCustomRadioGroup() override;
  void Dispatch(TMessage& message) override;

  TcxCustomRadioGroupProperties* ActiveProperties() {
    return static_cast<TcxCustomRadioGroupProperties*>(EffectiveProperties());
  }
  TcxCustomRadioGroupProperties* Properties() const {
    return static_cast<TcxCustomRadioGroupProperties*>(TcxCustomEdit::Properties());
  }
  TcxCustomRadioGroupButton* RadioButton(int index) const {
    return static_cast<TcxCustomRadioGroupButton*>(Button(index));
  }
  int ItemIndex();
  void SetItemIndex(int value);
  bool SkinParentPainting() const { return skinParentPainting_; }

  // A button the user checked (not the group itself).
  void ButtonCheckedByUser(TcxCustomRadioGroupButton* button);
  // Forwarders for the buttons.
  void ButtonFocusChanged() { FocusChanged(); }
  void DoButtonClick() { Click(); }
  bool ButtonCanBeginEditing() { return CanBeginEditing(); }

  HDC GetButtonDC(int index) override;
  TWinControl* CreateButton() override;
  void SynchronizeButtons() override;
  void UpdateButtonStyles() override;
  void ArrangeButtons() override;
  void SetFocus() override;
  void GetTabOrderList(std::vector<TWinControl*>& list) override;
  void InternalSetEditValue(const TVariant& value, bool validate) override;
  void DisplayToEditValue(const TVariant& display, TVariant& value, bool editing) override;
  void ResetToClearValue() override { SetItemIndex(-1); }
  void Loaded() override;

 protected:
  TcxCustomRadioGroup(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);

 private:
  friend class TcxCustomRadioGroupButton;
  void CMDialogChar(TMessage& m);
  void SetEditValueForIndex(int index, bool forced);
  int CheckedButtonIndex() const;
  void CheckButtons(int index);
  void FocusButtonOf(int index);
  bool IsStoringItemIndex();

  int storedItemIndex_ = -1;
  bool focusedAtCheck_ = false;
  bool skinParentPainting_ = false;
  bool forcedSet_ = false, userCheck_ = false;
};

class TcxRadioGroupClass : public TcxCustomRadioGroupClass {
 public:
  using TcxCustomRadioGroupClass::TcxCustomRadioGroupClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace = false) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override;
};

class TcxRadioGroup : public TcxCustomRadioGroup {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxRadioGroup, TcxRadioGroupClass)
  explicit TcxRadioGroup(TComponent* owner, bool inPlace = false)
      : TcxCustomRadioGroup(owner, StaticClassOperations(), inPlace) {}
  TcxRadioGroupProperties* Properties() const {
    return static_cast<TcxRadioGroupProperties*>(TcxCustomEdit::Properties());
  }
};

// The radio group's filter helper: filters by display text, with the equality operators.
class TcxFilterRadioGroupHelper : public TcxCustomFilterEditHelper {
  CALDERAN_CLASS(TcxFilterRadioGroupHelper)
  static const TcxFilterRadioGroupHelper* Instance();
  TcxFilterOperatorSet FilterOperatorSet(TcxCustomEditProperties* properties, TcxValueTypeClass valueType,
                                         bool extended) const override;
  bool FiltersByDisplayText() const override { return true; }
  // The filter editor is a fixed-list combo box of the items' captions, in item order.
  const TcxCustomEditClass* FilterEditorClass() const override;
  void PrepareFilterProperties(TcxCustomEditProperties* properties, TcxCustomEditProperties* source,
                               bool hasButtons) const override;
  void ReadFilterValue(TcxCustomEdit* editor, TcxCustomEditProperties* properties, std::string& displayText,
                       TVariant& value) const override;
  void WriteFilterValue(TcxCustomEdit* editor, TcxCustomEditProperties* properties,
                        const TVariant& value) const override;

 protected:
  constexpr TcxFilterRadioGroupHelper() = default;
};

// Registers what a stored form may set on a radio group (the radio-group unit's start-up).
void RegisterRadioGroupPublishedProperties();

extern const TUnitInfo cxRadioGroupUnit;
