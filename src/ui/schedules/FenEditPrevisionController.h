#pragma once
// The forecast editor: name, amount and currency, debit and credit accounts, category,
// information text, the catch-up flag, and the recurrence in the planner pane (with its first
// date and validity). It edits the forecast of its window data in place; whoever opened it
// decides what OK means for the document (ScheduleEditors.h). The payment means is shown by no
// control and never read back.
//
// Window data: "prevision" the Prevision edited and "document" its document.
#include "toolkit/windows/StdWindowController.h"

class DOCUMENT;
class PopHelp;
class Prevision;
class QCheckBox;
class QLineEdit;
class QPushButton;
class StdTextView;
class TextFieldMontant;
class ViewPlanificatorController;

class FenEditPrevisionController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    QWidget* initialFirstResponder() const override;
    bool READ() override;
    Q_INVOKABLE void OUI(QObject* sender) override;
    Q_INVOKABLE void NON(QObject* sender) override;
    Q_INVOKABLE void DEVISE(QObject* item);
    Q_INVOKABLE void DEBIT(QObject* item);
    Q_INVOKABLE void CREDIT(QObject* item);
    void FILL_DEVISE(long slot);
    // The account's default category, when it has one, becomes the forecast's.
    void setAutoImputationsForCompteID(long compteID);
    // An account was just created from one of the account pop-ups: the new ident is arg2.
    Q_INVOKABLE void didCreateCompteFromMenu(const QVariant& arg1, const QVariant& arg2);

    Prevision& prevision() const;
    DOCUMENT& document() const;
    ViewPlanificatorController* planificator_controller() const { return m_planificator; }

    void windowWillClose() override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    QLayout* buildFields(StdWindow& window);
    QLayout* buildButtons(StdWindow& window);

    QLineEdit* field_nom = nullptr;
    TextFieldMontant* field_montant = nullptr;
    StdTextView* field_info = nullptr;
    QCheckBox* checkBoxRattrapable = nullptr;
    PopHelp* pop_help_echeance_prevision = nullptr;
    QPushButton* m_ok = nullptr;
    ViewPlanificatorController* m_planificator = nullptr;
};

// The window data of a forecast editor.
WindowDataPtr previsionEditorData(Prevision& prevision, DOCUMENT& doc);
