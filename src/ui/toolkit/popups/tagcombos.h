#pragma once
// Plain pop-up menus whose items stand for whole-number tags (the stored values they choose).
#include <QList>
#include <QString>

#include <utility>

class QComboBox;
class QWidget;

// A pop-up of that object name with the items in order, each carrying its tag.
QComboBox* tagCombo(QWidget& parent, const char* name, const QList<std::pair<QString, int>>& items);
// Selects the item of that tag; the first one when no item has it.
void selectComboTag(QComboBox* box, int tag);
// The tag of the selected item.
int comboTag(const QComboBox* box);
