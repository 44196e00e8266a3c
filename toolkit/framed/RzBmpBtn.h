// The bitmap button: a focusable push button whose face is a bitmap chosen by its state (up,
// focused, hot, pressed, stay-down, disabled), with an optional border, caption and glyph layout.
// Buttons of one group on one parent stay down like radio buttons; they tell each other through
// the group message.
#pragma once
#include <cstdint>
#include <memory>

#include "Buttons.h"
#include "Controls.h"
#include "Graphics.h"

// Broadcast to the parent's controls when a grouped button changes: WParam the group, LParam the
// button.
inline constexpr UINT RZ_GROUPBUTTONCHANGED = 0x2420;

enum TButtonBorder : uint8_t { bbNone, bbSingle, bbButton };
enum TBtnSize : uint8_t { bszNeither, bszButtonToBitmap, bszStretchToButton, bszTileToButton };

class TRzButtonBitmaps : public TPersistent {
  CALDERAN_CLASS(TRzButtonBitmaps)
  TRzButtonBitmaps();
  ~TRzButtonBitmaps() override;
  void Assign(TPersistent* source) override;

  TBitmap* Up() const { return up_.get(); }
  virtual void SetUp(TBitmap* value) { up_->Assign(value); }
  TBitmap* UpAndFocused() const { return upAndFocused_.get(); }
  virtual void SetUpAndFocused(TBitmap* value) { upAndFocused_->Assign(value); }
  TBitmap* Disabled() const { return disabled_.get(); }
  virtual void SetDisabled(TBitmap* value) { disabled_->Assign(value); }
  TBitmap* Down() const { return down_.get(); }
  virtual void SetDown(TBitmap* value) { down_->Assign(value); }
  TBitmap* StayDown() const { return stayDown_.get(); }
  virtual void SetStayDown(TBitmap* value) { stayDown_->Assign(value); }
  TBitmap* Hot() const { return hot_.get(); }
  virtual void SetHot(TBitmap* value) { hot_->Assign(value); }
  TColor TransparentColor() const { return transparentColor_; }
  virtual void SetTransparentColor(TColor value);

  TNotifyEvent OnChange;

 private:
  void BitmapChanged(TObject* sender);
  std::unique_ptr<TBitmap> up_, upAndFocused_, disabled_, down_, stayDown_, hot_;
  TColor transparentColor_ = clOlive;
};

class TRzBmpButton : public TCustomControl {
  CALDERAN_CLASS(TRzBmpButton)
  // The state the face shows: exclusive is the stay-down state of a Down button.
  enum TState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };

  explicit TRzBmpButton(TComponent* owner);
  ~TRzBmpButton() override;
  void Dispatch(TMessage& message) override;
  void Click() override;
  void Loaded() override;

  bool AllowAllUp() const { return allowAllUp_; }
  virtual void SetAllowAllUp(bool value);
  TRzButtonBitmaps* Bitmaps() const { return bitmaps_.get(); }
  void SetBitmaps(TRzButtonBitmaps* value) { bitmaps_->Assign(value); }
  TButtonBorder ButtonBorder() const { return buttonBorder_; }
  virtual void SetButtonBorder(TButtonBorder value);
  TBtnSize ButtonSize() const { return buttonSize_; }
  virtual void SetButtonSize(TBtnSize value);
  TButtonStyle ButtonStyle() const { return buttonStyle_; }
  virtual void SetButtonStyle(TButtonStyle value);
  int CaptionDownOffset() const { return captionDownOffset_; }
  virtual void SetCaptionDownOffset(int value);
  // The button's own colour (the face behind the images), not the control's.
  TColor Color() const { return color_; }
  virtual void SetColor(TColor value);
  bool Down() const { return down_; }
  virtual void SetDown(bool value);
  int GroupIndex() const { return groupIndex_; }
  virtual void SetGroupIndex(int value);
  TButtonLayout Layout() const { return layout_; }
  virtual void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  virtual void SetMargin(int value);
  int32_t ModalResult() const { return modalResult_; }
  void SetModalResult(int32_t value) { modalResult_ = value; }
  bool ShowDownPattern() const { return showDownPattern_; }
  virtual void SetShowDownPattern(bool value);
  bool ShowFocus() const { return showFocus_; }
  virtual void SetShowFocus(bool value);
  int Spacing() const { return spacing_; }
  virtual void SetSpacing(int value);
  TState State() const { return state_; }
  bool NewLook() const;

  // Where the caption and the glyph land in the rectangle r for the current settings (the glyph
  // rectangle is empty when the image fills r).
  void LayoutGlyphAndCaption(TCanvas* canvas, const TRect& r, const TSize& glyph, TRect& glyphRect,
                             TRect& textRect);

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyUp(Word& key, TShiftState shift) override;

 private:
  static TBitmap* SharedDownPattern(bool release = false);
  bool Inside(int x, int y);
  void SetStateNow(TState state);
  void UpdateGroup();
  void FinishPress(bool inside);
  void SizeToBitmap();
  void BitmapsChanged(TObject* sender);
  TBitmap* FaceImage();
  void DrawBorder(TCanvas* canvas, TRect& r, int bevel);
  void DrawDownPattern(TCanvas* canvas, const TRect& r, int bevel);
  void DrawImage(TCanvas* canvas, TBitmap* image, const TRect& r, const TRect& glyphRect);
  void DrawCaption(TCanvas* canvas, const TRect& textRect);

  void WMSize(TMessage& m);
  void WMFocusChanged(TMessage& m);
  void WMLButtonDblClk(TMessage& m);
  void WMEraseBkgnd(TMessage& m) { m.Result = 1; }
  void CMGroupChanged(TMessage& m);
  void CMDialogChar(TMessage& m);
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMChangedLook(TMessage& m);

  int groupIndex_ = 0;
  std::unique_ptr<TRzButtonBitmaps> bitmaps_;
  bool down_ = false;
  int captionDownOffset_ = 1;
  bool tracking_ = false;
  bool allowAllUp_ = false;
  TButtonLayout layout_ = blGlyphLeft;
  int spacing_ = 4, margin_ = -1;
  TButtonStyle buttonStyle_ = bsAutoDetect;
  TButtonBorder buttonBorder_ = bbNone;
  TBtnSize buttonSize_ = bszButtonToBitmap;
  bool showFocus_ = true, showDownPattern_ = true;
  TColor color_ = clBtnFace;
  bool hasFocus_ = false;
  int32_t modalResult_ = 0;
  TState state_ = bsUp;
  bool mouseInside_ = false;
};

// The grey embossed image of a disabled button made from its Up image.
std::unique_ptr<TBitmap> CreateEmbossedBitmap(TBitmap* source);

void RegisterBmpButtonClasses();
