// An editor opened as the user opens it and closed by Return without a change leaves what the
// document saves as it was: a rate shown with two decimals keeps all of its own, a text keeps its
// carriage returns and its non-breaking spaces. A rate typed is kept as the tax file holds it.
#include "../transactions/SaisieUiFixture.h"

#include "entities/FenBanqueController.h"
#include "entities/FenEditBanqueController.h"
#include "entities/FenEditCompteController.h"
#include "entities/FenEditTaxeController.h"
#include "entities/FenTaxeController.h"
#include "toolkit/tables/StdTableView.h"

#include "document/SVDocumentManager.h"
#include "model/TransactOps.h"

#include <QApplication>

namespace {

class UntouchedEditorsTest : public saisieui::SaisieUiTest {
protected:
    UntouchedEditorsTest()
    {
        getTool(kToolBanque, 10, &doc)->infos = QStringLiteral("12 rue des Lilas\r75000 Paris\r");
        getTool(kToolCompte, 7, &doc)->infos = QStringLiteral("Agence Centre\rGuichet 4");
        doc.taxeHdl[0].rate = 8.125;
        TRANSACT noted = withNote(QStringLiteral("Ligne A\r\nLigne B\rfin"));
        noted.why = QStringLiteral("Facture\u00a0n°\u00a012");
        makeTransact(noted, nullptr, &doc, false, false);
    }
    // The editor's answer: what the user types first (may be empty), then Return.
    template <class Editor> void answerByReturn(const char* field = nullptr, const char* typed = nullptr)
    {
        ui().onModal<Editor>([field, typed](Editor& editor) {
            WindowDriver window(editor);
            if (field)
                window.type(QString::fromLatin1(field), QString::fromUtf8(typed));
            ASSERT_TRUE(window.takeKeyboard());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
    }
    void editTaxe()
    {
        FenTaxeController* taxes = FenTaxeController::openTaxes(0);
        taxes->table1()->GO(0);
        taxes->perform(QStringLiteral("MODIFIER:"));
        taxes->window()->close();
    }
    void editTool(long banque, long compte)
    {
        FenBanqueController* banques = showBanques(true);
        long row = -1;
        ASSERT_TRUE(findTool(&toolTree(&doc), banque, &row));
        banques->table1()->GO(int(row));
        if (compte >= 0) {
            ASSERT_TRUE(findTool(banques->arrayOfComptes(), compte, &row));
            banques->table2()->GO(int(row));
        }
        banques->perform(QString::fromLatin1(compte >= 0 ? "VOIRC:" : "VOIRB:"));
        banques->window()->close();
    }
    // The member file as the document's save writes it.
    QByteArray saved(const QString& package, const char* member)
    {
        const QString url = testenv::package(package);
        EXPECT_EQ(SVDocumentManager::defaultManager().saveDocumentInternal(url, doc), DocError::None);
        return testenv::readFile(url + QStringLiteral("/Contents/Resources/") + QString::fromLatin1(member));
    }
};

TEST_F(UntouchedEditorsTest, ReturnWithoutAChangeSavesWhatWasStored)
{
    const struct {
        const char* name;
        std::function<void()> edit;
        const char* member;
        QStringList stored;
    } rows[] = {
        {"taux intouché",
         [this] {
             answerByReturn<FenEditTaxeController>();
             editTaxe();
         },
         "taxe.xml",
         {"<rate>8.125000</rate>"}},
        {"taux retapé",
         [this] {
             answerByReturn<FenEditTaxeController>("field_taux", "8,1254567");
             editTaxe();
             EXPECT_EQ(doc.taxeHdl[0].rate, 8.125457) << "the rate the file holds";
         },
         "taxe.xml",
         {"<rate>8.125457</rate>"}},
        {"infos d'une banque",
         [this] {
             answerByReturn<FenEditBanqueController>();
             editTool(10, -1);
         },
         "banque.xml",
         {"<infos>12 rue des Lilas&#13;75000 Paris&#13;</infos>"}},
        {"infos d'un compte",
         [this] {
             answerByReturn<FenEditCompteController>();
             editTool(10, 7);
         },
         "compte.xml",
         {"<infos>Agence Centre&#13;Guichet 4</infos>"}},
        {"note et libellé d'une opération",
         [this] {
             answerByReturn<FenEditSaisieController>();
             EXPECT_EQ(openSaisieTransact(nullptr, editOf(0)), kSaisieOK);
         },
         "transact.xml",
         {"Ligne A&#13;__BR__Ligne B&#13;fin", "Facture\u00a0n°\u00a012"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        row.edit();
        const QByteArray file = saved(QString::fromUtf8(row.name), row.member);
        for (const QString& stored : row.stored)
            EXPECT_TRUE(file.contains(stored.toUtf8())) << stored.toStdString() << "\n" << file.toStdString();
    }
}

} // namespace
