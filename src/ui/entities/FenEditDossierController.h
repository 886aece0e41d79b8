#pragma once
// The editor of a folder: its name, its permanent mark and its logo, run modally on a copy that
// the caller stores only on OK. A name is required, and a new name may be no other folder's,
// compared exactly (letter case counts). The logo chosen in the pop-up is written to the copy at
// once. FenEditPosteController edits a category the same way.
//
// Window data: "poste" the POSTE (or DOSSIER) edited and "document" its document
// (posteEditorData makes both). Result 1 after OK, 0 after Cancel.
#include "toolkit/windows/StdWindowController.h"

class DOCUMENT;
class POSTE;
class QCheckBox;
class QFormLayout;
class QLabel;
class StdTextView;

class FenEditDossierController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;
    Q_INVOKABLE void OUI(QObject* sender) override;
    Q_INVOKABLE void LOGO(QObject* item);
    void FILL_LOGO();

    POSTE& edited() const;
    DOCUMENT& document() const;

protected:
    void buildInterface(StdWindow& window) override;
    // The rows a category adds under the name; none for a folder.
    virtual void buildExtraRows(QFormLayout& form, QWidget& parent)
    {
        Q_UNUSED(form);
        Q_UNUSED(parent);
    }
    virtual QString titleKey() const { return QStringLiteral("FenEditDossier_titre"); }
    virtual QString imageName() const { return QStringLiteral("dossier"); }
    // Whether another entity of the kind bears exactly that name.
    virtual bool nameTaken(const QString& name) const;

private:
    bool verifName(const QString& name);

    QLabel* m_icone = nullptr;
    StdTextView* m_nom = nullptr;
    QCheckBox* m_persistant = nullptr;
    QLabel* m_logo = nullptr;
};

WindowDataPtr posteEditorData(POSTE& poste, DOCUMENT& doc);
// The folder (category) edited modally on the parent's window; true on OK.
bool editDossierModal(StdWindowController* parent, POSTE& dossier, DOCUMENT& doc);
// A new folder named in the editor, inserted in the document's folders; its ident, -1 when
// cancelled. Its row lands at *index when given.
long createDossierWithDialog(StdWindowController* parent, DOCUMENT& doc, long* index = nullptr);
