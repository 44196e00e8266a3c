#include "calderan_test.h"

#include <string>

#include "Registry.h"

namespace {

// Registry: a key of its own under HKEY_CURRENT_USER, removed at the end.
class RegistryTest : public ::testing::Test {
 protected:
  std::string root = "Software\\Calderan Tests\\" + std::to_string(GetCurrentProcessId());
  void TearDown() override {
    TRegistry reg;
    reg.DeleteKey(root);
  }
};

TEST_F(RegistryTest, KeysAndValuesRoundTrip) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey(root + "\\Layout", false));
  ASSERT_TRUE(reg.OpenKey(root + "\\Layout", true));
  EXPECT_EQ(reg.CurrentPath(), root + "\\Layout");
  reg.WriteString("Name", "Bar 1");
  reg.WriteInteger("BarCount", -3);
  reg.WriteBool("Visible", true);
  EXPECT_TRUE(reg.ValueExists("Name"));
  EXPECT_FALSE(reg.ValueExists("Other"));
  EXPECT_EQ(reg.ReadString("Name"), "Bar 1");
  EXPECT_EQ(reg.ReadString("Other"), "");
  EXPECT_EQ(reg.ReadInteger("BarCount"), -3);
  EXPECT_TRUE(reg.ReadBool("Visible"));
  EXPECT_EQ(reg.GetDataType("BarCount"), rdInteger);
  try {
    reg.ReadInteger("Other");
    ADD_FAILURE();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Failed to get data for 'Other'");
  }
  try {
    reg.ReadInteger("Name");
    ADD_FAILURE();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'Name'");
  }
  ASSERT_TRUE(reg.OpenKey("Bar1", true));  // relative to the open key
  EXPECT_EQ(reg.CurrentPath(), root + "\\Layout\\Bar1");
  reg.CloseKey();
  EXPECT_TRUE(reg.KeyExists(root + "\\Layout\\Bar1"));
  ASSERT_TRUE(reg.OpenKey("\\" + root, false));  // from the root
  EXPECT_TRUE(reg.HasSubKeys());
  TStringList names;
  reg.GetKeyNames(&names);
  EXPECT_EQ(names.CommaText(), "Layout");
  EXPECT_TRUE(reg.DeleteKey("Layout"));  // with its sub-key
  EXPECT_FALSE(reg.KeyExists("Layout"));
}

TEST_F(RegistryTest, IniFileOverTheRegistry) {
  {
    TRegIniFile ini(root);
    ini.WriteString("Bar0", "Caption", "Main");
    ini.WriteInteger("Bar0", "Row", 2);
    ini.WriteBool("Bar0", "Visible", false);
    ini.WriteString("Bar1", "Caption", "x");
    ini.EraseSection("Bar1");
    EXPECT_EQ(ini.GetDataType("Version"), rdUnknown);
  }
  TRegIniFile ini(root);
  EXPECT_EQ(ini.ReadString("Bar0", "Caption", ""), "Main");
  EXPECT_EQ(ini.ReadInteger("Bar0", "Row", 0), 2);
  EXPECT_EQ(ini.ReadInteger("Bar0", "Caption", 9), 9);  // text that is no number
  EXPECT_FALSE(ini.ReadBool("Bar0", "Visible", true));
  EXPECT_EQ(ini.ReadString("Missing", "Caption", "none"), "none");
  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(list.CommaText(), "Bar0");
  ini.ReadSection("Bar0", &list);
  list.SetSorted(true);
  EXPECT_EQ(list.CommaText(), "Caption,Row,Visible");
  ini.DeleteKey("Bar0", "Row");
  EXPECT_EQ(ini.ReadInteger("Bar0", "Row", -1), -1);
}

}  // namespace
