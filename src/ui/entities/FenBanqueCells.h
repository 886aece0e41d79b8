#pragma once
// The rows of the banks-and-accounts window: a bank or an account with its picture, name,
// information and balance; an account row adds a lock on the accounts that can't be deleted.
#include "toolkit/tables/StdCell.h"

#include <QLabel>

class DOCUMENT;
class TOOL;

class CellTool : public StdCell {
    Q_OBJECT
public:
    static constexpr int kHeight = 40;
    static constexpr int kLeastNameWidth = 40;

    explicit CellTool(QWidget* parent = nullptr);

    QLabel* getNom() const { return nom; }
    QLabel* getSolde() const { return solde; }
    QLabel* getInfos() const { return infos; }
    QLabel* getImage() const { return image; }

    // Shows the tool with its balance in that currency slot.
    void fill(const TOOL& tool, long devise, const DOCUMENT& doc);

protected:
    QLabel* image;
    QLabel* nom;
    QLabel* infos;
    QLabel* solde;
};

class CellBanque : public CellTool {
    Q_OBJECT
public:
    using CellTool::CellTool;
};

class CellCompte : public CellTool {
    Q_OBJECT
public:
    explicit CellCompte(QWidget* parent = nullptr);
    QLabel* getImageLock() const { return image_lock; }
    void setLocked(bool locked);

private:
    QLabel* image_lock;
};
