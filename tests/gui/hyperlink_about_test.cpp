// The web link on static 1059 and the About box: caption, target, tooltip, cursor and colours
// as the main window sets them, hover with the timer noticing the mouse leaving, a click that
// opens the address or beeps and says why not, and dialog 100 from Help > About.
#include <QCursor>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>

#include "gui/gui_test_support.h"
#include "ui/dialog_template.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/hyperlink_widget.h"

namespace zemtra::test {
namespace {

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void Click(QWidget* w) {
    const QPoint centre = w->rect().center();
    Mouse(w, QEvent::MouseButtonPress, centre, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, centre, Qt::LeftButton);
}

class HyperLink : public ::testing::Test {
  protected:
    CHyperLink* Link() { return Ctl<CHyperLink>(dialog, kWebLinkId); }

    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog{answers.Make()};
};

TEST_F(HyperLink, ConfiguredAsTheMainWindowSetsIt) {
    CHyperLink* link = Link();
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), "zemtra.org");
    EXPECT_EQ(link->Target(), "https://zemtra.org");
    EXPECT_EQ(link->toolTip(), "https://zemtra.org");
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link->TextColour(), QColor(0, 0, 0));
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_FALSE(link->font().underline());
    // Fitted once to its caption, about the centre of its template rectangle.
    const PixelRect r = DluRectToPixels({406, 351, 60, 8}, dialog.logicalDpiX());
    QFont underlined = link->font();
    underlined.setUnderline(true);
    const int advance = QFontMetrics(underlined).horizontalAdvance(link->text());
    EXPECT_GE(link->width(), advance);
    EXPECT_LE(link->width(), advance + 1);  // the extent rounds fractional advances up
    EXPECT_LE(std::abs(2 * link->x() + link->width() - (2 * r.x + r.width)), 1);
    EXPECT_EQ(link->y(), r.y);
}

TEST_F(HyperLink, HoverColourUntilTheTimerFindsTheMouseGone) {
    dialog.show();
    CHyperLink* link = Link();
    QCursor::setPos(link->mapToGlobal(link->rect().center()));
    Mouse(link, QEvent::MouseMove, link->rect().center());
    EXPECT_TRUE(link->MouseOver());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 124, 195));
    EXPECT_FALSE(link->font().underline());  // never underlined
    // While the mouse stays, the timer keeps the hover colour.
    ProcessUntil([] { return false; }, 250);
    EXPECT_TRUE(link->MouseOver());
    QCursor::setPos(link->mapToGlobal(QPoint(-50, -50)));
    ASSERT_TRUE(ProcessUntil([&] { return !link->MouseOver(); }, 1000));
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

TEST_F(HyperLink, FailedOpenBeepsAndSaysWhy) {
    answers.linkOutcome = 31;
    Click(Link());
    ASSERT_EQ(answers.openedLinks, std::vector<QString>{"https://zemtra.org"});
    EXPECT_EQ(answers.beeps, 1);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].icon, QMessageBox::Warning);
    // No way to open a browser: it says so and shows the address to paste into one.
    EXPECT_EQ(answers.messages[0].text,
              "Unable to open hyperlink:\n\nNo program that opens web pages was found (xdg-open "
              "is missing or has no browser).\n\nThe address is https://zemtra.org");
    EXPECT_FALSE(Link()->Visited());
    answers.linkOutcome = 26;
    Click(Link());
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_EQ(answers.messages[1].text,
              "Unable to open hyperlink:\n\nA sharing violation occurred. \n\nThe address is "
              "https://zemtra.org");
    answers.linkOutcome = 42;
    Click(Link());
    EXPECT_EQ(answers.messages.size(), 2u);
    EXPECT_EQ(answers.beeps, 2);
    EXPECT_TRUE(Link()->Visited());
    EXPECT_EQ(Link()->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    // A press that ends outside the caption opens nothing.
    Mouse(Link(), QEvent::MouseButtonPress, Link()->rect().center(), Qt::LeftButton);
    Mouse(Link(), QEvent::MouseButtonRelease, QPoint(-5, -5), Qt::LeftButton);
    EXPECT_EQ(answers.openedLinks.size(), 3u);
}

TEST_F(HyperLink, AboutBoxFromTheHelpMenu) {
    bool shown = false;
    WhenShown<CAboutDlg>([&](CAboutDlg* about) {
        shown = true;
        const int dpi = about->logicalDpiX();
        EXPECT_EQ(about->windowTitle(), "About Zemtra");
        EXPECT_EQ(about->size(), QSize(DluToPixelsX(235, dpi), DluToPixelsY(55, dpi)));
        EXPECT_EQ(about->VersionText(), QStringLiteral("Zemtra Version " ZEMTRA_VERSION));
        auto* ok = qobject_cast<QPushButton*>(about->Control(kIdOk));
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_TRUE(ok->isDefault());
        const PixelRect okRect = DluRectToPixels({178, 7, 50, 16}, dpi);
        EXPECT_EQ(ok->geometry(), QRect(okRect.x, okRect.y, okRect.width, okRect.height));
        const PixelRect iconRect = DluRectToPixels({11, 17, 20, 20}, dpi);
        bool icon = false;
        for (QLabel* label : about->findChildren<QLabel*>()) {
            if (label->pixmap().isNull()) continue;
            icon =
                label->geometry() == QRect(iconRect.x, iconRect.y, iconRect.width, iconRect.height);
        }
        EXPECT_TRUE(icon);
        ok->click();
    });
    FindCommand(dialog.MenuBar(), kCmdAbout)->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(dialog.isEnabled());
}

}  // namespace
}  // namespace zemtra::test
