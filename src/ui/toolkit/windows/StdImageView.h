#pragma once
// An image in a list row. When a list is printed without images, the image view tells the short
// text printed in its place for the row's transaction; a plain image view prints nothing.
#include "toolkit/print/PrintElement.h"

#include <QLabel>
#include <QString>

class StdImageView : public QLabel, public PrintReplacementText {
    Q_OBJECT
public:
    explicit StdImageView(QWidget* parent = nullptr);

    // The text printed in place of the image for the transaction (which may be null).
    QString replacementString(const TRANSACT* transact) const override;
};
