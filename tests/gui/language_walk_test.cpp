// Every visible text of the window comes from the language file, in each built-in language: a
// walk over every control, combo item, menu item, the title, the message boxes' buttons, the
// messages and questions the window shows, the Output View, the About box and the file
// dialogs' captions and filters finds each text in the file, as it stands or as one of its
// texts with the facts filled in. And every text fits its control at this scale
// (QT_SCALE_FACTOR=2 runs it again at twice the size).
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

#include "base/unicode.h"
#include "gui/gui_test_support.h"
#include "output/qt/output_dialog.h"
#include "raster/qt/preview_widget.h"
#include "ui/builtin_languages.h"
#include "ui/hyperlink_rules.h"
#include "ui/multi_language.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/hyperlink_widget.h"

namespace zemtra::test {
namespace {

// The values of a built-in file ("\n" as line breaks) as patterns: %1..%9 stand for facts.
std::vector<QRegularExpression> Patterns(int resourceId) {
    const std::span<const unsigned char> bytes = BuiltinLanguageFile(resourceId);
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
    }
    std::vector<QRegularExpression> patterns;
    for (const QString& line : ToQString(text).split(QStringLiteral("\r\n"))) {
        const qsizetype eq = line.indexOf(u'=');
        if (line.startsWith(u'[') || eq < 0) continue;
        QString pattern =
            QRegularExpression::escape(ToQString(ExpandLineBreaks(FromQString(line.mid(eq + 1)))));
        pattern.replace(QRegularExpression(QStringLiteral("\\\\%[1-9]")), QStringLiteral("(.+)"));
        patterns.emplace_back(QStringLiteral("\\A") + pattern + QStringLiteral("\\z"),
                              QRegularExpression::DotMatchesEverythingOption);
    }
    return patterns;
}

// Texts that are data, not words: numbers, faces, paths, controller and code page names.
const std::vector<int> kDataControls = {
    kCharacterListId, kTextEditId,   kFontButtonId,    kMatrixWidthId,  kMatrixHeightId,
    kFontWidthId,     kFontHeightId, kThresholdId,     kOffsetXId,      kOffsetYId,
    kFromId,          kToId,         kFromCharacterId, kToCharacterId,  kWebLinkId,
    kDataBitsId,      kCodePageId,   kOutputTextId,    kVerifyCaptionId};

class LanguageWalk : public ::testing::Test {
  protected:
    bool Known(const QString& text) const {
        for (const QRegularExpression& p : patterns) {
            if (p.match(text).hasMatch()) return true;
        }
        return false;
    }
    void Check(const QString& text, const QString& where) {
        if (!text.isEmpty() && !Known(text)) missing << where + QStringLiteral(": ") + text;
    }
    // A title or caption: the project's name (or "Untitled") and the program's, each a text.
    void CheckTitle(QString text, const QString& where) {
        if (text.startsWith(u'*')) text.remove(0, 1);
        for (const QString& part : text.split(QStringLiteral(" - "))) Check(part, where);
    }
    void CheckWidgets(QWidget* root, const QString& where) {
        for (QWidget* w : root->findChildren<QWidget*>()) {
            const QVariant id = w->property(kControlIdProperty);
            if (id.isValid() && std::find(kDataControls.begin(), kDataControls.end(), id.toInt()) !=
                                    kDataControls.end()) {
                continue;
            }
            const QString name = where + u'/' + QString::number(id.toInt());
            if (auto* b = qobject_cast<QAbstractButton*>(w)) Check(b->text(), name);
            if (auto* l = qobject_cast<QLabel*>(w); l && l->text() != u"x") Check(l->text(), name);
            if (auto* g = qobject_cast<QGroupBox*>(w)) Check(g->title(), name);
            if (auto* c = qobject_cast<QComboBox*>(w)) {
                // The presets after "(none)" are controllers' names.
                const int n = id.toInt() == kPresetComboId ? 1 : c->count();
                for (int i = 0; i < n; ++i) Check(c->itemText(i), name);
            }
        }
    }
    void CheckMenu(const QList<QAction*>& actions) {
        for (QAction* a : actions) {
            const uint32_t id = a->property(kCommandIdProperty).toUInt();
            if (a->isSeparator() || IsLanguageCommand(id) ||
                (id >= kCmdRecentFirst && id < kCmdRecentFirst + 8)) {
                continue;
            }
            Check(a->text(), QStringLiteral("menu"));
            if (a->menu() != nullptr) CheckMenu(a->menu()->actions());
        }
    }

    ScopedHome home;
    TestHooks answers;
    std::vector<QRegularExpression> patterns;
    QStringList missing;
};

TEST_F(LanguageWalk, EveryTextComesFromTheLanguageFile) {
    for (const BuiltinLanguage& language : kBuiltinLanguages) {
        CZemtraDlg dialog(answers.Make());
        dialog.ApplyLanguage(language.name);
        patterns = Patterns(language.resourceId);
        missing.clear();
        answers.messages.clear();
        answers.saveQuestions.clear();
        answers.saveRequests.clear();
        answers.openRequests.clear();
        CheckWidgets(&dialog, QStringLiteral("main"));
        CheckMenu(dialog.MenuBar()->actions());
        CheckTitle(dialog.windowTitle(), QStringLiteral("title"));
        for (const QString* b : {&answers.buttons->ok, &answers.buttons->cancel,
                                 &answers.buttons->save, &answers.buttons->discard}) {
            Check(*b, QStringLiteral("button"));
        }
        // Messages and questions: nothing to do, a file that is no project, unsaved changes,
        // a link that cannot open, dropped files of no use, a library's end.
        dialog.FillCharacterList(u"", true);  // the last language's run left its list
        Ctl<QPushButton>(dialog, kCreateListId)->click();
        dialog.FillCharacterList(u"A", true);
        Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("0");
        Check(Ctl<PreviewWidget>(dialog, kPreviewId)->ErrorText(), QStringLiteral("preview"));
        Ctl<QLineEdit>(dialog, kMatrixWidthId)->setText("16");
        WriteBytes(home / "notes.fprj", "text");
        answers.openNames.push_back({QString::fromStdString((home / "notes.fprj").string())});
        FindCommand(dialog.MenuBar(), kCmdOpen)->trigger();
        answers.saveChanges = {SaveChoice::Cancel};
        FindCommand(dialog.MenuBar(), kCmdNew)->trigger();
        answers.linkOutcome = kOpenNoAssociation;
        Ctl<CHyperLink>(dialog, kWebLinkId)->OnClicked();
        dialog.DropFiles({QStringLiteral("/nowhere/file.xyz")});
        FindCommand(dialog.MenuBar(), kCmdLoadPicture)->trigger();
        FindCommand(dialog.MenuBar(), kCmdSpecimen)->trigger();
        Ctl<QLineEdit>(dialog, kFromId)->setText("0041");
        Ctl<QLineEdit>(dialog, kToId)->setText("0042");
        answers.saveNames.push_back(QString::fromStdString((home / "x.dzk").string()));
        Ctl<QPushButton>(dialog, kCreateLibraryId)->click();
        ASSERT_TRUE(ProcessUntil([&] { return !dialog.Jobs().Running(); }));
        Check(dialog.StatusText(), QStringLiteral("status"));
        ASSERT_GE(answers.messages.size(), 4u);
        for (const ShownMessage& m : answers.messages) {
            Check(m.text, QStringLiteral("message"));
            CheckTitle(m.caption, QStringLiteral("caption"));
        }
        for (const QString& q : answers.saveQuestions) Check(q, QStringLiteral("question"));
        for (const OpenFileRequest& r : answers.openRequests) {
            Check(r.caption, QStringLiteral("open dialog"));
            // Each filter is a text, or a text with the patterns after it.
            for (const QString& f : r.filter.split(QStringLiteral(";;"))) {
                Check(Known(f) ? QString() : f.left(f.lastIndexOf(QStringLiteral(" ("))),
                      QStringLiteral("filter"));
            }
        }
        for (const SaveFileRequest& r : answers.saveRequests) {
            Check(r.caption, QStringLiteral("save dialog"));
        }
        // The Output View with its note, and the About box.
        COutputDlg view(dialog.Language(), ScanMode{}, answers.Make());
        CheckWidgets(&view, QStringLiteral("output"));
        Check(view.windowTitle(), QStringLiteral("output"));
        CAboutDlg about(dialog.Language(), &dialog);
        Check(about.windowTitle(), QStringLiteral("about"));
        EXPECT_TRUE(missing.isEmpty()) << Utf16ToUtf8(language.name) << ":\n"
                                       << missing.join(u'\n').toStdString();
    }
}

// How wide a text is against the room its control gives it.
int Room(QWidget* w) {
    if (auto* c = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(c);
        option.editable = false;
        return c->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, c)
            .width();
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        return e->contentsRect().width() - e->textMargins().left() - e->textMargins().right() - 4;
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) return b->contentsRect().width() - 4;
    return w->contentsRect().width();
}

TEST_F(LanguageWalk, EveryTextFitsItsControl) {
    for (const BuiltinLanguage& language : kBuiltinLanguages) {
        CZemtraDlg dialog(answers.Make());
        dialog.ApplyLanguage(language.name);
        // Shown and laid out, as the user sees it: showing places the controls again.
        dialog.show();
        QCoreApplication::processEvents();
        // The widest values the fields take in use.
        for (int id : {kMatrixWidthId, kMatrixHeightId, kFontWidthId, kFontHeightId}) {
            Ctl<QLineEdit>(dialog, id)->setText("9999");
        }
        QStringList cut;
        for (QWidget* w : dialog.findChildren<QWidget*>()) {
            const QFontMetrics m(w->font());
            QStringList texts;
            if (auto* c = qobject_cast<QComboBox*>(w)) {
                for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
            } else if (auto* e = qobject_cast<QLineEdit*>(w); e && !e->isHidden()) {
                texts << e->text();
            } else if (auto* b = qobject_cast<QPushButton*>(w);
                       b && w->property(kControlIdProperty).toInt() != kFontButtonId) {
                texts << b->text().remove(u'&');
            } else if (auto* l = qobject_cast<QLabel*>(w); l && l->pixmap().isNull()) {
                texts << l->text();
            }
            // A label's text is drawn from its top: a line taller than the label loses its
            // bottom (the ideographs reach below the baseline).
            if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty() && !l->isHidden()) {
                const int lines = static_cast<int>(l->text().count(u'\n')) + 1;
                if (m.height() * lines > l->contentsRect().height()) {
                    cut << QStringLiteral("%1 \"%2\": %3 high > %4")
                               .arg(w->property(kControlIdProperty).toInt())
                               .arg(l->text())
                               .arg(m.height() * lines)
                               .arg(l->contentsRect().height());
                }
            }
            // A group's title stays clear of the controls beside it (the preset combo shares
            // the Scan Mode group's title line).
            if (auto* g = qobject_cast<QGroupBox*>(w); g && !g->title().isEmpty()) {
                QStyleOptionGroupBox option;
                option.initFrom(g);
                option.text = g->title();
                option.subControls = QStyle::SC_GroupBoxLabel;
                const QRect title =
                    g->style()
                        ->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, g)
                        .translated(g->pos());
                for (QWidget* other :
                     g->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    if (other != g && !other->isHidden() && other->geometry().intersects(title)) {
                        cut << QStringLiteral("%1 \"%2\" under %3")
                                   .arg(g->property(kControlIdProperty).toInt())
                                   .arg(g->title())
                                   .arg(other->property(kControlIdProperty).toInt());
                    }
                }
            }
            for (const QString& t : texts) {
                if (m.horizontalAdvance(t) > Room(w)) {
                    cut << QStringLiteral("%1 \"%2\": %3 > %4")
                               .arg(w->property(kControlIdProperty).toInt())
                               .arg(t)
                               .arg(m.horizontalAdvance(t))
                               .arg(Room(w));
                }
            }
        }
        EXPECT_TRUE(cut.isEmpty()) << Utf16ToUtf8(language.name) << ":\n"
                                   << cut.join(u'\n').toStdString();
    }
}

}  // namespace
}  // namespace zemtra::test
