// What a stored form may set on a ribbon, its fonts, its tabs and their groups.
#include "dxRibbon.h"

#include "TypInfo.h"
#include "dxBarManager.h"

namespace {

constexpr const char* popupMenuItemNames[] = {"rpmiItems", "rpmiMoreCommands", "rpmiQATPosition",
                                              "rpmiQATAddRemoveItem", "rpmiMinimizeRibbon"};
constexpr const char* assignedFontNames[] = {"afTabHeader", "afGroup", "afGroupHeader"};
constinit const TEnumInfo popupMenuItemInfo{popupMenuItemNames, 5};
constinit const TEnumInfo assignedFontInfo{assignedFontNames, 3};

using R = TdxCustomRibbon;
constinit const TPropInfo ribbonProps[] = {
    Published<&R::BarManager, &R::SetBarManager>("BarManager"),
    Published<&R::ColorSchemeName, &R::SetColorSchemeName>("ColorSchemeName"),
    Published<&R::DocumentName, &R::SetDocumentName>("DocumentName"),
    Published<&R::Fonts, &R::SetFonts>("Fonts"),
    Published<&R::PopupMenuItems, &R::SetPopupMenuItems>("PopupMenuItems", &popupMenuItemInfo)
        .WithDefault(TdxRibbonPopupMenuItems{rpmiItems, rpmiMoreCommands, rpmiQATPosition, rpmiQATAddRemoveItem,
                                             rpmiMinimizeRibbon}),
    Published<&R::ShowTabGroups, &R::SetShowTabGroups>("ShowTabGroups").WithDefault(true),
    Published<&R::ShowTabHeaders, &R::SetShowTabHeaders>("ShowTabHeaders").WithDefault(true),
    Published<&R::SupportNonClientDrawing, &R::SetSupportNonClientDrawing>("SupportNonClientDrawing")
        .WithDefault(false),
    Published<&TWinControl::TabStop, &TWinControl::SetTabStop>("TabStop").WithDefault(true),
    PublishedEvent<&R::OnApplicationMenuClick>("OnApplicationMenuClick"),
    PublishedEvent<&R::OnHelpButtonClick>("OnHelpButtonClick"),
    PublishedEvent<&R::OnMoreCommandsExecute>("OnMoreCommandsExecute"),
    PublishedEvent<&R::OnTabChanged>("OnTabChanged"),
    PublishedEvent<&R::OnTabChanging>("OnTabChanging"),
    PublishedEvent<&R::OnTabGroupCollapsed>("OnTabGroupCollapsed"),
    PublishedEvent<&R::OnTabGroupExpanded>("OnTabGroupExpanded"),
};

using F = TdxRibbonFonts;
constinit const TPropInfo fontsProps[] = {
    Published<&F::AssignedFonts, &F::SetAssignedFonts>("AssignedFonts", &assignedFontInfo)
        .WithDefault(TdxRibbonAssignedFonts{}),
    Published<&F::DocumentNameColor, &F::SetDocumentNameColor>("DocumentNameColor").WithDefault(clDefault),
    Published<&F::Group, &F::SetGroup>("Group").StoredWhen<&F::IsGroupStored>(),
    Published<&F::GroupHeader, &F::SetGroupHeader>("GroupHeader").StoredWhen<&F::IsGroupHeaderStored>(),
    Published<&F::TabHeader, &F::SetTabHeader>("TabHeader").StoredWhen<&F::IsTabHeaderStored>(),
};

using T = TdxRibbonTab;
constinit const TPropInfo tabProps[] = {
    Published<&T::Active, &T::SetActive>("Active").WithDefault(false),
    Published<&T::Caption, &T::SetCaption>("Caption"),
    Published<&T::Groups, &T::SetGroups>("Groups"),
    Published<&T::KeyTip, &T::SetKeyTip>("KeyTip"),
    Published<&T::Visible, &T::SetVisible>("Visible").WithDefault(true),
};

using G = TdxRibbonTabGroup;
constinit const TPropInfo groupProps[] = {
    Published<&G::CanCollapse, &G::SetCanCollapse>("CanCollapse").WithDefault(true),
    Published<&G::ToolbarName, &G::SetToolbarName>("ToolbarName").StoredWhen<&G::IsToolbarNameStored>(),
};

}  // namespace

void RegisterRibbonProperties() {
  RegisterPublishedProperties(TdxCustomRibbon::StaticClass(), ribbonProps);
  RegisterPublishedProperties(TdxRibbonFonts::StaticClass(), fontsProps);
  RegisterPublishedProperties(TdxRibbonTab::StaticClass(), tabProps);
  RegisterPublishedProperties(TdxRibbonTabGroup::StaticClass(), groupProps);
  RegisterClass(TdxRibbon::StaticClass());
  RegisterClass(TdxRibbonTab::StaticClass());
}
