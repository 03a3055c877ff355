// Cells of columns that do not exist are not stored (column 0 always exists); reading
// anything that does not exist yields an empty text or image 0. Adding, deleting and
// filling rows reports nothing; a deleted selected row leaves no row selected.
#include "toolkit/base/ListViewBase.h"

#include "toolkit/base/DefaultSizes.h"

#include <algorithm>
#include <utility>

namespace kestrune::toolkit::base {

ListViewBase::ListViewBase(Node& parent) : ControlBase(&parent, kListViewSize) {}

void ListViewBase::SetStyle(const ListViewStyle& style) {
    style_ = style;
    ShowStyle();
}

void ListViewBase::AddColumn(const ListColumn& column) {
    columns_.push_back(column);
    ShowColumnAdded();
}

void ListViewBase::SetSmallImages(const ImageList& images) {
    images_ = &images;
    ShowImages();
}

int ListViewBase::AddRow(const std::string& firstCell) {
    rows_.push_back({{firstCell}, 0});
    const int row = RowCount() - 1;
    ShowRowAdded(row);
    return row;
}

std::string ListViewBase::CellText(int row, int column) const {
    if (!IsRow(row) || column < 0 || column >= static_cast<int>(rows_[row].cells.size())) {
        return {};
    }
    return rows_[row].cells[column];
}

void ListViewBase::SetCellText(int row, int column, const std::string& text) {
    const int columnCount = std::max(1, static_cast<int>(columns_.size()));
    if (!IsRow(row) || column < 0 || column >= columnCount) {
        return;
    }
    std::vector<std::string>& cells = rows_[row].cells;
    if (column >= static_cast<int>(cells.size())) {
        cells.resize(column + 1);
    }
    cells[column] = text;
    ShowCell(row, column);
}

int ListViewBase::RowImage(int row) const {
    return IsRow(row) ? rows_[row].image : 0;
}

void ListViewBase::SetRowImage(int row, int imageIndex) {
    if (IsRow(row)) {
        rows_[row].image = imageIndex;
        ShowRowImage(row);
    }
}

void ListViewBase::DeleteRow(int row) {
    if (!IsRow(row)) {
        return;
    }
    rows_.erase(rows_.begin() + row);
    if (selected_ == row) {
        selected_ = -1;
    } else if (selected_ > row) {
        --selected_;
    }
    ShowRowDeleted(row);
    ShowSelection();
}

void ListViewBase::DeleteAllRows() {
    rows_.clear();
    selected_ = -1;
    ShowAllRowsDeleted();
}

void ListViewBase::SelectRow(int row) {
    const int newRow = IsRow(row) ? row : -1;
    const int oldRow = std::exchange(selected_, newRow);
    ShowSelection();
    ReportSelectionChange(oldRow, newRow);
}

void ListViewBase::SetTextBackgroundColour(const Colour& colour) {
    textBackground_ = colour;
    ShowTextBackground();
}

void ListViewBase::SetAcceptsFiles(bool accepts) {
    acceptsFiles_ = accepts;
    ShowAcceptsFiles();
}

void ListViewBase::SelectedByUser(int row) {
    SelectRow(row);
}

bool ListViewBase::DroppedByUser(const std::vector<std::string>& paths) {
    if (!acceptsFiles_ || !IsEffectivelyEnabled()) {
        return false;
    }
    if (onDropFiles) {
        onDropFiles(paths);
    }
    return true;
}

void ListViewBase::EnteredByUser() {
    if (onMouseEnter) {
        onMouseEnter();
    }
}

}  // namespace kestrune::toolkit::base
