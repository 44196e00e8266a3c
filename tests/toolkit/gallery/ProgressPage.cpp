// The progress page: progress bars in every bar style, horizontal and vertical, with overload, peak,
// bevels, captions and marquee blocks, in the look's painter (and its skin).
#include <string>
#include <vector>

#include "GalleryPages.h"
#include "cxControls.h"
#include "cxProgressBar.h"

namespace {

struct TBarCase {
  const char* Name;
  TcxProgressBarBarStyle Style;
  double Position;
  bool Overload, Peak, Marquee;
  TcxProgressBarBevelOuter Bevel;
  TcxProgressBarTextStyle TextStyle;
};

const TBarCase barCases[] = {
    {"solid", cxbsSolid, 33, false, false, false, cxbvNone, cxtsPercent},
    {"LEDs", cxbsLEDs, 62.5, false, false, false, cxbvLowered, cxtsPercent},
    {"gradient", cxbsGradient, 50.5, false, false, false, cxbvRaised, cxtsPosition},
    {"gradient LEDs", cxbsGradientLEDs, 75, false, false, false, cxbvRaised, cxtsPercent},
    {"bitmap", cxbsBitmap, 40, false, false, false, cxbvNone, cxtsPercent},
    {"bitmap LEDs", cxbsBitmapLEDs, 80, false, false, false, cxbvLowered, cxtsPercent},
    {"animation", cxbsAnimation, 66, false, false, false, cxbvNone, cxtsPercent},
    {"animation LEDs", cxbsAnimationLEDs, 90, false, false, false, cxbvNone, cxtsPercent},
    {"overload and peak", cxbsSolid, 90, true, true, false, cxbvNone, cxtsPercent},
    {"LEDs, overload, peak", cxbsLEDs, 93, true, true, false, cxbvLowered, cxtsPercent},
    {"gradient overload", cxbsGradient, 95, true, true, false, cxbvNone, cxtsPercent},
    {"marquee", cxbsSolid, 0, false, false, true, cxbvNone, cxtsText},
    {"marquee LEDs", cxbsLEDs, 0, false, false, true, cxbvNone, cxtsText},
    {"marquee glassy", cxbsAnimation, 0, false, false, true, cxbvNone, cxtsText},
};

// The image of the bitmap styles: an 8 x 8 checker in two blues.
void FillCheckerImage(TBitmap* image) {
  image->SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) image->Canvas()->SetPixel(x, y, (x / 4 + y / 4) % 2 ? 0xE08030 : 0xA04010);
}

TcxProgressBar* AddBar(TGalleryPage& page, const TBarCase& c, const TRect& bounds, bool vertical) {
  auto* bar = page.Place(new TcxProgressBar(page.Form()), bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  bar->SetAutoSize(false);
  bar->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  TcxProgressBarProperties* p = bar->Properties();
  p->BeginUpdate();
  p->SetBarStyle(c.Style);
  p->SetBarBevelOuter(c.Bevel);
  p->SetShowOverload(c.Overload);
  p->SetShowPeak(c.Peak);
  p->SetShowTextStyle(c.TextStyle);
  p->SetOrientation(vertical ? cxorVertical : cxorHorizontal);
  p->SetTextOrientation(vertical ? cxorVertical : cxorHorizontal);
  if (c.Style == cxbsBitmap || c.Style == cxbsBitmapLEDs) FillCheckerImage(p->ForegroundImage());
  if (c.Marquee) p->SetText("Working");
  p->SetMarquee(c.Marquee);
  p->EndUpdate();
  if (c.Peak) bar->SetPosition(97);
  bar->SetPosition(c.Position);
  return bar;
}

}  // namespace

void BuildProgressPage(TGalleryPage& page) {
  page.AddLabel(8, 4, "Progress bars: " + page.Kind() + (page.Skin().empty() ? "" : " / " + page.Skin()) +
                          " (every bar style, overload and peak, marquee; vertical bars on the right)", 900);
  for (size_t i = 0; i < std::size(barCases); ++i) {
    const int y = 28 + static_cast<int>(i) * 30;
    page.AddLabel(8, y + 3, barCases[i].Name, 140);
    AddBar(page, barCases[i], Bounds(150, y, 280, 22), false);
    if (i < 8) AddBar(page, barCases[i], Bounds(460 + static_cast<int>(i) * 36, 28, 26, 220), true);
  }
  page.AddLabel(460, 260, "Caption in the font colour (solid), disabled, transparent, thick border:", 460);
  TcxProgressBar* solid = AddBar(page, barCases[2], Bounds(460, 282, 280, 22), false);
  solid->Properties()->SetSolidTextColor(true);
  TcxProgressBar* disabled = AddBar(page, barCases[0], Bounds(460, 312, 280, 22), false);
  disabled->SetEnabled(false);
  TcxProgressBar* transparent = AddBar(page, barCases[3], Bounds(460, 342, 280, 22), false);
  transparent->SetTransparent(true);
  TcxProgressBar* thick = AddBar(page, barCases[1], Bounds(460, 372, 280, 30), false);
  thick->Properties()->SetBorderWidth(3);
}
