// Reading generated text back in the Output View ("Verify" on the line under the caret, in the
// main window's scan mode), and "Specimen Sheet..." writing the list's or the range's pages.
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include "base/unicode.h"
#include "gui/gui_test_support.h"
#include "output/c_source_writer.h"
#include "output/qt/output_dialog.h"
#include "raster/glyph_renderer.h"
#include "raster/qt/qimage_picture_decoder.h"
#include "raster/qt/qimage_png_encoder.h"
#include "raster/specimen.h"
#include "ui/dialog_template.h"

namespace zemtra::test {
namespace {

class VerifyAndSpecimen : public ::testing::Test {
  protected:
    void Pick(int id, int index) {
        auto* combo = Ctl<QComboBox>(dialog, id);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    DotMatrix Rendered(std::u16string_view character) {
        GlyphRenderer renderer;
        DotMatrix m;
        renderer.RenderDotMatrix(dialog.Settings(), character, &m);
        return m;
    }
    // The Output View on the C source of text, written with the window's settings.
    std::unique_ptr<COutputDlg> OpenView(std::u16string_view text) {
        GlyphRenderer renderer;
        RendererGlyphSource glyphs(renderer, dialog.Settings());
        StringTextWriter out;
        EXPECT_TRUE(WriteCSource(dialog.Settings(), text, glyphs, out));
        WriteBytes(home / "out.dat", Utf16LeWithMark(out.Text()));
        auto view = std::make_unique<COutputDlg>(dialog.Language(), ScanModeOf(dialog.Settings()),
                                                 answers.Make(), home / "out.dat");
        view->show();
        EXPECT_TRUE(ProcessUntil([&] { return view->Loaded(); }));
        return view;
    }
    // Puts the caret on the first line holding needle and presses Verify.
    void VerifyAt(COutputDlg& view, const QString& needle) {
        QPlainTextEdit* text = view.TextBox();
        const QTextBlock block = text->document()->find(needle).block();
        ASSERT_TRUE(block.isValid()) << needle.toStdString();
        QTextCursor caret(block);
        caret.movePosition(QTextCursor::EndOfBlock);
        text->setTextCursor(caret);
        qobject_cast<QPushButton*>(view.Control(kVerifyButtonId))->click();
    }

    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog{answers.Make()};
};

TEST_F(VerifyAndSpecimen, VerifyDecodesTheGlyphUnderTheCaret) {
    Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("12");
    Ctl<QLineEdit>(dialog, kMatrixHeightId)->setText("20");
    // Column/Row, Backward, Anode, 16bit: the unpacking has to follow every field.
    for (auto [id, index] :
         {std::pair{kOrientationId, 3}, {kDirectionId, 1}, {kPolarityId, 1}, {kDataBitsId, 1}})
        Pick(id, index);
    const DotMatrix a = Rendered(u"A");
    const DotMatrix g = Rendered(u"g");
    ASSERT_NE(a, g);
    auto view = OpenView(u"Ag");

    VerifyAt(*view, "// 'g'");
    ASSERT_TRUE(view->VerifiedGlyph().has_value());
    EXPECT_EQ(*view->VerifiedGlyph(), g);
    const auto* picture = qobject_cast<QLabel*>(view->Control(kVerifyPictureId));
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_TRUE(
        qobject_cast<QLabel*>(view->Control(kVerifyCaptionId))->text().startsWith("'g', 1"));
    VerifyAt(*view, "0x");  // the first words line belongs to 'A'
    EXPECT_EQ(*view->VerifiedGlyph(), a);
    EXPECT_TRUE(answers.messages.empty());

    VerifyAt(*view, "//DataBits");  // not a glyph: said so, the shown glyph stays
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(*view->VerifiedGlyph(), a);
    // Another scan mode needs another word count; an edited text that no longer parses.
    view->SetScanMode(ScanMode{});
    VerifyAt(*view, "// 'g'");
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_TRUE(answers.messages[1].text.contains("words"))
        << answers.messages[1].text.toStdString();
    view->TextBox()->setPlainText(view->TextBox()->toPlainText().replace("fontlib_", "table_"));
    VerifyAt(*view, "// 'g'");
    ASSERT_EQ(answers.messages.size(), 3u);
    EXPECT_TRUE(answers.messages[2].text.contains("not a C source written by Zemtra"));
}

TEST_F(VerifyAndSpecimen, SpecimenSheetOfTheListOrElseTheCodeRange) {
    dialog.FillCharacterList(u"AB中", true);
    answers.saveNames.push_back(QString::fromStdString((home / "list.png").string()));
    FindCommand(dialog.MenuBar(), kCmdSpecimen)->trigger();
    ASSERT_TRUE(ProcessUntil([&] { return !dialog.Jobs().Running(); }));
    EXPECT_EQ(answers.saveRequests.back().defaultSuffix, "png");
    // It ends in the status line: glyphs, pages, bytes, time and where.
    EXPECT_TRUE(answers.messages.empty());
    const auto listBytes = std::filesystem::file_size(home / "list.png");
    EXPECT_TRUE(dialog.StatusText().startsWith(
        QStringLiteral("Specimen sheet: 3 glyphs on 1 page, %1 bytes, in ").arg(listBytes)))
        << dialog.StatusText().toStdString();
    EXPECT_TRUE(dialog.StatusText().endsWith("list.png"));
    EXPECT_FALSE(QImage(QString::fromStdString((home / "list.png").string())).isNull());

    // An empty list: the code range, two pages of 256.
    dialog.FillCharacterList(u"", true);
    Ctl<QLineEdit>(dialog, kFromId)->setText("0000");
    Ctl<QLineEdit>(dialog, kToId)->setText("01FF");
    answers.saveNames.push_back(QString::fromStdString((home / "range.png").string()));
    FindCommand(dialog.MenuBar(), kCmdSpecimen)->trigger();
    EXPECT_FALSE(dialog.Control(kFontButtonId)->isEnabled());  // locked out while it runs
    ASSERT_TRUE(ProcessUntil([&] { return !dialog.Jobs().Running(); }));
    EXPECT_TRUE(dialog.Control(kFontButtonId)->isEnabled());
    EXPECT_TRUE(answers.messages.empty());
    EXPECT_TRUE(dialog.StatusText().startsWith("Specimen sheet: 512 glyphs on 2 pages"))
        << dialog.StatusText().toStdString();
    EXPECT_TRUE(dialog.StatusText().endsWith("range-002.png"));
    EXPECT_FALSE(std::filesystem::exists(home / "range.png"));
    // The second page is the one the core lays out for codes 0100..01FF.
    GlyphRenderer renderer(&DefaultPictureDecoder());
    ProjectSettings second = dialog.Settings();
    second.FROM = 0x0100;
    EXPECT_EQ(ReadBytes(home / "range-002.png"),
              DefaultPngEncoder().Encode(
                  SpecimenPage(SpecimenGlyphsOfRange(second, renderer), renderer.Fonts())));
    EXPECT_TRUE(std::filesystem::exists(home / "range-001.png"));

    Ctl<QLineEdit>(dialog, kMatrixWidthId)
        ->setText("0");  // nothing to draw: said so, nothing asked
    FindCommand(dialog.MenuBar(), kCmdSpecimen)->trigger();
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].text, "The matrix is 0 x 16 dots: it must be at least 1 x 1.");
    EXPECT_EQ(answers.saveRequests.size(), 2u);

    // Closing the window stops a run of the whole range at once, quietly.
    Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("16");
    Ctl<QLineEdit>(dialog, kToId)->setText("FFFF");
    answers.saveNames.push_back(QString::fromStdString((home / "all.png").string()));
    FindCommand(dialog.MenuBar(), kCmdSpecimen)->trigger();
    ASSERT_TRUE(dialog.Jobs().Running());
    QElapsedTimer clock;
    clock.start();
    dialog.done(0);
    EXPECT_FALSE(dialog.Jobs().Running());
    EXPECT_LT(clock.elapsed(), 3000);  // the whole range takes about ten seconds
    EXPECT_EQ(answers.messages.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(home / "all-001.png"));
}

}  // namespace
}  // namespace zemtra::test
