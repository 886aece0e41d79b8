#include "LoadIssues.h"

#include "localized.h"

#include <algorithm>

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

void LoadIssues::noteSevere(const QString& what)
{
    m_items.append({m_member, m_record, what, true});
}

QString describeLoadIssues(const QList<LoadIssue>& issues, qsizetype shown)
{
    // Each fault as a bullet: a fault's text wraps over several lines in a narrow alert.
    QList<LoadIssue> ordered = issues;
    std::stable_partition(ordered.begin(), ordered.end(), [](const LoadIssue& issue) { return issue.severe; });
    QStringList lines;
    for (qsizetype i = 0; i < ordered.size() && i < shown; ++i)
        lines.append(QStringLiteral("• ") + ordered.at(i).describe());
    const qsizetype others = ordered.size() - shown;
    if (others == 1)
        lines.append(localizedDialogue(QStringLiteral("kLoadIssue_moreOne")));
    else if (others > 1)
        lines.append(localizedDialogue(QStringLiteral("kLoadIssue_more")).arg(others));
    return lines.join(QLatin1Char('\n'));
}
