// A toolbar of a bar manager (the part the ribbon needs).
#include "dxBarToolbar.h"

#include <algorithm>

#include "SysUtils.h"
#include "TypInfo.h"
#include "dxBarControl.h"
#include "dxBarDockControl.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CREATABLE(TdxBar, TcxComponentCollectionItem, TComponent*)

TdxBar::TdxBar(TComponent* owner) : TcxComponentCollectionItem(owner) {}

TdxBar::~TdxBar() {
  Destroying();
  itemLinks_.reset();
}

TBitmap* TdxBar::Glyph() {
  if (!glyph_) glyph_ = std::make_unique<TBitmap>();
  return glyph_.get();
}

TBitmap* TdxBar::BackgroundBitmap() {
  if (!backgroundBitmap_) backgroundBitmap_ = std::make_unique<TBitmap>();
  return backgroundBitmap_.get();
}

void TdxBar::SetBarManager(TdxBarManager* value) {
  if (barManager_ == value) return;
  barManager_ = value;
  if (itemLinks_ && itemLinks_->Count() == 0) itemLinks_.reset();
}

TdxBarItemLinks* TdxBar::ItemLinks() {
  if (!itemLinks_) itemLinks_ = std::make_unique<TdxBarItemLinks>(barManager_, this);
  return itemLinks_.get();
}

TComponent* TdxBar::GetParentComponent() const { return barManager_; }

void TdxBar::SetParentComponent(TComponent* parent) {
  if (auto* manager = ObjectAs<TdxBarManager>(parent)) SetBarManager(manager);
}

void TdxBar::Loaded() {
  TcxComponentCollectionItem::Loaded();
  if (itemLinks_) itemLinks_->Loaded();
}

bool TdxBar::CanContainItem(TdxBarItem*, std::string& text) {
  text.clear();
  return true;
}

void TdxBar::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  if (dockControl_) dockControl_->Invalidate();
}

namespace {
TdxDockControl* DockSiteOf(TCustomdxBarControl* control) {
  return control ? dynamic_cast<TdxDockControl*>(control->Parent()) : nullptr;
}
}  // namespace

int TdxBar::Row() const {
  int row, col;
  auto* control = dynamic_cast<TdxBarControl*>(control_);
  if (TdxDockControl* site = DockSiteOf(control_); site && control && site->FindBarControl(control, row, col)) return row;
  return row_;
}

void TdxBar::SetRow(int value) {
  row_ = std::max(0, value);
  auto* control = dynamic_cast<TdxBarControl*>(control_);
  if (TdxDockControl* site = DockSiteOf(control_); site && control) site->SetBarRow(control, row_);
}

TdxBar* BarByName(TdxBarManager* manager, const std::string& name) {
  if (!manager || !manager->Owner() || name.empty()) return nullptr;
  TComponent* owner = manager->Owner();
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (auto* bar = ObjectAs<TdxBar>(owner->Components(i)))
      if (bar->BarManager() == manager && SameText(bar->Name(), name)) return bar;
  return nullptr;
}

namespace {
constinit const TPropInfo toolbarProps[] = {
    Published<&TdxBar::Caption, &TdxBar::SetCaption>("Caption"),
    Published<&TdxBar::ItemLinks, nullptr>("ItemLinks"),
    Published<&TdxBar::Visible, &TdxBar::SetVisible>("Visible").WithDefault(true),
};
}  // namespace

void RegisterToolbarProperties() {
  RegisterPublishedProperties(TdxBar::StaticClass(), toolbarProps);
  RegisterClass(TdxBar::StaticClass());
}
