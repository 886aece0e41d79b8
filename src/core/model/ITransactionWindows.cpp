#include "model/ITransactionWindows.h"

namespace {
ITransactionWindows* g_windows = nullptr;
}

ITransactionWindows* transactionWindows()
{
    return g_windows;
}

void installTransactionWindows(ITransactionWindows* windows)
{
    g_windows = windows;
}

int openSaisieTransact(int family, long synonymeID, long compteID, const MACRO* macro, bool repeat)
{
    return g_windows ? g_windows->openSaisieTransact(family, synonymeID, compteID, macro, repeat) : kSaisieCancel;
}

QObject* openListingMoyen(long compteID, int family, long synonymeID, int deviseSlot, bool show)
{
    return g_windows ? g_windows->openListingMoyen(compteID, family, synonymeID, deviseSlot, show) : nullptr;
}

QObject* openListingDossier(long dossierID, int deviseSlot, bool show)
{
    return g_windows ? g_windows->openListingDossier(dossierID, deviseSlot, show) : nullptr;
}

QObject* openListingPoste(long posteID, int deviseSlot, bool show)
{
    return g_windows ? g_windows->openListingPoste(posteID, deviseSlot, show) : nullptr;
}

QObject* openCompteWindow(long compteID, bool show)
{
    return g_windows ? g_windows->openCompteWindow(compteID, show) : nullptr;
}
