// Texts that come from outside the program (a phone's name, a line of a damaged file, a name read
// from a bank file) are shown as they are spelt in alerts and questions: markup is never rendered.
#include "import/FenAskImportCompteController.h"
#include "sync/SyncWindows.h"
#include "toolkit/host/QtUiHost.h"
#include "ui/import/ImportUiFixture.h"

#include "document/SVDocumentManager.h"
#include "foundation/LoadIssues.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kMarkup = QStringLiteral("<b>X</b><img src=x><a href=\"https://x\">lien</a><h1>T</h1>");

QString outputPng(const QString& name)
{
    QDir().mkpath(SORV_TEST_OUTPUT_DIR);
    return QStringLiteral(SORV_TEST_OUTPUT_DIR "/") + name;
}

// The real alert box, looked at and answered by its first button.
class OutsideTextInAlerts : public ::testing::Test {
protected:
    void SetUp() override { UiHost::install(m_host.get()); }
    void TearDown() override { UiHost::install(nullptr); }

    // Runs show() with a watcher that records the box's labels once it is up, then closes it.
    QList<std::pair<QString, Qt::TextFormat>> labelsOf(const std::function<void()>& show, const QString& png)
    {
        QList<std::pair<QString, Qt::TextFormat>> labels;
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, &labels, png] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll->stop();
            poll->deleteLater();
            box->grab().save(outputPng(png));
            for (const QLabel* label : box->findChildren<QLabel*>())
                if (!label->text().isEmpty())
                    labels.append({label->text(), label->textFormat()});
            box->buttons().constFirst()->click();
        });
        poll->start(20);
        show();
        return labels;
    }

    std::unique_ptr<UiHost> m_host = makeQtUiHost();
};

TEST_F(OutsideTextInAlerts, APhonesNameAndALineOfADamagedFileAreShownAsTheyAreSpelt)
{
    SyncWindows sync;
    const auto phone = labelsOf(
        [&] {
            sync.confirmPhone({QStringLiteral("kConfirm_Embarquer_iPhone"), kMarkup, "10.0.0.2"});
        },
        "alert-phone-name.png");
    const LoadIssue issue {QStringLiteral("transact.xml"), 3,
                           QStringLiteral("contenu inattendu : « %1 »").arg(kMarkup)};
    const auto damaged
        = labelsOf([&] { SVDocumentManager::informDocErrorAndAskContinue(DocError::Transact, false, {}, {}, {issue}); },
                   "alert-damaged-file.png");
    for (const auto& labels : {phone, damaged}) {
        ASSERT_GE(labels.size(), 2);
        for (const auto& [text, format] : labels)
            EXPECT_EQ(format, Qt::PlainText) << text.toStdString();
        EXPECT_TRUE(
            std::any_of(labels.begin(), labels.end(), [](const auto& label) { return label.first.contains(kMarkup); }));
    }
}

class OutsideTextInImportQuestions : public importui::ImportUiTest { };

TEST_F(OutsideTextInImportQuestions, TheNameReadFromTheBankFileIsShownAsItIsSpelt)
{
    std::pair<QString, Qt::TextFormat> shown;
    ui().onModal<FenAskImportCompteController>([&shown](FenAskImportCompteController& w) {
        const auto* old = w.outlet<QLabel>(QStringLiteral("field_old"));
        shown = {old->text(), old->textFormat()};
        w.windowIfLoaded()->grab().save(outputPng(QStringLiteral("import-question-payee.png")));
        w.perform(QStringLiteral("NON:"));
    });
    WindowDataPtr data = makeWindowData({{QStringLiteral("old"), kMarkup}});
    StdWindowController::pushModal<FenAskImportCompteController>(nullptr, data, 1);
    EXPECT_EQ(shown, std::make_pair(kMarkup, Qt::PlainText));
}

} // namespace
