#include "cxListView.h"

#include <algorithm>

#include "Forms.h"
#include "SysUtils.h"
#include "TypInfo.h"
#include "cxEditPaintUtils.h"

CALDERAN_IMPLEMENT_CLASS(TcxIconOptions, TPersistent)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomInnerListView, TWinControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomListView, TcxContainer, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxListView, TcxCustomListView, TComponent*)

namespace {

constexpr int headerItemChanged = -301;  // HDN_ITEMCHANGEDA
constexpr DWORD viewStyleBits[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
constexpr int defaultWidth = 121, defaultHeight = 97;

int FormatOf(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return LVCFMT_RIGHT;
    case taCenter: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Icon options

void TcxIconOptions::SetArrangement(TIconArrangement value) {
  if (value == arrangement_) return;
  arrangement_ = value;
  Changed();
}

void TcxIconOptions::SetAutoArrange(bool value) {
  if (value == autoArrange_) return;
  autoArrange_ = value;
  Changed();
}

void TcxIconOptions::SetWrapText(bool value) {
  if (value == wrapText_) return;
  wrapText_ = value;
  Changed();
}

// ---------------------------------------------------------------------------------------------
// Inner list view: construction, window and model

TcxCustomInnerListView::TcxCustomInnerListView(TComponent* owner) : TWinControl(owner) {
  controlCanvas_ = std::make_unique<TControlCanvas>();
  controlCanvas_->SetControl(this);
  canvas_ = std::make_unique<TcxCanvas>(controlCanvas_.get());
  SetControlStyle(ControlStyle() + csDoubleClicks + csClickEvents + csCaptureMouse);
  SetParentColor(false);
  SetParentFont(true);
  SetTabStop(true);
  columnItems_ = std::make_unique<TListColumns>(this);
  listItems_ = std::make_unique<TListItems>(this);
}

TcxCustomInnerListView::~TcxCustomInnerListView() { header_.reset(); }

TcxContainer* TcxCustomInnerListView::OwnerContainer() { return container_; }

DWORD TcxCustomInnerListView::StyleBits() const {
  DWORD style = viewStyleBits[viewStyle_] | LVS_SHAREIMAGELISTS;
  if (!readOnly_) style |= LVS_EDITLABELS;
  if (!columnClick_) style |= LVS_NOSORTHEADER;
  if (!showColumnHeaders_) style |= LVS_NOCOLUMNHEADER;
  if (!hideSelection_) style |= LVS_SHOWSELALWAYS;
  if (arrangement_ == iaLeft) style |= LVS_ALIGNLEFT;
  if (autoArrange_) style |= LVS_AUTOARRANGE;
  if (!wrapText_) style |= LVS_NOLABELWRAP;
  if (ownerData_) style |= LVS_OWNERDATA;
  if (ownerDraw_) style |= LVS_OWNERDRAWFIXED;
  if (!multiSelect_) style |= LVS_SINGLESEL;
  return style;
}

void TcxCustomInnerListView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, WC_LISTVIEWA);
  params.Style |= StyleBits() | WS_CLIPCHILDREN;
  params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

// Sub-items show images only for a list that asks for them when its window is made, so that
// other lists keep their sub-item texts where the platform puts them.
void TcxCustomInnerListView::ApplyExtendedStyle() {
  DWORD ex = 0;
  if (gridLines_) ex |= LVS_EX_GRIDLINES;
  if (rowSelect_) ex |= LVS_EX_FULLROWSELECT;
  if (fullDrag_) ex |= LVS_EX_HEADERDRAGDROP;
  if (OnGetSubItemImage) ex |= LVS_EX_SUBITEMIMAGES;
  constexpr DWORD mask = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_SUBITEMIMAGES;
  SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, mask, ex);
}

void TcxCustomInnerListView::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyExtendedStyle();
  SendRowColors();
  if (smallImages_) SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_->Handle()));
  for (int i = 0; i < ColumnCount(); ++i) InsertColumnIntoWindow(i);
  if (static_cast<int>(columnOrder_.size()) == ColumnCount() && ColumnCount() > 0)
    SendMessageA(Handle(), LVM_SETCOLUMNORDERARRAY, ColumnCount(), reinterpret_cast<LPARAM>(columnOrder_.data()));
  if (ownerData_)
    SendMessageA(Handle(), LVM_SETITEMCOUNT, dataCount_, 0);
  else
    for (int i = 0; i < ItemCount(); ++i) InsertItemIntoWindow(i);
  if (HWND header = reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_GETHEADER, 0, 0))) SubclassHeader(header);
  if (container_) {
    container_->UpdateOwnScrollBars(false);
    container_->ApplyStyleToInner();
  }
}

void TcxCustomInnerListView::DestroyWnd() {
  ReadColumnWidths();
  header_.reset();
  TWinControl::DestroyWnd();
}

void TcxCustomInnerListView::InsertColumnIntoWindow(int index) {
  const TcxListColumn& c = columns_[index];
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  column.fmt = FormatOf(c.Alignment);
  column.cx = c.Width;
  column.pszText = const_cast<char*>(c.Caption.c_str());
  column.iSubItem = index;
  SendMessageA(Handle(), LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

// Images are asked for when shown (GetDisplayInfo), so that OnGetImageIndex sees every item.
void TcxCustomInnerListView::InsertItemIntoWindow(int index) {
  const TcxListItem& source = items_[index];
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = index;
  item.iImage = I_IMAGECALLBACK;
  item.pszText = const_cast<char*>(source.Caption.c_str());
  SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  for (size_t sub = 0; sub < source.SubItems.size(); ++sub) {
    LVITEMA text{};
    text.mask = LVIF_TEXT | LVIF_IMAGE;
    text.iItem = index;
    text.iSubItem = static_cast<int>(sub + 1);
    text.iImage = I_IMAGECALLBACK;
    text.pszText = const_cast<char*>(source.SubItems[sub].c_str());
    SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&text));
  }
}

// Columns are added and removed through the column collection, which calls back ColumnAdded and
// ColumnRemoved: the records here and the stored collection stay one list.
int TcxCustomInnerListView::AddColumn(const TcxListColumn& column) {
  pendingColumn_ = column;
  columnItems_->Add();
  pendingColumn_ = TcxListColumn();
  return ColumnCount() - 1;
}

void TcxCustomInnerListView::ClearColumns() {
  columnItems_->Clear();
  columnOrder_.clear();
}

void TcxCustomInnerListView::ColumnAdded(int index) {
  columns_.insert(columns_.begin() + index, pendingColumn_);
  columnOrder_.clear();
  if (HandleAllocated()) InsertColumnIntoWindow(index);
}

void TcxCustomInnerListView::ColumnRemoved(int index) {
  columns_.erase(columns_.begin() + index);
  columnOrder_.clear();
  if (HandleAllocated()) SendMessageA(Handle(), LVM_DELETECOLUMN, index, 0);
}

void TcxCustomInnerListView::ColumnChanged(int index) {
  if (!HandleAllocated()) return;
  const TcxListColumn& c = columns_[index];
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.fmt = FormatOf(c.Alignment);
  column.cx = c.Width;
  column.pszText = const_cast<char*>(c.Caption.c_str());
  SendMessageA(Handle(), LVM_SETCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
  InvalidateHeader();
}

void TcxCustomInnerListView::ReadColumnWidths() {
  if (!HandleAllocated() || viewStyle_ != vsReport) return;
  for (int i = 0; i < ColumnCount(); ++i) {
    const int width = static_cast<int>(SendMessageA(Handle(), LVM_GETCOLUMNWIDTH, i, 0));
    if (width > 0) columns_[i].Width = width;
  }
}

void TcxCustomInnerListView::ItemTextChanged(int index) {
  if (!HandleAllocated() || ownerData_) return;
  const TcxListItem& source = items_.at(index);
  for (int sub = 0; sub <= ColumnCount() || sub <= static_cast<int>(source.SubItems.size()); ++sub) {
    LVITEMA text{};
    text.iSubItem = sub;
    const std::string* value = sub == 0 ? &source.Caption
                               : sub <= static_cast<int>(source.SubItems.size()) ? &source.SubItems[sub - 1] : nullptr;
    text.pszText = const_cast<char*>(value ? value->c_str() : "");
    SendMessageA(Handle(), LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&text));
  }
}

// A sorted list puts the new item in its place; the answer is the index it ends at.
int TcxCustomInnerListView::AddItem(const TcxListItem& item) {
  items_.push_back(item);
  if (HandleAllocated()) InsertItemIntoWindow(ItemCount() - 1);
  int index = ItemCount() - 1;
  if (sortType_ != stNone) {
    const std::vector<int> order = SortedOrder();
    index = static_cast<int>(std::find(order.begin(), order.end(), index) - order.begin());
  }
  return index;
}

void TcxCustomInnerListView::DeleteItem(int index) {
  if (index < 0 || index >= ItemCount()) return;
  items_.erase(items_.begin() + index);
  lastHintItem_ = noHintItem;  // the indices after it now name other items
  if (HandleAllocated()) SendMessageA(Handle(), LVM_DELETEITEM, index, 0);
}

void TcxCustomInnerListView::Clear() {
  items_.clear();
  lastHintItem_ = noHintItem;
  if (HandleAllocated()) SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
}

int TcxCustomInnerListView::ItemAtPoint(int x, int y) {
  LVHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  return static_cast<int>(SendMessageA(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

int TcxCustomInnerListView::SelectedIndex() {
  return static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TcxCustomInnerListView::SetSelectedIndex(int index) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

HWND TcxCustomInnerListView::EditCaption(int index) {
  return reinterpret_cast<HWND>(SendMessageA(Handle(), LVM_EDITLABELA, index, 0));
}

// ---------------------------------------------------------------------------------------------
// Sorting

int TcxCustomInnerListView::CompareItems(const TcxListItem& item1, const TcxListItem& item2) {
  int result = 0;
  if (OnCompare) OnCompare(this, item1, item2, 0, result);
  else result = lstrcmpA(item1.Caption.c_str(), item2.Caption.c_str());
  return result;
}

int CALLBACK TcxCustomInnerListView::CompareCallback(LPARAM item1, LPARAM item2, LPARAM list) {
  int result = 0;
  GuardedCall([&] {
    auto* self = reinterpret_cast<TcxCustomInnerListView*>(list);
    result = self->CompareItems(self->items_[item1], self->items_[item2]);
  });
  return result;
}

// Sorts the items and answers, for each new place, the index the item had before. The platform
// sorts its own items (keeping their selection and focus) by their indices in the item records.
std::vector<int> TcxCustomInnerListView::SortedOrder() {
  std::vector<int> order(ItemCount());
  for (int i = 0; i < ItemCount(); ++i) order[i] = i;
  if (ownerData_ || ItemCount() < 2) return order;
  if (!HandleAllocated()) {
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return CompareItems(items_[a], items_[b]) < 0; });
  } else {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    for (int i = 0; i < ItemCount(); ++i) {
      item.iItem = i;
      item.lParam = i;
      SendMessageA(Handle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(Handle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&CompareCallback));
    for (int i = 0; i < ItemCount(); ++i) {
      item.iItem = i;
      SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      order[i] = static_cast<int>(item.lParam);
    }
  }
  std::vector<TcxListItem> sorted;
  sorted.reserve(items_.size());
  for (int from : order) sorted.push_back(std::move(items_[from]));
  items_ = std::move(sorted);
  lastHintItem_ = noHintItem;  // the indices now name other items
  return order;
}

void TcxCustomInnerListView::AlphaSort() { SortedOrder(); }

void TcxCustomInnerListView::SetSortType(TSortType value) {
  if (value == sortType_) return;
  sortType_ = value;
  const bool byData = (value == stData || value == stBoth) && OnCompare;
  if (byData || value == stText || value == stBoth) AlphaSort();
}

void TcxCustomInnerListView::SetViewStyle(TViewStyle value) {
  if (value == viewStyle_) return;
  viewStyle_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomInnerListView::SetReadOnly(bool value) {
  if (value == readOnly_) return;
  readOnly_ = value;
  if (HandleAllocated()) SetWindowLongA(Handle(), GWL_STYLE, (GetWindowLongA(Handle(), GWL_STYLE) & ~LVS_EDITLABELS) |
                                                                  (readOnly_ ? 0 : LVS_EDITLABELS));
}

void TcxCustomInnerListView::SetHideSelection(bool value) {
  if (value == hideSelection_) return;
  hideSelection_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomInnerListView::SetMultiSelect(bool value) {
  if (value == multiSelect_) return;
  multiSelect_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomInnerListView::SetOwnerDraw(bool value) {
  if (value == ownerDraw_) return;
  ownerDraw_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomInnerListView::SetFullDrag(bool value) {
  fullDrag_ = value;
  if (HandleAllocated()) ApplyExtendedStyle();
}

void TcxCustomInnerListView::SetOwnerData(bool value) {
  if (value == ownerData_) return;
  ownerData_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomInnerListView::SetDataCount(int value) {
  dataCount_ = std::max(value, 0);
  if (ownerData_ && HandleAllocated()) SendMessageA(Handle(), LVM_SETITEMCOUNT, dataCount_, 0);
}

void TcxCustomInnerListView::SetGridLines(bool value) {
  gridLines_ = value;
  if (HandleAllocated()) ApplyExtendedStyle();
}

void TcxCustomInnerListView::SetRowSelect(bool value) {
  rowSelect_ = value;
  if (HandleAllocated()) ApplyExtendedStyle();
}

void TcxCustomInnerListView::SetColumnClick(bool value) {
  if (value == columnClick_) return;
  columnClick_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomInnerListView::SetShowColumnHeaders(bool value) {
  if (value == showColumnHeaders_) return;
  showColumnHeaders_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomInnerListView::SetSmallImages(TCustomImageList* value) {
  smallImages_ = value;
  if (HandleAllocated())
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, value ? reinterpret_cast<LPARAM>(value->Handle()) : 0);
  InvalidateHeader();
}

void TcxCustomInnerListView::ApplyIconOptions(const TcxIconOptions& options) {
  arrangement_ = options.Arrangement();
  autoArrange_ = options.AutoArrange();
  wrapText_ = options.WrapText();
  if (HandleAllocated()) RecreateWnd();
}

// ---------------------------------------------------------------------------------------------
// Header painting

void TcxCustomInnerListView::SubclassHeader(HWND header) {
  if (header_ && header_->Window() == header) return;
  header_ = std::make_unique<TWindowSubclass>(header, MakeEvent(this, &TcxCustomInnerListView::HeaderWindowProc));
  SetWindowLongA(header, GWL_STYLE, GetWindowLongA(header, GWL_STYLE) | HDS_HOTTRACK);
}

void TcxCustomInnerListView::InvalidateHeader() {
  if (HWND header = HeaderWindow()) InvalidateRect(header, nullptr, FALSE);
}

void TcxCustomInnerListView::PaintHeader() {
  TcxBrushCachePaintScope brushes;
  canvas_->GetBrush()->SetColor(clBtnFace);
  canvas_->SetFont(Font());
  TcxLookAndFeel* lookAndFeel = container_ ? container_->LookAndFeel() : RootLookAndFeel();
  // The painter's own caption colour: a fixed system colour is unreadable on a dark skin's header.
  canvas_->GetFont()->SetColor(lookAndFeel->CurrentPainter()->HeaderTextColor());
  for (int position = 0; position <= ColumnCount(); ++position)
    DrawHeaderItem(HeaderWindow(), position, canvas_.get(), smallImages_, lookAndFeel);
}

void TcxCustomInnerListView::PaintHeaderOn(HDC dc) {
  controlCanvas_->SetHandle(dc);
  PaintHeader();
  controlCanvas_->SetHandle(nullptr);
}

void TcxCustomInnerListView::HeaderWindowProc(TMessage& m) {
  HWND header = HeaderWindow();
  switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (m.WParam) return PaintHeaderOn(reinterpret_cast<HDC>(m.WParam));
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(header, &ps);
      PaintHeaderOn(dc);
      EndPaint(header, &ps);
      return;
    }
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_LBUTTONDOWN:
      header_->CallOriginal(m);
      if (columnClick_ && GetCapture() == header) pressedHeaderItem_ = GetHeaderPressedItem();
      return;
    case WM_LBUTTONUP:
      columnDragEnded_ = false;
      header_->CallOriginal(m);
      if (columnDragEnded_) ColumnDragged();
      return;
    case WM_CAPTURECHANGED:
      if (pressedHeaderItem_ != -1) {
        const TRect r = GetHeaderItemRect(pressedHeaderItem_);
        InvalidateRect(header, r.Win(), FALSE);
      }
      pressedHeaderItem_ = -1;
      header_->CallOriginal(m);
      return;
    case CM_CXHEADER_ITEMINFO:
      HandleHeaderItemInfo(static_cast<int>(m.WParam), *reinterpret_cast<THeaderItemInfo*>(m.LParam));
      return;
    default: header_->CallOriginal(m);
  }
}

int TcxCustomInnerListView::HeaderOrderToIndex(int position) {
  return static_cast<int>(SendMessageA(HeaderWindow(), HDM_ORDERTOINDEX, position, 0));
}

TRect TcxCustomInnerListView::GetHeaderItemRect(int index) {
  RECT r{};
  SendMessageA(HeaderWindow(), HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return TRect(r);
}

int TcxCustomInnerListView::GetHeaderHotItem() {
  HWND header = HeaderWindow();
  POINT cursor;
  if (!GetCursorPos(&cursor) || WindowFromPoint(cursor) != header) return -1;
  HDHITTESTINFO hit{};
  hit.pt = cursor;
  ::ScreenToClient(header, &hit.pt);
  SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return hit.iItem;
}

int TcxCustomInnerListView::GetHeaderPressedItem() {
  HWND header = HeaderWindow();
  HDHITTESTINFO hit{};
  GetCursorPos(&hit.pt);
  ::ScreenToClient(header, &hit.pt);
  SendMessageA(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? -1 : hit.iItem;
}

bool TcxCustomInnerListView::IsHeaderHotTrackAllowed() const {
  return columnClick_ && std::all_of(columns_.begin(), columns_.end(), [](const TcxListColumn& c) { return c.ImageIndex == -1; });
}

void TcxCustomInnerListView::HandleHeaderItemInfo(int position, THeaderItemInfo& info) {
  info = THeaderItemInfo();
  const int count = ColumnCount();
  if (position < count) {
    const TcxListColumn& column = columns_.at(HeaderOrderToIndex(position));
    info.ImageIndex = column.ImageIndex;
    info.Alignment = column.Alignment;
    info.Text = column.Caption;
  }
  if (position != count) {
    info.Rect = GetHeaderItemRect(HeaderOrderToIndex(position));
  } else {
    RECT client;
    GetClientRect(HeaderWindow(), &client);
    info.Rect = TRect(client);
    if (count > 0) info.Rect.Left = GetHeaderItemRect(HeaderOrderToIndex(count - 1)).Right;
  }
  const int index = HeaderOrderToIndex(position);
  if (container_ && !container_->Enabled()) info.State = cxbsDisabled;
  else if (position < count && index == pressedHeaderItem_) info.State = cxbsPressed;
  else if (position < count && IsHeaderHotTrackAllowed() && index == GetHeaderHotItem()) info.State = cxbsHot;
  else info.State = cxbsNormal;
}

// ---------------------------------------------------------------------------------------------
// Messages

void TcxCustomInnerListView::WndProc(TMessage& m) {
  if (container_ && container_->HandleInnerKeyMessage(m)) return;
  if (m.Msg == WM_CONTEXTMENU && container_ && container_->PreviewInnerMessage(m)) return;
  TWinControl::WndProc(m);
}

void TcxCustomInnerListView::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      TWinControl::Dispatch(m);
      if (container_) container_->PostScrollBarsUpdate();
      break;
    case WM_GETDLGCODE: WMGetDlgCode(m); break;
    case WM_SETFOCUS: FocusChangedMessage(m, true); break;
    case WM_KILLFOCUS: FocusChangedMessage(m, false); break;
    case WM_NCCALCSIZE:
      TWinControl::Dispatch(m);
      if (container_) container_->UpdateOwnScrollBars(false);
      break;
    case WM_NCPAINT: WMNCPaint(m); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); break;
    case WM_NOTIFY: WMNotify(m); break;
    case CN_NOTIFY: CNNotify(m); break;
    case CN_DRAWITEM: CNDrawItem(m); break;
    case CM_HINTSHOW: CMHintShow(m); break;
    case CM_MOUSELEAVE:
      TWinControl::Dispatch(m);
      if (container_) container_->ShortRefresh(true);
      break;
    case CM_CXHEADER_ITEMINFO:
      HandleHeaderItemInfo(static_cast<int>(m.WParam), *reinterpret_cast<THeaderItemInfo*>(m.LParam));
      break;
    default: TWinControl::Dispatch(m);
  }
}

void TcxCustomInnerListView::WMGetDlgCode(TMessage& m) {
  TWinControl::Dispatch(m);
  AddInnerDialogCodes(container_, m);
}

void TcxCustomInnerListView::FocusChangedMessage(TMessage& m, bool gained) {
  TWinControl::Dispatch(m);
  if (!container_ || container_->IsContainerDestroying()) return;
  if (gained && (ComponentState().Contains(csDestroying) ||
                 (container_->HandleAllocated() && reinterpret_cast<HWND>(m.WParam) == container_->Handle())))
    return;
  container_->ShortRefresh();
}

// The system bars stay unpainted under the container's own; only the square between them is filled.
void TcxCustomInnerListView::WMNCPaint(TMessage&) {
  if (!container_ || !AreOwnScrollBarsUsable() || !container_->IsHScrollBarVisible() || !container_->IsVScrollBarVisible())
    return;
  RECT window, client;
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  POINT origin{0, 0};
  ::ClientToScreen(Handle(), &origin);
  const RECT grip{origin.x - window.left + client.right, origin.y - window.top + client.bottom,
                  window.right - window.left, window.bottom - window.top};
  HDC dc = GetWindowDC(Handle());
  HBRUSH brush = CreateSolidBrush(ColorToRGB(container_->LookAndFeel()->CurrentPainter()->SizeGripAreaColor()));
  FillRect(dc, &grip, brush);
  DeleteObject(brush);
  ReleaseDC(Handle(), dc);
}

// The square between the bars is repainted after every move or resize: the platform's own
// non-client painting, which would fill it, is not used.
void TcxCustomInnerListView::WMWindowPosChanged(TMessage& m) {
  const bool destroying = ComponentState().Contains(csDestroying);
  if (!destroying && container_) container_->UpdateOwnScrollBars(false);
  TWinControl::Dispatch(m);
  if (!destroying && container_ && container_->IsHScrollBarVisible() && container_->IsVScrollBarVisible())
    SendMessageA(Handle(), WM_NCPAINT, 1, 0);
}

void TcxCustomInnerListView::WMNotify(TMessage& m) {
  TWinControl::Dispatch(m);
  const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
  if (header->code == static_cast<UINT>(headerItemChanged) || header->code == static_cast<UINT>(HDN_ITEMCHANGEDW)) {
    ReadColumnWidths();
    if (container_) container_->UpdateOwnScrollBars(false);
  }
  if (!header_ || header->hwndFrom != HeaderWindow()) return;
  if (header->code == static_cast<UINT>(NM_RCLICK)) HeaderRightClicked();
  if (header->code == static_cast<UINT>(HDN_ENDDRAG)) columnDragEnded_ = true;  // the header reorders after it
}

// The header names no point in its notification: the click is where the mouse was for it.
void TcxCustomInnerListView::HeaderRightClicked() {
  if (!OnColumnRightClick) return;
  const DWORD position = GetMessagePos();
  HDHITTESTINFO hit{};
  hit.pt = POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  ::ScreenToClient(HeaderWindow(), &hit.pt);
  SendMessageA(HeaderWindow(), HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.iItem >= 0 && hit.iItem < ColumnCount()) OnColumnRightClick(this, hit.iItem, TPoint(hit.pt.x, hit.pt.y));
}

void TcxCustomInnerListView::ColumnDragged() {
  columnOrder_.assign(ColumnCount(), 0);
  if (!columnOrder_.empty())
    SendMessageA(Handle(), LVM_GETCOLUMNORDERARRAY, ColumnCount(), reinterpret_cast<LPARAM>(columnOrder_.data()));
  InvalidateHeader();
  if (OnColumnDragged) OnColumnDragged(this);
}

// Label editing: a cancelled edit tells the container; a new caption is offered to OnEdited.
void TcxCustomInnerListView::CNNotify(TMessage& m) {
  const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
  switch (header->code) {
    case LVN_BEGINLABELEDITA:
      m.Result = CanEdit(reinterpret_cast<const NMLVDISPINFOA*>(m.LParam)->item.iItem) ? FALSE : TRUE;
      return;
    case LVN_ENDLABELEDITA: {
      const auto* info = reinterpret_cast<const NMLVDISPINFOA*>(m.LParam);
      if (!info->item.pszText) DoCancelEdit();
      else CaptionEdited(info->item.iItem, info->item.pszText);
      m.Result = FALSE;  // an allowed text is set by CaptionEdited
      return;
    }
    case LVN_GETDISPINFOA: GetDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(m.LParam)); return;
    case LVN_ODCACHEHINT: {
      const auto* hint = reinterpret_cast<const NMLVCACHEHINT*>(m.LParam);
      if (OnDataHint) OnDataHint(this, hint->iFrom, hint->iTo);
      return;
    }
    case LVN_ODSTATECHANGED: {
      const auto* change = reinterpret_cast<const NMLVODSTATECHANGE*>(m.LParam);
      if (OnDataStateChange) OnDataStateChange(this, change->iFrom, change->iTo);
      return;
    }
    case LVN_ODFINDITEMA: {
      const auto& find = *reinterpret_cast<const NMLVFINDITEMA*>(m.LParam);
      m.Result = FindDataItem(find.lvfi.flags, find.lvfi.psz ? find.lvfi.psz : "", find.iStart);
      return;
    }
    case LVN_ODFINDITEMW: {  // the platform asks in wide text whatever the list was made with
      const auto& find = *reinterpret_cast<const NMLVFINDITEMW*>(m.LParam);
      const auto* text = reinterpret_cast<const char16_t*>(find.lvfi.psz);
      m.Result = FindDataItem(find.lvfi.flags, text ? WideToAnsi(text) : "", find.iStart);
      return;
    }
    case NM_CUSTOMDRAW:
      if (!HandleAllocated()) break;
      m.Result = CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(m.LParam));
      return;
    case LVN_ITEMCHANGING: m.Result = ItemChanging(*reinterpret_cast<const NMLISTVIEW*>(m.LParam)); return;
    case LVN_ITEMCHANGED: return ItemChanged(*reinterpret_cast<const NMLISTVIEW*>(m.LParam));
    case LVN_INSERTITEM:
      if (OnInsert) OnInsert(this, reinterpret_cast<const NMLISTVIEW*>(m.LParam)->iItem);
      return;
    case LVN_DELETEITEM:
      if (OnDeletion) OnDeletion(this, reinterpret_cast<const NMLISTVIEW*>(m.LParam)->iItem);
      return;
    case LVN_COLUMNCLICK:
      if (OnColumnClick) OnColumnClick(this, reinterpret_cast<const NMLISTVIEW*>(m.LParam)->iSubItem);
      return;
    case LVN_KEYDOWN:
      if (readOnly_ && reinterpret_cast<const NMLVKEYDOWN*>(m.LParam)->wVKey == VK_DELETE) return;
      break;
  }
  TWinControl::Dispatch(m);
}

// A read-only list refuses before OnEditing is asked.
bool TcxCustomInnerListView::CanEdit(int item) {
  if (readOnly_) return false;
  bool allow = true;
  if (OnEditing) OnEditing(this, item, allow);
  return allow;
}

// OnChanging may refuse a new caption before OnEdited sees it.
void TcxCustomInnerListView::CaptionEdited(int index, const char* text) {
  if (index < 0 || index >= ItemCount()) return;
  bool allow = true;
  if (OnChanging) OnChanging(this, index, ctText, allow);
  if (!allow) return;
  std::string caption = text;
  if (OnEdited) OnEdited(this, index, caption, allow);
  if (!allow || index < 0 || index >= ItemCount()) return;
  items_[index].Caption = caption;
  LVITEMA item{};
  item.pszText = const_cast<char*>(items_[index].Caption.c_str());
  SendMessageA(Handle(), LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
  if (sortType_ == stText || sortType_ == stBoth) AlphaSort();
}

namespace {

// The kind of change a list notification announces, from its mask of changed attributes.
TItemChange ChangeOf(UINT changed) {
  if (changed & LVIF_TEXT) return ctText;
  if (changed & LVIF_IMAGE) return ctImage;
  return ctState;
}

}  // namespace

// A non-zero answer keeps the platform from making the change.
LRESULT TcxCustomInnerListView::ItemChanging(const NMLISTVIEW& change) {
  bool allow = true;
  if (OnChanging && change.iItem >= 0) OnChanging(this, change.iItem, ChangeOf(change.uChanged), allow);
  return allow ? FALSE : TRUE;
}

// Every change of a row (text, image, state) is the list's OnChange; a selection change is also
// OnSelectItem.
void TcxCustomInnerListView::ItemChanged(const NMLISTVIEW& change) {
  if (change.iItem < 0) return;
  if (OnChange) OnChange(this);
  if (!(change.uChanged & LVIF_STATE)) return;
  const bool was = change.uOldState & LVIS_SELECTED, is = change.uNewState & LVIS_SELECTED;
  if (was != is && OnSelectItem) OnSelectItem(this, change.iItem, is);
}

void TcxCustomInnerListView::Loaded() {
  TWinControl::Loaded();
  if (container_) container_->UpdateIconOptions();
  designHint_ = Hint();
}

TRect TcxCustomInnerListView::ItemBounds(int index) {
  RECT bounds{LVIR_BOUNDS, 0, 0, 0};
  SendMessageA(Handle(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&bounds));
  return TRect(bounds);
}

// The tip is rebuilt only when the mouse rests on another item than last time, so that a handler
// that computes an expensive tip is not asked again while the mouse stays on the same item.
void TcxCustomInnerListView::CMHintShow(TMessage& m) {
  auto& info = *reinterpret_cast<THintInfo*>(m.LParam);
  const int item = ItemAtPoint(info.CursorPos.X, info.CursorPos.Y);
  if (item == lastHintItem_) return;
  lastHintItem_ = item;
  if (!OnInfoTip) {
    SetHint(designHint_);
    TWinControl::Dispatch(m);
    return;
  }
  if (item < 0) return;
  std::string tip = CaptionOf(item);
  OnInfoTip(this, item, tip);
  const TRect bounds = ItemBounds(item);
  const TPoint topLeft = ClientToScreen(TPoint(bounds.Left, bounds.Top));
  const TPoint bottomRight = ClientToScreen(TPoint(bounds.Right, bounds.Bottom));
  info.HintStr = tip;
  info.CursorRect = TRect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
  info.HintPos = TPoint(topLeft.X + GetSystemMetrics(SM_CXCURSOR), topLeft.Y + GetSystemMetrics(SM_CYCURSOR));
  info.HintMaxWidth = ClientWidth();
  SetHint(tip);
}

// ---------------------------------------------------------------------------------------------
// Custom and owner drawing

namespace {

TCustomDrawState CustomDrawStateOf(UINT itemState) {
  TCustomDrawState state;
  for (int flag = cdsSelected; flag <= cdsIndeterminate; ++flag)
    if (itemState & (1u << flag)) state.Include(static_cast<TCustomDrawStateFlag>(flag));
  return state;
}

}  // namespace

// Before the paint only a simple handler is enough; the other stages are the advanced handlers'.
bool TcxCustomInnerListView::IsCustomDrawn(TDrawTarget target, TCustomDrawStage stage) const {
  switch (target) {
    case dtControl: return (stage == cdPrePaint && OnCustomDraw) || OnAdvancedCustomDraw;
    case dtItem: return (stage == cdPrePaint && OnCustomDrawItem) || OnAdvancedCustomDrawItem;
    case dtSubItem: return (stage == cdPrePaint && OnCustomDrawSubItem) || OnAdvancedCustomDrawSubItem;
  }
  return false;
}

// The later notifications a paint step asks the platform for: the items' (or sub-items') steps
// when any of them is drawn, and this target's own post-paint and post-erase steps.
LRESULT TcxCustomInnerListView::CustomDrawRequests(TDrawTarget target) const {
  LRESULT result = CDRF_DODEFAULT;
  const auto drawsAny = [this](TDrawTarget t) { return IsCustomDrawn(t, cdPrePaint) || IsCustomDrawn(t, cdPostPaint); };
  if (target == dtControl && (drawsAny(dtItem) || drawsAny(dtSubItem))) result |= CDRF_NOTIFYITEMDRAW;
  if (target == dtItem && drawsAny(dtSubItem)) result |= CDRF_NOTIFYSUBITEMDRAW;
  if (IsCustomDrawn(target, cdPostPaint)) result |= CDRF_NOTIFYPOSTPAINT;
  if (IsCustomDrawn(target, cdPostErase)) result |= CDRF_NOTIFYPOSTERASE;
  return result;
}

// The canvas draws on the paint's device context while the handlers run; its font and brush change
// handlers are chained so that a handler's restyling is noticed, and put back afterwards.
LRESULT TcxCustomInnerListView::CustomDraw(NMLVCUSTOMDRAW& draw) {
  const DWORD bits = draw.nmcd.dwDrawStage;
  const DWORD step = bits & ~static_cast<DWORD>(CDDS_ITEM | CDDS_SUBITEM);
  if (step < CDDS_PREPAINT || step > CDDS_POSTERASE) return CDRF_DODEFAULT;
  const auto stage = static_cast<TCustomDrawStage>(step - CDDS_PREPAINT);
  const TDrawTarget target = !(bits & CDDS_ITEM) ? dtControl : (bits & CDDS_SUBITEM) ? dtSubItem : dtItem;
  LRESULT result = CDRF_DODEFAULT;
  if (IsCustomDrawn(target, stage)) {
    TCanvasPaintScope scope(controlCanvas_.get(), draw.nmcd.hdc);
    TFont* font = controlCanvas_->Font();
    TBrush* brush = controlCanvas_->Brush();
    savedFontChange_ = font->OnChange;
    savedBrushChange_ = brush->OnChange;
    struct TRestore {
      TcxCustomInnerListView* list;
      ~TRestore() {
        list->controlCanvas_->Font()->OnChange = list->savedFontChange_;
        list->controlCanvas_->Brush()->OnChange = list->savedBrushChange_;
      }
    } restore{this};
    font->Assign(Font());
    brush->SetColor(Color());
    canvasRestyled_ = false;
    font->OnChange = brush->OnChange = MakeEvent(this, &TcxCustomInnerListView::CanvasRestyled);
    const bool defaultDraw = CallCustomDraw(target, stage, draw);
    if (stage != cdPrePaint) return CDRF_DODEFAULT;
    if (!defaultDraw) return CDRF_SKIPDEFAULT;
    if (target != dtControl) result |= NewFontAnswer(draw);
  }
  if (stage == cdPrePaint) result |= CustomDrawRequests(target) | SelectionAnswer(draw);
  return result;
}

// A selected row in the skin's selection colours. The platform paints a row it is told is selected
// in its own highlight whatever the answer says, so the row is passed on as not selected.
LRESULT TcxCustomInnerListView::SelectionAnswer(NMLVCUSTOMDRAW& draw) {
  if (rowColors_.Selection == clDefault) return CDRF_DODEFAULT;
  if (!(draw.nmcd.dwDrawStage & CDDS_ITEM)) return CDRF_NOTIFYITEMDRAW;
  if (!(draw.nmcd.uItemState & CDIS_SELECTED)) return CDRF_DODEFAULT;
  if (hideSelection_ && GetFocus() != Handle()) return CDRF_DODEFAULT;  // the platform hides it too
  draw.nmcd.uItemState &= ~CDIS_SELECTED;
  draw.clrTextBk = ColorToRGB(rowColors_.Selection);
  draw.clrText = ColorToRGB(rowColors_.SelectionText);
  return CDRF_NEWFONT;
}

// The simple handler goes first (before the paint only), then the advanced one; either may
// clear DefaultDraw.
bool TcxCustomInnerListView::CallCustomDraw(TDrawTarget target, TCustomDrawStage stage, const NMLVCUSTOMDRAW& draw) {
  bool defaultDraw = true;
  TCanvas* canvas = controlCanvas_.get();
  if (target == dtControl) {
    const TRect rect(draw.nmcd.rc);
    if (stage == cdPrePaint && OnCustomDraw) OnCustomDraw(this, canvas, rect, defaultDraw);
    if (OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, canvas, rect, stage, defaultDraw);
    return defaultDraw;
  }
  const int item = static_cast<int>(draw.nmcd.dwItemSpec);
  const int subItem = target == dtSubItem ? draw.iSubItem : 0;
  const TcxListCustomDrawItemEvent& simple = target == dtItem ? OnCustomDrawItem : OnCustomDrawSubItem;
  const TcxListAdvancedCustomDrawItemEvent& advanced =
      target == dtItem ? OnAdvancedCustomDrawItem : OnAdvancedCustomDrawSubItem;
  if (stage == cdPrePaint && simple) simple(this, canvas, item, subItem, defaultDraw);
  if (advanced) advanced(this, canvas, item, subItem, CustomDrawStateOf(draw.nmcd.uItemState), stage, defaultDraw);
  return defaultDraw;
}

// A handler that changed the canvas's font or brush has the row drawn with them.
LRESULT TcxCustomInnerListView::NewFontAnswer(NMLVCUSTOMDRAW& draw) {
  if (!canvasRestyled_) return CDRF_DODEFAULT;
  draw.clrText = ColorToRGB(controlCanvas_->Font()->Color());
  draw.clrTextBk = ColorToRGB(controlCanvas_->Brush()->Color());
  SelectObject(draw.nmcd.hdc, controlCanvas_->Font()->Handle());
  return CDRF_NEWFONT;
}

// The device context is given back as it came: the handler may select anything into it.
void TcxCustomInnerListView::CNDrawItem(TMessage& m) {
  const auto& d = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
  const int saved = SaveDC(d.hDC);
  {
    TCanvasPaintScope scope(controlCanvas_.get(), d.hDC);
    controlCanvas_->Font()->Assign(Font());
    controlCanvas_->Brush()->SetColor(Color());
    const TRect rect(d.rcItem);
    const int index = static_cast<int>(d.itemID);
    if (index < 0) controlCanvas_->FillRect(rect);
    else DrawItem(index, rect, OwnerDrawStateOf(d.itemState));
  }
  RestoreDC(d.hDC, saved);
  m.Result = TRUE;
}

void TcxCustomInnerListView::DrawItem(int index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem) return OnDrawItem(this, controlCanvas_.get(), index, rect, state);
  controlCanvas_->FillRect(rect);
  controlCanvas_->TextOut(rect.Left + 2, rect.Top, CaptionOf(index));
}

void TcxCustomInnerListView::CanvasRestyled(TObject* sender) {
  TNotifyEvent& chained = sender == controlCanvas_->Font() ? savedFontChange_ : savedBrushChange_;
  if (chained) chained(sender);
  canvasRestyled_ = true;
}

std::string TcxCustomInnerListView::CaptionOf(int index) {
  if (!ownerData_) return index < ItemCount() ? items_[index].Caption : std::string();
  TcxListItem item;
  if (OnData && index < dataCount_) OnData(this, index, item);
  return item.Caption;
}

int TcxCustomInnerListView::ImageOf(int index, int subItem) {
  if (subItem == 0) {
    if (OnGetImageIndex) OnGetImageIndex(this, index, items_[index]);
    return items_[index].ImageIndex;
  }
  int image = -1;
  if (OnGetSubItemImage) OnGetSubItemImage(this, index, subItem, image);
  return image;
}

// The text stays alive in the list view object until the list asks for the next row.
void TcxCustomInnerListView::GetDisplayInfo(NMLVDISPINFOA& info) {
  if (!ownerData_) {
    if ((info.item.mask & LVIF_IMAGE) && info.item.iItem >= 0 && info.item.iItem < ItemCount())
      info.item.iImage = ImageOf(info.item.iItem, info.item.iSubItem);
    return;
  }
  if (!OnData || info.item.iItem < 0 || info.item.iItem >= dataCount_) return;
  TcxListItem item;
  OnData(this, info.item.iItem, item);
  if (info.item.mask & LVIF_IMAGE) info.item.iImage = info.item.iSubItem == 0 ? item.ImageIndex : -1;
  if (!(info.item.mask & LVIF_TEXT)) return;
  const int sub = info.item.iSubItem;
  displayText_ = sub == 0 ? item.Caption : sub <= static_cast<int>(item.SubItems.size()) ? item.SubItems[sub - 1] : "";
  info.item.pszText = const_cast<char*>(displayText_.c_str());
}

LRESULT TcxCustomInnerListView::FindDataItem(UINT flags, const std::string& text, int start) {
  if (!ownerData_ || !OnDataFind || !(flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
  int index = -1;
  OnDataFind(this, text, start, index);
  return index >= 0 && index < dataCount_ ? index : -1;
}

void TcxCustomInnerListView::DoCancelEdit() {
  if (container_ && container_->OnCancelEdit) container_->OnCancelEdit(container_);
}

// ---------------------------------------------------------------------------------------------
// Input forwarded to the container

void TcxCustomInnerListView::Click() {
  TWinControl::Click();
  if (container_) container_->DoClick();
}

void TcxCustomInnerListView::DblClick() {
  TWinControl::DblClick();
  if (container_) container_->DoDblClick();
}

void TcxCustomInnerListView::KeyDown(Word& key, TShiftState shift) {
  InnerKeyDownToContainer(container_, key, shift);
  if (key != 0) TWinControl::KeyDown(key, shift);
}

void TcxCustomInnerListView::KeyPress(char& key) {
  InnerKeyPressToContainer(container_, key);
  if (key != 0) TWinControl::KeyPress(key);
}

void TcxCustomInnerListView::KeyUp(Word& key, TShiftState shift) {
  InnerKeyUpToContainer(container_, key, shift);
  if (key != 0) TWinControl::KeyUp(key, shift);
}

void TcxCustomInnerListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  InnerMouseDownToContainer(container_, this, button, shift, x, y);
}

void TcxCustomInnerListView::MouseMove(TShiftState shift, int x, int y) {
  TWinControl::MouseMove(shift, x, y);
  if (HandleAllocated() && ItemAtPoint(x, y) < 0) SetHint(designHint_);
  InnerMouseMoveToContainer(container_, this, shift, x, y);
}

void TcxCustomInnerListView::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseUp(button, shift, x, y);
  InnerMouseUpToContainer(container_, this, button, shift, x, y);
}

// ---------------------------------------------------------------------------------------------
// The container

TcxCustomListView::TcxCustomListView(TComponent* owner) : TcxCustomListView(owner, nullptr) {}

TcxCustomListView::TcxCustomListView(TComponent* owner, TInnerListFactory makeInner) : TcxContainer(owner) {
  iconOptions_ = std::make_unique<TcxIconOptions>();
  iconOptions_->OnChanged = MakeEvent(this, &TcxCustomListView::IconOptionsChanged);
  UpdateInternalControls();
  inner_ = makeInner ? makeInner(this) : CreateInnerListView();
  inner_->SetAlign(alClient);
  inner_->SetParent(this);
  inner_->SetContainer(this);
  SetInnerControl(inner_);
  SetBounds(Left(), Top(), defaultWidth, defaultHeight);
}

TcxCustomListView::~TcxCustomListView() {
  Destroying();
  delete inner_;
  inner_ = nullptr;
  iconOptions_.reset();
}

void TcxCustomListView::SetIconOptions(TcxIconOptions* value) {
  iconOptions_->SetArrangement(value->Arrangement());
  iconOptions_->SetAutoArrange(value->AutoArrange());
  iconOptions_->SetWrapText(value->WrapText());
  UpdateIconOptions();
}

void TcxCustomListView::UpdateIconOptions() {
  if (inner_) inner_->ApplyIconOptions(*iconOptions_);
}

TListItem* TcxCustomListView::ItemAtPoint(int x, int y) const {
  const int index = inner_->ItemAtPoint(x, y);
  return index >= 0 && index < inner_->ItemCount() ? inner_->Items()->Item(index) : nullptr;
}

TListItem* TcxCustomListView::GetSelectedItem() const {
  if (!inner_->HandleAllocated()) return nullptr;
  const int index = inner_->SelectedIndex();
  return index >= 0 && index < inner_->ItemCount() ? inner_->Items()->Item(index) : nullptr;
}

void TcxCustomListView::SetReadOnly(bool value) {
  if (value == ReadOnly()) return;
  inner_->SetReadOnly(value);
  RefreshNow();
}

// The platform list keeps its own row colours: the window colour of the control does not reach it.
void TcxCustomInnerListView::SetRowColors(const TcxListRowColors& value) {
  if (rowColors_ == value) return;
  rowColors_ = value;
  if (!HandleAllocated()) return;
  SendRowColors();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TcxCustomInnerListView::SendRowColors() {
  const COLORREF background = ColorToRGB(rowColors_.Background);
  SendMessageA(Handle(), LVM_SETBKCOLOR, 0, background);
  SendMessageA(Handle(), LVM_SETTEXTBKCOLOR, 0, background);
  SendMessageA(Handle(), LVM_SETTEXTCOLOR, 0, ColorToRGB(rowColors_.Text));
}

namespace {
// The skin's content text colour. The program's skins carry none, and the painter then answers the
// window text colour, black on a dark skin's content: the skin's editor text colour stands in.
TColor SkinRowTextColor(TcxCustomLookAndFeelPainterClass skin, bool disabled) {
  const TColor text = skin->ContentTextColor();
  const TColor editor = text == clWindowText || disabled ? skin->EditorTextColor(disabled) : clDefault;
  return editor != clDefault ? editor : text;
}
}  // namespace

// Under a skin the rows take the skin's content and selection colours (a disabled list the skin's
// disabled text), unless the style in force sets a colour of its own; otherwise the style's colour
// and text colour.
TcxListRowColors TcxCustomListView::CalcRowColors() {
  TcxContainerStyle* style = Style();
  TcxListRowColors colors{ViewInfo()->BackgroundColor, style->GetEffectiveFont()->Color()};
  TcxCustomLookAndFeelPainterClass skin = Style()->LookAndFeel()->SkinPainter();
  if (!skin || ActiveStyleOwns(csvColor)) return colors;
  colors.Background = skin->ContentColor();
  if (!ActiveStyleOwns(csvTextColor)) colors.Text = SkinRowTextColor(skin, !Enabled());
  colors.Selection = skin->SelectionColor();
  colors.SelectionText = skin->SelectionTextColor();
  return colors;
}

void TcxCustomListView::ApplyStyleToInner() {
  TcxContainer::ApplyStyleToInner();
  if (!inner_) return;
  const TcxListRowColors colors = CalcRowColors();
  inner_->SetColor(colors.Background);  // the list's empty part is erased in the control's colour
  inner_->SetRowColors(colors);
}

void TcxCustomListView::ApplyViewStyle(TViewStyle value) {
  inner_->SetViewStyle(value);
  UpdateOwnScrollBars(false);
}

void TcxCustomListView::SetOwnerDraw(bool value) {
  ownerDraw_ = value;
  if (!ComponentState().Contains(csLoading)) inner_->SetOwnerDraw(value);
}

void TcxCustomListView::Loaded() {
  TcxContainer::Loaded();
  UpdateIconOptions();
  inner_->SetOwnerDraw(ownerDraw_);
}

void TcxCustomListView::LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues values) {
  TcxContainer::LookAndFeelChanged(sender, values);
  if (inner_ && !IsContainerDestroying()) inner_->InvalidateHeader();
}

void TcxCustomListView::FontChanged() {
  TcxContainer::FontChanged();
  AdjustInnerControl();
}

// A dragged thumb in report view scrolls by whole rows; every other code goes to the platform.
void TcxCustomListView::Scroll(TScrollBarKind kind, TScrollCode code, int& position) {
  if (!inner_ || !inner_->HandleAllocated()) return;
  HWND list = inner_->Handle();
  const int bar = kind == sbHorizontal ? SB_HORZ : SB_VERT;
  if (code == scTrack || code == scPosition) {
    if (ViewStyle() == vsList && kind == sbVertical) return;
    const int delta = position - GetScrollPos(list, bar);
    if (kind == sbVertical && ViewStyle() == vsReport) {
      RECT item{LVIR_BOUNDS, 0, 0, 0};
      const bool hasItem = SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
      SendMessageA(list, LVM_SCROLL, 0, delta * (hasItem ? item.bottom - item.top : 0));
    } else {
      SendMessageA(list, LVM_SCROLL, kind == sbHorizontal ? delta : 0, kind == sbVertical ? delta : 0);
    }
  } else {
    CallWindowProcA(reinterpret_cast<WNDPROC>(GetClassLongPtrA(list, GCLP_WNDPROC)), list,
                    kind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, position), 0);
  }
  position = GetScrollPos(list, bar);
}

// ---------------------------------------------------------------------------------------------
// Module start-up

namespace {

constexpr const char* viewStyleNames[] = {"vsIcon", "vsSmallIcon", "vsList", "vsReport"};
constexpr const char* arrangementNames[] = {"iaTop", "iaLeft"};
constexpr const char* sortTypeNames[] = {"stNone", "stData", "stText", "stBoth"};
constinit const TEnumInfo viewStyleInfo{viewStyleNames, 4};
constinit const TEnumInfo arrangementInfo{arrangementNames, 2};
constinit const TEnumInfo sortTypeInfo{sortTypeNames, 4};
constexpr const char* alignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constinit const TEnumInfo alignmentInfo{alignmentNames, 3};

using C = TListColumn;
constinit const TPropInfo columnProps[] = {
    Published<&C::Alignment, &C::SetAlignment>("Alignment", &alignmentInfo).WithDefault(taLeftJustify),
    Published<&C::Caption, &C::SetCaption>("Caption"),
    Published<&C::ImageIndex, &C::SetImageIndex>("ImageIndex").WithDefault(-1),
    Published<&C::Width, &C::SetWidth>("Width").WithDefault(50),
};

// An event of the inner list view published on the container: a stored form binds it there.
template <auto Member> constexpr TPropInfo InnerEvent(const char* name) {
  TPropInfo p = PublishedEvent<Member>(name);
  p.SetMethod = [](TObject* o, TObject* target, const TMethodInfo* method) {
    return PublishedEvent<Member>("").SetMethod(static_cast<TcxCustomListView*>(o)->InnerListView(), target, method);
  };
  return p;
}

using O = TcxIconOptions;
constinit const TPropInfo iconOptionsProps[] = {
    Published<&O::Arrangement, &O::SetArrangement>("Arrangement", &arrangementInfo).WithDefault(iaTop),
    Published<&O::AutoArrange, &O::SetAutoArrange>("AutoArrange").WithDefault(false),
    Published<&O::WrapText, &O::SetWrapText>("WrapText").WithDefault(true),
};

using L = TcxCustomListView;
using I = TcxCustomInnerListView;
constinit const TPropInfo listProps[] = {
    Published<&L::ColumnClick, &L::SetColumnClick>("ColumnClick").WithDefault(true),
    Published<&L::Columns, &L::SetColumns>("Columns"),
    Published<&L::HideSelection, &L::SetHideSelection>("HideSelection").WithDefault(true),
    Published<&L::IconOptions, nullptr>("IconOptions"),
    Published<&L::MultiSelect, &L::SetMultiSelect>("MultiSelect").WithDefault(false),
    Published<&L::OwnerData, &L::SetOwnerData>("OwnerData").WithDefault(false),
    Published<&L::OwnerDraw, &L::SetOwnerDraw>("OwnerDraw").WithDefault(false),
    Published<&L::ReadOnly, &L::SetReadOnly>("ReadOnly").WithDefault(false),
    Published<&L::RowSelect, &L::SetRowSelect>("RowSelect").WithDefault(false),
    Published<&L::ShowColumnHeaders, &L::SetShowColumnHeaders>("ShowColumnHeaders").WithDefault(true),
    Published<&L::SmallImages, &L::SetSmallImages>("SmallImages"),
    Published<&L::SortType, &L::SetSortType>("SortType", &sortTypeInfo).WithDefault(stNone),
    Published<&L::ViewStyle, &L::SetViewStyle>("ViewStyle", &viewStyleInfo).WithDefault(vsIcon),
    Published<&L::Style, &L::SetStyle>("Style"),
    Published<&L::StyleDisabled, &L::SetStyleDisabled>("StyleDisabled"),
    Published<&L::StyleFocused, &L::SetStyleFocused>("StyleFocused"),
    Published<&L::StyleHot, &L::SetStyleHot>("StyleHot"),
    PublishedEvent<&L::OnCancelEdit>("OnCancelEdit"),
    InnerEvent<&I::OnAdvancedCustomDraw>("OnAdvancedCustomDraw"),
    InnerEvent<&I::OnAdvancedCustomDrawItem>("OnAdvancedCustomDrawItem"),
    InnerEvent<&I::OnAdvancedCustomDrawSubItem>("OnAdvancedCustomDrawSubItem"),
    InnerEvent<&I::OnChange>("OnChange"),
    InnerEvent<&I::OnChanging>("OnChanging"),
    InnerEvent<&I::OnColumnClick>("OnColumnClick"),
    InnerEvent<&I::OnColumnDragged>("OnColumnDragged"),
    InnerEvent<&I::OnColumnRightClick>("OnColumnRightClick"),
    InnerEvent<&I::OnCompare>("OnCompare"),
    InnerEvent<&I::OnCustomDraw>("OnCustomDraw"),
    InnerEvent<&I::OnCustomDrawItem>("OnCustomDrawItem"),
    InnerEvent<&I::OnCustomDrawSubItem>("OnCustomDrawSubItem"),
    InnerEvent<&I::OnData>("OnData"),
    InnerEvent<&I::OnDataFind>("OnDataFind"),
    InnerEvent<&I::OnDataHint>("OnDataHint"),
    InnerEvent<&I::OnDataStateChange>("OnDataStateChange"),
    InnerEvent<&I::OnDeletion>("OnDeletion"),
    InnerEvent<&I::OnDrawItem>("OnDrawItem"),
    InnerEvent<&I::OnEdited>("OnEdited"),
    InnerEvent<&I::OnEditing>("OnEditing"),
    InnerEvent<&I::OnGetImageIndex>("OnGetImageIndex"),
    InnerEvent<&I::OnGetSubItemImage>("OnGetSubItemImage"),
    InnerEvent<&I::OnInfoTip>("OnInfoTip"),
    InnerEvent<&I::OnInsert>("OnInsert"),
    InnerEvent<&I::OnSelectItem>("OnSelectItem"),
};

void StartListView() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterPublishedProperties(TcxIconOptions::StaticClass(), iconOptionsProps);
  RegisterPublishedProperties(TcxListView::StaticClass(), listProps);
  RegisterPublishedProperties(TListColumn::StaticClass(), columnProps);
  RegisterClass(TcxListView::StaticClass());
}

void StopListView() { UnRegisterClass(TcxListView::StaticClass()); }

}  // namespace

constinit const TUnitInfo cxListViewUnit{"cxListView", StartListView, StopListView};
