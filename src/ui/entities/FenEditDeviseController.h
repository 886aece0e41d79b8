#pragma once
// The editor of one of the document's currency slots: name, unit, decimals, rate to the main
// currency, ticker and preference. Choosing a ticker fetches the rate through the quote service;
// a fetched rate can't be typed over until the ticker is removed. Ends with 0 (cancelled), 1
// (saved) or 2 (saved, to be made the main currency).
//
// Window data: "slot" the slot edited (0 to 4). The ticker's changes are made on the slot at once
// and stay when the editor is then cancelled.
#include "toolkit/windows/StdWindowController.h"

class DOCUMENT;
class Devise;
class PopDeviseTicker;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TextFieldIntegerN;
class TextFieldReal;

class FenEditDeviseController : public StdWindowController {
    Q_OBJECT
public:
    static constexpr long kMaxDecimales = 6;

    void didAwakeFromNib() override;
    void FILL() override;
    bool READ() override;
    void updateButtons();

    Q_INVOKABLE void OUI(QObject* sender) override;
    Q_INVOKABLE void definirPrincipale(QObject* sender);
    Q_INVOKABLE void CHOOSE_TICKER(QObject* sender);
    Q_INVOKABLE void supprimerTicker(QObject* sender);
    Q_INVOKABLE void logo(QObject* sender);

    long slot() const;
    // The quote service's own web page, opened by the logo button; the button stays hidden while
    // none is set.
    static void setQuoteServicePage(const QString& url);
    static QString quoteServicePage();

    // The rate typed for a slot: a positive finite number; slot 0 keeps its fixed rate.
    static bool isValidRate(long slot, double rate);

protected:
    void buildInterface(StdWindow& window) override;

private:
    Devise* devise() const;
    QWidget* buildFields(StdWindow& window);
    QWidget* buildTicker(StdWindow& window);
    // The fields into the slot; with checkRate, false (and an alert) for a rate that can't be one.
    bool readFields(bool checkRate);
    void fetchRate(const QString& code);

    QLineEdit* field_nom = nullptr;
    QLineEdit* field_abreviation = nullptr;
    TextFieldIntegerN* field_decimale = nullptr;
    TextFieldReal* field_taux = nullptr;
    QLabel* field_unit = nullptr;
    QCheckBox* cb_preferer = nullptr;
    QPushButton* button_definir_principal = nullptr;
    QLineEdit* field_code = nullptr;
    PopDeviseTicker* pop_ticker = nullptr;
    QPushButton* button_supprimer_ticker = nullptr;
    QLabel* field_maj = nullptr;
    QPushButton* button_logo = nullptr;
    QString m_shownRate; // the rate's text as the window showed it
};

// Runs the editor on the slot, as a sheet on the parent's window; 0 at once for a slot above 4.
long editDeviseDialog(StdWindowController* parent, long slot);
