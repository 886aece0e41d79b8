#pragma once
// The loan simulator: the amount, the annual rate, the monthly cost and one of three ways of giving
// the repayment (the monthly payment, the capital repaid each month, or the number of months) make
// a month-by-month schedule with its totals, which prints in landscape. Simulations are kept by
// name in the document (a saved one shows read-only until copied), and one can become a real loan
// with its schedule of instalments. One window for the program.
#include "investments/CellSimulation.h"
#include "toolkit/windows/StdWindowWithTableController.h"

#include "engines/Simulation.h"

#include <functional>
#include <memory>

class BoxSimulationPied;
class PopDevise;
class PopSimulation;
class QComboBox;
class QLabel;
class QPushButton;
class TextFieldMontant;
class TextFieldReal;
class TextFieldRealSim;

class FenSimulationController : public StdWindowWithTableController {
    Q_OBJECT
public:
    // Opens the window, or brings the open one to the front.
    static FenSimulationController* openSimulation(long devise);
    static FenSimulationController* current();

    // ---- Outlets.
    PopSimulation* pop_configuration() const { return m_popConfiguration; }
    TextFieldMontant* field_montant() const { return m_fieldMontant; }
    TextFieldReal* field_taux() const { return m_fieldTaux; }
    TextFieldRealSim* field_mensualite() const { return m_fieldMensualite; }
    QComboBox* popup_kind() const { return m_popupKind; }
    TextFieldReal* field_cout() const { return m_fieldCout; }
    QPushButton* button_transform() const { return m_buttonTransform; }
    QLabel* field_configuration() const { return m_fieldConfiguration; }
    BoxSimulationPied* box_pied() const;

    const SIMULrec& simul() const { return *m_simul; }
    QString getConfiguration() const { return m_configuration; }

    void FILL() override;
    QWidget* initialFirstResponder() const override;
    bool READ() override;
    void PRINT_PIED();
    void paintSimulListe(CellSimulation& cell, int row);
    void paintPrintTete() override;
    void updateButtonTranformer();

    // ---- Names and saved simulations.
    bool saveCurrentSimulation();
    bool askForAvailableSimulationName(QString* name);
    // With test, the name must be fit for a file and free among saved simulations, loans and
    // schedules (an alert tells the first failure); without, only loans and schedules are asked.
    bool assumeAvailableNameForSimulation(const QString& name, bool test);
    bool isNameAvailableForSimulation(const QString& name) const;
    bool isNameAvailableForEmprunt(const QString& name) const;
    bool isNameAvailableForEcheancier(const QString& name) const;
    bool gotoSimulationAtUrl(const QString& url);
    bool gotoSimulationAtIndex(long index);

    // ---- Actions.
    Q_INVOKABLE void SIMULER(QObject* sender);
    Q_INVOKABLE void TRANSFORMER(QObject* sender);
    Q_INVOKABLE void POPUP_MENSUALITE(QObject* sender);
    Q_INVOKABLE void DEVISE(QObject* item);
    Q_INVOKABLE void NOUVELLE(QObject* sender);
    Q_INVOKABLE void NOUVELLE_COPIE(QObject* sender);
    Q_INVOKABLE void ENREGISTRER(QObject* sender);
    Q_INVOKABLE void SUPPRIMER(QObject* sender);
    Q_INVOKABLE void CHARGER(QObject* item);
    void FILL_DEVISE(long slot);

    // ---- The table and the print-out.
    int numberOfRowsInTableView1(StdTableView* table) override;
    StdCell* viewForTableColumn1(StdTableView* table, int row) override;
    QColor getPatColor1(int row) override;
    bool can_imprimer() const override { return true; }
    long preferedOrientation() const override { return 1; }
    bool shouldAlignColumns() const override { return true; }
    bool canFondsColores() const override { return true; }
    bool canTextesColores() const override { return true; }
    bool canAddBorders() const override { return true; }
    bool canPrintImages() const override { return false; }
    QSizeF getContentIncrement() const override { return QSizeF(15.0, 1.0); }
    void didAwakeFromNib() override;
    void windowWillClose() override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    QWidget* buildInputs(StdWindow& window);
    QWidget* buildToolbar(StdWindow& window);
    void resetSimulation();
    void fillMensualite();
    bool transformIntoLoan(const QString& name);
    bool askGoOn(const QString& resource);
    void alert(const char* key, const QString& information, const char* imageName, int style = 0);

    std::unique_ptr<SIMULrec> m_simul = newSimulation();
    QString m_configuration;
    CellSimulation m_cell;
    PopSimulation* m_popConfiguration = nullptr;
    TextFieldMontant* m_fieldMontant = nullptr;
    TextFieldReal* m_fieldTaux = nullptr;
    TextFieldRealSim* m_fieldMensualite = nullptr;
    QComboBox* m_popupKind = nullptr;
    TextFieldReal* m_fieldCout = nullptr;
    QPushButton* m_buttonTransform = nullptr;
    QPushButton* m_buttonSimuler = nullptr;
    QLabel* m_fieldConfiguration = nullptr;
    PopDevise* m_popDevise = nullptr;
};
