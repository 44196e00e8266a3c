// Spin buttons and the spin edit. The spin buttons are a pair of auto-repeating control buttons,
// stacked or side by side, that move the keyboard focus to their focus control before reacting.
// The spin edit is a framed edit holding an 80-bit value with a range, an increment, a page size and
// a number of decimals, shown as fixed-point text with the locale's decimal separator; the value
// moves with the buttons, the keys and the wheel.
#pragma once
#include <cstdint>

#include "RzButton.h"
#include "RzEdit.h"

enum TSpinDirection : uint8_t { sdUpDown, sdLeftRight };
enum TSpinButtonType : uint8_t { sbUp, sbDown };

class TRzSpinButtons : public TWinControl {
  CALDERAN_CLASS(TRzSpinButtons)
  explicit TRzSpinButtons(TComponent* owner);
  void Dispatch(TMessage& message) override;
  void SetBounds(int left, int top, int width, int height) override;
  void Loaded() override;

  TRzControlButton* UpRightButton() const { return upRight_; }
  TRzControlButton* DownLeftButton() const { return downLeft_; }
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* value);
  TSpinDirection Direction() const { return direction_; }
  virtual void SetDirection(TSpinDirection value);
  TOrientation Orientation() const { return orientation_; }
  virtual void SetOrientation(TOrientation value);
  bool Flat() const { return flat_; }
  virtual void SetFlat(bool value);
  virtual void SetButtonColor(TColor value);
  virtual void SetButtonsEnabled(bool value);
  uint16_t Delay() const { return upRight_->Delay(); }
  void SetDelay(uint16_t value);
  uint16_t InitialDelay() const { return upRight_->InitialDelay(); }
  void SetInitialDelay(uint16_t value);
  TBitmap* GlyphUpRight() const { return upRight_->Glyph(); }
  virtual void SetGlyphUpRight(TBitmap* value) { SetGlyph(upRight_, value); }
  TBitmap* GlyphDownLeft() const { return downLeft_->Glyph(); }
  virtual void SetGlyphDownLeft(TBitmap* value) { SetGlyph(downLeft_, value); }
  bool CustomUpRight() const { return customUpRight_; }
  bool CustomDownLeft() const { return customDownLeft_; }

  TNotifyEvent OnUpRightClick;
  TNotifyEvent OnDownLeftClick;

 protected:
  virtual TRzControlButton* CreateButton();
  virtual void ButtonClick(TObject* sender);
  virtual void ButtonMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  virtual void GlyphChanged(TObject* sender);
  virtual void LayoutButtons(int& width, int& height);
  void KeyDown(Word& key, TShiftState shift) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void SetGlyph(TRzControlButton* button, TBitmap* value);
  void ResetGlyphStyle(TRzControlButton* button);
  bool& CustomFlag(TRzControlButton* button) { return button == upRight_ ? customUpRight_ : customDownLeft_; }
  void WMSize(TMessage& m);

  TRzControlButton* upRight_ = nullptr;
  TRzControlButton* downLeft_ = nullptr;
  TWinControl* focusControl_ = nullptr;
  TSpinDirection direction_ = sdUpDown;
  TOrientation orientation_ = orVertical;
  bool flat_ = false;
  bool customUpRight_ = false, customDownLeft_ = false;
  bool resetting_ = false;
};

class TRzSpinEdit;
using TSpinChangingEvent = TEvent<void(TObject* Sender, long double NewValue, bool& AllowChange)>;
using TSpinButtonEvent = TEvent<void(TObject* Sender, TSpinButtonType Button)>;

class TRzSpinEdit : public TRzCustomEdit {
  CALDERAN_CLASS(TRzSpinEdit)
  explicit TRzSpinEdit(TComponent* owner);
  void Dispatch(TMessage& message) override;
  void Loaded() override;

  long double Value();
  virtual void SetValue(long double value);
  int64_t IntValue() { return Round(Value()); }
  void SetIntValue(int64_t value) { SetValue(static_cast<long double>(value)); }
  long double Min() const { return min_; }
  virtual void SetMin(long double value);
  long double Max() const { return max_; }
  virtual void SetMax(long double value);
  long double Increment() const { return increment_; }
  void SetIncrement(long double value) { increment_ = value; }
  long double PageSize() const { return pageSize_; }
  void SetPageSize(long double value) { pageSize_ = value; }
  uint8_t Decimals() const { return decimals_; }
  virtual void SetDecimals(uint8_t value);
  bool CheckRange() const { return checkRange_; }
  virtual void SetCheckRange(bool value);
  bool IntegersOnly() const { return integersOnly_; }
  virtual void SetIntegersOnly(bool value);
  bool AllowBlank() const { return allowBlank_; }
  void SetAllowBlank(bool value) { allowBlank_ = value; }
  long double BlankValue() const { return blankValue_; }
  void SetBlankValue(long double value) { blankValue_ = value; }
  bool AllowKeyEdit() const { return allowKeyEdit_; }
  void SetAllowKeyEdit(bool value) { allowKeyEdit_ = value; }
  int ButtonWidth() const { return buttonWidth_; }
  virtual void SetButtonWidth(int value);
  TColor FlatButtonColor() const { return flatButtonColor_; }
  void SetFlatButtonColor(TColor value) { flatButtonColor_ = value; }
  bool FlatButtons() const { return flatButtons_; }
  virtual void SetFlatButtons(bool value);
  TSpinDirection Direction() const { return buttons_->Direction(); }
  void SetDirection(TSpinDirection value) { buttons_->SetDirection(value); }
  TOrientation Orientation() const { return buttons_->Orientation(); }
  virtual void SetOrientation(TOrientation value);
  void SetFrameStyle(TFrameStyle value) override;
  TRzSpinButtons* Buttons() const { return buttons_; }
  TRzControlButton* Button(TSpinButtonType type) const {
    return type == sbUp ? buttons_->UpRightButton() : buttons_->DownLeftButton();
  }
  // Brings the value within the range (nothing to do for an empty range without range checks).
  long double ClampValue(long double value) const;
  virtual bool IsValidChar(char key);

  TSpinChangingEvent OnChanging;
  TSpinButtonEvent OnButtonClick;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Change() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
  void ReadOnlyChanged() override;
  void SetHotState(int which, bool value) override;
  virtual void LayoutButtons();
  virtual void SetEditMargins();
  virtual void UpClick(TObject* sender);
  virtual void DownClick(TObject* sender);
  virtual void IncValue(long double amount) { StepValue(amount, sbUp); }
  virtual void DecValue(long double amount) { StepValue(-amount, sbDown); }
  virtual bool DoChanging(long double newValue);
  virtual void DoButtonClick(TSpinButtonType button);

 private:
  void StepValue(long double amount, TSpinButtonType button);
  void ApplyValue() { SetValue(Value()); }
  std::string FormatValue(long double value) const;
  void WMPasteOrCut(TMessage& m);
  void WMSize(TMessage& m);
  void CMEnter(TMessage& m);
  void CMExit(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void CMFontChanged(TMessage& m);
  void CMColorChanged(TMessage& m);

  bool allowKeyEdit_ = false, allowBlank_ = false;
  long double blankValue_ = 0;
  TRzSpinButtons* buttons_ = nullptr;
  int buttonWidth_ = 17;
  bool checkRange_ = false;
  uint8_t decimals_ = 0;
  long double increment_ = 1;
  bool integersOnly_ = true;
  long double min_ = 0, max_ = 100, pageSize_ = 10;
  TColor flatButtonColor_ = clBtnFace;
  bool flatButtons_ = false;
  // Set while a read puts the minimum into an empty text: OnChange handlers (which often read the
  // value) are not entered again from inside themselves.
  bool writingFromRead_ = false;
  int changeDepth_ = 0;
};

void RegisterSpinEditClasses();
