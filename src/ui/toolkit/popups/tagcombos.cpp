#include "toolkit/popups/tagcombos.h"

#include <QComboBox>

QComboBox* tagCombo(QWidget& parent, const char* name, const QList<std::pair<QString, int>>& items)
{
    auto* box = new QComboBox(&parent);
    box->setObjectName(QString::fromLatin1(name));
    for (const auto& [title, tag] : items)
        box->addItem(title, tag);
    return box;
}

void selectComboTag(QComboBox* box, int tag)
{
    const int index = box->findData(tag);
    box->setCurrentIndex(index >= 0 ? index : 0);
}

int comboTag(const QComboBox* box)
{
    return box->currentData().toInt();
}
