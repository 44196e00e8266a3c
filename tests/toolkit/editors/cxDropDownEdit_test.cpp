#include "calderan_test.h"

#include <string>

#include "drop_down_fixture.h"

namespace {

// A drop-down editor whose popup holds nothing but asks for a fixed client size.
class TBoxDropDownEdit : public TcxCustomDropDownEdit {
 public:
  explicit TBoxDropDownEdit(TComponent* owner)
      : TcxCustomDropDownEdit(owner, TcxCustomDropDownEdit::StaticClassOperations(), false) {}
  bool CanDropDown() override { return true; }
  TSize GetPopupClientSize() override { return clientSize; }
  TSize clientSize{150, 60};
};

struct DropDownEdits : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&cxTextEditUnit});
  }
  DropDownEdits() {
    editor = new TBoxDropDownEdit(form.get());
    editor->SetAutoSize(false);  // the text editors do not measure their text yet
    Place(editor, 20, 20, 121, 21);
    other = Place(new TEdit(form.get()), 20, 100, 121, 21);
    log.Attach(editor->OwnDropDownProperties());
    PumpWhileBusy();
    editor->InnerTextEdit()->SetFocus();
    PumpWhileBusy();
  }
  // The editor's last close-up still reaches the log.
  ~DropDownEdits() override { form.reset(); }
  HWND Inner() { return editor->InnerTextEdit()->Handle(); }
  void Key(WORD key, bool alt = false) {
    SendKey(Inner(), key, alt);
    PumpWhileBusy();
  }
  bool Open() { return editor->DroppedDown(); }
  TcxCustomEditPopupWindow* Popup() { return editor->PopupWindow(); }
  TPoint ButtonCentre() {
    const TRect r = editor->GetViewInfo()->Button(0)->Bounds;
    return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  void ClickButton() {
    SendMouse(editor, WM_MOUSEMOVE, ButtonCentre());
    SendMouse(editor, WM_LBUTTONDOWN, ButtonCentre());
    SendMouse(editor, WM_LBUTTONUP, ButtonCentre());
    PumpWhileBusy();
  }
  void DropDownNow() {
    editor->SetDroppedDown(true);
    PumpWhileBusy();
    ASSERT_TRUE(Open());
  }
  TPoint ScreenOf(TControl* control, TPoint p) { return control->ClientToScreen(p); }
  TBoxDropDownEdit* editor;
  TEdit* other;
  TPopupLog log;
};

TEST_F(DropDownEdits, F4OpensAndClosesWithTheToggleReasonAndAltF4IsNotTaken) {
  Key(VK_F4);
  ASSERT_TRUE(Open());
  EXPECT_TRUE(IsWindowVisible(Popup()->Handle()));
  EXPECT_EQ(log.popups, 1);
  Key(VK_F4);
  EXPECT_FALSE(Open());
  EXPECT_FALSE(IsWindowVisible(Popup()->Handle()));
  EXPECT_EQ(log.reasons, std::vector<int>{pcrToggle});
  EXPECT_EQ(log.closeUps, 1);
  // Alt+F4 is not the editor's: it goes on to the window's own handling, which closes the form.
  Key(VK_F4, true);
  EXPECT_FALSE(Open());
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(DropDownEdits, AltDownOpensAndAltUpClosesWithTheToggleReason) {
  Key(VK_DOWN, true);
  ASSERT_TRUE(Open());
  Key(VK_UP, true);
  EXPECT_FALSE(Open());
  EXPECT_EQ(editor->CloseUpReason(), pcrToggle);
  Key(VK_UP, true);  // Alt+Up opens a closed popup as well
  EXPECT_TRUE(Open());
}

TEST_F(DropDownEdits, EscClosesWithoutBeingPassedOnAndASecondEscResetsTheEditor) {
  other->SetFocus();
  editor->SetEditValue(TVariant(std::string("abc")));
  editor->InnerTextEdit()->SetFocus();
  PumpWhileBusy();
  SendMessageA(Inner(), EM_SETSEL, 3, 3);
  SendMessageA(Inner(), WM_CHAR, 'x', 1);
  editor->OwnDropDownProperties()->SetImmediateDropDown(false);
  ASSERT_EQ(editor->Text(), "abcx");
  Key(VK_F4);
  ASSERT_TRUE(Open());
  Key(VK_ESCAPE);
  EXPECT_FALSE(Open());
  EXPECT_EQ(editor->CloseUpReason(), pcrCancel);
  EXPECT_EQ(editor->Text(), "abcx");
  Key(VK_ESCAPE);
  EXPECT_FALSE(Open());
  EXPECT_EQ(editor->Text(), "abc");
}

TEST_F(DropDownEdits, TheDropDownButtonOpensAndAClickOnItWhileOpenClosesWithoutReopening) {
  ClickButton();
  ASSERT_TRUE(Open());
  ClickButton();
  EXPECT_FALSE(Open());
  EXPECT_EQ(log.popups, 1);
  EXPECT_EQ(log.reasons, std::vector<int>{pcrNone});
  // The popup hooks see the press first and close the popup; the press itself then opens nothing.
  ClickButton();
  ASSERT_TRUE(Open());
  SendMouse(editor, WM_MOUSEMOVE, ButtonCentre());
  EXPECT_TRUE(ProcessPopupOutsideClick(editor->Handle(), WM_LBUTTONDOWN, ScreenOf(editor, ButtonCentre())));
  EXPECT_FALSE(Open());
  SendMouse(editor, WM_LBUTTONDOWN, ButtonCentre());
  SendMouse(editor, WM_LBUTTONUP, ButtonCentre());
  PumpWhileBusy();
  EXPECT_FALSE(Open());
  EXPECT_EQ(log.popups, 2);
}

TEST_F(DropDownEdits, ACharacterPostedToThePopupReachesTheFocusedControl) {
  editor->OwnDropDownProperties()->SetImmediateDropDown(false);
  DropDownNow();
  PostMessageA(Popup()->Handle(), CM_CXDROPDOWN_CHAR, 'q', 0);
  PumpWhileBusy();
  EXPECT_EQ(editor->Text(), "q");
  editor->SetDroppedDown(false);
  PostMessageA(Popup()->Handle(), CM_CXDROPDOWN_CHAR, 'r', 0);  // closed: dropped
  PumpWhileBusy();
  EXPECT_EQ(editor->Text(), "q");
}

TEST_F(DropDownEdits, TypingOpensThePopupWithImmediateDropDown) {
  SendMessageA(Inner(), WM_CHAR, 'a', 1);
  PumpWhileBusy();
  EXPECT_TRUE(Open());
  EXPECT_EQ(editor->Text(), "a");
}

TEST_F(DropDownEdits, AnExceptionFromOnInitPopupLeavesThePopupClosed) {
  struct TThrower {
    void Init(TObject*) { throw Exception("no"); }
  } thrower;
  editor->OwnDropDownProperties()->OnInitPopup = MakeEvent(&thrower, &TThrower::Init);
  EXPECT_THROW(editor->DropDown(), Exception);
  PumpWhileBusy();
  EXPECT_FALSE(Open());
  log.Attach(editor->OwnDropDownProperties());
  DropDownNow();  // the cycle starts afresh
  EXPECT_EQ(log.initPopups, 1);
}

// ---------------------------------------------------------------------------------------------
// The popup window's size, position and panel

TEST_F(DropDownEdits, ThePopupOpensBelowTheEditorAsWideAsItsContentAskOrTheEditor) {
  struct TCase {
    bool autoSize;
    int popupWidth;
    int expectedWidth;  // -1: the editor's
  };
  const TCase cases[] = {{false, 0, -1}, {false, 200, 200}, {true, 0, 150 + 2}};
  for (const TCase& c : cases) {
    editor->OwnDropDownProperties()->SetPopupAutoSize(c.autoSize);
    editor->OwnDropDownProperties()->SetPopupWidth(c.popupWidth);
    DropDownNow();
    // The popup meets the editor's hot-track rectangle (inside its transparent border).
    const TRect hot = editor->CalcHotTrackRect();
    EXPECT_EQ(TPoint(Popup()->Left(), Popup()->Top()), ScreenOf(editor, TPoint(hot.Left, hot.Bottom)));
    EXPECT_EQ(Popup()->Width(), c.expectedWidth < 0 ? hot.Width() : c.expectedWidth) << c.popupWidth;
    EXPECT_EQ(Popup()->PopupViewInfo()->GripCorner, pgcBottomRight);
    editor->SetDroppedDown(false);
  }
  editor->OwnDropDownProperties()->SetPopupWidth(-5);
  EXPECT_EQ(editor->OwnDropDownProperties()->PopupWidth(), 0);
}

TEST_F(DropDownEdits, NearTheWorkAreasEdgesThePopupTurnsAndItsGripFollows) {
  const TRect area = GetWorkAreaAtPoint(TPoint(0, 0));
  struct TCase {
    TPoint formAt;
    TcxPopupAlignHorz align;
    TcxPopupGripCorner corner;
  };
  const TCase cases[] = {
      {TPoint(area.Right - 200, 50), pahRight, pgcBottomLeft},
      {TPoint(50, area.Bottom - 80), pahLeft, pgcTopRight},
      {TPoint(area.Right - 200, area.Bottom - 80), pahRight, pgcTopLeft},
  };
  editor->clientSize = TSize(300, 60);
  for (const TCase& c : cases) {
    form->SetBounds(c.formAt.X, c.formAt.Y, 190, 70);
    editor->OwnDropDownProperties()->SetDropHorzAlign(c.align);
    PumpWhileBusy();
    DropDownNow();
    EXPECT_EQ(Popup()->PopupViewInfo()->GripCorner, c.corner) << c.formAt.X << "," << c.formAt.Y;
    const TRect popup = Popup()->BoundsRect();
    EXPECT_TRUE(popup.Right <= area.Right && popup.Bottom <= area.Bottom);
    editor->SetDroppedDown(false);
  }
}

TEST_F(DropDownEdits, ASizeablePopupWithAPanelIsNeverNarrowerThanCloseButtonGripAndMargin) {
  TcxCustomDropDownEditProperties* p = editor->OwnDropDownProperties();
  p->SetPopupSizeable(true);
  p->SetPopupSysPanelStyle(true);
  editor->Style()->SetPopupCloseButton(true);
  editor->clientSize = TSize(10, 30);
  DropDownNow();
  TcxCustomEditPopupWindowViewInfo* vi = Popup()->PopupViewInfo();
  ASSERT_FALSE(vi->CloseBtnRect.IsEmpty());
  ASSERT_FALSE(vi->GripHitRect.IsEmpty());
  const TRect e = vi->GetClientExtents();
  const int minimum = e.Left + e.Right + vi->CloseBtnRect.Width() + vi->GripHitRect.Width() + 10;
  EXPECT_EQ(Popup()->CalcMinSize().cx, minimum);
  int width = 1, height = 1;
  Popup()->CanResize(width, height);
  EXPECT_EQ(width, minimum);
  EXPECT_GE(height, e.Top + e.Bottom);
  // The panel runs along the bottom (the grip's edge), below the client area.
  EXPECT_GT(vi->GripHitRect.Top, vi->ClientRect.Bottom - 1);
  EXPECT_EQ(vi->GripHitRect.Right, vi->InnerSizingRect.Right);
}

TEST_F(DropDownEdits, DraggingTheGripResizesThePopupAndTheSizeIsKeptForTheNextTime) {
  TcxCustomDropDownEditProperties* p = editor->OwnDropDownProperties();
  p->SetPopupSizeable(true);
  p->SetPopupSysPanelStyle(true);
  DropDownNow();
  const int width = Popup()->Width(), height = Popup()->Height();
  const TRect grip = Popup()->PopupViewInfo()->GripHitRect;
  const TPoint at((grip.Left + grip.Right) / 2, (grip.Top + grip.Bottom) / 2);
  SendMouse(Popup(), WM_LBUTTONDOWN, at);
  EXPECT_TRUE(PopupSizingState().Active);
  EXPECT_EQ(PopupSizingState().Horz, 1);
  EXPECT_EQ(PopupSizingState().Vert, 1);
  SendMouse(Popup(), WM_MOUSEMOVE, TPoint(at.X + 40, at.Y + 25));
  SendMouse(Popup(), WM_LBUTTONUP, TPoint(at.X + 40, at.Y + 25));
  PumpWhileBusy();
  EXPECT_FALSE(PopupSizingState().Active);
  EXPECT_EQ(Popup()->Width(), width + 40);
  EXPECT_EQ(Popup()->Height(), height + 25);
  EXPECT_TRUE(editor->PopupSizeChanged());
  editor->SetDroppedDown(false);
  EXPECT_EQ(p->PopupWidth(), width + 40);
  EXPECT_EQ(p->PopupHeight(), height + 25);
  p->SetPopupAutoSize(false);
  DropDownNow();
  EXPECT_EQ(Popup()->Width(), width + 40);
  editor->SetDroppedDown(false);
  p->SetPopupSizeable(false);  // forgets that the user sized it
  EXPECT_FALSE(editor->PopupSizeChanged());
}

TEST_F(DropDownEdits, TheCloseButtonClosesOnlyWhenReleasedOverIt) {
  editor->OwnDropDownProperties()->SetPopupSysPanelStyle(true);
  editor->Style()->SetPopupCloseButton(true);
  DropDownNow();
  const TRect r = Popup()->PopupViewInfo()->CloseBtnRect;
  ASSERT_FALSE(r.IsEmpty());
  const TPoint on((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  SendMouse(Popup(), WM_LBUTTONDOWN, on);
  EXPECT_EQ(Popup()->PopupViewInfo()->CloseBtnState, cxbsPressed);
  SendMouse(Popup(), WM_MOUSEMOVE, TPoint(on.X + 60, on.Y));
  SendMouse(Popup(), WM_LBUTTONUP, TPoint(on.X + 60, on.Y));
  PumpWhileBusy();
  EXPECT_TRUE(Open());
  EXPECT_EQ(Popup()->PopupViewInfo()->CloseBtnState, cxbsNormal);
  SendMouse(Popup(), WM_MOUSEMOVE, on);
  SendMouse(Popup(), WM_LBUTTONDOWN, on);
  SendMouse(Popup(), WM_LBUTTONUP, on);
  PumpWhileBusy();
  EXPECT_FALSE(Open());
  EXPECT_EQ(log.reasons, std::vector<int>{pcrNone});
}

TEST_F(DropDownEdits, ThePopupPaintsItsBorderAndPanelWithAShadowCutAwayFromTheEditor) {
  editor->Style()->SetShadow(true);
  editor->OwnDropDownProperties()->SetPopupSysPanelStyle(true);
  DropDownNow();
  TcxCustomEditPopupWindow* popup = Popup();
  ASSERT_TRUE(popup->Shadow());
  UpdateWindow(popup->Handle());
  HDC dc = GetDC(popup->Handle());
  const COLORREF corner = GetPixel(dc, 0, 0);
  const COLORREF client = GetPixel(dc, popup->PopupViewInfo()->ClientRect.Left + 2, popup->PopupViewInfo()->ClientRect.Top + 2);
  const COLORREF shadow = GetPixel(dc, popup->Width() - 2, popup->Height() / 2);
  ReleaseDC(popup->Handle(), dc);
  EXPECT_EQ(corner, GetSysColor(COLOR_BTNTEXT));  // the ultra-flat look's single border
  EXPECT_EQ(client, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(shadow, GetSysColor(COLOR_BTNSHADOW));
  // The region takes the shadow's corner away: the window is not a plain rectangle.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(popup->Handle(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, popup->Width() - 1, 0));
  DeleteObject(region);
}

}  // namespace
