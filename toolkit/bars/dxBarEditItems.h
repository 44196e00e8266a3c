// Window items: bar items whose item controls host a real edit window while the user types in
// them. The window item keeps the applied Text and the edit events; the edit item adds its width,
// caption and value drawing; the combo items add a drop-down window (any window an application
// supplies through events, or the string combo's own list box) and matching typed text to entries.
//
// While a control of the item is being edited, the current text is the text in its window (typed,
// not yet applied); Text changes only when the control applies it (Enter, Tab, leaving the field).
//
// Left for later: the StyleEdit slot (the item's style data is made with one slot), the customizing
// list drawing (with the customizing form) and the glyph reset of the first stored-form read.
#pragma once
#include <string>

#include "Controls.h"
#include "StdCtrls.h"
#include "dxBarPainter.h"
#include "dxBarItem.h"

class TdxBarWinControl;
class TdxBarComboControl;
class TdxBarDropDownListBox;
class TStringList;

class TdxBarWindowItem : public TdxBarItem {
  CALDERAN_CLASS(TdxBarWindowItem)
  explicit TdxBarWindowItem(TComponent* owner);

  const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& value);
  // What the user sees: the text in the editing control's window, else Text.
  std::string CurText() const;
  void SetCurText(const std::string& value);
  // The active link while its control is a hosted-window control; nil otherwise.
  TdxBarItemLink* EditingLink() const;
  TdxBarWinControl* EditingControl() const;
  // Opens the edit window of the first link whose control hosts a window (with visibleOnly, the
  // first whose bar window is shown).
  virtual void FocusEditor(bool visibleOnly = false);

  TNotifyEvent OnChange;
  TNotifyEvent OnCurChange;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  // A shortcut or accelerator never clicks a window item.
  bool CanClick() const override { return false; }
  bool IsShortCut(TShortCut) override { return false; }
  void ClickByKey() override {}
  // A rotated bar shows the item as a plain button.
  TClass GetControlClass(bool isVertical) const override;

  // --- The edit events (the hosted-window controls raise them)
  virtual void Change();
  virtual void CurChange();
  virtual void Enter();
  virtual void Exit();
  virtual void KeyDown(Word& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void KeyUp(Word& key, TShiftState shift);

 protected:
  // Stores Text and repaints, without the subclasses' own rules.
  void WriteText(const std::string& value);

 private:
  std::string text_;
};

class TdxCustomBarEdit : public TdxBarWindowItem {
  CALDERAN_CLASS(TdxCustomBarEdit)
  explicit TdxCustomBarEdit(TComponent* owner);

  // Values of 0 or less are ignored.
  int Width() const { return TdxBarItem::Width(); }
  void SetWidth(int value);
  int GetStyleCount() const override { return 2; }
  // Disabled, or without a visible caption on a toolbar: no accelerator.
  bool CanActivateByAccel(TdxBarItemLink* link) const override;
  std::string GetDefaultCaption() const override { return "New Item"; }
};

class TdxBarEdit : public TdxCustomBarEdit {
  CALDERAN_CLASS(TdxBarEdit)
  explicit TdxBarEdit(TComponent* owner);

  // 0 is unlimited; negative values become 0.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  // Whether the control shows an edit window (a combo may show an empty window instead).
  virtual bool ShowsEditor() const { return true; }
  // Draws the item's value into the rectangle through the control's painter.
  virtual void DrawValue(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& rect);

 private:
  int maxLength_ = 0;
  bool readOnly_ = false;
};

using TdxBarCheckKeyForDropDownWindowEvent =
    TEvent<void(TObject* Sender, Word Key, TShiftState Shift, bool& AcceptKey)>;
using TdxBarGetDropDownWindowEvent = TEvent<void(TObject* Sender, HWND& Window)>;

class TCustomdxBarCombo : public TdxBarEdit {
  CALDERAN_CLASS(TCustomdxBarCombo)
  explicit TCustomdxBarCombo(TComponent* owner);

  bool ShowEditor() const { return !emptyWindow_; }
  void SetShowEditor(bool value);
  bool ShowsEditor() const override { return ShowEditor(); }

  TdxBarCheckKeyForDropDownWindowEvent OnCheckKeyForDropDownWindow;
  TNotifyEvent OnCloseUp;
  TNotifyEvent OnDropDown;
  TdxBarGetDropDownWindowEvent OnGetDropDownWindow;

  // Asked for each key while the drop-down window is open: does the key go to that window?
  virtual bool CheckKeyForDropDownWindow(Word key, TShiftState shift);
  virtual HWND GetDropDownWindow();
  virtual void PrepareDropDownWindow() {}
  // Shows the drop-down window at a screen point below or beside the active link's control.
  virtual void DropDown(int x, int y);
  virtual void CloseUp();

 protected:
  virtual void AfterDropDown() {}
  // The drop-down control takes the font and edit colours of the active link's edit control.
  void PrepareDropDownControl(TControl* control);

 private:
  bool emptyWindow_ = false;
};

using TdxBarDrawItemEvent = TEvent<void(TObject* Sender, int AIndex, TRect ARect, TOwnerDrawState AState)>;
using TdxBarMeasureItemEvent = TEvent<void(TObject* Sender, int AIndex, int& AHeight)>;

class TdxBarCustomCombo : public TCustomdxBarCombo {
  CALDERAN_CLASS(TdxBarCustomCombo)
  explicit TdxBarCustomCombo(TComponent* owner);
  ~TdxBarCustomCombo() override;

  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value) { dropDownCount_ = value; }
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int value) { dropDownWidth_ = value; }
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int value) { itemHeight_ = value; }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int value);
  TStringList* Items() const { return items_; }
  void SetItems(TStrings* value);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  TdxBarDropDownListBox* ListBox() const { return listBox_; }
  // True while the selected entry is drawn inside the combo control rather than in the list.
  bool InteriorDrawing() const { return interiorDrawing_; }

  TdxBarDrawItemEvent OnDrawItem;
  TdxBarMeasureItemEvent OnMeasureItem;

  void SetText(const std::string& value) override;
  bool CheckKeyForDropDownWindow(Word key, TShiftState shift) override;
  HWND GetDropDownWindow() override;
  void PrepareDropDownWindow() override;
  void DropDown(int x, int y) override;
  void CloseUp() override;
  void CurChange() override;
  void DrawValue(TdxBarItemControl* control, TcxCanvas* canvas, const TRect& rect) override;

  virtual void DrawItem(TdxBarPainterClass painter, int index, TOwnerDrawState state, const TRect& rect);
  virtual TCanvas* GetItemsCanvas();
  virtual int GetDropDownWidth();
  virtual void MeasureItemHeight(int index, int& height);
  virtual void MeasureItemWidth(int index, int& width);
  // The list and the editing control's entry follow the typed text.
  void SynchronizeWithText();

 protected:
  void AfterDropDown() override;

 private:
  void ItemsChanged(TObject* sender);
  void ListDrawItem(TWinControl* control, int index, TRect rect, TOwnerDrawState state);
  void ListMeasureItem(TWinControl* control, int index, int& height);
  TdxBarComboControl* ActiveComboControl() const;

  int dropDownCount_ = 8;
  int dropDownWidth_ = 0;
  TdxBarDropDownListBox* listBox_ = nullptr;
  int itemHeight_ = 0;
  int itemIndex_ = -1;
  TStringList* items_;
  bool sorted_ = false;
  TCanvas* paintCanvas_ = nullptr;
  bool interiorDrawing_ = false;
};

class TdxBarCombo : public TdxBarCustomCombo {
  CALDERAN_CLASS(TdxBarCombo)
  using TdxBarCustomCombo::TdxBarCustomCombo;
};

// The entry best matching typed text, ignoring case: the one the whole text is a prefix of, else
// the first entry that reached the longest common prefix; -1 when no entry shares the first
// character.
int FindComboEntryForText(TStrings* entries, const std::string& text);
// Where a drop-down window of size `size` goes for the anchor (x, y) of an item of size `item`
// inside `workArea`: beside the item in menus and vertical bars, below it on toolbars, on the
// other side when there is more room there.
TPoint PlaceDropDownWindow(TPoint anchor, TSize size, TSize item, const TRect& workArea, bool besideItem);

extern const TUnitInfo dxBarEditItemsUnit;
