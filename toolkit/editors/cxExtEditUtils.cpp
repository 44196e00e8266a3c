#include "cxExtEditUtils.h"

namespace {

struct TFlagTable {
  uint32_t Horz[3];  // by TAlignment
  uint32_t Vert[3];  // by TcxEditVertAlignment
  uint32_t EndEllipsis, WordBreak, NoPrefix, ShowPrefix, Tabs;
};

constexpr TFlagTable platformFlags{{DT_LEFT, DT_RIGHT, DT_CENTER}, {DT_TOP, DT_BOTTOM, DT_VCENTER},
                                   DT_END_ELLIPSIS, DT_WORDBREAK, DT_NOPREFIX, 0, DT_EXPANDTABS | DT_TABSTOP};
// The toolkit canvas's text output flags.
constexpr TFlagTable canvasFlags{{0x1, 0x2, 0x4}, {0x8, 0x10, 0x20}, 0x800, 0x400, 0, 0x200, 0x100};

}  // namespace

void ExtendRectSides(TRect& rect, int dLeft, int dTop, int dRight, int dBottom) {
  rect.Left += dLeft;
  rect.Top += dTop;
  rect.Right += dRight;
  rect.Bottom += dBottom;
}

int ClampedRectWidth(const TRect& rect) { return rect.Right > rect.Left ? rect.Right - rect.Left : 0; }
int ClampedRectHeight(const TRect& rect) { return rect.Bottom > rect.Top ? rect.Bottom - rect.Top : 0; }

uint32_t BuildTextFlags(uint32_t initialFlags, const TcxTextFlagOptions& options) {
  const TFlagTable& table = options.PlatformFlags ? platformFlags : canvasFlags;
  uint32_t flags = initialFlags | table.Horz[options.HorzAlignment] | table.Vert[options.VertAlignment];
  if (options.EndEllipsis) flags |= table.EndEllipsis;
  if (options.WordBreak) flags |= table.WordBreak;
  flags |= options.ShowPrefix ? table.ShowPrefix : table.NoPrefix;
  if (options.TabWidth > 0) flags |= table.Tabs;
  return flags;
}

bool SelectRotatedFont(TCanvas* canvas, TFont* font, int angle) {
  canvas->Font()->Assign(font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(canvas->Handle(), &metrics);
  const bool trueType = metrics.tmPitchAndFamily & TMPF_TRUETYPE;
  const int normalized = (angle % 360 + 360) % 360;
  if (trueType && normalized != 0) {
    LOGFONTA logFont{};
    GetObjectA(canvas->Font()->Handle(), sizeof(logFont), &logFont);
    logFont.lfEscapement = normalized * 10;
    canvas->Font()->SetHandle(CreateFontIndirectA(&logFont));
  }
  return trueType;
}
