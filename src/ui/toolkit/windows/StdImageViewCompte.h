#pragma once
// The image of a row's account: printed as "C:" when images are not printed.
#include "toolkit/windows/StdImageView.h"

class StdImageViewCompte : public StdImageView {
    Q_OBJECT
public:
    using StdImageView::StdImageView;

    QString replacementString(const TRANSACT* transact) const override;
};
