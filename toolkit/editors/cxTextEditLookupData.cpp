#include "cxTextEditLookupData.h"

#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TcxCustomTextEditLookupData, TcxInterfacedPersistent)

TcxCustomTextEditLookupData::TcxCustomTextEditLookupData(TPersistent* owner, IcxLookupEditor* editor)
    : TcxInterfacedPersistent(owner), editor_(editor) {}

// The list belongs to the parent it was placed on; only the link to it is dropped here.
TcxCustomTextEditLookupData::~TcxCustomTextEditLookupData() {
  if (dropList_) dropList_->OnListIndexChanged = nullptr;
}

void TcxCustomTextEditLookupData::ItemTextAt(int index, std::string& text) { text = editor_->LookupItems()->Get(index); }

int TcxCustomTextEditLookupData::LookupItemCount() { return editor_->LookupItems()->Count(); }

void TcxCustomTextEditLookupData::ListIndexChanged(TObject*) { listIndex_ = dropList_->ItemIndex(); }

void TcxCustomTextEditLookupData::RefreshListCount() {
  if (dropList_) dropList_->ResizeItems(LookupItemCount());
}

bool TcxCustomTextEditLookupData::AllowsListResize(TSize&, int, int) { return true; }

int TcxCustomTextEditLookupData::IndexOfText(const std::string& text) {
  std::string item;
  for (int i = 0, n = LookupItemCount(); i < n; ++i) {
    ItemTextAt(i, item);
    if (AnsiSameText(item, text)) return i;
  }
  return -1;
}

void TcxCustomTextEditLookupData::ItemTextForKey(const TVariant& key, std::string& text) {
  text.clear();
  if (!VarIsNumeric(key)) return;
  const int64_t index = key.AsInt64();
  if (index >= 0 && index < LookupItemCount()) ItemTextAt(static_cast<int>(index), text);
}

// ---------------------------------------------------------------------------------------------
// The two positions

void TcxCustomTextEditLookupData::SetListIndex(int value) {
  if (value < -1 || value >= LookupItemCount() || (value == listIndex_ && value != -1)) return;
  if (dropList_ && LookupItemCount() > 0) {
    if (value == -1) dropList_->SetListItemIndex(0);  // scrolls the list back to the top
    dropList_->SetListItemIndex(value);
  }
  listIndex_ = value;
}

void TcxCustomTextEditLookupData::SetCommittedIndex(int value) {
  if (value < -1 || value >= LookupItemCount()) return;
  committedIndex_ = value;
  SetListIndex(value);
}

void TcxCustomTextEditLookupData::ResyncListIndex() {
  if (!editor_->SwitchingEditMode()) SetListIndex(committedIndex_);
}

// ---------------------------------------------------------------------------------------------
// Prefix search

int TcxCustomTextEditLookupData::FindPrefix(const std::string& text, int from) {
  const std::string wanted = AnsiUpperCase(text);
  std::string item;
  for (int i = from, n = LookupItemCount(); i < n; ++i) {
    ItemTextAt(i, item);
    if (item.size() >= text.size() && AnsiUpperCase(std::string_view(item).substr(0, text.size())) == wanted) return i;
  }
  return -1;
}

bool TcxCustomTextEditLookupData::LocatePrefix(std::string& text, std::string& tail, bool syncMode, bool next) {
  if (LookupItemCount() == 0) {
    ApplyNoMatch(syncMode, text);
    return false;
  }
  if (syncMode && editor_->WholeTextLookup()) {
    const int found = IndexOfText(text);
    if (found >= 0) tail.clear();
    SetCommittedIndex(found);
    return found >= 0;
  }
  const int found = text.empty() ? -1 : FindPrefix(text, next ? listIndex_ + 1 : 0);
  if (found < 0) {
    ApplyNoMatch(syncMode, text);
    return false;
  }
  std::string item;
  ItemTextAt(found, item);
  text = item.substr(0, text.size());
  tail = item.substr(text.size());
  SetCommittedIndex(found);
  return true;
}

// Whether a failed search forgets the committed item depends on how freely the editor is typed in.
void TcxCustomTextEditLookupData::ApplyNoMatch(bool syncMode, const std::string& text) {
  bool reset = false;
  switch (editor_->LookupEditingStyle()) {
    case tesFree:
    case tesNoEdit: reset = true; break;
    case tesListRestricted: reset = syncMode || text.empty(); break;
    case tesFixedList: reset = syncMode; break;
  }
  if (reset) SetCommittedIndex(-1);
}

void TcxCustomTextEditLookupData::SyncKeyWithText() {
  if (editor_->SwitchingEditMode()) return;
  if (listIndex_ < LookupItemCount()) {
    std::string item;
    if (listIndex_ >= 0) ItemTextAt(listIndex_, item);
    if (AnsiSameText(item, editor_->LookupEditText())) return;
  }
  std::string text = editor_->LookupEditText(), tail;
  LocatePrefix(text, tail, true, false);
}

// ---------------------------------------------------------------------------------------------
// Navigation and commit

int TcxCustomTextEditLookupData::MoveTarget(TcxLookupMove direction, bool wrap, int c, int n) {
  const int page = editor_->LookupPageSize();
  switch (direction) {
    case lmFirst: return 0;
    case lmLast: return n - 1;
    case lmNext: return c + 1 < n ? c + 1 : (wrap ? 0 : c);
    case lmPrior: return c - 1 >= 0 ? c - 1 : (wrap ? n - 1 : c);
    case lmPageUp:
      if (c == -1) return wrap ? n - 1 : -1;
      if (wrap && c == 0) return n - 1;
      return std::max(c - page + 1, 0);
    case lmPageDown:
      if (c == -1) return std::min(page - 1, n - 1);
      if (wrap && c == n - 1) return 0;
      return std::min(c + page - 1, n - 1);
  }
  return c;
}

void TcxCustomTextEditLookupData::MoveCurrent(TcxLookupMove direction, bool wrap) {
  const int n = LookupItemCount();
  if (n == 0) return;
  const int start = listIndex_ != -1 ? listIndex_ : committedIndex_;
  const int target = MoveTarget(direction, wrap, start, n);
  if (!dropList_ || !dropList_->IsListVisible() || (editor_->ImmediateUpdateText() && editor_->RequestLookupEditing()))
    WriteCurrentKey(TVariant(int32_t(target)));
  else
    SetListIndex(target);
}

void TcxCustomTextEditLookupData::FireItemCommitted() {
  if (OnItemCommitted) OnItemCommitted(this);
}

void TcxCustomTextEditLookupData::WriteCurrentKey(const TVariant& key) {
  const int old = committedIndex_;
  const int index = VarIsNumeric(key) ? key.AsInteger() : -2;
  SetCommittedIndex(index);
  editor_->LockLookupResync(true);
  struct TUnlock {
    IcxLookupEditor* e;
    ~TUnlock() { e->LockLookupResync(false); }
  } unlock{editor_};
  if (committedIndex_ != old) {
    FireItemCommitted();
    return;
  }
  if (index < 0 || index >= LookupItemCount()) return;
  std::string item;
  ItemTextAt(index, item);
  if (item != editor_->LookupEditText()) FireItemCommitted();
}

void TcxCustomTextEditLookupData::CommitListItem() {
  if (listIndex_ == -1) return;
  if (listIndex_ != committedIndex_ && !editor_->RequestLookupEditing()) return;
  const int before = committedIndex_;
  WriteCurrentKey(TVariant(int32_t(listIndex_)));
  if (committedIndex_ == before) FireItemCommitted();
}

// ---------------------------------------------------------------------------------------------
// The popup list

void TcxCustomTextEditLookupData::PlaceList(TWinControl* parent) {
  const TcxEditListBoxFactory make = GetListBoxClass();
  if (!make) return;
  if (!dropList_) dropList_ = make(parent);
  dropList_->LookupEditor = editor_;
  dropList_->SetColor(editor_->LookupListColor());
  dropList_->Font()->Assign(editor_->LookupListFont());
  dropList_->Canvas()->SetFont(dropList_->Font());
  if (dropList_->HandleAllocated()) SendMessageA(dropList_->Handle(), LB_SETITEMHEIGHT, 0, dropList_->ItemRowHeight(-1));
  dropList_->SetParent(parent);
  dropList_->OnListIndexChanged = MakeEvent(this, &TcxCustomTextEditLookupData::ListIndexChanged);
  dropList_->ResizeItems(LookupItemCount());
  dropList_->SetListItemIndex(listIndex_);
  dropList_->RebuildWindow();
  SyncKeyWithText();
}

void TcxCustomTextEditLookupData::SetListBounds(const TRect& rect) {
  if (!dropList_) return;
  dropList_->SetBounds(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
  if (dropList_->HandleAllocated())
    dropList_->ResetScrollWidth(static_cast<int>(SendMessageA(dropList_->Handle(), LB_GETHORIZONTALEXTENT, 0, 0)));
}

bool TcxCustomTextEditLookupData::PointOverList(TPoint screenPoint) {
  if (!dropList_) return false;
  // Client coordinates against the client area (the list's position in its parent would be the
  // wrong frame as soon as the list does not sit at the parent's origin).
  const TPoint p = dropList_->ScreenToClient(screenPoint);
  return p.X >= 0 && p.X < dropList_->Width() && p.Y >= 0 && p.Y < dropList_->Height();
}

// ---------------------------------------------------------------------------------------------
// The list inside editor popups

CALDERAN_IMPLEMENT_CLASS(TcxCustomEditListBox, TcxCustomInnerListBox)

TcxCustomEditListBox::TcxCustomEditListBox(TComponent* owner) : TcxCustomInnerListBox(owner) {
  SetStyle(lbOwnerDrawFixed);
}

void TcxCustomEditListBox::CreateParams(TCreateParams& params) {
  TcxCustomInnerListBox::CreateParams(params);
  params.ExStyle &= ~WS_EX_CLIENTEDGE;  // borderless
  params.Style &= ~WS_BORDER;
}

// Rows are fixed: every one as high as the font.
void TcxCustomEditListBox::CreateWnd() {
  TcxCustomInnerListBox::CreateWnd();
  SendMessageA(WindowHandle(), LB_SETITEMHEIGHT, 0, ItemRowHeight(-1));
}

void TcxCustomEditListBox::Dispatch(TMessage& m) {
  TcxCustomInnerListBox::Dispatch(m);
  // Shown inside a popup while the editor keeps the focus: the list still draws its selection as
  // focused.
  if (m.Msg == CM_SHOWINGCHANGED && HandleAllocated()) CallWindowProcA(DefWndProc(), Handle(), WM_SETFOCUS, 0, 0);
}

void TcxCustomEditListBox::ResizeItems(int count) {
  TStrings* items = Items();
  if (items->Count() == count) return;
  items->BeginUpdate();
  while (items->Count() < count) items->Add("");
  while (items->Count() > count) items->Delete(items->Count() - 1);
  items->EndUpdate();
}

void TcxCustomEditListBox::ResetScrollWidth(int width) {
  SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, 0, 0);
  SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, width, 0);
}

bool TcxCustomEditListBox::IsListVisible() { return HandleAllocated() && IsWindowVisible(Handle()); }

void TcxCustomEditListBox::SetListItemIndex(int index) {
  SetItemIndex(index);
  SyncOwnScrollBars();
  if (OnListIndexChanged) OnListIndexChanged(this);
}

void TcxCustomEditListBox::ItemLabel(int index, std::string& text) { text = Items()->Get(index); }

int TcxCustomEditListBox::ItemRowHeight(int) {
  Canvas()->SetFont(Font());
  return Canvas()->TextHeight("Wg");
}

int TcxCustomEditListBox::GetItemWidth(int index) {
  std::string text;
  ItemLabel(index, text);
  Canvas()->SetFont(Font());
  return Canvas()->TextWidth(text);
}

void TcxCustomEditListBox::MeasureItem(int, int& height) { height = ItemRowHeight(-1); }

void TcxCustomEditListBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
  if (DrawItemCustom(index, rect, state)) return;
  Canvas()->FillRect(rect);
  if (index < 0 || index >= Items()->Count()) return;
  std::string text;
  ItemLabel(index, text);
  RECT r = rect;
  r.left += 2;
  SetBkMode(Canvas()->Handle(), TRANSPARENT);
  DrawTextA(Canvas()->Handle(), text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

bool TcxCustomEditListBox::DrawsDefaultFocusRect() {
  if (!LookupEditor) return false;
  const TcxTextEditingStyle style = LookupEditor->LookupEditingStyle();
  return style == tesFixedList || style == tesNoEdit;
}

void TcxCustomEditListBox::Click() {
  TcxCustomInnerListBox::Click();
  SyncOwnScrollBars();
  if (OnListIndexChanged) OnListIndexChanged(this);
}

void TcxCustomEditListBox::MouseMove(TShiftState shift, int x, int y) {
  TcxCustomInnerListBox::MouseMove(shift, x, y);
  if (GetCapture() == Handle() || !TrackHotItem || !HandleAllocated()) return;
  const int hot = ItemAtPos(TPoint(x, y), true);
  if (hot >= 0 && hot != ItemIndex()) SetListItemIndex(hot);
}

bool TcxCustomEditListBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (TcxCustomInnerListBox::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  UINT lines = 0;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines < 1 || lines == WHEEL_PAGESCROLL) return false;
  LRESULT last = 1;
  for (UINT i = 0; i < lines; ++i) last = SendMessageA(Handle(), WM_VSCROLL, wheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
  return last == 0;
}
