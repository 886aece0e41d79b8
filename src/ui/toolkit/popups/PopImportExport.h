#pragma once
// The import and export pop-up of the transaction lists: export in each format (only the
// tab-separated and CSV ones write), import in each format (only from the statement window,
// FenReleveController, which imports into its account), the categorisation rules' commands on
// the imported transactions, and the rules editor. The window may withhold a command it can't
// carry out (windowOffers).
#include "toolkit/popups/StdPopUp.h"

class PopImportExport : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    void FILL_MENU() override;

    // The formats of import and export: 0 tab-separated, 1 CSV, 2 QIF, 3 OFX.
    static constexpr int kFormatCount = 4;
    // The format's name; "?" outside them.
    static QString formatName(int format);
    // Whether the window offers the command of an item: asked of a window that has an invokable
    // validateMenuAction(action, tag); any other window offers every command.
    static bool windowOffers(QObject* window, const QString& action, qint64 tag);
    // Whether the window imports: only the statement window does.
    static bool windowCanImport(const QObject* window);

private:
    StdMenu* addSubmenu(const QString& title, const QString& imageName);
    void fillExporter(StdMenu* submenu);
    void fillImporter(StdMenu* submenu);
    void fillRegles(StdMenu* submenu);
};
