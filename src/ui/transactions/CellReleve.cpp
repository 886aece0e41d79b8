#include "transactions/CellReleve.h"

#include "toolkit/drawing/SaisieImages.h"

#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/windows/StdButton.h"
#include "toolkit/windows/StdImageView.h"

#include "foundation/dateformat.h"
#include "foundation/localized.h"
#include "model/TOOL.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <map>

namespace {

using Draw = std::function<void(QPainter&, double)>;

void drawClock(QPainter& p, double u)
{
    p.setPen(QPen(QColor(120, 70, 140), u * 0.8));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(u * 1.2, u * 1.2, u * 9.6, u * 9.6));
    p.setPen(QPen(QColor(60, 40, 80), u * 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(u * 6, u * 6), QPointF(u * 6, u * 3));
    p.drawLine(QPointF(u * 6, u * 6), QPointF(u * 8.2, u * 7));
}

void drawReleve(QPainter& p, double u)
{
    p.setPen(QPen(QColor(110, 110, 120), u * 0.6));
    p.setBrush(QColor(255, 252, 232));
    p.drawRect(QRectF(u * 2, u * 1, u * 8, u * 10));
    p.setPen(QPen(QColor(60, 140, 80), u * 0.9, Qt::SolidLine, Qt::RoundCap));
    for (double y : {3.5, 6.0, 8.5}) {
        p.drawLine(QPointF(u * 3, y * u), QPointF(u * 3.8, (y + 0.8) * u));
        p.drawLine(QPointF(u * 3.8, (y + 0.8) * u), QPointF(u * 5, (y - 0.6) * u));
    }
    p.setPen(QPen(QColor(160, 160, 170), u * 0.6));
    for (double y : {3.5, 6.0, 8.5})
        p.drawLine(QPointF(u * 5.8, y * u), QPointF(u * 9, y * u));
}

void drawDepointer(QPainter& p, double u)
{
    p.setPen(QPen(QColor(110, 110, 120), u * 0.6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(u * 2, u * 1, u * 8, u * 10));
    p.setPen(QPen(QColor(170, 170, 200), u * 0.9, Qt::SolidLine, Qt::RoundCap));
    for (double y : {3.5, 6.0, 8.5})
        p.drawEllipse(QPointF(u * 4, y * u), u * 0.6, u * 0.6);
}

void drawCadenasOpen(QPainter& p, double u)
{
    p.setPen(QPen(QColor(120, 124, 134), u * 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(u * 5.5, u * 0.6, u * 5, u * 6.5), 0, 180 * 16);
    p.drawLine(QPointF(u * 10.5, u * 3.85), QPointF(u * 10.5, u * 5.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 190, 120));
    p.drawRoundedRect(QRectF(u * 1.5, u * 5.3, u * 8, u * 5.7), u, u);
}

void drawPointer(QPainter& p, double u, bool stop)
{
    p.setPen(QPen(stop ? QColor(200, 60, 55) : QColor(60, 140, 80), u * 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(u * 2.5, u * 2.5, u * 7, u * 7));
    p.drawLine(QPointF(u * 6, u * 0.8), QPointF(u * 6, u * 11.2));
    p.drawLine(QPointF(u * 0.8, u * 6), QPointF(u * 11.2, u * 6));
}

const std::map<QString, Draw>& drawings()
{
    static const std::map<QString, Draw> drawn = {
        {QStringLiteral("clock"), drawClock},
        {QStringLiteral("releve"), drawReleve},
        {QStringLiteral("depointer"), drawDepointer},
        {QStringLiteral("cadenas_open"), drawCadenasOpen},
        {QStringLiteral("pointer_start"), [](QPainter& p, double u) { drawPointer(p, u, false); }},
        {QStringLiteral("pointer_stop"), [](QPainter& p, double u) { drawPointer(p, u, true); }},
    };
    return drawn;
}

QLabel* textField(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(makeListFont(false, false, 12));
    return label;
}

void setItalic(QLabel* label, bool italic)
{
    QFont font = label->font();
    font.setItalic(italic);
    label->setFont(font);
}

} // namespace

QPixmap releveImage(const QString& name, int side)
{
    if (const QPixmap own = QtAlertPresenter::namedImage(name, side); !own.isNull())
        return own;
    const auto drawn = drawings().find(name);
    if (drawn == drawings().end())
        return saisieImage(name, side);
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawn->second(painter, side / 12.0);
    return picture;
}

CellReleve::CellReleve(QWidget* parent)
    : StdCell(parent)
    , m_icone(new StdImageView(this))
    , m_nom(textField("field_nom_releve", this))
    , m_date(textField("field_date_releve", this))
    , m_solde(textField("field_solde_releve", this))
    , m_verrou(new StdButton(this))
{
    m_icone->setObjectName(QStringLiteral("image_icone_releve"));
    m_icone->setFixedSize(20, 20);
    m_verrou->setObjectName(QStringLiteral("button_verrou_releve"));
    m_verrou->setFixedSize(22, 22);
    m_verrou->setFlat(true);
    m_verrou->setIconSize(QSize(16, 16));
    m_date->setFixedWidth(72);
    m_solde->setFixedWidth(104);
    m_solde->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 4, 0);
    layout->setSpacing(6);
    layout->addWidget(m_icone);
    layout->addWidget(m_nom, 1);
    layout->addWidget(m_date);
    layout->addWidget(m_solde);
    layout->addWidget(m_verrou);
    resize(kWidth, kHeight);
}

ReleveRowContent CellReleve::contentForRow(const TOOL* compte, int row, const MONTANT& soldeAVenir, bool canPointer,
                                           const QString& nomAVenir)
{
    ReleveRowContent content;
    if (!compte || row < 0 || row >= compte->nbReleve() + kFirstReleveRow)
        return content;
    if (row == kRowAVenir) {
        content.nom = nomAVenir;
        MONTANT::addMontant(soldeAVenir, compte->solde, content.solde);
        content.icone = QStringLiteral("clock");
        content.italic = true;
        return content;
    }
    if (row == kRowNonPointees) {
        content.nom = localizedMisc(QStringLiteral("kMisc_NonPointees"));
        content.solde = compte->solde;
        content.icone = QStringLiteral("depointer");
        return content;
    }
    const RELEVE* releve = compte->releveAtIndex(row - kFirstReleveRow);
    content.nom = releve->nom_v3;
    content.date = releve->date == 0 ? QString() : dateToStringWithStyles(1, 0, releve->date);
    content.solde = releve->solde;
    content.icone = QStringLiteral("releve");
    content.verrouVisible = true;
    content.verrouImage = canPointer ? QStringLiteral("cadenas_open") : QStringLiteral("cadenas");
    return content;
}

void CellReleve::paintDataReleve(const ReleveRowContent& content, int row, long devise, const DeviseList* devHdl)
{
    m_icone->setPixmap(content.icone.isEmpty() ? QPixmap() : releveImage(content.icone, 18));
    m_nom->setText(content.nom);
    m_date->setText(content.date);
    paintMontantAux(content.solde, true, false, devise, devHdl, true, m_solde, nullptr);
    setItalic(m_nom, content.italic);
    setItalic(m_solde, content.italic);
    m_verrou->setVisible(content.verrouVisible);
    m_verrou->setProperty("tag", row);
    m_verrouImage = content.verrouImage;
    m_verrou->setIcon(content.verrouImage.isEmpty() ? QIcon() : QIcon(releveImage(content.verrouImage, 16)));
}

QRect CellReleve::verrouRectInRow(const QSize& rowSize)
{
    resize(rowSize);
    layout()->activate();
    return m_verrou->geometry();
}
