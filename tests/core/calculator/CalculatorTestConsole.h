#pragma once
// The console of the calculator's core tests: it keeps what the lines show and answers "enter"
// from a queue (an empty optional cancels), failing the test on a question nobody expected.
#include "calculator/CalculatorEngine.h"

#include <QStringList>

#include <deque>
#include <optional>

#include <gtest/gtest.h>

class CalculatorTestConsole : public ICalculetteConsole {
public:
    void echoString(const QString& text) override { output += text; }
    bool askStringModal(const QString& promptKey, const QString& initialText, QString* answer) override
    {
        prompts.append(promptKey);
        initialTexts.append(initialText);
        if (answers.empty()) {
            if (failOnUnexpectedQuestion)
                ADD_FAILURE() << "unexpected question " << promptKey.toStdString();
            return false;
        }
        const std::optional<QString> next = answers.front();
        answers.pop_front();
        if (next)
            *answer = *next;
        return next.has_value();
    }

    // Runs the line as the console does and answers what it shows after the typed line: what
    // the line printed, then "= " and the value, or the error line.
    QString run(CalculatorEngine& engine, const QString& line)
    {
        output.clear();
        double value = 0;
        ERRORrec err;
        const bool ok = engine.runLine(line + QLatin1Char('\n'), 0, &value, err);
        return output + (ok ? QStringLiteral("= ") : QString()) + engine.resultText(value, err);
    }

    QString output;
    std::deque<std::optional<QString>> answers;
    QStringList prompts;
    QStringList initialTexts;
    bool failOnUnexpectedQuestion = true;
};
