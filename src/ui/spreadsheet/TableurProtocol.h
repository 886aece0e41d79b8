#pragma once
// What the spreadsheet grid asks of the table it shows. The table has data rows and data
// columns; the grid may show it transposed (rotated), so positions are display positions except
// in valueAtRowInDataSource, which takes a data row and a data column. The header, alignment,
// font, size and colour operations are asked with display indices.
//
// Every operation answers a default: a grid window (FenTableurController and its subclasses)
// overrides what its table needs. Colours are RGB with alpha; an invalid QColor means none: no
// text, no fill or no grid lines.
#include <QColor>
#include <QFont>
#include <QString>

class TableurProtocol {
public:
    // Text alignments: 0 left, 1 right, 2 centred.
    static constexpr unsigned long kAlignLeft = 0;
    static constexpr unsigned long kAlignRight = 1;
    static constexpr unsigned long kAlignCenter = 2;

    virtual ~TableurProtocol() = default;

    virtual long numberOfRowsInDataSource() const { return 0; }
    virtual long numberOfColumnsInDataSource() const { return 0; }
    virtual QString valueAtRowInDataSource(long row, long column) const;
    // The decimal text of index + 1.
    virtual QString valueAtRowHeaderInDataSource(long index) const;
    virtual QString valueAtColumnHeaderInDataSource(long index) const;

    virtual unsigned long defaultAlignment() const { return kAlignLeft; }
    virtual unsigned long alignmentOfRowHeaderInDataSource(long index) const;
    virtual unsigned long alignmentOfColumnHeaderInDataSource(long index) const;
    virtual unsigned long alignmentForCellAtRowIndex(long row, long column) const;

    virtual QFont fontForRowHeaderInDataSource(long index, double size) const;
    virtual QFont fontForColumnHeaderInDataSource(long index, double size) const;
    virtual QFont fontForCellAtRowIndex(long row, long column, double size) const;

    virtual float defaultWidthOfRowHeader() const { return 40; }
    virtual float minWidthOfRowHeader() const { return 20; }
    virtual float maxWidthOfRowHeader() const { return 100; }
    virtual float defaultHeightOfColumnHeader() const { return 20; }
    virtual float defaultHeightOfRow(long index) const;
    virtual float defaultWidthOfColumn(long index) const;
    // The widest text the cell's figure may show (an amount at its largest), when the cell shows
    // a figure: the grid makes its column wide enough for it and draws the figure whole on one
    // line. Empty for a cell of text, which wraps within its column.
    virtual QString largestFigureAtRow(long /*row*/, long /*column*/) const { return QString(); }

    virtual QColor defaultBackgroundColorForRowHeader() const;
    virtual QColor defaultBackgroundColorForColumnHeader() const;
    // The plain colours; the grid window shows the selection over them.
    virtual QColor backgroundColorAtRow(long row, long column) const;
    virtual QColor foregroundColorAtRow(long row, long column) const;
    virtual QColor backgroundColorForHeaderAtRow(long row) const;
    virtual QColor backgroundColorForHeaderAtColumn(long column) const;
    virtual QColor foregroundColorForHeaderAtRow(long row) const;
    virtual QColor foregroundColorForHeaderAtColumn(long column) const;
    virtual QColor backgroundColorForSelectedCellAtRow(long row, long column) const;
    virtual QColor backgroundColorForSelectedHeaderAtRow(long row) const;
    virtual QColor backgroundColorForSelectedHeaderAtColumn(long column) const;
    virtual QColor backgroundColorForHilitedCellAtRow(long row, long column) const;
    virtual QColor backgroundColorForHilitedHeaderAtRow(long row) const;
    virtual QColor backgroundColorForHilitedHeaderAtColumn(long column) const;
    virtual QColor gridColor() const;

    // The grid's fonts, sized in pixels as the toolkit draws (a pixel is a point on paper): the
    // application's font, its bold, and the fixed-pitch font and its bold.
    static QFont defaultFont(double size);
    static QFont defaultBoldFont(double size);
    static QFont defaultFixedFont(double size);
    static QFont defaultBoldFixedFont(double size);
};
