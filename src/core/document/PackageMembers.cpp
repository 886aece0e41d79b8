#include "PackageMembers.h"

#include "document/SVDocumentManager.h"
#include "foundation/LoadIssues.h"
#include "foundation/fileerrors.h"
#include "foundation/localized.h"
#include "foundation/xmlfileaccess.h"
#include "foundation/xmlmember.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <iterator>

namespace {

// Larger than any member that holds only white space.
constexpr qint64 kBlankCheckBytes = 4096;

struct Member {
    DocError code;
    const char* fileName;
};

constexpr Member kMembers[] = {
    {DocError::BeforeParam, "beforeparam.xml"},
    {DocError::Transact, "transact.xml"},
    {DocError::DocParam, "docparam73.xml"},
    {DocError::Devise, "devise.xml"},
    {DocError::Dossier, "dossier.xml"},
    {DocError::Poste, "poste.xml"},
    {DocError::Chrono, "chrono.xml"},
    {DocError::Prevision, "prevision.xml"},
    {DocError::Macro, "macro.xml"},
    {DocError::Emprunt, "emprunt.xml"},
    {DocError::Titre, "titre.xml"},
    {DocError::Remunere, "remunere.xml"},
    {DocError::Portfolio, "portfolio.xml"},
    {DocError::Analyse, "anadef8.xml"},
    {DocError::Taxe, "taxe.xml"},
    {DocError::Banque, "banque.xml"},
    {DocError::Compte, "compte.xml"},
    {DocError::Moyen, "moyen.xml"},
    {DocError::Graphique, "graphdef.xml"},
    {DocError::Regles, "regles.xml"},
    {DocError::Synonyme, "synonyme.xml"},
    {DocError::Logo, "logo.xml"},
};

QString resourcesOf(const QString& package)
{
    return QDir(package).filePath(QStringLiteral("Contents/Resources"));
}

// A regular file with nothing but white space (or nothing) in it.
bool isBlank(const QString& path)
{
    const QFileInfo info(path);
    if (info.size() > kBlankCheckBytes)
        return false;
    QByteArray bytes;
    int error = 0;
    return readRegularFile(path, &bytes, &error) == FileRead::Read && bytes.trimmed().isEmpty();
}

void noteUnread(const QString& path, LoadIssues& issues)
{
    QByteArray bytes;
    int error = 0;
    const FileRead read = readRegularFile(path, &bytes, &error);
    if (read == FileRead::NotRegular)
        issues.noteSevere(localizedDialogue(QStringLiteral("kLoadIssue_notFile")));
    else if (read == FileRead::Failed)
        issues.noteSevere(localizedDialogue(QStringLiteral("kLoadIssue_cannotRead")).arg(fileErrorReason(error)));
}

} // namespace

QString memberFileName(DocError code)
{
    for (const Member& member : kMembers) {
        if (member.code == code)
            return QString::fromLatin1(member.fileName);
    }
    return QString();
}

bool memberIsRequired(const QString& package, DocError code)
{
    if (code == DocError::Analyse)
        return memberFileState(package, QStringLiteral("anadef.xml")) != MemberFileState::Regular;
    if (code == DocError::Prevision)
        return memberFileState(package, QStringLiteral("chrono.xml")) != MemberFileState::Regular;
    return !memberFileName(code).isEmpty();
}

void checkMemberFile(const QString& package, DocError code, bool required, bool readerNotes, LoadIssues& issues)
{
    const QString name = memberFileName(code);
    if (name.isEmpty())
        return;
    issues.setMember(name);
    const QString path = resourcesOf(package) + QLatin1Char('/') + name;
    switch (memberFileState(package, name)) {
    case MemberFileState::Missing:
        if (required)
            issues.noteSevere(localizedDialogue(QStringLiteral("kLoadIssue_missing")));
        return;
    case MemberFileState::LinkedFolder:
        if (!readerNotes)
            issues.noteSevere(localizedDialogue(QStringLiteral("kLoadIssue_linkedFolder")));
        return;
    case MemberFileState::NotRegular:
        if (!readerNotes)
            issues.noteSevere(localizedDialogue(QStringLiteral("kLoadIssue_notFile")));
        return;
    case MemberFileState::Regular:
        break;
    }
    if (!readerNotes)
        noteUnread(path, issues);
    if (required && isBlank(path))
        issues.noteSevere(localizedDialogue(QStringLiteral("kLoadIssue_empty")));
}

bool isDocumentPackage(const QString& url, QString* reason)
{
    const QFileInfo package(url);
    QString why;
    if (!package.exists())
        why = fileErrorReason(ENOENT);
    else if (!package.isDir())
        why = localizedDialogue(QStringLiteral("kPackage_notFolder"));
    else if (!isRealFolder(resourcesOf(url))
             || std::none_of(std::begin(kMembers), std::end(kMembers), [&url](const Member& member) {
                    return memberFileState(url, QString::fromLatin1(member.fileName)) != MemberFileState::Missing;
                }))
        why = localizedDialogue(QStringLiteral("kPackage_noMembers"));
    if (reason)
        *reason = why;
    return why.isEmpty();
}
