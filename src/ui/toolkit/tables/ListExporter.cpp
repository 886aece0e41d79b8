#include "toolkit/tables/ListExporter.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/windows/StdWindowController.h"
#include "toolkit/windows/windowutils.h"

#include "foundation/IDesktop.h"
#include "foundation/diagnostics.h"
#include "foundation/localized.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

namespace {

constexpr qint64 kCopyChunk = 1 << 20;

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

// Left in every folder an export makes, so that a later export to the same name can tell its own
// folder (replaced whole) from anything of the user's (never touched).
const QString kExportMark = QStringLiteral(".sorvanta-export");

// A sub-folder made when missing, reused when there.
bool prepareFolder(const QString& folder, QString* error)
{
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return fail(error, QStringLiteral("%1 exists and is not a folder").arg(folder));
    if (!QDir().mkpath(folder))
        return fail(error, QStringLiteral("cannot create the folder %1").arg(folder));
    return true;
}

bool isEmptyFolder(const QString& path)
{
    return QDir(path).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

// The export's own folder: an earlier export's folder is removed first, so none of its text or
// attachments outlive it; an empty folder (made in the save panel) is used as it is; anything
// else at the place is the user's and stops the export untouched.
bool prepareExportFolder(const QString& folder, ListExporter::Outcome& outcome)
{
    const QFileInfo info(folder);
    if (info.exists() || info.isSymLink()) {
        const bool ours = info.isDir() && !info.isSymLink() && QFileInfo::exists(QDir(folder).filePath(kExportMark));
        if (ours) {
            if (!QDir(folder).removeRecursively())
                svLog(QStringLiteral("cannot remove the earlier export %1").arg(folder));
        } else if (!info.isDir() || info.isSymLink() || !isEmptyFolder(folder)) {
            outcome.inTheWay = true;
            return fail(&outcome.error, QStringLiteral("%1 is there already and no export made it").arg(folder));
        }
    }
    if (!prepareFolder(folder, &outcome.error))
        return false;
    QFile mark(QDir(folder).filePath(kExportMark));
    if (!mark.open(QIODevice::WriteOnly))
        svLog(QStringLiteral("cannot mark the export folder %1: %2").arg(folder, mark.errorString()));
    return true;
}

bool commit(QSaveFile& out, QString* error)
{
    if (out.commit())
        return true;
    return fail(error, QStringLiteral("cannot write %1: %2").arg(out.fileName(), out.errorString()));
}

bool writeText(const QString& path, const QString& text, QString* error)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return fail(error, QStringLiteral("cannot write %1: %2").arg(path, out.errorString()));
    const QByteArray bytes = text.toUtf8();
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return fail(error, QStringLiteral("cannot write %1: %2").arg(path, out.errorString()));
    }
    return commit(out, error);
}

// The copy replaces an earlier one only once it is whole.
bool copyFile(const QString& source, const QString& target, QString* error)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("cannot read %1: %2").arg(source, in.errorString()));
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return fail(error, QStringLiteral("cannot write %1: %2").arg(target, out.errorString()));
    for (;;) {
        const QByteArray chunk = in.read(kCopyChunk);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size())
            break;
    }
    if (in.error() != QFileDevice::NoError || out.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return fail(error, QStringLiteral("cannot copy %1: %2 %3").arg(source, in.errorString(), out.errorString()));
    }
    return commit(out, error);
}

// Two attached files of the same name both get a copy: the later ones are numbered "name 2.pdf",
// "name 3.pdf"...
QString unusedName(const QString& name, QSet<QString>& used)
{
    QString candidate = name;
    const QFileInfo info(name);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QStringLiteral(".") + info.suffix();
    for (int n = 2; used.contains(candidate); ++n)
        candidate = QStringLiteral("%1 %2%3").arg(base).arg(n).arg(suffix);
    used.insert(candidate);
    return candidate;
}

bool copyAttachments(const QString& folder, const QStringList& files, ListExporter::Outcome& outcome)
{
    const QString target = QDir(folder).filePath(ListExporter::attachmentsFolderName());
    if (!prepareFolder(target, &outcome.error))
        return false;
    QSet<QString> used;
    for (const QString& file : files) {
        const QString copy = QDir(target).filePath(unusedName(QFileInfo(file).fileName(), used));
        QString error;
        if (copyFile(file, copy, &error)) {
            outcome.copied.append(copy);
        } else {
            svLog(error);
            outcome.skipped.append(file);
        }
    }
    return true;
}

void showSuccess(StdWindowController& window, const ListExporter::Outcome& outcome)
{
    AlertRequest done;
    done.window = &window;
    done.message = localizedDialogue(QStringLiteral("kExportCSF_success"));
    done.button1 = localizedDialogue(QStringLiteral("LIB_BUTTON_OK"));
    done.button2 = localizedDialogue(QStringLiteral("LIB_BUTTON_OPEN_FINDER"));
    done.button3 = localizedDialogue(QStringLiteral("LIB_BUTTON_SHOW_FINDER"));
    done.imageName = QStringLiteral("exporter");
    done.style = 0;
    done.escapeButton = kAlertFirstButton; // OK opens nothing
    const int code = showAlert(done);
    if (code == kAlertSecondButton)
        HelperSVWorkspace::tryToOpenFileAtPath(outcome.textPath);
    else if (code == kAlertThirdButton)
        UiHost::instance().desktop().revealFile(outcome.folder);
}

void showFailure(StdWindowController& window, const ListExporter::Outcome& outcome)
{
    if (outcome.inTheWay) {
        const QString name = QFileInfo(outcome.folder).fileName();
        showAlertOK(&window, localizedDialogue(QStringLiteral("kExportCSF_exists")).arg(name), QString(),
                    QStringLiteral("exporter"), 0);
        return;
    }
    showAlertOK(&window, localizedDialogue(QStringLiteral("kExportCSF_fail")), QString(), QStringLiteral("exporter"),
                0);
}

} // namespace

QString ListExporter::exportFileName(int format)
{
    return format == kFormatCSV ? QStringLiteral("export.csv") : QStringLiteral("export.txt");
}

QString ListExporter::attachmentsFolderName()
{
    return QStringLiteral("documents attachés");
}

int ListExporter::formatOfSender(const QObject* sender)
{
    return StdMenu::tagOf(sender) == kFormatCSV ? kFormatCSV : kFormatTab;
}

QString ListExporter::exportText(IListExportHooks& hooks, int format)
{
    QString text;
    hooks.EXPORTER_TETE(text, format);
    const long size = hooks.EXPORTER_SIZE();
    for (long index = 0; index < size; ++index)
        hooks.EXPORTER_LISTE(text, index, format);
    hooks.EXPORTER_PIED(text, format);
    return text;
}

ListExporter::Outcome ListExporter::writeExport(const QString& folder, const QString& text, int format,
                                                const std::optional<QStringList>& attachments)
{
    Outcome outcome;
    outcome.folder = folder;
    if (!prepareExportFolder(folder, outcome))
        return outcome;
    outcome.textPath = QDir(folder).filePath(exportFileName(format));
    if (!writeText(outcome.textPath, text, &outcome.error))
        return outcome;
    outcome.succeeded = !attachments || copyAttachments(folder, *attachments, outcome);
    return outcome;
}

void ListExporter::EXPORTER(StdWindowController& window, IListExportHooks& hooks, QObject* sender)
{
    EXPORTER_WITH_FORMAT(window, hooks, formatOfSender(sender));
}

void ListExporter::EXPORTER_WITH_FORMAT(StdWindowController& window, IListExportHooks& hooks, int format)
{
    const QString proposed = window.windowIfLoaded() ? window.windowIfLoaded()->windowTitle() : QString();
    const QString folder = runSavePanel(proposed);
    if (folder.isEmpty())
        return;
    const Outcome outcome = writeExport(folder, exportText(hooks, format), format, hooks.EXPORTER_ATTACHEMENT_ARRAY());
    if (!outcome.succeeded) {
        svLog(outcome.error);
        showFailure(window, outcome);
        return;
    }
    showSuccess(window, outcome);
}
