// The settings controls driven by their ids: the font-size derivation, the spin buttons' rules
// (each pulls every control first), the position buttons, the "Font" button, the combo boxes
// that do or do not redraw, "Show Demo", and a matrix too large to render.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "gui/gui_test_support.h"
#include "raster/qt/preview_widget.h"
#include "ui/qt/updown_widget.h"

namespace zemtra::test {
namespace {

void Spin(const CZemtraDlg& dialog, int id, bool up) {
    auto* spin = Ctl<UpDownWidget>(dialog, id);
    (up ? spin->UpButton() : spin->DownButton())->click();
}

// The font button's own tooltip, in English.
constexpr char kFontTip[] = "Choose the face, its style and size";

QLineEdit* Edit(const CZemtraDlg& dialog, int id) {
    return Ctl<QLineEdit>(dialog, id);
}

class SettingsControls : public ::testing::Test {
  protected:
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog{answers.Make()};
};

TEST_F(SettingsControls, MatrixWidthDerivesTheFontWidth) {
    Edit(dialog, kMatrixWidthId)->setText("20");
    EXPECT_EQ(dialog.Settings().FONT.Width, 10);
    EXPECT_EQ(Edit(dialog, kFontWidthId)->text(), "10");
    Edit(dialog, kFontWidthId)->setText("-7");  // typed: kept as typed, taken into the font
    EXPECT_EQ(dialog.Settings().FONT.Width, -7);
    EXPECT_EQ(Edit(dialog, kFontWidthId)->text(), "-7");
    Edit(dialog, kMatrixHeightId)->setText("18");  // the next matrix change derives it again
    EXPECT_EQ(dialog.Settings().FONT.Width, 10);
    EXPECT_EQ(dialog.Settings().FONT.Height, 18);
    EXPECT_EQ(Edit(dialog, kFontHeightId)->text(), "18");
    Edit(dialog, kMatrixWidthId)->setText("-7");  // a negative width derives -3, shown as 3
    EXPECT_EQ(dialog.Settings().FONT.Width, -3);
    EXPECT_EQ(Edit(dialog, kFontWidthId)->text(), "3");
}

// A number field's text that is no whole number: the field is marked, the status line names
// it and the number taken (the text's leading digits, as the project reads them); a whole
// number again takes the mark and the message away.
TEST_F(SettingsControls, ANumberFieldThatIsNoNumberIsMarkedAndNamed) {
    const struct {
        int id;
        const char* typed;
        const char* said;   // empty: no mark, nothing said
        int32_t fontWidth;  // FONT.Width afterwards
    } cases[] = {
        {kFontWidthId, "1a",
         "Font width: \"1a\" is not a whole number; 1 is taken until it is one.", 1},
        {kFontWidthId, "x", "Font width: \"x\" is not a whole number; 0 is taken until it is one.",
         0},
        {kFontWidthId, " 12 ", "", 12},
        {kFontWidthId, "-7", "", -7},
        {kMatrixHeightId, "",
         "Matrix height: \"\" is not a whole number; 0 is taken until it is one.", 8},
        {kMatrixHeightId, "24", "", 8},
        {kMatrixWidthId, "3o",
         "Matrix width: \"3o\" is not a whole number; 3 is taken until it is one.", -1},
        {kMatrixWidthId, "30", "", 15},
        {kFontHeightId, "16px",
         "Font height: \"16px\" is not a whole number; 16 is taken until it is one.", 15},
        {kFontHeightId, "16", "", 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        QLineEdit* field = Edit(dialog, c.id);
        field->setText(QString::fromLatin1(c.typed));
        const bool bad = *c.said != '\0';
        EXPECT_EQ(field->property(kBadValueProperty).toBool(), bad);
        EXPECT_EQ(field->palette().color(QPalette::Base) == QColor(0xFF, 0xD8, 0xD8), bad);
        EXPECT_EQ(field->text(), QString::fromLatin1(c.typed)) << "the text stays as typed";
        EXPECT_EQ(dialog.StatusText(), QString::fromLatin1(c.said));
        if (c.fontWidth >= 0) {
            EXPECT_EQ(dialog.Settings().FONT.Width, c.fontWidth);
        }
    }
    // In another language the message is worded again.
    Edit(dialog, kFontWidthId)->setText("w");
    dialog.ApplyLanguage(u"简体中文");
    EXPECT_EQ(dialog.StatusText(),
              QString::fromUtf8("字体宽度: \"w\" 不是整数; 在改正之前按 0 处理。"));
}

TEST_F(SettingsControls, SpinsStepByOneAndKeepTheThresholdInRange) {
    Spin(dialog, kMatrixWidthSpinId, true);
    EXPECT_EQ(Edit(dialog, kMatrixWidthId)->text(), "17");
    EXPECT_EQ(Edit(dialog, kFontWidthId)->text(), "8");  // 17 / 2
    Spin(dialog, kMatrixHeightSpinId, false);
    EXPECT_EQ(Edit(dialog, kMatrixHeightId)->text(), "15");
    EXPECT_EQ(dialog.Settings().FONT.Height, 15);
    Spin(dialog, kFontWidthSpinId, true);
    EXPECT_EQ(Edit(dialog, kFontWidthId)->text(), "9");
    EXPECT_EQ(dialog.Settings().FONT.Width, 9);
    Spin(dialog, kFontHeightSpinId, false);
    EXPECT_EQ(dialog.Settings().FONT.Height, 14);
    Edit(dialog, kThresholdId)->setText("255");
    Spin(dialog, kThresholdSpinId, true);
    EXPECT_EQ(Edit(dialog, kThresholdId)->text(), "255");
    Spin(dialog, kThresholdSpinId, false);
    EXPECT_EQ(Edit(dialog, kThresholdId)->text(), "254");
    Edit(dialog, kThresholdId)->setText("0");
    Spin(dialog, kThresholdSpinId, false);
    EXPECT_EQ(Edit(dialog, kThresholdId)->text(), "0");
    Edit(dialog, kThresholdId)->setText("300");
    Spin(dialog, kThresholdSpinId, true);
    EXPECT_EQ(Edit(dialog, kThresholdId)->text(), "300");
    EXPECT_EQ(dialog.Settings().THRESHOLD, u"300");
    // The arrow keys in the edit step too.
    Edit(dialog, kMatrixWidthId)->setText("16");
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(Edit(dialog, kMatrixWidthId), &up);
    EXPECT_EQ(Edit(dialog, kMatrixWidthId)->text(), "17");
}

TEST_F(SettingsControls, EverySpinPullsAllControlsBeforeItSteps) {
    for (int id : {kMatrixWidthSpinId, kMatrixHeightSpinId, kFontWidthSpinId, kFontHeightSpinId,
                   kThresholdSpinId}) {
        // Neither of these raises a handler that would pull on its own.
        Ctl<QPlainTextEdit>(dialog, kTextEditId)->setPlainText(QString::number(id));
        Ctl<QComboBox>(dialog, kOrientationId)->setCurrentIndex(id % 4);
        Spin(dialog, id, true);
        EXPECT_EQ(dialog.Settings().TEXT, FromQString(QString::number(id))) << id;
        EXPECT_EQ(dialog.Settings().ORIENT, id % 4) << id;
    }
}

TEST_F(SettingsControls, PositionButtonsShowTheOffsets) {
    for (int id : {kMoveRightId, kMoveRightId, kMoveUpId}) Ctl<QPushButton>(dialog, id)->click();
    EXPECT_EQ(Ctl<QLabel>(dialog, kOffsetXId)->text(), "2");
    EXPECT_EQ(Ctl<QLabel>(dialog, kOffsetYId)->text(), "-1");
    EXPECT_EQ(dialog.Settings().OFFSETX, 2);
    Ctl<QPushButton>(dialog, kCentreId)->click();
    EXPECT_EQ(Ctl<QLabel>(dialog, kOffsetXId)->text(), "0");
    EXPECT_EQ(Ctl<QLabel>(dialog, kOffsetYId)->text(), "0");
    EXPECT_EQ(dialog.Settings().OFFSETY, 0);
}

TEST_F(SettingsControls, FontDialogChoiceTakesTheMatrixSize) {
    QFont chosen(QStringLiteral("Liberation Serif"));
    chosen.setPointSize(24);
    chosen.setBold(true);
    chosen.setItalic(true);
    answers.font = chosen;
    Ctl<QPushButton>(dialog, kFontButtonId)->click();
    const LogFont& f = dialog.Settings().FONT;
    EXPECT_EQ(f.FaceName, u"Liberation Serif");
    EXPECT_EQ(f.Height, 16);  // not the dialog's 24 points
    EXPECT_EQ(f.Width, 8);
    EXPECT_EQ(f.Weight, 700);
    EXPECT_EQ(f.Italic, 1);
    EXPECT_EQ(Ctl<QPushButton>(dialog, kFontButtonId)->text(), "Liberation Serif");
    answers.font.reset();  // Cancel changes nothing
    Ctl<QPushButton>(dialog, kFontButtonId)->click();
    EXPECT_EQ(dialog.Settings().FONT.FaceName, u"Liberation Serif");
}

// A face the machine lacks (a project from another machine, a name typed in the font dialog):
// the button shows the name and the face drawing instead, its tooltip and the status line say
// why, in the window's language; an installed face clears it again.
TEST_F(SettingsControls, FaceNotInstalledIsNamedWithItsStandIn) {
    const struct {
        const char* face;
        const char* button;
        const char* status;
    } cases[] = {
        {"NoSuchFontXYZ", "NoSuchFontXYZ \u2192 DejaVu Sans",
         "No installed face is named \"NoSuchFontXYZ\": DejaVu Sans draws in its place."},
        {"Liberation Serif", "Liberation Serif", nullptr},
        {"Arial", "Arial", nullptr},
    };
    auto* button = Ctl<QPushButton>(dialog, kFontButtonId);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.face);
        answers.font = QFont(QString::fromUtf8(c.face));
        dialog.ShowStatus(QString());
        button->click();
        // The caption as far as the button holds it, the rest an ellipsis.
        const QString shown = button->text();
        const QString full = QString::fromUtf8(c.button);
        EXPECT_TRUE(shown == full ||
                    (shown.endsWith(QChar(0x2026)) && full.startsWith(shown.chopped(1))))
            << shown.toStdString();
        // What it shows now, then what the button is for.
        EXPECT_EQ(button->toolTip(),
                  c.status ? QString::fromUtf8(c.status) + "\n\n" + kFontTip : QString(kFontTip));
        EXPECT_EQ(dialog.StatusText(), c.status ? QString::fromUtf8(c.status) : QString());
    }
}

// The font dialog opens on the face and size the project has: an alias (Arial) as the face that
// draws it, since the dialog lists installed families only; the cell height as points.
TEST_F(SettingsControls, FontDialogOpensOnTheProjectsFaceAndSize) {
    const struct {
        const char* face;
        const char* matrix;
        const char* shownFamily;
        double points;
    } cases[] = {
        {"Arial", "16", "Liberation Sans", 12.0},
        {"Liberation Serif", "32", "Liberation Serif", 24.0},
        {"DejaVu Sans Mono", "24", "DejaVu Sans Mono", 18.0},
    };
    auto* button = Ctl<QPushButton>(dialog, kFontButtonId);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.face);
        answers.font = QFont(QString::fromUtf8(c.face));
        button->click();  // chooses the face; the matrix gives the size
        Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText(c.matrix);
        Ctl<QLineEdit>(dialog, kMatrixHeightId)->setText(c.matrix);
        answers.font.reset();
        button->click();  // opened again, cancelled
        ASSERT_TRUE(answers.fontShown.has_value());
        EXPECT_EQ(answers.fontShown->family(), QString::fromUtf8(c.shownFamily));
        EXPECT_DOUBLE_EQ(answers.fontShown->pointSizeF(), c.points);
    }
}

// A face name longer than the button ends in an ellipsis, whole in the tooltip; a wider button
// shows more of it.
TEST_F(SettingsControls, LongFaceNameIsElidedWithATooltip) {
    const QString name = QStringLiteral("WenQuanYi Zen Hei Sharp");
    answers.font = QFont(name);
    auto* button = Ctl<QPushButton>(dialog, kFontButtonId);
    dialog.show();
    button->click();
    EXPECT_TRUE(button->text().endsWith(QChar(0x2026))) << button->text().toStdString();
    EXPECT_TRUE(name.startsWith(button->text().chopped(1)));
    EXPECT_EQ(button->toolTip(), name + "\n\n" + kFontTip);
    const qsizetype before = button->text().size();
    button->resize(button->width() * 3, button->height());  // a larger font button
    EXPECT_GT(button->text().size(), before);
}

TEST_F(SettingsControls, OnlyThePolarityComboRedrawsThePreview) {
    auto* preview = Ctl<PreviewWidget>(dialog, kPreviewId);
    const qint64 before = preview->Cached().cacheKey();
    Ctl<QComboBox>(dialog, kOrientationId)->setCurrentIndex(1);
    emit Ctl<QComboBox>(dialog, kOrientationId)->activated(1);
    EXPECT_EQ(dialog.Settings().ORIENT, 1);
    EXPECT_EQ(preview->Cached().cacheKey(), before);
    const QRgb cathode = preview->Cached().pixel(200, 200);
    Ctl<QComboBox>(dialog, kPolarityId)->setCurrentIndex(1);
    emit Ctl<QComboBox>(dialog, kPolarityId)->activated(1);
    EXPECT_EQ(dialog.Settings().FORMAT, 1);
    EXPECT_NE(preview->Cached().cacheKey(), before);
    EXPECT_NE(preview->Cached().pixel(200, 200), cathode);
}

TEST_F(SettingsControls, ShowDemoStartsAndStopsTimerZero) {
    auto* box = Ctl<QCheckBox>(dialog, kShowDemoId);
    box->click();
    EXPECT_TRUE(dialog.Panel().DemoTimerActive());
    EXPECT_EQ(dialog.Settings().ENDEMO, 1);
    box->click();
    EXPECT_FALSE(dialog.Panel().DemoTimerActive());
}

TEST_F(SettingsControls, HugeMatrixIsReportedInThePreviewAndTheTextStays) {
    auto* preview = Ctl<PreviewWidget>(dialog, kPreviewId);
    Edit(dialog, kMatrixWidthId)->setText("100000");
    EXPECT_EQ(Edit(dialog, kMatrixWidthId)->text(), "100000");
    EXPECT_TRUE(preview->ErrorText().contains("too large")) << preview->ErrorText().toStdString();
    EXPECT_TRUE(answers.messages.empty());
    Edit(dialog, kMatrixWidthId)->setText("16");
    EXPECT_TRUE(preview->ErrorText().isEmpty());
}

}  // namespace
}  // namespace zemtra::test
