// The statement editor: what each button does to the statement handed in.
#include "transactions/FenEditReleveController.h"

#include "uisupport/UiTestFixture.h"
#include "uisupport/WindowDriver.h"

#include "foundation/dates.h"
#include "foundation/localized.h"

#include <QTest>

using FenEditReleveControllerTest = UiTestFixture;

// Typed over the name and the day (null leaves them), the button, then what the statement holds.
TEST_F(FenEditReleveControllerTest, EachButtonLeavesOrTakesWhatWasTyped)
{
    const auto may = [](long day, long hour) {
        double t = 0;
        dmyhmsToDate(day, 5, 2024, hour, 0, 0, &t);
        return t;
    };
    const std::tuple<const char*, const char*, const char*, long, const char*, double> cases[] = {
        {"Mai", "31", "NON:", kEditReleveAnnule, "Relevé 12", may(10, 14)},
        {"Mai", "31", "OUI:", kEditReleveOK, "Mai", may(31, 0)},
        {"Mai", "3", "POINTER:", kEditRelevePointer, "Mai", may(3, 0)},
        {"", nullptr, "OUI:", kEditReleveOK, "", may(10, 14)}, // an empty name is taken
        {nullptr, "10", "OUI:", kEditReleveOK, "Relevé 12", may(10, 14)}, // the same day keeps its time
    };
    for (const auto& [name, day, action, result, nameAfter, dateAfter] : cases) {
        RELEVE edited;
        edited.nom_v3 = QStringLiteral("Relevé 12");
        edited.ident = 4;
        edited.date = may(10, 14);
        ui().onModal<FenEditReleveController>([&](FenEditReleveController& editor) {
            WindowDriver window(editor);
            EXPECT_EQ(window.text(QStringLiteral("field_nom")), QStringLiteral("Relevé 12"));
            EXPECT_EQ(window.text(QStringLiteral("field_jour1")), QStringLiteral("10"));
            if (name)
                window.type(QStringLiteral("field_nom"), QString::fromUtf8(name));
            if (name && !*name) // typing nothing over the selection leaves it: the user deletes it
                QTest::keyClick(window.widget(QStringLiteral("field_nom")), Qt::Key_Backspace);
            if (day)
                window.type(QStringLiteral("field_jour1"), QString::fromLatin1(day));
            window.grab(QStringLiteral("FenEditReleve.png"));
            window.click(QString::fromLatin1(action));
        });
        EXPECT_EQ(editReleveDialog(nullptr, edited), result) << action;
        EXPECT_EQ(edited.nom_v3, QString::fromUtf8(nameAfter));
        EXPECT_DOUBLE_EQ(edited.date, dateAfter);
        EXPECT_EQ(edited.ident, 4);
    }
}

// A day its month lacks is named and refused: the editor stays open on what was typed.
TEST_F(FenEditReleveControllerTest, ADayTheMonthLacksKeepsTheEditorOpen)
{
    RELEVE edited;
    edited.date = 0;
    dmyToDate(10, 5, 2024, &edited.date);
    const double before = edited.date;
    ui().answerAlert(localizedDialogue(QStringLiteral("kAlerte_DateInexistante")).arg(QStringLiteral("31/06/2024")),
                     kAlertFirstButton);
    ui().onModal<FenEditReleveController>([&](FenEditReleveController& editor) {
        WindowDriver window(editor);
        window.type(QStringLiteral("field_mois1"), QStringLiteral("6"));
        window.type(QStringLiteral("field_jour1"), QStringLiteral("31"));
        window.click(QStringLiteral("OUI:"));
        EXPECT_EQ(window.text(QStringLiteral("field_jour1")), QStringLiteral("31"));
        window.click(QStringLiteral("NON:"));
    });
    EXPECT_EQ(editReleveDialog(nullptr, edited), kEditReleveAnnule);
    EXPECT_EQ(edited.date, before);
    EXPECT_EQ(ui().alertsShown().size(), 1);
}
