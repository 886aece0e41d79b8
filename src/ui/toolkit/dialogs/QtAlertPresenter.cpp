#include "toolkit/dialogs/QtAlertPresenter.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <vector>

QMessageBox::Icon QtAlertPresenter::iconForStyle(int style)
{
    switch (style) {
    case 0:
        return QMessageBox::Warning;
    case 2:
        return QMessageBox::Critical;
    default:
        return QMessageBox::Information;
    }
}

QPixmap QtAlertPresenter::namedImage(const QString& name)
{
    if (name.isEmpty())
        return {};
    const QString path = name.contains(u'.') ? QStringLiteral(":/ui/images/%1").arg(name)
                                             : QStringLiteral(":/ui/images/%1.png").arg(name);
    return QPixmap(path);
}

// An alert's texts often quote what came from outside (a phone's name, a line of a file, an
// imported payee); none of the program's own is rich text. Shown as they are, markup included,
// never rendered, and no link in them opens anything.
void QtAlertPresenter::showAsPlainText(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
    for (QLabel* label : box.findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
        label->setOpenExternalLinks(false);
    }
}

int QtAlertPresenter::show(const AlertRequest& request)
{
    QWidget* parent = widgetOfWindowObject(request.window);
    QMessageBox box(parent ? parent->window() : nullptr);
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    if (!request.message.isEmpty())
        box.setText(request.message);
    if (!request.information.isEmpty())
        box.setInformativeText(request.information);
    showAsPlainText(box);

    std::vector<QPushButton*> buttons;
    for (const QString& title : alertButtonTitles(request))
        buttons.push_back(box.addButton(title, QMessageBox::ActionRole));
    box.setDefaultButton(buttons.front());

    box.setIcon(iconForStyle(request.style));
    if (const QPixmap image = namedImage(request.imageName); !image.isNull())
        box.setIconPixmap(image.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    ModalRunScope scope;
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    // Without an escape button the box can only end by a button; the first is the safe answer
    // should the box be torn down some other way.
    const auto index = chosen == buttons.end() ? 0 : chosen - buttons.begin();
    return kAlertFirstButton + static_cast<int>(index);
}
