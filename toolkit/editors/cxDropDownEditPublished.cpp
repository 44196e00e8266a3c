// What stored form definitions may set on the combo box and the popup edit and on their properties.
// The settings they share with the text and masked editors are listed again, because each
// published list has its own defaults (ValidateOnEnter is on here, off for the plain text editor).
#include "TypInfo.h"
#include "cxDropDownEdit.h"

namespace {

constexpr const char* alignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr const char* listStyleNames[] = {"lsEditFixedList", "lsEditList", "lsFixedList"};
constinit const TEnumInfo alignmentInfo{alignmentNames, 3};
constinit const TEnumInfo listStyleInfo{listStyleNames, 3};

using E = TcxCustomEditProperties;
using T = TcxCustomTextEditProperties;
using M = TcxCustomMaskEditProperties;
using D = TcxCustomDropDownEditProperties;
using C = TcxCustomComboBoxProperties;
using P = TcxCustomPopupEditProperties;

constinit const TPropInfo comboPropertiesProps[] = {
    Published<&E::Alignment, nullptr>("Alignment"),
    Published<&T::AssignedTextValues, nullptr>("AssignedValues"),
    Published<&E::AutoSelect, &E::SetAutoSelect>("AutoSelect").WithDefault(true),
    Published<&E::BeepOnError, &E::SetBeepOnError>("BeepOnError").WithDefault(false),
    Published<&D::ButtonGlyph, &D::SetButtonGlyph>("ButtonGlyph"),
    Published<&M::CaseInsensitive, &M::SetCaseInsensitive>("CaseInsensitive").WithDefault(true),
    Published<&T::CharCase, &T::SetCharCase>("CharCase", &cxEditCharCaseInfo).WithDefault(ecNormal),
    Published<&E::ClearKey, &E::SetClearKey>("ClearKey").WithDefault(0),
    Published<&C::DropDownAutoWidth, &C::SetDropDownAutoWidth>("DropDownAutoWidth").WithDefault(true),
    Published<&C::DropDownListStyle, &C::SetDropDownListStyle>("DropDownListStyle", &listStyleInfo)
        .WithDefault(lsEditList),
    Published<&C::DropDownRows, &C::SetDropDownRows>("DropDownRows").WithDefault(8),
    Published<&C::DropDownSizeable, &C::SetDropDownSizeable>("DropDownSizeable").WithDefault(false),
    Published<&C::DropDownWidth, &C::SetDropDownWidth>("DropDownWidth").WithDefault(0),
    Published<&T::HideSelection, &T::SetHideSelection>("HideSelection").WithDefault(true),
    Published<&M::IgnoreMaskBlank, &M::SetIgnoreMaskBlank>("IgnoreMaskBlank").WithDefault(false),
    Published<&T::ImeMode, &T::SetImeMode>("ImeMode", &cxEditImeModeInfo).WithDefault(imDontCare),
    Published<&T::ImeName, &T::SetImeName>("ImeName").WithDefault(""),
    Published<&D::ImmediateDropDown, &D::SetImmediateDropDown>("ImmediateDropDown").WithDefault(true),
    Published<&E::ImmediatePost, &E::SetImmediatePost>("ImmediatePost").WithDefault(false),
    Published<&T::ImmediateUpdateText, &T::SetImmediateUpdateText>("ImmediateUpdateText").WithDefault(false),
    Published<&T::IncrementalSearch, &T::SetIncrementalSearch>("IncrementalSearch").WithDefault(true),
    Published<&C::ItemHeight, &C::SetItemHeight>("ItemHeight").WithDefault(0),
    Published<&C::Items, nullptr>("Items"),
    // Written before the mask: a mask is compiled in the language in force when it is read back.
    Published<&M::MaskKind, &M::SetMaskKind>("MaskKind", &cxEditMaskKindInfo).WithDefault(emkStandard),
    Published<&M::EditMask, &M::SetEditMask>("EditMask").WithDefault(""),
    Published<&T::MaxLength, &T::SetMaxLength>("MaxLength").StoredWhen<&T::IsMaxLengthStored>(),
    Published<&T::OEMConvert, &T::SetOEMConvert>("OEMConvert").WithDefault(false),
    Published<&D::PopupAlignment, &D::SetPopupAlignment>("PopupAlignment", &alignmentInfo).WithDefault(taLeftJustify),
    Published<&D::PostPopupValueOnTab, &D::SetPostPopupValueOnTab>("PostPopupValueOnTab").WithDefault(false),
    Published<&E::ReadOnly, &E::SetReadOnly>("ReadOnly").StoredWhen<&E::IsReadOnlyStored>(),
    Published<&C::Revertable, &C::SetRevertable>("Revertable").WithDefault(false),
    Published<&C::Sorted, &C::SetSorted>("Sorted").WithDefault(false),
    Published<&E::UseLeftAlignmentOnEditing, &E::SetUseLeftAlignmentOnEditing>("UseLeftAlignmentOnEditing")
        .StoredWhen<&E::IsUseLeftAlignmentOnEditingStored>(),
    Published<&E::ValidateOnEnter, &E::SetValidateOnEnter>("ValidateOnEnter").WithDefault(true),
    PublishedEvent<&E::OnChange>("OnChange"),
    PublishedEvent<&D::OnCloseUp>("OnCloseUp"),
    PublishedEvent<&C::OnDrawItem>("OnDrawItem"),
    PublishedEvent<&E::OnEditValueChanged>("OnEditValueChanged"),
    PublishedEvent<&D::OnInitPopup>("OnInitPopup"),
    PublishedEvent<&C::OnMeasureItem>("OnMeasureItem"),
    PublishedEvent<&T::OnNewLookupDisplayText>("OnNewLookupDisplayText"),
    PublishedEvent<&D::OnPopup>("OnPopup"),
    PublishedEvent<&E::OnValidate>("OnValidate"),
};

constinit const TPropInfo popupPropertiesProps[] = {
    Published<&E::Alignment, nullptr>("Alignment"),
    Published<&T::AssignedTextValues, nullptr>("AssignedValues"),
    Published<&E::AutoSelect, &E::SetAutoSelect>("AutoSelect").WithDefault(true),
    Published<&E::BeepOnError, &E::SetBeepOnError>("BeepOnError").WithDefault(false),
    Published<&D::ButtonGlyph, &D::SetButtonGlyph>("ButtonGlyph"),
    Published<&M::CaseInsensitive, &M::SetCaseInsensitive>("CaseInsensitive").WithDefault(true),
    Published<&T::CharCase, &T::SetCharCase>("CharCase", &cxEditCharCaseInfo).WithDefault(ecNormal),
    Published<&E::ClearKey, &E::SetClearKey>("ClearKey").WithDefault(0),
    Published<&T::EchoMode, &T::SetEchoMode>("EchoMode", &cxEditEchoModeInfo).WithDefault(eemNormal),
    Published<&T::HideSelection, &T::SetHideSelection>("HideSelection").WithDefault(true),
    Published<&M::IgnoreMaskBlank, &M::SetIgnoreMaskBlank>("IgnoreMaskBlank").WithDefault(false),
    Published<&T::ImeMode, &T::SetImeMode>("ImeMode", &cxEditImeModeInfo).WithDefault(imDontCare),
    Published<&T::ImeName, &T::SetImeName>("ImeName").WithDefault(""),
    Published<&D::ImmediateDropDown, &D::SetImmediateDropDown>("ImmediateDropDown").WithDefault(true),
    Published<&D::ImmediatePopup, &D::SetImmediatePopup>("ImmediatePopup").WithDefault(true),
    Published<&T::IncrementalSearch, &T::SetIncrementalSearch>("IncrementalSearch").WithDefault(true),
    Published<&T::LookupItems, nullptr>("LookupItems"),
    Published<&T::LookupItemsSorted, &T::SetLookupItemsSorted>("LookupItemsSorted").WithDefault(false),
    Published<&T::MaxLength, &T::SetMaxLength>("MaxLength").StoredWhen<&T::IsMaxLengthStored>(),
    Published<&M::MaskKind, &M::SetMaskKind>("MaskKind", &cxEditMaskKindInfo).WithDefault(emkStandard),
    Published<&M::EditMask, &M::SetEditMask>("EditMask").WithDefault(""),
    Published<&T::OEMConvert, &T::SetOEMConvert>("OEMConvert").WithDefault(false),
    Published<&T::PasswordChar, &T::SetPasswordChar>("PasswordChar").WithDefault('\0'),
    Published<&D::PopupAlignment, &D::SetPopupAlignment>("PopupAlignment", &alignmentInfo).WithDefault(taLeftJustify),
    Published<&D::PopupAutoSize, &D::SetPopupAutoSize>("PopupAutoSize").WithDefault(true),
    Published<&D::PopupClientEdge, &D::SetPopupClientEdge>("PopupClientEdge").WithDefault(false),
    Published<&P::PopupControl, &P::SetPopupControl>("PopupControl"),
    // Written before the sizes, which they hold up when read back.
    Published<&D::PopupMinHeight, &D::SetPopupMinHeight>("PopupMinHeight").WithDefault(100),
    Published<&D::PopupMinWidth, &D::SetPopupMinWidth>("PopupMinWidth").WithDefault(100),
    Published<&D::PopupHeight, &D::SetPopupHeight>("PopupHeight").WithDefault(200),
    Published<&D::PopupSizeable, &D::SetPopupSizeable>("PopupSizeable").WithDefault(true),
    Published<&D::PopupSysPanelStyle, &D::SetPopupSysPanelStyle>("PopupSysPanelStyle").WithDefault(false),
    Published<&D::PopupWidth, &D::SetPopupWidth>("PopupWidth").WithDefault(250),
    Published<&E::ReadOnly, &E::SetReadOnly>("ReadOnly").StoredWhen<&E::IsReadOnlyStored>(),
    Published<&E::UseLeftAlignmentOnEditing, &E::SetUseLeftAlignmentOnEditing>("UseLeftAlignmentOnEditing")
        .StoredWhen<&E::IsUseLeftAlignmentOnEditingStored>(),
    Published<&E::ValidateOnEnter, &E::SetValidateOnEnter>("ValidateOnEnter").WithDefault(true),
    PublishedEvent<&E::OnChange>("OnChange"),
    PublishedEvent<&D::OnCloseQuery>("OnCloseQuery"),
    PublishedEvent<&D::OnCloseUp>("OnCloseUp"),
    PublishedEvent<&E::OnEditValueChanged>("OnEditValueChanged"),
    PublishedEvent<&D::OnInitPopup>("OnInitPopup"),
    PublishedEvent<&D::OnPopup>("OnPopup"),
    PublishedEvent<&E::OnValidate>("OnValidate"),
};

constinit const TPropInfo comboBoxProps[] = {
    Published<&TcxComboBox::Properties, nullptr>("Properties"),
    Published<&TcxCustomComboBox::ItemIndex, &TcxCustomComboBox::SetItemIndex>("ItemIndex").StoredNever(),
    Published<&TcxCustomTextEdit::Text, &TcxCustomTextEdit::SetText>("Text").WithDefault(""),
    Published<&TcxCustomEdit::AutoSize, &TcxCustomEdit::SetAutoSize>("AutoSize").WithDefault(true),
    Published<&TcxCustomTextEdit::BeepOnEnter, &TcxCustomTextEdit::SetBeepOnEnter>("BeepOnEnter").WithDefault(true),
};

constinit const TPropInfo popupEditProps[] = {
    Published<&TcxPopupEdit::Properties, nullptr>("Properties"),
    Published<&TcxCustomTextEdit::Text, &TcxCustomTextEdit::SetText>("Text").WithDefault(""),
    Published<&TcxCustomEdit::AutoSize, &TcxCustomEdit::SetAutoSize>("AutoSize").WithDefault(true),
    Published<&TcxCustomTextEdit::BeepOnEnter, &TcxCustomTextEdit::SetBeepOnEnter>("BeepOnEnter").WithDefault(true),
};

}  // namespace

void RegisterDropDownEditPublishedProperties() {
  RegisterPublishedProperties(TcxComboBoxProperties::StaticClass(), comboPropertiesProps);
  RegisterPublishedProperties(TcxComboBox::StaticClass(), comboBoxProps);
  RegisterPublishedProperties(TcxPopupEditProperties::StaticClass(), popupPropertiesProps);
  RegisterPublishedProperties(TcxPopupEdit::StaticClass(), popupEditProps);
}
