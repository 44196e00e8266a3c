// A form read from the stored definition CommandRibbon.form (resource TFORMCOMMANDRIBBON): a ribbon
// like the main window's command strip, one tab of three groups ("File", "Edit", "Help") of
// buttons bound to the form's handlers. Shared by the ribbon's tests and the gallery page.
#pragma once
#include <string>
#include <vector>

#include "Forms.h"
#include "TypInfo.h"
#include "dxBarButtons.h"
#include "dxBarManager.h"
#include "dxBarToolbar.h"
#include "dxRibbon.h"

class TFormCommandRibbon : public TForm {
  CALDERAN_CLASS(TFormCommandRibbon)
  using TForm::TForm;

  TdxRibbon* Ribbon = nullptr;
  TdxRibbonTab* RibbonTab1 = nullptr;
  TdxBarManager* BarManager = nullptr;
  TdxBar* dxBarManagerBar1 = nullptr;
  TdxBar* dxBarManagerBar2 = nullptr;
  TdxBar* dxBarManagerBar3 = nullptr;
  TdxBarButton* btnAdd = nullptr;
  TdxBarButton* btnTrim = nullptr;
  TdxBarButton* btnAbout = nullptr;

  // The commands run, in order: "manager:<caption>" from the manager, then the handler's name.
  std::vector<std::string> Commands;

  void BarManagerClickItem(TdxBarManager*, TdxBarItem* item) { Commands.push_back("manager:" + item->Caption()); }
  void AddVideo(TObject*) { Commands.push_back("AddVideo"); }
  void DeleteVideo(TObject*) { Commands.push_back("DeleteVideo"); }
  void ClearVideo(TObject*) { Commands.push_back("ClearVideo"); }
  void ShowEffectEdit(TObject*) { Commands.push_back("ShowEffectEdit"); }
  void ShowTrimEdit(TObject*) { Commands.push_back("ShowTrimEdit"); }
  void ShowCropEdit(TObject*) { Commands.push_back("ShowCropEdit"); }
  void HelpClick(TObject*) { Commands.push_back("HelpClick"); }
  void ShowAbout(TObject*) { Commands.push_back("ShowAbout"); }

  static void Register() {
    using F = TFormCommandRibbon;
    static constinit const TPropInfo fields[] = {
        PublishedField<&F::Ribbon>("Ribbon"),
        PublishedField<&F::RibbonTab1>("RibbonTab1"),
        PublishedField<&F::BarManager>("BarManager"),
        PublishedField<&F::dxBarManagerBar1>("dxBarManagerBar1"),
        PublishedField<&F::dxBarManagerBar2>("dxBarManagerBar2"),
        PublishedField<&F::dxBarManagerBar3>("dxBarManagerBar3"),
        PublishedField<&F::btnAdd>("btnAdd"),
        PublishedField<&F::btnTrim>("btnTrim"),
        PublishedField<&F::btnAbout>("btnAbout"),
    };
    static constinit const TMethodInfo methods[] = {
        PublishedMethod<&F::BarManagerClickItem>("BarManagerClickItem"),
        PublishedMethod<&F::AddVideo>("AddVideo"),
        PublishedMethod<&F::DeleteVideo>("DeleteVideo"),
        PublishedMethod<&F::ClearVideo>("ClearVideo"),
        PublishedMethod<&F::ShowEffectEdit>("ShowEffectEdit"),
        PublishedMethod<&F::ShowTrimEdit>("ShowTrimEdit"),
        PublishedMethod<&F::ShowCropEdit>("ShowCropEdit"),
        PublishedMethod<&F::HelpClick>("HelpClick"),
        PublishedMethod<&F::ShowAbout>("ShowAbout"),
    };
    RegisterPublishedProperties(StaticClass(), fields);
    RegisterPublishedMethods(StaticClass(), methods);
    RegisterClass(StaticClass());
  }
};

inline constinit const TMetaClass TFormCommandRibbon::ClassRecord{
    "TFormCommandRibbon", &TForm::ClassRecord, [](TObject* owner) -> TObject* {
      return new TFormCommandRibbon(static_cast<TComponent*>(owner));
    }};
