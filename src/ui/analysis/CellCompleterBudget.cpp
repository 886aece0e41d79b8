#include "analysis/CellCompleterBudget.h"

#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/drawing/Constants.h"

#include "foundation/localized.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr int kButtonWidth = 70;
constexpr int kStarSide = 14;

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
    const QFont font = makeListFont(false, false, 12);
    for (const Column& column : m_columns) {
        auto* label = new QLabel(this);
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
            {"montant12mois", "FenAmeliorerBudget_montant12mois", 120, right},
            {"montantpropose", "FenAmeliorerBudget_montantpropose", 120, right},
            {"nbOperations", "FenAmeliorerBudget_nbOperations", 80, right},
            {"etoiles", "FenAmeliorerBudget_etoiles", 86, Qt::AlignCenter}};
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
    return QRect(x + 4, (height - 24) / 2, kButtonWidth, 24);
}

void CellCompleterBudget::resizeEvent(QResizeEvent* event)
{
    StdCell::resizeEvent(event);
    int x = 0;
    for (const Column& column : m_columns) {
        field(column.name)->setGeometry(x + 4, 0, column.width - 8, height());
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
