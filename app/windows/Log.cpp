#include "Log.h"

#include "AppDialogs.h"
#include "FormReader.h"
#include "Global.h"
#include "SkinColours.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CREATABLE(TFormLog, TForm, TComponent*)

TFormLog* FormLog = nullptr;

// The error handler shows the engine log through this window from now on.
void TFormLog::FormCreate(TObject*) {
  lblLogNote->SetCaption("Please save and send log file to us to help us improve!");
  // The note's dark red cannot be read on a dark skin: there it turns a red that can.
  if (TSkinColours skin; SkinColoursInUse(skin))
    lblLogNote->Style()->SetTextColor(ReadableTextColor(lblLogNote->Style()->TextColor(), skin.Back));
  GlobalShowLog = MakeEvent(this, &TFormLog::ShowLog);
}

TFormLog::~TFormLog() {
  if (GlobalShowLog == MakeEvent(this, &TFormLog::ShowLog)) GlobalShowLog = nullptr;
}

void TFormLog::SaveClick(TObject*) {
  if (ExecuteFileDialog(SaveDialog)) MemoLog->Lines()->SaveToFile(SaveDialog->FileName());
}

void TFormLog::ShowLog(TStrings* Lines) {
  MemoLog->Lines()->Assign(Lines);
  ShowModal();
}

void TFormLog::Register() {
  static constinit const TPropInfo fields[] = {
      PublishedField<&TFormLog::MemoLog>("MemoLog"),       PublishedField<&TFormLog::lblLogNote>("lblLogNote"),
      PublishedField<&TFormLog::Save>("Save"),             PublishedField<&TFormLog::Cancel>("Cancel"),
      PublishedField<&TFormLog::SaveDialog>("SaveDialog"),
  };
  static constinit const TMethodInfo methods[] = {
      PublishedMethod<&TFormLog::FormCreate>("FormCreate"),
      PublishedMethod<&TFormLog::SaveClick>("SaveClick"),
  };
  RegisterPublishedProperties(StaticClass(), fields);
  RegisterPublishedMethods(StaticClass(), methods);
  RegisterClass(StaticClass());
}

namespace {
void StartLog() { TFormLog::Register(); }
void StopLog() { UnRegisterClass(TFormLog::StaticClass()); }
}  // namespace

constinit const TUnitInfo LogUnit{"Log", StartLog, StopLog};
