#include "toolkit/palettes/FenPaletteSaisieController.h"

#include "toolkit/drawing/Constants.h"
#include "toolkit/host/UiHost.h"
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
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPaletteWidth = 200;
constexpr int kMargin = 6;
constexpr int kSpacing = 3;

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

void layOutInColumn(StdWindow& window, const QList<QWidget*>& controls, int families)
{
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kSpacing);
    for (QWidget* control : controls) {
        if (layout->count() == families)
            layout->addWidget(separator(&window));
        layout->addWidget(control);
    }
    // Wider where a means' name needs it, so that no button cuts its name.
    window.setFixedWidth(std::max(kPaletteWidth, layout->sizeHint().width()));
    window.adjustSize();
}

// As many columns as fit in that width, each as wide as its widest control, the controls placed
// row after row: the fewest rows.
int columnsFitting(const QList<QWidget*>& controls, int width)
{
    const int count = int(controls.size());
    for (int rows = 1; rows < count; ++rows) {
        const int columns = (count - 1) / rows + 1;
        int needed = -kSpacing;
        for (int column = 0; column < columns; ++column) {
            int widest = 0;
            for (int i = column; i < count; i += columns)
                widest = std::max(widest, controls.at(i)->sizeHint().width());
            needed += widest + kSpacing;
        }
        if (needed <= width)
            return columns;
    }
    return 1;
}

// Docked along the bottom of the screen, the controls stand in rows, as few as the screen's width
// allows; a manager that stretches the dock across the screen leaves them at their size.
void layOutInRows(StdWindow& window, const QList<QWidget*>& controls)
{
    auto* layout = new QGridLayout(&window);
    layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->setSpacing(kSpacing);
    const int columns = columnsFitting(controls, UiHost::instance().screen().fullFrame().width() - 2 * kMargin);
    // A control that asks for more room (a pop-up) would have the layout take the stretched width.
    for (int i = 0; i < int(controls.size()); ++i) {
        controls.at(i)->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        layout->addWidget(controls.at(i), i / columns, i % columns);
    }
    window.adjustSize();
}

} // namespace

PopMoyen* FenPaletteSaisieController::popMoyen() const
{
    return m_popMoyen;
}

void FenPaletteSaisieController::buildPalette(StdWindow& window, const QList<int>& families)
{
    window.setWindowTitle(localizedMisc(QStringLiteral("kMisc_PaletteSaisie")));
    QList<QWidget*> controls;
    for (int family : families)
        controls.append(familyButton(family, &window));
    controls.append(
        palettePopUp<PopSynonyme>("pop_synonyme", localizedMisc(QStringLiteral("kMisc_PaletteSynonymes")), &window));
    auto* gerer = new QPushButton(localizedMisc(QStringLiteral("kMisc_PaletteGerer")), &window);
    gerer->setObjectName(QStringLiteral("GERER:"));
    StdActionDispatcher::setAction(gerer, QStringLiteral("GERER:"));
    gerer->setFocusPolicy(Qt::NoFocus);
    controls.append(gerer);
    controls.append(palettePopUp<PopMacro>("pop_macro", localizedMisc(QStringLiteral("kMisc_PaletteMacros")), &window));
    m_popMoyen = palettePopUp<PopMoyen>("popMoyen", localizedMisc(QStringLiteral("kMisc_PaletteListes")), &window);
    controls.append(m_popMoyen);
    if (UiHost::instance().screen().managerTilesWindows())
        layOutInRows(window, controls);
    else
        layOutInColumn(window, controls, int(families.size()));
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
    while (openSaisieTransact(family, synonymeID, ident(), nullptr, repeat) == kSaisieOK
           && !UiHost::instance().commandWaits())
        repeat = true;
}
