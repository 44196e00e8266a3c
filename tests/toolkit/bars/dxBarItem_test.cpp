#include "calderan_test.h"

#include <memory>
#include <string>
#include <vector>

#include "bars_fixture.h"

namespace {

// Records the order in which the manager's and the item's handlers run.
struct TClickLog {
  std::vector<std::string> Calls;
  TForm* FormToFree = nullptr;
  bool Raise = false;
  void ManagerClick(TdxBarManager*, TdxBarItem* item) { Calls.push_back("manager:" + item->Caption()); }
  void ItemClick(TObject* sender) {
    Calls.push_back("item:" + static_cast<TdxBarItem*>(sender)->Caption());
    if (Raise) throw Exception("handler failed");
    if (FormToFree) delete FormToFree;
  }
  void Handle(TObject*, Exception* e) { Calls.push_back("handled:" + e->Message()); }
};

class BarItemClick : public BarFixture {
 protected:
  TdxBarItem* NewItem(TClickLog& log) {
    auto* item = new TdxBarItem(form_.get());
    item->SetCaption("Add");
    item->OnClick = MakeEvent(&log, &TClickLog::ItemClick);
    manager_->OnClickItem = MakeEvent(&log, &TClickLog::ManagerClick);
    return item;
  }
};

TEST_F(BarItemClick, ManagerFirstThenItemAndNothingWhenDisabled) {
  TClickLog log;
  TdxBarItem* item = NewItem(log);
  item->Click();
  EXPECT_EQ(log.Calls, (std::vector<std::string>{"manager:Add", "item:Add"}));
  log.Calls.clear();
  item->SetEnabled(false);
  item->Click();
  EXPECT_TRUE(log.Calls.empty());
  EXPECT_FALSE(item->IsShortCut(0x4041));
}

TEST_F(BarItemClick, ShortcutsClickEnabledItems) {
  TClickLog log;
  TdxBarItem* item = NewItem(log);
  item->SetShortCut(0x4041);  // Ctrl+A
  EXPECT_FALSE(item->IsShortCut(0x4042));
  EXPECT_FALSE(item->IsShortCut(0));
  EXPECT_TRUE(item->IsShortCut(0x4041));
  EXPECT_EQ(log.Calls.size(), 2u);
}

TEST_F(BarItemClick, AnExceptionStopsAtTheClickAndGoesToTheApplication) {
  TClickLog log;
  TdxBarItem* item = NewItem(log);
  log.Raise = true;
  Application->OnException = MakeEvent(&log, &TClickLog::Handle);
  item->Click();
  Application->OnException = nullptr;
  EXPECT_EQ(log.Calls, (std::vector<std::string>{"manager:Add", "item:Add", "handled:handler failed"}));
  log.Raise = false;
  log.Calls.clear();
  item->Click();  // still usable
  EXPECT_EQ(log.Calls.size(), 2u);
}

// The handler frees the form that owns the manager and the item; the click returns and the
// program goes on.
TEST_F(BarItemClick, AHandlerMayFreeTheFormItRunsOn) {
  TClickLog log;
  const int managers = BarManagerCount();
  auto* form = new TForm(nullptr, 0);
  auto* manager = new TdxBarManager(form);
  auto* item = new TdxBarItem(form);
  item->SetCaption("Close");
  item->OnClick = MakeEvent(&log, &TClickLog::ItemClick);
  manager->OnClickItem = MakeEvent(&log, &TClickLog::ManagerClick);
  log.FormToFree = form;
  Application->OnException = MakeEvent(&log, &TClickLog::Handle);
  item->Click();
  Application->OnException = nullptr;
  EXPECT_EQ(log.Calls, (std::vector<std::string>{"manager:Close", "item:Close"}));  // nothing raised
  EXPECT_EQ(BarManagerCount(), managers);  // the form and its manager are gone
}

TEST_F(BarItemClick, CaptionCarriesAFollowingHint) {
  struct TCase {
    std::string OldHint, NewCaption, Hint;
  } const cases[] = {
      {"", "&Open...", "Open"},
      {"Add", "&Save...", "Save"},  // the short hint was the old caption
      {"Something else", "Save", "Something else"},
      {"Add|Adds files", "&Browse...", "Browse|Adds files"},
  };
  for (const TCase& c : cases) {
    auto item = std::make_unique<TdxBarItem>(form_.get());
    item->SetCaption("Add");
    item->SetHint(c.OldHint);
    item->SetCaption(c.NewCaption);
    EXPECT_EQ(item->Hint(), c.Hint) << c.OldHint;
  }
}

}  // namespace
