#include "transactions/CellReleve.h"

#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/drawing/figures.h"
#include "toolkit/tables/RowLabel.h"
#include "toolkit/windows/StdButton.h"
#include "toolkit/windows/StdImageView.h"

#include "foundation/dateformat.h"
#include "foundation/localized.h"
#include "model/TOOL.h"

#include <algorithm>

namespace {

constexpr int kMargin = 6;
constexpr int kIconSide = 20;
constexpr int kGap = 6;
constexpr int kLeastNomWidth = 60;
constexpr int kDateWidth = 64; // "31/12/2024", drawn whole
constexpr int kLeastSoldeWidth = 104;
constexpr int kVerrouSide = 22;
constexpr int kRightMargin = 4;
constexpr int kNomX = kMargin + kIconSide + kGap;
// Everything but the name and the balance, from the name's start to the row's end.
constexpr int kFixedAfterNom = kGap + kDateWidth + kGap + kGap + kVerrouSide + kRightMargin;

template <class Label> Label* textField(const char* name, QWidget* parent)
{
    auto* label = new Label(parent);
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
    return QtAlertPresenter::namedImage(name, side);
}

CellReleve::CellReleve(QWidget* parent)
    : StdCell(parent)
    , m_icone(new StdImageView(this))
    , m_nom(textField<RowLabel>("field_nom_releve", this))
    , m_date(textField<FigureLabel>("field_date_releve", this))
    , m_solde(textField<FigureLabel>("field_solde_releve", this))
    , m_verrou(new StdButton(this))
    , m_soldeWidth(soldeWidthFor(0, nullptr))
{
    m_icone->setObjectName(QStringLiteral("image_icone_releve"));
    m_verrou->setObjectName(QStringLiteral("button_verrou_releve"));
    m_verrou->setFlat(true);
    m_verrou->setIconSize(QSize(16, 16));
    m_nom->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_solde->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    resize(kWidth, kHeight);
}

int CellReleve::soldeWidthFor(long devise, const DeviseList* devHdl)
{
    return std::max(kLeastSoldeWidth,
                    figureRoom(largestAmountText(devise, devHdl, true), makeListFont(false, true, 12)));
}

int CellReleve::widthFor(long devise, const DeviseList* devHdl)
{
    return std::max(kWidth, kNomX + kLeastNomWidth + kFixedAfterNom + soldeWidthFor(devise, devHdl));
}

void CellReleve::resizeEvent(QResizeEvent* event)
{
    StdCell::resizeEvent(event);
    layOutFields();
}

// From the right edge: the lock button (its place kept on every row, so that the balances line
// up), the balance, the date; the name has the rest.
void CellReleve::layOutFields()
{
    const int h = height();
    m_icone->setGeometry(kMargin, (h - kIconSide) / 2, kIconSide, kIconSide);
    int right = width() - kRightMargin - kVerrouSide;
    m_verrou->setGeometry(right, (h - kVerrouSide) / 2, kVerrouSide, kVerrouSide);
    right -= kGap + m_soldeWidth;
    m_solde->setGeometry(right, 0, m_soldeWidth, h);
    right -= kGap + kDateWidth;
    m_date->setGeometry(right, 0, kDateWidth, h);
    m_nom->setGeometry(kNomX, 0, std::max(0, right - kGap - kNomX), h);
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
    m_soldeWidth = soldeWidthFor(devise, devHdl);
    layOutFields();
}

QRect CellReleve::verrouRectInRow(const QSize& rowSize)
{
    resize(rowSize);
    layOutFields();
    return m_verrou->geometry();
}
