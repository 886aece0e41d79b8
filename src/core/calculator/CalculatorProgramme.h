#pragma once
// A calculator program: a text file of calculator lines, kept in the library's program folder
// and run one line after another through an engine, as if each were typed and run in turn. Lines
// made only of blanks are skipped. The run ends at its last line, at the first line that fails,
// or when a stop is asked of the engine; it goes in steps of a few lines so that the console can
// take the interruption key between them.
#include "calculator/CALCULETTErec.h"

#include <QString>
#include <QStringList>

class CalculatorEngine;

class CalculatorProgramme {
public:
    // A program is a handful of lines typed by hand; a file beyond this is not one.
    static constexpr qint64 kMaxSize = qint64 {1024} * 1024;

    // Reads the file as UTF-8 text: error 12 naming the file when it can't be read, 13 when it
    // is larger than kMaxSize.
    bool load(const QString& path, ERRORrec& err);
    void setText(const QString& text);

    // Runs at most count lines; answers false once the run is over: every line has run, a line
    // failed (its error in err) or a stop was asked (error 6).
    bool step(CalculatorEngine& engine, int count, ERRORrec& err);
    bool atEnd() const { return m_next >= m_lines.size(); }
    qsizetype lineCount() const { return m_lines.size(); }

private:
    QStringList m_lines;
    qsizetype m_next = 0;
};
