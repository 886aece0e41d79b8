#pragma once
// A bank or an account.
#include <QList>
#include <QString>

class TOOL {
public:
    long ident = -1;
};
using ToolList = QList<TOOL>;
