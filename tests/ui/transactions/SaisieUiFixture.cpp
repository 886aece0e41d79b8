#include "SaisieUiFixture.h"

#include "model/DOSSIER.h"
#include "model/FINANCE.h"
#include "model/MACRO.h"
#include "model/MOYEN.h"
#include "model/POSTE.h"
#include "model/TAXE.h"

namespace saisieui {

namespace {

template <class T> T named(long ident, const QString& nom)
{
    T t;
    t.ident = ident;
    t.nom = nom;
    return t;
}

} // namespace

void SaisieUiTest::makeDocument()
{
    doc.deviseHdl = Devise::defaultDevises();
    testenv::addDefaultDocParam(doc);
    doc.docParam->defaultPoste = 1;
    doc.dossierHdl = {named<DOSSIER>(2, QStringLiteral("Courant"))};
    for (const auto& [ident, nom] : {std::pair {1L, "Alimentation"}, std::pair {4L, "Loisirs"},
                                     std::pair {6L, "Salaire"}, std::pair {8L, "Santé"}}) {
        POSTE poste = named<POSTE>(ident, QString::fromUtf8(nom));
        poste.dossierID = 2;
        POSTE::insertPoste(poste, doc.posteHdl);
    }
    using testenv::tool;
    doc.banqueHdl = {tool(kToolBanque, 1, QStringLiteral("Comptes spéciaux"), kBanqueTiers),
                     tool(kToolBanque, 10, QStringLiteral("Banque du Port"), kBanqueUser),
                     tool(kToolBanque, 11, QStringLiteral("Commerçants"), kBanqueTiers),
                     tool(kToolBanque, 12, QStringLiteral("Espèces"), kBanqueLiquide)};
    doc.compteHdl = {tool(kToolCompte, 3, QStringLiteral("Anonyme"), kBanqueTiers, 1),
                     tool(kToolCompte, 5, QStringLiteral("Initialisation"), kBanqueTiers, 1),
                     tool(kToolCompte, 7, QStringLiteral("Compte courant"), kBanqueUser, 10),
                     tool(kToolCompte, 9, QStringLiteral("Livret A"), kBanqueUser, 10),
                     tool(kToolCompte, 22, QStringLiteral("Boulangerie"), kBanqueTiers, 11),
                     tool(kToolCompte, 23, QStringLiteral("Employeur"), kBanqueTiers, 11),
                     tool(kToolCompte, 24, QStringLiteral("Courtier"), kBanqueTiers, 11),
                     tool(kToolCompte, 30, QStringLiteral("Porte-monnaie"), kBanqueLiquide, 12)};
    for (TOOL& compte : doc.compteHdl)
        compte.devise = 0;
    getTool(kToolCompte, 22, &doc)->posteID = 1;
    getTool(kToolCompte, 22, &doc)->taxeID = 2;
    doc.docParam->defaultCompte = 7;
    TAXE tva = named<TAXE>(2, QStringLiteral("TVA 20 %"));
    tva.rate = 20;
    doc.taxeHdl = {tva};
    doc.titreHdl = {named<FINANCE>(1, QStringLiteral("Air Liquide"))};

    MOYEN cheques = MOYEN::allocNewMoyen(kFamilyChequeDebit, 7);
    VARIANTE book;
    book.ident = 2;
    book.nom = QStringLiteral("Chéquier 1231-1280");
    book.numero = QStringLiteral("0001231");
    book.nombre = 50;
    book.lastNumero = 1240;
    book.alerte = 5;
    cheques.variantes = {book};
    cheques.lastVarianteID = 2;
    MOYEN cartes = MOYEN::allocNewMoyen(kFamilyCarteDebit, 7);
    VARIANTE card;
    card.ident = 3;
    card.nom = QStringLiteral("Carte bleue");
    card.limite = at(1, 1, 2027);
    card.alerte = 30;
    cartes.variantes = {card};
    cartes.lastVarianteID = 3;
    doc.moyenHdl = {cheques, cartes};

    MACRO pain;
    pain.nom = QStringLiteral("Pain");
    pain.ch = u'p';
    TRANSACT model;
    model.defaultTransact(&doc);
    model.who1 = 30;
    model.who2 = 22;
    model.moyen = 2;
    model.posteID = 1;
    model.why = QStringLiteral("Baguette");
    model.solde = euros(1.2);
    pain.transact = model;
    doc.macroHdl = {pain};
}

} // namespace saisieui
