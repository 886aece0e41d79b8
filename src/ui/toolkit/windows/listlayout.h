#pragma once
// The parts the list windows of a document's entities are built from: the list, the rows of
// command buttons under (or over) it, and the layout that holds them in the same margins.
#include <QList>

#include <initializer_list>

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;
class QWidget;
class StdTableView;
class StdWindow;
class StdWindowController;

// A command button: its title's key in table "Appl", its action, and its object name (none when
// null).
struct ListCommand {
    const char* title;
    const char* action;
    const char* name = nullptr;
};

// The list (named "table1" unless told): rows rowHeight high, at least width wide and rows rows
// high.
StdTableView* makeListTable(QWidget& parent, int rowHeight, int width, int rows, const char* name = "table1");
// Appends to the row one button per command, in order, sending its action to the controller;
// none of them is ever the default button. A button without a name of its own is named after its
// action when namedAfterActions is set. Returns the buttons in order.
QList<QPushButton*> addCommandButtons(StdWindowController& controller, QWidget& parent, QHBoxLayout& row,
                                      std::initializer_list<ListCommand> commands, bool namedAfterActions = false);
// The list between its heading and footer bands: the view "main_view" returned holds the
// placeholders "placeholder_tete" and "placeholder_pied", teteHeight and piedHeight high, that
// the template's views take the place of, around the frameless list "table1" with rows rowHeight
// high (also given at table when asked for).
QWidget* makeBandedList(QWidget& parent, int teteHeight, int rowHeight, int piedHeight, StdTableView** table = nullptr);
// Lays the window out: the list, taking the height the window gains, with the row of commands
// under it and, when given, another row over it.
QVBoxLayout* layOutList(StdWindow& window, StdTableView* table, QHBoxLayout* commands, QHBoxLayout* above = nullptr);
