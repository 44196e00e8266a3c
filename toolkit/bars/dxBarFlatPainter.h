// The flat bar painter: toolbars, menus and item controls with one-pixel frames instead of 3-D
// edges, a light face colour for toolbars and the glyph column of menus, and blended highlight
// colours (the manager's five flat brushes) for hot, pressed and down items. An item whose menu is
// open is framed as one shape with the menu: its frame leaves out the edge they share.
//
// The frames of a whole menu, its detach caption and separators, and the floating toolbar's border
// are drawn by the look's own Paint operations below from what the menu or bar window reports;
// the window operations that call them come with the menu and floating windows. Left out for now:
// the edit, combo, spin, static and progress drawing of the flat look, the expand button and the
// quick-customize check; the status-bar-like test of the toolbar brush waits for the toolbar class.
#pragma once
#include "dxBarPainter.h"

// What the menu-frame drawing reads of a menu window, in the DC's coordinates.
struct TdxBarMenuFrameInfo {
  TRect OwnerEdge;  // the line where the menu touches its owner item; empty when it does not
  bool Detachable = false;
  int DetachCaptionHeight = 0;
  TRect DetachCaptionRect;
  bool DetachCaptionHot = false;
  bool HasPictureOrSideBar = false;  // a background picture or a side bar
  int LeftAreaWidth = 0;             // the glyph column
  int ExtraColumnWidth = 0;          // the check column of the quick-customize window
  bool ShowsRareItems = false;       // the menu shows its rarely used items
};

class TdxBarFlatPainter : public TdxBarPainter {
  CALDERAN_CLASS(TdxBarFlatPainter)
  static TdxBarPainterClass Instance();

  // Flags and metrics.
  bool UsesGlyphShadow() const override { return true; }
  bool IsFlatLook() const override { return true; }
  bool UsesFlatGlyphs() const override { return true; }
  bool DrawsBarsFlat(TCustomdxBarControl*) const override { return true; }
  bool DrawsQuickCustomizeSelected() const override { return true; }
  bool IsDropDownFlat() const override { return true; }
  int GetBarBorderSize() const override { return 1; }
  int GetHalfFontHeight(TdxBarItemControl* control) const override;
  int GetButtonArrowExtra(TdxBarItemControl*) const override { return 1; }
  int GetMenuItemExtraWidth(TdxBarItemControl* control) const override;
  int GetDragHandleLeft() const override { return 1; }
  int GetDragHandleSize(TCustomdxBarControl* bar) const override;
  int GetButtonArrowWidth(TdxBarManager* manager) const override;
  int GetLargeButtonArrowWidth(TdxBarManager* manager) const override;
  int GetMenuSeparatorIndent() const override { return 8; }
  int GetSeparatorThickness() const override { return 5; }
  int GetSeparatorMargin() const override { return (GetSeparatorThickness() - 1) / 2; }
  void AdjustIconAreaSize(TCustomdxBarControl*, int& size) const override { size += 2; }
  void AdjustMenuItemWidth(TdxBarItemControl*, int& width) const override { width += 9; }
  int GetMenuContentIndent() const override { return 1; }
  int GetMenuSeparatorSize() const override { return 5; }
  int GetMenuChevronSize(int markSize) const override;
  int GetBaseTextSize() const override { return 20; }
  TRect GetEditBorders(int) const override { return {1, 1, 1, 1}; }
  int GetEditCaptionIndentNoGlyph(const TdxBarItemControlDrawParams&) const override { return 6; }
  int GetEditCaptionRightIndent() const override { return 5; }
  TRect GetMenuEditGlyphMargins(const TdxBarItemControlDrawParams&) const override { return {7, 0, 0, 0}; }
  int GetContainerIndent() const override { return 9; }
  TRect CalcMenuGlyphRect(const TRect& rect, int iconAreaSize) const override;
  void CalcMenuMarkSizes(TcxCanvas* canvas, int textSize, int& markSize, int& arrowWidth) const override;

  // Brushes and colours.
  HBRUSH GetToolbarBrush(TCustomdxBarControl* bar) const override;
  HBRUSH GetToolbarBrushOfBar(TCustomdxBarControl* bar) const override;
  HBRUSH GetDownedBrush(TCustomdxBarControl* bar) const override;
  HBRUSH GetDownedSelectedBrush(TCustomdxBarControl* bar) const override;
  HBRUSH GetSelectedBrush(TCustomdxBarControl* bar) const override;
  HBRUSH GetMenuBackgroundBrush(TCustomdxBarControl* menu) const override;
  HBRUSH GetButtonBrush(const TdxBarItemControlDrawParams& params) const override;
  TColor GetComboArrowColor(const TdxBarItemControlDrawParams& params) const override;
  HBRUSH GetGlyphBackgroundBrush(TdxBarItemControl* control, const TdxBarGlyphState& state) const override;
  TColor GetFloatingCaptionColor(TCustomdxBarControl* bar, int index) const override;
  TColor GetFloatingMarkColor(TCustomdxBarControl* bar, int markState) const override;
  int GetMarkArrowColorIndex(TCustomdxBarControl* bar) const override;
  bool IsItemHighlighted(TdxBarItemControl* control, bool down, bool checkMarkMode, bool selected,
                         bool pressed) const override;

  // Drawing.
  void DrawSelectionFrame(HDC dc, const TRect& rect) const override;
  void DrawButtonSunkenFrame(HDC dc, TRect& rect) const override;
  void DrawCheckMark(TdxBarItemControl* control, HDC dc, int scale, int top, int left) const override;
  void DrawGlyphFrame(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state, int paintType,
                      const TRect& backgroundRect, bool frameRoom, HBRUSH brush) const override;
  void DrawButtonBackground(const TdxBarItemControlDrawParams& params, const TRect& rect,
                            HBRUSH brush) const override;
  void DrawToolbarSeparator(TCustomdxBarControl* bar, HDC dc, bool horizontal, HBRUSH brush,
                            const TRect& rect) const override;
  void DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawFloatingCloseButton(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const override;
  void DrawMarkBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawMDIButton(TCustomdxBarControl* bar, int kind, const TRect& rect, HDC dc, int state) const override;
  void DrawMenuItemBackground(const TdxBarItemControlDrawParams& params, const TRect& rect) const override;
  void DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const override;
  void DrawDropDownNonClient(HWND window, bool sizable, int corner, TRect& gripRect, TRect& closeRect, bool hot,
                             bool pressed) const override;

  // The flat look's own operations.
  virtual void DrawButtonFrame(TdxBarItemControl* control, HDC dc, bool down, bool selected, int paintType,
                               HBRUSH brush, const TRect& rect) const;
  virtual HBRUSH GetMenuGlyphBrush(TdxBarItemControl* control) const;
  virtual HBRUSH GetStaticBorderBrush(TdxBarItemControl* control, int borderStyle) const;
  virtual void DrawDroppedDownItemFrame(TCustomdxBarControl* bar, HDC dc, TCustomdxBarControl* subMenu,
                                        TdxBarItemControl* control, const TRect& rect) const;
  virtual void DrawFrameExcludingJoint(TCustomdxBarControl* bar, HDC dc, TCustomdxBarControl* subMenu,
                                       TdxBarItemControl* control, const TRect& rect) const;
  virtual void FrameDroppedDownItem(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const;
  virtual void FillSubMenuJoint(TCustomdxBarControl* bar, HDC dc, TdxBarItemControl* control,
                                const TRect& jointRect, const TRect& itemRect) const;
  virtual TColor GetMenuSeparatorColor() const;

  // The look's menu and floating-frame drawing.
  virtual void PaintMenuFrame(HDC dc, const TRect& rect, const TdxBarMenuFrameInfo& menu,
                              TdxBarManager* manager) const;
  // menuBrush is the menu's background brush, brush the one the menu paints with.
  virtual void PaintMenuClientFrame(HDC dc, const TRect& rect, HBRUSH menuBrush, HBRUSH brush,
                                    const TdxBarMenuFrameInfo& menu) const;
  virtual void PaintDetachCaption(HDC dc, const TRect& rect, bool hot, TdxBarManager* manager) const;
  // A separator item: the glyph part (extraWidth wide) in the face brush, the rest in textBrush,
  // and the line across the middle row.
  void PaintMenuSeparator(HDC dc, const TRect& rect, int extraWidth, HBRUSH faceBrush, HBRUSH textBrush) const;
  // Rings from the window rectangle in to the client rectangle's left edge; popup: the frame of a
  // popup toolbar's window.
  virtual void PaintFloatingBorder(HDC dc, const TRect& windowRect, const TRect& clientRect, HBRUSH brush,
                                   bool popup, TdxBarManager* manager) const;

 protected:
  constexpr TdxBarFlatPainter() = default;
  // The joint with the open menu in the DC's coordinates; empty when the menu does not touch.
  TRect JointRect(TCustomdxBarControl* bar, HDC dc, TCustomdxBarControl* subMenu) const;
  // The drag handle of a movable toolbar, in rows (docked top or bottom) or columns.
  void DrawFlatDragHandle(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const;
};
