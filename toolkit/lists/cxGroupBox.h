// The group box: an editor that paints a frame with a caption on one of twelve places around it
// (or, as a panel, an indented caption inside) and holds other controls; and the button group, a
// group box with one button control per item, laid out in columns.
// Leaves out: the caption in the non-client area under a skin; the drag and dock events.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "cxContainer.h"
#include "cxEdit.h"
#include "cxLookAndFeelPainters.h"

enum TcxCaptionAlignment : uint8_t {
  alTopLeft, alTopCenter, alTopRight, alBottomLeft, alBottomCenter, alBottomRight,
  alLeftTop, alLeftCenter, alLeftBottom, alRightTop, alRightCenter, alRightBottom, alCenterCenter
};
enum TcxPanelOffice11BackgroundKind : uint8_t { pobkGradient, pobkOffice11Color, pobkStyleColor };

// The side of the frame a caption stands on: top 0, bottom 1, left 2, right 3, none 4.
inline constexpr int cxCaptionSideNone = 4;
int CaptionSideOf(TcxCaptionAlignment alignment);
// Left and right captions are written upwards and downwards, except on a panel.
bool IsVerticalCaption(TcxCaptionAlignment alignment, bool panelActive);
// Where a caption of the given size (measured along its text) stands on a control of the given
// size, s being the width of the drop shadow (0 without).
TRect GroupBoxCaptionRect(TcxCaptionAlignment alignment, TSize text, TSize control, int shadow);
// The panel's caption area: the frame less the border and the indent on the sides the alignment
// leans to; and the text of a measured size placed in it by the alignment.
TRect PanelCaptionArea(const TRect& frame, int borderWidth, int indent, TcxCaptionAlignment alignment);
TRect PlacePanelCaption(const TRect& area, TSize text, TcxCaptionAlignment alignment);
// The DrawText flags of a panel caption.
UINT PanelCaptionTextFlags(TcxCaptionAlignment alignment, bool wordWrap);

class TcxCustomGroupBox;

// The panel settings of a group box.
class TcxPanelStyle : public TPersistent {
  CALDERAN_CLASS(TcxPanelStyle)
  explicit TcxPanelStyle(TcxCustomGroupBox* box) : box_(box) {}
  void Assign(TPersistent* source) override;

  bool Active() const { return active_; }
  void SetActive(bool value);
  int CaptionIndent() const { return captionIndent_; }
  void SetCaptionIndent(int value);
  TcxPanelOffice11BackgroundKind OfficeBackgroundKind() const { return officeBackgroundKind_; }
  void SetOfficeBackgroundKind(TcxPanelOffice11BackgroundKind value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  TcxCustomGroupBox* Box() const { return box_; }

 private:
  void Relayout(bool always);
  TcxCustomGroupBox* box_;
  bool active_ = false;
  int captionIndent_ = 2;
  TcxPanelOffice11BackgroundKind officeBackgroundKind_ = pobkOffice11Color;
  bool wordWrap_ = false;
};

// ---------------------------------------------------------------------------------------------
// The group box as an editor kind

class TcxCustomGroupBoxPropertiesClass : public TcxCustomEditPropertiesClass {
 public:
  using TcxCustomEditPropertiesClass::TcxCustomEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  const TcxCustomEditClass* EditClass() const override;
  const TcxCustomEditViewDataClass* ViewDataClass(TcxCustomEditStyle* style, bool inPlace) const override;
  const TcxCustomEditViewInfoClass* ViewInfoClass() const override;
};

class TcxCustomGroupBoxProperties : public TcxCustomEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomGroupBoxProperties, TcxCustomGroupBoxPropertiesClass)
  explicit TcxCustomGroupBoxProperties(TPersistent* owner)
      : TcxCustomGroupBoxProperties(owner, StaticClassOperations()) {}

 protected:
  TcxCustomGroupBoxProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
      : TcxCustomEditProperties(owner, cls) {}
};

class TcxGroupBoxViewDataClass : public TcxCustomEditViewDataClass {
 public:
  using TcxCustomEditViewDataClass::TcxCustomEditViewDataClass;
  TcxCustomEditViewData* Create(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                bool inPlace) const override;
};

class TcxGroupBoxViewInfo;

class TcxGroupBoxViewData : public TcxCustomEditViewData {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxGroupBoxViewData, TcxGroupBoxViewDataClass)
  using TcxCustomEditViewData::TcxCustomEditViewData;
  TcxCustomGroupBox* Box() const;

  void ComputeContainerState(const TRect& bounds, const TPoint& point, TcxContainerMouseButton button,
                             TShiftState shift, bool isMouseEvent, TcxCustomEditViewInfo* viewInfo) override;
  void ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point, TcxContainerMouseButton button,
                     TShiftState shift, TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) override;
  TRect GetBorderExtentRect() override;
  TRect ComputeNonContentExtent(TcxCanvas* canvas, TcxCustomEditViewInfo* viewInfo) override;
  TColor ComputeBorderColor(TcxCustomEditViewInfo* viewInfo) override;
  bool HasShadow() override;
  bool UsesNativeEditTheme(TcxLookAndFeel* lookAndFeel) const override;

 protected:
  // Whether the frame and caption take their extents (not in place, not a panel, a caption side).
  bool HasCaptionFrame() const;
  int CaptionTextHeight() const;  // "Qq" in the caption font
  // The skin's strip that holds the caption, across the caption side.
  int SkinCaptionSize() const;
  void LayOutCaption(TcxGroupBoxViewInfo* viewInfo);
  void LayOutPanelCaption(TcxCanvas* canvas, TcxGroupBoxViewInfo* viewInfo);
  void LayOutSkinCaption(TcxGroupBoxViewInfo* viewInfo);
};

class TcxGroupBoxViewInfoClass : public TcxCustomEditViewInfoClass {
 public:
  using TcxCustomEditViewInfoClass::TcxCustomEditViewInfoClass;
  TcxCustomEditViewInfo* Create() const override;
};

class TcxGroupBoxViewInfo : public TcxCustomEditViewInfo {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxGroupBoxViewInfo, TcxGroupBoxViewInfoClass)
  TcxGroupBoxViewInfo() = default;

  bool DesignTime = false;
  TRect CaptionRect;
  TcxCaptionAlignment Alignment = alTopLeft;
  TRect TextRect;
  std::string Caption;
  TFont* CaptionFont = nullptr;
  TColor CaptionColor = clWindowText;
  bool PanelActive = false, PanelWordWrap = false, Vertical = false, Ctl3D = true;
  TcxPanelOffice11BackgroundKind OfficeBackgroundKind = pobkOffice11Color;
  TcxLookAndFeelKind Kind = lfStandard;
  // Half the caption height: where the frame line runs on the caption side.
  int CaptionHalfHeight = 0;
  // The frame of a panel (the control, less the shadow).
  TRect FrameRect;

  void PaintAll(TcxCanvas* canvas) override;
  void TakeFrom(TcxContainerViewInfo* source) override;
  void Shift(int dx, int dy) override;
  int CaptionSide() const { return PanelActive ? cxCaptionSideNone : CaptionSideOf(Alignment); }

 protected:
  virtual void PaintBackground(TcxCanvas* canvas);
  virtual void PaintCaption(TcxCanvas* canvas);
  virtual void PaintFrame(TcxCanvas* canvas);
  virtual void PaintContent(TcxCanvas*) {}

 private:
  void PaintNativeBackground(TcxCanvas* canvas);
  void PaintPanelBackground(TcxCanvas* canvas);
  void PaintCaptionText(TcxCanvas* canvas);
  void PaintFrameByBorderStyle(TcxCanvas* canvas, const TRect& rect);
};

class TcxCustomGroupBoxClass : public TcxCustomEditClass {
 public:
  using TcxCustomEditClass::TcxCustomEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace = false) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override;
};

using TcxGroupBoxCustomDrawEvent = TEvent<void(TObject* Sender, bool& Done)>;

class TcxCustomGroupBox : public TcxCustomEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomGroupBox, TcxCustomGroupBoxClass)
  explicit TcxCustomGroupBox(TComponent* owner, bool inPlace = false)
      : TcxCustomGroupBox(owner, StaticClassOperations(), inPlace) {}
  ~TcxCustomGroupBox() override;
  void Dispatch(TMessage& message) override;

  TcxCaptionAlignment Alignment() const { return alignment_; }
  void SetAlignment(TcxCaptionAlignment value);
  TcxPanelStyle* PanelStyle() const { return panelStyle_.get(); }
  void SetPanelStyle(TcxPanelStyle* value) { panelStyle_->Assign(value); }
  TFont* CaptionFont() const { return captionFont_.get(); }
  const std::string& ShownCaption() const { return shownCaption_; }
  bool FocusingByAccelerator() const { return focusingByAccelerator_; }
  TcxGroupBoxViewInfo* GroupBoxViewInfo() const { return static_cast<TcxGroupBoxViewInfo*>(GetViewInfo()); }
  // The caption's colour as painted: the font's, the theme's, or the skin's for the side.
  TColor CaptionColor();

  TcxGroupBoxCustomDrawEvent OnCustomDraw;

  // Brings the caption font and the shown caption up to date, refreshes and re-aligns the children.
  void Relayout();

  // --- new virtual operations
  virtual TcxPanelStyle* CreatePanelStyle() { return new TcxPanelStyle(this); }
  virtual bool IsCaptionInNonClientArea();
  virtual bool CanDrawCaptionInFrame() const { return true; }

  // The editor's and container's queries.
  bool IsHeightAutoSized() override { return false; }
  bool IsPlainChildContainer() const override { return true; }
  bool UsesParentBackground() const override { return true; }
  bool UsesParentBackgroundNatively() const override;
  TcxContainerStyleValues HiddenStyleValues() const override;
  bool NeedsWindowRegion() override;
  bool HasShadow() override;
  TRect GetVisibleBorderRect() override;
  bool RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                        bool isMouseEvent) override;
  void StyleChanged(TObject* sender) override;

 protected:
  TcxCustomGroupBox(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);
  bool TakesFocusOnClick() override { return false; }
  void Paint() override;
  void AdjustClientRect(TRect& rect) override;
  void UpdateCaptionFont();
  void UpdateShownCaption();

 private:
  void CMDialogChar(TMessage& m);
  void CMTextChanged(TMessage& m);
  void CMFontChanged(TMessage& m);

  TcxCaptionAlignment alignment_ = alTopLeft;
  std::unique_ptr<TFont> captionFont_;
  bool focusingByAccelerator_ = false;
  std::unique_ptr<TcxPanelStyle> panelStyle_;
  std::string shownCaption_;
};

class TcxGroupBoxClass : public TcxCustomGroupBoxClass {
 public:
  using TcxCustomGroupBoxClass::TcxCustomGroupBoxClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace = false) const override;
};

class TcxGroupBox : public TcxCustomGroupBox {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxGroupBox, TcxGroupBoxClass)
  explicit TcxGroupBox(TComponent* owner, bool inPlace = false)
      : TcxCustomGroupBox(owner, StaticClassOperations(), inPlace) {}
};

// ---------------------------------------------------------------------------------------------
// The button group

// Effective columns of a button group: at most `columns` (1 when 0 or below), recounted so that no
// column stays empty: min(columns, count), then ceil(count / ceil(count / c)).
int ButtonGroupColumnCount(int columns, int itemCount);
inline int ButtonGroupRowCount(int columns, int itemCount) {
  return columns > 0 ? (itemCount + columns - 1) / columns : 0;
}

// What the descendant tells the grid about its buttons (in pixels).
struct TcxButtonGroupMetrics {
  int CaptionLeftOffset = 0;
  int FitWidthCorrection = 0;
  int GlyphCaptionGap = 0;
  int WidthMargin = 0;
  int FirstColumnLeft = 0;
  int GridWidthCorrection = 0;
  int ColumnGap = 0;
  int GlyphWidth = 0;
  int GlyphHeight = 0;
};

// The rectangles of `count` buttons filled column by column into `bounds` less `extents`.
std::vector<TRect> LayOutButtonGrid(const TRect& bounds, const TRect& extents, const TcxButtonGroupMetrics& metrics,
                                    int count, int columns);
// The button an arrow key moves the focus to from button `index`, -1 when it does not move.
int ButtonGroupArrowTarget(Word key, int index, int count, int rows);

class TcxButtonGroupItem : public TCollectionItem {
  CALDERAN_CLASS(TcxButtonGroupItem)
  explicit TcxButtonGroupItem(TCollection* collection) : TCollectionItem(collection) {}
  void Assign(TPersistent* source) override;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int Tag() const { return tag_; }
  void SetTag(int value) { tag_ = value; }
  bool IsTagStored() const { return tag_ != 0; }

 protected:
  void ReportChanged() { Changed(false); }

 private:
  std::string caption_;
  bool enabled_ = true;
  int tag_ = 0;
};

class TcxCustomButtonGroupProperties;

// The items of a button group; single additions and deletions are reported as such, so that the
// group makes or frees just that button.
class TcxButtonGroupItems : public TOwnedCollection {
  CALDERAN_CLASS(TcxButtonGroupItems)
  TcxButtonGroupItems(TcxCustomButtonGroupProperties* owner, TCollectionItemClass itemClass);
  ~TcxButtonGroupItems() override;
  TcxButtonGroupItem* Items(int index) const { return static_cast<TcxButtonGroupItem*>(TCollection::Items(index)); }
  TcxButtonGroupItem* Add() { return static_cast<TcxButtonGroupItem*>(TCollection::Add()); }
  // The captions, as a list answers them.
  int CaptionCount() const { return Count(); }
  std::string CaptionOf(int index) const { return Items(index)->Caption(); }

  // The last single-item change: its index and kind (0 added, 1 deleted, 2 changed).
  int ChangedItemIndex() const { return changedIndex_; }
  int ChangedItemKind() const { return changedKind_; }
  bool IsSingleItemChangeReported() const { return singleReport_; }

 protected:
  void Update(TCollectionItem* item) override;
  void Notify(TCollectionItem* item, TCollectionNotification action) override;

 private:
  void Report(int index, int kind);
  TcxCustomButtonGroupProperties* properties_;
  int changedIndex_ = -1, changedKind_ = 2;
  bool singleReport_ = false, destroying_ = false;
  bool pending_ = false;
};

class TcxCustomButtonGroupPropertiesClass : public TcxCustomGroupBoxPropertiesClass {
 public:
  using TcxCustomGroupBoxPropertiesClass::TcxCustomGroupBoxPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  const TcxCustomEditViewDataClass* ViewDataClass(TcxCustomEditStyle* style, bool inPlace) const override;
  const TcxCustomEditViewInfoClass* ViewInfoClass() const override;
  // The class of the items (creatable with a collection).
  virtual TClass ItemClass() const { return TcxButtonGroupItem::StaticClass(); }
};

class TcxCustomButtonGroupProperties : public TcxCustomGroupBoxProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomButtonGroupProperties, TcxCustomButtonGroupPropertiesClass)
  explicit TcxCustomButtonGroupProperties(TPersistent* owner)
      : TcxCustomButtonGroupProperties(owner, StaticClassOperations()) {}
  ~TcxCustomButtonGroupProperties() override;

  int Columns() const { return columns_; }
  void SetColumns(int value);
  TcxButtonGroupItems* Items() const { return items_.get(); }
  void SetItems(TcxButtonGroupItems* value) { items_->Assign(value); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { SetNotifying(wordWrap_, value); }

  void Assign(TPersistent* source) override;
  TcxCustomEditProperties* CreatePeer() const override;
  uint32_t GetSpecialFeatures() const override { return TcxCustomGroupBoxProperties::GetSpecialFeatures() | 2; }
  uint16_t GetSupportedOperations() const override;

  // --- new virtual operations
  virtual TcxButtonGroupItems* CreateItems();
  virtual int GetColumnCount() const { return ButtonGroupColumnCount(columns_, items_->Count()); }

 protected:
  TcxCustomButtonGroupProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);
  // Items are made by the descendant's class, so the constructor of each kind calls this.
  void MakeItems() { items_.reset(CreateItems()); }

 private:
  int columns_ = 1;
  std::unique_ptr<TcxButtonGroupItems> items_;
  bool wordWrap_ = false;
};

class TcxButtonGroupViewDataClass : public TcxGroupBoxViewDataClass {
 public:
  using TcxGroupBoxViewDataClass::TcxGroupBoxViewDataClass;
  TcxCustomEditViewData* Create(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                bool inPlace) const override;
};

class TcxButtonGroupViewInfo;

class TcxButtonGroupViewData : public TcxGroupBoxViewData {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxButtonGroupViewData, TcxButtonGroupViewDataClass)
  using TcxGroupBoxViewData::TcxGroupBoxViewData;
  TcxCustomButtonGroupProperties* GroupProperties() const {
    return static_cast<TcxCustomButtonGroupProperties*>(Properties);
  }
  // Set while the height is asked for a given width (auto size).
  bool AskedForHeight = false;

  void ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point, TcxContainerMouseButton button,
                     TShiftState shift, TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) override;
  TSize MeasureContentArea(TcxCanvas* canvas, const TVariant& value, const TcxEditSizeProperties& request) override;

  // --- new virtual operations
  virtual void LayOutButtonGrid(TcxButtonGroupViewInfo* viewInfo);
  virtual void PrepareButtons(TcxButtonGroupViewInfo* viewInfo, const TPoint& point, TShiftState shift);
  virtual UINT GetCaptionTextFlags() const;
  virtual void GetButtonMetrics(TcxButtonGroupMetrics& metrics, TcxCanvas* canvas) const;
  virtual TRect GetContentMargins(TcxCanvas* canvas, TcxCustomEditViewInfo* viewInfo);
  virtual void SetButtonNativeState(TcxButtonGroupViewInfo*, int) {}
  virtual bool UsesNativeButtons() const { return NativeStyle; }

 protected:
  TcxEditButtonStyle ButtonStyleOf(TcxCustomEditViewInfo* viewInfo) const;
};

// One button of the group as the view info keeps it.
struct TcxButtonGroupButtonInfo {
  TRect Bounds;
  std::string Caption;
  int Column = 0, Row = 0;
  bool Enabled = true;
  TcxEditButtonStyle Style = bts3D;
  TcxButtonState State = cxbsNormal;
  int NativeState = 0;
  bool NativeTransparent = false;
};

class TcxButtonGroupViewInfoClass : public TcxGroupBoxViewInfoClass {
 public:
  using TcxGroupBoxViewInfoClass::TcxGroupBoxViewInfoClass;
};

class TcxButtonGroupViewInfo : public TcxGroupBoxViewInfo {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxButtonGroupViewInfo, TcxButtonGroupViewInfoClass)
  TcxButtonGroupViewInfo() = default;

  TSize GlyphSize;
  std::vector<TcxButtonGroupButtonInfo> Buttons;
  int Columns = 0, Rows = 0;
  UINT CaptionTextFlags = 0;
  int HotButton = -1, PressedButton = -1;

  void TakeFrom(TcxContainerViewInfo* source) override;
  void Shift(int dx, int dy) override;
  // The glyph's rectangle in a button: centred vertically, at the left edge.
  TRect ButtonGlyphRect(int index) const;

  // --- new virtual operations
  virtual void PaintButtonCaption(TcxCanvas*, int) {}
  virtual void PaintButtonGlyph(TcxCanvas*, int) {}
  virtual TSize GetGlyphSize() const { return GlyphSize; }
  virtual bool IsButtonBackgroundTransparent(int) const { return Transparent; }

 protected:
  // In place the group paints its buttons itself.
  void PaintContent(TcxCanvas* canvas) override;
};

class TcxCustomButtonGroupClass : public TcxCustomGroupBoxClass {
 public:
  using TcxCustomGroupBoxClass::TcxCustomGroupBoxClass;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override;
};

class TcxCustomButtonGroup : public TcxCustomGroupBox {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomButtonGroup, TcxCustomButtonGroupClass)
  ~TcxCustomButtonGroup() override;

  TcxCustomButtonGroupProperties* ActiveProperties() {
    return static_cast<TcxCustomButtonGroupProperties*>(EffectiveProperties());
  }
  TcxButtonGroupViewInfo* ButtonGroupViewInfo() const { return static_cast<TcxButtonGroupViewInfo*>(GetViewInfo()); }
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TWinControl* Button(int index) const { return buttons_.at(index); }
  int IndexOfButton(TWinControl* button) const;
  // The index of the button with the keyboard focus, -1 when none has it.
  int FocusedButtonIndex() const;

  // --- new virtual operations
  virtual void ArrangeButtons();
  virtual HDC GetButtonDC(int) { return nullptr; }
  virtual TWinControl* CreateButton() { return nullptr; }
  virtual void InitializeButton(TWinControl* button);
  virtual void SetButtonControlCount(int count);
  virtual void UpdateButtonStyles();
  virtual void SynchronizeButtons();

  void Dispatch(TMessage& message) override;

  // The editor's and container's queries.
  bool IsHeightAutoSized() override { return !InPlace() && AutoSize(); }
  bool IsPlainChildContainer() const override { return FocusingByAccelerator(); }
  bool IsContainerFocused() override;
  bool PaintsButtonsItself(HDC dc) override;
  bool CanDrawCaptionInFrame() const override { return false; }
  bool RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                        bool isMouseEvent) override;
  void ApplyPropertiesChange(TObject* properties) override;
  void GetTabOrderList(std::vector<TWinControl*>& list) override;
  void StyleChanged(TObject* sender) override;
  void Loaded() override;

 protected:
  TcxCustomButtonGroup(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);
  void KeyDown(Word& key, TShiftState shift) override;
  void CreateWnd() override;
  void CursorChanged() override;
  std::vector<TWinControl*>& Buttons() { return buttons_; }
  // Removes every button first: buttons refer to the group while they are freed.
  void FreeButtons() { SetButtonControlCount(0); }

 private:
  void AddButtonAt(int index);
  void FreeButtonAt(int index);
  std::vector<TWinControl*> buttons_;
};

// What a stored form may set on a group box and a button group's settings; registers TcxGroupBox.
extern const TUnitInfo cxGroupBoxUnit;
