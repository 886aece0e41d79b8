#pragma once
// The program's own options in the print panel: coloured backgrounds, coloured texts, borders,
// images, the four margins, how split transactions print and the scale. Each change goes into the
// operation's print information and has the print view lay its pages out again, so the preview
// follows; the window's driver saves the options once the panel closes. A control the printing
// window does not offer (canFondsColores...) is disabled.
#include "toolkit/print/PrintInfo.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class EchelleSlider;
class PrintOperation;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class StdWindowController;

class PrintAccessoryViewController : public QWidget {
    Q_OBJECT
public:
    // The scale's bounds, in percent.
    static constexpr double kEchelleMin = 50;
    static constexpr double kEchelleMax = 100;

    // Neither the operation nor the delegate is owned; the operation outlives the panel.
    PrintAccessoryViewController(PrintOperation* operation, StdWindowController* delegate, QWidget* parent = nullptr);

    // The panel's own copy of the options, as last shown or chosen.
    struct Values {
        bool svOptionFondsColores = false;
        bool svOptionTextesColores = false;
        bool svOptionAddBorders = false;
        bool svOptionPrintImages = false;
        double svOptionMargeLeft = 0;
        double svOptionMargeTop = 0;
        double svOptionMargeRight = 0;
        double svOptionMargeBottom = 0;
        double svOptionGroupees = 0;
        double svOptionEchelle = 0;
    };
    const Values& values() const { return m_values; }

    // Shows the print information's options and margins.
    void setRepresentedObject(const PrintInfo& info);

    struct SummaryItem {
        QString name;
        QString description;
    };
    // What each option does, in the panel's order; shown as the controls' tool tips.
    static QList<SummaryItem> localizedSummaryItems();
    // The names of the option values whose change redraws the preview.
    static QStringList keyPathsForValuesAffectingPreview();

    void clickOptionFondsColores();
    void clickOptionTextesColores();
    void clickOptionAddBorders();
    void clickOptionPrintImages();
    // A margin or the scale was typed.
    void textDidEndEditing(QLineEdit* field);
    void chooseOptionGroupees();
    // The slider moves: its value shows in the scale field.
    void changeSliderEchelle();
    // The user let go of the slider.
    void didEndTrackingSlider(EchelleSlider* slider);

private:
    void createControls();
    void layOutControls();
    void connectControls();
    void setToolTips();
    void fillOptions(const PrintInfo& info);
    void fillMargins(const PrintInfo& info);
    void fillGroupees(const PrintInfo& info);
    void fillEchelle(const PrintInfo& info);
    void clickOption(const QCheckBox* box, bool Values::*stored, bool PrintInfo::*option);
    void didEditMargin(const QLineEdit* field, double value);
    void didEditEchelle(double value);
    void takeEchelle(double value);
    PrintInfo* info() const;
    void respool() const;

    PrintOperation* m_operation;
    QPointer<StdWindowController> m_delegate;
    Values m_values;

    QCheckBox* m_fondsColores = nullptr;
    QCheckBox* m_textesColores = nullptr;
    QCheckBox* m_addBorders = nullptr;
    QCheckBox* m_printImages = nullptr;
    QLineEdit* m_margeLeft = nullptr;
    QLineEdit* m_margeTop = nullptr;
    QLineEdit* m_margeRight = nullptr;
    QLineEdit* m_margeBottom = nullptr;
    QLabel* m_titleGroupees = nullptr;
    QComboBox* m_popGroupees = nullptr;
    EchelleSlider* m_slider = nullptr;
    QLineEdit* m_textEchelle = nullptr;
};
