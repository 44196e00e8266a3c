// What a stored form may set on a check box: the box's settings by name and its state. The display
// texts and the three state values (wide texts and variants) have no published form here.
#include "cxCheckBox.h"

namespace {

constexpr const char* alignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr const char* nullStyleNames[] = {"nssUnchecked", "nssInactive", "nssGrayedChecked"};
constexpr const char* stateNames[] = {"cbsUnchecked", "cbsChecked", "cbsGrayed"};
constinit const TEnumInfo alignmentInfo{alignmentNames, 3};
constinit const TEnumInfo nullStyleInfo{nullStyleNames, 3};
constinit const TEnumInfo stateInfo{stateNames, 3};

using P = TcxCustomCheckBoxProperties;
constinit const TPropInfo propertiesProps[] = {
    Published<&P::BoxAlignment, &P::SetBoxAlignment>("Alignment", &alignmentInfo).StoredWhen<&P::IsBoxAlignmentStored>(),
    Published<&P::AllowGrayed, &P::SetAllowGrayed>("AllowGrayed").WithDefault(false),
    Published<&P::Caption, &P::SetCaption>("Caption").StoredNever(),
    Published<&P::ClearKey, &P::SetClearKey>("ClearKey").WithDefault(0),
    Published<&P::FullFocusRect, &P::SetFullFocusRect>("FullFocusRect").WithDefault(false),
    Published<&P::Glyph, &P::SetGlyph>("Glyph"),
    Published<&P::GlyphCount, &P::SetGlyphCount>("GlyphCount").WithDefault(6),
    Published<&P::ImmediatePost, &P::SetImmediatePost>("ImmediatePost").WithDefault(false),
    Published<&P::MultiLine, &P::SetMultiLine>("MultiLine").WithDefault(false),
    Published<&P::NullStyle, &P::SetNullStyle>("NullStyle", &nullStyleInfo).WithDefault(nssGrayedChecked),
    Published<&P::ReadOnly, &P::SetReadOnly>("ReadOnly").StoredWhen<&P::IsReadOnlyStored>(),
    Published<&P::UseAlignmentWhenInplace, &P::SetUseAlignmentWhenInplace>("UseAlignmentWhenInplace").WithDefault(false),
};

using B = TcxCustomCheckBox;
constinit const TPropInfo boxProps[] = {
    Published<&TcxCheckBox::Properties, nullptr>("Properties"),
    Published<&B::State, &B::SetState>("State", &stateInfo).StoredWhen<&B::IsStateStored>(),
    Published<&B::Checked, &B::SetChecked>("Checked").StoredNever(),
    Published<&TcxCustomEdit::AutoSize, &TcxCustomEdit::SetAutoSize>("AutoSize").WithDefault(true),
    Published<&TcxCustomEdit::Transparent, &TcxCustomEdit::SetTransparent>("Transparent").WithDefault(false),
};

}  // namespace

void RegisterCheckBoxPublishedProperties() {
  RegisterPublishedProperties(TcxCustomCheckBoxProperties::StaticClass(), propertiesProps);
  RegisterPublishedProperties(TcxCheckBox::StaticClass(), boxProps);
  RegisterClass(TcxCheckBox::StaticClass());
}
