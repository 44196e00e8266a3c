#include "calderan_test.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "Forms.h"
#include "forms_fixture.h"

namespace {

class Dialogs : public FormsFixture {};

TEST_F(Dialogs, FiltersAndMultipleSelectionsConvert) {
  std::string f = FilterToNulSeparated("Media|*.avi;*.mp4|All files|*.*");
  EXPECT_EQ(f, std::string("Media\0*.avi;*.mp4\0All files\0*.*\0\0", 33));
  TStringList files;
  SplitSelectedFiles("Z:\\tmp\\one file.avi\0", &files);
  EXPECT_EQ(files.CommaText(), "\"Z:\\tmp\\one file.avi\"");
  const char many[] = "Z:\\tmp\\clips\0a & b.avi\0c\xE9.mp4\0";
  SplitSelectedFiles(many, &files);
  ASSERT_EQ(files.Count(), 2);
  EXPECT_EQ(files.Get(0), "Z:\\tmp\\clips\\a & b.avi");
  EXPECT_EQ(files.Get(1), "Z:\\tmp\\clips\\c\xE9.mp4");
}

// The dialog is driven from its OnShow event as a user would: names typed, OK pressed.
TEST_F(Dialogs, OpenDialogReturnsTheChosenFilesFromTheInitialFolder) {
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  std::string folder = std::string(temp) + "dialog test";
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const char* name : {"\\a & b.avi", "\\c\xE9.mp4"}) {
    HANDLE h = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
  TOpenDialog dialog(nullptr);
  dialog.SetOptions({ofAllowMultiSelect});
  dialog.SetInitialDir(folder);
  dialog.SetTitle("Calderan Studio");
  dialog.SetFilter("All supported media format|*.avi;*.mp4|All files|*.*");
  struct TUser {
    bool shown = false;
    void Show(TObject* sender) {
      shown = true;
      HWND h = static_cast<TOpenDialog*>(sender)->Handle();
      SendMessageA(h, CDM_SETCONTROLTEXT, 0x47C, reinterpret_cast<LPARAM>("\"a & b.avi\" \"c\xE9.mp4\""));
      PostMessageA(h, WM_COMMAND, IDOK, 0);
    }
  } user;
  dialog.OnShow = MakeEvent(&user, &TUser::Show);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(user.shown);
  ASSERT_EQ(dialog.Files()->Count(), 2);
  std::vector<std::string> names{dialog.Files()->Get(0), dialog.Files()->Get(1)};
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names[0], folder + "\\a & b.avi");
  EXPECT_EQ(names[1], folder + "\\c\xE9.mp4");
  for (const std::string& n : names) DeleteFileA(n.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(Dialogs, CancelLeavesTheNamesAlone) {
  TSaveDialog dialog(nullptr);
  dialog.SetFileName("log.txt");
  dialog.SetFilter("*.txt|*.txt");
  struct TUser {
    void Show(TObject* sender) { PostMessageA(static_cast<TSaveDialog*>(sender)->Handle(), WM_COMMAND, IDCANCEL, 0); }
  } user;
  dialog.OnShow = MakeEvent(&user, &TUser::Show);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "log.txt");
}

}  // namespace
