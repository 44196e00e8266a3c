#include "calderan_test.h"

#include <string>
#include <vector>

#include "FormReader.h"
#include "TypInfo.h"
#include "cxListView.h"
#include "toolkit/editors/editors_fixture.h"

// A form holding a list as the application's file list frame stores it.
class TStoredListHost : public TForm {
  CALDERAN_CLASS(TStoredListHost)
  using TForm::TForm;
};
CALDERAN_IMPLEMENT_CREATABLE(TStoredListHost, TForm, TComponent*)

namespace {

constexpr const char* storedList = R"(object Host: TStoredListHost
  object FileList: TcxListView
    Left = 0
    Top = 0
    Width = 500
    Height = 150
    Columns = <
      item
        Caption = 'Source video'
        Width = 120
      end
      item
        Caption = 'Original Length'
        Width = 90
        Alignment = taRightJustify
      end>
    ReadOnly = True
    ViewStyle = vsReport
  end
end)";

std::string WindowText(TcxCustomInnerListView* inner, int item, int sub) {
  char text[128] = {};
  LVITEMA request{};
  request.iSubItem = sub;
  request.pszText = text;
  request.cchTextMax = sizeof(text);
  SendMessageA(inner->Handle(), LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&request));
  return text;
}

struct ListViewItems : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&FormReaderUnit, &cxListViewUnit});
  }
  TcxListView* NewList() {
    auto* list = Place(new TcxListView(form.get()), 10, 10, 400, 150);
    list->InnerListView()->AddColumn({"Source video", 120});
    list->InnerListView()->AddColumn({"Length", 80});
    list->InnerListView()->AddColumn({"Trimmed", 80});
    list->SetViewStyle(vsReport);
    for (const char* name : {"one.avi", "two.mp4", "three.mp3"}) {
      TListItem* row = list->Items()->Add();
      row->SetCaption(name);
      row->SubItems()->Add("00:01:00.000");
      row->SubItems()->Add("00:00:30.000");
    }
    PumpWhileBusy();
    return list;
  }
  std::vector<std::string> log;
  void Changing(TObject*, int item, TItemChange change, bool& allow) {
    log.push_back("changing " + std::to_string(item) + (change == ctText ? " text" : " other"));
    allow = allowChange;
  }
  void Edited(TObject*, int item, std::string& text, bool&) { log.push_back("edited " + std::to_string(item) + " " + text); }
  void Changed(TObject* sender) { changeSenders.push_back(sender); }
  bool allowChange = true;
  std::vector<TObject*> changeSenders;
};

TEST_F(ListViewItems, StoredColumnsAreReadIntoTheList) {
  std::unique_ptr<TStoredListHost> host(new TStoredListHost(nullptr, 0));
  ReadComponentText(storedList, "Host", host.get());
  auto* list = static_cast<TcxListView*>(host->FindComponent("FileList"));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Columns()->Count(), 2);
  EXPECT_EQ(list->Column(0)->Caption(), "Source video");
  EXPECT_EQ(list->Column(1)->Width(), 90);
  EXPECT_EQ(list->Column(1)->Alignment(), taRightJustify);
  EXPECT_EQ(list->InnerListView()->ColumnCount(), 2);
  host->SetParent(nullptr);
  list->SetParent(form.get());
  PumpWhileBusy();
  HWND header = list->InnerListView()->HeaderWindow();
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(ListViewItems, ColumnWidthsAreReadBackAfterTheDividerWasDragged) {
  TcxListView* list = NewList();
  HWND header = list->InnerListView()->HeaderWindow();
  ASSERT_NE(header, nullptr);
  // What a drag of the divider does: the header item gets its new width and tells the list.
  HDITEMA item{};
  item.mask = HDI_WIDTH;
  item.cxy = 200;
  SendMessageA(header, HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(list->Column(0)->Width(), 200);
  EXPECT_EQ(list->InnerListView()->Column(0).Width, 200);
  list->InnerListView()->RecreateWnd();
  PumpWhileBusy();
  EXPECT_EQ(SendMessageA(list->InnerListView()->Handle(), LVM_GETCOLUMNWIDTH, 0, 0), 200);
}

TEST_F(ListViewItems, RowTextsChangeAfterAddingAndSurviveANewWindow) {
  TcxListView* list = NewList();
  TcxCustomInnerListView* inner = list->InnerListView();
  TListItem* row = list->Items()->Item(1);
  row->SetCaption("renamed.mp4");
  row->SubItems()->Put(1, "00:00:10.000");
  row->SubItems()->Add("two_out");
  EXPECT_EQ(WindowText(inner, 1, 0), "renamed.mp4");
  EXPECT_EQ(WindowText(inner, 1, 2), "00:00:10.000");
  inner->RecreateWnd();
  PumpWhileBusy();
  EXPECT_EQ(WindowText(inner, 1, 0), "renamed.mp4");
  EXPECT_EQ(WindowText(inner, 1, 2), "00:00:10.000");
  EXPECT_EQ(list->Items()->Item(1)->SubItems()->Get(2), "two_out");
  EXPECT_THROW(row->SubItems()->Get(5), EStringListError);
  EXPECT_THROW(list->Items()->Item(3), EListError);
}

TEST_F(ListViewItems, PositionAndBoundsFollowTheRowsAndHorizontalScrolling) {
  TcxListView* list = NewList();
  TcxCustomInnerListView* inner = list->InnerListView();
  list->Column(0)->SetWidth(400);  // wider than the list: it scrolls sideways
  TListItem* row = list->Items()->Item(2);
  const TRect bounds = row->DisplayRect(TListItem::drSelectBounds);
  RECT expected{LVIR_SELECTBOUNDS, 0, 0, 0};
  SendMessageA(inner->Handle(), LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&expected));
  EXPECT_EQ(bounds, TRect(expected));
  EXPECT_EQ(row->Position().Y, bounds.Top);
  const int before = row->Position().X;
  SendMessageA(inner->Handle(), LVM_SCROLL, 50, 0);
  EXPECT_LT(row->Position().X, before);
  EXPECT_EQ(list->ItemAtPoint(5, bounds.Top + 2)->Index(), 2);
  EXPECT_EQ(list->ItemAtPoint(5, inner->ClientHeight() - 2), nullptr);
  EXPECT_EQ(list->GetSelectedItem(), nullptr);
  row->SetSelected(true);
  EXPECT_TRUE(row->Selected());
  EXPECT_EQ(list->GetSelectedItem()->Index(), 2);
}

TEST_F(ListViewItems, OnChangingCanRefuseAnEditedCaptionBeforeOnEditedSeesIt) {
  TcxListView* list = NewList();
  TcxCustomInnerListView* inner = list->InnerListView();
  inner->OnChanging = MakeEvent(static_cast<ListViewItems*>(this), &ListViewItems::Changing);
  inner->OnEdited = MakeEvent(static_cast<ListViewItems*>(this), &ListViewItems::Edited);
  auto endEdit = [&](int item, const char* text) {
    NMLVDISPINFOA info{};
    info.hdr = NMHDR{inner->Handle(), 0, static_cast<UINT>(LVN_ENDLABELEDITA)};
    info.item.iItem = item;
    info.item.pszText = const_cast<char*>(text);
    inner->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  };
  allowChange = false;
  endEdit(0, "refused.avi");
  ASSERT_GE(log.size(), 1u);
  EXPECT_EQ(log[0], "changing 0 text");
  EXPECT_EQ(std::count(log.begin(), log.end(), "edited 0 refused.avi"), 0);
  EXPECT_EQ(list->Items()->Item(0)->Caption(), "one.avi");
  log.clear();
  endEdit(-1, "nobody");
  EXPECT_TRUE(log.empty());
  allowChange = true;
  endEdit(0, "kept.avi");
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], "changing 0 text");
  EXPECT_EQ(log[1], "edited 0 kept.avi");
  EXPECT_EQ(WindowText(inner, 0, 0), "kept.avi");
}

TEST_F(ListViewItems, OnChangeFiresForRowChangesWithTheInnerListAsSender) {
  TcxListView* list = NewList();
  TcxCustomInnerListView* inner = list->InnerListView();
  inner->OnChange = MakeEvent(static_cast<ListViewItems*>(this), &ListViewItems::Changed);
  list->Items()->Item(1)->SetSelected(true);
  ASSERT_FALSE(changeSenders.empty());
  EXPECT_EQ(changeSenders.back(), inner);
  changeSenders.clear();
  list->Items()->Item(0)->SetCaption("other.avi");
  EXPECT_FALSE(changeSenders.empty());
}

TEST_F(ListViewItems, TheCornerBetweenTheBarsTakesThePaintersColourAfterAResize) {
  TcxListView* list = NewList();
  list->Style()->LookAndFeel()->SetKind(lfOffice11);
  list->Column(0)->SetWidth(600);
  for (int i = 0; i < 20; ++i) list->Items()->Add()->SetCaption("row " + std::to_string(i));
  list->SetBounds(10, 10, 300, 120);
  PumpWhileBusy();
  ASSERT_TRUE(list->IsHScrollBarVisible() && list->IsVScrollBarVisible());
  TcxCustomInnerListView* inner = list->InnerListView();
  list->SetBounds(10, 10, 320, 130);
  PumpWhileBusy();
  RECT window, client;
  GetWindowRect(inner->Handle(), &window);
  GetClientRect(inner->Handle(), &client);
  HDC dc = GetWindowDC(inner->Handle());
  const COLORREF corner = GetPixel(dc, window.right - window.left - 2, window.bottom - window.top - 2);
  ReleaseDC(inner->Handle(), dc);
  if (window.right - window.left > client.right && window.bottom - window.top > client.bottom) {
    EXPECT_EQ(corner, ColorToRGB(list->LookAndFeel()->CurrentPainter()->SizeGripAreaColor()));
  }
}

}  // namespace
