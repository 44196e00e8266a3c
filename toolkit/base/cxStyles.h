// Styles: small components with optional appearance values (background bitmap and colour, font,
// text colour) and flags telling which are assigned; the repository that holds them on a form and
// scales their fonts to the screen; style sheets, named reusable sets of style assignments for one
// kind of control; and the set of style slots of a control, which may take its values from a sheet.
#pragma once
#include <functional>
#include <utility>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "cxClasses.h"

enum class TcxStyleValue : uint8_t { svBitmap, svColor, svFont, svTextColor };
using TcxStyleValues = TSet<TcxStyleValue>;

class TcxCustomStyle;
class TcxCustomStyles;
class TcxCustomStyleSheet;
class TcxStyleRepository;

// What a style tells the objects that use it. An observer told of the style's destruction removes
// itself from the style's observers.
class IcxStyleObserver {
 public:
  virtual void NotifyStyleChanged(TcxCustomStyle* style) = 0;
  virtual void NotifyStyleDestroying(TcxCustomStyle* style) = 0;

 protected:
  ~IcxStyleObserver() = default;
};

class TcxCustomStyle : public TComponent {
  CALDERAN_CLASS(TcxCustomStyle)
  explicit TcxCustomStyle(TComponent* owner) : TComponent(owner) {}
  // Tells every observer, last first (each of which detaches), then leaves the repository.
  ~TcxCustomStyle() override;
  virtual void NotifyObservers();  // last first
  virtual void AddObserver(IcxStyleObserver* observer);
  virtual void RemoveObserver(IcxStyleObserver* observer);
  virtual void ResetValues() {}
  TcxStyleRepository* StyleRepository() const { return repository_; }
  void JoinRepository(TcxStyleRepository* repository);
  // The repository is the style's parent in stored forms.
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return repository_ != nullptr; }
  void SetParentComponent(TComponent* parent) override;

 private:
  std::vector<IcxStyleObserver*> observers_;
  TcxStyleRepository* repository_ = nullptr;
};

class TcxStyle : public TcxCustomStyle {
  CALDERAN_CLASS(TcxStyle)
  explicit TcxStyle(TComponent* owner);
  ~TcxStyle() override;
  void Assign(TPersistent* source) override;
  void ResetValues() override;
  // After a stored form was read: the font's height scaled by the repository.
  void Loaded() override;

  TcxStyleValues AssignedValues() const { return assignedValues_; }
  void SetAssignedValues(TcxStyleValues value);
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* value) { bitmap_->Assign(value); }
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TFont* Font() const { return font_; }
  void SetFont(TFont* value) { font_->Assign(value); }
  TColor TextColor() const { return textColor_; }
  void SetTextColor(TColor value);

  bool IsBitmapStored() const { return assignedValues_.Contains(TcxStyleValue::svBitmap); }
  bool IsColorStored() const { return assignedValues_.Contains(TcxStyleValue::svColor); }
  bool IsFontStored() const { return assignedValues_.Contains(TcxStyleValue::svFont); }
  bool IsTextColorStored() const { return assignedValues_.Contains(TcxStyleValue::svTextColor); }

 private:
  void BitmapChanged(TObject* Sender);
  void FontChanged(TObject* Sender);
  void SetAssigned(TcxStyleValue value, bool assigned);

  TcxStyleValues assignedValues_;
  TBitmap* bitmap_;
  TColor color_ = clDefault;
  TFont* font_;
  TColor textColor_ = clDefault;
};

// ---------------------------------------------------------------------------------------------
// The style slots of a control: (index, style) entries; observes its styles. Descendants add
// entries with SetValue.
class TcxCustomStyles : public TcxInterfacedPersistent, public IcxStyleObserver {
  CALDERAN_CLASS(TcxCustomStyles)
  explicit TcxCustomStyles(TPersistent* owner);
  ~TcxCustomStyles() override;
  void Assign(TPersistent* source) override;  // takes the source's style sheet

  TcxCustomStyleSheet* StyleSheet() const { return styleSheet_; }
  void SetStyleSheet(TcxCustomStyleSheet* value) { AttachStyleSheet(value); }
  // Nothing for the current sheet or one that cannot be used (of another styles class, this
  // object's own sheet, or one that would lead back to it); otherwise reports every index that
  // the old and the new sheet (and the sheets they take values from) give values to.
  void AttachStyleSheet(TcxCustomStyleSheet* sheet);
  TcxCustomStyleSheet* OwnerSheet() const { return ownerSheet_; }
  TcxCustomStyle* GetValue(int index) const;
  int EntryCount() const { return static_cast<int>(items_.size()); }

  void NotifyStyleChanged(TcxCustomStyle* style) override;
  void NotifyStyleDestroying(TcxCustomStyle* style) override;

  virtual void DoItemChanged(int index) { (void)index; }
  // Nothing while destroying; otherwise DoItemChanged, then the owner sheet's ItemChanged.
  virtual void ItemChanged(int index);

 protected:
  // Puts, replaces or (with null) removes the entry of an index, observing the style.
  void SetValue(int index, TcxCustomStyle* style);

 private:
  friend class TcxCustomStyleSheet;
  bool CanUseStyleSheet(TcxCustomStyleSheet* sheet) const;
  void CollectIndexes(std::vector<int>& indexes) const;  // its own and its sheet's, recursively
  void DeleteItem(size_t position);

  std::vector<std::pair<int, TcxCustomStyle*>> items_;
  TcxCustomStyleSheet* styleSheet_ = nullptr;
  TcxCustomStyleSheet* ownerSheet_ = nullptr;
  bool destroying_ = false;
};

// ---------------------------------------------------------------------------------------------
class TcxCustomStyleSheetClass : public TClassOperations {
 public:
  using TClassOperations::TClassOperations;
  // The class of the sheet's Styles (and of the styles objects that may use the sheet).
  virtual TClass StylesClass() const;
};

class TcxCustomStyleSheet : public TcxComponent {
  CALDERAN_CLASS_WITH_OPERATIONS(TcxCustomStyleSheet, TcxCustomStyleSheetClass)
  explicit TcxCustomStyleSheet(TComponent* owner);
  // Detaches every user, leaves the repository, frees Styles.
  ~TcxCustomStyleSheet() override;
  void Assign(TPersistent* source) override;  // caption, then Styles
  void DefineProperties(TFiler* filer) override;  // "BuiltIn", always written

  // The stored caption, or the name when none is stored. A caption equal to the name (case
  // ignored) is stored as none.
  std::string Caption() const { return caption_.empty() ? Name() : caption_; }
  void SetCaption(const std::string& value);
  bool IsCaptionStored() const { return !caption_.empty(); }
  bool BuiltIn() const { return builtIn_; }
  // Made on first use: the class's StylesClass is not known while the base part is built.
  TcxCustomStyles* Styles() const;
  void SetStyles(TcxCustomStyles* value) { Styles()->Assign(value); }
  TcxStyleRepository* StyleRepository() const { return repository_; }
  void JoinRepository(TcxStyleRepository* repository);
  // Reports the change to every user, then renews the design-time links.
  void ItemChanged(int index);

  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return repository_ != nullptr; }
  void SetParentComponent(TComponent* parent) override;

 protected:
  // The owners of the styles Styles uses, other than the sheet's own owner.
  void GetFakeComponentLinks(TList* list) override;

 private:
  friend class TcxCustomStyles;
  void ReadBuiltIn(TReader* reader);
  void WriteBuiltIn(TWriter* writer);

  std::string caption_;
  bool builtIn_;
  mutable TcxCustomStyles* styles_ = nullptr;
  std::vector<TcxCustomStyles*> users_;
  TcxStyleRepository* repository_ = nullptr;
};
using TcxCustomStyleSheetClassRef = const TcxCustomStyleSheetClass*;

// ---------------------------------------------------------------------------------------------
class TcxStyleRepository : public TComponent {
  CALDERAN_CLASS(TcxStyleRepository)
  explicit TcxStyleRepository(TComponent* owner) : TComponent(owner) {}
  // Frees the styles, then the sheets, last first.
  ~TcxStyleRepository() override;
  void DefineProperties(TFiler* filer) override;  // "PixelsPerInch"

  // New members owned by the repository's owner.
  TcxCustomStyle* CreateStyle(TClass styleClass);
  TcxCustomStyleSheet* CreateSheet(TClass sheetClass);
  int Count() const { return static_cast<int>(items_.size()); }
  TcxCustomStyle* Items(int index) const { return items_.at(index); }
  int StyleSheetCount() const { return static_cast<int>(styleSheets_.size()); }
  TcxCustomStyleSheet* StyleSheets(int index) const { return styleSheets_.at(index); }
  // What a stored form writes under this repository for `root`: its styles, then its sheets.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const;

  bool Scalable() const { return scalable_; }
  void SetScalable(bool value) { scalable_ = value; }
  // The screen's resolution when the form was designed (read from stored forms).
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
  // A font height designed at PixelsPerInch, for the screen's resolution.
  int ScaleFontHeight(int height) const;

 private:
  friend class TcxCustomStyle;
  friend class TcxCustomStyleSheet;
  void ReadPixelsPerInch(TReader* reader);
  void WritePixelsPerInch(TWriter* writer);

  std::vector<TcxCustomStyle*> items_;
  std::vector<TcxCustomStyleSheet*> styleSheets_;
  bool scalable_ = false;
  int pixelsPerInch_ = 0;
};

// Start-up: the classes' design group, stored-form registration and published properties.
extern const TUnitInfo cxStylesUnit;
