#include "TestFiles.h"

#include "TestEnvironment.h"
#include "document/APPLIPARAM.h"
#include "document/HelperSVLibraryFolder.h"
#include "document/SaveFolderMark.h"
#include "document/SaveLeftovers.h"
#include "foundation/xmlmember.h"
#include "model/DOCPARAM.h"
#include "model/DOCUMENT.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <memory>

namespace testenv {

QMap<QString, QByteArray> filesUnder(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, readFile(path));
    }
    return files;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool makePackage(const QString& url, QString* resources)
{
    QString made;
    return QDir().mkpath(url) && createPackageResources(url, resources ? resources : &made, nullptr);
}

QString package(const QString& name, QString* resources)
{
    const QString url = freshDir(name) + QStringLiteral("/doc.svd");
    EXPECT_TRUE(makePackage(url, resources));
    return url;
}

void plantSaveFolderMark(const QString& folder)
{
    const char* kind = folder.endsWith(QLatin1String(kSetAsideFolderName)) ? kSetAsideFolderName : kSavingPackageName;
    int error = 0;
    EXPECT_TRUE(writeSaveFolderMark(folder, kind, &error)) << folder.toStdString() << ": " << error;
}

QString preferenceFile()
{
    QString url;
    HelperSVLibraryFolder::getSVLibraryPreferenceFileUrl(&url, nullptr);
    return url;
}

void removePreferences()
{
    QDir(QFileInfo(preferenceFile()).path()).removeRecursively();
    APPLIPARAM::disposeAppliParam();
}

MONTANT amount(double v0, double v1)
{
    MONTANT m;
    m.values = {v0, v1, 0, 0, 0};
    return m;
}

TOOL tool(int kind, long ident, int bType, long owner)
{
    return tool(kind, ident, QString(), bType, owner);
}

TOOL tool(int kind, long ident, const QString& nom, int bType, long owner)
{
    TOOL t;
    t.kind = kind;
    t.ident = ident;
    t.nom = nom;
    t.bType = bType;
    t.ownerID = owner;
    return t;
}

void addDefaultDocParam(DOCUMENT& doc)
{
    doc.docParam = std::make_unique<DOCPARAM>();
    doc.docParam->defaultDocParam();
}

} // namespace testenv
