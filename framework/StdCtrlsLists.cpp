// List boxes, combo boxes and scroll bars over the native classes. Their items live in the window
// while it exists, and in a string list while it does not.
#include <algorithm>

#include "StdCtrls.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE(TCustomListBox, TWinControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TListBox, TCustomListBox, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TCustomComboBox, TWinControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TComboBox, TCustomComboBox, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TScrollBar, TWinControl, TComponent*)

namespace {
// The messages that one native list class answers.
struct TListMessages {
  UINT getCount, getTextLen, getText, addString, insertString, deleteString, resetContent, getItemData, setItemData;
  LRESULT error;
};
constexpr TListMessages listBoxMessages{LB_GETCOUNT,     LB_GETTEXTLEN,  LB_GETTEXT,     LB_ADDSTRING,    LB_INSERTSTRING,
                                        LB_DELETESTRING, LB_RESETCONTENT, LB_GETITEMDATA, LB_SETITEMDATA, LB_ERR};
constexpr TListMessages comboBoxMessages{CB_GETCOUNT,     CB_GETLBTEXTLEN, CB_GETLBTEXT,   CB_ADDSTRING,    CB_INSERTSTRING,
                                         CB_DELETESTRING, CB_RESETCONTENT, CB_GETITEMDATA, CB_SETITEMDATA, CB_ERR};

// Items of a list window; a string list keeps them while the window does not exist.
class TNativeListStrings : public TStrings {
 public:
  TNativeListStrings(TWinControl* control, const TListMessages& messages) : control_(control), m_(messages) {}
  int Count() const override {
    return Live() ? static_cast<int>(Send(m_.getCount, 0, 0)) : saved_.Count();
  }
  std::string Get(int index) const override {
    if (!Live()) return saved_.Get(index);
    LRESULT length = Send(m_.getTextLen, index, 0);
    if (length == m_.error) throw EStringListError(Format(SListIndexError, {index}));
    std::string s(static_cast<size_t>(length) + 1, '\0');
    length = Send(m_.getText, index, reinterpret_cast<LPARAM>(s.data()));
    s.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return s;
  }
  TObject* Objects(int index) const override {
    if (!Live()) return saved_.Objects(index);
    LRESULT data = Send(m_.getItemData, index, 0);
    return data == m_.error ? nullptr : reinterpret_cast<TObject*>(data);
  }
  void PutObject(int index, TObject* object) override {
    if (!Live()) saved_.PutObject(index, object);
    else Send(m_.setItemData, index, reinterpret_cast<LPARAM>(object));
  }
  int Add(const std::string& s) override {
    if (!Live()) return saved_.Add(s);
    LRESULT index = Send(m_.addString, 0, reinterpret_cast<LPARAM>(s.c_str()));
    if (index < 0) throw EOutOfResources("Failed to insert the item");
    return static_cast<int>(index);
  }
  void Insert(int index, const std::string& s) override {
    if (!Live()) {
      saved_.Insert(index, s);
      return;
    }
    if (Send(m_.insertString, index, reinterpret_cast<LPARAM>(s.c_str())) < 0) throw EOutOfResources("Failed to insert the item");
  }
  void Delete(int index) override {
    if (!Live()) saved_.Delete(index);
    else Send(m_.deleteString, index, 0);
  }
  void Clear() override {
    if (!Live()) saved_.Clear();
    else Send(m_.resetContent, 0, 0);
  }
  // The window's items move into the string list (before the window goes) and back.
  void Save() {
    TStringList keep;
    for (int i = 0; i < Count(); ++i) keep.AddObject(Get(i), Objects(i));
    saved_.Assign(&keep);
  }
  void Restore() {
    for (int i = 0; i < saved_.Count(); ++i) {
      LRESULT index = Send(m_.addString, 0, reinterpret_cast<LPARAM>(saved_.Get(i).c_str()));
      if (index >= 0) Send(m_.setItemData, index, reinterpret_cast<LPARAM>(saved_.Objects(i)));
    }
    saved_.Clear();
  }
  bool Live() const { return control_->HandleAllocated(); }
  // A sorted list keeps its items in order also while it has no window.
  void SetSorted(bool value) { saved_.SetSorted(value); }

 private:
  LRESULT Send(UINT msg, WPARAM w, LPARAM l) const { return SendMessageA(control_->WindowHandle(), msg, w, l); }
  TWinControl* control_;
  const TListMessages& m_;
  TStringList saved_;
};

}  // namespace

TOwnerDrawState OwnerDrawStateOf(UINT itemState) {
  TOwnerDrawState s;
  if (itemState & ODS_SELECTED) s.Include(odSelected);
  if (itemState & ODS_GRAYED) s.Include(odGrayed);
  if (itemState & ODS_DISABLED) s.Include(odDisabled);
  if (itemState & ODS_CHECKED) s.Include(odChecked);
  if (itemState & ODS_FOCUS) s.Include(odFocused);
  if (itemState & ODS_DEFAULT) s.Include(odDefault);
  if (itemState & ODS_COMBOBOXEDIT) s.Include(odComboBoxEdit);
  return s;
}

class TListBoxStrings : public TNativeListStrings {
 public:
  using TNativeListStrings::TNativeListStrings;
};
class TComboBoxStrings : public TNativeListStrings {
 public:
  using TNativeListStrings::TNativeListStrings;
};

// ---------------------------------------------------------------------------------------------
// TCustomListBox
TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TListBoxStrings>(this, listBoxMessages)), canvas_(std::make_unique<TControlCanvas>()) {
  canvas_->SetControl(this);
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() {
  Destroying();
  canvas_->FreeHandle();
}

void TCustomListBox::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND: CNCommand(m); break;
    case CN_DRAWITEM: CNDrawItem(m); break;
    case CN_MEASUREITEM: CNMeasureItem(m); break;
    default: TWinControl::Dispatch(m);
  }
}

void TCustomListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, "LISTBOX");
  static constexpr DWORD styles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE};
  p.Style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_HSCROLL | WS_VSCROLL | styles[style_] |
             (sorted_ ? LBS_SORT : 0) | (multiSelect_ ? LBS_EXTENDEDSEL : 0);
  p.ExStyle |= WS_EX_CLIENTEDGE;
  p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  if (style_ == lbOwnerDrawFixed) SendMessageA(WindowHandle(), LB_SETITEMHEIGHT, 0, itemHeight_);
  static_cast<TListBoxStrings*>(items_.get())->Restore();
  if (savedIndex_ >= 0) SetItemIndex(savedIndex_);
  savedIndex_ = -1;
}

void TCustomListBox::DestroyWnd() {
  savedIndex_ = ItemIndex();
  static_cast<TListBoxStrings*>(items_.get())->Save();
  TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() {
  if (!HandleAllocated()) return savedIndex_;
  UINT msg = multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL;
  return static_cast<int>(SendMessageA(WindowHandle(), msg, 0, 0));
}

void TCustomListBox::SetItemIndex(int index) {
  if (!HandleAllocated()) {
    savedIndex_ = index;
    return;
  }
  if (ItemIndex() == index) return;
  if (multiSelect_) SendMessageA(WindowHandle(), LB_SETCARETINDEX, index, FALSE);
  else SendMessageA(WindowHandle(), LB_SETCURSEL, index, 0);
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  RecreateWnd();
}

int TCustomListBox::ItemHeight() {
  if (HandleAllocated() && style_ == lbStandard) return static_cast<int>(SendMessageA(WindowHandle(), LB_GETITEMHEIGHT, 0, 0));
  return itemHeight_;
}

void TCustomListBox::SetItemHeight(int height) {
  if (height <= 0 || height == itemHeight_) return;
  itemHeight_ = height;
  RecreateWnd();
}

void TCustomListBox::SetSorted(bool value) {
  if (value == sorted_) return;
  sorted_ = value;
  if (HandleAllocated()) static_cast<TListBoxStrings*>(items_.get())->Save();
  static_cast<TListBoxStrings*>(items_.get())->SetSorted(value);
  RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool value) {
  if (value == multiSelect_) return;
  multiSelect_ = value;
  RecreateWnd();
}

bool TCustomListBox::Selected(int index) {
  LRESULT r = SendMessageA(Handle(), LB_GETSEL, index, 0);
  if (r == LB_ERR) throw EListError(Format(SListIndexError, {index}));
  return r != 0;
}

void TCustomListBox::SetSelected(int index, bool value) {
  if (multiSelect_) SendMessageA(Handle(), LB_SETSEL, value, index);
  else SendMessageA(Handle(), LB_SETCURSEL, value ? index : -1, 0);
}

int TCustomListBox::TopIndex() { return static_cast<int>(SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0)); }
void TCustomListBox::SetTopIndex(int index) { SendMessageA(Handle(), LB_SETTOPINDEX, index, 0); }

int TCustomListBox::ItemAtPos(TPoint pos, bool existing) {
  TRect client = ClientRect();
  if (client.Contains(pos)) {
    int count = Count();
    for (int i = TopIndex(); i < count; ++i) {
      TRect r = ItemRect(i);
      if (r.Contains(pos)) return i;
      if (r.Top >= client.Bottom) break;
    }
  }
  return existing ? -1 : Count();
}

TRect TCustomListBox::ItemRect(int index) {
  RECT r{};
  int count = Count();
  if (index == 0 || index < count) SendMessageA(Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  else if (index == count) {
    SendMessageA(Handle(), LB_GETITEMRECT, index - 1, reinterpret_cast<LPARAM>(&r));
    OffsetRect(&r, 0, r.bottom - r.top);
  }
  return r;
}

void TCustomListBox::CNCommand(TMessage& m) {
  switch (HIWORD(m.WParam)) {
    case LBN_SELCHANGE:
      Changed();
      Click();
      break;
    case LBN_DBLCLK: DblClick(); break;
  }
}

void TCustomListBox::DrawItem(int index, TRect rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  canvas_->FillRect(rect);
  if (index < Count()) canvas_->TextOut(rect.Left + 2, rect.Top, items_->Get(index));
}

void TCustomListBox::MeasureItem(int index, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomListBox::CNDrawItem(TMessage& m) {
  auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  TOwnerDrawState state = OwnerDrawStateOf(d->itemState);
  canvas_->FreeHandle();
  canvas_->SetHandle(d->hDC);
  canvas_->SetFont(Font());
  canvas_->SetBrush(Brush());
  int index = static_cast<int>(d->itemID);
  if (index >= 0 && state.Contains(odSelected)) {
    canvas_->Brush()->SetColor(clHighlight);
    canvas_->Font()->SetColor(clHighlightText);
  }
  if (index >= 0) DrawItem(index, d->rcItem, state);
  else canvas_->FillRect(d->rcItem);
  if (state.Contains(odFocused) && DrawsDefaultFocusRect()) DrawFocusRect(d->hDC, &d->rcItem);
  canvas_->SetHandle(nullptr);
  m.Result = TRUE;
}

void TCustomListBox::CNMeasureItem(TMessage& m) {
  auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  int height = itemHeight_;
  if (style_ == lbOwnerDrawVariable) MeasureItem(static_cast<int>(mi->itemID), height);
  mi->itemHeight = height;
  m.Result = TRUE;
}

// ---------------------------------------------------------------------------------------------
// TCustomComboBox
TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TComboBoxStrings>(this, comboBoxMessages)) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() { Destroying(); }

void TCustomComboBox::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND: CNCommand(m); break;
    case CN_DRAWITEM: CNDrawItem(m); break;
    case CN_MEASUREITEM: CNMeasureItem(m); break;
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSTATIC: WMCtlColorOfPart(m); break;
    default: TWinControl::Dispatch(m);
  }
}

// The combo's own edit and its dropped list ask the combo for their colours; the platform would pass
// the question on to the parent, which knows neither window and answers with the system's white.
// They wear the combo's colours, asked as the parent asks a child, so that whoever answers for the
// combo's field answers for them too.
void TCustomComboBox::WMCtlColorOfPart(TMessage& m) { m.Result = Perform(CN_BASE + m.Msg, m.WParam, m.LParam); }

// The window height passed to a drop-down combo box is the height of its open list.
void TCustomComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, "COMBOBOX");
  static constexpr DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                     CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  p.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | styles[style_] | (sorted_ ? CBS_SORT : 0);
  if (style_ != csSimple) p.Height = Height() + itemHeight_ * std::max(dropDownCount_, 1) + 2;
  p.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomComboBox::CreateWnd() {
  std::string text = StoredText();
  TWinControl::CreateWnd();
  static_cast<TComboBoxStrings*>(items_.get())->Restore();
  if (savedIndex_ >= 0) SetItemIndex(savedIndex_);
  else if (style_ == csDropDown || style_ == csSimple) SetWindowTextA(WindowHandle(), text.c_str());
  savedIndex_ = -1;
}

void TCustomComboBox::DestroyWnd() {
  savedIndex_ = ItemIndex();
  static_cast<TComboBoxStrings*>(items_.get())->Save();
  TWinControl::DestroyWnd();
}

int TCustomComboBox::ItemIndex() {
  if (!HandleAllocated()) return savedIndex_;
  return static_cast<int>(SendMessageA(WindowHandle(), CB_GETCURSEL, 0, 0));
}

// Selecting an item shows its text; -1 empties the selection.
void TCustomComboBox::SetItemIndex(int index) {
  if (!HandleAllocated()) {
    savedIndex_ = index;
    StoredText() = index >= 0 && index < items_->Count() ? items_->Get(index) : std::string();
    return;
  }
  if (ItemIndex() != index) SendMessageA(WindowHandle(), CB_SETCURSEL, index, 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  RecreateWnd();
}

void TCustomComboBox::SetSorted(bool value) {
  if (value == sorted_) return;
  sorted_ = value;
  if (HandleAllocated()) static_cast<TComboBoxStrings*>(items_.get())->Save();
  static_cast<TComboBoxStrings*>(items_.get())->SetSorted(value);
  RecreateWnd();
}

bool TCustomComboBox::DroppedDown() { return HandleAllocated() && SendMessageA(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0); }
void TCustomComboBox::SetDroppedDown(bool value) { SendMessageA(Handle(), CB_SHOWDROPDOWN, value, 0); }

void TCustomComboBox::Clear() {
  SetText("");
  items_->Clear();
}

void TCustomComboBox::Change() {
  Changed();
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::CNCommand(TMessage& m) {
  switch (HIWORD(m.WParam)) {
    case CBN_DBLCLK: DblClick(); break;
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN:
      if (OnDropDown) OnDropDown(this);
      break;
    case CBN_CLOSEUP:
      if (OnCloseUp) OnCloseUp(this);
      break;
    case CBN_SELCHANGE: {
      int index = ItemIndex();
      if (index >= 0) SetWindowTextA(WindowHandle(), items_->Get(index).c_str());
      Click();
      Select();
      break;
    }
  }
}

void TCustomComboBox::CNDrawItem(TMessage& m) {
  auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  TOwnerDrawState state = OwnerDrawStateOf(d->itemState);
  if (OnDrawItem && static_cast<int>(d->itemID) >= 0) OnDrawItem(this, static_cast<int>(d->itemID), d->rcItem, state);
  else FillRect(d->hDC, &d->rcItem, Brush()->Handle());
  m.Result = TRUE;
}

void TCustomComboBox::CNMeasureItem(TMessage& m) {
  reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = itemHeight_;
  m.Result = TRUE;
}

// ---------------------------------------------------------------------------------------------
// TScrollBar
TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
}

void TScrollBar::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL: DoScroll(m); break;
    default: TWinControl::Dispatch(m);
  }
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, "SCROLLBAR");
  p.Style |= kind_ == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  Apply();
}

void TScrollBar::Apply() {
  if (!HandleAllocated()) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  info.nMin = min_;
  info.nMax = max_;
  info.nPage = static_cast<UINT>(pageSize_);
  info.nPos = position_;
  SetScrollInfo(WindowHandle(), SB_CTL, &info, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind kind) {
  if (kind == kind_) return;
  kind_ = kind;
  if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetParams(int position, int min, int max) {
  if (max < min || max < pageSize_) throw EInvalidOperation("Scrollbar property out of range");
  position = std::clamp(position, min, max);
  if (position == position_ && min == min_ && max == max_) return;
  bool moved = position != position_;
  min_ = min;
  max_ = max;
  position_ = position;
  Apply();
  if (moved) Change();
}

void TScrollBar::SetPageSize(int value) {
  if (value == pageSize_) return;
  if (value > max_) throw EInvalidOperation("Scrollbar property out of range");
  pageSize_ = value;
  Apply();
}

void TScrollBar::Change() {
  Changed();
  if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode code, int& position) {
  if (OnScroll) OnScroll(this, code, position);
}

void TScrollBar::DoScroll(TMessage& m) {
  int code = LOWORD(m.WParam);
  if (code > SB_ENDSCROLL) return;
  int pos = position_;
  switch (code) {
    case SB_LINEUP: pos -= smallChange_; break;
    case SB_LINEDOWN: pos += smallChange_; break;
    case SB_PAGEUP: pos -= largeChange_; break;
    case SB_PAGEDOWN: pos += largeChange_; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      pos = GetScrollInfo(WindowHandle(), SB_CTL, &info) ? info.nTrackPos : static_cast<int16_t>(HIWORD(m.WParam));
      break;
    }
    case SB_TOP: pos = min_; break;
    case SB_BOTTOM: pos = max_; break;
  }
  static constexpr TScrollCode codes[] = {scLineUp, scLineDown, scPageUp, scPageDown, scPosition,
                                          scTrack,  scTop,      scBottom, scEndScroll};
  Scroll(codes[code], pos);
  SetPosition(pos);
}
