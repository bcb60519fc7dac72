// The English message texts.
#include "ui/special_strings.h"

namespace zemtra {

std::u16string DefaultSpecialString(std::string_view key) {
    if (key == "IDS_CLIP_SUCCESS") return u"Data has been successfully\ncopied to the clipboard!";
    if (key == "IDS_CLIP_ERROR") return u"Open Clipboard Failed!";
    return {};
}

}  // namespace zemtra
