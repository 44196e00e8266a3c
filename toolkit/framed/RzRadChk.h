// Glyph buttons and the check box: a button drawn as a small state glyph beside its caption. The
// glyph comes from a custom bitmap strip, the visual-style check box, a flat hot-tracking glyph
// drawn here, or the classic system check box. The check box cycles its three states, honours
// ReadOnly for every user interaction and follows the Checked state of a linked action without
// raising OnClick.
#pragma once
#include <cstdint>
#include <memory>

#include "ActnList.h"
#include "RzButton.h"
#include "RzFrameController.h"
#include "StdCtrls.h"

enum TRzButtonHotTrackStyle : uint8_t { htsInterior, htsFrame };

class TRzCustomGlyphButton : public TRzCustomButton, public IFrameSettingsListener {
  CALDERAN_CLASS(TRzCustomGlyphButton)
  explicit TRzCustomGlyphButton(TComponent* owner);
  ~TRzCustomGlyphButton() override;
  void Dispatch(TMessage& message) override;
  void FrameSettingsChanged() override;
  std::unique_ptr<TBasicActionLink> CreateActionLink() override;

  virtual bool Checked() const { return false; }
  virtual void SetChecked(bool) {}
  // Sets Checked without raising OnClick (a linked action's change).
  void SetCheckedQuietly(bool value);

  TAlignment Alignment() const { return alignment_; }
  virtual void SetAlignment(TAlignment value) { Change(alignment_, value); }
  TBitmap* CustomGlyphs() const { return customGlyphs_.get(); }
  virtual void SetCustomGlyphs(TBitmap* value) { customGlyphs_->Assign(value); }
  bool UseCustomGlyphs() const { return useCustomGlyphs_; }
  virtual void SetUseCustomGlyphs(bool value);
  TColor FillColor() const { return fillColor_; }
  virtual void SetFillColor(TColor value) { Change(fillColor_, value); }
  TColor FocusColor() const { return focusColor_; }
  virtual void SetFocusColor(TColor value) { Change(focusColor_, value); }
  TColor FrameColor() const { return frameColor_; }
  virtual void SetFrameColor(TColor value) { Change(frameColor_, value); }
  TColor DisabledColor() const { return disabledColor_; }
  virtual void SetDisabledColor(TColor value) { Change(disabledColor_, value); }
  bool ReadOnly() const { return readOnly_; }
  virtual void SetReadOnly(bool value) { Change(readOnly_, value); }
  TColor ReadOnlyColor() const { return readOnlyColor_; }
  virtual void SetReadOnlyColor(TColor value) { Change(readOnlyColor_, value); }
  bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
  void SetReadOnlyColorOnFocus(bool value) { Change(readOnlyColorOnFocus_, value); }
  TColor TransparentColor() const { return transparentColor_; }
  virtual void SetTransparentColor(TColor value) { Change(transparentColor_, value); }
  TColor WinMaskColor() const { return winMaskColor_; }
  virtual void SetWinMaskColor(TColor value) { Change(winMaskColor_, value); }
  TRzButtonHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
  void SetHotTrackStyle(TRzButtonHotTrackStyle value) { Change(hotTrackStyle_, value); }
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
  TRzFrameController* FrameController() const { return frameController_; }
  virtual void SetFrameController(TRzFrameController* value);
  TRzFrameControllerNotifications FrameControllerNotifications() const { return frameControllerNotifications_; }
  void SetFrameControllerNotifications(TRzFrameControllerNotifications value) { frameControllerNotifications_ = value; }
  void SetTransparent(bool value) override;
  int GlyphWidth() const { return glyphWidth_; }
  int GlyphHeight() const { return glyphHeight_; }
  // Where the glyph is drawn in the control.
  TRect GlyphRect();

 protected:
  void Paint() override;
  void RefreshState() override { Repaint(); }
  void RedrawNow() override { Repaint(); }
  TRect HotArea() override { return GlyphRect(); }
  void Notification(TComponent* component, TOperation operation) override;
  void DefineProperties(TFiler* filer) override;
  void KeyPress(char& key) override;
  virtual void RenderGlyph(TBitmap* glyph) = 0;
  virtual void AdjustTransparentGlyph(TBitmap*) {}
  virtual void DrawGlyph(TCanvas* canvas);
  void ExtractGlyph(int index, TBitmap* glyph);
  int numStates_ = 2;
  bool clicksDisabled_ = false;

 private:
  template <class T> void Change(T& field, T value) {
    if (StoreChanged(field, value)) Invalidate();
  }
  void CustomGlyphsChanged(TObject* sender);
  void UpdateBackground();
  void ReadFlat(TReader* reader);
  void MarkStale(TMessage& m);

  int glyphWidth_ = 13, glyphHeight_ = 13;
  std::unique_ptr<TBitmap> customGlyphs_;
  bool useCustomGlyphs_ = false;
  bool tabOnEnter_ = false;
  TRzFrameController* frameController_ = nullptr;
  TRzFrameControllerNotifications frameControllerNotifications_ = AllFrameControllerNotifications();
  TColor frameColor_ = clBtnShadow, disabledColor_ = clBtnFace, transparentColor_ = 0x008080,
         winMaskColor_ = 0x00FF00, focusColor_ = clWindow, fillColor_ = clWindow;
  bool readOnly_ = false;
  TColor readOnlyColor_ = clInfoBk;
  bool readOnlyColorOnFocus_ = false;
  std::unique_ptr<TBitmap> background_;
  bool backgroundStale_ = true;
  TAlignment alignment_ = taRightJustify;
  TRzButtonHotTrackStyle hotTrackStyle_ = htsInterior;
};

class TRzCustomCheckBox : public TRzCustomGlyphButton {
  CALDERAN_CLASS(TRzCustomCheckBox)
  explicit TRzCustomCheckBox(TComponent* owner);
  void Dispatch(TMessage& message) override;

  TCheckBoxState State() const { return state_; }
  virtual void SetState(TCheckBoxState value);
  bool Checked() const override { return state_ == cbChecked; }
  void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool value) { allowGrayed_ = value; }

 protected:
  void ToggleState() override;
  void RenderGlyph(TBitmap* glyph) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyUp(Word& key, TShiftState shift) override;
  void DoExit() override;

 private:
  int ThemedState();
  void CMDialogChar(TMessage& m);

  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  bool keyToggle_ = false;
};

class TRzCheckBox : public TRzCustomCheckBox {
  CALDERAN_CLASS(TRzCheckBox)
  using TRzCustomCheckBox::TRzCustomCheckBox;
};

// The flat glyph of a check box: a box outline filled by state, the check mark or the grayed
// square, and the hot effect.
struct TRzCheckGlyphColors {
  TColor Fill = clWindow, Focus = clWindow, Disabled = clBtnFace, Frame = clBtnShadow, Check = clHighlight;
  TColor ReadOnly = clInfoBk, Line = clHighlight, Light = clWindow;
  bool ReadOnlyOnFocus = false;
};
// visualState: 0 normal, 1 pressed, 2 hot, 3 disabled.
void PaintCheckGlyph(TCanvas* canvas, const TRect& r, TCheckBoxState state, int visualState, bool focused,
                     bool readOnly, TRzButtonHotTrackStyle hotStyle, TRzCheckGlyphColors colors);

void RegisterCheckBoxClasses();
