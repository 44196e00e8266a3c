// The masked editor page: an editor for each mask language with a partly typed value, unfocused
// (the standard mask as its value, and as its template of blanks and literals) and focused (the
// standard mask's block caret), read-only and disabled.
#include <string>

#include "GalleryPages.h"
#include "cxMaskEdit.h"

namespace {

struct TMaskSample {
  const char* caption;
  TcxEditMaskKind kind;
  const char* mask;
  const char* text;
  bool template_;
};

TcxMaskEdit* AddMaskEdit(TGalleryPage& page, int x, int y, const TMaskSample& sample) {
  page.AddLabel(x, y + 3, sample.caption, 200);
  auto* edit = page.Place(new TcxMaskEdit(page.Form()), x + 210, y, 180, 21);
  TcxMaskEditProperties* properties = edit->Properties();
  properties->BeginUpdate();
  properties->SetMaskKind(sample.kind);
  properties->SetEditMask(sample.mask);
  properties->SetAlwaysShowBlanksAndLiterals(sample.template_);
  properties->EndUpdate();
  edit->SetText(sample.text);
  page.AddLabel(x + 400, y + 3, sample.mask, 200);
  return edit;
}

}  // namespace

void BuildMaskEditPage(TGalleryPage& page) {
  const TMaskSample samples[] = {
      {"Standard, value", emkStandard, "99/99/0000;1;_", "12/2", false},
      {"Standard, blanks and literals", emkStandard, "99/99/0000;1;_", "12/2", true},
      {"Standard, telephone", emkStandard, "(999) 000-0000;0;_", "555123", true},
      {"Regular expression", emkRegExpr, "\\d\\d-\\d\\d", "12-3", false},
      {"Extended expression", emkRegExprEx, "\\d{2}/\\d{2}/\\d{4}", "12/25", false},
      {"Extended, forced beginning", emkRegExprEx, "ID-\\d+", "", false},
  };
  page.AddLabel(10, 10, "Masked editors: each mask language with a partly typed value");
  int y = 36;
  for (const TMaskSample& sample : samples) {
    AddMaskEdit(page, 10, y, sample);
    y += 30;
  }
  page.AddLabel(10, y + 6, "Focused, standard mask (block caret on the next blank)");
  TcxMaskEdit* focused = AddMaskEdit(page, 10, y + 26, {"Focused", emkStandard, "99/99/0000;1;_", "12/2", false});
  auto* readOnly = AddMaskEdit(page, 10, y + 56, {"Read-only", emkRegExprEx, "\\d\\d-\\d\\d", "12-3", false});
  readOnly->Properties()->SetReadOnly(true);
  AddMaskEdit(page, 10, y + 86, {"Disabled", emkStandard, "(999) 000-0000;0;_", "555", true})->SetEnabled(false);
  page.AfterShow([focused] {
    focused->InnerTextEdit()->SetFocus();
    SendMessageA(focused->InnerTextEdit()->Handle(), EM_SETSEL, 4, 4);
  });
}
