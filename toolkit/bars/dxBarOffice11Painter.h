// The Office 2003 bar painter: the flat look with the Office-2003 colour set of the look-and-feel
// unit: gradients on toolbars, the toolbar mark and hot or pressed items, a dotted drag handle,
// frames in the scheme's highlight border colour, and the sub-menu expand picture as chevrons.
//
// The dock and floating backgrounds, the menu background, frames and detach caption, and the
// floating border are the look's Paint operations, called by the dock, menu and floating windows
// when those come. Left out for now: the edit, combo and static drawing.
#pragma once
#include "dxBarFlatPainter.h"

class TdxBarOffice11Painter : public TdxBarFlatPainter {
  CALDERAN_CLASS(TdxBarOffice11Painter)
  static TdxBarPainterClass Instance();

  // Flags and metrics.
  bool UsesGlyphShadow() const override { return false; }
  bool UsesFlatGlyphs() const override { return false; }
  bool UsesThemes() const override { return true; }
  bool FadesDisabledImages(TCustomdxBarControl*) const override { return true; }
  bool UsesOwnMenuItemBackground() const override { return true; }
  bool ShowsEditButtonsInMenus() const override { return true; }
  bool HighlightsPressedButtonText() const override;
  bool HasMenuShadow(TCustomdxBarControl* bar) const override;
  int GetDragHandleLeft() const override { return TdxBarFlatPainter::GetDragHandleLeft() + GetDragHandleIndent(); }
  int GetFloatingFrameWidth() const override { return 3; }
  int GetFloatingFrameHeight() const override { return 3; }
  int GetNoDragHandleSize() const override { return 2; }
  int GetComboArrowWidth(TCustomdxBarControl*, int) const override { return 13; }
  TRect GetSingleBorderRect(TCustomdxBarControl* bar, TdxBarDockingStyle style) const override;
  TRect GetEditBorders(int) const override { return {1, 1, 1, 1}; }
  void CalcMenuMarkSizes(TcxCanvas* canvas, int textSize, int& markSize, int& arrowWidth) const override;

  // Brushes and colours.
  HBRUSH GetToolbarBrush(TCustomdxBarControl* bar) const override;
  HBRUSH GetMenuBackgroundBrush(TCustomdxBarControl* menu) const override;
  HBRUSH GetDownedBrush(TCustomdxBarControl* bar) const override;
  HBRUSH GetDownedSelectedBrush(TCustomdxBarControl* bar) const override;
  HBRUSH GetSelectedBrush(TCustomdxBarControl* bar) const override;
  HBRUSH GetFlatFaceBrush(TdxBarManager* manager) const override;
  HBRUSH GetMenuGlyphBrush(TdxBarItemControl* control) const override;
  HBRUSH GetStaticBorderBrush(TdxBarItemControl* control, int borderStyle) const override;
  TColor GetMenuSeparatorColor() const override;
  HBRUSH GetButtonBrush(const TdxBarItemControlDrawParams& params) const override;
  TColor GetComboArrowColor(const TdxBarItemControlDrawParams& params) const override;
  TColor GetTextColor(TdxBarItemControl* control, bool selected, bool flat) const override;
  void GetDisabledTextColors(TdxBarItemControl* control, bool selected, TColor& text, TColor& shadow,
                             bool flat) const override;
  TColor GetFloatingCaptionColor(TCustomdxBarControl* bar, int index) const override;
  TColor GetFloatingCaptionTextColor(TCustomdxBarControl* bar) const override;
  TColor GetFloatingMarkColor(TCustomdxBarControl* bar, int markState) const override;

  // Drawing.
  void DrawSelectionFrame(HDC dc, const TRect& rect) const override;
  void DrawButtonFrame(TdxBarItemControl* control, HDC dc, bool down, bool selected, int paintType, HBRUSH brush,
                       const TRect& rect) const override;
  void FrameDroppedDownItem(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const override;
  void FillSubMenuJoint(TCustomdxBarControl* bar, HDC dc, TdxBarItemControl* control, const TRect& jointRect,
                        const TRect& itemRect) const override;
  void DrawGlyphFrame(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state, int paintType,
                      const TRect& backgroundRect, bool frameRoom, HBRUSH brush) const override;
  void DrawDropDownArrow(HDC dc, const TRect& rect, TColor color, bool flat, bool selected, bool enabled,
                         int direction) const override;
  void DrawArrow(HDC dc, const TRect& rect, TColor color, bool flat, bool enabled, bool selected, int size,
                 int direction) const override;
  void DrawColorSwatch(HDC dc, TColor color, const TRect& rect) const override;
  void DrawCaptionButtonBackground(TCustomdxBarControl* bar, HDC dc, int state, const TRect& rect) const override;
  void FillToolbarBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawToolbarSeparator(TCustomdxBarControl* bar, HDC dc, bool horizontal, HBRUSH brush,
                            const TRect& rect) const override;
  void DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawMarkBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawMark(TCustomdxBarControl* bar, HDC dc, int markState, const TRect& rect) const override;
  void DrawMenuItemBackground(const TdxBarItemControlDrawParams& params, const TRect& rect) const override;
  void DrawExpandButtonChevrons(TCustomdxBarControl* menu, HDC dc, bool selected, const TRect& rect) const override;

  // The look's menu, floating and dock drawing.
  void PaintMenuFrame(HDC dc, const TRect& rect, const TdxBarMenuFrameInfo& menu,
                      TdxBarManager* manager) const override;
  void PaintMenuClientFrame(HDC dc, const TRect& rect, HBRUSH menuBrush, HBRUSH brush,
                            const TdxBarMenuFrameInfo& menu) const override;
  void PaintDetachCaption(HDC dc, const TRect& rect, bool hot, TdxBarManager* manager) const override;
  void PaintFloatingBorder(HDC dc, const TRect& windowRect, const TRect& clientRect, HBRUSH brush, bool popup,
                           TdxBarManager* manager) const override;
  // The glyph-column gradient, the quick-customize check column and the menu's brush; a menu with a
  // background picture draws that instead.
  void PaintMenuBackground(HDC dc, const TRect& rect, const TdxBarMenuFrameInfo& menu, HBRUSH brush) const;
  // The client area's vertical toolbar gradient, inside the clip rectangle.
  void PaintFloatingBackground(HDC dc, const TRect& clientRect, const TRect& clipRect) const;
  // A dock's two colours by its docking style, and its horizontal gradient.
  static void GetDockColors(TdxBarDockingStyle style, TColor& color1, TColor& color2);
  void PaintDockBackground(HDC dc, const TRect& dockRect, TdxBarDockingStyle style) const;

  // The Office 2003 look's own operations.
  virtual void DrawDragHandle(TCustomdxBarControl* bar, HDC dc, bool horizontal, const TRect& rect) const;
  virtual int GetDragHandleIndent() const { return 2; }

  // The rounded single border of a docked toolbar that is not the main menu.
  void DrawRoundedBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const;

  // The item face of a hot, pressed or down item: the start and end colours of its gradient.
  void GetItemFaceColors(TCustomdxBarControl* bar, bool pressedOrDown, bool selected, TColor& start,
                         TColor& end) const;

 protected:
  constexpr TdxBarOffice11Painter() = default;
};
