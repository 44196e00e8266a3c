// The flat look's menu frames, detach caption, separators and floating border.
#include "dxBarDrawRoutines.h"
#include "dxBarFlatPainter.h"
#include "dxBarManager.h"
#include "dxOffice11.h"

namespace {
// Every ring from rect inwards while its left edge stays left of `limit`, each with the brush
// the index picks.
template <typename BrushOfRing>
void FrameRings(HDC dc, TRect rect, int limit, BrushOfRing brushOf) {
  for (int ring = 0; rect.Left < limit && !rect.IsEmpty(); ++ring) {
    FrameRect(dc, rect.Win(), brushOf(ring));
    rect.Inflate(-1, -1);
  }
}
}  // namespace

void TdxBarFlatPainter::PaintMenuFrame(HDC dc, const TRect& rect, const TdxBarMenuFrameInfo& menu,
                                       TdxBarManager* manager) const {
  FrameRect(dc, rect.Win(), manager->FlatToolbarsBorderBrush());
  if (!menu.Detachable) return;
  HBRUSH window = GetSysColorBrush(COLOR_WINDOW);
  const TRect inner{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
  const int bottom = inner.Top + 1 + menu.DetachCaptionHeight;
  FillRect(dc, TRect(inner.Left, inner.Top, inner.Right, inner.Top + 1).Win(), window);
  FillRect(dc, TRect(inner.Left, inner.Top + 1, inner.Left + 1, bottom).Win(), window);
  FillRect(dc, TRect(inner.Right - 1, inner.Top + 1, inner.Right, bottom).Win(), window);
  PaintDetachCaption(dc, menu.DetachCaptionRect, menu.DetachCaptionHot, manager);
}

void TdxBarFlatPainter::PaintMenuClientFrame(HDC dc, const TRect& rect, HBRUSH menuBrush, HBRUSH brush,
                                             const TdxBarMenuFrameInfo&) const {
  FrameRect(dc, rect.Win(), menuBrush);
  FillRect(dc, TRect(rect.Left, rect.Top + 1, rect.Left + 1, rect.Bottom - 1).Win(), brush);
}

// A 33-px grip of every other row, centred in the caption.
void TdxBarFlatPainter::PaintDetachCaption(HDC dc, const TRect& rect, bool hot, TdxBarManager* manager) const {
  TRect r = rect;
  if (hot) {
    DrawSelectionFrame(dc, r);
    r.Inflate(-1, -1);
    FillRect(dc, r.Win(), manager->FlatToolbarsSelBrush());
  } else {
    FillRect(dc, r.Win(), manager->FlatToolbarsBrush());
  }
  TRect grip = rect;
  const int indent = (grip.Width() - 33) / 2;
  grip.Left += indent;
  grip.Right = grip.Left + 33;
  grip.Inflate(0, -1);
  HBRUSH dots = GetSysColorBrush(hot ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
  for (int y = grip.Top; y < grip.Bottom; y += 2) FillRect(dc, TRect(grip.Left, y, grip.Right, y + 1).Win(), dots);
}

void TdxBarFlatPainter::PaintMenuSeparator(HDC dc, const TRect& rect, int extraWidth, HBRUSH faceBrush,
                                           HBRUSH textBrush) const {
  const int x = rect.Left + extraWidth;
  FillRect(dc, TRect(rect.Left, rect.Top, x, rect.Bottom).Win(), faceBrush);
  FillRect(dc, TRect(x, rect.Top, rect.Right, rect.Bottom).Win(), textBrush);
  const int y = (rect.Top + rect.Bottom) / 2;
  FillDCRectWithColor(dc, RECT{x + GetMenuSeparatorIndent(), y, rect.Right + 1, y + 1}, GetMenuSeparatorColor());
}

void TdxBarFlatPainter::PaintFloatingBorder(HDC dc, const TRect& windowRect, const TRect& clientRect, HBRUSH brush,
                                            bool, TdxBarManager* manager) const {
  FrameRings(dc, windowRect, clientRect.Left, [&](int ring) {
    if (ring == 0) return manager->FlatToolbarsBorderBrush();
    return ring == 1 ? GetSysColorBrush(COLOR_BTNHIGHLIGHT) : brush;
  });
}
