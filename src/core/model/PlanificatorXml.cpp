#include "PlanificatorXml.h"

#include "foundation/LoadIssues.h"
#include "foundation/dateformat.h"
#include "foundation/dates.h"
#include "foundation/localized.h"
#include "foundation/xmlmember.h"
#include "model/TRANSACT.h"

#include <algorithm>

namespace {

void appendRepeatFields(pugi::xml_node element, const Planificator& p)
{
    xmlAppendDouble(element, "firstDate", 6, p.firstDate);
    xmlAppendLong(element, "repeatTimeUnitCount", p.repeatTimeUnitCount);
    xmlAppendInt(element, "repeatTimeUnit", p.repeatTimeUnit);
    xmlAppendLong(element, "nbEcheance", p.nbEcheance);
    xmlAppendBool(element, "permanent", p.permanent);
    xmlAppendInt(element, "reconductionType", p.reconductionType);
    xmlAppendInt(element, "reconductionTimeUnit", p.reconductionTimeUnit);
    xmlAppendLong(element, "reconductionTimeUnitCount", p.reconductionTimeUnitCount);
    xmlAppendLong(element, "reconductionNbEcheance", p.reconductionNbEcheance);
    xmlAppendBool(element, "reconductionPermanent", p.reconductionPermanent);
}

void appendOtherFields(pugi::xml_node element, const Planificator& p)
{
    xmlAppendInt(element, "valideType", p.valideType);
    xmlAppendInt(element, "valideTimeUnit", p.valideTimeUnit);
    xmlAppendLong(element, "valideTimeUnitCount", p.valideTimeUnitCount);
    xmlAppendInt(element, "dateEcriture", p.dateEcriture);
    xmlAppendLong(element, "avance", p.avance);
    xmlAppendDouble(element, "lastWriteDate", 6, p.lastWriteDate);
    xmlAppendLong(element, "nbWriteEch", p.nbWriteEch);
    xmlAppendLong(element, "nbWritePEch", p.nbWritePEch);
    xmlAppendLong(element, "budgetShift", p.budgetShift);
    xmlAppendLong(element, "budgetShiftReference", p.budgetShiftReference);
}

// Each missing child keeps the value the rule already holds: its default.
void readRepeatFields(pugi::xml_node element, Planificator& p)
{
    p.repeatTimeUnitCount = xmlGetLong(element, "repeatTimeUnitCount", p.repeatTimeUnitCount);
    p.repeatTimeUnit = xmlGetInt(element, "repeatTimeUnit", p.repeatTimeUnit);
    p.nbEcheance = xmlGetLong(element, "nbEcheance", p.nbEcheance);
    p.permanent = xmlGetBool(element, "permanent", p.permanent);
    p.reconductionType = xmlGetInt(element, "reconductionType", p.reconductionType);
    p.reconductionTimeUnit = xmlGetInt(element, "reconductionTimeUnit", p.reconductionTimeUnit);
    p.reconductionTimeUnitCount = xmlGetLong(element, "reconductionTimeUnitCount", p.reconductionTimeUnitCount);
    p.reconductionNbEcheance = xmlGetLong(element, "reconductionNbEcheance", p.reconductionNbEcheance);
    p.reconductionPermanent = xmlGetBool(element, "reconductionPermanent", p.reconductionPermanent);
}

void readOtherFields(pugi::xml_node element, Planificator& p)
{
    p.valideType = xmlGetInt(element, "valideType", p.valideType);
    p.valideTimeUnit = xmlGetInt(element, "valideTimeUnit", p.valideTimeUnit);
    p.valideTimeUnitCount = xmlGetLong(element, "valideTimeUnitCount", p.valideTimeUnitCount);
    p.dateEcriture = xmlGetInt(element, "dateEcriture", p.dateEcriture);
    p.avance = xmlGetLong(element, "avance", p.avance);
    p.nbWriteEch = xmlGetLong(element, "nbWriteEch", p.nbWriteEch);
    p.nbWritePEch = xmlGetLong(element, "nbWritePEch", p.nbWritePEch);
    p.budgetShift = xmlGetLong(element, "budgetShift", p.budgetShift);
    p.budgetShiftReference = xmlGetInt(element, "budgetShiftReference", p.budgetShiftReference);
}

QString shortDate(double date)
{
    return dateToStringWithStyles(1, 0, date);
}

// Written up to today's horizon, or further when it was: the due pass then offers nothing of the
// schedule before its next occurrence, whatever the date that could not be read was.
QString settleAsWritten(Planificator& p)
{
    p.lastWriteDate = std::max(p.lastWriteDate, p.awakeHorizon());
    return localizedDialogue(QStringLiteral("kLoadIssue_dateWrittenTo")).arg(shortDate(p.lastWriteDate));
}

// After the other fields: the schedule's horizon counts its advance days.
void readDates(pugi::xml_node element, Planificator& p, LoadIssues* issues, double modelDate)
{
    const bool schedule = p.type == Planificator::kTypeEcheancier;
    const std::optional<double> first = xmlReadDate(element, "firstDate", p.firstDate);
    const std::optional<double> written = xmlReadDate(element, "lastWriteDate", p.lastWriteDate);
    p.firstDate = first.value_or(modelDate);
    p.lastWriteDate = written.value_or(0);
    if (!first) {
        QString words = localizedDialogue(QStringLiteral("kLoadIssue_dateAsModel")).arg(shortDate(modelDate));
        if (schedule)
            words += QStringLiteral(" ; ") + settleAsWritten(p);
        noteUnreadableDate(issues, element, "firstDate", words);
    }
    if (!written) {
        // A forecast is never written: its date stays empty.
        const QString words = schedule ? settleAsWritten(p) : unreadDateWords(UnreadDate::None);
        noteUnreadableDate(issues, element, "lastWriteDate", words);
    }
}

} // namespace

std::optional<Planificator> Planificator::allocFromXMLTree(pugi::xml_node element, int32_t type, LoadIssues* issues,
                                                           double modelDate)
{
    if (!element)
        return std::nullopt;
    Planificator p(0, type);
    readRepeatFields(element, p);
    readOtherFields(element, p);
    readDates(element, p, issues, modelDate);
    return p;
}

bool Planificator::appendXMLToTree(pugi::xml_node parent, const XmlName& name) const
{
    const pugi::xml_node element = xmlAppendElement(parent, name);
    if (!element)
        return false;
    appendRepeatFields(element, *this);
    appendOtherFields(element, *this);
    return true;
}

Planificator Planificator::tryPlanificatorMigration(pugi::xml_node record, const TRANSACT& transact, int32_t type,
                                                    LoadIssues* issues)
{
    // Forecasts of the older format counted whole months.
    const double first = type == kTypePrevision ? firstDayOfMonth(transact.when) : transact.when;
    Planificator p(first, type);
    p.repeatTimeUnitCount = xmlGetLong(record, "tousLes", 1);
    p.repeatTimeUnit = xmlGetInt(record, "periode", kUnitMonth);
    p.nbEcheance = xmlGetLong(record, "nbEcheance", 12);
    p.permanent = xmlGetBool(record, "permanent", false);
    // The older format had no renewal; its validity was the occurrence's month for a forecast and
    // the occurrence's own date for a schedule.
    p.valideType = type == kTypePrevision ? kValideEndOfMonth : kValideOwnDate;
    p.valideTimeUnit = kUnitMonth;
    p.valideTimeUnitCount = 1;
    p.avance = xmlGetLong(record, "avance", 0);
    p.dateEcriture = (type == kTypeEcheancier && xmlGetBool(record, "forcer", false)) ? 1 : 0;
    if (const std::optional<double> written = xmlReadDate(record, "lastWriteDate", dateNow()))
        p.lastWriteDate = *written;
    else if (type == kTypeEcheancier)
        noteUnreadableDate(issues, record, "lastWriteDate", settleAsWritten(p));
    else
        p.lastWriteDate = xmlGetDate(record, "lastWriteDate", dateNow(), UnreadDate::Today, issues);
    p.nbWriteEch = xmlGetLong(record, "nbWriteEch", 0);
    p.nbWritePEch = xmlGetLong(record, "nbWritePEch", 0);
    p.budgetShift = xmlGetLong(record, "budgetShift", 0);
    p.budgetShiftReference = xmlGetInt(record, "budgetShiftReference", 0);
    return p;
}
