#pragma once
// The folders of the open document and the categories of the chosen folder. From here the user
// creates, edits and deletes folders and categories, drags categories onto another folder, jumps
// to a category by typing its first letter and opens the listing of a folder or a category.
// Something still in use is deleted only once the user has chosen what takes its place, and every
// reference is rewritten before it goes. One window for the program (openEntityWindow).
#include "entities/CellDossier.h"
#include "toolkit/windows/EntityListWindow.h"

#include <QHash>
#include <QList>
#include <QPointer>

class DOCUMENT;
class DOSSIER;
class QPushButton;

class FenDossierController : public EntityListWindow {
    Q_OBJECT
public:
    static FenDossierController* current();

    // The categories table 2 lists: the chosen folder's, in the document's order.
    const QList<long>& myPosteList() const { return _myPosteList; }

    Q_INVOKABLE void CREER_DOSSIER(QObject* sender = nullptr);
    Q_INVOKABLE void CREER_POSTE(QObject* sender = nullptr);
    Q_INVOKABLE void VOIR_DOSSIER(QObject* sender = nullptr);
    Q_INVOKABLE void VOIR_POSTE(QObject* sender = nullptr);
    Q_INVOKABLE void SUPPRIMER_DOSSIER(QObject* sender = nullptr);
    Q_INVOKABLE void SUPPRIMER_POSTE(QObject* sender = nullptr);
    // Deletes the chosen categories; noConfirm skips only the confirmation.
    void SUPPRIMER_POSTE_NOCONFIRM(bool noConfirm);
    Q_INVOKABLE void LISTING_DOSSIER(QObject* sender = nullptr);
    Q_INVOKABLE void LISTING_POSTE(QObject* sender = nullptr);
    // The graph of the first selected category, of the selected folder.
    Q_INVOKABLE void GRAPHIQUE(QObject* sender = nullptr);
    Q_INVOKABLE void GRAPHIQUED(QObject* sender = nullptr);
    // Rebuilds the category list of the chosen folder; the row of the category in it, 0 when it
    // is not there.
    int COMPUTE_POSTE(long posteID);
    // Shows the category under its folder, chosen, wherever it is.
    void GO_TO_POSTE(long posteID);
    bool doChercherPoste(QChar typed);

    bool delete_(QObject* sender) override;
    bool canDeleteSomething() const override;
    bool canSelectAllSomething() const override;
    Q_INVOKABLE void selectAll(QObject* sender = nullptr);

    Q_INVOKABLE void preferencesDidChange(const QVariant& arg1, const QVariant& arg2) override;

    int numberOfRowsInTableView1(StdTableView* table) override;
    int numberOfRowsInTableView2(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    StdCell* viewForTableColumn2(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    QColor getPatColor2(int row) override;
    void tableViewSelectionDidChange1() override;
    void tableViewSelectionDidChange2() override;
    bool didKeyDown1(int key) override;
    bool didKeyDown2(int key) override;
    bool canDragSomething2() override { return true; }
    bool validateDrop(long row) override;
    void dragRowsFromIndexes(const IndexSet& indexes, long toIndex) override;

protected:
    void buildInterface(StdWindow& window) override;
    void didAwakeFromNib() override;
    void windowWillClose() override;
    bool deleteInTable(int table) override;
    void editInTable(int table) override;

private:
    DOCUMENT* doc() const;
    const DOSSIER* dossierAtRow(int row) const;
    long selectedDossierID() const;
    QList<long> selectedPosteIDs() const;
    void selectDossierRow(int row);
    // The folder's row, -1 when the document no longer has it.
    int dossierRow(long dossierID) const;
    // Whether the deletion is refused, with its alert: the default category, the default folder or
    // the folder of the default category.
    bool refusesPostes(const QList<long>& posteIDs);
    bool refusesDossier(long dossierID);
    void updateButtons();
    bool confirm(const QString& key, const QString& information, const QString& imageName);
    void refuse(const char* key, const QString& imageName);
    void broadcastChange();

    QList<long> _myPosteList;
    CellDossier m_cellDossier;
    CellPoste m_cellPoste;
    QHash<QString, QPointer<QPushButton>> m_buttons; // by action
};

// Opens the categories-and-folders window, or brings the open one to the front.
FenDossierController* showDossiers(bool appear = true);
