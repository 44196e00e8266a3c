// The editor frame page: the base editor with embedded buttons in every buttons style, in its
// states (hot, focused, disabled, a pressed button), in a buttons-only layout and with a shadow.
#include <string>

#include "GalleryPages.h"
#include "cxContainer.h"
#include "cxEdit.h"
#include "cxEditPaintUtils.h"

namespace {

TcxCustomEdit* AddEditor(TGalleryPage& page, int x, int y, int width = 160) {
  auto* editor = page.Place(new TcxCustomEdit(page.Form()), x, y, width, 22);
  editor->SetAutoSize(false);
  editor->SetBounds(x, y, width, 22);
  editor->Style()->SetTransparentBorder(false);
  return editor;
}

void AddButtons(TcxCustomEdit* editor) {
  TcxEditButtons* buttons = editor->Properties()->Buttons();
  buttons->Add()->SetKind(bkEllipsis);
  TcxEditButton* text = buttons->Add();
  text->SetKind(bkText);
  text->SetCaption("&Go");
  buttons->Add()->SetKind(bkDown);
}

void AddStyles(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "Edit buttons by style: ellipsis, text and drop-down (the last row follows the look)");
  const std::pair<const char*, TcxEditButtonStyle> styles[] = {
      {"3D", bts3D},         {"flat", btsFlat},           {"simple", btsSimple},        {"hot-flat", btsHotFlat},
      {"ultra-flat", btsUltraFlat}, {"office-11", btsOffice11}, {"look and feel", btsDefault}};
  int i = 0;
  for (auto [name, style] : styles) {
    const int x = 10 + (i % 4) * 180, y = top + 22 + (i / 4) * 48;
    page.AddLabel(x, y, name, 160);
    TcxCustomEdit* editor = AddEditor(page, x, y + 18);
    editor->Style()->SetEditBorderStyle(style == btsOffice11 ? ebsOffice11 : ebsSingle);
    editor->Style()->SetButtonStyle(style);
    AddButtons(editor);
    ++i;
  }
}

void AddStates(TGalleryPage& page, int top) {
  page.AddLabel(10, top, "States: hot, focused, disabled, a pressed button; buttons only; shadow; left button");
  TcxCustomEdit* hot = AddEditor(page, 10, top + 22);
  AddButtons(hot);
  hot->Style()->SetButtonStyle(btsHotFlat);
  page.AfterShow([hot] { hot->DoMouseMove({}, 20, 10); });
  TcxCustomEdit* focused = AddEditor(page, 190, top + 22);
  AddButtons(focused);
  page.AfterShow([focused] { focused->SetFocus(); focused->ShortRefresh(); });
  TcxCustomEdit* disabled = AddEditor(page, 370, top + 22);
  AddButtons(disabled);
  disabled->SetEnabled(false);
  TcxCustomEdit* pressed = AddEditor(page, 550, top + 22);
  AddButtons(pressed);
  page.AfterShow([pressed] {
    const TRect b = pressed->GetViewInfo()->Button(0)->Bounds;
    pressed->DoMouseDown(mbLeft, {ssLeft}, b.Left + 3, 8);
  });
  TcxCustomEdit* only = AddEditor(page, 10, top + 60, 250);
  AddButtons(only);
  only->Properties()->SetButtonsLayout(eblButtonsOnly);
  TcxCustomEdit* shadow = AddEditor(page, 280, top + 60);
  shadow->Style()->SetShadow(true);
  shadow->SetHeight(25);
  AddButtons(shadow);
  TcxCustomEdit* left = AddEditor(page, 460, top + 60);
  TcxEditButton* button = left->Properties()->Buttons()->Add();
  button->SetKind(bkEllipsis);
  button->SetLeftAlignment(true);
}

}  // namespace

void BuildEditFramePage(TGalleryPage& page) {
  StartUnits({&cxContainerUnit, &cxEditPaintUtilsUnit, &cxEditUnit});
  AddStyles(page, 10);
  AddStates(page, 200);
}
