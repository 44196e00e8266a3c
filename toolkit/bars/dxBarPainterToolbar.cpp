// The base painter's toolbar frames: border widths for each docking style, the non-client painting
// of docked and floating toolbars (frame, caption, close button, status-bar margin, size grip), the
// toolbar background and the mark with its customize arrow and chevrons.
#include <algorithm>

#include "dxBarControl.h"
#include "dxBarDrawRoutines.h"
#include "dxBarImageOptions.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxBarToolbar.h"

namespace {

TdxBarBorderStyle BorderStyleOf(TCustomdxBarControl* bar) {
  return bar->Bar() ? bar->Bar()->BorderStyle() : bbsSingle;
}

bool IsStatusBarLike(TCustomdxBarControl* bar, TdxBarDockingStyle style) {
  TdxBar* toolbar = bar->Bar();
  return toolbar && toolbar->BorderStyle() == bbsNone && style == dsBottom && toolbar->WholeRow();
}

bool IsVerticalStyle(TdxBarDockingStyle style) { return style == dsLeft || style == dsRight; }

TRect WindowRectOf(TCustomdxBarControl* bar) { return {0, 0, bar->Width(), bar->Height()}; }

// The client rectangle in window coordinates.
TRect ClientInWindow(TCustomdxBarControl* bar) {
  if (!bar->HandleAllocated()) return bar->ClientRect();
  RECT window, client;
  GetWindowRect(bar->Handle(), &window);
  GetClientRect(bar->Handle(), &client);
  POINT origin{0, 0};
  ClientToScreen(bar->Handle(), &origin);
  const int dx = origin.x - window.left, dy = origin.y - window.top;
  return {dx, dy, dx + client.right, dy + client.bottom};
}

// The toolbar's form is the active window (or owns it).
bool IsBarFormActive(TCustomdxBarControl* bar) {
  if (!bar->HandleAllocated()) return false;
  HWND active = GetActiveWindow();
  if (!active) return false;
  HWND owner = GetWindow(bar->Handle(), GW_OWNER);
  HWND root = GetAncestor(bar->Handle(), GA_ROOT);
  return active == root || (owner && active == GetAncestor(owner, GA_ROOT));
}

void FillRing(TCustomdxBarControl* bar, const TdxBarPainter* painter, HDC dc, const TRect& outer, const TRect& inner) {
  HRGN saved;
  bool hadClip;
  SaveClipRegion(dc, saved, hadClip);
  ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
  painter->DrawBarBackground(bar, dc, bar->BkBrush(), outer);
  RestoreClipRegion(dc, saved, hadClip);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Border widths.

TRect TdxBarPainter::GetToolbarBorderOffsets(TCustomdxBarControl* bar, TdxBarDockingStyle style,
                                             bool sizeGrip) const {
  if (style == dsNone) {
    TRect r{GetFloatingFrameWidth(), GetFloatingFrameHeight(), GetFloatingFrameWidth(), GetFloatingFrameHeight()};
    // A window not made yet counts as captioned.
    if (!bar->HandleAllocated() || bar->HasCaption()) {
      r.Left += GetFloatingBorderExtra();
      r.Right += GetFloatingBorderExtra();
      r.Top += GetFloatingCaptionTotalHeight(bar) + GetFloatingCaptionTopExtra();
      r.Bottom += GetFloatingCaptionBottomExtra();
    }
    return r;
  }
  if (BorderStyleOf(bar) == bbsSingle) {
    TRect r = GetSingleBorderRect(bar, style);
    const int handle = bar->CanBeMoved() ? GetDragHandleSize(bar) : GetNoDragHandleSize();
    if (IsVerticalStyle(style)) r.Top += handle;
    else r.Left += handle;
    return r;
  }
  TRect r{};
  if (IsStatusBarLike(bar, style)) {
    const TRect offsets = GetStatusBarBorderOffsets();
    r = {offsets.Left, offsets.Top + GetStatusBarTopMargin(bar), offsets.Right, offsets.Bottom};
  }
  if (sizeGrip) r.Right += GetSizeGripSize(bar->BarManager()).cx;
  return r;
}

// ---------------------------------------------------------------------------------------------
// Non-client painting.

void TdxBarPainter::DrawToolbarNonClientArea(TCustomdxBarControl* bar, HDC dc) const {
  if (PaintsToolbarNonClient()) {
    DrawToolbarNonClient(bar, dc);
    return;
  }
  const TRect window = WindowRectOf(bar), client = ClientInWindow(bar);
  const TdxBarDockingStyle style = bar->DockingStyle();
  if (style != dsNone) {
    if (BorderStyleOf(bar) == bbsSingle) {
      FillRing(bar, this, dc, window, client);
      DrawToolbarBorder(bar, dc, bar->BkBrush(), window);
    } else if (IsStatusBarLike(bar, style)) {
      DrawStatusBarTopMargin(bar, dc, window);
      if (client.Right < window.Right) DrawToolbarSizeGrip(bar, dc, window);
    }
    return;
  }
  DrawFloatingBorder(bar, dc, window);
  TRect inner = window;
  inner.Inflate(-GetFloatingFrameWidth(), -GetFloatingFrameHeight());
  FillRing(bar, this, dc, inner, client);
  if (bar->HasCaption()) DrawFloatingCaption(bar, dc, bar->BkBrush(), window, bar->FloatingCaptionRect());
}

void TdxBarPainter::DrawFloatingBorder(TCustomdxBarControl*, HDC, const TRect&) const {}

TRect TdxBarPainter::CalcFloatingCloseButtonRect(const TRect& captionRect) const {
  return {captionRect.Right - GetFloatingCaptionHeight(), captionRect.Top, captionRect.Right, captionRect.Bottom};
}

void TdxBarPainter::DrawFloatingCaption(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect&,
                                        const TRect& captionRect) const {
  FillRect(dc, TRect{captionRect.Left, captionRect.Bottom, captionRect.Right, captionRect.Bottom + 1}.Win(), brush);
  const TColor background = GetFloatingCaptionColor(bar, IsBarFormActive(bar) ? 1 : 0);
  const bool filled = FillsFloatingCaption();
  if (filled) FillRect(dc, TRect(captionRect).Win(), brush);
  TRect text = captionRect;
  if (bar->HasCloseButton()) {
    text.Right -= GetFloatingCaptionHeight();
    DrawFloatingCloseButton(bar, dc, CalcFloatingCloseButtonRect(captionRect));
  }
  TRect mark;
  const bool hasMark = bar->MarkExists();
  if (hasMark) mark = CalcMarkRect(bar, captionRect);
  text.Left = hasMark && mark.Left <= captionRect.Left ? GetFloatingMarkLeft(bar, mark) : captionRect.Left + 2;
  if (hasMark && mark.Left > captionRect.Left) text.Right = std::min(text.Right, mark.Left);
  const TRect opaque{captionRect.Left, captionRect.Top, text.Right, captionRect.Bottom};
  if (text.Width() > 0) {
    TdxBarManager* manager = bar->BarManager();
    HFONT font = nullptr;
    if (manager && manager->UseSystemFont()) {
      NONCLIENTMETRICSA metrics = ReadNonClientMetrics();
      font = CreateFontIndirectA(&metrics.lfSmCaptionFont);
    }
    HGDIOBJ oldFont = SelectObject(dc, font ? font : bar->ItemsFont()->Handle());
    SetTextColor(dc, ColorToRGB(GetFloatingCaptionTextColor(bar)));
    SetBkColor(dc, ColorToRGB(background));
    SetBkMode(dc, filled ? TRANSPARENT : OPAQUE);
    const std::string caption = bar->Bar() ? bar->Bar()->Caption() : std::string();
    SIZE extent{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    const int y = text.Top + (text.Height() - extent.cy) / 2;
    UINT options = ETO_CLIPPED | (filled ? 0 : ETO_OPAQUE);
    const TRect clip = filled ? text : opaque;
    ExtTextOutA(dc, text.Left, y, options, clip.Win(), caption.c_str(), static_cast<UINT>(caption.size()), nullptr);
    SelectObject(dc, oldFont);
    if (font) DeleteObject(font);
  }
  if (hasMark) DrawFloatingMark(bar, dc, mark);
}

void TdxBarPainter::DrawFloatingMark(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  DrawFloatingMarkArrow(bar, dc, rect);
}

// A triangle 7 pixels wide and 4 high, centred.
void TdxBarPainter::DrawFloatingMarkArrow(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  const int x = (rect.Left + rect.Right - 7) / 2, y = (rect.Top + rect.Bottom - 4) / 2;
  const POINT points[] = {{x, y}, {x + 6, y}, {x + 3, y + 3}};
  const TColor color = GetFloatingMarkColor(bar, bar->MarkState());
  DrawFilledPolygon(dc, points, 2, color, color);
}

void TdxBarPainter::DrawStatusBarTopMargin(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  DrawBarBackground(bar, dc, bar->BkBrush(),
                    {rect.Left, rect.Top, rect.Right, rect.Top + GetStatusBarTopMargin(bar)});
}

void TdxBarPainter::DrawToolbarSizeGrip(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  const TSize size = GetSizeGripSize(bar->BarManager());
  const TRect grip{rect.Right - size.cx, rect.Bottom - size.cy, rect.Right, rect.Bottom};
  DrawBarBackground(bar, dc, bar->BkBrush(), grip);
  DrawSizeGrip(bar, dc, clBtnFace, grip);
}

// ---------------------------------------------------------------------------------------------
// Background.

void TdxBarPainter::DrawBarBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const {
  TBitmap* own = bar->GetBackgroundBitmap();
  if (own && own->Width() > 0 && own->Height() > 0) {
    TileBitmap(dc, rect, bar->ClientRect(), own);
    return;
  }
  TdxBarManager* manager = bar->BarManager();
  TBitmap* shared = manager ? manager->Backgrounds()->Bar() : nullptr;
  const bool managerPicture = shared && shared->Width() > 0 && shared->Height() > 0;
  if (IsStatusBarLike(bar, bar->DockingStyle()) && !managerPicture) {
    FillStatusBarBackground(bar, dc, rect);
    return;
  }
  const TColor color = bar->Bar() ? bar->Bar()->Color() : clDefault;
  if (color != clDefault) {
    HBRUSH solid = CreateSolidBrush(ColorToRGB(color));
    FillRect(dc, TRect(rect).Win(), solid);
    DeleteObject(solid);
    return;
  }
  if (bar->DockingStyle() != dsNone) FillToolbarBackground(bar, dc, brush, rect);
  else FillFloatingBackground(bar, dc, brush, rect);
}

void TdxBarPainter::FillStatusBarBackground(TCustomdxBarControl*, HDC dc, const TRect& rect) const {
  FillRect(dc, TRect(rect).Win(), GetSysColorBrush(COLOR_BTNFACE));
}

void TdxBarPainter::FillFloatingBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const {
  bar->FillBackground(dc, rect, brush, clNone, true);
}

// ---------------------------------------------------------------------------------------------
// The mark.

TRect TdxBarPainter::CalcMarkRect(TCustomdxBarControl* bar, const TRect& area) const {
  const int size = GetMarkSize(bar);
  switch (bar->DockingStyle()) {
    case dsLeft:
    case dsRight:
      return {area.Left, area.Bottom - size, area.Right, area.Bottom};
    case dsTop:
    case dsBottom:
      return {area.Right - size, area.Top, area.Right, area.Bottom};
    default:
      break;
  }
  const int side = area.Height();
  int right = area.Right;
  if (bar->HasCloseButton()) right -= GetFloatingCaptionHeight() + 1;
  const int left = std::max(area.Left, right - side);
  return {left, area.Top, std::max(left, right), area.Bottom};
}

void TdxBarPainter::DrawToolbarMark(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  DrawMarkBackground(bar, dc, bar->BkBrush(), rect);
  DrawMark(bar, dc, bar->MarkState(), rect);
}

void TdxBarPainter::DrawMark(TCustomdxBarControl* bar, HDC dc, int, const TRect& rect) const {
  if (ShowsMarkArrow(bar)) {
    const TColor color = GetSysColor(GetMarkArrowColorIndex(bar));
    if (!bar->IsVertical()) {
      const int x = rect.Left + 3, y = rect.Bottom - 7 + (IsSmallFloatingCaption(bar, rect) ? 1 : 0);
      const POINT points[] = {{x, y}, {x + 4, y}, {x + 2, y + 2}};
      DrawFilledPolygon(dc, points, 2, color, color);
    } else {
      const int x = rect.Left + 5, y = rect.Top + 3;
      const POINT points[] = {{x, y}, {x, y + 4}, {x - 2, y + 2}};
      DrawFilledPolygon(dc, points, 2, color, color);
    }
  }
  if (bar->HasHiddenItems()) DrawMarkChevrons(bar, dc, rect);
}

// Two chevrons, each a polyline drawn twice a pixel apart.
void TdxBarPainter::DrawMarkChevrons(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
  HGDIOBJ old = SelectObject(dc, pen);
  for (int offset : {2, 6}) {
    for (int again = 0; again < 2; ++again) {
      if (!bar->IsVertical()) {
        const int x = rect.Left + offset + again, y = rect.Top + (IsSmallFloatingCaption(bar, rect) ? 3 : 4);
        const POINT points[] = {{x, y}, {x + 2, y + 2}, {x - 1, y + 5}};
        Polyline(dc, points, 3);
      } else {
        const int y = rect.Top + offset + again, w = rect.Right;
        const POINT points[] = {{w - 8, y}, {w - 6, y + 2}, {w - 3, y - 1}};
        Polyline(dc, points, 3);
      }
    }
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

// A docked mark lies in the client area; a floating one in the caption, drawn at once.
void TdxBarPainter::RepaintMark(TCustomdxBarControl* bar, const TRect& rect) const {
  if (!bar->HandleAllocated()) return;
  if (bar->DockingStyle() != dsNone) {
    InvalidateRect(bar->Handle(), TRect(rect).Win(), FALSE);
    return;
  }
  HDC dc = GetWindowDC(bar->Handle());
  HBRUSH caption = CreateSolidBrush(ColorToRGB(GetFloatingCaptionColor(bar, IsBarFormActive(bar) ? 1 : 0)));
  FillRect(dc, TRect(rect).Win(), FillsFloatingCaption() ? bar->BkBrush() : caption);
  DeleteObject(caption);
  DrawFloatingMark(bar, dc, rect);
  ReleaseDC(bar->Handle(), dc);
}
