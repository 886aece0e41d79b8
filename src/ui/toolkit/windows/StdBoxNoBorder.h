#pragma once
// A box whose fill prints (with coloured backgrounds on) but never its frame: the footers of the
// lists, which would otherwise be framed twice against the last row.
#include "toolkit/tables/StdCell.h"

class StdBoxNoBorder : public StdBox {
    Q_OBJECT
public:
    explicit StdBoxNoBorder(QWidget* parent = nullptr)
        : StdBox(parent)
    {
    }

    bool printBorder() const override { return false; }
};
