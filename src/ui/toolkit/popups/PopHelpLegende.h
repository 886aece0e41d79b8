#pragma once
// A help button that unfolds the legend of the analysis colours under it.
#include "toolkit/popups/PopWithOneView.h"

class PopHelpLegende : public PopWithOneView {
    Q_OBJECT
public:
    explicit PopHelpLegende(QWidget* parent = nullptr);

    QWidget* getView() override;
};
