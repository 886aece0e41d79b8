#pragma once
// The document's payment-means synonyms: create one for a family, edit its name, family and logo,
// delete it (transactions keep the ident they carry and show "?"). One window for the program.
#include "entities/CellSynonyme.h"
#include "toolkit/windows/EntityListWindow.h"

class DOCUMENT;

class FenSynonymeController : public EntityListWindow {
    Q_OBJECT
public:
    static FenSynonymeController* current();

    // A new synonym of the family of the sender's tag.
    Q_INVOKABLE void MOYEN(QObject* sender);
    Q_INVOKABLE void MODIFIER(QObject* sender = nullptr);
    Q_INVOKABLE void SUPPRIMER(QObject* sender = nullptr);

    bool canDeleteSomething() const override;
    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    void tableViewSelectionDidChange1() override;

protected:
    void buildInterface(StdWindow& window) override;
    void windowDidLoad() override;
    bool deleteInTable(int table) override;
    void editInTable(int table) override;

private:
    DOCUMENT* doc() const;
    long synonymeCount() const;
    void reloadAndSelect(long row);
    void updateButtons();

    CellSynonyme m_cell;
};

FenSynonymeController* showSynonymes(bool appear = true);
