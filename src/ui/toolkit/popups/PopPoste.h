#pragma once
// The category pop-up: one item per folder, in the document's order, each carrying a submenu
// that starts with an item creating a category in that folder and lists the folder's categories
// by name. Category items carry the category's ident and send POSTE:; the create item carries
// the folder's ident and sends CREATE_POSTE:.
//
// The first item of a menu is never marked here: in each submenu it is the create item, whose tag
// (a folder's ident) may equal a category's.
#include "toolkit/popups/StdPopUp.h"

class DOSSIER;
class POSTE;

class PopPoste : public StdPopUp {
    Q_OBJECT
public:
    explicit PopPoste(QWidget* parent = nullptr);

    // Whether the menu ends with an item opening the categories-and-folders window (DOSSIERS:).
    void setCanManage(bool canManage) { m_canManage = canManage; }

    void FILL_MENU() override;

    // A category's or a folder's picture: its logo in the open document when it names one (null
    // when that logo or its file is gone), else the standard picture.
    static QIcon posteImage(const POSTE& poste);
    static QIcon dossierImage(const DOSSIER& dossier);

private:
    void addDossierSubmenu(const DOSSIER& dossier);

    bool m_canManage = false;
};
