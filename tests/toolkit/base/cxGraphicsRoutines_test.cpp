#include "calderan_test.h"

#include "cxBaseUnits.h"
#include "cxGraphics.h"
#include "cxGraphicsRoutines.h"

namespace {

class GraphicsRoutines : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartToolkitBaseUnits(); }
};

TEST_F(GraphicsRoutines, MarginsClampAndValidity) {
  TRect r(10, 10, 50, 40);
  ApplyRectMargins(r, TRect(1, 2, 3, 4));
  EXPECT_EQ(r, TRect(11, 12, 47, 36));
  EXPECT_EQ(ClampByte(-5), 0);
  EXPECT_EQ(ClampByte(300), 255);
  EXPECT_EQ(ClampByte(77), 77);
  TBitmap empty, full(2, 2);
  EXPECT_FALSE(IsBitmapAssigned(nullptr));
  EXPECT_FALSE(IsBitmapAssigned(&empty));
  EXPECT_TRUE(IsBitmapAssigned(&full));
  EXPECT_NE(cxAlphaBlendFunction(), nullptr);
}

TEST_F(GraphicsRoutines, HotAndPressedMixes) {
  const COLORREF f = ColorToRGB(clBtnFace), h = ColorToRGB(clHighlight), w = ColorToRGB(clWindow);
  auto mix = [&](int pf, int ph, int pw, int shift) {
    return ClampByte(MulDiv((f >> shift) & 0xFF, pf, 100) + MulDiv((h >> shift) & 0xFF, ph, 100) +
                     MulDiv((w >> shift) & 0xFF, pw, 100));
  };
  ASSERT_NE(f, 0u);
  ASSERT_NE(f, 0xFFFFFFu);
  EXPECT_EQ(HotMixColor(), GetNearestScreenColor(RGB(mix(-2, 30, 72, 0), mix(-2, 30, 72, 8), mix(-2, 30, 72, 16))));
  EXPECT_EQ(PressedMixColor(), GetNearestScreenColor(RGB(mix(14, 44, 40, 0), mix(14, 44, 40, 8), mix(14, 44, 40, 16))));
}

TEST_F(GraphicsRoutines, BlendBitmapsEnds) {
  TBitmap from(4, 4, TPixelFormat::pf24bit), to(4, 4, TPixelFormat::pf24bit), dest(4, 4, TPixelFormat::pf24bit);
  from.Canvas()->Brush()->SetColor(clRed);
  from.Canvas()->FillRect(TRect(0, 0, 4, 4));
  to.Canvas()->Brush()->SetColor(clBlue);
  to.Canvas()->FillRect(TRect(0, 0, 4, 4));
  BlendBitmaps(&dest, &from, &to, 0);
  EXPECT_EQ(dest.Canvas()->Pixel(2, 2), clRed);
  BlendBitmaps(&dest, &from, &to, 255);
  EXPECT_EQ(dest.Canvas()->Pixel(2, 2), clBlue);
  BlendBitmaps(&dest, &from, &to, 128);
  const COLORREF mid = dest.Canvas()->Pixel(2, 2);
  EXPECT_NEAR(GetRValue(mid), 127, 2);
  EXPECT_NEAR(GetBValue(mid), 128, 2);
}

TEST_F(GraphicsRoutines, HatchedRectMarksAndExcludesItself) {
  TcxBitmap b(40, 40);
  TcxCanvas* c = b.Canvas();
  c->FillRectColor(TRect(0, 0, 40, 40), clWhite);
  RECT before{}, after{};
  GetClipBox(c->GetHandle(), &before);
  DrawHatchedRect(c, TRect(), 0);
  GetClipBox(c->GetHandle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after)) << "an empty rectangle changes nothing";
  DrawHatchedRect(c, TRect(10, 10, 30, 30), 1);
  EXPECT_EQ(GetPixel(c->GetHandle(), 10, 10), RGB(0x7F, 0x48, 0x48)) << "the frame at half the colour";
  EXPECT_EQ(GetPixel(c->GetHandle(), 30, 20), ColorToRGB(clBtnShadow)) << "the one-pixel shadow";
  EXPECT_EQ(GetPixel(c->GetHandle(), 31, 20), RGB(255, 255, 255));
  c->FillRectColor(TRect(0, 0, 40, 40), clBlack);
  EXPECT_NE(GetPixel(c->GetHandle(), 20, 20), 0u) << "the marker is excluded from later drawing";
  EXPECT_EQ(GetPixel(c->GetHandle(), 5, 5), 0u);
}

}  // namespace

namespace {

struct TLinkLog {
  int Changes = 0;
  void Changed(TObject*) { ++Changes; }
};

TEST_F(GraphicsRoutines, AssignImageListMovesTheLinkOnlyOnAChange) {
  TImageList first(nullptr, 16, 16), second(nullptr, 16, 16);
  TComponent owner(nullptr);
  TChangeLink link;
  TLinkLog log;
  link.OnChange = MakeEvent(&log, &TLinkLog::Changed);
  TCustomImageList* field = nullptr;
  AssignImageList(&first, field, &link, &owner);
  EXPECT_EQ(field, &first);
  EXPECT_EQ(link.Sender(), &first);
  EXPECT_EQ(log.Changes, 1);
  AssignImageList(&first, field, &link, &owner);
  EXPECT_EQ(log.Changes, 1) << "the list already assigned changes nothing";
  AssignImageList(&second, field, &link, &owner);
  EXPECT_EQ(link.Sender(), &second);
  EXPECT_EQ(log.Changes, 2);
  EXPECT_FALSE(IsImageIndexValid(&second, 0));
  EXPECT_FALSE(IsImageIndexValid(nullptr, 0));
  AssignImageList(nullptr, field, &link, &owner);
}

}  // namespace
