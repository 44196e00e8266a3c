// The progress bar: a value between Min and Max shown as a bar (solid, gradient, bitmap or glassy,
// each also as separated LEDs), with an overload part, a peak mark, a caption and a marquee.
//
// The bar's geometry and drawing are plain functions over a settings record and a layout record,
// so that they can be computed and painted without an editor; the editor classes load the
// settings from their properties and keep the layout between paints.
// Leaves out: the spin editor's filter helper does not exist, so the progress bar's derives from the
// base helper.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Graphics.h"
#include "Types.h"
#include "cxEdit.h"
#include "cxGraphics.h"
#include "cxLookAndFeelPainters.h"

enum TcxProgressBarAnimationPath : uint8_t { cxapCycle, cxapPingPong };
enum TcxProgressBarBevelOuter : uint8_t { cxbvNone, cxbvLowered, cxbvRaised };
// The odd values are the LED styles; 6 and 7 are the animation (glassy) styles.
enum TcxProgressBarBarStyle : uint8_t {
  cxbsSolid,
  cxbsLEDs,
  cxbsGradient,
  cxbsGradientLEDs,
  cxbsBitmap,
  cxbsBitmapLEDs,
  cxbsAnimation,
  cxbsAnimationLEDs
};
enum TcxProgressBarOrientation : uint8_t { cxorHorizontal, cxorVertical };
enum TcxProgressBarTextStyle : uint8_t { cxtsPercent, cxtsPosition, cxtsText };
using TcxProgressBarAnimationSpeed = uint8_t;  // 0..20
using TcxNaturalNumber = int32_t;              // 1..2147483647
using TcxBorderWidth = uint16_t;

inline bool IsLEDStyle(TcxProgressBarBarStyle style) { return (style & 1) != 0; }
inline bool IsAnimationStyle(TcxProgressBarBarStyle style) { return style >= cxbsAnimation; }

// ---------------------------------------------------------------------------------------------
// Value arithmetic

// Max - Min, or 1 when they are equal.
double ProgressBarRange(double min, double max);
// round(value * 100 / range), halves to even, within 0..100: a value below Min (possible only
// when Max = Min, since the value is clamped otherwise) reads as 0 %, never as a negative share.
int ProgressBarPercent(double value, double range);
// trunc(length * value / range) within 0..length: an unclamped value (Max = Min) never reaches
// past the bar's ends.
int ProgressBarExtent(int length, double value, double range);
// The peak held: the highest of the position and the stored peak (brought into Min..Max).
double ProgressBarPeakHold(double position, double min, double max, double storedPeak);

// The settings the bar is drawn from, copied from the properties at every layout.
struct TcxProgressBarSettings {
  TcxProgressBarAnimationPath AnimationPath = cxapCycle;
  uint32_t AnimationRestartDelay = 0;
  int AnimationSpeed = 10;
  TColor BeginColor = 0x800000;
  TColor EndColor = 0xFFFFFF;
  TcxProgressBarBevelOuter BarBevelOuter = cxbvNone;
  bool Marquee = false;
  double Min = 0;
  double Max = 100;
  double Position = 0;
  TcxProgressBarOrientation Orientation = cxorHorizontal;
  bool ShowText = true;
  TcxProgressBarTextStyle ShowTextStyle = cxtsPercent;
  std::string Text;
  TcxProgressBarOrientation TextOrientation = cxorHorizontal;
  bool SolidTextColor = false;
  TcxProgressBarBarStyle BarStyle = cxbsSolid;
  int BorderWidth = 0;
  double OverloadValue = 80;
  bool ShowOverload = false;
  TColor OverloadBeginColor = 0x8080FF;
  TColor OverloadEndColor = 0xFF00FF;
  double PeakValue = 0;  // the peak drawn (held)
  bool ShowPeak = false;
  TColor PeakColor = 0x0000FF;
  int PeakSize = 2;

  double Range() const { return ProgressBarRange(Min, Max); }
  // Position - Min; the whole range in marquee mode (the bar is drawn full).
  double DrawnValue() const { return Marquee ? Range() : Position - Min; }
  bool Vertical() const { return Orientation == cxorVertical; }
};

// The caption: "<percent> %", the position as a number, or Text (always Text in marquee mode).
std::string ProgressBarCaptionText(const TcxProgressBarSettings& settings);

// ---------------------------------------------------------------------------------------------
// Layout

struct TcxProgressBarLayout {
  TRect Bounds;
  TRect BarRect;
  TRect Content;
  TRect Progress;
  TRect Overload;
  TRect Peak;
  TRect MarqueeBlock;  // base position: centred on the start of the bar
  bool OverloadVisible = false;
  bool PeakVisible = false;

  void Offset(int dx, int dy);
};

// Where the bar lies inside the editor.
struct TcxProgressBarFrame {
  TRect Bounds;
  TRect BorderRect;  // the bounds without the editor's border
  bool InPlace = false;
  bool Native = false;
};
TRect ProgressBarBarRect(const TcxProgressBarFrame& frame);
TRect ProgressBarContentRect(const TcxProgressBarFrame& frame, const TcxProgressBarSettings& settings);

// The progress, overload, peak and marquee rectangles for a content rectangle.
TcxProgressBarLayout CalculateProgressBarLayout(const TcxProgressBarSettings& settings,
                                                const TcxProgressBarFrame& frame, int marqueeBlockLength = 50);

// ---------------------------------------------------------------------------------------------
// LEDs

// The LED pitch: two thirds of the thickness plus 2; a bitmap shorter than that sets the pitch.
int ProgressBarLEDLength(int thickness, int imageLength = 0);
// The 2-pixel gaps at the end of every whole LED of the rectangle, from its start (its left, or
// the bottom of a vertical bar).
std::vector<TRect> ProgressBarLEDGaps(const TRect& rect, bool vertical, int ledLength);
// The lit parts: every whole LED (ledLength - 2 long) and the partial one left over.
std::vector<TRect> ProgressBarLEDCells(const TRect& rect, bool vertical, int ledLength);
// Makes the progress part hold whole LEDs by handing its partial LED to the overload part.
void AlignProgressToLEDs(TRect& progress, TRect& overload, bool vertical, int ledLength);

// ---------------------------------------------------------------------------------------------
// Marquee and animation motion

// The block's travel along a bar: its centre position, direction, and the span of the filled
// part it moves over (Lo..Hi along the bar, in the bar's own pixels).
class TcxProgressBarMotion {
 public:
  TcxProgressBarAnimationPath Path = cxapCycle;
  bool Vertical = false;
  int Speed = 10;
  int BlockLength = 50;
  int BaseDirection = 1;
  int Lo = 0;
  int Hi = 0;

  int Position() const { return position_; }
  int Direction() const { return direction_; }
  // Lo and Hi for the bounds and the drawn value.
  void SetSpan(const TRect& bounds, double value, double range);
  void Reset();
  // One step of 2 x Speed pixels; answers true when the block wrapped or bounced (the restart
  // delay starts then).
  bool Advance();

 private:
  int position_ = 0;
  int direction_ = 1;
};

// The block's rectangle moved by the motion's position along the bar.
TRect MovedMarqueeBlock(const TRect& block, bool vertical, int position);

// ---------------------------------------------------------------------------------------------
// Drawing (canvas coordinates; every routine restores the canvas state it changes)

// The linear gradient over the bar's bounds (the filled part shows its share of it), and, with an
// overload part, the overload gradient from it to the end of the bounds.
void DrawProgressBarGradient(TcxCanvas* canvas, const TcxProgressBarSettings& settings, const TRect& bounds,
                             const TRect* overload = nullptr);
void DrawProgressBarBevel(TcxCanvas* canvas, const TRect& rect, TcxProgressBarBevelOuter bevel);
// The glassy fill of the animation styles: the thick band set for the bar, the thin one for the
// background.
void DrawProgressBarGlassyFill(TcxCanvas* canvas, const TRect& rect, TColor color, bool vertical, bool thick);
// The shine travelling over a glassy bar. Pixels are read from the canvas's bitmap; a read outside
// it takes the nearest edge pixel.
void DrawProgressBarShine(TcxCanvas* canvas, const TSize& canvasSize, const TRect& block, const TRect& filled,
                          bool vertical);

struct TcxProgressBarCaptionStyle {
  TFont* Font = nullptr;
  TColor Color = clWindowText;
  TcxProgressBarOrientation Orientation = cxorHorizontal;
  // Written in the font colour; otherwise every text pixel inverts what lies beneath it.
  bool Solid = false;
  // Where the text is centred when not in the bar itself (under a skin); empty: the bar.
  TRect Centring;
};
// The caption centred in the bar.
void DrawProgressBarCaption(TcxCanvas* canvas, const TRect& barRect, const std::string& text,
                            const TcxProgressBarCaptionStyle& style);

// What a classic (not skinned) drawing of the bar needs besides the settings and the layout.
struct TcxProgressBarPaintParams {
  TColor BackgroundColor = clWindow;
  TcxProgressBarCaptionStyle Caption;
  bool Native = false;
  bool InPlace = false;
  bool Transparent = false;
  bool Designing = false;
  TBitmap* Image = nullptr;  // the foreground image of the bitmap styles
  int AnimationPosition = 0;
  bool AnimationRunning = false;  // the shine travels only while the animation runs
  // The native chunk's one-pixel slice, kept between paints (none: made for each paint).
  TBitmap* ChunkStrip = nullptr;
  // Paints what lies under the bar when it is transparent (the parent's image) into a rectangle
  // of the canvas; none leaves the canvas as it is.
  std::function<void(TcxCanvas*, const TRect&)> PaintBackground;
};

// The whole classic bar (background, bar by style, LEDs, bevel, peak and caption) into a canvas
// whose coordinates are the layout's.
void DrawProgressBarClassic(TcxCanvas* canvas, const TSize& canvasSize, const TcxProgressBarSettings& settings,
                            const TcxProgressBarLayout& layout, const TcxProgressBarPaintParams& params);
// The bar under a skin: the painter's frame and chunk, with the overload part inverted.
void DrawProgressBarSkinned(TcxCanvas* canvas, TcxCustomLookAndFeelPainterClass painter,
                            const TcxProgressBarSettings& settings, const TcxProgressBarLayout& layout,
                            const TcxProgressBarPaintParams& params);

// ---------------------------------------------------------------------------------------------
// The editor kind: properties, view data, view info and the control

class TcxCustomProgressBar;
class TcxCustomProgressBarViewInfo;

// The framework's maximum and minimum flags under the bar's names.
class TcxProgressBarPropertiesValues : public TcxCustomEditPropertiesValues {
  CALDERAN_CLASS(TcxProgressBarPropertiesValues)
  using TcxCustomEditPropertiesValues::TcxCustomEditPropertiesValues;
  bool Max() const { return MaxValue(); }
  void SetMax(bool value) { SetMaxValue(value); }
  bool Min() const { return MinValue(); }
  void SetMin(bool value) { SetMinValue(value); }
  // Stored only when set while the value is 0 (a value other than 0 is stored itself).
  bool IsMaxStored() const;
  bool IsMinStored() const;
};

class TcxCustomProgressBarPropertiesClass : public TcxCustomEditPropertiesClass {
 public:
  using TcxCustomEditPropertiesClass::TcxCustomEditPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
  TClass AssignedFlagsClass() const override;
  const TcxCustomEditClass* EditClass() const override;
  const TcxCustomEditViewDataClass* ViewDataClass(TcxCustomEditStyle* style, bool inPlace) const override;
  const TcxCustomEditViewInfoClass* ViewInfoClass() const override;
};

class TcxCustomProgressBarProperties : public TcxCustomEditProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomProgressBarProperties, TcxCustomProgressBarPropertiesClass)
  explicit TcxCustomProgressBarProperties(TPersistent* owner)
      : TcxCustomProgressBarProperties(owner, StaticClassOperations()) {}

  TcxProgressBarAnimationPath AnimationPath() const { return animationPath_; }
  void SetAnimationPath(TcxProgressBarAnimationPath value) { SetNotifying(animationPath_, value); }
  uint32_t AnimationRestartDelay() const { return animationRestartDelay_; }
  void SetAnimationRestartDelay(uint32_t value) { SetNotifying(animationRestartDelay_, value); }
  TcxProgressBarAnimationSpeed AnimationSpeed() const { return animationSpeed_; }
  void SetAnimationSpeed(TcxProgressBarAnimationSpeed value);  // above 20: 20
  TColor BeginColor() const { return beginColor_; }
  void SetBeginColor(TColor value) { SetNotifying(beginColor_, value); }
  TcxProgressBarBevelOuter BarBevelOuter() const { return barBevelOuter_; }
  void SetBarBevelOuter(TcxProgressBarBevelOuter value) { SetNotifying(barBevelOuter_, value); }
  TcxProgressBarBarStyle BarStyle() const { return barStyle_; }
  void SetBarStyle(TcxProgressBarBarStyle value);
  TcxBorderWidth BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(TcxBorderWidth value) { SetNotifying(borderWidth_, value); }
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor value) { SetNotifying(endColor_, value); }
  // Made empty on first read; its changes notify.
  TBitmap* ForegroundImage();
  TBitmap* ForegroundImageIfAny() const { return foregroundImage_.get(); }
  void SetForegroundImage(TBitmap* value);  // none frees it
  bool Marquee() const { return marquee_; }
  void SetMarquee(bool value);
  double Max() const { return MaxValue(); }
  void SetMax(double value);
  double Min() const { return MinValue(); }
  void SetMin(double value);
  TcxProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TcxProgressBarOrientation value) { SetNotifying(orientation_, value); }
  TColor OverloadBeginColor() const { return overloadBeginColor_; }
  void SetOverloadBeginColor(TColor value) { SetNotifying(overloadBeginColor_, value); }
  TColor OverloadEndColor() const { return overloadEndColor_; }
  void SetOverloadEndColor(TColor value) { SetNotifying(overloadEndColor_, value); }
  double OverloadValue() const { return overloadValue_; }
  void SetOverloadValue(double value);  // kept within Min..Max
  TColor PeakColor() const { return peakColor_; }
  void SetPeakColor(TColor value) { SetNotifying(peakColor_, value); }
  TcxNaturalNumber PeakSize() const { return peakSize_; }
  void SetPeakSize(TcxNaturalNumber value);
  double PeakValue() const { return peakValue_; }
  void SetPeakValue(double value) { SetNotifying(peakValue_, value); }
  // Raises the stored peak to the one drawn, without a notification (peak hold while painting).
  void HoldPeak(double value) { peakValue_ = std::max(peakValue_, value); }
  bool ShowOverload() const { return showOverload_; }
  void SetShowOverload(bool value) { SetNotifying(showOverload_, value); }
  bool ShowPeak() const { return showPeak_; }
  void SetShowPeak(bool value) { SetNotifying(showPeak_, value); }
  bool ShowText() const { return showText_; }
  void SetShowText(bool value) { SetNotifying(showText_, value); }
  TcxProgressBarTextStyle ShowTextStyle() const { return showTextStyle_; }
  void SetShowTextStyle(TcxProgressBarTextStyle value);  // only cxtsText while a marquee
  bool SolidTextColor() const { return solidTextColor_; }
  void SetSolidTextColor(bool value) { SetNotifying(solidTextColor_, value); }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& value);
  TcxProgressBarOrientation TextOrientation() const { return textOrientation_; }
  void SetTextOrientation(TcxProgressBarOrientation value) { SetNotifying(textOrientation_, value); }
  bool TransparentImage() const { return transparentImage_; }
  void SetTransparentImage(bool value) { SetNotifying(transparentImage_, value); }

  // Set by the control's Position writer, cleared by the next layout.
  bool PositionChanged = false;
  // Set by the image writer, cleared when the view info takes the image.
  bool ImageChanged = false;

  bool IsOverloadValueStored() const { return overloadValue_ != 80; }
  bool IsPeakValueStored() const { return peakValue_ != 0; }
  bool IsShowTextStyleStored() const { return showTextStyle_ != cxtsPercent && !marquee_; }
  bool IsMaxStored() const { return AssignedValues()->MaxValue() && MaxValue() != 0; }
  bool IsMinStored() const { return AssignedValues()->MinValue() && MinValue() != 0; }

  // The view info's Position within Min..Max when the range is not empty.
  void ClampDrawValue(TcxCustomProgressBarViewInfo* viewInfo) const;
  // The number an edit value draws as: a number or date as it is, a text that is wholly a number
  // as that number, anything else 0.
  static double DrawValueOf(const TVariant& editValue);

  void Assign(TPersistent* source) override;
  double GetMaxValue() const override;
  double GetMinValue() const override;
  bool HooksInnerEditChange() const override { return true; }
  bool DetectsValueChange() const override { return true; }
  uint16_t GetSupportedOperations() const override { return 265; }
  void EditValueToDisplay(const TVariant& editValue, TVariant& displayValue, bool editing) override;
  std::u16string FormatDisplayValue(const TVariant& editValue) override;

 protected:
  TcxCustomProgressBarProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls);

 private:
  // An image changed in place is taken again as well.
  void ForegroundImageChanged(TObject*) {
    ImageChanged = true;
    NotifyChanged();
  }
  void FollowRange();

  TcxProgressBarAnimationPath animationPath_ = cxapCycle;
  uint32_t animationRestartDelay_ = 0;
  TcxProgressBarAnimationSpeed animationSpeed_ = 10;
  TColor beginColor_ = 0x800000;
  TcxProgressBarBevelOuter barBevelOuter_ = cxbvNone;
  TColor endColor_ = 0xFFFFFF;
  std::unique_ptr<TBitmap> foregroundImage_;
  bool marquee_ = false;
  TcxProgressBarOrientation orientation_ = cxorHorizontal;
  bool showText_ = true;
  TcxProgressBarTextStyle showTextStyle_ = cxtsPercent;
  std::string text_;
  TcxProgressBarOrientation textOrientation_ = cxorHorizontal;
  bool solidTextColor_ = false;
  TcxProgressBarBarStyle barStyle_ = cxbsSolid;
  bool transparentImage_ = true;
  TcxBorderWidth borderWidth_ = 0;
  double overloadValue_ = 80;
  bool showOverload_ = false;
  TColor overloadBeginColor_ = 0x8080FF;
  TColor overloadEndColor_ = 0xFF00FF;
  double peakValue_ = 0;
  bool showPeak_ = false;
  TColor peakColor_ = 0x0000FF;
  TcxNaturalNumber peakSize_ = 2;
};

class TcxProgressBarPropertiesClass : public TcxCustomProgressBarPropertiesClass {
 public:
  using TcxCustomProgressBarPropertiesClass::TcxCustomProgressBarPropertiesClass;
  TcxCustomEditProperties* Create(TPersistent* owner) const override;
};

// The published face of the settings.
class TcxProgressBarProperties : public TcxCustomProgressBarProperties {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxProgressBarProperties, TcxProgressBarPropertiesClass)
  explicit TcxProgressBarProperties(TPersistent* owner)
      : TcxCustomProgressBarProperties(owner, StaticClassOperations()) {}
  TcxProgressBarPropertiesValues* AssignedValues() const {
    return static_cast<TcxProgressBarPropertiesValues*>(TcxCustomEditProperties::AssignedValues());
  }
};

class TcxCustomProgressBarViewDataClass : public TcxCustomEditViewDataClass {
 public:
  using TcxCustomEditViewDataClass::TcxCustomEditViewDataClass;
  TcxCustomEditViewData* Create(TcxCustomEditProperties* properties, TcxCustomEditStyle* style,
                                bool inPlace) const override;
};

class TcxCustomProgressBarViewData : public TcxCustomEditViewData {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomProgressBarViewData, TcxCustomProgressBarViewDataClass)
  using TcxCustomEditViewData::TcxCustomEditViewData;
  TcxCustomProgressBarProperties* BarProperties() const {
    return static_cast<TcxCustomProgressBarProperties*>(Properties);
  }

  // Copies the properties into the view info.
  virtual void LoadBarSettings(TcxCustomProgressBarViewInfo* viewInfo);
  virtual uint32_t TextOutFlags() const { return 0; }

  void ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point, TcxContainerMouseButton button,
                     TShiftState shift, TcxCustomEditViewInfo* viewInfo, bool isMouseEvent) override;
  void CalcConstantPartSize(TcxCanvas* canvas, bool editing, TcxCustomEditViewInfo* viewInfo, TSize& nonContentSize,
                            TSize& minContentSize, const TcxEditSizeProperties& request) override;

 private:
  bool UsesNativeBar() const;
  void StoreLayout(TcxCustomProgressBarViewInfo* viewInfo, const TcxProgressBarLayout& layout, bool isMouseEvent);
};

class TcxCustomProgressBarViewInfoClass : public TcxCustomEditViewInfoClass {
 public:
  using TcxCustomEditViewInfoClass::TcxCustomEditViewInfoClass;
  TcxCustomEditViewInfo* Create() const override;
};

class TcxCustomProgressBarViewInfo : public TcxCustomEditViewInfo {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomProgressBarViewInfo, TcxCustomProgressBarViewInfoClass)
  TcxCustomProgressBarViewInfo();
  ~TcxCustomProgressBarViewInfo() override;

  // The settings drawn and the layout stored by the last calculation that moved a pixel.
  TcxProgressBarSettings Bar;
  TcxProgressBarLayout Layout;
  bool NativeBar = false;
  bool LayoutChanged = false;
  bool BufferResizeNeeded = false;
  TBitmap* ForegroundImage() const { return foregroundImage_.get(); }
  // Takes the properties' image (made transparent over the background colour when asked).
  void TakeForegroundImage(TBitmap* image, bool transparent);

  // The animation: the settings that restart it when they change.
  void SetAnimationPath(TcxProgressBarAnimationPath value);
  void SetAnimationRestartDelay(uint32_t value) { Bar.AnimationRestartDelay = value; }
  void SetAnimationSpeed(int value);
  void SetMarquee(bool value);
  void SetOrientation(TcxProgressBarOrientation value);
  void SetBarStyle(TcxProgressBarBarStyle value);
  bool AnimationAllowed() const;
  bool AnimationRunning() const { return animationTimer_ != nullptr; }
  bool RestartDelayRunning() const { return restartTimer_ != nullptr; }
  int AnimationPosition() const { return motion_.Position(); }
  int AnimationDirection() const { return motion_.Direction(); }
  TcxTimer* AnimationTimer() const { return animationTimer_.get(); }
  TcxTimer* RestartTimer() const { return restartTimer_.get(); }
  void StartAnimation();
  // One tick of the animation timer (the timer calls it).
  void AnimationTick();

  // --- numbered operations
  virtual int MarqueeBlockLength() const { return 50; }
  virtual int MarqueeBaseDirection() const { return 1; }
  virtual void DrawClassicBar(TcxCanvas* canvas);

  void PaintAll(TcxCanvas* canvas) override;
  void Shift(int dx, int dy) override;
  bool HintNeededAt(const TPoint&) const override { return false; }

 private:
  TcxProgressBarPaintParams PaintParams(TcxCanvas* target) const;
  void PaintSkinned(TcxCanvas* canvas);
  void PaintCaption(TcxCanvas* canvas) const;
  void PrepareMotion();
  void StopAnimation();
  void StartRestartDelay();
  void AnimationTimerTick(TObject*) { AnimationTick(); }
  void RestartTimerTick(TObject*) { restartTimer_.reset(); }

  TcxProgressBarMotion motion_;
  std::unique_ptr<TcxTimer> animationTimer_;
  std::unique_ptr<TcxTimer> restartTimer_;
  std::unique_ptr<TcxBitmap> drawBuffer_;
  std::unique_ptr<TcxBitmap> skinBuffer_;
  std::unique_ptr<TBitmap> chunkStrip_;
  std::unique_ptr<TBitmap> foregroundImage_;
};

class TcxCustomProgressBarClass : public TcxCustomEditClass {
 public:
  using TcxCustomEditClass::TcxCustomEditClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override;
};

class TcxCustomProgressBar : public TcxCustomEdit {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomProgressBar, TcxCustomProgressBarClass)
  explicit TcxCustomProgressBar(TComponent* owner, bool inPlace = false)
      : TcxCustomProgressBar(owner, StaticClassOperations(), inPlace) {}

  TcxCustomProgressBarProperties* Properties() const {
    return static_cast<TcxCustomProgressBarProperties*>(OwnProperties());
  }
  TcxCustomProgressBarProperties* ActiveProperties() {
    return static_cast<TcxCustomProgressBarProperties*>(EffectiveProperties());
  }
  TcxCustomProgressBarViewInfo* BarViewInfo() const {
    return static_cast<TcxCustomProgressBarViewInfo*>(GetViewInfo());
  }
  double Position() const;
  void SetPosition(double value);
  bool IsPositionStored() const { return Position() != 0; }

  // --- numbered operations
  virtual void ClampEditValue();
  virtual void ClampUnboundEditValue();

  void ApplyPropertiesChange(TObject* properties) override;
  void UpdateDisplayFromValue() override;
  void FillAutoSizeParams(TcxEditSizeProperties& request) override;
  TcxContainerStyleValues HiddenStyleValues() const override;
  bool UsesParentBackgroundNatively() const override { return true; }
  // Only a bar in a host's cell takes the focus.
  bool CanFocus() override;
  bool TakesFocusOnClick() override;

 protected:
  TcxCustomProgressBar(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace);
};

class TcxProgressBarClass : public TcxCustomProgressBarClass {
 public:
  using TcxCustomProgressBarClass::TcxCustomProgressBarClass;
  TcxCustomEdit* Create(TComponent* owner, bool inPlace) const override;
  const TcxCustomEditPropertiesClass* OwnPropertiesClass() const override;
};

class TcxProgressBar : public TcxCustomProgressBar {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxProgressBar, TcxProgressBarClass)
  explicit TcxProgressBar(TComponent* owner, bool inPlace = false)
      : TcxCustomProgressBar(owner, StaticClassOperations(), inPlace) {}
  TcxProgressBarProperties* Properties() const { return static_cast<TcxProgressBarProperties*>(OwnProperties()); }
  void SetProperties(TcxProgressBarProperties* value) { OwnProperties()->Assign(value); }
};

// The filter editor of a progress-bar value is a spin editor over the bar's range.
class TcxFilterProgressBarHelper : public TcxCustomFilterEditHelper {
  CALDERAN_CLASS(TcxFilterProgressBarHelper)
  static const TcxFilterProgressBarHelper* Instance();
  void PrepareFilterProperties(TcxCustomEditProperties* properties, TcxCustomEditProperties* source,
                               bool hasButtons) const override;

 protected:
  constexpr TcxFilterProgressBarHelper() = default;
};

extern const TUnitInfo cxProgressBarUnit;
