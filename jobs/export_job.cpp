// The export job: the character set, the checks that come before the target is touched, then
// every character through RenderExportGlyph into the format's writer, the file written whole.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <variant>

#include "base/atomic_file.h"
#include "base/character_list.h"
#include "base/code_page.h"
#include "base/code_rectangle.h"
#include "base/error.h"
#include "base/unicode.h"
#include "jobs/jobs.h"
#include "output/font_export.h"
#include "raster/export_collect.h"
#include "raster/export_glyph.h"

namespace zemtra {
namespace {

// Lacking characters a result names; the count says how many there are in all.
constexpr size_t kLackingNamed = 8;
constexpr char32_t kLastExportable = 0x10FFFF;

class FileSink : public ByteSink {
  public:
    explicit FileSink(AtomicFileWriter& file) : file_(file) {}
    void Write(std::string_view bytes) override { file_.Write(bytes); }

  private:
    AtomicFileWriter& file_;
};

std::string FontName(const ExportJob& job) {
    return job.name.empty() ? CIdentifierFrom(job.target.stem().string()) : job.name;
}

std::optional<MessageArg> CharactersProblem(const ExportJob& job,
                                            const std::vector<char32_t>& set) {
    if (job.characters == ExportCharacters::Ranges) {
        for (const CodeSpan& span : job.ranges) {
            if (span.first > span.last) {
                return "The range " + CharacterCode(span.first) + "-" + CharacterCode(span.last) +
                       " runs backwards.";
            }
            if (span.last > kLastExportable) {
                return "Unicode ends at U+10FFFF; the range " + CharacterCode(span.first) + "-" +
                       CharacterCode(span.last) + " goes beyond it.";
            }
        }
    }
    const ExportFormatRow& row = ExportFormatRowOf(job.format);
    if (row.lastCharacter < kLastExportable) {
        if (!set.empty() && set.back() > row.lastCharacter) {
            if (row.beyondLast) return Message{*row.beyondLast, {CharacterCode(set.back())}};
            return std::string(row.title) + " fonts hold the characters up to " +
                   CharacterCode(row.lastCharacter) + "; " + CharacterCode(set.back()) +
                   " is beyond them.";
        }
    }
    return std::nullopt;
}

ExportStyle StyleOf(const ExportJob& job) {
    return ExportStyle{job.bpp, job.monospace};
}

ExportFontInfo InfoOf(GlyphRenderer& renderer, const ProjectSettings& s, const ExportJob& job) {
    ExportFontInfo info = ExportFontInfoOf(renderer, s, StyleOf(job));
    info.name = FontName(job);
    info.compress = job.compress;
    return info;
}

std::optional<MessageArg> Problem(GlyphRenderer& renderer, const ProjectSettings& s,
                                  const ExportJob& job, const std::vector<char32_t>& set) {
    if (auto why = CharactersProblem(job, set)) return why;
    if (job.cArray) {
        if (!ExportFormatRowOf(job.format).binary) {
            std::string binary;
            for (const ExportFormatRow& row : ExportFormats()) {
                if (row.binary) binary += (binary.empty() ? "" : ", ") + std::string(row.name);
            }
            return "Only the binary formats (" + binary + ") become C arrays.";
        }
        if (!IsCIdentifier(FontName(job))) {
            return "The array's name \"" + FontName(job) + "\" is not a C identifier.";
        }
    }
    // The format's own limits first: they need no font.
    ExportFontInfo bare;
    bare.bpp = job.bpp;
    bare.compress = job.compress;
    bare.name = FontName(job);
    if (ExportFormatRowOf(job.format).limits == nullptr) {
        return ExportFormatProblem(job.format, bare);
    }
    if (auto why = ExportFormatProblem(job.format, bare)) return why;
    // The format's field sizes need the font's metrics.
    if (!HasDots(s)) return std::nullopt;
    return ExportFormatProblem(job.format, InfoOf(renderer, s, job));
}

// Controls draw nothing a display shows (a tab from a pasted text would become a glyph), and
// surrogate codes are no characters.
bool Exportable(char32_t c) {
    return c >= 0x20 && !(c >= 0x7F && c < 0xA0) && !(c >= 0xD800 && c <= 0xDFFF) &&
           c <= kLastExportable;
}

// The character of a code of the walked code page, or nothing for a code the page leaves
// unassigned: the converter gives those a private-use character (GB2312 D7FA..D7FE become
// U+E810..U+E814), the replacement character or the default "?", none of which is what the
// code stands for.
std::optional<char32_t> CodePageCharacter(uint16_t code, int32_t codePage) {
    const std::u16string c = CodeToCharacter(code, codePage);
    if (c.empty()) return std::nullopt;
    if (static_cast<CodePageKind>(codePage) == CodePageKind::Unicode) return c.front();
    const bool privateUse = c.front() >= 0xE000 && c.front() <= 0xF8FF;
    const bool question = c.front() == u'?' && code != u'?';
    if (privateUse || question || c.front() == 0xFFFD) return std::nullopt;
    return c.front();
}

}  // namespace

std::vector<char32_t> ExportCharacterSet(const ProjectSettings& s, const ExportJob& job) {
    std::vector<bool> in(kLastExportable + 1, false);
    const auto add = [&](char32_t c) {
        if (Exportable(c)) in[c] = true;
    };
    switch (job.characters) {
        case ExportCharacters::List:
            for (size_t i = 0; i < s.LIST.size(); ++i) {
                if (!IsPictureItem(s, i) && IsOneCharacter(s.LIST[i])) {
                    add(FirstCharacter(s.LIST[i]));
                }
            }
            break;
        case ExportCharacters::Text: {
            // A surrogate pair is one character; a lone surrogate is none.
            const std::u16string_view text(job.text);
            for (size_t i = 0; i < text.size(); i += FirstCharacterUnits(text.substr(i))) {
                add(FirstCharacter(text.substr(i)));
            }
            break;
        }
        case ExportCharacters::CodeRange: {
            const CodeRectangle walk(s);
            for (int64_t i = 0; i < walk.Size(); ++i) {
                if (auto c = CodePageCharacter(walk.CodeAt(i), s.CODEPAGE)) add(*c);
            }
            break;
        }
        case ExportCharacters::Ranges:
            for (const CodeSpan& span : job.ranges) {
                for (char32_t c = span.first; c <= span.last && c <= kLastExportable; ++c) add(c);
            }
            break;
    }
    for (const char32_t c : job.added) {
        if (c <= kLastExportable) add(c);
    }
    std::vector<char32_t> set;
    for (char32_t c = 0; c <= kLastExportable; ++c) {
        if (in[c]) set.push_back(c);
    }
    return set;
}

std::variant<MessageArg, PreparedExport> PrepareExport(const ProjectSettings& s,
                                                       const ExportJob& job) {
    PreparedExport prepared;
    prepared.job = job;
    prepared.characters = ExportCharacterSet(s, job);
    GlyphRenderer renderer;
    if (auto why = Problem(renderer, s, job, prepared.characters)) return std::move(*why);
    return prepared;
}

std::optional<MessageArg> ExportJobProblem(const ProjectSettings& s, const ExportJob& job) {
    auto prepared = PrepareExport(s, job);
    if (auto* why = std::get_if<MessageArg>(&prepared)) return std::move(*why);
    return std::nullopt;
}

ExportResult RunJob(const ProjectSettings& s, const ExportJob& job, const JobContext& context) {
    auto prepared = PrepareExport(s, job);
    if (auto* why = std::get_if<MessageArg>(&prepared)) {
        // Refusals only come once the matrix has dots, as they always did.
        if (!HasDots(s)) {
            ExportResult none;
            none.outcome = JobOutcome::NoDots;
            return none;
        }
        if (!why->message.empty()) throw UserError(why->message.front());
        throw UserError(why->text);
    }
    return RunJob(s, std::get<PreparedExport>(prepared), context);
}

ExportResult RunJob(const ProjectSettings& s, const PreparedExport& prepared,
                    const JobContext& context) {
    const ExportJob& job = prepared.job;
    const std::vector<char32_t>& set = prepared.characters;
    ExportResult result;
    if (!HasDots(s)) {
        result.outcome = JobOutcome::NoDots;
        return result;
    }
    GlyphRenderer renderer(context.pictures);
    result.characters = set.size();
    if (job.characters == ExportCharacters::List) {
        for (size_t i = 0; i < s.LIST.size(); ++i) result.pictures += IsPictureItem(s, i) ? 1 : 0;
    }
    if (set.empty()) {
        result.outcome = JobOutcome::NoCharacters;
        return result;
    }
    if (context.progress != nullptr) {
        context.progress->SetRange(0, 100);
        context.progress->SetPosition(0);
    }
    CollectedGlyphs collected =
        CollectExportGlyphs(s, set, StyleOf(job), context.progress, context.stop, job.threads);
    if (collected.stopped) {
        result.outcome = JobOutcome::Stopped;
        return result;
    }
    result.glyphs = collected.glyphs.size();
    result.lacking = collected.lacking.size();
    for (size_t i = 0; i < result.lacking && i < kLackingNamed; ++i) {
        result.firstLacking += CharacterUtf16(collected.lacking[i]);
    }
    if (result.glyphs == 0) {
        result.outcome = JobOutcome::NoGlyphs;
        return result;
    }
    BitmapFont font;
    font.info = InfoOf(renderer, s, job);
    font.info.sources = std::move(collected.sources);
    font.glyphs = std::move(collected.glyphs);
    // A fixed cell has no use for kerning; neither has a format without a place for it.
    if (job.kerning && !job.monospace && ExportFormatRowOf(job.format).kerning) {
        std::vector<char32_t> drawn;
        drawn.reserve(font.glyphs.size());
        for (const ExportGlyph& g : font.glyphs) drawn.push_back(g.character);
        font.kerning = renderer.Fonts().Kerning(s.FONT, drawn);
        result.kerningPairs = font.kerning.size();
    }
    // Refused settings, empty sets and stops leave the target as it was; from here on it is
    // written whole or not at all.
    AtomicFileWriter file(job.target);
    FileSink sink(file);
    if (job.cArray) {
        CArraySink array(sink, font.info.name, ExportFormatRowOf(job.format).title);
        WriteBitmapFont(job.format, font, array);
        array.Finish();
    } else {
        WriteBitmapFont(job.format, font, sink);
    }
    file.Commit();
    result.bytes = file.Size();
    if (context.progress != nullptr) context.progress->SetPosition(0);
    return result;
}

std::string LackingCodes(const ExportResult& result) {
    std::string text;
    const std::u16string_view lacking(result.firstLacking);
    size_t named = 0;
    for (size_t i = 0; i < lacking.size(); i += FirstCharacterUnits(lacking.substr(i)), ++named) {
        text += (text.empty() ? "" : " ") + CharacterCode(FirstCharacter(lacking.substr(i)));
    }
    if (result.lacking > named) text += " ...";
    return text;
}

}  // namespace zemtra
