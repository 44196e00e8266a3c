// The framed-controls page: panels and group boxes in their frame and group styles, bitmap buttons
// (grouped, bordered, disabled), check boxes in their states, control buttons, framed edits in every
// frame style and spin edits, the last ones set up as the clip editor's crop fields.
#include <string>

#include "GalleryPages.h"
#include "RzBmpBtn.h"
#include "RzButton.h"
#include "RzEdit.h"
#include "RzFramedTypes.h"
#include "RzPanel.h"
#include "RzRadChk.h"
#include "RzSpnEdt.h"

namespace {

void BuildPanels(TGalleryPage& page) {
  page.AddLabel(16, 12, "Panels: outer border in each frame style; grid, gradient, inner border, caption", 800);
  for (int style = fsNone; style <= fsFlatRounded; ++style) {
    auto* panel = page.Place(new TRzPanel(page.Form()), 16 + (style % 6) * 112, 32 + (style / 6) * 52, 104, 44);
    panel->SetBorderOuter(static_cast<TFrameStyle>(style));
    panel->SetCaption(FrameStyleInfo.Names[style]);
  }
  auto* grid = page.Place(new TRzPanel(page.Form()), 696, 32, 120, 96);
  grid->SetShowGrid(true);
  grid->SetGridStyle(gsDottedLines);
  grid->SetBorderOuter(fsFlat);
  grid->SetCaption("Grid");
  auto* gradient = page.Place(new TRzPanel(page.Form()), 828, 32, 120, 96);
  gradient->SetVisualStyle(vsGradient);
  gradient->SetBorderOuter(fsGroove);
  gradient->SetBorderInner(fsFlatRounded);
  gradient->SetBorderWidth(2);
  gradient->SetAlignmentVertical(avTop);
  gradient->SetCaption("Gradient, inner rounded border");
  auto* disabled = page.Place(new TRzPanel(page.Form()), 960, 32, 120, 96);
  disabled->SetBorderOuter(fsStatus);
  disabled->SetBevelWidth(2);
  disabled->SetCaption("Disabled");
  disabled->SetEnabled(false);
}

void BuildGroupBoxes(TGalleryPage& page) {
  page.AddLabel(16, 142, "Group boxes: standard, custom, top line, flat (the clip editor's), banner, underline", 800);
  const char* const names[] = {"&Standard", "Custom", "Top line", "&Video", "Banner", "Underline"};
  for (int style = gsStandard; style <= gsUnderline; ++style) {
    auto* box = page.Place(new TRzGroupBox(page.Form()), 16 + style * 176, 162, 168, 90);
    box->SetGroupStyle(static_cast<TRzGroupBoxStyle>(style));
    box->SetCaption(names[style]);
    if (style == gsCustom) box->SetBorderOuter(fsFlatRounded);
    auto* check = new TRzCheckBox(page.Form());
    check->SetParent(box);
    check->SetBounds(12, 40, 140, 20);
    check->SetCaption("Apply to child");
    if (style == gsFlat) {
      box->SetTransparent(true);
      box->Font()->SetColor(clNavy);
    }
  }
}

// A 56 x 24 face on an olive (transparent) ground.
void DrawFace(TBitmap& bitmap, TColor face, TColor edge) {
  bitmap.SetSize(56, 24);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Brush()->SetColor(clOlive);
  canvas->FillRect({0, 0, 56, 24});
  canvas->Brush()->SetColor(face);
  canvas->Pen()->SetColor(edge);
  canvas->RoundRect(1, 1, 55, 23, 8, 8);
}

void BuildBitmapButtons(TGalleryPage& page) {
  page.AddLabel(16, 266, "Bitmap buttons: up, grouped down, single, button border, disabled", 410);
  static TBitmap up, down, hot;
  DrawFace(up, 0xE0C8A0, 0x806040);
  DrawFace(down, 0xA08060, 0x402010);
  DrawFace(hot, 0xF0E0C0, 0x806040);
  const TButtonBorder borders[] = {bbNone, bbNone, bbSingle, bbButton, bbNone};
  const char* const captions[] = {"&Reset", "Apply", "Single", "Button", "Off"};
  for (int i = 0; i < 5; ++i) {
    auto* button = page.Place(new TRzBmpButton(page.Form()), 16 + i * 80, 286, 56, 24);
    button->SetButtonBorder(borders[i]);
    button->Bitmaps()->SetUp(&up);
    button->Bitmaps()->SetDown(&down);
    button->Bitmaps()->SetHot(&hot);
    button->SetCaption(captions[i]);
    if (i < 2) button->SetGroupIndex(1);
    if (i == 1) button->SetDown(true);
    if (i == 4) button->SetEnabled(false);
  }
}

void BuildCheckBoxes(TGalleryPage& page) {
  page.AddLabel(440, 266, "Check boxes: unchecked, checked, grayed, hot-tracking, read-only, disabled", 640);
  struct TBox {
    const char* Caption;
    TCheckBoxState State;
    bool HotTrack, ReadOnly, Enabled;
  } const boxes[] = {{"Unchecked", cbUnchecked, false, false, true}, {"Checked", cbChecked, false, false, true},
                     {"Grayed", cbGrayed, false, false, true},       {"Hot track", cbChecked, true, false, true},
                     {"Read-only", cbChecked, true, true, true},     {"Disabled", cbChecked, true, false, false}};
  for (int i = 0; i < 6; ++i) {
    auto* box = page.Place(new TRzCheckBox(page.Form()), 440 + (i % 3) * 110, 286 + (i / 3) * 22, 104, 20);
    box->SetCaption(boxes[i].Caption);
    box->SetAllowGrayed(true);
    box->SetState(boxes[i].State);
    box->SetHotTrack(boxes[i].HotTrack);
    box->SetReadOnly(boxes[i].ReadOnly);
    box->SetDisabledColor(clInfoBk);
    box->SetEnabled(boxes[i].Enabled);
  }
}

void BuildControlButtons(TGalleryPage& page) {
  page.AddLabel(16, 340, "Control buttons: left, up, right, down, drop-down; flat below", 400);
  for (int flat = 0; flat < 2; ++flat)
    for (int style = cbsLeft; style <= cbsDropDown; ++style) {
      auto* button = page.Place(new TRzControlButton(page.Form()), 16 + (style - 1) * 24, 360 + flat * 26, 17, 21);
      button->SetStyle(static_cast<TRzControlButtonStyle>(style));
      button->SetFlat(flat == 1);
    }
}

void BuildEdits(TGalleryPage& page) {
  page.AddLabel(16, 420, "Framed edits: the custom frame in each frame style; a time field; spin edits (crop fields)", 900);
  for (int style = fsNone; style <= fsFlatRounded; ++style) {
    auto* edit = page.Place(new TRzMaskEdit(page.Form()), 16 + (style % 6) * 112, 440 + (style / 6) * 30, 104, 22);
    edit->SetFramingPreference(fpCustomFraming);
    edit->SetFrameVisible(true);
    edit->SetFrameStyle(static_cast<TFrameStyle>(style));
    edit->SetText(FrameStyleInfo.Names[style]);
  }
  auto* time = page.Place(new TRzMaskEdit(page.Form()), 696, 440, 104, 22);
  time->SetEditMask("!00:00:00.000;1;_");
  time->SetMaxLength(12);
  time->SetText("00:01:30.250");
  auto* readOnly = page.Place(new TRzMaskEdit(page.Form()), 810, 440, 104, 22);
  readOnly->SetReadOnly(true);
  readOnly->SetText("Read-only");
  const char* const crops[] = {"Top", "Left", "Right", "Bottom"};
  for (int i = 0; i < 4; ++i) {
    page.AddLabel(16 + i * 120, 506, crops[i], 60);
    auto* spin = page.Place(new TRzSpinEdit(page.Form()), 16 + i * 120, 524, 70, 21);
    spin->SetFlatButtons(i % 2 == 1);
    spin->SetFlatButtonColor(clWhite);
    spin->SetMax(576);
    spin->SetValue(i * 24);
  }
  auto* decimals = page.Place(new TRzSpinEdit(page.Form()), 496, 524, 80, 21);
  decimals->SetIntegersOnly(false);
  decimals->SetDecimals(2);
  decimals->SetValue(12.5L);
  auto* sideways = page.Place(new TRzSpinEdit(page.Form()), 600, 524, 90, 21);
  sideways->SetOrientation(orHorizontal);
  sideways->SetDirection(sdLeftRight);
  sideways->SetValue(7);
  auto* framed = page.Place(new TRzSpinEdit(page.Form()), 710, 524, 80, 21);
  framed->SetFramingPreference(fpCustomFraming);
  framed->SetFrameVisible(true);
  framed->SetFrameStyle(fsFlatBold);
  framed->SetValue(42);
}

}  // namespace

void BuildFramedControlsPage(TGalleryPage& page) {
  BuildPanels(page);
  BuildGroupBoxes(page);
  BuildBitmapButtons(page);
  BuildCheckBoxes(page);
  BuildControlButtons(page);
  BuildEdits(page);
}
