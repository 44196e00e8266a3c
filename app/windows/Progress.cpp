#include "Progress.h"

#include <cmath>

#include "AppDialogs.h"
#include "FormReader.h"
#include "Global.h"
#include "GlobalFun.h"
#include "SysUtils.h"
#include "TypInfo.h"
#include "VideoList.h"

CALDERAN_IMPLEMENT_CREATABLE(TFormProgress, TForm, TComponent*)

TFormProgress* FormProgress = nullptr;

int ProgressPercent(int64_t Position, int64_t Length) {
  if (Length <= 0) return 0;  // an empty trim: nothing to measure until the engine says done
  return static_cast<int>(std::trunc(static_cast<long double>(Position * 100) / Length));
}

double TotalPercent(int Percent, int Current, int Count) {
  if (Count <= 0) return 0;
  return static_cast<double>(Percent) / Count + static_cast<double>(Current * 100) / Count;
}

std::string SafeOutputName(const std::string& Typed, const std::string& InputPath) {
  std::string name = Typed;
  for (char& c : name)
    if (static_cast<unsigned char>(c) < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) c = '_';
  const size_t first = name.find_first_not_of(" .");
  name = first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(" .") - first + 1);
  return name.empty() ? OutputNameOf(InputPath) : name;
}

namespace {

// Cancels a job left half-configured by an engine error; a second error would hide the first.
void CancelQuietly() {
  try {
    GlobalMediaConverter->Cancel();
  } catch (...) {
  }
}

// Clears a re-entry flag however a tick ends.
struct TReentryGuard {
  bool& flag;
  explicit TReentryGuard(bool& f) : flag(f) { flag = true; }
  ~TReentryGuard() { flag = false; }
};

}  // namespace

TFormProgress::~TFormProgress() { BeforeDestruction(); }

void TFormProgress::FormCreate(TObject*) {
  FTasks = std::make_unique<TStringList>();
  FCurrent = 0;
  FPreviewBits = nullptr;
  FPreviewSize = 0;
}

void TFormProgress::FormDestroy(TObject*) {
  if (!FTasks) return;
  FTasks->Clear();
  FTasks.reset();
}

void TFormProgress::AddTask(const std::string& Path, TTaskInfo* Task) { FTasks->AddObject(Path, Task); }

void TFormProgress::ClearTasks() { FTasks->Clear(); }

void TFormProgress::SetTimers(bool On) {
  UpdateProgress->SetEnabled(On);
  UpdatePreview->SetEnabled(On);
}

void TFormProgress::SetState(int32_t State) {
  switch (State) {
    case 0:
      btnPause->SetCaption("Resume"), btnCancel->SetCaption("Cancel");
      btnPause->SetEnabled(true), btnCancel->SetEnabled(true);
      SetTimers(false);
      break;
    case 1:
    case 2:
      btnPause->SetCaption("Pause"), btnCancel->SetCaption("Cancel");
      btnPause->SetEnabled(true), btnCancel->SetEnabled(true);
      SetTimers(true);
      break;
    case 3:
      btnPause->SetCaption("Pause"), btnCancel->SetCaption("Close");
      btnPause->SetEnabled(false), btnCancel->SetEnabled(true);
      SetTimers(false);
      break;
    default: break;
  }
}

void TFormProgress::FormShow(TObject*) {
  SetState(2);
  ImageReview->Picture()->SetGraphic(nullptr);
  pbCurr->SetPosition(0);
  pbTatal->SetPosition(0);
  lblTotal->SetCaption("");
  lblFile->SetCaption("");
  FCurrent = 0;
  FUsedNames.clear();
  StartFrom(0);
}

std::string TFormProgress::OutputPath(int Index, const FormatDetail& Detail) {
  auto* task = dynamic_cast<TTaskInfo*>(FTasks->Objects(Index));
  const std::string base = SafeOutputName(task->OutName, FTasks->Get(Index));
  std::string name = base;
  for (int n = 2; FUsedNames.count(LowerCase(name)); ++n) name = base + "_" + IntToStr(n);
  FUsedNames.insert(LowerCase(name));
  return FOutDir + name + "." + Detail.FileExt;
}

bool TFormProgress::BeginTask(int Index) {
  const FormatDetail detail = GlobalFormats->GetCurrentOutputParams();
  auto* task = dynamic_cast<TTaskInfo*>(FTasks->Objects(Index));
  if (!task) throw Exception("Invalid class typecast");
  const std::string path = FTasks->Get(Index);
  const std::string outPath = OutputPath(Index, detail);
  if (FileExists(outPath) &&
      AppMessageBox(Format("Are you sure you want to replace the exiting file '%s'?", {ExtractFileName(outPath)}),
                    "Information", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
    return false;
  RunTask(path, outPath, detail, task);
  return true;
}

void TFormProgress::RunTask(const std::string& Path, const std::string& OutPath, const FormatDetail& Detail,
                            TTaskInfo* Task) {
  StartConversionJob(*GlobalMediaConverter, Path, OutPath, Detail, *Task, MakeEvent(this, &TFormProgress::SetState));
}

// The timers stay off while a task starts: the replace question is modal and its message loop
// would run the ticks, which could start the same task again or skip one.
void TFormProgress::StartFrom(int Index) {
  SetTimers(false);
  try {
    for (FCurrent = Index; FCurrent < TaskCount(); ++FCurrent) {
      if (BeginTask(FCurrent)) {
        SetTimers(true);
        return;
      }
      pbTatal->SetPosition(static_cast<double>((FCurrent + 1) * 100) / TaskCount());  // declined: passed
    }
  } catch (...) {
    CancelQuietly();
    throw;
  }
  SetState(3);
  ShowInfo("All conversion tasks have been finished!");
}

void TFormProgress::ShowProgress(int Percent) {
  pbCurr->SetPosition(Percent);
  pbTatal->SetPosition(TotalPercent(Percent, FCurrent, TaskCount()));
  lblTotal->SetCaption(Format("[%d/%d]", {FCurrent + 1, TaskCount()}));
  lblFile->SetCaption(ExtractFileName(FTasks->Get(FCurrent)));
}

void TFormProgress::TaskDone() {
  pbCurr->SetPosition(100);
  pbTatal->SetPosition(static_cast<double>((FCurrent + 1) * 100) / TaskCount());
  StartFrom(FCurrent + 1);
}

void TFormProgress::UpdateProgressTimer(TObject*) {
  if (FInTick || FCurrent >= TaskCount()) return;
  TReentryGuard guard(FInTick);
  try {
    auto* task = dynamic_cast<TTaskInfo*>(FTasks->Objects(FCurrent));
    const int64_t length = task->EndTime - task->StartTime;
    const int64_t pos = GlobalMediaConverter->GetPosition() - task->StartTime;
    ShowProgress(ProgressPercent(pos, length));
    uint8_t second = 0;
    if (GlobalMediaConverter->WaitFor(second)) TaskDone();
  } catch (...) {
    // One error box, not one every 300 ms: polling stops and the job is abandoned.
    SetTimers(false);
    CancelQuietly();
    throw;
  }
}

void TFormProgress::UpdatePreviewTimer(TObject*) {
  if (!cbPreview->Checked()) return;
  try {
    int32_t width = 0, height = 0;
    FPreviewSize = GlobalMediaConverter->GetSnapshot(FPreviewBits, width, height);
    if (FPreviewSize < 1) return;
    TBitmap frame;
    BitmapFromBits(&frame, FPreviewBits, FPreviewSize, width, height, 32);
    TCanvas* canvas = ImageReview->Canvas();
    SetStretchBltMode(canvas->Handle(), COLORONCOLOR);
    StretchBlt(canvas->Handle(), 0, 0, ImageReview->Width(), ImageReview->Height(), frame.Canvas()->Handle(), 0, 0,
               width, height, SRCCOPY);
    ImageReview->Invalidate();
  } catch (...) {
    SetTimers(false);
    throw;
  }
}

void TFormProgress::btnPauseClick(TObject*) {
  if (btnPause->Caption() == "Pause")
    GlobalMediaConverter->Pause();
  else
    GlobalMediaConverter->Resume(true);
}

void TFormProgress::btnCancelClick(TObject*) { Close(); }

void TFormProgress::FormClose(TObject*, TCloseAction& Action) {
  if (ConfirmClose())
    ClearTasks();
  else
    Action = caNone;
}

bool TFormProgress::ConfirmClose() {
  if (btnCancel->Caption() != "Cancel") return true;
  if (AppMessageBox("Cancel conversion?", "Information", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) return false;
  GlobalMediaConverter->Cancel();
  SetTimers(false);
  WaitForCancel();
  return true;
}

// Polls until the engine reports the job ended, handling messages and resting between polls; an
// engine that never answers is given up on after FCancelWaitMs.
void TFormProgress::WaitForCancel() {
  const uint64_t deadline = FClock() + FCancelWaitMs;
  uint8_t second = 0;
  while (!GlobalMediaConverter->WaitFor(second)) {
    if (FClock() >= deadline) {
      ShowError("The converter did not stop in time; the last output file may be incomplete.");
      return;
    }
    Application->ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

void TFormProgress::Register() {
  using F = TFormProgress;
  static constinit const TPropInfo fields[] = {
      PublishedField<&F::Panel1>("Panel1"),         PublishedField<&F::ImageReview>("ImageReview"),
      PublishedField<&F::cbPreview>("cbPreview"),   PublishedField<&F::cxLabel1>("cxLabel1"),
      PublishedField<&F::lblTotal>("lblTotal"),     PublishedField<&F::cxLabel3>("cxLabel3"),
      PublishedField<&F::lblFile>("lblFile"),       PublishedField<&F::pbCurr>("pbCurr"),
      PublishedField<&F::pbTatal>("pbTatal"),       PublishedField<&F::btnPause>("btnPause"),
      PublishedField<&F::btnCancel>("btnCancel"),   PublishedField<&F::UpdateProgress>("UpdateProgress"),
      PublishedField<&F::UpdatePreview>("UpdatePreview"),
  };
  static constinit const TMethodInfo methods[] = {
      PublishedMethod<&F::FormCreate>("FormCreate"),
      PublishedMethod<&F::FormDestroy>("FormDestroy"),
      PublishedMethod<&F::FormShow>("FormShow"),
      PublishedMethod<&F::FormClose>("FormClose"),
      PublishedMethod<&F::UpdateProgressTimer>("UpdateProgressTimer"),
      PublishedMethod<&F::UpdatePreviewTimer>("UpdatePreviewTimer"),
      PublishedMethod<&F::btnPauseClick>("btnPauseClick"),
      PublishedMethod<&F::btnCancelClick>("btnCancelClick"),
  };
  RegisterPublishedProperties(StaticClass(), fields);
  RegisterPublishedMethods(StaticClass(), methods);
  RegisterClass(StaticClass());
}

namespace {
void StartProgress() { TFormProgress::Register(); }
void StopProgress() { UnRegisterClass(TFormProgress::StaticClass()); }
}  // namespace

constinit const TUnitInfo ProgressUnit{"Progress", StartProgress, StopProgress};
