#pragma once
// The one road by which every window prints: the print information comes from the application
// parameters, a print view of the window's print class lays out its pages, the print panel runs
// (with the program's options panel when asked), and the options chosen go back to the
// parameters, saved, whether or not anything was printed. The window's orientation travels with
// the print information both ways.
class PrintOperation;
class PrintView;
class QMetaObject;
class StdWindowController;
struct PrintInfo;

class StdWindowPrinter {
public:
    explicit StdWindowPrinter(StdWindowController& controller);

    // Prints the window with a view of the class (a PrintView whose invokable constructor takes
    // the controller). A class that makes no print view stops the print silently.
    void STD_IMPRIMER_NEW(const QMetaObject* printClass, bool accessories);
    // Gives the print information the window's orientation and the margins and print options of
    // the application parameters.
    void changePrintInfoIfNecessary(PrintInfo& info) const;
    // Takes the orientation back and saves the options and margins of the operation, printed or
    // not, into the application parameters.
    void printOperationDidRun(PrintOperation& operation, bool success);

private:
    PrintView* newPrintView(const QMetaObject* printClass);

    StdWindowController& m_controller;
};
