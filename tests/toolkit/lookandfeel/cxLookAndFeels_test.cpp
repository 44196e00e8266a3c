#include "calderan_test.h"

#include <memory>
#include <optional>

#include "BinaryFiler.h"
#include "TypInfo.h"
#include "lookandfeel_fixture.h"
#include "stored_form_test.h"
#include "stub_reader.h"

// Two skin painters as the skin modules would register them.
class TTestSkinPainterA : public TcxOffice11LookAndFeelPainter {
  CALDERAN_CLASS(TTestSkinPainterA)
  static TcxCustomLookAndFeelPainterClass Instance();

 protected:
  constexpr TTestSkinPainterA() = default;
};
class TTestSkinPainterB : public TcxOffice11LookAndFeelPainter {
  CALDERAN_CLASS(TTestSkinPainterB)
  static TcxCustomLookAndFeelPainterClass Instance();

 protected:
  constexpr TTestSkinPainterB() = default;
};
CX_IMPLEMENT_PAINTER(TTestSkinPainterA, TcxOffice11LookAndFeelPainter)
CX_IMPLEMENT_PAINTER(TTestSkinPainterB, TcxOffice11LookAndFeelPainter)

namespace {

class LookAndFeel : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartLookAndFeelUnits(); }
  void SetUp() override {
    root_ = RootLookAndFeel();
    ASSERT_NE(root_, nullptr);
    root_->ClearAssignedValues();
    ExtendedStylePainters()->Register("Caramel", TTestSkinPainterA::Instance());
  }
  void TearDown() override {
    ExtendedStylePainters()->Unregister("Caramel");
    ExtendedStylePainters()->Unregister("Zest");
    GlobalUseSkins = true;
    root_->ClearAssignedValues();
  }
  TcxLookAndFeel* root_ = nullptr;
};

// Records the changes a look and feel reports.
struct TChangeLog {
  std::vector<TcxLookAndFeelValues> Changes;
  void Changed(TcxLookAndFeel*, TcxLookAndFeelValues values) { Changes.push_back(values); }
  void Watch(TcxLookAndFeel& lf) { lf.OnChanged = MakeEvent(this, &TChangeLog::Changed); }
};

struct TLevel {
  std::optional<TcxLookAndFeelKind> Kind = {};
  std::optional<bool> Native = {};
  std::optional<std::string> Skin = {};
  void ApplyTo(TcxLookAndFeel& lf) const {
    if (Kind) lf.SetKind(*Kind);
    if (Native) lf.SetNativeStyle(*Native);
    if (Skin) lf.SetSkinName(*Skin);
  }
};

TEST_F(LookAndFeel, ValuesResolveThroughParentAndRoot) {
  struct {
    TLevel Root, Parent, Child;
    TcxLookAndFeelKind Kind;
    bool Native;
    const char* Skin;
  } cases[] = {
      {{}, {}, {}, lfUltraFlat, false, ""},
      {{lfOffice11}, {}, {}, lfOffice11, false, ""},
      {{lfOffice11, true, "Caramel"}, {lfFlat}, {}, lfFlat, true, "Caramel"},
      {{lfOffice11}, {lfFlat}, {lfStandard}, lfStandard, false, ""},
      {{{}, true}, {{}, false}, {}, lfUltraFlat, false, ""},
      {{{}, {}, "Caramel"}, {}, {{}, {}, ""}, lfUltraFlat, false, ""},
      {{lfFlat, {}, "Caramel"}, {{}, {}, "Zest"}, {lfOffice11}, lfOffice11, false, "Zest"},
  };
  int row = 0;
  for (const auto& c : cases) {
    root_->ClearAssignedValues();
    c.Root.ApplyTo(*root_);
    TcxLookAndFeel parent(nullptr), child(nullptr);
    child.SetParentLookAndFeel(&parent);
    c.Parent.ApplyTo(parent);
    c.Child.ApplyTo(child);
    EXPECT_EQ(child.Kind(), c.Kind) << "row " << row;
    EXPECT_EQ(child.NativeStyle(), c.Native) << "row " << row;
    EXPECT_EQ(child.SkinName(), c.Skin) << "row " << row;
    ++row;
  }
}

TEST_F(LookAndFeel, RootDefaultsAndAssignedValues) {
  EXPECT_TRUE(root_->IsRoot());
  EXPECT_EQ(root_->EffectiveParent(), nullptr);
  EXPECT_EQ(root_->Kind(), lfUltraFlat);
  EXPECT_EQ(root_->CurrentPainter(), TcxUltraFlatLookAndFeelPainter::Instance());
  root_->SetKind(lfOffice11);
  TcxLookAndFeel lf(nullptr);
  EXPECT_EQ(lf.EffectiveParent(), root_);
  EXPECT_EQ(lf.Kind(), lfOffice11);
  EXPECT_TRUE(lf.AssignedValues().Empty());
  EXPECT_EQ(lf.CurrentPainter(), TcxOffice11LookAndFeelPainter::Instance());
  EXPECT_FALSE(lf.IsKindStored());
  lf.SetKind(lfOffice11);
  EXPECT_EQ(lf.AssignedValues(), TcxLookAndFeelValues{lfvKind}) << "assigned although nothing changed";
  EXPECT_TRUE(lf.IsKindStored());
}

TEST_F(LookAndFeel, PainterFollowsKindNativeStyleSkinAndVisualStyles) {
  struct {
    TcxLookAndFeelKind Kind;
    bool Native;
    const char* Skin;
    bool Styles;
    bool UseSkins;
    TcxCustomLookAndFeelPainterClass Painter;
  } cases[] = {
      {lfFlat, false, "", true, true, TcxFlatLookAndFeelPainter::Instance()},
      {lfStandard, false, "", true, true, TcxStandardLookAndFeelPainter::Instance()},
      {lfUltraFlat, false, "", true, true, TcxUltraFlatLookAndFeelPainter::Instance()},
      {lfOffice11, false, "", true, true, TcxOffice11LookAndFeelPainter::Instance()},
      {lfFlat, true, "", true, true, TcxWinXPLookAndFeelPainter::Instance()},
      {lfFlat, true, "Caramel", true, true, TcxWinXPLookAndFeelPainter::Instance()},
      {lfFlat, false, "Caramel", true, true, TTestSkinPainterA::Instance()},
      {lfFlat, false, "caramel", false, true, TTestSkinPainterA::Instance()},
      {lfFlat, false, "Unknown", true, true, TcxFlatLookAndFeelPainter::Instance()},
      {lfStandard, true, "Caramel", false, true, TcxStandardLookAndFeelPainter::Instance()},
      {lfOffice11, true, "", false, true, TcxOffice11LookAndFeelPainter::Instance()},
      {lfFlat, false, "Caramel", true, false, TcxFlatLookAndFeelPainter::Instance()},
  };
  int row = 0;
  for (const auto& c : cases) {
    std::unique_ptr<TVisualStylesOff> off(c.Styles ? nullptr : new TVisualStylesOff);
    GlobalUseSkins = c.UseSkins;
    TcxLookAndFeel lf(nullptr);
    lf.SetKind(c.Kind);
    lf.SetNativeStyle(c.Native);
    lf.SetSkinName(c.Skin);
    EXPECT_EQ(lf.CurrentPainter(), c.Painter) << "row " << row << ": " << lf.CurrentPainter()->ClassName();
    EXPECT_EQ(lf.NativeStyle(), c.Native) << "row " << row;
    EXPECT_EQ(lf.SkinName(), c.Skin) << "the name reads back exactly, row " << row;
    ++row;
  }
  GlobalUseSkins = true;
}

TEST_F(LookAndFeel, NativeStyleResolvesItsPainterAgainAfterAThemeChange) {
  TcxLookAndFeel lf(nullptr);
  lf.SetKind(lfStandard);
  lf.SetNativeStyle(true);
  EXPECT_EQ(lf.CurrentPainter(), TcxWinXPLookAndFeelPainter::Instance());
  EXPECT_EQ(lf.PainterForThemeKind(totButton), TcxWinXPLookAndFeelPainter::Instance());
  EXPECT_EQ(lf.PainterForThemeKind(totClock), TcxStandardLookAndFeelPainter::Instance())
      << "a theme kind the visual style lacks falls back to the kind's painter";
  TVisualStylesOff off;
  EXPECT_EQ(lf.PainterForThemeKinds({}), TcxStandardLookAndFeelPainter::Instance());
}

TEST_F(LookAndFeel, ChangesReachFollowersOncePerChange) {
  TcxLookAndFeel parent(nullptr), child(nullptr), fixed(nullptr);
  child.SetParentLookAndFeel(&parent);
  fixed.SetParentLookAndFeel(&parent);
  fixed.SetKind(lfStandard);
  TChangeLog parentLog, childLog, fixedLog;
  parentLog.Watch(parent);
  childLog.Watch(child);
  fixedLog.Watch(fixed);

  root_->SetKind(lfOffice11);
  EXPECT_EQ(parentLog.Changes, std::vector<TcxLookAndFeelValues>{{lfvKind}});
  EXPECT_EQ(childLog.Changes, std::vector<TcxLookAndFeelValues>{{lfvKind}});
  EXPECT_TRUE(fixedLog.Changes.empty()) << "an assigned Kind does not follow the parent";
  EXPECT_EQ(child.CurrentPainter(), TcxOffice11LookAndFeelPainter::Instance());

  root_->SetKind(lfFlat);
  EXPECT_EQ(child.CurrentPainter(), TcxFlatLookAndFeelPainter::Instance());
  EXPECT_EQ(childLog.Changes.size(), 2u);

  root_->SetKind(lfFlat);
  EXPECT_EQ(childLog.Changes.size(), 2u) << "the same value again changes nothing";

  parent.SetSkinName("Caramel");
  EXPECT_EQ(fixedLog.Changes, std::vector<TcxLookAndFeelValues>{{lfvSkinName}})
      << "it still follows the parent's skin name";
  EXPECT_EQ(fixed.CurrentPainter(), TTestSkinPainterA::Instance());
}

// A listener that leaves the list while it is told must not make the next one miss the change.
struct TLeavingListener : IcxLookAndFeelListener {
  TcxLookAndFeel* Subject;
  int Calls = 0;
  TObject* GetListenerObject() override { return nullptr; }
  void LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) override {
    ++Calls;
    Subject->RemoveListener(this);
  }
  void LookAndFeelDestroying(TcxLookAndFeel*) override {}
};
struct TCountingListener : IcxLookAndFeelListener {
  int Calls = 0, Destroying = 0;
  TObject* GetListenerObject() override { return nullptr; }
  void LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) override { ++Calls; }
  void LookAndFeelDestroying(TcxLookAndFeel*) override { ++Destroying; }
};

TEST_F(LookAndFeel, ListenerLeavingDuringTheWalkDoesNotSkipTheNext) {
  TcxLookAndFeel lf(nullptr);
  TLeavingListener leaving;
  leaving.Subject = &lf;
  TCountingListener counting;
  lf.AddListener(&leaving);
  lf.AddListener(&counting);
  lf.AddListener(&counting);
  lf.SetKind(lfFlat);
  EXPECT_EQ(leaving.Calls, 1);
  EXPECT_EQ(counting.Calls, 1) << "added once, told once";
  lf.SetKind(lfStandard);
  EXPECT_EQ(leaving.Calls, 1);
  EXPECT_EQ(counting.Calls, 2);
  lf.RemoveListener(&counting);
}

TEST_F(LookAndFeel, DestroyedParentHandsItsChildrenToTheRoot) {
  root_->SetKind(lfOffice11);
  TcxLookAndFeel child(nullptr);
  TChangeLog log;
  {
    TcxLookAndFeel parent(nullptr);
    TCountingListener other;
    parent.AddListener(&other);
    child.SetParentLookAndFeel(&parent);
    parent.SetKind(lfFlat);
    parent.SetSkinName("Caramel");
    log.Watch(child);
    parent.RemoveListener(&other);
  }
  EXPECT_EQ(child.ParentLookAndFeel(), nullptr);
  EXPECT_EQ(child.EffectiveParent(), root_);
  EXPECT_EQ(child.Kind(), lfOffice11);
  EXPECT_EQ(log.Changes, (std::vector<TcxLookAndFeelValues>{{lfvKind, lfvSkinName}}));
  root_->SetKind(lfStandard);
  EXPECT_EQ(child.Kind(), lfStandard) << "it listens to the root now";
}

TEST_F(LookAndFeel, ApplyStyleAndAssign) {
  TcxLookAndFeel lf(nullptr);
  lf.SetKind(lfFlat);
  lf.ApplyStyle(3);
  EXPECT_TRUE(lf.NativeStyle());
  EXPECT_EQ(lf.Kind(), lfFlat) << "native style leaves Kind untouched";
  lf.ApplyStyle(4);
  EXPECT_FALSE(lf.NativeStyle());
  EXPECT_EQ(lf.Kind(), lfOffice11);

  TcxLookAndFeel parent(nullptr), source(nullptr), copy(nullptr);
  parent.SetKind(lfStandard);
  source.SetParentLookAndFeel(&parent);
  source.SetSkinName("Caramel");
  TChangeLog log;
  log.Watch(copy);
  copy.Assign(&source);
  EXPECT_EQ(copy.AssignedValues(), TcxLookAndFeelValues{lfvSkinName});
  EXPECT_EQ(copy.ParentLookAndFeel(), &parent);
  EXPECT_EQ(copy.Kind(), lfStandard);
  EXPECT_EQ(copy.CurrentPainter(), TTestSkinPainterA::Instance());
  EXPECT_EQ(log.Changes, (std::vector<TcxLookAndFeelValues>{{lfvKind, lfvSkinName}}));
}

TEST_F(LookAndFeel, ControllersKeepTheRootsValuesUntilTheLastOneGoes) {
  auto* first = new TcxLookAndFeelController(nullptr);
  auto* second = new TcxLookAndFeelController(nullptr);
  first->SetKind(lfFlat);
  second->SetSkinName("Caramel");
  EXPECT_EQ(root_->Kind(), lfFlat);
  EXPECT_EQ(first->SkinName(), "Caramel");
  TcxLookAndFeel lf(nullptr);
  lf.AddListener(first);  // only the root takes controllers
  lf.SetKind(lfStandard);
  delete first;
  EXPECT_EQ(root_->Kind(), lfFlat);
  delete second;
  EXPECT_EQ(root_->Kind(), lfUltraFlat);
  EXPECT_EQ(root_->SkinName(), "");
  EXPECT_TRUE(root_->AssignedValues().Empty());
}

// Records the painter changes it hears.
struct TPainterLog : IcxSkinPainterListener {
  std::vector<std::string>* Log;
  std::string Name;
  void SkinPainterChanged(TcxCustomLookAndFeelPainterClass painter) override {
    Log->push_back(Name + " " + painter->ClassName());
  }
};

// Data objects that note their destruction.
struct TNotedData : TObject {
  bool* Freed;
  explicit TNotedData(bool* freed) : Freed(freed) {}
  ~TNotedData() override { *Freed = true; }
};

TEST_F(LookAndFeel, RegistryFindsNamesIgnoringAsciiCaseAndKeepsLocaleOrder) {
  TcxExtendedStylePainters* registry = ExtendedStylePainters();
  std::vector<std::string> log;
  TPainterLog first{}, second{};
  first.Log = second.Log = &log;
  first.Name = "first", second.Name = "second";
  registry->AddPainterListener(&first);
  registry->AddPainterListener(&second);
  registry->AddPainterListener(&first);
  bool freed = false, rejectedFreed = false;
  EXPECT_TRUE(registry->Register("Zest", TTestSkinPainterB::Instance(), new TNotedData(&freed)));
  EXPECT_EQ(log, (std::vector<std::string>{"second TTestSkinPainterB", "first TTestSkinPainterB"}))
      << "last joined first";
  auto* rejected = new TNotedData(&rejectedFreed);
  EXPECT_FALSE(registry->Register("ZEST", TTestSkinPainterA::Instance(), rejected));
  EXPECT_FALSE(rejectedFreed) << "the caller keeps a rejected data object";
  delete rejected;

  ASSERT_EQ(registry->Count(), 2);
  EXPECT_EQ(registry->Names(0), "Caramel");
  EXPECT_EQ(registry->Names(1), "Zest");
  TcxCustomLookAndFeelPainterClass painter = nullptr;
  EXPECT_TRUE(registry->FindPainterByName("zEST", painter));
  EXPECT_EQ(painter, TTestSkinPainterB::Instance());
  EXPECT_FALSE(registry->FindPainterByName("Zes", painter));
  EXPECT_FALSE(registry->FindPainterByName("Z\xC9ST", painter)) << "only ASCII letters fold";
  std::string name;
  EXPECT_TRUE(registry->FindNameByPainter(TTestSkinPainterB::Instance(), name));
  EXPECT_EQ(name, "Zest");
  EXPECT_FALSE(registry->FindNameByPainter(TcxFlatLookAndFeelPainter::Instance(), name));
  EXPECT_EQ(name, "");
  TObject* data = nullptr;
  EXPECT_TRUE(registry->FindDataByPainter(TTestSkinPainterB::Instance(), data));
  EXPECT_NE(data, nullptr);

  log.clear();
  EXPECT_TRUE(registry->Unregister("zest"));
  EXPECT_TRUE(freed);
  EXPECT_EQ(log.size(), 2u);
  EXPECT_FALSE(registry->Unregister("zest"));
  registry->RemovePainterListener(&first);
  registry->RemovePainterListener(&second);
}

TEST_F(LookAndFeel, OnlySkinnedLookAndFeelsHearOfRegistrations) {
  TcxLookAndFeel skinned(nullptr), plain(nullptr);
  skinned.SetSkinName("Zest");
  EXPECT_EQ(skinned.CurrentPainter(), TcxUltraFlatLookAndFeelPainter::Instance()) << "not registered yet";
  skinned.SetSkinName("Caramel");
  TChangeLog skinnedLog, plainLog;
  skinnedLog.Watch(skinned);
  plainLog.Watch(plain);
  ExtendedStylePainters()->Register("Zest", TTestSkinPainterB::Instance());
  EXPECT_EQ(skinnedLog.Changes, std::vector<TcxLookAndFeelValues>{cxLookAndFeelAllValues});
  EXPECT_TRUE(plainLog.Changes.empty());
}

}  // namespace

namespace {

// Reads one string, as the stored-form reader does for a defined property.
class TOneStringReader : public TStubReader {
 public:
  explicit TOneStringReader(std::string value) : value_(std::move(value)) {}
  void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc, bool hasData) override {
    Defined.push_back(name + (hasData ? " stored" : " not stored"));
    if (name == "SkinName" && readData) readData(this);
  }
  TValueType NextValue() override { return vaString; }
  std::string ReadString() override { return value_; }
  std::string ReadIdent() override { return value_; }
  std::vector<std::string> Defined;

 private:
  std::string value_;
};

TEST_F(LookAndFeel, StoredFormPropertiesGoThroughTheSetters) {
  TcxLookAndFeel lf(nullptr);
  const TPropInfo* kind = FindPublishedProperty(TcxLookAndFeel::StaticClass(), "Kind");
  ASSERT_NE(kind, nullptr);
  kind->SetOrd(&lf, GetEnumValue(kind->EnumInfo, "lfOffice11"));
  EXPECT_EQ(lf.Kind(), lfOffice11);
  EXPECT_EQ(lf.AssignedValues(), TcxLookAndFeelValues{lfvKind});
  TOneStringReader reader("CARAMEL");
  lf.DefineProperties(&reader);
  EXPECT_EQ(reader.Defined, std::vector<std::string>{"SkinName not stored"}) << "read, but absent until assigned";
  EXPECT_EQ(lf.SkinName(), "CARAMEL");
  EXPECT_EQ(lf.CurrentPainter(), TTestSkinPainterA::Instance());
  TOneStringReader again("Caramel");
  lf.DefineProperties(&again);
  EXPECT_EQ(again.Defined, std::vector<std::string>{"SkinName stored"});
  const TPropInfo* controllerKind = FindPublishedProperty(TcxLookAndFeelController::StaticClass(), "Kind");
  ASSERT_NE(controllerKind, nullptr);
  EXPECT_TRUE(controllerKind->HasDefault);
  EXPECT_EQ(controllerKind->Default, lfUltraFlat);
  EXPECT_EQ(GetClass("TcxLookAndFeelController"), TcxLookAndFeelController::StaticClass());
}

}  // namespace

namespace {

// A control as a stored form holds it: its look and feel is a sub-object, read in place.
class TLookAndFeelHost : public TPersistent {
  CALDERAN_CLASS(TLookAndFeelHost)
  TLookAndFeelHost() = default;
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }

 private:
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
};
CALDERAN_IMPLEMENT_CLASS(TLookAndFeelHost, TPersistent)
constinit const TPropInfo kHostProperties[] = {Published<&TLookAndFeelHost::LookAndFeel, nullptr>("LookAndFeel")};

// How often the property of that name is in a stored form.
int Occurrences(const std::string& bytes, const std::string& name) {
  const std::string stored = char(name.size()) + name;
  int count = 0;
  for (size_t at = bytes.find(stored); at != std::string::npos; at = bytes.find(stored, at + 1)) ++count;
  return count;
}

TEST_F(LookAndFeel, AControlReadBackFollowsTheRootInWhatItDoesNotAssign) {
  RegisterPublishedProperties(TLookAndFeelHost::StaticClass(), kHostProperties);
  struct {
    TLevel Assigned;
    const char* Written;  // the one look-and-feel property in the stored form, or none
  } cases[] = {
      {{}, nullptr},
      {{lfStandard}, "Kind"},
      {{{}, false}, "NativeStyle"},  // assigned to the value it had: stored all the same
      {{{}, {}, "Zest"}, "SkinName"},
  };
  for (const auto& c : cases) {
    root_->ClearAssignedValues();
    TLookAndFeelHost control;
    c.Assigned.ApplyTo(*control.LookAndFeel());
    const std::string bytes = WrittenForm(&control);
    const std::string what = c.Written ? c.Written : "nothing";
    for (const char* name : {"AssignedValues", "Kind", "NativeStyle", "SkinName"})
      EXPECT_EQ(Occurrences(bytes, std::string("LookAndFeel.") + name), c.Written && std::string(c.Written) == name ? 1 : 0)
          << what << " assigned: " << name;

    TLookAndFeelHost copy;
    ReadForm(&copy, bytes);
    TcxLookAndFeel& lf = *copy.LookAndFeel();
    EXPECT_EQ(lf.AssignedValues(), control.LookAndFeel()->AssignedValues()) << what;
    TLevel{lfOffice11, true, "Caramel"}.ApplyTo(*root_);
    EXPECT_EQ(lf.Kind(), c.Assigned.Kind.value_or(lfOffice11)) << what;
    EXPECT_EQ(lf.NativeStyle(), c.Assigned.Native.value_or(true)) << what;
    EXPECT_EQ(lf.SkinName(), c.Assigned.Skin.value_or("Caramel")) << what;
  }
}

// A look and feel that takes its skin name from elsewhere, as a popup's does from its editor.
class TUpperCaseSkinLookAndFeel : public TcxLookAndFeel {
 public:
  using TcxLookAndFeel::TcxLookAndFeel;

 protected:
  TdxSkinName ResolveSkinName() const override { return UpperCase(TcxLookAndFeel::ResolveSkinName()); }
};

TEST_F(LookAndFeel, StoredSkinNameIsTheResolvedOne) {
  TUpperCaseSkinLookAndFeel lf(nullptr);
  lf.SetSkinName("Caramel");
  ASSERT_EQ(lf.SkinName(), "CARAMEL");
  const std::string bytes = WrittenForm(&lf);
  EXPECT_EQ(Occurrences(bytes, "SkinName"), 1);
  EXPECT_NE(bytes.find("CARAMEL"), std::string::npos);
  EXPECT_EQ(bytes.find("Caramel"), std::string::npos);
}

TEST_F(LookAndFeel, PainterClassRecordsLeadToTheirPainters) {
  const TcxCustomLookAndFeelPainterClass painters[] = {
      TcxCustomLookAndFeelPainter::Instance(),   TcxStandardLookAndFeelPainter::Instance(),
      TcxFlatLookAndFeelPainter::Instance(),     TcxUltraFlatLookAndFeelPainter::Instance(),
      TcxOffice11LookAndFeelPainter::Instance(), TcxWinXPLookAndFeelPainter::Instance(),
      TTestSkinPainterA::Instance()};
  for (TcxCustomLookAndFeelPainterClass painter : painters) {
    EXPECT_EQ(painter->Class(), painter->ClassType());
    EXPECT_EQ(ClassOperationsOf<TcxCustomLookAndFeelPainter>(painter->Class()), painter) << painter->ClassName();
  }
  EXPECT_EQ(ClassOperationsOf<TcxOffice11LookAndFeelPainter>(TcxFlatLookAndFeelPainter::Instance()->Class()), nullptr);
}

}  // namespace
