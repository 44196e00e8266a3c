#include "calderan_test.h"

#include <algorithm>

#include "cxGraphicsRoutines.h"
#include "lookandfeel_fixture.h"

namespace {

class SystemColorChange : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartLookAndFeelUnits(); }
};

struct TColorsLog {
  std::vector<std::string>* Log;
  std::string Name;
  void Changed() {
    // The Office-11 set is already recomputed when the notifiers hear of the change.
    Log->push_back(Name + (Office11Colors[0] == static_cast<TColor>(GetSysColor(COLOR_BTNFACE)) ? "" : " stale"));
  }
};

TEST_F(SystemColorChange, RecomputesOffice11ColoursThenTellsPrimaryThenOrdinaryNotifiersLastFirst) {
  std::vector<std::string> log;
  TColorsLog a{&log, "ordinary 1"}, b{&log, "ordinary 2"}, c{&log, "primary 1"}, d{&log, "primary 2"};
  TcxSystemPaletteChangedNotifier o1(false), p1(true), o2(false), p2(true);
  o1.OnSystemColorsChanged = MakeEvent(&a, &TColorsLog::Changed);
  o2.OnSystemColorsChanged = MakeEvent(&b, &TColorsLog::Changed);
  p1.OnSystemColorsChanged = MakeEvent(&c, &TColorsLog::Changed);
  p2.OnSystemColorsChanged = MakeEvent(&d, &TColorsLog::Changed);
  ASSERT_NE(FindThreadWindow(cxSystemPaletteChangedListenerClassName), nullptr);
  const TColor before = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(Office11Colors[0], before);
  {
    TSysColorChange change(COLOR_BTNFACE, RGB(10, 200, 30));
    EXPECT_EQ(Office11Colors[0], RGB(10, 200, 30));
    EXPECT_EQ(Office11Colors[62], RGB(10, 200, 30));
    EXPECT_EQ(log, (std::vector<std::string>{"primary 2", "primary 1", "ordinary 2", "ordinary 1"}));
  }
  EXPECT_EQ(Office11Colors[0], before) << "and back when the colour is restored";
}

TEST_F(SystemColorChange, EveryLookAndFeelReportsANativeStyleChange) {
  TcxLookAndFeel parent(nullptr), child(nullptr);
  child.SetParentLookAndFeel(&parent);
  std::vector<std::string> log;
  struct TLog {
    std::vector<std::string>* Log;
    std::string Name;
    void Changed(TcxLookAndFeel*, TcxLookAndFeelValues values) {
      Log->push_back(Name + (values == TcxLookAndFeelValues{lfvNativeStyle} ? " native" : " other"));
    }
  } parentLog{&log, "parent"}, childLog{&log, "child"};
  parent.OnChanged = MakeEvent(&parentLog, &TLog::Changed);
  child.OnChanged = MakeEvent(&childLog, &TLog::Changed);
  {
    TSysColorChange change(COLOR_HIGHLIGHT, RGB(200, 10, 10));
    // Each runs once through its own notifier and again for every change of its parent that reaches
    // it: the parent hears the root's, the child both of its parent's.
    EXPECT_EQ(std::count(log.begin(), log.end(), "parent native"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "child native"), 3);
    EXPECT_EQ(log.size(), 5u);
  }
}

TEST_F(SystemColorChange, RadioButtonPicturesTakeTheNewColours) {
  TcxRadioButtonImageList* images = GetRadioButtonImages();
  const TSize size = images->GetSize();
  TDibSurface s(size.cx, size.cy, 0x123456);
  // Standard look, normal, not checked: the inside is the window colour.
  int cx = 0, cy = size.cy / 2;
  while (cx < size.cx && images->PatternCode(cx, cy) != 5) ++cx;
  ASSERT_LT(cx, size.cx) << "a pixel inside the circle";
  images->Draw(s.DC(), 0, 0, clDefault, lfStandard, cxbsNormal, false, false, false);
  EXPECT_EQ(s.Pixel(cx, cy), static_cast<TColor>(GetSysColor(COLOR_WINDOW)));
  {
    TSysColorChange change(COLOR_WINDOW, RGB(250, 240, 10));
    images->Draw(s.DC(), 0, 0, clDefault, lfStandard, cxbsNormal, false, false, false);
    EXPECT_EQ(s.Pixel(cx, cy), RGB(250, 240, 10));
  }
}

TEST_F(SystemColorChange, MixesOfABlackOrWhiteFaceAreTheHighlight) {
  for (COLORREF face : {RGB(0, 0, 0), RGB(255, 255, 255)}) {
    TSysColorChange change(COLOR_BTNFACE, face);
    EXPECT_EQ(HotMixColor(), static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(PressedMixColor(), static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(Office11Colors[5], static_cast<TColor>(GetSysColor(COLOR_HIGHLIGHT))) << "the same rule in the Office-11 set";
  }
}

TEST_F(SystemColorChange, ListenerWindowLivesWhileAnyNotifierDoes) {
  StopUnits();
  EXPECT_EQ(FindThreadWindow(cxSystemPaletteChangedListenerClassName), nullptr);
  {
    TcxSystemPaletteChangedNotifier n;
    EXPECT_NE(FindThreadWindow(cxSystemPaletteChangedListenerClassName), nullptr);
    EXPECT_NE(Office11Brush(41), nullptr) << "the listener holds a reference on the Office-11 set";
  }
  EXPECT_EQ(FindThreadWindow(cxSystemPaletteChangedListenerClassName), nullptr);
  EXPECT_EQ(Office11Brush(41), nullptr);
  StartLookAndFeelUnits();
  EXPECT_NE(RootLookAndFeel(), nullptr);
}

}  // namespace
