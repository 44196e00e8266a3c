#include "windows_fixture.h"

#include "GlobalFun.h"
#include "MainPreview.h"
#include "VideoListVw.h"
#include "windows_media.h"

namespace {

struct PreviewPlayer : MediaWindowsFixture {
  void SetUp() override {
    GlobalVideoList->Clear();
    host = std::make_unique<TForm>(nullptr, 0);
    host->SetBounds(40, 40, 1000, 320);
    files = CreateForm<TFrameFileList>(host.get());
    files->SetParent(host.get());
    files->SetBounds(0, 0, 714, 256);
    preview = CreateForm<TFramePreview>(host.get());
    preview->SetParent(host.get());
    preview->SetBounds(720, 0, 253, 256);
    preview->FileListFrame = files;
    host->Show();
    GlobalVideoList->Attach(files->Observer());
  }
  void TearDown() override {
    GlobalMediaPlayer->Stop();
    GlobalVideoList->Detach(files->Observer());
    host.reset();
    GlobalVideoList->Clear();
  }
  void Play(const std::string& path) {
    AddInput(path);
    preview->FrameFileListFileListDblClick(files->FileList);
  }
  std::unique_ptr<TForm> host;
  TFrameFileList* files = nullptr;
  TFramePreview* preview = nullptr;
};

TEST_F(PreviewPlayer, StartsIdleWithTheThumbOnTheBarsLeftEnd) {
  EXPECT_EQ(preview->ImagePos->Top(), 189);
  EXPECT_EQ(preview->ImagePos->Left(), 29);
  EXPECT_FALSE(preview->PanelPlay->Visible());
  EXPECT_TRUE(preview->ImagePlayerBG->Visible());
  EXPECT_FALSE(preview->ImagePos->Enabled());
  EXPECT_FALSE(preview->TimerUpdatePos->Enabled());
  EXPECT_EQ(preview->TimerUpdatePos->Interval(), 100u);
  preview->FrameFileListFileListDblClick(files->FileList);  // no row: nothing happens
  EXPECT_FALSE(preview->PanelPlay->Visible());
}

TEST_F(PreviewPlayer, TheThumbStaysOnTheBar) {
  struct Case {
    int asked, placed;
  } cases[] = {{0, 29}, {29, 29}, {100, 100}, {237, 237}, {238, 237}, {500, 237}, {-40, 29}};
  for (const Case& c : cases) {
    preview->SetSeekThumb(c.asked);
    EXPECT_EQ(preview->ImagePos->Left(), c.placed) << c.asked;
  }
}

TEST_F(PreviewPlayer, PlayingShowsTheFileAndAReleaseAtTheRightEndSeeksToTheEnd) {
  Play(media->Long);
  TVideoInfo* info = GlobalVideoList->GetVideoInfo(0);
  EXPECT_EQ(preview->lblName->Caption(), "long clip.mp4");
  EXPECT_EQ(preview->lblLength->Caption(), FormatRefTime(true, info->Duration));
  EXPECT_EQ(preview->lblSize->Caption(), "320 x 240");
  EXPECT_TRUE(preview->PanelPlay->Visible());
  EXPECT_FALSE(preview->ImagePlayerBG->Visible());
  EXPECT_TRUE(preview->TimerUpdatePos->Enabled());
  EXPECT_TRUE(preview->ImagePause->Visible());

  preview->ImagePosMouseDown(preview->ImagePos, mbLeft, {}, 0, 0);
  EXPECT_FALSE(preview->TimerUpdatePos->Enabled());
  preview->ImagePosMouseMove(preview->ImagePos, {}, 400, 0);  // far beyond the right end
  EXPECT_EQ(preview->ImagePos->Left(), 237);
  preview->ImagePosMouseUp(preview->ImagePos, mbLeft, {}, 0, 0);
  EXPECT_TRUE(preview->TimerUpdatePos->Enabled());
  // Seeking to the full duration reaches the end: the next tick sets the panel idle, once.
  EXPECT_GE(GlobalMediaPlayer->GetPosition(), info->Duration - 10000000);
}

TEST_F(PreviewPlayer, AtTheEndOfTheFileThePanelGoesIdleOnce) {
  Play(media->Audio);
  EXPECT_EQ(preview->lblSize->Caption(), "0 x 0");
  GlobalMediaPlayer->Seek(GlobalVideoList->GetVideoInfo(0)->Duration, 0);
  ASSERT_TRUE(PumpUntil([&] { return !preview->TimerUpdatePos->Enabled(); }));
  EXPECT_FALSE(preview->PanelPlay->Visible());
  EXPECT_EQ(preview->ImagePos->Left(), 29);
  EXPECT_EQ(preview->lblName->Caption(), "");
}

TEST_F(PreviewPlayer, AZeroDurationNeverDivides) {
  Play(media->Short);
  GlobalVideoList->GetVideoInfo(0)->Duration = 0;
  preview->FrameFileListFileListDblClick(files->FileList);
  ASSERT_EQ(preview->Duration(), 0);
  preview->ImagePosMouseDown(preview->ImagePos, mbLeft, {}, 0, 0);
  preview->ImagePosMouseMove(preview->ImagePos, {}, 100, 0);
  preview->ImagePosMouseUp(preview->ImagePos, mbLeft, {}, 0, 0);  // seeks to 0
  preview->TimerUpdatePosTimer(preview->TimerUpdatePos);
  EXPECT_FALSE(preview->TimerUpdatePos->Enabled());  // idle, not a thumb placed from a division by 0
  EXPECT_EQ(preview->ImagePos->Left(), 29);
}

TEST_F(PreviewPlayer, PauseAndResumeSwapTheImages) {
  Play(media->Long);
  preview->ImagePauseClick(preview->ImagePause);
  EXPECT_TRUE(preview->ImagePlay->Visible());
  EXPECT_TRUE(preview->ImagePlay->Enabled());
  EXPECT_FALSE(preview->ImagePause->Visible());
  EXPECT_FALSE(preview->TimerUpdatePos->Enabled());
  preview->ImagePlayClick(preview->ImagePlay);
  EXPECT_FALSE(preview->ImagePlay->Visible());
  EXPECT_TRUE(preview->ImagePause->Visible());
  EXPECT_TRUE(preview->TimerUpdatePos->Enabled());
}

}  // namespace
