#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "Forms.h"
#include "Menus.h"
#include "SysUtils.h"
#include "cxBaseUnits.h"
#include "cxControlsRoutines.h"
#include "routines_fixture.h"
#include "cxGraphics.h"

static void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

namespace {

struct ControlsTest : ::testing::Test {
  ControlsTest() {
    UsePrivateDesktop();  // its own cursor position, too
    StartToolkitBaseUnits();
  }
};

TEST(Captions, AcceleratorCharactersRemoved) {
  struct Case { std::string caption; bool underscore; std::string text; } cases[] = {
      {"&File", true, "File"},   {"A&&B", true, "A&B"},  {"Save&", true, "Save_"}, {"Save&", false, "Save"},
      {"&&&x", true, "&x"},      {"plain", false, "plain"}, {"", true, ""},       {"&", true, "_"},
  };
  for (const Case& c : cases) EXPECT_EQ(RemoveAccelChars(c.caption, c.underscore), c.text) << c.caption;
}

TEST(Characters, NumericInputByMode) {
  const char sep = FormatSettings().DecimalSeparator;
  struct Case { char c; int mode; bool allowed; } cases[] = {
      {'7', 0, true}, {'+', 0, true}, {'-', 3, true}, {sep, 0, false}, {sep, 1, true}, {sep, 2, true},
      {'e', 1, false}, {'e', 2, true}, {'E', 2, true}, {'E', 3, false}, {'x', 2, false}, {' ', 1, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsNumericInputChar(c.c, c.mode), c.allowed) << c.c << " mode " << c.mode;
  EXPECT_FALSE(IsPrintableChar(31));
  EXPECT_TRUE(IsPrintableChar(32));
  EXPECT_EQ(NormalizeKeyCode(VK_F5), VK_F5);
}

TEST(Mouse, ShiftStateToMouseKeysAndTheDragArea) {
  EXPECT_EQ(ShiftStateToMouseKeys({ssShift, ssCtrl, ssLeft, ssRight, ssMiddle}),
            WPARAM(MK_SHIFT | MK_CONTROL | MK_LBUTTON | MK_RBUTTON | MK_MBUTTON));
  EXPECT_EQ(ShiftStateToMouseKeys({ssAlt, ssDouble}), WPARAM(0));
  EXPECT_EQ(ShiftStateToMouseKeys({ssRight}), WPARAM(MK_RBUTTON));
  struct Case { int x, y; bool inside; } cases[] = {
      {10, 10, true}, {14, 6, true}, {15, 10, false}, {10, 5, false}, {6, 14, true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPointInDragDetectArea(TPoint(10, 10), c.x, c.y), c.inside) << c.x << "," << c.y;
}

HWND MakeWindow(HWND parent, int x, int y) {
  DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP;
  return CreateWindowExA(0, "STATIC", "", style, x, y, 50, 40, parent, nullptr, nullptr, nullptr);
}

TEST_F(ControlsTest, WindowRelationsAndCoordinateMapping) {
  HWND top = MakeWindow(nullptr, 100, 50);
  HWND child = MakeWindow(top, 10, 20);
  HWND grandChild = MakeWindow(child, 1, 2);
  HWND other = MakeWindow(nullptr, 0, 0);
  ASSERT_TRUE(top && child && grandChild && other);
  EXPECT_FALSE(IsParentWindowOf(top, top));
  EXPECT_TRUE(IsParentWindowOf(top, grandChild));
  EXPECT_FALSE(IsParentWindowOf(grandChild, top));
  EXPECT_FALSE(IsParentWindowOf(nullptr, top));
  EXPECT_TRUE(IsWindowOrDescendant(top, top));
  EXPECT_TRUE(IsWindowOrDescendant(top, grandChild));
  EXPECT_FALSE(IsWindowOrDescendant(top, other));
  EXPECT_FALSE(IsWindowOrDescendant(nullptr, nullptr));
  EXPECT_TRUE(IsChildWindowStyle(child));
  EXPECT_FALSE(IsChildWindowStyle(top));
  EXPECT_EQ(MapPointBetweenWindows(grandChild, nullptr, TPoint(0, 0)), TPoint(111, 72));
  EXPECT_EQ(MapPointBetweenWindows(nullptr, child, TPoint(110, 70)), TPoint(0, 0));
  EXPECT_EQ(MapRectBetweenWindows(child, top, TRect(0, 0, 5, 5)), TRect(10, 20, 15, 25));
  DestroyWindow(other);
  DestroyWindow(top);
}

// The test prefix's null display is one 1024 x 768 monitor whose work area is all of it: every
// point, on it or far off it, has that monitor nearest.
TEST_F(ControlsTest, WorkAreaOfTheNearestMonitor) {
  for (TPoint p : {TPoint(10, 10), TPoint(100000, -100000), TPoint(-5000, 300)})
    EXPECT_EQ(GetWorkAreaAtPoint(p), TRect(0, 0, 1024, 768)) << p.X << ", " << p.Y;
}

TEST_F(ControlsTest, CursorPositionIsWhereItWasPut) {
  for (TPoint p : {TPoint(123, 45), TPoint(0, 767)}) {
    ASSERT_TRUE(SetCursorPos(p.X, p.Y));
    EXPECT_EQ(GetCursorPosSafe(), p);
  }
}

TEST_F(ControlsTest, StartUpRegistersMessagesAndCursors) {
  EXPECT_NE(CXM_QUERYOWNSKIN, 0u);
  EXPECT_EQ(CXM_QUERYOWNSKIN, RegisterWindowMessageA("{B2CE3777-44D8-4998-9701-47BBBC10B656}"));
  EXPECT_EQ(CXM_SKINSTATECHANGED, RegisterWindowMessageA("{B2CE3777-44D8-1321-4656-12C54AA613BB}"));
  EXPECT_NE(CXM_QUERYOWNSKIN, CXM_SKINSTATECHANGED);
  for (int id = crcxDragCopy; id <= crcxColorPicker; ++id) {
    HCURSOR cursor = Screen->Cursors(id);
    EXPECT_NE(cursor, Screen->Cursors(crDefault)) << id;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info)) << id;
    EXPECT_FALSE(info.fIcon);
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32) << id;
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
  EXPECT_EQ(Screen->Cursors(crcxHandPoint), LoadCursorA(nullptr, IDC_HAND));
  EXPECT_TRUE(IsWinXPOrLater());  // whatever later version the system reports
}


TEST_F(ControlsTest, PopupMenusThroughTheirHandlerOrTheFramework) {
  TMessage key{};
  key.Msg = WM_KEYDOWN;
  key.WParam = VK_F2;
  EXPECT_FALSE(ShowPopupMenu(nullptr, nullptr, 0, 0));
  EXPECT_FALSE(IsPopupMenuShortCut(nullptr, key));

  TMenuHandler handler(nullptr);
  EXPECT_TRUE(ShowPopupMenu(nullptr, &handler, 5, 6));
  EXPECT_EQ(handler.shownAt, TPoint(5, 6));
  EXPECT_FALSE(IsPopupMenuShortCut(&handler, key));
  handler.shortCut = true;
  EXPECT_TRUE(IsPopupMenuShortCut(&handler, key));

  TPopupMenu menu(nullptr);
  menu.SetAutoPopup(false);
  EXPECT_FALSE(ShowPopupMenu(nullptr, &menu, 0, 0));  // shows nothing
  EXPECT_EQ(menu.WindowHandle(), nullptr);
  EXPECT_FALSE(IsPopupMenuShortCut(&menu, key));  // no menu handle yet
  TComponent plain(nullptr);
  EXPECT_FALSE(ShowPopupMenu(nullptr, &plain, 0, 0));
}

TEST_F(ControlsTest, PopupMenuHeightCountsVisibleItems) {
  TPopupMenu menu(nullptr);
  for (const char* caption : {"One", "Two", "Hidden"}) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    menu.Items()->Add(item);
  }
  menu.Items()->Items(2)->SetVisible(false);
  TcxScreenCanvas canvas;
  canvas.SetFont(Screen->MenuFont());
  const int line = canvas.TextHeight("Qg") + 4;
  EXPECT_EQ(GetPopupMenuHeight(&menu), 2 * line + 4);
}

TEST_F(ControlsTest, HandlesCanBeMadeUnderAParentWithAWindow) {
  HWND host = MakeWindow(nullptr, 0, 0);
  auto* outer = new TWinControl(nullptr);
  auto* inner = new TWinControl(outer);
  inner->SetParent(outer);
  EXPECT_FALSE(CanAllocateHandle(inner));
  outer->SetParentWindow(host);
  EXPECT_TRUE(CanAllocateHandle(inner));
  EXPECT_FALSE(CanAllocateHandle(nullptr));
  inner->SetParent(nullptr);
  delete inner;
  delete outer;
  DestroyWindow(host);
}

}  // namespace
