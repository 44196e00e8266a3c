#include "FormatsAdvance.h"

#include "RzPanel.h"
#include "TypInfo.h"
#include "cxButtons.h"

CALDERAN_IMPLEMENT_CREATABLE(TFormOSetting, TForm, TComponent*)

void TFormOSetting::FormShow(TObject*) {
  OFormat->TakeSkinColours();
  OFormat->Update();
}

void TFormOSetting::OKClick(TObject*) { OFormat->ApplySelection(); }

void TFormOSetting::DefaultClick(TObject*) { OFormat->ResetDefaults(); }

void TFormOSetting::Register() {
  using F = TFormOSetting;
  static constinit const TPropInfo fields[] = {
      PublishedField<&F::OFormat>("OFormat"), PublishedField<&F::PanelButtons>("PanelButtons"),
      PublishedField<&F::Default>("Default"), PublishedField<&F::OK>("OK"),
      PublishedField<&F::Cancel>("Cancel"),
  };
  static constinit const TMethodInfo methods[] = {
      PublishedMethod<&F::FormShow>("FormShow"),
      PublishedMethod<&F::OKClick>("OKClick"),
      PublishedMethod<&F::DefaultClick>("DefaultClick"),
  };
  RegisterPublishedProperties(StaticClass(), fields);
  RegisterPublishedMethods(StaticClass(), methods);
  RegisterClass(StaticClass());
}

const TUnitInfo FormatsAdvanceUnit{"FormatsAdvance", &TFormOSetting::Register, nullptr};
