#include "calderan_test.h"

#include <algorithm>
#include <memory>
#include <string>

#include "Convert.h"
#include "FakeEngine.h"
#include "Global.h"
#include "Progress.h"
#include "windows_fixture.h"

namespace {

// The cancel wait against an engine that answers late or never: the window's clock is the test's,
// and every reading of it moves time on by one step, so the bound is reached without waiting.
class ProgressCancelWait : public WindowsFixture {
 protected:
  void SetUp() override {
    Fake().Reset();
    Fake().Finished = 0;  // the job goes on until the clock says the engine answered
    GlobalMediaConverter = &converter;
    form.reset(CreateForm<TFormProgress>(nullptr));
    form->FCancelWaitMs = 20000;
    form->FClock = [this] {
      now += kStep;
      if (now >= answersAt) Fake().Finished = 1;
      return now;
    };
  }
  void TearDown() override {
    form.reset();
    GlobalMediaConverter = nullptr;
  }
  int Polls() const { return static_cast<int>(std::count(Fake().Calls.begin(), Fake().Calls.end(), "MediaConv_WaitFor()")); }

  static constexpr uint64_t kStep = 5000;
  uint64_t now = 1000000, answersAt = 0;
  TMediaConverter converter;
  std::unique_ptr<TFormProgress> form;
  TDialogAnswers answers;
};

TEST_F(ProgressCancelWait, GivesUpWithAClearMessageWhenTheEngineNeverAnswers) {
  struct Case {
    const char* engine;
    uint64_t answersAfter;  // milliseconds after the cancel; 0: never
    bool givenUp;
  } cases[] = {{"answers in time", 12000, false}, {"answers just before the bound", 19000, false},
               {"never answers", 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.engine);
    Fake().Calls.clear();
    Fake().Finished = 0;
    answers.Boxes.clear();
    answersAt = c.answersAfter ? now + c.answersAfter : UINT64_MAX;
    form->SetState(2);
    TCloseAction action = caHide;
    form->FormClose(form.get(), action);

    ASSERT_FALSE(answers.Boxes.empty());
    EXPECT_EQ(answers.Boxes.front().Text, "Cancel conversion?");
    EXPECT_EQ(Fake().Calls.front(), "MediaConv_Cancel()");
    EXPECT_FALSE(form->UpdateProgress->Enabled());
    EXPECT_FALSE(form->UpdatePreview->Enabled());
    EXPECT_EQ(action, caHide);  // the window closes all the same
    // Rested between polls, and stopped polling at the bound.
    EXPECT_GE(Polls(), 2);
    EXPECT_LE(Polls(), static_cast<int>(form->FCancelWaitMs / kStep) + 1);
    if (c.givenUp) {
      ASSERT_EQ(answers.Boxes.size(), 2u);
      EXPECT_EQ(answers.Boxes[1].Text, "The converter did not stop in time; the last output file may be incomplete.");
      EXPECT_EQ(answers.Boxes[1].Caption, "Error");
    } else {
      EXPECT_EQ(answers.Boxes.size(), 1u);
    }
  }
}

}  // namespace
