#include "calderan_test.h"

#include <cstring>
#include <string>
#include <vector>

#include "Classes.h"
#include "LocaleScope.h"
#include "cxValueTypes.h"
#include "cxVariants.h"

namespace {

class ValueTypeTest : public ::testing::Test {
 protected:
  TLocaleScope locale{LocaleEnglishUS};
};

// A slot of a record buffer, zeroed (no value), released through its type at the end.
class TSlot {
 public:
  explicit TSlot(TcxValueTypeClass type) : type_(type), bytes_(64, 0) {}
  ~TSlot() { type_->ReleaseSlot(Data()); }
  void* Data() { return bytes_.data() + 3; }  // slots need not be aligned
  const void* Data() const { return bytes_.data() + 3; }

 private:
  TcxValueTypeClass type_;
  std::vector<unsigned char> bytes_;
};

std::string Saved(TcxValueTypeClass type, const TSlot& slot) {
  TMemoryStream stream;
  type->SaveSlot(slot.Data(), &stream);
  stream.SetPosition(0);
  return stream.ReadAll();
}

void Load(TcxValueTypeClass type, TSlot& slot, const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream.SetPosition(0);
  type->LoadSlot(slot.Data(), &stream);
  EXPECT_EQ(stream.Position(), stream.Size()) << type->TypeCaption();
}

TEST_F(ValueTypeTest, RegistryHoldsTheFourteenTypesInOrder) {
  const char* captions[] = {"String", "WideString", "Smallint", "Integer",  "Word",         "Boolean", "Float",
                            "Currency", "DateTime", "LargeInt", "FMTBcd", "SQLTimeStamp", "Variant", "Object"};
  TcxValueTypeClassList* list = GetValueTypeClassList();
  ASSERT_EQ(list->Count(), 14);
  for (int i = 0; i < 14; ++i) EXPECT_EQ(list->Items(i)->TypeCaption(), captions[i]);
  EXPECT_EQ(TcxValueType::Instance()->TypeCaption(), "");

  RegisterValueType(TcxIntegerValueType::Instance());
  EXPECT_EQ(list->Count(), 14);
  UnregisterValueType(TcxIntegerValueType::Instance());
  EXPECT_EQ(list->Count(), 13);
  RegisterValueType(TcxIntegerValueType::Instance());
  EXPECT_EQ(list->Items(13), TcxIntegerValueType::Instance());
  UnregisterValueType(TcxIntegerValueType::Instance());
  RegisterValueType(TcxIntegerValueType::Instance());  // leaves the list as it found it, but last
}

// Each type keeps a value through its variant form and its stream form.
TEST_F(ValueTypeTest, SlotsKeepTheirValues) {
  TSQLTimeStamp stamp{1999, 12, 31, 23, 59, 58, 999};
  const struct {
    TcxValueTypeClass type;
    int size;
    TVariant value;
    TVarType variantType;
    size_t streamBytes;
  } cases[] = {
      {TcxStringValueType::Instance(), 8, std::string("t\xE9xt"), varString, 4 + 4},
      {TcxWideStringValueType::Instance(), 8, u"w\u00E9de", varOleStr, 4 + 8},
      {TcxSmallintValueType::Instance(), 2, int16_t(-32768), varSmallint, 2},
      {TcxIntegerValueType::Instance(), 4, INT32_MIN, varInteger, 4},
      {TcxWordValueType::Instance(), 2, uint16_t(65535), varWord, 2},
      {TcxBooleanValueType::Instance(), 1, true, varBoolean, 1},
      {TcxFloatValueType::Instance(), 8, 0.1, varDouble, 10},
      {TcxCurrencyValueType::Instance(), 8, TVariant::FromCurrency(INT64_MIN), varCurrency, 8},
      {TcxDateTimeValueType::Instance(), 8, TVariant::FromDate(-1.25), varDate, 8},
      {TcxLargeIntValueType::Instance(), 8, int64_t(INT64_MAX), varInt64, 8},
      {TcxFMTBcdValueType::Instance(), 34, TVariant::FromBcd(StrToBcd("-98765.4321")), varFMTBcd, 1 + 1 + 11},
      {TcxSQLTimeStampValueType::Instance(), 16, TVariant::FromSQLTimeStamp(stamp), varDate, 9},
      {TcxVariantValueType::Instance(), 8, TVariant::FromCurrency(5), varCurrency, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type->TypeCaption());
    EXPECT_EQ(c.type->SlotSize(), c.size);
    TSlot slot(c.type), copy(c.type);
    c.type->VariantToSlot(slot.Data(), c.value);
    TVariant back = c.type->SlotToVariant(slot.Data());
    EXPECT_EQ(back.VarType(), c.variantType);
    EXPECT_EQ(CompareVariants(back, c.value), 0) << back.AsString() << " / " << c.value.AsString();
    std::string bytes = Saved(c.type, slot);
    EXPECT_EQ(bytes.size(), c.streamBytes);
    Load(c.type, copy, bytes);
    EXPECT_EQ(c.type->CompareSlots(slot.Data(), copy.Data()), 0);
    EXPECT_EQ(Saved(c.type, copy), bytes);
  }
}

TEST_F(ValueTypeTest, StreamFormsOfBooleansFloatsAndObjects) {
  TcxValueTypeClass boolean = TcxBooleanValueType::Instance();
  TSlot flag(boolean);
  EXPECT_EQ(Saved(boolean, flag), std::string(1, '\0'));
  boolean->VariantToSlot(flag.Data(), "True");
  EXPECT_EQ(Saved(boolean, flag), std::string(1, '\1'));

  TcxValueTypeClass real = TcxFloatValueType::Instance();
  for (double value : {1.0 / 3, -1e-310, 1.7976931348623157e308}) {
    TSlot slot(real), copy(real);
    real->VariantToSlot(slot.Data(), value);
    Load(real, copy, Saved(real, slot));
    double back;
    std::memcpy(&back, copy.Data(), sizeof back);
    EXPECT_EQ(back, value);
  }

  // An owned object: not streamed, freed with its slot.
  class TWatched : public TObject {
   public:
    explicit TWatched(bool& freed) : freed_(freed) {}
    ~TWatched() override { freed_ = true; }

   private:
    bool& freed_;
  };
  bool freed = false;
  TcxValueTypeClass object = TcxObjectValueType::Instance();
  {
    TSlot slot(object);
    TObject* watched = new TWatched(freed);
    object->VariantToSlot(slot.Data(), object->SlotToVariant(&watched));
    EXPECT_EQ(Saved(object, slot), "");
    TMemoryStream stream;
    stream.WriteBuffer("\x04\x01\x00\x00\x00", 5);
    stream.SetPosition(0);
    object->LoadSlot(slot.Data(), &stream);
    EXPECT_EQ(stream.Position(), 0);
    TObject* held;
    std::memcpy(&held, slot.Data(), sizeof held);
    EXPECT_EQ(held, watched);
    EXPECT_FALSE(freed);
  }
  EXPECT_TRUE(freed);
}

TEST_F(ValueTypeTest, ComparingSlots) {
  TcxValueTypeClass text = TcxStringValueType::Instance();
  TSlot none1(text), none2(text), a(text), b(text), high(text);
  text->VariantToSlot(a.Data(), "a");
  text->VariantToSlot(b.Data(), "B");
  text->VariantToSlot(high.Data(), "\xE9");
  EXPECT_EQ(text->CompareSlots(none1.Data(), none2.Data()), 0);
  EXPECT_LT(text->CompareSlots(none1.Data(), a.Data()), 0);
  EXPECT_GT(text->CompareSlots(a.Data(), b.Data()), 0);     // bytes: 'a' > 'B'
  EXPECT_GT(text->CompareSlots(high.Data(), a.Data()), 0);  // bytes unsigned

  TcxValueTypeClass integer = TcxIntegerValueType::Instance();
  TSlot big(integer), minus(integer);
  integer->VariantToSlot(big.Data(), 2147483647);
  integer->VariantToSlot(minus.Data(), -1);
  EXPECT_GT(integer->CompareSlots(big.Data(), minus.Data()), 0);

  TcxValueTypeClass boolean = TcxBooleanValueType::Instance();
  TSlot no(boolean), yes(boolean);
  boolean->VariantToSlot(yes.Data(), true);
  EXPECT_LT(boolean->CompareSlots(no.Data(), yes.Data()), 0);

  TcxValueTypeClass stamps = TcxSQLTimeStampValueType::Instance();
  TSlot s1(stamps), s2(stamps);
  TSQLTimeStamp early{2000, 12, 31, 0, 0, 0, 0}, later{2001, 1, 1, 0, 0, 0, 0};
  std::memcpy(s1.Data(), &early, sizeof early);
  std::memcpy(s2.Data(), &later, sizeof later);
  EXPECT_LT(stamps->CompareSlots(s1.Data(), s2.Data()), 0);

  TcxValueTypeClass variant = TcxVariantValueType::Instance();
  TSlot missing(variant), nullValue(variant), five(variant);
  variant->VariantToSlot(nullValue.Data(), TVariant::Null());
  variant->VariantToSlot(five.Data(), 5);
  EXPECT_LT(variant->CompareSlots(missing.Data(), nullValue.Data()), 0);
  EXPECT_LT(variant->CompareSlots(nullValue.Data(), five.Data()), 0);
  EXPECT_TRUE(variant->SlotToVariant(missing.Data()).IsNull());

  TcxValueTypeClass bcd = TcxFMTBcdValueType::Instance();
  TSlot lower(bcd), higher(bcd);
  bcd->VariantToSlot(lower.Data(), "9.99");
  bcd->VariantToSlot(higher.Data(), "10");
  EXPECT_LT(bcd->CompareSlots(lower.Data(), higher.Data()), 0);
}

TEST_F(ValueTypeTest, AcceptingVariants) {
  TVariant twelve = "12";
  EXPECT_TRUE(TcxIntegerValueType::Instance()->AcceptsVariant(twelve));
  EXPECT_EQ(twelve.VarType(), varInteger);
  EXPECT_EQ(twelve.AsInteger(), 12);
  TVariant x = "x";
  EXPECT_FALSE(TcxIntegerValueType::Instance()->AcceptsVariant(x));
  EXPECT_EQ(x.VarType(), varString);
  EXPECT_EQ(x.AsString(), "x");
  TVariant null = TVariant::Null();
  EXPECT_TRUE(TcxDateTimeValueType::Instance()->AcceptsVariant(null));
  EXPECT_TRUE(null.IsNull());
  TVariant anything = TVariant::CreateArray({{0, 0}});
  EXPECT_TRUE(TcxVariantValueType::Instance()->AcceptsVariant(anything));
  TVariant tooBig = 70000;
  EXPECT_FALSE(TcxSmallintValueType::Instance()->AcceptsVariant(tooBig));
  EXPECT_EQ(tooBig.AsInteger(), 70000);
  EXPECT_THROW(TcxIntegerValueType::Instance()->VariantToSlot(TSlot(TcxIntegerValueType::Instance()).Data(), "x"),
               EVariantTypeCastError);
}

TEST_F(ValueTypeTest, DefaultTexts) {
  TSlot flag(TcxBooleanValueType::Instance()), date(TcxDateTimeValueType::Instance()),
      bcd(TcxFMTBcdValueType::Instance()), variant(TcxVariantValueType::Instance()),
      text(TcxStringValueType::Instance());
  TcxBooleanValueType::Instance()->VariantToSlot(flag.Data(), true);
  TcxDateTimeValueType::Instance()->VariantToSlot(date.Data(), TVariant::FromDate(36526.5));
  TcxFMTBcdValueType::Instance()->VariantToSlot(bcd.Data(), "012.500");
  TcxVariantValueType::Instance()->VariantToSlot(variant.Data(), TVariant::CreateArray({{0, 0}}));
  EXPECT_EQ(TcxBooleanValueType::Instance()->DefaultText(flag.Data()), "True");
  EXPECT_EQ(TcxDateTimeValueType::Instance()->DefaultText(date.Data()), "1/1/2000 12:00:00 PM");
  EXPECT_EQ(TcxFMTBcdValueType::Instance()->DefaultText(bcd.Data()), "12.5");
  EXPECT_EQ(TcxVariantValueType::Instance()->DefaultText(variant.Data()), "");  // an array has no text
  EXPECT_EQ(TcxStringValueType::Instance()->DefaultText(text.Data()), "");      // Null has none either
}

TEST_F(ValueTypeTest, TextSlots) {
  TcxValueTypeClass type = TcxIntegerValueType::Instance();
  void* textSlot = nullptr;
  EXPECT_EQ(type->TextSlotValue(&textSlot), "");
  type->SetTextSlot(&textSlot, "shown");
  EXPECT_EQ(type->TextSlotValue(&textSlot), "shown");
  TMemoryStream stream;
  type->SaveTextSlot(&textSlot, &stream);
  type->ReleaseTextSlot(&textSlot);
  EXPECT_EQ(textSlot, nullptr);
  stream.SetPosition(0);
  type->LoadTextSlot(&textSlot, &stream);
  EXPECT_EQ(type->TextSlotValue(&textSlot), "shown");
  type->ReleaseTextSlot(&textSlot);
}

}  // namespace
