#include "app/FenTrucsController.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/windows/StdActionDispatcher.h"

#include "foundation/localized.h"
#include "model/MONTANT.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

constexpr int kImageSide = 56;

// A light bulb, the sign of a tip.
QPixmap bulb(int side)
{
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = side / 12.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 236, 150));
    painter.drawEllipse(QPointF(unit * 6, unit * 4.6), unit * 3.8, unit * 3.8);
    painter.setBrush(QColor(246, 196, 56));
    painter.drawEllipse(QPointF(unit * 6, unit * 4.6), unit * 2.6, unit * 2.6);
    painter.setBrush(QColor(140, 146, 158));
    painter.drawRoundedRect(QRectF(unit * 4.3, unit * 8.3, unit * 3.4, unit * 1.2), unit * 0.4, unit * 0.4);
    painter.drawRoundedRect(QRectF(unit * 4.6, unit * 9.8, unit * 2.8, unit * 1.1), unit * 0.4, unit * 0.4);
    return picture;
}

QPushButton* button(QWidget* parent, const QString& title, const char* action)
{
    auto* pushButton = new QPushButton(title, parent);
    StdActionDispatcher::setAction(pushButton, QString::fromLatin1(action));
    pushButton->setAutoDefault(false);
    return pushButton;
}

} // namespace

QStringList FenTrucsController::trucsFiles()
{
    const QDir folder(infoFolder() + QStringLiteral("/trucs"));
    QStringList files;
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (entry.suffix() == QLatin1String("rtfd"))
            files.append(entry.filePath());
    }
    return files;
}

void FenTrucsController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenTrucs"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenTrucs_titre")));
    auto* image = new QLabel(&window);
    image->setObjectName(QStringLiteral("image"));
    image->setPixmap(bulb(kImageSide));
    image->setFixedSize(kImageSide, kImageSide);
    QTextBrowser* text = makeContent(window, 440, 170);
    text->setFrameShape(QFrame::NoFrame);
    text->viewport()->setAutoFillBackground(false);

    auto* other = button(&window, localizedAppl(QStringLiteral("FenTrucs_autre")), "NON:");
    auto* ok = button(&window, Dialog::OKString(), "OUI:");
    ok->setDefault(true);
    ok->setMinimumWidth(other->sizeHint().width());

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(image, 0, Qt::AlignTop);
    top->addWidget(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(other);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(12);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
}

void FenTrucsController::willAwakeFromNib()
{
    FenRTFController::willAwakeFromNib();
    _trucs = trucsFiles();
    NEXT();
}

void FenTrucsController::NEXT()
{
    if (_trucs.isEmpty())
        return;
    const qsizetype position = QRandomGenerator::global()->bounded(1, int(_trucs.size()) + 1);
    setPath(_trucs.at(position - 1));
}

void FenTrucsController::NON(QObject*)
{
    NEXT();
}

long showTips()
{
    return StdWindowController::pushModal<FenTrucsController>(nullptr, nullptr, MONTANT::currentDeviseSlot());
}
