#pragma once
// Where a member file's bytes go as it is written.
#include <QSaveFile>
#include <QString>

class PendingSyncs;

// Alone, a member file replaces its previous version whole: written beside it, made durable and
// renamed over it (a QSaveFile). While a StagedMemberWrites lives on the thread, the file is one
// of a package still being built that nobody reads before it is whole: it is written straight to
// its place and left to the package's syncs, which make every file durable together before the
// package is put in place, instead of one wait for the disk per file.
class MemberFileOutput {
public:
    explicit MemberFileOutput(const QString& path);
    ~MemberFileOutput();
    MemberFileOutput(const MemberFileOutput&) = delete;
    MemberFileOutput& operator=(const MemberFileOutput&) = delete;

    const QString& path() const { return m_path; }
    // False with the system's error when the file can't be created.
    bool open(int* error);
    // False with the system's error once a write failed.
    bool write(const char* bytes, qint64 size, int* error);
    // Puts the file in place; false with the system's error, and then nothing is left at path
    // but what was there before (alone) or nothing (staged).
    bool commit(int* error);
    // Drops what was written; the previous version, if any, stays.
    void cancel();

private:
    QString m_path;
    QSaveFile m_saveFile;
    PendingSyncs* m_syncs = nullptr;
    int m_fd = -1;
};

// Makes member files written on this thread into folder while it lives staged ones, their syncs
// going to syncs; a file written anywhere else is still written alone. Only for a package folder
// made fresh for the writing: a file already at a member's place is unlinked, never written
// through, since it may share its bytes with another package.
class StagedMemberWrites {
public:
    StagedMemberWrites(const QString& folder, PendingSyncs& syncs);
    ~StagedMemberWrites();
    StagedMemberWrites(const StagedMemberWrites&) = delete;
    StagedMemberWrites& operator=(const StagedMemberWrites&) = delete;

private:
    QString m_previousFolder;
    PendingSyncs* m_previous;
};
