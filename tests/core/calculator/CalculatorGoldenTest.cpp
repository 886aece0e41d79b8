// The calculator's golden sessions (tests/data/calculator/*.calc, format in the README there):
// each typed line against what the console must show after it.
#include "calculator/CalculatorEngine.h"

#include "CalculatorTestConsole.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

struct Block {
    int lineNumber = 0;
    QString input;
    QStringList expected;
    std::deque<std::optional<QString>> answers; // given before the line
};

QList<Block> readSession(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    QList<Block> blocks;
    std::deque<std::optional<QString>> answers;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(u'#')) {
            continue;
        } else if (line.startsWith(QLatin1String("@enter "))) {
            answers.push_back(line.mid(7));
        } else if (line == QLatin1String("@cancel")) {
            answers.push_back(std::nullopt);
        } else if (line.startsWith(u'>')) {
            blocks.append(Block {i + 1, line.mid(2), {}, std::move(answers)});
            answers.clear();
        } else if (!blocks.isEmpty()) {
            blocks.last().expected.append(line);
        }
    }
    for (Block& block : blocks) {
        while (!block.expected.isEmpty() && block.expected.last().isEmpty())
            block.expected.removeLast();
    }
    return blocks;
}

} // namespace

TEST(CalculatorGolden, EverySessionShowsWhatItsFileSays)
{
    const QDir dir(QStringLiteral(SORV_TEST_DATA_DIR "/calculator"));
    const QStringList files = dir.entryList({QStringLiteral("*.calc")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 8);
    for (const QString& name : files) {
        CalculatorTestConsole console;
        CalculatorEngine engine(console);
        const QList<Block> blocks = readSession(dir.filePath(name));
        ASSERT_FALSE(blocks.isEmpty()) << name.toStdString();
        for (const Block& block : blocks) {
            console.answers = block.answers;
            const QStringList shown = console.run(engine, block.input).split(u'\n');
            EXPECT_EQ(shown, block.expected)
                << name.toStdString() << ":" << block.lineNumber << " > " << block.input.toStdString()
                << "\n  shown: " << shown.join(QLatin1String(" | ")).toStdString()
                << "\n  wanted: " << block.expected.join(QLatin1String(" | ")).toStdString();
            EXPECT_TRUE(console.answers.empty()) << name.toStdString() << ":" << block.lineNumber;
        }
    }
}
