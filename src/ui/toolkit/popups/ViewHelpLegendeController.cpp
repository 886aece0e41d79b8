#include "toolkit/popups/ViewHelpLegendeController.h"

#include "toolkit/windows/windowutils.h"

#include "document/APPLIPARAM.h"
#include "foundation/localized.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kRampWidth = 120;
constexpr int kRampHeight = 14;

} // namespace

ViewHelpLegendeController::ViewHelpLegendeController()
{
    loadView();
}

ViewHelpLegendeController::~ViewHelpLegendeController()
{
    if (!m_viewTaken)
        delete m_view.data();
}

QWidget* ViewHelpLegendeController::createView()
{
    ViewHelpLegendeController controller;
    return controller.takeView();
}

QWidget* ViewHelpLegendeController::takeView()
{
    m_viewTaken = true;
    return m_view;
}

QWidget* ViewHelpLegendeController::rampView(const Colorizator& ramp, QWidget* parent)
{
    QPixmap picture(kRampWidth, kRampHeight);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, kRampWidth, 0);
    gradient.setColorAt(0, toQColor(ramp.firstColor()));
    gradient.setColorAt(1, toQColor(ramp.lastColor()));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(QColor(0, 0, 0, 90));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    painter.end();
    auto* label = new QLabel(parent);
    label->setPixmap(picture);
    return label;
}

void ViewHelpLegendeController::loadView()
{
    auto* view = new QFrame;
    view->setObjectName(nibName());
    auto* layout = new QGridLayout(view);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(6);

    auto* title = new QLabel(localizedHelp(QStringLiteral("HELP_TITLE_LEGENDE")), view);
    title->setObjectName(QStringLiteral("field_titre"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title, 0, 0, 1, 2);

    const APPLIPARAM& param = APPLIPARAM::loadAppliParam();
    const std::pair<const char*, const Colorizator*> rows[] = {
        {"kMisc_AnalyseTitre", &param.colorisatorAnalyseTitre},
        {"kMisc_AnalyseDepenses", &param.colorisatorAnalyseDepense},
        {"kMisc_AnalyseRecettes", &param.colorisatorAnalyseRecette},
        {"kMisc_AnalyseSolde", &param.colorisatorAnalyseSolde},
    };
    int row = 1;
    for (const auto& [key, ramp] : rows) {
        layout->addWidget(rampView(*ramp, view), row, 0);
        auto* name = new QLabel(localizedMisc(QString::fromLatin1(key)), view);
        name->setObjectName(QString::fromLatin1(key));
        layout->addWidget(name, row, 1);
        ++row;
    }
    view->setFixedSize(view->sizeHint());
    m_view = view;
}
