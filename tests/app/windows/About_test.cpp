#include "windows_fixture.h"

#include "About.h"
#include "GlobalFun.h"
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

// The link's colour reads on a dark skin: it keeps its hue and turns light enough; the light
// look keeps the stored colour.
TEST_F(AboutBox, TheLinkReadsOnADarkSkin) {
  EXPECT_EQ(form->lblHome->Style()->TextColor(), clBlue);
  TSkinInUse midnight("Midnight");
  std::unique_ptr<TFormAbout> dark(CreateForm<TFormAbout>(Application));
  TSkinColours skin;
  ASSERT_TRUE(SkinColoursInUse(skin));
  const TColor shown = dark->lblHome->Style()->TextColor();
  EXPECT_GE(ContrastRatio(shown, skin.Back), 4.5);
  EXPECT_LT(ContrastRatio(clBlue, skin.Back), 4.5) << "the stored colour did not read";
  dark->Show();
  RedrawWindow(dark->lblHome->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_GT(CountPixels(dark->lblHome->Handle(), shown), 5) << "written in it";
  dark->Close();
}

}  // namespace

namespace {

// The product word is the box's title: large and bold as the form stores it; the link underlined.
TEST_F(AboutBox, TheTitleIsLargeAndBoldAndTheLinkUnderlined) {
  form->Show();
  TFont* title = form->Label1->Style()->GetEffectiveFont();
  EXPECT_EQ(title->Height(), -19);
  EXPECT_TRUE(title->Style().Contains(TFontStyle::fsBold));
  EXPECT_TRUE(form->lblHome->Style()->GetEffectiveFont()->Style().Contains(TFontStyle::fsUnderline));
  EXPECT_GT(form->Label1->Height(), form->Label2->Height() + 4) << "sized for its larger text";
  form->Close();
}

}  // namespace
