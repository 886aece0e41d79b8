// The question shown for a damaged document, as the user sees it: the member cut short comes
// before the minor faults of its records, and the count of the others reads right in French.
#include "uisupport/AlertGrab.h"
#include "uisupport/UiTestFixture.h"

#include "document/SVDocumentManager.h"
#include "foundation/localized.h"

class DamagedDocumentAlertTest : public UiTestFixture { };

TEST_F(DamagedDocumentAlertTest, TheMemberCutShortIsShownFirstAndTheOthersCounted)
{
    QList<LoadIssue> issues;
    for (long record = 1; record <= 5; ++record)
        issues.append({"transact.xml", record, "montant « solde » absent ou vide, lu comme zéro"});
    issues.append({"transact.xml", 6,
                   "XML endommagé ligne 80 (le fichier s'arrête au milieu) ; la suite du fichier est perdue", true});
    ui().answerAlert(QStringLiteral("kAlerte_CannotOpenDoc"), kAlertFirstButton);
    SVDocumentManager::informDocErrorAndAskContinue(DocError::Transact, false, {}, {}, issues);
    ASSERT_EQ(ui().alertsShown().size(), 1);
    const AlertRequest request = ui().alertsShown().first().request;
    const QStringList lines = request.information.split(u'\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[2].contains(QStringLiteral("s'arrête au milieu"))) << lines[2].toStdString();
    EXPECT_EQ(lines.last(), QStringLiteral("… et 1 autre problème (voir le journal)."));

    // The real alert, drawn as the desktop shows it.
    const QImage shown = grabAlert(request);
    ASSERT_FALSE(shown.isNull());
    if (const QByteArray out = qgetenv("SORV_GRAB_DIR"); !out.isEmpty())
        shown.save(QString::fromLocal8Bit(out) + QStringLiteral("/damaged-document-alert.png"));
}
