#pragma once
// The editor of a category: the folder editor's name, permanent mark and logo, and the folder
// that holds the category. A new name may be no other category's, whatever its folder, compared
// exactly.
#include "entities/FenEditDossierController.h"

class FenEditPosteController : public FenEditDossierController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;

protected:
    void buildExtraRows(QFormLayout& form, QWidget& parent) override;
    QString titleKey() const override { return QStringLiteral("FenEditPoste_titre"); }
    QString imageName() const override { return QStringLiteral("poste"); }
    bool nameTaken(const QString& name) const override;
};

bool editPosteModal(StdWindowController* parent, POSTE& poste, DOCUMENT& doc);
// A new category of the folder named in the editor (which may move it to another folder),
// inserted in the document's categories; its ident, -1 when cancelled.
long createPosteWithDialog(StdWindowController* parent, long dossierID, DOCUMENT& doc);
