// Timers, panels with bevels, images and paint boxes.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "Classes.h"
#include "Controls.h"
#include "Graphics.h"
#include "StdCtrls.h"

// A timer on a hidden window of its own; OnTimer runs on the thread's message loop (modal loops
// included), under the entry-point guard.
class TTimer : public TComponent {
  CALDERAN_CLASS(TTimer)
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t value);
  TNotifyEvent OnTimer;
  // Assigning the handler (re)starts the timer, as setting Enabled does.
  void SetOnTimer(TNotifyEvent handler);
  void Loaded() override;

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  void WndProc(TMessage& m);
  HWND window_ = nullptr;
  bool enabled_ = true;
  bool running_ = false;
  uint32_t interval_ = 1000;
};

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
using TBevelWidth = int32_t;

// Draws a 3-D frame of the given width and shrinks the rectangle to its inside.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

class TCustomPanel : public TCustomControl {
  CALDERAN_CLASS(TCustomPanel)
  explicit TCustomPanel(TComponent* owner);
  void Dispatch(TMessage& message) override;

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  TBevelWidth BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(TBevelWidth value);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool value) { fullRepaint_ = value; }
  // Client area minus the bevels and the border width.
  void AdjustClientRect(TRect& rect) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void CMTextChanged(TMessage& m);

 private:
  TAlignment alignment_ = taCenter;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  TBevelWidth bevelWidth_ = 1;
  int borderWidth_ = 0;
  TBorderStyle borderStyle_ = bsNone;
  bool fullRepaint_ = true;
};

class TPanel : public TCustomPanel {
  CALDERAN_CLASS(TPanel)
  using TCustomPanel::TCustomPanel;
};

// Shows a picture; its canvas is the picture's bitmap (made on first use at the image's size).
class TImage : public TGraphicControl {
  CALDERAN_CLASS(TImage)
  explicit TImage(TComponent* owner);
  ~TImage() override;

  TPicture* Picture() { return picture_.get(); }
  void SetPicture(TPicture* picture) { picture_->Assign(picture); }
  TCanvas* Canvas();
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  // Where the picture is drawn inside the control.
  TRect DestRect();

 protected:
  void Paint() override;

 private:
  void PictureChanged(TObject* sender);
  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false, center_ = false, proportional_ = false, transparent_ = false, autoSize_ = false;
  bool drawing_ = false;
};

class TPaintBox : public TGraphicControl {
  CALDERAN_CLASS(TPaintBox)
  explicit TPaintBox(TComponent* owner);
  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
};

extern const TUnitInfo ExtCtrlsUnit;
