// Thousands of random, mutated and oversized lines and programs through the calculator's reader
// and interpreter, with the modes changing on the way: none may crash or hang, every error is one
// the language defines, and no text outgrows its bound. `make test` runs this under
// AddressSanitizer and UndefinedBehaviorSanitizer too.
#include "calculator/CalculatorEngine.h"
#include "calculator/CalculatorProgramme.h"

#include "CalculatorTestConsole.h"

#include <QDir>
#include <QFile>

#include <random>
#include <set>

#include <gtest/gtest.h>

namespace {

const QStringList& pieces()
{
    static const QStringList list = {
        QStringLiteral("0"),
        QStringLiteral("1"),
        QStringLiteral("7"),
        QStringLiteral("42"),
        QStringLiteral("3.5"),
        QStringLiteral(","),
        QStringLiteral("."),
        QStringLiteral("e"),
        QStringLiteral("E"),
        QStringLiteral("e-"),
        QStringLiteral("e+9"),
        QStringLiteral("FF"),
        QStringLiteral("a"),
        QStringLiteral("101"),
        QStringLiteral("+"),
        QStringLiteral("-"),
        QStringLiteral("*"),
        QStringLiteral("/"),
        QStringLiteral("^"),
        QStringLiteral("("),
        QStringLiteral(")"),
        QStringLiteral("\""),
        QStringLiteral("\"txt\""),
        QStringLiteral(" "),
        QStringLiteral("\t"),
        QStringLiteral("pi"),
        QStringLiteral("last"),
        QStringLiteral("enter"),
        QStringLiteral("enter \"k\""),
        QStringLiteral("rcl"),
        QStringLiteral("sto"),
        QStringLiteral("rac"),
        QStringLiteral("ln"),
        QStringLiteral("log"),
        QStringLiteral("sin"),
        QStringLiteral("cos"),
        QStringLiteral("tan"),
        QStringLiteral("cotan"),
        QStringLiteral("print"),
        QStringLiteral("println"),
        QStringLiteral("hexa"),
        QStringLiteral("decimal"),
        QStringLiteral("binaire"),
        QStringLiteral("degre"),
        QStringLiteral("radian"),
        QStringLiteral("precision"),
        QStringLiteral("standard"),
        QStringLiteral("scientifique"),
        QStringLiteral("clear"),
        QStringLiteral("\x1b"),
        QStringLiteral("\x02"),
        QStringLiteral("\x03"),
        QStringLiteral("\r"),
        QStringLiteral("\u00e9"),
        QStringLiteral("\u0103"),
        QStringLiteral("\u0128"),
        QStringLiteral("\U0001F600"),
        QStringLiteral("x"),
        QStringLiteral("1e308"),
        QStringLiteral("1e-308"),
        QStringLiteral("99999999999999999999"),
        QStringLiteral("32767"),
        QStringLiteral("-1"),
        QStringLiteral("50"),
    };
    return list;
}

class Fuzzer {
public:
    Fuzzer()
        : m_engine(m_console)
    {
        m_console.failOnUnexpectedQuestion = false;
    }

    QString randomLine()
    {
        QString line;
        const int count = pick(1, 12);
        for (int i = 0; i < count; ++i) {
            line += pieces()[pick(0, int(pieces().size()) - 1)];
            if (pick(0, 2) == 0)
                line += u' ';
        }
        return line;
    }

    // One to four edits: a piece inserted, a stretch deleted or doubled, a character replaced by
    // any code unit of the first 256 or a lone surrogate.
    QString mutate(QString line)
    {
        const int edits = pick(1, 4);
        for (int i = 0; i < edits; ++i) {
            const int at = pick(0, int(line.size()));
            const int length = pick(0, std::max(0, int(line.size()) - at));
            switch (pick(0, 3)) {
            case 0:
                line.insert(at, pieces()[pick(0, int(pieces().size()) - 1)]);
                break;
            case 1:
                line.remove(at, length);
                break;
            case 2:
                line.insert(at, line.mid(at, length));
                break;
            default:
                if (at < line.size())
                    line[at] = QChar(char16_t(pick(0, 4) == 0 ? 0xD800 + pick(0, 0x7FF) : pick(0, 255)));
                break;
            }
        }
        return line;
    }

    void run(const QString& line)
    {
        m_console.answers.clear();
        if (pick(0, 1) == 0)
            m_console.answers.push_back(randomLine());
        else
            m_console.answers.push_back(std::nullopt);
        m_console.output.clear();
        double value = 0;
        ERRORrec err;
        m_engine.runLine(line + QLatin1Char('\n'), 0, &value, err);
        check(line, value, err);
    }

    void runProgramme(const QString& text)
    {
        CalculatorProgramme programme;
        programme.setText(text);
        m_console.output.clear();
        ERRORrec err;
        while (programme.step(m_engine, pick(1, 8), err)) { }
        check(text, m_engine.calculette().lastResult, err);
        m_engine.clearStop();
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    CalculatorEngine& engine() { return m_engine; }

private:
    void check(const QString& line, double value, const ERRORrec& err)
    {
        static const std::set<qint16> defined = {0, 1, 6, 7, 9, 10, 11};
        EXPECT_TRUE(defined.count(err.code)) << err.code << " for " << line.toStdString();
        EXPECT_LE(err.detail.size(), kCalcTextMax);
        EXPECT_LE(m_engine.valueToString(value).size(), kCalcTextMax) << line.toStdString();
        EXPECT_LE(m_engine.resultText(value, err).size(), 2 * kCalcTextMax);
        // Each "print" or "println" shows one text of at most 255 characters and a line end.
        const qsizetype calls = line.count(QLatin1String("print"), Qt::CaseInsensitive);
        EXPECT_LE(m_console.output.size(), calls * (kCalcTextMax + 1)) << line.toStdString();
    }

    CalculatorTestConsole m_console;
    CalculatorEngine m_engine;
    std::mt19937 m_random {20240314};
};

QStringList goldenInputs()
{
    QStringList inputs;
    const QDir dir(QStringLiteral(SORV_TEST_DATA_DIR "/calculator"));
    for (const QString& name : dir.entryList({QStringLiteral("*.calc")}, QDir::Files)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            if (line.startsWith(u'>'))
                inputs.append(line.mid(2));
        }
    }
    return inputs;
}

} // namespace

TEST(CalculatorRobustness, RandomLinesNeitherCrashNorEscapeTheDefinedErrors)
{
    Fuzzer fuzzer;
    for (int i = 0; i < 2500; ++i)
        fuzzer.run(fuzzer.randomLine());
}

TEST(CalculatorRobustness, MutatedSessionLinesNeitherCrashNorEscapeTheDefinedErrors)
{
    Fuzzer fuzzer;
    const QStringList inputs = goldenInputs();
    ASSERT_GT(inputs.size(), 100);
    for (int round = 0; round < 12; ++round) {
        for (const QString& input : inputs)
            fuzzer.run(fuzzer.mutate(input));
    }
}

TEST(CalculatorRobustness, OversizedLinesAreBoundedByTheReader)
{
    Fuzzer fuzzer;
    const QString bulk[] = {
        QString(100000, u'('),
        QStringLiteral("rac ").repeated(50000) + u'2',
        QStringLiteral("1+").repeated(100000) + u'1',
        QStringLiteral("-").repeated(100000) + u'1',
        QString(100000, u'9'),
        QStringLiteral("0.") + QString(100000, u'3') + QStringLiteral("e") + QString(100000, u'9'),
        QStringLiteral("println \"") + QString(100000, u'\u00e9') + u'"',
        QStringLiteral("enter \"") + QString(100000, u'k') + u'"',
        QStringLiteral("print \"x\" + ").repeated(30) + u'1',
    };
    for (const char* mode : {"decimal", "hexa", "binaire", "precision 32767"}) {
        fuzzer.run(QString::fromLatin1(mode));
        for (const QString& line : bulk)
            fuzzer.run(line);
    }
    fuzzer.run(QStringLiteral("hexa"));
    fuzzer.run(QString(100000, u'F'));
    fuzzer.run(QStringLiteral("binaire"));
    fuzzer.run(QString(100000, u'1'));
}

TEST(CalculatorRobustness, RandomProgramsRunToTheirEnd)
{
    Fuzzer fuzzer;
    for (int i = 0; i < 200; ++i) {
        QString text;
        const int lines = fuzzer.pick(1, 30);
        for (int j = 0; j < lines; ++j)
            text += (fuzzer.pick(0, 3) == 0 ? fuzzer.mutate(fuzzer.randomLine()) : fuzzer.randomLine()) + u'\n';
        if (fuzzer.pick(0, 10) == 0)
            fuzzer.engine().requestStop();
        fuzzer.runProgramme(text);
    }
}
