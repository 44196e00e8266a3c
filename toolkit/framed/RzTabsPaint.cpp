// Painting of the tab control: everything goes to an off-screen bitmap (background, back rows and
// their cards, the current tab, the front card) and reaches the window in one copy.
#include <algorithm>
#include <cstdlib>

#include "RzFramedStrings.h"
#include "RzGrafx.h"
#include "RzTabs.h"
#include "RzTabsShared.h"

namespace {
enum TOutlineCommand { ocSetPen, ocNothing, ocFrameColor, ocMoveTo, ocLineTo, ocShadow30, ocShadow15 };

// A line split at its accelerator: the text before it, the marked character, the text after.
struct TAcceleratedLine {
  std::string Before, Key, After;
};
TAcceleratedLine SplitAccelerator(const std::string& line) {
  TAcceleratedLine parts;
  std::string* into = &parts.Before;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '&' && i + 1 < line.size() && line[i + 1] == '&') {
      *into += '&';
      ++i;
    } else if (line[i] == '&' && into == &parts.Before && i + 1 < line.size()) {
      parts.Key = line.substr(i + 1, 1);
      into = &parts.After;
      ++i;
    } else if (line[i] != '&') {
      *into += line[i];
    }
  }
  return parts;
}

TSize TextExtentOn(HDC dc, const std::string& text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return {size.cx, size.cy};
}

// Keeps the clip region of a device context and puts it back.
class TClipScope {
 public:
  TClipScope(HDC dc, HRGN region) : dc_(dc), saved_(CreateRectRgn(0, 0, 0, 0)) {
    if (GetClipRgn(dc_, saved_) != 1) {
      DeleteObject(saved_);
      saved_ = nullptr;
    }
    SelectClipRgn(dc_, region);
  }
  ~TClipScope() {
    SelectClipRgn(dc_, saved_);
    if (saved_) DeleteObject(saved_);
  }

 private:
  HDC dc_;
  HRGN saved_;
};
}  // namespace

TColor TRzCustomTabControl::FrameColor() const { return ShiftColorLum(flatColor_, flatColorAdjustment_); }

void TRzCustomTabControl::Paint() {
  if (painting_) return;
  painting_ = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{painting_};
  paintedOnce_ = true;
  LayoutIfNeeded();
  if (bitmap_->Width() != Width() || bitmap_->Height() != Height()) bitmap_->SetSize(Width(), Height());
  TCanvas* canvas = bitmap_->Canvas();
  const TRect client{0, 0, Width(), Height()};
  bool handled = false;
  DoPaintBackground(canvas, client, handled);
  if (!handled) {
    if (transparent_) PaintBehindControlCanvas(this, canvas, false);
    else FillSolid(canvas->Handle(), client, backgroundColor_);
  }
  PlaceStripButtons();
  for (TWinControl* button : {static_cast<TWinControl*>(scroller_), static_cast<TWinControl*>(closeButton_),
                              static_cast<TWinControl*>(menuButton_)})
    if (button) button->Invalidate();
  DrawTabs(canvas);
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), canvas->Handle(), 0, 0, SRCCOPY);
  hotRepaintOnly_ = false;
}

// Back rows and their cards first, so that each card lies over the rows behind it; then the current
// tab and the front card.
void TRzCustomTabControl::DrawTabs(TCanvas* canvas) {
  const int count = tabData_->Count();
  int firstOfFront = -1;
  for (int i = 0; i < count && firstOfFront < 0; ++i)
    if (tabData_->Items(i)->Visible && tabData_->Items(i)->Row == 0) firstOfFront = i;
  int row = rowCount_ - 1;
  if (count > 0) {
    const int start = firstOfFront > 0 ? firstOfFront - 1 : count - 1;
    for (int k = 0; k < count; ++k) {
      const int i = (start - k + count) % count;
      if (i == tabIndex_ || i < firstShownTab_ || !IsTabShown(i)) continue;
      const int tabRow = tabData_->Items(i)->Row;
      if (tabRow < row && row > 0) {
        DrawCard(canvas, row);
        row = tabRow;
      }
      DrawTab(canvas, i);
    }
  }
  if (row == 1) DrawCard(canvas, 1);
  if (tabIndex_ >= 0 && tabIndex_ < count && tabIndex_ >= firstShownTab_ && IsTabShown(tabIndex_))
    DrawTab(canvas, tabIndex_);
  DrawCard(canvas, 0);
}

std::vector<TPoint> TRzCustomTabControl::TabPolygon(int index) const {
  const TRect r = TabStripRect(index);
  const int l = r.Left, t = r.Top, rt = r.Right, b = r.Bottom, d = b - t, c = cutCornerSize_;
  std::vector<TPoint> strip;
  switch (tabStyle_) {
    case tsDoubleSlant:
      strip = softCorners_ ? std::vector<TPoint>{{l, b}, {l + d - 2, t + 2}, {l + d + 4, t}, {rt - d - 4, t}, {rt - d + 2, t + 2}, {rt, b}}
                           : std::vector<TPoint>{{l, b}, {l + d, t}, {rt - d, t}, {rt, b}};
      break;
    case tsCutCorner: strip = {{l, b}, {l, t}, {rt - c, t}, {rt, t + c}, {rt, b}}; break;
    case tsRoundCorners: strip = {{l, b}, {l, t + 2}, {l + 2, t}, {rt - 2, t}, {rt, t + 2}, {rt, b}}; break;
    case tsBackSlant:
      strip = softCorners_ ? std::vector<TPoint>{{l, b}, {l + d - 2, t + 2}, {l + d + 4, t}, {rt - 2, t}, {rt, t + 2}, {rt, b}}
                           : std::vector<TPoint>{{l, b}, {l + d, t}, {rt - 2, t}, {rt, t + 2}, {rt, b}};
      break;
    default:
      strip = softCorners_ ? std::vector<TPoint>{{l, b}, {l, t + 2}, {l + 2, t}, {rt - d - 4, t}, {rt - d + 2, t + 2}, {rt, b}}
                           : std::vector<TPoint>{{l, b}, {l, t + 2}, {l + 2, t}, {rt - d, t}, {rt, b}};
  }
  std::vector<TPoint> mapped;
  for (const TPoint& p : strip) mapped.push_back(MapPoint(p.X, p.Y));
  return mapped;
}

HRGN TRzCustomTabControl::TabRegion(int index) {
  const TRect key = TabDrawRect(index);
  if (HRGN cached = regionCache_->FindRegion(key)) return cached;
  const std::vector<TPoint> points = TabPolygon(index);
  if (points.size() < 3) return nullptr;
  HRGN region = CreatePolygonRgn(reinterpret_cast<const POINT*>(points.data()), static_cast<int>(points.size()), ALTERNATE);
  if (!region) throw Exception(LoadToolkitString(rzSErrorCreatingRegion));
  regionCache_->AddRegion(key, region);
  return region;
}

void TRzCustomTabControl::DrawTab(TCanvas* canvas, int index) {
  const TRect mapped = TabDrawRect(index);
  TRect clip, outer = mapped, overlap;
  GetClipBox(canvas->Handle(), clip.Win());
  outer.Inflate(1, 1);
  if (!IntersectRect(overlap, outer, clip)) return;
  if (HRGN region = TabRegion(index)) {
    TClipScope scope(canvas->Handle(), region);
    FillTab(canvas, index, mapped);
    DrawTabContent(canvas, index, mapped);
  }
  commands_.clear();
  Command(ocFrameColor);
  AddTabOutline(index);
  RunOutline(canvas);
}

void TRzCustomTabControl::FillTab(TCanvas* canvas, int index, const TRect& rect) {
  bool handled = false;
  DoPaintTabBackground(canvas, index, rect, handled);
  if (handled) return;
  const TRzTabData* tab = tabData_->Items(index);
  TColor selected = Color(), first = tabColors_->Unselected(), second = tabColors_->Shadow();
  if (useColoredTabs_) {
    selected = first = tab->Color;
    second = ColorToRGB(tab->Color) == ColorToRGB(clWhite) ? clBtnFace : DarkenColor(tab->Color, 30);
  }
  HDC dc = canvas->Handle();
  TRect fill = rect;
  fill.Inflate(1, 1);
  if (index == tabIndex_) return FillSolid(dc, fill, selected);
  if (!useGradients_ || !FullColorScreen) return FillSolid(dc, fill, first);
  switch (tabOrientation_) {
    case toLeft: RenderGradient(canvas, fill, gdVerticalEnd, first, second, 1); break;
    case toBottom: RenderGradient(canvas, fill, gdHorizontalEnd, second, first, 1); break;
    case toRight: RenderGradient(canvas, fill, gdVerticalEnd, second, first, 1); break;
    default: RenderGradient(canvas, fill, gdHorizontalEnd, first, second, 1);
  }
}

TRect TRzCustomTabControl::ContentRect(int index, const TRect& mapped) const {
  (void)index;
  TRect r = mapped;
  const int w = mapped.Width(), h = mapped.Height(), c = cutCornerSize_;
  const bool first = tabOrientation_ == toTop || tabOrientation_ == toLeft;  // top or left tabs
  const bool vertical = IsVerticalText();
  if (!IsSide()) {
    switch (tabStyle_) {
      case tsDoubleSlant:
        r.Inflate(1, -1);
        r.Left += Overlap(h), r.Right -= Overlap(h);
        r.Offset(1, 0);
        break;
      case tsCutCorner: r.Inflate(vertical ? -4 : -(c + 3), -1); break;
      case tsRoundCorners: r.Inflate(vertical ? -2 : -4, vertical ? -4 : -2); break;
      case tsBackSlant:
        r.Inflate(-1, -1);
        r.Left += 2 * Overlap(h) + 2;
        r.Offset(-3, 0);
        break;
      default:
        r.Inflate(-1, -1);
        r.Right -= 2 * Overlap(h) + 2;
        r.Offset(3, 0);
    }
    if (tabStyle_ != tsRoundCorners) {
      const int by = tabStyle_ == tsCutCorner ? (vertical ? c + 3 : 3) : 2;
      if (first) r.Top += by;
      else r.Bottom -= by, r.Offset(0, tabStyle_ == tsBackSlant ? -1 : 1);
    }
  } else {
    switch (tabStyle_) {
      case tsDoubleSlant:
        r.Inflate(-1, 1);
        r.Top += Overlap(w), r.Bottom -= Overlap(w);
        r.Bottom += 2;
        r.Offset(0, 1);
        break;
      case tsCutCorner: r.Inflate(-1, vertical ? -(c + 3) : -4); break;
      case tsRoundCorners: r.Inflate(vertical ? -2 : -4, vertical ? -4 : -2); break;
      case tsBackSlant:
        r.Inflate(-1, -1);
        if (first) r.Bottom -= 2 * Overlap(w) + 2, r.Offset(0, 2);
        else r.Top += 2 * Overlap(w) + 2, r.Offset(0, -2);
        r.Offset(0, -1);
        break;
      default:
        r.Inflate(-1, -1);
        if (first) r.Top += 2 * Overlap(w) + 2, r.Offset(0, -2);
        else r.Bottom -= 2 * Overlap(w) + 2, r.Offset(0, 2);
        r.Offset(0, 1);
    }
    if (tabStyle_ != tsRoundCorners) {
      const int by = tabStyle_ == tsCutCorner ? (vertical ? 5 : c + 5) : 2;
      if (first) r.Left += by;
      else r.Right -= by, r.Offset(1, 0);
    }
  }
  r.Inflate(-1, -1);
  return r;
}

TColor TRzCustomTabControl::TextColor(int index, TRzTextStyle style, TColor fallback) {
  bool handled = false;
  TColor color = fallback;
  DoGetTextColor(index, style, color, handled);
  return handled ? color : fallback;
}

void TRzCustomTabControl::DrawTabContent(TCanvas* canvas, int index, const TRect& mapped) {
  const TRzTabData* tab = tabData_->Items(index);
  HDC dc = canvas->Handle();
  const bool hot = tab->Enabled && hotTrack_ && index == hotTab_;
  const bool current = index == tabIndex_;
  // The bar along the outer edge of the hot or the current tab.
  if (tab->Enabled && hotTrackStyle_ == htsTab && hotTrack_ && (hot || current)) {
    TRect bar = mapped;
    bar.Inflate(1, 1);
    switch (tabOrientation_) {
      case toLeft: bar.Right = bar.Left + 6; break;
      case toBottom: bar.Top = bar.Bottom - 4; break;
      case toRight: bar.Left = bar.Right - 4; break;
      default: bar.Bottom = bar.Top + 6;
    }
    const TColor hotColor = hotTrackColorType_ == htctActual ? hotTrackColor_ : OppositeHueColor(hotTrackColor_, 140);
    FillSolid(dc, bar, hot ? hotColor : tabColors_->HighlightBar());
  }
  const TRect content = ContentRect(index, mapped);
  const bool hasImage = images_ && tab->ImageIndex != -1;
  const TSize image = hasImage ? TSize{images_->Width(), images_->Height()} : TSize{};
  const int margin = hasImage ? imageMargin_ : 0;
  TRect text = content, imageArea = content;
  switch (imagePosition_) {
    case ipLeft: text.Left += image.cx + margin, imageArea.Right = imageArea.Left + image.cx; break;
    case ipTop: text.Top += image.cy + margin, imageArea.Bottom = imageArea.Top + image.cy; break;
    case ipRight: text.Right -= image.cx + margin, imageArea.Left = imageArea.Right - image.cx; break;
    case ipBottom: text.Bottom -= image.cy + margin, imageArea.Top = imageArea.Bottom - image.cy; break;
    default: break;
  }
  if (hasImage) {
    int x = imageArea.Left, y = imageArea.Top;
    if (imageAlignment_ == haCenter) x += (imageArea.Width() - image.cx) / 2;
    if (imageAlignment_ == haRight) x = imageArea.Right - image.cx;
    if (imageAlignmentVertical_ == TRzVerticalAlignment::vaCenter) y += (imageArea.Height() - image.cy) / 2;
    if (imageAlignmentVertical_ == TRzVerticalAlignment::vaBottom) y = imageArea.Bottom - image.cy;
    if (tab->DisabledIndex == -1) images_->Draw(canvas, x, y, tab->ImageIndex, tab->Enabled);
    else images_->Draw(canvas, x, y, tab->Enabled ? tab->ImageIndex : tab->DisabledIndex, true);
  }
  if (!tab->Caption.empty()) {
    if (!tab->Enabled) {
      DrawCaption(canvas, index, text, TextColor(index, tsDisabledHighlight, textColors_->DisabledHighlight()), {1, 1});
      DrawCaption(canvas, index, text, TextColor(index, tsDisabledShadow, textColors_->DisabledShadow()), {0, 0});
    } else {
      const TColor color = hot ? TextColor(index, tsHotTrack, hotTrackStyle_ == htsText ? hotTrackColor_ : textColors_->Selected())
                           : current ? TextColor(index, tsSelected, textColors_->Selected())
                                     : TextColor(index, tsUnselected, textColors_->Unselected());
      DrawCaption(canvas, index, text, color, {0, 0});
    }
  }
  if (showFocusRect_ && current && Focused()) {
    TRect focus = text;
    if (IsSide()) focus.Inflate(0, 1);
    else focus.Inflate(1, 0), ++focus.Bottom;
    const RECT r = focus;
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &r);
  }
}

void TRzCustomTabControl::SelectTabFont(TCanvas* canvas) {
  LOGFONTA log{};
  log.lfHeight = workFont_.Height();
  const bool rightTabs = tabOrientation_ == toRight;
  log.lfEscapement = IsVerticalText() ? (rightTabs ? 2700 : 900) : 0;
  const TFontStyles style = workFont_.Style();
  log.lfWeight = style.Contains(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
  log.lfItalic = style.Contains(TFontStyle::fsItalic);
  log.lfUnderline = style.Contains(TFontStyle::fsUnderline);
  log.lfStrikeOut = style.Contains(TFontStyle::fsStrikeOut);
  log.lfCharSet = workFont_.Charset();
  lstrcpynA(log.lfFaceName, workFont_.Name().c_str(), LF_FACESIZE);
  HDC dc = canvas->Handle();
  const int saved = SaveDC(dc);
  if (!saved) throw Exception(LoadToolkitString(rzSErrorSavingDC));
  HFONT font = CreateFontIndirectA(&log);
  fontStack_.push_back(font);
  savedDCs_.push_back(saved);
  SelectObject(dc, font);
}

void TRzCustomTabControl::RestoreTabFont(TCanvas* canvas) {
  if (fontStack_.empty()) return;
  RestoreDC(canvas->Handle(), savedDCs_.back());
  DeleteObject(fontStack_.back());
  fontStack_.pop_back();
  savedDCs_.pop_back();
}

void TRzCustomTabControl::DrawCaption(TCanvas* canvas, int index, TRect area, TColor color, TPoint offset) {
  const TRzTabData* tab = tabData_->Items(index);
  const TFontStyles style = workFont_.Style();
  if (boldCurrentTab_ && index == tabIndex_) workFont_.SetStyle(style + TFontStyle::fsBold);
  SelectTabFont(canvas);
  HDC dc = canvas->Handle();
  const std::vector<std::string> lines = CaptionLines(tab->Caption);
  std::vector<TSize> sizes;
  int block = 0;
  for (const std::string& line : lines) {
    sizes.push_back(TextExtentOn(dc, StripHotkeyMarks(line)));
    block += sizes.back().cy;
  }
  const bool vertical = IsVerticalText(), rightTabs = tabOrientation_ == toRight;
  if (!vertical) {
    if (textAlignmentVertical_ == TRzVerticalAlignment::vaCenter) area.Top += (area.Height() - block) / 2;
    if (textAlignmentVertical_ == TRzVerticalAlignment::vaBottom) area.Top = area.Bottom - block;
  } else if (textAlignment_ == haCenter) {
    area.Left += (area.Width() - block) / 2;
  } else if (rightTabs ? textAlignment_ == haLeft : textAlignment_ == haRight) {
    if (rightTabs) area.Right = area.Left + block;
    else area.Left = area.Right - block;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(color));
  int before = 0;
  for (size_t k = 0; k < lines.size(); ++k) {
    const int length = sizes[k].cx, thickness = sizes[k].cy;
    int x, y;
    if (!vertical) {
      const int free = area.Width() - length;
      x = area.Left + (textAlignment_ == haCenter ? free / 2 : textAlignment_ == haRight ? free : 0);
      y = area.Top + before;
    } else if (rightTabs) {
      const int free = area.Height() - length;
      x = area.Right - before;
      y = area.Top + (textAlignmentVertical_ == TRzVerticalAlignment::vaCenter ? free / 2
                      : textAlignmentVertical_ == TRzVerticalAlignment::vaBottom ? free : 0);
    } else {
      const int free = area.Height() - length;
      x = area.Left + before;
      y = area.Bottom - (textAlignmentVertical_ == TRzVerticalAlignment::vaTop ? free
                         : textAlignmentVertical_ == TRzVerticalAlignment::vaCenter ? free / 2 : 0);
    }
    x += offset.X, y += offset.Y;
    const TAcceleratedLine parts = SplitAccelerator(lines[k]);
    auto piece = [&](const std::string& text) {
      if (text.empty()) return;
      TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
      const int extent = TextExtentOn(dc, text).cx;
      if (!vertical) x += extent;
      else if (rightTabs) y += extent;
      else y -= extent;
    };
    piece(parts.Before);
    if (!parts.Key.empty()) {
      const TFontStyles plain = workFont_.Style();
      if (!plain.Contains(TFontStyle::fsUnderline)) {
        workFont_.SetStyle(plain + TFontStyle::fsUnderline);
        SelectTabFont(canvas);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(color));
        piece(parts.Key);
        RestoreTabFont(canvas);
        workFont_.SetStyle(plain);
      } else {
        piece(parts.Key);
      }
    }
    piece(parts.After);
    before += thickness;
  }
  RestoreTabFont(canvas);
  workFont_.SetStyle(style);
}

// ---------------------------------------------------------------------------------------------
// Cards and outlines

void TRzCustomTabControl::DrawCard(TCanvas* canvas, int row) {
  const TRect card = CardRect(row);
  if (card == TRect{}) return;
  TRect fill = card;
  if (showCard_) ++fill.Right, ++fill.Bottom;
  bool handled = false;
  DoPaintCardBackground(canvas, row, fill, handled);
  if (!handled) {
    const bool colored = useColoredTabs_ && tabIndex_ >= 0 && tabIndex_ < tabData_->Count();
    FillSolid(canvas->Handle(), fill, colored ? tabData_->Items(tabIndex_)->Color : Color());
  }
  if (!showCardFrame_) return;
  commands_.clear();
  Command(ocFrameColor);
  AddCardOutline(row);
  RunOutline(canvas);
}

void TRzCustomTabControl::Command(int code, int x, int y) {
  commands_.push_back(code);
  if (code >= ocFrameColor) {
    commands_.push_back(x);
    commands_.push_back(y);
  }
}

void TRzCustomTabControl::AddTabOutline(int index) {
  const std::vector<TPoint> p = TabPolygon(index);
  size_t expected = 5;
  switch (tabStyle_) {
    case tsSingleSlant: case tsBackSlant: expected = softCorners_ ? 6 : 5; break;
    case tsDoubleSlant: expected = softCorners_ ? 6 : 4; break;
    case tsRoundCorners: expected = 6; break;
    default: break;
  }
  if (p.size() != expected) throw Exception(LoadToolkitString(rzSIncorrectNumberOfPoints));
  Command(ocSetPen);
  if (tabStyle_ != tsRoundCorners) {
    Command(ocMoveTo, p[0].X, p[0].Y);
    for (size_t k = 1; k < p.size(); ++k) Command(ocLineTo, p[k].X, p[k].Y);
    return;
  }
  // Two strokes, so that neither base point is drawn.
  const bool left = tabOrientation_ == toLeft;
  const TPoint& start = left ? p[1] : p[4];
  Command(ocMoveTo, start.X, start.Y);
  Command(ocLineTo, left ? p[0].X : p[5].X, left ? p[0].Y : p[5].Y);
  Command(ocMoveTo, start.X, start.Y);
  if (left)
    for (int k : {2, 3, 4, 5}) Command(ocLineTo, p[k].X, p[k].Y);
  else
    for (int k : {3, 2, 1, 0}) Command(ocLineTo, p[k].X, p[k].Y);
}

void TRzCustomTabControl::AddShadow(const TPoint c[4]) {
  if (hotRepaintOnly_) return;
  Command(ocMoveTo, c[1].X - 1, c[1].Y + 1);
  Command(ocShadow30, c[2].X - 1, c[2].Y - 1);
  Command(ocShadow30, c[3].X, c[3].Y - 1);
  Command(ocMoveTo, c[1].X - 1, c[1].Y);
  Command(ocShadow15, c[1].X, c[1].Y);
  Command(ocShadow15, c[2].X, c[2].Y);
  Command(ocShadow15, c[3].X, c[3].Y);
  Command(ocShadow15, c[3].X, c[3].Y - 1);
}

void TRzCustomTabControl::AddCardOutline(int row) {
  const TRect card = CardRect(row);
  const TPoint p[4] = {{card.Left, card.Top}, {card.Right, card.Top}, {card.Right, card.Bottom}, {card.Left, card.Bottom}};
  auto move = [this](int x, int y) { Command(ocMoveTo, x, y); };
  auto line = [this](int x, int y) { Command(ocLineTo, x, y); };
  const bool top = tabOrientation_ == toTop, shadow = top && tabSequence_ == tsStandard && showShadow_;
  Command(ocSetPen);
  const bool gap = row == 0 && tabIndex_ >= 0 && tabIndex_ < tabData_->Count() && IsTabShown(tabIndex_);
  if (!gap) {
    if (shadow) {
      move(p[0].X, p[0].Y), line(p[1].X - 2, p[1].Y), line(p[2].X - 2, p[2].Y - 2), line(p[3].X, p[3].Y - 2);
      line(p[0].X, p[0].Y);
      return AddShadow(p);
    }
    move(p[0].X, p[0].Y), line(p[1].X, p[1].Y);
    if (showFullFrame_) line(p[2].X, p[2].Y), line(p[3].X, p[3].Y), line(p[0].X, p[0].Y);
    return;
  }
  const std::vector<TPoint> shape = TabPolygon(tabIndex_);
  const TPoint firstStrip = shape.front();
  // The first point one pixel further along the strip, in control coordinates.
  TPoint g1 = firstStrip, g2 = shape.back();
  const int along = tabSequence_ == tsStandard ? 1 : -1;
  switch (tabOrientation_) {
    case toLeft: g1.Y -= along; break;
    case toRight: g1.Y += along; break;
    default: g1.X += along;
  }
  const bool full = showFullFrame_;
  if (tabStyle_ == tsRoundCorners) {
    switch (tabOrientation_) {
      case toLeft:
        if (full) move(p[3].X, p[3].Y), line(g1.X, g1.Y), move(g2.X, g2.Y), line(p[0].X, p[0].Y), line(p[1].X, p[1].Y),
                  line(p[2].X, p[2].Y), line(p[3].X - 1, p[3].Y);
        else move(p[3].X - 1, p[3].Y), line(g1.X - 1, g1.Y), move(g2.X - 1, g2.Y), line(p[0].X - 1, p[0].Y);
        return;
      case toBottom:
        --g1.X, --g2.X;
        if (full) move(p[3].X, p[3].Y), line(p[0].X, p[0].Y), line(p[1].X, p[1].Y), line(p[2].X, p[2].Y),
                  line(g2.X, g2.Y), move(g1.X, g1.Y), line(p[3].X, p[3].Y);
        else move(p[2].X, p[2].Y + 1), line(g2.X, g2.Y + 1), move(g1.X, g1.Y + 1), line(p[3].X - 1, p[3].Y + 1);
        return;
      case toRight:
        if (full) move(p[3].X, p[3].Y), line(p[0].X, p[0].Y), line(p[1].X + 1, p[1].Y), move(p[1].X, p[1].Y),
                  line(g1.X, g1.Y), move(g2.X, g2.Y), line(p[2].X, p[2].Y), line(p[3].X - 1, p[3].Y);
        else move(p[1].X + 1, p[1].Y), line(g1.X + 1, g1.Y), move(g2.X + 1, g2.Y), line(p[2].X + 1, p[2].Y + 1);
        return;
      default:
        if (shadow) {
          move(p[3].X, p[3].Y - 2), line(p[0].X, p[0].Y), line(g1.X, g1.Y), move(g2.X, g2.Y);
          line(p[1].X - 2, p[1].Y), line(p[2].X - 2, p[2].Y - 2), line(p[3].X - 1, p[3].Y - 2);
          AddShadow(p);
          Command(ocSetPen);
        } else if (full) {
          move(p[3].X, p[3].Y), line(p[0].X, p[0].Y), line(g1.X, g1.Y), move(g2.X, g2.Y), line(p[1].X, p[1].Y),
              line(p[2].X, p[2].Y), line(p[3].X - 1, p[3].Y);
        } else {
          move(p[0].X, p[0].Y), line(g1.X, g1.Y), move(g2.X, g2.Y), line(p[1].X + 1, p[1].Y);
        }
        move(g2.X, g2.Y), line(g2.X, g2.Y), line(g2.X + 1, g2.Y);
        return;
    }
  }
  switch (tabOrientation_) {
    case toLeft:
      if (full) move(p[0].X, p[0].Y), line(p[1].X, p[1].Y), line(p[2].X, p[2].Y), line(p[3].X, p[3].Y),
                line(g1.X, g1.Y), move(g2.X, g2.Y), line(p[0].X, p[0].Y);
      else move(p[3].X - 1, p[3].Y), line(g1.X - 1, g1.Y), move(g2.X - 1, g2.Y), line(p[0].X - 1, p[0].Y);
      return;
    case toBottom:
      if (full) move(p[0].X, p[0].Y), line(p[1].X, p[1].Y), line(p[2].X, p[2].Y), line(g2.X - 1, g2.Y),
                move(g1.X - 1, g1.Y), line(p[3].X, p[3].Y), line(p[0].X, p[0].Y);
      else move(p[2].X, p[2].Y + 1), line(g2.X - 1, g2.Y + 1), move(g1.X - 1, g1.Y + 1), line(p[3].X, p[3].Y + 1);
      return;
    case toRight:
      if (full) move(p[0].X, p[0].Y), line(p[1].X, p[1].Y), line(g1.X, g1.Y), move(g2.X, g2.Y), line(p[2].X, p[2].Y),
                line(p[3].X, p[3].Y), line(p[0].X, p[0].Y);
      else move(p[1].X + 1, p[1].Y), line(g1.X + 1, g1.Y), move(g2.X + 1, g2.Y), line(p[2].X + 1, p[2].Y + 1);
      return;
    default:
      if (shadow) {
        move(p[0].X, p[0].Y), line(g1.X, g1.Y), move(g2.X, g2.Y), line(p[1].X - 2, p[1].Y);
        line(p[2].X - 2, p[2].Y - 2), line(p[3].X, p[3].Y - 2), line(p[0].X, p[0].Y - 1);
        AddShadow(p);
      } else if (full) {
        move(p[0].X, p[0].Y), line(g1.X, g1.Y), move(g2.X, g2.Y), line(p[1].X, p[1].Y), line(p[2].X, p[2].Y),
            line(p[3].X, p[3].Y), line(p[0].X, p[0].Y);
      } else {
        move(p[0].X, p[0].Y), line(g1.X, g1.Y), move(g2.X, g2.Y), line(p[1].X + 1, p[1].Y);
      }
  }
}

// Runs the outline commands; shadow lines blend black into the parent's picture behind the control.
void TRzCustomTabControl::RunOutline(TCanvas* canvas) {
  bool shadows = false;
  for (size_t k = 0; k < commands_.size(); k += commands_[k] >= ocFrameColor ? 3 : 1)
    shadows = shadows || commands_[k] == ocShadow30 || commands_[k] == ocShadow15;
  std::unique_ptr<TBitmap> behind;
  if (shadows) {
    behind = std::make_unique<TBitmap>(std::max(Width(), 1), std::max(Height(), 1));
    FillSolid(behind->Canvas()->Handle(), {0, 0, Width(), Height()}, backgroundColor_);
    PaintBehindControlCanvas(this, behind->Canvas(), false);
  }
  HDC dc = canvas->Handle();
  TColor frame = FrameColor();
  HPEN pen = nullptr;
  HGDIOBJ oldPen = nullptr;
  TPoint at;
  for (size_t k = 0; k < commands_.size();) {
    const int code = commands_[k];
    const int x = code >= ocFrameColor ? commands_[k + 1] : 0, y = code >= ocFrameColor ? commands_[k + 2] : 0;
    k += code >= ocFrameColor ? 3 : 1;
    switch (code) {
      case ocSetPen: {
        HPEN fresh = CreatePen(PS_SOLID, 1, ColorToRGB(frame));
        HGDIOBJ previous = SelectObject(dc, fresh);
        if (!oldPen) oldPen = previous;
        if (pen) DeleteObject(pen);
        pen = fresh;
        break;
      }
      case ocFrameColor: frame = FrameColor(); break;
      case ocMoveTo: MoveToEx(dc, x, y, nullptr), at = {x, y}; break;
      case ocLineTo: LineTo(dc, x, y), at = {x, y}; break;
      case ocShadow30: case ocShadow15: {
        const uint8_t weight = code == ocShadow30 ? 30 : 15;
        const bool vertical = at.X == x;
        const int from = vertical ? std::min<int>(at.Y, y) : std::min<int>(at.X, x);
        const int to = vertical ? std::max<int>(at.Y, y) : std::max<int>(at.X, x);
        for (int v = from; v <= to; ++v) {
          const int px = vertical ? x : v, py = vertical ? v : y;
          const TColor under = behind ? behind->Canvas()->Pixel(px, py) : backgroundColor_;
          ::SetPixel(dc, px, py, ColorToRGB(MixColors(clBlack, under, weight)));
        }
        MoveToEx(dc, x, y, nullptr);
        at = {x, y};
        break;
      }
      default: break;
    }
  }
  if (oldPen) SelectObject(dc, oldPen);
  if (pen) DeleteObject(pen);
}
