#include "windows_fixture.h"

#include "Progress.h"
#include "SysUtils.h"
#include "windows_media.h"

namespace {

using enginetest::Probe;

// Records the exceptions that reach the application's handler.
struct TErrorLog {
  std::vector<std::string> messages;
  void Handle(TObject*, Exception* e) { messages.push_back(e ? e->Message() : "?"); }
};

struct ProgressWindow : MediaWindowsFixture {
  void SetUp() override {
    form.reset(CreateForm<TFormProgress>(Application));
    GlobalVideoList->Clear();
    SelectProfile("M4A");
    Application->OnException = MakeEvent(&errors, &TErrorLog::Handle);
  }
  void TearDown() override {
    Application->OnException = nullptr;
    GlobalMediaConverter->Cancel();
  }
  void Queue(const std::string& unixPath, const std::string& outName = "") {
    const int index = AddInput(unixPath);
    TTaskInfo* task = GlobalVideoList->GetVideoInfo(index)->TaskInfo;
    if (!outName.empty()) task->OutName = outName;
    form->AddTask(GlobalVideoList->GetFileName(index), task);
  }
  bool Finished() const { return form->btnCancel->Caption() == "Close"; }
  bool TimersOn() const { return form->UpdateProgress->Enabled() || form->UpdatePreview->Enabled(); }
  // Shows the window modally, lets the queue run to its end, then presses "Close".
  void RunToEnd() {
    WhileModal(form.get(), [&] {
      EXPECT_TRUE(PumpUntil([&] { return Finished(); }));
      form->btnCancel->Click();
    });
  }
  static std::string Unix(const std::string& winPath) {
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, winPath.c_str(), -1, wide, MAX_PATH);
    char* unix = wine_get_unix_file_name(wide);
    std::string result = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
  }
  std::unique_ptr<TFormProgress> form;
  TErrorLog errors;
};

TEST(ProgressArithmetic, PercentOfTheFileAndOfTheQueue) {
  struct Case {
    int64_t pos, length;
    int percent;
  } files[] = {{999, 1000, 99}, {1000, 1000, 100}, {500, 1000, 50}, {-10, 1000, -1},
               {100, 0, 0},     {100, -5, 0},       {int64_t{300} * 10000000, int64_t{600} * 10000000, 50}};
  for (const Case& c : files) EXPECT_EQ(ProgressPercent(c.pos, c.length), c.percent) << c.pos << "/" << c.length;
  struct Total {
    int percent, current, count;
    double total;
  } queue[] = {{100, 0, 3, 100.0 / 3}, {50, 1, 3, 50.0}, {50, 1, 4, 37.5}, {0, 0, 1, 0.0}, {100, 3, 4, 100.0}};
  for (const Total& t : queue) EXPECT_DOUBLE_EQ(TotalPercent(t.percent, t.current, t.count), t.total);
}

TEST(ProgressNames, TypedNamesStayInsideTheOutputFolder) {
  struct Case {
    const char* typed;
    const char* name;
  } cases[] = {{"clip", "clip"},           {"..\\..\\evil", "_.._evil"}, {"a/b:c*d?e\"f<g>h|i", "a_b_c_d_e_f_g_h_i"},
               {"", "holiday_avi"},        {"  ", "holiday_avi"},        {"..", "holiday_avi"},
               {" name. ", "name"},         {"tab\there", "tab_here"}};
  for (const Case& c : cases) EXPECT_EQ(SafeOutputName(c.typed, "Z:\\in\\holiday.avi"), c.name) << c.typed;
}

TEST_F(ProgressWindow, StoredFormAndTheStateTable) {
  EXPECT_EQ(form->Caption(), "Converter");
  EXPECT_EQ(form->ClientWidth(), 336);
  EXPECT_EQ(form->ClientHeight(), 363);
  EXPECT_EQ(form->UpdateProgress->Interval(), 300u);
  EXPECT_EQ(form->UpdatePreview->Interval(), 1500u);
  EXPECT_TRUE(form->cbPreview->Checked());
  EXPECT_EQ(form->cxLabel3->Caption(), "Converting file: ");
  struct Case {
    int state;
    const char *pause, *cancel;
    bool pauseEnabled, timers;
  } cases[] = {{0, "Resume", "Cancel", true, false}, {1, "Pause", "Cancel", true, true},
               {3, "Pause", "Close", false, false},  {2, "Pause", "Cancel", true, true},
               {7, "Pause", "Cancel", true, true}};  // unknown: unchanged
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    form->SetState(c.state);
    EXPECT_EQ(form->btnPause->Caption(), c.pause);
    EXPECT_EQ(form->btnCancel->Caption(), c.cancel);
    EXPECT_EQ(form->btnPause->Enabled(), c.pauseEnabled);
    EXPECT_TRUE(form->btnCancel->Enabled());
    EXPECT_EQ(form->UpdateProgress->Enabled(), c.timers);
    EXPECT_EQ(form->UpdatePreview->Enabled(), c.timers);
  }
  form->SetState(3);
}

TEST_F(ProgressWindow, TypedNameWithTheM4AProfileWritesThatFile) {
  form->FOutDir = media->OutDir("typed");
  Queue(media->Short, "clip");
  RunToEnd();
  const std::string written = Unix(form->FOutDir + "clip.m4a");
  EXPECT_EQ(Probe(written, "stream=codec_name", "a:0"), "aac");
  EXPECT_GT(std::stod(Probe(written, "format=duration")), 0.5);
  ASSERT_FALSE(answers.Boxes.empty());
  EXPECT_EQ(answers.Boxes.back().Text, "All conversion tasks have been finished!");
  EXPECT_EQ(form->TaskCount(), 0);  // closing emptied the list
}

TEST_F(ProgressWindow, AfterTheLastTaskCloseClosesWithoutAQuestion) {
  form->FOutDir = media->OutDir("last");
  Queue(media->Short);
  Queue(media->Audio);
  size_t boxesAtEnd = 0;
  WhileModal(form.get(), [&] {
    ASSERT_TRUE(PumpUntil([&] { return Finished(); }));
    EXPECT_DOUBLE_EQ(form->pbTatal->Position(), 100);
    EXPECT_EQ(form->pbCurr->Position(), 100);
    EXPECT_FALSE(form->btnPause->Enabled());
    EXPECT_FALSE(TimersOn());
    EXPECT_EQ(form->lblTotal->Caption(), "[2/2]");
    boxesAtEnd = answers.Boxes.size();
    form->btnCancel->Click();
  });
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(answers.Boxes.size(), boxesAtEnd);  // no "Cancel conversion?"
  ASSERT_EQ(boxesAtEnd, 1u);
  EXPECT_EQ(answers.Boxes[0].Caption, "Information");
}

// The close question is asked by the modal loop once the click has asked it to close: the state is
// checked at the question and again in the loop after it.
TEST_F(ProgressWindow, CancelWhilePausedAnsweredCancelStaysPaused) {
  form->FOutDir = media->OutDir("paused");
  Queue(media->Long);
  answers.Answers = {IDCANCEL, IDOK};
  answers.OnBox = [&](const TDialogAnswers::TBox& box) {
    EXPECT_EQ(box.Text, "Cancel conversion?");
    EXPECT_EQ(box.Flags, UINT(MB_OKCANCEL | MB_ICONINFORMATION));
    EXPECT_EQ(form->btnPause->Caption(), "Resume");
    EXPECT_FALSE(TimersOn());
    if (answers.Boxes.size() == 1)
      WhenModal([&] {  // after the refused close: still open, still paused; then close for real
        EXPECT_TRUE(form->Visible());
        EXPECT_EQ(form->btnPause->Caption(), "Resume");
        EXPECT_FALSE(TimersOn());
        form->btnCancel->Click();
      });
  };
  WhileModal(form.get(), [&] {
    form->btnPause->Click();
    EXPECT_EQ(form->btnPause->Caption(), "Resume");
    EXPECT_FALSE(TimersOn());
    form->btnCancel->Click();
  });
  EXPECT_EQ(answers.Boxes.size(), 2u);
  EXPECT_TRUE(errors.messages.empty());
  EXPECT_FALSE(form->Visible());
  uint8_t second = 0;
  EXPECT_TRUE(GlobalMediaConverter->WaitFor(second));
}

TEST_F(ProgressWindow, ReplaceQuestionNamesTheFileAndIsAskedWithTheTimersOff) {
  form->FOutDir = media->OutDir("replace");
  Queue(media->Short, "first");
  Queue(media->Audio, "second");
  Queue(media->Short, "third");
  const std::string second = Unix(form->FOutDir + "second.m4a"), third = Unix(form->FOutDir + "third.m4a");
  enginetest::Sh("printf old > " + enginetest::Quote(second) + " && printf old > " + enginetest::Quote(third));
  answers.Answers = {IDCANCEL, IDOK};  // keep "second", replace "third"
  std::vector<bool> timersDuringQuestion;
  answers.OnBox = [&](const TDialogAnswers::TBox&) { timersDuringQuestion.push_back(TimersOn()); };
  RunToEnd();
  ASSERT_GE(answers.Boxes.size(), 3u);
  EXPECT_EQ(answers.Boxes[0].Text, "Are you sure you want to replace the exiting file 'second.m4a'?");
  EXPECT_EQ(answers.Boxes[0].Caption, "Information");
  EXPECT_EQ(answers.Boxes[1].Text, "Are you sure you want to replace the exiting file 'third.m4a'?");
  EXPECT_EQ(timersDuringQuestion[0], false);
  EXPECT_EQ(timersDuringQuestion[1], false);
  EXPECT_EQ(enginetest::Shell("cat " + enginetest::Quote(second)), "old");  // declined: not touched
  EXPECT_EQ(Probe(third, "stream=codec_name", "a:0"), "aac");              // accepted: overwritten
  EXPECT_EQ(Probe(Unix(form->FOutDir + "first.m4a"), "stream=codec_name", "a:0"), "aac");
}

TEST_F(ProgressWindow, ADeclinedFirstTaskStartsTheNextAtOnceAndAllDeclinedFinishes) {
  form->FOutDir = media->OutDir("declined");
  Queue(media->Short, "only");
  enginetest::Sh("printf old > " + enginetest::Quote(Unix(form->FOutDir + "only.m4a")));
  answers.Answers = {IDCANCEL};
  WhileModal(form.get(), [&] {
    EXPECT_TRUE(Finished());  // nothing left to run: finished without polling an idle engine
    form->btnCancel->Click();
  });
  ASSERT_EQ(answers.Boxes.size(), 2u);
  EXPECT_EQ(answers.Boxes[1].Text, "All conversion tasks have been finished!");
}

TEST_F(ProgressWindow, TwoInputsWithTheSameOutputNameWriteTwoFiles) {
  form->FOutDir = media->OutDir("twins");
  Queue(media->Short, "same");
  Queue(media->Audio, "same");
  RunToEnd();
  EXPECT_EQ(Probe(Unix(form->FOutDir + "same.m4a"), "stream=codec_name", "a:0"), "aac");
  EXPECT_EQ(Probe(Unix(form->FOutDir + "same_2.m4a"), "stream=codec_name", "a:0"), "aac");
  for (const auto& box : answers.Boxes) EXPECT_EQ(box.Text.find("replace"), std::string::npos);
}

TEST_F(ProgressWindow, AnEngineErrorInTheTickStopsPollingOnce) {
  form->FOutDir = media->OutDir("error");
  Queue(media->Short, "good");
  TTaskInfo missing;
  missing.OutName = "missing";
  form->AddTask(enginetest::WinPath(media->folder / "no such file.mp4"), &missing);
  WhileModal(form.get(), [&] {
    EXPECT_TRUE(PumpUntil([&] { return !errors.messages.empty(); }));
    EXPECT_FALSE(TimersOn());
    EXPECT_EQ(form->Current(), 1);
    PumpWhileBusy();
    answers.Answers = {IDOK};
    form->btnCancel->Click();
  });
  EXPECT_EQ(errors.messages.size(), 1u);
  EXPECT_FALSE(form->Visible());
}

}  // namespace
