#include "toolkit/dialogs/FenAskPoursuivreController.h"

#include "toolkit/host/UiHost.h"
#include "toolkit/windows/StdActionDispatcher.h"

#include "foundation/localized.h"
#include "model/MONTANT.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const QString kAssistantPrefix = QStringLiteral("assistant");

// The screen keeps this much of its height free above the tallest question.
constexpr int kScreenTopReserve = 25;

QPushButton* windowButton(QWidget* parent, const char* name, const QString& title, const char* action)
{
    auto* button = new QPushButton(title, parent);
    button->setObjectName(QString::fromLatin1(name));
    StdActionDispatcher::setAction(button, QString::fromLatin1(action));
    button->setAutoDefault(false);
    return button;
}

} // namespace

FenAskPoursuivreController::FenAskPoursuivreController()
{
    setModalResult(1);
}

QString FenAskPoursuivreController::assistantPagePath(const QString& resName)
{
    if (QDir::searchPaths(kAssistantPrefix).isEmpty())
        QDir::setSearchPaths(kAssistantPrefix, {QStringLiteral(":/ui/assistant")});
    if (resName.isEmpty() || resName.contains(u'/'))
        return QString();
    const QFileInfo page(kAssistantPrefix + u':' + resName + QStringLiteral(".html"));
    return page.exists() ? page.absoluteFilePath() : QString();
}

void FenAskPoursuivreController::buildInterface(StdWindow& window)
{
    window.setObjectName(QStringLiteral("FenAskPoursuivre"));
    m_content = new QTextBrowser(&window);
    m_content->setObjectName(QStringLiteral("content"));
    m_content->setOpenLinks(false);
    m_content->setFixedSize(kContentWidth, kInterfaceContentHeight);

    m_autre = windowButton(&window, "button_autre", QString(), "AUTRE:");
    m_non = windowButton(&window, "button_non", localizedMisc(QStringLiteral("kMisc_Annuler")), "NON:");
    m_oui = windowButton(&window, "button_oui", localizedMisc(QStringLiteral("kMisc_Continuer")), "OUI:");
    m_oui->setMinimumWidth(m_non->sizeHint().width());
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, this, [this] {
        if (m_escapeButton && !m_escapeButton->isHidden())
            m_escapeButton->click();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_autre);
    buttons->addStretch();
    buttons->addWidget(m_non);
    buttons->addWidget(m_oui);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(14);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_content);
    layout->addLayout(buttons);
}

void FenAskPoursuivreController::willAwakeFromNib()
{
    const WindowDataPtr data = getData();
    const QString path = assistantPagePath(data ? data->value(QStringLiteral("resName")).toString() : QString());
    if (!path.isEmpty())
        loadContent(path);
    setUpButtons();
}

// The page is shown whole when the screen is tall enough; otherwise the window takes the screen's
// height and the page scrolls.
void FenAskPoursuivreController::loadContent(const QString& path)
{
    QTextBrowser* content = m_content;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    content->setSearchPaths({QFileInfo(path).absolutePath()});
    content->setHtml(QString::fromUtf8(file.readAll()));
    const int frame = 2 * content->frameWidth();
    content->document()->setTextWidth(kContentWidth - frame);
    const int textHeight = int(std::ceil(content->document()->size().height())) + frame;

    StdWindow* shown = windowIfLoaded();
    const int windowHeight = shown->sizeHint().height() + textHeight - content->height();
    const int available = UiHost::instance().screen().visibleFrame().height() - kScreenTopReserve;
    const int excess = available > 0 ? std::max(0, windowHeight - available) : 0;
    content->setFixedHeight(textHeight - excess);
    shown->adjustSize();
    keepOnScreen();
}

// The window's bottom never lies below the screen's visible frame.
void FenAskPoursuivreController::keepOnScreen()
{
    StdWindow* shown = windowIfLoaded();
    const QRect screen = UiHost::instance().screen().visibleFrame();
    if (screen.isEmpty())
        return;
    const QRect frame = shown->frameGeometry();
    if (frame.bottom() > screen.bottom())
        shown->move(shown->x(), std::max(screen.top(), shown->y() - (frame.bottom() - screen.bottom())));
}

void FenAskPoursuivreController::setUpButtons()
{
    const WindowDataPtr data = getData();
    const bool undoButton = data && data->value(QStringLiteral("undoButton")).toBool();
    const bool undoDefault = undoButton && data->value(QStringLiteral("undoDefault")).toBool();
    const QString autreName = data ? data->value(QStringLiteral("autreName")).toString() : QString();
    m_non->setVisible(undoButton);
    m_oui->setDefault(!undoDefault);
    m_non->setDefault(undoDefault);
    // Escape cancels whichever button Return presses: a question whose safe answer is the default
    // (a deletion) must not give the other one to the key every user backs out with.
    m_escapeButton = undoButton ? m_non : nullptr;
    m_autre->setText(autreName);
    m_autre->setVisible(!autreName.isEmpty());
}

void askPoursuivre(StdWindowController* parent, const QString& resName, const QString& autreName, bool undoButton,
                   bool undoDefault, const std::function<void(long answer)>& block)
{
    const WindowDataPtr data = makeWindowData({{QStringLiteral("resName"), resName},
                                               {QStringLiteral("autreName"), autreName},
                                               {QStringLiteral("undoButton"), undoButton},
                                               {QStringLiteral("undoDefault"), undoDefault}});
    StdWindowController::pushModalWithBlock<FenAskPoursuivreController>(parent, data, MONTANT::currentDeviseSlot(),
                                                                        [block](long answer) {
                                                                            if (block)
                                                                                block(answer);
                                                                        });
}
