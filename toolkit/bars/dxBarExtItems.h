// The extra bar items and their item controls, paired at the module's start-up.
//
// The large button: a button whose glyph shows at the large size on toolbars and ribbon groups,
// with its caption beside, above or below it. Its click is the ordinary button click. Until the
// control is the selected one of its bar window (hot), an enabled large button draws its glyph in
// grey (AutoGrayScale); while hot it shows its hot glyph when it has one. ImageIndex follows
// LargeImageIndex while SyncImageIndex is set; assigning ImageIndex directly ends that.
//
// Left for later: the static, progress, colour-combo, date, tree-view, spin-edit, container,
// list and in-place sub items, the font-name and image combos, and the module's shared bitmaps,
// first day of the week and dialogs come with their own parts.
#pragma once
#include "System.h"
#include "dxBarButtonControl.h"
#include "dxBarButtons.h"

class TdxBarLargeButton : public TdxBarButton {
  CALDERAN_CLASS(TdxBarLargeButton)
  explicit TdxBarLargeButton(TComponent* owner);
  ~TdxBarLargeButton() override;

  // --- Published
  bool AutoGrayScale() const { return autoGrayScale_; }
  void SetAutoGrayScale(bool value);
  // Fixed height in pixels, 0 for the measured one; negative values are ignored.
  int Height() const { return height_; }
  void SetHeight(int value);
  TBitmap* HotGlyph() const { return hotGlyph_; }
  void SetHotGlyph(TBitmap* value) { hotGlyph_->Assign(value); }
  int HotImageIndex() const { return hotImageIndex_; }
  void SetHotImageIndex(int value);
  bool SyncImageIndex() const { return syncImageIndex_; }
  void SetSyncImageIndex(bool value);
  void SetImageIndex(int value) override;
  void SetLargeImageIndex(int value) override;

  // --- Item operations
  int GetImageIndex() const override { return LargeImageIndex(); }
  void SetImageIndexValue(int value) override { SetLargeImageIndex(value); }
  bool HasHotImage() const override { return hotImageIndex_ >= 0; }
  bool HasImageIndex() const override { return LargeImageIndex() >= 0; }
  // Without its caption a large button on a toolbar takes no accelerator.
  bool CanActivateByAccel(TdxBarItemLink* link) const override;
  // A large button offers no paint-style choice in customizing.
  int GetSupportedActions() override;
  void LargeGlyphChanged() override;
  void WidthChanged() override;
  void Loaded() override;
  void DefineProperties(TFiler* filer) override;

 private:
  // Stores a copy between the two indexes without the other writer copying it back.
  template <class Copy> void Synchronise(Copy copy);
  bool LoadingOutsideSync() const { return IsLoadingItem() && !syncing_; }
  void HotGlyphBitmapChanged(TObject* sender);
  void ReadImageIndex(TReader* reader);
  void WriteImageIndex(TWriter* writer);

  bool autoGrayScale_ = true;
  int height_ = 0;
  TBitmap* hotGlyph_;
  int hotImageIndex_ = -1;
  bool syncImageIndex_ = true;
  // Which of the three the stored form held, while it loads.
  bool imageIndexRead_ = false, largeImageIndexRead_ = false, syncImageIndexRead_ = false;
  bool syncing_ = false;
};

class TdxBarLargeButtonControl : public TdxBarButtonControl {
  CALDERAN_CLASS(TdxBarLargeButtonControl)
  using TdxBarButtonControl::TdxBarButtonControl;

  TdxBarLargeButton* LargeButton() const;
  void HotGlyphChanged() override { LargeGlyphChanged(); }
  // At the large size: a button of fixed width and height (or in a menu) only repaints; any other
  // lays its bar window out again.
  void LargeGlyphChanged() override;
  TdxBarItemViewLevels GetPossibleViewLevels() const override;
  int GetDefaultViewStructure() const override;
  int GetDefaultViewSize() const override;
  bool DrawsGlyphGrayScale() const override;
  // At the large size: the hot source first while hot, else the large one first.
  bool GetImageInfo(int size, bool hot, TCustomImageList*& images, int& index, TBitmap*& glyph) const override;
  int GetHorzHeight() override;
  int GetHorzWidth() override;
  bool IsRotated() const override;
  int GetArrowWidth() const override;
  TdxBarPaintStyle AdjustToolbarPaintStyle() const override { return psCaption; }

 private:
  bool GetHotImage(TCustomImageList*& images, int& index, TBitmap*& glyph) const;
  bool GetLargeImage(TCustomImageList*& images, int& index, TBitmap*& glyph) const;
};

// Registers the extra items' published properties and pairs each with its item control.
extern const TUnitInfo dxBarExtItemsUnit;
