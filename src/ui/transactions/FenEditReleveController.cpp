#include "transactions/FenEditReleveController.h"

#include "toolkit/drawing/SaisieImages.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/windows/namedcontrols.h"

#include "foundation/dates.h"
#include "foundation/localized.h"
#include "model/MONTANT.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kReleve = QStringLiteral("releve");

QPushButton* actionButton(const QString& title, const char* action, StdWindowController& controller, QWidget* parent)
{
    auto* button = new QPushButton(title, parent);
    controller.connectAction(button, QString::fromLatin1(action));
    button->setAutoDefault(false);
    return button;
}

} // namespace

void FenEditReleveController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditReleve"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEditReleve_titre")));
    field_nom = named<StdTextView>("field_nom", &window);
    field_nom->setMinimumWidth(260);
    auto* form = new QFormLayout;
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(10);
    form->addRow(localizedAppl(QStringLiteral("FenEditReleve_nom")), field_nom);
    form->addRow(localizedAppl(QStringLiteral("FenEditReleve_date")), buildDateRow(window));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(16);
    layout->addLayout(form);
    layout->addLayout(buildButtons(window));
}

QLayout* FenEditReleveController::buildDateRow(StdWindow& window)
{
    field_jour = named<TextFieldJour>("field_jour1", &window);
    auto* mois = named<TextFieldMois>("field_mois1", &window);
    auto* annee = named<TextFieldAnnee>("field_annee1", &window);
    field_jour->setFixedWidth(40);
    mois->setFixedWidth(40);
    annee->setFixedWidth(60);
    auto* calendrier = named<QToolButton>("button_calendrier", &window);
    calendrier->setIcon(saisieIcon(QStringLiteral("calendrier"), 18));
    connectAction(calendrier, QStringLiteral("CALENDRIER1:"));
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    for (QWidget* widget : {static_cast<QWidget*>(field_jour), static_cast<QWidget*>(mois),
                            static_cast<QWidget*>(annee), static_cast<QWidget*>(calendrier)})
        row->addWidget(widget);
    row->addStretch();
    return row;
}

QLayout* FenEditReleveController::buildButtons(StdWindow& window)
{
    QPushButton* cancel = actionButton(localizedMisc(QStringLiteral("kMisc_Annuler")), "NON:", *this, &window);
    QPushButton* pointer
        = actionButton(localizedAppl(QStringLiteral("FenEditReleve_pointer")), "POINTER:", *this, &window);
    pointer->setToolTip(localizedAppl(QStringLiteral("FenEditReleve_pointer_aide")));
    QPushButton* ok = actionButton(Dialog::OKString(), "OUI:", *this, &window);
    ok->setDefault(true);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, cancel, &QPushButton::click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pointer);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    return buttons;
}

void FenEditReleveController::FILL()
{
    const RELEVE releve = getData()->value(kReleve).value<RELEVE>();
    setDate1(releve.date);
    StdWindowController::FILL();
    field_nom->setStoredText(releve.nom_v3);
}

QWidget* FenEditReleveController::initialFirstResponder() const
{
    return field_jour;
}

// The fields hold a day, not a time: a statement whose day was left as it was keeps its time, so
// that its place among statements of the same day and against the lock date stays the same.
bool FenEditReleveController::READ()
{
    if (!StdWindowController::READ())
        return false;
    RELEVE releve = getData()->value(kReleve).value<RELEVE>();
    releve.nom_v3 = field_nom->storedText();
    if (!sameDay(date1(), releve.date))
        releve.date = date1();
    getData()->insert(kReleve, QVariant::fromValue(releve));
    return true;
}

void FenEditReleveController::POINTER(QObject*)
{
    if (READ())
        endModal(kEditRelevePointer);
}

long editReleveDialog(StdWindowController* parent, RELEVE& releve)
{
    RELEVE copie;
    copie.setFromReleve(releve);
    const WindowDataPtr data = makeWindowData({{kReleve, QVariant::fromValue(copie)}});
    const long result
        = StdWindowController::pushModal<FenEditReleveController>(parent, data, MONTANT::currentDeviseSlot());
    if (result != kEditReleveAnnule)
        releve.setFromReleve(data->value(kReleve).value<RELEVE>());
    return result;
}
