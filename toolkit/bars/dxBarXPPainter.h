// The themed bar painter: toolbars, menus and item controls drawn with the visual style's parts
// (ToolBar buttons and separators, Rebar grippers, Window caption buttons, the Status grip). Where
// a theme class does not open, or a part fails to draw, the base painter's drawing stands in.
// Creating the painter measures the theme's parts once into values every instance shares.
//
// The dock background with its row lines, the drop-down window's button and the theme states of
// the combo, edit and progress parts are the look's own operations below, for the dock, drop-down
// and edit windows that come later. Left out for now: the status-bar background bitmap, the menu
// frames and detach captions, and the edit, combo, spin and progress drawing itself.
#include <string>
#include <vector>

#pragma once
#include "dxBarPainter.h"

// The theme measurements a themed painter's creation takes.
struct TdxBarXPThemeMetrics {
  int SeparatorThickness = 6;
  TSize CaptionButtonSize;
  int ButtonPadding = 6;
  int ComboArrowWidth = 13;
  TRect EditBorders{2, 2, 2, 2};
  int GripperWidth = 3;
  int ProgressHeight = 12;
  int MenuSeparatorSize = 10;
  TSize SizeGripSize;
};
const TdxBarXPThemeMetrics& dxBarXPThemeMetrics();

// One row of a dock as the themed dock background draws it, in the dock's coordinates.
struct TdxBarDockRow {
  TRect Bounds;
  bool Bordered = true;  // the row's representative toolbar has a border
};

class TdxBarXPPainter : public TdxBarPainter {
  CALDERAN_CLASS(TdxBarXPPainter)
  static TdxBarPainterClass Instance();

  void Create(TComponent* owner) const override;

  bool UsesThemes() const override { return true; }
  bool UsesGlyphShadow() const override { return true; }
  bool FadesDisabledImages(TCustomdxBarControl*) const override { return true; }
  bool FillsFloatingCaption() const override { return true; }
  bool DrawsQuickCustomizeSelected() const override { return true; }
  bool IsFlatLookForParams(const TdxBarItemControlDrawParams&) const override { return true; }
  bool IsDropDownFlat() const override { return true; }
  bool IsMainMenuItem(TdxBarItemControl* control) const override;
  int GetGlyphDownOffset(TdxBarItemControl*) const override { return 1; }
  int GetGlyphPressedOffset(TdxBarItemControl*) const override { return 1; }
  int GetDragHandleLeft() const override { return 0; }
  int GetDragHandleSize(TCustomdxBarControl* bar) const override;
  int GetDragHandleWidth(TCustomdxBarControl* bar) const override;
  int GetButtonArrowWidth(TdxBarManager* manager) const override;
  int GetLargeButtonArrowWidth(TdxBarManager* manager) const override;
  HBRUSH GetToolbarBrush(TCustomdxBarControl* bar) const override;
  HBRUSH GetToolbarBrushOfBar(TCustomdxBarControl* bar) const override;
  int GetSeparatorMargin() const override { return (GetSeparatorThickness() - 1) / 2; }
  int GetSeparatorThickness() const override;
  int GetToolbarFrameWidth() const override { return 0; }
  TSize GetCaptionButtonSize() const override;
  int GetButtonPaddingY() const override;
  int GetButtonPaddingX() const override;
  void AdjustIconAreaSize(TCustomdxBarControl*, int& size) const override { size += 1; }
  int GetComboEditGap() const override { return 0; }
  int GetMenuContentIndent() const override { return 1; }
  int GetMenuSeparatorSize() const override;
  HBRUSH GetMenuBackgroundBrush(TCustomdxBarControl* menu) const override;
  TColor GetEditColor(TdxBarItemControl* control) const override;
  int GetEditCaptionIndentNoGlyph(const TdxBarItemControlDrawParams&) const override { return 6; }
  int GetEditCaptionRightIndent() const override { return 5; }
  TRect GetMenuEditGlyphMargins(const TdxBarItemControlDrawParams&) const override { return {5, 0, 0, 0}; }
  TRect GetEditBorders(int) const override;
  TRect GetComboButtonMargins(int) const override { return {1, 1, 1, 1}; }
  TRect GetSpinButtonMargins(int) const override { return {0, 0, 0, 0}; }
  int GetEllipsisDotOffset(int dotSize) const override { return 2 * dotSize; }
  int GetComboArrowWidth(TCustomdxBarControl* bar, int size) const override;
  TColor GetProgressBarColor() const override;
  int GetProgressBarHeight(TdxBarItemControl*) const override;
  int GetSeparatorLineSize() const override;
  int GetDropDownGripStripHeight() const override;
  HBRUSH GetGlyphBackgroundBrush(TdxBarItemControl* control, const TdxBarGlyphState& state) const override;

  void DrawCheckMark(TdxBarItemControl* control, HDC dc, int scale, int top, int left) const override;
  void DrawGlyphFrame(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state, int paintType,
                      const TRect& backgroundRect, bool frameRoom, HBRUSH brush) const override;
  void DrawButtonBackground(const TdxBarItemControlDrawParams& params, const TRect& rect,
                            HBRUSH brush) const override;
  void DrawButtonArrow(const TdxBarItemControlDrawParams& params, const TRect& rect) const override;
  void DrawMarkBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawToolbarSeparator(TCustomdxBarControl* bar, HDC dc, bool horizontal, HBRUSH brush,
                            const TRect& rect) const override;
  void DrawToolbarBorder(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawFloatingCloseButton(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const override;
  void DrawMDIButton(TCustomdxBarControl* bar, int kind, const TRect& rect, HDC dc, int state) const override;
  void DrawMenuItemBackground(const TdxBarItemControlDrawParams& params, const TRect& rect) const override;
  void DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const override;
  void DrawDropDownNonClient(HWND window, bool sizable, int corner, TRect& gripRect, TRect& closeRect, bool hot,
                             bool pressed) const override;

  // The Rebar background and, per row, a highlight line along its leading edge and a shadow line
  // along its trailing edge (rows across a horizontal dock, columns in a vertical one).
  void PaintDockBackground(HDC dc, const TRect& dockRect, TdxBarDockingStyle style,
                           const std::vector<TdxBarDockRow>& rows) const;
  static void GetDockRowLines(TdxBarDockingStyle style, int row, int rowCount, bool bordered, bool& leading,
                              bool& trailing);
  // A drop-down window's text button: a ToolBar button face on the window colour.
  void PaintDropDownButton(HDC dc, const TRect& rect, bool pushed, const std::string& text) const;
  // ComboBox CP_DROPDOWNBUTTON: 1 normal, 2 hot, 3 dropped down, 4 disabled.
  static int ComboButtonThemeState(bool enabled, bool droppedDown, bool selected);
  // Edit EP_EDITTEXT: 1 normal, 4 disabled.
  static int EditThemeState(bool enabled) { return enabled ? 1 : 4; }
  // The filled length of a progress bar of `length` pixels; 0 for an empty range.
  static int ProgressFilledLength(int length, int position, int min, int max);

  // The ToolBar state of a toolbar button's face: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 checked.
  static int ButtonThemeState(const TdxBarGlyphState& state);

 protected:
  constexpr TdxBarXPPainter() = default;
};
