#include "dxBarImageOptions.h"

#include "TypInfo.h"
#include "cxGraphicsRoutines.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarImageOptions, TdxBarPersistent)
CALDERAN_IMPLEMENT_CLASS(TdxBarBackgrounds, TdxBarPersistent)

TdxBarImageOptions::TdxBarImageOptions(TdxBarManager* manager)
    : TdxBarPersistent(manager), freeNotificator_(new TcxFreeNotificator()) {
  freeNotificator_->OnFreeNotification = MakeEvent(this, &TdxBarImageOptions::ImageListFreed);
  CalcGlyphSize();
}

TdxBarImageOptions::~TdxBarImageOptions() {
  for (TCustomImageList** list : {&images_, &largeImages_, &hotImages_, &disabledImages_, &disabledLargeImages_}) {
    if (*list) (*list)->RemoveFreeNotification(freeNotificator_);
  }
  for (TChangeLink* link :
       {&imagesLink_, &largeImagesLink_, &hotImagesLink_, &disabledImagesLink_, &disabledLargeImagesLink_}) {
    if (link->Sender()) link->Sender()->UnRegisterChanges(link);
  }
  delete freeNotificator_;
}

void TdxBarImageOptions::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TdxBarImageOptions*>(source);
  if (!other) return TdxBarPersistent::Assign(source);
  SetDisabledImages(other->disabledImages_);
  SetDisabledLargeImages(other->disabledLargeImages_);
  SetHotImages(other->hotImages_);
  SetImageListBkColor(other->imageListBkColor_);
  SetImages(other->images_);
  SetLargeImages(other->largeImages_);
  SetLargeIcons(other->largeIcons_);
  SetMakeDisabledImagesFaded(other->makeDisabledImagesFaded_);
  smoothGlyphs_ = other->smoothGlyphs_;
  stretchGlyphs_ = other->stretchGlyphs_;
  SetUseLargeImagesForLargeIcons(other->useLargeImagesForLargeIcons_);
  SetUseLeftBottomPixelAsTransparent(other->useLeftBottomPixelAsTransparent_);
}

TComponent* TdxBarImageOptions::Notifier() const { return freeNotificator_; }

void TdxBarImageOptions::SetDisabledImages(TCustomImageList* value) {
  AssignImageList(value, disabledImages_, &disabledImagesLink_, Notifier());
}

void TdxBarImageOptions::SetDisabledLargeImages(TCustomImageList* value) {
  AssignImageList(value, disabledLargeImages_, &disabledLargeImagesLink_, Notifier());
}

void TdxBarImageOptions::SetHotImages(TCustomImageList* value) {
  AssignImageList(value, hotImages_, &hotImagesLink_, Notifier());
}

void TdxBarImageOptions::SetImages(TCustomImageList* value) {
  AssignImageList(value, images_, &imagesLink_, Notifier());
}

void TdxBarImageOptions::SetLargeImages(TCustomImageList* value) {
  if (value == largeImages_) return;
  AssignImageList(value, largeImages_, &largeImagesLink_, Notifier());
  if (largeIcons_ && useLargeImagesForLargeIcons_) LargeIconsChanged();
}

void TdxBarImageOptions::SetImageListBkColor(TColor value) {
  if (value == imageListBkColor_) return;
  imageListBkColor_ = value;
  Changed();
}

void TdxBarImageOptions::SetLargeIcons(bool value) {
  if (value == largeIcons_) return;
  largeIcons_ = value;
  LargeIconsChanged();
}

void TdxBarImageOptions::SetMakeDisabledImagesFaded(bool value) {
  if (value == makeDisabledImagesFaded_) return;
  makeDisabledImagesFaded_ = value;
  Changed();
}

void TdxBarImageOptions::SetUseLargeImagesForLargeIcons(bool value) {
  if (value == useLargeImagesForLargeIcons_) return;
  useLargeImagesForLargeIcons_ = value;
  Changed();
}

void TdxBarImageOptions::SetUseLeftBottomPixelAsTransparent(bool value) {
  if (value == useLeftBottomPixelAsTransparent_) return;
  useLeftBottomPixelAsTransparent_ = value;
  Changed();
}

void TdxBarImageOptions::CalcGlyphSize() {
  if (!largeIcons_) glyphSize_ = 16;
  else if (useLargeImagesForLargeIcons_ && largeImages_) glyphSize_ = largeImages_->Width();
  else glyphSize_ = 32;
}

bool TdxBarImageOptions::IsImageListLoading() const {
  for (TCustomImageList* list : {images_, largeImages_, hotImages_, disabledImages_, disabledLargeImages_}) {
    if (list && list->ComponentState().Contains(csLoading)) return true;
  }
  return false;
}

void TdxBarImageOptions::Changed() {
  if (OnChange) OnChange(this);
}

void TdxBarImageOptions::LargeIconsChanged() {
  if (OnLargeIconsChange) OnLargeIconsChange(this);
}

void TdxBarImageOptions::ImageListFreed(TComponent* component) {
  if (component == disabledImages_) SetDisabledImages(nullptr);
  if (component == disabledLargeImages_) SetDisabledLargeImages(nullptr);
  if (component == hotImages_) SetHotImages(nullptr);
  if (component == images_) SetImages(nullptr);
  if (component == largeImages_) SetLargeImages(nullptr);
}

// ---------------------------------------------------------------------------------------------
TdxBarBackgrounds::TdxBarBackgrounds(TdxBarManager* manager)
    : TdxBarPersistent(manager), bar_(new TBitmap), subMenu_(new TBitmap) {
  bar_->OnChange = MakeEvent(this, &TdxBarBackgrounds::BarChanged);
}

TdxBarBackgrounds::~TdxBarBackgrounds() {
  delete bar_;
  delete subMenu_;
}

void TdxBarBackgrounds::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TdxBarBackgrounds*>(source);
  if (!other) return TdxBarPersistent::Assign(source);
  SetBar(other->bar_);
  SetSubMenu(other->subMenu_);
}

void TdxBarBackgrounds::SetBar(TBitmap* value) {
  const bool wasEmpty = bar_->Empty();
  bar_->OnChange = nullptr;
  bar_->Assign(value);
  bar_->OnChange = MakeEvent(this, &TdxBarBackgrounds::BarChanged);
  if (value || !wasEmpty) BarManager()->StyleChanged();
}

void TdxBarBackgrounds::SetSubMenu(TBitmap* value) { subMenu_->Assign(value); }

void TdxBarBackgrounds::BarChanged(TObject*) { BarManager()->StyleChanged(); }

// ---------------------------------------------------------------------------------------------
namespace {
using O = TdxBarImageOptions;
constinit const TPropInfo imageOptionsProps[] = {
    Published<&O::CacheGlyphs, &O::SetCacheGlyphs>("CacheGlyphs").WithDefault(true),
    Published<&O::DisabledImages, &O::SetDisabledImages>("DisabledImages"),
    Published<&O::DisabledLargeImages, &O::SetDisabledLargeImages>("DisabledLargeImages"),
    Published<&O::HotImages, &O::SetHotImages>("HotImages"),
    Published<&O::ImageListBkColor, &O::SetImageListBkColor>("ImageListBkColor").WithDefault(clFuchsia),
    Published<&O::Images, &O::SetImages>("Images"),
    Published<&O::LargeImages, &O::SetLargeImages>("LargeImages"),
    Published<&O::LargeIcons, &O::SetLargeIcons>("LargeIcons").WithDefault(false),
    Published<&O::MakeDisabledImagesFaded, &O::SetMakeDisabledImagesFaded>("MakeDisabledImagesFaded")
        .WithDefault(false),
    Published<&O::SmoothGlyphs, &O::SetSmoothGlyphs>("SmoothGlyphs").WithDefault(false),
    Published<&O::StretchGlyphs, &O::SetStretchGlyphs>("StretchGlyphs").WithDefault(true),
    Published<&O::UseLargeImagesForLargeIcons, &O::SetUseLargeImagesForLargeIcons>("UseLargeImagesForLargeIcons")
        .WithDefault(false),
    Published<&O::UseLeftBottomPixelAsTransparent, &O::SetUseLeftBottomPixelAsTransparent>(
        "UseLeftBottomPixelAsTransparent")
        .WithDefault(true),
};
using B = TdxBarBackgrounds;
constinit const TPropInfo backgroundsProps[] = {
    Published<&B::Bar, &B::SetBar>("Bar"),
    Published<&B::SubMenu, &B::SetSubMenu>("SubMenu"),
};
}  // namespace

void RegisterImageOptionsProperties() {
  RegisterPublishedProperties(TdxBarImageOptions::StaticClass(), imageOptionsProps);
  RegisterPublishedProperties(TdxBarBackgrounds::StaticClass(), backgroundsProps);
}
