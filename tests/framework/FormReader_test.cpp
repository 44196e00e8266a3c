#include "calderan_test.h"

#include <string>
#include <vector>

#include "ExtCtrls.h"
#include "FormReader.h"
#include "Forms.h"
#include "Mask.h"
#include "Menus.h"
#include "StdCtrls.h"

namespace {

class TTestFrame : public TFrame {
  CALDERAN_CLASS(TTestFrame)
  using TFrame::TFrame;
  TLabel* Note = nullptr;
};
CALDERAN_IMPLEMENT_CREATABLE(TTestFrame, TFrame, TComponent*)

class TTestForm : public TForm {
  CALDERAN_CLASS(TTestForm)
  using TForm::TForm;
  TPanel* Header = nullptr;
  TLabel* Title = nullptr;
  TButton* OK = nullptr;
  TButton* Cancel = nullptr;
  TMaskEdit* Edit = nullptr;
  TMemo* Memo = nullptr;
  TImage* Image = nullptr;
  TComboBox* Combo = nullptr;
  TTestFrame* Frame = nullptr;
  TTimer* Tick = nullptr;
  TPopupMenu* Popup = nullptr;
  std::vector<std::string> log;

  void FormCreate(TObject*) { log.push_back(std::string("create, title ") + (Title ? Title->Caption() : "?")); }
  void FormShow(TObject*) { log.push_back("show"); }
  void OKClick(TObject*) { log.push_back("ok"); }
  void EditChange(TObject*) { log.push_back("edit changed"); }
  void TickTimer(TObject*) {}
  void OpenItemClick(TObject*) { log.push_back("open"); }
  void WrongSignature(TObject*, int) {}
};
CALDERAN_IMPLEMENT_CREATABLE(TTestForm, TForm, TComponent*)

constinit const TPropInfo testFormFields[] = {
    PublishedField<&TTestForm::Header>("Header"), PublishedField<&TTestForm::Title>("Title"),
    PublishedField<&TTestForm::OK>("OK"),         PublishedField<&TTestForm::Cancel>("Cancel"),
    PublishedField<&TTestForm::Edit>("Edit"),     PublishedField<&TTestForm::Memo>("Memo"),
    PublishedField<&TTestForm::Image>("Image"),   PublishedField<&TTestForm::Combo>("Combo"),
    PublishedField<&TTestForm::Frame>("Frame"),   PublishedField<&TTestForm::Tick>("Tick"),
    PublishedField<&TTestForm::Popup>("Popup"),
};
constinit const TMethodInfo testFormMethods[] = {
    PublishedMethod<&TTestForm::FormCreate>("FormCreate"), PublishedMethod<&TTestForm::FormShow>("FormShow"),
    PublishedMethod<&TTestForm::OKClick>("OKClick"),       PublishedMethod<&TTestForm::EditChange>("EditChange"),
    PublishedMethod<&TTestForm::TickTimer>("TickTimer"),   PublishedMethod<&TTestForm::OpenItemClick>("OpenItemClick"),
    PublishedMethod<&TTestForm::WrongSignature>("WrongSignature"),
};
constinit const TPropInfo testFrameFields[] = {PublishedField<&TTestFrame::Note>("Note")};

class FormReader : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartUnits({&ClassesUnit, &GraphicsUnit, &ControlsUnit, &MenusUnit, &FormsUnit, &FormReaderUnit});
    RegisterPublishedProperties(TTestForm::StaticClass(), testFormFields);
    RegisterPublishedMethods(TTestForm::StaticClass(), testFormMethods);
    RegisterPublishedProperties(TTestFrame::StaticClass(), testFrameFields);
    RegisterClasses({TTestForm::StaticClass(), TTestFrame::StaticClass()});
  }
  static void TearDownTestSuite() { StopUnits(); }
};

TEST_F(FormReader, FormFromItsDefinitionHasControlsBoundsFontsAndHandlers) {
  std::unique_ptr<TTestForm> form(CreateForm<TTestForm>(nullptr));
  // fields point at the components, handlers are bound, OnCreate ran after reading
  ASSERT_NE(form->Title, nullptr);
  EXPECT_EQ(form->log, (std::vector<std::string>{"create, title Title"}));
  EXPECT_EQ(form->Name(), "TestForm");
  EXPECT_EQ(form->Caption(), "It's a 'test' form & more");
  EXPECT_EQ(form->BorderStyle(), bsSingle);
  EXPECT_EQ(form->BorderIcons(), TBorderIcons({biSystemMenu, biMinimize}));
  EXPECT_EQ(form->Position(), poScreenCenter);
  EXPECT_TRUE(form->KeyPreview());
  EXPECT_EQ(form->ClientWidth(), 300);
  EXPECT_EQ(form->ClientHeight(), 200);

  // nesting and alignment
  EXPECT_EQ(form->Title->Parent(), form->Header);
  EXPECT_EQ(form->OK->Parent()->Name(), "Footer");
  EXPECT_EQ(form->Header->BoundsRect(), Rect(0, 0, 300, 40));
  EXPECT_EQ(form->OK->Parent()->BoundsRect(), Rect(0, 163, 300, 200));
  EXPECT_EQ(form->Edit->BoundsRect(), Bounds(8, 50, 120, 21));

  // fonts: the form's reaches what did not set its own
  EXPECT_EQ(form->Edit->Font()->Name(), "Tahoma");
  EXPECT_EQ(form->Edit->Font()->Height(), -11);
  EXPECT_TRUE(form->Edit->ParentFont());
  EXPECT_EQ(form->Title->Font()->Color(), clWhite);
  EXPECT_EQ(form->Title->Font()->Style(), TFontStyles{TFontStyle::fsBold});
  EXPECT_EQ(form->Header->Color(), clBlack);

  // values of every kind
  EXPECT_EQ(form->OK->ModalResult(), mrOk);
  EXPECT_TRUE(form->Cancel->Cancel());
  EXPECT_EQ(form->Edit->EditMask(), "!00:00:00.000;1;_");
  EXPECT_EQ(form->Edit->Text(), "00:00:05.000");
  EXPECT_EQ(form->Memo->Lines()->Count(), 2);
  EXPECT_EQ(form->Memo->Lines()->Get(1), "second line");
  EXPECT_TRUE(form->Memo->ReadOnly());
  EXPECT_EQ(form->Combo->ItemIndex(), 1);
  EXPECT_EQ(form->Combo->Text(), "Keep original");
  EXPECT_FALSE(form->Tick->Enabled());
  EXPECT_EQ(form->Tick->Interval(), 300u);
  EXPECT_TRUE(form->Tick->OnTimer);
  EXPECT_EQ(form->Edit->PopupMenu(), form->Popup);
  EXPECT_EQ(form->ActiveControl(), form->Edit);
  TMenuItem* open = form->Popup->Items()->Items(0);
  EXPECT_EQ(open->ShortCut(), ShortCut('O', {ssCtrl}));
  open->Click();
  form->OK->Click();
  EXPECT_EQ(form->log.back(), "ok");
  EXPECT_EQ(form->log[1], "open");

  // binary data: the picture
  TBitmap* picture = form->Image->Picture()->Bitmap();
  ASSERT_EQ(picture->Width(), 2);
  EXPECT_EQ(picture->Canvas()->Pixel(0, 0), clRed);
  EXPECT_EQ(picture->Canvas()->Pixel(1, 1), clWhite);

  // tab order: from the stored values, whatever the order of the definition
  std::vector<TWinControl*> tabs;
  form->GetTabOrderList(tabs);
  std::vector<std::string> names;
  for (TWinControl* c : tabs)
    if (c->Parent() == form.get()) names.push_back(c->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Edit", "Memo", "Footer", "Header", "Combo", "Frame"}));
  std::vector<std::string> footer;
  for (TWinControl* c : tabs)
    if (c->Parent() && c->Parent()->Name() == "Footer") footer.push_back(c->Name());
  EXPECT_EQ(footer, (std::vector<std::string>{"Cancel", "OK"}));

  // the frame read its own definition; the form's definition changed one of its labels
  ASSERT_NE(form->Frame, nullptr);
  ASSERT_NE(form->Frame->Note, nullptr);
  EXPECT_EQ(form->Frame->Note->Caption(), "changed by the form");
  EXPECT_EQ(form->Frame->Color(), clYellow);
  EXPECT_EQ(form->Frame->BoundsRect(), Bounds(8, 110, 120, 40));
  EXPECT_EQ(form->Frame->Note->Owner(), form->Frame);
}

TEST_F(FormReader, ErrorsNameTheFormTheLineAndTheProperty) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"object F: TTestForm\n  Colour = clRed\nend", "Bad, line 2: Error reading F.Colour: Property Colour does not exist"},
      {"object F: TTestForm\n  BorderStyle = bsRound\nend", "Bad, line 2: Error reading F.BorderStyle: Invalid property value"},
      {"object F: TTestForm\n  object X: TNoSuchThing\n  end\nend", "Bad, line 2: Class TNoSuchThing not found"},
      {"object F: TTestForm\n\n  OnShow = Missing\nend", "Bad, line 3: Error reading F.OnShow: Method Missing not found in TTestForm"},
      {"object F: TTestForm\n  OnShow = WrongSignature\nend",
       "Bad, line 2: Error reading F.OnShow: Method WrongSignature has incompatible parameters"},
      {"object F: TTestForm\n  object B: TButton\n    PopupMenu = Nobody\n  end\nend",
       "Bad, line 3: Error reading B.PopupMenu: Invalid reference Nobody"},
      {"object F: TTestForm\n  Caption = 'unterminated\nend", "Bad, line 2: Unterminated string"},
      {"object F: TTestForm\n  Font.Style = [fsBold, fsWavy]\nend", "Bad, line 2: Error reading F.Font.Style: Invalid property value"},
      {"object F: TOtherForm\nend", "Bad, line 1: The definition is of class TOtherForm, not TTestForm"},
  };
  for (const auto& c : cases) {
    TTestForm form(nullptr, 0);
    try {
      ReadComponentText(c.text, "Bad", &form);
      ADD_FAILURE() << "no error for: " << c.text;
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

class TNoDefinition : public TForm {
  CALDERAN_CLASS(TNoDefinition)
  using TForm::TForm;
};
CALDERAN_IMPLEMENT_CLASS(TNoDefinition, TForm)

TEST_F(FormReader, ClassWithoutDefinitionIsReportedAndCreateNewNeedsNone) {
  TNoDefinition missing(nullptr);
  EXPECT_THROW(missing.AfterConstruction(), EResNotFound);
  TNoDefinition fresh(nullptr, 0);
  EXPECT_NO_THROW(fresh.AfterConstruction());
}

}  // namespace
