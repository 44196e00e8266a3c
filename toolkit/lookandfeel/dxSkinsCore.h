// The skin engine's data model: a skin is a named tree of drawing resources (named colours, typed
// named properties, and groups of named elements, each with two PNG image sheets, a fill colour,
// borders, a text colour, content offsets and a minimum size), read from and written to the skin
// stream, and drawn element by element (dxSkinsCoreDraw.cpp).
//
// Changes climb the tree: a value that changes notifies its holder, which notifies its own holder
// unless it is locked, up to the skin, which tells its listeners (the skin infos) and then fires
// its own OnChange. Lookups by name sort a list once after each change and then search it.
#pragma once
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "System.h"
#include "cxGeometry.h"
#include "cxGraphics.h"
#include "dxGDIPlusClasses.h"

enum TdxSkinElementState : uint8_t {
  esNormal, esHot, esPressed, esDisabled, esActive, esFocused, esDroppedDown, esChecked, esHotCheck,
  esActiveDisabled, esCheckPressed
};
inline constexpr int dxSkinElementStateCount = 11;
using TdxSkinElementStates = TSet<TdxSkinElementState>;
// The 16-bit form of the stream: bit n is state n.
Word SkinStatesToBits(TdxSkinElementStates states);
TdxSkinElementStates SkinStatesFromBits(Word bits);

enum TdxSkinImageLayout : uint8_t { ilHorizontal, ilVertical };
enum TdxSkinStretchMode : uint8_t { smStretch, smTile, smNoResize };
enum TdxSkinGradientMode : uint8_t { gmHorizontal, gmVertical, gmForwardDiagonal, gmBackwardDiagonal };

CALDERAN_EXCEPTION(EdxSkin, Exception)

class TdxSkin;
class TdxSkinCanvas;
class TdxSkinControlGroup;
class TdxSkinElement;
class TdxSkinProperty;

class IdxSkinChangeListener {
 public:
  virtual void SkinChanged(TdxSkin* skin) = 0;

 protected:
  ~IdxSkinChangeListener() = default;
};

// ---------------------------------------------------------------------------------------------
// An owned list of named skin objects, sorted by name on demand (case-sensitive, locale order).
template <class T> class TdxSkinObjectList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  T* Items(int index) const { return items_.at(index).get(); }
  T* Add(T* item) {
    items_.emplace_back(item);
    return item;
  }
  // Frees the item; false when it is not in the list.
  bool Delete(const void* item) {
    auto found = std::find_if(items_.begin(), items_.end(), [item](const auto& p) { return p.get() == item; });
    if (found == items_.end()) return false;
    items_.erase(found);
    return true;
  }
  void Clear() { items_.clear(); }
  void SortByName();
  // Binary search of a list sorted by SortByName.
  T* FindByName(const std::string& name) const;

 private:
  std::vector<std::unique_ptr<T>> items_;
};

// ---------------------------------------------------------------------------------------------
class TdxSkinCustomPersistentObject : public TPersistent {
  CALDERAN_CLASS(TdxSkinCustomPersistentObject)
  explicit TdxSkinCustomPersistentObject(TPersistent* owner = nullptr, const std::string& name = {})
      : name_(name), owner_(owner) {}

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  TPersistent* GetOwner() override { return owner_; }
  void SetOwner(TPersistent* owner) { owner_ = owner; }
  // A new object of the same class, without owner, with the same name and values.
  virtual TdxSkinCustomPersistentObject* Clone();

  TNotifyEvent OnChange;

 protected:
  virtual void DoChange();

 private:
  std::string name_;
  TPersistent* owner_;
};

// A persistent with a property list, an update lock and change propagation.
class TdxSkinPersistent : public TdxSkinCustomPersistentObject {
  CALDERAN_CLASS(TdxSkinPersistent)
  explicit TdxSkinPersistent(TPersistent* owner = nullptr, const std::string& name = {});
  ~TdxSkinPersistent() override;
  void Assign(TPersistent* source) override;

  int PropertyCount() const { return properties_.Count(); }
  TdxSkinProperty* Properties(int index) const { return properties_.Items(index); }
  // Created through the class's factory; nothing for a class that is not a skin property.
  TdxSkinProperty* AddProperty(const std::string& name, TClass propertyClass);
  TdxSkinProperty* GetPropertyByName(const std::string& name);

  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  void CancelUpdate() { --updateCount_; }
  int UpdateCount() const { return updateCount_; }
  // Frees the item when it is one of this object's (and reports the change).
  virtual void Delete(TdxSkinCustomPersistentObject* item);

 protected:
  virtual void Changed();
  virtual void Sort();
  virtual void SubItemChanged(TObject* sender);
  void SortIfNeeded();
  // Makes this object the owner of an item added to one of its lists.
  void Adopt(TdxSkinCustomPersistentObject* item);
  template <class T> T* AddItem(TdxSkinObjectList<T>& list, T* item) {
    Adopt(item);
    return list.Add(item);
  }
  template <class T> void AppendClones(TdxSkinObjectList<T>& list, const TdxSkinObjectList<T>& source) {
    for (int i = 0; i < source.Count(); ++i) AddItem(list, static_cast<T*>(source.Items(i)->Clone()));
  }

  TdxSkinObjectList<TdxSkinProperty> properties_;

 private:
  int updateCount_ = 0;
  bool sorted_ = false;
};

// ---------------------------------------------------------------------------------------------
// Properties and their values. ReadData and WriteData move the value alone.
class TdxSkinProperty : public TdxSkinCustomPersistentObject {
  CALDERAN_CLASS(TdxSkinProperty)
  explicit TdxSkinProperty(TPersistent* owner = nullptr, const std::string& name = {})
      : TdxSkinCustomPersistentObject(owner, name) {}
  virtual void ReadData(TStream* stream) { (void)stream; }
  virtual void WriteData(TStream* stream) { (void)stream; }
  // The name, then the value.
  virtual void ReadFromStream(TStream* stream);
  // The class name, the name, then the value.
  virtual void WriteToStream(TStream* stream);
  // The class name without "TdxSkin" and "Property".
  virtual std::string GetKindName();
  virtual bool Compare(TdxSkinProperty* other);

 protected:
  virtual bool SameValue(TdxSkinProperty* other) { (void)other; return true; }
};

// A property class with one value; setting a different value notifies.
#define DX_SKIN_VALUE_PROPERTY(Self, Type, Default)                                            \
  class Self : public TdxSkinProperty {                                                        \
    CALDERAN_CLASS(Self)                                                                       \
    explicit Self(TPersistent* owner = nullptr, const std::string& name = {})                  \
        : TdxSkinProperty(owner, name) {}                                                      \
    void Assign(TPersistent* source) override;                                                 \
    Type Value() const { return value_; }                                                      \
    void SetValue(Type value) {                                                                \
      if (value == value_) return;                                                             \
      value_ = value;                                                                          \
      DoChange();                                                                              \
    }                                                                                          \
    void ReadData(TStream* stream) override;                                                   \
    void WriteData(TStream* stream) override;                                                  \
                                                                                               \
   protected:                                                                                  \
    bool SameValue(TdxSkinProperty* other) override;                                           \
                                                                                               \
   private:                                                                                    \
    Type value_ = Default;                                                                     \
  };

DX_SKIN_VALUE_PROPERTY(TdxSkinIntegerProperty, int32_t, 0)
DX_SKIN_VALUE_PROPERTY(TdxSkinBooleanProperty, bool, false)
DX_SKIN_VALUE_PROPERTY(TdxSkinColor, TColor, clDefault)
DX_SKIN_VALUE_PROPERTY(TdxSkinStringProperty, std::string, std::string())
#undef DX_SKIN_VALUE_PROPERTY

class TdxSkinRectProperty : public TdxSkinProperty {
  CALDERAN_CLASS(TdxSkinRectProperty)
  explicit TdxSkinRectProperty(TPersistent* owner = nullptr, const std::string& name = {});
  void Assign(TPersistent* source) override;
  TcxRect* Value() const { return value_.get(); }
  int Left() const { return value_->Left(); }
  int Top() const { return value_->Top(); }
  int Right() const { return value_->Right(); }
  int Bottom() const { return value_->Bottom(); }
  void ReadData(TStream* stream) override;
  void WriteData(TStream* stream) override;

 protected:
  bool SameValue(TdxSkinProperty* other) override;

 private:
  void ValueChanged(TObject*) { DoChange(); }
  std::unique_ptr<TcxRect> value_;
};

class TdxSkinSizeProperty : public TdxSkinProperty {
  CALDERAN_CLASS(TdxSkinSizeProperty)
  explicit TdxSkinSizeProperty(TPersistent* owner = nullptr, const std::string& name = {})
      : TdxSkinProperty(owner, name) {}
  void Assign(TPersistent* source) override;
  int cx() const { return cx_; }
  int cy() const { return cy_; }
  void SetValue(int cx, int cy);
  void ReadData(TStream* stream) override;
  void WriteData(TStream* stream) override;

 protected:
  bool SameValue(TdxSkinProperty* other) override;

 private:
  int cx_ = 0, cy_ = 0;
};

class TdxSkinBorder : public TdxSkinProperty {
  CALDERAN_CLASS(TdxSkinBorder)
  explicit TdxSkinBorder(TPersistent* owner = nullptr, const std::string& name = {}) : TdxSkinProperty(owner, name) {}
  void Assign(TPersistent* source) override;
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TcxBorder Side() const { return side_; }
  void SetSide(TcxBorder value) { side_ = value; }
  int Thin() const { return thin_; }
  void SetThin(int value);
  void ReadData(TStream* stream) override;
  void WriteData(TStream* stream) override;
  // Colour, thickness and side; the name does not count.
  bool Compare(TdxSkinProperty* other) override;
  // The border's strip along its side of the rectangle.
  TRect StripRect(const TRect& rect) const;
  void Draw(HDC dc, const TRect& rect);
  void DrawOnCanvas(TdxSkinCanvas* canvas, const TRect& rect);

 protected:
  bool SameValue(TdxSkinProperty* other) override;

 private:
  TColor color_ = clNone;
  TcxBorder side_ = bLeft;
  int thin_ = 1;
};

class TdxSkinBorders : public TdxSkinProperty {
  CALDERAN_CLASS(TdxSkinBorders)
  explicit TdxSkinBorders(TPersistent* owner = nullptr, const std::string& name = {});
  void Assign(TPersistent* source) override;
  TdxSkinBorder* Items(TcxBorder side) const { return borders_[side].get(); }
  TdxSkinBorder* Left() const { return Items(bLeft); }
  TdxSkinBorder* Top() const { return Items(bTop); }
  TdxSkinBorder* Right() const { return Items(bRight); }
  TdxSkinBorder* Bottom() const { return Items(bBottom); }

 protected:
  bool SameValue(TdxSkinProperty* other) override;
  virtual void BorderChanged(TObject* sender);

 private:
  std::unique_ptr<TdxSkinBorder> borders_[4];
};

// ---------------------------------------------------------------------------------------------
// One image sheet of an element: ImageCount images one after the other along the layout
// direction, each holding one sub-image per state of States, in state order.
class TdxSkinImage : public TPersistent {
  CALDERAN_CLASS(TdxSkinImage)
  explicit TdxSkinImage(TdxSkinElement* owner);
  ~TdxSkinImage() override;
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() override;

  TdxSkinGradientMode Gradient() const { return gradient_; }
  void SetGradient(TdxSkinGradientMode value);
  TColor GradientBeginColor() const { return gradientBeginColor_; }
  void SetGradientBeginColor(TColor value);
  TColor GradientEndColor() const { return gradientEndColor_; }
  void SetGradientEndColor(TColor value);
  TdxSkinImageLayout ImageLayout() const { return imageLayout_; }
  void SetImageLayout(TdxSkinImageLayout value);
  TcxRect* Margins() const { return margins_.get(); }
  TdxSkinElementStates States() const { return states_; }
  void SetStates(TdxSkinElementStates value);
  TdxSkinStretchMode Stretch() const { return stretch_; }
  void SetStretch(TdxSkinStretchMode value);
  TdxPNGImage* Texture() const { return texture_.get(); }
  TdxSkinElement* Owner() const { return owner_; }
  // The name the image was assigned from (group\element_Image.png), empty for a loaded one.
  const std::string& SourceName() const { return sourceName_; }

  bool Empty() const;
  // Drops the picture and the source name.
  void Clear();
  // The size of one sub-image and the number of states.
  TSize Size();
  int StateCount();
  // The sub-image of (image index, state) within the sheet.
  TRect SourceRect(int imageIndex, TdxSkinElementState state);
  virtual bool Compare(TdxSkinImage* other);
  virtual void Draw(HDC dc, const TRect& rect, int imageIndex = 0, TdxSkinElementState state = esNormal);
  virtual void DrawOnCanvas(TdxSkinCanvas* canvas, const TRect& rect, int imageIndex, TdxSkinElementState state);

  void ReadFromStream(TStream* stream, double version);
  void WriteToStream(TStream* stream);
  void MarkLayoutDirty() { layoutDirty_ = true; }

  TNotifyEvent OnChange;

 protected:
  virtual void Changed();
  virtual void InitializeLayout();
  virtual void DrawPart(TdxSkinCanvas* canvas, const TRect& target, const TRect& source, bool scalable, bool centre);

 private:
  friend class TdxSkinElement;
  void MarginsChanged(TObject*) { Changed(); }
  void TextureChanged(TObject*) { Changed(); }
  void CheckLayout();
  TdxSkinElementState EffectiveState(TdxSkinElementState state) const;
  void DrawNineParts(TdxSkinCanvas* canvas, const TRect& rect, const TRect& source);
  void DrawUnscaled(TdxSkinCanvas* canvas, const TRect& rect, const TRect& source);
  void DrawTiled(TdxSkinCanvas* canvas, const TRect& target, const TRect& source);
  void FillGradient(TdxSkinCanvas* canvas, const TRect& target);

  TdxSkinElement* owner_;
  std::unique_ptr<TcxRect> margins_;
  std::unique_ptr<TdxPNGImage> texture_;
  std::string sourceName_;
  TdxSkinGradientMode gradient_ = gmHorizontal;
  TColor gradientBeginColor_ = clNone;
  TColor gradientEndColor_ = clNone;
  TdxSkinImageLayout imageLayout_ = ilHorizontal;
  TdxSkinElementStates states_;
  TdxSkinStretchMode stretch_ = smStretch;
  // The layout cache.
  bool layoutDirty_ = true;
  TSize partSize_;
  int stateCount_ = 0;
  TRect stateRects_[dxSkinElementStateCount];
};

// ---------------------------------------------------------------------------------------------
class TdxSkinElement : public TdxSkinPersistent {
  CALDERAN_CLASS(TdxSkinElement)
  explicit TdxSkinElement(TPersistent* owner = nullptr, const std::string& name = {});
  ~TdxSkinElement() override;
  void Assign(TPersistent* source) override;

  Byte Alpha() const { return alpha_; }
  void SetAlpha(Byte value);
  TdxSkinBorders* Borders() const { return borders_.get(); }
  TColor Color() const { return color_; }
  // Notifies also when the value stays the same.
  void SetColor(TColor value);
  // The colour is neither clNone nor clDefault.
  bool HasColor() const { return hasColor_; }
  TcxRect* ContentOffset() const { return contentOffset_.get(); }
  TdxSkinImage* Glyph() const { return glyph_.get(); }
  TdxSkinImage* Image() const { return image_.get(); }
  int ImageCount() const { return imageCount_; }
  // Values of 0 or less count as 1.
  void SetImageCount(int value);
  TcxSize* MinSize() const { return minSize_.get(); }
  TColor TextColor() const { return textColor_; }
  void SetTextColor(TColor value);
  TdxSkinControlGroup* GetGroup();
  // Without image: Alpha below 255; with one: its picture uses alpha.
  bool HasAlpha();

  virtual bool CompareProperties(TdxSkinPersistent* other);
  // group\element_Image.png or _Glyph.png.
  virtual std::string GetImageName(TdxSkinImage* image);
  virtual void ReadFromStream(TStream* stream, double version);
  virtual void WriteToStream(TStream* stream, double version);
  virtual bool Compare(TdxSkinElement* other);
  // Nothing for an empty or invisible rectangle, or an image index outside 0 .. ImageCount - 1.
  virtual void Draw(HDC dc, const TRect& rect, int imageIndex = 0, TdxSkinElementState state = esNormal);
  // The drawing on a canvas already set up (the element cache draws without a device context).
  void DrawOnCanvas(TdxSkinCanvas* canvas, const TRect& rect, int imageIndex, TdxSkinElementState state);

 private:
  void ApplyColor();
  void FillBackground(TdxSkinCanvas* canvas, const TRect& rect);

  Byte alpha_ = 255;
  std::unique_ptr<TdxSkinBorders> borders_;
  Gdiplus::GpSolidFill* brush_ = nullptr;
  std::unique_ptr<TdxSkinCanvas> canvas_;
  TColor color_ = clDefault;
  std::unique_ptr<TcxRect> contentOffset_;
  std::unique_ptr<TdxSkinImage> glyph_;
  std::unique_ptr<TdxSkinImage> image_;
  int imageCount_ = 1;
  bool hasColor_ = false;
  std::unique_ptr<TcxSize> minSize_;
  TColor textColor_ = clDefault;
};

// Stands in for a missing element: a white rectangle framed in red.
class TdxSkinEmptyElement : public TdxSkinElement {
  CALDERAN_CLASS(TdxSkinEmptyElement)
  explicit TdxSkinEmptyElement(TPersistent* owner = nullptr, const std::string& name = {})
      : TdxSkinElement(owner, name) {}
  void Draw(HDC dc, const TRect& rect, int imageIndex = 0, TdxSkinElementState state = esNormal) override;
};

// The shared empty element in place of a null one.
TdxSkinElement* ElementOrEmpty(TdxSkinElement* element);

class TdxSkinControlGroup : public TdxSkinPersistent {
  CALDERAN_CLASS(TdxSkinControlGroup)
  explicit TdxSkinControlGroup(TPersistent* owner = nullptr, const std::string& name = {})
      : TdxSkinPersistent(owner, name) {}
  void Assign(TPersistent* source) override;

  int ElementCount() const { return elements_.Count(); }
  TdxSkinElement* Elements(int index) const { return elements_.Items(index); }
  TdxSkinElement* AddElement(const std::string& name);
  TdxSkinElement* AddElementEx(const std::string& name, TClass elementClass);
  TdxSkinElement* GetElementByName(const std::string& name);
  TdxSkin* GetSkin();
  void Delete(TdxSkinCustomPersistentObject* item) override;

  virtual void ReadFromStream(TStream* stream, double version);
  virtual void WriteToStream(TStream* stream);

 protected:
  void Sort() override;

 private:
  TdxSkinObjectList<TdxSkinElement> elements_;
};

class TdxSkin : public TdxSkinPersistent {
  CALDERAN_CLASS(TdxSkin)
  explicit TdxSkin(const std::string& name = {}, bool loadOnCreate = false, HINSTANCE module = nullptr);
  ~TdxSkin() override;
  void Assign(TPersistent* source) override;

  double Version() const { return version_; }
  int ColorCount() const { return colors_.Count(); }
  TdxSkinColor* Colors(int index) const { return colors_.Items(index); }
  int GroupCount() const { return groups_.Count(); }
  TdxSkinControlGroup* Groups(int index) const { return groups_.Items(index); }

  TdxSkinColor* AddColor(const std::string& name, TColor value);
  TdxSkinControlGroup* AddGroup(const std::string& name);
  TdxSkinColor* GetColorByName(const std::string& name);
  TdxSkinControlGroup* GetGroupByName(const std::string& name);
  void Clear();
  void Delete(TdxSkinCustomPersistentObject* item) override;
  void AddListener(IdxSkinChangeListener* listener);
  void RemoveListener(IdxSkinChangeListener* listener);

  // The resource named Name of type "DXSKINS".
  virtual void LoadFromResource(HINSTANCE module);
  // Raises EdxSkin for another format or an old version, "Stream read error" for a stream cut
  // short or corrupted; nothing at all without GDI+.
  virtual void LoadFromStream(TStream* stream);
  // Always in the current version (1.02).
  virtual void SaveToStream(TStream* stream);

  // The skin's own notification, after its listeners (the inherited OnChange stays unused).
  TNotifyEvent OnChange;

 protected:
  void DoChange() override;
  void Sort() override;

 private:
  void ReadHeader(TStream* stream);
  void ReadContent(TStream* stream);

  double version_;
  TdxSkinObjectList<TdxSkinColor> colors_;
  TdxSkinObjectList<TdxSkinControlGroup> groups_;
  std::vector<IdxSkinChangeListener*> listeners_;
};

// ---------------------------------------------------------------------------------------------
// A window [start, end) of another stream, through which the pictures read their data.
class TdxSkinPartStream : public TStream {
  CALDERAN_CLASS(TdxSkinPartStream)
  explicit TdxSkinPartStream(TStream* source = nullptr) : source_(source) {}
  void Initialize(TStream* source, int64_t start, int64_t end);
  int64_t Size() override { return end_ - start_; }
  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* buffer, int32_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;

 private:
  TStream* source_;
  int64_t start_ = 0, end_ = 0;
};

// ---------------------------------------------------------------------------------------------
// The surface an element draws on: GDI+ over a device context, through a 32-bit buffer when the
// device context has a palette, or over a GDI+ bitmap when there is no device context at all.
class TdxSkinCanvas : public TObject {
  CALDERAN_CLASS(TdxSkinCanvas)
  TdxSkinCanvas() = default;
  ~TdxSkinCanvas() override;
  void BeginPaint(HDC dc, const TRect& rect);
  void BeginPaintOnGraphics(Gdiplus::GpGraphics* graphics, const TRect& rect);
  void EndPaint();
  Gdiplus::GpGraphics* Graphics() const { return graphics_; }
  const TRect& Rect() const { return rect_; }
  // A solid GDI fill with the colour resolved to RGB (nothing for clNone and clDefault).
  void FillRect(const TRect& rect, TColor color);

 private:
  Gdiplus::GpGraphics* graphics_ = nullptr;
  bool ownsGraphics_ = false;
  TRect rect_;
  HDC dc_ = nullptr;
  std::unique_ptr<TcxBitmap> buffer_;
};

// The last rendering of an element at one state, image index and size (window frames).
class TdxSkinElementCache : public TObject {
  CALDERAN_CLASS(TdxSkinElementCache)
  TdxSkinElementCache() = default;
  ~TdxSkinElementCache() override;
  void Prepare(TdxSkinElement* element, const TRect& rect, TdxSkinElementState state, int imageIndex = 0);
  void DrawCache(HDC dc, const TRect& rect);
  Gdiplus::GpBitmap* Bitmap() const { return bitmap_; }

 private:
  void FreeBitmap();
  Gdiplus::GpBitmap* bitmap_ = nullptr;
  TdxSkinElement* element_ = nullptr;
  int imageIndex_ = 0;
  TdxSkinElementState state_ = esNormal;
  int width_ = 0, height_ = 0;
  bool hasAlpha_ = false;
};

// The registered property classes (integer, colour, rectangle, size, boolean, string).
bool IsSkinPropertyClass(TClass cls);

// The names of the element's borders and of the borders property, from the string table.
std::string SkinBorderName(TcxBorder side);
std::string SkinBordersName();

extern const TUnitInfo dxSkinsCoreUnit;
