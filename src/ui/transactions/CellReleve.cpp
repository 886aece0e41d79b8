#include "transactions/CellReleve.h"

#include "toolkit/dialogs/QtAlertPresenter.h"
#include "toolkit/drawing/Constants.h"
#include "toolkit/windows/StdButton.h"
#include "toolkit/windows/StdImageView.h"

#include "foundation/dateformat.h"
#include "foundation/localized.h"
#include "model/TOOL.h"

#include <QHBoxLayout>

namespace {

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
    return QtAlertPresenter::namedImage(name, side);
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
