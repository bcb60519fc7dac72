// FreeType error texts from FreeType's own error list.
#include "raster/font_handles.h"

namespace zemtra {

namespace {

struct FtErrorEntry {
    int code;
    const char* text;
};

// FreeType's error list, expanded once into a table of (code, text).
// clang-format off
#undef FTERRORS_H_
#define FT_ERRORDEF(e, v, s) {v, s},
#define FT_ERROR_START_LIST {
#define FT_ERROR_END_LIST {0, nullptr}};
const FtErrorEntry kFtErrors[] =
#include FT_ERRORS_H
// clang-format on

}  // namespace

std::string FtErrorText(FT_Error error) {
    for (const FtErrorEntry* e = kFtErrors; e->text != nullptr; ++e) {
        if (e->code == error) return e->text;
    }
    return "FreeType error " + std::to_string(error);
}

}  // namespace zemtra
