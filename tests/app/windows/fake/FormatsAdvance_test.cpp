#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "FormatsAdvance.h"
#include "NxInspector.h"
#include "NxItemClasses.h"
#include "SysUtils.h"
#include "XMLFormats.h"
#include "StdCtrls.h"
#include "windows_fixture.h"

namespace {

class FormatsAdvanceTest : public WindowsFixture {
 protected:
  void SetUp() override {
    DeleteFileA("configure.ini");
    formats = std::make_unique<TFormats>("");
    form.reset(CreateForm<TFormOSetting>(nullptr));
    frame()->SetFormats(formats.get());
    formats->Attach(frame());
  }
  void TearDown() override {
    formats->Detach(frame());
    form.reset();
    formats.reset();
    DeleteFileA("configure.ini");
  }
  TFrameOFormat* frame() { return form->OFormat; }
  int FormatIndex(const std::string& name) {
    for (int i = 0; i < formats->XMLFormats()->Count(); ++i)
      if (formats->XMLFormats()->Format(i)->Name() == name) return i;
    return -1;
  }
  void Choose(const std::string& name) {
    TFormatSelection sel = formats->GetSelection();
    sel.Format = FormatIndex(name);
    formats->SetSelection(sel);
    formats->SelectDefaults();
  }
  static std::string Shown(TNxComboBoxItem* row) { return WideToAnsi(row->Value()); }
  // The dialog's buttons by name (the toolkit's button header and the inspector's cannot meet).
  TModalResult Press(const std::string& name) {
    form->SetModalResult(mrNone);
    ObjectAs<TButton>(form->FindComponent(name))->Click();
    return form->ModalResult();
  }
  std::unique_ptr<TFormats> formats;
  std::unique_ptr<TFormOSetting> form;
};

TEST_F(FormatsAdvanceTest, RowsSitUnderVideoAndAudioWithTheCatalogueLists) {
  Choose("Apple TV");
  TFrameOFormat* f = frame();
  EXPECT_EQ(form->Caption(), "Settings");
  EXPECT_EQ(f->Video->Caption(), u"Video");
  EXPECT_EQ(f->Audio->Caption(), u"Audio");
  struct TRow {
    TNxComboBoxItem* row;
    const char* caption;
    TNxTextItem* category;
    int lines;
    const char* shown;
  };
  const TRow rows[] = {
      {f->VCodec, "Codec", f->Video, 2, "MPEG4"},       {f->Size, "Frame size", f->Video, 4, "960x540"},
      {f->Fps, "Frame rate", f->Video, 4, "29.97"},     {f->Aspect, "Aspect", f->Video, 2, "16:9"},
      {f->VBitRate, "Bit rate", f->Video, 7, "3000"},   {f->ACodec, "Codec", f->Audio, 1, "AAC"},
      {f->Sample, "Sample rate", f->Audio, 2, "48000"}, {f->Channels, "Channels", f->Audio, 2, "stereo"},
      {f->ABitRate, "Bit rate", f->Audio, 8, "160000"},
  };
  for (const TRow& r : rows) {
    EXPECT_EQ(WideToAnsi(r.row->Caption()), r.caption);
    EXPECT_EQ(r.row->ParentItem(), r.category) << r.caption;
    EXPECT_EQ(r.row->Lines()->Count(), r.lines) << r.caption;
    EXPECT_EQ(Shown(r.row), r.shown) << r.caption;
    EXPECT_TRUE(r.row->Enabled()) << r.caption;
  }
}

TEST_F(FormatsAdvanceTest, ASoundOnlyProfileDisablesTheFiveVideoRows) {
  Choose("MP3");
  TFrameOFormat* f = frame();
  for (TNxComboBoxItem* row : {f->VCodec, f->Size, f->Fps, f->Aspect, f->VBitRate}) EXPECT_FALSE(row->Enabled());
  for (TNxComboBoxItem* row : {f->ACodec, f->Sample, f->Channels, f->ABitRate}) EXPECT_TRUE(row->Enabled());
  EXPECT_EQ(f->VCodec->Lines()->Count(), 1);
  Choose("AVI");
  EXPECT_TRUE(f->VCodec->Enabled()) << "a video profile enables them again";
}

TEST_F(FormatsAdvanceTest, OkAppliesTheRowsAndDefaultStaysOpenWithTheDefaults) {
  Choose("Apple TV");
  const TFormatSelection defaults = formats->GetSelection();
  frame()->Size->SetItemIndex(3);
  frame()->ABitRate->SetItemIndex(2);
  EXPECT_EQ(Press("Default"), mrNone) << "Default keeps the dialog open";
  EXPECT_EQ(formats->GetSelection(), defaults);
  EXPECT_EQ(Shown(frame()->Size), "960x540");
  frame()->Size->SetItemIndex(3);
  frame()->VCodec->SetItemIndex(1);
  EXPECT_EQ(Press("OK"), mrOk);
  const TFormatSelection applied = formats->GetSelection();
  EXPECT_EQ(applied.Size, 3);
  EXPECT_EQ(applied.VCodec, 1);
  EXPECT_EQ(applied.Format, defaults.Format);
  EXPECT_EQ(formats->GetCurrentOutputParams().Width, 1280);
}

// Mended: rows changed and cancelled are loaded again from the selection when the dialog shows.
TEST_F(FormatsAdvanceTest, ShowingAgainAfterCancelShowsOnlyWhatIsInEffect) {
  Choose("Apple TV");
  form->Show();
  frame()->Size->SetItemIndex(3);
  EXPECT_EQ(Press("Cancel"), mrCancel);
  form->Hide();
  EXPECT_EQ(formats->GetSelection().Size, 2) << "Cancel applied nothing";
  form->Show();
  EXPECT_EQ(frame()->Size->ItemIndex(), 2);
  EXPECT_EQ(Shown(frame()->Size), "960x540");
  form->Hide();
}

TEST_F(FormatsAdvanceTest, ASelectionIndexBeyondARowLeavesItsValueText) {
  Choose("Apple TV");
  TFormatSelection sel = formats->GetSelection();
  sel.Fps = 40;  // as an edited settings file may hold
  formats->SetSelection(sel);
  EXPECT_EQ(frame()->Fps->ItemIndex(), 40);
  EXPECT_EQ(Shown(frame()->Fps), "29.97") << "the format's default line stays shown";
}

TEST_F(FormatsAdvanceTest, TheDialogCopyOfTheInspectorHasItsOwnLook) {
  TNxInspector* inspector = frame()->OFormat;
  EXPECT_EQ(inspector->RowHeight(), 18);
  EXPECT_EQ(inspector->Color(), 16579322);
  EXPECT_EQ(inspector->GridColor(), clMedGray);
  EXPECT_EQ(inspector->SelectionColor(), clGrayText);
  EXPECT_EQ(form->Width(), 281);
  EXPECT_EQ(form->Height(), 312);
  EXPECT_EQ(ObjectAs<TButton>(form->FindComponent("OK"))->Left(), 95);
  EXPECT_EQ(ObjectAs<TButton>(form->FindComponent("Cancel"))->Left(), 184);
}

}  // namespace
