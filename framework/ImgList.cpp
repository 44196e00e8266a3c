// Image lists over comctl32.
#include "ImgList.h"

#include <algorithm>

#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE0(TChangeLink, TObject)
CALDERAN_IMPLEMENT_CREATABLE(TCustomImageList, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TDragImageList, TCustomImageList, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TImageList, TDragImageList, TComponent*)

namespace {
constexpr const char* SInvalidImageList = "Invalid ImageList";
constexpr const char* SImageIndexError = "Invalid ImageList Index";
constexpr const char* SReplaceImage = "Unable to Replace Image";
constexpr DWORD ropDSPDxax = 0x00E20746;  // pattern where the source is white, destination elsewhere
}  // namespace

namespace {
// One image's picture and mask as bitmaps of our own (comctl32 keeps its bitmaps selected in its
// own device contexts, where they cannot be used as a source): the mask is white where the image
// is transparent.
struct TImageBitmaps {
  HBITMAP color = nullptr, mask = nullptr;
  TImageBitmaps(HIMAGELIST list, int index) {
    HICON icon = ImageList_GetIcon(list, index, ILD_NORMAL);
    ICONINFO ii{};
    if (icon && GetIconInfo(icon, &ii)) {
      color = ii.hbmColor;
      mask = ii.hbmMask;
    }
    if (icon) DestroyIcon(icon);
  }
  ~TImageBitmaps() {
    if (color) DeleteObject(color);
    if (mask) DeleteObject(mask);
  }
};
}  // namespace

TChangeLink::~TChangeLink() {
  if (sender_) sender_->UnRegisterChanges(this);
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height) : TComponent(owner), width_(width), height_(height) {}

TCustomImageList::~TCustomImageList() {
  Destroying();
  for (TChangeLink* link : links_) link->sender_ = nullptr;
  FreeHandle();
}

void TCustomImageList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
}

// Runs on the first use of the list (not from the constructor, so that descendants' versions run).
void TCustomImageList::Initialize() {
  handle_ = ImageList_Create(width_, height_, ColorFlags(), allocBy_, allocBy_);
  if (!handle_) throw EInvalidOperation(SInvalidImageList);
  if (bkColor_ != clNone) ImageList_SetBkColor(handle_, ColorToRGB(bkColor_));
}

HIMAGELIST TCustomImageList::Handle() {
  if (!handle_) Initialize();
  return handle_;
}

void TCustomImageList::FreeHandle() {
  if (handle_ && !shareImages_) ImageList_Destroy(handle_);
  handle_ = nullptr;
}

void TCustomImageList::SetHandle(HIMAGELIST handle) {
  if (handle == handle_) return;
  FreeHandle();
  handle_ = handle;
  if (handle) ImageList_GetIconSize(handle, &width_, &height_);
  Change();
}

int TCustomImageList::Count() { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TCustomImageList::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  FreeHandle();
  Change();
}

void TCustomImageList::SetMasked(bool value) {
  if (value == masked_) return;
  masked_ = value;
  FreeHandle();
  Change();
}

void TCustomImageList::SetBkColor(TColor color) {
  bkColor_ = color;
  if (handle_) ImageList_SetBkColor(handle_, color == clNone ? CLR_NONE : ColorToRGB(color));
}

void TCustomImageList::Change() {
  if (updateCount_ > 0) {
    changed_ = true;
    return;
  }
  changed_ = false;
  for (TChangeLink* link : std::vector<TChangeLink*>(links_)) link->Change();
  if (OnChange) OnChange(this);
}

void TCustomImageList::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0 && changed_) Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* link) {
  if (std::find(links_.begin(), links_.end(), link) != links_.end()) return;
  links_.push_back(link);
  link->sender_ = this;
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link) {
  std::erase(links_, link);
  link->sender_ = nullptr;
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
  if (!image || image->Empty()) return -1;
  image->Dormant();
  if (mask) mask->Dormant();
  int index = ImageList_Add(Handle(), image->Handle(), mask && !mask->Empty() ? mask->Handle() : nullptr);
  Change();
  return index;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
  if (!image || image->Empty()) return -1;
  if (maskColor == clNone) return Add(image, nullptr);
  // comctl32 changes the bitmap it is given: it gets a copy
  TBitmap copy;
  copy.Assign(image);
  copy.Dormant();
  int index = ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(maskColor));
  Change();
  return index;
}

int TCustomImageList::AddIcon(TIcon* icon) {
  if (!icon || icon->Empty()) return -1;
  int index = ImageList_ReplaceIcon(Handle(), -1, icon->Handle());
  Change();
  return index;
}

void TCustomImageList::Insert(int index, TBitmap* image, TBitmap* mask) {
  if (index < 0 || index > Count()) throw EInvalidOperation(SImageIndexError);
  int first = Add(image, mask);
  if (first < 0) return;
  for (int i = Count() - 1; i >= first; --i) Move(Count() - 1, index);
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
  if (index < 0 || index >= Count()) throw EInvalidOperation(SImageIndexError);
  if (!ImageList_Replace(Handle(), index, image->Handle(), mask ? mask->Handle() : nullptr))
    throw EInvalidOperation(SReplaceImage);
  Change();
}

void TCustomImageList::Delete(int index) {
  if (index >= Count()) throw EInvalidOperation(SImageIndexError);
  if (handle_) ImageList_Remove(handle_, index);
  Change();
}

// Moves one image: it waits in a spare slot at the end while the images between shift by one
// towards its old place. Not by swaps: Wine's ILCF_SWAP leaves the destination's image black,
// while ILCF_MOVE copies image, mask and alpha faithfully.
void TCustomImageList::Move(int curIndex, int newIndex) {
  const int count = Count();
  if (curIndex < 0 || curIndex >= count || newIndex < 0 || newIndex >= count) throw EInvalidOperation(SImageIndexError);
  if (curIndex != newIndex) {
    if (!ImageList_SetImageCount(handle_, count + 1)) throw EInvalidOperation(SInvalidImageList);
    const int step = newIndex > curIndex ? 1 : -1;
    bool ok = ImageList_Copy(handle_, count, handle_, curIndex, ILCF_MOVE);
    for (int i = curIndex; ok && i != newIndex; i += step) ok = ImageList_Copy(handle_, i, handle_, i + step, ILCF_MOVE);
    ok = ok && ImageList_Copy(handle_, newIndex, handle_, count, ILCF_MOVE);
    ImageList_SetImageCount(handle_, count);
    if (!ok) throw EInvalidOperation(SInvalidImageList);
  }
  Change();
}

// Every image side by side in one 32-bit bitmap (drawn by the list itself on black) and their
// masks in one monochrome bitmap (taken from the list's icons; the colour bitmap of those came out
// without colours in Wine).
void TCustomImageList::ExtractStrip(TBitmap& images, TBitmap& masks) {
  int count = Count();
  images.SetPixelFormat(TPixelFormat::pf32bit);
  masks.SetPixelFormat(TPixelFormat::pf1bit);
  images.SetSize(std::max(width_ * count, 1), height_);
  masks.SetSize(std::max(width_ * count, 1), height_);
  images.Canvas()->Brush()->SetColor(clBlack);
  images.Canvas()->FillRect(Rect(0, 0, images.Width(), height_));
  for (int i = 0; i < count; ++i) {
    ImageList_Draw(handle_, i, images.Canvas()->Handle(), i * width_, 0, ILD_NORMAL);
    TImageBitmaps image(handle_, i);
    if (!image.mask) throw EInvalidOperation(SInvalidImageList);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image.mask);
    BitBlt(masks.Canvas()->Handle(), i * width_, 0, width_, height_, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  images.Dormant();
  masks.Dormant();
}

void TCustomImageList::GetBitmap(int index, TBitmap* image) {
  if (!image || index < 0 || index >= Count()) return;
  image->SetSize(width_, height_);
  image->Canvas()->Brush()->SetColor(clBlack);
  image->Canvas()->FillRect(Rect(0, 0, width_, height_));
  ImageList_Draw(handle_, index, image->Canvas()->Handle(), 0, 0, ILD_NORMAL);
}

void TCustomImageList::GetIcon(int index, TIcon* icon) {
  if (!icon || index < 0 || index >= Count()) return;
  icon->SetHandle(ImageList_GetIcon(handle_, index, ILD_NORMAL));
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
  Draw(canvas, x, y, index, drawingStyle_, imageType_, enabled);
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType type, bool enabled) {
  if (!handle_ || index < 0 || index >= Count()) return;
  static constexpr UINT styles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  UINT flags = styles[style] | (type == itMask ? ILD_MASK : 0);
  DoDraw(index, canvas, x, y, flags, enabled);
}

void TCustomImageList::DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled) {
  HDC dc = canvas->Handle();
  if (enabled) {
    ImageList_DrawEx(handle_, index, dc, x, y, 0, 0, bkColor_ == clNone ? CLR_NONE : ColorToRGB(bkColor_),
                     blendColor_ == clNone ? CLR_NONE : ColorToRGB(blendColor_), style);
    return;
  }
  // greyed: the image's silhouette embossed, highlight one pixel down and right, shadow on top
  TImageBitmaps image(handle_, index);
  if (!image.mask) return;
  HDC mono = CreateCompatibleDC(dc);
  if (!mono) return;
  HGDIOBJ oldMono = SelectObject(mono, image.mask);
  // the raster operation paints where the source is white: the mask's opaque (0) bits become white
  COLORREF oldText = SetTextColor(dc, RGB(255, 255, 255));
  COLORREF oldBk = ::SetBkColor(dc, RGB(0, 0, 0));
  HBRUSH highlight = CreateSolidBrush(ColorToRGB(clBtnHighlight));
  HBRUSH shadow = CreateSolidBrush(ColorToRGB(clBtnShadow));
  HGDIOBJ oldBrush = SelectObject(dc, highlight);
  BitBlt(dc, x + 1, y + 1, width_, height_, mono, 0, 0, ropDSPDxax);
  SelectObject(dc, shadow);
  BitBlt(dc, x, y, width_, height_, mono, 0, 0, ropDSPDxax);
  SelectObject(dc, oldBrush);
  DeleteObject(highlight);
  DeleteObject(shadow);
  SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBk);
  SelectObject(mono, oldMono);
  DeleteDC(mono);
}

void TCustomImageList::Assign(TPersistent* source) {
  auto* other = ObjectAs<TCustomImageList>(source);
  if (!other) {
    TComponent::Assign(source);
    return;
  }
  BeginUpdate();
  width_ = other->width_;
  height_ = other->height_;
  masked_ = other->masked_;
  bkColor_ = other->bkColor_;
  blendColor_ = other->blendColor_;
  drawingStyle_ = other->drawingStyle_;
  imageType_ = other->imageType_;
  FreeHandle();
  if (other->handle_) {
    handle_ = ImageList_Duplicate(other->handle_);
    if (!handle_) throw EInvalidOperation(SInvalidImageList);
  }
  Change();
  EndUpdate();
}

void TCustomImageList::DefineProperties(TFiler* filer) {
  filer->DefineBinaryProperty("Bitmap", TStreamProc(this, &TCustomImageList::ReadData),
                              TStreamProc(this, &TCustomImageList::WriteData), Count() > 0);
}

// The stored form: the image size and count, then the images side by side as one 32-bit bitmap
// and their masks as one monochrome bitmap (each in TBitmap's stored form).
void TCustomImageList::ReadData(TStream* stream) {
  int32_t header[3] = {};
  stream->ReadBuffer(header, sizeof header);
  if (header[0] <= 0 || header[1] <= 0 || header[2] < 0) throw EReadError("Failed to read ImageList data from stream");
  TBitmap images, masks;
  images.ReadData(stream);
  masks.ReadData(stream);
  BeginUpdate();
  Clear();
  SetSize(header[0], header[1]);
  if (header[2] > 0) Add(&images, &masks);
  EndUpdate();
}

void TCustomImageList::WriteData(TStream* stream) {
  int32_t header[3] = {width_, height_, Count()};
  stream->WriteBuffer(header, sizeof header);
  TBitmap images, masks;
  ExtractStrip(images, masks);
  images.WriteData(stream);
  masks.WriteData(stream);
}

// ---------------------------------------------------------------------------------------------
// TDragImageList
bool TDragImageList::SetDragImage(int index, int hotSpotX, int hotSpotY) {
  if (index < 0 || index >= Count()) return false;
  dragIndex_ = index;
  hotSpot_ = {hotSpotX, hotSpotY};
  if (dragging_) return ImageList_SetDragCursorImage(Handle(), index, hotSpotX, hotSpotY);
  return true;
}

bool TDragImageList::BeginDrag(HWND window, int x, int y) {
  if (!ImageList_BeginDrag(Handle(), dragIndex_, hotSpot_.X, hotSpot_.Y)) return false;
  dragging_ = true;
  dragWindow_ = window;
  return DragLock(window, x, y);
}

bool TDragImageList::DragLock(HWND window, int x, int y) {
  if (!dragging_) return false;
  dragWindow_ = window;
  return ImageList_DragEnter(window, x, y);
}

bool TDragImageList::DragMove(int x, int y) { return dragging_ && ImageList_DragMove(x, y); }

void TDragImageList::DragUnlock() {
  if (dragging_) ImageList_DragLeave(dragWindow_);
}

bool TDragImageList::EndDrag() {
  if (!dragging_) return false;
  DragUnlock();
  ImageList_EndDrag();
  dragging_ = false;
  return true;
}

void TDragImageList::HideDragImage() {
  if (dragging_) ImageList_DragShowNolock(FALSE);
}

void TDragImageList::ShowDragImage() {
  if (dragging_) ImageList_DragShowNolock(TRUE);
}
