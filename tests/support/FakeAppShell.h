#pragma once
// A shell for tests: answers bankIsOpen and the due-occurrences window as told and records what
// it was asked.
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
};

// Installs a fake shell for the length of a scope.
class ScopedAppShell {
public:
    explicit ScopedAppShell(IAppShell* shell) { installAppShell(shell); }
    ~ScopedAppShell() { installAppShell(nullptr); }
    ScopedAppShell(const ScopedAppShell&) = delete;
    ScopedAppShell& operator=(const ScopedAppShell&) = delete;
};
