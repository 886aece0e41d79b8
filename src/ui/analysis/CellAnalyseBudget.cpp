#include "analysis/CellAnalyseBudget.h"

#include "analysis/AnalyseColumns.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/tables/RowLabel.h"

using namespace analysecolumns;

CellAnalyseBudget::CellAnalyseBudget(const QString& identifier, QWidget* parent)
    : StdCell(parent)
    , m_identifier(identifier)
{
    setObjectName(identifier);
    const bool folder = identifier == QLatin1String("ANALYSE_DOSSIER");
    const bool month = identifier == QLatin1String("ANALYSE_GLOBAL");
    static const char* const boxNames[8] = {"box_title",     "box_depenses1", "box_depenses2", "box_depenses3",
                                            "box_recettes1", "box_recettes2", "box_recettes3", "box_solde"};
    for (int i = 0; i < 8; ++i) {
        m_boxes[i] = new StdBox(this);
        m_boxes[i]->setObjectName(QString::fromLatin1(boxNames[i]));
    }
    const QFont font = makeListFont(folder || month, false, 12);
    m_nom = new RowLabel(this);
    m_nom->setObjectName(QStringLiteral("nom"));
    m_nom->setFont(font);
    for (int i = 0; i < 6; ++i) {
        m_data[i] = new FigureLabel(this);
        m_data[i]->setObjectName(QStringLiteral("cell_data%1").arg(i + 1));
        m_data[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_data[i]->setFont(font);
    }
    m_solde = new FigureLabel(this);
    m_solde->setObjectName(QStringLiteral("cell_dataSolde"));
    m_solde->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_solde->setFont(font);
    if (month) {
        m_buttonOpen = new QToolButton(this);
        m_buttonOpen->setObjectName(QStringLiteral("buttonOpen"));
        m_buttonOpen->setCheckable(true);
        m_buttonOpen->setAutoRaise(true);
        m_buttonOpen->setArrowType(Qt::RightArrow);
        connect(m_buttonOpen, &QToolButton::toggled, m_buttonOpen,
                [button = m_buttonOpen](bool on) { button->setArrowType(on ? Qt::DownArrow : Qt::RightArrow); });
    }
    resize(totalWidth(), kRowHeight);
}

void CellAnalyseBudget::resizeEvent(QResizeEvent* event)
{
    StdCell::resizeEvent(event);
    const int h = height();
    for (int i = 0; i < 8; ++i)
        m_boxes[i]->setGeometry(columnRect(i, h).adjusted(0, 0, -1, -1));
    const QRect name = columnRect(0, h);
    const int indent = m_identifier == QLatin1String("ANALYSE_POSTE") ? 22 : (m_buttonOpen ? 20 : 6);
    m_nom->setGeometry(name.adjusted(indent, 0, -4, 0));
    if (m_buttonOpen)
        m_buttonOpen->setGeometry(2, (h - 16) / 2, 16, 16);
    for (int i = 0; i < 6; ++i)
        m_data[i]->setGeometry(columnRect(i + 1, h).adjusted(2, 0, -5, 0));
    m_solde->setGeometry(columnRect(7, h).adjusted(2, 0, -5, 0));
}
