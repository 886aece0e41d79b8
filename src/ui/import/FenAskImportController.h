#pragma once
// The base of the tab import editor's questions: a text of the file matches nothing in the
// document, and the user says which account, payment means, currency, category or tax it stands
// for. Each entity's question is a subclass that builds its chooser, presets its answer and reads
// it back.
//
// Window data: "old" the text met in the file; on OK "new" the answer (an account, category or
// tax ident, a payment family, a currency slot). The run ends with 1 (OK, the answer given),
// 0 (no more questions), 2 (ACCEDER: open the list of the entity to create what is missing; not
// for payment means) or 3 (INVALIDER: leave the row out). OK is refused for an answer the
// document doesn't have.
#include "toolkit/windows/StdWindowController.h"

#include <optional>

class QLabel;

class FenAskImportController : public StdWindowController {
    Q_OBJECT
public:
    // What sets one question apart from the others.
    struct Config {
        const char* nibName; // the window's object name
        const char* messageKey; // table "Appl"
        bool canAcceder; // the entity has a list window
    };

    explicit FenAskImportController(const Config& config);

    QString nibName() const { return QString::fromLatin1(m_config.nibName); }
    void willAwakeFromNib() override;
    void FILL() override;
    bool READ() override;

    // The answer as it stands; none when the document has no such entity.
    virtual std::optional<qint64> chosenAnswer() const = 0;

protected:
    void buildInterface(StdWindow& window) override;
    // The pop-up and the text beside it, named for the window's pickers.
    virtual void buildChooser(QWidget& window, QLayout& row) = 0;
    // The preset answer.
    virtual void presetAnswer() = 0;
    // Ends the run with the code that opens the entity's list window.
    void acceder();
    // A text beside the chooser, named for the pickers that fill it.
    static QLabel* addText(QWidget& window, QLayout& row, const char* name);

private:
    Config m_config;
};
