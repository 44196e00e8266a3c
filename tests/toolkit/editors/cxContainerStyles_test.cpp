#include "calderan_test.h"

#include <functional>
#include <memory>

#include "editors_fixture.h"

namespace {

// A container that paints its parent's background, so its normal colour defaults to clBtnFace.
class TParentBackgroundContainer : public TcxContainer {
 public:
  using TcxContainer::TcxContainer;
  bool UsesParentBackground() const override { return true; }
};

using ContainerStyles = EditorsFixture;

TEST_F(ContainerStyles, NothingAssignedGivesTheDefaultsOfEachState) {
  TcxContainer container(nullptr);
  TcxContainerStyle* normal = container.Style();
  EXPECT_EQ(normal->Color(), clWindow);
  EXPECT_EQ(normal->BorderColor(), clWindowFrame);
  EXPECT_EQ(normal->BorderStyle(), cbsUltraFlat);
  EXPECT_EQ(normal->Edges(), cxBordersAll);
  EXPECT_TRUE(normal->HotTrack());
  EXPECT_FALSE(normal->Shadow());
  EXPECT_TRUE(normal->TransparentBorder());
  EXPECT_EQ(container.StyleState(cssDisabled)->TextColor(), clBtnShadow);
  EXPECT_EQ(container.StyleState(cssDisabled)->BorderColor(), clBtnShadow);
  EXPECT_EQ(container.StyleState(cssFocused)->BorderColor(), clWindowFrame);
  EXPECT_EQ(normal->StyleController(), nullptr);

  TParentBackgroundContainer transparent(nullptr);
  EXPECT_EQ(transparent.Style()->Color(), clBtnFace);
}

TEST_F(ContainerStyles, BorderStyleFollowsTheLookAndFeelKind) {
  const std::pair<TcxLookAndFeelKind, TcxContainerBorderStyle> cases[] = {
      {lfFlat, cbsFlat}, {lfStandard, cbs3D}, {lfUltraFlat, cbsUltraFlat}, {lfOffice11, cbsOffice11}};
  for (auto [kind, border] : cases) {
    TcxContainer container(nullptr);
    container.Style()->LookAndFeel()->SetKind(kind);
    EXPECT_EQ(container.Style()->BorderStyle(), border) << kind;
  }
}

TEST_F(ContainerStyles, ControllerValuesReachEveryContainerThatDoesNotAssignThem) {
  TcxStyleController controller(nullptr);
  TcxContainer first(nullptr), second(nullptr);
  first.Style()->SetStyleController(&controller);
  second.Style()->SetStyleController(&controller);
  controller.NormalStyle()->SetColor(clYellow);
  EXPECT_EQ(first.Style()->Color(), clYellow);
  EXPECT_EQ(second.Style()->Color(), clYellow);
  EXPECT_TRUE(first.Style()->IsValueAssigned(csvColor));
  EXPECT_FALSE(first.Style()->AssignedValues().Contains(csvColor));

  second.Style()->SetColor(clAqua);
  EXPECT_EQ(second.Style()->Color(), clAqua);
  EXPECT_EQ(first.Style()->Color(), clYellow);
}

TEST_F(ContainerStyles, StateStylesShareTheValuesTheyDoNotOwn) {
  using Write = std::function<void(TcxContainerStyle*)>;
  using Read = std::function<bool(TcxContainerStyle*)>;
  struct Case {
    const char* name;
    Write write;
    Read isWritten;
  };
  const Case cases[] = {
      {"Edges", [](TcxContainerStyle* s) { s->SetEdges({bLeft}); }, [](TcxContainerStyle* s) { return s->Edges() == TcxBorders{bLeft}; }},
      {"HotTrack", [](TcxContainerStyle* s) { s->SetHotTrack(false); }, [](TcxContainerStyle* s) { return !s->HotTrack(); }},
      {"Shadow", [](TcxContainerStyle* s) { s->SetShadow(true); }, [](TcxContainerStyle* s) { return s->Shadow(); }},
      {"TransparentBorder", [](TcxContainerStyle* s) { s->SetTransparentBorder(false); },
       [](TcxContainerStyle* s) { return !s->TransparentBorder(); }},
      {"Font", [](TcxContainerStyle* s) { TFont f; f.SetName("Courier New"); s->SetFont(&f); },
       [](TcxContainerStyle* s) { return s->Font()->Name() == "Courier New"; }},
  };
  for (const Case& c : cases) {
    TcxContainer container(nullptr);
    c.write(container.StyleState(cssFocused));
    for (auto state : {cssNormal, cssFocused, cssDisabled, cssHot})
      EXPECT_TRUE(c.isWritten(container.StyleState(state))) << c.name << " state " << int(state);
    EXPECT_FALSE(container.StyleState(cssFocused)->AssignedValues().Contains(csvFont)) << c.name;
  }
}

TEST_F(ContainerStyles, StateBorderStyleDependsOnHotTracking) {
  TcxContainer container(nullptr);
  container.Style()->SetBorderStyle(cbsSingle);
  EXPECT_EQ(container.StyleState(cssFocused)->BorderStyle(), cbsThick);
  EXPECT_EQ(container.StyleState(cssHot)->BorderStyle(), cbsThick);
  EXPECT_EQ(container.StyleState(cssDisabled)->BorderStyle(), cbsSingle);
  container.Style()->SetHotTrack(false);
  EXPECT_EQ(container.StyleState(cssFocused)->BorderStyle(), cbsSingle);
  EXPECT_EQ(container.StyleState(cssDisabled)->BorderStyle(), cbsSingle);
  container.Style()->SetBorderStyle(cbsNone);
  EXPECT_EQ(container.StyleState(cssDisabled)->BorderStyle(), cbsNone);
}

TEST_F(ContainerStyles, ACycleOfControllersIsRefused) {
  TcxStyleController a(nullptr), b(nullptr), c(nullptr);
  b.NormalStyle()->SetStyleController(&c);
  a.NormalStyle()->SetStyleController(&b);
  b.NormalStyle()->SetStyleController(&a);
  EXPECT_EQ(b.NormalStyle()->StyleController(), &c);
  c.NormalStyle()->SetStyleController(&a);  // a longer cycle: c -> a -> b -> c
  EXPECT_EQ(c.NormalStyle()->StyleController(), nullptr);
  a.NormalStyle()->SetStyleController(&a);
  EXPECT_EQ(a.NormalStyle()->StyleController(), &b);

  c.NormalStyle()->SetColor(clRed);
  EXPECT_EQ(a.NormalStyle()->Color(), clRed);  // looked up through b and c
}

TEST_F(ContainerStyles, FreeingAControllerReattachesItsStylesToTheDefault) {
  TcxStyleController fallback(nullptr);
  fallback.NormalStyle()->SetColor(clLime);
  SetDefaultStyleController(&fallback);
  {
    TcxContainer container(nullptr);
    auto controller = std::make_unique<TcxStyleController>(nullptr);
    controller->NormalStyle()->SetColor(clYellow);
    container.Style()->SetStyleController(controller.get());
    EXPECT_EQ(container.Style()->Color(), clYellow);
    controller.reset();
    EXPECT_EQ(container.Style()->StyleController(), nullptr);
    EXPECT_EQ(container.Style()->ActiveStyleController(), &fallback);
    EXPECT_EQ(container.Style()->Color(), clLime);
  }
  SetDefaultStyleController(nullptr);
}

TEST_F(ContainerStyles, ChangesInOneBatchNotifyOnce) {
  TcxContainer container(nullptr);
  TcxContainerStyle* style = container.Style();
  TChangeCounter counter;
  style->OnChanged = counter.Event();
  style->BeginChanges();
  for (int i = 0; i < 20; ++i) style->SetColor(static_cast<TColor>(i));
  EXPECT_EQ(counter.count, 0);
  style->EndChanges();
  EXPECT_EQ(counter.count, 1);
  EXPECT_EQ(counter.lastSender, style);

  style->EndChanges();  // without a BeginChanges
  EXPECT_EQ(counter.count, 1);
  style->SetBorderColor(clRed);
  style->SetBorderColor(clRed);
  style->SetTextColor(clBlue);
  style->SetTextColor(clBlue);
  EXPECT_EQ(counter.count, 3);
  style->BeginChanges();
  style->EndChanges();  // a batch with nothing in it
  EXPECT_EQ(counter.count, 3);
}

TEST_F(ContainerStyles, AssignedAnywhereInTheChainCounts) {
  TcxStyleController outer(nullptr), inner(nullptr);
  inner.NormalStyle()->SetStyleController(&outer);
  TcxContainer container(nullptr);
  container.Style()->SetStyleController(&inner);
  EXPECT_FALSE(container.Style()->IsValueAssigned(csvTransparentBorder));
  outer.NormalStyle()->SetTransparentBorder(false);
  EXPECT_TRUE(container.Style()->IsValueAssigned(csvTransparentBorder));
  EXPECT_FALSE(container.Style()->TransparentBorder());
  EXPECT_FALSE(container.Style()->IsValueAssigned(10));
  std::string name = "x";
  EXPECT_FALSE(container.Style()->StyleValueName(10, name));
  EXPECT_EQ(name, "");
}

TEST_F(ContainerStyles, ADirectAccessStyleIsAPlainRecord) {
  TcxContainerStyle style(nullptr, true, nullptr, cssNormal);
  TChangeCounter counter;
  style.OnChanged = counter.Event();
  TFont font;
  font.SetStyle({TFontStyle::fsBold});
  style.SetFont(&font);
  style.SetColor(clYellow);
  style.SetBorderColor(clRed);
  style.SetShadow(true);
  EXPECT_EQ(counter.count, 0);
  EXPECT_EQ(style.Font(), &font);
  EXPECT_EQ(style.Color(), clYellow);
  EXPECT_EQ(style.BorderColor(), clDefault);
  EXPECT_EQ(style.TextStyle(), TFontStyles{TFontStyle::fsBold});
  EXPECT_FALSE(style.Shadow());
  EXPECT_TRUE(style.TransparentBorder());
  EXPECT_EQ(style.Edges(), TcxBorders{});
  EXPECT_EQ(style.AssignedValues().ToInt(), 0x3FFu);
}

TEST_F(ContainerStyles, ControllerFontReachesStylesUntilTheyAssignTheirOwn) {
  TcxStyleController controller(nullptr);
  TcxContainer container(nullptr);
  container.Style()->SetStyleController(&controller);
  TFont big;
  big.SetSize(20);
  controller.NormalStyle()->SetFont(&big);
  EXPECT_EQ(container.Style()->Font()->Size(), 20);
  EXPECT_FALSE(container.Style()->AssignedValues().Contains(csvFont));
  TFont little;
  little.SetSize(7);
  container.Style()->SetFont(&little);
  controller.NormalStyle()->SetFont(&big);
  EXPECT_EQ(container.Style()->Font()->Size(), 7);
}

TEST_F(ContainerStyles, RestoreDefaultsDropsEveryAssignment) {
  TcxContainer container(nullptr);
  container.Style()->SetColor(clRed);
  container.Style()->SetBorderStyle(cbsThick);
  container.Style()->LookAndFeel()->SetKind(lfFlat);
  container.Style()->RestoreDefaults();
  EXPECT_EQ(container.Style()->AssignedValues(), TcxContainerStyleValues{});
  EXPECT_EQ(container.Style()->BorderStyle(), cbsUltraFlat);
  EXPECT_TRUE(container.ParentFont());
}

TEST_F(ContainerStyles, StoredValuesAreTheAssignedOnesAStateStyleOwns) {
  TcxContainer container(nullptr);
  TcxContainerStyle* focused = container.StyleState(cssFocused);
  focused->SetBorderColor(clRed);
  focused->SetEdges({bTop});
  EXPECT_TRUE(focused->IsStyleValueStored("bordercolor"));
  EXPECT_FALSE(focused->IsStyleValueStored("Edges"));
  EXPECT_TRUE(container.Style()->IsStyleValueStored("Edges"));
  EXPECT_FALSE(container.Style()->IsStyleValueStored("Color"));
  EXPECT_TRUE(container.Style()->IsStyleValueStored("LookAndFeel"));
}

}  // namespace
