// The log window: shows the engine log after an error, and saves it as a text file of the user's
// choosing.
#pragma once
#include "Dialogs.h"
#include "Forms.h"
#include "cxButtons.h"
#include "cxLabel.h"
#include "cxMemo.h"

class TFormLog : public TForm {
  CALDERAN_CLASS(TFormLog)
  explicit TFormLog(TComponent* Owner) : TForm(Owner) {}
  ~TFormLog() override;

  TcxMemo* MemoLog = nullptr;
  TcxLabel* lblLogNote = nullptr;
  TcxButton* Save = nullptr;
  TcxButton* Cancel = nullptr;
  TSaveDialog* SaveDialog = nullptr;

  void FormCreate(TObject* Sender);
  // Writes the memo's lines to the file the save dialog names; a cancelled dialog writes nothing.
  void SaveClick(TObject* Sender);
  // The error handler's view of the log: takes the lines and shows the window modally.
  void ShowLog(TStrings* Lines);
  static void Register();
};

extern TFormLog* FormLog;

extern const TUnitInfo LogUnit;
