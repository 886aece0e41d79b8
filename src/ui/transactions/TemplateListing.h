#pragma once
// The row template of the listings: the transaction list's title block, heading and rows, over
// a footer that the listing makes (totals of its kind with the line count).
#include "transactions/TemplateTransList.h"

#include <functional>

class TemplateListing : public TemplateTransList {
    Q_OBJECT
public:
    using MakePied = std::function<QWidget*(QWidget* parent)>;

    TemplateListing(const QString& name, TransExtraKind extraKind, MakePied makePied, QWidget* parent = nullptr);

protected:
    QWidget* buildPied() override;

private:
    MakePied m_makePied;
};
