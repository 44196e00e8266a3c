#include "calderan_test.h"

#include <string>
#include <vector>

#include "shell_fixture.h"

namespace {

// A producer without view or gatherer that lists with the given enumeration flags and records
// the removals and additions a merge announces.
class TPlainProducer : public TcxCustomItemProducer {
 public:
  explicit TPlainProducer(DWORD flags) : TcxCustomItemProducer(nullptr), flags_(flags) {}
  ~TPlainProducer() override { ClearItems(); }
  bool FetchesInBackground() override { return false; }
  DWORD EnumFlags() override { return flags_; }
  TcxShellItemsInfoGatherer* Gatherer() override { return nullptr; }
  bool ShowsToolTips() override { return false; }
  void NotifyItemFetched(const FetchRequest&) override {}
  void NotifyItemRemoved(int index) override { events.push_back("-" + std::to_string(index)); }
  void NotifyItemAdded(int index) override { events.push_back("+" + WideToAnsi(Item(index)->DisplayName)); }
  void List(const std::string& path) {
    TItemIdListHolder list(TShellTestTree::Parse(path));
    TcxComPtr<IShellFolder> folder;
    DesktopFolder()->BindToObject(list.get(), nullptr, IID_IShellFolder, folder.OutVoid());
    ProcessItems(folder.Get(), list.get(), 0);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int i = 0; i < ItemCount(); ++i) names.push_back(WideToAnsi(Item(i)->DisplayName));
    return names;
  }
  std::vector<std::string> events;

 private:
  DWORD flags_;
};

// Counts the root's change notifications and re-assigns them to a linked root, as linked views do.
struct TRootLink {
  TcxCustomShellRoot* other = nullptr;
  int changes = 0;
  void Changed(TObject* sender) {
    ++changes;
    if (other) other->AssignFromLinked(static_cast<TcxCustomShellRoot*>(sender));
  }
};

PItemIDList SpecialFolder(int csidl) {
  LPITEMIDLIST list = nullptr;
  return SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) ? list : nullptr;
}

struct ShellProducers : ShellFixture {};

TEST_F(ShellProducers, EnumerationFlagsDecideWhatIsListed) {
  struct {
    bool folders, nonFolders, hidden;
    std::vector<std::string> names;
  } cases[] = {
      {true, false, false, {"Dossier \xE9t\xE9", "Empty", "Folder with spaces", "Many", "Only files"}},
      {false, true, false, {"kilo plus.bin", "kilo.bin", "one byte.txt"}},
      {false, true, true, {"hidden.txt", "kilo plus.bin", "kilo.bin", "one byte.txt"}},
      {false, false, true, {}},
  };
  for (const auto& c : cases) {
    TcxShellTreeViewOptions options(nullptr);
    options.SetShowFolders(c.folders);
    options.SetShowNonFolders(c.nonFolders);
    options.SetShowHidden(c.hidden);
    TPlainProducer producer(options.EnumFlags());
    producer.List(tree->Path());
    EXPECT_EQ(producer.Names(), c.names) << c.folders << c.nonFolders << c.hidden;
  }
}

TEST_F(ShellProducers, ARefreshMergesANewListingIntoTheCurrentOne) {
  const std::string folder = tree->Path("\\Folder with spaces");
  TPlainProducer producer(SHCONTF_FOLDERS | SHCONTF_NONFOLDERS);
  producer.List(folder);
  ASSERT_EQ(producer.Names(), std::vector<std::string>{"Inner"});
  TcxShellItemInfo* kept = producer.Item(0);
  CloseHandle(CreateFileA((folder + "\\added file.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(producer.RefreshItems());
  EXPECT_EQ(producer.Names(), (std::vector<std::string>{"Inner", "added file.txt"}));
  EXPECT_NE(producer.Item(0), kept);  // the new listing's object takes the old one's place
  EXPECT_TRUE(producer.Item(1)->Fetched);
  DeleteFileA((folder + "\\added file.txt").c_str());
  ASSERT_TRUE(producer.RefreshItems());
  EXPECT_EQ(producer.events, (std::vector<std::string>{"+added file.txt", "-1"}));
  EXPECT_EQ(producer.Names(), std::vector<std::string>{"Inner"});
}

TEST_F(ShellProducers, RootsResolveTheirSpecialFolders) {
  struct {
    TcxBrowseFolder folder;
    int csidl;
  } cases[] = {{bfDesktop, 0}, {bfDrives, 0x11}, {bfAltStartup, 7}, {bfStartUp, 7}, {bfNetHood, 0x12},
               {bfProfile, 0x28}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    TcxCustomShellRoot root(nullptr, nullptr);
    TItemIdListHolder expected(SpecialFolder(c.csidl));
    if (!expected) {
      EXPECT_THROW(root.SetBrowseFolder(c.folder), EcxEditError);
      continue;
    }
    root.SetBrowseFolder(c.folder);
    EXPECT_TRUE(root.Resolved());
    EXPECT_TRUE(SameItemIdLists(root.RootId(), expected.get()));
    EXPECT_NE(root.RootFolder(), nullptr);
  }
}

TEST_F(ShellProducers, ACustomPathResolvesOnlyForTheCustomRootAndAFailureKeepsTheOldRoot) {
  TcxCustomShellRoot root(nullptr, nullptr);
  root.SetCustomPath(AnsiToWide(tree->Path("\\Empty")));
  EXPECT_FALSE(root.Resolved());  // stored, not resolved, while the root is another folder
  root.SetBrowseFolder(bfCustomPath);
  EXPECT_EQ(root.RootDisplayPath(), tree->Path("\\Empty"));
  try {
    root.SetCustomPath(AnsiToWide(tree->Path("\\No such folder")));
    ADD_FAILURE() << "no error";
  } catch (const EcxEditError& e) {
    EXPECT_FALSE(e.Message().empty());
  }
  EXPECT_EQ(WideToAnsi(root.CustomPath()), tree->Path("\\Empty"));
  EXPECT_EQ(root.RootDisplayPath(), tree->Path("\\Empty"));
  root.SetCustomPath(u"");
  EXPECT_TRUE(root.Resolved());
  EXPECT_EQ(ItemIdCount(root.RootId()), 0);  // an empty custom path is the desktop
}

TEST_F(ShellProducers, LinkedRootsFollowEachOtherOnce) {
  TcxCustomShellRoot a(nullptr, nullptr), b(nullptr, nullptr);
  TRootLink toB{&b}, toA{&a};
  a.OnChange = MakeEvent(&toB, &TRootLink::Changed);
  b.OnChange = MakeEvent(&toA, &TRootLink::Changed);
  a.SetBrowseFolder(bfDrives);
  EXPECT_EQ(b.BrowseFolder(), bfDrives);
  EXPECT_TRUE(SameItemIdLists(a.RootId(), b.RootId()));
  EXPECT_EQ(toB.changes, 1);
  EXPECT_EQ(toA.changes, 0);
}

}  // namespace
