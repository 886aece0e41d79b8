#include "LoadIssues.h"

#include "localized.h"

QString LoadIssue::describe() const
{
    if (record <= 0)
        return localizedDialogue(QStringLiteral("kLoadIssue_file")).arg(member, what);
    return localizedDialogue(QStringLiteral("kLoadIssue_place")).arg(member, QString::number(record), what);
}

void LoadIssues::setMember(const QString& member)
{
    m_member = member;
    m_record = 0;
}

void LoadIssues::note(const QString& what)
{
    m_items.append({m_member, m_record, what});
}

QString describeLoadIssues(const QList<LoadIssue>& issues, qsizetype shown)
{
    // Each fault as a bullet: a fault's text wraps over several lines in a narrow alert.
    QStringList lines;
    for (qsizetype i = 0; i < issues.size() && i < shown; ++i)
        lines.append(QStringLiteral("• ") + issues.at(i).describe());
    if (issues.size() > shown)
        lines.append(localizedDialogue(QStringLiteral("kLoadIssue_more")).arg(issues.size() - shown));
    return lines.join(QLatin1Char('\n'));
}
