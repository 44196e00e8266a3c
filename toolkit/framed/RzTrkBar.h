// The track bar: a slider drawn entirely by itself (a framed track, tick marks and a thumb taken
// from one of seven families of small bitmaps recoloured to the system colours at load time, or a
// strip of three frames the application gives). The thumb is dragged, the track pages on a press
// with auto-repeat, the keyboard steps, pages and jumps.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "Controls.h"
#include "ExtCtrls.h"
#include "Graphics.h"
#include "RzCommon.h"

enum TThumbStyle : uint8_t { tsBox, tsCustom, tsMixer, tsPointer, tsFlat, tsXPPointer, tsXPBox };
enum TTickStyle : uint8_t { tkStandard, tkOwnerDraw };
enum TPointerType : uint8_t { ptStandard, ptWin95 };

class TRzTrackBar;
using TRzTrackBarChangingEvent = TEvent<void(TObject* Sender, int NewPos, bool& AllowChange)>;
using TRzDrawTickEvent = TEvent<void(TRzTrackBar* TrackBar, TCanvas* Canvas, TPoint Location, int Index)>;

class TRzTrackBar : public TCustomControl {
  CALDERAN_CLASS(TRzTrackBar)
  explicit TRzTrackBar(TComponent* owner);
  ~TRzTrackBar() override;
  void Dispatch(TMessage& message) override;

  int Max() const { return max_; }
  virtual void SetMax(int value);
  int Min() const { return min_; }
  virtual void SetMin(int value);
  int Position() const { return position_; }
  virtual void SetPosition(int value);
  TOrientation Orientation() const { return orientation_; }
  virtual void SetOrientation(TOrientation value);
  uint16_t PageSize() const { return pageSize_; }
  void SetPageSize(uint16_t value) { pageSize_ = value; }
  TThumbStyle ThumbStyle() const { return thumbStyle_; }
  virtual void SetThumbStyle(TThumbStyle value);
  TPointerType PointerType() const { return pointerType_; }
  virtual void SetPointerType(TPointerType value);
  TTickStyle TickStyle() const { return tickStyle_; }
  virtual void SetTickStyle(TTickStyle value);
  TColor TickColor() const { return tickColor_; }
  virtual void SetTickColor(TColor value);
  int TickStep() const { return tickStep_; }
  virtual void SetTickStep(int value);
  bool ShowTicks() const { return showTicks_; }
  virtual void SetShowTicks(bool value);
  TColor HighlightColor() const { return highlightColor_; }
  virtual void SetHighlightColor(TColor value);
  TColor HotTrackColor() const { return hotTrackColor_; }
  virtual void SetHotTrackColor(TColor value);
  TRzHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
  virtual void SetHotTrackColorType(TRzHotTrackColorType value);
  TColor TrackColor() const { return trackColor_; }
  virtual void SetTrackColor(TColor value);
  uint16_t TrackOffset() const { return trackOffset_; }
  virtual void SetTrackOffset(uint16_t value);
  TFrameStyle TrackFrame() const { return trackFrame_; }
  virtual void SetTrackFrame(TFrameStyle value);
  TColor TrackFrameColor() const { return trackFrameColor_; }
  virtual void SetTrackFrameColor(TColor value);
  uint16_t TrackWidth() const { return trackWidth_; }
  virtual void SetTrackWidth(uint16_t value);
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool value);
  bool ShowFocusRect() const { return showFocusRect_; }
  void SetShowFocusRect(bool value);
  bool TabOnEnter() const { return tabOnEnter_; }
  void SetTabOnEnter(bool value) { tabOnEnter_ = value; }
  TBitmap* CustomThumb() { return customThumb_.get(); }
  virtual void SetCustomThumb(TBitmap* value);

  // Geometry, from the current state (for painting, input and the tests).
  TRect TrackRect() const;
  TRect ThumbRect() const;
  int ThumbLength() const { return thumbLength_; }
  int ThumbThickness() const { return thumbThickness_; }
  // The distance kept free at both ends of the track.
  static constexpr int EndInset = 4;
  // The value a drag to client point p gives (rounded, clamped); the grab offset is taken off.
  int PositionAtDragPoint(TPoint p) const;
  TBitmap* ThumbImage() { return thumb_.get(); }

  TNotifyEvent OnChange;
  TRzTrackBarChangingEvent OnChanging;
  TRzDrawTickEvent OnDrawTick;

 protected:
  virtual void DrawTrack(TCanvas* canvas);
  virtual void DrawTicks(TCanvas* canvas);
  virtual void DrawThumb(TCanvas* canvas);
  virtual bool CanSetPosition(int /*value*/) { return true; }
  virtual void DoChange();
  virtual bool DoChanging(int newPosition);
  virtual void DoDrawTick(TCanvas* canvas, TPoint location, int index);
  void Paint() override;
  void Loaded() override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  bool Reading() const;
  void LoadThumbImages();
  void LoadCustomThumb();
  void CustomThumbChanged(TObject* sender);
  void BackgroundChanged();
  void RebuildBackground();
  void DrawThumbAt(TCanvas* canvas, const TRect& newRect);
  void MoveTo(int value);  // a user's change: asks CanSetPosition first
  void PressTrack(TPoint p);
  void EndPaging();
  void RepeatTimerTick(TObject* sender);
  bool IsForwardPress(TPoint p) const;
  int Span() const;
  void SetHotThumb(bool value);

  void WMGetDlgCode(TMessage& m) { m.Result = DLGC_WANTARROWS; }
  void WMFocusChanged(TMessage& m);
  void WMSize(TMessage& m);
  void WMSetCursor(TMessage& m);
  void WMEraseBkgnd(TMessage& m);
  void CMDesignHitTest(TMessage& m);
  void CMMouseLeave(TMessage& m);
  void CMChanged(TMessage& m);

  int max_ = 10, min_ = 0;
  // The range and position as a stored form gives them, applied together once it is read.
  std::optional<int> loadedMax_, loadedMin_, loadedPosition_;
  TOrientation orientation_ = orHorizontal;
  uint16_t pageSize_ = 1;
  int position_ = 0;
  TTickStyle tickStyle_ = tkStandard;
  TColor tickColor_ = clBtnShadow;
  int tickStep_ = 1;
  TColor highlightColor_ = clHighlight, hotTrackColor_ = 0x149BF0;
  TRzHotTrackColorType hotTrackColorType_ = htctActual;
  bool showTicks_ = true;
  bool dragging_ = false, paging_ = false, pagingForward_ = false;
  std::unique_ptr<TTimer> repeatTimer_;
  TPoint lastPress_;
  bool tabOnEnter_ = false;
  TPoint grabOffset_;
  int thumbThickness_ = 0;
  TRect thumbRect_;
  TThumbStyle thumbStyle_ = tsPointer;
  int thumbLength_ = 0, halfThumb_ = 0;
  TPointerType pointerType_ = ptStandard;
  TColor trackColor_ = cl3DLight;
  uint16_t trackOffset_ = 20;
  TFrameStyle trackFrame_ = fsStatus;
  TColor trackFrameColor_ = clBtnShadow;
  uint16_t trackWidth_ = 8;
  bool showFocusRect_ = true;
  std::unique_ptr<TBitmap> thumb_, hotThumb_, mask_, disabledThumb_, background_;
  bool backgroundDirty_ = true;
  std::unique_ptr<TBitmap> customThumb_;
  bool hotThumbShown_ = false;
  bool transparent_ = false;
  HCURSOR horizontalCursor_ = nullptr, verticalCursor_ = nullptr;
};

void RegisterTrackBarClasses();
