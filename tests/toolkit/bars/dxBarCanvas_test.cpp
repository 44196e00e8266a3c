// The bar canvas's nested redirects, the system controller in a library and in a program, and the
// key-tip data's badge window.
#include "calderan_test.h"

#include <memory>
#include <vector>

#include "Threads.h"
#include "bars_fixture.h"
#include "dxBarCanvas.h"

namespace {
class BarCanvasServices : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartBarTestUnits(); }
};

// A memory device context on a small bitmap, with a text colour that a restore must bring back.
struct TMemoryDC {
  TMemoryDC() : DC(CreateCompatibleDC(nullptr)), Bitmap(CreateCompatibleBitmap(DC, 8, 8)) {
    Old = SelectObject(DC, Bitmap);
    SetTextColor(DC, RGB(1, 2, 3));
  }
  ~TMemoryDC() {
    SelectObject(DC, Old);
    DeleteObject(Bitmap);
    DeleteDC(DC);
  }
  HDC DC;
  HBITMAP Bitmap;
  HGDIOBJ Old;
};

class TKeyTipWindowsRecorder : public IdxBarKeyTipWindowsManager {
 public:
  void Add(const std::string& caption, const TPoint& basePoint, int horzAlign, int vertAlign, bool enabled,
           TObject*& window) override {
    Added.push_back(caption);
    Point = basePoint;
    Aligns = {horzAlign, vertAlign};
    Enabled = enabled;
    window = &Badge;
  }
  void Delete(TObject* window) override { Deleted.push_back(window); }
  void Show() override {}

  TObject Badge;
  std::vector<std::string> Added;
  std::vector<TObject*> Deleted;
  TPoint Point;
  std::pair<int, int> Aligns;
  bool Enabled = false;
};
}  // namespace

TEST_F(BarCanvasServices, NestedDeviceContextRedirectsRestoreEverything) {
  TdxBarCanvas canvas;
  TMemoryDC first, second;
  canvas.BeginPaintDC(first.DC);
  EXPECT_EQ(canvas.GetHandle(), first.DC);
  SetTextColor(first.DC, RGB(9, 9, 9));
  canvas.BeginPaintDC(second.DC);
  EXPECT_EQ(canvas.GetHandle(), second.DC);
  EXPECT_EQ(canvas.Depth(), 2);
  SetTextColor(second.DC, RGB(8, 8, 8));
  canvas.EndPaint();
  EXPECT_EQ(canvas.GetHandle(), first.DC);
  EXPECT_EQ(GetTextColor(second.DC), RGB(1, 2, 3)) << "the inner device context is restored";
  canvas.EndPaint();
  EXPECT_FALSE(canvas.OwnCanvas()->HandleAllocated()) << "back on the handle it had: none";
  EXPECT_EQ(GetTextColor(first.DC), RGB(1, 2, 3));
  EXPECT_EQ(canvas.Depth(), 0);
  canvas.EndPaint();  // no matching begin: nothing
  EXPECT_EQ(canvas.Depth(), 0);
}

TEST_F(BarCanvasServices, ACanvasRedirectDrawsThroughThatCanvasUntilItEnds) {
  TdxBarCanvas canvas;
  TBitmap bitmap(8, 8);
  TMemoryDC dc;
  canvas.BeginPaintDC(dc.DC);
  canvas.BeginPaintCanvas(bitmap.Canvas());
  EXPECT_EQ(canvas.Canvas(), bitmap.Canvas());
  bitmap.Canvas()->Font()->SetColor(clRed);
  canvas.EndPaint();
  EXPECT_EQ(canvas.Canvas(), canvas.OwnCanvas());
  EXPECT_EQ(canvas.GetHandle(), dc.DC);
  EXPECT_NE(bitmap.Canvas()->Font()->Color(), clRed) << "the canvas's state is put back";
  canvas.EndPaint();
  EXPECT_EQ(canvas.Depth(), 0);
}

TEST_F(BarCanvasServices, TheSharedBarCanvasIsMadeOnce) {
  ASSERT_NE(BarCanvas(), nullptr);
  EXPECT_EQ(BarCanvas(), BarCanvas());
}

TEST_F(BarCanvasServices, InALibraryTheControllerRunsTheWaitingCalls) {
  void (*before)() = WakeMainThread;
  {
    TdxBarSystemController program(false);
    EXPECT_EQ(WakeMainThread, before) << "a program file keeps the runtime's handler";
  }
  {
    TdxBarSystemController library(true);
    EXPECT_NE(WakeMainThread, before);
    MSG msg;
    while (PeekMessageA(&msg, library.Handle(), 0, 0, PM_REMOVE)) {}
    WakeMainThread();
    ASSERT_TRUE(PeekMessageA(&msg, library.Handle(), DXM_BAR_SYNCHRONIZE, DXM_BAR_SYNCHRONIZE, PM_REMOVE));
    DispatchMessageA(&msg);  // runs CheckSynchronize; nothing waits, so nothing more happens
  }
  EXPECT_EQ(WakeMainThread, before) << "the previous handler is back";
  EXPECT_FALSE(IsBarSystemInLibrary());
}

TEST_F(BarCanvasServices, AKeyTipHasOneBadgeAtATime) {
  TdxBarKeyTipInfo info;
  info.KeyTip = "f\xE9";  // an accented letter of the system code page
  info.BasePoint = {40, 50};
  info.HorzAlign = 2;
  info.VertAlign = 1;
  info.Enabled = false;
  TdxBarKeyTipData data(info);
  TKeyTipWindowsRecorder windows;
  EXPECT_EQ(data.GetKeyTipCaption(), "F\xC9");
  data.ShowKeyTipWindow(&windows);
  data.ShowKeyTipWindow(&windows);
  EXPECT_EQ(windows.Added, (std::vector<std::string>{"F\xC9"}));
  EXPECT_EQ(windows.Point, (TPoint{40, 50}));
  EXPECT_EQ(windows.Aligns, (std::pair<int, int>{2, 1}));
  EXPECT_FALSE(windows.Enabled);
  EXPECT_EQ(data.KeyTipWindow(), &windows.Badge);
  data.HideKeyTipWindow(&windows);
  data.HideKeyTipWindow(&windows);
  EXPECT_EQ(windows.Deleted, (std::vector<TObject*>{&windows.Badge}));
  EXPECT_EQ(data.KeyTipWindow(), nullptr);
}
