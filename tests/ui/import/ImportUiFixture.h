#pragma once
// The household of the entry window's tests with the import's windows installed, a statement
// window on its current account (7), and the bank files of one month written in each format:
//   02/06/2024 Pain      -12,50  Boulangerie (22)
//   05/06/2024 Virement  1800,00 Employeur (23)
//   07/06/2024 Cinéma     -9,00  Cinéma Rex (not in the document)
#include "../transactions/SaisieUiFixture.h"

#include "app/ImportWindowServices.h"
#include "import/FenAskImportCompteController.h"
#include "import/FenAskImportDeviseController.h"
#include "import/FenAskImportFiscalController.h"
#include "import/FenAskImportMoyenController.h"
#include "import/FenAskImportPosteController.h"
#include "import/FenEditImportController.h"
#include "import/FenEditImportTABController.h"
#include "transactions/FenReleveController.h"

#include "import/ImportManager.h"
#include "toolkit/dialogs/FenAskPoursuivreController.h"

#include <QTemporaryDir>

namespace importui {

class ImportUiTest : public saisieui::SaisieUiTest {
public:
    static QByteArray csv()
    {
        return QStringLiteral("Date;Libellé;Montant;Tiers\r\n"
                              "02/06/2024;Pain;-12,50;Boulangerie\r\n"
                              "05/06/2024;Virement;1 800,00;Employeur\r\n"
                              "07/06/2024;Cinéma;-9,00;Cinéma Rex\r\n")
            .toUtf8();
    }
    static QByteArray tab() { return csv().replace(';', '\t'); }
    static QByteArray qif()
    {
        return QStringLiteral("!Type:Bank\nD02/06/2024\nT-12,50\nPBoulangerie\nMPain\n^\n"
                              "D05/06/2024\nT1800,00\nPEmployeur\nMVirement\n^\n"
                              "D07/06/2024\nT-9,00\nPCinéma Rex\nMCinéma\n^\n")
            .toUtf8();
    }
    static QByteArray ofx()
    {
        const auto block = [](const char* date, const char* amount, const char* name, const char* memo) {
            return QStringLiteral("<STMTTRN><TRNTYPE>OTHER<DTPOSTED>%1<TRNAMT>%2<NAME>%3<MEMO>%4</STMTTRN>\n")
                .arg(QLatin1String(date), QLatin1String(amount), QString::fromUtf8(name), QString::fromUtf8(memo));
        };
        return (QStringLiteral("OFXHEADER:100\n<OFX><BANKTRANLIST>\n")
                + block("20240602", "-12.50", "Boulangerie", "Pain")
                + block("20240605", "1800.00", "Employeur", "Virement")
                + block("20240607", "-9.00", "Cinéma Rex", "Cinéma") + QStringLiteral("</BANKTRANLIST></OFX>\n"))
            .toUtf8();
    }

protected:
    ImportUiTest()
    {
        ImportManager::sharedInstance().installServices(services.services());
        recomputeAllReleves(&doc);
    }
    ~ImportUiTest() override
    {
        ImportManager::goodbye();
        ImportManager::sharedInstance().installServices({});
    }

    QString writeBankFile(const QString& name, const QByteArray& bytes) const
    {
        const QString path = dir.filePath(name);
        testenv::writeFile(path, bytes);
        return path;
    }
    FenReleveController* releve() { return openReleveWindow(7, true, 0, doc); }

    // The review confirmed, the run confirmed, the first record's entry window answering "import
    // all the rest".
    void confirmRun()
    {
        ui().onModal<FenEditImportController>([](FenEditImportController& w) { w.perform(QStringLiteral("OUI:")); });
        ui().onModal<FenAskPoursuivreController>(
            [](FenAskPoursuivreController& w) { w.perform(QStringLiteral("OUI:")); });
        ui().onModal<FenEditSaisieController>(
            [](FenEditSaisieController& w) { w.perform(QStringLiteral("TOUT_IMPORTER:")); });
    }

    static FenEditImportTABController* openEditor()
    {
        return findOpenWindowController<FenEditImportTABController>(-1, -1, -1, -1, -1, -1, -1, -1);
    }

    // The roles of the bank's columns: date, label, amount, payee; the unknown payee mapped to
    // the broker (24) when its question comes.
    void giveRoles(FenEditImportTABController& editor)
    {
        ui().onModal<FenAskImportCompteController>([](FenAskImportCompteController& w) {
            w.pickers().compteDID = 24;
            w.perform(QStringLiteral("OUI:"));
        });
        editor.RUBRIQUE(ImportRubrique::DateJMA, 0, true);
        editor.RUBRIQUE(ImportRubrique::Info, 1, true);
        editor.RUBRIQUE(ImportRubrique::MontantSeul, 2, true);
        editor.RUBRIQUE(ImportRubrique::Contre, 3, true);
    }

    ImportWindowServices services;
    QTemporaryDir dir;
};

} // namespace importui
