// The text editor's keys and its lookup: what each editing style lets the keys do, the incremental
// search that completes typed text from the lookup items, navigation through the items by keys and
// wheel, the commit of an item into the text, and the clean-up of list texts.
#include <windows.h>

#include "cxEditScopes.h"
#include "cxTextEdit.h"

using cx_edit_detail::TFlagScope;

namespace {

bool IsListStyle(TcxTextEditingStyle style) { return style == tesListRestricted || style == tesFixedList; }

// Clicks of an editor locked for a scope.
struct TClicksLocked {
  TcxCustomEdit* edit;
  explicit TClicksLocked(TcxCustomEdit* e) : edit(e) { edit->LockClick(true); }
  ~TClicksLocked() { edit->LockClick(false); }
};

}  // namespace

TcxLookupDataFactory TcxCustomTextEditProperties::GetLookupDataClass() const {
  return [](TPersistent* owner, IcxLookupEditor* editor) { return new TcxCustomTextEditLookupData(owner, editor); };
}

// ---------------------------------------------------------------------------------------------
// Keys

void TcxCustomTextEdit::HandleEditKeyDown(Word& key, TShiftState shift) {
  const TcxTextEditingStyle style = ActiveProperties()->GetEditingStyle();
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  const bool editingKey = key == VK_LEFT || key == VK_RIGHT || key == VK_DELETE;
  if (style == tesFixedList && editingKey && !IsClearOrClickKey(key, shift)) {
    SetFoundTextSelected(false);
    if (OnAfterKeyDown) OnAfterKeyDown(this, key, shift);
    key = 0;
    return;
  }
  if (inner) inner->WriteKeyTaken(true);
  const Word original = key;
  const bool foundBefore = foundTextSelected_;
  TcxCustomEdit::HandleEditKeyDown(key, shift);
  if (original == VK_RETURN && foundBefore) SelectAllText();
  if (key == 0) return;
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
      if (!shift.Contains(ssShift) && inner && inner->SelLength() > 0) {
        const int start = inner->SelStart(), end = start + inner->SelLength();
        inner->SetSelStart(key == VK_RIGHT ? end : start);
        inner->SetSelLength(0);
        key = 0;
      }
      SetFoundTextSelected(false);
      break;
    case VK_DELETE:
      if (style != tesListRestricted) {
        SetFoundTextSelected(false);
        break;
      }
      if (OnAfterKeyDown) OnAfterKeyDown(this, key, shift);
      key = 0;
      break;
    case VK_PRIOR: case VK_NEXT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END:
      HandleNavigationKey(key, shift);
      break;
  }
  if (key != 0 && inner) inner->WriteKeyTaken(false);
}

// Navigation keys move through the lookup items where the editor allows it; Home and End are
// otherwise the EDIT window's, the other keys the after-key-down handler's.
bool TcxCustomTextEdit::HandleNavigationKey(Word& key, TShiftState shift) {
  const TcxTextEditingStyle style = ActiveProperties()->GetEditingStyle();
  const bool homeOrEnd = key == VK_HOME || key == VK_END;
  if (homeOrEnd && style != tesFixedList) {
    if (key == VK_END && InnerTextEdit() && InnerTextEdit()->SelLength() == 0) SetFoundTextSelected(false);
    return false;
  }
  if (lookupData_ && AllowsLookupScrolling(false) && !lookupData_->HasNoItems()) {
    const bool ctrl = shift.Contains(ssCtrl);
    TcxLookupMove direction = lmNext;
    switch (key) {
      case VK_PRIOR: direction = ctrl ? lmFirst : lmPageUp; break;
      case VK_NEXT: direction = ctrl ? lmLast : lmPageDown; break;
      case VK_END: direction = lmLast; break;
      case VK_HOME: direction = lmFirst; break;
      case VK_UP: direction = lmPrior; break;
      default: break;
    }
    ScrollLookup(direction);
    key = 0;
    return true;
  }
  if (homeOrEnd) return false;
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (inner && !inner->ReadMultiLine()) {
    if (OnAfterKeyDown) OnAfterKeyDown(this, key, shift);
    key = 0;
  }
  return false;
}

// Moves the lookup's current item; a change marks the editor modified and may post at once.
bool TcxCustomTextEdit::ScrollLookup(TcxLookupMove direction) {
  LockChangeEvents(true);
  struct TUnlock {
    TcxCustomEdit* edit;
    ~TUnlock() { edit->LockChangeEvents(false); }
  } unlock{this};
  const TVariant before = lookupData_->ReadCurrentKey();
  {
    TFlagScope scrolling(scrollingLookup_, true);
    TClicksLocked clicks(this);
    lookupData_->MoveCurrent(direction, false);
  }
  if (VarEqualsForEdit(before, lookupData_->ReadCurrentKey())) return false;
  DoModifiedClick();
  TcxCustomEditProperties* properties = ActiveProperties();
  if (DataBinding()->DefaultValuesProvider()->DataModifiable() && properties->ImmediatePost() && ValidateInput())
    FinishEditing(false);
  return true;
}

bool TcxCustomTextEdit::IsValueChangingKey(Word key, TShiftState shift) {
  if (TcxCustomEdit::IsValueChangingKey(key, shift) || key == VK_DELETE) return true;
  if (!AllowsLookupScrolling(false) || !lookupData_ || lookupData_->HasNoItems()) return false;
  if (key == VK_PRIOR || key == VK_NEXT) return !WantsArrowKeys();
  if (key == VK_UP || key == VK_DOWN) return !shift.Contains(ssAlt) && !WantsArrowKeys();
  return false;
}

bool TcxCustomTextEdit::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (TcxCustomEdit::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  if (!AllowsLookupScrolling(true) || WantsArrowKeys() || !lookupData_ || lookupData_->HasNoItems()) return false;
  if (InPlace() && !ActiveProperties()->MouseWheelEnabled() && !shift.Contains(ssCtrl)) return false;
  if (RequestEditing()) ScrollLookup(wheelDelta > 0 ? lmPrior : lmNext);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Incremental search

void TcxCustomTextEdit::HandleEditKeyPress(char& key) {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (inner) inner->WriteKeyTaken(true);
  TcxCustomEdit::HandleEditKeyPress(key);
  if (key == 0) return;
  lookupSyncLocked_ = false;
  TKeyboardActionScope keyboard(this, true);
  TcxCustomTextEditProperties* properties = ActiveProperties();
  if (properties->GetEditingStyle() == tesFixedList && key == '\b' && !properties->ListSearchHighlight()) {
    SetFoundTextSelected(false);
    key = 0;
    return;
  }
  HandleSearchKey(key);
  if (key != 0 && inner) inner->WriteKeyTaken(false);
}

void TcxCustomTextEdit::HandleSearchKey(char& key) {
  TcxCustomTextEditProperties* properties = ActiveProperties();
  const TcxTextEditingStyle style = properties->GetEditingStyle();
  if (!lookupData_) return;
  const TVariant keyBefore = lookupData_->ReadCurrentKey();
  struct TCleanUp {
    TcxCustomTextEdit* edit;
    TVariant before;
    ~TCleanUp() {
      edit->LockClick(false);
      if (edit->lookupData_ && !VarEqualsForEdit(before, edit->lookupData_->ReadCurrentKey())) edit->DoModifiedClick();
    }
  } cleanUp{this, keyBefore};
  LockClick(true);
  const bool searches = IsListStyle(style) || (style == tesFree && properties->IncrementalSearch());
  if (!searches) return;
  if (key == '\b') return HandleSearchBackspace(key, style);
  if (static_cast<unsigned char>(key) < 32) return;
  const bool foundBefore = foundTextSelected_;
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  const bool caretAtEnd = inner && inner->SelStart() == static_cast<int>(Text().size());
  if (style == tesFree && !caretAtEnd && SelLength() == 0 && !foundTextSelected_) return;
  lookupSyncLocked_ = true;
  bool found = false;
  std::string text;
  if (SelLength() > 0) text = Text().substr(0, SelStart()) + key;
  else if (style != tesFixedList) text = Text().insert(std::min<size_t>(inner ? inner->SelStart() : 0, Text().size()), 1, key);
  else if (foundTextSelected_ && (found = SearchStep(Text() + key))) text.clear();
  else text = std::string(1, key);
  if (!found) found = SearchStep(text);
  if (!found && style == tesFixedList && !properties->ListSearchHighlight()) found = SearchStep(std::string(1, key));
  if (found || !IsListStyle(style)) {
    if (found) key = 0;
    return;
  }
  key = 0;
  const bool keepsFound = style == tesListRestricted ? !Text().empty() : properties->ListSearchHighlight() && foundBefore;
  if (keepsFound) SetFoundTextSelected(true);
}

void TcxCustomTextEdit::HandleSearchBackspace(char& key, TcxTextEditingStyle style) {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  if (style == tesListRestricted && !Text().empty() && !foundTextSelected_ && inner) {
    inner->SetSelLength(static_cast<int>(Text().size()) - inner->SelStart());
    SetFoundTextSelected(true);
  }
  if (foundTextSelected_) {
    std::string typed = Text().substr(0, Text().size() - SelLength());
    if (!typed.empty()) {
      const bool leadByte = typed.size() >= 2 && IsDBCSLeadByte(static_cast<BYTE>(typed[typed.size() - 2]));
      typed.erase(typed.size() - (leadByte ? 2 : 1));
    }
    lookupSyncLocked_ = true;
    SearchStep(typed);
    key = 0;
  }
  if (style == tesFixedList) key = 0;
}

// Looks the text up as a prefix of the items; a match shows the item with its tail selected.
bool TcxCustomTextEdit::SearchStep(std::string text) {
  TcxCustomInnerTextEdit* inner = InnerTextEdit();
  const char trail = inner ? inner->ReadImeTrailChar() : '\0';
  if (trail) text += trail;
  std::string tail;
  const bool found = !text.empty() && lookupData_->SearchPrefix(text, tail, false);
  if (found && trail) {
    tail.insert(0, 1, text.back());
    text.pop_back();
  }
  foundTextSelected_ = found;
  if (text.empty()) {
    SetFoundTextSelected(false);
    if (ActiveProperties()->GetEditingStyle() != tesFixedList) ApplyDisplayValue(TVariant(std::string()));
  } else if (found) {
    DataBinding()->PutDisplayValue(TVariant(text + tail));
    if (inner) {
      inner->SetSelStart(static_cast<int>(text.size()));
      inner->SetSelLength(static_cast<int>(tail.size()));
    }
  }
  RefreshDisplayText();
  return found;
}

void TcxCustomTextEdit::EndFindSelection() {
  if (ActiveProperties()->HasLookupData()) foundTextSelected_ = false;
}

void TcxCustomTextEdit::SetTextByKeyboard(const std::string& text) {
  if (!RequestEditing()) return;
  SetText(text);
  SetModified();
}

// ---------------------------------------------------------------------------------------------
// Items

void TcxCustomTextEdit::KeyToEditValue(const TVariant& key, TVariant& value) {
  std::string text;
  if (lookupData_) lookupData_->ItemTextForKey(key, text);
  DisplayToEditValue(TVariant(text), value, false);
}

int TcxCustomTextEdit::KeyToItemIndex(const TVariant& key) {
  try {
    return key.IsNull() || key.IsEmpty() ? -1 : key.AsInteger();
  } catch (const Exception&) {
    return -1;
  }
}

int TcxCustomTextEdit::ReadItemIndex() { return lookupData_ ? KeyToItemIndex(lookupData_->ReadCurrentKey()) : -1; }

TObject* TcxCustomTextEdit::GetSelectedItemObject() {
  const int index = ItemIndex();
  return index == -1 ? nullptr : ActiveProperties()->LookupItems()->Objects(index);
}

void TcxCustomTextEdit::SelectLookupItem(TObject*) {
  TVariant value;
  KeyToEditValue(lookupData_->ReadCurrentKey(), value);
  const bool differs = !VarEqualsForEdit(value, EditValue());
  if (differs && !RequestEditing()) return;
  PushModification();
  struct TPop {
    TcxCustomTextEdit* edit;
    ~TPop() { edit->PopModification(); }
  } pop{this};
  {
    TFlagScope locked(lookupSyncLocked_, true);
    const TVariant before = EditValue();
    AssignEditValueChecked(value);
    if (!VarEqualsForEdit(before, EditValue())) SetModified();
  }
  SelectAllText();
  ShortRefresh();
}

void TcxCustomTextEdit::WriteItemIndex(int index) {
  if (!lookupData_) return;
  const int before = ItemIndex();
  {
    TClicksLocked clicks(this);
    TVariant key, value;
    ItemIndexToKey(index, key);
    lookupData_->WriteCurrentKey(key);
    KeyToEditValue(lookupData_->ReadCurrentKey(), value);
    if (!VarEqualsForEdit(value, EditValue())) AssignEditValue(value);
  }
  if (ItemIndex() == before) return;
  ClearModified();
  Click();
}

bool TcxCustomTextEdit::IsUnboundStandalone() {
  return !InPlace() && !DataBinding()->DefaultValuesProvider()->IsDataSourceBound();
}

// After a properties change: a list style drops a text that is no item (or reloads it).
void TcxCustomTextEdit::ValidateListText() {
  const TcxTextEditingStyle style = ActiveProperties()->GetEditingStyle();
  if (!IsListStyle(style)) {
    if (!ModifiedAfterEnter()) DataBinding()->UpdateDisplayValue();
    return;
  }
  if (!((ModifiedAfterEnter() && !IsEditValidated()) || IsUnboundStandalone())) return UpdateDisplayFromValue();
  TVariant text(Text());
  if (ActiveProperties()->NormalizeDisplayValue(text, IsFocused())) return;
  TVariant empty;
  ActiveProperties()->GetEmptyDisplayValue(empty);
  {
    PushModification();
    struct TPop {
      TcxCustomTextEdit* edit;
      ~TPop() { edit->PopModification(); }
    } pop{this};
    ShowDisplayValue(empty);
  }
  if (!ModifiedAfterEnter()) UpdateInnerEditText();
}
