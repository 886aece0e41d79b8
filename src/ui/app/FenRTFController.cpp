#include "app/FenRTFController.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString& chosenInfoFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString FenRTFController::infoFolder()
{
    const QString& chosen = chosenInfoFolder();
    return chosen.isEmpty() ? QStringLiteral(":/ui/info") : chosen;
}

void FenRTFController::setInfoFolder(const QString& folder)
{
    chosenInfoFolder() = folder;
}

QTextBrowser* FenRTFController::makeContent(StdWindow& window, int width, int height)
{
    auto* content = new QTextBrowser(&window);
    content->setObjectName(QStringLiteral("content"));
    content->setOpenExternalLinks(true);
    content->setMinimumSize(width, height);
    content->document()->setDocumentMargin(14);
    return content;
}

void FenRTFController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenRTF"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(makeContent(window, 520, 440));
}

QTextBrowser* FenRTFController::content() const
{
    return outlet<QTextBrowser>(QStringLiteral("content"));
}

bool FenRTFController::setPath(const QString& path)
{
    QTextBrowser* view = content();
    if (!view)
        return false;
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        view->clear();
        return false;
    }
    // Pictures beside the page are found by their relative names.
    view->setSearchPaths({QFileInfo(path).absolutePath()});
    view->setHtml(QString::fromUtf8(file.readAll()));
    return true;
}

void FenRTFController::didAwakeFromNib()
{
    StdWindowController::didAwakeFromNib();
    const WindowDataPtr data = getData();
    const QString path = data ? data->value(QStringLiteral("path")).toString() : QString();
    if (!path.isEmpty())
        setPath(path);
}
