#pragma once
// Builds the panel of a help button: the title in bold over the help text. The panel is 450
// points wide and 90 points plus one point for every three characters of text high, so a longer
// text gets a taller panel; a help button with a size of its own gives the size instead. The
// controller only builds and fills the panel: the panel lives on without it, in the menu item
// that shows it.
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QWidget>

class PopHelp;
class QLabel;
class QTextEdit;

class ViewHelpController {
public:
    // Stores the three values, builds the panel and fills it.
    ViewHelpController(const QString& title, const QString& content, PopHelp* popHelp);
    // Deletes the panel unless it was taken.
    ~ViewHelpController();
    ViewHelpController(const ViewHelpController&) = delete;
    ViewHelpController& operator=(const ViewHelpController&) = delete;

    // A new filled panel for the title and the content, owned by the caller.
    static QWidget* viewForTitle(const QString& title, const QString& content, PopHelp* popHelp);

    // The panel's size for a help button's own size and its text. A width of 0 means no size of
    // its own; a size of its own with a height of 0 takes the height from the text, so that the
    // help never shows as an empty strip.
    static QSizeF viewSize(const QSizeF& useSize, const QString& content);

    static QString nibName() { return QStringLiteral("ViewHelp"); }

    // Shows the title and the text and sizes the panel, keeping its origin.
    void fill();

    QWidget* view() const { return m_view; }
    // The panel, which the caller owns from now on.
    QWidget* takeView();

    QString getTitre() const { return m_titre; }
    void setTitre(const QString& title) { m_titre = title; }
    QString getTexte() const { return m_texte; }
    void setTexte(const QString& text) { m_texte = text; }
    PopHelp* getPopHelp() const;
    void setPopHelp(PopHelp* popHelp);
    QLabel* field_titre() const { return m_fieldTitre; }
    QTextEdit* field_texte() const { return m_fieldTexte; }

    static constexpr double kWidth = 450;
    static constexpr double kBaseHeight = 90;
    static constexpr int kCharactersPerPoint = 3;

private:
    void loadView();

    QString m_titre;
    QString m_texte;
    QPointer<PopHelp> m_popHelp;
    QPointer<QWidget> m_view;
    QLabel* m_fieldTitre = nullptr;
    QTextEdit* m_fieldTexte = nullptr;
    bool m_viewTaken = false;
};
