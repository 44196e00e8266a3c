#include "calderan_test.h"

#include <string>
#include <vector>

#include "Contnrs.h"
#include "ExtCtrls.h"
#include "FormReader.h"
#include "Forms.h"
#include "Menus.h"
#include "message_pump.h"
#include "stored_form_test.h"

// A form whose handlers record the dock events that reach them.
class TDockProbeForm : public TForm {
  CALDERAN_CLASS(TDockProbeForm)
  using TForm::TForm;
  void SiteDockDrop(TObject*, TDragDockObject* source, int, int) { log.push_back("drop " + source->Control()->Name()); }
  void SiteDockOver(TObject*, TDragDockObject*, int, int, TDragState, bool&) { log.push_back("over"); }
  void SiteGetSiteInfo(TObject*, TControl*, TRect&, TPoint, bool&) { log.push_back("site info"); }
  void SiteUnDock(TObject*, TControl* client, TWinControl*, bool& allow) {
    log.push_back("undock " + client->Name());
    allow = allowUndock;
  }
  void ToolStartDock(TObject*, TDragDockObject*&) { log.push_back("start dock"); }
  void ToolEndDock(TObject*, TObject* target, int, int) {
    log.push_back(std::string("end dock on ") + (target ? static_cast<TComponent*>(target)->Name() : "nothing"));
  }
  std::vector<std::string> log;
  bool allowUndock = true;
};
CALDERAN_IMPLEMENT_CREATABLE(TDockProbeForm, TForm, TComponent*)

namespace {
constinit const TMethodInfo probeMethods[] = {
    PublishedMethod<&TDockProbeForm::SiteDockDrop>("SiteDockDrop"),
    PublishedMethod<&TDockProbeForm::SiteDockOver>("SiteDockOver"),
    PublishedMethod<&TDockProbeForm::SiteGetSiteInfo>("SiteGetSiteInfo"),
    PublishedMethod<&TDockProbeForm::SiteUnDock>("SiteUnDock"),
    PublishedMethod<&TDockProbeForm::ToolStartDock>("ToolStartDock"),
    PublishedMethod<&TDockProbeForm::ToolEndDock>("ToolEndDock"),
};

using TLog = std::vector<std::string>;

// A borderless form at (100, 100) with a 400 x 300 dock site filling it and two dock clients.
class Dock : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartUnits({&ClassesUnit, &GraphicsUnit, &ControlsUnit, &MenusUnit, &FormsUnit, &FormReaderUnit});
    RegisterPublishedMethods(TDockProbeForm::StaticClass(), probeMethods);
    RegisterClasses({TDockProbeForm::StaticClass()});
  }
  static void TearDownTestSuite() { StopUnits(); }

  void SetUp() override {
    form_ = std::make_unique<TDockProbeForm>(nullptr, 0);
    form_->AfterConstruction();
    form_->SetBorderStyle(bsNone);
    form_->SetBounds(100, 100, 400, 300);
    site_ = NewPanel("Site");
    site_->SetBounds(0, 0, 400, 300);
    site_->SetBevelOuter(bvNone);
    site_->SetDockSite(true);
    a_ = NewPanel("A");
    b_ = NewPanel("B");
    for (TPanel* client : {a_, b_}) {
      client->SetDragKind(dkDock);
      client->SetBounds(0, 0, 100, 80);
    }
    form_->Show();
  }
  void TearDown() override {
    CancelDrag();
    form_.reset();
    PumpWhileBusy();  // floating windows released on the way go now
  }
  TPanel* NewPanel(const std::string& name) {
    auto* panel = new TPanel(form_.get());
    panel->SetName(name);
    panel->SetParent(form_.get());
    return panel;
  }
  void SideBySide() {
    ASSERT_TRUE(a_->ManualDock(site_));
    ASSERT_TRUE(b_->ManualDock(site_, a_, alRight));
  }
  // A press on the site, the mouse moved to a screen point through the drag's capture window,
  // and the release.
  void DragFromSite(TPoint press, TPoint screenDrop) {
    Mouse->SetCursorPos(site_->ClientToScreen(press));
    SendMessageA(site_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(press));
    HWND capture = GetCapture();
    ASSERT_NE(capture, nullptr);
    Mouse->SetCursorPos(screenDrop);
    SendMessageA(capture, WM_MOUSEMOVE, MK_LBUTTON, 0);
    SendMessageA(capture, WM_LBUTTONUP, 0, 0);
  }
  void Click(TPoint p) {
    SendMessageA(site_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(p));
    SendMessageA(site_->Handle(), WM_LBUTTONUP, 0, PointToLParam(p));
  }

  std::unique_ptr<TDockProbeForm> form_;
  TPanel* site_ = nullptr;
  TPanel* a_ = nullptr;
  TPanel* b_ = nullptr;
};

TEST_F(Dock, TheTreeLaysClientsOutBesideEachOtherUnderTheirStrips) {
  ASSERT_NE(site_->DockManager(), nullptr);  // a panel uses a dock manager by default
  SideBySide();
  EXPECT_EQ(site_->DockClientCount(), 2);
  EXPECT_EQ(a_->HostDockSite(), site_);
  EXPECT_EQ(b_->Parent(), site_);
  // 400 less the 4-pixel splitter, halved; the 12-pixel strips above the clients
  EXPECT_EQ(a_->BoundsRect(), TRect(0, 12, 198, 300));
  EXPECT_EQ(b_->BoundsRect(), TRect(202, 12, 400, 300));

  struct TCase {
    TPoint at;
    TControl* control;
    int hit;
  } cases[] = {{{50, 5}, a_, HTCAPTION}, {{190, 5}, a_, HTCLOSE}, {{50, 50}, a_, HTCLIENT},
               {{200, 100}, a_, HTBORDER}, {{300, 5}, b_, HTCAPTION}, {{392, 5}, b_, HTCLOSE}};
  for (const TCase& c : cases) {
    int hit = HTNOWHERE;
    EXPECT_EQ(site_->DockManager()->HitTest(c.at, hit), c.control) << c.at.X << "," << c.at.Y;
    EXPECT_EQ(hit, c.hit) << c.at.X << "," << c.at.Y;
  }

  // a third client dropped below the second splits its zone the other way
  TPanel* c = NewPanel("C");
  ASSERT_TRUE(c->ManualDock(site_, b_, alBottom));
  EXPECT_EQ(a_->BoundsRect(), TRect(0, 12, 198, 300));
  EXPECT_EQ(b_->BoundsRect(), TRect(202, 12, 400, 148));
  EXPECT_EQ(c->BoundsRect(), TRect(202, 164, 400, 300));
  // undocking it gives the zone back
  ASSERT_TRUE(c->ManualFloat(Bounds(600, 100, 80, 60)));
  EXPECT_EQ(b_->BoundsRect(), TRect(202, 12, 400, 300));
}

TEST_F(Dock, TheStripsButtonHidesItsClientAndTheOtherTakesTheRoom) {
  SideBySide();
  Click({190, 5});
  EXPECT_FALSE(a_->Visible());
  EXPECT_EQ(a_->HostDockSite(), site_);  // hidden, still docked
  EXPECT_EQ(b_->BoundsRect(), TRect(0, 12, 400, 300));
  // a press on the button released elsewhere closes nothing
  SendMessageA(site_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam({392, 5}));
  SendMessageA(site_->Handle(), WM_LBUTTONUP, 0, PointToLParam({300, 100}));
  EXPECT_TRUE(b_->Visible());
  // shown again, it takes its place back
  a_->Show();
  EXPECT_EQ(a_->BoundsRect(), TRect(0, 12, 198, 300));
  EXPECT_EQ(b_->BoundsRect(), TRect(202, 12, 400, 300));
}

TEST_F(Dock, TheSplitterMovesWithTheMouse) {
  SideBySide();
  SendMessageA(site_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam({200, 100}));
  EXPECT_EQ(GetCapture(), site_->Handle());
  SendMessageA(site_->Handle(), WM_MOUSEMOVE, MK_LBUTTON, PointToLParam({100, 100}));
  SendMessageA(site_->Handle(), WM_LBUTTONUP, 0, PointToLParam({100, 100}));
  EXPECT_NE(GetCapture(), site_->Handle());
  EXPECT_EQ(a_->BoundsRect(), TRect(0, 12, 100, 300));
  EXPECT_EQ(b_->BoundsRect(), TRect(104, 12, 400, 300));
  // the site keeps the shares when it changes size
  site_->SetWidth(800);
  EXPECT_EQ(a_->BoundsRect(), TRect(0, 12, 201, 300));
  // a zone never gets smaller than its strip
  SendMessageA(site_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam({203, 100}));
  SendMessageA(site_->Handle(), WM_MOUSEMOVE, MK_LBUTTON, PointToLParam({-50, 100}));
  SendMessageA(site_->Handle(), WM_LBUTTONUP, 0, PointToLParam({-50, 100}));
  EXPECT_EQ(a_->BoundsRect(), TRect(0, 12, 12, 300));
}

TEST_F(Dock, DraggingAClientOutByItsStripFloatsIt) {
  SideBySide();
  b_->OnStartDock = MakeEvent(form_.get(), &TDockProbeForm::ToolStartDock);
  b_->OnEndDock = MakeEvent(form_.get(), &TDockProbeForm::ToolEndDock);
  DragFromSite({300, 5}, {700, 450});
  auto* host = ObjectAs<TCustomDockForm>(b_->HostDockSite());
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(b_->Parent(), host);
  EXPECT_EQ(b_->Align(), alClient);
  EXPECT_EQ(host->ClientWidth(), 198);  // the client keeps its size
  EXPECT_EQ(host->ClientHeight(), 288);
  EXPECT_TRUE(host->Visible());
  EXPECT_EQ(site_->DockClientCount(), 1);
  EXPECT_EQ(a_->BoundsRect(), TRect(0, 12, 400, 300));
  EXPECT_EQ(form_->log, (TLog{"start dock", "end dock on nothing"}));

  // docked back, the empty floating window goes
  TComponentList watch(false);
  watch.Add(host);
  ASSERT_TRUE(b_->ManualDock(site_, a_, alBottom));
  PumpWhileBusy();
  EXPECT_EQ(watch.Count(), 0);
  EXPECT_EQ(a_->BoundsRect(), TRect(0, 12, 400, 148));
  EXPECT_EQ(b_->BoundsRect(), TRect(0, 164, 400, 300));
  EXPECT_EQ(b_->Align(), alNone);
}

TEST_F(Dock, ADragOverTheSiteShowsWhereTheDropWouldDock) {
  SideBySide();
  const TPoint press{300, 5};
  Mouse->SetCursorPos(site_->ClientToScreen(press));
  SendMessageA(site_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(press));
  HWND capture = GetCapture();
  // over the lower part of A: the lower half of A's zone
  Mouse->SetCursorPos(site_->ClientToScreen({100, 280}));
  SendMessageA(capture, WM_MOUSEMOVE, MK_LBUTTON, 0);
  auto* drag = ObjectAs<TDragDockObject>(CurrentDragObject());
  ASSERT_NE(drag, nullptr);
  EXPECT_EQ(drag->DropOnControl, a_);
  EXPECT_EQ(drag->DropAlign, alBottom);
  EXPECT_EQ(drag->DockRect, TRect(100, 250, 298, 400));
  EXPECT_TRUE(drag->DockImageShown());
  // over B itself: no drop there, the preview shows the floating size instead
  Mouse->SetCursorPos(site_->ClientToScreen({300, 150}));
  SendMessageA(capture, WM_MOUSEMOVE, MK_LBUTTON, 0);
  EXPECT_EQ(drag->DockRect.Width(), 198);
  SendMessageA(capture, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(b_->HostDockSite(), site_);  // let go on itself: nothing moved
  EXPECT_EQ(b_->BoundsRect(), TRect(202, 12, 400, 300));

  // let go over A's lower half: B goes under A
  DragFromSite(press, site_->ClientToScreen({100, 280}));
  EXPECT_EQ(a_->BoundsRect(), TRect(0, 12, 400, 148));
  EXPECT_EQ(b_->BoundsRect(), TRect(0, 164, 400, 300));
}

TEST_F(Dock, ASiteWithoutDockManagerAndItsEvents) {
  site_->SetUseDockManager(false);
  EXPECT_EQ(site_->DockManager(), nullptr);
  site_->OnDockDrop = MakeEvent(form_.get(), &TDockProbeForm::SiteDockDrop);
  site_->OnUnDock = MakeEvent(form_.get(), &TDockProbeForm::SiteUnDock);
  ASSERT_TRUE(a_->ManualDock(site_));
  EXPECT_EQ(a_->BoundsRect(), TRect(0, 0, 400, 300));  // the site's client area
  EXPECT_EQ(form_->log, TLog{"drop A"});
  // a site that refuses to let the client go keeps it
  form_->allowUndock = false;
  EXPECT_FALSE(a_->ManualFloat(Bounds(600, 100, 80, 60)));
  EXPECT_EQ(a_->HostDockSite(), site_);
  // a control that is no dock site takes no client
  EXPECT_FALSE(b_->ManualDock(a_));
  EXPECT_EQ(b_->HostDockSite(), nullptr);
  // a client freed while docked leaves the site
  form_->allowUndock = true;
  delete a_;
  EXPECT_EQ(site_->DockClientCount(), 0);
}

TEST_F(Dock, ShowingOrFocusingAControlAsksItsParentsToShowIt) {
  struct TShowingPanel : TPanel {
    using TPanel::TPanel;
    void ShowControl(TControl* control) override {
      shown.push_back(control->Name());
      TPanel::ShowControl(control);
    }
    std::vector<std::string> shown;
  };
  auto* outer = new TShowingPanel(form_.get());
  outer->SetName("Outer");
  outer->SetParent(form_.get());
  auto* inner = new TPanel(form_.get());
  inner->SetName("Inner");
  inner->SetParent(outer);
  auto* edit = new TPanel(form_.get());
  edit->SetName("Edit");
  edit->SetParent(inner);
  edit->Hide();
  edit->Show();
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(outer->shown, TLog{"Inner"});
}

constexpr const char* storedDockForm =
    "object DockProbe: TDockProbeForm\n"
    "  object Site: TPanel\n"
    "    DockSite = True\n"
    "    UseDockManager = False\n"
    "    OnDockDrop = SiteDockDrop\n"
    "    OnDockOver = SiteDockOver\n"
    "    OnGetSiteInfo = SiteGetSiteInfo\n"
    "    OnUnDock = SiteUnDock\n"
    "  end\n"
    "  object Tool: TPanel\n"
    "    DragKind = dkDock\n"
    "    DragMode = dmAutomatic\n"
    "    OnStartDock = ToolStartDock\n"
    "    OnEndDock = ToolEndDock\n"
    "  end\n"
    "end\n";

TEST_F(Dock, StoredFormsReadAndWriteTheDockProperties) {
  TDockProbeForm form(nullptr, 0);
  ReadComponentText(storedDockForm, "DockProbe", &form);
  auto* site = ObjectAs<TPanel>(form.FindComponent("Site"));
  auto* tool = ObjectAs<TPanel>(form.FindComponent("Tool"));
  ASSERT_TRUE(site && tool);
  EXPECT_TRUE(site->DockSite());
  EXPECT_FALSE(site->UseDockManager());
  EXPECT_EQ(tool->DragKind(), dkDock);
  EXPECT_TRUE(site->OnDockDrop && site->OnDockOver && site->OnGetSiteInfo && site->OnUnDock);
  EXPECT_TRUE(tool->OnStartDock && tool->OnEndDock);
  // the events run when the tool docks
  ASSERT_TRUE(tool->ManualDock(site));
  EXPECT_EQ(form.log, (TLog{"drop Tool"}));

  // written and read back into a fresh control, they come back; that control writes them equal
  for (TPanel* original : {site, tool}) {
    TPanel copy(nullptr), again(nullptr);
    ReadForm(&copy, WrittenForm(original));
    ReadForm(&again, WrittenForm(&copy));
    EXPECT_EQ(WrittenForm(&again), WrittenForm(&copy)) << original->Name();
    EXPECT_EQ(copy.DockSite(), original->DockSite());
    EXPECT_EQ(copy.UseDockManager(), original->UseDockManager());
    EXPECT_EQ(copy.DragKind(), original->DragKind());
  }
  // the defaults are not written
  TPanel plain(nullptr);
  const std::string bytes = WrittenForm(&plain);
  for (const char* name : {"DockSite", "UseDockManager", "DragKind"})
    EXPECT_EQ(bytes.find(name), std::string::npos) << name;
}

}  // namespace
