#pragma once
// The titles of the program's small enumerations (sort orders, time units, search comparisons,
// graph types...), so that every pop-up menu, list column and printout names them alike; the
// icon numbers of the payment-means families; and the fonts of views that draw their own text.
#include <QFont>
#include <QString>

enum class ListingSort : int;
enum class CritereCompare : long;
enum class CriterePointe : long;
enum class CritereBool : long;
enum class CritereText : long;

class Constants {
public:
    // Builds the icon table of the payment-means families (once, at start).
    static void initConstants();

    // The default sort's title names the application's default sort in parentheses; "?" for a
    // value that is no kind.
    static QString sortToString(ListingSort sort);
    static QString categorieToString(long categorie);
    static QString saisieRubriqueToString(long rubrique);
    static QString saisieDateToString(long option);
    static QString timeUnitToString(long unit);
    static QString reconductionTypeToString(long type);
    static QString ecritureTypeToString(long type);
    static QString impactTypeToString(long type);
    // "+0 mois", "+3 mois", "-2 mois".
    static QString impactShiftToString(long shift);
    static QString dureeTypeToString(long type);
    static QString modeDateToString(long mode);
    static QString fiscaliteToString(long fiscalite);
    static QString modePosteToString(long mode);
    static QString optionMontantToString(long option);
    static QString modeGroupageToString(long mode);
    static QString typeTotauxToString(long type);
    static QString typeGraphiqueToString(long type);
    static QString critereComparaisonToString(CritereCompare comparaison);
    static QString criterePointageToString(CriterePointe pointage);
    static QString critereBoolToString(CritereBool operation);
    static QString critereStringToString(CritereText comparaison);
};

// The image name of a payment-means family 0..12: its icon number in decimal ("2032" for 3).
// Empty for a family outside 0..12.
QString familyIconName(int family);

// Helvetica (or the sans-serif face the system puts in its place) at that size, bold and italic
// as asked. Sizes are in pixels, the unit the toolkit draws in, so text keeps its size against
// the rectangles it is drawn in on any device.
QFont makeListFont(bool bold, bool italic, double size);
QFont makeListFont(const QString& family, bool bold, bool italic, double size);

// The twelve shared list fonts: Helvetica 12 plain, bold, italic and bold-italic in each of three
// groups. Built once at start by initListFonts; listFont builds them when asked first.
constexpr int kListFontGroups = 3;
void initListFonts();
const QFont& listFont(int group, bool bold, bool italic);
