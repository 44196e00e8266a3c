#include "windows_fixture.h"

#include "GlobalFun.h"
#include "SysUtils.h"
#include "VideoListVw.h"
#include "cxGraphics.h"
#include "windows_media.h"

namespace {

struct FileListFrame : MediaWindowsFixture {
  void SetUp() override {
    GlobalVideoList->Clear();
    MakeFrame();
  }
  void MakeFrame() {
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
    DropFrame();
    GlobalVideoList->Clear();
  }
  void DropFrame() {
    GlobalVideoList->Detach(frame->Observer());
    host.reset();
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

// The pixels of the colour in a device context's area.
int CountColor(HDC dc, int width, int height, COLORREF color) {
  int n = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) n += GetPixel(dc, x, y) == color;
  return n;
}

int CountShown(TWinControl* control, COLORREF color) {
  UpdateWindow(control->Handle());
  HDC dc = GetDC(control->Handle());
  const int n = CountColor(dc, control->Width(), control->Height(), color);
  ReleaseDC(control->Handle(), dc);
  return n;
}

// The pixels the text leaves in the colour when drawn by itself, with room on every side.
int InkOfText(TFont* font, const std::string& text, COLORREF color) {
  TcxBitmap surface(300, 40);
  TCanvas* canvas = surface.Canvas()->Canvas();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect(TRect(0, 0, 300, 40));
  canvas->SetFont(font);
  canvas->Font()->SetColor(static_cast<TColor>(color));
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->TextOut(10, 10, text);
  return CountColor(canvas->Handle(), 300, 40, color);
}

// The editor is two pixels higher than a row. The looks' frames of two lines, and the spare ring
// of a transparent border, left its text eleven of the font's thirteen rows: the descenders of
// "long clip_mp4" were cut off. Every look must show the whole text.
TEST_F(FileListFrame, TheEditorShowsItsWholeTextInEveryLook) {
  const TcxLookAndFeelKind kind = RootLookAndFeel()->Kind();
  const COLORREF ink = RGB(0, 0, 160);
  for (TcxLookAndFeelKind look : {lfStandard, lfFlat, lfUltraFlat, lfOffice11}) {
    DropFrame();
    GlobalVideoList->Clear();
    RootLookAndFeel()->SetKind(look);
    MakeFrame();
    AddThree();
    Click(DestinationLeft(1) + 5, RowMiddle(1));
    TcxTextEdit* edit = frame->Edit;
    ASSERT_TRUE(edit->Visible());
    edit->Style()->SetTextColor(static_cast<TColor>(ink));
    HWND inner = edit->InnerTextEdit()->Handle();
    SendMessageA(inner, EM_SETSEL, 0, 0);  // unselected, the text shows in its own colour
    HideCaret(inner);
    PumpWhileBusy();
    EXPECT_EQ(CountShown(edit, ink),
              InkOfText(edit->InnerTextEdit()->Font(), edit->Text(), ink))
        << "look " << int(look);
  }
  RootLookAndFeel()->SetKind(kind);
}

}  // namespace

namespace {

// Under a dark skin the list wears the skin's editor colours, not a white box.
TEST_F(FileListFrame, UnderADarkSkinTheListWearsTheSkinsEditorColours) {
  RootLookAndFeel()->SetSkinName("Midnight");
  DropFrame();
  MakeFrame();
  AddThree();
  const auto* painter = RootLookAndFeel()->SkinPainter();
  ASSERT_NE(painter, nullptr);
  const COLORREF back = ColorToRGB(painter->EditorBackgroundColor(false));
  HWND inner = Inner()->Handle();
  RECT client;
  GetClientRect(inner, &client);
  HDC dc = GetDC(inner);
  const COLORREF below = GetPixel(dc, client.right / 2, client.bottom - 4);  // under the last row
  ReleaseDC(inner, dc);
  RootLookAndFeel()->SetSkinName("");
  EXPECT_EQ(below, back);
  EXPECT_LT(GetRValue(back) + GetGValue(back) + GetBValue(back), 3 * 128) << "Midnight's editors are dark";
}

}  // namespace
