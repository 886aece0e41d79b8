#include "app/FenViewLettreController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/windows/windowutils.h"

#include "foundation/IDesktop.h"
#include "foundation/fileerrors.h"
#include "foundation/localized.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <cerrno>

QString FenViewLettreController::templatePath() const
{
    const WindowDataPtr data = getData();
    return data ? data->value(QStringLiteral("path")).toString() : QString();
}

void FenViewLettreController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenViewLettre"));
    window.setWindowTitle(QFileInfo(templatePath()).completeBaseName());
    auto* exporter = new QPushButton(localizedAppl(QStringLiteral("FenViewLettre_exporter")), &window);
    exporter->setObjectName(QStringLiteral("button_exporter"));
    connectAction(exporter, QStringLiteral("EXPORTER:"));
    exporter->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 12);
    buttons->addStretch();
    buttons->addWidget(exporter);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(makeContent(window, 560, 520), 1);
    layout->addLayout(buttons);
}

// The letter becomes a file of the user's, made with the mode every new file of theirs gets: a
// copy would keep the read-only mode of the program's own resource, and the letter, once filled
// in, could not be saved.
int FenViewLettreController::exportTemplate(const QString& source, const QString& destination)
{
    if (QFileInfo::exists(destination))
        return EEXIST;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return errno != 0 ? errno : ENOENT;
    const QByteArray bytes = in.readAll();
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return errno != 0 ? errno : EEXIST;
    if (out.write(bytes) == bytes.size() && out.flush()) {
        out.close();
        return 0;
    }
    // Nothing half written stays behind; the write's own error when the system gave none.
    const int error = errno != 0 ? errno : EIO;
    out.remove();
    return error;
}

void FenViewLettreController::EXPORTER(QObject*)
{
    const QString source = templatePath();
    const QString destination = runSavePanel(QFileInfo(source).fileName());
    if (destination.isEmpty())
        return;
    errno = 0;
    const int error = exportTemplate(source, destination);
    if (error != 0) {
        showAlertOK(this, localizedDialogue(QStringLiteral("kAlerte_exportLettre")),
                    fileErrorInformation(destination, error), QStringLiteral("exporter"), 2);
        return;
    }
    AlertRequest done;
    done.window = this;
    done.message = localizedDialogue(QStringLiteral("kExportLettre_success"));
    done.button1 = localizedDialogue(QStringLiteral("LIB_BUTTON_OK"));
    done.button2 = localizedDialogue(QStringLiteral("LIB_BUTTON_OPEN_FINDER"));
    done.imageName = QStringLiteral("plume");
    done.escapeButton = kAlertFirstButton; // OK opens nothing
    if (showAlert(done) == kAlertSecondButton)
        HelperSVWorkspace::tryToOpenFileAtPath(destination);
}
