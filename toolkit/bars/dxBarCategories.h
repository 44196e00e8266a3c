// Item categories (the manager's Categories: one name per category, with the visibility of its
// items and of the category in the customizing dialog) and item groups, which pass their Enabled
// and Visible on to every member.
#pragma once
#include <string>

#include "Classes.h"
#include "dxBarComponents.h"

struct TdxBarCategoryData : public TObject {
  TdxBarItemVisible ItemsVisible = ivAlways;
  TdxBarItemVisible LoadedItemsVisible = ivAlways;
  bool Visible = true;
};

class TdxBarManagerCategories : public TStringList {
  CALDERAN_CLASS(TdxBarManagerCategories)
  explicit TdxBarManagerCategories(TdxBarManager* manager);
  ~TdxBarManagerCategories() override;

  TdxBarManager* BarManager() const { return manager_; }
  void Clear() override;
  // Frees the category's items and renumbers the later categories; an emptied list gets "Default".
  void Delete(int index) override;
  void Insert(int index, const std::string& s) override;
  void Exchange(int index1, int index2) override;
  void Move(int curIndex, int newIndex) override;
  // The record of a category, made on first need.
  TdxBarCategoryData* Data(int index) const;
  TdxBarCategoryData* EnsureData(int index);
  // "ItemsVisibles" and "Visibles", one value per category.
  void DefineProperties(TFiler* filer) override;

 private:
  void SetItemsCategory(int from, int to);
  void ReadItemsVisibles(TReader* reader);
  void WriteItemsVisibles(TWriter* writer);
  void ReadVisibles(TReader* reader);
  void WriteVisibles(TWriter* writer);
  TdxBarManager* manager_;
  bool moving_ = false;
};

class TdxBarGroup : public TdxBarComponent {
  CALDERAN_CLASS(TdxBarGroup)
  explicit TdxBarGroup(TComponent* owner);
  ~TdxBarGroup() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) override;
  TdxBarItemVisible Visible() const { return visible_; }
  void SetVisible(TdxBarItemVisible value) override;
  bool GetEnabled() const override { return enabled_; }

  // Nil and members are ignored; a group that contains this one raises "recursive groups".
  void Add(TdxBarComponent* component);
  int IndexOf(TdxBarComponent* component) const { return items_.IndexOf(component); }
  void Remove(TdxBarComponent* component) { items_.Remove(component); }
  int Count() const { return items_.Count(); }
  TdxBarComponent* Items(int index) const { return items_.BarComponent(index); }
  // Whether this group holds the component directly or through nested groups.
  bool Contains(TdxBarComponent* component) const;

  void SetBarManager(TdxBarManager* manager);
  TComponent* GetParentComponent() const override;
  bool HasParent() const override;
  void SetParentComponent(TComponent* parent) override;
  void SetName(const std::string& name) override;
  void Loaded() override;
  void DefineProperties(TFiler* filer) override;

 private:
  bool ChangesMembers() const;
  void ReadItems(TReader* reader);
  void WriteItems(TWriter* writer);
  void AddByName(const std::string& name);
  bool enabled_ = true;
  TdxBarItemVisible visible_ = ivAlways;
  TdxBarComponentList items_;
  TStringList* pendingNames_ = nullptr;
};

void RegisterCategoriesProperties();
