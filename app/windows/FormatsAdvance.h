// The output settings dialog "Settings": the output settings frame above "Default", "OK" and
// "Cancel". "Default" selects the profile's defaults and stays open; "OK" applies the rows.
// Every time it is shown the rows are loaded again from the catalogue's selection, so rows changed
// and then cancelled never show values that are not in effect.
#pragma once
#include "Forms.h"
#include "OFormat.h"

class TRzPanel;
class TcxButton;

class TFormOSetting : public TForm {
  CALDERAN_CLASS(TFormOSetting)
  using TForm::TForm;

  TFrameOFormat* OFormat = nullptr;
  TRzPanel* PanelButtons = nullptr;
  TcxButton* Default = nullptr;
  TcxButton* OK = nullptr;
  TcxButton* Cancel = nullptr;

  void FormShow(TObject* Sender);
  void OKClick(TObject* Sender);
  void DefaultClick(TObject* Sender);

  static void Register();
};

extern const TUnitInfo FormatsAdvanceUnit;
