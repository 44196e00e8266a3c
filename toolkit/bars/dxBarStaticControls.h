// Item controls that show a caption and glyph but do nothing when clicked: the static base (labels
// and statics build on it) and the separator, which is a line in a toolbar and in a menu either a
// plain separator or, when the item shows its caption, a bold group caption between two lines.
//
// Left for later: the static item's own control (border, alignment, indents) and the painters'
// own looks of statics and separators; the base painter draws them plainly.
#pragma once
#include "dxBarItemControl.h"

class TdxBarCustomStaticControl : public TdxBarItemControl {
  CALDERAN_CLASS(TdxBarCustomStaticControl)
  using TdxBarItemControl::TdxBarItemControl;

  bool ExecutesOnClick() const override { return false; }
  // Only while the manager customizes.
  bool IsSelectable() const override;
  // The caption when the item shows it, and the glyph when there is one at the view size.
  int GetDefaultViewStructure() const override;
  void Draw(const TRect& rect, int paintType) override;
};

class TdxBarSeparatorControl : public TdxBarCustomStaticControl {
  CALDERAN_CLASS(TdxBarSeparatorControl)
  using TdxBarCustomStaticControl::TdxBarCustomStaticControl;

  // The link is the first visible one of its collection (a caption row then has no line above).
  bool IsFirst() const;
  void CalcDrawParams(bool full) override;
  void Draw(const TRect& rect, int paintType) override;
  // The caption, and only in a menu.
  int GetDefaultViewStructure() const override;
  int GetIconAreaWidth() override { return 0; }
  int GetMenuHeight() override;
  int GetMinWidth() override;
  int GetHorzHeight() override { return GetTextSize(); }
  int GetHorzWidth() override;
  int GetCaptionWidth() override;

 private:
  bool isFirst_ = false;
};

// Pairs the separator item with its control.
extern const TUnitInfo dxBarStaticControlsUnit;
