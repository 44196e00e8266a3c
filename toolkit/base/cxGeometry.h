// Rectangle, point and size arithmetic for every drawing and layout routine of the toolkit, and two
// streamable values, a rectangle and a size, that report a change only when their value changes.
// Rectangles are (Left, Top, Right, Bottom) with Right and Bottom outside.
#pragma once
#include "Classes.h"
#include "Types.h"

// ---------------------------------------------------------------------------------------------
// Routines: each returns a new value and leaves its arguments alone.

TRect RectMake(int l, int t, int r, int b);
TRect RectBounds(int l, int t, int w, int h);
int RectWidth(const TRect& r);
int RectHeight(const TRect& r);
TSize RectSize(const TRect& r);
// True unless Left < Right and Top < Bottom.
bool RectIsEmpty(const TRect& r);
bool RectsEqual(const TRect& a, const TRect& b);
bool RectContainsRect(const TRect& outer, const TRect& inner);
bool RectContainsXY(const TRect& r, int x, int y);
bool RectContainsPoint(const TRect& r, const TPoint& p);
// The overlap; an empty overlap gives (0, 0, 0, 0) and false.
bool RectIntersect(TRect& result, const TRect& a, const TRect& b);
// a unchanged when b has no area; otherwise the smallest rectangle holding both (a counts even
// when it is empty).
TRect RectUnion(const TRect& a, const TRect& b);
TRect RectInflate(const TRect& r, int dx, int dy);
TRect RectInflateEdges(const TRect& r, int dl, int dt, int dr, int db);
TRect RectDeflateByMargins(const TRect& r, const TRect& margins);
TRect RectOffset(const TRect& r, int dx, int dy);
TRect RectOffsetByPoint(const TRect& r, const TPoint& p);
TRect RectOffsetX(const TRect& r, int dx);
TPoint RectOriginOffset(const TRect& r);
TRect RectSetLeft(const TRect& r, int x);
TRect RectSetLeftWidth(const TRect& r, int x, int w);
TRect RectSetRightWidth(const TRect& r, int x, int w);
TRect RectSetWidth(const TRect& r, int w);
TRect RectSetLeftRight(const TRect& r, int l, int rr);
TRect RectSetTopHeight(const TRect& r, int y, int h);
TRect RectSetBottomHeight(const TRect& r, int y, int h);
TRect RectSetHeight(const TRect& r, int h);
TRect RectSetTopBottom(const TRect& r, int t, int b);
TRect RectSetBottomRight(const TRect& r, const TPoint& p);
// Halves toward zero.
TPoint RectCenter(const TRect& r);
TRect RectCenterWH(const TRect& r, int w, int h);
TRect RectCenterSize(const TRect& r, const TSize& size);
TPoint MakePoint(int x, int y);
TPoint PointOffsetXY(const TPoint& p, int dx, int dy);
TPoint PointOffset(const TPoint& p, const TPoint& d);
bool PointsEqual(const TPoint& a, const TPoint& b);
TSize MakeExtent(int cx, int cy);
bool SizesEqual(const TSize& a, const TSize& b);

// ---------------------------------------------------------------------------------------------
// Streamable rectangle: published Left, Top, Right, Bottom.
class TcxRect : public TPersistent {
  CALDERAN_CLASS(TcxRect)
  explicit TcxRect(TPersistent* owner = nullptr);

  void Assign(TPersistent* source) override;
  const TRect& GetRect() const { return rect_; }
  // Stores and fires OnChange only when the rectangle differs.
  void SetRect(const TRect& value);
  bool IsEqual(const TRect& value) const;
  bool IsEqual(const TcxRect* value) const;

  // Index 0 Left, 1 Top, 2 Right, 3 Bottom; any other index reads Bottom (and writes nothing).
  int GetValue(int index) const;
  void SetValue(int index, int value);
  int Left() const { return rect_.Left; }
  int Top() const { return rect_.Top; }
  int Right() const { return rect_.Right; }
  int Bottom() const { return rect_.Bottom; }
  void SetLeft(int v) { SetValue(0, v); }
  void SetTop(int v) { SetValue(1, v); }
  void SetRight(int v) { SetValue(2, v); }
  void SetBottom(int v) { SetValue(3, v); }

  TPersistent* GetOwner() override { return owner_; }

  TNotifyEvent OnChange;

 private:
  TPersistent* owner_;
  TRect rect_;
};

// Streamable size: published Height (index 0) and Width (index 1), each stored only when not 0.
class TcxSize : public TPersistent {
  CALDERAN_CLASS(TcxSize)
  explicit TcxSize(TPersistent* owner = nullptr);

  void Assign(TPersistent* source) override;
  const TSize& GetSize() const { return size_; }
  // Clamps both components to 0 or more; stores and fires OnChange only when the result differs.
  virtual void SetSize(const TSize& value);
  virtual int GetValue(int index) const;
  void SetValue(int index, int value);
  virtual bool IsValueStored(int index) const { return GetValue(index) != 0; }
  bool IsEqual(const TSize& value) const;
  bool IsEqual(const TcxSize* value) const;
  int Height() const { return GetValue(0); }
  int Width() const { return GetValue(1); }
  void SetHeight(int v) { SetValue(0, v); }
  void SetWidth(int v) { SetValue(1, v); }

  TPersistent* GetOwner() override { return owner_; }

  TNotifyEvent OnChange;

 protected:
  virtual void Changed();

 private:
  TPersistent* owner_;
  TSize size_;
};

// Start-up and shut-down of this module.
extern const TUnitInfo cxGeometryUnit;
