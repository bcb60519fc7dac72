// The jobs as both front ends call them: what each writes (whole, or nothing), the outcomes it
// reports instead of writing, and the decode jobs reading the other jobs' files back.
#include "jobs/jobs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/character_list.h"
#include "base/code_page.h"
#include "base/error.h"
#include "base/unicode.h"
#include "jobs/list_items.h"
#include "raster/glyph_renderer.h"
#include "raster/specimen.h"
#include "support/test_support.h"

namespace zemtra {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

// Stands for the PNG writer: every raster asked for, and a small text as the file's bytes.
class RecordingEncoder : public PngEncoder {
  public:
    std::string Encode(const RgbRaster& raster) const override {
        sizes.push_back({raster.width, raster.height});
        last = raster;
        return "raster " + std::to_string(raster.width) + "x" + std::to_string(raster.height);
    }
    mutable std::vector<std::pair<int32_t, int32_t>> sizes;
    mutable RgbRaster last;
};

// Reads every non-empty regular file as a 2 x 2 picture, lit at the top left.
class AnyFileDecoder : public PictureDecoder {
  public:
    std::optional<RgbRaster> Decode(const fs::path& file) const override {
        if (fs::file_size(file) == 0) return std::nullopt;
        RgbRaster r(2, 2);
        r.SetPixel(0, 0, kWhite);
        return r;
    }
};

class Jobs : public ::testing::Test {
  protected:
    Jobs() {
        ApplyNew(s, false);
        s.FONT.FaceName = u"Liberation Sans";
        s.BLOCKNUMX = u"12";
        s.BLOCKNUMY = u"14";
        DeriveFontSize(s);
        context.pictures = &decoder;
        context.png = &encoder;
    }
    void List(std::u16string_view text) { FillCharacterList(s, text, true); }
    DotMatrix Shown(std::u16string_view source) {
        const ShowResult r = RunJob(s, ShowJob{std::u16string(source)}, context);
        EXPECT_EQ(r.outcome, JobOutcome::Done);
        return r.matrix;
    }

    ProjectSettings s;
    AnyFileDecoder decoder;
    RecordingEncoder encoder;
    JobContext context;
    ScratchDir dir;
};

TEST_F(Jobs, ShowRendersOneItemOrSaysTheMatrixHoldsNoDot) {
    const DotMatrix a = Shown(u"A");
    EXPECT_EQ(a.Width(), 12);
    EXPECT_EQ(a.Height(), 14);
    EXPECT_NE(test::MatrixRows(a).find('#'), std::string::npos);
    s.BLOCKNUMY = u"0";
    EXPECT_EQ(RunJob(s, ShowJob{u"A"}, context).outcome, JobOutcome::NoDots);
}

TEST_F(Jobs, CSourceTextAndFilesInBothEncodingsHoldTheSameSource) {
    List(u"AB中");
    const CSourceResult text = RunJob(s, CSourceJob{}, context);
    ASSERT_EQ(text.outcome, JobOutcome::Done);
    EXPECT_NE(text.text.find(u"fontlib_12x14"), std::u16string::npos);
    EXPECT_NE(text.text.find(u"// '中', 2"), std::u16string::npos);

    CSourceJob file{CSourceTarget::File, dir / "font.c", TextEncoding::Utf8};
    EXPECT_EQ(RunJob(s, file, context).outcome, JobOutcome::Done);
    EXPECT_EQ(ReadBytes(dir / "font.c"), Utf16ToUtf8(text.text));
    file.encoding = TextEncoding::Utf16LeWithMark;
    RunJob(s, file, context);
    EXPECT_EQ(ReadBytes(dir / "font.c"), Utf16LeWithMark(text.text));
    EXPECT_TRUE(RunJob(s, file, context).text.empty());  // a file target keeps no text
}

TEST_F(Jobs, CSourceWritesNothingForAnEmptyListNoDotsOrAnUnreadablePicture) {
    const CSourceJob file{CSourceTarget::File, dir / "font.c", TextEncoding::Utf8};
    EXPECT_EQ(RunJob(s, file, context).outcome, JobOutcome::EmptyList);
    List(u"A");
    s.BLOCKNUMX = u"0";
    EXPECT_EQ(RunJob(s, file, context).outcome, JobOutcome::NoDots);
    EXPECT_FALSE(fs::exists(dir / "font.c"));

    s.BLOCKNUMX = u"12";
    WriteBytes(dir / "font.c", "old");
    AppendPictureItem(s, Utf8ToUtf16((dir / "gone.png").string()));
    try {
        RunJob(s, file, context);
        FAIL() << "a picture item that cannot be read must stop the job";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("item 2"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadBytes(dir / "font.c"), "old");
    // Into a folder that does not exist: an error, and no file anywhere.
    fs::remove(dir / "font.c");
    s.PIC.pop_back();
    s.LIST.pop_back();
    EXPECT_THROW(
        RunJob(s, CSourceJob{CSourceTarget::File, dir / "no" / "font.c", TextEncoding::Utf8},
               context),
        UserError);
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST_F(Jobs, LibraryRefusesOrWritesAnEmptyRangeAsTheDescriptionSays) {
    s.CODEPAGE = 2;
    s.FROM = 0xB1A1;
    s.TO = 0xB0FE;
    LibraryJob job{dir / "lib.dzk", true, 1, std::nullopt, "", false};
    LibraryJobResult r = RunJob(s, job, context);
    EXPECT_EQ(r.outcome, JobOutcome::EmptyCodeRange);
    ASSERT_TRUE(r.emptyRange);
    EXPECT_FALSE(fs::exists(job.target));

    job.refuseEmptyRange = false;  // the window's way: the empty file, and why
    WriteBytes(job.target, "old records");
    r = RunJob(s, job, context);
    EXPECT_EQ(r.outcome, JobOutcome::Done);
    EXPECT_TRUE(r.emptyRange);
    EXPECT_EQ(ReadBytes(job.target), "");
}

TEST_F(Jobs, LibraryChecksEverythingBeforeTouchingTheTarget) {
    s.CODEPAGE = 0;
    s.FROM = 0x0041;
    s.TO = 0x0043;
    const LibraryJob job{dir / "lib.dzk", false, 1, std::nullopt, "", false};
    WriteBytes(job.target, "old records");
    s.BLOCKNUMX = u"0";
    EXPECT_EQ(RunJob(s, job, context).outcome, JobOutcome::NoDots);
    s.BLOCKNUMX = u"12";
    s.ORIENT = -1;  // no scan mode
    EXPECT_THROW(RunJob(s, job, context), UserError);
    s.ORIENT = 0;
    s.FONT.Height = kMaxFontSize + 1;
    EXPECT_THROW(RunJob(s, job, context), UserError);
    EXPECT_EQ(ReadBytes(job.target), "old records");

    s.FONT.Height = 14;
    EXPECT_THROW(
        RunJob(s, LibraryJob{dir / "no" / "lib.dzk", false, 0, std::nullopt, "", false}, context),
        CannotCreateFile);
    const LibraryJobResult r = RunJob(s, job, context);
    EXPECT_EQ(r.outcome, JobOutcome::Done);
    EXPECT_EQ(r.codes, 3);
    EXPECT_EQ(r.counts.recordsWritten, 3);
    EXPECT_EQ(ReadBytes(job.target).size(), 3u * 14 * 2);  // 12 dots a row: 2 bytes
}

TEST_F(Jobs, LibraryStoppedBeforeItsFirstCodeKeepsAnEmptyFile) {
    s.FROM = 0x4E00;
    s.TO = 0x4EFF;
    StopFlag stop;
    stop.Request();
    context.stop = &stop;
    const LibraryJobResult r =
        RunJob(s, LibraryJob{dir / "lib.dzk", false, 0, std::nullopt, "", false}, context);
    EXPECT_EQ(r.outcome, JobOutcome::Stopped);
    EXPECT_EQ(r.counts.recordsWritten, 0);
    EXPECT_EQ(ReadBytes(dir / "lib.dzk"), "");
}

TEST_F(Jobs, SpecimenTakesTheListOrTheRangeAsDescribed) {
    s.FROM = 0x0041;
    s.TO = 0x0044;
    SpecimenJob job{SpecimenGlyphs::ListElseCodeRange, dir / "sheet.png"};
    SpecimenResult r = RunJob(s, job, context);  // an empty list: the range
    EXPECT_EQ(r.outcome, JobOutcome::Done);
    EXPECT_FALSE(r.ofList);
    EXPECT_EQ(r.glyphs, 4u);
    List(u"AB");
    r = RunJob(s, job, context);
    EXPECT_TRUE(r.ofList);
    EXPECT_EQ(r.glyphs, 2u);
    EXPECT_EQ(r.pages, 1u);
    EXPECT_EQ(r.firstPage, job.target);
    EXPECT_EQ(ReadBytes(job.target), "raster " + std::to_string(encoder.sizes.back().first) + "x" +
                                         std::to_string(encoder.sizes.back().second));
    job.glyphs = SpecimenGlyphs::CodeRange;
    EXPECT_EQ(RunJob(s, job, context).glyphs, 4u);

    s.LIST.clear();
    s.PIC.clear();
    job.glyphs = SpecimenGlyphs::List;
    EXPECT_EQ(RunJob(s, job, context).outcome, JobOutcome::EmptyList);
    job.glyphs = SpecimenGlyphs::CodeRange;
    s.TO = 0x0040;
    EXPECT_EQ(RunJob(s, job, context).outcome, JobOutcome::EmptyCodeRange);
}

TEST_F(Jobs, SpecimenPagesAreNumberedAndAStopWritesNone) {
    s.BLOCKNUMX = s.BLOCKNUMY = u"4";
    s.FROM = 0x0000;
    s.TO = 0x01FF;  // 512 codes: two pages
    const SpecimenJob job{SpecimenGlyphs::CodeRange, dir / "sheet.png"};
    const SpecimenResult r = RunJob(s, job, context);
    EXPECT_EQ(r.pages, 2u);
    EXPECT_EQ(r.firstPage, dir / "sheet-001.png");
    EXPECT_EQ(r.lastPage, dir / "sheet-002.png");
    EXPECT_TRUE(fs::exists(r.firstPage));
    EXPECT_TRUE(fs::exists(r.lastPage));
    EXPECT_FALSE(fs::exists(job.target));

    StopFlag stop;
    stop.Request();
    context.stop = &stop;
    const SpecimenJob other{SpecimenGlyphs::CodeRange, dir / "stopped.png"};
    EXPECT_EQ(RunJob(s, other, context).outcome, JobOutcome::Stopped);
    EXPECT_FALSE(fs::exists(dir / "stopped-001.png"));
}

TEST_F(Jobs, DecodeReadsTheCSourceJobsFileBackToTheShownGlyphs) {
    s.ORIENT = 3;  // Column/Row, Backward, Anode, 16 bits: every field matters
    s.DIRECT = 1;
    s.FORMAT = 1;
    s.DATABIT = 1;
    List(u"Ag");
    RunJob(s, CSourceJob{CSourceTarget::File, dir / "font.c", TextEncoding::Utf16LeWithMark},
           context);
    DecodeCSourceJob job;
    job.file = dir / "font.c";
    DecodeResult r = RunJob(s, job, context);
    ASSERT_EQ(r.glyphs.size(), 2u);
    EXPECT_EQ(r.glyphs[0], Shown(u"A"));
    EXPECT_EQ(r.glyphs[1], Shown(u"g"));

    job.character = u"g";
    r = RunJob(s, job, context);
    ASSERT_EQ(r.glyphs.size(), 1u);
    EXPECT_EQ(r.glyphs[0], Shown(u"g"));
    job.character.reset();
    job.index = 5;
    EXPECT_EQ(RunJob(s, job, context).outcome, JobOutcome::NoSuchGlyph);
    job.index.reset();
    job.png = dir / "glyph.png";
    EXPECT_EQ(RunJob(s, job, context).outcome, JobOutcome::NotOneGlyph);
    EXPECT_FALSE(fs::exists(job.png));
    job.index = 0;
    EXPECT_EQ(RunJob(s, job, context).outcome, JobOutcome::Done);
    EXPECT_EQ(encoder.sizes.back(), (std::pair<int32_t, int32_t>{12 * 9 + 1, 14 * 9 + 1}));
}

TEST_F(Jobs, DecodeReadsTheLibraryJobsRecordsBack) {
    s.CODEPAGE = 3;  // GBK places records by slot
    s.FROM = 0xB0A1;
    s.TO = 0xB1A3;
    s.DATABIT = 4;
    ASSERT_EQ(
        RunJob(s, LibraryJob{dir / "lib.dzk", false, 0, std::nullopt, "", false}, context).outcome,
        JobOutcome::Done);
    for (const uint16_t code : {uint16_t{0xB0A1}, uint16_t{0xB0A3}, uint16_t{0xB1A2}}) {
        const DecodeResult r = RunJob(s, DecodeLibraryJob{dir / "lib.dzk", code, {}}, context);
        ASSERT_EQ(r.glyphs.size(), 1u);
        const std::string bytes{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
        EXPECT_EQ(r.glyphs[0], Shown(MultiByteToWide(936, bytes))) << std::hex << code;
    }
}

TEST_F(Jobs, ScanOrderDrawsTheModeOrSaysThereIsNone) {
    s.BLOCKNUMX = u"10";
    s.BLOCKNUMY = u"6";
    ScanOrderJob job{dir / "order.png", 4};
    EXPECT_EQ(RunJob(s, job, context).outcome, JobOutcome::Done);
    EXPECT_EQ(encoder.sizes.back(), (std::pair<int32_t, int32_t>{10 * 5 + 1, 6 * 5 + 1}));
    EXPECT_TRUE(fs::exists(job.png));
    s.DIRECT = -1;
    job.png = dir / "none.png";
    EXPECT_EQ(RunJob(s, job, context).outcome, JobOutcome::NoScanMode);
    EXPECT_FALSE(fs::exists(job.png));
}

TEST_F(Jobs, PictureItemsNeedAStorablePathFirstAndThenAReadableFile) {
    List(u"A");
    // A path the project file cannot keep is refused before the file is even looked at.
    const fs::path bar = dir / "a|b.png";
    const auto unstorable = AddPictureItem(s, decoder, Utf8ToUtf16(bar.string()));
    ASSERT_TRUE(unstorable);
    EXPECT_TRUE(unstorable->pathUnstorable);
    const auto missing = AddPictureItem(s, decoder, Utf8ToUtf16((dir / "gone.png").string()));
    ASSERT_TRUE(missing);
    EXPECT_FALSE(missing->pathUnstorable);
    EXPECT_EQ(EnglishUtf8(missing->reason), "no such file");
    WriteBytes(dir / "empty.png", "");
    EXPECT_TRUE(AddPictureItem(s, decoder, Utf8ToUtf16((dir / "empty.png").string())));
    EXPECT_EQ(s.LIST.size(), 1u);  // nothing was added

    WriteBytes(dir / "pic.png", "pixels");
    const std::u16string path = Utf8ToUtf16((dir / "pic.png").string());
    EXPECT_FALSE(AddPictureItem(s, decoder, path));
    ASSERT_EQ(s.LIST.size(), 2u);
    EXPECT_EQ(s.LIST[1], kPictureItem);
    EXPECT_EQ(s.PIC[1], path);
    // The job renders the decoded picture: its top-left quarter lit.
    const DotMatrix picture = Shown(path);
    EXPECT_TRUE(picture.Lit(0, 0));
    EXPECT_FALSE(picture.Lit(11, 13));
}

// Jobs with a hand-edited "A" at the project's 12 x 14 matrix (and a "B" at another size, which
// must change nothing): each writer's output, read back by the independent readers, holds the
// edit where the font's glyph stood, and the unedited characters as before.
class EditedJobs : public Jobs {
  protected:
    EditedJobs() {
        for (int i = 0; i < 12; ++i) edit.Set(i, i, true);
        edit.Set(11, 0, true);
        edited = s;
        edited.GLYPHS.Set(u'A', edit);
        edited.GLYPHS.Set(u'B', GlyphDots(8, 8));
        fontA = Shown(u"A");
        fontB = Shown(u"B");
    }
    GlyphDots edit{12, 14};
    ProjectSettings edited;
    DotMatrix fontA, fontB;
};

TEST_F(EditedJobs, ShowGivesTheEditAtItsSizeOnly) {
    std::swap(s, edited);
    EXPECT_EQ(Shown(u"A"), edit.ToMatrix());
    EXPECT_EQ(Shown(u"B"), fontB);
    s.BLOCKNUMX = u"13";
    EXPECT_NE(Shown(u"A").Width(), 12);
    std::swap(s, edited);
    EXPECT_EQ(Shown(u"A"), fontA);
    EXPECT_NE(fontA, edit.ToMatrix());
}

TEST_F(EditedJobs, CSourceHoldsTheEditForEveryItemOfTheCharacterButNotForPictures) {
    s.DATABIT = 1;  // 16-bit words in Column/Row: the packing must place every dot
    s.ORIENT = 3;
    edited.DATABIT = 1;
    edited.ORIENT = 3;
    FillCharacterList(edited, u"ABA", true);
    const auto picture = Utf8ToUtf16((dir / "pic.png").string());
    WriteBytes(dir / "pic.png", "any");
    ASSERT_FALSE(AddPictureItem(edited, decoder, picture).has_value());
    edited.GLYPHS.Set(u'☆', GlyphDots(12, 14));  // the picture mark: a picture stays a picture
    const CSourceJob file{CSourceTarget::File, dir / "font.c", TextEncoding::Utf8};
    ASSERT_EQ(RunJob(edited, file, context).outcome, JobOutcome::Done);
    DecodeCSourceJob read;
    read.file = dir / "font.c";
    const DecodeResult r = RunJob(edited, read, context);
    ASSERT_EQ(r.glyphs.size(), 4u);
    EXPECT_EQ(r.glyphs[0], edit.ToMatrix());
    EXPECT_EQ(r.glyphs[1], fontB);
    EXPECT_EQ(r.glyphs[2], edit.ToMatrix());
    EXPECT_EQ(r.glyphs[3], Shown(picture));
    EXPECT_EQ(test::MatrixRows(r.glyphs[3]).find('#'), 0u) << "the picture's lit corner";

    // Without the edit the same list gives the font's "A" again.
    edited.GLYPHS.Clear();
    RunJob(edited, file, context);
    EXPECT_EQ(RunJob(edited, read, context).glyphs[0], fontA);
}

TEST_F(EditedJobs, LibraryRecordsTheEditInItsCodesRecord) {
    for (ProjectSettings* p : {&s, &edited}) {
        p->FROM = 0x0040;
        p->TO = 0x0043;
        p->DIRECT = 1;  // backward, anode: bits reversed and inverted
        p->FORMAT = 1;
    }
    ASSERT_EQ(
        RunJob(edited, LibraryJob{dir / "edited.dzk", false, 0, std::nullopt, "", false}, context)
            .outcome,
        JobOutcome::Done);
    ASSERT_EQ(
        RunJob(s, LibraryJob{dir / "font.dzk", false, 0, std::nullopt, "", false}, context).outcome,
        JobOutcome::Done);
    const auto record = [&](const char* file, uint16_t code) {
        const DecodeResult r = RunJob(s, DecodeLibraryJob{dir / file, code, {}}, context);
        return r.glyphs.at(0);
    };
    EXPECT_EQ(record("edited.dzk", 0x41), edit.ToMatrix());
    EXPECT_EQ(record("font.dzk", 0x41), fontA);
    EXPECT_EQ(record("edited.dzk", 0x42), fontB);
    EXPECT_EQ(record("edited.dzk", 0x43), record("font.dzk", 0x43));
    // Only A's record differs between the two files.
    const std::string a = ReadBytes(dir / "edited.dzk"), b = ReadBytes(dir / "font.dzk");
    ASSERT_EQ(a.size(), b.size());
    const size_t r = a.size() / 4;
    EXPECT_EQ(a.substr(0, r), b.substr(0, r));
    EXPECT_NE(a.substr(r, r), b.substr(r, r));
    EXPECT_EQ(a.substr(2 * r), b.substr(2 * r));
}

TEST_F(EditedJobs, SpecimenSheetsShowTheEdit) {
    FillCharacterList(edited, u"AB", true);
    GlyphRenderer renderer;
    const std::vector<SpecimenGlyph> list = SpecimenGlyphsOfList(edited, renderer);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].matrix, edit.ToMatrix());
    EXPECT_EQ(list[1].matrix, fontB);
    edited.FROM = 0x0041;
    edited.TO = 0x0041;
    EXPECT_EQ(SpecimenGlyphsOfRange(edited, renderer).at(0).matrix, edit.ToMatrix());

    // The job's page is the page of those glyphs.
    ASSERT_EQ(RunJob(edited, SpecimenJob{SpecimenGlyphs::List, dir / "sheet.png"}, context).outcome,
              JobOutcome::Done);
    const RgbRaster expected =
        SpecimenPage({{edit.ToMatrix(), u"0041"}, {fontB, u"0042"}}, renderer.Fonts());
    EXPECT_EQ(encoder.last.pixels, expected.pixels);
    FillCharacterList(s, u"AB", true);
    RunJob(s, SpecimenJob{SpecimenGlyphs::List, dir / "font.png"}, context);
    EXPECT_NE(encoder.last.pixels, expected.pixels);
}

}  // namespace
}  // namespace zemtra
