// The Office 2003 bar painter: the flat look with the Office-2003 colour set of the look-and-feel
// unit: gradients on toolbars, the toolbar mark and hot or pressed items, a dotted drag handle,
// frames in the scheme's highlight border colour, and the sub-menu expand picture as chevrons.
//
// Left out for now: the rounded single border's anti-aliased corner pixels beside the mark, the
// dock, floating and menu-frame gradients, and the edit, combo and static drawing; the toolbar,
// dock and menu windows that call them come later. The border drawn is the flat painter's rounded
// frame over the dock with the toolbar's bottom shadow line.
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
  void DrawCaptionButtonBackground(TCustomdxBarControl* bar, HDC dc, int state, const TRect& rect) const override;
  void FillToolbarBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawToolbarSeparator(TCustomdxBarControl* bar, HDC dc, bool horizontal, HBRUSH brush,
                            const TRect& rect) const override;
  void DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawMarkBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawMark(TCustomdxBarControl* bar, HDC dc, int markState, const TRect& rect) const override;
  void DrawMenuItemBackground(const TdxBarItemControlDrawParams& params, const TRect& rect) const override;
  void DrawExpandButtonChevrons(TCustomdxBarControl* menu, HDC dc, bool selected, const TRect& rect) const override;

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
