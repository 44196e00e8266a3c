#include "windows_fixture.h"

#include "GlobalFun.h"
#include "Log.h"
#include "SkinColours.h"
#include "SysUtils.h"
#include "cxLookAndFeels.h"

namespace {

// Pixels of the window's client area in the colour.
int CountPixels(HWND window, TColor color) {
  RECT client;
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  int count = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) count += GetPixel(dc, x, y) == ColorToRGB(color);
  ReleaseDC(window, dc);
  return count;
}

struct TSkinInUse {
  explicit TSkinInUse(const char* name) { RootLookAndFeel()->SetSkinName(name); }
  ~TSkinInUse() { RootLookAndFeel()->SetSkinName(""); }
};


std::string ReadFile(const std::string& path) {
  TStringList lines;
  lines.LoadFromFile(path);
  return lines.Text();
}

struct LogWindow : AppWindowsFixture {
  void SetUp() override { form.reset(CreateForm<TFormLog>(Application)); }
  std::unique_ptr<TFormLog> form;
};

TEST_F(LogWindow, StoredFormGivesTheControlsAndTheNote) {
  EXPECT_EQ(form->Caption(), "Log");
  EXPECT_EQ(form->Width(), 450);
  EXPECT_EQ(form->Height(), 586);
  EXPECT_EQ(form->lblLogNote->Caption(), "Please save and send log file to us to help us improve!");
  EXPECT_TRUE(form->MemoLog->Properties()->ReadOnly());
  EXPECT_EQ(form->Save->Caption(), "Save");
  EXPECT_EQ(form->Cancel->ModalResult(), mrCancel);
  EXPECT_EQ(form->SaveDialog->FileName(), "log.txt");
  EXPECT_EQ(form->SaveDialog->Filter(), "*.txt|*.txt");
}

TEST_F(LogWindow, SaveWritesTheLinesUnderTheProposedNameAndCancelWritesNothing) {
  const std::string folder = MakeTempFileName("lgd");
  DeleteFileA(folder.c_str());
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string target = folder + "\\" + form->SaveDialog->FileName();
  form->MemoLog->Lines()->SetText("first line\r\nsecond line\r\n");

  answers.SaveAs = "";  // cancelled
  form->Save->Click();
  EXPECT_EQ(answers.FileDialogs, 1);
  EXPECT_FALSE(FileExists(target));

  answers.SaveAs = target;
  form->Save->Click();
  ASSERT_TRUE(FileExists(target));
  EXPECT_EQ(ReadFile(target), "first line\r\nsecond line\r\n");
  DeleteFileA(target.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(LogWindow, ShowLogFillsTheMemoAndCancelClosesIt) {
  TStringList lines;
  lines.Add("engine: cannot open input");
  WhenModal([&] {
    EXPECT_EQ(form->MemoLog->Lines()->Text(), "engine: cannot open input\r\n");
    form->Cancel->Click();
  });
  form->ShowLog(&lines);
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->ModalResult(), mrCancel);
}

// The note's colour reads on a dark skin: it keeps its hue and turns light enough; the light
// look keeps the stored colour.
TEST_F(LogWindow, TheNoteReadsOnADarkSkin) {
  EXPECT_EQ(form->lblLogNote->Style()->TextColor(), clMaroon);
  TSkinInUse midnight("Midnight");
  std::unique_ptr<TFormLog> dark(CreateForm<TFormLog>(Application));
  TSkinColours skin;
  ASSERT_TRUE(SkinColoursInUse(skin));
  const TColor shown = dark->lblLogNote->Style()->TextColor();
  EXPECT_GE(ContrastRatio(shown, skin.Back), 4.5);
  EXPECT_LT(ContrastRatio(clMaroon, skin.Back), 4.5) << "the stored colour did not read";
  dark->Show();
  RedrawWindow(dark->lblLogNote->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_GT(CountPixels(dark->lblLogNote->Handle(), shown), 5) << "written in it";
  dark->Close();
}

}  // namespace
