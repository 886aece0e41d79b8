#include "toolkit/palettes/FenPaletteSaisieController.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/popups/PopMacro.h"
#include "toolkit/popups/PopMoyen.h"
#include "toolkit/popups/PopSynonyme.h"
#include "toolkit/popups/StdMenu.h"
#include "toolkit/windows/StdActionDispatcher.h"

#include "document/DocContext.h"
#include "foundation/IAppShell.h"
#include "foundation/localized.h"
#include "model/DOCUMENT.h"
#include "model/ITransactionWindows.h"
#include "model/MOYEN.h"
#include "model/Synonyme.h"

#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPaletteWidth = 200;

QPushButton* familyButton(int family, QWidget* parent)
{
    auto* button = new QPushButton(moyenNameForFamily(family), parent);
    button->setObjectName(QStringLiteral("moyen_%1").arg(family));
    button->setProperty("identifier", QString::number(family));
    StdActionDispatcher::setAction(button, QStringLiteral("BUTTON_MOYEN:"));
    button->setIcon(StdPopUp::itemImage(familyIconName(family)));
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(QStringLiteral("text-align: left; padding: 4px 8px;"));
    return button;
}

template <class P> P* palettePopUp(const char* name, const QString& title, QWidget* parent)
{
    auto* popUp = new P(parent);
    popUp->setObjectName(QString::fromLatin1(name));
    popUp->setTitle(title);
    popUp->setToolButtonStyle(Qt::ToolButtonTextOnly);
    popUp->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    popUp->setFocusPolicy(Qt::NoFocus);
    return popUp;
}

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

PopMoyen* FenPaletteSaisieController::popMoyen() const
{
    return m_popMoyen;
}

void FenPaletteSaisieController::buildPalette(StdWindow& window, const QList<int>& families)
{
    window.setWindowTitle(localizedMisc(QStringLiteral("kMisc_PaletteSaisie")));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(3);
    for (int family : families)
        layout->addWidget(familyButton(family, &window));
    layout->addWidget(separator(&window));
    layout->addWidget(
        palettePopUp<PopSynonyme>("pop_synonyme", localizedMisc(QStringLiteral("kMisc_PaletteSynonymes")), &window));
    auto* gerer = new QPushButton(localizedMisc(QStringLiteral("kMisc_PaletteGerer")), &window);
    gerer->setObjectName(QStringLiteral("GERER:"));
    StdActionDispatcher::setAction(gerer, QStringLiteral("GERER:"));
    gerer->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(gerer);
    layout->addWidget(
        palettePopUp<PopMacro>("pop_macro", localizedMisc(QStringLiteral("kMisc_PaletteMacros")), &window));
    m_popMoyen = palettePopUp<PopMoyen>("popMoyen", localizedMisc(QStringLiteral("kMisc_PaletteListes")), &window);
    layout->addWidget(m_popMoyen);
    // Wider where a means' name needs it, so that no button cuts its name.
    window.setFixedWidth(std::max(kPaletteWidth, layout->sizeHint().width()));
    window.adjustSize();
}

void FenPaletteSaisieController::BUTTON_MOYEN(QObject* sender)
{
    bool ok = false;
    const int family = sender ? sender->property("identifier").toString().toInt(&ok) : 0;
    if (ok)
        openSaisieForFamily(family, -1);
}

void FenPaletteSaisieController::SYNONYME(QObject* sender)
{
    const DOCUMENT* doc = currentDocument();
    const Synonyme* synonyme = doc ? Synonyme::synonymeAtIndex(StdMenu::tagOf(sender), doc->synonymeArray) : nullptr;
    if (synonyme)
        openSaisieForFamily(synonyme->family, synonyme->ident);
}

void FenPaletteSaisieController::MOYEN(QObject* sender)
{
    const QVariant synonyme = StdMenu::representedObject(sender).toMap().value(QStringLiteral("synonyme"));
    const long synonymeID = synonyme.canConvert<Synonyme>() ? synonyme.value<Synonyme>().ident : -1;
    openListingMoyen(ident(), int(StdMenu::tagOf(sender)), synonymeID, int(devise()), true);
}

void FenPaletteSaisieController::MACRO(QObject* sender)
{
    if (IAppShell* shell = appShell())
        shell->MACRO(long(StdMenu::tagOf(sender)));
}

// The synonyms window belongs to the application, which opens it once.
void FenPaletteSaisieController::GERER(QObject* sender)
{
    if (auto* app = dynamic_cast<QObject*>(appShell()))
        StdActionDispatcher::invoke(app, QStringLiteral("GERER:"), sender);
}

void FenPaletteSaisieController::openSaisieForFamily(int family, long synonymeID)
{
    bool repeat = false;
    while (openSaisieTransact(family, synonymeID, ident(), nullptr, repeat) == kSaisieOK)
        repeat = true;
}
