#include "calderan_test.h"

#include <set>

#include "SysUtils.h"
#include "dxBarStrs.h"

namespace {

// The string table the program carries and the built-in texts say the same, entry for entry, so
// neither a translation base nor a program without the table shows another text.
TEST(BarStrings, EveryEntryIsInTheStringTableWithItsBuiltInText) {
  for (const TcxResourceString* entry : BarStringTable()) {
    const WCHAR* text = nullptr;
    int length = LoadStringW(GetModuleHandleW(nullptr), entry->Identifier, reinterpret_cast<LPWSTR>(&text), 0);
    EXPECT_GT(length, 0) << entry->Identifier;
    EXPECT_EQ(LoadToolkitString(*entry), entry->Text) << entry->Identifier;
  }
}

TEST(BarStrings, IdentifiersAreTheTwoFixedRanges) {
  std::set<uint32_t> expected;
  for (uint32_t id = 64544; id <= 64554; ++id) expected.insert(id);
  for (uint32_t id = 64560; id <= 64703; ++id) expected.insert(id);
  std::set<uint32_t> actual;
  for (const TcxResourceString* entry : BarStringTable()) EXPECT_TRUE(actual.insert(entry->Identifier).second);
  EXPECT_EQ(actual, expected);
  EXPECT_EQ(BarStringTable().size(), 155u);
}

TEST(BarStrings, SurroundingBlanksAreKept) {
  struct TCase {
    const TcxResourceString* Entry;
    const char* Text;
  };
  const TCase cases[] = {
      {&sdxBarCustPersonalizedMenusAndToolbars, "Personalized Menus and Toolbars  "},
      {&sdxBarCustOther, "Other  "},
      {&sdxBarCustom, "Custom "},
      {&sdxBarCustDescription, "Description  "},
      {&sdxBarCustToolbarsPage, " Toolbars "},
      {&sdxBarCustCommandsPage, " Commands "},
      {&sdxBarCustOptionsPage, " Options "},
      {&sdxBarOnly, " ONLY"},
      {&sdxBarItemPlaceFor, "The place for the "},
  };
  for (const TCase& c : cases) EXPECT_EQ(LoadToolkitString(*c.Entry), c.Text) << c.Entry->Identifier;
}

TEST(BarStrings, MergeMessagesTakeThisToolbarFirst) {
  EXPECT_EQ(Format(LoadToolkitString(sdxBarToolbarAlreadyMerged), {"Edit", "Main"}),
            "The 'Edit' toolbar is already merged with the 'Main' toolbar");
  EXPECT_EQ(Format(LoadToolkitString(sdxBarToolbarNotMerged), {"Edit", "Main"}),
            "The 'Edit' toolbar is not merged with the 'Main' toolbar");
  EXPECT_EQ(LoadToolkitString(sdxBarEditorSubMenuEditor), "Sub-Menu Editor");
}

}  // namespace
