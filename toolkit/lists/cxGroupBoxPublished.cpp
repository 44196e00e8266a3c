// What a stored form may set on a group box (its caption place, panel style, transparency, styles
// and custom drawing) and on a button group's settings (columns, items, word wrap).
#include "cxGroupBox.h"

namespace {

constexpr const char* captionAlignmentNames[] = {
    "alTopLeft",  "alTopCenter",  "alTopRight",    "alBottomLeft", "alBottomCenter", "alBottomRight", "alLeftTop",
    "alLeftCenter", "alLeftBottom", "alRightTop", "alRightCenter", "alRightBottom", "alCenterCenter"};
constexpr const char* officeBackgroundNames[] = {"pobkGradient", "pobkOffice11Color", "pobkStyleColor"};
constinit const TEnumInfo captionAlignmentInfo{captionAlignmentNames, 13};
constinit const TEnumInfo officeBackgroundInfo{officeBackgroundNames, 3};

using S = TcxPanelStyle;
constinit const TPropInfo panelStyleProps[] = {
    Published<&S::Active, &S::SetActive>("Active").WithDefault(false),
    Published<&S::CaptionIndent, &S::SetCaptionIndent>("CaptionIndent").WithDefault(2),
    Published<&S::OfficeBackgroundKind, &S::SetOfficeBackgroundKind>("OfficeBackgroundKind", &officeBackgroundInfo)
        .WithDefault(pobkOffice11Color),
    Published<&S::WordWrap, &S::SetWordWrap>("WordWrap").WithDefault(false),
};

// The caption place and the state styles, which the radio group publishes too.
using B = TcxCustomGroupBox;
constinit const TPropInfo anyBoxProps[] = {
    Published<&B::Alignment, &B::SetAlignment>("Alignment", &captionAlignmentInfo).WithDefault(alTopLeft),
    Published<&B::StyleDisabled, nullptr>("StyleDisabled"),
    Published<&B::StyleFocused, nullptr>("StyleFocused"),
    Published<&B::StyleHot, nullptr>("StyleHot"),
};

constinit const TPropInfo groupBoxProps[] = {
    Published<&B::PanelStyle, &B::SetPanelStyle>("PanelStyle"),
    Published<&TWinControl::TabStop, &TWinControl::SetTabStop>("TabStop").WithDefault(false),
    PublishedEvent<&B::OnCustomDraw>("OnCustomDraw"),
};

using I = TcxButtonGroupItem;
constinit const TPropInfo itemProps[] = {
    Published<&I::Caption, &I::SetCaption>("Caption"),
    Published<&I::Enabled, &I::SetEnabled>("Enabled").WithDefault(true),
    Published<&I::Tag, &I::SetTag>("Tag").StoredWhen<&I::IsTagStored>(),
};

using P = TcxCustomButtonGroupProperties;
constinit const TPropInfo groupPropertiesProps[] = {
    Published<&P::Columns, &P::SetColumns>("Columns").WithDefault(1),
    Published<&P::Items, &P::SetItems>("Items"),
    Published<&P::WordWrap, &P::SetWordWrap>("WordWrap").WithDefault(false),
};

void StartGroupBox() {
  RegisterPublishedProperties(TcxPanelStyle::StaticClass(), panelStyleProps);
  RegisterPublishedProperties(TcxCustomGroupBox::StaticClass(), anyBoxProps);
  RegisterPublishedProperties(TcxGroupBox::StaticClass(), groupBoxProps);
  RegisterPublishedProperties(TcxButtonGroupItem::StaticClass(), itemProps);
  RegisterPublishedProperties(TcxCustomButtonGroupProperties::StaticClass(), groupPropertiesProps);
  RegisterClass(TcxGroupBox::StaticClass());
}

}  // namespace

constinit const TUnitInfo cxGroupBoxUnit{"cxGroupBox", StartGroupBox, nullptr};
