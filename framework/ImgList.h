// Image lists over comctl32's: images of one size with masks, drawn normally or greyed; the drag
// image list adds the platform's drag images.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "Classes.h"
#include "Graphics.h"

class TCustomImageList;

enum TDrawingStyle : uint8_t { dsFocus, dsSelected, dsNormal, dsTransparent };
enum TImageType : uint8_t { itImage, itMask };

// Listeners of an image list's changes (controls showing its images).
class TChangeLink : public TObject {
  CALDERAN_CLASS(TChangeLink)
  TChangeLink() = default;
  ~TChangeLink() override;
  TCustomImageList* Sender() const { return sender_; }
  virtual void Change() {
    if (OnChange) OnChange(this);
  }
  TNotifyEvent OnChange;

 private:
  friend class TCustomImageList;
  TCustomImageList* sender_ = nullptr;
};

class TCustomImageList : public TComponent {
  CALDERAN_CLASS(TCustomImageList)
  explicit TCustomImageList(TComponent* owner);
  TCustomImageList(TComponent* owner, int width, int height);  // CreateSize
  ~TCustomImageList() override;
  void Assign(TPersistent* source) override;

  HIMAGELIST Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Takes over a comctl32 list (freed with this one unless ShareImages).
  void SetHandle(HIMAGELIST handle);
  int Count();
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  // A new size empties the list.
  void SetSize(int width, int height);
  int AllocBy() const { return allocBy_; }
  void SetAllocBy(int value) { allocBy_ = value; }
  bool Masked() const { return masked_; }
  void SetMasked(bool value);
  bool ShareImages() const { return shareImages_; }
  void SetShareImages(bool value) { shareImages_ = value; }
  TColor BkColor() const { return bkColor_; }
  void SetBkColor(TColor color);
  TColor BlendColor() const { return blendColor_; }
  void SetBlendColor(TColor color) { blendColor_ = color; }
  TDrawingStyle DrawingStyle() const { return drawingStyle_; }
  void SetDrawingStyle(TDrawingStyle style) { drawingStyle_ = style; }
  TImageType ImageType() const { return imageType_; }
  void SetImageType(TImageType type) { imageType_ = type; }

  // Adds the images of a strip (its width a multiple of Width); returns the first index or -1.
  int Add(TBitmap* image, TBitmap* mask);
  int AddMasked(TBitmap* image, TColor maskColor);
  int AddIcon(TIcon* icon);
  void Insert(int index, TBitmap* image, TBitmap* mask);
  void Replace(int index, TBitmap* image, TBitmap* mask);
  void Delete(int index);  // -1 deletes all
  void Clear() { Delete(-1); }
  void Move(int curIndex, int newIndex);
  void GetBitmap(int index, TBitmap* image);
  void GetIcon(int index, TIcon* icon);

  void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
  void Draw(TCanvas* canvas, int x, int y, int index, TDrawingStyle style, TImageType type, bool enabled = true);

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  void RegisterChanges(TChangeLink* link);
  void UnRegisterChanges(TChangeLink* link);

  // The stored form: comctl32's own stream of the list.
  virtual void ReadData(TStream* stream);
  virtual void WriteData(TStream* stream);

  TNotifyEvent OnChange;

 protected:
  // Makes the comctl32 list (descendants may replace it with their own).
  virtual void Initialize();
  // Draws one image; greyed (embossed in the 3-D colours) when not enabled.
  virtual void DoDraw(int index, TCanvas* canvas, int x, int y, UINT style, bool enabled);
  virtual void Change();
  void FreeHandle();
  UINT ColorFlags() const { return ILC_COLOR32 | (masked_ ? ILC_MASK : 0); }
  void Notification(TComponent* component, TOperation operation) override;

 private:
  HIMAGELIST handle_ = nullptr;
  int width_ = 16, height_ = 16;
  int allocBy_ = 4;
  bool masked_ = true;
  bool shareImages_ = false;
  TColor bkColor_ = clNone;
  TColor blendColor_ = clNone;
  TDrawingStyle drawingStyle_ = dsNormal;
  TImageType imageType_ = itImage;
  int updateCount_ = 0;
  bool changed_ = false;
  std::vector<TChangeLink*> links_;
};

// Adds drag images (the platform's image-list dragging) to the image list.
class TDragImageList : public TCustomImageList {
  CALDERAN_CLASS(TDragImageList)
  using TCustomImageList::TCustomImageList;
  bool BeginDrag(HWND window, int x, int y);
  bool DragLock(HWND window, int x, int y);
  bool DragMove(int x, int y);
  void DragUnlock();
  bool EndDrag();
  void HideDragImage();
  void ShowDragImage();
  bool SetDragImage(int index, int hotSpotX, int hotSpotY);
  bool Dragging() const { return dragging_; }
  TPoint DragHotspot() const { return hotSpot_; }

 private:
  bool dragging_ = false;
  int dragIndex_ = 0;
  TPoint hotSpot_;
  HWND dragWindow_ = nullptr;
};

class TImageList : public TDragImageList {
  CALDERAN_CLASS(TImageList)
  using TDragImageList::TDragImageList;
};
