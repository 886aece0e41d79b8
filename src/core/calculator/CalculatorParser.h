#pragma once
// The reader of calculator lines: recursive descent over the console's text from a position,
// into the tree of CALCULrec.h. Each read operation advances the position past what it took and
// answers false once the error record holds an error; the first error ends the read.
//
// Characters are mapped before they are looked at: ',' reads as '.', a line end (carriage return
// or line feed) and code 3 as the end mark 3, escape as code 1. Blanks are space and tab. A
// character beyond ASCII is never folded onto a control code or an operator: outside a quoted
// text it is an unexpected character (error 11 naming it); inside one it is kept as typed.
#include "calculator/CALCULETTErec.h"
#include "calculator/CALCULrec.h"

#include <QString>

class CalculatorParser {
public:
    // Expressions nest at most this deep (parentheses, function arguments); a deeper line is
    // error 1 rather than a stack overflow.
    static constexpr int kMaxDepth = 256;
    static constexpr char32_t kEndMark = 3;
    static constexpr char32_t kInterruption = 1;
    static constexpr char32_t kClear = 2;

    // text is read in place and must outlive the parser; digit runs are read in the base.
    CalculatorParser(const QString& text, CalcBase base);

    // A whole line: a command, or an expression; then the end mark. The error record is cleared
    // first. Answers whether it read without error.
    bool readCalcul(qint64& pos, CALCULrec& calcul, ERRORrec& err);
    bool readSomme(qint64& pos, CalcSomme& somme, ERRORrec& err);
    bool readProduit(qint64& pos, CalcProduit& produit, ERRORrec& err);
    bool readExpr(qint64& pos, CalcExpr& expr, ERRORrec& err);
    bool readNombre(qint64& pos, CalcNombre& nombre, ERRORrec& err);
    // A run of digits of the base (no blanks inside), kept up to kCalcTextMax of them.
    bool readSuite(qint64& pos, QString& suite, ERRORrec& err);

    // The character as the reader sees it (the mapping above; other characters unchanged).
    static char32_t mapChar(char32_t c);
    // The detail of error 11: the character between the two quote texts of table "Misc".
    static QString quotedChar(char32_t c);

private:
    // The code point at pos and the UTF-16 units it takes.
    char32_t codePointAt(qint64 pos, int* units) const;
    // The mapped character at pos without taking it: error 10 past the end, 11 beyond ASCII.
    bool peek(qint64 pos, char32_t* c, ERRORrec& err) const;
    void skipBlanks(qint64& pos) const;
    // peek after the blanks, which it takes.
    bool peekAfterBlanks(qint64& pos, char32_t* c, ERRORrec& err) const;
    // Takes an optional sign after the blanks; a minus sets *negative.
    bool readSign(qint64& pos, bool* negative, ERRORrec& err) const;
    // Skips the blanks and answers the run of ASCII letters there, without taking it.
    QString readWord(qint64& pos) const;
    // Takes the expected character after the blanks, else sets the error the character found
    // calls for.
    bool expect(qint64& pos, char32_t expected, ERRORrec& err) const;
    // The text up to the closing double quote, which it takes; pos is past the opening one.
    bool readTexte(qint64& pos, QString& texte, ERRORrec& err) const;
    bool isDigit(char32_t c) const;
    bool readExposant(qint64& pos, CalcNombre& nombre, ERRORrec& err);
    bool readExprBody(qint64& pos, CalcExpr& expr, ERRORrec& err);

    const QString& m_text;
    CalcBase m_base;
    int m_depth = 0;
};
