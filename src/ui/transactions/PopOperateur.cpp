#include "transactions/PopOperateur.h"

#include "foundation/localized.h"

PopOperateur::PopOperateur(QWidget* parent)
    : QComboBox(parent)
{
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

void PopOperateur::addChoices(std::initializer_list<Choice> choices)
{
    for (const auto& [tag, key] : choices)
        addItem(localizedAppl(QString::fromLatin1(key)), qlonglong(tag));
}

long PopOperateur::selectedTag() const
{
    return currentIndex() < 0 ? 1 : long(currentData().toLongLong());
}

void PopOperateur::selectTag(long tag)
{
    const int index = findData(qlonglong(tag));
    setCurrentIndex(index < 0 ? 0 : index);
}

bool PopOperateur::choose(long tag)
{
    const int index = findData(qlonglong(tag));
    if (index < 0)
        return false;
    setCurrentIndex(index);
    emit activated(index);
    return true;
}
