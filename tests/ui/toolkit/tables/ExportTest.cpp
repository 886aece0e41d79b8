// Exporting a list: a small list window writes its rows through the export hooks, the file is read
// back field by field in both formats, and what the export leaves at the chosen place is checked:
// the text file, the copies of the attached files, and everything it must not touch.
#include "toolkit/tables/ListExporter.h"
#include "toolkit/windows/StdWindowWithTableController.h"
#include "uisupport/UiTestFixture.h"

#include "foundation/localized.h"
#include "import/ImportManager.h"
#include "support/TestEnvironment.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

struct Row {
    QString date;
    QString label;
    QString montant;
};

// Three columns, a header with their titles and a footer with the number of rows.
class ExportedList : public StdWindowWithTableController, public IListExportHooks {
    Q_OBJECT
public:
    QList<Row> rows;
    std::optional<QStringList> attachments;

    Q_INVOKABLE void EXPORTER(QObject* sender) { ListExporter::EXPORTER(*this, *this, sender); }

    long EXPORTER_SIZE() override { return rows.size(); }
    void EXPORTER_TETE(QString& text, int format) override { appendLine(text, {"Date", "Libellé", "Montant"}, format); }
    void EXPORTER_LISTE(QString& text, long index, int format) override
    {
        const Row& row = rows.at(index);
        appendLine(text, {row.date, row.label, row.montant}, format);
    }
    void EXPORTER_PIED(QString& text, int format) override
    {
        appendLine(text, {QStringLiteral("%1 opérations").arg(rows.size())}, format);
    }
    std::optional<QStringList> EXPORTER_ATTACHEMENT_ARRAY() override { return attachments; }

protected:
    void buildInterface(StdWindow& window) override { window.setWindowTitle(QStringLiteral("Compte courant")); }

private:
    static void appendLine(QString& text, const QStringList& fields, int format)
    {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i > 0)
                text += exportFieldSeparator(format);
            text += exportSanitizeField(fields.at(i), format);
        }
        text += exportLineEnd(format);
    }
};

QString readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QList<QStringList> records(const QString& text, QChar separator)
{
    QList<QStringList> out;
    for (const QString& line : text.split(u'\r', Qt::SkipEmptyParts))
        out.append(line.split(separator));
    return out;
}

QAction* formatItem(int tag)
{
    auto* item = new QAction(qApp);
    item->setData(tag);
    return item;
}

class ExportTest : public UiTestFixture {
protected:
    ExportTest()
    {
        APPLIPARAM::loadAppliParam().doSoundsOpen = false;
        list = StdWindowController::push<ExportedList>(makeWindowData(), 0, true);
        list->rows = {{"03/02/2025", "Marché; fromages", "-23,40"},
                      {"05/02/2025", "Loyer\nfévrier", "-650,00"},
                      {"07/02/2025", "Virement\tépargne", "-100,00"}};
    }
    ~ExportTest() override { list->close(); }

    ExportedList* list = nullptr;
};

TEST_F(ExportTest, ExportedListReadsBackFieldByField)
{
    const QString folder = testenv::freshDir(QStringLiteral("export-read")) + QStringLiteral("/Compte courant");
    ui().answerSavePanel(folder);
    ui().answerAlert(localizedDialogue(QStringLiteral("kExportCSF_success")), kAlertSecondButton);
    list->perform(QStringLiteral("EXPORTER:"), formatItem(ListExporter::kFormatCSV));

    EXPECT_EQ(ui().panelsShown().saves.at(0).defaultName, QStringLiteral("Compte courant"));
    const QString csvPath = folder + QStringLiteral("/export.csv");
    EXPECT_EQ(ui().desktopRequests().openedFiles, QStringList({csvPath}));
    const QString csv = readFile(csvPath);
    EXPECT_FALSE(csv.contains(u'\n'));
    EXPECT_TRUE(csv.endsWith(u'\r'));
    const QList<QStringList> csvRecords = records(csv, u';');
    ASSERT_EQ(csvRecords.size(), 5);
    EXPECT_EQ(csvRecords[0], QStringList({"Date", "Libellé", "Montant"}));
    EXPECT_EQ(csvRecords[1], QStringList({"03/02/2025", "Marché. fromages", "-23,40"}));
    EXPECT_EQ(csvRecords[2], QStringList({"05/02/2025", "Loyer février", "-650,00"}));
    EXPECT_EQ(csvRecords[3], QStringList({"07/02/2025", "Virement\tépargne", "-100,00"}));
    EXPECT_EQ(csvRecords[4], QStringList({"3 opérations"}));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/documents attachés")));

    // Tab-separated to the same name: the earlier export gives way; the ";" stays, the TAB becomes
    // a space.
    ui().answerSavePanel(folder);
    ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_ReplaceExisting")).arg("Compte courant"),
                     kAlertSecondButton);
    ui().answerAlert(kAlertThirdButton);
    list->perform(QStringLiteral("EXPORTER:"), formatItem(0));
    EXPECT_EQ(ui().desktopRequests().revealedFiles, QStringList({folder}));
    const QList<QStringList> tabRecords = records(readFile(folder + QStringLiteral("/export.txt")), u'\t');
    ASSERT_EQ(tabRecords.size(), 5);
    EXPECT_EQ(tabRecords[1], QStringList({"03/02/2025", "Marché; fromages", "-23,40"}));
    EXPECT_EQ(tabRecords[3], QStringList({"07/02/2025", "Virement épargne", "-100,00"}));
    EXPECT_FALSE(QFileInfo::exists(csvPath));

    // An empty list: the header and the footer only.
    list->rows.clear();
    EXPECT_EQ(ListExporter::exportText(*list, 1), QStringLiteral("Date;Libellé;Montant\r0 opérations\r"));

    // A cancelled panel writes nothing and says nothing.
    ui().answerSavePanel(QString());
    list->perform(QStringLiteral("EXPORTER:"), formatItem(1));
    EXPECT_EQ(ui().alertsShown().size(), 3);
}

TEST_F(ExportTest, AnEarlierExportIsReplacedWholeAndNothingOfTheUsersIsTouched)
{
    const QString root = testenv::freshDir(QStringLiteral("export-files"));
    writeFile(root + QStringLiteral("/a/facture.pdf"), "janvier");
    writeFile(root + QStringLiteral("/b/facture.pdf"), "février");
    writeFile(root + QStringLiteral("/a/ticket"), "ticket");
    const QString folder = root + QStringLiteral("/Compte courant");

    const ListExporter::Outcome first = ListExporter::writeExport(
        folder, QStringLiteral("texte\r"), 1,
        QStringList({root + "/a/facture.pdf", root + "/gone.pdf", root + "/b/facture.pdf", root + "/a/ticket"}));
    ASSERT_TRUE(first.succeeded) << first.error.toStdString();
    const QString attached = folder + QStringLiteral("/documents attachés");
    EXPECT_EQ(readFile(attached + QStringLiteral("/facture.pdf")), QStringLiteral("janvier"));
    EXPECT_EQ(readFile(attached + QStringLiteral("/facture 2.pdf")), QStringLiteral("février"));
    EXPECT_EQ(readFile(attached + QStringLiteral("/ticket")), QStringLiteral("ticket"));
    EXPECT_EQ(first.skipped, QStringList({root + "/gone.pdf"}));
    EXPECT_EQ(readFile(folder + QStringLiteral("/export.csv")), QStringLiteral("texte\r"));

    // Again to the same name, in the other format: nothing of the first export is left.
    writeFile(root + QStringLiteral("/a/facture.pdf"), "janvier corrigé");
    const ListExporter::Outcome second
        = ListExporter::writeExport(folder, QStringLiteral("nouveau\r"), 0, QStringList({root + "/a/facture.pdf"}));
    ASSERT_TRUE(second.succeeded);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"export.txt"}));
    EXPECT_EQ(QDir(attached).entryList(QDir::Files), QStringList({"facture.pdf"}));
    EXPECT_EQ(readFile(attached + QStringLiteral("/facture.pdf")), QStringLiteral("janvier corrigé"));

    // A folder of the user's is never replaced; an empty one (made in the save panel) is used.
    const QString papiers = root + QStringLiteral("/Mes papiers");
    writeFile(papiers + QStringLiteral("/notes.txt"), "à garder");
    const ListExporter::Outcome refused = ListExporter::writeExport(papiers, QStringLiteral("x\r"), 1, std::nullopt);
    EXPECT_FALSE(refused.succeeded);
    EXPECT_TRUE(refused.inTheWay);
    EXPECT_EQ(QDir(papiers).entryList(QDir::Files), QStringList({"notes.txt"}));
    const QString empty = root + QStringLiteral("/Vide");
    QDir().mkpath(empty);
    ASSERT_TRUE(ListExporter::writeExport(empty, QString(), 0, QStringList()).succeeded);
    EXPECT_TRUE(QDir(empty + QStringLiteral("/documents attachés")).isEmpty());
}

TEST_F(ExportTest, AFileInTheWayIsKeptAndTheUserIsTold)
{
    const QString path = testenv::freshDir(QStringLiteral("export-inway")) + QStringLiteral("/Compte courant");
    writeFile(path, "mon fichier");
    ui().answerSavePanel(path);
    ui().answerAlert(localizedDialogue(QStringLiteral("kConfirm_ReplaceExisting")).arg("Compte courant"),
                     kAlertSecondButton);
    ui().answerAlert(localizedDialogue(QStringLiteral("kExportCSF_exists")).arg("Compte courant"), kAlertFirstButton);
    list->perform(QStringLiteral("EXPORTER:"), formatItem(1));
    EXPECT_EQ(ui().alertsShown().size(), 2);
    EXPECT_EQ(readFile(path), QStringLiteral("mon fichier"));
    EXPECT_TRUE(ui().desktopRequests().openedFiles.isEmpty());
}

} // namespace

#include "ExportTest.moc"
