// The application button's settings and the ribbon's side of the application menu: opening it
// below the button and the button's state around it.
#include "dxRibbonApplicationMenu.h"

#include "dxBarScreenTips.h"
#include "dxRibbon.h"
#include "dxRibbonController.h"

CALDERAN_IMPLEMENT_CLASS(TdxRibbonApplicationButton, TPersistent)

TBitmap* MakeAlphaGlyph(TBitmap* source) {
  const int width = source->Width(), height = source->Height();
  auto* glyph = new TBitmap(width, height, TPixelFormat::pf32bit);
  const TColor transparent = source->TransparentColor();
  const COLORREF clear = ColorToRGB(transparent);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint32_t*>(glyph->ScanLine(y));
    for (int x = 0; x < width; ++x) {
      const COLORREF c = ColorToRGB(source->Canvas()->Pixel(x, y));
      row[x] = c == clear ? 0 : 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    }
  }
  return glyph;
}

TdxRibbonApplicationButton::TdxRibbonApplicationButton(TdxCustomRibbon* ribbon)
    : glyph_(new TBitmap), ribbon_(ribbon) {
  glyph_->OnChange = MakeEvent(this, &TdxRibbonApplicationButton::GlyphChanged);
}

TdxRibbonApplicationButton::~TdxRibbonApplicationButton() {
  SetMenu(nullptr);
  SetScreenTip(nullptr);
  delete glyph_;
}

void TdxRibbonApplicationButton::Assign(TPersistent* source) {
  auto* other = ObjectAs<TdxRibbonApplicationButton>(source);
  if (!other) return TPersistent::Assign(source);
  ribbon_->BeginUpdate();
  try {
    SetGlyph(other->glyph_);
    SetKeyTip(other->keyTip_);
    SetMenu(other->menu_);
    SetVisible(other->visible_);
    SetScreenTip(other->screenTip_);
    SetStretchGlyph(other->stretchGlyph_);
  } catch (...) {
    ribbon_->EndUpdate();
    throw;
  }
  ribbon_->EndUpdate();
}

void TdxRibbonApplicationButton::SetGlyph(TBitmap* value) {
  if (value && !value->Empty() && value->PixelFormat() != TPixelFormat::pf32bit) {
    std::unique_ptr<TBitmap> alpha(MakeAlphaGlyph(value));
    glyph_->Assign(alpha.get());
  } else {
    glyph_->Assign(value);
  }
}

void TdxRibbonApplicationButton::GlyphChanged(TObject*) { Refresh(); }

void TdxRibbonApplicationButton::MoveFreeNotification(TComponent* from, TComponent* to) {
  if (from && !from->ComponentState().Contains(csDestroying)) from->RemoveFreeNotification(ribbon_);
  if (to) to->FreeNotification(ribbon_);
}

void TdxRibbonApplicationButton::SetMenu(TComponent* value) {
  if (value == menu_) return;
  MoveFreeNotification(menu_, value);
  menu_ = value;
}

IdxRibbonApplicationMenu* TdxRibbonApplicationButton::ApplicationMenu() const {
  return dynamic_cast<IdxRibbonApplicationMenu*>(menu_);
}

void TdxRibbonApplicationButton::SetScreenTip(TdxBarScreenTip* value) {
  if (value == screenTip_) return;
  MoveFreeNotification(screenTip_, value);
  screenTip_ = value;
}

std::string TdxRibbonApplicationButton::ScreenTipText() const {
  return screenTip_ && screenTip_->Header() ? screenTip_->Header()->Text() : std::string();
}

void TdxRibbonApplicationButton::SetStretchGlyph(bool value) {
  if (value == stretchGlyph_) return;
  stretchGlyph_ = value;
  Refresh();
}

void TdxRibbonApplicationButton::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Refresh();
}

void TdxRibbonApplicationButton::ComponentRemoved(TComponent* component) {
  if (component == menu_) menu_ = nullptr;
  if (component == screenTip_) screenTip_ = nullptr;
}

void TdxRibbonApplicationButton::Refresh() {
  ribbon_->Changed();
  ribbon_->FullRefresh();
}

// ---------------------------------------------------------------------------------------------
// The ribbon's side of the menu

bool TdxCustomRibbon::ShowApplicationMenu() {
  if (applicationMenuOpen_) return false;
  SetApplicationButtonPressed(true);
  SetApplicationButtonState(2);
  bool shown = false;
  auto finish = [this] {
    applicationMenuOpen_ = false;
    SetApplicationButtonPressed(false);
    SetApplicationButtonState(0);
    controller_->SetPressedPart(rhtNone);
  };
  try {
    IdxRibbonApplicationMenu* menu = applicationButton_->ApplicationMenu();
    if (!DoApplicationMenuClick() && menu && HandleAllocated()) {
      const TRect& button = viewInfo_->ApplicationButtonBounds();
      const TPoint topLeft = ClientToScreen(TPoint(button.Left, button.Top));
      const TRect exclude(topLeft.X, topLeft.Y, topLeft.X + button.Width(), topLeft.Y + button.Height());
      applicationMenuOpen_ = true;
      shown = menu->PopupFromRibbon(this, TPoint(exclude.Left, exclude.Bottom), exclude);
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return shown;
}

void TdxCustomRibbon::CloseApplicationMenu() {
  if (!applicationMenuOpen_) return;
  if (IdxRibbonApplicationMenu* menu = applicationButton_->ApplicationMenu()) menu->CloseMenu();
}
