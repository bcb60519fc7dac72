// File dialog filters: the platform's "Description|pattern;pattern|...||" lists turned into
// the ";;"-separated "Description (pattern pattern)" form of the GUI's file dialogs.
#pragma once

#include <string>
#include <string_view>

namespace zemtra {

// Each description keeps its text; its patterns follow in parentheses unless the description
// already ends with exactly them. "*.*", which matches every name on the platform, becomes "*".
std::u16string FileDialogFilter(std::u16string_view platformFilter);

// What a file dropped on the window is, by its name's ending (ASCII case ignored): a project
// (.fprj), a picture Load Picture takes (.bmp .jpg .jpeg .gif .png), a font file Font File...
// takes (.ttf .otf .ttc .otc .bdf .pcf .pcf.gz), or none of them.
enum class DroppedKind { Project, Picture, Font, Other };
DroppedKind DroppedFileKind(std::u16string_view path);

}  // namespace zemtra
