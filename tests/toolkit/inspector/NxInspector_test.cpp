#include "calderan_test.h"

#include <algorithm>
#include <string>
#include <vector>

#include "NxInspector.h"
#include "NxItemClasses.h"
#include "inspector_fixture.h"
#include "settings_form.h"

// The settings inspector read from its stored definition, shown, and driven through its windows.
struct Inspector : InspectorFixture {
  static void SetUpTestSuite() {
    InspectorFixture::SetUpTestSuite();
    TFormSettings::Register();
  }
  Inspector() {
    form.reset(CreateForm<TFormSettings>(nullptr));
    form->Show();
    SetForegroundWindow(form->Handle());
    grid = form->Inspector;
    grid->SetFocus();
    PumpWhileBusy();
  }
  HWND Window() { return grid->Handle(); }
  int Sp() { return grid->SplitterPosition(); }
  int MiddleOf(TNxPropertyItem* row) { return grid->ItemTop(row) + grid->RowHeight() / 2; }
  void Click(int x, int y) {
    PostMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(x, y));
    PostMessageA(Window(), WM_LBUTTONUP, 0, ClientPoint(x, y));
    PumpWhileBusy();
  }
  void ClickValue(TNxPropertyItem* row) { Click(Sp() + 20, MiddleOf(row)); }
  // A key pressed where the keyboard focus is.
  void Press(WORD key) {
    HWND target = GetFocus();
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 1 | (3u << 30));
    PumpWhileBusy();
  }
  void Wheel(HWND window, int delta) {
    SendMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
  }
  TNxComboBox* EditorOf(TNxComboBoxItem* row) { return row->ComboEditor(); }
  int Count(const std::string& change) {
    return static_cast<int>(std::count(form->changes.begin(), form->changes.end(), change));
  }

  std::unique_ptr<TFormSettings> form;
  TNxInspector* grid = nullptr;
};

TEST_F(Inspector, LayoutOfRowsSplitterAndScrollRange) {
  EXPECT_EQ(grid->Pitch(), 19);
  EXPECT_EQ(grid->ItemTop(form->VideoCategory), 0);
  EXPECT_EQ(grid->ItemTop(form->AudioCategory), 6 * 19);
  EXPECT_EQ(grid->ItemAtPos(19), form->VideoCodec);
  EXPECT_EQ(grid->ItemAtPos(37), form->VideoCodec);  // the grid line belongs to the row above
  EXPECT_EQ(grid->ItemAtPos(11 * 19), nullptr);
  EXPECT_EQ(grid->GetItemRect(form->VideoCodec, ipValueCell), Rect(Sp() + 1, 19, grid->ClientWidth(), 37));
  EXPECT_TRUE(grid->GetItemRect(form->VideoCategory, ipValueCell).IsEmpty());

  for (auto [set, expected] : {std::pair{5, 14}, {15, 15}, {120, 120}}) {
    grid->SetSplitterPosition(set);
    EXPECT_EQ(grid->SplitterPosition(), expected);
  }
  EXPECT_LT(grid->ScrollMax(), 0);  // eleven rows fit: the bar clamps the range to 0
  grid->Repaint();
  EXPECT_EQ(grid->VertBar()->Max(), 0);

  grid->SetHideTopLevel(true);
  EXPECT_EQ(grid->ItemAtPos(0), form->VideoCodec);
  EXPECT_EQ(grid->VisibleRowCount(), 11);  // categories still count in the scroll range
  EXPECT_EQ(grid->ItemTop(form->VideoCategory), -1);
}

TEST_F(Inspector, PaintsCategoriesAcrossAndAnEmptyGridInItsColour) {
  grid->Repaint();
  HDC dc = GetDC(Window());
  const COLORREF background = RGB(250, 250, 252);
  // below the last row: the inspector's colour
  EXPECT_EQ(GetPixel(dc, 200, 11 * 19 + 10), background);
  // a category's caption band runs across the splitter (no grid line there)
  EXPECT_NE(GetPixel(dc, Sp(), 5), ColorToRGB(clMedGray));
  EXPECT_EQ(GetPixel(dc, Sp(), 19 + 5), ColorToRGB(clMedGray));
  ReleaseDC(Window(), dc);

  grid->Items()->Clear();
  grid->Repaint();
  dc = GetDC(Window());
  EXPECT_EQ(GetPixel(dc, 5, 5), background);
  EXPECT_EQ(GetPixel(dc, 200, 100), background);
  ReleaseDC(Window(), dc);
  EXPECT_FALSE(GetWindowLongA(Window(), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(Inspector, AClickSelectsARowAndOpensItsComboOverTheValueCell) {
  ClickValue(form->VideoBitRate);
  EXPECT_EQ(grid->Selected(), form->VideoBitRate);
  ASSERT_EQ(grid->EditingItem(), form->VideoBitRate);
  TNxComboBox* editor = EditorOf(form->VideoBitRate);
  EXPECT_TRUE(IsWindowVisible(editor->Handle()));
  EXPECT_EQ(editor->BoundsRect(), Bounds(Sp() + 1, grid->ItemTop(form->VideoBitRate), grid->ClientWidth() - Sp() - 1, 18));
  EXPECT_EQ(editor->Style(), dsDropDownList);
  EXPECT_EQ(GetFocus(), editor->Handle());

  ClickValue(form->VideoCategory);  // read-only: selected, no editor
  EXPECT_EQ(grid->Selected(), form->VideoCategory);
  EXPECT_EQ(grid->EditingItem(), nullptr);
  EXPECT_FALSE(IsWindowVisible(editor->Handle()));
}

TEST_F(Inspector, EnterMovesToTheNextRowAndStaysOnTheLast) {
  ClickValue(form->AudioSampleRate);
  Press(VK_RETURN);
  EXPECT_EQ(grid->Selected(), form->AudioChannels);
  EXPECT_EQ(grid->EditingItem(), form->AudioChannels);
  Press(VK_RETURN);
  EXPECT_EQ(grid->Selected(), form->AudioChannels);
  EXPECT_EQ(grid->EditingItem(), form->AudioChannels);

  grid->SetOptions(grid->Options() - poEnterSelectNext);
  ClickValue(form->AudioCodec);
  TNxComboBox* editor = EditorOf(form->AudioCodec);
  editor->SetSelLength(0);
  Press(VK_RETURN);
  EXPECT_EQ(grid->Selected(), form->AudioCodec);
  EXPECT_EQ(editor->SelLength(), static_cast<int>(editor->Text().size()));
}

TEST_F(Inspector, ArrowKeysMoveTheSelectionAndDisabledRowsTakeNoEditor) {
  form->VideoBitRate->SetEnabled(false);
  ClickValue(form->VideoBitRate);  // a click selects no disabled row
  EXPECT_EQ(grid->Selected(), nullptr);
  ClickValue(form->VideoCodec);
  Press(VK_DOWN);
  EXPECT_EQ(grid->Selected(), form->VideoBitRate);
  EXPECT_EQ(grid->EditingItem(), nullptr);
  EXPECT_EQ(GetFocus(), Window());
  Press(VK_DOWN);
  EXPECT_EQ(grid->Selected(), form->VideoSize);
  EXPECT_EQ(grid->EditingItem(), form->VideoSize);
  Press(VK_UP);
  Press(VK_UP);
  EXPECT_EQ(grid->Selected(), form->VideoCodec);
}

TEST_F(Inspector, EscapeClosesWithoutCommitButTheComboKeepsItsIndex) {
  ClickValue(form->VideoSize);
  TNxComboBox* editor = EditorOf(form->VideoSize);
  Wheel(editor->Handle(), -120);  // the next line
  Wheel(editor->Handle(), -120);
  EXPECT_EQ(editor->Text(), "640x480");
  EXPECT_EQ(form->VideoSize->GetValue(), u"320x240");
  Press(VK_ESCAPE);
  EXPECT_EQ(grid->EditingItem(), nullptr);
  EXPECT_FALSE(IsWindowVisible(editor->Handle()));
  EXPECT_EQ(form->VideoSize->ItemIndex(), 2);
  EXPECT_EQ(form->VideoSize->GetValue(), u"640x480");
  EXPECT_EQ(Count("VideoSize=640x480"), 1);
}

TEST_F(Inspector, ChoosingFromTheDroppedListByClicks) {
  ClickValue(form->AudioBitRate);
  TNxComboBox* editor = EditorOf(form->AudioBitRate);
  const HWND button = editor->Button()->Handle();
  PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(4, 4));
  PumpWhileBusy();
  ASSERT_TRUE(editor->DroppedDown());
  TNxPopupList* list = editor->PopupList();
  EXPECT_EQ(list->ClientHeight(), 4 * 16 + 4);
  PostMessageA(list->Handle(), WM_LBUTTONUP, 0, ClientPoint(4, -5));  // ends the opening click
  PostMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(20, 2 + 3 * 16 + 4));
  PostMessageA(list->Handle(), WM_LBUTTONUP, 0, ClientPoint(20, 2 + 3 * 16 + 4));
  PumpWhileBusy();
  EXPECT_FALSE(editor->DroppedDown());
  EXPECT_EQ(editor->Text(), "192 kbps");
  EXPECT_EQ(form->AudioBitRate->ItemIndex(), 3);  // taken when the list closed
  // another selection commits the editor's text, then hides the editor, which applies the index:
  // the same value is reported by each
  ClickValue(form->AudioChannels);
  EXPECT_EQ(form->AudioBitRate->GetValue(), u"192 kbps");
  EXPECT_EQ(Count("AudioBitRate=192 kbps"), 2);
}

TEST_F(Inspector, EndSelectsTheLastRowEvenWhenCollapsedAway) {
  form->AudioCategory->SetExpanded(false);
  grid->SetFocus();
  Press(VK_END);
  EXPECT_EQ(grid->Selected(), form->AudioChannels);
  EXPECT_EQ(grid->EditingItem(), nullptr);  // its category is collapsed
  Press(VK_HOME);
  EXPECT_EQ(grid->Selected(), form->VideoCategory);
  Press(VK_OEM_MINUS);
  EXPECT_FALSE(form->VideoCategory->Expanded());
  Press(VK_OEM_PLUS);
  EXPECT_TRUE(form->VideoCategory->Expanded());
}

TEST_F(Inspector, SettingTheSameIndexAgainNotifiesAgain) {
  form->VideoCodec->SetItemIndex(1);
  form->VideoCodec->SetItemIndex(1);
  EXPECT_EQ(Count("VideoCodec=H.264"), 2);
}

TEST_F(Inspector, SplitterDragStopsAt14) {
  PostMessageA(Window(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(Sp(), 50));
  PostMessageA(Window(), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(60, 50));
  PumpWhileBusy();
  EXPECT_EQ(grid->SplitterPosition(), 60);
  PostMessageA(Window(), WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(3, 50));
  PostMessageA(Window(), WM_LBUTTONUP, 0, ClientPoint(3, 50));
  PumpWhileBusy();
  EXPECT_EQ(grid->SplitterPosition(), 14);
}

// The dialog's change handler enables the video rows by the chosen codec and sets another row's
// index: closing the codec's editor must close it once and report the change once.
struct ReentrantHandler {
  TFormSettings* form;
  void Changed(TObject* sender, TNxPropertyItem* item, const std::u16string& value) {
    form->InspectorChange(sender, item, value);
    if (item != form->VideoCodec) return;
    for (TNxComboBoxItem* row : {form->VideoBitRate, form->VideoSize}) row->SetEnabled(value != u"H.264");
    form->AudioCodec->SetItemIndex(1);
  }
};

TEST_F(Inspector, AHandlerThatEnablesRowsWhileTheEditorClosesRunsOnce) {
  ReentrantHandler handler{form.get()};
  grid->OnChange = MakeEvent(&handler, &ReentrantHandler::Changed);
  ClickValue(form->VideoCodec);
  Wheel(EditorOf(form->VideoCodec)->Handle(), -120);
  Press(VK_ESCAPE);
  EXPECT_EQ(Count("VideoCodec=H.264"), 1);
  EXPECT_EQ(Count("AudioCodec=MP3"), 1);
  EXPECT_FALSE(form->VideoBitRate->Enabled());
  EXPECT_EQ(grid->EditingItem(), nullptr);
  EXPECT_FALSE(IsWindowVisible(EditorOf(form->VideoCodec)->Handle()));

  // a click elsewhere commits the text and applies the index: two reports, no more
  ClickValue(form->VideoCodec);
  Wheel(EditorOf(form->VideoCodec)->Handle(), 120);
  ClickValue(form->AudioChannels);
  EXPECT_EQ(Count("VideoCodec=MPEG-4"), 2);
  EXPECT_TRUE(form->VideoBitRate->Enabled());
  EXPECT_EQ(grid->EditingItem(), form->AudioChannels);
  grid->OnChange = MakeEvent(form.get(), &TFormSettings::InspectorChange);  // the handler goes first
}

TEST_F(Inspector, FreeingRowsLeavesNoReferenceBehind) {
  form->AudioCodec->SetShowSuffix(true);
  ClickValue(form->AudioCodec);
  EXPECT_EQ(grid->SuffixItem(), form->AudioCodec);
  PostMessageA(Window(), WM_MOUSEMOVE, 0, ClientPoint(30, MiddleOf(form->AudioBitRate)));
  PumpWhileBusy();
  ASSERT_EQ(grid->HotItem(), form->AudioBitRate);
  ASSERT_EQ(grid->EditingItem(), form->AudioCodec);
  delete form->AudioCategory;  // its rows go with it, without notifications
  EXPECT_EQ(grid->Selected(), nullptr);
  EXPECT_EQ(grid->EditingItem(), nullptr);
  EXPECT_EQ(grid->SuffixItem(), nullptr);
  EXPECT_EQ(grid->HotItem(), nullptr);
  EXPECT_EQ(grid->Items()->Count(), 6);
  grid->Repaint();
  PostMessageA(Window(), WM_MOUSEMOVE, 0, ClientPoint(30, 40));
  Press(VK_DOWN);
  EXPECT_EQ(grid->Items()->Count(), 6);
}

TEST_F(Inspector, WheelScrollsByRowsAndClosesTheEditor) {
  grid->SetRowHeight(40);
  grid->Repaint();
  ASSERT_GT(grid->ScrollMax(), 0);
  ClickValue(form->VideoCodec);
  ASSERT_NE(grid->EditingItem(), nullptr);
  Wheel(Window(), -120);
  EXPECT_EQ(grid->VertBar()->Position(), 1);
  EXPECT_EQ(grid->EditingItem(), nullptr);
  EXPECT_EQ(grid->ItemTop(form->VideoCodec), 0);
}

// A dialog that selects a row while it is still being built (its form not shown yet): the row is
// selected and its editor opens, and nothing raises for the focus that cannot move yet.
struct UnshownInspector : InspectorFixture {
  static void SetUpTestSuite() {
    InspectorFixture::SetUpTestSuite();
    TFormSettings::Register();
  }
  UnshownInspector() : form(CreateForm<TFormSettings>(nullptr)) {}
  std::unique_ptr<TFormSettings> form;
};

TEST_F(UnshownInspector, SelectingBeforeTheFormIsShownOpensTheEditorWithoutRaising) {
  TNxInspector* grid = form->Inspector;
  struct Case {
    const char* what;
    TNxPropertyItem* row;
    TNxPropertyItem* editing;
  } const cases[] = {
      {"a read-only category", form->VideoCategory, nullptr},
      {"a combo row", form->VideoBitRate, form->VideoBitRate},
      {"a disabled combo row", form->AudioCodec, nullptr},
  };
  form->AudioCodec->SetEnabled(false);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_NO_THROW(grid->Select(c.row));
    EXPECT_EQ(grid->Selected(), c.row);
    EXPECT_EQ(grid->EditingItem(), c.editing);
  }
  // once shown, a selection takes the focus to its editor as usual
  form->Show();
  SetForegroundWindow(form->Handle());
  PumpWhileBusy();
  grid->Select(form->VideoSize);
  EXPECT_EQ(GetFocus(), form->VideoSize->ComboEditor()->Handle());
}
