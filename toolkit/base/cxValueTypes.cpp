#include "cxValueTypes.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "SysUtils.h"
#include "cxVariants.h"

#define CX_IMPLEMENT_VALUE_TYPE(Self, Parent)      \
  CALDERAN_IMPLEMENT_STATELESS_CLASS(Self, Parent) \
  TcxValueTypeClass Self::Instance() { return &Self##ClassOperations; }

CX_IMPLEMENT_VALUE_TYPE(TcxValueType, TClassOperations)
CX_IMPLEMENT_VALUE_TYPE(TcxStringValueType, TcxValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxWideStringValueType, TcxStringValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxSmallintValueType, TcxValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxIntegerValueType, TcxValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxWordValueType, TcxValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxBooleanValueType, TcxValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxFloatValueType, TcxValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxCurrencyValueType, TcxValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxDateTimeValueType, TcxValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxLargeIntValueType, TcxValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxFMTBcdValueType, TcxValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxSQLTimeStampValueType, TcxValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxVariantValueType, TcxValueType)
CX_IMPLEMENT_VALUE_TYPE(TcxObjectValueType, TcxIntegerValueType)
CALDERAN_IMPLEMENT_CLASS(TcxValueTypeClassList, TObject)

namespace {

// Slots lie anywhere in a record buffer, so they are read and written bytewise.
template <class T> T Get(const void* slot) {
  T value;
  std::memcpy(&value, slot, sizeof value);
  return value;
}

template <class T> void Put(void* slot, T value) { std::memcpy(slot, &value, sizeof value); }

template <class T> int Order(T a, T b) { return a < b ? -1 : b < a ? 1 : 0; }

// Reference slots: present > missing, both missing equal.
template <class T, class Compare> int CompareReferences(const void* a, const void* b, Compare compare) {
  auto pa = static_cast<const T*>(a), pb = static_cast<const T*>(b);
  if (pa && pb) return compare(*pa, *pb);
  return Order(pa != nullptr, pb != nullptr);
}

// The heap value a reference slot refers to, made on first store.
template <class T> T& Referenced(void* slot) {
  T* value = Get<T*>(slot);
  if (!value) Put(slot, value = new T());
  return *value;
}

template <class T> void ReleaseReference(void* slot) {
  delete Get<T*>(slot);
  Put<T*>(slot, nullptr);
}

template <class T> TVariant ReferenceToVariant(const void* stored) {
  return stored ? TVariant(*static_cast<const T*>(stored)) : TVariant::Null();
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TcxValueType

int TcxValueType::CompareSlots(const void* slotA, const void* slotB) const {
  SlotToStored(slotA);
  SlotToStored(slotB);
  return CompareStored(slotA, slotB);
}

void TcxValueType::ReleaseTextSlot(void* textSlot) const { ReleaseReference<std::string>(textSlot); }

TVariant TcxValueType::SlotToVariant(const void* slot) const {
  (void)slot;
  return TVariant::Null();
}

std::string TcxValueType::DefaultText(const void* slot) const {
  try {
    return SlotToVariant(slot).AsString();
  } catch (const EVariantError&) {
    return "";
  }
}

std::string TcxValueType::TextSlotValue(const void* textSlot) const {
  const std::string* text = Get<std::string*>(textSlot);
  return text ? *text : "";
}

void TcxValueType::LoadSlot(void* slot, TStream* stream) const { VariantToSlot(slot, ReadVariantValue(stream)); }

void TcxValueType::LoadTextSlot(void* textSlot, TStream* stream) const {
  SetTextSlot(textSlot, ReadTextValue(stream));
}

void TcxValueType::SetTextSlot(void* textSlot, const std::string& text) const {
  Referenced<std::string>(textSlot) = text;
}

void TcxValueType::SaveSlot(const void* slot, TStream* stream) const {
  WriteVariantValue(stream, SlotToVariant(slot));
}

void TcxValueType::SaveTextSlot(const void* textSlot, TStream* stream) const {
  WriteTextValue(stream, TextSlotValue(textSlot));
}

std::string TcxValueType::TypeCaption() const {
  std::string name = ClassName();
  if (name.starts_with("Tcx")) name.erase(0, 3);
  if (size_t at = name.find("ValueType"); at != std::string::npos) name.erase(at, 9);
  return name;
}

int TcxValueType::CompareStored(const void* storedA, const void* storedB) const {
  return CompareVariants(StoredToVariant(storedA), StoredToVariant(storedB));
}

bool TcxValueType::AcceptsVariant(TVariant& value) const {
  if (value.IsNull() || VariantTypeCode() == varVariant) return true;
  try {
    value = value.ChangeType(VariantTypeCode());
    return true;
  } catch (const EVariantError&) {
    return false;
  }
}

// ---------------------------------------------------------------------------------------------
// Texts

void TcxStringValueType::ReleaseSlot(void* slot) const { ReleaseReference<std::string>(slot); }

TVariant TcxStringValueType::SlotToVariant(const void* slot) const {
  return ReferenceToVariant<std::string>(Get<std::string*>(slot));
}

void TcxStringValueType::LoadSlot(void* slot, TStream* stream) const {
  Referenced<std::string>(slot) = ReadTextValue(stream);
}

// Null stores no value.
void TcxStringValueType::VariantToSlot(void* slot, const TVariant& value) const {
  if (value.IsNull()) return ReleaseSlot(slot);
  SetTextSlot(slot, value.AsString());
}

void TcxStringValueType::SaveSlot(const void* slot, TStream* stream) const {
  const std::string* text = Get<std::string*>(slot);
  WriteTextValue(stream, text ? *text : "");
}

int TcxStringValueType::CompareStored(const void* storedA, const void* storedB) const {
  return CompareReferences<std::string>(storedA, storedB, [](const std::string& a, const std::string& b) {
    return Order(a.compare(b), 0);  // byte order, bytes unsigned
  });
}

TVariant TcxStringValueType::StoredToVariant(const void* stored) const {
  return ReferenceToVariant<std::string>(stored);
}

void TcxStringValueType::SlotToStored(const void*& slot) const { slot = Get<std::string*>(slot); }

void TcxWideStringValueType::ReleaseSlot(void* slot) const { ReleaseReference<std::u16string>(slot); }

TVariant TcxWideStringValueType::SlotToVariant(const void* slot) const {
  return ReferenceToVariant<std::u16string>(Get<std::u16string*>(slot));
}

void TcxWideStringValueType::LoadSlot(void* slot, TStream* stream) const {
  Referenced<std::u16string>(slot) = ReadWideTextValue(stream);
}

void TcxWideStringValueType::VariantToSlot(void* slot, const TVariant& value) const {
  if (value.IsNull()) return ReleaseSlot(slot);
  Referenced<std::u16string>(slot) = value.AsWideString();
}

void TcxWideStringValueType::SaveSlot(const void* slot, TStream* stream) const {
  const std::u16string* text = Get<std::u16string*>(slot);
  WriteWideTextValue(stream, text ? *text : u"");
}

int TcxWideStringValueType::CompareStored(const void* storedA, const void* storedB) const {
  return CompareReferences<std::u16string>(storedA, storedB, [](const std::u16string& a, const std::u16string& b) {
    return Order(a.compare(b), 0);  // UTF-16 code units
  });
}

TVariant TcxWideStringValueType::StoredToVariant(const void* stored) const {
  return ReferenceToVariant<std::u16string>(stored);
}

// ---------------------------------------------------------------------------------------------
// Fixed-size values: the slot is the value, ordered by its numeric value.

#define CX_FIXED_SLOT_BASICS(Self, T, Code)                                                            \
  int Self::SlotSize() const { return sizeof(T); }                                                     \
  TVarType Self::VariantTypeCode() const { return Code; }                                              \
  int Self::CompareStored(const void* storedA, const void* storedB) const {                            \
    return Order(Get<T>(storedA), Get<T>(storedB));                                                    \
  }

CX_FIXED_SLOT_BASICS(TcxSmallintValueType, int16_t, varSmallint)
TVariant TcxSmallintValueType::SlotToVariant(const void* slot) const { return Get<int16_t>(slot); }
void TcxSmallintValueType::VariantToSlot(void* slot, const TVariant& value) const {
  Put(slot, static_cast<int16_t>(value.ChangeType(varSmallint).AsInteger()));
}
void TcxSmallintValueType::LoadSlot(void* slot, TStream* stream) const { Put(slot, ReadSmallintValue(stream)); }
void TcxSmallintValueType::SaveSlot(const void* slot, TStream* stream) const {
  WriteSmallintValue(stream, Get<int16_t>(slot));
}

CX_FIXED_SLOT_BASICS(TcxIntegerValueType, int32_t, varInteger)
TVariant TcxIntegerValueType::SlotToVariant(const void* slot) const { return Get<int32_t>(slot); }
void TcxIntegerValueType::VariantToSlot(void* slot, const TVariant& value) const { Put(slot, value.AsInteger()); }
void TcxIntegerValueType::LoadSlot(void* slot, TStream* stream) const { Put(slot, ReadIntegerValue(stream)); }
void TcxIntegerValueType::SaveSlot(const void* slot, TStream* stream) const {
  WriteIntegerValue(stream, Get<int32_t>(slot));
}

CX_FIXED_SLOT_BASICS(TcxWordValueType, uint16_t, varWord)
TVariant TcxWordValueType::SlotToVariant(const void* slot) const { return Get<uint16_t>(slot); }
void TcxWordValueType::VariantToSlot(void* slot, const TVariant& value) const {
  Put(slot, static_cast<uint16_t>(value.ChangeType(varWord).AsInt64()));
}
void TcxWordValueType::LoadSlot(void* slot, TStream* stream) const { Put(slot, ReadWordValue(stream)); }
void TcxWordValueType::SaveSlot(const void* slot, TStream* stream) const { WriteWordValue(stream, Get<uint16_t>(slot)); }

CX_FIXED_SLOT_BASICS(TcxBooleanValueType, uint8_t, varBoolean)
TVariant TcxBooleanValueType::SlotToVariant(const void* slot) const { return Get<uint8_t>(slot) != 0; }
void TcxBooleanValueType::VariantToSlot(void* slot, const TVariant& value) const {
  Put<uint8_t>(slot, value.AsBoolean() ? 1 : 0);
}
void TcxBooleanValueType::LoadSlot(void* slot, TStream* stream) const {
  Put<uint8_t>(slot, ReadByteValue(stream) ? 1 : 0);
}
void TcxBooleanValueType::SaveSlot(const void* slot, TStream* stream) const {
  WriteByteValue(stream, Get<uint8_t>(slot));
}

CX_FIXED_SLOT_BASICS(TcxFloatValueType, double, varDouble)
TVariant TcxFloatValueType::SlotToVariant(const void* slot) const { return Get<double>(slot); }
void TcxFloatValueType::VariantToSlot(void* slot, const TVariant& value) const { Put(slot, value.AsDouble()); }
void TcxFloatValueType::LoadSlot(void* slot, TStream* stream) const {
  Put(slot, static_cast<double>(ReadExtendedValue(stream)));
}
void TcxFloatValueType::SaveSlot(const void* slot, TStream* stream) const {
  WriteExtendedValue(stream, Get<double>(slot));
}

CX_FIXED_SLOT_BASICS(TcxCurrencyValueType, int64_t, varCurrency)
TVariant TcxCurrencyValueType::SlotToVariant(const void* slot) const {
  return TVariant::FromCurrency(Get<int64_t>(slot));
}
void TcxCurrencyValueType::VariantToSlot(void* slot, const TVariant& value) const { Put(slot, value.AsCurrency()); }
void TcxCurrencyValueType::LoadSlot(void* slot, TStream* stream) const { Put(slot, ReadCurrencyValue(stream)); }
void TcxCurrencyValueType::SaveSlot(const void* slot, TStream* stream) const {
  WriteCurrencyValue(stream, Get<int64_t>(slot));
}

CX_FIXED_SLOT_BASICS(TcxDateTimeValueType, double, varDate)
TVariant TcxDateTimeValueType::SlotToVariant(const void* slot) const { return TVariant::FromDate(Get<double>(slot)); }
void TcxDateTimeValueType::VariantToSlot(void* slot, const TVariant& value) const { Put(slot, value.AsDate()); }
void TcxDateTimeValueType::LoadSlot(void* slot, TStream* stream) const { Put(slot, ReadDateValue(stream)); }
void TcxDateTimeValueType::SaveSlot(const void* slot, TStream* stream) const { WriteDateValue(stream, Get<double>(slot)); }
std::string TcxDateTimeValueType::DefaultText(const void* slot) const {
  try {
    return SlotToVariant(slot).AsString();
  } catch (const EVariantError&) {
    return DateTimeToStr(Get<double>(slot));
  }
}

CX_FIXED_SLOT_BASICS(TcxLargeIntValueType, int64_t, varInt64)
TVariant TcxLargeIntValueType::SlotToVariant(const void* slot) const { return Get<int64_t>(slot); }
void TcxLargeIntValueType::VariantToSlot(void* slot, const TVariant& value) const { Put(slot, value.AsInt64()); }
void TcxLargeIntValueType::LoadSlot(void* slot, TStream* stream) const { Put(slot, ReadInt64Value(stream)); }
void TcxLargeIntValueType::SaveSlot(const void* slot, TStream* stream) const { stream->WriteBuffer(slot, 8); }

int TcxFMTBcdValueType::SlotSize() const { return sizeof(TBcd); }
TVarType TcxFMTBcdValueType::VariantTypeCode() const { return varFMTBcd; }
int TcxFMTBcdValueType::CompareStored(const void* storedA, const void* storedB) const {
  return BcdCompare(Get<TBcd>(storedA), Get<TBcd>(storedB));
}
TVariant TcxFMTBcdValueType::SlotToVariant(const void* slot) const { return TVariant::FromBcd(Get<TBcd>(slot)); }
void TcxFMTBcdValueType::VariantToSlot(void* slot, const TVariant& value) const { Put(slot, value.AsBcd()); }
// Streamed in the tagged form, as text.
void TcxFMTBcdValueType::LoadSlot(void* slot, TStream* stream) const { TcxValueType::LoadSlot(slot, stream); }
void TcxFMTBcdValueType::SaveSlot(const void* slot, TStream* stream) const { TcxValueType::SaveSlot(slot, stream); }
std::string TcxFMTBcdValueType::DefaultText(const void* slot) const { return BcdToStr(Get<TBcd>(slot)); }

int TcxSQLTimeStampValueType::SlotSize() const { return sizeof(TSQLTimeStamp); }
TVarType TcxSQLTimeStampValueType::VariantTypeCode() const { return varSQLTimeStamp; }
int TcxSQLTimeStampValueType::CompareStored(const void* storedA, const void* storedB) const {
  auto a = Get<TSQLTimeStamp>(storedA), b = Get<TSQLTimeStamp>(storedB);
  auto fields = [](const TSQLTimeStamp& t) { return std::tuple(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second, t.Fractions); };
  return Order(fields(a), fields(b));
}
// A date variant; a stamp that names no day (the zero stamp) is no value.
TVariant TcxSQLTimeStampValueType::SlotToVariant(const void* slot) const {
  try {
    return TVariant::FromDate(SQLTimeStampToDateTime(Get<TSQLTimeStamp>(slot)));
  } catch (const EConvertError&) {
    return TVariant::Null();
  }
}
void TcxSQLTimeStampValueType::VariantToSlot(void* slot, const TVariant& value) const {
  Put(slot, value.AsSQLTimeStamp());
}
// Streamed in the tagged form, as a date.
void TcxSQLTimeStampValueType::LoadSlot(void* slot, TStream* stream) const { TcxValueType::LoadSlot(slot, stream); }
void TcxSQLTimeStampValueType::SaveSlot(const void* slot, TStream* stream) const {
  TcxValueType::SaveSlot(slot, stream);
}

// ---------------------------------------------------------------------------------------------
// Variants and objects

void TcxVariantValueType::ReleaseSlot(void* slot) const { ReleaseReference<TVariant>(slot); }

TVariant TcxVariantValueType::SlotToVariant(const void* slot) const {
  return ReferenceToVariant<TVariant>(Get<TVariant*>(slot));
}

void TcxVariantValueType::VariantToSlot(void* slot, const TVariant& value) const {
  Referenced<TVariant>(slot) = value;
}

int TcxVariantValueType::CompareStored(const void* storedA, const void* storedB) const {
  return CompareReferences<TVariant>(storedA, storedB, CompareVariants);
}

TVariant TcxVariantValueType::StoredToVariant(const void* stored) const {
  return ReferenceToVariant<TVariant>(stored);
}

void TcxVariantValueType::SlotToStored(const void*& slot) const { slot = Get<TVariant*>(slot); }

void TcxObjectValueType::ReleaseSlot(void* slot) const { ReleaseReference<TObject>(slot); }

TVariant TcxObjectValueType::SlotToVariant(const void* slot) const {
  return static_cast<int64_t>(reinterpret_cast<intptr_t>(Get<TObject*>(slot)));
}

void TcxObjectValueType::VariantToSlot(void* slot, const TVariant& value) const {
  Put(slot, reinterpret_cast<TObject*>(static_cast<intptr_t>(value.AsInt64())));
}

int TcxObjectValueType::CompareStored(const void* storedA, const void* storedB) const {
  return Order(Get<intptr_t>(storedA), Get<intptr_t>(storedB));
}

// ---------------------------------------------------------------------------------------------
// The registry

void TcxValueTypeClassList::RegisterItem(TcxValueTypeClass valueTypeClass) {
  if (std::find(items_.begin(), items_.end(), valueTypeClass) == items_.end()) items_.push_back(valueTypeClass);
}

void TcxValueTypeClassList::UnregisterItem(TcxValueTypeClass valueTypeClass) {
  std::erase(items_, valueTypeClass);
}

namespace {

TcxValueTypeClassList* valueTypeClassList = nullptr;

// In registration order; shut-down takes them out from the end.
TcxValueTypeClass StandardValueTypes(int index) {
  const TcxValueTypeClass types[] = {
      TcxStringValueType::Instance(),   TcxWideStringValueType::Instance(), TcxSmallintValueType::Instance(),
      TcxIntegerValueType::Instance(),  TcxWordValueType::Instance(),       TcxBooleanValueType::Instance(),
      TcxFloatValueType::Instance(),    TcxCurrencyValueType::Instance(),   TcxDateTimeValueType::Instance(),
      TcxLargeIntValueType::Instance(), TcxFMTBcdValueType::Instance(),     TcxSQLTimeStampValueType::Instance(),
      TcxVariantValueType::Instance(),  TcxObjectValueType::Instance(),
  };
  return types[index];
}
constexpr int kStandardValueTypeCount = 14;

void StartValueTypes() {
  for (int i = 0; i < kStandardValueTypeCount; ++i) RegisterValueType(StandardValueTypes(i));
}

void StopValueTypes() {
  for (int i = kStandardValueTypeCount - 1; i >= 0; --i) UnregisterValueType(StandardValueTypes(i));
  delete valueTypeClassList;
  valueTypeClassList = nullptr;
}

}  // namespace

TcxValueTypeClassList* GetValueTypeClassList() {
  if (!valueTypeClassList) valueTypeClassList = new TcxValueTypeClassList();
  return valueTypeClassList;
}

void RegisterValueType(TcxValueTypeClass valueTypeClass) { GetValueTypeClassList()->RegisterItem(valueTypeClass); }

void UnregisterValueType(TcxValueTypeClass valueTypeClass) {
  GetValueTypeClassList()->UnregisterItem(valueTypeClass);
}

const TUnitInfo cxValueTypesUnit{"cxValueTypes", StartValueTypes, StopValueTypes};
