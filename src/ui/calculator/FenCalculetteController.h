#pragma once
// The calculator window: the console where lines are typed (or entered with the buttons) and
// run, the window's amount that follows every result, and, in the modal form, OK and Cancel.
//
// Two forms: the free window, one at most, opened by the calculator command (openCalculette),
// working on an amount of its own; and the modal window FenCalculetteController2, opened on an
// amount field's amount (its window data), into which every result goes at once and which the
// opener takes back on OK. Each window has its own calculator: modes, memories and last result
// live as long as the window.
//
// The window also runs the programs of the library's program folder (PROGRAMME:), a few lines at
// a time on the host's scheduler, so that BREAK stops a long one between its lines.
#include "calculator/CalculatorEngine.h"
#include "calculator/CalculatorProgramme.h"
#include "calculator/CalculetteKeypad.h"
#include "calculator/ViewConsole.h"
#include "model/MONTANT.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/host/UiHost.h"
#include "toolkit/windows/StdWindowController.h"

#include <QPointer>

class QPushButton;

class FenCalculetteController : public StdWindowController, public ICalculetteConsole {
    Q_OBJECT
public:
    FenCalculetteController();
    ~FenCalculetteController() override;

    // The calculator command: brings the free window to the front, or opens one in the slot.
    static FenCalculetteController* openCalculette(long devise, bool appear = true);
    // The free window while it is open, else null.
    static FenCalculetteController* freeCalculette();

    static QString nibName() { return QStringLiteral("FenCalculette"); }

    CalculatorEngine& calculette() { return m_calculette; }
    const MONTANT& montant() const { return *m_montant; }
    ViewConsole* console() const { return m_console; }

    // ---- The console

    // Shows "> " at the end and puts the prompt position after it.
    void prompt();
    qint64 lastPrompt() const { return m_calculette.calculette().promptPosition; }
    // Inserts the text at the insertion point, in place of the selection.
    void echoString(const QString& text) override;
    qint64 getCalculetteSize() const;
    QString getCalculetteChars() const;
    // The selection as (start, length).
    QPair<qint64, qint64> calculetteGetSelection() const;
    void calculetteSetSelection(qint64 start, qint64 length);
    // Moves the insertion point to the end when the selection begins before the position (a
    // negative position: always).
    void assumeCalculettePosition(qint64 position);
    // Empties the console and shows a prompt; modes, memories and last result stay.
    void doClear();
    // The result line ("*** " and the message for an error) and a new prompt.
    void echoResult(double value, const ERRORrec& err);
    // The value becomes the last result and, when it is a finite number, the window's amount.
    void setCalculetteLastResult(double value);
    // Whether the last result could become an amount (a finite number in every slot).
    bool lastResultIsMontant() const { return m_lastResultIsMontant; }

    // One character, typed or entered by a button: BREAK (1) abandons the line, CLEAR (2) empties
    // the console, the end mark (3, a line end) runs the line, any other goes after the prompt.
    // False when the line it ran failed, or the character was refused while a program runs.
    bool enterCalculette(char32_t c, ERRORrec& err);
    // Each character of the text, '=' running the line; stops at the first line that fails.
    bool enterCalculetteString(const QString& text, ERRORrec& err);

    // The "enter" question, modal on this window.
    bool askStringModal(const QString& promptKey, const QString& initialText, QString* answer) override;

    // Runs the program file; false, with the error shown in the console, when it can't be read.
    bool executeProgramme(const QString& path, ERRORrec& err);
    bool programmeIsRunning() const { return m_programmeRunning; }

    // ---- Actions

    // Every calculator button: enters the text of the button's record.
    Q_INVOKABLE void ENTER_BUTTON(QObject* sender);
    // Chooses a program in the library's program folder and runs it.
    Q_INVOKABLE void PROGRAMME(QObject* sender);
    // The amount goes back into the window data; refused while the last result is no number.
    Q_INVOKABLE void OUI(QObject* sender) override;
    Q_INVOKABLE void DEVISE(QObject* sender);
    // The amount field follows the window's currency.
    void FILL_DEVISE(long slot);

    // Set-up: the buttons, a fresh calculator, the first prompt, the library's programs, the
    // amount (the window data in the modal form) and the last result taken from it.
    void didAwakeFromNib() override;
    // Stops a running program and, for the free window, lets the next command open a new one.
    void windowWillClose() override;
    QWidget* initialFirstResponder() const override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    QWidget* makeAmountRow(StdWindow& window);
    void interrupt();
    bool runTypedLine(ERRORrec& err);
    void moveToEnd();
    void copyProgrammesIfNeeded();
    void scheduleProgrammeStep();
    void runProgrammeStep();
    void finishProgramme(const ERRORrec& err);

    CalculatorEngine m_calculette {*this};
    QList<CalculetteButton> m_buttons;
    QPointer<ViewConsole> m_console;
    QPointer<TextFieldMontant> m_textMontant;
    QPointer<QPushButton> m_buttonOui;
    QPointer<QPushButton> m_buttonNon;
    MONTANT m_ownMontant;
    MONTANT* m_montant = &m_ownMontant;
    bool m_lastResultIsMontant = true;

    CalculatorProgramme m_programme;
    bool m_programmeRunning = false;
    IScheduler::Handle m_programmeStep = 0;
};
