// A report-style list view: a header of columns, rows of cell texts, one small image per
// row. Reading a cell or row that does not exist yields an empty text or image 0.
// onItemChanged names every row whose selection state changed, by the user or by
// SelectRow: the row that lost the selection first, then the row that gained it. Adding,
// deleting and filling rows reports nothing.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/Layout.h"

#include <functional>
#include <string>
#include <vector>

namespace kestrune::toolkit {

class ImageList;

struct ListColumn {
    std::string caption;
    int width = 0;
    Alignment alignment = Alignment::Left;
    friend bool operator==(const ListColumn&, const ListColumn&) = default;
};

// Look and behaviour switches; each back end applies what its platform has of each.
struct ListViewStyle {
    bool header = true;
    bool gridLines = false;
    bool fullRowSelect = false;
    bool singleSelection = false;
    bool showSelectionAlways = false;
    bool hotTracking = false;
    bool oneClickActivate = false;
    bool flatScrollBars = false;
    bool infoTips = false;
    friend bool operator==(const ListViewStyle&, const ListViewStyle&) = default;
};

class ListView : public Control {
public:
    virtual ListViewStyle Style() const = 0;
    virtual void SetStyle(const ListViewStyle& style) = 0;

    virtual void AddColumn(const ListColumn& column) = 0;
    virtual std::vector<ListColumn> Columns() const = 0;

    // The image list must outlive the list view.
    virtual void SetSmallImages(const ImageList& images) = 0;

    // Appends a row with the first cell's text and image 0; answers its index.
    virtual int AddRow(const std::string& firstCell) = 0;
    virtual int RowCount() const = 0;
    virtual std::string CellText(int row, int column) const = 0;
    virtual void SetCellText(int row, int column, const std::string& text) = 0;
    virtual int RowImage(int row) const = 0;
    virtual void SetRowImage(int row, int imageIndex) = 0;
    virtual void DeleteRow(int row) = 0;
    virtual void DeleteAllRows() = 0;

    // The first selected row; -1 when none is selected.
    virtual int SelectedRow() const = 0;
    // Selects one row alone; -1 clears the selection.
    virtual void SelectRow(int row) = 0;

    // The background behind the item texts; the item text colour is the font's colour.
    virtual Colour TextBackgroundColour() const = 0;
    virtual void SetTextBackgroundColour(const Colour& colour) = 0;

    // Whether files dragged from the platform's file manager can be dropped on the list.
    virtual bool AcceptsFiles() const = 0;
    virtual void SetAcceptsFiles(bool accepts) = 0;

    std::function<void(int row)> onItemChanged;
    // The mouse pointer entered the list.
    std::function<void()> onMouseEnter;
    // Files were dropped on the list (only while it accepts files); full UTF-8 paths.
    std::function<void(const std::vector<std::string>& paths)> onDropFiles;

protected:
    // Reports a move of the selection: first the row that lost it, then the row that
    // gained it (-1 for none); nothing when it stayed.
    void ReportSelectionChange(int oldRow, int newRow);
};

}  // namespace kestrune::toolkit
