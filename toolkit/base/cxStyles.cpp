#include "cxStyles.h"

#include <algorithm>

#include "BinaryFiler.h"
#include "Controls.h"
#include "SysUtils.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CLASS(TcxCustomStyle, TComponent)
CALDERAN_IMPLEMENT_CREATABLE(TcxStyle, TcxCustomStyle, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomStyles, TcxInterfacedPersistent, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomStyleSheet, TcxComponent, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxStyleRepository, TComponent, TComponent*)

namespace {

template <class T> void EraseOnce(std::vector<T>& list, T item) {
  if (auto it = std::find(list.begin(), list.end(), item); it != list.end()) list.erase(it);
}

template <class T> void AddOnce(std::vector<T>& list, T item) {
  if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TcxCustomStyle

TcxCustomStyle::~TcxCustomStyle() {
  while (!observers_.empty()) {
    IcxStyleObserver* last = observers_.back();
    last->NotifyStyleDestroying(this);
    // An observer that stays would be told for ever.
    if (!observers_.empty() && observers_.back() == last) observers_.pop_back();
  }
  JoinRepository(nullptr);
}

void TcxCustomStyle::NotifyObservers() {
  for (size_t i = observers_.size(); i-- > 0;) {
    if (i < observers_.size()) observers_[i]->NotifyStyleChanged(this);
  }
}

void TcxCustomStyle::AddObserver(IcxStyleObserver* observer) { AddOnce(observers_, observer); }

void TcxCustomStyle::RemoveObserver(IcxStyleObserver* observer) { EraseOnce(observers_, observer); }

void TcxCustomStyle::JoinRepository(TcxStyleRepository* repository) {
  if (repository == repository_) return;
  if (repository_) EraseOnce(repository_->items_, this);
  repository_ = repository;
  if (repository_) AddOnce(repository_->items_, this);
}

TComponent* TcxCustomStyle::GetParentComponent() const { return repository_; }

// The stored-form reader names the repository a style is read under as its parent.
void TcxCustomStyle::SetParentComponent(TComponent* parent) {
  JoinRepository(ObjectAs<TcxStyleRepository>(parent));
}

// ---------------------------------------------------------------------------------------------
// TcxStyle

TcxStyle::TcxStyle(TComponent* owner) : TcxCustomStyle(owner), bitmap_(new TBitmap()), font_(new TFont()) {
  bitmap_->OnChange = MakeEvent(this, &TcxStyle::BitmapChanged);
  font_->OnChange = MakeEvent(this, &TcxStyle::FontChanged);
}

TcxStyle::~TcxStyle() {
  delete bitmap_;
  delete font_;
}

void TcxStyle::Assign(TPersistent* source) {
  auto* style = ObjectAs<TcxStyle>(source);
  if (!style) return TcxCustomStyle::Assign(source);
  SetBitmap(style->Bitmap());
  SetColor(style->Color());
  SetFont(style->Font());
  SetTextColor(style->TextColor());
  SetAssignedValues(style->AssignedValues());
}

void TcxStyle::ResetValues() {
  assignedValues_ = TcxStyleValues();
  TBitmap empty;
  bitmap_->OnChange = nullptr;
  bitmap_->Assign(&empty);
  bitmap_->OnChange = MakeEvent(this, &TcxStyle::BitmapChanged);
  color_ = clDefault;
  textColor_ = clDefault;
  NotifyObservers();
}

void TcxStyle::Loaded() {
  TcxCustomStyle::Loaded();
  if (!StyleRepository()) return;
  // Scaling is no assignment: a style without a font of its own keeps none.
  bool fontAssigned = IsFontStored();
  font_->SetHeight(StyleRepository()->ScaleFontHeight(font_->Height()));
  SetAssigned(TcxStyleValue::svFont, fontAssigned);
}

void TcxStyle::SetAssignedValues(TcxStyleValues value) {
  if (value == assignedValues_) return;
  assignedValues_ = value;
  NotifyObservers();
}

void TcxStyle::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  SetAssigned(TcxStyleValue::svColor, value != clDefault);
  NotifyObservers();
}

void TcxStyle::SetTextColor(TColor value) {
  if (value == textColor_) return;
  textColor_ = value;
  SetAssigned(TcxStyleValue::svTextColor, value != clDefault);
  NotifyObservers();
}

void TcxStyle::BitmapChanged(TObject*) {
  SetAssigned(TcxStyleValue::svBitmap, !bitmap_->Empty());
  NotifyObservers();
}

void TcxStyle::FontChanged(TObject*) {
  SetAssigned(TcxStyleValue::svFont, true);
  NotifyObservers();
}

void TcxStyle::SetAssigned(TcxStyleValue value, bool assigned) {
  if (assigned) assignedValues_.Include(value);
  else assignedValues_.Exclude(value);
}

// ---------------------------------------------------------------------------------------------
// TcxCustomStyles

TcxCustomStyles::TcxCustomStyles(TPersistent* owner)
    : TcxInterfacedPersistent(owner), ownerSheet_(ObjectAs<TcxCustomStyleSheet>(owner)) {}

TcxCustomStyles::~TcxCustomStyles() {
  destroying_ = true;
  AttachStyleSheet(nullptr);
  while (!items_.empty()) DeleteItem(items_.size() - 1);
}

void TcxCustomStyles::Assign(TPersistent* source) {
  if (auto* styles = ObjectAs<TcxCustomStyles>(source)) return SetStyleSheet(styles->StyleSheet());
  TcxInterfacedPersistent::Assign(source);
}

TcxCustomStyle* TcxCustomStyles::GetValue(int index) const {
  for (const auto& [entryIndex, style] : items_)
    if (entryIndex == index) return style;
  return nullptr;
}

void TcxCustomStyles::SetValue(int index, TcxCustomStyle* style) {
  auto entry = std::find_if(items_.begin(), items_.end(), [index](const auto& item) { return item.first == index; });
  if (entry != items_.end() && entry->second == style) return;
  if (entry != items_.end()) {
    TcxCustomStyle* old = entry->second;
    items_.erase(entry);
    if (std::none_of(items_.begin(), items_.end(), [old](const auto& item) { return item.second == old; })) {
      old->RemoveObserver(this);
    }
  }
  if (style) {
    items_.emplace_back(index, style);
    style->AddObserver(this);
  }
  ItemChanged(index);
}

void TcxCustomStyles::NotifyStyleChanged(TcxCustomStyle* style) {
  std::vector<int> indexes;
  for (const auto& [index, used] : items_)
    if (used == style) indexes.push_back(index);
  for (int index : indexes) ItemChanged(index);
}

void TcxCustomStyles::NotifyStyleDestroying(TcxCustomStyle* style) {
  for (size_t i = items_.size(); i-- > 0;) {
    if (i < items_.size() && items_[i].second == style) DeleteItem(i);
  }
  style->RemoveObserver(this);
}

void TcxCustomStyles::DeleteItem(size_t position) {
  auto [index, style] = items_[position];
  style->RemoveObserver(this);
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
  // The style may serve other entries still.
  if (std::any_of(items_.begin(), items_.end(), [style](const auto& item) { return item.second == style; })) {
    style->AddObserver(this);
  }
  ItemChanged(index);
}

void TcxCustomStyles::ItemChanged(int index) {
  if (destroying_) return;
  DoItemChanged(index);
  if (ownerSheet_) ownerSheet_->ItemChanged(index);
}

bool TcxCustomStyles::CanUseStyleSheet(TcxCustomStyleSheet* sheet) const {
  if (!sheet) return true;
  if (sheet == ownerSheet_ || sheet->ClassOperations()->StylesClass() != ClassType()) return false;
  // Following the sheets' own sheets must never come back to this object's sheet.
  for (TcxCustomStyleSheet* next = sheet; next && ownerSheet_; next = next->Styles()->StyleSheet()) {
    if (next == ownerSheet_) return false;
  }
  return true;
}

void TcxCustomStyles::CollectIndexes(std::vector<int>& indexes) const {
  for (const auto& [index, style] : items_) AddOnce(indexes, index);
  if (styleSheet_) styleSheet_->Styles()->CollectIndexes(indexes);
}

void TcxCustomStyles::AttachStyleSheet(TcxCustomStyleSheet* sheet) {
  if (sheet == styleSheet_ || !CanUseStyleSheet(sheet)) return;
  std::vector<int> indexes;
  if (styleSheet_) {
    EraseOnce(styleSheet_->users_, this);
    if (!destroying_) styleSheet_->Styles()->CollectIndexes(indexes);
  }
  styleSheet_ = sheet;
  if (styleSheet_) {
    styleSheet_->users_.push_back(this);
    styleSheet_->Styles()->CollectIndexes(indexes);
  }
  for (int index : indexes) ItemChanged(index);
}

// ---------------------------------------------------------------------------------------------
// TcxCustomStyleSheet

TClass TcxCustomStyleSheetClass::StylesClass() const { return TcxCustomStyles::StaticClass(); }

TcxCustomStyleSheet::TcxCustomStyleSheet(TComponent* owner)
    : TcxComponent(owner), builtIn_(owner && owner->ComponentState().Contains(csDesigning)) {}

TcxCustomStyles* TcxCustomStyleSheet::Styles() const {
  if (!styles_) {
    auto* self = const_cast<TcxCustomStyleSheet*>(this);
    styles_ = static_cast<TcxCustomStyles*>(ClassOperations()->StylesClass()->Create(self));
  }
  return styles_;
}

TcxCustomStyleSheet::~TcxCustomStyleSheet() {
  while (!users_.empty()) users_.back()->SetStyleSheet(nullptr);
  JoinRepository(nullptr);
  delete styles_;
}

void TcxCustomStyleSheet::Assign(TPersistent* source) {
  auto* sheet = ObjectAs<TcxCustomStyleSheet>(source);
  if (!sheet) return TcxComponent::Assign(source);
  SetCaption(sheet->Caption());
  Styles()->Assign(sheet->Styles());
}

void TcxCustomStyleSheet::DefineProperties(TFiler* filer) {
  TcxComponent::DefineProperties(filer);
  filer->DefineProperty("BuiltIn", MakeEvent(this, &TcxCustomStyleSheet::ReadBuiltIn),
                        MakeEvent(this, &TcxCustomStyleSheet::WriteBuiltIn), true);
}

void TcxCustomStyleSheet::ReadBuiltIn(TReader* reader) { builtIn_ = reader->ReadBoolean(); }
void TcxCustomStyleSheet::WriteBuiltIn(TWriter* writer) { writer->WriteBoolean(builtIn_); }

void TcxCustomStyleSheet::SetCaption(const std::string& value) {
  caption_ = AnsiSameText(value, Name()) ? "" : value;
}

void TcxCustomStyleSheet::JoinRepository(TcxStyleRepository* repository) {
  if (repository == repository_) return;
  if (repository_) EraseOnce(repository_->styleSheets_, this);
  repository_ = repository;
  if (repository_) AddOnce(repository_->styleSheets_, this);
}

void TcxCustomStyleSheet::ItemChanged(int index) {
  for (TcxCustomStyles* user : std::vector<TcxCustomStyles*>(users_)) user->ItemChanged(index);
  UpdateFakeLinks();
}

TComponent* TcxCustomStyleSheet::GetParentComponent() const { return repository_; }

void TcxCustomStyleSheet::SetParentComponent(TComponent* parent) {
  JoinRepository(ObjectAs<TcxStyleRepository>(parent));
}

void TcxCustomStyleSheet::GetFakeComponentLinks(TList* list) {
  for (const auto& [index, style] : Styles()->items_) {
    TComponent* owner = style->Owner();
    if (owner && owner != Owner() && list->IndexOf(owner) < 0) list->Add(owner);
  }
}

// ---------------------------------------------------------------------------------------------
// TcxStyleRepository

TcxStyleRepository::~TcxStyleRepository() {
  while (!items_.empty()) delete items_.back();        // each leaves the list
  while (!styleSheets_.empty()) delete styleSheets_.back();
}

void TcxStyleRepository::DefineProperties(TFiler* filer) {
  TComponent::DefineProperties(filer);
  filer->DefineProperty("PixelsPerInch", MakeEvent(this, &TcxStyleRepository::ReadPixelsPerInch),
                        MakeEvent(this, &TcxStyleRepository::WritePixelsPerInch), true);
}

void TcxStyleRepository::ReadPixelsPerInch(TReader* reader) { pixelsPerInch_ = reader->ReadInteger(); }

// Written as the resolution of the screen the form is written on.
void TcxStyleRepository::WritePixelsPerInch(TWriter* writer) { writer->WriteInteger(ScreenPixelsPerInch()); }

TcxCustomStyle* TcxStyleRepository::CreateStyle(TClass styleClass) {
  auto* style = ObjectAs<TcxCustomStyle>(styleClass->Create(Owner()));
  style->JoinRepository(this);
  return style;
}

TcxCustomStyleSheet* TcxStyleRepository::CreateSheet(TClass sheetClass) {
  auto* sheet = ObjectAs<TcxCustomStyleSheet>(sheetClass->Create(Owner()));
  sheet->JoinRepository(this);
  return sheet;
}

void TcxStyleRepository::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) const {
  for (TcxCustomStyle* style : items_)
    if (style->Owner() == root) proc(style);
  for (TcxCustomStyleSheet* sheet : styleSheets_)
    if (sheet->Owner() == root) proc(sheet);
}

int TcxStyleRepository::ScaleFontHeight(int height) const {
  if (!scalable_ || pixelsPerInch_ == 0) return height;
  int screen = ScreenPixelsPerInch();
  return screen == pixelsPerInch_ ? height : MulDiv(height, screen, pixelsPerInch_);
}

// ---------------------------------------------------------------------------------------------

namespace {

constexpr const char* kStyleValueNames[] = {"svBitmap", "svColor", "svFont", "svTextColor"};
constinit const TEnumInfo StyleValueInfo{kStyleValueNames, 4, 0};

constinit const TPropInfo kStyleProps[] = {
    Published<&TcxStyle::AssignedValues, &TcxStyle::SetAssignedValues>("AssignedValues", &StyleValueInfo)
        .WithDefault(TcxStyleValues()),
    Published<&TcxStyle::Bitmap, nullptr>("Bitmap").StoredWhen<&TcxStyle::IsBitmapStored>(),
    Published<&TcxStyle::Color, &TcxStyle::SetColor>("Color").StoredWhen<&TcxStyle::IsColorStored>(),
    Published<&TcxStyle::Font, nullptr>("Font").StoredWhen<&TcxStyle::IsFontStored>(),
    Published<&TcxStyle::TextColor, &TcxStyle::SetTextColor>("TextColor").StoredWhen<&TcxStyle::IsTextColorStored>(),
};

constinit const TPropInfo kStyleSheetProps[] = {
    Published<&TcxCustomStyleSheet::Caption, &TcxCustomStyleSheet::SetCaption>("Caption")
        .StoredWhen<&TcxCustomStyleSheet::IsCaptionStored>(),
};

constinit const TPropInfo kRepositoryProps[] = {
    Published<&TcxStyleRepository::Scalable, &TcxStyleRepository::SetScalable>("Scalable").WithDefault(false),
};

void StartStyles() {
  GroupDescendentsWith(TcxCustomStyle::StaticClass(), TControl::StaticClass());
  GroupDescendentsWith(TcxCustomStyleSheet::StaticClass(), TControl::StaticClass());
  GroupDescendentsWith(TcxStyleRepository::StaticClass(), TControl::StaticClass());
  RegisterPublishedProperties(TcxStyle::StaticClass(), kStyleProps);
  RegisterPublishedProperties(TcxCustomStyleSheet::StaticClass(), kStyleSheetProps);
  RegisterPublishedProperties(TcxStyleRepository::StaticClass(), kRepositoryProps);
  RegisterClass(TcxStyle::StaticClass());
  // The stored-form reader makes every component by its class name, the repository included.
  RegisterClass(TcxStyleRepository::StaticClass());
}

void StopStyles() {
  UnRegisterClass(TcxStyleRepository::StaticClass());
  UnRegisterClass(TcxStyle::StaticClass());
}

}  // namespace

const TUnitInfo cxStylesUnit{"cxStyles", StartStyles, StopStyles};
