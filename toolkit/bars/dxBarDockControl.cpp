// Dock sites: rows of docked toolbar windows, where a toolbar docked at a point goes, the placing
// of the windows along their rows and the site's size.
#include "dxBarDockControl.h"

#include <algorithm>

#include "cxClasses.h"
#include "dxBarControl.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxBarToolbar.h"

CALDERAN_IMPLEMENT_CLASS(TdxDockControl, TCustomControl)
CALDERAN_IMPLEMENT_CLASS(TdxBarDockControl, TdxDockControl)

namespace {

// The width of the strip inside a row zone that inserts a new row.
constexpr int newRowStrip = 5;

bool IsWholeRowBar(const TdxBarControl* control) { return control->Bar() && control->Bar()->WholeRow(); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Rows and columns.

void TdxDockCol::StorePosition() { Pos = {control_->Left(), control_->Top()}; }

int TdxDockRow::IndexOfControl(const TdxBarControl* control) const {
  for (int i = 0; i < ColCount(); ++i)
    if (cols_[i]->BarControl() == control) return i;
  return -1;
}

TdxDockCol* TdxDockRow::InsertCol(int index, TdxBarControl* control) {
  index = std::clamp(index, 0, ColCount());
  cols_.insert(cols_.begin() + index, std::make_unique<TdxDockCol>(this, control));
  UpdateOneOnRow();
  return cols_[index].get();
}

void TdxDockRow::DeleteCol(int index) {
  cols_.erase(cols_.begin() + index);
  UpdateOneOnRow();
}

bool TdxDockRow::HoldsWholeRowBar() const {
  return std::any_of(cols_.begin(), cols_.end(), [](const auto& col) { return IsWholeRowBar(col->BarControl()); });
}

void TdxDockRow::UpdateOneOnRow() {
  for (const auto& col : cols_)
    if (TdxBar* bar = col->BarControl()->Bar()) bar->SetOneOnRow(ColCount() == 1);
}

// ---------------------------------------------------------------------------------------------
// The site.

TdxDockControl::TdxDockControl(TComponent* owner, TdxBarManager* manager, TdxBarDockingStyle fixedStyle)
    : TCustomControl(owner), manager_(manager), fixedStyle_(fixedStyle) {
  SetParentColor(true);
  if (manager_) manager_->AddDockControl(this);
  switch (fixedStyle) {
    case dsLeft: SetAlign(alLeft); break;
    case dsTop: SetAlign(alTop); break;
    case dsRight: SetAlign(alRight); break;
    case dsBottom: SetAlign(alBottom); break;
    default: break;
  }
  if (fixedStyle != dsNone) SetBounds(0, 0, 0, 0);
}

TdxDockControl::~TdxDockControl() {
  ClearObjectLinks(this);
  if (manager_) manager_->RemoveDockControl(this);
}

TdxBarDockingStyle TdxDockControl::DockingStyle() const {
  if (fixedStyle_ != dsNone) return fixedStyle_;
  switch (Align()) {
    case alLeft: return dsLeft;
    case alRight: return dsRight;
    case alBottom: return dsBottom;
    default: return dsTop;
  }
}

bool TdxDockControl::CanDocking(TdxBar*) const { return allowDocking_; }

void TdxDockControl::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  params.ExStyle = 0;
  params.WindowClass.style = CS_DBLCLKS;
}

void TdxDockControl::Dispatch(TMessage& message) {
  if (message.Msg == WM_ERASEBKGND) {
    const TRect r = ClientRect();
    RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    FillRect(reinterpret_cast<HDC>(message.WParam), &rect, brush);
    DeleteObject(brush);
    message.Result = 1;
    return;
  }
  TCustomControl::Dispatch(message);
}

int TdxDockControl::IndexOfRow(const TdxDockRow* row) const {
  for (int i = 0; i < RowCount(); ++i)
    if (rows_[i].get() == row) return i;
  return -1;
}

bool TdxDockControl::FindBarControl(const TdxBarControl* control, int& row, int& col) const {
  for (row = 0; row < RowCount(); ++row)
    if ((col = rows_[row]->IndexOfControl(control)) >= 0) return true;
  row = col = -1;
  return false;
}

TdxDockRow* TdxDockControl::InsertRow(int index) {
  index = std::clamp(index, 0, RowCount());
  rows_.insert(rows_.begin() + index, std::make_unique<TdxDockRow>(this));
  return rows_[index].get();
}

void TdxDockControl::DeleteRowIfEmpty(int index) {
  if (index >= 0 && index < RowCount() && rows_[index]->ColCount() == 0) rows_.erase(rows_.begin() + index);
}

// ---------------------------------------------------------------------------------------------
// Rows across the site.

int TdxDockControl::RowThickness(int row) const {
  if (row < 0 || row >= RowCount()) return 0;
  int thickness = 0;
  const TdxDockRow* r = rows_[row].get();
  for (int i = 0; i < r->ColCount(); ++i) {
    const TdxBarControl* control = r->GetCol(i)->BarControl();
    thickness = std::max(thickness, IsVertical() ? control->Width() : control->Height());
  }
  return thickness;
}

int TdxDockControl::GetDockSize() const {
  int size = 0;
  for (int i = 0; i < RowCount(); ++i) size += RowThickness(i);
  return size;
}

int TdxDockControl::ClientAcross() const {
  const TRect client = const_cast<TdxDockControl*>(this)->ClientRect();
  return IsVertical() ? client.Width() : client.Height();
}

TRect TdxDockControl::GetRowRect(int row) const {
  if (row < 0 || row >= RowCount()) return {};
  int offset = 0;
  for (int i = 0; i < row; ++i) offset += RowThickness(i);
  const int thickness = RowThickness(row);
  const TRect client = const_cast<TdxDockControl*>(this)->ClientRect();
  return IsVertical() ? TRect{offset, 0, offset + thickness, client.Bottom}
                      : TRect{0, offset, client.Right, offset + thickness};
}

void TdxDockControl::GetRowZone(int row, int part, int& low, int& high) const {
  const int zone = dxBarDockingZoneSize;
  if (row < 0) {
    low = IsNearSite() ? -zone : ClientAcross() - GetDockSize() - zone;
    high = low + zone;
  } else if (row >= RowCount()) {
    low = IsNearSite() ? GetDockSize() : ClientAcross();
    high = low + zone;
  } else {
    const TRect r = GetRowRect(row);
    low = IsVertical() ? r.Left : r.Top;
    high = IsVertical() ? r.Right : r.Bottom;
  }
  const int gap = (zone - newRowStrip) / 2;
  const int stripLow = IsNearSite() ? low + gap : high - gap - newRowStrip;
  const int stripHigh = stripLow + newRowStrip;
  if (part == 0) high = std::max(low, stripLow);
  else if (part == 1) low = stripLow, high = stripHigh;
  else low = std::min(high, stripHigh);
}

int TdxDockControl::FindRowAtPoint(TPoint screenPoint, bool& newRow) const {
  newRow = true;
  if (RowCount() == 0) return 0;
  const int across = AcrossOf(const_cast<TdxDockControl*>(this)->ScreenToClient(screenPoint));
  int row = -1;
  bool hit = false;
  for (int i = -1; i < RowCount() && !hit; ++i)
    for (int part = 0; part <= 2 && !hit; ++part) {
      int low, high;
      GetRowZone(i, part, low, high);
      if (across >= low && across < high) {
        hit = true;
        row = part == 0 ? i : i + 1;
        newRow = part == 1;
      }
    }
  if (!hit || row < 0) {
    newRow = true;
    return across < GetDockSize() ? 0 : RowCount();
  }
  if (row >= RowCount()) newRow = true;
  return row;
}

int TdxDockControl::FindColumnAtPoint(int row, TPoint screenPoint) const {
  const TdxDockRow* r = rows_[row].get();
  const int along = AlongOf(const_cast<TdxDockControl*>(this)->ScreenToClient(screenPoint));
  for (int i = 0; i < r->ColCount(); ++i)
    if (AlongOf(r->GetCol(i)->Pos) >= along) return i;
  return r->ColCount();
}

TRect TdxDockControl::GetDockingZoneRect() const {
  auto* self = const_cast<TdxDockControl*>(this);
  const TPoint origin = self->ClientToScreen({0, 0});
  TRect r{origin.X, origin.Y, origin.X + Width(), origin.Y + Height()};
  const int zone = dxBarDockingZoneSize;
  r.Left -= zone;
  r.Right += zone;
  if (!IsVertical()) {
    r.Top -= zone;
    r.Bottom += zone;
  }
  return r;
}

// ---------------------------------------------------------------------------------------------
// Docking and undocking.

void TdxDockControl::AddBarControl(TdxBarControl* control, TPoint screenPoint, bool realign) {
  if (!manager_) return;
  bool newRow = false;
  int row = FindRowAtPoint(screenPoint, newRow);
  if (IsWholeRowBar(control)) newRow = true;
  row = std::clamp(row, 0, newRow ? RowCount() : std::max(0, RowCount() - 1));
  if (row >= RowCount() || rows_[row]->HoldsWholeRowBar()) newRow = true;
  if (control->Parent() != this) control->SetParent(this);
  TdxDockCol* col = newRow ? InsertRow(row)->InsertCol(0, control)
                           : rows_[row]->InsertCol(FindColumnAtPoint(row, screenPoint), control);
  TPoint client = ScreenToClient(screenPoint);
  if (IsVertical()) client.Y = std::max(0, client.Y);
  else client.X = std::max(0, client.X);
  col->Pos = client;
  if (!realign) return;
  control->SetBounds(client.X, client.Y, control->Width(), control->Height());
  RealignBars();
  col->StorePosition();
}

void TdxDockControl::RemoveBarControl(TdxBarControl* control, bool realign) {
  int row, col;
  if (!FindBarControl(control, row, col)) return;
  rows_[row]->DeleteCol(col);
  DeleteRowIfEmpty(row);
  if (realign) RealignBars();
}

void TdxDockControl::MoveBarControl(TdxBarControl* control, TPoint screenPoint) {
  RemoveBarControl(control, false);
  AddBarControl(control, screenPoint, true);
}

void TdxDockControl::SetBarRow(TdxBarControl* control, int row) {
  row = std::max(0, row);
  int current, col;
  const bool docked = FindBarControl(control, current, col);
  if (docked && current == row) return;
  const bool manyRows = manager_ && (manager_->IsUpdateLocked() || manager_->IsLoadingBars());
  if (row >= RowCount()) {
    // A row number from a stored layout may be anything: only one empty row is added unless a
    // batch of rows is being built.
    const int target = manyRows ? row : RowCount();
    while (RowCount() <= target) InsertRow(RowCount());
    row = std::min(row, RowCount() - 1);
  }
  if (docked) {
    rows_[current]->DeleteCol(col);
    rows_[row]->InsertCol(rows_[row]->ColCount(), control)->StorePosition();
    DeleteRowIfEmpty(current);
  } else {
    if (control->Parent() != this) control->SetParent(this);
    rows_[row]->InsertCol(rows_[row]->ColCount(), control)->StorePosition();
  }
  RealignBars();
}

void TdxDockControl::StoreColumnPositions() {
  for (const auto& row : rows_)
    for (int i = 0; i < row->ColCount(); ++i) row->GetCol(i)->StorePosition();
}

// ---------------------------------------------------------------------------------------------
// Layout.

void TdxDockControl::RealignBars() {
  if (manager_ && manager_->IsUpdateLocked()) return;
  CalcRowsLayout();
  UpdateSize();
}

void TdxDockControl::CalcRowsLayout() {
  const TRect client = ClientRect();
  const int length = IsVertical() ? client.Height() : client.Width();
  // Rows lie one after another: each row's offset follows the thicknesses laid out before it.
  for (int i = 0; i < RowCount(); ++i) CalcRowLayout(rows_[i].get(), i, length);
}

void TdxDockControl::CalcRowLayout(TdxDockRow* row, int rowIndex, int length) {
  const bool vertical = IsVertical();
  const int count = row->ColCount();
  std::vector<int> full(count), minimal(count), thickness(count), pos(count), size(count);
  int sum = 0;
  for (int i = 0; i < count; ++i) {
    TdxBarControl* control = row->GetCol(i)->BarControl();
    const TSize fullSize = control->CalcFullSize();
    full[i] = vertical ? fullSize.cy : fullSize.cx;
    thickness[i] = vertical ? fullSize.cx : fullSize.cy;
    const TRect borders = control->GetPainter()->GetToolbarBorderOffsets(control, DockingStyle(), false);
    const int mark = control->GetPainter()->GetMarkSize(control);
    // The least a toolbar shrinks to: its borders and the mark that offers the hidden links.
    minimal[i] = std::min(full[i], (vertical ? borders.Top + borders.Bottom : borders.Left + borders.Right) + mark);
    sum += full[i];
  }
  std::vector<int> fullBefore(count, 0), minBefore(count, 0);
  for (int i = 1; i < count; ++i) {
    fullBefore[i] = fullBefore[i - 1] + full[i - 1];
    minBefore[i] = minBefore[i - 1] + minimal[i - 1];
  }
  int limit = length;
  if (count > 0 && IsWholeRowBar(row->GetCol(0)->BarControl())) {
    pos[0] = 0;
    size[0] = std::max(length, minimal[0]);
  } else if (length >= sum) {
    for (int i = count - 1; i >= 0; --i) {
      size[i] = full[i];
      const int stored = AlongOf(row->GetCol(i)->Pos);
      pos[i] = std::max(std::min(stored, limit - size[i]), fullBefore[i]);
      limit = pos[i];
    }
  } else {
    for (int i = count - 1; i >= 0; --i) {
      const int stored = AlongOf(row->GetCol(i)->Pos);
      const int start = std::min(std::max(stored, minBefore[i]), fullBefore[i]);
      const int available = limit - start;
      size[i] = available < full[i] ? std::max(available, minimal[i]) : full[i];
      // The first toolbar keeps the row start and takes what the others leave.
      if (i == 0 && size[i] < limit) size[i] = std::max(limit, minimal[i]);
      pos[i] = std::min(std::max(limit - size[i], minBefore[i]), fullBefore[i]);
      limit -= size[i];
    }
  }
  int across = 0;
  for (int i = 0; i < rowIndex; ++i) across += RowThickness(i);
  int rowThickness = 0;
  for (int i = 0; i < count; ++i) rowThickness = std::max(rowThickness, thickness[i]);
  for (int i = 0; i < count; ++i) {
    TdxBarControl* control = row->GetCol(i)->BarControl();
    // The last toolbar that hides links stretches to the row end, so its mark sits there.
    if (i == count - 1 && size[i] < full[i]) size[i] = std::max(length - pos[i], minimal[i]);
    const TRect bounds = vertical ? TRect{across, pos[i], across + rowThickness, pos[i] + size[i]}
                                  : TRect{pos[i], across, pos[i] + size[i], across + rowThickness};
    if (bounds != control->BoundsRect()) control->SetBoundsRect(bounds);
  }
}

void TdxDockControl::UpdateSize() {
  const int size = GetDockSize();
  if (IsVertical()) {
    if (Width() != size) SetWidth(size);
  } else if (Height() != size) {
    SetHeight(size);
  }
}

// ---------------------------------------------------------------------------------------------
// The form dock control.

TdxBarDockingStyle DockingStyleOfAlign(TdxBarDockAlign align) {
  switch (align) {
    case dalLeft: return dsLeft;
    case dalRight: return dsRight;
    case dalBottom: return dsBottom;
    default: return dsTop;
  }
}

namespace {
TAlign AlignOfDockAlign(TdxBarDockAlign align) {
  switch (align) {
    case dalTop: return alTop;
    case dalBottom: return alBottom;
    case dalLeft: return alLeft;
    case dalRight: return alRight;
    default: return alNone;
  }
}
}  // namespace

TdxBarDockControl::TdxBarDockControl(TComponent* owner, TdxBarManager* manager) : TdxDockControl(owner, manager) {
  SetAlign(alTop);
}

void TdxBarDockControl::SetDockAlign(TdxBarDockAlign value) {
  if (dockAlign_ == value) return;
  TdxBarManager* manager = BarManager();
  if (manager) manager->BeginUpdate();
  try {
    for (int r = 0; r < RowCount(); ++r)
      for (int c = 0; c < GetRow(r)->ColCount(); ++c)
        GetRow(r)->GetCol(c)->BarControl()->SetDockingStyle(DockingStyleOfAlign(value));
    dockAlign_ = value;
    SetAlign(AlignOfDockAlign(value));
  } catch (...) {
    if (manager) manager->EndUpdate();
    throw;
  }
  if (manager) manager->EndUpdate();
  RealignBars();
}

int TdxBarDockControl::EmptySize() const {
  return ComponentState().Contains(csDesigning) && !allowZeroSize_ ? 3 : 0;
}

void TdxBarDockControl::UpdateSize() {
  const int size = RowCount() > 0 ? GetDockSize() : EmptySize();
  if (IsVertical()) {
    if (Width() != size) SetWidth(size);
  } else if (Height() != size) {
    SetHeight(size);
  }
}
