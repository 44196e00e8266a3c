// The settings all text editors share, and the locale's number grouping they show.
#include <algorithm>
#include <cctype>

#include "SysUtils.h"
#include "cxTextEdit.h"

CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxCustomTextEditProperties, TcxCustomEditProperties)
CALDERAN_IMPLEMENT_CLASS_WITH_OPERATIONS(TcxTextEditProperties, TcxCustomTextEditProperties)

TcxFormatChangeLink::TcxFormatChangeLink(std::function<void()> handler) : handler_(std::move(handler)) {
  GetFormatController()->RegisterListener(this);
}

TcxFormatChangeLink::~TcxFormatChangeLink() { GetFormatController()->UnregisterListener(this); }

HRESULT STDMETHODCALLTYPE TcxFormatChangeLink::QueryInterface(REFIID iid, void** object) {
  if (iid == IID_IUnknown) {
    *object = static_cast<IUnknown*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

TcxCustomEditProperties* TcxCustomTextEditPropertiesClass::Create(TPersistent* owner) const {
  return Class() == TcxTextEditProperties::StaticClass() ? new TcxTextEditProperties(owner)
                                                          : new TcxCustomTextEditProperties(owner);
}

const TcxCustomEditClass* TcxCustomTextEditPropertiesClass::EditClass() const {
  return TcxTextEdit::StaticClassOperations();
}

TcxCustomTextEditProperties::TcxCustomTextEditProperties(TPersistent* owner, const TcxCustomEditPropertiesClass* cls)
    : TcxCustomEditProperties(owner, cls),
      formatLink_(std::make_unique<TcxFormatChangeLink>([this] { HandleFormatChanged(); })) {}

TcxCustomTextEditProperties::~TcxCustomTextEditProperties() = default;

void TcxCustomTextEditProperties::HandleFormatChanged() {
  struct TClear {
    bool& flag;
    ~TClear() { flag = false; }
  } clear{inFormatChange_};
  inFormatChange_ = true;
  NotifyChanged();
}

int TcxCustomTextEditProperties::GetDefaultMaxLength() const {
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  return provider ? provider->MaxLengthDefault() : 0;
}

void TcxCustomTextEditProperties::SetMaxLength(int value) {
  value = std::max(value, 0);
  if (maxLengthAssigned_ && maxLength_ == value) return;
  maxLengthAssigned_ = true;
  maxLength_ = value;
  HandleMaxLengthChanged();
}

void TcxCustomTextEditProperties::MaskDisplayText(std::string& text) const {
  if (echoMode_ != eemNormal) {
    text.assign(text.size(), passwordChar_ ? passwordChar_ : '*');
    return;
  }
  if (charCase_ == ecUpperCase) text = AnsiUpperCase(text);
  else if (charCase_ == ecLowerCase) text = AnsiLowerCase(text);
}

namespace {

bool IsBlank(char ch) { return static_cast<unsigned char>(ch) <= ' '; }

// Splits off an exponent ("E+05" ...) that follows the digits.
std::string SplitExponent(std::string& text) {
  size_t at = text.find_first_of("eE");
  if (at == std::string::npos) return {};
  std::string exponent = text.substr(at);
  text.erase(at);
  return exponent;
}

}  // namespace

void StripThousandSeparators(std::string& text) {
  text.erase(std::remove(text.begin(), text.end(), FormatSettings().ThousandSeparator), text.end());
}

void GroupThousands(std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  std::string leading = text.substr(0, first), trailing = text.substr(last);
  std::string number = text.substr(first, last - first);
  std::string exponent = SplitExponent(number);
  StripThousandSeparators(number);
  if (number.empty()) return void(text = leading + number + exponent + trailing);
  size_t decimal = number.find(FormatSettings().DecimalSeparator);
  size_t runEnd = decimal == std::string::npos ? number.size() : decimal;  // one past the run
  if (runEnd == 0) return void(text = leading + number + exponent + trailing);
  size_t runStart = runEnd - 1;  // the character before the decimal (or the last one) and its digits
  while (runStart > 0 && std::isdigit(static_cast<unsigned char>(number[runStart - 1]))) --runStart;
  for (size_t count = 3; count < runEnd - runStart; count += 3)
    number.insert(runEnd - count, 1, FormatSettings().ThousandSeparator);
  text = leading + number + exponent + trailing;
}

bool IsPlainNumber(const std::string& text) {
  std::string plain = text;
  StripThousandSeparators(plain);
  long double value;
  return !plain.empty() && TryStrToFloat(plain, value);
}
