// "Export..." driven through the window: the export dialog's controls and their rules, the file
// dialog, the worker with the progress bar, the message at the end, stopping through the same
// command, and the dialog speaking the window's language.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>

#include "gui/gui_test_support.h"
#include "output/font_export.h"
#include "output/qt/export_dialog.h"
#include "raster/glyph_renderer.h"
#include "support/font_readers.h"

namespace zemtra::test {
namespace {

class GuiExport : public ::testing::Test {
  protected:
    void SetUp() override {
        Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("16");
        Ctl<QLineEdit>(dialog, kMatrixHeightId)->setText("16");
    }
    void AddCharacters(const QString& text) {
        Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText(text);
        Ctl<QPushButton>(dialog, kIdOk)->click();
    }
    QAction* ExportCommand() { return FindCommand(dialog.MenuBar(), kCmdExport); }
    // Chooses "Export...", and in the dialog that opens lets set() fill the controls and
    // presses OK (or Cancel).
    void Export(std::function<void(CExportDlg*)> set, bool ok = true) {
        WhenShown<CExportDlg>([set, ok](CExportDlg* d) {
            set(d);
            qobject_cast<QPushButton*>(d->Control(ok ? kIdOk : kIdCancel))->click();
        });
        ExportCommand()->trigger();
    }
    bool WaitForEnd() {
        return ProcessUntil([this] { return !dialog.Jobs().Running(); });
    }
    static void Pick(CExportDlg* d, int id, int index) {
        qobject_cast<QComboBox*>(d->Control(id))->setCurrentIndex(index);
    }

    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog{answers.Make()};
    ScratchDir dir;
};

TEST_F(GuiExport, TheListBecomesAnLvglFontThroughDialogFileAndWorker) {
    AddCharacters(QString::fromUtf8("AB中\uFFFF"));
    answers.saveNames.push_back(QString::fromStdString((dir / "font.c").string()));
    Export([](CExportDlg* d) {
        Pick(d, kExportFormatId, 0);  // LVGL
        Pick(d, kExportBppId, 2);     // 4 bits
        qobject_cast<QCheckBox*>(d->Control(kExportCompressId))->setChecked(true);
        qobject_cast<QLineEdit*>(d->Control(kExportNameId))->setText("gui_font");
    });
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(answers.saveRequests.size(), 1u);
    EXPECT_EQ(answers.saveRequests[0].defaultSuffix, "c");
    // A done export says so in the status line: glyphs, bytes, time, file, what was left out.
    EXPECT_TRUE(answers.messages.empty());
    const QString status = dialog.StatusText();
    EXPECT_TRUE(status.startsWith("Export: 3 glyphs, ")) << status.toStdString();
    EXPECT_TRUE(status.contains(QString::fromStdString((dir / "font.c").string())));
    EXPECT_TRUE(
        status.contains(QString::number(std::filesystem::file_size(dir / "font.c")) + " bytes"));
    EXPECT_TRUE(
        status.endsWith("left out 1 characters that neither the face nor a linked face "
                        "has: U+FFFF"))
        << status.toStdString();
    EXPECT_EQ(dialog.Jobs().ProgressBar().position, 0);

    const ReadFont f = ReadLvglFont(dir / "font.c", "gui_font");
    ASSERT_TRUE(f.ok) << f.error;
    EXPECT_EQ(f.bpp, 4);
    EXPECT_EQ(f.bitmapFormat, 1);
    ASSERT_EQ(f.glyphs.size(), 3u);
    // The glyph is what the renderer makes of the window's settings.
    GlyphRenderer renderer;
    DotMatrix coverage;
    renderer.RenderCoverage(dialog.Settings(), u'中', coverage);
    std::vector<int> want = MatrixLevels(coverage);
    for (int& v : want) v = (2 * v * 15 + 255) / 510;
    EXPECT_EQ(OnWindow(f.glyphs.at(U'中'), 16, 16, dialog.Settings().OFFSETX, f.baselineRow), want);
    // The dialog remembers the last choice.
    WhenShown<CExportDlg>([](CExportDlg* d) {
        EXPECT_EQ(d->Choice().name, "gui_font");
        EXPECT_EQ(d->Choice().bpp, 4);
        qobject_cast<QPushButton*>(d->Control(kIdCancel))->click();
    });
    ExportCommand()->trigger();
    EXPECT_EQ(answers.saveRequests.size(), 1u);  // cancelled: no file asked for
}

TEST_F(GuiExport, TheCodeRangeBecomesABdfFont) {
    Ctl<QComboBox>(dialog, kCodePageId)->setCurrentIndex(0);  // UNICODE
    Ctl<QLineEdit>(dialog, kFromId)->setText("0041");
    Ctl<QLineEdit>(dialog, kToId)->setText("005A");
    answers.saveNames.push_back(QString::fromStdString((dir / "az.bdf").string()));
    Export([](CExportDlg* d) {
        Pick(d, kExportFormatId, 2);  // BDF
        Pick(d, kExportCharactersId, 1);
    });
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(answers.saveRequests.at(0).defaultSuffix, "bdf");
    const std::string bdf = ReadBytes(dir / "az.bdf");
    EXPECT_NE(bdf.find("CHARS 26\n"), std::string::npos);
    EXPECT_NE(bdf.find("ENCODING 90\n"), std::string::npos);
}

TEST_F(GuiExport, TheDialogOffersOnlyWhatTheFormatTakes) {
    AddCharacters("AB");
    bool checked = false;
    Export(
        [&checked](CExportDlg* d) {
            auto* bpp = qobject_cast<QComboBox*>(d->Control(kExportBppId));
            auto* compress = qobject_cast<QCheckBox*>(d->Control(kExportCompressId));
            auto* name = qobject_cast<QLineEdit*>(d->Control(kExportNameId));
            // The list's count is in the characters' first choice.
            EXPECT_EQ(qobject_cast<QComboBox*>(d->Control(kExportCharactersId))->itemText(0),
                      "The character list (2)");
            Pick(d, kExportFormatId, 0);
            Pick(d, kExportBppId, 0);
            EXPECT_TRUE(bpp->isEnabled());
            EXPECT_FALSE(compress->isEnabled());  // one bit: nothing to compress
            Pick(d, kExportBppId, 1);
            EXPECT_TRUE(compress->isEnabled());
            compress->setChecked(true);
            Pick(d, kExportBppId, 3);  // 8 bits: LVGL cannot decompress them
            EXPECT_FALSE(compress->isEnabled());
            EXPECT_FALSE(compress->isChecked());
            Pick(d, kExportFormatId, 2);  // BDF: one bit, no name
            EXPECT_FALSE(bpp->isEnabled());
            EXPECT_EQ(d->Choice().bpp, 1);
            EXPECT_FALSE(name->isEnabled());
            Pick(d, kExportFormatId, 1);  // Adafruit GFX: one bit, a name
            EXPECT_FALSE(bpp->isEnabled());
            EXPECT_TRUE(name->isEnabled());
            checked = true;
        },
        false);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(answers.saveRequests.empty());
    EXPECT_FALSE(dialog.Jobs().Running());
}

TEST_F(GuiExport, ABadNameKeepsTheDialogOpenAndAGfxCodeAbove255IsRefused) {
    AddCharacters(QString::fromUtf8("A中"));
    bool sawWarning = false;
    WhenShown<CExportDlg>([this, &sawWarning](CExportDlg* d) {
        Pick(d, kExportFormatId, 1);
        auto* name = qobject_cast<QLineEdit*>(d->Control(kExportNameId));
        name->setText("9lives");
        qobject_cast<QPushButton*>(d->Control(kIdOk))->click();
        sawWarning = d->isVisible() && answers.messages.size() == 1 &&
                     answers.messages[0].text.contains("\"9lives\" is not a C identifier");
        name->setText("Lives9");
        qobject_cast<QPushButton*>(d->Control(kIdOk))->click();
    });
    ExportCommand()->trigger();
    EXPECT_TRUE(sawWarning);
    // The list holds 中: an Adafruit GFX font cannot, and no file is asked for.
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_TRUE(answers.messages[1].text.contains("0x00..0xFF"))
        << answers.messages[1].text.toStdString();
    EXPECT_TRUE(answers.saveRequests.empty());
    EXPECT_FALSE(dialog.Jobs().Running());
}

TEST_F(GuiExport, TheCommandStopsARunningExportAndNothingIsWritten) {
    Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("96");
    Ctl<QLineEdit>(dialog, kMatrixHeightId)->setText("96");
    Ctl<QComboBox>(dialog, kCodePageId)->setCurrentIndex(0);
    Ctl<QLineEdit>(dialog, kFromId)->setText("4E00");
    Ctl<QLineEdit>(dialog, kToId)->setText("9FFF");
    const std::filesystem::path target = dir / "cjk.c";
    answers.saveNames.push_back(QString::fromStdString(target.string()));
    const QString caption = ExportCommand()->text();
    Export([](CExportDlg* d) {
        Pick(d, kExportBppId, 3);
        Pick(d, kExportCharactersId, 1);
    });
    ASSERT_TRUE(dialog.Jobs().Running());
    EXPECT_TRUE(dialog.Jobs().Exporting());
    EXPECT_EQ(ExportCommand()->text(), "Stop Export");
    EXPECT_FALSE(Ctl<QPushButton>(dialog, kCreateListId)->isEnabled());
    ASSERT_TRUE(ProcessUntil([this] { return dialog.Jobs().ProgressBar().position > 0; }));
    ExportCommand()->trigger();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_FALSE(dialog.Jobs().Exporting());
    EXPECT_EQ(ExportCommand()->text(), caption);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].text, "Export stopped. Nothing was written.");
    EXPECT_EQ(dialog.StatusText(), "Export stopped. Nothing was written.");
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 0);
    EXPECT_TRUE(Ctl<QPushButton>(dialog, kCreateListId)->isEnabled());
}

TEST_F(GuiExport, TheDialogSpeaksTheWindowsLanguage) {
    dialog.ApplyLanguage(u"简体中文");
    EXPECT_EQ(ExportCommand()->text(), QString::fromUtf8("导出字体(&X)..."));
    QString title, format, fromRange;
    Export(
        [&](CExportDlg* d) {
            title = d->windowTitle();
            format = qobject_cast<QLabel*>(d->Control(kExportFormatLabelId))->text();
            fromRange = qobject_cast<QComboBox*>(d->Control(kExportCharactersId))->itemText(1);
        },
        false);
    EXPECT_EQ(title, QString::fromUtf8("导出字体"));
    EXPECT_EQ(format, QString::fromUtf8("格式:"));
    EXPECT_EQ(fromRange, QString::fromUtf8("编码范围 (起始..结束)"));
    // The core's refusal, in the same language: 中 has no place in an Adafruit GFX font.
    AddCharacters(QString::fromUtf8("中"));
    answers.messages.clear();
    Export([](CExportDlg* d) { Pick(d, kExportFormatId, 1); }, true);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(
        answers.messages[0].text,
        QString::fromUtf8("Adafruit GFX 字体只能容纳编码 0x00..0xFF; U+4E2D 超出了这个范围。"));
    EXPECT_TRUE(answers.saveRequests.empty());
}

}  // namespace
}  // namespace zemtra::test

namespace zemtra::test {
namespace {

std::unique_ptr<FontExportWriter> FakeWriter(const ExportFontInfo& info, ByteSink& out) {
    return MakeFontExportWriter(ExportFormat::Bdf, info, out);
}

// The dialog offers the format table's rows and keeps its controls to a row's facts: a row
// added to the table is offered with its own depths, compression and name.
TEST(GuiExportTable, ARowAddedToTheFormatTableIsOffered) {
    const auto fake = static_cast<ExportFormat>(99);
    AddExportFormatForTesting({fake, "fake", "Fake Format", "fk", Msg::FilterCSource,
                               (1u << 1) | (1u << 8), 0, false, false, 0x7F, FakeWriter, nullptr,
                               std::nullopt});
    CExportDlg d(nullptr, TestHooks().Make(), ExportChoice{}, 0);
    auto* format = qobject_cast<QComboBox*>(d.Control(kExportFormatId));
    auto* bpp = qobject_cast<QComboBox*>(d.Control(kExportBppId));
    auto* items = qobject_cast<QStandardItemModel*>(bpp->model());
    const QStringList want = {"LVGL", "Adafruit GFX",    "BDF",        "LVGL binary",
                              "u8g2", "TFT_eSPI smooth", "Fake Format"};
    ASSERT_EQ(format->count(), want.size());
    for (int i = 0; i < want.size(); ++i) EXPECT_EQ(format->itemText(i), want[i]);

    format->setCurrentIndex(0);  // LVGL: every depth, compression at 4 bits, a name
    bpp->setCurrentIndex(2);
    EXPECT_TRUE(d.Control(kExportCompressId)->isEnabled());
    EXPECT_TRUE(d.Control(kExportNameId)->isEnabled());
    format->setCurrentIndex(6);          // the fake row: 1 or 8 bits, no compression, no name
    EXPECT_EQ(bpp->currentText(), "1");  // 4 bits is not the fake format's
    EXPECT_TRUE(bpp->isEnabled());
    const bool enabled[] = {true, false, false, true};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(items->item(i)->isEnabled(), enabled[i]) << i;
    EXPECT_FALSE(d.Control(kExportCompressId)->isEnabled());
    EXPECT_FALSE(d.Control(kExportNameId)->isEnabled());
    bpp->setCurrentIndex(3);
    EXPECT_EQ(d.Choice().format, fake);
    EXPECT_EQ(d.Choice().bpp, 8);
    EXPECT_EQ(ExportFormatNamed("fake"), fake);
    EXPECT_EQ(ExportFormatNames(), "lvgl|adafruit-gfx|bdf|lvgl-bin|u8g2|vlw|fake");
}

}  // namespace
}  // namespace zemtra::test
