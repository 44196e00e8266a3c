#include "dxRibbonItemFading.h"

#include "Controls.h"
#include "dxBarExtItems.h"
#include "dxBarItemControl.h"

CALDERAN_IMPLEMENT_CLASS(TdxRibbonItemFading, TObject)

namespace {
std::unique_ptr<TBitmap> Crop(TBitmap* source, const TRect& r) {
  auto part = std::make_unique<TBitmap>(r.Width(), r.Height());
  BitBlt(part->Canvas()->Handle(), 0, 0, r.Width(), r.Height(), source->Canvas()->Handle(), r.Left, r.Top, SRCCOPY);
  return part;
}
}  // namespace

std::unique_ptr<TBitmap> PaintClientToBitmap(TWinControl* window) {
  auto picture = std::make_unique<TBitmap>(window->ClientWidth(), window->ClientHeight());
  HDC dc = picture->Canvas()->Handle();
  window->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
  window->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  return picture;
}

// ---------------------------------------------------------------------------------------------

void TdxRibbonItemFading::SetImages(TBitmap* normalImage, TBitmap* hotImage) {
  normalImage_.reset(normalImage);
  hotImage_.reset(hotImage);
}

void TdxRibbonItemFading::DrawFadeImage(TBitmap* image) {
  if (!window_->HandleAllocated() || !image) return;
  HDC dc = GetDC(window_->Handle());
  BitBlt(dc, bounds_.Left, bounds_.Top, image->Width(), image->Height(), image->Canvas()->Handle(), 0, 0, SRCCOPY);
  ReleaseDC(window_->Handle(), dc);
}

void TdxRibbonItemFading::GetFadingParams(TBitmap*& normalImage, TBitmap*& hotImage, int&, int&, int&, int&) {
  normalImage = normalImage_.release();
  hotImage = hotImage_.release();
}

// ---------------------------------------------------------------------------------------------

TdxRibbonItemFadings::~TdxRibbonItemFadings() { Clear(); }

bool TdxRibbonItemFadings::Fades(TdxBarItemControl* control) {
  return control && control->Is<TdxBarLargeButtonControl>() && control->GetEnabled();
}

TdxRibbonItemFading* TdxRibbonItemFadings::Find(TdxBarItemControl* control) const {
  auto found = items_.find(control);
  return found == items_.end() ? nullptr : found->second.get();
}

void TdxRibbonItemFadings::Start(TdxFader* fader, TdxBarItemControl* control, TBitmap* normal, TBitmap* hot,
                                 TdxFadingDirection direction) {
  const TRect bounds = control->ViewInfo()->Bounds();
  std::unique_ptr<TdxRibbonItemFading>& item = items_[control];
  if (!item) item = std::make_unique<TdxRibbonItemFading>(window_, bounds);
  // A fade that runs turns round from the frame on screen with its own pictures.
  if (!fader->Find(item.get())) {
    item->SetBounds(bounds);
    item->SetImages(Crop(normal, bounds).release(), Crop(hot, bounds).release());
  }
  fader->Fade(item.get(), direction);
  // The frames draw the button from now on: the repaint the change asked for would show its final
  // look before the first frame, a jump the fade is there to avoid.
  if (fader->Find(item.get()) && window_->HandleAllocated()) ValidateRect(window_->Handle(), item->Bounds().Win());
}

void TdxRibbonItemFadings::HotChanged(TdxFader* fader, TdxBarItemControl* from, TdxBarItemControl* to,
                                      TBitmap* before, TBitmap* after) {
  fader_ = fader;
  if (Fades(from)) Start(fader, from, after, before, fdOut);
  if (Fades(to)) Start(fader, to, before, after, fdIn);
}

void TdxRibbonItemFadings::Clear() {
  for (auto& item : items_)
    if (fader_) fader_->Remove(item.second.get(), true);
  items_.clear();
}
