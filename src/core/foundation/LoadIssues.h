#pragma once
// What the member-file readers of one load found wrong, each fault with its place: the member
// file, the record in it and what was wrong, in the order found. A reader that fails or repairs
// (a record read with defaults, a file read up to its damage) notes the fault here and goes on;
// the loader tells the user and the log from this list.
#include <QList>
#include <QString>

struct LoadIssue {
    QString member; // the member file, "transact.xml"
    long record = 0; // its record, from 1; 0 for the file as a whole
    QString what; // what was wrong, in the user's words
    // The member as a whole is lost or cut short (missing, unreadable, not a file, damaged XML):
    // worse than any fault of one record, so the alert shows it first.
    bool severe = false;

    // "Fichier « transact.xml », enregistrement 3 : ...", from the string tables.
    QString describe() const;
    // The place and the words; how grave it is follows from them.
    bool operator==(const LoadIssue& other) const
    {
        return member == other.member && record == other.record && what == other.what;
    }
};

class LoadIssues {
public:
    // Where the next notes are. Naming a member goes back to the file as a whole.
    void setMember(const QString& member);
    void setRecord(long record) { m_record = record; }
    const QString& member() const { return m_member; }
    long record() const { return m_record; }

    // One issue at the current place.
    void note(const QString& what);
    // One that costs the member as a whole, or all of it after the current record.
    void noteSevere(const QString& what);
    void add(const LoadIssue& issue) { m_items.append(issue); }

    bool isEmpty() const { return m_items.isEmpty(); }
    qsizetype size() const { return m_items.size(); }
    const QList<LoadIssue>& items() const { return m_items; }

private:
    QString m_member;
    long m_record = 0;
    QList<LoadIssue> m_items;
};

// issues->note(what) when there are issues to note on.
inline void noteLoadIssue(LoadIssues* issues, const QString& what)
{
    if (issues)
        issues->note(what);
}

// The issues as the load alert shows them: a bullet each, the severe ones first (otherwise in the
// order found), the first `shown` of them, then a line counting the others.
QString describeLoadIssues(const QList<LoadIssue>& issues, qsizetype shown);
