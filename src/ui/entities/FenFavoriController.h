#pragma once
// The user's favourites: add, edit, delete and open them, and import or export the favourites
// file. The window changes only the list in memory, which reaches the file when the program
// quits; export therefore copies the file as last written. One window for the program.
#include "entities/CellFavori.h"
#include "toolkit/windows/EntityListWindow.h"

class FenFavoriController : public EntityListWindow {
    Q_OBJECT
public:
    // Opens the window, or brings the open one to the front.
    static FenFavoriController* openFavoris(bool appear = true, long devise = MONTANT::currentDeviseSlot());

    Q_INVOKABLE void NOUVEAU(QObject* sender);
    Q_INVOKABLE void MODIFIER(QObject* sender);
    Q_INVOKABLE void SUPPRIMER(QObject* sender);
    Q_INVOKABLE void CONNEXION(QObject* sender);
    Q_INVOKABLE void IMPORTER(QObject* sender);
    Q_INVOKABLE void EXPORTER(QObject* sender);

    // The favourites file's path when it exists; else an alert and an empty path.
    QString getApplicationFavoriUrlWithMessage();
    // The list read again from the file, and shown.
    void reloadApplicationFavoris();

    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    bool canDeleteSomething() const override;

protected:
    void buildInterface(StdWindow& window) override;
    bool deleteInTable(int table) override;
    void editInTable(int table) override;

private:
    void reloadAndSelect(int row);
    void transferAlert(bool ok, const QString& key);

    CellFavori m_cell;
};
