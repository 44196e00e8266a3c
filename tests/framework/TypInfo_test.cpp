#include "calderan_test.h"

#include <string>
#include <vector>

#include "Classes.h"
#include "stub_reader.h"

namespace {

enum TAlign { alNone, alTop, alBottom, alClient };
constexpr const char* kAlignNames[] = {"alNone", "alTop", "alBottom", "alClient"};
constinit const TEnumInfo AlignInfo{kAlignNames, 4, 0};
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
constexpr const char* kAnchorNames[] = {"akLeft", "akTop", "akRight", "akBottom"};
constinit const TEnumInfo AnchorInfo{kAnchorNames, 4, 0};

class TGadget : public TComponent {
  CALDERAN_CLASS(TGadget)
  explicit TGadget(TComponent* owner) : TComponent(owner) {}
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; }
  bool Visible = true;
  TAlign Align = alNone;
  TSet<TAnchorKind> Anchors{akLeft, akTop};
  double Ratio = 0;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  char Accel = 'a';
  int64_t Big = 0;
  TStringList* Lines() const { return lines_.get(); }
  TGadget* Buddy = nullptr;
  TNotifyEvent OnClick;
  TEvent<void(TObject*, int)> OnMove;

 private:
  int width_ = 75;
  std::string caption_;
  std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
};

class TBigGadget : public TGadget {
  CALDERAN_CLASS(TBigGadget)
  using TGadget::TGadget;
  int Height = 0;
};

// A form: handlers bound by name, fields set by the component names.
class TPanelForm : public TComponent {
  CALDERAN_CLASS(TPanelForm)
  explicit TPanelForm(TComponent* owner) : TComponent(owner) {}
  TGadget* OkButton = nullptr;
  std::vector<std::string> Log;
  void OkButtonClick(TObject* sender) { Log.push_back(std::string("click ") + static_cast<TComponent*>(sender)->Name()); }
  void GadgetMove(TObject*, int by) { Log.push_back("move " + std::to_string(by)); }
};

CALDERAN_IMPLEMENT_CREATABLE(TGadget, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TBigGadget, TGadget, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TPanelForm, TComponent, TComponent*)

constinit const TPropInfo kGadgetProps[] = {
    Published<&TGadget::Width, &TGadget::SetWidth>("Width").WithDefault(75),
    Published<&TGadget::Visible, &TGadget::Visible>("Visible").WithDefault(1),
    Published<&TGadget::Align, &TGadget::Align>("Align", &AlignInfo),
    Published<&TGadget::Anchors, &TGadget::Anchors>("Anchors", &AnchorInfo),
    Published<&TGadget::Ratio, &TGadget::Ratio>("Ratio"),
    Published<&TGadget::Caption, &TGadget::SetCaption>("Caption"),
    Published<&TGadget::Accel, &TGadget::Accel>("Accel"),
    Published<&TGadget::Big, &TGadget::Big>("Big"),
    Published<&TGadget::Lines, nullptr>("Lines"),
    Published<&TGadget::Buddy, &TGadget::Buddy>("Buddy"),
    PublishedEvent<&TGadget::OnClick>("OnClick"),
    PublishedEvent<&TGadget::OnMove>("OnMove"),
};
constinit const TPropInfo kBigGadgetProps[] = {
    Published<&TBigGadget::Height, &TBigGadget::Height>("Height"),
    Published<&TGadget::Width, &TGadget::SetWidth>("Width").WithDefault(120),  // a new default
};
constinit const TPropInfo kPanelFormFields[] = {PublishedField<&TPanelForm::OkButton>("OkButton")};
constinit const TMethodInfo kPanelFormMethods[] = {
    PublishedMethod<&TPanelForm::OkButtonClick>("OkButtonClick"),
    PublishedMethod<&TPanelForm::GadgetMove>("GadgetMove"),
};

void RegisterTestClasses() {
  RegisterPublishedProperties(TGadget::StaticClass(), kGadgetProps);
  RegisterPublishedProperties(TBigGadget::StaticClass(), kBigGadgetProps);
  RegisterPublishedProperties(TPanelForm::StaticClass(), kPanelFormFields);
  RegisterPublishedMethods(TPanelForm::StaticClass(), kPanelFormMethods);
  RegisterClasses({TGadget::StaticClass(), TBigGadget::StaticClass()});
}
constinit const TUnitInfo TestUnit{"TypInfoTest", &RegisterTestClasses, nullptr};

class Published_ : public ::testing::Test {
 protected:
  void SetUp() override { StartUnits({&ClassesUnit, &TestUnit}); }
  void TearDown() override { StopUnits(); }
};

TEST_F(Published_, PropertiesAreFoundThroughAncestorsIgnoringCase) {
  const TPropInfo* width = FindPublishedProperty(TBigGadget::StaticClass(), "WIDTH");
  ASSERT_NE(width, nullptr);
  EXPECT_EQ(width->Default, 120);  // the descendant's descriptor wins
  EXPECT_EQ(FindPublishedProperty(TGadget::StaticClass(), "width")->Default, 75);
  EXPECT_NE(FindPublishedProperty(TBigGadget::StaticClass(), "Caption"), nullptr);
  EXPECT_EQ(FindPublishedProperty(TGadget::StaticClass(), "Height"), nullptr);
  EXPECT_EQ(FindPublishedProperty(TComponent::StaticClass(), "Width"), nullptr);
  std::vector<std::string> names;
  for (const TPropInfo* p : GetPublishedProperties(TBigGadget::StaticClass())) names.push_back(p->Name);
  ASSERT_EQ(names.size(), 13u);
  EXPECT_EQ(names.front(), "Width");
  EXPECT_EQ(names.back(), "Height");
}

TEST_F(Published_, EveryKindReadsAndWritesThroughItsAccessors) {
  TGadget g(nullptr), buddy(nullptr);
  TClass cls = g.ClassType();
  struct OrdCase { const char* name; TTypeKind kind; int64_t before, after; };
  const OrdCase ords[] = {
      {"Width", tkInteger, 75, 200}, {"Visible", tkEnumeration, 1, 0}, {"Align", tkEnumeration, alNone, alClient},
      {"Anchors", tkSet, 0b0011, 0b1100}, {"Accel", tkChar, 'a', 'z'}, {"Big", tkInt64, 0, int64_t{1} << 40},
  };
  for (const OrdCase& c : ords) {
    const TPropInfo* p = FindPublishedProperty(cls, c.name);
    ASSERT_NE(p, nullptr) << c.name;
    EXPECT_EQ(p->Kind, c.kind) << c.name;
    EXPECT_EQ(p->GetOrd(&g), c.before) << c.name;
    p->SetOrd(&g, c.after);
    EXPECT_EQ(p->GetOrd(&g), c.after) << c.name;
  }
  EXPECT_EQ(g.Width(), 200);
  EXPECT_TRUE(g.Anchors == (TSet<TAnchorKind>{akRight, akBottom}));
  EXPECT_EQ(g.Align, alClient);
  const TPropInfo* align = FindPublishedProperty(cls, "Align");
  EXPECT_EQ(GetEnumValue(align->EnumInfo, "ALTOP"), alTop);
  EXPECT_EQ(GetEnumValue(align->EnumInfo, "alLeft"), -1);
  EXPECT_EQ(GetEnumName(align->EnumInfo, alBottom), "alBottom");
  EXPECT_EQ(FindPublishedProperty(cls, "Visible")->EnumInfo, &BooleanInfo);

  FindPublishedProperty(cls, "Ratio")->SetFloat(&g, 1.5L);
  EXPECT_EQ(g.Ratio, 1.5);
  const TPropInfo* caption = FindPublishedProperty(cls, "Caption");
  caption->SetStr(&g, "&Open");
  EXPECT_EQ(caption->GetStr(&g), "&Open");

  const TPropInfo* lines = FindPublishedProperty(cls, "Lines");
  EXPECT_EQ(lines->Kind, tkClass);
  EXPECT_EQ(lines->PropClass, TStringList::StaticClass());
  EXPECT_EQ(lines->SetObj, nullptr);  // read in place
  EXPECT_EQ(lines->GetObj(&g), g.Lines());
  const TPropInfo* buddyProp = FindPublishedProperty(cls, "Buddy");
  buddyProp->SetObj(&g, &buddy);
  EXPECT_EQ(g.Buddy, &buddy);
  TStringList wrong;
  buddyProp->SetObj(&g, &wrong);  // not a TGadget
  EXPECT_EQ(g.Buddy, nullptr);
}

TEST_F(Published_, EventsBindToHandlersByName) {
  TPanelForm form(nullptr);
  TGadget g(nullptr);
  g.SetName("Gadget1");
  TClass formClass = form.ClassType();
  const TPropInfo* onClick = FindPublishedProperty(g.ClassType(), "OnClick");
  const TPropInfo* onMove = FindPublishedProperty(g.ClassType(), "OnMove");
  const TMethodInfo* click = FindPublishedMethod(formClass, "okbuttonclick");
  const TMethodInfo* move = FindPublishedMethod(formClass, "GadgetMove");
  ASSERT_NE(click, nullptr);
  EXPECT_EQ(FindPublishedMethod(formClass, "Missing"), nullptr);
  EXPECT_TRUE(onClick->SetMethod(&g, &form, click));
  EXPECT_TRUE(onMove->SetMethod(&g, &form, move));
  g.OnClick(&g);
  g.OnMove(&g, 3);
  EXPECT_EQ(form.Log, (std::vector<std::string>{"click Gadget1", "move 3"}));
  EXPECT_TRUE(g.OnClick == TNotifyEvent(&form, &TPanelForm::OkButtonClick));
  EXPECT_FALSE(onClick->SetMethod(&g, &form, move));  // other signature: refused, left as it was
  EXPECT_TRUE(g.OnClick.Assigned());
  EXPECT_TRUE(onClick->SetMethod(&g, nullptr, nullptr));
  EXPECT_FALSE(g.OnClick.Assigned());
}

TEST_F(Published_, FormFieldsFollowTheirComponentsNames) {
  TPanelForm form(nullptr);
  auto* ok = new TGadget(&form);
  EXPECT_EQ(form.OkButton, nullptr);
  ok->SetName("OkButton");
  EXPECT_EQ(form.OkButton, ok);
  ok->SetName("Other");
  EXPECT_EQ(form.OkButton, nullptr);
  ok->SetName("OkButton");
  delete ok;
  EXPECT_EQ(form.OkButton, nullptr);
  auto* wrongKind = new TComponent(&form);
  wrongKind->SetName("OkButton");  // not a TGadget: the field stays empty
  EXPECT_EQ(form.OkButton, nullptr);
}

TEST_F(Published_, ClassesAreFoundByName) {
  EXPECT_EQ(FindClass("tbiggadget"), TBigGadget::StaticClass());
  EXPECT_EQ(GetClass("TPanelForm"), nullptr);
  try {
    FindClass("TNope");
    ADD_FAILURE();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(e.Message(), "Class TNope not found");
  }
  RegisterClass(TGadget::StaticClass());  // again: no harm
  std::unique_ptr<TObject> made(FindClass("TGadget")->Create(nullptr));
  EXPECT_STREQ(made->ClassName(), "TGadget");
  UnRegisterClass(TGadget::StaticClass());
  EXPECT_EQ(GetClass("TGadget"), nullptr);
}

TEST(PublishedRegistry, ShutDownEmptiesIt) {
  StartUnits({&ClassesUnit, &TestUnit});
  EXPECT_NE(FindPublishedProperty(TGadget::StaticClass(), "Width"), nullptr);
  StopUnits();
  EXPECT_EQ(FindPublishedProperty(TGadget::StaticClass(), "Width"), nullptr);
  EXPECT_EQ(GetClass("TGadget"), nullptr);
}

// A reader over a fixed list of strings, enough for a DefineProperties read procedure.
class TListReader : public TStubReader {
 public:
  explicit TListReader(std::vector<std::string> values) : values_(std::move(values)) {}
  std::string Defined;
  TReaderProc Read;
  void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc, bool) override {
    Defined = name;
    Read = readData;
  }
  TValueType NextValue() override { return next_ < values_.size() ? vaString : vaNull; }
  bool EndOfList() override { return next_ >= values_.size(); }
  std::string ReadString() override { return values_[next_++]; }

 private:
  std::vector<std::string> values_;
  size_t next_ = 0;
};

TEST(StoredStrings, ListsReadTheirLinesThroughTheFiler) {
  TStringList list;
  list.Add("old");
  TListReader reader({"first", "second"});
  list.DefineProperties(&reader);
  EXPECT_EQ(reader.Defined, "Strings");
  ASSERT_TRUE(reader.Read.Assigned());
  reader.Read(&reader);
  EXPECT_EQ(list.CommaText(), "first,second");
}

}  // namespace
