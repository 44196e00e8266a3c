#include "calderan_test.h"

#include <memory>
#include <string>

#include "ActnList.h"
#include "BinaryFiler.h"
#include "cxCheckBox.h"
#include "cxGeometry.h"
#include "editors_fixture.h"

namespace {

// Counts the check box's events.
struct TEventLog {
  int clicks = 0, changes = 0, valueChanges = 0;
  void Clicked(TObject*) { ++clicks; }
  void Changed(TObject*) { ++changes; }
  void ValueChanged(TObject*) { ++valueChanges; }
};

struct CheckBoxes : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&cxCheckBoxUnit});
  }
  CheckBoxes() {
    box = Place(new TcxCheckBox(form.get()), 10, 10, 150, 21);
    box->SetCaption("&Show Preview");
    box->OnClick = MakeEvent(&log, &TEventLog::Clicked);
    box->Properties()->OnChange = MakeEvent(&log, &TEventLog::Changed);
    box->Properties()->OnEditValueChanged = MakeEvent(&log, &TEventLog::ValueChanged);
    PumpWhileBusy();
  }
  TPoint BoxCentre() const {
    const TRect r = box->CheckBoxViewInfo()->CheckBoxRect;
    return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  // The message, with the cursor put where it says (the editor's own refreshes ask the cursor).
  void Send(UINT message, WPARAM wParam, TPoint at) {
    POINT screen{at.X, at.Y};
    ClientToScreen(box->Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(box->Handle(), message, wParam, ClientPoint(at.X, at.Y));
  }
  // Sent mouse messages do not change what the thread's key state says of the button: the
  // editor's own refreshes (a paint between press and release) read it.
  static void HoldLeftButton(bool held) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_LBUTTON] = held ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  void Press(TPoint at) {
    HoldLeftButton(true);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, at);
  }
  void Release(TPoint at) {
    HoldLeftButton(false);
    Send(WM_LBUTTONUP, 0, at);
  }
  void ClickAt(TPoint at) {
    Send(WM_MOUSEMOVE, 0, at);
    Press(at);
    Release(at);
    PumpWhileBusy();
  }
  void Key(UINT message, WPARAM key) {
    SendMessageA(box->Handle(), message, key, message == WM_KEYUP ? 0xC0000001 : 1);
    PumpWhileBusy();
  }
  // What the window shows, read back from its surface.
  COLORREF ShownAt(TPoint at) {
    UpdateWindow(box->Handle());
    HDC dc = GetDC(box->Handle());
    const COLORREF color = GetPixel(dc, at.X, at.Y);
    ReleaseDC(box->Handle(), dc);
    return color;
  }
  std::string ShownBox() {
    UpdateWindow(box->Handle());
    const TRect r = box->CheckBoxViewInfo()->CheckBoxRect;
    HDC dc = GetDC(box->Handle());
    std::string pixels;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) pixels += std::to_string(GetPixel(dc, x, y)) + ",";
    ReleaseDC(box->Handle(), dc);
    return pixels;
  }
  TEventLog log;
  TcxCheckBox* box;
};

TEST_F(CheckBoxes, ANewCheckBoxIsUncheckedWithItsDefaults) {
  TcxCheckBoxProperties* p = box->Properties();
  EXPECT_EQ(box->State(), cbsUnchecked);
  EXPECT_TRUE(VariantsEqualExact(box->EditValue(), TVariant(false)));
  EXPECT_EQ(box->Width(), 150);
  EXPECT_EQ(p->GlyphCount(), 6);
  EXPECT_EQ(p->NullStyle(), nssGrayedChecked);
  EXPECT_EQ(p->DisplayChecked(), u"True");
  EXPECT_EQ(p->DisplayUnchecked(), u"False");
  EXPECT_EQ(p->GetSupportedOperations(), 1453);
  EXPECT_TRUE(p->IsActivationKey(' '));
  EXPECT_TRUE(box->Style()->Is<TcxCheckBoxStyle>());
  EXPECT_FALSE(box->Style()->HasBorder());
  TcxCheckBox fresh(form.get());
  EXPECT_EQ(fresh.Width(), 121);
  EXPECT_GE(GetEditPropertiesRegistry()->Count(), 1);
}

TEST_F(CheckBoxes, ClicksOnTheBoxCycleThroughTheStates) {
  struct Case {
    bool allowGrayed;
    std::string states;
  };
  const Case cases[] = {{true, "210"}, {false, "101"}};
  for (const Case& c : cases) {
    box->SetState(cbsUnchecked);
    box->Properties()->SetAllowGrayed(c.allowGrayed);
    log = {};
    std::string states;
    for (int i = 0; i < 3; ++i) ClickAt(BoxCentre()), states += char('0' + box->State());
    EXPECT_EQ(states, c.states) << c.allowGrayed;
    EXPECT_EQ(log.clicks, 3);
    EXPECT_EQ(log.changes, 3);
    EXPECT_EQ(log.valueChanges, 3);
  }
  // A grayed box always goes to checked; a click on the caption toggles too.
  box->Properties()->SetAllowGrayed(false);
  box->SetState(cbsGrayed);
  ClickAt(TPoint(100, 10));
  EXPECT_EQ(box->State(), cbsChecked);
}

TEST_F(CheckBoxes, PressingMovingOffAndReleasingDoesNotToggle) {
  const TPoint over = BoxCentre(), outside(box->Width() + 20, 5);
  Send(WM_MOUSEMOVE, 0, over);
  Press(over);
  EXPECT_EQ(box->CheckBoxViewInfo()->CheckState, ecsPressed);
  Send(WM_MOUSEMOVE, MK_LBUTTON, outside);
  EXPECT_EQ(box->CheckBoxViewInfo()->CheckState, ecsNormal);
  Release(outside);
  PumpWhileBusy();
  EXPECT_EQ(box->State(), cbsUnchecked);
  EXPECT_EQ(log.clicks, 0);
}

TEST_F(CheckBoxes, HoldingSpaceShowsThePressedBoxAndReleasingTogglesOnce) {
  box->SetFocus();
  PumpWhileBusy();
  const std::string normal = ShownBox();
  Key(WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(box->CheckBoxViewInfo()->CheckState, ecsPressed);
  EXPECT_NE(ShownBox(), normal);
  Key(WM_KEYDOWN, VK_SPACE);  // the key repeats
  EXPECT_EQ(box->State(), cbsUnchecked);
  Key(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(box->State(), cbsChecked);
  EXPECT_EQ(box->CheckBoxViewInfo()->CheckState, ecsNormal);
  EXPECT_EQ(log.clicks, 1);
  Key(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(box->State(), cbsChecked);
}

TEST_F(CheckBoxes, TheAcceleratorFocusesAndToggles) {
  TcxCheckBox other(form.get());
  other.SetParent(form.get());
  other.SetFocus();
  PumpWhileBusy();
  TMessage m{CM_DIALOGCHAR, 'S', 0, 0};
  box->Dispatch(m);
  EXPECT_EQ(m.Result, 1);
  EXPECT_TRUE(box->Focused());
  EXPECT_EQ(box->State(), cbsChecked);
  TMessage miss{CM_DIALOGCHAR, 'x', 0, 0};
  box->Dispatch(miss);
  EXPECT_EQ(miss.Result, 0);
  EXPECT_EQ(box->State(), cbsChecked);
}

TEST_F(CheckBoxes, OwnValuesMapToStatesAndRefuseDuplicates) {
  TcxCheckBoxProperties* p = box->Properties();
  p->SetValueChecked(TVariant(std::string("Y")));
  p->SetValueUnchecked(TVariant(std::string("N")));
  box->SetEditValue(TVariant(std::string("Y")));
  EXPECT_TRUE(box->Checked());
  box->SetEditValue(TVariant(true));  // "True" as text: none of the values
  EXPECT_EQ(box->State(), cbsGrayed);
  EXPECT_FALSE(box->Checked());
  p->SetValueChecked(TVariant::Null());
  p->SetValueUnchecked(TVariant(std::string("Y")));
  EXPECT_TRUE(VariantsEqualExact(p->ValueChecked(), TVariant(std::string("Y"))));
  EXPECT_TRUE(VariantsEqualExact(p->ValueUnchecked(), TVariant(std::string("N"))));
  box->SetChecked(false);
  EXPECT_TRUE(VariantsEqualExact(box->EditValue(), TVariant(std::string("N"))));
  EXPECT_EQ(p->FormatDisplayValue(TVariant(std::string("N"))), u"False");
  EXPECT_TRUE(p->EditValuesEqual(TVariant(std::string("Q")), TVariant::Null()));
}

TEST_F(CheckBoxes, NullShowsAGreyedMarkUnlessTheNullStyleSaysUnchecked) {
  const std::string unchecked = ShownBox();
  box->SetEditValue(TVariant::Null());
  EXPECT_EQ(box->State(), cbsGrayed);
  const std::string grayed = ShownBox();
  EXPECT_NE(grayed, unchecked);
  box->Properties()->SetNullStyle(nssUnchecked);
  EXPECT_EQ(ShownBox(), unchecked);
  EXPECT_EQ(box->State(), cbsGrayed);
  box->SetChecked(true);
  EXPECT_NE(ShownBox(), unchecked);
}

TEST_F(CheckBoxes, SettingValuesByCodeFiresClickAndChangeOnlyOnAChange) {
  box->SetChecked(true);
  EXPECT_EQ(log.clicks, 1);
  EXPECT_EQ(log.changes, 1);
  box->SetChecked(true);
  EXPECT_EQ(log.clicks, 1);
  box->SetState(cbsGrayed);
  EXPECT_EQ(log.clicks, 2);
  EXPECT_EQ(log.valueChanges, 2);
}

TEST_F(CheckBoxes, ACaptionAssignedToThePropertiesBecomesTheControls) {
  box->Properties()->SetCaption("Convert &all");
  EXPECT_EQ(box->Caption(), "Convert &all");
  EXPECT_FALSE(box->Properties()->CaptionAssigned());
}

TEST_F(CheckBoxes, AGlyphStripPaintsThePieceOfTheState) {
  TBitmap strip;
  strip.SetSize(6 * 13, 13);
  for (int i = 0; i < 6; ++i) {
    strip.Canvas()->Brush()->SetColor(static_cast<TColor>(0x202020 * (i + 1)));
    strip.Canvas()->FillRect(TRect(i * 13, 0, (i + 1) * 13, 13));
  }
  strip.Canvas()->SetPixel(0, 12, clFuchsia);
  strip.SetTransparentColor(clFuchsia);
  box->Properties()->SetGlyph(&strip);
  box->SetChecked(true);
  PumpWhileBusy();
  EXPECT_EQ(RectWidth(box->CheckBoxViewInfo()->CheckBoxRect), 13);
  EXPECT_EQ(ShownAt(BoxCentre()), ColorToRGB(0x202020 * 2));
  Send(WM_MOUSEMOVE, 0, BoxCentre());
  Press(BoxCentre());
  ASSERT_EQ(box->CheckBoxViewInfo()->CheckState, ecsPressed);
  EXPECT_EQ(ShownAt(BoxCentre()), ColorToRGB(0x202020 * 5));  // pressed checked: piece 4
  Release(BoxCentre());
  EXPECT_EQ(box->State(), cbsUnchecked);
}

TEST_F(CheckBoxes, InPlaceTheBoxIsCentredWithoutCaption) {
  auto* inPlace = Place(new TcxCheckBox(form.get(), true), 10, 50, 60, 20);
  inPlace->SetCaption("Hidden");
  PumpWhileBusy();
  inPlace->ShortRefresh();
  TcxCustomCheckBoxViewInfo* v = inPlace->CheckBoxViewInfo();
  EXPECT_EQ(v->Alignment, taLeftJustify);  // a caption keeps the alignment
  inPlace->SetCaption("");
  inPlace->ShortRefresh();
  EXPECT_EQ(v->Alignment, taCenter);
  const int centre = (v->CheckBoxRect.Left + v->CheckBoxRect.Right) / 2;
  EXPECT_NEAR(centre, 30, 1);
}

TEST_F(CheckBoxes, TheCaptionIsPaintedBesideTheBox) {
  box->Style()->SetTextColor(clRed);
  PumpWhileBusy();
  const TRect text = box->CheckBoxViewInfo()->TextArea;
  EXPECT_GE(text.Left, box->CheckBoxViewInfo()->CheckBoxRect.Right);
  box->Repaint();
  HDC dc = GetDC(box->Handle());
  int red = 0;
  for (int y = text.Top; y < text.Bottom; ++y)
    for (int x = text.Left; x < text.Right; ++x) red += GetPixel(dc, x, y) == ColorToRGB(clRed);
  ReleaseDC(box->Handle(), dc);
  EXPECT_GT(red, 20);
}

TEST_F(CheckBoxes, ALinkedActionsCheckedStateReachesTheBoxWithoutAClick) {
  auto* action = new TAction(form.get());
  action->SetCaption("Preview");
  action->SetChecked(true);
  box->SetAction(action);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(box->Caption(), "Preview");
  EXPECT_EQ(log.clicks, 0);
  EXPECT_FALSE(box->IsStateStored()) << "the action holds the state";
  action->SetChecked(false);
  EXPECT_EQ(box->State(), cbsUnchecked);
  EXPECT_EQ(log.clicks, 0);
  // The box's own state, differing from the action's, is its to store.
  box->SetChecked(true);
  EXPECT_TRUE(box->IsStateStored());
  box->SetAction(nullptr);
  delete action;
}

// A user's toggle (a click or Space) runs the linked action, whose auto-check then agrees with
// the box; a state set by code tells OnClick but leaves the action alone, so the state stays
// what the code set even while the action disagrees.
TEST_F(CheckBoxes, AToggleRunsTheLinkedActionAndAStateSetByCodeDoesNot) {
  struct Case {
    const char* gesture;
    void (*toggle)(CheckBoxes&);
  };
  const Case cases[] = {
      {"click", [](CheckBoxes& t) { t.ClickAt(t.BoxCentre()); }},
      {"Space", [](CheckBoxes& t) { t.Key(WM_KEYDOWN, VK_SPACE), t.Key(WM_KEYUP, VK_SPACE); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gesture);
    auto* action = new TAction(form.get());
    action->SetAutoCheck(true);
    box->SetAction(action);
    box->SetFocus();
    int runs = 0;
    struct TRuns {
      int& count;
      void Run(TObject*) { ++count; }
    } counter{runs};
    action->OnExecute = MakeEvent(&counter, &TRuns::Run);
    log.clicks = 0;
    box->SetChecked(true);
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(action->Checked());
    EXPECT_EQ(log.clicks, 1) << "the box's own OnClick hears of a state set by code";
    box->OnClick = nullptr;  // the box's own OnClick would be run in place of the action
    box->SetChecked(false);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(runs, 0);
    c.toggle(*this);
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(action->Checked());
    EXPECT_EQ(runs, 1);
    box->SetAction(nullptr);
    delete action;
    box->OnClick = MakeEvent(&log, &TEventLog::Clicked);
    box->SetChecked(false);
  }
}

// A box written as a stored form keeps what differs from the defaults; read back, it is the same box.
TEST_F(CheckBoxes, AStoredBoxReadsBackWithItsSettingsAndState) {
  TcxCheckBoxProperties* p = box->Properties();
  p->SetAllowGrayed(true);
  p->SetBoxAlignment(taRightJustify);
  p->SetNullStyle(nssInactive);
  p->SetGlyphCount(3);
  p->SetMultiLine(true);
  box->SetState(cbsGrayed);
  TMemoryStream stream;
  TBinaryFormWriter(&stream).WriteProperties(box);
  auto* copy = Place(new TcxCheckBox(form.get()), 10, 40, 150, 21);
  stream.SetPosition(0);
  TBinaryFormReader(&stream).ReadProperties(copy);
  EXPECT_TRUE(copy->Properties()->AllowGrayed());
  EXPECT_EQ(copy->Properties()->BoxAlignment(), taRightJustify);
  EXPECT_EQ(copy->Properties()->NullStyle(), nssInactive);
  EXPECT_EQ(copy->Properties()->GlyphCount(), 3);
  EXPECT_TRUE(copy->Properties()->MultiLine());
  EXPECT_EQ(copy->State(), cbsGrayed);
  struct Case {
    TObject* object;
    const char* name;
    bool stored;
  } cases[] = {{copy, "State", true}, {copy, "Checked", false}, {copy->Properties(), "Caption", false},
               {copy->Properties(), "ReadOnly", false}, {copy->Properties(), "Alignment", true}};
  for (const Case& c : cases) {
    const TPropInfo* prop = FindPublishedProperty(c.object->ClassType(), c.name);
    ASSERT_NE(prop, nullptr) << c.name;
    EXPECT_EQ(IsStoredProp(c.object, prop), c.stored) << c.name;
  }
  copy->SetState(cbsUnchecked);
  EXPECT_FALSE(IsStoredProp(copy, FindPublishedProperty(copy->ClassType(), "State")));
}

}  // namespace
