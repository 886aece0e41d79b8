#include "transactions/FenEditConversionController.h"

#include "toolkit/drawing/SaisieImages.h"

#include "toolkit/dialogs/CancelOkButtons.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/fields/TextFieldMontant.h"
#include "toolkit/popups/StdPopUp.h"
#include "toolkit/windows/StdWindow.h"

#include "document/DocContext.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kField = QStringLiteral("field");

QString slotName(const char* prefix, long slot)
{
    return QString::fromLatin1(prefix) + QString::number(slot);
}

} // namespace

FenEditConversionController::FenEditConversionController() = default;
FenEditConversionController::~FenEditConversionController() = default;

TextFieldMontant* FenEditConversionController::field() const
{
    const WindowDataPtr data = getData();
    return data ? qobject_cast<TextFieldMontant*>(data->value(kField).value<QObject*>()) : nullptr;
}

void FenEditConversionController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenEditConversion"));
    window.setWindowTitle(localizedAppl(QStringLiteral("FenEditConversion_titre")));
    auto* image = new QLabel(&window);
    image->setObjectName(QStringLiteral("image"));
    image->setPixmap(saisieImage(QStringLiteral("devise"), 40));
    auto* explain = new QLabel(localizedAppl(QStringLiteral("FenEditConversion_texte")), &window);
    explain->setWordWrap(true);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    for (long slot = 0; slot < kDeviseSlotCount; ++slot) {
        auto* value = new TextFieldReal(&window);
        value->setObjectName(slotName("field_devise", slot));
        value->setFixedWidth(150);
        auto* unit = new QLabel(&window);
        unit->setObjectName(slotName("unit", slot));
        unit->setMinimumWidth(40);
        grid->addWidget(value, int(slot), 0);
        grid->addWidget(unit, int(slot), 1);
    }
    grid->setColumnStretch(2, 1);
    const CancelOkRow closing = cancelOkRow(*this, window);
    closing.ok->setMinimumWidth(closing.cancel->sizeHint().width());
    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(image, 0, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->addWidget(explain);
    right->addLayout(grid);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addLayout(closing.row);
    window.setFixedWidth(380);
}

void FenEditConversionController::FILL()
{
    StdWindowController::FILL();
    TextFieldMontant* amount = field();
    const DOCUMENT* doc = currentDocument();
    m_devises = doc ? doc->deviseHdl : DeviseList();
    const bool readOnly = !amount || !static_cast<StdTextView*>(amount)->isEnabled();
    m_editor = std::make_unique<ConversionEditor>(amount ? amount->montant() : MONTANT(), m_devises, readOnly);
    for (long slot = 0; slot < kDeviseSlotCount; ++slot)
        FILL_AUX(outlet<TextFieldReal>(slotName("field_devise", slot)), outlet<QLabel>(slotName("unit", slot)), slot);
}

void FenEditConversionController::FILL_AUX(TextFieldReal* fieldDevise, QLabel* unit, long index)
{
    fieldDevise->setPlainText(QString(m_editor->text(index)).replace(u'.', QLocale().decimalPoint()));
    fieldDevise->setEnabled(m_editor->editable(index));
    unit->setText(m_editor->unit(index));
    unit->setEnabled(m_editor->editable(index));
}

bool FenEditConversionController::READ()
{
    TextFieldMontant* amount = field();
    if (!amount || !m_editor)
        return true;
    for (long slot = 0; slot < kDeviseSlotCount; ++slot)
        READ_AUX(slot);
    MONTANT montant = amount->montant();
    if (!m_editor->READ(montant)) {
        showAlertOK(this, Dialog::keyString(QStringLiteral("kAlerte_BadMontantSaisie")), QString(), QString(), 1);
        return false;
    }
    amount->fillMontant(montant, amount->devise());
    // The window of the field takes the new amount as a typed one (the tax split follows).
    QObject* owner = amount->delegate();
    if (owner && owner->metaObject()->indexOfMethod("fieldMontantDidChange(QObject*)") >= 0)
        QMetaObject::invokeMethod(owner, "fieldMontantDidChange", Qt::DirectConnection, Q_ARG(QObject*, amount));
    return true;
}

void FenEditConversionController::READ_AUX(long index)
{
    if (TextFieldReal* value = outlet<TextFieldReal>(slotName("field_devise", index)))
        m_editor->setText(index, value->toPlainText().replace(QLocale().decimalPoint(), QStringLiteral(".")));
}

bool editConversionDialog(StdWindowController* parent, QObject* item)
{
    QObject* fieldObject = StdMenu::representedObject(item).value<QObject*>();
    if (!qobject_cast<TextFieldMontant*>(fieldObject))
        return true;
    WindowDataPtr data = makeWindowData({{kField, QVariant::fromValue(fieldObject)}});
    StdWindowController::pushModal<FenEditConversionController>(parent, data, MONTANT::currentDeviseSlot());
    return true;
}
