// What stored form definitions may set on every editor: its properties object and style (as
// sub-objects), transparency, the properties' read-only flag and the style's colour.
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

constinit const TPropInfo styleProps[] = {
    Published<&TcxContainerStyle::Color, &TcxContainerStyle::SetColor>("Color"),
};

}  // namespace

void RegisterEditPublishedProperties() {
  RegisterPublishedProperties(TcxCustomEdit::StaticClass(), editProps);
  RegisterPublishedProperties(TcxCustomEditProperties::StaticClass(), editPropertiesProps);
  RegisterPublishedProperties(TcxContainerStyle::StaticClass(), styleProps);
}
