#include "calderan_test.h"

#include <memory>

#include "edit_fixture.h"

namespace {

struct TNotifications {
  int count = 0;
  void Changed(TObject*) { ++count; }
  void PopupClosed(TObject*, int) {}
};

// A provider whose read-only default can be switched on.
class TReadOnlyProvider : public TcxCustomEditDefaultValuesProvider {
 public:
  TReadOnlyProvider() : TcxCustomEditDefaultValuesProvider(nullptr) {}
  bool ReadOnlyDefault() override { return readOnly; }
  TAlignment HorzAlignmentDefault() override { return taRightJustify; }
  bool readOnly = true;
};

struct EditProperties : EditorsFixture {
  EditProperties() { properties->OnPropertiesChanged = MakeEvent(&notifications, &TNotifications::Changed); }
  std::unique_ptr<TcxCustomEditProperties> properties = std::make_unique<TcxCustomEditProperties>(nullptr);
  TNotifications notifications;
};

TEST_F(EditProperties, AnUpdateBatchesItsChangesIntoOneNotification) {
  struct Case {
    bool fire;
    int expected;
  } cases[] = {{true, 1}, {false, 0}};
  for (const Case& c : cases) {
    notifications.count = 0;
    properties->BeginUpdate();
    for (int i = 0; i < 10; ++i) properties->SetTransparent(i % 2 == 0);
    properties->EndUpdate(c.fire);
    EXPECT_EQ(notifications.count, c.expected) << c.fire;
  }
  properties->EndUpdate(true);  // unbalanced: ignored
  EXPECT_FALSE(properties->IsChangeLocked());
  properties->SetChangeLocked(true);
  properties->SetAutoSelect(false);
  EXPECT_EQ(notifications.count, 0);
  EXPECT_TRUE(properties->ChangePending());
  properties->SetChangeLocked(false);
}

TEST_F(EditProperties, ReadOnlyIsAssignedOnFirstWriteAndFallsBackToTheProvider) {
  properties->SetReadOnly(false);
  EXPECT_EQ(notifications.count, 1);
  EXPECT_TRUE(properties->AssignedValues()->ReadOnly());
  properties->SetReadOnly(false);
  EXPECT_EQ(notifications.count, 1);

  TReadOnlyProvider provider;
  properties->SetDefaultValuesProvider(&provider);
  EXPECT_FALSE(properties->ReadOnly());
  properties->RestoreDefaults();
  EXPECT_FALSE(properties->AssignedValues()->ReadOnly());
  EXPECT_TRUE(properties->ReadOnly());
  EXPECT_FALSE(properties->CanModifyInPlace());
}

TEST_F(EditProperties, TheAlignmentFaceShowsTheDefaultUntilHorzIsAssigned) {
  TcxEditAlignment* face = properties->Alignment();
  EXPECT_EQ(face->Horz(), taLeftJustify);
  EXPECT_EQ(face->Vert(), taTopJustify);
  TReadOnlyProvider provider;
  properties->SetDefaultValuesProvider(&provider);
  EXPECT_EQ(properties->Alignment()->Horz(), taRightJustify);
  EXPECT_FALSE(properties->IsAlignmentStored());
  notifications.count = 0;
  properties->Alignment()->SetHorz(taCenter);
  EXPECT_EQ(notifications.count, 1);
  EXPECT_TRUE(properties->StoredAlignment()->IsHorzAssigned());
  EXPECT_EQ(properties->Alignment()->Horz(), taCenter);
  EXPECT_TRUE(properties->IsAlignmentStored());
}

TEST_F(EditProperties, ADestroyedProviderIsDroppedByEveryPropertiesObject) {
  auto provider = std::make_unique<TReadOnlyProvider>();
  TcxCustomEditProperties second(nullptr);
  properties->SetDefaultValuesProvider(provider.get());
  second.SetDefaultValuesProvider(provider.get());
  provider.reset();
  EXPECT_EQ(properties->DefaultValuesProvider(), nullptr);
  EXPECT_EQ(second.DefaultValuesProvider(), nullptr);
  EXPECT_FALSE(properties->ReadOnly());
}

TEST_F(EditProperties, AssignCopiesSettingsAndHandlersButNotPopupClosedNorTheOwnerHandler) {
  TEditEvents events;
  TcxCustomEditProperties source(nullptr);
  events.Attach(&source);
  source.OnPopupClosed = MakeEvent(&notifications, &TNotifications::PopupClosed);
  source.SetClickKey(ShortCut('K', {ssCtrl}));
  source.SetMaxValue(5);
  source.SetReadOnly(true);
  source.Buttons()->Add()->SetKind(bkText);
  notifications.count = 0;
  properties->Assign(&source);
  EXPECT_EQ(notifications.count, 1);
  EXPECT_TRUE(properties->OnChange == source.OnChange);
  EXPECT_FALSE(properties->OnPopupClosed);
  EXPECT_FALSE(source.OnPropertiesChanged);
  EXPECT_EQ(properties->ClickKey(), source.ClickKey());
  EXPECT_EQ(properties->MaxValue(), 5);
  EXPECT_TRUE(properties->ReadOnly());
  EXPECT_FALSE(properties->AssignedValues()->MinValue());
  ASSERT_EQ(properties->Buttons()->Count(), 1);
  EXPECT_EQ(properties->Buttons()->Items(0)->Kind(), bkText);
  EXPECT_EQ(properties->GetSupportedOperations(), cxEditOperationButtons);
}

TEST_F(EditProperties, DefaultsAndPeers) {
  EXPECT_EQ(properties->ClickKey(), 16397);
  EXPECT_TRUE(properties->AutoSelect());
  EXPECT_TRUE(properties->UseLeftAlignmentOnEditing());
  EXPECT_FALSE(properties->IsUseLeftAlignmentOnEditingStored());
  std::unique_ptr<TcxCustomEditProperties> peer(TTestEditProperties(nullptr).CreatePeer());
  EXPECT_TRUE(peer->Is<TTestEditProperties>());
  EXPECT_EQ(peer->Owner(), nullptr);
  EXPECT_TRUE(properties->EditValuesEqual(TVariant(int32_t(1)), TVariant(1.0)));
}

// ---------------------------------------------------------------------------------------------
// Edit buttons

TEST_F(EditProperties, OneDefaultButtonPerCollectionAndTheirChanges) {
  TcxEditButtons* buttons = properties->Buttons();
  for (int i = 0; i < 3; ++i) buttons->Add();
  buttons->Items(0)->SetDefault(true);
  notifications.count = 0;
  buttons->Items(1)->SetDefault(true);
  EXPECT_FALSE(buttons->Items(0)->Default());
  EXPECT_TRUE(buttons->Items(1)->Default());
  EXPECT_EQ(notifications.count, 1);
  buttons->Items(2)->SetWidth(-1);
  EXPECT_EQ(buttons->Items(2)->Width(), 0);
  buttons->Items(2)->SetCaption("&Go");
  EXPECT_EQ(buttons->Items(2)->VisibleCaption(), "Go");
  buttons->Items(2)->SetVisible(false);
  EXPECT_EQ(buttons->VisibleCount(), 2);
}

// ---------------------------------------------------------------------------------------------
// Routines and registries

TEST(EditRoutines, ValueComparisonsBlankCharsAndMouseButtons) {
  struct Case {
    TVariant a, b;
    bool forEdit, exact;
  } cases[] = {
      {TVariant(int32_t(1)), TVariant(1.0), true, false},
      {TVariant(int32_t(1)), TVariant(std::string("1")), false, false},
      {TVariant(std::string("a")), TVariant(std::string("a")), true, true},
      {TVariant(true), TVariant(std::string("True")), false, false},
      {TVariant::Null(), TVariant::Null(), true, true},
      {TVariant::Null(), TVariant(int32_t(0)), false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VarEqualsForEdit(c.a, c.b), c.forEdit) << VarTypeName(c.a.VarType()) << VarTypeName(c.b.VarType());
    EXPECT_EQ(VariantsEqualExact(c.a, c.b), c.exact) << VarTypeName(c.a.VarType()) << VarTypeName(c.b.VarType());
  }
  for (int code = 0; code < 256; ++code) {
    const bool blank = code == 0 || code == 9 || code == 10 || code == 12 || code == 13 || code == 32;
    EXPECT_EQ(IsBlankChar(static_cast<char>(code)), blank) << code;
  }
  EXPECT_TRUE(ToolkitMouseButtonToShift(cmbNone).Empty());
  EXPECT_EQ(ToolkitMouseButtonToShift(cmbRight), TShiftState{ssRight});
  EXPECT_EQ(MouseButtonToShift(mbMiddle), TShiftState{ssMiddle});
}

TEST_F(EditProperties, TheKindsRegistryIsSortedByCaption) {
  TcxRegisteredClasses* registry = GetEditPropertiesRegistry();
  registry->Register(TTestEditProperties::StaticClass(), LoadToolkitString(scxSEditRepositoryComboBoxItem));
  registry->Register(TcxCustomEditProperties::StaticClass(), LoadToolkitString(scxSEditRepositoryCheckBoxItem));
  registry->Register(TTestEditProperties::StaticClass(), "again");
  ASSERT_EQ(registry->Count(), 2);
  EXPECT_EQ(registry->GetCaption(0), "CheckBox");
  EXPECT_EQ(registry->Descriptions(1), "ComboBox|Represents the combo box editor");
  registry->Unregister(TTestEditProperties::StaticClass());
  registry->Unregister(TcxCustomEditProperties::StaticClass());
}

TEST_F(EditProperties, FilterHelpersServeSiblingsAndTheRegistryGoesWhenEmpty) {
  TcxFilterEditsController* controller = GetFilterEditsController();
  controller->Register(TTestEditProperties::StaticClass(), TcxCustomFilterEditHelper::StaticClass());
  // Kept under the parent class: a sibling derived from the same parent finds it.
  EXPECT_EQ(controller->FindHelper(TcxCustomEditProperties::StaticClass()), TcxCustomFilterEditHelper::Instance());
  controller->Unregister(TTestEditProperties::StaticClass(), TcxCustomFilterEditHelper::StaticClass());
  EXPECT_EQ(GetFilterEditsController()->Count(), 0);

  const TcxFilterOperatorSet plain = TcxCustomFilterEditHelper::Instance()->FilterOperatorSet(nullptr, nullptr, false);
  for (int op = 0; op < 16; ++op)
    EXPECT_EQ(plain.Contains(op), (op >= 1 && op <= 6) || op == 9 || op == 10) << op;
  const TcxFilterOperatorSet text =
      TcxCustomFilterEditHelper::Instance()->FilterOperatorSet(nullptr, TcxStringValueType::Instance(), true);
  EXPECT_TRUE(text.Contains(7) && text.Contains(14));
}

TEST_F(EditProperties, TheModuleInstallsTheWheelCursor) {
  EXPECT_NE(Screen->Cursors(crcxEditMouseWheel), Screen->Cursors(crDefault));
  EXPECT_EQ(LoadToolkitString(cxSEditInvalidRepositoryItem), "The repository item is not acceptable");
}

// ---------------------------------------------------------------------------------------------
// Repository

TEST_F(EditProperties, RepositoryItemsNotifyTheirEditorsInReverseOrder) {
  TcxEditRepository repository(nullptr);
  repository.SetName("Repo");
  auto* item = static_cast<TcxEditRepositoryTestItem*>(
      repository.CreateRepositoryItem(TcxEditRepositoryTestItem::StaticClassOperations()));
  EXPECT_EQ(item->ItemBaseName(), "RepoTestItem");
  EXPECT_EQ(repository.Count(), 1);
  TTestEdit first(form.get()), second(form.get());
  first.SetRepositoryItem(item);
  second.SetRepositoryItem(item);
  EXPECT_EQ(item->ObserverCount(), 2);
  item->Properties()->SetTransparent(true);
  EXPECT_TRUE(first.Transparent());
  EXPECT_TRUE(second.Transparent());
  EXPECT_THROW(item->SetParentComponent(form.get()), EInvalidCast);
  delete item;
  EXPECT_EQ(repository.Count(), 0);
  EXPECT_EQ(first.RepositoryItem(), nullptr);
  EXPECT_EQ(second.EffectiveProperties(), second.Properties());
}

// ---------------------------------------------------------------------------------------------
// Edit data and in-place lists

TEST_F(EditProperties, EditDataClearedOnALiveEditorReinitialisesIt) {
  TcxCustomEditData* data = nullptr;
  auto* editor = new TTestEdit(nullptr, true);
  data = new TcxCustomEditData(editor);
  editor->ActivateInplace(data);
  EXPECT_EQ(editor->EditData(), data);
  EXPECT_FALSE(data->Cleared());
  data->MarkCleared();
  EXPECT_FALSE(data->Cleared());
  delete editor;
  EXPECT_EQ(data->Editor(), nullptr);
  data->MarkCleared();
  EXPECT_TRUE(data->Cleared());
  delete data;
}

TEST_F(EditProperties, InPlaceListsReuseAFreeEditorOfTheRightClass) {
  std::vector<TcxInplaceEditList*> lists;
  TcxInplaceEditList list;
  lists.push_back(&list);
  SetInplaceEditLists(&lists);
  TTestEdit testEditor(nullptr, true);
  TcxCustomEdit plainEditor(nullptr, true);
  auto old = std::make_unique<TTestEditProperties>(nullptr);
  list.Add(&plainEditor, nullptr);
  list.Add(&testEditor, old.get());
  old.reset();  // frees its entry
  EXPECT_EQ(list.Entry(1).Properties, nullptr);
  TTestEditProperties wanted(nullptr);
  EXPECT_EQ(list.FindEntry(&wanted, false), -1);
  EXPECT_EQ(list.FindEntry(&wanted, true), 1);
  EXPECT_EQ(list.FindEntry(&wanted, false), 1);
  SetInplaceEditLists(nullptr);
}

}  // namespace
