// The drop-down editors: the popup window they open (border, shadow, system panel with a close
// button and a size grip, resizing with the mouse, size and position against the editor), the
// drop-down editor that opens and closes it by keys, clicks and typing and commits or discards at
// close-up, and the combo box whose popup is a list of strings.
// Leaves out: copying the parent form's alpha blending to the popup; in-place activation paths.
#pragma once
#include <memory>
#include <string>

#include "cxMaskEdit.h"
#include "cxTextEdit.h"

class TcxCustomDropDownEdit;
class TcxCustomDropDownEditProperties;
class TcxSizeFrame;

// The corner farthest from the editor: the grip sits there, the system panel runs along its edge.
enum TcxPopupGripCorner : uint8_t { pgcTopLeft, pgcTopRight, pgcBottomLeft, pgcBottomRight };

// Why a drop-down editor's popup closed; Tab, toggle and accept commit the popup's selection.
enum TcxPopupCloseReason : uint8_t { pcrNone, pcrTab, pcrToggle, pcrCancel, pcrAccept };

// Private messages: a character typed in the editor for the popup's focused control (posted to the
// popup window), and the lookup's resynchronisation after a paste (posted to the editor).
inline constexpr UINT CM_CXDROPDOWN_CHAR = 0x8096;
inline constexpr UINT CM_CXDROPDOWN_SYNC = 0x8097;

// ---------------------------------------------------------------------------------------------
// The editor popup window

class TcxCustomEditPopupWindowViewInfo;
using TcxEditPopupCustomBorderEvent = TEvent<void(TcxCustomEditPopupWindowViewInfo* Sender, TcxCanvas* Canvas,
                                                  int& BorderWidth, bool& Handled, const TRect& Rect)>;

// Where one mouse resize of an editor popup stands; one per program (only one resize runs at a time).
struct TcxPopupSizingState {
  bool Active = false;
  bool CursorShown = false;
  int Horz = 0, Vert = 0;  // -1, 0, 1: which edges the pointer drags
  TPoint Offset;           // the pointer's distance from the dragged edges at the press
  TRect LastFrame, LastNonEmptyFrame;
};
TcxPopupSizingState& PopupSizingState();

// The popup's geometry and painting.
class TcxCustomEditPopupWindowViewInfo : public TcxContainerViewInfo {
  CALDERAN_CLASS(TcxCustomEditPopupWindowViewInfo)
  TcxCustomEditPopupWindowViewInfo() = default;

  TcxEditPopupCustomBorderEvent OnCustomBorder;
  TcxEditPopupBorderStyle PopupBorder = epbsSingle;
  bool HasClientEdge = false;
  bool HasCloseButton = false;
  TRect CloseBtnRect;
  TcxLookAndFeelKind CloseBtnKind = lfUltraFlat;
  int CloseBtnThemeState = 0;
  TcxButtonState CloseBtnState = cxbsNormal;
  int MinPanelHeight = 0;
  bool UseNativeStyle = false;
  TcxCustomLookAndFeelPainterClass SkinPainter = nullptr;
  bool DropShadow = false;
  bool CanSize = false;
  TcxPopupGripCorner GripCorner = pgcBottomRight;
  TRect GripRect, GripHitRect, InnerSizingRect;
  int SizingMargin = 0;
  int PanelHeight = 0;
  bool ShowsSysPanel = false;

  // The border's width, with the client edge when asked for and present.
  int PopupBorderWidth(bool withClientEdge);
  int NaturalPanelHeight() const;
  bool GripAtLeft() const { return GripCorner == pgcTopLeft || GripCorner == pgcBottomLeft; }
  bool GripAtTop() const { return GripCorner == pgcTopLeft || GripCorner == pgcTopRight; }

  virtual void CalculateLayout();
  virtual void PaintPopupBorder(TcxCanvas* canvas, TRect& rect);
  virtual TRect GetBorderExtents();
  virtual TRect GetClientExtents() { return GetBorderExtents(); }
  virtual int GetPanelHeight();
  // Whether the point sizes the popup; sets the sizing directions of PopupSizingState.
  virtual bool HitTestSizing(int x, int y);
  void PaintBody(TcxCanvas* canvas) override;

 private:
  bool PanelSeparated() const;
  void CalculateGripRects();
  void CalculateCloseButtonRect();
  void PaintPanelSeparator(TcxCanvas* canvas);
  void PaintClientEdge(TcxCanvas* canvas);
  void PaintGrip(TcxCanvas* canvas);
  void PaintCloseButton(TcxCanvas* canvas);
  void FillBackgrounds(TcxCanvas* canvas);
  TRect BorderInnerRect();
};

class TcxCustomEditPopupWindow : public TcxCustomPopupWindow {
  CALDERAN_CLASS(TcxCustomEditPopupWindow)
  explicit TcxCustomEditPopupWindow(TcxCustomDropDownEdit* edit)
      : TcxCustomEditPopupWindow(edit, new TcxCustomEditPopupWindowViewInfo) {}
  ~TcxCustomEditPopupWindow() override;
  void Dispatch(TMessage& message) override;

  TcxCustomDropDownEdit* Edit() const;
  TcxCustomEditPopupWindowViewInfo* PopupViewInfo() const {
    return static_cast<TcxCustomEditPopupWindowViewInfo*>(ViewInfo());
  }

  bool LayoutLocked() const { return layoutLock_; }
  void SetLayoutLock(bool value) { layoutLock_ = value; }
  bool PopupAutoSize() const { return autoSize_; }
  void SetPopupAutoSize(bool value) { autoSize_ = value; }
  TcxEditPopupBorderStyle PopupBorderStyle() const { return borderStyle_; }
  void SetPopupBorderStyle(TcxEditPopupBorderStyle value);
  bool ClientEdge() const { return clientEdge_; }
  void SetClientEdge(bool value);
  bool CloseButton() const { return closeButton_; }
  void SetCloseButton(bool value);
  int MinHeight() const { return minHeight_; }
  void SetMinHeight(int value) { minHeight_ = value; }
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int value) { minWidth_ = value; }
  bool NativeStyle() const { return nativeStyle_; }
  void SetNativeStyle(bool value);
  int PopupHeight() const { return popupHeight_; }
  void SetPopupHeight(int value) { popupHeight_ = value; }
  int PopupWidth() const { return popupWidth_; }
  void SetPopupWidth(int value) { popupWidth_ = value; }
  bool Shadow() const { return shadow_; }
  void SetShadow(bool value);
  bool Sizeable() const { return sizeable_; }
  void SetSizeable(bool value);
  bool ShowsSysPanel() const { return sysPanel_; }
  void SetSysPanel(bool value);
  TcxSizeFrame* SizeFrame() const { return sizeFrame_.get(); }

  // The client size the popup could take beside the editor on its work area.
  TSize AvailableClientSize();
  // Adjusts a new size to the minimum sizes and the popup's list; true (always allowed).
  bool CanResize(int& width, int& height);
  void UpdatePopupRegion();
  // Frees the window (its editor's window is going away); made again when next shown.
  void ReleaseWindowHandle() { if (HandleAllocated()) DestroyHandle(); }
  // The editor's rectangle in screen coordinates.
  TRect EditScreenRect();

  virtual void RecalculateViewInfo();
  virtual void ForwardCharToFocus(char ch);
  virtual TSize CalcMinSize();

  bool CanFitToWorkArea() override;
  TPoint CalculatePosition() override;
  void CalculateSize() override;
  void ShowPopup(TWinControl* focusedControl = nullptr) override;
  void CloseByModalResult() override;
  void FireClosed() override;
  void FireClosing() override;
  // A press on the editor itself counts as taken, so the editor does not open the popup again.
  bool HandleOutsideClick(HWND window, UINT mouseMessage, const TPoint& point, TShiftState shift) override;

 protected:
  TcxCustomEditPopupWindow(TcxCustomDropDownEdit* edit, TcxCustomEditPopupWindowViewInfo* viewInfo);
  void CreateParams(TCreateParams& params) override;
  void Resize() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  // Sets the owner rectangle from the editor.
  void TakeOwnerBounds();

 private:
  void BeginSizing(int x, int y);
  void TrackSizing(int x, int y);
  void EndSizing(int x, int y);
  void TrackCloseButton(TShiftState shift, int x, int y);
  void ReleaseCloseButton();
  void SetSizingCursor(int horz, int vert);
  TRect SizedBounds(const TPoint& screenPoint);
  void MouseLeft(TMessage& m);

  bool layoutLock_ = false;
  bool autoSize_ = true;
  TcxEditPopupBorderStyle borderStyle_ = epbsSingle;
  bool clientEdge_ = false, closeButton_ = false;
  int minHeight_ = 0, minWidth_ = 0;
  bool nativeStyle_ = false;
  int popupHeight_ = 0, popupWidth_ = 0;
  bool shadow_ = false, sizeable_ = false;
  std::unique_ptr<TcxSizeFrame> sizeFrame_;
  bool sysPanel_ = false;
};

// ---------------------------------------------------------------------------------------------
// The drop-down editor

class TcxCustomDropDownEditPropertiesClass : public TcxCustomMaskEditPropertiesClass {
 public:
  using TcxCustomMaskEditPropertiesClass::TcxCustomMaskEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  const TcxCustomEditViewDataClass* ViewDataClass(TcxCustomEditStyle* style, bool inPlace) const override;
  const TcxCustomEditClass* EditClass() const override;
};

using TcxDropDownCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;

class TcxCustomDropDownEditProperties : public TcxCustomMaskEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomDropDownEditProperties, TcxCustomDropDownEditPropertiesClass)
  explicit TcxCustomDropDownEditProperties(TPersistent* owner)
      : TcxCustomDropDownEditProperties(owner, StaticClassOperations()) {}

  int ButtonGlyphIndex() const { return buttonGlyphIndex_; }
  TBitmap* ButtonGlyph() const;
  void SetButtonGlyph(TBitmap* value);
  // Makes another button the drop-down button, its glyph moving with it.
  void MoveGlyphButton(int index);
  bool ImmediateDropDown() const { return immediateDropDown_; }
  void SetImmediateDropDown(bool value) { immediateDropDown_ = value; }
  bool ImmediatePopup() const { return immediatePopup_; }
  void SetImmediatePopup(bool value) { immediatePopup_ = value; }
  bool KeepButtonDownWhileOpen() const { return keepButtonDown_; }
  void SetKeepButtonDownWhileOpen(bool value) { SetNotifying(keepButtonDown_, value); }
  bool PopupAutoSize() const { return popupAutoSize_; }
  void SetPopupAutoSize(bool value) { popupAutoSize_ = value; }
  bool PopupClientEdge() const { return popupClientEdge_; }
  void SetPopupClientEdge(bool value) { SetNotifying(popupClientEdge_, value); }
  TcxPopupDirection DropOrientation() const { return dropOrientation_; }
  void SetDropOrientation(TcxPopupDirection value) { dropOrientation_ = value; }
  TcxPopupAlignHorz DropHorzAlign() const { return dropHorzAlign_; }
  void SetDropHorzAlign(TcxPopupAlignHorz value) { dropHorzAlign_ = value; }
  TcxPopupAlignVert DropVertAlign() const { return dropVertAlign_; }
  void SetDropVertAlign(TcxPopupAlignVert value) { dropVertAlign_ = value; }
  TAlignment PopupAlignment() const;
  void SetPopupAlignment(TAlignment value);
  int PopupHeight() const { return popupHeight_; }
  void SetPopupHeight(int value);
  int PopupMinHeight() const { return popupMinHeight_; }
  void SetPopupMinHeight(int value);
  int PopupMinWidth() const { return popupMinWidth_; }
  void SetPopupMinWidth(int value);
  int PopupWidth() const { return popupWidth_; }
  void SetPopupWidth(int value);
  bool PopupSizeable() const { return popupSizeable_; }
  void SetPopupSizeable(bool value) { SetNotifying(popupSizeable_, value); }
  bool PopupSysPanelStyle() const { return popupSysPanelStyle_; }
  void SetPopupSysPanelStyle(bool value) { SetNotifying(popupSysPanelStyle_, value); }
  bool PostPopupValueOnTab() const { return postPopupValueOnTab_; }
  void SetPostPopupValueOnTab(bool value) { postPopupValueOnTab_ = value; }

  TcxDropDownCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnInitPopup;
  TNotifyEvent OnPopup;

  virtual int DefaultGlyphButtonIndex() const { return 0; }
  virtual bool DropsDownOnClick() const { return false; }
  virtual bool PostsAfterValidation() const { return false; }
  virtual TcxCustomEditPopupWindow* CreatePopupWindow(TcxCustomDropDownEdit* edit) const;
  virtual bool FitsPopupToWorkArea() const { return true; }
  virtual bool PopupTakesFocus() const { return false; }
  bool ShowsLookupInPopup() const override { return true; }

  void NotifyChanged() override;
  void AssignExtra(TcxCustomEditProperties* source) override;

 protected:
  TcxCustomDropDownEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);

 private:
  void AdjustGlyphButtonKind();
  int buttonGlyphIndex_ = 0;
  bool immediateDropDown_ = true, immediatePopup_ = false, notifying_ = false, keepButtonDown_ = false;
  bool popupAutoSize_ = true, popupClientEdge_ = false;
  TcxPopupDirection dropOrientation_ = pdVertical;
  int popupHeight_ = 0;
  TcxPopupAlignHorz dropHorzAlign_ = pahLeft;
  int popupMinHeight_ = 0, popupMinWidth_ = 0;
  bool popupSizeable_ = false, popupSysPanelStyle_ = false;
  TcxPopupAlignVert dropVertAlign_ = pavBottom;
  int popupWidth_ = 0;
  bool postPopupValueOnTab_ = false;
};

// What an in-place drop-down editor keeps per cell between activations.
class TcxCustomDropDownEditData : public TcxCustomEditData {
  CALDERAN_CLASS(TcxCustomDropDownEditData)
  explicit TcxCustomDropDownEditData(TcxCustomEdit* editor) : TcxCustomEditData(editor) {}
  bool PopupSized = false;
  int SizedWidth = 0, SizedHeight = 0;
};

class TcxCustomDropDownEditViewDataClass : public TcxCustomTextEditViewDataClass {
 public:
  using TcxCustomTextEditViewDataClass::TcxCustomTextEditViewDataClass;
  TcxCustomEditViewData* Create(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                bool inPlace) const override;
};

class TcxCustomDropDownEditViewData : public TcxCustomTextEditViewData {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomDropDownEditViewData, TcxCustomDropDownEditViewDataClass)
  TcxCustomDropDownEditViewData(TcxCustomEditProperties* properties, TcxCustomEditStyle* style, bool inPlace)
      : TcxCustomTextEditViewData(properties, style, inPlace) {}

  bool ButtonDownWhileOpen = false;
  bool PopupOpen = false;
  bool HotAndPopup = false;

  void ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point, TcxContainerMouseButton button,
                     TShiftState shift, TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) override;
  bool ButtonPressable(TcxCustomEditViewInfo* viewInfo, int visibleIndex) override;
  bool ButtonHeld(TcxCustomEditViewInfo* viewInfo, int visibleIndex) override;
  int ComputeNativeState(TcxCustomEditViewInfo* viewInfo) override;

 protected:
  TcxCustomDropDownEditProperties* DropDownProperties() const {
    return static_cast<TcxCustomDropDownEditProperties*>(Properties);
  }
  bool IsDropDownButton(TcxCustomEditViewInfo* viewInfo, int visibleIndex) const;
};

// The inner edit of drop-down editors: no hints while the popup is open.
class TcxCustomDropDownInnerEdit : public TcxCustomInnerTextEdit {
  CALDERAN_CLASS(TcxCustomDropDownInnerEdit)
  explicit TcxCustomDropDownInnerEdit(TComponent* owner) : TcxCustomInnerTextEdit(owner) {}
  void Dispatch(TMessage& message) override;
};

class TcxCustomDropDownEditClass : public TcxCustomMaskEditClass {
 public:
  using TcxCustomMaskEditClass::TcxCustomMaskEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxCustomDropDownEditProperties::StaticClassOperations();
  }
  TClass InnerEditClass() const override { return TcxCustomDropDownInnerEdit::StaticClass(); }
  TClass EditDataClass() const override { return TcxCustomDropDownEditData::StaticClass(); }
};

class TcxCustomDropDownEdit : public TcxCustomMaskEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomDropDownEdit, TcxCustomDropDownEditClass)
  explicit TcxCustomDropDownEdit(TComponent* owner, bool inPlace = false)
      : TcxCustomDropDownEdit(owner, StaticClassOperations(), inPlace) {}
  ~TcxCustomDropDownEdit() override;

  TcxCustomDropDownEditProperties* ActiveProperties();
  TcxCustomDropDownEditProperties* OwnDropDownProperties() const {
    return static_cast<TcxCustomDropDownEditProperties*>(OwnProperties());
  }
  TcxCustomEditPopupWindow* PopupWindow() const { return popupWindow_.get(); }
  TcxLookAndFeel* PopupControlsLookAndFeel() const { return popupLookAndFeel_.get(); }
  bool DroppedDown() { return WantsArrowKeys(); }
  void SetDroppedDown(bool value) { WriteDroppedDown(value); }
  void WriteDroppedDown(bool value);
  TcxPopupCloseReason CloseUpReason() const { return closeUpReason_; }
  bool HotAndPopup() const { return hotAndPopup_; }
  bool PopupSizeChanged() const { return popupSizeChanged_; }
  void SetPopupSizeChanged(bool value) { popupSizeChanged_ = value; }
  void SetPopupResizedByMouse(bool value) { popupResizedByMouse_ = value; }
  bool PopupMouseMoveLocked() const { return popupMouseMoveLock_; }
  void SetPopupMouseMoveLock(bool value) { popupMouseMoveLock_ = value; }
  // The rectangle the popup opens against, in the editor parent's coordinates.
  TRect PopupOwnerRect();
  bool IsShowRequestPending();
  // The lookup when the properties have one, else none.
  IcxTextEditLookupData* PopupLookupData();

  virtual bool CanDropDown() { return false; }
  virtual void CloseUp(TcxPopupCloseReason reason);
  virtual void CreatePopupWindow();
  virtual void DoCloseUp();
  virtual void FinalizePopup();
  virtual void InitPopup();
  virtual void RunPopup();
  virtual void DropDown();
  virtual TWinControl* GetPopupFocusedControl();
  virtual TSize GetPopupClientSize() { return TSize(0, 0); }
  virtual void PlaceLookupInPopup();
  virtual void ConfigurePopupWindow();
  virtual void PopupLookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {}
  virtual void SetLookupBounds(const TRect& rect);
  virtual void LayoutPopup();
  // The popup window's events.
  virtual void HandlePopupShown(TObject* sender);
  virtual void HandlePopupClosed(TObject* sender);
  void HandlePopupCloseQuery(TObject* sender, bool& canClose);

  bool WantsArrowKeys() override;
  bool IsContainerFocused() override;
  bool WantsTabKey() override;
  bool RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                        bool isMouseEvent) override;
  void HandleEditKeyDown(Word& key, TShiftState shift) override;
  void HandleEditKeyPress(char& key) override;
  void ProcessTabKey(TShiftState shift) override;
  void ButtonPressStarted(int visibleIndex) override;
  void PasteSelection() override;
  void ApplyPropertiesChange(TObject* properties) override;
  bool IsDefaultButtonShortCut(Word key, TShiftState shift) override;
  bool PassesActivationChar(char ch) override;
  bool AllowsLookupScrolling(bool byWheel) override;
  void StyleChanged(TObject* sender) override;
  TcxContainerStyleValues HiddenStyleValues() const override;

 protected:
  TcxCustomDropDownEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);
  void Dispatch(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void DoExit() override;
  void FocusChanged() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  // The view data's copies of the editor's popup state.
  void FillDrawParams(TcxCustomEditViewData* viewData) override;
  // Sends the key on to the text editor's handling (Enter and Esc close the popup first).
  bool HandlePopupKey(Word& key, TShiftState shift);
  bool PopupInitialized() const { return popupInitialized_; }
  void SetCloseUpReason(TcxPopupCloseReason reason) { closeUpReason_ = reason; }
  // Removes a show request still queued; true when one was, the popup then counting as closed.
  bool CancelPendingShow();
  void EditStyleUpdated();

 private:
  void SynchronizeLookupAfterPaste(TMessage& message);
  void StorePopupSize();
  void PostPopupValueAfterClose();
  bool activatingByMouse_ = false;
  bool hotAndPopup_ = false;
  std::unique_ptr<TcxLookAndFeel> popupLookAndFeel_;
  bool popupInitialized_ = false;
  bool popupMouseMoveLock_ = false;
  bool popupSizeChanged_ = false;
  bool popupResizedByMouse_ = false;
  TcxPopupCloseReason closeUpReason_ = pcrNone;
  std::unique_ptr<TcxCustomEditPopupWindow> popupWindow_;
};

// ---------------------------------------------------------------------------------------------
// The combo box

class TcxCustomComboBox;

// How far the text is bound to the items: typing must match an item, any text, or items only.
enum TcxEditDropDownListStyle : uint8_t { lsEditFixedList, lsEditList, lsFixedList };

using TcxEditDrawItemEvent =
    TEvent<void(TcxCustomComboBox* Control, TcxCanvas* Canvas, int Index, const TRect& Rect, TOwnerDrawState State)>;

class TcxCustomComboBoxPropertiesClass : public TcxCustomDropDownEditPropertiesClass {
 public:
  using TcxCustomDropDownEditPropertiesClass::TcxCustomDropDownEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  const TcxCustomEditViewDataClass* ViewDataClass(TcxCustomEditStyle* style, bool inPlace) const override;
  const TcxCustomEditViewInfoClass* ViewInfoClass() const override;
  const TcxCustomEditClass* EditClass() const override;
};

class TcxCustomComboBoxProperties : public TcxCustomDropDownEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomComboBoxProperties, TcxCustomComboBoxPropertiesClass)
  explicit TcxCustomComboBoxProperties(TPersistent* owner)
      : TcxCustomComboBoxProperties(owner, StaticClassOperations()) {}

  TcxEditDropDownListStyle DropDownListStyle() const { return dropDownListStyle_; }
  void SetDropDownListStyle(TcxEditDropDownListStyle value) { SetNotifying(dropDownListStyle_, value); }
  int DropDownRows() const { return dropDownRows_; }
  // Values below 1 are ignored.
  void SetDropDownRows(int value);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int value) { SetNotifying(itemHeight_, value); }
  bool Revertable() const { return revertable_; }
  void SetRevertable(bool value) { revertable_ = value; }
  TStrings* Items() const { return LookupItems(); }
  void SetItems(TStrings* value) { SetLookupItems(value); }
  bool Sorted() const { return LookupItemsSorted(); }
  void SetSorted(bool value) { SetLookupItemsSorted(value); }
  bool DropDownAutoWidth() const { return PopupAutoSize(); }
  void SetDropDownAutoWidth(bool value) { SetPopupAutoSize(value); }
  bool DropDownSizeable() const { return PopupSizeable(); }
  void SetDropDownSizeable(bool value) { SetPopupSizeable(value); }
  int DropDownWidth() const { return PopupWidth(); }
  void SetDropDownWidth(int value) { SetPopupWidth(value); }

  TcxEditDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  bool DropsDownOnClick() const override { return dropDownListStyle_ == lsFixedList; }
  TcxCustomEditPopupWindow* CreatePopupWindow(TcxCustomDropDownEdit* edit) const override;
  TcxLookupDataFactory GetLookupDataClass() const override;
  int GetLookupPageSize() const override { return dropDownRows_; }
  TcxTextEditingStyle GetEditingStyle() const override;
  void AssignExtra(TcxCustomEditProperties* source) override;

 protected:
  TcxCustomComboBoxProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
      : TcxCustomDropDownEditProperties(owner, cls) {}

 private:
  TcxEditDropDownListStyle dropDownListStyle_ = lsEditList;
  int dropDownRows_ = 8;
  int itemHeight_ = 0;
  bool revertable_ = false;
};

class TcxComboBoxProperties : public TcxCustomComboBoxProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxComboBoxProperties, TcxCustomComboBoxPropertiesClass)
  explicit TcxComboBoxProperties(TPersistent* owner) : TcxComboBoxProperties(owner, StaticClassOperations()) {}

 protected:
  // Enter validates, as in the masked editor.
  TcxComboBoxProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
      : TcxCustomComboBoxProperties(owner, cls) {
    SetValidateOnEnter(true);
  }
};

// The combo box's popup: as wide as the editor or its widest item, as high as its rows.
class TcxComboBoxPopupWindow : public TcxCustomEditPopupWindow {
  CALDERAN_CLASS(TcxComboBoxPopupWindow)
  explicit TcxComboBoxPopupWindow(TcxCustomDropDownEdit* edit) : TcxCustomEditPopupWindow(edit) {}
  void CalculateSize() override;
};

// The list in the popup: rows of a fixed or per-item height, drawn by the owner when asked.
class TcxCustomComboBoxListBox : public TcxCustomEditListBox {
  CALDERAN_CLASS(TcxCustomComboBoxListBox)
  explicit TcxCustomComboBoxListBox(TComponent* owner);
  int RowsHeight(int rows) override;
  void RebuildWindow() override { RecreateWnd(); }
  TcxCustomComboBox* ComboBox() const;
};

class TcxComboBoxListBox : public TcxCustomComboBoxListBox {
  CALDERAN_CLASS(TcxComboBoxListBox)
  explicit TcxComboBoxListBox(TComponent* owner) : TcxCustomComboBoxListBox(owner) {}
  void Dispatch(TMessage& message) override;
  int ItemRowHeight(int index) override;
  void RebuildWindow() override;
  bool DrawItemCustom(int index, const TRect& rect, TOwnerDrawState state) override;
  void ItemLabel(int index, std::string& text) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void MeasureItem(int index, int& height) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
};

class TcxComboBoxLookupData : public TcxCustomTextEditLookupData {
  CALDERAN_CLASS(TcxComboBoxLookupData)
  TcxComboBoxLookupData(TPersistent* owner, IcxLookupEditor* editor) : TcxCustomTextEditLookupData(owner, editor) {}
  TcxEditListBoxFactory GetListBoxClass() override;
  void PlaceList(TWinControl* parent) override;
  void ListPreferredSize(int maxHeight, int widthLimit, TSize& size) override;
  bool AllowsListResize(TSize& size, int maxHeight, int maxWidth) override;
};

class TcxCustomComboBoxViewDataClass : public TcxCustomDropDownEditViewDataClass {
 public:
  using TcxCustomDropDownEditViewDataClass::TcxCustomDropDownEditViewDataClass;
  TcxCustomEditViewData* Create(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                bool inPlace) const override;
};

class TcxCustomComboBoxViewData : public TcxCustomDropDownEditViewData {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomComboBoxViewData, TcxCustomComboBoxViewDataClass)
  using TcxCustomDropDownEditViewData::TcxCustomDropDownEditViewData;
  void ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point, TcxContainerMouseButton button,
                     TShiftState shift, TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) override;
  void PrepareDrawValue(TcxCanvas* canvas, const TVariant& value, TcxCustomEditViewInfo* viewInfo) override;
  bool DrawsComboFace() override { return true; }
};

class TcxCustomComboBoxViewInfoClass : public TcxCustomTextEditViewInfoClass {
 public:
  using TcxCustomTextEditViewInfoClass::TcxCustomTextEditViewInfoClass;
  TcxCustomEditViewInfo* Create() const override;
};

class TcxCustomComboBoxViewInfo : public TcxCustomTextEditViewInfo {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomComboBoxViewInfo, TcxCustomComboBoxViewInfoClass)
  TcxCustomComboBoxViewInfo();
  int ItemIndex = -1;  // the item drawn by the owner in the text area, -1 for none
  virtual void DrawOwnerValue(TcxCustomTextEditViewInfo* sender, TcxCanvas* canvas, const TRect& rect);
};

class TcxCustomComboBoxClass : public TcxCustomDropDownEditClass {
 public:
  using TcxCustomDropDownEditClass::TcxCustomDropDownEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxCustomComboBoxProperties::StaticClassOperations();
  }
};

class TcxCustomComboBox : public TcxCustomDropDownEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomComboBox, TcxCustomComboBoxClass)
  explicit TcxCustomComboBox(TComponent* owner, bool inPlace = false)
      : TcxCustomComboBox(owner, StaticClassOperations(), inPlace) {}

  TcxCustomComboBoxProperties* ActiveProperties() {
    return static_cast<TcxCustomComboBoxProperties*>(EffectiveProperties());
  }
  TcxCustomComboBoxProperties* OwnComboProperties() const {
    return static_cast<TcxCustomComboBoxProperties*>(OwnProperties());
  }
  TcxComboBoxListBox* ListBox();
  // The owner-drawing events of the own properties, then of a repository item's.
  bool HasDrawItemHandler();
  void FireDrawItem(TcxCanvas* canvas, int index, const TRect& rect, TOwnerDrawState state);
  bool HasMeasureItemHandler();
  void FireMeasureItem(TWinControl* list, int index, int& height);

  bool CanDropDown() override;
  TSize GetPopupClientSize() override;
  void LayoutPopup() override;
  void ConfigurePopupWindow() override;
  void HandlePopupShown(TObject* sender) override;
  void InnerEditChanged(TObject* sender) override;

 protected:
  TcxCustomComboBox(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);
  void DblClick() override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void FocusChanged() override;
  bool LookupMayFollowText();
};

class TcxComboBoxClass : public TcxCustomComboBoxClass {
 public:
  using TcxCustomComboBoxClass::TcxCustomComboBoxClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxComboBoxProperties::StaticClassOperations();
  }
};

class TcxComboBox : public TcxCustomComboBox {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxComboBox, TcxComboBoxClass)
  explicit TcxComboBox(TComponent* owner, bool inPlace = false) : TcxComboBox(owner, StaticClassOperations(), inPlace) {}
  TcxComboBoxProperties* Properties() const { return static_cast<TcxComboBoxProperties*>(OwnProperties()); }

 protected:
  TcxComboBox(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace) : TcxCustomComboBox(owner, cls, inPlace) {}
};

// ---------------------------------------------------------------------------------------------
// Filter helpers (cxDropDownEditFilter.cpp)

// A drop-down filter editor keeps its buttons.
class TcxFilterDropDownEditHelper : public TcxFilterMaskEditHelper {
  CALDERAN_CLASS(TcxFilterDropDownEditHelper)
  static const TcxFilterDropDownEditHelper* Instance();
  bool FilterEditHasButtons() const override { return true; }

 protected:
  constexpr TcxFilterDropDownEditHelper() = default;
};

// The filter editor of a combo-box value: a combo box with a plain eight-row list that drops down
// only when asked and accepts typed text.
class TcxFilterComboBoxHelper : public TcxFilterDropDownEditHelper {
  CALDERAN_CLASS(TcxFilterComboBoxHelper)
  static const TcxFilterComboBoxHelper* Instance();
  const TcxCustomEditClass* FilterEditorClass() const override;
  void PrepareFilterProperties(TcxCustomEditProperties* properties, TcxCustomEditProperties* source,
                               bool hasButtons) const override;

 protected:
  constexpr TcxFilterComboBoxHelper() = default;
};

void RegisterComboBoxFilterHelper();
void UnregisterComboBoxFilterHelper();
// The popup edit: the popup hosts a control of the application's choosing

CX_RESOURCESTRING(cxSEditPopupCircularReferencingError, 0xCA0E, "Circular referencing is not allowed")

class TcxCustomPopupEdit;

class TcxCustomPopupEditPropertiesClass : public TcxCustomDropDownEditPropertiesClass {
 public:
  using TcxCustomDropDownEditPropertiesClass::TcxCustomDropDownEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  const TcxCustomEditClass* EditClass() const override;
};

class TcxCustomPopupEditProperties : public TcxCustomDropDownEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomPopupEditProperties, TcxCustomPopupEditPropertiesClass)
  explicit TcxCustomPopupEditProperties(TPersistent* owner)
      : TcxCustomPopupEditProperties(owner, StaticClassOperations()) {}
  ~TcxCustomPopupEditProperties() override;

  // The hosted control, not owned: a control that is freed clears it.
  TControl* PopupControl() const { return popupControl_; }
  void SetPopupControl(TControl* value);

  TcxCustomEditPopupWindow* CreatePopupWindow(TcxCustomDropDownEdit* edit) const override;
  bool PopupTakesFocus() const override { return true; }
  bool ShowsLookupInPopup() const override { return false; }
  void FreeNotified(TComponent* component) override;
  void AssignExtra(TcxCustomEditProperties* source) override;

 protected:
  TcxCustomPopupEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);

 private:
  TControl* popupControl_ = nullptr;
};

class TcxPopupEditProperties : public TcxCustomPopupEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxPopupEditProperties, TcxCustomPopupEditPropertiesClass)
  explicit TcxPopupEditProperties(TPersistent* owner) : TcxPopupEditProperties(owner, StaticClassOperations()) {}

 protected:
  TcxPopupEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);
};

// The popup edit's border: the 3D frame closes with a light inner frame around the hosted control.
class TcxPopupEditPopupWindowViewInfo : public TcxCustomEditPopupWindowViewInfo {
  CALDERAN_CLASS(TcxPopupEditPopupWindowViewInfo)
  TcxPopupEditPopupWindowViewInfo() = default;
  void PaintPopupBorder(TcxCanvas* canvas, TRect& rect) override;
};

class TcxPopupEditPopupWindow : public TcxCustomEditPopupWindow {
  CALDERAN_CLASS(TcxPopupEditPopupWindow)
  explicit TcxPopupEditPopupWindow(TcxCustomDropDownEdit* edit)
      : TcxCustomEditPopupWindow(edit, new TcxPopupEditPopupWindowViewInfo) {}
};

// Where the hosted control was before the popup took it.
struct TcxSavedPopupControl {
  TAlign Align = alNone;
  TRect Bounds;
  TWinControl* Parent = nullptr;
  bool Visible = false;
  TFormBorderStyle BorderStyle = bsNone;  // only for a form
};

class TcxCustomPopupEditClass : public TcxCustomDropDownEditClass {
 public:
  using TcxCustomDropDownEditClass::TcxCustomDropDownEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxCustomPopupEditProperties::StaticClassOperations();
  }
};

class TcxCustomPopupEdit : public TcxCustomDropDownEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomPopupEdit, TcxCustomPopupEditClass)
  explicit TcxCustomPopupEdit(TComponent* owner, bool inPlace = false)
      : TcxCustomPopupEdit(owner, StaticClassOperations(), inPlace) {}
  ~TcxCustomPopupEdit() override;

  TcxCustomPopupEditProperties* ActiveProperties() {
    return static_cast<TcxCustomPopupEditProperties*>(EffectiveProperties());
  }
  const TcxSavedPopupControl& SavedPopupControl() const { return saved_; }

  // Closes the popup once the current message is handled, leaving the reason for OnCloseUp: for
  // code running inside the hosted control, such as an OK button on a hosted form.
  virtual void CloseWithReason(TcxPopupCloseReason reason);
  // Gives the hosted control back its parent, alignment, bounds, visibility and border.
  virtual void RestorePopupControl();
  // Remembers where the hosted control is before the popup takes it.
  virtual void SavePopupControl();

  bool CanDropDown() override { return ActiveProperties()->PopupControl() != nullptr; }
  TWinControl* GetPopupFocusedControl() override;
  TSize GetPopupClientSize() override;
  void SetLookupBounds(const TRect& rect) override;
  void InitPopup() override;
  void LayoutPopup() override;
  void HandlePopupClosed(TObject* sender) override;

 protected:
  TcxCustomPopupEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);

 private:
  bool IsCircularReference(TControl* control);
  TcxSavedPopupControl saved_;
  // The control the saved state belongs to while the popup holds it, else none.
  TControl* hosted_ = nullptr;
};

class TcxPopupEditClass : public TcxCustomPopupEditClass {
 public:
  using TcxCustomPopupEditClass::TcxCustomPopupEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxPopupEditProperties::StaticClassOperations();
  }
};

class TcxPopupEdit : public TcxCustomPopupEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxPopupEdit, TcxPopupEditClass)
  explicit TcxPopupEdit(TComponent* owner, bool inPlace = false) : TcxPopupEdit(owner, StaticClassOperations(), inPlace) {}
  TcxPopupEditProperties* Properties() const { return static_cast<TcxPopupEditProperties*>(OwnProperties()); }

 protected:
  TcxPopupEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace) : TcxCustomPopupEdit(owner, cls, inPlace) {}
};

// Called by the module's start-up.
void RegisterDropDownEditPublishedProperties();

extern const TUnitInfo cxDropDownEditUnit;
