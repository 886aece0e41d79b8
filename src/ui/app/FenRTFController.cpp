#include "app/FenRTFController.h"

#include "foundation/diagnostics.h"
#include "foundation/rtf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

QString& chosenInfoFolder()
{
    static QString folder;
    return folder;
}

// A rich-text bundle (".rtfd", a folder) keeps its text in "TXT.rtf".
QString rtfFileOf(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() ? QDir(path).filePath(QStringLiteral("TXT.rtf")) : path;
}

Qt::Alignment qtAlignment(RtfAlignment alignment)
{
    switch (alignment) {
    case RtfAlignment::Left:
        return Qt::AlignLeft;
    case RtfAlignment::Right:
        return Qt::AlignRight;
    case RtfAlignment::Center:
        return Qt::AlignHCenter;
    case RtfAlignment::Justified:
        return Qt::AlignJustify;
    }
    return Qt::AlignLeft;
}

void showRtf(QTextDocument& out, const RtfDocument& rtf)
{
    out.clear();
    QTextCursor cursor(&out);
    bool first = true;
    for (const RtfParagraph& paragraph : rtf.paragraphs) {
        if (!first)
            cursor.insertBlock();
        first = false;
        QTextBlockFormat block;
        block.setAlignment(qtAlignment(paragraph.alignment));
        block.setLeftMargin(paragraph.leftIndent);
        block.setTextIndent(paragraph.firstLineIndent);
        block.setTopMargin(paragraph.spaceBefore);
        block.setBottomMargin(paragraph.spaceAfter);
        cursor.setBlockFormat(block);
        for (const RtfRun& run : paragraph.runs) {
            QTextCharFormat look;
            look.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
            look.setFontItalic(run.italic);
            look.setFontUnderline(run.underline);
            look.setFontPointSize(run.pointSize);
            cursor.insertText(run.text, look);
        }
    }
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
    m_content = new QTextBrowser(&window);
    m_content->setObjectName(QStringLiteral("content"));
    m_content->setOpenExternalLinks(true);
    m_content->setMinimumSize(width, height);
    m_content->document()->setDocumentMargin(14);
    return m_content;
}

void FenRTFController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenRTF"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(makeContent(window, 520, 440));
}

bool FenRTFController::setPath(const QString& path)
{
    QTextBrowser* view = m_content;
    if (!view)
        return false;
    view->clear();
    QFile file(rtfFileOf(path));
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    const RtfDocument rtf = readRtf(file.readAll());
    if (!rtf.ok) {
        svLog(QStringLiteral("%1: %2").arg(path, rtf.error));
        return false;
    }
    showRtf(*view->document(), rtf);
    view->moveCursor(QTextCursor::Start); // a long document opens at its top
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
