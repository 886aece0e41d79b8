// The calculator's reader and interpreter where a session transcript can't show it: where a
// read stops and why, the nesting bound, characters beyond ASCII, the integer conversions of
// doubles that no value may break, the modes a failed line leaves alone, "enter", the stop flag
// and programs.
#include "calculator/CalculatorEngine.h"
#include "calculator/CalculatorParser.h"
#include "calculator/CalculatorProgramme.h"
#include "calculator/calcnumbers.h"

#include "CalculatorTestConsole.h"
#include "support/TestEnvironment.h"

#include <QFile>

#include <cmath>
#include <limits>
#include <numbers>

#include <gtest/gtest.h>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

QString quoted(const QString& c)
{
    return QStringLiteral("« ") + c + QStringLiteral(" »");
}

struct ReadCase {
    QString line; // the end mark is added
    qint16 code;
    QString detail;
    qint64 stop; // where the read stopped
};

} // namespace

TEST(CalculatorParser, ReadErrorsNameTheCauseAndStopWhereItIs)
{
    const QString deep = QString(255, u'(') + u'1' + QString(255, u')');
    const ReadCase cases[] = {
        {QStringLiteral("2 + 3 * 4"), 0, {}, 10},
        {QStringLiteral("2 3"), 11, quoted(QStringLiteral("3")), 2},
        {QStringLiteral("decimal 5"), 11, quoted(QStringLiteral("5")), 8},
        {QStringLiteral("(1 + 2"), 6, {}, 6},
        {QStringLiteral("1 + 2)"), 11, quoted(QStringLiteral(")")), 5},
        {QStringLiteral("abc"), 11, {}, 0},
        {QStringLiteral("\"abc"), 10, {}, 5},
        // Escape reads as the interruption, code 2 as the clear code.
        {QStringLiteral("1\x1b"), 6, {}, 1},
        {QStringLiteral("1\x02"), 7, {}, 1},
        {QStringLiteral("1\x05"), 11, quoted(QStringLiteral("\x05")), 1},
        // Beyond ASCII: never the control code or operator of its low 8 bits (U+0103 would be the
        // end mark, U+0101 the interruption, U+0128 a parenthesis), but a character named.
        {QStringLiteral("\u0103"), 11, quoted(QStringLiteral("\u0103")), 0},
        {QStringLiteral("2 + \u0101"), 11, quoted(QStringLiteral("\u0101")), 4},
        {QStringLiteral("\u01281)"), 11, quoted(QStringLiteral("\u0128")), 0},
        {QStringLiteral("2 \U0001F600"), 11, quoted(QStringLiteral("\U0001F600")), 2},
        {QStringLiteral("println \"\U0001F600\""), 0, {}, 13},
        // Nesting is bounded: 255 parentheses still read, one more is error 1, not a crash.
        {deep, 0, {}, deep.size() + 1},
        {QString(256, u'(') + u'1', 1, {}, 256},
        {QStringLiteral("rac ").repeated(300) + u'4', 1, {}, 1023},
        {QString(100000, u'('), 1, {}, 256},
    };
    for (const ReadCase& c : cases) {
        const QString text = c.line + QLatin1Char('\n');
        CalculatorParser parser(text, CalcBase::Decimal);
        CALCULrec calcul;
        ERRORrec err;
        qint64 pos = 0;
        parser.readCalcul(pos, calcul, err);
        EXPECT_EQ(err.code, c.code) << c.line.left(40).toStdString();
        EXPECT_EQ(err.detail, c.detail) << c.line.left(40).toStdString();
        EXPECT_EQ(pos, c.stop) << c.line.left(40).toStdString();
    }
}

TEST(CalculatorNumbers, ResultsAreWrittenInEachBaseWhateverTheValue)
{
    struct Case {
        double value;
        CalcBase base;
        qint64 precision;
        QString shown;
    };
    const Case cases[] = {
        {3.14159, CalcBase::Decimal, 2, QStringLiteral("3.14")},
        {2.5, CalcBase::Decimal, 2, QStringLiteral("2.5")},
        {5, CalcBase::Decimal, 2, QStringLiteral("5")},
        {-0.001, CalcBase::Decimal, 2, QStringLiteral("-0")},
        {3.5, CalcBase::Decimal, 0, QStringLiteral("4")},
        {2.5, CalcBase::Decimal, 0, QStringLiteral("2")},
        {-2.5, CalcBase::Decimal, -3, QStringLiteral("-2")},
        {-0.4, CalcBase::Decimal, 0, QStringLiteral("0")},
        {1e30, CalcBase::Decimal, 0, QStringLiteral("1000000000000000019884624838656")},
        {kNaN, CalcBase::Decimal, 0, QStringLiteral("nan")},
        {-kNaN, CalcBase::Decimal, 3, QStringLiteral("nan")},
        {kInf, CalcBase::Decimal, 2, QStringLiteral("inf")},
        {-kInf, CalcBase::Decimal, 0, QStringLiteral("-inf")},
        {1.0 / 3, CalcBase::Decimal, 32767, QStringLiteral("0.333333333333333314829616256247390992939472198486328125")},
        {10, CalcBase::Hexa, 2, QStringLiteral("0A")},
        {255, CalcBase::Hexa, 2, QStringLiteral("FF")},
        {291, CalcBase::Hexa, 2, QStringLiteral("0123")},
        {-1, CalcBase::Hexa, 2, QStringLiteral("FFFF")},
        {0, CalcBase::Hexa, 2, QStringLiteral("00")},
        {65536, CalcBase::Hexa, 2, QStringLiteral("00")},
        {-2.9, CalcBase::Hexa, 2, QStringLiteral("FFFE")},
        {1e30, CalcBase::Hexa, 2, QStringLiteral("FFFF")},
        {-1e30, CalcBase::Hexa, 2, QStringLiteral("00")},
        {kNaN, CalcBase::Hexa, 2, QStringLiteral("00")},
        {5, CalcBase::Binaire, 2, QStringLiteral("$0000000000000101")},
        {-1, CalcBase::Binaire, 2, QStringLiteral("$1111111111111111")},
        {kNaN, CalcBase::Binaire, 2, QStringLiteral("$0000000000000000")},
        {kInf, CalcBase::Binaire, 2, QStringLiteral("$1111111111111111")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatCalculValue(c.value, c.base, c.precision), c.shown) << c.value << " in base " << int(c.base);

    // Texts are cut at 255 characters, however many digits printf gives.
    const QString huge = formatCalculValue(1e300, CalcBase::Decimal, 2);
    EXPECT_EQ(huge, QString::asprintf("%.0f", 1e300).left(255));
    EXPECT_EQ(formatCalculValue(1e-300, CalcBase::Decimal, 400).size(), 255);
}

TEST(CalculatorNumbers, DoublesBecomeIntegersWithADefinedAnswerForEveryValue)
{
    EXPECT_EQ(saturatedInt64(kNaN), 0);
    EXPECT_EQ(saturatedInt64(1e300), std::numeric_limits<qint64>::max());
    EXPECT_EQ(saturatedInt64(-kInf), std::numeric_limits<qint64>::min());
    EXPECT_EQ(saturatedInt64(-9223372036854775808.0), std::numeric_limits<qint64>::min());
    EXPECT_EQ(saturatedInt64(-7.9), -7);

    const std::pair<double, qint16> precisions[]
        = {{kNaN, 0}, {1e10, 32767}, {-1e10, -32768}, {kInf, 32767}, {4.9, 4}, {-0.5, 0}, {-3.7, -3}};
    for (const auto& [value, precision] : precisions)
        EXPECT_EQ(saturatedPrecision(value), precision) << value;

    const std::pair<double, QString> memories[] = {{50, QStringLiteral("50")},
                                                   {-1.7, QStringLiteral("-1")},
                                                   {kInf, QStringLiteral("inf")},
                                                   {kNaN, QStringLiteral("nan")},
                                                   {1e30, QStringLiteral("1000000000000000019884624838656")}};
    for (const auto& [value, text] : memories) {
        int index = -1;
        EXPECT_FALSE(memoryIndexOf(value, &index)) << value;
        EXPECT_EQ(memoryNumberText(value), text) << value;
    }
    int index = -1;
    EXPECT_TRUE(memoryIndexOf(49.99, &index));
    EXPECT_EQ(index, 49);
    EXPECT_TRUE(memoryIndexOf(-0.5, &index));
    EXPECT_EQ(index, 0);
}

TEST(CalculatorNumbers, NumberTextsOfAnyLengthHaveAValue)
{
    EXPECT_EQ(convertNumberText(QStringLiteral("1x1"), CalcBase::Binaire, 0), 7);
    EXPECT_EQ(convertNumberText(QStringLiteral("1A"), CalcBase::Hexa, 5), 26);
    EXPECT_DOUBLE_EQ(convertNumberText(QStringLiteral("12-3.5,6"), CalcBase::Decimal, 0), -123.56);
    EXPECT_NEAR(convertNumberText(QStringLiteral("1.5"), CalcBase::Decimal, 2), 150, 1e-9);
    EXPECT_NEAR(convertNumberText(QStringLiteral("1"), CalcBase::Decimal, -2), 0.01, 1e-15);
    EXPECT_EQ(convertNumberText(QString(400, u'9'), CalcBase::Decimal, 0), kInf);
    EXPECT_EQ(convertNumberText(QStringLiteral("0.") + QString(400, u'0') + u'1', CalcBase::Decimal, 0), 0);
}

TEST(CalculatorEngine, CommandsSetTheModesAndAFailedLineLeavesEverythingAsItWas)
{
    CalculatorTestConsole console;
    CalculatorEngine engine(console);
    CALCULETTErec& state = engine.calculette();
    console.run(engine, QStringLiteral("7"));
    console.run(engine, QStringLiteral("hexa"));
    console.run(engine, QStringLiteral("degre"));
    console.run(engine, QStringLiteral("precision 5"));
    console.run(engine, QStringLiteral("scientifique"));
    console.run(engine, QStringLiteral("sto 4"));
    EXPECT_EQ(state.base, CalcBase::Hexa);
    EXPECT_EQ(state.angle, CalcAngle::Degre);
    EXPECT_EQ(state.precision, 5);
    EXPECT_EQ(state.display, CalcDisplay::Scientifique);
    EXPECT_EQ(state.memories[4], 7);

    const CALCULETTErec before = state;
    for (const char* bad : {"decimal 1", "precision 2 (", "sto 60", "radian x", "sto 5 + rcl 99", "2 + ("}) {
        console.run(engine, QString::fromLatin1(bad));
        EXPECT_EQ(state.base, before.base) << bad;
        EXPECT_EQ(state.angle, before.angle) << bad;
        EXPECT_EQ(state.precision, before.precision) << bad;
        EXPECT_EQ(state.lastResult, before.lastResult) << bad;
        EXPECT_EQ(state.memories, before.memories) << bad;
    }

    engine.resetCalculette();
    EXPECT_EQ(state.base, CalcBase::Decimal);
    EXPECT_EQ(state.angle, CalcAngle::Radian);
    EXPECT_EQ(state.precision, 2);
    EXPECT_EQ(state.display, CalcDisplay::Standard);
    EXPECT_EQ(state.lastResult, 0);
    EXPECT_EQ(state.memories[4], 7); // the memories outlive a reset
}

// Worked by hand: angles in degrees against radians, and exponents with their sign.
TEST(CalculatorEngine, DegreesAndSignedExponentsByHand)
{
    CalculatorTestConsole console;
    CalculatorEngine engine(console);
    console.run(engine, QStringLiteral("degre"));
    EXPECT_EQ(console.run(engine, QStringLiteral("cos 180")), QStringLiteral("= -1"));
    EXPECT_EQ(console.run(engine, QStringLiteral("sin 270 + 3")), QStringLiteral("= 2"));
    console.run(engine, QStringLiteral("radian"));
    EXPECT_EQ(console.run(engine, QStringLiteral("sin 270")), QStringLiteral("= -0.18")); // -0.17604...
    EXPECT_EQ(console.run(engine, QStringLiteral("2.5e-3 * 1000")), QStringLiteral("= 2.5"));
    EXPECT_EQ(console.run(engine, QStringLiteral("4e+2 / 8")), QStringLiteral("= 50"));
    EXPECT_EQ(console.run(engine, QStringLiteral("1e-1 + 1e+1")), QStringLiteral("= 10.1"));
}

TEST(CalculatorEngine, EnterAsksWithThePromptKeyAndZero)
{
    CalculatorTestConsole console;
    CalculatorEngine engine(console);
    console.answers = {QStringLiteral("3"), QStringLiteral("4")};
    EXPECT_EQ(console.run(engine, QStringLiteral("enter \"kCalculette_Capital\" * enter")), QStringLiteral("= 12"));
    EXPECT_EQ(console.prompts, QStringList({QStringLiteral("kCalculette_Capital"), QString()}));
    EXPECT_EQ(console.initialTexts, QStringList({QStringLiteral("0"), QStringLiteral("0")}));
}

TEST(CalculatorEngine, AStopEndsTheLineAsAnInterruption)
{
    CalculatorTestConsole console;
    CalculatorEngine engine(console);
    engine.requestStop();
    EXPECT_EQ(console.run(engine, QStringLiteral("1 + 1")), QStringLiteral("*** Interrompu"));
    engine.clearStop();
    EXPECT_EQ(console.run(engine, QStringLiteral("1 + 1")), QStringLiteral("= 2"));
}

TEST(CalculatorProgramme, RunsLineAfterLineUntilTheEndTheFirstErrorOrAStop)
{
    CalculatorTestConsole console;
    CalculatorEngine engine(console);
    CalculatorProgramme programme;
    programme.setText(QStringLiteral("println \"debut\"\r\n\r\n  \n2 * 3\n+ 1\r* 2\n"));
    EXPECT_EQ(programme.lineCount(), 4);
    ERRORrec err;
    EXPECT_TRUE(programme.step(engine, 3, err));
    EXPECT_TRUE(programme.step(engine, 3, err) == false && err.ok());
    EXPECT_EQ(engine.calculette().lastResult, 14);
    EXPECT_EQ(console.output, QStringLiteral("debut\n"));

    programme.setText(QStringLiteral("5\n2 3\n9\n"));
    EXPECT_FALSE(programme.step(engine, 10, err));
    EXPECT_EQ(err.code, CalcErr::BadChar);
    EXPECT_EQ(engine.calculette().lastResult, 5); // the line after the error never ran
    EXPECT_TRUE(programme.atEnd());

    programme.setText(QStringLiteral("1\n2\n3\n"));
    EXPECT_TRUE(programme.step(engine, 1, err));
    engine.requestStop();
    EXPECT_FALSE(programme.step(engine, 1, err));
    EXPECT_EQ(err.code, CalcErr::Break);
    EXPECT_EQ(engine.calculette().lastResult, 1);
}

TEST(CalculatorProgramme, AFileTooLargeOrMissingIsRefusedByName)
{
    const QString folder = testenv::freshDir(QStringLiteral("calcprog"));
    const QString big = folder + QStringLiteral("/Gros.txt");
    QFile file(big);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(CalculatorProgramme::kMaxSize + 1, '1'));
    file.close();
    CalculatorProgramme programme;
    ERRORrec err;
    EXPECT_FALSE(programme.load(big, err));
    EXPECT_EQ(err.code, CalcErr::ProgrammeTooLong);
    EXPECT_EQ(err.detail, QStringLiteral("Gros.txt"));
    EXPECT_FALSE(programme.load(folder + QStringLiteral("/Absent.txt"), err));
    EXPECT_EQ(err.code, CalcErr::ProgrammeUnreadable);
    EXPECT_EQ(err.detail, QStringLiteral("Absent.txt"));
    EXPECT_FALSE(programme.load(folder, err));
    EXPECT_EQ(err.code, CalcErr::ProgrammeUnreadable);
}

TEST(CalculatorProgramme, TheShippedProgramsRun)
{
    CalculatorTestConsole console;
    CalculatorEngine engine(console);
    CalculatorProgramme programme;
    ERRORrec err;
    ASSERT_TRUE(programme.load(QStringLiteral(":/Programs/Welcome.txt"), err));
    while (programme.step(engine, 5, err)) { }
    EXPECT_TRUE(err.ok()) << err.detail.toStdString();
    EXPECT_NEAR(engine.calculette().lastResult, 4 * std::numbers::pi, 1e-9);
    EXPECT_TRUE(console.output.startsWith(QStringLiteral("Bienvenue dans la calculette")));

    console.answers = {QStringLiteral("10000"), QStringLiteral("6"), QStringLiteral("12")};
    ASSERT_TRUE(programme.load(QStringLiteral(":/Programs/Emprunt.txt"), err));
    while (programme.step(engine, 5, err)) { }
    EXPECT_TRUE(err.ok()) << err.detail.toStdString();
    EXPECT_NEAR(engine.calculette().lastResult, 860.66, 0.005);
    EXPECT_EQ(console.prompts.last(), QStringLiteral("kCalculette_Mois"));

    console.answers = {QStringLiteral("20"), QStringLiteral("100")};
    ASSERT_TRUE(programme.load(QStringLiteral(":/Programs/TVA.txt"), err));
    while (programme.step(engine, 5, err)) { }
    EXPECT_NEAR(engine.calculette().lastResult, 120, 1e-9);
}
