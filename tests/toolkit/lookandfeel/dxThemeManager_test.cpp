#include "calderan_test.h"

#include "lookandfeel_fixture.h"

namespace {

class ThemeManager : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartLookAndFeelUnits(); }
  void SetUp() override { CloseAllThemes(); }
  void TearDown() override { CloseAllThemes(); }
  static void SendThemeChanged() {
    HWND receiver = FindThreadWindow(dxThemeChangedReceiverClassName);
    ASSERT_NE(receiver, nullptr);
    SendMessageA(receiver, WM_THEMECHANGED, 0, 0);
  }
};

// Records which class lists were opened; "Button" fails.
std::vector<std::u16string> opened;
HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR classList) {
  opened.push_back(Wide(classList));
  return Wide(classList) == u"Button" ? nullptr : reinterpret_cast<HTHEME>(opened.size());
}
HRESULT WINAPI FakeCloseThemeData(HTHEME) { return S_OK; }

TEST_F(ThemeManager, KindsAreCheckedInOrderStoppingAtTheFirstFailure) {
  TUxThemeFunctionsSaver saver;
  UxThemeFunctions.OpenThemeData = FakeOpenThemeData;
  UxThemeFunctions.CloseThemeData = FakeCloseThemeData;
  opened.clear();
  EXPECT_FALSE(AreThemeKindsAvailable({totWindow, totButton}));
  EXPECT_EQ(opened, std::vector<std::u16string>{u"Button"}) << "Window is not tried after Button failed";
  EXPECT_FALSE(IsThemeKindAvailable(totButton));
  EXPECT_EQ(opened.size(), 2u) << "a failed kind is not cached, so it is tried again";
  EXPECT_TRUE(AreThemeKindsAvailable({totEdit, totWindow}));
  EXPECT_TRUE(AreThemeKindsAvailable({})) << "the empty set only asks whether visual styles are on";
  CloseAllThemes();
}

TEST_F(ThemeManager, RealLibraryOpensOneCachedHandlePerKind) {
  ASSERT_TRUE(ThemesActive());
  HTHEME button = OpenThemeByKind(totButton);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(OpenThemeByKind(totButton), button);
  EXPECT_EQ(OpenThemeByKind(totButton, L"bUtToN"), button) << "class lists compare without letter case";
  EXPECT_TRUE(IsThemeKindAvailable(totScrollBar));
  EXPECT_TRUE(AreThemeKindsAvailable({totButton, totWindow, totHeader}));
}

TEST_F(ThemeManager, AnotherClassListReplacesTheCachedHandleAndIsRemembered) {
  TUxThemeFunctionsSaver saver;
  UxThemeFunctions.OpenThemeData = FakeOpenThemeData;
  UxThemeFunctions.CloseThemeData = FakeCloseThemeData;
  opened.clear();
  HTHEME edit = OpenThemeByKind(totEdit);
  HTHEME other = OpenThemeByKind(totEdit, L"ListBox");
  EXPECT_NE(other, edit);
  EXPECT_EQ(OpenThemeByKind(totEdit), other) << "a nil request returns the handle of the new list";
  SendThemeChanged();
  HTHEME reopened = OpenThemeByKind(totEdit);
  EXPECT_NE(reopened, other) << "the theme change closed every handle";
  EXPECT_EQ(opened, (std::vector<std::u16string>{u"Edit", u"ListBox", u"ListBox"}))
      << "after the change the kind reopens with the list it last used";
  EXPECT_EQ(CloseThemeOfKind(totEdit), S_OK);
  EXPECT_EQ(CloseThemeOfKind(totEdit), 0) << "no open handle";
  OpenThemeByKind(totEdit);
  EXPECT_EQ(opened.back(), u"Edit") << "closing one kind forgets its list";
}

struct TSubscriberLog {
  std::vector<int>* Log;
  int Id;
  void Changed() { Log->push_back(Id); }
};

TEST_F(ThemeManager, ThemeChangeTellsSubscribersFirstToLast) {
  std::vector<int> log;
  TSubscriberLog a{&log, 1}, b{&log, 2}, c{&log, 3};
  TdxThemeChangedNotificator n1, n2, n3;
  n1.OnThemeChanged = MakeEvent(&a, &TSubscriberLog::Changed);
  n2.OnThemeChanged = MakeEvent(&b, &TSubscriberLog::Changed);
  n3.OnThemeChanged = MakeEvent(&c, &TSubscriberLog::Changed);
  {
    TdxThemeChangedNotificator gone;
    gone.OnThemeChanged = MakeEvent(&c, &TSubscriberLog::Changed);
  }
  TdxThemeChangedNotificator unassigned;
  SendThemeChanged();
  EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(ThemesActive());
}

TEST_F(ThemeManager, StylesSwitchedOffMakeEveryQueryFail) {
  {
    TUxThemeFunctionsSaver saver;
    UxThemeFunctions.IsThemeActive = FakeThemeInactive;
    SendThemeChanged();
    EXPECT_FALSE(ThemesActive());
    EXPECT_FALSE(AreThemeKindsAvailable({}));
    EXPECT_FALSE(AreThemeKindsAvailable({totButton}));
    EXPECT_FALSE(IsThemeKindAvailable(totButton));
    EXPECT_EQ(OpenThemeByKind(totButton), nullptr);
    EXPECT_EQ(CloseThemeOfKind(totButton), 1);
  }
  SendThemeChanged();
  EXPECT_TRUE(ThemesActive());
  EXPECT_NE(OpenThemeByKind(totButton), nullptr);
}

TEST_F(ThemeManager, SameClassListIgnoresLetterCase) {
  EXPECT_TRUE(SameClassList(L"Button", L"BUTTON"));
  EXPECT_TRUE(SameClassList(L"", L""));
  EXPECT_FALSE(SameClassList(L"Button", L"Buttons"));
}

}  // namespace
