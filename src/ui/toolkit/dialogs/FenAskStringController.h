#pragma once
// The question for a text: a prompt, a field holding the proposed text (also its placeholder),
// Cancel and OK. Its window data: "titre" the prompt (already localised), "istr" the proposed
// text, "ostr" the answer, written on OK only.
#include "toolkit/windows/StdWindowController.h"

#include <functional>

class QLabel;
class QLineEdit;

class FenAskStringController : public StdWindowController {
    Q_OBJECT
public:
    using ResultBlock = std::function<void(bool ok)>;

    void FILL() override;
    QWidget* initialFirstResponder() const override;
    bool READ() override;

    // Asks for the name of a document (the old name proposed, and written into newName) until the
    // name is free in the storage of the tag, letter case ignored, or the user cancels; the block
    // then gets true with the name in newName, or false. An empty answer stands for the old name;
    // renaming to the old name itself, or to a name that can't be a file there (a "/", a NUL, a
    // leading "."), is refused with an alert and the question comes back.
    static void askForAvailableRecentName(StdWindowController* parent, const QString& keyPrompt, const QString& oldName,
                                          QString* newName, bool forDuplicate, int fileSystemTag,
                                          const ResultBlock& resultBlock);

protected:
    void buildInterface(StdWindow& window) override;
    // The control the answer is typed in; the prompt and the buttons are the same for every
    // question of the family.
    virtual QWidget* makeAnswerView(StdWindow& window);
    void setPrompt(const QString& prompt);
    static constexpr int kWindowWidth = 400;

private:
    QLabel* m_prompt = nullptr;
    // The base's answer view; null when a subclass makes its own.
    QLineEdit* m_texte = nullptr;
};

// The question, with the prompt of that key of table "Dialogue": true on OK with the answer in
// out; false on Cancel with out emptied.
bool askStringModal(StdWindowController* parent, const QString& promptKey, const QString& initialText, QString* out);
// The same handing OK (true) or Cancel (false) to the block, which runs before the call returns;
// answer receives the text on OK and is left alone on Cancel.
void askStringWithBlock(StdWindowController* parent, const QString& promptKey, const QString& initialText,
                        QString* answer, const FenAskStringController::ResultBlock& block);
