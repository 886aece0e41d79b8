#pragma once
// The calculator: its state (modes, memories, last result) and the interpreter of the lines that
// CalculatorParser reads. All arithmetic is IEEE double: division by zero, logarithms of
// non-positive numbers and powers of negative bases give infinities and NaN, which pass through;
// only the places where a double must become an integer (memory numbers, the precision, the
// hexadecimal and binary output) decide, in calcnumbers.h, what such a value means.
//
// A line that fails leaves the last result, the modes and the memories as they were; text that
// "print" or "println" showed before the error stays shown.
#include "calculator/CALCULETTErec.h"
#include "calculator/CALCULrec.h"

#include <QString>

// What a line needs from the console it runs in.
class ICalculetteConsole {
public:
    virtual ~ICalculetteConsole() = default;
    // Shows the text at the console's insertion point ("print", "println").
    virtual void echoString(const QString& text) = 0;
    // Asks the user for a value ("enter"), the prompt being the text of that key of table
    // "Dialogue"; false when the user cancels.
    virtual bool askStringModal(const QString& promptKey, const QString& initialText, QString* answer) = 0;
};

class CalculatorEngine {
public:
    explicit CalculatorEngine(ICalculetteConsole& console);

    CALCULETTErec& calculette() { return m_calculette; }
    const CALCULETTErec& calculette() const { return m_calculette; }

    // Reads the line that starts at start in text (it ends at an end mark) and runs it; on
    // success the value becomes the last result. Answers whether it ran without error.
    bool runLine(const QString& text, qint64 start, double* value, ERRORrec& err);

    // A parsed line: an expression, or a command (interpreteMeta), whose value is the last result.
    bool interpreteCalcul(const CALCULrec& calcul, double& value, ERRORrec& err);
    bool interpreteSomme(const CalcSomme& somme, double& value, ERRORrec& err);
    bool interpreteProduit(const CalcProduit& produit, double& value, ERRORrec& err);
    bool interpreteExpr(const CalcExpr& expr, double& value, ERRORrec& err);
    bool interpreteNombre(const CalcNombre& nombre, double& value, ERRORrec& err);
    bool interpreteMeta(const CALCULrec& calcul, double& value, ERRORrec& err);
    // The function of the expression applied to its computed argument.
    bool applyFonction(const CalcExpr& expr, const double& argument, double& value, ERRORrec& err);

    // The value in the current base and precision.
    QString valueToString(double value) const;
    // Stores the value in memory trunc(n); error 9 naming n when that is not 0 to 49.
    bool setCalculetteMemory(double n, double value, ERRORrec& err);
    // Modes back to decimal, two decimals, standard display and radians; last result 0; the
    // memories are kept.
    void resetCalculette();

    // What the console shows after a line: the value, or "*** ", the error's message and, when
    // there is one, " : " and the detail.
    QString resultText(double value, const ERRORrec& err) const;
    // The message of an error code, from table "Misc".
    static QString errorMessage(qint16 code);

    // A stop asked while a line or a program runs: the interpreter ends the line with error 6 at
    // its next step, and the program runner stops before its next line.
    void requestStop() { m_stop = true; }
    void clearStop() { m_stop = false; }
    bool stopRequested() const { return m_stop; }

private:
    double angleOf(double x) const;

    ICalculetteConsole& m_console;
    CALCULETTErec m_calculette;
    bool m_stop = false;
};
