// TStrings and TStringList of Classes.
#include <algorithm>

#include "BinaryFiler.h"
#include "Classes.h"

CALDERAN_IMPLEMENT_CLASS(TStrings, TPersistent)
CALDERAN_IMPLEMENT_CREATABLE0(TStringList, TStrings)

// ---------------------------------------------------------------------------------------------
// TStrings
void TStrings::Put(int index, const std::string& s) {
  TObject* object = Objects(index);
  Delete(index);
  InsertObject(index, s, object);
}

int TStrings::Add(const std::string& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
  int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

void TStrings::AddStrings(const TStrings* strings) {
  WithinUpdate(*this, [&] {
    for (int i = 0; i < strings->Count(); ++i) AddObject(strings->Get(i), strings->Objects(i));
  });
}

int TStrings::IndexOf(std::string_view s) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string line = Get(i);
    size_t p = line.find(nameValueSeparator_);
    if (p != std::string::npos && CompareStrings(std::string_view(line).substr(0, p), name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (Objects(i) == object) return i;
  return -1;
}

void TStrings::Exchange(int index1, int index2) {
  WithinUpdate(*this, [&] {
    std::string s1 = Get(index1), s2 = Get(index2);
    TObject *o1 = Objects(index1), *o2 = Objects(index2);
    Put(index1, s2);
    PutObject(index1, o2);
    Put(index2, s1);
    PutObject(index2, o1);
  });
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  WithinUpdate(*this, [&] {
    std::string s = Get(curIndex);
    TObject* object = Objects(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, object);
  });
}

bool TStrings::Equals(const TStrings* strings) const {
  if (Count() != strings->Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != strings->Get(i)) return false;
  return true;
}

void TStrings::Assign(TPersistent* source) {
  auto* other = ObjectAs<TStrings>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  WithinUpdate(*this, [&] {
    Clear();
    delimiter_ = other->delimiter_;
    quoteChar_ = other->quoteChar_;
    nameValueSeparator_ = other->nameValueSeparator_;
    AddStrings(other);
  });
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  --updateCount_;
  if (updateCount_ == 0) SetUpdateState(false);
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0; i < Count(); ++i) {
    text += Get(i);
    text += "\r\n";
  }
  return text;
}

void TStrings::SetText(std::string_view text) {
  WithinUpdate(*this, [&] {
    Clear();
    size_t p = 0;
    // A NUL ends the text, as it ends the platform's character pointer.
    size_t end = std::min(text.find('\0'), text.size());
    while (p < end) {
      size_t start = p;
      while (p < end && text[p] != '\r' && text[p] != '\n') ++p;
      Add(std::string(text.substr(start, p - start)));
      if (p < end && text[p] == '\r') ++p;
      if (p < end && text[p] == '\n') ++p;
    }
  });
}

namespace {
bool IsBlank(char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; }

std::string Quoted(const std::string& s, char quote) {
  std::string r(1, quote);
  for (char c : s) {
    if (c == quote) r += quote;
    r += c;
  }
  return r + quote;
}

// Reads a quoted text starting at text[p] (the opening quote); doubled quotes give one; an
// unterminated quote takes the rest of the text.
std::string ExtractQuoted(std::string_view text, size_t& p, char quote) {
  std::string r;
  ++p;
  while (p < text.size()) {
    if (text[p] == quote) {
      if (p + 1 < text.size() && text[p + 1] == quote) {
        r += quote;
        p += 2;
        continue;
      }
      ++p;
      return r;
    }
    r += text[p++];
  }
  return r;
}
}  // namespace

std::string TStrings::JoinDelimited(char delimiter, char quoteChar) const {
  if (Count() == 1 && Get(0).empty()) return std::string(2, quoteChar);
  std::string result;
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    bool quote = std::any_of(s.begin(), s.end(), [=](char c) {
      return static_cast<unsigned char>(c) <= ' ' || c == quoteChar || c == delimiter;
    });
    if (i > 0) result += delimiter;
    result += quote ? Quoted(s, quoteChar) : s;
  }
  return result;
}

std::string TStrings::DelimitedText() const { return JoinDelimited(delimiter_, quoteChar_); }

void TStrings::SetDelimitedText(std::string_view text) {
  WithinUpdate(*this, [&] {
    Clear();
    size_t end = std::min(text.find('\0'), text.size());
    text = text.substr(0, end);
    size_t p = 0;
    while (p < end && IsBlank(text[p])) ++p;
    while (p < end) {
      std::string s;
      if (text[p] == quoteChar_) {
        s = ExtractQuoted(text, p, quoteChar_);
      } else {
        size_t start = p;
        while (p < end && static_cast<unsigned char>(text[p]) > ' ' && text[p] != delimiter_) ++p;
        s = std::string(text.substr(start, p - start));
      }
      Add(s);
      while (p < end && IsBlank(text[p])) ++p;
      if (p < end && text[p] == delimiter_) {
        if (p + 1 == end) Add(std::string());
        do ++p;
        while (p < end && IsBlank(text[p]));
      }
    }
  });
}

std::string TStrings::CommaText() const { return JoinDelimited(',', '"'); }

void TStrings::SetCommaText(std::string_view text) {
  char delimiter = delimiter_, quote = quoteChar_;
  delimiter_ = ',';
  quoteChar_ = '"';
  try {
    SetDelimitedText(text);
  } catch (...) {
    delimiter_ = delimiter;
    quoteChar_ = quote;
    throw;
  }
  delimiter_ = delimiter;
  quoteChar_ = quote;
}

std::string TStrings::Names(int index) const {
  std::string line = Get(index);
  size_t p = line.find(nameValueSeparator_);
  return p == std::string::npos ? std::string() : line.substr(0, p);
}

std::string TStrings::Values(std::string_view name) const {
  // The line's own separator: a name can match one of another length in the locale's order.
  return ValueFromIndex(IndexOfName(name));
}

void TStrings::SetValue(std::string_view name, std::string_view value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  if (i < 0) i = Add(std::string());
  Put(i, std::string(name) + nameValueSeparator_ + std::string(value));
}

// A line without a separator has no value (the platform's older lists cut its first character).
std::string TStrings::ValueFromIndex(int index) const {
  if (index < 0) return {};
  std::string line = Get(index);
  size_t p = line.find(nameValueSeparator_);
  return p == std::string::npos ? std::string() : line.substr(p + 1);
}

void TStrings::LoadFromStream(TStream* stream) {
  WithinUpdate(*this, [&] {
    SetText(stream->ReadAll());
  });
}

void TStrings::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

void TStrings::SaveToStream(TStream* stream) const {
  std::string text = Text();
  stream->WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}

void TStrings::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(&file);
}

// ---------------------------------------------------------------------------------------------
// TStringList
void TStringList::Error(const char* text, int data) { throw EStringListError(Format(text, {data})); }

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) Error(SListIndexError, index);
}

std::string TStringList::Get(int index) const {
  CheckIndex(index);
  return items_[index].String;
}

TObject* TStringList::Objects(int index) const {
  CheckIndex(index);
  return items_[index].Object;
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) Changing();
  else Changed();
}

void TStringList::Put(int index, const std::string& s) {
  if (sorted_) throw EStringListError(SSortedListError);
  CheckIndex(index);
  Changing();
  items_[index].String = s;
  Changed();
}

void TStringList::PutObject(int index, TObject* object) {
  CheckIndex(index);
  Changing();
  items_[index].Object = object;
  Changed();
}

int TStringList::Add(const std::string& s) {
  int index;
  if (!sorted_) {
    index = Count();
  } else if (Find(s, index)) {
    switch (duplicates_) {
      case dupIgnore: return index;
      case dupError: throw EStringListError(SDuplicateString);
      case dupAccept: break;
    }
  }
  InsertItem(index, s, nullptr);
  return index;
}

void TStringList::Insert(int index, const std::string& s) {
  if (sorted_) throw EStringListError(SSortedListError);
  if (index < 0 || index > Count()) Error(SListIndexError, index);
  InsertItem(index, s, nullptr);
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object) {
  Changing();
  items_.insert(items_.begin() + index, TItem{s, object});
  Changed();
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  items_.shrink_to_fit();
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  std::swap(items_[index1], items_[index2]);
  Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

bool TStringList::Find(std::string_view s, int& index) const {
  bool found = false;
  int low = 0, high = Count() - 1;
  while (low <= high) {
    int mid = (low + high) / 2;
    int c = CompareStrings(items_[mid].String, s);
    if (c < 0) {
      low = mid + 1;
    } else {
      high = mid - 1;
      if (c == 0) {
        found = true;
        if (duplicates_ != dupAccept) low = mid;
      }
    }
  }
  index = low;
  return found;
}

int TStringList::IndexOf(std::string_view s) const {
  if (!sorted_) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

void TStringList::CustomSort(int (*compare)(TStringList*, int, int)) {
  if (sorted_ || Count() < 2) return;
  Changing();
  // Sort a permutation, so that the comparison sees the lines by their current index.
  std::vector<int> order(items_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(this, a, b) < 0; });
  std::vector<TItem> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(std::move(items_[i]));
  items_ = std::move(sorted);
  Changed();
}

void TStringList::Sort() {
  CustomSort([](TStringList* list, int a, int b) {
    return list->CompareStrings(list->items_[a].String, list->items_[b].String);
  });
}

void TStringList::SetSorted(bool value) {
  if (sorted_ == value) return;
  if (value) Sort();
  sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (caseSensitive_ == value) return;
  caseSensitive_ = value;
  if (sorted_) {
    sorted_ = false;
    Sort();
    sorted_ = true;
  }
}

void TStrings::DefineProperties(TFiler* filer) {
  filer->DefineProperty("Strings", TReaderProc(this, &TStrings::ReadData), TWriterProc(this, &TStrings::WriteData),
                        Count() > 0);
}

void TStrings::WriteData(TWriter* writer) {
  writer->WriteListBegin();
  for (int i = 0; i < Count(); ++i) writer->WriteString(Get(i));
  writer->WriteListEnd();
}

void TStrings::ReadData(TReader* reader) {
  reader->ReadListBegin();
  WithinUpdate(*this, [&] {
    Clear();
    while (!reader->EndOfList()) Add(reader->ReadString());
  });
  reader->ReadListEnd();
}
