#include "cxGeometry.h"

#include <algorithm>

#include "TypInfo.h"
#include "cxClasses.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxRect, TPersistent, TPersistent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxSize, TPersistent, TPersistent*)

TRect RectMake(int l, int t, int r, int b) { return TRect(l, t, r, b); }
TRect RectBounds(int l, int t, int w, int h) { return TRect(l, t, l + w, t + h); }
int RectWidth(const TRect& r) { return r.Right - r.Left; }
int RectHeight(const TRect& r) { return r.Bottom - r.Top; }
TSize RectSize(const TRect& r) { return TSize(RectWidth(r), RectHeight(r)); }
bool RectIsEmpty(const TRect& r) { return !(r.Left < r.Right && r.Top < r.Bottom); }
bool RectsEqual(const TRect& a, const TRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

bool RectContainsRect(const TRect& outer, const TRect& inner) {
  return inner.Left >= outer.Left && inner.Right <= outer.Right && inner.Top >= outer.Top &&
         inner.Bottom <= outer.Bottom;
}

bool RectContainsXY(const TRect& r, int x, int y) {
  return r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom;
}
bool RectContainsPoint(const TRect& r, const TPoint& p) { return RectContainsXY(r, p.X, p.Y); }

bool RectIntersect(TRect& result, const TRect& a, const TRect& b) {
  TRect overlap(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom));
  if (RectIsEmpty(overlap)) {
    result = TRect();
    return false;
  }
  result = overlap;
  return true;
}

TRect RectUnion(const TRect& a, const TRect& b) {
  if (RectWidth(b) <= 0 || RectHeight(b) <= 0) return a;
  return TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
               std::max(a.Bottom, b.Bottom));
}

TRect RectInflate(const TRect& r, int dx, int dy) { return RectInflateEdges(r, dx, dy, dx, dy); }
TRect RectInflateEdges(const TRect& r, int dl, int dt, int dr, int db) {
  return TRect(r.Left - dl, r.Top - dt, r.Right + dr, r.Bottom + db);
}
TRect RectDeflateByMargins(const TRect& r, const TRect& m) {
  return TRect(r.Left + m.Left, r.Top + m.Top, r.Right - m.Right, r.Bottom - m.Bottom);
}
TRect RectOffset(const TRect& r, int dx, int dy) { return TRect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy); }
TRect RectOffsetByPoint(const TRect& r, const TPoint& p) { return RectOffset(r, p.X, p.Y); }
TRect RectOffsetX(const TRect& r, int dx) { return RectOffset(r, dx, 0); }
TPoint RectOriginOffset(const TRect& r) { return TPoint(-r.Left, -r.Top); }

TRect RectSetLeft(const TRect& r, int x) { return TRect(x, r.Top, x + RectWidth(r), r.Bottom); }
TRect RectSetLeftWidth(const TRect& r, int x, int w) { return TRect(x, r.Top, x + w, r.Bottom); }
TRect RectSetRightWidth(const TRect& r, int x, int w) { return TRect(x - w, r.Top, x, r.Bottom); }
TRect RectSetWidth(const TRect& r, int w) { return TRect(r.Left, r.Top, r.Left + w, r.Bottom); }
TRect RectSetLeftRight(const TRect& r, int l, int rr) { return TRect(l, r.Top, rr, r.Bottom); }
TRect RectSetTopHeight(const TRect& r, int y, int h) { return TRect(r.Left, y, r.Right, y + h); }
TRect RectSetBottomHeight(const TRect& r, int y, int h) { return TRect(r.Left, y - h, r.Right, y); }
TRect RectSetHeight(const TRect& r, int h) { return TRect(r.Left, r.Top, r.Right, r.Top + h); }
TRect RectSetTopBottom(const TRect& r, int t, int b) { return TRect(r.Left, t, r.Right, b); }
TRect RectSetBottomRight(const TRect& r, const TPoint& p) { return TRect(r.Left, r.Top, p.X, p.Y); }

TPoint RectCenter(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

TRect RectCenterWH(const TRect& r, int w, int h) {
  int left = (r.Left + r.Right - w) / 2, top = (r.Top + r.Bottom - h) / 2;
  return TRect(left, top, left + w, top + h);
}
TRect RectCenterSize(const TRect& r, const TSize& size) { return RectCenterWH(r, size.cx, size.cy); }

TPoint MakePoint(int x, int y) { return TPoint(x, y); }
TPoint PointOffsetXY(const TPoint& p, int dx, int dy) { return TPoint(p.X + dx, p.Y + dy); }
TPoint PointOffset(const TPoint& p, const TPoint& d) { return PointOffsetXY(p, d.X, d.Y); }
bool PointsEqual(const TPoint& a, const TPoint& b) { return a.X == b.X && a.Y == b.Y; }
TSize MakeExtent(int cx, int cy) { return TSize(cx, cy); }
bool SizesEqual(const TSize& a, const TSize& b) { return a.cx == b.cx && a.cy == b.cy; }

// ---------------------------------------------------------------------------------------------
// TcxRect

TcxRect::TcxRect(TPersistent* owner) : owner_(owner) {}

void TcxRect::Assign(TPersistent* source) {
  // Only another rectangle is taken; anything else is ignored rather than reported.
  if (auto* other = ObjectAs<TcxRect>(source)) SetRect(other->GetRect());
}

void TcxRect::SetRect(const TRect& value) {
  if (RectsEqual(rect_, value)) return;
  rect_ = value;
  CallNotifyEvent(OnChange, this);
}

bool TcxRect::IsEqual(const TRect& value) const { return RectsEqual(rect_, value); }
bool TcxRect::IsEqual(const TcxRect* value) const { return value && IsEqual(value->GetRect()); }

int TcxRect::GetValue(int index) const {
  switch (index) {
    case 0: return rect_.Left;
    case 1: return rect_.Top;
    case 2: return rect_.Right;
    default: return rect_.Bottom;
  }
}

void TcxRect::SetValue(int index, int value) {
  TRect r = rect_;
  switch (index) {
    case 0: r.Left = value; break;
    case 1: r.Top = value; break;
    case 2: r.Right = value; break;
    case 3: r.Bottom = value; break;
    default: return;
  }
  SetRect(r);
}

// ---------------------------------------------------------------------------------------------
// TcxSize

TcxSize::TcxSize(TPersistent* owner) : owner_(owner) {}

void TcxSize::Assign(TPersistent* source) {
  if (auto* other = ObjectAs<TcxSize>(source))
    SetSize(other->GetSize());
  else
    TPersistent::Assign(source);
}

void TcxSize::SetSize(const TSize& value) {
  TSize clamped(std::max<LONG>(value.cx, 0), std::max<LONG>(value.cy, 0));
  if (SizesEqual(size_, clamped)) return;
  size_ = clamped;
  Changed();
}

int TcxSize::GetValue(int index) const { return index == 0 ? size_.cy : size_.cx; }

void TcxSize::SetValue(int index, int value) {
  TSize s = size_;
  (index == 0 ? s.cy : s.cx) = value;
  SetSize(s);
}

bool TcxSize::IsEqual(const TSize& value) const { return SizesEqual(size_, value); }
bool TcxSize::IsEqual(const TcxSize* value) const { return value && IsEqual(value->GetSize()); }

void TcxSize::Changed() { CallNotifyEvent(OnChange, this); }

// ---------------------------------------------------------------------------------------------
// Start-up: the two values are streamable while the module is loaded.

namespace {

constinit const TPropInfo RectProperties[] = {
    Published<&TcxRect::Left, &TcxRect::SetLeft>("Left"),
    Published<&TcxRect::Top, &TcxRect::SetTop>("Top"),
    Published<&TcxRect::Right, &TcxRect::SetRight>("Right"),
    Published<&TcxRect::Bottom, &TcxRect::SetBottom>("Bottom"),
};

// Each stored only when not 0.
constinit const TPropInfo SizeProperties[] = {
    Published<&TcxSize::Height, &TcxSize::SetHeight>("Height").WithDefault(0),
    Published<&TcxSize::Width, &TcxSize::SetWidth>("Width").WithDefault(0),
};

void InitializeGeometry() {
  RegisterPublishedProperties(TcxRect::StaticClass(), RectProperties);
  RegisterPublishedProperties(TcxSize::StaticClass(), SizeProperties);
  RegisterClass(TcxRect::StaticClass());
}

void FinalizeGeometry() { UnRegisterClass(TcxRect::StaticClass()); }

}  // namespace

constinit const TUnitInfo cxGeometryUnit{"cxGeometry", &InitializeGeometry, &FinalizeGeometry};
