#include "NxPropertyItems.h"

#include <algorithm>
#include <optional>

#include "BinaryFiler.h"
#include "NxInspector.h"
#include "NxItemDisplay.h"
#include "SysUtils.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CREATABLE(TNxPropertyItem, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TNxPropertyItems, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CLASS(EPropertyError, Exception)

// ---------------------------------------------------------------------------------------------
// The row

TNxPropertyItem::TNxPropertyItem(TComponent* owner)
    : TComponent(owner),
      font_(std::make_unique<TFont>()),
      suffixes_(std::make_unique<TStringList>()),
      valueFont_(std::make_unique<TFont>()) {
  font_->OnChange = MakeEvent(this, &TNxPropertyItem::FontChanged);
  valueFont_->OnChange = MakeEvent(this, &TNxPropertyItem::FontChanged);
  suffixEditor_ = new TNxComboBox(this);
  suffixEditor_->SetVisible(false);
}

TNxPropertyItem::~TNxPropertyItem() {
  if (items_) {
    items_->DeleteChildren(this);
    items_->RemoveItem(this);
    Notify(inDestroying);
    items_->DoItemFreed(this);
  }
  // the editors are components of the row: they go with it
  Destroying();
  DestroyComponents();
}

void TNxPropertyItem::Assign(TPersistent* source) {
  auto* other = ObjectAs<TNxPropertyItem>(source);
  if (!other) return TComponent::Assign(source);
  SetCaption(other->caption_);
  SetEmptyValue(other->emptyValue_);
  SetEnabled(other->enabled_);
  SetExpanded(other->expanded_);
  font_->Assign(other->font_.get());
  SetImageIndex(other->imageIndex_);
  SetReadOnly(other->readOnly_);
  suffixes_->Assign(other->suffixes_.get());
  SetSuffixValue(other->suffixValue_);
  SetValue(other->GetValue());
  valueFont_->Assign(other->valueFont_.get());
}

TNxCustomInspector* TNxPropertyItem::Inspector() const { return items_ ? items_->Inspector() : nullptr; }

int TNxPropertyItem::AbsoluteIndex() const {
  if (!items_) return -1;
  const auto& list = items_->List();
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

int TNxPropertyItem::NodeIndex() const {
  if (!items_) return -1;
  const auto& list = items_->NodeList();
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

int TNxPropertyItem::SortedIndex() const {
  if (!items_) return -1;
  const auto& list = items_->SortedList();
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TClass TNxPropertyItem::GetDisplayClass() const { return TNxItemDisplay::StaticClass(); }

TNxItemDisplay* TNxPropertyItem::Display() {
  if (!display_) display_.reset(static_cast<TNxItemDisplay*>(GetDisplayClass()->Create(this)));
  return display_.get();
}

TNxCustomEdit* TNxPropertyItem::Editor() {
  if (editorMade_) return editor_;
  editorMade_ = true;
  if (TClass cls = GetEditorClass()) {
    editor_ = static_cast<TNxCustomEdit*>(cls->Create(this));
    editor_->SetVisible(false);
    editor_->SetAutoSize(false);
    EditorCreated(editor_);
  }
  return editor_;
}

std::u16string TNxPropertyItem::GetValue() {
  std::u16string text;
  GetValueText(text);
  return text;
}

void TNxPropertyItem::SetValue(const std::u16string& text) {
  if (!items_) return;
  SetValueText(text);
}

void TNxPropertyItem::Notify(TNxItemNotification kind, int index) {
  if (!attached_ || Reading() || !items_ || !items_->Owner()) return;
  items_->DoItemChange(this, kind, index);
}

void TNxPropertyItem::ValueChanged() {
  Notify(inValueChanged);
  WriteToAssociate();
}

// --- setters

void TNxPropertyItem::SetCaption(const std::u16string& value) {
  caption_ = value;
  if (level_ == 1 && items_) items_->ResortItem(this);
  Notify(inRepaint);
}

void TNxPropertyItem::SetColor(TColor value) {
  color_ = value;
  Notify(inRepaint);
  Notify(inValueCell);
}

void TNxPropertyItem::SetDefaultValue(const std::u16string& value) {
  defaultValue_ = value;
  Notify(inValueCell);
}

void TNxPropertyItem::SetEmptyValue(const std::u16string& value) {
  emptyValue_ = value;
  if (value.empty()) Notify(inValueCell);
}

void TNxPropertyItem::SetEnabled(bool value) {
  enabled_ = value;
  Notify(inEnabled);
}

void TNxPropertyItem::SetExpanded(bool value) {
  if (expandLock_ || value == expanded_) return;
  expanded_ = value;
  if (items_) items_->SetChildrenShown(this, value);
  if (childCount_ > 0) Notify(value ? inExpanded : inCollapsed);
}

void TNxPropertyItem::SetFont(TFont* value) {
  font_->Assign(value);
  Notify(inRepaint);
}

void TNxPropertyItem::SetImageIndex(int value) {
  imageIndex_ = value;
  Notify(inRepaint);
}

void TNxPropertyItem::SetMapProperty(const std::string& value) {
  mapProperty_ = value;
  LoadFromAssociate();
}

void TNxPropertyItem::SetOptions(TItemOptions value) {
  options_ = value;
  Notify(inOptions);
}

void TNxPropertyItem::SetReadOnly(bool value) {
  readOnly_ = value;
  Notify(inValueCell);
}

void TNxPropertyItem::SetShowPreview(bool value) {
  showPreview_ = value;
  Notify(inValueCell);
}

void TNxPropertyItem::SetShowSuffix(bool value) {
  if (value == showSuffix_) return;
  showSuffix_ = value;
  Notify(inValueCell);
}

void TNxPropertyItem::SetSuffixValue(const std::u16string& value) {
  suffixValue_ = value;
  Notify(inSuffixChanged);
}

void TNxPropertyItem::SetValueFont(TFont* value) {
  valueFont_->Assign(value);
  Notify(inValueCell);
}

void TNxPropertyItem::SetVisible(bool value) {
  visible_ = value;
  hidden_ = !value;
  if (expanded_ && items_) items_->SetDescendantsVisible(this, value);
  Notify(inVisible);
}

// --- editors

void TNxPropertyItem::PrepareEditor() {
  TNxCustomEdit* editor = Editor();
  if (!editor) return;
  editor->SetInPlace(true);
  editor->SetBorderStyle(bsNone);
  editor->SetPreviewBorder(true);
  editor->SetColor(color_);
  editor->SetFont(valueFont_.get());
  editor->InnerMargins()->SetLeft(3);
  editor->SelectAll();
}

void TNxPropertyItem::PrepareSuffixEditor() {
  suffixEditor_->SetBorderStyle(bsNone);
  suffixEditor_->SetColor(color_);
  suffixEditor_->SetFont(valueFont_.get());
  suffixEditor_->SetItems(suffixes_.get());
  suffixEditor_->InnerMargins()->SetLeft(2);
  suffixEditor_->Show();
}

void TNxPropertyItem::HideEditor() {
  if (editor_) editor_->Hide();
}

void TNxPropertyItem::HideSuffixEditor() { suffixEditor_->Hide(); }

// --- stored forms

TComponent* TNxPropertyItem::GetParentComponent() const {
  if (parentItem_) return parentItem_;
  return items_ ? items_->Owner() : nullptr;
}

void TNxPropertyItem::SetParentComponent(TComponent* parent) {
  if (auto* inspector = ObjectAs<TNxCustomInspector>(parent)) {
    inspector->Items()->AddItem(nullptr, this, true);
  } else if (auto* row = ObjectAs<TNxPropertyItem>(parent); row && row->items_) {
    row->items_->AddItem(row, this, true);
  }
}

void TNxPropertyItem::DefineProperties(TFiler* filer) {
  TComponent::DefineProperties(filer);
  filer->DefineProperty("ParentIndex", TReaderProc(this, &TNxPropertyItem::ReadParentIndex),
                        TWriterProc(this, &TNxPropertyItem::WriteParentIndex), true);
}

void TNxPropertyItem::WriteParentIndex(TWriter* writer) {
  writer->WriteInteger(parentItem_ ? parentItem_->AbsoluteIndex() : -1);
}

namespace {

bool SameFont(TFont* a, TFont* b) {
  return a->Charset() == b->Charset() && a->Color() == b->Color() && a->Height() == b->Height() &&
         a->Name() == b->Name() && a->Pitch() == b->Pitch() && a->Size() == b->Size() && a->Style() == b->Style();
}

// The owner of a row's list must be an inspector for what a row asks of it.
TNxCustomInspector* RequireInspector(TNxPropertyItems* items) {
  TNxCustomInspector* inspector = items ? items->Inspector() : nullptr;
  if (items && items->Owner() && !inspector) throw EInvalidCast("Invalid class typecast");
  return inspector;
}

}  // namespace

bool TNxPropertyItem::IsFontStored() const {
  TNxCustomInspector* inspector = RequireInspector(items_);
  return !inspector || !SameFont(font_.get(), inspector->Font());
}

bool TNxPropertyItem::IsValueFontStored() const {
  TNxCustomInspector* inspector = RequireInspector(items_);
  return !inspector || !SameFont(valueFont_.get(), inspector->Font());
}

// ---------------------------------------------------------------------------------------------
// The associated component

namespace {

// Follows "A.B.C" through object-valued published properties; answers the last name's holder.
TObject* ResolvePropertyPath(TObject* instance, std::string& path) {
  size_t dot;
  while (instance && (dot = path.find('.')) != std::string::npos) {
    const TPropInfo* prop = FindPublishedProperty(instance->ClassType(), path.substr(0, dot));
    instance = prop && prop->Kind == tkClass && prop->GetObj ? prop->GetObj(instance) : nullptr;
    path.erase(0, dot + 1);
  }
  return instance;
}

std::string SetText(const TPropInfo* prop, int64_t bits) {
  std::string text;
  for (int i = 0; prop->EnumInfo && i < prop->EnumInfo->Count && i < 32; ++i) {
    if (!(bits & (int64_t{1} << i))) continue;
    if (!text.empty()) text += ",";
    text += GetEnumName(prop->EnumInfo, i + prop->EnumInfo->MinValue);
  }
  return text;
}

int64_t SetBits(const TPropInfo* prop, const std::string& text) {
  int64_t bits = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    const std::string name = Trim(text.substr(start, end - start));
    if (!name.empty()) {
      const int value = GetEnumValue(prop->EnumInfo, name);
      if (value < 0) throw EPropertyError(SInvalidPropertyValue);
      bits |= int64_t{1} << (value - prop->EnumInfo->MinValue);
    }
    start = end + 1;
  }
  return bits;
}

// The published property a row maps to on its inspector's associate.
struct TMappedProperty {
  std::string Name;                 // the last part of the path
  TObject* Holder = nullptr;        // what the path leads to; null where it breaks off
  const TPropInfo* Info = nullptr;  // null when the holder publishes no such property
};

// None when the row has no path or its list is not on an inspector with an associate.
std::optional<TMappedProperty> FindMappedProperty(TNxPropertyItems* items, const std::string& path) {
  if (!items || !items->Owner() || path.empty()) return std::nullopt;
  auto* inspector = ObjectAs<TNxInspector>(items->Owner());
  if (!inspector) throw EInvalidCast("Invalid class typecast");
  if (!inspector->Associate()) return std::nullopt;
  TMappedProperty mapped{path};
  mapped.Holder = ResolvePropertyPath(inspector->Associate(), mapped.Name);
  if (mapped.Holder) mapped.Info = FindPublishedProperty(mapped.Holder->ClassType(), mapped.Name);
  return mapped;
}

}  // namespace

void TNxPropertyItem::LoadFromAssociate() {
  const std::optional<TMappedProperty> mapped = FindMappedProperty(items_, mapProperty_);
  if (!mapped) return;
  TObject* holder = mapped->Holder;
  if (const TPropInfo* prop = mapped->Info) {
    StateFlags |= kItemLoadingValue;
    switch (prop->Kind) {
      case tkInteger: SetAsInteger(static_cast<int>(prop->GetOrd(holder))); break;
      case tkEnumeration:
        SetValueText(AnsiToWide(GetEnumName(prop->EnumInfo, static_cast<int>(prop->GetOrd(holder)))));
        break;
      case tkFloat: SetAsFloat(static_cast<double>(prop->GetFloat(holder))); break;
      case tkString: SetValueText(AnsiToWide(prop->GetStr(holder))); break;
      case tkSet: SetValueText(AnsiToWide(SetText(prop, prop->GetOrd(holder)))); break;
      default: break;
    }
    StateFlags &= ~kItemLoadingValue;
  }
  if (caption_.empty()) SetCaption(AnsiToWide(mapped->Name));
}

void TNxPropertyItem::WriteToAssociate() {
  if (StateFlags & kItemLoadingValue) return;
  const std::optional<TMappedProperty> mapped = FindMappedProperty(items_, mapProperty_);
  if (!mapped || !mapped->Info) return;
  TObject* holder = mapped->Holder;
  const TPropInfo* prop = mapped->Info;
  const std::string text = WideToAnsi(GetValue());
  switch (prop->Kind) {
    case tkInteger:
      if (prop->SetOrd) prop->SetOrd(holder, GetAsInteger());
      break;
    case tkEnumeration: {
      const int value = GetEnumValue(prop->EnumInfo, text);
      if (value < 0) throw EPropertyError(SInvalidPropertyValue);
      if (prop->SetOrd) prop->SetOrd(holder, value);
      break;
    }
    case tkFloat:
      if (prop->SetFloat) prop->SetFloat(holder, GetAsFloat());
      break;
    case tkString:
      if (prop->SetStr) prop->SetStr(holder, text);
      break;
    case tkSet:
      if (prop->SetOrd) prop->SetOrd(holder, SetBits(prop, text));
      break;
    default: break;
  }
}

// ---------------------------------------------------------------------------------------------
// The list

TNxPropertyItems::TNxPropertyItems(TComponent* owner) : TComponent(owner) {}

TNxPropertyItems::~TNxPropertyItems() { Clear(); }

TNxCustomInspector* TNxPropertyItems::Inspector() const { return ObjectAs<TNxCustomInspector>(Owner()); }

int TNxPropertyItems::IndexIn(const TRowList& list, TNxPropertyItem* item) {
  auto it = std::find(list.begin(), list.end(), item);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

int TNxPropertyItems::DescendantCount(const TRowList& list, TNxPropertyItem* item) {
  const int at = IndexIn(list, item);
  if (at < 0) return 0;
  int count = 0;
  for (size_t i = at + 1; i < list.size() && list[i]->Level() > item->Level(); ++i) ++count;
  return count;
}

void TNxPropertyItems::InsertAfterParent(TRowList& list, TNxPropertyItem* parent, TNxPropertyItem* item,
                                         bool append) {
  const int at = IndexIn(list, parent);
  if (at < 0) {
    // a top-level parent is not in the name order: the end with append, the start without
    list.insert(append ? list.end() : list.begin(), item);
    return;
  }
  const int position = append ? at + 1 + DescendantCount(list, parent) : at + 1;
  list.insert(list.begin() + position, item);
}

void TNxPropertyItems::AddItem(TNxPropertyItem* parent, TNxPropertyItem* item, bool append) {
  item->items_ = this;
  if (parent) {
    item->parentItem_ = parent;
    item->level_ = parent->level_ + 1;
    item->attached_ = true;
    item->hidden_ = parent->hidden_ || !parent->expanded_;
    parent->childCount_ += 1;
    InsertAfterParent(list_, parent, item, append);
    InsertAfterParent(sortedList_, parent, item, append);
    if (parent->childCount_ == 1) parent->Notify(inRepaint);
  } else {
    item->level_ = 0;
    item->attached_ = true;
    list_.insert(append ? list_.end() : list_.begin(), item);
  }
  if (TNxCustomInspector* inspector = Inspector()) item->font_->Assign(inspector->Font());
  item->valueFont_->Assign(item->font_.get());
  if (!item->hidden_) item->Notify(inAdded);
}

void TNxPropertyItems::RemoveItem(TNxPropertyItem* item) {
  std::erase(list_, item);
  std::erase(sortedList_, item);
  item->Notify(inRemoved);
  if (item->parentItem_) item->parentItem_->childCount_ -= 1;
  DoChange();
}

void TNxPropertyItems::DeleteChildren(TNxPropertyItem* item) {
  for (;;) {
    const int at = IndexIn(list_, item);
    if (at < 0 || at + 1 >= Count() || list_[at + 1]->Level() <= item->Level()) break;
    TNxPropertyItem* child = list_[at + 1];
    DoItemFreed(child);
    child->items_ = nullptr;
    std::erase(list_, child);
    std::erase(sortedList_, child);
    delete child;
  }
  item->childCount_ = 0;
}

void TNxPropertyItems::ResortItem(TNxPropertyItem* item) {
  if (item->Level() > 1) return;
  const int current = IndexIn(sortedList_, item);
  if (current < 0) return;
  const std::u16string caption = AnsiToWide(WideToAnsi(item->Caption()));
  int target = 0;
  size_t stop = sortedList_.size();
  for (size_t i = 0; i < sortedList_.size(); ++i) {
    TNxPropertyItem* entry = sortedList_[i];
    if (entry == item) continue;
    if (entry->Level() == 1 && entry->Caption() > caption) {
      stop = i;
      break;
    }
    ++target;
  }
  if (target == current) return;
  const int blockLength = DescendantCount(sortedList_, item) + 1;
  TRowList block(sortedList_.begin() + current, sortedList_.begin() + current + blockLength);
  TNxPropertyItem* stopEntry = stop < sortedList_.size() ? sortedList_[stop] : nullptr;
  sortedList_.erase(sortedList_.begin() + current, sortedList_.begin() + current + blockLength);
  auto where = stopEntry ? std::find(sortedList_.begin(), sortedList_.end(), stopEntry) : sortedList_.end();
  sortedList_.insert(where, block.begin(), block.end());
}

void TNxPropertyItems::SetChildrenShown(TNxPropertyItem* item, bool shown) {
  const int at = IndexIn(list_, item);
  if (at < 0) return;
  for (int i = at + 1; i < Count() && list_[i]->Level() > item->Level(); ++i) {
    TNxPropertyItem* d = list_[i];
    if (!shown) {
      d->hidden_ = true;
      continue;
    }
    if (d->visible_) d->hidden_ = false;
    if (!d->expanded_) i += DescendantCount(*nodeList_, d);
  }
}

void TNxPropertyItems::SetDescendantsVisible(TNxPropertyItem* item, bool visible) {
  for (TRowList* list : {&list_, &sortedList_}) {
    const int at = IndexIn(*list, item);
    if (at < 0) continue;
    for (int i = at + 1; i < static_cast<int>(list->size()) && (*list)[i]->Level() > item->Level(); ++i)
      (*list)[i]->hidden_ = !visible;
  }
}

void TNxPropertyItems::SetArrange(TItemsArrange arrange) { nodeList_ = arrange == taName ? &sortedList_ : &list_; }

void TNxPropertyItems::Clear() {
  while (!list_.empty()) delete list_.back();
  DoChange();
}

void TNxPropertyItems::DoChange() {
  if (OnChange) OnChange(this);
}

void TNxPropertyItems::DoItemChange(TNxPropertyItem* item, uint8_t kind, int index) {
  if (item->Reading()) return;
  if (OnItemChange) OnItemChange(this, item, kind, index);
}

void TNxPropertyItems::DoItemFreed(TNxPropertyItem* item) {
  if (OnItemFreed) OnItemFreed(item);
}
