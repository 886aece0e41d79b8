#include "transactions/TemplateTransList.h"

#include "transactions/StdViewPiedReleve.h"

#include "toolkit/tables/CellTransact.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/windows/StdViewTitre.h"

#include "foundation/localized.h"

#include <QLabel>

#include <array>

namespace {

// A heading and the row field it stands over.
struct Heading {
    const char* name;
    const char* key;
    RowText field;
    bool amount;
};
constexpr std::array<Heading, 14> kHeadings {{
    {"tete_date", "FenTransList_date", RowText::field_date, false},
    {"tete_libelle", "FenTransList_libelle", RowText::field_reference, false},
    {"tete_compte", "FenTransList_compte", RowText::field_compte, false},
    {"tete_poste", "FenTransList_categorie", RowText::field_poste, false},
    {"tete_debit", "FenTransList_debit", RowText::field_debit, true},
    {"tete_credit", "FenTransList_credit", RowText::field_credit, true},
    {"tete_cumul", "FenTransList_solde", RowText::field_cumul, true},
    {"tete_titres", "FenTransList_titres", RowText::field_montant_titre, true},
    {"tete_interets", "FenTransList_interets", RowText::field_montant_interet, true},
    {"tete_couts", "FenTransList_couts", RowText::field_montant_cout, true},
    {"tete_ht_deb", "FenTransList_htDebit", RowText::field_montant_HT_deb, true},
    {"tete_ht_cre", "FenTransList_htCredit", RowText::field_montant_HT_cre, true},
    {"tete_tx_deb", "FenTransList_txDebit", RowText::field_montant_TX_deb, true},
    {"tete_tx_cre", "FenTransList_txCredit", RowText::field_montant_TX_cre, true},
}};

// The column heading: each title over its field of a row as wide as the heading.
class TeteTransList : public StdBox {
public:
    TeteTransList(TransExtraKind kind, QWidget* parent)
        : StdBox(parent)
        , m_row(kind)
    {
        setObjectName(QStringLiteral("template_view_tete"));
        setFillColor(QColor(236, 238, 243));
        for (const Heading& heading : kHeadings) {
            auto* label = new QLabel(localizedAppl(QString::fromLatin1(heading.key)), this);
            label->setObjectName(QString::fromLatin1(heading.name));
            label->setFont(makeListFont(true, false, 11));
            label->setAlignment((heading.amount ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            m_labels.push_back(label);
        }
        resize(m_row.preferredWidth(), TemplateTransList::kTeteHeight);
        layOutHeadings(); // a heading never shown (a print-out's) gets no resize event
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        StdBox::resizeEvent(event);
        layOutHeadings();
    }

private:
    void layOutHeadings()
    {
        const QSize rowSize(width(), CellTransact::kHeight);
        for (size_t i = 0; i < kHeadings.size(); ++i) {
            const QRect field = m_row.textRectInRow(kHeadings[i].field, rowSize);
            m_labels[i]->setVisible(!field.isEmpty());
            m_labels[i]->setGeometry(field.x(), 0, field.width(), height());
        }
    }

    CellTransact m_row; // never shown: it only lays out a row of the heading's width
    std::vector<QLabel*> m_labels;
};

} // namespace

TemplateTransList::TemplateTransList(TransExtraKind extraKind, QWidget* parent)
    : StdTemplate(parent)
    , m_extraKind(extraKind)
    , m_rowWidth(CellTransact(extraKind).preferredWidth())
{
    setObjectName(QStringLiteral("TemplateTransList"));
}

void TemplateTransList::loadView()
{
    auto* titre = new StdViewTitre(this, kTitreHeight);
    titre->resize(m_rowWidth, titre->height());
    auto* liste = new QWidget(this);
    liste->setObjectName(QStringLiteral("template_view_liste"));
    liste->resize(m_rowWidth, CellTransact::kHeight);
    QWidget* pied = buildPied();
    m_fieldNbOperations = pied->findChild<QLabel*>(QStringLiteral("field_nb_operations"));
    setTemplateViews(titre, new TeteTransList(m_extraKind, this), liste, pied);
}

QWidget* TemplateTransList::buildPied()
{
    auto* pied = new StdViewPiedFields(1, this);
    pied->resize(m_rowWidth, kPiedHeight);
    return pied;
}
