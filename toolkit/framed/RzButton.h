// The framed suite's buttons: the windowed base of the glyph buttons (mouse tracking that shows the
// pressed look only while the pointer stays over the button, hot tracking, captions in four text
// styles), and the control button, a windowless button with an arrow, drop-down or bitmap face that
// can repeat its click while held.
#pragma once
#include <cstdint>
#include <memory>

#include "Controls.h"
#include "ExtCtrls.h"
#include "Graphics.h"
#include "RzCommon.h"
#include "RzPanel.h"

enum TTextStyle : uint8_t { tsNormal, tsRaised, tsRecessed, tsShadow };

class TRzCustomButton : public TCustomControl {
  CALDERAN_CLASS(TRzCustomButton)
  explicit TRzCustomButton(TComponent* owner);
  void Dispatch(TMessage& message) override;

  TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
  virtual void SetAlignmentVertical(TAlignmentVertical value) { Change(alignmentVertical_, value); }
  bool HotTrack() const { return hotTrack_; }
  virtual void SetHotTrack(bool value) { Change(hotTrack_, value); }
  TColor HighlightColor() const { return highlightColor_; }
  virtual void SetHighlightColor(TColor value) { Change(highlightColor_, value); }
  TColor HotTrackColor() const { return hotTrackColor_; }
  void SetHotTrackColor(TColor value) { Change(hotTrackColor_, value); }
  TRzHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
  void SetHotTrackColorType(TRzHotTrackColorType value) { Change(hotTrackColorType_, value); }
  bool LightTextStyle() const { return lightTextStyle_; }
  virtual void SetLightTextStyle(bool value) { Change(lightTextStyle_, value); }
  TTextStyle TextStyle() const { return textStyle_; }
  virtual void SetTextStyle(TTextStyle value) { Change(textStyle_, value); }
  TColor TextHighlightColor() const { return textHighlightColor_; }
  virtual void SetTextHighlightColor(TColor value) { Change(textHighlightColor_, value); }
  TColor TextShadowColor() const { return textShadowColor_; }
  virtual void SetTextShadowColor(TColor value) { Change(textShadowColor_, value); }
  int TextShadowDepth() const { return textShadowDepth_; }
  virtual void SetTextShadowDepth(int value) { Change(textShadowDepth_, value); }
  bool ThemeAware() const { return themeAware_; }
  virtual void SetThemeAware(bool value) { Change(themeAware_, value); }
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value) { Change(transparent_, value); }
  bool ShowingPressed() const { return showPressed_; }
  bool MouseOver() const { return mouseOver_; }

  // Draws the caption into r in the text style (every copy with the given DrawText flags).
  virtual void DrawCaption3D(TCanvas* canvas, TRect r, UINT flags);

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  virtual void RefreshState() {}
  virtual void RedrawNow() { Repaint(); }
  virtual TRect HotArea() { return ClientRect(); }
  virtual void ToggleState() {}
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMEnabledChanged(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void SetShowPressed(bool value) { showPressed_ = value; }

 private:
  template <class T> void Change(T& field, T value) {
    if (StoreChanged(field, value)) Invalidate();
  }
  void InvalidateHotArea();
  void WMFocusChanged(TMessage& m);
  void CMTextChanged(TMessage& m);

  bool transparent_ = false;
  bool dragging_ = false, showPressed_ = false, mouseOver_ = false;
  bool hotTrack_ = false;
  TColor highlightColor_ = clHighlight, hotTrackColor_ = 0x149BF0;
  TRzHotTrackColorType hotTrackColorType_ = htctActual;
  bool lightTextStyle_ = false;
  TTextStyle textStyle_ = tsNormal;
  int textShadowDepth_ = 2;
  TColor textShadowColor_ = clBtnShadow, textHighlightColor_ = clBtnHighlight;
  TAlignmentVertical alignmentVertical_ = avCenter;
  bool themeAware_ = true;
};

// ---------------------------------------------------------------------------------------------
enum TRzControlButtonStyle : uint8_t { cbsNone, cbsLeft, cbsUp, cbsRight, cbsDown, cbsDropDown };

class TRzControlButton : public TGraphicControl {
  CALDERAN_CLASS(TRzControlButton)
  explicit TRzControlButton(TComponent* owner);
  ~TRzControlButton() override;
  void Dispatch(TMessage& message) override;

  bool Flat() const { return flat_; }
  virtual void SetFlat(bool value);
  TBitmap* Glyph() const { return glyph_.get(); }
  virtual void SetGlyph(TBitmap* value) { glyph_->Assign(value); }
  uint8_t NumGlyphs() const { return numGlyphs_; }
  virtual void SetNumGlyphs(uint8_t value);
  TRzControlButtonStyle Style() const { return style_; }
  virtual void SetStyle(TRzControlButtonStyle value);
  bool RepeatClicks() const { return repeatClicks_; }
  void SetRepeatClicks(bool value) { repeatClicks_ = value; }
  uint16_t InitialDelay() const { return initialDelay_; }
  void SetInitialDelay(uint16_t value) { initialDelay_ = value; }
  uint16_t Delay() const { return delay_; }
  void SetDelay(uint16_t value) { delay_ = value; }
  bool IsDown() const { return down_; }
  bool MouseOver() const { return mouseOver_; }
  TTimer* RepeatTimer() const { return timer_.get(); }

  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  virtual void PaintPlainFace(TRect& r);
  virtual void PaintArrowFace(TRect r);
  virtual void PaintDropDownFace(TRect r);
  virtual void DrawGlyphImage(const TRect& r);
  virtual TPoint GlyphSize();

 private:
  bool Active();
  int ThemeState();
  void PaintClassicFace(TRect& r, TFrameStyle upStyle);
  void GlyphChanged(TObject* sender);
  void TimerTick(TObject* sender);
  void SyncHover();
  void CMMouseEnter(TMessage& m);
  void CMMouseLeave(TMessage& m);

  bool down_ = false, dragging_ = false, mouseOver_ = false, flat_ = false;
  std::unique_ptr<TBitmap> glyph_;
  uint8_t numGlyphs_ = 1;
  TRzControlButtonStyle style_ = cbsNone;
  bool repeatClicks_ = false;
  uint16_t initialDelay_ = 400, delay_ = 100;
  std::unique_ptr<TTimer> timer_;
};

void RegisterButtonClasses();
