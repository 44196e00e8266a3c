// The bar manager's published properties and events, in the order a stored form lists them.
#include "TypInfo.h"
#include "dxBarManager.h"

namespace {
using M = TdxBarManager;
constinit const TPropInfo managerProps[] = {
    Published<&M::AllowCallFromAnotherForm, &M::SetAllowCallFromAnotherForm>("AllowCallFromAnotherForm")
        .WithDefault(false),
    Published<&M::AllowReset, &M::SetAllowReset>("AllowReset").WithDefault(true),
    Published<&M::AlwaysMerge, &M::SetAlwaysMerge>("AlwaysMerge").WithDefault(false),
    Published<&M::AlwaysSaveText, &M::SetAlwaysSaveText>("AlwaysSaveText").WithDefault(false),
    Published<&M::AutoAlignBars, &M::SetAutoAlignBars>("AutoAlignBars").WithDefault(false),
    Published<&M::AutoDockColor, &M::SetAutoDockColor>("AutoDockColor").WithDefault(true),
    Published<&M::AutoHideEmptyBars, &M::SetAutoHideEmptyBars>("AutoHideEmptyBars").WithDefault(false),
    Published<&M::Scaled, &M::SetScaled>("Scaled").WithDefault(true),
    Published<&M::Font, &M::SetFont>("Font"),
    Published<&M::Backgrounds, &M::SetBackgrounds>("Backgrounds"),
    Published<&M::ButtonArrowWidth, &M::SetButtonArrowWidth>("ButtonArrowWidth").WithDefault(11),
    Published<&M::CanCustomize, &M::SetCanCustomize>("CanCustomize").WithDefault(true),
    Published<&M::Categories, &M::SetCategories>("Categories"),
    Published<&M::DockColor, &M::SetDockColor>("DockColor").StoredWhen<&M::IsDockColorStored>(),
    Published<&M::FlatCloseButton, &M::SetFlatCloseButton>("FlatCloseButton").WithDefault(false),
    Published<&M::HelpContext, &M::SetHelpContext>("HelpContext").WithDefault(0),
    Published<&M::HideFloatingBarsWhenInactive, &M::SetHideFloatingBarsWhenInactive>(
        "HideFloatingBarsWhenInactive")
        .WithDefault(true),
    Published<&M::ImageOptions, &M::SetImageOptions>("ImageOptions"),
    Published<&M::IniFileName, &M::SetIniFileName>("IniFileName"),
    Published<&M::LargeButtonArrowWidth, &M::SetLargeButtonArrowWidth>("LargeButtonArrowWidth").WithDefault(13),
    Published<&M::LookAndFeel, &M::SetLookAndFeel>("LookAndFeel"),
    Published<&M::MenuAnimations, &M::SetMenuAnimations>("MenuAnimations", &TdxBarMenuAnimationsInfo)
        .WithDefault(maNone),
    Published<&M::MenusShowRecentItemsFirst, &M::SetMenusShowRecentItemsFirst>("MenusShowRecentItemsFirst")
        .WithDefault(true),
    Published<&M::MostRecentItemsPercents, &M::SetMostRecentItemsPercents>("MostRecentItemsPercents")
        .WithDefault(95),
    Published<&M::NotDocking, &M::SetNotDocking>("NotDocking", &TdxBarDockingStyleInfo)
        .WithDefault(TdxBarDockingStyles{}),
    Published<&M::RegistryPath, &M::SetRegistryPath>("RegistryPath"),
    Published<&M::ShowCloseButton, &M::SetShowCloseButton>("ShowCloseButton").WithDefault(false),
    Published<&M::ShowFullMenusAfterDelay, &M::SetShowFullMenusAfterDelay>("ShowFullMenusAfterDelay")
        .WithDefault(true),
    Published<&M::ShowHelpButton, &M::SetShowHelpButton>("ShowHelpButton").WithDefault(false),
    Published<&M::ShowHint, &M::SetShowHint>("ShowHint").WithDefault(true),
    Published<&M::ShowHintForDisabledItems, &M::SetShowHintForDisabledItems>("ShowHintForDisabledItems")
        .WithDefault(true),
    Published<&M::ShowShortCutInHint, &M::SetShowShortCutInHint>("ShowShortCutInHint").WithDefault(false),
    Published<&M::StoreInIniFile, &M::SetStoreInIniFile>("StoreInIniFile").WithDefault(false),
    Published<&M::StoreInRegistry, &M::SetStoreInRegistry>("StoreInRegistry").WithDefault(false),
    Published<&M::Style, &M::SetStyle>("Style", &TdxBarManagerStyleInfo).WithDefault(bmsEnhanced),
    Published<&M::SunkenBorder, &M::SetSunkenBorder>("SunkenBorder").WithDefault(false),
    Published<&M::UseF10ForMenu, &M::SetUseF10ForMenu>("UseF10ForMenu").WithDefault(true),
    Published<&M::UseFullReset, &M::SetUseFullReset>("UseFullReset").WithDefault(false),
    Published<&M::UseSystemFont, &M::SetUseSystemFont>("UseSystemFont"),
    Published<&M::WaitForDockingTime, &M::SetWaitForDockingTime>("WaitForDockingTime").WithDefault(21),
    PublishedEvent<&M::OnClickItem>("OnClickItem"),
    PublishedEvent<&M::OnItemLinkAdd>("OnItemLinkAdd"),
    PublishedEvent<&M::OnItemLinkChange>("OnItemLinkChange"),
    PublishedEvent<&M::OnItemLinkDelete>("OnItemLinkDelete"),
};
}  // namespace

void RegisterBarManagerProperties() {
  RegisterPublishedProperties(TdxBarManager::StaticClass(), managerProps);
  RegisterClass(TdxBarManager::StaticClass());
}
