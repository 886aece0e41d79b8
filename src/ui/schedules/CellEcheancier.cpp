#include "schedules/CellEcheancier.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/drawing/FigureLabel.h"
#include "toolkit/drawing/ScheduleImages.h"
#include "toolkit/tables/RowLabel.h"

#include "engines/PrevisionManager.h"
#include "foundation/dateformat.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/DOSSIER.h"
#include "model/ECHEANCIER.h"
#include "model/POSTE.h"
#include "model/Prevision.h"
#include "model/TOOL.h"

#include <QHBoxLayout>

namespace {

constexpr int kImageSide = 18;
constexpr int kLeastNameWidth = 40;
constexpr int kShortDateStyle = 1;
constexpr int kNoTimeStyle = 0;

QString shortDate(double date)
{
    return dateToStringWithStyles(kShortDateStyle, kNoTimeStyle, date);
}

// What schedules and forecasts show alike, from their model transaction and rule.
void fillCommon(ChronoRowContent& row, const TRANSACT& model, const Planificator& rule, const DOCUMENT& doc,
                long devise)
{
    row.compteDebit = getToolNameNS(kToolCompte, model.who1, &doc);
    row.compteCredit = getToolNameNS(kToolCompte, model.who2, &doc);
    row.imageCompteDebit = TOOL::getComptePictureName(model.who1, &doc);
    row.imageCompteCredit = TOOL::getComptePictureName(model.who2, &doc);
    row.date1 = shortDate(rule.firstDate);
    const double duration = rule.totalDuration();
    row.date2 = duration < 0 ? QStringLiteral("-") : shortDate(rule.firstDate + duration);
    bool deb = false;
    bool cre = false;
    model.checkDebitCredit(-1, &deb, &cre, &doc);
    const QString amount = montantToStringForDevise(model.solde, devise, &doc.deviseHdl, false);
    row.montant = deb ? u'-' + amount : amount;
    row.montantColor = deb ? QColor::fromRgbF(0.5F, 0.0F, 0.0F) : QColor::fromRgbF(0.0F, 0.3F, 0.0F);
}

void fillEcheancier(ChronoRowContent& row, long ident, const DOCUMENT& doc, long devise)
{
    const ECHEANCIER* echeancier = nullptr;
    if (!findEcheancier(ident, &doc, &echeancier, nullptr))
        return;
    row.found = true;
    row.imageChrono = QStringLiteral("echeancier_reel");
    row.imageActif = echeancierIsFinished(*echeancier) ? QStringLiteral("supprimer") : QStringLiteral("checkmark");
    row.title = echeancier->nom;
    fillCommon(row, echeancier->transact, echeancier->planificator, doc, devise);
}

void fillPrevision(ChronoRowContent& row, long ident, const DOCUMENT& doc, long devise)
{
    for (const Prevision& prevision : doc.previsionsArray) {
        if (prevision.ident != ident)
            continue;
        const Planificator rule = prevision.planificator.value_or(Planificator());
        row.found = true;
        row.imageChrono = QStringLiteral("echeancier_prev");
        row.imageActif = rule.isFinished() ? QStringLiteral("supprimer") : QStringLiteral("checkmark");
        row.title = prevision.name;
        fillCommon(row, prevision.transact, rule, doc, devise);
        return;
    }
}

} // namespace

ChronoRowContent chronoRowContent(const CHRONOLIST& entry, const DOCUMENT& doc, long devise)
{
    ChronoRowContent row;
    row.kind = entry.kind;
    switch (entry.kind) {
    case CHRONOLIST::Kind::Echeancier:
        fillEcheancier(row, entry.ident, doc, devise);
        break;
    case CHRONOLIST::Kind::Prevision:
        fillPrevision(row, entry.ident, doc, devise);
        break;
    case CHRONOLIST::Kind::Dossier:
        row.found = true;
        row.imagePoste = QStringLiteral("dossier");
        row.title = DOSSIER::getDossierNameNS(entry.ident, doc);
        break;
    case CHRONOLIST::Kind::Poste:
        row.found = true;
        row.imagePoste = entry.ident < 0 ? QStringLiteral("groupee") : QStringLiteral("poste");
        row.title = entry.ident < 0 ? localizedMisc(QStringLiteral("kMisc_ChronoMulti"))
                                    : POSTE::getPosteNameNS(entry.ident, doc);
        break;
    }
    return row;
}

int CellEcheancier::heightOfKind(CHRONOLIST::Kind kind)
{
    return kind == CHRONOLIST::Kind::Echeancier || kind == CHRONOLIST::Kind::Prevision ? kChronoHeight : kHeaderHeight;
}

CellEcheancier::CellEcheancier(QWidget* parent)
    : StdCell(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 10, 0);
    layout->setSpacing(6);
    const auto add = [layout](QLabel* field, const char* name, int stretch) {
        field->setObjectName(QString::fromLatin1(name));
        field->setFont(makeListFont(false, false, 12));
        layout->addWidget(field, stretch);
        return field;
    };
    // Names give way (down to a few letters, then an ellipsis); dates and the amount keep room
    // for their whole text.
    const auto label = [this, &add](const char* name, int stretch) {
        QLabel* field = add(new RowLabel(this), name, stretch);
        field->setMinimumWidth(kLeastNameWidth);
        return field;
    };
    const auto figure
        = [this, &add](const char* name, int stretch) { return add(new FigureLabel(this), name, stretch); };
    const auto picture = [this, &add](const char* name) {
        QLabel* view = add(new QLabel(this), name, 0);
        view->setFixedSize(kImageSide, kImageSide);
        return view;
    };
    image_dossier = picture("image_dossier");
    image_poste = picture("image_poste");
    image_actif = picture("image_actif");
    image_chrono = picture("image_chrono");
    field_title = label("field_title", 5);
    image_compte_debit = picture("image_compte_debit");
    field_compte_debit = label("field_compte_debit", 3);
    image_compte_credit = picture("image_compte_credit");
    field_compte_credit = label("field_compte_credit", 3);
    field_date1 = figure("field_date1", 2);
    field_date2 = figure("field_date2", 2);
    field_montant = figure("field_montant", 2);
    field_montant->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void CellEcheancier::showPicture(QLabel* view, const QString& name)
{
    view->setPixmap(schedulePicture(name, kImageSide));
}

void CellEcheancier::fill(const ChronoRowContent& content)
{
    const bool chrono = content.kind == CHRONOLIST::Kind::Echeancier || content.kind == CHRONOLIST::Kind::Prevision;
    for (QLabel* field : {image_chrono, image_actif, image_compte_debit, field_compte_debit, image_compte_credit,
                          field_compte_credit, field_date1, field_date2, field_montant})
        field->setVisible(chrono);
    image_dossier->setVisible(content.kind == CHRONOLIST::Kind::Dossier);
    image_poste->setVisible(content.kind == CHRONOLIST::Kind::Poste);
    QFont titleFont = makeListFont(!chrono, false, chrono ? 12 : 13);
    field_title->setFont(titleFont);
    field_title->setText(content.title);
    showPicture(image_dossier, content.imagePoste);
    showPicture(image_poste, content.imagePoste);
    showPicture(image_chrono, content.imageChrono);
    showPicture(image_actif, content.imageActif);
    showPicture(image_compte_debit, content.imageCompteDebit);
    showPicture(image_compte_credit, content.imageCompteCredit);
    field_compte_debit->setText(content.compteDebit);
    field_compte_credit->setText(content.compteCredit);
    field_date1->setText(content.date1);
    field_date2->setText(content.date2);
    field_montant->setText(content.montant);
    QPalette colours = field_montant->palette();
    colours.setColor(QPalette::WindowText, content.montantColor.isValid() ? content.montantColor : QColor(Qt::black));
    field_montant->setPalette(colours);
}

QStringList CellEcheancier::rowTexts() const
{
    QStringList texts;
    for (const QLabel* label : findChildren<QLabel*>()) {
        if (!label->isHidden() && label->pixmap().isNull())
            texts.append(label->text());
    }
    return texts;
}
