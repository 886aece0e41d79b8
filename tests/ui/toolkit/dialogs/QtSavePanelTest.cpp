// The save panel on Qt: a package, a folder with the saved type's extension, is chosen like a
// file, by its name or by opening it, under the button that saves; a plain folder is still opened,
// and a new name still taken.
#include "toolkit/dialogs/QtFilePanels.h"

#include "foundation/localized.h"
#include "support/TestEnvironment.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(QtSavePanel, AnExistingPackageIsChosenLikeAFile)
{
    const QString dir = testenv::freshDir(QStringLiteral("save-panel"));
    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/Copie.svd/Contents/Resources")));
    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/Dossier")));
    const struct {
        const char* typed;
        const char* type;
        const char* chosen; // null: not chosen, the panel stays open
    } cases[] = {
        {"Copie.svd", "svd", "Copie.svd"},
        {"Nouveau", "svd", "Nouveau.svd"},
        {"Copie.old", "svd", "Copie.old.svd"}, // a dot of the name's own, never "Copie.svd"
        {"Budget 2026.v2", "svd", "Budget 2026.v2.svd"},
        {"Dossier", "", nullptr}, // a plain folder is opened
        {"Copie.svd", "", nullptr}, // without a type nothing is a package
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        QtSavePanel panel(nullptr, QString::fromLatin1(c.typed), QString::fromLatin1(c.type));
        panel.setDirectory(dir);
        panel.selectFile(QString::fromLatin1(c.typed));
        // Shown, the folder listed and the name's row selected, as the user sees the panel: Qt
        // then titles its button for opening a folder.
        auto* listing = panel.findChild<QFileSystemModel*>();
        ASSERT_NE(listing, nullptr);
        QSignalSpy loaded(listing, &QFileSystemModel::directoryLoaded);
        panel.show();
        loaded.wait(5000);
        if (auto* view = panel.findChild<QAbstractItemView*>(QStringLiteral("listView"))) {
            const QModelIndex row = listing->index(dir + QLatin1Char('/') + QString::fromLatin1(c.typed));
            if (row.isValid())
                view->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
        }
        QCoreApplication::processEvents();
        if (c.chosen) {
            ASSERT_NE(panel.acceptButton(), nullptr);
            EXPECT_EQ(panel.acceptButton()->text(), localizedMisc(QStringLiteral("kMisc_SavePanelAccept")));
        }
        panel.accept();
        EXPECT_EQ(panel.result() == QDialog::Accepted, c.chosen != nullptr);
        if (c.chosen) {
            EXPECT_EQ(panel.chosenPath(), dir + QLatin1Char('/') + QString::fromLatin1(c.chosen));
        }
    }

    // Opening the package, as a double click does, chooses it too.
    for (const QString& type : {QStringLiteral("svd"), QString()}) {
        QtSavePanel panel(nullptr, QStringLiteral("Autre"), type);
        panel.setDirectory(dir);
        emit panel.directoryEntered(dir + QStringLiteral("/Copie.svd"));
        EXPECT_EQ(panel.result() == QDialog::Accepted, !type.isEmpty()) << qPrintable(type);
        if (!type.isEmpty()) {
            EXPECT_EQ(panel.chosenPath(), dir + QStringLiteral("/Copie.svd"));
        }
    }
}
