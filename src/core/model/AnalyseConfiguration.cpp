#include "AnalyseConfiguration.h"

#include "foundation/IAlerts.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

namespace {

long identAt(const AnaIdentList& list, long index)
{
    return index >= 0 && index < list.size() ? list.at(index) : -1;
}

} // namespace

long AnalyseConfiguration::numberOfMonths() const
{
    return monthCountBetween(date1, date2);
}

bool AnalyseConfiguration::assumeValideConfiguration(const DOCUMENT* doc, QObject* window)
{
    // The period counted is the one the layout will use: "every transaction" reaches the first
    // and last transactions of the document now, whatever dates were stored with it.
    AnalyseConfiguration used = *this;
    anaConfigUpdateDates(doc, used, false);
    if (used.numberOfMonths() <= kAnalyseMaxMonths)
        return true;
    modeDate = kModeDateThisYear;
    anaConfigUpdateDates(doc, *this, true);
    alertKeyWithInformation(QStringLiteral("kAlerte_CannotCompute"), nom, window, 2, QStringLiteral("document"));
    return false;
}

void anaConfigSetDefaults(const DOCUMENT* doc, AnalyseConfiguration& conf)
{
    conf.showPoste = true;
    conf.showDossier = true;
    conf.showVirInt = false;
    conf.showMonth = true;
    conf.forceMonth = true;
    conf.fiscalite = kFiscaliteTTC;
    conf.modePoste = kSelectionAll;
    conf.modeCompte = kSelectionAll;
    conf.modeDate = kModeDateThisYear;
    conf.nom = localizedAppl(QStringLiteral("POPUP_ANALYSE_EMPTY"));
    conf.compteID = -1;
    conf.postesArray.clear();
    conf.dossiersArray.clear();
    conf.banquesArray.clear();
    conf.comptesArray.clear();
    anaConfigUpdateDates(doc, conf, true);
}

void anaConfigUpdateDates(const DOCUMENT* doc, AnalyseConfiguration& conf, bool allTransactions)
{
    periodBoundsForKind(conf.modeDate, &conf.date1, &conf.date2, conf.forceMonth, allTransactions, doc);
}

void periodBoundsForKind(long kind, double* first, double* last, bool wholeMonths, bool extremeDates,
                         const DOCUMENT* doc)
{
    if (!first || !last)
        return;
    if (kind == 2) {
        firstDayOfCurrentYear(first);
        *last = dateNow();
    } else if (kind == 3) {
        firstDayOfCurrentMonth(first);
        *last = dateNow();
    } else if (kind == 1 || extremeDates) {
        TRANSACT::getTransactExtremeDates(doc, first, last);
    }
    if (wholeMonths && kind != 0) {
        dmyToDate(1, dateMonth(*first), dateYear(*first), first);
        const long month = dateMonth(*last);
        const long year = dateYear(*last);
        dmyToDate(daysInMonth(month, year), month, year, last);
    }
    *first = startOfDay(*first);
    *last = endOfDay(*last);
}

AnalyseConfiguration copyAnaConfig(const AnalyseConfiguration& conf)
{
    return conf;
}

long anaConfigListCount(const AnalyseConfigList* list)
{
    return list ? list->size() : 0;
}

AnalyseConfiguration* anaConfigAtIndex(AnalyseConfigList* list, long index)
{
    if (!list || index < 0 || index >= list->size())
        return nullptr;
    return &(*list)[index];
}

const AnalyseConfiguration* anaConfigAtIndex(const AnalyseConfigList* list, long index)
{
    if (!list || index < 0 || index >= list->size())
        return nullptr;
    return &list->at(index);
}

bool findAnaConfigNamed(const AnalyseConfigList* list, const QString& name, long* index)
{
    if (index)
        *index = 0;
    for (long i = 0; i < anaConfigListCount(list); ++i) {
        const QString& nom = list->at(i).nom;
        if (!nom.isEmpty() && nom == name) {
            if (index)
                *index = i;
            return true;
        }
    }
    return false;
}

AnalyseConfigList* getAnaDefHdl(DOCUMENT* doc)
{
    return doc ? &doc->anadefHdl : nullptr;
}
const AnalyseConfigList* getAnaDefHdl(const DOCUMENT* doc)
{
    return doc ? &doc->anadefHdl : nullptr;
}

void removePosteFromAnaDefs(long posteID, DOCUMENT* doc)
{
    if (!doc)
        return;
    for (AnalyseConfiguration& conf : doc->anadefHdl)
        conf.postesArray.removeAll(posteID);
}

void removeDossierFromAnaDefs(long dossierID, DOCUMENT* doc)
{
    if (!doc)
        return;
    for (AnalyseConfiguration& conf : doc->anadefHdl)
        conf.dossiersArray.removeAll(dossierID);
}

bool isSameAnalyseConfiguration(const AnalyseConfiguration& a, const AnalyseConfiguration& b)
{
    const bool sameFlags = a.showPoste == b.showPoste && a.showDossier == b.showDossier && a.showVirInt == b.showVirInt
        && a.showMonth == b.showMonth && a.forceMonth == b.forceMonth;
    const bool sameModes = a.fiscalite == b.fiscalite && a.modePoste == b.modePoste && a.modeCompte == b.modeCompte
        && a.modeDate == b.modeDate && a.compteID == b.compteID;
    const bool sameLists = a.postesArray == b.postesArray && a.dossiersArray == b.dossiersArray
        && a.comptesArray == b.comptesArray && a.banquesArray == b.banquesArray;
    if (a.nom != b.nom || !sameFlags || !sameModes || !sameLists)
        return false;
    return a.modeDate != kModeDateGiven || (a.date1 == b.date1 && a.date2 == b.date2);
}

long anaConfigNbPostes(const AnalyseConfiguration* conf)
{
    return conf ? conf->postesArray.size() : 0;
}
long anaConfigNbDossiers(const AnalyseConfiguration* conf)
{
    return conf ? conf->dossiersArray.size() : 0;
}
long anaConfigNbComptes(const AnalyseConfiguration* conf)
{
    return conf ? conf->comptesArray.size() : 0;
}
long anaConfigNbBanques(const AnalyseConfiguration* conf)
{
    return conf ? conf->banquesArray.size() : 0;
}

long anaConfigPosteAtIndex(const AnalyseConfiguration* conf, long index)
{
    return conf ? identAt(conf->postesArray, index) : -1;
}

long anaConfigDossierAtIndex(const AnalyseConfiguration* conf, long index)
{
    return conf ? identAt(conf->dossiersArray, index) : -1;
}

long anaConfigCompteAtIndex(const AnalyseConfiguration* conf, long index)
{
    return conf ? identAt(conf->comptesArray, index) : -1;
}

long anaConfigBanqueAtIndex(const AnalyseConfiguration* conf, long index)
{
    return conf ? identAt(conf->banquesArray, index) : -1;
}

AnaIdentList& anaConfigPostesArray(AnalyseConfiguration& conf)
{
    return conf.postesArray;
}
AnaIdentList& anaConfigDossiersArray(AnalyseConfiguration& conf)
{
    return conf.dossiersArray;
}
AnaIdentList& anaConfigComptesArray(AnalyseConfiguration& conf)
{
    return conf.comptesArray;
}
AnaIdentList& anaConfigBanquesArray(AnalyseConfiguration& conf)
{
    return conf.banquesArray;
}
