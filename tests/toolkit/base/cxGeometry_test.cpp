#include "calderan_test.h"

#include <string>
#include <vector>

#include "TypInfo.h"
#include "cxBaseUnits.h"
#include "cxGeometry.h"

static void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
static void PrintTo(const TPoint& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }

namespace {

TEST(RectRoutines, IntersectUnionAndEmptinessAtTheEdges) {
  struct Case { const char* name; TRect a, b, overlap; bool overlaps; TRect united; } cases[] = {
      {"touching edges do not overlap", {0, 0, 10, 10}, {10, 0, 20, 10}, {}, false, {0, 0, 20, 10}},
      {"overlap", {0, 0, 10, 10}, {5, 5, 20, 20}, {5, 5, 10, 10}, true, {0, 0, 20, 20}},
      {"inside", {0, 0, 10, 10}, {2, 3, 4, 5}, {2, 3, 4, 5}, true, {0, 0, 10, 10}},
      {"negative coordinates", {-10, -10, -2, -2}, {-5, -20, 0, -4}, {-5, -10, -2, -4}, true, {-10, -20, 0, -2}},
      {"b without width leaves a", {5, 5, 6, 6}, {0, 0, 0, 10}, {}, false, {5, 5, 6, 6}},
      {"b inverted leaves a", {5, 5, 6, 6}, {9, 9, 1, 1}, {}, false, {5, 5, 6, 6}},
      {"empty a still counts", {0, 0, 0, 0}, {5, 5, 6, 6}, {}, false, {0, 0, 6, 6}},
      {"inverted a", {10, 10, 0, 0}, {0, 0, 10, 10}, {}, false, {0, 0, 10, 10}},
  };
  for (const Case& c : cases) {
    TRect overlap(1, 2, 3, 4);
    EXPECT_EQ(RectIntersect(overlap, c.a, c.b), c.overlaps) << c.name;
    EXPECT_EQ(overlap, c.overlap) << c.name;
    EXPECT_EQ(RectUnion(c.a, c.b), c.united) << c.name;
  }
}

TEST(RectRoutines, EmptinessAndContainment) {
  struct Case { TRect r; bool empty; } emptiness[] = {
      {{0, 0, 1, 1}, false}, {{0, 0, 0, 1}, true}, {{0, 0, 1, 0}, true},
      {{5, 5, 4, 6}, true},  {{-3, -3, -1, -2}, false},
  };
  for (const Case& c : emptiness) EXPECT_EQ(RectIsEmpty(c.r), c.empty) << ::testing::PrintToString(c.r);

  const TRect r(0, 0, 10, 5);
  EXPECT_TRUE(RectContainsXY(r, 0, 0));
  EXPECT_FALSE(RectContainsXY(r, 10, 0));  // right and bottom lie outside
  EXPECT_FALSE(RectContainsXY(r, 0, 5));
  EXPECT_TRUE(RectContainsPoint(r, TPoint(9, 4)));
  EXPECT_FALSE(RectContainsPoint(r, TPoint(-1, 2)));
  EXPECT_TRUE(RectContainsRect(r, r));
  EXPECT_TRUE(RectContainsRect(r, TRect(2, 2, 2, 2)));
  EXPECT_FALSE(RectContainsRect(r, TRect(2, 2, 11, 3)));
}

TEST(RectRoutines, Builders) {
  const TRect r(10, 20, 30, 60);
  struct Case { const char* name; TRect result, expected; } cases[] = {
      {"RectBounds", RectBounds(1, 2, 3, 4), {1, 2, 4, 6}},
      {"RectInflate negative", RectInflate(r, -2, -3), {12, 23, 28, 57}},
      {"RectInflateEdges", RectInflateEdges(r, 1, 2, 3, 4), {9, 18, 33, 64}},
      {"RectDeflateByMargins", RectDeflateByMargins(r, TRect(1, 2, 3, 4)), {11, 22, 27, 56}},
      {"RectOffset", RectOffset(r, -10, 5), {0, 25, 20, 65}},
      {"RectOffsetByPoint", RectOffsetByPoint(r, TPoint(1, 1)), {11, 21, 31, 61}},
      {"RectOffsetX", RectOffsetX(r, 4), {14, 20, 34, 60}},
      {"RectSetLeft keeps width", RectSetLeft(r, 0), {0, 20, 20, 60}},
      {"RectSetLeftWidth", RectSetLeftWidth(r, 5, 2), {5, 20, 7, 60}},
      {"RectSetRightWidth", RectSetRightWidth(r, 5, 2), {3, 20, 5, 60}},
      {"RectSetWidth", RectSetWidth(r, -4), {10, 20, 6, 60}},
      {"RectSetLeftRight", RectSetLeftRight(r, 1, 2), {1, 20, 2, 60}},
      {"RectSetTopHeight", RectSetTopHeight(r, 0, 7), {10, 0, 30, 7}},
      {"RectSetBottomHeight", RectSetBottomHeight(r, 10, 7), {10, 3, 30, 10}},
      {"RectSetHeight", RectSetHeight(r, 1), {10, 20, 30, 21}},
      {"RectSetTopBottom", RectSetTopBottom(r, 1, 2), {10, 1, 30, 2}},
      {"RectSetBottomRight", RectSetBottomRight(r, TPoint(0, 0)), {10, 20, 0, 0}},
      {"RectCenterWH", RectCenterWH(r, 5, 5), {17, 37, 22, 42}},
      {"RectCenterWH halves toward zero", RectCenterWH(TRect(-4, -4, 0, 0), 1, 1), {-2, -2, -1, -1}},
      {"RectCenterSize", RectCenterSize(r, TSize(20, 40)), {10, 20, 30, 60}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.name;
  EXPECT_EQ(RectCenter(TRect(-3, -3, 0, 0)), TPoint(-1, -1));
  EXPECT_EQ(RectCenter(TRect(0, 0, 3, 3)), TPoint(1, 1));
  EXPECT_EQ(RectOriginOffset(r), TPoint(-10, -20));
  EXPECT_EQ(RectSize(r), TSize(20, 40));
  EXPECT_EQ(RectWidth(TRect(5, 0, 2, 0)), -3);
  EXPECT_TRUE(PointsEqual(PointOffset(MakePoint(1, 2), TPoint(3, 4)), PointOffsetXY(TPoint(0, 0), 4, 6)));
  EXPECT_TRUE(SizesEqual(MakeExtent(1, 2), TSize(1, 2)));
  EXPECT_FALSE(RectsEqual(r, RectOffset(r, 0, 1)));
}

struct TChangeCounter : TObject {
  std::vector<TObject*> senders;
  void Changed(TObject* sender) { senders.push_back(sender); }
};

TEST(RectValue, ChangesOnlyWhenTheValueChanges) {
  TChangeCounter counter;
  TcxRect value;
  value.OnChange = MakeEvent(&counter, &TChangeCounter::Changed);
  value.SetRect(TRect(0, 0, 0, 0));
  EXPECT_TRUE(counter.senders.empty());
  value.SetRight(5);
  value.SetRight(5);
  value.SetValue(9, 7);  // no such coordinate: nothing
  EXPECT_EQ(counter.senders, std::vector<TObject*>{&value});
  EXPECT_EQ(value.GetRect(), TRect(0, 0, 5, 0));
  value.SetValue(3, 8);
  EXPECT_EQ(value.GetValue(7), 8);  // any other index reads Bottom
  EXPECT_EQ(value.GetValue(0), 0);
  TcxRect copy;
  copy.Assign(&value);
  EXPECT_TRUE(copy.IsEqual(&value));
  TcxSize size;
  copy.Assign(&size);  // anything else is ignored
  EXPECT_TRUE(copy.IsEqual(value.GetRect()));
}

TEST(SizeValue, ClampsToZeroAndFiresOnce) {
  TChangeCounter counter;
  TPersistent owner;
  TcxSize size(&owner);
  EXPECT_EQ(size.GetOwner(), &owner);
  size.OnChange = MakeEvent(&counter, &TChangeCounter::Changed);
  size.SetSize(TSize(-5, 7));
  EXPECT_EQ(size.GetSize(), TSize(0, 7));
  EXPECT_EQ(counter.senders.size(), 1u);
  size.SetSize(TSize(0, 7));
  size.SetSize(TSize(-1, 7));
  EXPECT_EQ(counter.senders.size(), 1u);
  EXPECT_EQ(size.Height(), 7);
  EXPECT_EQ(size.Width(), 0);
  EXPECT_TRUE(size.IsValueStored(0));
  EXPECT_FALSE(size.IsValueStored(1));
  size.SetWidth(3);
  EXPECT_EQ(size.GetSize(), TSize(3, 7));
  TcxRect rect;
  EXPECT_THROW(size.Assign(&rect), EConvertError);
}

TEST(GeometryUnit, ValuesAreStreamableOnceStarted) {
  StartToolkitBaseUnits();
  EXPECT_EQ(GetClass("TcxRect"), TcxRect::StaticClass());
  const TPropInfo* right = FindPublishedProperty(TcxRect::StaticClass(), "Right");
  ASSERT_NE(right, nullptr);
  TcxRect rect;
  right->SetOrd(&rect, 12);
  EXPECT_EQ(rect.GetRect(), TRect(0, 0, 12, 0));
  const TPropInfo* width = FindPublishedProperty(TcxSize::StaticClass(), "Width");
  ASSERT_NE(width, nullptr);
  EXPECT_TRUE(width->HasDefault);  // a zero width is left out of stored forms
  EXPECT_EQ(width->Default, 0);
  StopUnits();
  EXPECT_EQ(GetClass("TcxRect"), nullptr);
}

}  // namespace
