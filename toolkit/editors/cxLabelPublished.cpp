// What a stored form may set on a label: its settings by name, the alignment as a sub-object.
#include "cxLabel.h"

namespace {

constexpr const char* horzNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr const char* vertNames[] = {"taTopJustify", "taBottomJustify", "taVCenter"};
constexpr const char* effectNames[] = {"cxleNormal", "cxleFun", "cxleExtrude", "cxleCool"};
constexpr const char* styleNames[] = {"cxlsNormal", "cxlsRaised", "cxlsLowered", "cxlsOutLine"};
constexpr const char* orientationNames[] = {"cxoLeft",     "cxoRight",       "cxoTop",      "cxoBottom",
                                            "cxoLeftTop", "cxoLeftBottom", "cxoRightTop", "cxoRightBottom"};
constinit const TEnumInfo horzInfo{horzNames, 3};
constinit const TEnumInfo vertInfo{vertNames, 3};
constinit const TEnumInfo effectInfo{effectNames, 4};
constinit const TEnumInfo styleInfo{styleNames, 4};
constinit const TEnumInfo orientationInfo{orientationNames, 8};

using A = TcxEditAlignment;
constinit const TPropInfo alignmentProps[] = {
    Published<&A::Horz, &A::SetHorz>("Horz", &horzInfo).StoredWhen<&A::IsHorzStored>(),
    Published<&A::Vert, &A::SetVert>("Vert", &vertInfo).WithDefault(taTopJustify),
};

using P = TcxCustomLabelProperties;
constinit const TPropInfo propertiesProps[] = {
    Published<&P::Alignment, nullptr>("Alignment"),
    Published<&P::Angle, &P::SetAngle>("Angle").WithDefault(0),
    Published<&P::Depth, &P::SetDepth>("Depth").WithDefault(0),
    Published<&P::Glyph, &P::SetGlyph>("Glyph"),
    Published<&P::LabelEffect, &P::SetLabelEffect>("LabelEffect", &effectInfo).WithDefault(cxleNormal),
    Published<&P::LabelStyle, &P::SetLabelStyle>("LabelStyle", &styleInfo).WithDefault(cxlsNormal),
    Published<&P::Orientation, &P::SetOrientation>("Orientation", &orientationInfo).WithDefault(cxoRightBottom),
    Published<&P::PenWidth, &P::SetPenWidth>("PenWidth").WithDefault(1),
    Published<&P::ShadowedColor, &P::SetShadowedColor>("ShadowedColor").WithDefault(clGrayText),
    Published<&P::ShowAccelChar, &P::SetShowAccelChar>("ShowAccelChar").WithDefault(true),
    Published<&P::ShowEndEllipsis, &P::SetShowEndEllipsis>("ShowEndEllipsis").StoredNever(),
    Published<&P::Transparent, &P::SetTransparent>("Transparent").StoredNever(),
    Published<&P::WordWrap, &P::SetWordWrap>("WordWrap").WithDefault(false),
};

constinit const TPropInfo labelProps[] = {
    Published<&TcxLabel::Properties, nullptr>("Properties"),
    Published<&TcxCustomLabel::FocusControl, &TcxCustomLabel::SetFocusControl>("FocusControl"),
    Published<&TcxCustomEdit::AutoSize, &TcxCustomEdit::SetAutoSize>("AutoSize").WithDefault(true),
    Published<&TcxCustomEdit::Transparent, &TcxCustomEdit::SetTransparent>("Transparent").WithDefault(false),
};

}  // namespace

void RegisterLabelPublishedProperties() {
  RegisterPublishedProperties(TcxEditAlignment::StaticClass(), alignmentProps);
  RegisterPublishedProperties(TcxCustomLabelProperties::StaticClass(), propertiesProps);
  RegisterPublishedProperties(TcxLabel::StaticClass(), labelProps);
  RegisterClass(TcxLabel::StaticClass());
}
