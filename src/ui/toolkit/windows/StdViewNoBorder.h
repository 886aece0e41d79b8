#pragma once
// A view printed without its frame.
#include "toolkit/windows/StdView.h"

class StdViewNoBorder : public StdView {
    Q_OBJECT
public:
    explicit StdViewNoBorder(QWidget* parent = nullptr)
        : StdView(parent)
    {
    }

    bool printBorder() const override { return false; }
};
