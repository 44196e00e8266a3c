// Standard controls over the native Win32 classes (BUTTON, EDIT, LISTBOX, COMBOBOX, SCROLLBAR)
// and the label, which draws itself on its parent.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "Classes.h"
#include "Controls.h"
#include "Graphics.h"

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
enum TScrollBarKind : uint8_t { sbHorizontal, sbVertical };
enum TScrollCode : uint8_t { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = TEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// True when the key is the accelerator of the caption (the letter after a single '&').
bool IsAccel(Word key, const std::string& caption);

// ---------------------------------------------------------------------------------------------
class TCustomLabel : public TGraphicControl {
  CALDERAN_CLASS(TCustomLabel)
  explicit TCustomLabel(TComponent* owner);
  void Dispatch(TMessage& message) override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control);
  void Loaded() override;

 protected:
  void Paint() override;
  virtual void DoDrawText(TRect& rect, UINT flags);
  TColor TextColor();
  void AdjustBounds();
  void Notification(TComponent* component, TOperation operation) override;
  void CMTextChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMDialogChar(TMessage& m);

 private:
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  bool transparent_ = false;
  TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
  CALDERAN_CLASS(TLabel)
  using TCustomLabel::TCustomLabel;
};

// ---------------------------------------------------------------------------------------------
class TButtonControl : public TWinControl {
  CALDERAN_CLASS(TButtonControl)
  explicit TButtonControl(TComponent* owner);
  // While set, a change of the checked state fires no click.
  bool ClicksDisabled() const { return clicksDisabled_; }
  void SetClicksDisabled(bool value) { clicksDisabled_ = value; }

 private:
  bool clicksDisabled_ = false;
};

class TCustomButton : public TButtonControl {
  CALDERAN_CLASS(TCustomButton)
  explicit TCustomButton(TComponent* owner);
  void Dispatch(TMessage& message) override;
  // The parent form gets the button's ModalResult before the click handlers run; a modal form
  // then closes with it once the click is handled.
  void Click() override;

  int32_t ModalResult() const { return modalResult_; }
  void SetModalResult(int32_t value) { modalResult_ = value; }
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CNCommand(TMessage& m);
  void CMDialogKey(TMessage& m);
  void CMDialogChar(TMessage& m);

 private:
  int32_t modalResult_ = 0;
  bool default_ = false;
  bool cancel_ = false;
};

class TButton : public TCustomButton {
  CALDERAN_CLASS(TButton)
  using TCustomButton::TCustomButton;
};

enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TButtonControl {
  CALDERAN_CLASS(TCustomCheckBox)
  explicit TCustomCheckBox(TComponent* owner);
  void Dispatch(TMessage& message) override;
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState state);
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool value) { allowGrayed_ = value; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  virtual void Toggle();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& m);
  void CMDialogChar(TMessage& m);

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  CALDERAN_CLASS(TCheckBox)
  using TCustomCheckBox::TCustomCheckBox;
};

// A radio button: checking it unchecks the radio buttons beside it (same parent) and clicks it.
class TRadioButton : public TButtonControl {
  CALDERAN_CLASS(TRadioButton)
  explicit TRadioButton(TComponent* owner);
  void Dispatch(TMessage& message) override;
  bool Checked() const { return checked_; }
  virtual void SetChecked(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& m);
  void CMDialogChar(TMessage& m);

 private:
  void TurnSiblingsOff();
  bool checked_ = false;
  TAlignment alignment_ = taRightJustify;
};

// ---------------------------------------------------------------------------------------------
enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
  CALDERAN_CLASS(TCustomEdit)
  explicit TCustomEdit(TComponent* owner);
  void Dispatch(TMessage& message) override;

  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char value);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  bool Modified();
  void SetModified(bool value);

  int SelStart();
  void SetSelStart(int value);
  int SelLength();
  void SetSelLength(int value);
  std::string SelText();
  void SetSelText(const std::string& value);
  void SelectAll();
  void ClearSelection();
  void Clear() { SetText(""); }
  bool CanUndo();
  void Undo();
  void ClearUndo();

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  void CNCommand(TMessage& m);
  void CMEnter(TMessage& m);
  void CMTextChanged(TMessage& m);

 private:
  int maxLength_ = 0;
  bool readOnly_ = false;
  char passwordChar_ = 0;
  TEditCharCase charCase_ = ecNormal;
  TBorderStyle borderStyle_ = bsSingle;
  bool autoSelect_ = true;
  bool modified_ = false;
  bool creating_ = false;
};

class TEdit : public TCustomEdit {
  CALDERAN_CLASS(TEdit)
  using TCustomEdit::TCustomEdit;
};

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };

// The lines of a control's text, live (lines end with CR LF): what a memo's Lines are.
std::unique_ptr<TStrings> CreateTextLines(TControl* control);

class TCustomMemo : public TCustomEdit {
  CALDERAN_CLASS(TCustomMemo)
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;
  // The lines of the edit control, live: changing the list changes the shown text.
  TStrings* Lines() { return lines_.get(); }
  void SetLines(TStrings* lines) { lines_->Assign(lines); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  std::unique_ptr<TStrings> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  bool wantReturns_ = true;
};

class TMemo : public TCustomMemo {
  CALDERAN_CLASS(TMemo)
  using TCustomMemo::TCustomMemo;
};

// ---------------------------------------------------------------------------------------------
enum TOwnerDrawStateFlag : uint8_t { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;
// The state of an owner-drawn item from the ODS_ bits of its draw-item message.
TOwnerDrawState OwnerDrawStateOf(UINT itemState);
using TDrawItemEvent = TEvent<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = TEvent<void(TWinControl* Control, int Index, int& Height)>;

enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

class TCustomListBox : public TWinControl {
  CALDERAN_CLASS(TCustomListBox)
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;
  void Dispatch(TMessage& message) override;

  TStrings* Items() { return items_.get(); }
  void SetItems(TStrings* items) { items_->Assign(items); }
  int ItemIndex();
  void SetItemIndex(int index);
  int Count() { return items_->Count(); }
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle style);
  int ItemHeight();
  void SetItemHeight(int height);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool value);
  bool Selected(int index);
  void SetSelected(int index, bool value);
  int TopIndex();
  void SetTopIndex(int index);
  int ItemAtPos(TPoint pos, bool existing);
  TRect ItemRect(int index);
  void Clear() { items_->Clear(); }
  TCanvas* Canvas() { return canvas_.get(); }

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
  virtual void MeasureItem(int index, int& height);
  // Whether the focused item gets the default focus rectangle after drawing.
  virtual bool DrawsDefaultFocusRect() { return true; }
  void CNCommand(TMessage& m);
  void CNDrawItem(TMessage& m);
  void CNMeasureItem(TMessage& m);

 private:
  friend class TListBoxStrings;
  std::unique_ptr<TStrings> items_;
  std::unique_ptr<TControlCanvas> canvas_;
  TListBoxStyle style_ = lbStandard;
  int itemHeight_ = 16;
  bool sorted_ = false;
  bool multiSelect_ = false;
  int savedIndex_ = -1;
};

class TListBox : public TCustomListBox {
  CALDERAN_CLASS(TListBox)
  using TCustomListBox::TCustomListBox;
};

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TWinControl {
  CALDERAN_CLASS(TCustomComboBox)
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;
  void Dispatch(TMessage& message) override;

  TStrings* Items() { return items_.get(); }
  void SetItems(TStrings* items) { items_->Assign(items); }
  int ItemIndex();
  void SetItemIndex(int index);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value) { dropDownCount_ = value; }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int value) { itemHeight_ = value; }
  bool DroppedDown();
  void SetDroppedDown(bool value);
  void Clear();

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  virtual void Select();
  void CNCommand(TMessage& m);
  void CNDrawItem(TMessage& m);
  void CNMeasureItem(TMessage& m);
  void WMCtlColorOfPart(TMessage& m);

 private:
  friend class TComboBoxStrings;
  std::unique_ptr<TStrings> items_;
  TComboBoxStyle style_ = csDropDown;
  int dropDownCount_ = 8;
  bool sorted_ = false;
  int itemHeight_ = 16;
  int savedIndex_ = -1;
};

class TComboBox : public TCustomComboBox {
  CALDERAN_CLASS(TComboBox)
  using TCustomComboBox::TCustomComboBox;
};

// ---------------------------------------------------------------------------------------------
class TScrollBar : public TWinControl {
  CALDERAN_CLASS(TScrollBar)
  explicit TScrollBar(TComponent* owner);
  void Dispatch(TMessage& message) override;

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind kind);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  int PageSize() const { return pageSize_; }
  void SetMin(int v) { SetParams(position_, v, max_); }
  void SetMax(int v) { SetParams(position_, min_, v); }
  void SetPosition(int v) { SetParams(v, min_, max_); }
  void SetPageSize(int v);
  // "Scrollbar property out of range" when max < min.
  void SetParams(int position, int min, int max);
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int v) { smallChange_ = v; }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int v) { largeChange_ = v; }

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void Change();
  virtual void Scroll(TScrollCode code, int& position);
  void DoScroll(TMessage& m);

 private:
  void Apply();
  TScrollBarKind kind_ = sbHorizontal;
  int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0, smallChange_ = 1, largeChange_ = 1;
};

extern const TUnitInfo StdCtrlsUnit;
