#include "app/FenAboutController.h"

#include "toolkit/dialogs/Dialog.h"

#include "foundation/localized.h"
#include "model/MONTANT.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The release this source makes, when the application was not given its version.
const QString kVersion = QStringLiteral("0.1");
const QString kBuild = QStringLiteral("1");
constexpr int kEmblemSide = 72;

// The program's emblem: a coin on a ledger's page.
QPixmap emblem(int side)
{
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const double unit = side / 12.0;
    painter.setPen(QPen(QColor(160, 168, 184), unit * 0.3));
    painter.setBrush(QColor(250, 251, 253));
    painter.drawRoundedRect(QRectF(unit * 1.5, unit * 0.8, unit * 7.5, unit * 10), unit * 0.6, unit * 0.6);
    for (int line = 0; line < 5; ++line)
        painter.drawLine(QPointF(unit * 2.8, unit * (2.6 + line * 1.5)),
                         QPointF(unit * 7.6, unit * (2.6 + line * 1.5)));
    painter.setPen(QPen(QColor(150, 104, 18), unit * 0.35));
    painter.setBrush(QColor(236, 184, 58));
    painter.drawEllipse(QPointF(unit * 8.2, unit * 8.2), unit * 3.0, unit * 3.0);
    painter.setPen(QPen(QColor(150, 104, 18), unit * 0.5));
    painter.drawLine(QPointF(unit * 8.2, unit * 6.6), QPointF(unit * 8.2, unit * 9.8));
    return picture;
}

QLabel* field(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignHCenter);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

QString FenAboutController::shortVersion()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? kVersion : version;
}

QString FenAboutController::buildVersion()
{
    return kBuild;
}

QString FenAboutController::copyright()
{
    return localizedAppl(QStringLiteral("FenAbout_copyright"));
}

void FenAboutController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenAbout"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenAbout_titre")));
    auto* image = new QLabel(&window);
    image->setPixmap(emblem(kEmblemSide));
    image->setAlignment(Qt::AlignHCenter);
    auto* name = new QLabel(QStringLiteral("Sorvanta"), &window);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.7);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignHCenter);
    auto* role = new QLabel(localizedAppl(QStringLiteral("FenAbout_description")), &window);
    role->setAlignment(Qt::AlignHCenter);
    role->setWordWrap(true);
    m_copyright = field("field_copyright", &window);
    m_copyright->setWordWrap(true);
    QPalette grey = m_copyright->palette();
    grey.setColor(QPalette::WindowText, QColor(105, 108, 118));
    m_copyright->setPalette(grey);
    m_version = field("field_version", &window);
    m_build = field("field_build", &window);

    auto* ok = new QPushButton(Dialog::OKString(), &window);
    connectAction(ok, QStringLiteral("OUI:"));
    ok->setDefault(true);
    ok->setMinimumWidth(90);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(28, 22, 28, 18);
    layout->setSpacing(6);
    layout->addWidget(image);
    layout->addSpacing(4);
    layout->addWidget(name);
    layout->addWidget(role);
    layout->addSpacing(8);
    layout->addWidget(m_version);
    layout->addWidget(m_build);
    layout->addSpacing(8);
    layout->addWidget(m_copyright);
    layout->addSpacing(10);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    window.setFixedWidth(420);
}

void FenAboutController::FILL()
{
    StdWindowController::FILL();
    m_version->setText(localizedAppl(QStringLiteral("FenAbout_version")).arg(shortVersion()));
    m_build->setText(localizedAppl(QStringLiteral("FenAbout_build")).arg(buildVersion()));
    m_copyright->setText(copyright());
}

long showAbout()
{
    return StdWindowController::pushModal<FenAboutController>(nullptr, nullptr, MONTANT::currentDeviseSlot());
}
