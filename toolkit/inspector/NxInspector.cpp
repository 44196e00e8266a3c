#include "NxInspector.h"

#include "NxItemClasses.h"
#include "NxSharedDraw.h"
#include "NxThemesSupport.h"

CALDERAN_IMPLEMENT_CLASS(TItemHintWindow, THintWindow)
CALDERAN_IMPLEMENT_CREATABLE(TNxCustomInspector, TNxScrollControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TNxInspector, TNxCustomInspector, TComponent*)

TNxCustomInspector::TNxCustomInspector(TComponent* owner)
    : TNxScrollControl(owner),
      collapseGlyph_(std::make_unique<TBitmap>()),
      expandGlyph_(std::make_unique<TBitmap>()) {
  items_ = new TNxPropertyItems(this);
  items_->OnChange = MakeEvent(this, &TNxCustomInspector::ListChanged);
  items_->OnItemChange = MakeEvent(this, &TNxCustomInspector::ItemChanged);
  items_->OnItemFreed = MakeEvent(this, &TNxCustomInspector::ItemFreed);
  hintShowTimer_ = new TTimer(this);
  hintShowTimer_->SetEnabled(false);
  hintShowTimer_->SetInterval(static_cast<uint32_t>(Application->HintPause()));
  hintShowTimer_->SetOnTimer(MakeEvent(this, &TNxCustomInspector::HintShowTick));
  hintHideTimer_ = new TTimer(this);
  hintHideTimer_->SetEnabled(false);
  hintHideTimer_->SetInterval(static_cast<uint32_t>(Application->HintHidePause()));
  hintHideTimer_->SetOnTimer(MakeEvent(this, &TNxCustomInspector::HintHideTick));
  hintWindow_ = new TItemHintWindow(this);
  hintWindow_->SetColor(clInfoBk);
  SetParentColor(false);
  SetColor(clWindow);
  SetBounds(Left(), Top(), 245, 200);
}

TNxCustomInspector::~TNxCustomInspector() {
  Destroying();
  collapseGlyph_.reset();
  expandGlyph_.reset();
  items_->OnChange = nullptr;
  items_->OnItemChange = nullptr;
  items_->OnItemFreed = nullptr;
  selected_ = editingItem_ = suffixItem_ = hotItem_ = nullptr;
  delete hintShowTimer_;
  delete hintHideTimer_;
  delete hintWindow_;
  delete items_;
  DestroyComponents();
}

void TNxCustomInspector::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE: WMSize(m); break;
    case WM_KILLFOCUS: WMKillFocus(m); break;
    case CM_MOUSELEAVE: CMMouseLeave(m); break;
    default: TNxScrollControl::Dispatch(m);
  }
}

// ---------------------------------------------------------------------------------------------
// Properties

void TNxCustomInspector::SetAssociate(TComponent* value) {
  associate_ = value;
  if (!value) return;
  value->FreeNotification(this);
  for (TNxPropertyItem* row : items_->List())
    if (!row->MapProperty().empty() && row->Enabled()) row->LoadFromAssociate();
}

void TNxCustomInspector::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TNxCustomInspector::SetImages(TCustomImageList* value) {
  if (value == images_) return;
  images_ = value;
  if (value) value->FreeNotification(this);
  Invalidate();
}

void TNxCustomInspector::SetGlyph(TBitmap* glyph, TBitmap* value) {
  glyph->Assign(value);
  if (!glyph->Empty()) {
    glyph->SetTransparentColor(glyph->Canvas()->Pixel(0, glyph->Height() - 1));
    glyph->SetTransparent(true);
  }
  Invalidate();
}

void TNxCustomInspector::SetItemsArrange(TItemsArrange value) {
  itemsArrange_ = value;
  items_->SetArrange(value);
  Invalidate();
}

void TNxCustomInspector::SetOptions(TInspectorPropertyOptions value) {
  options_ = value;
  CloseEditors();
  Invalidate();
}

void TNxCustomInspector::SetRowHeight(int value) {
  rowHeight_ = value;
  CloseEditors();
  Invalidate();
}

void TNxCustomInspector::SetSuffixWidth(int value) {
  suffixWidth_ = value;
  CloseEditors();
  Invalidate();
}

void TNxCustomInspector::SetSplitterPosition(int value) {
  if (value <= 14) value = 14;
  const bool changed = value != splitterPosition_;
  splitterPosition_ = value;
  UpdateEditorBounds();
  if (changed) Invalidate();
}

void TNxCustomInspector::Notification(TComponent* component, TOperation operation) {
  TNxScrollControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == images_) SetImages(nullptr);
  if (component == associate_) associate_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Geometry

bool TNxCustomInspector::IsShown(const TNxPropertyItem* row) const {
  return !row->Hidden() && row->Visible() && !(row->Level() == 0 && hideTopLevel_);
}

int TNxCustomInspector::ItemTop(const TNxPropertyItem* row) const {
  int shown = 0;
  for (TNxPropertyItem* r : items_->NodeList()) {
    if (!IsShown(r)) continue;
    if (r == row) return (shown - VertBar()->Position()) * Pitch();
    ++shown;
  }
  return -1;
}

TNxPropertyItem* TNxCustomInspector::ItemAtPos(int y) const {
  int top = -Pitch() * VertBar()->Position();
  for (TNxPropertyItem* r : items_->NodeList()) {
    if (!IsShown(r)) continue;
    if (top <= y && y < top + Pitch()) return r;
    top += Pitch();
  }
  return nullptr;
}

TRect TNxCustomInspector::GetItemRect(TNxPropertyItem* row, int part) {
  const int t = ItemTop(row), b = t + rowHeight_, sp = splitterPosition_, cw = ClientWidth();
  const bool textRow = row->Is<TNxTextItem>();
  const int c = textRow && row->ShowPreview() ? sp + 30 : sp + 1;
  const int d = textRow && row->ShowSuffix() ? cw - suffixWidth_ : cw;
  switch (part) {
    case ipRow: return Rect(0, t, cw, b);
    case ipCaption: return Rect(14, t, cw, b);
    case ipExpandBox: return Rect(0, t, Indent(row) + 14, b);
    case ipPreview: return row->ShowPreview() ? Rect(sp + 1, t, sp + 30, b) : TRect();
    case ipSplitter: return Rect(sp, t, sp + 1, b);
    case ipSuffix: return row->ShowSuffix() ? Rect(cw - suffixWidth_, t, cw, b) : TRect();
    case ipValueText: return textRow ? Rect(c, t, d, b) : TRect();
    case ipValueCell: return row->Level() > 0 ? Rect(sp + 1, t, cw, b) : TRect();
    default: return {};
  }
}

void TNxCustomInspector::InvalidateItem(TNxPropertyItem* row, int part) {
  if (!row->Visible() || !HandleAllocated()) return;
  const int t = ItemTop(row), b = t + rowHeight_;
  RECT r;
  switch (part) {
    case ipRow: r = Rect(0, t, ClientWidth(), b); break;
    case ipCaption: r = Rect(14, t, splitterPosition_, b); break;
    case ipValueCell: r = Rect(splitterPosition_ + 1, t, ClientWidth(), b); break;
    default: return;
  }
  InvalidateRect(WindowHandle(), &r, FALSE);
}

int TNxCustomInspector::VisibleRowCount() const {
  int count = 0;
  for (TNxPropertyItem* r : items_->NodeList()) count += r->Hidden() ? 0 : 1;
  return count;
}

int TNxCustomInspector::ScrollMax() { return VisibleRowCount() - ClientHeight() / Pitch(); }

int TNxCustomInspector::RowsFromPosition() {
  int rows = 0, height = 0;
  const auto& list = items_->NodeList();
  for (size_t i = static_cast<size_t>(std::max(0, VertBar()->Position())); i < list.size(); ++i) {
    if (list[i]->Hidden()) continue;
    ++rows;
    height += Pitch();
    if (height > ClientHeight()) break;
  }
  return rows;
}

// ---------------------------------------------------------------------------------------------
// Window and painting

void TNxCustomInspector::CreateParams(TCreateParams& p) {
  TNxScrollControl::CreateParams(p);
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_STATICEDGE;
  else p.ExStyle &= ~static_cast<DWORD>(WS_EX_STATICEDGE);
  p.WindowClass.style &= ~static_cast<UINT>(CS_VREDRAW);
}

void TNxCustomInspector::CreateWnd() {
  TNxScrollControl::CreateWnd();
  ShowScrollBar(WindowHandle(), SB_BOTH, FALSE);
  VertBar()->SetLargeChange(4);
  HorzClipRect = VertClipRect = ClientRect();
}

void TNxCustomInspector::UpdateScrollRange() {
  VertBar()->SetMax(ScrollMax());
  if (HandleAllocated()) ShowScrollBar(WindowHandle(), SB_VERT, ScrollMax() > 0);
}

void TNxCustomInspector::Paint() {
  TNxScrollControl::Paint();
  if (ComponentState().Contains(csReading)) return;
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  UpdateScrollRange();
  const int cw = ClientWidth();
  int y = -Pitch() * VertBar()->Position();
  for (TNxPropertyItem* row : items_->NodeList()) {
    if (!IsShown(row)) continue;
    DrawItem(row);
    y += rowHeight_;
    if (options_.Contains(poGrid)) {
      canvas->Pen()->SetColor(marginColor_);
      canvas->MoveTo(0, y);
      canvas->LineTo(14, y);
      canvas->Pen()->SetColor(gridColor_);
      canvas->MoveTo(14, y);
      canvas->LineTo(cw, y);
      y += 1;
    }
  }
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(Rect(0, y, cw, ClientHeight()));
}

void TNxCustomInspector::PrepareDisplay(TNxItemDisplay* display, TNxPropertyItem* row) {
  display->RightToLeft = 0;
  display->SetDisplayParams(selectionColor_, categoriesColor_, ThemesAvailable() && enableVisualStyles_, gridColor_,
                            marginColor_);
  display->Selected = row == selected_;
  display->Canvas = Canvas();
  display->Images = images_;
  display->Style = style_;
  display->Window = WindowHandle();
  display->ButtonsStyle = buttonsStyle_;
  display->CollapseGlyph = collapseGlyph_.get();
  display->ExpandGlyph = expandGlyph_.get();
}

bool TNxCustomInspector::DrawItem(TNxPropertyItem* row) {
  TCanvas* canvas = Canvas();
  const int t = ItemTop(row), b = t + rowHeight_, sp = splitterPosition_, cw = ClientWidth();
  TRect band(0, t, cw, b), overlap;
  if (!IntersectRect(overlap, band, canvas->ClipRect())) return true;
  ClipToRect(canvas, band);
  canvas->Brush()->SetColor(gridColor_);
  canvas->FillRect(Rect(sp, t, sp + 1, b));
  canvas->Brush()->SetColor(marginColor_);
  canvas->FillRect(Rect(0, t, 14, b));
  TNxItemDisplay* display = row->Display();
  PrepareDisplay(display, row);
  display->Rect = row->Level() > 0 ? Rect(14, t, sp, b) : Rect(14, t, cw, b);
  display->DrawCaption();
  if (row->ChildCount() > 0) display->DrawExpandButton();
  if (row->ShowSuffix()) {
    display->Rect = Rect(cw - suffixWidth_, t, cw, b);
    display->DrawSuffix();
    display->Rect = Rect(sp + 1, t, cw - suffixWidth_, b);
  } else {
    display->Rect = Rect(sp + 1, t, cw, b);
  }
  if (row != editingItem_) display->DrawValue();
  if (OnDrawItem) OnDrawItem(this, row, display->Rect);
  ClipToRect(canvas, ClientRect());
  return true;
}

void TNxCustomInspector::WMSize(TMessage& m) {
  TNxScrollControl::Dispatch(m);
  const int cw = ClientWidth(), ch = ClientHeight();
  if (HandleAllocated()) {
    RECT below{0, lastHeight_, cw, ch}, right{lastWidth_, 0, cw, ch};
    InvalidateRect(WindowHandle(), &below, FALSE);
    InvalidateRect(WindowHandle(), &right, FALSE);
  }
  lastHeight_ = ch;
  lastWidth_ = cw;
  UpdateEditorBounds();
  if (HandleAllocated()) UpdateScrollRange();
  HorzClipRect = VertClipRect = ClientRect();
}
