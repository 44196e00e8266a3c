// Drop shadows of menus and floating toolbars: up to five top-level windows just under the bar
// window in Z order, to the right of and below it, and, for a menu opened from an item, along the
// item's edges that the menu leaves uncovered. With layered windows each part is a strip of black
// whose alpha falls off outwards (4 pixels: 60, 45, 30, 15) and fades in at its faded ends; without
// them (or at 8 bits per pixel) a part is a solid 2-pixel strip of the button-shadow colour.
// A shadow never takes the mouse: its windows answer HTTRANSPARENT.
#pragma once
#include <windows.h>

#include <vector>

#include "Controls.h"
#include "Graphics.h"
#include "Types.h"

// Part kinds: a horizontal strip under an edge, a vertical strip right of an edge.
constexpr Byte dxShadowHorizontalPart = 0, dxShadowVerticalPart = 1;
// The faded ends of a part.
constexpr Byte dxShadowFadeLeft = 1, dxShadowFadeRight = 2, dxShadowFadeTop = 4;

struct TdxBarShadowPartInfo {
  TRect Bounds;
  Byte Kind = dxShadowHorizontalPart;
  Byte Corners = 0;
  bool operator==(const TdxBarShadowPartInfo&) const = default;
};

// The parts for an owner rectangle (empty when the window was not opened from an item) and the
// window rectangle, the first of them above or to the left of the second, in creation order;
// parts that would be empty, or faded parts smaller than the shadow size, are left out.
std::vector<TdxBarShadowPartInfo> CalcBarShadowParts(const TRect& ownerRect, const TRect& windowRect,
                                                     bool horizontal, int shadowSize);
// The premultiplied 32-bit pixels (rows from the top) of a part of that size.
std::vector<uint32_t> MakeBarShadowImage(int width, int height, Byte kind, Byte corners, int shadowSize);

// Layered windows are there (the update function was found) and the screen has more than 8 bits
// per pixel.
bool BarShadowsUseLayeredWindows();
// 4 pixels with layered windows, else 2.
int BarShadowSize();

class TdxBarShadow;

class TdxBarShadowPart : public TCustomControl {
  CALDERAN_CLASS(TdxBarShadowPart)
  TdxBarShadowPart(TdxBarShadow* shadow, Byte kind, Byte corners);
  ~TdxBarShadowPart() override;
  void Dispatch(TMessage& message) override;
  // Rebuilds the image and, while the shadow is visible, shows the part again.
  void SetBounds(int left, int top, int width, int height) override;
  void ShowPart();
  // Hides the part and gives up its window.
  void HidePart();
  Byte Kind() const { return kind_; }
  Byte Corners() const { return corners_; }
  TBitmap* Image() const { return image_; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;

 private:
  void BuildImage();
  void UpdateLayered();

  TdxBarShadow* shadow_;
  Byte kind_;
  Byte corners_;
  TBitmap* image_;
};

class TdxBarShadow : public TObject {
  CALDERAN_CLASS(TdxBarShadow)
  explicit TdxBarShadow(TWinControl* owner);
  ~TdxBarShadow() override;

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void SetShadowBounds(const TRect& ownerRect, const TRect& windowRect);
  void RebuildShadow();

  TWinControl* Owner() const { return owner_; }
  int PartCount() const { return static_cast<int>(parts_.size()); }
  TdxBarShadowPart* Part(int index) const { return parts_[index]; }
  bool IsHorizontal() const { return horizontal_; }
  bool IsLayered() const { return layered_; }
  int ShadowSize() const { return layered_ ? 4 : 2; }

 private:
  void FreeParts();
  void CreateParts();

  TWinControl* owner_;
  std::vector<TdxBarShadowPart*> parts_;
  TRect ownerRect_;
  TRect windowRect_;
  bool horizontal_ = true;
  bool visible_ = false;
  bool layered_;
};
