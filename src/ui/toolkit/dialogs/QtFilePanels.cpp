#include "toolkit/dialogs/QtFilePanels.h"

#include <QApplication>
#include <QFileInfo>

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

QtSavePanel::QtSavePanel(QWidget* parent, const QString& defaultName, const QString& allowedType)
    : QFileDialog(parent)
    , m_type(allowedType)
{
    // Only the panel drawn by Qt lets accept() see the choice before it is taken.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    if (!allowedType.isEmpty()) {
        setNameFilter(filterFor({allowedType}));
        setDefaultSuffix(allowedType);
    }
    selectFile(defaultName);
    connect(this, &QFileDialog::directoryEntered, this, [this](const QString& folder) { choosePackage(folder); });
}

QString QtSavePanel::chosenPath() const
{
    if (!m_package.isEmpty())
        return m_package;
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.constFirst();
}

void QtSavePanel::accept()
{
    const QStringList files = selectedFiles();
    if (!files.isEmpty() && choosePackage(files.constFirst()))
        return;
    QFileDialog::accept();
}

bool QtSavePanel::choosePackage(const QString& path)
{
    const QFileInfo info(path);
    if (m_type.isEmpty() || !info.isDir() || info.suffix() != m_type)
        return false;
    m_package = info.absoluteFilePath();
    QDialog::accept();
    return true;
}

QString QtFilePanels::save(const QString& defaultName, const QString& allowedType)
{
    QtSavePanel panel(QApplication::activeWindow(), defaultName, allowedType);
    ModalRunScope scope;
    if (panel.exec() != QDialog::Accepted)
        return {};
    return panel.chosenPath();
}

QString QtFilePanels::open(const OpenPanelRequest& request)
{
    QFileDialog panel(QApplication::activeWindow(), request.title);
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
