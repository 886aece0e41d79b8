#include "toolkit/fields/datefields.h"

#include "toolkit/dialogs/Dialog.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"

#include "foundation/dates.h"
#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// The text of a field, or nothing for an absent one.
bool readField(const QWidget* field, QString* text)
{
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(field))
        *text = plain->toPlainText();
    else if (const auto* line = qobject_cast<const QLineEdit*>(field))
        *text = line->text();
    else
        return false;
    return true;
}

} // namespace

QHBoxLayout* dateFieldsRow(QWidget& parent, int n, QList<QWidget*>& fields)
{
    auto* row = new QHBoxLayout;
    QWidget* date[3] = {new TextFieldJour(&parent), new TextFieldMois(&parent), new TextFieldAnnee(&parent)};
    const char* names[3] = {"field_jour%1", "field_mois%1", "field_annee%1"};
    for (int i = 0; i < 3; ++i) {
        date[i]->setObjectName(QString::fromLatin1(names[i]).arg(n));
        date[i]->setMaximumWidth(i == 2 ? 60 : 36);
        row->addWidget(date[i]);
        fields.append(date[i]);
    }
    return row;
}

bool refuseImpossibleDate(QObject* window, QWidget* jour, QWidget* mois, QWidget* annee)
{
    QString texts[3];
    const QString* present[3] = {};
    QWidget* const fields[3] = {jour, mois, annee};
    for (int i = 0; i < 3; ++i) {
        if (readField(fields[i], &texts[i]))
            present[i] = &texts[i];
    }
    const QString impossible = impossibleDateOfDayMonthYearViews(present[0], present[1], present[2]);
    if (impossible.isEmpty())
        return false;
    showAlertOK(window, localizedDialogue(QStringLiteral("kAlerte_DateInexistante")).arg(impossible), QString(),
                QStringLiteral("calendrier"), 1);
    if (QWidget* first = jour ? jour : mois) {
        first->setFocus(Qt::OtherFocusReason);
        if (auto* plain = qobject_cast<QPlainTextEdit*>(first))
            plain->selectAll();
    }
    return true;
}
