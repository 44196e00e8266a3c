// The check box's filter helper: a value is picked from a two-item list, checked or unchecked.
#include "cxCheckBox.h"

CALDERAN_IMPLEMENT_STATELESS_CLASS(TcxFilterCheckBoxHelper, TcxFilterComboBoxHelper)

namespace {

// The list's rows: 0 the checked value, 1 the unchecked one; a grayed value has no row.
constexpr int checkedRow = 0;
constexpr int uncheckedRow = 1;

}  // namespace

const TcxFilterCheckBoxHelper* TcxFilterCheckBoxHelper::Instance() { return &TcxFilterCheckBoxHelperClassOperations; }

TcxFilterOperatorSet TcxFilterCheckBoxHelper::FilterOperatorSet(TcxCustomEditProperties*, TcxValueTypeClass,
                                                                bool) const {
  TcxFilterOperatorSet set;
  for (int op : {1, 2, 9, 10}) set.Include(op);
  return set;
}

void TcxFilterCheckBoxHelper::PrepareFilterProperties(TcxCustomEditProperties* properties,
                                                      TcxCustomEditProperties* source, bool hasButtons) const {
  TcxFilterComboBoxHelper::PrepareFilterProperties(properties, source, hasButtons);
  auto* combo = ObjectAs<TcxCustomComboBoxProperties>(properties);
  auto* box = ObjectAs<TcxCustomCheckBoxProperties>(source);
  if (!combo || !box) return;
  combo->BeginUpdate();
  combo->Items()->Clear();
  combo->Items()->Add(WideToAnsi(box->FormatDisplayValue(box->ValueChecked())));
  combo->Items()->Add(WideToAnsi(box->FormatDisplayValue(box->ValueUnchecked())));
  combo->SetDropDownListStyle(lsFixedList);
  combo->EndUpdate();
}

void TcxFilterCheckBoxHelper::ReadFilterValue(TcxCustomEdit* editor, TcxCustomEditProperties* properties,
                                              std::string& displayText, TVariant& value) const {
  auto* combo = ObjectAs<TcxCustomComboBox>(editor);
  auto* box = ObjectAs<TcxCustomCheckBoxProperties>(properties);
  const int row = combo ? combo->ItemIndex() : -1;
  if (!box || (row != checkedRow && row != uncheckedRow)) {
    value = TVariant::Null();
    displayText.clear();
    return;
  }
  value = row == checkedRow ? box->ValueChecked() : box->ValueUnchecked();
  displayText = combo->ActiveProperties()->Items()->Get(row);
}

void TcxFilterCheckBoxHelper::WriteFilterValue(TcxCustomEdit* editor, TcxCustomEditProperties* properties,
                                               const TVariant& value) const {
  auto* combo = ObjectAs<TcxCustomComboBox>(editor);
  auto* box = ObjectAs<TcxCustomCheckBoxProperties>(properties);
  if (!combo || !box) return;
  constexpr int rows[] = {uncheckedRow, checkedRow, -1};  // by TcxCheckBoxState
  combo->SetItemIndex(rows[box->StateOfValue(value)]);
}
