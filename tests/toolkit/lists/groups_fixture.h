// Shared by the group box and radio group tests: their units on top of the editors' fixture, and
// a picture of what a window shows, read back from its surface.
#pragma once
#include <windows.h>

#include <vector>

#include "FormReader.h"
#include "cxGroupBox.h"
#include "cxRadioGroup.h"
#include "toolkit/editors/editors_fixture.h"

struct GroupsFixture : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&FormReaderUnit, &cxGroupBoxUnit, &cxRadioGroupUnit});
  }
};

// The client area of a window as painted, pixel by pixel (0x00BBGGRR).
class TShownPicture {
 public:
  explicit TShownPicture(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right, height_ = client.bottom;
    HDC dc = GetDC(window);
    pixels_.resize(static_cast<size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) pixels_[static_cast<size_t>(y) * width_ + x] = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const { return pixels_.at(static_cast<size_t>(y) * width_ + x); }
  // The smallest rectangle holding every pixel of the colour (empty when none has it).
  TRect BoundsOf(COLORREF color) const {
    TRect r(width_, height_, 0, 0);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if (At(x, y) == color) r = TRect(std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                                         std::max(r.Bottom, y + 1));
    return r.Left < r.Right ? r : TRect();
  }
  int Count(COLORREF color, const TRect& area) const {
    int n = 0;
    for (int y = std::max(area.Top, 0); y < std::min(area.Bottom, height_); ++y)
      for (int x = std::max(area.Left, 0); x < std::min(area.Right, width_); ++x) n += At(x, y) == color;
    return n;
  }

 private:
  int width_ = 0, height_ = 0;
  std::vector<COLORREF> pixels_;
};
