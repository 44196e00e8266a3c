// The stored-form reader: a lexer and parser for the text format (FormReader.h) into a tree, and
// a reader that builds components from the tree through the class records and the published
// property descriptors.
#include "FormReader.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>

#include "Controls.h"
#include "Forms.h"
#include "Graphics.h"
#include "SysUtils.h"

namespace {

// ---------------------------------------------------------------------------------------------
// The tree of a definition
struct TProp;
struct TValue {
  TValueType Type = vaNull;
  int Line = 0;
  int64_t Int = 0;
  long double Float = 0;
  std::string Str;                              // string, identifier, binary bytes
  std::vector<TValue> Items;                    // list; set (identifiers)
  std::vector<std::vector<TProp>> Collection;   // the items' properties
};
struct TProp {
  std::string Path;
  TValue Value;
  int Line = 0;
};
struct TNode {
  enum TKind { nkObject, nkInherited, nkInline } Kind = nkObject;
  std::string Name, ClassName;
  int Line = 0;
  std::vector<TProp> Props;
  std::vector<TNode> Children;
};

[[noreturn]] void Fail(const std::string& form, int line, const std::string& what) {
  throw EReadError(Format("%s, line %d: %s", {form, line, what}));
}

// ---------------------------------------------------------------------------------------------
// Lexer
class TLexer {
 public:
  enum TToken { tEnd, tIdent, tInteger, tFloat, tString, tBinary, tSymbol };

  TLexer(const std::string& text, const std::string& form) : s_(text), form_(form) { Next(); }

  TToken Kind() const { return kind_; }
  const std::string& Text() const { return text_; }
  int64_t Int() const { return int_; }
  long double Float() const { return float_; }
  char Symbol() const { return kind_ == tSymbol ? text_[0] : '\0'; }
  int Line() const { return line_; }
  bool IsIdent(const char* word) const { return kind_ == tIdent && SameText(text_, word); }
  bool IsSymbol(char c) const { return kind_ == tSymbol && text_[0] == c; }
  [[noreturn]] void Error(const std::string& what) const { Fail(form_, line_, what); }

  void Expect(char c) {
    if (!IsSymbol(c)) Error(std::string("'") + c + "' expected");
    Next();
  }
  std::string ExpectIdent() {
    if (kind_ != tIdent) Error("Identifier expected");
    std::string t = text_;
    Next();
    return t;
  }

  void Next() {
    SkipBlanks();
    line_ = currentLine_;
    if (p_ >= s_.size()) {
      kind_ = tEnd;
      text_.clear();
      return;
    }
    char c = s_[p_];
    if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') return Ident();
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '$' ||
        (c == '-' && p_ + 1 < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[p_ + 1])) || s_[p_ + 1] == '$')))
      return Number();
    if (c == '\'' || c == '#') return String();
    if (c == '{') return Binary();
    kind_ = tSymbol;
    text_.assign(1, c);
    ++p_;
  }

 private:
  void SkipBlanks() {
    while (p_ < s_.size()) {
      char c = s_[p_];
      if (c == '\n') {
        ++currentLine_;
        ++p_;
      } else if (std::isspace(static_cast<unsigned char>(c))) {
        ++p_;
      } else if (c == '/' && p_ + 1 < s_.size() && s_[p_ + 1] == '/') {
        while (p_ < s_.size() && s_[p_] != '\n') ++p_;
      } else {
        break;
      }
    }
  }
  void Ident() {
    size_t start = p_;
    while (p_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[p_])) || s_[p_] == '_')) ++p_;
    kind_ = tIdent;
    text_ = s_.substr(start, p_ - start);
  }
  void Number() {
    size_t start = p_;
    bool negative = s_[p_] == '-';
    if (negative) ++p_;
    if (s_[p_] == '$') {
      size_t digits = ++p_;
      while (p_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[p_]))) ++p_;
      if (p_ == digits) Error("Invalid number");
      kind_ = tInteger;
      int_ = static_cast<int64_t>(std::stoull(s_.substr(digits, p_ - digits), nullptr, 16));
      if (negative) int_ = -int_;
      return;
    }
    while (p_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[p_]))) ++p_;
    bool isFloat = false;
    if (p_ + 1 < s_.size() && s_[p_] == '.' && std::isdigit(static_cast<unsigned char>(s_[p_ + 1]))) {
      isFloat = true;
      ++p_;
      while (p_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[p_]))) ++p_;
    }
    if (p_ < s_.size() && (s_[p_] == 'e' || s_[p_] == 'E')) {
      isFloat = true;
      ++p_;
      if (p_ < s_.size() && (s_[p_] == '+' || s_[p_] == '-')) ++p_;
      while (p_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[p_]))) ++p_;
    }
    std::string number = s_.substr(start, p_ - start);
    if (isFloat) {
      kind_ = tFloat;
      float_ = std::strtold(number.c_str(), nullptr);
    } else {
      kind_ = tInteger;
      int_ = std::stoll(number);
    }
  }
  // 'quoted' pieces and #code characters written next to each other make one string.
  void String() {
    text_.clear();
    while (p_ < s_.size() && (s_[p_] == '\'' || s_[p_] == '#')) {
      if (s_[p_] == '#') {
        size_t start = ++p_;
        while (p_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[p_]))) ++p_;
        if (p_ == start) Error("Invalid character code");
        text_ += static_cast<char>(std::stoi(s_.substr(start, p_ - start)));
        continue;
      }
      ++p_;
      for (;;) {
        if (p_ >= s_.size() || s_[p_] == '\n') Error("Unterminated string");
        if (s_[p_] == '\'') {
          if (p_ + 1 < s_.size() && s_[p_ + 1] == '\'') {
            text_ += '\'';
            p_ += 2;
            continue;
          }
          ++p_;
          break;
        }
        text_ += s_[p_++];
      }
    }
    kind_ = tString;
  }
  void Binary() {
    ++p_;
    text_.clear();
    int high = -1;
    for (;;) {
      if (p_ >= s_.size()) Error("Unterminated binary data");
      char c = s_[p_++];
      if (c == '}') break;
      if (c == '\n') ++currentLine_;
      if (std::isspace(static_cast<unsigned char>(c))) continue;
      if (!std::isxdigit(static_cast<unsigned char>(c))) Error("Invalid binary data");
      int v = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::toupper(c) - 'A' + 10);
      if (high < 0) high = v;
      else {
        text_ += static_cast<char>(high * 16 + v);
        high = -1;
      }
    }
    if (high >= 0) Error("Invalid binary data");
    kind_ = tBinary;
  }

  const std::string& s_;
  std::string form_;
  size_t p_ = 0;
  int currentLine_ = 1;
  int line_ = 1;
  TToken kind_ = tEnd;
  std::string text_;
  int64_t int_ = 0;
  long double float_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Parser
TValue ParseValue(TLexer& lex);

std::vector<TProp> ParseProps(TLexer& lex, bool allowComponents) {
  std::vector<TProp> props;
  while (lex.Kind() == TLexer::tIdent && !lex.IsIdent("end") &&
         !(allowComponents && (lex.IsIdent("object") || lex.IsIdent("inherited") || lex.IsIdent("inline")))) {
    TProp p;
    p.Line = lex.Line();
    p.Path = lex.ExpectIdent();
    while (lex.IsSymbol('.')) {
      lex.Next();
      p.Path += "." + lex.ExpectIdent();
    }
    lex.Expect('=');
    p.Value = ParseValue(lex);
    props.push_back(std::move(p));
  }
  return props;
}

TValue ParseValue(TLexer& lex) {
  TValue v;
  v.Line = lex.Line();
  switch (lex.Kind()) {
    case TLexer::tInteger:
      v.Type = lex.Int() >= INT32_MIN && lex.Int() <= INT32_MAX ? vaInt32 : vaInt64;
      v.Int = lex.Int();
      lex.Next();
      return v;
    case TLexer::tFloat:
      v.Type = vaExtended;
      v.Float = lex.Float();
      lex.Next();
      return v;
    case TLexer::tString:
      v.Type = vaString;
      v.Str = lex.Text();
      lex.Next();
      while (lex.IsSymbol('+')) {
        lex.Next();
        if (lex.Kind() != TLexer::tString) lex.Error("String expected");
        v.Str += lex.Text();
        lex.Next();
      }
      return v;
    case TLexer::tBinary:
      v.Type = vaBinary;
      v.Str = lex.Text();
      lex.Next();
      return v;
    case TLexer::tIdent:
      v.Str = lex.Text();
      v.Type = SameText(v.Str, "True") ? vaTrue : SameText(v.Str, "False") ? vaFalse : SameText(v.Str, "nil") ? vaNil : vaIdent;
      lex.Next();
      while (v.Type == vaIdent && lex.IsSymbol('.')) {  // Form.Component
        lex.Next();
        v.Str += "." + lex.ExpectIdent();
      }
      return v;
    default: break;
  }
  if (lex.IsSymbol('[')) {
    v.Type = vaSet;
    lex.Next();
    while (!lex.IsSymbol(']')) {
      TValue item;
      item.Line = lex.Line();
      item.Type = vaIdent;
      item.Str = lex.ExpectIdent();
      v.Items.push_back(item);
      if (lex.IsSymbol(',')) lex.Next();
      else if (!lex.IsSymbol(']')) lex.Error("',' or ']' expected");
    }
    lex.Next();
    return v;
  }
  if (lex.IsSymbol('(')) {
    v.Type = vaList;
    lex.Next();
    while (!lex.IsSymbol(')')) {
      if (lex.Kind() == TLexer::tEnd) lex.Error("')' expected");
      v.Items.push_back(ParseValue(lex));
    }
    lex.Next();
    return v;
  }
  if (lex.IsSymbol('<')) {
    v.Type = vaCollection;
    lex.Next();
    while (!lex.IsSymbol('>')) {
      if (!lex.IsIdent("item")) lex.Error("'item' expected");
      lex.Next();
      v.Collection.push_back(ParseProps(lex, false));
      if (!lex.IsIdent("end")) lex.Error("'end' expected");
      lex.Next();
    }
    lex.Next();
    return v;
  }
  lex.Error("Invalid property value");
}

TNode ParseComponent(TLexer& lex) {
  TNode node;
  node.Line = lex.Line();
  if (lex.IsIdent("object")) node.Kind = TNode::nkObject;
  else if (lex.IsIdent("inherited")) node.Kind = TNode::nkInherited;
  else if (lex.IsIdent("inline")) node.Kind = TNode::nkInline;
  else lex.Error("'object' expected");
  lex.Next();
  node.Name = lex.ExpectIdent();
  lex.Expect(':');
  node.ClassName = lex.ExpectIdent();
  if (lex.IsSymbol('[')) {  // a position among the ancestor's components: kept in order anyway
    lex.Next();
    if (lex.Kind() == TLexer::tInteger) lex.Next();
    lex.Expect(']');
  }
  node.Props = ParseProps(lex, true);
  while (lex.IsIdent("object") || lex.IsIdent("inherited") || lex.IsIdent("inline")) node.Children.push_back(ParseComponent(lex));
  if (!lex.IsIdent("end")) lex.Error("'end' expected");
  lex.Next();
  return node;
}

// ---------------------------------------------------------------------------------------------
// Identifiers of integer properties
std::vector<TIdentToInt>& IntegerConsts() {
  static std::vector<TIdentToInt> maps;
  return maps;
}

struct TNamedInt {
  const char* name;
  int64_t value;
};
constexpr TNamedInt namedInts[] = {
    {"ANSI_CHARSET", 0},        {"DEFAULT_CHARSET", 1},    {"SYMBOL_CHARSET", 2},     {"MAC_CHARSET", 77},
    {"SHIFTJIS_CHARSET", 128},  {"HANGEUL_CHARSET", 129},  {"JOHAB_CHARSET", 130},    {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136}, {"GREEK_CHARSET", 161},  {"TURKISH_CHARSET", 162},  {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},    {"ARABIC_CHARSET", 178},   {"BALTIC_CHARSET", 186},   {"RUSSIAN_CHARSET", 204},
    {"THAI_CHARSET", 222},      {"EASTEUROPE_CHARSET", 238}, {"OEM_CHARSET", 255},
    {"mrNone", mrNone},         {"mrOk", mrOk},            {"mrCancel", mrCancel},    {"mrAbort", mrAbort},
    {"mrRetry", mrRetry},       {"mrIgnore", mrIgnore},    {"mrYes", mrYes},          {"mrNo", mrNo},
    {"mrAll", mrAll},           {"mrNoToAll", mrNoToAll},  {"mrYesToAll", mrYesToAll},
};

bool IdentToInt(const std::string& ident, int64_t& value) {
  TColor color;
  if (IdentToColor(ident, color)) {
    value = color;
    return true;
  }
  TCursor cursor;
  if (IdentToCursor(ident, cursor)) {
    value = cursor;
    return true;
  }
  for (const auto& n : namedInts)
    if (SameText(n.name, ident)) {
      value = n.value;
      return true;
    }
  for (TIdentToInt map : IntegerConsts())
    if (map(ident, value)) return true;
  return false;
}

// ---------------------------------------------------------------------------------------------
// The reader
class TFormReader : public TReader {
 public:
  TFormReader(std::string form, TComponent* root) : form_(std::move(form)), root_(root) {}

  void ReadRoot(const TNode& node) {
    if (!SameText(node.ClassName, root_->ClassName()) && !root_->ClassType()->InheritsFrom(GetClass(node.ClassName)))
      Fail(form_, node.Line, Format("The definition is of class %s, not %s", {node.ClassName, root_->ClassName()}));
    BeginReading(root_);
    Loading(root_);
    if (node.Kind == TNode::nkObject) NameRoot(node.Name);
    ReadBody(root_, node, root_);
    EndReading(root_);
    ResolveReferences();
    FixTabOrders();
    for (TComponent* c : loaded_) c->Loaded();
    for (TComponent* c : loaded_)
      if (auto* w = ObjectAs<TWinControl>(c)) {
        w->EnableAlign();
        w->Realign();
      }
  }

  // --- TFiler: the object names the properties it stores itself; the one being read is served.
  void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc, bool) override {
    if (!pending_ || served_ || !SameText(name, pendingName_)) return;
    served_ = true;
    if (!readData) return;
    Cursor start{&single_, 0};
    cursors_.push_back(start);
    readData(this);
    cursors_.pop_back();
  }
  void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc, bool) override {
    if (!pending_ || served_ || !SameText(name, pendingName_)) return;
    served_ = true;
    if (pending_->Type != vaBinary) Error(pending_->Line, "Binary data expected");
    if (!readData) return;
    TMemoryStream stream;
    if (!pending_->Str.empty()) stream.WriteBuffer(pending_->Str.data(), static_cast<int32_t>(pending_->Str.size()));
    stream.SetPosition(0);
    readData(&stream);
  }

  // --- TReader: values of a property that an object reads itself
  TValueType NextValue() override {
    const TValue* v = Peek();
    return v ? v->Type : vaNull;
  }
  bool EndOfList() override { return Peek() == nullptr; }
  void ReadListBegin() override {
    const TValue& v = Take(vaList);
    cursors_.push_back({&v.Items, 0});
  }
  void ReadListEnd() override {
    if (Peek()) Error(Peek()->Line, "End of list expected");
    cursors_.pop_back();
  }
  int32_t ReadInteger() override {
    const TValue& v = TakeAny();
    int64_t value = 0;
    if (v.Type == vaInt32 || v.Type == vaInt64) value = v.Int;
    else if (v.Type != vaIdent || !IdentToInt(v.Str, value)) Error(v.Line, "Integer expected");
    return static_cast<int32_t>(value);
  }
  int64_t ReadInt64() override {
    const TValue& v = TakeAny();
    if (v.Type != vaInt32 && v.Type != vaInt64) Error(v.Line, "Integer expected");
    return v.Int;
  }
  bool ReadBoolean() override {
    const TValue& v = TakeAny();
    if (v.Type != vaTrue && v.Type != vaFalse) Error(v.Line, "Boolean expected");
    return v.Type == vaTrue;
  }
  long double ReadFloat() override {
    const TValue& v = TakeAny();
    if (v.Type == vaExtended) return v.Float;
    if (v.Type == vaInt32 || v.Type == vaInt64) return static_cast<long double>(v.Int);
    Error(v.Line, "Number expected");
  }
  std::string ReadString() override { return Take(vaString).Str; }
  std::string ReadIdent() override {
    const TValue& v = TakeAny();
    if (v.Type != vaIdent && v.Type != vaTrue && v.Type != vaFalse && v.Type != vaNil) Error(v.Line, "Identifier expected");
    return v.Str;
  }
  void ReadCollection(TCollection* collection) override { ReadItems(collection, Take(vaCollection)); }
  void SkipValue() override { TakeAny(); }

 private:
  struct Cursor {
    const std::vector<TValue>* list;
    size_t index;
  };
  struct TFixup {
    TObject* instance;
    const TPropInfo* prop;
    std::string name;
    int line;
    std::string where;
  };

  [[noreturn]] void Error(int line, const std::string& what) { Fail(form_, line, what); }

  const TValue* Peek() {
    Cursor& c = cursors_.back();
    return c.index < c.list->size() ? &(*c.list)[c.index] : nullptr;
  }
  const TValue& TakeAny() {
    const TValue* v = Peek();
    if (!v) Error(pending_ ? pending_->Line : 0, "Unexpected end of list");
    ++cursors_.back().index;
    return *v;
  }
  const TValue& Take(TValueType type) {
    const TValue& v = TakeAny();
    if (v.Type != type) Error(v.Line, "Invalid property value");
    return v;
  }

  // A root that has a name keeps it (a frame placed on a form is named by the form's definition).
  void NameRoot(const std::string& name) {
    if (!root_->Name().empty()) return;
    TComponent* owner = root_->Owner();
    std::string unique = name;
    for (int n = 1; owner && owner->FindComponent(unique) && owner->FindComponent(unique) != root_; ++n)
      unique = name + "_" + std::to_string(n);
    root_->SetName(unique);
  }

  void BeginReading(TComponent* c) {
    c->IncludeState(csLoading);
    c->IncludeState(csReading);
    if (auto* control = ObjectAs<TControl>(c)) control->SetControlState(control->ControlState() + csReadingState);
  }

  // Each container aligns its children once, after the whole definition is read.
  void Loading(TComponent* c) {
    loaded_.push_back(c);
    if (auto* w = ObjectAs<TWinControl>(c)) w->DisableAlign();
  }

  // What CL does at the end of a control's ReadState: the parent's font and colour reach what did
  // not set its own.
  void EndReading(TComponent* c) {
    c->ExcludeState(csReading);
    auto* control = ObjectAs<TControl>(c);
    if (!control) return;
    control->SetControlState(control->ControlState() - csReadingState);
    if (control->Parent()) {
      control->Perform(CM_PARENTCTL3DCHANGED);
      control->Perform(CM_PARENTCOLORCHANGED);
      control->Perform(CM_PARENTFONTCHANGED);
      control->Perform(CM_PARENTSHOWHINTCHANGED);
    }
  }

  void ReadBody(TComponent* instance, const TNode& node, TComponent* scope) {
    for (const TProp& p : node.Props) ApplyProperty(instance, p, node.Name);
    for (const TNode& child : node.Children) ReadChild(child, instance, scope);
  }

  void ReadChild(const TNode& node, TComponent* parent, TComponent* scope) {
    TComponent* c = nullptr;
    if (node.Kind == TNode::nkInherited) {
      c = scope->FindComponent(node.Name);
      if (!c) Error(node.Line, Format("Ancestor for '%s' not found", {node.Name}));
      BeginReading(c);
    } else {
      c = Create(node, parent);
    }
    Loading(c);
    TComponent* innerScope = node.Kind == TNode::nkInline ? c : scope;
    ReadBody(c, node, innerScope);
    EndReading(c);
  }

  TComponent* Create(const TNode& node, TComponent* parent) {
    TClass cls = GetClass(node.ClassName);
    if (!cls) Error(node.Line, Format("Class %s not found", {node.ClassName}));
    TObject* made = cls->Create(root_);
    auto* c = ObjectAs<TComponent>(made);
    if (!c) {
      delete made;
      Error(node.Line, Format("%s is not a component class", {node.ClassName}));
    }
    std::unique_ptr<TComponent> guard(c);
    BeginReading(c);
    try {
      c->SetName(node.Name);
    } catch (const Exception& e) {
      Error(node.Line, e.Message());
    }
    auto* control = ObjectAs<TControl>(c);
    auto* container = ObjectAs<TWinControl>(parent);
    if (control && container) control->SetParent(container);
    else if (!control) c->SetParentComponent(parent);
    if (control) {
      // a frame reads its own definition before the form's settings for it
      c->ExcludeState(csReading);
      try {
        control->AfterConstruction();
      } catch (const Exception& e) {
        Error(node.Line, e.Message());
      }
      BeginReading(c);
    }
    return guard.release();
  }

  // Walks "A.B.C" through sub-objects and sets the last part.
  void ApplyProperty(TObject* instance, const TProp& prop, const std::string& componentName) {
    std::string where = componentName + "." + prop.Path;
    try {
      TObject* target = instance;
      std::string path = prop.Path;
      size_t dot;
      while ((dot = path.find('.')) != std::string::npos) {
        std::string part = path.substr(0, dot);
        const TPropInfo* p = FindPublishedProperty(target->ClassType(), part);
        if (!p || p->Kind != tkClass || !p->GetObj) throw EReadError(Format("Property %s does not exist", {part}));
        target = p->GetObj(target);
        if (!target) throw EReadError(Format("Property %s has no object", {part}));
        path = path.substr(dot + 1);
      }
      SetProperty(target, path, prop.Value, where);
    } catch (const EReadError& e) {
      if (e.Message().rfind(form_ + ", line", 0) == 0) throw;
      Error(prop.Line, Format("Error reading %s: %s", {where, e.Message()}));
    } catch (const Exception& e) {
      Error(prop.Line, Format("Error reading %s: %s", {where, e.Message()}));
    }
  }

  void SetProperty(TObject* target, const std::string& name, const TValue& v, const std::string& where) {
    if (auto* w = ObjectAs<TWinControl>(target); w && SameText(name, "TabOrder") && v.Type == vaInt32) {
      tabOrders_[w] = static_cast<int>(v.Int);
      return;
    }
    const TPropInfo* p = FindPublishedProperty(target->ClassType(), name);
    if (!p || p->Kind == tkField) {
      if (auto* persistent = ObjectAs<TPersistent>(target)) {
        pending_ = &v;
        pendingName_ = name;
        served_ = false;
        single_.assign(1, v);
        struct TClear {
          const TValue*& p;
          ~TClear() { p = nullptr; }
        } clear{pending_};
        persistent->DefineProperties(this);
        if (served_) return;
      }
      throw EReadError(Format("Property %s does not exist", {name}));
    }
    SetPublished(target, p, v, where);
  }

  void SetPublished(TObject* target, const TPropInfo* p, const TValue& v, const std::string& where) {
    auto invalid = [] { throw EReadError("Invalid property value"); };
    switch (p->Kind) {
      case tkInteger:
      case tkInt64: {
        int64_t value = v.Int;
        if (v.Type == vaIdent) {
          if (!IdentToInt(v.Str, value)) invalid();
        } else if (v.Type != vaInt32 && v.Type != vaInt64) {
          invalid();
        }
        SetOrd(target, p, value);
        return;
      }
      case tkChar:
        if (v.Type == vaString && v.Str.size() == 1) SetOrd(target, p, static_cast<unsigned char>(v.Str[0]));
        else if (v.Type == vaInt32) SetOrd(target, p, v.Int);
        else invalid();
        return;
      case tkEnumeration: {
        int value = -1;
        if (v.Type == vaTrue || v.Type == vaFalse || v.Type == vaIdent) value = GetEnumValue(p->EnumInfo, v.Str);
        else if (v.Type == vaInt32) value = static_cast<int>(v.Int);
        if (value < 0) invalid();
        SetOrd(target, p, value);
        return;
      }
      case tkSet: {
        if (v.Type != vaSet) invalid();
        int64_t bits = 0;
        for (const TValue& item : v.Items) {
          int value = GetEnumValue(p->EnumInfo, item.Str);
          if (value < 0 || value > 31) invalid();
          bits |= int64_t{1} << value;
        }
        SetOrd(target, p, bits);
        return;
      }
      case tkFloat:
        if (!p->SetFloat) throw EReadError("Property is read-only");
        if (v.Type == vaExtended) p->SetFloat(target, v.Float);
        else if (v.Type == vaInt32 || v.Type == vaInt64) p->SetFloat(target, static_cast<long double>(v.Int));
        else invalid();
        return;
      case tkString:
        if (!p->SetStr) throw EReadError("Property is read-only");
        if (v.Type != vaString) invalid();
        p->SetStr(target, v.Str);
        return;
      case tkClass: SetClassProperty(target, p, v, where); return;
      case tkMethod: {
        if (v.Type == vaNil) {
          p->SetMethod(target, nullptr, nullptr);
          return;
        }
        if (v.Type != vaIdent) invalid();
        const TMethodInfo* method = FindPublishedMethod(root_->ClassType(), v.Str);
        if (!method) throw EReadError(Format("Method %s not found in %s", {v.Str, root_->ClassName()}));
        if (!p->SetMethod(target, root_, method)) throw EReadError(Format("Method %s has incompatible parameters", {v.Str}));
        return;
      }
      default: invalid();
    }
  }

  void SetOrd(TObject* target, const TPropInfo* p, int64_t value) {
    if (!p->SetOrd) throw EReadError("Property is read-only");
    p->SetOrd(target, value);
  }

  void SetClassProperty(TObject* target, const TPropInfo* p, const TValue& v, const std::string& where) {
    if (v.Type == vaCollection) {
      auto* collection = p->GetObj ? ObjectAs<TCollection>(p->GetObj(target)) : nullptr;
      if (!collection) throw EReadError("Invalid property value");
      ReadItems(collection, v);
      return;
    }
    if (!p->SetObj) throw EReadError("Property is read-only");
    if (v.Type == vaNil) {
      p->SetObj(target, nullptr);
      return;
    }
    if (v.Type != vaIdent) throw EReadError("Invalid property value");
    fixups_.push_back({target, p, v.Str, v.Line, where});
  }

  void ReadItems(TCollection* collection, const TValue& v) {
    collection->BeginUpdate();
    try {
      collection->Clear();
      for (const auto& item : v.Collection) {
        TCollectionItem* it = collection->Add();
        for (const TProp& p : item) ApplyProperty(it, p, it->DisplayName());
      }
    } catch (...) {
      collection->EndUpdate();
      throw;
    }
    collection->EndUpdate();
  }

  TComponent* FindReference(const std::string& name) {
    size_t dot = name.find('.');
    if (dot == std::string::npos) return SameText(name, root_->Name()) ? root_ : root_->FindComponent(name);
    std::string formName = name.substr(0, dot), rest = name.substr(dot + 1);
    TComponent* form = SameText(formName, root_->Name()) ? root_ : nullptr;
    for (int i = 0; !form && Screen && i < Screen->CustomFormCount(); ++i)
      if (SameText(Screen->CustomForms(i)->Name(), formName)) form = Screen->CustomForms(i);
    return form ? form->FindComponent(rest) : nullptr;
  }

  void ResolveReferences() {
    for (const TFixup& f : fixups_) {
      TComponent* c = FindReference(f.name);
      if (!c || (f.prop->PropClass && !c->InheritsFrom(f.prop->PropClass)))
        Error(f.line, Format("Error reading %s: Invalid reference %s", {f.where, f.name}));
      try {
        f.prop->SetObj(f.instance, c);
      } catch (const Exception& e) {
        Error(f.line, Format("Error reading %s: %s", {f.where, e.Message()}));
      }
    }
  }

  // TabOrder values name positions among all the parent's children, so they are applied once
  // every child exists, lowest first.
  void FixTabOrders() {
    std::vector<std::pair<int, TWinControl*>> order;
    for (auto& [control, tab] : tabOrders_) order.push_back({tab, control});
    std::stable_sort(order.begin(), order.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (auto& [tab, control] : order) control->SetTabOrder(tab);
  }

  std::string form_;
  TComponent* root_;
  std::vector<TComponent*> loaded_;
  std::vector<TFixup> fixups_;
  std::map<TWinControl*, int> tabOrders_;
  std::vector<Cursor> cursors_;
  std::vector<TValue> single_;
  const TValue* pending_ = nullptr;
  std::string pendingName_;
  bool served_ = false;
};

std::string ResourceText(HRSRC resource) {
  HGLOBAL data = LoadResource(nullptr, resource);
  const void* bytes = data ? LockResource(data) : nullptr;
  DWORD size = SizeofResource(nullptr, resource);
  if (!bytes) throw EResNotFound("Cannot load a form definition resource");
  return std::string(static_cast<const char*>(bytes), size);
}

void StopFormReader() { IntegerConsts().clear(); }
}  // namespace

void RegisterVisualFramework();  // FormReaderPublished.cpp

const TUnitInfo FormReaderUnit{"FormReader", RegisterVisualFramework, StopFormReader};

void RegisterIntegerConsts(TIdentToInt map) { IntegerConsts().push_back(map); }

HRSRC FindDefinitionResource(TClass cls) {
  std::string name = UpperCase(cls->Name);
  return FindResourceA(nullptr, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
}

void ReadComponentText(const std::string& text, const std::string& formName, TComponent* root) {
  TLexer lex(text, formName);
  TNode node = ParseComponent(lex);
  if (lex.Kind() != TLexer::tEnd) lex.Error("End of definition expected");
  TFormReader reader(formName, root);
  reader.ReadRoot(node);
}

bool InitInheritedComponent(TComponent* instance, TClass rootAncestor) {
  std::vector<std::pair<TClass, HRSRC>> chain;
  for (TClass c = instance->ClassType(); c && c != rootAncestor; c = c->Parent)
    if (HRSRC r = FindDefinitionResource(c)) chain.insert(chain.begin(), {c, r});
  if (chain.empty()) return false;
  for (auto& [cls, resource] : chain) ReadComponentText(ResourceText(resource), cls->Name, instance);
  return true;
}
