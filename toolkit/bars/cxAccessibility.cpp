#include "cxAccessibility.h"

CALDERAN_IMPLEMENT_CLASS(TcxAccessibilityHelper, TObject)

int TcxAccessibilityHelper::IndexOfChild(const TcxAccessibilityHelper*) const { throw Exception(); }

int TcxAccessibilityHelper::GetNextSelectableChildIndex(int start, bool forward) const {
  const int count = GetChildCount();
  if (start >= count) throw Exception();
  int index = start < 0 ? (forward ? -1 : count) : start;
  for (index += forward ? 1 : -1; index >= 0 && index < count; index += forward ? 1 : -1) {
    if (TcxAccessibilityHelper* child = GetChild(index); child && child->IsSelectable()) return index;
  }
  return -1;
}

TcxAccessibilityHelper* TcxAccessibilityHelper::GetRootHelper() {
  TcxAccessibilityHelper* helper = this;
  while (TcxAccessibilityHelper* parent = helper->GetParent()) helper = parent;
  return helper;
}
