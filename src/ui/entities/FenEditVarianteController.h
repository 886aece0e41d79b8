#pragma once
// The editors of a cheque book and of a card: name, reference, alert threshold and logo, with the
// number of cheques for a book and the expiry date for a card. They edit a copy handed in the
// window data ("variante", with "document"); the caller keeps it only after OK (result 1).
#include "model/VARIANTE.h"
#include "toolkit/windows/StdWindowController.h"

#include <functional>

class DOCUMENT;
class QFormLayout;
class QLabel;
class StdTextView;
class TextFieldIntegerN;

class FenEditVarianteController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;

    Q_INVOKABLE void LOGO(QObject* item);
    void FILL_LOGO();

    VARIANTE& variante() const;
    DOCUMENT& document() const;

protected:
    void buildInterface(StdWindow& window) override;
    // The rows a kind of variant adds under the common ones.
    virtual void buildKindRows(QFormLayout& form, QWidget& parent) = 0;
    // The picture shown without a logo.
    virtual QString defaultTitleImage() const = 0;
    virtual QString titleKey() const = 0;

private:
    StdTextView* m_nom = nullptr;
    StdTextView* m_numero = nullptr;
    TextFieldIntegerN* m_alerte = nullptr;
    QLabel* m_logo = nullptr;
    QLabel* m_titleImage = nullptr;
};

class FenEditVarianteChequeController : public FenEditVarianteController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;

    // The reference the book had when the editor was filled.
    QString oldNumero;

protected:
    void buildKindRows(QFormLayout& form, QWidget& parent) override;
    QString defaultTitleImage() const override { return QStringLiteral("chequier"); }
    QString titleKey() const override { return QStringLiteral("FenEditVarianteCheque_titre"); }

private:
    TextFieldIntegerN* m_nombre = nullptr;
};

class FenEditVarianteCarteController : public FenEditVarianteController {
    Q_OBJECT
public:
    void FILL() override;
    bool READ() override;

protected:
    void buildKindRows(QFormLayout& form, QWidget& parent) override;
    QString defaultTitleImage() const override { return QStringLiteral("carte"); }
    QString titleKey() const override { return QStringLiteral("FenEditVarianteCarte_titre"); }
};

// Edits the variant (a cheque book for family 9, a card otherwise) modally; the block gets the
// result (1 after OK, the variant then holding what was typed) once the editor has closed.
void editVariante(StdWindowController* parent, VARIANTE& variante, DOCUMENT& doc,
                  const std::function<void(long result)>& block);
