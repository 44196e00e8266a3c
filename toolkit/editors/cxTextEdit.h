// The single-line text editor: its platform EDIT window (the inner text edit), the settings all text
// editors share, and the editor control that decides which typed, pasted and assigned text it takes.
// Leaves out: glass painting of the inner edit (the container has no glass flag, and Wine here has
// no desktop composition); the IME composition window is not exercised.
#pragma once
#include <bitset>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "StdCtrls.h"
#include "cxEdit.h"
#include "cxFormats.h"
#include "cxTextEditLookupData.h"
#include "cxTextOut.h"

class TcxCustomTextEdit;
class TcxCustomTextEditViewData;
class TcxCustomTextEditViewInfo;

// The properties' supported-operation bit that lets a single-line editor grow to wrapped text.
inline constexpr uint16_t cxEditOperationAutoHeight = 0x002;
// The view info's paint option that ends clipped text with an ellipsis.
inline constexpr uint8_t epoShowEndEllipsis = 8;

// Hears the regional-settings change for its owner and passes it on.
class TcxFormatChangeLink : public IcxFormatListener {
 public:
  explicit TcxFormatChangeLink(std::function<void()> handler);
  ~TcxFormatChangeLink();
  void FormatChanged() override { handler_(); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(-1); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(-1); }

 private:
  std::function<void()> handler_;
};

enum TcxEditEchoMode : uint8_t { eemNormal, eemPassword };
// The input-method mode handed to an EDIT window.
enum TImeMode : uint8_t { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata,
                          imChinese, imSHanguel, imHanguel };

CX_RESOURCESTRING(scxSEditValueOutOfBounds, 0xC9C0, "Value out of bounds")
CX_RESOURCESTRING(scxSEditNumericValueConvertError, 0xC9C1, "Could not convert to numeric value")

class TcxCustomInnerTextEdit;

// What every editor with a text surface (text, masked, drop-down editors, the memo) asks of its
// inner EDIT window, through the window's companion object.
class IcxInnerTextEdit {
 public:
  virtual TcxCustomInnerTextEdit* HostedControl() = 0;
  virtual TcxCustomTextEdit* OwnerContainer() = 0;
  virtual LRESULT CallDefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual TVariant ReadEditValue() = 0;
  virtual void HoldBounds(bool lock) = 0;
  virtual bool FocusWithoutAutoSelect() = 0;
  virtual void WriteEditValue(const TVariant& value) = 0;
  virtual void ClearSelection() = 0;
  virtual void CopyToClipboard() = 0;
  virtual TAlignment ReadAlignment() = 0;
  virtual bool ReadAutoSelect() = 0;
  virtual TEditCharCase ReadCharCase() = 0;
  virtual TcxEditEchoMode ReadEchoMode() = 0;
  virtual bool ReadHideSelection() = 0;
  virtual char ReadImeTrailChar() = 0;
  virtual bool ReadKeyTaken() = 0;
  virtual int ReadMaxLength() = 0;
  virtual bool ReadMultiLine() = 0;
  virtual bool ReadOEMConvert() = 0;
  virtual char ReadPasswordChar() = 0;
  virtual int ReadSelLength() = 0;
  virtual int ReadSelStart() = 0;
  virtual std::string ReadSelText() = 0;
  virtual void SelectAll() = 0;
  virtual void WriteAlignment(TAlignment value) = 0;
  virtual void WriteAutoSelect(bool value) = 0;
  virtual void WriteCharCase(TEditCharCase value) = 0;
  virtual void WriteEchoMode(TcxEditEchoMode value) = 0;
  virtual void WriteHideSelection(bool value) = 0;
  virtual void WriteKeyTaken(bool value) = 0;
  virtual void WriteMaxLength(int value) = 0;
  virtual void WriteOEMConvert(bool value) = 0;
  virtual void WritePasswordChar(char value) = 0;
  virtual void WriteSelLength(int value) = 0;
  virtual void WriteSelStart(int value) = 0;
  virtual void WriteSelText(const std::string& text) = 0;
  virtual bool UsesLeftAlignmentOnEditing() = 0;

 protected:
  ~IcxInnerTextEdit() = default;
};

// The companion of an inner EDIT window: answers IcxInnerTextEdit for it.
class TcxCustomInnerTextEditHelper : public IcxInnerTextEdit {
 public:
  explicit TcxCustomInnerTextEditHelper(TcxCustomInnerTextEdit* edit) : edit_(edit) {}
  TcxCustomInnerTextEdit* HostedControl() override { return edit_; }
  TcxCustomTextEdit* OwnerContainer() override;
  LRESULT CallDefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  TVariant ReadEditValue() override;
  void HoldBounds(bool lock) override;
  bool FocusWithoutAutoSelect() override;
  void WriteEditValue(const TVariant& value) override;
  void ClearSelection() override;
  void CopyToClipboard() override;
  TAlignment ReadAlignment() override;
  bool ReadAutoSelect() override;
  TEditCharCase ReadCharCase() override;
  TcxEditEchoMode ReadEchoMode() override;
  bool ReadHideSelection() override;
  char ReadImeTrailChar() override;
  bool ReadKeyTaken() override;
  int ReadMaxLength() override;
  bool ReadMultiLine() override;
  bool ReadOEMConvert() override;
  char ReadPasswordChar() override;
  int ReadSelLength() override;
  int ReadSelStart() override;
  std::string ReadSelText() override;
  void SelectAll() override;
  void WriteAlignment(TAlignment value) override;
  void WriteAutoSelect(bool value) override;
  void WriteCharCase(TEditCharCase value) override;
  void WriteEchoMode(TcxEditEchoMode value) override;
  void WriteHideSelection(bool value) override;
  void WriteKeyTaken(bool value) override;
  void WriteMaxLength(int value) override;
  void WriteOEMConvert(bool value) override;
  void WritePasswordChar(char value) override;
  void WriteSelLength(int value) override;
  void WriteSelStart(int value) override;
  void WriteSelText(const std::string& text) override;
  bool UsesLeftAlignmentOnEditing() override;

 private:
  TcxCustomInnerTextEdit* edit_;
};

// The platform EDIT window the text editor hosts: no border or background of its own (the editor
// paints them); its keys and clipboard traffic go to the editor first.
class TcxCustomInnerTextEdit : public TCustomEdit, public IcxCustomInnerEdit {
  CALDERAN_CLASS(TcxCustomInnerTextEdit)
  explicit TcxCustomInnerTextEdit(TComponent* owner);
  ~TcxCustomInnerTextEdit() override;

  TWinControl* Control() override { return this; }
  bool CanFocus() override { return TCustomEdit::CanFocus(); }
  void SafelySetFocus() override { SetFocus(); }
  void SetReadOnly(bool value) override { TCustomEdit::SetReadOnly(value); }
  void SetOnChange(const TNotifyEvent& handler) override { OnChange = handler; }

  TAlignment Alignment() const { return alignment_; }
  // The alignment is a window style: a different value re-creates the window.
  void WriteAlignment(TAlignment value);
  TcxEditEchoMode EchoMode() const { return echoMode_; }
  void WriteEchoMode(TcxEditEchoMode value);
  char EchoChar() const { return echoChar_; }
  void WritePasswordChar(char value);
  bool HideSelection() const { return hideSelection_; }
  // Window styles: a different value re-creates the window.
  void WriteHideSelection(bool value);
  bool OEMConvert() const { return oemConvert_; }
  void WriteOEMConvert(bool value);
  TImeMode ImeMode() const { return imeMode_; }
  void WriteImeMode(TImeMode value) { imeMode_ = value; }
  const std::string& ImeName() const { return imeName_; }
  void WriteImeName(const std::string& value) { imeName_ = value; }
  // Bounds changes are ignored while held (and while the control is being built).
  void HoldBounds(bool lock);
  void SetBounds(int left, int top, int width, int height) override;
  virtual bool ReadMultiLine() const { return false; }
  bool KeyTaken() const { return keyTaken_; }
  void WriteKeyTaken(bool value) { keyTaken_ = value; }
  // While an IME character arrives the selection reads as it was when the character started.
  int ReadSelStart();
  int ReadSelLength();
  void WriteSelStart(int value) { imeCharState_ > 0 ? void(savedSelStart_ = value) : SetSelStart(value); }
  void WriteSelLength(int value) { imeCharState_ > 0 ? void(savedSelLength_ = value) : SetSelLength(value); }
  char ReadImeTrailChar() const { return imeCharState_ == 2 ? imeTrailChar_ : '\0'; }
  // The character index of the caret, found from the caret's pixel position.
  int CaretIndexFromCaretPos();
  // The EDIT class's own window procedure, bypassing every handler of the control.
  LRESULT CallDefaultWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Emulates a double click after the click that focused the editor (the window was re-created
  // under the mouse, so the system saw only one click).
  TcxTimer* ClickTimer() const { return clickTimer_.get(); }
  IcxInnerTextEdit* Companion() const { return companion_.get(); }
  // Left alignment while focused, for editors whose properties ask for it.
  bool UsesLeftAlignmentOnEditing();

  TNotifyEvent OnSelectionChanged;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& message) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void KeyUp(Word& key, TShiftState shift) override;
  // Passed on to the editor, in its coordinates.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  TcxCustomTextEdit* Editor() const;

 private:
  struct TPrevState {
    bool HasText = false;
    std::string Text;
    int SelLength = 0, SelStart = 0;
  };
  TPrevState SaveState();
  bool StateChanged(const TPrevState& state);
  void HandleKeyDown(TMessage& message);
  void HandleFocus(TMessage& message);
  void HandleLeftButton(TMessage& message);
  void ApplyEditingAlignment();
  void ClickTimerTick(TObject*) { clickTimer_->SetEnabled(false); }
  void ApplyPasswordChar();
  void SetMargins();
  void HandleClipboardMessage(TMessage& message);
  void HandleImeChar(TMessage& message);
  void HandleChar(TMessage& message);
  LRESULT DialogCode(TMessage& message);

  std::unique_ptr<TcxTimer> clickTimer_;
  std::unique_ptr<TcxCustomInnerTextEditHelper> companion_;
  TAlignment alignment_ = taLeftJustify;
  bool hideSelection_ = true, oemConvert_ = false, underConstruction_ = true;
  int boundsLockCount_ = 0;
  TImeMode imeMode_ = imDontCare;
  std::string imeName_;
  TcxEditEchoMode echoMode_ = eemNormal;
  char echoChar_ = '\0';
  int imeCharState_ = 0;
  char imeTrailChar_ = '\0';
  bool keyTaken_ = false;
  bool settingAlignment_ = false;
  int savedSelStart_ = 0, savedSelLength_ = 0;
};

// Which of the settings a data source could also supply were set explicitly.
class TcxTextEditPropertiesValues : public TcxCustomEditPropertiesValues {
  CALDERAN_CLASS(TcxTextEditPropertiesValues)
  explicit TcxTextEditPropertiesValues(TcxCustomEditProperties* owner) : TcxCustomEditPropertiesValues(owner) {}
  bool DisplayFormat() const { return displayFormat_; }
  void SetDisplayFormat(bool value);
  bool EditFormat() const { return editFormat_; }
  void SetEditFormat(bool value);
  bool MaxLength() const { return maxLength_; }
  void SetMaxLength(bool value);
  void Assign(TPersistent* source) override;
  void RestoreDefaults() override;
  // An assigned empty format reaches a stored form only through its flag.
  bool IsDisplayFormatStored() const;
  bool IsEditFormatStored() const;

 private:
  bool displayFormat_ = false, editFormat_ = false, maxLength_ = false;
};

using TcxLookupDataFactory = TcxCustomTextEditLookupData* (*)(TPersistent* owner, IcxLookupEditor* editor);
enum TcxTextEditViewStyle : uint8_t { vsNormal, vsHideCursor, vsButtonsOnly, vsButtonsAutoWidth };
using TcxNewLookupDisplayTextEvent = TEvent<void(TObject* Sender, const std::string& Text)>;
// The 8-bit characters an editor accepts on top of its data source's rule.
using TcxCharSet = std::bitset<256>;

// The settings all text editors share.
class TcxCustomTextEditPropertiesClass : public TcxCustomEditPropertiesClass {
 public:
  using TcxCustomEditPropertiesClass::TcxCustomEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  TClass AssignedFlagsClass() const override;
  const TcxCustomEditClass* EditClass() const override;
  const TcxCustomEditViewDataClass* ViewDataClass(TcxCustomEditStyle* style, bool inPlace) const override;
  const TcxCustomEditViewInfoClass* ViewInfoClass() const override;
};

class TcxCustomTextEditProperties : public TcxCustomEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomTextEditProperties, TcxCustomTextEditPropertiesClass)
  explicit TcxCustomTextEditProperties(TPersistent* owner)
      : TcxCustomTextEditProperties(owner, StaticClassOperations()) {}
  ~TcxCustomTextEditProperties() override;

  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase value) { StoreCharCase(value); }
  TcxEditEchoMode EchoMode() const { return echoMode_; }
  void SetEchoMode(TcxEditEchoMode value) { SetNotifying(echoMode_, value); }
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char value) { SetNotifying(passwordChar_, value); }
  bool HideCursor() const { return hideCursor_; }
  void SetHideCursor(bool value) { SetNotifying(hideCursor_, value); }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value) { SetNotifying(hideSelection_, value); }
  TImeMode ImeMode() const { return imeMode_; }
  void SetImeMode(TImeMode value) { SetNotifying(imeMode_, value); }
  const std::string& ImeName() const { return imeName_; }
  void SetImeName(const std::string& value) { SetNotifying(imeName_, value); }
  bool ImmediateUpdateText() const { return immediateUpdateText_; }
  void SetImmediateUpdateText(bool value) { SetNotifying(immediateUpdateText_, value); }
  bool IncrementalSearch() const { return incrementalSearch_; }
  void SetIncrementalSearch(bool value) { SetNotifying(incrementalSearch_, value); }
  bool ListSearchHighlight() const { return listSearchHighlight_; }
  void SetListSearchHighlight(bool value);
  bool OEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool value) { SetNotifying(oemConvert_, value); }
  bool UseDisplayFormatWhenEditing() const { return useDisplayFormatWhenEditing_; }
  void SetUseDisplayFormatWhenEditing(bool value) { SetNotifying(useDisplayFormatWhenEditing_, value); }
  bool WholeTextLookup() const { return wholeTextLookup_; }
  void SetWholeTextLookup(bool value) { SetNotifying(wholeTextLookup_, value); }
  const TcxCharSet& ExtraAllowedChars() const { return extraAllowedChars_; }
  void SetExtraAllowedChars(const TcxCharSet& value) { extraAllowedChars_ = value; }
  TStringList* LookupItems() const { return lookupItems_.get(); }
  void SetLookupItems(TStrings* value) { lookupItems_->Assign(value); }
  bool LookupItemsSorted() const { return lookupItems_->Sorted(); }
  void SetLookupItemsSorted(bool value) { lookupItems_->SetSorted(value); }
  TcxTextEditViewStyle ViewStyle() const;
  void SetViewStyle(TcxTextEditViewStyle value);
  bool InFormatChange() const { return inFormatChange_; }
  // Characters, 0 = unlimited; a negative value is stored as 0.
  int MaxLength() const { return AssignedTextValues()->MaxLength() ? maxLength_ : GetDefaultMaxLength(); }
  void SetMaxLength(int value);
  bool IsMaxLengthAssigned() const { return AssignedTextValues()->MaxLength(); }
  // Number formats (meaningful once assigned).
  std::string DisplayFormat() const;
  void SetDisplayFormat(const std::string& value);
  std::string EditFormat() const;
  void SetEditFormat(const std::string& value);
  TcxTextEditPropertiesValues* AssignedTextValues() const {
    return static_cast<TcxTextEditPropertiesValues*>(AssignedValues());
  }
  // The value's display text: unacceptable list texts as they are, the rest through EditValueToDisplay.
  void PrepareDisplayText(const TVariant& value, std::string& text, bool focused);
  // Reading a stored "IsDisplayFormatAssigned" keeps an assigned empty format.
  void ReadIsDisplayFormatAssigned(bool value);
  bool IsDisplayFormatAssigned() const { return AssignedTextValues()->DisplayFormat(); }
  bool IsMaxLengthStored() const { return IsMaxLengthAssigned(); }

  TcxNewLookupDisplayTextEvent OnNewLookupDisplayText;

  virtual void HandleFormatChanged();
  virtual void CheckValueBounds(const TVariant& displayValue, std::string& errorText, TcxCustomEdit* editor,
                                bool& error);
  virtual void GetEmptyDisplayValue(TVariant& value) const { value = TVariant(std::string()); }
  virtual bool FindLookupText(const std::string& text);
  virtual std::string GetDefaultDisplayFormat() const { return {}; }
  virtual int GetDefaultMaxLength() const;
  virtual int GetLookupPageSize() const { return 8; }
  virtual TcxTextEditingStyle GetEditingStyle() const { return hideCursor_ ? tesNoEdit : tesFree; }
  virtual bool UsesThousandSeparator(bool /*displaying*/) const { return false; }
  virtual void ResolveEditFormat(bool& isCurrency, bool& isOnGetText, std::string& format, TcxCustomEdit* editor) const;
  virtual bool SupportsValueRange() const { return false; }
  virtual bool ShowsLookupInPopup() const { return false; }
  virtual bool HasMultipleLines() const { return false; }
  virtual bool ForwardsKeyToPopup(Word, TShiftState) const { return false; }
  virtual bool HasValueBound(bool isMax) const;
  virtual bool HasValueRange() const { return HasValueBound(false) || HasValueBound(true); }
  virtual void HandleItemsChanged(TObject*) { NotifyChanged(); }
  virtual void HandleMaxLengthChanged() { NotifyChanged(); }
  virtual void StoreCharCase(TEditCharCase value) { SetNotifying(charCase_, value); }
  // The lookup data the editors of these properties own.
  virtual TcxLookupDataFactory GetLookupDataClass() const;
  bool HasLookupData() const { return GetLookupDataClass() != nullptr; }
  // Password echo, else the forced letter case.
  virtual void MaskDisplayText(std::string& text) const;
  // List styles take only lookup texts (or nothing); a valid text gets the letter case.
  virtual bool NormalizeDisplayValue(TVariant& value, bool editFocused);

  void AlignmentObjectChanged(TObject* sender) override;
  void StoreAlignment(TcxEditAlignment* value) override;
  bool ValidatesDisplayValue() const override { return true; }
  uint8_t FormatOptions() const override { return cxEditFormatDisplay; }
  bool HooksInnerEditChange() const override { return true; }
  bool DetectsValueChange() const override { return true; }
  uint16_t GetSupportedOperations() const override;
  bool HasEditValueKind(int) const override { return true; }
  bool SupportsValueReset() const override { return GetEditingStyle() != tesNoEdit; }
  bool CanCompareValues(const TVariant& value, bool editFocused) const override;
  bool EditValuesEqual(const TVariant& value1, const TVariant& value2) override;
  void EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool editing) override;
  std::u16string FormatDisplayValue(const TVariant& editValue) override;
  void CheckDisplayValue(TVariant& displayValue, std::string& errorText, TcxCustomEdit* editor, bool& error) override;
  void AssignExtra(TcxCustomEditProperties* source) override;

 protected:
  TcxCustomTextEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);

 private:
  void LookupItemsChanged(TObject* sender) { HandleItemsChanged(sender); }
  std::string FormatNumber(const TVariant& value, bool editing);
  TEditCharCase charCase_ = ecNormal;
  std::string displayFormat_, editFormat_;
  TcxEditEchoMode echoMode_ = eemNormal;
  bool listSearchHighlight_ = true, inFormatChange_ = false, hideCursor_ = false, hideSelection_ = true;
  TImeMode imeMode_ = imDontCare;
  std::string imeName_;
  bool immediateUpdateText_ = false, incrementalSearch_ = true;
  std::unique_ptr<TStringList> lookupItems_;
  int maxLength_ = 0;
  bool wholeTextLookup_ = false, oemConvert_ = false;
  char passwordChar_ = '\0';
  bool useDisplayFormatWhenEditing_ = false;
  TcxCharSet extraAllowedChars_;
  std::unique_ptr<TcxFormatChangeLink> formatLink_;
};

// The variant's string form; empty for Null, Empty and arrays.
std::string VarToText(const TVariant& value);

class TcxTextEditProperties : public TcxCustomTextEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxTextEditProperties, TcxCustomTextEditPropertiesClass)
  explicit TcxTextEditProperties(TPersistent* owner) : TcxTextEditProperties(owner, StaticClassOperations()) {}

 protected:
  TcxTextEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
      : TcxCustomTextEditProperties(owner, cls) {}
};

// The clipboard's text, empty when it holds none.
std::string ClipboardText(HWND owner);

// ---------------------------------------------------------------------------------------------
// Text layout and painting shared by every editor that shows a text

// The rows of a view info's text, laid out once per layout and drawn from then on.
struct TcxTextOutData {
  bool EllipsisForced = false;
  bool IsPrepared = false;
  int RowTotal = 0;
  int SelStart = 0, SelLength = 0;
  TColor HighlightBackColor = clHighlight, HighlightTextColor = clHighlightText;
  TcxTextLayoutParams RowLayout;
  TRect TextArea;
  TcxTextRows RowList;  // point into RowText
  std::string RowText;  // the text the rows were built from
};

class TcxCustomTextEditViewDataClass : public TcxCustomEditViewDataClass {
 public:
  using TcxCustomEditViewDataClass::TcxCustomEditViewDataClass;
  TcxCustomEditViewData* Create(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                bool inPlace) const override;
};

class TcxCustomTextEditViewData : public TcxCustomEditViewData {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomTextEditViewData, TcxCustomTextEditViewDataClass)
  TcxCustomTextEditViewData(TcxCustomEditProperties* properties, TcxCustomEditStyle* style, bool inPlace);

  bool ProviderFormatsValues = false;  // values shown in their plain string form

  virtual bool InnerEditShowsText();
  virtual int MaxRowCount() { return MaxLineCount; }
  virtual bool DrawsComboFace() { return false; }
  virtual void PrepareDrawTextFlags(TcxCanvas* canvas, TcxCustomTextEditViewInfo* viewInfo);
  virtual void ApplyDisplayText(const TVariant& displayValue, TcxCustomTextEditViewInfo* viewInfo);
  virtual uint32_t TextOutFlags();
  virtual void TextInsets(TRect& offsets);

  void PrepareButtonThemeInfo(TcxEditButtonViewInfo* button) override;
  void LoadFromProperties() override;
  void ValueToDisplayText(const TVariant& value, std::string& text) override;
  TSize MeasureContent(TcxCanvas* canvas, const TVariant& value, const TcxEditSizeProperties& request) override;
  void ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point, TcxContainerMouseButton button,
                     TShiftState shift, TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) override;
  void PrepareDrawValue(TcxCanvas* canvas, const TVariant& value, TcxCustomEditViewInfo* viewInfo) override;
  TRect ComputeNonContentExtent(TcxCanvas* canvas, TcxCustomEditViewInfo* viewInfo) override;

  // Whether list styles keep a pixel around the text for the focus rectangle.
  bool ReservesFocusRectPixel();
  TcxCustomTextEditProperties* TextProperties() const;

 private:
  void ApplyAutoHeightFlags(TcxCanvas* canvas, TcxCustomTextEditViewInfo* viewInfo);
  void CopySelection(TcxCustomTextEditViewInfo* viewInfo);
};

// The size a text needs in an editor: the best fit (request width below 0) or the height at the
// requested width. lineCount (0 = none) fixes the number of lines (the memo's visible lines).
TSize MeasureTextEditContent(TcxCanvas* canvas, TcxCustomTextEditViewData* viewData, const std::string& text,
                             uint32_t flags, const TcxEditSizeProperties& request, int lineCount,
                             bool addCorrectionWidth);

using TcxDrawValueEvent = TEvent<void(TcxCustomTextEditViewInfo* Sender, TcxCanvas* Canvas, const TRect& Rect)>;

class TcxCustomTextEditViewInfoClass : public TcxCustomEditViewInfoClass {
 public:
  using TcxCustomEditViewInfoClass::TcxCustomEditViewInfoClass;
  TcxCustomEditViewInfo* Create() const override;
};

class TcxCustomTextEditViewInfo : public TcxCustomEditViewInfo {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomTextEditViewInfo, TcxCustomTextEditViewInfoClass)
  TcxCustomTextEditViewInfo() = default;

  bool ComboFace = false;
  TcxDrawValueEvent OnDrawValue;
  bool SelectionBarDrawn = false;
  uint32_t DrawFlags = 0;
  TcxTextEditingStyle TypingStyle = tesFree;
  bool PopupOpen = false;
  bool InnerEditShowsText = false;
  bool OwnerDrawValue = false;
  int RowLimit = 0;
  int SelStart = 0, SelLength = 0;
  TColor HighlightTextColor = clHighlightText, HighlightBackColor = clHighlight;
  std::string Text;
  TcxTextOutData PreparedText;
  TRect TextArea;

  virtual void PaintText(TcxCanvas* canvas);

  // Whether the text under the point is clipped: the hint's text, box (editor coordinates) and
  // whether it wraps. Empty visible bounds mean the text area.
  using TcxCustomEditViewInfo::HintNeededAt;
  virtual bool HintNeededAt(TcxCanvas* canvas, const TPoint& point, TRect& hintBox, bool& wraps,
                            std::string& hintText, const TRect& visibleBounds);
  void PaintBody(TcxCanvas* canvas) override;
  void Shift(int dx, int dy) override;

 protected:
  void PrepareRows(TcxCanvas* canvas);

 private:
  void DrawFocusFrame(TcxCanvas* canvas, const TRect& rect);
  bool DrawsOwnText() const;
};

// Grouping of number texts by the locale's separators.
void GroupThousands(std::string& text);
void StripThousandSeparators(std::string& text);
bool IsPlainNumber(const std::string& text);

class TcxCustomTextEditClass : public TcxCustomEditClass {
 public:
  using TcxCustomEditClass::TcxCustomEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxCustomTextEditProperties::StaticClassOperations();
  }
  TClass InnerEditClass() const override { return TcxCustomInnerTextEdit::StaticClass(); }
};

class TcxCustomTextEdit : public TcxCustomEdit, public IcxLookupEditor {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomTextEdit, TcxCustomTextEditClass)
  explicit TcxCustomTextEdit(TComponent* owner, bool inPlace = false)
      : TcxCustomTextEdit(owner, StaticClassOperations(), inPlace) {}
  ~TcxCustomTextEdit() override;

  TcxCustomTextEditProperties* ActiveProperties() const;
  TcxCustomInnerTextEdit* InnerTextEdit() const;
  std::string Text() const;
  void SetText(const std::string& text);
  bool BeepOnEnter() const { return beepOnEnter_; }
  void SetBeepOnEnter(bool value) { beepOnEnter_ = value; }
  // The selection; 0 where the editing style shows none (no-edit, fixed list without a found text).
  int SelStart();
  void SetSelStart(int value);
  int SelLength();
  void SetSelLength(int value);
  void SelectRange(int start, int length);
  // The character index under the caret (the masked editor's).
  int CaretCharPosition();
  int ItemIndex() { return ReadItemIndex(); }
  void SetItemIndex(int index) { WriteItemIndex(index); }
  TcxCustomTextEditLookupData* LookupData() const { return lookupData_.get(); }
  // The inner EDIT window's companion; nil without one.
  IcxInnerTextEdit* GetInnerTextEdit() const { return InnerTextEdit() ? InnerTextEdit()->Companion() : nullptr; }
  IcxTextEditLookupData* GetLookupData() const { return lookupData_.get(); }
  bool FoundTextSelected() const { return foundTextSelected_; }
  void SetFoundTextSelected(bool value);
  bool PopupClosedByKey() const { return popupClosedByKey_; }
  void SetPopupClosedByKey(bool value) { popupClosedByKey_ = value; }
  bool LookupSyncLocked() const { return lookupSyncLocked_; }
  bool ScrollingLookup() const { return scrollingLookup_; }

  // Tests a text for insertion at the selection: the resulting text and the caret after it.
  bool CheckTextInsertion(const std::string& text, std::string& newText, int& caret);
  virtual void InsertText(const std::string& text);
  void PasteSelection() override;
  void CutSelection() override;
  void CopySelectedText() override;
  virtual void RemoveSelectedText();

  // A regional-settings change re-formats the shown text.
  void HandleFormatChanged();

  // --- the text editor's own operations
  virtual void RefreshFromProperties();
  virtual void ApplyStyleToInnerEdit();
  virtual void CheckRangeOnBinding();
  virtual void HandleValueRange() {}
  virtual void FireNewLookupDisplayText(const std::string& text);
  virtual int GetInnerFontHeight();
  virtual int ReadItemIndex();
  virtual TObject* GetSelectedItemObject();
  virtual bool AllowsLookupScrolling(bool /*byWheel*/) { return false; }
  virtual void SelectLookupItem(TObject* sender);
  virtual std::string WindowTextSource();
  virtual bool TryApplyText(const std::string& text) { return IsDisplayTextValid(text); }
  virtual void ItemIndexToKey(int index, TVariant& key) { key = TVariant(int32_t(index)); }
  virtual void KeyToEditValue(const TVariant& key, TVariant& value);
  virtual int KeyToItemIndex(const TVariant& key);
  virtual bool IsUnboundStandalone();
  virtual void EndFindSelection();
  virtual void InnerSelectionChanged(TObject*) {}
  virtual void SetTextByKeyboard(const std::string& text);
  virtual void WriteItemIndex(int index);
  virtual void AfterUndo() {}
  virtual void ValidateListText();
  virtual void ResetValue() { RestorePreviousValue(); }

  // --- the framework's operations
  void DisplayValueText(std::string& text) override;
  void ShowDisplayValue(const TVariant& value) override;
  void UpdateDisplayFromValue() override;
  void UpdateInnerEditText() override;
  void ReadInnerValue(TVariant& value) override;
  void ApplyDisplayValue(const TVariant& value) override;
  void SetDisplayValueKeepingState(const TVariant& value) override;
  void DisplayToEditValue(const TVariant& display, TVariant& value, bool) override { value = display; }
  void SelectAllText() override;
  bool CharModifiesValue(char ch) override;
  bool IsCharAllowed(char ch) override;
  bool IsValueChangingKey(Word key, TShiftState shift) override;
  bool CanPostValue() override;
  bool SupportsInnerKeyNavigation() override { return true; }
  bool UsesInnerEditBounds() override;
  void AdjustInnerEditBounds() override;
  void FillAutoSizeParams(TcxEditSizeProperties& request) override;
  void RefreshDisplayText() override;
  void InnerEditChanged(TObject* sender) override;
  void ApplyPropertiesChange(TObject* properties) override;
  bool IsDisplayTextValid(const std::string& text) override;
  void HandleEditKeyDown(Word& key, TShiftState shift) override;
  void HandleEditKeyPress(char& key) override;
  bool RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                        bool isMouseEvent) override;
  void CalcInnerControlRegion(const TRect& alignRect, TControl* control,
                              TcxContainerInnerControlBounds& region) override;
  void Loaded() override;

  // --- IcxLookupEditor
  TStrings* LookupItems() override { return ActiveProperties()->LookupItems(); }
  TcxTextEditingStyle LookupEditingStyle() override { return ActiveProperties()->GetEditingStyle(); }
  bool WholeTextLookup() override { return ActiveProperties()->WholeTextLookup(); }
  bool ImmediateUpdateText() override { return ActiveProperties()->ImmediateUpdateText(); }
  int LookupPageSize() override { return ActiveProperties()->GetLookupPageSize(); }
  std::string LookupEditText() override { return Text(); }
  bool RequestLookupEditing() override { return RequestEditing(); }
  bool SwitchingEditMode() override { return false; }
  void LockLookupResync(bool lock) override { lookupSyncLocked_ = lock; }
  TColor LookupListColor() override;
  TFont* LookupListFont() override;

 protected:
  TcxCustomTextEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);
  void WndProc(TMessage& message) override;
  void DoExit() override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  // The keyboard-action flag held for one text operation and given back afterwards.
  struct TKeyboardActionScope {
    TKeyboardActionScope(TcxCustomTextEdit* edit, bool value) : edit_(edit), old_(edit->KeyboardAction()) {
      edit_->SetKeyboardAction(value);
    }
    ~TKeyboardActionScope() { edit_->SetKeyboardAction(old_); }
    TcxCustomTextEdit* edit_;
    bool old_;
  };

 private:
  void RegroupThousands();
  LRESULT GetTextMessage(TMessage& message);
  bool ShowsGroupedNumbers();
  bool ScrollLookup(TcxLookupMove direction);
  bool HandleNavigationKey(Word& key, TShiftState shift);
  void HandleSearchKey(char& key);
  bool SearchStep(std::string text);
  std::string SearchTextFor(char key, TcxTextEditingStyle style, bool foundBefore);
  void HandleSearchBackspace(char& key, TcxTextEditingStyle style);
  void PrepareListSelection(TcxCustomTextEditViewInfo* viewInfo);
  bool IsEditFocusedDisplay();
  std::string finalText_;
  std::unique_ptr<TcxFormatChangeLink> formatLink_;
  std::unique_ptr<TcxCustomTextEditLookupData> lookupData_;
  int itemIndex_ = -1;
  bool beepOnEnter_ = true, settingTextByMessage_ = false, regrouping_ = false, foundTextSelected_ = false;
  bool scrollingLookup_ = false, placingInnerEdit_ = false, popupClosedByKey_ = false, lookupSyncLocked_ = false;
};

class TcxTextEditClass : public TcxCustomTextEditClass {
 public:
  using TcxCustomTextEditClass::TcxCustomTextEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override {
    return TcxTextEditProperties::StaticClassOperations();
  }
};

class TcxTextEdit : public TcxCustomTextEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxTextEdit, TcxTextEditClass)
  explicit TcxTextEdit(TComponent* owner, bool inPlace = false) : TcxTextEdit(owner, StaticClassOperations(), inPlace) {}
  TcxTextEditProperties* Properties() const { return static_cast<TcxTextEditProperties*>(OwnProperties()); }

 protected:
  TcxTextEdit(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace) : TcxCustomTextEdit(owner, cls, inPlace) {}
};
// The filter editor of a text value is a text editor with its text selected on entry.
class TcxFilterTextEditHelper : public TcxCustomFilterEditHelper {
  CALDERAN_CLASS(TcxFilterTextEditHelper)
  static const TcxFilterTextEditHelper* Instance();
  const TcxCustomEditClass* FilterEditorClass() const override;
  void PrepareFilterProperties(TcxCustomEditProperties* properties, TcxCustomEditProperties* source,
                               bool hasButtons) const override;
  void WriteFilterValue(TcxCustomEdit* editor, TcxCustomEditProperties*, const TVariant& value) const override {
    editor->SetEditValue(value);
  }

 protected:
  constexpr TcxFilterTextEditHelper() = default;
};

// What a stored form may set on a text editor and on its properties, for the kinds built on it that
// publish the same settings (the masked editor).
std::span<const TPropInfo> TextEditPropertiesPublished();
std::span<const TPropInfo> TextEditPublished();
struct TEnumInfo;
// The names stored forms give the text editors' letter case, echo and input-method settings.
extern const TEnumInfo cxEditCharCaseInfo;
extern const TEnumInfo cxEditEchoModeInfo;
extern const TEnumInfo cxEditImeModeInfo;

extern const TUnitInfo cxTextEditUnit;
