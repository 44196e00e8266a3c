// The clip editor's crop page: the selection-rectangle window over the preview area, the four spin
// edits in source pixels kept in step with it through one scale factor, and the background
// snapshot of the playing video.
#include <memory>

#include "GlobalFun.h"
#include "Graphics.h"
#include "RzPanel.h"
#include "RzSpnEdt.h"
#include "RzTabs.h"
#include "SysUtils.h"
#include "UserDb.h"
#include "VideoEdit.h"

namespace {
constexpr int kCropPage = 2;

int RoundPx(long double value) { return static_cast<int>(Round(value)); }

// Left below right: equal edges are pulled one pixel apart inside 0..limit.
void OrderEdges(int& low, int& high, int limit) {
  if (low > high) std::swap(low, high);
  if (low != high) return;
  if (high < limit) ++high;
  else --low;
}
}  // namespace

// Fits the frame into the panel and makes the window there, then loads the spins.
void TFormVideoEdit::PrepareCropPage() {
  const int W = PanelPlay->Width(), H = PanelPlay->Height();
  const int w = std::max(FContext->Width, 1), h = std::max(FContext->Height, 1);
  FScale = std::min(static_cast<double>(W) / w, static_cast<double>(H) / h);
  CreateCropWindow();
  SCSetMSGWnd(Handle());
  SCSetMSGRectID(WM_CROPRECTCHANGED);
  speLeft->SetMax(w);
  speRight->SetMax(w);
  speTop->SetMax(h);
  speBottom->SetMax(h);
  const TRect& crop = FContext->TaskInfo->CropRect;
  speTop->SetValue(crop.Top);
  speLeft->SetValue(crop.Left);
  speRight->SetValue(crop.Right);
  speBottom->SetValue(crop.Bottom);
  CropChange(nullptr);
  cbLetterBox->SetItemIndex(FContext->TaskInfo->LetterBox);
}

void TFormVideoEdit::CreateCropWindow() {
  const int W = PanelPlay->Width(), H = PanelPlay->Height();
  const double rw = static_cast<double>(W) / std::max(FContext->Width, 1);
  const double rh = static_cast<double>(H) / std::max(FContext->Height, 1);
  HINSTANCE instance = GetModuleHandleA("");
  if (rw > rh) {
    const int margin = std::abs(RoundPx((W - FContext->Width * rh) / 2));
    SCCreateSelrectWnd(PanelCrop->Handle(), instance, margin, 0, W - 2 * margin, H);
  } else {
    const int margin = std::abs(RoundPx((H - FContext->Height * rw) / 2));
    SCCreateSelrectWnd(PanelCrop->Handle(), instance, 0, margin, W, H - 2 * margin);
  }
  FCropWindow = true;
}

// The spins in source pixels, rounded and ordered, so neither the window nor the engine ever gets
// an empty or inverted rectangle.
TRect TFormVideoEdit::OrderedCrop() {
  int left = RoundPx(speLeft->Value()), top = RoundPx(speTop->Value());
  int right = RoundPx(speRight->Value()), bottom = RoundPx(speBottom->Value());
  const int width = FContext ? FContext->Width : right, height = FContext ? FContext->Height : bottom;
  OrderEdges(left, right, width);
  OrderEdges(top, bottom, height);
  return {left, top, right, bottom};
}

void TFormVideoEdit::SendCropRect() {
  const TRect r = OrderedCrop();
  const long double scale = FScale;
  int left = RoundPx(r.Left * scale), top = RoundPx(r.Top * scale);
  int right = RoundPx(r.Right * scale), bottom = RoundPx(r.Bottom * scale);
  // A rectangle a source pixel wide may round to no width on the window: keep it a pixel wide.
  OrderEdges(left, right, RoundPx(FContext->Width * scale));
  OrderEdges(top, bottom, RoundPx(FContext->Height * scale));
  FCropWindowRect = {left, top, right, bottom};
  SCSetRect(left, top, right, bottom);
}

void TFormVideoEdit::CropChange(TObject*) {
  if (FCropWindow) SendCropRect();
}

// The window's report: its four edges divided by the scale into the spins, whose changes send the
// rectangle back snapped to whole source pixels.
void TFormVideoEdit::CropRectChanged(TMessage& Message) {
  const auto* edges = reinterpret_cast<const int32_t*>(Message.WParam);
  if (!edges || FScale <= 0) return;
  speLeft->SetValue(edges[0] / FScale);
  speTop->SetValue(edges[1] / FScale);
  speRight->SetValue(edges[2] / FScale);
  speBottom->SetValue(edges[3] / FScale);
}

void TFormVideoEdit::btnCropResetClick(TObject*) {
  cbLetterBox->SetItemIndex(0);
  speLeft->SetValue(0);
  speTop->SetValue(0);
  speRight->SetValue(FContext ? FContext->Width : 0);
  speBottom->SetValue(FContext ? FContext->Height : 0);
  CropChange(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Background snapshot

void TFormVideoEdit::tmrUpdateCropTimer(TObject*) {
  try {
    TakeSnapshot();
  } catch (...) {
    tmrUpdateCrop->SetEnabled(false);
    throw;
  }
}

void TFormVideoEdit::TakeSnapshot() {
  int32_t size = FSnapCapacity, width = 0, height = 0;
  FPlayer->GetSnapshot(FSnapBits, size, width, height);
  if (FSnapCapacity < size) {
    delete[] FSnapBits;
    FSnapBits = nullptr;
    FSnapCapacity = 0;
    FSnapBits = new uint8_t[size]();
    FSnapCapacity = size;
    FPlayer->GetSnapshot(FSnapBits, size, width, height);
  }
  SaveSnapshot(size, width, height);
  SCDrawBackGround(FSnapFile.c_str());
}

// The frame scaled to the window's size, as a bitmap file for the window to load.
void TFormVideoEdit::SaveSnapshot(int32_t Size, int32_t Width, int32_t Height) {
  TBitmap frame;
  if (!BitmapFromBits(&frame, FSnapBits, Size, Width, Height, 32)) return;
  TBitmap scaled;
  scaled.SetPixelFormat(TPixelFormat::pf32bit);
  scaled.SetWidth(static_cast<int>(Width * FScale));
  scaled.SetHeight(static_cast<int>(Height * FScale));
  SetStretchBltMode(scaled.Canvas()->Handle(), COLORONCOLOR);
  StretchBlt(scaled.Canvas()->Handle(), 0, 0, scaled.Width(), scaled.Height(), frame.Canvas()->Handle(), 0, 0, Width,
             Height, SRCCOPY);
  scaled.SaveToFile(FSnapFile);
}

// ---------------------------------------------------------------------------------------------
// Page switching: the crop page shows the window's panel in place of the video's.

void TFormVideoEdit::ShowCropPanel(bool Crop) {
  PanelPlay->SetVisible(!Crop);
  PanelCrop->SetVisible(Crop);
  tmrUpdateCrop->SetEnabled(Crop);
}

void TFormVideoEdit::pgcClipChanging(TObject*, int NewIndex, bool&) {
  if (!FContext || !FContext->HasVideo) return;
  if (NewIndex == kCropPage) ShowCropPanel(true);
  else if (pgcClip->ActivePageIndex() == kCropPage) ShowCropPanel(false);
}
