#pragma once
// Exporting what a list window lists as a text file, tab-separated (format 0, "export.txt") or
// CSV (format 1, "export.csv"), into a folder the user names in a save panel, with copies of the
// files attached to the exported rows in its sub-folder "documents attachés". The text is UTF-8;
// its lines end with CR and its fields are made safe by the cleaning rules of the import manager
// (exportFieldSeparator, exportLineEnd, exportSanitizeField), which every list's hooks use.
//
// A list window supplies the text through the hooks of IListExportHooks and routes its export
// action here:
//     Q_INVOKABLE void EXPORTER(QObject* sender) { ListExporter::EXPORTER(*this, *this, sender); }
//
// An export to the name of an earlier export replaces that folder whole, attachments included; an
// empty folder is used as it is; anything else at the chosen place (a file, a folder of the
// user's) is kept and the export stops, telling the user so. The text is written through a
// temporary file, so a failed write never leaves half a file.
#include "import/ImportManager.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class StdWindowController;

// What a list window writes into an export; the defaults export nothing.
class IListExportHooks {
public:
    virtual ~IListExportHooks() = default;
    // The number of data rows.
    virtual long EXPORTER_SIZE() { return 0; }
    // Appends the header lines.
    virtual void EXPORTER_TETE(QString& text, int format)
    {
        Q_UNUSED(text);
        Q_UNUSED(format);
    }
    // Appends the lines of the row at index.
    virtual void EXPORTER_LISTE(QString& text, long index, int format)
    {
        Q_UNUSED(text);
        Q_UNUSED(index);
        Q_UNUSED(format);
    }
    // Appends the footer lines.
    virtual void EXPORTER_PIED(QString& text, int format)
    {
        Q_UNUSED(text);
        Q_UNUSED(format);
    }
    // The paths of the attached files to copy beside the text; none makes no sub-folder, an
    // empty list an empty one.
    virtual std::optional<QStringList> EXPORTER_ATTACHEMENT_ARRAY() { return std::nullopt; }
};

class ListExporter {
public:
    static constexpr int kFormatTab = kImportFormatTab;
    static constexpr int kFormatCSV = kImportFormatCSV;

    // What one export wrote.
    struct Outcome {
        // The text and the attachments folder were written; an attached file that could not be
        // copied is only skipped.
        bool succeeded = false;
        QString folder;
        QString textPath;
        QStringList copied; // the copies made, in list order
        QStringList skipped; // the attached files that could not be copied
        QString error; // why the export failed, when it did
        bool inTheWay = false; // something not made by an export was at the chosen place
    };

    // "export.txt" for format 0, "export.csv" for format 1.
    static QString exportFileName(int format);
    static QString attachmentsFolderName();
    // The format an export action asks for: its tag 1 is CSV, any other tag tab-separated.
    static int formatOfSender(const QObject* sender);
    // The whole text: the header, each row from 0 to EXPORTER_SIZE - 1, the footer.
    static QString exportText(IListExportHooks& hooks, int format);
    // Writes the text and copies the attachments into the folder.
    static Outcome writeExport(const QString& folder, const QString& text, int format,
                               const std::optional<QStringList>& attachments);

    // The export action of a list window: the format of the sender, then EXPORTER_WITH_FORMAT.
    static void EXPORTER(StdWindowController& window, IListExportHooks& hooks, QObject* sender);
    // Proposes the window's title in a save panel (a cancel ends silently), writes the export and
    // tells the user in an alert on the window: on success the written file can be opened or
    // shown in its folder from the alert.
    static void EXPORTER_WITH_FORMAT(StdWindowController& window, IListExportHooks& hooks, int format);
};
