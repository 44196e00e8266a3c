// Value types: stateless classes that each describe how one kind of value lives in a fixed-size
// slot of a record buffer (its size, its variant form, its order, its stream form, its default
// text), and the process-wide registry of these classes. Nothing is instantiated: each class is
// its own class-operations object and the class reference is a pointer to its one constant object.
//
// A value slot holds the value itself (numbers, Booleans, dates, BCD numbers, time stamps) or a
// pointer to a heap value that the type allocates on first store and frees on release (texts,
// variants; the object type holds an object it owns); a null pointer means no value. A text slot
// is a pointer to a heap narrow text; null means no text. Pointers take 8 bytes here.
#pragma once
#include <string>
#include <vector>

#include "Classes.h"
#include "Variants.h"

class TcxValueType;
using TcxValueTypeClass = const TcxValueType*;

class TcxValueType : public TClassOperations {
  CALDERAN_CLASS(TcxValueType)
  static TcxValueTypeClass Instance();
  // CompareStored of the stored values (reference types pass what they refer to).
  virtual int CompareSlots(const void* slotA, const void* slotB) const;
  virtual void ReleaseSlot(void* slot) const { (void)slot; }
  virtual void ReleaseTextSlot(void* textSlot) const;
  virtual int SlotSize() const { return 0; }
  virtual TVariant SlotToVariant(const void* slot) const;
  // Never raises a variant error ("" instead).
  virtual std::string DefaultText(const void* slot) const;
  virtual std::string TextSlotValue(const void* textSlot) const;
  virtual void LoadSlot(void* slot, TStream* stream) const;
  virtual void LoadTextSlot(void* textSlot, TStream* stream) const;
  // Raises the variant conversion errors unchanged.
  virtual void VariantToSlot(void* slot, const TVariant& value) const { (void)slot, (void)value; }
  virtual void SetTextSlot(void* textSlot, const std::string& text) const;
  virtual void SaveSlot(const void* slot, TStream* stream) const;
  virtual void SaveTextSlot(const void* textSlot, TStream* stream) const;
  // The class name without a leading "Tcx" and without its first "ValueType".
  virtual std::string TypeCaption() const;
  // Negative, zero or positive as A is smaller than, equal to or greater than B.
  virtual int CompareStored(const void* storedA, const void* storedB) const;
  virtual TVariant StoredToVariant(const void* stored) const { return SlotToVariant(stored); }
  virtual TVarType VariantTypeCode() const { return varVariant; }
  // True when the value is Null, or is (or was converted in place to) the type's variant type;
  // false with the value unchanged when it does not convert.
  virtual bool AcceptsVariant(TVariant& value) const;
  virtual bool IsTextType() const { return false; }
  // Reference types replace the slot's address by the address of the value it refers to (null
  // when there is none); the value types leave it.
  virtual void SlotToStored(const void*& slot) const { (void)slot; }

 protected:
  constexpr TcxValueType() = default;
};

// The value types. Each answers its own class reference through Instance().
#define CX_DECLARE_VALUE_TYPE(Self, Parent)                 \
  class Self : public Parent {                              \
    CALDERAN_CLASS(Self)                                    \
    static TcxValueTypeClass Instance();                    \
                                                            \
   protected:                                               \
    constexpr Self() = default;                             \
                                                            \
   public:

CX_DECLARE_VALUE_TYPE(TcxStringValueType, TcxValueType)
  void ReleaseSlot(void* slot) const override;
  int SlotSize() const override { return sizeof(void*); }
  TVariant SlotToVariant(const void* slot) const override;
  void LoadSlot(void* slot, TStream* stream) const override;
  void VariantToSlot(void* slot, const TVariant& value) const override;
  void SaveSlot(const void* slot, TStream* stream) const override;
  int CompareStored(const void* storedA, const void* storedB) const override;
  TVariant StoredToVariant(const void* stored) const override;
  TVarType VariantTypeCode() const override { return varString; }
  bool IsTextType() const override { return true; }
  void SlotToStored(const void*& slot) const override;
};

CX_DECLARE_VALUE_TYPE(TcxWideStringValueType, TcxStringValueType)
  void ReleaseSlot(void* slot) const override;
  TVariant SlotToVariant(const void* slot) const override;
  void LoadSlot(void* slot, TStream* stream) const override;
  void VariantToSlot(void* slot, const TVariant& value) const override;
  void SaveSlot(const void* slot, TStream* stream) const override;
  int CompareStored(const void* storedA, const void* storedB) const override;
  TVariant StoredToVariant(const void* stored) const override;
  TVarType VariantTypeCode() const override { return varOleStr; }
};

// The fixed-size types share one pattern: the slot is the value.
#define CX_DECLARE_FIXED_VALUE_TYPE(Self, Parent)                             \
  CX_DECLARE_VALUE_TYPE(Self, Parent)                                         \
    int SlotSize() const override;                                            \
    TVariant SlotToVariant(const void* slot) const override;                  \
    void VariantToSlot(void* slot, const TVariant& value) const override;     \
    void LoadSlot(void* slot, TStream* stream) const override;                \
    void SaveSlot(const void* slot, TStream* stream) const override;          \
    int CompareStored(const void* storedA, const void* storedB) const override; \
    TVarType VariantTypeCode() const override;

CX_DECLARE_FIXED_VALUE_TYPE(TcxSmallintValueType, TcxValueType)
};
CX_DECLARE_FIXED_VALUE_TYPE(TcxIntegerValueType, TcxValueType)
};
CX_DECLARE_FIXED_VALUE_TYPE(TcxWordValueType, TcxValueType)
};
CX_DECLARE_FIXED_VALUE_TYPE(TcxBooleanValueType, TcxValueType)
};
CX_DECLARE_FIXED_VALUE_TYPE(TcxFloatValueType, TcxValueType)
};
CX_DECLARE_FIXED_VALUE_TYPE(TcxCurrencyValueType, TcxValueType)
};
CX_DECLARE_FIXED_VALUE_TYPE(TcxDateTimeValueType, TcxValueType)
  std::string DefaultText(const void* slot) const override;
};
CX_DECLARE_FIXED_VALUE_TYPE(TcxLargeIntValueType, TcxValueType)
};
CX_DECLARE_FIXED_VALUE_TYPE(TcxFMTBcdValueType, TcxValueType)
  std::string DefaultText(const void* slot) const override;
};
CX_DECLARE_FIXED_VALUE_TYPE(TcxSQLTimeStampValueType, TcxValueType)
};

CX_DECLARE_VALUE_TYPE(TcxVariantValueType, TcxValueType)
  void ReleaseSlot(void* slot) const override;
  int SlotSize() const override { return sizeof(void*); }
  TVariant SlotToVariant(const void* slot) const override;
  void VariantToSlot(void* slot, const TVariant& value) const override;
  int CompareStored(const void* storedA, const void* storedB) const override;
  TVariant StoredToVariant(const void* stored) const override;
  void SlotToStored(const void*& slot) const override;
};

// An owned object. A pointer does not fit the integer type's 32 bits here, so the slot is
// pointer-sized and the reference goes in and out of variants as a 64-bit integer.
CX_DECLARE_VALUE_TYPE(TcxObjectValueType, TcxIntegerValueType)
  void ReleaseSlot(void* slot) const override;
  int SlotSize() const override { return sizeof(void*); }
  TVariant SlotToVariant(const void* slot) const override;
  void VariantToSlot(void* slot, const TVariant& value) const override;
  void LoadSlot(void* slot, TStream* stream) const override { (void)slot, (void)stream; }
  void SaveSlot(const void* slot, TStream* stream) const override { (void)slot, (void)stream; }
  int CompareStored(const void* storedA, const void* storedB) const override;
  TVarType VariantTypeCode() const override { return varInt64; }
};

// ---------------------------------------------------------------------------------------------
// The registry of value-type classes.
class TcxValueTypeClassList : public TObject {
  CALDERAN_CLASS(TcxValueTypeClassList)
  TcxValueTypeClassList() = default;
  int Count() const { return static_cast<int>(items_.size()); }
  TcxValueTypeClass Items(int index) const { return items_.at(index); }
  void RegisterItem(TcxValueTypeClass valueTypeClass);  // nothing when listed already
  void UnregisterItem(TcxValueTypeClass valueTypeClass);

 private:
  std::vector<TcxValueTypeClass> items_;
};

// The process-wide registry, made on first use.
TcxValueTypeClassList* GetValueTypeClassList();
void RegisterValueType(TcxValueTypeClass valueTypeClass);
void UnregisterValueType(TcxValueTypeClass valueTypeClass);

// Start-up fills the registry with the fourteen types; shut-down takes them out and frees it.
extern const TUnitInfo cxValueTypesUnit;
