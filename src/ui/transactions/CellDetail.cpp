#include "transactions/CellDetail.h"

#include "toolkit/drawing/SaisieImages.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/drawing/figures.h"
#include "toolkit/popups/PopPoste.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/POSTE.h"

#include <QHBoxLayout>

#include <algorithm>

namespace {

constexpr int kIconSide = 18;
constexpr int kLeastUnitWidth = 24;

template <class Label = QLabel> Label* label(const char* name, QWidget* parent, Qt::Alignment alignment)
{
    auto* field = new Label(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setFont(makeListFont(false, false, 13));
    field->setAlignment(alignment | Qt::AlignVCenter);
    return field;
}

QToolButton* button(const char* name, QWidget* parent)
{
    auto* control = new QToolButton(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setAutoRaise(true);
    control->setIconSize(QSize(kIconSide - 2, kIconSide - 2));
    control->setFixedSize(kIconSide + 4, kIconSide + 4);
    return control;
}

} // namespace

CellDetail::CellDetail(QWidget* parent)
    : StdCell(parent)
    , image(label("image", this, Qt::AlignCenter))
    , poste(label("poste", this, Qt::AlignLeft))
    , montant(label<FigureLabel>("montant", this, Qt::AlignRight))
    , unit(label("unit", this, Qt::AlignLeft))
    , button_multiNote(button("button_multiNote", this))
    , button_supprimer(button("button_supprimer", this))
{
    setObjectName(QStringLiteral("DETAIL"));
    image->setFixedSize(kIconSide, kIconSide);
    button_supprimer->setIcon(saisieIcon(QStringLiteral("supprimer")));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 4, 0);
    layout->setSpacing(6);
    layout->addWidget(image);
    layout->addWidget(poste, 1);
    layout->addWidget(montant);
    layout->addWidget(unit);
    layout->addWidget(button_multiNote);
    layout->addWidget(button_supprimer);
}

QString CellDetail::emptyNoteToolTip()
{
    return localizedAppl(QStringLiteral("Écrire une note pour cette ligne..."));
}

void CellDetail::fill(const MULTI& line, const CellDetailState& state, const DOCUMENT* doc)
{
    const ::POSTE* category = doc ? ::POSTE::posteWithIdent(line.posteID, *doc) : nullptr;
    if (state.reference)
        image->setPixmap(saisieImage(QStringLiteral("plusplus"), kIconSide));
    else if (const QIcon own = category ? PopPoste::posteImage(*category) : QIcon(); !own.isNull())
        image->setPixmap(own.pixmap(kIconSide, kIconSide));
    else
        image->setPixmap(saisieImage(QStringLiteral("poste"), kIconSide));
    poste->setText(doc ? ::POSTE::getPosteNameNS(line.posteID, *doc) : QString());
    const DeviseList* devises = doc ? &doc->deviseHdl : nullptr;
    montant->setText(montantToStringForDevise(line.montant, state.devise, devises, false));
    unit->setText(devises ? Devise::deviseUnitAtIndex(*devises, state.devise) : QString());
    // Every row of the transaction keeps the same room, so that the amounts line up.
    montant->setFixedWidth(figureRoom(largestAmountText(state.devise, devises), montant->font()));
    unit->setFixedWidth(std::max(kLeastUnitWidth, figureRoom(unit->text(), unit->font())));
    const bool hasNote = !line.multiNote.isEmpty();
    button_multiNote->setIcon(saisieIcon(hasNote ? QStringLiteral("note") : QStringLiteral("note_empty")));
    button_multiNote->setToolTip(hasNote ? line.multiNote : emptyNoteToolTip());
    // Hidden, the button keeps its place so the amounts stay lined up.
    QSizePolicy keepPlace = button_supprimer->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    button_supprimer->setSizePolicy(keepPlace);
    button_supprimer->setVisible(state.selected && !state.locked);
}

QRect CellDetail::rectInRow(QWidget* control, const QSize& rowSize)
{
    resize(rowSize);
    if (layout())
        layout()->activate();
    return control->geometry();
}

QRect CellDetail::supprimerRectInRow(const QSize& rowSize)
{
    return rectInRow(button_supprimer, rowSize);
}

QRect CellDetail::multiNoteRectInRow(const QSize& rowSize)
{
    return rectInRow(button_multiNote, rowSize);
}

QStringList CellDetail::rowTexts() const
{
    return {poste->text(), montant->text(), unit->text()};
}
