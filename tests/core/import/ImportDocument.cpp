#include "ImportDocument.h"

#include "model/DOCUMENT.h"
#include "support/TestDocument.h"
#include "support/TestFiles.h"

namespace importdoc {

void fill(DOCUMENT& doc)
{
    testenv::addDefaultDocParam(doc);
    doc.deviseHdl = Devise::defaultDevises();
    doc.deviseHdl[2].unit = QStringLiteral("USD");
    doc.deviseHdl[2].convert = 1.1;
    doc.deviseHdl[2].used = true;
    testenv::addBanks(doc, {kCompte, kLivret}, {kBoulangerie});
    doc.compteHdl[0].nom = QStringLiteral("Compte courant");
    doc.compteHdl[1].nom = QStringLiteral("Livret");
    doc.compteHdl[2].nom = QStringLiteral("Boulangerie");
    TOOL::initContrepartie(&doc);
    doc.posteHdl = {POSTE {.ident = 1, .dossierID = 1, .nom = QStringLiteral("Divers")},
                    POSTE {.ident = kAlimentation, .dossierID = 1, .nom = QStringLiteral("Alimentation")}};
    TAXE tva;
    tva.ident = kTVA;
    tva.rate = 20;
    tva.nom = QStringLiteral("TVA");
    doc.taxeHdl = {tva};
}

} // namespace importdoc
