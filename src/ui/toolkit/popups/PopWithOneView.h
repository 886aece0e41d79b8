#pragma once
// A pop-up whose menu holds one item showing a view instead of a title: opening it unfolds the
// view under the button. The view is made anew at each opening, so it always shows what the
// pop-up holds at that moment.
#include "toolkit/popups/StdPopUp.h"

class PopWithOneView : public StdPopUp {
    Q_OBJECT
public:
    explicit PopWithOneView(QWidget* parent = nullptr);

    // The view to show, owned by the caller until the menu takes it; the base has none.
    virtual QWidget* getView() { return nullptr; }
    // Appends the one item, with no title and no action, showing getView().
    void FILL_MENU() override;
};
