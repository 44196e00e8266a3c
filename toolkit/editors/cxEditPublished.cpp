// What stored form definitions may set on every editor: its properties object and style (as
// sub-objects), transparency and the properties' read-only flag. The style's own properties are
// the container style's, published by the container's unit.
#include "TypInfo.h"
#include "cxEdit.h"

namespace {

constinit const TPropInfo editProps[] = {
    Published<&TcxCustomEdit::Properties, nullptr>("Properties"),
    Published<&TcxCustomEdit::Style, nullptr>("Style"),
    Published<&TcxCustomEdit::Transparent, &TcxCustomEdit::SetTransparent>("Transparent").WithDefault(false),
};

constinit const TPropInfo editPropertiesProps[] = {
    Published<&TcxCustomEditProperties::ReadOnly, &TcxCustomEditProperties::SetReadOnly>("ReadOnly")
        .StoredWhen<&TcxCustomEditProperties::IsReadOnlyStored>(),
};

}  // namespace

void RegisterEditPublishedProperties() {
  RegisterPublishedProperties(TcxCustomEdit::StaticClass(), editProps);
  RegisterPublishedProperties(TcxCustomEditProperties::StaticClass(), editPropertiesProps);
}
