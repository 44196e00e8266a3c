// The inner list box page: list boxes hosted by containers, with no bar, the vertical toolkit bar
// (scrolled), both bars with the size grip between them, a multi-select list and a disabled one.
#include <string>

#include "GalleryPages.h"
#include "cxContainerListBox.h"
#include "cxEdit.h"
#include "cxEditPaintUtils.h"

namespace {

TcxCustomInnerListBox* AddList(TGalleryPage& page, int x, int y, const std::string& caption, int items,
                               int extent) {
  page.AddLabel(x, y, caption, 190);
  auto* container = page.Place(new TcxContainer(page.Form()), x, y + 18, 180, 120);
  auto* list = new TcxCustomInnerListBox(container);
  list->SetParent(container);
  list->SetContainer(container);
  container->SetInnerControl(list);
  for (int i = 0; i < items; ++i)
    list->Items()->Add("Profile " + std::to_string(i + 1) + (extent > 0 ? " - a long description of it" : ""));
  page.AfterShow([list, extent] {
    SendMessageA(list->Handle(), LB_SETHORIZONTALEXTENT, extent, 0);
    list->SetItemIndex(2);
  });
  return list;
}

}  // namespace

void BuildListBoxPage(TGalleryPage& page) {
  StartUnits({&cxContainerUnit, &cxEditPaintUtilsUnit, &cxEditUnit});
  page.AddLabel(10, 4, "Inner list boxes: " + page.Kind() + (page.Skin().empty() ? "" : " / " + page.Skin()), 600);
  AddList(page, 10, 28, "Few items, no bars", 4, 0);
  TcxCustomInnerListBox* scrolled = AddList(page, 210, 28, "Vertical bar, scrolled", 30, 0);
  page.AfterShow([scrolled] { scrolled->SetTopIndex(6); });
  AddList(page, 410, 28, "Both bars and the grip", 30, 400);
  TcxCustomInnerListBox* multi = AddList(page, 10, 180, "Multi-select", 8, 0);
  multi->SetMultiSelect(true);
  page.AfterShow([multi] {
    for (int i : {0, 2, 3}) multi->SetSelected(i, true);
  });
  TcxCustomInnerListBox* disabled = AddList(page, 210, 180, "Disabled, both bars", 30, 400);
  page.AfterShow([disabled] { static_cast<TControl*>(disabled->Container())->SetEnabled(false); });
}
