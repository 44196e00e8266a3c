#include "dxBarExtItems.h"

#include "BinaryFiler.h"
#include "TypInfo.h"
#include "cxGraphicsRoutines.h"
#include "dxBarControl.h"
#include "dxBarItemLinks.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CREATABLE(TdxBarLargeButton, TdxBarButton, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarLargeButtonControl, TdxBarButtonControl, TdxBarItemLink*)

TdxBarLargeButton::TdxBarLargeButton(TComponent* owner) : TdxBarButton(owner), hotGlyph_(new TBitmap) {
  hotGlyph_->OnChange = MakeEvent(this, &TdxBarLargeButton::HotGlyphBitmapChanged);
}

// The controls of the links are freed with the item base, after the hot glyph: none may reach it.
TdxBarLargeButton::~TdxBarLargeButton() {
  delete hotGlyph_;
  hotGlyph_ = nullptr;
}

void TdxBarLargeButton::SetAutoGrayScale(bool value) {
  if (value == autoGrayScale_) return;
  autoGrayScale_ = value;
  UpdateControls();
}

void TdxBarLargeButton::SetHeight(int value) {
  if (value < 0 || value == height_) return;
  height_ = value;
  RebuildBars();
}

void TdxBarLargeButton::SetHotImageIndex(int value) {
  if (value == hotImageIndex_) return;
  hotImageIndex_ = value;
  HotGlyphChanged();
}

void TdxBarLargeButton::HotGlyphBitmapChanged(TObject*) { HotGlyphChanged(); }

void TdxBarLargeButton::WidthChanged() { RebuildBars(); }

bool TdxBarLargeButton::CanActivateByAccel(TdxBarItemLink* link) const {
  if (!TdxBarButton::CanActivateByAccel(link)) return false;
  TdxBarItemLinks* links = link ? link->Links() : nullptr;
  const bool onToolbar = links && IsToolbarObject(links->GetLinksOwner());
  return ShowCaption() || !onToolbar;
}

int TdxBarLargeButton::GetSupportedActions() { return TdxBarButton::GetSupportedActions() & ~0x20; }

// ---------------------------------------------------------------------------------------------
// The two image indexes. While SyncImageIndex is set, ImageIndex follows LargeImageIndex. While a
// form loads, the read flags tell which of the three it held: older forms stored only ImageIndex
// (LargeImageIndex takes it), and a form with two different indexes ends the synchronisation.

template <class Copy> void TdxBarLargeButton::Synchronise(Copy copy) {
  syncing_ = true;
  struct TEnd {
    bool& Syncing;
    ~TEnd() { Syncing = false; }
  } end{syncing_};
  copy();
}

void TdxBarLargeButton::SetImageIndex(int value) {
  if (LoadingOutsideSync()) imageIndexRead_ = true;
  TdxBarButton::SetImageIndex(value);
  if (syncing_) return;
  if (IsLoadingItem() && LargeImageIndex() == -1 && (syncImageIndex_ || !syncImageIndexRead_))
    Synchronise([this] { SetLargeImageIndex(ImageIndex()); });
  else if (!syncImageIndexRead_)
    SetSyncImageIndex(false);
}

void TdxBarLargeButton::SetLargeImageIndex(int value) {
  if (LoadingOutsideSync()) largeImageIndexRead_ = true;
  TdxBarButton::SetLargeImageIndex(value);
}

void TdxBarLargeButton::SetSyncImageIndex(bool value) {
  if (LoadingOutsideSync()) syncImageIndexRead_ = true;
  if (value == syncImageIndex_) return;
  syncImageIndex_ = value;
  if (value) LargeGlyphChanged();
}

void TdxBarLargeButton::LargeGlyphChanged() {
  if (!syncing_ && syncImageIndex_) {
    if (IsLoadingItem() && imageIndexRead_) SetSyncImageIndex(LargeImageIndex() == ImageIndex());
    else Synchronise([this] { SetImageIndex(LargeImageIndex()); });
  }
  TdxBarButton::LargeGlyphChanged();
}

void TdxBarLargeButton::Loaded() {
  TdxBarButton::Loaded();
  imageIndexRead_ = largeImageIndexRead_ = syncImageIndexRead_ = false;
}

// ImageIndex is never a published value of a large button: it is stored apart, and only when it
// does not follow LargeImageIndex.
void TdxBarLargeButton::DefineProperties(TFiler* filer) {
  TdxBarButton::DefineProperties(filer);
  filer->DefineProperty("ImageIndex", MakeEvent(this, &TdxBarLargeButton::ReadImageIndex),
                        MakeEvent(this, &TdxBarLargeButton::WriteImageIndex), !syncImageIndex_);
}

void TdxBarLargeButton::ReadImageIndex(TReader* reader) { SetImageIndex(reader->ReadInteger()); }
void TdxBarLargeButton::WriteImageIndex(TWriter* writer) { writer->WriteInteger(ImageIndex()); }

// ---------------------------------------------------------------------------------------------
// The large button's control.

namespace {
bool IsInToolbarWindow(const TdxBarItemControl* control) {
  return control->Parent() && control->Parent()->Is<TdxBarControl>();
}
}  // namespace

TdxBarLargeButton* TdxBarLargeButtonControl::LargeButton() const { return ObjectAs<TdxBarLargeButton>(Item()); }

void TdxBarLargeButtonControl::LargeGlyphChanged() {
  if (GetViewSize() != cvsLarge) return;
  TdxBarLargeButton* button = LargeButton();
  const bool fixedSize = button && button->Width() != 0 && button->Height() != 0;
  if (fixedSize || GetPaintType() == ptMenu) Repaint();
  else Changed();
}

TdxBarItemViewLevels TdxBarLargeButtonControl::GetPossibleViewLevels() const {
  return TdxBarButtonControl::GetPossibleViewLevels() + ivlLargeIconWithText;
}

int TdxBarLargeButtonControl::GetDefaultViewStructure() const {
  if (GetPaintType() == ptMenu) return TdxBarButtonControl::GetDefaultViewStructure();
  TdxBarLargeButton* button = LargeButton();
  return button && !button->ShowCaption() ? cvsGlyph : cvsGlyph | cvsCaption;
}

int TdxBarLargeButtonControl::GetDefaultViewSize() const {
  return GetPaintType() == ptMenu ? TdxBarButtonControl::GetDefaultViewSize() : cvsLarge;
}

bool TdxBarLargeButtonControl::DrawsGlyphGrayScale() const {
  TdxBarLargeButton* button = LargeButton();
  const bool selected = Parent() && Parent()->SelectedControl() == this;
  return button && button->AutoGrayScale() && button->Enabled() && !selected;
}

bool TdxBarLargeButtonControl::GetHotImage(TCustomImageList*& images, int& index, TBitmap*& glyph) const {
  TdxBarLargeButton* button = LargeButton();
  if (!button) return false;
  if (IsBitmapAssigned(button->HotGlyph())) {
    glyph = button->HotGlyph();
    return true;
  }
  TCustomImageList* hotImages = BarManager() ? BarManager()->ImageOptions()->HotImages() : nullptr;
  if (!IsImageIndexValid(hotImages, button->HotImageIndex())) return false;
  images = hotImages;
  index = button->HotImageIndex();
  return true;
}

bool TdxBarLargeButtonControl::GetLargeImage(TCustomImageList*& images, int& index, TBitmap*& glyph) const {
  if (IsBitmapAssigned(GetLargeGlyph())) {
    glyph = GetLargeGlyph();
    return true;
  }
  if (!IsImageIndexValid(GetLargeImages(), GetLargeImageIndex())) return false;
  images = GetLargeImages();
  index = GetLargeImageIndex();
  return true;
}

// An index that addresses no image counts as none: the other source is tried.
bool TdxBarLargeButtonControl::GetImageInfo(int size, bool hot, TCustomImageList*& images, int& index,
                                            TBitmap*& glyph) const {
  if (GetViewSize() != cvsLarge) return TdxBarButtonControl::GetImageInfo(size, hot, images, index, glyph);
  images = nullptr;
  index = -1;
  glyph = nullptr;
  const bool found = hot ? GetHotImage(images, index, glyph) || GetLargeImage(images, index, glyph)
                         : GetLargeImage(images, index, glyph) || GetHotImage(images, index, glyph);
  if (found) return true;
  images = GetLargeImages();
  if (!images && BarManager()) images = BarManager()->ImageOptions()->HotImages();
  return false;
}

int TdxBarLargeButtonControl::GetHorzHeight() {
  TdxBarLargeButton* button = LargeButton();
  return button && button->Height() != 0 ? button->Height() : TdxBarButtonControl::GetHorzHeight();
}

int TdxBarLargeButtonControl::GetHorzWidth() {
  TdxBarLargeButton* button = LargeButton();
  return button && button->Width() != 0 ? button->Width() : TdxBarButtonControl::GetHorzWidth();
}

// Only a large button that shows its caption turns with a vertical bar.
bool TdxBarLargeButtonControl::IsRotated() const {
  TdxBarLargeButton* button = LargeButton();
  return TdxBarButtonControl::IsRotated() && button && button->ShowCaption();
}

int TdxBarLargeButtonControl::GetArrowWidth() const {
  if (IsInToolbarWindow(this) && BarManager()) return Painter()->GetLargeButtonArrowWidth(BarManager());
  return TdxBarButtonControl::GetArrowWidth();
}

// ---------------------------------------------------------------------------------------------
namespace {
using L = TdxBarLargeButton;
using I = TdxBarItem;
// The two indexes are written through the item's virtual writers, which the large button overrides.
constinit const TPropInfo largeButtonProps[] = {
    Published<&L::AutoGrayScale, &L::SetAutoGrayScale>("AutoGrayScale").WithDefault(true),
    Published<&L::GlyphLayout, &L::SetGlyphLayout>("GlyphLayout", &TdxBarGlyphLayoutInfo).WithDefault(glTop),
    Published<&L::Height, &L::SetHeight>("Height").WithDefault(0),
    Published<&L::HotGlyph, &L::SetHotGlyph>("HotGlyph"),
    Published<&L::HotImageIndex, &L::SetHotImageIndex>("HotImageIndex").WithDefault(-1),
    Published<&I::ImageIndex, &I::SetImageIndex>("ImageIndex").StoredNever(),
    Published<&I::LargeImageIndex, &I::SetLargeImageIndex>("LargeImageIndex")
        .WithDefault(-1)
        .StoredWhen<&I::IsImageIndexStored>(),
    Published<&L::ShowCaption, &L::SetShowCaption>("ShowCaption").WithDefault(true),
    Published<&L::SyncImageIndex, &L::SetSyncImageIndex>("SyncImageIndex").WithDefault(true),
    Published<&L::Width, &L::SetWidth>("Width").WithDefault(0),
};

void StartExtItems() {
  RegisterPublishedProperties(TdxBarLargeButton::StaticClass(), largeButtonProps);
  RegisterBarItemClass(TdxBarLargeButton::StaticClass(), TdxBarLargeButtonControl::StaticClass(), true);
}

void StopExtItems() { UnregisterBarItemClass(TdxBarLargeButton::StaticClass()); }
}  // namespace

const TUnitInfo dxBarExtItemsUnit{"dxBarExtItems", StartExtItems, StopExtItems};
