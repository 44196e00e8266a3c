#include "calderan_test.h"

#include <mutex>
#include <string>
#include <vector>

#include "shell_fixture.h"

namespace {

// Builds a list of `count` items of three bytes each.
std::vector<BYTE> SyntheticList(int count) {
  std::vector<BYTE> bytes;
  for (int i = 0; i < count; ++i) bytes.insert(bytes.end(), {3, 0, static_cast<BYTE>(i)});
  bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

PItemIDList AsList(std::vector<BYTE>& bytes) { return reinterpret_cast<PItemIDList>(bytes.data()); }

// A producer over one folder of the test tree that records what the gatherer completed, in order.
class TRecordingProducer : public TcxCustomItemProducer {
 public:
  explicit TRecordingProducer(TcxShellItemsInfoGatherer* gatherer) : TcxCustomItemProducer(nullptr), gatherer_(gatherer) {}
  ~TRecordingProducer() override { ClearItems(); }
  bool FetchesInBackground() override { return false; }
  DWORD EnumFlags() override { return SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN; }
  TcxShellItemsInfoGatherer* Gatherer() override { return gatherer_; }
  bool ShowsToolTips() override { return false; }
  void ItemFetched(TcxShellItemInfo*) override {
    inside = true;
    Sleep(fetchMilliseconds);
    inside = false;
  }
  void NotifyItemFetched(const FetchRequest& request) override {
    std::lock_guard<std::mutex> lock(mutex);
    fetched.push_back(request.ItemIndex);
  }
  void List(const std::string& path) {
    TItemIdListHolder list(TShellTestTree::Parse(path));
    TcxComPtr<IShellFolder> folder;
    DesktopFolder()->BindToObject(list.get(), nullptr, IID_IShellFolder, folder.OutVoid());
    ProcessItems(folder.Get(), list.get(), 0);
  }
  std::vector<int> Fetched() {
    std::lock_guard<std::mutex> lock(mutex);
    return fetched;
  }
  bool WaitForFetches(size_t count) {
    for (int i = 0; i < 500 && Fetched().size() < count; ++i) Sleep(10);
    return Fetched().size() >= count;
  }
  std::atomic<bool> inside{false};
  int fetchMilliseconds = 0;

 private:
  TcxShellItemsInfoGatherer* gatherer_;
  std::mutex mutex;
  std::vector<int> fetched;
};

struct ShellCommon : ShellFixture {};

TEST_F(ShellCommon, IdentifierListRoutinesCountCopyAndCompare) {
  struct {
    int items;
    int count, size;
  } cases[] = {{0, 0, 0}, {1, 1, 3}, {5, 5, 15}, {260, 260, 780}, {261, -1, 783}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.items);
    std::vector<BYTE> bytes = SyntheticList(c.items);
    EXPECT_EQ(ItemIdCount(AsList(bytes)), c.count);
    EXPECT_EQ(ItemIdListSize(AsList(bytes)), c.size);
    TItemIdListHolder copy(CopyItemIdList(AsList(bytes)));
    EXPECT_TRUE(SameItemIdLists(copy.get(), AsList(bytes)));
    TItemIdListHolder parent(ParentItemIdList(AsList(bytes)));
    EXPECT_EQ(ItemIdListSize(parent.get()), std::max(c.size - 3, 0));
    EXPECT_TRUE(IsItemIdListPrefix(parent.get(), AsList(bytes)));
  }
  EXPECT_EQ(ItemIdCount(nullptr), 0);
  EXPECT_EQ(NextItemId(nullptr), nullptr);
  std::vector<BYTE> two = SyntheticList(2), three = SyntheticList(3);
  EXPECT_FALSE(SameItemIdLists(AsList(two), AsList(three)));
  EXPECT_FALSE(IsItemIdListPrefix(AsList(three), AsList(two)));
  TItemIdListHolder joined(ConcatItemIdLists(AsList(two), AsList(three)));
  EXPECT_EQ(ItemIdCount(joined.get()), 5);
  EXPECT_EQ(LastItemId(joined.get())->mkid.abID[0], 2);
  EXPECT_EQ(ConcatItemIdLists(nullptr, nullptr), nullptr);
}

TEST_F(ShellCommon, SizesAreWholeKilobytesRoundedUp) {
  struct {
    uint64_t bytes;
    const char* text;
  } cases[] = {{0, "0 KB"}, {1, "1 KB"}, {1024, "1 KB"}, {1025, "2 KB"}, {1024 * 1234567ull, "1 234 567 KB"}};
  for (const auto& c : cases) EXPECT_EQ(FileSizeKBText(c.bytes), c.text) << c.bytes;
}

TEST_F(ShellCommon, ItemsOfAFolderKnowTheirNamesKindsAndPaths) {
  TRecordingProducer producer(nullptr);
  producer.List(tree->Path());
  std::vector<std::string> names;
  for (int i = 0; i < producer.ItemCount(); ++i) names.push_back(WideToAnsi(producer.Item(i)->DisplayName));
  // Folders first, then files, each in the folder's own order.
  const std::vector<std::string> expected = {"Dossier \xE9t\xE9", "Empty", "Folder with spaces", "Hidden folder",
                                             "Many", "Only files", "hidden.txt", "kilo plus.bin", "kilo.bin",
                                             "one byte.txt"};
  EXPECT_EQ(names, expected);
  TcxShellItemInfo* accented = producer.Item(0);
  EXPECT_TRUE(accented->IsContainer);
  EXPECT_FALSE(accented->Fetched);
  accented->FetchInfo(producer.Folder(), producer.FolderId());
  EXPECT_TRUE(accented->Fetched);
  EXPECT_TRUE(accented->InFileSystem);
  EXPECT_EQ(ItemIdListToPath(accented->AbsoluteId), tree->Path("\\Dossier \xE9t\xE9"));
  TcxShellItemInfo* hidden = producer.Item(3);
  hidden->FetchInfo(producer.Folder(), producer.FolderId());
  EXPECT_TRUE(hidden->IsHiddenItem);
  EXPECT_EQ(producer.IndexOfId(hidden->RelativeId), 3);
}

// The guard against fetching one item twice, seen from a single thread: while an item is marked
// as being fetched, a call returns without fetching, and once the mark clears it fetches.
TEST_F(ShellCommon, AnItemMarkedAsFetchingIsLeftAloneUntilTheMarkClears) {
  TRecordingProducer producer(nullptr);
  producer.List(tree->Path());
  TcxShellItemInfo* item = producer.Item(0);
  item->Fetching = true;
  item->FetchInfo(producer.Folder(), producer.FolderId());
  EXPECT_FALSE(item->Fetched);
  item->Fetching = false;
  item->FetchInfo(producer.Folder(), producer.FolderId());
  EXPECT_TRUE(item->Fetched);
}

TEST_F(ShellCommon, RequestsAreQueuedOnceAndUrgentOnesJumpTheQueue) {
  TcxShellItemsInfoGatherer gatherer(nullptr);
  TRecordingProducer first(&gatherer), second(&gatherer);
  first.List(tree->Path());
  second.List(tree->Path("\\Many"));
  gatherer.Pause();
  struct {
    TRecordingProducer* producer;
    int index;
    bool urgent;
  } requests[] = {{&first, 3, false}, {&first, 1, false},  {&second, 7, false}, {&first, 3, false},
                  {&first, 2, true},  {&first, 1, true},   {&second, 8, false}};
  for (const auto& r : requests) gatherer.RequestFetch(r.producer, r.index, r.urgent);
  gatherer.PurgeRequests(&second);
  gatherer.Resume();
  ASSERT_TRUE(first.WaitForFetches(3));
  Sleep(100);
  EXPECT_EQ(first.Fetched(), (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(second.Fetched().empty());
  EXPECT_TRUE(first.Item(1)->Fetched && first.Item(2)->Fetched && first.Item(3)->Fetched);
  EXPECT_FALSE(first.Item(0)->Fetched);
}

// A pause returns only once the worker has left the request it was serving, also when an earlier
// pause's acknowledgement is still standing.
TEST_F(ShellCommon, PauseWaitsForTheRequestUnderWay) {
  TcxShellItemsInfoGatherer gatherer(nullptr);
  TRecordingProducer producer(&gatherer);
  producer.List(tree->Path("\\Many"));
  producer.fetchMilliseconds = 3;
  for (int i = 0; i < 300; ++i) gatherer.RequestFetch(&producer, i, false);
  for (int round = 0; round < 40; ++round) {
    gatherer.Pause();
    gatherer.Pause();  // nested: only the outer pair signals the worker
    EXPECT_FALSE(producer.inside) << round;
    gatherer.Resume();
    EXPECT_FALSE(producer.inside) << round;
    gatherer.Resume();
    gatherer.Resume();  // without a pause: nothing
    Sleep(round % 3 * 5);
  }
  gatherer.PurgeRequests();
}

TEST_F(ShellCommon, FreeingTheGathererWaitsForTheFetchUnderWay) {
  auto gatherer = std::make_unique<TcxShellItemsInfoGatherer>(nullptr);
  TRecordingProducer producer(gatherer.get());
  producer.List(tree->Path("\\Many"));
  producer.fetchMilliseconds = 200;
  gatherer->RequestFetch(&producer, 0, false);
  for (int i = 0; i < 200 && !producer.inside; ++i) Sleep(5);
  ASSERT_TRUE(producer.inside);
  gatherer->PurgeRequests();  // as a view does before it frees its gatherer
  gatherer.reset();
  EXPECT_FALSE(producer.inside);
  EXPECT_EQ(producer.Fetched(), std::vector<int>{0});
}

}  // namespace
