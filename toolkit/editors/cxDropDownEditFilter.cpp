// The drop-down editors' filter helpers and their registration for the combo box.
#include "cxDropDownEdit.h"

CALDERAN_IMPLEMENT_STATELESS_CLASS(TcxFilterDropDownEditHelper, TcxFilterMaskEditHelper)
CALDERAN_IMPLEMENT_STATELESS_CLASS(TcxFilterComboBoxHelper, TcxFilterDropDownEditHelper)

const TcxFilterDropDownEditHelper* TcxFilterDropDownEditHelper::Instance() {
  return &TcxFilterDropDownEditHelperClassOperations;
}

const TcxFilterComboBoxHelper* TcxFilterComboBoxHelper::Instance() { return &TcxFilterComboBoxHelperClassOperations; }

const TcxCustomEditClass* TcxFilterComboBoxHelper::FilterEditorClass() const {
  return TcxComboBox::StaticClassOperations();
}

void TcxFilterComboBoxHelper::PrepareFilterProperties(TcxCustomEditProperties* properties,
                                                      TcxCustomEditProperties* source, bool hasButtons) const {
  TcxFilterMaskEditHelper::PrepareFilterProperties(properties, source, hasButtons);
  auto* combo = ObjectAs<TcxCustomComboBoxProperties>(properties);
  if (!combo) return;
  combo->SetButtonGlyph(nullptr);
  combo->SetDropDownRows(8);
  combo->SetDropDownListStyle(lsEditList);
  combo->SetImmediateDropDown(false);
  combo->SetPopupAlignment(taLeftJustify);
  combo->SetRevertable(false);
}

void RegisterComboBoxFilterHelper() {
  GetFilterEditsController()->Register(TcxComboBoxProperties::StaticClass(), TcxFilterComboBoxHelper::StaticClass());
}

void UnregisterComboBoxFilterHelper() {
  GetFilterEditsController()->Unregister(TcxComboBoxProperties::StaticClass(), TcxFilterComboBoxHelper::StaticClass());
}
