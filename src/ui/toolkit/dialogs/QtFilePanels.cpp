#include "toolkit/dialogs/QtFilePanels.h"

#include "foundation/localized.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>

namespace {

QString filterFor(const QStringList& extensions)
{
    QStringList patterns;
    for (const QString& extension : extensions)
        patterns.append(QStringLiteral("*.%1").arg(extension));
    return patterns.join(u' ');
}

// Waited on as a question is: a quit typed in it or in another window brings it forward, to be
// closed by the user.
QString runPanel(QFileDialog& panel)
{
    ModalRunScope scope(&panel);
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
    // runSavePanel asks, in the program's words, before any place that exists is written over.
    setOption(QFileDialog::DontConfirmOverwrite);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setTexts();
    // The user's documents rather than wherever the program was started from.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        setDirectory(documents);
    if (!allowedType.isEmpty()) {
        setNameFilter(filterFor({allowedType}));
        setDefaultSuffix(allowedType);
    }
    selectFile(defaultName);
    connectPackages();
}

void QtSavePanel::setTexts()
{
    setWindowTitle(localizedMisc(QStringLiteral("kMisc_SavePanelTitle")));
    setLabelText(QFileDialog::LookIn, localizedMisc(QStringLiteral("kMisc_SavePanelLookIn")));
    setLabelText(QFileDialog::FileName, localizedMisc(QStringLiteral("kMisc_SavePanelFileName")));
    setLabelText(QFileDialog::FileType, localizedMisc(QStringLiteral("kMisc_SavePanelFileType")));
    setLabelText(QFileDialog::Accept, localizedMisc(QStringLiteral("kMisc_SavePanelAccept")));
    setLabelText(QFileDialog::Reject, localizedMisc(QStringLiteral("kMisc_Annuler")));
}

// Qt titles its button "Open" whenever the choice is a folder, and opens the folder entered: for a
// package the button keeps its title and entering the package chooses it. Qt retitles the button
// when the name changes, the selection moves or a folder's listing arrives: the title is set again
// once Qt's own handlers have run.
void QtSavePanel::connectPackages()
{
    connect(this, &QFileDialog::directoryEntered, this, [this](const QString& folder) { choosePackage(folder); });
    connect(this, &QFileDialog::currentChanged, this, &QtSavePanel::titleAcceptButton, Qt::QueuedConnection);
    if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        connect(name, &QLineEdit::textChanged, this, &QtSavePanel::titleAcceptButton, Qt::QueuedConnection);
    if (auto* files = findChild<QFileSystemModel*>())
        connect(files, &QFileSystemModel::directoryLoaded, this, &QtSavePanel::titleAcceptButton, Qt::QueuedConnection);
}

QPushButton* QtSavePanel::acceptButton() const
{
    auto* buttons = findChild<QDialogButtonBox*>();
    if (!buttons)
        return nullptr;
    for (QAbstractButton* button : buttons->buttons()) {
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
            return qobject_cast<QPushButton*>(button);
    }
    return nullptr;
}

void QtSavePanel::titleAcceptButton()
{
    const QStringList files = selectedFiles();
    QPushButton* button = acceptButton();
    if (button && !files.isEmpty() && isPackage(files.constFirst()))
        button->setText(localizedMisc(QStringLiteral("kMisc_SavePanelAccept")));
}

QString QtSavePanel::chosenPath() const
{
    if (!m_package.isEmpty())
        return m_package;
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : withType(files.constFirst());
}

void QtSavePanel::accept()
{
    const QStringList files = selectedFiles();
    if (!files.isEmpty() && choosePackage(withType(files.constFirst())))
        return;
    QFileDialog::accept();
}

// A name with a dot of its own ("Budget 2026.v2", "Maison.old") is still one of the saved type:
// the type is added to it. Taken for the name's own extension, the part after the dot would later
// give way to the type, and a copy be written over another document of the shorter name.
QString QtSavePanel::withType(const QString& path) const
{
    const QFileInfo typed(path);
    if (m_type.isEmpty() || typed.suffix() == m_type || typed.isDir())
        return path;
    return path + QLatin1Char('.') + m_type;
}

bool QtSavePanel::isPackage(const QString& path) const
{
    const QFileInfo info(path);
    return !m_type.isEmpty() && info.isDir() && info.suffix() == m_type;
}

bool QtSavePanel::choosePackage(const QString& path)
{
    if (!isPackage(path))
        return false;
    m_package = QFileInfo(path).absoluteFilePath();
    QDialog::accept(); // NOLINT(bugprone-parent-virtual-call): QFileDialog's own accept would open the package
    return true;
}

QString QtFilePanels::save(const QString& defaultName, const QString& allowedType)
{
    QtSavePanel panel(QApplication::activeWindow(), defaultName, allowedType);
    ModalRunScope scope(&panel);
    if (panel.exec() != QDialog::Accepted)
        return {};
    return panel.chosenPath();
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
    if (!request.folders && !request.filters.isEmpty())
        panel.setNameFilters(request.filters);
    else if (!request.folders && !request.allowedTypes.isEmpty())
        panel.setNameFilter(filterFor(request.allowedTypes));
    if (!request.startFolder.isEmpty())
        panel.setDirectory(request.startFolder);
    return runPanel(panel);
}
