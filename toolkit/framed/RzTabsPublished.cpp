// What stored form definitions may set on the tab colours, pages and the page control.
#include "RzFramedTypes.h"
#include "RzTabs.h"
#include "TypInfo.h"

namespace {
using TC = TRzCustomTabControl;

constinit const TPropInfo tabColorsProps[] = {
    Published<&TRzTabColors::HighlightBar, &TRzTabColors::SetHighlightBar>("HighlightBar").WithDefault(clHighlight),
    Published<&TRzTabColors::Shadow, &TRzTabColors::SetShadow>("Shadow").WithDefault(clBtnFace),
    Published<&TRzTabColors::Unselected, &TRzTabColors::SetUnselected>("Unselected").WithDefault(clWindow),
};

constinit const TPropInfo textColorsProps[] = {
    Published<&TRzTextColors::DisabledHighlight, &TRzTextColors::SetDisabledHighlight>("DisabledHighlight")
        .WithDefault(clBtnHighlight),
    Published<&TRzTextColors::DisabledShadow, &TRzTextColors::SetDisabledShadow>("DisabledShadow")
        .WithDefault(clBtnShadow),
    Published<&TRzTextColors::Selected, &TRzTextColors::SetSelected>("Selected").WithDefault(clBtnText),
    Published<&TRzTextColors::Unselected, &TRzTextColors::SetUnselected>("Unselected").WithDefault(clBtnText),
};

// The tab control's properties, published by the page control.
constinit const TPropInfo pageControlProps[] = {
    Published<&TRzPageControl::ActivePage, &TRzPageControl::SetActivePage>("ActivePage"),
    Published<&TRzPageControl::ActivePageDefault, &TRzPageControl::SetActivePageDefault>("ActivePageDefault"),
    Published<&TRzPageControl::SaveResources, &TRzPageControl::SetSaveResources>("SaveResources").WithDefault(false),
    Published<&TRzPageControl::DblClickUndocks, &TRzPageControl::SetDblClickUndocks>("DblClickUndocks")
        .WithDefault(true),
    Published<&TC::AlignTabs, &TC::SetAlignTabs>("AlignTabs").WithDefault(false),
    Published<&TC::AllowTabDragging, &TC::SetAllowTabDragging>("AllowTabDragging").WithDefault(false),
    Published<&TC::BackgroundColor, &TC::SetBackgroundColor>("BackgroundColor")
        .WithDefault(clBtnFace)
        .StoredWhen<&TC::IsBackgroundColorStored>(),
    Published<&TC::BoldCurrentTab, &TC::SetBoldCurrentTab>("BoldCurrentTab").WithDefault(false),
    Published<&TC::UseColoredTabs, &TC::SetUseColoredTabs>("UseColoredTabs").WithDefault(false),
    Published<&TC::CutCornerSize, &TC::SetCutCornerSize>("CutCornerSize").WithDefault(6),
    Published<&TC::FlatColor, &TC::SetFlatColor>("FlatColor").WithDefault(clBtnShadow),
    Published<&TC::FlatColorAdjustment, &TC::SetFlatColorAdjustment>("FlatColorAdjustment").WithDefault(0),
    Published<&TC::ImageAlignment, &TC::SetImageAlignment>("ImageAlignment", &HorizontalAlignmentInfo)
        .WithDefault(haCenter),
    Published<&TC::ImageMargin, &TC::SetImageMargin>("ImageMargin").WithDefault(2),
    Published<&TC::ImagePosition, &TC::SetImagePosition>("ImagePosition", &ImagePositionInfo).WithDefault(ipLeft),
    Published<&TC::ImageAlignmentVertical, &TC::SetImageAlignmentVertical>("ImageAlignmentVertical",
                                                                           &VerticalAlignmentInfo)
        .WithDefault(TRzVerticalAlignment::vaCenter),
    Published<&TC::HotTrack, &TC::SetHotTrack>("HotTrack").WithDefault(true),
    Published<&TC::HotTrackColor, &TC::SetHotTrackColor>("HotTrackColor").WithDefault(0x149BF0),
    Published<&TC::HotTrackColorType, &TC::SetHotTrackColorType>("HotTrackColorType", &HotTrackColorTypeInfo)
        .WithDefault(htctActual),
    Published<&TC::HotTrackStyle, &TC::SetHotTrackStyle>("HotTrackStyle", &TabHotTrackStyleInfo).WithDefault(htsTab),
    Published<&TC::Images, &TC::SetImages>("Images"),
    Published<&TC::Margin, &TC::SetMargin>("Margin").WithDefault(0),
    Published<&TC::MultiLine, &TC::SetMultiLine>("MultiLine").WithDefault(false),
    Published<&TC::ParentBackgroundColor, &TC::SetParentBackgroundColor>("ParentBackgroundColor").WithDefault(true),
    Published<&TC::RowIndent, &TC::SetRowIndent>("RowIndent").WithDefault(5),
    Published<&TC::RowOverlap, &TC::SetRowOverlap>("RowOverlap").WithDefault(5),
    Published<&TC::ShowCardFrame, &TC::SetShowCardFrame>("ShowCardFrame").WithDefault(true),
    Published<&TC::ShowCloseButton, &TC::SetShowCloseButton>("ShowCloseButton").WithDefault(false),
    Published<&TC::ShowMenuButton, &TC::SetShowMenuButton>("ShowMenuButton").WithDefault(false),
    Published<&TC::ShowFocusRect, &TC::SetShowFocusRect>("ShowFocusRect").WithDefault(true),
    Published<&TC::ShowFullFrame, &TC::SetShowFullFrame>("ShowFullFrame").WithDefault(true),
    Published<&TC::ShowShadow, &TC::SetShowShadow>("ShowShadow").WithDefault(true),
    Published<&TC::SoftCorners, &TC::SetSoftCorners>("SoftCorners").WithDefault(false),
    Published<&TC::TabOverlap, &TC::SetTabOverlap>("TabOverlap").WithDefault(-1),
    Published<&TC::TextOrientation, &TC::SetTextOrientation>("TextOrientation", &OrientationInfo)
        .WithDefault(orHorizontal),
    Published<&TC::TabColors, &TC::SetTabColors>("TabColors"),
    Published<&TC::TabHeight, &TC::SetTabHeight>("TabHeight").WithDefault(0),
    Published<&TC::TabHints, &TC::SetTabHints>("TabHints").WithDefault(false),
    Published<&TC::TabIndex, &TC::SetTabIndex>("TabIndex").WithDefault(-1),
    Published<&TC::TabOrientation, &TC::SetTabOrientation>("TabOrientation", &TabOrientationInfo).WithDefault(toTop),
    Published<&TC::TabSequence, &TC::SetTabSequence>("TabSequence", &TabSequenceInfo).WithDefault(tsStandard),
    Published<&TC::TabStyle, &TC::SetTabStyle>("TabStyle", &TabStyleInfo).WithDefault(tsSingleSlant),
    Published<&TC::TabWidth, &TC::SetTabWidth>("TabWidth").WithDefault(0),
    Published<&TC::TextColors, &TC::SetTextColors>("TextColors"),
    Published<&TC::TextAlignment, &TC::SetTextAlignment>("TextAlignment", &HorizontalAlignmentInfo)
        .WithDefault(haCenter),
    Published<&TC::TextAlignmentVertical, &TC::SetTextAlignmentVertical>("TextAlignmentVertical",
                                                                         &VerticalAlignmentInfo)
        .WithDefault(TRzVerticalAlignment::vaCenter),
    Published<&TC::Transparent, &TC::SetTransparent>("Transparent").WithDefault(false),
    Published<&TC::UseGradients, &TC::SetUseGradients>("UseGradients").WithDefault(true),
    PublishedEvent<&TC::OnChanging>("OnChanging"),
    PublishedEvent<&TC::OnChange>("OnChange"),
    PublishedEvent<&TC::OnPageChange>("OnPageChange"),
    PublishedEvent<&TC::OnTabClick>("OnTabClick"),
    PublishedEvent<&TC::OnClose>("OnClose"),
    PublishedEvent<&TC::OnGetTextColor>("OnGetTextColor"),
    PublishedEvent<&TC::OnPaintBackground>("OnPaintBackground"),
    PublishedEvent<&TC::OnPaintCardBackground>("OnPaintCardBackground"),
    PublishedEvent<&TC::OnPaintTabBackground>("OnPaintTabBackground"),
    PublishedEvent<&TC::OnTabOrderChange>("OnTabOrderChange"),
};

constinit const TPropInfo tabSheetProps[] = {
    Published<&TRzTabSheet::PageColor, &TRzTabSheet::SetPageColor>("Color").WithDefault(clBtnFace),
    Published<&TRzTabSheet::PageIndex, &TRzTabSheet::SetPageIndex>("PageIndex").StoredNever(),
    Published<&TRzTabSheet::TabEnabled, &TRzTabSheet::SetTabEnabled>("TabEnabled").WithDefault(true),
    Published<&TRzTabSheet::TabVisible, &TRzTabSheet::SetTabVisible>("TabVisible").WithDefault(true),
    Published<&TRzTabSheet::ImageIndex, &TRzTabSheet::SetImageIndex>("ImageIndex").WithDefault(-1),
    Published<&TRzTabSheet::DisabledIndex, &TRzTabSheet::SetDisabledIndex>("DisabledIndex").WithDefault(-1),
    Published<&TRzTabSheet::PageVisible, &TRzTabSheet::SetPageVisible>("Visible").StoredNever(),
    PublishedEvent<&TRzTabSheet::OnPaintBackground>("OnPaintBackground"),
};
}  // namespace

void RegisterTabClasses() {
  RegisterPublishedProperties(TRzTabColors::StaticClass(), tabColorsProps);
  RegisterPublishedProperties(TRzTextColors::StaticClass(), textColorsProps);
  RegisterPublishedProperties(TRzPageControl::StaticClass(), pageControlProps);
  RegisterPublishedProperties(TRzTabSheet::StaticClass(), tabSheetProps);
  RegisterClasses({TRzPageControl::StaticClass(), TRzTabSheet::StaticClass()});
}
