// The Office 2003 look's menu frames and background, detach caption, floating frame and
// background, and dock background.
#include <algorithm>

#include "dxBarDrawRoutines.h"
#include "dxBarOffice11Entries.h"
#include "dxBarOffice11Painter.h"
#include "dxOffice11.h"

namespace {
TColor C(int entry) { return Office11Colors[entry]; }
HBRUSH B(int entry) { return Office11Brush(entry); }
void FillColor(HDC dc, const TRect& r, TColor color) { FillDCRectWithColor(dc, *r.Win(), color); }
}  // namespace

void TdxBarOffice11Painter::PaintMenuFrame(HDC dc, const TRect& rect, const TdxBarMenuFrameInfo& menu,
                                           TdxBarManager* manager) const {
  FrameRect(dc, rect.Win(), B(o11Border));
  // The joint with the owner item continues the item's face into the menu.
  if (!menu.OwnerEdge.IsEmpty()) FillRect(dc, menu.OwnerEdge.Win(), B(o11MenuBackground));
  if (!menu.Detachable) return;
  const TRect caption{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Top + 1 + menu.DetachCaptionHeight + 5};
  HBRUSH background = B(o11MenuBackground);
  FrameRect(dc, caption.Win(), background);
  FillRect(dc, TRect(caption.Left, caption.Top, caption.Right, caption.Top + 2).Win(), background);
  FillRect(dc, TRect(caption.Left, caption.Bottom - 1, caption.Right, caption.Bottom).Win(), background);
  PaintDetachCaption(dc, menu.DetachCaptionRect, menu.DetachCaptionHot, manager);
}

// A menu with a picture or a side bar keeps its frame plain; otherwise the left column carries
// the glyph column's colour to the frame.
void TdxBarOffice11Painter::PaintMenuClientFrame(HDC dc, const TRect& rect, HBRUSH, HBRUSH,
                                                 const TdxBarMenuFrameInfo& menu) const {
  HBRUSH background = B(o11MenuBackground);
  if (menu.HasPictureOrSideBar) {
    FrameRect(dc, rect.Win(), background);
    return;
  }
  FillRect(dc, TRect(rect.Left, rect.Top, rect.Right, rect.Top + 1).Win(), background);
  FillRect(dc, TRect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom).Win(), background);
  FillRect(dc, TRect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom).Win(), background);
  FillColor(dc, {rect.Left, rect.Top + 1, rect.Left + 1, rect.Bottom - 1}, C(o11GlyphColumn1));
}

// The grip is a row of dots: the drag handle drawn across its rectangle.
void TdxBarOffice11Painter::PaintDetachCaption(HDC dc, const TRect& rect, bool hot, TdxBarManager*) const {
  TRect r = rect;
  if (hot) {
    FrameHighlightRect(dc, *r.Win());
    r.Inflate(-1, -1);
    FillRect(dc, r.Win(), B(o11Hot));
  } else {
    FillRect(dc, r.Win(), B(o11DetachCaption));
  }
  const int k = hot ? 0 : 1;
  TRect grip = rect;
  grip.Inflate(-(grip.Width() + 2 * k) / 4, -(k + 1));
  DrawDragHandle(nullptr, dc, false, grip);
}

void TdxBarOffice11Painter::PaintFloatingBorder(HDC dc, const TRect& windowRect, const TRect& clientRect,
                                                HBRUSH brush, bool popup, TdxBarManager*) const {
  TRect r = windowRect;
  if (popup) {
    FrameRect(dc, r.Win(), B(o11Border));
    for (r.Inflate(-1, -1); r.Left < clientRect.Left && !r.IsEmpty(); r.Inflate(-1, -1)) FrameRect(dc, r.Win(), brush);
    return;
  }
  HBRUSH frame = CreateSolidBrush(ColorToRGB(C(o11FloatingFrame)));
  HBRUSH inner = CreateSolidBrush(ColorToRGB(C(o11FloatingFrameInner)));
  for (int ring = 0; ring < 3 && !r.IsEmpty(); ++ring, r.Inflate(-1, -1)) FrameRect(dc, r.Win(), ring < 2 ? frame : inner);
  r.Inflate(1, 1);
  for (const TPoint& p : {TPoint{r.Left, r.Top}, TPoint{r.Right - 1, r.Top}, TPoint{r.Left, r.Bottom - 1},
                          TPoint{r.Right - 1, r.Bottom - 1}})
    FillRect(dc, TRect(p.X, p.Y, p.X + 1, p.Y + 1).Win(), frame);
  DeleteObject(inner);
  DeleteObject(frame);
}

void TdxBarOffice11Painter::PaintMenuBackground(HDC dc, const TRect& rect, const TdxBarMenuFrameInfo& menu,
                                                HBRUSH brush) const {
  const TColor color1 = C(menu.ShowsRareItems ? o11RareGlyphColumn1 : o11GlyphColumn1);
  const TColor color2 = C(menu.ShowsRareItems ? o11RareGlyphColumn2 : o11GlyphColumn2);
  HRGN saved;
  bool hadClip;
  SaveClipRegion(dc, saved, hadClip);
  IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
  const int w = menu.LeftAreaWidth, extra = w + menu.ExtraColumnWidth;
  FillTwoPhaseGradientRect(dc, RECT{0, rect.Top, w, rect.Bottom}, color1, color2, true);
  if (extra > w) FillColor(dc, {w, rect.Top, extra, rect.Bottom}, color2);
  FillRect(dc, TRect(std::max(extra, rect.Left), rect.Top, rect.Right, rect.Bottom).Win(), brush);
  RestoreClipRegion(dc, saved, hadClip);
}

void TdxBarOffice11Painter::PaintFloatingBackground(HDC dc, const TRect& clientRect, const TRect& clipRect) const {
  HRGN saved;
  bool hadClip;
  SaveClipRegion(dc, saved, hadClip);
  IntersectClipRect(dc, clipRect.Left, clipRect.Top, clipRect.Right, clipRect.Bottom);
  FillGradientRect(dc, *clientRect.Win(), C(o11ToolbarColor1), C(o11ToolbarColor2), false);
  RestoreClipRegion(dc, saved, hadClip);
}

// A right dock is the gradient's start colour alone, a bottom dock its end colour alone.
void TdxBarOffice11Painter::GetDockColors(TdxBarDockingStyle style, TColor& color1, TColor& color2) {
  color1 = C(style == dsBottom ? o11DockColor2 : o11DockColor1);
  color2 = C(style == dsRight ? o11DockColor1 : o11DockColor2);
}

void TdxBarOffice11Painter::PaintDockBackground(HDC dc, const TRect& dockRect, TdxBarDockingStyle style) const {
  TColor color1, color2;
  GetDockColors(style, color1, color2);
  FillGradientRect(dc, *dockRect.Win(), color1, color2, true);
}
