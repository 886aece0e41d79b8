#pragma once
// The views a list window takes its layout from, on screen and on paper: the title (with the
// title, date and page fields a print-out fills), the column head, the list (whose width is a
// row's) and the foot. Each kind of list has its own template, which builds the four views in
// loadView; the list window wakes it once, when it wakes itself.
#include <QPointer>
#include <QWidget>

class QLabel;

class StdTemplate : public QWidget {
    Q_OBJECT
public:
    explicit StdTemplate(QWidget* parent = nullptr);

    // Builds the four views, once.
    void didAwakeFromNib();
    bool isViewLoaded() const { return m_loaded; }

    // Null until the template is woken, or when the template has no such view. A view placed in
    // a window belongs to that window from then on.
    QWidget* template_view_titre() const { return m_titre; }
    QWidget* template_view_tete() const { return m_tete; }
    QWidget* template_view_liste() const { return m_liste; }
    QWidget* template_view_pied() const { return m_pied; }

    // The view that gives the row's width: the list view, whatever the row.
    virtual QWidget* viewListeAtRow(int row) const;

    // The fields of the title view, found by their names "field_titre", "field_date" and
    // "field_page"; null when the title view has none.
    QLabel* field_titre() const;
    QLabel* field_date() const;
    QLabel* field_page() const;

protected:
    // Builds the views and hands them over with setTemplateViews.
    virtual void loadView() = 0;
    void setTemplateViews(QWidget* titre, QWidget* tete, QWidget* liste, QWidget* pied);

private:
    QLabel* titleField(const char* name) const;

    bool m_loaded = false;
    QPointer<QWidget> m_titre;
    QPointer<QWidget> m_tete;
    QPointer<QWidget> m_liste;
    QPointer<QWidget> m_pied;
};
