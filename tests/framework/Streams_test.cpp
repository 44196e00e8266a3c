#include "calderan_test.h"

#include <functional>
#include <string>

#include "Classes.h"

namespace {

std::string TempFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

TEST(MemoryStream, WriteSeekReadAndShortReads) {
  TMemoryStream s;
  s.WriteBuffer("hello world", 11);
  EXPECT_EQ(s.Size(), 11);
  EXPECT_EQ(s.Position(), 11);
  s.Seek(-5, soEnd);
  char buf[16] = {};
  EXPECT_EQ(s.Read(buf, 10), 5);
  EXPECT_EQ(std::string(buf, 5), "world");
  s.SetPosition(6);
  try {
    s.ReadBuffer(buf, 6);
    ADD_FAILURE();
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  s.SetSize(5);
  s.SetPosition(0);
  EXPECT_EQ(s.ReadAll(), "hello");
  s.SetPosition(8);  // writing past the end fills the gap
  s.WriteBuffer("!", 1);
  EXPECT_EQ(s.Size(), 9);
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
  EXPECT_EQ(s.Position(), 0);
}

TEST(FileStream, RoundTripThroughAFileWithAnAwkwardName) {
  std::string name = TempFolder() + "calderan stream & \xE9.bin";
  {
    TFileStream out(name, fmCreate);
    out.WriteBuffer("abc\0def", 7);
  }
  TMemoryStream copy;
  copy.LoadFromFile(name);
  EXPECT_EQ(copy.Size(), 7);
  EXPECT_EQ(std::string(static_cast<char*>(copy.Memory()), 7), std::string("abc\0def", 7));
  {
    TFileStream in(name, fmOpenReadWrite | fmShareExclusive);
    in.Seek(4, soBeginning);
    EXPECT_EQ(in.ReadAll(), "def");
    in.SetSize(3);
    EXPECT_EQ(in.Size(), 3);
  }
  std::string second = name + ".copy";
  copy.SaveToFile(second);
  {
    TFileStream again(second, fmOpenRead);
    TMemoryStream target;
    EXPECT_EQ(target.CopyFrom(&again, 0), 7);
  }
  DeleteFileA(name.c_str());
  DeleteFileA(second.c_str());
}

TEST(FileStream, FailuresNameTheFile) {
  std::string missing = TempFolder() + "calderan-no-such-file.bin";
  try {
    TFileStream s(missing, fmOpenRead);
    ADD_FAILURE();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + missing);
  }
  std::string nowhere = TempFolder() + "calderan-no-such-folder\\x.bin";
  try {
    TFileStream s(nowhere, fmCreate);
    ADD_FAILURE();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + nowhere);
  }
}

}  // namespace

namespace {

std::string ResourceText(TCustomMemoryStream& s) {
  return std::string(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
}

TEST(ResourceStream, ReadsResourcesByNameAndByNumber) {
  HINSTANCE self = GetModuleHandleA(nullptr);
  TResourceStream byName(self, "GREETING", "TESTDATA");
  EXPECT_EQ(ResourceText(byName), "Hello from a resource.\r\nSecond line.\r\n");
  TResourceStream byId(self, 7, "TESTDATA");
  TStringList lines;
  lines.LoadFromStream(&byId);
  EXPECT_EQ(lines.CommaText(), "\"Hello from a resource.\",\"Second line.\"");
  TResourceStream data(self, 8, reinterpret_cast<const char*>(RT_RCDATA));
  EXPECT_EQ(ResourceText(data).substr(0, 3), "abc");
  try {
    byName.WriteBuffer("x", 1);
    ADD_FAILURE();
  } catch (const EStreamError& e) {
    EXPECT_EQ(e.Message(), "Can't write to a read-only resource stream");
  }
}

TEST(ResourceStream, MissingResourcesNameThemselves) {
  HINSTANCE self = GetModuleHandleA(nullptr);
  struct Case { std::function<void()> open; const char* message; };
  const Case cases[] = {
      {[&] { TResourceStream s(self, 101, "XML"); }, "Resource 101 not found"},
      {[&] { TResourceStream s(self, "NOPE", "TESTDATA"); }, "Resource NOPE not found"},
      {[&] { TResourceStream s(self, "GREETING", "XML"); }, "Resource GREETING not found"},  // wrong type
  };
  for (const Case& c : cases) {
    try {
      c.open();
      ADD_FAILURE() << c.message;
    } catch (const EResNotFound& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(HandleStream, WorksOnAHandleItDoesNotOwn) {
  std::string name = TempFolder() + "calderan-handle.bin";
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  {
    THandleStream s(h);
    s.WriteBuffer("0123456789", 10);
    s.Seek(-4, soEnd);
    EXPECT_EQ(s.ReadAll(), "6789");
    EXPECT_EQ(s.Size(), 10);
  }
  EXPECT_TRUE(CloseHandle(h));  // still open after the stream is gone
  DeleteFileA(name.c_str());
}

}  // namespace
