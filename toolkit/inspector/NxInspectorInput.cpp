// The inspector towards the user and its rows: notifications, selection, keys, the mouse, the
// splitter, the in-place editors and hints.
#include "NxInspector.h"
#include "NxItemClasses.h"
#include "NxToolbarItem.h"

// ---------------------------------------------------------------------------------------------
// Row notifications

void TNxCustomInspector::ItemFreed(TNxPropertyItem* row) {
  if (editingItem_ == row) {
    DetachEditorHooks(row);
    editingItem_ = nullptr;
  }
  if (suffixItem_ == row) suffixItem_ = nullptr;
  if (selected_ == row) selected_ = nullptr;
  if (hotItem_ == row) hotItem_ = nullptr;
  if (hintWindow_->Item == row) CancelHint();
}

void TNxCustomInspector::ItemChanged(TObject*, TNxPropertyItem* row, uint8_t kind, int index) {
  if (kind == inDestroying) ItemFreed(row);
  if (kind == inOptions || kind == inValueCell || kind == inValueChanged || kind == inToolbarText)
    InvalidateItem(row, ipValueCell);
  if (kind == inToolbarClick || kind == inToolbarButton) ToolbarInvalidate(row, index, false);
  if (kind == inRepaint || kind == inEnabled) InvalidateItem(row, ipRow);
  if (kind == inEnabled) CloseEditors();
  if (kind == inCollapsed || kind == inExpanded) {
    CloseEditors();
    DoExpand(row);
    ItemExpanded(row, kind == inCollapsed);
  }
  if (kind == inVisible) {
    if (row == editingItem_) CloseEditors();
    UpdateEditorBounds();
    Invalidate();
  }
  if (kind == inValueChanged) {
    const std::u16string value = row->GetValue();
    DoChange(row, value);
    if (row == editingItem_ && row->Editor()) row->Editor()->SetEditText(row->GetValue());
    ItemValueChanged(row, value);
  }
  if (kind == inToolbarClick) {
    ToolbarInvalidate(row, index, true);
    DoToolbarClick(row, index);
  }
  if (kind == inSuffixChanged) DoSuffixEdit(row, row->SuffixValue());
  if (kind == inAdded && HandleAllocated()) {
    const int top = ItemTop(row);
    RECT clip{0, top, ClientWidth(), ClientHeight()};
    ScrollWindowEx(WindowHandle(), 0, Pitch(), &clip, &clip, nullptr, nullptr, SW_INVALIDATE);
  }
}

// ---------------------------------------------------------------------------------------------
// Selection

void TNxCustomInspector::Select(TNxPropertyItem* row) {
  TNxPropertyItem* old = selected_;
  selected_ = row;
  const bool same = row == old;
  if (!same && old) InvalidateItem(old, ipRow);
  if (!row) return;
  ScrollIntoView(row->AbsoluteIndex());
  if (!same) {
    InvalidateItem(row, ipRow);
    DoSelectItem(row);
  }
  BeginEdit(row);
  ShowSuffixEditor(row);
}

TNxPropertyItem* TNxCustomInspector::NextRow(TNxPropertyItem* row) const {
  const auto& list = items_->NodeList();
  for (size_t i = static_cast<size_t>(row->NodeIndex() + 1); i < list.size(); ++i)
    if (IsShown(list[i])) return list[i];
  return nullptr;
}

TNxPropertyItem* TNxCustomInspector::PrevRow(TNxPropertyItem* row) const {
  const auto& list = items_->NodeList();
  for (int i = row->NodeIndex() - 1; i >= 0; --i)
    if (IsShown(list[i])) return list[i];
  return nullptr;
}

void TNxCustomInspector::SelectNext() {
  if (!options_.Contains(poEnterSelectNext) || !selected_) return;
  if (TNxPropertyItem* next = NextRow(selected_)) Select(next);
}

void TNxCustomInspector::ScrollIntoView(int index) {
  if (index < 0 || index >= items_->Count()) return;
  const int rows = RowsFromPosition(), position = VertBar()->Position();
  if (index >= position + rows) VertBar()->MoveBy(index - rows - position + 1);
  else if (index < position) VertBar()->MoveBy(index - position);
  TNxPropertyItem* row = items_->Item(index);
  if (ItemTop(row) + rowHeight_ + Grid() > ClientHeight()) VertBar()->MoveBy(1);
}

// ---------------------------------------------------------------------------------------------
// Keys

void TNxCustomInspector::KeyDown(Word& key, TShiftState shift) {
  TNxScrollControl::KeyDown(key, shift);
  TNxPropertyItem* target = nullptr;
  switch (key) {
    case VK_RETURN:
      if (!selected_) return;
      Commit(true);
      if (!options_.Contains(poEnterSelectNext)) return;
      target = NextRow(selected_);
      break;
    case VK_END:
      if (items_->Count() == 0) return;
      target = items_->Item(items_->Count() - 1);
      break;
    case VK_HOME:
      if (items_->Count() == 0) return;
      target = items_->Item(0);
      break;
    case VK_UP:
      if (!selected_ || !(target = PrevRow(selected_))) return;
      if (ItemTop(target) < 0) VertBar()->MoveBy(-1);
      Commit(true);
      break;
    case VK_DOWN:
      if (!selected_ || !(target = NextRow(selected_))) return;
      if (ItemTop(target) + rowHeight_ + Grid() > ClientHeight()) VertBar()->MoveBy(1);
      Commit(true);
      break;
    case VK_OEM_PLUS:
      if (selected_) selected_->SetExpanded(true);
      return;
    case VK_OEM_MINUS:
      if (selected_) selected_->SetExpanded(false);
      return;
    default:
      if (selected_ && selected_->Enabled() && !selected_->ReadOnly()) selected_->Display()->KeyDown(key, shift);
      return;
  }
  if (target) Select(target);
}

void TNxCustomInspector::EditorKeyDown(TObject*, Word& key, TShiftState shift) {
  switch (key) {
    case VK_RETURN: {
      const bool next = options_.Contains(poEnterSelectNext);
      Commit(next);
      if (next) SelectNext();
      break;
    }
    case VK_ESCAPE: CloseEditors(); break;
    case VK_END:
    case VK_HOME: break;
    default: KeyDown(key, shift);
  }
}

// ---------------------------------------------------------------------------------------------
// The mouse

bool TNxCustomInspector::InValueCell(TNxPropertyItem* row, int x, int y) const {
  const int top = ItemTop(row);
  return x >= splitterPosition_ + 1 && x < const_cast<TNxCustomInspector*>(this)->ClientWidth() && y >= top &&
         y < top + rowHeight_;
}

void TNxCustomInspector::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TNxScrollControl::MouseDown(button, shift, x, y);
  if (button != mbMiddle) leftButtonDown_ = true;
  CancelHint();
  if (options_.Contains(poSplitterMoving) && x >= splitterPosition_ - 2 && x < splitterPosition_ + 3) {
    splitterDragging_ = true;
    return;
  }
  Commit(true);
  TNxPropertyItem* row = ItemAtPos(y);
  if (!row) return;
  const int indent = Indent(row);
  if (row->ChildCount() > 0 && button == mbLeft && x > indent && x < indent + 14) row->SetExpanded(!row->Expanded());
  if (!row->Enabled()) return;
  Select(row);
  if (row->ReadOnly()) return;
  if (InValueCell(row, x, y))
    row->Display()->MouseDown(button, shift, x - (splitterPosition_ + 1), y - ItemTop(row));
}

void TNxCustomInspector::MouseMove(TShiftState shift, int x, int y) {
  TNxScrollControl::MouseMove(shift, x, y);
  if (items_->Count() == 0 || Rolling()) return;
  const bool onSplitter = options_.Contains(poSplitterMoving) && x >= splitterPosition_ - 2 && x < splitterPosition_ + 3;
  SetCursor(onSplitter ? crHSplit : crDefault);
  if (splitterDragging_) {
    SetSplitterPosition(x);
    return;
  }
  TNxPropertyItem* row = ItemAtPos(y);
  if (hotItem_ && (hotItem_ != row || x < splitterPosition_)) hotItem_->Display()->MouseLeave();
  if (hotItem_) hotItem_->StateFlags &= ~kItemHot;
  hotItem_ = row;
  if (!row) return;
  row->StateFlags |= kItemHot;
  HintMoved(row);
  if (leftButtonDown_ && !options_.Contains(poUniformSelect)) Select(row);
  if (!InValueCell(row, x, y)) return;
  TNxItemDisplay* display = row->Display();
  display->Rect = Rect(splitterPosition_ + 1, ItemTop(row), ClientWidth(), ItemTop(row) + rowHeight_);
  display->Canvas = Canvas();
  if (row->Enabled() && !row->ReadOnly()) display->MouseMove(shift, x - (splitterPosition_ + 1), y - ItemTop(row));
}

void TNxCustomInspector::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TNxScrollControl::MouseUp(button, shift, x, y);
  splitterDragging_ = false;
  leftButtonDown_ = false;
  TNxPropertyItem* row = ItemAtPos(y);
  if (row && InValueCell(row, x, y) && row->Enabled() && !row->ReadOnly())
    row->Display()->MouseUp(button, shift, x - (splitterPosition_ + 1), y - ItemTop(row));
}

void TNxCustomInspector::DblClick() {
  TNxScrollControl::DblClick();
  const TPoint p = ScreenToClient(Mouse->CursorPos());
  TNxPropertyItem* row = ItemAtPos(p.Y);
  if (row && p.X > Indent(row) + 14) row->SetExpanded(!row->Expanded());
}

void TNxCustomInspector::CMMouseLeave(TMessage& m) {
  TNxScrollControl::Dispatch(m);
  if (hotItem_) {
    hotItem_->Display()->MouseLeave();
    hotItem_->StateFlags &= ~kItemHot;
  }
  hotItem_ = nullptr;
  CancelHint();
}

void TNxCustomInspector::DoEnter() {
  TNxScrollControl::DoEnter();
  if (selected_) InvalidateItem(selected_, ipCaption);
}

void TNxCustomInspector::DoExit() {
  TNxScrollControl::DoExit();
  Commit(true);
  CloseEditors();
  if (selected_) InvalidateItem(selected_, ipCaption);
}

void TNxCustomInspector::WMKillFocus(TMessage& m) {
  TNxScrollControl::Dispatch(m);
  if (selected_ && HandleAllocated()) {
    const int top = ItemTop(selected_);
    RECT r{14, top, splitterPosition_, top + rowHeight_};
    InvalidateRect(WindowHandle(), &r, FALSE);
  }
  CancelHint();
}

void TNxCustomInspector::WMVScroll(TMessage& m) {
  CloseEditors();
  TNxScrollControl::WMVScroll(m);
}

bool TNxCustomInspector::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  TNxScrollControl::DoMouseWheel(shift, wheelDelta, mousePos);
  CloseEditors();
  const int step = shift.Contains(ssCtrl) ? 4 : 1;
  VertBar()->MoveBy(wheelDelta < 0 ? step : -step);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Editors

void TNxCustomInspector::DetachEditorHooks(TNxPropertyItem* row) {
  if (TNxCustomEdit* editor = row->Editor()) {
    editor->OnKeyDown = nullptr;
    editor->OnChange = nullptr;
  }
}

void TNxCustomInspector::BeginEdit(TNxPropertyItem* row) {
  if (ComponentState().Contains(csDesigning) || row == editingItem_) return;
  if (TNxPropertyItem* previous = editingItem_) {
    editingItem_ = nullptr;
    DetachEditorHooks(previous);
    previous->HideEditor();
  }
  bool ancestorsExpanded = true;
  for (TNxPropertyItem* p = row->ParentItem(); p; p = p->ParentItem()) ancestorsExpanded = ancestorsExpanded && p->Expanded();
  TNxCustomEdit* editor = row->Editor();
  if (!editor || !row->Enabled() || !row->Visible() || row->ReadOnly() || !row->CanEdit() || !ancestorsExpanded) {
    if (CanFocusNow(this)) SetFocus();
    return;
  }
  editingItem_ = row;
  CancelHint();
  const int width = ClientWidth() - splitterPosition_ - 1 - (row->ShowSuffix() ? suffixWidth_ : 0);
  editor->SetParent(this);
  editor->SetBorderStyle(bsNone);
  row->PrepareEditor();
  editor->Hide();
  editor->SetBounds(splitterPosition_ + 1, ItemTop(row), width, rowHeight_);
  editor->Show();
  editor->OnKeyDown = MakeEvent(this, &TNxCustomInspector::EditorKeyDown);
  editor->OnChange = MakeEvent(this, &TNxCustomInspector::EditorChange);
  // A row selected before the form is shown opens its editor; the focus follows when it can.
  if (CanFocusNow(editor)) editor->SetFocus();
}

void TNxCustomInspector::ShowSuffixEditor(TNxPropertyItem* row) {
  if (ComponentState().Contains(csDesigning) || suffixItem_ == row) return;
  if (suffixItem_) suffixItem_->HideSuffixEditor();
  if (!row->ShowSuffix()) {
    suffixItem_ = nullptr;
    return;
  }
  suffixItem_ = row;
  TNxComboBox* editor = row->SuffixEditor();
  editor->SetParent(this);
  editor->SetInPlace(true);
  editor->SetHideFocus(true);
  editor->SetStyle(row->SuffixStyle() == ssDropDown ? dsDropDown : dsDropDownList);
  editor->SetBounds(ClientWidth() - suffixWidth_ + 1, ItemTop(row), suffixWidth_ - 1, rowHeight_);
  editor->SetEditText(row->SuffixValue());
  editor->OnChange = MakeEvent(this, &TNxCustomInspector::SuffixEditorChange);
  row->PrepareSuffixEditor();
}

void TNxCustomInspector::SuffixEditorChange(TObject*) {
  if (suffixItem_) suffixItem_->SetSuffixValue(suffixItem_->SuffixEditor()->GetEditText());
}

void TNxCustomInspector::Commit(bool closeAfter) {
  if (suffixItem_) suffixItem_->SetSuffixValue(suffixItem_->SuffixEditor()->GetEditText());
  TNxPropertyItem* row = editingItem_;
  if (!row || !row->Editor()) return;
  TNxCustomEdit* editor = row->Editor();
  const std::u16string text = editor->GetEditText();
  if (row->GetValue() != text) {
    bool accept = true;
    DoEdit(row, text, accept);
    if (accept) {
      row->SetValue(text);
    } else {
      leftButtonDown_ = false;
      editor->SetEditText(row->GetValue());
      if (closeAfter) CloseEditors();
    }
  }
  if (!closeAfter && editingItem_ == row) editor->SelectAll();
}

void TNxCustomInspector::EditorChange(TObject* sender) {
  TNxPropertyItem* row = editingItem_;
  // a hidden editor whose text its row rewrites is no longer the one being edited
  if (!row || sender != row->Editor()) return;
  const std::u16string text = row->Editor()->GetEditText();
  if (row->Options().Contains(itoAutoApply)) row->SetValue(text);
  bool accept = true;
  DoEdit(row, text, accept);
}

// The editing row is forgotten before its editor hides: hiding a combo-box row's editor sets its
// value, and a change handler that then enables rows or sets an index closes the editors again.
void TNxCustomInspector::CloseEditors() {
  if (closingEditors_) return;
  closingEditors_ = true;
  try {
    if (TNxPropertyItem* row = editingItem_) {
      editingItem_ = nullptr;
      DetachEditorHooks(row);
      row->HideEditor();
    }
    if (TNxPropertyItem* row = suffixItem_) {
      suffixItem_ = nullptr;
      row->HideSuffixEditor();
    }
  } catch (...) {
    closingEditors_ = false;
    throw;
  }
  closingEditors_ = false;
}

void TNxCustomInspector::UpdateEditorBounds() {
  if (!editingItem_ || !editingItem_->Editor()) return;
  const int right = editingItem_->ShowSuffix() ? ClientWidth() - suffixWidth_ : ClientWidth();
  editingItem_->Editor()->SetBounds(splitterPosition_ + 1, ItemTop(editingItem_), right - splitterPosition_ - 1,
                                    rowHeight_);
}

// ---------------------------------------------------------------------------------------------
// Events

void TNxCustomInspector::DoChange(TNxPropertyItem* row, const std::u16string& value) {
  if (OnChange) OnChange(this, row, value);
}

void TNxCustomInspector::DoEdit(TNxPropertyItem* row, const std::u16string& value, bool& accept) {
  if (OnEdit) OnEdit(this, row, value, accept);
}

void TNxCustomInspector::DoExpand(TNxPropertyItem* row) {
  if (OnExpand) OnExpand(this, row);
}

void TNxCustomInspector::DoSelectItem(TNxPropertyItem* row) {
  if (OnSelectItem) OnSelectItem(this, row);
}

void TNxCustomInspector::DoSuffixEdit(TNxPropertyItem* row, const std::u16string& suffix) {
  if (OnSuffixEdit) OnSuffixEdit(this, row, suffix);
}

void TNxCustomInspector::DoToolbarClick(TNxPropertyItem* row, int buttonIndex) {
  if (OnToolbarClick) OnToolbarClick(this, row, buttonIndex);
}

// ---------------------------------------------------------------------------------------------
// Hints

void TNxCustomInspector::HintMoved(TNxPropertyItem* row) {
  if (row == hintWindow_->Item) return;
  if (!row->ShowHint() || row->Hint().empty()) {
    CancelHint();
    return;
  }
  if (hintWindow_->HandleAllocated() && IsWindowVisible(hintWindow_->WindowHandle())) {
    hintHideTimer_->SetEnabled(false);
    hintWindow_->Item = row;
    ShowItemHint(row);
  } else {
    hintShowTimer_->SetEnabled(true);
  }
}

void TNxCustomInspector::CancelHint() {
  hintShowTimer_->SetEnabled(false);
  hintHideTimer_->SetEnabled(false);
  hintWindow_->Item = nullptr;
  hintWindow_->ReleaseHandle();
}

void TNxCustomInspector::ShowItemHint(TNxPropertyItem* row) {
  if (!row->ShowHint() || row->Hint().empty()) return;
  hintShowTimer_->SetEnabled(false);
  TRect r = hintWindow_->CalcHintRect(ClientWidth(), row->Hint(), nullptr);
  const TPoint cursor = Mouse->CursorPos();
  r.Offset(cursor.X, cursor.Y);
  hintWindow_->ActivateHint(r, row->Hint());
  hintHideTimer_->SetEnabled(true);
}

void TNxCustomInspector::HintShowTick(TObject*) {
  hintShowTimer_->SetEnabled(false);
  if (!hotItem_) return;
  hintWindow_->Item = hotItem_;
  ShowItemHint(hotItem_);
}

void TNxCustomInspector::HintHideTick(TObject*) {
  hintHideTimer_->SetEnabled(false);
  hintWindow_->ReleaseHandle();
}

// Toolbar rows repaint one button, or the text after the buttons.
void TNxCustomInspector::ToolbarInvalidate(TNxPropertyItem* row, int index, bool textArea) {
  if (!HandleAllocated()) return;
  RECT r{};
  if (!ToolbarRepaintRect(row, index, textArea, splitterPosition_, ClientWidth(), ItemTop(row), rowHeight_, r)) return;
  InvalidateRect(WindowHandle(), &r, FALSE);
}
