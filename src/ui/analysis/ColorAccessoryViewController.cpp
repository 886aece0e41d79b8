#include "analysis/ColorAccessoryViewController.h"

#include "toolkit/host/UiHost.h"

#include "foundation/localized.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QWidget>

ColorAccessoryViewController::ColorAccessoryViewController(QObject* delegate, IColorPanel* panel, qint64 tag,
                                                           QObject* parent)
    : QObject(parent)
    , m_delegate(delegate)
    , m_panel(panel)
    , m_tag(tag)
    , m_view(new QWidget)
{
    m_view->setObjectName(QStringLiteral("ColorAccessoryViewController"));
    m_buttonNok = new QPushButton(localizedDialogue(QStringLiteral("LIB_BUTTON_ANNULER")), m_view);
    m_buttonNok->setObjectName(QStringLiteral("button_nok"));
    m_buttonOk = new QPushButton(localizedDialogue(QStringLiteral("LIB_BUTTON_OK")), m_view);
    m_buttonOk->setObjectName(QStringLiteral("button_ok"));
    m_buttonOk->setDefault(true);
    auto* layout = new QHBoxLayout(m_view);
    layout->addStretch(1);
    layout->addWidget(m_buttonNok);
    layout->addWidget(m_buttonOk);
    // The delegate releases this accessory while answering a click: later, never under the click.
    connect(m_buttonOk, &QPushButton::clicked, this, [this] { clickOK(); });
    connect(m_buttonNok, &QPushButton::clicked, this, [this] { clickNOK(); });
}

ColorAccessoryViewController::~ColorAccessoryViewController()
{
    delete m_view.data();
}

void ColorAccessoryViewController::clickOK(QObject*)
{
    exitWithCode(true);
}

void ColorAccessoryViewController::clickNOK(QObject*)
{
    exitWithCode(false);
}

void ColorAccessoryViewController::exitWithCode(bool code)
{
    if (m_delegate)
        QMetaObject::invokeMethod(m_delegate, "exitColorPanelWithCode",
                                  Q_ARG(QVariantMap, returnDictionnaryWithCode(code)));
}

QVariantMap ColorAccessoryViewController::returnDictionnaryWithCode(bool code)
{
    return {{QStringLiteral("code"), code},
            {QStringLiteral("controller"), QVariant::fromValue<QObject*>(this)},
            {QStringLiteral("panel"), QVariant::fromValue(m_panel)},
            {QStringLiteral("color"), m_panel ? m_panel->color() : QColor()},
            {QStringLiteral("tag"), QVariant::fromValue(m_tag)}};
}
