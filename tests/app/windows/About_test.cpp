#include "windows_fixture.h"

#include "About.h"
#include "GlobalFun.h"
#include "SysUtils.h"

namespace {

struct AboutBox : AppWindowsFixture {
  void SetUp() override {
    opened.clear();
    GlobalShellOpen = &RecordOpen;
    form.reset(CreateForm<TFormAbout>(Application));
  }
  void TearDown() override { GlobalShellOpen = saved; }
  static void RecordOpen(const std::string& target) { opened.push_back(target); }
  static inline std::vector<std::string> opened;
  void (*saved)(const std::string&) = GlobalShellOpen;
  std::unique_ptr<TFormAbout> form;
};

TEST_F(AboutBox, ShowsTheRunningProgramsVersion) {
  EXPECT_EQ(form->Caption(), "About");
  EXPECT_EQ(form->ClientWidth(), 280);
  EXPECT_EQ(form->ClientHeight(), 124);
  EXPECT_EQ(form->Label1->Caption(), "Converter       ");
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string version = GetFileVersionString(path);
  ASSERT_FALSE(version.empty());
  EXPECT_EQ(form->Label2->Caption(), "Version " + version);
}

TEST_F(AboutBox, BackgroundClickClosesWithoutOpeningAndTheLinkOpensThenCloses) {
  form->Show();
  form->Click();
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(opened.empty());

  form->Show();
  form->lblHomeClick(form->lblHome);
  EXPECT_FALSE(form->Visible());
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], form->lblHome->Caption());
}

}  // namespace
