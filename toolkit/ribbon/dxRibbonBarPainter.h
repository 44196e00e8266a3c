// The ribbon bar painter: the skinned bar painter of one ribbon, whose skin is that ribbon's. The
// ribbon makes it and gives it to its group windows, which draw their items through it; what it
// adds is the geometry of a ribbon group (its caption's height, rectangle and least width) and the
// whole look of a collapsed group: one large drop-down button showing the toolbar's glyph in a
// frame above its caption, sized in proportion to a full group.
//
// Without a skin (a ribbon with no colour scheme) it is the Office 2003 painter, as the skinned
// painter is, and a collapsed group draws as a plain toolbar background.
// Left out: the keyboard-navigation state of a collapsed group (no accessibility helpers yet) and
// the caption buttons of a group caption (no toolbar has any).
#pragma once
#include <memory>

#include "dxBarSkinnedPainter.h"

class TdxCustomRibbon;
class TdxBar;

class TdxRibbonBarPainter : public TdxBarSkinnedPainter {
  CALDERAN_CLASS(TdxRibbonBarPainter)
  explicit TdxRibbonBarPainter(TdxCustomRibbon* ribbon);
  ~TdxRibbonBarPainter() override;
  TdxCustomRibbon* Ribbon() const { return ribbon_; }
  // The ribbon, while it has a skin.
  IdxSkin* GetSkin() const override;

  void DrawToolbarBackground(TCustomdxBarControl* bar, HDC dc) const override;
  // Nothing around a collapsed group: the button fills the window.
  TRect GetToolbarBorderOffsets(TCustomdxBarControl* bar) const override;
  int GetMenuSeparatorSize() const override;
  int GetSeparatorLineSize() const override;
  // A collapsed group is all mark: the window's client rectangle.
  TRect GetMarkRect(TCustomdxBarControl* bar) const { return CalcMarkRect(bar); }
  TRect CalcMarkRect(TCustomdxBarControl* bar) const;

  // --- The ribbon group's geometry
  virtual int GetCollapsedGroupWidth(TCustomdxBarControl* bar) const;
  // The text height of "Qq" + 1 in the font, at least 8 points.
  virtual int GetGroupCaptionHeight(TFont* font) const;
  // Where a collapsed group's caption goes in its rectangle.
  virtual TRect GetGroupCaptionRect(const TRect& rect) const;
  // The group caption's width in the ribbon's group header font.
  virtual int GetGroupCaptionMinWidth(TCustomdxBarControl* bar) const;
  // The height of a row of a group for the font: a button around a line of its text.
  int GetGroupRowHeight(TFont* font) const;

  // The inner height of a full group, and the height of a collapsed group's glyph block with its
  // margins; the collapsed group's parts scale by their ratio.
  int ReferenceHeight() const { return referenceHeight_; }
  int GlyphBlockHeight() const { return glyphBlockHeight_; }
  // A collapsed group's glyph frame (a square) for a window of the height.
  int GetCollapsedGlyphFrameSize(int windowHeight) const;
  // The toolbar's glyph size, brought down to a small glyph's size with its proportions.
  static TSize GetCollapsedGlyphSize(TdxBar* toolbar);
  // The element state of a collapsed group window: 2 hot, 4 dropped down, else 0.
  static int GetCollapsedGroupState(TCustomdxBarControl* bar);

 private:
  bool IsCollapsedGroup(TCustomdxBarControl* bar) const;
  void PrepareCaptionParams(TCustomdxBarControl* bar, TcxCanvas* canvas, int state) const;
  void DrawCollapsedGroup(IdxSkin* skin, TCustomdxBarControl* bar, HDC dc) const;
  void DrawCollapsedCaption(TCustomdxBarControl* bar, HDC dc, const TRect& rect, int state) const;
  TRect ElementOffsets(int element) const;

  TdxCustomRibbon* ribbon_;
  int referenceHeight_ = 0;
  int glyphBlockHeight_ = 0;
  // The caption of a collapsed group is drawn as a large drop-down button's caption with these.
  std::unique_ptr<TdxBarItemControlDrawParams> drawParams_;
};
