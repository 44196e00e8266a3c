// Unique component names, locale strings and double-byte character navigation.
#include <climits>

#include "SysUtils.h"
#include "cxClasses.h"

// ---------------------------------------------------------------------------------------------
// Unique component names

namespace {

bool NameTaken(TComponent* owner, TComponent* component, const std::string& name) {
  if (!owner) return false;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* other = owner->Components(i);
    if (other != component && SameText(other->Name(), name)) return true;
  }
  return false;
}

std::string ClassNamePart(TComponent* component, const std::string& classPrefix) {
  std::string name = component->ClassName();
  if (!classPrefix.empty() && name.size() >= classPrefix.size() &&
      SameText(name.substr(0, classPrefix.size()), classPrefix))
    return name.substr(classPrefix.size());
  if (!name.empty() && name[0] == 'T') name.erase(0, 1);
  return name;
}

std::string BuildComponentName(TComponent* prefixComponent, TComponent* component, const std::string& classPrefix,
                               const std::string& baseName, int number) {
  std::string text = StripNonIdentifierChars(baseName);
  if (text.empty() || (text[0] >= '0' && text[0] <= '9')) text = ClassNamePart(component, classPrefix) + text;
  std::string result = prefixComponent ? prefixComponent->Name() + text : text;
  if (number > 0) result += std::to_string(number);
  return result;
}

}  // namespace

std::string StripNonIdentifierChars(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsDBCSLeadByte(c)) {
      ++i;  // the trail byte goes with it
      continue;
    }
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_') result += c;
  }
  return result;
}

std::string MakeUniqueComponentName(TComponent* owner, TComponent* prefixComponent, TComponent* component,
                                    const std::string& classPrefix, const std::string& baseName) {
  for (int number = baseName.empty() ? 1 : 0;; ++number) {
    std::string name = BuildComponentName(prefixComponent, component, classPrefix, baseName, number);
    if (!NameTaken(owner, component, name) || number == INT_MAX) return name;
  }
}

// ---------------------------------------------------------------------------------------------
// Locale and text routines

std::string GetLocaleString(LCID locale, LCTYPE item, const std::string& defaultValue) {
  int length = GetLocaleInfoA(locale, item, nullptr, 0);
  if (length <= 0) return defaultValue;
  std::string text(length, '\0');
  length = GetLocaleInfoA(locale, item, text.data(), length);
  if (length <= 0) return defaultValue;
  text.resize(length - 1);  // the terminating character
  return text;
}

std::string GetHintCaption(const std::string& text) { return text.substr(0, text.find('|')); }

const char* CharPtrAt(const std::string& s, int pos) { return s.c_str() + (pos - 1); }

int CharByteLengthAt(const std::string& s, int pos) {
  return pos >= 1 && pos < static_cast<int>(s.size()) && IsDBCSLeadByte(static_cast<BYTE>(s[pos - 1])) ? 2 : 1;
}

int NextCharPos(const std::string& s, int pos) {
  const char* p = CharPtrAt(s, pos);
  return pos + static_cast<int>(CharNextA(p) - p);
}

int PrevCharPos(const std::string& s, int pos) {
  return static_cast<int>(CharPrevA(s.c_str(), CharPtrAt(s, pos)) - s.c_str()) + 1;
}

void CallNotifyEvent(const TNotifyEvent& event, TObject* Sender) {
  if (event) event(Sender);
}

TPersistent* GetPersistentOwner(TPersistent* persistent) { return persistent ? persistent->GetOwner() : nullptr; }
