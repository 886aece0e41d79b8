#pragma once
// A button that prints itself in a printed list. A disclosure button (the triangle that opens and
// closes a split transaction's lines) is checkable: on is open, off is closed; it shows and
// prints the triangle of its state, whatever image it was given.
#include "toolkit/windows/StdControlProtocol.h"

#include <QPushButton>

class StdButton : public QPushButton, public StdControlProtocol {
    Q_OBJECT
public:
    explicit StdButton(QWidget* parent = nullptr);
    explicit StdButton(const QString& title, QWidget* parent = nullptr);

    enum BezelStyle : int {
        kBezelRounded = 1,
        kBezelDisclosure = 5,
    };
    int bezelStyle() const { return m_bezelStyle; }
    void setBezelStyle(int style);
    bool isDisclosure() const { return m_bezelStyle == kBezelDisclosure; }

    bool canPrint() const override { return true; }
    // A disclosure button's triangle for its state; any other button's image.
    QImage printImage() const override;

    // The triangle of a disclosure, open (pointing down) or closed (pointing right): the
    // application's image "disclosure_opened" or "disclosure_closed", drawn here when the
    // application has none.
    static QImage disclosureImage(bool opened);

    static constexpr int kDisclosureSize = 13;

private:
    void showDisclosureState();

    int m_bezelStyle = kBezelRounded;
};
