// The state and rules of a report-style list view on every back end: columns, rows of cells
// with one image each, and one selected row whose moves are reported. A back end mirrors
// the rows in its Show hooks and reports the user's clicks, drops and pointer.
#pragma once

#include "toolkit/ListView.h"
#include "toolkit/base/ControlBase.h"

#include <string>
#include <vector>

namespace kestrune::toolkit::base {

class ListViewBase : public ControlBase<ListView> {
public:
    explicit ListViewBase(Node& parent);

    ListViewStyle Style() const override { return style_; }
    void SetStyle(const ListViewStyle& style) override;
    void AddColumn(const ListColumn& column) override;
    std::vector<ListColumn> Columns() const override { return columns_; }
    void SetSmallImages(const ImageList& images) override;

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
    void SetTextBackgroundColour(const Colour& colour) override;
    bool AcceptsFiles() const override { return acceptsFiles_; }
    void SetAcceptsFiles(bool accepts) override;

    // The user clicked a row (-1: the empty area below the rows).
    void SelectedByUser(int row);
    // Files dropped on the list; false (and nothing reported) while it takes no drops.
    bool DroppedByUser(const std::vector<std::string>& paths);
    void EnteredByUser();

protected:
    const ImageList* SmallImages() const { return images_; }
    bool IsRow(int row) const { return row >= 0 && row < RowCount(); }

    virtual void ShowStyle() {}
    virtual void ShowColumnAdded() {}
    virtual void ShowImages() {}
    virtual void ShowRowAdded(int /*row*/) {}
    virtual void ShowCell(int /*row*/, int /*column*/) {}
    virtual void ShowRowImage(int /*row*/) {}
    virtual void ShowRowDeleted(int /*row*/) {}
    virtual void ShowAllRowsDeleted() {}
    virtual void ShowSelection() {}
    virtual void ShowTextBackground() {}
    virtual void ShowAcceptsFiles() {}

private:
    struct Row {
        std::vector<std::string> cells;
        int image = 0;
    };

    ListViewStyle style_;
    std::vector<ListColumn> columns_;
    const ImageList* images_ = nullptr;
    std::vector<Row> rows_;
    int selected_ = -1;
    Colour textBackground_ = Colour::FromSystem(SystemColour::Window);
    bool acceptsFiles_ = false;
};

}  // namespace kestrune::toolkit::base
