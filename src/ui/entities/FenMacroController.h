#pragma once
// The document's macros by name: rename one or change its key, edit its template transaction in
// the entry window, delete it. Macros are made from the entry window, which tells this window
// (NOTIFY_NEW_MACRO) where the new one landed. One window for the program.
#include "entities/CellMacro.h"
#include "toolkit/windows/EntityListWindow.h"

class DOCUMENT;
class TRANSACT;

class FenMacroController : public EntityListWindow {
    Q_OBJECT
public:
    static FenMacroController* current();

    Q_INVOKABLE void MODIFIER(QObject* sender = nullptr);
    Q_INVOKABLE void EDIT(QObject* sender = nullptr);
    Q_INVOKABLE void SUPPRIMER(QObject* sender = nullptr);
    Q_INVOKABLE void NOTIFY_NEW_MACRO(const QVariant& index, const QVariant& arg2 = QVariant());

    // The account the entry of a template starts from: its debit side when that is one of the
    // user's accounts, else its credit side when that is, else none.
    static long saisieCompte(const TRANSACT& model, const DOCUMENT& doc);

    bool canDeleteSomething() const override;
    bool shouldAlignColumns() const override { return true; }
    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;

protected:
    void buildInterface(StdWindow& window) override;
    bool deleteInTable(int table) override;
    void editInTable(int table) override;

private:
    DOCUMENT* doc() const;
    long macroTotal() const;
    void reloadAndSelect(long row);

    CellMacro m_cell;
};

FenMacroController* showMacros(bool appear = true);
