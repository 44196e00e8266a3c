#include "calderan_test.h"

#include <functional>
#include <string>

#include "controls_fixture.h"

static void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

namespace {

// A control with content of a size, scrolled in pixels, whose bar parameters come from its client
// bounds as the update loop shows them.
class TContentControl : public TcxControl {
 public:
  TContentControl(TComponent* owner, TSize content) : TcxControl(owner), content(content) {}
  TSize content;
  int calculations = 0;
  bool allowHide = true;
  // When set, replaces the content rule (for descendants that misbehave).
  std::function<void(TContentControl*)> calculate;
  using TcxControl::SetScrollBarInfo;

 protected:
  void CalculateScrollBarParams() override {
    ++calculations;
    if (calculate) return calculate(this);
    const TRect c = GetClientBounds();
    SetScrollBarInfo(sbHorizontal, 0, content.cx - 1, 1, c.Width(), 0, true, allowHide);
    SetScrollBarInfo(sbVertical, 0, content.cy - 1, 1, c.Height(), 0, true, allowHide);
  }
  bool ScrollsByPixels(TScrollBarKind) override { return true; }
};

struct BuiltInBars : ControlsFixture {
  TContentControl* Make(TSize content, int w = 200, int h = 100) {
    auto* control = new TContentControl(form.get(), content);
    control->SetParent(form.get());
    control->SetBounds(10, 10, w, h);
    control->UpdateScrollBars();
    return control;
  }
  static int HBar() { return GetSystemMetrics(SM_CYHSCROLL); }
  static int VBar() { return GetSystemMetrics(SM_CXVSCROLL); }
};

TEST_F(BuiltInBars, RecordRulesOfSetScrollBarInfo) {
  struct Case {
    const char* what;
    TcxScrollStyle setting;
    int min, max, page, position;
    bool allowHide;
    bool visible, enabled;
  } const cases[] = {
      {"range wider than the page", ssBoth, 0, 99, 10, 0, true, true, true},
      {"page covers the range, may hide", ssBoth, 0, 9, 10, 0, true, false, true},
      {"page covers the range, may not hide", ssBoth, 0, 9, 10, 0, false, true, false},
      {"max below min, may not hide", ssBoth, 5, 4, 1, 5, false, true, false},
      {"position below min, may hide", ssBoth, 5, 99, 10, 4, true, false, true},
      {"the setting allows only the other kind", ssHorizontal, 0, 99, 10, 0, false, false, true},
      {"no bars at all", ssNone, 0, 99, 10, 0, true, false, true},
  };
  for (const Case& c : cases) {
    auto* control = Make(TSize(1, 1));
    control->SetScrollBars(c.setting);
    control->SetScrollBarInfo(sbVertical, c.min, c.max, 3, c.page, c.position, true, c.allowHide);
    const TcxScrollBarData& d = control->VScrollBar()->Data;
    EXPECT_EQ(d.Visible, c.visible) << c.what;
    EXPECT_EQ(d.Enabled, c.enabled) << c.what;
    if (c.visible && c.enabled) {
      EXPECT_EQ(d.LargeChange, c.page) << c.what;
      EXPECT_EQ(d.SmallChange, 3) << c.what;
    }
    delete control;
  }
}

TEST_F(BuiltInBars, ContentDecidesTheBarsTheGripAndTheirPlaces) {
  struct Case { const char* what; TSize content; bool h, v; } const cases[] = {
      {"fits", TSize(200, 100), false, false},
      {"too wide", TSize(300, 50), true, false},
      {"too high", TSize(150, 300), false, true},
      {"too high, then too wide once the vertical bar is shown", TSize(195, 300), true, true},
      {"too wide, then too high once the horizontal bar is shown", TSize(250, 90), true, true},
  };
  for (const Case& c : cases) {
    auto* control = Make(c.content);
    EXPECT_EQ(control->HScrollBar()->Visible(), c.h) << c.what;
    EXPECT_EQ(control->VScrollBar()->Visible(), c.v) << c.what;
    EXPECT_EQ(control->SizeGrip()->Visible(), c.h && c.v) << c.what;
    const TRect client(0, 0, 200 - (c.v ? VBar() : 0), 100 - (c.h ? HBar() : 0));
    EXPECT_EQ(control->GetClientBounds(), client) << c.what;
    if (c.h) {
      EXPECT_EQ(control->HScrollBar()->BoundsRect(), TRect(0, client.Bottom, client.Right, 100)) << c.what;
    }
    if (c.v) {
      EXPECT_EQ(control->VScrollBar()->BoundsRect(), TRect(client.Right, 0, 200, client.Bottom)) << c.what;
    }
    if (c.h && c.v) {
      EXPECT_EQ(control->SizeGrip()->BoundsRect(), TRect(client.Right, client.Bottom, 200, 100)) << c.what;
    }
    delete control;
  }
}

TEST_F(BuiltInBars, TheHorizontalOnlySettingNeverShowsTheVerticalBar) {
  auto* control = Make(TSize(300, 300));
  control->SetScrollBars(ssHorizontal);
  EXPECT_TRUE(control->HScrollBar()->Visible());
  EXPECT_FALSE(control->VScrollBar()->Visible());
  EXPECT_FALSE(control->SizeGrip()->Visible());
}

TEST_F(BuiltInBars, ARangeBelowThePageThatMayNotHideGivesAShownDisabledBar) {
  auto* control = new TContentControl(form.get(), TSize(50, 50));
  control->allowHide = false;
  control->SetParent(form.get());
  control->SetBounds(10, 10, 200, 100);
  control->UpdateScrollBars();
  EXPECT_TRUE(control->VScrollBar()->Visible());
  EXPECT_FALSE(control->VScrollBar()->Enabled());
  EXPECT_TRUE(control->HScrollBar()->Visible());
  EXPECT_FALSE(control->HScrollBar()->Enabled());
}

// Each bar wants what the other's shown state says: the vertical one while the horizontal one is
// hidden, the horizontal one while the vertical one is shown. Left alone they would take turns
// without end; the loop stops when it meets the state it began with.
TEST_F(BuiltInBars, BarsThatWouldTakeTurnsSettleShownButDisabled) {
  auto* control = Make(TSize(10, 10));
  control->calculate = [](TContentControl* c) {
    const bool vShown = c->VScrollBar()->Visible(), hShown = c->HScrollBar()->Visible();
    c->SetScrollBarInfo(sbHorizontal, 0, 99, 1, vShown ? 10 : 200, 0, true, true);
    c->SetScrollBarInfo(sbVertical, 0, 99, 1, hShown ? 200 : 10, 0, true, true);
  };
  control->calculations = 0;
  control->UpdateScrollBars();
  EXPECT_LT(control->calculations, 20);
  EXPECT_TRUE(control->HScrollBar()->Visible());
  EXPECT_FALSE(control->HScrollBar()->Enabled()) << "kept shown but disabled instead of flickering";
  EXPECT_FALSE(control->VScrollBar()->Visible());
  control->calculations = 0;
  control->UpdateScrollBars();
  EXPECT_LT(control->calculations, 20) << "settles again from the new state";
}

TEST_F(BuiltInBars, SystemScrollBarSizesAreFollowed) {
  auto* control = Make(TSize(300, 300));
  control->VScrollBar()->SetWidth(5);
  control->HScrollBar()->SetHeight(5);
  // What the settings controller sends to every registered control on a system settings change.
  control->Perform(CXM_SCROLLBARMETRICS);
  EXPECT_EQ(control->VScrollBar()->Width(), VBar());
  EXPECT_EQ(control->HScrollBar()->Height(), HBar());
  EXPECT_EQ(control->GetClientBounds(), TRect(0, 0, 200 - VBar(), 100 - HBar()));
}

TEST_F(BuiltInBars, ScrollByDirectionUsesTheBarOfTheDirection) {
  class TRecorder : public TContentControl {
   public:
    using TContentControl::TContentControl;
    std::vector<std::pair<TScrollBarKind, TScrollCode>> scrolls;
    using TcxControl::ScrollByDirection;

   protected:
    void Scroll(TScrollBarKind kind, TScrollCode code, int&) override { scrolls.emplace_back(kind, code); }
  };
  auto* control = new TRecorder(form.get(), TSize(300, 300));
  control->SetParent(form.get());
  for (TcxDirection d : {dirNone, dirLeft, dirRight, dirUp, dirDown}) control->ScrollByDirection(d);
  const std::vector<std::pair<TScrollBarKind, TScrollCode>> expected = {
      {sbHorizontal, scLineUp}, {sbHorizontal, scLineDown}, {sbVertical, scLineUp}, {sbVertical, scLineDown}};
  EXPECT_EQ(control->scrolls, expected);
}

TEST_F(BuiltInBars, ChildComponentsJoinTheirControlAndGroupWithControls) {
  auto* control = Make(TSize(10, 10));
  auto* child = TcxControlChildComponent::CreateForControl(TcxControlChildComponent::StaticClass(), control);
  EXPECT_EQ(child->Control(), control);
  EXPECT_EQ(child->Owner(), form.get());
  EXPECT_EQ(child->GetParentComponent(), control);
  delete child;
  auto* loose = new TcxControlChildComponent(nullptr);
  loose->SetParentComponent(control);
  EXPECT_EQ(loose->Control(), control);
  delete loose;
  EXPECT_EQ(ClassGroupOf(TcxControlChildComponent::StaticClass()), TControl::StaticClass());
}

}  // namespace
