#include "calculator/CalculatorProgramme.h"

#include "calculator/CalculatorEngine.h"

#include <QFile>
#include <QFileInfo>

bool CalculatorProgramme::load(const QString& path, ERRORrec& err)
{
    err.clear();
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        err.set(CalcErr::ProgrammeUnreadable, info.fileName());
        return false;
    }
    if (file.size() > kMaxSize) {
        err.set(CalcErr::ProgrammeTooLong, info.fileName());
        return false;
    }
    setText(QString::fromUtf8(file.readAll()));
    return true;
}

void CalculatorProgramme::setText(const QString& text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    m_lines.clear();
    m_next = 0;
    const QStringList lines = normalised.split(u'\n');
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty())
            m_lines.append(line);
    }
}

bool CalculatorProgramme::step(CalculatorEngine& engine, int count, ERRORrec& err)
{
    err.clear();
    for (int i = 0; i < count && !atEnd(); ++i) {
        if (engine.stopRequested()) {
            err.set(CalcErr::Break);
            m_next = m_lines.size();
            return false;
        }
        double value = 0;
        if (!engine.runLine(m_lines[m_next++] + QLatin1Char('\n'), 0, &value, err)) {
            m_next = m_lines.size();
            return false;
        }
    }
    return !atEnd();
}
