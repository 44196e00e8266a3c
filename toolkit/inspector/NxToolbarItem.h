// A row with a strip of small check buttons in its value cell, optionally with the text of the
// checked buttons; its value is the list of those texts.
#pragma once
#include <memory>
#include <string>

#include "NxItemDisplay.h"
#include "NxPropertyItems.h"

class TNxToolbarItem;

class TNxToolbarItemButton : public TCollectionItem {
  CALDERAN_CLASS(TNxToolbarItemButton)
  explicit TNxToolbarItemButton(TCollection* collection);
  ~TNxToolbarItemButton() override;
  void Assign(TPersistent* source) override;

  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* value) { glyph_->Assign(value); }
  const std::u16string& Text() const { return text_; }
  void SetText(const std::u16string& value) { text_ = value; }
  std::string TextAnsi() const { return WideToAnsi(text_); }
  void SetTextAnsi(const std::string& value) { text_ = AnsiToWide(value); }
  bool AutoCheck() const { return autoCheck_; }
  void SetAutoCheck(bool value) { autoCheck_ = value; }
  bool Divider() const { return divider_; }
  void SetDivider(bool value);

 private:
  friend class TNxToolbarItemButtons;
  TNxToolbarItem* Row() const;
  void GlyphChanged(TObject*);
  bool checked_ = false;
  std::unique_ptr<TBitmap> glyph_;
  std::u16string text_;
  bool autoCheck_ = true;
  bool divider_ = false;
};

class TNxToolbarItemButtons : public TOwnedCollection {
  CALDERAN_CLASS(TNxToolbarItemButtons)
  explicit TNxToolbarItemButtons(TNxToolbarItem* row);
  TNxToolbarItemButton* Button(int index) const { return static_cast<TNxToolbarItemButton*>(Items(index)); }
  int CheckedCount() const { return checkedCount_; }
  void SetButtonChecked(TNxToolbarItemButton* button, bool checked);

 private:
  friend class TNxToolbarItemButton;
  TNxToolbarItem* row_;
  int checkedCount_ = 0;
};

enum TButtonsAlignment : uint8_t { baLeftJustify, baRightJustify };
using TNxToolButtonClickEvent = TEvent<void(TNxPropertyItem* Sender, int ButtonIndex)>;

class TNxToolbarItem : public TNxPropertyItem {
  CALDERAN_CLASS(TNxToolbarItem)
  explicit TNxToolbarItem(TComponent* owner);
  ~TNxToolbarItem() override;

  TButtonsAlignment Alignment() const { return alignment_; }
  void SetAlignment(TButtonsAlignment value);
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool value) { allowAllUp_ = value; }
  TNxToolbarItemButtons* Buttons() const { return buttons_.get(); }
  void SetButtons(TNxToolbarItemButtons* value) { buttons_->Assign(value); }
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int value);
  bool Grouped() const { return grouped_; }
  void SetGrouped(bool value) { grouped_ = value; }
  bool DrawBackground() const { return drawBackground_; }
  void SetDrawBackground(bool value);
  bool ShowText() const { return showText_; }
  void SetShowText(bool value);
  TNxToolButtonClickEvent OnToolButtonClick;

  int ButtonCount() const { return buttons_->Count(); }
  bool IsButtonChecked(int index) const { return buttons_->Button(index)->Checked(); }
  void InvalidateButton(int index) { Notify(inToolbarButton, index); }
  void ButtonClicked(int index);

  virtual void CreateButtons() {}
  virtual void SetButtonState(int index, bool checked);
  void GetValueText(std::u16string& text) override;
  void SetValueText(const std::u16string& text) override;
  TClass GetDisplayClass() const override;

 protected:
  virtual void DoToolButtonClick(int index);

 private:
  TButtonsAlignment alignment_ = baLeftJustify;
  bool allowAllUp_ = false;
  std::unique_ptr<TNxToolbarItemButtons> buttons_;
  int buttonWidth_ = 17;
  bool grouped_ = false;
  bool drawBackground_ = false;
  bool showText_ = false;
};

class TNxToolbarItemDisplay : public TNxItemDisplay {
  CALDERAN_CLASS(TNxToolbarItemDisplay)
  using TNxItemDisplay::TNxItemDisplay;
  int PressedIndex = -1;
  int HotIndex = -1;

  virtual void DrawButton(const TRect& rect, bool checked, bool hot, bool pressed, int index);
  virtual void DrawButtons();
  // x is relative to the value cell; -1 when no button is there.
  int ButtonAtX(int x) const;
  TRect ButtonRect(int index) const;

  void DrawBackground() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseLeave() override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DrawValue() override;

 private:
  TNxToolbarItem* Row() const;
  bool Valid(int index) const;
};

// Where the inspector repaints button `index` of a toolbar row (or, for textArea, the text after
// its buttons) in client coordinates; false when there is nothing to repaint.
bool ToolbarRepaintRect(TNxPropertyItem* row, int index, bool textArea, int splitter, int clientWidth, int top,
                        int rowHeight, RECT& rect);
