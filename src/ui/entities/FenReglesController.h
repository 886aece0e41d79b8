#pragma once
// The document's categorisation rules, in the order the import tries them: the first rule whose
// key words all occur in an imported label wins. The user creates (first in the list), edits,
// deletes one or all of them and moves a rule up or down. One window for the program.
#include "entities/CellRegle.h"
#include "toolkit/windows/EntityListWindow.h"

class DOCUMENT;

class FenReglesController : public EntityListWindow {
    Q_OBJECT
public:
    static FenReglesController* current();

    Q_INVOKABLE void NOUVEAU(QObject* sender = nullptr);
    Q_INVOKABLE void MODIFIER(QObject* sender = nullptr);
    Q_INVOKABLE void SUPPRIMER(QObject* sender = nullptr);
    Q_INVOKABLE void SUPPRIMERTOUT(QObject* sender = nullptr);
    Q_INVOKABLE void MONTER(QObject* sender = nullptr);
    Q_INVOKABLE void DESCENDRE(QObject* sender = nullptr);

    bool canDeleteSomething() const override;
    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;

protected:
    void buildInterface(StdWindow& window) override;
    void didAwakeFromNib() override;
    bool deleteInTable(int table) override;
    void editInTable(int table) override;

private:
    DOCUMENT* doc() const;
    long regleCount() const;
    void reloadAndSelect(long row);
    bool confirm(const QString& key);
    // Swaps the chosen rule with its neighbour by step (-1 up, 1 down); beeps when it can't.
    void move(int step);

    CellRegle m_cell;
};

// The rules window (learning the rules first when the document has none), or the open one.
FenReglesController* showRegles(bool appear = true);
