// The progress bar: a value between Min and Max shown as a bar (solid, gradient, bitmap or glassy,
// each also as separated LEDs), with an overload part, a peak mark, a caption and a marquee.
//
// The bar's geometry and drawing are plain functions over a settings record and a layout record,
// so that they can be computed and painted without an editor; the editor classes load the
// settings from their properties and keep the layout between paints.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Graphics.h"
#include "Types.h"
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
