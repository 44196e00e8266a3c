// The inspector page: the settings inspector read from its stored definition (two categories, nine
// combo rows) as the output settings dialog shows it, with one row's list dropped down, and the
// same rows in the banded and default styles.
#include "GalleryPages.h"
#include "NxInspectorUnits.h"
#include "settings_form.h"

namespace {

TNxInspector* PlaceSettingsInspector(TGalleryPage& page, int x, int y, int width, int height) {
  auto* settings = CreateForm<TFormSettings>(page.Form());
  TNxInspector* inspector = settings->Inspector;
  inspector->SetAlign(alNone);
  inspector->SetParent(page.Form());
  inspector->SetBounds(x, y, width, height);
  return inspector;
}

}  // namespace

void BuildInspectorPage(TGalleryPage& page) {
  StartInspectorUnits();
  TFormSettings::Register();
  page.AddLabel(20, 12, "The settings inspector (Whidbey style), bit rate dropped down", 340);
  TNxInspector* dialog = PlaceSettingsInspector(page, 20, 36, 320, 260);
  page.AddLabel(380, 12, "Banded style, a category collapsed", 320);
  TNxInspector* banded = PlaceSettingsInspector(page, 380, 36, 300, 260);
  banded->SetStyle(psOffice2003);
  banded->Items()->Item(6)->SetExpanded(false);
  page.AddLabel(720, 12, "Default style, a row disabled, the Audio category selected");
  TNxInspector* plain = PlaceSettingsInspector(page, 720, 36, 300, 260);
  plain->Items()->Item(2)->SetEnabled(false);
  plain->Select(plain->Items()->Item(6));

  page.AfterShow([dialog] {
    auto* row = static_cast<TNxComboBoxItem*>(dialog->Items()->Item(2));
    dialog->Select(row);
    row->ComboEditor()->SetDroppedDown(true);
  });
}
