#include "calderan_test.h"

#include <memory>

#include "FormReader.h"
#include "RzFrameController.h"
#include "RzEdit.h"
#include "RzFramedTypes.h"
#include "RzSpnEdt.h"
#include "TypInfo.h"
#include "framed_fixture.h"

// A control that publishes some of the settings a controller writes (as the framed edits do).
class TFramedProbe : public TCustomControl {
  CALDERAN_CLASS(TFramedProbe)
  explicit TFramedProbe(TComponent* owner) : TCustomControl(owner) {}
  TFrameStyle FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle v) { frameStyle_ = v, ++writes; }
  TColor FrameColor() const { return frameColor_; }
  void SetFrameColor(TColor v) { frameColor_ = v, ++writes; }
  TColor FocusColor() const { return focusColor_; }
  void SetFocusColor(TColor v) { focusColor_ = v, ++writes; }
  TSides FrameSides() const { return frameSides_; }
  void SetFrameSides(TSides v) { frameSides_ = v, ++writes; }
  bool FrameVisible() const { return frameVisible_; }
  void SetFrameVisible(bool v) { frameVisible_ = v, ++writes; }
  TFrameStyle frameStyle_ = fsNone;
  TColor frameColor_ = clBlack, focusColor_ = clBlack;
  TSides frameSides_;
  bool frameVisible_ = false;
  int writes = 0;
};
// The same with a set of settings it accepts.
class TSelectiveProbe : public TFramedProbe {
  CALDERAN_CLASS(TSelectiveProbe)
  using TFramedProbe::TFramedProbe;
  TRzFrameControllerNotifications Notifications() const { return notifications_; }
  void SetNotifications(TRzFrameControllerNotifications v) { notifications_ = v; }
  TRzFrameControllerNotifications notifications_ = AllFrameControllerNotifications();
};
// A control that reads the settings itself.
class TListeningProbe : public TFramedProbe, public IFrameSettingsListener {
  CALDERAN_CLASS(TListeningProbe)
  using TFramedProbe::TFramedProbe;
  void FrameSettingsChanged() override { ++told; }
  int told = 0;
};
CALDERAN_IMPLEMENT_CREATABLE(TFramedProbe, TCustomControl, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TSelectiveProbe, TFramedProbe, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TListeningProbe, TFramedProbe, TComponent*)

namespace {
constinit const TPropInfo probeProps[] = {
    Published<&TFramedProbe::FrameStyle, &TFramedProbe::SetFrameStyle>("FrameStyle", &FrameStyleInfo),
    Published<&TFramedProbe::FrameColor, &TFramedProbe::SetFrameColor>("FrameColor"),
    Published<&TFramedProbe::FocusColor, &TFramedProbe::SetFocusColor>("FocusColor"),
    Published<&TFramedProbe::FrameSides, &TFramedProbe::SetFrameSides>("FrameSides", &SideInfo),
    Published<&TFramedProbe::FrameVisible, &TFramedProbe::SetFrameVisible>("FrameVisible"),
};
constinit const TPropInfo selectiveProps[] = {
    Published<&TSelectiveProbe::Notifications, &TSelectiveProbe::SetNotifications>("FrameControllerNotifications",
                                                                                   &FrameControllerConnectionInfo),
};

class RzFrameController : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    StartFramedTestUnits();
    RegisterPublishedProperties(TFramedProbe::StaticClass(), probeProps);
    RegisterPublishedProperties(TSelectiveProbe::StaticClass(), selectiveProps);
    RegisterClasses({TFramedProbe::StaticClass()});
  }
};

TEST_F(RzFrameController, LinkedControlsReceiveWhatTheyPublishAndAccept) {
  TRzFrameController controller(nullptr);
  controller.SetFrameStyle(fsGroove);
  TFramedProbe plain(nullptr);
  TSelectiveProbe selective(nullptr);
  selective.notifications_.Exclude(fcpFrameStyle);
  controller.AddControl(&plain);
  controller.AddControl(&selective);
  EXPECT_EQ(plain.frameStyle_, fsGroove);        // every setting it publishes
  EXPECT_EQ(plain.frameColor_, clBtnShadow);
  EXPECT_EQ(plain.frameSides_, sdAllSides);
  EXPECT_EQ(selective.frameStyle_, fsNone);      // refused
  EXPECT_EQ(selective.frameColor_, clBtnShadow);
  controller.SetFrameStyle(fsLowered);
  EXPECT_EQ(plain.frameStyle_, fsLowered);
  EXPECT_EQ(selective.frameStyle_, fsNone);
  // an unchanged value writes nothing
  const int writes = plain.writes;
  controller.SetFrameStyle(fsLowered);
  EXPECT_EQ(plain.writes, writes);
}

TEST_F(RzFrameController, ColourMovesTheFocusColourAlongButSendsOnlyTheColour) {
  TRzFrameController controller(nullptr);
  TFramedProbe probe(nullptr);
  controller.AddControl(&probe);
  controller.SetColor(clInfoBk);  // FocusColor was equal to Color (clWindow)
  EXPECT_EQ(controller.FocusColor(), clInfoBk);
  EXPECT_EQ(probe.focusColor_, clWindow);  // until the next full update
  controller.BeginUpdate();
  controller.EndUpdate();
  EXPECT_EQ(probe.focusColor_, clInfoBk);
}

TEST_F(RzFrameController, UpdatesAreHeldBackUntilTheLastEndUpdate) {
  TRzFrameController controller(nullptr);
  TFramedProbe probe(nullptr);
  controller.AddControl(&probe);
  controller.BeginUpdate();
  controller.BeginUpdate();
  controller.SetFrameStyle(fsRaised);
  controller.SetFrameColor(clRed);
  controller.EndUpdate();
  EXPECT_EQ(probe.frameStyle_, fsFlat);
  controller.EndUpdate();
  EXPECT_EQ(probe.frameStyle_, fsRaised);
  EXPECT_EQ(probe.frameColor_, clRed);
  // hot tracking shows the frame on every side
  controller.SetFrameSides({sdTop});
  controller.SetFrameHotTrack(true);
  EXPECT_TRUE(probe.frameVisible_);
  EXPECT_EQ(controller.FrameSides(), sdAllSides);
}

// The framed edits publish the settings under the controller's names and take them like any
// control that does (they once listened, and did nothing when told).
TEST_F(RzFrameController, MaskAndSpinEditsTakeTheSettings) {
  TRzFrameController controller(nullptr);
  controller.SetFrameStyle(fsGroove);
  controller.SetFrameColor(clRed);
  controller.SetFocusColor(clInfoBk);
  controller.SetFrameVisible(true);
  TRzMaskEdit mask(nullptr);
  TRzSpinEdit spin(nullptr);
  TRzCustomEdit* const edits[] = {&mask, &spin};
  for (TRzCustomEdit* edit : edits) {
    edit->SetFrameController(&controller);
    EXPECT_EQ(edit->FrameStyle(), fsGroove) << edit->ClassName();
    EXPECT_EQ(edit->FrameColor(), clRed) << edit->ClassName();
    EXPECT_EQ(edit->FocusColor(), clInfoBk) << edit->ClassName();
    EXPECT_TRUE(edit->FrameVisible()) << edit->ClassName();
  }
  EXPECT_TRUE(spin.FlatButtons()) << "the controller's flat buttons";
  controller.SetFrameStyle(fsFlatRounded);
  for (TRzCustomEdit* edit : edits) EXPECT_EQ(edit->FrameStyle(), fsFlatRounded) << edit->ClassName();
  for (TRzCustomEdit* edit : edits) edit->SetFrameController(nullptr);
}

TEST_F(RzFrameController, ListenersAreToldInsteadOfWritten) {
  TRzFrameController controller(nullptr);
  TListeningProbe probe(nullptr);
  controller.AddControl(&probe);
  controller.SetFrameColor(clLime);
  EXPECT_EQ(probe.told, 2);
  EXPECT_EQ(probe.frameColor_, clBlack);
}

TEST_F(RzFrameController, AFreedControlLeavesTheController) {
  TRzFrameController controller(nullptr);
  auto first = std::make_unique<TFramedProbe>(nullptr);
  TFramedProbe second(nullptr);
  controller.AddControl(first.get());
  controller.AddControl(&second);
  first.reset();
  EXPECT_EQ(controller.ControlCount(), 1);
  controller.SetFrameStyle(fsPopup);  // would write into the freed control
  EXPECT_EQ(second.frameStyle_, fsPopup);
  controller.RemoveControl(&second);
  EXPECT_EQ(controller.ControlCount(), 0);
}

TEST_F(RzFrameController, OldStoredFormsLoad) {
  TForm form(nullptr, 0);
  ReadComponentText(
      "object F: TForm\n"
      "  object Frames: TRzFrameController\n"
      "    FrameFlat = True\n"
      "    FrameFlatStyle = fsGroove\n"
      "  end\n"
      "  object Focus: TRzFrameController\n"
      "    FrameFocusStyle = fsRaised\n"
      "  end\n"
      "end",
      "Old", &form);
  auto* frames = ObjectAs<TRzFrameController>(form.FindComponent("Frames"));
  ASSERT_NE(frames, nullptr);
  EXPECT_TRUE(frames->FrameHotTrack());
  EXPECT_EQ(frames->FrameStyle(), fsStatus);
  EXPECT_EQ(frames->FrameHotStyle(), fsLowered);
  EXPECT_EQ(ObjectAs<TRzFrameController>(form.FindComponent("Focus"))->FrameHotStyle(), fsRaised);
}

}  // namespace
