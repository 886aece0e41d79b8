#pragma once
// A shell for tests: answers bankIsOpen, the due-occurrences window and creations as told and
// records what it was asked.
#include "engines/AWAKE.h"
#include "foundation/IAppShell.h"

#include <QStringList>

class FakeAppShell : public IAppShell {
public:
    bool open = false;
    int toolTipDelayCalls = 0;
    int copyCalls = 0;
    int actualizeCalls = 0;
    int calendrierCalls = 0;
    int calculetteCalls = 0;
    QObject* paletteItem = nullptr;
    // The due-occurrences window: what each opening was given, and the result it answers.
    QList<AwakeList> awakeLists;
    QStringList awakeInfos;
    int awakeResult = 1;
    // The window commands asked for, by name ("ANALYSE"), and the ident a creation answers.
    QStringList commands;
    long createdIdent = -1;

    bool bankIsOpen() const override { return open; }
    void setToolTipDelay() override { ++toolTipDelayCalls; }
    void ENREGISTRER_COPIE(QObject*) override { ++copyCalls; }
    void actualizeExternalData() override { ++actualizeCalls; }
    void CALENDRIER(QObject*) override { ++calendrierCalls; }
    void CALCULETTE(QObject*) override { ++calculetteCalls; }
    QObject* menuItemPaletteOutil() override { return paletteItem; }
    int showAwakeList(QList<AWAKE>& list, DOCUMENT*, const QString& info) override
    {
        awakeLists.append(list);
        awakeInfos.append(info);
        return awakeResult;
    }
    void RECHERCHE(QObject*) override { commands << QStringLiteral("RECHERCHE"); }
    void ANALYSE(QObject*) override { commands << QStringLiteral("ANALYSE"); }
    void BUDGET(QObject*) override { commands << QStringLiteral("BUDGET"); }
    void GRAPHIQUE(QObject*) override { commands << QStringLiteral("GRAPHIQUE"); }
    void FAVORIS(QObject*) override { commands << QStringLiteral("FAVORIS"); }
    void GUIDE(QObject*) override { commands << QStringLiteral("GUIDE"); }
    bool validateMenuAction(const QString&) const override { return true; }
    void MACRO(long) override { commands << QStringLiteral("MACRO"); }
    long CREATE_POSTE(QObject*, QObject*) override
    {
        commands << QStringLiteral("CREATE_POSTE");
        return createdIdent;
    }
    long CREATE_COMPTE(QObject*, QObject*) override
    {
        commands << QStringLiteral("CREATE_COMPTE");
        return createdIdent;
    }
};

// Installs a fake shell for the length of a scope.
class ScopedAppShell {
public:
    explicit ScopedAppShell(IAppShell* shell) { installAppShell(shell); }
    ~ScopedAppShell() { installAppShell(nullptr); }
    ScopedAppShell(const ScopedAppShell&) = delete;
    ScopedAppShell& operator=(const ScopedAppShell&) = delete;
};
