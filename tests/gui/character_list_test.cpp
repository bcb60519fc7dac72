// The character list in the window: "ASCII" and "Add", duplicates and surrogate pairs, an
// empty text, picture items from a loaded project with the threshold controls' visibility, and
// the preview of the selected item.
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "base/unicode.h"
#include "gui/gui_test_support.h"
#include "project/project_file.h"
#include "raster/qt/preview_widget.h"

namespace zemtra::test {
namespace {

class CharacterList : public ::testing::Test {
  protected:
    void Add(const QString& text) {
        Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText(text);
        Ctl<QPushButton>(dialog, kIdOk)->click();
    }
    QListWidget* List() { return Ctl<QListWidget>(dialog, kCharacterListId); }

    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog{answers.Make()};
};

TEST_F(CharacterList, AsciiThenAddGivesThePrintableCharacters) {
    Ctl<QPushButton>(dialog, kAsciiButtonId)->click();
    EXPECT_EQ(List()->count(), 0);  // the list waits for "Add"
    EXPECT_EQ(Ctl<QPlainTextEdit>(dialog, kTextEditId)->toPlainText().size(), 95);
    Ctl<QPushButton>(dialog, kIdOk)->click();
    ASSERT_EQ(List()->count(), 95);
    EXPECT_EQ(List()->item(0)->text(), " ");
    EXPECT_EQ(List()->item(94)->text(), "~");
    EXPECT_EQ(List()->currentRow(), 0);
    EXPECT_EQ(dialog.CurrentCharacter(), u" ");
}

// ASCII keeps what the text holds, appending the printable characters, and Ctrl+Z takes them
// back; Add then lists both.
TEST_F(CharacterList, AsciiAppendsToTheTextAndCanBeUndone) {
    auto* text = Ctl<QPlainTextEdit>(dialog, kTextEditId);
    text->setPlainText(QStringLiteral("\u4E2D\u6587"));
    Ctl<QPushButton>(dialog, kAsciiButtonId)->click();
    EXPECT_EQ(text->toPlainText().size(), 97);
    EXPECT_TRUE(text->toPlainText().startsWith(QStringLiteral("\u4E2D\u6587 !\"#")));
    Ctl<QPushButton>(dialog, kIdOk)->click();
    ASSERT_EQ(List()->count(), 97);
    EXPECT_EQ(List()->item(0)->text(), QStringLiteral("\u4E2D"));
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("\u4E2D\u6587"));
    Ctl<QPushButton>(dialog, kIdOk)->click();
    EXPECT_EQ(List()->count(), 2);
}

TEST_F(CharacterList, EveryUnitIsAnItem) {
    Add("AAB");
    ASSERT_EQ(List()->count(), 3);
    EXPECT_EQ(List()->item(1)->text(), "A");
    Add(QString::fromUtf16(u"x\U0001F600"));
    ASSERT_EQ(List()->count(), 3);  // the pair gives two items
    EXPECT_EQ(dialog.Settings().LIST[1], std::u16string(1, u'\xD83D'));
    EXPECT_EQ(dialog.Settings().PIC, (std::vector<std::u16string>{u"#", u"#", u"#"}));
    // A pasted line break is an item of its own, with the platform's CR LF.
    Add("a\nb");
    EXPECT_EQ(dialog.Settings().LIST.size(), 4u);
    EXPECT_EQ(dialog.Settings().LIST[1], u"\r");
}

TEST_F(CharacterList, SelectionMakesTheItemCurrentAndPreviews) {
    Add("AB");
    auto* preview = Ctl<PreviewWidget>(dialog, kPreviewId);
    const QImage a = preview->Cached();
    List()->setCurrentRow(1);  // as a click does
    EXPECT_EQ(dialog.CurrentCharacter(), u"B");
    EXPECT_NE(preview->Cached(), a);
    Add("");
    EXPECT_EQ(List()->count(), 0);
    EXPECT_EQ(dialog.CurrentCharacter(), u"");
    EXPECT_EQ(dialog.CurrentPicture(), u"");
    // An empty list previews an all-unlit matrix: the thumbnail corner is black.
    EXPECT_EQ(preview->Cached().pixel(0, 0), qRgb(0, 0, 0));
}

TEST_F(CharacterList, PictureItemsShowTheThresholdControls) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(qRgb(200, 30, 30));
    const std::filesystem::path png = home / "red.png";
    ASSERT_TRUE(picture.save(QString::fromStdString(png.string())));
    ProjectSettings project = dialog.Settings();
    project.LIST = {u"A", u"\u2606", u"C"};
    project.PIC = {u"#", Utf8ToUtf16(png.string())};  // shorter than the list
    project.THRESHOLD = u"50";
    SaveProject(home / "pictures.fprj", project);
    dialog.Document().OpenProject(home / "pictures.fprj");
    ASSERT_EQ(List()->count(), 3);
    EXPECT_TRUE(dialog.Control(kThresholdId)->isHidden());  // item 0 is a character
    List()->setCurrentRow(1);
    EXPECT_EQ(dialog.CurrentPicture(), Utf8ToUtf16(png.string()));
    EXPECT_FALSE(dialog.Control(kThresholdId)->isHidden());
    EXPECT_FALSE(dialog.Control(kThresholdSpinId)->isHidden());
    // The thumbnail shows the picture in its colours.
    EXPECT_EQ(Ctl<PreviewWidget>(dialog, kPreviewId)->Cached().pixel(1, 1), qRgb(200, 30, 30));
    List()->setCurrentRow(2);  // beyond PIC: visibility stays
    EXPECT_FALSE(dialog.Control(kThresholdId)->isHidden());
    EXPECT_EQ(dialog.CurrentPicture(), u"");
    List()->setCurrentRow(0);
    EXPECT_TRUE(dialog.Control(kThresholdId)->isHidden());
    // A picture whose file is gone hides them again.
    List()->setCurrentRow(1);
    std::filesystem::remove(png);
    List()->setCurrentRow(0);
    List()->setCurrentRow(1);
    EXPECT_TRUE(dialog.Control(kThresholdId)->isHidden());
    // "Add" drops the pictures.
    Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText("XY");
    Ctl<QPushButton>(dialog, kIdOk)->click();
    EXPECT_EQ(dialog.Settings().PIC, (std::vector<std::u16string>{u"#", u"#"}));
}

TEST_F(CharacterList, PreviewGridFollowsTheMatrixAndRepaintsFromTheCache) {
    Add("W");
    auto* preview = Ctl<PreviewWidget>(dialog, kPreviewId);
    const QSize client = preview->ClientSize();
    EXPECT_EQ(preview->Cached().size(), client);
    const PreviewGeometry g = ComputePreviewGeometry(16, 16, client.width(), client.height());
    // The last cell's far corner is a dot colour, the pixel after it a black line.
    const PreviewRect last = g.Cell(15, 15);
    const QRgb corner = preview->Cached().pixel(static_cast<int>(last.x + last.width - 1),
                                                static_cast<int>(last.y + last.height - 1));
    EXPECT_TRUE(corner == qRgb(156, 224, 239) || corner == qRgb(73, 80, 40));
    EXPECT_EQ(
        preview->Cached().pixel(static_cast<int>(last.x + last.width), static_cast<int>(last.y)),
        qRgb(0, 0, 0));
    // A repaint copies the cache and renders nothing.
    const qint64 key = preview->Cached().cacheKey();
    const QImage shot = preview->grab().toImage();
    EXPECT_EQ(preview->Cached().cacheKey(), key);
    const QPoint at = preview->contentsRect().topLeft() + QPoint(100, 100);
    EXPECT_EQ(shot.pixel(at), preview->Cached().pixel(100, 100));
    // A matrix width of 0 leaves the preview as it was.
    Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("0");
    EXPECT_EQ(preview->Cached().cacheKey(), key);
}

}  // namespace
}  // namespace zemtra::test
