#pragma once
// The menu of the tab import editor's row headers: take the selected rows into the import again,
// or leave them out.
#include "toolkit/popups/StdPopUp.h"

class PopImportSelectRow : public StdPopUp {
    Q_OBJECT
public:
    using StdPopUp::StdPopUp;

    // ACTIVATE_ROW: tagged 1 (take in) and 0 (leave out).
    static void FILL_MENU(QMenu* menu, QObject* target, const QVariant& context, qint64 selectedTag);

protected:
    void FILL_MENU() override;
};
