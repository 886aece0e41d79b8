#include "toolkit/host/QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool QtDesktop::openFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtDesktop::revealFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    return QFileInfo::exists(folder) && QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

bool QtDesktop::openURL(const QString& url)
{
    const QUrl address(url.trimmed(), QUrl::TolerantMode);
    return address.isValid() && !address.scheme().isEmpty() && QDesktopServices::openUrl(address);
}

void QtDesktop::beep()
{
    QApplication::beep();
}
