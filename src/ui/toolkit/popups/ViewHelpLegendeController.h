#pragma once
// Builds the legend panel of the analysis and budget windows: the colour ramps that paint their
// header, expense, income and balance columns, each named, so a reader can tell the columns apart
// at a glance. The ramps are the user's own (they can be changed from those windows), read at
// each opening. Like the help panel, the legend lives on in the menu item that shows it.
#include <QPointer>
#include <QString>
#include <QWidget>

class Colorizator;

class ViewHelpLegendeController {
public:
    ViewHelpLegendeController();
    // Deletes the panel unless it was taken.
    ~ViewHelpLegendeController();
    ViewHelpLegendeController(const ViewHelpLegendeController&) = delete;
    ViewHelpLegendeController& operator=(const ViewHelpLegendeController&) = delete;

    // A new legend panel, owned by the caller.
    static QWidget* createView();
    static QString nibName() { return QStringLiteral("ViewHelpLegende"); }

    QWidget* view() const { return m_view; }
    QWidget* takeView();

private:
    void loadView();
    static QWidget* rampView(const Colorizator& ramp, QWidget* parent);

    QPointer<QWidget> m_view;
    bool m_viewTaken = false;
};
