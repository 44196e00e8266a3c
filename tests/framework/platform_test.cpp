// The test environment itself: a headless prefix must give real windows, messages and painting,
// or every windowed test after this one would fail for the wrong reason.
#include "calderan_test.h"

TEST(Platform, HeadlessWindowsPaintIntoTheirSurface) {
  HWND wnd = CreateWindowExA(0, "STATIC", "probe", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr,
                             nullptr, nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  HDC dc = GetDC(wnd);
  RECT r{0, 0, 10, 10};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &r, red);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
  DeleteObject(red);
  ReleaseDC(wnd, dc);
  EXPECT_TRUE(DestroyWindow(wnd));
}
