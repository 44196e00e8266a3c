// Menus: items with captions, shortcuts, checks and images; the main menu of a form and popup
// menus, built into Win32 menus on demand.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Classes.h"
#include "Controls.h"
#include "Graphics.h"

class TCustomImageList;
class TMenu;

CALDERAN_EXCEPTION(EMenuError, Exception)

// A key with its modifiers: the virtual key in the low byte, scShift, scCtrl and scAlt above.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
TShortCut ShortCut(Word key, TShiftState shift);
std::string ShortCutToText(TShortCut shortCut);  // "Ctrl+S", "F5", "Shift+Del"
TShortCut TextToShortCut(const std::string& text);  // 0 when the text names no key

using TMenuMeasureItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;

class TMenuItem : public TComponent {
  CALDERAN_CLASS(TMenuItem)
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(index); }
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Delete(int index);  // frees the item
  void Remove(TMenuItem* item);  // takes the item out without freeing it
  void Clear();
  int IndexOf(TMenuItem* item) const;
  TMenuItem* Find(const std::string& caption) const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool IsLine() const { return caption_ == "-"; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int value) { groupIndex_ = value; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Default() const { return default_; }
  void SetDefault(bool value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  TBitmap* Bitmap();
  bool HasBitmap() const { return bitmap_ && !bitmap_->Empty(); }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  UINT Command() const { return command_; }
  HMENU Handle();  // the submenu of an item with items
  TMenu* GetParentMenu() const;
  TCustomImageList* GetImageList() const;

  virtual void Click();
  // The size the item needs in a menu drawn by the framework (owner-drawn items).
  virtual void MeasureItem(TCanvas* canvas, int& width, int& height);
  virtual void DrawItem(TCanvas* canvas, const TRect& rect, bool selected);
  void InitiateAction() {}

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

 private:
  friend class TMenu;
  void Changed();
  void AppendTo(HMENU menu, bool ownerDraw);
  TMenuItem* FindCommand(UINT command);
  TMenuItem* FindShortCut(TShortCut shortCut);
  TMenuItem* FindHandle(HMENU handle);

  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // for the root item
  std::vector<TMenuItem*> items_;
  std::string caption_;
  std::string hint_;
  TShortCut shortCut_ = 0;
  bool checked_ = false, radioItem_ = false, enabled_ = true, visible_ = true, default_ = false;
  int groupIndex_ = 0;
  int imageIndex_ = -1;
  std::unique_ptr<TBitmap> bitmap_;
  UINT command_;
  HMENU handle_ = nullptr;
};

class TMenu : public TComponent {
  CALDERAN_CLASS(TMenu)
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  TMenuItem* Items() const { return items_.get(); }
  HMENU Handle();
  // The HMENU exists already (popup menus make theirs only when shown).
  HMENU WindowHandle() const { return handle_; }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool value);
  // Finds the item of a command id (WM_COMMAND) and clicks it.
  bool DispatchCommand(UINT command);
  // A key message that is the shortcut of an enabled item clicks it.
  bool IsShortCut(TMessage& message);
  TMenuItem* FindItem(UINT command) { return items_->FindCommand(command); }
  // Measures and draws owner-drawn items (WM_MEASUREITEM / WM_DRAWITEM of the window).
  bool DispatchMeasureItem(MEASUREITEMSTRUCT* item);
  bool DispatchDrawItem(DRAWITEMSTRUCT* item);
  bool NeedsOwnerDraw() const;
  // Builds the Win32 menu again after a change of the items.
  void RebuildHandle();

 protected:
  virtual HMENU CreateMenuHandle() = 0;
  void Notification(TComponent* component, TOperation operation) override;
  HMENU handle_ = nullptr;

 private:
  std::unique_ptr<TMenuItem> items_;
  TCustomImageList* images_ = nullptr;
  bool ownerDraw_ = false;
};

class TMainMenu : public TMenu {
  CALDERAN_CLASS(TMainMenu)
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}

 protected:
  HMENU CreateMenuHandle() override { return CreateMenu(); }
};

enum TPopupAlignment : uint8_t { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
  CALDERAN_CLASS(TPopupMenu)
  explicit TPopupMenu(TComponent* owner);
  // Shows the menu at a screen point and clicks the chosen item.
  virtual void Popup(int x, int y);
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* component) { popupComponent_ = component; }
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment alignment) { alignment_ = alignment; }

  TNotifyEvent OnPopup;

 protected:
  HMENU CreateMenuHandle() override { return CreatePopupMenu(); }

 private:
  bool autoPopup_ = true;
  TComponent* popupComponent_ = nullptr;
  TPopupAlignment alignment_ = paLeft;
};

// The hidden window that owns shown popup menus and draws their owner-drawn items.
HWND PopupListWindow();

extern const TUnitInfo MenusUnit;
