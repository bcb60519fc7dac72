// The English message texts.
#include "ui/special_strings.h"

namespace zemtra {

std::u16string DefaultSpecialString(std::string_view key) {
    if (key == "IDS_CLIP_SUCCESS") return u"Data has been successfully\ncopied to the clipboard!";
    if (key == "IDS_CLIP_ERROR") return u"Open Clipboard Failed!";
    if (key == "IDS_EXPORT_FROM_LIST") return u"The character list (%1)";
    if (key == "IDS_EXPORT_FROM_RANGE") return u"The code range (From..To)";
    if (key == "IDS_EXPORT_NAME_FROM_FILE") return u"(from the file's name)";
    if (key == "IDS_EXPORT_BAD_NAME") {
        return u"The name \"%1\" is not a C identifier: letters, digits and _, not a digit first, "
               u"no keyword.";
    }
    if (key == "IDS_EXPORT_STOP") return u"Stop Export";
    if (key == "IDS_EXPORT_DONE") return u"Exported %1 glyphs into\n%2\n%3 bytes in %4 s.";
    if (key == "IDS_EXPORT_LACKING") {
        return u"%1 characters that neither the face nor a linked face has were left out: %2";
    }
    if (key == "IDS_EXPORT_PICTURES") return u"The %1 picture items of the list were left out.";
    if (key == "IDS_EXPORT_EMPTY") {
        return u"There is no character to export: the list is empty, or the code range holds "
               u"no character.";
    }
    if (key == "IDS_EXPORT_NO_GLYPHS") {
        return u"No face has any of the %1 characters; nothing was written.";
    }
    if (key == "IDS_EXPORT_STOPPED") return u"Stopped. Nothing was written.";
    if (key == "IDS_EXPORT_NO_DOTS")
        return u"The matrix size must be at least 1 x 1 for an export.";
    return {};
}

}  // namespace zemtra
