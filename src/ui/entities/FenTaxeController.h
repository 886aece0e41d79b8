#pragma once
// The document's taxes, in their order: create, modify, delete (the deleted tax replaced
// everywhere by another or by none) and start a tax declaration. One window for the program.
#include "entities/CellTaxe.h"
#include "toolkit/windows/StdWindowWithTableController.h"

class DOCUMENT;

// Deletes the tax of that ident, after giving its place to the replacement (-1 none) wherever the
// document names it. False, with nothing changed, when the document no longer has the tax, or the
// replacement is the tax itself or a tax the document no longer has.
bool supprimerTaxe(DOCUMENT& doc, long ident, long replacement);

class FenTaxeController : public StdWindowWithTableController {
    Q_OBJECT
public:
    // Opens the window, or brings the open one to the front; without appear, it is built but left
    // for the caller to show.
    static FenTaxeController* openTaxes(long devise, bool appear = true);
    static FenTaxeController* current();

    Q_INVOKABLE void NOUVEAU(QObject* sender);
    Q_INVOKABLE void MODIFIER(QObject* sender);
    Q_INVOKABLE void SUPPRIMER(QObject* sender);
    Q_INVOKABLE void DECLARATION(QObject* sender);

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    bool canDeleteSomething() const override;
    bool delete_(QObject* sender) override;
    void didDoubleClick1(QObject* sender) override;
    void windowWillClose() override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    // The selected row when it is a tax of the document, else -1.
    long selectedTaxe() const;
    void reloadAndSelect(long row);

    CellTaxe m_cell;
};
