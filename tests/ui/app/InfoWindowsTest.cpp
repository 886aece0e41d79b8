// The information windows: tips drawn among the program's pages, the letter templates and their
// export, the rules help kept single, and the about and authors windows.
#include "app/FenAboutController.h"
#include "app/FenAboutReglesController.h"
#include "app/FenAuteurController.h"
#include "app/FenLettreController.h"
#include "app/FenTrucsController.h"
#include "app/FenViewLettreController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include "foundation/localized.h"

#include "toolkit/tables/StdTableView.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextBrowser>

#include <cerrno>

#include <sys/stat.h>

namespace {

class InfoWindowsTest : public UiTestFixture {
protected:
    ~InfoWindowsTest() override
    {
        disposeLettres();
        FenRTFController::setInfoFolder(QString());
    }

    // A one-line rich text holding the text, as a word processor writes it.
    static QByteArray rtf(const QString& text)
    {
        QByteArray out = R"({\rtf1\ansi\ansicpg1252{\fonttbl\f0\fswiss Helvetica;}\f0\fs24 )";
        for (const QChar c : text)
            out += c.unicode() < 128 ? QByteArray(1, char(c.unicode())) : "\\u" + QByteArray::number(c.unicode()) + "?";
        return out + "}";
    }

    // An information folder of our own, with these files under it; an ".rtfd" name is a bundle.
    QString infoFolder(const QStringList& files)
    {
        const QString folder = testenv::freshDir(QStringLiteral("info"));
        for (const QString& name : files) {
            QString path = folder + u'/' + name;
            if (name.endsWith(QLatin1String(".rtfd")))
                path += QStringLiteral("/TXT.rtf");
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(rtf(QFileInfo(name).completeBaseName()));
        }
        FenRTFController::setInfoFolder(folder);
        return folder;
    }

    static QString shown(const FenRTFController& window) { return window.content()->toPlainText().trimmed(); }
};

} // namespace

TEST_F(InfoWindowsTest, TipsAreDrawnAmongThePagesAndAnotherTipKeepsTheWindow)
{
    infoFolder({"trucs/un.rtfd", "trucs/deux.rtfd", "trucs/trois.rtfd", "trucs/note.txt", "trucs/vieux.html"});
    QStringList seen;
    ui().onModal<FenTrucsController>([&seen](FenTrucsController& window) {
        EXPECT_EQ(window.trucs().size(), 3);
        seen.append(shown(window));
        for (int i = 0; i < 30; ++i) {
            window.perform(QStringLiteral("NON:"));
            seen.append(shown(window));
        }
        WindowDriver(window).click(QStringLiteral("OUI:"));
    });
    EXPECT_EQ(showTips(), 1);
    seen.removeDuplicates();
    seen.sort();
    EXPECT_EQ(seen, QStringList({"deux", "trois", "un"}));
}

TEST_F(InfoWindowsTest, WithoutTipsTheWindowShowsNothingAndAnotherTipChangesNothing)
{
    infoFolder({"trucs/lisez-moi.txt"});
    ui().onModal<FenTrucsController>([](FenTrucsController& window) {
        EXPECT_TRUE(window.trucs().isEmpty());
        window.perform(QStringLiteral("NON:"));
        EXPECT_EQ(shown(window), QString());
        window.perform(QStringLiteral("OUI:"));
    });
    EXPECT_EQ(showTips(), 1);
}

TEST_F(InfoWindowsTest, TheShippedTipsAboutAndRulesHelpShow)
{
    ui().onModal<FenTrucsController>([](FenTrucsController& window) {
        EXPECT_GE(window.trucs().size(), 3);
        EXPECT_FALSE(shown(window).isEmpty());
        WindowDriver(window).grab(QStringLiteral("info-tips.png"));
        window.perform(QStringLiteral("OUI:"));
    });
    EXPECT_EQ(showTips(), 1);

    ui().onModal<FenAboutController>([](FenAboutController& window) {
        WindowDriver driver(window);
        EXPECT_EQ(driver.text(QStringLiteral("field_version")), QStringLiteral("Version 0.1"));
        EXPECT_EQ(driver.text(QStringLiteral("field_build")), QStringLiteral("Compilation 1"));
        EXPECT_TRUE(driver.text(QStringLiteral("field_copyright")).startsWith(QStringLiteral("©")));
        driver.grab(QStringLiteral("info-about.png"));
        driver.click(QStringLiteral("OUI:"));
    });
    EXPECT_EQ(showAbout(), 1);

    FenAboutReglesController* help = showRulesHelp();
    ASSERT_TRUE(help);
    EXPECT_TRUE(shown(*help).startsWith(QStringLiteral("Les règles de classement")));
    WindowDriver(*help).grab(QStringLiteral("info-rules.png"));
    EXPECT_EQ(showRulesHelp(), help) << "one rules help for the whole program";
    help->close();
    EXPECT_EQ(FenAboutReglesController::current(), nullptr);

    initLettres();
    ASSERT_EQ(lettres().size(), 3);
    auto* letter = StdWindowController::push<FenViewLettreController>(
        makeWindowData({{QStringLiteral("path"), lettres().at(0)}}), 0, true);
    EXPECT_TRUE(shown(*letter).contains(QStringLiteral("Madame, Monsieur,")));
    WindowDriver(*letter).grab(QStringLiteral("info-letter.png"));
    letter->close();
}

TEST_F(InfoWindowsTest, OnlyTheExactExtensionIsListedAndARowOpensItsTemplate)
{
    infoFolder({"lettres/Résiliation.rtf", "lettres/Ancienne.RTF", "lettres/Brouillon.html", "lettres/notes.txt",
                "lettres/Relance.rtf"});
    initLettres();
    QStringList names;
    for (const QString& path : lettres())
        names.append(QFileInfo(path).fileName());
    names.sort();
    EXPECT_EQ(names, QStringList({"Relance.rtf", QStringLiteral("Résiliation.rtf")}));

    FenLettreController* list = showLetters();
    ASSERT_TRUE(list);
    list->window();
    EXPECT_EQ(showLetters(), list);
    EXPECT_EQ(list->getPatColor1(0), QColor(217, 240, 249));
    list->perform(QStringLiteral("OUVRIR:"));
    EXPECT_EQ(findOpenWindowController<FenViewLettreController>(-1, -1, -1, -1, -1, -1, -1, -1), nullptr)
        << "nothing opens without a selected row";

    list->table1()->GO(1);
    list->didDoubleClick1(nullptr);
    auto* letter = findOpenWindowController<FenViewLettreController>(-1, -1, -1, -1, -1, -1, -1, -1);
    ASSERT_TRUE(letter);
    EXPECT_EQ(letter->templatePath(), lettres().at(1));
    EXPECT_EQ(shown(*letter), QFileInfo(lettres().at(1)).completeBaseName());
    letter->close();
    list->close();
    EXPECT_EQ(FenLettreController::current(), nullptr);
}

TEST_F(InfoWindowsTest, ExportingALetterCopiesItOpensItOnRequestAndNeverReplacesAFile)
{
    // A user's own letter, as a word processor saved it: shown with its look, exported unchanged.
    const QString folder = infoFolder({});
    QDir().mkpath(folder + QStringLiteral("/lettres"));
    const QString source = folder + QStringLiteral("/lettres/Relance.rtf");
    const QByteArray bytes
        = R"({\rtf1\ansi\ansicpg1252\cocoartf2709{\fonttbl\f0\fnil Palatino;}{\colortbl;\red0\green0\blue0;})"
          R"({\*\expandedcolortbl;;}\paperw11900\paperh16840\pard\qr\f0\fs28 Paris, le 3 mars\par)"
          "\n\\pard {\\b Objet : relance}\\par Madame, Monsieur,\\tab merci.}";
    testenv::writeFile(source, bytes);
    // As the program's own letters are: read-only.
    QFile::setPermissions(source, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString target = testenv::freshDir(QStringLiteral("export")) + QStringLiteral("/Relance.rtf");
    auto* letter = StdWindowController::push<FenViewLettreController>(
        makeWindowData({{QStringLiteral("path"), source}}), 0, true);
    EXPECT_EQ(shown(*letter), QStringLiteral("Paris, le 3 mars\nObjet : relance\nMadame, Monsieur,\tmerci."));
    const QTextBlock first = letter->content()->document()->firstBlock();
    EXPECT_EQ(first.blockFormat().alignment(), Qt::AlignRight);
    EXPECT_TRUE(first.next().begin().fragment().charFormat().font().bold());

    ui().answerSavePanel(target);
    ui().answerAlert(QStringLiteral("kExportLettre_success"), kAlertSecondButton);
    letter->perform(QStringLiteral("EXPORTER:"));
    EXPECT_EQ(ui().panelsShown().saves.value(0).defaultName, QStringLiteral("Relance.rtf"));
    EXPECT_EQ(ui().desktopRequests().openedFiles, QStringList({target}));
    QFile copy(target);
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), bytes);
    copy.close();
    // The user's own file, which the user can save once the letter is filled in.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat status { };
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0666 & ~mask);

    ui().answerSavePanel(target);
    ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_ReplaceExisting")).arg(QStringLiteral("Relance.rtf")),
                     kAlertSecondButton);
    ui().answerAlert(QStringLiteral("kAlerte_exportLettre"), kAlertFirstButton);
    letter->perform(QStringLiteral("EXPORTER:"));
    EXPECT_EQ(ui().alertsShown().last().request.information,
              QStringLiteral("« Relance.rtf » : un élément porte déjà ce nom."));
    EXPECT_EQ(ui().desktopRequests().openedFiles.size(), 1);
    letter->close();
}

TEST_F(InfoWindowsTest, TheAuthorsWindowEndsWithOne)
{
    ui().onModal<FenAuteurController>([](FenAuteurController& window) {
        EXPECT_FALSE(WindowDriver(window).text(QStringLiteral("text_auteur")).isEmpty());
        window.perform(QStringLiteral("OUI:"));
    });
    EXPECT_EQ(doAuteur(nullptr), 1);
}
