#include "calculator/CalculatorEngine.h"

#include "calculator/CalculatorParser.h"
#include "calculator/calcnumbers.h"
#include "foundation/localized.h"

#include <cmath>

namespace {

constexpr double kE = 2.718281828459045;
constexpr double kPi = 3.141592653589793;
constexpr double kLn10 = 2.302585092994046;

// Powers go through the logarithm whatever the operands: a negative base gives NaN, 0 ^ 0 too.
double power(double base, double exponent)
{
    return std::exp(std::log(base) * exponent);
}

} // namespace

CalculatorEngine::CalculatorEngine(ICalculetteConsole& console)
    : m_console(console)
{
}

bool CalculatorEngine::runLine(const QString& text, qint64 start, double* value, ERRORrec& err)
{
    CalculatorParser parser(text, m_calculette.base);
    CALCULrec calcul;
    qint64 pos = start;
    double result = 0;
    const bool ok = parser.readCalcul(pos, calcul, err) && interpreteCalcul(calcul, result, err);
    if (ok)
        m_calculette.lastResult = result;
    if (value)
        *value = result;
    disposeCalcul(calcul);
    return ok;
}

bool CalculatorEngine::interpreteCalcul(const CALCULrec& calcul, double& value, ERRORrec& err)
{
    if (calcul.kind == CalculKind::Expression)
        return interpreteSomme(calcul.somme, value, err);
    return interpreteMeta(calcul, value, err);
}

bool CalculatorEngine::interpreteSomme(const CalcSomme& somme, double& value, ERRORrec& err)
{
    value = 0;
    bool first = true;
    for (const CalcSommeItem& item : somme.items) {
        double v = 0;
        if (!interpreteProduit(item.somme_item_produit, v, err))
            return false;
        // A sum that begins with an operator goes on from the last result.
        const double left = first && item.somme_item_fonction != 0 ? m_calculette.lastResult : value;
        if (first && item.somme_item_fonction == 0)
            value = v;
        else if (item.somme_item_fonction == '-')
            value = left - v;
        else
            value = left + v;
        first = false;
    }
    return true;
}

bool CalculatorEngine::interpreteProduit(const CalcProduit& produit, double& value, ERRORrec& err)
{
    value = 0;
    bool first = true;
    for (const CalcProduitItem& item : produit) {
        double v = 0;
        if (!interpreteExpr(item.produit_item_expr, v, err))
            return false;
        const double left = first ? m_calculette.lastResult : value;
        switch (item.produit_item_fonction) {
        case '*':
            value = left * v;
            break;
        case '/':
            value = left / v;
            break;
        case '^':
            value = power(left, v);
            break;
        default:
            value = v;
            break;
        }
        first = false;
    }
    return true;
}

bool CalculatorEngine::interpreteExpr(const CalcExpr& expr, double& value, ERRORrec& err)
{
    if (m_stop) {
        err.set(CalcErr::Break);
        return false;
    }
    bool ok = false;
    switch (expr.expr_kind) {
    case CalcExprKind::Somme:
        ok = expr.expr_somme && interpreteSomme(*expr.expr_somme, value, err);
        break;
    case CalcExprKind::Nombre:
        ok = interpreteNombre(expr.expr_nombre, value, err);
        break;
    case CalcExprKind::Fonction: {
        double argument = 0;
        ok = expr.expr_expr && interpreteExpr(*expr.expr_expr, argument, err)
            && applyFonction(expr, argument, value, err);
        break;
    }
    case CalcExprKind::Texte:
        // A quoted text stands for the last result, sign or no sign.
        value = m_calculette.lastResult;
        return true;
    }
    if (!ok) {
        err.set(CalcErr::BadExpr);
        return false;
    }
    if (expr.expr_negative)
        value = -value;
    return true;
}

bool CalculatorEngine::interpreteNombre(const CalcNombre& nombre, double& value, ERRORrec& err)
{
    switch (nombre.nombre_constante) {
    case CalcConstante::E:
        value = kE;
        break;
    case CalcConstante::Pi:
        value = kPi;
        break;
    case CalcConstante::Last:
        value = m_calculette.lastResult;
        break;
    case CalcConstante::Enter: {
        QString answer;
        if (!m_console.askStringModal(nombre.nombre_texte, QStringLiteral("0"), &answer)) {
            err.set(CalcErr::Break);
            return false;
        }
        value = convertNumberText(answer.left(kCalcTextMax), m_calculette.base, 0);
        break;
    }
    case CalcConstante::None: {
        QString text = nombre.nombre_suite1.isEmpty() ? QStringLiteral("0") : nombre.nombre_suite1;
        if (!nombre.nombre_suite2.isEmpty())
            text += QLatin1Char('.') + nombre.nombre_suite2;
        value = convertNumberText(text, m_calculette.base, nombre.nombre_exposant);
        break;
    }
    }
    if (nombre.nombre_negative)
        value = -value;
    return true;
}

double CalculatorEngine::angleOf(double x) const
{
    if (m_calculette.angle == CalcAngle::Degre)
        return (x + x) * kPi / 360;
    return x;
}

bool CalculatorEngine::applyFonction(const CalcExpr& expr, const double& argument, double& value, ERRORrec& err)
{
    const bool quoted = expr.expr_expr && expr.expr_expr->expr_kind == CalcExprKind::Texte;
    switch (expr.expr_fonction) {
    case CalcFonction::Rcl: {
        int index = 0;
        if (!memoryIndexOf(argument, &index)) {
            err.set(CalcErr::StoOutOfRange, memoryNumberText(argument));
            return false;
        }
        value = m_calculette.memories[std::size_t(index)];
        return true;
    }
    case CalcFonction::Rac:
        value = std::exp(0.5 * std::log(argument));
        return true;
    case CalcFonction::Ln:
        value = std::log(argument);
        return true;
    case CalcFonction::Log:
        value = std::log(argument) / kLn10;
        return true;
    case CalcFonction::Sin:
        value = std::sin(angleOf(argument));
        return true;
    case CalcFonction::Cos:
        value = std::cos(angleOf(argument));
        return true;
    case CalcFonction::Tan:
        value = std::tan(angleOf(argument));
        return true;
    case CalcFonction::Cotan:
        value = 1 / std::tan(angleOf(argument));
        return true;
    case CalcFonction::Print:
        // Without a quoted text there is nothing of its own to show: the last result stands in.
        m_console.echoString(quoted ? expr.expr_expr->expr_texte : valueToString(m_calculette.lastResult));
        value = 0;
        return true;
    case CalcFonction::Println:
        m_console.echoString((quoted ? expr.expr_expr->expr_texte : QString()) + QLatin1Char('\n'));
        value = 0;
        return true;
    case CalcFonction::None:
        break;
    }
    err.set(CalcErr::BadFonction);
    return false;
}

bool CalculatorEngine::interpreteMeta(const CALCULrec& calcul, double& value, ERRORrec& err)
{
    CALCULETTErec& state = m_calculette;
    double argument = 0;
    switch (calcul.kind) {
    case CalculKind::Sto:
        if (!interpreteSomme(calcul.somme, argument, err) || !setCalculetteMemory(argument, state.lastResult, err))
            return false;
        break;
    case CalculKind::Precision:
        if (!interpreteSomme(calcul.somme, argument, err))
            return false;
        state.precision = saturatedPrecision(argument);
        break;
    case CalculKind::Degre:
        state.angle = CalcAngle::Degre;
        break;
    case CalculKind::Radian:
        state.angle = CalcAngle::Radian;
        break;
    case CalculKind::Decimal:
        state.base = CalcBase::Decimal;
        break;
    case CalculKind::Hexa:
        state.base = CalcBase::Hexa;
        break;
    case CalculKind::Binaire:
        state.base = CalcBase::Binaire;
        break;
    case CalculKind::Standard:
        state.display = CalcDisplay::Standard;
        break;
    case CalculKind::Scientifique:
        state.display = CalcDisplay::Scientifique;
        break;
    case CalculKind::Clear:
        break;
    case CalculKind::Expression:
        err.set(CalcErr::BadCommand);
        return false;
    }
    value = state.lastResult;
    return true;
}

QString CalculatorEngine::valueToString(double value) const
{
    return formatCalculValue(value, m_calculette.base, m_calculette.precision);
}

bool CalculatorEngine::setCalculetteMemory(double n, double value, ERRORrec& err)
{
    int index = 0;
    if (!memoryIndexOf(n, &index)) {
        err.set(CalcErr::StoOutOfRange, memoryNumberText(n));
        return false;
    }
    m_calculette.memories[std::size_t(index)] = value;
    return true;
}

void CalculatorEngine::resetCalculette()
{
    CALCULETTErec& state = m_calculette;
    state.promptPosition = 0;
    state.precision = 2;
    state.base = CalcBase::Decimal;
    state.display = CalcDisplay::Standard;
    state.angle = CalcAngle::Radian;
    state.lastResult = 0;
    state.recordingBuffer.clear();
    state.recording = false;
}

QString CalculatorEngine::resultText(double value, const ERRORrec& err) const
{
    if (err.ok())
        return valueToString(value);
    QString line = QStringLiteral("*** ") + errorMessage(err.code);
    if (!err.detail.isEmpty())
        line += QStringLiteral(" : ") + err.detail;
    return line;
}

QString CalculatorEngine::errorMessage(qint16 code)
{
    switch (code) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 8:
        return localizedMisc(QStringLiteral("kMisc_Calculette_err_BadExpr"));
    case 5:
        return localizedMisc(QStringLiteral("kMisc_Calculette_err_BadNumber"));
    case 6:
        return localizedMisc(QStringLiteral("kMisc_Calculette_err_Break"));
    case 9:
        return localizedMisc(QStringLiteral("kMisc_Calculette_err_StoOutOfRange"));
    case 10:
        return localizedMisc(QStringLiteral("kMisc_Calculette_err_EndOfExpr"));
    case 11:
        return localizedMisc(QStringLiteral("kMisc_Calculette_err_BadChar"));
    case 12:
        return localizedMisc(QStringLiteral("kMisc_Calculette_err_ProgrammeIllisible"));
    case 13:
        return localizedMisc(QStringLiteral("kMisc_Calculette_err_ProgrammeTropLong"));
    default:
        return localizedMisc(QStringLiteral("kMisc_Calculette_err_Generic"));
    }
}
