// Keyboard navigation over a toolbar window: its key tips after Alt (a plain toolbar brings no
// badges of its own, so the page's root shows them as small framed windows centred on each item;
// two items with the accelerator F get F1 and F2), a screen tip under a button of a second
// toolbar, and a menu-like window with a caption separator first, a plain one and a caption row.
#include <memory>
#include <string>
#include <vector>

#include "ExtCtrls.h"
#include "GalleryPages.h"
#include "barwindow_fixture.h"
#include "dxBarHintWindow.h"
#include "dxBarNavigation.h"

namespace {
// The badges: framed borderless windows in the hint colour, centred on their points.
class TBadgeWindows : public IdxBarKeyTipWindowsManager {
 public:
  explicit TBadgeWindows(TForm* owner) : owner_(owner) {}
  void Add(const std::string& caption, const TPoint& point, int, int, bool enabled, TObject*& window) override {
    auto* badge = new TForm(owner_, 0);
    badge->SetBorderStyle(bsNone);
    auto* panel = new TPanel(badge);
    panel->SetParent(badge);
    panel->SetAlign(alClient);
    panel->SetBevelOuter(bvRaised);
    panel->SetColor(clInfoBk);
    panel->SetCaption(caption);
    panel->Font()->SetColor(enabled ? clInfoText : clGrayText);
    const int width = 12 + 8 * static_cast<int>(caption.size());
    badge->SetBounds(point.X - width / 2, point.Y - 9, width, 18);
    window = badge;
  }
  void Delete(TObject* window) override { delete static_cast<TForm*>(window); }
  void Show() override {
    for (int i = 0; i < owner_->ComponentCount(); ++i) {
      auto* badge = ObjectAs<TForm>(owner_->Components(i));
      if (badge && !badge->Visible()) badge->Show();
    }
  }

 private:
  TForm* owner_;
};

TBadgeWindows* badgeWindows = nullptr;

class TKeyTipRootHelper : public TdxBarControlAccessibilityHelper {
 public:
  using TdxBarControlAccessibilityHelper::TdxBarControlAccessibilityHelper;
  IdxBarKeyTipWindowsManager* GetKeyTipWindowsManager() override { return badgeWindows; }
  bool CanShowKeyTips() override { return true; }
};

class TKeyTipToolbar : public TRowBarWindow {
 public:
  using TRowBarWindow::TRowBarWindow;
  std::shared_ptr<TdxBarAccessibilityHelper> CreateAccessibilityHelper() override {
    return std::make_shared<TKeyTipRootHelper>(this);
  }
};

class TKeyTipLinksOwner : public TTestLinksOwner {
 public:
  TKeyTipLinksOwner(TForm* form, TdxBarManager* manager)
      : TTestLinksOwner(form, manager, false), form_(form), manager_(manager) {}
  TCustomdxBarControl* CreateBarControl() override {
    auto* bar = new TKeyTipToolbar(form_, manager_);
    bar->SetParent(form_);
    return bar;
  }

 private:
  TForm* form_;
  TdxBarManager* manager_;
};

void AddButtons(TTestLinksOwner* owner, TForm* form, const std::vector<std::string>& captions) {
  for (const std::string& caption : captions) {
    auto* button = new TdxBarButton(form);
    button->SetCaption(caption);
    owner->Links()->AddItem(button);
  }
}
}  // namespace

void BuildBarKeyTipsPage(TGalleryPage& page) {
  TForm* form = page.Form();
  auto* manager = new TdxBarManager(form);
  page.AddLabel(8, 8, "Key tips over a toolbar window after Alt:", 600);
  auto* owner = new TKeyTipLinksOwner(form, manager);
  AddButtons(owner, form, {"&Add Files", "&Convert", "&Find", "&File Info", "&Print"});
  owner->Links()->GetLink(4)->Item()->SetEnabled(false);
  TCustomdxBarControl* bar = owner->Links()->CreateBarControl();
  page.Place(bar, 8, 34, 520, 36);

  page.AddLabel(8, 110, "A screen tip under a toolbar button:", 600);
  auto* tipOwner = new TTestLinksOwner(form, manager, false);
  AddButtons(tipOwner, form, {"&Add Files", "&Convert"});
  TCustomdxBarControl* tipBar = tipOwner->Links()->CreateBarControl();
  page.Place(tipBar, 8, 136, 520, 36);
  auto* repository = new TdxBarScreenTipRepository(form);
  TdxBarScreenTip* tip = repository->Items()->AddTip();
  tip->Header()->SetText("Add Files");
  tip->Description()->SetText(
      "Adds video and audio files to the conversion list. Several files can be chosen at once.");
  tip->Footer()->SetText("Press F1 for more help.");
  page.AddLabel(560, 110, "Separators in a menu window:", 300);
  auto* menuOwner = new TTestLinksOwner(form, manager, true);
  for (const char* entry : {"-Recent files", "Clip1.mp4", "Clip2.avi", "-", "Open...", "-Output", "Convert", "Exit"}) {
    TdxBarItem* item = nullptr;
    if (entry[0] == '-') {
      item = new TdxBarSeparator(form);
      item->SetCaption(entry + 1);
      item->SetShowCaption(entry[1] != 0);
    } else {
      item = new TdxBarButton(form);
      item->SetCaption(entry);
    }
    menuOwner->Links()->AddItem(item);
  }
  TCustomdxBarControl* menu = menuOwner->Links()->CreateBarControl();
  page.Place(menu, 560, 136, 200, 220);
  auto* badgeOwner = new TForm(form, 0);
  badgeWindows = new TBadgeWindows(badgeOwner);

  page.AfterShow([form, owner, tipOwner, menuOwner, manager, tip] {
    owner->Show();
    tipOwner->Show();
    menuOwner->Show();
    TdxBarNavigationController* controller = BarNavigationController();
    TdxBarAccessibilityHelper* root = GetBarAccessibilityHelper(owner->Links()->GetLink(0)->Control()->Parent());
    controller->EnterNavigationMode(root);
    controller->SetKeyTipsShowingState(root, "");

    struct TTipSource : TObject, IdxBarHintLayoutSource {
      TdxBarManager* Manager;
      TdxBarScreenTip* Tip;
      TdxBarCustomHintViewInfo* CreateHintViewInfo(const std::string& text, const std::string& shortCut) override {
        return ::CreateHintViewInfo(Manager, text, shortCut, Manager->Painter(), Tip);
      }
      TPoint GetHintPosition(const TPoint& cursor, int) override { return cursor; }
    };
    static TTipSource source;
    source.Manager = manager;
    source.Tip = tip;
    TdxBarItemLink* link = tipOwner->Links()->GetLink(0);
    TCustomdxBarControl* tipBar = link->Control()->Parent();
    TPoint at = tipBar->ClientToScreen({link->ItemRect().Left + 4, link->ItemRect().Bottom + 4});
    TdxBarHintWindow::SetHintCursorPos(&at);
    auto* window = new TdxBarHintWindow(form);
    manager->UpdateHint(true, "", &source);
    window->ShowBarHint(manager, "Add Files", " (Ctrl+O)");
    manager->UpdateHint(false, "", nullptr);
    TdxBarHintWindow::SetHintCursorPos(nullptr);
  });
}
