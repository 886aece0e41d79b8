#pragma once
// A window to reopen: the class of its controller, what it shows and where it was. Documents and
// the application parameters keep lists of them in the same XML form (element "documentWindows").
#include <QList>
#include <QString>

#include <pugixml.hpp>

class PARAMFEN;
using ParamFenList = QList<PARAMFEN>;

// Only the first windows of a stored list are reopened; the others are dropped at the next write.
inline constexpr int kMaxRememberedWindows = 30;

class PARAMFEN {
public:
    QString fenclass; // class name of the window's controller, stored as "kind"
    // What the window shows (an account, a category, a configuration...) as its kind defines;
    // -1 = none.
    long ID1 = 0;
    long ID2 = 0;
    long ID3 = 0;
    long devise = 0; // currency slot of the window
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;

    // The first windows listed under parent's "documentWindows"; empty when there is none.
    static ParamFenList loadFenList(pugi::xml_node parent);
    // Appends "documentWindows" to parent with one "record" per window; false when an element
    // can't be made.
    static bool appendFenList(pugi::xml_node parent, const ParamFenList& fenList);
};
