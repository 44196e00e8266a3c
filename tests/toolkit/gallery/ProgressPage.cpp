// The progress page: the progress bar's drawing in every bar style, horizontal and vertical, with
// overload, peak, bevels, captions and a marquee block, in the look's painter (and its skin).
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

TcxProgressBarSettings SettingsFor(const TBarCase& c, bool vertical) {
  TcxProgressBarSettings s;
  s.BarStyle = c.Style;
  if (IsAnimationStyle(c.Style)) s.BeginColor = 0x00D328;
  s.Position = c.Position;
  s.ShowOverload = c.Overload;
  s.ShowPeak = c.Peak;
  s.PeakValue = c.Peak ? 97 : 0;
  s.Marquee = c.Marquee;
  s.BarBevelOuter = c.Bevel;
  s.ShowTextStyle = c.TextStyle;
  s.Text = c.Marquee ? "Working" : "";
  s.Orientation = s.TextOrientation = vertical ? cxorVertical : cxorHorizontal;
  return s;
}

// A sheet of bars drawn through the progress bar's drawing routines, each in its own buffer as
// the control does.
class TProgressSheet : public TcxControl {
 public:
  explicit TProgressSheet(TComponent* owner) : TcxControl(owner) {
    image_.SetSize(8, 8);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) image_.Canvas()->SetPixel(x, y, (x / 4 + y / 4) % 2 ? 0x3080E0 : 0x1040A0);
  }

 protected:
  bool HasBuiltInScrollBars() override { return false; }
  void Paint() override {
    TcxCanvas* c = cxCanvas();
    c->GetBrush()->SetColor(clBtnFace);
    c->Canvas()->FillRect(ClientRect());
    for (size_t i = 0; i < std::size(barCases); ++i) {
      const int y = 4 + static_cast<int>(i) * 28;
      c->GetBrush()->SetStyle(TBrushStyle::bsClear);
      c->Canvas()->TextOut(4, y + 4, barCases[i].Name);
      DrawBar(c, Bounds(150, y, 260, 22), barCases[i], false);
      if (i < 8) DrawBar(c, Bounds(440 + static_cast<int>(i) * 36, 4, 26, 200), barCases[i], true);
    }
    TcxProgressBarSettings marquee = SettingsFor(barCases[11], false);
    marquee.ShowText = false;
    c->Canvas()->TextOut(440, 220, "marquee block along the bar:");
    for (int step = 0; step < 6; ++step)
      DrawBar(c, Bounds(440, 240 + step * 24, 260, 18), barCases[11], false, step * 52);
  }

 private:
  void DrawBar(TcxCanvas* c, const TRect& bounds, const TBarCase& bar, bool vertical, int position = 120) {
    const TRect local(0, 0, bounds.Width(), bounds.Height());
    const TRect border(1, 1, local.Right - 1, local.Bottom - 1);
    TcxProgressBarSettings s = SettingsFor(bar, vertical);
    const TcxProgressBarLayout layout = CalculateProgressBarLayout(s, {local, border, false, false});
    TcxProgressBarPaintParams p;
    p.BackgroundColor = clWindow;
    p.Caption.Font = Font();
    p.Caption.Color = clWindowText;
    p.Caption.Orientation = s.TextOrientation;
    p.Image = &image_;
    p.AnimationPosition = position;
    p.AnimationRunning = true;
    TcxBitmap buffer(local.Width(), local.Height());
    buffer.Canvas()->FrameRect(local, clBtnShadow);
    if (GetPainter()->ProgressBarTextColor() != clDefault)
      DrawProgressBarSkinned(buffer.Canvas(), GetPainter(), s, layout, p);
    else
      DrawProgressBarClassic(buffer.Canvas(), TSize(local.Width(), local.Height()), s, layout, p);
    BitBlt(c->GetHandle(), bounds.Left, bounds.Top, local.Width(), local.Height(), buffer.Canvas()->GetHandle(), 0,
           0, SRCCOPY);
  }

  TBitmap image_;
};

}  // namespace

void BuildProgressPage(TGalleryPage& page) {
  page.AddLabel(8, 4, "Progress bar drawing: " + page.Kind() + (page.Skin().empty() ? "" : " / " + page.Skin()), 680);
  page.Place(new TProgressSheet(page.Form()), 8, 24, 760, 420);
}
