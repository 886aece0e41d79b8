#pragma once
// A help button: opening it unfolds a panel with a title and a paragraph of help. The window sets
// the two texts after building it, as a rule from the keys HELP_TITLE_<subject> and
// HELP_CONTENT_<subject> of the "Help" table, and may give the panel a size of its own.
#include "toolkit/popups/PopWithOneView.h"

#include <QSizeF>

class PopHelp : public PopWithOneView {
    Q_OBJECT
public:
    explicit PopHelp(QWidget* parent = nullptr);

    QString getStringTitle() const { return m_stringTitle; }
    void setStringTitle(const QString& title) { m_stringTitle = title; }
    QString getStringContent() const { return m_stringContent; }
    void setStringContent(const QString& content) { m_stringContent = content; }
    // The panel's size; a width of 0 lets the size follow from the text.
    QSizeF getUseSize() const { return m_useSize; }
    void setUseSize(const QSizeF& size) { m_useSize = size; }

    // A new panel showing the title and the content.
    QWidget* getView() override;

private:
    QString m_stringTitle;
    QString m_stringContent;
    QSizeF m_useSize {0, 0};
};
