#include "calculator/CalculetteKeypad.h"

#include "toolkit/windows/StdActionDispatcher.h"

#include <QGridLayout>
#include <QHash>
#include <QPushButton>

namespace {

struct Place {
    int row;
    int column;
    int span = 1;
};

// Modes and memories on top, functions on the left, the digits and operators on the right, the
// hexadecimal digits and the texts at the bottom.
const QHash<QString, Place>& keypadPlaces()
{
    static const QHash<QString, Place> places = [] {
        const char* const rows[][8] = {
            {"BBREAK", "BCLEAR", "BPARO", "BPARF", "BSTO", "BRCL", "BLAST", "BENTER"},
            {"BSIN", "BCOS", "BTAN", "BCOTAN", "B7", "B8", "B9", "BDIVISE"},
            {"BLN", "BLOG", "BEXP", "BEXP10", "B4", "B5", "B6", "BFOIS"},
            {"BRAC", "BCARRE", "BPUISS", "BUNSUR", "B1", "B2", "B3", "BMOINS"},
            {"BHEXA", "BHEXB", "BHEXC", "BE", "B0", "BPOINT", "BEGAL", "BPLUS"},
            {"BHEXD", "BHEXE", "BHEXF", "BPI", "BPRINT", nullptr, "BPRINTLN", nullptr},
        };
        QHash<QString, Place> result;
        for (int row = 0; row < 6; ++row) {
            for (int column = 0; column < 8; ++column) {
                if (const char* name = rows[row][column]) {
                    const bool wide = row == 5 && column >= 4;
                    result.insert(QString::fromLatin1(name), Place {row, column, wide ? 2 : 1});
                }
            }
        }
        return result;
    }();
    return places;
}

} // namespace

const QList<CalculetteButton>& calculetteButtonTable()
{
    static const QList<CalculetteButton> table = [] {
        QList<CalculetteButton> buttons = {
            {QStringLiteral("BBREAK"), QStringLiteral("BREAK"), QStringLiteral("\x01")},
            {QStringLiteral("BCLEAR"), QStringLiteral("CLEAR"), QStringLiteral("\x02")},
            {QStringLiteral("BEGAL"), QStringLiteral("="), QStringLiteral("\x03")},
        };
        for (const char digit : QByteArrayLiteral("1234567890")) {
            const QString text(QLatin1Char {digit});
            buttons.append({QStringLiteral("B") + text, text, text});
        }
        buttons += {
            {QStringLiteral("BPOINT"), QStringLiteral("."), QStringLiteral(".")},
            {QStringLiteral("BPARO"), QStringLiteral("("), QStringLiteral("(")},
            {QStringLiteral("BPARF"), QStringLiteral(")"), QStringLiteral(")")},
            {QStringLiteral("BPLUS"), QStringLiteral("+"), QStringLiteral(" + ")},
            {QStringLiteral("BMOINS"), QStringLiteral("-"), QStringLiteral(" - ")},
            {QStringLiteral("BFOIS"), QStringLiteral("*"), QStringLiteral(" * ")},
            {QStringLiteral("BDIVISE"), QStringLiteral("/"), QStringLiteral(" / ")},
        };
        for (const char letter : QByteArrayLiteral("ABCDEF")) {
            const QString text(QLatin1Char {letter});
            buttons.append({QStringLiteral("BHEX") + text, text, text});
        }
        buttons += {
            {QStringLiteral("BE"), QStringLiteral("e"), QStringLiteral("e")},
            {QStringLiteral("BPI"), QStringLiteral("Pi"), QStringLiteral("Pi")},
            {QStringLiteral("BPUISS"), QStringLiteral("^"), QStringLiteral(" ^ ")},
            {QStringLiteral("BUNSUR"), QStringLiteral("1/x"), QStringLiteral("1 /")},
            {QStringLiteral("BRAC"), QStringLiteral("Rac"), QStringLiteral("Rac ")},
            {QStringLiteral("BCARRE"), QStringLiteral("x2"), QStringLiteral(" ^ 2")},
            {QStringLiteral("BLN"), QStringLiteral("Ln"), QStringLiteral("Ln ")},
            {QStringLiteral("BLOG"), QStringLiteral("Log"), QStringLiteral("Log ")},
            {QStringLiteral("BEXP"), QStringLiteral("Exp"), QStringLiteral("e ^ ")},
            {QStringLiteral("BEXP10"), QStringLiteral("10^"), QStringLiteral("10 ^ ")},
            {QStringLiteral("BSIN"), QStringLiteral("Sin"), QStringLiteral("Sin ")},
            {QStringLiteral("BCOS"), QStringLiteral("Cos"), QStringLiteral("Cos ")},
            {QStringLiteral("BTAN"), QStringLiteral("Tan"), QStringLiteral("Tan ")},
            {QStringLiteral("BCOTAN"), QStringLiteral("Cotan"), QStringLiteral("Cotan ")},
            {QStringLiteral("BSTO"), QStringLiteral("Sto"), QStringLiteral("Sto ")},
            {QStringLiteral("BRCL"), QStringLiteral("Rcl"), QStringLiteral("Rcl ")},
            {QStringLiteral("BLAST"), QStringLiteral("Last"), QStringLiteral("Last")},
            {QStringLiteral("BENTER"), QStringLiteral("Enter"), QStringLiteral("Enter ")},
            {QStringLiteral("BPRINT"), QStringLiteral("Print"), QStringLiteral("Print ")},
            {QStringLiteral("BPRINTLN"), QStringLiteral("Println"), QStringLiteral("Println ")},
        };
        return buttons;
    }();
    return table;
}

const CalculetteButton* findCalculetteButton(const QList<CalculetteButton>& table, const QString& name)
{
    for (const CalculetteButton& button : table) {
        if (button.identifier.compare(name, Qt::CaseInsensitive) == 0)
            return &button;
    }
    return nullptr;
}

QGridLayout* buildCalculetteKeypad(QWidget* parent, const QList<CalculetteButton>& table)
{
    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    for (const CalculetteButton& record : table) {
        auto* button = new QPushButton(record.label, parent);
        button->setObjectName(record.identifier);
        StdActionDispatcher::setAction(button, QStringLiteral("ENTER_BUTTON:"));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setMinimumSize(56, 26);
        const Place place = keypadPlaces().value(record.identifier);
        grid->addWidget(button, place.row, place.column, 1, place.span);
    }
    return grid;
}
