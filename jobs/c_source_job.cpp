// The C source job: the list's items rendered and packed into the fontlib and fonttab arrays,
// kept as text, written whole to a file, or streamed into the Output View's temporary file.
#include "base/atomic_file.h"
#include "base/character_list.h"
#include "base/code_page.h"
#include "base/error.h"
#include "base/unicode.h"
#include "jobs/jobs.h"
#include "output/c_source_writer.h"
#include "output/text_writer.h"
#include "raster/glyph_renderer.h"
#include "raster/picture_check.h"

namespace zemtra {

std::string EncodedText(std::u16string_view text, TextEncoding encoding) {
    return encoding == TextEncoding::Utf16LeWithMark ? Utf16LeWithMark(text) : Utf16ToUtf8(text);
}

JobOutcome CSourceWorkOf(const ProjectSettings& s) {
    if (s.LIST.empty()) return JobOutcome::EmptyList;
    if (!HasDots(s)) return JobOutcome::NoDots;
    return JobOutcome::Done;
}

FonttabCodes FonttabCodesOf(const ProjectSettings& s) {
    FonttabCodes codes;
    codes.codePage = AnsiCodePage();
    std::u16string characters;
    for (size_t i = 0; i < s.LIST.size(); ++i) {
        if (!IsPictureItem(s, i)) characters += CharacterText({s.LIST[i]});
    }
    codes.lacking = CharactersLackingIn(codes.codePage, characters);
    return codes;
}

Message FonttabNote(const FonttabCodes& codes) {
    const std::string page = std::to_string(codes.codePage);
    if (codes.lacking.empty()) return Message{Msg::StatusFonttab, {page}};
    constexpr size_t kNamed = 8;
    std::u16string named;
    for (size_t i = 0; i < codes.lacking.size() && i < kNamed; ++i) {
        if (i > 0) named += u' ';
        named += codes.lacking[i];
    }
    if (codes.lacking.size() > kNamed) named += u" ...";
    return Message{Msg::StatusFonttabLacking, {page, std::to_string(codes.lacking.size()), named}};
}

CSourceResult RunJob(const ProjectSettings& s, const CSourceJob& job, const JobContext& context) {
    CSourceResult result;
    if (s.LIST.empty()) {
        result.outcome = JobOutcome::EmptyList;
        return result;
    }
    // A picture item whose file went missing or broke would come out blank.
    if (context.pictures != nullptr) {
        if (auto why = ListPictureProblems(*context.pictures, s)) throw UserError(*why);
    }
    GlyphRenderer renderer(context.pictures);
    RendererGlyphSource glyphs(renderer, s);
    const std::u16string text = CharacterText(s.LIST);
    if (!HasDots(s)) {
        result.outcome = JobOutcome::NoDots;
        return result;
    }
    if (job.target == CSourceTarget::TemporaryOutputFile) {
        if (!WriteCSourceToTempFile(s, text, glyphs, context.progress)) {
            result.outcome = JobOutcome::NotWritten;
        } else {
            result.fonttab = FonttabCodesOf(s);
        }
        return result;
    }
    StringTextWriter out;
    WriteCSource(s, text, glyphs, out, context.progress);
    if (job.target == CSourceTarget::File) {
        WriteFileAtomically(job.file, EncodedText(out.Text(), job.encoding));
    } else {
        result.text = out.Text();
    }
    result.fonttab = FonttabCodesOf(s);
    return result;
}

}  // namespace zemtra
