#pragma once
// The document's five currency slots: an unused slot can be brought into use, a used one edited
// in the currency editor, which may also make it the main currency. One window for the program;
// the first-run assistant runs it as the application's modal window.
#include "entities/CellDevise.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include <QPointer>

class DOCUMENT;

class QPushButton;

// What the New and Modify commands may do on a row: New only on an unused slot, Modify only on a
// used one; neither without a slot.
struct DeviseCommands {
    bool canNew = false;
    bool canEdit = false;
};
DeviseCommands deviseCommandsForRow(const DOCUMENT& doc, long row);

// Marks slot n used and computes it in every amount of the document from its rate. False, with
// nothing changed, for slot 0, a slot outside 1..4 or a rate that is not a positive number.
bool bringDeviseIntoUse(DOCUMENT& doc, long slot);

class FenDeviseController : public StdWindowWithTableController {
    Q_OBJECT
public:
    FenDeviseController();

    // Opens the window, or brings the open one to the front; without appear, it is built but left
    // for the caller to show.
    static FenDeviseController* openDevises(long devise, bool appear = true);
    // The first-run assistant's use: the window runs as the application's modal window, through
    // the host's modal runs, until it is closed.
    static void runDevisesModal(long devise);
    static FenDeviseController* current();

    bool canNew() const { return m_commands.canNew; }
    void setCanNew(bool can);
    bool canEdit() const { return m_commands.canEdit; }
    void setCanEdit(bool can);
    bool isAssistantModal() const { return m_assistantModal; }

    Q_INVOKABLE void NOUVEAU(QObject* sender);
    Q_INVOKABLE void MODIFIER(QObject* sender);
    Q_INVOKABLE void didUpdateDevise(const QVariant& arg1, const QVariant& arg2);

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    void tableViewSelectionDidChange1() override;
    void didDoubleClick1(QObject* sender) override;
    bool canAdjustHeight() const override { return false; }
    void didAwakeFromNib() override;
    void windowDidBecomeKey() override;
    void windowWillClose() override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    long selectedRow() const;
    bool stillOffered(long slot, bool nouveau) const;
    void editSelected(long slot);
    void makeMain(long slot);

    CellDevise m_cell;
    DeviseCommands m_commands;
    QPushButton* m_nouveau = nullptr;
    QPushButton* m_modifier = nullptr;
    bool m_assistantModal = false;
};
