#pragma once
// How member files are reached on disk. A document package is only ever read and written inside
// itself: a member file counts only when it is a regular file (never a symbolic link, which could
// lead anywhere on the disk), and the folders "Contents" and "Resources" only when they are real
// folders. A write never goes through a link either: a link in a package is damage, never a way
// out of it.
#include <QByteArray>
#include <QString>

#include <functional>

// What lies at a member file's place.
enum class MemberFileState {
    Missing, // nothing at all
    Regular, // a regular file
    NotRegular, // a link, a folder, a device...
    LinkedFolder, // the package's "Contents" or "Resources" is a link or no folder
};

MemberFileState memberFileState(const QString& package, const QString& fileName);
// Whether the path names a real folder, not a link to one.
bool isRealFolder(const QString& path);

enum class FileRead { Read, Missing, NotRegular, Failed };
// The whole content of a regular file, opened without following a link; *error gets the system's
// code when it fails.
FileRead readRegularFile(const QString& path, QByteArray* bytes, int* error);

// The offset of the first byte that begins no valid UTF-8 sequence; -1 when every byte is valid.
qsizetype invalidUtf8At(const QByteArray& bytes);
// Whether the XML bytes are UTF-8 by their start: no UTF-16 or UTF-32 mark, and any declared
// encoding UTF-8.
bool xmlBytesAreUtf8(const QByteArray& bytes);

// Makes a file about to be written fail with the code given (0 lets it be written), as a full
// disk or a refused permission would; nullptr ends it.
void setXmlWriteFaultForTesting(std::function<int(const QString& path)> fault);
// The fault set for the path; 0 when none.
int xmlWriteFaultForTesting(const QString& path);
