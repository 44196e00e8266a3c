// Item controls: the view and controller of one item link while a bar window shows it. An item
// control is no window: its bar window gives it its rectangle, routes input to it and asks it to
// paint; the control asks the bar window's painter for every metric and drawing step.
//
// Here: the base class with what the painters read of it (glyph, colours, brushes, caption indent,
// the layout record with its image bounds).
#pragma once
#include <windows.h>

#include <string>

#include "ImgList.h"
#include "Types.h"
#include "cxClasses.h"
#include "dxBarPainter.h"
#include "dxBarTypes.h"

// The layout record of an item control: what the bar window's layout placed, and the image bounds
// the painter stored when it last drew the glyph.
class TdxBarItemControlViewInfo : public TObject {
  CALDERAN_CLASS(TdxBarItemControlViewInfo)
  explicit TdxBarItemControlViewInfo(TdxBarItemControl* control) : control_(control) {}

  TdxBarItemControl* Control() const { return control_; }
  const TRect& Bounds() const { return bounds_; }
  void SetBounds(const TRect& value) { bounds_ = value; }
  const TRect& ImageBounds() const { return imageBounds_; }
  void SetImageBounds(const TRect& value) { imageBounds_ = value; }

 private:
  TdxBarItemControl* control_;
  TRect bounds_;
  TRect imageBounds_;
};

class TdxBarItemControl : public TcxIUnknownObject {
  CALDERAN_CLASS(TdxBarItemControl)
  TdxBarItemControl(TCustomdxBarControl* barControl, TdxBarItemLink* link);
  ~TdxBarItemControl() override;

  TCustomdxBarControl* Parent() const { return barControl_; }
  TdxBarItemLink* Link() const { return link_; }
  virtual TdxBarItem* Item() const;
  TdxBarManager* BarManager() const;
  TdxBarPainterClass Painter() const;
  TdxBarItemControlViewInfo* ViewInfo() const { return viewInfo_; }
  TdxBarItemControlDrawParams& DrawParams() { return drawParams_; }

  // The own brush made from the item's style colour, else the bar window's background brush.
  bool HasOwnBackgroundBrush() const { return ownBrush_ != nullptr; }
  HBRUSH GetBackgroundBrush() const;
  void SetOwnBackgroundColor(TColor color);
  // The mouse holds the control (button kinds).
  virtual bool IsPressed() const { return false; }
  virtual bool IsSelected() const;
  virtual bool GetEnabled() const;
  virtual bool IsInMainMenu() const { return false; }
  virtual int GetPaintType() const;
  // The menu window this control has open (sub-items and drop-down buttons), nullptr when none.
  virtual TCustomdxBarControl* OpenSubMenu() const { return nullptr; }

  // The caption's indent when no glyph is shown: half the bar font's point size.
  virtual int CaptionIndent() const;
  // The item's own text colour, clDefault for the painter's.
  virtual TColor ItemTextColor() const { return clDefault; }
  virtual TdxBarGlyphLayout GlyphLayout() const { return glLeft; }
  // What the control draws at a view size: false when it has nothing.
  virtual bool GetImageInfo(int size, TCustomImageList*& images, int& index, TBitmap*& glyph) const;
  TSize GetGlyphSize(int size) const;
  virtual bool IsGlyphShownEnabled() const { return GetEnabled(); }

  // --- What the item and its link tell the control (no-ops until the control kinds answer)
  virtual void Changed() {}
  virtual void CaptionChanged() {}
  virtual void EnabledChanged() {}
  virtual void GlyphChanged() {}
  virtual void HotGlyphChanged() {}
  virtual void LargeGlyphChanged() {}
  virtual void PaintStyleChanged() {}
  virtual void VisibleChanged() {}
  virtual void WidthChanged() {}
  virtual void Refresh() {}
  virtual void Repaint() {}
  // Drops the cached glyph image and, when asked, the size cache of every view level.
  virtual void ClearCaches(bool /*sizes*/) {}
  // Remakes the own background brush from the item's style (with the item's font selected).
  virtual void CalcSizesWithFont() {}
  // Pressed or being edited.
  virtual bool IsActive() const { return false; }
  // The keyboard may select the control.
  virtual bool CanSelect() const { return true; }
  virtual TdxBarItemAlign GetRealAlign() const { return iaLeft; }
  // The manager's large-icons mode applies (and the painter allows it).
  bool UsesLargeIcons() const;

 protected:
  TdxBarItemControlDrawParams drawParams_;

 private:
  TCustomdxBarControl* barControl_;
  TdxBarItemLink* link_;
  TdxBarItemControlViewInfo* viewInfo_;
  HBRUSH ownBrush_ = nullptr;
};
