// The button group: its items, the column grid, the view data that places and states the buttons,
// and the control that keeps one button control per item and moves between them with the arrows.
#include <algorithm>
#include <climits>

#include "Forms.h"
#include "cxEditPaintUtils.h"
#include "cxGeometry.h"
#include "cxGraphics.h"
#include "cxGroupBox.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxButtonGroupItem, TCollectionItem, TCollection*)
CALDERAN_IMPLEMENT_CLASS(TcxButtonGroupItems, TOwnedCollection)
CALDERAN_IMPLEMENT_CREATABLE_WITH_OPERATIONS(TcxCustomButtonGroupProperties, TcxCustomGroupBoxProperties, TPersistent*)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxButtonGroupViewData, TcxGroupBoxViewData)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxButtonGroupViewInfo, TcxGroupBoxViewInfo)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomButtonGroup, TcxCustomGroupBox)

namespace {

enum TItemChangeKind : int { ickAdded, ickDeleted, ickChanged };

int CeilDiv(int a, int b) { return b > 0 ? (a + b - 1) / b : 0; }

constexpr TcxEditButtonStyle buttonStyleOfKind[] = {btsFlat, bts3D, btsUltraFlat, btsOffice11};
// By view-info border style: none, single, thick, flat, 3D (ultra-flat and Office 11 are their own).
constexpr TcxEditButtonStyle buttonStyleOfBorder[] = {bts3D, btsFlat, btsFlat, btsFlat, bts3D, btsUltraFlat,
                                                      btsOffice11};

}  // namespace

int ButtonGroupColumnCount(int columns, int itemCount) {
  int c = std::min(columns, itemCount);
  if (itemCount == 0) return c < 0 ? 0 : c;
  if (c <= 0) c = 1;
  const int rows = CeilDiv(itemCount, c);
  return CeilDiv(itemCount, rows);
}

std::vector<TRect> LayOutButtonGrid(const TRect& bounds, const TRect& extents, const TcxButtonGroupMetrics& m,
                                    int count, int columns) {
  std::vector<TRect> rects;
  if (count <= 0 || columns <= 0) return rects;
  const int rows = ButtonGroupRowCount(columns, count);
  const int columnWidth = (RectWidth(bounds) + m.GridWidthCorrection - extents.Left - extents.Right -
                           (columns - 1) * m.ColumnGap) / columns;
  const int available = RectHeight(bounds) - extents.Top - extents.Bottom;
  const int rowHeight = available / rows;
  const int firstTop = bounds.Top + extents.Top + (available % rows) / 2;
  for (int i = 0; i < count; ++i) {
    const int column = i / rows, row = i % rows;
    const int left = bounds.Left + extents.Left + (columnWidth + m.ColumnGap) * column + m.FirstColumnLeft;
    rects.push_back(RectBounds(left, firstTop + row * rowHeight, columnWidth, rowHeight));
  }
  return rects;
}

int ButtonGroupArrowTarget(Word key, int b, int count, int rows) {
  if (b < 0 || b >= count || rows <= 0) return -1;
  const int column = b / rows, row = b % rows;
  const int lastRowOfColumn = std::min(rows, count - column * rows) - 1;
  switch (key) {
    case VK_LEFT: return column > 0 ? b - rows : -1;
    case VK_UP: return row > 0 ? b - 1 : -1;
    case VK_RIGHT: return b + rows < count ? b + rows : -1;
    case VK_DOWN: return row < lastRowOfColumn ? b + 1 : -1;
    default: return -1;
  }
}

// ---------------------------------------------------------------------------------------------
// Items

void TcxButtonGroupItem::Assign(TPersistent* source) {
  auto* from = ObjectAs<TcxButtonGroupItem>(source);
  if (!from) return TCollectionItem::Assign(source);
  SetCaption(from->caption_);
  SetEnabled(from->enabled_);
  SetTag(from->tag_);
}

void TcxButtonGroupItem::SetCaption(const std::string& value) {
  if (value == caption_) return;
  caption_ = value;
  ReportChanged();
}

void TcxButtonGroupItem::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  ReportChanged();
}

TcxButtonGroupItems::TcxButtonGroupItems(TcxCustomButtonGroupProperties* owner, TCollectionItemClass itemClass)
    : TOwnedCollection(owner, itemClass), properties_(owner) {}

TcxButtonGroupItems::~TcxButtonGroupItems() {
  destroying_ = true;
  Clear();
}

// A single addition or deletion outside a collection update is reported as such, once.
void TcxButtonGroupItems::Notify(TCollectionItem* item, TCollectionNotification action) {
  if (destroying_ || UpdateCount() > 0 || action == cnDeleting) return;
  changedIndex_ = item->Index();
  changedKind_ = action == cnAdded ? ickAdded : ickDeleted;
  pending_ = true;
}

void TcxButtonGroupItems::Update(TCollectionItem* item) {
  if (destroying_) return;
  if (pending_) {
    pending_ = false;
    return Report(changedIndex_, changedKind_);
  }
  if (item) changedIndex_ = item->Index(), changedKind_ = ickChanged;
  if (properties_) properties_->NotifyChanged();
}

void TcxButtonGroupItems::Report(int index, int kind) {
  changedIndex_ = index, changedKind_ = kind;
  if (!properties_ || properties_->IsChangeLocked()) return;
  singleReport_ = true;
  struct TReset {
    bool& flag;
    ~TReset() { flag = false; }
  } reset{singleReport_};
  properties_->NotifyChanged();
}

// ---------------------------------------------------------------------------------------------
// Properties

TcxCustomEditProperties* TcxCustomButtonGroupPropertiesClass::Create(TPersistent* owner) const {
  return new TcxCustomButtonGroupProperties(owner);
}
const TcxCustomEditViewDataClass* TcxCustomButtonGroupPropertiesClass::ViewDataClass(TcxCustomEditStyle*,
                                                                                     bool) const {
  return TcxButtonGroupViewData::StaticClassOperations();
}
const TcxCustomEditViewInfoClass* TcxCustomButtonGroupPropertiesClass::ViewInfoClass() const {
  return TcxButtonGroupViewInfo::StaticClassOperations();
}
TcxCustomEditViewData* TcxButtonGroupViewDataClass::Create(TcxCustomEditProperties* properties,
                                                           TcxCustomEditStyle* style, bool inPlace) const {
  return new TcxButtonGroupViewData(properties, style, inPlace);
}

TcxCustomButtonGroupProperties::TcxCustomButtonGroupProperties(TPersistent* owner,
                                                               const TcxCustomEditPropertiesClass* cls)
    : TcxCustomGroupBoxProperties(owner, cls) {
  MakeItems();
}

TcxCustomButtonGroupProperties::~TcxCustomButtonGroupProperties() = default;

TcxButtonGroupItems* TcxCustomButtonGroupProperties::CreateItems() {
  const auto* cls = static_cast<const TcxCustomButtonGroupPropertiesClass*>(ClassOperations());
  return new TcxButtonGroupItems(this, cls->ItemClass());
}

void TcxCustomButtonGroupProperties::SetColumns(int value) {
  SetNotifying(columns_, std::max(value, 1));
}

void TcxCustomButtonGroupProperties::Assign(TPersistent* source) {
  auto* from = ObjectAs<TcxCustomButtonGroupProperties>(source);
  if (!from) return TcxCustomGroupBoxProperties::Assign(source);
  BeginUpdate();
  try {
    TcxCustomGroupBoxProperties::Assign(source);
    SetColumns(from->columns_);
    items_->Assign(from->items_.get());
    SetWordWrap(from->wordWrap_);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TcxCustomEditProperties* TcxCustomButtonGroupProperties::CreatePeer() const {
  auto* peer = static_cast<TcxCustomButtonGroupProperties*>(TcxCustomGroupBoxProperties::CreatePeer());
  for (const char* caption : {"A", "B", "C"}) peer->Items()->Add()->SetCaption(caption);
  peer->SetColumns(3);
  return peer;
}

uint16_t TcxCustomButtonGroupProperties::GetSupportedOperations() const {
  return TcxCustomGroupBoxProperties::GetSupportedOperations() | (items_->Count() > 0 ? 0x20 : 0);
}

// ---------------------------------------------------------------------------------------------
// View data

void TcxButtonGroupViewData::GetButtonMetrics(TcxButtonGroupMetrics& metrics, TcxCanvas*) const { metrics = {}; }

TRect TcxButtonGroupViewData::GetContentMargins(TcxCanvas* canvas, TcxCustomEditViewInfo* viewInfo) {
  return ComputeNonContentExtent(canvas, viewInfo);
}

UINT TcxButtonGroupViewData::GetCaptionTextFlags() const {
  if (AskedForHeight && GroupProperties()->WordWrap()) return DT_LEFT | DT_WORDBREAK;
  return DT_LEFT | DT_VCENTER | DT_SINGLELINE;
}

TcxEditButtonStyle TcxButtonGroupViewData::ButtonStyleOf(TcxCustomEditViewInfo* viewInfo) const {
  if (InPlace) return buttonStyleOfKind[StyleLookAndFeel()->Kind()];
  const TcxContainerBorderStyle style = Style->BorderStyle();
  if (style == cbsUltraFlat || style == cbsOffice11) return buttonStyleOfBorder[style];
  return buttonStyleOfBorder[viewInfo->EditBorderStyle];
}

void TcxButtonGroupViewData::ComputeLayout(TcxCanvas* canvas, const TRect& bounds, const TPoint& point,
                                           TcxContainerMouseButton button, TShiftState shift,
                                           TcxCustomEditViewInfo* editViewInfo, bool isMouseEvent) {
  TcxGroupBoxViewData::ComputeLayout(canvas, bounds, point, button, shift, editViewInfo, isMouseEvent);
  auto* v = static_cast<TcxButtonGroupViewInfo*>(editViewInfo);
  TcxButtonGroupMetrics metrics;
  GetButtonMetrics(metrics, canvas);
  v->GlyphSize = TSize(metrics.GlyphWidth, metrics.GlyphHeight);
  v->CaptionTextFlags = GetCaptionTextFlags();
  if (bounds.Right == INT_MAX || bounds.Bottom == INT_MAX) return;
  LayOutButtonGrid(v);
  PrepareButtons(v, point, shift);
}

void TcxButtonGroupViewData::LayOutButtonGrid(TcxButtonGroupViewInfo* v) {
  TcxCustomButtonGroupProperties* p = GroupProperties();
  const int count = p->Items()->Count();
  v->Columns = p->GetColumnCount();
  v->Rows = ButtonGroupRowCount(v->Columns, count);
  TcxButtonGroupMetrics metrics;
  GetButtonMetrics(metrics, nullptr);
  const std::vector<TRect> rects =
      ::LayOutButtonGrid(Bounds, GetContentMargins(nullptr, v), metrics, count, v->Columns);
  v->Buttons.assign(rects.size(), {});
  for (size_t i = 0; i < rects.size(); ++i) v->Buttons[i].Bounds = rects[i];
}

void TcxButtonGroupViewData::PrepareButtons(TcxButtonGroupViewInfo* v, const TPoint& point, TShiftState shift) {
  TcxCustomButtonGroupProperties* p = GroupProperties();
  v->HotButton = v->PressedButton = -1;
  const TcxEditButtonStyle style = ButtonStyleOf(v);
  for (int i = 0; i < static_cast<int>(v->Buttons.size()); ++i) {
    TcxButtonGroupButtonInfo& b = v->Buttons[i];
    b.Caption = p->Items()->Items(i)->Caption();
    b.Column = v->Rows > 0 ? i / v->Rows : 0;
    b.Row = v->Rows > 0 ? i % v->Rows : 0;
    b.Style = style;
    b.Enabled = Enabled && p->Items()->Items(i)->Enabled();
    const bool over = !IsDesigning && RectContainsPoint(b.Bounds, point);
    if (!Enabled) b.State = cxbsDisabled;
    else if (over && shift.Contains(ssLeft)) b.State = cxbsPressed;
    else if (over && shift * TShiftState{ssLeft, ssRight, ssMiddle} == TShiftState{}) b.State = cxbsHot;
    else b.State = cxbsNormal;
    if (b.State == cxbsHot) v->HotButton = i;
    if (b.State == cxbsPressed) v->PressedButton = i;
    SetButtonNativeState(v, i);
  }
}

// Content size: the widest caption with its glyph per column, as many rows as the tallest column.
TSize TcxButtonGroupViewData::MeasureContentArea(TcxCanvas* canvas, const TVariant&,
                                                 const TcxEditSizeProperties& request) {
  TcxCustomButtonGroupProperties* p = GroupProperties();
  TcxButtonGroupMetrics m;
  GetButtonMetrics(m, canvas);
  canvas->SaveState();
  canvas->SetFont(Style->GetEffectiveFont());
  const int lineHeight = canvas->TextHeight("Zg") + ContentSizeAdjustment().cy;
  const int count = p->Items()->Count();
  const int columns = p->GetColumnCount();
  const int rows = ButtonGroupRowCount(columns, count);
  TSize size(0, lineHeight);
  if (count > 0 && request.Width <= 0) {
    int widest = 0;
    for (int i = 0; i < count; ++i) widest = std::max(widest, canvas->TextWidth(p->Items()->Items(i)->Caption()));
    size.cx = (widest + m.GlyphCaptionGap + m.GlyphWidth) * columns + (columns - 1) * m.ColumnGap + m.WidthMargin;
    size.cy = rows * std::max(m.GlyphHeight, lineHeight);
  } else if (count > 0) {
    AskedForHeight = true;
    const int captionWidth = std::max(1, (request.Width + m.FitWidthCorrection - (columns - 1) * m.ColumnGap) / columns -
                                             m.GlyphWidth - m.CaptionLeftOffset);
    int tallest = lineHeight;
    for (int i = 0; i < count && p->WordWrap(); ++i) {
      const std::string& caption = p->Items()->Items(i)->Caption();
      if (caption.empty()) continue;
      RECT r{0, 0, captionWidth, 0};
      ::DrawTextA(canvas->GetHandle(), caption.c_str(), static_cast<int>(caption.size()), &r,
                  DT_CALCRECT | DT_WORDBREAK | DT_LEFT | DT_TOP);
      tallest = std::max<int>(tallest, r.bottom - r.top + ContentSizeAdjustment().cy);
    }
    size = TSize(request.Width, rows * tallest);
  }
  canvas->RestoreState();
  return size;
}

// ---------------------------------------------------------------------------------------------
// View info

void TcxButtonGroupViewInfo::TakeFrom(TcxContainerViewInfo* source) {
  TcxGroupBoxViewInfo::TakeFrom(source);
  if (auto* from = ObjectAs<TcxButtonGroupViewInfo>(source)) Buttons = from->Buttons;
}

void TcxButtonGroupViewInfo::Shift(int dx, int dy) {
  TcxGroupBoxViewInfo::Shift(dx, dy);
  for (auto& b : Buttons) b.Bounds = RectOffset(b.Bounds, dx, dy);
}

TRect TcxButtonGroupViewInfo::ButtonGlyphRect(int index) const {
  const TRect& b = Buttons.at(index).Bounds;
  const int top = b.Top + (RectHeight(b) - GlyphSize.cy) / 2;
  return RectBounds(b.Left, top, GlyphSize.cx, GlyphSize.cy);
}

void TcxButtonGroupViewInfo::PaintContent(TcxCanvas* canvas) {
  if (!IsInPlace) return;
  for (int i = 0; i < static_cast<int>(Buttons.size()); ++i) {
    if (!IsDataPaintCopy && !IsButtonBackgroundTransparent(i)) FillRectWithColor(canvas, Buttons[i].Bounds, BackgroundColor);
    PaintButtonGlyph(canvas, i);
    PaintButtonCaption(canvas, i);
  }
}

// ---------------------------------------------------------------------------------------------
// Control

const TcxCustomEditPropertiesClass* TcxCustomButtonGroupClass::OwnPropertiesClass() const {
  return TcxCustomButtonGroupProperties::StaticClassOperations();
}

TcxCustomButtonGroup::TcxCustomButtonGroup(TComponent* owner, const TcxCustomEditClass* cls, bool inPlace)
    : TcxCustomGroupBox(owner, cls, inPlace) {
  SetAutoSize(false);
  SetTabStop(true);
}

TcxCustomButtonGroup::~TcxCustomButtonGroup() {
  Destroying();
  FreeButtons();
}

void TcxCustomButtonGroup::Dispatch(TMessage& m) {
  TcxCustomGroupBox::Dispatch(m);
  if (m.Msg == CM_ENABLEDCHANGED && !IsContainerDestroying()) SynchronizeButtons();
}

int TcxCustomButtonGroup::IndexOfButton(TWinControl* button) const {
  auto it = std::find(buttons_.begin(), buttons_.end(), button);
  return it == buttons_.end() ? -1 : static_cast<int>(it - buttons_.begin());
}

int TcxCustomButtonGroup::FocusedButtonIndex() const {
  const HWND focus = GetFocus();
  for (int i = 0; i < ButtonCount(); ++i)
    if (buttons_[i]->HandleAllocated() && buttons_[i]->Handle() == focus) return i;
  return -1;
}

bool TcxCustomButtonGroup::IsContainerFocused() {
  if (IsContainerDestroying() || !HandleAllocated()) return false;
  return TcxCustomGroupBox::IsContainerFocused() || FocusedButtonIndex() >= 0;
}

void TcxCustomButtonGroup::ArrangeButtons() {
  TcxButtonGroupViewInfo* v = ButtonGroupViewInfo();
  const int count = std::min<int>(ButtonCount(), static_cast<int>(v->Buttons.size()));
  for (int i = 0; i < count; ++i) buttons_[i]->SetBoundsRect(v->Buttons[i].Bounds);
}

void TcxCustomButtonGroup::InitializeButton(TWinControl* button) {
  button->SetParentShowHint(false);
  button->SetParent(this);
}

void TcxCustomButtonGroup::AddButtonAt(int index) {
  TWinControl* button = CreateButton();
  if (!button) return;
  buttons_.insert(buttons_.begin() + index, button);
  InitializeButton(button);
}

void TcxCustomButtonGroup::FreeButtonAt(int index) {
  TWinControl* button = buttons_.at(index);
  buttons_.erase(buttons_.begin() + index);
  delete button;
}

// A reported single addition or deletion makes or frees just that button; otherwise buttons go
// from the end or come at the end.
void TcxCustomButtonGroup::SetButtonControlCount(int count) {
  TcxButtonGroupItems* items = ActiveProperties()->Items();
  if (items->IsSingleItemChangeReported() && count == ButtonCount() + 1 && items->ChangedItemKind() == 0)
    return AddButtonAt(std::min(items->ChangedItemIndex(), ButtonCount()));
  if (items->IsSingleItemChangeReported() && count == ButtonCount() - 1 && items->ChangedItemKind() == 1 &&
      items->ChangedItemIndex() >= 0 && items->ChangedItemIndex() < ButtonCount())
    return FreeButtonAt(items->ChangedItemIndex());
  DisableAlign();
  while (ButtonCount() > count) FreeButtonAt(ButtonCount() - 1);
  while (ButtonCount() < count) AddButtonAt(ButtonCount());
  EnableAlign();
}

void TcxCustomButtonGroup::UpdateButtonStyles() {
  TcxCustomEditStyle* style = ActiveEditStyle();
  for (TWinControl* button : buttons_) {
    button->SetColor(style->EffectiveColor());
    button->Font()->Assign(style->GetEffectiveFont());
    button->Font()->SetColor(style->GetTextColor());
  }
}

void TcxCustomButtonGroup::SynchronizeButtons() {
  TcxCustomButtonGroupProperties* p = ActiveProperties();
  SetButtonControlCount(p->Items()->Count());
  ShortRefresh();
  for (int i = 0; i < ButtonCount(); ++i) buttons_[i]->SetEnabled(Enabled() && p->Items()->Items(i)->Enabled());
  UpdateButtonStyles();
  for (TWinControl* button : buttons_) button->SetCursor(Cursor());
  ArrangeButtons();
}

bool TcxCustomButtonGroup::PaintsButtonsItself(HDC dc) {
  for (int i = 0; i < ButtonCount(); ++i)
    if (GetButtonDC(i) == dc) return true;
  return false;
}

bool TcxCustomButtonGroup::RefreshContainer(const TPoint& point, TcxContainerMouseButton button, TShiftState shift,
                                            bool isMouseEvent) {
  const bool result = TcxCustomGroupBox::RefreshContainer(point, button, shift, isMouseEvent);
  ArrangeButtons();
  return result;
}

void TcxCustomButtonGroup::ApplyPropertiesChange(TObject* properties) {
  TcxCustomGroupBox::ApplyPropertiesChange(properties);
  if (!ComponentState().Contains(csReading) && !IsContainerDestroying()) SynchronizeButtons();
}

void TcxCustomButtonGroup::GetTabOrderList(std::vector<TWinControl*>& list) {
  TcxCustomGroupBox::GetTabOrderList(list);
}

void TcxCustomButtonGroup::StyleChanged(TObject* sender) {
  TcxCustomGroupBox::StyleChanged(sender);
  if (HandleAllocated() && !IsContainerDestroying()) SynchronizeButtons();
}

void TcxCustomButtonGroup::CreateWnd() {
  TcxCustomGroupBox::CreateWnd();
  SynchronizeButtons();
}

void TcxCustomButtonGroup::CursorChanged() {
  TcxCustomGroupBox::CursorChanged();
  for (TWinControl* button : buttons_) button->SetCursor(Cursor());
}

void TcxCustomButtonGroup::Loaded() {
  TcxCustomGroupBox::Loaded();
  SynchronizeButtons();
}

// Arrows move the focus between the buttons by column and row; without a focused button the key
// is left alone.
void TcxCustomButtonGroup::KeyDown(Word& key, TShiftState shift) {
  const int focused = FocusedButtonIndex();
  if (focused < 0) return;
  const int rows = ButtonGroupRowCount(ActiveProperties()->GetColumnCount(), ButtonCount());
  const int target = ButtonGroupArrowTarget(key, focused, ButtonCount(), rows);
  if (target >= 0 && buttons_[target]->CanFocus()) {
    buttons_[target]->SetFocus();
    key = 0;
  }
  TcxCustomGroupBox::KeyDown(key, shift);
}
