#pragma once
// A text field whose long texts are cut when printed: 21 characters or more print as their first
// 20 followed by "...", so a narrow printed column never runs into the next.
#include <QLabel>

class StdTextFieldTruncate : public QLabel {
    Q_OBJECT
public:
    explicit StdTextFieldTruncate(QWidget* parent = nullptr)
        : QLabel(parent)
    {
    }
};
