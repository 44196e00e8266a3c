// Fading of the large buttons of ribbon group windows: when the hot button changes, the old one
// fades out and the new one fades in, under the ribbon's fader. A group window takes a picture of
// itself before and after the change; the button's part of the two pictures are the normal and the
// hot image of its fade, drawn frame by frame onto the window where the button is.
#pragma once
#include <map>
#include <memory>

#include "Graphics.h"
#include "dxFading.h"

class TdxBarItemControl;
class TWinControl;

// One item control's part in fading, kept by its window: the fader's key for the control.
class TdxRibbonItemFading : public TObject, public IdxFadingObject {
  CALDERAN_CLASS(TdxRibbonItemFading)
  TdxRibbonItemFading(TWinControl* window, const TRect& bounds) : window_(window), bounds_(bounds) {}

  // The two pictures of the next fade (the fading element takes them).
  void SetImages(TBitmap* normalImage, TBitmap* hotImage);
  bool CanFade() override { return window_->HandleAllocated(); }
  void DrawFadeImage(TBitmap* image) override;
  void GetFadingParams(TBitmap*& normalImage, TBitmap*& hotImage, int& fadeInFrameCount, int& fadeInInterval,
                       int& fadeOutFrameCount, int& fadeOutInterval) override;
  const TRect& Bounds() const { return bounds_; }
  void SetBounds(const TRect& value) { bounds_ = value; }

 private:
  TWinControl* window_;
  TRect bounds_;
  std::unique_ptr<TBitmap> normalImage_;
  std::unique_ptr<TBitmap> hotImage_;
};

// The fading items of one window.
class TdxRibbonItemFadings {
 public:
  explicit TdxRibbonItemFadings(TWinControl* window) : window_(window) {}
  ~TdxRibbonItemFadings();
  // Whether the control's hot change fades: large buttons do.
  static bool Fades(TdxBarItemControl* control);
  // The hot item changes from `from` to `to` (either may be none); `before` and `after` are the
  // window's client pictures around the change.
  void HotChanged(TdxFader* fader, TdxBarItemControl* from, TdxBarItemControl* to, TBitmap* before, TBitmap* after);
  TdxRibbonItemFading* Find(TdxBarItemControl* control) const;
  // Stops every fade of the window at once, drawing nothing more (the window or its items go).
  void Clear();

 private:
  void Start(TdxFader* fader, TdxBarItemControl* control, TBitmap* normal, TBitmap* hot, TdxFadingDirection direction);

  TWinControl* window_;
  TdxFader* fader_ = nullptr;
  std::map<TdxBarItemControl*, std::unique_ptr<TdxRibbonItemFading>> items_;
};

// The client area of a window as it paints now.
std::unique_ptr<TBitmap> PaintClientToBitmap(TWinControl* window);
