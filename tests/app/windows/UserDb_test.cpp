#include "calderan_test.h"

#include <string>
#include <vector>

#include "UserDb.h"
#include "message_pump.h"

namespace {

constexpr UINT kReport = WM_USER + 100;

// The window that receives the reports: a plain top-level window that records every rectangle.
struct TReports {
  std::vector<RECT> rects;
};
TReports* reports = nullptr;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kReport && reports) {
    const auto* edges = reinterpret_cast<const INT32*>(wParam);
    reports->rects.push_back({edges[0], edges[1], edges[2], edges[3]});
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class SelRectTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    WNDCLASSA cls{};
    cls.lpfnWndProc = ReceiverProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "SelRectTestReceiver";
    RegisterClassA(&cls);
  }
  void SetUp() override {
    reports = &log;
    parent = CreateWindowExA(0, "SelRectTestReceiver", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    // The clip editor's 720 x 576 case: a window of 338 x 270 at 11, 0.
    window = SCCreateSelrectWnd(parent, GetModuleHandleA(""), 11, 0, 338, 270);
    SCSetMSGWnd(parent);
    SCSetMSGRectID(kReport);
  }
  void TearDown() override {
    SCDestroySelrectWnd();
    DestroyWindow(parent);
    reports = nullptr;
  }
  void Drag(POINT from, POINT to) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(from.x, from.y));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(to.x, to.y));
    SendMessageA(window, WM_LBUTTONUP, 0, ClientPoint(to.x, to.y));
  }
  RECT Last() { return log.rects.empty() ? RECT{-1, -1, -1, -1} : log.rects.back(); }
  TReports log;
  HWND parent = nullptr, window = nullptr;
};

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

TEST_F(SelRectTest, IsAChildWindowAtThePlaceAndSizeAsked) {
  ASSERT_TRUE(window);
  EXPECT_EQ(GetParent(window), parent);
  EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 338);
  EXPECT_EQ(client.bottom, 270);
  POINT origin{0, 0};
  MapWindowPoints(window, parent, &origin, 1);
  EXPECT_EQ(origin.x, 11);
  EXPECT_EQ(origin.y, 0);
}

TEST_F(SelRectTest, MouseDragsReportEveryChangeClampedAndNeverInverted) {
  struct TCase {
    const char* what;
    POINT from, to;
    const char* expected;
  };
  const TCase cases[] = {
      {"inside moves the whole rectangle", {150, 100}, {170, 90}, "120,40,220,140"},
      {"moved past the window's corner stops at it, size kept", {150, 100}, {0, 0}, "0,0,100,100"},
      {"moved past the far corner stops there", {150, 100}, {1000, 1000}, "238,170,338,270"},
      {"left edge past the right edge stops a pixel before it", {100, 100}, {400, 100}, "199,50,200,150"},
      {"right edge out of the window stops at its edge", {200, 100}, {900, 100}, "100,50,338,150"},
      {"corner past the opposite corner keeps one pixel", {200, 150}, {-50, -50}, "100,50,101,51"},
      {"top edge above the window stops at 0", {150, 50}, {150, -40}, "100,0,200,150"},
  };
  for (const TCase& c : cases) {
    SCSetRect(100, 50, 200, 150);
    log.rects.clear();
    Drag(c.from, c.to);
    ASSERT_EQ(log.rects.size(), 1u) << c.what;
    EXPECT_EQ(Text(Last()), c.expected) << c.what;
  }
}

TEST_F(SelRectTest, EachHandleMovesItsOwnEdges) {
  struct TCase {
    const char* what;
    POINT grab;
    const char* expected;
  };
  const TCase cases[] = {
      {"top-left corner", {100, 50}, "90,40,200,150"},      {"top-right corner", {200, 50}, "100,40,190,150"},
      {"bottom-left corner", {100, 150}, "90,50,200,140"},  {"bottom-right corner", {200, 150}, "100,50,190,140"},
      {"top edge", {150, 50}, "100,40,200,150"},           {"bottom edge", {150, 150}, "100,50,200,140"},
      {"left edge", {100, 100}, "90,50,200,150"},           {"right edge", {200, 100}, "100,50,190,150"},
  };
  for (const TCase& c : cases) {
    SCSetRect(100, 50, 200, 150);
    log.rects.clear();
    Drag(c.grab, {c.grab.x - 10, c.grab.y - 10});
    ASSERT_EQ(log.rects.size(), 1u) << c.what;
    EXPECT_EQ(Text(Last()), c.expected) << c.what;
  }
}

TEST_F(SelRectTest, SetRectOrdersAndClampsAndReportsNothing) {
  SCSetRect(300, 400, -20, 10);  // inverted and outside
  Drag({5, 200}, {6, 200});      // the left edge, one pixel: the report shows the stored rectangle
  EXPECT_EQ(Text(Last()), "1,10,301,270");
  log.rects.clear();
  SCSetRect(10, 10, 20, 20);
  EXPECT_TRUE(log.rects.empty());
}

TEST_F(SelRectTest, AClickOutsideTheRectangleDoesNothing) {
  SCSetRect(100, 50, 200, 150);
  Drag({20, 20}, {60, 60});
  EXPECT_TRUE(log.rects.empty());
}

// The bitmap file becomes the background; the outline stands out on dark and light pictures.
TEST_F(SelRectTest, DrawsTheBackgroundFileAndTheOutlineOnDarkAndLight) {
  for (COLORREF colour : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, 338, 270);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, picture);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, 338, 270};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    char path[MAX_PATH], folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "sel", 0, path);
    // Saved through an OLE-free route: a plain BITMAPFILEHEADER + 32-bit rows.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 338, 270, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> bits(338 * 270 * 4);
    HDC any = GetDC(nullptr);
    GetDIBits(any, picture, 0, 270, bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, any);
    DeleteObject(picture);
    BITMAPFILEHEADER head{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + bits.size()),
                          0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(file, &head, sizeof head, &written, nullptr);
    WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(file, bits.data(), bits.size(), &written, nullptr);
    CloseHandle(file);

    ASSERT_TRUE(SCDrawBackGround(path));
    SCSetRect(100, 50, 200, 150);
    UpdateWindow(window);
    HDC windowDc = GetDC(window);
    EXPECT_EQ(GetPixel(windowDc, 150, 100), colour) << "inside shows the picture";
    // The outline has black and white pixels whatever the picture.
    bool black = false, white = false;
    for (int x = 110; x < 190; ++x) {
      const COLORREF c = GetPixel(windowDc, x, 50);
      black |= c == RGB(0, 0, 0);
      white |= c == RGB(255, 255, 255);
    }
    EXPECT_TRUE(black && white);
    ReleaseDC(window, windowDc);
    DeleteFileA(path);
  }
}

TEST_F(SelRectTest, DestroyRemovesTheWindowAndAMissingFileIsRefused) {
  EXPECT_FALSE(SCDrawBackGround("Z:\\no\\such\\picture.bmp"));
  EXPECT_TRUE(SCDestroySelrectWnd());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(SCSetRect(1, 1, 2, 2));
}

}  // namespace
