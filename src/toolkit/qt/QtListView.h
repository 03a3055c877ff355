// The Qt report-style list view: a QTableWidget with a header, one row per item and the
// row's small image in its first cell. The selection is tracked here so that
// onItemChanged names the row that lost it and then the row that gained it.
#pragma once

#include "toolkit/ListView.h"
#include "toolkit/qt/QtControl.h"

#include <QTableWidget>

#include <functional>
#include <string>
#include <vector>

namespace kestrune::toolkit::qt {

class QtImageList;

// A table that reports the pointer entering it and files dropped on it, and knows the
// row under the pointer for hot tracking.
class ReportTable final : public QTableWidget {
public:
    std::function<void()> entered;
    std::function<void(const std::vector<std::string>&)> filesDropped;
    bool hotTracking = false;
    bool infoTips = false;  // a tip with the whole text of a cell too narrow for it
    int hotRow = -1;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

class QtListView final : public QtControl<ListView, ReportTable> {
public:
    explicit QtListView(QtNode& parent);

    ListViewStyle Style() const override { return style_; }
    void SetStyle(const ListViewStyle& style) override;
    void AddColumn(const ListColumn& column) override;
    std::vector<ListColumn> Columns() const override { return columns_; }
    void SetSmallImages(const ImageList& images) override;

    int AddRow(const std::string& firstCell) override;
    int RowCount() const override { return View().rowCount(); }
    std::string CellText(int row, int column) const override;
    void SetCellText(int row, int column, const std::string& text) override;
    int RowImage(int row) const override;
    void SetRowImage(int row, int imageIndex) override;
    void DeleteRow(int row) override;
    void DeleteAllRows() override;

    int SelectedRow() const override { return selected_; }
    void SelectRow(int row) override;

    void SetBackgroundColour(const Colour& colour) override;
    Colour TextBackgroundColour() const override { return textBackground_; }
    void SetTextBackgroundColour(const Colour& colour) override;

    bool AcceptsFiles() const override { return View().acceptDrops(); }
    void SetAcceptsFiles(bool accepts) override;

private:
    bool IsRow(int row) const { return row >= 0 && row < RowCount(); }
    QTableWidgetItem& Cell(int row, int column);
    int FirstSelectedRowShown() const;
    // Reports the rows whose selection changed since the last report.
    void ReportSelection();
    // Adds or deletes rows without reporting, then takes the selection as it stands.
    void ChangeRows(const std::function<void()>& change);

    ListViewStyle style_;
    std::vector<ListColumn> columns_;
    const QtImageList* images_ = nullptr;
    Colour textBackground_ = Colour::FromSystem(SystemColour::Window);
    int selected_ = -1;
    bool changingRows_ = false;
};

}  // namespace kestrune::toolkit::qt
