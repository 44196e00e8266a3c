#include "calderan_test.h"

#include "cxGraphicsRoutines.h"
#include "lookandfeel_fixture.h"

namespace {

class UxTheme : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartLookAndFeelUnits(); }
};

TEST_F(UxTheme, VersionRuleLoadsTheLibraryFromWindowsXPOn) {
  struct {
    DWORD major, minor;
    bool xp;
  } cases[] = {{4, 0, false}, {5, 0, false}, {5, 1, true}, {5, 2, true}, {6, 0, true}, {6, 1, true}, {10, 0, true}};
  for (auto c : cases) {
    OSVERSIONINFOA v{};
    v.dwMajorVersion = c.major;
    v.dwMinorVersion = c.minor;
    EXPECT_EQ(DetectWinXPOrNewer(v), c.xp) << c.major << "." << c.minor;
  }
  EXPECT_EQ(LoadVisualStylesLibrary(false), nullptr) << "Windows 2000 never loads it, even when present";
  HMODULE library = LoadVisualStylesLibrary(true);
  EXPECT_NE(library, nullptr);
  if (library) FreeLibrary(library);
}

TEST_F(UxTheme, StartUpBindsEveryFunctionByName) {
  ASSERT_TRUE(IsVisualStylesLibraryLoaded());
  EXPECT_TRUE(IsWinXPOrNewer());
#define CHECK_BOUND(name) EXPECT_NE(UxThemeFunctions.name, nullptr) << #name;
  DX_UXTHEME_FUNCTIONS(CHECK_BOUND)
#undef CHECK_BOUND
  EXPECT_NE(UxIsThemeActive(), 0);
  EXPECT_EQ(cxDrawThemeParentBackgroundProc(), &UxDrawThemeParentBackground) << "the graphics routines' parent background";
}

TEST_F(UxTheme, NamesTheLibraryLacksStayUnboundAndTheirWrappersFail) {
  TUxThemeFunctionsSaver saver;
  BindVisualStylesFunctions(GetModuleHandleA("kernel32.dll"));
#define CHECK_UNBOUND(name) EXPECT_EQ(UxThemeFunctions.name, nullptr) << #name;
  DX_UXTHEME_FUNCTIONS(CHECK_UNBOUND)
#undef CHECK_UNBOUND
  EXPECT_EQ(UxIsThemeActive(), 0);
  EXPECT_EQ(UxOpenThemeData(nullptr, L"Button"), nullptr);
  EXPECT_EQ(UxCloseThemeData(nullptr), E_NOTIMPL);
  RECT r{0, 0, 10, 10};
  EXPECT_EQ(UxDrawThemeBackground(nullptr, nullptr, 1, 1, &r, nullptr), E_NOTIMPL);
  EXPECT_EQ(UxBufferedPaintInit(), E_NOTIMPL);
}

// The parent's painting selects another font into the DC and leaves it there.
LRESULT CALLBACK FontChangingParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND || message == WM_PRINTCLIENT) {
    SelectObject(reinterpret_cast<HDC>(wParam), GetStockObject(ANSI_FIXED_FONT));
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(UxTheme, ParentBackgroundLeavesTheSelectedFont) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = FontChangingParentProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "FontChangingParent";
  RegisterClassA(&wc);
  HWND parent = CreateWindowExA(0, "FontChangingParent", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                wc.hInstance, nullptr);
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, parent, nullptr,
                               wc.hInstance, nullptr);
  ASSERT_TRUE(parent && child);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 20);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  HGDIOBJ oldFont = SelectObject(dc, font);
  RECT r{0, 0, 20, 20};
  UxDrawThemeParentBackground(child, dc, &r);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  DestroyWindow(parent);
}

}  // namespace
