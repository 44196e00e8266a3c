#include "NxInspectorUnits.h"

#include "Classes.h"
#include "Controls.h"
#include "FormReader.h"
#include "Forms.h"
#include "Graphics.h"
#include "Menus.h"
#include "NxInspector.h"
#include "NxItemClasses.h"
#include "NxSharedDraw.h"
#include "NxThemesSupport.h"
#include "NxToolbarItem.h"
#include "SysUtils.h"
#include "TypInfo.h"

namespace {

constexpr const char* kAlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constinit const TEnumInfo AlignmentInfo{kAlignmentNames, 3, 0};
constexpr const char* kVerticalAlignmentNames[] = {"vaTop", "vaMiddle", "vaBottom"};
constinit const TEnumInfo VerticalAlignmentInfo{kVerticalAlignmentNames, 3, 0};
constexpr const char* kDropDownStyleNames[] = {"dsDropDown", "dsDropDownList"};
constinit const TEnumInfo DropDownStyleInfo{kDropDownStyleNames, 2, 0};
constexpr const char* kDisplayModeNames[] = {"dmDefault", "dmNameList", "dmValueList", "dmIndentList"};
constinit const TEnumInfo DisplayModeInfo{kDisplayModeNames, 4, 0};
constexpr const char* kItemOptionNames[] = {"itoAutoApply", "itoBoldNonDefault"};
constinit const TEnumInfo ItemOptionInfo{kItemOptionNames, 2, 0};
constexpr const char* kSuffixStyleNames[] = {"ssDropDown", "ssDropDownList"};
constinit const TEnumInfo SuffixStyleInfo{kSuffixStyleNames, 2, 0};
constexpr const char* kComboStyleNames[] = {"cbDropDown", "cbDropDownList"};
constinit const TEnumInfo ComboStyleInfo{kComboStyleNames, 2, 0};
constexpr const char* kBorderStyleNames[] = {"bsNone", "bsSingle"};
constinit const TEnumInfo BorderStyleInfo{kBorderStyleNames, 2, 0};
constexpr const char* kButtonsStyleNames[] = {"btAuto", "btCustom"};
constinit const TEnumInfo ButtonsStyleInfo{kButtonsStyleNames, 2, 0};
constexpr const char* kArrangeNames[] = {"taCatagory", "taName"};
constinit const TEnumInfo ArrangeInfo{kArrangeNames, 2, 0};
constexpr const char* kStyleNames[] = {"psDefault", "psOffice2003", "psWhidbey"};
constinit const TEnumInfo StyleInfo{kStyleNames, 3, 0};
constexpr const char* kOptionNames[] = {"poGrid", "poEnterSelectNext", "poImages", "poSplitterMoving",
                                        "poUniformSelect"};
constinit const TEnumInfo OptionInfo{kOptionNames, 5, 0};
constexpr const char* kButtonsAlignmentNames[] = {"baLeftJustify", "baRightJustify"};
constinit const TEnumInfo ButtonsAlignmentInfo{kButtonsAlignmentNames, 2, 0};

constinit const TPropInfo kEditProps[] = {
    Published<&TNxCustomEdit::Alignment, &TNxCustomEdit::SetAlignment>("Alignment", &AlignmentInfo).WithDefault(taLeftJustify),
    Published<&TNxCustomEdit::Glyph, nullptr>("Glyph"),
    Published<&TNxCustomEdit::PreviewBorder, &TNxCustomEdit::SetPreviewBorder>("PreviewBorder").WithDefault(true),
    Published<&TNxCustomEdit::ShowPreview, &TNxCustomEdit::SetShowPreview>("ShowPreview").WithDefault(false),
    Published<&TNxCustomEdit::VerticalAlignment, &TNxCustomEdit::SetVerticalAlignment>("VerticalAlignment",
                                                                                       &VerticalAlignmentInfo),
    Published<&TNxCustomEdit::WantTabs, &TNxCustomEdit::SetWantTabs>("WantTabs").WithDefault(false),
    PublishedEvent<&TNxCustomEdit::OnGlyphClick>("OnGlyphClick"),
};

constinit const TPropInfo kPopupEditProps[] = {
    Published<&TNxPopupEdit::Style, &TNxPopupEdit::SetStyle>("Style", &DropDownStyleInfo).WithDefault(dsDropDown),
    Published<&TNxPopupEdit::HideFocus, &TNxPopupEdit::SetHideFocus>("HideFocus").WithDefault(false),
    PublishedEvent<&TNxPopupEdit::OnCloseUp>("OnCloseUp"),
    PublishedEvent<&TNxPopupEdit::OnSelect>("OnSelect"),
};

constinit const TPropInfo kComboBoxProps[] = {
    Published<&TNxComboBox::DisplayMode, &TNxComboBox::SetDisplayMode>("DisplayMode", &DisplayModeInfo)
        .WithDefault(dmDefault),
    Published<&TNxComboBox::DropDownColor, &TNxComboBox::SetDropDownColor>("DropDownColor"),
    Published<&TNxComboBox::DropDownCount, &TNxComboBox::SetDropDownCount>("DropDownCount"),
    Published<&TNxComboBox::HighlightTextColor, &TNxComboBox::SetHighlightTextColor>("HighlightTextColor"),
    Published<&TNxComboBox::ItemHeight, &TNxComboBox::SetItemHeight>("ItemHeight"),
    Published<&TNxComboBox::ItemIndex, &TNxComboBox::SetItemIndex>("ItemIndex").WithDefault(-1),
    Published<&TNxComboBox::Items, nullptr>("Items"),
    Published<&TNxComboBox::SelectionColor, &TNxComboBox::SetSelectionColor>("SelectionColor"),
};

constinit const TPropInfo kItemProps[] = {
    Published<&TNxPropertyItem::AbsoluteIndex, nullptr>("AbsoluteIndex").StoredNever(),
    Published<&TNxPropertyItem::CaptionAnsi, &TNxPropertyItem::SetCaptionAnsi>("Caption"),
    Published<&TNxPropertyItem::Color, &TNxPropertyItem::SetColor>("Color"),
    Published<&TNxPropertyItem::DefaultValueAnsi, &TNxPropertyItem::SetDefaultValueAnsi>("DefaultValue"),
    Published<&TNxPropertyItem::EmptyValueAnsi, &TNxPropertyItem::SetEmptyValueAnsi>("EmptyValue"),
    Published<&TNxPropertyItem::Enabled, &TNxPropertyItem::SetEnabled>("Enabled").WithDefault(true),
    Published<&TNxPropertyItem::Expanded, &TNxPropertyItem::SetExpanded>("Expanded").WithDefault(true),
    Published<&TNxPropertyItem::ExpandLock, &TNxPropertyItem::SetExpandLock>("ExpandLock").WithDefault(false),
    Published<&TNxPropertyItem::Font, nullptr>("Font").StoredWhen<&TNxPropertyItem::IsFontStored>(),
    Published<&TNxPropertyItem::FullTextAnsi, nullptr>("FullText").StoredNever(),
    Published<&TNxPropertyItem::HelpContext, &TNxPropertyItem::SetHelpContext>("HelpContext").WithDefault(0),
    Published<&TNxPropertyItem::Hint, &TNxPropertyItem::SetHint>("Hint"),
    Published<&TNxPropertyItem::ImageIndex, &TNxPropertyItem::SetImageIndex>("ImageIndex").WithDefault(-1),
    Published<&TNxPropertyItem::Level, nullptr>("Level").StoredNever(),
    Published<&TNxPropertyItem::MapProperty, &TNxPropertyItem::SetMapProperty>("MapProperty"),
    Published<&TNxPropertyItem::MapXMLAnsi, &TNxPropertyItem::SetMapXMLAnsi>("MapXML"),
    Published<&TNxPropertyItem::NodeIndex, nullptr>("NodeIndex").StoredNever(),
    Published<&TNxPropertyItem::Options, &TNxPropertyItem::SetOptions>("Options", &ItemOptionInfo).WithDefault(TItemOptions{}),
    Published<&TNxPropertyItem::ReadOnly, &TNxPropertyItem::SetReadOnly>("ReadOnly").WithDefault(false),
    Published<&TNxPropertyItem::ShowHint, &TNxPropertyItem::SetShowHint>("ShowHint").WithDefault(false),
    Published<&TNxPropertyItem::ShowPreview, &TNxPropertyItem::SetShowPreview>("ShowPreview").WithDefault(false),
    Published<&TNxPropertyItem::ShowSuffix, &TNxPropertyItem::SetShowSuffix>("ShowSuffix").WithDefault(false),
    Published<&TNxPropertyItem::SortedIndex, nullptr>("SortedIndex").StoredNever(),
    Published<&TNxPropertyItem::Suffixes, nullptr>("Suffixes"),
    Published<&TNxPropertyItem::SuffixStyle, &TNxPropertyItem::SetSuffixStyle>("SuffixStyle", &SuffixStyleInfo)
        .WithDefault(ssDropDown),
    Published<&TNxPropertyItem::SuffixValueAnsi, &TNxPropertyItem::SetSuffixValueAnsi>("SuffixValue"),
    Published<&TNxPropertyItem::TagStringAnsi, &TNxPropertyItem::SetTagStringAnsi>("TagString"),
    Published<&TNxPropertyItem::ValueAnsi, &TNxPropertyItem::SetValueAnsi>("Value"),
    Published<&TNxPropertyItem::ValueFont, nullptr>("ValueFont").StoredWhen<&TNxPropertyItem::IsValueFontStored>(),
    Published<&TNxPropertyItem::Visible, &TNxPropertyItem::SetVisible>("Visible").WithDefault(true),
};

constinit const TPropInfo kTextItemProps[] = {
    Published<&TNxTextItem::PasswordChar, &TNxTextItem::SetPasswordChar>("PasswordChar").WithDefault('\0'),
};

constinit const TPropInfo kComboBoxItemProps[] = {
    Published<&TNxComboBoxItem::GetDisplayMode, &TNxComboBoxItem::SetDisplayMode>("DisplayMode", &DisplayModeInfo)
        .WithDefault(dmDefault),
    Published<&TNxComboBoxItem::DropDownCount, &TNxComboBoxItem::SetDropDownCount>("DropDownCount").WithDefault(8),
    Published<&TNxComboBoxItem::ItemIndex, &TNxComboBoxItem::SetItemIndex>("ItemIndex").WithDefault(-1),
    Published<&TNxComboBoxItem::Lines, nullptr>("Lines"),
    Published<&TNxComboBoxItem::Style, &TNxComboBoxItem::SetStyle>("Style", &ComboStyleInfo).WithDefault(cbDropDown),
};

constinit const TPropInfo kInspectorProps[] = {
    Published<&TNxCustomInspector::Associate, &TNxCustomInspector::SetAssociate>("Associate"),
    Published<&TNxCustomInspector::BorderStyle, &TNxCustomInspector::SetBorderStyle>("BorderStyle", &BorderStyleInfo)
        .WithDefault(bsSingle),
    Published<&TNxCustomInspector::ButtonsStyle, &TNxCustomInspector::SetButtonsStyle>("ButtonsStyle", &ButtonsStyleInfo)
        .WithDefault(btAuto),
    Published<&TNxCustomInspector::CategoriesColor, &TNxCustomInspector::SetCategoriesColor>("CategoriesColor")
        .WithDefault(clBtnFace),
    Published<&TNxCustomInspector::CollapseGlyph, nullptr>("CollapseGlyph"),
    Published<&TNxCustomInspector::EnableVisualStyles, &TNxCustomInspector::SetEnableVisualStyles>("EnableVisualStyles")
        .WithDefault(false),
    Published<&TNxCustomInspector::ExpandGlyph, nullptr>("ExpandGlyph"),
    Published<&TNxCustomInspector::GridColor, &TNxCustomInspector::SetGridColor>("GridColor").WithDefault(clBtnFace),
    Published<&TNxCustomInspector::HideTopLevel, &TNxCustomInspector::SetHideTopLevel>("HideTopLevel").WithDefault(false),
    Published<&TNxCustomInspector::Images, &TNxCustomInspector::SetImages>("Images"),
    Published<&TNxCustomInspector::ItemsArrange, &TNxCustomInspector::SetItemsArrange>("ItemsArrange", &ArrangeInfo)
        .WithDefault(taCatagory),
    Published<&TNxCustomInspector::MarginColor, &TNxCustomInspector::SetMarginColor>("MarginColor").WithDefault(clBtnFace),
    Published<&TNxCustomInspector::Options, &TNxCustomInspector::SetOptions>("Options", &OptionInfo)
        .WithDefault(kDefaultInspectorOptions),
    Published<&TNxCustomInspector::RowHeight, &TNxCustomInspector::SetRowHeight>("RowHeight").WithDefault(16),
    Published<&TNxCustomInspector::SelectionColor, &TNxCustomInspector::SetSelectionColor>("SelectionColor")
        .WithDefault(clHighlight),
    Published<&TNxCustomInspector::SplitterPosition, &TNxCustomInspector::SetSplitterPosition>("SplitterPosition")
        .WithDefault(100),
    Published<&TNxCustomInspector::Style, &TNxCustomInspector::SetStyle>("Style", &StyleInfo).WithDefault(psDefault),
    Published<&TNxCustomInspector::SuffixWidth, &TNxCustomInspector::SetSuffixWidth>("SuffixWidth").WithDefault(60),
    PublishedEvent<&TNxCustomInspector::OnChange>("OnChange"),
    PublishedEvent<&TNxCustomInspector::OnEdit>("OnEdit"),
    PublishedEvent<&TNxCustomInspector::OnExecute>("OnExecute"),
    PublishedEvent<&TNxCustomInspector::OnExpand>("OnExpand"),
    PublishedEvent<&TNxCustomInspector::OnSelectItem>("OnSelectItem"),
    PublishedEvent<&TNxCustomInspector::OnSuffixEdit>("OnSuffixEdit"),
    PublishedEvent<&TNxCustomInspector::OnToolbarClick>("OnToolbarClick"),
    PublishedEvent<&TNxCustomInspector::OnVerticalScroll>("OnVerticalScroll"),
};

constinit const TPropInfo kToolbarButtonProps[] = {
    Published<&TNxToolbarItemButton::Checked, &TNxToolbarItemButton::SetChecked>("Checked").WithDefault(false),
    Published<&TNxToolbarItemButton::Glyph, nullptr>("Glyph"),
    Published<&TNxToolbarItemButton::TextAnsi, &TNxToolbarItemButton::SetTextAnsi>("Text"),
    Published<&TNxToolbarItemButton::AutoCheck, &TNxToolbarItemButton::SetAutoCheck>("AutoCheck").WithDefault(true),
    Published<&TNxToolbarItemButton::Divider, &TNxToolbarItemButton::SetDivider>("Divider").WithDefault(false),
};

constinit const TPropInfo kToolbarItemProps[] = {
    Published<&TNxToolbarItem::Alignment, &TNxToolbarItem::SetAlignment>("Alignment", &ButtonsAlignmentInfo)
        .WithDefault(baLeftJustify),
    Published<&TNxToolbarItem::AllowAllUp, &TNxToolbarItem::SetAllowAllUp>("AllowAllUp").WithDefault(false),
    Published<&TNxToolbarItem::Buttons, nullptr>("Buttons"),
    Published<&TNxToolbarItem::ButtonWidth, &TNxToolbarItem::SetButtonWidth>("ButtonWidth").WithDefault(17),
    Published<&TNxToolbarItem::Grouped, &TNxToolbarItem::SetGrouped>("Grouped").WithDefault(false),
    Published<&TNxToolbarItem::DrawBackground, &TNxToolbarItem::SetDrawBackground>("DrawBackground").WithDefault(false),
    Published<&TNxToolbarItem::ShowText, &TNxToolbarItem::SetShowText>("ShowText").WithDefault(false),
};

void RegisterInspectorClasses() {
  RegisterPublishedProperties(TNxCustomEdit::StaticClass(), kEditProps);
  RegisterPublishedProperties(TNxPopupEdit::StaticClass(), kPopupEditProps);
  RegisterPublishedProperties(TNxComboBox::StaticClass(), kComboBoxProps);
  RegisterPublishedProperties(TNxPropertyItem::StaticClass(), kItemProps);
  RegisterPublishedProperties(TNxTextItem::StaticClass(), kTextItemProps);
  RegisterPublishedProperties(TNxComboBoxItem::StaticClass(), kComboBoxItemProps);
  RegisterPublishedProperties(TNxCustomInspector::StaticClass(), kInspectorProps);
  RegisterPublishedProperties(TNxToolbarItemButton::StaticClass(), kToolbarButtonProps);
  RegisterPublishedProperties(TNxToolbarItem::StaticClass(), kToolbarItemProps);
  for (TClass cls : {TNxEdit::StaticClass(), TNxPopupEdit::StaticClass(), TNxComboBox::StaticClass(),
                     TNxTextItem::StaticClass(), TNxPopupItem::StaticClass(), TNxComboBoxItem::StaticClass(),
                     TNxToolbarItem::StaticClass(), TNxToolbarItemButton::StaticClass(), TNxInspector::StaticClass()})
    RegisterClass(cls);
}

void InitializeInspector() {
  UseWideText = (GetVersion() & 0x80000000u) == 0;  // the NT family
  BindThemeLibrary();
  RegisterInspectorClasses();
}

}  // namespace

const TUnitInfo NxInspectorUnit{"NxInspector", InitializeInspector, nullptr};

void StartInspectorUnits() {
  StartUnits({&SysUtilsUnit, &ClassesUnit, &GraphicsUnit, &ControlsUnit, &MenusUnit, &FormsUnit, &FormReaderUnit,
              &NxInspectorUnit});
}
