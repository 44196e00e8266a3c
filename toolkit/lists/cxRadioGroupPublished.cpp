// What a stored form may set on a radio group. The items' values and the default value are
// variants and the default caption is wide text, kinds the published descriptors do not have, so
// the objects store them as properties of their own: a variant as the stored value of its kind.
#include "BinaryFiler.h"
#include "cxRadioGroup.h"

namespace {

TVariant ReadStoredVariant(TReader* reader) {
  switch (reader->NextValue()) {
    case vaInt8:
    case vaInt16:
    case vaInt32: return TVariant(reader->ReadInteger());
    case vaInt64: return TVariant(reader->ReadInt64());
    case vaExtended: return TVariant(static_cast<double>(reader->ReadFloat()));
    case vaTrue:
    case vaFalse: return TVariant(reader->ReadBoolean());
    case vaString:
    case vaLString: return TVariant(reader->ReadString());
    default: reader->SkipValue(); return TVariant::Null();
  }
}

void WriteStoredVariant(TWriter* writer, const TVariant& value) {
  switch (value.VarType()) {
    case varBoolean: writer->WriteBoolean(value.AsBoolean()); return;
    case varShortInt:
    case varByte:
    case varSmallint:
    case varWord:
    case varInteger: writer->WriteInteger(value.AsInteger()); return;
    case varLongWord:
    case varInt64: writer->WriteInt64(value.AsInt64()); return;
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate: writer->WriteFloat(value.AsDouble()); return;
    default: writer->WriteString(value.AsString());
  }
}


using E = TcxCustomEditProperties;
constinit const TPropInfo propertiesProps[] = {
    Published<&E::ClearKey, &E::SetClearKey>("ClearKey").WithDefault(0),
    Published<&E::ImmediatePost, &E::SetImmediatePost>("ImmediatePost").WithDefault(false),
    PublishedEvent<&E::OnChange>("OnChange"),
    PublishedEvent<&E::OnEditValueChanged>("OnEditValueChanged"),
};

using G = TcxCustomRadioGroup;
constinit const TPropInfo groupProps[] = {
    Published<&TcxRadioGroup::Properties, nullptr>("Properties"),
    Published<&G::ItemIndex, &G::SetItemIndex>("ItemIndex").WithDefault(-1),
    Published<&TWinControl::ParentBackground, &TWinControl::SetParentBackground>("ParentBackground").WithDefault(true),
    Published<&TControl::ParentColor, &TControl::SetParentColor>("ParentColor").WithDefault(true),
    Published<&TWinControl::TabStop, &TWinControl::SetTabStop>("TabStop").WithDefault(true),
};

}  // namespace

void TcxRadioGroupItem::DefineProperties(TFiler* filer) {
  TcxButtonGroupItem::DefineProperties(filer);
  filer->DefineProperty("Value", MakeEvent(this, &TcxRadioGroupItem::ReadValue),
                        MakeEvent(this, &TcxRadioGroupItem::WriteValue), IsValueStored());
}

void TcxRadioGroupItem::ReadValue(TReader* reader) { SetValue(ReadStoredVariant(reader)); }
void TcxRadioGroupItem::WriteValue(TWriter* writer) { WriteStoredVariant(writer, value_); }

void TcxCustomRadioGroupProperties::DefineProperties(TFiler* filer) {
  TcxCustomButtonGroupProperties::DefineProperties(filer);
  filer->DefineProperty("DefaultCaption", MakeEvent(this, &TcxCustomRadioGroupProperties::ReadDefaultCaption),
                        MakeEvent(this, &TcxCustomRadioGroupProperties::WriteDefaultCaption), IsDefaultCaptionStored());
  filer->DefineProperty("DefaultValue", MakeEvent(this, &TcxCustomRadioGroupProperties::ReadDefaultValue),
                        MakeEvent(this, &TcxCustomRadioGroupProperties::WriteDefaultValue), IsDefaultValueStored());
}

void TcxCustomRadioGroupProperties::ReadDefaultCaption(TReader* reader) {
  SetDefaultCaption(AnsiToWide(reader->ReadString()));
}
void TcxCustomRadioGroupProperties::WriteDefaultCaption(TWriter* writer) {
  writer->WriteString(WideToAnsi(defaultCaption_));
}
void TcxCustomRadioGroupProperties::ReadDefaultValue(TReader* reader) { SetDefaultValue(ReadStoredVariant(reader)); }
void TcxCustomRadioGroupProperties::WriteDefaultValue(TWriter* writer) { WriteStoredVariant(writer, defaultValue_); }

void RegisterRadioGroupPublishedProperties() {
  RegisterPublishedProperties(TcxCustomRadioGroupProperties::StaticClass(), propertiesProps);
  RegisterPublishedProperties(TcxRadioGroup::StaticClass(), groupProps);
  RegisterClass(TcxRadioGroup::StaticClass());
}
