#pragma once
// The image of a row's category: printed as "P:" when images are not printed.
#include "toolkit/windows/StdImageView.h"

class StdImageViewPoste : public StdImageView {
    Q_OBJECT
public:
    using StdImageView::StdImageView;

    QString replacementString(const TRANSACT* transact) const override;
};
