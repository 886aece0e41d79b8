#pragma once
// The format of a graph: how it is drawn (bars or curve, flat or in relief), which series it
// shows (the period totals or the running balance) and its title. Window data: "header" (the
// GRAPH edited, written back when the dialog ends) and "index" (the saved definition it came
// from, -1 for none).
#include "toolkit/windows/StdWindowController.h"

#include "model/GRAPH.h"

class QComboBox;
class QGridLayout;
class QLineEdit;

Q_DECLARE_METATYPE(GRAPH)

class FenEditGraphiqueParamController : public StdWindowController {
    Q_OBJECT
public:
    const GRAPH& header() const { return m_header; }
    GRAPH& header() { return m_header; }

    void willAwakeFromNib() override;
    void FILL() override;
    QWidget* initialFirstResponder() const override;
    bool READ() override;
    Q_INVOKABLE void OUI(QObject* sender) override;
    Q_INVOKABLE void NON(QObject* sender) override;

protected:
    void buildInterface(StdWindow& window) override;
    // The two pop-ups, and the title field when asked, as rows of a grid.
    void buildFormat(QWidget& parent, QGridLayout& grid, bool withTitle);
    QLayout* buildButtons(QWidget& parent);
    // The data's "header" takes the edited definition.
    void writeBack();

    GRAPH m_header;
    QComboBox* m_popupType = nullptr;
    QComboBox* m_popupTotaux = nullptr;
    QLineEdit* m_fieldTitre = nullptr;
};

// Runs the dialog of class C (this one or the full editor) modally on the definition; the
// definition takes what the dialog read last. True when the user confirmed.
template <class C> bool editGraphiqueParam(StdWindowController* parent, GRAPH& header, long index, long devise)
{
    WindowDataPtr data = makeWindowData(
        {{QStringLiteral("header"), QVariant::fromValue(header)}, {QStringLiteral("index"), qint64(index)}});
    const long result = StdWindowController::pushModal<C>(parent, data, devise);
    header = data->value(QStringLiteral("header")).template value<GRAPH>();
    return result == 1;
}
