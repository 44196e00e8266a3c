// Bar edits and combos: one toolbar window per bar painter with a captioned edit, a disabled edit
// and a combo of file kinds; the last toolbar's combo is being edited with its list dropped down.
#include <string>

#include "GalleryPages.h"
#include "barwindow_fixture.h"
#include "dxBarEditControls.h"
#include "dxBarEditItems.h"
#include "dxBarFlatPainter.h"
#include "dxBarOffice11Painter.h"
#include "dxBarXPPainter.h"

namespace {

struct TPainterRow {
  const char* Name;
  TdxBarPainterClass Painter;
};

TdxBarEdit* AddEdit(TTestLinksOwner* owner, TForm* form, const char* caption, const char* text) {
  auto* edit = new TdxBarEdit(form);
  edit->SetCaption(caption);
  edit->SetShowCaption(caption[0] != 0);
  edit->SetText(text);
  edit->SetWidth(110);
  owner->Links()->AddItem(edit);
  return edit;
}

TdxBarCombo* AddCombo(TTestLinksOwner* owner, TForm* form) {
  auto* combo = new TdxBarCombo(form);
  combo->SetCaption("&Kind");
  combo->SetShowCaption(true);
  combo->SetWidth(110);
  for (const char* entry : {"Video (mkv)", "Video (mp4)", "Audio (ogg)", "Audio (flac)", "Pictures (png)"})
    combo->Items()->Add(entry);
  combo->SetItemIndex(1);
  owner->Links()->AddItem(combo);
  return combo;
}

}  // namespace

void BuildBarEditsPage(TGalleryPage& page) {
  auto* manager = new TdxBarManager(page.Form());
  page.AddLabel(8, 8, "Bar edits and combos per painter: captioned edit, disabled edit, combo (the last one dropped down)",
                760);
  const TPainterRow rows[] = {{"TdxBarPainter", TdxBarPainter::Instance()},
                              {"TdxBarStandardPainter", TdxBarStandardPainter::Instance()},
                              {"TdxBarEnhancedPainter", TdxBarEnhancedPainter::Instance()},
                              {"TdxBarXPPainter", TdxBarXPPainter::Instance()},
                              {"TdxBarFlatPainter", TdxBarFlatPainter::Instance()},
                              {"TdxBarOffice11Painter", TdxBarOffice11Painter::Instance()}};
  int top = 34;
  TdxBarCombo* last = nullptr;
  for (const TPainterRow& row : rows) {
    page.AddLabel(8, top + 12, row.Name, 170);
    auto* owner = new TTestLinksOwner(page.Form(), manager, false);
    AddEdit(owner, page.Form(), "&Name", "holiday-2026");
    AddEdit(owner, page.Form(), "", "read only here")->SetEnabled(false);
    last = AddCombo(owner, page.Form());
    TCustomdxBarControl* bar = owner->Links()->CreateBarControl();
    bar->SetPainter(row.Painter);
    page.Place(bar, 186, top, 560, 36);
    page.AfterShow([owner] { owner->Show(); });
    top += 48;
  }
  page.AfterShow([last] {
    last->FocusEditor();
    if (auto* control = ObjectAs<TCustomdxBarComboControl>(last->Links(0)->Control())) control->SetDroppedDown(true);
  });
}
