#include "calderan_test.h"

#include <string>
#include <vector>

#include "cxShellListView.h"
#include "cxShellTreeView.h"
#include "shell_fixture.h"

namespace {

struct ShellListView : ShellFixture {
  static void SetUpTestSuite() {
    ShellFixture::SetUpTestSuite();
    StartUnits({&cxListViewUnit, &cxShellTreeViewUnit, &cxShellListViewUnit});
  }
  TcxCustomShellListView* NewList(const std::string& part) {
    auto* list = new TcxCustomShellListView(form.get());
    list->Root()->SetCustomPath(AnsiToWide(TreePath(part)));
    list->Root()->SetBrowseFolder(bfCustomPath);
    Place(list, 10, 10, 400, 300);
    list->HandleNeeded();
    return list;
  }
  static int ItemCount(TcxCustomShellListView* list) {
    return static_cast<int>(SendMessageA(list->InnerListView()->Handle(), LVM_GETITEMCOUNT, 0, 0));
  }
  static std::string ItemText(TcxCustomShellListView* list, int index, int column = 0) {
    char text[260] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(list->InnerListView()->Handle(), LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  static void Key(TcxCustomShellListView* list, Word key) { list->InnerListView()->Perform(WM_KEYDOWN, key, 0); }
};

TEST_F(ShellListView, AFolderOfTwoThousandFilesIsCountedAtOnceAndCompletedInTheBackground) {
  TcxCustomShellListView* list = NewList("\\Many");
  TcxShellListViewProducer* producer = list->InnerListView()->Producer();
  EXPECT_EQ(ItemCount(list), 2000);
  EXPECT_EQ(list->Width(), 400);
  producer->LockForRead();
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(producer->Item(i)->Fetched) << i;
  producer->UnlockRead();
  EXPECT_EQ(ItemText(list, 0), "file 10000.dat");
  EXPECT_EQ(ItemText(list, 1999), "file 11999.dat");
  EXPECT_TRUE(PumpUntil([&] {
    producer->LockForRead();
    const bool last = producer->Item(1999)->Fetched;
    producer->UnlockRead();
    return last;
  }));
}

// The worker may be inside a fetch of the folder's items when the view goes: freeing waits for it.
TEST_F(ShellListView, FreeingTheViewWhileItsWorkerFetchesStopsItCleanly) {
  for (int round = 0; round < 3; ++round) {
    TcxCustomShellListView* list = NewList("\\Many");
    Sleep(round * 7);
    delete list;
  }
  TcxCustomShellListView* survivor = NewList("\\Folder with spaces");
  EXPECT_EQ(ItemCount(survivor), 1);
}

TEST_F(ShellListView, KeysOpenGoUpAndRefreshKeepingTheSelection) {
  TcxCustomShellListView* list = NewList("");
  TcxInnerShellListView* inner = list->InnerListView();
  EXPECT_EQ(ItemText(list, 0), "Dossier \xE9t\xE9");  // folders first
  inner->SetSelectedIndex(2);                          // Folder with spaces
  Key(list, VK_RETURN);
  EXPECT_EQ(list->Root()->RootDisplayPath(), TreePath("\\Folder with spaces"));
  EXPECT_EQ(ItemText(list, 0), "Inner");
  Key(list, VK_BACK);
  EXPECT_EQ(list->Root()->RootDisplayPath(), TreePath());
  inner->SetSelectedIndex(4);  // Only files
  Key(list, VK_F5);
  EXPECT_EQ(inner->SelectedIndex(), 4);
  TItemIdListHolder desktop(EmptyItemIdList());
  list->BrowseTo(desktop.get());
  Key(list, VK_BACK);
  EXPECT_EQ(ItemIdCount(list->Root()->RootId()), 0);  // the desktop stays the desktop
}

TEST_F(ShellListView, TheReportViewShowsTheFolderColumns) {
  TcxCustomShellListView* list = NewList("");
  list->SetViewStyle(vsReport);
  list->InnerListView()->Relist();
  TcxCustomInnerListView* inner = list->InnerListView();
  ASSERT_GE(inner->ColumnCount(), 2);
  EXPECT_FALSE(inner->Column(0).Caption.empty());
  int kilo = -1;
  for (int i = 0; i < ItemCount(list); ++i)
    if (ItemText(list, i) == "kilo plus.bin") kilo = i;
  ASSERT_GE(kilo, 0);
  EXPECT_FALSE(ItemText(list, kilo, 1).empty());
}

TEST_F(ShellListView, ALinkedTreeAndListFollowEachOther) {
  auto* tree = Place(new TcxShellTreeView(form.get()), 10, 10, 150, 300);
  tree->Root()->SetCustomPath(AnsiToWide(TreePath()));
  tree->Root()->SetBrowseFolder(bfCustomPath);
  TcxCustomShellListView* list = NewList("");
  tree->SetShellListView(list);
  tree->HandleNeeded();
  tree->SetPath(TreePath("\\Folder with spaces"));
  EXPECT_EQ(list->Root()->RootDisplayPath(), TreePath("\\Folder with spaces"));
  list->InnerListView()->SetSelectedIndex(0);
  Key(list, VK_RETURN);  // Inner
  EXPECT_EQ(tree->Path(), TreePath("\\Folder with spaces\\Inner"));
  delete list;
  EXPECT_EQ(tree->ShellListView(), nullptr);
}

}  // namespace
