#pragma once
// Open and save panels on QFileDialog, run modally over the active window.
#include "toolkit/host/UiHost.h"

#include <QFileDialog>

class QPushButton;

class QtFilePanels : public IFilePanels {
public:
    QString save(const QString& defaultName, const QString& allowedType) override;
    QString open(const OpenPanelRequest& request) override;
};

// The save panel. A document of some types is a package, a folder with the type's extension:
// Qt's panel would open such a folder rather than choose it. This one takes an existing package,
// chosen by its name or by opening it, as its answer like a file. Whether to write over what
// exists, package or file, is asked by runSavePanel, never by the panel.
class QtSavePanel : public QFileDialog {
    Q_OBJECT
public:
    QtSavePanel(QWidget* parent, const QString& defaultName, const QString& allowedType);

    // The path chosen; meaningful once the panel was accepted.
    QString chosenPath() const;

    // The button that saves, titled for saving even when the choice is a package.
    QPushButton* acceptButton() const;

    void accept() override;

private:
    void setTexts();
    void connectPackages();
    void titleAcceptButton();
    // The path with the saved type's extension, added when the name has another.
    QString withType(const QString& path) const;
    bool isPackage(const QString& path) const;
    bool choosePackage(const QString& path);

    QString m_type;
    QString m_package;
};
