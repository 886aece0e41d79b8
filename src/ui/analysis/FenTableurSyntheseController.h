#pragma once
// What the two synthesis grids of the analysis and budget windows share: a read-only grid of the
// figures of the moment they were opened, on their own copy of the analysis, with the
// configuration and the date above it and the help; the footer of a printed page names the
// configuration, the period and the date. A subclass answers in data orientation (its rows and
// columns as the data has them); this base turns the grid's display positions into data
// positions, so a rotated grid shows the same figures transposed.
#include "spreadsheet/FenTableurController.h"

#include "engines/AnalyseFile.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class PopHelp;
class QLabel;

class FenTableurSyntheseController : public FenTableurController {
    Q_OBJECT
public:
    // The copy of the analysis the grid shows; null without data.
    const AnalyseFile* anaFile() const { return m_anaFile.get(); }

    // ---- Data orientation.
    virtual QString rowTitle(long row) const = 0;
    virtual QString columnTitle(long column) const = 0;
    virtual unsigned long rowTitleAlignment(long row) const = 0;
    virtual QFont rowTitleFont(long row, double size) const = 0;
    virtual unsigned long cellAlignment(long row, long column) const = 0;
    virtual QFont cellFont(long row, long column, double size) const = 0;
    // The colour of a cell's text by its value.
    virtual QColor cellColour(long row, long column) const;
    // Invalid: the grid's own.
    virtual QColor rowTitleBackground(long row) const;
    virtual QColor rowTitleForeground(long row) const;
    virtual QColor cellBackground(long row, long column) const;
    // The help's title and content.
    virtual QString helpTitle() const = 0;
    virtual QString helpContent() const = 0;

    // ---- The grid's questions, in display positions.
    QString valueAtRowHeaderInDataSource(long index) const override;
    QString valueAtColumnHeaderInDataSource(long index) const override;
    unsigned long alignmentOfRowHeaderInDataSource(long index) const override;
    unsigned long alignmentOfColumnHeaderInDataSource(long index) const override;
    unsigned long alignmentForCellAtRowIndex(long row, long column) const override;
    QFont fontForRowHeaderInDataSource(long index, double size) const override;
    QFont fontForColumnHeaderInDataSource(long index, double size) const override;
    QFont fontForCellAtRowIndex(long row, long column, double size) const override;
    // A cell of a data column of amounts (one whose values amountText wrote): the largest amount
    // amountText writes, so that its column holds any amount whole.
    QString largestFigureAtRow(long row, long column) const override;
    QColor foregroundColorAtRow(long row, long column) const override;
    QColor backgroundColorAtRow(long row, long column) const override;
    QColor backgroundColorForHeaderAtRow(long row) const override;
    QColor foregroundColorForHeaderAtRow(long row) const override;
    QColor backgroundColorForHeaderAtColumn(long column) const override;
    QColor foregroundColorForHeaderAtColumn(long column) const override;
    float minWidthOfRowHeader() const override { return 20; }
    float maxWidthOfRowHeader() const override { return 400; }
    float defaultHeightOfColumnHeader() const override { return 25; }
    float defaultHeightOfRow(long /*index*/) const override { return 25; }
    long defaultNumberOfRowsPerPage() const override { return 50; }
    bool allowMultiColumnsSelection() const override { return true; }
    bool allowMultiRowsSelection() const override { return true; }
    bool allowMultiCellsSelection() const override { return true; }

    void fill() override;
    QString stringForFooterAtPage(long page, long numberOfPages) const override;
    void applyDevise(long devise) override;
    QString PDFCreator() const override { return QStringLiteral("Sorvanta Budget"); }

    PopHelp* popHelp() const { return m_popHelp; }
    QLabel* fieldConfiguration() const { return m_fieldConfiguration; }
    QLabel* fieldDate() const { return m_fieldDate; }

    void didAwakeFromNib() override;
    void windowWillClose() override;

protected:
    void buildInterface(StdWindow& window) override;
    // Takes what the window data holds, before the grid is built from it.
    virtual void takeData(const WindowData& data);
    // "<configuration> (<period>)"; empty without data.
    QString configurationTitle() const;
    // An amount of the grid: "-" for none, else two decimals and a comma in the window's currency.
    QString amountText(const std::optional<MONTANT>& montant) const;
    // Dark red below zero, dark green above, black for none or zero.
    static QColor amountColour(const std::optional<MONTANT>& montant);
    // The data position of a display position.
    long dataRow(long row, long column) const { return isRotated() ? column : row; }
    long dataColumn(long row, long column) const { return isRotated() ? row : column; }

private:
    // Whether each data column holds amounts; found at the first question, once the subclass
    // holds its data.
    const std::vector<bool>& amountColumns() const;

    std::shared_ptr<const AnalyseFile> m_anaFile;
    mutable std::optional<std::vector<bool>> m_amountColumns;
    mutable std::optional<std::pair<long, QString>> m_largestAmount; // the currency, its largest amount
    PopHelp* m_popHelp = nullptr;
    QLabel* m_fieldConfiguration = nullptr;
    QLabel* m_fieldDate = nullptr;
};
