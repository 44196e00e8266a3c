#include "dxBarItem.h"

#include "Forms.h"
#include "SysUtils.h"
#include "TypInfo.h"
#include "ActnList.h"
#include "cxGraphicsRoutines.h"
#include "dxBarItemActionLink.h"
#include "dxBarItemLinks.h"
#include "dxBarItemRegistry.h"
#include "dxBarItemStylesData.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CREATABLE(TdxBarItem, TdxBarComponent, TComponent*)

namespace {
// The manager an item created with this owner registers with.
TdxBarManager* ManagerForOwner(TComponent* owner) {
  if (auto* manager = ObjectAs<TdxBarManager>(owner)) return manager;
  if (TdxBarManager* manager = FindBarManagerOf(owner)) return manager;
  return BarManagerCount() > 0 ? BarManagerAt(0) : nullptr;
}

// The caption as the short hint shows it: without its first "&" and its first "...".
std::string HintOfCaption(std::string caption) {
  const size_t amp = caption.find('&');
  if (amp != std::string::npos) caption.erase(amp, 1);
  const size_t dots = caption.find("...");
  if (dots != std::string::npos) caption.erase(dots, 3);
  return caption;
}
}  // namespace

TdxBarItem::TdxBarItem(TComponent* owner)
    : TdxBarComponent(owner), glyph_(new TBitmap), largeGlyph_(new TBitmap) {
  if (TdxBarManager* manager = ManagerForOwner(owner)) manager->AddItem(this);
  glyph_->OnChange = MakeEvent(this, &TdxBarItem::GlyphBitmapChanged);
  largeGlyph_->OnChange = MakeEvent(this, &TdxBarItem::LargeGlyphBitmapChanged);
}

TdxBarItem::~TdxBarItem() {
  CallNotifyEvent(OnDestroy, this);
  Destroying();
  RemoveAllLinks();
  if (BarManager()) BarManager()->RemoveItem(this);
  delete stylesData_;
  delete actionLink_;
  delete largeGlyph_;
  delete glyph_;
}


// ---------------------------------------------------------------------------------------------
// Setters.

void TdxBarItem::SetAlign(TdxBarItemAlign value) {
  if (value == align_) return;
  align_ = value;
  RebuildBars();
}

bool TdxBarItem::HintFollowsCaption() const {
  return hint_.empty() || GetHintCaption(hint_) == HintOfCaption(caption_);
}

void TdxBarItem::SetCaption(const std::string& value) {
  if (value == caption_) return;
  const bool follows = HintFollowsCaption();
  const std::string oldHint = hint_;
  caption_ = value;
  if (IsLoadingItem()) return;
  if (follows) {
    const size_t bar = oldHint.find('|');
    hint_ = HintOfCaption(value) + (bar != std::string::npos ? oldHint.substr(bar) : "");
  }
  CaptionChanged();
}

void TdxBarItem::SetCategory(int value) {
  if (IsLoadingItem()) {
    category_ = value;
    return;
  }
  TdxBarManager* manager = BarManager();
  if (value == category_ || !manager || value < 0 || value >= manager->Categories()->Count()) return;
  int last = -1;
  for (int i = 0; i < manager->GetItemCount(); ++i) {
    if (manager->GetItem(i)->Category() == value) last = i;
  }
  if (last >= 0) {
    const int self = manager->ItemList()->IndexOf(this);
    manager->ItemList()->Move(self, last < self ? last + 1 : last);
  }
  category_ = value;
  NotifyChanged(true);
}

void TdxBarItem::SetDescription(const std::string& value) {
  if (value == description_) return;
  description_ = value;
  NotifyChanged(false);
}

bool TdxBarItem::Enabled() const {
  TdxBarManager* manager = BarManager();
  if (manager && manager->IsCustomizing() && !manager->IsBarManagerDesigning() && category_ >= 0) return true;
  return enabled_;
}

void TdxBarItem::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (!IsLoadingItem()) EnabledChanged();
}

void TdxBarItem::SetVisible(TdxBarItemVisible value) {
  if (IsLoadingItem() && !(BarManager() && BarManager()->IsApplyingLoadedState())) {
    loadedVisible_ = value;
    return;
  }
  if (value == visible_) return;
  visible_ = value;
  VisibleChanged();
}

void TdxBarItem::ApplyLoadedVisible() { SetVisible(loadedVisible_); }

void TdxBarItem::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  imageIndex_ = value;
  GlyphChanged();
}

void TdxBarItem::SetLargeImageIndex(int value) {
  if (value == largeImageIndex_) return;
  largeImageIndex_ = value;
  LargeGlyphChanged();
}

void TdxBarItem::SetPaintStyle(TdxBarPaintStyle value) {
  if (value == paintStyle_) return;
  paintStyle_ = value;
  if (!IsLoadingItem()) PaintStyleChanged();
}

void TdxBarItem::SetShortCut(TShortCut value) {
  if (value == shortCut_) return;
  shortCut_ = value;
  if (!IsLoadingItem()) ShortCutChanged();
}

void TdxBarItem::SetWidth(int value) {
  if (value < 0 || value == width_) return;
  width_ = value;
  WidthChanged();
}

void TdxBarItem::SetGlyphLayout(TdxBarGlyphLayout value) {
  if (value == glyphLayout_) return;
  glyphLayout_ = value;
  RebuildBars();
}

void TdxBarItem::SetShowCaption(bool value) {
  if (value == showCaption_) return;
  showCaption_ = value;
  if (!IsLoadingItem()) RebuildBars();
}

void TdxBarItem::GlyphBitmapChanged(TObject*) { GlyphChanged(); }
void TdxBarItem::LargeGlyphBitmapChanged(TObject*) { LargeGlyphChanged(); }

// ---------------------------------------------------------------------------------------------
// The click route.

void TdxBarItem::Click() {
  if (!Enabled()) return;
  TcxObjectLinkGuard self(this);
  try {
    if (BarManager()) BarManager()->DoClickItem(this);
    if (self.Alive()) ExecuteClick();
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

void TdxBarItem::ClickByKey() {
  if (CanClick()) Click();
}

bool TdxBarItem::IsShortCut(TShortCut shortCut) {
  if (!Enabled()) return false;
  if (CanClick() && shortCut != 0 && shortCut == shortCut_) {
    ClickByKey();
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Kind.

TClass TdxBarItem::GetControlClass(bool) const { return BarItemControlClassOf(ClassType()); }

bool TdxBarItem::CanBePlacedOn(int, TComponent*, std::string& errorText) const {
  errorText.clear();
  return true;
}

TCustomImageList* TdxBarItem::GetImages() const {
  return BarManager() ? BarManager()->ImageOptions()->Images() : nullptr;
}

bool TdxBarItem::HasImage() const { return IsImageIndexValid(GetImages(), imageIndex_); }

bool TdxBarItem::IsVisibleForCustomizing() const {
  const bool customizing = BarManager() && BarManager()->IsCustomizing();
  if (visible_ == ivAlways) return HasContent() || customizing;
  return visible_ == ivInCustomizing && customizing;
}

// ---------------------------------------------------------------------------------------------
// Streaming.

TComponent* TdxBarItem::GetParentComponent() const { return category_ >= 0 ? BarManager() : nullptr; }

void TdxBarItem::SetParentComponent(TComponent* parent) {
  auto* manager = ObjectAs<TdxBarManager>(parent);
  if (!manager || manager == BarManager()) return;
  if (BarManager()) BarManager()->RemoveItem(this);
  manager->AddItem(this);
  BarManagerChanged();
}

void TdxBarItem::SetName(const std::string& name) {
  TdxBarComponent::SetName(name);
  if (!(ComponentState().Contains(csDesigning) && name.empty())) NotifyChanged(false);
}

void TdxBarItem::Loaded() {
  TdxBarComponent::Loaded();
  if (Action()) ActionChange(Action(), true);
  CallNotifyEvent(OnAfterLoad, this);
}

void TdxBarItem::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TdxBarItem*>(source);
  if (!other) return TdxBarComponent::Assign(source);
  SetAction(other->Action());
  SetAlign(other->align_);
  SetCaption(other->caption_);
  SetCategory(other->category_);
  SetDescription(other->description_);
  SetEnabled(other->enabled_);
  helpContext_ = other->helpContext_;
  hint_ = other->hint_;
  keyTip_ = other->keyTip_;
  mergeKind_ = other->mergeKind_;
  SetMergeOrder(other->mergeOrder_);
  SetStyle(other->Style());
  SetVisible(other->visible_);
  data_ = other->data_;
  SetGlyph(other->glyph_);
  SetImageIndex(other->imageIndex_);
  SetLargeGlyph(other->largeGlyph_);
  SetLargeImageIndex(other->largeImageIndex_);
  SetShortCut(other->shortCut_);
  OnClick = other->OnClick;
}

// ---------------------------------------------------------------------------------------------
namespace {
using I = TdxBarItem;
constinit const TPropInfo itemProps[] = {
    Published<&I::Action, &I::SetAction>("Action"),
    Published<&I::Align, &I::SetAlign>("Align", &TdxBarItemAlignInfo).WithDefault(iaLeft),
    Published<&I::Caption, &I::SetCaption>("Caption").StoredWhen<&I::IsCaptionStored>(),
    Published<&I::Category, &I::SetCategory>("Category"),
    Published<&I::Description, &I::SetDescription>("Description"),
    Published<&I::Enabled, &I::SetEnabled>("Enabled").WithDefault(true).StoredWhen<&I::IsEnabledStored>(),
    Published<&I::HelpContext, &I::SetHelpContext>("HelpContext").WithDefault(0).StoredWhen<&I::IsHelpContextStored>(),
    Published<&I::Hint, &I::SetHint>("Hint").StoredWhen<&I::IsHintStored>(),
    Published<&I::KeyTip, &I::SetKeyTip>("KeyTip"),
    Published<&I::MergeKind, &I::SetMergeKind>("MergeKind", &TdxBarItemMergeKindInfo).WithDefault(mkAdd),
    Published<&I::MergeOrder, &I::SetMergeOrder>("MergeOrder").WithDefault(0),
    Published<&I::Style, &I::SetStyle>("Style"),
    Published<&I::Visible, &I::SetVisible>("Visible", &TdxBarItemVisibleInfo).StoredWhen<&I::IsVisibleStored>(),
    PublishedEvent<&I::OnDestroy>("OnDestroy"),
};
}  // namespace

void RegisterBarItemProperties() { RegisterPublishedProperties(TdxBarItem::StaticClass(), itemProps); }
