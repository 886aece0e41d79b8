#include "toolkit/dialogs/QtFilePanels.h"

#include <QApplication>
#include <QFileDialog>

namespace {

QString filterFor(const QStringList& extensions)
{
    QStringList patterns;
    for (const QString& extension : extensions)
        patterns.append(QStringLiteral("*.%1").arg(extension));
    return patterns.join(u' ');
}

QString runPanel(QFileDialog& panel)
{
    ModalRunScope scope;
    if (panel.exec() != QDialog::Accepted || panel.selectedFiles().isEmpty())
        return {};
    return panel.selectedFiles().constFirst();
}

} // namespace

QString QtFilePanels::save(const QString& defaultName, const QString& allowedType)
{
    QFileDialog panel(QApplication::activeWindow());
    // Qt's own chooser speaks the program's French; a desktop's would speak the machine's language.
    panel.setOption(QFileDialog::DontUseNativeDialog);
    panel.setAcceptMode(QFileDialog::AcceptSave);
    panel.setFileMode(QFileDialog::AnyFile);
    if (!allowedType.isEmpty()) {
        panel.setNameFilter(filterFor({allowedType}));
        panel.setDefaultSuffix(allowedType);
    }
    panel.selectFile(defaultName);
    return runPanel(panel);
}

QString QtFilePanels::open(const OpenPanelRequest& request)
{
    QFileDialog panel(QApplication::activeWindow(), request.title);
    panel.setOption(QFileDialog::DontUseNativeDialog);
    panel.setAcceptMode(QFileDialog::AcceptOpen);
    panel.setFileMode(request.folders ? QFileDialog::Directory : QFileDialog::ExistingFile);
    panel.setOption(QFileDialog::ShowDirsOnly, request.folders);
    if (!request.prompt.isEmpty())
        panel.setLabelText(QFileDialog::Accept, request.prompt);
    if (!request.folders && !request.allowedTypes.isEmpty())
        panel.setNameFilter(filterFor(request.allowedTypes));
    if (!request.startFolder.isEmpty())
        panel.setDirectory(request.startFolder);
    return runPanel(panel);
}
