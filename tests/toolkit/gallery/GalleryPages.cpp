// The gallery's page table. A new page: a Build function in its own <Name>Page.cpp, declared and
// listed here.
#include "GalleryPages.h"

void BuildBasePage(TGalleryPage& page);
void BuildEditorsPage(TGalleryPage& page);
void BuildEditFramePage(TGalleryPage& page);
void BuildCheckLabelPage(TGalleryPage& page);
void BuildFramedPage(TGalleryPage& page);
void BuildFramedControlsPage(TGalleryPage& page);
void BuildSkinFormPage(TGalleryPage& page);
void BuildInspectorPage(TGalleryPage& page);
void BuildProgressPage(TGalleryPage& page);
void BuildShellPage(TGalleryPage& page);
void BuildTextEditPage(TGalleryPage& page);
void BuildMemoPage(TGalleryPage& page);
void BuildMaskEditPage(TGalleryPage& page);
void BuildGroupsPage(TGalleryPage& page);
void BuildDropDownPage(TGalleryPage& page);
void BuildDropDownPanelPage(TGalleryPage& page);
void BuildPopupEditPage(TGalleryPage& page);
void BuildListBoxPage(TGalleryPage& page);
void BuildDockingPage(TGalleryPage& page);
void BuildRibbonBluePage(TGalleryPage& page);
void BuildRibbonBlackPage(TGalleryPage& page);
void BuildRibbonSilverPage(TGalleryPage& page);
void BuildRibbonMainBluePage(TGalleryPage& page);
void BuildRibbonMainBlackPage(TGalleryPage& page);
void BuildRibbonMainSilverPage(TGalleryPage& page);
void BuildRibbonTabsBluePage(TGalleryPage& page);
void BuildRibbonTabsBlackPage(TGalleryPage& page);
void BuildRibbonFormBluePage(TGalleryPage& page);
void BuildRibbonFormBlackPage(TGalleryPage& page);
void BuildRibbonFormSilverPage(TGalleryPage& page);
void BuildRibbonInputBluePage(TGalleryPage& page);
void BuildRibbonInputBlackPage(TGalleryPage& page);
void BuildRibbonInputSilverPage(TGalleryPage& page);
void BuildBarPainterPage(TGalleryPage& page);
void BuildBarPartsPage(TGalleryPage& page);
void BuildBarWindowPage(TGalleryPage& page);
void BuildBarEditsPage(TGalleryPage& page);
void BuildMenusPage(TGalleryPage& page);
void BuildToolbarsPage(TGalleryPage& page);
void BuildLargeButtonPage(TGalleryPage& page);
void BuildSkinSamplePage(TGalleryPage& page);
void BuildBarHintsPage(TGalleryPage& page);
void BuildBarKeyTipsPage(TGalleryPage& page);
void BuildSkinnedBarBluePage(TGalleryPage& page);
void BuildSkinnedBarBlackPage(TGalleryPage& page);
void BuildSkinnedBarSilverPage(TGalleryPage& page);

const std::vector<TGalleryPageEntry>& GalleryPages() {
  static const std::vector<TGalleryPageEntry> pages = {
      {"base", BuildBasePage},
      {"editors", BuildEditorsPage},
      {"editframe", BuildEditFramePage},
      {"checklabel", BuildCheckLabelPage},
      {"framed", BuildFramedPage},
      {"framed-controls", BuildFramedControlsPage},
      {"skinform", BuildSkinFormPage},
      {"inspector", BuildInspectorPage},
      {"progress", BuildProgressPage},
      {"shell", BuildShellPage},
      {"textedit", BuildTextEditPage},
      {"memo", BuildMemoPage},
      {"maskedit", BuildMaskEditPage},
      {"groups", BuildGroupsPage},
      {"dropdown", BuildDropDownPage},
      {"dropdown-panel", BuildDropDownPanelPage},
      {"popupedit", BuildPopupEditPage},
      {"listbox", BuildListBoxPage},
      {"docking", BuildDockingPage},
      {"ribbon-blue", BuildRibbonBluePage},
      {"ribbon-black", BuildRibbonBlackPage},
      {"ribbon-silver", BuildRibbonSilverPage},
      {"ribbon-main-blue", BuildRibbonMainBluePage},
      {"ribbon-main-black", BuildRibbonMainBlackPage},
      {"ribbon-main-silver", BuildRibbonMainSilverPage},
      {"ribbon-tabs-blue", BuildRibbonTabsBluePage},
      {"ribbon-tabs-black", BuildRibbonTabsBlackPage},
      {"ribbon-form-blue", BuildRibbonFormBluePage},
      {"ribbon-form-black", BuildRibbonFormBlackPage},
      {"ribbon-form-silver", BuildRibbonFormSilverPage},
      {"ribbon-input-blue", BuildRibbonInputBluePage},
      {"ribbon-input-black", BuildRibbonInputBlackPage},
      {"ribbon-input-silver", BuildRibbonInputSilverPage},
      {"barpainter", BuildBarPainterPage},
      {"barparts", BuildBarPartsPage},
      {"barwindow", BuildBarWindowPage},
      {"baredits", BuildBarEditsPage},
      {"menus", BuildMenusPage},
      {"toolbars", BuildToolbarsPage},
      {"largebutton", BuildLargeButtonPage},
      {"skin-sample", BuildSkinSamplePage},
      {"bar-hints", BuildBarHintsPage},
      {"bar-keytips", BuildBarKeyTipsPage},
      {"skinned-bar-blue", BuildSkinnedBarBluePage},
      {"skinned-bar-black", BuildSkinnedBarBlackPage},
      {"skinned-bar-silver", BuildSkinnedBarSilverPage},
  };
  return pages;
}

TLabel* TGalleryPage::AddLabel(int x, int y, const std::string& text, int width) {
  auto* label = new TLabel(form_);
  label->SetParent(form_);
  label->SetBounds(x, y, width, 16);
  label->SetCaption(text);
  return label;
}

void TGalleryPage::RunAfterShow() {
  std::vector<std::function<void()>> actions;
  actions.swap(afterShow_);
  for (auto& action : actions) action();
}
