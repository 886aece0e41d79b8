#pragma once
// Every entry under a package, a line each: its path inside it, its bytes' digest, its
// modification time to the nanosecond and its inode; two equal snapshots mean nothing was written.
#include "support/TestFiles.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>

#include <string>
#include <sys/stat.h>

namespace testenv {

inline std::string packageSnapshot(const QString& package)
{
    QStringList entries;
    QDirIterator it(package, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat info { };
        ::lstat(QFile::encodeName(path).constData(), &info);
        const QByteArray digest = QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256);
        entries << QStringLiteral("%1 %2 %3.%4 %5")
                       .arg(path.mid(package.size()), QString::fromLatin1(digest.toHex().left(16)))
                       .arg(info.st_mtim.tv_sec)
                       .arg(info.st_mtim.tv_nsec)
                       .arg(info.st_ino);
    }
    entries.sort();
    return entries.join(QLatin1Char('\n')).toStdString();
}

} // namespace testenv
