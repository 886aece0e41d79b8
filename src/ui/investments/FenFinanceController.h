#pragma once
// What the securities, loans and savings windows share: one window each for the program, a list
// of the document's items of the kind with their totals, a footer with the count of items and
// the totals of them all, the commands New, Modify, Delete and Listing, the currency the amounts
// are shown in and the printing of the list. The loans and savings windows list their document
// list as it is (row i is item i); the securities window groups its rows by portfolio.
//
// Items are edited on a copy stored back only on OK; an item deleted gives its transactions to
// the replacement the user chooses, or to none. Every change is broadcast with the item's ident.
#include "investments/FinanceKind.h"
#include "toolkit/windows/EntityListWindow.h"

#include <initializer_list>
#include <utility>

class DOCUMENT;
class QLabel;

class FenFinanceController : public EntityListWindow {
    Q_OBJECT
public:
    Q_INVOKABLE virtual void NOUVEAU(QObject* sender);
    Q_INVOKABLE virtual void MODIFIER(QObject* sender);
    Q_INVOKABLE virtual void SUPPRIMER(QObject* sender);
    Q_INVOKABLE virtual void LISTING(QObject* sender);
    // The count of items and the footer's totals.
    virtual void PRINT_PIED() { }
    // The amounts in the currency chosen.
    Q_INVOKABLE void DEVISE(QObject* sender);
    // Closes the open listing of the item.
    virtual void CLOSE_ETAT(long ident) { Q_UNUSED(ident); }

    void didDoubleClick1(QObject* sender) override { LISTING(sender); }
    bool canDeleteSomething() const override;
    QColor getPatColor1(int row) override;
    bool shouldAlignColumns() const override { return true; }
    bool can_imprimer() const override { return true; }
    bool canFondsColores() const override { return true; }
    bool canTextesColores() const override { return true; }
    bool canAddBorders() const override { return true; }
    bool canPrintImages() const override { return true; }
    void didAwakeFromNib() override;

    Q_INVOKABLE void notifyNewDay(const QVariant& arg1, const QVariant& arg2);
    Q_INVOKABLE void newDevisePrincipale(const QVariant& slot, const QVariant& arg2) override;

    // The footer's field of that name ("field_nb_placements", "field_total_valeur"...).
    QLabel* piedField(const char* name) const;

protected:
    // The window's name, its title key (table "Appl") and the commands it has besides the four.
    virtual QString interfaceName() const = 0;
    virtual QString titleKey() const = 0;
    virtual QList<std::pair<const char*, const char*>> extraCommands() const { return {}; }
    virtual StdTemplate* makeTemplate() const = 0;
    void buildInterface(StdWindow& window) override;

    bool deleteInTable(int table) override;
    void editInTable(int) override { MODIFIER(nullptr); }

    // The delete confirmation; true when the user confirmed.
    bool confirmSuppression(const QString& messageKey, const QString& information, const QString& imageName);
    // The footer's count: the number and the word of that key (table "Misc").
    void printNbPlacements(long count, const QString& wordKey);
    // The footer's amounts, by field name, coloured by their sign when asked.
    void paintPiedFields(std::initializer_list<std::pair<const char*, const MONTANT*>> fields, long slot,
                         const DeviseList* devises, bool colour);

    // ---- A flat list of one kind (loans, savings): row i is item i of the document's list.

    int flatRowCount(FinanceKind kind) const;
    // The selected row when it is an item of the list, else -1.
    long selectedFlatRow(FinanceKind kind) const;
    void newFlatItem(FinanceKind kind);
    void modifyFlatRow(FinanceKind kind);
    void deleteFlatRow(FinanceKind kind);
    void reloadAndSelect(long row);
};
