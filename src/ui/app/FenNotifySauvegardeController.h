#pragma once
// The small notice in the top-right corner of the screen while the document is saved
// automatically: it slides in from beyond the screen's right edge and out again when the save is
// over. It is never moved out of the tool palette's way.
#include "toolkit/windows/StdWindowController.h"

class FenNotifySauvegardeController : public StdWindowController {
    Q_OBJECT
public:
    bool animatesWhenAppear() const override { return false; }
    bool animatesWhenClose() const override { return false; }
    bool soundWhenAppear() const override { return false; }
    bool soundWhenClose() const override { return false; }
    Q_INVOKABLE void ASSUME_BOUND(const QVariant& toolPalette) override { Q_UNUSED(toolPalette); }

    void didAwakeFromNib() override;
    // Slides the notice out, then closes it.
    void closeSliding();

    // The frame the notice slides in to: its top-right corner at the visible screen's.
    QRect shownFrame() const;

protected:
    void buildInterface(StdWindow& window) override;
};
