#pragma once
// Which category takes the place of the categories being deleted, wherever the document names
// them. One of them, or no category at all, is refused and the dialog stays open.
//
// Window data: "postes" the idents being deleted; on OK "posteID" the replacement.
#include "toolkit/windows/StdWindowController.h"

#include <QList>

class QLayout;

class FenAskSubstPosteController : public StdWindowController {
    Q_OBJECT
public:
    void willAwakeFromNib() override;
    void FILL() override;
    bool READ() override;

protected:
    void buildInterface(StdWindow& window) override;
};

// Asks, modally on the parent's window, for the replacement of the categories; false when
// cancelled, else true with the replacement in *replacement.
bool askSubstPoste(StdWindowController* parent, const QList<long>& posteIDs, long* replacement);

// The layout the replacement dialogs share: a message (at least messageWidth wide), what goes, its
// replacement, the buttons; Escape cancels. The texts are the prefix's "_titre", "_message",
// "_old" and "_new".
void buildSubstDialog(StdWindowController& controller, StdWindow& window, const QString& prefix, QLayout* choice,
                      int messageWidth = 360);
