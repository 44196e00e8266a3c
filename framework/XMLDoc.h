// The XML document binding: a document loaded from a stream or a text, its nodes with names,
// attributes, text and child nodes, and the bases of typed bindings, where each element type is a
// TXMLNode subclass and each repeated element a TXMLNodeCollection subclass.
//
// A typed node class registers, in AfterConstruction, which class wraps which child tag and
// creates its collections:
//
//   class TXMLVideoType : public TXMLNode {
//     CALDERAN_CLASS(TXMLVideoType)
//     int DefSize() { return StrToInt(Attribute("DefSize")); }
//     TXMLCodecTypeList* Codec() { return codec_; }
//    protected:
//     void AfterConstruction() override {
//       RegisterChildNode("Codec", TXMLCodecType::StaticClass());
//       codec_ = CreateCollection<TXMLCodecTypeList>("Codec");
//     }
//   };
//   CALDERAN_IMPLEMENT_CREATABLE0(TXMLVideoType, TXMLNode)   // node classes are built without arguments
//
// Nodes belong to their document: a node pointer stays valid until its node is deleted, the
// document is loaded again or freed, or GetDocBinding rebinds the root. Texts are in the system
// code page; the document itself is Unicode.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "Classes.h"

struct _xmlNode;
struct _xmlDoc;

CALDERAN_EXCEPTION(EXMLDocError, Exception)
// A document that is not well-formed: the message names the line, the column and the fault.
CALDERAN_EXCEPTION(EDOMParseError, EXMLDocError)

inline constexpr const char* SNotSingleTextNode = "Element \"%s\" does not contain a single text node";
inline constexpr const char* SXMLParseError = "XML parse error at line %d, column %d: %s";
inline constexpr const char* SMissingDocElement = "The document has no element \"%s\" at its root";

enum TNodeType {
  ntReserved, ntElement, ntAttribute, ntText, ntCData, ntEntityRef, ntEntity, ntProcessingInstr,
  ntComment, ntDocument, ntDocType, ntDocFragment, ntNotation
};

class TXMLDocument;
class TXMLNode;
class TXMLNodeCollection;

// The child nodes of a node, or only its child elements of one tag (a collection's items).
// Index errors raise EListError "List index out of bounds (%d)".
class TXMLNodeList {
 public:
  TXMLNodeList(TXMLNode* owner, std::string tag) : owner_(owner), tag_(std::move(tag)) {}
  int Count() const;
  TXMLNode* Nodes(int index) const;
  TXMLNode* operator[](int index) const { return Nodes(index); }
  TXMLNode* First() const { return Count() ? Nodes(0) : nullptr; }
  TXMLNode* Last() const { return Count() ? Nodes(Count() - 1) : nullptr; }
  TXMLNode* FindNode(const std::string& name) const;  // first element of that name, or null
  int IndexOf(const TXMLNode* node) const;
  void Delete(int index);
  int Remove(TXMLNode* node);  // its former index, or -1
  void Clear();
  const std::string& Tag() const { return tag_; }
  void SetTag(const std::string& tag) { tag_ = tag; }

 private:
  friend class TXMLNode;
  friend class TXMLNodeCollection;
  std::vector<_xmlNode*> Items() const;
  TXMLNode* owner_;
  std::string tag_;  // empty: every child node
};

class TXMLNode : public TObject {
  CALDERAN_CLASS(TXMLNode)
  TXMLNode();
  ~TXMLNode() override;

  std::string NodeName() const;
  TNodeType NodeType() const;
  TXMLDocument* OwnerDocument() const { return document_; }
  TXMLNode* ParentNode() const;

  bool HasAttribute(const std::string& name) const;
  std::string Attribute(const std::string& name) const;  // "" when absent
  void SetAttribute(const std::string& name, const std::string& value);
  std::vector<std::string> AttributeNames() const;

  // An element holding nothing but text (or nothing) is a text element; Text of any other
  // element raises SNotSingleTextNode. Text of a text, CDATA or comment node is its content.
  bool IsTextElement() const;
  std::string Text() const;
  void SetText(const std::string& text);

  TXMLNodeList& ChildNodes() { return children_; }
  bool HasChildNodes() const;
  // The first child element of that name, created (appended) when there is none.
  TXMLNode* ChildNode(const std::string& name);
  std::string ChildValue(const std::string& name) { return ChildNode(name)->Text(); }
  // A new child element, appended (index < 0) or placed before the child node at `index`.
  TXMLNode* AddChild(const std::string& name, int index = -1);
  // The node as XML text.
  std::string XML() const;

 protected:
  // Runs once the node is attached to its document: typed bindings register their child classes
  // and create their collections here.
  virtual void AfterConstruction() {}
  void RegisterChildNode(const std::string& tag, TClass nodeClass);
  // A collection of this node's child elements with `itemTag` (sharing this node).
  TXMLNodeCollection* CreateCollection(TClass collectionClass, const std::string& itemTag);
  template <class C> C* CreateCollection(const std::string& itemTag) {
    return static_cast<C*>(CreateCollection(C::StaticClass(), itemTag));
  }
  _xmlNode* DOMNode() const { return node_; }

 private:
  friend class TXMLDocument;
  friend class TXMLNodeList;
  friend class TXMLNodeCollection;
  TClass ChildClass(const std::string& tag) const;

  TXMLDocument* document_ = nullptr;
  _xmlNode* node_ = nullptr;
  TXMLNode* host_ = nullptr;  // for a collection created by CreateCollection: the node it shares
  std::vector<std::pair<std::string, TClass>> childClasses_;
  std::vector<std::unique_ptr<TXMLNodeCollection>> collections_;
  TXMLNodeList children_;
};

// A node seen as the list of its child elements with ItemTag: typed lists derive from it.
class TXMLNodeCollection : public TXMLNode {
  CALDERAN_CLASS(TXMLNodeCollection)
  TXMLNodeCollection();

  const std::string& ItemTag() const { return list_.Tag(); }
  void SetItemTag(const std::string& tag) { list_.SetTag(tag); }
  TXMLNodeList& List() { return list_; }
  int Count() const { return list_.Count(); }
  TXMLNode* Nodes(int index) const { return list_.Nodes(index); }
  // A new item, appended after the last item (index < 0 or past the end) or placed before item
  // `index`.
  TXMLNode* AddItem(int index);
  void Delete(int index) { list_.Delete(index); }
  int Remove(TXMLNode* node) { return list_.Remove(node); }
  void Clear() { list_.Clear(); }

 private:
  TXMLNodeList list_;
};

class TXMLDocument : public TComponent {
  CALDERAN_CLASS(TXMLDocument)
  explicit TXMLDocument(TComponent* owner);
  ~TXMLDocument() override;

  // Each load replaces the document; a text that is not well-formed raises EDOMParseError and
  // leaves the document empty.
  void LoadFromXML(const std::string& xml);
  void LoadFromStream(TStream* stream);
  void LoadFromFile(const std::string& fileName);
  std::string SaveToXML() const;
  bool Active() const { return doc_ != nullptr; }

  // The root element, or null for an empty document.
  TXMLNode* DocumentElement();
  // The root element wrapped by `nodeClass` (a TXMLNode class built without arguments); raises
  // EXMLDocError when the root element is not `tag`. Earlier node pointers become invalid.
  TXMLNode* GetDocBinding(const std::string& tag, TClass nodeClass);

 private:
  friend class TXMLNode;
  friend class TXMLNodeList;
  friend class TXMLNodeCollection;
  TXMLNode* Wrap(_xmlNode* node);  // the node's one wrapper, made on first use
  TXMLNode* MakeWrapper(_xmlNode* node, TClass cls);
  void Attach(TXMLNode* wrapper, _xmlNode* node);
  void Unwrap(_xmlNode* subtree);  // frees the wrappers of a subtree
  void DeleteNode(_xmlNode* node);
  void Reset();

  _xmlDoc* doc_ = nullptr;
  std::vector<std::unique_ptr<TXMLNode>> wrappers_;
};
