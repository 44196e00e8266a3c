// Where everything of the tab control lies: tab sizes, rows, the scrolling strip, the mapping of
// strip coordinates (along the sequence, depth toward the card) onto the four sides, cards and
// the page area, and the strip buttons.
#include <algorithm>
#include <cstdlib>

#include "RzTabs.h"
#include "RzTabsShared.h"

namespace {
TSize MeasureText(TFont* font, const std::string& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font->Handle());
  SIZE size{};
  const std::string measured = text.empty() ? " " : text;
  GetTextExtentPoint32A(dc, measured.c_str(), static_cast<int>(measured.size()), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return {text.empty() ? 0 : size.cx, size.cy};
}

// The work font, bold for the length of a measurement when asked.
class TBoldScope {
 public:
  TBoldScope(TFont* font, bool bold) : font_(font), style_(font->Style()) {
    if (bold) font_->SetStyle(style_ + TFontStyle::fsBold);
  }
  ~TBoldScope() { font_->SetStyle(style_); }

 private:
  TFont* font_;
  TFontStyles style_;
};
}  // namespace

// ---------------------------------------------------------------------------------------------
// Sizes

TSize TRzCustomTabControl::TextSize(const std::string& caption) {
  TSize size;
  for (const std::string& line : CaptionLines(caption)) {
    const TSize extent = MeasureText(&workFont_, StripHotkeyMarks(line));
    size.cx = std::max(size.cx, extent.cx);
    size.cy += extent.cy;
  }
  return IsVerticalText() ? TSize{size.cy, size.cx} : size;
}

TSize TRzCustomTabControl::ContentSize(int index) {
  const TRzTabData* tab = tabData_->Items(index);
  if (!tab->Visible) return {};
  const TSize image = images_ && tab->ImageIndex != -1 ? TSize{images_->Width(), images_->Height()} : TSize{};
  TBoldScope bold(&workFont_, boldCurrentTab_);
  const TSize text = TextSize(tab->Caption);
  switch (imagePosition_) {
    case ipLeft: case ipRight: return {imageMargin_ + image.cx + text.cx, std::max(image.cy, text.cy)};
    case ipTop: case ipBottom: return {std::max(image.cx, text.cx), imageMargin_ + image.cy + text.cy};
    case ipBack: return {std::max(image.cx, text.cx), std::max(image.cy, text.cy)};
    default: return text;
  }
}

// The smallest content a tab has: a sample text along it, the font's height across it.
TSize TRzCustomTabControl::MinimumContent() {
  TBoldScope bold(&workFont_, boldCurrentTab_);
  const TSize sample = MeasureText(&workFont_, tabStyle_ == tsRoundCorners ? "AAA" : "A");
  const TSize minimum{sample.cx, std::abs(workFont_.Height())};
  return IsVerticalText() ? TSize{minimum.cy, minimum.cx} : minimum;
}

TSize TRzCustomTabControl::TabSizeFromContent(TSize content) const {
  const int w = content.cx, h = content.cy, c = cutCornerSize_;
  const bool side = IsSide(), vertical = IsVerticalText();
  TSize size;
  switch (tabStyle_) {
    case tsDoubleSlant:
      size = side ? TSize{w + 6, 2 * (w + 2) + h + 2 + tabHeight_ + 4} : TSize{2 * (h + 2) + w + 2 + tabHeight_ + 4, h + 6};
      break;
    case tsCutCorner:
      if (!vertical) size = side ? TSize{w + 2 + c + 5, h + 10} : TSize{2 * c + w + 8, h + 7};
      else size = side ? TSize{w + 7, 2 * c + h + 8} : TSize{w + 10, h + 2 + c + 5};
      break;
    case tsRoundCorners: size = vertical ? TSize{w + 6, h + 16} : TSize{w + 16, h + 6}; break;
    default:  // the single slants
      size = side ? TSize{w + 6, 2 * ((w + 6) / 2) + h + 2 + tabHeight_ / 2 + 4}
                  : TSize{2 * ((h + 6) / 2) + w + 2 + tabHeight_ / 2 + 4, h + 6};
  }
  if (tabWidth_ > 0) size.cx = tabWidth_;
  if (tabHeight_ > 0) size.cy = tabHeight_;
  return size;
}

int TRzCustomTabControl::Overlap(int depth) const {
  switch (tabStyle_) {
    case tsSingleSlant: case tsBackSlant: return depth / 2;
    case tsDoubleSlant: return depth;
    default: return tabOverlap_;
  }
}

int TRzCustomTabControl::TabAreaDepth() const {
  if (showCard_) return (tabStyle_ == tsRoundCorners ? 3 : 0) + fixedDimension_ + RowStep() * (rowCount_ - 1);
  const int extent = IsSide() ? Width() - 1 : Height() - 1;
  const bool farSide = tabOrientation_ == toBottom || tabOrientation_ == toRight;
  return extent - (tabStyle_ == tsRoundCorners && farSide ? 1 : 0);
}

TRect TRzCustomTabControl::ClientBox() const {
  TRect client{0, 0, Width(), Height()};
  if (HandleAllocated()) GetClientRect(WindowHandle(), client.Win());
  return {0, 0, client.Right - 1, client.Bottom - 1};
}

TRect TRzCustomTabControl::TabAreaRect() const {
  const int w = Width() - 1, h = Height() - 1, depth = TabAreaDepth();
  switch (tabOrientation_) {
    case toLeft: return {0, 0, depth, h};
    case toBottom: return {0, h - depth, w, h};
    case toRight: return {w - depth, 0, w, h};
    default: return {0, 0, tabSequence_ == tsStandard && showShadow_ ? w - 2 : w, depth};
  }
}

int TRzCustomTabControl::StripLength() const {
  const TRect area = TabAreaRect();
  return IsSide() ? area.Height() : area.Width();
}

int TRzCustomTabControl::StripButtonSize() {
  const TSize a = MeasureText(&workFont_, "A");
  int size = (IsVerticalText() ? a.cx : a.cy) + 4 + (IsVerticalText() ? 2 : 0);
  const bool crossFixed = (!IsSide() && tabHeight_ >= 1 && !IsVerticalText()) || (IsSide() && tabWidth_ >= 1 && IsVerticalText());
  return crossFixed ? std::max(size, fixedDimension_ - 2) : std::min(size, fixedDimension_ - 2);
}

int TRzCustomTabControl::CloseSize() { return showCloseButton_ && tabData_->Count() > 0 ? StripButtonSize() : 0; }
int TRzCustomTabControl::MenuSize() { return showMenuButton_ && tabData_->Count() > 0 ? StripButtonSize() : 0; }

int TRzCustomTabControl::FirstVisibleTab() const {
  for (int i = 0; i < tabData_->Count(); ++i)
    if (tabData_->Items(i)->Visible) return i;
  return -1;
}

int TRzCustomTabControl::LastVisibleTab() const {
  for (int i = tabData_->Count() - 1; i >= 0; --i)
    if (tabData_->Items(i)->Visible) return i;
  return -1;
}

// ---------------------------------------------------------------------------------------------
// The layout pass

void TRzCustomTabControl::Layout() {
  const int count = tabData_->Count();
  const bool side = IsSide();
  std::vector<TSize> contents(count);
  TSize largest, largestTab;
  const TSize minimum = MinimumContent();
  for (int i = 0; i < count; ++i) {
    if (!tabData_->Items(i)->Visible) continue;
    contents[i] = ContentSize(i);
    largest = {std::max(largest.cx, contents[i].cx), std::max(largest.cy, contents[i].cy)};
    TSize raised = contents[i];
    if (tabWidth_ == 0) raised.cx = std::max(raised.cx, minimum.cx);
    if (tabHeight_ == 0) raised.cy = std::max(raised.cy, minimum.cy);
    const TSize tab = TabSizeFromContent(raised);
    largestTab = {std::max(largestTab.cx, tab.cx), std::max(largestTab.cy, tab.cy)};
  }
  fixedDimension_ = side ? largestTab.cx : largestTab.cy;
  std::vector<int> lengths(count, 0);
  for (int i = 0; i < count; ++i) {
    if (!tabData_->Items(i)->Visible) continue;
    TSize c = contents[i];
    (side ? c.cx : c.cy) = side ? largest.cx : largest.cy;
    const TSize tab = TabSizeFromContent(c);
    lengths[i] = side ? tab.cy : tab.cx;
  }
  rowCount_ = 1;
  if (multiLine_) {
    const int full = StripLength() - 2 * margin_;
    for (int rows = 1; rows <= std::max(count, 1); ++rows) {
      rowCount_ = CountRows(lengths, full - (rows - 1) * rowIndent_);
      if (rowCount_ <= rows) break;
    }
  }
  PlaceTabs(lengths);
  regionCache_->Clear();
  UpdateFirstShownTab();
  VerifyCurrentTab();
  if (multiLine_ && tabIndex_ >= 0 && tabIndex_ < count) RotateRows(tabIndex_);
  ShowCurrentTab();
  if (HandleAllocated() && DisplayRect() != displayRect_) Realign();
}

// Rows a greedy packing needs: a tab that does not fit the row it would join starts the next one;
// a tab longer than a whole row takes a row alone.
int TRzCustomTabControl::CountRows(const std::vector<int>& lengths, int available) const {
  const int limit = available - (tabStyle_ == tsRoundCorners ? 4 : 0);
  int rows = 1, p = margin_;
  bool empty = true;
  for (size_t i = 0; i < lengths.size(); ++i) {
    if (!tabData_->Items(static_cast<int>(i))->Visible) continue;
    const int n = std::max(std::min(lengths[i], limit), 0);
    if (!empty && p + n >= available) {
      ++rows;
      p = margin_;
    }
    p += n - Overlap(fixedDimension_) + 1;
    empty = false;
  }
  return rows;
}

void TRzCustomTabControl::PlaceTabs(const std::vector<int>& lengths) {
  const int strip = StripLength();
  int available = strip - 2 * margin_;
  if (multiLine_) {
    available -= (rowCount_ - 1) * rowIndent_;
  } else {
    if (showCloseButton_) available -= CloseSize() + 2;
    if (showMenuButton_) available -= MenuSize() + 2;
    available -= 2 * StripButtonSize() + 2;
  }
  const int limit = available - (tabStyle_ == tsRoundCorners ? 4 : 0);
  const int front = TabAreaDepth() - fixedDimension_;
  int p = margin_, row = 0, lastRight = 0;
  bool empty = true;
  for (int i = 0; i < tabData_->Count(); ++i) {
    TRzTabData* tab = tabData_->Items(i);
    if (!tab->Visible) {
      tab->TabRect = {};
      tab->Row = 0;
      continue;
    }
    const int n = std::max(std::min(lengths[i], limit), 0);
    if (multiLine_ && !empty && p + n >= available) {
      ++row;
      p = margin_;
    }
    const int top = front - row * RowStep();
    tab->TabRect = {p, top, p + n, top + fixedDimension_};
    tab->Row = row;
    lastRight = p + n;
    p += n - Overlap(fixedDimension_) + 1;
    empty = false;
  }
  rowCount_ = std::max(rowCount_, row + 1);
  AlignRows();
  const int buttons = (showCloseButton_ ? CloseSize() + 2 : 0) + (showMenuButton_ ? MenuSize() + 2 : 0);
  scrollingNeeded_ = !multiLine_ && FirstVisibleTab() >= 0 && strip - 2 * margin_ - buttons < lastRight;
  // The reverse sequence runs the other way: mirrored along the strip (any shift that keeps the
  // mapping relative to the first shown tab will do).
  if (tabSequence_ == tsReverse)
    for (int i = 0; i < tabData_->Count(); ++i) {
      TRect& r = tabData_->Items(i)->TabRect;
      r = {strip - r.Right, r.Top, strip - r.Left, r.Bottom};
    }
}

// Multi-line rows share their spare length out among their tabs.
void TRzCustomTabControl::AlignRows() {
  const bool alongFixed = IsSide() ? tabHeight_ != 0 : tabWidth_ != 0;
  if (!multiLine_ || !alignTabs_ || alongFixed) return;
  const int room = StripLength() - 2 * margin_ - (rowCount_ - 1) * rowIndent_;
  std::vector<TRzTabData*> run;
  auto share = [&] {
    if (run.empty()) return;
    const int extent = run.back()->TabRect.Right - run.front()->TabRect.Left;
    const int spare = room - (extent + (tabStyle_ == tsRoundCorners ? 4 : 0));
    if (spare >= 1) {
      const int n = static_cast<int>(run.size());
      int given = 0;
      for (int k = 0; k < n; ++k) {
        const int extra = spare / n + (k < spare % n ? 1 : 0);
        TRect& r = run[k]->TabRect;
        r.Left += given;
        r.Right += given + extra;
        given += extra;
      }
    }
    run.clear();
  };
  for (int i = 0; i < tabData_->Count(); ++i) {
    TRzTabData* tab = tabData_->Items(i);
    if (!tab->Visible) continue;
    if (!run.empty() && run.back()->Row != tab->Row) share();
    run.push_back(tab);
  }
  share();
}

void TRzCustomTabControl::UpdateFirstShownTab() {
  const int count = tabData_->Count();
  if (!scrollingNeeded_ || count == 0) {
    firstShownTab_ = std::max(FirstVisibleTab(), 0);
    return;
  }
  const int old = std::clamp(firstShownTab_, 0, count - 1);
  for (int t = old; t < count; ++t)
    if (firstShownTab_ = t; IsTabShown(t)) return;
  for (int t = old - 1; t >= 0; --t)
    if (firstShownTab_ = t; IsTabShown(t)) return;
  firstShownTab_ = std::max(FirstVisibleTab(), 0);
}

// The current tab must be one that may be current: the nearest after it, else before it.
void TRzCustomTabControl::VerifyCurrentTab() {
  const int count = tabData_->Count();
  if (tabIndex_ < 0 || FirstVisibleTab() < 0) return;
  int found = -1;
  for (int i = tabIndex_; i < count && found < 0; ++i)
    if (CanChange(i)) found = i;
  for (int i = std::min(tabIndex_, count - 1); i >= 0 && found < 0; --i)
    if (CanChange(i)) found = i;
  if (found >= 0 && found != tabIndex_) SetTabIndexInternally(found);
}

// Brings the selected tab's row to the card; the rows in front of it move to the back in order.
void TRzCustomTabControl::RotateRows(int selected) {
  if (!multiLine_ || selected < 0 || selected >= tabData_->Count()) return;
  int highest = 0;
  for (int i = 0; i < tabData_->Count(); ++i)
    if (tabData_->Items(i)->Visible) highest = std::max(highest, tabData_->Items(i)->Row);
  const int selectedRow = tabData_->Items(selected)->Row;
  if (selectedRow == 0 || highest == 0) return;
  const int front = TabAreaDepth() - fixedDimension_;
  for (int i = 0; i < tabData_->Count(); ++i) {
    TRzTabData* tab = tabData_->Items(i);
    if (!tab->Visible) continue;
    tab->Row = (tab->Row + highest - selectedRow + 1) % (highest + 1);
    tab->TabRect.Top = front - tab->Row * RowStep();
    tab->TabRect.Bottom = tab->TabRect.Top + fixedDimension_;
  }
  regionCache_->Clear();
}

// ---------------------------------------------------------------------------------------------
// Scrolling

int TRzCustomTabControl::UsableStripLength() {
  const int buttons = (showCloseButton_ ? CloseSize() + 2 : 0) + (showMenuButton_ ? MenuSize() + 2 : 0);
  return StripLength() - 2 * StripButtonSize() - 2 * margin_ - buttons;
}

int TRzCustomTabControl::ScrollOrigin() const {
  const int m = margin_ + (tabStyle_ == tsRoundCorners ? 2 : 0);
  if (firstShownTab_ < 0 || firstShownTab_ >= tabData_->Count()) return m;
  const TRect& first = tabData_->Items(firstShownTab_)->TabRect;
  return tabSequence_ == tsStandard ? first.Left - m : first.Right + m;
}

bool TRzCustomTabControl::IsTabShown(int index) const {
  if (index < 0 || index >= tabData_->Count() || !tabData_->Items(index)->Visible) return false;
  if (!scrollingNeeded_) return true;
  const TRect& r = tabData_->Items(index)->TabRect;
  const int origin = ScrollOrigin();
  const int usable = const_cast<TRzCustomTabControl*>(this)->UsableStripLength();
  if (tabSequence_ == tsStandard) return r.Left >= origin && r.Right - origin <= usable;
  return origin >= r.Right && origin - r.Left <= usable;
}

// A tab chosen before the strip needed scrolling is brought into view once it does.
void TRzCustomTabControl::ShowCurrentTab() {
  if (!scrollingNeeded_ || tabIndex_ < 0 || tabIndex_ >= tabData_->Count() || IsTabShown(tabIndex_)) return;
  if (tabIndex_ < firstShownTab_) firstShownTab_ = tabIndex_;
  while (!IsTabShown(tabIndex_) && ScrollTabs(true)) {
  }
}

bool TRzCustomTabControl::CanScroll(bool forward) const {
  if (forward) {
    const int last = LastVisibleTab();
    return last >= 0 && !IsTabShown(last) && firstShownTab_ < tabData_->Count() - 1;
  }
  return firstShownTab_ > 0 && !IsTabShown(FirstVisibleTab());
}

bool TRzCustomTabControl::ScrollTabs(bool forward) {
  if (!CanScroll(forward)) return false;
  const int old = firstShownTab_;
  const int step = forward ? 1 : -1;
  for (int t = old + step; t >= 0 && t < tabData_->Count(); t += step) {
    firstShownTab_ = t;
    if (IsTabShown(t)) {
      InvalidateTabs();
      if (scroller_) scroller_->Invalidate();
      return true;
    }
  }
  firstShownTab_ = old;
  return false;
}

// ---------------------------------------------------------------------------------------------
// Mapping onto the control

TPoint TRzCustomTabControl::MapPoint(int along, int depth) const {
  const TRect t = TabAreaRect();
  const int m = margin_ + (tabStyle_ == tsRoundCorners ? 2 : 0);
  const bool standard = tabSequence_ == tsStandard;
  int first = 0, firstEnd = 0;
  if (firstShownTab_ >= 0 && firstShownTab_ < tabData_->Count()) {
    first = tabData_->Items(firstShownTab_)->TabRect.Left;
    firstEnd = tabData_->Items(firstShownTab_)->TabRect.Right;
  }
  switch (tabOrientation_) {
    case toLeft:
      return {t.Left + depth, standard ? t.Bottom - m - (along - first) : t.Top + m + (firstEnd - along)};
    case toRight:
      return {t.Right - depth, standard ? t.Top + m + (along - first) : t.Bottom - m - (firstEnd - along)};
    case toBottom:
      return {standard ? t.Left + m + along - first : t.Right - m - (firstEnd - along), t.Bottom - depth};
    default:
      return {standard ? t.Left + m + along - first : t.Right - m - (firstEnd - along), t.Top + depth};
  }
}

TRect TRzCustomTabControl::MapRect(const TRect& strip) const {
  const TPoint a = MapPoint(strip.Left, strip.Top), b = MapPoint(strip.Right, strip.Bottom);
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

TRect TRzCustomTabControl::TabStripRect(int index) const {
  const TRzTabData* tab = tabData_->Items(index);
  TRect r = tab->TabRect;
  r.Offset((tabSequence_ == tsStandard ? 1 : -1) * tab->Row * rowIndent_, 0);
  if (tabStyle_ == tsRoundCorners && index == tabIndex_) {
    r.Left -= 2;
    r.Right += 2;
    r.Top -= 2;
  }
  return r;
}

TRect TRzCustomTabControl::TabDrawRect(int index) const { return MapRect(TabStripRect(index)); }

TRect TRzCustomTabControl::CardRect(int row) const {
  const TRect box = ClientBox();
  if (!showCard_) {
    TRect r = box;
    r.Inflate(3, 3);
    switch (tabOrientation_) {
      case toLeft: r.Left = box.Left + TabAreaDepth(); break;
      case toBottom: r.Bottom = box.Bottom - TabAreaDepth(); break;
      case toRight: r.Right = box.Right - TabAreaDepth(); break;
      default: r.Top = box.Top + TabAreaDepth();
    }
    return r;
  }
  if (FirstVisibleTab() < 0) return box;
  const int inner = TabAreaDepth() - row * RowStep(), outer = row * RowStep();
  const int startIndent = row * rowIndent_, endIndent = (rowCount_ - row - 1) * rowIndent_;
  const bool standard = tabSequence_ == tsStandard;
  TRect r = box;
  switch (tabOrientation_) {
    case toLeft:  // the sequence runs upward in the standard order
      r = {box.Left + inner, box.Top, box.Right - outer, box.Bottom};
      r.Bottom -= standard ? startIndent : endIndent;
      r.Top += standard ? endIndent : startIndent;
      break;
    case toRight:
      r = {box.Left + outer, box.Top, box.Right - inner, box.Bottom};
      r.Top += standard ? startIndent : endIndent;
      r.Bottom -= standard ? endIndent : startIndent;
      break;
    case toBottom:
      r = {box.Left, box.Top + outer, box.Right, box.Bottom - inner};
      r.Left += standard ? startIndent : endIndent;
      r.Right -= standard ? endIndent : startIndent;
      break;
    default:
      r = {box.Left, box.Top + inner, box.Right, box.Bottom - outer};
      r.Left += standard ? startIndent : endIndent;
      r.Right -= standard ? endIndent : startIndent;
  }
  if (r.Right < r.Left || r.Bottom < r.Top) return {};
  return r;
}

TRect TRzCustomTabControl::DisplayRect() const {
  if (!showCard_) return {-2, -2, -1, -1};
  TRect r = CardRect(0);
  if (!showCardFrame_) {
    ++r.Right;
    ++r.Bottom;
  }
  if (showFullFrame_) {
    ++r.Left;
    ++r.Top;
    if (tabOrientation_ == toTop && tabSequence_ == tsStandard && showShadow_) {
      r.Right -= 2;
      r.Bottom -= 2;
    }
  } else {
    if (tabOrientation_ != toRight) ++r.Top;
    ++r.Right;
    ++r.Bottom;
  }
  return r;
}

void TRzCustomTabControl::AlignControls(TControl* control, TRect& rect) {
  if (!IsLoadingOrReading()) {
    LayoutIfNeeded();
    PlaceStripButtons();
  }
  rect = DisplayRect();
  displayRect_ = rect;
  TCustomControl::AlignControls(control, rect);
}

// ---------------------------------------------------------------------------------------------
// Strip buttons

TRzTabScroller* TRzCustomTabControl::NeedScroller() {
  if (!scroller_) {
    scroller_ = new TRzTabScroller(this);
    scroller_->OnDownLeftClick = MakeEvent(this, &TRzCustomTabControl::ScrollerDownLeft);
    scroller_->OnUpRightClick = MakeEvent(this, &TRzCustomTabControl::ScrollerUpRight);
    UpdateStripButtonColors();
  }
  return scroller_;
}

void TRzCustomTabControl::PlaceStripButtons() {
  if (IsLoadingOrReading()) return;
  const TRect t = TabAreaRect();
  const int s = std::max(StripButtonSize(), 0);
  const bool standard = tabSequence_ == tsStandard;
  // The anchor lies at the end where the sequence ends; `fromFar` packs toward smaller coordinates.
  int anchor = 0;
  bool fromFar = standard;
  int across = 0;
  switch (tabOrientation_) {
    case toLeft:
      anchor = standard ? t.Top + margin_ : t.Bottom - margin_ + 1;
      fromFar = !standard;
      across = t.Right - s - 2;
      break;
    case toRight:
      anchor = standard ? t.Bottom - margin_ + 1 : t.Top + margin_;
      across = t.Left + 2;
      break;
    case toBottom:
      anchor = standard ? t.Right - margin_ + 1 : t.Left + margin_;
      across = t.Top + 2;
      break;
    default:
      anchor = standard ? t.Right - margin_ + (showShadow_ ? -1 : 1) : t.Left + margin_;
      across = t.Bottom - s - 2;
  }
  int used = 0;
  auto place = [&](TWinControl* button, int length) {
    const int nearEdge = fromFar ? anchor - used - length : anchor + used;
    if (IsSide()) button->SetBounds(across, nearEdge, s, length);
    else button->SetBounds(nearEdge, across, length, s);
    used += length + 2;
  };
  if (closeButton_ && showCloseButton_) place(closeButton_, CloseSize());
  if (menuButton_ && showMenuButton_) place(menuButton_, MenuSize());
  if (scrollingNeeded_) {
    TRzTabScroller* scroller = NeedScroller();
    scroller->SetOrientation(IsSide() ? orVertical : orHorizontal);
    place(scroller, 2 * s - 1);
    scroller->SetVisible(true);
  } else if (scroller_) {
    scroller_->SetBounds(-scroller_->Width() - 1, -scroller_->Height() - 1, scroller_->Width(), scroller_->Height());
  }
}
