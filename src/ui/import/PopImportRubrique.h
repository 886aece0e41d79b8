#pragma once
// The menu of a column's role in the tab import editor: "not affected" first, then the dates,
// amounts, debits and credits grouped in submenus, then the accounts and texts. An ignored column
// (kind 0) is not offered: a column without a role is ignored already. A group shows checked when
// the selected kind lies in it.
#include "toolkit/popups/StdPopUp.h"

class PopImportRubrique : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    // Every item sends RUBRIQUE: to the target with the context (the column) as its represented
    // object and the kind as its tag.
    static void FILL_MENU(QMenu* menu, QObject* target, const QVariant& context, qint64 selectedTag);

protected:
    void FILL_MENU() override;
};
