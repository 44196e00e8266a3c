#include "RangeSlider.h"

#include "SysUtils.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CREATABLE(TframSeekBar, TFrame, TComponent*)

namespace {
constexpr int kTrackInset = 7;  // the track's ends, where the thumbs stop

int RoundPx(double value) { return static_cast<int>(Round(value)); }
}  // namespace

void TframSeekBar::AfterConstruction() {
  TFrame::AfterConstruction();
  LoadPictures();
}

// The pictures are the program's bitmap resources, so the stored frame stays readable.
void TframSeekBar::LoadPictures() {
  const std::pair<TImage*, const char*> pictures[] = {
      {imgClient, "SEEK_CLIENT"}, {imgBackground, "SEEK_TRACK"}, {imgStart, "SEEK_START"},
      {imgEnd, "SEEK_END"},       {imgSel, "SEEK_SEL"},          {imgPosition, "SEEK_POSITION"}};
  HINSTANCE program = GetModuleHandleA(nullptr);
  for (const auto& [image, name] : pictures)
    if (image && FindResourceA(program, name, reinterpret_cast<LPCSTR>(RT_BITMAP)))
      image->Picture()->Bitmap()->LoadFromResourceName(program, name);
}

// ---------------------------------------------------------------------------------------------
// Scale

double TframSeekBar::Lo() const { return imgBackground->Left() + kTrackInset; }
double TframSeekBar::Hi() const { return imgBackground->Left() + imgBackground->Width() - kTrackInset; }
double TframSeekBar::Span() const { return imgBackground->Width() - 2 * kTrackInset; }

double TframSeekBar::X(double value) const {
  const double length = FMax - FMin;
  return length == 0 ? Lo() : Lo() + value / length * Span();
}

double TframSeekBar::ValueAt(double x) const {
  const double span = Span();
  return span == 0 ? 0 : (FMax - FMin) * (x - Lo()) / span;
}

// ---------------------------------------------------------------------------------------------
// Parts from values

void TframSeekBar::PlaceSelection() {
  imgSel->SetLeft(imgStart->Left() + imgStart->Width());
  imgSel->SetWidth(imgEnd->Left() - imgSel->Left());
}

void TframSeekBar::PlacePosition() { imgPosition->SetLeft(RoundPx(X(FPosition) - imgPosition->Width() / 2.0)); }

void TframSeekBar::PlaceStart() {
  imgStart->SetLeft(RoundPx(X(FStart) - imgStart->Width()));
  PlaceSelection();
  if (FStart > FPosition) {
    FPosition = FStart;
    PlacePosition();
  }
}

void TframSeekBar::PlaceEnd() {
  imgEnd->SetLeft(RoundPx(X(FEnd)));
  PlaceSelection();
  if (FPosition > FEnd) {
    FPosition = FEnd;
    PlacePosition();
  }
}

void TframSeekBar::SetRange(int64_t Min, int64_t Max, int64_t Start, int64_t End, int64_t Position) {
  FMin = static_cast<double>(Min);
  FMax = static_cast<double>(Max);
  FStart = static_cast<double>(Start);
  FEnd = static_cast<double>(End);
  FPosition = static_cast<double>(Position);
  for (TImage* thumb : {imgStart, imgEnd})
    thumb->SetTop(RoundPx(imgBackground->Top() - (thumb->Height() - imgBackground->Height()) / 2.0));
  PlaceStart();
  PlaceEnd();
  PlaceSelection();
  PlacePosition();
  imgStart->BringToFront();
  imgEnd->BringToFront();
}

void TframSeekBar::SetStart(double Value) {
  if (Value == FStart || Value < FMin || Value > FEnd) return;
  FStart = Value;
  PlaceStart();
}

void TframSeekBar::SetEnd(double Value) {
  if (Value == FEnd || Value < FStart || Value > FMax) return;
  FEnd = Value;
  PlaceEnd();
}

void TframSeekBar::SetPosition(double Value) {
  if (Value < FStart || Value > FEnd) return;
  FPosition = Value;
  PlacePosition();
}

void TframSeekBar::SetPartsEnabled(bool Value) {
  SetEnabled(Value);
  for (TImage* part : {imgBackground, imgStart, imgEnd, imgPosition, imgSel}) part->SetEnabled(Value);
}

// ---------------------------------------------------------------------------------------------
// Values from parts

void TframSeekBar::ValuesFromThumbs(TPart moved) {
  const double start = ValueAt(imgStart->Left() + imgStart->Width());
  const double end = ValueAt(imgEnd->Left());
  const double position = ValueAt(imgPosition->Left() + imgPosition->Width() / 2.0);
  if (moved == TPart::Start || moved == TPart::Selection) FStart = start;
  if (moved == TPart::End || moved == TPart::Selection) FEnd = end;
  FPosition = position;
}

void TframSeekBar::DragStartThumb(int d) {
  const double right = imgStart->Left() + d + imgStart->Width();
  if (right < Lo()) imgStart->SetLeft(RoundPx(Lo() - imgStart->Width()));
  else if (right > imgEnd->Left()) imgStart->SetLeft(imgEnd->Left() - imgStart->Width());
  else imgStart->SetLeft(imgStart->Left() + d);
  PlaceSelection();
  imgPosition->SetLeft(RoundPx(imgStart->Left() + imgStart->Width() - imgPosition->Width() / 2.0));
}

void TframSeekBar::DragEndThumb(int d) {
  const int left = imgEnd->Left() + d;
  if (left > Hi()) imgEnd->SetLeft(RoundPx(Hi()));
  else if (left < imgStart->Left() + imgStart->Width()) imgEnd->SetLeft(imgStart->Left() + imgStart->Width());
  else imgEnd->SetLeft(left);
  PlaceSelection();
  imgPosition->SetLeft(RoundPx(imgEnd->Left() - imgPosition->Width() / 2.0));
}

void TframSeekBar::DragSelection(int d) {
  const int left = imgSel->Left() + d;
  if (left < Lo() || left + imgSel->Width() > Hi()) return;
  imgSel->SetLeft(left);
  imgPosition->SetLeft(imgPosition->Left() + d);
  imgStart->SetLeft(left - imgStart->Width());
  imgEnd->SetLeft(left + imgSel->Width());
}

void TframSeekBar::DragMarker(int d) {
  const double centre = imgPosition->Left() + d + imgPosition->Width() / 2.0;
  if (centre < imgStart->Left() + imgStart->Width() || centre > imgEnd->Left()) return;
  imgPosition->SetLeft(imgPosition->Left() + d);
}

void TframSeekBar::DragThumb(TPart part, int x) {
  const int d = x - FDownX;
  switch (part) {
    case TPart::Start: DragStartThumb(d); break;
    case TPart::End: DragEndThumb(d); break;
    case TPart::Selection: DragSelection(d); break;
    case TPart::Position: DragMarker(d); break;
  }
  ValuesFromThumbs(part);
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TframSeekBar::imgStartMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  if (!FActive) return;
  FDragStart = true;
  FDownX = 0;
  if (OnThumbDown) OnThumbDown(1, FStart, FEnd);
}

void TframSeekBar::imgStartMouseMove(TObject*, TShiftState, int X, int) {
  if (!FActive || !FDragStart || FDragEnd || FDragSelection || FDragPosition) return;
  DragThumb(TPart::Start, X);
  if (OnThumbMove) OnThumbMove(1, FStart, FEnd);
}

void TframSeekBar::imgStartMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  if (!FActive) return;
  FDragStart = false;
  FDownX = 0;
  if (OnThumbUp) OnThumbUp(1, FStart, FEnd);
}

void TframSeekBar::imgEndMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  if (!FActive) return;
  FDragEnd = true;
  FDownX = 0;
  if (OnThumbDown) OnThumbDown(2, FStart, FEnd);
}

void TframSeekBar::imgEndMouseMove(TObject*, TShiftState, int X, int) {
  if (!FActive || !FDragEnd || FDragStart || FDragSelection || FDragPosition) return;
  DragThumb(TPart::End, X);
  if (OnThumbMove) OnThumbMove(2, FStart, FEnd);
}

void TframSeekBar::imgEndMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  if (!FActive) return;
  FDragEnd = false;
  FDownX = 0;
  if (OnThumbUp) OnThumbUp(2, FStart, FEnd);
}

void TframSeekBar::imgSelMouseDown(TObject*, TMouseButton, TShiftState, int X, int) {
  if (!FActive) return;
  FDragSelection = true;
  FDownX = X;
  if (OnSelectionDown) OnSelectionDown(FStart, FEnd, FPosition);
}

void TframSeekBar::imgSelMouseMove(TObject*, TShiftState, int X, int) {
  if (!FActive || !FDragSelection) return;
  DragThumb(TPart::Selection, X);
  if (OnSelectionMove) OnSelectionMove(FStart, FEnd, FPosition);
}

void TframSeekBar::imgSelMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  if (!FActive) return;
  FDragSelection = false;
  FDownX = 0;
  if (OnSelectionUp) OnSelectionUp(FStart, FEnd, FPosition);
}

void TframSeekBar::imgPositionMouseDown(TObject*, TMouseButton, TShiftState, int X, int) {
  if (!FActive) return;
  FDragPosition = true;
  FDownX = X;
  if (OnPositionDown) OnPositionDown(FPosition);
}

void TframSeekBar::imgPositionMouseMove(TObject*, TShiftState, int X, int) {
  if (!FActive || !FDragPosition || FDragStart || FDragEnd || FDragSelection) return;
  DragThumb(TPart::Position, X);
  if (OnPositionMove) OnPositionMove(FPosition);
}

void TframSeekBar::imgPositionMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  if (!FActive) return;
  FDragPosition = false;
  FDownX = 0;
  if (OnPositionUp) OnPositionUp(FPosition);
}

// ---------------------------------------------------------------------------------------------

void TframSeekBar::Register() {
  using S = TframSeekBar;
  static constinit const TPropInfo fields[] = {
      PublishedField<&S::imgClient>("imgClient"), PublishedField<&S::imgBackground>("imgBackground"),
      PublishedField<&S::imgStart>("imgStart"),   PublishedField<&S::imgEnd>("imgEnd"),
      PublishedField<&S::imgSel>("imgSel"),       PublishedField<&S::imgPosition>("imgPosition"),
  };
  static constinit const TMethodInfo methods[] = {
      PublishedMethod<&S::imgStartMouseDown>("imgStartMouseDown"),
      PublishedMethod<&S::imgStartMouseMove>("imgStartMouseMove"),
      PublishedMethod<&S::imgStartMouseUp>("imgStartMouseUp"),
      PublishedMethod<&S::imgEndMouseDown>("imgEndMouseDown"),
      PublishedMethod<&S::imgEndMouseMove>("imgEndMouseMove"),
      PublishedMethod<&S::imgEndMouseUp>("imgEndMouseUp"),
      PublishedMethod<&S::imgSelMouseDown>("imgSelMouseDown"),
      PublishedMethod<&S::imgSelMouseMove>("imgSelMouseMove"),
      PublishedMethod<&S::imgSelMouseUp>("imgSelMouseUp"),
      PublishedMethod<&S::imgPositionMouseDown>("imgPositionMouseDown"),
      PublishedMethod<&S::imgPositionMouseMove>("imgPositionMouseMove"),
      PublishedMethod<&S::imgPositionMouseUp>("imgPositionMouseUp"),
  };
  RegisterPublishedProperties(StaticClass(), fields);
  RegisterPublishedMethods(StaticClass(), methods);
  RegisterClass(StaticClass());
}

const TUnitInfo RangeSliderUnit{"RangeSlider", &TframSeekBar::Register, nullptr};
