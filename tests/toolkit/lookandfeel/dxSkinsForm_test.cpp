#include "calderan_test.h"

#include <functional>
#include <memory>

#include "ExtCtrls.h"
#include "FormReader.h"
#include "TypInfo.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "dxSkinsForm.h"
#include "dxSkinsFormTestSkin.h"
#include "lookandfeel_fixture.h"
#include "message_pump.h"

// A second skin painter class, so that two registered skins can be told apart by painter.
class TSecondSkinPainter : public TdxSkinLookAndFeelPainter {
  CALDERAN_CLASS(TSecondSkinPainter)
  static TcxCustomLookAndFeelPainterClass Instance();

 protected:
  constexpr TSecondSkinPainter() = default;
};
CX_IMPLEMENT_PAINTER(TSecondSkinPainter, TdxSkinLookAndFeelPainter)

namespace {

using namespace testskin;

TdxSkinPainterClass TestPainter() { return static_cast<TdxSkinPainterClass>(TdxSkinLookAndFeelPainter::Instance()); }
TdxSkinPainterClass SecondPainter() { return static_cast<TdxSkinPainterClass>(TSecondSkinPainter::Instance()); }

TColor ToColor(uint32_t argb) { return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16); }

TColor WindowPixel(HWND window, int x, int y) {
  HDC dc = GetWindowDC(window);
  const TColor color = static_cast<TColor>(GetPixel(dc, x, y));
  ReleaseDC(window, dc);
  return color;
}

bool HasRegion(HWND window) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(window, region);
  DeleteObject(region);
  return kind != ERROR;
}

TPoint Center(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

LRESULT CALLBACK PlainWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }
LRESULT CALLBACK ChildWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefMDIChildProcA(w, m, wp, lp); }

void RegisterPlainClasses() {
  WNDCLASSA plain{0, PlainWindowProc, 0, 0, GetModuleHandleA(nullptr), nullptr, LoadCursorA(nullptr, IDC_ARROW),
                  nullptr, nullptr, "SkinFormTestPlain"};
  RegisterClassA(&plain);
  WNDCLASSA child = plain;
  child.lpfnWndProc = ChildWindowProc;
  child.lpszClassName = "SkinFormTestChild";
  RegisterClassA(&child);
}

struct SkinForm : ::testing::Test {
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartLookAndFeelUnits();
    StartUnits({&dxSkinsCoreUnit, &dxSkinsFormUnit, &FormReaderUnit});
    RegisterPlainClasses();
    ExtendedStylePainters()->Register("TestSkin", TestPainter(), new TdxSkinLookAndFeelPainterInfo(MakeTestSkinWithForm().release()));
    ExtendedStylePainters()->Register("SecondSkin", SecondPainter(), new TdxSkinLookAndFeelPainterInfo(MakeTestSkinWithForm().release()));
  }
  static void TearDownTestSuite() { StopUnits(); }
  void SetUp() override { RootLookAndFeel()->SetSkinName("TestSkin"); }
  void TearDown() override {
    forms.clear();
    skinControllers.clear();
    PumpWhileBusy();
    GlobalUseSkins = true;
  }

  TdxSkinController* AddSkinController() {
    skinControllers.push_back(std::make_unique<TdxSkinController>(nullptr));
    return skinControllers.back().get();
  }
  TForm* ShowForm(std::function<void(TForm*)> prepare = {}) {
    forms.push_back(std::make_unique<TForm>(nullptr, 0));
    TForm* form = forms.back().get();
    form->SetCaption("Skinned");
    form->SetBounds(40, 40, 420, 300);
    if (prepare) prepare(form);
    form->Show();
    PumpUntil([form] { return FindControllerByHandle(form->Handle()) != nullptr; });
    PumpWhileBusy();
    return form;
  }
  static TdxSkinFormController* ControllerOf(TWinControl* control) {
    return ObjectAs<TdxSkinFormController>(FindControllerByHandle(control->Handle()));
  }

  std::vector<std::unique_ptr<TdxSkinController>> skinControllers;
  std::vector<std::unique_ptr<TForm>> forms;
};

// A window of our own class with a form controller made directly, with the test skin's painter.
struct TLaidOutWindow {
  TLaidOutWindow(DWORD style, DWORD exStyle, int show = SW_SHOWNOACTIVATE, HMENU menu = nullptr) {
    window = CreateWindowExA(exStyle, "SkinFormTestPlain", "Layout", style, 30, 30, 400, 280, nullptr, menu,
                             GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, show);
    controller.reset(static_cast<TdxSkinFormController*>(TdxSkinFormController::StaticClassOperations()->Create(window)));
    controller->SetPainter(TestPainter());
    controller->CalculateNonClientArea();
  }
  ~TLaidOutWindow() {
    controller.reset();
    DestroyWindow(window);
  }
  TdxSkinFormNonClientAreaInfo* Info() const { return controller->NonClientAreaInfo(); }
  // The hit test of a point relative to the window's top-left corner.
  int HitTest(TPoint p) const {
    const RECT& w = Info()->WindowInfo().rcWindow;
    return Info()->HitTest(TPoint(w.left + p.X, w.top + p.Y), HTNOWHERE);
  }
  HWND window;
  std::unique_ptr<TdxSkinFormController> controller;
};

TEST_F(SkinForm, NonClientLayoutFollowsTheWindowStyles) {
  const int edge = GetSystemMetrics(SM_CYEDGE);
  struct Case {
    const char* Name;
    DWORD Style, ExStyle;
    int Show;
    bool Menu;
    TdxCaptionButtons Buttons;
    bool Classic;
    int Row;
  } const cases[] = {
      {"normal", WS_OVERLAPPEDWINDOW, 0, SW_SHOWNOACTIVATE, false, {cbIcon, cbMinimize, cbMaximize, cbClose}, false, 1},
      {"minimized", WS_OVERLAPPEDWINDOW, 0, SW_SHOWMINNOACTIVE, false, {cbIcon, cbRestore, cbMaximize, cbClose}, false, 1},
      {"tool window", WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW, SW_SHOWNOACTIVATE, false, {cbMinimize, cbMaximize, cbClose}, false, 0},
      {"dialog frame", WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP, SW_SHOWNOACTIVATE, false,
       {cbHelp, cbClose}, false, 1},
      {"menu bar", WS_OVERLAPPEDWINDOW, 0, SW_SHOWNOACTIVATE, true, {cbIcon, cbMinimize, cbMaximize, cbClose}, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    HMENU menu = nullptr;
    if (c.Menu) {
      menu = CreateMenu();
      AppendMenuA(menu, MF_STRING, 1, "&File");
    }
    TLaidOutWindow w(c.Style, c.ExStyle, c.Show, menu);
    TdxSkinFormNonClientAreaInfo* info = w.Info();
    EXPECT_TRUE(info->Buttons() == c.Buttons);
    EXPECT_EQ(info->IsClassicFrame(), c.Classic);
    EXPECT_EQ(info->DrawsFrame(), !c.Classic);
    EXPECT_EQ(info->Row(), c.Row);
    const TRect& widths = info->FrameWidths();
    const WINDOWINFO& wi = info->WindowInfo();
    if (c.Classic) {
      EXPECT_EQ(widths.Left, static_cast<int>(wi.cxWindowBorders));
      EXPECT_EQ(widths.Top, GetSystemMetrics(SM_CYCAPTION) + static_cast<int>(wi.cyWindowBorders));
    } else if (c.Row == 0) {
      EXPECT_EQ(widths.Top, 4 + GetSystemMetrics(SM_CYSMCAPTION)) << "the small caption under the border";
      EXPECT_EQ(info->CaptionFont()->Height(), [] {
        NONCLIENTMETRICSA m{};
        m.cbSize = sizeof(m);
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0);
        return m.lfSmCaptionFont.lfHeight;
      }());
    } else {
      EXPECT_EQ(widths.Left, 4) << "the skin's frame";
      EXPECT_EQ(widths.Bottom, 4);
      EXPECT_EQ(widths.Top, 2 * edge + 4 +
                                std::max(GetSystemMetrics(SM_CYSMICON), SharedScreenCanvas()->FontHeight(info->CaptionFont())));
    }
    const TRect& close = info->ButtonRect(cbClose);
    EXPECT_FALSE(close.IsEmpty());
    EXPECT_EQ(close.Width(), close.Height()) << "square buttons";
    if (!c.Buttons.Contains(cbIcon)) EXPECT_EQ(info->TextRect().Left, 7);
    else EXPECT_EQ(info->TextRect().Left, info->ButtonRect(cbIcon).Right + 5);
    EXPECT_LE(info->TextRect().Right, info->ButtonRect(c.Buttons.Contains(cbHelp) ? cbHelp : cbMinimize).Left - 5 +
                                          (c.Buttons.Contains(cbMinimize) || c.Buttons.Contains(cbHelp) ? 0 : 1000));
    if (c.Buttons.Contains(cbRestore) && c.Buttons.Contains(cbMaximize)) {
      EXPECT_TRUE(info->ButtonRect(cbRestore) == info->ButtonRect(cbMinimize)) << "restore where minimize would be";
      EXPECT_EQ(w.HitTest(Center(info->ButtonRect(cbRestore))), HTMINBUTTON);
      EXPECT_LT(info->ButtonRect(cbRestore).Right, info->ButtonRect(cbMaximize).Left);
    }
    if (c.Menu) {
      HRGN region = info->GetNonClientRegion();
      const TRect& bar = info->MenuBarRect();
      const RECT& origin = wi.rcWindow;
      EXPECT_TRUE(PtInRegion(region, origin.left + bar.Left + 5, origin.top + bar.Bottom - 1)) << "the line under the menu";
      EXPECT_FALSE(PtInRegion(region, origin.left + bar.Left + 5, origin.top + bar.Top + 2)) << "the menu itself";
      DeleteObject(region);
    }
  }
}

TEST_F(SkinForm, VisualStylesOffMakeEveryFrameClassicUntilThemeChanged) {
  TLaidOutWindow w(WS_OVERLAPPEDWINDOW, 0);
  EXPECT_FALSE(w.Info()->IsClassicFrame());
  {
    TVisualStylesOff off;
    w.controller->CalculateNonClientArea();
    EXPECT_FALSE(w.Info()->IsClassicFrame()) << "remembered until WM_THEMECHANGED";
    TMessage themeChanged{WM_THEMECHANGED, 0, 0, 0};
    w.controller->WndProc(themeChanged);
    w.controller->CalculateNonClientArea();
    EXPECT_TRUE(w.Info()->IsClassicFrame());
    EXPECT_EQ(w.Info()->FrameWidths().Left, static_cast<int>(w.Info()->WindowInfo().cxWindowBorders));
  }
  w.Info()->ForgetVisualStyles();
  w.controller->CalculateNonClientArea();
  EXPECT_FALSE(w.Info()->IsClassicFrame());
}

TEST_F(SkinForm, CaptionButtonHitTests) {
  TLaidOutWindow w(WS_OVERLAPPEDWINDOW, WS_EX_CONTEXTHELP);
  TdxSkinFormNonClientAreaInfo* info = w.Info();
  const TRect& bounds = info->WindowBounds();
  const int captionMiddle = info->FrameWidths().Top / 2;
  struct Case {
    const char* Name;
    TPoint Point;
    int Code;
  } const cases[] = {
      {"close", Center(info->ButtonRect(cbClose)), HTCLOSE},
      {"maximize", Center(info->ButtonRect(cbMaximize)), HTMAXBUTTON},
      {"minimize", Center(info->ButtonRect(cbMinimize)), HTMINBUTTON},
      {"help", Center(info->ButtonRect(cbHelp)), HTHELP},
      {"icon", Center(info->ButtonRect(cbIcon)), HTSYSMENU},
      {"between buttons", TPoint(info->ButtonRect(cbMaximize).Right, captionMiddle), HTCAPTION},
      {"caption text", TPoint(bounds.Width() / 3, captionMiddle), HTCAPTION},
      {"top-left corner", TPoint(0, 5), HTTOPLEFT},
      {"top-right corner", TPoint(bounds.Right - 1, 5), HTTOPRIGHT},
      {"top edge", TPoint(bounds.Width() / 2, 0), HTTOP},
      {"left side", TPoint(1, bounds.Height() / 2), HTLEFT},
      {"right side", TPoint(bounds.Right - 2, bounds.Height() / 2), HTRIGHT},
      {"bottom-right corner", TPoint(bounds.Right - 1, bounds.Bottom - 1), HTBOTTOMRIGHT},
      {"bottom edge", TPoint(bounds.Width() / 2, bounds.Bottom - 1), HTBOTTOM},
      {"frame inside the sizing zone", TPoint(3, bounds.Height() / 2), HTNOWHERE},
      {"client", Center(info->ClientBounds()), HTNOWHERE},
  };
  for (const Case& c : cases) EXPECT_EQ(w.HitTest(c.Point), c.Code) << c.Name;

  ShowWindow(w.window, SW_MAXIMIZE);
  w.controller->CalculateNonClientArea();
  EXPECT_EQ(w.HitTest(TPoint(0, 5)), HTCAPTION) << "a maximized window has no sizing zones";
  EXPECT_EQ(w.HitTest(Center(w.Info()->ButtonRect(cbRestore))), HTMAXBUTTON);
}

TEST_F(SkinForm, MaximizedMDIChildCaptionJoinsTheFramesCaption) {
  AddSkinController();
  TForm* frame = ShowForm([](TForm* f) { f->SetCaption("Frame"); });
  CLIENTCREATESTRUCT create{nullptr, 1000};
  HWND client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 300, 200,
                                frame->Handle(), nullptr, GetModuleHandleA(nullptr), &create);
  ASSERT_TRUE(client);
  MDICREATESTRUCTA child{"SkinFormTestChild", "Doc", GetModuleHandleA(nullptr), 0, 0, 200, 150, WS_MAXIMIZE, 0};
  HWND document = reinterpret_cast<HWND>(SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&child)));
  ASSERT_TRUE(document);
  PumpWhileBusy();
  TdxSkinFormNonClientAreaInfo* info = ControllerOf(frame)->NonClientAreaInfo();
  EXPECT_EQ(info->CaptionText(), "Frame - [Doc]");
  EXPECT_TRUE(FindControllerByHandle(client)) << "the MDI client area has a form controller";

  SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(document), 0);
  PumpWhileBusy();
  EXPECT_EQ(info->CaptionText(), "Frame") << "WM_CHILDCHANGED after the restore";
  SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(document), 0);
  PumpWhileBusy();
  EXPECT_EQ(info->CaptionText(), "Frame - [Doc]");
  SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(document), 0);
  PumpWhileBusy();
  SendMessageA(frame->Handle(), WM_CHILDCHANGED, 0, 0);
  EXPECT_EQ(info->CaptionText(), "Frame") << "the child closed";
  DestroyWindow(client);
}

// ---------------------------------------------------------------------------------------------
// Real windows: the hook attaches, the skin paints.
TEST_F(SkinForm, HookAttachesAndTheSkinPaintsTheFrame) {
  AddSkinController();
  TForm* form = ShowForm();
  TdxSkinFormController* controller = ControllerOf(form);
  ASSERT_TRUE(controller);
  EXPECT_EQ(controller->Painter(), TestPainter());
  EXPECT_TRUE(controller->IsSkinActive());
  TdxSkinFormNonClientAreaInfo* info = controller->NonClientAreaInfo();
  EXPECT_EQ(info->FrameWidths().Left, 4);

  RECT window, client;
  GetWindowRect(form->Handle(), &window);
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ((window.right - window.left) - client.right, 8) << "the skin's frame, not the system's";

  SendMessageA(form->Handle(), WM_NCACTIVATE, TRUE, 0);
  const int middle = (window.bottom - window.top) / 2;
  EXPECT_EQ(WindowPixel(form->Handle(), 2, middle), ToColor(FrameColors[0]));
  const TRect close = info->ButtonRect(cbClose);
  const TPoint face(close.Left + 3, Center(close).Y);  // beside the glyph
  EXPECT_EQ(WindowPixel(form->Handle(), face.X, face.Y), ToColor(CloseColors[0]));
  SendMessageA(form->Handle(), WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(WindowPixel(form->Handle(), 2, middle), ToColor(FrameColors[1])) << "inactive frame";
  EXPECT_EQ(info->ButtonState(cbClose), esActiveDisabled);
  EXPECT_EQ(WindowPixel(form->Handle(), face.X, face.Y), ToColor(CloseColors[4]));

  form->SetCaption("Renamed");
  EXPECT_EQ(info->CaptionText(), "Renamed");
  // The client background is the skin's form content.
  HDC dc = GetDC(form->Handle());
  SendMessageA(form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(static_cast<TColor>(GetPixel(dc, 10, 10)), TColor(0xF2ECE6));
  ReleaseDC(form->Handle(), dc);
}

TEST_F(SkinForm, WindowsWithoutSkinControllerStayAttachedAndUnskinned) {
  TForm* form = ShowForm();
  TdxSkinFormController* controller = ControllerOf(form);
  ASSERT_TRUE(controller);
  EXPECT_FALSE(controller->IsSkinActive());
  form->SetCaption("Caption while unskinned");
  EXPECT_EQ(controller->NonClientAreaInfo()->CaptionText(), "Caption while unskinned");
  AddSkinController();
  EXPECT_TRUE(controller->IsSkinActive()) << "a later skin controller refreshes the attached windows";
}

TEST_F(SkinForm, CloseButtonActsOnlyWhenReleasedOverIt) {
  AddSkinController();
  bool closed = false;
  struct TCloseRecorder {
    bool* closed;
    void OnClose(TObject*, TCloseAction& action) {
      *closed = true;
      action = caNone;
    }
  } recorder{&closed};
  TForm* form = ShowForm([&](TForm* f) { f->OnClose = MakeEvent(&recorder, &TCloseRecorder::OnClose); });
  TdxSkinFormNonClientAreaInfo* info = ControllerOf(form)->NonClientAreaInfo();
  RECT window;
  GetWindowRect(form->Handle(), &window);
  const TPoint close = Center(info->ButtonRect(cbClose));
  const TPoint overClose(window.left + close.X, window.top + close.Y);
  const TPoint offClose(window.left + 60, window.top + 120);

  struct Case {
    const char* Name;
    TPoint ReleaseAt;
    bool Closes;
  } const cases[] = {{"released elsewhere", offClose, false}, {"released over it", overClose, true}};
  for (const Case& c : cases) {
    closed = false;
    SetCursorPos(overClose.X, overClose.Y);
    SendMessageA(form->Handle(), WM_NCLBUTTONDOWN, HTCLOSE, PointToLParam(overClose));
    EXPECT_EQ(info->PressedButton(), cbClose) << c.Name;
    EXPECT_FALSE(closed) << "pressing does nothing";
    SetCursorPos(c.ReleaseAt.X, c.ReleaseAt.Y);
    SendMessageA(form->Handle(), WM_NCLBUTTONUP, HTCLOSE, PointToLParam(c.ReleaseAt));
    EXPECT_EQ(info->PressedButton(), cbIcon) << c.Name;
    EXPECT_EQ(closed, c.Closes) << c.Name;
  }
  form->OnClose = {};
}

TEST_F(SkinForm, MaximizeRemovesTheRegionAndRestoreSetsItAgain) {
  AddSkinController();
  TForm* form = ShowForm();
  TdxSkinFormController* controller = ControllerOf(form);
  EXPECT_TRUE(HasRegion(form->Handle())) << "a restored skinned form has a rectangular region";
  ShowWindow(form->Handle(), SW_MAXIMIZE);
  PumpWhileBusy();
  EXPECT_FALSE(HasRegion(form->Handle()));
  EXPECT_FALSE(controller->RegionSet());
  ShowWindow(form->Handle(), SW_RESTORE);
  PumpWhileBusy();
  EXPECT_TRUE(HasRegion(form->Handle()));

  TForm* borderless = ShowForm([](TForm* f) { f->SetBorderStyle(bsNone); });
  EXPECT_FALSE(HasRegion(borderless->Handle())) << "a form without border never gets one";
}

TEST_F(SkinForm, TwoSkinControllersWithOnSkinForm) {
  struct TChooser {
    void OnSkinForm(TdxSkinController*, TCustomForm*, std::string& name, bool&) { name = "SecondSkin"; }
  } chooser;
  AddSkinController();
  AddSkinController()->OnSkinForm = MakeEvent(&chooser, &TChooser::OnSkinForm);
  TForm* form = ShowForm();
  TdxSkinFormController* controller = ControllerOf(form);
  EXPECT_EQ(controller->Painter(), TestPainter()) << "the first controller decides at creation";
  RefreshSkinnedWindows();
  EXPECT_EQ(controller->Painter(), SecondPainter()) << "at a refresh the second is asked first and the first keeps B";
}

TEST_F(SkinForm, UseSkinsOffDropsThePaintersUnlessOnSkinFormInsists) {
  struct TInsist {
    bool insist = false;
    void OnSkinForm(TdxSkinController*, TCustomForm*, std::string&, bool& useSkin) { useSkin = useSkin || insist; }
  } handler;
  TdxSkinController* skinController = AddSkinController();
  skinController->OnSkinForm = MakeEvent(&handler, &TInsist::OnSkinForm);
  TForm* form = ShowForm();
  TdxSkinFormController* controller = ControllerOf(form);
  TcxLookAndFeel follower(nullptr);
  EXPECT_NE(follower.SkinPainter(), nullptr);
  skinController->SetUseSkins(false);
  EXPECT_FALSE(GlobalUseSkins);
  EXPECT_EQ(follower.SkinPainter(), nullptr) << "the root reported a full change";
  EXPECT_EQ(controller->Painter(), nullptr);
  EXPECT_FALSE(HasRegion(form->Handle())) << "the region goes with the skin";
  handler.insist = true;
  RefreshSkinnedWindows();
  EXPECT_EQ(controller->Painter(), TestPainter());
  skinController->SetUseSkins(true);
}

TEST_F(SkinForm, ControllerClassesByWindow) {
  TForm* form = ShowForm();
  auto* button = new TButton(form);
  button->SetParent(form);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* frame = new TFrame(form);
  frame->SetParent(form);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  struct Case {
    const char* Name;
    HWND Window;
    const TdxSkinWinControllerClass* Class;
  } const cases[] = {
      {"form", form->Handle(), TdxSkinFormController::StaticClassOperations()},
      {"button", button->Handle(), TdxSkinButtonController::StaticClassOperations()},
      {"panel", panel->Handle(), TdxSkinPanelController::StaticClassOperations()},
      {"frame", frame->Handle(), TdxSkinFrameController::StaticClassOperations()},
      {"edit", edit->Handle(), TdxSkinEditController::StaticClassOperations()},
      {"foreign window", GetDesktopWindow(), nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(DefaultGetControllerClass(c.Window), c.Class) << c.Name;
}

// ---------------------------------------------------------------------------------------------
// Buttons and panels
TEST_F(SkinForm, SkinnedPushButtonStaysPressedWhileHeld) {
  AddSkinController();
  TButton* button = nullptr;
  TForm* form = ShowForm([&](TForm* f) {
    button = new TButton(f);
    button->SetParent(f);
    button->SetBounds(20, 20, 120, 30);
    button->SetCaption("Push");
  });
  PumpUntil([&] { return FindControllerByHandle(button->Handle()) != nullptr; });
  auto* controller = ObjectAs<TdxSkinButtonController>(FindControllerByHandle(button->Handle()));
  ASSERT_TRUE(controller);
  ASSERT_TRUE(controller->IsSkinActive()) << "the form's skin";
  TdxSkinButtonViewInfo* info = controller->ButtonViewInfo();
  EXPECT_EQ(info->State(), cxbsNormal);
  const TPoint over = button->ClientToScreen(TPoint(60, 15));
  SetCursorPos(over.X, over.Y);
  SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 15));
  EXPECT_EQ(info->State(), cxbsHot);

  auto facePixel = [&] {
    HDC dc = GetWindowDC(button->Handle());
    const TColor c = static_cast<TColor>(GetPixel(dc, 30, 15));
    ReleaseDC(button->Handle(), dc);
    return c;
  };
  const TColor hotFace = facePixel();
  SendMessageA(button->Handle(), BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(info->State(), cxbsPressed);
  SendMessageA(button->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(61, 15));
  EXPECT_EQ(info->State(), cxbsPressed) << "held, not hot";
  EXPECT_NE(facePixel(), hotFace) << "painted pressed at once";
  SendMessageA(button->Handle(), BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(info->State(), cxbsNormal);

  button->SetEnabled(false);
  EXPECT_EQ(info->State(), cxbsDisabled);
  SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 15));
  EXPECT_EQ(info->State(), cxbsDisabled) << "a disabled button ignores the mouse";
  (void)form;
}

TEST_F(SkinForm, PanelsTakeTheGroupPanelBackgroundOnlyInTheButtonFaceColour) {
  AddSkinController();
  TPanel* plain = nullptr;
  TPanel* coloured = nullptr;
  ShowForm([&](TForm* f) {
    plain = new TPanel(f);
    plain->SetParent(f);
    plain->SetBounds(10, 10, 100, 60);
    plain->SetColor(clBtnFace);
    plain->SetParentBackground(false);
    plain->SetBevelOuter(bvNone);
    coloured = new TPanel(f);
    coloured->SetParent(f);
    coloured->SetBounds(130, 10, 100, 60);
    coloured->SetColor(0x00FF00);
    coloured->SetParentBackground(false);
    coloured->SetBevelOuter(bvNone);
  });
  PumpUntil([&] { return FindControllerByHandle(coloured->Handle()) != nullptr; });
  PumpWhileBusy();
  ASSERT_TRUE(FindControllerByHandle(plain->Handle())->IsSkinActive());
  auto pixel = [](TPanel* panel) {
    UpdateWindow(panel->Handle());
    HDC dc = GetDC(panel->Handle());
    const TColor c = static_cast<TColor>(GetPixel(dc, 50, 30));
    ReleaseDC(panel->Handle(), dc);
    return c;
  };
  RedrawWindow(plain->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RedrawWindow(coloured->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_EQ(pixel(coloured), TColor(0x00FF00));
  EXPECT_NE(pixel(plain), ColorToRGB(clBtnFace)) << "the skin's group panel";
  EXPECT_NE(pixel(plain), TColor(0x00FF00));

  // Printed: the skin's painting, unless hidden and asked to check visibility.
  auto printed = [&] {
    TDibSurface surface(100, 60, 0x123456);
    SendMessageA(plain->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.DC()), PRF_CHECKVISIBLE | PRF_CLIENT);
    return surface.Pixel(50, 30);
  };
  const TColor skinned = pixel(plain);
  EXPECT_EQ(printed(), skinned);
  plain->Hide();
  EXPECT_NE(printed(), skinned) << "hidden: the panel's own painting, not the skin's";
}

// Pixels of a window's client area inside a rectangle that have the colour.
int CountPixels(HWND window, const TRect& r, TColor color) {
  HDC dc = GetDC(window);
  int count = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) count += GetPixel(dc, x, y) == ColorToRGB(color);
  ReleaseDC(window, dc);
  return count;
}

// A framework label on a skinned form shows the form's skinned face under its text, which is in
// the skin's text colour; so does a label on a skinned panel, and the panel's caption left at the
// default font colour. A label with a colour of its own keeps it.
TEST_F(SkinForm, LabelsAndPanelCaptionsTakeTheSkinsFaceAndTextColour) {
  TdxSkinElement* content = TestPainter()->GetSkinInfo()->Element(seFormContent);
  ASSERT_NE(content, nullptr);
  const TColor face = content->Color(), text = 0x2040C0;
  content->SetTextColor(text);
  struct TRestore {
    TdxSkinElement* content;
    ~TRestore() { content->SetTextColor(clDefault); }
  } restore{content};
  AddSkinController();
  TLabel *label = nullptr, *onPanel = nullptr, *red = nullptr;
  TPanel* panel = nullptr;
  auto addLabel = [](TWinControl* parent, int x, int y, const char* caption) {
    auto* l = new TLabel(parent);
    l->SetParent(parent);
    l->SetBounds(x, y, 10, 10);
    l->SetText(caption);
    return l;
  };
  ShowForm([&](TForm* f) {
    label = addLabel(f, 10, 10, "Zoom:");
    red = addLabel(f, 10, 30, "Top:");
    red->Font()->SetColor(clRed);
    panel = new TPanel(f);
    panel->SetParent(f);
    panel->SetBounds(10, 60, 200, 80);
    panel->SetBevelOuter(bvNone);
    panel->SetAlignment(taRightJustify);
    panel->SetCaption("Panel caption");
    onPanel = addLabel(panel, 4, 4, "Left:");
  });
  PumpUntil([&] { return FindControllerByHandle(panel->Handle()) != nullptr; });
  RedrawWindow(forms.back()->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HWND window = forms.back()->Handle();
  const TRect box = label->BoundsRect();
  const int area = box.Width() * box.Height();
  EXPECT_GT(CountPixels(window, box, text), 5) << "the label's text in the skin's text colour";
  EXPECT_EQ(CountPixels(window, box, text) + CountPixels(window, box, face), area) << "on the skinned face";
  EXPECT_GT(CountPixels(window, red->BoundsRect(), clRed), 5) << "a colour of the label's own";
  EXPECT_EQ(CountPixels(window, red->BoundsRect(), text), 0);
  EXPECT_GT(CountPixels(panel->Handle(), onPanel->BoundsRect(), text), 5) << "a label on the panel";
  EXPECT_GT(CountPixels(panel->Handle(), TRect(100, 0, 200, 80), text), 5) << "the panel's caption";
}

// ---------------------------------------------------------------------------------------------
// Edits and combo boxes

// The colour of a pixel in a window's client area.
COLORREF ClientPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF color = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return color;
}

// A combo box's field beside its text and, dropped down, a pixel of its list's second row beside the text.
struct TComboPixels {
  COLORREF Field, List;
};

TComboPixels ComboPixels(TComboBox* combo) {
  RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const COLORREF field = ClientPixel(combo->Handle(), combo->Width() - 30, combo->Height() / 2);  // beside the text
  combo->SetDroppedDown(true);
  PumpWhileBusy();
  COMBOBOXINFO info{sizeof(info)};
  GetComboBoxInfo(combo->Handle(), &info);
  RECT client{};
  GetClientRect(info.hwndList, &client);
  UpdateWindow(info.hwndList);
  const COLORREF list = ClientPixel(info.hwndList, client.right - 6, combo->ItemHeight() + 4);
  combo->SetDroppedDown(false);
  return {field, list};
}

// Platform combo boxes paint their field and their dropped list themselves and ask for the
// colours: on a skinned form they wear the skin's editor background, a combo with a colour of its
// own keeps it (its list too), and without a skin they stay in the window colour.
TEST_F(SkinForm, CombosAndTheirListsWearTheSkinsEditorColours) {
  TdxSkinColor* editor = TestPainter()->GetSkinInfo()->ColorProperty(spEditorsBackgroundColor);
  ASSERT_NE(editor, nullptr);
  const TColor saved = editor->Value(), dark = 0x402818, own = 0x2060A0;
  editor->SetValue(dark);
  struct TRestore {
    TdxSkinColor* editor;
    TColor value;
    ~TRestore() { editor->SetValue(value); }
  } restore{editor, saved};
  auto addCombo = [](TWinControl* parent, int top, TColor color) {
    auto* combo = new TComboBox(parent);
    combo->SetParent(parent);
    combo->SetTabStop(false);  // a focused field is painted in the selection colour
    combo->SetStyle(csDropDownList);
    combo->SetBounds(10, top, 150, 21);
    combo->SetColor(color);
    for (const char* line : {"Crop", "Letterbox", "Stretch"}) combo->Items()->Add(line);
    combo->SetItemIndex(0);
    return combo;
  };
  struct Case {
    const char* Name;
    bool Skinned;
    TColor Color, Expected;
  } const cases[] = {
      {"skinned", true, clWindow, dark},
      {"skinned, a colour of its own", true, own, own},
      {"the standard look", false, clWindow, clWindow},
      {"the standard look, a colour of its own", false, own, own},
  };
  for (const Case& c : cases) {
    if (c.Skinned && skinControllers.empty()) AddSkinController();
    if (!c.Skinned) skinControllers.clear();
    TPanel* page = nullptr;
    TComboBox* combo = nullptr;
    ShowForm([&](TForm* f) {
      page = new TPanel(f);  // a container the skin does not take over, as a tab sheet
      page->SetParent(f);
      page->SetBounds(0, 0, 300, 200);
      combo = addCombo(page, 10, c.Color);
    });
    PumpUntil([&] { return !c.Skinned || FindControllerByHandle(combo->Handle()) != nullptr; });
    const TComboPixels pixels = ComboPixels(combo);
    EXPECT_EQ(pixels.Field, ColorToRGB(c.Expected)) << c.Name << ": the field";
    EXPECT_EQ(pixels.List, ColorToRGB(c.Expected)) << c.Name << ": the dropped list";
    forms.clear();
    PumpWhileBusy();
  }
}

}  // namespace

// A form whose stored definition holds a skin controller and binds its two events by name.
class TSkinnedStoredForm : public TForm {
  CALDERAN_CLASS(TSkinnedStoredForm)
  using TForm::TForm;
  int Forms = 0;
  void SkinForm(TdxSkinController*, TCustomForm*, std::string& name, bool&) { ++Forms, name = "SecondSkin"; }
  void SkinControl(TdxSkinController*, TWinControl*, bool& useSkin) { useSkin = false; }
};
CALDERAN_IMPLEMENT_CREATABLE(TSkinnedStoredForm, TForm, TComponent*)

TEST_F(SkinForm, TheControllerIsReadFromAStoredForm) {
  static constinit const TMethodInfo methods[] = {
      PublishedMethod<&TSkinnedStoredForm::SkinForm>("SkinForm"),
      PublishedMethod<&TSkinnedStoredForm::SkinControl>("SkinControl"),
  };
  RegisterPublishedMethods(TSkinnedStoredForm::StaticClass(), methods);
  TSkinnedStoredForm stored(nullptr, 0);
  ReadComponentText(
      "object F: TSkinnedStoredForm\n"
      "  object Skins: TdxSkinController\n"
      "    SkinName = 'TestSkin'\n"
      "    UseSkins = False\n"
      "    OnSkinForm = SkinForm\n"
      "    OnSkinControl = SkinControl\n"
      "  end\n"
      "end",
      "Stored", &stored);
  auto* skins = ObjectAs<TdxSkinController>(stored.FindComponent("Skins"));
  ASSERT_NE(skins, nullptr);
  EXPECT_EQ(skins->SkinName(), "TestSkin");
  EXPECT_FALSE(skins->UseSkins());
  std::string name;
  bool useSkin = true;
  EXPECT_EQ(skins->DoSkinForm(&stored, name, useSkin), SecondPainter());
  EXPECT_EQ(stored.Forms, 1);
  EXPECT_FALSE(skins->DoSkinControl(&stored));
  skins->SetUseSkins(true);
}
