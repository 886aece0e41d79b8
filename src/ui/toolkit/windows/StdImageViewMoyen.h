#pragma once
// The image of a row's payment means: printed, when images are not printed, as two letters of the
// transaction's payment family ("CH" for cheques, "CA" for cards...), "?" when there is none.
#include "toolkit/windows/StdImageView.h"

class StdImageViewMoyen : public StdImageView {
    Q_OBJECT
public:
    using StdImageView::StdImageView;

    QString replacementString(const TRANSACT* transact) const override;
    // The letters of a payment family; "?" for family 4 and for a number outside the families.
    static QString familyLetters(int family);
};
