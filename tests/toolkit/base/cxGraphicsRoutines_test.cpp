#include "calderan_test.h"

#include <memory>

#include "Forms.h"
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

// ---------------------------------------------------------------------------------------------
// Parent backgrounds

namespace {

// A parent that paints 4 x 4 cells of red and blue, and notes whether it painted a copy.
class TPatternPanel : public TCustomControl {
  CALDERAN_CLASS(TPatternPanel)
  explicit TPatternPanel(TComponent* owner) : TCustomControl(owner) {}
  static TColor At(int x, int y) { return ((x / 4 + y / 4) & 1) ? clBlue : clRed; }
  bool PaintedCopy = false;

 protected:
  void Paint() override {
    PaintedCopy = ControlState().Contains(csPaintCopy);
    for (int y = 0; y < Height(); y += 4)
      for (int x = 0; x < Width(); x += 4) {
        Canvas()->Brush()->SetColor(At(x, y));
        Canvas()->FillRect(Bounds(x, y, 4, 4));
      }
  }
};

class TFilled : public TCustomControl {
  CALDERAN_CLASS(TFilled)
  explicit TFilled(TComponent* owner) : TCustomControl(owner) {}
  TColor Fill = clYellow;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
};

CALDERAN_IMPLEMENT_CREATABLE(TPatternPanel, TCustomControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TFilled, TCustomControl, TComponent*)

// A stand-in for the visual styles' parent background: fills the rectangle green and notes the call.
struct TThemedCall {
  HWND Window = nullptr;
  TRect Rect;
};
TThemedCall lastThemedCall;
HRESULT FakeThemedParentBackground(HWND window, HDC dc, const RECT* rect) {
  lastThemedCall = {window, *rect};
  HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
  FillRect(dc, rect, green);
  DeleteObject(green);
  return S_OK;
}

class TThemedProc {
 public:
  explicit TThemedProc(TcxDrawThemeParentBackgroundProc proc) : saved_(cxDrawThemeParentBackgroundProc()) {
    SetDrawThemeParentBackgroundProc(proc);
  }
  ~TThemedProc() { SetDrawThemeParentBackgroundProc(saved_); }

 private:
  TcxDrawThemeParentBackgroundProc saved_;
};

// A form with the pattern panel, and on it a yellow sibling below the transparent control
// (overlapping its left part), the control itself at (10, 7) and an aqua sibling above it.
struct TScene {
  TScene() : Form(std::make_unique<TForm>(nullptr, 0)) {
    Form->AfterConstruction();
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(0, 0, 80, 60);
    Panel = Place<TPatternPanel>(Form.get(), 0, 0, 80, 60);
    Below = Place<TFilled>(Panel, 4, 4, 10, 10);
    Control = Place<TFilled>(Panel, 10, 7, 20, 15);
    Above = Place<TFilled>(Panel, 25, 15, 10, 10);
    Above->Fill = clAqua;
  }
  template <class T> T* Place(TWinControl* parent, int x, int y, int w, int h) {
    auto* c = new T(Form.get());
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    return c;
  }
  std::unique_ptr<TForm> Form;
  TPatternPanel* Panel;
  TFilled *Below, *Control, *Above;
};

TEST_F(GraphicsRoutines, ParentBackgroundShowsWhatLiesUnderTheControl) {
  const TColor untouched = clWhite;
  struct Case {
    const char* what;
    bool doubleBuffered;
    TcxDrawThemeParentBackgroundProc themed;
    TRect rect;
    bool themedPath;
  };
  const Case cases[] = {
      {"no visual styles", false, nullptr, TRect(0, 0, 20, 15), false},
      {"part of the control", false, nullptr, TRect(5, 3, 15, 12), false},
      {"double-buffered parent", true, FakeThemedParentBackground, TRect(0, 0, 20, 15), false},
      {"visual styles", false, FakeThemedParentBackground, TRect(2, 2, 18, 13), true},
  };
  for (const Case& c : cases) {
    TScene scene;
    scene.Panel->SetDoubleBuffered(c.doubleBuffered);
    TThemedProc themed(c.themed);
    lastThemedCall = {};
    TcxBitmap target(20, 15);
    target.Canvas()->FillRectColor(TRect(0, 0, 20, 15), untouched);
    DrawParentBackground(scene.Control, target.Canvas(), c.rect);
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool inside = c.rect.Contains(TPoint(x, y));
        const TColor expected = !inside ? untouched : c.themedPath ? RGB(0, 128, 0) : TPatternPanel::At(x + 10, y + 7);
        ASSERT_EQ(GetPixel(target.Canvas()->GetHandle(), x, y), ColorToRGB(expected)) << c.what << " at " << x << ", " << y;
      }
    if (c.themedPath) {
      EXPECT_EQ(lastThemedCall.Window, scene.Control->Handle()) << c.what;
      EXPECT_EQ(lastThemedCall.Rect, c.rect) << c.what;
    } else {
      EXPECT_EQ(lastThemedCall.Window, nullptr) << c.what;
      EXPECT_TRUE(scene.Panel->PaintedCopy) << c.what << ": the parent knows it paints a copy";
      EXPECT_FALSE(scene.Panel->ControlState().Contains(csPaintCopy)) << c.what;
    }
    EXPECT_EQ(target.Canvas()->SavedDCCount(), 0) << c.what;
  }
}

TEST_F(GraphicsRoutines, ParentImageWithSiblingsAddsOnlyThoseBelow) {
  for (bool withSiblings : {false, true}) {
    TScene scene;
    TcxBitmap target(20, 15);
    PaintParentImage(scene.Control, target.Canvas(), TRect(0, 0, 20, 15), withSiblings);
    // (1, 1) of the control is (11, 8) of the panel, inside the sibling below; (17, 10) is
    // (27, 17), inside the sibling above.
    EXPECT_EQ(GetPixel(target.Canvas()->GetHandle(), 1, 1), ColorToRGB(withSiblings ? clYellow : TPatternPanel::At(11, 8)))
        << withSiblings;
    EXPECT_EQ(GetPixel(target.Canvas()->GetHandle(), 17, 10), ColorToRGB(TPatternPanel::At(27, 17))) << withSiblings;
    EXPECT_EQ(GetPixel(target.Canvas()->GetHandle(), 6, 1), ColorToRGB(TPatternPanel::At(16, 8))) << withSiblings;
  }
  TFilled orphan(nullptr);
  TcxBitmap target(4, 4);
  target.Canvas()->FillRectColor(TRect(0, 0, 4, 4), clWhite);
  PaintParentImage(&orphan, target.Canvas(), TRect(0, 0, 4, 4), true);
  EXPECT_EQ(GetPixel(target.Canvas()->GetHandle(), 1, 1), ColorToRGB(clWhite)) << "nothing without a parent";
}

}  // namespace
