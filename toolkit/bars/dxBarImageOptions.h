// The manager's image options (the image lists items take their glyphs from, large-icon mode and
// glyph rendering switches) and its background bitmaps.
#pragma once
#include "Classes.h"
#include "Graphics.h"
#include "ImgList.h"
#include "cxClasses.h"
#include "dxBarComponents.h"

class TdxBarImageOptions : public TdxBarPersistent {
  CALDERAN_CLASS(TdxBarImageOptions)
  explicit TdxBarImageOptions(TdxBarManager* manager);
  ~TdxBarImageOptions() override;
  void Assign(TPersistent* source) override;

  bool CacheGlyphs() const { return cacheGlyphs_; }
  void SetCacheGlyphs(bool value) { cacheGlyphs_ = value; }
  TCustomImageList* DisabledImages() const { return disabledImages_; }
  void SetDisabledImages(TCustomImageList* value);
  TCustomImageList* DisabledLargeImages() const { return disabledLargeImages_; }
  void SetDisabledLargeImages(TCustomImageList* value);
  TCustomImageList* HotImages() const { return hotImages_; }
  void SetHotImages(TCustomImageList* value);
  TColor ImageListBkColor() const { return imageListBkColor_; }
  void SetImageListBkColor(TColor value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  TCustomImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TCustomImageList* value);
  bool LargeIcons() const { return largeIcons_; }
  void SetLargeIcons(bool value);
  bool MakeDisabledImagesFaded() const { return makeDisabledImagesFaded_; }
  void SetMakeDisabledImagesFaded(bool value);
  bool SmoothGlyphs() const { return smoothGlyphs_; }
  void SetSmoothGlyphs(bool value) { smoothGlyphs_ = value; }
  bool StretchGlyphs() const { return stretchGlyphs_; }
  void SetStretchGlyphs(bool value) { stretchGlyphs_ = value; }
  bool UseLargeImagesForLargeIcons() const { return useLargeImagesForLargeIcons_; }
  void SetUseLargeImagesForLargeIcons(bool value);
  bool UseLeftBottomPixelAsTransparent() const { return useLeftBottomPixelAsTransparent_; }
  void SetUseLeftBottomPixelAsTransparent(bool value);

  int GetGlyphSize() const { return glyphSize_; }
  void CalcGlyphSize();
  bool UsesLargeImages() const { return useLargeImagesForLargeIcons_ && largeImages_; }
  bool IsImageListLoading() const;

  // The change links of the five lists (the manager sets their handlers).
  TChangeLink* ImagesChangeLink() { return &imagesLink_; }
  TChangeLink* LargeImagesChangeLink() { return &largeImagesLink_; }
  TChangeLink* HotImagesChangeLink() { return &hotImagesLink_; }
  TChangeLink* DisabledImagesChangeLink() { return &disabledImagesLink_; }
  TChangeLink* DisabledLargeImagesChangeLink() { return &disabledLargeImagesLink_; }
  TNotifyEvent OnChange;
  TNotifyEvent OnLargeIconsChange;

 private:
  void Changed();
  void LargeIconsChanged();
  void ImageListFreed(TComponent* component);
  TComponent* Notifier() const;

  bool cacheGlyphs_ = true;
  TCustomImageList* disabledImages_ = nullptr;
  TCustomImageList* disabledLargeImages_ = nullptr;
  TCustomImageList* hotImages_ = nullptr;
  TColor imageListBkColor_ = clFuchsia;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* largeImages_ = nullptr;
  bool largeIcons_ = false;
  bool makeDisabledImagesFaded_ = false;
  bool smoothGlyphs_ = false;
  bool stretchGlyphs_ = true;
  bool useLargeImagesForLargeIcons_ = false;
  bool useLeftBottomPixelAsTransparent_ = true;
  int glyphSize_ = 16;
  TChangeLink imagesLink_, largeImagesLink_, hotImagesLink_, disabledImagesLink_, disabledLargeImagesLink_;
  TcxFreeNotificator* freeNotificator_;
};

class TdxBarBackgrounds : public TdxBarPersistent {
  CALDERAN_CLASS(TdxBarBackgrounds)
  explicit TdxBarBackgrounds(TdxBarManager* manager);
  ~TdxBarBackgrounds() override;
  void Assign(TPersistent* source) override;

  TBitmap* Bar() const { return bar_; }
  // Rebuilds the manager's look unless an empty background stays empty.
  void SetBar(TBitmap* value);
  TBitmap* SubMenu() const { return subMenu_; }
  void SetSubMenu(TBitmap* value);

 private:
  void BarChanged(TObject* sender);
  TBitmap* bar_;
  TBitmap* subMenu_;
};

void RegisterImageOptionsProperties();
