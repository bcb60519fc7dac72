// Languages in the window: the first start's files and menu, switching to Simplified Chinese
// (window, menu bar, combo boxes at once), the choice kept in Setting.ini beside the last
// run's project, an added fourth language, the About box and Output View speaking it, and
// language items beyond the routed command ids doing nothing, and the core's errors in the
// chosen language, Qt's own buttons too.
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "base/unicode.h"
#include "gui/gui_test_support.h"
#include "output/qt/output_dialog.h"
#include "project/profile.h"
#include "project/program_folder.h"
#include "project/project_file.h"
#include "ui/builtin_languages.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/language.h"

namespace zemtra::test {
namespace {

const QString kSimplified = QString::fromUtf8("简体中文");

// A language file as the built-in ones are stored: UTF-16LE with its mark, CR LF.
void WriteLanguageFile(const std::filesystem::path& path, const std::u16string& text) {
    WriteBytes(path, Utf16LeWithMark(text));
}

QStringList MenuTexts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* a : actions) texts << a->text();
    return texts;
}

std::u16string StoredLanguage() {
    return Profile::LoadFile(SettingIniPath()).GetString(u"Setting", u"Language", u"(none)");
}

QAction* LanguageItem(const CZemtraDlg& dialog, const QString& name) {
    for (QAction* a : dialog.LanguageMenu()->actions()) {
        if (a->text() == name) return a;
    }
    return nullptr;
}

TEST(Languages, FirstStartWritesTheFilesAndListsTheBuiltInLanguages) {
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    ASSERT_TRUE(std::filesystem::exists(home / "Setting.ini") ||
                std::filesystem::exists(home / "setting.ini"));
    EXPECT_EQ(StoredLanguage(), u"English");
    for (const BuiltinLanguage& b : kBuiltinLanguages) {
        const std::filesystem::path file =
            home.Path() / "Language" / (Utf16ToUtf8(b.fileName) + ".ini");
        const std::span<const unsigned char> builtin = BuiltinLanguageFile(b.resourceId);
        EXPECT_EQ(ReadBytes(file), std::string(builtin.begin(), builtin.end())) << file;
    }
    const QList<QAction*> items = dialog.LanguageMenu()->actions();
    EXPECT_EQ(MenuTexts(items),
              (QStringList{"English", kSimplified, QString::fromUtf8("繁體中文")}));
    for (qsizetype i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->property(kCommandIdProperty).toUInt(), 60000u + i);
        EXPECT_TRUE(items[i]->isCheckable());
        EXPECT_EQ(items[i]->isChecked(), i == 0) << i;
    }
    EXPECT_EQ(dialog.MenuBar()->actions()[1]->menu(), dialog.LanguageMenu());
}

// The status line follows the language: a message is worded again, a text that cannot be
// (a typed note) goes; New clears what the old project's work said.
TEST(Languages, StatusLineFollowsTheLanguageAndNew) {
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    const std::string saved = (home / "p.fprj").string();
    answers.saveNames.push_back(QString::fromStdString(saved));
    FindCommand(dialog.MenuBar(), kCmdSaveAs)->trigger();
    EXPECT_EQ(dialog.StatusText(), QString::fromStdString("Saved " + saved));
    LanguageItem(dialog, kSimplified)->trigger();
    EXPECT_EQ(dialog.StatusText(), QString::fromStdString("\xE5\xB7\xB2\xE4\xBF\x9D\xE5\xAD\x98 ") +
                                       QString::fromStdString(saved));
    dialog.ShowStatus(QStringLiteral("typed in English"));
    LanguageItem(dialog, "English")->trigger();
    EXPECT_EQ(dialog.StatusText(), QString());
    dialog.ShowStatus(Message{Msg::StatusSaved, {saved}});
    FindCommand(dialog.MenuBar(), kCmdNew)->trigger();
    EXPECT_EQ(dialog.StatusText(), QString());
}

TEST(Languages, SwitchingReTextsEverythingAtOnceAndIsKept) {
    ScopedHome home;
    TestHooks answers;
    {
        CZemtraDlg dialog(answers.Make());
        for (auto [id, index] :
             {std::pair{kOrientationId, 2}, {kDirectionId, 1}, {kPolarityId, 1}}) {
            Ctl<QComboBox>(dialog, id)->setCurrentIndex(index);
        }
        LanguageItem(dialog, kSimplified)->trigger();
        // Untitled in the language, marked: the scan mode differs from what New gives.
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("*未命名 - Zemtra"));
        EXPECT_EQ(Ctl<QPushButton>(dialog, kIdOk)->text(), QString::fromUtf8("添加"));
        EXPECT_EQ(Ctl<QPushButton>(dialog, kCreateLibraryId)->text(), QString::fromUtf8("生成"));
        EXPECT_EQ(Ctl<QGroupBox>(dialog, kFontGroupId)->title(), QString::fromUtf8("字体"));
        EXPECT_EQ(Ctl<QAbstractButton>(dialog, kShowDemoId)->text(), QString::fromUtf8("扫描演示"));
        EXPECT_EQ(MenuTexts(dialog.MenuBar()->actions()),
                  (QStringList{QString::fromUtf8("工程(&P)"), QString::fromUtf8("语言(&L)"),
                               QString::fromUtf8("帮助(&H)"), QString::fromUtf8("编辑(&E)")}));
        EXPECT_EQ(FindCommand(dialog.MenuBar(), 32781)->text(), QString::fromUtf8("新建(&N)"));
        EXPECT_EQ(FindCommand(dialog.MenuBar(), kCmdRevertGlyph)->text(),
                  QString::fromUtf8("恢复字体字形(&F)"));
        EXPECT_EQ(FindCommand(dialog.MenuBar(), 32778)->text(), QString::fromUtf8("关于(&A)"));
        auto* orient = Ctl<QComboBox>(dialog, kOrientationId);
        EXPECT_EQ(orient->itemText(0), QString::fromUtf8("逐行"));
        EXPECT_EQ(orient->currentIndex(), 2);
        EXPECT_EQ(orient->currentText(), QString::fromUtf8("行/列"));
        EXPECT_EQ(Ctl<QComboBox>(dialog, kDirectionId)->currentText(), QString::fromUtf8("逆向"));
        EXPECT_EQ(Ctl<QComboBox>(dialog, kPolarityId)->currentText(), QString::fromUtf8("阳码"));
        EXPECT_EQ(StoredLanguage(), u"简体中文");
        EXPECT_TRUE(LanguageItem(dialog, kSimplified)->isChecked());
        EXPECT_FALSE(LanguageItem(dialog, "English")->isChecked());
        dialog.close();  // saves the project into the same file
    }
    // Both the language and the last run's project are in Setting.ini.
    EXPECT_EQ(StoredLanguage(), u"简体中文");
    ProjectSettings saved;
    EXPECT_TRUE(LoadProject(SettingIniPath(), saved).isProject);
    EXPECT_EQ(saved.ORIENT, 2);
    CZemtraDlg again(answers.Make());
    EXPECT_EQ(Ctl<QPushButton>(again, kIdOk)->text(), QString::fromUtf8("添加"));
    EXPECT_EQ(Ctl<QComboBox>(again, kOrientationId)->currentText(), QString::fromUtf8("行/列"));
    LanguageItem(again, "English")->trigger();
    EXPECT_EQ(Ctl<QPushButton>(again, kIdOk)->text(), "Add");
    EXPECT_EQ(again.MenuBar()->actions()[1]->text(), "&Language");
}

// Every control with an id has a tooltip in every built-in language (the link's is its
// address); the font button and the preset box put what they show in front of it. And the
// centre button is no Latin letter in Chinese.
TEST(Languages, EveryControlHasATooltipInEachLanguage) {
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    const struct {
        const char* language;
        const char* ascii;  // the ASCII button's tooltip
        const char* centre;
    } cases[] = {
        {"English", "Append the printable ASCII characters to the text (Ctrl+Z takes them back)",
         "C"},
        {"简体中文", "把可打印的 ASCII 字符追加到文本中 (Ctrl+Z 可撤销)", "中"},
        {"繁體中文", "把可列印的 ASCII 字元附加到文字中 (Ctrl+Z 可復原)", "中"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        dialog.ApplyLanguage(Utf8ToUtf16(c.language));
        int controls = 0;
        for (const QWidget* w : dialog.findChildren<QWidget*>()) {
            const QVariant id = w->property(kControlIdProperty);
            if (!id.isValid() || id.toInt() == kNoControlId) continue;
            ++controls;
            EXPECT_FALSE(w->toolTip().isEmpty()) << id.toInt();
        }
        EXPECT_GE(controls, 50);
        EXPECT_EQ(Ctl<QPushButton>(dialog, kAsciiButtonId)->toolTip(), QString::fromUtf8(c.ascii));
        EXPECT_EQ(Ctl<QPushButton>(dialog, kCentreId)->text(), QString::fromUtf8(c.centre));
        // The font button's tip ends in its own words, whatever it shows before them.
        EXPECT_TRUE(Ctl<QPushButton>(dialog, kFontButtonId)
                        ->toolTip()
                        .endsWith(Ctl<QPushButton>(dialog, kFontButtonId)
                                      ->property(kControlTipProperty)
                                      .toString()));
    }
}

TEST(Languages, AnAddedFileIsTheFourthLanguage) {
    ScopedHome home;
    TestHooks answers;
    { CZemtraDlg first(answers.Make()); }
    WriteLanguageFile(
        home / "Language" / "4.Deutsch.ini",
        u"[Setting]\r\nLanguage=Deutsch\r\n\r\n[IDD_102]\r\nIDD_102_1=Hinzuf\u00fcgen\r\n"
        u"IDD_102_1004=\r\n[MENU_131]\r\nMENU_131_1=Sprache\r\n");
    CZemtraDlg dialog(answers.Make());
    const QList<QAction*> items = dialog.LanguageMenu()->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[3]->text(), "Deutsch");
    EXPECT_EQ(items[3]->property(kCommandIdProperty).toUInt(), 60003u);
    items[3]->trigger();
    EXPECT_EQ(Ctl<QPushButton>(dialog, kIdOk)->text(), QString::fromUtf8("Hinzufügen"));
    EXPECT_EQ(Ctl<QPushButton>(dialog, kCreateListId)->text(), "Create");  // an empty text keeps it
    EXPECT_EQ(Ctl<QGroupBox>(dialog, kFontGroupId)->title(), "Font");      // a missing one too
    EXPECT_EQ(dialog.MenuBar()->actions()[1]->text(), "Sprache");
    EXPECT_EQ(Ctl<QComboBox>(dialog, kOrientationId)->itemText(0), "Row");  // English defaults
    EXPECT_TRUE(items[3]->isChecked());
    EXPECT_EQ(StoredLanguage(), u"Deutsch");
}

TEST(Languages, ItemsBeyondTheRoutedIdsDoNothing) {
    ScopedHome home;
    std::filesystem::create_directories(home / "Language");
    for (int i = 0; i < 1001; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "L%04d.ini", i);
        WriteLanguageFile(home / "Language" / name,
                          u"[Setting]\r\nLanguage=L" + Utf8ToUtf16(std::to_string(i)) + u"\r\n");
    }
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    const QList<QAction*> items = dialog.LanguageMenu()->actions();
    ASSERT_EQ(items.size(), 1001);
    EXPECT_EQ(items[1000]->property(kCommandIdProperty).toUInt(), 61000u);
    items[999]->trigger();
    EXPECT_EQ(dialog.Language()->GetLanguageName(), u"L999");
    items[1000]->trigger();
    EXPECT_EQ(dialog.Language()->GetLanguageName(), u"L999");
    EXPECT_FALSE(items[1000]->isChecked());
    EXPECT_TRUE(items[999]->isChecked());
}

TEST(Languages, AboutBoxAndOutputViewSpeakTheLanguageWhenTheyOpen) {
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    LanguageItem(dialog, kSimplified)->trigger();
    QString title, ok, version;
    WhenShown<CAboutDlg>([&](CAboutDlg* about) {
        title = about->windowTitle();
        ok = qobject_cast<QPushButton*>(about->Control(kIdOk))->text();
        version = about->VersionText();
        qobject_cast<QPushButton*>(about->Control(kIdOk))->click();
    });
    FindCommand(dialog.MenuBar(), 32778)->trigger();
    EXPECT_EQ(title, QString::fromUtf8("关于 Zemtra"));
    EXPECT_EQ(ok, QString::fromUtf8("确定"));
    EXPECT_EQ(version, QStringLiteral("Zemtra Version " ZEMTRA_VERSION));

    WriteBytes(home / "out.dat", std::string("\xFF\xFE"
                                             "A\0",
                                             4));
    COutputDlg view(dialog.Language(), ScanModeOf(dialog.Settings()), answers.Make(),
                    home / "out.dat");
    EXPECT_EQ(view.windowTitle(), QString::fromUtf8("输出查看"));
    EXPECT_EQ(qobject_cast<QPushButton*>(view.Control(kCopyButtonId))->text(),
              QString::fromUtf8("复制"));
    EXPECT_EQ(qobject_cast<QPushButton*>(view.Control(kIdCancel))->text(),
              QString::fromUtf8("取消"));
    view.OnCopy();
    LanguageItem(dialog, "English")->trigger();
    COutputDlg english(dialog.Language(), ScanModeOf(dialog.Settings()), answers.Make(),
                       home / "out.dat");
    EXPECT_EQ(english.windowTitle(), "Output View");
    english.OnCopy();
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_EQ(answers.messages[0].text, QString::fromUtf8("数据已成功复制到剪切板!"));
    EXPECT_EQ(answers.messages[1].text, "Data has been successfully\ncopied to the clipboard!");
}

TEST(Languages, CoreErrorsSpeakTheChosenLanguage) {
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    const auto command = [&](int id) { FindCommand(dialog.MenuBar(), id)->trigger(); };
    const QString folder = QString::fromStdString((home / "folder.fprj").string());
    std::filesystem::create_directory(home / "folder.fprj");
    LanguageItem(dialog, kSimplified)->trigger();
    // Thrown by the project reader, on the window's thread.
    answers.openNames.push_back({folder});
    command(kCmdOpen);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].text,
              QString::fromUtf8("无法读取 \"%1\": 它是一个文件夹").arg(folder));
    // A reason the picture check gives, inside the window's own message.
    const QString missing = QString::fromStdString((home / "gone.png").string());
    answers.openNames.push_back({missing});
    command(kCmdLoadPicture);
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_TRUE(answers.messages[1].text.contains(missing + QString::fromUtf8(": 文件不存在")))
        << answers.messages[1].text.toStdString();
    EXPECT_FALSE(answers.messages[1].text.contains("no such file"));
    // Thrown in a worker thread, two messages deep: the list's unreadable picture items.
    const QString picture = QString::fromStdString((home / "p.png").string());
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    ASSERT_TRUE(image.save(picture, "PNG"));
    answers.openNames.push_back({picture});
    command(kCmdLoadPicture);
    ASSERT_EQ(answers.messages.size(), 2u);
    std::filesystem::remove(home / "p.png");
    Ctl<QPushButton>(dialog, kCreateListId)->click();
    ASSERT_TRUE(ProcessUntil([&] { return !dialog.Jobs().Running(); }));
    ASSERT_EQ(answers.messages.size(), 3u);
    EXPECT_EQ(answers.messages[2].icon, QMessageBox::Critical);
    EXPECT_EQ(answers.messages[2].text,
              QString::fromUtf8("列表中有 1 个图片项无法读取:\n  第 1 项, \"%1\": 文件不存在")
                  .arg(picture));
    // Back in English, the same words as zemtra-cli's.
    LanguageItem(dialog, "English")->trigger();
    answers.openNames.push_back({folder});
    command(kCmdOpen);
    ASSERT_EQ(answers.messages.size(), 4u);
    EXPECT_EQ(answers.messages[3].text,
              QStringLiteral("Cannot read \"%1\": it is a folder").arg(folder));
}

TEST(Languages, QtsOwnButtonsFollowTheLanguage) {
    ScopedHome home;
    TestHooks answers;
    CZemtraDlg dialog(answers.Make());
    // A box open across the switches, and one made after each.
    QDialogButtonBox open(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    const auto cancel = [](const QDialogButtonBox& box) {
        return box.button(QDialogButtonBox::Cancel)->text();
    };
    // Qt posts the change to every widget; the event loop delivers it.
    const auto choose = [&](const QString& name) {
        LanguageItem(dialog, name)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    };
    const QString english = cancel(open);
    EXPECT_EQ(english, "Cancel");
    choose(kSimplified);
    EXPECT_EQ(cancel(open), QString::fromUtf8("取消"));
    EXPECT_EQ(cancel(QDialogButtonBox(QDialogButtonBox::Cancel)), QString::fromUtf8("取消"));
    QDialogButtonBox save(QDialogButtonBox::Save | QDialogButtonBox::Discard);
    EXPECT_EQ(save.button(QDialogButtonBox::Save)->text(), QString::fromUtf8("保存"));
    choose(QString::fromUtf8("繁體中文"));
    EXPECT_EQ(save.button(QDialogButtonBox::Save)->text(), QString::fromUtf8("儲存"));
    choose("English");
    EXPECT_EQ(cancel(open), english);
    EXPECT_EQ(save.button(QDialogButtonBox::Save)->text(), "Save");
    EXPECT_TRUE(answers.messages.empty());
}

TEST(Languages, AQtLocaleWithoutTranslationsLeavesQtEnglish) {
    ScopedHome home;
    TestHooks answers;
    { CZemtraDlg first(answers.Make()); }
    WriteLanguageFile(
        home / "Language" / "4.Klingon.ini",
        u"[Setting]\r\nLanguage=Klingon\r\n[SPECIAL_STRINGS]\r\nIDS_QT_LOCALE=tlh_XX\r\n");
    CZemtraDlg dialog(answers.Make());
    LanguageItem(dialog, kSimplified)->trigger();
    LanguageItem(dialog, "Klingon")->trigger();
    EXPECT_EQ(QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(),
              "Cancel");  // the Chinese of before is gone too
    EXPECT_TRUE(answers.messages.empty());
    QtTranslations translations;
    EXPECT_FALSE(translations.Switch("tlh_XX"));
    EXPECT_FALSE(translations.Switch("en"));
    EXPECT_FALSE(translations.Switch(""));
    EXPECT_TRUE(translations.Switch("zh_CN"));
}

}  // namespace
}  // namespace zemtra::test
