// The editor framework: every editor of the toolkit is a container whose settings live in a
// properties object that many editors may share, whose layout is computed by a short-lived view
// data into a view info, and whose painting goes through that view info. An editor kind is a family
// of four classes (properties, view data, view info, editor) tied together by the class operations
// of its properties class; docs/architecture.md ("The editor framework") shows how a kind plugs in.
//
// Also here: the edit style and its controller, the embedded edit buttons, the data binding and the
// in-place edit data, the repository of shared properties, the registries of editor kinds and
// filter helpers, and the small routines the editors share. The exception classes need no window:
// the mask engines raise them on their own.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ExtCtrls.h"
#include "Menus.h"
#include "StdCtrls.h"
#include "System.h"
#include "Variants.h"
#include "cxClasses.h"
#include "cxContainer.h"
#include "cxEditPaintUtils.h"
#include "cxExtEditUtils.h"
#include "cxValueTypes.h"

class TBasicAction;
class TcxCustomEdit;
class TcxCustomEditClass;
class TcxCustomEditData;
class TcxCustomEditProperties;
class TcxCustomEditPropertiesClass;
class TcxCustomEditStyle;
class TcxCustomEditViewData;
class TcxCustomEditViewDataClass;
class TcxCustomEditViewInfo;
class TcxCustomEditViewInfoClass;
class TcxEditButtons;
class TcxEditDataBinding;
class TcxEditDataBindingClass;
class TcxEditRepository;
class TcxEditRepositoryItem;
class TcxEditStyleController;

// The base of every error an editor raises on its own behalf.
CALDERAN_EXCEPTION(EcxEditError, Exception)
// Raised when the text typed into an editor does not pass its validation.
CALDERAN_EXCEPTION(EcxEditValidationError, EcxEditError)

// Texts of the editor framework (string table 0xC800-0xC83F; the kinds' registration texts are
// kept here so that every editor module takes its own from one table).
CX_RESOURCESTRING(cxSEditInvalidInput, 0xC800, "Invalid input value. Use escape key to abandon changes")
CX_RESOURCESTRING(cxSEditInvalidRepositoryItem, 0xC801, "The repository item is not acceptable")
CX_RESOURCESTRING(scxSEditRepositoryTextItem, 0xC820, "TextEdit|Represents a single line text editor")
CX_RESOURCESTRING(scxSEditRepositoryMemoItem, 0xC821, "Memo|Represents an edit control that allows editing memo data")
CX_RESOURCESTRING(scxSEditRepositoryMaskItem, 0xC822, "MaskEdit|Represents a generic masked edit control.")
CX_RESOURCESTRING(scxSEditRepositoryComboBoxItem, 0xC823, "ComboBox|Represents the combo box editor")
CX_RESOURCESTRING(scxSEditRepositoryPopupItem, 0xC824, "PopupEdit|Represents an edit control with a dropdown list")
CX_RESOURCESTRING(scxSEditRepositoryCheckBoxItem, 0xC825,
                  "CheckBox|Represents a check box control that allows selecting an option")
CX_RESOURCESTRING(scxSEditRepositoryLabelItem, 0xC826, "Label|Represents a Label")
CX_RESOURCESTRING(scxSEditRepositoryImageItem, 0xC827, "Image|Represents an image editor")
CX_RESOURCESTRING(scxSEditRepositoryBlobItem, 0xC828, "BlobEdit|Represents the BLOB editor")
CX_RESOURCESTRING(scxSEditRepositoryButtonItem, 0xC829, "ButtonEdit|Represents an edit control with embedded buttons")
CX_RESOURCESTRING(scxSEditRepositoryCalcItem, 0xC82A,
                  "CalcEdit|Represents an edit control with a dropdown calculator window")
CX_RESOURCESTRING(scxSEditRepositorySpinItem, 0xC82B, "SpinEdit|Represents a spin editor")
CX_RESOURCESTRING(scxSEditRepositoryTimeItem, 0xC82C, "TimeEdit|Represents an editor displaying time values")
CX_RESOURCESTRING(scxSEditRepositoryDateItem, 0xC82D, "DateEdit|Represents an edit control with a dropdown calendar")
CX_RESOURCESTRING(scxSEditRepositoryCurrencyItem, 0xC82E,
                  "CurrencyEdit|Represents an editor enabling editing currency data")
CX_RESOURCESTRING(scxSEditRepositoryHyperLinkItem, 0xC82F,
                  "HyperLink|Represents a text editor with hyperlink functionality")
CX_RESOURCESTRING(scxSEditRepositoryImageComboBoxItem, 0xC830,
                  "ImageComboBox|Represents an editor displaying the list of images and text strings within the "
                  "dropdown window")
CX_RESOURCESTRING(scxSEditRepositoryMRUItem, 0xC831,
                  "MRUEdit|Represents a text editor displaying the list of most recently used items (MRU) within a "
                  "dropdown window")
CX_RESOURCESTRING(scxSEditRepositoryRadioGroupItem, 0xC832, "RadioGroup|Represents a group of radio buttons")
CX_RESOURCESTRING(scxSEditRepositoryProgressBarItem, 0xC833, "ProgressBar|Represents a ProgressBar")

// ---------------------------------------------------------------------------------------------
// Shared enumerations

enum TcxEditButtonsLayout : uint8_t { eblNormal, eblButtonsOnly, eblButtonsAutoWidth };
enum TcxEditBorderStyle : uint8_t { ebsNone, ebsSingle, ebsThick, ebsFlat, ebs3D, ebsUltraFlat, ebsOffice11 };
enum TcxEditButtonTransparency : uint8_t { ebtNone, ebtInactive, ebtAlways, ebtHideInactive, ebtHideUnselected };
enum TcxEditPopupBorderStyle : uint8_t { epbsDefault, epbsSingle, epbsFrame3D, epbsFlat };
// The values 1 to 4 of TcxDirection.
using TcxEditGradientDirection = TcxDirection;
enum TcxEditButtonDrawState : uint8_t { ebdsDisabled, ebdsNormal, ebdsPressed, ebdsHot };
// Bits of the view data's and view info's paint options.
enum TcxEditPaintOption : uint8_t { epoAllowZeroHeight = 1, epoAutoHeight = 2, epoExternalBorder = 4, epoClipped = 16 };
// Bits of the content layout's options.
inline constexpr uint8_t cxEditContentClipped = 1;
inline constexpr uint8_t cxEditContentOffsetPressed = 2;
// Bits of the properties' FormatOptions.
inline constexpr uint8_t cxEditFormatDisplay = 1;
inline constexpr uint8_t cxEditFormatAskNotForDisplay = 2;
// The operation bit of GetSupportedOperations that tells a host the editor has buttons.
inline constexpr uint16_t cxEditOperationButtons = 32;

// The edit style's values after the container's ten.
inline constexpr TcxContainerStyleValue svButtonStyle = static_cast<TcxContainerStyleValue>(10);
inline constexpr TcxContainerStyleValue svButtonTransparency = static_cast<TcxContainerStyleValue>(11);
inline constexpr TcxContainerStyleValue svPopupBorderStyle = static_cast<TcxContainerStyleValue>(12);
inline constexpr TcxContainerStyleValue svGradientButtons = static_cast<TcxContainerStyleValue>(13);
inline constexpr TcxContainerStyleValue svGradient = static_cast<TcxContainerStyleValue>(14);
inline constexpr TcxContainerStyleValue svGradientDirection = static_cast<TcxContainerStyleValue>(15);
// The six edit values as one set (0xFC00 as bits).
TcxContainerStyleValues EditStyleValues();

// ---------------------------------------------------------------------------------------------
// Edit style and edit style controller

class TcxCustomEditStyleClass : public TcxContainerStyleClass {
 public:
  using TcxContainerStyleClass::TcxContainerStyleClass;
  TcxContainerStyle* Create(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                            TcxContainerStyleState state) const override;
};

class TcxCustomEditStyle : public TcxContainerStyle {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomEditStyle, TcxCustomEditStyleClass)
  TcxCustomEditStyle(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                     TcxContainerStyleState state);

  TcxEditButtonStyle ButtonStyle() const;
  void SetButtonStyle(TcxEditButtonStyle value);
  TcxEditButtonTransparency ButtonTransparency() const;
  void SetButtonTransparency(TcxEditButtonTransparency value);
  bool Gradient() const;
  void SetGradient(bool value);
  bool GradientButtons() const;
  TcxEditGradientDirection GradientDirection() const;
  void SetGradientDirection(TcxEditGradientDirection value);
  TcxEditPopupBorderStyle PopupBorderStyle() const;
  void SetPopupBorderStyle(TcxEditPopupBorderStyle value);
  bool PopupCloseButton() const;
  void SetPopupCloseButton(bool value);
  TcxEditBorderStyle EditBorderStyle() const { return static_cast<TcxEditBorderStyle>(BorderStyle()); }

  void Assign(TPersistent* source) override;
  int StyleValueCount() const override { return 16; }
  bool StyleValueName(int value, std::string& name) const override;
  bool IsValueAssigned(int value) const override;
  TcxContainerStyleValues NonStateValues() const override;
  TcxStyleController* GetDefaultStyleController() const override;

  // --- numbered operations: the defaults of the six edit values
  virtual TcxEditButtonStyle ButtonStyleDefault() const;
  virtual TcxEditButtonTransparency ButtonTransparencyDefault() const;
  virtual bool GradientDefault() const;
  virtual bool GradientButtonsDefault() const;
  virtual TcxEditGradientDirection GradientDirectionDefault() const;
  virtual TcxEditPopupBorderStyle PopupBorderStyleDefault() const;

  // Whether a stored form keeps the edit value of that number (10 to 15).
  bool IsEditValueStored(TcxContainerStyleValue value) const;

 protected:
  TcxCustomEditStyle* NormalEditStyle() const { return static_cast<TcxCustomEditStyle*>(NormalStyle()); }
  // The style of the chain (this one or a controller's of the same state) that assigns the value.
  const TcxCustomEditStyle* AssigningEditStyle(TcxContainerStyleValue value) const;

 private:
  template <class T> T ReadEditValue(T TcxCustomEditStyle::*field, TcxContainerStyleValue id, T fallback) const;
  template <class T> void WriteEditValue(T TcxCustomEditStyle::*field, TcxContainerStyleValue id, T value);
  TcxEditButtonStyle buttonStyle_ = btsDefault;
  TcxEditButtonTransparency buttonTransparency_ = ebtNone;
  bool gradient_ = false;
  bool gradientButtons_ = false;
  TcxEditGradientDirection gradientDirection_ = dirDown;
  TcxEditPopupBorderStyle popupBorderStyle_ = epbsDefault;
  bool popupCloseButton_ = true;
  friend class TcxEditStyleAssignedAccess;
};

class TcxEditStyleClass : public TcxCustomEditStyleClass {
 public:
  using TcxCustomEditStyleClass::TcxCustomEditStyleClass;
  TcxContainerStyle* Create(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                            TcxContainerStyleState state) const override;
};

class TcxEditStyle : public TcxCustomEditStyle {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxEditStyle, TcxEditStyleClass)
  using TcxCustomEditStyle::TcxCustomEditStyle;
  TcxEditStyleController* StyleController() const;
  void SetStyleController(TcxEditStyleController* value);
  void SetEditBorderStyle(TcxEditBorderStyle value) { SetBorderStyle(static_cast<TcxContainerBorderStyle>(value)); }
};

class TcxEditStyleController : public TcxStyleController {
  CALDERAN_CLASS(TcxEditStyleController)
  explicit TcxEditStyleController(TComponent* owner = nullptr);
  TcxEditStyle* Style() const { return static_cast<TcxEditStyle*>(TcxStyleController::Style(cssNormal)); }
  TcxEditStyle* StyleDisabled() const { return static_cast<TcxEditStyle*>(TcxStyleController::Style(cssDisabled)); }
  TcxEditStyle* StyleFocused() const { return static_cast<TcxEditStyle*>(TcxStyleController::Style(cssFocused)); }
  TcxEditStyle* StyleHot() const { return static_cast<TcxEditStyle*>(TcxStyleController::Style(cssHot)); }
  void SetStyle(TcxEditStyle* value) { Styles()->AssignStyle(cssNormal, value); }
  void SetStyleDisabled(TcxEditStyle* value) { Styles()->AssignStyle(cssDisabled, value); }
  void SetStyleFocused(TcxEditStyle* value) { Styles()->AssignStyle(cssFocused, value); }
  void SetStyleHot(TcxEditStyle* value) { Styles()->AssignStyle(cssHot, value); }
};

// The default edit style controller, made by the editor module's start-up (nil before it).
TcxEditStyleController* SharedEditStyleController();

// ---------------------------------------------------------------------------------------------
// Properties companions: alignment, assigned-value flags, default-values provider

using TcxAlignmentChangedEvent = TEvent<void(TObject* Sender)>;

class TcxEditAlignment : public TPersistent {
  CALDERAN_CLASS(TcxEditAlignment)
  explicit TcxEditAlignment(TPersistent* owner) : owner_(owner) {}
  TAlignment Horz() const { return horz_; }
  void SetHorz(TAlignment value);
  bool IsHorzAssigned() const { return horzAssigned_; }
  TcxEditVertAlignment Vert() const { return vert_; }
  void SetVert(TcxEditVertAlignment value);
  void ForgetHorz();
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override { return owner_; }
  // What a stored form keeps.
  bool IsHorzStored() const { return horzAssigned_; }
  bool IsVertStored() const { return vert_ != taTopJustify; }
  bool HasAnythingToStore() const { return IsHorzStored() || IsVertStored(); }
  TcxAlignmentChangedEvent OnChanged;

 private:
  friend class TcxCustomEditProperties;
  void Notify() { if (OnChanged) OnChanged(this); }
  TPersistent* owner_;
  TAlignment horz_ = taLeftJustify;
  bool horzAssigned_ = false;
  TcxEditVertAlignment vert_ = taTopJustify;
};

// Which of MaxValue, MinValue and ReadOnly were set explicitly.
class TcxCustomEditPropertiesValues : public TPersistent {
  CALDERAN_CLASS(TcxCustomEditPropertiesValues)
  explicit TcxCustomEditPropertiesValues(TcxCustomEditProperties* owner) : owner_(owner) {}
  bool MaxValue() const { return maxValue_; }
  bool MinValue() const { return minValue_; }
  bool ReadOnly() const { return readOnly_; }
  void SetMaxValue(bool value) { SetFlag(maxValue_, value); }
  void SetMinValue(bool value) { SetFlag(minValue_, value); }
  void SetReadOnly(bool value) { SetFlag(readOnly_, value); }
  void Assign(TPersistent* source) override;
  virtual void RestoreDefaults();
  TPersistent* GetOwner() override;
  // A zero MaxValue (MinValue) reaches a stored form only through its flag, and only when the
  // owning properties class publishes that property.
  bool IsMaxValueStored() const;
  bool IsMinValueStored() const;

 private:
  friend class TcxCustomEditProperties;
  void SetFlag(bool& flag, bool value);
  TcxCustomEditProperties* owner_;
  bool maxValue_ = false, minValue_ = false, readOnly_ = false;
};

// Defaults a data binding gives the properties of its editor. Data-aware bindings would answer from
// their source; the base answers with fixed values.
class IcxEditDefaultValuesProvider {
 public:
  virtual bool MayEnterEditMode() = 0;
  virtual void ReleaseFromProperties() = 0;
  virtual TAlignment HorzAlignmentDefault() = 0;
  virtual int LargeObjectKindDefault() = 0;
  virtual bool DataModifiable() = 0;
  virtual std::string DisplayFormatDefault() = 0;
  virtual std::string EditFormatDefault() = 0;
  virtual std::string EditMaskDefault() = 0;
  virtual bool FloatValueDefault() = 0;
  virtual int MaxLengthDefault() = 0;
  virtual double MaxValueDefault() = 0;
  virtual double MinValueDefault() = 0;
  virtual int PrecisionDefault() = 0;
  virtual bool ReadOnlyDefault() = 0;
  virtual bool RequiredDefault() = 0;
  virtual TObject* ProviderObject() = 0;
  virtual bool IsDataSourceBound() = 0;
  virtual bool IsLargeObjectValue() = 0;
  virtual bool IsCurrencyValue() = 0;
  virtual bool DataAvailable() = 0;
  virtual bool DisplayFormatDefined(bool forDisplay) = 0;
  virtual bool HasGetTextHandler() = 0;
  virtual bool HasSetTextHandler() = 0;
  virtual bool CharAcceptable(char ch) = 0;

 protected:
  ~IcxEditDefaultValuesProvider() = default;
};

class TcxCustomEditDefaultValuesProvider : public TcxInterfacedPersistent, public IcxEditDefaultValuesProvider {
  CALDERAN_CLASS(TcxCustomEditDefaultValuesProvider)
  explicit TcxCustomEditDefaultValuesProvider(TPersistent* owner) : TcxInterfacedPersistent(owner) {}
  ~TcxCustomEditDefaultValuesProvider() override;

  void ReleaseFromProperties() override;
  TObject* ProviderObject() override { return this; }
  bool MayEnterEditMode() override { return true; }
  TAlignment HorzAlignmentDefault() override { return taLeftJustify; }
  int LargeObjectKindDefault() override { return 3; }
  bool DataModifiable() override { return true; }
  std::string DisplayFormatDefault() override { return {}; }
  std::string EditFormatDefault() override { return {}; }
  std::string EditMaskDefault() override { return {}; }
  bool FloatValueDefault() override { return false; }
  int MaxLengthDefault() override { return 0; }
  double MaxValueDefault() override { return 0; }
  double MinValueDefault() override { return 0; }
  int PrecisionDefault() override { return 15; }
  bool ReadOnlyDefault() override { return false; }
  bool RequiredDefault() override { return false; }
  bool IsLargeObjectValue() override { return false; }
  bool IsCurrencyValue() override { return false; }
  bool DataAvailable() override { return true; }
  bool IsDataSourceBound() override { return false; }
  bool DisplayFormatDefined(bool) override { return false; }
  bool HasGetTextHandler() override { return false; }
  bool HasSetTextHandler() override { return false; }
  bool CharAcceptable(char) override { return true; }
};

// ---------------------------------------------------------------------------------------------
// Edit buttons

class TcxEditButton : public TCollectionItem {
  CALDERAN_CLASS(TcxEditButton)
  explicit TcxEditButton(TCollection* collection);
  ~TcxEditButton() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  TAlignment ContentAlignment() const { return contentAlignment_; }
  void SetContentAlignment(TAlignment value) { SetItemValue(contentAlignment_, value); }
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { SetItemValue(enabled_, value); }
  // Created empty on first read.
  TBitmap* Glyph();
  TBitmap* GlyphIfAny() const { return glyph_.get(); }
  void SetGlyph(TBitmap* value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value) { hint_ = value; }
  TcxEditButtonKind Kind() const { return kind_; }
  void SetKind(TcxEditButtonKind value) { SetItemValue(kind_, value); }
  bool LeftAlignment() const { return leftAlignment_; }
  void SetLeftAlignment(bool value) { SetItemValue(leftAlignment_, value); }
  bool Stretchable() const { return stretchable_; }
  void SetStretchable(bool value) { SetItemValue(stretchable_, value); }
  int Tag() const { return tag_; }
  void SetTag(int value) { tag_ = value; }
  TColor TextColor() const { return textColor_; }
  void SetTextColor(TColor value) { SetItemValue(textColor_, value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool value) { SetItemValue(visible_, value); }
  const std::string& VisibleCaption() const { return visibleCaption_; }
  int Width() const { return width_; }
  void SetWidth(int value);
  void Assign(TPersistent* source) override;

 private:
  template <class T> void SetItemValue(T& field, T value) {
    if (field == value) return;
    field = value;
    Changed(false);
  }
  void GlyphChanged(TObject*) { Changed(false); }
  std::string caption_;
  TAlignment contentAlignment_ = taCenter;
  bool default_ = false;
  bool enabled_ = true;
  std::unique_ptr<TBitmap> glyph_;
  std::string hint_;
  TcxEditButtonKind kind_ = bkDown;
  bool leftAlignment_ = false;
  bool stretchable_ = true;
  int tag_ = 0;
  TColor textColor_ = clBtnText;
  bool visible_ = true;
  std::string visibleCaption_;
  int width_ = 0;
};

using TcxEditButtonsChangedEvent = TEvent<void(TObject* Sender)>;

class TcxEditButtons : public TCollection {
  CALDERAN_CLASS(TcxEditButtons)
  explicit TcxEditButtons(TPersistent* owner, TCollectionItemClass itemClass = TcxEditButton::StaticClass());
  TcxEditButton* Add() { return static_cast<TcxEditButton*>(TCollection::Add()); }
  TcxEditButton* Items(int index) const { return static_cast<TcxEditButton*>(TCollection::Items(index)); }
  int VisibleCount() const;
  TPersistent* GetOwner() override { return owner_; }
  TcxEditButtonsChangedEvent OnChange;

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TPersistent* owner_;
};

// The painting record of one visible button, computed by the view data.
struct TcxEditButtonViewInfoData {
  TColor BackgroundColor = clBtnFace;
  std::string Caption;
  TAlignment ContentAlignment = taCenter;
  bool Default = false;
  bool Gradient = false;
  bool InPlace = false;
  TcxEditButtonKind Kind = bkDown;
  bool LeftAlignment = false;
  bool First = false;
  bool Native = false;
  bool Last = false;
  TcxEditButtonDrawState State = ebdsNormal;
  TcxEditButtonStyle Style = bts3D;
  TColor TextColor = clBtnText;
  bool Transparent = false;
  std::string VisibleCaption;
  bool BackgroundPartiallyTransparent = false;
  bool IsSingleDropDown = false;
  int NativePart = 0;
  int NativeState = 0;
  TBitmap* Glyph = nullptr;
  bool HasBackground = false;
};

class TcxEditButtonViewInfo : public TPersistent {
  CALDERAN_CLASS(TcxEditButtonViewInfo)
  TcxEditButtonViewInfo() = default;
  TRect Bounds;
  TcxEditButtonViewInfoData Data;
  int Index = 0;
  bool Stretchable = true;
  TRect VisibleBounds;
  int Width = 0;

  // Copies what the repaint comparison needs: native state, colour, bounds, style and state.
  void Assign(TPersistent* source) override;
  bool DiffersFrom(const TcxEditButtonViewInfo& old) const;
  // An empty region when nothing painted differs, else the bounds.
  TcxRegion* ChangedRegion(const TcxEditButtonViewInfo& old) const;
  bool InvalidateIfChanged(TWinControl* control, const TcxEditButtonViewInfo& old, const TPoint& editorPosition) const;
};

// ---------------------------------------------------------------------------------------------
// Properties

using TcxEditButtonClickEvent = TEvent<void(TObject* Sender, int AButtonIndex)>;
using TcxEditValidateEvent =
    TEvent<void(TObject* Sender, TVariant& DisplayValue, std::string& ErrorText, bool& Error)>;
using TcxEditPopupClosedEvent = TEvent<void(TObject* Sender, int Reason)>;
using TcxPropertiesChangedEvent = TEvent<void(TObject* Properties)>;

struct TcxEditSizeProperties {
  int Height = -1;  // -1: free
  int MaxLineCount = 0;
  int Width = -1;  // -1: free
};

// The class-level operations of a properties class: what names the other classes of its kind.
class TcxCustomEditPropertiesClass : public TClassOperations {
 public:
  using TClassOperations::TClassOperations;
  // A new properties object of this class (CreatePeer passes no owner).
  virtual TcxCustomEditProperties* Create(TPersistent* owner) const;
  virtual TClass AssignedFlagsClass() const;  // creatable with the properties as owner
  virtual TClass ButtonsClass() const;        // creatable with the properties as owner
  virtual const TcxCustomEditClass* EditClass() const;
  virtual const TcxCustomEditStyleClass* EditStyleClass() const;
  virtual const TcxCustomEditViewDataClass* ViewDataClass(TcxCustomEditStyle* style, bool inPlace) const;
  virtual const TcxCustomEditViewInfoClass* ViewInfoClass() const;
  virtual bool DefaultLeftAlignOnEditing() const { return true; }
};

class TcxCustomEditProperties : public TcxInterfacedPersistent {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomEditProperties, TcxCustomEditPropertiesClass)
  explicit TcxCustomEditProperties(TPersistent* owner) : TcxCustomEditProperties(owner, StaticClassOperations()) {}
  ~TcxCustomEditProperties() override;

  // --- published values
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { SetNotifying(autoSelect_, value); }
  bool BeepOnError() const { return beepOnError_; }
  void SetBeepOnError(bool value) { beepOnError_ = value; }
  TcxEditButtons* Buttons() const { return buttons_.get(); }
  void SetButtons(TcxEditButtons* value) { buttons_->Assign(value); }
  TcxEditButtonsLayout ButtonsLayout() const { return buttonsLayout_; }
  void SetButtonsLayout(TcxEditButtonsLayout value) { SetNotifying(buttonsLayout_, value); }
  TShortCut ClearKey() const { return clearKey_; }
  void SetClearKey(TShortCut value) { clearKey_ = value; }
  TShortCut ClickKey() const { return clickKey_; }
  void SetClickKey(TShortCut value) { clickKey_ = value; }
  bool ImmediatePost() const { return immediatePost_; }
  void SetImmediatePost(bool value) { immediatePost_ = value; }
  bool ReadOnly() const;
  void SetReadOnly(bool value);
  double MaxValue() const { return GetMaxValue(); }
  void SetMaxValue(double value);
  double MinValue() const { return GetMinValue(); }
  void SetMinValue(double value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { SetNotifying(transparent_, value); }
  bool UseLeftAlignmentOnEditing() const { return useLeftAlignmentOnEditing_; }
  void SetUseLeftAlignmentOnEditing(bool value) { SetNotifying(useLeftAlignmentOnEditing_, value); }
  bool MouseWheelEnabled() const { return mouseWheelEnabled_; }
  void SetMouseWheelEnabled(bool value) { mouseWheelEnabled_ = value; }
  bool ValidateOnEnter() const { return validateOnEnter_; }
  void SetValidateOnEnter(bool value) { validateOnEnter_ = value; }
  // Rebuilt on every read (see the .cpp); a change through it lands in the stored alignment.
  TcxEditAlignment* Alignment();
  void SetAlignment(TcxEditAlignment* value) { StoreAlignment(value); }
  TcxEditAlignment* StoredAlignment() const { return storedAlignment_.get(); }
  TcxCustomEditPropertiesValues* AssignedValues() const { return assignedValues_.get(); }
  void SetAssignedValues(TcxCustomEditPropertiesValues* value) { assignedValues_->Assign(value); }

  TcxEditButtonClickEvent OnButtonClick;
  TNotifyEvent OnChange;
  TcxEditPopupClosedEvent OnPopupClosed;
  TNotifyEvent OnEditValueChanged;
  TcxEditValidateEvent OnValidate;
  // The one recipient of change notifications (the owning editor or repository item).
  TcxPropertiesChangedEvent OnPropertiesChanged;

  // --- update counting and notification
  void LockUpdates() { BeginUpdate(); }
  void UnlockUpdates(bool fire) { EndUpdate(fire); }
  void BeginUpdate();
  void EndUpdate(bool fire = true);
  bool IsChangeLocked() const { return changesLocked_ || updateCount_ > 0; }
  void SetChangeLocked(bool value) { changesLocked_ = value; }
  bool IsNotifying() const { return notificationDepth_ > 0; }
  bool ChangePending() const { return changePending_; }

  TPersistent* Owner() const { return owner_; }
  IcxEditDefaultValuesProvider* DefaultValuesProvider() const { return valueDefaults_; }
  void SetDefaultValuesProvider(IcxEditDefaultValuesProvider* provider);
  // Stores the provider without telling anyone (the editor does so for repository properties).
  void SetDefaultValuesProviderQuiet(IcxEditDefaultValuesProvider* provider) { valueDefaults_ = provider; }
  bool UsesDefaultDisplayFormat() const;
  TSize GetEditSize(TcxCanvas* canvas, TcxCustomEditStyle* style, bool inPlace, const TVariant& editValue,
                    TcxEditSizeProperties& request);
  bool CanModifyInPlace() const;
  void Assign(TPersistent* source) override;

  // Stored-form rules.
  bool IsAlignmentStored() const { return storedAlignment_->HasAnythingToStore(); }
  bool IsReadOnlyStored() const { return assignedValues_->ReadOnly(); }
  bool IsUseLeftAlignmentOnEditingStored() const {
    return useLeftAlignmentOnEditing_ != ClassOperations()->DefaultLeftAlignOnEditing();
  }
  bool IsMaxValueStored() const { return assignedValues_->MaxValue(); }
  bool IsMinValueStored() const { return assignedValues_->MinValue(); }

  // --- numbered operations (virtual, in the order of the family)
  virtual void AlignmentObjectChanged(TObject* sender);
  virtual void StoreAlignment(TcxEditAlignment* value);
  virtual void ButtonsChanged(TObject*) { NotifyChanged(); }
  virtual bool ValidatesDisplayValue() const { return false; }
  virtual void DropDefaultValuesProvider() { valueDefaults_ = nullptr; }
  virtual void FreeNotified(TComponent*) {}
  virtual TAlignment DefaultHorzAlignment();
  virtual uint8_t FormatOptions() const { return 0; }
  virtual double GetMaxValue() const;
  virtual double GetMinValue() const;
  virtual std::string InvalidInputMessage() const;
  virtual bool HasProviderDisplayFormat(bool ignore) const;
  virtual bool HooksInnerEditChange() const { return false; }
  virtual bool WantsTabs() const { return false; }
  virtual bool DisplayDependsOnFocus() const { return true; }
  virtual bool DetectsValueChange() const { return false; }
  virtual void NotifyChanged();
  virtual bool EditValuesEqual(const TVariant& value1, const TVariant& value2);
  virtual TcxCustomEditProperties* CreatePeer() const { return ClassOperations()->Create(nullptr); }
  virtual TcxCustomEditViewData* CreateViewData(TcxCustomEditStyle* style, bool inPlace, bool preview = false);
  virtual std::u16string FormatDisplayValue(const TVariant& editValue) { (void)editValue; return {}; }
  virtual uint32_t GetSpecialFeatures() const { return 0; }
  virtual uint16_t GetSupportedOperations() const;
  virtual bool IsActivationKey(char) const { return false; }
  virtual bool CanCompareValues(const TVariant&, bool) const { return true; }
  virtual bool SupportsValueReset() const { return false; }
  virtual void EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool editing);
  virtual void RestoreDefaults();
  virtual void AssignExtra(TcxCustomEditProperties*) {}
  virtual void CheckDisplayValue(TVariant& displayValue, std::string& errorText, TcxCustomEdit* editor, bool& error);
  virtual bool HasEditValueKind(int kind) const { (void)kind; return false; }

 protected:
  // Descendants pass their own class operations: a constructor cannot ask a descendant's.
  TcxCustomEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);
  template <class T> void SetNotifying(T& field, T value) {
    if (field == value) return;
    field = value;
    NotifyChanged();
  }
  bool IsOwnerDestroying() const;
  // Tells FreeNotified when a watched component is destroyed.
  TcxFreeNotificator* FreeNotificator() const { return freeNotificator_.get(); }

 private:
  friend class TcxCustomEditPropertiesValues;
  void FreeNotification(TComponent* component) { FreeNotified(component); }

  bool autoSelect_ = true;
  bool beepOnError_ = false;
  std::unique_ptr<TcxEditButtons> buttons_;
  TcxEditButtonsLayout buttonsLayout_ = eblNormal;
  bool changePending_ = false;
  TShortCut clearKey_ = 0;
  TShortCut clickKey_ = 0x400D;
  std::unique_ptr<TcxFreeNotificator> freeNotificator_;
  bool immediatePost_ = false;
  std::unique_ptr<TcxEditAlignment> storedAlignment_;
  int notificationDepth_ = 0;
  double maxValue_ = 0, minValue_ = 0;
  bool readOnly_ = false;
  bool transparent_ = false;
  int updateCount_ = 0;
  bool useLeftAlignmentOnEditing_ = true;
  bool mouseWheelEnabled_ = true;
  bool validateOnEnter_ = false;
  std::unique_ptr<TcxEditAlignment> faceAlignment_;
  std::unique_ptr<TcxCustomEditPropertiesValues> assignedValues_;
  bool changesLocked_ = false;
  IcxEditDefaultValuesProvider* valueDefaults_ = nullptr;
  TPersistent* owner_;
};

// The live properties objects (from the editor module's start-up to its shut-down).
const std::vector<TcxCustomEditProperties*>& LivePropertiesList();

// ---------------------------------------------------------------------------------------------
// View data and view info

// The layout parameters of an editor's content.
struct TcxEditContentLayout {
  TRect ExternalBorderBounds;  // not empty: an external border
  TRect Offsets;               // between the client rectangle and the content
  uint8_t Options = 0;         // cxEditContentClipped, cxEditContentOffsetPressed
  TSize SizeCorrection;
};

struct TcxInplaceSetup {
  bool MultiRowParent = false;
  TObject* Item = nullptr;
  int RecordIndex = -1;
};

using TcxEditDefaultButtonWidthQuery = TEvent<void(TObject* Sender, int ButtonIndex, int& Width)>;
using TcxEditDisplayTextQuery = TEvent<void(TObject* Sender, std::string& Text)>;

class TcxCustomEditViewDataClass : public TClassOperations {
 public:
  using TClassOperations::TClassOperations;
  virtual TcxCustomEditViewData* Create(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                        bool inPlace) const;
};

// A short-lived calculator: fills a view info with everything painting needs.
class TcxCustomEditViewData : public TPersistent {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomEditViewData, TcxCustomEditViewDataClass)
  TcxCustomEditViewData(TcxCustomEditProperties* properties, TcxCustomEditStyle* style, bool inPlace);

  TObject* Data = nullptr;  // free for the host
  const bool InPlace;
  int LeftSideLeftmostButton = -1, LeftSideRightmostButton = -1;
  int RightSideLeftmostButton = -1, RightSideRightmostButton = -1;
  TcxEditDefaultButtonWidthQuery OnDefaultButtonWidthQuery;
  TcxEditDisplayTextQuery OnDisplayTextQuery;
  TcxCustomEdit* Edit = nullptr;
  TcxCustomEditProperties* Properties;
  TcxCustomEditStyle* Style;
  bool AutoHeight = false;
  TRect Bounds;
  bool ButtonsOnly = false;
  int ButtonVisibleCount = 0;
  TcxContainerState ContainerState{csNormal};
  TRect ContentOffset;
  TcxEditContentLayout ContentParams;
  bool Enabled = true;
  bool Focused = false;
  TAlignment HorzAlignment = taLeftJustify;
  TcxScrollBar* HScrollBar = nullptr;
  TWinControl* InnerEdit = nullptr;
  TcxInplaceSetup InplaceParams;
  bool IsDesigning = false, IsSelected = false, IsValueSource = false;
  int MaxLineCount = 0;
  bool NativeStyle = false;
  uint8_t PaintOptions = 0;
  bool PreviewMode = false;
  bool Selected = false;
  int SelStart = 0, SelLength = 0;
  TColor SelTextColor = clDefault, SelBackgroundColor = clDefault;
  TcxEditVertAlignment VertAlignment = taTopJustify;
  TcxScrollBar* VScrollBar = nullptr;
  HWND WindowHandle = nullptr;
  // The editor's capture button (pressed under mouse capture), -1 without.
  int CaptureButtonVisibleIndex = -1;

  bool IsEditFocused() const;
  void FormatDisplayText(const TVariant& value, std::string& text);
  TSize GetEditSize(TcxCanvas* canvas, const TVariant& value, TcxEditSizeProperties& request,
                    TcxCustomEditViewInfo* viewInfo = nullptr);
  TcxLookAndFeel* StyleLookAndFeel() const;

  // --- numbered operations
  virtual void PrepareButtonThemeInfo(TcxEditButtonViewInfo* button);
  virtual bool ButtonPressable(TcxCustomEditViewInfo*, int) { return true; }
  virtual void ComputeContainerState(const TRect& bounds, const TPoint& point, TcxContainerMouseButton button,
                                     TShiftState shift, bool isMouseEvent, TcxCustomEditViewInfo* viewInfo);
  virtual TRect DefaultContentOffsets() const;
  virtual int ComputeNativeState(TcxCustomEditViewInfo* viewInfo);
  virtual void LoadFromProperties();
  virtual void PrepareContentParams(TcxEditContentLayout& params);
  virtual void ResetDefaults();
  virtual void ValueToDisplayText(const TVariant&, std::string& text) { text.clear(); }
  virtual void CalcConstantPartSize(TcxCanvas* canvas, bool editing, TcxCustomEditViewInfo* viewInfo,
                                    TSize& nonContentSize, TSize& minContentSize, const TcxEditSizeProperties& request);
  virtual TSize MeasureContent(TcxCanvas*, const TVariant&, const TcxEditSizeProperties&) { return TSize(0, 0); }
  virtual bool ButtonHeld(TcxCustomEditViewInfo*, int) { return false; }
  virtual void ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                             TcxContainerMouseButton button, TShiftState shift, TcxCustomEditViewInfo* viewInfo,
                             bool isMouseEvent);
  virtual void PlaceButton(TcxCanvas* canvas, TcxCustomEditViewInfo* viewInfo, TRect& area, int visibleIndex);
  virtual void ComputeButtonsLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                                    TcxContainerMouseButton button, TShiftState shift, TcxCustomEditViewInfo* viewInfo,
                                    bool isMouseEvent);
  virtual void PrepareButton(TcxCanvas* canvas, TcxCustomEditViewInfo* viewInfo, int visibleIndex, int buttonIndex);
  virtual void StretchButtonsOnly(TcxCustomEditViewInfo* viewInfo, int fullWidth, int freeWidth);
  virtual void PrepareDrawValue(TcxCanvas*, const TVariant&, TcxCustomEditViewInfo*) {}
  virtual TColor ComputeBorderColor(TcxCustomEditViewInfo* viewInfo);
  virtual TRect GetBorderExtentRect();
  virtual TcxContainerBorderStyle EffectiveBorderStyle();
  virtual TRect ComputeClientExtent(TcxCanvas* canvas);
  virtual TRect ComputeNonContentExtent(TcxCanvas* canvas, TcxCustomEditViewInfo* viewInfo);
  virtual void MeasureConstantPart(TcxCanvas* canvas, bool editing, TSize& nonContentSize,
                                   TcxCustomEditViewInfo* viewInfo, TSize& minContentSize,
                                   const TcxEditSizeProperties& request);
  virtual TSize MeasureContentArea(TcxCanvas* canvas, const TVariant& value, const TcxEditSizeProperties& request);
  virtual TSize ContentSizeAdjustment() const;
  virtual bool HasShadow();
  virtual bool IsButtonExcludedFromStretch(int) { return false; }
  virtual bool UsesNativeEditTheme(TcxLookAndFeel* lookAndFeel) const;

  // The default buttons style when the style's ButtonStyle is btsDefault.
  TcxEditButtonStyle DefaultButtonsStyle() const;
  TcxEditPopupBorderStyle ComputePopupBorderStyle() const;

 protected:
  void ComputeColors(TcxCustomEditViewInfo* viewInfo);
  void ComputeButtonStates(TcxCustomEditViewInfo* viewInfo, const TPoint& point, TShiftState shift,
                           bool isMouseEvent, int previousPressed);
  void MarkButtonEnds(TcxCustomEditViewInfo* viewInfo);
  TcxEditButtonDrawState ButtonStateAt(TcxCustomEditViewInfo* viewInfo, int index, const TPoint& point,
                                       TShiftState shift, bool isMouseEvent, int previousPressed);
};

// Painting hooks of a view info.
using TcxEditBackgroundPaintHook = TEvent<void(TcxCustomEditViewInfo* Sender, TcxCanvas* Canvas, bool& Handled)>;
using TcxEditButtonPaintHook =
    TEvent<void(TcxCustomEditViewInfo* Sender, TcxCanvas* Canvas, int VisibleIndex, bool& Handled)>;
using TcxEditButtonBackgroundPaintHook =
    TEvent<void(TcxCustomEditViewInfo* Sender, TcxCanvas* Canvas, const TRect& Rect, int VisibleIndex, bool& Handled)>;
using TcxEditButtonBorderPaintHook = TEvent<void(TcxCustomEditViewInfo* Sender, TcxCanvas* Canvas, int VisibleIndex,
                                                 TRect& ContentRect, TRect& BackgroundRect, bool& Handled)>;
using TcxEditButtonStateQueryHook =
    TEvent<void(TcxCustomEditViewInfo* Sender, int VisibleIndex, TcxEditButtonDrawState& State)>;
using TcxEditBeforePaintHook = TEvent<void(TcxCustomEditViewInfo* Sender, TcxCanvas* Canvas)>;

class TcxCustomEditViewInfoClass : public TClassOperations {
 public:
  using TClassOperations::TClassOperations;
  virtual TcxCustomEditViewInfo* Create() const;
  // The class of the button view infos (created with no argument).
  virtual TClass ButtonInfoClass() const;
};

class TcxCustomEditViewInfo : public TcxContainerViewInfo {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomEditViewInfo, TcxCustomEditViewInfoClass)
  TcxCustomEditViewInfo() = default;
  ~TcxCustomEditViewInfo() override;

  TcxEditBackgroundPaintHook OnBackgroundPaint;
  TcxEditButtonPaintHook OnButtonPaint;
  TcxEditButtonBackgroundPaintHook OnButtonBackgroundPaint;
  TcxEditButtonBorderPaintHook OnButtonBorderPaint;
  TcxEditButtonStateQueryHook OnButtonStateQuery;
  TcxEditBeforePaintHook OnBeforePaint;
  TcxCustomEdit* Edit = nullptr;
  uint8_t DrawingFlags = 0;
  TRect BorderExtent;
  TcxContainerBorderStyle EditBorderStyle = cbsNone;
  std::vector<std::unique_ptr<TcxEditButtonViewInfo>> ButtonsInfo;
  TcxCustomEditProperties* Properties = nullptr;
  bool Enabled = true, Focused = false;
  TFont* Font = nullptr;
  bool HasBackground = false, HasContentOffsets = false, HasInnerEdit = false;
  TRect InnerEditRect;
  bool IsButtonReallyPressed = false, IsContainerInnerControl = false, IsDataPaintCopy = false, IsDesigning = false,
       IsInPlace = false, IsSelectedRow = false;
  int Left = 0;
  uint8_t PaintOptions = 0;
  TcxEditPopupBorderStyle PopupBorderStyle = epbsDefault;
  int PressedButton = -1, SelectedButton = -1;
  TRect ShadowRect;
  TColor TextColor = clWindowText;
  int Top = 0;
  bool Transparent = false;
  HWND WindowHandle = nullptr;

  int ButtonCount() const { return static_cast<int>(ButtonsInfo.size()); }
  TcxEditButtonViewInfo* Button(int visibleIndex) const { return ButtonsInfo.at(visibleIndex).get(); }
  // Frees surplus button view infos from the end and creates missing ones, keeping the others.
  void ResizeButtonList(int count);
  // The visible index of the default button, -1 without.
  int DefaultButtonIndex() const;
  void DrawCustomBackgroundAt(TcxCanvas* canvas, const TRect& rect);
  // -2 outside the border, -1 inside without a hot button, else the hot button's collection index.
  int HintTargetAt(const TPoint& point) const;
  bool InvalidateChanges(TWinControl* control, const TRect& innerEditRect, TcxCustomEditViewInfo* old);

  // --- numbered operations
  virtual bool RepaintsOnStateChange() const { return true; }
  virtual void PaintButton(TcxCanvas* canvas, int visibleIndex);
  virtual void SetBackgroundHook(const TcxEditBackgroundPaintHook& hook) { OnBackgroundPaint = hook; }
  virtual void DrawButtonBorder3D(TcxCanvas* canvas, TcxEditButtonViewInfo* b, TRect& content, TRect& background,
                                  TColor& brush, TColor& text);
  virtual void DrawButtonBorderFlat(TcxCanvas* canvas, TcxEditButtonViewInfo* b, TRect& content, TRect& background,
                                    TColor& brush, TColor& text);
  virtual void DrawButtonBorderHotFlat(TcxCanvas* canvas, TcxEditButtonViewInfo* b, TRect& content,
                                       TRect& background, TColor& brush, TColor& text);
  virtual void DrawButtonBorderNative(TcxCanvas* canvas, TcxEditButtonViewInfo* b, int visibleIndex, TRect& content,
                                      TRect& background);
  virtual void DrawButtonBorderSimple(TcxCanvas* canvas, TcxEditButtonViewInfo* b, TRect& content,
                                      TRect& background, TColor& brush, TColor& text);
  virtual void DrawButtonBorderUltraFlat(TcxCanvas* canvas, TcxEditButtonViewInfo* b, TRect& content,
                                         TRect& background, TColor& brush, TColor& text, bool office11);
  virtual void DrawNativeButtonBackground(TcxCanvas* canvas, TcxEditButtonViewInfo* b, const TRect& rect);
  virtual void FillButtonBackground(TcxCanvas* canvas, TcxEditButtonViewInfo* b, const TRect& rect, TColor brush);
  virtual void PaintOneButton(TcxCanvas* canvas, int visibleIndex);
  virtual void DrawNativeBackground(TcxCanvas* canvas, bool fill, HBRUSH brush, int nativeMode);
  virtual void DrawButtonBorderByStyle(TcxCanvas* canvas, int visibleIndex, TRect& content, TRect& background,
                                       TColor& brush, TColor& text);
  virtual void DrawButtonContent(TcxCanvas* canvas, int visibleIndex, bool pressedOffset, TColor brush,
                                 TColor text, const TRect& content);
  virtual bool HasHotButton() const;
  virtual bool IsPointOverButton(const TPoint& point) const;
  virtual bool HintNeededAt(const TPoint& point) const { return HintTargetAt(point) != -2; }
  virtual bool QueryButtonHint(const TPoint& point, std::string& hint) const;
  virtual void ApplyCanvasFont(TcxCanvas*) {}
  virtual void RepaintChanges(TWinControl* control, TcxCustomEditViewInfo* old);

  // The container view info's operations.
  TcxContainerBorderStyle BorderStyleOf() const override { return EditBorderStyle; }
  void PaintBody(TcxCanvas* canvas) override;
  void TakeFrom(TcxContainerViewInfo* source) override;
  TcxRegion* ChangedRegion(TcxContainerViewInfo* other) override;
  void Shift(int dx, int dy) override;
  void PaintAll(TcxCanvas* canvas) override;
  // The edit painting routine's button part, used by the background routine.
  void PaintButtons(TcxCanvas* canvas);

 private:
  bool paintingButtons_ = false;
};

// ---------------------------------------------------------------------------------------------
// Data binding and in-place edit data

class TcxEditDataBindingClass : public TClassOperations {
 public:
  using TClassOperations::TClassOperations;
  virtual TcxEditDataBinding* Create(TcxCustomEdit* editor) const;
  virtual TClass DefaultValuesProviderClass() const;  // creatable with no owner
};

// The editor's tie to the source of its value; the base binding has no source of its own.
class TcxEditDataBinding : public TPersistent {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxEditDataBinding, TcxEditDataBindingClass)
  explicit TcxEditDataBinding(TcxCustomEdit* editor)
      : TcxEditDataBinding(editor, StaticClassOperations()) {}
  ~TcxEditDataBinding() override;
  TcxCustomEdit* Editor() const { return editor_; }
  IcxEditDefaultValuesProvider* DefaultValuesProvider() const;
  TcxCustomEditDefaultValuesProvider* Provider() const { return provider_.get(); }
  bool HasData() const;
  TPersistent* GetOwner() override;

  virtual void DefaultValuesChanged();
  virtual void ReadDisplayValue(TVariant& value);
  virtual bool IsModified();
  virtual bool HasUnpostedChange();
  virtual void ReadStoredValue(TVariant& value);
  virtual void RevertValue();
  virtual void PutDisplayValue(const TVariant& value);
  virtual bool EnterEditMode();
  virtual void WriteStoredValue(const TVariant&) {}
  virtual bool MayCheckValueRange();
  virtual bool NeedsPost() { return HasUnpostedChange(); }
  virtual bool ExecuteAction(TBasicAction*) { return false; }
  virtual void DisplayValueChanged();
  virtual bool UpdateAction(TBasicAction*) { return false; }
  virtual void UpdateDisplayValue();
  virtual void RefreshBinding() {}

 protected:
  TcxEditDataBinding(TcxCustomEdit* editor, const TcxEditDataBindingClass* cls);

 private:
  TcxCustomEdit* editor_;
  std::unique_ptr<TcxCustomEditDefaultValuesProvider> provider_;
};

// A host's state of one in-place editor between activations; survives the editor.
class TcxCustomEditData : public TObject {
  CALDERAN_CLASS(TcxCustomEditData)
  explicit TcxCustomEditData(TcxCustomEdit* editor);
  ~TcxCustomEditData() override;
  TcxCustomEdit* Editor() const { return editor_; }
  bool Cleared() const { return cleared_; }
  void SetCleared(bool value) { cleared_ = value; }
  void MarkCleared();

 private:
  void EditorFreed(TComponent* component);
  bool cleared_ = false;
  TcxCustomEdit* editor_;
  std::unique_ptr<TcxFreeNotificator> notificator_;
};

// ---------------------------------------------------------------------------------------------
// Repository

class IcxRepositoryItemObserver {
 public:
  virtual void ItemRemoved(TcxEditRepositoryItem* item) = 0;
  virtual void ItemPropertiesChanged(TcxEditRepositoryItem* item) = 0;

 protected:
  ~IcxRepositoryItemObserver() = default;
};

class TcxEditRepositoryItemClass : public TClassOperations {
 public:
  using TClassOperations::TClassOperations;
  virtual TcxEditRepositoryItem* Create(TComponent* owner) const;
  virtual const TcxCustomEditPropertiesClass* ItemPropertiesClass() const;
};

class TcxEditRepositoryItem : public TComponent {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxEditRepositoryItem, TcxEditRepositoryItemClass)
  explicit TcxEditRepositoryItem(TComponent* owner) : TcxEditRepositoryItem(owner, StaticClassOperations()) {}
  ~TcxEditRepositoryItem() override;

  TcxCustomEditProperties* Properties() const { return properties_.get(); }
  void SetProperties(TcxCustomEditProperties* value) { properties_->Assign(value); }
  TcxEditRepository* Repository() const { return repository_; }
  void SetRepository(TcxEditRepository* value);
  TComponent* GetParentComponent() const;
  bool HasParent() const { return true; }
  void SetParentComponent(TComponent* parent) override;
  int ObserverCount() const { return static_cast<int>(observers_.size()); }

  virtual void PropertiesUpdated(TObject* sender);
  virtual void AttachObserver(IcxRepositoryItemObserver* observer);
  virtual std::string ItemBaseName() const;
  virtual void DetachObserver(IcxRepositoryItemObserver* observer);

 protected:
  TcxEditRepositoryItem(TComponent* owner, const TcxEditRepositoryItemClass* cls);

 private:
  std::vector<IcxRepositoryItemObserver*> observers_;
  std::unique_ptr<TcxCustomEditProperties> properties_;
  TcxEditRepository* repository_ = nullptr;
};

class TcxEditRepository : public TComponent {
  CALDERAN_CLASS(TcxEditRepository)
  explicit TcxEditRepository(TComponent* owner) : TComponent(owner) {}
  ~TcxEditRepository() override;
  TcxEditRepositoryItem* CreateRepositoryItem(const TcxEditRepositoryItemClass* itemClass);
  TcxEditRepositoryItem* CreateItemEx(const TcxEditRepositoryItemClass* itemClass, TComponent* owner);
  int Count() const { return static_cast<int>(items_.size()); }
  TcxEditRepositoryItem* Items(int index) const { return items_.at(index); }

 private:
  friend class TcxEditRepositoryItem;
  void AddItem(TcxEditRepositoryItem* item);
  void RemoveItem(TcxEditRepositoryItem* item);
  std::vector<TcxEditRepositoryItem*> items_;
};

// ---------------------------------------------------------------------------------------------
// Registries and filter helpers

// The editor kinds: properties classes with "Caption|Description" texts, sorted by caption.
TcxRegisteredClasses* GetEditPropertiesRegistry();

// Filter operator numbers 0 to 39 as a set.
class TcxFilterOperatorSet {
 public:
  bool Contains(int op) const { return op >= 0 && op < 40 && (bits_ >> op & 1) != 0; }
  void Include(int op) { bits_ |= uint64_t(1) << op; }
  void Exclude(int op) { bits_ &= ~(uint64_t(1) << op); }
  uint64_t Bits() const { return bits_; }

 private:
  uint64_t bits_ = 0;
};

// A helper used only through its class-level operations: it is its own class-operations object.
class TcxCustomFilterEditHelper : public TClassOperations {
  CALDERAN_CLASS(TcxCustomFilterEditHelper)
  static const TcxCustomFilterEditHelper* Instance();
  virtual void ClearPropertiesEvents(TcxCustomEditProperties* properties) const;
  virtual void InitializeEditProperties(TcxCustomEdit* editor, TcxCustomEditProperties* source) const;
  virtual bool KeepsValueDefaults(TcxCustomEditProperties*) const { return true; }
  virtual bool FilterEditHasButtons() const { return false; }
  virtual const TcxCustomEditClass* FilterEditorClass() const { return nullptr; }
  virtual void ReadFilterValue(TcxCustomEdit* editor, TcxCustomEditProperties* properties, std::string& displayText,
                               TVariant& value) const;
  // The text-matching operators 7 and 8 stay only for a value type of text.
  virtual TcxFilterOperatorSet FilterOperatorSet(TcxCustomEditProperties* properties, TcxValueTypeClass valueType,
                                                 bool extended) const;
  virtual void PrepareFilterProperties(TcxCustomEditProperties* properties, TcxCustomEditProperties* source,
                                       bool hasButtons) const;
  virtual bool AcceptsFilterValue(TcxValueTypeClass valueType, TVariant& value) const;
  virtual void WriteFilterValue(TcxCustomEdit*, TcxCustomEditProperties*, const TVariant&) const {}
  virtual bool FiltersByDisplayText() const { return false; }

 protected:
  constexpr TcxCustomFilterEditHelper() = default;
};

// Properties class to helper class; pairs are kept under the parent of the given class.
class TcxFilterEditsController : public TcxRegisteredClassList {
  CALDERAN_CLASS(TcxFilterEditsController)
  TcxFilterEditsController() = default;
  void Register(TClass propertiesClass, TClass helperClass) override;
  void Unregister(TClass propertiesClass, TClass helperClass) override;
  // The helper of the most specific registered ancestor, nil without.
  const TcxCustomFilterEditHelper* FindHelper(TClass propertiesClass) const;
};

TcxFilterEditsController* GetFilterEditsController();

// ---------------------------------------------------------------------------------------------
// The editor control

using TcxEditEditingEvent = TEvent<void(TObject* Sender, bool& CanEdit)>;
using TcxEditKeyEvent = TEvent<void(TObject* Sender, Word& Key, TShiftState Shift)>;

// Batches an editor's change events while locked.
class TcxEditChangeEventsCatcher : public TObject {
  CALDERAN_CLASS(TcxEditChangeEventsCatcher)
  explicit TcxEditChangeEventsCatcher(TcxCustomEdit* editor) : editor_(editor) {}
  bool IsLocked() const { return lockCount_ > 0; }
  void Lock(bool lock, bool fire);
  bool ChangePending = false;
  bool EditValueChangedPending = false;

 private:
  TcxCustomEdit* editor_;
  int lockCount_ = 0;
};

class TcxCustomEditClass : public TClassOperations {
 public:
  using TClassOperations::TClassOperations;
  // ConstructInplace: an editor of this class, in place or stand-alone.
  virtual TcxCustomEdit* Create(TComponent* owner, bool inPlace = false) const;
  virtual const TcxCustomEditPropertiesClass* OwnPropertiesClass() const;
  virtual const TcxEditDataBindingClass* BindingClass() const;
  virtual TClass EditDataClass() const { return nullptr; }  // creatable with the editor as owner
  virtual TClass InnerEditClass() const { return nullptr; }  // creatable with the editor as owner
};

// What an inner edit control offers its editor (the text editor's inner edit implements it).
class IcxCustomInnerEdit {
 public:
  virtual TWinControl* Control() = 0;
  virtual bool CanFocus() = 0;
  virtual void SafelySetFocus() = 0;
  virtual void SetReadOnly(bool value) = 0;
  virtual void SetOnChange(const TNotifyEvent& handler) = 0;

 protected:
  ~IcxCustomInnerEdit() = default;
};

// A created inner-edit instance may hand out its inner edit through this provider.
class IcxInnerEditProvider {
 public:
  virtual IcxCustomInnerEdit* InnerEdit() = 0;

 protected:
  ~IcxInnerEditProvider() = default;
};

class TcxCustomEdit : public TcxContainer, public IcxRepositoryItemObserver {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomEdit, TcxCustomEditClass)
  explicit TcxCustomEdit(TComponent* owner, bool inPlace = false)
      : TcxCustomEdit(owner, StaticClassOperations(), inPlace) {}
  ~TcxCustomEdit() override;
  void Dispatch(TMessage& message) override;

  // --- values
  TVariant EditValue() { TVariant v; StoredEditValue(v); return v; }
  void SetEditValue(const TVariant& value) { AssignEditValue(value); }
  TcxCustomEditProperties* OwnProperties() const { return properties_.get(); }
  // The repository item's properties when one is used, else the own ones.
  TcxCustomEditProperties* EffectiveProperties();
  TcxCustomEditProperties* Properties() const { return properties_.get(); }
  TcxEditRepositoryItem* RepositoryItem() const { return repositoryItem_; }
  void SetRepositoryItem(TcxEditRepositoryItem* value);
  TcxEditDataBinding* DataBinding() const { return dataBinding_.get(); }
  TcxCustomEditData* EditData() const { return editData_; }
  bool AutoSize() const { return autoSize_; }
  bool InPlace() const { return inPlace_; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool ModifiedAfterEnter() const { return modifiedAfterEnter_; }
  bool IsEditValidated() const { return validated_; }
  bool IsEditValidating() const { return validating_; }
  bool IsPosting() const { return posting_; }
  bool KeyboardAction() const { return keyboardAction_; }
  bool IsEditingRequested() const { return editingRequest_; }
  bool ActivatedInPlace() const { return activatedInPlace_; }
  int CaptureButtonVisibleIndex() const { return captureButton_; }
  IcxCustomInnerEdit* InnerEdit() const { return innerEdit_; }
  TcxCustomEditViewInfo* GetViewInfo() const { return static_cast<TcxCustomEditViewInfo*>(ViewInfo()); }
  TcxEditContentLayout& ContentParams() { return contentParams_; }
  TcxInplaceSetup& InplaceParams() { return inplaceParams_; }
  TcxTimer* DblClickTimer() const { return dblClickTimer_.get(); }

  // The four state styles, as edit styles.
  TcxEditStyle* Style() const { return static_cast<TcxEditStyle*>(TcxContainer::Style()); }
  TcxEditStyle* StyleDisabled() const { return static_cast<TcxEditStyle*>(StyleState(cssDisabled)); }
  TcxEditStyle* StyleFocused() const { return static_cast<TcxEditStyle*>(StyleState(cssFocused)); }
  TcxEditStyle* StyleHot() const { return static_cast<TcxEditStyle*>(StyleState(cssHot)); }
  TcxCustomEditStyle* ActiveEditStyle() { return static_cast<TcxCustomEditStyle*>(GetActiveStyle()); }

  // --- validation, posting, change events
  bool ValidateInput(bool raise = true);
  void FinishEditing(bool validate);
  bool RequestEditing();
  void RevertValue() { dataBinding_->RevertValue(); }
  void LockChangeEvents(bool lock, bool fire = true);
  void LockClick(bool lock);
  void LockEditValueChanging(bool lock);
  bool NeedsPost();
  void SetModified();
  void ClearModified() { modifiedAfterEnter_ = false; }
  void DoModifiedClick();
  void DoClosePopup(int reason);
  bool IsClearOrClickKey(Word key, TShiftState shift);
  void ClickButton(int visibleIndex) { ButtonClicked(visibleIndex); }
  // In-place activation (see the .cpp).
  void ActivateInplace(TcxCustomEditData*& editData);
  void ActivateByKey(char key, TcxCustomEditData*& editData);
  void ActivateByMouse(TShiftState shift, int x, int y, TcxCustomEditData*& editData);
  bool TryLeaveInplace();
  void AdjustSize();

  TcxEditEditingEvent OnEditing;
  TNotifyEvent OnPostEditValue;
  TcxEditKeyEvent OnAfterKeyDown;
  TNotifyEvent PropertiesEvents;

  // IcxRepositoryItemObserver
  void ItemRemoved(TcxEditRepositoryItem* item) override;
  void ItemPropertiesChanged(TcxEditRepositoryItem* item) override;

  // --- numbered operations (virtual, in the order of the family)
  virtual bool KeepsRightEdgeOnAutoSize() { return false; }
  virtual void AdjustInnerEditBounds();
  virtual void EndPost() { posting_ = false; }
  virtual void BeginPost() { posting_ = true; }
  virtual bool IsHeightAutoSized() { return !inPlace_ && autoSize_; }
  virtual bool IsWidthAutoSized();
  virtual bool IsValueChangingKey(Word, TShiftState) { return false; }
  virtual bool CharModifiesValue(char) { return false; }
  virtual bool CanBeginEditing();
  virtual void InnerEditChanged(TObject* sender);
  virtual TcxCustomEditViewData* CreateViewData();
  virtual void ClickDefaultButton();
  virtual void ButtonClicked(int visibleIndex);
  virtual void ButtonPressStarted(int) {}
  virtual void ButtonPressEnded(int) {}
  virtual void HandleEditKeyDown(Word& key, TShiftState shift);
  virtual void HandleEditKeyPress(char& key) { ProcessKeyPress(key); }
  virtual void HandleEditKeyUp(Word&, TShiftState) {}
  virtual void ProcessTabKey(TShiftState) {}
  virtual void FocusStateChanged();
  virtual void FireChangeEvents();
  virtual void FireEditValueChangedEvents();
  virtual void HandleEnterEdit();
  virtual void EditModeChanged() {}
  virtual void FillAutoSizeParams(TcxEditSizeProperties& request);
  virtual void ClearedValue(TVariant& value) { value = TVariant::Null(); }
  virtual void DisplayValueText(std::string& text) { text.clear(); }
  virtual void CurrentEditValue(TVariant& value);
  virtual void StoredEditValue(TVariant& value) { value = editValue_; }
  virtual void HandleValidationError(const std::string& errorText, bool raise);
  virtual void InitFromClearedEditData() {}
  virtual void FillDrawParams(TcxCustomEditViewData* viewData);
  virtual bool CanPostValue() { return true; }
  virtual void ReadInnerValue(TVariant& value) { value = editValue_; }
  virtual void ApplyDisplayValue(const TVariant&) {}
  virtual void InternalSetEditValue(const TVariant& value, bool validate);
  virtual void SetDisplayValueKeepingState(const TVariant& value);
  virtual bool IsActiveControl();
  virtual bool PaintsButtonsItself(HDC) { return false; }
  virtual bool ClicksWhileLoading() { return false; }
  virtual bool IsPaintingDataCopy();
  virtual bool IsDefaultButtonShortCut(Word key, TShiftState shift);
  virtual bool HasStorableEditValue() { return !editValue_.IsNull(); }
  virtual bool UsesParentBackgroundNatively() const { return false; }
  virtual bool IsTransparentEnabled() const { return !inPlace_ && transparent_; }
  virtual bool IsCharAllowed(char ch);
  virtual bool WantsAfterKeyDown(Word, TShiftState) { return false; }
  virtual void PaintDataSnapshot(TcxCanvas* canvas);
  virtual void EditValueToDisplayValue(const TVariant& value, TVariant& display, bool editing);
  virtual void UpdateButtonPressState(TcxCustomEditViewInfo* old, TcxContainerMouseButton button);
  virtual void ApplyPropertiesChange(TObject* properties);
  virtual bool IsReadOnlyNow();
  virtual void AfterRepositoryItemChange() {}
  virtual void BeforeRepositoryItemChange() {}
  virtual void RestorePreviousValue();
  virtual bool PassesActivationChar(char) { return true; }
  virtual bool IsDisplayTextValid(const std::string&) { return false; }
  virtual void SetAutoSize(bool value);
  virtual void AssignEditValue(const TVariant& value);
  virtual void AssignEditValueChecked(const TVariant& value);
  virtual void ShowDisplayValue(const TVariant&) {}
  virtual void UpdateDisplayFromValue() {}
  virtual void UpdateInnerEditText() {}
  virtual bool WantsTabKey() { return inPlace_; }
  virtual bool ReloadValueOnEnter() { return true; }
  virtual void RefreshDisplayText() {}
  virtual bool CanProcessKey(Word key, TShiftState shift);
  virtual void ProcessKeyPress(char& key);
  virtual bool SupportsInnerKeyNavigation() { return false; }
  virtual LRESULT InnerEditSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  virtual void HookInnerEditWindow();
  virtual void UnhookInnerEditWindow();
  virtual void ResetToClearValue();
  virtual void CopySelectedText() {}
  virtual void CutSelection() {}
  virtual bool OwnsWindow(HWND window);
  virtual bool UsesInnerEditBounds() { return false; }
  virtual bool IsRepositoryItemAcceptable(TcxEditRepositoryItem* item);
  virtual void PasteSelection() {}
  virtual void DisplayToEditValue(const TVariant&, TVariant& value, bool) { value = TVariant(); }
  virtual void SelectAllText() {}

  // The container's queries, answered by the editor.
  bool HandlesTabKey() override { return false; }
  TRect CalcBorderWidths() override;
  bool HasTransparentBackground() const override { return UsesParentBackgroundNatively() || IsTransparentEnabled(); }
  bool IsNativeStyle() override;
  bool IsInPlaceContainer() const override { return inPlace_; }
  void FocusInnerControl() override;
  bool RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                        bool isMouseEvent) override;
  TcxContainerStyleValues HiddenStyleValues() const override { return EditStyleValues(); }
  bool HasShadow() override;
  void Loaded() override;
  void SetParent(TWinControl* parent) override;
  void GetTabOrderList(std::vector<TWinControl*>& list) override;

 protected:
  // Descendants pass their own class operations, which name the properties, binding and inner
  // edit classes while the base part is being built.
  TcxCustomEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  void Click() override;
  void DblClick() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void FocusChanged() override;
  void Paint() override;
  void CreateWnd() override;
  void Resize() override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void Notification(TComponent* component, TOperation operation) override;
  bool IsDestroyingEdit() const { return IsContainerDestroying() || editDestroying_; }
  bool IsLoadingEdit() const { return ComponentState().Contains(csLoading); }
  void SetModifiedFlags(bool modified) { modifiedAfterEnter_ = modified; activationChanged_ = modified || activationChanged_; }
  void PushModification();
  void PopModification();
  void SetKeyboardAction(bool value) { keyboardAction_ = value; }
  void SetValidated(bool value) { validated_ = value; }

 private:
  friend class TcxEditChangeEventsCatcher;
  friend class TcxCustomEditData;
  void InitializeEdit(const TcxCustomEditClass* cls);
  void CreateInnerEdit(const TcxCustomEditClass* cls);
  void AttachInnerEdit();
  void FireChange();
  void DoEditValueChanged();
  bool HasChangeHandler();
  bool HasEditValueChangedHandler();
  void ApplyAutoSize(int& width, int& height);
  void HandleTabKey(Word& key, TShiftState shift);
  void HandleEnterKey(Word& key);
  void HandleEscKey(Word& key);
  void HandleClearKey(Word& key);
  void DoHideEdit(bool exit);
  void DblClickTimerTick(TObject*);
  void WMClipboard(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMHintShow(TMessage& m);
  static LRESULT CALLBACK InnerEditWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  bool autoSize_ = true;
  int captureButton_ = -1;
  std::unique_ptr<TcxEditChangeEventsCatcher> changeEventsCatcher_;
  int clickLockCount_ = 0;
  std::unique_ptr<TcxTimer> dblClickTimer_;
  TcxCustomEditData* editData_ = nullptr;
  bool editingRequest_ = false;
  int editValueChangingLock_ = 0;
  bool isFocused_ = false;
  IcxCustomInnerEdit* innerEdit_ = nullptr;
  WNDPROC innerEditDefProc_ = nullptr;
  bool validated_ = false, validating_ = false, valueResetting_ = false, justCreated_ = false, inPlace_ = false,
       posting_ = false, keyboardAction_ = false, editDestroying_ = false, parentedOnce_ = false;
  bool activationChanged_ = false, modifiedAfterEnter_ = false;
  TVariant previousEditValue_;
  std::vector<std::pair<bool, bool>> modificationStack_;
  TcxEditRepositoryItem* repositoryItem_ = nullptr;
  bool transparent_ = false;
  bool validateErrorProcessing_ = false;
  std::unique_ptr<TcxEditDataBinding> dataBinding_;
  TVariant editValue_ = TVariant::Null();
  std::unique_ptr<TcxCustomEditProperties> properties_;
  bool settingWindowRegion_ = false;
  TcxEditContentLayout contentParams_;
  TcxInplaceSetup inplaceParams_;
  bool activatedInPlace_ = false;
  friend class TcxEditDataBinding;
  friend TcxCustomEditData* CurrentEditDataOf(TcxCustomEdit* editor);
};

// ---------------------------------------------------------------------------------------------
// In-place editor lists (hosts that share in-place editors by properties object)

class TcxInplaceEditList : public TObject {
  CALDERAN_CLASS(TcxInplaceEditList)
  struct TEntry {
    TcxCustomEdit* Edit;
    TcxCustomEditProperties* Properties;
  };
  int Add(TcxCustomEdit* edit, TcxCustomEditProperties* properties);
  int FindEntry(TcxCustomEditProperties* properties, bool mayUseFree);
  void RemoveProperties(TcxCustomEditProperties* properties);
  int Count() const { return static_cast<int>(entries_.size()); }
  const TEntry& Entry(int index) const { return entries_.at(index); }

 private:
  std::vector<TEntry> entries_;
};

// The process-wide list of editor lists: none until a host makes one.
std::vector<TcxInplaceEditList*>* InplaceEditLists();
void SetInplaceEditLists(std::vector<TcxInplaceEditList*>* lists);

// ---------------------------------------------------------------------------------------------
// Framework routines

TShiftState MouseButtonToShift(TMouseButton button);
TShiftState ToolkitMouseButtonToShift(TcxContainerMouseButton button);
bool VarEqualsForEdit(const TVariant& a, const TVariant& b);
bool VariantsEqualExact(const TVariant& a, const TVariant& b);
bool IsBlankChar(char ch);
void DeliverKeyDown(TWinControl* control, Word key, TShiftState shift);
void DeliverKeyPress(TWinControl* control, char ch);
bool IsRegionEmpty(TcxRegion* region);
void MergeRegions(TcxRegion* destination, TcxRegion* source);
void DrawShadedFrame(TcxCanvas* canvas, TRect& rect, TColor topLeft, TColor bottomRight);
void FrameRectSides(TcxCanvas* canvas, TRect& rect, TColor color);
TComponent* OwningComponent(TPersistent* persistent);
TcxLookAndFeelKind ButtonsLookAndFeelKind(TcxCustomEdit* editor);

// The screen cursor the editors show while the wheel pans.
inline constexpr TCursor crcxEditMouseWheel = 4101;

// Registers, once at the editor module's start, what stored forms may set on every editor.
void RegisterEditPublishedProperties();

extern const TUnitInfo cxEditUnit;
