#include "analysis/CellCompleterBudget.h"

#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/drawing/figures.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kButtonWidth = 70;
constexpr int kStarSide = 14;
constexpr int kInset = 4; // between a field and the edges of its column

QFont rowFont()
{
    return makeListFont(false, false, 12);
}

QPainterPath star(const QPointF& centre, double radius)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? radius : radius * 0.45;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

} // namespace

CellCompleterBudget::CellCompleterBudget(QWidget* parent)
    : CellCompleterBudget(columns(), parent)
{
}

CellCompleterBudget::CellCompleterBudget(QList<Column> columns, QWidget* parent)
    : StdCell(parent)
    , m_columns(std::move(columns))
{
    const QFont font = rowFont();
    for (const Column& column : m_columns) {
        auto* label = column.figure ? new FigureLabel(this) : new QLabel(this);
        label->setObjectName(QString::fromLatin1(column.name));
        label->setAlignment(column.alignment);
        label->setFont(font);
        m_fields.insert(QString::fromLatin1(column.name), label);
    }
    m_buttonWrite = new QPushButton(localizedAppl(QStringLiteral("FenAmeliorerBudget_ecrire")), this);
    m_buttonWrite->setObjectName(QStringLiteral("buttonWrite"));
    m_buttonWrite->hide();
    int width = kButtonWidth + 8;
    for (const Column& column : m_columns)
        width += column.width;
    resize(width, kRowHeight);
}

QList<CellCompleterBudget::Column> CellCompleterBudget::columns()
{
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    return {{"poste", "FenAmeliorerBudget_poste", 190, Qt::AlignLeft | Qt::AlignVCenter},
            {"montant12mois", "FenAmeliorerBudget_montant12mois", amountWidth(120), right, true},
            {"montantpropose", "FenAmeliorerBudget_montantpropose", amountWidth(120), right, true},
            {"nbOperations", "FenAmeliorerBudget_nbOperations", 80, right, true},
            {"etoiles", "FenAmeliorerBudget_etoiles", 86, Qt::AlignCenter}};
}

int CellCompleterBudget::amountWidth(int least)
{
    const DOCUMENT* doc = currentDocument();
    int widest = least;
    for (long slot = 0; slot < kDeviseSlotCount; ++slot) {
        const QString largest = largestAmountText(slot, doc ? &doc->deviseHdl : nullptr, true);
        widest = std::max(widest, figureRoom(largest, rowFont()) + 2 * kInset);
    }
    return widest;
}

QLabel* CellCompleterBudget::field(const char* name) const
{
    return m_fields.value(QString::fromLatin1(name));
}

QRect CellCompleterBudget::buttonRect(int height) const
{
    int x = 0;
    for (const Column& column : m_columns)
        x += column.width;
    return QRect(x + kInset, (height - 24) / 2, kButtonWidth, 24);
}

void CellCompleterBudget::resizeEvent(QResizeEvent* event)
{
    StdCell::resizeEvent(event);
    int x = 0;
    for (const Column& column : m_columns) {
        field(column.name)->setGeometry(x + kInset, 0, column.width - 2 * kInset, height());
        x += column.width;
    }
    m_buttonWrite->setGeometry(buttonRect(height()));
}

QPixmap CellCompleterBudget::etoilesPicture(long stars)
{
    if (const QPixmap own = QtAlertPresenter::namedImage(QStringLiteral("etoile%1").arg(stars), 0); !own.isNull())
        return own;
    QPixmap picture(5 * kStarSide, kStarSide);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 5; ++i) {
        const QPainterPath shape
            = star(QPointF(i * kStarSide + kStarSide / 2.0, kStarSide / 2.0), kStarSide / 2.0 - 0.5);
        painter.fillPath(shape, i < stars ? QColor(232, 170, 30) : QColor(215, 215, 215));
    }
    return picture;
}
