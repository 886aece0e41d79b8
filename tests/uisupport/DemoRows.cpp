#include "DemoRows.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/tables/StdTableView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

// The five columns shared by the rows and the head: fixed widths except the description.
void layOutColumns(QWidget* parent, const std::array<QLabel*, 5>& labels, const QFont& font)
{
    auto* layout = new QHBoxLayout(parent);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(10);
    const int widths[5] = {74, 0, 130, 84, 84};
    for (int i = 0; i < 5; ++i) {
        labels[i]->setFont(font);
        if (widths[i] > 0)
            labels[i]->setFixedWidth(widths[i]);
        layout->addWidget(labels[i], widths[i] > 0 ? 0 : 1);
    }
    labels[3]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    labels[4]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

QLabel* namedLabel(const char* name, QWidget* parent, const QString& text = QString())
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// A band across the list (title, head, foot), set off from the rows by a hairline.
QWidget* bandView(const char* name, QWidget* parent, const QString& background, const char* border)
{
    auto* view = new QFrame(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; %3: 1px solid #c4c7d0; }")
                            .arg(QString::fromLatin1(name), background, QString::fromLatin1(border)));
    view->setFixedHeight(24);
    return view;
}

} // namespace

DemoRowCell::DemoRowCell(QWidget* parent)
    : StdCell(parent)
    , field_date(namedLabel("field_date", this))
    , field_libelle(namedLabel("field_libelle", this))
    , field_categorie(namedLabel("field_categorie", this))
    , field_debit(namedLabel("field_debit", this))
    , field_credit(namedLabel("field_credit", this))
{
    layOutColumns(this, {field_date, field_libelle, field_categorie, field_debit, field_credit},
                  makeListFont(false, false, 12));
    QPalette palette = field_debit->palette();
    palette.setColor(QPalette::WindowText, QColor(160, 24, 24));
    field_debit->setPalette(palette);
    resize(600, kHeight);
}

void DemoRowCell::fill(const DemoRow& row)
{
    field_date->setText(row.date);
    field_libelle->setText(row.libelle);
    field_categorie->setText(row.categorie);
    MONTANT amount;
    amount.values.fill(row.montant < 0 ? -row.montant : row.montant);
    paintMontantAux(amount, row.montant <= 0, row.montant > 0, 0, nullptr, false, field_debit, field_credit);
}

void DemoTemplate::loadView()
{
    QWidget* titre = bandView("template_view_titre", this, QStringLiteral("white"), "border-bottom");
    auto* titleLayout = new QHBoxLayout(titre);
    titleLayout->addWidget(namedLabel("field_titre", titre), 1);
    titleLayout->addWidget(namedLabel("field_date", titre));
    titleLayout->addWidget(namedLabel("field_page", titre));

    QWidget* tete = bandView("template_view_tete", this, QStringLiteral("#eceef3"), "border-bottom");
    layOutColumns(tete,
                  {namedLabel("tete_date", tete, QStringLiteral("Date")),
                   namedLabel("tete_libelle", tete, QStringLiteral("Libellé")),
                   namedLabel("tete_categorie", tete, QStringLiteral("Catégorie")),
                   namedLabel("tete_debit", tete, QStringLiteral("Débit")),
                   namedLabel("tete_credit", tete, QStringLiteral("Crédit"))},
                  makeListFont(true, false, 12));

    auto* liste = new QWidget(this);
    liste->setObjectName(QStringLiteral("template_view_liste"));
    liste->resize(600, DemoRowCell::kHeight);

    QWidget* pied = bandView("template_view_pied", this, QStringLiteral("#eceef3"), "border-top");
    layOutColumns(pied,
                  {namedLabel("pied_titre", pied), namedLabel("pied_libelle", pied, QStringLiteral("Solde")),
                   namedLabel("pied_vide", pied), namedLabel("pied_debit", pied),
                   namedLabel("pied_credit", pied, QStringLiteral("1 300,93"))},
                  makeListFont(true, false, 12));
    setTemplateViews(titre, tete, liste, pied);
}

// ---------------------------------------------------------------------------------------------

StdCell* DemoTableSource::cellForRow(StdTableView*, int row)
{
    if (row < 0 || row >= rows.size())
        return nullptr;
    cell.fill(rows.at(row));
    return &cell;
}

void DemoTableSource::setFillBackground(StdCell* target, StdTableView* table, int row)
{
    QColor color;
    if (table->currentRowForDragging() == row)
        color = QColor::fromRgbF(0, 53 / 255.0, 86 / 255.0, 0.4);
    else if (table->isRowSelected(row))
        color = table->hilitedState() ? QColor::fromRgbF(1, 210 / 255.0, 210 / 255.0)
                                      : QColor::fromRgbF(1, 230 / 255.0, 230 / 255.0);
    else
        color = row % 2 == 0 ? QColor::fromRgbF(0.95, 0.95, 1.0) : QColor(Qt::white);
    target->getBgbox()->setFillColor(color);
}

bool DemoTableSource::didKeyDown(StdTableView*, int key)
{
    keys.append(key);
    return handlesKeys;
}

void DemoTableSource::tableViewSelectionDidChangeForTable(StdTableView*)
{
    ++deselections;
}

void DemoTableSource::popMenuContextuelForTable(StdTableView*, int row, const QPoint&)
{
    menuRows.append(row);
}

bool DemoTableSource::writeRowsWithIndexes(StdTableView* table, const IndexSet& selected)
{
    return canDrag && !selected.empty() && table->isRowSelected(*selected.begin());
}

bool DemoTableSource::validateDropForTable(StdTableView* table, StdTableView* from, int row, bool onRow)
{
    validatedFrom = from;
    return onRow && from && from != table && !table->isRowSelected(row);
}

bool DemoTableSource::acceptDropForTable(StdTableView*, const IndexSet& dropped, int row)
{
    droppedRows.append(dropped);
    dropTargets.append(row);
    return !dropped.empty();
}

QList<DemoRow> DemoTableSource::sampleRows()
{
    return {
        {QStringLiteral("02/03/2024"), QStringLiteral("Salaire mars"), QStringLiteral("Salaires"), 2450.00},
        {QStringLiteral("03/03/2024"), QStringLiteral("Loyer"), QStringLiteral("Logement"), -780.00},
        {QStringLiteral("05/03/2024"), QStringLiteral("Supermarché du Centre"), QStringLiteral("Alimentation"),
         -126.45},
        {QStringLiteral("07/03/2024"), QStringLiteral("Électricité"), QStringLiteral("Énergie"), -64.90},
        {QStringLiteral("09/03/2024"), QStringLiteral("Remboursement mutuelle"), QStringLiteral("Santé"), 38.50},
        {QStringLiteral("12/03/2024"), QStringLiteral("Virement épargne"), QStringLiteral("Épargne"), 0},
        {QStringLiteral("15/03/2024"), QStringLiteral("Librairie Papiers"), QStringLiteral("Loisirs"), -23.90},
        {QStringLiteral("18/03/2024"), QStringLiteral("Assurance habitation"), QStringLiteral("Logement"), -192.32},
    };
}
