#include "calderan_test.h"

#include <map>
#include <memory>

#include "FormatsAdvance.h"
#include "SkinColours.h"
#include "XMLFormats.h"
#include "cxLookAndFeels.h"
#include "windows_fixture.h"

namespace {

// The settings dialog under a skin (a program of its own: the inspector's header and the look and
// feel's cannot meet in one file).
class FormatsAdvanceTest : public WindowsFixture {
 protected:
  void SetUp() override {
    DeleteFileA("configure.ini");
    formats = std::make_unique<TFormats>("");
    form.reset(CreateForm<TFormOSetting>(nullptr));
    frame()->SetFormats(formats.get());
    formats->Attach(frame());
  }
  void TearDown() override {
    formats->Detach(frame());
    form.reset();
    formats.reset();
    DeleteFileA("configure.ini");
  }
  TFrameOFormat* frame() { return form->OFormat; }
  void Choose(const std::string& name) {
    TFormatSelection sel = formats->GetSelection();
    for (int i = 0; i < formats->XMLFormats()->Count(); ++i)
      if (formats->XMLFormats()->Format(i)->Name() == name) sel.Format = i;
    formats->SetSelection(sel);
    formats->SelectDefaults();
  }
  std::unique_ptr<TFormats> formats;
  std::unique_ptr<TFormOSetting> form;
};

// Under a dark skin the inspector shows no light row, category or margin (it stayed white: its
// stored colours and the gradient style are the light look's); rows and categories are written in
// the skin's text colours.
TEST_F(FormatsAdvanceTest, UnderADarkSkinTheInspectorWearsTheSkin) {
  RootLookAndFeel()->SetSkinName("Midnight");
  struct TRestore {
    ~TRestore() { RootLookAndFeel()->SetSkinName(""); }
  } restore;
  TSkinColours skin;
  ASSERT_TRUE(SkinColoursInUse(skin));
  Choose("Apple TV");
  form->Show();
  HWND inspector = GetWindow(frame()->Handle(), GW_CHILD);  // the frame's one window: the inspector
  ASSERT_NE(inspector, nullptr);
  RedrawWindow(inspector, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RECT client;
  GetClientRect(inspector, &client);
  const int width = client.right, height = client.bottom;
  std::map<COLORREF, int> counts;
  HDC dc = GetDC(inspector);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ++counts[GetPixel(dc, x, y)];
  ReleaseDC(inspector, dc);
  auto count = [&](TColor color) { return counts[ColorToRGB(color)]; };
  for (TColor light : {TColor(clWindow), TColor(clBtnFace), TColor(16579322)})
    EXPECT_EQ(count(light), 0) << std::hex << ColorToRGB(light);
  EXPECT_GT(count(skin.Editor), width * height / 3) << "the rows";
  EXPECT_GT(count(skin.Back), 14 * height / 2) << "the margin and the categories";
  EXPECT_GT(count(skin.EditorText), 50) << "the rows' captions and values";
  EXPECT_GT(count(skin.Text), 20) << "the categories' captions";
  form->Hide();
}

}  // namespace
