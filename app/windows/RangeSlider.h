// The range slider: a frame of stacked pictures on which the user picks a range (a start and an
// end thumb around a selection bar) and a play position (a marker between them). Values are doubles
// in the owner's unit; the frame has no painting code, it only moves its pictures.
//
// A value v stands at x(v) = lo + v / (FMax - FMin) * span on the track (lo and span from the
// track picture, inset 7 pixels at each end); FMin is not subtracted, so owners count from 0.
// A scale of no length (FMax = FMin, a clip of zero length) places every part at the track's start
// and reads every value as 0: nothing divides by zero.
#pragma once
#include <cstdint>

#include "ExtCtrls.h"
#include "Forms.h"

// kind: 1 the start thumb, 2 the end thumb.
using TSeekThumbEvent = TEvent<void(int Kind, double Start, double End)>;
using TSeekSelectionEvent = TEvent<void(double Start, double End, double Position)>;
using TSeekPositionEvent = TEvent<void(double Position)>;

class TframSeekBar : public TFrame {
  CALDERAN_CLASS(TframSeekBar)
  using TFrame::TFrame;
  void AfterConstruction() override;

  // Stores all five and places every part; no checks, no events.
  void SetRange(int64_t Min, int64_t Max, int64_t Start, int64_t End, int64_t Position);
  // Guarded setters: a value out of order is dropped silently; no events.
  void SetStart(double Value);
  void SetEnd(double Value);
  void SetPosition(double Value);
  void SetPartsEnabled(bool Value);

  double Start() const { return FStart; }
  double End() const { return FEnd; }
  double Position() const { return FPosition; }

  TImage* imgClient = nullptr;
  TImage* imgBackground = nullptr;
  TImage* imgStart = nullptr;
  TImage* imgEnd = nullptr;
  TImage* imgSel = nullptr;
  TImage* imgPosition = nullptr;

  bool FActive = false;

  TSeekThumbEvent OnThumbDown, OnThumbMove, OnThumbUp;
  TSeekSelectionEvent OnSelectionDown, OnSelectionMove, OnSelectionUp;
  TSeekPositionEvent OnPositionDown, OnPositionMove, OnPositionUp;

  // Mouse handlers bound in the stored frame.
  void imgStartMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void imgStartMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void imgStartMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void imgEndMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void imgEndMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void imgEndMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void imgSelMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void imgSelMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void imgSelMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void imgPositionMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void imgPositionMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void imgPositionMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  static void Register();

 private:
  enum class TPart { Start, End, Selection, Position };
  double Lo() const;
  double Hi() const;
  double Span() const;
  double X(double value) const;
  double ValueAt(double x) const;
  void PlaceStart();
  void PlaceEnd();
  void PlaceSelection();
  void PlacePosition();
  void ValuesFromThumbs(TPart moved);
  void DragThumb(TPart part, int x);
  void DragStartThumb(int d);
  void DragEndThumb(int d);
  void DragSelection(int d);
  void DragMarker(int d);
  void LoadPictures();

  double FStart = 0, FEnd = 0, FPosition = 0, FMin = 0, FMax = 0;
  bool FDragStart = false, FDragSelection = false, FDragEnd = false, FDragPosition = false;
  int32_t FDownX = 0;
};

// Registers the frame's class, fields and handlers for the stored-form reader.
extern const TUnitInfo RangeSliderUnit;
