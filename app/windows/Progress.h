// The conversion progress window: runs the queue of tasks one after another through the converter,
// polls progress (300 ms) and a preview of the frame being encoded (1500 ms), and lets the user
// pause, resume and cancel.
//
// Beyond the plain queue it guards what a modal question or an engine error would otherwise break:
// the timers are stopped while a task is being started (the replace question is modal, and ticks
// must not re-enter), a declined replacement goes straight on to the next task, a trimmed length of
// zero or less never divides, an engine error inside a tick stops polling and cancels the
// half-configured job once, the cancel wait is bounded, and output names can never leave the
// output folder nor collide within one queue.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "Convert.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "RzPanel.h"
#include "cxButtons.h"
#include "cxCheckBox.h"
#include "cxLabel.h"
#include "cxProgressBar.h"

class TFormProgress : public TForm {
  CALDERAN_CLASS(TFormProgress)
  explicit TFormProgress(TComponent* Owner) : TForm(Owner) {}
  ~TFormProgress() override;

  TRzPanel* Panel1 = nullptr;
  TImage* ImageReview = nullptr;
  TcxCheckBox* cbPreview = nullptr;
  TcxLabel* cxLabel1 = nullptr;
  TcxLabel* lblTotal = nullptr;
  TcxLabel* cxLabel3 = nullptr;
  TcxLabel* lblFile = nullptr;
  TcxProgressBar* pbCurr = nullptr;
  TcxProgressBar* pbTatal = nullptr;
  TcxButton* btnPause = nullptr;
  TcxButton* btnCancel = nullptr;
  TTimer* UpdateProgress = nullptr;
  TTimer* UpdatePreview = nullptr;

  void AddTask(const std::string& Path, TTaskInfo* Task);
  void ClearTasks();
  int TaskCount() const { return FTasks ? FTasks->Count() : 0; }
  int Current() const { return FCurrent; }
  // The converter's state callback: 0 paused, 1 or 2 running, 3 finished.
  void SetState(int32_t State);

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void UpdateProgressTimer(TObject* Sender);
  void UpdatePreviewTimer(TObject* Sender);
  void btnPauseClick(TObject* Sender);
  void btnCancelClick(TObject* Sender);
  static void Register();

  std::string FOutDir;
  // How long the cancel wait polls the engine before it gives up (milliseconds), and the clock
  // it measures that with (milliseconds; a test puts its own, so no run has to wait it out).
  uint32_t FCancelWaitMs = 20000;
  std::function<uint64_t()> FClock = [] { return static_cast<uint64_t>(GetTickCount64()); };

 private:
  // Starts task Index; false when the user declined to replace its output file.
  bool BeginTask(int Index);
  // Starts the first task from Index on that the user lets run, or finishes the queue.
  void StartFrom(int Index);
  void RunTask(const std::string& Path, const std::string& OutPath, const FormatDetail& Detail, TTaskInfo* Task);
  bool ConfirmClose();
  void WaitForCancel();
  void TaskDone();
  void SetTimers(bool On);
  void ShowProgress(int Percent);
  std::string OutputPath(int Index, const FormatDetail& Detail);

  std::unique_ptr<TStringList> FTasks;
  int32_t FCurrent = 0;
  const uint8_t* FPreviewBits = nullptr;
  int32_t FPreviewSize = 0;
  std::set<std::string> FUsedNames;  // output names (lower case) given out in this queue
  bool FInTick = false;
};

// The file name an output gets from the name the user typed: characters that cannot stand in a
// file name (separators included) become "_", surrounding blanks and points go, and an empty
// result falls back to the input's own output name.
// The percent of the current file (truncated toward zero; 0 for a length of zero or less) and of
// the whole queue (not truncated).
int ProgressPercent(int64_t Position, int64_t Length);
double TotalPercent(int Percent, int Current, int Count);

std::string SafeOutputName(const std::string& Typed, const std::string& InputPath);

extern TFormProgress* FormProgress;

extern const TUnitInfo ProgressUnit;
