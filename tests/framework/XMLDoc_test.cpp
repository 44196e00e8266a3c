#include "calderan_test.h"

#include <string>

#include "XMLDoc.h"

namespace {

// A small typed binding in the shape of the profile catalogue.
class TSizeType : public TXMLNode {
  CALDERAN_CLASS(TSizeType)
  int Width() const { return StrToInt(Attribute("Width")); }
  std::string Name() const { return Attribute("Name"); }
};

class TSizeList : public TXMLNodeCollection {
  CALDERAN_CLASS(TSizeList)
  TSizeType* Items(int index) const { return static_cast<TSizeType*>(Nodes(index)); }
  TSizeType* Add() { return static_cast<TSizeType*>(AddItem(-1)); }
};

class TIntegerList : public TXMLNodeCollection {
  CALDERAN_CLASS(TIntegerList)
  int Items(int index) const { return StrToInt(Nodes(index)->Text()); }
  void Add(int value) { AddItem(-1)->SetText(IntToStr(value)); }
};

class TVideoType : public TXMLNode {
  CALDERAN_CLASS(TVideoType)
  int DefSize() const { return StrToInt(Attribute("DefSize")); }
  TSizeList* Size() const { return size_; }
  TIntegerList* BitRate() const { return bitRate_; }

 protected:
  void AfterConstruction() override {
    RegisterChildNode("Size", TSizeType::StaticClass());
    size_ = CreateCollection<TSizeList>("Size");
    bitRate_ = CreateCollection<TIntegerList>("BitRate");
  }

 private:
  TSizeList* size_ = nullptr;
  TIntegerList* bitRate_ = nullptr;
};

class TFormatType : public TXMLNode {
  CALDERAN_CLASS(TFormatType)
  int ID() const { return StrToInt(Attribute("ID")); }
  std::string Name() const { return Attribute("Name"); }
  std::string Description() { return ChildValue("Description"); }
  std::string FileExt() { return ChildNode("General")->ChildValue("FileExt"); }
  TVideoType* Video() { return static_cast<TVideoType*>(ChildNode("Video")); }

 protected:
  void AfterConstruction() override { RegisterChildNode("Video", TVideoType::StaticClass()); }
};

class TFormatsType : public TXMLNodeCollection {
  CALDERAN_CLASS(TFormatsType)
  std::string Version() const { return Attribute("version"); }
  TFormatType* Format(int index) const { return static_cast<TFormatType*>(Nodes(index)); }
  TFormatType* Insert(int index) { return static_cast<TFormatType*>(AddItem(index)); }

 protected:
  void AfterConstruction() override {
    RegisterChildNode("Format", TFormatType::StaticClass());
    SetItemTag("Format");
  }
};

CALDERAN_IMPLEMENT_CREATABLE0(TSizeType, TXMLNode)
CALDERAN_IMPLEMENT_CREATABLE0(TSizeList, TXMLNodeCollection)
CALDERAN_IMPLEMENT_CREATABLE0(TIntegerList, TXMLNodeCollection)
CALDERAN_IMPLEMENT_CREATABLE0(TVideoType, TXMLNode)
CALDERAN_IMPLEMENT_CREATABLE0(TFormatType, TXMLNode)
CALDERAN_IMPLEMENT_CREATABLE0(TFormatsType, TXMLNodeCollection)

TFormatsType* LoadSample(TXMLDocument& doc) {
  TResourceStream stream(GetModuleHandleA(nullptr), 201, "XML");
  doc.LoadFromStream(&stream);
  return static_cast<TFormatsType*>(doc.GetDocBinding("Formats", TFormatsType::StaticClass()));
}

TEST(XMLDocument, NavigatesNodesAttributesAndText) {
  TXMLDocument doc(nullptr);
  TResourceStream stream(GetModuleHandleA(nullptr), 201, "XML");
  doc.LoadFromStream(&stream);
  TXMLNode* root = doc.DocumentElement();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->NodeName(), "Formats");
  EXPECT_EQ(root->Attribute("version"), "1.0");
  EXPECT_EQ(root->Attribute("missing"), "");
  EXPECT_FALSE(root->HasAttribute("missing"));
  EXPECT_EQ(root->ChildNodes().Count(), 3);  // two elements and the comment, no blank text
  EXPECT_EQ(root->ChildNodes()[1]->NodeType(), ntComment);
  TXMLNode* format = root->ChildNodes().FindNode("Format");
  EXPECT_EQ(format->AttributeNames(), (std::vector<std::string>{"ID", "Name"}));
  EXPECT_EQ(format->ChildValue("Description"), "Phone (*.mp4)");
  EXPECT_EQ(format->ChildNode("General")->ChildNode("OutFormat")->Text(), "mp4");
  EXPECT_EQ(format->ParentNode(), root);
  EXPECT_EQ(root->ChildNodes().Last()->Attribute("Name"), "Caf\xE9");  // from UTF-8
  EXPECT_TRUE(format->ChildNode("Description")->IsTextElement());
  try {
    format->Text();
    ADD_FAILURE();
  } catch (const EXMLDocError& e) {
    EXPECT_EQ(e.Message(), "Element \"Format\" does not contain a single text node");
  }
  EXPECT_EQ(format->ChildNodes().FindNode("Audio"), nullptr);
  TXMLNode* made = format->ChildNode("Audio");  // missing children are made on demand
  EXPECT_EQ(made->NodeName(), "Audio");
  EXPECT_EQ(format->ChildNodes().IndexOf(made), format->ChildNodes().Count() - 1);
}

TEST(XMLDocument, TypedBindingReadsListsByPosition) {
  TXMLDocument doc(nullptr);
  TFormatsType* formats = LoadSample(doc);
  EXPECT_EQ(formats->Version(), "1.0");
  ASSERT_EQ(formats->Count(), 2);
  TFormatType* phone = formats->Format(0);
  EXPECT_STREQ(phone->ClassName(), "TFormatType");
  EXPECT_EQ(phone->ID(), 10);
  EXPECT_EQ(phone->Description(), "Phone (*.mp4)");
  EXPECT_EQ(phone->FileExt(), "mp4");
  TVideoType* video = phone->Video();
  EXPECT_STREQ(video->ClassName(), "TVideoType");
  EXPECT_EQ(video->DefSize(), 1);
  ASSERT_EQ(video->Size()->Count(), 2);
  EXPECT_EQ(video->Size()->Items(1)->Width(), 480);
  EXPECT_STREQ(video->Size()->Items(1)->ClassName(), "TSizeType");
  EXPECT_EQ(video->BitRate()->Count(), 2);
  EXPECT_EQ(video->BitRate()->Items(1), 1000);
  EXPECT_EQ(formats->Format(0), phone);  // one wrapper per element
  const std::pair<int, const char*> bad[] = {{2, "List index out of bounds (2)"}, {-1, "List index out of bounds (-1)"}};
  for (auto [index, message] : bad) {
    try {
      video->BitRate()->Items(index);
      ADD_FAILURE();
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), message);
    }
  }
}

TEST(XMLDocument, ItemsAreDeletedAddedAndWrittenBack) {
  TXMLDocument doc(nullptr);
  TFormatsType* formats = LoadSample(doc);
  formats->Delete(0);
  ASSERT_EQ(formats->Count(), 1);
  EXPECT_EQ(formats->Format(0)->ID(), 1000);
  TFormatType* first = formats->Insert(0);
  first->SetAttribute("Name", "New & <odd>");
  first->Video()->BitRate()->Add(64);
  first->Video()->Size()->Add()->SetAttribute("Width", "7");
  EXPECT_EQ(formats->Format(0), first);
  EXPECT_EQ(formats->Count(), 2);
  EXPECT_EQ(formats->Remove(formats->Format(1)), 1);
  EXPECT_EQ(formats->Remove(formats->Format(0)->Video()), -1);  // not an item of this list

  TXMLDocument again(nullptr);
  again.LoadFromXML(doc.SaveToXML());
  TFormatsType* back = static_cast<TFormatsType*>(again.GetDocBinding("Formats", TFormatsType::StaticClass()));
  ASSERT_EQ(back->Count(), 1);
  EXPECT_EQ(back->Format(0)->Name(), "New & <odd>");
  EXPECT_EQ(back->Format(0)->Video()->BitRate()->Items(0), 64);
  EXPECT_EQ(back->Format(0)->Video()->Size()->Items(0)->Width(), 7);
  back->Clear();
  EXPECT_EQ(back->Count(), 0);
  EXPECT_EQ(again.DocumentElement()->Attribute("version"), "1.0");
}

TEST(XMLDocument, BrokenTextRaisesAClearError) {
  struct Case { const char* xml; const char* start; };
  const Case cases[] = {
      {"<a><b></a>", "XML parse error at line 1, column "},
      {"<a>\n<b x=1/></a>", "XML parse error at line 2, column "},
      {"", "XML parse error at line "},
      {"<a></a><b/>", "XML parse error at line 1, column "},
  };
  for (const Case& c : cases) {
    TXMLDocument doc(nullptr);
    try {
      doc.LoadFromXML(c.xml);
      ADD_FAILURE() << c.xml;
    } catch (const EDOMParseError& e) {
      EXPECT_EQ(e.Message().rfind(c.start, 0), 0u) << e.Message();
      EXPECT_GT(e.Message().size(), std::string(c.start).size() + 4) << e.Message();
    }
    EXPECT_FALSE(doc.Active());
    EXPECT_EQ(doc.DocumentElement(), nullptr);
  }
  TXMLDocument doc(nullptr);
  doc.LoadFromXML("<Other/>");
  try {
    doc.GetDocBinding("Formats", TFormatsType::StaticClass());
    ADD_FAILURE();
  } catch (const EXMLDocError& e) {
    EXPECT_EQ(e.Message(), "The document has no element \"Formats\" at its root");
  }
}

}  // namespace
