// What a stored form may set on a masked editor: the text editor's settings (validation on Enter
// defaults to on here) and the mask's own. The mask kind comes before the mask text, so that a
// form read back compiles the mask in its own language: a regular-expression mask read while the
// kind was still standard would be cleared when the kind then changed.
#include <algorithm>
#include <vector>

#include "cxMaskEdit.h"

namespace {
constexpr const char* maskKindNames[] = {"emkStandard", "emkRegExpr", "emkRegExprEx"};
}  // namespace

constinit const TEnumInfo cxEditMaskKindInfo{maskKindNames, 3};

namespace {

using P = TcxCustomMaskEditProperties;
constinit const TPropInfo maskProps[] = {
    Published<&P::ValidateOnEnter, &P::SetValidateOnEnter>("ValidateOnEnter").WithDefault(true),
    Published<&P::AlwaysShowBlanksAndLiterals, &P::SetAlwaysShowBlanksAndLiterals>("AlwaysShowBlanksAndLiterals")
        .WithDefault(false),
    Published<&P::CaseInsensitive, &P::SetCaseInsensitive>("CaseInsensitive").WithDefault(true),
    Published<&P::IgnoreMaskBlank, &P::SetIgnoreMaskBlank>("IgnoreMaskBlank").WithDefault(false),
    Published<&P::MaskKind, &P::SetMaskKind>("MaskKind", &cxEditMaskKindInfo).WithDefault(emkStandard),
    Published<&P::EditMask, &P::SetEditMask>("EditMask"),
};

constinit const TPropInfo editProps[] = {
    Published<&TcxMaskEdit::Properties, nullptr>("Properties"),
    Published<&TcxCustomMaskEdit::Text, &TcxCustomTextEdit::SetText>("Text").WithDefault(""),
};

// The inherited table with this kind's descriptors in place of those of the same name, and its
// new ones after them. Built at start-up; the registry keeps pointers into it.
std::vector<TPropInfo> Merged(std::span<const TPropInfo> inherited, std::span<const TPropInfo> own) {
  std::vector<TPropInfo> table(inherited.begin(), inherited.end());
  for (const TPropInfo& p : own) {
    auto same = std::find_if(table.begin(), table.end(), [&](const TPropInfo& q) { return SameText(q.Name, p.Name); });
    if (same != table.end()) *same = p;
    else table.push_back(p);
  }
  return table;
}

std::vector<TPropInfo>& PropertiesTable() {
  static std::vector<TPropInfo> table;
  return table;
}

std::vector<TPropInfo>& EditTable() {
  static std::vector<TPropInfo> table;
  return table;
}

}  // namespace

void RegisterMaskEditPublishedProperties() {
  PropertiesTable() = Merged(TextEditPropertiesPublished(), maskProps);
  EditTable() = Merged(TextEditPublished(), editProps);
  RegisterPublishedProperties(TcxMaskEditProperties::StaticClass(), PropertiesTable().data(), PropertiesTable().size());
  RegisterPublishedProperties(TcxMaskEdit::StaticClass(), EditTable().data(), EditTable().size());
  RegisterClass(TcxMaskEdit::StaticClass());
}
