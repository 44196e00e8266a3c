#include "dxBarItemControl.h"

#include "Menus.h"
#include "SysUtils.h"
#include "cxGraphicsRoutines.h"
#include "dxBarButtonControl.h"
#include "dxBarControl.h"
#include "dxBarAccessibility.h"
#include "dxBarDrawRoutines.h"
#include "dxBarItem.h"
#include "dxBarItemRegistry.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarRoutines.h"

CALDERAN_IMPLEMENT_CREATABLE(TdxBarItemControl, TcxIUnknownObject, TdxBarItemLink*)

TdxBarItemControl::TdxBarItemControl(TdxBarItemLink* link)
    : TdxBarItemControl(link ? link->GetLinkBarControl() : nullptr, link) {}

TdxBarItemControl::TdxBarItemControl(TCustomdxBarControl* barControl, TdxBarItemLink* link)
    : barControl_(barControl), link_(link) {
  drawParams_.BarItemControl = this;
  viewInfo_ = new TdxBarItemControlViewInfo(this);
}

void TdxBarItemControl::Initialize() {
  if (initialized_) return;
  initialized_ = true;
  viewInfo_->CalculateAllowedLevels();
  CalcSizesWithFont();
  hotPart_ = -1;
  CalcDrawParams(true);
  if (barControl_) viewInfo_->SetViewLevel(barControl_->GetDefaultViewLevel(this));
}

TdxBarItemControl::~TdxBarItemControl() {
  ReleaseAccessibilityHelper(this);
  TdxBarManager* manager = BarManager();
  if (manager && manager->SelectedItemControl() == this) manager->SetSelectedItemControl(nullptr);
  if (barControl_ && IsBarControlAlive(barControl_) && barControl_->SelectedControl() == this &&
      !(manager && (manager->IsBarManagerDestroying() || manager->IsCustomizing()))) {
    if (!link_ || link_->GetVisibleIndex() == -1) barControl_->SetSelectedItemControl(nullptr);
    else barControl_->SelectItemControlByMouse(nullptr);
  }
  if (barControl_ && IsBarControlAlive(barControl_)) barControl_->ViewInfo()->RemoveItemControlViewInfo(viewInfo_);
  if (ownBrush_) DeleteObject(ownBrush_);
  ClearObjectLinks(this);
  delete viewInfo_;
}

// ---------------------------------------------------------------------------------------------
// Basic answers.

TdxBarItem* TdxBarItemControl::Item() const { return link_ ? link_->Item() : nullptr; }

TdxBarManager* TdxBarItemControl::BarManager() const {
  if (link_ && link_->BarManager()) return link_->BarManager();
  return barControl_ ? barControl_->BarManager() : nullptr;
}

TdxBarPainterClass TdxBarItemControl::Painter() const {
  return barControl_ ? barControl_->GetPainter() : TdxBarPainter::Instance();
}

TRect TdxBarItemControl::GetItemRect() const { return link_ ? link_->ItemRect() : viewInfo_->Bounds(); }

bool TdxBarItemControl::GetEnabled() const {
  TdxBarItem* item = Item();
  return item && item->Enabled();
}

// A disabled control counts as selected only when the keyboard selected it.
bool TdxBarItemControl::IsSelected() const {
  return barControl_ && barControl_->SelectedControl() == this && (GetEnabled() || !selectedByMouse_);
}

bool TdxBarItemControl::IsSelectable() const {
  return !(barControl_ && barControl_->IsCustomizing() && !BelongsToManager());
}

bool TdxBarItemControl::BelongsToManager() const {
  TdxBarManager* own = barControl_ ? barControl_->BarManager() : nullptr;
  TdxBarItem* item = Item();
  return !item || item->BarManager() == own || (own && own->ComponentState().Contains(csAncestor));
}

bool TdxBarItemControl::WantsDblClick() const {
  TdxBarManager* manager = BarManager();
  return (manager && manager->IsBarManagerDesigning()) || AcceptsDblClick();
}

bool TdxBarItemControl::IsRotated() const { return barControl_ && barControl_->IsRotated(); }

int TdxBarItemControl::GetPaintType() const { return barControl_ ? barControl_->PaintType() : ptHorz; }

std::string TdxBarItemControl::GetCaption() const { return link_ ? link_->GetCaption() : std::string(); }

std::string TdxBarItemControl::GetHint() const { return Item() ? Item()->Hint() : std::string(); }

TdxBarItemAlign TdxBarItemControl::GetRealAlign() const {
  TdxBarItem* item = Item();
  const TdxBarItemAlign align = item ? item->Align() : iaLeft;
  if (align != iaLeft && barControl_ && !barControl_->IsItemAlignmentAllowed(const_cast<TdxBarItemControl*>(this)))
    return iaLeft;
  return align;
}

bool TdxBarItemControl::GetHintText(std::string& text, std::string& shortCut) const {
  text.clear();
  shortCut.clear();
  if (!barControl_ || !barControl_->HandleAllocated() || !barControl_->CanShowHints()) return false;
  POINT cursor;
  GetCursorPos(&cursor);
  ::ScreenToClient(barControl_->WindowHandle(), &cursor);
  if (barControl_->ItemControlAtPos(TPoint(cursor.x, cursor.y)) != this) return false;
  text = GetHintCaption(GetHint());
  if (GetShortCut() != 0) shortCut = " (" + ShortCutToText(GetShortCut()) + ")";
  return true;
}

// ---------------------------------------------------------------------------------------------
// Parts, hot part and the clicking state.

int TdxBarItemControl::GetPartIndexAt(const TPoint& point) const {
  if (!GetItemRect().Contains(point)) return -1;
  for (size_t i = 0; i < parts_.size(); ++i)
    if (parts_[i].Contains(point)) return static_cast<int>(i);
  return 100;
}

void TdxBarItemControl::CalcParts() { parts_.assign(static_cast<size_t>(GetPartCount()), GetItemRect()); }

void TdxBarItemControl::UpdateHotPart(const TPoint& point) {
  if (!GetEnabled()) {
    hotPart_ = -1;
    return;
  }
  const int part = GetPartIndexAt(point);
  if (part == hotPart_) return;
  hotPart_ = part;
  Repaint();
}

void TdxBarItemControl::SetClicking(bool value) {
  if (value == clicking_) return;
  clicking_ = value;
  ClickingChanged();
}

void TdxBarItemControl::ClickingChanged() {
  if (!clicking_) Repaint();
}

bool TdxBarItemControl::IsPressedByMouse() const {
  if (!GetEnabled() || !barControl_ || !barControl_->HandleAllocated()) return false;
  POINT cursor;
  GetCursorPos(&cursor);
  ::ScreenToClient(barControl_->WindowHandle(), &cursor);
  return GetItemRect().Contains(TPoint(cursor.x, cursor.y)) && IsLeftMouseButtonDown();
}

// ---------------------------------------------------------------------------------------------
// Changes.

void TdxBarItemControl::Repaint() {
  if (barControl_) barControl_->RepaintItemControl(this);
}

void TdxBarItemControl::Changed() {
  if (barControl_) barControl_->RepaintBar();
}

void TdxBarItemControl::CaptionChanged() {
  if (GetRealAlign() == iaClient && barControl_ && (barControl_->GetBehaviourFlags() & bbfStretchItems)) {
    ClearCaches(true);
    Repaint();
  } else {
    Changed();
  }
}

void TdxBarItemControl::EnabledChanged() {
  if (!GetEnabled() && barControl_ && barControl_->SelectedControl() == this) barControl_->ClearSelectedLink();
  Repaint();
}

void TdxBarItemControl::GlyphChanged() {
  const TdxBarItemViewLevels oldLevels = viewInfo_->AllowedViewLevels();
  const int oldIcon = drawParams_.ViewStructure & cvsGlyph;
  viewInfo_->CalculateAllowedLevels();
  ClearCaches(false);
  if (!(viewInfo_->AllowedViewLevels() == oldLevels) || (GetViewStructure() & cvsGlyph) != oldIcon) Changed();
  else Repaint();
}

void TdxBarItemControl::LargeGlyphChanged() {
  if (GetViewSize() == cvsSmall) return;
  if (GetPaintType() == ptMenu) Repaint();
  else Changed();
}

void TdxBarItemControl::VisibleChanged() { Changed(); }

void TdxBarItemControl::WidthChanged() {
  if (barControl_ && barControl_->Is<TdxBarControl>()) Changed();
}

// Item styles come with their own part: the own text size is the bar window's until then.
void TdxBarItemControl::CalcSizesWithFont() {}

void TdxBarItemControl::Refresh() {
  CalcDrawParams(false);
  CalcParts();
  Repaint();
}

void TdxBarItemControl::ClearCaches(bool sizes) {
  glyphCacheValid_ = false;
  if (sizes) viewInfo_->ClearSizeCache();
}

// ---------------------------------------------------------------------------------------------
// Activation and the click sequence.

void TdxBarItemControl::ControlActivate(bool) { active_ = true; }
void TdxBarItemControl::ControlInactivate(bool) { active_ = false; }
void TdxBarItemControl::ControlClick(bool, Word) {}

void TdxBarItemControl::ControlUnclick(bool) {
  if (!barControl_) return;
  barControl_->SetDowned(false);
  barControl_->SetSelectedItemControl(this);
}

void TdxBarItemControl::Click(bool byMouse, Word key) {
  if (!GetEnabled()) return;
  TCustomdxBarControl* bar = barControl_;
  ControlClick(byMouse, key);
  if (bar && IsBarControlAlive(bar) && bar->ShowsItemControl(this)) DoClick(byMouse);
}

void TdxBarItemControl::MarkUse(TdxBarItemLink* reported) {
  try {
    if (reported) reported->MarkRecentlyUsed(true);
    if (link_ && link_ != reported) link_->MarkRecentlyUsed(true);
  } catch (const Exception&) {
    // The recent-use record is bookkeeping: a failure there must not stop the click.
  }
}

// The item's click link names the reported link while its handlers run; the reset is skipped
// when the handler freed the item. The control's own item runs: a link expanded from a
// container item reports the container's link but stands for an item of its own.
void TdxBarItemControl::ReportClickToItem(TdxBarItemLink* reported, TdxBarItem* own) {
  TdxBarItem* item = own ? own : reported ? reported->Item() : nullptr;
  if (!item) return;
  TcxObjectLinkGuard itemAlive(item);
  item->SetClickItemLink(reported);
  item->Click();
  if (itemAlive.Alive()) item->SetClickItemLink(nullptr);
}

void TdxBarItemControl::DoClick(bool) {
  TCustomdxBarControl* bar = barControl_;
  if (Is<TdxBarButtonControl>() && bar && bar->GetKind() == 2) PlayMenuSound(1);  // "MenuCommand"
  TdxBarItemLink* reported = link_ ? link_->OriginalLink() : nullptr;
  TdxBarItem* item = Item();
  const bool executes = ExecutesOnClick();
  const bool closesMenus = ClosesMenusOnClick();
  if (closesMenus) MarkUse(reported);
  TcxObjectLinkGuard self(this);
  // A menu closed by the click frees its item controls; the item still runs.
  TcxObjectLinkGuard itemAlive(item);
  const bool unclickAfter = item ? item->UnclickAfterDoing() : true;
  const bool holdPressed = unclickAfter && (!closesMenus || (bar && !bar->ClosesAfterClick()));
  if (holdPressed) SetClicking(true);
  if (closesMenus && bar) {
    bar->Close();
  } else if (!reported) {
    reported = link_;
  }
  if (executes && (self.Alive() || (closesMenus && itemAlive.Alive()))) ReportClickToItem(reported, item);
  if (self.Alive() && holdPressed) SetClicking(false);
}

// ---------------------------------------------------------------------------------------------
// Painting.

HBRUSH TdxBarItemControl::GetBackgroundBrush() const {
  if (ownBrush_) return ownBrush_;
  return barControl_ ? barControl_->CurrentBackgroundBrush() : GetSysColorBrush(COLOR_BTNFACE);
}

void TdxBarItemControl::SetOwnBackgroundColor(TColor color) {
  if (ownBrush_) DeleteObject(ownBrush_);
  ownBrush_ = color == clDefault ? nullptr : CreateSolidBrush(ColorToRGB(color));
}

TcxCanvas* TdxBarItemControl::GetCanvas() const {
  if (temporaryCanvas_) return temporaryCanvas_;
  return barControl_ ? barControl_->GetCanvas() : nullptr;
}

void TdxBarItemControl::SetDrawParamsViewSize(int size) {
  if (drawParams_.ViewSize == size) return;
  drawParams_.ViewSize = size;
  glyphCacheValid_ = false;
}

void TdxBarItemControl::CalcDrawParams(bool full) {
  if (full) {
    drawParams_.Caption = GetCaption();
    drawParams_.Description = Item() ? Item()->Description() : std::string();
    drawParams_.ShortCut.clear();
    drawParams_.PaintType = GetPaintType();
    drawParams_.Enabled = GetEnabled();
    drawParams_.CanSelect = IsSelectable();
    drawParams_.DrawSelected = IsDrawSelected();
    drawParams_.DropDown = HasDropDown();
    drawParams_.HotPartIndex = hotPart_;
    drawParams_.Customizing = barControl_ && barControl_->IsCustomizing();
    drawParams_.SelectedByKey = drawParams_.DrawSelected && !selectedByMouse_;
  }
  drawParams_.Canvas = GetCanvas();
  SetDrawParamsViewSize(GetViewSize());
  drawParams_.ViewStructure = GetViewStructure();
  const int glyphSize = BarManager() ? BarManager()->GetGlyphSize() : 16;
  drawParams_.GlyphAreaSize = {glyphSize + 7, glyphSize + 6};
}

void TdxBarItemControl::PaintInCanvas(TcxCanvas* canvas, const TRect& rect, int paintType) {
  if (rect.IsEmpty() || !canvas) return;
  canvas->SaveState();
  if (barControl_ && canvas != barControl_->GetCanvas()) canvas->SetFont(barControl_->ItemsFont());
  temporaryCanvas_ = canvas;
  struct TRestore {
    TdxBarItemControl* Self;
    TcxCanvas* Canvas;
    ~TRestore() {
      Self->temporaryCanvas_ = nullptr;
      Self->CalcDrawParams(false);
      Canvas->RestoreState();
    }
  } restore{this, canvas};
  CalcDrawParams(true);
  Draw(rect, paintType);
}

int TdxBarItemControl::CaptionIndent() const { return barControl_ ? barControl_->ItemsFont()->Size() / 2 : 4; }

TdxBarGlyphLayout TdxBarItemControl::GlyphLayout() const { return Item() ? Item()->GlyphLayout() : glLeft; }
