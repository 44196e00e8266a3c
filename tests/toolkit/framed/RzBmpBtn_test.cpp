#include "calderan_test.h"

#include <memory>

#include "RzBmpBtn.h"
#include "framed_control_fixture.h"
#include "message_pump.h"

namespace {

// A 40 x 20 image: an olive (transparent) ground with a black square in the middle.
void FillTestImage(TBitmap& image, int width, int height) {
  image.SetSize(width, height);
  ClearTo(image, clOlive);
  image.Canvas()->Brush()->SetColor(clBlack);
  image.Canvas()->FillRect({width / 4, height / 4, width * 3 / 4, height * 3 / 4});
}

class RzBmpButton : public FramedControlFixture<TRzBmpButton> {
 protected:
  void SetUp() override {
    NewForm();
    for (int i = 0; i < 2; ++i) {
      buttons_[i] = Place(Bounds(10 + 100 * i, 10, 80, 30));
      buttons_[i]->OnClick = MakeEvent(this, &RzBmpButton::Clicked);
    }
    form_->Show();
  }

 public:
  void Clicked(TObject* sender) { ++clicks_[sender == buttons_[0] ? 0 : 1]; }

 protected:
  HWND Window(int i) { return buttons_[i]->Handle(); }
  void ClickAt(int i, int x, int y, int releaseX, int releaseY) {
    SendMessageA(Window(i), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(x, y));
    SendMessageA(Window(i), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(releaseX, releaseY));
    SendMessageA(Window(i), WM_LBUTTONUP, 0, ClientPoint(releaseX, releaseY));
  }
  void Click(int i) { ClickAt(i, 5, 5, 5, 5); }

  TRzBmpButton* buttons_[2] = {};
  int clicks_[2] = {};
};

TEST_F(RzBmpButton, GroupedButtonsStayDownLikeRadioButtons) {
  for (TRzBmpButton* b : buttons_) b->SetGroupIndex(1);
  struct TStep {
    int Clicked;
    bool AllowAllUp;
    bool Down0, Down1;
  } const steps[] = {
      {0, false, true, false},   // the first goes down
      {1, false, false, true},   // the second raises it
      {1, false, false, true},   // clicking the down one leaves it down
      {1, true, false, false},   // unless all may be up
      {0, true, true, false},
  };
  int expectedClicks[2] = {};
  for (const TStep& s : steps) {
    buttons_[s.Clicked]->SetAllowAllUp(s.AllowAllUp);
    Click(s.Clicked);
    ++expectedClicks[s.Clicked];
    EXPECT_EQ(buttons_[0]->Down(), s.Down0) << "after clicking " << s.Clicked;
    EXPECT_EQ(buttons_[1]->Down(), s.Down1) << "after clicking " << s.Clicked;
    EXPECT_EQ(clicks_[s.Clicked], expectedClicks[s.Clicked]);
  }
  // the group message carried AllowAllUp over to the other button
  EXPECT_TRUE(buttons_[1]->AllowAllUp());
}

TEST_F(RzBmpButton, DownWithoutAGroupNeverSticks) {
  buttons_[0]->SetDown(true);
  EXPECT_FALSE(buttons_[0]->Down());
  Click(0);
  EXPECT_FALSE(buttons_[0]->Down());
  EXPECT_EQ(buttons_[0]->State(), TRzBmpButton::bsUp);
}

TEST_F(RzBmpButton, OnlyAReleaseInsideClicks) {
  struct TCase {
    int ReleaseX, ReleaseY;
    int Clicks;
  } const cases[] = {
      {40, 15, 1}, {79, 29, 1},  // the last pixels are inside
      {80, 15, 0}, {40, 30, 0},  // the far edges are outside
      {-1, 15, 0}, {200, 200, 0},
  };
  for (const TCase& c : cases) {
    clicks_[0] = 0;
    ClickAt(0, 10, 10, c.ReleaseX, c.ReleaseY);
    EXPECT_EQ(clicks_[0], c.Clicks) << c.ReleaseX << "," << c.ReleaseY;
    EXPECT_EQ(buttons_[0]->State(), TRzBmpButton::bsUp);
  }
}

TEST_F(RzBmpButton, DraggingOutAndBackShowsThePressAgain) {
  SendMessageA(Window(0), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(10, 10));
  EXPECT_EQ(buttons_[0]->State(), TRzBmpButton::bsDown);
  SendMessageA(Window(0), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(120, 10));
  EXPECT_EQ(buttons_[0]->State(), TRzBmpButton::bsUp);
  SendMessageA(Window(0), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(20, 10));
  EXPECT_EQ(buttons_[0]->State(), TRzBmpButton::bsDown);
  SendMessageA(Window(0), WM_LBUTTONUP, 0, ClientPoint(20, 10));
  EXPECT_EQ(clicks_[0], 1);
}

TEST_F(RzBmpButton, SpaceThenAnyKeyReleaseClicksOnce) {
  buttons_[0]->SetFocus();
  ASSERT_TRUE(buttons_[0]->Focused());
  SendMessageA(Window(0), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(buttons_[0]->State(), TRzBmpButton::bsDown);
  EXPECT_EQ(clicks_[0], 0);
  SendMessageA(Window(0), WM_KEYUP, 'A', 0xC0000001);
  EXPECT_EQ(clicks_[0], 1);
  EXPECT_EQ(buttons_[0]->State(), TRzBmpButton::bsUp);
  SendMessageA(Window(0), WM_KEYUP, VK_SPACE, 0xC0000001);  // no press left to finish
  EXPECT_EQ(clicks_[0], 1);
  SendMessageA(Window(0), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(clicks_[0], 2);
}

TEST_F(RzBmpButton, SizesItselfFromTheUpImage) {
  TBitmap image;
  FillTestImage(image, 40, 20);
  struct TCase {
    TButtonBorder Border;
    TBtnSize Size;
    int Width, Height;
  } const cases[] = {
      {bbSingle, bszButtonToBitmap, 42, 22},
      {bbNone, bszButtonToBitmap, 40, 20},
      {bbButton, bszButtonToBitmap, 44, 24},  // two pixels a side in the new look
      {bbSingle, bszNeither, 80, 30},
      {bbSingle, bszStretchToButton, 80, 30},
  };
  for (const TCase& c : cases) {
    buttons_[0]->Bitmaps()->Up()->SetSize(0, 0);
    buttons_[0]->SetButtonSize(bszNeither);
    buttons_[0]->SetBounds(10, 10, 80, 30);
    buttons_[0]->SetButtonBorder(c.Border);
    buttons_[0]->SetButtonSize(c.Size);
    buttons_[0]->Bitmaps()->SetUp(&image);
    EXPECT_EQ(buttons_[0]->Width(), c.Width) << c.Border << "/" << c.Size;
    EXPECT_EQ(buttons_[0]->Height(), c.Height) << c.Border << "/" << c.Size;
    RECT r;
    GetClientRect(Window(0), &r);
    EXPECT_EQ(r.right, c.Width);
  }
}

// Paints the button into a bitmap the size of the button.
COLORREF PaintedPixel(TRzBmpButton* button, TBitmap& picture, int x, int y) {
  picture.SetSize(button->Width(), button->Height());
  button->PaintTo(picture.Canvas(), 0, 0);
  return PixelAt(picture.Canvas(), x, y);
}

TEST_F(RzBmpButton, FacesFollowTheState) {
  TBitmap up, down, disabled, picture;
  FillTestImage(up, 40, 20);
  FillTestImage(down, 40, 20);
  down.Canvas()->Brush()->SetColor(clRed);
  down.Canvas()->FillRect({10, 5, 30, 15});
  FillTestImage(disabled, 40, 20);
  disabled.Canvas()->Brush()->SetColor(clBlue);
  disabled.Canvas()->FillRect({10, 5, 30, 15});
  TRzBmpButton* b = buttons_[0];
  b->SetButtonBorder(bbSingle);
  b->Bitmaps()->SetUp(&up);
  b->Bitmaps()->SetDown(&down);
  // the transparent colour shows the button's colour; the square is in the middle, one pixel in
  EXPECT_EQ(PaintedPixel(b, picture, 3, 3), Rgb(clBtnFace));
  EXPECT_EQ(PaintedPixel(b, picture, 0, 0), Rgb(clBlack));
  EXPECT_EQ(PaintedPixel(b, picture, 21, 11), Rgb(clBlack));
  SendMessageA(Window(0), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, 5));
  EXPECT_EQ(PaintedPixel(b, picture, 21, 11), Rgb(clRed));
  SendMessageA(Window(0), WM_LBUTTONUP, 0, ClientPoint(5, 5));
  b->SetEnabled(false);
  // no Disabled image: the embossed Up image, the square in the shadow colour
  EXPECT_EQ(PaintedPixel(b, picture, 21, 11), Rgb(clBtnShadow));
  b->Bitmaps()->SetDisabled(&disabled);
  EXPECT_EQ(PaintedPixel(b, picture, 21, 11), Rgb(clBlue));
}

TEST(RzBmpButtonEmboss, DarkPixelsTurnShadowWithAHighlightBelowRight) {
  StartFramedTestUnits();
  TBitmap source(10, 10);
  ClearTo(source, clWhite);
  source.Canvas()->Brush()->SetColor(clBlack);
  source.Canvas()->FillRect({2, 2, 6, 6});
  std::unique_ptr<TBitmap> embossed = CreateEmbossedBitmap(&source);
  struct TCase {
    int X, Y;
    TColor Color;
  } const cases[] = {{3, 3, clBtnShadow}, {6, 6, clWhite}, {6, 3, clWhite}, {0, 0, clBtnFace}, {8, 8, clBtnFace}};
  for (const TCase& c : cases) EXPECT_EQ(PixelAt(embossed->Canvas(), c.X, c.Y), Rgb(c.Color)) << c.X << "," << c.Y;
}

TEST_F(RzBmpButton, GlyphAndCaptionLayout) {
  TBitmap picture(10, 10);
  TRzBmpButton* b = buttons_[0];
  b->SetCaption("OK");
  picture.Canvas()->SetFont(b->Font());
  const TSize text = picture.Canvas()->TextExtent("OK");
  struct TCase {
    TButtonLayout Layout;
    int Margin, Spacing;
    int GlyphLeft, TextLeft;
  } const cases[] = {
      // client 100 wide, glyph 16, text w: margin -1 centres glyph + spacing + text
      {blGlyphLeft, -1, 4, 50 - (16 + 4 + text.cx) / 2, 50 - (16 + 4 + text.cx) / 2 + 20},
      {blGlyphLeft, 3, 4, 3, 23},
      {blGlyphRight, 3, 4, 100 - 3 - 16, 100 - 3 - 16 - 4 - text.cx},
      {blGlyphLeft, -1, -1, (100 - 16 - text.cx) / 3, 2 * ((100 - 16 - text.cx) / 3) + 16},
      {blGlyphLeft, 2, -1, 2, 2 + 16 + (100 - 18) / 2 - text.cx / 2},
  };
  for (const TCase& c : cases) {
    b->SetLayout(c.Layout);
    b->SetMargin(c.Margin);
    b->SetSpacing(c.Spacing);
    TRect glyph, textRect;
    b->LayoutGlyphAndCaption(picture.Canvas(), {0, 0, 100, 40}, {16, 16}, glyph, textRect);
    EXPECT_EQ(glyph.Left, c.GlyphLeft) << c.Layout << " " << c.Margin << " " << c.Spacing;
    EXPECT_EQ(textRect.Left, c.TextLeft) << c.Layout << " " << c.Margin << " " << c.Spacing;
    EXPECT_EQ(glyph.Top, 12);
  }
}

}  // namespace
