#pragma once
// The state of one calculator (one per calculator window) and the error record that every read
// and interpret operation fills at the first error.
#include <QString>

#include <array>

// The number base lines are read and results are shown in.
enum class CalcBase : qint16 {
    Decimal = 0,
    Hexa = 1,
    Binaire = 2,
};

enum class CalcDisplay : qint16 {
    Standard = 0,
    Scientifique = 1,
};

enum class CalcAngle : qint16 {
    Radian = 0,
    Degre = 1,
};

constexpr int kCalcMemoryCount = 50;
// Every text inside the calculator (words, quoted texts, digit runs, results, details) keeps at
// most this many characters, as the console's lines always did.
constexpr qsizetype kCalcTextMax = 255;

struct CALCULETTErec {
    double lastResult = 0;
    qint64 promptPosition = 0; // index in the console just after the last prompt
    qint16 precision = 2; // decimals shown in decimal base
    CalcBase base = CalcBase::Decimal;
    CalcDisplay display = CalcDisplay::Standard;
    CalcAngle angle = CalcAngle::Radian;
    std::array<double, kCalcMemoryCount> memories {};
    bool recording = false; // each line run is also appended to recordingBuffer
    QString recordingBuffer;
};

// Error codes; each has its message in table "Misc" (CalculatorEngine::errorMessageKey).
namespace CalcErr {
constexpr qint16 None = 0;
constexpr qint16 BadExpr = 1; // also: nesting deeper than the reader allows
constexpr qint16 BadFonction = 4;
constexpr qint16 Break = 6; // an end mark where another character was expected; "enter" cancelled
constexpr qint16 Clear = 7; // code 2 where another character was expected
constexpr qint16 BadCommand = 8;
constexpr qint16 StoOutOfRange = 9;
constexpr qint16 EndOfExpr = 10;
constexpr qint16 BadChar = 11;
constexpr qint16 ProgrammeUnreadable = 12;
constexpr qint16 ProgrammeTooLong = 13;
} // namespace CalcErr

struct ERRORrec {
    qint16 code = CalcErr::None;
    QString detail; // at most kCalcTextMax characters; empty for none

    bool ok() const { return code == CalcErr::None; }
    void clear()
    {
        code = CalcErr::None;
        detail.clear();
    }
    // Keeps the first error: callers stop at it, and nothing after it may hide it.
    void set(qint16 errorCode, const QString& errorDetail = QString())
    {
        if (code != CalcErr::None)
            return;
        code = errorCode;
        detail = errorDetail.left(kCalcTextMax);
    }
};
