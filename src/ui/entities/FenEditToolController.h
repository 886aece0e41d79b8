#pragma once
// What the bank and account editors share: the name, the information text, the currency and the
// logo, and the refusal of an empty or already taken name. The editor works on a copy of the
// document's bank or account (or on a new one its creator adds afterwards), which its caller stores
// on OK (takeToolEdits); the logo alone a choice in the logo pop-up writes at once into the document.
//
// Window data: "tool" the TOOL edited and "document" its document (toolEditorData makes both).
// Result 1 after OK, 0 after Cancel.
#include "toolkit/windows/StdWindowController.h"

class DOCUMENT;
class QFormLayout;
class QLabel;
class StdTextView;
class TOOL;

class FenEditToolController : public StdWindowController {
    Q_OBJECT
public:
    void didAwakeFromNib() override;
    void FILL() override;
    bool READ() override;

    Q_INVOKABLE void OUI(QObject* sender) override;
    Q_INVOKABLE void DEVISE(QObject* item);
    Q_INVOKABLE void LOGO(QObject* item);
    void FILL_DEVISE(long slot);
    void FILL_LOGO();

    TOOL& tool() const;
    DOCUMENT& document() const;

    // Whether another tool of the kind already bears that name, letter case ignored: among the
    // accounts of the bank banqueID for an account, among the banks for a bank. The tool of ident
    // selfID is not counted, so a tool may change the case of its own name.
    static bool toolNameTaken(const DOCUMENT& doc, int kind, long banqueID, const QString& name, long selfID);

protected:
    void buildInterface(StdWindow& window) override;
    // The rows a kind of tool adds under the name and the currency.
    virtual void buildTypeRows(QFormLayout& form, QWidget& parent)
    {
        Q_UNUSED(form);
        Q_UNUSED(parent);
    }
    // The bank whose accounts the name must differ from; -1 for a bank.
    virtual long uniquenessBanque() const { return -1; }
    // Shows the title and information texts of those keys of the "Appl" table; a missing text
    // leaves its field as it is.
    void setTexts(const QString& titleKey, const QString& infoKey);

private:
    bool verifName(const QString& name);

    QLabel* m_title = nullptr;
    QLabel* m_image = nullptr;
    QLabel* m_info = nullptr;
    StdTextView* m_nom = nullptr;
    StdTextView* m_toolInfo = nullptr;
    QLabel* m_devise = nullptr;
    QLabel* m_logo = nullptr;
};

// The window data of a tool editor.
WindowDataPtr toolEditorData(TOOL& tool, DOCUMENT& doc);
// Gives the stored tool what an editor set on its copy: name, information, currency, logo, and an
// account's category, bank, tax and statement days. What other windows changed while the editor
// was up (the balance, the statements, the opening balance) stays.
void takeToolEdits(TOOL& stored, const TOOL& edited);
