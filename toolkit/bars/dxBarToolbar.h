// A toolbar of a bar manager: its caption, visibility and where it is docked.
//
// Here: the least the ribbon's tab groups need of a toolbar (its manager, name, caption, visibility,
// its item links, its glyph, the dock control it is docked into and its docking style), the
// manager's look-up by name, and the toolbar in a stored form: an object inside its manager's
// object with its caption, its links (each naming its item) and its visibility.
// Not here: the manager's toolbar collection, the toolbar window (the dock a toolbar is docked
// into makes it), floating, docking rows, the stored layout and the permissions; a toolbar is
// found through its manager's owner.
#pragma once
#include <memory>
#include <string>

#include "Controls.h"
#include "Graphics.h"
#include "cxClasses.h"
#include "dxBarItemLinks.h"
#include "dxBarTypes.h"

enum TdxBarBorderStyle : uint8_t { bbsNone, bbsSingle };

class TdxBar : public TcxComponentCollectionItem, public IdxBarLinksOwner {
  CALDERAN_CLASS(TdxBar)
  explicit TdxBar(TComponent* owner);
  ~TdxBar() override;

  TdxBarManager* BarManager() const { return barManager_; }
  // The links are the manager's: a toolbar without links yet follows a new manager.
  void SetBarManager(TdxBarManager* value);
  TdxBarItemLinks* ItemLinks();
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value) { caption_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  // The control the toolbar is docked into (a ribbon group's dock control), or null.
  TWinControl* DockControl() const { return dockControl_; }
  void SetDockControl(TWinControl* value) { dockControl_ = value; }
  TWinControl* DockedDockControl() const { return dockedDockControl_; }
  void SetDockedDockControl(TWinControl* value) { dockedDockControl_ = value; }
  TdxBarDockingStyle DockingStyle() const { return dockingStyle_; }
  void SetDockingStyle(TdxBarDockingStyle value) { dockingStyle_ = value; }
  // The picture of the toolbar (a collapsed ribbon group shows it); empty until one is assigned.
  TBitmap* Glyph();
  void SetGlyph(TBitmap* value) { Glyph()->Assign(value); }
  // The look of the toolbar's window: its border, colour (clDefault: the painter's), its own
  // background picture, and whether it takes a whole dock row.
  TdxBarBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TdxBarBorderStyle value) { borderStyle_ = value; }
  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  TBitmap* BackgroundBitmap();
  bool WholeRow() const { return wholeRow_; }
  void SetWholeRow(bool value) { wholeRow_ = value; }
  // Alone on its dock row (the dock site keeps it current).
  bool OneOnRow() const { return oneOnRow_; }
  void SetOneOnRow(bool value) { oneOnRow_ = value; }
  // The index of the dock row the toolbar sits in, else the stored number; setting it moves a
  // docked toolbar into that row.
  int Row() const;
  void SetRow(int value);
  bool AllowClose() const { return allowClose_; }
  void SetAllowClose(bool value) { allowClose_ = value; }
  bool ShowMark() const { return showMark_; }
  void SetShowMark(bool value) { showMark_ = value; }
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool value) { sizeGrip_ = value; }
  // No border, docked at the bottom, a whole row: the toolbar looks like a status bar.
  bool IsStatusBarLike() const { return borderStyle_ == bbsNone && dockingStyle_ == dsBottom && wholeRow_; }
  // The window that shows the toolbar, while it has one.
  TCustomdxBarControl* Control() const { return control_; }
  void SetControl(TCustomdxBarControl* value) { control_ = value; }

  // IdxBarLinksOwner
  bool CanContainItem(TdxBarItem* item, std::string& text) override;
  // The dock the toolbar is docked into makes its window.
  TCustomdxBarControl* CreateBarControl() override { return nullptr; }
  TComponent* GetInstance() override { return this; }
  TdxBarItemLinks* GetItemLinks() override { return ItemLinks(); }

  // A stored form nests the toolbar in its manager's object.
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return barManager_ != nullptr; }
  void SetParentComponent(TComponent* parent) override;

 protected:
  TcxComponentCollection* GetCollectionFromParent(TComponent* /*parent*/) override { return nullptr; }
  // The links find the items they name.
  void Loaded() override;

 private:
  TdxBarManager* barManager_ = nullptr;
  std::string caption_;
  bool visible_ = true;
  TWinControl* dockControl_ = nullptr;
  TWinControl* dockedDockControl_ = nullptr;
  TdxBarDockingStyle dockingStyle_ = dsNone;
  TCustomdxBarControl* control_ = nullptr;
  std::unique_ptr<TdxBarItemLinks> itemLinks_;
  std::unique_ptr<TBitmap> glyph_;
  std::unique_ptr<TBitmap> backgroundBitmap_;
  TdxBarBorderStyle borderStyle_ = bbsSingle;
  TColor color_ = clDefault;
  bool wholeRow_ = false;
  bool allowClose_ = true;
  bool oneOnRow_ = false;
  int row_ = 0;
  bool showMark_ = true;
  bool sizeGrip_ = true;
};

// The toolbar of the manager whose component name is the text (ignoring case), or null.
TdxBar* BarByName(TdxBarManager* manager, const std::string& name);

// Start-up: what a stored form may set on a toolbar.
void RegisterToolbarProperties();
