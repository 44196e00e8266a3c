// The application button at the ribbon's top-left corner and what opens when it is clicked: the
// button's settings (glyph, menu, screen tip, key tip, visibility) and the application menu as the
// ribbon sees it. The menu window itself belongs to the bar system's popup menus; the ribbon reaches
// its menu through IdxRibbonApplicationMenu, which such a menu implements.
#pragma once
#include <string>

#include "Classes.h"
#include "Graphics.h"

class TdxCustomRibbon;
class TdxBarScreenTip;

// An application menu as the ribbon drives it.
class IdxRibbonApplicationMenu {
 public:
  // Opens the menu with its top-left corner at the point (screen coordinates), keeping clear of the
  // excluded rectangle (the button, screen coordinates), its window drawn by the ribbon's bar
  // painter; returns when the menu has closed. The answer is whether the menu was shown.
  virtual bool PopupFromRibbon(TdxCustomRibbon* ribbon, const TPoint& at, const TRect& exclude) = 0;
  // Closes the open menu window (nothing when none is open).
  virtual void CloseMenu() = 0;

 protected:
  ~IdxRibbonApplicationMenu() = default;
};

class TdxRibbonApplicationButton : public TPersistent {
  CALDERAN_CLASS(TdxRibbonApplicationButton)
  explicit TdxRibbonApplicationButton(TdxCustomRibbon* ribbon);
  ~TdxRibbonApplicationButton() override;
  void Assign(TPersistent* source) override;

  TBitmap* Glyph() const { return glyph_; }
  // A glyph without an alpha channel becomes a 32-bit picture whose transparent colour is clear.
  void SetGlyph(TBitmap* value);
  const std::string& KeyTip() const { return keyTip_; }
  void SetKeyTip(const std::string& value) { keyTip_ = value; }
  // The menu component (one that implements IdxRibbonApplicationMenu); the ribbon is told when it
  // goes.
  TComponent* Menu() const { return menu_; }
  void SetMenu(TComponent* value);
  IdxRibbonApplicationMenu* ApplicationMenu() const;
  TdxBarScreenTip* ScreenTip() const { return screenTip_; }
  void SetScreenTip(TdxBarScreenTip* value);
  // The text of the screen tip's first band; empty without a screen tip.
  std::string ScreenTipText() const;
  bool StretchGlyph() const { return stretchGlyph_; }
  void SetStretchGlyph(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  TdxCustomRibbon* Ribbon() const { return ribbon_; }

  // The ribbon's notification that a component goes.
  void ComponentRemoved(TComponent* component);
  void Refresh();

 private:
  void GlyphChanged(TObject* sender);
  void MoveFreeNotification(TComponent* from, TComponent* to);

  TBitmap* glyph_;
  TdxCustomRibbon* ribbon_;
  std::string keyTip_;
  TComponent* menu_ = nullptr;
  TdxBarScreenTip* screenTip_ = nullptr;
  bool stretchGlyph_ = true;
  bool visible_ = true;
};

// A bitmap without an alpha channel as a 32-bit picture: pixels of its transparent colour clear,
// all others opaque.
TBitmap* MakeAlphaGlyph(TBitmap* source);
