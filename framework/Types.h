// Points, rectangles and sizes with the field names the whole code base uses. Each is laid out like
// its Win32 counterpart (POINT, RECT, SIZE), so a pointer converts for the W/A calls.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>

struct TPoint {
  LONG X = 0, Y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(LONG x, LONG y) : X(x), Y(y) {}
  TPoint(const POINT& p) : X(p.x), Y(p.y) {}
  operator POINT() const { return POINT{X, Y}; }
  POINT* Win() { return reinterpret_cast<POINT*>(this); }
  const POINT* Win() const { return reinterpret_cast<const POINT*>(this); }
  constexpr bool operator==(const TPoint&) const = default;
  constexpr TPoint operator+(TPoint o) const { return {X + o.X, Y + o.Y}; }
  constexpr TPoint operator-(TPoint o) const { return {X - o.X, Y - o.Y}; }
};

// Right and Bottom lie outside the rectangle.
struct TRect {
  LONG Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr TRect() = default;
  constexpr TRect(LONG l, LONG t, LONG r, LONG b) : Left(l), Top(t), Right(r), Bottom(b) {}
  constexpr TRect(TPoint topLeft, TPoint bottomRight)
      : Left(topLeft.X), Top(topLeft.Y), Right(bottomRight.X), Bottom(bottomRight.Y) {}
  TRect(const RECT& r) : Left(r.left), Top(r.top), Right(r.right), Bottom(r.bottom) {}
  operator RECT() const { return RECT{Left, Top, Right, Bottom}; }
  RECT* Win() { return reinterpret_cast<RECT*>(this); }
  const RECT* Win() const { return reinterpret_cast<const RECT*>(this); }

  constexpr LONG Width() const { return Right - Left; }
  constexpr LONG Height() const { return Bottom - Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  constexpr void Offset(LONG dx, LONG dy) { Left += dx; Right += dx; Top += dy; Bottom += dy; }
  constexpr void Inflate(LONG dx, LONG dy) { Left -= dx; Right += dx; Top -= dy; Bottom += dy; }
  constexpr bool operator==(const TRect&) const = default;
};

struct TSize {
  LONG cx = 0, cy = 0;
  constexpr TSize() = default;
  constexpr TSize(LONG w, LONG h) : cx(w), cy(h) {}
  SIZE* Win() { return reinterpret_cast<SIZE*>(this); }
  constexpr bool operator==(const TSize&) const = default;
};

static_assert(sizeof(TPoint) == sizeof(POINT) && sizeof(TRect) == sizeof(RECT) && sizeof(TSize) == sizeof(SIZE));

constexpr TPoint Point(LONG x, LONG y) { return {x, y}; }
constexpr TRect Rect(LONG left, LONG top, LONG right, LONG bottom) { return {left, top, right, bottom}; }
constexpr TRect Bounds(LONG left, LONG top, LONG width, LONG height) { return {left, top, left + width, top + height}; }
constexpr bool PtInRect(const TRect& r, TPoint p) { return r.Contains(p); }

// The overlap of two rectangles; false (and an empty result) when they do not overlap.
inline bool IntersectRect(TRect& result, const TRect& a, const TRect& b) {
  result = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
  if (result.IsEmpty()) { result = {}; return false; }
  return true;
}
