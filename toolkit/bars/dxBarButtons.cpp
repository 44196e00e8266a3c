#include "dxBarButtons.h"

#include "SysUtils.h"
#include "TypInfo.h"
#include "dxBarButtonControl.h"
#include "dxBarItemActionLink.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CREATABLE(TdxBarButton, TdxBarItem, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarLabel, TdxBarItem, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarSeparator, TdxBarLabel, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarApplicationMenuButtonItem, TdxBarItem, TComponent*)

namespace {
constexpr const char* buttonStyleNames[] = {"bsDefault", "bsChecked", "bsDropDown", "bsCheckedDropDown"};
TdxBarPopupMenuLinksFunc popupMenuLinks = nullptr;
TdxBarButtonDropDownHandler dropDownHandler = nullptr;
}  // namespace

constinit const TEnumInfo TdxBarButtonStyleInfo{buttonStyleNames, 4};

void SetBarPopupMenuLinksFunc(TdxBarPopupMenuLinksFunc func) { popupMenuLinks = func; }
void SetBarButtonDropDownHandler(TdxBarButtonDropDownHandler handler) { dropDownHandler = handler; }

TdxBarButton::TdxBarButton(TComponent* owner) : TdxBarItem(owner) { SetUnclickAfterDoing(true); }

TdxBarButton::~TdxBarButton() { SetDropDownMenu(nullptr); }

void TdxBarButton::SetButtonStyle(TdxBarButtonStyle value) {
  if (value == ButtonStyle()) return;
  styleState_ = value;
  SetDown(false);
  if (!IsLoadingItem()) RebuildBars();
  NotifyChanged(false);
}

void TdxBarButton::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = IsCheckable() ? value : 0;
  SetDown(false);
}

void TdxBarButton::SetAllowAllUp(bool value) {
  allowAllUp_ = value;
  if (groupIndex_ == 0 || !BarManager()) return;
  for (int i = 0; i < BarManager()->GetItemCount(); ++i) {
    auto* button = ObjectAs<TdxBarButton>(BarManager()->GetItem(i));
    if (button && button->groupIndex_ == groupIndex_) button->allowAllUp_ = value;
  }
}

bool TdxBarButton::IsDownPartner(const TdxBarButton* other) const {
  return other && other != this && other->IsCheckable() && other->groupIndex_ == groupIndex_ && other->down_;
}

TdxBarButton* TdxBarButton::DownPartner() const {
  for (int i = 0; BarManager() && i < BarManager()->GetItemCount(); ++i) {
    auto* button = ObjectAs<TdxBarButton>(BarManager()->GetItem(i));
    if (IsDownPartner(button)) return button;
  }
  return nullptr;
}

bool TdxBarButton::AnotherDownInGroup() const { return DownPartner() != nullptr; }

// One down button per group: the one that goes down releases its partner; the last one down stays
// down unless the group allows all up.
void TdxBarButton::SetDown(bool value) {
  if (value == down_ || (value && !IsCheckable())) return;
  const bool groupLogic = !IsLoadingItem() && IsCheckable() && groupIndex_ != 0;
  TdxBarButton* partner = nullptr;
  if (groupLogic && value) partner = DownPartner();
  if (groupLogic && !value && !allowAllUp_ && !AnotherDownInGroup()) return;
  down_ = value;
  if (IsLoadingItem()) return;
  UpdateControls();
  if (partner) partner->SetDown(false);
}

bool TdxBarButton::IsDownStored() const { return !ActionLink() || !ActionLink()->IsCheckedLinked(); }

void TdxBarButton::SetDropDownEnabled(bool value) {
  if (value == dropDownEnabled_) return;
  dropDownEnabled_ = value;
  if (!IsLoadingItem()) UpdateControls();
}

void TdxBarButton::SetLowered(bool value) {
  if (value == lowered_) return;
  lowered_ = value;
  if (!IsLoadingItem()) RebuildBars();
}

void TdxBarButton::SetDropDownMenu(TComponent* value) {
  if (value == dropDownMenu_) return;
  TdxBarItemLinks* links = value && popupMenuLinks ? popupMenuLinks(value) : nullptr;
  if (links && links->ContainsLinksOwner(this)) throw Exception("You cannot create recursive menus");
  if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
  dropDownMenu_ = value;
  if (value) value->FreeNotification(this);
}

void TdxBarButton::Notification(TComponent* component, TOperation operation) {
  TdxBarItem::Notification(component, operation);
  if (operation == opRemove && component == dropDownMenu_) dropDownMenu_ = nullptr;
}

TdxBarItemLinks* TdxBarButton::GetOwnItemLinks() const {
  return dropDownMenu_ && popupMenuLinks ? popupMenuLinks(dropDownMenu_) : nullptr;
}

// On a toolbar only a button that shows its caption takes an accelerator: the link's paint style
// says so, or the control's effective one (a standard style may show the caption there).
bool TdxBarButton::CanActivateByAccel(TdxBarItemLink* link) const {
  if (!Enabled()) return false;
  TdxBarItemLinks* links = link ? link->Links() : nullptr;
  if (!links || !IsToolbarObject(links->GetLinksOwner())) return true;
  TdxBarPaintStyle style = link->GetPaintStyle();
  if (auto* control = ObjectAs<TdxBarButtonControl>(link->Control())) style = control->GetButtonPaintStyle();
  return style == psCaption || style == psCaptionGlyph;
}

void TdxBarButton::PaintStyleChanged() {
  ForEachControlWithout(udPaintStyle, [](TdxBarItemControl* control) { control->PaintStyleChanged(); });
}

int TdxBarButton::GetSupportedActions() {
  const int base = TdxBarItem::GetSupportedActions();
  return base | (ComponentState().Contains(csDesigning) ? 0x120 : 0x20);
}

// A shortcut on a checkable button turns it over before OnClick runs.
void TdxBarButton::ClickByKey() {
  if (Enabled() && IsCheckable()) SetDown(!down_);
  TdxBarItem::ClickByKey();
}

void TdxBarButton::DropDown(TdxBarItemControl* control, int x, int y, bool byMouse) {
  if (dropDownMenu_ && dropDownHandler) dropDownHandler(this, control, x, y, byMouse);
}

bool TdxBarButton::CanContainItem(TdxBarItem* item, std::string& text) {
  text.clear();
  if (!item->CanBePlacedOn(1, dropDownMenu_, text)) return false;
  return !item->GetOwnItemLinks() || !item->GetOwnItemLinks()->ContainsLinksOwner(this);
}

TCustomdxBarControl* TdxBarButton::CreateBarControl() {
  TdxBarItemLinks* links = GetOwnItemLinks();
  return links ? links->BarControl() : nullptr;
}

void TdxBarButton::Assign(TPersistent* source) {
  TdxBarItem::Assign(source);
  auto* other = ObjectAs<TdxBarButton>(source);
  if (!other) return;
  SetButtonStyle(other->ButtonStyle());
  SetGroupIndex(other->groupIndex_);
  SetAllowAllUp(other->allowAllUp_);
  SetDown(other->down_);
  SetDropDownEnabled(other->dropDownEnabled_);
  SetDropDownMenu(other->dropDownMenu_);
  SetLowered(other->lowered_);
  closeSubMenuOnClick_ = other->closeSubMenuOnClick_;
}

// ---------------------------------------------------------------------------------------------
TdxBarLabel::TdxBarLabel(TComponent* owner) : TdxBarItem(owner) { SetShowCaption(true); }

bool TdxBarSeparator::CanBePlacedOn(int kind, TComponent*, std::string& errorText) const {
  errorText.clear();
  if (kind == 1) return true;
  errorText = "A separator item cannot be placed on the specified toolbar";
  return false;
}

int TdxBarSeparator::GetSupportedActions() { return TdxBarLabel::GetSupportedActions() & ~0x800; }

// ---------------------------------------------------------------------------------------------
namespace {
using B = TdxBarButton;
constinit const TPropInfo buttonProps[] = {
    Published<&B::AllowAllUp, &B::SetAllowAllUp>("AllowAllUp").WithDefault(false),
    Published<&B::ButtonStyle, &B::SetButtonStyle>("ButtonStyle", &TdxBarButtonStyleInfo).WithDefault(bsDefault),
    Published<&B::CloseSubMenuOnClick, &B::SetCloseSubMenuOnClick>("CloseSubMenuOnClick").WithDefault(true),
    Published<&B::DropDownEnabled, &B::SetDropDownEnabled>("DropDownEnabled").WithDefault(true),
    Published<&B::GroupIndex, &B::SetGroupIndex>("GroupIndex").WithDefault(0),
    Published<&B::Down, &B::SetDown>("Down").WithDefault(false).StoredWhen<&B::IsDownStored>(),
    Published<&B::DropDownMenu, &B::SetDropDownMenu>("DropDownMenu"),
    Published<&B::Glyph, &B::SetGlyph>("Glyph"),
    Published<&B::ImageIndex, &B::SetImageIndex>("ImageIndex").WithDefault(-1).StoredWhen<&B::IsImageIndexStored>(),
    Published<&B::LargeGlyph, &B::SetLargeGlyph>("LargeGlyph"),
    Published<&B::LargeImageIndex, &B::SetLargeImageIndex>("LargeImageIndex").WithDefault(-1),
    Published<&B::Lowered, &B::SetLowered>("Lowered").WithDefault(false),
    Published<&B::PaintStyle, &B::SetPaintStyle>("PaintStyle", &TdxBarPaintStyleInfo).WithDefault(psStandard),
    Published<&B::ShortCut, &B::SetShortCut>("ShortCut").WithDefault(0).StoredWhen<&B::IsShortCutStored>(),
    Published<&B::UnclickAfterDoing, &B::SetUnclickAfterDoing>("UnclickAfterDoing").WithDefault(true),
    PublishedEvent<&B::OnClick>("OnClick").StoredWhen<&B::IsOnClickStored>(),
};
using S = TdxBarSeparator;
constinit const TPropInfo separatorProps[] = {
    Published<&S::ShowCaption, &S::SetShowCaption>("ShowCaption").WithDefault(true),
};
}  // namespace

void RegisterBarButtonItems() {
  RegisterPublishedProperties(TdxBarButton::StaticClass(), buttonProps);
  RegisterPublishedProperties(TdxBarSeparator::StaticClass(), separatorProps);
  for (TClass cls : {TdxBarButton::StaticClass(), TdxBarLabel::StaticClass(), TdxBarSeparator::StaticClass(),
                     TdxBarApplicationMenuButtonItem::StaticClass()})
    RegisterClass(cls);
}
