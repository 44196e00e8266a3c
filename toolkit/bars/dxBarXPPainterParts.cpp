// The themed look's dock background, drop-down button and part states.
#include "dxBarXPPainter.h"

#include <vssym32.h>

#include <algorithm>

#include "cxGraphics.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {
bool DrawThemedPart(TdxThemedObjectType kind, HDC dc, int part, int state, const TRect& rect) {
  HTHEME theme = OpenThemeByKind(kind);
  return theme && SUCCEEDED(UxDrawThemeBackgroundInRect(theme, dc, part, state, *rect.Win(), nullptr));
}

bool IsVerticalDock(TdxBarDockingStyle style) { return style == dsLeft || style == dsRight; }
}  // namespace

// The first row of a top or left dock meets the window's edge, and the last row of a top, bottom
// or right dock meets the client area: no line there. A row of borderless toolbars has none.
void TdxBarXPPainter::GetDockRowLines(TdxBarDockingStyle style, int row, int rowCount, bool bordered, bool& leading,
                                      bool& trailing) {
  leading = trailing = bordered;
  if (!bordered) return;
  if (row == 0 && (style == dsTop || style == dsLeft)) leading = false;
  if (row == rowCount - 1 && style != dsLeft) trailing = false;
}

void TdxBarXPPainter::PaintDockBackground(HDC dc, const TRect& dockRect, TdxBarDockingStyle style,
                                          const std::vector<TdxBarDockRow>& rows) const {
  if (!DrawThemedPart(totRebar, dc, 0, 1, dockRect)) FillRect(dc, dockRect.Win(), GetSysColorBrush(COLOR_BTNFACE));
  const bool vertical = IsVerticalDock(style);
  const int count = static_cast<int>(rows.size());
  for (int i = 0; i < count; ++i) {
    bool leading, trailing;
    GetDockRowLines(style, i, count, rows[i].Bordered, leading, trailing);
    const TRect& r = rows[i].Bounds;
    if (leading) {
      const TRect line = vertical ? TRect{r.Left, r.Top, r.Left + 1, r.Bottom} : TRect{r.Left, r.Top, r.Right, r.Top + 1};
      FillRect(dc, line.Win(), GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    }
    if (trailing) {
      const TRect line =
          vertical ? TRect{r.Right - 1, r.Top, r.Right, r.Bottom} : TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom};
      FillRect(dc, line.Win(), GetSysColorBrush(COLOR_BTNSHADOW));
    }
  }
}

void TdxBarXPPainter::PaintDropDownButton(HDC dc, const TRect& rect, bool pushed, const std::string& text) const {
  FillRect(dc, rect.Win(), GetSysColorBrush(COLOR_WINDOW));
  if (!DrawThemedPart(totToolBar, dc, TP_BUTTON, pushed ? TS_PRESSED : TS_HOT, rect))
    DrawEdge(dc, TRect(rect).Win(), pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  TRect textRect = rect;
  if (pushed) textRect.Offset(1, 1);
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF color = SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextString(dc, text, textRect, -1, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, color);
  SetBkMode(dc, mode);
}

int TdxBarXPPainter::ComboButtonThemeState(bool enabled, bool droppedDown, bool selected) {
  if (!enabled) return CBXS_DISABLED;
  if (droppedDown) return CBXS_PRESSED;
  return selected ? CBXS_HOT : CBXS_NORMAL;
}

// MulDiv by an empty range answers -1, which would fill the bar backwards from its start.
int TdxBarXPPainter::ProgressFilledLength(int length, int position, int min, int max) {
  if (max <= min) return 0;
  return std::clamp(MulDiv(length, position - min, max - min), 0, length);
}
