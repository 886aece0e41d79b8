#pragma once
// The recurrence rule as a sub-tree of its owner's record (chrono.xml for schedules,
// prevision.xml for forecasts), written and read by Planificator::appendXMLToTree and
// Planificator::allocFromXMLTree. One child per saved field, in this order:
//   firstDate (6 decimals), repeatTimeUnitCount, repeatTimeUnit, nbEcheance, permanent,
//   reconductionType, reconductionTimeUnit, reconductionTimeUnitCount, reconductionNbEcheance,
//   reconductionPermanent, valideType, valideTimeUnit, valideTimeUnitCount, dateEcriture, avance,
//   lastWriteDate (6 decimals), nbWriteEch, nbWritePEch, budgetShift, budgetShiftReference.
// The type isn't written: the file being read tells it.
//
// Records of the older format have no such sub-tree: their repeat keys stand directly in the
// record ("tousLes", "periode", "nbEcheance", "permanent", "avance", "forcer", "lastWriteDate",
// ...), read by Planificator::tryPlanificatorMigration.
#include "foundation/xmlmember.h"
#include "model/Planificator.h"

// The element name under which chrono.xml and prevision.xml keep the rule of a record.
inline constexpr const char* kPlanificatorElementName = "planificator";
