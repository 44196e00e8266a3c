#include "calderan_test.h"

#include <cstdint>
#include <string>
#include <tuple>

#include "SysUtils.h"

namespace {

struct FormatCase {
  const char* format;
  std::initializer_list<TVarRec> args;
  const char* expected;
};

TEST(Format, ProducesThePlatformsText) {
  const std::string def = "def";  // arguments only view strings: a named one outlives the table
  const FormatCase cases[] = {
      {"%d", {42}, "42"},
      {"%5d|%-5d|", {42, 42}, "   42|42   |"},
      {"%.5d", {-12}, "-00012"},
      {"%3d", {-12345}, "-12345"},
      {"%d", {int64_t{12345678901}}, "12345678901"},
      {"%u", {-1}, "4294967295"},
      {"%x", {255}, "FF"},
      {"%x", {-1}, "FFFFFFFF"},
      {"%.4x", {26}, "001A"},
      {"%x", {int64_t{-1}}, "FFFFFFFFFFFFFFFF"},
      {"%s and %s", {"abc", def}, "abc and def"},
      {"%.2s|%5s|%-5s|", {"abc", "abc", "abc"}, "ab|  abc|abc  |"},
      {"%s", {'c'}, "c"},
      {"%s", {u"wide"}, "wide"},
      {"%*d|%-*d|", {6, 42, 4, 7}, "    42|7   |"},
      {"%.*f", {3, 1.5}, "1.500"},
      {"%1:s %0:s %s", {"a", "b"}, "b a b"},
      {"%f", {1.5}, "1.50"},
      {"%.0f|%.0f|%.0f", {0.5, 2.5, -2.5}, "1|3|-3"},
      {"%.2f", {-0.004}, "0.00"},
      {"%.1f", {-1.25}, "-1.3"},
      {"%.2f", {2.675L}, "2.68"},
      {"%.2f", {2.675}, "2.67"},  // the double lies below the half
      {"%e", {1234.5}, "1.23450000000000E+003"},
      {"%.3e", {1234.5}, "1.23E+003"},
      {"%e", {-0.00012}, "-1.20000000000000E-004"},
      {"%e", {0.0}, "0.00000000000000E+000"},
      {"%g", {1234.5}, "1234.5"},
      {"%g|%g", {0.0001, 0.00001}, "0.0001|1E-005"},
      {"%g|%g", {0.0, 1e20}, "0|1E020"},
      {"%n", {1234567.891}, "1,234,567.89"},
      {"%.0n", {-1234.5}, "-1,235"},
      {"%m|%m", {1234.5, -5.0}, "$1,234.50|($5.00)"},
      {"%p", {reinterpret_cast<void*>(0x1234)}, "0000000000001234"},
      {"100%% of %D", {3}, "100% of 3"},
      {"%8.3f|", {3.14159}, "   3.142|"},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(Format(c.format, c.args), c.expected) << c.format;
}

struct FormatErrorCase {
  const char* format;
  std::initializer_list<TVarRec> args;
  const char* message;
};

TEST(Format, BadSpecifiersRaiseConvertErrors) {
  const FormatErrorCase cases[] = {
      {"%d", {"x"}, "Format '%d' invalid or incompatible with argument"},
      {"%s", {1}, "Format '%s' invalid or incompatible with argument"},
      {"%f", {1}, "Format '%f' invalid or incompatible with argument"},
      {"%d", {1.5}, "Format '%d' invalid or incompatible with argument"},
      {"%q", {1}, "Format '%q' invalid or incompatible with argument"},
      {"abc %", {1}, "Format 'abc %' invalid or incompatible with argument"},
      {"%*d", {"x", 1}, "Format '%*d' invalid or incompatible with argument"},
      {"%d %d", {1}, "No argument for format '%d %d'"},
      {"%2:d", {1}, "No argument for format '%2:d'"},
      {"a rather long format text with %d", {}, "No argument for format 'a rather long format text with '"},
  };
  for (const FormatErrorCase& c : cases) {
    try {
      Format(c.format, c.args);
      ADD_FAILURE() << c.format << " did not raise";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(FloatToStr, GeneralFormWithFifteenDigits) {
  const std::pair<long double, const char*> cases[] = {
      {0.1, "0.1"},     {1.0L / 3, "0.333333333333333"}, {1e15, "1E15"},   {123456789012345.0, "123456789012345"},
      {-2.5, "-2.5"},   {1e-5, "1E-5"},                  {0.0001, "0.0001"}, {100, "100"},
      {2.675L, "2.675"}, {0, "0"},                        {-1.5e-10, "-1.5E-10"},
  };
  for (auto [value, text] : cases) EXPECT_EQ(FloatToStr(value), text);
}

TEST(FormatFloat, PictureFormats) {
  const std::tuple<const char*, long double, const char*> cases[] = {
      {"0.00", 1.5, "1.50"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0", 999.5, "1,000"},
      {"0", 2.5, "3"},
      {"0", -2.5, "-3"},
      {"#.##", 0.5, ".5"},
      {"0.##", 1.0, "1"},
      {"0.##", 1.456, "1.46"},
      {"000", 7, "007"},
      {"#", 0, ""},
      {"0.0", -0.04, "0.0"},
      {"0.00E+00", 1234, "1.23E+03"},
      {"00.0E+0", 1234, "12.3E+2"},
      {"0.0E-0", 0.00012, "1.2E-4"},
      {"0.0E-0", 1200, "1.2E3"},
      {"#,##0;(#,##0);Zero", -1234, "(1,234)"},
      {"#,##0;(#,##0);Zero", 0.2, "Zero"},
      {"#,##0;(#,##0);Zero", 1234, "1,234"},
      {"'Total: '0", 5, "Total: 5"},
      {"0 \"kB\"", 12, "12 kB"},
      {"$#,##0.00", -5, "-$5.00"},
      {"", 1.5, "1.5"},
  };
  for (auto [format, value, text] : cases) EXPECT_EQ(FormatFloat(format, value), text) << format;
}

TEST(Integers, TextConversionsAndTheirErrors) {
  const std::pair<const char*, int32_t> good[] = {
      {"12", 12}, {" 12", 12}, {"+5", 5}, {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX},
      {"$FF", 255}, {"0x10", 16}, {"$FFFFFFFF", -1}, {"-0", 0},
  };
  for (auto [text, value] : good) EXPECT_EQ(StrToInt(text), value) << text;
  const char* bad[] = {"", " ", "12 ", "2147483648", "-2147483649", "1e3", "abc", "$", "1.0", "--1"};
  for (const char* text : bad) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "'" << text << "' was accepted";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid integer value");
    }
    EXPECT_EQ(StrToIntDef(text, 7), 7);
  }
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
}

TEST(Floats, TextConversionsAndTheirErrors) {
  const std::pair<const char*, long double> good[] = {{"1.5", 1.5L}, {" -2e3 ", -2000}, {"+.5", 0.5L}, {"7", 7}};
  for (auto [text, value] : good) EXPECT_EQ(StrToFloat(text), value) << text;
  for (const char* text : {"", "1,5", "1.5.2", "e3", "1e", "abc"}) {
    try {
      StrToFloat(text);
      ADD_FAILURE() << text;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid floating point value");
    }
  }
}

TEST(Rounding, HalvesGoToTheEvenNeighbourAndTruncGoesTowardZero) {
  const std::pair<long double, int64_t> rounds[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.5000001, 3}, {-2.6, -3}};
  for (auto [v, r] : rounds) EXPECT_EQ(Round(v), r) << static_cast<double>(v);
  EXPECT_EQ(Trunc(-1.7), -1);
  EXPECT_EQ(Trunc(1.7), 1);
}

TEST(Strings, TrimCaseAndComparison) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x "), "  x");
  EXPECT_EQ(UpperCase("abc\xE9"), "ABC\xE9");  // only ASCII letters
  EXPECT_EQ(AnsiUpperCase("abc\xE9"), "ABC\xC9");
  EXPECT_EQ(LowerCase("ABC"), "abc");
  EXPECT_LT(AnsiCompareText("abc", "ABD"), 0);
  EXPECT_EQ(AnsiCompareText("Hello", "hELLO"), 0);
  EXPECT_GT(AnsiCompareText("b", "A"), 0);
  EXPECT_TRUE(SameText("Edit1", "EDIT1"));
  EXPECT_FALSE(SameText("Edit1", "Edit2"));
  EXPECT_LT(CompareStr("B", "a"), 0);  // ordinal
  EXPECT_EQ(StringReplace("a.b.c", ".", "::", true, false), "a::b::c");
  EXPECT_EQ(StringReplace("aXbx", "x", "-", false, true), "a-bx");
  EXPECT_EQ(Pos("b:", "ab:c"), 2);
}

TEST(FileNames, SplitAndJoinWithTheDriveAndPathDelimiters) {
  struct Case { const char* name; const char* path; const char* dir; const char* file; const char* ext; };
  const Case cases[] = {
      {"C:\\dir\\sub\\file.tar.gz", "C:\\dir\\sub\\", "C:\\dir\\sub", "file.tar.gz", ".gz"},
      {"C:\\file", "C:\\", "C:\\", "file", ""},
      {"C:file.txt", "C:", "C:", "file.txt", ".txt"},
      {"file", "", "", "file", ""},
      {"C:\\dir.x\\file", "C:\\dir.x\\", "C:\\dir.x", "file", ""},
      {"\\\\server\\share\\a.b", "\\\\server\\share\\", "\\\\server\\share", "a.b", ".b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
    EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
  }
  EXPECT_EQ(ChangeFileExt("C:\\dir.x\\file", ".a"), "C:\\dir.x\\file.a");
  EXPECT_EQ(ChangeFileExt("C:\\d\\f.tar.gz", ".txt"), "C:\\d\\f.tar.txt");
  EXPECT_EQ(ChangeFileExt("f.txt", ""), "f");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\a"), "C:\\a\\");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\a\\"), "C:\\a");
  EXPECT_EQ(ExtractFileDrive("C:\\a"), "C:");
}

TEST(FileNames, ExistenceOfFilesAndFolders) {
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  std::string folder = std::string(temp) + "calderan sys & \xE9t\xE9";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string file = folder + "\\probe.txt";
  HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_TRUE(DirectoryExists(folder));
  EXPECT_TRUE(DirectoryExists(folder + "\\"));
  EXPECT_FALSE(FileExists(folder));
  EXPECT_FALSE(FileExists(folder + "\\missing.txt"));
  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
  EXPECT_FALSE(DirectoryExists(folder));
}

}  // namespace
