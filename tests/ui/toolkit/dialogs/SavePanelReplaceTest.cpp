// Whether to write over a file that exists is the program's question (runSavePanel), in its own
// words: Qt's panel takes the file without asking one of its own.
#include "toolkit/dialogs/QtFilePanels.h"

#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

TEST(SavePanelReplace, QtsPanelTakesAnExistingFileWithoutAQuestionOfItsOwn)
{
    const QString dir = testenv::freshDir(QStringLiteral("qt-question"));
    testenv::writeFile(dir + QStringLiteral("/export.csv"), "a;b");
    QtSavePanel panel(nullptr, QStringLiteral("export.csv"), QStringLiteral("csv"));
    panel.setDirectory(dir);
    panel.selectFile(QStringLiteral("export.csv"));
    QStringList asked;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&asked] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked.append(box->text());
            box->reject();
        }
    });
    watch.start(0);
    panel.accept();
    watch.stop();
    EXPECT_EQ(asked, QStringList());
    EXPECT_EQ(panel.result(), QDialog::Accepted);
    EXPECT_EQ(panel.chosenPath(), dir + QStringLiteral("/export.csv"));
}
