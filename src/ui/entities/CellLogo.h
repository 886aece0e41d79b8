#pragma once
// The row of one logo in the logos window: its picture and its visible name.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class CellLogo : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 40;

    explicit CellLogo(QWidget* parent = nullptr);

    QLabel* getVisibleName() const { return visibleName; }
    QLabel* getLogoImageView() const { return logoImageView; }

    // The picture as PNG bytes; none shows an empty square.
    void fill(const QString& name, const QByteArray& png);

private:
    QLabel* visibleName;
    QLabel* logoImageView;
};
