// The list view's columns and rows as objects: the stored column collection and the row handles
// with their live sub-item lists.
#include "cxListView.h"

#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE(TListColumn, TCollectionItem, TCollection*)
CALDERAN_IMPLEMENT_CLASS(TListColumns, TOwnedCollection)
CALDERAN_IMPLEMENT_CLASS(TListItem, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TListItems, TPersistent)

// ---------------------------------------------------------------------------------------------
// Columns

TcxCustomInnerListView* TListColumn::List() const { return static_cast<TListColumns*>(Collection())->List(); }

std::string TListColumn::Caption() const { return List()->ColumnRecord(Index()).Caption; }

void TListColumn::SetCaption(const std::string& value) {
  if (Caption() == value) return;
  List()->ColumnRecord(Index()).Caption = value;
  List()->ColumnChanged(Index());
}

int TListColumn::Width() const {
  List()->ReadColumnWidths();
  return List()->ColumnRecord(Index()).Width;
}

void TListColumn::SetWidth(int value) {
  List()->ReadColumnWidths();
  if (List()->ColumnRecord(Index()).Width == value) return;
  List()->ColumnRecord(Index()).Width = value;
  List()->ColumnChanged(Index());
}

TAlignment TListColumn::Alignment() const { return List()->ColumnRecord(Index()).Alignment; }

void TListColumn::SetAlignment(TAlignment value) {
  if (Alignment() == value) return;
  List()->ColumnRecord(Index()).Alignment = value;
  List()->ColumnChanged(Index());
}

int TListColumn::ImageIndex() const { return List()->ColumnRecord(Index()).ImageIndex; }

void TListColumn::SetImageIndex(int value) {
  if (ImageIndex() == value) return;
  List()->ColumnRecord(Index()).ImageIndex = value;
  List()->ColumnChanged(Index());
}

std::string TListColumn::DisplayName() const {
  const std::string caption = Caption();
  return caption.empty() ? TCollectionItem::DisplayName() : caption;
}

void TListColumn::Assign(TPersistent* source) {
  auto* other = ObjectAs<TListColumn>(source);
  if (!other) return TCollectionItem::Assign(source);
  SetCaption(other->Caption());
  SetWidth(other->Width());
  SetAlignment(other->Alignment());
  SetImageIndex(other->ImageIndex());
}

TListColumns::TListColumns(TcxCustomInnerListView* owner)
    : TOwnedCollection(owner, TListColumn::StaticClass()), list_(owner) {}

void TListColumns::Notify(TCollectionItem* item, TCollectionNotification action) {
  if (action == cnAdded) list_->ColumnAdded(item->Index());
  if (action == cnExtracting) list_->ColumnRemoved(item->Index());
}

// ---------------------------------------------------------------------------------------------
// Rows

namespace {

[[noreturn]] void IndexError(int index) {
  throw EStringListError(Format("List index out of bounds (%d)", {index}));
}

// The sub-items of one row: the row record's texts, each write shown in the window at once.
class TListSubItems : public TStrings {
 public:
  explicit TListSubItems(TListItem* item) : item_(item) {}
  int Count() const override { return static_cast<int>(Texts().size()); }
  std::string Get(int index) const override {
    if (index < 0 || index >= Count()) IndexError(index);
    return Texts()[index];
  }
  void Put(int index, const std::string& s) override {
    if (index < 0 || index >= Count()) IndexError(index);
    Texts()[index] = s;
    Shown();
  }
  void Insert(int index, const std::string& s) override {
    if (index < 0 || index > Count()) IndexError(index);
    Texts().insert(Texts().begin() + index, s);
    Shown();
  }
  void Delete(int index) override {
    if (index < 0 || index >= Count()) IndexError(index);
    Texts().erase(Texts().begin() + index);
    Shown();
  }
  void Clear() override {
    Texts().clear();
    Shown();
  }

 private:
  std::vector<std::string>& Texts() const { return item_->ListView()->ItemRecord(item_->Index()).SubItems; }
  void Shown() const { item_->ListView()->ItemTextChanged(item_->Index()); }
  TListItem* item_;
};

}  // namespace

TListItem::TListItem(TcxCustomInnerListView* list, int index)
    : list_(list), index_(index), subItems_(std::make_unique<TListSubItems>(this)) {}

TListItem::~TListItem() = default;

std::string TListItem::Caption() const { return list_->ItemRecord(index_).Caption; }

void TListItem::SetCaption(const std::string& value) {
  list_->ItemRecord(index_).Caption = value;
  list_->ItemTextChanged(index_);
}

intptr_t TListItem::Data() const { return list_->ItemRecord(index_).Data; }

void TListItem::SetData(intptr_t value) { list_->ItemRecord(index_).Data = value; }

bool TListItem::Selected() const {
  if (!list_->HandleAllocated()) return false;
  return SendMessageA(list_->Handle(), LVM_GETITEMSTATE, index_, LVIS_SELECTED) & LVIS_SELECTED;
}

void TListItem::SetSelected(bool value) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = value ? LVIS_SELECTED : 0;
  SendMessageA(list_->Handle(), LVM_SETITEMSTATE, index_, reinterpret_cast<LPARAM>(&item));
}

TPoint TListItem::Position() const {
  POINT point{0, 0};
  SendMessageA(list_->Handle(), LVM_GETITEMPOSITION, index_, reinterpret_cast<LPARAM>(&point));
  return TPoint(point.x, point.y);
}

TRect TListItem::DisplayRect(TDisplayCode code) const {
  constexpr int parts[] = {LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL, LVIR_SELECTBOUNDS};
  RECT rect{parts[code], 0, 0, 0};
  if (!SendMessageA(list_->Handle(), LVM_GETITEMRECT, index_, reinterpret_cast<LPARAM>(&rect))) return TRect();
  return TRect(rect);
}

TListItems::~TListItems() = default;

int TListItems::Count() const { return list_->ItemCount(); }

TListItem* TListItems::Item(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", {index}));
  if (static_cast<int>(handles_.size()) < Count()) handles_.resize(Count());
  if (!handles_[index]) handles_[index] = std::make_unique<TListItem>(list_, index);
  return handles_[index].get();
}

TListItem* TListItems::Add() { return Item(list_->AddItem({})); }

void TListItems::Delete(int index) { list_->DeleteItem(index); }

void TListItems::Clear() { list_->Clear(); }

void TListItems::BeginUpdate() {
  if (list_->HandleAllocated()) SendMessageA(list_->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
  if (!list_->HandleAllocated()) return;
  SendMessageA(list_->Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_->Handle(), nullptr, TRUE);
}
