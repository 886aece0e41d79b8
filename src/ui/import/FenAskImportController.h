#pragma once
// The questions of the tab import editor: a text of the file matches nothing in the document,
// and the user says which account, payment means, currency, category or tax it stands for. One
// window, set up by each of the five question classes below for its entity.
//
// Window data: "old" the text met in the file; on OK "new" the answer (an account, category or
// tax ident, a payment family, a currency slot). The run ends with 1 (OK, the answer given),
// 0 (no more questions), 2 (ACCEDER: open the list of the entity to create what is missing) or
// 3 (INVALIDER: leave the row out). OK is refused for an answer the document doesn't have.
#include "toolkit/windows/StdWindowController.h"

#include <QPointer>

#include <optional>

class QLabel;
class StdPopUp;

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
    Q_INVOKABLE void ACCEDER(QObject* sender);

    // The answer as it stands; none when the document has no such entity.
    virtual std::optional<qint64> chosenAnswer() const = 0;

protected:
    void buildInterface(StdWindow& window) override;
    // The pop-up and the text beside it, named for the window's pickers.
    virtual void buildChooser(QWidget& window, QLayout& row) = 0;
    // The preset answer.
    virtual void presetAnswer() = 0;

private:
    Config m_config;
};

class FenAskImportCompteController : public FenAskImportController {
    Q_OBJECT
public:
    FenAskImportCompteController();
    std::optional<qint64> chosenAnswer() const override;

protected:
    void buildChooser(QWidget& window, QLayout& row) override;
    void presetAnswer() override;
};

class FenAskImportMoyenController : public FenAskImportController {
    Q_OBJECT
public:
    FenAskImportMoyenController();
    std::optional<qint64> chosenAnswer() const override;

protected:
    void buildChooser(QWidget& window, QLayout& row) override;
    void presetAnswer() override;
};

class FenAskImportDeviseController : public FenAskImportController {
    Q_OBJECT
public:
    FenAskImportDeviseController();
    std::optional<qint64> chosenAnswer() const override;
    // The currency chosen in the pop-up (its tag is the slot).
    Q_INVOKABLE void DEVISE(QObject* item);
    void FILL_DEVISE(long slot);

protected:
    void buildChooser(QWidget& window, QLayout& row) override;
    void presetAnswer() override;

private:
    long m_newDevise = 0;
    QPointer<QLabel> m_fieldDevise;
    QPointer<StdPopUp> m_popDevise;
};

class FenAskImportPosteController : public FenAskImportController {
    Q_OBJECT
public:
    FenAskImportPosteController();
    std::optional<qint64> chosenAnswer() const override;

protected:
    void buildChooser(QWidget& window, QLayout& row) override;
    void presetAnswer() override;
};

class FenAskImportFiscalController : public FenAskImportController {
    Q_OBJECT
public:
    FenAskImportFiscalController();
    std::optional<qint64> chosenAnswer() const override;

protected:
    void buildChooser(QWidget& window, QLayout& row) override;
    void presetAnswer() override;
};
