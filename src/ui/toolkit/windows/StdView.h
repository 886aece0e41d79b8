#pragma once
// The plain view of the program's windows and printed blocks. On paper it is framed by a thin
// line, whatever the borders option, unless it is a StdViewNoBorder.
#include "toolkit/windows/StdControlProtocol.h"

#include <QWidget>

class StdView : public QWidget, public StdControlProtocol {
    Q_OBJECT
public:
    explicit StdView(QWidget* parent = nullptr)
        : QWidget(parent)
    {
    }

    bool canPrint() const override { return true; }
    QImage printImage() const override { return {}; }
    virtual bool printBorder() const { return true; }
};
