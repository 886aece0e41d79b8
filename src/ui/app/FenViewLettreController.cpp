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

int FenViewLettreController::exportTemplate(const QString& source, const QString& destination)
{
    if (QFileInfo::exists(destination))
        return EEXIST;
    if (!QFileInfo::exists(source))
        return ENOENT;
    QFile file(source);
    if (file.copy(destination))
        return 0;
    // The copy's own error when the system gave none.
    return errno != 0 ? errno : int(file.error());
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
    const int answer
        = showAlert(this, localizedDialogue(QStringLiteral("kExportLettre_success")), QString(),
                    localizedDialogue(QStringLiteral("LIB_BUTTON_OK")),
                    localizedDialogue(QStringLiteral("LIB_BUTTON_OPEN_FINDER")), QString(), QStringLiteral("plume"), 1);
    if (answer == 1001)
        HelperSVWorkspace::tryToOpenFileAtPath(destination);
}
