#include "windows_fixture.h"

#include "GlobalFun.h"
#include "Log.h"
#include "SysUtils.h"

namespace {

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

}  // namespace
