#include "AnalyseHousehold.h"

#include "foundation/dates.h"
#include "support/TestFiles.h"

namespace analysehousehold {

double at(long day, long month, long year)
{
    double t = 0;
    dmyToDate(day, month, year, &t);
    return t;
}

namespace {

TRANSACT transact(double when, long from, long to, double amount, long poste)
{
    TRANSACT t;
    t.when = when;
    t.who1 = from;
    t.who2 = to;
    t.solde = testenv::amount(amount, amount / 6.55957);
    t.posteID = poste;
    return t;
}

AnalyseConfiguration configuration(const DOCUMENT& doc, const QString& nom)
{
    AnalyseConfiguration conf;
    anaConfigSetDefaults(&doc, conf);
    conf.nom = nom;
    conf.modeDate = kModeDateGiven;
    conf.date1 = at(1, 1, 2024);
    conf.date2 = at(31, 12, 2024) + 86399;
    conf.showMonth = conf.showDossier = conf.showPoste = true;
    conf.compteID = -1;
    return conf;
}

} // namespace

void fill(DOCUMENT& doc)
{
    doc.deviseHdl = Devise::defaultDevises();
    testenv::addDefaultDocParam(doc);
    doc.banqueHdl = {testenv::tool(kToolBanque, 10, kBanqueUser), testenv::tool(kToolBanque, 11, kBanqueTiers)};
    doc.compteHdl.clear();
    for (long ident : {7, 9})
        doc.compteHdl.append(
            testenv::tool(kToolCompte, ident, QStringLiteral("Compte %1").arg(ident), kBanqueUser, 10));
    for (long ident : {22, 23})
        doc.compteHdl.append(
            testenv::tool(kToolCompte, ident, QStringLiteral("Tiers %1").arg(ident), kBanqueTiers, 11));
    doc.dossierHdl.clear();
    doc.posteHdl.clear();
    const std::pair<long, const char*> dossiers[] = {{1, "Maison"}, {2, "Loisirs"}, {3, "Revenus"}};
    for (const auto& [ident, nom] : dossiers) {
        DOSSIER d;
        d.ident = ident;
        d.nom = QString::fromUtf8(nom);
        doc.dossierHdl.append(d);
    }
    const std::tuple<long, long, const char*> postes[]
        = {{20, 1, "Courses"}, {21, 1, "Loyer"},    {22, 1, "Électricité"}, {30, 2, "Sport"},
           {31, 2, "Sorties"}, {32, 2, "Vacances"}, {40, 3, "Salaire"}};
    for (const auto& [ident, dossier, nom] : postes)
        doc.posteHdl.append(POSTE {.ident = ident, .dossierID = dossier, .nom = QString::fromUtf8(nom)});
    for (long m = 1; m <= 12; ++m) {
        doc.transact_array.append(transact(at(1, m, 2024), 7, 22, kLoyer, 21));
        doc.transact_array.append(transact(at(3, m, 2024), 22, 7, kSalaire, 40));
        for (long week = 0; week < 4; ++week)
            doc.transact_array.append(transact(at(4 + 7 * week, m, 2024), 7, 23, 80 + 5 * m + week, 20));
        doc.transact_array.append(transact(at(12, m, 2024), 7, 23, 60 + (m % 3) * 15, 22));
        doc.transact_array.append(transact(at(15, m, 2024), 9, 23, 35, 30));
        doc.transact_array.append(transact(at(20, m, 2024), 9, 23, 40 + m * 2, 31));
        if (m % 3 == 0)
            doc.transact_array.append(transact(at(25, m, 2024), 7, 9, 300, 21));
    }
    doc.transact_array.append(transact(at(10, 8, 2024), 9, 23, kVacances, 32));
    AnalyseConfiguration loisirs = configuration(doc, QStringLiteral("Loisirs seuls"));
    loisirs.modePoste = kSelectionOnly;
    loisirs.dossiersArray = {2};
    AnalyseConfiguration sansMois = configuration(doc, QStringLiteral("Sans mois"));
    sansMois.showMonth = false;
    doc.anadefHdl = {configuration(doc, QStringLiteral("Année 2024")), loisirs, sansMois};
}

void addBudget(DOCUMENT& doc)
{
    ECHEANCIER loyer;
    loyer.ident = 5;
    loyer.nom = QStringLiteral("Loyer");
    loyer.transact = transact(at(1, 1, 2024), 7, 22, kLoyer, 21);
    loyer.planificator = Planificator(at(1, 1, 2024), Planificator::kTypeEcheancier);
    loyer.planificator.permanent = true;
    loyer.planificator.lastWriteDate = at(1, 12, 2024);
    doc.echeancierHdl.append(loyer);
    for (TRANSACT& t : doc.transact_array) {
        if (t.posteID == 21 && t.who2 == 22) {
            t.chronoID = 5;
            t.planifiedDate = t.when;
        }
    }
    Prevision courses;
    courses.ident = 8;
    courses.name = QStringLiteral("Courses du mois");
    courses.transact = transact(at(1, 1, 2024), 7, 23, 400, 20);
    courses.planificator = Planificator(at(1, 1, 2024), Planificator::kTypePrevision);
    courses.planificator->permanent = true;
    doc.previsionsArray.append(courses);
}

} // namespace analysehousehold
