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

namespace {

int CALLBACK CountFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return 1;
}

int FacesNamed(const char* face) {
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
  HDC dc = GetDC(nullptr);
  int count = 0;
  EnumFontFamiliesExA(dc, &wanted, CountFace, reinterpret_cast<LPARAM>(&count), 0);
  ReleaseDC(nullptr, dc);
  return count;
}

}  // namespace

// Wine's own Tahoma (the dialogs' font) and Marlett (the glyphs of the caption buttons and check
// marks) are in the prefix, so that text and pixels do not depend on the machine's fallback fonts.
TEST(Platform, WinesOwnFontsAreInThePrefix) {
  for (const char* face : {"Tahoma", "Marlett"}) EXPECT_GT(FacesNamed(face), 0) << face;
}
