// File dialog filters: the platform's "Description|pattern;pattern|...||" lists turned into
// the ";;"-separated "Description (pattern pattern)" form of the GUI's file dialogs.
#pragma once

#include <string>
#include <string_view>

namespace zemtra {

// Each description keeps its text; its patterns follow in parentheses unless the description
// already ends with exactly them. "*.*", which matches every name on the platform, becomes "*".
std::u16string FileDialogFilter(std::u16string_view platformFilter);

}  // namespace zemtra
