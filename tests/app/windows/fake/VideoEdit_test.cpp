#include "calderan_test.h"

#include <map>
#include <memory>
#include <string>

#include "FakeEngine.h"
#include "RzBmpBtn.h"
#include "RzEdit.h"
#include "RzPanel.h"
#include "RzSpnEdt.h"
#include "RzTabs.h"
#include "RzTrkBar.h"
#include "SkinColours.h"
#include "SysUtils.h"
#include "VideoEdit.h"
#include "cxButtons.h"
#include "windows_fixture.h"

namespace {

constexpr int64_t kSecond = 10000000;  // 100-ns ticks

bool Called(const std::string& call) {
  for (const std::string& c : Fake().Calls)
    if (c == call) return true;
  return false;
}

class VideoEditTest : public WindowsFixture {
 protected:
  void SetUp() override {
    Fake().Reset();
    form.reset(CreateForm<TFormVideoEdit>(nullptr));
    task.StartTime = 5 * kSecond;
    task.EndTime = 20 * kSecond;
    task.CropRect = {0, 0, 720, 576};
    Video(720, 576);
  }
  void TearDown() override {
    if (form->Visible()) form->Close();
    form.reset();
  }
  void Video(int w, int h) {
    context.Path = "Z:\\clips\\a clip.avi";
    context.HasVideo = w > 0;
    context.Width = w;
    context.Height = h;
    context.Duration = 60 * kSecond;
    context.TaskInfo = &task;
  }
  void Open() {
    form->OpenFile(&player, &context);
    form->Show();
  }
  // The selection-rectangle window: the one child of the crop panel.
  RECT CropWindowBounds() {
    HWND window = GetWindow(form->PanelCrop->Handle(), GW_CHILD);
    RECT r{-1, -1, -1, -1};
    if (!window) return r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, form->PanelCrop->Handle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  void Report(int l, int t, int r, int b) {
    int32_t edges[4] = {l, t, r, b};
    SendMessageA(form->Handle(), WM_USER + 100, reinterpret_cast<WPARAM>(edges), 0);
  }
  std::string Spins() {
    return std::to_string(form->speLeft->IntValue()) + "," + std::to_string(form->speTop->IntValue()) + "," +
           std::to_string(form->speRight->IntValue()) + "," + std::to_string(form->speBottom->IntValue());
  }
  static std::string Text(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
  }
  TModalResult ClickOK() {
    form->SetModalResult(mrNone);
    form->ButtonOK->Click();
    return form->ModalResult();
  }

  std::unique_ptr<TFormVideoEdit> form;
  TMediaPlayer player;
  TTaskInfo task;
  TPlayContext context;
};

TEST_F(VideoEditTest, StoredFormLaysOutTheDialog) {
  EXPECT_EQ(form->Caption(), "Edit");
  EXPECT_EQ(form->ClientWidth(), 640);
  EXPECT_EQ(form->ClientHeight(), 367);
  ASSERT_EQ(form->pgcClip->PageCount(), 3);
  EXPECT_EQ(form->pgcClip->Pages(0)->Caption(), "Effect");
  EXPECT_EQ(form->pgcClip->Pages(1)->Caption(), "Trim");
  EXPECT_EQ(form->pgcClip->Pages(2)->Caption(), "Crop");
  EXPECT_EQ(form->trbVolume->Min(), 50);
  EXPECT_EQ(form->trbVolume->Max(), 500);
  EXPECT_EQ(form->trbBrightness->Min(), -127);
  EXPECT_EQ(form->edtStart->EditMask(), "!00:00:00.000;1;_");
  EXPECT_EQ(form->RangeSlider->Left(), 296);
  EXPECT_EQ(form->RangeSlider->Width(), 337);
  EXPECT_EQ(form->RangeSlider->imgBackground->Left(), 8);
  EXPECT_EQ(form->RangeSlider->imgBackground->Width(), 321);
  EXPECT_EQ(form->cbLetterBox->Items()->Count(), 4);
  EXPECT_EQ(form->TimerUpdatePos->Interval(), 100u);
  EXPECT_EQ(form->tmrUpdateCrop->Interval(), 300u);
  EXPECT_FALSE(form->PanelCrop->Visible());
}

TEST_F(VideoEditTest, OpeningSeeksToTheRangeAndPlacesTheSlider) {
  Open();
  EXPECT_TRUE(Called("MediaPlayer_Seek(50000000,150000000)"));
  EXPECT_EQ(form->edtStart->Text(), "00:00:05.000");
  EXPECT_EQ(form->edtEnd->Text(), "00:00:20.000");
  EXPECT_EQ(form->edtLength->Text(), "00:00:15.000");
  EXPECT_EQ(form->RangeSlider->Start(), 5000);
  EXPECT_EQ(form->RangeSlider->End(), 20000);
  EXPECT_EQ(form->RangeSlider->Position(), 5000);
}

// Mended: the preview always plays with the clip's own effects.
TEST_F(VideoEditTest, OpeningPushesTheEffectsEvenWhenTheBarsAlreadyStandThere) {
  task.Volume = 100;
  task.Brightness = -20;
  task.Contrast = 0;
  Open();
  form->Close();
  Fake().Calls.clear();
  Open();  // the bars already hold 100, -20 and 0
  EXPECT_TRUE(Called("MediaPlayer_SetVolume(100)"));
  EXPECT_TRUE(Called("MediaPlayer_SetBrightness(-20)"));
  EXPECT_TRUE(Called("MediaPlayer_SetContrast(0)"));
  EXPECT_EQ(form->lblBrightness->Caption(), "-20%");
}

TEST_F(VideoEditTest, EffectLabelsAndReset) {
  Open();
  struct TCase {
    TRzTrackBar* bar;
    int value;
    TLabel* label;
    const char* text;
  };
  const TCase cases[] = {{form->trbBrightness, -20, form->lblBrightness, "-20%"},
                         {form->trbContrast, 127, form->lblContrast, "127%"},
                         {form->trbVolume, 250, form->lblVolume, "250%"}};
  for (const TCase& c : cases) {
    c.bar->SetPosition(c.value);
    EXPECT_EQ(c.label->Caption(), c.text);
  }
  EXPECT_TRUE(Called("MediaPlayer_SetVolume(250)"));
  form->btnResetEffect->Click();
  EXPECT_EQ(form->trbBrightness->Position(), 0);
  EXPECT_EQ(form->trbContrast->Position(), 0);
  EXPECT_EQ(form->trbVolume->Position(), 100);
  EXPECT_EQ(form->lblVolume->Caption(), "100%");
  EXPECT_EQ(form->lblBrightness->Caption(), "0%");
  EXPECT_EQ(form->lblContrast->Caption(), "0%");
}

TEST_F(VideoEditTest, OkWritesTheSettingsIntoTheTask) {
  Open();
  form->trbVolume->SetPosition(150);
  form->trbBrightness->SetPosition(10);
  form->trbContrast->SetPosition(-5);
  form->edtStart->SetText("00:00:02.500");
  form->edtEnd->SetText("00:00:07.000");
  form->speLeft->SetValue(16);
  form->speTop->SetValue(8);
  form->speRight->SetValue(704);
  form->speBottom->SetValue(568);
  form->cbLetterBox->SetItemIndex(2);
  EXPECT_EQ(ClickOK(), mrOk);
  EXPECT_EQ(task.Volume, 150);
  EXPECT_EQ(task.Brightness, 10);
  EXPECT_EQ(task.Contrast, -5);
  EXPECT_EQ(task.StartTime, 25000000);
  EXPECT_EQ(task.EndTime, 70000000);
  EXPECT_EQ(Text(task.CropRect), "16,8,704,568");
  EXPECT_EQ(task.LetterBox, 2);
}

// Mended: OK never stores a range the converter cannot cut.
TEST_F(VideoEditTest, OkRefusesARangeWhoseEndIsNotAfterItsStartOrPastTheClip) {
  Open();
  struct TCase {
    const char* start;
    const char* end;
    const char* message;
  };
  const TCase cases[] = {
      {"00:00:10.000", "00:00:04.000", "The end time must come after the start time."},
      {"00:00:10.000", "00:00:10.000", "The end time must come after the start time."},
      {"00:00:10.000", "00:01:00.001", "The end time lies beyond the end of the clip (00:01:00.000)."},
  };
  for (const TCase& c : cases) {
    TDialogAnswers boxes;
    form->pgcClip->SetActivePageIndex(0);
    form->edtStart->SetText(c.start);
    form->edtEnd->SetText(c.end);
    EXPECT_EQ(ClickOK(), mrNone) << c.end << ": the dialog stays open";
    ASSERT_EQ(boxes.Boxes.size(), 1u) << c.end;
    EXPECT_EQ(boxes.Boxes[0].Caption, "Error");
    EXPECT_EQ(boxes.Boxes[0].Text, c.message);
    EXPECT_EQ(task.StartTime, 5 * kSecond) << "nothing stored";
    EXPECT_EQ(form->pgcClip->ActivePageIndex(), 1) << "the time fields are shown";
  }
  form->edtEnd->SetText("00:01:00.000");
  EXPECT_EQ(ClickOK(), mrOk) << "the whole clip is a valid range";
  EXPECT_EQ(task.EndTime, 60 * kSecond);
}

// Mended: the spins of an audio clip hold the previous clip's rectangle; OK leaves the task's alone.
TEST_F(VideoEditTest, AnAudioClipShowsOnlyTrimAndOkKeepsItsCropRectangle) {
  Open();
  form->speRight->SetValue(100);
  form->Close();
  TTaskInfo audioTask;
  audioTask.EndTime = 30 * kSecond;
  audioTask.CropRect = {0, 0, 0, 0};
  context.HasVideo = false;
  context.Width = context.Height = 0;
  context.TaskInfo = &audioTask;
  Open();
  form->ShowEffectPage();
  EXPECT_EQ(form->pgcClip->ActivePageIndex(), 1);
  form->ShowCropPage();
  EXPECT_EQ(form->pgcClip->ActivePageIndex(), 1);
  form->pgcClip->SetActivePageIndex(0);
  EXPECT_EQ(form->pgcClip->ActivePageIndex(), 1) << "the Effect tab cannot be selected";
  EXPECT_FALSE(GetWindow(form->PanelCrop->Handle(), GW_CHILD)) << "no crop window";
  EXPECT_EQ(form->speRight->IntValue(), 100) << "the spins keep the previous clip's values";
  EXPECT_EQ(ClickOK(), mrOk);
  EXPECT_EQ(Text(audioTask.CropRect), "0,0,0,0");
}

TEST_F(VideoEditTest, CropScaleAndWindowPlaceFollowTheFrameShape) {
  struct TCase {
    int w, h;
    double scale;
    RECT window;
  };
  const TCase cases[] = {{720, 576, 0.46875, {11, 0, 349, 270}}, {640, 360, 0.5625, {0, 34, 360, 236}}};
  for (const TCase& c : cases) {
    Video(c.w, c.h);
    task.CropRect = {0, 0, c.w, c.h};
    Open();
    EXPECT_DOUBLE_EQ(form->Scale(), c.scale);
    form->ShowCropPage();
    const RECT r = CropWindowBounds();
    EXPECT_EQ(r.left, c.window.left) << c.w;
    EXPECT_EQ(r.top, c.window.top) << c.w;
    EXPECT_EQ(r.right, c.window.right) << c.w;
    EXPECT_EQ(r.bottom, c.window.bottom) << c.w;
    form->Close();
  }
}

TEST_F(VideoEditTest, WindowReportsBecomeWholeSourcePixelsAndGoBack) {
  Open();  // 720 x 576: scale 0.46875
  Report(11, 0, 338, 270);
  EXPECT_EQ(form->speLeft->IntValue(), 23) << "11 / 0.46875 = 23.47";
  EXPECT_EQ(form->CropWindowRect().Left, 11) << "round(23 x 0.46875)";
  form->Close();
  Video(720, 540);  // scale 0.5
  Open();
  Report(100, 50, 200, 150);
  EXPECT_EQ(Spins(), "200,100,400,300");
  EXPECT_EQ(Text(form->CropWindowRect()), "100,50,200,150");
}

TEST_F(VideoEditTest, ResetGivesTheWholeFrame) {
  Open();
  form->cbLetterBox->SetItemIndex(3);
  Report(20, 20, 100, 100);
  form->btnCropReset->Click();
  EXPECT_EQ(Spins(), "0,0,720,576");
  EXPECT_EQ(form->cbLetterBox->ItemIndex(), 0);
  EXPECT_EQ(Text(form->CropWindowRect()), "0,0,338,270") << "337.5 rounds half to even";
}

// Mended: the crop rectangle stays ordered whatever the spins hold.
TEST_F(VideoEditTest, TheCropRectangleStaysOrdered) {
  Open();
  struct TCase {
    int left, top, right, bottom;
    const char* stored;
  };
  const TCase cases[] = {{500, 400, 100, 50, "100,50,500,400"},
                         {300, 200, 300, 200, "300,200,301,201"},
                         {720, 576, 720, 576, "719,575,720,576"}};
  for (const TCase& c : cases) {
    form->speLeft->SetValue(c.left);
    form->speTop->SetValue(c.top);
    form->speRight->SetValue(c.right);
    form->speBottom->SetValue(c.bottom);
    EXPECT_EQ(ClickOK(), mrOk);
    EXPECT_EQ(Text(task.CropRect), c.stored);
    const TRect sent = form->CropWindowRect();
    EXPECT_TRUE(sent.Left < sent.Right && sent.Top < sent.Bottom) << Text(sent);
  }
}

TEST_F(VideoEditTest, CropPageSwapsThePanelsAndRunsTheSnapshotTimer) {
  Open();
  form->ShowCropPage();
  EXPECT_TRUE(form->PanelCrop->Visible());
  EXPECT_FALSE(form->PanelPlay->Visible());
  EXPECT_TRUE(form->tmrUpdateCrop->Enabled());
  form->ShowTrimPage();
  EXPECT_FALSE(form->PanelCrop->Visible());
  EXPECT_TRUE(form->PanelPlay->Visible());
  EXPECT_FALSE(form->tmrUpdateCrop->Enabled());
  form->ShowCropPage();
  EXPECT_TRUE(form->tmrUpdateCrop->Enabled()) << "returning starts it again";
}

// Mended: the snapshot is deleted when the dialog closes.
TEST_F(VideoEditTest, SnapshotTickWritesTheBackgroundFileAndClosingDeletesIt) {
  Video(2, 3);  // the stand-in's snapshot is 2 x 3 pixels
  Open();
  form->ShowCropPage();
  form->tmrUpdateCrop->OnTimer(form->tmrUpdateCrop);
  EXPECT_TRUE(Called("MediaPlayer_GetSnap(null,0)")) << "first asks the size";
  EXPECT_TRUE(Called("MediaPlayer_GetSnap(ptr,24)")) << "then fills a buffer of that size";
  // The file is a picture of the frame scaled to the selection window (it was once left empty).
  HBITMAP saved = static_cast<HBITMAP>(LoadImageA(nullptr, form->SnapFile().c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  ASSERT_NE(saved, nullptr);
  BITMAP info{};
  GetObjectA(saved, sizeof info, &info);
  DeleteObject(saved);
  const RECT window = CropWindowBounds();
  EXPECT_NEAR(info.bmWidth, window.right - window.left, 1);
  EXPECT_NEAR(info.bmHeight, window.bottom - window.top, 1);
  form->Close();
  EXPECT_FALSE(FileExists(form->SnapFile()));
}

TEST_F(VideoEditTest, ASnapshotFailureStopsTheRefresh) {
  Open();
  form->ShowCropPage();
  Fake().Status["MediaPlayer_GetSnap"] = 1;
  EXPECT_ANY_THROW(form->tmrUpdateCrop->OnTimer(form->tmrUpdateCrop));
  EXPECT_FALSE(form->tmrUpdateCrop->Enabled());
}

// Mended: a clip of zero length divides nowhere.
TEST_F(VideoEditTest, AZeroLengthClipOpensAndLoops) {
  context.Duration = 0;
  task.StartTime = task.EndTime = 0;
  Open();
  EXPECT_EQ(form->RangeSlider->End(), 0);
  form->btnResetTrim->Click();
  Fake().Position = 0;
  form->TimerUpdatePos->OnTimer(form->TimerUpdatePos);
  EXPECT_TRUE(Called("MediaPlayer_Seek(0,0)"));
}

TEST_F(VideoEditTest, ResetTrimAndApplyMoveTheSliderAndSeek) {
  Open();
  form->btnResetTrim->Click();
  EXPECT_EQ(form->edtStart->Text(), "00:00:00.000");
  EXPECT_EQ(form->edtEnd->Text(), "00:01:00.000");
  EXPECT_EQ(form->RangeSlider->End(), 60000);
  EXPECT_TRUE(Called("MediaPlayer_Seek(0,600000000)"));
  form->edtStart->SetText("00:00:30.000");
  form->edtEnd->SetText("00:00:10.000");
  form->btnEndApply->Click();
  EXPECT_EQ(form->RangeSlider->End(), 60000) << "an end before the start is refused by the slider";
  EXPECT_TRUE(Called("MediaPlayer_Seek(300000000,-200000000)"));
}

TEST_F(VideoEditTest, SliderDragsFillTheTimeFieldsAndTheMarkerWaitsAfterAThumb) {
  Open();
  form->pgcClip->SetActivePageIndex(0);
  form->SliderThumbDown(2, 5000, 20000);
  EXPECT_EQ(form->pgcClip->ActivePageIndex(), 1) << "the Trim page comes forward";
  EXPECT_FALSE(form->TimerUpdatePos->Enabled());
  form->SliderThumbMove(2, 5000, 12345.9);
  EXPECT_EQ(form->edtEnd->Text(), "00:00:12.345");
  EXPECT_EQ(form->edtLength->Text(), "00:00:07.345");
  form->SliderThumbUp(2, 5000, 12345.9);
  EXPECT_TRUE(Called("MediaPlayer_Seek(50000000,73459000)"));
  EXPECT_FALSE(form->TimerUpdatePos->Enabled()) << "the marker stands still after a thumb";
  form->SliderSelectionUp(6000, 13000, 6000);
  EXPECT_TRUE(form->TimerUpdatePos->Enabled());
}

TEST_F(VideoEditTest, TheStartFieldsMaskErrorNamesTheFormatAndUndoes) {
  Open();
  form->ShowTrimPage();
  form->edtStart->SetFocus();
  form->edtStart->SetSelStart(0);
  SendMessageA(form->edtStart->Handle(), WM_CHAR, '1', 0);
  form->edtStart->SetText("1_:00:00.000");
  form->edtStart->SetModified(true);
  try {
    form->edtStart->ValidateEdit();
    FAIL() << "the text does not fit the mask";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Invalid input time, xx:xx:xx.xxx");
  }
}

TEST_F(VideoEditTest, PlayerStatesSwapThePlayAndPauseImages) {
  Open();
  form->PlayerStateChanged(1);
  EXPECT_TRUE(form->ImagePlay->Visible());
  EXPECT_FALSE(form->ImagePause->Visible());
  EXPECT_FALSE(form->TimerUpdatePos->Enabled());
  form->PlayerStateChanged(7);
  EXPECT_TRUE(form->ImagePlay->Visible()) << "other states change nothing";
  form->PlayerStateChanged(0);
  EXPECT_TRUE(form->ImagePause->Visible());
  EXPECT_TRUE(form->TimerUpdatePos->Enabled());
}

}  // namespace

namespace {

// Under a dark skin the framed controls of the pages take the skin's content colours; under the
// standard look they keep their own.
TEST_F(VideoEditTest, TheFramedControlsTakeTheSkinsColours) {
  const TColor plainTrack = form->trbVolume->Color();
  EXPECT_NE(form->pgcClip->Color(), clBlack);
  RootLookAndFeel()->SetSkinName("Midnight");
  struct TRestore {
    ~TRestore() { RootLookAndFeel()->SetSkinName(""); }
  } restore;
  ASSERT_NE(RootLookAndFeel()->SkinPainter(), nullptr);
  std::unique_ptr<TFormVideoEdit> dark(CreateForm<TFormVideoEdit>(nullptr));
  const TColor back = dark->pgcClip->Color();
  EXPECT_NE(back, form->pgcClip->Color());
  EXPECT_LT(GetRValue(ColorToRGB(back)) + GetGValue(ColorToRGB(back)) + GetBValue(ColorToRGB(back)), 3 * 128) << "dark";
  for (const char* name : {"tabEffect", "tabCrop", "grpVideo", "trbVolume", "trbBrightness"})
    EXPECT_EQ(static_cast<TControl*>(dark->FindComponent(name))->Color(), back) << name;
  EXPECT_NE(dark->trbVolume->Color(), plainTrack);
  const TColor text = ColorToRGB(static_cast<TLabel*>(dark->FindComponent("lblBrightnessCaption"))->Font()->Color());
  EXPECT_GT(GetRValue(text) + GetGValue(text) + GetBValue(text), 3 * 128) << "light text";
}

// The labels of the trim and crop pages show their page's face around their text, in the standard
// look and under a dark skin (they were black boxes: the page paints its face in its paint
// handler, which a label that covered itself never got).
TEST_F(VideoEditTest, ThePagesLabelsStandOnTheirPagesFace) {
  struct TRestore {
    ~TRestore() { RootLookAndFeel()->SetSkinName(""); }
  } restore;
  for (const char* skin : {"", "Midnight"}) {
    RootLookAndFeel()->SetSkinName(skin);
    std::unique_ptr<TFormVideoEdit> dialog(CreateForm<TFormVideoEdit>(nullptr));
    dialog->OpenFile(&player, &context);
    dialog->Show();
    for (bool crop : {false, true}) {
      if (crop) dialog->ShowCropPage();
      else dialog->ShowTrimPage();
      TRzTabSheet* page = crop ? dialog->tabCrop : dialog->tabTrim;
      RedrawWindow(page->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      for (int i = 0; i < page->ControlCount(); ++i) {
        auto* label = ObjectAs<TLabel>(page->Controls(i));
        if (!label) continue;
        const COLORREF face = ColorToRGB(page->Color()), text = ColorToRGB(label->Font()->Color());
        int faces = 0, texts = 0;
        HDC dc = GetDC(page->Handle());
        const TRect box = label->BoundsRect();
        for (int y = box.Top; y < box.Bottom; ++y)
          for (int x = box.Left; x < box.Right; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            faces += pixel == face;
            texts += pixel == text;
          }
        ReleaseDC(page->Handle(), dc);
        const std::string name = std::string(skin) + " " + label->Name();
        EXPECT_GT(texts, 5) << name;
        EXPECT_EQ(faces + texts, box.Width() * box.Height()) << name << ": only its text on the page's face";
      }
    }
    dialog->Close();
  }
}

// The colours of a window's pixels in a rectangle of its client area, with their counts.
std::map<COLORREF, int> PixelColours(TWinControl* control, const TRect& r) {
  std::map<COLORREF, int> counts;
  HDC dc = GetDC(control->Handle());
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) ++counts[GetPixel(dc, x, y)];
  ReleaseDC(control->Handle(), dc);
  return counts;
}

// Under a dark skin nothing of the pages is light: the tab strip, the track channels, the group
// captions and frames, the time fields and the spins wear the skin's colours (they stayed light:
// the framed controls' own colours, the theme's text and the platform's sunken edges).
TEST_F(VideoEditTest, UnderADarkSkinThePagesShowNoLightPart) {
  RootLookAndFeel()->SetSkinName("Midnight");
  struct TRestore {
    ~TRestore() { RootLookAndFeel()->SetSkinName(""); }
  } restore;
  TSkinColours skin;
  ASSERT_TRUE(SkinColoursInUse(skin));
  std::unique_ptr<TFormVideoEdit> dark(CreateForm<TFormVideoEdit>(nullptr));
  dark->OpenFile(&player, &context);
  dark->Show();
  auto redraw = [&] {
    RedrawWindow(dark->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  };
  auto count = [](const std::map<COLORREF, int>& counts, TColor color) {
    auto it = counts.find(ColorToRGB(color));
    return it == counts.end() ? 0 : it->second;
  };
  dark->ShowEffectPage();
  redraw();
  const int w = dark->pgcClip->Width();
  EXPECT_EQ(count(PixelColours(dark->pgcClip, TRect(w - 40, 2, w - 2, 12)), skin.Back), 38 * 10) << "the tab strip";
  for (TRzTrackBar* bar : {dark->trbBrightness, dark->trbContrast, dark->trbVolume}) {
    // The channel's left end, which no thumb covers at these positions: frame and inside.
    const TRect track = bar->TrackRect();
    const std::map<COLORREF, int> line = PixelColours(bar, TRect(track.Left, track.Top, track.Left + 4, track.Top + 1));
    EXPECT_EQ(count(line, skin.Border), 4) << bar->Name() << ": the channel's frame";
    const TRect end(track.Left + 1, track.Top + 1, track.Left + 4, track.Bottom - 1);
    const std::map<COLORREF, int> inside = PixelColours(bar, end);
    EXPECT_EQ(count(inside, skin.Editor), 3 * (track.Height() - 2)) << bar->Name() << ": the channel";
  }
  for (const char* name : {"grpVideo", "grpAudio"}) {
    auto* group = ObjectAs<TRzGroupBox>(dark->FindComponent(name));
    ASSERT_NE(group, nullptr) << name;
    const TRect caption = group->CaptionRect();
    EXPECT_GT(count(PixelColours(group, caption), skin.Text), 5) << group->Name() << ": its caption";
    const std::map<COLORREF, int> side = PixelColours(group, TRect(0, caption.Bottom, 1, group->Height() - 2));
    EXPECT_EQ(count(side, skin.Border), group->Height() - 2 - caption.Bottom) << group->Name() << ": its frame";
  }
  dark->ShowTrimPage();
  redraw();
  for (TRzMaskEdit* edit : {dark->edtStart, dark->edtEnd, dark->edtLength}) {
    const std::map<COLORREF, int> colours = PixelColours(edit, edit->ClientRect());
    EXPECT_GT(count(colours, skin.EditorText), 5) << edit->Name();
    EXPECT_EQ(count(colours, skin.Editor) + count(colours, skin.EditorText), edit->ClientWidth() * edit->ClientHeight())
        << edit->Name() << ": only the skin's editor face and text";
  }
  dark->ShowCropPage();
  redraw();
  for (TRzSpinEdit* spin : {dark->speTop, dark->speLeft, dark->speRight, dark->speBottom}) {
    const std::map<COLORREF, int> colours = PixelColours(spin, spin->ClientRect());
    EXPECT_GT(count(colours, skin.Editor), spin->ClientWidth() * spin->ClientHeight() / 2) << spin->Name();
    for (TColor light : {clWindow, clBtnFace, clBtnHighlight, cl3DLight})
      EXPECT_EQ(count(colours, light), 0) << spin->Name() << ": no light button face";
  }
  dark->Close();
}

}  // namespace

// The crop page's zoom list, a platform combo box, wears the skin's editor background under a dark
// skin, in its field and in its dropped list (both stayed white: the platform asks the page, which
// knew neither the list nor the skin); in the standard look it keeps the window colour.
TEST_F(VideoEditTest, TheZoomListAndItsDroppedListWearTheEditorColours) {
  struct TRestore {
    ~TRestore() { RootLookAndFeel()->SetSkinName(""); }
  } restore;
  for (const char* skin : {"", "Midnight"}) {
    RootLookAndFeel()->SetSkinName(skin);
    TSkinColours colours;
    const COLORREF expected = ColorToRGB(SkinColoursInUse(colours) ? colours.Editor : TColor(clWindow));
    std::unique_ptr<TFormVideoEdit> dialog(CreateForm<TFormVideoEdit>(nullptr));
    dialog->OpenFile(&player, &context);
    dialog->Show();
    dialog->ShowCropPage();
    TComboBox* zoom = dialog->cbLetterBox;
    RedrawWindow(zoom->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(zoom->Handle());
    const COLORREF field = GetPixel(dc, zoom->Width() - 30, zoom->Height() / 2);  // beside the text
    ReleaseDC(zoom->Handle(), dc);
    zoom->SetDroppedDown(true);
    COMBOBOXINFO info{sizeof(info)};
    GetComboBoxInfo(zoom->Handle(), &info);
    RECT client{};
    GetClientRect(info.hwndList, &client);
    UpdateWindow(info.hwndList);
    dc = GetDC(info.hwndList);
    const COLORREF list = GetPixel(dc, client.right - 6, client.bottom - 4);  // beside the last row's text
    ReleaseDC(info.hwndList, dc);
    zoom->SetDroppedDown(false);
    EXPECT_EQ(field, expected) << "'" << skin << "': the field";
    EXPECT_EQ(list, expected) << "'" << skin << "': the dropped list";
    dialog->Close();
  }
}
