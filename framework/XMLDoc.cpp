// The document binding over libxml2. Each DOM node has at most one wrapper, found through the
// node's _private field; the document owns the wrappers.
#include "XMLDoc.h"

// libxml2 reaches the Unicode library's headers, which take their Windows branch (and clash with
// <stdint.h>) when they see the Windows macros that wineg++ defines: hide them for these headers.
#pragma push_macro("_WIN32")
#pragma push_macro("WIN32")
#pragma push_macro("_WIN64")
#pragma push_macro("WIN64")
#undef _WIN32
#undef WIN32
#undef _WIN64
#undef WIN64
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#pragma pop_macro("_WIN32")
#pragma pop_macro("WIN32")
#pragma pop_macro("_WIN64")
#pragma pop_macro("WIN64")

#include <algorithm>

CALDERAN_IMPLEMENT_CLASS(EXMLDocError, Exception)
CALDERAN_IMPLEMENT_CLASS(EDOMParseError, EXMLDocError)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLNode, TObject)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLNodeCollection, TXMLNode)
CALDERAN_IMPLEMENT_CREATABLE(TXMLDocument, TComponent, TComponent*)

namespace {
// The document is UTF-8 inside; the program's texts are in the system code page.
std::string ToAnsi(const xmlChar* utf8) {
  if (!utf8 || !*utf8) return {};
  const char* s = reinterpret_cast<const char*>(utf8);
  int n = MultiByteToWideChar(CP_UTF8, 0, s, -1, nullptr, 0);
  std::u16string wide(n > 0 ? n - 1 : 0, u'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, s, -1, reinterpret_cast<WCHAR*>(wide.data()), n);
  return WideToAnsi(wide);
}

std::string ToUtf8(const std::string& ansi) {
  std::u16string wide = AnsiToWide(ansi);
  if (wide.empty()) return {};
  auto src = reinterpret_cast<const WCHAR*>(wide.data());
  int n = WideCharToMultiByte(CP_UTF8, 0, src, static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string r(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, src, static_cast<int>(wide.size()), r.data(), n, nullptr, nullptr);
  return r;
}

const xmlChar* X(const std::string& utf8) { return reinterpret_cast<const xmlChar*>(utf8.c_str()); }

// Takes an xmlChar* that libxml2 allocated and frees it.
std::string Take(xmlChar* s) {
  std::string r = ToAnsi(s);
  xmlFree(s);
  return r;
}

bool IsElementNamed(xmlNode* n, const std::string& utf8Name) {
  return n->type == XML_ELEMENT_NODE && xmlStrEqual(n->name, X(utf8Name));
}

[[noreturn]] void ListIndexError(int index) { throw EListError(Format(SListIndexError, {index})); }
}  // namespace

// ---------------------------------------------------------------------------------------------
// TXMLNodeList
std::vector<xmlNode*> TXMLNodeList::Items() const {
  std::vector<xmlNode*> items;
  xmlNode* parent = owner_->node_;
  if (!parent) return items;
  std::string tag = ToUtf8(tag_);
  for (xmlNode* n = parent->children; n; n = n->next)
    if (tag.empty() ? n->type != XML_ATTRIBUTE_NODE : IsElementNamed(n, tag)) items.push_back(n);
  return items;
}

int TXMLNodeList::Count() const { return static_cast<int>(Items().size()); }

TXMLNode* TXMLNodeList::Nodes(int index) const {
  std::vector<xmlNode*> items = Items();
  if (index < 0 || index >= static_cast<int>(items.size())) ListIndexError(index);
  return owner_->document_->Wrap(items[index]);
}

TXMLNode* TXMLNodeList::FindNode(const std::string& name) const {
  std::string utf8 = ToUtf8(name);
  for (xmlNode* n : Items())
    if (IsElementNamed(n, utf8)) return owner_->document_->Wrap(n);
  return nullptr;
}

int TXMLNodeList::IndexOf(const TXMLNode* node) const {
  std::vector<xmlNode*> items = Items();
  auto it = std::find(items.begin(), items.end(), node ? node->node_ : nullptr);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TXMLNodeList::Delete(int index) {
  std::vector<xmlNode*> items = Items();
  if (index < 0 || index >= static_cast<int>(items.size())) ListIndexError(index);
  owner_->document_->DeleteNode(items[index]);
}

int TXMLNodeList::Remove(TXMLNode* node) {
  int index = IndexOf(node);
  if (index >= 0) Delete(index);
  return index;
}

void TXMLNodeList::Clear() {
  for (xmlNode* n : Items()) owner_->document_->DeleteNode(n);
}

// ---------------------------------------------------------------------------------------------
// TXMLNode
TXMLNode::TXMLNode() : children_(this, std::string()) {}
TXMLNode::~TXMLNode() = default;

std::string TXMLNode::NodeName() const {
  switch (node_->type) {
    case XML_TEXT_NODE: return "#text";
    case XML_CDATA_SECTION_NODE: return "#cdata-section";
    case XML_COMMENT_NODE: return "#comment";
    default: return ToAnsi(node_->name);
  }
}

TNodeType TXMLNode::NodeType() const {
  int t = static_cast<int>(node_->type);
  return t >= ntElement && t <= ntNotation ? static_cast<TNodeType>(t) : ntReserved;
}

TXMLNode* TXMLNode::ParentNode() const {
  xmlNode* p = node_->parent;
  return p && p->type == XML_ELEMENT_NODE ? document_->Wrap(p) : nullptr;
}

bool TXMLNode::HasAttribute(const std::string& name) const {
  return xmlHasProp(node_, X(ToUtf8(name))) != nullptr;
}

std::string TXMLNode::Attribute(const std::string& name) const {
  return Take(xmlGetProp(node_, X(ToUtf8(name))));
}

void TXMLNode::SetAttribute(const std::string& name, const std::string& value) {
  if (!xmlSetProp(node_, X(ToUtf8(name)), X(ToUtf8(value)))) throw EXMLDocError(SInvalidPropertyValue);
}

std::vector<std::string> TXMLNode::AttributeNames() const {
  std::vector<std::string> names;
  if (node_->type != XML_ELEMENT_NODE) return names;
  for (xmlAttr* a = node_->properties; a; a = a->next) names.push_back(ToAnsi(a->name));
  return names;
}

bool TXMLNode::IsTextElement() const {
  if (node_->type != XML_ELEMENT_NODE) return false;
  for (xmlNode* n = node_->children; n; n = n->next)
    if (n->type != XML_TEXT_NODE && n->type != XML_CDATA_SECTION_NODE) return false;
  return true;
}

std::string TXMLNode::Text() const {
  if (node_->type == XML_ELEMENT_NODE && !IsTextElement())
    throw EXMLDocError(Format(SNotSingleTextNode, {NodeName()}));
  return Take(xmlNodeGetContent(node_));
}

void TXMLNode::SetText(const std::string& text) {
  if (node_->type == XML_ELEMENT_NODE) {
    while (node_->children) document_->DeleteNode(node_->children);
    xmlNodeAddContent(node_, X(ToUtf8(text)));  // adds a text node, escaped when written
  } else {
    xmlNodeSetContent(node_, nullptr);
    xmlNodeAddContent(node_, X(ToUtf8(text)));
  }
}

bool TXMLNode::HasChildNodes() const { return node_->children != nullptr; }

TXMLNode* TXMLNode::ChildNode(const std::string& name) {
  if (TXMLNode* found = children_.FindNode(name)) return found;
  return AddChild(name);
}

TXMLNode* TXMLNode::AddChild(const std::string& name, int index) {
  xmlNode* child = xmlNewDocNode(node_->doc, nullptr, X(ToUtf8(name)), nullptr);
  if (!child) throw EXMLDocError(SInvalidPropertyValue);
  std::vector<xmlNode*> items = children_.Items();
  if (index >= 0 && index < static_cast<int>(items.size())) xmlAddPrevSibling(items[index], child);
  else xmlAddChild(node_, child);
  return document_->Wrap(child);
}

std::string TXMLNode::XML() const {
  xmlBuffer* buffer = xmlBufferCreate();
  xmlNodeDump(buffer, node_->doc, node_, 0, 0);
  std::string r = ToAnsi(xmlBufferContent(buffer));
  xmlBufferFree(buffer);
  return r;
}

void TXMLNode::RegisterChildNode(const std::string& tag, TClass nodeClass) {
  if (host_) {
    host_->RegisterChildNode(tag, nodeClass);
    return;
  }
  for (auto& entry : childClasses_)
    if (entry.first == tag) {
      entry.second = nodeClass;
      return;
    }
  childClasses_.emplace_back(tag, nodeClass);
}

TClass TXMLNode::ChildClass(const std::string& tag) const {
  for (const auto& entry : childClasses_)
    if (entry.first == tag) return entry.second;
  return TXMLNode::StaticClass();
}

TXMLNodeCollection* TXMLNode::CreateCollection(TClass collectionClass, const std::string& itemTag) {
  auto* collection = static_cast<TXMLNodeCollection*>(collectionClass->Create(nullptr));
  collections_.emplace_back(collection);
  collection->document_ = document_;
  collection->node_ = node_;
  collection->host_ = host_ ? host_ : this;
  collection->SetItemTag(itemTag);
  collection->AfterConstruction();
  return collection;
}

// ---------------------------------------------------------------------------------------------
// TXMLNodeCollection
TXMLNodeCollection::TXMLNodeCollection() : list_(this, std::string()) {}

TXMLNode* TXMLNodeCollection::AddItem(int index) {
  xmlNode* item = xmlNewDocNode(DOMNode()->doc, nullptr, X(ToUtf8(ItemTag())), nullptr);
  if (!item) throw EXMLDocError(SInvalidPropertyValue);
  std::vector<xmlNode*> items = list_.Items();
  if (index >= 0 && index < static_cast<int>(items.size())) xmlAddPrevSibling(items[index], item);
  else if (!items.empty()) xmlAddNextSibling(items.back(), item);
  else xmlAddChild(DOMNode(), item);
  return OwnerDocument()->Wrap(item);
}

// ---------------------------------------------------------------------------------------------
// TXMLDocument
TXMLDocument::TXMLDocument(TComponent* owner) : TComponent(owner) {}

TXMLDocument::~TXMLDocument() { Reset(); }

void TXMLDocument::Reset() {
  wrappers_.clear();
  if (doc_) xmlFreeDoc(doc_);
  doc_ = nullptr;
}

namespace {
// The first error of a parse: later ones mostly follow from it ("premature end of data").
struct TParseError {
  bool Set = false;
  int Line = 0, Column = 0;
  std::string Message;
};

void CollectParseError(void* context, xmlErrorPtr error) {
  auto* first = static_cast<TParseError*>(static_cast<xmlParserCtxtPtr>(context)->_private);
  if (!first || first->Set || !error || error->level < XML_ERR_ERROR) return;
  first->Set = true;
  first->Line = error->line;
  first->Column = error->int2;
  first->Message = error->message ? error->message : "";
  while (!first->Message.empty() && (first->Message.back() == '\n' || first->Message.back() == ' '))
    first->Message.pop_back();
}
}  // namespace

void TXMLDocument::LoadFromXML(const std::string& xml) {
  Reset();
  xmlParserCtxtPtr context = xmlNewParserCtxt();
  if (!context) throw EXMLDocError(SInvalidPropertyValue);
  TParseError first;
  context->_private = &first;
  context->sax->serror = &CollectParseError;  // errors come here, not to the library's output
  // No network access; blanks between elements are not nodes.
  const int options = XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOBLANKS;
  doc_ = xmlCtxtReadMemory(context, xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, options);
  xmlFreeParserCtxt(context);
  if (doc_ && !first.Set) return;
  Reset();
  if (!first.Set) first.Message = "the document is empty";
  throw EDOMParseError(Format(SXMLParseError, {first.Line, first.Column, first.Message}));
}

void TXMLDocument::LoadFromStream(TStream* stream) { LoadFromXML(stream->ReadAll()); }

void TXMLDocument::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

std::string TXMLDocument::SaveToXML() const {
  if (!doc_) return {};
  xmlChar* text = nullptr;
  int size = 0;
  xmlDocDumpFormatMemory(doc_, &text, &size, 1);
  return Take(text);
}

TXMLNode* TXMLDocument::DocumentElement() {
  xmlNode* root = doc_ ? xmlDocGetRootElement(doc_) : nullptr;
  return root ? Wrap(root) : nullptr;
}

TXMLNode* TXMLDocument::GetDocBinding(const std::string& tag, TClass nodeClass) {
  xmlNode* root = doc_ ? xmlDocGetRootElement(doc_) : nullptr;
  if (!root || !IsElementNamed(root, ToUtf8(tag))) throw EXMLDocError(Format(SMissingDocElement, {tag}));
  Unwrap(root);
  return MakeWrapper(root, nodeClass);
}

void TXMLDocument::Attach(TXMLNode* wrapper, xmlNode* node) {
  wrapper->document_ = this;
  wrapper->node_ = node;
  node->_private = wrapper;
}

TXMLNode* TXMLDocument::MakeWrapper(xmlNode* node, TClass cls) {
  auto* wrapper = static_cast<TXMLNode*>(cls->Create(nullptr));
  wrappers_.emplace_back(wrapper);
  Attach(wrapper, node);
  wrapper->AfterConstruction();
  return wrapper;
}

TXMLNode* TXMLDocument::Wrap(xmlNode* node) {
  if (node->_private) return static_cast<TXMLNode*>(node->_private);
  TClass cls = TXMLNode::StaticClass();
  if (node->type == XML_ELEMENT_NODE && node->parent && node->parent->type == XML_ELEMENT_NODE)
    cls = Wrap(node->parent)->ChildClass(ToAnsi(node->name));
  return MakeWrapper(node, cls);
}

void TXMLDocument::Unwrap(xmlNode* subtree) {
  std::vector<TXMLNode*> gone;
  auto collect = [&gone](xmlNode* n, auto& self) -> void {
    if (n->_private) gone.push_back(static_cast<TXMLNode*>(n->_private));
    n->_private = nullptr;
    for (xmlNode* c = n->children; c; c = c->next) self(c, self);
  };
  collect(subtree, collect);
  if (gone.empty()) return;
  std::erase_if(wrappers_, [&gone](const std::unique_ptr<TXMLNode>& w) {
    return std::find(gone.begin(), gone.end(), w.get()) != gone.end();
  });
}

void TXMLDocument::DeleteNode(xmlNode* node) {
  Unwrap(node);
  xmlUnlinkNode(node);
  xmlFreeNode(node);
}
