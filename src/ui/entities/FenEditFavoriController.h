#pragma once
// The editor of a favourite's name and address; nothing is refused.
//
// Window data: "favori" the Favori edited, written back on OK.
#include "document/favoris.h"
#include "toolkit/windows/StdWindowController.h"

#include <QMetaType>

class QLineEdit;

class FenEditFavoriController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;

protected:
    void buildInterface(StdWindow& window) override;

private:
    QLineEdit* field_nom = nullptr;
    QLineEdit* field_url = nullptr;
};

Q_DECLARE_METATYPE(Favori)

// Runs the editor on the favourite as a sheet on the parent's window; true on OK, the favourite
// then holding what was typed.
bool editFavoriModal(StdWindowController* parent, Favori& favori);
