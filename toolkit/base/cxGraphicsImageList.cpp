// The toolkit's image list: a 32-bit platform list with masks kept in step with a collection of
// image infos, drawn through the glyph drawing, stored as that collection.
#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>

#include "BinaryFiler.h"
#include "cxGraphics.h"
#include "cxGraphicsGlyphs.h"

CALDERAN_IMPLEMENT_CLASS(TcxImageInfo, TPersistent)
CALDERAN_IMPLEMENT_CREATABLE(TcxImageInfoItem, TCollectionItem, TCollection*)
CALDERAN_IMPLEMENT_CLASS(TcxImageInfoCollection, TCollection)
CALDERAN_IMPLEMENT_CREATABLE(TcxImageList, TDragImageList, TComponent*)

namespace {

constexpr const char* SInvalidImageList = "Invalid ImageList";
constexpr const char* SImageIndexError = "Invalid ImageList Index";
constexpr const char* SStoredImageMisfit = "Stored image %d does not fit the image list";

// How a picture divides into the list's cells: a whole grid of them, or else one cell (its
// top-left part), which is what the platform list takes of it.
struct TImageGrid {
  int Columns = 1;
  int Rows = 1;
  bool Whole = false;
  int Count() const { return Columns * Rows; }
};

TImageGrid GridOf(TBitmap* image, int width, int height) {
  if (width > 0 && height > 0 && image->Width() % width == 0 && image->Height() % height == 0)
    return {image->Width() / width, image->Height() / height, true};
  return {};
}

HDC DCOf(TBitmap* bitmap) { return bitmap->Canvas()->Handle(); }

// A copy of part of a picture in the given format (black where the picture does not reach).
std::unique_ptr<TBitmap> CopyPart(TBitmap* source, const TRect& part, TPixelFormat format) {
  auto copy = std::make_unique<TBitmap>(part.Width(), part.Height(), format);
  PatBlt(DCOf(copy.get()), 0, 0, part.Width(), part.Height(), BLACKNESS);
  BitBlt(DCOf(copy.get()), 0, 0, part.Width(), part.Height(), DCOf(source), part.Left, part.Top, SRCCOPY);
  copy->Dormant();
  return copy;
}

// The piece of a picture that the platform list takes in one call: a row of cells of a whole
// grid (the platform reads only the width of a picture), or the one cell of any other picture.
TRect PieceRect(const TImageGrid& grid, int row, int width, int height) {
  return Bounds(0, row * height, grid.Whole ? grid.Columns * width : width, height);
}

// Ends an update of the list; an update left by an exception raises no change notification.
class TListUpdate {
 public:
  explicit TListUpdate(TcxImageList* list) : list_(list), exceptions_(std::uncaught_exceptions()) {
    list_->BeginUpdate();
  }
  ~TListUpdate() { list_->EndUpdate(std::uncaught_exceptions() == exceptions_); }
  TListUpdate(const TListUpdate&) = delete;
  TListUpdate& operator=(const TListUpdate&) = delete;

 private:
  TcxImageList* list_;
  int exceptions_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Image infos

TcxImageInfo::TcxImageInfo()
    : image_(std::make_unique<TcxCustomBitmap>()), mask_(std::make_unique<TcxCustomBitmap>()) {}

TcxImageInfo::~TcxImageInfo() = default;

void TcxImageInfo::Assign(TPersistent* source) {
  if (auto* info = ObjectAs<TcxImageInfo>(source)) {
    SetImage(info->Image());
    SetMask(info->Mask());
    maskColor_ = info->maskColor_;
    return;
  }
  TPersistent::Assign(source);
}

void TcxImageInfo::SetImage(TBitmap* value) {
  if (value) image_->Assign(value);
  else image_->SetHandle(nullptr);
}

void TcxImageInfo::SetMask(TBitmap* value) {
  if (value) mask_->Assign(value);
  else mask_->SetHandle(nullptr);
}

TcxImageInfoItem::TcxImageInfoItem(TCollection* collection)
    : TCollectionItem(collection), imageInfo_(std::make_unique<TcxImageInfo>()) {
  if (auto* infos = ObjectAs<TcxImageInfoCollection>(collection)) SetCompressData(infos->CompressData());
}

TcxImageInfoItem::~TcxImageInfoItem() = default;

void TcxImageInfoItem::Assign(TPersistent* source) {
  if (auto* item = ObjectAs<TcxImageInfoItem>(source)) {
    imageInfo_->Assign(item->ImageInfo());
    return;
  }
  TCollectionItem::Assign(source);
}

bool TcxImageInfoItem::CompressData() const {
  return imageInfo_->Image()->CompressData() && imageInfo_->Mask()->CompressData();
}

void TcxImageInfoItem::SetCompressData(bool value) {
  imageInfo_->Image()->SetCompressData(value);
  imageInfo_->Mask()->SetCompressData(value);
}

TcxImageInfoCollection::TcxImageInfoCollection(TcxImageList* owner)
    : TCollection(TcxImageInfoItem::StaticClass()), owner_(owner) {}

TPersistent* TcxImageInfoCollection::GetOwner() { return owner_; }

void TcxImageInfoCollection::SetCompressData(bool value) {
  if (value == compressData_) return;
  compressData_ = value;
  for (int i = 0; i < Count(); ++i) Items(i)->SetCompressData(value);
}

// ---------------------------------------------------------------------------------------------
// TcxImageList: life, updates, the platform list

TcxImageList::TcxImageList(TComponent* owner)
    : TDragImageList(owner), imageInfo_(std::make_unique<TcxImageInfoCollection>(this)) {}

TcxImageList::TcxImageList(TComponent* owner, int width, int height)
    : TDragImageList(owner, width, height), imageInfo_(std::make_unique<TcxImageInfoCollection>(this)) {}

TcxImageList::~TcxImageList() = default;

// Always 32 bits with a mask, whatever Masked says: every image keeps its alpha and its mask.
void TcxImageList::Initialize() {
  HIMAGELIST list = ImageList_Create(Width(), Height(), ILC_COLOR32 | ILC_MASK, AllocBy(), AllocBy());
  if (!list) throw EInvalidOperation(SInvalidImageList);
  ++lockCount_;  // taking the new, empty list over changes no image
  SetHandle(list);
  --lockCount_;
  if (BkColor() != clNone) SetBkColor(BkColor());
}

void TcxImageList::Change() {
  // Without its platform list (dropped by a new size or mask setting) the list has no images.
  if (!HandleAllocated() && !synchronizing_ && imageInfo_ && imageInfo_->Count() > 0) imageInfo_->Clear();
  if (lockCount_ > 0) return;
  TDragImageList::Change();
}

void TcxImageList::EndUpdate(bool notify) {
  if (lockCount_ <= 0) return;
  --lockCount_;
  if (notify) Change();
}

// Adds the picture piece by piece; on a failure the pieces already added are taken out again.
int TcxImageList::AddToPlatformList(TBitmap* image, TBitmap* mask, TColor maskColor) {
  const TImageGrid grid = GridOf(image, Width(), Height());
  HIMAGELIST list = Handle();
  const int before = ImageList_GetImageCount(list);
  for (int row = 0; row < grid.Rows; ++row) {
    const TRect part = PieceRect(grid, row, Width(), Height());
    std::unique_ptr<TBitmap> piece = CopyPart(image, part, image->PixelFormat());
    int index;
    if (maskColor != clNone) {
      index = ImageList_AddMasked(list, piece->Handle(), ColorToRGB(maskColor));
    } else {
      // Without a mask every pixel is opaque: a monochrome mask of zero bits.
      std::unique_ptr<TBitmap> pieceMask = mask && !mask->Empty()
                                               ? CopyPart(mask, part, mask->PixelFormat())
                                               : std::make_unique<TBitmap>(part.Width(), part.Height(), TPixelFormat::pf1bit);
      pieceMask->Dormant();
      index = ImageList_Add(list, piece->Handle(), pieceMask->Handle());
    }
    if (index == -1) {
      while (ImageList_GetImageCount(list) > before) ImageList_Remove(list, ImageList_GetImageCount(list) - 1);
      return -1;
    }
  }
  return before;
}

// The image infos of a new picture: a cell each when it is a whole grid of several cells.
void TcxImageList::RecordImage(TBitmap* image, TBitmap* mask, TColor maskColor) {
  const TImageGrid grid = GridOf(image, Width(), Height());
  if (!grid.Whole || grid.Count() == 1) {
    auto* item = static_cast<TcxImageInfoItem*>(imageInfo_->Add());
    item->SetImage(image);
    item->SetMask(mask);
    item->SetMaskColor(maskColor);
    item->Image()->Dormant();
    return;
  }
  const bool hasMask = mask && !mask->Empty();
  for (int row = 0; row < grid.Rows; ++row)
    for (int column = 0; column < grid.Columns; ++column) {
      const TRect cell = Bounds(column * Width(), row * Height(), Width(), Height());
      auto* item = static_cast<TcxImageInfoItem*>(imageInfo_->Add());
      item->SetImage(CopyPart(image, cell, image->PixelFormat()).get());
      if (hasMask) item->SetMask(CopyPart(mask, cell, mask->PixelFormat()).get());
      item->SetMaskColor(maskColor);
      item->Image()->Dormant();
    }
}

int TcxImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!image || image->Empty()) return -1;
  const int index = AddToPlatformList(image, mask, clNone);
  if (!synchronizing_ && index != -1) RecordImage(image, mask, clNone);
  Change();
  return index;
}

int TcxImageList::AddMasked(TBitmap* image, TColor maskColor) {
  TListUpdate update(this);
  if (maskColor == clNone) return Add(image, nullptr);
  if (!image || image->Empty()) return -1;
  const int index = AddToPlatformList(image, nullptr, maskColor);
  if (!synchronizing_ && index != -1) RecordImage(image, nullptr, maskColor);
  Change();
  return index;
}

int TcxImageList::AddFromInfo(TcxImageInfo* info) {
  if (!info->Mask()->Empty()) return Add(info->Image(), info->Mask());
  return AddMasked(info->Image(), info->MaskColor());
}

void TcxImageList::Insert(int index, TBitmap* image, TBitmap* mask) {
  if (index < 0 || index > Count()) return;
  TListUpdate update(this);
  const int first = Add(image, mask);
  if (first < 0) return;
  const int added = Count() - first;
  for (int i = 0; i < added; ++i) Move(first + i, index + i);
}

void TcxImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
  TListUpdate update(this);
  Delete(index);
  Insert(index, image, mask);
}

void TcxImageList::Delete(int index) {
  if (index < -1 || index >= Count()) throw EInvalidOperation(SImageIndexError);
  TListUpdate update(this);
  TDragImageList::Delete(index);
  if (synchronizing_) return;
  if (index == -1) imageInfo_->Clear();
  else imageInfo_->Delete(index);
}

void TcxImageList::Move(int curIndex, int newIndex) {
  TListUpdate update(this);
  TDragImageList::Move(curIndex, newIndex);
  if (!synchronizing_) imageInfo_->Items(curIndex)->SetIndex(newIndex);
}

// ---------------------------------------------------------------------------------------------
// Reading images back

void TcxImageList::FetchImage(int index, TBitmap* image, TBitmap* mask) {
  if (index < 0 || index >= Count()) return;
  TcxImageInfo* info = imageInfo_->Items(index)->ImageInfo();
  if (info->Image()->PixelFormat() == TPixelFormat::pf32bit) {
    if (image) image->Assign(info->Image());
    if (mask) mask->Assign(info->Mask());
  } else {
    FetchImageFromHandle(Handle(), index, mask, image);
  }
  info->Image()->Dormant();
}

void TcxImageList::FetchImageFromHandle(HIMAGELIST list, int index, TBitmap* mask, TBitmap* image) {
  IMAGEINFO info{};
  if (!list || !ImageList_GetImageInfo(list, std::max(index, 0), &info)) return;
  const struct {
    TBitmap* Target;
    HBITMAP Source;
  } parts[] = {{mask, info.hbmMask}, {image, info.hbmImage}};
  for (const auto& part : parts) {
    if (!part.Target || !part.Source) continue;
    // The platform's bitmaps are only read: each is copied first.
    HANDLE copy = CopyImage(part.Source, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!copy) throw EOutOfResources("Out of system resources");
    if (index < 0) {
      part.Target->SetHandle(static_cast<HBITMAP>(copy));
      continue;
    }
    TBitmap whole;
    whole.SetHandle(static_cast<HBITMAP>(copy));
    const TRect r = info.rcImage;
    part.Target->SetSize(r.Width(), r.Height());
    BitBlt(DCOf(part.Target), 0, 0, r.Width(), r.Height(), DCOf(&whole), r.Left, r.Top, SRCCOPY);
    part.Target->Dormant();
  }
}

int TcxImageList::PlatformColorDepth(HIMAGELIST list) {
  IMAGEINFO info{};
  if (!list || ImageList_GetImageCount(list) == 0 || !ImageList_GetImageInfo(list, 0, &info)) return 0;
  BITMAP bm{};
  return GetObjectA(info.hbmImage, sizeof bm, &bm) ? bm.bmBitsPixel : 0;
}

bool TcxImageList::SameImages(TCustomImageList* list1, TCustomImageList* list2) {
  if (list1->Count() != list2->Count()) return false;
  if (list1->Count() == 0) return true;
  TMemoryStream stream1, stream2;
  list1->WriteData(&stream1);
  list2->WriteData(&stream2);
  return stream1.Size() == stream2.Size() &&
         std::memcmp(stream1.Memory(), stream2.Memory(), static_cast<size_t>(stream1.Size())) == 0;
}

// ---------------------------------------------------------------------------------------------
// Copies and drawing

void TcxImageList::Assign(TPersistent* source) {
  auto* other = ObjectAs<TCustomImageList>(source);
  if (!other || other == this) return;
  TListUpdate update(this);
  TDragImageList::Assign(source);  // size and colours
  FreeHandle();                    // the images come again, into a list of this list's kind
  Clear();
  if (auto* infos = ObjectAs<TcxImageList>(other)) {
    for (int i = 0; i < infos->ImageInfo()->Count(); ++i) AddFromInfo(infos->ImageInfo()->Items(i)->ImageInfo());
    return;
  }
  for (int i = 0; i < other->Count(); ++i) {
    TBitmap image(Width(), Height(), TPixelFormat::pf32bit), mask(Width(), Height(), TPixelFormat::pf1bit);
    FetchImageFromHandle(other->Handle(), i, &mask, &image);
    Add(&image, &mask);
  }
}

void TcxImageList::DoDraw(int index, TCanvas* canvas, int x, int y, UINT, bool enabled) {
  DrawInRect(index, canvas, Bounds(x, y, Width(), Height()), DrawingStyle(), false, false, enabled);
}

void TcxImageList::DrawInRect(int index, TCanvas* canvas, const TRect& rect, TDrawingStyle, bool stretch, bool smooth,
                              bool enabled) {
  const TRect target = stretch ? rect
                               : Bounds(rect.Left + (rect.Width() - Width()) / 2,
                                        rect.Top + (rect.Height() - Height()) / 2, Width(), Height());
  DrawImageGlyph(canvas->Handle(), target, rect, nullptr, this, index, enabled ? idmNormal : idmDisabled, smooth);
}

// ---------------------------------------------------------------------------------------------
// The stored form

void TcxImageList::DefineProperties(TFiler* filer) {
  // Past the platform list's own "Bitmap" writer: the image infos are this list's stored form, and
  // the platform data is only read (below), from forms stored by a plain image list.
  TComponent::DefineProperties(filer);
  filer->DefineProperty("FormatVersion", TReaderProc(this, &TcxImageList::ReadFormatVersion),
                        TWriterProc(this, &TcxImageList::WriteFormatVersion), true);
  filer->DefineBinaryProperty("Bitmap", TStreamProc(this, &TcxImageList::ReadData), nullptr, false);
  filer->DefineProperty("DesignInfo", TReaderProc(this, &TcxImageList::ReadDesignInfo),
                        TWriterProc(this, &TcxImageList::WriteDesignInfo), true);
  filer->DefineProperty("ImageInfo", TReaderProc(this, &TcxImageList::ReadImageInfo),
                        TWriterProc(this, &TcxImageList::WriteImageInfo), Count() > 0);
}

void TcxImageList::WriteFormatVersion(TWriter* writer) { writer->WriteInteger(1); }
void TcxImageList::WriteDesignInfo(TWriter* writer) { writer->WriteInteger(designInfo_); }
void TcxImageList::WriteImageInfo(TWriter* writer) { writer->WriteCollection(imageInfo_.get()); }

void TcxImageList::ReadData(TStream* stream) {
  TListUpdate update(this);
  TDragImageList::ReadData(stream);
  SynchronizeImageInfo();
}

// A stream that breaks off or holds images that do not fit leaves the list empty, never with
// image infos that describe other images than the platform list's.
void TcxImageList::ReadImageInfo(TReader* reader) {
  try {
    reader->ReadCollection(imageInfo_.get());
    SynchronizeHandle();
  } catch (...) {
    TListUpdate update(this);
    imageInfo_->Clear();
    if (HandleAllocated()) TDragImageList::Delete(-1);
    throw;
  }
}

void TcxImageList::SynchronizeImageInfo() {
  WithinUpdate(*imageInfo_, [&] {
    imageInfo_->Clear();
    for (int i = 0; i < Count(); ++i) {
      TBitmap image(Width(), Height(), TPixelFormat::pf32bit), mask(Width(), Height(), TPixelFormat::pf1bit);
      FetchImageFromHandle(Handle(), i, &mask, &image);
      auto* item = static_cast<TcxImageInfoItem*>(imageInfo_->Add());
      item->SetImage(&image);
      item->SetMask(&mask);
      item->SetMaskColor(clNone);
    }
  });
}

// Every image info adds exactly one image; one that adds none or several is not of this list.
void TcxImageList::SynchronizeHandle() {
  BeginUpdate();
  synchronizing_ = true;
  try {
    Clear();
    for (int i = 0; i < imageInfo_->Count(); ++i) {
      TcxImageInfoItem* item = imageInfo_->Items(i);
      const int before = Count();
      AddFromInfo(item->ImageInfo());
      if (Count() != before + 1) throw EReadError(Format(SStoredImageMisfit, {i}));
      item->Image()->Dormant();
    }
  } catch (...) {
    synchronizing_ = false;
    EndUpdate(true);
    throw;
  }
  synchronizing_ = false;
  EndUpdate(true);
}

// ---------------------------------------------------------------------------------------------
// Registration

namespace {

constexpr const char* kDrawingStyleNames[] = {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"};
constinit const TEnumInfo DrawingStyleInfo{kDrawingStyleNames, 4, 0};
constexpr const char* kImageTypeNames[] = {"itImage", "itMask"};
constinit const TEnumInfo ImageTypeInfo{kImageTypeNames, 2, 0};

constinit const TPropInfo kImageListProps[] = {
    Published<&TCustomImageList::BlendColor, &TCustomImageList::SetBlendColor>("BlendColor").WithDefault(clNone),
    Published<&TCustomImageList::BkColor, &TCustomImageList::SetBkColor>("BkColor").WithDefault(clNone),
    Published<&TcxImageList::CompressData, &TcxImageList::SetCompressData>("CompressData").WithDefault(0),
    Published<&TCustomImageList::DrawingStyle, &TCustomImageList::SetDrawingStyle>("DrawingStyle", &DrawingStyleInfo)
        .WithDefault(dsNormal),
    Published<&TCustomImageList::Height, &TCustomImageList::SetHeight>("Height").WithDefault(16),
    Published<&TCustomImageList::ImageType, &TCustomImageList::SetImageType>("ImageType", &ImageTypeInfo)
        .WithDefault(itImage),
    Published<&TCustomImageList::ShareImages, &TCustomImageList::SetShareImages>("ShareImages").WithDefault(0),
    Published<&TCustomImageList::Width, &TCustomImageList::SetWidth>("Width").WithDefault(16),
    PublishedEvent<&TCustomImageList::OnChange>("OnChange"),
};

constinit const TPropInfo kImageInfoItemProps[] = {
    Published<&TcxImageInfoItem::Image, &TcxImageInfoItem::SetImage>("Image"),
    Published<&TcxImageInfoItem::Mask, &TcxImageInfoItem::SetMask>("Mask"),
    Published<&TcxImageInfoItem::MaskColor, &TcxImageInfoItem::SetMaskColor>("MaskColor").WithDefault(clNone),
};

}  // namespace

void RegisterImageListClasses() {
  RegisterPublishedProperties(TcxImageList::StaticClass(), kImageListProps);
  RegisterPublishedProperties(TcxImageInfoItem::StaticClass(), kImageInfoItemProps);
  RegisterClass(TcxImageList::StaticClass());
}
