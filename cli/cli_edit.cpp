// zemtra-cli edit: sets, removes or lists the hand-edited glyphs of a project file. Only the
// file's [Glyphs] section changes, and the file is written whole or not at all.
#include <cstdio>
#include <ostream>

#include "base/error.h"
#include "base/unicode.h"
#include "cli/cli_jobs.h"
#include "project/glyph_section.h"
#include "project/project_file.h"

namespace zemtra::cli {
namespace {

void Check(const Request& r) {
    if (r.positional.size() != 1) throw UsageError("edit: give one FILE.fprj");
    if (r.settingsFromProject) {
        throw UsageError("edit: the project to edit is FILE itself; leave out --project");
    }
    if ((r.rows ? 1 : 0) + (r.revert ? 1 : 0) + (r.list ? 1 : 0) != 1) {
        throw UsageError("edit: give one of --rows HEXROWS, --revert or --list");
    }
    if (r.list && (r.character || r.matrix)) {
        throw UsageError("edit: --list takes no --char or --matrix");
    }
    if (!r.list && !r.character) throw UsageError("edit: give the character with --char C");
}

// One character, or its code as U+XXXX (for a space or a control character).
char32_t CharacterCode(const std::string& text) {
    const std::u16string units = Utf8ToUtf16(text);
    if (IsOneCharacter(units)) return FirstCharacter(units);
    GlyphEditKey key;
    if (units.size() > 2 && (units[0] == u'U' || units[0] == u'u') && units[1] == u'+' &&
        !ParseGlyphKey(units + u" 1x1", key)) {
        return key.code;
    }
    throw UsageError("edit: --char takes one character or U+XXXX, not \"" + text + "\"");
}

// The edit's size: --matrix, else the project's matrix.
GlyphEditKey EditKey(const Request& r, const ProjectSettings& s) {
    GlyphEditKey key;
    key.code = CharacterCode(*r.character);
    if (r.matrix) {
        key.width = r.matrix->first;
        key.height = r.matrix->second;
        return key;
    }
    key.width = MatrixWidth(s);
    key.height = MatrixHeight(s);
    if (key.width < 1 || key.height < 1 || key.width > kMaxGlyphEditSide ||
        key.height > kMaxGlyphEditSide) {
        throw UsageError("edit: the project's matrix \"" + Utf16ToUtf8(s.BLOCKNUMX) + "\" x \"" +
                         Utf16ToUtf8(s.BLOCKNUMY) +
                         "\" is no size a glyph can have; give --matrix");
    }
    return key;
}

}  // namespace

int RunEdit(const Request& r, std::ostream& out) {
    Check(r);
    const std::string& file = r.positional.front();
    ProjectSettings s;
    const LoadedProject loaded = LoadProject(file, s);
    if (!loaded.isProject) {
        throw UserError("\"" + file + "\" is not a Zemtra project: " + loaded.whyNotAProject);
    }
    for (const std::string& problem : loaded.glyphProblems) {
        std::fprintf(stderr, "zemtra-cli: warning: %s: %s\n", file.c_str(), problem.c_str());
    }
    if (r.list) {
        std::string text;
        for (const GlyphEditKey& key : s.GLYPHS.Keys()) {
            text += Utf16ToUtf8(GlyphEntryText(key, *s.GLYPHS.Find(key))) + "\n";
        }
        out << text;
        out.flush();
        return 0;
    }
    const GlyphEditKey key = EditKey(r, s);
    const std::string name = Utf16ToUtf8(GlyphKeyText(key));
    if (r.revert) {
        if (!s.GLYPHS.Remove(key)) {
            std::fprintf(stderr, "zemtra-cli: %s has no edit %s; nothing changed\n", file.c_str(),
                         name.c_str());
            return 0;
        }
    } else {
        GlyphDots dots;
        if (auto why = ParseGlyphRows(Utf8ToUtf16(*r.rows), key.width, key.height, dots)) {
            throw UsageError("edit: --rows for " + name + ": " + *why);
        }
        if (s.GLYPHS.Find(key) == nullptr && s.GLYPHS.Size() >= kMaxGlyphEntries) {
            throw UserError("\"" + file + "\" holds the most edits a project may hold (" +
                            std::to_string(kMaxGlyphEntries) + ")");
        }
        s.GLYPHS.Set(key.code, std::move(dots));
    }
    SaveGlyphEdits(file, s.GLYPHS);
    return 0;
}

}  // namespace zemtra::cli
