#pragma once
// The letter templates shipped with the program, one row each; a template opens in its own
// window. One list window for the whole program.
#include "app/CellLettre.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include <QStringList>

class FenViewLettreController;

class FenLettreController : public StdWindowWithTableController {
    Q_OBJECT
public:
    // Opens the selected template in a new window; nothing without a valid selected row.
    Q_INVOKABLE void OUVRIR(QObject* sender);
    void didDoubleClick1(QObject* sender) override;

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    void windowWillClose() override;

    static FenLettreController* current();

protected:
    void buildInterface(StdWindow& window) override;

private:
    CellLettre m_cell;
};

// The letter templates: the ".rtf" files of the "lettres" folder of the information folder (the
// extension exactly so), in the folder's listing order. Built at start, released at quit.
void initLettres();
void disposeLettres();
const QStringList& lettres();

// Opens the list of letter templates, or brings the open one to the front.
FenLettreController* showLetters();
