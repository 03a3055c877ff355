// Headless list view. Cells of columns that do not exist are not stored (column 0 always
// exists); reading anything that does not exist yields an empty text or image 0.
#include "toolkit/headless/HeadlessListView.h"

#include <algorithm>
#include <utility>

namespace kestrune::toolkit::headless {

HeadlessListView::HeadlessListView(HeadlessNode& parent) : HeadlessControl(&parent, {121, 97}) {}

int HeadlessListView::AddRow(const std::string& firstCell) {
    rows_.push_back({{firstCell}, 0});
    return RowCount() - 1;
}

std::string HeadlessListView::CellText(int row, int column) const {
    if (!IsRow(row) || column < 0 || column >= static_cast<int>(rows_[row].cells.size())) {
        return {};
    }
    return rows_[row].cells[column];
}

void HeadlessListView::SetCellText(int row, int column, const std::string& text) {
    const int columnCount = std::max(1, static_cast<int>(columns_.size()));
    if (!IsRow(row) || column < 0 || column >= columnCount) {
        return;
    }
    std::vector<std::string>& cells = rows_[row].cells;
    if (column >= static_cast<int>(cells.size())) {
        cells.resize(column + 1);
    }
    cells[column] = text;
}

int HeadlessListView::RowImage(int row) const {
    return IsRow(row) ? rows_[row].image : 0;
}

void HeadlessListView::SetRowImage(int row, int imageIndex) {
    if (IsRow(row)) {
        rows_[row].image = imageIndex;
    }
}

void HeadlessListView::DeleteRow(int row) {
    if (!IsRow(row)) {
        return;
    }
    rows_.erase(rows_.begin() + row);
    if (selected_ == row) {
        selected_ = -1;
    } else if (selected_ > row) {
        --selected_;
    }
}

void HeadlessListView::DeleteAllRows() {
    rows_.clear();
    selected_ = -1;
}

void HeadlessListView::SelectRow(int row) {
    const int newRow = IsRow(row) ? row : -1;
    const int oldRow = std::exchange(selected_, newRow);
    ReportSelectionChange(oldRow, newRow);
}

}  // namespace kestrune::toolkit::headless
