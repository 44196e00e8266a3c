// Bar windows: the window of a toolbar, a menu or a ribbon group, which shows item controls and
// draws through its manager's painter.
//
// Here: the base window with what the painters and item controls read of it (manager, painter,
// font and text size, brushes, the background routine, paint type).
#pragma once
#include <windows.h>

#include "Controls.h"
#include "Graphics.h"
#include "Types.h"
#include "dxBarPainter.h"
#include "dxBarTypes.h"

class TCustomdxBarControl : public TCustomControl {
  CALDERAN_CLASS(TCustomdxBarControl)
  TCustomdxBarControl(TComponent* owner, TdxBarManager* manager);
  ~TCustomdxBarControl() override;

  TdxBarManager* BarManager() const { return manager_; }
  virtual TdxBarPainterClass GetPainter() const;
  // 0 horizontal toolbar, 1 menu, 2 vertical toolbar.
  virtual int PaintType() const { return ptHorz; }
  virtual bool IsRotated() const { return false; }
  virtual bool IsMainMenu() const { return false; }
  // Menus and floating toolbars are not docked.
  virtual bool IsDocked() const { return true; }
  // The bar paints on its dock's background.
  virtual bool HasDockBackground() const { return false; }
  virtual double ScaleRatio() const { return 1.0; }
  // The links of the bar show large items.
  virtual bool UsesLargeItems() const { return false; }
  virtual TdxBarItemControl* SelectedControl() const { return nullptr; }

  // The font of the bar's items (the manager's font) and the height of one text line in it.
  virtual TFont* ItemsFont() const;
  int TextSize() const;
  int IconAreaSize() const { return TextSize(); }
  HBRUSH BkBrush() const;
  // The bar's background routine: the brush, or the toolbar background bitmap tiled over the
  // whole area (origin dxBarNoOffset) or from the rectangle's own corner.
  virtual void FillBackground(HDC dc, const TRect& rect, HBRUSH brush, TColor color, bool wholeArea);

  // What the painters read of a toolbar's frame and of a menu's tie to its owner item; toolbars
  // and menus answer them (the base window has no mark, caption button or owner).
  virtual bool CanBeMoved() const { return false; }
  virtual bool HasBorder() const { return true; }
  virtual int MarkState() const { return 0; }  // 0 normal, 1 hot, 2 dropped down
  virtual bool HasHiddenItems() const { return false; }
  virtual int CloseButtonState() const { return 0; }  // 0 normal, 1 hot, 2 pressed
  virtual bool IsPopupBar() const { return false; }
  // The one-pixel line where a menu touches its owner item, in screen coordinates; false when
  // they do not touch.
  virtual bool CalcOwnerEdgeRect(TRect& rect) const {
    rect = {};
    return false;
  }

  // --- What the item links ask of the window (no-ops until the window kinds answer)
  TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
  virtual void SetItemLinks(TdxBarItemLinks* links) { itemLinks_ = links; }
  // The window this one was opened from (a menu's toolbar); nil for a root window.
  virtual TCustomdxBarControl* ParentBar() const { return nullptr; }
  // 0 toolbar, 1 quick popup, 2 menu.
  virtual int GetKind() const { return 0; }
  virtual int GetBehaviourFlags() const { return 19; }
  // In the chain of active bar windows.
  virtual bool IsActive() const { return false; }
  // Recreates the item controls, recalculates and repaints.
  virtual void RepaintBar() {}
  // The window's item controls changed (a docked toolbar re-lays itself out later).
  virtual void ItemControlsChanged() {}
  virtual void SetSelectedItemControl(TdxBarItemControl*) {}
  // A link goes: the window drops its references to it (selected, tracked).
  virtual void LinkRemoved(TdxBarItemLink*) {}

 private:
  TdxBarManager* manager_;
  TdxBarItemLinks* itemLinks_ = nullptr;
};
