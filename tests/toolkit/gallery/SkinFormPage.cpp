// Standard push buttons, panels and a frame, which the gallery's skin controller paints with the
// form's skin when a skin is chosen, and two more windows for the other caption kinds: a tool window
// (small caption, close button only) and a dialog frame (no icon).
#include "ExtCtrls.h"
#include "Forms.h"
#include "GalleryPages.h"
#include "StdCtrls.h"

namespace {

void AddButtons(TGalleryPage& page, int x, int y) {
  page.AddLabel(x, y, "Push buttons: normal, focused, disabled, two lines");
  TForm* form = page.Form();
  const char* captions[4] = {"&Normal", "&Focused", "&Disabled", "First line\nsecond line"};
  for (int i = 0; i < 4; ++i) {
    auto* button = page.Place(new TButton(form), x + i * 150, y + 22, 140, i == 3 ? 44 : 30);
    button->SetCaption(captions[i]);
    if (i == 2) button->SetEnabled(false);
    if (i == 3)
      page.AfterShow([button] {
        SetWindowLongA(button->Handle(), GWL_STYLE, GetWindowLongA(button->Handle(), GWL_STYLE) | BS_MULTILINE);
        button->Invalidate();
      });
    if (i == 1) page.AfterShow([button] { button->SetFocus(); });
  }
}

void AddPanels(TGalleryPage& page, int x, int y) {
  page.AddLabel(x, y, "Panels: button face with bevel, own colour, no bevel left-aligned, parent background", 700);
  struct TPanelCase { const char* Caption; TColor Color; TBevelCut Bevel; TAlignment Alignment; bool ParentBackground; } const cases[] = {
      {"Button face", clBtnFace, bvRaised, taCenter, false},
      {"Own colour", 0xD8F0D8, bvLowered, taCenter, false},
      {"Left caption", clBtnFace, bvNone, taLeftJustify, false},
      {"Parent background", clBtnFace, bvRaised, taRightJustify, true}};
  for (int i = 0; i < 4; ++i) {
    const TPanelCase& c = cases[i];
    auto* panel = page.Place(new TPanel(page.Form()), x + i * 190, y + 22, 175, 80);
    panel->SetCaption(c.Caption);
    panel->SetColor(c.Color);
    panel->SetBevelOuter(c.Bevel);
    panel->SetAlignment(c.Alignment);
    panel->SetParentBackground(c.ParentBackground);
  }
}

void AddFrame(TGalleryPage& page, int x, int y) {
  page.AddLabel(x, y, "Frame with a label and a push button on the form's background");
  auto* frame = page.Place(new TFrame(page.Form()), x, y + 22, 360, 90);
  frame->SetParentBackground(false);
  auto* label = new TLabel(frame);
  label->SetParent(frame);
  label->SetBounds(12, 12, 320, 16);
  label->SetCaption("A label inside the frame");
  auto* button = new TButton(frame);
  button->SetParent(frame);
  button->SetBounds(12, 40, 140, 30);
  button->SetCaption("In the frame");
}

// Another top-level window of the process beside the gallery; the gallery form owns it.
void ShowWindowOfStyle(TGalleryPage& page, const char* caption, TFormBorderStyle style, int x, int y) {
  auto* window = new TForm(page.Form(), 0);
  window->SetBorderStyle(style);
  window->SetCaption(caption);
  window->SetBounds(x, y, 300, 150);
  auto* button = new TButton(window);
  button->SetParent(window);
  button->SetBounds(20, 30, 120, 30);
  button->SetCaption("OK");
  window->Show();
}

}  // namespace

void BuildSkinFormPage(TGalleryPage& page) {
  AddButtons(page, 8, 8);
  AddPanels(page, 8, 110);
  AddFrame(page, 8, 240);
  page.AddLabel(8, 380, "Beside: a tool window and a dialog frame (skinned frames when a skin is chosen)", 700);
  page.AfterShow([&page] {
    ShowWindowOfStyle(page, "Tool window", bsToolWindow, 900, 120);
    ShowWindowOfStyle(page, "Dialog frame", bsDialog, 900, 320);
  });
}
