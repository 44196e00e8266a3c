// Bar items: the command objects of the bar system. An item is owned by the form, registered with
// one manager, shown through item links (one per place) whose item controls draw it, and carries
// the click route from an item control or a shortcut to the application's handler.
//
// Left for later: screen tips, the layout-store hooks and the customizing list drawing come with
// their own parts.
#pragma once
#include <string>

#include "Classes.h"
#include "Graphics.h"
#include "ImgList.h"
#include "cxGraphics.h"
#include "dxBarComponents.h"
#include "dxBarTypes.h"

class TBasicAction;
class TcxStyle;
class TdxBarItemActionLink;
class TdxBarItemStylesData;

using TShortCut = uint16_t;
class TdxBarItemControlClassOperations;
using TdxBarItemControlClass = TClass;

class TdxBarItem : public TdxBarComponent {
  CALDERAN_CLASS(TdxBarItem)
  explicit TdxBarItem(TComponent* owner);
  ~TdxBarItem() override;

  // --- Published
  TdxBarItemAlign Align() const { return align_; }
  void SetAlign(TdxBarItemAlign value);
  const std::string& Caption() const { return caption_; }
  virtual void SetCaption(const std::string& value);
  int Category() const { return category_; }
  void SetCategory(int value);
  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& value);
  bool Enabled() const;
  void SetEnabled(bool value) override;
  bool GetEnabled() const override { return Enabled(); }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value) { hint_ = value; }
  const std::string& KeyTip() const { return keyTip_; }
  void SetKeyTip(const std::string& value) { keyTip_ = value; }
  TdxBarItemMergeKind MergeKind() const { return mergeKind_; }
  void SetMergeKind(TdxBarItemMergeKind value) { mergeKind_ = value; }
  int MergeOrder() const { return mergeOrder_; }
  void SetMergeOrder(int value) { mergeOrder_ = value < 0 ? 0 : value; }
  TdxBarItemVisible Visible() const { return visible_; }
  void SetVisible(TdxBarItemVisible value) override;
  TBitmap* Glyph() const { return glyph_; }
  void SetGlyph(TBitmap* value) { glyph_->Assign(value); }
  int ImageIndex() const { return imageIndex_; }
  virtual void SetImageIndex(int value);
  TBitmap* LargeGlyph() const { return largeGlyph_; }
  void SetLargeGlyph(TBitmap* value) { largeGlyph_->Assign(value); }
  int LargeImageIndex() const { return largeImageIndex_; }
  virtual void SetLargeImageIndex(int value);
  TdxBarPaintStyle PaintStyle() const { return paintStyle_; }
  void SetPaintStyle(TdxBarPaintStyle value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut value);
  int Width() const { return width_; }
  void SetWidth(int value);
  TdxBarGlyphLayout GlyphLayout() const { return glyphLayout_; }
  void SetGlyphLayout(TdxBarGlyphLayout value);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool value);
  bool UnclickAfterDoing() const { return unclickAfterDoing_; }
  void SetUnclickAfterDoing(bool value) { unclickAfterDoing_ = value; }
  void* Data() const { return data_; }
  void SetData(void* value) { data_ = value; }
  TBasicAction* Action() const;
  void SetAction(TBasicAction* value);
  TdxBarItemActionLink* ActionLink() const { return actionLink_; }
  TcxStyle* Style() const;
  void SetStyle(TcxStyle* value);
  void SetStyleSlot(int index, TcxStyle* value);
  TdxBarItemStylesData* StylesData() const { return stylesData_; }
  TcxViewParams GetStyleViewParams() const;
  TNotifyEvent OnClick;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnAfterLoad;

  // The hint is empty, or its short part is the caption without its first "&" and first "...".
  bool HintFollowsCaption() const;

  // --- The click route
  // Nothing for an item that does not read as enabled; else the manager's OnClickItem, then the
  // item's own OnClick. What either raises goes to the application's handler and stops here.
  virtual void Click();
  // OnClick, or the action when OnClick is unassigned or is the action's own OnExecute.
  virtual void ExecuteClick();
  virtual void ClickByKey();
  virtual bool IsShortCut(TShortCut shortCut);
  virtual bool CanClick() const { return true; }
  TdxBarItemLink* ClickItemLink() const { return clickItemLink_; }
  void SetClickItemLink(TdxBarItemLink* link) { clickItemLink_ = link; }

  // --- Links
  int LinkCount() const { return links_.Count(); }
  // Nil for an index out of range.
  TdxBarItemLink* Links(int index) const;
  void AddLink(TdxBarItemLink* link) { links_.Add(link); }
  void RemoveLink(TdxBarItemLink* link) { links_.Remove(link); }
  void RemoveAllLinks();
  // The first link whose item control is active (pressed or being edited); nil when none.
  TdxBarItemLink* ActiveLink() const;
  // The item's own link collection (sub items, a button's drop-down menu); nil in the base.
  virtual TdxBarItemLinks* GetOwnItemLinks() const { return nullptr; }

  // --- Kind
  // The item-control class registered for the item's exact class; nil when none is.
  virtual TClass GetControlClass(bool isVertical) const;
  virtual bool HasContent() const { return true; }
  virtual bool IsHiddenInCustomizing() const { return false; }
  virtual bool SupportsPaintStyle() const { return false; }
  virtual std::string GetDefaultCaption() const { return "New Item"; }
  // Kind 0 a toolbar, 1 a menu; false with a reason in errorText when the item may not go there.
  virtual bool CanBePlacedOn(int kind, TComponent* owner, std::string& errorText) const;
  virtual bool CanActivateByAccel(TdxBarItemLink*) const { return Enabled(); }
  virtual bool CanMergeWith(TdxBarItem*) const { return false; }
  virtual int GetStyleCount() const { return 1; }
  // True makes the item controls paint the Style colour as their background.
  virtual bool HasStyleBackground() const { return false; }
  TCustomImageList* GetImages() const;
  bool HasImage() const;
  // The index an action link reads and writes (SetImageIndexValue): ImageIndex here.
  virtual int GetImageIndex() const { return imageIndex_; }
  // The manager's hot images serve the item (it is told when they change).
  virtual bool HasHotImage() const { return false; }
  virtual bool HasImageIndex() const { return imageIndex_ >= 0 || largeImageIndex_ >= 0; }
  // Shown for the manager: ivAlways with content (or customizing), or ivInCustomizing while customizing.
  bool IsVisibleForCustomizing() const;

  // --- Change propagation to the item controls of the links
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void HotGlyphChanged();
  virtual void LargeGlyphChanged();
  virtual void PaintStyleChanged() {}
  virtual void ShortCutChanged();
  virtual void VisibleChanged();
  virtual void WidthChanged();
  // Kinds: bit 0 toolbars, bit 1 quick popups, bit 2 menus.
  virtual void RebuildBars(int kinds = 7);
  virtual void UpdateControls();
  virtual void RefreshControls();
  // The manager's image lists changed: 0 images, 1 hot images, 2 large images.
  void ImagesChanged(int kind);

  // --- The customizing selection (through the item's links)
  void DoAction(int action) override;
  IdxBarSelectableItem* GetNextSelectable() override;
  TPersistent* GetSelectableParent() override;
  int GetSupportedActions() override;
  void Invalidate() override { UpdateControls(); }
  bool IsComplex() override { return LinkCount() > 1; }
  bool SelectParent() override;
  void SelectionChanged() override;

  // --- Manager and streaming
  void SetCategoryIndex(int value) { category_ = value; }
  void ApplyLoadedVisible();
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return category_ >= 0; }
  void SetParentComponent(TComponent* parent) override;
  void SetName(const std::string& name) override;
  void Loaded() override;
  void Assign(TPersistent* source) override;
  void AssignTo(TPersistent* dest) override;
  void Notification(TComponent* component, TOperation operation) override;
  // Copies the action's values; with checkDefaults only into values the item still holds at default.
  virtual void ActionChange(TObject* sender, bool checkDefaults);
  // False while the action link supplies the value (it is then not written to stored forms).
  bool IsCaptionStored() const;
  bool IsEnabledStored() const;
  bool IsHelpContextStored() const;
  bool IsHintStored() const;
  bool IsImageIndexStored() const;
  bool IsShortCutStored() const;
  bool IsVisibleStored() const;
  bool IsOnClickStored() const;
  bool IsApplyingActionDefaults() const { return applyingActionDefaults_; }
  TdxBarItemVisible LoadedVisible() const { return loadedVisible_; }
  virtual void SetImageIndexValue(int value) { SetImageIndex(value); }

 protected:
  bool IsLoadingItem() const { return ComponentState().Contains(csLoading); }
  virtual void BarManagerChanged() {}
  void ForEachControl(void (*step)(TdxBarItemControl* control));
  // The controls of the links that do not define their own value (a TdxBarUserDefine).
  void ForEachControlWithout(int userDefine, void (*step)(TdxBarItemControl* control));

 private:
  void StyleDataChanged(int kind);
  void GlyphBitmapChanged(TObject* sender);
  void LargeGlyphBitmapChanged(TObject* sender);

  TdxBarItemAlign align_ = iaLeft;
  std::string caption_, description_, hint_, keyTip_;
  int category_ = -1;
  bool enabled_ = true;
  int helpContext_ = 0;
  TdxBarItemMergeKind mergeKind_ = mkAdd;
  int mergeOrder_ = 0;
  TdxBarItemVisible visible_ = ivAlways;
  TdxBarItemVisible loadedVisible_ = ivAlways;
  TBitmap* glyph_;
  TBitmap* largeGlyph_;
  int imageIndex_ = -1, largeImageIndex_ = -1;
  TdxBarPaintStyle paintStyle_ = psStandard;
  TShortCut shortCut_ = 0;
  int width_ = 0;
  TdxBarGlyphLayout glyphLayout_ = glTop;
  bool showCaption_ = true;
  bool unclickAfterDoing_ = true;
  void* data_ = nullptr;
  TdxBarItemLink* clickItemLink_ = nullptr;
  TList links_;
  TdxBarItemActionLink* actionLink_ = nullptr;
  TdxBarItemStylesData* stylesData_ = nullptr;
  bool applyingActionDefaults_ = false;
};

// A toolkit module registers its item kinds' published properties here.
void RegisterBarItemProperties();
