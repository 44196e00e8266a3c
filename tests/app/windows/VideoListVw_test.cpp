#include "windows_fixture.h"

#include "GlobalFun.h"
#include "SysUtils.h"
#include "VideoListVw.h"
#include "windows_media.h"

namespace {

struct FileListFrame : MediaWindowsFixture {
  void SetUp() override {
    GlobalVideoList->Clear();
    host = std::make_unique<TForm>(nullptr, 0);
    host->SetBounds(40, 40, 760, 260);
    frame = CreateForm<TFrameFileList>(host.get());
    frame->SetParent(host.get());
    frame->SetBounds(10, 10, 714, 200);
    host->Show();
    GlobalVideoList->Attach(frame->Observer());
    PumpWhileBusy();
  }
  void TearDown() override {
    GlobalVideoList->Detach(frame->Observer());
    host.reset();
    GlobalVideoList->Clear();
  }
  TcxCustomInnerListView* Inner() const { return frame->FileList->InnerListView(); }
  // A press and release of the left button at a point of the inner list's client area, as the
  // platform delivers them.
  void Click(int x, int y) {
    PostMessageA(Inner()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(x, y));
    PostMessageA(Inner()->Handle(), WM_LBUTTONUP, 0, ClientPoint(x, y));
    PumpWhileBusy();
  }
  int SelectedRow() const {
    TListItem* row = frame->FileList->GetSelectedItem();
    return row ? row->Index() : -1;
  }
  // The left edge of "Destination File" on a row, in the inner list's client coordinates.
  int DestinationLeft(int row) const {
    int left = frame->FileList->Items()->Item(row)->Position().X;
    for (int c = 0; c < 3; ++c) left += frame->FileList->Column(c)->Width();
    return left;
  }
  int RowMiddle(int row) const {
    const TRect r = frame->FileList->Items()->Item(row)->DisplayRect(TListItem::drSelectBounds);
    return (r.Top + r.Bottom) / 2;
  }
  void AddThree() {
    for (const std::string* path : {&media->Short, &media->Long, &media->Audio}) {
      AddInput(*path);
      EXPECT_EQ(SelectedRow(), GlobalVideoList->Count() - 1);  // the last row after every rebuild
    }
  }
  std::unique_ptr<TForm> host;
  TFrameFileList* frame = nullptr;
};

TEST_F(FileListFrame, StoredFrameGivesFourColumnsGridAndRowSelection) {
  TcxListView* list = frame->FileList;
  ASSERT_EQ(list->Columns()->Count(), 4);
  const char* captions[] = {"Source video", "Original Length", "Trimmed Length", "Destination File"};
  const int widths[] = {220, 190, 150, 150};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(list->Column(i)->Caption(), captions[i]);
    EXPECT_EQ(list->Column(i)->Width(), widths[i]);
  }
  EXPECT_TRUE(list->ReadOnly());
  EXPECT_EQ(list->ViewStyle(), vsReport);
  EXPECT_TRUE(list->RowSelect());
  EXPECT_TRUE(list->InnerListView()->GridLines());
  EXPECT_FALSE(frame->Edit->Visible());
  EXPECT_EQ(frame->LastRow(), -1);
}

TEST_F(FileListFrame, RowsShowNameLengthsAndOutputNameAndTheLastIsSelected) {
  AddThree();
  TListItems* rows = frame->FileList->Items();
  ASSERT_EQ(rows->Count(), 3);
  EXPECT_EQ(rows->Item(0)->Caption(), "short clip.mp4");
  TVideoInfo* info = GlobalVideoList->GetVideoInfo(1);
  EXPECT_EQ(rows->Item(1)->SubItems()->Get(0), FormatRefTime(true, info->Duration));
  EXPECT_EQ(rows->Item(1)->SubItems()->Get(1), FormatRefTime(true, info->TaskInfo->GetDuration()));
  EXPECT_EQ(rows->Item(2)->SubItems()->Get(2), "tone_mp3");
  info->TaskInfo->EndTime = info->TaskInfo->StartTime;
  GlobalVideoList->Notify();
  EXPECT_EQ(rows->Item(1)->SubItems()->Get(1), "00:00:00.000");
}

TEST_F(FileListFrame, ThePressOnColumnThreesBorderDoesNotOpenTheEditorOnePixelRightDoes) {
  AddThree();
  const int left = DestinationLeft(1), y = RowMiddle(1);
  Click(left, y);
  EXPECT_FALSE(frame->Edit->Visible());
  Click(left + 1, y);
  ASSERT_TRUE(frame->Edit->Visible());
  EXPECT_EQ(frame->EditRow(), 1);
  EXPECT_EQ(frame->Edit->Text(), "long clip_mp4");
  EXPECT_EQ(frame->Edit->Width(), frame->FileList->Column(3)->Width() + 1);
  const TRect bounds = frame->FileList->Items()->Item(1)->DisplayRect(TListItem::drSelectBounds);
  EXPECT_EQ(frame->Edit->Height(), bounds.Bottom - bounds.Top + 2);
  // Typing renames the output at every keystroke, in the task and in the cell.
  frame->Edit->SetText("renamed");
  EXPECT_EQ(GlobalVideoList->GetVideoInfo(1)->TaskInfo->OutName, "renamed");
  EXPECT_EQ(frame->FileList->Items()->Item(1)->SubItems()->Get(2), "renamed");
}

TEST_F(FileListFrame, AClickBelowTheRowsHidesTheEditorAndKeepsTheSelection) {
  AddThree();
  Click(DestinationLeft(0) + 5, RowMiddle(0));
  ASSERT_TRUE(frame->Edit->Visible());
  const int selected = SelectedRow();
  ASSERT_GE(selected, 0);
  Click(30, Inner()->ClientHeight() - 5);
  EXPECT_FALSE(frame->Edit->Visible());
  EXPECT_EQ(frame->LastRow(), selected);
  EXPECT_EQ(SelectedRow(), selected);
}

TEST_F(FileListFrame, ARebuildClosesTheEditorSoARenameCannotReachAnotherFile) {
  AddThree();
  Click(DestinationLeft(2) + 5, RowMiddle(2));
  ASSERT_TRUE(frame->Edit->Visible());
  ASSERT_EQ(frame->EditRow(), 2);
  GlobalVideoList->Delete(0);  // the rows are rebuilt: row 2 is gone
  EXPECT_FALSE(frame->Edit->Visible());
  EXPECT_EQ(SelectedRow(), 1);  // the last row, as after every rebuild
  EXPECT_EQ(GlobalVideoList->GetVideoInfo(1)->TaskInfo->OutName, "tone_mp3");
}

}  // namespace
