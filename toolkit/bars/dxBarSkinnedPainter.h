// The skinned bar painter: bars, menus and item controls drawn from a skin instead of from system
// colours. It is the Office 2003 painter wherever it does not draw a skin element; the skin is that
// of the painter's owner, asked for its IdxSkin interface every time (the ribbon is the only owner
// there is, and it makes its own painter, so the bar manager never picks this class).
//
// A painter whose owner answers no skin (none given, an owner that is no skin, or a ribbon without
// a colour scheme) draws and measures as the Office 2003 painter in every operation, rather than
// leaving bars blank or measuring them for a skin that is not there.
//
// Skin elements (the element ids of IdxSkin) are drawn in one of nine states: 0 normal, 1 disabled,
// 2 hot, 3 selected, 4 pressed, 5 dropped down, 6 checked, 7 checked and hot, 8 selected while
// disabled.
//
// Left for the windows that call them: the skinned drawing of menu windows (frames, detach
// captions, scroll buttons, separators, in-place sub-items), of the application menu and its
// extra pane, of edits, combos, spin edits, progress bars, statics and separator captions; the
// bar painter interface gains those operations with the menu windows and edit items. Caption
// buttons of a group window's caption and the alternate toolbar mark (no bar window has either
// yet) are not drawn; hints keep the Office 2003 painter's size and layout.
#pragma once
#include "dxBarOffice11Painter.h"

// What a skinned bar painter draws through: the ribbon answers for its skin.
class IdxSkin {
 public:
  virtual void DrawElement(HDC dc, const TRect& rect, int elementId, int state) = 0;
  virtual void DrawElementCaption(HDC dc, const std::string& text, int elementId, const TRect& rect) = 0;
  virtual TRect GetElementCaptionRect(const TRect& rect, int elementId) = 0;
  virtual TRect GetElementContentOffsets(int elementId) = 0;  // left, top, right, bottom
  // A style name for the edit buttons' own glyphs; empty for every ribbon skin.
  virtual std::string GetSkinName() = 0;
  virtual TColor GetElementColor(int elementId, int state) = 0;
  virtual int GetElementMetric(int elementId) = 0;

 protected:
  ~IdxSkin() = default;
};

// The element states of a bar item.
enum TdxBarSkinState : int {
  bssNormal, bssDisabled, bssHot, bssSelected, bssPressed, bssDroppedDown, bssChecked, bssCheckedHot,
  bssSelectedDisabled
};

class TdxBarSkinnedPainter : public TdxBarOffice11Painter {
  CALDERAN_CLASS(TdxBarSkinnedPainter)
  // The owner is not owned and must outlive the painter.
  explicit TdxBarSkinnedPainter(TObject* owner) : owner_(owner) {}
  TObject* Owner() const { return owner_; }
  // The owner's skin; nullptr when there is none (the painter then draws as the Office 2003 one).
  virtual IdxSkin* GetSkin() const;

  // --- Toolbar and group windows
  void DrawToolbarBackground(TCustomdxBarControl* bar, HDC dc) const override;
  void DrawToolbarNonClient(TCustomdxBarControl* bar, HDC dc) const override;
  void GetFloatingCaptionRect(const TRect& windowRect, TRect& captionRect) const override;
  bool PaintsToolbarNonClient() const override;
  bool SupportsLargeIcons() const override;
  int GetDockContentOffset() const override;
  int GetBarBorderSize() const override;
  int GetIconAreaSize(TCustomdxBarControl* bar) const override;
  void FillToolbarBackground(TCustomdxBarControl* bar, HDC dc, HBRUSH brush, const TRect& rect) const override;
  void DrawToolbarSeparator(TCustomdxBarControl* bar, HDC dc, bool horizontal, HBRUSH brush,
                            const TRect& rect) const override;
  void DrawMark(TCustomdxBarControl* bar, HDC dc, int markState, const TRect& rect) const override;
  // The content margins of a toolbar window (the group element's).
  virtual TRect GetToolbarBorderOffsets(TCustomdxBarControl* bar) const;
  // The bar's background under a rectangle: the toolbar background clipped to it.
  virtual void DrawBarBackground(TCustomdxBarControl* bar, HDC dc, const TRect& rect) const;

  // --- Buttons
  void DrawButton(const TdxBarItemControlDrawParams& params, const TRect& rect) const override;
  void DrawButtonArrow(const TdxBarItemControlDrawParams& params, const TRect& rect) const override;
  void DrawSplitArrowPart(const TdxBarItemControlDrawParams& params, const TRect& rect) const override;
  void DrawInlineArrow(const TdxBarItemControlDrawParams& params, const TRect& rect) const override;
  void DrawButtonText(const TdxBarItemControlDrawParams& params, const TRect& rect, UINT format,
                      int alignment) const override;
  void CalcButtonTextRect(const TdxBarItemControlDrawParams& params, const TRect& glyphRect, TRect& textRect,
                          int& alignment) const override;
  void CalcButtonTextExtent(const TdxBarItemControlDrawParams& params, TRect& rect) const override;
  void AddArrowWidth(const TdxBarItemControlDrawParams& params, int& width) const override;
  void PlaceLargeGlyph(TdxBarItemControl* control, const TSize& glyphSize, const TRect& rect, TRect& glyphRect,
                       int paintType, bool captionShown) const override;
  void CalcButtonParts(const TdxBarItemControlDrawParams& params, const TRect& itemRect, TRect& buttonPart,
                       TRect& arrowPart) const override;
  TRect GetArrowMargins() const override;
  int GetButtonArrowWidth(TdxBarManager* manager) const override;
  int GetButtonArrowExtra(TdxBarItemControl* control) const override;
  int GetButtonPaddingY() const override;
  int GetButtonPaddingX() const override;
  int CalcButtonHeight(int contentSize) const override;
  int CalcButtonWidth(int contentSize) const override;
  TSize GetSmallIndentSize() const override;
  bool HasShadow(TCustomdxBarControl* bar) const override;
  bool ShowsEditButtonsInMenus() const override;
  void AdjustIconAreaSize(TCustomdxBarControl* bar, int& size) const override;
  int GetTextLineHeight(TcxCanvas* canvas) const override;
  TColor GetTextColor(TdxBarItemControl* control, bool selected, bool flat) const override;
  void GetDisabledTextColors(TdxBarItemControl* control, bool selected, TColor& text, TColor& shadow,
                             bool flat) const override;
  void DrawGlyph(TdxBarItemControl* control, HDC dc, const TdxBarGlyphState& state, const TRect& glyphRect,
                 const TRect& backgroundRect) const override;
  // Without a brush: the bar's skin background (the menu's in a menu).
  void FillItemBackground(TdxBarItemControl* control, HDC dc, bool useBrush, HBRUSH brush,
                          const TRect& rect) const override;
  void DrawMenuItemBackground(const TdxBarItemControlDrawParams& params, const TRect& rect) const override;
  void DrawColorSwatch(HDC dc, TColor color, const TRect& rect) const override;
  void FillColorRect(TcxCanvas* canvas, const TRect& rect, TColor color) const override;

  // --- Menus (the metrics and the parts an item or the menu's background draws)
  void DrawMenuSeparatorLine(TcxCanvas* canvas, const TRect& rect) const override;
  void DrawExpandButtonChevrons(TCustomdxBarControl* menu, HDC dc, bool selected, const TRect& rect) const override;
  bool IsExpandButtonFlat() const override;
  int GetMenuScrollButtonHeight(TCustomdxBarControl* bar) const override;
  int GetMenuScrollArrowSize(int height) const override;
  int CalcMenuArrowWidth(int textSize) const override;
  int GetMenuSeparatorSize() const override;
  TRect CalcMenuGlyphRect(const TRect& rect, int iconAreaSize) const override;
  int GetBaseTextSize() const override;
  int GetMenuFrameWidth(TCustomdxBarControl* menu) const override;
  int GetMenuMargin() const override;
  virtual int GetMenuTextInflate() const;
  virtual int GetMenuExtraIndent() const;
  virtual int GetMenuTextLineHeight(TcxCanvas* canvas) const;
  // The glyph column of a menu.
  virtual int GetMenuIconAreaWidth(TCustomdxBarControl* menu) const;

  // --- Edits and combos (metrics)
  int GetComboEditGap() const override;
  TRect GetComboButtonMargins(int paintType) const override;
  TRect GetSpinButtonMargins(int paintType) const override;
  int GetEllipsisButtonWidth(int paintType, const TRect& rect) const override;
  int GetComboArrowWidth(TCustomdxBarControl* bar, int size) const override;
  TSize CalcSpinArrowSize(int buttonHeight) const override;

  // --- Screen tips
  void DrawScreenTipBackground(TcxCanvas* canvas, const TRect& rect) const override;
  void DrawScreenTipFooterLine(TcxCanvas* canvas, const TRect& rect) const override;

  // The element state of a button part (0 the button, 1 its arrow) and of a part of a selected
  // menu item, from the draw parameters.
  static int ButtonState(const TdxBarItemControlDrawParams& params, int part);
  static int MenuPartState(const TdxBarItemControlDrawParams& params, int part);
  static int BaseState(const TdxBarItemControlDrawParams& params, int part);

 protected:
  bool HasSkin() const { return GetSkin() != nullptr; }
  // Whether the skin's edit buttons draw their own glyphs (a skin with a style name).
  bool HasEditStyleName() const;
  // The 5 x 4 drop-down arrow centred in the rectangle.
  void DrawArrowGlyph(IdxSkin* skin, HDC dc, const TRect& rect, int state) const;
  // The arrow of a menu item or in-place sub-item: right (direction 3) or down.
  void DrawMenuArrowGlyph(IdxSkin* skin, const TdxBarItemControlDrawParams& params, const TRect& rect,
                          int direction) const;
  // The rightmost arrow-width strip of the item, inside the bar border outside menus.
  TRect CalcArrowPartRect(const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  void DrawButtonFace(IdxSkin* skin, const TdxBarItemControlDrawParams& params, const TRect& rect) const;
  void DrawMenuBackground(IdxSkin* skin, TCustomdxBarControl* menu, HDC dc, const TRect& rect) const;
  // Two one-pixel lines side by side, centred in the rectangle.
  static void DrawSeparatorLine(HDC dc, const TRect& rect, bool horizontal, TColor first, TColor second);

 private:
  void DrawLargeCaption(IdxSkin* skin, const TdxBarItemControlDrawParams& params, const TRect& rect,
                        UINT format) const;
  TColor SkinTextColor(IdxSkin* skin, TdxBarItemControl* control) const;

  TObject* owner_;
};
