#include "calderan_test.h"

#include <string>
#include <vector>

#include "Classes.h"

namespace {

std::vector<std::string> Lines(const TStrings& s) {
  std::vector<std::string> r;
  for (int i = 0; i < s.Count(); ++i) r.push_back(s[i]);
  return r;
}
using V = std::vector<std::string>;

TEST(StringList, SortedAddKeepsOrderAndHandlesDuplicates) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"pear", "Apple", "banana", "apple"}) list.Add(s);
  EXPECT_EQ(Lines(list), (V{"Apple", "banana", "pear"}));  // dupIgnore keeps the first "Apple"
  EXPECT_EQ(list.Add("APPLE"), 0);
  EXPECT_EQ(list.IndexOf("PEAR"), 2);
  int index = -1;
  EXPECT_FALSE(list.Find("cherry", index));
  EXPECT_EQ(index, 2);

  list.SetDuplicates(dupError);
  try {
    list.Add("BANANA");
    ADD_FAILURE();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  list.SetDuplicates(dupAccept);
  list.Add("Banana");
  EXPECT_EQ(list.Count(), 4);
  try {
    list.Insert(0, "x");
    ADD_FAILURE();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "Operation not allowed on sorted string list");
  }
  EXPECT_THROW(list.Put(0, "x"), EStringListError);
}

TEST(StringList, CaseSensitivityChangesOrderAndLookup) {
  TStringList list;
  list.SetCommaText("b,B,a,A");
  list.SetCaseSensitive(true);
  list.SetSorted(true);
  EXPECT_EQ(list.IndexOf("b"), list.IndexOf("b"));
  EXPECT_NE(list.IndexOf("b"), list.IndexOf("B"));
  EXPECT_EQ(list.Count(), 4);
  list.SetCaseSensitive(false);
  EXPECT_EQ(AnsiCompareText(list[0], "a"), 0);
  EXPECT_EQ(AnsiCompareText(list[3], "b"), 0);
  TStringList plain;
  plain.SetCommaText("x,y");
  EXPECT_EQ(plain.IndexOf("X"), 0);  // unsorted lists ignore case too
  EXPECT_EQ(plain.IndexOf("z"), -1);
}

TEST(StringList, IndexErrorsCarryTheIndex) {
  TStringList list;
  list.Add("a");
  const std::pair<int, const char*> cases[] = {{1, "List index out of bounds (1)"}, {-1, "List index out of bounds (-1)"}};
  for (auto [index, message] : cases) {
    try {
      list.Get(index);
      ADD_FAILURE();
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), message);
    }
  }
  EXPECT_THROW(list.Delete(1), EStringListError);
  EXPECT_THROW(list.Insert(2, "x"), EStringListError);
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
  struct Case { V lines; const char* text; };
  const Case cases[] = {
      {{"a", "b"}, "a,b"},
      {{"a b", "c"}, "\"a b\",c"},
      {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
      {{"x,y"}, "\"x,y\""},
      {{""}, "\"\""},
      {{"a", "", "b"}, "a,,b"},
      {{"tab\there"}, "\"tab\there\""},
      {{}, ""},
  };
  for (const Case& c : cases) {
    TStringList list;
    for (const auto& s : c.lines) list.Add(s);
    EXPECT_EQ(list.CommaText(), c.text);
    TStringList back;
    back.SetCommaText(list.CommaText());
    EXPECT_EQ(Lines(back), c.lines) << c.text;
  }
}

TEST(StringList, SettingCommaTextSplitsAtBlanksOutsideQuotes) {
  struct Case { const char* text; V lines; };
  const Case cases[] = {
      {"a b,c", {"a", "b", "c"}},
      {"  a ,  b  ", {"a", "b"}},
      {"a,", {"a", ""}},
      {"\"a\"b", {"a", "b"}},
      {"\"un,terminated", {"un,terminated"}},
      {",a", {"", "a"}},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetCommaText(c.text);
    EXPECT_EQ(Lines(list), c.lines) << c.text;
  }
}

TEST(StringList, DelimitedTextWithOtherDelimiterAndQuote) {
  TStringList list;
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  list.SetDelimitedText("one;'two;three';'it''s'");
  EXPECT_EQ(Lines(list), (V{"one", "two;three", "it's"}));
  EXPECT_EQ(list.DelimitedText(), "one;'two;three';'it''s'");
  EXPECT_EQ(list.CommaText(), "one,two;three,it's");  // CommaText keeps its own characters
  EXPECT_EQ(list.Delimiter(), ';');
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  list.SetText("Width=10\r\nheight=20\r\nplain\r\nEmpty=\r\n");
  EXPECT_EQ(list.Names(0), "Width");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.Values("HEIGHT"), "20");
  EXPECT_EQ(list.Values("missing"), "");
  EXPECT_EQ(list.ValueFromIndex(1), "20");
  EXPECT_EQ(list.ValueFromIndex(2), "");  // a line without '=' has no value
  EXPECT_EQ(list.ValueFromIndex(-1), "");
  EXPECT_EQ(list.IndexOfName("empty"), 3);
  list.SetValue("Depth", "5");
  list.SetValue("Width", "11");
  list.SetValue("height", "");
  EXPECT_EQ(Lines(list), (V{"Width=11", "plain", "Empty=", "Depth=5"}));
  list.SetValue("nothing", "");  // deleting a missing name changes nothing
  EXPECT_EQ(list.Count(), 4);
}

// Names are compared in the locale's order, where a name can equal one of another length (a soft
// hyphen weighs nothing): the value is what follows the line's own separator.
TEST(StringList, ValuesOfNamesThatMatchWithAnotherLength) {
  TStringList list;
  list.SetText("co\xADlor=red\r\nab=1\r\n");
  EXPECT_EQ(list.Values("color"), "red");
  EXPECT_EQ(list.Values("a\xAD\xAD\xAD\xAD" "b"), "1");
}

TEST(StringList, TextSplitsAtEveryKindOfLineBreak) {
  struct Case { const char* text; V lines; };
  const Case cases[] = {
      {"a\r\nb", {"a", "b"}}, {"a\r\n", {"a"}}, {"a\n\nb", {"a", "", "b"}},
      {"a\rb\n", {"a", "b"}}, {"\r\n", {""}},   {"", {}},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetText(c.text);
    EXPECT_EQ(Lines(list), c.lines) << c.text;
  }
  TStringList list;
  list.SetCommaText("x,y");
  EXPECT_EQ(list.Text(), "x\r\ny\r\n");
}

struct TChangeLog {
  std::vector<std::string> events;
  void Changing(TObject*) { events.push_back("changing"); }
  void Changed(TObject*) { events.push_back("changed"); }
};

TEST(StringList, ChangeEventsFireOncePerUpdate) {
  TChangeLog log;
  TStringList list;
  list.OnChanging = TNotifyEvent(&log, &TChangeLog::Changing);
  list.OnChange = TNotifyEvent(&log, &TChangeLog::Changed);
  list.Add("a");
  EXPECT_EQ(log.events, (V{"changing", "changed"}));
  log.events.clear();
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("b");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(log.events, (V{"changing"}));
  list.EndUpdate();
  EXPECT_EQ(log.events, (V{"changing", "changed"}));
  log.events.clear();
  list.SetCommaText("x,y,z");  // one batch
  EXPECT_EQ(log.events, (V{"changing", "changed"}));
  log.events.clear();
  list.OnChange = nullptr;
  list.Add("w");
  EXPECT_EQ(log.events, (V{"changing"}));
}

TEST(StringList, ObjectsTravelWithTheirLines) {
  TObject a, b;
  TStringList list;
  list.AddObject("b", &b);
  list.AddObject("a", &a);
  list.SetSorted(true);
  EXPECT_EQ(list.Objects(0), &a);
  EXPECT_EQ(list.IndexOfObject(&b), 1);
  TStringList copy;
  copy.Assign(&list);
  EXPECT_EQ(copy.Objects(1), &b);
  EXPECT_TRUE(copy.Equals(&list));
  copy.Move(1, 0);
  EXPECT_EQ(copy[0], "b");
  EXPECT_EQ(copy.Objects(0), &b);
}

TEST(StringList, FilesRoundTrip) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string name = std::string(temp) + "calderan lines & \xE9.txt";
  TStringList list;
  list.SetCommaText("\"first line\",second,,\xE9t\xE9");
  list.SaveToFile(name);
  TStringList back;
  back.LoadFromFile(name);
  EXPECT_TRUE(back.Equals(&list));
  DeleteFileA(name.c_str());
  EXPECT_THROW(back.LoadFromFile(name), EFOpenError);
}

}  // namespace
