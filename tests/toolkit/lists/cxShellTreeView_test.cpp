#include "calderan_test.h"

#include <string>
#include <vector>

#include "cxShellListView.h"
#include "cxShellTreeView.h"
#include "shell_fixture.h"

namespace {

struct ShellTreeView : ShellFixture {
  static void SetUpTestSuite() {
    ShellFixture::SetUpTestSuite();
    StartUnits({&cxListViewUnit, &cxShellTreeViewUnit, &cxShellListViewUnit});
  }
  // A tree on the form rooted at a folder of the test tree ("" for its root).
  TcxShellTreeView* NewTree(const std::string& part = "", bool showHidden = false) {
    auto* tree = new TcxShellTreeView(form.get());
    tree->Options()->SetShowHidden(showHidden);
    tree->Root()->SetCustomPath(AnsiToWide(this->tree->Path(part)));
    tree->Root()->SetBrowseFolder(bfCustomPath);
    Place(tree, 10, 10, 300, 300);
    tree->HandleNeeded();
    PumpWhileBusy();
    return tree;
  }
  static std::vector<std::string> ChildTexts(TcxCustomInnerShellTreeView* inner, HTREEITEM node) {
    std::vector<std::string> texts;
    for (int i = 0; i < inner->ChildCount(node); ++i) texts.push_back(WideToAnsi(inner->NodeText(inner->ChildAt(node, i))));
    return texts;
  }
  static HTREEITEM ChildNamed(TcxCustomInnerShellTreeView* inner, HTREEITEM node, const std::string& name) {
    for (int i = 0; i < inner->ChildCount(node); ++i)
      if (WideToAnsi(inner->NodeText(inner->ChildAt(node, i))) == name) return inner->ChildAt(node, i);
    return nullptr;
  }
};

TEST_F(ShellTreeView, ANewViewShowsTheDesktopAsItsOneListedTopNode) {
  auto* tree = Place(new TcxShellTreeView(form.get()), 10, 10, 300, 300);
  tree->HandleNeeded();
  PumpWhileBusy();
  TcxInnerShellTreeView* inner = tree->InnerTreeView();
  HTREEITEM top = inner->TopNode();
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(inner->ChildCount(TVI_ROOT), 1);
  SHFILEINFOW info{};
  TItemIdListHolder desktop(EmptyItemIdList());
  SHGetFileInfoW(reinterpret_cast<LPCWSTR>(desktop.get()), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_DISPLAYNAME);
  EXPECT_EQ(inner->NodeText(top), std::u16string(reinterpret_cast<const char16_t*>(info.szDisplayName)));
  EXPECT_GT(inner->ChildCount(top), 0);
  EXPECT_TRUE(inner->NodeHasButton(top));
  EXPECT_EQ(tree->Width(), 300);
  TcxShellTreeView plain(nullptr);
  EXPECT_EQ(plain.Width(), 121);
  EXPECT_EQ(plain.Height(), 97);
  EXPECT_TRUE(plain.RightClickSelect());
  EXPECT_FALSE(plain.Options()->ShowNonFolders());
}

TEST_F(ShellTreeView, FoldersShowTheirButtonsAndHiddenOnesOnlyWhenAsked) {
  for (bool showHidden : {false, true}) {
    SCOPED_TRACE(showHidden);
    TcxShellTreeView* tree = NewTree("", showHidden);
    TcxInnerShellTreeView* inner = tree->InnerTreeView();
    HTREEITEM top = inner->TopNode();
    std::vector<std::string> expected = {"Dossier \xE9t\xE9", "Empty", "Folder with spaces", "Many", "Only files"};
    if (showHidden) expected.insert(expected.begin() + 3, "Hidden folder");
    EXPECT_EQ(ChildTexts(inner, top), expected);
    // Wine's shell answers "has subfolders" for every folder, so a folder loses its button only
    // once it is expanded and found empty of folders.
    struct {
      const char* name;
      bool button;
    } cases[] = {{"Folder with spaces", true}, {"Empty", false}, {"Only files", false}, {"Many", false}};
    for (const auto& c : cases) {
      HTREEITEM node = ChildNamed(inner, top, c.name);
      inner->Expand(node);
      EXPECT_EQ(inner->NodeHasButton(node), c.button) << c.name;
    }
    if (showHidden) {
      EXPECT_TRUE(inner->NodeCut(ChildNamed(inner, top, "Hidden folder")));
    }
    HTREEITEM spaces = ChildNamed(inner, top, "Folder with spaces");
    EXPECT_EQ(ChildTexts(inner, spaces), std::vector<std::string>{"Inner"});
    delete tree;
  }
}

TEST_F(ShellTreeView, PathSelectsTheFolderItNamesAndNothingElse) {
  TcxShellTreeView* tree = NewTree();
  const std::string inner = TreePath("\\Folder with spaces\\Inner");
  const std::string drive = TreePath().substr(0, 2);
  const std::string withoutDrive = TreePath().substr(2);
  struct {
    std::string text;
    std::string selected;  // the Path read back; "" keeps the previous selection
  } cases[] = {
      {inner + "\\", inner},
      {AnsiLowerCase(TreePath("\\Dossier \xC9T\xC9")), TreePath("\\Dossier \xE9t\xE9")},
      {withoutDrive + "\\Empty", TreePath("\\Empty")},                         // on the root's drive
      {drive + "Empty", ""},                                                    // drive-relative
      {"Folder with spaces", TreePath("\\Folder with spaces")},                // below the root
      {"::{63BE9ADB-E4B5-4623-96AA-57440B4EF5A8}\\Folder with spaces\\Inner", inner},
      {"::{63BE9ADB-E4B5-4623-96AA-57440B4EF5A8}\\No such folder\\Empty", ""},  // a part names no child
      {"C:\\windows", ""},                                                      // outside the root
      {TreePath("\\Hidden folder"), TreePath()},  // resolved, but not listed: its listed ancestor
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    tree->SetPath(TreePath("\\Many"));
    ASSERT_EQ(tree->Path(), TreePath("\\Many"));
    tree->SetPath(c.text);
    EXPECT_EQ(tree->Path(), c.selected.empty() ? TreePath("\\Many") : c.selected);
  }
}

// The identifier list of a folder beside the root has as many items as one below it would; the
// list is only followed when it starts with the root.
TEST_F(ShellTreeView, SelectingByListChecksThatItStartsAtTheRoot) {
  TcxShellTreeView* tree = NewTree("\\Folder with spaces");
  TcxInnerShellTreeView* inner = tree->InnerTreeView();
  TItemIdListHolder below(TShellTestTree::Parse(TreePath("\\Folder with spaces\\Inner")));
  TItemIdListHolder beside(TShellTestTree::Parse(TreePath("\\Dossier \xE9t\xE9\\caf\xE9.txt")));
  TItemIdListHolder above(TShellTestTree::Parse(TreePath()));
  SendMessageA(inner->Handle(), CXSM_SELECTBYID, reinterpret_cast<WPARAM>(below.get()), 0);
  EXPECT_EQ(tree->Path(), TreePath("\\Folder with spaces\\Inner"));
  SendMessageA(inner->Handle(), CXSM_SELECTBYID, reinterpret_cast<WPARAM>(beside.get()), 0);
  EXPECT_EQ(tree->Path(), TreePath("\\Folder with spaces\\Inner"));
  SendMessageA(inner->Handle(), CXSM_SELECTBYID, reinterpret_cast<WPARAM>(above.get()), 0);
  EXPECT_EQ(tree->Root()->RootDisplayPath(), TreePath());  // a folder above the root becomes the root
  EXPECT_EQ(tree->Path(), TreePath());
}

TEST_F(ShellTreeView, RefreshKeepsExpandedNodesAndTheSelection) {
  TcxShellTreeView* tree = NewTree();
  TcxInnerShellTreeView* inner = tree->InnerTreeView();
  tree->SetPath(TreePath("\\Folder with spaces\\Inner"));
  const std::string added = TreePath("\\Added folder");
  CreateDirectoryA(added.c_str(), nullptr);
  Word f5 = VK_F5;
  inner->Perform(WM_KEYDOWN, f5, 0);
  PumpWhileBusy();
  EXPECT_EQ(tree->Path(), TreePath("\\Folder with spaces\\Inner"));
  EXPECT_NE(ChildNamed(inner, inner->TopNode(), "Added folder"), nullptr);
  RemoveDirectoryA(added.c_str());
}

}  // namespace
