#pragma once
// A calculator line as the reader leaves it: its kind and, for an expression or a command with
// an argument, a sum. The tree belongs to the line being run and goes with it.
//
//   sum      = [+|-] product { (+|-) product }
//   product  = [*|/|^] expr { (*|/|^) expr }
//   expr     = [+|-] ( "quoted text" | '(' sum ')' | function expr | number )
//   number   = [+|-] ( e | pi | last | enter ["prompt key"] | digits [. digits] [e [+|-] digits] )
#include <QString>

#include <memory>
#include <vector>

// The kinds of line, the constants and the functions share one numbering.
enum class CalculKind : quint8 {
    Expression = 0,
    Clear = 2,
    Sto = 4,
    Degre = 17,
    Radian = 18,
    Decimal = 19,
    Hexa = 20,
    Binaire = 21,
    Standard = 22,
    Scientifique = 23,
    Precision = 24,
};

enum class CalcConstante : quint8 {
    None = 0,
    E = 5,
    Pi = 6,
    Last = 8,
    Enter = 9,
};

enum class CalcFonction : quint8 {
    None = 0,
    Rcl = 7,
    Rac = 10,
    Ln = 11,
    Log = 12,
    Sin = 13,
    Cos = 14,
    Tan = 15,
    Cotan = 16,
    Print = 25,
    Println = 26,
};

enum class CalcExprKind : quint8 {
    Somme = 0, // a parenthesised sum
    Fonction = 1,
    Nombre = 2,
    Texte = 3, // a quoted text
};

struct CalcSomme;

struct CalcNombre {
    bool nombre_negative = false;
    CalcConstante nombre_constante = CalcConstante::None;
    double nombre_exposant = 0; // a whole number; kept in a double so no digit run can overflow it
    QString nombre_suite1; // the digits before the point
    QString nombre_suite2; // the digits after it
    QString nombre_texte; // the prompt key of "enter"
};

struct CalcExpr {
    bool expr_negative = false;
    CalcExprKind expr_kind = CalcExprKind::Nombre;
    CalcNombre expr_nombre;
    std::unique_ptr<CalcSomme> expr_somme;
    CalcFonction expr_fonction = CalcFonction::None;
    std::unique_ptr<CalcExpr> expr_expr; // the function's argument
    QString expr_texte;
};

struct CalcProduitItem {
    char produit_item_fonction = 0; // '*', '/', '^' or 0
    CalcExpr produit_item_expr;
};
using CalcProduit = std::vector<CalcProduitItem>;

struct CalcSommeItem {
    char somme_item_fonction = 0; // '+', '-' or 0
    CalcProduit somme_item_produit;
};

struct CalcSomme {
    std::vector<CalcSommeItem> items;
};

struct CALCULrec {
    CalculKind kind = CalculKind::Expression;
    CalcSomme somme; // empty for the commands without an argument
};

inline CalcNombre createDefaultNombre()
{
    return {};
}
inline CalcExpr createDefaultExpr()
{
    return {};
}
inline CalcProduit createDefaultProduit()
{
    return {};
}
inline CalcProduitItem createDefaultProduitItem()
{
    return {};
}
inline CalcSomme createDefaultSomme()
{
    return {};
}
inline CalcSommeItem createDefaultSommeItem()
{
    return {};
}
// An empty line: an expression whose sum is empty.
inline void defaultCalcul(CALCULrec& calcul)
{
    calcul = CALCULrec {};
}
// Releases the whole tree, whether the line ran or failed.
inline void disposeCalcul(CALCULrec& calcul)
{
    calcul = CALCULrec {};
}
