// Skin parts cut from PNG picture sheets, the skins that hold them and the process-wide manager the
// skins are registered with by name.
//
// A part is a rectangle of a sheet with four stretch margins, drawn into any rectangle by nine-slice
// scaling: corners kept, edges stretched along one axis, the centre along both. When the margins do
// not fit (left + right not strictly below the width), the width is split in halves and the middle
// column is empty; the same rule holds for the rows. The part keeps one scaled copy (premultiplied
// ARGB) of the last size it was drawn at, so drawing again at that size scales nothing.
//
// The scaled copy is always blended by our own routine (source over, premultiplied, times a
// constant alpha), never copied opaquely: a transparent pixel leaves the background as it was.
// Everything here needs GDI+: without it no sheet decodes and the manager registers no skin.
// Not done: the old-platform blending path and the opaque copy for a missing platform blend.
#pragma once
#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Classes.h"
#include "Types.h"

class TdxSkinnedRect : public TObject {
  CALDERAN_CLASS(TdxSkinnedRect)
  TdxSkinnedRect() = default;
  ~TdxSkinnedRect() override;
  TdxSkinnedRect(const TdxSkinnedRect&) = delete;
  TdxSkinnedRect& operator=(const TdxSkinnedRect&) = delete;

  // Copies the sheet rectangle into the part's own picture and derives the nine source cells.
  void LoadFromImage(Gdiplus::GpImage* sheet, const TRect& sheetRect, const TRect& margins);
  // Draws the part scaled to rect with a constant alpha; nothing for an empty or invisible rect.
  void Draw(HDC dc, const TRect& rect, Byte alpha = 255);
  virtual void CalculatePartSizes(int width, int height);
  virtual void ResetSize();
  virtual void DrawFallback(HDC dc, const TRect& rect);
  virtual void DrawCached(HDC dc, const TRect& rect);
  virtual TRect GetContentRect(const TRect& rect) const;

  Byte Alpha() const { return alpha_; }
  TSize Size() const { return size_; }
  TSize CachedSize() const { return cachedSize_; }
  TSize MinSize() const { return minSize_; }
  // Destination sizes of the nine cells for Size(), row by row.
  const TSize* CellSizes() const { return cellSizes_; }
  const TRect* SourceCells() const { return sourceCells_; }
  const TRect& Margins() const { return margins_; }
  const TRect& ContentMargins() const { return contentMargins_; }
  Gdiplus::GpBitmap* Image() const { return image_; }
  int ID() const { return id_; }
  void SetID(int value) { id_ = value; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& value) { name_ = value; }
  int InterpolationMode() const { return interpolationMode_; }
  void SetInterpolationMode(int value) { interpolationMode_ = value; }

 protected:
  void SetSize(const TSize& size);
  void UpdateCache();
  void RenderCache();

 private:
  void CalculateSourceRects(int width, int height);
  void InitContentMargins();
  void FreeCache();

  Byte alpha_ = 255;
  TSize size_;
  TSize cellSizes_[9] = {};
  TRect margins_;
  Gdiplus::GpBitmap* image_ = nullptr;
  Gdiplus::GpBitmap* cacheBitmap_ = nullptr;
  std::vector<uint32_t> cachePixels_;  // the cache's premultiplied pixels, rows from the top
  int id_ = -1;
  int interpolationMode_ = 0;
  TSize cachedSize_;
  TSize minSize_;
  std::string name_;
  TRect sourceCells_[9] = {};
  TRect contentMargins_{8, 8, 8, 8};
};

// A named list of parts; it owns them.
class TdxCustomBarSkin : public TList {
  CALDERAN_CLASS(TdxCustomBarSkin)
  explicit TdxCustomBarSkin(const std::string& name) : name_(name) {}
  ~TdxCustomBarSkin() override;

  // The new part's index, or -1 for no part. A part whose id (other than -1) or name (ignoring
  // case) is already present raises an assertion failure and stays the caller's.
  int AddPart(TdxSkinnedRect* part);
  // Each makes a part from the sheet rectangle and adds it; a part that cannot be added is freed.
  int AddImagePart(Gdiplus::GpImage* sheet, const TRect& sheetRect, int id = -1, const std::string& name = "",
                   int interpolationMode = 0);
  int AddImagePartVert(Gdiplus::GpImage* sheet, const TRect& sheetRect, int topMargin, int bottomMargin,
                       int id = -1, const std::string& name = "", int interpolationMode = 0);
  int AddImagePartWithMargins(Gdiplus::GpImage* sheet, const TRect& sheetRect, const TRect& margins, int id = -1,
                              const std::string& name = "", int interpolationMode = 0);
  TdxSkinnedRect* GetPart(int index) const { return static_cast<TdxSkinnedRect*>(Get(index)); }
  // The first part with the id or the name (ignoring case), or null.
  TdxSkinnedRect* FindPartByID(int id) const;
  TdxSkinnedRect* FindPartByName(const std::string& name) const;
  void Clear() override;
  virtual bool IsLocked() const { return false; }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

class TdxBarSkinManager : public TPersistent {
  CALDERAN_CLASS(TdxBarSkinManager)
  TdxBarSkinManager() = default;
  ~TdxBarSkinManager() override;

  // The new index; -1 without GDI+, for no skin, an empty name or a name already registered
  // (ignoring case). A refused skin stays the caller's.
  int Add(TdxCustomBarSkin* skin);
  // False when the skin may not be removed; otherwise a registered skin is freed and taken out.
  bool Remove(TdxCustomBarSkin* skin);
  bool CanRemove(TdxCustomBarSkin* skin) const { return !skin->IsLocked(); }
  TdxCustomBarSkin* FindByName(const std::string& name) const;
  int GetCount() const { return static_cast<int>(skins_.size()); }
  TdxCustomBarSkin* GetSkin(int index) const { return skins_.at(index); }
  virtual void Changed() {}

 private:
  std::vector<TdxCustomBarSkin*> skins_;
};

// The process's manager, made on first use; FreeBarSkinManager (module shut-down) frees it.
TdxBarSkinManager* BarSkinManager();
void FreeBarSkinManager();

// A GDI+ bitmap decoded from the whole stream (PNG data); null without GDI+. The caller disposes it.
Gdiplus::GpBitmap* CreateImageFromResourceStream(TStream* stream);
// Blends the source rectangle (32-bit premultiplied pixels) over the target rectangle, stretched
// to it, at the constant alpha; false when there was nothing to blend or the copy failed.
bool AlphaBlendCopy(HDC targetDC, const TRect& targetRect, HDC sourceDC, Byte alpha, const TRect& sourceRect);
// Source-over blending of premultiplied ARGB pixels times a constant alpha, in place on dest.
void BlendPremultipliedPixels(uint32_t* dest, const uint32_t* source, size_t count, Byte alpha);

extern const TUnitInfo dxBarSkinUnit;
