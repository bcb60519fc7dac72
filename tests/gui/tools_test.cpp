// "Font File..." and the controller presets in the main window: a bitmap font keeps its own
// size through matrix changes, a collection asks for its face, the Font dialog goes back to an
// installed face; a preset sets the four scan-mode boxes and hand changes show the match.
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "base/presets.h"
#include "base/unicode.h"
#include "gui/gui_test_support.h"
#include "raster/qt/preview_widget.h"
#include "support/font_fixtures.h"
#include "ui/dialog_template.h"

namespace zemtra::test {
namespace {

constexpr char kZenHei[] = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc";

class Tools : public ::testing::Test {
  protected:
    void SetUp() override {
        Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("16");
        Ctl<QLineEdit>(dialog, kMatrixHeightId)->setText("16");
        dialog.FillCharacterList(u"A", true);
    }
    QString Text(int id) { return Ctl<QLineEdit>(dialog, id)->text(); }
    QString FontCaption() { return Ctl<QPushButton>(dialog, kFontButtonId)->text(); }
    QImage Preview() { return Ctl<PreviewWidget>(dialog, kPreviewId)->Cached(); }
    void ChooseFile(const std::string& path) {
        answers.openNames.push_back({QString::fromStdString(path)});
        Ctl<QPushButton>(dialog, kFontFileButtonId)->click();
    }
    void Pick(int id, int index) {
        auto* combo = Ctl<QComboBox>(dialog, id);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    int ShownPreset() { return Ctl<QComboBox>(dialog, kPresetComboId)->currentIndex(); }

    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog{answers.Make()};
};

TEST_F(Tools, FontFilesReplaceTheFaceUntilTheFontDialogPicksOne) {
    const std::string bdf = (home / "tiny.bdf").string();
    WriteBytes(bdf, kTinyBdf);
    const QImage installed = Preview();

    ChooseFile(bdf);
    EXPECT_TRUE(answers.itemQuestions.empty());  // one face: nothing to ask
    EXPECT_TRUE(answers.messages.empty());
    EXPECT_EQ(dialog.Settings().FONT.FontFile, Utf8ToUtf16(bdf));
    EXPECT_EQ(FontCaption(), "tiny.bdf");
    EXPECT_EQ(Text(kFontWidthId), "5");  // the bitmap font's own cell
    EXPECT_EQ(Text(kFontHeightId), "8");
    EXPECT_NE(Preview(), installed);
    EXPECT_EQ(answers.openRequests.back().filter.left(15), "Font Files (*.t");
    Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("24");  // a matrix change keeps the font's size
    EXPECT_EQ(Text(kFontWidthId), "5");
    EXPECT_EQ(Text(kFontHeightId), "8");

    // A collection asks for the face; cancelling the question changes nothing.
    ChooseFile(kZenHei);
    ASSERT_EQ(answers.itemQuestions.size(), 1u);
    EXPECT_GE(answers.itemQuestions[0].size(), 2);
    EXPECT_EQ(dialog.Settings().FONT.FontFile, Utf8ToUtf16(bdf));
    answers.item = 1;
    ChooseFile(kZenHei);
    EXPECT_EQ(dialog.Settings().FONT.FontFile, Utf8ToUtf16(kZenHei));
    EXPECT_EQ(dialog.Settings().FONT.FontIndex, 1);
    EXPECT_EQ(FontCaption(), "wqy-zenhei.ttc #1");
    EXPECT_EQ(Text(kFontWidthId), "12");  // outlines follow the matrix, 24 x 16, again
    EXPECT_EQ(Text(kFontHeightId), "16");
    const QImage zenHei = Preview();
    EXPECT_NE(zenHei, installed);

    // A file that is no font is refused with its reason; the font in use stays.
    WriteBytes(home / "junk.ttf", "not a font");
    ChooseFile((home / "junk.ttf").string());
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_TRUE(answers.messages[0].text.contains("junk.ttf"));
    EXPECT_EQ(dialog.Settings().FONT.FontIndex, 1);
    EXPECT_EQ(Preview(), zenHei);

    answers.font = QFont("Liberation Sans");
    Ctl<QPushButton>(dialog, kFontButtonId)->click();
    EXPECT_TRUE(dialog.Settings().FONT.FontFile.empty());
    EXPECT_EQ(dialog.Settings().FONT.FontIndex, 0);
    EXPECT_EQ(FontCaption(), "Liberation Sans");
}

TEST_F(Tools, NewAndOpenLeaveTheFontFile) {
    const std::string bdf = (home / "tiny.bdf").string();
    WriteBytes(bdf, kTinyBdf);
    ChooseFile(bdf);
    ASSERT_EQ(FontCaption(), "tiny.bdf");
    ASSERT_TRUE(dialog.Document().Save(home / "bitmap.fprj"));
    FindCommand(dialog.MenuBar(), kCmdNew)->trigger();
    EXPECT_TRUE(dialog.Settings().FONT.FontFile.empty());
    EXPECT_NE(FontCaption(), "tiny.bdf");
    EXPECT_EQ(Text(kFontWidthId), "8");  // derived from 16 x 16 again
    dialog.Document().OpenProject(home / "bitmap.fprj");
    EXPECT_EQ(FontCaption(), "tiny.bdf");
    EXPECT_EQ(Text(kFontHeightId), "8");
}

TEST_F(Tools, PresetsSetTheScanModeAndHandChangesShowTheMatch) {
    const auto presets = ControllerPresets();
    auto* box = Ctl<QComboBox>(dialog, kPresetComboId);
    ASSERT_EQ(box->count(), static_cast<int>(presets.size()) + 1);
    EXPECT_EQ(box->itemText(0), "(none)");
    const auto indexOf = [&](std::string_view name) {
        return static_cast<int>(FindPreset(name) - presets.data()) + 1;
    };
    // Anode first, so choosing a preset must redraw the preview in the other colours.
    Pick(kPolarityId, 1);
    EXPECT_EQ(ShownPreset(), 0);
    const QImage anode = Preview();

    const int ks0108 = indexOf("ks0108");
    Pick(kPresetComboId, ks0108);
    for (auto [id, index] :
         {std::pair{kOrientationId, 3}, {kDirectionId, 1}, {kPolarityId, 0}, {kDataBitsId, 0}}) {
        EXPECT_EQ(Ctl<QComboBox>(dialog, id)->currentIndex(), index) << id;
    }
    EXPECT_EQ(dialog.Settings().ORIENT, 3);
    EXPECT_EQ(dialog.Settings().DIRECT, 1);
    EXPECT_EQ(dialog.Settings().FORMAT, 0);
    EXPECT_NE(Preview(), anode);
    // KS0108 shares its scan mode with SSD1306, which comes first; the choice stays.
    EXPECT_EQ(ShownPreset(), ks0108);
    Pick(kDataBitsId, 1);  // 16bit: no preset has it with pages
    EXPECT_EQ(ShownPreset(), 0);
    Pick(kOrientationId, 0);
    Pick(kDirectionId, 0);
    // Settings that merely match a preset do not show it: the user chose none for them.
    EXPECT_EQ(ShownPreset(), 0);
    EXPECT_EQ(box->toolTip(), "The scan settings of a known display controller");
    Pick(kPresetComboId, indexOf("st7920"));
    EXPECT_EQ(ShownPreset(), indexOf("st7920"));
    EXPECT_TRUE(box->toolTip().contains("ST7920"));
    EXPECT_EQ(box->currentText(), "ST7920");  // the name whole; the title in the list

    Pick(kPresetComboId, 0);  // "(none)" changes nothing
    EXPECT_EQ(dialog.Settings().DATABIT, 1);
}

}  // namespace
}  // namespace zemtra::test
