#include "calderan_test.h"

#include <memory>
#include <string>

#include "BinaryFiler.h"
#include "StdCtrls.h"
#include "cxGeometry.h"
#include "cxLabel.h"
#include "editors_fixture.h"

namespace {

struct Labels : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&cxLabelUnit});
  }
  Labels() {
    label = Place(new TcxLabel(form.get()), 10, 10, 121, 21);
    label->SetCaption("Total progress:");
    PumpWhileBusy();
  }
  int CountShown(TColor color) {
    UpdateWindow(label->Handle());
    HDC dc = GetDC(label->Handle());
    int n = 0;
    for (int y = 0; y < label->Height(); ++y)
      for (int x = 0; x < label->Width(); ++x) n += GetPixel(dc, x, y) == ColorToRGB(color);
    ReleaseDC(label->Handle(), dc);
    return n;
  }
  TcxLabel* label;
};

TEST_F(Labels, CaptionAndEditValueStayEqual) {
  EXPECT_EQ(label->EditValue().AsString(), "Total progress:");
  label->SetEditValue(TVariant(int32_t(42)));
  EXPECT_EQ(label->Caption(), "42");
  EXPECT_EQ(label->LabelViewInfo()->Text, "42");
  label->SetEditValue(TVariant::Null());
  EXPECT_EQ(label->Caption(), "");
  TcxLabelProperties* p = label->Properties();
  EXPECT_EQ(p->GetSupportedOperations(), 1418);
  EXPECT_EQ(p->Orientation(), cxoRightBottom);
  EXPECT_EQ(p->ShadowedColor(), clGrayText);
  EXPECT_EQ(p->PenWidth(), 1);
  EXPECT_TRUE(label->Style()->Is<TcxLabelEditStyle>());
  EXPECT_EQ(label->Style()->BorderStyle(), cbsNone);
  EXPECT_FALSE(label->Style()->HotTrack());
}

TEST_F(Labels, AutomaticSizeFollowsTheTurnAndTheEffect) {
  const TSize plain(label->Width(), label->Height());
  EXPECT_GT(plain.cx, plain.cy);
  label->Properties()->SetLabelEffect(cxleExtrude);
  label->Properties()->SetDepth(3);
  label->AdjustSize();
  EXPECT_EQ(label->Width(), plain.cx + 3);
  EXPECT_EQ(label->Height(), plain.cy + 3);
  label->Properties()->SetDepth(0);
  label->Properties()->SetAngle(90);
  label->AdjustSize();
  EXPECT_EQ(label->Width(), plain.cy);
  EXPECT_EQ(label->Height(), plain.cx);
  label->Properties()->SetAngle(450);
  label->AdjustSize();
  EXPECT_EQ(label->Height(), plain.cx);
}

// The pixels of the colour in the text drawn by itself, with room to spare on every side.
int InkOfText(TFont* font, const std::string& text, TColor color) {
  TPainterSurface surface(400, 60, clWhite);
  TCanvas* canvas = surface.Canvas()->Canvas();
  canvas->SetFont(font);
  canvas->Font()->SetColor(color);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->TextOut(20, 20, text);
  return surface.Count(TRect(0, 0, 400, 60), color);
}

// Under Wine, Tahoma 8 drawn without smoothing takes ':' and '.' from the font's own bitmaps, each
// a pixel wider than measuring answers: a size from the measurement alone cut off the last "0",
// and alignment to the right or the centre, which places the measured box, pushed the ink out.
TEST_F(Labels, AnAutomaticSizeHoldsAllTheInkOfItsText) {
  struct Case {
    const char* Text;
    TAlignment Horz;
    TFontStyles Style;
  };
  const Case cases[] = {
      {"00:00:40.000", taLeftJustify, {}},
      {"00:00:40.000", taRightJustify, {}},
      {"00:00:40.000", taCenter, {}},
      {"1.2.3.4.5.6.7.8.9.0", taLeftJustify, {}},
  };
  label->Style()->SetTextColor(clBlue);
  for (const Case& c : cases) {
    TFont font;
    font.SetName("Tahoma");
    font.SetSize(8);
    font.SetStyle(c.Style);
    label->Style()->SetFont(&font);
    label->Properties()->Alignment()->SetHorz(c.Horz);
    label->SetCaption(c.Text);
    PumpWhileBusy();
    EXPECT_EQ(CountShown(clBlue), InkOfText(label->Style()->GetEffectiveFont(), c.Text, clBlue))
        << c.Text << " aligned " << int(c.Horz) << ", " << label->Width() << " px wide";
  }
}

TEST_F(Labels, AnEmptyCaptionStillMeasuresOneBlanksHeight) {
  const int height = label->Height();
  label->SetCaption("");
  label->AdjustSize();
  EXPECT_EQ(label->Height(), height);
  EXPECT_GT(label->Width(), 0);
}

TEST_F(Labels, ARightAlignedLabelKeepsItsRightEdgeWhenItGrows) {
  label->Properties()->Alignment()->SetHorz(taRightJustify);
  label->AdjustSize();
  const int right = label->Left() + label->Width();
  label->SetCaption("Converting file: a much longer name");
  EXPECT_EQ(label->Left() + label->Width(), right);
  label->Properties()->Alignment()->SetHorz(taLeftJustify);
  const int left = label->Left();
  label->SetCaption("short");
  EXPECT_EQ(label->Left(), left);
}

TEST_F(Labels, AnOpaqueLabelRepaintsFromItsCachedPicture) {
  TcxCustomLabelViewInfo* v = label->LabelViewInfo();
  TPainterSurface surface(label->Width(), label->Height());
  auto paint = [&] { v->PaintLabel(surface.Canvas()); };
  paint();
  const int drawn = v->RedrawCount;
  paint();
  EXPECT_EQ(v->RedrawCount, drawn);  // a single copy of the picture
  EXPECT_GT(surface.Count(TRect(0, 0, label->Width(), label->Height()), v->TextColor), 0);
  v->SetBackColor(clYellow);
  paint();
  EXPECT_EQ(v->RedrawCount, drawn + 1);
  v->Shift(0, 0);
  paint();
  EXPECT_EQ(v->RedrawCount, drawn + 1);  // an opaque label that did not move
  v->Left += 5;
  paint();
  EXPECT_EQ(v->RedrawCount, drawn + 2);  // moved
  v->Transparent = true;
  paint();
  paint();
  EXPECT_EQ(v->RedrawCount, drawn + 4);  // a transparent label redraws on every paint
}

TEST_F(Labels, EffectsArePaintedIntoTheWindow) {
  label->Style()->SetTextColor(clBlue);
  label->Properties()->SetShadowedColor(clRed);
  label->Properties()->SetLabelEffect(cxleExtrude);
  label->Properties()->SetDepth(3);
  PumpWhileBusy();
  EXPECT_GT(CountShown(clBlue), 20);
  EXPECT_GT(CountShown(clRed), 20);
  label->Properties()->SetLabelEffect(cxleNormal);
  PumpWhileBusy();
  EXPECT_EQ(CountShown(clRed), 0);
}

TEST_F(Labels, TheAcceleratorFocusesTheFocusControl) {
  auto* edit = Place(new TEdit(form.get()), 10, 60, 100, 21);
  auto* other = Place(new TEdit(form.get()), 10, 90, 100, 21);
  label->SetCaption("&Folder");
  label->SetFocusControl(edit);
  label->SetFocusControl(label);  // refused
  EXPECT_EQ(label->FocusControl(), edit);
  other->SetFocus();
  TMessage m{CM_DIALOGCHAR, 'f', 0, 0};
  label->Dispatch(m);
  EXPECT_EQ(m.Result, 1);
  EXPECT_TRUE(edit->Focused());
  other->SetFocus();
  label->Properties()->SetShowAccelChar(false);
  TMessage off{CM_DIALOGCHAR, 'f', 0, 0};
  label->Dispatch(off);
  EXPECT_EQ(off.Result, 0);
  EXPECT_TRUE(other->Focused());
  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
  EXPECT_FALSE(label->CanFocus());
}

// A label written as a stored form reads back with its effect, style and alignment.
TEST_F(Labels, AStoredLabelReadsBackWithItsSettings) {
  TcxLabelProperties* p = label->Properties();
  p->SetLabelEffect(cxleExtrude);
  p->SetLabelStyle(cxlsOutLine);
  p->SetOrientation(cxoLeftTop);
  p->SetDepth(4);
  p->SetAngle(90);
  p->SetShadowedColor(clNavy);
  p->SetShowAccelChar(false);
  p->Alignment()->SetHorz(taCenter);
  p->Alignment()->SetVert(taVCenter);
  TMemoryStream stream;
  TBinaryFormWriter(&stream).WriteProperties(label);
  auto* copy = Place(new TcxLabel(form.get()), 10, 40, 121, 21);
  stream.SetPosition(0);
  TBinaryFormReader(&stream).ReadProperties(copy);
  TcxLabelProperties* q = copy->Properties();
  EXPECT_EQ(q->LabelEffect(), cxleExtrude);
  EXPECT_EQ(q->LabelStyle(), cxlsOutLine);
  EXPECT_EQ(q->Orientation(), cxoLeftTop);
  EXPECT_EQ(q->Depth(), 4);
  EXPECT_EQ(q->Angle(), 90);
  EXPECT_EQ(q->ShadowedColor(), clNavy);
  EXPECT_FALSE(q->ShowAccelChar());
  EXPECT_EQ(q->Alignment()->Horz(), taCenter);
  EXPECT_EQ(q->Alignment()->Vert(), taVCenter);
}

}  // namespace
