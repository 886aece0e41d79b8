#include "calculator/CalculatorParser.h"

#include "calculator/calcnumbers.h"
#include "foundation/localized.h"

#include <algorithm>
#include <iterator>

namespace {

struct Command {
    const char* word;
    CalculKind kind;
    bool takesSum;
};

constexpr Command kCommands[] = {
    {"sto", CalculKind::Sto, true},
    {"precision", CalculKind::Precision, true},
    {"decimal", CalculKind::Decimal, false},
    {"hexa", CalculKind::Hexa, false},
    {"binaire", CalculKind::Binaire, false},
    {"degre", CalculKind::Degre, false},
    {"radian", CalculKind::Radian, false},
    {"standard", CalculKind::Standard, false},
    {"scientifique", CalculKind::Scientifique, false},
    {"clear", CalculKind::Clear, false},
};

struct Fonction {
    const char* word;
    CalcFonction code;
};

constexpr Fonction kFonctions[] = {
    {"rcl", CalcFonction::Rcl},         {"rac", CalcFonction::Rac},     {"ln", CalcFonction::Ln},
    {"log", CalcFonction::Log},         {"sin", CalcFonction::Sin},     {"cos", CalcFonction::Cos},
    {"tan", CalcFonction::Tan},         {"cotan", CalcFonction::Cotan}, {"print", CalcFonction::Print},
    {"println", CalcFonction::Println},
};

struct Constante {
    const char* word;
    CalcConstante code;
};

constexpr Constante kConstantes[] = {
    {"e", CalcConstante::E},
    {"pi", CalcConstante::Pi},
    {"last", CalcConstante::Last},
};

bool isWord(const QString& word, const char* keyword)
{
    return word.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// Counts the nesting of expressions for the length of one read.
class DepthScope {
public:
    explicit DepthScope(int& depth)
        : m_depth(depth)
    {
        ++m_depth;
    }
    ~DepthScope() { --m_depth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;

private:
    int& m_depth;
};

} // namespace

CalculatorParser::CalculatorParser(const QString& text, CalcBase base)
    : m_text(text)
    , m_base(base)
{
}

char32_t CalculatorParser::mapChar(char32_t c)
{
    switch (c) {
    case U',':
        return U'.';
    case 13:
    case 10:
    case kEndMark:
        return kEndMark;
    case 27:
        return kInterruption;
    default:
        return c;
    }
}

QString CalculatorParser::quotedChar(char32_t c)
{
    return localizedMisc(QStringLiteral("kMisc_Calculette_quote1")) + QString::fromUcs4(&c, 1)
        + localizedMisc(QStringLiteral("kMisc_Calculette_quote2"));
}

char32_t CalculatorParser::codePointAt(qint64 pos, int* units) const
{
    const QChar high = m_text[pos];
    if (high.isHighSurrogate() && pos + 1 < m_text.size() && m_text[pos + 1].isLowSurrogate()) {
        *units = 2;
        return QChar::surrogateToUcs4(high, m_text[pos + 1]);
    }
    *units = 1;
    return high.unicode();
}

bool CalculatorParser::peek(qint64 pos, char32_t* c, ERRORrec& err) const
{
    if (pos < 0 || pos >= m_text.size()) {
        err.set(CalcErr::EndOfExpr);
        return false;
    }
    int units = 0;
    const char32_t raw = codePointAt(pos, &units);
    if (raw > 0x7F) {
        err.set(CalcErr::BadChar, quotedChar(raw));
        return false;
    }
    *c = mapChar(raw);
    return true;
}

void CalculatorParser::skipBlanks(qint64& pos) const
{
    while (pos >= 0 && pos < m_text.size() && (m_text[pos] == u' ' || m_text[pos] == u'\t'))
        ++pos;
}

bool CalculatorParser::peekAfterBlanks(qint64& pos, char32_t* c, ERRORrec& err) const
{
    skipBlanks(pos);
    return peek(pos, c, err);
}

bool CalculatorParser::readSign(qint64& pos, bool* negative, ERRORrec& err) const
{
    char32_t c = 0;
    if (!peekAfterBlanks(pos, &c, err))
        return false;
    if (c == U'+' || c == U'-')
        ++pos;
    if (c == U'-')
        *negative = true;
    return true;
}

QString CalculatorParser::readWord(qint64& pos) const
{
    skipBlanks(pos);
    qint64 end = pos;
    while (end >= 0 && end < m_text.size() && isAsciiLetter(m_text[end]))
        ++end;
    return m_text.mid(pos, end - pos);
}

bool CalculatorParser::expect(qint64& pos, char32_t expected, ERRORrec& err) const
{
    char32_t c = 0;
    if (!peekAfterBlanks(pos, &c, err))
        return false;
    if (c == expected) {
        ++pos;
        return true;
    }
    if (c == kInterruption || c == kEndMark)
        err.set(CalcErr::Break);
    else if (c == kClear)
        err.set(CalcErr::Clear);
    else
        err.set(CalcErr::BadChar, quotedChar(c));
    return false;
}

bool CalculatorParser::readTexte(qint64& pos, QString& texte, ERRORrec& err) const
{
    for (;;) {
        if (pos >= m_text.size()) {
            err.set(CalcErr::EndOfExpr);
            return false;
        }
        int units = 0;
        const char32_t raw = codePointAt(pos, &units);
        pos += units;
        const char32_t c = raw > 0x7F ? raw : mapChar(raw);
        if (c == U'"')
            return true;
        if (texte.size() + units <= kCalcTextMax)
            texte.append(QString::fromUcs4(&c, 1));
    }
}

bool CalculatorParser::isDigit(char32_t c) const
{
    switch (m_base) {
    case CalcBase::Decimal:
        return c >= U'0' && c <= U'9';
    case CalcBase::Hexa:
        return (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'f') || (c >= U'A' && c <= U'F');
    case CalcBase::Binaire:
        return c == U'0' || c == U'1';
    }
    return false;
}

bool CalculatorParser::readCalcul(qint64& pos, CALCULrec& calcul, ERRORrec& err)
{
    err.clear();
    defaultCalcul(calcul);
    m_depth = 0;
    const QString word = readWord(pos);
    const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                      [&word](const Command& c) { return isWord(word, c.word); });
    if (command != std::end(kCommands)) {
        calcul.kind = command->kind;
        pos += word.size();
        if (command->takesSum && !readSomme(pos, calcul.somme, err))
            return false;
    } else if (!readSomme(pos, calcul.somme, err)) {
        return false;
    }
    return expect(pos, kEndMark, err);
}

bool CalculatorParser::readSomme(qint64& pos, CalcSomme& somme, ERRORrec& err)
{
    char32_t c = 0;
    if (!peekAfterBlanks(pos, &c, err))
        return false;
    CalcSommeItem first = createDefaultSommeItem();
    if (c == U'+' || c == U'-') {
        first.somme_item_fonction = char(c);
        ++pos;
    }
    if (!readProduit(pos, first.somme_item_produit, err))
        return false;
    somme.items.push_back(std::move(first));
    for (;;) {
        if (!peekAfterBlanks(pos, &c, err))
            return false;
        if (c != U'+' && c != U'-')
            return true;
        ++pos;
        CalcSommeItem item = createDefaultSommeItem();
        item.somme_item_fonction = char(c);
        if (!readProduit(pos, item.somme_item_produit, err))
            return false;
        somme.items.push_back(std::move(item));
    }
}

bool CalculatorParser::readProduit(qint64& pos, CalcProduit& produit, ERRORrec& err)
{
    const auto isOperator = [](char32_t op) { return op == U'*' || op == U'/' || op == U'^'; };
    char32_t c = 0;
    if (!peekAfterBlanks(pos, &c, err))
        return false;
    CalcProduitItem first = createDefaultProduitItem();
    if (isOperator(c)) {
        first.produit_item_fonction = char(c);
        ++pos;
    }
    if (!readExpr(pos, first.produit_item_expr, err))
        return false;
    produit.push_back(std::move(first));
    for (;;) {
        if (!peekAfterBlanks(pos, &c, err))
            return false;
        if (!isOperator(c))
            return true;
        ++pos;
        CalcProduitItem item = createDefaultProduitItem();
        item.produit_item_fonction = char(c);
        if (!readExpr(pos, item.produit_item_expr, err))
            return false;
        produit.push_back(std::move(item));
    }
}

bool CalculatorParser::readExpr(qint64& pos, CalcExpr& expr, ERRORrec& err)
{
    const DepthScope scope(m_depth);
    if (m_depth > kMaxDepth) {
        err.set(CalcErr::BadExpr);
        return false;
    }
    return readSign(pos, &expr.expr_negative, err) && readExprBody(pos, expr, err);
}

// What follows the sign: a quoted text, a parenthesised sum, a function and its argument, or a
// number (none at all before the end mark, so that an empty line or one ending in an operator
// still reads).
bool CalculatorParser::readExprBody(qint64& pos, CalcExpr& expr, ERRORrec& err)
{
    char32_t c = 0;
    if (!peekAfterBlanks(pos, &c, err))
        return false;
    if (c == U'"') {
        ++pos;
        expr.expr_kind = CalcExprKind::Texte;
        return readTexte(pos, expr.expr_texte, err);
    }
    if (c == U'(') {
        ++pos;
        expr.expr_kind = CalcExprKind::Somme;
        expr.expr_somme = std::make_unique<CalcSomme>(createDefaultSomme());
        return readSomme(pos, *expr.expr_somme, err) && expect(pos, U')', err);
    }
    const QString word = readWord(pos);
    const auto fonction = std::find_if(std::begin(kFonctions), std::end(kFonctions),
                                       [&word](const Fonction& f) { return isWord(word, f.word); });
    if (fonction != std::end(kFonctions)) {
        pos += word.size();
        expr.expr_kind = CalcExprKind::Fonction;
        expr.expr_fonction = fonction->code;
        expr.expr_expr = std::make_unique<CalcExpr>(createDefaultExpr());
        return readExpr(pos, *expr.expr_expr, err);
    }
    expr.expr_kind = CalcExprKind::Nombre;
    if (!peek(pos, &c, err))
        return false;
    if (c == kEndMark) {
        expr.expr_nombre = createDefaultNombre();
        return true;
    }
    return readNombre(pos, expr.expr_nombre, err);
}

bool CalculatorParser::readNombre(qint64& pos, CalcNombre& nombre, ERRORrec& err)
{
    if (!readSign(pos, &nombre.nombre_negative, err))
        return false;
    char32_t c = 0;
    const QString word = readWord(pos);
    const auto constante = std::find_if(std::begin(kConstantes), std::end(kConstantes),
                                        [&word](const Constante& k) { return isWord(word, k.word); });
    if (constante != std::end(kConstantes)) {
        pos += word.size();
        nombre.nombre_constante = constante->code;
        return true;
    }
    if (isWord(word, "enter")) {
        pos += word.size();
        nombre.nombre_constante = CalcConstante::Enter;
        if (!peekAfterBlanks(pos, &c, err))
            return false;
        if (c != U'"')
            return true;
        ++pos;
        return readTexte(pos, nombre.nombre_texte, err);
    }
    if (!readSuite(pos, nombre.nombre_suite1, err))
        return false;
    if (m_base == CalcBase::Decimal) {
        if (!peek(pos, &c, err))
            return false;
        if (c == U'.') {
            ++pos;
            if (!readSuite(pos, nombre.nombre_suite2, err))
                return false;
        }
    }
    if (nombre.nombre_suite1.isEmpty() && nombre.nombre_suite2.isEmpty()) {
        err.set(CalcErr::BadChar);
        return false;
    }
    return readExposant(pos, nombre, err);
}

// An 'e' after the digits (blanks allowed before it) starts the exponent: a sign right after the
// letter, then blanks, then digits read as a decimal whole number (none: 0).
bool CalculatorParser::readExposant(qint64& pos, CalcNombre& nombre, ERRORrec& err)
{
    char32_t c = 0;
    if (!peekAfterBlanks(pos, &c, err))
        return false;
    if (c != U'e' && c != U'E')
        return true;
    ++pos;
    if (!peek(pos, &c, err))
        return false;
    bool negative = false;
    if (c == U'+' || c == U'-') {
        negative = c == U'-';
        ++pos;
    }
    skipBlanks(pos);
    QString digits;
    if (!readSuite(pos, digits, err))
        return false;
    const double exposant = convertNumberText(digits, CalcBase::Decimal, 0);
    nombre.nombre_exposant = negative ? -exposant : exposant;
    return true;
}

bool CalculatorParser::readSuite(qint64& pos, QString& suite, ERRORrec& err)
{
    for (;;) {
        char32_t c = 0;
        if (!peek(pos, &c, err))
            return false;
        if (!isDigit(c))
            return true;
        if (suite.size() < kCalcTextMax)
            suite.append(QChar(char16_t(c)));
        ++pos;
    }
}
