#include "calderan_test.h"

#include <string>
#include <vector>

#include "Forms.h"
#include "ImgList.h"
#include "Menus.h"

namespace {

class ImgListMenus : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartUnits({&GraphicsUnit, &ControlsUnit, &MenusUnit, &FormsUnit});
  }
  static void TearDownTestSuite() { StopUnits(); }

  // A strip of three 8 x 8 images: a square of the colour on a fuchsia background.
  static std::unique_ptr<TBitmap> Strip() {
    auto b = std::make_unique<TBitmap>(24, 8, TPixelFormat::pf24bit);
    b->Canvas()->Brush()->SetColor(clFuchsia);
    b->Canvas()->FillRect(Rect(0, 0, 24, 8));
    const TColor colours[3] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i) {
      b->Canvas()->Brush()->SetColor(colours[i]);
      b->Canvas()->FillRect(Rect(i * 8 + 2, 2, i * 8 + 6, 6));
    }
    return b;
  }
  static std::unique_ptr<TBitmap> Sheet() {
    auto s = std::make_unique<TBitmap>(20, 20, TPixelFormat::pf24bit);
    s->Canvas()->Brush()->SetColor(clSilver);
    s->Canvas()->FillRect(Rect(0, 0, 20, 20));
    return s;
  }
};

TEST_F(ImgListMenus, ImageListAddsStripsAndDrawsNormalAndGreyed) {
  TImageList list(nullptr);
  list.SetSize(8, 8);
  auto strip = Strip();
  EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
  EXPECT_EQ(list.Count(), 3);
  auto sheet = Sheet();
  list.Draw(sheet->Canvas(), 0, 0, 1);
  EXPECT_EQ(sheet->Canvas()->Pixel(4, 4), clLime);
  EXPECT_EQ(sheet->Canvas()->Pixel(0, 0), clSilver);  // the mask colour is transparent
  list.Draw(sheet->Canvas(), 10, 10, 1, false);      // greyed: embossed in the 3-D colours
  TColor greyed = sheet->Canvas()->Pixel(14, 14);
  EXPECT_EQ(greyed, static_cast<TColor>(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(sheet->Canvas()->Pixel(10, 10), clSilver);

  list.Move(2, 0);  // blue first now
  auto again = Sheet();
  list.Draw(again->Canvas(), 0, 0, 0);
  EXPECT_EQ(again->Canvas()->Pixel(4, 4), clBlue);
  EXPECT_EQ(again->Canvas()->Pixel(0, 0), clSilver);  // still masked after the move
  list.Delete(0);
  EXPECT_EQ(list.Count(), 2);

  TMemoryStream stored;  // the stored form reads back as the same images
  list.WriteData(&stored);
  stored.SetPosition(0);
  TImageList copy(nullptr);
  copy.ReadData(&stored);
  EXPECT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Width(), 8);
  auto third = Sheet();
  copy.Draw(third->Canvas(), 0, 0, 1);
  EXPECT_EQ(third->Canvas()->Pixel(4, 4), clLime);
  EXPECT_EQ(third->Canvas()->Pixel(0, 0), clSilver);
}

TEST_F(ImgListMenus, ShortCutsReadAndWriteAsText) {
  struct Case {
    TShortCut key;
    const char* text;
  } cases[] = {{ShortCut('S', {ssCtrl}), "Ctrl+S"}, {ShortCut(VK_F5, {}), "F5"},
               {ShortCut(VK_DELETE, {ssShift}), "Shift+Del"}, {ShortCut('O', {ssCtrl, ssAlt}), "Ctrl+Alt+O"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ShortCutToText(c.key), c.text);
    EXPECT_EQ(TextToShortCut(c.text), c.key) << c.text;
  }
  EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), 0);
}

TEST_F(ImgListMenus, MenusBuildTheirItemsAndRouteCommandsAndShortCuts) {
  TForm form(nullptr, 0);
  TMainMenu menu(&form);
  auto* file = new TMenuItem(&form);
  file->SetCaption("&File");
  menu.Items()->Add(file);
  std::vector<std::string> log;
  struct TClicks {
    std::vector<std::string>* log;
    void Click(TObject* s) { log->push_back(static_cast<TMenuItem*>(s)->Caption()); }
  } clicks{&log};
  auto add = [&](TMenuItem* parent, const char* caption, TShortCut key) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    item->SetShortCut(key);
    item->OnClick = MakeEvent(&clicks, &TClicks::Click);
    parent->Add(item);
    return item;
  };
  TMenuItem* open = add(file, "&Open", ShortCut('O', {ssCtrl}));
  add(file, "-", 0);
  TMenuItem* quit = add(file, "E&xit", 0);
  TMenuItem* big = add(file, "Big", 0);
  TMenuItem* little = add(file, "Small", 0);
  big->SetRadioItem(true);
  little->SetRadioItem(true);
  big->SetChecked(true);
  little->SetChecked(true);  // one of a group
  EXPECT_FALSE(big->Checked());

  form.SetMenu(&menu);
  HMENU bar = GetMenu(form.Handle());
  ASSERT_EQ(bar, menu.Handle());
  HMENU sub = GetSubMenu(bar, 0);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(GetMenuItemCount(sub), 5);
  char text[64] = {};
  GetMenuStringA(sub, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Open\tCtrl+O");
  quit->SetEnabled(false);  // the Win32 menu follows its items
  EXPECT_TRUE(GetMenuState(GetSubMenu(menu.Handle(), 0), 2, MF_BYPOSITION) & MF_GRAYED);

  SendMessageA(form.Handle(), WM_COMMAND, open->Command(), 0);  // chosen with the mouse
  BYTE keys[256] = {};
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  TMessage key{CN_KEYDOWN, 'O', 0, 0};
  EXPECT_TRUE(form.IsShortCut(key));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  quit->Click();  // a disabled item does not run
  EXPECT_EQ(log, (std::vector<std::string>{"&Open", "&Open"}));

  // owner-drawn items (a menu with images) are measured by their item
  TImageList images(nullptr);
  menu.SetImages(&images);
  EXPECT_TRUE(menu.NeedsOwnerDraw());
  MEASUREITEMSTRUCT m{};
  m.CtlType = ODT_MENU;
  m.itemData = reinterpret_cast<ULONG_PTR>(open);
  EXPECT_TRUE(menu.DispatchMeasureItem(&m));
  EXPECT_GT(m.itemWidth, 40u);
  EXPECT_GE(m.itemHeight, 16u);
  menu.SetImages(nullptr);
}

}  // namespace
