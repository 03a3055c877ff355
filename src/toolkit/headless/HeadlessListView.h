// The headless list view: columns, rows of cells and images, one selected row.
#pragma once

#include "toolkit/ListView.h"
#include "toolkit/headless/HeadlessControl.h"

#include <string>
#include <vector>

namespace kestrune::toolkit::headless {

class HeadlessListView final : public HeadlessControl<ListView> {
public:
    explicit HeadlessListView(HeadlessNode& parent);

    ListViewStyle Style() const override { return style_; }
    void SetStyle(const ListViewStyle& style) override { style_ = style; }
    void AddColumn(const ListColumn& column) override { columns_.push_back(column); }
    std::vector<ListColumn> Columns() const override { return columns_; }
    // Nothing is drawn, so the images are not needed.
    void SetSmallImages(const ImageList&) override {}

    int AddRow(const std::string& firstCell) override;
    int RowCount() const override { return static_cast<int>(rows_.size()); }
    std::string CellText(int row, int column) const override;
    void SetCellText(int row, int column, const std::string& text) override;
    int RowImage(int row) const override;
    void SetRowImage(int row, int imageIndex) override;
    void DeleteRow(int row) override;
    void DeleteAllRows() override;
    int SelectedRow() const override { return selected_; }
    void SelectRow(int row) override;

    Colour TextBackgroundColour() const override { return textBackground_; }
    void SetTextBackgroundColour(const Colour& colour) override { textBackground_ = colour; }
    bool AcceptsFiles() const override { return acceptsFiles_; }
    void SetAcceptsFiles(bool accepts) override { acceptsFiles_ = accepts; }

private:
    struct Row {
        std::vector<std::string> cells;
        int image = 0;
    };

    bool IsRow(int row) const { return row >= 0 && row < RowCount(); }

    ListViewStyle style_;
    std::vector<ListColumn> columns_;
    std::vector<Row> rows_;
    int selected_ = -1;
    Colour textBackground_ = Colour::FromSystem(SystemColour::Window);
    bool acceptsFiles_ = false;
};

}  // namespace kestrune::toolkit::headless
