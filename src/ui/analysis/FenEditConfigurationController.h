#pragma once
// The modal editor of the document's analysis configurations: choose one, edit its period, rows,
// tax mode, reference account and the folders, categories, banks and accounts it selects; create
// one from the current settings, rename one, delete one (never the default, at position 0).
// Creating, renaming and deleting change the document's list at once; OK stores the
// configuration being edited.
//
// Window data: "pindex" (the position to edit; on OK, the position current when the editor
// closed) and "type" (0 from an analysis window, 1 from a budget window, where whole months are
// forced).
#include "toolkit/windows/StdWindowController.h"

#include "model/AnalyseConfiguration.h"

class PopAnalyse;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

class FenEditConfigurationController : public StdWindowController {
    Q_OBJECT
public:
    // The four lists of identifiers.
    enum class ListKind : int {
        Dossier = 0,
        Poste = 1,
        Banque = 2,
        Compte = 3,
    };

    const AnalyseConfiguration& currentDefRec() const { return m_currentDefRec; }
    long currentDefIndex() const { return m_currentDefIndex; }
    int analyseType() const { return m_analyseType; }
    bool canDate() const { return m_canDate; }
    QListWidget* list(ListKind kind) const { return m_lists[int(kind)]; }
    double defaultFontSize() const override { return 11; }

    void didAwakeFromNib() override;
    void FILL() override;
    void FILL_CONFIGURATION();
    void FILL_DATES();
    bool READ() override;
    Q_INVOKABLE void OUI(QObject* sender) override;
    bool ENREGISTRER();

    Q_INVOKABLE void CONFIGURATION(QObject* sender);
    Q_INVOKABLE void CREER(QObject* sender);
    Q_INVOKABLE void RENOMMER(QObject* sender);
    Q_INVOKABLE void SUPPRIMER(QObject* sender);
    // Broadcast after a configuration was deleted (its name): the one edited is found again by
    // its name, or, gone, the editor shows the default one.
    Q_INVOKABLE void notifyAnalyseDelete(const QVariant& name, const QVariant& arg2);
    Q_INVOKABLE void MODEDATE(QObject* sender);
    Q_INVOKABLE void CB_FORCER(QObject* sender);
    Q_INVOKABLE void CB_DOSSIER(QObject* sender);
    Q_INVOKABLE void CB_POSTE(QObject* sender);
    Q_INVOKABLE void MODEPOSTE(QObject* sender);
    Q_INVOKABLE void MODECOMPTE(QObject* sender);
    Q_INVOKABLE void TOUS_COMPTES(QObject* sender);
    Q_INVOKABLE void CREDIT(QObject* item);
    Q_INVOKABLE void DOSSIER(QObject* item);
    Q_INVOKABLE void POSTE(QObject* item);
    Q_INVOKABLE void BDEBIT(QObject* item);
    Q_INVOKABLE void DEBIT(QObject* item);
    Q_INVOKABLE void ADD_ALL_DOSSIERS(QObject* sender);
    Q_INVOKABLE void ADD_ALL_POSTES(QObject* sender);
    Q_INVOKABLE void ADD_ALL_BANQUES(QObject* sender);
    Q_INVOKABLE void ADD_ALL_COMPTES(QObject* sender);
    Q_INVOKABLE void SUPP_DOSSIER(QObject* sender);
    Q_INVOKABLE void SUPP_POSTE(QObject* sender);
    Q_INVOKABLE void SUPP_BANQUE(QObject* sender);
    Q_INVOKABLE void SUPP_COMPTE(QObject* sender);
    Q_INVOKABLE void SUPP_ALL_DOSSIERS(QObject* sender);
    Q_INVOKABLE void SUPP_ALL_POSTES(QObject* sender);
    Q_INVOKABLE void SUPP_ALL_BANQUES(QObject* sender);
    Q_INVOKABLE void SUPP_ALL_COMPTES(QObject* sender);
    // Whole months: the first day becomes 1 and the second the last day of its month.
    void textDidEndEditing(QObject* field);
    Q_INVOKABLE void CALENDRIER1(QObject* sender);
    Q_INVOKABLE void CALENDRIER2(QObject* sender);
    bool isDateField(const QObject* field) const;

protected:
    void buildInterface(StdWindow& window) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildPeriode(QWidget* parent);
    QWidget* buildLists(QWidget* parent, ListKind first, ListKind second, const char* modeName, const char* modeAction);
    QWidget* buildOneList(QWidget* parent, ListKind kind);
    AnaIdentList& identsOf(ListKind kind);
    void reloadList(ListKind kind);
    void addToList(ListKind kind, long ident);
    void removeSelected(ListKind kind);
    void fillList(ListKind kind, const AnaIdentList& idents);
    void enableModes();
    void setCanDate(bool can);
    bool checkDates();
    bool nameRefused(const QString& name, long ownIndex);

    AnalyseConfiguration m_currentDefRec;
    long m_currentDefIndex = 0;
    int m_analyseType = 0;
    bool m_canDate = false;
    PopAnalyse* m_popConfiguration = nullptr;
    QLabel* m_fieldConfiguration = nullptr;
    QComboBox* m_popupModedate = nullptr;
    QComboBox* m_popupFiscalite = nullptr;
    QComboBox* m_popupModeposte = nullptr;
    QComboBox* m_popupModecompte = nullptr;
    QCheckBox* m_checkDossiers = nullptr;
    QCheckBox* m_checkPostes = nullptr;
    QCheckBox* m_checkVirint = nullptr;
    QCheckBox* m_checkMensuel = nullptr;
    QCheckBox* m_checkMoisComplets = nullptr;
    QPushButton* m_buttonNoReference = nullptr;
    QListWidget* m_lists[4] {};
    QList<QWidget*> m_dateFields;
    QList<QWidget*> m_calendarButtons;
    QList<QWidget*> m_posteControls;
    QList<QWidget*> m_compteControls;
};
