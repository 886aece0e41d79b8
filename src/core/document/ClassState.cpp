#include "ClassState.h"

#include "document/APPLIPARAM.h"
#include "document/favoris.h"
#include "foundation/random.h"
#include "model/DOSSIER.h"
#include "model/FINANCE.h"
#include "model/MONTANT.h"
#include "model/POSTE.h"
#include "model/TAXE.h"

namespace {
bool g_started = false;
QStringList g_trace;

template <typename F> void step(const char* name, F&& f)
{
    f();
    g_trace.append(QString::fromLatin1(name));
}
} // namespace

void ClassState::startup()
{
    if (g_started)
        return;
    g_started = true;
    step("initRandomSeed", initRandomSeed);
    step("startMontant", MONTANT::startMontant);
    step("initTaxe", TAXE::initTaxe);
    step("initPoste", POSTE::initPoste);
    step("initDossier", DOSSIER::initDossier);
    step("initPlacement", FINANCE::initPlacement);
    step("initFavoris", initFavoris);
    step("initAppliParam", APPLIPARAM::initAppliParam);
}

void ClassState::shutdown()
{
    if (!g_started)
        return;
    g_started = false;
    step("disposeFavoris", disposeFavoris);
    step("saveAppliParam", APPLIPARAM::saveAppliParam);
    step("disposeAppliParam", APPLIPARAM::disposeAppliParam);
    step("disposePoste", POSTE::disposePoste);
    step("disposeDossier", DOSSIER::disposeDossier);
    step("disposePlacement", FINANCE::disposePlacement);
    step("shutdown", [] {});
}

bool ClassState::isStarted()
{
    return g_started;
}
const QStringList& ClassState::trace()
{
    return g_trace;
}
void ClassState::clearTrace()
{
    g_trace.clear();
}
