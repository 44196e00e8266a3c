#include "calderan_test.h"

#include <string>
#include <vector>

#include "cxShellListView.h"
#include "cxShellTreeView.h"
#include "shell_fixture.h"

namespace {

struct ShellDragDrop : ShellFixture {
  static void SetUpTestSuite() {
    ShellFixture::SetUpTestSuite();
    StartUnits({&cxListViewUnit, &cxShellTreeViewUnit, &cxShellListViewUnit});
  }
  void Changed(TObject*, DWORD event, PItemIDList, PItemIDList) { events.push_back(event); }
  std::vector<DWORD> events;
};

TEST_F(ShellDragDrop, TheDropSourceFollowsEscapeAndTheMouseButtons) {
  auto* source = new TcxDropSource(nullptr);
  struct {
    BOOL escape;
    DWORD keys;
    HRESULT answer;
  } cases[] = {{TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL}, {FALSE, MK_LBUTTON, S_OK}, {FALSE, MK_RBUTTON, S_OK},
               {FALSE, MK_SHIFT, DRAGDROP_S_DROP}, {FALSE, 0, DRAGDROP_S_DROP}};
  for (const auto& c : cases) EXPECT_EQ(source->QueryContinueDrag(c.escape, c.keys), c.answer) << c.escape << c.keys;
  EXPECT_EQ(source->GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
  source->Release();
}

TEST_F(ShellDragDrop, SettingsGiveTheEffectsOfADrag) {
  TcxDragDropSettings settings;
  EXPECT_EQ(settings.AllowedEffects(), DWORD(DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK));
  EXPECT_EQ(settings.DefaultDropEffectValue(), DWORD(DROPEFFECT_MOVE));
  settings.SetDropEffect({deCopy, deLink});
  settings.SetDefaultDropEffect(deLink);
  EXPECT_EQ(settings.AllowedEffects(), DWORD(DROPEFFECT_COPY | DROPEFFECT_LINK));
  EXPECT_EQ(settings.DefaultDropEffectValue(), DWORD(DROPEFFECT_LINK));
}

// The shell reports a new folder to the registered tree, which rebuilds and shows it.
TEST_F(ShellDragDrop, TheTreeFollowsShellChangesBelowItsFolder) {
  if (!ChangeNotificationAvailable()) GTEST_SKIP() << "the shell library has no change notification";
  auto* view = new TcxShellTreeView(form.get());
  view->Root()->SetCustomPath(AnsiToWide(TreePath()));
  view->Root()->SetBrowseFolder(bfCustomPath);
  view->OnShellChange = MakeEvent(static_cast<ShellDragDrop*>(this), &ShellDragDrop::Changed);
  Place(view, 10, 10, 300, 300);
  view->HandleNeeded();
  PumpWhileBusy();
  view->SetPath(TreePath("\\Folder with spaces"));
  ASSERT_EQ(view->Path(), TreePath("\\Folder with spaces"));
  const std::string made = TreePath("\\Folder with spaces\\Made by the shell");
  CreateDirectoryA(made.c_str(), nullptr);
  SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA | SHCNF_FLUSH, made.c_str(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return !events.empty(); }));
  PumpWhileBusy();
  TcxInnerShellTreeView* inner = view->InnerTreeView();
  EXPECT_EQ(view->Path(), TreePath("\\Folder with spaces"));
  HTREEITEM selected = inner->Selected();
  bool shown = false;
  for (int i = 0; i < inner->ChildCount(selected); ++i)
    shown = shown || WideToAnsi(inner->NodeText(inner->ChildAt(selected, i))) == "Made by the shell";
  EXPECT_TRUE(shown);
  RemoveDirectoryA(made.c_str());
}

}  // namespace
