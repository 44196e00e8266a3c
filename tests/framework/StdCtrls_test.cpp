#include "calderan_test.h"

#include <set>
#include <string>
#include <vector>

#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "forms_fixture.h"
#include "message_pump.h"

// A parent that paints its whole face in its paint handler and leaves the erase to it, as a
// page of a page control does.
class TPaintedPage : public TCustomControl {
  CALDERAN_CLASS(TPaintedPage)
  explicit TPaintedPage(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + csAcceptsControls + csOpaque);
  }
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_ERASEBKGND) m.Result = 1;
    else TCustomControl::Dispatch(m);
  }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
};
CALDERAN_IMPLEMENT_CLASS(TPaintedPage, TCustomControl)

namespace {

class StdCtrls : public FormsFixture {
 public:
  std::vector<std::string> log;
  void Note(TObject* sender) { log.push_back(static_cast<TComponent*>(sender)->ClassName()); }

 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr, 0);
    form->AfterConstruction();
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 300, 200);
    form->SetColor(clWhite);
  }
  template <class T> T* Add(int x, int y, int w, int h) {
    auto* c = new T(form.get());
    c->SetParent(form.get());
    c->SetBounds(x, y, w, h);
    return c;
  }
  std::unique_ptr<TForm> form;
};

TEST_F(StdCtrls, CheckBoxCyclesItsStatesAndReportsThem) {
  auto* box = Add<TCheckBox>(0, 0, 100, 17);
  box->OnClick = TNotifyEvent(static_cast<StdCtrls*>(this), &StdCtrls::Note);
  box->SetAllowGrayed(true);
  SendMessageA(box->Handle(), BM_CLICK, 0, 0);  // the user's click
  EXPECT_EQ(box->State(), cbGrayed);
  EXPECT_FALSE(box->Checked());  // greyed does not read as checked
  SendMessageA(box->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  box->SetChecked(false);  // the program's change is reported too
  EXPECT_EQ(log.size(), 3u);
  box->SetChecked(false);  // no change, no report
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(StdCtrls, EditReportsEveryChangeOfItsText) {
  auto* edit = Add<TEdit>(0, 0, 100, 21);
  edit->OnChange = TNotifyEvent(static_cast<StdCtrls*>(this), &StdCtrls::Note);
  edit->SetText("without window");  // no window yet: reported by the control itself
  edit->HandleNeeded();
  EXPECT_EQ(edit->Text(), "without window");
  edit->SetText("with window");
  SendMessageA(edit->Handle(), WM_CHAR, 'x', 0);  // typed
  EXPECT_EQ(log.size(), 3u);
  edit->SetMaxLength(3);
  edit->SetText("abcdef");
  EXPECT_EQ(edit->Text(), "abcdef");  // the limit binds typing only, as in the platform
  edit->SetSelStart(1);
  edit->SetSelLength(2);
  EXPECT_EQ(edit->SelText(), "bc");
}

TEST_F(StdCtrls, MemoLinesAreTheTextLive) {
  auto* memo = Add<TMemo>(0, 0, 100, 60);
  memo->Lines()->Add("one");
  memo->Lines()->Add("two");
  EXPECT_EQ(memo->Text(), "one\r\ntwo");
  memo->HandleNeeded();
  memo->Lines()->Insert(1, "middle");
  memo->Lines()->Delete(0);
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Get(0), "middle");
  memo->SetText("a\r\nb\r\n");  // a final line break ends the last line
  EXPECT_EQ(memo->Lines()->Count(), 2);
}

TEST_F(StdCtrls, ListItemsSurviveANewWindowAndOwnerDrawIsAsked) {
  auto* list = Add<TListBox>(0, 0, 100, 80);
  list->Items()->Add("b");
  list->Items()->Add("a");
  list->SetItemIndex(1);
  list->HandleNeeded();  // the items move into the window
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(list->ItemIndex(), 1);
  list->SetSorted(true);  // a new window, sorted
  EXPECT_EQ(list->Items()->Get(0), "a");
  EXPECT_EQ(list->Count(), 2);

  std::vector<int> drawn;
  struct TDraw {
    std::vector<int>* drawn;
    void Item(TWinControl* c, int index, TRect r, TOwnerDrawState) {
      drawn->push_back(index);
      static_cast<TListBox*>(c)->Canvas()->FillRect(r);
    }
  } draw{&drawn};
  list->SetStyle(lbOwnerDrawFixed);
  list->OnDrawItem = MakeEvent(&draw, &TDraw::Item);
  form->Show();
  list->Repaint();
  EXPECT_EQ(std::set<int>(drawn.begin(), drawn.end()), (std::set<int>{0, 1}));
  form->Hide();
}

TEST_F(StdCtrls, ComboSelectionShowsTheItemAndReportsIt) {
  auto* combo = Add<TComboBox>(0, 0, 100, 21);
  combo->SetStyle(csDropDownList);
  combo->Items()->Add("Full screen");
  combo->Items()->Add("Keep original");
  combo->SetItemIndex(1);  // before the window
  EXPECT_EQ(combo->Text(), "Keep original");
  combo->HandleNeeded();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "Keep original");
  combo->OnSelect = TNotifyEvent(static_cast<StdCtrls*>(this), &StdCtrls::Note);
  SendMessageA(combo->Handle(), CB_SETCURSEL, 0, 0);
  SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo->Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo->Handle()));
  EXPECT_EQ(combo->Text(), "Full screen");
  EXPECT_EQ(log, (std::vector<std::string>{"TComboBox"}));
}

TEST_F(StdCtrls, ScrollBarKeepsItsRange) {
  auto* bar = Add<TScrollBar>(0, 0, 100, 17);
  bar->OnChange = TNotifyEvent(static_cast<StdCtrls*>(this), &StdCtrls::Note);
  bar->SetPosition(150);
  EXPECT_EQ(bar->Position(), 100);
  bar->SetPosition(-5);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_THROW(bar->SetParams(0, 10, 5), EInvalidOperation);
  EXPECT_EQ(bar->Min(), 0);
  SendMessageA(form->Handle(), WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar->Handle()));
  EXPECT_EQ(bar->Position(), 1);
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(StdCtrls, LabelsPanelsAndImagesPaint) {
  auto* label = Add<TLabel>(10, 10, 10, 10);
  label->SetText("A longer caption");
  EXPECT_GT(label->Width(), 60);  // sized to its text
  auto* panel = Add<TPanel>(0, 100, 300, 100);
  panel->SetBevelOuter(bvLowered);
  panel->SetBorderWidth(3);
  panel->SetColor(clYellow);
  auto* inside = new TPanel(form.get());
  inside->SetParent(panel);
  inside->SetAlign(alClient);
  inside->SetBevelOuter(bvNone);
  inside->SetColor(clBlue);
  EXPECT_EQ(inside->BoundsRect(), Rect(4, 4, 296, 96));  // within the bevel and the border
  auto* image = Add<TImage>(200, 10, 40, 40);
  image->SetStretch(true);
  image->Canvas()->Brush()->SetColor(clRed);  // an image draws on a bitmap of its size
  image->Canvas()->FillRect(Rect(0, 0, 40, 40));
  TBitmap shot(300, 200, TPixelFormat::pf24bit);
  form->PaintTo(shot.Canvas(), 0, 0);
  EXPECT_EQ(shot.Canvas()->Pixel(220, 30), clRed);
  EXPECT_EQ(shot.Canvas()->Pixel(2, 102), clYellow);
  EXPECT_EQ(shot.Canvas()->Pixel(150, 150), clBlue);
  bool text = false;
  for (int x = 10; x < 10 + label->Width(); ++x) text |= shot.Canvas()->Pixel(x, 15) != clWhite;
  EXPECT_TRUE(text);
}

// A parent whose background comes either from its erase message (a picture-like background unlike
// its colour, as a skinned form paints) or only from its own painting (its plain colour; it leaves
// the erase message alone, as a page of a page control does against flicker).
class TBackgroundParent : public TCustomControl {
 public:
  TBackgroundParent(TComponent* owner, bool erases) : TCustomControl(owner), erases_(erases) {
    SetControlStyle(ControlStyle() + csAcceptsControls + csOpaque);
    SetColor(clYellow);
  }
  void Dispatch(TMessage& m) override {
    if (m.Msg != WM_ERASEBKGND) return TCustomControl::Dispatch(m);
    if (erases_) {
      RECT all{0, 0, Width(), Height()};
      HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
      FillRect(reinterpret_cast<HDC>(m.WParam), &all, green);
      DeleteObject(green);
    }
    m.Result = 1;
  }

 protected:
  void Paint() override {
    if (erases_) return;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(Rect(0, 0, Width(), Height()));
  }

 private:
  bool erases_;
};

// A label that takes its parent's colour stands on what the parent shows behind it: the erased
// background when the parent erases, the parent's colour when it only paints (never an unpainted
// box, which a copy of the window shows black).
TEST_F(StdCtrls, ALabelShowsItsParentsBackgroundWhetherTheParentErasesOrOnlyPaints) {
  struct {
    bool erases;
    TColor behindTheText;
  } const cases[] = {{true, TColor(RGB(0, 128, 0))}, {false, clYellow}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.erases ? "a parent that erases" : "a parent that only paints");
    auto* parent = new TBackgroundParent(form.get(), c.erases);
    parent->SetParent(form.get());
    parent->SetBounds(0, 0, 300, 200);
    auto* label = new TLabel(form.get());
    label->SetParent(parent);
    label->SetAutoSize(false);
    label->SetBounds(20, 20, 150, 30);
    label->SetText("On its parent");
    ASSERT_TRUE(label->ParentColor());
    ASSERT_FALSE(label->Transparent());
    TBitmap shot(300, 200, TPixelFormat::pf24bit);
    form->PaintTo(shot.Canvas(), 0, 0);
    EXPECT_EQ(shot.Canvas()->Pixel(160, 45), c.behindTheText) << "the label's corner, clear of its text";
    delete parent;
  }
}

// A label shows its parent's face under its text unless it has a colour of its own, whatever way
// the parent paints: here one that paints everything in its paint handler and nothing on erase.
TEST_F(StdCtrls, LabelsShowTheirParentsFaceUnlessTheyHaveAColourOfTheirOwn) {
  form->Show();
  auto* page = Add<TPaintedPage>(0, 0, 300, 200);
  page->SetColor(TColor(0x30A030));
  struct Case {
    const char* name;
    bool transparent;
    TColor own;  // clNone: the parent's colour
    TColor expected;
  } cases[] = {
      {"parent's colour", false, clNone, TColor(0x30A030)},
      {"transparent", true, clNone, TColor(0x30A030)},
      {"transparent with a colour", true, clYellow, TColor(0x30A030)},
      {"own colour", false, clYellow, clYellow},
  };
  int y = 10;
  for (const Case& c : cases) {
    auto* label = new TLabel(form.get());
    label->SetParent(page);
    label->SetBounds(10, y, 10, 10);
    label->SetText("Zoom:");
    if (c.own != clNone) label->SetColor(c.own);
    label->SetTransparent(c.transparent);
    EXPECT_EQ(label->Transparent(), c.transparent) << c.name;
    RedrawWindow(page->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(page->Handle());
    int text = 0, face = 0;
    for (int py = label->Top(); py < label->Top() + label->Height(); ++py)
      for (int px = label->Left(); px < label->Left() + label->Width(); ++px) {
        const COLORREF pixel = GetPixel(dc, px, py);
        text += pixel == ColorToRGB(clWindowText);
        face += pixel == ColorToRGB(c.expected);
      }
    ReleaseDC(page->Handle(), dc);
    const int area = label->Width() * label->Height();
    EXPECT_GT(text, 5) << c.name << ": the text";
    EXPECT_EQ(text + face, area) << c.name << ": nothing but the text on the face";
    y += 30;
  }
}

}  // namespace
