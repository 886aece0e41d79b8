#include "entities/FenEditVarianteController.h"

#include "entities/FenEditToolController.h"
#include "entities/LogoFiller.h"
#include "toolkit/dialogs/Dialog.h"
#include "toolkit/dialogs/EditorFrame.h"
#include "toolkit/fields/StdTextView.h"
#include "toolkit/fields/TextFieldAnnee.h"
#include "toolkit/fields/TextFieldIntegerN.h"
#include "toolkit/fields/TextFieldJour.h"
#include "toolkit/fields/TextFieldMois.h"
#include "toolkit/host/editedentity.h"
#include "toolkit/popups/PopLogo.h"
#include "toolkit/popups/StdMenu.h"

#include "foundation/localized.h"
#include "model/DOCUMENT.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {

const QString kVariante = QStringLiteral("variante");
constexpr int kImageSide = LogoFiller::kImageSide;

template <class W> W* named(const char* name, QWidget& parent, int width = 0)
{
    auto* control = new W(&parent);
    control->setObjectName(QString::fromLatin1(name));
    if (width > 0)
        control->setFixedWidth(width);
    return control;
}

// What an integer field holds; 0 when empty.
long integerOf(const QString& text)
{
    return long(text.trimmed().toLongLong());
}

QString number(long value)
{
    return QString::number(value);
}

} // namespace

VARIANTE& FenEditVarianteController::variante() const
{
    return editedEntity<VARIANTE>(*getData(), kVariante);
}

DOCUMENT& FenEditVarianteController::document() const
{
    return editedDocument(*getData());
}

void FenEditVarianteController::buildInterface(StdWindow& window)
{
    window.setObjectName(QString::fromLatin1(metaObject()->className()).remove(QStringLiteral("Controller")));
    window.setWindowTitle(localizedAppl(titleKey()));
    m_titleImage = named<QLabel>("titleImage", window);
    m_titleImage->setFixedSize(kImageSide, kImageSide);
    auto* title = new QLabel(localizedAppl(titleKey()), &window);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPixelSize(15);
    title->setFont(bold);
    auto* top = new QHBoxLayout;
    top->addWidget(m_titleImage);
    top->addWidget(title, 1);
    m_nom = named<StdTextView>("field_nom", window);
    m_nom->setMinimumWidth(240);
    m_numero = named<StdTextView>("field_numero", window);
    m_alerte = named<TextFieldIntegerN>("field_alerte", window, 60);
    m_logo = named<QLabel>("field_logo", window);
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(m_logo, 1);
    logoRow->addWidget(named<PopLogo>("pop_logo", window));
    auto* form = new QFormLayout;
    form->addRow(localizedAppl(QStringLiteral("FenEditVariante_nom")), m_nom);
    form->addRow(localizedAppl(QStringLiteral("FenEditVariante_numero")), m_numero);
    buildKindRows(*form, window);
    form->addRow(localizedAppl(QStringLiteral("FenEditVariante_alerte")), m_alerte);
    form->addRow(localizedAppl(QStringLiteral("FenEditVariante_logo")), logoRow);

    layOutEditor(*this, window, {top, form}, 12);
}

void FenEditVarianteController::FILL()
{
    StdWindowController::FILL();
    const VARIANTE& edited = variante();
    m_nom->setStoredText(edited.nom);
    m_numero->setStoredText(edited.numero);
    m_alerte->setPlainText(number(edited.alerte));
    FILL_LOGO();
}

void FenEditVarianteController::FILL_LOGO()
{
    LogoFiller::fill(variante().logoID, &document(), StdPopUp::itemImage(defaultTitleImage()), m_logo, m_titleImage,
                     outlet<PopLogo>(QStringLiteral("pop_logo")));
}

void FenEditVarianteController::LOGO(QObject* item)
{
    variante().logoID = LogoFiller::chosenLogo(item);
    FILL_LOGO();
}

bool FenEditVarianteController::READ()
{
    if (!StdWindowController::READ())
        return false;
    VARIANTE& edited = variante();
    edited.nom = m_nom->storedText();
    edited.numero = m_numero->storedText();
    edited.alerte = integerOf(m_alerte->toPlainText());
    return true;
}

// ---------------------------------------------------------------------------------------------

void FenEditVarianteChequeController::buildKindRows(QFormLayout& form, QWidget& parent)
{
    m_nombre = named<TextFieldIntegerN>("field_nombre", parent, 60);
    form.addRow(localizedAppl(QStringLiteral("FenEditVariante_nombre")), m_nombre);
}

void FenEditVarianteChequeController::FILL()
{
    FenEditVarianteController::FILL();
    m_nombre->setPlainText(number(variante().nombre));
    oldNumero = variante().numero;
}

bool FenEditVarianteChequeController::READ()
{
    if (!FenEditVarianteController::READ())
        return false;
    VARIANTE& edited = variante();
    edited.nombre = integerOf(m_nombre->toPlainText());
    if (edited.numero.compare(oldNumero, Qt::CaseInsensitive) != 0) {
        edited.lastNumero = -1;
        edited.alerteDone = false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------

void FenEditVarianteCarteController::buildKindRows(QFormLayout& form, QWidget& parent)
{
    auto* date = new QHBoxLayout;
    date->addWidget(named<TextFieldJour>("field_jour1", parent, 36));
    date->addWidget(named<TextFieldMois>("field_mois1", parent, 36));
    date->addWidget(named<TextFieldAnnee>("field_annee1", parent, 56));
    date->addStretch();
    form.addRow(localizedAppl(QStringLiteral("FenEditVariante_limite")), date);
}

void FenEditVarianteCarteController::FILL()
{
    setDate1(variante().limite);
    FenEditVarianteController::FILL();
}

bool FenEditVarianteCarteController::READ()
{
    if (!FenEditVarianteController::READ())
        return false;
    variante().limite = date1();
    return true;
}

void editVariante(StdWindowController* parent, VARIANTE& variante, DOCUMENT& doc,
                  const std::function<void(long result)>& block)
{
    const WindowDataPtr data = editedEntityData(kVariante, variante, doc);
    if (variante.moyenType == kFamilyChequeDebit)
        StdWindowController::pushModalWithBlock<FenEditVarianteChequeController>(parent, data, 0, block);
    else
        StdWindowController::pushModalWithBlock<FenEditVarianteCarteController>(parent, data, 0, block);
}
