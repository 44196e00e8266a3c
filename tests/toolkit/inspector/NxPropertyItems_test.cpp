#include "calderan_test.h"

#include <string>
#include <vector>

#include "NxInspector.h"
#include "NxItemClasses.h"
#include "inspector_fixture.h"
#include "settings_form.h"
#include "stored_form_test.h"

// An inspector whose row notifications are recorded as "row:kind".
struct Rows : FormFixture {
  Rows() {
    inspector = Place(new TNxInspector(form.get()), 10, 10, 300, 300);
    inspector->Items()->OnItemChange = TNxItemChangeEvent(&Record, &notes);
  }
  static void Record(void* data, TObject*, TNxPropertyItem* item, uint8_t kind, int) {
    static_cast<std::vector<std::string>*>(data)->push_back(item->Name() + ":" + std::to_string(kind));
  }
  template <class T = TNxTextItem> T* Add(const char* name, TNxPropertyItem* parent = nullptr) {
    auto* row = new T(form.get());
    row->SetName(name);
    row->SetCaption(AnsiToWide(name));
    const size_t before = notes.size();
    inspector->Items()->AddItem(parent, row, true);
    // the row takes the inspector's fonts, each a repaint of its own: not what these tests look at
    std::erase_if(notes, [&, i = size_t{0}](const std::string& n) mutable {
      return i++ >= before && n == std::string(name) + ":1";
    });
    return row;
  }
  std::vector<std::string> Take() { return std::exchange(notes, {}); }
  std::vector<std::string> Order(const TNxPropertyItems::TRowList& list) {
    std::vector<std::string> names;
    for (TNxPropertyItem* row : list) names.push_back(row->Name());
    return names;
  }
  TNxInspector* inspector;
  std::vector<std::string> notes;
};

using Names = std::vector<std::string>;

TEST_F(Rows, ChildrenOfCollapsedParentsStayHiddenAndUnannounced) {
  TNxTextItem* video = Add("Video");
  EXPECT_EQ(Take(), Names({"Video:0"}));
  TNxTextItem* codec = Add("Codec", video);
  EXPECT_EQ(Take(), Names({"Video:1", "Codec:0"}));  // the first child repaints its parent
  video->SetExpanded(false);
  EXPECT_EQ(Take(), Names({"Video:3"}));
  TNxTextItem* rate = Add("Rate", video);
  EXPECT_TRUE(rate->Hidden());
  EXPECT_EQ(Take(), Names{});
  EXPECT_EQ(video->ChildCount(), 2);
  EXPECT_EQ(codec->Level(), 1);
  EXPECT_EQ(Order(inspector->Items()->List()), Names({"Video", "Codec", "Rate"}));

  video->SetExpanded(false);  // unchanged: nothing
  video->SetExpandLock(true);
  video->SetExpanded(true);  // locked: nothing
  EXPECT_FALSE(video->Expanded());
  EXPECT_EQ(Take(), Names{});
  codec->SetExpanded(false);  // no children: the flag only
  EXPECT_FALSE(codec->Expanded());
  EXPECT_EQ(Take(), Names{});
  codec->SetEnabled(codec->Enabled());
  EXPECT_EQ(Take(), Names({"Codec:5"}));
}

TEST_F(Rows, ExpandingSkipsCollapsedSubtreesAndVisibilityUnhidesAll) {
  TNxTextItem* top = Add("Top");
  TNxTextItem* a = Add("A", top);
  TNxTextItem* a1 = Add("A1", a);
  TNxTextItem* b = Add("B", top);
  a->SetExpanded(false);
  EXPECT_TRUE(a1->Hidden());
  top->SetExpanded(false);
  EXPECT_TRUE(a->Hidden());
  EXPECT_TRUE(b->Hidden());
  top->SetExpanded(true);
  EXPECT_FALSE(a->Hidden());
  EXPECT_FALSE(b->Hidden());
  EXPECT_TRUE(a1->Hidden());  // under a collapsed row

  top->SetVisible(false);
  EXPECT_TRUE(a->Hidden());
  top->SetVisible(true);
  EXPECT_FALSE(a1->Hidden());  // making an expanded row visible shows its whole subtree
}

TEST_F(Rows, RenamingALevelOneRowMovesItsBlockInTheNameOrder) {
  TNxTextItem* top = Add("Top");
  TNxTextItem* beta = Add("beta", top);
  Add("beta1", beta);
  Add("delta", top);
  TNxTextItem* alpha = Add("alpha", top);
  EXPECT_EQ(Order(inspector->Items()->SortedList()), Names({"beta", "beta1", "delta", "alpha"}));
  beta->SetCaption(u"zeta");
  alpha->SetCaption(u"alpha");
  EXPECT_EQ(Order(inspector->Items()->SortedList()), Names({"alpha", "delta", "beta", "beta1"}));
  top->SetCaption(u"aaa");  // level 0 and level 2 rows keep their places
  inspector->Items()->Item(2)->SetCaption(u"aaa");
  EXPECT_EQ(Order(inspector->Items()->SortedList()), Names({"alpha", "delta", "beta", "beta1"}));
  inspector->SetItemsArrange(taName);
  EXPECT_EQ(Order(inspector->Items()->NodeList()), Names({"alpha", "delta", "beta", "beta1"}));
}

TEST_F(Rows, RowsInNoListTakeNoValueAndFailNothing) {
  auto* loose = new TNxTextItem(form.get());
  EXPECT_NO_THROW(loose->SetValue(u"x"));
  EXPECT_EQ(loose->GetValue(), u"");
  auto* combo = new TNxComboBoxItem(form.get());
  combo->Lines()->Add("a");
  EXPECT_NO_THROW(combo->SetItemIndex(0));
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->GetValue(), u"");
  EXPECT_NO_THROW(loose->SetMapProperty("RowHeight"));
}

TEST_F(Rows, TextRowsConvertWithFallbacksAndJoinTheSuffix) {
  TNxTextItem* row = Add("Row");
  row->SetValue(u"12");
  EXPECT_EQ(row->GetAsInteger(), 12);
  row->SetValue(u"twelve");
  EXPECT_EQ(row->GetAsInteger(), 0);
  EXPECT_EQ(row->GetAsFloat(), 0);
  row->SetAsFloat(2.5);
  EXPECT_EQ(row->GetValue(), u"2.5");
  row->SetSuffixValue(u" kbps");
  EXPECT_EQ(row->FullText(), u"2.5 kbps");
}

TEST_F(Rows, ComboRowsTakeTheirLineByDisplayMode) {
  auto* row = Add<TNxComboBoxItem>("Combo");
  row->Lines()->Add("lo=Low");
  row->Lines()->Add("plain");
  const struct { TItemsDisplayMode mode; int index; const char16_t* value; } cases[] = {
      {dmDefault, 0, u"lo=Low"}, {dmNameList, 0, u"lo"}, {dmValueList, 0, u"Low"}, {dmIndentList, 0, u"Low"},
      {dmDefault, 1, u"plain"},  {dmNameList, 1, u""},   {dmValueList, 1, u"lain"}, {dmIndentList, 1, u"lain"},
  };
  for (const auto& c : cases) {
    row->DisplayMode = c.mode;
    row->SetItemIndex(c.index);
    EXPECT_EQ(row->GetValue(), c.value) << "mode " << int(c.mode) << " index " << c.index;
  }
  row->SetItemIndex(0);
  Take();
  row->SetItemIndex(-1);
  EXPECT_EQ(row->ItemIndex(), -1);
  EXPECT_EQ(row->GetValue(), u"Low");
  row->SetItemIndex(7);
  EXPECT_EQ(row->GetValue(), u"Low");
  EXPECT_EQ(Take(), Names{});
  row->SetItemIndex(0);
  row->SetItemIndex(0);  // the same line again is notified again
  EXPECT_EQ(Take(), Names({"Combo:9", "Combo:9"}));
  row->IncludeState(csReading);
  row->SetItemIndex(0);
  row->ExcludeState(csReading);
  EXPECT_EQ(Take(), Names{});
}

TEST_F(Rows, APlainPopupRowBindsNothingAComboRowBindsItsList) {
  auto* popup = Add<TNxPopupItem>("Popup");
  ASSERT_TRUE(popup->Editor());
  EXPECT_FALSE(popup->Editor()->Is<TNxPopupEdit>());

  auto* combo = Add<TNxComboBoxItem>("Combo");
  combo->Lines()->Add("a");
  combo->Lines()->Add("b");
  combo->SetItemIndex(0);
  int closed = 0;
  combo->OnCloseUp = TNxItemNotifyEvent([](void* n, TNxPropertyItem*) { ++*static_cast<int*>(n); }, &closed);
  TNxComboBox* editor = combo->ComboEditor();
  editor->SetParent(inspector);
  combo->PrepareEditor();
  editor->SetItemIndex(1);
  editor->SetDroppedDown(true);
  editor->SetDroppedDown(false);
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(combo->ItemIndex(), 1);  // the list's index, the value not yet
  EXPECT_EQ(combo->GetValue(), u"a");
  combo->HideEditor();
  EXPECT_EQ(combo->GetValue(), u"b");
}

TEST_F(Rows, MappedRowsLoadAndWriteTheAssociatesProperties) {
  auto* target = new TNxInspector(form.get());
  TNxTextItem* height = Add("Height");
  TNxTextItem* style = Add("Style");
  TNxTextItem* options = Add("Options");
  TNxTextItem* font = Add("FontHeight");
  height->SetCaption(u"");
  height->SetMapProperty("RowHeight");
  style->SetMapProperty("Style");
  options->SetMapProperty("Options");
  font->SetMapProperty("Font.Height");
  inspector->SetAssociate(target);
  EXPECT_EQ(height->GetValue(), u"16");
  EXPECT_EQ(height->Caption(), u"RowHeight");
  EXPECT_EQ(style->GetValue(), u"psDefault");
  EXPECT_EQ(options->GetValue(), u"poGrid,poEnterSelectNext,poSplitterMoving,poUniformSelect");
  EXPECT_EQ(font->GetValue(), AnsiToWide(IntToStr(target->Font()->Height())));

  height->SetValue(u"20");
  style->SetValue(u"psWhidbey");
  options->SetValue(u"poGrid");
  EXPECT_EQ(target->RowHeight(), 20);
  EXPECT_EQ(target->Style(), psWhidbey);
  EXPECT_EQ(target->Options(), TInspectorPropertyOptions({poGrid}));
  EXPECT_THROW(style->SetValue(u"psNothing"), EPropertyError);
  TNxTextItem* missing = Add("Missing");
  EXPECT_NO_THROW(missing->SetMapProperty("NoSuchProperty"));
  EXPECT_EQ(missing->GetValue(), u"");
}

struct StoredRows : InspectorFixture {
  static void SetUpTestSuite() {
    InspectorFixture::SetUpTestSuite();
    TFormSettings::Register();
  }
};

TEST_F(StoredRows, NestingDecidesTheTreeAndParentIndexIsWritten) {
  std::unique_ptr<TFormSettings> form(CreateForm<TFormSettings>(nullptr));
  TNxPropertyItems* items = form->Inspector->Items();
  ASSERT_EQ(items->Count(), 11);
  EXPECT_EQ(form->AudioCategory->AbsoluteIndex(), 6);
  EXPECT_EQ(form->AudioCodec->ParentItem(), form->AudioCategory);
  EXPECT_EQ(form->AudioCodec->Level(), 1);
  EXPECT_EQ(form->VideoCategory->ChildCount(), 5);
  EXPECT_TRUE(form->VideoCategory->ReadOnly());
  EXPECT_EQ(form->VideoCodec->Lines()->Count(), 2);
  EXPECT_EQ(form->VideoCodec->GetValue(), u"MPEG-4");  // FormCreate chose the first lines
  const std::string written = WrittenForm(form->AudioChannels);
  const size_t at = written.find("ParentIndex");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(written.substr(at + 11, 2), std::string("\x02\x06", 2));  // a small integer: 6
  EXPECT_NE(WrittenForm(form->VideoCategory).find(std::string("ParentIndex\x02\xFF", 13)), std::string::npos);
}
