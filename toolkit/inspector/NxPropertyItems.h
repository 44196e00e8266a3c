// The inspector's rows: each row is a component with a caption, a value, fonts, colours, a suffix,
// a level in the tree and its parent row. All rows of one inspector live in one flat list kept in
// tree order (each row followed by its descendants) and in a name order for the arrange-by-name
// view. Every change the inspector must show reaches it as a notification with a kind number.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"
#include "NxButtonEdit.h"
#include "SysUtils.h"

CALDERAN_EXCEPTION(EInvalidCast, Exception)
CALDERAN_EXCEPTION(EPropertyError, Exception)

class TNxPropertyItems;
class TNxCustomInspector;
class TNxItemDisplay;

enum TItemOption : uint8_t { itoAutoApply, itoBoldNonDefault };
using TItemOptions = TSet<TItemOption>;
enum TSuffixStyle : uint8_t { ssDropDown, ssDropDownList };

// What a row tells its inspector (the Kind of a notification).
enum TNxItemNotification : uint8_t {
  inAdded = 0, inRepaint = 1, inRemoved = 2, inCollapsed = 3, inDestroying = 4, inEnabled = 5, inExpanded = 6,
  inOptions = 7, inValueCell = 8, inValueChanged = 9, inSuffixChanged = 11, inToolbarText = 12,
  inToolbarClick = 13, inToolbarButton = 14, inVisible = 16
};

// StateFlags bits.
constexpr uint8_t kItemLoadingValue = 0x40, kItemHot = 0x08;

class TNxPropertyItem : public TComponent {
  CALDERAN_CLASS(TNxPropertyItem)
  explicit TNxPropertyItem(TComponent* owner);
  ~TNxPropertyItem() override;
  void Assign(TPersistent* source) override;

  // --- the row's place
  TNxPropertyItems* Items() const { return items_; }
  TNxPropertyItem* ParentItem() const { return parentItem_; }
  int Level() const { return level_; }
  int ChildCount() const { return childCount_; }
  bool Hidden() const { return hidden_; }
  bool Attached() const { return attached_; }
  int ParentIndex() const { return parentIndex_; }
  int AbsoluteIndex() const;
  int NodeIndex() const;
  int SortedIndex() const;
  uint8_t StateFlags = 0;

  // --- properties
  const std::u16string& Caption() const { return caption_; }
  void SetCaption(const std::u16string& value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  const std::u16string& DefaultValue() const { return defaultValue_; }
  void SetDefaultValue(const std::u16string& value);
  const std::u16string& EmptyValue() const { return emptyValue_; }
  void SetEmptyValue(const std::u16string& value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Expanded() const { return expanded_; }
  void SetExpanded(bool value);
  bool ExpandLock() const { return expandLock_; }
  void SetExpandLock(bool value) { expandLock_ = value; }
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* value);
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value) { hint_ = value; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  const std::string& MapProperty() const { return mapProperty_; }
  void SetMapProperty(const std::string& value);
  const std::u16string& MapXML() const { return mapXML_; }
  void SetMapXML(const std::u16string& value) { mapXML_ = value; }
  TItemOptions Options() const { return options_; }
  void SetOptions(TItemOptions value);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value) { showHint_ = value; }
  bool ShowPreview() const { return showPreview_; }
  void SetShowPreview(bool value);
  bool ShowSuffix() const { return showSuffix_; }
  void SetShowSuffix(bool value);
  TStringList* Suffixes() const { return suffixes_.get(); }
  void SetSuffixes(TStrings* value) { suffixes_->Assign(value); }
  TSuffixStyle SuffixStyle() const { return suffixStyle_; }
  void SetSuffixStyle(TSuffixStyle value) { suffixStyle_ = value; }
  const std::u16string& SuffixValue() const { return suffixValue_; }
  void SetSuffixValue(const std::u16string& value);
  const std::u16string& TagString() const { return tagString_; }
  void SetTagString(const std::u16string& value) { tagString_ = value; }
  TFont* ValueFont() const { return valueFont_.get(); }
  void SetValueFont(TFont* value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  std::u16string Value() { return GetValue(); }
  // The value followed directly by the suffix text.
  std::u16string FullText() { return GetValue() + suffixValue_; }

  // Stored forms keep the wide texts in the ansi code page.
  std::string CaptionAnsi() const { return WideToAnsi(caption_); }
  void SetCaptionAnsi(const std::string& v) { SetCaption(AnsiToWide(v)); }
  std::string DefaultValueAnsi() const { return WideToAnsi(defaultValue_); }
  void SetDefaultValueAnsi(const std::string& v) { SetDefaultValue(AnsiToWide(v)); }
  std::string EmptyValueAnsi() const { return WideToAnsi(emptyValue_); }
  void SetEmptyValueAnsi(const std::string& v) { SetEmptyValue(AnsiToWide(v)); }
  std::string MapXMLAnsi() const { return WideToAnsi(mapXML_); }
  void SetMapXMLAnsi(const std::string& v) { SetMapXML(AnsiToWide(v)); }
  std::string SuffixValueAnsi() const { return WideToAnsi(suffixValue_); }
  void SetSuffixValueAnsi(const std::string& v) { SetSuffixValue(AnsiToWide(v)); }
  std::string TagStringAnsi() const { return WideToAnsi(tagString_); }
  void SetTagStringAnsi(const std::string& v) { SetTagString(AnsiToWide(v)); }
  std::string ValueAnsi() const { return WideToAnsi(const_cast<TNxPropertyItem*>(this)->GetValue()); }
  void SetValueAnsi(const std::string& v) { SetValue(AnsiToWide(v)); }
  std::string FullTextAnsi() const { return WideToAnsi(const_cast<TNxPropertyItem*>(this)->FullText()); }

  // --- parts
  TNxItemDisplay* Display();
  // The in-place editor, made on first use from GetEditorClass; null when the row has none.
  TNxCustomEdit* Editor();
  TNxComboBox* SuffixEditor() const { return suffixEditor_; }

  // --- value
  virtual bool GetAsBoolean() { return false; }
  virtual double GetAsDateTime() { return 0; }
  virtual double GetAsFloat() { return 0; }
  virtual int GetAsInteger() { return 0; }
  virtual void GetValueText(std::u16string& text) { text.clear(); }
  virtual TClass GetDisplayClass() const;
  virtual TClass GetEditorClass() const { return nullptr; }
  virtual std::u16string GetValue();
  virtual bool HasPreview() const { return false; }
  virtual void SetAsBoolean(bool) { ValueChanged(); }
  virtual void SetAsDateTime(double) { ValueChanged(); }
  virtual void SetAsFloat(double) { ValueChanged(); }
  virtual void SetAsInteger(int) { ValueChanged(); }
  virtual void SetValueText(const std::u16string&) { ValueChanged(); }
  // A row that is in no list has nowhere to show or write a value: setting one does nothing.
  virtual void SetValue(const std::u16string& text);
  virtual bool CanEdit() const { return false; }
  virtual void PrepareEditor();
  virtual void PrepareSuffixEditor();
  virtual void HideEditor();
  virtual void HideSuffixEditor();

  void Notify(TNxItemNotification kind, int index = -1);
  void ValueChanged();
  void LoadFromAssociate();
  void WriteToAssociate();

  // The stored-form hierarchy: the parent row, or the inspector for a top-level row.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  void DefineProperties(TFiler* filer) override;
  bool IsFontStored() const;
  bool IsValueFontStored() const;

 protected:
  // A descendant binds what its editor offers once the editor exists.
  virtual void EditorCreated(TNxCustomEdit*) {}
  bool Reading() const { return ComponentState().Contains(csReading); }

 private:
  friend class TNxPropertyItems;
  void FontChanged(TObject*) { Notify(inRepaint); }
  void ReadParentIndex(TReader* reader) { parentIndex_ = reader->ReadInteger(); }
  void WriteParentIndex(TWriter* writer);
  TNxCustomInspector* Inspector() const;

  std::u16string caption_;
  TColor color_ = clWindow;
  int childCount_ = 0;
  std::u16string defaultValue_;
  std::unique_ptr<TNxItemDisplay> display_;
  TNxCustomEdit* editor_ = nullptr;
  bool editorMade_ = false;
  std::u16string emptyValue_;
  bool enabled_ = true, expanded_ = true, expandLock_ = false;
  std::unique_ptr<TFont> font_;
  int helpContext_ = 0;
  bool hidden_ = false;
  std::string hint_;
  int imageIndex_ = -1;
  TNxPropertyItems* items_ = nullptr;
  bool attached_ = false;
  int level_ = 0;
  std::string mapProperty_;
  std::u16string mapXML_;
  TItemOptions options_;
  int parentIndex_ = -1;
  TNxPropertyItem* parentItem_ = nullptr;
  bool readOnly_ = false, showHint_ = false, showPreview_ = false, showSuffix_ = false;
  TNxComboBox* suffixEditor_ = nullptr;
  std::unique_ptr<TStringList> suffixes_;
  TSuffixStyle suffixStyle_ = ssDropDown;
  std::u16string suffixValue_;
  std::u16string tagString_;
  std::unique_ptr<TFont> valueFont_;
  bool visible_ = true;
};

using TNxItemChangeEvent = TEvent<void(TObject* Sender, TNxPropertyItem* Item, uint8_t Kind, int Index)>;
using TNxItemFreedEvent = TEvent<void(TNxPropertyItem* Item)>;

enum TItemsArrange : uint8_t { taCatagory, taName };

class TNxPropertyItems : public TComponent {
  CALDERAN_CLASS(TNxPropertyItems)
  explicit TNxPropertyItems(TComponent* owner);
  ~TNxPropertyItems() override;

  using TRowList = std::vector<TNxPropertyItem*>;
  int Count() const { return static_cast<int>(list_.size()); }
  TNxPropertyItem* Item(int index) const { return list_.at(index); }
  int NodeCount() const { return static_cast<int>(nodeList_->size()); }
  TNxPropertyItem* Node(int index) const { return nodeList_->at(index); }
  TNxPropertyItem* SortedItem(int index) const { return sortedList_.at(index); }
  int SortedCount() const { return static_cast<int>(sortedList_.size()); }
  const TRowList& List() const { return list_; }
  const TRowList& NodeList() const { return *nodeList_; }
  const TRowList& SortedList() const { return sortedList_; }
  TNxCustomInspector* Inspector() const;

  void AddItem(TNxPropertyItem* parent, TNxPropertyItem* item, bool append);
  void RemoveItem(TNxPropertyItem* item);
  void DeleteChildren(TNxPropertyItem* item);
  void ResortItem(TNxPropertyItem* item);
  void SetChildrenShown(TNxPropertyItem* item, bool shown);
  void SetDescendantsVisible(TNxPropertyItem* item, bool visible);
  void SetArrange(TItemsArrange arrange);
  void Clear();
  static int DescendantCount(const TRowList& list, TNxPropertyItem* item);

  void DoChange();
  void DoItemChange(TNxPropertyItem* item, uint8_t kind, int index);
  // Tells the inspector to forget a row that is about to be freed.
  void DoItemFreed(TNxPropertyItem* item);

  TNotifyEvent OnChange;
  TNxItemChangeEvent OnItemChange;
  TNxItemFreedEvent OnItemFreed;

 private:
  static int IndexIn(const TRowList& list, TNxPropertyItem* item);
  static void InsertAfterParent(TRowList& list, TNxPropertyItem* parent, TNxPropertyItem* item, bool append);
  TRowList list_;
  TRowList sortedList_;
  TRowList* nodeList_ = &list_;
};
