// The check box and label page: labels with every depth effect, style, a glyph fill and turned
// text; check boxes in every state, interaction state and box border style, with a glyph strip and
// in place.
#include <string>

#include "ExtCtrls.h"
#include "GalleryPages.h"
#include "cxCheckBox.h"
#include "cxContainer.h"
#include "cxEdit.h"
#include "cxEditPaintUtils.h"
#include "cxLabel.h"

namespace {

// A strip of six 13 x 13 pieces: unchecked, checked, grayed, then the same pressed (darker).
TBitmap* MakeCheckStrip() {
  auto* strip = new TBitmap();
  strip->SetSize(6 * 13, 13);
  TCanvas* c = strip->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(TRect(0, 0, 6 * 13, 13));
  for (int i = 0; i < 6; ++i) {
    const int x = i * 13;
    c->Brush()->SetColor(i < 3 ? TColor(0x80FF80) : TColor(0x40A040));
    c->Pen()->SetColor(TColor(0x006000));
    c->Ellipse(x + 1, 1, x + 12, 12);
    c->Brush()->SetColor(TColor(0x004000));
    if (i % 3 == 1) c->FillRect(TRect(x + 4, 4, x + 9, 9));
    if (i % 3 == 2) c->FillRect(TRect(x + 4, 6, x + 9, 7));
  }
  strip->SetTransparentColor(clFuchsia);
  return strip;
}

// A small bitmap of stripes that fills the letters of a label.
TBitmap* MakeFillGlyph() {
  auto* glyph = new TBitmap();
  glyph->SetSize(8, 8);
  TCanvas* c = glyph->Canvas();
  for (int y = 0; y < 8; ++y) {
    c->Brush()->SetColor(y < 4 ? TColor(0x2060E0) : TColor(0x20B0F0));
    c->FillRect(TRect(0, y, 8, y + 1));
  }
  return glyph;
}

TcxLabel* AddEffectLabel(TGalleryPage& page, int x, int y, const std::string& caption, int points) {
  auto* label = page.Place(new TcxLabel(page.Form()), x, y, 160, 40);
  label->SetCaption(caption);
  label->Style()->Font()->SetSize(points);
  label->Style()->Font()->SetStyle({TFontStyle::fsBold});
  label->Properties()->SetShadowedColor(TColor(0x909090));
  // As the program's labels: the window (or the skin) shows through.
  label->SetTransparent(true);
  return label;
}

void AddLabels(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "Labels: effects, styles, glyph fill and turned text");
  struct Effect {
    const char* caption;
    TcxLabelEffect effect;
    TcxLabelOrientation orientation;
    int depth;
    TcxLabelStyle style;
  };
  const Effect effects[] = {
      {"Plain", cxleNormal, cxoRightBottom, 0, cxlsNormal},   {"Extrude", cxleExtrude, cxoRightBottom, 4, cxlsNormal},
      {"Shadow", cxleCool, cxoRightBottom, 3, cxlsNormal},    {"Graded", cxleFun, cxoLeftTop, 6, cxlsNormal},
      {"Raised", cxleNormal, cxoRightBottom, 0, cxlsRaised},  {"Lowered", cxleNormal, cxoRightBottom, 0, cxlsLowered},
      {"Outline", cxleNormal, cxoRightBottom, 0, cxlsOutLine}, {"Up left", cxleExtrude, cxoLeftTop, 3, cxlsRaised},
  };
  int x = 10;
  for (const Effect& e : effects) {
    TcxLabel* label = AddEffectLabel(page, x, top + 24, e.caption, 16);
    label->Properties()->SetLabelEffect(e.effect);
    label->Properties()->SetOrientation(e.orientation);
    label->Properties()->SetDepth(static_cast<uint16_t>(e.depth));
    label->Properties()->SetLabelStyle(e.style);
    x += 170;
  }
  TcxLabel* filled = AddEffectLabel(page, 10, top + 80, "Glyph fill", 24);
  std::unique_ptr<TBitmap> glyph(MakeFillGlyph());
  filled->Properties()->SetGlyph(glyph.get());
  TcxLabel* outlined = AddEffectLabel(page, 200, top + 80, "Filled outline", 24);
  outlined->Properties()->SetGlyph(glyph.get());
  outlined->Properties()->SetLabelStyle(cxlsOutLine);
  outlined->Properties()->SetPenWidth(2);
  const int angles[] = {90, 45, 270, 450};
  x = 520;
  for (int angle : angles) {
    TcxLabel* turned = AddEffectLabel(page, x, top + 80, "Turned " + std::to_string(angle), 12);
    turned->Properties()->SetAngle(angle);
    turned->Properties()->SetLabelEffect(cxleCool);
    turned->Properties()->SetDepth(2);
    x += turned->Width() + 20;
  }
  auto* panel = page.Place(new TPanel(page.Form()), 1150, top + 80, 260, 60);
  panel->SetColor(TColor(0xC0E8FF));
  auto* transparent = page.Place(new TcxLabel(page.Form()), 10, 10, 200, 20);
  transparent->SetParent(panel);
  transparent->SetCaption("Transparent on a panel");
  transparent->SetTransparent(true);
  auto* wrapped = page.Place(new TcxLabel(page.Form()), 1430, top + 80, 150, 60);
  wrapped->Properties()->SetWordWrap(true);
  wrapped->SetCaption("A label whose long caption wraps onto several lines");
  auto* opaque = page.Place(new TcxLabel(page.Form()), 1600, top + 110, 150, 20);
  opaque->SetCaption("Opaque label");
  auto* disabled = page.Place(new TcxLabel(page.Form()), 1600, top + 80, 150, 20);
  disabled->SetCaption("Disabled label");
  disabled->SetEnabled(false);
}

TcxCheckBox* AddCheckBox(TGalleryPage& page, int x, int y, const std::string& caption) {
  auto* box = page.Place(new TcxCheckBox(page.Form()), x, y, 150, 21);
  box->SetCaption(caption);
  box->Properties()->SetAllowGrayed(true);
  return box;
}

void AddCheckBoxStates(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "Check boxes: states across, interaction down (the hot box and the box held by Space, "
                         "which has the focus, are set after start)");
  struct StateColumn {
    const char* name;
    TcxCheckBoxState state;
    TcxCheckBoxNullValueShowingStyle nullStyle;
  };
  const StateColumn columns[] = {{"Unchecked", cbsUnchecked, nssGrayedChecked},
                                 {"Checked", cbsChecked, nssGrayedChecked},
                                 {"Grayed", cbsGrayed, nssGrayedChecked},
                                 {"Grayed inactive", cbsGrayed, nssInactive},
                                 {"Grayed unchecked", cbsGrayed, nssUnchecked}};
  const char* rows[] = {"normal", "hot", "Space held", "disabled"};
  for (int row = 0; row < 4; ++row) {
    const int y = top + 24 + row * 26;
    page.AddLabel(10, y + 3, rows[row], 70);
    for (int column = 0; column < 5; ++column) {
      TcxCheckBox* box = AddCheckBox(page, 90 + column * 160, y, columns[column].name);
      box->Properties()->SetNullStyle(columns[column].nullStyle);
      box->SetState(columns[column].state);
      if (row == 3) box->SetEnabled(false);
      if (row == 1 && column == 1)
        page.AfterShow([box] {
          TPoint at = box->ClientToScreen(TPoint(8, 10));
          SetCursorPos(at.X, at.Y);
          box->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(8, 10));
        });
      if (row == 2 && column == 1)
        page.AfterShow([box] {
          box->SetFocus();
          box->Perform(WM_KEYDOWN, VK_SPACE, 1);
        });
    }
  }
}

void AddCheckBoxBorders(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "Box border styles (checked, unchecked), glyph strip, right box, in place");
  const std::pair<const char*, TcxContainerBorderStyle> styles[] = {
      {"None", cbsNone}, {"Single", cbsSingle}, {"Thick", cbsThick},       {"Flat", cbsFlat},
      {"3D", cbs3D},     {"Ultra-flat", cbsUltraFlat}, {"Office 11", cbsOffice11}};
  int x = 10;
  for (auto [name, style] : styles) {
    for (int i = 0; i < 2; ++i) {
      TcxCheckBox* box = AddCheckBox(page, x, top + 24 + i * 26, name);
      box->Style()->SetBorderStyle(style);
      box->Style()->SetBorderColor(clNavy);
      box->SetChecked(i == 0);
    }
    x += 130;
  }
  std::unique_ptr<TBitmap> strip(MakeCheckStrip());
  const TcxCheckBoxState states[] = {cbsUnchecked, cbsChecked, cbsGrayed};
  for (int i = 0; i < 3; ++i) {
    TcxCheckBox* glyphBox = AddCheckBox(page, 10 + i * 160, top + 84, "Glyph strip");
    glyphBox->Properties()->SetGlyph(strip.get());
    glyphBox->SetState(states[i]);
  }
  TcxCheckBox* right = AddCheckBox(page, 500, top + 84, "Box on the right");
  right->Properties()->SetBoxAlignment(taRightJustify);
  right->SetChecked(true);
  TcxCheckBox* multi = AddCheckBox(page, 660, top + 84, "A caption on more than one line");
  multi->Properties()->SetMultiLine(true);
  multi->SetAutoSize(false);
  multi->SetBounds(660, top + 84, 150, 36);
  auto* inPlace = page.Place(new TcxCheckBox(page.Form(), true), 830, top + 84, 60, 21);
  inPlace->SetChecked(true);
  TcxCheckBox* coloured = AddCheckBox(page, 900, top + 84, "Coloured text");
  coloured->Style()->SetTextColor(clMaroon);
  coloured->Style()->Font()->SetStyle({TFontStyle::fsBold});
}

}  // namespace

void BuildCheckLabelPage(TGalleryPage& page) {
  StartUnits({&cxContainerUnit, &cxEditPaintUtilsUnit, &cxEditUnit, &cxCheckBoxUnit, &cxLabelUnit});
  AddLabels(page, 10);
  AddCheckBoxStates(page, 190);
  AddCheckBoxBorders(page, 360);
}
